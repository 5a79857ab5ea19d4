// The columns editor driven as a developer would: clicks, keys and drags on its controls,
// with the grid checked after "Ok", "Apply" and "Cancel".
#include "design/VgDialog.h"

#include "design/VgMessages.h"
#include "grid/VgGrid.h"
#include "platform/locale/FormatSettings.h"
#include "support/ModalDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

// Records what opened the editor is told.
struct TTestOpener : TvgColumnsEditorOpener {
    TVelkoGrid* Grid = nullptr;
    int Modified = 0;
    TVelkoGrid* EditedGrid() const override { return Grid; }
    void DesignerModified() override { ++Modified; }
};

// A named grid of four columns "Column 1".."Column 4" captioned A to D, whose cells say
// which column they were written in, and one heading; the editor open on it.
struct ColumnsEditor : ::testing::Test {
    TVelkoGrid Grid;
    TTestOpener Opener;
    QPointer<TfrmvgColumnsEditor> Editor;
    QStringList Messages;
    TvgDesignMessageHandler Previous;

    void SetUp() override
    {
        Grid.SetName(QStringLiteral("Grid1"));
        Grid.SetColumnCount(4);
        Grid.SetRowCount(3);
        for (int col = 0; col < 4; ++col) {
            Grid.GetVisibleColumn(col)->SetCaption(QString(QChar(u'A' + col)));
            for (int row = 0; row < 3; ++row)
                Grid.SetCells(col, row, QStringLiteral("%1%2").arg(QChar(u'a' + col)).arg(row));
        }
        Grid.Headings()->Add()->SetCaption(QStringLiteral("Group"));
        Grid.GetVisibleColumn(1)->SetHeadingIndex(0);
        Previous = SetDesignMessageHandler([this](QWidget*, const QString& text) { Messages << text; });
        Opener.Grid = &Grid;
    }
    void TearDown() override
    {
        if (Editor)
            delete Editor.data();
        SetDesignMessageHandler(Previous);
    }

    TfrmvgColumnsEditor& Open(bool onHeadings = false)
    {
        Editor = new TfrmvgColumnsEditor(&Opener);
        Editor->StartOnHeadings = onHeadings;
        Editor->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Editor));
        return *Editor;
    }
    void Select(int row)
    {
        Editor->lsvColumns->setCurrentRow(row);
        QApplication::processEvents();
    }
    // The names of the column list's entries, and what the entries show.
    QStringList Entries(int role = Qt::UserRole) const
    {
        QStringList names;
        for (int i = 0; i < Editor->lsvColumns->count(); ++i)
            names << Editor->lsvColumns->item(i)->data(role).toString();
        return names;
    }
    QStringList Labels() const { return Entries(Qt::DisplayRole); }
    QStringList GridCaptions() const
    {
        QStringList captions;
        for (int i = 0; i < Grid.Columns()->Count(); ++i)
            captions << (*Grid.Columns())[i]->Caption();
        return captions;
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Drops mime data of Format (a row number) on the column list's entry Row.
    void Drop(const QString& format, int value, int row)
    {
        QListWidget* list = Editor->lsvColumns;
        QMimeData data;
        data.setData(format, QByteArray::number(value));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QDragEnterEvent enter(at, Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &move);
        if (!move.isAccepted())
            return;
        QDropEvent drop(at, Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &drop);
    }
    // Renames the entry by keyboard: F2, the new name, Enter.
    void Rename(int row, const QString& name)
    {
        Select(row);
        Editor->lsvColumns->setFocus();
        QTest::keyClick(Editor->lsvColumns, Qt::Key_F2);
        QWidget* box = QApplication::focusWidget();
        ASSERT_TRUE(qobject_cast<QLineEdit*>(box));
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, name);
        QTest::keyClick(box, Qt::Key_Return);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(ColumnsEditor, OpensOnCopiesWithoutTheColumnsTheGridDoesNotShow)
{
    // Two objects more than the grid shows: the copies leave them out.
    Grid.Columns()->Add();
    Grid.Columns()->Add();
    TfrmvgColumnsEditor& editor = Open();
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("TVelkoGrid Columns - Grid1"));
    EXPECT_EQ(Entries(), (QStringList{"Column 1", "Column 2", "Column 3", "Column 4"}));
    EXPECT_EQ(editor.WorkColumns()->Count(), 4);
    EXPECT_NE(editor.WorkColumns(), Grid.Columns());
    EXPECT_EQ(editor.pgcMain->currentWidget(), editor.tbsGeneral);
    EXPECT_EQ(editor.lsvColumns->currentRow(), 0);
    EXPECT_EQ(editor.memCaption->toPlainText(), QStringLiteral("A"));
    EXPECT_EQ(editor.cmbHeadings->count(), 2);
    EXPECT_EQ(editor.cmbRows->count(), 3);

    // A click on an entry shows that column (the entry is current before it is selected).
    QListWidget* list = editor.lsvColumns;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(editor.memCaption->toPlainText(), QStringLiteral("C"));
    EXPECT_TRUE(editor.pgcMain->isTabEnabled(editor.pgcMain->indexOf(editor.tbsGeneral)));
    EXPECT_EQ(editor.pgcMain->currentWidget(), editor.tbsGeneral);
    EXPECT_TRUE(editor.btnDuplicate->isEnabled());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(editor.memCaption->toPlainText(), QStringLiteral("D"));
}

