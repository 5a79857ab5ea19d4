#include "platform/graphics/WinDraw.h"

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Picture.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>
#include <climits>

namespace vg {

namespace {

struct TRingColors {
    TColor TopLeft;
    TColor BottomRight;
};

// Paints one ring on the sides named by sides (BF_ flags) and shrinks rect on them.
void PaintRing(TCanvas& canvas, TRect& rect, unsigned sides, TRingColors colors)
{
    QPainter* p = canvas.Handle();
    if (!p || rect.IsEmpty())
        return;
    const QColor topLeft = canvas.ToQColor(colors.TopLeft);
    const QColor bottomRight = canvas.ToQColor(colors.BottomRight);
    const int w = rect.Width(), h = rect.Height();
    if (sides & BF_LEFT)
        p->fillRect(rect.Left, rect.Top, 1, h, topLeft);
    if (sides & BF_TOP)
        p->fillRect(rect.Left, rect.Top, w, 1, topLeft);
    if (sides & BF_RIGHT)
        p->fillRect(rect.Right - 1, rect.Top, 1, h, bottomRight);
    if (sides & BF_BOTTOM)
        p->fillRect(rect.Left, rect.Bottom - 1, w, 1, bottomRight);
    rect.Left += (sides & BF_LEFT) ? 1 : 0;
    rect.Top += (sides & BF_TOP) ? 1 : 0;
    rect.Right -= (sides & BF_RIGHT) ? 1 : 0;
    rect.Bottom -= (sides & BF_BOTTOM) ? 1 : 0;
}

// The colours of one ring (outer or inner) in each look DrawEdge offers.
struct TRingLooks {
    TRingColors Mono, Flat, Raised, Sunken;
};
constexpr TRingLooks OuterRing{
    {clWindowFrame, clWindowFrame}, {clBtnShadow, clBtnShadow}, {clBtnHighlight, cl3DDkShadow}, {clBtnShadow, clBtnHighlight}};
constexpr TRingLooks InnerRing{
    {clWindow, clWindow}, {clBtnFace, clBtnFace}, {cl3DLight, clBtnShadow}, {cl3DDkShadow, cl3DLight}};

TRingColors RingColors(const TRingLooks& ring, bool raised, unsigned flags)
{
    if (flags & BF_MONO)
        return ring.Mono;
    if (flags & BF_FLAT)
        return ring.Flat;
    return raised ? ring.Raised : ring.Sunken;
}

QStyle::PrimitiveElement ArrowOf(unsigned state)
{
    switch (state & 0xFFu) {
    case DFCS_SCROLLUP: return QStyle::PE_IndicatorArrowUp;
    case DFCS_SCROLLDOWN:
    case DFCS_SCROLLCOMBOBOX: return QStyle::PE_IndicatorArrowDown;
    case DFCS_SCROLLLEFT: return QStyle::PE_IndicatorArrowLeft;
    case DFCS_SCROLLRIGHT: return QStyle::PE_IndicatorArrowRight;
    default: throw EInvalidOperation(QStringLiteral("Unsupported scroll frame control %1").arg(state & 0xFFu));
    }
}

// Draws the pixels of a graphic as DrawState does: as they are, or greyed.
void DrawStateImage(TCanvas& canvas, int x, int y, unsigned flags, const QImage& image, bool blends)
{
    const unsigned known = DSS_DISABLED | 0x000Fu; // the DST_ type bits are accepted and ignored
    if (flags & ~known)
        throw EInvalidOperation(QStringLiteral("Unsupported state drawing flags $%1").arg(flags, 0, 16));
    if (image.isNull())
        return;
    const TRect dest = Rect(x, y, x + image.width(), y + image.height());
    if (flags & DSS_DISABLED)
        canvas.DrawImage(dest, DisabledImage(image));
    else
        canvas.DrawImage(dest, image, blends);
}

} // namespace

void DrawEdge(TCanvas& canvas, TRect& rect, unsigned edge, unsigned flags)
{
    TRect inside = rect;
    const unsigned sides = flags & BF_RECT;
    if (edge & BDR_OUTER)
        PaintRing(canvas, inside, sides, RingColors(OuterRing, edge & BDR_RAISEDOUTER, flags));
    if (edge & BDR_INNER)
        PaintRing(canvas, inside, sides, RingColors(InnerRing, edge & BDR_RAISEDINNER, flags));
    if (flags & BF_MIDDLE) {
        QPainter* p = canvas.Handle();
        if (p && !inside.IsEmpty())
            p->fillRect(inside.ToQRect(), canvas.ToQColor((flags & BF_MONO) ? clWindow : clBtnFace));
    }
    if (flags & BF_ADJUST)
        rect = inside;
}

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width)
{
    TPen& pen = canvas.Pen();
    pen.SetWidth(1);
    for (int ring = 0; ring < width; ++ring) {
        if (!rect.IsEmpty()) {
            const int left = rect.Left, top = rect.Top, right = rect.Right - 1, bottom = rect.Bottom - 1;
            pen.SetColor(topColor);
            canvas.MoveTo(left, bottom);
            canvas.LineTo(left, top);
            canvas.LineTo(right, top);
            pen.SetColor(bottomColor);
            canvas.LineTo(right, bottom);
            canvas.LineTo(left - 1, bottom);
        }
        rect = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
    }
}

