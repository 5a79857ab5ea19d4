// Reading the regional settings from a Qt locale: separators, names and the date and time
// formats, translated from Qt's format language (d M y h H m s z AP t, '…' literals) into
// the conversion language (d m y h n s z ampm, "/" and ":" for the separators).
#include "platform/locale/FormatSettings.h"

#include "platform/locale/FormatText.h"

#include <optional>

namespace vg {

namespace {

// Text that must come out as written, quoted in the conversion language.
QString Quoted(const QString& text)
{
    if (text.isEmpty())
        return {};
    if (!text.contains(u'\''))
        return u'\'' + text + u'\'';
    if (!text.contains(u'"'))
        return u'"' + text + u'"';
    // Both quote characters: quote each character on its own with the other one.
    QString result;
    for (QChar c : text)
        result += c == u'\'' ? QStringLiteral("\"'\"") : u'\'' + QString(c) + u'\'';
    return result;
}

// Reads a quoted literal of a Qt format starting at the opening quote; '' stands for one
// quote. Returns the text and moves i past the closing quote.
QString QtQuotedText(const QString& format, qsizetype& i)
{
    QString text;
    ++i;
    while (i < format.size()) {
        if (format[i] == u'\'') {
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                text += u'\'';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        text += format[i++];
    }
    return text;
}

// The separator of a Qt format: the first punctuation character after its first field.
std::optional<QChar> QtSeparator(const QString& format)
{
    bool fieldSeen = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') {
            QtQuotedText(format, i);
            continue;
        }
        // Invisible direction marks around a separator are not the separator.
        if (IsAsciiLetter(c))
            fieldSeen = true;
        else if (fieldSeen && !c.isSpace() && !c.isLetterOrNumber() && c.category() != QChar::Other_Format)
            return c;
        ++i;
    }
    return std::nullopt;
}

// Translates a Qt date or time format. The separator character becomes placeholder ("/" or
// ":"); fields the conversion language lacks (the time zone) are left out.
QString FromQtFormat(const QString& format, QChar separator, QChar placeholder, bool widenYear)
{
    QString result;
    bool dropped = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') {
            result += Quoted(QtQuotedText(format, i));
            continue;
        }
        if (!IsAsciiLetter(c)) {
            if (c == separator)
                result += placeholder;
            else if (c == u'/' || c == u':' || c == u'"')
                result += Quoted(QString(c));
            else
                result += c;
            ++i;
            continue;
        }
        if (c == u'A' || c == u'a') { // AP, ap, A, a: the locale's morning/afternoon text
            i += (i + 1 < format.size() && format[i + 1].toLower() == u'p') ? 2 : 1;
            result += QStringLiteral("ampm");
            continue;
        }
        qsizetype count = 1;
        while (i + count < format.size() && format[i + count] == c)
            ++count;
        i += count;
        const auto repeat = [](char letter, qsizetype n) { return QString(n, QChar::fromLatin1(letter)); };
        switch (c.unicode()) {
        case u'd': result += repeat('d', std::min<qsizetype>(count, 4)); break;
        case u'M': result += repeat('m', std::min<qsizetype>(count, 4)); break;
        case u'y': result += (count <= 2 && !widenYear) ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
        case u'h':
        case u'H': result += repeat('h', std::min<qsizetype>(count, 2)); break;
        case u'm': result += repeat('n', std::min<qsizetype>(count, 2)); break;
        case u's': result += repeat('s', std::min<qsizetype>(count, 2)); break;
        case u'z': result += count >= 3 ? QStringLiteral("zzz") : QStringLiteral("z"); break;
        case u't': dropped = true; break;
        default: result += Quoted(repeat(char(c.unicode()), count)); break;
        }
    }
    if (dropped) {
        // "h:mm:ss (t)" and "h:mm:ss t" both end as "h:nn:ss".
        result.remove(QStringLiteral("()"));
        result = result.trimmed();
    }
    return result;
}

// A numeric short date in the order of a Qt date format that names the month or has no
// separator ("d MMM yyyy"): dates have to be read back, and they are read as numbers.
std::optional<QString> NumericDateFormat(const QString& format, bool hasSeparator)
{
    QChar first;
    bool monthName = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == u'\'') {
            QtQuotedText(format, i);
            continue;
        }
        qsizetype count = 1;
        while (i + count < format.size() && format[i + count] == c)
            ++count;
        if ((c == u'd' && count <= 2) || c == u'M' || c == u'y') {
            if (first.isNull())
                first = c;
            monthName = monthName || (c == u'M' && count >= 3);
        }
        i += count;
    }
    if (hasSeparator && !monthName)
        return std::nullopt;
    if (first == u'd')
        return QStringLiteral("dd/mm/yyyy");
    if (first == u'y')
        return QStringLiteral("yyyy/mm/dd");
    return QStringLiteral("m/d/yyyy");
}

QChar FirstChar(const QString& text, QChar fallback)
{
    return text.isEmpty() ? fallback : text[0];
}

std::optional<TFormatSettings>& Current()
{
    static std::optional<TFormatSettings> settings;
    return settings;
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale)
{
    TFormatSettings fs;
    fs.DecimalSeparator = FirstChar(locale.decimalPoint(), u'.');
    // A locale without grouping keeps a null separator; formatting then groups nothing.
    fs.ThousandSeparator = FirstChar(locale.groupSeparator(), QChar());

    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    fs.DateSeparator = QtSeparator(shortDate).value_or(u'/');
    fs.TimeSeparator = QtSeparator(shortTime).value_or(u':');

    fs.ShortDateFormat = NumericDateFormat(shortDate, QtSeparator(shortDate).has_value())
                             .value_or(FromQtFormat(shortDate, fs.DateSeparator, u'/', true));
    fs.LongDateFormat = FromQtFormat(locale.dateFormat(QLocale::LongFormat), fs.DateSeparator, u'/', false);
    fs.ShortTimeFormat = FromQtFormat(shortTime, fs.TimeSeparator, u':', false);
    fs.LongTimeFormat = FromQtFormat(locale.timeFormat(QLocale::LongFormat), fs.TimeSeparator, u':', false);
    fs.TimeAMString = locale.amText();
    fs.TimePMString = locale.pmText();

    for (int m = 1; m <= 12; ++m) {
        fs.ShortMonthNames[m - 1] = locale.monthName(m, QLocale::ShortFormat);
        fs.LongMonthNames[m - 1] = locale.monthName(m, QLocale::LongFormat);
    }
    for (int d = 0; d < 7; ++d) {
        const int qtDay = d == 0 ? 7 : d; // Qt counts Monday = 1 … Sunday = 7
        fs.ShortDayNames[d] = locale.dayName(qtDay, QLocale::ShortFormat);
        fs.LongDayNames[d] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    return fs;
}

const TFormatSettings& FormatSettings()
{
    auto& current = Current();
    if (!current)
        current = TFormatSettings::FromLocale(QLocale::system());
    return *current;
}

void SetFormatSettings(const TFormatSettings& settings)
{
    Current() = settings;
}

} // namespace vg
