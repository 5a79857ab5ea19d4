#include "grid/VgGrid.h"

#include "platform/app/Application.h"
#include "platform/core/FormFile.h"

#include <QSettings>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

const QString Key = QStringLiteral("Software/VelkoGrid tests/Widths");

// The values under Key as name=value, in the store's order.
QStringList Stored()
{
    QSettings settings;
    settings.beginGroup(Key);
    QStringList values;
    for (const QString& name : settings.childKeys())
        values << name + u'=' + settings.value(name).toString();
    return values;
}

void Store(const QString& name, const QVariant& value)
{
    QSettings settings;
    settings.setValue(Key + u'/' + name, value);
}

QList<int> Widths(const TVelkoGrid& grid)
{
    QList<int> widths;
    for (int col = 0; col < grid.ColCount(); ++col)
        widths << grid.ColWidths(col);
    return widths;
}

// The settings start empty for every test; the test program keeps them in a folder of its own.
struct ColumnWidths : ::testing::Test {
    void SetUp() override { QSettings().clear(); }
    void TearDown() override { QSettings().clear(); }

    // A grid of four columns with default names and the widths 64, 80, 80, 120.
    static void SetUpGrid(TVelkoGrid& grid)
    {
        grid.SetColumnCount(4);
        grid.SetColWidths(1, 80);
        grid.SetColWidths(2, 80);
        grid.SetColWidths(3, 120);
    }
};

} // namespace

TEST_F(ColumnWidths, AreSavedByColumnNameAndComeBackInALaterGrid)
{
    {
        TVelkoGrid grid;
        SetUpGrid(grid);
        grid.SetColumnsRegistryKey(Key);
    } // saved on destruction
    EXPECT_EQ(Stored(), (QStringList{"Column 1=64", "Column 2=80", "Column 3=80", "Column 4=120"}));

    // Read after loading from a form file: the column order there differs, the names match.
    TVelkoGrid grid;
    grid.SetColumnCount(4);
    grid.Columns()->Move(3, 0);
    grid.SetColumnsRegistryKey(QStringLiteral("Software\\VelkoGrid tests\\Widths"));
    std::unique_ptr<TComponent> read = ReadComponentFromText(WriteComponentToText(grid));
    EXPECT_EQ(Widths(static_cast<TVelkoGrid&>(*read)), (QList<int>{120, 64, 80, 80}));
}

TEST_F(ColumnWidths, ABlankKeyReadsAndWritesNothing)
{
    for (const QString& blank : {QString(), QStringLiteral(" \t ")}) {
        TVelkoGrid grid;
        SetUpGrid(grid);
        grid.SetColumnsRegistryKey(blank);
        grid.SaveColumnWidthsToRegistry(blank);
        grid.LoadColumnWidthsFromRegistry(blank);
    }
    EXPECT_TRUE(QSettings().allKeys().isEmpty());
}

TEST_F(ColumnWidths, RenamedAndHiddenColumnsKeepTheirOldValues)
{
    Store(QStringLiteral("Column 1"), 30);
    Store(QStringLiteral("column 3"), 40); // names match whatever the case of their letters
    Store(QStringLiteral("Old name"), 50);
    TVelkoGrid grid;
    SetUpGrid(grid);
    grid.GetVisibleColumn(1)->SetName(QStringLiteral("Price/unit \\ %"));
    grid.GetVisibleColumn(0)->SetVisible(false);
    grid.LoadColumnWidthsFromRegistry(Key);
    EXPECT_EQ(Widths(grid), (QList<int>{80, 40, 120}));

    grid.SaveColumnWidthsToRegistry(Key);
    EXPECT_EQ(Stored(), (QStringList{"Column 1=30", "Column 3=40", "Column 4=120", "Old name=50",
                                     "Price%2Funit %5C %25=80", "column 3=40"}));
    grid.SetColWidths(0, 99);
    grid.LoadColumnWidthsFromRegistry(Key); // the escaped name finds its column again
    EXPECT_EQ(grid.ColWidths(0), 80);

    // Shown again, the column writes its current width.
    grid.Columns()->GetColumn(0)->SetVisible(true);
    grid.SetColWidths(0, 33);
    grid.SaveColumnWidthsToRegistry(Key);
    EXPECT_TRUE(Stored().contains(QStringLiteral("Column 1=33")));
}

