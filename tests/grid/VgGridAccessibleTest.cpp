#include "grid/VgGrid.h"
#include "grid/VgGridAccessible.h"
#include "platform/core/Exceptions.h"
#include "platform/hostgrid/GridCellAccessible.h"
#include "support/AccessibilityRecorder.h"

#include "TestEnvironment.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <vector>

using namespace vg;

namespace {

// A grid of 6 columns (1 fixed) and 5 rows (1 fixed) with captions, and an accessibility
// client that records what it is told.
struct GridAccessibleTest : ::testing::Test {
    TVelkoGrid Grid;
    std::optional<test::TAccessibilityRecorder> Client;

    void SetUp() override
    {
        Grid.SetColumnCount(6);
        for (int col = 0; col < 6; ++col)
            Grid.GetVisibleColumn(col)->SetCaption(QStringLiteral("Title %1").arg(col));
        for (int row = 1; row < 5; ++row)
            Grid.SetCells(0, row, QStringLiteral("R%1").arg(row));
        Grid.resize(600, 300);
        Client.emplace();
        VG_SKIP_UNLESS_ACTIVE(*Client);
    }

    QAccessibleInterface* Table() { return QAccessible::queryAccessibleInterface(&Grid); }
    QAccessibleTableInterface* TableInterface() { return Table()->tableInterface(); }
    QString Name(int row, int column)
    {
        QAccessibleInterface* cell = TableInterface()->cellAt(row, column);
        return cell ? cell->text(QAccessible::Name) : QStringLiteral("<none>");
    }
    static QStringList Names(const QList<QAccessibleInterface*>& cells)
    {
        QStringList names;
        for (QAccessibleInterface* cell : cells)
            names << cell->text(QAccessible::Name);
        return names;
    }
    static std::vector<test::TRecordedEvent> RecordedOf(QAccessible::Event type)
    {
        return test::TAccessibilityRecorder::Of(type);
    }
};

TEST_F(GridAccessibleTest, IsATableOfTheScrollableCellsWithoutHiddenColumns)
{
    ASSERT_NE(Table(), nullptr);
    EXPECT_EQ(Table()->role(), QAccessible::Table);
    ASSERT_NE(TableInterface(), nullptr);
    EXPECT_EQ(TableInterface()->columnCount(), 5);
    EXPECT_EQ(TableInterface()->rowCount(), 4);

    Grid.SetCells(3, 2, QStringLiteral("under title 3"));
    Grid.SetCells(4, 2, QStringLiteral("under title 4"));
    EXPECT_EQ(Name(1, 2), "under title 3");
    Grid.GetVisibleColumn(3)->SetVisible(false);
    EXPECT_EQ(TableInterface()->columnCount(), 4);
    EXPECT_EQ(Name(1, 2), "under title 4") << "the hidden column is skipped";
    EXPECT_EQ(TableInterface()->columnDescription(2), "Title 4");

    Grid.SetFixedCols(2);
    Grid.SetFixedRows(2);
    EXPECT_EQ(TableInterface()->columnCount(), 3);
    EXPECT_EQ(TableInterface()->rowCount(), 3);
    EXPECT_EQ(Name(0, 1), "under title 4");
    QAccessibleTableCellInterface* cell = TableInterface()->cellAt(0, 1)->tableCellInterface();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->rowIndex(), 0);
    EXPECT_EQ(cell->columnIndex(), 1);
    EXPECT_EQ(Names(cell->columnHeaderCells()), QStringList({"Title 4", ""}));
    EXPECT_EQ(Names(cell->rowHeaderCells()), QStringList({"R2", ""}));

    // Out-of-range questions get empty answers, never a crash.
    constexpr int Max = std::numeric_limits<int>::max();
    for (auto [row, column] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 3}, {Max, Max}, {std::numeric_limits<int>::min(), 0}})
        EXPECT_EQ(TableInterface()->cellAt(row, column), nullptr) << row << ", " << column;
    for (int index : {-1, Table()->childCount(), Max})
        EXPECT_EQ(Table()->child(index), nullptr) << index;
    EXPECT_EQ(TableInterface()->columnDescription(-1), "");
    EXPECT_EQ(TableInterface()->rowDescription(Max), "");
    EXPECT_FALSE(TableInterface()->selectRow(-1));
    EXPECT_FALSE(TableInterface()->isRowSelected(Max));
}

