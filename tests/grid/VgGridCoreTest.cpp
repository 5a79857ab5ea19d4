#include "grid/VgGrid.h"

#include "platform/app/Messages.h"
#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"

#include <QCoreApplication>

#include <random>

#include "TestEnvironment.h"

#include <gtest/gtest.h>

using namespace vg;

namespace {

QStringList ColumnCells(TVelkoGrid& grid, int col)
{
    QStringList cells;
    for (int row = 0; row < grid.RowCount(); ++row)
        cells << grid.Cells(col, row);
    return cells;
}

// Captions in collection order, hidden items in brackets.
QString Layout(const TVelkoGrid& grid)
{
    QStringList items;
    for (int i = 0; i < grid.Columns()->Count(); ++i) {
        const TvgColumn* c = (*grid.Columns())[i];
        items << (c->Visible() ? c->Caption() : u'[' + c->Caption() + u']');
    }
    return items.join(u' ');
}

// A grid of five columns captioned A to E whose cells say where they are.
struct VelkoGridColumns : ::testing::Test {
    TVelkoGrid Grid;

    void SetUp() override
    {
        Grid.SetRowCount(4);
        for (int col = 0; col < Grid.ColCount(); ++col) {
            (*Grid.Columns())[col]->SetCaption(QString(QChar(u'A' + col)));
            Grid.SetColWidths(col, 40 + col);
            for (int row = 0; row < Grid.RowCount(); ++row)
                Grid.SetCells(col, row, QStringLiteral("%1:%2").arg(QChar(u'A' + col)).arg(row));
        }
    }
    TvgColumn* Item(int index) { return (*Grid.Columns())[index]; }
};

} // namespace

TEST(VelkoGrid, StartsWithOneVisibleColumnObjectPerGridColumn)
{
    TVelkoGrid grid;
    ASSERT_EQ(grid.Columns()->Count(), grid.ColCount());
    for (int i = 0; i < grid.ColCount(); ++i) {
        EXPECT_TRUE((*grid.Columns())[i]->Visible());
        EXPECT_TRUE((*grid.Columns())[i]->Caption().isEmpty());
        EXPECT_EQ((*grid.Columns())[i]->HeadingIndex(), -1);
    }
    EXPECT_EQ(grid.Headings()->Count(), 0);
    EXPECT_EQ(grid.DefaultRowHeight(), 20);
    EXPECT_FALSE(grid.DefaultDrawing());
    EXPECT_EQ(grid.VelkoOptions(), (TvgOptions{vgoptDrawFocusRectangle, vgoptHighlightSelection}));

    // A grid created while its owner loads a form gets its columns from the form.
    TComponent owner;
    owner.BeginLoading();
    TVelkoGrid loading(&owner);
    EXPECT_EQ(loading.Columns()->Count(), 0);
}

TEST(VelkoGrid, VersionAndAuthorCannotBeChanged)
{
    TVelkoGrid grid;
    EXPECT_EQ(grid.Version(), QStringLiteral("2.12"));
    const QString author = grid.Author();
    EXPECT_FALSE(author.isEmpty());
    grid.SetVersion(QStringLiteral("9.9"));
    grid.SetAuthor(QStringLiteral("someone else"));
    EXPECT_EQ(grid.Version(), QStringLiteral("2.12"));
    EXPECT_EQ(grid.Author(), author);
}

TEST_F(VelkoGridColumns, GridColumnsMapToVisibleItemsInCollectionOrder)
{
    Item(1)->SetVisible(false);
    EXPECT_EQ(Grid.GetVisibleColumn(0), Item(0));
    EXPECT_EQ(Grid.GetVisibleColumn(1), Item(2));
    EXPECT_EQ(Grid.GetVisibleColumn(3), Item(4));
    EXPECT_EQ(Grid.GridColumnForColumnObject(Item(0)), 0);
    EXPECT_EQ(Grid.GridColumnForColumnObject(Item(1)), -1);
    EXPECT_EQ(Grid.GridColumnForColumnObject(Item(2)), 1);
    EXPECT_EQ(Grid.GridColumnForColumnObject(nullptr), -1);
    TvgColumns elsewhere;
    EXPECT_EQ(Grid.GridColumnForColumnObject(elsewhere.Add()), -1);

    for (int index : {4, 5, -1}) {
        try {
            Grid.GetVisibleColumn(index);
            ADD_FAILURE() << "no error for index " << index;
        } catch (const EvgColumnIndexOutOfRange& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("TVelkoGrid: Column index out of range"));
        }
    }
}

