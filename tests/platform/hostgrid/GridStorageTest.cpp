// The parts a string grid keeps its data and layout in: the cell store, the extents of
// columns and rows, the layout of one axis on screen, and a column or row seen as a
// string list.
#include "platform/core/Exceptions.h"
#include "platform/hostgrid/GridAxis.h"
#include "platform/hostgrid/GridExtents.h"
#include "platform/hostgrid/GridStorage.h"
#include "platform/hostgrid/GridStrings.h"
#include "platform/hostgrid/StringGrid.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

namespace vg {
namespace {

QString Column(const TGridStorage& store, int col)
{
    QStringList cells;
    for (int r = 0; r < store.RowCount(); ++r)
        cells << store.Get(col, r);
    return cells.join(u',');
}

TEST(GridStorage, KeepsTextsThroughResizesAndDropsThoseOutside)
{
    TGridStorage store;
    store.Resize(3, 4);
    store.Set(0, 0, QStringLiteral("a"));
    store.Set(2, 3, QStringLiteral("z"));
    store.Resize(3, 3);
    store.Resize(3, 4);
    EXPECT_EQ(store.Get(0, 0), QStringLiteral("a"));
    EXPECT_EQ(store.Get(2, 3), QString()); // dropped, not brought back
    store.Set(2, 2, QStringLiteral("y"));
    store.Resize(2, 4);
    store.Resize(3, 4);
    EXPECT_EQ(Column(store, 2), QStringLiteral(",,,"));
}

TEST(GridStorage, MovesRowsAndColumnsWithTheTextsBetweenShifting)
{
    TGridStorage store;
    store.Resize(2, 5);
    for (int r = 0; r < 5; ++r)
        store.Set(1, r, QString::number(r));
    store.MoveRow(1, 3);
    EXPECT_EQ(Column(store, 1), QStringLiteral("0,2,3,1,4"));
    store.MoveRow(4, 0);
    EXPECT_EQ(Column(store, 1), QStringLiteral("4,0,2,3,1"));
    store.MoveColumn(1, 0);
    EXPECT_EQ(Column(store, 0), QStringLiteral("4,0,2,3,1"));
    EXPECT_EQ(Column(store, 1), QStringLiteral(",,,,"));
}

TEST(GridStorage, AMillionRowsCostOnlyTheBlocksThatHoldText)
{
    TGridStorage store;
    store.Resize(20, 1000000);
    EXPECT_EQ(store.BlockCount(), 0);
    for (int c = 0; c < 20; ++c)
        store.Set(c, 999999, QStringLiteral("last"));
    EXPECT_EQ(store.BlockCount(), 1); // one block of rows holds the whole row
    // Across blocks: the last row moves to the top, and the block it left goes.
    store.MoveRow(999999, 0);
    EXPECT_EQ(store.Get(5, 0), QStringLiteral("last"));
    EXPECT_EQ(store.Get(5, 999999), QString());
    EXPECT_EQ(store.BlockCount(), 1);
    for (int c = 0; c < 20; ++c)
        store.Set(c, 0, QString());
    EXPECT_EQ(store.BlockCount(), 0); // emptied blocks are given back
}

TEST(GridStorage, HugeCountsCostNothingUntilCellsHoldText)
{
    // What a hostile form file could ask for: it must neither hang nor exhaust memory.
    TGridStorage store;
    store.Resize(100'000'000, 2'000'000'000);
    EXPECT_EQ(store.BlockCount(), 0);
    store.Set(20, 1'999'999'999, QStringLiteral("corner"));
    EXPECT_EQ(store.Get(20, 1'999'999'999), QStringLiteral("corner"));
    EXPECT_EQ(store.Get(99'999'999, 1'999'999'999), QString());
    EXPECT_EQ(store.BlockCount(), 1);
    store.MoveColumn(20, 10);
    store.MoveRow(1'999'999'999, 1'999'999'000);
    EXPECT_EQ(store.Get(10, 1'999'999'000), QStringLiteral("corner"));
    store.MoveColumn(50'000'000, 50'000'007); // among columns that never held text
    // Lowering the counts drops the text for good.
    store.Resize(10, 10);
    store.Resize(100'000'000, 2'000'000'000);
    EXPECT_EQ(store.Get(10, 1'999'999'000), QString());
    EXPECT_EQ(store.BlockCount(), 0);
    // Cells far out in many rows cost what their texts cost, not the columns before them.
    for (int r = 0; r < 1000; ++r)
        store.Set(99'999'999, r, QStringLiteral("far"));
    store.MoveColumn(99'999'999, 1);
    EXPECT_EQ(store.Get(1, 999), QStringLiteral("far"));
    EXPECT_EQ(store.Get(2, 999), QString());
    EXPECT_EQ(store.Get(99'999'999, 999), QString());
}

TEST(GridStorage, MovesAgreeWithAPlainListAcrossBlocks)
{
    // Every third row filled, over three blocks and a half; moves of every length both ways.
    const int rows = 3 * 1024 + 512;
    TGridStorage store;
    store.Resize(2, rows);
    QStringList model;
    for (int r = 0; r < rows; ++r) {
        model << (r % 3 == 0 ? QString::number(r) : QString());
        store.Set(0, r, model.last());
    }
    std::mt19937 random(7);
    for (int i = 0; i < 200; ++i) {
        const int from = int(random() % unsigned(rows));
        const int to = int(random() % unsigned(rows));
        store.MoveRow(from, to);
        model.move(from, to);
    }
    ASSERT_EQ(Column(store, 0), model.join(u','));
    // Emptying every row gives back every block.
    for (int r = 0; r < rows; ++r)
        store.Set(0, r, QString());
    EXPECT_EQ(store.BlockCount(), 0);
}

TEST(GridExtents, KeepsNoListUntilAnEntryDiffersAndChecksItsArguments)
{
    TGridExtents extents(64);
    extents.Resize(1000000);
    EXPECT_FALSE(extents.HasCustom());
    EXPECT_EQ(extents.Get(999999), 64);
    extents.Set(5, 64);
    EXPECT_FALSE(extents.HasCustom());
    extents.Set(5, 10);
    EXPECT_TRUE(extents.HasCustom());
    extents.Move(5, 7);
    EXPECT_EQ(extents.Get(7), 10);
    EXPECT_EQ(extents.Get(5), 64);
    extents.SetDefault(30); // a new default applies to every entry
    EXPECT_EQ(extents.Get(7), 30);
    EXPECT_FALSE(extents.HasCustom());
    EXPECT_THROW(extents.Get(1000000), EListError);
    EXPECT_THROW(extents.Set(-1, 5), EListError);
    EXPECT_THROW(extents.Set(0, -5), EInvalidOperation);
    EXPECT_THROW(extents.Move(0, 1000000), EListError);
}

// Automatic extents against a plain model: an entry shows its own extent, else its
// automatic one, else the default; forms see only own extents; automatic ones stay at
// their positions through moves and go with the entries a resize drops. The walk over
// entries that take no room agrees with the model, zero defaults and extents included.
TEST(GridExtents, AutomaticExtentsStandInForTheDefaultOnlyWhereNoExtentIsOwn)
{
    std::mt19937 random(20);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    TGridExtents extents(3);
    std::vector<int> own(40, 3);
    std::map<int, int> automatic;
    int defaultExtent = 3;
    extents.Resize(40);
    const auto shown = [&](int i) {
        const auto found = automatic.find(i);
        return own[size_t(i)] == defaultExtent && found != automatic.end() ? found->second : own[size_t(i)];
    };
    for (int step = 0; step < 4000; ++step) {
        const int count = int(own.size());
        switch (pick(7)) {
        case 0:
        case 1: {
            const int i = pick(count), extent = pick(3) ? pick(4) : defaultExtent;
            extents.Set(i, extent);
            own[size_t(i)] = extent;
            break;
        }
        case 2: {
            const int i = pick(count), extent = pick(4) ? pick(5) : -1;
            extents.SetAutomatic(i, extent);
            if (extent < 0)
                automatic.erase(i);
            else
                automatic[i] = extent;
            break;
        }
        case 3: {
            const int from = pick(count), to = pick(count);
            extents.Move(from, to);
            const int moved = own[size_t(from)];
            own.erase(own.begin() + from);
            own.insert(own.begin() + to, moved);
            break;
        }
        case 4: {
            const int newCount = 1 + pick(60);
            extents.Resize(newCount);
            own.resize(size_t(newCount), defaultExtent);
            std::erase_if(automatic, [&](const auto& entry) { return entry.first >= newCount; });
            break;
        }
        case 5:
            if (pick(10) == 0) {
                defaultExtent = pick(3);
                extents.SetDefault(defaultExtent);
                std::fill(own.begin(), own.end(), defaultExtent);
            }
            break;
        case 6: {
            const int from = pick(count + 2) - 1;
            int next = std::clamp(from, 0, count);
            while (next < count && shown(next) == 0)
                ++next;
            int previous = std::min(from, count - 1);
            while (previous >= 0 && shown(previous) == 0)
                --previous;
            ASSERT_EQ(extents.NextNonZero(from), next) << step;
            ASSERT_EQ(extents.PreviousNonZero(from), previous) << step;
            break;
        }
        }
        ASSERT_EQ(extents.Count(), int(own.size())) << step;
        for (int i = 0; i < extents.Count(); ++i) {
            ASSERT_EQ(extents.Get(i), shown(i)) << step << " entry " << i;
            ASSERT_EQ(extents.Own(i), own[size_t(i)]) << step << " entry " << i;
        }
        ASSERT_EQ(extents.Values(), own) << step;
        ASSERT_EQ(extents.HasCustom(), std::any_of(own.begin(), own.end(), [&](int e) { return e != defaultExtent; }));
    }
    EXPECT_THROW(extents.SetAutomatic(extents.Count(), 5), EListError);
    EXPECT_THROW(extents.SetAutomatic(0, MaxGridExtent + 1), EInvalidOperation);
}

// A million entries of width 0 with an automatic extent far out are passed over at once.
TEST(GridExtents, EntriesThatTakeNoRoomArePassedOverAsARunAroundAutomaticExtents)
{
    TGridExtents extents(0);
    extents.Resize(2000000000);
    extents.SetAutomatic(0, 0);
    extents.SetAutomatic(1000000000, 7);
    EXPECT_EQ(extents.NextNonZero(0), 1000000000);
    EXPECT_EQ(extents.NextNonZero(1000000001), 2000000000);
    EXPECT_EQ(extents.PreviousNonZero(1999999999), 1000000000);
    EXPECT_EQ(extents.PreviousNonZero(999999999), -1);
}

// Columns of width 10 with lines of 1: fixed cells 0 and 1, scrolled to cell 4, in 45 pixels.
TEST(GridAxis, LaysCellsOutAfterTheFixedOnesFromTheFirstShown)
{
    TGridExtents widths(10);
    widths.Resize(10);
    const TGridAxis axis{&widths, 2, 4, 1, 45};
    EXPECT_EQ(axis.FixedBoundary(), 22);
    EXPECT_EQ(axis.CellStart(1), 11);
    EXPECT_EQ(axis.CellStart(4), 22);
    EXPECT_EQ(axis.CellStart(6), 44); // partly shown
    EXPECT_EQ(axis.CellStart(3), std::nullopt); // scrolled away
    EXPECT_EQ(axis.CellStart(7), std::nullopt); // past the edge
    EXPECT_EQ(axis.CellAt(21), 1);  // a line belongs to the cell before it
    EXPECT_EQ(axis.CellAt(22), 4);
    EXPECT_EQ(axis.CellAt(45), -1);
    EXPECT_EQ(axis.LastFullShownCell(), 5);
    EXPECT_EQ(axis.LastShownCell(), 6);
    EXPECT_EQ(axis.GridBoundary(), 45);
    EXPECT_EQ(axis.MaxFirstCell(), 8); // cells 8 and 9 fill the room after the fixed ones
    int from = 0;
    int to = 0;
    ASSERT_TRUE(axis.Span(0, 9, from, to));
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 45);
    EXPECT_FALSE(axis.Span(2, 3, from, to));
}

TEST(GridAxis, ShortGridsEndBeforeTheEdge)
{
    TGridExtents heights(20);
    heights.Resize(3);
    const TGridAxis axis{&heights, 1, 1, 1, 200};
    EXPECT_EQ(axis.GridBoundary(), 63);
    EXPECT_EQ(axis.CellAt(100), -1);
    EXPECT_EQ(axis.MaxFirstCell(), 1);
    EXPECT_EQ(axis.LastFullShownCell(), 2);
}

// ---- Columns and rows as string lists

class GridStrings : public ::testing::Test {
protected:
    void SetUp() override
    {
        Grid.SetColCount(3);
        Grid.SetRowCount(4);
    }
    TStringGrid Grid;
};

TEST_F(GridStrings, ReadAndWriteTheCells)
{
    TStrings& col = Grid.Cols(1);
    TStrings& row = Grid.Rows(2);
    EXPECT_EQ(col.Count(), 4);
    EXPECT_EQ(row.Count(), 3);
    col.Put(2, QStringLiteral("x"));
    EXPECT_EQ(Grid.Cells(1, 2), QStringLiteral("x"));
    EXPECT_EQ(row.Get(1), QStringLiteral("x"));
    EXPECT_EQ(&Grid.Cols(1), &col); // the same list again
    EXPECT_THROW(col.Get(4), EListError);
    EXPECT_THROW(col.Insert(0, QStringLiteral("y")), EInvalidOperation);
    EXPECT_THROW(col.Add(QStringLiteral("y")), EInvalidOperation);
    EXPECT_THROW(col.Delete(0), EInvalidOperation);
    EXPECT_THROW(Grid.Cols(3), EListError);
    EXPECT_THROW(Grid.Rows(-1), EListError);
}

TEST_F(GridStrings, AssignCopiesAsManyEntriesAsTheGridHoldsAndEmptiesTheRest)
{
    Grid.SetCells(0, 3, QStringLiteral("old"));
    TStringList longer({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e")});
    Grid.Cols(0).Assign(&longer);
    EXPECT_EQ(Grid.Cols(0).ToStringList(), (QStringList{"a", "b", "c", "d"}));
    TStringList shorter({QStringLiteral("p")});
    Grid.Cols(0).Assign(&shorter);
    EXPECT_EQ(Grid.Cols(0).ToStringList(), (QStringList{"p", "", "", ""}));
    // Copying one row onto another, and a list onto a grid row through SetText.
    Grid.Rows(1).SetText(QStringLiteral("1\n2\n3\n"));
    Grid.Rows(2).Assign(&Grid.Rows(1));
    EXPECT_EQ(Grid.Rows(2).ToStringList(), (QStringList{"1", "2", "3"}));
    Grid.Rows(2).Clear();
    EXPECT_EQ(Grid.Rows(2).CommaText(), QStringLiteral("\"\",\"\",\"\""));
}

TEST_F(GridStrings, AListOfAColumnTheGridNoLongerHasRaises)
{
    TStrings& last = Grid.Cols(2);
    Grid.SetColCount(2);
    EXPECT_THROW(last.Count(), EListError);
    EXPECT_THROW(last.Put(0, QStringLiteral("x")), EListError);
}

} // namespace
} // namespace vg
