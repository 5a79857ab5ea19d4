// In-place editing in the host grid: what opens the editor (typing, F2, Enter, a double
// click), what ends the edit (Enter, moving away, leaving the grid) and what cancels it
// (Escape); the editor's read-only switch, text limit, change reports and placement.
#include "support/GridHarness.h"
#include "TestEnvironment.h"

#include <QClipboard>
#include <QTextCursor>

namespace vg::test {
namespace {

class TTestEdit : public TInplaceEdit {
public:
    using TInplaceEdit::TInplaceEdit;
    bool MakeReadOnly = false;
    int Limit = 0;
    int ButtonWidth = 0; // room kept free at the right, painted red
    std::vector<QPoint> Presses;

protected:
    void BoundsChanged() override
    {
        TInplaceEdit::BoundsChanged();
        SetReadOnly(MakeReadOnly);
        SetMaxLength(Limit);
        if (ButtonWidth > 0)
            SetEditRect(Rect(2, 2, width() - ButtonWidth, height()));
    }
    void PaintWindow(TCanvas& Canvas) override
    {
        Canvas.Brush().SetColor(clRed);
        Canvas.FillRect(Rect(width() - ButtonWidth, 0, width(), height()));
    }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        Presses.push_back({X, Y});
        TInplaceEdit::MouseDown(Button, Shift, X, Y);
    }
};

class TEditingGrid : public TLoggingGrid {
public:
    using TLoggingGrid::TLoggingGrid;
    bool CanModify = true;
    std::vector<TMessage> Commands;

    TTestEdit* Editor() const { return static_cast<TTestEdit*>(InplaceEditor()); }

protected:
    TInplaceEdit* CreateEditor() override { return new TTestEdit(this); }
    bool CanEditModify() const override { return CanModify; }
    void WMCommand(TMessage& Message) override { Commands.push_back(Message); }
};

class GridEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        Grid.SetRowCount(30);
        Grid.SetOptions(Grid.Options() + TGridOptions{goEditing});
        Grid.SetCells(1, 1, QStringLiteral("old"));
        ShowFocused(Grid);
    }
    bool EditorOpen() const { return Grid.EditorMode() && Grid.InplaceEditor() && Grid.InplaceEditor()->isVisible(); }
    TEditingGrid Grid;
};

TEST_F(GridEditing, TypingOpensTheEditorWithTheCharacterAndEnterWritesTheCell)
{
    Type(QStringLiteral("n"));
    ASSERT_TRUE(EditorOpen());
    EXPECT_TRUE(Grid.InplaceEditor()->hasFocus());
    EXPECT_EQ(Grid.InplaceEditor()->Text(), QStringLiteral("n")); // the old text was replaced
    Type(QStringLiteral("ew"));
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("old")); // nothing is written before the edit ends
    Key(Qt::Key_Return);
    EXPECT_FALSE(EditorOpen());
    EXPECT_TRUE(Grid.hasFocus());
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("new"));
    EXPECT_EQ(Current(Grid), TGridCoord(1, 1));
}

TEST_F(GridEditing, EscapeCancelsAndPutsTheOldTextBack)
{
    Type(QStringLiteral("xyz"));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("old"));
    // Even after the text went to the cell on the way (the focus left and came back).
    Key(Qt::Key_F2);
    Type(QStringLiteral("!"));
    Grid.setFocus();
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("old!"));
    Grid.InplaceEditor()->setFocus();
    Key(Qt::Key_Escape);
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("old"));
}

TEST_F(GridEditing, F2EnterAndDoubleClickOpenTheEditorOnTheCellsText)
{
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorOpen());
    Type(QStringLiteral("er")); // F2 leaves the caret at the end
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("older"));

    Key(Qt::Key_Return);
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(Grid.InplaceEditor()->Text(), QStringLiteral("older"));
    Key(Qt::Key_Escape);

    Grid.SetCells(2, 3, QStringLiteral("two"));
    ClickCell(Grid, 2, 3);
    EXPECT_FALSE(EditorOpen()); // one click only selects
    DoubleClickCell(Grid, 2, 3);
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(Grid.InplaceEditor()->Text(), QStringLiteral("two"));
    EXPECT_EQ(TRect::FromQRect(Grid.InplaceEditor()->geometry()), Grid.CellRect(2, 3));
    EXPECT_EQ(Grid.InplaceEditor()->EditRect(), Rect(2, 2, Grid.ColWidths(2) - 2, Grid.RowHeights(3)));
}

