// Numbers to text: FormatFloat and FloatToStr under the regional settings.
//
// Rounding in FormatFloat and FloatToStr: a double is first taken at 15 significant digits,
// all that a double carries reliably, and the formatted digits are then rounded half away
// from zero on that decimal number. So 2.675 (stored as 2.67499999999999982…) formats as
// 2.68 with "0.00", and 0.1 + 0.2 as 0.3 with "0.#": what the user typed or would have
// written, not the noise binary arithmetic leaves behind.
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
// Decimal digits of a double

// A non-negative value as 0.Digits × 10^Exponent; Digits carry no leading or trailing
// zeros, and are empty for zero.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;

    bool IsZero() const { return Digits.empty(); }
    void StripTrailingZeros()
    {
        while (!Digits.empty() && Digits.back() == '0')
            Digits.pop_back();
        if (Digits.empty())
            Exponent = 0;
    }
    // Digit at a position counted from the decimal point (0 = first fraction digit,
    // -1 = units); zero outside the digits held.
    char DigitAt(int place) const
    {
        const long long index = (long long)Exponent + place;
        return index >= 0 && index < (long long)Digits.size() ? Digits[size_t(index)] : '0';
    }

    // Keeps the first `keep` significant digits, rounding half away from zero.
    void Round(long long keep)
    {
        if (keep >= (long long)Digits.size())
            return;
        if (keep < 0) {
            *this = {};
            return;
        }
        const bool up = Digits[size_t(keep)] >= '5';
        Digits.resize(size_t(keep));
        if (up) {
            long long k = keep - 1;
            while (k >= 0 && Digits[size_t(k)] == '9')
                Digits[size_t(k--)] = '0';
            if (k < 0) {
                Digits.insert(Digits.begin(), '1');
                ++Exponent;
            } else {
                ++Digits[size_t(k)];
            }
        }
        StripTrailingZeros();
    }
};

constexpr int SignificantDigits = 15;

TDecimal ToDecimal(double absValue)
{
    TDecimal d;
    if (absValue == 0)
        return d;
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, absValue, std::chars_format::scientific, SignificantDigits - 1);
    const std::string_view text(buf, size_t(r.ptr - buf)); // d.dddddddddddddde±xx
    const size_t e = text.find('e');
    for (char ch : text.substr(0, e))
        if (ch != '.')
            d.Digits += ch;
    int exp10 = 0;
    for (char ch : text.substr(e + 2))
        exp10 = exp10 * 10 + (ch - '0');
    d.Exponent = (text[e + 1] == '-' ? -exp10 : exp10) + 1;
    d.StripTrailingZeros();
    return d;
}

QString NonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
}

// ----------------------------------------------------------------------------------------
// FormatFloat

struct TFloatToken {
    enum TKind { Literal, Digit, Point, Exponent } Kind;
    QString Text;         // Literal
    QChar Char;           // Digit: '0' or '#'; Exponent: 'E' or 'e'
    bool ExpPlus = false; // Exponent: sign shown for positive exponents
    int ExpDigits = 0;    // Exponent: minimum digits
};

struct TFloatSection {
    std::vector<TFloatToken> Tokens;
    bool Grouping = false;
    bool Scientific = false;
    int IntPlaceholders = 0;
    int MinIntDigits = 0;  // placeholders from the first '0' to the decimal point
    int FracPlaceholders = 0;
    int MinFracDigits = 0; // fraction placeholders up to the last '0'
};

