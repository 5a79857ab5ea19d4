#include "platform/graphics/Picture.h"

#include "platform/core/Exceptions.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

namespace vg {

namespace {
const QString BitmapClass = QStringLiteral("TBitmap");
const QString IconClass = QStringLiteral("TIcon");
} // namespace

const TClassInfo& TPicture::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPicture>(QStringLiteral("TPicture"), &TPersistent::StaticClassInfo()).Build();
    return info;
}

void TPicture::SetGraphic(TGraphicKind kind, const QImage& image)
{
    FKind = image.isNull() ? TGraphicKind::None : kind;
    FImage = image.isNull() ? QImage() : image;
    if (OnChange)
        OnChange(this);
}

void TPicture::SetBitmap(const QImage& image) { SetGraphic(TGraphicKind::Bitmap, image); }
void TPicture::SetIcon(const QImage& image) { SetGraphic(TGraphicKind::Icon, image); }
void TPicture::Clear() { SetGraphic(TGraphicKind::None, QImage()); }

void TPicture::LoadFromFile(const QString& fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    TGraphicKind kind = TGraphicKind::Bitmap;
    if (ext == QLatin1String("ico"))
        kind = TGraphicKind::Icon;
    else if (!QStringList{"bmp", "png", "jpg", "jpeg", "gif", "xpm"}.contains(ext))
        throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(ext));
    QImageReader reader(fileName);
    const QImage image = reader.read();
    if (image.isNull())
        throw EInvalidGraphic(QStringLiteral("Cannot load picture %1: %2").arg(fileName, reader.errorString()));
    SetGraphic(kind, image);
}

void TPicture::SaveToFile(const QString& fileName) const
{
    if (IsEmpty())
        throw EStreamError(QStringLiteral("Cannot save an empty picture to %1").arg(fileName));
    if (!FImage.save(fileName))
        throw EStreamError(QStringLiteral("Cannot write picture %1").arg(fileName));
}

bool TPicture::Equals(const TPicture& other) const
{
    if (FKind != other.FKind || FImage.size() != other.FImage.size())
        return false;
    if (FImage == other.FImage)
        return true;
    // The same pixels held in another format (a premultiplied image comes back from its
    // stored PNG form unpremultiplied) are the same picture.
    return FImage.convertToFormat(QImage::Format_ARGB32) == other.FImage.convertToFormat(QImage::Format_ARGB32);
}

void TPicture::Assign(const TPersistent* source)
{
    if (!source) {
        Clear();
        return;
    }
    if (auto* other = dynamic_cast<const TPicture*>(source)) {
        SetGraphic(other->FKind, other->FImage);
        return;
    }
    TPersistent::Assign(source);
}

QByteArray TPicture::Data() const
{
    if (IsEmpty())
        return {};
    const QByteArray className = (FKind == TGraphicKind::Icon ? IconClass : BitmapClass).toLatin1();
    QByteArray data;
    data.append(char(className.size()));
    data.append(className);
    QBuffer buffer(&data);
    buffer.open(QIODevice::Append);
    FImage.save(&buffer, "PNG");
    return data;
}

void TPicture::SetData(const QByteArray& data)
{
    if (data.isEmpty()) {
        Clear();
        return;
    }
    const int nameLength = quint8(data.at(0));
    if (data.size() < 1 + nameLength)
        throw EInvalidGraphic(QStringLiteral("Picture data is truncated"));
    const QString className = QString::fromLatin1(data.mid(1, nameLength));
    TGraphicKind kind;
    if (className == BitmapClass)
        kind = TGraphicKind::Bitmap;
    else if (className == IconClass)
        kind = TGraphicKind::Icon;
    else
        throw EInvalidGraphic(QStringLiteral("Unknown graphic class in picture data"));
    QImage image;
    if (!image.loadFromData(data.mid(1 + nameLength), "PNG"))
        throw EInvalidGraphic(QStringLiteral("Picture data does not hold a valid image"));
    SetGraphic(kind, image);
}

void TPicture::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty(
        QStringLiteral("Data"), [this](const QByteArray& data) { SetData(data); }, [this] { return Data(); }, !IsEmpty());
}

bool PictureBlends(const TPicture& picture)
{
    return picture.Kind() == TGraphicKind::Icon || picture.Image().hasAlphaChannel();
}

} // namespace vg
