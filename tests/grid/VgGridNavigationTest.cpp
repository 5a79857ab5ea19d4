// Entering and leaving cells and rows: the order of the events for keyboard, mouse,
// programmatic moves and focus changes, the vetoes, and what failing handlers leave.
#include "support/GridHarness.h"
#include "support/VgGridHarness.h"

#include "TestEnvironment.h"

#include <QMap>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

using namespace vg;
using namespace vg::test;

namespace {

struct GridNavigation : ::testing::Test {
    TVgGridWindow W;
    TVelkoGrid& Grid = *W.Grid;
    QStringList Log;
    // What the handlers answer.
    bool CellMayExit = true;
    bool RowMayExit = true;
    bool HostAllows = true;

    void SetUp() override
    {
        Grid.OnSelectCell = [this](TObject*, int, int, bool& can) { can = HostAllows; };
        Grid.OnExitCell = [this](TObject* sender, int col, int row, bool& can) {
            EXPECT_EQ(sender, &Grid);
            EXPECT_TRUE(can);
            Log << QStringLiteral("ExitCell %1,%2").arg(col).arg(row);
            can = CellMayExit;
        };
        Grid.OnExitRow = [this](TObject*, int col, int row, bool& can) {
            EXPECT_TRUE(can);
            Log << QStringLiteral("ExitRow %1,%2").arg(col).arg(row);
            can = RowMayExit;
        };
        Grid.OnEnterRow = [this](TObject*, int col, int row) { Log << QStringLiteral("EnterRow %1,%2").arg(col).arg(row); };
        Grid.OnEnterCell = [this](TObject*, int col, int row) { Log << QStringLiteral("EnterCell %1,%2").arg(col).arg(row); };
    }
    QStringList Take() { return std::exchange(Log, {}); }
};

} // namespace

TEST_F(GridNavigation, MovesWithinARowAndToAnotherRowFireTheirEventsInOrder)
{
    ASSERT_TRUE(Grid.hasFocus());
    Take();
    Key(Qt::Key_Right);
    EXPECT_EQ(Take(), QStringList({"ExitCell 1,1", "EnterCell 2,1"}));
    Key(Qt::Key_Down);
    EXPECT_EQ(Take(), QStringList({"ExitCell 2,1", "ExitRow 2,1", "EnterRow 2,2", "EnterCell 2,2"}));
    ClickCell(Grid, 4, 3);
    EXPECT_EQ(Take(), QStringList({"ExitCell 2,2", "ExitRow 2,2", "EnterRow 4,3", "EnterCell 4,3"}));
    // During the events of a move the grid still names the cell being left.
    Grid.OnEnterRow = [this](TObject*, int, int) { Log << QStringLiteral("at %1,%2").arg(Grid.Col()).arg(Grid.Row()); };
    Grid.SetRow(5);
    EXPECT_EQ(Take(), QStringList({"ExitCell 4,3", "ExitRow 4,3", "at 4,3", "EnterCell 4,5"}));
    Grid.SetCol(3);
    EXPECT_EQ(Take(), QStringList({"ExitCell 4,5", "EnterCell 3,5"}));
    Grid.SetRow(3);
    // From inside the editor too.
    W.Edit(3, 3);
    Take();
    Key(Qt::Key_Down);
    EXPECT_EQ(Take(), QStringList({"ExitCell 3,3", "ExitRow 3,3", "at 3,3", "EnterCell 3,4"}));
    EXPECT_EQ(Grid.EnteredCell(), (TGridCoord{3, 4}));

    // The cell already entered fires nothing; a host that refuses the move suppresses all.
    ClickCell(Grid, 3, 4);
    HostAllows = false;
    Key(Qt::Key_Up);
    EXPECT_TRUE(Take().isEmpty());
    EXPECT_EQ(Current(Grid), (TGridCoord{3, 4}));
}