// Splits a format at the semicolons outside quotes; sections past the third are ignored.
QStringList SplitSections(const QString& format)
{
    QStringList sections(1);
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            if (sections.size() == 3)
                break;
            sections.append(QString());
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

TFloatSection ParseSection(const QString& s)
{
    TFloatSection sec;
    bool pointSeen = false;
    int firstIntZero = -1;
    const auto literal = [&sec](const QString& text) {
        if (!sec.Tokens.empty() && sec.Tokens.back().Kind == TFloatToken::Literal)
            sec.Tokens.back().Text += text;
        else
            sec.Tokens.push_back({TFloatToken::Literal, text, {}});
    };
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (c == u'"' || c == u'\'') {
            literal(TakeQuotedLiteral(s, i).toString());
        } else if (sec.Scientific) {
            literal(QString(c)); // after the exponent everything is text
            ++i;
        } else if (c == u'0' || c == u'#') {
            sec.Tokens.push_back({TFloatToken::Digit, {}, c});
            if (pointSeen) {
                ++sec.FracPlaceholders;
                if (c == u'0')
                    sec.MinFracDigits = sec.FracPlaceholders;
            } else {
                if (c == u'0' && firstIntZero < 0)
                    firstIntZero = sec.IntPlaceholders;
                ++sec.IntPlaceholders;
            }
            ++i;
        } else if (c == u'.') {
            // Only the first point is the decimal point; later ones are dropped.
            if (!pointSeen)
                sec.Tokens.push_back({TFloatToken::Point, {}, {}});
            pointSeen = true;
            ++i;
        } else if (c == u',') {
            // Grouping is switched on by a comma among the integer digits; it prints nothing.
            if (!pointSeen)
                sec.Grouping = true;
            ++i;
        } else if ((c == u'E' || c == u'e') && i + 1 < s.size() && (s[i + 1] == u'+' || s[i + 1] == u'-')) {
            TFloatToken exp{TFloatToken::Exponent, {}, c};
            exp.ExpPlus = s[i + 1] == u'+';
            i += 2;
            while (i < s.size() && s[i] == u'0') {
                ++exp.ExpDigits;
                ++i;
            }
            sec.Tokens.push_back(exp);
            sec.Scientific = true;
        } else {
            literal(QString(c));
            ++i;
        }
    }
    if (firstIntZero >= 0)
        sec.MinIntDigits = sec.IntPlaceholders - firstIntZero;
    return sec;
}

// Lays the digits out in the section's placeholders. intDigits holds the whole integer
// part (leading zeros included where placeholders demand them); fracDigits one digit per
// fraction placeholder, of which the first fracShown are printed.
QString Layout(const TFloatSection& sec, const QString& intDigits, const QString& fracDigits, int fracShown,
               const QString& exponentText, const TFormatSettings& fs)
{
    QString out;
    const int len = int(intDigits.size());
    const bool grouping = sec.Grouping && !sec.Scientific && !fs.ThousandSeparator.isNull();
    // Prints the integer digit that stands `place` digits left of the units digit.
    const auto emitDigit = [&](int place) {
        out += intDigits[len - 1 - place];
        if (grouping && place > 0 && place % 3 == 0)
            out += fs.ThousandSeparator;
    };
    bool intDone = false;
    const auto emitAllInt = [&]() {
        if (!intDone)
            for (int place = len - 1; place >= 0; --place)
                emitDigit(place);
        intDone = true;
    };

    int intIndex = 0;
    int fracIndex = 0;
    bool afterPoint = false;
    for (const TFloatToken& t : sec.Tokens) {
        switch (t.Kind) {
        case TFloatToken::Literal:
            out += t.Text;
            break;
        case TFloatToken::Digit:
            if (afterPoint) {
                if (fracIndex < fracShown)
                    out += fracDigits[fracIndex];
                ++fracIndex;
            } else {
                // Placeholders are filled from the right; the leftmost takes any digits
                // that have no placeholder of their own.
                const int place = sec.IntPlaceholders - 1 - intIndex;
                if (intIndex == 0) {
                    for (int p = len - 1; p >= place && p >= 0; --p)
                        emitDigit(p);
                } else if (place < len) {
                    emitDigit(place);
                }
                ++intIndex;
                intDone = true;
            }
            break;
        case TFloatToken::Point:
            emitAllInt(); // a format without integer placeholders still shows the integer part
            afterPoint = true;
            if (fracShown > 0)
                out += fs.DecimalSeparator;
            break;
        case TFloatToken::Exponent:
            emitAllInt();
            afterPoint = true;
            out += exponentText;
            break;
        }
    }
    return out;
}

struct TRendered {
    QString Text;
    bool RoundedToZero = false;
    bool TooLarge = false;
};

// Digits past this many before the decimal point are shown in general form instead.
constexpr int MaxFixedIntegerDigits = 18;

