// The host grid's mouse handling: clicking and dragging to select, Shift+click ranges,
// sizing columns and rows on the lines between fixed cells, moving columns and rows by
// their fixed cells, and a descendant keeping presses from the grid.
#include "support/GridHarness.h"
#include "TestEnvironment.h"

namespace vg::test {
namespace {

class GridMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        Grid.SetColCount(6);
        Grid.SetRowCount(20);
        for (int c = 0; c < Grid.ColCount(); ++c)
            for (int r = 0; r < Grid.RowCount(); ++r)
                Grid.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        ShowFocused(Grid);
        Grid.Log.clear();
    }
    // The line after column col, inside the row of column titles.
    QPoint ColumnLine(int col) const
    {
        const TRect r = Grid.CellRect(col, 0);
        return {r.Right, (r.Top + r.Bottom) / 2};
    }
    TLoggingGrid Grid;
};

TEST_F(GridMouse, ClickSelectsAndDragOrShiftClickSelectsARange)
{
    int clicks = 0;
    Grid.OnClick = [&](TObject*) { ++clicks; };
    ClickCell(Grid, 3, 4);
    EXPECT_EQ(Current(Grid), TGridCoord(3, 4));
    EXPECT_EQ(Grid.Selection(), GridRect(3, 4, 3, 4));
    EXPECT_EQ(clicks, 1);

    Drag(Grid, CellCenter(Grid, 2, 2), CellCenter(Grid, 4, 5));
    EXPECT_EQ(Current(Grid), TGridCoord(2, 2)); // the press made the current cell
    EXPECT_EQ(Grid.Selection(), GridRect(2, 2, 4, 5));

    ClickCell(Grid, 1, 1, Qt::ShiftModifier);
    EXPECT_EQ(Grid.Selection(), GridRect(1, 1, 2, 2));
    EXPECT_EQ(Grid.GridState(), TGridState::Normal);

    // Without goRangeSelect a drag only moves the current cell along.
    Grid.SetOptions(Grid.Options() - TGridOptions{goRangeSelect});
    Drag(Grid, CellCenter(Grid, 2, 2), CellCenter(Grid, 4, 5));
    EXPECT_EQ(Grid.Selection(), GridRect(4, 5, 4, 5));
}

TEST_F(GridMouse, DraggingBelowTheLastVisibleRowScrollsTheSelection)
{
    const int last = Grid.TopRow() + Grid.VisibleRowCount() - 1;
    Drag(Grid, CellCenter(Grid, 1, 1), QPoint(CellCenter(Grid, 1, 1).x(), Grid.viewport()->height() + 20));
    EXPECT_GT(Grid.TopRow(), 1);
    EXPECT_GT(Grid.Selection().Bottom, last);
    EXPECT_EQ(Grid.Selection().Bottom, Grid.TopRow() + Grid.VisibleRowCount() - 1);
}

TEST_F(GridMouse, APointerHeldPastAnEdgeKeepsScrollingUntilReleased)
{
    QWidget* viewport = Grid.viewport();
    const auto moveTo = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    };
    const QPoint start = CellCenter(Grid, 1, 1);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    moveTo(CellCenter(Grid, 1, 3));
    EXPECT_FALSE(Grid.AutoScrollTimer().Enabled()); // inside: nothing to scroll

    const QPoint below(start.x(), viewport->height() + 20);
    moveTo(below);
    ASSERT_TRUE(Grid.AutoScrollTimer().Enabled());
    const int top = Grid.TopRow();
    for (int i = 0; i < 4; ++i)
        Grid.AutoScrollTimer().Tick();
    EXPECT_EQ(Grid.TopRow(), top + 4);
    EXPECT_EQ(Grid.Selection(), GridRect(1, 1, 1, Grid.TopRow() + Grid.VisibleRowCount() - 1));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, below);
    EXPECT_FALSE(Grid.AutoScrollTimer().Enabled());

    // A column title dragged past the right edge scrolls the columns and lands further on.
    Grid.SetColCount(30);
    Grid.SetOptions(Grid.Options() + TGridOptions{goColMoving});
    Grid.Log.clear();
    const int lastShown = Grid.LeftCol() + Grid.VisibleColCount() - 1;
    QTest::mousePress(viewport, Qt::LeftButton, {}, CellCenter(Grid, 2, 0));
    const QPoint right(viewport->width() + 10, CellCenter(Grid, 2, 0).y());
    moveTo(right);
    for (int i = 0; i < 3; ++i)
        Grid.AutoScrollTimer().Tick();
    EXPECT_EQ(Grid.LeftCol(), 4);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, right);
    // It lands on the column at the edge, which may be partly shown.
    const int atEdge = Grid.MouseCoord(viewport->width() - 1, right.y()).X;
    EXPECT_GT(atEdge, lastShown);
    EXPECT_EQ(Grid.Log, (std::vector<QString>{QStringLiteral("ColumnMoved(2,%1)").arg(atEdge)}));
}

TEST_F(GridMouse, ClicksOnFixedCellsOrPastTheCellsSelectNothing)
{
    Grid.SetColCount(3);
    Grid.Log.clear();
    ClickCell(Grid, 0, 3);
    ClickCell(Grid, 2, 0);
    QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, QPoint(Grid.viewport()->width() - 2, 10));
    EXPECT_EQ(Current(Grid), TGridCoord(1, 1));
    EXPECT_TRUE(Grid.Log.empty());
    EXPECT_EQ(Grid.MouseCoord(Grid.viewport()->width() - 2, 10), TGridCoord(-1, -1));
    EXPECT_EQ(Grid.MouseCoord(-1, 10), TGridCoord(-1, -1));
}

