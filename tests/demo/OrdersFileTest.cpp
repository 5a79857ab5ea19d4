#include "TestEnvironment.h"

#include "DemoDatabase.h"
#include "OrderCsv.h"
#include "OrderEditing.h"
#include "OrdersPage.h"

#include "grid/VgGrid.h"
#include "platform/core/Exceptions.h"
#include "platform/locale/Conversions.h"

#include "support/GridRows.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vg;
using namespace vg::demo;
using vg::test::ColumnObjectRows;

namespace {

int GridColumnOf(const TVelkoGrid& grid, const QString& caption)
{
    for (int col = 0; col < grid.ColCount(); ++col) {
        if (grid.GetVisibleColumn(col)->Caption().startsWith(caption))
            return col;
    }
    return -1;
}

// The settings start empty for every test and are emptied after it.
struct OrdersFile : ::testing::Test {
    void SetUp() override { QSettings().clear(); }
    void TearDown() override { QSettings().clear(); }
    QTemporaryDir Folder;
};

} // namespace

TEST_F(OrdersFile, SavedLinesOpenAgainWithTheHiddenInternalId)
{
    OrdersPage page;
    const QStringList loaded = ColumnObjectRows(*page.Grid());
    const QString name = Folder.filePath(QStringLiteral("orders.csv"));
    page.SaveCsv(name);
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readLine().startsWith("\"Line\",\"Internal id\",\"Status\",\"Name\","));
    EXPECT_TRUE(file.readLine().startsWith("\"1\",\"9E3779B1\",\"Shipped\","));

    page.Grid()->SetCells(2, 5, QStringLiteral("changed"));
    page.Grid()->SetRowCount(10);
    page.OpenCsv(name);
    EXPECT_EQ(ColumnObjectRows(*page.Grid()), loaded);
    EXPECT_EQ(page.OrderCount(), 3000);

    // A file that cannot be read changes nothing.
    EXPECT_THROW(page.OpenCsv(Folder.filePath(QStringLiteral("missing.csv"))), EReadError);
    EXPECT_EQ(ColumnObjectRows(*page.Grid()), loaded);
}

TEST_F(OrdersFile, ReloadingFromTheDatabaseGivesTheLinesTheStartHad)
{
    OrdersPage page;
    const QStringList loaded = ColumnObjectRows(*page.Grid());
    page.Grid()->SetRowCount(5000);
    page.Grid()->SetCells(3, 1, QStringLiteral("changed"));
    page.ShowInternalIdAction()->setChecked(true);
    page.Grid()->SetCells(1, 2, QStringLiteral("changed too"));
    page.ShowInternalIdAction()->setChecked(false);
    page.ReloadAction()->trigger();
    EXPECT_EQ(ColumnObjectRows(*page.Grid()), loaded);
    EXPECT_EQ(page.OrderCount(), 3000);
}

TEST_F(OrdersFile, ColumnWidthsAreKeptBetweenRuns)
{
    int width = 0;
    {
        OrdersPage page;
        width = page.Grid()->ColWidths(3) + 37;
        page.Grid()->SetColWidths(3, width);
    }
    QSettings settings;
    settings.beginGroup(OrdersPage::ColumnWidthsKey);
    EXPECT_EQ(settings.childKeys().size(), 11); // the hidden internal id keeps no width
    const OrdersPage page;
    EXPECT_EQ(page.Grid()->ColWidths(3), width);
}

