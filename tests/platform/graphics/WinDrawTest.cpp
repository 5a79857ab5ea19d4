// Window-system drawing on images: edges and their corners, frame controls through the
// style, state drawing, pattern fills and clipping.
#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/WinDraw.h"

#include "support/ImageCanvas.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace vg {
namespace {

using namespace test;


// A palette in which every colour DrawEdge uses is distinct.
QPalette EdgePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(250, 250, 250));    // button highlight
    palette.setColor(QPalette::Midlight, QColor(220, 220, 220)); // 3-D light
    palette.setColor(QPalette::Button, QColor(192, 192, 192));   // button face
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));     // button shadow
    palette.setColor(QPalette::Shadow, QColor(10, 10, 10));      // 3-D dark shadow, window frame
    palette.setColor(QPalette::Base, QColor(255, 255, 240));     // window
    return palette;
}

struct TEdgeCase {
    const char* Name;
    unsigned Edge, Flags;
    // Outer ring: top-left corner, top-right, bottom-left, bottom-right; then the same
    // corners of the inner ring.
    TColor Outer[4], Inner[4];
};

TEST(DrawEdge, RingColoursAndCorners)
{
    const TEdgeCase cases[] = {
        {"raised", EDGE_RAISED, BF_RECT,
         {clBtnHighlight, cl3DDkShadow, cl3DDkShadow, cl3DDkShadow}, {cl3DLight, clBtnShadow, clBtnShadow, clBtnShadow}},
        {"sunken", EDGE_SUNKEN, BF_RECT,
         {clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnHighlight}, {cl3DDkShadow, cl3DLight, cl3DLight, cl3DLight}},
        {"flat", EDGE_RAISED, BF_RECT | BF_FLAT,
         {clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow}, {clBtnFace, clBtnFace, clBtnFace, clBtnFace}},
        {"mono", EDGE_SUNKEN, BF_RECT | BF_MONO,
         {clWindowFrame, clWindowFrame, clWindowFrame, clWindowFrame}, {clWindow, clWindow, clWindow, clWindow}},
    };
    for (const TEdgeCase& c : cases) {
        TImageCanvas image(40, 30, Green);
        image.Canvas.SetPalette(EdgePalette());
        TRect r = Rect(5, 5, 25, 20);
        DrawEdge(image.Canvas, r, c.Edge, c.Flags);
        EXPECT_EQ(r, Rect(5, 5, 25, 20)) << c.Name << ": unchanged without BF_ADJUST";
        const auto& p = image.Canvas;
        EXPECT_EQ(image.At(5, 5), Rgb(p, c.Outer[0])) << c.Name;
        EXPECT_EQ(image.At(24, 5), Rgb(p, c.Outer[1])) << c.Name;
        EXPECT_EQ(image.At(5, 19), Rgb(p, c.Outer[2])) << c.Name;
        EXPECT_EQ(image.At(24, 19), Rgb(p, c.Outer[3])) << c.Name;
        EXPECT_EQ(image.At(6, 6), Rgb(p, c.Inner[0])) << c.Name;
        EXPECT_EQ(image.At(23, 6), Rgb(p, c.Inner[1])) << c.Name;
        EXPECT_EQ(image.At(6, 18), Rgb(p, c.Inner[2])) << c.Name;
        EXPECT_EQ(image.At(23, 18), Rgb(p, c.Inner[3])) << c.Name;
        EXPECT_EQ(image.At(12, 12), Green) << c.Name << ": no BF_MIDDLE, no fill";
        EXPECT_EQ(image.At(25, 20), Green) << c.Name;
    }
}

