#include "platform/LineRaster.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>

namespace vg {

namespace {

constexpr std::array<int, 2> DashRuns{18, 6};
constexpr std::array<int, 2> DotRuns{3, 3};
constexpr std::array<int, 4> DashDotRuns{9, 6, 3, 6};
constexpr std::array<int, 6> DashDotDotRuns{9, 3, 3, 3, 3, 3};

// Whether pixel index (counted from the line's start) falls on an "on" run.
bool IsOn(std::span<const int> pattern, qint64 index)
{
    if (pattern.empty())
        return true;
    int period = 0;
    for (int run : pattern)
        period += run;
    int offset = int(index % period);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (offset < pattern[i])
            return i % 2 == 0;
        offset -= pattern[i];
    }
    return false;
}

// Pixel i of the thin line: the step along the longer axis, the other coordinate rounded
// half away from zero.
TPoint LinePixel(TPoint from, qint64 dx, qint64 dy, qint64 steps, qint64 i)
{
    auto along = [&](qint64 delta) { return int((delta * i + (delta >= 0 ? steps / 2 : -(steps / 2))) / steps); };
    return {from.X + along(dx), from.Y + along(dy)};
}

// The steps of the thin line whose pixel lies on the longer axis within [low, high].
struct TStepRange {
    qint64 First = 0;
    qint64 Last = -1; // inclusive
};

TStepRange StepsWithin(int start, qint64 delta, qint64 steps, int low, int high)
{
    // Along the longer axis, step i lies at start + i * sign(delta).
    qint64 first = delta >= 0 ? qint64(low) - start : qint64(start) - high;
    qint64 last = delta >= 0 ? qint64(high) - start : qint64(start) - low;
    return {std::max<qint64>(first, 0), std::min<qint64>(last, steps - 1)};
}

// Appends a one-pixel rectangle, growing the last rectangle instead when the pixel
// extends it along its row or column.
void AppendPixel(std::vector<QRect>& rects, TPoint p)
{
    if (!rects.empty()) {
        QRect& last = rects.back();
        if (last.height() == 1 && last.top() == p.Y && (p.X == last.right() + 1 || p.X == last.left() - 1)) {
            last = last.united(QRect(p.X, p.Y, 1, 1));
            return;
        }
        if (last.width() == 1 && last.left() == p.X && (p.Y == last.bottom() + 1 || p.Y == last.top() - 1)) {
            last = last.united(QRect(p.X, p.Y, 1, 1));
            return;
        }
    }
    rects.emplace_back(p.X, p.Y, 1, 1);
}

// The union of w x w squares on every pixel of the thin line, one span per row (a row's
// covered pixels are contiguous because consecutive squares move by at most one pixel),
// rows with equal spans merged.
std::vector<QRect> WideLineRects(TPoint from, qint64 dx, qint64 dy, qint64 steps, TStepRange range, int width,
                                 const QRect& area)
{
    const int reach = width / 2;
    std::map<int, std::pair<int, int>> spans; // row -> first and last column
    for (qint64 i = range.First; i <= range.Last; ++i) {
        const TPoint p = LinePixel(from, dx, dy, steps, i);
        // The square, cut to the area of interest (which also keeps the sums in range).
        const int left = int(std::max(qint64(p.X) - reach, qint64(area.left())));
        const int right = int(std::min(qint64(p.X) - reach + width - 1, qint64(area.right())));
        const int top = int(std::max(qint64(p.Y) - reach, qint64(area.top())));
        const int bottom = int(std::min(qint64(p.Y) - reach + width - 1, qint64(area.bottom())));
        if (left > right)
            continue;
        for (int row = top; row <= bottom; ++row) {
            auto [it, inserted] = spans.try_emplace(row, left, right);
            if (!inserted) {
                it->second.first = std::min(it->second.first, left);
                it->second.second = std::max(it->second.second, right);
            }
        }
    }
    std::vector<QRect> rects;
    for (const auto& [row, span] : spans) {
        const QRect line(QPoint(span.first, row), QPoint(span.second, row));
        if (!rects.empty() && rects.back().left() == line.left() && rects.back().right() == line.right()
            && rects.back().bottom() + 1 == row)
            rects.back().setBottom(row);
        else
            rects.push_back(line);
    }
    return rects;
}

} // namespace

std::span<const int> PenDashPattern(TPenStyle style)
{
    switch (style) {
    case psDash: return DashRuns;
    case psDot: return DotRuns;
    case psDashDot: return DashDotRuns;
    case psDashDotDot: return DashDotDotRuns;
    default: return {};
    }
}

std::vector<QRect> LineRects(TPoint from, TPoint to, int penWidth, TPenStyle style, const QRect& bounds)
{
    const qint64 dx = qint64(to.X) - from.X, dy = qint64(to.Y) - from.Y;
    const qint64 steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0 || style == psClear || bounds.isEmpty())
        return {};
    // Wider pens than this are no line any more; the limit keeps the arithmetic in range.
    constexpr int MaxPenWidth = 1 << 16;
    const int width = std::clamp(penWidth, 1, MaxPenWidth);
    // A square reaches width pixels around its step; bounds grown by that much keep every
    // step that can paint inside bounds.
    const QRect reach = bounds.adjusted(-width, -width, width, width);
    const TStepRange range = std::abs(dx) >= std::abs(dy)
        ? StepsWithin(from.X, dx, steps, reach.left(), reach.right())
        : StepsWithin(from.Y, dy, steps, reach.top(), reach.bottom());
    if (width > 1)
        return WideLineRects(from, dx, dy, steps, range, width, reach);
    const std::span<const int> pattern = PenDashPattern(style);
    std::vector<QRect> rects;
    for (qint64 i = range.First; i <= range.Last; ++i) {
        if (IsOn(pattern, i)) {
            const TPoint p = LinePixel(from, dx, dy, steps, i);
            if (reach.contains(p.X, p.Y))
                AppendPixel(rects, p);
        }
    }
    return rects;
}

} // namespace vg
