// Row and column operations of the column-model grid: inserting and deleting rows with the
// hidden columns' cells in step, moving rows and columns (by the host's operations and by
// hiding and showing), finding columns by name, selecting and repainting whole rows and
// columns; a randomised run against a plain model; and huge row counts with hidden columns.
#include "grid/VgGrid.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FormFile.h"

#include "support/GridHarness.h"
#include "support/GridRows.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <utility>

using namespace vg;
using namespace vg::test;

namespace {

// What an application sees of a grid: every column object in collection order with its
// caption, "*" for a hidden one, and its cells (from the grid or from Cols) row by row.
QString Snapshot(TVelkoGrid& grid)
{
    QStringList columns;
    for (int i = 0; i < grid.Columns()->Count(); ++i) {
        TvgColumn* item = (*grid.Columns())[i];
        const int gridCol = grid.GridColumnForColumnObject(item);
        QStringList cells;
        for (int row = 0; row < grid.RowCount(); ++row)
            cells << (gridCol >= 0 ? grid.Cells(gridCol, row) : item->Cols()->Get(row));
        columns << (item->Visible() ? QString() : QStringLiteral("*")) + item->Caption() + u'=' + cells.join(u',');
    }
    QStringList heights;
    for (int row = 0; row < grid.RowCount(); ++row)
        heights << QString::number(grid.RowHeights(row));
    return columns.join(u' ') + QStringLiteral(" heights=") + heights.join(u',');
}

// Five columns A to E, five rows; cell (c, r) holds "Cr" below the titles.
struct VelkoGridRows : ::testing::Test {
    TVelkoGrid Grid;
    QStringList Reports;

    void SetUp() override
    {
        for (int c = 0; c < Grid.ColCount(); ++c) {
            TvgColumn* item = Grid.GetVisibleColumn(c);
            item->SetCaption(QString(QChar(u'A' + c)));
            item->SetName(QStringLiteral("Col") + item->Caption());
            for (int r = 1; r < Grid.RowCount(); ++r)
                Grid.SetCells(c, r, item->Caption() + QString::number(r));
        }
        for (int r = 0; r < Grid.RowCount(); ++r)
            Grid.SetRowHeights(r, 20 + r);
        Grid.OnRowMoved = [this](TObject*, int from, int to) { Reports << QStringLiteral("row %1>%2").arg(from).arg(to); };
        Grid.OnColumnMoved = [this](TObject*, int from, int to) { Reports << QStringLiteral("col %1>%2").arg(from).arg(to); };
    }
    TvgColumn* Item(int index) { return (*Grid.Columns())[index]; }
};

} // namespace

TEST_F(VelkoGridRows, InsertAndDeleteMoveCellsHeightsAndHiddenCellsTogether)
{
    Item(2)->SetVisible(false);
    Reports.clear();
    Grid.InsertRow(1);
    EXPECT_EQ(Snapshot(Grid), QStringLiteral("A=,,A1,A2,A3,A4 B=,,B1,B2,B3,B4 *C=,,C1,C2,C3,C4 D=,,D1,D2,D3,D4 "
                                             "E=,,E1,E2,E3,E4 heights=20,20,21,22,23,24"));
    Grid.InsertRow(5); // before the last row
    Grid.DeleteRow(2);
    EXPECT_EQ(Snapshot(Grid), QStringLiteral("A=,,A2,A3,,A4 B=,,B2,B3,,B4 *C=,,C2,C3,,C4 D=,,D2,D3,,D4 "
                                             "E=,,E2,E3,,E4 heights=20,20,22,23,20,24"));
    // An insert moves nothing the application sees as a move; a delete moves the row to the end.
    EXPECT_EQ(Reports, (QStringList{"row 2>6"}));
    EXPECT_EQ(Item(2)->Cols()->Count(), Grid.RowCount());

    // Shown again, the hidden column's cells are where their rows went.
    Item(2)->SetVisible(true);
    EXPECT_EQ(Grid.Cells(2, 2), QStringLiteral("C2"));
    EXPECT_EQ(Grid.Cells(2, 4), QString());
    EXPECT_EQ(Grid.Cells(2, 5), QStringLiteral("C4"));
    EXPECT_EQ(Item(2)->Cols()->Count(), 0);
}

