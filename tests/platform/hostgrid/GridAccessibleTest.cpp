// The host string grid as accessibility clients see it: a table of its scrollable cells
// whose headers are the fixed cells, named by the cells' texts.
#include "platform/hostgrid/StringGrid.h"

#include "TestEnvironment.h"

#include <QAccessible>

#include <gtest/gtest.h>

using namespace vg;

namespace {

QStringList Names(const QList<QAccessibleInterface*>& cells)
{
    QStringList names;
    for (QAccessibleInterface* cell : cells)
        names << cell->text(QAccessible::Name);
    return names;
}

TEST(GridAccessible, AStringGridIsATableHeadedByItsFixedCells)
{
    TStringGrid grid;
    grid.SetColCount(5);
    grid.SetRowCount(6);
    grid.SetFixedCols(2);
    grid.SetFixedRows(2);
    for (int col = 0; col < 5; ++col) {
        for (int row = 0; row < 6; ++row)
            grid.SetCells(col, row, QStringLiteral("%1,%2").arg(col).arg(row));
    }
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    QAccessibleTableInterface* t = table->tableInterface();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rowCount(), 4);
    EXPECT_EQ(t->columnCount(), 3);
    EXPECT_EQ(table->childCount(), 30);
    QAccessibleInterface* cell = t->cellAt(1, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), "4,3");
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_TRUE(cell->state().readOnly) << "the grid does not edit";
    EXPECT_EQ(Names(cell->tableCellInterface()->columnHeaderCells()), QStringList({"4,0", "4,1"}));
    EXPECT_EQ(Names(cell->tableCellInterface()->rowHeaderCells()), QStringList({"0,3", "1,3"}));
    EXPECT_EQ(t->rowDescription(1), "0,3, 1,3");
    EXPECT_EQ(cell->tableCellInterface()->table(), table);
    EXPECT_EQ(cell->parent(), table);
    EXPECT_EQ(table->indexOfChild(cell), 3 * 5 + 4);

    // A cell of a shrunk grid says it is gone and answers nothing.
    const QAccessible::Id id = QAccessible::uniqueId(cell);
    grid.SetRowCount(3);
    if (QAccessibleInterface* kept = QAccessible::accessibleInterface(id)) {
        EXPECT_FALSE(kept->isValid());
        EXPECT_EQ(kept->text(QAccessible::Name), "");
        EXPECT_EQ(kept->tableCellInterface(), nullptr);
    }
    EXPECT_EQ(t->cellAt(1, 0), nullptr);
}

} // namespace
