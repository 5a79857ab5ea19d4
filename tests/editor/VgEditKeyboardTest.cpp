// Keys on the grid around its editor: Alt+Down, Alt+Up and F4 on a cell with a list open
// the editor with its list, as on a combo box; with goTabs, Tab and Shift+Tab walk the
// cells, from the grid and from the open editor alike.
#include "support/VgGridHarness.h"

#include "TestEnvironment.h"

using namespace vg;
using namespace vg::test;

TEST(VgEditKeyboard, ListKeysOnACellThatIsNotEditedOpenTheEditorWithItsList)
{
    TVgGridWindow W;
    W.Column(3)->SetControlType({vgctlComboBox});
    W.Column(3)->Items()->SetStrings({"Apple", "Banana"});
    struct Case {
        int Col;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        bool Editing; // goEditing
        int RowAfter; // 2 unmoved; the list opens only on column 3
    };
    const Case cases[] = {
        {3, Qt::Key_Down, Qt::AltModifier, true, 2},  {3, Qt::Key_Up, Qt::AltModifier, true, 2},
        {3, Qt::Key_F4, Qt::NoModifier, true, 2},     {3, Qt::Key_Down, Qt::NoModifier, true, 3},
        {3, Qt::Key_F4, Qt::ShiftModifier, true, 2},  {2, Qt::Key_Down, Qt::AltModifier, true, 3},
        {2, Qt::Key_F4, Qt::NoModifier, true, 2},     {3, Qt::Key_Down, Qt::AltModifier, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("col %1 key %2 modifiers %3 editing %4").arg(c.Col).arg(int(c.Key)).arg(int(c.Modifiers)).arg(c.Editing).toStdString());
        W.Grid->HideEditor();
        W.Grid->SetOptions(c.Editing ? W.Grid->Options() + TGridOptions{goEditing} : W.Grid->Options() - TGridOptions{goEditing});
        W.Grid->SetCells(3, 2, QStringLiteral("Apple"));
        W.Grid->SetCol(c.Col);
        W.Grid->SetRow(2);
        W.Grid->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(W.Grid, c.Key, c.Modifiers);
        const bool opens = c.Col == 3 && c.Editing && (c.Modifiers == Qt::AltModifier || c.Key == Qt::Key_F4) && c.Modifiers != Qt::ShiftModifier;
        TVgInplaceEdit* editor = W.Grid->VgInplaceEditor();
        EXPECT_EQ(editor && editor->isVisible() && editor->hasFocus() && editor->ListVisible(), opens);
        EXPECT_EQ(W.Grid->Col(), c.Col);
        EXPECT_EQ(W.Grid->Row(), c.RowAfter);
        if (opens) {
            QTest::keyClick(editor, Qt::Key_Down);
            QTest::keyClick(editor, Qt::Key_Return);
            EXPECT_EQ(W.Grid->Cells(3, 2), QStringLiteral("Banana"));
        }
    }
}

TEST(VgEditKeyboard, TabAndShiftTabWalkTheCellsFromTheGridAndFromTheEditor)
{
    TVgGridWindow W;
    W.Grid->SetOptions(W.Grid->Options() + TGridOptions{goTabs});
    // Shift+Tab comes as Backtab from a real keyboard, and as Tab with Shift from others.
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, TGridCoord> steps[] = {
        {Qt::Key_Tab, Qt::NoModifier, {4, 2}},        {Qt::Key_Tab, Qt::NoModifier, {1, 3}},
        {Qt::Key_Backtab, Qt::ShiftModifier, {4, 2}}, {Qt::Key_Tab, Qt::ShiftModifier, {3, 2}},
    };
    for (const bool editing : {false, true}) {
        W.Grid->SetCol(3);
        W.Grid->SetRow(2);
        W.Grid->setFocus(Qt::OtherFocusReason);
        for (const auto& [key, modifiers, after] : steps) {
            const TGridCoord from{W.Grid->Col(), W.Grid->Row()};
            QWidget* target = editing ? W.Edit(from.X, from.Y) : static_cast<QWidget*>(W.Grid);
            if (editing)
                TypeText(QStringLiteral("+"));
            QTest::keyClick(target, key, modifiers);
            EXPECT_EQ(TGridCoord(W.Grid->Col(), W.Grid->Row()), after) << (editing ? "from the editor" : "from the grid");
            EXPECT_TRUE(W.Grid->hasFocus());
            EXPECT_EQ(W.Grid->Cells(from.X, from.Y).endsWith(u'+'), editing) << "the edit is kept";
        }
    }
}
