/// \file
/// The format strings a column's display settings stand for, written in the languages of
/// FormatFloat and FormatDateTime: a number with a literal prefix, optional thousands
/// grouping, fixed decimals and optional parentheses for negatives; a number in scientific
/// notation; a date and/or time in one of the fixed patterns of vgDateFormats and
/// vgTimeFormats. Pure functions: they read no settings and raise nothing.
#pragma once

#include "common/VgGlobal.h"
#include "platform/core/Export.h"

#include <QString>

#include <cstdint>

namespace vg {

/// Decimals above this many count as this many. A double tells no more digits apart, and
/// the bound keeps a stray value (from a form file, say) from building a format of
/// gigabytes.
constexpr int vgMaxDisplayDecimals = 64;

/// "\"$\"#,##0.00" for prefix $, grouping on and 2 decimals; without grouping the ","
/// is left out ("\"\"###0"); Decimals of 0 or less give no decimal point. With
/// NegativeParenthesis the format gets a second section for negative values, the same
/// format between parentheses ("\"$\"#,##0.0;(\"$\"#,##0.0)"), so a negative number
/// shows its absolute value, prefix included, inside them. The prefix is always shown
/// exactly as written: double quotes in it are given as quoted literals of their own.
VELKOGRID_EXPORT QString NumericDisplayFormat(const QString& Prefix, bool ThousandsSeparator, int Decimals, bool NegativeParenthesis);

/// "0.000E+00" for 3 decimals, "0E+00" for 0 or fewer.
VELKOGRID_EXPORT QString ScientificDisplayFormat(int Decimals);

/// Which parts a date/time column reads from a cell's text.
enum TvgDateTimeParts : std::uint8_t {
    vgdtpNone,       // nothing: the cell shows its text as it is
    vgdtpDate,       // a date (StrToDate)
    vgdtpTime,       // a time (StrToTime)
    vgdtpDateAndTime // a date with an optional time (StrToDateTime)
};

/// How a column shows a date and/or time: the format string and which part the cell's text
/// is read as.
/// \ingroup columns
struct VELKOGRID_EXPORT TvgDateTimeDisplay {
    TvgDateTimeParts Parts = vgdtpNone;
    /// The FormatDateTime pattern; empty when Parts is vgdtpNone.
    QString Format;
};

/// The date pattern vgDateFormats[Order][DateFormat], the time pattern
/// vgTimeFormats[TimeFormat], or both separated by a space. A negative index leaves its
/// part out. An index past the end of its table (DateFormat above 10, TimeFormat above 3)
/// is no pattern at all: the result is vgdtpNone, and the cell shows its text unformatted
/// rather than half of what was asked for.
VELKOGRID_EXPORT TvgDateTimeDisplay DateTimeDisplayFormat(int DateFormat, int TimeFormat, TvgDateOrder Order);

} // namespace vg
