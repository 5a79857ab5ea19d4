#include "common/VgDisplayFormat.h"
#include "platform/Conversions.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

TEST(VgNumericDisplayFormat, QuotesThePrefixAndAddsGroupingDecimalsAndANegativeSection)
{
    EXPECT_EQ(NumericDisplayFormat("P", true, 2, false), "\"P\"#,##0.00");
    EXPECT_EQ(NumericDisplayFormat("P", false, 0, false), "\"P\"###0");
    EXPECT_EQ(NumericDisplayFormat("P", true, 1, true), "\"P\"#,##0.0;(\"P\"#,##0.0)");
    EXPECT_EQ(NumericDisplayFormat("", true, 2, false), "\"\"#,##0.00");
    EXPECT_EQ(NumericDisplayFormat("", false, -3, false), "\"\"###0");
}

TEST(VgNumericDisplayFormat, LaysNumbersOutUnderTheTestLocale)
{
    const auto show = [](const QString& prefix, bool thousands, int decimals, bool parens, double value) {
        return FormatFloat(NumericDisplayFormat(prefix, thousands, decimals, parens), value);
    };
    EXPECT_EQ(show("", true, 2, false, 1234.5), "1,234.50");
    EXPECT_EQ(show("", true, 2, false, -1234.5), "-1,234.50");
    EXPECT_EQ(show("$", true, 2, false, -1234.5), "-$1,234.50");
    EXPECT_EQ(show("$", true, 2, true, -1234.5), "($1,234.50)");
    EXPECT_EQ(show("$", true, 2, true, 1234.5), "$1,234.50");
    EXPECT_EQ(show("", false, 0, false, 1234567.5), "1234568");
    EXPECT_EQ(show("", true, 0, false, 0), "0");
}

TEST(VgNumericDisplayFormat, APrefixIsShownAsWrittenWhateverCharactersItHolds)
{
    // Quotes, section separators and placeholder characters in the prefix are text.
    for (const QString prefix : {"a\"b", "\"", "\"\"", "x;y", "it's", "#0.E+0", "'\"'"}) {
        EXPECT_EQ(FormatFloat(NumericDisplayFormat(prefix, true, 1, true), 1234.5), prefix + "1,234.5") << prefix.toStdString();
        EXPECT_EQ(FormatFloat(NumericDisplayFormat(prefix, true, 1, true), -2), '(' + prefix + "2.0)") << prefix.toStdString();
    }
}

TEST(VgScientificDisplayFormat, OneIntegerDigitTheDecimalsAndATwoDigitSignedExponent)
{
    EXPECT_EQ(ScientificDisplayFormat(3), "0.000E+00");
    EXPECT_EQ(ScientificDisplayFormat(0), "0E+00");
    EXPECT_EQ(ScientificDisplayFormat(-1), "0E+00");
    EXPECT_EQ(FormatFloat(ScientificDisplayFormat(2), 1234.5), "1.23E+03");
    EXPECT_EQ(FormatFloat(ScientificDisplayFormat(1), 42), "4.2E+01");
    EXPECT_EQ(FormatFloat(ScientificDisplayFormat(0), -0.00042), "-4E-04");
}

TEST(VgDisplayDecimals, AreBoundedSoAHugeCountBuildsASmallFormat)
{
    const QString most = u'.' + QString(vgMaxDisplayDecimals, u'0');
    EXPECT_EQ(ScientificDisplayFormat(vgMaxDisplayDecimals), u'0' + most + "E+00");
    EXPECT_EQ(ScientificDisplayFormat(2147483647), u'0' + most + "E+00");
    EXPECT_EQ(NumericDisplayFormat("", false, 2147483647, false), "\"\"###0" + most);
}

TEST(VgDateTimeDisplayFormat, PicksTheDateRowByOrderAndJoinsDateAndTimeWithASpace)
{
    const TvgDateTimeDisplay both = DateTimeDisplayFormat(2, 2, vgdoMDY);
    EXPECT_EQ(both.Parts, vgdtpDateAndTime);
    EXPECT_EQ(both.Format, "mm/dd/yy h:nn:ss");

    const TvgDateTimeDisplay dayFirst = DateTimeDisplayFormat(2, -1, vgdoDMY);
    EXPECT_EQ(dayFirst.Parts, vgdtpDate);
    EXPECT_EQ(dayFirst.Format, "dd/mm/yy");
    EXPECT_EQ(DateTimeDisplayFormat(1, -1, vgdoYMD).Format, "yy/m/d");
    EXPECT_EQ(DateTimeDisplayFormat(10, -1, vgdoMDY).Format, "dddd mmmm d, yyyy");

    const TvgDateTimeDisplay time = DateTimeDisplayFormat(-1, 3, vgdoDMY);
    EXPECT_EQ(time.Parts, vgdtpTime);
    EXPECT_EQ(time.Format, "h:nn:ss ampm");

    EXPECT_EQ(DateTimeDisplayFormat(-1, -1, vgdoMDY).Parts, vgdtpNone);
    EXPECT_EQ(DateTimeDisplayFormat(-7, -2, vgdoMDY).Parts, vgdtpNone);
}

TEST(VgDateTimeDisplayFormat, AnIndexPastItsTableMeansNoFormatAtAll)
{
    for (const auto& [date, time] : {std::pair{11, -1}, {11, 2}, {-1, 4}, {2, 4}, {2147483647, 0}, {0, 2147483647}}) {
        const TvgDateTimeDisplay display = DateTimeDisplayFormat(date, time, vgdoMDY);
        EXPECT_EQ(display.Parts, vgdtpNone) << date << ' ' << time;
        EXPECT_TRUE(display.Format.isEmpty()) << date << ' ' << time;
    }
    EXPECT_EQ(DateTimeDisplayFormat(2, -1, TvgDateOrder(7)).Parts, vgdtpNone);
    EXPECT_EQ(DateTimeDisplayFormat(-1, 0, TvgDateOrder(7)).Parts, vgdtpTime) << "a time needs no date order";
}
