// The editor's drop-down list driven with keys and the mouse: its size and place, the
// item it selects, incremental search, what accepting writes, and how it closes.
#include "support/GridHarness.h"
#include "support/VgGridHarness.h"

#include "platform/app/MouseCapture.h"
#include "platform/app/TickCount.h"

#include "TestEnvironment.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QScreen>

using namespace vg;
using namespace vg::test;

namespace {

const QStringList Fruit = {"Apple", "Apricot", "Banana", "Cherry", "Éclair", "date"};

struct VgEditDropDown : ::testing::Test {
    TVgGridWindow W;
    TvgColumn* Combo = W.Column(3);
    QStringList Log;
    std::uint32_t Now = 100000;

    void SetUp() override
    {
        Combo->SetControlType({vgctlComboBox});
        Combo->Items()->SetStrings(Fruit);
        W.Grid->OnComboSelection = [this](TObject*, int col, int row) {
            Log << QStringLiteral("combo %1,%2 %3").arg(col).arg(row).arg(W.Grid->Cells(col, row));
        };
        SetTickCountSource([this] { return Now; });
    }
    void TearDown() override { SetTickCountSource(nullptr); }
    QStringList Take() { return std::exchange(Log, {}); }

    TVgInplaceEdit* Open(int row, const QString& text)
    {
        W.Grid->HideEditor();
        W.Grid->SetCells(3, row, text);
        TVgInplaceEdit* editor = W.Edit(3, row);
        QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
        EXPECT_TRUE(editor->ListVisible());
        EXPECT_TRUE(W.List()->isVisible());
        return editor;
    }
    // An item's centre in the editor's coordinates (where a dragged press arrives).
    QPoint ItemInEditor(TVgInplaceEdit* editor, int index) const
    {
        TPopupListbox* list = W.List();
        const QPoint inList = list->visualItemRect(list->item(index)).center();
        return editor->mapFromGlobal(list->viewport()->mapToGlobal(inList));
    }
};

} // namespace

