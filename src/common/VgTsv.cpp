#include "common/VgTsv.h"

namespace vg {

namespace {

bool IsLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool NeedsQuotes(QStringView Value)
{
    for (QChar c : Value)
        if (c == u'\t' || c == u'\n' || c == u'\r' || c == u'"')
            return true;
    return false;
}

// Reads the text value by value. Pos always stands at the start of a value.
class TTsvScanner {
public:
    explicit TTsvScanner(QStringView Text) : FText(Text) {}

    QList<QStringList> ReadAll()
    {
        QList<QStringList> lines;
        QStringList line;
        while (FPos < FText.size()) {
            line.append(ReadValue());
            if (FPos >= FText.size()) {
                lines.append(std::move(line));
                break;
            }
            const QChar ender = FText[FPos++];
            if (ender == u'\t') {
                // A tab at the very end of the text leaves one empty value after it.
                if (FPos == FText.size()) {
                    line.append(QString());
                    lines.append(std::move(line));
                }
                continue;
            }
            if (ender == u'\r' && FPos < FText.size() && FText[FPos] == u'\n')
                ++FPos;
            lines.append(std::move(line));
            line = QStringList();
        }
        return lines;
    }

private:
    // The value at FPos; FPos ends at the tab or line end after it, or at the text's end.
    QString ReadValue()
    {
        if (FPos < FText.size() && FText[FPos] == u'"') {
            QString quoted;
            if (ReadQuoted(quoted))
                return quoted;
        }
        const qsizetype start = FPos;
        while (FPos < FText.size() && FText[FPos] != u'\t' && !IsLineEnd(FText[FPos]))
            ++FPos;
        return FText.mid(start, FPos - start).toString();
    }

    // Reads the quoted value whose opening quote is at FPos into Value; false, with FPos
    // unchanged, when the quote is never closed.
    bool ReadQuoted(QString& Value)
    {
        qsizetype pos = FPos + 1;
        qsizetype runStart = pos;
        for (;;) {
            const qsizetype quote = FText.indexOf(u'"', pos);
            if (quote < 0)
                return false;
            Value.append(FText.mid(runStart, quote - runStart));
            if (quote + 1 < FText.size() && FText[quote + 1] == u'"') {
                Value.append(u'"');
                pos = runStart = quote + 2;
                continue;
            }
            pos = quote + 1;
            break;
        }
        // Text after the closing quote belongs to the value as it stands.
        const qsizetype rest = pos;
        while (pos < FText.size() && FText[pos] != u'\t' && !IsLineEnd(FText[pos]))
            ++pos;
        Value.append(FText.mid(rest, pos - rest));
        FPos = pos;
        return true;
    }

    QStringView FText;
    qsizetype FPos = 0;
};

} // namespace

QList<QStringList> ReadTsvText(QStringView Text)
{
    return TTsvScanner(Text).ReadAll();
}

TvgTsvWriter::TvgTsvWriter(qsizetype ExpectedSize)
{
    FText.reserve(ExpectedSize);
}

void TvgTsvWriter::WriteValue(QStringView Value)
{
    if (FLineStarted)
        FText.append(u'\t');
    FLineStarted = true;
    if (!NeedsQuotes(Value)) {
        FText.append(Value);
        return;
    }
    FText.append(u'"');
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < Value.size(); ++i) {
        if (Value[i] == u'"') {
            FText.append(Value.mid(runStart, i + 1 - runStart));
            FText.append(u'"');
            runStart = i + 1;
        }
    }
    FText.append(Value.mid(runStart));
    FText.append(u'"');
}

void TvgTsvWriter::EndLine()
{
    FText.append(u'\n');
    FLineStarted = false;
}

QString TvgTsvWriter::TakeText()
{
    FLineStarted = false;
    return std::exchange(FText, QString());
}

QString WriteTsvText(const QList<QStringList>& Lines)
{
    TvgTsvWriter writer;
    for (const QStringList& line : Lines) {
        for (const QString& value : line)
            writer.WriteValue(value);
        writer.EndLine();
    }
    return writer.TakeText();
}

} // namespace vg
