// Painting the host grid: DrawCell once for every cell on screen with the state it is in,
// only the dirty part repainted, the default drawing's colours and lines checked on the
// painted pixels, and a failing OnDrawCell kept inside the paint event.
#include "platform/app/Application.h"

#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <QImage>

#include <map>

namespace vg::test {
namespace {

class TCountingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    std::map<std::pair<int, int>, int> Calls;
    std::map<std::pair<int, int>, TGridDrawState> States;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override
    {
        ++Calls[{ACol, ARow}];
        States[{ACol, ARow}] = AState;
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
};

class GridPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        Grid.SetColCount(30);
        Grid.SetRowCount(50);
        ShowFocused(Grid);
    }
    QImage Paint()
    {
        Grid.Calls.clear();
        Grid.States.clear();
        return Grid.viewport()->grab().toImage();
    }
    QColor PixelIn(const QImage& image, int col, int row, int dx = 0, int dy = 0) const
    {
        const QPoint c = CellCenter(Grid, col, row);
        return image.pixelColor(c.x() + dx, c.y() + dy);
    }
    QColor Palette(QPalette::ColorRole role) const { return Grid.palette().color(role); }
    TCountingGrid Grid;
};

TEST_F(GridPaint, EveryCellOnScreenIsDrawnOnceWithItsState)
{
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Paint();
    const int lastCol = Grid.LeftCol() + Grid.VisibleColCount(); // the partly shown one too
    const int lastRow = Grid.TopRow() + Grid.VisibleRowCount();
    int cells = 0;
    for (const auto& [cell, calls] : Grid.Calls) {
        EXPECT_EQ(calls, 1) << cell.first << "," << cell.second;
        EXPECT_LE(cell.first, lastCol);
        EXPECT_LE(cell.second, lastRow);
        ++cells;
    }
    EXPECT_EQ(cells, (lastCol + 1) * (lastRow + 1));
    EXPECT_EQ(Grid.States.at({0, 3}), TGridDrawState{gdFixed});
    EXPECT_EQ(Grid.States.at({4, 0}), TGridDrawState{gdFixed});
    EXPECT_EQ(Grid.States.at({2, 2}), (TGridDrawState{gdSelected, gdFocused}));
    EXPECT_EQ(Grid.States.at({2, 1}), TGridDrawState{gdSelected});
    EXPECT_EQ(Grid.States.at({1, 1}), TGridDrawState{});

    // Scrolled, the fixed cells are drawn with the scrollable cells now on screen.
    Grid.SetLeftCol(20);
    Paint();
    EXPECT_EQ(Grid.Calls.count({1, 0}), 0u);
    EXPECT_EQ(Grid.Calls.at({20, 0}), 1);
    EXPECT_EQ(Grid.Calls.at({0, 1}), 1);
}

TEST_F(GridPaint, OnlyTheDirtyPartIsRepainted)
{
    Paint();
    QCoreApplication::processEvents();
    Grid.Calls.clear();
    Grid.SetCells(3, 4, QStringLiteral("new"));
    QCoreApplication::processEvents();
    ASSERT_EQ(Grid.Calls.size(), 1u);
    EXPECT_EQ(Grid.Calls.begin()->first, std::make_pair(3, 4));

    // Cells off screen repaint nothing, and the grid still learns which cells are on
    // screen when it scrolls or a row's height changes.
    auto repaintedAfter = [&](auto change) {
        QCoreApplication::processEvents();
        Grid.Calls.clear();
        change();
        QCoreApplication::processEvents();
        return Grid.Calls;
    };
    EXPECT_TRUE(repaintedAfter([&] { Grid.SetCells(3, 40, QStringLiteral("below")); }).empty());
    Grid.SetTopRow(30);
    EXPECT_EQ(repaintedAfter([&] { Grid.SetCells(3, 32, QStringLiteral("shown")); }).count({3, 32}), 1u);
    EXPECT_TRUE(repaintedAfter([&] { Grid.SetCells(3, 4, QStringLiteral("above")); }).empty());
    const int lastShown = Grid.TopRow() + Grid.VisibleRowCount() + 1;
    EXPECT_TRUE(repaintedAfter([&] { Grid.SetCells(3, lastShown + 1, QStringLiteral("x")); }).empty());
    Grid.SetRowHeights(31, 2);
    Grid.SetRowHeights(32, 2);
    EXPECT_EQ(repaintedAfter([&] { Grid.SetCells(3, lastShown + 1, QStringLiteral("y")); }).count({3, lastShown + 1}), 1u);
}

