#include "grid/VgGrid.h"

#include "common/VgDrawText.h"
#include "platform/graphics/Picture.h"

#include <QCoreApplication>
#include <QImage>

#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;
using namespace vg::test;

namespace {

// A grid whose press tracking tests can set, as the mouse handling would.
class TTrackableGrid : public TVelkoGrid {
public:
    void Press(TGridCoord cell, int heading)
    {
        FTracking = true;
        FTrackPressed = true;
        FTrackOver = true;
        FTrackCell = cell;
        FTrackHeading = heading;
    }
};

struct VelkoGridPaint : ::testing::Test {
    TTrackableGrid Grid;

    void SetUp() override
    {
        Grid.SetColCount(5);
        Grid.SetRowCount(6);
        ShowFocused(Grid, {500, 300});
    }
    QImage Paint() { return Grid.viewport()->grab().toImage(); }
    QRgb Rgb(TColor color) const { return ColorToQColor(color, Grid.palette()).rgb(); }
    // A pixel near the cell's top-left corner, clear of borders, bevels and text.
    static QRgb Inside(const QImage& image, const TRect& r) { return image.pixel(r.Left + 3, r.Bottom - 3); }
    QRgb CellPixel(const QImage& image, int col, int row) const { return Inside(image, Grid.CellRect(col, row)); }
    TvgColumn* Item(int index) { return (*Grid.Columns())[index]; }
    // A yellow heading without bevel, a red left and a blue right border, over items 1 to 3.
    void AddMarkedHeading(const QString& caption)
    {
        TvgHeading* heading = Grid.Headings()->Add();
        heading->SetCaption(caption);
        heading->SetTitleColor(clYellow);
        heading->SetTitleOuterBevel(bvNone);
        TvgBorder left;
        left.SetStyle(vgbrdSolid);
        left.SetColor(clRed);
        TvgBorder right;
        right.SetStyle(vgbrdSolid);
        right.SetColor(clBlue);
        heading->SetLeftBorder(&left);
        heading->SetRightBorder(&right);
        for (int i = 1; i <= 3; ++i)
            Item(i)->SetHeadingIndex(0);
    }
};

} // namespace

TEST_F(VelkoGridPaint, ColumnLookThenHighlightThenTheEventDecides)
{
    for (int i = 1; i < 5; ++i)
        Item(i)->SetColumnColor(clLime);
    Grid.SetVelkoHighlightColor(clFuchsia);
    Grid.SetSelection(GridRect(1, 1, 3, 2)); // current cell (3, 2)
    Grid.OnChangeCellAttributes = [](TObject*, int col, int row, TvgHeading*, TvgCellStates state, TColor& color,
                                     TFont*, TAlignment&, TvgVAlignment&, TBevelCut&, TBevelCut&) {
        if (col == 2 && row == 2) {
            EXPECT_TRUE(state.Contains(vgcsSelected));
            color = clAqua;
        }
    };
    QImage image = Paint();
    EXPECT_EQ(CellPixel(image, 4, 4), Rgb(clLime));    // column look
    EXPECT_EQ(CellPixel(image, 1, 1), Rgb(clFuchsia)); // selected
    EXPECT_EQ(CellPixel(image, 2, 2), Rgb(clAqua));    // the event has the last word
    EXPECT_EQ(CellPixel(image, 3, 2), Rgb(clLime));    // focused: not highlighted by default
    EXPECT_EQ(CellPixel(image, 0, 1), Rgb(clBtnFace)); // fixed: title look

    Grid.SetOptions(Grid.Options() + TGridOptions{goDrawFocusSelected});
    image = Paint();
    EXPECT_EQ(CellPixel(image, 3, 2), Rgb(clFuchsia));

    Grid.SetVelkoOptions({});
    image = Paint();
    EXPECT_EQ(CellPixel(image, 1, 1), Rgb(clLime));
}