TEST_F(GridNavigation, ExitHandlersMayRefuseTheMoveAndAreAskedAgainNextTime)
{
    Take();
    struct Case {
        bool Cell, Row;
        Qt::Key Key;
        QStringList Expected;
    };
    const Case cases[] = {
        {false, true, Qt::Key_Right, {"ExitCell 1,1"}},
        {false, true, Qt::Key_Right, {"ExitCell 1,1"}}, // asked again for the same cell
        {false, true, Qt::Key_Down, {"ExitCell 1,1", "ExitRow 1,1"}}, // the row is asked anyway
        {true, false, Qt::Key_Down, {"ExitCell 1,1", "ExitRow 1,1"}},
        {false, false, Qt::Key_Down, {"ExitCell 1,1", "ExitRow 1,1"}},
        {true, false, Qt::Key_Right, {"ExitCell 1,1", "EnterCell 2,1"}}, // the row stays: not asked
    };
    for (const Case& c : cases) {
        CellMayExit = c.Cell;
        RowMayExit = c.Row;
        Key(c.Key);
        EXPECT_EQ(Take(), c.Expected) << c.Cell << c.Row;
    }
    EXPECT_EQ(Current(Grid), (TGridCoord{2, 1}));
}

TEST_F(GridNavigation, FocusChangesFireAFullPairAndLeavingCannotBeRefused)
{
    Take();
    CellMayExit = RowMayExit = false;
    W.Other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(W.Other->hasFocus());
    EXPECT_EQ(Take(), QStringList({"ExitCell 1,1", "ExitRow 1,1"}));

    // The focus comes back on the host's current cell, whatever was entered before.
    Grid.SetSelection(GridRect(3, 2, 3, 2));
    EXPECT_EQ(Grid.EnteredCell(), (TGridCoord{1, 1}));
    QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, CellCenter(Grid, 3, 2));
    EXPECT_EQ(Take(), QStringList({"EnterRow 3,2", "EnterCell 3,2"}));

    // Leaving from inside the editor with a veto: the focus goes all the same.
    CellMayExit = true;
    W.Edit(3, 2);
    Take();
    CellMayExit = false;
    QTest::mouseClick(W.Other, Qt::LeftButton);
    EXPECT_TRUE(W.Other->hasFocus());
    EXPECT_FALSE(Grid.InplaceEditor()->isVisible());
    EXPECT_EQ(Take(), QStringList({"ExitCell 3,2", "ExitRow 3,2"}));
}

TEST_F(GridNavigation, RandomMovesAndVetoesFollowAPlainModel)
{
    // The model: the entered cell, which follows accepted moves only.
    TGridCoord entered = Grid.EnteredCell();
    QRandomGenerator random(11);
    const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End};
    for (int step = 0; step < 300; ++step) {
        Take();
        CellMayExit = random.bounded(4) != 0;
        RowMayExit = random.bounded(4) != 0;
        const TGridCoord before = Current(Grid);
        TGridCoord target = before;
        if (random.bounded(3) == 0) {
            target = {1 + int(random.bounded(4)), 1 + int(random.bounded(7))};
            ClickCell(Grid, target.X, target.Y);
        } else {
            const Qt::Key key = keys[random.bounded(6)];
            switch (key) {
            case Qt::Key_Left: target.X = std::max(1, target.X - 1); break;
            case Qt::Key_Right: target.X = std::min(4, target.X + 1); break;
            case Qt::Key_Up: target.Y = std::max(1, target.Y - 1); break;
            case Qt::Key_Down: target.Y = std::min(7, target.Y + 1); break;
            case Qt::Key_Home: target.X = 1; break;
            default: target.X = 4; break;
            }
            Key(key);
        }
        QStringList expected;
        TGridCoord now = before;
        if (target != entered) {
            const bool rowChanges = target.Y != entered.Y;
            expected << QStringLiteral("ExitCell %1,%2").arg(entered.X).arg(entered.Y);
            if (rowChanges)
                expected << QStringLiteral("ExitRow %1,%2").arg(entered.X).arg(entered.Y);
            if (CellMayExit && (!rowChanges || RowMayExit)) {
                entered = target;
                now = target;
                if (rowChanges)
                    expected << QStringLiteral("EnterRow %1,%2").arg(target.X).arg(target.Y);
                expected << QStringLiteral("EnterCell %1,%2").arg(target.X).arg(target.Y);
            }
        }
        // A move onto the current cell asks nothing.
        if (target == before)
            expected.clear();
        ASSERT_EQ(Take(), expected) << "step " << step;
        ASSERT_EQ(Current(Grid), now) << "step " << step;
        ASSERT_EQ(Grid.EnteredCell(), entered) << "step " << step;
    }
}

