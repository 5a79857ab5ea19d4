#include "common/VgCsv.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <random>

using namespace vg;

namespace {

using Lines = QList<QStringList>;

QString Shown(const Lines& lines)
{
    QStringList shown;
    for (const QStringList& line : lines) {
        QStringList values;
        for (QString value : line)
            values << u'<' + value.replace(u'\r', QLatin1String("\\r")).replace(u'\n', QLatin1String("\\n"))
                              .replace(QChar(0), QLatin1String("\\0")) + u'>';
        shown << values.join(u' ');
    }
    return shown.join(QLatin1String(" | "));
}

// A random text of up to maxLength characters from an alphabet that holds everything the
// format has to take care of: quotes, commas, both line ends, blanks, NUL, a byte-order mark
// character, and letters from several scripts, some outside the 16-bit range.
QString RandomText(std::mt19937& random, int maxLength)
{
    static const QString alphabet = QStringLiteral("a Z\"\",,\r\n\t;'\u00e9\u00fc\u0436\u05d0\u65e5\u672c\ufeff")
                                    + QChar(0) + QStringLiteral("\U0001F600\U00010348");
    const int length = std::uniform_int_distribution<int>(0, maxLength)(random);
    QString text;
    while (text.size() < length) {
        const int at = std::uniform_int_distribution<int>(0, int(alphabet.size()) - 1)(random);
        // A character outside the 16-bit range is a pair of units; it is taken whole.
        if (alphabet[at].isLowSurrogate())
            text += alphabet.mid(at - 1, 2);
        else if (alphabet[at].isHighSurrogate())
            text += alphabet.mid(at, 2);
        else
            text += alphabet[at];
    }
    return text;
}

} // namespace

TEST(CsvReader, ReadsValuesByTheRulesOfTheFormat)
{
    const QString nul(QChar(0));
    const struct {
        QByteArray Text;
        Lines Expected;
    } cases[] = {
        // Blanks around values and separators, a quoted comma, an empty value, a trailing comma.
        {"  a b ,\"c, d\" ,, e ,", {{"a b", "c, d", "", "e"}}},
        // The separator after a quoted value may be left out.
        {"\"ab\"cd", {{"ab", "cd"}}},
        // A tab ends a value without quotes; the rest is the next value.
        {"one\ttwo", {{"one", "two"}}},
        {"\"x\"\"y\",\"\"\"\"", {{"x\"y", "\""}}},
        {"\"\",,\" spaced \"", {{"", "", " spaced "}}},
        // Lines end at CR, LF or CR LF; an end at the very end of the text starts no line.
        {"a\rb\nc\r\nd\r\n", {{"a"}, {"b"}, {"c"}, {"d"}}},
        {"", {}},
        {"\r\n", {{}}},
        {"a\r\n\r\n \t \r\nb", {{"a"}, {}, {}, {"b"}}},
        {"a\n\r", {{"a"}, {}}},
        // A quoted value spans lines, with its line ends as they are.
        {"\"one\r\ntwo\nthree\",x\r\nnext", {{"one\r\ntwo\nthree", "x"}, {"next"}}},
        // A quote with no closing quote anywhere after it ends at its line's end.
        {"a,\"bc\r\nd,e", {{"a", "bc"}, {"d", "e"}}},
        {"\"ab\"\"cd\r\nx", {{"ab\"cd"}, {"x"}}},
        {"\"", {{""}}},
        // Two stray quotes enclose what lies between them.
        {"\"a\r\nb\"", {{"a\r\nb"}}},
        // NUL is a control byte: kept inside quotes, ending values outside them.
        {QByteArray("a\0b,\"c\0d\"\0e", 11), {{"a", "b", "c" + nul + "d", "e"}}},
        // A byte-order mark is skipped at the start only.
        {"\xEF\xBB\xBF\"a\",\xEF\xBB\xBF", {{"a", QStringLiteral("\ufeff")}}},
        // UTF-8 and, for text that is not valid UTF-8, Latin-1 byte by byte.
        {"caf\xC3\xA9,\xE6\x97\xA5", {{QStringLiteral("caf\u00e9"), QStringLiteral("\u65e5")}}},
        {"caf\xE9,\"\x80\xFF\"", {{QStringLiteral("caf\u00e9"), QStringLiteral("\u0080\u00ff")}}},
    };
    for (const auto& c : cases) {
        const Lines lines = ReadCsvText(c.Text);
        EXPECT_EQ(Shown(lines), Shown(c.Expected)) << c.Text.toStdString();
    }
}

TEST(CsvReader, SaysWhichEncodingItRead)
{
    EXPECT_EQ(TvgCsvReader("plain").Encoding(), TvgCsvEncoding::Utf8);
    EXPECT_EQ(TvgCsvReader("\xEF\xBB\xBF\xC3\xA9").Encoding(), TvgCsvEncoding::Utf8);
    // A character cut off at the end is no UTF-8 either.
    EXPECT_EQ(TvgCsvReader("ok,\xC3").Encoding(), TvgCsvEncoding::Latin1);
    EXPECT_EQ(TvgCsvReader("\xEF\xBB\xBF\xFF").Encoding(), TvgCsvEncoding::Latin1);
}

