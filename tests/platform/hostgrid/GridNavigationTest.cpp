// The host grid's keyboard navigation and scrolling: arrows, Home/End, Ctrl+Home/End,
// the page keys, Tab with goTabs, Shift selecting ranges, goRowSelect, the SelectCell
// veto, and fixed rows and columns that stay in place while the rest scrolls.
#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <QScrollBar>
#include <QWheelEvent>

namespace vg::test {
namespace {

class GridNavigation : public ::testing::Test {
protected:
    void SetUp() override
    {
        Grid.SetColCount(20);
        Grid.SetRowCount(100);
        ShowFocused(Grid);
    }
    TLoggingGrid Grid;
};

TEST_F(GridNavigation, ArrowsHomeAndEndMoveWithinTheScrollableCells)
{
    EXPECT_EQ(Current(Grid), TGridCoord(1, 1));
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    EXPECT_EQ(Current(Grid), TGridCoord(1, 1)); // fixed cells are never current
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(Grid), TGridCoord(2, 3));
    Key(Qt::Key_End);
    EXPECT_EQ(Current(Grid), TGridCoord(19, 3));
    EXPECT_LE(Grid.LeftCol(), 19);
    EXPECT_FALSE(Grid.CellRect(19, 3).IsEmpty());
    Key(Qt::Key_Home);
    EXPECT_EQ(Current(Grid), TGridCoord(1, 3));
    EXPECT_EQ(Grid.LeftCol(), 1);
}

TEST_F(GridNavigation, CtrlHomeAndEndReachTheFirstAndLastCell)
{
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Current(Grid), TGridCoord(19, 99));
    EXPECT_EQ(Grid.TopRow() + Grid.VisibleRowCount() - 1, 99);
    EXPECT_EQ(Grid.TopRow(), Grid.verticalScrollBar()->maximum() + Grid.FixedRows());
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(Current(Grid), TGridCoord(1, 1));
    EXPECT_EQ(Grid.TopRow(), 1);
    EXPECT_EQ(Grid.LeftCol(), 1);
}

TEST_F(GridNavigation, PageKeysMoveByAPageAndKeepTheCurrentRowOnScreen)
{
    const int page = Grid.VisibleRowCount() - 1;
    ASSERT_GT(page, 3);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Grid.Row(), 1 + page);
    EXPECT_EQ(Grid.TopRow(), 1 + page);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Grid.Row(), 1 + 2 * page);
    EXPECT_FALSE(Grid.CellRect(Grid.Col(), Grid.Row()).IsEmpty());
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Grid.Row(), 1 + page);
    Key(Qt::Key_PageUp);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Grid.Row(), 1);
    EXPECT_EQ(Grid.TopRow(), 1);
}

TEST_F(GridNavigation, FixedCellsStayInPlaceWhileTheRestScrolls)
{
    const TRect corner = Grid.CellRect(0, 0);
    const TRect rowTitle = Grid.CellRect(0, 1);
    const TRect colTitle = Grid.CellRect(1, 0);
    const TRect firstData = Grid.CellRect(1, 1);
    Grid.SetCol(15);
    Grid.SetRow(60);
    ASSERT_GT(Grid.LeftCol(), 1);
    ASSERT_GT(Grid.TopRow(), 1);
    EXPECT_EQ(Grid.CellRect(0, 0), corner);
    EXPECT_EQ(Grid.CellRect(0, Grid.TopRow()), rowTitle);
    EXPECT_EQ(Grid.CellRect(Grid.LeftCol(), 0), colTitle);
    // The first scrollable column and row on screen take the place of column 1 and row 1.
    EXPECT_EQ(Grid.CellRect(Grid.LeftCol(), Grid.TopRow()), firstData);
    EXPECT_TRUE(Grid.CellRect(1, 1).IsEmpty());
    EXPECT_EQ(Grid.MouseCoord(firstData.Left + 1, firstData.Top + 1), TGridCoord(Grid.LeftCol(), Grid.TopRow()));
    EXPECT_EQ(Grid.MouseCoord(corner.Left + 1, firstData.Top + 1), TGridCoord(0, Grid.TopRow()));
    // The scroll bars count whole cells past the fixed ones.
    EXPECT_EQ(Grid.horizontalScrollBar()->value(), Grid.LeftCol() - 1);
    EXPECT_EQ(Grid.verticalScrollBar()->value(), Grid.TopRow() - 1);
}

