#include "platform/graphics/TextLayout.h"

#include <QFontMetrics>
#include <QCoreApplication>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QThread>
#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <optional>
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

// A run of text between tabs on one line, where it starts from the rectangle's left
// edge and the block's top, and its glyphs once it has been drawn.
struct TTextRun {
    QString Text;
    int X = 0;
    int Line = 0;
    std::optional<QList<QGlyphRun>> Glyphs;
};

// A text laid out for one font, flags and width.
struct TLaidOutText {
    QStringList Lines;
    std::vector<TTextRun> Runs;
    int LineHeight = 0;
    int Ascent = 0;
    int Widest = -1; // measured when first asked for
    // Where the glyphs of all runs leave ink, from the rectangle's left and the block's
    // top, once they have been shaped.
    std::optional<QRect> Ink;
    int Height() const { return int(Lines.size()) * LineHeight; }
};

TLaidOutText LayOut(const TTextLayoutKey& key)
{
    const TLineMetrics metrics(key.Font, key.Flags & DT_EXPANDTABS);
    TLaidOutText laidOut;
    laidOut.Lines = LayOutLines(key.Text, key.Flags, key.Width, metrics);
    laidOut.LineHeight = metrics.Metrics().height();
    laidOut.Ascent = metrics.Metrics().ascent();
    // Left-aligned lines need no measuring.
    const bool aligned = key.Flags & (DT_CENTER | DT_RIGHT);
    for (int i = 0; i < laidOut.Lines.size(); ++i) {
        const QString& line = laidOut.Lines[i];
        const int x = aligned ? AlignedOffset(key.Width, metrics.Width(line), key.Flags, DT_CENTER, DT_RIGHT) : 0;
        metrics.ForEachSegment(
            line, [&](QStringView segment, int offset) { laidOut.Runs.push_back({segment.toString(), x + offset, i, {}}); },
            false);
    }
    return laidOut;
}

// The glyphs of a run as the painter's device shows them, shaped once.
QList<QGlyphRun> ShapeRun(const QString& text, const QFont& font, QPainter& painter)
{
    QTextLayout layout(text, font, painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(painter.layoutDirection());
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute); // from x = 0 in either direction
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    // The glyphs placed around a baseline at y = 0, as QPainter::drawText places them.
    const qreal ascent = layout.lineAt(0).ascent();
    QList<QGlyphRun> runs = layout.glyphRuns();
    for (QGlyphRun& run : runs) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions)
            position.ry() -= ascent;
        run.setPositions(positions);
    }
    return runs;
}

// Where a run's glyphs leave ink, by the glyphs' own outlines (a run's bounding rectangle
// is that of its line, not of its ink).
QRectF InkOf(const QGlyphRun& run)
{
    const QRawFont font = run.rawFont();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    QRectF ink;
    for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i)
        ink |= font.boundingRect(glyphs[i]).translated(positions[i]);
    return ink;
}

} // namespace

bool TTextLayoutKey::operator==(const TTextLayoutKey& other) const
{
    return Flags == other.Flags && Width == other.Width && DevicePixelRatio == other.DevicePixelRatio &&
           Dpi == other.Dpi && Text == other.Text && Font == other.Font;
}

size_t qHash(const TTextLayoutKey& key, size_t seed)
{
    return qHashMulti(seed, key.Text, key.Font, key.Flags, key.Width, key.DevicePixelRatio, key.Dpi);
}

struct TTextLayoutCache::TEntry : TLaidOutText {};

TTextLayoutCache::TTextLayoutCache(qsizetype capacity)
    : FEntries(capacity)
{
}

namespace {
// The cache of the application's thread, while it lives: the application's own clean-up
// may run after the thread's objects are gone (an application object kept in a static).
TTextLayoutCache* ApplicationThreadCache = nullptr;
}

TTextLayoutCache::~TTextLayoutCache()
{
    if (ApplicationThreadCache == this)
        ApplicationThreadCache = nullptr;
}

TTextLayoutCache& TTextLayoutCache::Instance()
{
    // Glyphs belong to the fonts of the thread that shaped them (images may be painted
    // on any thread). Fonts added to or removed from the application may change what a
    // font's name stands for, and the fonts go with the application.
    thread_local TTextLayoutCache cache;
    thread_local const bool watching = [] {
        if (qGuiApp && QThread::currentThread() == qGuiApp->thread()) {
            ApplicationThreadCache = &cache;
            const auto clear = [] {
                if (ApplicationThreadCache)
                    ApplicationThreadCache->Clear();
            };
            QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, clear);
            qAddPostRoutine(+clear);
        }
        return true;
    }();
    Q_UNUSED(watching);
    return cache;
}

