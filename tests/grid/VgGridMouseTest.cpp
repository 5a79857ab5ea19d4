// Titles and headings as buttons, driven by the mouse as a user would: presses tracked
// and drawn pressed while held, clicks reported on release, the edges left to the host's
// sizing and moving, other buttons, vetoes, and drags off a title and back.
#include "grid/VgGrid.h"

#include "platform/app/MouseCapture.h"

#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;
using namespace vg::test;

namespace {

// The tracking state, for the tests to read.
class TTrackedGrid : public TVelkoGrid {
public:
    using TVelkoGrid::FTracking;
    using TVelkoGrid::FTrackPressed;
};

class VelkoGridMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        Grid.SetRowCount(8);
        Grid.SetRowHeights(0, 40);
        for (int c = 0; c < Grid.ColCount(); ++c) {
            Grid.GetVisibleColumn(c)->SetCaption(QString(QChar(u'A' + c)));
            for (int r = 1; r < Grid.RowCount(); ++r)
                Grid.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
        }
        // A heading over columns 2 and 3.
        Grid.Headings()->Add()->SetCaption(QStringLiteral("Group"));
        Grid.GetVisibleColumn(2)->SetHeadingIndex(0);
        Grid.GetVisibleColumn(3)->SetHeadingIndex(0);
        Grid.OnBeforeFixedCellClick = [this](TObject*, int ACol, int ARow, int HeadingIndex, bool& CanClick) {
            Log << QStringLiteral("before %1,%2 h%3").arg(ACol).arg(ARow).arg(HeadingIndex);
            CanClick = !Veto;
        };
        Grid.OnFixedCellClick = [this](TObject*, int ACol, int ARow, int HeadingIndex, TMouseButton Button,
                                       TShiftState, int, int) {
            Log << QStringLiteral("click %1,%2 h%3 %4")
                       .arg(ACol)
                       .arg(ARow)
                       .arg(HeadingIndex)
                       .arg(Button == mbLeft ? QStringLiteral("left") : QStringLiteral("right"));
        };
        ShowFocused(Grid, {500, 300});
    }

    // The caption part of a title (below any heading band) and the band of the heading.
    QPoint Title(int col) const
    {
        const TRect r = Grid.CellRect(col, 0);
        return {(r.Left + r.Right) / 2, r.Top + 30};
    }
    QPoint Band(int col) const
    {
        const TRect r = Grid.CellRect(col, 0);
        return {(r.Left + r.Right) / 2, r.Top + 8};
    }
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(Grid.viewport(), button, {}, at);
        Held = button;
    }
    void MoveTo(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, Grid.viewport()->mapToGlobal(at), Qt::NoButton, Held,
                         Qt::NoModifier);
        QApplication::sendEvent(Grid.viewport(), &move);
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(Grid.viewport(), button, {}, at);
        Held = Qt::NoButton;
    }
    QRgb TitleCorner(int col)
    {
        const TRect r = Grid.CellRect(col, 0);
        return Grid.viewport()->grab().toImage().pixel(r.Left, r.Bottom - 2);
    }
    QRgb Rgb(TColor color) const { return ColorToQColor(color, Grid.palette()).rgb(); }

    TTrackedGrid Grid;
    QStringList Log;
    bool Veto = false;
    Qt::MouseButton Held = Qt::NoButton;
};

} // namespace

TEST_F(VelkoGridMouse, ATitleIsPressedWhileHeldAndClicksOnRelease)
{
    const TGridCoord current = Current(Grid);
    Press(Title(1));
    EXPECT_TRUE(Grid.FTracking);
    EXPECT_TRUE(Grid.FTrackPressed);
    EXPECT_EQ(GetCapture(), Grid.viewport());
    EXPECT_EQ(TitleCorner(1), Rgb(clBtnShadow)); // sunk while held
    Release(Title(1));
    EXPECT_EQ(Log, (QStringList{"before 1,0 h-1", "click 1,0 h-1 left"}));
    EXPECT_FALSE(Grid.FTracking);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(TitleCorner(1), Rgb(clBtnHighlight)); // raised again
    EXPECT_EQ(Current(Grid), current);              // no selection started

    // Row titles are buttons too.
    Log.clear();
    ClickCell(Grid, 0, 4);
    EXPECT_EQ(Log, (QStringList{"before 0,4 h-1", "click 0,4 h-1 left"}));

    // A data cell is the host's: it becomes current, nothing is tracked or reported.
    Log.clear();
    ClickCell(Grid, 2, 3);
    EXPECT_EQ(Current(Grid), TGridCoord(2, 3));
    EXPECT_TRUE(Log.isEmpty());
}

