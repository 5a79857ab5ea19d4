// Parsing and formatting of numbers, dates and times, and the regional settings read from Qt locales.
#include "platform/core/Exceptions.h"
#include "platform/locale/Conversions.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vg;

namespace {

QString Fmt(const char* format, double value, const TFormatSettings& fs = FormatSettings())
{
    return FormatFloat(QString::fromUtf8(format), value, fs);
}

QString FmtDate(const char* format, TDateTime value, const TFormatSettings& fs = FormatSettings())
{
    return FormatDateTime(QString::fromUtf8(format), value, fs);
}

TFormatSettings German()
{
    return TFormatSettings::FromLocale(QLocale(QLocale::German, QLocale::Germany));
}

// 1 January 2000 (a Saturday), 13:05:09.007.
const TDateTime Sample = 36526 + EncodeTime(13, 5, 9, 7);

template <typename F>
QString ErrorOf(F&& f)
{
    try {
        f();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

} // namespace

// ---------------------------------------------------------------------------- numbers

TEST(StrToFloat, ReadsSignsDecimalsExponentsAndBlanks)
{
    EXPECT_EQ(StrToFloat(QStringLiteral(" 1234.5 ")), 1234.5);
    EXPECT_EQ(StrToFloat(QStringLiteral("-1.5e3")), -1500);
    EXPECT_EQ(StrToFloat(QStringLiteral("+.5")), 0.5);
    EXPECT_EQ(StrToFloat(QStringLiteral("1.")), 1);
    EXPECT_EQ(StrToFloat(QStringLiteral("2E+2")), 200);
    EXPECT_EQ(StrToFloat(QStringLiteral("1e-400")), 0); // too small to hold is zero
    EXPECT_EQ(StrToFloat(QStringLiteral("0.1")), 0.1);
    EXPECT_EQ(StrToFloat(QStringLiteral("1,5"), German()), 1.5);
}

TEST(StrToFloat, RejectsAnythingElseNamingTheText)
{
    for (const char* bad : {"", "  ", "abc", "1,234.5", "NaN", "inf", "1e", "1e+", "1.2.3", "12abc", "- 1", ".",
                            "-", "1e400", "$5", "0x10"}) {
        double untouched = 7;
        EXPECT_FALSE(TryStrToFloat(QString::fromUtf8(bad), untouched)) << bad;
        EXPECT_EQ(untouched, 7);
        EXPECT_THROW(StrToFloat(QString::fromUtf8(bad)), EConvertError) << bad;
    }
    EXPECT_THROW(StrToFloat(QStringLiteral("1.5"), German()), EConvertError);
    EXPECT_EQ(ErrorOf([] { StrToFloat(QStringLiteral("abc")); }),
              QStringLiteral("'abc' is not a valid floating point value"));
}

TEST(FormatFloat, NumericColumnFormats)
{
    EXPECT_EQ(Fmt("\"$\"#,##0.00", 1234.5), "$1,234.50");
    EXPECT_EQ(Fmt("\"$\"#,##0.00", -1234.5), "-$1,234.50");
    EXPECT_EQ(Fmt("\"\"#,##0.00", 1234.5), "1,234.50");
    EXPECT_EQ(Fmt("\"\"#,##0.00", -1234.5), "-1,234.50");
    EXPECT_EQ(Fmt("\"$\"#,##0.00;(\"$\"#,##0.00)", -1234.5), "($1,234.50)");
    EXPECT_EQ(Fmt("\"$\"#,##0.00;(\"$\"#,##0.00)", 1234.5), "$1,234.50");
    EXPECT_EQ(Fmt("\"\"#,##0.0;(\"\"#,##0.0)", -0.25), "(0.3)");
    EXPECT_EQ(Fmt("\"\"###0", 1234.5), "1235");
    EXPECT_EQ(Fmt("\"\"#,##0.00", 0), "0.00");
    EXPECT_EQ(Fmt("\"\"#,##0.00", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Fmt("\"\"#,##0.00", 999.995), "1,000.00"); // the carry reaches a new group
    EXPECT_EQ(Fmt("\"abc\"#,##0", 12), "abc12");
}

TEST(FormatFloat, ScientificColumnFormats)
{
    EXPECT_EQ(Fmt("0.00E+00", 1234.5), "1.23E+03");
    EXPECT_EQ(Fmt("0.0E+00", 42), "4.2E+01");
    EXPECT_EQ(Fmt("0E+00", 1234.5), "1E+03");
    EXPECT_EQ(Fmt("0.000E+00", 1234.5), "1.235E+03");
    EXPECT_EQ(Fmt("0.00E+00", -1234.5), "-1.23E+03");
    EXPECT_EQ(Fmt("0.00E+00", 0.00012), "1.20E-04");
    EXPECT_EQ(Fmt("0.00E+00", 0), "0.00E+00");
    EXPECT_EQ(Fmt("0.00E+00", 9.996), "1.00E+01");
    EXPECT_EQ(Fmt("0.00E-00", 1234.5), "1.23E03");
    EXPECT_EQ(Fmt("0.00e+000", 1234.5), "1.23e+003");
    EXPECT_EQ(Fmt("0.0E+00", 1e-300), "1.0E-300");
    EXPECT_EQ(Fmt("#,##0.00E+00", 1234.5), "1.23E+03"); // optional digits do not shift the exponent
    EXPECT_EQ(Fmt("00.0E+00", 1234.5), "12.3E+02");
}

TEST(FormatFloat, RoundsTheDecimalValueHalfAwayFromZero)
{
    EXPECT_EQ(Fmt("0.00", 2.675), "2.68");
    EXPECT_EQ(Fmt("0.00", -2.675), "-2.68");
    EXPECT_EQ(Fmt("0.00", 1.005), "1.01");
    EXPECT_EQ(Fmt("0.00", 0.125), "0.13");
    EXPECT_EQ(Fmt("0", 0.5), "1");
    EXPECT_EQ(Fmt("0", -0.5), "-1");
    EXPECT_EQ(Fmt("0", 0.49999), "0");
    EXPECT_EQ(Fmt("0.#", 0.1 + 0.2), "0.3");
    EXPECT_EQ(Fmt("0", 123456789012.0), "123456789012");
}

TEST(FormatFloat, ValuesThatRoundToZeroShowAsZero)
{
    EXPECT_EQ(Fmt("0.00", -0.001), "0.00");
    EXPECT_EQ(Fmt("0.00;(0.00)", -0.004), "0.00");
    EXPECT_EQ(Fmt("0.00", -0.0), "0.00");
    EXPECT_EQ(Fmt("0.00;-0.00;'nil'", 0), "nil");
    EXPECT_EQ(Fmt("0.00;-0.00;'nil'", 0.001), "nil");
    EXPECT_EQ(Fmt("0.00;-0.00;'nil'", -0.001), "nil");
}

TEST(FormatFloat, SectionsFallBackWhenEmpty)
{
    EXPECT_EQ(Fmt("0.00;;'z'", -1.5), "-1.50");
    EXPECT_EQ(Fmt("0.00;(0.00);", 0), "0.00");
    EXPECT_EQ(Fmt("0.00;(0.00)", 1.5), "1.50");
    EXPECT_EQ(Fmt("", 1234.5), "1234.5");
    EXPECT_EQ(Fmt(";(0)", 5), "5");
    EXPECT_EQ(Fmt("0;(0);'none';ignored", 0), "none");
    EXPECT_EQ(Fmt("'a;b'0", 5), "a;b5");
    EXPECT_EQ(Fmt("0 \"unclosed;(0)", -5), "-5 unclosed;(0)"); // an open quote runs to the end
}

TEST(FormatFloat, PlaceholdersAndLiterals)
{
    EXPECT_EQ(Fmt("#.##", 0), "");
    EXPECT_EQ(Fmt("#.##", 1), "1");
    EXPECT_EQ(Fmt("#.##", 0.5), ".5");
    EXPECT_EQ(Fmt("0.0#", 1.234), "1.23");
    EXPECT_EQ(Fmt("0.0#", 1), "1.0");
    EXPECT_EQ(Fmt("000", 7), "007");
    EXPECT_EQ(Fmt("00", 12345), "12345");
    EXPECT_EQ(Fmt("00-00", 1234), "12-34");
    EXPECT_EQ(Fmt(".00", 12.5), "12.50");
    EXPECT_EQ(Fmt("0 kg", 3), "3 kg");
    EXPECT_EQ(Fmt("0.00", 1e20), "1E20"); // too long for fixed digits: general form
}

TEST(FormatFloat, UsesTheLocaleSeparators)
{
    EXPECT_EQ(Fmt("#,##0.00", 1234567.891, German()), "1.234.567,89");
    EXPECT_EQ(Fmt("0.00E+00", 1234.5, German()), "1,23E+03");
    TFormatSettings noGrouping = FormatSettings();
    noGrouping.ThousandSeparator = QChar();
    EXPECT_EQ(Fmt("#,##0", 1234567, noGrouping), "1234567");
}

TEST(FormatFloat, NonFiniteValues)
{
    EXPECT_EQ(Fmt("0.00", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(Fmt("0.00", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(Fmt("0.00", -std::numeric_limits<double>::infinity()), "-INF");
}

TEST(FloatToStr, GeneralFormWithFifteenDigits)
{
    EXPECT_EQ(FloatToStr(1234.5), "1234.5");
    EXPECT_EQ(FloatToStr(-2), "-2");
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(0.00001), "0.00001");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(1.5, German()), "1,5");
    EXPECT_EQ(FloatToStr(-1.25e-7, German()), "-1,25E-7");
    EXPECT_EQ(FloatToStr(-0.5), "-0.5");
    EXPECT_EQ(FloatToStr(1500), "1500");
    EXPECT_EQ(FloatToStr(-1.7976931348623157e308), "-1.79769313486232E308");
}

// ---------------------------------------------------------------------------- dates

TEST(FormatDateTime, ColumnDateAndTimeFormats)
{
    EXPECT_EQ(FmtDate("mm/dd/yy h:nn:ss", Sample), "01/01/00 13:05:09");
    EXPECT_EQ(FmtDate("m/d", Sample), "1/1");
    EXPECT_EQ(FmtDate("h:nn ampm", Sample), "1:05 PM");
    EXPECT_EQ(FmtDate("h:nn:ss ampm", 36526.25), "6:00:00 AM");
    EXPECT_EQ(FmtDate("dddd mmmm d, yyyy", Sample), "Saturday January 1, 2000");
    EXPECT_EQ(FmtDate("ddd mmmm d, yyyy", Sample), "Sat January 1, 2000");
    EXPECT_EQ(FmtDate("d-mmm-yy", Sample), "1-Jan-00");
    EXPECT_EQ(FmtDate("dd-mmm-yy", Sample), "01-Jan-00");
    EXPECT_EQ(FmtDate("mmmm-yy", Sample), "January-00");
    EXPECT_EQ(FmtDate("mm/dd/yy", 1), "12/31/99");
    EXPECT_EQ(FmtDate("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
}

TEST(FormatDateTime, TwelveHourClockAndMarkers)
{
    EXPECT_EQ(FmtDate("h:nn ampm", 36526), "12:00 AM");
    EXPECT_EQ(FmtDate("h:nn ampm", 36526.5), "12:00 PM");
    EXPECT_EQ(FmtDate("hh AM/PM", Sample), "01 PM");
    EXPECT_EQ(FmtDate("h am/pm", 36526.25), "6 am");
    EXPECT_EQ(FmtDate("h a/p", Sample), "1 p");
    EXPECT_EQ(FmtDate("ampm h", Sample), "PM 1");
    EXPECT_EQ(FmtDate("h 'ampm'", Sample), "13 ampm"); // quoted: no 12-hour clock
    EXPECT_EQ(FmtDate("h a", Sample), "13 a");
}

TEST(FormatDateTime, MinutesMonthsAndCase)
{
    EXPECT_EQ(FmtDate("hh:mm", Sample), "13:05");   // m right after h is minutes
    EXPECT_EQ(FmtDate("mm", Sample), "01");
    EXPECT_EQ(FmtDate("h d m", Sample), "13 1 1");  // not right after: month again
    EXPECT_EQ(FmtDate("DD/MM/YYYY HH:NN", Sample), "01/01/2000 13:05");
    EXPECT_EQ(FmtDate("s.zzz", Sample), "9.007");
    EXPECT_EQ(FmtDate("z", Sample), "7");
}

TEST(FormatDateTime, LiteralsAndCompositeSpecifiers)
{
    EXPECT_EQ(FmtDate("'Today is' dddd", Sample), "Today is Saturday");
    EXPECT_EQ(FmtDate("\"h\"h", Sample), "h13");
    EXPECT_EQ(FmtDate("yyyy 'unclosed", Sample), "2000 unclosed");
    EXPECT_EQ(FmtDate("x-yy", Sample), "x-00");
    EXPECT_EQ(FmtDate("ddddd", Sample), "1/1/2000");
    EXPECT_EQ(FmtDate("dddddd", Sample), "Saturday, January 1, 2000");
    EXPECT_EQ(FmtDate("t", Sample), "1:05 PM");
    EXPECT_EQ(FmtDate("tt", Sample), "1:05:09 PM");
    EXPECT_EQ(FmtDate("c", 36526), "1/1/2000");
    EXPECT_EQ(FmtDate("c", 36526.5), "1/1/2000 12:00:00 PM");
    EXPECT_EQ(FmtDate("", 36526.5), "1/1/2000 12:00:00 PM");

    TFormatSettings selfReferring = FormatSettings();
    selfReferring.ShortDateFormat = QStringLiteral("c");
    EXPECT_NO_THROW(FmtDate("c", Sample, selfReferring)); // nesting is bounded
}

TEST(FormatDateTime, SeparatorsComeFromTheSettings)
{
    TFormatSettings dots = FormatSettings();
    dots.DateSeparator = u'.';
    dots.TimeSeparator = u'.';
    EXPECT_EQ(FmtDate("mm/dd/yy h:nn", Sample, dots), "01.01.00 13.05");
    EXPECT_EQ(FmtDate("dd'/'mm", Sample, dots), "01/01");
}

TEST(FormatDateTime, InvalidValuesRaiseConvertErrors)
{
    EXPECT_THROW(FmtDate("yyyy", std::numeric_limits<double>::quiet_NaN()), EConvertError);
    EXPECT_THROW(FmtDate("yyyy", 1e9), EConvertError);
}

TEST(StrToDate, ReadsInTheOrderOfTheShortDateFormat)
{
    EXPECT_EQ(StrToDate(QStringLiteral("1/2/2000")), EncodeDate(2000, 1, 2));
    EXPECT_EQ(StrToDate(QStringLiteral(" 12 / 31 / 1999 ")), EncodeDate(1999, 12, 31));
    EXPECT_EQ(StrToDate(QStringLiteral("2.1.2000"), German()), EncodeDate(2000, 1, 2));
    TFormatSettings ymd = FormatSettings();
    ymd.ShortDateFormat = QStringLiteral("yyyy/mm/dd");
    ymd.DateSeparator = u'-';
    EXPECT_EQ(StrToDate(QStringLiteral("2000-01-02"), ymd), EncodeDate(2000, 1, 2));
    EXPECT_EQ(StrToDate(QStringLiteral("3-4"), ymd), EncodeDate(CurrentYear(), 3, 4));
    EXPECT_EQ(StrToDate(QStringLiteral("3/4")), EncodeDate(CurrentYear(), 3, 4));
    EXPECT_EQ(StrToDate(QStringLiteral("3.4."), German()), EncodeDate(CurrentYear(), 4, 3));
}

TEST(StrToDate, TwoDigitYearsFallInTheCenturyWindow)
{
    const auto yearRead = [](int year, const TFormatSettings& fs) {
        int y = 0, m = 0, d = 0;
        DecodeDate(StrToDate(QStringLiteral("1/1/%1").arg(year % 100, 2, 10, QLatin1Char('0')), fs), y, m, d);
        return y;
    };
    const TFormatSettings& fs = FormatSettings(); // a window of 50 years
    const int now = CurrentYear();
    EXPECT_EQ(yearRead(now, fs), now);
    EXPECT_EQ(yearRead(now + 10, fs), now + 10);
    EXPECT_EQ(yearRead(now - 50, fs), now - 50);
    EXPECT_EQ(yearRead(now - 51, fs), now + 49);
    TFormatSettings noWindow = fs;
    noWindow.TwoDigitYearCenturyWindow = 0;
    EXPECT_EQ(yearRead(now - 51, noWindow), now / 100 * 100 + (now - 51) % 100);
    int y = 0, m = 0, d = 0;
    DecodeDate(StrToDate(QStringLiteral("1/1/0024")), y, m, d); // four digits are taken as written
    EXPECT_EQ(y, 24);
}

TEST(StrToDate, RejectsInvalidDatesNamingTheText)
{
    for (const char* bad : {"2/30/2001", "13/1/2000", "0/1/2000", "abc", "", "1/2/2000x", "1-2-2000", "1/", "/1/2",
                            "1/2/10000", "1/2/2000 10:00"}) {
        TDateTime untouched = 7;
        EXPECT_FALSE(TryStrToDate(QString::fromUtf8(bad), untouched)) << bad;
        EXPECT_EQ(untouched, 7);
    }
    EXPECT_EQ(ErrorOf([] { StrToDate(QStringLiteral("x")); }), QStringLiteral("'x' is not a valid date"));
}

TEST(StrToTime, ReadsHoursMinutesSecondsAndMarkers)
{
    EXPECT_EQ(StrToTime(QStringLiteral("13:05")), EncodeTime(13, 5, 0, 0));
    EXPECT_EQ(StrToTime(QStringLiteral("9")), EncodeTime(9, 0, 0, 0));
    EXPECT_EQ(StrToTime(QStringLiteral("10:30:15.5")), EncodeTime(10, 30, 15, 500));
    EXPECT_EQ(StrToTime(QStringLiteral("1:05 pm")), EncodeTime(13, 5, 0, 0));
    EXPECT_EQ(StrToTime(QStringLiteral("12:00 AM")), 0);
    EXPECT_EQ(StrToTime(QStringLiteral("12:30 PM")), EncodeTime(12, 30, 0, 0));
    EXPECT_EQ(StrToTime(QStringLiteral("PM 1:05")), EncodeTime(13, 5, 0, 0));
    TFormatSettings local = FormatSettings();
    local.TimePMString = QStringLiteral("nachm.");
    EXPECT_EQ(StrToTime(QStringLiteral("3 Nachm."), local), EncodeTime(15, 0, 0, 0));
    EXPECT_EQ(StrToTime(QStringLiteral("3 PM"), local), EncodeTime(15, 0, 0, 0));
}

TEST(StrToTime, RejectsInvalidTimesNamingTheText)
{
    for (const char* bad : {"25:00", "13 PM", "0 AM", "10:", "10:61", "10:30:60", "abc", "", "10:30 XM", "10:30:15.",
                            ":30"})
        EXPECT_THROW(StrToTime(QString::fromUtf8(bad)), EConvertError) << bad;
    EXPECT_EQ(ErrorOf([] { StrToTime(QStringLiteral("x")); }), QStringLiteral("'x' is not a valid time"));
}

TEST(StrToDateTime, ReadsADateWithAnOptionalTimeOrATimeAlone)
{
    EXPECT_EQ(StrToDateTime(QStringLiteral("1/2/2000 13:05")), EncodeDate(2000, 1, 2) + EncodeTime(13, 5, 0, 0));
    EXPECT_EQ(StrToDateTime(QStringLiteral("1/2/2000 1:05 PM")), EncodeDate(2000, 1, 2) + EncodeTime(13, 5, 0, 0));
    EXPECT_EQ(StrToDateTime(QStringLiteral("1/2/2000")), EncodeDate(2000, 1, 2));
    EXPECT_EQ(StrToDateTime(QStringLiteral("13:05")), EncodeTime(13, 5, 0, 0));
    EXPECT_EQ(StrToDateTime(QStringLiteral("12/29/1899 6:00")), -1.25);
    EXPECT_THROW(StrToDateTime(QStringLiteral("1/2/2000 garbage")), EConvertError);
    EXPECT_THROW(StrToDateTime(QStringLiteral("2/30/2000 10:00")), EConvertError);
    EXPECT_EQ(ErrorOf([] { StrToDateTime(QStringLiteral("x")); }), QStringLiteral("'x' is not a valid date and time"));
}

TEST(StrToDate, ReadsBackWhatTheShortDateFormatWrites)
{
    // Korean ends each part with a separator, Egyptian Arabic puts direction marks around
    // them, the C locale names the month.
    for (const TFormatSettings& fs :
         {FormatSettings(), German(), TFormatSettings::FromLocale(QLocale(QLocale::Korean)),
          TFormatSettings::FromLocale(QLocale(QLocale::Arabic, QLocale::Egypt)), TFormatSettings::FromLocale(QLocale::c())}) {
        for (const TDateTime day : {-693593.0, -1.0, 0.0, 1.0, 36526.0, 45351.0, 2958465.0}) {
            const QString text = FormatDateTime(fs.ShortDateFormat, day, fs);
            EXPECT_EQ(StrToDate(text, fs), day) << text.toStdString();
        }
        // Korean writes the afternoon marker before the hour.
        const TDateTime moment = 45351 + EncodeTime(17, 45, 0, 0);
        const QString text = FormatDateTime(fs.ShortDateFormat + u' ' + fs.ShortTimeFormat, moment, fs);
        EXPECT_EQ(StrToDateTime(text, fs), moment) << text.toStdString();
    }
}

// ---------------------------------------------------------------------------- settings

class FormatSettingsTest : public ::testing::Test {
protected:
    void TearDown() override { test::UseTestFormatSettings(); }
};

TEST_F(FormatSettingsTest, DefaultsAreEnglish)
{
    const TFormatSettings fs;
    EXPECT_EQ(fs.LongMonthNames[0], "January");
    EXPECT_EQ(fs.ShortMonthNames[11], "Dec");
    EXPECT_EQ(fs.LongDayNames[0], "Sunday");
    EXPECT_EQ(fs.ShortDayNames[6], "Sat");
}

TEST_F(FormatSettingsTest, GermanLocale)
{
    const TFormatSettings fs = German();
    EXPECT_EQ(fs.DecimalSeparator, u',');
    EXPECT_EQ(fs.ThousandSeparator, u'.');
    EXPECT_EQ(fs.DateSeparator, u'.');
    EXPECT_EQ(fs.TimeSeparator, u':');
    EXPECT_EQ(fs.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(fs.ShortTimeFormat, "hh:nn");
    EXPECT_EQ(fs.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(fs.LongMonthNames[2], QString::fromUtf8("März"));
    EXPECT_EQ(fs.LongDayNames[0], "Sonntag");
    EXPECT_EQ(FmtDate("ddddd", Sample, fs), "01.01.2000");
    EXPECT_EQ(FmtDate("dddddd", Sample, fs), "Samstag, 1. Januar 2000");
    EXPECT_EQ(FmtDate("tt", Sample, fs), "13:05:09");
}

TEST_F(FormatSettingsTest, UsLocale)
{
    const TFormatSettings fs = TFormatSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(fs.DecimalSeparator, u'.');
    EXPECT_EQ(fs.ThousandSeparator, u',');
    EXPECT_EQ(fs.DateSeparator, u'/');
    EXPECT_EQ(fs.TimeSeparator, u':');
    EXPECT_EQ(fs.ShortDateFormat, "m/d/yyyy");
    EXPECT_EQ(fs.ShortTimeFormat, "h:nn ampm");
    EXPECT_EQ(fs.LongTimeFormat, "h:nn:ss ampm");
    EXPECT_EQ(fs.TimeAMString, "AM");
    EXPECT_EQ(FmtDate("c", Sample, fs), "1/1/2000 1:05:09 PM");
}

TEST_F(FormatSettingsTest, ShortDatesAreNumericWithAVisibleSeparator)
{
    const TFormatSettings c = TFormatSettings::FromLocale(QLocale::c()); // Qt: "d MMM yyyy"
    EXPECT_EQ(c.ShortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(c.DateSeparator, u'/');
    const TFormatSettings arabic = TFormatSettings::FromLocale(QLocale(QLocale::Arabic, QLocale::Egypt));
    EXPECT_EQ(arabic.DateSeparator, u'/'); // not the direction mark in front of it
}

TEST_F(FormatSettingsTest, QtLiteralsStayLiteral)
{
    // Spanish long dates hold the word "de", whose d would otherwise be a day.
    const TFormatSettings fs = TFormatSettings::FromLocale(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(FmtDate("dddddd", Sample, fs), QString::fromUtf8("sábado, 1 de enero de 2000"));
    EXPECT_EQ(fs.LongTimeFormat, "h:nn:ss"); // the time zone is dropped with its brackets
}

TEST_F(FormatSettingsTest, SetFormatSettingsReplacesTheDefaultsOfEveryRoutine)
{
    SetFormatSettings(German());
    EXPECT_EQ(FormatSettings().DecimalSeparator, u',');
    EXPECT_EQ(FormatFloat(QStringLiteral("0.00"), 1.5), "1,50");
    EXPECT_EQ(StrToFloat(QStringLiteral("2,5")), 2.5);
    EXPECT_EQ(DateToStr(36526), "01.01.2000");
}
