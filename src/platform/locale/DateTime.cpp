// Day numbering, calendar arithmetic and the sign convention of TDateTime.
#include "platform/locale/DateTime.h"

#include "platform/core/Exceptions.h"

#include <QDateTime>

#include <cmath>
#include <cstdlib>

namespace vg {

namespace {

// Proleptic Gregorian day arithmetic on eras of 400 years counted from 1 March; day
// numbers are relative to 1 January 1970.
constexpr long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = int(doy - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yoe + era * 400 + (month <= 2));
}

constexpr long long EpochDays = DaysFromCivil(1899, 12, 30);

// A value split into its day number and milliseconds into that day.
struct TSplit {
    long long Day;
    int MSec;
};

TSplit Split(TDateTime value)
{
    // The generous bound keeps llround in range; the exact range is checked on the day.
    if (!std::isfinite(value) || std::fabs(value) > 1e7)
        throw EConvertError(QStringLiteral("%1 is not a valid date and time value").arg(value));
    const long long total = std::llround(value * MSecsPerDay);
    const TSplit split{total / MSecsPerDay, int(std::llabs(total % MSecsPerDay))};
    if (split.Day < MinDateTime || split.Day > MaxDateTime)
        throw EConvertError(QStringLiteral("%1 lies outside the supported dates (years 1 to 9999)").arg(value));
    return split;
}

} // namespace

bool IsLeapYear(int Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInAMonth(int Year, int Month)
{
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12)
        return 0;
    return Days[Month - 1] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date)
{
    if (Day < 1 || Day > DaysInAMonth(Year, Month))
        return false;
    Date = TDateTime(DaysFromCivil(Year, Month, Day) - EpochDays);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(Year, Month, Day, result))
        throw EConvertError(QStringLiteral("Invalid date: year %1, month %2, day %3").arg(Year).arg(Month).arg(Day));
    return result;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time)
{
    if (Hour < 0 || Hour >= HoursPerDay || Min < 0 || Min >= 60 || Sec < 0 || Sec >= 60 || MSec < 0 || MSec >= 1000)
        return false;
    Time = TDateTime(((Hour * 60 + Min) * 60 + Sec) * 1000 + MSec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    TDateTime result = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, result))
        throw EConvertError(QStringLiteral("Invalid time: hour %1, minute %2, second %3, millisecond %4")
                                .arg(Hour).arg(Min).arg(Sec).arg(MSec));
    return result;
}

void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day)
{
    CivilFromDays(Split(DateTime).Day + EpochDays, Year, Month, Day);
}

void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec)
{
    int ms = Split(DateTime).MSec;
    MSec = ms % 1000;
    ms /= 1000;
    Sec = ms % 60;
    ms /= 60;
    Min = ms % 60;
    Hour = ms / 60;
}

int DayOfWeek(TDateTime DateTime)
{
    // Day 0 (30 December 1899) was a Saturday.
    const long long day = Split(DateTime).Day;
    return int(((day % 7) + 7 + 6) % 7) + 1;
}

TDateTime ComposeDateTime(TDateTime Date, TDateTime Time)
{
    return Date >= 0 ? Date + Time : Date - Time;
}

TDateTime Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return EncodeDate(d.year(), d.month(), d.day()) + EncodeTime(t.hour(), t.minute(), t.second(), t.msec());
}

int CurrentYear()
{
    return QDate::currentDate().year();
}

} // namespace vg
