/// \file
/// The regional settings that number and date conversions follow. They are read from the
/// user's locale once, on first use, and an application or a test can replace them as a
/// whole with SetFormatSettings.
#pragma once

#include "platform/core/Export.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <array>

namespace vg {

/// The regional settings that number and date conversions follow: separators, currency, date and
/// time formats, month and day names. Read from the user's locale on first use; replaceable with
/// SetFormatSettings.
/// \ingroup host_locale
struct VELKOGRID_EXPORT TFormatSettings {
    QChar DecimalSeparator = u'.';
    QChar ThousandSeparator = u',';
    QChar DateSeparator = u'/';
    QChar TimeSeparator = u':';
    /// Date format in the conversion language (d, m, y letters; "/" for the separator),
    /// for example "m/d/yyyy" or "dd.mm.yyyy" (with "." as DateSeparator).
    QString ShortDateFormat = QStringLiteral("m/d/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    QString ShortTimeFormat = QStringLiteral("h:nn ampm");
    QString LongTimeFormat = QStringLiteral("h:nn:ss ampm");
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");
    /// English names unless taken from a locale.
    std::array<QString, 12> ShortMonthNames = {
        QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
        QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
        QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    std::array<QString, 12> LongMonthNames = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"),
        QStringLiteral("July"), QStringLiteral("August"), QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    std::array<QString, 7> ShortDayNames = { // Sunday first
        QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
        QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};
    std::array<QString, 7> LongDayNames = { // Sunday first
        QStringLiteral("Sunday"), QStringLiteral("Monday"), QStringLiteral("Tuesday"),
        QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
        QStringLiteral("Saturday")};
    /// Two-digit years within this many years of the current one are taken to lie in the
    /// current century's window (like the framework's TwoDigitYearCenturyWindow).
    int TwoDigitYearCenturyWindow = 50;

    /// The settings of a Qt locale, with its formats translated into the conversion language.
    /// The separators are those of the locale's short date and short time formats. The short
    /// date format is one that StrToDate reads back as the same day: a two-digit year is
    /// widened to four digits, and a format naming the month ("d MMM yyyy") is replaced by
    /// the numeric one of the same order.
    static TFormatSettings FromLocale(const QLocale& locale);
};

/// The settings in force; on first use, those of the user's system locale.
VELKOGRID_EXPORT const TFormatSettings& FormatSettings();
/// Replaces the settings in force as a whole.
VELKOGRID_EXPORT void SetFormatSettings(const TFormatSettings& settings);

} // namespace vg
