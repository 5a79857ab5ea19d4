// The host string grid and the column-model grid against QTableWidget: filling, heap held
// after filling, painting a full-HD viewport near the top and near the end, inserting and
// deleting a row near the top, moving a row from the top to the bottom, adding thousands of
// columns, and painting thousands of columns (for the column-model grid, all under one
// heading). All grids get the same data and the same viewport size. Run with
//   velkogrid-bench --benchmark_counters_tabular=true
#include "grid/VgGrid.h"
#include "platform/hostgrid/StringGrid.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <type_traits>
#include <vector>

namespace {

constexpr int FillRows = 200'000;
constexpr int Columns = 20;
constexpr QSize Viewport(1920, 1080);

// Cell texts are made once, so that both grids are timed storing text, not formatting it.
const std::vector<QString>& RowTexts(int rows)
{
    static std::vector<QString> texts;
    while (int(texts.size()) < rows)
        texts.push_back(QStringLiteral("Value %1").arg(texts.size()));
    return texts;
}

std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

template <class G>
class HostGridOf {
public:
    HostGridOf(int rows, int cols)
    {
        if constexpr (std::is_base_of_v<vg::TVelkoGrid, G>)
            grid.SetColumnCount(cols);
        else
            grid.SetColCount(cols);
        grid.SetRowCount(rows);
        // A viewport of exactly the requested size: no frame, no scroll bars.
        grid.setFrameShape(QFrame::NoFrame);
        grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid.resize(Viewport);
    }
    void Set(int col, int row, const QString& text) { grid.SetCells(col, row, text); }
    void ShowRow(int row) { grid.SetTopRow(row); }
    void ShowCell(int col, int row)
    {
        grid.SetLeftCol(col);
        grid.SetTopRow(row);
    }
    void InsertRow(int at)
    {
        grid.SetRowCount(grid.RowCount() + 1);
        grid.MoveRow(grid.RowCount() - 1, at);
    }
    void DeleteRow(int at) { grid.DeleteRow(at); }
    // The host's row move, as dragging a row title makes it.
    void MoveRow(int from, int to) { grid.MoveRow(from, to); }
    QWidget* Painted() { return grid.viewport(); }
    QAbstractScrollArea& ScrollArea() { return grid; }

protected:
    G grid;
};

using HostGrid = HostGridOf<vg::TStringGrid>;

// The column-model grid painting what users typically ask of it: a heading over four
// columns, captions, a numeric column with thousands separators and a bevelled column.
class VelkoGrid : public HostGridOf<vg::TVelkoGrid> {
public:
    VelkoGrid(int rows, int cols)
        : HostGridOf(rows, cols)
    {
        grid.SetRowHeights(0, 40);
        grid.Headings()->Add()->SetCaption(QStringLiteral("Group"));
        for (int c = 0; c < cols; ++c) {
            vg::TvgColumn* column = grid.GetVisibleColumn(c);
            column->SetCaption(QStringLiteral("Column %1").arg(c));
            if (c >= 1 && c <= 4)
                column->SetHeadingIndex(0);
        }
        grid.GetVisibleColumn(2)->SetFormatType(vg::vgfmtNumeric);
        grid.GetVisibleColumn(3)->SetColumnOuterBevel(vg::bvRaised);
    }
};

// The column-model grid as an application uses it for row operations: its own InsertRow
// and DeleteRow, and one of its columns hidden after the fill (its cells kept aside).
class VelkoGridWithHiddenColumn : public HostGridOf<vg::TVelkoGrid> {
public:
    using HostGridOf::HostGridOf;
    void Prepare() { grid.GetVisibleColumn(3)->SetVisible(false); }
    void InsertRow(int at) { grid.InsertRow(at); }
    void DeleteRow(int at) { grid.DeleteRow(at); }
};


// The same with every column but the fixed one under the heading.
class OneHeading : public VelkoGrid {
public:
    OneHeading(int rows, int cols)
        : VelkoGrid(rows, cols)
    {
        for (int c = 5; c < cols; ++c)
            grid.GetVisibleColumn(c)->SetHeadingIndex(0);
    }
};

using VelkoColumns = HostGridOf<vg::TVelkoGrid>;

class TableWidget {
public:
    TableWidget(int rows, int cols)
        : table(rows, cols)
    {
        table.setFrameShape(QFrame::NoFrame);
        table.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Match the host grid's defaults: 64 x 24 cells; the headers play the fixed row and column.
        table.horizontalHeader()->setDefaultSectionSize(64);
        table.verticalHeader()->setDefaultSectionSize(24);
        table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        table.resize(Viewport);
    }
    void Set(int col, int row, const QString& text) { table.setItem(row, col, new QTableWidgetItem(text)); }
    void ShowRow(int row) { table.scrollToItem(table.item(row, 0), QAbstractItemView::PositionAtTop); }
    void InsertRow(int at) { table.insertRow(at); }
    void DeleteRow(int at) { table.removeRow(at); }
    // What an application does to move a row: take its items, remove it, insert a row at
    // the new place and put the items back.
    void MoveRow(int from, int to)
    {
        std::vector<QTableWidgetItem*> items;
        for (int c = 0; c < table.columnCount(); ++c)
            items.push_back(table.takeItem(from, c));
        table.removeRow(from);
        table.insertRow(to);
        for (int c = 0; c < table.columnCount(); ++c)
            table.setItem(to, c, items[size_t(c)]);
    }
    QWidget* Painted() { return &table; }
    QAbstractScrollArea& ScrollArea() { return table; }

private:
    QTableWidget table;
};

// Fills rows firstRow.. with the texts of rows 0.., so that the rows near the end of a
// long grid hold texts as long as those near its start.
template <class Grid>
void Fill(Grid& grid, int rows, int firstRow = 0, int columns = Columns)
{
    const auto& texts = RowTexts(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid.Set(c, firstRow + r, texts[size_t(r)]);
}

// A filled grid of FillRows rows and the given number of columns, ready for row operations.
template <class Grid>
std::unique_ptr<Grid> FilledGrid(int columns)
{
    auto grid = std::make_unique<Grid>(FillRows, columns);
    Fill(*grid, FillRows, 0, columns);
    if constexpr (std::is_same_v<Grid, VelkoGridWithHiddenColumn>)
        grid->Prepare();
    return grid;
}

template <class Grid>
void BM_Fill(benchmark::State& state)
{
    const int rows = int(state.range(0));
    RowTexts(rows);
    std::size_t held = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        Grid grid(rows, Columns);
        Fill(grid, rows);
        held = HeapInUse() - before;
        benchmark::DoNotOptimize(grid);
    }
    state.counters["heap_MB"] = double(held) / (1024.0 * 1024.0);
    state.counters["cells"] = double(rows) * Columns;
    state.counters["heap_B_per_cell"] = double(held) / (double(rows) * Columns);
}

// As a CSV file or a database fills a grid: a text of its own, 13 characters long, in
// every cell, made as the cell is set (so that the grid holds the only copy).
template <class Grid>
void BM_FillDistinct(benchmark::State& state)
{
    const int rows = int(state.range(0));
    std::size_t held = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        Grid grid(rows, Columns);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < Columns; ++c)
                grid.Set(c, r, QStringLiteral("%1-%2 a").arg(r, 8, 10, QLatin1Char('0')).arg(c, 2, 10, QLatin1Char('0')));
        held = HeapInUse() - before;
        benchmark::DoNotOptimize(grid);
    }
    state.counters["heap_B_per_cell"] = double(held) / (double(rows) * Columns);
}