// The grid keeps its column objects in a map that it must rebuild whenever the collection
// changes, however it is changed: checked against a plain scan after every random edit.
TEST_F(VelkoGridColumns, TheColumnMapFollowsEveryEditOfTheCollection)
{
    std::mt19937 random(9);
    auto pick = [&](int n) { return n > 0 ? int(random() % unsigned(n)) : 0; };
    TvgColumns copy;
    for (int step = 0; step < 1500; ++step) {
        TvgColumns& columns = *Grid.Columns();
        if (columns.Count() == 0)
            columns.Add();
        try {
            switch (pick(8)) {
            case 0: columns.Add(); break;
            case 1: columns.Insert(pick(columns.Count() + 1)); break;
            case 2: if (columns.Count() > 1) columns.Delete(pick(columns.Count())); break;
            case 3: columns[pick(columns.Count())]->SetIndex(pick(columns.Count())); break;
            case 4: columns[pick(columns.Count())]->SetVisible(pick(2) == 0); break;
            case 5: copy.Assign(&columns); copy[pick(copy.Count())]->SetVisible(pick(2) == 0); break; // never empty
            case 6: WithinUpdate(columns, [&] { columns.Assign(&copy); columns[0]->SetVisible(true); }); break;
            case 7: if (copy.Count() > 0) columns.SetColumn(pick(columns.Count()), copy[pick(copy.Count())]); break;
            }
        } catch (const Exception&) {
            // a refused change is fine; the map must still be right
        }
        std::vector<TvgColumn*> visible;
        for (int i = 0; i < columns.Count(); ++i)
            if (columns[i]->Visible())
                visible.push_back(columns[i]);
        ASSERT_EQ(Grid.GetVisibleColumnCount(), int(visible.size())) << "step " << step;
        for (size_t i = 0; i < visible.size(); ++i)
            ASSERT_EQ(Grid.GetVisibleColumn(int(i)), visible[i]) << "step " << step;
        ASSERT_THROW(Grid.GetVisibleColumn(int(visible.size())), EvgColumnIndexOutOfRange);
    }
}

TEST_F(VelkoGridColumns, HidingKeepsCellsAndWidthAndShowingPutsThemBack)
{
    Item(2)->SetVisible(false);
    EXPECT_EQ(Grid.ColCount(), 4);
    EXPECT_EQ(Grid.Cells(2, 1), QStringLiteral("D:1"));
    EXPECT_EQ(Item(2)->Cols()->ToStringList(),
              (QStringList{QStringLiteral("C:0"), QStringLiteral("C:1"), QStringLiteral("C:2"), QStringLiteral("C:3")}));
    EXPECT_EQ(Item(2)->SavedWidth, 42);

    // Rows added while hidden come back empty.
    Grid.SetRowCount(6);
    EXPECT_EQ(Item(2)->Cols()->Count(), 6);
    Grid.SetCells(3, 5, QStringLiteral("E:5"));

    Item(2)->SetVisible(true);
    EXPECT_EQ(Grid.ColCount(), 5);
    EXPECT_EQ(Grid.GetVisibleColumn(2), Item(2));
    EXPECT_EQ(ColumnCells(Grid, 2),
              (QStringList{QStringLiteral("C:0"), QStringLiteral("C:1"), QStringLiteral("C:2"), QStringLiteral("C:3"),
                           QString(), QString()}));
    EXPECT_EQ(Grid.Cells(4, 5), QStringLiteral("E:5"));
    EXPECT_EQ(Grid.ColWidths(2), 42);
    EXPECT_EQ(Grid.ColWidths(3), 43);
    EXPECT_EQ(Grid.ColWidths(4), 44); // the former last column keeps its width
    EXPECT_EQ(Item(2)->Cols()->Count(), 0);
}

TEST_F(VelkoGridColumns, ColumnCountChangesAddAndFreeVisibleItemsOnly)
{
    Item(4)->SetVisible(false);
    Grid.SetColumnCount(6);
    EXPECT_EQ(Grid.Columns()->Count(), 7);
    EXPECT_EQ(Layout(Grid), QStringLiteral("A B C D [E]  "));

    Grid.SetColumnCount(3); // frees the two new ones and D, keeps the hidden E
    EXPECT_EQ(Layout(Grid), QStringLiteral("A B C [E]"));
    Item(3)->SetVisible(true);
    EXPECT_EQ(Grid.ColCount(), 4);
    EXPECT_EQ(Grid.Cells(3, 2), QStringLiteral("E:2"));
}

TEST_F(VelkoGridColumns, SetColCountFollowsTheItemsButNeverOutgrowsThem)
{
    Grid.Columns()->Add()->SetCaption(QStringLiteral("F"));
    Grid.SetColCount(Grid.GetVisibleColumnCount());
    EXPECT_EQ(Grid.ColCount(), 6);
    EXPECT_EQ(Grid.Columns()->Count(), 6);

    EXPECT_THROW(Grid.SetColCount(7), EInvalidOperation);
    EXPECT_EQ(Grid.ColCount(), 6);
    EXPECT_EQ(Grid.Columns()->Count(), 6);
    // Through the host grid's interface the same rule holds.
    TCustomGrid& host = Grid;
    EXPECT_THROW(host.SetColCount(9), EInvalidOperation);
}