TEST_F(VelkoGridRows, BadInputIsRefusedWithItsMessageAndChangesNothing)
{
    Item(3)->SetVisible(false);
    Grid.SetSelection(GridRect(1, 2, 2, 3));
    const QString before = Snapshot(Grid);
    const auto refused = [&](auto operation, const QString& message) {
        try {
            operation();
            ADD_FAILURE() << "accepted: " << message.toStdString();
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), message);
        }
        EXPECT_EQ(Snapshot(Grid), before) << message.toStdString();
        EXPECT_EQ(Grid.Selection(), GridRect(1, 2, 2, 3));
    };
    refused([&] { Grid.InsertRow(0); }, QStringLiteral("Cannot insert row 0"));
    refused([&] { Grid.InsertRow(5); }, QStringLiteral("Cannot insert row 5"));
    refused([&] { Grid.InsertRow(-1); }, QStringLiteral("Cannot insert row -1"));
    refused([&] { Grid.DeleteRow(0); }, QStringLiteral("Cannot delete row 0"));
    refused([&] { Grid.DeleteRow(5); }, QStringLiteral("Cannot delete row 5"));
    refused([&] { Grid.DeleteRow(INT_MIN); }, QStringLiteral("Cannot delete row -2147483648"));
    refused([&] { Grid.GetColByName(QStringLiteral("Col\u00c9")); }, QStringLiteral("Invalid column name \"Col\u00c9\""));
    refused([&] { Grid.GetColByName(QString()); }, QStringLiteral("Invalid column name \"\""));
    for (int bad : {-1, 0, 5, INT_MAX}) {
        const QString error = QStringLiteral("List index out of bounds (%1)").arg(bad);
        refused([&] { Grid.SelectEntireRow(bad); }, error);
        refused([&] { Grid.SelectEntireColumn(bad); }, error);
        if (bad == 0)
            continue; // row and column 0 exist: the host moves them
        refused([&] { Grid.MoveRow(bad, 1); }, error);
        refused([&] { Grid.MoveColumn(1, bad); }, error);
        refused([&] { static_cast<TCustomGrid&>(Grid).DeleteRow(bad); }, error);
        refused([&] { static_cast<TCustomGrid&>(Grid).DeleteColumn(bad); }, error);
    }
}

TEST_F(VelkoGridRows, ColumnsAreFoundByNameIgnoringTheCaseOfAsciiLetters)
{
    Item(1)->SetName(QStringLiteral("Price"));
    Item(3)->SetVisible(false);
    EXPECT_EQ(Grid.GetColByName(QStringLiteral("price")), Item(1));
    EXPECT_EQ(Grid.GetColByName(QStringLiteral("COLD")), Item(3)); // hidden ones too
    Item(4)->SetName(QStringLiteral("\u00e9t\u00e9"));
    EXPECT_EQ(Grid.GetColByName(QStringLiteral("\u00e9T\u00e9")), Item(4));
    EXPECT_THROW(Grid.GetColByName(QStringLiteral("\u00c9t\u00e9")), EvgInvalidColumnName); // not ASCII
}

TEST_F(VelkoGridRows, WholeRowsAndColumnsAreSelectedUnlessEditing)
{
    Grid.SelectEntireRow(3);
    EXPECT_EQ(Grid.Selection(), GridRect(1, 3, 4, 3));
    Grid.SelectEntireColumn(2);
    EXPECT_EQ(Grid.Selection(), GridRect(2, 1, 2, 4));
    Grid.SetOptions(Grid.Options() + TGridOptions{goEditing});
    Grid.SelectEntireRow(1);
    Grid.SelectEntireColumn(4);
    EXPECT_EQ(Grid.Selection(), GridRect(2, 1, 2, 4));
}

TEST_F(VelkoGridRows, InvalidatingARowOrColumnRepaintsItsFixedCellsToo)
{
    class TPaintLog : public TVelkoGrid {
    public:
        std::set<std::pair<int, int>> Painted;

    protected:
        void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override
        {
            Painted.insert({ACol, ARow});
            TVelkoGrid::DrawCell(ACol, ARow, ARect, AState);
        }
    } grid;
    ShowFocused(grid);
    QCoreApplication::processEvents();
    const auto painted = [&](auto invalidate) {
        grid.Painted.clear();
        invalidate();
        QCoreApplication::processEvents();
        return grid.Painted;
    };
    const auto row = painted([&] { grid.InvalidateRow(3); });
    EXPECT_TRUE(row.count({0, 3}));
    EXPECT_TRUE(row.count({4, 3}));
    EXPECT_FALSE(row.count({1, 2}));
    const auto column = painted([&] { grid.InvalidateColumn(2); });
    EXPECT_TRUE(column.count({2, 0}));
    EXPECT_TRUE(column.count({2, 4}));
    EXPECT_FALSE(column.count({1, 2}));
}

