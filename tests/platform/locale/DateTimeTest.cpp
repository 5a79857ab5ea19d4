// Day numbers against the calendar, the negative-value convention and rejected components.
#include "platform/core/Exceptions.h"
#include "platform/locale/DateTime.h"

#include <QDate>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

using namespace vg;

namespace {

struct TYmd {
    int Year, Month, Day;
};

TYmd DateOf(TDateTime value)
{
    TYmd d{};
    DecodeDate(value, d.Year, d.Month, d.Day);
    return d;
}

} // namespace

TEST(DateTime, KnownDaysEncodeToTheirSerialNumbers)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1899, 12, 31), 1.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0); // 1900 is no leap year
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), MinDateTime);
    EXPECT_EQ(EncodeDate(9999, 12, 31), MaxDateTime);
}

TEST(DateTime, DaysAgreeWithQDateOverTheWholeRange)
{
    const QDate epoch(1899, 12, 30);
    for (long long day = (long long)MinDateTime; day <= (long long)MaxDateTime; day += 997) {
        const QDate expected = epoch.addDays(day);
        const TYmd d = DateOf(TDateTime(day));
        ASSERT_EQ(QDate(d.Year, d.Month, d.Day), expected) << "day " << day;
        ASSERT_EQ(EncodeDate(d.Year, d.Month, d.Day), TDateTime(day));
        ASSERT_EQ(DayOfWeek(TDateTime(day)), expected.dayOfWeek() % 7 + 1) << "day " << day;
    }
}

TEST(DateTime, DayOfWeekCountsFromSunday)
{
    EXPECT_EQ(DayOfWeek(0), 7);              // Saturday 30 Dec 1899
    EXPECT_EQ(DayOfWeek(1), 1);              // Sunday
    EXPECT_EQ(DayOfWeek(-1.75), 6);          // Friday 29 Dec 1899, 18:00
    EXPECT_EQ(DayOfWeek(MinDateTime), 2);    // Monday 1 Jan 0001
}

TEST(DateTime, NegativeValuesKeepTheDayAndTakeTheFractionAsTime)
{
    int h = 0, n = 0, s = 0, ms = 0;
    const TYmd d = DateOf(-1.25);
    EXPECT_EQ(d.Year, 1899);
    EXPECT_EQ(d.Month, 12);
    EXPECT_EQ(d.Day, 29);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(ComposeDateTime(-1, 0.25), -1.25);
    EXPECT_EQ(ComposeDateTime(2, 0.25), 2.25);
    DecodeTime(-0.5, h, n, s, ms); // still 30 Dec 1899, noon
    EXPECT_EQ(h, 12);
    EXPECT_EQ(DateOf(-0.5).Day, 30);
}

TEST(DateTime, TimesEncodeAsFractionsAndDecodeToTheMillisecond)
{
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    int h = 0, n = 0, s = 0, ms = 0;
    DecodeTime(36526 + EncodeTime(13, 5, 9, 7), h, n, s, ms);
    EXPECT_EQ((std::array{h, n, s, ms}), (std::array{13, 5, 9, 7}));
    // Just short of midnight rounds to the next day, not to 24:00.
    const TDateTime almost = 36526.99999999999;
    DecodeTime(almost, h, n, s, ms);
    EXPECT_EQ((std::array{h, n, s, ms}), (std::array{0, 0, 0, 0}));
    EXPECT_EQ(DateOf(almost).Day, 2);
}

TEST(DateTime, LeapYearsFollowTheGregorianRule)
{
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(DaysInAMonth(2023, 13), 0);
}

TEST(DateTime, InvalidComponentsRaiseConvertErrors)
{
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
    for (const TYmd& d : {TYmd{2023, 2, 29}, TYmd{2023, 13, 1}, TYmd{2023, 0, 1}, TYmd{2023, 1, 0},
                          TYmd{2023, 4, 31}, TYmd{0, 1, 1}, TYmd{10000, 1, 1}})
        EXPECT_THROW(EncodeDate(d.Year, d.Month, d.Day), EConvertError) << d.Year << '-' << d.Month << '-' << d.Day;
    TDateTime untouched = 42;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, untouched));
    EXPECT_EQ(untouched, 42);

    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
    try {
        EncodeDate(2023, 2, 30);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().contains(QLatin1String("2023"))) << e.what();
    }
}

TEST(DateTime, ValuesOutsideTheSupportedDatesDoNotDecode)
{
    int y = 0, m = 0, d = 0;
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       MaxDateTime + 1, MinDateTime - 1, 1e300})
        EXPECT_THROW(DecodeDate(bad, y, m, d), EConvertError) << bad;
}
