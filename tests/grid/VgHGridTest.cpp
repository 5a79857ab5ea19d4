#include "grid/VgHGrid.h"

#include "common/VgGlobal.h"
#include "editor/VgHintWindow.h"
#include "platform/app/Application.h"
#include "platform/app/Messages.h"
#include "platform/app/Screen.h"
#include "platform/core/FormFile.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QTest>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vg;

namespace {

// A form with a hint grid of 6 x 8 cells (every row on screen) that records each time it is
// asked for a hint. The hint timer is driven by the tests alone: its interval is so long
// that a real tick never comes while a test runs.
struct HintGridTest : ::testing::Test {
    QWidget Form;
    QLineEdit* Other = new QLineEdit(&Form);
    TVgHintGrid* Grid = new TVgHintGrid(nullptr, &Form);
    std::vector<TGridCoord> Asked;
    TPoint Proposed;
    QString Answer = QStringLiteral("Hint text");

    void SetUp() override
    {
        Form.resize(600, 400);
        Other->setGeometry(450, 10, 100, 24);
        Grid->setGeometry(10, 10, 420, 260);
        Grid->SetColCount(6);
        Grid->SetRowCount(8);
        Grid->HintTimer().SetInterval(3600 * 1000);
        Grid->OnShowCellHint = [this](TObject* sender, int col, int row, QString& hint, TPoint& topLeft) {
            EXPECT_EQ(sender, Grid);
            EXPECT_TRUE(hint.isEmpty());
            Asked.push_back({col, row});
            Proposed = topLeft;
            hint = Answer;
        };
        Form.show();
        QApplication::setActiveWindow(&Form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
        Application().Activate();
    }

    void TearDown() override { Grid->HintWindow()->HideWindow(); }

    void Tick(int count)
    {
        for (int i = 0; i < count; ++i)
            Grid->HintTimer().Tick();
    }
    QPoint CellCentre(int col, int row) const
    {
        const TRect r = Grid->CellRect(col, row);
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }
    void EnterGrid()
    {
        const QPoint p = CellCentre(1, 1);
        QEnterEvent enter(p, p, Grid->viewport()->mapToGlobal(p));
        QApplication::sendEvent(Grid, &enter);
    }
    void PointAt(QPoint p)
    {
        const QPoint global = Grid->viewport()->mapToGlobal(p);
        Screen().SetCursorPos({global.x(), global.y()});
        QMouseEvent move(QEvent::MouseMove, p, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Grid->viewport(), &move);
    }
    void PointAt(int col, int row) { PointAt(CellCentre(col, row)); }
    void LeaveGridTo(QPoint global)
    {
        Screen().SetCursorPos({global.x(), global.y()});
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(Grid, &leave);
    }
    bool HintVisible() const { return Grid->HintWindow()->isVisible(); }
    // Rests the pointer on a cell until its hint is up.
    void ShowHintOf(int col, int row)
    {
        EnterGrid();
        PointAt(col, row);
        Tick(TVgHintGrid::HintDelayTicks);
        ASSERT_TRUE(Grid->HintShown());
    }
};

TEST_F(HintGridTest, RestingOnACellAsksOnceAfterTheDelayAndMovingOnAsksAgain)
{
    EnterGrid();
    PointAt(2, 3);
    EXPECT_TRUE(Grid->HintArmed());
    Tick(TVgHintGrid::HintDelayTicks - 1);
    EXPECT_TRUE(Asked.empty());
    Tick(1);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0], (TGridCoord{2, 3}));
    EXPECT_TRUE(HintVisible());
    EXPECT_FALSE(Grid->HintArmed());
    EXPECT_EQ(Grid->HintWindow()->Text(), Answer);

    // Moving inside the same cell leaves the hint alone and asks nothing more.
    const QPoint c = CellCentre(2, 3);
    PointAt(c + QPoint(3, 2));
    Tick(200);
    EXPECT_EQ(Asked.size(), 1u);
    EXPECT_TRUE(HintVisible());

    // The next cell hides the hint at once and asks for its own after the delay.
    PointAt(3, 3);
    EXPECT_FALSE(HintVisible());
    Tick(TVgHintGrid::HintDelayTicks);
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1], (TGridCoord{3, 3}));
}

TEST_F(HintGridTest, TheWindowOpensAtTheCellsRightEdgeOneCellHeightAboveIt)
{
    ShowHintOf(2, 4);
    const TRect r = Grid->CellRect(2, 4);
    const QPoint expected = Grid->viewport()->mapToGlobal(QPoint(r.Right, r.Top - RectHeight(r) + 4));
    EXPECT_EQ(Proposed, (TPoint{expected.x(), expected.y()}));
    EXPECT_EQ(Grid->HintWindow()->pos(), expected);
}

TEST_F(HintGridTest, TheHandlerMayMoveTheWindowAndTheWindowStaysOnScreen)
{
    Grid->OnShowCellHint = [](TObject*, int, int, QString& hint, TPoint& topLeft) {
        hint = QStringLiteral("moved");
        topLeft = {-40, 30};
    };
    ShowHintOf(1, 1);
    EXPECT_EQ(Grid->HintWindow()->pos(), QPoint(0, 30));
}

