// Reading numbers, dates and times from text under the regional settings.
#include "platform/locale/Conversions.h"

#include "platform/core/Exceptions.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>
namespace vg {

namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// ----------------------------------------------------------------------------------------
// Reading numbers

bool ParseFloat(const QString& S, QChar decimalSeparator, double& value)
{
    qsizetype i = 0;
    qsizetype end = S.size();
    while (i < end && S[i].isSpace())
        ++i;
    while (end > i && S[end - 1].isSpace())
        --end;

    bool negative = false;
    if (i < end && (S[i] == u'+' || S[i] == u'-'))
        negative = S[i++] == u'-';

    // The text handed to from_chars, and the position of the first significant digit
    // relative to the decimal point (to tell an underflow from an overflow).
    std::string text;
    int digits = 0;
    int magnitude = 0;
    bool significant = false;
    int intDigits = 0;
    while (i < end && IsDigit(S[i])) {
        significant = significant || S[i] != u'0';
        if (significant)
            ++magnitude;
        text += char(S[i++].unicode());
        ++digits;
        ++intDigits;
    }
    if (intDigits == 0)
        text += '0';
    if (i < end && S[i] == decimalSeparator) {
        ++i;
        text += '.';
        while (i < end && IsDigit(S[i])) {
            if (!significant) {
                significant = S[i] != u'0';
                if (!significant)
                    --magnitude;
            }
            text += char(S[i++].unicode());
            ++digits;
        }
    }
    if (digits == 0)
        return false;

    long long exponent = 0;
    if (i < end && (S[i] == u'e' || S[i] == u'E')) {
        text += 'e';
        ++i;
        bool expNegative = false;
        if (i < end && (S[i] == u'+' || S[i] == u'-')) {
            expNegative = S[i++] == u'-';
            if (expNegative)
                text += '-';
        }
        const qsizetype expStart = i;
        while (i < end && IsDigit(S[i])) {
            if (exponent < 100000) // far beyond any double; keeps the sum below in range
                exponent = exponent * 10 + S[i].digitValue();
            text += char(S[i++].unicode());
        }
        if (i == expStart)
            return false;
        if (expNegative)
            exponent = -exponent;
    }
    if (i != end)
        return false;

    double result = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (ptr != text.data() + text.size())
        return false;
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large to hold is no number at all.
        if (magnitude + exponent > 0)
            return false;
        result = 0;
    } else if (ec != std::errc()) {
        return false;
    }
    value = negative ? -result : result;
    return true;
}

// ----------------------------------------------------------------------------------------
// Reading dates and times

enum class TDateOrder { MDY, DMY, YMD };

// The order of day, month and year in a date format: whichever letter comes first.
TDateOrder DateOrderOf(const QString& format)
{
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        switch (c.toLower().unicode()) {
        case u'\'':
        case u'"': quote = c; break;
        case u'd': return TDateOrder::DMY;
        case u'm': return TDateOrder::MDY;
        case u'y': return TDateOrder::YMD;
        default: break;
        }
    }
    return TDateOrder::MDY;
}

// A cursor over text being read; blanks are allowed between the parts.
class TScanner {
public:
    explicit TScanner(const QString& text) : FText(text) {}

    // Blanks, and the invisible direction marks some locales put around separators.
    void SkipBlanks()
    {
        while (FPos < FText.size() && (FText[FPos].isSpace() || FText[FPos].category() == QChar::Other_Format))
            ++FPos;
    }
    bool AtEnd()
    {
        SkipBlanks();
        return FPos >= FText.size();
    }
    // A separator; a blank separator is matched by any run of blanks.
    bool Char(QChar c)
    {
        if (c.isSpace()) {
            const qsizetype start = FPos;
            SkipBlanks();
            return FPos > start;
        }
        SkipBlanks();
        if (FPos < FText.size() && FText[FPos] == c) {
            ++FPos;
            return true;
        }
        return false;
    }
    // An unsigned number of at most nine digits.
    bool Number(int& value, int& digits)
    {
        SkipBlanks();
        value = 0;
        digits = 0;
        while (FPos < FText.size() && IsDigit(FText[FPos])) {
            if (digits == 9)
                return false;
            value = value * 10 + FText[FPos++].digitValue();
            ++digits;
        }
        return digits > 0;
    }
    // Digits after a decimal separator, as milliseconds (".5" is 500; beyond three digits
    // the rest is cut off).
    bool Fraction(int& msec)
    {
        msec = 0;
        int digits = 0;
        while (FPos < FText.size() && IsDigit(FText[FPos])) {
            if (digits < 3)
                msec = msec * 10 + FText[FPos].digitValue();
            ++FPos;
            ++digits;
        }
        for (int d = digits; d < 3; ++d)
            msec *= 10;
        return digits > 0;
    }
    // Literal text, any case.
    bool Text(const QString& text)
    {
        SkipBlanks();
        if (text.isEmpty() || QStringView(FText).mid(FPos, text.size()).compare(text, Qt::CaseInsensitive) != 0)
            return false;
        FPos += text.size();
        return true;
    }

private:
    const QString& FText;
    qsizetype FPos = 0;
};

