// Sorting the rows of a 20-column grid by a numeric column and by a text column: the
// column-model grid's SortByColumn against QTableWidget::sortItems on the same data (the
// numbers stored as numbers in the table's items, so that it too sorts them by value), at
// 200,000 rows, and the grid alone at 1,000,000 rows for how the time grows per row. Each
// iteration sorts rows in their filled, shuffled order: putting them back is not timed.
// Argument 0: by the numeric column, 1: by the text column.
#include "grid/VgGrid.h"

#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int SortColumns = 20;
constexpr int NumberColumn = 1;
constexpr int TextColumn = 2;
constexpr int PlaceColumn = 3; // the row's place when filled, as a number

// Shuffled keys, made once per row count: numbers with two decimals, and names with a
// number in them ("Item 9" and "Item 10"), many of them equal.
struct SortData {
    std::vector<double> Numbers;
    std::vector<QString> Texts;
};

const SortData& DataFor(int rows)
{
    static std::map<int, SortData> made;
    SortData& data = made[rows];
    if (!data.Numbers.empty())
        return data;
    std::mt19937 random(7);
    for (int r = 0; r < rows; ++r) {
        data.Numbers.push_back(double(random() % 100'000'000) / 100.0 - 100'000.0);
        data.Texts.push_back(QStringLiteral("Item %1").arg(random() % unsigned(rows / 4 + 1)));
    }
    return data;
}

QString Filler(int r, int c)
{
    return QStringLiteral("R%1C%2").arg(r).arg(c);
}

void BM_SortVelkoGrid(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const int key = state.range(1) == 0 ? NumberColumn : TextColumn;
    const SortData& data = DataFor(rows);
    auto grid = std::make_unique<vg::TVelkoGrid>();
    grid->SetColumnCount(SortColumns);
    grid->SetRowCount(rows + 1);
    grid->GetVisibleColumn(NumberColumn)->SetFormatType(vg::vgfmtNumeric);
    grid->GetVisibleColumn(PlaceColumn)->SetFormatType(vg::vgfmtNumeric);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < SortColumns; ++c) {
            QString text = c == NumberColumn ? QString::number(data.Numbers[size_t(r)], 'f', 2)
                           : c == TextColumn ? data.Texts[size_t(r)]
                           : c == PlaceColumn ? QString::number(r)
                                              : Filler(r, c);
            grid->SetCells(c, r + 1, text);
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        grid->SortByColumn(PlaceColumn);
        state.ResumeTiming();
        grid->SortByColumn(key);
    }
    state.counters["ns/row"] = benchmark::Counter(double(rows), benchmark::Counter::kIsIterationInvariantRate |
                                                                   benchmark::Counter::kInvert);
}

void BM_SortTableWidget(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const int key = state.range(1) == 0 ? NumberColumn : TextColumn;
    const SortData& data = DataFor(rows);
    auto table = std::make_unique<QTableWidget>(rows, SortColumns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < SortColumns; ++c) {
            auto* item = new QTableWidgetItem;
            if (c == NumberColumn)
                item->setData(Qt::DisplayRole, data.Numbers[size_t(r)]);
            else if (c == PlaceColumn)
                item->setData(Qt::DisplayRole, r);
            else
                item->setText(c == TextColumn ? data.Texts[size_t(r)] : Filler(r, c));
            table->setItem(r, c, item);
        }
    }
    for (auto _ : state) {
        state.PauseTiming();
        table->sortItems(PlaceColumn);
        state.ResumeTiming();
        table->sortItems(key);
    }
    state.counters["ns/row"] = benchmark::Counter(double(rows), benchmark::Counter::kIsIterationInvariantRate |
                                                                   benchmark::Counter::kInvert);
}

BENCHMARK(BM_SortVelkoGrid)->Unit(benchmark::kMillisecond)->Iterations(3)->ArgsProduct({{200'000, 1'000'000}, {0, 1}});
BENCHMARK(BM_SortTableWidget)->Unit(benchmark::kMillisecond)->Iterations(3)->ArgsProduct({{200'000}, {0, 1}});

} // namespace
