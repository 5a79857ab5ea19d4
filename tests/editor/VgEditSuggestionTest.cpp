// Suggestions while typing: what a combo column suggests from its items and what the
// grid's event suggests elsewhere, where the window shows, and what Enter, Ctrl+Enter and
// leaving the cell make of a shown suggestion.
#include "support/VgGridHarness.h"

#include "TestEnvironment.h"

#include <QScreen>

using namespace vg;
using namespace vg::test;

namespace {

struct VgEditSuggestion : ::testing::Test {
    TVgGridWindow W;
    TvgColumn* Combo = W.Column(3);
    QStringList Log;

    void SetUp() override
    {
        Combo->SetControlType({vgctlComboBox});
        Combo->Items()->SetStrings({"Banana", "apple", "Apricot", "Éclair"});
        W.Grid->OnComboSelection = [this](TObject*, int col, int row) { Log << QStringLiteral("combo %1,%2").arg(col).arg(row); };
        W.Grid->OnCellEdited = [this](TObject*, int col, int row) { Log << QStringLiteral("edited %1,%2").arg(col).arg(row); };
    }
    QStringList Take() { return std::exchange(Log, {}); }

    // Opens an empty cell and types text into it.
    TVgInplaceEdit* Type(int col, int row, const QString& text)
    {
        W.Grid->HideEditor();
        W.Grid->SetCells(col, row, QString());
        TVgInplaceEdit* editor = W.Edit(col, row);
        TypeText(text);
        return editor;
    }
    // The suggestion shown, or "(none)".
    QString Shown(TVgInplaceEdit* editor) const
    {
        return editor->IsAutoSuggestionUp() ? editor->HintWindow()->Text() : QStringLiteral("(none)");
    }
};

} // namespace