bool ScanDate(TScanner& sc, const TFormatSettings& fs, TDateTime& date)
{
    int n1 = 0, n2 = 0, n3 = 0, l1 = 0, l2 = 0, l3 = 0;
    if (!sc.Number(n1, l1) || !sc.Char(fs.DateSeparator) || !sc.Number(n2, l2))
        return false;
    const TDateOrder order = DateOrderOf(fs.ShortDateFormat);
    int year = 0, month = 0, day = 0;
    // A separator after the second part may end the date ("5. 1." in some locales).
    if (sc.Char(fs.DateSeparator) && sc.Number(n3, l3)) {
        int yearDigits = l3;
        switch (order) {
        case TDateOrder::MDY: year = n3; month = n1; day = n2; break;
        case TDateOrder::DMY: year = n3; month = n2; day = n1; break;
        case TDateOrder::YMD: year = n1; month = n2; day = n3; yearDigits = l1; break;
        }
        if (yearDigits <= 2) {
            // Two-digit years fall in the hundred years starting Window years before now.
            const int base = CurrentYear() - fs.TwoDigitYearCenturyWindow;
            year += base / 100 * 100;
            if (fs.TwoDigitYearCenturyWindow > 0 && year < base)
                year += 100;
        }
        sc.Char(fs.DateSeparator);
    } else {
        year = CurrentYear();
        month = order == TDateOrder::DMY ? n2 : n1;
        day = order == TDateOrder::DMY ? n1 : n2;
    }
    return TryEncodeDate(year, month, day, date);
}

// 0 for a morning marker, 12 for an afternoon one, -1 for none.
int ScanAmPm(TScanner& sc, const TFormatSettings& fs)
{
    if (sc.Text(fs.TimeAMString) || sc.Text(QStringLiteral("AM")))
        return 0;
    if (sc.Text(fs.TimePMString) || sc.Text(QStringLiteral("PM")))
        return 12;
    return -1;
}

bool ScanTime(TScanner& sc, const TFormatSettings& fs, TDateTime& time)
{
    int baseHour = ScanAmPm(sc, fs);
    int hour = 0, min = 0, sec = 0, msec = 0, digits = 0;
    if (!sc.Number(hour, digits))
        return false;
    if (sc.Char(fs.TimeSeparator)) {
        if (!sc.Number(min, digits))
            return false;
        if (sc.Char(fs.TimeSeparator)) {
            if (!sc.Number(sec, digits))
                return false;
            if (sc.Char(fs.DecimalSeparator) && !sc.Fraction(msec))
                return false;
        }
    }
    if (baseHour < 0)
        baseHour = ScanAmPm(sc, fs);
    if (baseHour >= 0) {
        // A 12-hour clock runs 12, 1, …, 11.
        if (hour == 0 || hour > 12)
            return false;
        hour = hour % 12 + baseHour;
    }
    return TryEncodeTime(hour, min, sec, msec, time);
}

[[noreturn]] void RaiseConvertError(const QString& S, const char* what)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid %2").arg(S, QLatin1String(what)));
}

using TScanFunction = bool (*)(TScanner&, const TFormatSettings&, TDateTime&);

// Runs one scanner over the whole of S; Value is set only when nothing but blanks is left.
bool ScanWhole(const QString& S, TScanFunction scan, TDateTime& Value, const TFormatSettings& FS)
{
    TScanner sc(S);
    TDateTime result = 0;
    if (!scan(sc, FS, result) || !sc.AtEnd())
        return false;
    Value = result;
    return true;
}

using TTryConversion = bool (*)(const QString&, double&, const TFormatSettings&);

// The raising form of a Try… conversion: what names the kind of value in the message.
double ConvertOrRaise(TTryConversion tryConvert, const QString& S, const TFormatSettings& FS, const char* what)
{
    double value = 0;
    if (!tryConvert(S, value, FS))
        RaiseConvertError(S, what);
    return value;
}

} // namespace

bool TryStrToFloat(const QString& S, double& Value, const TFormatSettings& FS)
{
    return ParseFloat(S, FS.DecimalSeparator, Value);
}

double StrToFloat(const QString& S, const TFormatSettings& FS)
{
    return ConvertOrRaise(TryStrToFloat, S, FS, "floating point value");
}

bool TryStrToDate(const QString& S, TDateTime& Value, const TFormatSettings& FS)
{
    return ScanWhole(S, ScanDate, Value, FS);
}

TDateTime StrToDate(const QString& S, const TFormatSettings& FS)
{
    return ConvertOrRaise(TryStrToDate, S, FS, "date");
}

bool TryStrToTime(const QString& S, TDateTime& Value, const TFormatSettings& FS)
{
    return ScanWhole(S, ScanTime, Value, FS);
}

TDateTime StrToTime(const QString& S, const TFormatSettings& FS)
{
    return ConvertOrRaise(TryStrToTime, S, FS, "time");
}

bool TryStrToDateTime(const QString& S, TDateTime& Value, const TFormatSettings& FS)
{
    TScanner sc(S);
    TDateTime date = 0;
    TDateTime time = 0;
    if (ScanDate(sc, FS, date)) {
        if (sc.AtEnd()) {
            Value = date;
            return true;
        }
        if (ScanTime(sc, FS, time) && sc.AtEnd()) {
            Value = ComposeDateTime(date, time);
            return true;
        }
    }
    // A time alone is a time on day 0.
    return TryStrToTime(S, Value, FS);
}

TDateTime StrToDateTime(const QString& S, const TFormatSettings& FS)
{
    return ConvertOrRaise(TryStrToDateTime, S, FS, "date and time");
}

} // namespace vg
