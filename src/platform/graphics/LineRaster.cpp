#include "platform/graphics/LineRaster.h"

#include <algorithm>
#include <array>
#include <cstdlib>

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

// Appends the strip of one step, growing the last rectangle instead when the strip
// continues it: the same extent across the line, and adjacent along it.
void AppendStrip(std::vector<QRect>& rects, const QRect& strip, bool alongX)
{
    if (!rects.empty()) {
        QRect& last = rects.back();
        const bool sameAcross = alongX ? (last.top() == strip.top() && last.bottom() == strip.bottom())
                                       : (last.left() == strip.left() && last.right() == strip.right());
        const bool adjacent = alongX ? (strip.left() == last.right() + 1 || strip.right() == last.left() - 1)
                                     : (strip.top() == last.bottom() + 1 || strip.bottom() == last.top() - 1);
        if (sameAcross && adjacent) {
            last = last.united(strip);
            return;
        }
    }
    rects.push_back(strip);
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
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const int width = std::max(penWidth, 1);
    const TStepRange range = alongX ? StepsWithin(from.X, dx, steps, bounds.left(), bounds.right())
                                    : StepsWithin(from.Y, dy, steps, bounds.top(), bounds.bottom());
    const std::span<const int> pattern = width > 1 ? std::span<const int>() : PenDashPattern(style);
    // The strip across the line reaches width / 2 pixels before the thin line's pixel.
    const qint64 before = width / 2;
    std::vector<QRect> rects;
    for (qint64 i = range.First; i <= range.Last; ++i) {
        if (!IsOn(pattern, i))
            continue;
        const TPoint p = LinePixel(from, dx, dy, steps, i);
        // Cut to bounds in 64 bits, so that far-away points and huge widths stay in range.
        const qint64 first = (alongX ? p.Y : p.X) - before;
        const qint64 low = std::max(first, qint64(alongX ? bounds.top() : bounds.left()));
        const qint64 high = std::min(first + width - 1, qint64(alongX ? bounds.bottom() : bounds.right()));
        if (low > high)
            continue;
        const QRect strip = alongX ? QRect(QPoint(p.X, int(low)), QPoint(p.X, int(high)))
                                   : QRect(QPoint(int(low), p.Y), QPoint(int(high), p.Y));
        AppendStrip(rects, strip, alongX);
    }
    return rects;
}

} // namespace vg