TEST_F(VelkoGridPaint, FocusRectangleLiesInsideTheBordersAndCanBeSwitchedOff)
{
    for (int i = 0; i < 5; ++i) {
        TvgBorder border;
        border.SetStyle(vgbrdSolid);
        border.SetWidth(2);
        border.SetColor(clRed);
        Item(i)->SetLeftBorder(&border);
    }
    Grid.SetCol(2);
    Grid.SetRow(2);
    const TRect r = Grid.CellRect(2, 2);
    QImage image = Paint();
    EXPECT_EQ(image.pixel(r.Left, r.Top + 5), Rgb(clRed));
    EXPECT_EQ(image.pixel(r.Left + 1, r.Top + 5), Rgb(clRed));
    // The dotted frame starts right inside the border.
    auto frameInk = [&](const QImage& img) {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            n += img.pixel(r.Left + 2, y) != Rgb(clWindow);
        return n;
    };
    EXPECT_GT(frameInk(image), 3);
    Grid.SetVelkoOptions({vgoptHighlightSelection});
    EXPECT_EQ(frameInk(Paint()), 0);
}

TEST_F(VelkoGridPaint, BorderChangesByTheEventStayWithTheirCell)
{
    Grid.OnChangeCellBorders = [](TObject*, int col, int row, TvgHeading*, TvgCellStates, TvgBorder* top, TvgBorder*,
                                  TvgBorder*, TvgBorder*) {
        if (col == 1 && row == 1) {
            top->SetStyle(vgbrdSolid);
            top->SetColor(clBlue);
        }
    };
    const QImage image = Paint();
    const TRect a = Grid.CellRect(1, 1);
    const TRect b = Grid.CellRect(2, 1);
    EXPECT_EQ(image.pixel(a.Left + 5, a.Top), Rgb(clBlue));
    EXPECT_NE(image.pixel(b.Left + 5, b.Top), Rgb(clBlue));
}

TEST_F(VelkoGridPaint, GapsOfDoubleBordersShowTheCellColour)
{
    TvgBorder border;
    border.SetStyle(vgbrdDouble);
    border.SetColor(clRed);
    Item(2)->SetColumnColor(clLime);
    Item(2)->SetRightBorder(&border);
    // Whatever the viewport held before must not show through.
    Grid.viewport()->setAutoFillBackground(false);
    const QImage image = Paint();
    const TRect r = Grid.CellRect(2, 4);
    EXPECT_EQ(image.pixel(r.Right - 1, r.Top + 5), Rgb(clRed));
    EXPECT_EQ(image.pixel(r.Right - 2, r.Top + 5), Rgb(clLime));
    EXPECT_EQ(image.pixel(r.Right - 3, r.Top + 5), Rgb(clRed));
}

TEST_F(VelkoGridPaint, CaptionsInRowZeroAndPressedTitlesSinkByTwoPixels)
{
    Item(1)->SetCaption(QStringLiteral("Price"));
    Item(1)->SetTitleHAlignment(taLeftJustify);
    Item(1)->SetTitleVAlignment(vgvaTop);
    Grid.SetCells(1, 0, QStringLiteral("hidden by the caption"));
    const TRect r = Grid.CellRect(1, 0);
    const QRect area(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);

    auto firstInk = [&](const QImage& image) {
        for (int x = area.left() + 2; x < area.right() - 2; ++x)
            for (int y = area.top() + 2; y < area.bottom() - 2; ++y)
                if (qGray(image.pixel(x, y)) < 100)
                    return QPoint(x, y);
        return QPoint(-1, -1);
    };
    const QImage up = Paint();
    const QPoint text = firstInk(up);
    ASSERT_GE(text.x(), 0);
    // Raised by default: light at the top-left corner.
    EXPECT_EQ(up.pixel(r.Left, r.Top), Rgb(clBtnHighlight));

    Grid.Press({1, 0}, -1);
    const QImage down = Paint();
    EXPECT_EQ(down.pixel(r.Left, r.Top), Rgb(clBtnShadow));
    const QPoint pressedText = firstInk(down);
    EXPECT_EQ(pressedText.x(), text.x() + 2);
}