TEST_F(GridAccessibleTest, ChildrenAreEveryGridCellThenTheMergedHeadings)
{
    Grid.Headings()->Add()->SetCaption(QStringLiteral("Amounts"));
    Grid.GetVisibleColumn(2)->SetHeadingIndex(0);
    Grid.GetVisibleColumn(3)->SetHeadingIndex(0);
    EXPECT_EQ(Table()->childCount(), 6 * 5 + 1);
    for (int index : {0, 7, 29, 30}) {
        QAccessibleInterface* child = Table()->child(index);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->parent(), Table());
        EXPECT_EQ(Table()->indexOfChild(child), index);
        EXPECT_EQ(Table()->child(index), child) << "cells are kept while the shape stays";
    }
    EXPECT_EQ(Table()->child(0)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(Table()->child(6)->role(), QAccessible::RowHeader);
    EXPECT_EQ(Table()->child(7)->role(), QAccessible::Cell);
    EXPECT_EQ(Table()->child(30)->text(QAccessible::Name), "Amounts");
    EXPECT_EQ(Table()->child(0)->tableCellInterface(), nullptr) << "the corner heads nothing";
}

TEST_F(GridAccessibleTest, CellsAreNamedAsShownWithTheStoredTextAsValue)
{
    test::UseTestFormatSettings();
    TvgColumn* price = Grid.GetVisibleColumn(2);
    price->SetFormatType(vgfmtNumeric);
    price->SetThousands(true);
    price->SetDecimals(2);
    struct Case {
        QString Stored;
        QString Shown;
    };
    for (const Case& c : {Case{"1234.5", "1,234.50"}, Case{"-2", "-2.00"}, Case{"not a number", "not a number"},
                          Case{"", ""}}) {
        Grid.SetCells(2, 1, c.Stored);
        QAccessibleInterface* cell = TableInterface()->cellAt(0, 1);
        EXPECT_EQ(cell->text(QAccessible::Name), c.Shown) << qPrintable(c.Stored);
        EXPECT_EQ(cell->text(QAccessible::Value), c.Stored);
    }
    Grid.OnDisplayText = [](TObject*, int, int, TvgColumn*, QString& S, bool&) { S = "shown " + S; };
    Grid.SetCells(3, 1, QStringLiteral("x"));
    EXPECT_EQ(Name(0, 2), "shown x");
    Grid.OnDisplayText = [](TObject*, int, int, TvgColumn*, QString&, bool&) { throw EConvertError("bad"); };
    EXPECT_EQ(Name(0, 2), "x") << "a failing handler leaves the stored text";
    // Titles are named by the caption, or by the cell's text where the caption is empty.
    Grid.GetVisibleColumn(4)->SetCaption(QString());
    Grid.SetCells(4, 0, QStringLiteral("cell title"));
    EXPECT_EQ(Names(TableInterface()->cellAt(0, 3)->tableCellInterface()->columnHeaderCells()),
              QStringList({"cell title"}));
}

TEST_F(GridAccessibleTest, MergedHeadingsHeadTheColumnsTheySpan)
{
    Grid.Headings()->Add()->SetCaption(QStringLiteral("Amounts"));
    Grid.Headings()->Add()->SetCaption(QStringLiteral("Other"));
    Grid.GetVisibleColumn(2)->SetCaption(QStringLiteral("Unit price"));
    for (int col : {2, 3, 4})
        Grid.GetVisibleColumn(col)->SetHeadingIndex(0);
    Grid.GetVisibleColumn(5)->SetHeadingIndex(1);

    QAccessibleTableCellInterface* cell = TableInterface()->cellAt(2, 1)->tableCellInterface();
    const QList<QAccessibleInterface*> headers = cell->columnHeaderCells();
    EXPECT_EQ(Names(headers), QStringList({"Amounts", "Unit price"}));
    ASSERT_EQ(headers.size(), 2);
    QAccessibleTableCellInterface* band = headers[0]->tableCellInterface();
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(headers[0]->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(band->columnIndex(), 1);
    EXPECT_EQ(band->columnExtent(), 3);
    EXPECT_EQ(TableInterface()->columnDescription(3), "Amounts, Title 4");
    EXPECT_EQ(TableInterface()->columnDescription(4), "Other, Title 5");

    // Hiding a column of the group narrows it; splitting the run makes two headings.
    Grid.GetVisibleColumn(3)->SetVisible(false);
    EXPECT_EQ(TableInterface()->cellAt(0, 1)->tableCellInterface()->columnHeaderCells()[0]->tableCellInterface()->columnExtent(), 2);
    Grid.GetVisibleColumn(3)->SetHeadingIndex(1);
    EXPECT_EQ(TableInterface()->columnDescription(1), "Amounts, Unit price");
    EXPECT_EQ(TableInterface()->columnDescription(2), "Other, Title 4");
    EXPECT_EQ(TableInterface()->columnDescription(3), "Other, Title 5");
    EXPECT_EQ(Table()->childCount(), 5 * 5 + 2);

    // A heading's place on screen is the upper half of its columns' title cells.
    Grid.show();
    const QRect bandRect = headers.isEmpty() ? QRect() : TableInterface()->cellAt(0, 1)->tableCellInterface()->columnHeaderCells()[0]->rect();
    ASSERT_FALSE(bandRect.isEmpty());
    QAccessibleInterface* hit = Table()->childAt(bandRect.center().x(), bandRect.top() + 2);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->text(QAccessible::Name), "Amounts");
    Grid.hide();
}