TEST_F(VgEditDropDown, TheListIsSizedByItsItemsAndDropDownCount)
{
    struct Case {
        const char* Name;
        int Items;
        int DropDownCount;
        bool MaxWidth;
        bool Button;
    };
    const Case cases[] = {
        {"3 items", 3, 8, false, false},
        {"3 items beside a button", 3, 8, false, true},
        {"20 items with the widest", 20, 8, true, false},
        {"20 items, none wider", 20, 8, false, false},
        {"no room for items", 20, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QStringList items;
        for (int i = 0; i < c.Items; ++i)
            items << QStringLiteral("item %1").arg(i);
        items << QStringLiteral("a much, much longer item than the cell is wide");
        items.resize(c.Items);
        if (c.Items == 20)
            items[7] = QStringLiteral("a much, much longer item than the cell is wide");
        Combo->Items()->SetStrings(items);
        Combo->SetDropDownCount(c.DropDownCount);
        Combo->SetComboMaxWidth(c.MaxWidth);
        Combo->SetControlType(c.Button ? TvgControlTypes{vgctlComboBox, vgctlButton} : TvgControlTypes{vgctlComboBox});
        TVgInplaceEdit* editor = Open(2, QString());
        TPopupListbox* list = W.List();
        const int itemHeight = list->ItemHeight();
        const int shown = std::min(c.Items, c.DropDownCount);
        EXPECT_EQ(list->height(), shown * itemHeight + 4);
        int width = editor->EditArea().Right - editor->EditArea().Left - (c.Button ? editor->ButtonWidth() : 0);
        if (c.MaxWidth) {
            width = std::max(width, QFontMetrics(list->font()).horizontalAdvance(items[7]));
            width += editor->StandardButtonWidth();
            if (width > editor->width())
                width += 4;
        }
        EXPECT_EQ(list->width(), width);
        // Under the editor, its left edge at the text area's.
        EXPECT_EQ(list->geometry().topLeft(), editor->mapToGlobal(QPoint(2, editor->height())));
        QTest::keyClick(editor, Qt::Key_Escape);
    }
}

TEST_F(VgEditDropDown, NearTheScreensBottomTheListOpensAboveTheEditor)
{
    TVgInplaceEdit* editor = Open(6, QString());
    QTest::keyClick(editor, Qt::Key_Escape);
    const QRect screen = W.Window.screen()->availableGeometry();
    const int editorBottom = editor->mapTo(&W.Window, QPoint(0, editor->height())).y();
    W.Window.move(W.Window.x(), screen.bottom() + 1 - editorBottom - 20);
    QTest::qWait(50);
    editor = Open(6, QString());
    ASSERT_GT(editor->mapToGlobal(QPoint(0, editor->height())).y() + W.List()->height(), screen.bottom() + 1);
    const QRect list = W.List()->geometry();
    EXPECT_EQ(list.bottom() + 1, editor->mapToGlobal(QPoint(0, 2)).y());
    EXPECT_EQ(list.left(), editor->mapToGlobal(QPoint(2, 0)).x());
}

TEST_F(VgEditDropDown, TheItemOfTheTrimmedTextIsSelectedAndEnterWritesTheChoice)
{
    TVgInplaceEdit* editor = Open(2, QStringLiteral("  banana "));
    EXPECT_EQ(W.List()->ItemIndex(), 2) << "blanks and letter case do not matter";
    EXPECT_EQ(QApplication::focusWidget(), editor) << "the keyboard stays in the editor";
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(W.List()->ItemIndex(), 3);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(W.List()->isVisible());
    EXPECT_TRUE(editor->isVisible()) << "Enter closes the list, not the editor";
    EXPECT_EQ(editor->Text(), QStringLiteral("Cherry"));
    EXPECT_EQ(Take(), QStringList({"combo 3,2 Cherry"}));

    // A text that is no item selects nothing, and Enter then keeps the text.
    editor = Open(3, QStringLiteral("Quince"));
    EXPECT_EQ(W.List()->ItemIndex(), -1);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(W.Grid->Cells(3, 3), QStringLiteral("Quince"));
    EXPECT_TRUE(Take().isEmpty());
}

TEST_F(VgEditDropDown, AltArrowsAndF4OpenAndAcceptEscapeCancels)
{
    TVgInplaceEdit* editor = Open(2, QStringLiteral("Apple"));
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(W.Grid->Cells(3, 2), QStringLiteral("date"));
    EXPECT_EQ(Take(), QStringList({"combo 3,2 date"}));

    QTest::keyClick(editor, Qt::Key_F4);
    EXPECT_TRUE(editor->ListVisible());
    QTest::keyClick(editor, Qt::Key_Home);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_TRUE(editor->isVisible()) << "Escape closes the list, not the editor";
    EXPECT_EQ(W.Grid->Cells(3, 2), QStringLiteral("date"));
    QTest::keyClick(editor, Qt::Key_Up, Qt::AltModifier);
    EXPECT_TRUE(editor->ListVisible());
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(Take(), QStringList({"combo 3,2 date"}));
}

TEST_F(VgEditDropDown, TypingSearchesTheItemsUntilAPause)
{
    TVgInplaceEdit* editor = Open(2, QString());
    struct Step {
        int Pause;
        QString Typed;
        int Expected;
    };
    const Step steps[] = {
        {0, "a", 0},       {10, "p", 0},    {10, "r", 1},   // "apr": Apricot
        {2001, "b", 2},                                      // a pause starts a new search
        {2000, "a", 2},                                      // "ba": no pause yet
        {2001, "é", 4},                                      // é finds É
        {2001, "x", 4},                                      // nothing begins with x
        {10, "\b", 4},     {10, "D", 5},                     // Backspace starts afresh
    };
    for (const Step& s : steps) {
        Now += s.Pause;
        if (s.Typed == QStringLiteral("\b"))
            QTest::keyClick(editor, Qt::Key_Backspace);
        else
            TypeText(s.Typed);
        EXPECT_EQ(W.List()->ItemIndex(), s.Expected) << s.Typed.toStdString();
    }
    EXPECT_EQ(editor->Text(), QString()) << "typing went to the list";
    // The prefix stops growing at 32 characters; each key searches again.
    for (int i = 0; i < 40; ++i)
        TypeText(QStringLiteral("z"));
    EXPECT_EQ(W.List()->SearchText().size(), TPopupListbox::MaxSearchLength);
}

TEST_F(VgEditDropDown, APressOnTheButtonDraggedOntoAnItemChoosesIt)
{
    W.Grid->SetCells(3, 2, QStringLiteral("Apple"));
    TVgInplaceEdit* editor = W.Edit(3, 2);
    const QPoint button = Centre(editor->DropDownButtonRect());
    QTest::mousePress(editor, Qt::LeftButton, {}, button);
    ASSERT_TRUE(editor->ListVisible());
    EXPECT_TRUE(editor->DropDownButtonPressed());
    DragTo(editor, ItemInEditor(editor, 2));
    EXPECT_FALSE(editor->DropDownButtonPressed());
    EXPECT_EQ(W.List()->ItemIndex(), 2);
    DragTo(editor, ItemInEditor(editor, 3));
    QTest::mouseRelease(editor, Qt::LeftButton, {}, ItemInEditor(editor, 3));
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(Take(), QStringList({"combo 3,2 Cherry"}));
    EXPECT_EQ(GetCapture(), nullptr);

    // A click on the button opens the list, which stays; a click on an item chooses it.
    QTest::mouseClick(editor, Qt::LeftButton, {}, button);
    ASSERT_TRUE(editor->ListVisible());
    TPopupListbox* list = W.List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(Take(), QStringList({"combo 3,2 Apricot"}));
    EXPECT_TRUE(editor->hasFocus());

    // A second click on the button closes the open list without a choice.
    QTest::mouseClick(editor, Qt::LeftButton, {}, button);
    QTest::mouseClick(editor, Qt::LeftButton, {}, button);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_TRUE(Take().isEmpty());
}

TEST_F(VgEditDropDown, AClickElsewhereOrSwitchingApplicationsClosesTheListWithoutAChoice)
{
    TVgInplaceEdit* editor = Open(2, QStringLiteral("Apple"));
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::mouseClick(W.Other, Qt::LeftButton);
    EXPECT_FALSE(W.List()->isVisible());
    EXPECT_EQ(W.Grid->Cells(3, 2), QStringLiteral("Apple"));

    editor = Open(2, QStringLiteral("Apple"));
    Application().Deactivate();
    EXPECT_FALSE(W.List()->isVisible());
    Application().Activate();

    // Scrolling the grid moves the editor away from the list, which closes.
    W.Grid->SetRowCount(40);
    editor = Open(2, QStringLiteral("Apple"));
    W.Grid->SetTopRow(2);
    ASSERT_EQ(W.Grid->TopRow(), 2);
    EXPECT_FALSE(W.List()->isVisible());

    // A press on another cell of the grid closes it too.
    editor = Open(2, QStringLiteral("Apple"));
    QTest::mouseClick(W.Grid->viewport(), Qt::LeftButton, {}, CellCenter(*W.Grid, 1, 4));
    EXPECT_FALSE(W.List()->isVisible());
    EXPECT_TRUE(Take().isEmpty());
}

TEST_F(VgEditDropDown, AReadOnlyColumnOpensItsListButOnlyTheEventsVerdictLetsItWrite)
{
    Combo->SetReadOnly(true);
    TVgInplaceEdit* editor = Open(2, QStringLiteral("Apple"));
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(W.Grid->Cells(3, 2), QStringLiteral("Apple"));
    EXPECT_TRUE(Take().isEmpty());

    Combo->SetReadOnly(false);
    W.Grid->OnGetReadOnly = [](TObject*, int, int, bool& readOnly) { readOnly = true; };
    Combo->DropDownList = true;
    editor = Open(3, QStringLiteral("Apple"));
    EXPECT_TRUE(editor->ReadOnly());
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Take(), QStringList({"combo 3,3 Apricot"}));
}

