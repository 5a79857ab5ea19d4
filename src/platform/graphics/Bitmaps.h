/// \file
/// The two graphics a canvas can draw: TBitmap, an image with a canvas of its own to paint
/// on, and TIcon, an image drawn through its alpha channel.
#pragma once

#include "platform/core/Export.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Graphic.h"

#include <QImage>

#include <memory>

namespace vg {

class TPicture;

/// An image of RGB32 pixels (or ARGB32_Premultiplied when loaded from an image with an
/// alpha channel) with its own canvas. Resizing keeps the pixels that still fit, at the
/// top-left, and makes the new ones white. Reading the pixels (Image, DrawnImage, Assign)
/// closes the canvas's painter, which ends its clip region and saved states.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TBitmap : public TGraphic {
    VG_CLASS(TBitmap)
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    TCanvas& Canvas() { return *FCanvas; }

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    /// Negative sizes, and sizes too large to allocate (over 2^28 pixels), raise
    /// EInvalidOperation. A bitmap with a side of 0 is empty and keeps no pixels.
    void SetWidth(int value) { SetSize(value, Height()); }
    void SetHeight(int value) { SetSize(Width(), value); }
    void SetSize(int width, int height);
    /// Device pixels per pixel of the sides: at 2 the bitmap keeps twice as many pixels
    /// across and down and its canvas paints at that resolution, as on a screen scaled to
    /// 200 %; Width and Height stay the same. Copied onto a canvas of the same ratio, its
    /// pixels land one to one. Ratios outside (0, 16] raise EInvalidOperation; a new ratio
    /// makes the bitmap white.
    qreal DevicePixelRatio() const { return FRatio; }
    void SetDevicePixelRatio(qreal value);

    /// With Transparent, pixels of TransparentColor are left out when the bitmap is drawn.
    /// TransparentColor clDefault (the default) stands for the colour of the bottom-left
    /// pixel.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);

    /// A copy of image: RGB32 when it is opaque, else ARGB32_Premultiplied. A null image
    /// empties the bitmap.
    void LoadFromImage(const QImage& image);
    /// Loads the bitmap resource of that name (exact case): one of the library's own
    /// bitmaps, or one an application adds under the resource prefix /VelkoGrid/bitmaps as
    /// Name.bmp. An unknown name raises EResNotFound, data that is no image EInvalidGraphic;
    /// the bitmap is unchanged then.
    void LoadFromResourceName(const QString& Name);
    QImage Image() const;
    bool HasAlpha() const { return FImage.hasAlphaChannel(); }

    QImage DrawnImage() const override;
    bool Blends() const override { return FTransparent || HasAlpha(); }

    /// From a bitmap, an icon or a picture (of either kind), or null to empty it.
    void Assign(const TPersistent* source) override;

protected:
    /// Into a picture, as a bitmap.
    void AssignTo(TPersistent* dest) const override;

private:
    void SetImage(QImage image, QSize sides);

    int FWidth = 0;
    int FHeight = 0;
    qreal FRatio = 1;
    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
    bool FTransparent = false;
    TColor FTransparentColor = clDefault;
};

/// An image of ARGB32_Premultiplied pixels, always drawn through its alpha channel.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TIcon : public TGraphic {
    VG_CLASS(TIcon)
public:
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }

    /// A null image empties the icon.
    void LoadFromImage(const QImage& image);
    const QImage& Image() const { return FImage; }

    QImage DrawnImage() const override { return FImage; }
    bool Blends() const override { return true; }

    /// From an icon, a bitmap or a picture (of either kind), or null to empty it.
    void Assign(const TPersistent* source) override;

protected:
    /// Into a picture, as an icon.
    void AssignTo(TPersistent* dest) const override;

private:
    QImage FImage;
};

} // namespace vg
