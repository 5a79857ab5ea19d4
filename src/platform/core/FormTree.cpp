// Text of form files: the parser from text to a TFormObject tree and the printer back.
#include "platform/core/FormTree.h"

#include "platform/core/Exceptions.h"

#include <cmath>

namespace vg {

TFormValue TFormValue::OfInteger(qint64 v)
{
    TFormValue value;
    value.Kind = TKind::Integer;
    value.Integer = v;
    return value;
}

TFormValue TFormValue::OfString(const QString& v)
{
    TFormValue value;
    value.Kind = TKind::String;
    value.Text = v;
    return value;
}

TFormValue TFormValue::OfIdent(const QString& v)
{
    TFormValue value;
    value.Kind = TKind::Ident;
    value.Text = v;
    return value;
}

QString TFormValue::Describe() const
{
    switch (Kind) {
    case TKind::Integer: return QStringLiteral("the integer %1").arg(Integer);
    case TKind::Float: return QStringLiteral("a floating point number");
    case TKind::String: return QStringLiteral("a string");
    case TKind::Ident: return QStringLiteral("the identifier %1").arg(Text);
    case TKind::Set: return QStringLiteral("a set");
    case TKind::List: return QStringLiteral("a list");
    case TKind::Collection: return QStringLiteral("a collection");
    case TKind::Binary: return QStringLiteral("binary data");
    }
    return QString();
}

namespace {

// Nesting beyond this is refused rather than followed into stack exhaustion.
constexpr int MaxDepth = 64;

bool IsIdentStart(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigit(QChar c) { return IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }

class TFormParser {
public:
    explicit TFormParser(const QString& text) : FText(text) {}

    TFormValue ParseLoneValue()
    {
        SkipBlanks();
        TFormValue value = ParseValue(0);
        SkipBlanks();
        if (!AtEnd())
            Fail(QStringLiteral("end of text"), Found());
        return value;
    }

    TFormObject ParseRoot()
    {
        SkipBlanks();
        TFormObject root = ParseObject(0);
        SkipBlanks();
        if (!AtEnd())
            Fail(QStringLiteral("end of file"), Found());
        return root;
    }

private:
    [[noreturn]] void Fail(const QString& expected, const QString& found) const
    {
        throw EReadError(QStringLiteral("Line %1: expected %2 but found %3").arg(FLine).arg(expected, found));
    }

    bool AtEnd() const { return FPos >= FText.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : FText.at(FPos); }

    QString Found() const
    {
        if (AtEnd())
            return QStringLiteral("end of file");
        if (Peek() == u'\n' || Peek() == u'\r')
            return QStringLiteral("end of line");
        if (IsIdentStart(Peek())) {
            qsizetype end = FPos;
            while (end < FText.size() && (IsIdentStart(FText.at(end)) || IsDigit(FText.at(end))))
                ++end;
            return u'\'' + FText.mid(FPos, end - FPos) + u'\'';
        }
        return u'\'' + QString(Peek()) + u'\'';
    }

    void SkipBlanks()
    {
        while (!AtEnd() && Peek().isSpace()) {
            if (Peek() == u'\n')
                ++FLine;
            ++FPos;
        }
    }

    void Expect(QChar c)
    {
        SkipBlanks();
        if (Peek() != c)
            Fail(u'\'' + QString(c) + u'\'', Found());
        ++FPos;
    }

    QString ParseIdent(const QString& what, bool dotted = false)
    {
        SkipBlanks();
        if (!IsIdentStart(Peek()))
            Fail(what, Found());
        const qsizetype start = FPos;
        while (!AtEnd()) {
            const QChar c = Peek();
            if (IsIdentStart(c) || IsDigit(c)) {
                ++FPos;
            } else if (dotted && c == u'.' && FPos + 1 < FText.size() && IsIdentStart(FText.at(FPos + 1))) {
                ++FPos;
            } else {
                break;
            }
        }
        return FText.mid(start, FPos - start);
    }

    // Whether the next word is keyword (case-insensitive), without consuming it.
    bool AtKeyword(const QString& keyword)
    {
        SkipBlanks();
        const qsizetype end = FPos + keyword.size();
        if (end > FText.size() || FText.mid(FPos, keyword.size()).compare(keyword, Qt::CaseInsensitive) != 0)
            return false;
        return end == FText.size() || !(IsIdentStart(FText.at(end)) || IsDigit(FText.at(end)));
    }

    void ExpectKeyword(const QString& keyword)
    {
        if (!AtKeyword(keyword))
            Fail(u'\'' + keyword + u'\'', Found());
        FPos += keyword.size();
    }

    TFormObject ParseObject(int depth)
    {
        if (depth > MaxDepth)
            Fail(QStringLiteral("less deeply nested objects"), Found());
        TFormObject object;
        ExpectKeyword(QStringLiteral("object"));
        object.Line = FLine;
        const QString first = ParseIdent(QStringLiteral("an object name"));
        SkipBlanks();
        if (Peek() == u':') {
            ++FPos;
            object.Name = first;
            object.ClassName = ParseIdent(QStringLiteral("a class name"));
        } else {
            object.ClassName = first;
        }
        for (;;) {
            if (AtKeyword(QStringLiteral("end"))) {
                FPos += 3;
                return object;
            }
            if (AtKeyword(QStringLiteral("object"))) {
                object.Children.push_back(ParseObject(depth + 1));
                continue;
            }
            object.Properties.push_back(ParseProperty(depth));
        }
    }

    TFormProperty ParseProperty(int depth)
    {
        TFormProperty property;
        SkipBlanks();
        property.Line = FLine;
        property.Name = ParseIdent(QStringLiteral("a property name or 'end'"), true);
        Expect(u'=');
        property.Value = ParseValue(depth + 1);
        return property;
    }

    TFormValue ParseValue(int depth)
    {
        if (depth > MaxDepth)
            Fail(QStringLiteral("less deeply nested values"), Found());
        SkipBlanks();
        TFormValue value;
        value.Line = FLine;
        const QChar c = Peek();
        if (c == u'\'' || c == u'#') {
            value.Kind = TFormValue::TKind::String;
            value.Text = ParseString();
        } else if (IsDigit(c) || c == u'-' || c == u'+' || c == u'$') {
            ParseNumber(value);
        } else if (IsIdentStart(c)) {
            value.Kind = TFormValue::TKind::Ident;
            value.Text = ParseIdent(QStringLiteral("a value"));
        } else if (c == u'[') {
            ++FPos;
            value.Kind = TFormValue::TKind::Set;
            SkipBlanks();
            if (Peek() != u']') {
                for (;;) {
                    value.Set << ParseIdent(QStringLiteral("a set element"));
                    SkipBlanks();
                    if (Peek() != u',')
                        break;
                    ++FPos;
                }
            }
            Expect(u']');
        } else if (c == u'(') {
            ++FPos;
            value.Kind = TFormValue::TKind::List;
            for (;;) {
                SkipBlanks();
                if (Peek() == u')')
                    break;
                if (AtEnd())
                    Fail(QStringLiteral("')'"), Found());
                value.List.push_back(ParseValue(depth + 1));
            }
            ++FPos;
        } else if (c == u'<') {
            ++FPos;
            value.Kind = TFormValue::TKind::Collection;
            for (;;) {
                SkipBlanks();
                if (Peek() == u'>')
                    break;
                ExpectKeyword(QStringLiteral("item"));
                TFormItem item;
                item.Line = FLine;
                while (!AtKeyword(QStringLiteral("end")))
                    item.Properties.push_back(ParseProperty(depth + 1));
                FPos += 3;
                value.Items.push_back(std::move(item));
            }
            ++FPos;
        } else if (c == u'{') {
            ++FPos;
            value.Kind = TFormValue::TKind::Binary;
            value.Binary = ParseBinary();
        } else {
            Fail(QStringLiteral("a value"), Found());
        }
        return value;
    }

    // A string: quoted parts ('' for a quote) and #n character codes, joined directly or by '+'.
    QString ParseString()
    {
        QString result;
        for (;;) {
            SkipBlanks();
            const QChar c = Peek();
            if (c == u'\'') {
                ++FPos;
                for (;;) {
                    if (AtEnd() || Peek() == u'\n' || Peek() == u'\r')
                        Fail(QStringLiteral("the closing quote of a string"), QStringLiteral("end of line"));
                    const QChar d = FText.at(FPos++);
                    if (d == u'\'') {
                        if (Peek() != u'\'')
                            break;
                        ++FPos;
                    }
                    result += d;
                }
            } else if (c == u'#') {
                ++FPos;
                const qsizetype start = FPos;
                while (!AtEnd() && IsDigit(Peek()))
                    ++FPos;
                bool ok = false;
                const uint code = FText.mid(start, FPos - start).toUInt(&ok);
                if (!ok || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                    Fail(QStringLiteral("a character code"), u'\'' + FText.mid(start - 1, FPos - start + 1) + u'\'');
                const char32_t ch = code;
                result += QString::fromUcs4(&ch, 1);
            } else if (c == u'+') {
                ++FPos;
                SkipBlanks();
                if (Peek() != u'\'' && Peek() != u'#')
                    Fail(QStringLiteral("a string after '+'"), Found());
            } else {
                return result;
            }
            // A quote or a code right after a part, or a '+', continues the string.
            if (Peek() == u'\'' || Peek() == u'#')
                continue;
            const qsizetype save = FPos;
            const int saveLine = FLine;
            SkipBlanks();
            if (Peek() != u'+') {
                FPos = save;
                FLine = saveLine;
                return result;
            }
        }
    }

    void ParseNumber(TFormValue& value)
    {
        const qsizetype start = FPos;
        if (Peek() == u'$') {
            ++FPos;
            while (!AtEnd() && IsHexDigit(Peek()))
                ++FPos;
            bool ok = false;
            const qulonglong v = FText.mid(start + 1, FPos - start - 1).toULongLong(&ok, 16);
            if (!ok || v > 0xFFFFFFFFull)
                Fail(QStringLiteral("a hexadecimal number of at most 8 digits"), u'\'' + FText.mid(start, FPos - start) + u'\'');
            value.Kind = TFormValue::TKind::Integer;
            value.Integer = qint64(qint32(quint32(v))); // $FF000005 is a 32-bit value
            return;
        }
        if (Peek() == u'-' || Peek() == u'+')
            ++FPos;
        bool isFloat = false;
        while (!AtEnd()) {
            const QChar c = Peek();
            if (IsDigit(c)) {
                ++FPos;
            } else if (c == u'.' || c == u'e' || c == u'E') {
                isFloat = true;
                ++FPos;
                if ((c == u'e' || c == u'E') && (Peek() == u'-' || Peek() == u'+'))
                    ++FPos;
            } else {
                break;
            }
        }
        const QString text = FText.mid(start, FPos - start);
        bool ok = false;
        if (isFloat) {
            value.Kind = TFormValue::TKind::Float;
            value.Float = text.toDouble(&ok);
            if (!ok || !std::isfinite(value.Float))
                Fail(QStringLiteral("a number"), u'\'' + text + u'\'');
        } else {
            value.Kind = TFormValue::TKind::Integer;
            value.Integer = text.toLongLong(&ok);
            if (!ok)
                Fail(QStringLiteral("a number"), u'\'' + text + u'\'');
        }
    }

    QByteArray ParseBinary()
    {
        QByteArray hex;
        for (;;) {
            SkipBlanks();
            if (AtEnd())
                Fail(QStringLiteral("'}'"), Found());
            const QChar c = Peek();
            if (c == u'}') {
                ++FPos;
                break;
            }
            if (!IsHexDigit(c))
                Fail(QStringLiteral("a hexadecimal digit or '}'"), Found());
            hex += char(c.unicode());
            ++FPos;
        }
        if (hex.size() % 2 != 0)
            Fail(QStringLiteral("an even number of hexadecimal digits"), QStringLiteral("an odd number"));
        return QByteArray::fromHex(hex);
    }

    const QString& FText;
    qsizetype FPos = 0;
    int FLine = 1;
};

// ---- printing

QString QuoteString(const QString& s)
{
    if (s.isEmpty())
        return QStringLiteral("''");
    QString result;
    bool inQuotes = false;
    for (QChar c : s) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            if (inQuotes) {
                result += u'\'';
                inQuotes = false;
            }
            result += u'#' + QString::number(c.unicode());
        } else {
            if (!inQuotes) {
                result += u'\'';
                inQuotes = true;
            }
            result += c;
            if (c == u'\'')
                result += u'\'';
        }
    }
    if (inQuotes)
        result += u'\'';
    return result;
}

QString FloatText(double v)
{
    if (!std::isfinite(v))
        throw EWriteError(QStringLiteral("A floating point value that is not finite cannot be stored"));
    QString text = QString::number(v, 'g', 17);
    if (!text.contains(u'.') && !text.contains(u'e'))
        text += QStringLiteral(".0");
    return text;
}

class TFormPrinter {
public:
    QString Print(const TFormObject& object)
    {
        PrintObject(object, 0);
        return FOut;
    }