TEST_F(GridNavigation, ScrollBarsAndTheWheelScrollByWholeCellsWithoutMovingTheCurrentCell)
{
    int moves = 0;
    Grid.OnTopLeftChanged = [&](TObject*) { ++moves; };
    Grid.verticalScrollBar()->setValue(10);
    EXPECT_EQ(Grid.TopRow(), 11);
    Grid.horizontalScrollBar()->setValue(3);
    EXPECT_EQ(Grid.LeftCol(), 4);
    const QPoint at = CellCenter(Grid, 5, 12);
    QWheelEvent wheel(at, Grid.viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Grid.viewport(), &wheel);
    EXPECT_GT(Grid.TopRow(), 11);
    EXPECT_EQ(Current(Grid), TGridCoord(1, 1));
    EXPECT_EQ(moves, 3);
    Key(Qt::Key_Down, Qt::ControlModifier); // Ctrl+arrows scroll too
    EXPECT_EQ(Grid.verticalScrollBar()->value(), Grid.TopRow() - 1);
    EXPECT_EQ(Current(Grid), TGridCoord(1, 1));
    // The next move brings the current cell back into view.
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid.TopRow(), 2);
}

TEST_F(GridNavigation, DraggingTheThumbScrollsOnReleaseOrWhileDraggingWithThumbTracking)
{
    QScrollBar& bar = *Grid.verticalScrollBar();
    bar.setSliderDown(true);
    bar.setSliderPosition(30);
    EXPECT_EQ(Grid.TopRow(), 1);
    bar.setSliderDown(false);
    EXPECT_EQ(Grid.TopRow(), 31);

    Grid.SetOptions(Grid.Options() + TGridOptions{goThumbTracking});
    bar.setSliderDown(true);
    bar.setSliderPosition(10);
    EXPECT_EQ(Grid.TopRow(), 11);
    bar.setSliderDown(false);
}

TEST_F(GridNavigation, TabWalksTheCellsWithGoTabs)
{
    Grid.SetColCount(3);
    Grid.SetRowCount(3);
    Grid.SetOptions(Grid.Options() + TGridOptions{goTabs});
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(Grid), TGridCoord(2, 1));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Current(Grid), TGridCoord(1, 2)); // on to the next row
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Current(Grid), TGridCoord(2, 1));
    EXPECT_TRUE(Grid.hasFocus());
}

TEST(GridFocus, TabLeavesTheGridWithoutGoTabsOrPastTheLastCell)
{
    TGridWindow window;
    TLoggingGrid& grid = *window.Grid;
    grid.setFocus();
    Key(Qt::Key_Tab);
    EXPECT_TRUE(window.Other->hasFocus());
    EXPECT_EQ(Current(grid), TGridCoord(1, 1));

    grid.SetOptions(grid.Options() + TGridOptions{goTabs});
    grid.SetColCount(3);
    grid.SetRowCount(2);
    grid.setFocus();
    Key(Qt::Key_Tab);
    EXPECT_TRUE(grid.hasFocus());
    Key(Qt::Key_Tab);
    EXPECT_TRUE(window.Other->hasFocus());
    EXPECT_EQ(Current(grid), TGridCoord(2, 1));
}