TEST(OrdersCsv, TheTitleLineIsRecognisedInAnyFormAndNothingElseIs)
{
    const QStringList titles = {QStringLiteral("Line"), QStringLiteral("Internal id"), QStringLiteral("Qty")};
    const QByteArray data = "\"1\",\"9E3779B1\",\"3\"\r\n";
    // A first line that is the titles, and what follows it.
    struct Case {
        const char* Name;
        QByteArray First;
        QByteArray Rest;
        bool Titles;
    };
    const Case cases[] = {
        {"as written", CsvTitleLine(titles), data, true},
        {"line feed only", "\"Line\",\"Internal id\",\"Qty\"\n", data, true},
        {"carriage return only", "Line,Internal id,Qty\r", data, true},
        {"unquoted, blanks, other case, byte-order mark", "\xEF\xBB\xBF line , INTERNAL ID,qty\r\n", data, true},
        {"the titles alone", "Line,Internal id,Qty", "", true},
        {"no titles: an order line first", data, data, false},
        {"one title short", "Line,Internal id\r\n", data, false},
        {"one value more", "Line,Internal id,Qty,\"\"\r\n", data, false},
        {"a title spanning lines", "Line,\"Internal\nid\",Qty\r\n", data, false},
        {"empty", "", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CsvTitleLineLength(c.First + c.Rest, titles), c.Titles ? c.First.size() : 0) << c.Name;
    EXPECT_EQ(ReadCsvText(CsvTitleLine(titles)), QList<QStringList>{titles});
}

TEST_F(OrdersFile, ASavedFileStartsWithTheTitlesAndFilesWithoutThemStillOpen)
{
    OrdersPage page;
    const QStringList loaded = ColumnObjectRows(*page.Grid());
    // Sorted: the title carries a mark on screen, but not in the file.
    page.Grid()->SortByColumn(GridColumnOf(*page.Grid(), QStringLiteral("Qty")));
    const QStringList sorted = ColumnObjectRows(*page.Grid());
    const QString titled = Folder.filePath(QStringLiteral("titled.csv"));
    page.SaveCsv(titled);
    QFile file(titled);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QStringList> lines = ReadCsvText(file.readAll());
    ASSERT_EQ(lines.size(), 3001);
    EXPECT_EQ(lines[0], page.CsvTitles());
    EXPECT_EQ(lines[0][8], QStringLiteral("Qty"));
    EXPECT_EQ(lines[0].size(), page.Grid()->Columns()->Count());

    page.OpenCsv(titled);
    EXPECT_EQ(page.OrderCount(), 3000);
    EXPECT_EQ(ColumnObjectRows(*page.Grid()), sorted);

    // As earlier versions wrote it: the lines alone, the first of them an order line.
    OrdersPage unsorted;
    const QString bare = Folder.filePath(QStringLiteral("bare.csv"));
    unsorted.Grid()->SaveToFile(0, 1, bare);
    unsorted.OpenCsv(bare);
    EXPECT_EQ(unsorted.OrderCount(), 3000);
    EXPECT_EQ(ColumnObjectRows(*unsorted.Grid()), loaded);
}

TEST_F(OrdersFile, AfterAReloadOrAnOpenTheSortMarkAndTheSummaryTellTheTruth)
{
    OrdersPage page;
    TVelkoGrid& grid = *page.Grid();
    const QString csv = Folder.filePath(QStringLiteral("orders.csv"));
    page.SaveCsv(csv);
    const int total = GridColumnOf(grid, QStringLiteral("Line total"));
    grid.SortByColumn(total, Qt::DescendingOrder);
    const auto expectSortedDown = [&](const char* after) {
        EXPECT_EQ(grid.SortIndicatorColumn(), grid.GetVisibleColumn(total)) << after;
        EXPECT_EQ(grid.SortIndicatorOrder(), Qt::DescendingOrder) << after;
        EXPECT_EQ(grid.GetVisibleColumn(total)->Caption(), QStringLiteral("Line total")) << after;
        for (int row = 2; row < grid.RowCount(); ++row)
            ASSERT_GE(StrToFloat(grid.Cells(total, row - 1)), StrToFloat(grid.Cells(total, row))) << after << ", row " << row;
    };
    const auto expectSummary = [&](int count, const QString& from) {
        EXPECT_TRUE(page.Summary().startsWith(QStringLiteral("%1 order lines from %2").arg(count).arg(from)))
            << page.Summary().toStdString();
    };

    page.OpenCsv(csv);
    expectSortedDown("opening a file");
    expectSummary(3000, QDir::toNativeSeparators(csv));
    page.Reload();
    expectSortedDown("a reload");
    expectSummary(3000, QStringLiteral("the demo's SQLite database"));
    page.DeleteRowAction()->trigger();
    expectSummary(2999, QStringLiteral("the demo's SQLite database"));
    page.InsertRowAction()->trigger();
    page.InsertRowAction()->trigger();
    expectSummary(3001, QStringLiteral("the demo's SQLite database"));
    page.Reload();
    expectSummary(3001, QStringLiteral("the demo's SQLite database"));
}

TEST_F(OrdersFile, EditsSurviveANewPageOnTheSameFileUntilTheSampleDataIsReset)
{
    const QString database = Folder.filePath(QStringLiteral("data/orders.sqlite"));
    const auto quantityOfLine5 = [](const OrdersPage& page) {
        return page.Grid()->Cells(GridColumnOf(*page.Grid(), QStringLiteral("Qty")), 5);
    };
    const auto setQuantityOfLine5 = [](OrdersPage& page, const QString& quantity) {
        const int col = GridColumnOf(*page.Grid(), QStringLiteral("Qty"));
        page.Grid()->SetCells(col, 5, quantity);
        page.Editing()->Store(col, 5);
    };
    QString atStart;
    {
        OrdersPage page(database);
        atStart = quantityOfLine5(page);
        setQuantityOfLine5(page, QStringLiteral("17"));
        page.Grid()->SetRow(page.Grid()->RowCount() - 1);
        page.DeleteRowAction()->trigger();
    }
    {
        OrdersPage page(database);
        EXPECT_EQ(quantityOfLine5(page), QStringLiteral("17"));
        EXPECT_EQ(page.OrderCount(), 2999);
        page.ResetSampleData();
        EXPECT_EQ(quantityOfLine5(page), atStart);
        EXPECT_EQ(page.OrderCount(), 3000);
        // Edits go on to the new database.
        setQuantityOfLine5(page, QStringLiteral("4"));
    }
    const OrdersPage page(database);
    EXPECT_EQ(quantityOfLine5(page), QStringLiteral("4"));
}

TEST_F(OrdersFile, ADatabaseThatCannotBeReadSaysSoAndCanBeReset)
{
    const QString database = Folder.filePath(QStringLiteral("orders.sqlite"));
    {
        QFile file(database);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("this is no database");
    }
    OrdersPage page(database);
    EXPECT_EQ(page.OrderCount(), 0);
    EXPECT_TRUE(page.Summary().contains(QStringLiteral("could not be loaded"))) << page.Summary().toStdString();
    EXPECT_FALSE(page.ReloadAction()->isEnabled());
    page.ResetSampleData();
    EXPECT_EQ(page.OrderCount(), 3000);
    EXPECT_TRUE(page.ReloadAction()->isEnabled());
}