// ---- Faults found in what had landed

TEST_F(VelkoGridRows, RowsRemovedWhileAColumnIsHiddenDoNotComeBackWithOldTexts)
{
    Item(1)->SetVisible(false);
    Grid.SetRowCount(3);
    Grid.SetRowCount(5);
    EXPECT_EQ(Item(1)->Cols()->Count(), 5);
    Item(1)->SetVisible(true);
    EXPECT_EQ(Grid.Cells(1, 2), QStringLiteral("B2"));
    EXPECT_EQ(Grid.Cells(1, 3), QString());
    EXPECT_EQ(Grid.Cells(1, 4), QString());
    EXPECT_EQ(Grid.Cells(2, 4), QString());
}

TEST_F(VelkoGridRows, TheHostsColumnOperationsKeepColumnsInStepWithTheCells)
{
    TCustomGrid& host = Grid;
    host.DeleteColumn(2);
    EXPECT_EQ(Snapshot(Grid), QStringLiteral("A=,A1,A2,A3,A4 B=,B1,B2,B3,B4 D=,D1,D2,D3,D4 E=,E1,E2,E3,E4 "
                                             "heights=20,21,22,23,24"));

    // [A B *D E]: grid column 1 (B) moved onto grid column 2 (E) passes the hidden D,
    // which keeps its place before E.
    Item(2)->SetVisible(false);
    host.MoveColumn(1, 2);
    EXPECT_EQ(Snapshot(Grid), QStringLiteral("A=,A1,A2,A3,A4 *D=,D1,D2,D3,D4 E=,E1,E2,E3,E4 B=,B1,B2,B3,B4 "
                                             "heights=20,21,22,23,24"));
    host.MoveColumn(2, 1);
    EXPECT_EQ(Snapshot(Grid), QStringLiteral("A=,A1,A2,A3,A4 *D=,D1,D2,D3,D4 B=,B1,B2,B3,B4 E=,E1,E2,E3,E4 "
                                             "heights=20,21,22,23,24"));
    Item(1)->SetVisible(true);
    EXPECT_EQ(Grid.Cells(1, 3), QStringLiteral("D3"));
    EXPECT_EQ(Grid.Cells(2, 3), QStringLiteral("B3"));
}

// ---- Everything at once, against a plain model

