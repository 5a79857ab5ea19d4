/// \file
/// Pieces shared by the format-string languages: FormatFloat's, FormatDateTime's and the
/// Qt date formats the regional settings are taken from.
#pragma once

#include <QChar>
#include <QStringView>

namespace vg {

inline bool IsAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

/// The literal text that starts at format[i] with a quote (" or '), up to the next quote
/// of the same kind or, when it is never closed, to the end of the format. i moves past
/// the closing quote.
inline QStringView TakeQuotedLiteral(QStringView format, qsizetype& i)
{
    const QChar quote = format[i];
    qsizetype close = format.indexOf(quote, i + 1);
    if (close < 0)
        close = format.size();
    const QStringView text = format.mid(i + 1, close - i - 1);
    i = close + 1;
    return text;
}

} // namespace vg