TEST_F(ColumnsEditor, CancelDropsTheCopiesButKeepsWidthsAndHeightsSetOnTheGrid)
{
    TfrmvgColumnsEditor& editor = Open();
    Select(2);
    editor.memCaption->setFocus();
    QTest::keyClick(editor.memCaption, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(editor.memCaption, QStringLiteral("xyz"));
    EXPECT_EQ(editor.WorkColumns()->GetColumn(2)->Caption(), QStringLiteral("Cxyz"));

    editor.tbrWidth->setFocus();
    const int before = Grid.ColWidths(2);
    QTest::keyClick(editor.tbrWidth, Qt::Key_PageUp);
    const int after = Grid.ColWidths(2);
    EXPECT_GT(after, before);
    EXPECT_EQ(editor.edtColumnWidth->text(), QString::number(after));
    // Enter in the width box sets the width and stays in the dialog.
    editor.edtColumnWidth->setText(QStringLiteral("77"));
    QTest::keyClick(editor.edtColumnWidth, Qt::Key_Return);
    EXPECT_EQ(Grid.ColWidths(2), 77);
    EXPECT_EQ(editor.tbrWidth->value(), 77);
    EXPECT_TRUE(editor.isVisible());
    editor.edtColumnWidth->setText(QStringLiteral("wide"));
    QTest::keyClick(editor.edtColumnWidth, Qt::Key_Return);
    EXPECT_EQ(Grid.ColWidths(2), 77);

    // Rows: the chosen row's height follows the box and the track bar.
    editor.cmbRows->setCurrentIndex(2);
    editor.edtRowHeight->setText(QStringLiteral("33"));
    QTest::keyClick(editor.edtRowHeight, Qt::Key_Return);
    EXPECT_EQ(Grid.RowHeights(2), 33);
    EXPECT_EQ(editor.tbrRowHeight->value(), 33);
    for (const char* bad : {"-4", "tall"}) {
        editor.edtRowHeight->setText(QString::fromLatin1(bad));
        QTest::keyClick(editor.edtRowHeight, Qt::Key_Return);
        EXPECT_EQ(Grid.RowHeights(2), 33);
    }
    editor.tbrRowHeight->setValue(40);
    EXPECT_EQ(Grid.RowHeights(2), 40);

    int result = -1;
    QObject::connect(&editor, &QDialog::finished, [&](int r) { result = r; });
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_EQ(result, QDialog::Rejected);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Editor.isNull()); // closing frees it
    EXPECT_EQ(GridCaptions(), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(Grid.ColWidths(2), 77);
    EXPECT_EQ(Opener.Modified, 0);
}

TEST_F(ColumnsEditor, OkNeedsAColumnAndAVisibleColumn)
{
    TfrmvgColumnsEditor& editor = Open();
    for (int row = 0; row < 4; ++row) {
        Select(row);
        Click(editor.cbxVisible);
    }
    Click(editor.btnOk);
    EXPECT_EQ(Messages, QStringList{"Please make at least one column visible"});
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(Grid.GetVisibleColumnCount(), 4);

    while (editor.lsvColumns->count() > 0) {
        Select(0);
        Click(editor.btnDelete);
    }
    EXPECT_FALSE(editor.btnDelete->isEnabled());
    EXPECT_FALSE(editor.pgcMain->isTabEnabled(editor.pgcMain->indexOf(editor.tbsGeneral)));
    Click(editor.btnApply);
    EXPECT_EQ(Messages.last(), QStringLiteral("Please define at least one column"));
    EXPECT_EQ(Opener.Modified, 0);
    EXPECT_EQ(Grid.Columns()->Count(), 4);
}

TEST_F(ColumnsEditor, RenamingRefusesAnotherColumnsNameAndAcceptsItsOwn)
{
    TfrmvgColumnsEditor& editor = Open();
    Rename(1, QStringLiteral("Column 3"));
    EXPECT_EQ(Messages, QStringList{"A column by that name already exists."});
    EXPECT_EQ(Entries()[1], QStringLiteral("Column 2"));
    EXPECT_EQ(editor.WorkColumns()->GetColumn(1)->Name(), QStringLiteral("Column 2"));

    Rename(1, QStringLiteral("Column 2")); // its own name
    Rename(2, QStringLiteral("column 1")); // names differ in case
    Rename(3, QStringLiteral("Price"));
    EXPECT_EQ(Messages.size(), 1);
    EXPECT_EQ(Entries(), (QStringList{"Column 1", "Column 2", "column 1", "Price"}));

    // Deleting the last column selects the one before it.
    Select(3);
    Click(editor.btnDelete);
    EXPECT_EQ(editor.lsvColumns->currentRow(), 2);
    int result = -1;
    QObject::connect(&editor, &QDialog::finished, [&](int r) { result = r; });
    Click(editor.btnOk);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(Grid.ColCount(), 3);
    EXPECT_EQ(Grid.GetVisibleColumn(2)->Name(), QStringLiteral("column 1"));
    // Cells stay where they were.
    EXPECT_EQ(Grid.Cells(2, 1), QStringLiteral("c1"));
}

TEST_F(ColumnsEditor, NewAndDuplicateColumnsTakeTheNextFreeNames)
{
    TfrmvgColumnsEditor& editor = Open();
    Select(1);
    editor.cmbFormats->setCurrentIndex(int(vgfmtNumeric));
    editor.edtDigits->setValue(4);
    editor.edtPrefix->setText(QStringLiteral("$"));
    Click(editor.sbnCHRight);
    Click(editor.sbnTInnerLowered);
    Click(editor.btnDuplicate);
    EXPECT_EQ(editor.lsvColumns->currentRow(), 1); // the selection stays
    ASSERT_EQ(editor.WorkColumns()->Count(), 5);
    const TvgColumn* copy = editor.WorkColumns()->GetColumn(4);
    EXPECT_EQ(copy->Name(), QStringLiteral("Column 5"));
    EXPECT_EQ(copy->Caption(), QStringLiteral("B"));
    EXPECT_EQ(copy->FormatType(), vgfmtNumeric);
    EXPECT_EQ(copy->Decimals(), 4);
    EXPECT_EQ(copy->Prefix(), QStringLiteral("$"));
    EXPECT_EQ(copy->ColumnHAlignment(), taRightJustify);
    EXPECT_EQ(copy->TitleInnerBevel(), bvLowered);
    EXPECT_EQ(copy->HeadingIndex(), 0);

    // The bevel pair: pressing the lowered one again leaves both up, meaning none.
    Click(editor.sbnTInnerLowered);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(1)->TitleInnerBevel(), bvNone);
    Click(editor.sbnTInnerRaised);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(1)->TitleInnerBevel(), bvRaised);

    Click(editor.btnNew);
    EXPECT_EQ(Entries().last(), QStringLiteral("Column 6"));
    EXPECT_EQ(editor.lsvColumns->currentRow(), 5);
    EXPECT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget())); // renaming started
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    Click(editor.btnApply);
    EXPECT_EQ(Opener.Modified, 1);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(Grid.ColCount(), 6);
    EXPECT_EQ(Grid.GetVisibleColumn(4)->Prefix(), QStringLiteral("$"));
    EXPECT_EQ(Grid.Cells(3, 1), QStringLiteral("d1"));
    EXPECT_EQ(Grid.Cells(4, 1), QString());
}

