// Keys on the grid around its editor: Alt+Down, Alt+Up and F4 on a cell with a list open
// the editor with its list, as on a combo box; with goTabs, Tab and Shift+Tab walk the
// cells, from the grid and from the open editor alike.
#include "support/VgGridHarness.h"

#include "TestEnvironment.h"

using namespace vg;
using namespace vg::test;

namespace {

struct VgEditKeyboard : ::testing::Test {
    TVgGridWindow W;

    void SetUp() override
    {
        W.Column(3)->SetControlType({vgctlComboBox});
        W.Column(3)->Items()->SetStrings({"Apple", "Banana", "Cherry"});
        for (int row = 1; row < W.Grid->RowCount(); ++row)
            W.Grid->SetCells(3, row, QStringLiteral("Apple"));
    }
    TGridCoord Current() const { return {W.Grid->Col(), W.Grid->Row()}; }
    void MoveTo(int col, int row)
    {
        W.Grid->HideEditor();
        W.Grid->SetCol(col);
        W.Grid->SetRow(row);
        W.Grid->setFocus(Qt::OtherFocusReason);
    }
};

} // namespace

TEST_F(VgEditKeyboard, ListKeysOnACellThatIsNotEditedOpenTheEditorWithItsList)
{
    struct Case {
        const char* Name;
        int Col;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        bool Editing; // goEditing
        bool Opens;
        TGridCoord After;
    };
    const Case cases[] = {
        {"Alt+Down on a list", 3, Qt::Key_Down, Qt::AltModifier, true, true, {3, 2}},
        {"Alt+Up on a list", 3, Qt::Key_Up, Qt::AltModifier, true, true, {3, 2}},
        {"F4 on a list", 3, Qt::Key_F4, Qt::NoModifier, true, true, {3, 2}},
        {"Down on a list", 3, Qt::Key_Down, Qt::NoModifier, true, false, {3, 3}},
        {"Shift+F4 on a list", 3, Qt::Key_F4, Qt::ShiftModifier, true, false, {3, 2}},
        {"Alt+Down on a plain cell", 2, Qt::Key_Down, Qt::AltModifier, true, false, {2, 3}},
        {"F4 on a plain cell", 2, Qt::Key_F4, Qt::NoModifier, true, false, {2, 2}},
        {"Alt+Down on a list of a grid that does not edit", 3, Qt::Key_Down, Qt::AltModifier, false, false, {3, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        W.Grid->SetOptions(c.Editing ? W.Grid->Options() + TGridOptions{goEditing} : W.Grid->Options() - TGridOptions{goEditing});
        MoveTo(c.Col, 2);
        QTest::keyClick(W.Grid, c.Key, c.Modifiers);
        TVgInplaceEdit* editor = W.Grid->VgInplaceEditor();
        const bool open = editor && editor->isVisible();
        EXPECT_EQ(open, c.Opens);
        EXPECT_EQ(open && editor->ListVisible() && W.List()->isVisible(), c.Opens);
        EXPECT_EQ(Current(), c.After);
        if (!open)
            continue;
        EXPECT_TRUE(editor->hasFocus()) << "the keyboard is in the editor, which hands the list its keys";
        EXPECT_EQ(W.List()->ItemIndex(), 0);
        QTest::keyClick(editor, Qt::Key_Down);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_FALSE(editor->ListVisible());
        EXPECT_EQ(W.Grid->Cells(3, 2), QStringLiteral("Banana"));
        W.Grid->SetCells(3, 2, QStringLiteral("Apple"));
    }
}

TEST_F(VgEditKeyboard, TabAndShiftTabWalkTheCellsFromTheGridAndFromTheEditor)
{
    W.Grid->SetOptions(W.Grid->Options() + TGridOptions{goTabs});
    // Shift+Tab comes as Backtab from a real keyboard, and as Tab with Shift from others.
    struct Step {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        TGridCoord After;
    };
    const Step steps[] = {
        {Qt::Key_Tab, Qt::NoModifier, {4, 2}},
        {Qt::Key_Tab, Qt::NoModifier, {1, 3}},         // past the last column: the next row
        {Qt::Key_Backtab, Qt::ShiftModifier, {4, 2}},  // and back
        {Qt::Key_Tab, Qt::ShiftModifier, {3, 2}},
        {Qt::Key_Backtab, Qt::ShiftModifier, {2, 2}},
    };
    for (const bool editing : {false, true}) {
        SCOPED_TRACE(editing ? "from the editor" : "from the grid");
        MoveTo(3, 2);
        for (const Step& s : steps) {
            const TGridCoord from = Current();
            QWidget* target = W.Grid;
            if (editing) {
                TVgInplaceEdit* editor = W.Edit(from.X, from.Y);
                TypeText(QStringLiteral("+"));
                target = editor;
            }
            QTest::keyClick(target, s.Key, s.Modifiers);
            EXPECT_EQ(Current(), s.After);
            EXPECT_TRUE(W.Grid->hasFocus() || W.Grid->VgInplaceEditor()->hasFocus()) << "the focus stays in the grid";
            if (editing)
                EXPECT_TRUE(W.Grid->Cells(from.X, from.Y).endsWith(u'+')) << "the edit is kept";
        }
    }
}
