// What a screen reader hears from the editor: the cell it edits as its name, the items of
// the drop-down list as the current one moves (the list never takes the focus), and a
// suggestion as it appears.
#include "support/AccessibilityRecorder.h"
#include "support/VgGridHarness.h"

#include "TestEnvironment.h"

using namespace vg;
using namespace vg::test;

namespace {

struct VgEditAccessibility : ::testing::Test {
    TVgGridWindow W;
    TvgColumn* Combo = W.Column(3);
    TAccessibilityRecorder Client;

    void SetUp() override
    {
        VG_SKIP_UNLESS_ACTIVE(Client);
        Combo->SetCaption(QStringLiteral("Fruit"));
        Combo->SetControlType({vgctlComboBox});
        Combo->Items()->SetStrings({"Apple", "Apricot", "Banana"});
        W.Grid->SetCells(0, 2, QStringLiteral("Order 2"));
    }
    static QStringList Names(QAccessible::Event type)
    {
        QStringList names;
        for (const TRecordedEvent& e : TAccessibilityRecorder::Of(type))
            names << e.Name;
        return names;
    }
};

} // namespace

TEST_F(VgEditAccessibility, TheEditorIsNamedAfterItsCell)
{
    TVgInplaceEdit* editor = W.Edit(3, 2);
    EXPECT_EQ(editor->accessibleName(), "Fruit, Order 2");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(W.Edit(3, 3)->accessibleName(), "Fruit, row 3") << "a row without a title is named by its number";
}

TEST_F(VgEditAccessibility, TheListAnnouncesItsCurrentItemAsItMoves)
{
    W.Grid->SetCells(3, 2, QStringLiteral("Apple"));
    TVgInplaceEdit* editor = W.Edit(3, 2);
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(editor->ListVisible());
    TAccessibilityRecorder::Clear();
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(Names(QAccessible::Focus), QStringList({"Apricot", "Banana", "Apricot"}));
}

TEST_F(VgEditAccessibility, ASuggestionIsAnnouncedAndDescribesTheEditorUntilItsNextCell)
{
    TVgInplaceEdit* editor = W.Edit(3, 2);
    TAccessibilityRecorder::Clear();
    TypeText(QStringLiteral("ban"));
    ASSERT_TRUE(editor->IsAutoSuggestionUp());
    EXPECT_EQ(Names(QAccessible::Alert).value(0), "Suggestion: Banana");
    EXPECT_EQ(editor->accessibleDescription(), "Suggestion: Banana");
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::keyClick(W.Grid, Qt::Key_Down);
    W.Edit(3, 3);
    EXPECT_EQ(editor->accessibleDescription(), "");
}