TEST_F(GridEditing, MovingToAnotherCellWritesTheEditFirst)
{
    QString seen;
    Grid.OnSelectCell = [&](TObject*, int, int, bool&) { seen = Grid.Cells(1, 1); };
    Type(QStringLiteral("moved"));
    Key(Qt::Key_Down);
    EXPECT_EQ(seen, QStringLiteral("moved")); // the cell was written before the move was asked for
    EXPECT_EQ(Current(Grid), TGridCoord(1, 2));
    EXPECT_FALSE(EditorOpen());
    EXPECT_TRUE(Grid.hasFocus());

    Type(QStringLiteral("a"));
    ClickCell(Grid, 3, 3);
    EXPECT_EQ(Grid.Cells(1, 2), QStringLiteral("a"));
    EXPECT_FALSE(EditorOpen());

    // A vetoed move keeps the editor open, its text already in the cell.
    Type(QStringLiteral("b"));
    Grid.AllowSelect = false;
    Key(Qt::Key_Up);
    EXPECT_TRUE(EditorOpen());
    EXPECT_EQ(Grid.Cells(3, 3), QStringLiteral("b"));
}

TEST_F(GridEditing, AlwaysShowEditorKeepsTheEditorOpenFromCellToCell)
{
    Grid.SetCells(1, 2, QStringLiteral("below"));
    Grid.SetOptions(Grid.Options() + TGridOptions{goAlwaysShowEditor});
    ASSERT_TRUE(EditorOpen());
    Type(QStringLiteral("first"));
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("first"));
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(Grid.InplaceEditor()->Text(), QStringLiteral("below"));
    EXPECT_EQ(TRect::FromQRect(Grid.InplaceEditor()->geometry()), Grid.CellRect(1, 2));
    Key(Qt::Key_Return); // writes, stays open
    EXPECT_TRUE(EditorOpen());
}

TEST_F(GridEditing, LeavingTheGridWritesTheEditBeforeExitIsReported)
{
    TGridWindow window;
    TLoggingGrid& grid = *window.Grid;
    grid.SetOptions(grid.Options() + TGridOptions{goEditing});
    grid.setFocus();
    QString atExit;
    std::vector<QString> written;
    grid.OnExit = [&](TObject*) { atExit = grid.Cells(1, 1); };
    grid.OnSetEditText = [&](TObject*, int col, int row, const QString& value) {
        written.push_back(QStringLiteral("%1,%2=%3").arg(col).arg(row).arg(value));
    };
    Type(QStringLiteral("typed"));
    window.Other->setFocus();
    EXPECT_EQ(atExit, QStringLiteral("typed"));
    EXPECT_EQ(written, (std::vector<QString>{QStringLiteral("1,1=typed")}));
    EXPECT_FALSE(grid.InplaceEditor()->isVisible());
}

TEST_F(GridEditing, AReadOnlyEditorOrAGridThatRefusesKeepsTheText)
{
    Key(Qt::Key_F2);
    Grid.Editor()->MakeReadOnly = true;
    Key(Qt::Key_Escape);
    Type(QStringLiteral("x")); // opens the editor, which refuses the character
    ASSERT_TRUE(EditorOpen());
    EXPECT_TRUE(Grid.InplaceEditor()->ReadOnly());
    Type(QStringLiteral("yz"));
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("old"));

    Grid.Editor()->MakeReadOnly = false;
    Grid.CanModify = false;
    Key(Qt::Key_F2);
    EXPECT_FALSE(Grid.InplaceEditor()->EditCanModify());
    Type(QStringLiteral("yz"));
    Key(Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    Key(Qt::Key_V, Qt::ControlModifier);
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("old"));
}

TEST_F(GridEditing, TheTextLimitStopsTypingAndPasting)
{
    Key(Qt::Key_F2);
    Grid.Editor()->Limit = 5;
    Key(Qt::Key_Escape);
    Key(Qt::Key_F2);
    ASSERT_EQ(Grid.InplaceEditor()->MaxLength(), 5);
    Type(QStringLiteral("abcdef"));
    EXPECT_EQ(Grid.InplaceEditor()->Text(), QStringLiteral("oldab"));
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    QApplication::clipboard()->setText(QStringLiteral("XYZW"));
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Grid.InplaceEditor()->Text(), QStringLiteral("oldXY"));
    // A selection makes room for what replaces it.
    Grid.InplaceEditor()->SelectAll();
    Type(QStringLiteral("123456"));
    EXPECT_EQ(Grid.InplaceEditor()->Text(), QStringLiteral("12345"));
    EXPECT_THROW(Grid.InplaceEditor()->SetMaxLength(-1), EInvalidOperation);
}