TEST_F(GridAccessibleTest, CellsSayWhatTheColumnModelKnows)
{
    Grid.SetOptions(Grid.Options() + TGridOptions{goEditing});
    Grid.GetVisibleColumn(1)->SetReadOnly(true);
    Grid.GetVisibleColumn(2)->SetControlType(TvgControlTypes{vgctlComboBox});
    Grid.GetVisibleColumn(3)->SetControlType(TvgControlTypes{vgctlButton});
    Grid.OnGetReadOnly = [](TObject*, int col, int row, bool& readOnly) {
        if (col == 4 && row == 3)
            readOnly = true;
    };
    struct Case {
        int Column;
        int Row;
        QAccessible::Role Role;
        bool ReadOnly;
        QStringList Actions;
    };
    const QString focus = QAccessibleActionInterface::setFocusAction();
    for (const Case& c : {Case{0, 0, QAccessible::Cell, true, {focus}},
                          Case{1, 0, QAccessible::ComboBox, false, {focus, QAccessibleActionInterface::showMenuAction()}},
                          Case{2, 0, QAccessible::Cell, false, {focus, QAccessibleActionInterface::pressAction()}},
                          Case{3, 2, QAccessible::Cell, true, {focus}}, Case{3, 1, QAccessible::Cell, false, {focus}}}) {
        QAccessibleInterface* cell = TableInterface()->cellAt(c.Row, c.Column);
        EXPECT_EQ(cell->role(), c.Role) << c.Column;
        EXPECT_EQ(bool(cell->state().readOnly), c.ReadOnly) << c.Column << ", " << c.Row;
        EXPECT_EQ(bool(cell->state().hasPopup), c.Role == QAccessible::ComboBox);
        EXPECT_EQ(cell->actionInterface()->actionNames(), c.Actions) << c.Column;
    }
    int clicks = 0;
    Grid.OnButtonClick = [&](TObject*, int col, int row) {
        EXPECT_TRUE(col == 3 && row == 2);
        ++clicks;
    };
    TableInterface()->cellAt(1, 2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Grid.Col(), 3);
    EXPECT_EQ(Grid.Row(), 2);
    TableInterface()->cellAt(0, 2)->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    EXPECT_EQ(clicks, 1) << "an action the cell does not have does nothing";
}

TEST_F(GridAccessibleTest, SelectionIsOneRangeOfCells)
{
    Grid.SetSelection(GridRect(2, 1, 3, 2));
    EXPECT_EQ(TableInterface()->selectedCellCount(), 4);
    EXPECT_EQ(Names(TableInterface()->selectedCells()).size(), 4);
    EXPECT_TRUE(TableInterface()->cellAt(0, 1)->tableCellInterface()->isSelected());
    EXPECT_FALSE(TableInterface()->cellAt(2, 1)->tableCellInterface()->isSelected());
    EXPECT_TRUE(TableInterface()->selectedRows().isEmpty());

    EXPECT_TRUE(TableInterface()->selectRow(2));
    EXPECT_EQ(TableInterface()->selectedRows(), QList<int>({2}));
    EXPECT_TRUE(TableInterface()->isRowSelected(2));
    EXPECT_TRUE(TableInterface()->selectColumn(1));
    EXPECT_EQ(TableInterface()->selectedColumns(), QList<int>({1}));
    EXPECT_FALSE(TableInterface()->unselectColumn(1)) << "the current cell stays selected";

    Grid.SetSelection(GridRect(1, 1, 5, 3));
    EXPECT_FALSE(TableInterface()->unselectRow(1)) << "a row in the middle would split the range";
    EXPECT_TRUE(TableInterface()->unselectRow(0));
    EXPECT_EQ(TableInterface()->selectedRows(), QList<int>({1, 2}));
    EXPECT_TRUE(TableInterface()->unselectRow(3)) << "a row outside the range is unselected already";

    Grid.SetOptions(Grid.Options() - TGridOptions{goRangeSelect});
    EXPECT_FALSE(TableInterface()->selectRow(0)) << "one cell at a time";
}