TEST_F(ColumnsEditor, DraggingReordersColumnsAndCellsStayInPlace)
{
    Grid.SetColumnCount(3);
    TfrmvgColumnsEditor& editor = Open();
    Drop(TvgColumnListWidget::ColumnMime, 0, 2);
    EXPECT_EQ(Entries(), (QStringList{"Column 2", "Column 3", "Column 1"}));
    EXPECT_EQ(editor.lsvColumns->currentRow(), 2);
    Drop(TvgColumnListWidget::ColumnMime, 1, 1); // onto itself: nothing
    EXPECT_EQ(Entries(), (QStringList{"Column 2", "Column 3", "Column 1"}));

    // A heading dragged from the headings page onto a column places it under the heading,
    // only while a heading is selected.
    editor.lbxHeadings->clearSelection();
    Drop(TvgColumnListWidget::HeadingMime, 0, 2);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(2)->HeadingIndex(), -1);
    editor.lbxHeadings->setCurrentRow(0);
    Drop(TvgColumnListWidget::HeadingMime, 0, 2);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(2)->HeadingIndex(), 0);
    EXPECT_EQ(editor.cmbHeadings->currentIndex(), 1); // the selected column is shown again

    Click(editor.btnOk);
    EXPECT_EQ(GridCaptions(), (QStringList{"B", "C", "A"}));
    for (int col = 0; col < 3; ++col)
        EXPECT_EQ(Grid.Cells(col, 2), QStringLiteral("%1%2").arg(QChar(u'a' + col)).arg(2));
}