TEST(VelkoGridRowsModel, RandomRowAndColumnOperationsAgreeWithAPlainModel)
{
    // The model: the column objects in collection order with their visibility, and the
    // rows as maps from column object to text.
    struct TModelColumn {
        TvgColumn* Item;
        bool Visible;
    };
    TVelkoGrid grid;
    grid.SetColumnCount(6);
    grid.SetRowCount(12);
    std::vector<TModelColumn> columns;
    for (int c = 0; c < 6; ++c) {
        grid.GetVisibleColumn(c)->SetCaption(QStringLiteral("c%1").arg(c));
        columns.push_back({grid.GetVisibleColumn(c), true});
    }
    std::vector<std::map<TvgColumn*, QString>> rows(12);
    std::mt19937 random(2024);
    const auto pick = [&](int n) { return n > 0 ? int(random() % unsigned(n)) : 0; };
    const auto visibleAt = [&](int gridCol) {
        int n = 0;
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].Visible && n++ == gridCol)
                return i;
        return columns.size();
    };
    const auto visibleCount = [&] {
        return int(std::count_if(columns.begin(), columns.end(), [](const TModelColumn& c) { return c.Visible; }));
    };
    const auto moveEntry = [](auto& list, int from, int to) {
        auto value = list[size_t(from)];
        list.erase(list.begin() + from);
        list.insert(list.begin() + to, value);
    };
    int serial = 0;
    for (int step = 0; step < 3000; ++step) {
        const int rowCount = int(rows.size());
        const int fixedRows = grid.FixedRows();
        const int operation = pick(10);
        try {
            switch (operation) {
            case 0: { // write a cell
                const int col = pick(visibleCount());
                const int row = pick(rowCount);
                const QString text = pick(4) == 0 ? QString() : QStringLiteral("t%1").arg(++serial);
                grid.SetCells(col, row, text);
                rows[size_t(row)][columns[visibleAt(col)].Item] = text;
                break;
            }
            case 1: { // insert a data row, sometimes one that does not exist
                const int at = pick(rowCount + 3) - 1;
                grid.InsertRow(at);
                ASSERT_TRUE(at >= fixedRows && at < rowCount) << "accepted InsertRow(" << at << ")";
                rows.insert(rows.begin() + at, std::map<TvgColumn*, QString>());
                break;
            }
            case 2: {
                const int at = pick(rowCount + 3) - 1;
                grid.DeleteRow(at);
                ASSERT_TRUE(at >= fixedRows && at < rowCount) << "accepted DeleteRow(" << at << ")";
                rows.erase(rows.begin() + at);
                break;
            }
            case 3: { // the host's row move, as a drag makes it
                const int from = pick(rowCount + 1);
                const int to = pick(rowCount + 1);
                grid.MoveRow(from, to);
                ASSERT_TRUE(from < rowCount && to < rowCount);
                moveEntry(rows, from, to);
                break;
            }
            case 4: { // the host's column move
                const int from = pick(visibleCount() + 1);
                const int to = pick(visibleCount() + 1);
                const size_t fromItem = visibleAt(from);
                const size_t toItem = visibleAt(to);
                grid.MoveColumn(from, to);
                ASSERT_TRUE(fromItem < columns.size() && toItem < columns.size());
                moveEntry(columns, int(fromItem), int(toItem));
                break;
            }
            case 5: { // hide or show an item
                const size_t i = size_t(pick(int(columns.size())));
                if (columns[i].Visible && visibleCount() == 1)
                    break;
                columns[i].Visible = !columns[i].Visible;
                columns[i].Item->SetVisible(columns[i].Visible);
                break;
            }
            case 6: { // more or fewer rows
                const int count = std::max(2, rowCount + pick(7) - 3);
                grid.SetRowCount(count);
                rows.resize(size_t(count));
                break;
            }
            case 7: { // the host's delete, which moves the row to the end first
                const int at = pick(rowCount);
                static_cast<TCustomGrid&>(grid).DeleteRow(at);
                rows.erase(rows.begin() + at);
                break;
            }
            case 8: { // a hidden column's cell written through its list
                const size_t i = size_t(pick(int(columns.size())));
                if (columns[i].Visible)
                    break;
                const int row = pick(rowCount);
                const QString text = QStringLiteral("h%1").arg(++serial);
                columns[i].Item->Cols()->Put(row, text);
                rows[size_t(row)][columns[i].Item] = text;
                break;
            }
            default:
                break;
            }
        } catch (const Exception&) {
            // refused, as bad input must be: the model stays as it was
        }
        ASSERT_EQ(grid.Columns()->Count(), int(columns.size()));
        ASSERT_EQ(grid.RowCount(), int(rows.size())) << "step " << step << ", operation " << operation;
        for (size_t i = 0; i < columns.size(); ++i) {
            TvgColumn* item = (*grid.Columns())[int(i)];
            ASSERT_EQ(item, columns[i].Item) << "column order, step " << step;
            ASSERT_EQ(item->Visible(), columns[i].Visible);
            const int g = grid.GridColumnForColumnObject(item);
            ASSERT_EQ(item->Cols()->Count(), item->Visible() ? 0 : grid.RowCount()) << "step " << step;
            for (int r = 0; r < grid.RowCount(); ++r) {
                const auto found = rows[size_t(r)].find(item);
                const QString expected = found == rows[size_t(r)].end() ? QString() : found->second;
                ASSERT_EQ(g >= 0 ? grid.Cells(g, r) : item->Cols()->Get(r), expected)
                    << "column " << i << ", row " << r << ", step " << step << ", operation " << operation;
            }
        }
    }
}

// ---- Huge row counts with hidden columns

