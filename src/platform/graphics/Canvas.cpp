#include "platform/graphics/Canvas.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/LineRaster.h"
#include "platform/graphics/Picture.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <array>

namespace vg {

// ---- TCanvas ----------------------------------------------------------------------------

TCanvas::TCanvas() = default;

TCanvas::TCanvas(QPaintDevice* device)
    : FDevice(device)
{
}

TCanvas::~TCanvas()
{
    Detach();
    Release();
}

void TCanvas::Attach(QPainter* painter)
{
    Release();
    FPainter = painter;
    FAttached = painter != nullptr;
    if (FAttached)
        FPainter->save();
}

void TCanvas::DropSavedStates()
{
    for (; FSavedStates > 0; --FSavedStates) {
        if (FPainter)
            FPainter->restore();
    }
}

void TCanvas::Detach()
{
    if (!FAttached)
        return;
    DropSavedStates();
    FPainter->restore();
    FPainter = nullptr;
    FAttached = false;
}

void TCanvas::Release()
{
    if (FOwnPainter) {
        DropSavedStates();
        FOwnPainter->end();
        FOwnPainter.reset();
        if (!FAttached)
            FPainter = nullptr;
    }
}

void TCanvas::SetDevice(QPaintDevice* device)
{
    Release();
    FDevice = device;
}

bool TCanvas::CanPaint() const
{
    if (FPainter)
        return true;
    if (!FDevice)
        return false;
    const auto* image = dynamic_cast<const QImage*>(FDevice);
    return !image || !image->isNull();
}

QPainter* TCanvas::Handle()
{
    if (FPainter)
        return FPainter;
    if (!CanPaint())
        return nullptr;
    FOwnPainter = std::make_unique<QPainter>();
    if (!FOwnPainter->begin(FDevice)) {
        FOwnPainter.reset();
        return nullptr;
    }
    FPainter = FOwnPainter.get();
    return FPainter;
}

void TCanvas::ApplyPen(QPainter& p) const
{
    if (FPen.Style() == psClear) {
        p.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(FPen.Color()));
    pen.setWidth(FPen.Width());
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
}

void TCanvas::FillRect(const TRect& r)
{
    QPainter* p = Handle();
    if (!p || FBrush.Style() == bsClear || r.IsEmpty())
        return;
    p->fillRect(r.ToQRect(), ToQColor(FBrush.Color()));
}

void TCanvas::MoveTo(int x, int y)
{
    FPenPos = {x, y};
}

namespace {

// The truth table (bit 2 * pen + destination) of each pen mode, in TPenMode order.
constexpr std::array<unsigned, 16> PenModeTables{
    0x0, // pmBlack
    0xF, // pmWhite
    0xA, // pmNop
    0x5, // pmNot
    0xC, // pmCopy
    0x3, // pmNotCopy
    0x6, // pmXor
    0x9, // pmNotXor
    0xE, // pmMerge
    0x1, // pmNotMerge
    0x8, // pmMask
    0x7, // pmNotMask
    0xD, // pmMergePenNot
    0x4, // pmMaskPenNot
    0xB, // pmMergeNotPen
    0x2, // pmMaskNotPen
};

// The part of the painter's coordinate space that reaches its device. The device's size
// is taken in the painter's logical pixels, before the scaling to device pixels that the
// painter adds on a device of a pixel ratio above 1: a widget counts its size in logical
// pixels already, an image or pixmap in device pixels. (The combined transform maps to
// the device pixels of what is painted on, so mapping a widget's size back through it
// would take the logical size for device pixels and lose all beyond size / ratio.)
QRect PaintBounds(const QPainter& p)
{
    const QPaintDevice* device = p.device();
    QSizeF size(device->width(), device->height());
    if (device->devType() != QInternal::Widget && device->devicePixelRatio() > 0)
        size /= device->devicePixelRatio();
    QTransform toDevice = p.worldTransform();
    if (p.viewTransformEnabled()) {
        const QRect window = p.window();
        const QRect viewport = p.viewport();
        if (window.width() == 0 || window.height() == 0)
            return QRect();
        const qreal sx = qreal(viewport.width()) / window.width();
        const qreal sy = qreal(viewport.height()) / window.height();
        toDevice *= QTransform(sx, 0, 0, sy, viewport.x() - window.x() * sx, viewport.y() - window.y() * sy);
    }
    bool invertible = false;
    const QTransform toLogical = toDevice.inverted(&invertible);
    return invertible ? toLogical.mapRect(QRectF(QPointF(0, 0), size)).toAlignedRect() : QRect();
}

} // namespace

void TCanvas::LineTo(int x, int y)
{
    const TPoint from = FPenPos;
    FPenPos = {x, y};
    QPainter* p = Handle();
    if (!p || FPen.Style() == psClear)
        return;
    const TRasterOp op = BinaryRasterOp(PenModeTables[FPen.Mode() % PenModeTables.size()], TRasterOperand::Pattern);
    const QColor penColor = ToQColor(FPen.Color());
    if (op.PaintsNothing() || (op.Operand == TRasterOperand::Pattern && penColor.alpha() == 0))
        return;
    const std::vector<QRect> rects = LineRects(from, FPenPos, FPen.Width(), FPen.Style(), PaintBounds(*p));
    p->save();
    const QColor color = BeginRasterOp(*p, op, penColor);
    for (const QRect& r : rects)
        p->fillRect(r, color);
    p->restore();
}

void TCanvas::Rectangle(const TRect& r)
{
    QPainter* p = Handle();
    if (!p || r.IsEmpty())
        return;
    FillRect(r);
    if (FPen.Style() == psClear)
        return;
    MoveTo(r.Left, r.Top);
    LineTo(r.Right - 1, r.Top);
    LineTo(r.Right - 1, r.Bottom - 1);
    LineTo(r.Left, r.Bottom - 1);
    LineTo(r.Left, r.Top);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    QPainter* p = Handle();
    if (!p || x2 <= x1 || y2 <= y1)
        return;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, true);
    ApplyPen(*p);
    if (FBrush.Style() == bsClear)
        p->setBrush(Qt::NoBrush);
    else
        p->setBrush(ToQColor(FBrush.Color()));
    p->drawRoundedRect(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1), x3 / 2.0, y3 / 2.0);
    p->restore();
}