TEST_F(GridEditing, EveryChangeOfTheTextIsReportedToTheGridButLoadingIsNot)
{
    Key(Qt::Key_F2);
    EXPECT_TRUE(Grid.Commands.empty());
    Type(QStringLiteral("ab"));
    Key(Qt::Key_Backspace);
    ASSERT_EQ(Grid.Commands.size(), 3u);
    EXPECT_EQ(Grid.Commands[0].Msg, WM_COMMAND);
    EXPECT_EQ(Grid.Commands[0].WParam, std::intptr_t(EN_CHANGE) << 16);
    EXPECT_EQ(Grid.Commands[0].LParam, reinterpret_cast<std::intptr_t>(Grid.InplaceEditor()));
    Grid.InplaceEditor()->SetText(QStringLiteral("set by the program"));
    EXPECT_EQ(Grid.Commands.size(), 3u);
}

TEST_F(GridEditing, CtrlEnterStartsANewLineInTheCell)
{
    Type(QStringLiteral("one"));
    Key(Qt::Key_Return, Qt::ControlModifier);
    Type(QStringLiteral("two"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("one\ntwo"));
}

TEST_F(GridEditing, ScrollingTheEditedCellAwayEndsTheEdit)
{
    Type(QStringLiteral("kept"));
    Grid.SetTopRow(20);
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("kept"));
    EXPECT_TRUE(Grid.hasFocus());
}

TEST_F(GridEditing, TheMarginsAroundTheTextAreaBelongToTheEditor)
{
    Key(Qt::Key_F2);
    Grid.Editor()->ButtonWidth = 12;
    Key(Qt::Key_Escape);
    Grid.SetColWidths(1, 100);
    Key(Qt::Key_F2);
    TTestEdit& editor = *Grid.Editor();
    ASSERT_EQ(editor.EditRect(), Rect(2, 2, 88, 24));
    // The text keeps to its area, which reaches a pixel out on the left and top, where the
    // text keeps a caret's width of margin.
    EXPECT_EQ(editor.viewport()->geometry(), QRect(1, 1, 87, 23));
    const QImage image = editor.grab().toImage();
    EXPECT_EQ(image.pixelColor(95, 10), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(1, 10), QColor(Qt::white)); // the surface has the editor's colour
    // A press on the margin is the editor's own, in its coordinates, and moves no cell.
    QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(95, 10));
    ASSERT_EQ(editor.Presses.size(), 1u);
    EXPECT_EQ(editor.Presses[0], QPoint(95, 10));
    EXPECT_TRUE(EditorOpen());
    // One on the text area places the caret.
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, {}, QPoint(1, 5));
    ASSERT_EQ(editor.Presses.size(), 2u);
    EXPECT_EQ(editor.Presses[1], QPoint(2, 6));
    EXPECT_EQ(editor.textCursor().position(), 0);
}

TEST_F(GridEditing, WithoutGoEditingNoKeyOpensTheEditor)
{
    Grid.SetOptions(Grid.Options() - TGridOptions{goEditing});
    Type(QStringLiteral("x"));
    Key(Qt::Key_F2);
    Key(Qt::Key_Return);
    Grid.ShowEditor();
    EXPECT_FALSE(Grid.EditorMode());
    EXPECT_EQ(Grid.InplaceEditor(), nullptr);
    // Nor with whole rows selected.
    Grid.SetOptions(Grid.Options() + TGridOptions{goEditing, goRowSelect});
    Grid.ShowEditor();
    EXPECT_FALSE(Grid.EditorMode());
}

TEST_F(GridEditing, SettingTheEditedCellFromTheProgramReloadsTheEditor)
{
    Key(Qt::Key_F2);
    Grid.SetCells(1, 1, QStringLiteral("from the program"));
    EXPECT_EQ(Grid.InplaceEditor()->Text(), QStringLiteral("from the program"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(Grid.Cells(1, 1), QStringLiteral("from the program"));
}

} // namespace
} // namespace vg::test