TEST(GridFocus, EnterAndExitFireWhenTheFocusComesAndGoesButNotWithTheWindow)
{
    TGridWindow window;
    TLoggingGrid& grid = *window.Grid;
    window.Other->setFocus();
    std::vector<QString> events;
    grid.OnEnter = [&](TObject* sender) { events.push_back(sender == &grid ? QStringLiteral("enter") : QString()); };
    grid.OnExit = [&](TObject* sender) { events.push_back(sender == &grid ? QStringLiteral("exit") : QString()); };
    grid.setFocus();
    window.Other->setFocus();
    grid.setFocus();
    EXPECT_EQ(events, (std::vector<QString>{QStringLiteral("enter"), QStringLiteral("exit"), QStringLiteral("enter")}));

    // Another window taking the activation leaves the grid entered.
    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    QApplication::setActiveWindow(&window.Window);
    EXPECT_EQ(events.size(), 3u);
}

TEST_F(GridNavigation, ShiftArrowsSelectARangeOnlyWithGoRangeSelect)
{
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Grid.Selection(), GridRect(1, 1, 2, 3));
    EXPECT_EQ(Current(Grid), TGridCoord(2, 3));
    Key(Qt::Key_Left);
    EXPECT_EQ(Grid.Selection(), GridRect(1, 3, 1, 3));

    Grid.SetOptions(Grid.Options() - TGridOptions{goRangeSelect});
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Grid.Selection(), GridRect(1, 4, 1, 4));
}

TEST_F(GridNavigation, RowSelectSelectsWholeRows)
{
    Grid.SetOptions(Grid.Options() + TGridOptions{goRowSelect});
    EXPECT_EQ(Grid.Selection(), GridRect(1, 1, 19, 1));
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Grid.Selection(), GridRect(1, 1, 19, 2));
    Key(Qt::Key_Right); // scrolls instead of moving
    EXPECT_EQ(Grid.LeftCol(), 2);
    EXPECT_EQ(Grid.Col(), 1);
    Key(Qt::Key_End);
    EXPECT_EQ(Grid.Row(), 99);
    EXPECT_EQ(Grid.Selection(), GridRect(1, 99, 19, 99));
}

TEST_F(GridNavigation, OnKeyDownSeesEveryKeyFirstAndCanSwallowIt)
{
    std::vector<int> keys;
    Grid.OnKeyDown = [&](TObject*, int& key, TShiftState shift) {
        keys.push_back(key);
        if (shift.Contains(ssShift))
            key = 0;
    };
    Key(Qt::Key_Down);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Enter); // the keypad's Enter is VK_RETURN
    EXPECT_EQ(keys, (std::vector<int>{VK_DOWN, VK_SHIFT, VK_DOWN, VK_RETURN}));
    EXPECT_EQ(Grid.Selection(), GridRect(1, 2, 1, 2));
}

TEST_F(GridNavigation, SelectCellIsAskedBeforeEveryMoveAndCanVetoIt)
{
    Grid.Log.clear();
    Key(Qt::Key_Down);
    ASSERT_EQ(Grid.Log.size(), 1u);
    EXPECT_EQ(Grid.Log[0], QStringLiteral("SelectCell(1,2) at 1,1")); // Col and Row still name the old cell
    Grid.AllowSelect = false;
    Key(Qt::Key_Down);
    Key(Qt::Key_End, Qt::ControlModifier);
    Grid.SetRow(50);
    Grid.SetCol(5);
    EXPECT_EQ(Current(Grid), TGridCoord(1, 2));
    EXPECT_EQ(Grid.Selection(), GridRect(1, 2, 1, 2));

    Grid.AllowSelect = true;
    bool asked = false;
    Grid.OnSelectCell = [&](TObject* sender, int col, int row, bool& canSelect) {
        EXPECT_EQ(sender, &Grid);
        EXPECT_EQ(col, 1);
        EXPECT_EQ(row, 3);
        asked = true;
        canSelect = false;
    };
    Key(Qt::Key_Down);
    EXPECT_TRUE(asked);
    EXPECT_EQ(Current(Grid), TGridCoord(1, 2));
}

} // namespace
} // namespace vg::test
