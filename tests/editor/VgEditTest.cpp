// The column-model editor driven as a user drives it: its buttons' places and looks, a
// press dragged on and off a button, Shift+Enter, read-only cells, the text limit and the
// report of a finished edit.
#include "support/VgGridHarness.h"

#include "platform/app/MouseCapture.h"

#include "TestEnvironment.h"

#include <QImage>

using namespace vg;
using namespace vg::test;

namespace {

struct VgEdit : ::testing::Test {
    TVgGridWindow W;
    QStringList Log;

    void SetUp() override
    {
        W.Grid->OnButtonClick = [this](TObject*, int col, int row) { Log << QStringLiteral("button %1,%2").arg(col).arg(row); };
        W.Grid->OnCellEdited = [this](TObject*, int col, int row) { Log << QStringLiteral("edited %1,%2").arg(col).arg(row); };
        W.Grid->OnComboSelection = [this](TObject*, int col, int row) { Log << QStringLiteral("combo %1,%2").arg(col).arg(row); };
    }
    QStringList Take() { return std::exchange(Log, {}); }

    // A fresh editor on the cell, with the text cursor at the end of its text.
    TVgInplaceEdit* EditAtEnd(int col, int row)
    {
        W.Grid->HideEditor();
        TVgInplaceEdit* editor = W.Edit(col, row);
        QTest::keyClick(editor, Qt::Key_End, Qt::ControlModifier);
        return editor;
    }
};

QImage Solid(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

TEST_F(VgEdit, ButtonsSitAtTheRightEdgeAndTheTextStopsShortOfThem)
{
    struct Case {
        const char* Name;
        TvgControlTypes Controls;
        TvgButtonStyle Style;
        int PictureWidth; // 0: none
    };
    const Case cases[] = {
        {"plain", {}, vgbstEllipsis, 0},
        {"ellipsis", {vgctlButton}, vgbstEllipsis, 0},
        {"drop-down button", {vgctlButton}, vgbstDropDown, 0},
        {"list", {vgctlComboBox}, vgbstEllipsis, 0},
        {"both", {vgctlButton, vgctlComboBox}, vgbstEllipsis, 0},
        {"custom picture", {vgctlButton}, vgbstCustom, 16},
        {"custom picture and list", {vgctlButton, vgctlComboBox}, vgbstCustom, 23},
        {"custom without picture", {vgctlButton}, vgbstCustom, 0},
    };
    TvgColumn* column = W.Column(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        column->SetControlType(c.Controls);
        column->SetButtonStyle(c.Style);
        column->ButtonPicture()->SetBitmap(c.PictureWidth ? Solid(c.PictureWidth, 10, Qt::red) : QImage());
        TVgInplaceEdit* editor = EditAtEnd(2, 2);
        const int w = editor->width();
        const int h = editor->height();
        const int standard = editor->StandardButtonWidth();
        const int button = c.PictureWidth ? c.PictureWidth + 4 : standard;
        const bool ellipsis = c.Controls.Contains(vgctlButton);
        const bool list = c.Controls.Contains(vgctlComboBox);
        EXPECT_EQ(editor->EditArea(), Rect(2, 2, w - 2, h));
        EXPECT_EQ(editor->ButtonWidth(), button);
        if (ellipsis)
            EXPECT_EQ(editor->ButtonRect(), Rect(w - button, 0, w, h));
        if (list) {
            const int right = ellipsis ? w - button : w;
            EXPECT_EQ(editor->DropDownButtonRect(), Rect(right - standard, 0, right, h));
        }
        // The text area (where the text cursor shows) ends where the first button begins;
        // it reaches a pixel out on the left and top, where the text keeps a margin of a
        // caret's width, so the text itself starts at the edit rectangle's corner.
        const int textRight = w - 2 - (ellipsis ? button : 0) - (list ? standard : 0);
        EXPECT_EQ(editor->viewport()->geometry(), QRect(1, 1, textRight - 1, h - 1));
        EXPECT_EQ(editor->viewport()->cursor().shape(), Qt::IBeamCursor);
        EXPECT_EQ(editor->cursor().shape(), Qt::ArrowCursor);
        if (ellipsis)
            EXPECT_EQ(editor->childAt(Centre(editor->ButtonRect())), nullptr) << "the arrow shows over the button";
    }
}

TEST_F(VgEdit, ACustomButtonShowsItsPictureOnAFaceOrOnTheCellColour)
{
    TvgColumn* column = W.Column(2);
    column->SetControlType({vgctlButton});
    column->SetButtonStyle(vgbstCustom);
    column->SetColumnColor(clYellow);
    column->ButtonPicture()->SetBitmap(Solid(16, 8, Qt::red));
    struct Case {
        bool Face;
        TvgVAlignment Align;
    };
    for (const Case c : {Case{true, vgvaTop}, Case{true, vgvaCenter}, Case{false, vgvaBottom}, Case{false, vgvaCenter}}) {
        SCOPED_TRACE(int(c.Align) + 10 * c.Face);
        column->SetDrawButtonface(c.Face);
        column->SetButtonVAlignment(c.Align);
        TVgInplaceEdit* editor = EditAtEnd(2, 2);
        const QImage image = editor->grab().toImage();
        const TRect r = editor->ButtonRect();
        ASSERT_EQ(r.Right - r.Left, 20);
        const int top = c.Align == vgvaTop ? r.Top + 2
            : c.Align == vgvaCenter          ? r.Top + 2 + (r.Bottom - r.Top - 8) / 2
                                             : r.Bottom - 2 - 8;
        EXPECT_EQ(image.pixelColor(r.Left + 2, top), QColor(Qt::red));
        EXPECT_EQ(image.pixelColor(r.Left + 17, top + 7), QColor(Qt::red));
        EXPECT_NE(image.pixelColor(r.Left + 2, top - 1), QColor(Qt::red));
        EXPECT_NE(image.pixelColor(r.Left + 2, top + 8), QColor(Qt::red));
        // Beside the picture: the raised face, or the cell's own colour.
        const QColor beside = image.pixelColor(r.Left + 19, r.Top + 3);
        EXPECT_EQ(beside == QColor(Qt::yellow), !c.Face);
    }
}

TEST_F(VgEdit, AButtonClicksOnlyWhenReleasedOnItAndADoubleClickCountsOnce)
{
    W.Column(2)->SetControlType({vgctlButton});
    TVgInplaceEdit* editor = EditAtEnd(2, 3);
    const QPoint on = Centre(editor->ButtonRect());
    const QPoint off(6, on.y());

    QTest::mousePress(editor, Qt::LeftButton, {}, on);
    EXPECT_TRUE(editor->Tracking());
    EXPECT_TRUE(editor->ButtonPressed());
    EXPECT_EQ(GetCapture(), editor);
    DragTo(editor, off);
    EXPECT_FALSE(editor->ButtonPressed());
    QTest::mouseRelease(editor, Qt::LeftButton, {}, off);
    EXPECT_TRUE(Take().isEmpty());
    EXPECT_FALSE(editor->Tracking());
    EXPECT_EQ(GetCapture(), nullptr);

    QTest::mousePress(editor, Qt::LeftButton, {}, on);
    DragTo(editor, off);
    DragTo(editor, on);
    EXPECT_TRUE(editor->ButtonPressed());
    QTest::mouseRelease(editor, Qt::LeftButton, {}, on);
    EXPECT_EQ(Take(), QStringList({"button 2,3"}));

    // A double click: press, release, the double-click press, release.
    QTest::mouseClick(editor, Qt::LeftButton, {}, on);
    QTest::mouseDClick(editor, Qt::LeftButton, {}, on);
    QTest::mouseRelease(editor, Qt::LeftButton, {}, on);
    EXPECT_EQ(Take(), QStringList({"button 2,3"}));
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(VgEdit, ShiftEnterClicksTheButtonWithoutTypingAndCtrlShiftEnterTypesALineBreak)
{
    W.Column(2)->SetControlType({vgctlButton});
    W.Grid->SetCells(2, 3, QStringLiteral("note"));
    TVgInplaceEdit* editor = EditAtEnd(2, 3);
    QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Take(), QStringList({"button 2,3"}));
    EXPECT_EQ(editor->Text(), QStringLiteral("note"));
    EXPECT_TRUE(editor->isVisible());
    QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(Take().isEmpty());
    EXPECT_EQ(editor->Text(), QStringLiteral("note\n"));

    // Without a button Shift+Enter is no click.
    editor = EditAtEnd(1, 3);
    EXPECT_EQ(Take(), QStringList({"edited 2,3"}));
    QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_TRUE(Take().isEmpty());
}

TEST_F(VgEdit, ReadOnlyCellsRefuseTypingAndTheTextLimitStopsIt)
{
    W.Grid->OnGetReadOnly = [](TObject*, int, int row, bool& readOnly) {
        if (row == 2)
            readOnly = true;
    };
    W.Column(3)->SetReadOnly(true);
    W.Column(4)->SetControlType({vgctlComboBox});
    W.Column(4)->DropDownList = true;
    W.Column(1)->SetMaxTextLength(5);
    struct Case {
        int Col, Row;
        QString Expected;
    };
    const Case cases[] = {
        {2, 2, "ab"},      // OnGetReadOnly
        {2, 3, "abxyzuvw"}, // the same column elsewhere
        {3, 4, "ab"},      // the column's ReadOnly
        {4, 4, "ab"},      // a list-only column
        {1, 4, "abxyz"},   // five characters at most
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1,%2").arg(c.Col).arg(c.Row).toStdString());
        W.Grid->SetCells(c.Col, c.Row, QStringLiteral("ab"));
        TVgInplaceEdit* editor = EditAtEnd(c.Col, c.Row);
        TypeText(QStringLiteral("xyzuvw"));
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(editor->Text(), c.Expected);
    }
}

TEST_F(VgEdit, OnlyATextThatReallyChangedIsReportedOnceForTheCellItWasOpenedOn)
{
    W.Grid->SetCells(1, 2, QStringLiteral("abc"));
    W.Grid->SetCells(1, 3, QStringLiteral("abc"));
    TVgInplaceEdit* editor = EditAtEnd(1, 2);
    TypeText(QStringLiteral("x"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_TRUE(Take().isEmpty()) << "edited and restored";

    editor = EditAtEnd(1, 3);
    TypeText(QStringLiteral("d"));
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(Take(), QStringList({"edited 1,3"}));
    EXPECT_EQ(W.Grid->Cells(1, 3), QStringLiteral("abcd"));

    // Leaving the grid for another field reports too, once.
    editor = EditAtEnd(1, 2);
    TypeText(QStringLiteral("e"));
    QTest::mouseClick(W.Other, Qt::LeftButton);
    EXPECT_EQ(Take(), QStringList({"edited 1,2"}));
    W.Grid->setFocus();
    QApplication::processEvents();
    W.Other->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(Take().isEmpty());
    EXPECT_EQ(W.Grid->Cells(1, 2), QStringLiteral("abce"));
}

TEST_F(VgEdit, FailingHandlersLeaveNeitherTheCaptureNorTheEditorStuck)
{
    QStringList& caught = W.CatchExceptions();
    W.Column(2)->SetControlType({vgctlButton});
    W.Grid->OnButtonClick = [](TObject*, int, int) { throw EInvalidOperation(QStringLiteral("click failed")); };
    W.Grid->OnGetReadOnly = [](TObject*, int, int row, bool&) {
        if (row == 4)
            throw EInvalidOperation(QStringLiteral("read-only failed"));
    };
    W.Grid->OnCellEdited = [](TObject*, int, int) { throw EInvalidOperation(QStringLiteral("edit failed")); };
    TVgInplaceEdit* editor = EditAtEnd(2, 3);
    const QPoint on = Centre(editor->ButtonRect());
    QTest::mouseClick(editor, Qt::LeftButton, {}, on);
    QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(caught, QStringList({"click failed", "click failed"}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(editor->Tracking());
    EXPECT_TRUE(editor->hasFocus());
    TypeText(QStringLiteral("ok"));
    EXPECT_TRUE(editor->Text().endsWith(QStringLiteral("ok")));

    // A cell whose read-only state cannot be told opens read-only.
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_TRUE(caught.contains(QStringLiteral("edit failed")));
    editor = W.Edit(2, 4);
    EXPECT_TRUE(caught.contains(QStringLiteral("read-only failed")));
    EXPECT_TRUE(editor->ReadOnly());
    EXPECT_EQ(W.Grid->Cells(2, 3), QStringLiteral("ok"));
}
