// The README's C++ example, compiled from the README itself (the build writes its one C++
// block out as a source file), run against an SQLite database: what it shows has to be
// what the grid does.
#include "TestEnvironment.h"

#include <VelkoGrid/VelkoGrid.h>

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

// Defined by the README's example.
vg::TVelkoGrid* CreatePriceList(QWidget* parentWidget, const QSqlDatabase& database, const QString& csvFile);

using namespace vg;

TEST(ReadmeExample, FillsTheDataColumnsAndLeavesTheTitleColumnToTheRowNumbers)
{
    const QString connection = QStringLiteral("readme-example");
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(database.open());
        QSqlQuery query(database);
        ASSERT_TRUE(query.exec(QStringLiteral("CREATE TABLE prices (item TEXT, price REAL, note TEXT)")));
        ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO prices VALUES ('Oak shelf', 1234.5, 'solid'), "
                                              "('Desk lamp', 34.5, NULL), ('Glass vase', 7, 'fragile')")));

        const QTemporaryDir folder;
        const QString csv = folder.filePath(QStringLiteral("prices.csv"));
        QWidget parent;
        TVelkoGrid* grid = CreatePriceList(&parent, database, csv);

        EXPECT_EQ(grid->FixedCols(), 1);
        ASSERT_EQ(grid->RowCount(), 4);
        const QStringList items = {QStringLiteral("Oak shelf"), QStringLiteral("Desk lamp"), QStringLiteral("Glass vase")};
        const QStringList prices = {QStringLiteral("$1,234.50"), QStringLiteral("$34.50"), QStringLiteral("$7.00")};
        const QStringList notes = {QStringLiteral("solid"), QString(), QStringLiteral("fragile")};
        const TvgColumn* note = grid->Columns()->GetColumn(3);
        EXPECT_FALSE(note->Visible());
        for (int row = 1; row <= 3; ++row) {
            EXPECT_EQ(grid->Cells(0, row), QString::number(row)) << "the title column holds the row numbers";
            EXPECT_EQ(grid->Cells(1, row), items[row - 1]);
            EXPECT_EQ(grid->GetDisplayText(2, row), prices[row - 1]);
            EXPECT_EQ(note->Cols()->Get(row), notes[row - 1]);
        }
        EXPECT_EQ(grid->GetVisibleColumn(2)->HeadingIndex(), 0);
        EXPECT_EQ(grid->ColumnsRegistryKey(), QStringLiteral("Price list/Columns"));

        // The file holds the data columns, the hidden note included, and no row numbers.
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readLine(), QByteArray("\"Oak shelf\",\"1234.5\",\"solid\"\r\n"));
    }
    QSqlDatabase::removeDatabase(connection);
}