TEST(VelkoGridHugeRows, HiddenColumnsCostNothingForRowsThatNeverHeldText)
{
    TVelkoGrid grid;
    grid.SetCells(2, 3, QStringLiteral("kept"));
    grid.GetVisibleColumn(2)->SetVisible(false);
    grid.SetRowCount(2'000'000'000);
    TvgColumn* hidden = (*grid.Columns())[2];
    ASSERT_EQ(hidden->Cols()->Count(), 2'000'000'000);
    EXPECT_EQ(hidden->Cols()->Get(3), QStringLiteral("kept"));
    EXPECT_EQ(hidden->Cols()->Get(1'999'999'999), QString());

    // Rows inserted, deleted and moved near the top and the end of two billion.
    grid.SetCells(1, 1'999'999'998, QStringLiteral("near the end"));
    grid.InsertRow(1);
    grid.DeleteRow(2'000'000'000);
    grid.MoveRow(1'999'999'999, 2);
    EXPECT_EQ(grid.Cells(1, 2), QStringLiteral("near the end"));
    EXPECT_EQ(hidden->Cols()->Get(5), QStringLiteral("kept"));
    EXPECT_THROW(grid.InsertRow(grid.RowCount()), EvgRowIndexOutOfRange);
    grid.SetRowCount(std::numeric_limits<int>::max());
    EXPECT_THROW(grid.InsertRow(1), EInvalidOperation);
    EXPECT_EQ(grid.RowCount(), std::numeric_limits<int>::max());

    // Shown and hidden again: only cells with text are copied either way.
    hidden->SetVisible(true);
    EXPECT_EQ(grid.Cells(2, 5), QStringLiteral("kept"));
    hidden->SetVisible(false);
    EXPECT_EQ(hidden->Cols()->Get(5), QStringLiteral("kept"));
}

TEST(VelkoGridHugeRows, AFormListingHiddenColumnsBeforeAHugeRowCountReadsAtOnce)
{
    const QString form = QStringLiteral(
        "object Grid1: TVelkoGrid\n"
        "  Columns = <\n"
        "    item\n"
        "      Name = 'Column 1'\n"
        "    end\n"
        "    item\n"
        "      Name = 'Column 2'\n"
        "      Visible = False\n"
        "    end\n"
        "    item\n"
        "      Name = 'Column 3'\n"
        "    end>\n"
        "  RowCount = 2000000000\n"
        "  AVisibleColumnCount = 2\n"
        "end\n");
    std::unique_ptr<TComponent> read = ReadComponentFromText(form);
    auto* grid = dynamic_cast<TVelkoGrid*>(read.get());
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->RowCount(), 2'000'000'000);
    EXPECT_EQ((*grid->Columns())[1]->Cols()->Count(), 2'000'000'000);
    (*grid->Columns())[1]->SetVisible(true);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(grid->Cells(1, 1'999'999'999), QString());
}

// ---- Application events while rows move and counts change

namespace {

// A plain model of a column-model grid: the column objects in collection order with their
// visibility, and every row as the texts of all objects, hidden ones included.
struct TPlainGrid {
    std::vector<std::pair<TvgColumn*, bool>> Columns;
    std::vector<std::map<const TvgColumn*, QString>> Rows;

    explicit TPlainGrid(const TVelkoGrid& grid) : Rows(size_t(grid.RowCount()))
    {
        for (int i = 0; i < grid.Columns()->Count(); ++i) {
            TvgColumn* item = (*grid.Columns())[i];
            Columns.push_back({item, item->Visible()});
            const int col = grid.GridColumnForColumnObject(item);
            for (int row = 0; row < grid.RowCount(); ++row)
                Rows[size_t(row)][item] = col >= 0 ? grid.Cells(col, row) : item->Cols()->Get(row);
        }
    }
    template <class T>
    static void Move(std::vector<T>& list, size_t from, size_t to)
    {
        T entry = std::move(list[from]);
        list.erase(list.begin() + std::ptrdiff_t(from));
        list.insert(list.begin() + std::ptrdiff_t(to), std::move(entry));
    }
    size_t VisibleAt(int gridCol) const
    {
        for (size_t i = 0; i < Columns.size(); ++i)
            if (Columns[i].second && gridCol-- == 0)
                return i;
        throw std::out_of_range("no such grid column");
    }
    int VisibleCount() const
    {
        return int(std::count_if(Columns.begin(), Columns.end(), [](const auto& c) { return c.second; }));
    }
    // A count of grid columns: the last visible objects go, new ones come at the end.
    void SetColumnCount(int count, const TVelkoGrid& grid)
    {
        for (size_t i = Columns.size(); i-- > 0 && VisibleCount() > count;)
            if (Columns[i].second)
                Columns.erase(Columns.begin() + std::ptrdiff_t(i));
        for (int i = int(Columns.size()); i < grid.Columns()->Count(); ++i)
            Columns.push_back({(*grid.Columns())[i], true});
    }
    void SetVisible(const TvgColumn* item, bool visible)
    {
        for (auto& column : Columns)
            if (column.first == item)
                column.second = visible;
    }
    // Rows as ColumnObjectRows shows a grid: hidden cells in brackets.
    QStringList Shown() const
    {
        QStringList shown;
        for (const auto& row : Rows) {
            QStringList cells;
            for (const auto& [item, visible] : Columns) {
                const auto found = row.find(item);
                const QString text = found == row.end() ? QString() : found->second;
                cells << (visible ? text : u'[' + text + u']');
            }
            shown << cells.join(u'|');
        }
        return shown;
    }
};

void ExpectGridIs(const TVelkoGrid& grid, const TPlainGrid& model, const std::string& where)
{
    ASSERT_EQ(grid.Columns()->Count(), int(model.Columns.size())) << where;
    for (size_t i = 0; i < model.Columns.size(); ++i) {
        ASSERT_EQ((*grid.Columns())[int(i)], model.Columns[i].first) << where << ": column object " << i;
        ASSERT_EQ((*grid.Columns())[int(i)]->Visible(), model.Columns[i].second) << where << ": column object " << i;
    }
    ASSERT_EQ(grid.ColCount(), model.VisibleCount()) << where << ": a grid column for each visible object";
    const QStringList actual = ColumnObjectRows(grid);
    const QStringList expected = model.Shown();
    ASSERT_EQ(actual.size(), expected.size()) << where << ": rows";
    for (int row = 0; row < actual.size(); ++row)
        ASSERT_EQ(actual[row], expected[row]) << where << ": row " << row << " (hidden cells in brackets)";
}

enum class THandler { None, RowMovedThrows, TopLeftThrows, RowMovedHides, RowMovedShows };

const char* const Refusal = "db refused";

} // namespace

TEST(VelkoGridRowEvents, EveryCellIsWhereItsRowWentWhateverTheHandlersAndTheEditorDo)
{
    struct TOperation {
        const char* Name;
        std::function<void(TVelkoGrid&)> Apply;
        std::function<void(TPlainGrid&, const TVelkoGrid&)> Expect;
        bool MovesRows; // reports a row move
        bool Scrolls;   // moves the first cell shown, which starts at the far corner
    };
    using P = TPlainGrid;
    const std::vector<TOperation> operations = {
        {"MoveRow down", [](TVelkoGrid& g) { g.MoveRow(3, 30); }, [](P& m, auto&) { P::Move(m.Rows, 3, 30); }, true, false},
        {"MoveRow up", [](TVelkoGrid& g) { g.MoveRow(35, 2); }, [](P& m, auto&) { P::Move(m.Rows, 35, 2); }, true, false},
        {"DeleteRow", [](TVelkoGrid& g) { g.DeleteRow(5); }, [](P& m, auto&) { m.Rows.erase(m.Rows.begin() + 5); }, true, true},
        {"host DeleteRow", [](TVelkoGrid& g) { static_cast<TCustomGrid&>(g).DeleteRow(38); },
         [](P& m, auto&) { m.Rows.erase(m.Rows.begin() + 38); }, true, true},
        {"InsertRow", [](TVelkoGrid& g) { g.InsertRow(4); }, [](P& m, auto&) { m.Rows.emplace(m.Rows.begin() + 4); }, false, false},
        {"fewer rows", [](TVelkoGrid& g) { g.SetRowCount(10); }, [](P& m, auto&) { m.Rows.resize(10); }, false, true},
        {"more rows", [](TVelkoGrid& g) { g.SetRowCount(45); }, [](P& m, auto&) { m.Rows.resize(45); }, false, false},
        {"fewer columns", [](TVelkoGrid& g) { g.SetColumnCount(4); }, [](P& m, auto& g) { m.SetColumnCount(4, g); }, false, true},
        {"more columns", [](TVelkoGrid& g) { g.SetColumnCount(12); }, [](P& m, auto& g) { m.SetColumnCount(12, g); }, false, false},
        {"MoveColumn", [](TVelkoGrid& g) { g.MoveColumn(1, 7); },
         [](P& m, auto&) { P::Move(m.Columns, m.VisibleAt(1), m.VisibleAt(7)); }, false, false},
        {"host DeleteColumn", [](TVelkoGrid& g) { static_cast<TCustomGrid&>(g).DeleteColumn(7); },
         [](P& m, auto&) { m.Columns.erase(m.Columns.begin() + std::ptrdiff_t(m.VisibleAt(7))); }, false, true},
        {"hide a column", [](TVelkoGrid& g) { (*g.Columns())[9]->SetVisible(false); },
         [](P& m, auto&) { m.Columns[9].second = false; }, false, true},
        {"show a column", [](TVelkoGrid& g) { (*g.Columns())[7]->SetVisible(true); },
         [](P& m, auto&) { m.Columns[7].second = true; }, false, false},
    };
    const std::vector<std::pair<THandler, const char*>> handlers = {
        {THandler::None, "no handler"},
        {THandler::RowMovedThrows, "OnRowMoved throws"},
        {THandler::TopLeftThrows, "OnTopLeftChanged throws"},
        {THandler::RowMovedHides, "OnRowMoved hides a column"},
        {THandler::RowMovedShows, "OnRowMoved shows a column"},
    };
    for (const TOperation& operation : operations) {
        for (const auto& [handler, handlerName] : handlers) {
            for (const bool editing : {false, true}) {
                const std::string where = std::string(operation.Name) + ", " + handlerName +
                                          (editing ? ", editor always shown" : "");
                // Twelve column objects, the third and the eighth hidden, 40 rows, every
                // cell with a text of its own; scrolled to the far corner.
                TVelkoGrid grid;
                grid.SetColumnCount(12);
                grid.SetRowCount(40);
                for (int c = 0; c < 12; ++c)
                    for (int r = 0; r < 40; ++r)
                        grid.SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
                TvgColumn* const hidden = (*grid.Columns())[2];
                TvgColumn* const shown = (*grid.Columns())[4];
                hidden->SetVisible(false);
                (*grid.Columns())[7]->SetVisible(false);
                ShowFocused(grid);
                grid.SetLeftCol(grid.ColCount() - 1);
                grid.SetTopRow(grid.RowCount() - 1);
                if (editing) {
                    grid.SetOptions(grid.Options() + TGridOptions{goEditing, goAlwaysShowEditor});
                    // The current cell on screen, near the far corner.
                    grid.SetSelection(GridRect(grid.LeftCol() + 1, grid.TopRow() + 2, grid.LeftCol() + 1, grid.TopRow() + 2));
                    ASSERT_TRUE(grid.InplaceEditor() && grid.InplaceEditor()->isVisible()) << where;
                    ASSERT_GT(grid.Row(), 25) << where;
                }
                TPlainGrid model(grid);

                bool ran = false;
                switch (handler) {
                case THandler::None: break;
                case THandler::RowMovedThrows:
                    grid.OnRowMoved = [](TObject*, int, int) { throw std::runtime_error(Refusal); };
                    break;
                case THandler::TopLeftThrows: grid.OnTopLeftChanged = [](TObject*) { throw std::runtime_error(Refusal); }; break;
                case THandler::RowMovedHides:
                case THandler::RowMovedShows:
                    grid.OnRowMoved = [&, handler = handler](TObject*, int, int) {
                        if (!std::exchange(ran, true))
                            (handler == THandler::RowMovedHides ? shown : hidden)->SetVisible(handler == THandler::RowMovedShows);
                    };
                    break;
                }
                std::string caught;
                try {
                    operation.Apply(grid);
                } catch (const std::exception& e) {
                    caught = e.what();
                }
                grid.OnRowMoved = nullptr;
                grid.OnTopLeftChanged = nullptr;
                const bool reported = (handler == THandler::RowMovedThrows && operation.MovesRows) ||
                                      (handler == THandler::TopLeftThrows && operation.Scrolls);
                EXPECT_EQ(caught, reported ? Refusal : "") << where;

                // The operation is complete, whatever the handler did.
                operation.Expect(model, grid);
                if (ran)
                    model.SetVisible(handler == THandler::RowMovedHides ? shown : hidden, handler == THandler::RowMovedShows);
                ExpectGridIs(grid, model, where);
                if (grid.InplaceEditor() && grid.InplaceEditor()->isVisible())
                    EXPECT_EQ(grid.InplaceEditor()->Text(), grid.Cells(grid.Col(), grid.Row())) << where;

                // The editor, committed, writes nothing nobody typed; rows added again
                // come empty in every column.
                grid.HideEditor();
                ExpectGridIs(grid, model, where + ", editor committed");
                grid.SetRowCount(grid.RowCount() + 3);
                model.Rows.resize(model.Rows.size() + 3);
                ExpectGridIs(grid, model, where + ", rows added");
            }
        }
    }
}
