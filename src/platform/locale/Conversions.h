/// \file
/// Conversions between text and numbers, dates and times under the regional settings
/// (FormatSettings), in the framework's format languages. Reading routines raise
/// EConvertError naming the text they could not read; their Try forms report failure
/// instead. FormatFloat and FormatDateTime take format strings:
///
///   numbers    sections "positive;negative;zero"; 0 digit, # optional digit, . decimal
///              point, , thousands grouping, E+00 / E-00 / e+00 scientific exponent,
///              '…' or "…" literal text, any other character as written.
///   dates      d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after h/hh),
///              yy yyyy, h hh, n nn, s ss, z zzz, t tt, c, am/pm a/p ampm (12-hour clock),
///              / and : for the date and time separators, '…' or "…" literal text.
///              Specifiers are case-insensitive.
#pragma once

#include "platform/core/Export.h"
#include "platform/locale/DateTime.h"
#include "platform/locale/FormatSettings.h"

#include <QString>

namespace vg {

/// A number: optional blanks, optional sign, digits with the locale's decimal separator,
/// optional exponent (1.5E-3), optional blanks. Thousands separators are not accepted.
VELKOGRID_EXPORT bool TryStrToFloat(const QString& S, double& Value, const TFormatSettings& FS = FormatSettings());
VELKOGRID_EXPORT double StrToFloat(const QString& S, const TFormatSettings& FS = FormatSettings());

/// A date in the order of the short date format, parts split by the date separator. Two parts
/// are month and day (day and month in day-first locales) of the current year; a year of
/// one or two digits falls in the window of TwoDigitYearCenturyWindow years around today.
VELKOGRID_EXPORT bool TryStrToDate(const QString& S, TDateTime& Value, const TFormatSettings& FS = FormatSettings());
VELKOGRID_EXPORT TDateTime StrToDate(const QString& S, const TFormatSettings& FS = FormatSettings());

/// A time: hour[:minutes[:seconds[.fraction]]] with an optional AM/PM marker (the locale's or
/// "AM"/"PM", any case) before or after it. The result is a fraction of a day.
VELKOGRID_EXPORT bool TryStrToTime(const QString& S, TDateTime& Value, const TFormatSettings& FS = FormatSettings());
VELKOGRID_EXPORT TDateTime StrToTime(const QString& S, const TFormatSettings& FS = FormatSettings());

/// A date followed by an optional time, or a time alone (on day 0).
VELKOGRID_EXPORT bool TryStrToDateTime(const QString& S, TDateTime& Value, const TFormatSettings& FS = FormatSettings());
VELKOGRID_EXPORT TDateTime StrToDateTime(const QString& S, const TFormatSettings& FS = FormatSettings());

/// The shortest general form with up to 15 significant digits: "1234.5", "0.001", "1E20",
/// "1.5E-7"; "NAN", "INF" and "-INF" for values that are not finite.
VELKOGRID_EXPORT QString FloatToStr(double Value, const TFormatSettings& FS = FormatSettings());

/// Value laid out by Format (see above). An empty format, or an empty positive section,
/// gives FloatToStr's form. Values are rounded half away from zero as the decimal number
/// they print as (see Conversions.cpp).
VELKOGRID_EXPORT QString FormatFloat(const QString& Format, double Value, const TFormatSettings& FS = FormatSettings());

/// DateTime laid out by Format (see above); an empty format means "c". A value that is not
/// a valid date raises EConvertError.
VELKOGRID_EXPORT QString FormatDateTime(const QString& Format, TDateTime DateTime, const TFormatSettings& FS = FormatSettings());

/// The short date, the long time, and both (the time left out at midnight).
VELKOGRID_EXPORT QString DateToStr(TDateTime Date, const TFormatSettings& FS = FormatSettings());
VELKOGRID_EXPORT QString TimeToStr(TDateTime Time, const TFormatSettings& FS = FormatSettings());
VELKOGRID_EXPORT QString DateTimeToStr(TDateTime DateTime, const TFormatSettings& FS = FormatSettings());

} // namespace vg