TEST_F(VelkoGridPaint, CellImageTakesItsStripBeforeTheText)
{
    TPicture picture;
    QImage yellow(16, 16, QImage::Format_RGB32);
    yellow.fill(Qt::yellow);
    picture.SetBitmap(yellow);
    Grid.SetRowHeights(1, 30);
    Grid.SetRow(4); // keep the focus frame out of the way
    Grid.SetCells(1, 1, QStringLiteral("W"));
    TObject* other = &Grid;
    Grid.OnGetCellImage = [&](TObject*, int col, int row, int heading, TObject*& image, int&, TvgImagePosition& pos,
                              TAlignment&, TvgVAlignment&, int& margin) {
        EXPECT_EQ(heading, -1);
        EXPECT_EQ(pos, vgipLeft);
        EXPECT_EQ(margin, 2);
        if (col == 1 && row == 1)
            image = &picture;
        if (col == 2 && row == 1)
            image = other; // neither picture nor image list: nothing
    };
    Grid.SetCells(2, 1, QStringLiteral("W"));
    const QImage image = Paint();
    const TRect r = Grid.CellRect(1, 1);
    // 16 pixels after a 2-pixel margin, centred in the 30-pixel row.
    const int top = r.Top + (RectHeight(r) - 16) / 2;
    EXPECT_EQ(image.pixel(r.Left + 2, top), qRgb(255, 255, 0));
    EXPECT_EQ(image.pixel(r.Left + 17, top + 15), qRgb(255, 255, 0));
    EXPECT_NE(image.pixel(r.Left + 18, top), qRgb(255, 255, 0));
    EXPECT_NE(image.pixel(r.Left + 2, top - 1), qRgb(255, 255, 0));
    // The text starts after the image's strip of 20 pixels and the text margin.
    auto inkFrom = [&](const TRect& cell) {
        for (int x = cell.Left; x < cell.Right; ++x)
            for (int y = cell.Top; y < cell.Bottom; ++y)
                if (qGray(image.pixel(x, y)) < 100)
                    return x - cell.Left;
        return -1;
    };
    EXPECT_GE(inkFrom(r), 22);
    EXPECT_LT(inkFrom(Grid.CellRect(2, 1)), 6);

    // Without drawing, only the strip is taken.
    TRect strip{10, 10, 60, 40};
    Grid.DrawCellImage(1, 1, -1, strip, false, Grid.Canvas());
    EXPECT_EQ(strip, (TRect{30, 10, 60, 40}));
}

TEST_F(VelkoGridPaint, AHeadingIsComposedOnceAcrossItsGroup)
{
    Grid.SetFixedCols(1);
    Grid.SetColWidths(0, 64);
    Grid.SetColWidths(1, 64);
    Grid.SetColWidths(2, 80);
    Grid.SetColWidths(3, 64);
    Grid.SetRowHeights(0, 40);
    AddMarkedHeading(QStringLiteral("Group"));

    const QImage image = Paint();
    const int x0 = Grid.CellRect(1, 0).Left; // 65
    ASSERT_EQ(x0, 65);
    const int y = 8;
    // 64 + 80 + 64 + two shared lines + 1 = 211 pixels: left border at the group's start,
    // right border 209 pixels further, on the last cell.
    EXPECT_EQ(image.pixel(x0, y), Rgb(clRed));
    EXPECT_EQ(image.pixel(x0 + 209, y), Rgb(clBlue));
    EXPECT_EQ(Grid.CellRect(3, 0).Right - 1, x0 + 209);
    // The band runs over the grid lines between members.
    EXPECT_EQ(image.pixel(x0 + 64, y), Rgb(clYellow));
    EXPECT_EQ(image.pixel(x0 + 64 + 1 + 80, y), Rgb(clYellow));
    // One caption, centred on the whole group.
    int inkLeft = 10000, inkRight = -1;
    for (int x = x0; x < x0 + 211; ++x)
        for (int yy = 0; yy < 18; ++yy)
            if (qGray(image.pixel(x, yy)) < 100) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    ASSERT_GE(inkRight, 0);
    EXPECT_NEAR((inkLeft + inkRight) / 2.0, x0 + 105, 3);
    // The band holds the upper half only: below it, the column's own title look.
    EXPECT_NE(image.pixel(x0 + 30, 30), Rgb(clYellow));

    // A column without heading between members splits the group: two bands.
    Item(2)->SetHeadingIndex(-1);
    const QImage split = Paint();
    EXPECT_EQ(split.pixel(x0 + 63, y), Rgb(clBlue));
    EXPECT_EQ(split.pixel(Grid.CellRect(3, 0).Left, y), Rgb(clRed));
    EXPECT_NE(split.pixel(Grid.CellRect(2, 0).Left + 30, y), Rgb(clYellow));
}