TEST_F(VelkoGridMouse, DraggingOffAndBackClicksOnceAndReleasingOffNever)
{
    Press(Title(1));
    MoveTo(CellCenter(Grid, 3, 4));
    EXPECT_FALSE(Grid.FTrackPressed);
    EXPECT_EQ(TitleCorner(1), Rgb(clBtnHighlight));
    MoveTo(Band(1) + QPoint(0, 20)); // back on the title
    EXPECT_TRUE(Grid.FTrackPressed);
    Release(Title(1));
    EXPECT_EQ(Log.filter(QStringLiteral("click")), (QStringList{"click 1,0 h-1 left"}));

    Log.clear();
    Press(Title(1));
    MoveTo(Title(4));
    Release(Title(4));
    EXPECT_EQ(Log, (QStringList{"before 1,0 h-1"}));
    EXPECT_FALSE(Grid.FTracking);
    EXPECT_EQ(Grid.ColCount(), 5); // nothing moved either
    EXPECT_EQ(Grid.GetVisibleColumn(1)->Caption(), QStringLiteral("B"));
}

TEST_F(VelkoGridMouse, AHeadingClicksOverAnyColumnOfItsGroup)
{
    Press(Band(2));
    EXPECT_TRUE(Grid.FTrackPressed);
    const TRect band = Grid.CellRect(2, 0);
    EXPECT_EQ(Grid.viewport()->grab().toImage().pixel(band.Left, band.Top), Rgb(clBtnShadow));
    MoveTo(Band(3));
    EXPECT_TRUE(Grid.FTrackPressed);
    MoveTo(Title(3)); // the caption below the band is no part of the heading
    EXPECT_FALSE(Grid.FTrackPressed);
    MoveTo(Band(3));
    Release(Band(3));
    EXPECT_EQ(Log, (QStringList{"before 2,0 h0", "click 3,0 h0 left"}));

    // The caption of a column under a heading is its own title.
    Log.clear();
    Press(Title(2));
    MoveTo(Band(2));
    EXPECT_FALSE(Grid.FTrackPressed);
    Release(Band(2));
    EXPECT_EQ(Log, (QStringList{"before 2,0 h-1"}));
}

TEST_F(VelkoGridMouse, TheRightButtonClicksButNeverLooksPressedAndButtonsMustMatch)
{
    Press(Title(1), Qt::RightButton);
    EXPECT_TRUE(Grid.FTracking);
    EXPECT_FALSE(Grid.FTrackPressed);
    EXPECT_EQ(TitleCorner(1), Rgb(clBtnHighlight));
    Release(Title(1), Qt::RightButton);
    EXPECT_EQ(Log, (QStringList{"before 1,0 h-1", "click 1,0 h-1 right"}));

    // Released with another button than the one pressed: the press ends without a click.
    Log.clear();
    Press(Title(1));
    Release(Title(1), Qt::RightButton);
    EXPECT_EQ(Log, (QStringList{"before 1,0 h-1"}));
    EXPECT_FALSE(Grid.FTracking);
    EXPECT_EQ(GetCapture(), nullptr);

    // A release that never came (a dialog took it): the next press starts afresh.
    Log.clear();
    Press(Title(1));
    Press(Title(4));
    Release(Title(4));
    EXPECT_EQ(Log, (QStringList{"before 1,0 h-1", "before 4,0 h-1", "click 4,0 h-1 left"}));
}