TEST_F(GridNavigation, AHintThatFollowsTheCurrentCellMovesWithIt)
{
    Grid.SetHintFollowsMouse(false);
    Grid.HintTimer().SetInterval(3600 * 1000);
    Grid.OnShowCellHint = [](TObject*, int col, int row, QString& hint, TPoint&) {
        hint = QStringLiteral("cell %1,%2").arg(col).arg(row);
    };
    Key(Qt::Key_Right);
    EXPECT_EQ(Grid.HintCoord(), (TGridCoord{2, 1}));
    for (int i = 0; i < TVgHintGrid::HintDelayTicks; ++i)
        Grid.HintTimer().Tick();
    ASSERT_TRUE(Grid.HintShown());
    CellMayExit = false;
    Key(Qt::Key_Right); // refused: the hint was hidden on exit and stays on the old cell
    EXPECT_FALSE(Grid.HintShown());
    EXPECT_EQ(Grid.HintCoord(), (TGridCoord{2, 1}));
    CellMayExit = true;
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid.HintCoord(), (TGridCoord{2, 2}));
    EXPECT_TRUE(Grid.HintArmed());
    Grid.HintWindow()->HideWindow();
}

TEST_F(GridNavigation, FailingHandlersNeitherStopTheApplicationNorSplitTheEnteredCellFromTheCurrentOne)
{
    QStringList& caught = W.CatchExceptions();
    Take();
    Grid.OnExitCell = [](TObject*, int, int, bool&) { throw EInvalidOperation(QStringLiteral("exit failed")); };
    Key(Qt::Key_Right);
    EXPECT_EQ(caught, QStringList({"exit failed"}));
    EXPECT_EQ(Current(Grid), (TGridCoord{1, 1}));
    EXPECT_EQ(Grid.EnteredCell(), (TGridCoord{1, 1}));
    // A program moving the cell hears of the failure itself.
    EXPECT_THROW(Grid.SetCol(2), EInvalidOperation);

    Grid.OnExitCell = nullptr;
    Grid.OnEnterCell = [](TObject*, int, int) { throw EInvalidOperation(QStringLiteral("enter failed")); };
    Key(Qt::Key_Right);
    EXPECT_EQ(Current(Grid), (TGridCoord{2, 1}));
    EXPECT_EQ(Grid.EnteredCell(), (TGridCoord{2, 1}));

    // Losing the focus with failing exit handlers still closes the editor.
    Grid.OnEnterCell = nullptr;
    W.Edit(2, 1);
    Grid.OnExitCell = [](TObject*, int, int, bool&) { throw EInvalidOperation(QStringLiteral("exit failed")); };
    Grid.OnExitRow = Grid.OnExitCell;
    W.Other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(Grid.InplaceEditor()->isVisible());
    EXPECT_EQ(caught.count(QStringLiteral("exit failed")), 3);
    EXPECT_EQ(caught.count(QStringLiteral("enter failed")), 1);
}

