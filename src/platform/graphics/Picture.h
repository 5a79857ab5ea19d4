/// \file
/// TPicture: an image property that holds nothing, a bitmap or an icon. It loads either
/// from a file and stores itself in form files as binary data: the graphic's class name
/// followed by the image in PNG form.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/Persistent.h"

#include <QImage>

#include <functional>

namespace vg {

enum class TGraphicKind { None, Bitmap, Icon };

/// An image property that holds nothing, a bitmap or an icon; it loads from a file and stores
/// itself in form files.
/// \ingroup host_graphics
class VELKOGRID_EXPORT TPicture : public TPersistent {
    VG_CLASS(TPicture)
public:
    TGraphicKind Kind() const { return FKind; }
    bool IsEmpty() const { return FKind == TGraphicKind::None; }
    const QImage& Image() const { return FImage; }
    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }

    /// A null image empties the picture.
    void SetBitmap(const QImage& image);
    void SetIcon(const QImage& image);
    void Clear();

    /// The kind follows the extension: .ico is an icon; .bmp, .png, .jpg, .jpeg, .gif and
    /// .xpm are bitmaps. Raises EInvalidGraphic for other extensions or undecodable files;
    /// the picture keeps its contents then.
    void LoadFromFile(const QString& fileName);
    /// Writes the image in the format the extension names; EStreamError on failure.
    void SaveToFile(const QString& fileName) const;

    bool Equals(const TPicture& other) const;

    /// From a picture, or null to empty it.
    void Assign(const TPersistent* source) override;
    /// Stored as the binary entry "Data" when not empty.
    void DefineProperties(TFiler& filer) override;

    QByteArray Data() const;
    /// Raises EInvalidGraphic for data that does not hold a known graphic.
    void SetData(const QByteArray& data);

    std::function<void(TObject* sender)> OnChange;

private:
    void SetGraphic(TGraphicKind kind, const QImage& image);

    TGraphicKind FKind = TGraphicKind::None;
    QImage FImage;
};

/// Whether a picture draws blended by alpha (an icon, or a bitmap with an alpha channel)
/// rather than combined by the canvas's copy mode.
VELKOGRID_EXPORT bool PictureBlends(const TPicture& picture);

} // namespace vg
