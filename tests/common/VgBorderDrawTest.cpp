// Cell frames painted on images: border edges and the corners they own, styled and double
// lines, bevel rings, and the glyphs of the library's VG_CHECKBOX bitmap.
#include "common/VgBorderDraw.h"
#include "platform/graphics/Bitmaps.h"

#include "support/ImageCanvas.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

namespace vg {
namespace {

using namespace test;

std::unique_ptr<TvgBorder> Border(TvgBorderStyle style, int width, TColor color = clBlack)
{
    auto border = std::make_unique<TvgBorder>();
    border->SetStyle(style);
    border->SetWidth(width);
    border->SetColor(color);
    return border;
}

TEST(VgDrawBorders, EdgesCoverTheirSidesLaterEdgesOwnTheCornersAndThePenComesBack)
{
    const QRgb colors[4] = {Red, Green, Blue, Black}; // top, right, bottom, left
    for (const std::vector<int> widths : {std::vector{1, 1, 1, 1}, std::vector{3, 1, 2, 4}}) {
        TImageCanvas image;
        TPen& pen = image.Canvas.Pen(); // an xor pen would paint the borders in other colours
        pen.SetMode(pmXor);
        pen.SetStyle(psDot);
        pen.SetWidth(4);
        TRect r = Rect(10, 10, 50, 30);
        VgDrawBorders(image.Canvas, r, *Border(vgbrdSolid, widths[0], clRed), *Border(vgbrdSolid, widths[1], clGreen),
                      *Border(vgbrdSolid, widths[2], clBlue), *Border(vgbrdSolid, widths[3], clBlack));
        EXPECT_EQ(r, Rect(10 + widths[3], 10 + widths[0], 50 - widths[1], 30 - widths[2]));
        EXPECT_EQ(pen.Mode(), pmXor);
        EXPECT_EQ(pen.Style(), psDot);
        EXPECT_EQ(pen.Width(), 1);

        // Each band spans its whole side; they are painted in the order top, right, bottom, left.
        QImage expected(image.Image.size(), QImage::Format_RGB32);
        expected.fill(White);
        const QRect bands[4] = {QRect(10, 10, 40, widths[0]), QRect(50 - widths[1], 10, widths[1], 20),
                                QRect(10, 30 - widths[2], 40, widths[2]), QRect(10, 10, widths[3], 20)};
        for (int side = 0; side < 4; ++side)
            for (int y = bands[side].top(); y <= bands[side].bottom(); ++y)
                for (int x = bands[side].left(); x <= bands[side].right(); ++x)
                    expected.setPixel(x, y, colors[side]);
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                ASSERT_EQ(image.At(x, y), expected.pixel(x, y)) << x << "," << y << " top width " << widths[0];
    }
}

TEST(VgDrawBorder, NoneDoubleAndOutOfRangeWidths)
{
    TImageCanvas image;
    image.Canvas.Pen().SetWidth(4);
    EXPECT_EQ(VgDrawBorder(image.Canvas, {10, 29}, {50, 29}, *Border(vgbrdNone, 5), vgbdBottom), 0);
    EXPECT_EQ(image.Canvas.Pen().Width(), 4) << "no border leaves the pen untouched";
    EXPECT_EQ(VgDrawBorder(image.Canvas, {10, 29}, {50, 29}, *Border(vgbrdSolid, -3), vgbdBottom), 0);
    EXPECT_EQ(image.CountPainted(), 0);

    // Two lines with a gap of the border's width between them.
    EXPECT_EQ(VgDrawBorder(image.Canvas, {10, 29}, {50, 29}, *Border(vgbrdDouble, 1, clBlue), vgbdBottom), 3);
    EXPECT_EQ(image.Count(QRect(10, 29, 40, 1), Blue) + image.Count(QRect(10, 27, 40, 1), Blue), 80);
    EXPECT_EQ(image.CountPainted(), 80) << "row 28 stays";
    EXPECT_EQ(VgDrawBorder(image.Canvas, {90, 0}, {90, 9}, *Border(vgbrdDouble, -3), vgbdRight), 2);
    EXPECT_EQ(image.InkedColumns(QRect(80, 0, 20, 9)), std::pair(89, 90)) << "a negative gap closes up";

    // An absurd width is bounded, so adding it to a rectangle's edge cannot overflow.
    EXPECT_LT(VgDrawBorder(image.Canvas, {0, 0}, {9, 0}, *Border(vgbrdDouble, INT_MAX), vgbdTop), INT_MAX - 1000);
}

TEST(VgDrawBorder, StyledBandsFollowTheirPenPatternOnEveryLine)
{
    // Whether x = 3, 9 and 15 are painted: dash 18 on 6 off; dot 3 on 3 off; dash-dot 9 on
    // 6 off 3 on 6 off; dash-dot-dot 9 on, then 3 off 3 on twice.
    const std::pair<TvgBorderStyle, std::vector<bool>> cases[] = {{vgbrdDash, {true, true, true}},
                                                                  {vgbrdDot, {false, false, false}},
                                                                  {vgbrdDashDot, {true, false, true}},
                                                                  {vgbrdDashDotDot, {true, false, false}}};
    for (const auto& [style, painted] : cases) {
        TImageCanvas image;
        EXPECT_EQ(VgDrawBorder(image.Canvas, {0, 5}, {48, 5}, *Border(style, 2, clRed), vgbdTop), 2);
        EXPECT_EQ(image.InkedRows(), std::pair(5, 6));
        for (int y : {5, 6})
            EXPECT_EQ(std::vector({image.Painted(3, y), image.Painted(9, y), image.Painted(15, y)}), painted)
                << "style " << int(style) << " row " << y;
    }
}

TEST(VgDrawBevel, RingsFromTheOutsideShrinkTheRectangle)
{
    QPalette palette;
    palette.setColor(QPalette::Light, QColor(250, 250, 200)); // button highlight
    palette.setColor(QPalette::Button, QColor(192, 192, 192)); // button face
    palette.setColor(QPalette::Dark, QColor(128, 128, 128));   // button shadow
    const struct {
        TBevelCut Outer, Inner;
        std::vector<std::pair<TColor, TColor>> Rings; // top-left and bottom-right colours
    } cases[] = {
        {bvNone, bvNone, {}},
        {bvLowered, bvNone, {{clBtnShadow, clBtnHighlight}}},
        {bvSpace, bvNone, {{clBtnFace, clBtnFace}}},
        {bvNone, bvRaised, {{clBtnFace, clBtnFace}, {clBtnHighlight, clBtnShadow}}},
        {bvRaised, bvLowered, {{clBtnHighlight, clBtnShadow}, {clBtnFace, clBtnFace}, {clBtnShadow, clBtnHighlight}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "outer " << int(c.Outer) << " inner " << int(c.Inner));
        TImageCanvas image;
        image.Canvas.SetPalette(palette);
        TRect r = Rect(10, 10, 50, 30);
        VgDrawBevel(image.Canvas, r, c.Outer, c.Inner);
        const int n = int(c.Rings.size());
        EXPECT_EQ(r, Rect(10 + n, 10 + n, 50 - n, 30 - n));
        for (int i = 0; i < n; ++i) {
            const QRgb light = Rgb(image.Canvas, c.Rings[i].first), dark = Rgb(image.Canvas, c.Rings[i].second);
            const int left = 10 + i, top = 10 + i, right = 49 - i, bottom = 29 - i;
            EXPECT_EQ(std::vector({image.At(left, top), image.At(left + 5, top), image.At(left, top + 5)}),
                      std::vector(3, light)) << "ring " << i;
            EXPECT_EQ(std::vector({image.At(right, bottom), image.At(right - 5, bottom), image.At(right, top + 5)}),
                      std::vector(3, dark)) << "ring " << i;
        }
        EXPECT_EQ(image.CountPainted(), 40 * 20 - (40 - 2 * n) * (20 - 2 * n)) << "rings only";
    }
}

// A black frame around white, with a black diagonal cross inside the checked glyph.
QRgb GlyphPixel(bool checked, int x, int y)
{
    const bool frame = x == 0 || y == 0 || x == 9 || y == 9;
    return frame || (checked && (x == y || x + y == 9)) ? Black : White;
}

TEST(CheckBoxBitmap, LoadsByNameAndRefusesUnknownNames)
{
    TBitmap bitmap;
    bitmap.LoadFromResourceName(QStringLiteral("VG_CHECKBOX"));
    ASSERT_EQ(QSize(bitmap.Width(), bitmap.Height()), QSize(20, 10));
    const QImage image = bitmap.Image();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(image.pixel(x, y) | 0xFF000000u, GlyphPixel(x >= 10, x % 10, y)) << x << "," << y;

    for (const char* name : {"VG_NOSUCHBITMAP", "", "vg_checkbox", "../bitmaps/VG_CHECKBOX", "VG_CHECKBOX.bmp"})
        EXPECT_THROW(bitmap.LoadFromResourceName(QString::fromLatin1(name)), EResNotFound) << name;
    EXPECT_EQ(bitmap.Width(), 20) << "a failed load keeps the bitmap";
}

TEST(DrawCheckBox, PlacesTheGlyphByAlignmentCopyingPlainly)
{
    TBitmap checkBox;
    checkBox.LoadFromResourceName(QStringLiteral("VG_CHECKBOX"));
    const struct {
        TvgVAlignment Align;
        TRect Cell;
        int GlyphTop;
    } cases[] = {
        {vgvaTop, Rect(5, 3, 60, 33), 7},
        {vgvaBottom, Rect(5, 0, 60, 30), 12},
        {vgvaCenter, Rect(5, 0, 60, 30), 10}, // (31 - 10) div 2
        {vgvaCenter, Rect(5, 0, 60, 4), -2},  // truncated toward zero, not floored
    };
    for (bool checked : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << "align " << int(c.Align) << " bottom " << c.Cell.Bottom << " " << checked);
            TImageCanvas image(70, 40, Green);
            image.Canvas.SetCopyMode(cmSrcInvert);
            TRect r = c.Cell;
            DrawCheckBox(&image.Canvas, r, c.Align, checkBox, checked);
            EXPECT_EQ(r, Rect(c.Cell.Left + 17, c.Cell.Top, c.Cell.Right, c.Cell.Bottom));
            EXPECT_EQ(image.Canvas.CopyMode(), cmSrcInvert);
            const QRect glyph = QRect(9, c.GlyphTop, 10, 10).intersected(image.Image.rect());
            EXPECT_EQ(image.CountPainted(), glyph.width() * glyph.height()) << "the glyph only";
            for (int y = glyph.top(); y <= glyph.bottom(); ++y)
                for (int x = glyph.left(); x <= glyph.right(); ++x)
                    ASSERT_EQ(image.At(x, y), GlyphPixel(checked, x - 9, y - c.GlyphTop)) << x << "," << y;
        }
    }

    TRect cell = Rect(3, 0, 40, 20);
    DrawCheckBox(nullptr, cell, vgvaCenter, checkBox, false);
    EXPECT_EQ(cell, Rect(20, 0, 40, 20)) << "advanced without a canvas";
}

} // namespace
} // namespace vg