TEST(CsvReader, OneStrayQuoteTakesNoMoreThanItsLine)
{
    QByteArray text = "\"a stray quote \"\" here\r\n";
    for (int i = 0; i < 100'000; ++i)
        text += "a,b\r\n";
    TvgCsvReader reader(text);
    QStringList values;
    ASSERT_TRUE(reader.ReadLine(values));
    EXPECT_EQ(values, QStringList{QStringLiteral("a stray quote \" here")});
    int lines = 0;
    while (reader.ReadLine(values)) {
        ASSERT_EQ(values, (QStringList{QStringLiteral("a"), QStringLiteral("b")})) << lines;
        ++lines;
    }
    EXPECT_EQ(lines, 100'000);
}

TEST(CsvWriter, QuotesEveryValueAndEndsEveryLineWithCrLf)
{
    EXPECT_EQ(WriteCsvText({{"abc", "say \"hi\""}, {}, {"", "a,b", " x "}, {QStringLiteral("\u65e5\r\n")}}),
              QByteArray("\"abc\",\"say \"\"hi\"\"\"\r\n\r\n\"\",\"a,b\",\" x \"\r\n\"\xE6\x97\xA5\r\n\"\r\n"));
    EXPECT_EQ(WriteCsvText({}), QByteArray());
    // No byte-order mark, even before text that is not ASCII.
    EXPECT_TRUE(WriteCsvText({{QStringLiteral("\u00e9")}}).startsWith("\"\xC3\xA9"));
}

TEST(CsvWriter, HandsLongTextsToTheSinkInPiecesThatJoinUp)
{
    const QString quotes(300'000, u'"'); // three times its length once doubled and encoded
    const QString wide(400'000, QChar(0x65e5));
    std::vector<qsizetype> pieces;
    QByteArray text;
    TvgCsvWriter writer([&](QByteArrayView piece) {
        pieces.push_back(piece.size());
        text += piece;
    });
    for (int i = 0; i < 4; ++i) {
        writer.WriteValue(quotes);
        writer.WriteValue(wide);
        writer.EndLine();
    }
    writer.Flush();
    EXPECT_GT(pieces.size(), 2u);
    EXPECT_EQ(ReadCsvText(text), Lines(4, QStringList{quotes, wide}));
}

TEST(CsvWriter, SinkFailureLeavesNothingToWriteAgain)
{
    int calls = 0;
    TvgCsvWriter writer([&](QByteArrayView) {
        ++calls;
        throw std::runtime_error("disk full");
    });
    writer.WriteValue(u"a");
    EXPECT_THROW(writer.Flush(), std::runtime_error);
    writer.Flush();
    EXPECT_EQ(calls, 1);
}

TEST(CsvText, RandomCellTextsComeBackExactly)
{
    std::mt19937 random(12);
    for (int round = 0; round < 150; ++round) {
        Lines lines;
        const int columns = std::uniform_int_distribution<int>(1, 6)(random);
        const int rows = std::uniform_int_distribution<int>(0, 40)(random); // past 16, values are shared
        for (int r = 0; r < rows; ++r) {
            QStringList line;
            for (int c = 0; c < columns; ++c)
                line << RandomText(random, 12);
            lines << line;
        }
        const QByteArray text = WriteCsvText(lines);
        ASSERT_TRUE(QByteArrayView(text).isValidUtf8());
        ASSERT_EQ(Shown(ReadCsvText(text)), Shown(lines)) << "round " << round;
    }
}

TEST(CsvText, WhatIsReadFromAnyBytesIsWrittenAndReadBackTheSame)
{
    // Whatever the reader makes of a text, writing it and reading that again changes nothing.
    static const QByteArray bytes("\",,\r\n \t\0ab\xC3\xA9\xFF\xEF\xBB\xBF", 16);
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray text;
        const int length = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < length; ++i)
            text += bytes[std::uniform_int_distribution<int>(0, int(bytes.size()) - 1)(random)];
        const Lines once = ReadCsvText(text);
        ASSERT_EQ(Shown(ReadCsvText(WriteCsvText(once))), Shown(once)) << text.toHex().toStdString();
    }
}

TEST(CsvReader, SharingRepeatedValuesChangesNoValue)
{
    // Past the sixteenth value of a column, the same bytes quoted and unquoted stand for
    // different values, in either order.
    const QByteArray firstValues = QByteArray("v\r\n").repeated(17);
    EXPECT_EQ(ReadCsvText(firstValues + "\"x\"\"y\"\r\nx\"\"y\r\n").mid(17), Lines({{"x\"y"}, {"x\"\"y"}}));
    EXPECT_EQ(ReadCsvText(firstValues + "x\"\"y\r\n\"x\"\"y\"\r\n").mid(17), Lines({{"x\"\"y"}, {"x\"y"}}));

    // Random texts of a few short values that repeat, written every way the reader takes
    // them: the reader that shares them reads what one that decodes each alone reads.
    static const QByteArray pieces[] = {
        "x\"\"y", "\"x\"\"y\"", "\"x\"y", "x\"y", "a", "\"a\"", " a ", "\"a\"b", "\"a,b\"", "\"\"", "\"\"\"\"", "\"\"\"",
        "b\"\"", "\"b\"\"\"", "\"b\"\"", "\xC3\xA9", "\"\xC3\xA9\"", "\xEF\xBB\xBF", "\"x\r\ny\"", "\"a\tb\"", "a\tb",
    };
    static const QByteArray separators[] = {",", " , ", "", ",\t", "\r\n", "\n", "\r"};
    std::mt19937 random(27);
    const auto pick = [&random](const auto& list) {
        return list[std::uniform_int_distribution<size_t>(0, std::size(list) - 1)(random)];
    };
    int shared = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray text;
        const int values = std::uniform_int_distribution<int>(17, 120)(random);
        for (int v = 0; v < values; ++v)
            text += pick(pieces) + pick(separators);
        const Lines plain = ReadCsvText(text, TvgCsvSharing::None);
        ASSERT_EQ(Shown(ReadCsvText(text)), Shown(plain)) << text.toHex().toStdString();
        shared += plain.size() > 17;
    }
    EXPECT_GT(shared, 1000); // most texts were long enough for values to be shared
}
