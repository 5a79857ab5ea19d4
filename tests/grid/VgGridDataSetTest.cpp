#include "grid/VgGrid.h"

#include "platform/data/ItemModelDataSet.h"
#include "platform/data/SqlQueryDataSet.h"

#include "support/GridRows.h"
#include "support/SqlTestDatabase.h"

#include <QSqlQueryModel>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

using test::ColumnObjectRows;

// Records from a table until the given one, where fetching fails.
class FailingDataSet : public TSqlQueryDataSet {
public:
    FailingDataSet(const QSqlDatabase& db, int failAt) : TSqlQueryDataSet(db), FFailAt(failAt) {}

protected:
    bool NextRecord() override
    {
        if (++FFetched == FFailAt)
            throw EDatabaseError(QStringLiteral("the connection broke"));
        return TSqlQueryDataSet::NextRecord();
    }

private:
    int FFailAt;
    int FFetched = 0;
};

} // namespace

TEST(VelkoGridDataSet, FieldNamesAndRecordsGoToTheColumnObjectsFromFirstColumnOn)
{
    const test::SqlTestDatabase db(3, 5);
    TSqlQueryDataSet dataSet(db.Database());
    dataSet.SetSQL(QStringLiteral("SELECT * FROM items ORDER BY id"));
    TVelkoGrid grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(2);
    grid.SetCells(1, 0, QStringLiteral("kept"));
    grid.LoadFromDataSet(dataSet, true, 1, 1);
    EXPECT_TRUE(dataSet.Active());
    EXPECT_TRUE(dataSet.Eof());
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.RowCount(), 7);
    EXPECT_EQ(ColumnObjectRows(grid), (QStringList{"|kept||", "|id|f1|f2", "|1|r1f1|r1f2", "|2|r2f1|r2f2", "|3|r3f1|r3f2",
                                       "|4|r4f1|r4f2", "|5|r5f1|r5f2"}));

    // Five column objects over three grid columns: the fields from object 5 on bring the
    // grid in step first, then add their objects.
    TVelkoGrid ahead;
    ahead.SetColCount(3);
    dataSet.First();
    ahead.LoadFromDataSet(dataSet, false, 5, 1);
    EXPECT_EQ(ahead.Columns()->Count(), 8);
    EXPECT_EQ(ahead.ColCount(), 8);
    EXPECT_EQ(ColumnObjectRows(ahead).mid(1, 2), (QStringList{"|||||1|r1f1|r1f2", "|||||2|r2f1|r2f2"}));
}

TEST(VelkoGridDataSet, StartsAtTheCurrentRecordAndFillsHiddenColumns)
{
    const test::SqlTestDatabase db(2, 4);
    TSqlQueryDataSet dataSet(db.Database());
    dataSet.SetSQL(QStringLiteral("SELECT f1, id FROM items ORDER BY id"));
    dataSet.Open();
    while (dataSet.Fields()[1]->AsString() != QStringLiteral("4"))
        dataSet.Next();
    TVelkoGrid grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(3);
    (*grid.Columns())[1]->SetVisible(false);
    grid.LoadFromDataSet(dataSet, false, 0, 3);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(ColumnObjectRows(grid).last(), QStringLiteral("r4f1|[4]|"));
    EXPECT_EQ((*grid.Columns())[1]->Cols()->Count(), 4);

    // At its end, a dataset adds no row, though it still widens the grid.
    grid.LoadFromDataSet(dataSet, false, 2, 4);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Columns()->Count(), 4);
}

TEST(VelkoGridDataSet, AFailingDatasetKeepsTheRowsCopiedSoFar)
{
    const test::SqlTestDatabase db(2, 10);
    FailingDataSet dataSet(db.Database(), 4);
    dataSet.SetSQL(QStringLiteral("SELECT id, f1 FROM items ORDER BY id"));
    TVelkoGrid grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(1);
    EXPECT_THROW(grid.LoadFromDataSet(dataSet, true, 0, 1), EDatabaseError);
    EXPECT_TRUE(dataSet.Active());
    EXPECT_EQ(ColumnObjectRows(grid), (QStringList{"|", "id|f1", "1|r1f1", "2|r2f1", "3|r3f1"}));
}

TEST(VelkoGridDataSet, OriginsOutsideTheGridAreRefusedBeforeTheDatasetOpens)
{
    const test::SqlTestDatabase db(2, 3);
    TSqlQueryDataSet dataSet(db.Database());
    dataSet.SetSQL(QStringLiteral("SELECT * FROM items"));
    TVelkoGrid grid;
    grid.SetRowCount(3);
    EXPECT_THROW(grid.LoadFromDataSet(dataSet, false, -1, 1), EvgColumnIndexOutOfRange);
    EXPECT_THROW(grid.LoadFromDataSet(dataSet, false, 0, -1), EvgRowIndexOutOfRange);
    EXPECT_THROW(grid.LoadFromDataSet(dataSet, false, 0, 4), EvgRowIndexOutOfRange);
    EXPECT_FALSE(dataSet.Active());
    grid.LoadFromDataSet(dataSet, false, 0, 3); // right after the last row
    EXPECT_EQ(grid.RowCount(), 6);
}

TEST(VelkoGridDataSet, ImportsFromAnItemModel)
{
    const test::SqlTestDatabase db(3, 700);
    QSqlQueryModel model;
    model.setQuery(QStringLiteral("SELECT f2, id FROM items ORDER BY id"), db.Database());
    TItemModelDataSet dataSet(&model);
    TVelkoGrid grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(1);
    grid.LoadFromDataSet(dataSet, true, 0, 0);
    EXPECT_EQ(grid.RowCount(), 701);
    EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("f2"));
    EXPECT_EQ(grid.Cells(0, 700), QStringLiteral("r700f2"));
    EXPECT_EQ(grid.Cells(1, 700), QStringLiteral("700"));
}
