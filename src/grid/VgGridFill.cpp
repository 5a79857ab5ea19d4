#include "grid/VgGridFill.h"

#include "grid/VgGrid.h"

#include <algorithm>
#include <limits>

namespace vg {

namespace {

constexpr qint64 MaxCount = std::numeric_limits<int>::max();
// Column objects are weighty (fonts, borders, lists): a few kilobytes of text must not be
// able to ask for millions of them. This is as wide as common spreadsheets go.
constexpr qint64 MaxColumnObjects = 16384;
// Rows are added at least this many at a time, and at least half as many as there are.
constexpr int RowStep = 1024;

} // namespace

TvgGridFill::TvgGridFill(TVelkoGrid& Grid, int FirstColumn, int FirstRow)
    : FGrid(Grid), FFirstColumn(FirstColumn), FFirstRow(FirstRow), FRowsNeeded(Grid.RowCount())
{
    const TvgColumns& columns = *FGrid.Columns();
    for (int i = 0; i < columns.Count(); ++i) {
        if (!columns[i]->Visible())
            FHiddenLengths.emplace_back(columns[i], columns[i]->Cols()->Count());
    }
    MapTargets();
}

TvgGridFill::~TvgGridFill()
{
    if (FFinished)
        return;
    try {
        Finish();
    } catch (...) {
        // Already on the way out with an exception of its own; the extra rows stay empty.
    }
}

void TvgGridFill::MapTargets()
{
    FTargets.clear();
    const TvgColumns& columns = *FGrid.Columns();
    int gridColumn = 0;
    for (int i = 0; i < columns.Count(); ++i) {
        TvgColumn* column = columns[i];
        if (i >= FFirstColumn)
            FTargets.push_back({column->Visible() ? gridColumn : -1, column});
        if (column->Visible())
            ++gridColumn;
    }
}

void TvgGridFill::ReachLine(qint64 Line)
{
    const qint64 row = FFirstRow + Line;
    if (row >= MaxCount)
        throw EvgRowIndexOutOfRange(QStringLiteral("TVelkoGrid: row %1 is past the largest grid").arg(row));
    const qint64 rows = FGrid.RowCount();
    if (row >= rows)
        FGrid.SetRowCount(int(std::clamp(rows + std::max<qint64>(RowStep, rows / 2), row + 1, MaxCount)));
    FRowsNeeded = std::max(FRowsNeeded, int(row) + 1);
}

void TvgGridFill::ReachColumns(qint64 Count)
{
    if (Count <= qint64(FTargets.size()))
        return; // asked for every value: the column objects are there
    const qint64 needed = FFirstColumn + Count;
    const int present = FGrid.Columns()->Count();
    if (needed <= present)
        return;
    if (needed > MaxColumnObjects)
        throw EvgColumnIndexOutOfRange(
            QStringLiteral("TVelkoGrid: %1 column objects asked for; a grid is filled with at most %2")
                .arg(needed)
                .arg(MaxColumnObjects));
    // New column objects are visible: every one adds a grid column.
    FGrid.SetColumnCount(FGrid.ColCount() + int(needed - present));
    MapTargets();
}

void TvgGridFill::Store(int Index, qint64 Line, QString Value)
{
    const TTarget& target = FTargets[size_t(Index)];
    const int row = int(FFirstRow + Line);
    if (target.GridColumn >= 0) {
        FGrid.SetCells(target.GridColumn, row, std::move(Value));
        return;
    }
    TStrings* cells = target.Column->Cols();
    while (cells->Count() <= row)
        cells->Add(QString());
    cells->Put(row, std::move(Value));
}

void TvgGridFill::Finish()
{
    FFinished = true;
    if (FGrid.RowCount() != FRowsNeeded)
        FGrid.SetRowCount(FRowsNeeded);
    for (const auto& [column, length] : FHiddenLengths) {
        TStrings* cells = column->Cols();
        const int keep = std::max(length, FGrid.RowCount());
        while (cells->Count() > keep)
            cells->Delete(cells->Count() - 1);
    }
}

} // namespace vg
