// The mapping between grid columns and column objects, and keeping Columns in step with
// the grid: counts, hiding and showing.
#include "grid/VgGrid.h"

#include "platform/core/Exceptions.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace vg {

namespace {

// Visible items before Column in collection order: the grid column it occupies.
int VisibleItemsBefore(const TvgColumns& Columns, const TvgColumn* Column)
{
    int n = 0;
    for (int i = 0; i < Columns.Count(); ++i) {
        const TvgColumn* item = Columns[i];
        if (item == Column)
            return n;
        if (item->Visible())
            ++n;
    }
    return n;
}

} // namespace

void TVelkoGrid::CreateColumns()
{
    for (int i = 0; i < ColCount(); ++i)
        FColumns->Add();
}

void TVelkoGrid::RebuildColumnLists() const
{
    if (FColumnListsRevision == FColumns->Revision())
        return;
    FVisibleColumns.clear();
    FHiddenColumns.clear();
    for (int i = 0; i < FColumns->Count(); ++i) {
        TvgColumn* item = (*FColumns)[i];
        (item->Visible() ? FVisibleColumns : FHiddenColumns).push_back(item);
    }
    FColumnListsRevision = FColumns->Revision();
}

const std::vector<TvgColumn*>& TVelkoGrid::VisibleColumns() const
{
    RebuildColumnLists();
    return FVisibleColumns;
}

const std::vector<TvgColumn*>& TVelkoGrid::HiddenColumns() const
{
    RebuildColumnLists();
    return FHiddenColumns;
}

void TVelkoGrid::KeepHiddenCellsInStep()
{
    for (TvgColumn* item : HiddenColumns())
        item->Cols()->SetCount(RowCount());
}

TvgColumn* TVelkoGrid::GetVisibleColumn(int Index) const
{
    const std::vector<TvgColumn*>& columns = VisibleColumns();
    if (Index < 0 || size_t(Index) >= columns.size())
        throw EvgColumnIndexOutOfRange(QStringLiteral("TVelkoGrid: Column index out of range"));
    return columns[size_t(Index)];
}

int TVelkoGrid::GetVisibleColumnCount() const
{
    return int(VisibleColumns().size());
}

int TVelkoGrid::GridColumnForColumnObject(const TvgColumn* Column) const
{
    if (!Column || !Column->Visible() || Column->Collection() != FColumns.get())
        return -1;
    const int n = VisibleItemsBefore(*FColumns, Column);
    return n < ColCount() ? n : -1;
}

void TVelkoGrid::SetGridColCount(int Value)
{
    const QScopedValueRollback updating(FUpdatingColumns, true);
    TVgHintGrid::SetColCount(Value);
}

void TVelkoGrid::SetColCount(int Value)
{
    if (!IsLoading() && Value > GetVisibleColumnCount())
        throw EInvalidOperation(
            QStringLiteral("TVelkoGrid: %1 columns asked for, but only %2 column objects are visible")
                .arg(Value)
                .arg(GetVisibleColumnCount()));
    SetGridColCount(Value);
}

void TVelkoGrid::SetColumnCount(int Value)
{
    TVgHintGrid::SetColCount(Value);
}

void TVelkoGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    // Rows added get empty cells in the hidden columns too, and rows removed take their
    // hidden cells with them, so that they do not come back when rows are added again.
    if (RowCount() != OldRowCount)
        KeepHiddenCellsInStep();
    if (!FUpdatingColumns) {
        if (ColCount() > OldColCount) {
            for (int i = OldColCount; i < ColCount(); ++i)
                FColumns->Add();
        } else if (ColCount() < OldColCount) {
            int k = OldColCount - ColCount();
            for (int i = FColumns->Count() - 1; i >= 0 && k > 0; --i) {
                if ((*FColumns)[i]->Visible()) {
                    FColumns->Delete(i);
                    --k;
                }
            }
        }
    }
    TVgHintGrid::SizeChanged(OldColCount, OldRowCount);
}

void TVelkoGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    // While the grid moves its own columns (hiding or showing one), the objects are in
    // place; and a collection out of step with the grid has no object to move.
    if (!FUpdatingColumns && std::max(FromIndex, ToIndex) < GetVisibleColumnCount())
        FColumns->Move(GetVisibleColumn(FromIndex)->Index(), GetVisibleColumn(ToIndex)->Index());
    TVgHintGrid::ColumnMoved(FromIndex, ToIndex);
}

void TVelkoGrid::RowMoved(int FromIndex, int ToIndex)
{
    TVgHintGrid::RowMoved(FromIndex, ToIndex);
    MoveHiddenCells(FromIndex, ToIndex);
}

void TVelkoGrid::MoveRowContents(int FromIndex, int ToIndex)
{
    TVgHintGrid::MoveRowContents(FromIndex, ToIndex);
    MoveHiddenCells(FromIndex, ToIndex);
}

void TVelkoGrid::MoveHiddenCells(int FromIndex, int ToIndex)
{
    KeepHiddenCellsInStep();
    for (TvgColumn* item : HiddenColumns())
        item->Cols()->Move(FromIndex, ToIndex);
}

void TVelkoGrid::HideColumn(TvgColumn* Column)
{
    const int n = VisibleItemsBefore(*FColumns, Column);
    if (n >= ColCount())
        return; // it described no grid column: nothing to take away
    // Only the cells that hold text are copied: rows without text cost nothing.
    TSparseStrings* cols = Column->Cols();
    cols->Clear();
    cols->SetCount(RowCount());
    ForEachTextInColumn(n, [cols](int row, const QString& text) { cols->Put(row, text); });
    Column->SavedWidth = ColWidths(n);
    const QScopedValueRollback updating(FUpdatingColumns, true);
    DeleteColumn(n);
}

void TVelkoGrid::ShowColumn(TvgColumn* Column)
{
    const int t = VisibleItemsBefore(*FColumns, Column);
    if (ColCount() >= GetVisibleColumnCount())
        return; // already a grid column
    const int w = ColWidths(ColCount() - 1);
    SetGridColCount(ColCount() + 1);
    const int last = ColCount() - 1;
    SetColWidths(last - 1, w);
    SetColWidths(last, Column->SavedWidth);
    // The new grid column is empty: only the kept cells that hold text are written.
    Column->Cols()->ForEachFilled([this, last](int row, const QString& text) {
        if (row < RowCount())
            SetCells(last, row, text);
    });
    {
        const QScopedValueRollback updating(FUpdatingColumns, true);
        MoveColumn(last, std::min(t, last));
    }
    Column->Cols()->Clear();
}

void TVelkoGrid::OnColumnPropertyChange(TvgHeading* Column, TvgProperty Prop)
{
    if (Prop == vgpropVisible) {
        auto* item = dynamic_cast<TvgColumn*>(Column);
        // While loading, Loaded brings the grid in step; while the grid undoes a refused
        // hide, the column is where it was.
        if (!item || IsLoading() || FUpdatingColumns)
            return;
        HideEditor();
        if (item->Visible()) {
            ShowColumn(item);
        } else if (ColCount() <= 1 && VisibleItemsBefore(*FColumns, item) < ColCount()) {
            // The grid's only column cannot go: a grid has at least one column.
            {
                const QScopedValueRollback updating(FUpdatingColumns, true);
                item->SetVisible(true);
            }
            throw EInvalidOperation(QStringLiteral("TVelkoGrid: the only column of a grid cannot be hidden"));
        } else {
            HideColumn(item);
        }
    }
    InvalidateGrid();
}

} // namespace vg
