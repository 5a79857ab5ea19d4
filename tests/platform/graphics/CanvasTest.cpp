// TCanvas on images: the end-point rule of lines, wide pens, dash patterns, pen modes,
// Frame3D, system colours through the control's palette, copy modes, drawing graphics
// and saving and restoring the drawing state.
#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/WinDraw.h"

#include "support/ImageCanvas.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QWidget>
#include <QtMath>

#include <functional>

namespace vg {
namespace {

using namespace test;


// ---- Lines

TEST(CanvasLine, PaintsTheStartAndStopsBeforeTheEnd)
{
    struct TCase {
        TPoint From, To;
        TPoint FirstPixel, LastPixel;
    };
    const TCase cases[] = {
        {{10, 10}, {50, 10}, {10, 10}, {49, 10}}, // right
        {{50, 20}, {10, 20}, {50, 20}, {11, 20}}, // left
        {{20, 5}, {20, 45}, {20, 5}, {20, 44}},   // down
        {{30, 45}, {30, 5}, {30, 45}, {30, 6}},   // up
        {{10, 10}, {40, 40}, {10, 10}, {39, 39}}, // diagonal
        {{60, 40}, {80, 10}, {60, 40}, {79, 11}}, // steep, up and right
    };
    for (const TCase& c : cases) {
        TImageCanvas image;
        image.Canvas.MoveTo(c.From.X, c.From.Y);
        image.Canvas.LineTo(c.To.X, c.To.Y);
        const int steps = std::max(std::abs(c.To.X - c.From.X), std::abs(c.To.Y - c.From.Y));
        EXPECT_EQ(image.CountPainted(), steps) << "one pixel per step, the end excluded";
        EXPECT_TRUE(image.Painted(c.FirstPixel.X, c.FirstPixel.Y));
        EXPECT_TRUE(image.Painted(c.LastPixel.X, c.LastPixel.Y));
        EXPECT_FALSE(image.Painted(c.To.X, c.To.Y)) << "the end point stays unpainted";
        EXPECT_EQ(image.Canvas.PenPos(), c.To);
    }
}

TEST(CanvasLine, WidePensAreCentredAsQPainterCentresThem)
{
    // A pen w wide reaches w / 2 pixels above a horizontal line (left of a vertical one).
    for (int width : {2, 3, 4, 5}) {
        TImageCanvas image;
        image.Canvas.Pen().SetWidth(width);
        image.Canvas.MoveTo(10, 30);
        image.Canvas.LineTo(60, 30);
        EXPECT_EQ(image.InkedRows(QRect(30, 0, 1, 60)), std::pair(30 - width / 2, 30 - width / 2 + width - 1)) << width;
        EXPECT_EQ(image.CountPainted(), 50 * width) << "flat ends: " << width;
        EXPECT_FALSE(image.Painted(60, 30));
    }
    TImageCanvas image;
    image.Canvas.Pen().SetWidth(4);
    image.Canvas.MoveTo(30, 10);
    image.Canvas.LineTo(30, 50);
    EXPECT_EQ(image.InkedColumns(), std::pair(28, 31));
    EXPECT_EQ(image.InkedRows(), std::pair(10, 49));
}

TEST(CanvasLine, FarAwayEndPointsPaintOnlyWhatReachesTheImage)
{
    TImageCanvas image;
    image.Canvas.MoveTo(-2000000000, 30);
    image.Canvas.LineTo(2000000000, 30);
    EXPECT_EQ(image.Count(image.Image.rect(), Black), 100);
    image.Canvas.Pen().SetWidth(1000000000); // an absurdly wide pen: no hang, no overflow
    image.Canvas.MoveTo(30, -2000000000);
    image.Canvas.LineTo(-2000000000, 2000000000);
    EXPECT_EQ(image.CountPainted(), 100) << "a band far to the left";
    image.Canvas.MoveTo(2000000000, 30);
    image.Canvas.LineTo(-2000000000, 30);
    EXPECT_EQ(image.CountPainted(), 6000) << "a band across the whole image";
}

TEST(CanvasLine, OnePixelPensFollowTheirDashPattern)
{
    struct TCase {
        TPenStyle Style;
        int PaintedOf48; // two periods of 24 pixels (the dash, the dash-dot, ...)
        std::vector<int> FirstRuns;
    };
    const TCase cases[] = {
        {psSolid, 48, {48}},
        {psDash, 36, {18, 6, 18}},
        {psDot, 24, {3, 3, 3, 3}},
        {psDashDot, 24, {9, 6, 3, 6, 9}},
        {psDashDotDot, 30, {9, 3, 3, 3, 3, 3, 9}},
        {psInsideFrame, 48, {48}},
        {psClear, 0, {}},
    };
    for (const TCase& c : cases) {
        TImageCanvas image;
        image.Canvas.Pen().SetStyle(c.Style);
        image.Canvas.MoveTo(0, 5);
        image.Canvas.LineTo(48, 5);
        EXPECT_EQ(image.CountPainted(), c.PaintedOf48) << EnumInfo<TPenStyle>().NameOf(c.Style).toStdString();
        // The runs of painted and unpainted pixels from the start.
        std::vector<int> runs;
        for (int x = 0; x < 48; ++x) {
            const bool on = image.Painted(x, 5);
            if (x == 0 && !on)
                break;
            if (runs.empty() || (runs.size() % 2 == 1) != on)
                runs.push_back(0);
            ++runs.back();
        }
        runs.resize(std::min(runs.size(), c.FirstRuns.size()));
        EXPECT_EQ(runs, c.FirstRuns) << EnumInfo<TPenStyle>().NameOf(c.Style).toStdString();
    }
    // The pattern counts along the longer axis, so a vertical dotted line has the same dots.
    TImageCanvas image;
    image.Canvas.Pen().SetStyle(psDot);
    image.Canvas.MoveTo(7, 0);
    image.Canvas.LineTo(7, 48);
    EXPECT_EQ(image.CountPainted(), 24);
    // A wider pen draws solid whatever its style.
    image.Canvas.Pen().SetWidth(2);
    image.Canvas.MoveTo(50, 0);
    image.Canvas.LineTo(50, 48);
    EXPECT_EQ(image.CountPainted(QRect(40, 0, 20, 60)), 96);
}

TEST(CanvasLine, PenModesCombineWithTheDestination)
{
    struct TCase {
        TPenMode Mode;
        QRgb Under, Pen, Result;
    };
    const QRgb a = qRgb(0x12, 0x34, 0x56), p = qRgb(0xF0, 0x0F, 0x33);
    const TCase cases[] = {
        {pmCopy, a, p, p},
        {pmBlack, a, p, Black},
        {pmWhite, a, p, White},
        {pmNop, a, p, a},
        {pmNot, a, p, qRgb(0xED, 0xCB, 0xA9)},
        {pmNotCopy, a, p, qRgb(0x0F, 0xF0, 0xCC)},
        {pmXor, a, p, qRgb(0xE2, 0x3B, 0x65)},
        {pmNotXor, a, p, qRgb(0x1D, 0xC4, 0x9A)},
        {pmMerge, a, p, qRgb(0xF2, 0x3F, 0x77)},
        {pmMask, a, p, qRgb(0x10, 0x04, 0x12)},
        {pmNotMerge, a, p, qRgb(0x0D, 0xC0, 0x88)},
        {pmNotMask, a, p, qRgb(0xEF, 0xFB, 0xED)},
        {pmMergePenNot, a, p, qRgb(0xFD, 0xCF, 0xBB)},
        {pmMaskPenNot, a, p, qRgb(0xE0, 0x0B, 0x21)},
        {pmMergeNotPen, a, p, qRgb(0x1F, 0xF4, 0xDE)},
        {pmMaskNotPen, a, p, qRgb(0x02, 0x30, 0x44)},
    };
    for (const TCase& c : cases) {
        TImageCanvas image(20, 20, c.Under);
        image.Canvas.Pen().SetColor(QColorToColor(QColor(c.Pen)));
        image.Canvas.Pen().SetMode(c.Mode);
        image.Canvas.MoveTo(2, 2);
        image.Canvas.LineTo(12, 2);
        EXPECT_EQ(image.At(5, 2), c.Result) << EnumInfo<TPenMode>().NameOf(c.Mode).toStdString();
        EXPECT_EQ(image.At(12, 2), c.Under);
    }
}

TEST(CanvasLine, XorTouchesEveryPixelOnceSoDrawingTwiceRestores)
{
    TImageCanvas image;
    image.Canvas.Pen().SetMode(pmXor);
    image.Canvas.Pen().SetColor(clWhite);
    image.Canvas.Brush().SetStyle(bsClear);
    image.Canvas.Rectangle(Rect(10, 10, 40, 30));
    EXPECT_EQ(image.Count(image.Image.rect(), Black), 2 * (30 + 20) - 4) << "corners inverted once";
    image.Canvas.Rectangle(Rect(10, 10, 40, 30));
    EXPECT_EQ(image.CountPainted(), 0);

    image.Canvas.Pen().SetWidth(3);
    image.Canvas.MoveTo(5, 5);
    image.Canvas.LineTo(70, 50);
    for (int i = 0; i < 65; ++i)
        ASSERT_EQ(image.At(5 + i, 5 + (i * 45 + 32) / 65), Black) << "no pixel of the band inverted twice, step " << i;
    image.Canvas.MoveTo(5, 5);
    image.Canvas.LineTo(70, 50);
    EXPECT_EQ(image.CountPainted(), 0);
}

// ---- Frame3D and colours

TEST(CanvasFrame3D, EachRingPaintsTopLeftThenBottomRightAndShrinks)
{
    TImageCanvas image;
    TRect r = Rect(10, 10, 30, 25);
    Frame3D(image.Canvas, r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(12, 12, 28, 23));
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    for (int ring = 0; ring < 2; ++ring) {
        const int l = 10 + ring, t = 10 + ring, rr = 29 - ring, b = 24 - ring;
        EXPECT_EQ(image.At(l, t), red) << "the top colour owns the top-left corner";
        EXPECT_EQ(image.At(rr - 1, t), red);
        EXPECT_EQ(image.At(l, b - 1), red);
        EXPECT_EQ(image.At(rr, t), blue) << "the bottom colour owns the other three corners";
        EXPECT_EQ(image.At(rr, b), blue);
        EXPECT_EQ(image.At(l, b), blue);
        EXPECT_EQ(image.At(l + 1, b), blue);
        EXPECT_EQ(image.At(rr, t + 1), blue);
    }
    EXPECT_FALSE(image.Painted(12, 12)) << "the inside stays untouched";
    EXPECT_EQ(image.CountPainted(), 2 * (19 + 14) * 2 - 8);
    EXPECT_EQ(image.Canvas.Pen().Color(), clBlue);
    EXPECT_EQ(image.Canvas.Pen().Width(), 1);

    TRect tiny = Rect(50, 50, 52, 52);
    Frame3D(image.Canvas, tiny, clRed, clBlue, 3);
    EXPECT_EQ(tiny, Rect(53, 53, 49, 49)) << "the rectangle shrinks by the width whatever is left";
}

TEST(CanvasColors, SystemColoursFollowTheControlsPalette)
{
    TImageCanvas image;
    QPalette dark;
    dark.setColor(QPalette::Button, QColor(40, 40, 40));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    image.Canvas.SetPalette(dark);
    EXPECT_EQ(Rgb(image.Canvas, clBtnFace), qRgb(40, 40, 40));

    QWidget control;
    QPalette other;
    other.setColor(QPalette::Button, QColor(1, 2, 3));
    control.setPalette(other);
    image.Canvas.SetControl(&control);
    EXPECT_EQ(image.Canvas.Control(), &control);
    EXPECT_EQ(image.Canvas.Style(), control.style());
    image.Canvas.Brush().SetColor(clBtnFace);
    image.Canvas.FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(image.At(2, 2), qRgb(1, 2, 3)) << "the control's palette wins over the canvas's own";
    other.setColor(QPalette::Button, QColor(7, 8, 9));
    control.setPalette(other);
    EXPECT_EQ(Rgb(image.Canvas, clBtnFace), qRgb(7, 8, 9)) << "and is read when painting, not copied";
}

// ---- Copying and drawing images

TEST(CanvasCopyRect, CombinesBySourceAndDestinationPerCopyMode)
{
    const QRgb src = qRgb(0xF0, 0x0F, 0x33), dst = qRgb(0x12, 0x34, 0x56);
    struct TCase {
        TCopyMode Mode;
        QRgb Result;
    };
    const TCase cases[] = {
        {cmSrcCopy, src},
        {cmSrcAnd, qRgb(0x10, 0x04, 0x12)},
        {cmSrcPaint, qRgb(0xF2, 0x3F, 0x77)},
        {cmSrcInvert, qRgb(0xE2, 0x3B, 0x65)},
        {cmBlackness, Black},
        {cmWhiteness, White},
        {cmNotSrcCopy, qRgb(0x0F, 0xF0, 0xCC)},
        {cmDstInvert, qRgb(0xED, 0xCB, 0xA9)},
        {cmSrcErase, qRgb(0xE0, 0x0B, 0x21)},
        {cmNotSrcErase, qRgb(0x0D, 0xC0, 0x88)},
        {cmMergePaint, qRgb(0x1F, 0xF4, 0xDE)},
        {cmPatCopy, qRgb(0x00, 0x80, 0x00)},
    };
    TImageCanvas source(20, 20, src);
    for (const TCase& c : cases) {
        TImageCanvas dest(40, 40, dst);
        dest.Canvas.Brush().SetColor(clGreen);
        dest.Canvas.SetCopyMode(c.Mode);
        dest.Canvas.CopyRect(Rect(5, 5, 15, 15), source.Canvas, Rect(0, 0, 10, 10));
        EXPECT_EQ(dest.At(5, 5), c.Result) << std::hex << c.Mode;
        EXPECT_EQ(dest.At(14, 14), c.Result);
        EXPECT_EQ(dest.At(15, 15), dst) << "nothing outside dest";
    }
}

TEST(CanvasCopyRect, ScalesCopiesWithinOneCanvasAndRefusesWhatItCannotDo)
{
    TImageCanvas image(40, 40);
    image.Canvas.Brush().SetColor(clRed);
    image.Canvas.FillRect(Rect(0, 0, 2, 2));
    image.Canvas.CopyRect(Rect(10, 10, 20, 20), image.Canvas, Rect(0, 0, 2, 2));
    EXPECT_EQ(image.Count(QRect(10, 10, 10, 10), qRgb(255, 0, 0)), 100) << "2 x 2 stretched to 10 x 10";

    EXPECT_THROW(image.Canvas.SetCopyMode(cmMergeCopy), EInvalidOperation);
    EXPECT_THROW(image.Canvas.SetCopyMode(0x00AB1234), EInvalidOperation);
    EXPECT_EQ(image.Canvas.CopyMode(), cmSrcCopy) << "a refused mode is not taken";

    TCanvas widgetCanvas; // no image to read from
    EXPECT_THROW(image.Canvas.CopyRect(Rect(0, 0, 5, 5), widgetCanvas, Rect(0, 0, 5, 5)), EInvalidOperation);
    image.Canvas.SetCopyMode(cmBlackness); // reads no source, so any canvas will do
    image.Canvas.CopyRect(Rect(30, 30, 35, 35), widgetCanvas, Rect(0, 0, 5, 5));
    EXPECT_EQ(image.At(32, 32), Black);
}

TEST(CanvasDraw, BitmapsCopyIconsAndTransparentBitmapsBlend)
{
    TImageCanvas image(40, 40, qRgb(0, 0, 255));
    TBitmap bitmap(4, 4);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Rect(0, 0, 2, 4)); // left half red, right half white
    image.Canvas.Draw(1, 1, bitmap);
    EXPECT_EQ(image.At(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(image.At(4, 4), White);
    EXPECT_EQ(image.At(5, 5), qRgb(0, 0, 255));

    image.Canvas.SetCopyMode(cmSrcInvert); // opaque bitmaps follow the copy mode
    image.Canvas.Draw(1, 1, bitmap);
    EXPECT_EQ(image.At(1, 1), Black);
    image.Canvas.SetCopyMode(cmSrcCopy);

    bitmap.SetTransparent(true);
    bitmap.SetTransparentColor(clWhite);
    image.Canvas.Draw(10, 10, bitmap);
    EXPECT_EQ(image.At(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.At(13, 13), qRgb(0, 0, 255)) << "the transparent colour leaves the canvas showing";

    QImage half(2, 2, QImage::Format_ARGB32);
    half.fill(qRgba(255, 255, 255, 0));
    half.setPixel(0, 0, qRgba(255, 0, 0, 255));
    TIcon icon;
    icon.LoadFromImage(half);
    image.Canvas.Draw(20, 20, icon);
    EXPECT_EQ(image.At(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(image.At(21, 21), qRgb(0, 0, 255));

    TPicture picture;
    picture.SetIcon(half);
    image.Canvas.StretchDraw(Rect(30, 30, 34, 34), picture);
    EXPECT_EQ(image.Count(QRect(30, 30, 4, 4), qRgb(255, 0, 0)), 4) << "one pixel stretched to 2 x 2";
    EXPECT_EQ(image.At(33, 33), qRgb(0, 0, 255));
    TPicture empty;
    image.Canvas.Draw(0, 0, empty);
    image.Canvas.Draw(0, 0, TBitmap());
}

// ---- Drawing state

TEST(CanvasState, RestoreGoesBackToASavedClipAndRefusesUnknownStates)
{
    TImageCanvas image;
    image.Canvas.Brush().SetColor(clBlack);
    const int outer = SaveDC(image.Canvas);
    IntersectClipRect(image.Canvas, Rect(0, 0, 10, 10));
    const int inner = SaveDC(image.Canvas);
    EXPECT_EQ(inner, outer + 1);
    IntersectClipRect(image.Canvas, Rect(0, 0, 5, 5));
    image.Canvas.FillRect(Rect(0, 0, 100, 60));
    EXPECT_EQ(image.CountPainted(), 25);

    RestoreDC(image.Canvas, -1); // back to the 10 x 10 clip
    image.Canvas.FillRect(Rect(0, 0, 100, 60));
    EXPECT_EQ(image.CountPainted(), 100);
    EXPECT_THROW(RestoreDC(image.Canvas, inner), EInvalidOperation) << "already restored";
    EXPECT_THROW(RestoreDC(image.Canvas, 0), EInvalidOperation);
    EXPECT_THROW(RestoreDC(image.Canvas, -2), EInvalidOperation);
    RestoreDC(image.Canvas, outer);
    EXPECT_EQ(image.Canvas.SavedStateCount(), 0);
    image.Canvas.FillRect(Rect(0, 0, 100, 60));
    EXPECT_EQ(image.CountPainted(), 6000);

    SaveDC(image.Canvas);
    SaveDC(image.Canvas);
    image.Canvas.Release(); // the painter ends, and with it the saved states
    EXPECT_EQ(image.Canvas.SavedStateCount(), 0);
    EXPECT_THROW(RestoreDC(image.Canvas, -1), EInvalidOperation);
}

TEST(CanvasState, DetachLeavesAnAttachedPainterAsItWas)
{
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter painter(&target);
    TCanvas canvas;
    canvas.Attach(&painter);
    SaveDC(canvas);
    ExcludeClipRect(canvas, Rect(0, 0, 10, 20));
    canvas.Detach(); // a state left saved is dropped, not restored into the caller's painter
    painter.fillRect(0, 0, 20, 20, Qt::black);
    EXPECT_FALSE(painter.hasClipping());
    EXPECT_EQ(target.pixel(0, 0), Black);
}

// ---- Widgets on screens of a pixel ratio above 1

// A widget that paints through a canvas attached to its painter, as the grid does.
class TCanvasWidget : public QWidget {
public:
    std::function<void(TCanvas&)> Paint;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        TCanvas canvas;
        canvas.Attach(&painter);
        Paint(canvas);
        canvas.Detach();
    }
};

// Lines, focus rectangles and excluded clips reach the whole widget at every pixel ratio:
// a widget counts its size in logical pixels, and what the canvas walks must not take
// that size for device pixels (a grid's borders and bevels would stop at size / ratio).
TEST(CanvasOnWidget, LinesFocusRectanglesAndClipsReachTheWholeWidgetAtEveryPixelRatio)
{
    struct TCase {
        const char* What;
        std::function<void(TCanvas&)> Paint;
        QRgb Color; // what lands at the widget's bottom-right corner
    };
    // A line along the bottom and one down the right side, in a pen style.
    const auto cross = [](TPenStyle style) {
        return [style](TCanvas& canvas) {
            canvas.Pen().SetColor(clRed);
            canvas.Pen().SetStyle(style);
            canvas.MoveTo(0, 95);
            canvas.LineTo(200, 95);
            canvas.MoveTo(195, 0);
            canvas.LineTo(195, 100);
        };
    };
    const TCase cases[] = {
        {"line", cross(psSolid), Red},
        {"dotted line", cross(psDot), Red},
        {"focus rectangle",
         [](TCanvas& canvas) { canvas.DrawFocusRect(Rect(5, 5, 196, 96)); },
         Black}, // white dots inverted on white
        {"excluded clip",
         [](TCanvas& canvas) {
             ExcludeClipRect(canvas, Rect(0, 0, 10, 10));
             canvas.Brush().SetColor(clRed);
             canvas.FillRect(Rect(0, 0, 200, 100));
         },
         Red},
    };
    for (const TCase& c : cases) {
        for (const qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
            SCOPED_TRACE(testing::Message() << c.What << " at ratio " << ratio);
            TCanvasWidget widget;
            widget.Paint = c.Paint;
            widget.resize(200, 100);
            QImage image(qCeil(200 * ratio), qCeil(100 * ratio), QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            widget.render(&image, {}, {}, QWidget::DrawChildren);
            // The device pixels of logical pixel (x, y) hold the colour somewhere.
            const auto inked = [&](int x, int y) {
                for (int dy = qFloor(y * ratio); dy < qCeil((y + 1) * ratio); ++dy)
                    for (int dx = qFloor(x * ratio); dx < qCeil((x + 1) * ratio); ++dx)
                        if (image.valid(dx, dy) && (image.pixel(dx, dy) | 0xFF000000u) == c.Color)
                            return true;
                return false;
            };
            int far = 0;
            for (int x = 150; x < 194; ++x)
                far += inked(x, 95);
            for (int y = 60; y < 94; ++y)
                far += inked(195, y);
            EXPECT_GE(far, 30) << "ink near the bottom-right corner";
            EXPECT_TRUE(inked(195, 95) || inked(194, 95) || inked(195, 94));
        }
    }
}

} // namespace
} // namespace vg
