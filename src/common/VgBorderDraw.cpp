#include "common/VgBorderDraw.h"

#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/WinDraw.h"

#include <algorithm>

namespace vg {

namespace {

// Thicker borders than this are drawn this thick: no screen shows more, and the thickness
// is added to rectangle edges, which must not overflow.
constexpr int MaxBorderWidth = 32767;

// A negative width would have the border grow outward and the rectangle widen.
int BorderWidth(const TvgBorder& border)
{
    return std::clamp(border.Width(), 0, MaxBorderWidth);
}

TPenStyle PenStyleOf(TvgBorderStyle style)
{
    switch (style) {
    case vgbrdDash:
        return psDash;
    case vgbrdDot:
        return psDot;
    case vgbrdDashDot:
        return psDashDot;
    case vgbrdDashDotDot:
        return psDashDotDot;
    default:
        return psSolid;
    }
}

// One pixel toward the inside of the rectangle whose edge Dir names.
TPoint InwardStep(TvgBorderDir dir)
{
    switch (dir) {
    case vgbdTop:
        return {0, 1};
    case vgbdBottom:
        return {0, -1};
    case vgbdLeft:
        return {1, 0};
    case vgbdRight:
        return {-1, 0};
    }
    return {0, 0};
}

TPoint Moved(TPoint p, TPoint step, int times)
{
    return {p.X + step.X * times, p.Y + step.Y * times};
}

void DrawLine(TCanvas& canvas, TPoint p1, TPoint p2)
{
    canvas.MoveTo(p1.X, p1.Y);
    canvas.LineTo(p2.X, p2.Y);
}

// The colours of a bevel ring: left and top, then right and bottom.
struct TBevelColors {
    TColor TopLeft;
    TColor BottomRight;
};

TBevelColors BevelColorsOf(TBevelCut cut)
{
    switch (cut) {
    case bvLowered:
        return {clBtnShadow, clBtnHighlight};
    case bvRaised:
        return {clBtnHighlight, clBtnShadow};
    default:
        return {clBtnFace, clBtnFace};
    }
}

void DrawBevelRing(TCanvas& canvas, TRect& rect, TBevelCut cut)
{
    const TBevelColors colors = BevelColorsOf(cut);
    Frame3D(canvas, rect, colors.TopLeft, colors.BottomRight, 1);
}

} // namespace

int VgDrawBorder(TCanvas& Canvas, TPoint P1, TPoint P2, const TvgBorder& Border, TvgBorderDir Dir)
{
    if (Border.Style() == vgbrdNone)
        return 0;

    TPen& pen = Canvas.Pen();
    const TPenMode savedMode = pen.Mode();
    const TColor savedColor = pen.Color();
    const TPenStyle savedStyle = pen.Style();
    pen.SetStyle(PenStyleOf(Border.Style()));
    pen.SetMode(pmCopy);
    pen.SetWidth(1);
    pen.SetColor(Border.Color());

    const int width = BorderWidth(Border);
    const TPoint step = InwardStep(Dir);
    if (Border.Style() == vgbrdDouble) {
        // Two one-pixel lines with a gap of Width pixels between them.
        DrawLine(Canvas, P1, P2);
        DrawLine(Canvas, Moved(P1, step, width + 1), Moved(P2, step, width + 1));
    } else {
        for (int line = 0; line < width; ++line) {
            DrawLine(Canvas, P1, P2);
            P1 = Moved(P1, step, 1);
            P2 = Moved(P2, step, 1);
        }
    }

    pen.SetMode(savedMode);
    pen.SetColor(savedColor);
    pen.SetStyle(savedStyle);
    return VgBorderThickness(Border);
}

int VgBorderThickness(const TvgBorder& Border)
{
    switch (Border.Style()) {
    case vgbrdNone:
        return 0;
    case vgbrdDouble:
        return BorderWidth(Border) + 2;
    default:
        return BorderWidth(Border);
    }
}

void VgDrawBorders(TCanvas& Canvas, TRect& Rect, const TvgBorder& TopBorder, const TvgBorder& RightBorder,
                   const TvgBorder& BottomBorder, const TvgBorder& LeftBorder)
{
    // Every edge is placed on the rectangle as given, so each outermost line covers its
    // whole side; the edges drawn later own the corners they share with earlier ones.
    const int left = Rect.Left, top = Rect.Top, right = Rect.Right, bottom = Rect.Bottom;
    Rect.Top += VgDrawBorder(Canvas, {left, top}, {right, top}, TopBorder, vgbdTop);
    Rect.Right -= VgDrawBorder(Canvas, {right - 1, top}, {right - 1, bottom}, RightBorder, vgbdRight);
    Rect.Bottom -= VgDrawBorder(Canvas, {right - 1, bottom - 1}, {left - 1, bottom - 1}, BottomBorder, vgbdBottom);
    Rect.Left += VgDrawBorder(Canvas, {left, bottom - 1}, {left, top - 1}, LeftBorder, vgbdLeft);
}

void VgDrawBevel(TCanvas& Canvas, TRect& Rect, TBevelCut OuterBevel, TBevelCut InnerBevel)
{
    if (OuterBevel != bvNone)
        DrawBevelRing(Canvas, Rect, OuterBevel);
    if (InnerBevel != bvNone) {
        DrawBevelRing(Canvas, Rect, bvSpace); // keeps the inner ring apart from the outer one
        DrawBevelRing(Canvas, Rect, InnerBevel);
    }
}

int VgBevelThickness(TBevelCut OuterBevel, TBevelCut InnerBevel)
{
    return (OuterBevel != bvNone ? 1 : 0) + (InnerBevel != bvNone ? 2 : 0);
}

void DrawCheckBox(TCanvas* Canvas, TRect& Rect, TvgVAlignment VAlignment, TBitmap& Bitmap, bool Checked)
{
    const int bitmapWidth = Bitmap.Width();
    const int bitmapHeight = Bitmap.Height();
    const int glyphWidth = bitmapWidth / 2;
    const TRect source = Checked ? vg::Rect(glyphWidth, 0, bitmapWidth, bitmapHeight) : vg::Rect(0, 0, glyphWidth, bitmapHeight);

    TRect dest = Rect;
    switch (VAlignment) {
    case vgvaTop:
        dest.Top += 4;
        break;
    case vgvaCenter:
        dest.Top += (RectHeight(dest) - bitmapHeight) / 2;
        break;
    case vgvaBottom:
        dest.Top = dest.Bottom - bitmapHeight - 8;
        break;
    }
    dest.Left = Rect.Left + 4;
    dest.Right = dest.Left + glyphWidth;
    dest.Bottom = dest.Top + bitmapHeight;

    if (Canvas) {
        const TCopyMode savedMode = Canvas->CopyMode();
        Canvas->SetCopyMode(cmSrcCopy);
        Canvas->CopyRect(dest, Bitmap.Canvas(), source);
        Canvas->SetCopyMode(savedMode);
    }
    Rect.Left += glyphWidth + 7;
}

} // namespace vg