TEST(DrawEdge, MiddleAdjustAndPartialSides)
{
    TImageCanvas image(40, 30, Green);
    image.Canvas.SetPalette(EdgePalette());
    TRect r = Rect(5, 5, 25, 20);
    DrawEdge(image.Canvas, r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    EXPECT_EQ(r, Rect(7, 7, 23, 18));
    EXPECT_EQ(image.Count(QRect(7, 7, 16, 11), Rgb(image.Canvas, clBtnFace)), 16 * 11);

    TImageCanvas partial(40, 30, Green);
    partial.Canvas.SetPalette(EdgePalette());
    TRect p = Rect(5, 5, 25, 20);
    DrawEdge(partial.Canvas, p, BDR_SUNKENOUTER, BF_BOTTOM | BF_ADJUST);
    EXPECT_EQ(p, Rect(5, 5, 25, 19));
    EXPECT_EQ(partial.CountPainted(), 20);
    EXPECT_EQ(partial.InkedRows(), std::pair(19, 19));
}

TEST(DrawFrameControl, PushedDiffersFromNormalAndTheArrowIsInside)
{
    const TRect r = Rect(4, 4, 21, 24);
    TImageCanvas normal(30, 30, Green), pushed(30, 30, Green);
    DrawFrameControl(normal.Canvas, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    DrawFrameControl(pushed.Canvas, r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_PUSHED | DFCS_FLAT);
    for (TImageCanvas* image : {&normal, &pushed}) {
        EXPECT_EQ(image->InkedColumns(), std::pair(4, 20)) << "the button fills its rectangle";
        EXPECT_EQ(image->InkedRows(), std::pair(4, 23));
    }
    int differing = 0;
    for (int y = 4; y < 24; ++y)
        for (int x = 4; x < 21; ++x)
            differing += normal.At(x, y) != pushed.At(x, y);
    EXPECT_GT(differing, 10);

    // The arrow: dark pixels in the middle of the button, none near its top edge.
    auto darkest = [](const TImageCanvas& image, const QRect& area) {
        int best = 255;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                best = std::min(best, qGray(image.At(x, y)));
        return best;
    };
    EXPECT_LT(darkest(normal, QRect(8, 9, 9, 10)), 128);
    EXPECT_GT(darkest(normal, QRect(7, 5, 11, 2)), darkest(normal, QRect(8, 9, 9, 10)) + 40);

    EXPECT_THROW(DrawFrameControl(normal.Canvas, r, 4, 0), EInvalidOperation);
    EXPECT_THROW(DrawFrameControl(normal.Canvas, r, DFC_SCROLL, 8), EInvalidOperation);
}

TEST(DrawState, DrawsUnscaledAndGreysWhenDisabled)
{
    TImageCanvas image(30, 30, Green);
    TPicture picture;
    QImage red(4, 3, QImage::Format_ARGB32);
    red.fill(qRgb(255, 0, 0));
    picture.SetIcon(red);
    DrawState(image.Canvas, picture, 2, 2, DST_ICON | DSS_NORMAL);
    EXPECT_EQ(image.Count(QRect(0, 0, 30, 30), qRgb(255, 0, 0)), 12);
    EXPECT_EQ(image.InkedColumns(), std::pair(2, 5));

    TBitmap bitmap;
    bitmap.LoadFromImage(red);
    DrawState(image.Canvas, bitmap, 10, 10, DST_BITMAP | DSS_DISABLED);
    const QRgb grey = image.At(10, 10);
    EXPECT_TRUE(qRed(grey) == qGreen(grey) && qGreen(grey) == qBlue(grey));
    EXPECT_EQ(image.At(14, 10), Green);
    EXPECT_THROW(DrawState(image.Canvas, bitmap, 0, 0, 0x0080), EInvalidOperation);
}

TEST(PatBlt, FillsWithFixedColoursTheBrushOrTheInverse)
{
    TImageCanvas image(30, 30, qRgb(0x12, 0x34, 0x56));
    image.Canvas.Brush().SetColor(clGreen);
    PatBlt(image.Canvas, 0, 0, 2, 2, BLACKNESS);
    PatBlt(image.Canvas, 2, 0, 2, 2, WHITENESS);
    PatBlt(image.Canvas, 4, 0, 2, 2, PATCOPY);
    PatBlt(image.Canvas, 6, 0, 2, 2, DSTINVERT);
    PatBlt(image.Canvas, 8, 0, 2, 2, PATINVERT);
    EXPECT_EQ(image.At(1, 1), Black);
    EXPECT_EQ(image.At(3, 1), White);
    EXPECT_EQ(image.At(5, 1), Green);
    EXPECT_EQ(image.At(7, 1), qRgb(0xED, 0xCB, 0xA9));
    EXPECT_EQ(image.At(9, 1), qRgb(0x12, 0xB4, 0x56));
    EXPECT_EQ(image.CountPainted(), 20);

    PatBlt(image.Canvas, 20, 20, -4, -2, BLACKNESS); // extends left and up
    EXPECT_EQ(image.Count(QRect(16, 18, 4, 2), Black), 8);
    image.Canvas.Brush().SetStyle(bsClear);
    PatBlt(image.Canvas, 0, 10, 5, 5, PATCOPY);
    EXPECT_EQ(image.CountPainted(), 28) << "a clear brush has no pattern to paint";
    EXPECT_THROW(PatBlt(image.Canvas, 0, 0, 5, 5, cmSrcCopy), EInvalidOperation);
}

TEST(Clipping, ExcludedAreaStaysUntouchedAndIntersectionNarrows)
{
    TImageCanvas image(30, 30);
    image.Canvas.Brush().SetColor(clBlack);
    ExcludeClipRect(image.Canvas, Rect(5, 5, 15, 10));
    ExcludeClipRect(image.Canvas, Rect(20, 0, 30, 30));
    image.Canvas.FillRect(Rect(0, 0, 30, 30));
    EXPECT_EQ(image.Count(QRect(5, 5, 10, 5), White), 50);
    EXPECT_EQ(image.Count(QRect(20, 0, 10, 30), White), 300);
    EXPECT_EQ(image.CountPainted(), 900 - 350);

    TImageCanvas narrowed(30, 30);
    narrowed.Canvas.Brush().SetColor(clBlack);
    IntersectClipRect(narrowed.Canvas, Rect(0, 0, 10, 10));
    IntersectClipRect(narrowed.Canvas, Rect(5, 5, 20, 20));
    narrowed.Canvas.FillRect(Rect(0, 0, 30, 30));
    EXPECT_EQ(narrowed.CountPainted(), 25);
    IntersectClipRect(narrowed.Canvas, Rect(8, 8, 8, 8));
    narrowed.Canvas.Brush().SetColor(clRed);
    narrowed.Canvas.FillRect(Rect(0, 0, 30, 30));
    EXPECT_EQ(narrowed.Count(QRect(0, 0, 30, 30), qRgb(255, 0, 0)), 0) << "an empty rectangle clips everything";
}

} // namespace
} // namespace vg