TEST_F(VelkoGridColumns, TheOnlyColumnCannotBeHidden)
{
    Grid.SetColumnCount(1);
    try {
        Item(0)->SetVisible(false);
        ADD_FAILURE() << "hidden";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("TVelkoGrid: the only column of a grid cannot be hidden"));
    }
    EXPECT_TRUE(Item(0)->Visible());
    EXPECT_EQ(Grid.ColCount(), 1);
    EXPECT_EQ(Grid.Cells(0, 1), QStringLiteral("A:1"));
}

TEST_F(VelkoGridColumns, FormFileKeepsColumnsHeadingsHiddenCellsAndWidths)
{
    Grid.SetName(QStringLiteral("Grid1"));
    Grid.Headings()->Add()->SetCaption(QStringLiteral("Group"));
    Item(1)->SetHeadingIndex(0);
    Item(2)->SetHeadingIndex(0);
    Item(3)->SetVisible(false);
    Grid.SetVelkoOptions({vgoptHighlightSelection});
    Grid.SetVelkoHighlightColor(clRed);
    Grid.SetVelkoAdjustColWidth(true);
    Grid.SetColumnsRegistryKey(QStringLiteral("Software\\Demo"));
    const QString text = WriteComponentToText(Grid);
    EXPECT_TRUE(text.contains(QStringLiteral("AVisibleColumnCount = 4"))) << qPrintable(text);

    std::unique_ptr<TComponent> read = ReadComponentFromText(text);
    auto* copy = dynamic_cast<TVelkoGrid*>(read.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(WriteComponentToText(*copy), text);
    EXPECT_EQ(copy->ColCount(), 4);
    EXPECT_EQ(Layout(*copy), QStringLiteral("A B C [D] E"));
    EXPECT_EQ(copy->Headings()->Count(), 1);
    EXPECT_EQ(copy->GetVisibleColumn(2)->HeadingIndex(), 0);
    EXPECT_EQ(copy->ColWidths(3), 44);
    EXPECT_EQ(copy->VelkoOptions(), TvgOptions{vgoptHighlightSelection});
    EXPECT_EQ(copy->VelkoHighlightColor(), clRed);
    EXPECT_TRUE(copy->VelkoAdjustColWidth());
    EXPECT_EQ(copy->ColumnsRegistryKey(), QStringLiteral("Software\\Demo"));
    (*copy->Columns())[3]->SetVisible(true);
    EXPECT_EQ(copy->ColCount(), 5);
    EXPECT_EQ(copy->GetVisibleColumn(3)->Caption(), QStringLiteral("D"));
}

TEST(VelkoGridForm, RowHeightIsWrittenOnlyWhenItDiffersFromTheGridsOwnDefault)
{
    TVelkoGrid grid;
    EXPECT_FALSE(WriteComponentToText(grid).contains(QStringLiteral("DefaultRowHeight")));
    grid.SetDefaultRowHeight(24);
    const QString text = WriteComponentToText(grid);
    EXPECT_EQ(text.count(QStringLiteral("DefaultRowHeight = 24")), 1) << qPrintable(text);
    TVelkoGrid copy;
    ReadComponentInto(text, copy);
    EXPECT_EQ(copy.DefaultRowHeight(), 24);
}

TEST(VelkoGridForm, ReadingChecksTheColumnCountAndGivesAColumnlessFormItsColumns)
{
    TVelkoGrid grid;
    const QString bad = QStringLiteral("object G: TVelkoGrid\n  AVisibleColumnCount = -3\nend\n");
    EXPECT_THROW(ReadComponentInto(bad, grid), EReadError);

    // A form naming no column objects keeps its grid columns, each with a new object.
    TComponent form;
    ReadComponentInto(QStringLiteral("object Form1: TComponent\n  object G: TVelkoGrid\n    ColCount = 3\n  end\nend\n"),
                      form);
    auto* copy = dynamic_cast<TVelkoGrid*>(form.FindComponent(QStringLiteral("G")));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->ColCount(), 3);
    EXPECT_EQ(copy->Columns()->Count(), 3);
}

TEST(VelkoGridMessages, SizeRequestsOnlyGrowAndRespectManualSizing)
{
    TVelkoGrid grid;
    grid.SetRowCount(3);
    auto request = [&](int msg, int index, int size) {
        SendMessage(&grid, msg, index, size);
    };
    request(vgwmAdjustColumnWidth, 1, 104);
    EXPECT_EQ(grid.ColWidths(1), 104);
    request(vgwmAdjustColumnWidth, 1, 90); // a narrower request does not shrink it
    EXPECT_EQ(grid.ColWidths(1), 104);
    request(vgwmAdjustRowHeight, 2, 37);
    EXPECT_EQ(grid.RowHeights(2), 37);
    // Indices that went away since the request was posted are ignored.
    request(vgwmAdjustColumnWidth, 99, 200);
    request(vgwmAdjustRowHeight, -1, 200);

    grid.SetOptions(grid.Options() + TGridOptions{goColSizing, goRowSizing});
    request(vgwmAdjustColumnWidth, 2, 150);
    request(vgwmAdjustRowHeight, 1, 150);
    EXPECT_EQ(grid.ColWidths(2), 64);
    EXPECT_EQ(grid.RowHeights(1), 20);
}