TEST_F(GridMouse, ColumnsAreSizedByDraggingTheLineBetweenTheirTitles)
{
    const QPoint line = ColumnLine(2);
    Drag(Grid, line, line + QPoint(30, 0));
    EXPECT_EQ(Grid.ColWidths(2), 64); // without goColSizing, nothing is sized
    EXPECT_EQ(Grid.Selection(), GridRect(1, 1, 1, 1));

    Grid.SetOptions(Grid.Options() + TGridOptions{goColSizing});
    QMouseEvent hover(QEvent::MouseMove, line, Grid.viewport()->mapToGlobal(line), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Grid.viewport(), &hover);
    EXPECT_EQ(Grid.viewport()->cursor().shape(), Qt::SplitHCursor);
    Drag(Grid, line + QPoint(2, 0), line + QPoint(32, 0));
    EXPECT_EQ(Grid.ColWidths(2), 94);
    Drag(Grid, ColumnLine(2), ColumnLine(2) - QPoint(200, 0));
    EXPECT_EQ(Grid.ColWidths(2), 2); // a sliver stays to grab again
    EXPECT_TRUE(Grid.Log.empty()); // widths are no size change
    // Away from a line the cursor is the plain one again.
    const QPoint inside = CellCenter(Grid, 3, 0);
    QMouseEvent away(QEvent::MouseMove, inside, Grid.viewport()->mapToGlobal(inside), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Grid.viewport(), &away);
    EXPECT_EQ(Grid.viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(GridMouse, RowsAreSizedByDraggingTheLineBetweenTheirTitles)
{
    Grid.SetOptions(Grid.Options() + TGridOptions{goRowSizing});
    const TRect title = Grid.CellRect(0, 3);
    const QPoint line((title.Left + title.Right) / 2, title.Bottom);
    Drag(Grid, line, line + QPoint(0, 16));
    EXPECT_EQ(Grid.RowHeights(3), 40);
    EXPECT_EQ(Grid.RowHeights(2), 24);
}

TEST_F(GridMouse, DraggingAColumnTitleMovesTheColumnWithItsCells)
{
    Drag(Grid, CellCenter(Grid, 1, 0), CellCenter(Grid, 3, 0));
    EXPECT_TRUE(Grid.Log.empty()); // not without goColMoving

    Grid.SetOptions(Grid.Options() + TGridOptions{goColMoving});
    Grid.SetColWidths(1, 80);
    Drag(Grid, CellCenter(Grid, 1, 0), CellCenter(Grid, 3, 0));
    EXPECT_EQ(Grid.Log, (std::vector<QString>{QStringLiteral("ColumnMoved(1,3)")}));
    EXPECT_EQ(Grid.Cells(3, 5), QStringLiteral("1:5"));
    EXPECT_EQ(Grid.Cells(1, 5), QStringLiteral("2:5"));
    EXPECT_EQ(Grid.Cells(2, 0), QStringLiteral("3:0"));
    EXPECT_EQ(Grid.ColWidths(3), 80); // the width travels with the column
    EXPECT_EQ(Grid.ColWidths(1), 64);
    EXPECT_EQ(Grid.GridState(), TGridState::Normal);

    // A press and release on the same title moves nothing.
    Grid.Log.clear();
    ClickCell(Grid, 2, 0);
    EXPECT_TRUE(Grid.Log.empty());
}

TEST_F(GridMouse, DraggingARowTitleMovesTheRow)
{
    Grid.SetOptions(Grid.Options() + TGridOptions{goRowMoving});
    Drag(Grid, CellCenter(Grid, 0, 5), CellCenter(Grid, 0, 2));
    EXPECT_EQ(Grid.Log, (std::vector<QString>{QStringLiteral("RowMoved(5,2)")}));
    EXPECT_EQ(Grid.Cells(3, 2), QStringLiteral("3:5"));
    EXPECT_EQ(Grid.Cells(3, 3), QStringLiteral("3:2"));
}

TEST_F(GridMouse, CancelModeEndsADrag)
{
    Grid.SetOptions(Grid.Options() + TGridOptions{goColMoving});
    QTest::mousePress(Grid.viewport(), Qt::LeftButton, {}, CellCenter(Grid, 1, 0));
    EXPECT_EQ(Grid.GridState(), TGridState::ColMoving);
    SendMessage(&Grid, CM_CANCELMODE, 0, 0);
    EXPECT_EQ(Grid.GridState(), TGridState::Normal);
    QTest::mouseRelease(Grid.viewport(), Qt::LeftButton, {}, CellCenter(Grid, 3, 0));
    EXPECT_TRUE(Grid.Log.empty());
}

TEST_F(GridMouse, ADescendantThatKeepsThePressKeepsTheGridFromActing)
{
    Grid.SetOptions(Grid.Options() + TGridOptions{goColMoving, goColSizing});
    Grid.PassMouseDown = false;
    ClickCell(Grid, 3, 3);
    Drag(Grid, CellCenter(Grid, 1, 0), CellCenter(Grid, 3, 0));
    Drag(Grid, ColumnLine(2), ColumnLine(2) + QPoint(20, 0));
    EXPECT_EQ(Current(Grid), TGridCoord(1, 1));
    EXPECT_TRUE(Grid.Log.empty());
    EXPECT_EQ(Grid.ColWidths(2), 64);
}

} // namespace
} // namespace vg::test
