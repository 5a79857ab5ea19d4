/// \file
/// Dates and times as the framework counts them. A TDateTime is a double whose integer part
/// counts days from 30 December 1899 and whose fraction is the time of day (0.25 = 6:00).
/// Days before that date are negative; there the integer part still names the day and the
/// absolute value of the fraction is the time, so -1.25 is 29 December 1899, 6:00.
/// Supported dates run from 1 January 0001 to 31 December 9999 (proleptic Gregorian).
#pragma once

#include "platform/core/Export.h"

namespace vg {

using TDateTime = double;

constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = HoursPerDay * 60;
constexpr int SecsPerDay = MinsPerDay * 60;
constexpr int MSecsPerDay = SecsPerDay * 1000;

/// The first and the last day that can be encoded and decoded.
constexpr TDateTime MinDateTime = -693593.0;  // 1 January 0001
constexpr TDateTime MaxDateTime = 2958465.0;  // 31 December 9999 (the day; any time of it)

VELKOGRID_EXPORT bool IsLeapYear(int Year);
/// Days in the month (28..31); 0 for a month or year outside the supported range.
VELKOGRID_EXPORT int DaysInAMonth(int Year, int Month);

/// Date from year, month and day; false (and Date untouched) when a component is out of range.
VELKOGRID_EXPORT bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
/// As TryEncodeDate, raising EConvertError for an invalid date.
VELKOGRID_EXPORT TDateTime EncodeDate(int Year, int Month, int Day);
/// Time of day (fraction of a day) from hour 0..23, minute 0..59, second 0..59, ms 0..999.
VELKOGRID_EXPORT bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
VELKOGRID_EXPORT TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);

/// Date and time parts of a value, to the nearest millisecond. A value that is not finite
/// or lies outside the supported dates raises EConvertError.
VELKOGRID_EXPORT void DecodeDate(TDateTime DateTime, int& Year, int& Month, int& Day);
VELKOGRID_EXPORT void DecodeTime(TDateTime DateTime, int& Hour, int& Min, int& Sec, int& MSec);
/// 1 = Sunday … 7 = Saturday.
VELKOGRID_EXPORT int DayOfWeek(TDateTime DateTime);

/// A date (whole days) joined with a time of day, following the sign convention above.
VELKOGRID_EXPORT TDateTime ComposeDateTime(TDateTime Date, TDateTime Time);

/// The local date and time now, and the current year.
VELKOGRID_EXPORT TDateTime Now();
VELKOGRID_EXPORT int CurrentYear();

} // namespace vg