// An exit the handler refuses keeps the cell and the editor with what the user typed,
// whatever asks for the move. Scrolling that only moves the view goes on, the edit with it.
TEST(GridNavigationRefused, KeepsTheCellAndTheTypedTextWhateverAsksForTheMove)
{
    enum class Asks { Key, PageKey, CellClick, CellDoubleClick, RowTitle, ColumnTitle, Heading, Program, ScrollBar, Wheel };
    struct Case {
        const char* Name;
        Asks How;
        int Exits; // the exits asked: scrolling asks none
    };
    const Case cases[] = {
        {"Down key", Asks::Key, 1},
        {"Page Down key", Asks::PageKey, 1},
        {"click on another cell", Asks::CellClick, 1},
        {"double click on another cell", Asks::CellDoubleClick, 1},
        {"click on a line's title", Asks::RowTitle, 1},
        {"click on a column's title", Asks::ColumnTitle, 1},
        {"click on a heading", Asks::Heading, 1},
        {"program setting Row", Asks::Program, 1},
        {"press on the scroll bar's arrow", Asks::ScrollBar, 0},
        {"mouse wheel", Asks::Wheel, 0},
    };
    const TGridCoord edited{2, 6};
    for (const bool alwaysShown : {false, true})
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SCOPED_TRACE(alwaysShown ? "editor always shown" : "editor opened with F2");
        TVgGridWindow w;
        TVelkoGrid& grid = *w.Grid;
        if (alwaysShown)
            grid.SetOptions(grid.Options() + TGridOptions{goAlwaysShowEditor});
        grid.SetRowCount(60);
        grid.SetRowHeights(0, 40);
        grid.Headings()->Add()->SetCaption(QStringLiteral("Group"));
        grid.GetVisibleColumn(3)->SetHeadingIndex(0);
        grid.GetVisibleColumn(4)->SetHeadingIndex(0);
        for (int row = 1; row < grid.RowCount(); ++row)
            grid.SetCells(edited.X, row, QString::number(row));
        // The application's store, written when an edit is reported, as the demo does.
        QMap<int, QString> store;
        bool refuse = false;
        int exits = 0;
        int edits = 0;
        grid.OnExitCell = [&](TObject*, int, int, bool& canExit) {
            exits += refuse;
            canExit = !refuse;
        };
        grid.OnCellEdited = [&](TObject*, int col, int row) {
            ++edits;
            store[row] = grid.Cells(col, row);
        };
        // Titles and headings move the current cell, as the demo's do.
        grid.OnFixedCellClick = [&](TObject*, int col, int row, int heading, TMouseButton, TShiftState, int, int) {
            if (heading >= 0 || row == 0)
                grid.SetCol(col);
            else
                grid.SetRow(row);
        };
        TVgInplaceEdit* editor = w.Edit(edited.X, edited.Y);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier); // what is typed replaces the text
        TypeText(QStringLiteral("abc"));
        ASSERT_EQ(editor->Text(), QStringLiteral("abc"));
        refuse = true;
        const int topRow = grid.TopRow();
        const TRect title = grid.CellRect(3, 0);

        switch (c.How) {
        case Asks::Key: Key(Qt::Key_Down); break;
        case Asks::PageKey: Key(Qt::Key_PageDown); break;
        case Asks::CellClick: ClickCell(grid, 3, 4); break;
        case Asks::CellDoubleClick: // the first press asks; the second one opens no other cell
            ClickCell(grid, 3, 4);
            DoubleClickCell(grid, 3, 4);
            break;
        case Asks::RowTitle: ClickCell(grid, 0, 3); break;
        case Asks::ColumnTitle:
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, {(title.Left + title.Right) / 2, title.Top + 30});
            break;
        case Asks::Heading:
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, {(title.Left + title.Right) / 2, title.Top + 8});
            break;
        case Asks::Program: EXPECT_NO_THROW(grid.SetRow(9)); break;
        case Asks::ScrollBar: {
            QScrollBar* bar = grid.verticalScrollBar();
            QStyleOptionSlider option;
            option.initFrom(bar);
            option.orientation = Qt::Vertical;
            option.minimum = bar->minimum();
            option.maximum = bar->maximum();
            option.sliderPosition = option.sliderValue = bar->value();
            option.singleStep = bar->singleStep();
            option.pageStep = bar->pageStep();
            option.subControls = QStyle::SC_All;
            QRect arrow = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, bar);
            if (arrow.isEmpty()) // a style without arrows: the page below the handle
                arrow = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddPage, bar);
            QTest::mouseClick(bar, Qt::LeftButton, {}, arrow.center());
            break;
        }
        case Asks::Wheel: {
            const QPoint at = CellCenter(grid, 3, 8);
            QWheelEvent wheel(at, grid.viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(grid.viewport(), &wheel);
            break;
        }
        }
        QApplication::processEvents();

        EXPECT_EQ(Current(grid), edited);
        EXPECT_EQ(grid.EnteredCell(), edited);
        EXPECT_EQ(exits, c.Exits);
        EXPECT_EQ(edits, 0);
        EXPECT_TRUE(store.isEmpty());
        if (c.Exits == 0)
            EXPECT_GT(grid.TopRow(), topRow);
        else
            EXPECT_EQ(grid.TopRow(), topRow);
        // The edit goes on where it was, the keyboard still in it.
        EXPECT_TRUE(editor->isVisible());
        if (!editor->isVisible())
            continue;
        EXPECT_TRUE(editor->hasFocus());
        EXPECT_EQ(editor->Text(), QStringLiteral("abc"));
        EXPECT_EQ(grid.CellRect(edited.X, edited.Y).ToQRect(), editor->geometry());
        TypeText(QStringLiteral("d"));
        EXPECT_EQ(editor->Text(), QStringLiteral("abcd"));
        // Once the handler lets the cell go, the edit ends as usual and is reported once.
        refuse = false;
        Key(Qt::Key_Down);
        EXPECT_EQ(Current(grid), (TGridCoord{edited.X, edited.Y + 1}));
        EXPECT_EQ(edits, 1);
        EXPECT_EQ(store.value(edited.Y), QStringLiteral("abcd"));
    }
}
