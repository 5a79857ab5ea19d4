// Graphics a canvas can draw: TBitmap, an image with a canvas of its own to paint on, and
// TIcon, an image drawn through its alpha channel. Both derive from TGraphic, which says
// how big a graphic is and which pixels Draw puts on a canvas. DisabledImage gives the
// greyed look of a disabled image (image lists, state drawing).
#pragma once

#include "platform/graphics/Canvas.h"
#include "platform/core/Persistent.h"

#include <QImage>

#include <functional>
#include <memory>

namespace vg {

class TPicture;

class TGraphic : public TPersistent {
    VG_CLASS(TGraphic)
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }

    // The pixels as Draw puts them on a canvas; transparent parts have alpha 0.
    virtual QImage DrawnImage() const = 0;
    // True when Draw blends the pixels by their alpha; false when it combines them with
    // the canvas by the canvas's copy mode.
    virtual bool Blends() const = 0;

    std::function<void(TObject* sender)> OnChange;

protected:
    void Changed();
};

// An image of RGB32 pixels (or ARGB32_Premultiplied when loaded from an image with an
// alpha channel) with its own canvas. Resizing keeps the pixels that still fit, at the
// top-left, and makes the new ones white. Reading the pixels (Image, DrawnImage, Assign)
// closes the canvas's painter, which ends its clip region and saved states.
class TBitmap : public TGraphic {
    VG_CLASS(TBitmap)
public:
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    TCanvas& Canvas() { return *FCanvas; }

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // Negative sizes, and sizes too large to allocate (over 2^28 pixels), raise
    // EInvalidOperation. A bitmap with a side of 0 is empty and keeps no pixels.
    void SetWidth(int value) { SetSize(value, Height()); }
    void SetHeight(int value) { SetSize(Width(), value); }
    void SetSize(int width, int height);

    // With Transparent, pixels of TransparentColor are left out when the bitmap is drawn.
    // TransparentColor clDefault (the default) stands for the colour of the bottom-left
    // pixel.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);

    // A copy of image: RGB32 when it is opaque, else ARGB32_Premultiplied. A null image
    // empties the bitmap.
    void LoadFromImage(const QImage& image);
    // Loads the bitmap resource of that name (exact case): one of the library's own
    // bitmaps, or one an application adds under the resource prefix /VelkoGrid/bitmaps as
    // Name.bmp. An unknown name raises EResNotFound, data that is no image EInvalidGraphic;
    // the bitmap is unchanged then.
    void LoadFromResourceName(const QString& Name);
    QImage Image() const;
    bool HasAlpha() const { return FImage.hasAlphaChannel(); }

    QImage DrawnImage() const override;
    bool Blends() const override { return FTransparent || HasAlpha(); }

    // From a bitmap, an icon or a picture (of either kind), or null to empty it.
    void Assign(const TPersistent* source) override;

protected:
    // Into a picture, as a bitmap.
    void AssignTo(TPersistent* dest) const override;

private:
    void SetImage(QImage image, QSize sides);

    int FWidth = 0;
    int FHeight = 0;
    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
    bool FTransparent = false;
    TColor FTransparentColor = clDefault;
};

// An image of ARGB32_Premultiplied pixels, always drawn through its alpha channel.
class TIcon : public TGraphic {
    VG_CLASS(TIcon)
public:
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }

    // A null image empties the icon.
    void LoadFromImage(const QImage& image);
    const QImage& Image() const { return FImage; }

    QImage DrawnImage() const override { return FImage; }
    bool Blends() const override { return true; }

    // From an icon, a bitmap or a picture (of either kind), or null to empty it.
    void Assign(const TPersistent* source) override;

protected:
    // Into a picture, as an icon.
    void AssignTo(TPersistent* dest) const override;

private:
    QImage FImage;
};

// Whether a picture draws blended by alpha (an icon, or a bitmap with an alpha channel)
// rather than combined by the canvas's copy mode.
bool PictureBlends(const TPicture& picture);

// The greyed look of a disabled image: every pixel turned to a light grey of its
// brightness, alpha kept. ARGB32_Premultiplied.
QImage DisabledImage(const QImage& image);

} // namespace vg