TEST_F(GridPaint, DefaultDrawingFillsCellsHighlightsTheSelectionAndWritesTheText)
{
    Grid.SetColor(clYellow);
    Grid.SetFixedColor(clTeal);
    Grid.SetCells(3, 3, QStringLiteral("WWWWWWWW"));
    Key(Qt::Key_Right);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    const QImage image = Paint();
    EXPECT_EQ(PixelIn(image, 5, 5), QColor(Qt::yellow));
    EXPECT_EQ(PixelIn(image, 2, 1), Palette(QPalette::Highlight)); // selected, not current
    EXPECT_EQ(PixelIn(image, 3, 1), QColor(Qt::yellow)); // current: framed, not highlighted
    const QColor fixed = PixelIn(image, 4, 0, 0, 6);
    EXPECT_GT(fixed.green(), fixed.red() + 40); // the fixed colour under the raised face
    // The text starts 2 pixels in from the cell's left and top edges.
    const TRect cell = Grid.CellRect(3, 3);
    bool inked = false;
    for (int x = cell.Left + 2; x < cell.Left + 14; ++x)
        for (int y = cell.Top + 2; y < cell.Bottom - 2; ++y)
            inked = inked || image.pixelColor(x, y) != QColor(Qt::yellow);
    EXPECT_TRUE(inked);
    EXPECT_EQ(image.pixelColor(cell.Left, cell.Top + 5), QColor(Qt::yellow));

    // goDrawFocusSelected highlights the current cell as well.
    Grid.SetOptions(Grid.Options() + TGridOptions{goDrawFocusSelected});
    EXPECT_EQ(PixelIn(Paint(), 3, 1), Palette(QPalette::Highlight));
}

TEST_F(GridPaint, GridLinesTakeTheirWidthAndShowWhereTheirOptionAsks)
{
    Grid.SetColor(clWhite);
    Grid.SetGridLineWidth(3);
    QImage image = Paint();
    const TRect cell = Grid.CellRect(2, 2);
    EXPECT_EQ(Grid.CellRect(3, 2).Left, cell.Right + 3);
    const QColor line = image.pixelColor(cell.Right + 1, cell.Top + 5);
    EXPECT_NE(line, QColor(Qt::white));
    Grid.SetOptions(Grid.Options() - TGridOptions{goVertLine});
    image = Paint();
    EXPECT_EQ(image.pixelColor(cell.Right + 1, cell.Top + 5), QColor(Qt::white)); // the room stays, blank
    Grid.SetOptions(Grid.Options() - TGridOptions{goFixedVertLine});
    EXPECT_EQ(Grid.CellRect(3, 2).Left, Grid.CellRect(2, 2).Right); // no vertical line takes room any more
}

TEST_F(GridPaint, WithoutDefaultDrawingOnDrawCellPaintsAlone)
{
    Grid.SetCells(2, 2, QStringLiteral("hidden"));
    Grid.SetDefaultDrawing(false);
    Grid.OnDrawCell = [&](TObject* sender, int, int, const TRect& rect, TGridDrawState) {
        EXPECT_EQ(sender, &Grid);
        Grid.Canvas().Brush().SetColor(clFuchsia);
        Grid.Canvas().FillRect(rect);
    };
    const QImage image = Paint();
    const TRect cell = Grid.CellRect(2, 2);
    for (int x = cell.Left; x < cell.Right; x += 3)
        EXPECT_EQ(image.pixelColor(x, cell.Top + 8), QColor(Qt::magenta));
}

TEST_F(GridPaint, AFailingDrawCellIsReportedAndPaintingGoesOn)
{
    QStringList reported;
    Application().OnException = [&](const std::exception& e) { reported << TApplication::MessageOf(e); };
    Grid.OnDrawCell = [](TObject*, int col, int row, const TRect&, TGridDrawState) {
        if (col == 2 && row == 2)
            throw EInvalidOperation(QStringLiteral("cannot draw"));
    };
    Paint();
    Application().OnException = nullptr;
    EXPECT_EQ(reported, QStringList{QStringLiteral("cannot draw")});
}

} // namespace
} // namespace vg::test