// Paints the viewport with the first visible row at `top`: near the start, or 50 rows before
// the end. Only the rows around both places hold text, in both grids alike.
template <class Grid>
void BM_Paint(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const bool nearEnd = state.range(1) != 0;
    Grid grid(rows, Columns);
    Fill(grid, std::min(rows, 100));
    if (rows > 100)
        Fill(grid, 100, rows - 100);
    grid.ShowRow(nearEnd ? rows - 50 : 1);
    QImage image(Viewport, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.Painted()->render(&image);
        benchmark::ClobberMemory();
    }
}

// Paints the viewport near the start at device pixel ratio 2, as on a high-density screen.
template <class Grid>
void BM_PaintScaled(benchmark::State& state)
{
    Grid grid(1'000, Columns);
    Fill(grid, 100);
    grid.ShowRow(1);
    QImage image(Viewport * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    for (auto _ : state) {
        grid.Painted()->render(&image);
        benchmark::ClobberMemory();
    }
}

// A grid on screen scrolled through its scroll bars by one step (argument 1: a row, 2: a
// column) forth and back, each step followed by the painting the window system asks for;
// argument 0 repaints the whole viewport instead. Twice as many columns as fit, all with
// text, so that there is room to scroll sideways.
template <class Grid>
void BM_Scroll(benchmark::State& state)
{
    constexpr int ScrollColumns = 2 * Columns + 10;
    const int mode = int(state.range(0));
    Grid grid(1'000, ScrollColumns);
    Fill(grid, 1'000, 0, ScrollColumns);
    QAbstractScrollArea& area = grid.ScrollArea();
    area.show();
    QApplication::processEvents();
    QScrollBar& bar = mode == 2 ? *area.horizontalScrollBar() : *area.verticalScrollBar();
    bar.setValue(bar.minimum() + 5);
    QApplication::processEvents();
    int step = 1;
    for (auto _ : state) {
        if (mode == 0) {
            area.viewport()->update();
        } else {
            bar.setValue(bar.value() + step);
            step = -step;
        }
        QApplication::processEvents();
    }
}

// A grid of 1,000 columns and 1,000,000 rows painted at its top-left (argument 0) and
// scrolled to its far corner (argument 1); only the cells around both places hold text.
template <class Grid>
void BM_PaintCorner(benchmark::State& state)
{
    constexpr int Wide = 1'000;
    constexpr int Tall = 1'000'000;
    constexpr int Shown = 40; // more columns and rows than fit
    const bool farCorner = state.range(0) != 0;
    Grid grid(Tall, Wide);
    const auto& texts = RowTexts(Shown);
    const int firstCol = farCorner ? Wide - Shown : 0;
    const int firstRow = farCorner ? Tall - Shown : 0;
    for (int r = 0; r < Shown; ++r)
        for (int c = 0; c < Shown; ++c)
            grid.Set(firstCol + c, firstRow + r, texts[size_t(r)]);
    grid.ShowCell(farCorner ? Wide - 1 : 1, farCorner ? Tall - 1 : 1);
    QImage image(Viewport, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.Painted()->render(&image);
        benchmark::ClobberMemory();
    }
}

// Arguments: the number of columns.
template <class Grid>
void BM_InsertDeleteRow(benchmark::State& state)
{
    const auto grid = FilledGrid<Grid>(int(state.range(0)));
    for (auto _ : state) {
        grid->InsertRow(2);
        grid->DeleteRow(2);
    }
}

// The row below the titles moved to the end, again and again.
template <class Grid>
void BM_MoveRowToEnd(benchmark::State& state)
{
    const auto grid = FilledGrid<Grid>(int(state.range(0)));
    for (auto _ : state)
        grid->MoveRow(1, FillRows - 1);
}

// A grid of five rows made with range(0) columns: the column-model grid makes and names a
// column object for each.
template <class Grid>
void BM_AddColumns(benchmark::State& state)
{
    for (auto _ : state) {
        Grid grid(5, int(state.range(0)));
        benchmark::DoNotOptimize(grid);
    }
}

// Paints a grid of range(0) columns at its start; the first 20 columns hold text.
template <class Grid>
void BM_PaintWide(benchmark::State& state)
{
    Grid grid(100, int(state.range(0)));
    Fill(grid, 100);
    QImage image(Viewport, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.Painted()->render(&image);
        benchmark::ClobberMemory();
    }
}

// The host grid also fills a million rows; QTableWidget would need gigabytes for them.
BENCHMARK_TEMPLATE(BM_Fill, HostGrid)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(FillRows)->Arg(1'000'000);
BENCHMARK_TEMPLATE(BM_Fill, VelkoColumns)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(FillRows);
BENCHMARK_TEMPLATE(BM_Fill, TableWidget)->Unit(benchmark::kMillisecond)->Iterations(3)->Arg(FillRows);
BENCHMARK_TEMPLATE(BM_FillDistinct, HostGrid)->Unit(benchmark::kMillisecond)->Iterations(2)->Arg(50'000);
BENCHMARK_TEMPLATE(BM_FillDistinct, VelkoColumns)->Unit(benchmark::kMillisecond)->Iterations(2)->Arg(50'000);
BENCHMARK_TEMPLATE(BM_FillDistinct, TableWidget)->Unit(benchmark::kMillisecond)->Iterations(2)->Arg(50'000);
BENCHMARK_TEMPLATE(BM_Paint, HostGrid)->Unit(benchmark::kMillisecond)->ArgsProduct({{1'000, 1'000'000}, {0, 1}});
BENCHMARK_TEMPLATE(BM_Paint, VelkoGrid)->Unit(benchmark::kMillisecond)->ArgsProduct({{1'000, 1'000'000}, {0, 1}});
BENCHMARK_TEMPLATE(BM_Paint, TableWidget)->Unit(benchmark::kMillisecond)->ArgsProduct({{1'000, 1'000'000}, {0, 1}});
BENCHMARK_TEMPLATE(BM_PaintCorner, VelkoColumns)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);
BENCHMARK_TEMPLATE(BM_PaintScaled, VelkoGrid)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_PaintScaled, TableWidget)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Scroll, VelkoGrid)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1)->Arg(2);
BENCHMARK_TEMPLATE(BM_Scroll, TableWidget)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1)->Arg(2);
BENCHMARK_TEMPLATE(BM_InsertDeleteRow, HostGrid)->Unit(benchmark::kMicrosecond)->Arg(Columns);
BENCHMARK_TEMPLATE(BM_InsertDeleteRow, VelkoGridWithHiddenColumn)->Unit(benchmark::kMicrosecond)->Arg(10)->Arg(Columns)->Arg(100);
BENCHMARK_TEMPLATE(BM_InsertDeleteRow, TableWidget)->Unit(benchmark::kMicrosecond)->Arg(Columns);
BENCHMARK_TEMPLATE(BM_MoveRowToEnd, VelkoGridWithHiddenColumn)->Unit(benchmark::kMicrosecond)->Arg(10)->Arg(Columns)->Arg(100);
BENCHMARK_TEMPLATE(BM_MoveRowToEnd, TableWidget)->Unit(benchmark::kMicrosecond)->Arg(Columns);
BENCHMARK_TEMPLATE(BM_AddColumns, VelkoColumns)->Unit(benchmark::kMillisecond)->Arg(1'000)->Arg(2'000)->Arg(4'000);
BENCHMARK_TEMPLATE(BM_AddColumns, TableWidget)->Unit(benchmark::kMillisecond)->Arg(1'000)->Arg(2'000)->Arg(4'000);
BENCHMARK_TEMPLATE(BM_PaintWide, OneHeading)->Unit(benchmark::kMillisecond)->Arg(20)->Arg(4'000);
BENCHMARK_TEMPLATE(BM_PaintWide, TableWidget)->Unit(benchmark::kMillisecond)->Arg(20)->Arg(4'000);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