TEST_F(GridAccessibleTest, ReportsFocusSelectionEditsAndShapeChanges)
{
    Grid.show();
    QApplication::setActiveWindow(&Grid);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Grid));
    Grid.setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(RecordedOf(QAccessible::Focus).empty());
    EXPECT_EQ(RecordedOf(QAccessible::Focus).back().Cell, (TGridCellKey{1, 1, false})) << "the current cell follows the grid";

    test::TAccessibilityRecorder::Clear();
    QTest::keyClick(&Grid, Qt::Key_Down);
    ASSERT_EQ(RecordedOf(QAccessible::Focus).size(), 1u);
    EXPECT_EQ(RecordedOf(QAccessible::Focus)[0].Cell, (TGridCellKey{1, 2, false}));
    EXPECT_EQ(RecordedOf(QAccessible::SelectionWithin).size(), 1u);

    test::TAccessibilityRecorder::Clear();
    QTest::keyClick(&Grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(RecordedOf(QAccessible::SelectionWithin).size(), 1u);
    EXPECT_EQ(RecordedOf(QAccessible::Focus).size(), 1u);

    test::TAccessibilityRecorder::Clear();
    Grid.SetCells(3, 4, QStringLiteral("new"));
    ASSERT_EQ(RecordedOf(QAccessible::ValueChanged).size(), 1u);
    EXPECT_EQ(RecordedOf(QAccessible::ValueChanged)[0].Cell, (TGridCellKey{3, 4, false}));
    EXPECT_EQ(RecordedOf(QAccessible::ValueChanged)[0].Value, "new");
    EXPECT_EQ(RecordedOf(QAccessible::NameChanged).size(), 1u);

    // The editor's commit is reported as the cell's change, and the editor is named after its cell.
    Grid.SetOptions(Grid.Options() + TGridOptions{goEditing});
    test::TAccessibilityRecorder::Clear();
    QTest::keyClick(&Grid, Qt::Key_F2);
    ASSERT_NE(Grid.InplaceEditor(), nullptr);
    EXPECT_EQ(Grid.InplaceEditor()->accessibleName(), "Title 2, R2");
    QTest::keyClicks(Grid.InplaceEditor(), "typed");
    QTest::keyClick(Grid.InplaceEditor(), Qt::Key_Return);
    ASSERT_FALSE(RecordedOf(QAccessible::ValueChanged).empty());
    EXPECT_EQ(RecordedOf(QAccessible::ValueChanged).back().Cell, (TGridCellKey{2, 2, false}));

    struct ShapeCase {
        const char* What;
        std::function<void()> Change;
        QAccessibleTableModelChangeEvent::ModelChangeType Type;
        int First;
        int Last;
    };
    using E = QAccessibleTableModelChangeEvent;
    const std::vector<ShapeCase> cases = {
        {"insert row", [&] { Grid.InsertRow(2); }, E::RowsInserted, 1, 1},
        {"delete row", [&] { Grid.DeleteRow(3); }, E::RowsRemoved, 2, 2},
        {"add rows", [&] { Grid.SetRowCount(8); }, E::RowsInserted, 4, 6},
        {"hide column", [&] { Grid.GetVisibleColumn(3)->SetVisible(false); }, E::ColumnsRemoved, 2, 2},
        {"show column", [&] { Grid.Columns()->operator[](3)->SetVisible(true); }, E::ColumnsInserted, 2, 2},
        {"move column", [&] { Grid.MoveColumn(1, 4); }, E::ModelReset, -1, -1},
        {"fixed rows", [&] { Grid.SetFixedRows(2); }, E::ModelReset, -1, -1},
    };
    for (const ShapeCase& c : cases) {
        test::TAccessibilityRecorder::Clear();
        c.Change();
        const std::vector<test::TRecordedEvent> changes = RecordedOf(QAccessible::TableModelChanged);
        ASSERT_EQ(changes.size(), 1u) << c.What;
        EXPECT_EQ(changes[0].Change, c.Type) << c.What;
        EXPECT_EQ(changes[0].First, c.First) << c.What;
        EXPECT_EQ(changes[0].Last, c.Last) << c.What;
        EXPECT_TRUE(RecordedOf(QAccessible::ValueChanged).empty()) << c.What << ": the change covers its cells";
    }

    // Without a listener the grid does no accessibility work at all: the editor keeps the
    // name it had.
    ASSERT_TRUE(test::SetAccessibilityActive(false));
    test::TAccessibilityRecorder::Clear();
    Grid.InplaceEditor()->setAccessibleName(QStringLiteral("unchanged"));
    QTest::keyClick(&Grid, Qt::Key_Down);
    QTest::keyClick(&Grid, Qt::Key_F2);
    EXPECT_EQ(Grid.InplaceEditor()->accessibleName(), "unchanged");
    QTest::keyClick(Grid.InplaceEditor(), Qt::Key_Escape);
    Grid.SetCells(2, 2, QStringLiteral("quiet"));
    Grid.InsertRow(2);
    EXPECT_TRUE(test::TAccessibilityRecorder::Events().empty());
    Grid.hide();
}