TEST_F(VelkoGridMouse, AVetoOrVelkoColumnClickOffLeavesThePressToTheHost)
{
    Grid.SetOptions(Grid.Options() + TGridOptions{goColMoving});
    const QPoint top(Grid.CellRect(1, 0).Left + 30, Grid.CellRect(1, 0).Top + 2); // within 4 px of the top
    // With goColMoving the top and bottom edges of a title move the column...
    Drag(Grid, top, Title(3));
    EXPECT_EQ(Grid.GetVisibleColumn(3)->Caption(), QStringLiteral("B"));
    EXPECT_TRUE(Log.isEmpty());
    // ...and the middle is tracked and moves nothing.
    Drag(Grid, Title(3), Title(1));
    EXPECT_EQ(Grid.GetVisibleColumn(3)->Caption(), QStringLiteral("B"));
    EXPECT_EQ(Log, (QStringList{"before 3,0 h-1"}));

    // A veto hands the press to the host, which moves the column from anywhere on it.
    Log.clear();
    Veto = true;
    Drag(Grid, Title(3), Title(1));
    EXPECT_EQ(Grid.GetVisibleColumn(1)->Caption(), QStringLiteral("B"));
    EXPECT_EQ(Log, (QStringList{"before 3,0 h-1"}));
    EXPECT_FALSE(Grid.FTracking);

    // Without VelkoColumnClick no press is tracked or reported.
    Log.clear();
    Veto = false;
    Grid.SetVelkoColumnClick(false);
    Drag(Grid, Title(1), Title(2));
    EXPECT_EQ(Grid.GetVisibleColumn(2)->Caption(), QStringLiteral("B"));
    EXPECT_TRUE(Log.isEmpty());
}

TEST_F(VelkoGridMouse, SizingZonesOfTitlesStayWithTheHost)
{
    Grid.SetOptions(Grid.Options() + TGridOptions{goColSizing});
    const TRect r = Grid.CellRect(1, 0);
    const int width = Grid.ColWidths(1);
    // Within 4 pixels of the right edge: the host sizes the column.
    Drag(Grid, QPoint(r.Right - 2, r.Top + 30), QPoint(r.Right + 28, r.Top + 30));
    EXPECT_EQ(Grid.ColWidths(1), width + 30);
    EXPECT_TRUE(Log.isEmpty());
    // Five pixels in: tracked as a title, the width stays.
    Drag(Grid, QPoint(r.Left + 5, r.Top + 30), QPoint(r.Left + 5, r.Top + 31));
    EXPECT_EQ(Grid.ColWidths(1), width + 30);
    EXPECT_EQ(Log, (QStringList{"before 1,0 h-1", "click 1,0 h-1 left"}));
    // The right button has no zones: a press at the edge is tracked.
    Log.clear();
    Press(QPoint(r.Left + 1, r.Top + 30), Qt::RightButton);
    Release(QPoint(r.Left + 1, r.Top + 30), Qt::RightButton);
    EXPECT_EQ(Log, (QStringList{"before 1,0 h-1", "click 1,0 h-1 right"}));
}

TEST_F(VelkoGridMouse, ColumnsAndRowsDraggedPastAHiddenColumnKeepEveryCellInPlace)
{
    Grid.SetOptions(Grid.Options() + TGridOptions{goColMoving, goRowMoving});
    Grid.GetVisibleColumn(2)->SetVisible(false); // C, between B and D
    // B dragged by the top edge of its title onto E: C stays between A and D.
    const TRect b = Grid.CellRect(1, 0);
    Drag(Grid, QPoint(b.Left + 20, b.Top + 2), Title(3));
    QStringList order;
    for (int i = 0; i < Grid.Columns()->Count(); ++i)
        order << (*Grid.Columns())[i]->Caption();
    EXPECT_EQ(order, (QStringList{"A", "C", "D", "E", "B"}));
    // Row 2 dragged by the left edge of its title to row 5, then rows inserted and deleted.
    const TRect row2 = Grid.CellRect(0, 2);
    Drag(Grid, QPoint(row2.Left + 2, row2.Top + 5), CellCenter(Grid, 0, 5));
    Grid.InsertRow(1);
    Grid.DeleteRow(7);
    (*Grid.Columns())[1]->SetVisible(true);
    // Where each original row went: 1 -> 2, 3 -> 3, 4 -> 4, 5 -> 5, 2 -> 6; row 6 deleted.
    const std::vector<std::pair<int, int>> rows{{1, 2}, {3, 3}, {4, 4}, {5, 5}, {2, 6}};
    for (const auto& [was, now] : rows) {
        EXPECT_EQ(Grid.Cells(0, now), QStringLiteral("0:%1").arg(was));
        EXPECT_EQ(Grid.Cells(1, now), QStringLiteral("2:%1").arg(was)); // C, shown again
        EXPECT_EQ(Grid.Cells(3, now), QStringLiteral("4:%1").arg(was)); // E
        EXPECT_EQ(Grid.Cells(4, now), QStringLiteral("1:%1").arg(was)); // B
    }
    EXPECT_EQ(Grid.Cells(1, 1), QString());
    EXPECT_EQ(Grid.RowCount(), 8);
    EXPECT_TRUE(Log.isEmpty()); // edges dragged: nothing tracked
}
