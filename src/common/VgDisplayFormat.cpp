#include "common/VgDisplayFormat.h"

#include <algorithm>

namespace vg {

namespace {

// "" with no decimals, else "." followed by one "0" per decimal.
QString DecimalPlaces(int Decimals)
{
    const int places = std::min(Decimals, vgMaxDisplayDecimals);
    if (places <= 0)
        return QString();
    return u'.' + QString(places, u'0');
}

// Text as a double-quoted literal. A double quote cannot stand inside such a literal (it
// would end it), so each one closes the literal, appears single-quoted, and reopens it:
// a"b becomes "a"'"'"b".
QString QuotedLiteral(const QString& Text)
{
    QString quoted = Text;
    quoted.replace(u'"', QStringLiteral("\"'\"'\""));
    return u'"' + quoted + u'"';
}

} // namespace

QString NumericDisplayFormat(const QString& Prefix, bool ThousandsSeparator, int Decimals, bool NegativeParenthesis)
{
    QString format = QuotedLiteral(Prefix) + u'#';
    if (ThousandsSeparator)
        format += u',';
    format += QStringLiteral("##0") + DecimalPlaces(Decimals);
    if (NegativeParenthesis)
        format += QStringLiteral(";(") + format + u')';
    return format;
}

QString ScientificDisplayFormat(int Decimals)
{
    return u'0' + DecimalPlaces(Decimals) + QStringLiteral("E+00");
}

TvgDateTimeDisplay DateTimeDisplayFormat(int DateFormat, int TimeFormat, TvgDateOrder Order)
{
    const bool hasDate = DateFormat >= 0;
    const bool hasTime = TimeFormat >= 0;
    if ((hasDate && (size_t(Order) >= vgDateFormats.size() || size_t(DateFormat) >= vgDateFormats[0].size()))
        || (hasTime && size_t(TimeFormat) >= vgTimeFormats.size()))
        return {};
    const QString time = hasTime ? vgTimeFormats[size_t(TimeFormat)] : QString();
    if (!hasDate)
        return hasTime ? TvgDateTimeDisplay{vgdtpTime, time} : TvgDateTimeDisplay{};
    const QString& date = vgDateFormats[size_t(Order)][size_t(DateFormat)];
    if (hasTime)
        return {vgdtpDateAndTime, date + u' ' + time};
    return {vgdtpDate, date};
}

} // namespace vg