// Random operations on the grid and on a plain model of it: after each, every cell the
// table gives, and every cell interface kept from before, tells the model's text.
TEST_F(GridAccessibleTest, FollowsRandomChangesOfShapeAndText)
{
    std::mt19937 random(22);
    // model[column object][row]; visible[column object]
    std::vector<std::vector<QString>> model(6, std::vector<QString>(5));
    std::vector<bool> visible(6, true);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    auto gridColumns = [&] {
        std::vector<int> objects;
        for (int i = 0; i < int(visible.size()); ++i) {
            if (visible[size_t(i)])
                objects.push_back(i);
        }
        return objects;
    };
    std::vector<QAccessible::Id> kept; // ids, since cells may be deleted meanwhile
    for (int step = 0; step < 300; ++step) {
        const std::vector<int> columns = gridColumns();
        const int rows = Grid.RowCount();
        switch (pick(5)) {
        case 0: { // write a data cell
            const int col = 1 + pick(int(columns.size()) - 1);
            const int row = 1 + pick(rows - 1);
            const QString text = QStringLiteral("s%1").arg(step);
            Grid.SetCells(col, row, text);
            model[size_t(columns[size_t(col)])][size_t(row)] = text;
            break;
        }
        case 1: { // insert a row
            const int row = 1 + pick(rows - 1);
            Grid.InsertRow(row);
            for (auto& column : model)
                column.insert(column.begin() + row, QString());
            break;
        }
        case 2: // delete a row
            if (rows > 2) {
                const int row = 1 + pick(rows - 1);
                Grid.DeleteRow(row);
                for (auto& column : model)
                    column.erase(column.begin() + row);
            }
            break;
        case 3: { // hide or show a column object (never the fixed one)
            const int object = 1 + pick(5);
            if (visible[size_t(object)] && columns.size() <= 2)
                break;
            visible[size_t(object)] = !visible[size_t(object)];
            (*Grid.Columns())[object]->SetVisible(visible[size_t(object)]);
            break;
        }
        default: // keep a cell interface to look at after later changes
            if (QAccessibleInterface* cell = TableInterface()->cellAt(pick(rows - 1), pick(int(columns.size()) - 1)))
                kept.push_back(QAccessible::uniqueId(cell));
            break;
        }
        const std::vector<int> now = gridColumns();
        ASSERT_EQ(TableInterface()->columnCount(), int(now.size()) - 1) << step;
        ASSERT_EQ(TableInterface()->rowCount(), int(model[0].size()) - 1) << step;
        for (int row = 0; row < TableInterface()->rowCount(); ++row) {
            for (int column = 0; column < TableInterface()->columnCount(); ++column)
                ASSERT_EQ(Name(row, column), model[size_t(now[size_t(column + 1)])][size_t(row + 1)]) << step;
        }
        // A kept cell is either no longer valid or still names the cell at its place.
        std::erase_if(kept, [](QAccessible::Id id) { return !QAccessible::accessibleInterface(id); });
        for (QAccessible::Id id : kept) {
            QAccessibleInterface* alive = QAccessible::accessibleInterface(id);
            if (!alive->isValid())
                continue;
            QAccessibleTableCellInterface* tableCell = alive->tableCellInterface();
            ASSERT_EQ(alive->text(QAccessible::Name), Name(tableCell->rowIndex(), tableCell->columnIndex())) << step;
        }
    }
}

} // namespace
