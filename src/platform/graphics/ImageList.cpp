#include "platform/graphics/ImageList.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Canvas.h"

#include <QPainter>

namespace vg {

const TClassInfo& TCustomImageList::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCustomImageList>(QStringLiteral("TCustomImageList"), &TComponent::StaticClassInfo()).Build();
    return info;
}

const TClassInfo& TImageList::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TImageList>(QStringLiteral("TImageList"), &TCustomImageList::StaticClassInfo())
            .Int(QStringLiteral("Height"), &TImageList::Height, &TImageList::SetHeight).Default(DefaultSize)
            .Int(QStringLiteral("Width"), &TImageList::Width, &TImageList::SetWidth).Default(DefaultSize)
            .Build();
    return info;
}

TCustomImageList::TCustomImageList(TComponent* owner)
    : TComponent(owner)
{
}

void TCustomImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TCustomImageList::SetSize(int width, int height)
{
    if (width < 1 || height < 1)
        throw EInvalidOperation(QStringLiteral("Invalid image list size %1 x %2").arg(width).arg(height));
    if (width == FWidth && height == FHeight)
        return;
    FWidth = width;
    FHeight = height;
    FImages.clear();
    Changed();
}

int TCustomImageList::Add(const QImage& image)
{
    if (image.isNull())
        return -1;
    const int first = Count();
    const int pieces = std::max(image.width() / FWidth, 1);
    for (int i = 0; i < pieces; ++i) {
        QImage piece(FWidth, FHeight, QImage::Format_ARGB32_Premultiplied);
        piece.fill(Qt::transparent);
        QPainter painter(&piece);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), image, QRect(i * FWidth, 0, FWidth, FHeight));
        painter.end();
        FImages.push_back(std::move(piece));
    }
    Changed();
    return first;
}

int TCustomImageList::Add(const TGraphic& graphic)
{
    return graphic.Empty() ? -1 : Add(graphic.DrawnImage());
}

void TCustomImageList::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
}

void TCustomImageList::Delete(int index)
{
    CheckIndex(index);
    FImages.erase(FImages.begin() + index);
    Changed();
}

void TCustomImageList::Clear()
{
    if (FImages.empty())
        return;
    FImages.clear();
    Changed();
}

QImage TCustomImageList::Image(int index) const
{
    CheckIndex(index);
    return FImages[std::size_t(index)];
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    CheckIndex(index);
    const QImage& image = FImages[std::size_t(index)];
    canvas.DrawImage(Rect(x, y, x + FWidth, y + FHeight), enabled ? image : DisabledImage(image));
}

} // namespace vg