TEST_F(VelkoGridPaint, AGroupScrolledPartlyOutOfViewShowsItsMatchingPart)
{
    Grid.SetColumnCount(8);
    Grid.SetRowHeights(0, 40);
    // A caption as wide as the group, so that its middle falls into the part still shown.
    AddMarkedHeading(QStringLiteral("MMMMMMMMMMMMMMMMMMMMM"));
    const QImage whole = Paint();
    const TRect r3 = Grid.CellRect(3, 0);
    const QImage expected = whole.copy(r3.Left, 0, r3.Right - r3.Left, 18);

    Grid.SetLeftCol(2);
    ASSERT_EQ(Grid.LeftCol(), 2);
    const QImage scrolled = Paint();
    const TRect s3 = Grid.CellRect(3, 0);
    // The first visible member starts with the group's inside, not with its left border.
    EXPECT_NE(scrolled.pixel(Grid.CellRect(2, 0).Left, 8), Rgb(clRed));
    EXPECT_EQ(scrolled.pixel(s3.Right - 1, 8), Rgb(clBlue));
    // The last member shows exactly what it showed before scrolling.
    EXPECT_EQ(scrolled.copy(s3.Left, 0, s3.Right - s3.Left, 18), expected);
}

TEST_F(VelkoGridPaint, HeadingCaptionsAreAsSharpAsTextDrawnDirectlyOnAHighDensityScreen)
{
    Grid.SetRowHeights(0, 40);
    TvgHeading* heading = Grid.Headings()->Add();
    heading->SetCaption(QStringLiteral("Wg"));
    heading->SetTitleOuterBevel(bvNone);
    Item(1)->SetHeadingIndex(0);
    const TRect cell = Grid.CellRect(1, 0);
    const TRect band{cell.Left, cell.Top, cell.Right, cell.Top + 18};

    for (const qreal ratio : {2.0, 1.5, 1.25}) {
        const auto blank = [&] {
            QImage image((QSizeF(Grid.viewport()->size()) * ratio).toSize(), QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(ColorToQColor(clBtnFace, Grid.palette()));
            return image;
        };
        QImage screen = blank();
        Grid.viewport()->render(&screen);
        QImage direct = blank();
        {
            TCanvas canvas(&direct);
            canvas.SetControl(&Grid);
            canvas.Font().Assign(&Grid.Font());
            TVgDrawInfo info;
            info.Canvas = &canvas;
            info.Text = heading->Caption();
            info.Rect = band;
            info.HAlignment = taCenter;
            info.VAlignment = vgvaCenter;
            VGDrawText(info);
        }
        // The caption's ink in device pixels, in the band and drawn directly.
        const auto inked = [&](const QImage& image) {
            const QRect area(QPoint(int(band.Left * ratio) + 2, int(band.Top * ratio) + 2),
                             QPoint(int(band.Right * ratio) - 3, int(band.Bottom * ratio) - 3));
            QRect box;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (qGray(image.pixel(x, y)) < 128)
                        box |= QRect(x, y, 1, 1);
            return image.copy(box.adjusted(-1, -1, 1, 1));
        };
        const QImage composed = inked(screen);
        const QImage drawn = inked(direct);
        ASSERT_GT(drawn.width(), 10 * ratio) << ratio;
        if (ratio == 2.0) {
            EXPECT_TRUE(composed == drawn) << "the caption is no pixel-for-pixel copy of the text"; // not blown up
        } else {
            // Composed on its own pixel grid, the text may land a fraction of a pixel away
            // from where it would be drawn directly; it keeps its size.
            EXPECT_NEAR(composed.width(), drawn.width(), 1) << ratio;
            EXPECT_NEAR(composed.height(), drawn.height(), 1) << ratio;
        }
    }
}

TEST_F(VelkoGridPaint, HeadingIndexNamingNoHeadingPaintsTheCaptionAlone)
{
    Item(1)->SetCaption(QStringLiteral("Alone"));
    Item(1)->SetHeadingIndex(3); // no such heading
    const QImage image = Paint();
    EXPECT_EQ(CellPixel(image, 1, 0), Rgb(clBtnFace));
}

TEST_F(VelkoGridPaint, HeadingHitTestAndClearing)
{
    Grid.SetRowHeights(0, 40);
    Grid.SetRowCount(6);
    Grid.SetFixedRows(2);
    Grid.Headings()->Add();
    Item(2)->SetHeadingIndex(0);
    const TRect r = Grid.CellRect(2, 0);
    EXPECT_EQ(Grid.MouseOnHeading(r.Left + 5, r.Top + 17), 0);
    EXPECT_EQ(Grid.MouseOnHeading(r.Left + 5, r.Top + 18), -1);
    EXPECT_EQ(Grid.MouseOnHeading(Grid.CellRect(1, 0).Left + 5, r.Top + 5), -1); // no heading
    EXPECT_EQ(Grid.MouseOnHeading(r.Left + 5, Grid.CellRect(2, 1).Top + 5), -1);  // fixed row 1
    EXPECT_EQ(Grid.MouseOnHeading(-1, 5), -1);

    EXPECT_TRUE(Grid.IsFixedCell({0, 0}));
    EXPECT_TRUE(Grid.IsFixedCell({4, 1}));
    EXPECT_TRUE(Grid.IsFixedCell({0, 5}));
    EXPECT_FALSE(Grid.IsFixedCell({-1, -1}));
    EXPECT_FALSE(Grid.IsFixedCell({2, 3}));

    Grid.ClearHeadings();
    EXPECT_EQ(Grid.Headings()->Count(), 0);
    for (int i = 0; i < Grid.Columns()->Count(); ++i)
        EXPECT_EQ(Item(i)->HeadingIndex(), -1);
}

TEST_F(VelkoGridPaint, TextThatDoesNotFitGrowsItsColumnAndRowOnceAskedTo)
{
    const QString wide = QStringLiteral("a text far wider than the column");
    Item(1)->SetColumnClipStyle(vgclpClip);
    Grid.SetCells(1, 2, wide);
    Grid.SetCells(2, 3, QStringLiteral("two\nlines"));
    Paint();
    QCoreApplication::sendPostedEvents(&Grid);
    EXPECT_EQ(Grid.ColWidths(1), 64); // not asked to
    EXPECT_EQ(Grid.RowHeights(3), 20);

    Grid.SetVelkoAdjustColWidth(true);
    Grid.SetVelkoAdjustRowHeight(true);
    Paint();
    QCoreApplication::sendPostedEvents(&Grid);
    const int textWidth = Grid.Canvas().TextWidth(wide); // the canvas carries the grid's font
    EXPECT_EQ(Grid.ColWidths(1), textWidth + 1 + 4);
    EXPECT_GT(Grid.RowHeights(3), 20);
    // Once everything fits, painting asks for nothing more.
    const int height = Grid.RowHeights(3);
    Paint();
    QCoreApplication::sendPostedEvents(&Grid);
    EXPECT_EQ(Grid.ColWidths(1), textWidth + 1 + 4);
    EXPECT_EQ(Grid.RowHeights(3), height);
}
