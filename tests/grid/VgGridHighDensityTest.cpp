// Painting on screens of a device pixel ratio above 1: every part of a cell (its four
// borders in each style, bevels, image, text, focus rectangle, selection) is drawn over
// the whole grid, the cells at the viewport's far corner as well as the first ones.
#include "grid/VgGrid.h"

#include "platform/graphics/Picture.h"

#include <QImage>
#include <QScreen>
#include <QScrollBar>
#include <QtMath>

#include "support/GridHarness.h"

#include <gtest/gtest.h>

using namespace vg;
using namespace vg::test;

namespace {

// A grid rendered into an image of a pixel ratio, with questions about the device pixels
// under logical ones.
struct TRendered {
    QImage Image;
    qreal Ratio;

    // The device pixels that logical pixels [from, to) touch.
    int First(int from) const { return qFloor(from * Ratio); }
    int End(int to) const { return qCeil(to * Ratio); }
    bool Has(int x, int y, QRgb color) const
    {
        return Image.valid(x, y) && (Image.pixel(x, y) | 0xFF000000u) == (color | 0xFF000000u);
    }
    // The share of the edge's length whose device pixels show the colour somewhere across
    // the logical line at `at` (a row for a horizontal edge, a column for a vertical one).
    double EdgeInk(bool horizontal, int at, int from, int to, QRgb color) const
    {
        int inked = 0;
        const int first = qCeil(from * Ratio), end = qFloor(to * Ratio);
        for (int along = first; along < end; ++along) {
            bool found = false;
            for (int across = First(at); across < End(at + 1) && !found; ++across)
                found = horizontal ? Has(along, across, color) : Has(across, along, color);
            inked += found;
        }
        return end > first ? double(inked) / (end - first) : 0;
    }
    // How many device pixels inside the logical rectangle show the colour.
    int Count(const TRect& r, QRgb color) const
    {
        int n = 0;
        for (int y = End(r.Top); y < First(r.Bottom); ++y)
            for (int x = End(r.Left); x < First(r.Right); ++x)
                n += Has(x, y, color);
        return n;
    }
    int Differing(const QImage& other, const TRect& r) const
    {
        int n = 0;
        for (int y = End(r.Top); y < First(r.Bottom); ++y)
            for (int x = End(r.Left); x < First(r.Right); ++x)
                n += Image.pixel(x, y) != other.pixel(x, y);
        return n;
    }
};

TRendered Render(QWidget& viewport, qreal ratio)
{
    QImage image(qCeil(viewport.width() * ratio), qCeil(viewport.height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    viewport.render(&image);
    return {image, ratio};
}

struct TBorderLook {
    TvgBorderStyle Style;
    const char* Name;
};

// Colours that nothing else in a cell produces (the focus rectangle inverts the yellow
// cell to blue, so blue is left out).
constexpr TColor TopColor = clRed, RightColor = clNavy, BottomColor = clGreen, LeftColor = clPurple;

// A grid larger than its window: every data cell framed by four borders of one style and
// two bevel rings, yellow, with an image and text.
struct TFramedGrid {
    explicit TFramedGrid(TvgBorderStyle style)
    {
        QImage aqua(6, 6, QImage::Format_RGB32);
        aqua.fill(ColorToQColor(clAqua, QPalette()));
        Picture.SetBitmap(aqua);
        Grid.SetColumnCount(14);
        Grid.SetRowCount(60);
        Grid.SetDefaultColWidth(64);
        Grid.SetDefaultRowHeight(26);
        Grid.SetVelkoHighlightFontColor(clMaroon);
        TvgBorder border;
        border.SetStyle(style);
        for (int col = 1; col < Grid.ColCount(); ++col) {
            TvgColumn* column = Grid.GetVisibleColumn(col);
            border.SetColor(TopColor);
            column->SetTopBorder(&border);
            border.SetColor(RightColor);
            column->SetRightBorder(&border);
            border.SetColor(BottomColor);
            column->SetBottomBorder(&border);
            border.SetColor(LeftColor);
            column->SetLeftBorder(&border);
            column->SetColumnColor(clYellow);
            column->SetColumnOuterBevel(bvRaised);
            column->SetColumnInnerBevel(bvLowered);
            for (int row = 1; row < Grid.RowCount(); ++row)
                Grid.SetCells(col, row, QStringLiteral("Wg"));
        }
        Grid.OnGetCellImage = [this](TObject*, int, int row, int, TObject*& source, int&, TvgImagePosition&,
                                     TAlignment&, TvgVAlignment&, int&) {
            if (row > 0)
                source = &Picture;
        };
        ShowFocused(Grid, {560, 330});
    }
    // The cell at the viewport's far corner that is fully shown.
    TGridCoord Far() const
    {
        return {Grid.LeftCol() + Grid.VisibleColCount() - 1, Grid.TopRow() + Grid.VisibleRowCount() - 1};
    }
    QRgb Rgb(TColor color) const { return ColorToQColor(color, Grid.palette()).rgb(); }

    // Expects the cell's four borders, both bevel rings, its image and its background.
    void ExpectFramed(const TRendered& screen, TGridCoord cell, QRgb background) const
    {
        const TRect r = Grid.CellRect(cell.X, cell.Y);
        ASSERT_FALSE(r.IsEmpty());
        // Each border along its edge, the corners left out (later edges own them).
        EXPECT_GE(screen.EdgeInk(true, r.Top, r.Left + 3, r.Right - 3, Rgb(TopColor)), 0.4) << "top border";
        EXPECT_GE(screen.EdgeInk(false, r.Right - 1, r.Top + 3, r.Bottom - 3, Rgb(RightColor)), 0.4) << "right border";
        EXPECT_GE(screen.EdgeInk(true, r.Bottom - 1, r.Left + 3, r.Right - 3, Rgb(BottomColor)), 0.4) << "bottom border";
        EXPECT_GE(screen.EdgeInk(false, r.Left, r.Top + 3, r.Bottom - 3, Rgb(LeftColor)), 0.4) << "left border";
        // Two bevel rings: each colour runs along two sides of each ring.
        const int rings = int((RectWidth(r) + RectHeight(r)) * screen.Ratio);
        EXPECT_GE(screen.Count(r, Rgb(clBtnHighlight)), rings) << "bevel highlight";
        EXPECT_GE(screen.Count(r, Rgb(clBtnShadow)), rings) << "bevel shadow";
        EXPECT_GE(screen.Count(r, background), RectWidth(r) * RectHeight(r) * screen.Ratio * screen.Ratio / 4)
            << "cell colour or selection";
        EXPECT_GE(screen.Count(r, Rgb(clAqua)), int(36 * screen.Ratio * screen.Ratio * 0.8)) << "image";
    }
    // Expects text inside the cell's rings.
    void ExpectText(const TRendered& screen, TGridCoord cell) const
    {
        const TRect r = Grid.CellRect(cell.X, cell.Y);
        const TRect inside{r.Left + 6, r.Top + 6, r.Right - 6, r.Bottom - 6};
        int ink = 0;
        for (int y = screen.End(inside.Top); y < screen.First(inside.Bottom); ++y)
            for (int x = screen.End(inside.Left); x < screen.First(inside.Right); ++x)
                ink += qGray(screen.Image.pixel(x, y)) < 60;
        EXPECT_GE(ink, int(10 * screen.Ratio * screen.Ratio)) << "text";
    }

    TPicture Picture;
    TVelkoGrid Grid;
};

} // namespace

// The far cell at the viewport's bottom-right is focused and its neighbour selected. At
// every ratio both the first data cell and the cells at the far corner show all of it.
TEST(VelkoGridHighDensity, EveryPartOfACellIsDrawnOverTheWholeGridAtEveryPixelRatio)
{
    const TBorderLook styles[] = {
        {vgbrdSolid, "solid"},         {vgbrdDash, "dash"},          {vgbrdDot, "dot"},
        {vgbrdDashDot, "dash-dot"}, {vgbrdDashDotDot, "dash-dot-dot"}, {vgbrdDouble, "double"},
    };
    for (const TBorderLook& look : styles) {
        TFramedGrid framed(look.Style);
        TVelkoGrid& grid = framed.Grid;
        const TGridCoord far = framed.Far();
        ASSERT_LT(far.X, grid.ColCount() - 1) << "the grid is larger than its window";
        ASSERT_LT(far.Y, grid.RowCount() - 1);
        grid.SetSelection(GridRect(far.X - 1, far.Y, far.X, far.Y)); // the far cell is current
        ASSERT_NE(framed.Rgb(clBtnHighlight), framed.Rgb(clYellow));
        ASSERT_NE(framed.Rgb(clBtnShadow), framed.Rgb(clYellow));

        for (const qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
            SCOPED_TRACE(testing::Message() << look.Name << " borders at ratio " << ratio);
            grid.SetVelkoOptions({vgoptDrawFocusRectangle, vgoptHighlightSelection});
            const TRendered screen = Render(*grid.viewport(), ratio);
            framed.ExpectFramed(screen, {1, 1}, framed.Rgb(clYellow));
            framed.ExpectFramed(screen, {far.X - 1, far.Y}, framed.Rgb(clHighlight));
            framed.ExpectFramed(screen, far, framed.Rgb(clYellow));
            framed.ExpectText(screen, far);
            // The focus rectangle: what switching it off changes in the far cell.
            grid.SetVelkoOptions({vgoptHighlightSelection});
            const TRendered unfocused = Render(*grid.viewport(), ratio);
            const TRect farRect = grid.CellRect(far.X, far.Y);
            EXPECT_GE(screen.Differing(unfocused.Image, farRect), int(RectWidth(farRect) * ratio / 2))
                << "focus rectangle";
        }
    }
}

// On the screen at its own pixel ratio (the test programs run once more with
// QT_SCALE_FACTOR set): the far cells are framed when the grid is first shown and after
// it scrolled by moving what was on screen, which then equals a full repaint.
TEST(VelkoGridHighDensity, TheScreenShowsTheFarCellsFramedAlsoAfterScrolling)
{
    TFramedGrid framed(vgbrdDot);
    TVelkoGrid& grid = framed.Grid;
    const QPoint offset = grid.viewport()->mapTo(&grid, QPoint(0, 0));
    const auto onScreen = [&] {
        QImage window = OnScreen(grid);
        const qreal ratio = window.devicePixelRatio();
        window.setDevicePixelRatio(1);
        const QRect viewport(QPoint(qRound(offset.x() * ratio), qRound(offset.y() * ratio)),
                             (QSizeF(grid.viewport()->size()) * ratio).toSize());
        return TRendered{window.copy(viewport), ratio};
    };
    for (int step = 0; step < 3; ++step) {
        SCOPED_TRACE(testing::Message() << "after " << step << " scroll steps at ratio " << grid.devicePixelRatio());
        const TRendered screen = onScreen();
        const TGridCoord far = framed.Far();
        framed.ExpectFramed(screen, far, framed.Rgb(clYellow));
        framed.ExpectFramed(screen, {far.X - 1, far.Y - 1}, framed.Rgb(clYellow));
        framed.ExpectText(screen, far);
        EXPECT_EQ(OnScreen(grid), Repainted(grid));
        grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->value() + 1);
        grid.horizontalScrollBar()->setValue(grid.horizontalScrollBar()->value() + 1);
    }
}
