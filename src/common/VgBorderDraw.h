/// \file
/// Drawing the frame of a cell: one border edge, the four edges of a rectangle, up to two
/// one-pixel bevel rings, and a check-box glyph taken from a two-glyph bitmap. Each routine
/// works inside the rectangle it is given and shrinks it by what it drew, so borders,
/// background, bevels, image and text of a cell can be painted one inside the other.
#pragma once

#include "common/VgGlobal.h"
#include "platform/core/ControlEnums.h"
#include "platform/core/Export.h"
#include "platform/core/Types.h"

namespace vg {

class TBitmap;
class TCanvas;

/// Draws the edge whose outermost line runs from P1 toward P2 (P2 not painted), in the
/// border's style and colour, growing toward the inside of the rectangle given by Dir.
/// Returns the pixels it took: Width for a band, Width + 2 for a double line, 0 for none.
/// A negative Width counts as 0 and one over 32767 as 32767, so a border never widens the
/// rectangle and its thickness can be added to an edge safely.
/// The pen's mode, colour and style are restored; its width is left at 1.
VELKOGRID_EXPORT int VgDrawBorder(TCanvas& Canvas, TPoint P1, TPoint P2, const TvgBorder& Border, TvgBorderDir Dir);
/// The pixels VgDrawBorder takes for the border.
VELKOGRID_EXPORT int VgBorderThickness(const TvgBorder& Border);

/// Draws the four edges (clockwise from the top; later edges own the corners they share
/// with earlier ones) and shrinks Rect by each edge's thickness.
VELKOGRID_EXPORT void VgDrawBorders(TCanvas& Canvas, TRect& Rect, const TvgBorder& TopBorder, const TvgBorder& RightBorder,
                   const TvgBorder& BottomBorder, const TvgBorder& LeftBorder);

/// Draws the outer ring, then a button-face spacer and the inner ring, and shrinks Rect by
/// the rings drawn (0 to 3 pixels a side).
VELKOGRID_EXPORT void VgDrawBevel(TCanvas& Canvas, TRect& Rect, TBevelCut OuterBevel, TBevelCut InnerBevel);
/// The pixels VgDrawBevel takes from each side of the rectangle.
VELKOGRID_EXPORT int VgBevelThickness(TBevelCut OuterBevel, TBevelCut InnerBevel);

/// Copies the checked (right) or unchecked (left) half of Bitmap into Rect, 4 pixels in
/// from its left edge, and advances Rect's left edge past it (glyph width + 7) whether or
/// not a canvas was given.
VELKOGRID_EXPORT void DrawCheckBox(TCanvas* Canvas, TRect& Rect, TvgVAlignment VAlignment, TBitmap& Bitmap, bool Checked);

} // namespace vg
