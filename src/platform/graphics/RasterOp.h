/// \file
/// Raster operations: how a pen, a brush or a copied image combines with the pixels
/// already on a canvas. An operation is named by a window-system style code whose third
/// byte is a truth table over pattern (pen or brush colour), source and destination bits;
/// each operation of one operand and the destination maps onto one of QPainter's
/// composition modes, so it works on any raster paint device.
#pragma once

#include "platform/core/Colors.h"
#include "platform/core/Export.h"

#include <QPainter>

#include <cstdint>

namespace vg {

/// How CopyRect (and Draw of an opaque bitmap) combines the copied pixels with the canvas.
using TCopyMode = std::int32_t;
inline constexpr TCopyMode cmBlackness = 0x00000042;   // black
inline constexpr TCopyMode cmDstInvert = 0x00550009;   // not destination
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;   // source and brush
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;  // not source or destination
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;  // not source
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6; // not (source or destination)
inline constexpr TCopyMode cmPatCopy = 0x00F00021;     // brush
inline constexpr TCopyMode cmPatInvert = 0x005A0049;   // brush xor destination
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;    // brush or not source or destination
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;      // source and destination
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;     // source
inline constexpr TCopyMode cmSrcErase = 0x00440328;    // source and not destination
inline constexpr TCopyMode cmSrcInvert = 0x00660046;   // source xor destination
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;    // source or destination
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;   // white

/// What an operation reads besides the destination.
enum class TRasterOperand {
    None,    // nothing is painted: the destination stays as it is
    Fixed,   // a fixed colour (black, white, or any colour for "not destination")
    Pattern, // the pen's or brush's colour
    Source,  // the copied image
};

/// A raster operation: how a pen, a brush or a copied image combines with the pixels already on a
/// canvas.
/// \ingroup host_graphics
struct VELKOGRID_EXPORT TRasterOp {
    TRasterOperand Operand = TRasterOperand::None;
    QPainter::CompositionMode Mode = QPainter::CompositionMode_SourceOver;
    QColor FixedColor; // the colour painted when Operand is Fixed

    bool PaintsNothing() const { return Operand == TRasterOperand::None; }
};

/// The operation of a two-operand truth table: bit (2 * x + d) is the result for operand
/// bit x and destination bit d. operand says what x stands for (pattern or source).
VELKOGRID_EXPORT TRasterOp BinaryRasterOp(unsigned truthTable, TRasterOperand operand);

/// The operation of a copy-mode or pattern code. Operations that read the pattern and the
/// source together (cmMergeCopy, cmPatPaint) and codes that are no known operation raise
/// EInvalidOperation.
VELKOGRID_EXPORT TRasterOp RasterOpOfCode(std::int32_t code);

/// Sets the painter's composition mode for op and returns the colour to fill with: the
/// fixed colour, or pattern for a pattern operation. Callers save and restore the painter.
VELKOGRID_EXPORT QColor BeginRasterOp(QPainter& painter, const TRasterOp& op, const QColor& pattern);

} // namespace vg
