/// \file
/// The pixels a pen paints for one line. The thin line runs from P1 up to, not including,
/// P2, one pixel per step along the longer axis. A one-pixel pen follows its style's
/// dash pattern, restarted at every line and counted in pixels along that axis:
///   psDash        18 on, 6 off
///   psDot         3 on, 3 off
///   psDashDot     9 on, 6 off, 3 on, 6 off
///   psDashDotDot  9 on, 3 off, 3 on, 3 off, 3 on, 3 off
/// (the classic lengths of cosmetic pens); gaps are left untouched. A pen w pixels wide
/// paints, at every step, a strip of w pixels across the longer axis that starts w / 2
/// pixels above (or left of) the thin line, as QPainter centres wide pens with flat ends,
/// so the end point stays unpainted at every width. Wide pens always draw solid.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/Types.h"
#include "platform/graphics/Pen.h"

#include <QRect>

#include <span>
#include <vector>

namespace vg {

/// The on/off run lengths of a style's dash pattern; empty for a solid line.
VELKOGRID_EXPORT std::span<const int> PenDashPattern(TPenStyle style);

/// The pixels of the line within bounds as rectangles that do not overlap, so that an
/// operation that is not idempotent (xor, not) touches every pixel once. Only the steps
/// inside bounds are walked, so a line with far-away end points costs no more than one
/// across bounds. Empty when from equals to or the style is psClear.
VELKOGRID_EXPORT std::vector<QRect> LineRects(TPoint from, TPoint to, int penWidth, TPenStyle style, const QRect& bounds);

} // namespace vg
