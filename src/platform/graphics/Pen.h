/// \file
/// TPen: what a canvas draws lines and outlines with (colour, width, dash style, and how its
/// colour combines with the pixels under it).
#pragma once

#include "platform/core/Colors.h"
#include "platform/core/Export.h"
#include "platform/core/Persistent.h"

#include <cstdint>
#include <functional>

namespace vg {

/// Dashed styles apply to one-pixel pens (LineRaster.h gives their lengths); a wider pen
/// always draws solid, and psInsideFrame draws as psSolid.
enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
VG_ENUM_INFO(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame")

/// How a pen's colour (P) combines with the pixels under it (D): black, white, D, not D, P,
/// not P, P xor D, not (P xor D), and the and/or combinations of P, D and their inverses.
enum TPenMode : std::uint8_t {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmXor, pmNotXor,
    pmMerge, pmNotMerge, pmMask, pmNotMask, pmMergePenNot, pmMaskPenNot, pmMergeNotPen, pmMaskNotPen
};
VG_ENUM_INFO(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmXor", "pmNotXor",
             "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen",
             "pmMaskNotPen")

/// What a canvas draws lines and outlines with: colour, width, dash style and how its colour
/// combines with the pixels under it.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TPen : public TPersistent {
    VG_CLASS(TPen)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode value);

    void Assign(const TPersistent* source) override;
    std::function<void(TObject* sender)> OnChange;

private:
    void Changed();
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

} // namespace vg
