#include "common/VgDisplayFormat.h"
#include "platform/locale/Conversions.h"
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

TEST(VgNumericDisplayFormat, APrefixIsShownAsWrittenWhateverCharactersItHolds)
{
    // Quotes, section separators and placeholder characters in the prefix are text.
    for (const QString prefix : {"a\"b", "\"", "\"\"", "x;y", "it's", "#0.E+0", "'\"'"}) {
        const QString format = NumericDisplayFormat(prefix, true, 1, true);
        EXPECT_EQ(FormatFloat(format, 1234.5), prefix + "1,234.5") << format.toStdString();
        EXPECT_EQ(FormatFloat(format, -2), '(' + prefix + "2.0)") << format.toStdString();
    }
}

TEST(VgScientificDisplayFormat, OneIntegerDigitTheDecimalsAndASignedExponentWithBoundedDecimals)
{
    EXPECT_EQ(ScientificDisplayFormat(3), "0.000E+00");
    EXPECT_EQ(ScientificDisplayFormat(0), "0E+00");
    EXPECT_EQ(ScientificDisplayFormat(-1), "0E+00");

    const QString most = u'.' + QString(vgMaxDisplayDecimals, u'0');
    EXPECT_EQ(ScientificDisplayFormat(2147483647), u'0' + most + "E+00");
    EXPECT_EQ(NumericDisplayFormat("", false, 2147483647, false), "\"\"###0" + most);
}

TEST(VgDateTimeDisplayFormat, PicksTheDateRowByOrderAndJoinsDateAndTimeWithASpace)
{
    const auto expect = [](int date, int time, TvgDateOrder order, TvgDateTimeParts parts, const QString& format) {
        const TvgDateTimeDisplay display = DateTimeDisplayFormat(date, time, order);
        EXPECT_EQ(display.Parts, parts) << date << ' ' << time << ' ' << int(order);
        EXPECT_EQ(display.Format, format) << date << ' ' << time << ' ' << int(order);
    };
    expect(2, 2, vgdoMDY, vgdtpDateAndTime, "mm/dd/yy h:nn:ss");
    expect(2, -1, vgdoDMY, vgdtpDate, "dd/mm/yy");
    expect(1, -1, vgdoYMD, vgdtpDate, "yy/m/d");
    expect(10, -1, vgdoMDY, vgdtpDate, "dddd mmmm d, yyyy");
    expect(-1, 3, vgdoDMY, vgdtpTime, "h:nn:ss ampm");
    expect(-1, 0, TvgDateOrder(7), vgdtpTime, "h:nn");
    expect(-1, -1, vgdoMDY, vgdtpNone, "");
    expect(-7, -2, vgdoMDY, vgdtpNone, "");

    // An index past its table, or a date order that is none, gives no format at all.
    for (const auto& [date, time] : {std::pair{11, -1}, {11, 2}, {-1, 4}, {2, 4}, {2147483647, 0}, {0, 2147483647}})
        expect(date, time, vgdoMDY, vgdtpNone, "");
    expect(2, -1, TvgDateOrder(7), vgdtpNone, "");
}
