/// \file
/// An image list: a row of equally sized images addressed by index, drawn onto canvases
/// normally or greyed for a disabled state. Images keep their alpha; an image is added
/// whole, or, when it is a strip several images wide, cut into images of the list's size.
#pragma once

#include "platform/core/Component.h"
#include "platform/core/Export.h"

#include <QImage>

#include <functional>
#include <vector>

namespace vg {

class TCanvas;
class TGraphic;

/// A row of equally sized images addressed by index, drawn onto canvases normally or greyed.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TCustomImageList : public TComponent {
    VG_CLASS(TCustomImageList)
public:
    static constexpr int DefaultSize = 16;

    explicit TCustomImageList(TComponent* owner = nullptr);

    /// The size of every image. Changing it empties the list (the images no longer fit);
    /// a size below 1 raises EInvalidOperation.
    int Width() const { return FWidth; }
    void SetWidth(int value) { SetSize(value, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int value) { SetSize(FWidth, value); }
    void SetSize(int width, int height);

    int Count() const { return int(FImages.size()); }

    /// Adds the image and returns the index of the first image added. An image wider than
    /// Width adds one image per whole Width of it (a strip); a smaller one sits at the
    /// top-left of a transparent image. A null image adds nothing and returns -1.
    int Add(const QImage& image);
    /// Adds the graphic as it draws (transparent parts stay transparent).
    int Add(const TGraphic& graphic);
    void Delete(int index);
    void Clear();

    /// The image at index, ARGB32_Premultiplied. EListError outside 0..Count-1.
    QImage Image(int index) const;

    /// Draws the image at index with its top-left corner at (x, y); a disabled image is
    /// drawn greyed. EListError outside 0..Count-1.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;

    std::function<void(TObject* sender)> OnChange;

private:
    void CheckIndex(int index) const;
    void Changed();

    int FWidth = DefaultSize;
    int FHeight = DefaultSize;
    std::vector<QImage> FImages;
};

/// The image list components place on forms; Width and Height are published.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TImageList : public TCustomImageList {
    VG_CLASS(TImageList)
public:
    using TCustomImageList::TCustomImageList;
};

} // namespace vg
