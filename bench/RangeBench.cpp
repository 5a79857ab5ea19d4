// Copying, pasting and undoing a range of 100,000 rows x 10 columns, each against its floor:
// building (or splitting) the same tab-separated text with plain QString operations.
//
// - Copy: CopyToClipboard of the whole range (the tab-separated text and the HTML table of
//   the shown texts) against joining the values with tabs and line ends.
// - Paste: PasteText of that text into an empty grid (every cell changes, each is reported
//   and kept for undo) against splitting the text at line ends and tabs.
// - Undo of that paste against the paste itself.
#include "grid/VgGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int RangeRows = 100'000;
constexpr int RangeColumns = 10;

// Values as order lines hold them: numbers, amounts, names, codes with leading zeros.
QString RangeValue(int row, int column)
{
    switch (column % 4) {
    case 0:
        return QString::number(row * RangeColumns + column);
    case 1:
        return QString::number((row * 31 + column) % 100000 / 100.0, 'f', 2);
    case 2:
        return QStringLiteral("Item %1").arg(row % 977);
    default:
        return QStringLiteral("%1").arg(row % 5000, 6, 10, QLatin1Char('0'));
    }
}

const QList<QStringList>& RangeValues()
{
    static const QList<QStringList> values = [] {
        QList<QStringList> lines;
        for (int row = 0; row < RangeRows; ++row) {
            QStringList line;
            for (int column = 0; column < RangeColumns; ++column)
                line << RangeValue(row, column);
            lines << line;
        }
        return lines;
    }();
    return values;
}

QString PlainText()
{
    QString text;
    for (const QStringList& line : RangeValues()) {
        text += line.join(u'\t');
        text += u'\n';
    }
    return text;
}

// A grid of one fixed row and column whose data cells hold RangeValues (when Filled).
std::unique_ptr<vg::TVelkoGrid> RangeGrid(bool Filled)
{
    auto grid = std::make_unique<vg::TVelkoGrid>();
    grid->SetColumnCount(RangeColumns + 1);
    grid->SetRowCount(RangeRows + 1);
    if (Filled)
        for (int row = 0; row < RangeRows; ++row)
            for (int column = 0; column < RangeColumns; ++column)
                grid->SetCells(column + 1, row + 1, RangeValues()[row][column]);
    return grid;
}

void BM_RangeCopyFloor(benchmark::State& state)
{
    RangeValues();
    for (auto _ : state)
        benchmark::DoNotOptimize(PlainText());
}

void BM_RangeCopy(benchmark::State& state)
{
    const auto grid = RangeGrid(true);
    grid->SetSelection(vg::GridRect(1, 1, RangeColumns, RangeRows));
    for (auto _ : state)
        grid->CopyToClipboard();
    state.counters["text_chars"] = double(QGuiApplication::clipboard()->text().size());
}

void BM_RangePasteFloor(benchmark::State& state)
{
    const QString text = PlainText();
    for (auto _ : state) {
        QList<QStringList> lines;
        for (const QString& line : text.split(u'\n', Qt::SkipEmptyParts))
            lines << line.split(u'\t');
        benchmark::DoNotOptimize(lines);
    }
}

// Pastes into an empty grid; with Undo, the time of undoing that paste is measured instead.
void BM_RangePaste(benchmark::State& state)
{
    const bool undo = state.range(0) != 0;
    const QString text = PlainText();
    int edited = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = RangeGrid(false);
        grid->OnCellEdited = [&edited](vg::TObject*, int, int) { ++edited; };
        grid->SetSelection(vg::GridRect(1, 1, 1, 1));
        if (undo) {
            grid->PasteText(text);
            state.ResumeTiming();
            grid->UndoStack()->undo();
        } else {
            state.ResumeTiming();
            grid->PasteText(text);
        }
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["edited_per_run"] = double(edited) / double(state.iterations()) / (undo ? 2 : 1);
}

} // namespace

BENCHMARK(BM_RangeCopyFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RangeCopy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RangePasteFloor)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RangePaste)->Unit(benchmark::kMillisecond)->Iterations(3)->ArgName("undo")->Arg(0)->Arg(1);
