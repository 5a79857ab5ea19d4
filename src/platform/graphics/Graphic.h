/// \file
/// TGraphic: an image a canvas can draw, which says how big it is and which pixels Draw
/// puts on a canvas (TBitmap and TIcon are the two kinds, Bitmaps.h). DisabledImage gives
/// the greyed look of a disabled image (image lists, state drawing).
#pragma once

#include "platform/core/Export.h"
#include "platform/core/Persistent.h"

#include <QImage>

#include <functional>

namespace vg {

/// An image a canvas can draw: TBitmap or TIcon.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TGraphic : public TPersistent {
    VG_CLASS(TGraphic)
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }

    /// The pixels as Draw puts them on a canvas; transparent parts have alpha 0.
    virtual QImage DrawnImage() const = 0;
    /// True when Draw blends the pixels by their alpha; false when it combines them with
    /// the canvas by the canvas's copy mode.
    virtual bool Blends() const = 0;

    std::function<void(TObject* sender)> OnChange;

protected:
    void Changed();
};

/// The greyed look of a disabled image: every pixel turned to a light grey of its
/// brightness, alpha kept. ARGB32_Premultiplied.
VELKOGRID_EXPORT QImage DisabledImage(const QImage& image);

} // namespace vg