TEST_F(ColumnsEditor, DeletingTheOnlyHeadingUnlinksItsColumnsAndDisablesItsControls)
{
    TfrmvgColumnsEditor& editor = Open(true);
    EXPECT_EQ(editor.pgcMain->currentWidget(), editor.tbsHeadings);
    EXPECT_EQ(editor.lbxHeadings->currentRow(), 0);
    EXPECT_TRUE(editor.pnlHeadingProperties->isEnabled());
    Select(1);
    EXPECT_EQ(editor.cmbHeadings->currentIndex(), 1);

    // The caption is applied on leaving the box, and both lists follow it.
    editor.memHDCaption->setFocus();
    editor.memHDCaption->setPlainText(QStringLiteral("Money"));
    editor.btnNewHeading->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(editor.lbxHeadings->item(0)->text(), QStringLiteral("Money"));
    EXPECT_EQ(editor.cmbHeadings->itemText(1), QStringLiteral("Money"));

    Click(editor.sbnDeleteHeading);
    EXPECT_EQ(editor.lbxHeadings->count(), 0);
    EXPECT_TRUE(editor.lbxHeadings->selectedItems().isEmpty());
    EXPECT_FALSE(editor.pnlHeadingProperties->isEnabled());
    EXPECT_FALSE(editor.sbnDeleteHeading->isEnabled());
    EXPECT_TRUE(editor.memHDCaption->toPlainText().isEmpty());
    EXPECT_EQ(editor.cmbHeadings->count(), 1);
    EXPECT_EQ(editor.cmbHeadings->currentIndex(), 0);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(1)->HeadingIndex(), -1);

    Click(editor.btnNewHeading);
    EXPECT_EQ(editor.lbxHeadings->currentItem()->text(), QStringLiteral("New heading"));
    EXPECT_EQ(editor.cmbHeadings->itemText(1), QStringLiteral("New heading"));
    Click(editor.btnOk);
    EXPECT_EQ(Grid.Headings()->Count(), 1);
    EXPECT_EQ(Grid.Headings()->GetColumn(0)->Caption(), QStringLiteral("New heading"));
    EXPECT_EQ(Grid.GetVisibleColumn(1)->HeadingIndex(), -1);
}