void DrawFrameControl(TCanvas& canvas, const TRect& rect, unsigned type, unsigned state)
{
    if (type != DFC_SCROLL)
        throw EInvalidOperation(QStringLiteral("Unsupported frame control type %1").arg(type));
    const QStyle::PrimitiveElement arrow = ArrowOf(state);
    QPainter* p = canvas.Handle();
    if (!p || rect.IsEmpty())
        return;
    QStyle* style = canvas.Style();
    QWidget* control = canvas.Control();
    const bool pushed = state & DFCS_PUSHED;

    QStyleOptionButton panel;
    if (control)
        panel.initFrom(control);
    panel.rect = rect.ToQRect();
    panel.palette = canvas.Palette();
    panel.state = QStyle::State_None;
    if (!(state & DFCS_INACTIVE))
        panel.state |= QStyle::State_Enabled;
    panel.state |= pushed ? (QStyle::State_Sunken | QStyle::State_On) : QStyle::State_Raised;
    if (state & DFCS_FLAT)
        panel.features |= QStyleOptionButton::Flat;

    // The arrow takes the middle of the button, as a scroll bar's arrow does.
    QStyleOption glyph(panel);
    const int margin = std::max(2, std::min(rect.Width(), rect.Height()) / 4);
    glyph.rect = panel.rect.adjusted(margin, margin, -margin, -margin);
    if (pushed)
        glyph.rect.translate(1, 1);

    p->save();
    style->drawPrimitive(QStyle::PE_PanelButtonCommand, &panel, p, control);
    style->drawPrimitive(arrow, &glyph, p, control);
    p->restore();
}

void DrawState(TCanvas& canvas, const TGraphic& graphic, int x, int y, unsigned flags)
{
    DrawStateImage(canvas, x, y, flags, graphic.Empty() ? QImage() : graphic.DrawnImage(), graphic.Blends());
}

void DrawState(TCanvas& canvas, const TPicture& picture, int x, int y, unsigned flags)
{
    DrawStateImage(canvas, x, y, flags, picture.Image(), PictureBlends(picture));
}

void PatBlt(TCanvas& canvas, int x, int y, int w, int h, std::int32_t rop)
{
    const qint64 x2 = qint64(x) + w, y2 = qint64(y) + h;
    auto clampToInt = [](qint64 v) { return int(std::clamp<qint64>(v, INT_MIN, INT_MAX)); };
    canvas.PatternFill(Rect(std::min(x, clampToInt(x2)), std::min(y, clampToInt(y2)), std::max(x, clampToInt(x2)),
                            std::max(y, clampToInt(y2))),
                       rop);
}

int SaveDC(TCanvas& canvas)
{
    return canvas.SaveState();
}

void RestoreDC(TCanvas& canvas, int savedDC)
{
    canvas.RestoreState(savedDC);
}

void ExcludeClipRect(TCanvas& canvas, const TRect& rect)
{
    canvas.ExcludeClip(rect);
}

void IntersectClipRect(TCanvas& canvas, const TRect& rect)
{
    canvas.IntersectClip(rect);
}

} // namespace vg