TEST_F(VgEditDropDown, AFailingSelectionHandlerLeavesTheListClosedAndTheEditorWorking)
{
    QStringList& caught = W.CatchExceptions();
    W.Grid->OnComboSelection = [](TObject*, int, int) { throw EInvalidOperation(QStringLiteral("selection failed")); };
    TVgInplaceEdit* editor = Open(2, QStringLiteral("Apple"));
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(caught, QStringList({"selection failed"}));
    EXPECT_FALSE(W.List()->isVisible());
    EXPECT_TRUE(editor->isVisible()) << "the failed Enter went no further";
    EXPECT_EQ(W.Grid->Cells(3, 2), QStringLiteral("Apricot"));

    const QPoint button = Centre(editor->DropDownButtonRect());
    QTest::mousePress(editor, Qt::LeftButton, {}, button);
    QTest::mouseRelease(editor, Qt::LeftButton, {}, ItemInEditor(editor, 0));
    EXPECT_EQ(caught.size(), 1) << "released beside the button, the list stays open";
    QTest::mouseClick(W.List()->viewport(), Qt::LeftButton, {}, W.List()->visualItemRect(W.List()->item(0)).center());
    EXPECT_EQ(caught.size(), 2);
    EXPECT_FALSE(W.List()->isVisible());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(VgEditDropDown, WhileTheListIsOpenKeysGoToItAloneAndEscapeLeavesTheTextAsItWas)
{
    // Each key with the list open leaves the text and the list as they were; with the list
    // closed, it edits as always.
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, QString> cases[] = {
        {Qt::Key_Backspace, Qt::NoModifier, "Appl"}, {Qt::Key_B, Qt::NoModifier, "Appleb"},
        {Qt::Key_Space, Qt::NoModifier, "Apple "},   {Qt::Key_Home, Qt::NoModifier, "Apple"},
        {Qt::Key_X, Qt::ControlModifier, "Apple"},   {Qt::Key_V, Qt::ControlModifier, "Applepaste"},
    };
    QClipboard& clipboard = *QApplication::clipboard();
    const QString kept = clipboard.text();
    clipboard.setText(QStringLiteral("paste"));
    for (const auto& [key, modifiers, closed] : cases) {
        SCOPED_TRACE(closed.toStdString());
        TVgInplaceEdit* editor = Open(2, QStringLiteral("Apple"));
        QTest::keyClick(editor, Qt::Key_End);
        QTest::keyClick(editor, key, modifiers);
        EXPECT_TRUE(editor->ListVisible());
        editor->TypeText(QStringLiteral("dropped")); // nor does a paste or a drop change it
        QTest::keyClick(editor, Qt::Key_Escape);
        EXPECT_TRUE(editor->isVisible() && !editor->ListVisible());
        EXPECT_EQ(editor->Text(), QStringLiteral("Apple")) << "as it was before the list opened";
        QTest::keyClick(editor, key, modifiers);
        EXPECT_EQ(editor->Text(), closed);
        QTest::keyClick(editor, Qt::Key_Escape);
    }
    clipboard.setText(kept);
    EXPECT_TRUE(Take().isEmpty());
}