// 6 July 1997, 16:20:42 in every format, under the user's date order.
TEST_F(ColumnsEditor, DateAndTimeListsShowTheSampleInEachFormat)
{
    auto listed = [](QListWidget* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    };
    TfrmvgColumnsEditor& editor = Open();
    EXPECT_EQ(listed(editor.lbxDateFormats),
              (QStringList{"< None >", "7/6", "7/6/97", "07/06/97", "6-Jul", "6-Jul-97", "06-Jul-97", "Jul-97",
                           "July-97", "July 6, 1997", "Sun July 6, 1997", "Sunday July 6, 1997"}));
    EXPECT_EQ(listed(editor.lbxTimeFormats), (QStringList{"< None >", "16:20", "4:20 PM", "16:20:42", "4:20:42 PM"}));
    Select(0);
    editor.cmbFormats->setCurrentIndex(int(vgfmtDateTime));
    editor.lbxDateFormats->setCurrentRow(3);
    editor.lbxTimeFormats->setCurrentRow(0);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(0)->DateFormat(), 2);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(0)->TimeFormat(), -1);
    delete Editor.data();

    const TFormatSettings saved = FormatSettings();
    TFormatSettings dayFirst = saved;
    dayFirst.ShortDateFormat = QStringLiteral("d/m/yyyy");
    SetFormatSettings(dayFirst);
    TfrmvgColumnsEditor& again = Open();
    const QStringList dates = listed(again.lbxDateFormats);
    SetFormatSettings(saved);
    EXPECT_EQ(dates.mid(1, 3), (QStringList{"6/7", "6/7/97", "06/07/97"}));
}

TEST_F(ColumnsEditor, CountBoxesTakeOnlyWholeNumbersFromZeroUp)
{
    TfrmvgColumnsEditor& editor = Open();
    Select(0);
    for (const char* bad : {"abc", "-1"}) {
        editor.edtMaxTextLength->setFocus();
        editor.edtMaxTextLength->setText(QString::fromLatin1(bad));
        editor.cbxReadOnly->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(Messages.last(), QStringLiteral("Please enter an integer greater than or equal to 0."));
        EXPECT_EQ(QApplication::focusWidget(), editor.edtMaxTextLength);
        EXPECT_EQ(editor.WorkColumns()->GetColumn(0)->MaxTextLength(), 0);
    }
    editor.edtMaxTextLength->setText(QStringLiteral("12"));
    editor.cbxReadOnly->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(0)->MaxTextLength(), 12);
    EXPECT_EQ(Messages.size(), 2);

    // The drop-down count on the drop-down page of a combo column.
    Click(editor.sbnComboBox);
    EXPECT_TRUE(editor.pgcControlInfo->isTabVisible(editor.pgcControlInfo->indexOf(editor.tbsDropDown)));
    EXPECT_FALSE(editor.pgcControlInfo->isTabVisible(editor.pgcControlInfo->indexOf(editor.tbsButton)));
    editor.edtDropDownCount->setFocus();
    editor.edtDropDownCount->setText(QStringLiteral("x"));
    editor.cbxAutoSuggest->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Messages.size(), 3);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(0)->DropDownCount(), 8);
    editor.edtDropDownCount->setText(QStringLiteral("3"));
    editor.memComboBoxItems->setFocus(Qt::TabFocusReason);
    editor.memComboBoxItems->setPlainText(QStringLiteral("one\ntwo"));
    editor.cbxAutoSuggest->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(0)->DropDownCount(), 3);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(0)->Items()->ToStringList(), (QStringList{"one", "two"}));
}