TEST_F(VgEditSuggestion, AComboColumnSuggestsItsFirstItemBeginningWithTheTextInAnyCase)
{
    int asked = 0;
    W.Grid->OnGetSuggestion = [&](TObject*, int, int, const QString&, QString&) { ++asked; };
    const std::pair<QString, QString> cases[] = {
        {"ap", "apple"},  {"APR", "Apricot"}, {"apple", "(none)"}, {"APPLE", "apple"},
        {"  b", "Banana"}, {"   ", "(none)"},  {"é", "Éclair"},     {"kiwi", "(none)"},
    };
    for (const auto& [typed, expected] : cases) {
        TVgInplaceEdit* editor = Type(3, 2, typed);
        EXPECT_EQ(Shown(editor), expected) << typed.toStdString();
    }
    EXPECT_EQ(asked, 0) << "the event is not asked for a combo column that suggests by itself";

    // Escape dismisses the suggestion first and cancels the edit only then.
    TVgInplaceEdit* editor = Type(3, 2, QStringLiteral("ap"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(editor->IsAutoSuggestionUp());
    EXPECT_EQ(editor->Text(), QStringLiteral("ap"));
    EXPECT_TRUE(editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());

    // Enter takes the suggestion into the text and the cell, reported as a choice.
    editor = Type(3, 2, QStringLiteral("APPLE"));
    Take();
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(W.Grid->Cells(3, 2), QStringLiteral("apple"));
    EXPECT_FALSE(editor->IsAutoSuggestionUp());
    EXPECT_EQ(Take(), QStringList({"combo 3,2"}));

    // Without AutoSuggest the event is asked instead.
    Combo->AutoSuggest = false;
    Type(3, 3, QStringLiteral("a"));
    EXPECT_GT(asked, 0);
}

TEST_F(VgEditSuggestion, OtherColumnsShowWhatTheEventSuggestsForTheUntrimmedText)
{
    QStringList texts;
    W.Grid->OnGetSuggestion = [&](TObject* sender, int col, int row, const QString& text, QString& suggestion) {
        EXPECT_EQ(sender, W.Grid);
        texts << QStringLiteral("%1,%2 '%3'").arg(col).arg(row).arg(text);
        suggestion = text == QStringLiteral(" a") ? QStringLiteral(" a") : text == QStringLiteral(" ab") ? QStringLiteral("   ") : QStringLiteral("Aldous");
    };
    TVgInplaceEdit* editor = Type(1, 2, QStringLiteral(" "));
    EXPECT_EQ(Shown(editor), QStringLiteral("Aldous"));
    TypeText(QStringLiteral("a"));
    EXPECT_EQ(Shown(editor), QStringLiteral(" a")) << "a suggestion equal to the text still shows";
    TypeText(QStringLiteral("b"));
    EXPECT_EQ(Shown(editor), QStringLiteral("(none)")) << "blanks are no suggestion";
    EXPECT_EQ(texts, QStringList({"1,2 ' '", "1,2 ' a'", "1,2 ' ab'"}));
}

TEST_F(VgEditSuggestion, CtrlEnterTakesNothingAndLeavingTakesTheSuggestionOnlyWhenAsked)
{
    W.Grid->OnGetSuggestion = [](TObject*, int, int, const QString& text, QString& suggestion) {
        if (!text.trimmed().isEmpty())
            suggestion = QStringLiteral("Aldous Brandt");
    };
    TVgInplaceEdit* editor = Type(1, 2, QStringLiteral("Al"));
    QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(editor->Text(), QStringLiteral("Al\n"));
    EXPECT_NE(W.Grid->Cells(1, 2), QStringLiteral("Aldous Brandt"));

    // Leaving with the suggestion up takes it (an edit of the cell, reported as one).
    editor = Type(1, 2, QStringLiteral("Al"));
    Take();
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(W.Grid->Cells(1, 2), QStringLiteral("Aldous Brandt"));
    EXPECT_EQ(Take(), QStringList({"edited 1,2"}));

    // So does a click into another field, through which the focus leaves.
    editor = Type(1, 4, QStringLiteral("Al"));
    QTest::mouseClick(W.Other, Qt::LeftButton);
    EXPECT_EQ(W.Grid->Cells(1, 4), QStringLiteral("Aldous Brandt"));

    W.Grid->SetAutoAcceptSuggestion(false);
    editor = Type(1, 3, QStringLiteral("Al"));
    ASSERT_TRUE(editor->IsAutoSuggestionUp());
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(W.Grid->Cells(1, 3), QStringLiteral("Al"));
    EXPECT_FALSE(editor->IsAutoSuggestionUp());
    editor = Type(1, 5, QStringLiteral("Al"));
    QTest::mouseClick(W.Other, Qt::LeftButton);
    EXPECT_EQ(W.Grid->Cells(1, 5), QStringLiteral("Al"));
}

TEST_F(VgEditSuggestion, TheWindowShowsJustAboveTheEditorAndStaysOnTheScreen)
{
    TVgInplaceEdit* editor = Type(3, 3, QStringLiteral("ba"));
    ASSERT_TRUE(editor->IsAutoSuggestionUp());
    const QRect hint = editor->HintWindow()->geometry();
    const QPoint text = editor->mapToGlobal(QPoint(2, 2));
    EXPECT_EQ(hint.left(), text.x() + 4);
    EXPECT_NEAR(hint.bottom() + 1, text.y() - 2, 1);
    // The list opening hides it.
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    EXPECT_FALSE(editor->IsAutoSuggestionUp());
    QTest::keyClick(editor, Qt::Key_Escape);

    // At the very top of the screen the window's top is the screen's.
    W.Grid->HideEditor();
    const int editorTop = editor->mapTo(&W.Window, QPoint(0, 0)).y();
    W.Window.move(W.Window.x(), W.Window.screen()->geometry().top() - editorTop + 2);
    QTest::qWait(50);
    editor = Type(3, 1, QStringLiteral("ba"));
    ASSERT_LT(editor->mapToGlobal(QPoint(0, 0)).y(), editor->HintWindow()->height());
    EXPECT_EQ(editor->HintWindow()->y(), 0);
}

TEST_F(VgEditSuggestion, AFailingSuggestionHandlerShowsNothingAndTypingGoesOn)
{
    QStringList& caught = W.CatchExceptions();
    W.Grid->OnGetSuggestion = [](TObject*, int, int, const QString&, QString&) {
        throw EInvalidOperation(QStringLiteral("no suggestion"));
    };
    TVgInplaceEdit* editor = Type(1, 2, QStringLiteral("abc"));
    EXPECT_EQ(caught.size(), 3);
    EXPECT_EQ(editor->Text(), QStringLiteral("abc"));
    EXPECT_FALSE(editor->IsAutoSuggestionUp());
}