void TCanvas::TextOut(int x, int y, const QString& text)
{
    const QFontMetrics fm(FFont.ToQFont());
    const int w = fm.horizontalAdvance(text);
    TextRect(Rect(x, y, x + w, y + fm.height()), x, y, text);
    FPenPos = {x + w, y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    QPainter* p = Handle();
    if (!p)
        return;
    p->save();
    p->setClipRect(r.ToQRect(), Qt::IntersectClip);
    if (FBrush.Style() != bsClear)
        p->fillRect(r.ToQRect(), ToQColor(FBrush.Color()));
    p->setFont(FFont.ToQFont());
    p->setPen(ToQColor(FFont.Color()));
    const QFontMetrics fm(p->font());
    p->drawText(x, y + fm.ascent(), text);
    p->restore();
}

int TCanvas::TextWidth(const QString& text) const
{
    return QFontMetrics(FFont.ToQFont()).horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString& text) const
{
    Q_UNUSED(text);
    return QFontMetrics(FFont.ToQFont()).height();
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    QPainter* p = Handle();
    if (!p || r.IsEmpty())
        return;
    // Every other pixel of the outline, inverted: painting it again restores the pixels.
    p->save();
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QColor white(Qt::white);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            p->fillRect(x, y, 1, 1, white);
    };
    // Only the dots on the device are walked: a huge rectangle costs no more than the device.
    const QRect bounds = PaintBounds(*p);
    for (int x = std::max(r.Left, bounds.left()); x < std::min(r.Right, bounds.right() + 1); ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            dot(x, r.Bottom - 1);
    }
    for (int y = std::max(r.Top + 1, bounds.top()); y < std::min(r.Bottom - 1, bounds.bottom() + 1); ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left)
            dot(r.Right - 1, y);
    }
    p->restore();
}

const QImage* TCanvas::DeviceImage() const
{
    const QPaintDevice* device = FPainter ? FPainter->device() : FDevice;
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    return static_cast<const QImage*>(device);
}

TColor TCanvas::Pixel(int x, int y)
{
    const QImage* image = DeviceImage();
    if (!image || !image->valid(x, y))
        return clNone;
    return QColorToColor(image->pixelColor(x, y));
}

QStyle* TCanvas::Style() const
{
    return FControl ? FControl->style() : QApplication::style();
}

void TCanvas::SetCopyMode(TCopyMode value)
{
    RasterOpOfCode(value); // refuses what cannot be drawn now rather than at the next copy
    FCopyMode = value;
}