TEST_F(ColumnWidths, ValuesThatAreNoWholeNumbersArePassedOver)
{
    Store(QStringLiteral("Column 1"), QStringLiteral("wide"));
    Store(QStringLiteral("Column 2"), QStringLiteral("12.5"));
    Store(QStringLiteral("Column 3"), QStringList{QStringLiteral("1"), QStringLiteral("2")});
    Store(QStringLiteral("Column 4"), QStringLiteral("4294967296"));
    Store(QStringLiteral("Column 5"), -20); // a whole number the grid refuses as a width
    Store(QStringLiteral("Column 6"), QStringLiteral(" 77 "));
    Store(QStringLiteral("Column 7"), 90);
    TVelkoGrid grid;
    grid.SetColumnCount(7);
    grid.LoadColumnWidthsFromRegistry(Key);
    EXPECT_EQ(Widths(grid), (QList<int>{64, 64, 64, 64, 64, 77, 90}));
}

TEST_F(ColumnWidths, AreNeitherReadNorWrittenInDesignMode)
{
    struct DesignedGrid : TVelkoGrid {
        using TVelkoGrid::Loaded;
    };
    Store(QStringLiteral("Column 1"), 30);
    {
        DesignedGrid grid;
        grid.SetDesigning(true);
        grid.SetColumnsRegistryKey(Key);
        grid.SetColWidths(1, 77);
        grid.Loaded();
        EXPECT_EQ(grid.ColWidths(0), 64);
    }
    EXPECT_EQ(Stored(), QStringList{QStringLiteral("Column 1=30")});
}

// A form built by uic or QUiLoader sets its properties one by one and is never Loaded: the
// key, set after the columns, reads the widths then; in Designer it reads nothing.
TEST_F(ColumnWidths, AreReadWhenAFormBuiltByUicSetsTheKey)
{
    Store(QStringLiteral("Column 2"), 99);
    for (const bool designing : {false, true}) {
        TVelkoGrid grid;
        grid.SetDesigning(designing);
        SetUpGrid(grid);
        ASSERT_TRUE(grid.setProperty("ColumnsRegistryKey", Key));
        EXPECT_EQ(grid.ColumnsRegistryKey(), Key);
        EXPECT_EQ(Widths(grid), (QList<int>{64, designing ? 80 : 99, 80, 120})) << designing;
    }
}

// Reading a form into a grid tries the form on a scratch copy first. Whatever the copy does
// stays inside it: the settings change only through the grid itself (which reads them when
// loaded at run time and writes them when it goes), and the application gains no hint window.
TEST_F(ColumnWidths, AreLeftAloneByTheCopyThatTriesAFormBeforeItIsRead)
{
    Store(QStringLiteral("Column 2"), 99);
    for (const bool designing : {true, false}) {
        auto grid = std::make_unique<TVelkoGrid>();
        grid->SetDesigning(designing);
        SetUpGrid(*grid);
        grid->SetColumnsRegistryKey(Key);
        const QString form = WriteComponentToText(*grid);
        const int adopted = Application().AdoptedCount();
        for (int read = 0; read < 2; ++read)
            ReadComponentInto(form, *grid);
        EXPECT_EQ(Stored(), QStringList{QStringLiteral("Column 2=99")}) << designing;
        EXPECT_EQ(Widths(*grid), (QList<int>{64, designing ? 80 : 99, 80, 120})) << designing;
        EXPECT_EQ(Application().AdoptedCount(), adopted) << designing;
        grid.reset();
        EXPECT_EQ(Stored().size(), designing ? 1 : 4) << designing;
        QSettings().clear();
        Store(QStringLiteral("Column 2"), 99);
    }
}