TEST_F(ColumnsEditor, ButtonPicturesLoadFromFilesAndABadFileIsReported)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("button.bmp"));
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(good, "BMP"));
    const QString bad = dir.filePath(QStringLiteral("broken.bmp"));
    {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
    }
    TfrmvgColumnsEditor& editor = Open();
    Select(3);
    editor.pgcMain->setCurrentWidget(editor.tbsControl);
    Click(editor.sbnButton);
    EXPECT_TRUE(editor.pgcControlInfo->isTabVisible(editor.pgcControlInfo->indexOf(editor.tbsButton)));
    EXPECT_FALSE(editor.pnlButtonPicture->isVisible());
    Click(editor.sbnCustomButton);
    EXPECT_TRUE(editor.pnlButtonPicture->isVisible());

    vg::test::WhenModal(
        [&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->windowTitle(), QStringLiteral("Select button image"));
            files->selectFile(bad);
            static_cast<QDialog*>(files)->accept();
        },
        &editor);
    Click(editor.sbnLoadImage);
    EXPECT_EQ(Messages, QStringList{QStringLiteral("Unable to load image from \"") + bad + u'"'});
    EXPECT_TRUE(editor.WorkColumns()->GetColumn(3)->ButtonPicture()->IsEmpty());

    editor.LoadButtonPicture(good);
    EXPECT_EQ(editor.WorkColumns()->GetColumn(3)->ButtonPicture()->Width(), 8);
    Click(editor.sbnClearImage);
    EXPECT_TRUE(editor.WorkColumns()->GetColumn(3)->ButtonPicture()->IsEmpty());
    EXPECT_EQ(editor.WorkColumns()->GetColumn(3)->ButtonStyle(), vgbstCustom);
}

// The list shows captions on one line, and a column's name where it has none; it follows
// the caption as it is typed, and renaming in place starts from the name.
TEST_F(ColumnsEditor, TheColumnListShowsTheCaptionsAndANameWhereThereIsNone)
{
    Grid.GetVisibleColumn(1)->SetCaption(QString());
    Grid.GetVisibleColumn(2)->SetCaption(QStringLiteral("Price 'net'\nper unit"));
    TfrmvgColumnsEditor& editor = Open();
    EXPECT_EQ(Labels(), (QStringList{"A", "Column 2", "Price 'net' per unit", "D"}));
    EXPECT_EQ(editor.lsvColumns->item(1)->toolTip(), QStringLiteral("Column 2"));

    Select(3);
    editor.memCaption->setFocus();
    QTest::keyClick(editor.memCaption, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor.memCaption, QStringLiteral("Total"));
    EXPECT_EQ(Labels()[3], QStringLiteral("Total"));
    QTest::keyClick(editor.memCaption, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor.memCaption, Qt::Key_Delete);
    EXPECT_EQ(Labels()[3], QStringLiteral("Column 4"));

    Select(2);
    editor.lsvColumns->setFocus();
    QTest::keyClick(editor.lsvColumns, Qt::Key_F2);
    auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Column 3"));
    QTest::keyClick(box, Qt::Key_Escape);
    Rename(2, QStringLiteral("Price"));
    EXPECT_EQ(Entries()[2], QStringLiteral("Price"));
    EXPECT_EQ(Labels()[2], QStringLiteral("Price 'net' per unit"));

    Click(editor.btnNew);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Click(editor.btnDuplicate);
    EXPECT_EQ(Labels().mid(4), (QStringList{"Column 3", "Column 5"})); // the first free names
    Drop(TvgColumnListWidget::ColumnMime, 2, 0);
    EXPECT_EQ(Labels().mid(0, 2), (QStringList{"Price 'net' per unit", "A"}));
}

