/// \file
/// Window-system drawing calls as canvas operations: 3-D edges (DrawEdge, and the
/// framework's Frame3D), frame controls drawn through the control's QStyle, state drawing
/// of images, pattern fills, saving and restoring the drawing state, and clipping. The
/// constants keep the window system's names and values, so drawing code reads as it would
/// against that system.
#pragma once

#include "platform/core/Export.h"
#include "platform/graphics/Canvas.h"

#include <cstdint>

namespace vg {

class TGraphic;
class TPicture;

// ---- Edges

inline constexpr unsigned BDR_RAISEDOUTER = 0x0001;
inline constexpr unsigned BDR_SUNKENOUTER = 0x0002;
inline constexpr unsigned BDR_RAISEDINNER = 0x0004;
inline constexpr unsigned BDR_SUNKENINNER = 0x0008;
inline constexpr unsigned BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
inline constexpr unsigned BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

inline constexpr unsigned BF_LEFT = 0x0001;
inline constexpr unsigned BF_TOP = 0x0002;
inline constexpr unsigned BF_RIGHT = 0x0004;
inline constexpr unsigned BF_BOTTOM = 0x0008;
inline constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
inline constexpr unsigned BF_TOPRIGHT = BF_TOP | BF_RIGHT;
inline constexpr unsigned BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
inline constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
inline constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
inline constexpr unsigned BF_MIDDLE = 0x0800;
inline constexpr unsigned BF_ADJUST = 0x2000;
inline constexpr unsigned BF_FLAT = 0x4000;
inline constexpr unsigned BF_MONO = 0x8000;

/// Draws up to two rings of one pixel on the sides of rect that flags name: the outer ring
/// on the rectangle's edge, the inner ring inside it. Each ring paints its left and top
/// sides in one colour and then its right and bottom sides in another, so the second
/// colour owns the top-right and bottom-left corners:
///   raised outer  button highlight / 3-D dark shadow   sunken outer  button shadow / highlight
///   raised inner  3-D light / button shadow            sunken inner  3-D dark shadow / 3-D light
/// (a ring with both its raised and sunken bit is raised). BF_FLAT draws the outer ring in
/// button shadow and the inner one in button face on every side; BF_MONO draws them in
/// window frame and window colour. BF_MIDDLE then fills what is inside the rings with
/// button face (window colour with BF_MONO). With BF_ADJUST, rect becomes that inside.
/// Colours come from the canvas's palette.
VELKOGRID_EXPORT void DrawEdge(TCanvas& canvas, TRect& rect, unsigned edge, unsigned flags);

/// Draws width rings: each paints the outermost left and top pixels of rect in topColor
/// (bottom-left pixel excluded) and then its right and bottom pixels in bottomColor, and
/// shrinks rect by one pixel on every side. Draws with the canvas's pen, whose width is
/// set to 1 and whose colour is left at bottomColor.
VELKOGRID_EXPORT void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

// ---- Frame controls

inline constexpr unsigned DFC_SCROLL = 3;

inline constexpr unsigned DFCS_SCROLLUP = 0x0000;
inline constexpr unsigned DFCS_SCROLLDOWN = 0x0001;
inline constexpr unsigned DFCS_SCROLLLEFT = 0x0002;
inline constexpr unsigned DFCS_SCROLLRIGHT = 0x0003;
inline constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x0005;
inline constexpr unsigned DFCS_INACTIVE = 0x0100;
inline constexpr unsigned DFCS_PUSHED = 0x0200;
inline constexpr unsigned DFCS_FLAT = 0x4000;

/// Draws a scroll-arrow button (DFC_SCROLL with an arrow direction, or the combo-box's
/// drop-down arrow) in rect through the canvas's style: a command-button panel, raised,
/// or sunken with the arrow moved one pixel right and down when DFCS_PUSHED, flat with
/// DFCS_FLAT, disabled with DFCS_INACTIVE. Other controls raise EInvalidOperation.
VELKOGRID_EXPORT void DrawFrameControl(TCanvas& canvas, const TRect& rect, unsigned type, unsigned state);

// ---- State drawing

inline constexpr unsigned DST_ICON = 0x0003;
inline constexpr unsigned DST_BITMAP = 0x0004;
inline constexpr unsigned DSS_NORMAL = 0x0000;
inline constexpr unsigned DSS_DISABLED = 0x0020;

/// Draws a graphic unscaled with its top-left corner at (x, y), greyed with DSS_DISABLED.
/// The graphic tells whether it is an icon or a bitmap, so DST_ICON and DST_BITMAP in
/// flags change nothing; other flags raise EInvalidOperation.
VELKOGRID_EXPORT void DrawState(TCanvas& canvas, const TGraphic& graphic, int x, int y, unsigned flags = DSS_NORMAL);
VELKOGRID_EXPORT void DrawState(TCanvas& canvas, const TPicture& picture, int x, int y, unsigned flags = DSS_NORMAL);

// ---- Pattern fills

inline constexpr std::int32_t BLACKNESS = cmBlackness;
inline constexpr std::int32_t WHITENESS = cmWhiteness;
inline constexpr std::int32_t PATCOPY = cmPatCopy;
inline constexpr std::int32_t PATINVERT = cmPatInvert;
inline constexpr std::int32_t DSTINVERT = cmDstInvert;

/// Fills the rectangle of width w and height h at (x, y) by rop with the canvas's brush
/// (a negative w or h extends to the left or up). Operations that read a source raise
/// EInvalidOperation (TCanvas::PatternFill).
VELKOGRID_EXPORT void PatBlt(TCanvas& canvas, int x, int y, int w, int h, std::int32_t rop);

// ---- Drawing state and clipping

/// TCanvas::SaveState and RestoreState.
VELKOGRID_EXPORT int SaveDC(TCanvas& canvas);
VELKOGRID_EXPORT void RestoreDC(TCanvas& canvas, int savedDC);

/// TCanvas::ExcludeClip and IntersectClip.
VELKOGRID_EXPORT void ExcludeClipRect(TCanvas& canvas, const TRect& rect);
VELKOGRID_EXPORT void IntersectClipRect(TCanvas& canvas, const TRect& rect);

} // namespace vg
