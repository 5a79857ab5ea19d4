// Row and column operations of the host grid and what they report, in order; counts and
// fixed counts; every index outside the grid refused with an exception; and a grid of a
// million rows filled, scrolled to its end and painted.
#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <QScrollBar>

namespace vg::test {
namespace {

class GridOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        Grid.SetRowCount(6);
        for (int r = 0; r < Grid.RowCount(); ++r)
            for (int c = 0; c < Grid.ColCount(); ++c)
                Grid.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        Grid.Log.clear();
    }
    TLoggingGrid Grid;
};

TEST_F(GridOperations, DeleteRowMovesTheRowLastThenLowersTheCount)
{
    Grid.SetRowHeights(2, 40);
    Grid.DeleteRow(2);
    EXPECT_EQ(Grid.Log, (std::vector<QString>{QStringLiteral("RowMoved(2,5)"), QStringLiteral("SizeChanged(5,6)")}));
    EXPECT_EQ(Grid.RowCount(), 5);
    EXPECT_EQ(Grid.Cells(1, 2), QStringLiteral("1:3"));
    EXPECT_EQ(Grid.Cells(1, 4), QStringLiteral("1:5"));
    EXPECT_EQ(Grid.RowHeights(2), 24); // the height went with the row
    // The last row needs no move.
    Grid.Log.clear();
    Grid.DeleteRow(4);
    EXPECT_EQ(Grid.Log, (std::vector<QString>{QStringLiteral("SizeChanged(5,5)")}));
    // A row added again starts empty.
    Grid.SetRowCount(5);
    EXPECT_EQ(Grid.Cells(1, 4), QString());
}

TEST_F(GridOperations, DeleteColumnMovesTheColumnLastThenLowersTheCount)
{
    Grid.DeleteColumn(1);
    EXPECT_EQ(Grid.Log, (std::vector<QString>{QStringLiteral("ColumnMoved(1,4)"), QStringLiteral("SizeChanged(5,6)")}));
    EXPECT_EQ(Grid.ColCount(), 4);
    EXPECT_EQ(Grid.Cells(1, 3), QStringLiteral("2:3"));
    EXPECT_EQ(Grid.Cells(3, 3), QStringLiteral("4:3"));
}

// Deleting keeps the current cell among the rows (columns) that stay, where it was: a
// deleted current row is followed by the next one, and the last by the one before.
TEST_F(GridOperations, DeletingKeepsTheCurrentCellInItsPlace)
{
    struct Case {
        int current, deleted, expected;
    };
    // Rows 1 to 5 and columns 1 to 4 scroll.
    for (const Case& c : {Case{3, 3, 3}, Case{3, 1, 2}, Case{3, 4, 3}, Case{5, 5, 4}, Case{1, 1, 1}}) {
        Grid.SetRowCount(6);
        Grid.SetRow(c.current);
        Grid.DeleteRow(c.deleted);
        EXPECT_EQ(Grid.Row(), c.expected) << "row " << c.current << " after deleting " << c.deleted;
        EXPECT_EQ(Grid.Selection().Top, c.expected);
    }
    for (const Case& c : {Case{2, 2, 2}, Case{3, 1, 2}, Case{2, 3, 2}, Case{4, 4, 3}}) {
        Grid.SetColCount(5);
        Grid.SetCol(c.current);
        Grid.DeleteColumn(c.deleted);
        EXPECT_EQ(Grid.Col(), c.expected) << "column " << c.current << " after deleting " << c.deleted;
        EXPECT_EQ(Grid.Selection().Left, c.expected);
    }
}

TEST_F(GridOperations, ADescendantSeesTheOldCellsUntilItCallsTheBase)
{
    // The texts move inside TStringGrid's ColumnMoved, so an override that looks first
    // still finds them in their old places.
    class TPeekingGrid : public TStringGrid {
    public:
        QString Seen;

    protected:
        void ColumnMoved(int FromIndex, int ToIndex) override
        {
            Seen = Cells(FromIndex, 0);
            TStringGrid::ColumnMoved(FromIndex, ToIndex);
            Seen += u'>' + Cells(ToIndex, 0);
        }
    } grid;
    grid.SetCells(1, 0, QStringLiteral("moved"));
    grid.MoveColumn(1, 3);
    EXPECT_EQ(grid.Seen, QStringLiteral("moved>moved"));
}

TEST_F(GridOperations, MovesCarryWidthsTextsAndTheCurrentCell)
{
    Grid.SetColWidths(1, 90);
    Grid.SetCol(1);
    Grid.SetRow(2);
    Grid.MoveColumn(1, 3);
    Grid.MoveRow(2, 4);
    EXPECT_EQ(Grid.ColWidths(3), 90);
    EXPECT_EQ(Grid.Cells(3, 4), QStringLiteral("1:2"));
    EXPECT_EQ(Current(Grid), TGridCoord(3, 4));
    std::vector<QString> reported;
    Grid.OnColumnMoved = [&](TObject*, int from, int to) { reported.push_back(QStringLiteral("col %1>%2").arg(from).arg(to)); };
    Grid.OnRowMoved = [&](TObject*, int from, int to) { reported.push_back(QStringLiteral("row %1>%2").arg(from).arg(to)); };
    Grid.MoveColumn(2, 0);
    Grid.MoveRow(0, 5);
    Grid.MoveRow(3, 3); // nothing to move, nothing reported
    EXPECT_EQ(reported, (std::vector<QString>{QStringLiteral("col 2>0"), QStringLiteral("row 0>5")}));
}

