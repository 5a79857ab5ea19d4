#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace vg {

// ---- TPen -------------------------------------------------------------------------------

const TClassInfo& TPen::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPen>(QStringLiteral("TPen"), &TPersistent::StaticClassInfo())
                                       .Color(QStringLiteral("Color"), &TPen::Color, &TPen::SetColor).Default(clBlack)
                                       .Enum(QStringLiteral("Mode"), &TPen::Mode, &TPen::SetMode).Default(pmCopy)
                                       .Enum(QStringLiteral("Style"), &TPen::Style, &TPen::SetStyle).Default(psSolid)
                                       .Int(QStringLiteral("Width"), &TPen::Width, &TPen::SetWidth).Default(1)
                                       .Build();
    return info;
}

void TPen::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPen::SetColor(TColor value)
{
    if (FColor != value) {
        FColor = value;
        Changed();
    }
}

void TPen::SetWidth(int value)
{
    value = std::max(value, 0);
    if (FWidth != value) {
        FWidth = value;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle value)
{
    if (FStyle != value) {
        FStyle = value;
        Changed();
    }
}

void TPen::SetMode(TPenMode value)
{
    if (FMode != value) {
        FMode = value;
        Changed();
    }
}

void TPen::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TPen*>(source)) {
        FColor = other->FColor;
        FWidth = other->FWidth;
        FStyle = other->FStyle;
        FMode = other->FMode;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// ---- TBrush -----------------------------------------------------------------------------

const TClassInfo& TBrush::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBrush>(QStringLiteral("TBrush"), &TPersistent::StaticClassInfo())
                                       .Color(QStringLiteral("Color"), &TBrush::Color, &TBrush::SetColor).Default(clWhite)
                                       .Enum(QStringLiteral("Style"), &TBrush::Style, &TBrush::SetStyle).Default(bsSolid)
                                       .Build();
    return info;
}

void TBrush::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TBrush::SetColor(TColor value)
{
    if (FColor != value) {
        FColor = value;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle value)
{
    if (FStyle != value) {
        FStyle = value;
        Changed();
    }
}

void TBrush::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TBrush*>(source)) {
        FColor = other->FColor;
        FStyle = other->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

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

void TCanvas::Detach()
{
    if (!FAttached)
        return;
    FPainter->restore();
    FPainter = nullptr;
    FAttached = false;
}

void TCanvas::Release()
{
    if (FOwnPainter) {
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

void TCanvas::LineTo(int x, int y)
{
    const TPoint from = FPenPos;
    FPenPos = {x, y};
    QPainter* p = Handle();
    if (!p || FPen.Style() == psClear || from == FPenPos)
        return;
    // Step the end point back by one pixel along the major axis, so the end itself stays
    // unpainted, then paint the inclusive line pixel by pixel.
    const int dx = x - from.X, dy = y - from.Y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const QColor c = ToQColor(FPen.Color());
    const int w = std::max(FPen.Width(), 1);
    p->save();
    p->setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < steps; ++i) {
        const int px = from.X + (dx * i + (dx >= 0 ? steps / 2 : -steps / 2)) / steps;
        const int py = from.Y + (dy * i + (dy >= 0 ? steps / 2 : -steps / 2)) / steps;
        p->fillRect(px - (w - 1) / 2, py - (w - 1) / 2, w, w, c);
    }
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
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left)
            dot(r.Right - 1, y);
    }
    p->restore();
}

TColor TCanvas::Pixel(int x, int y)
{
    auto* image = dynamic_cast<QImage*>(FDevice);
    if (!image || !image->valid(x, y))
        return clNone;
    Release();
    return QColorToColor(image->pixelColor(x, y));
}

} // namespace vg