void TTextLayoutCache::Clear()
{
    FEntries.clear();
}

qsizetype TTextLayoutCache::Count() const
{
    return FEntries.size();
}

void TTextLayoutCache::SetCapacity(qsizetype capacity)
{
    FEntries.setMaxCost(capacity);
}

TTextLayoutCache::TEntry& TTextLayoutCache::Find(const TTextLayoutKey& key)
{
    if (TEntry* entry = FEntries.object(key))
        return *entry;
    auto entry = std::make_unique<TEntry>(TEntry{LayOut(key)});
    if (FEntries.maxCost() > 0) {
        TEntry& kept = *entry;
        FEntries.insert(key, entry.release());
        return kept;
    }
    // A cache of no capacity keeps nothing: the entry lives until the next lookup.
    FUncached = std::move(entry);
    return *FUncached;
}

int DrawText(TCanvas& canvas, const QString& text, TRect& rect, unsigned flags)
{
    QPainter* p = canvas.Handle();
    TTextLayoutKey key;
    key.Text = text;
    key.Font = canvas.Font().ToQFont();
    key.Flags = flags & (DT_CENTER | DT_RIGHT | DT_WORDBREAK | DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS);
    // The width shapes the layout only where lines are wrapped, cut or aligned by it.
    key.Width = key.Flags & (DT_CENTER | DT_RIGHT | DT_WORDBREAK | DT_END_ELLIPSIS) ? rect.Width() : 0;
    if (p && p->isActive()) {
        // The pixels painted on, which a widget's painter reaches without asking its screen.
        key.DevicePixelRatio = p->paintEngine()->paintDevice()->devicePixelRatioF();
        // The resolution sizes only fonts given in points.
        if (key.Font.pixelSize() <= 0)
            key.Dpi = p->device()->logicalDpiY();
    }
    TTextLayoutCache::TEntry& laidOut = TTextLayoutCache::Instance().Find(key);
    const int height = laidOut.Height();

    if (flags & DT_CALCRECT) {
        if (laidOut.Widest < 0) {
            const TLineMetrics metrics(key.Font, flags & DT_EXPANDTABS);
            laidOut.Widest = 0;
            for (const QString& line : laidOut.Lines)
                laidOut.Widest = std::max(laidOut.Widest, metrics.Width(line));
        }
        rect.Right = rect.Left + laidOut.Widest;
        rect.Bottom = rect.Top + height;
        return height;
    }

    if (!p)
        return height;
    const int top = rect.Top + AlignedOffset(rect.Height(), height, flags, DT_VCENTER, DT_BOTTOM);
    // Kept glyphs draw their underline or strike-out line differently from the painter's
    // own text when the device is scaled, so text with such lines is drawn as text.
    const bool decorated = key.Font.underline() || key.Font.strikeOut() || key.Font.overline();
    if (!decorated && !laidOut.Ink) {
        QRectF ink;
        for (TTextRun& run : laidOut.Runs) {
            run.Glyphs = ShapeRun(run.Text, key.Font, *p);
            const QPointF baseline(run.X, run.Line * laidOut.LineHeight + laidOut.Ascent);
            for (const QGlyphRun& glyphs : *run.Glyphs)
                ink |= InkOf(glyphs).translated(baseline);
        }
        laidOut.Ink = ink.toAlignedRect();
    }
    // Text that leaves no ink (an empty cell) has nothing to draw.
    if (!decorated && laidOut.Ink->isEmpty())
        return height;
    // Setting a clip costs the painter more than drawing a cell's text: text whose ink
    // (with a pixel's margin for smoothing) lies inside the rectangle is drawn without one.
    constexpr int InkMargin = 1;
    const bool clip = !(flags & DT_NOCLIP) &&
                      (decorated || !rect.ToQRect().contains(laidOut.Ink->translated(rect.Left, top).adjusted(
                                        -InkMargin, -InkMargin, InkMargin, InkMargin)));
    p->save();
    if (clip)
        p->setClipRect(rect.IsEmpty() ? QRect() : rect.ToQRect(), Qt::IntersectClip);
    p->setPen(canvas.ToQColor(canvas.Font().Color()));
    if (decorated)
        p->setFont(key.Font);
    for (const TTextRun& run : laidOut.Runs) {
        const QPoint baseline(rect.Left + run.X, top + run.Line * laidOut.LineHeight + laidOut.Ascent);
        if (decorated)
            p->drawText(baseline, run.Text);
        else
            for (const QGlyphRun& glyphs : *run.Glyphs)
                p->drawGlyphRun(baseline, glyphs);
    }
    p->restore();
    return height;
}

} // namespace vg