TEST_F(GridOperations, CountsKeepAScrollableCellAndTheCurrentCellInside)
{
    Grid.SetCol(4);
    Grid.SetRow(5);
    Grid.Log.clear();
    Grid.SetColCount(3);
    Grid.SetRowCount(2);
    EXPECT_EQ(Grid.Log, (std::vector<QString>{QStringLiteral("SizeChanged(5,6)"), QStringLiteral("SizeChanged(3,6)")}));
    EXPECT_EQ(Current(Grid), TGridCoord(2, 1));
    Grid.SetRowCount(1); // no room left for a fixed row
    EXPECT_EQ(Grid.FixedRows(), 0);
    EXPECT_EQ(Current(Grid), TGridCoord(2, 0));
    EXPECT_THROW(Grid.SetColCount(0), EInvalidOperation);
    EXPECT_THROW(Grid.DeleteRow(0), EInvalidOperation); // the only row
    EXPECT_EQ(Grid.RowCount(), 1);

    Grid.SetRowCount(10);
    Grid.SetFixedRows(3);
    Grid.SetFixedCols(2);
    EXPECT_EQ(Current(Grid), TGridCoord(2, 3)); // the first scrollable cell
    EXPECT_EQ(Grid.TopRow(), 3);
    EXPECT_THROW(Grid.SetFixedCols(3), EInvalidOperation);
    EXPECT_THROW(Grid.SetFixedRows(-1), EInvalidOperation);
}

TEST_F(GridOperations, IndicesOutsideTheGridRaise)
{
    EXPECT_THROW(Grid.Cells(5, 0), EListError);
    EXPECT_THROW(Grid.SetCells(0, 6, QString()), EListError);
    EXPECT_THROW(Grid.Cells(-1, 0), EListError);
    EXPECT_THROW(Grid.ColWidths(5), EListError);
    EXPECT_THROW(Grid.SetRowHeights(-1, 10), EListError);
    EXPECT_THROW(Grid.SetColWidths(0, -1), EInvalidOperation);
    EXPECT_THROW(Grid.DeleteRow(6), EListError);
    EXPECT_THROW(Grid.DeleteColumn(-1), EListError);
    EXPECT_THROW(Grid.MoveColumn(0, 5), EListError);
    EXPECT_THROW(Grid.MoveRow(7, 0), EListError);
    EXPECT_THROW(Grid.SetCol(0), EListError); // a fixed column is never current
    EXPECT_THROW(Grid.SetRow(6), EListError);
    EXPECT_THROW(Grid.SetTopRow(0), EListError);
    EXPECT_THROW(Grid.SetLeftCol(5), EListError);
    EXPECT_THROW(Grid.SetSelection(GridRect(1, 1, 5, 2)), EListError);
    EXPECT_THROW(Grid.SetGridLineWidth(-1), EInvalidOperation);
    EXPECT_TRUE(Grid.Log.empty());
    // Asking where a cell is never raises: a cell that is not there is not on screen.
    EXPECT_TRUE(Grid.CellRect(-1, -1).IsEmpty());
    EXPECT_TRUE(Grid.CellRect(9, 1).IsEmpty());
}

TEST_F(GridOperations, SelectionIsSetDirectlyAndFollowsRowSelect)
{
    Grid.SetSelection(GridRect(3, 4, 2, 2));
    EXPECT_EQ(Grid.Selection(), GridRect(2, 2, 3, 4));
    EXPECT_EQ(Current(Grid), TGridCoord(3, 4));
    EXPECT_TRUE(Grid.Log.empty()); // no SelectCell
    Grid.SetOptions(Grid.Options() + TGridOptions{goRowSelect});
    Grid.SetSelection(GridRect(2, 3, 2, 3));
    EXPECT_EQ(Grid.Selection(), GridRect(1, 3, 4, 3));
}

TEST(GridScale, AMillionRowsFillScrollAndPaint)
{
    TStringGrid grid;
    grid.SetColCount(20);
    grid.SetRowCount(1000000);
    for (int c = 0; c < grid.ColCount(); ++c)
        grid.SetCells(c, 999999, QStringLiteral("last %1").arg(c));
    ShowFocused(grid);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Current(grid), TGridCoord(19, 999999));
    EXPECT_FALSE(grid.CellRect(19, 999999).IsEmpty());
    EXPECT_EQ(grid.verticalScrollBar()->value(), grid.verticalScrollBar()->maximum());
    const QImage image = grid.grab().toImage();
    EXPECT_FALSE(image.isNull());
    Key(Qt::Key_PageUp);
    EXPECT_LT(grid.Row(), 999999);
    grid.DeleteRow(1);
    EXPECT_EQ(grid.Cells(19, 999998), QStringLiteral("last 19"));
}

} // namespace
} // namespace vg::test