TEST_F(HintGridTest, NoHandlerNoHint)
{
    Grid->OnShowCellHint = nullptr;
    EnterGrid();
    PointAt(2, 2);
    Tick(500);
    EXPECT_FALSE(Grid->HintShown());
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintGridTest, PointsWithoutACellArmNothing)
{
    EXPECT_EQ(Grid->VgMouseCoord(-1, 10), (TGridCoord{-1, -1}));
    EXPECT_EQ(Grid->VgMouseCoord(10, -1), (TGridCoord{-1, -1}));
    EnterGrid();
    PointAt(2, 2);
    ASSERT_TRUE(Grid->HintArmed());
    // Below the last row: the hint cell becomes (-1, -1), which is never armed.
    const TRect last = Grid->CellRect(2, Grid->RowCount() - 1);
    ASSERT_LT(last.Bottom + 5, Grid->viewport()->height());
    PointAt(QPoint(last.Left + 5, last.Bottom + 5));
    EXPECT_EQ(Grid->HintCoord(), (TGridCoord{-1, -1}));
    EXPECT_FALSE(Grid->HintArmed());
    Tick(200);
    EXPECT_TRUE(Asked.empty());
}

TEST_F(HintGridTest, ABlankAnswerShowsNothingAndIsNotAskedAgainUntilReArmed)
{
    Answer = QStringLiteral(" \t ");
    EnterGrid();
    PointAt(2, 2);
    Tick(TVgHintGrid::HintDelayTicks);
    EXPECT_EQ(Asked.size(), 1u);
    EXPECT_FALSE(HintVisible());
    EXPECT_FALSE(Grid->HintShown());
    Tick(1000);
    EXPECT_EQ(Asked.size(), 1u);

    // Leaving the cell and coming back re-arms it.
    PointAt(3, 2);
    PointAt(2, 2);
    Tick(TVgHintGrid::HintDelayTicks);
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1], (TGridCoord{2, 2}));
}

TEST_F(HintGridTest, SwitchingApplicationsHidesTheHintAndComingBackAsksAgain)
{
    ShowHintOf(2, 2);
    Application().Deactivate();
    EXPECT_FALSE(HintVisible());
    EXPECT_FALSE(Grid->HintArmed());
    Application().Activate();
    EXPECT_TRUE(Grid->HintArmed());
    Tick(TVgHintGrid::HintDelayTicks);
    EXPECT_EQ(Asked.size(), 2u);
    EXPECT_TRUE(HintVisible());
}

TEST_F(HintGridTest, LeavingTheGridHidesTheHintUnlessThePointerIsStillInside)
{
    ShowHintOf(2, 2);
    // Still inside the client area (a child such as the editor took the pointer): kept.
    LeaveGridTo(Grid->viewport()->mapToGlobal(CellCentre(2, 2)));
    EXPECT_TRUE(HintVisible());
    LeaveGridTo(Form.mapToGlobal(QPoint(590, 390)));
    EXPECT_FALSE(HintVisible());
    // Without the pointer inside, nothing re-arms it.
    Grid->ShowTheHint(true);
    EXPECT_FALSE(Grid->HintArmed());
}

TEST_F(HintGridTest, APressOnAnotherControlHidesTheHint)
{
    ShowHintOf(2, 2);
    SendMessage(Grid, CM_CANCELMODE, 0, reinterpret_cast<std::intptr_t>(Grid->viewport()));
    EXPECT_TRUE(HintVisible());
    SendMessage(Grid, CM_CANCELMODE, 0, reinterpret_cast<std::intptr_t>(Other));
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintGridTest, AClickIntoAnotherFieldHidesAHintThatFollowsTheCurrentCell)
{
    Grid->SetHintFollowsMouse(false);
    Grid->setFocus();
    QApplication::processEvents();
    Grid->SetHintCoord({2, 2});
    Tick(TVgHintGrid::HintDelayTicks);
    ASSERT_TRUE(HintVisible());
    // The field takes the focus before the press is seen.
    QTest::mouseClick(Other, Qt::LeftButton);
    EXPECT_TRUE(Other->hasFocus());
    EXPECT_FALSE(HintVisible());
}

TEST_F(HintGridTest, FollowingTheCurrentCellNeedsTheFocus)
{
    Grid->SetHintFollowsMouse(false);
    Other->setFocus();
    Grid->SetHintCoord({2, 2});
    EXPECT_FALSE(Grid->HintArmed());

    // Gaining the focus arms the hint cell.
    Grid->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(Grid->hasFocus());
    EXPECT_TRUE(Grid->HintArmed());
    Tick(TVgHintGrid::HintDelayTicks);
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0], (TGridCoord{2, 2}));

    // The pointer no longer moves the hint; a new hint cell does.
    EnterGrid();
    PointAt(4, 4);
    EXPECT_EQ(Grid->HintCoord(), (TGridCoord{2, 2}));
    EXPECT_TRUE(HintVisible());
    Grid->SetHintCoord({3, 2});
    EXPECT_FALSE(HintVisible());
    Tick(TVgHintGrid::HintDelayTicks);
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[1], (TGridCoord{3, 2}));
}

TEST_F(HintGridTest, NothingHappensAtDesignTime)
{
    Grid->SetDesigning(true);
    EnterGrid();
    PointAt(2, 2);
    Grid->ShowTheHint(true);
    EXPECT_FALSE(Grid->HintArmed());
    Tick(200);
    EXPECT_TRUE(Asked.empty());
}

TEST(HintGridForm, HintFollowsMouseIsWrittenOnlyWhenSwitchedOffAndReadsBack)
{
    TVgHintGrid grid;
    grid.SetName(QStringLiteral("Hints"));
    EXPECT_TRUE(grid.HintFollowsMouse());
    EXPECT_FALSE(WriteComponentToText(grid).contains(QStringLiteral("HintFollowsMouse")));
    grid.SetHintFollowsMouse(false);
    const QString text = WriteComponentToText(grid);
    EXPECT_TRUE(text.contains(QStringLiteral("HintFollowsMouse = False"))) << text.toStdString();
    const auto copy = ReadComponentFromText(text);
    auto* read = dynamic_cast<TVgHintGrid*>(copy.get());
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(read->HintFollowsMouse());
}

} // namespace
