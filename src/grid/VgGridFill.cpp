#include "grid/VgGridFill.h"

#include "grid/VgGrid.h"

#include <QUndoStack>

#include <algorithm>
#include <limits>
#include <utility>

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
    // Steps recorded before a load refer to cells that the load overwrites.
    FGrid.UndoStack()->clear();
    const TvgColumns& columns = *FGrid.Columns();
    for (int i = 0; i < columns.Count(); ++i) {
        if (!columns[i]->Visible())
            FHiddenLengths.emplace_back(columns[i]->ID(), columns[i]->Cols()->Count());
    }
    MapTargets();
    FGrid.HoldEditorReload();
    FHoldingEditor = true;
}

TvgGridFill::~TvgGridFill()
{
    try {
        // A load refused part-way keeps its rows up to the last value stored: a line refused
        // before any of its values went in adds no row.
        FLineRows = 0;
        if (!FFinished)
            Finish();
    } catch (...) {
        // Already on the way out with an exception of its own; the extra rows stay empty.
    }
    try {
        ReleaseEditor();
    } catch (...) {
        // Likewise: what reloading the editor raises goes unreported.
    }
}

void TvgGridFill::ReleaseEditor()
{
    if (std::exchange(FHoldingEditor, false))
        FGrid.ReleaseEditorReload();
}

void TvgGridFill::MapTargets()
{
    FTargetsRevision = FGrid.Columns()->Revision();
    FTargets.clear();
    FReached = -1;
    const TvgColumns& columns = *FGrid.Columns();
    const int gridColumns = FGrid.ColCount();
    int gridColumn = 0;
    for (int i = 0; i < columns.Count(); ++i) {
        TvgColumn* column = columns[i];
        const bool shown = column->Visible();
        if (i >= FFirstColumn) {
            // A shown column object past the grid's columns (added directly, the grid not
            // yet in step) has no cell to take a value: the targets end before it.
            if (shown && gridColumn >= gridColumns && FReached < 0)
                FReached = int(FTargets.size());
            FTargets.push_back({shown ? gridColumn : -1, column});
        }
        if (shown)
            ++gridColumn;
    }
    if (FReached < 0)
        FReached = int(FTargets.size());
}

void TvgGridFill::ReachLine(qint64 Line)
{
    FlushLine();
    CountLineReached();
    const qint64 row = FFirstRow + Line;
    if (row >= MaxCount)
        throw EvgRowIndexOutOfRange(QStringLiteral("TVelkoGrid: row %1 is past the largest grid").arg(row));
    const qint64 rows = FGrid.RowCount();
    if (row >= rows) {
        // Ahead by a step, as far as the grid can grow; the step never takes away a row
        // that would fit one at a time.
        const qint64 ahead = std::min({rows + std::max<qint64>(RowStep, rows / 2), MaxCount, qint64(FGrid.MaxRowCount())});
        FGrid.SetRowCount(int(std::max(ahead, row + 1)));
    }
    FLineRows = int(row) + 1;
}

void TvgGridFill::CountLineReached()
{
    FRowsNeeded = std::max(FRowsNeeded, std::exchange(FLineRows, 0));
}

void TvgGridFill::ReachColumns(qint64 Count)
{
    if (Count <= FReached)
        return;
    const qint64 needed = FFirstColumn + Count;
    const qint64 missing = std::max<qint64>(needed - FGrid.Columns()->Count(), 0);
    if (missing > 0 && needed > MaxColumnObjects)
        throw EvgColumnIndexOutOfRange(
            QStringLiteral("TVelkoGrid: %1 column objects asked for; a grid is filled with at most %2")
                .arg(needed)
                .arg(MaxColumnObjects));
    FlushLine();
    // The grid is brought in step with its shown column objects first (objects removed
    // within an update leave it a column too many, which goes from the end, as it would
    // when the update ends); then every grid column added makes a new, shown column object.
    if (FGrid.ColCount() > FGrid.GetVisibleColumnCount() && FGrid.GetVisibleColumnCount() > 0)
        FGrid.SetColCount(FGrid.GetVisibleColumnCount());
    FGrid.SetColumnCount(FGrid.GetVisibleColumnCount() + int(missing));
    MapTargets();
    if (Count > FReached)
        throw EvgColumnIndexOutOfRange(
            QStringLiteral("TVelkoGrid: %1 values for %2 column objects from %3 on").arg(Count).arg(FReached).arg(FFirstColumn));
}

void TvgGridFill::Store(int Index, qint64 Line, QString Value)
{
    // Growing the grid runs the application's events, which may have changed the objects.
    if (FTargetsRevision != FGrid.Columns()->Revision())
        MapTargets();
    if (Index < 0 || Index >= FReached)
        throw EvgColumnIndexOutOfRange(QStringLiteral("TVelkoGrid: value %1 has no column object to go to").arg(Index));
    const TTarget& target = FTargets[size_t(Index)];
    const int row = int(FFirstRow + Line);
    FRowsNeeded = std::max(FRowsNeeded, row + 1);
    if (target.GridColumn >= 0) {
        if (Line != FLine) {
            FlushLine();
            FLine = Line;
        }
        FLineValues.emplace_back(target.GridColumn, std::move(Value));
        return;
    }
    TStrings* cells = target.Column->Cols();
    while (cells->Count() <= row)
        cells->Add(QString());
    cells->Put(row, std::move(Value));
}

void TvgGridFill::FlushLine()
{
    if (FLineValues.empty())
        return;
    // Values mostly come in column order; a line given out of order is put in order, the
    // value stored last winning for a column given twice.
    const auto byColumn = [](const auto& a, const auto& b) { return a.first < b.first; };
    if (!std::is_sorted(FLineValues.begin(), FLineValues.end(), byColumn))
        std::stable_sort(FLineValues.begin(), FLineValues.end(), byColumn);
    FLineCells.clear();
    for (const auto& [column, value] : FLineValues) {
        if (!FLineCells.empty() && FLineCells.back().Col == column)
            FLineCells.back().Text = value;
        else
            FLineCells.push_back({column, value});
    }
    // The line is done with even when writing it fails.
    struct TForget {
        std::vector<std::pair<int, QString>>& Values;
        ~TForget() { Values.clear(); }
    } forget{FLineValues};
    FGrid.SetRowCells(int(FFirstRow + FLine), FLineCells);
}

void TvgGridFill::Finish()
{
    FlushLine();
    CountLineReached();
    FFinished = true;
    if (FGrid.RowCount() != FRowsNeeded)
        FGrid.SetRowCount(FRowsNeeded);
    for (const auto& [id, length] : FHiddenLengths) {
        const auto* column = dynamic_cast<TvgColumn*>(FGrid.Columns()->FindItemID(id));
        if (!column || column->Visible())
            continue; // removed or shown by an event handler meanwhile
        TStrings* cells = column->Cols();
        const int keep = std::max(length, FGrid.RowCount());
        while (cells->Count() > keep)
            cells->Delete(cells->Count() - 1);
    }
    ReleaseEditor();
}

} // namespace vg