TRendered RenderSection(const TFloatSection& sec, double absValue, const TFormatSettings& fs)
{
    TRendered r;
    if (sec.IntPlaceholders + sec.FracPlaceholders == 0) {
        // No placeholders: the section is text alone.
        for (const TFloatToken& t : sec.Tokens)
            if (t.Kind == TFloatToken::Literal)
                r.Text += t.Text;
        return r;
    }

    TDecimal d = ToDecimal(absValue);
    QString intDigits;
    QString fracDigits;
    QString exponentText;
    if (sec.Scientific) {
        // The mantissa has as many integer digits as the format demands with '0'; optional
        // '#' placeholders in front of them do not shift the exponent.
        const int intCount = std::max(1, sec.MinIntDigits);
        int exponent = 0;
        if (!d.IsZero()) {
            d.Round(intCount + sec.FracPlaceholders);
            exponent = d.Exponent - intCount;
            for (int k = 0; k < intCount; ++k)
                intDigits += QChar::fromLatin1(k < int(d.Digits.size()) ? d.Digits[size_t(k)] : '0');
            d.Exponent = intCount; // fraction digits now follow the mantissa's integer part
        }
        const TFloatToken& exp = *std::find_if(sec.Tokens.begin(), sec.Tokens.end(),
                                               [](const TFloatToken& t) { return t.Kind == TFloatToken::Exponent; });
        exponentText = exp.Char;
        if (exponent < 0)
            exponentText += u'-';
        else if (exp.ExpPlus)
            exponentText += u'+';
        exponentText += QString::number(std::abs(exponent)).rightJustified(exp.ExpDigits, u'0');
    } else {
        d.Round((long long)d.Exponent + sec.FracPlaceholders);
        if (d.Exponent > MaxFixedIntegerDigits) {
            r.TooLarge = true;
            return r;
        }
        for (int place = d.Exponent - 1; place >= 0; --place)
            intDigits += QChar::fromLatin1(d.DigitAt(-1 - place));
    }
    r.RoundedToZero = d.IsZero();
    if (intDigits.size() < sec.MinIntDigits)
        intDigits = intDigits.rightJustified(sec.MinIntDigits, u'0');

    int fracShown = sec.MinFracDigits;
    for (int j = 0; j < sec.FracPlaceholders; ++j) {
        const char digit = d.DigitAt(j);
        fracDigits += QChar::fromLatin1(digit);
        if (digit != '0')
            fracShown = std::max(fracShown, j + 1);
    }
    r.Text = Layout(sec, intDigits, fracDigits, fracShown, exponentText, fs);
    return r;
}

} // namespace

QString FloatToStr(double Value, const TFormatSettings& FS)
{
    if (!std::isfinite(Value))
        return NonFiniteText(Value);
    const TDecimal d = ToDecimal(std::fabs(Value));
    if (d.IsZero())
        return QStringLiteral("0");
    // Written into one buffer and made a string once: a database column of numbers turns
    // every value into text. The longest text is a sign, 15 digits, a point and a zero
    // padding or an exponent, well within the buffer.
    char16_t text[48];
    int length = 0;
    const auto put = [&](char ch) { text[length++] = char16_t(ch); };
    const std::string& digits = d.Digits;
    const int count = int(digits.size());
    const auto putDigits = [&](int from) {
        for (int i = from; i < count; ++i)
            put(digits[size_t(i)]);
    };
    if (Value < 0)
        put('-');
    if (d.Exponent > SignificantDigits || d.Exponent < -4) {
        // Scientific: one digit before the point, the exponent without padding.
        put(digits[0]);
        if (count > 1) {
            text[length++] = FS.DecimalSeparator.unicode();
            putDigits(1);
        }
        put('E');
        char exponent[8];
        const auto end = std::to_chars(exponent, exponent + sizeof exponent, d.Exponent - 1).ptr;
        for (const char* ch = exponent; ch != end; ++ch)
            put(*ch);
    } else if (d.Exponent <= 0) {
        put('0');
        text[length++] = FS.DecimalSeparator.unicode();
        for (int i = 0; i < -d.Exponent; ++i)
            put('0');
        putDigits(0);
    } else {
        for (int i = 0; i < d.Exponent; ++i)
            put(i < count ? digits[size_t(i)] : '0');
        if (count > d.Exponent) {
            text[length++] = FS.DecimalSeparator.unicode();
            putDigits(d.Exponent);
        }
    }
    return QString(reinterpret_cast<const QChar*>(text), length);
}

QString FormatFloat(const QString& Format, double Value, const TFormatSettings& FS)
{
    if (!std::isfinite(Value))
        return NonFiniteText(Value);
    const QStringList sections = SplitSections(Format);
    const auto usable = [&sections](int index) { return index < sections.size() && !sections[index].isEmpty(); };

    // Negative values take the second section (absolute value, no sign of their own), zero
    // the third; an empty or missing section falls back to the first.
    int index = 0;
    if (Value < 0 && usable(1))
        index = 1;
    else if (Value == 0 && usable(2))
        index = 2;
    if (!usable(index))
        return FloatToStr(Value, FS);

    const TRendered r = RenderSection(ParseSection(sections[index]), std::fabs(Value), FS);
    if (r.TooLarge)
        return FloatToStr(Value, FS);
    if (r.RoundedToZero && Value != 0) {
        // What shows as zero is zero: no "-0.00", and the zero section when there is one.
        return RenderSection(ParseSection(sections[usable(2) ? 2 : 0]), 0.0, FS).Text;
    }
    return Value < 0 && index == 0 ? u'-' + r.Text : r.Text;
}

} // namespace vg