void TCanvas::PaintRasterOp(const TRect& dest, const TRasterOp& op, const QImage& source)
{
    QPainter* p = Handle();
    if (!p || dest.IsEmpty())
        return;
    const bool readsBrush = op.Operand == TRasterOperand::Pattern;
    if (op.PaintsNothing() || (readsBrush && FBrush.Style() == bsClear))
        return;
    p->save();
    if (op.Operand == TRasterOperand::Source) {
        p->setCompositionMode(op.Mode);
        p->drawImage(dest.ToQRect(), source);
    } else {
        p->fillRect(dest.ToQRect(), BeginRasterOp(*p, op, ToQColor(FBrush.Color())));
    }
    p->restore();
}

void TCanvas::DrawImage(const TRect& dest, const QImage& image, bool blend)
{
    if (image.isNull())
        return;
    const TRasterOp op = blend ? TRasterOp{TRasterOperand::Source, QPainter::CompositionMode_SourceOver, {}}
                               : RasterOpOfCode(FCopyMode);
    PaintRasterOp(dest, op, image);
}

void TCanvas::PatternFill(const TRect& r, std::int32_t rop)
{
    const TRasterOp op = RasterOpOfCode(rop);
    if (op.Operand == TRasterOperand::Source)
        throw EInvalidOperation(QStringLiteral("A pattern fill cannot read a source"));
    PaintRasterOp(r, op, QImage());
}

void TCanvas::ExcludeClip(const TRect& r)
{
    QPainter* p = Handle();
    if (!p)
        return;
    const QRegion current = p->hasClipping() ? p->clipRegion() : QRegion(PaintBounds(*p));
    p->setClipRegion(current.subtracted(QRegion(r.ToQRect())), Qt::ReplaceClip);
}

void TCanvas::IntersectClip(const TRect& r)
{
    QPainter* p = Handle();
    if (!p)
        return;
    // Without clipping, QPainter's intersection takes r as the whole new region.
    p->setClipRect(r.IsEmpty() ? QRect() : r.ToQRect(), Qt::IntersectClip);
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic)
{
    StretchDraw(Rect(x, y, x + graphic.Width(), y + graphic.Height()), graphic);
}

void TCanvas::Draw(int x, int y, const TPicture& picture)
{
    StretchDraw(Rect(x, y, x + picture.Width(), y + picture.Height()), picture);
}

void TCanvas::StretchDraw(const TRect& r, const TGraphic& graphic)
{
    if (!graphic.Empty())
        DrawImage(r, graphic.DrawnImage(), graphic.Blends());
}

void TCanvas::StretchDraw(const TRect& r, const TPicture& picture)
{
    if (!picture.IsEmpty())
        DrawImage(r, picture.Image(), PictureBlends(picture));
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect)
{
    const TRasterOp op = RasterOpOfCode(FCopyMode);
    if (dest.IsEmpty() || sourceRect.IsEmpty())
        return;
    QImage pixels;
    if (op.Operand == TRasterOperand::Source) {
        const QImage* image = source.DeviceImage();
        if (!image)
            throw EInvalidOperation(QStringLiteral("Cannot copy from a canvas that has no image"));
        // A copy, so that a canvas can copy a part of itself onto another part. Edges are
        // rounded alike, so slices copied side by side meet without gap or overlap.
        const qreal ratio = image->devicePixelRatio();
        const auto device = [ratio](int at) { return qRound(at * ratio); };
        pixels = image->copy(QRect(QPoint(device(sourceRect.Left), device(sourceRect.Top)),
                                   QPoint(device(sourceRect.Right) - 1, device(sourceRect.Bottom) - 1)));
        pixels.setDevicePixelRatio(ratio);
    }
    PaintRasterOp(dest, op, pixels);
}

qreal TCanvas::DevicePixelRatio()
{
    // The engine's device is the one painted on, also when a widget's painting is
    // redirected into an image.
    QPainter* p = Handle();
    const QPaintDevice* device = p && p->paintEngine() ? p->paintEngine()->paintDevice() : nullptr;
    return device ? device->devicePixelRatio() : 1.0;
}

int TCanvas::SaveState()
{
    QPainter* p = Handle();
    if (!p)
        throw EInvalidOperation(QStringLiteral("Cannot save the state of a canvas that cannot paint"));
    p->save();
    return ++FSavedStates;
}

void TCanvas::RestoreState(int id)
{
    const int target = id < 0 ? FSavedStates + id + 1 : id;
    if (id == 0 || target < 1 || target > FSavedStates)
        throw EInvalidOperation(QStringLiteral("No saved canvas state %1").arg(id));
    for (; FSavedStates >= target; --FSavedStates)
        FPainter->restore();
}

} // namespace vg
