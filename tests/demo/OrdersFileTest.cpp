#include "TestEnvironment.h"

#include "OrdersPage.h"

#include "grid/VgGrid.h"
#include "platform/core/Exceptions.h"

#include "support/GridRows.h"

#include <QAction>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vg;
using namespace vg::demo;
using vg::test::ColumnObjectRows;

namespace {

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