TEST_F(ColumnsEditor, TheTitleNamesTheGrid)
{
    const struct {
        QString Name, ObjectName, Title;
    } cases[] = {
        {QStringLiteral("Grid1"), QStringLiteral("orders"), QStringLiteral("TVelkoGrid Columns - Grid1")},
        {QString(), QStringLiteral("orders"), QStringLiteral("TVelkoGrid Columns - orders")},
        {QString(), QString(), QStringLiteral("TVelkoGrid Columns")},
    };
    for (const auto& c : cases) {
        Grid.SetName(c.Name);
        Grid.setObjectName(c.ObjectName);
        EXPECT_EQ(Open().windowTitle(), c.Title);
        delete Editor.data();
    }
}

TEST_F(ColumnsEditor, ANewHeadingsCaptionIsSelectedSoTypingReplacesIt)
{
    TfrmvgColumnsEditor& editor = Open(true);
    QApplication::setActiveWindow(&editor);
    Click(editor.btnNewHeading);
    EXPECT_EQ(QApplication::focusWidget(), editor.memHDCaption);
    QTest::keyClicks(editor.memHDCaption, QStringLiteral("Totals"));
    QTest::keyClick(editor.memHDCaption, Qt::Key_Tab);
    EXPECT_EQ(editor.WorkHeadings()->GetColumn(1)->Caption(), QStringLiteral("Totals"));
    EXPECT_EQ(editor.lbxHeadings->item(1)->text(), QStringLiteral("Totals"));
}

// A width or height typed applies when the box is left by Enter, Tab or a click elsewhere;
// what is no size (or none the grid takes) is undone, and the box shows the grid's size.
TEST_F(ColumnsEditor, TypedSizesApplyOnEnterTabOrAClickElsewhere)
{
    TfrmvgColumnsEditor& editor = Open();
    QApplication::setActiveWindow(&editor);
    Select(2);
    editor.pgcMain->setCurrentWidget(editor.tbsRows);
    editor.cmbRows->setCurrentIndex(1);
    enum TLeave { Enter, Tab, ClickElsewhere };
    const struct {
        bool Width;
        QString Typed;
        TLeave Leave;
        int Expected; // -1: as it was
    } cases[] = {
        {true, QStringLiteral("90"), Tab, 90},         {true, QStringLiteral("91"), ClickElsewhere, 91},
        {true, QStringLiteral("92"), Enter, 92},       {true, QStringLiteral("wide"), Tab, -1},
        {true, QStringLiteral("99999999"), Enter, -1}, {true, QStringLiteral("-3"), ClickElsewhere, -1},
        {false, QStringLiteral("30"), Tab, 30},        {false, QStringLiteral("31"), ClickElsewhere, 31},
        {false, QStringLiteral("32"), Enter, 32},      {false, QStringLiteral("tall"), Tab, -1},
        {false, QStringLiteral("99999999"), ClickElsewhere, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed.toStdString() + " " + std::to_string(c.Leave));
        QLineEdit* box = c.Width ? editor.edtColumnWidth : editor.edtRowHeight;
        editor.pgcMain->setCurrentWidget(c.Width ? editor.tbsGeneral : editor.tbsRows);
        const int before = c.Width ? Grid.ColWidths(2) : Grid.RowHeights(1);
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, c.Typed);
        if (c.Leave == Enter)
            QTest::keyClick(box, Qt::Key_Return);
        else if (c.Leave == Tab)
            QTest::keyClick(box, Qt::Key_Tab);
        else
            QTest::mouseClick(c.Width ? static_cast<QWidget*>(editor.cbxReadOnly) : editor.cmbRows, Qt::LeftButton);
        QApplication::processEvents();
        const int now = c.Width ? Grid.ColWidths(2) : Grid.RowHeights(1);
        EXPECT_EQ(now, c.Expected < 0 ? before : c.Expected);
        EXPECT_EQ(box->text(), QString::number(now));
        EXPECT_EQ(c.Width ? editor.tbrWidth->value() : editor.tbrRowHeight->value(), now);
        EXPECT_TRUE(editor.isVisible());
        if (QApplication::activePopupWidget())
            QApplication::activePopupWidget()->close();
    }
    EXPECT_EQ(editor.cmbRows->currentIndex(), 1);
}
