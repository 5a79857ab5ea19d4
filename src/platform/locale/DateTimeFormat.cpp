// Dates and times to text: FormatDateTime and its shorthands under the regional settings.
#include "platform/locale/Conversions.h"

#include "platform/core/Exceptions.h"
#include "platform/locale/FormatText.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>
namespace vg {

namespace {

// ----------------------------------------------------------------------------------------
// FormatDateTime

struct TDateParts {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Min = 0, Sec = 0, MSec = 0, DayOfWeek = 0;
};

bool StartsWithAmPm(QStringView rest, qsizetype& length)
{
    for (QStringView marker : {QStringView(u"am/pm"), QStringView(u"a/p"), QStringView(u"ampm")}) {
        if (rest.startsWith(marker, Qt::CaseInsensitive)) {
            length = marker.size();
            return true;
        }
    }
    return false;
}

// Whether a format shows a 12-hour clock: it holds a morning/afternoon marker outside quotes.
bool UsesTwelveHourClock(const QString& format)
{
    QChar quote;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        qsizetype length = 0;
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (StartsWithAmPm(QStringView(format).mid(i), length)) {
            return true;
        }
    }
    return false;
}

class TDateFormatter {
public:
    TDateFormatter(const TDateParts& parts, const TFormatSettings& fs) : FParts(parts), FSettings(fs) {}

    // Formats nest (ddddd, c, t name other formats) at most two levels deep, so a format
    // setting that names itself cannot recurse without end.
    void Append(const QString& format, int depth = 0)
    {
        const bool twelveHour = UsesTwelveHourClock(format);
        QChar lastToken;
        for (qsizetype i = 0; i < format.size();) {
            const QChar c = format[i];
            if (c == u'"' || c == u'\'') {
                FOut += TakeQuotedLiteral(format, i);
                continue;
            }
            if (!IsAsciiLetter(c)) {
                FOut += c == u'/' ? FSettings.DateSeparator : c == u':' ? FSettings.TimeSeparator : c;
                ++i;
                continue;
            }
            QChar token = c.toLower();
            qsizetype length = 0;
            if (token == u'a') {
                const QStringView rest = QStringView(format).mid(i);
                if (StartsWithAmPm(rest, length)) {
                    AppendAmPm(rest.left(length));
                } else {
                    FOut += c; // a lone "a" is text
                    length = 1;
                }
                i += length;
                lastToken = token;
                continue;
            }
            int count = 0;
            while (i < format.size() && format[i].toLower() == token) {
                ++count;
                ++i;
            }
            if (token == u'm' && lastToken == u'h')
                token = u'n'; // minutes right after the hour
            lastToken = token;
            switch (token.unicode()) {
            case u'y':
                if (count <= 2)
                    Number(FParts.Year % 100, 2);
                else
                    Number(FParts.Year, 4);
                break;
            case u'm':
                if (count <= 2)
                    Number(FParts.Month, count);
                else if (count == 3)
                    FOut += FSettings.ShortMonthNames[size_t(FParts.Month - 1)];
                else
                    FOut += FSettings.LongMonthNames[size_t(FParts.Month - 1)];
                break;
            case u'd':
                if (count <= 2)
                    Number(FParts.Day, count);
                else if (count == 3)
                    FOut += FSettings.ShortDayNames[size_t(FParts.DayOfWeek - 1)];
                else if (count == 4)
                    FOut += FSettings.LongDayNames[size_t(FParts.DayOfWeek - 1)];
                else
                    Nested(count == 5 ? FSettings.ShortDateFormat : FSettings.LongDateFormat, depth);
                break;
            case u'h': {
                int hour = FParts.Hour;
                if (twelveHour) {
                    hour %= 12;
                    if (hour == 0)
                        hour = 12;
                }
                Number(hour, std::min(count, 2));
                break;
            }
            case u'n': Number(FParts.Min, std::min(count, 2)); break;
            case u's': Number(FParts.Sec, std::min(count, 2)); break;
            case u'z': Number(FParts.MSec, std::min(count, 3)); break;
            case u't': Nested(count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, depth); break;
            case u'c':
                Nested(FSettings.ShortDateFormat, depth);
                if (FParts.Hour != 0 || FParts.Min != 0 || FParts.Sec != 0 || FParts.MSec != 0) {
                    FOut += u' ';
                    Nested(FSettings.LongTimeFormat, depth);
                }
                break;
            default:
                FOut += QStringView(format).mid(i - count, count); // not a specifier: as written
                break;
            }
        }
    }

    const QString& Result() const { return FOut; }

private:
    void Number(int value, int minDigits) { FOut += QString::number(value).rightJustified(minDigits, u'0'); }

    void Nested(const QString& format, int depth)
    {
        if (depth < 2)
            Append(format, depth + 1);
    }

    // marker is "am/pm", "a/p" (printed in the case written) or "ampm" (the locale's text).
    void AppendAmPm(QStringView marker)
    {
        const bool pm = FParts.Hour >= 12;
        if (marker.size() == 5)
            FOut += pm ? marker.mid(3, 2) : marker.left(2);
        else if (marker.size() == 3)
            FOut += pm ? marker[2] : marker[0];
        else
            FOut += pm ? FSettings.TimePMString : FSettings.TimeAMString;
    }

    const TDateParts& FParts;
    const TFormatSettings& FSettings;
    QString FOut;
};

} // namespace

QString FormatDateTime(const QString& Format, TDateTime DateTime, const TFormatSettings& FS)
{
    TDateParts parts;
    DecodeDate(DateTime, parts.Year, parts.Month, parts.Day);
    DecodeTime(DateTime, parts.Hour, parts.Min, parts.Sec, parts.MSec);
    parts.DayOfWeek = DayOfWeek(DateTime);
    TDateFormatter formatter(parts, FS);
    formatter.Append(Format.isEmpty() ? QStringLiteral("c") : Format);
    return formatter.Result();
}

QString DateToStr(TDateTime Date, const TFormatSettings& FS)
{
    return FormatDateTime(QStringLiteral("ddddd"), Date, FS);
}

QString TimeToStr(TDateTime Time, const TFormatSettings& FS)
{
    return FormatDateTime(QStringLiteral("tt"), Time, FS);
}

QString DateTimeToStr(TDateTime DateTime, const TFormatSettings& FS)
{
    return FormatDateTime(QStringLiteral("c"), DateTime, FS);
}

} // namespace vg
