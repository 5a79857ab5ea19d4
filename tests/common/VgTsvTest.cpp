#include "common/VgTsv.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <random>

using namespace vg;

using Lines = QList<QStringList>;

TEST(TsvReader, ReadsTheFormsSpreadsheetsWrite)
{
    const struct {
        QString Text;
        Lines Expected;
    } cases[] = {
        {"", {}},
        {"a", {{"a"}}},
        {"a\n", {{"a"}}},
        {"\n", {{""}}},
        {"\n\n", {{""}, {""}}},
        {"a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a\tb\rc\td", {{"a", "b"}, {"c", "d"}}},
        {"a\t\tb\t\n", {{"a", "", "b", ""}}},
        {"a\t", {{"a", ""}}},
        // Quoted values keep tabs, line breaks of every kind and doubled quotes.
        {"\"x\ty\"\t\"l1\r\nl2\"\n\"say \"\"hi\"\"\"\n", {{"x\ty", "l1\r\nl2"}, {"say \"hi\""}}},
        {"\"\"\t\"\"\"\"", {{"", "\""}}},
        // Quotes inside a value that does not start with one are characters.
        {"5\" pipe\ta\"b\"", {{"5\" pipe", "a\"b\""}}},
        // Text after a closing quote stays with its value.
        {"\"ab\"cd\te", {{"abcd", "e"}}},
        // A quote that is never closed swallows nothing.
        {"\"open\tb\nc", {{"\"open", "b"}, {"c"}}},
        {"\"a\"\"b\tc\nd", {{"\"a\"\"b", "c"}, {"d"}}},
        // Leading zeros, blanks and other scripts are kept as they are.
        {" 007 \t\u0436\u05d0\u65e5\U0001F600\n", {{" 007 ", "\u0436\u05d0\u65e5\U0001F600"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadTsvText(c.Text), c.Expected) << c.Text.toStdString();
}

TEST(TsvWriter, QuotesOnlyValuesThatNeedItAndReadsBack)
{
    const struct {
        Lines Values;
        QString Text;
    } cases[] = {
        {{{"a", "b"}, {"", "1.5"}}, "a\tb\n\t1.5\n"},
        {{{""}}, "\n"},
        {{{"x\ty", "l1\nl2", "cr\r", "q\"q", "\"lead"}},
         "\"x\ty\"\t\"l1\nl2\"\t\"cr\r\"\t\"q\"\"q\"\t\"\"\"lead\"\n"},
        {{{" 007", "\u0436\u00e9", "=1+2"}}, " 007\t\u0436\u00e9\t=1+2\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WriteTsvText(c.Values), c.Text);
        EXPECT_EQ(ReadTsvText(c.Text), c.Values);
    }
}

TEST(TsvWriter, RandomBlocksReadBackUnchanged)
{
    // Blocks of random shape whose values are built from the characters the format must
    // take care of; every block has at least one value per line, as grid ranges do.
    const QStringList pieces = {"a", "\t", "\n", "\r", "\r\n", "\"", "\"\"", " ", "0", "\u0436", "\U0001F600", ""};
    std::mt19937 random(23);
    const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 500; ++round) {
        Lines block(pick(1, 4));
        const int width = pick(1, 4);
        for (QStringList& line : block)
            for (int j = 0; j < width; ++j) {
                QString value;
                for (int n = pick(0, 4); n > 0; --n)
                    value += pieces[pick(0, int(pieces.size()) - 1)];
                line << value;
            }
        ASSERT_EQ(ReadTsvText(WriteTsvText(block)), block);
    }
}
