#include "platform/graphics/Bitmaps.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Picture.h"

#include <QFile>
#include <QPainter>
#include <QtMath>

#include <optional>

// The resources compiled into the library. In a static library nothing refers to them by
// itself, so the linker would leave them out and they would never be registered: loading
// by name registers them first, which also makes the linker keep them.
static void RegisterLibraryResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(VelkoGrid);
        return true;
    }();
    (void)registered;
}

namespace vg {

namespace {

// The image of a graphic or picture that Assign can copy; nullopt for other sources.
std::optional<QImage> ImageOfSource(const TPersistent* source)
{
    if (auto* bitmap = dynamic_cast<const TBitmap*>(source))
        return bitmap->Image();
    if (auto* icon = dynamic_cast<const TIcon*>(source))
        return icon->Image();
    if (auto* picture = dynamic_cast<const TPicture*>(source))
        return picture->Image();
    return std::nullopt;
}

} // namespace

// ---- TBitmap ----------------------------------------------------------------------------

const TClassInfo& TBitmap::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBitmap>(QStringLiteral("TBitmap"), &TGraphic::StaticClassInfo()).Build();
    return info;
}

TBitmap::TBitmap()
    : FCanvas(std::make_unique<TCanvas>(&FImage))
{
}

TBitmap::TBitmap(int width, int height)
    : TBitmap()
{
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::SetImage(QImage image, QSize sides)
{
    FCanvas->Release(); // the painter must not outlive the pixels it paints on
    FImage = std::move(image);
    if (!FImage.isNull())
        FRatio = FImage.devicePixelRatio();
    FWidth = sides.width();
    FHeight = sides.height();
    Changed();
}

void TBitmap::SetSize(int width, int height)
{
    if (width < 0 || height < 0)
        throw EInvalidOperation(QStringLiteral("Invalid bitmap size %1 x %2").arg(width).arg(height));
    if (width == FWidth && height == FHeight)
        return;
    if (width == 0 || height == 0) {
        SetImage(QImage(), QSize(width, height));
        return;
    }
    // Far beyond any bitmap a control needs; refused before trying to allocate it.
    constexpr qint64 MaxPixels = qint64(1) << 28;
    const qint64 deviceWidth = qCeil(width * FRatio);
    const qint64 deviceHeight = qCeil(height * FRatio);
    QImage resized;
    if (deviceWidth * deviceHeight <= MaxPixels)
        resized = QImage(int(deviceWidth), int(deviceHeight), FImage.isNull() ? QImage::Format_RGB32 : FImage.format());
    if (resized.isNull())
        throw EInvalidOperation(QStringLiteral("Cannot allocate a bitmap of %1 x %2").arg(width).arg(height));
    resized.setDevicePixelRatio(FRatio);
    resized.fill(Qt::white);
    if (!FImage.isNull()) {
        FCanvas->Release();
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, FImage);
    }
    SetImage(std::move(resized), QSize(width, height));
}

void TBitmap::SetDevicePixelRatio(qreal value)
{
    if (!(value > 0 && value <= 16))
        throw EInvalidOperation(QStringLiteral("Invalid device pixel ratio %1").arg(value));
    if (value == FRatio)
        return;
    const int width = FWidth;
    const int height = FHeight;
    SetImage(QImage(), QSize());
    FRatio = value;
    SetSize(width, height);
}

void TBitmap::SetTransparent(bool value)
{
    if (FTransparent != value) {
        FTransparent = value;
        Changed();
    }
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentColor != clDefault || FImage.isNull())
        return FTransparentColor;
    return QColorToColor(FImage.pixelColor(0, FImage.height() - 1));
}

void TBitmap::SetTransparentColor(TColor value)
{
    CheckColor(value);
    if (FTransparentColor != value) {
        FTransparentColor = value;
        Changed();
    }
}

void TBitmap::LoadFromImage(const QImage& image)
{
    QImage converted;
    if (!image.isNull())
        converted = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const QSize sides = converted.size();
    SetImage(std::move(converted), sides);
}

void TBitmap::LoadFromResourceName(const QString& Name)
{
    RegisterLibraryResources();
    // A name is one file of the bitmap folder, never a path leading out of it.
    const bool plainName = !Name.isEmpty() && !Name.contains(u'/') && !Name.contains(u'\\');
    const QString path = QStringLiteral(":/VelkoGrid/bitmaps/%1.bmp").arg(Name);
    if (!plainName || !QFile::exists(path))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(Name));
    QImage image;
    if (!image.load(path, "BMP"))
        throw EInvalidGraphic(QStringLiteral("Resource %1 is not a bitmap").arg(Name));
    LoadFromImage(image);
}

QImage TBitmap::Image() const
{
    FCanvas->Release(); // every pixel painted so far is in the image, and later painting is not
    return FImage;
}

QImage TBitmap::DrawnImage() const
{
    if (!FTransparent || FImage.isNull())
        return Image();
    const QRgb key = FCanvas->ToQColor(TransparentColor()).rgb() & RGB_MASK;
    QImage image = Image().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TBitmap::Assign(const TPersistent* source)
{
    if (!source) {
        SetImage(QImage(), QSize());
        return;
    }
    if (auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        FTransparent = bitmap->FTransparent;
        FTransparentColor = bitmap->FTransparentColor;
        SetImage(bitmap->Image(), QSize(bitmap->FWidth, bitmap->FHeight));
        return;
    }
    if (auto image = ImageOfSource(source)) {
        LoadFromImage(*image);
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::AssignTo(TPersistent* dest) const
{
    if (auto* picture = dynamic_cast<TPicture*>(dest)) {
        picture->SetBitmap(Image());
        return;
    }
    TGraphic::AssignTo(dest);
}

// ---- TIcon ------------------------------------------------------------------------------

const TClassInfo& TIcon::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TIcon>(QStringLiteral("TIcon"), &TGraphic::StaticClassInfo()).Build();
    return info;
}

void TIcon::LoadFromImage(const QImage& image)
{
    FImage = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

void TIcon::Assign(const TPersistent* source)
{
    if (!source) {
        LoadFromImage(QImage());
        return;
    }
    if (auto image = ImageOfSource(source)) {
        LoadFromImage(*image);
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::AssignTo(TPersistent* dest) const
{
    if (auto* picture = dynamic_cast<TPicture*>(dest)) {
        picture->SetIcon(FImage);
        return;
    }
    TGraphic::AssignTo(dest);
}

} // namespace vg
