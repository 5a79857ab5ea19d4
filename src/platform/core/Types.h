/// \file
/// Plain geometry records shared by every layer. A TRect's right and bottom edges lie
/// outside it: a rectangle (0, 0, 10, 10) covers the pixels 0..9 in both directions.
#pragma once

#include "platform/core/Export.h"

#include <QPoint>
#include <QRect>

namespace vg {

/// A point in pixels.
/// \ingroup host_core
struct VELKOGRID_EXPORT TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

/// A rectangle in pixels; its right and bottom edges lie outside it, so (0, 0, 10, 10) covers the
/// pixels 0 to 9 in both directions.
/// \ingroup host_core
struct VELKOGRID_EXPORT TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const TPoint& p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }

    /// The same pixels as a QRect (whose right and bottom edges lie inside it).
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TPoint Point(int x, int y) { return {x, y}; }

/// A cell of a grid by column and row.
/// \ingroup host_core
struct VELKOGRID_EXPORT TGridCoord {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

} // namespace vg