    QString PrintLone(const TFormValue& value)
    {
        PrintValue(value, 0);
        return FOut;
    }

private:
    static QString Indent(int level) { return QString(level * 2, u' '); }

    void PrintObject(const TFormObject& object, int level)
    {
        FOut += Indent(level) + QStringLiteral("object ");
        FOut += object.Name.isEmpty() ? object.ClassName : object.Name + QStringLiteral(": ") + object.ClassName;
        FOut += u'\n';
        for (const TFormProperty& p : object.Properties)
            PrintProperty(p, level + 1);
        for (const TFormObject& child : object.Children)
            PrintObject(child, level + 1);
        FOut += Indent(level) + QStringLiteral("end\n");
    }

    void PrintProperty(const TFormProperty& p, int level)
    {
        FOut += Indent(level) + p.Name + QStringLiteral(" = ");
        PrintValue(p.Value, level);
        FOut += u'\n';
    }

    void PrintValue(const TFormValue& v, int level)
    {
        using K = TFormValue::TKind;
        switch (v.Kind) {
        case K::Integer: FOut += QString::number(v.Integer); break;
        case K::Float: FOut += FloatText(v.Float); break;
        case K::String: FOut += QuoteString(v.Text); break;
        case K::Ident: FOut += v.Text; break;
        case K::Set: FOut += u'[' + v.Set.join(QStringLiteral(", ")) + u']'; break;
        case K::List:
            FOut += u'(';
            for (const TFormValue& item : v.List) {
                FOut += u'\n' + Indent(level + 1);
                PrintValue(item, level + 1);
            }
            FOut += u')';
            break;
        case K::Collection:
            FOut += u'<';
            for (const TFormItem& item : v.Items) {
                FOut += u'\n' + Indent(level + 1) + QStringLiteral("item\n");
                for (const TFormProperty& p : item.Properties)
                    PrintProperty(p, level + 2);
                FOut += Indent(level + 1) + QStringLiteral("end");
            }
            FOut += u'>';
            break;
        case K::Binary: {
            FOut += u'{';
            const QByteArray hex = v.Binary.toHex().toUpper();
            for (qsizetype i = 0; i < hex.size(); i += 64)
                FOut += u'\n' + Indent(level + 1) + QString::fromLatin1(hex.mid(i, 64));
            FOut += u'}';
            break;
        }
        }
    }

    QString FOut;
};

} // namespace

TFormObject ParseFormText(const QString& text)
{
    return TFormParser(text).ParseRoot();
}

QString FormObjectToText(const TFormObject& object)
{
    return TFormPrinter().Print(object);
}

TFormValue ParseFormValueText(const QString& text)
{
    return TFormParser(text).ParseLoneValue();
}

QString FormValueToText(const TFormValue& value)
{
    return TFormPrinter().PrintLone(value);
}

} // namespace vg
