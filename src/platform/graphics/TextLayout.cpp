#include "platform/graphics/TextLayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace vg {

namespace {

const QString Ellipsis = QStringLiteral("...");
constexpr int TabStopChars = 8;

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Measures and draws single lines of text in one font, with tabs as the flags say.
class TLineMetrics {
public:
    TLineMetrics(const QFont& font, bool expandTabs)
        : FMetrics(font)
        , FExpandTabs(expandTabs)
    {
    }

    const QFontMetrics& Metrics() const { return FMetrics; }

    int Width(QStringView line) const
    {
        return ForEachSegment(line, [](QStringView, int) {});
    }

    // Calls draw(segment, x) for each run of text between tabs, x counted from the line's
    // start; returns the line's width, or with wantWidth false (drawing alone) 0. Measuring
    // shapes the text, the costliest step of painting a cell, so a segment is measured only
    // when something depends on its width.
    template <class F>
    int ForEachSegment(QStringView line, F&& draw, bool wantWidth = true) const
    {
        int x = 0;
        qsizetype start = 0;
        while (true) {
            const qsizetype tab = line.indexOf(u'\t', start);
            const QStringView segment = line.mid(start, (tab < 0 ? line.size() : tab) - start);
            if (!segment.isEmpty()) {
                draw(segment, x);
                if (tab >= 0 || wantWidth)
                    x += FMetrics.horizontalAdvance(segment.toString());
            }
            if (tab < 0)
                return wantWidth ? x : 0;
            x = FExpandTabs ? (x / TabWidth() + 1) * TabWidth() : x + FMetrics.horizontalAdvance(QLatin1Char(' '));
            start = tab + 1;
        }
    }

private:
    int TabWidth() const { return std::max(1, TabStopChars * FMetrics.averageCharWidth()); }

    QFontMetrics FMetrics;
    bool FExpandTabs;
};

// The paragraphs of the text: split at line breaks, or joined by spaces for one line.
QStringList Paragraphs(const QString& text, bool singleLine)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    if (singleLine) {
        QString joined = text;
        return {joined.replace(lineBreak, QStringLiteral(" "))};
    }
    return text.split(lineBreak);
}

// The end of the word (run of non-blank characters) that starts at or after from.
qsizetype WordEnd(const QString& text, qsizetype from)
{
    while (from < text.size() && IsBlank(text[from]))
        ++from;
    while (from < text.size() && !IsBlank(text[from]))
        ++from;
    return from;
}

// Breaks a paragraph into lines no wider than width, at blanks, never inside a word.
void WrapParagraph(const QString& paragraph, int width, const TLineMetrics& metrics, QStringList& lines)
{
    qsizetype start = 0; // the paragraph's own leading blanks stay on its first line
    do {
        qsizetype end = WordEnd(paragraph, start); // a first word goes on the line even when too wide
        while (end < paragraph.size()) {
            const qsizetype next = WordEnd(paragraph, end);
            const bool anotherWord = next > end && !IsBlank(paragraph[next - 1]);
            if (!anotherWord)
                break;
            if (metrics.Width(QStringView(paragraph).mid(start, next - start)) > width)
                break;
            end = next;
        }
        lines.append(paragraph.mid(start, end - start));
        start = end;
        while (start < paragraph.size() && IsBlank(paragraph[start]))
            ++start;
    } while (start < paragraph.size());
}

// The line cut at its end so that it fits width together with "...".
QString EndEllipsis(const QString& line, int width, const TLineMetrics& metrics)
{
    if (metrics.Width(line) <= width)
        return line;
    // Cut only between whole characters (a surrogate pair or a base with its accents).
    std::vector<qsizetype> cuts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, line);
    for (qsizetype p = 0; p >= 0 && p < line.size(); p = finder.toNextBoundary())
        cuts.push_back(p);
    auto cutAt = [&](qsizetype length) {
        QStringView kept = QStringView(line).left(length);
        while (!kept.isEmpty() && IsBlank(kept.back()))
            kept.chop(1);
        return kept.toString() + Ellipsis;
    };
    // The longest cut that fits; the width grows with the kept length.
    auto fits = std::partition_point(cuts.begin(), cuts.end(),
                                     [&](qsizetype length) { return metrics.Width(cutAt(length)) <= width; });
    return fits == cuts.begin() ? Ellipsis : cutAt(*(fits - 1));
}

QStringList LayOutLines(const QString& text, unsigned flags, int width, const TLineMetrics& metrics)
{
    const bool singleLine = flags & DT_SINGLELINE;
    QStringList lines;
    for (const QString& paragraph : Paragraphs(text, singleLine)) {
        if ((flags & DT_WORDBREAK) && !singleLine)
            WrapParagraph(paragraph, width, metrics, lines);
        else
            lines.append(paragraph);
    }
    if (flags & DT_END_ELLIPSIS) {
        for (QString& line : lines)
            line = EndEllipsis(line, width, metrics);
    }
    return lines;
}

int AlignedOffset(int space, int extent, unsigned flags, unsigned centre, unsigned far)
{
    if (flags & centre)
        return (space - extent) / 2;
    if (flags & far)
        return space - extent;
    return 0;
}

} // namespace

int DrawText(TCanvas& canvas, const QString& text, TRect& rect, unsigned flags)
{
    const QFont font = canvas.Font().ToQFont();
    const TLineMetrics metrics(font, flags & DT_EXPANDTABS);
    const QStringList lines = LayOutLines(text, flags, rect.Width(), metrics);
    const int lineHeight = metrics.Metrics().height();
    const int height = int(lines.size()) * lineHeight;

    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, metrics.Width(line));
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + height;
        return height;
    }

    QPainter* p = canvas.Handle();
    if (!p)
        return height;
    p->save();
    if (!(flags & DT_NOCLIP))
        p->setClipRect(rect.IsEmpty() ? QRect() : rect.ToQRect(), Qt::IntersectClip);
    p->setFont(font);
    p->setPen(canvas.ToQColor(canvas.Font().Color()));
    int y = rect.Top + AlignedOffset(rect.Height(), height, flags, DT_VCENTER, DT_BOTTOM);
    for (const QString& line : lines) {
        // Left-aligned lines need no measuring.
        const bool aligned = flags & (DT_CENTER | DT_RIGHT);
        const int x = rect.Left + (aligned ? AlignedOffset(rect.Width(), metrics.Width(line), flags, DT_CENTER, DT_RIGHT) : 0);
        const int baseline = y + metrics.Metrics().ascent();
        metrics.ForEachSegment(
            line, [&](QStringView segment, int offset) { p->drawText(QPoint(x + offset, baseline), segment.toString()); },
            false);
        y += lineHeight;
    }
    p->restore();
    return height;
}

} // namespace vg
