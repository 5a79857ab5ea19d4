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

void CheckColumnCount(int Value)
{
    if (Value > TVelkoGrid::MaxColumnCount)
        throw EInvalidOperation(QStringLiteral("TVelkoGrid: %1 columns asked for, but a grid has at most %2")
                                    .arg(Value)
                                    .arg(TVelkoGrid::MaxColumnCount));
}

} // namespace

void TVelkoGrid::CreateColumns()
{
    for (int i = 0; i < ColCount(); ++i)
        FColumns->Add();
}

const std::vector<TvgColumn*>& TVelkoGrid::VisibleColumns() const
{
    if (FVisibleColumnsRevision != FColumns->Revision()) {
        FVisibleColumns.clear();
        for (int i = 0; i < FColumns->Count(); ++i) {
            TvgColumn* item = (*FColumns)[i];
            if (item->Visible())
                FVisibleColumns.push_back(item);
        }
        FVisibleColumnsRevision = FColumns->Revision();
    }
    return FVisibleColumns;
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
    CheckColumnCount(Value);
    if (!IsLoading() && Value > GetVisibleColumnCount())
        throw EInvalidOperation(
            QStringLiteral("TVelkoGrid: %1 columns asked for, but only %2 column objects are visible")
                .arg(Value)
                .arg(GetVisibleColumnCount()));
    SetGridColCount(Value);
}

void TVelkoGrid::SetColumnCount(int Value)
{
    CheckColumnCount(Value);
    TVgHintGrid::SetColCount(Value);
}

void TVelkoGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (RowCount() != OldRowCount) {
        for (int i = 0; i < FColumns->Count(); ++i) {
            TvgColumn* item = (*FColumns)[i];
            if (item->Visible())
                continue;
            TStrings* cols = item->Cols();
            while (cols->Count() < RowCount())
                cols->Add(QString());
        }
    }
    if (!FUpdatingColumns && ColCount() != OldColCount) {
        // The column objects follow the grid columns as they are now, not by the difference:
        // an event handler may have changed the count again while it changed.
        const int visible = GetVisibleColumnCount();
        for (int i = visible; i < ColCount(); ++i)
            FColumns->Add();
        int k = visible - ColCount();
        for (int i = FColumns->Count() - 1; i >= 0 && k > 0; --i) {
            if ((*FColumns)[i]->Visible()) {
                FColumns->Delete(i);
                --k;
            }
        }
    }
    TVgHintGrid::SizeChanged(OldColCount, OldRowCount);
}

void TVelkoGrid::HideColumn(TvgColumn* Column)
{
    const int n = VisibleItemsBefore(*FColumns, Column);
    if (n >= ColCount())
        return; // it described no grid column: nothing to take away
    QStringList cells;
    cells.reserve(RowCount());
    for (int row = 0; row < RowCount(); ++row)
        cells << Cells(n, row);
    Column->Cols()->SetStrings(cells);
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
    // A saved width no column can have, put there by the application, gives way to the
    // default width (below 0) or the largest one.
    SetColWidths(last, Column->SavedWidth < 0 ? DefaultColWidth() : std::min(Column->SavedWidth, MaxGridExtent));
    const TStrings* saved = Column->Cols();
    for (int row = 0; row < RowCount(); ++row)
        SetCells(last, row, row < saved->Count() ? saved->Get(row) : QString());
    {
        const QScopedValueRollback updating(FUpdatingColumns, true);
        MoveColumn(last, std::min(t, last));
    }
    Column->Cols()->Clear();
}

void TVelkoGrid::OnColumnPropertyChange(TvgHeading* Column, TvgProperty Prop)
{
    if (Prop == vgpropVisible) {
        auto* changed = dynamic_cast<TvgColumn*>(Column);
        // While loading, Loaded brings the grid in step; while the grid undoes a refused
        // hide, the changed is where it was.
        if (!changed || IsLoading() || FUpdatingColumns)
            return;
        HideEditor();
        if (changed->Visible()) {
            ShowColumn(changed);
        } else if (ColCount() <= 1 && VisibleItemsBefore(*FColumns, changed) < ColCount()) {
            // The grid's only changed cannot go: a grid has at least one changed.
            {
                const QScopedValueRollback updating(FUpdatingColumns, true);
                changed->SetVisible(true);
            }
            throw EInvalidOperation(QStringLiteral("TVelkoGrid: the only changed of a grid cannot be hidden"));
        } else {
            HideColumn(changed);
        }
    }
    InvalidateGrid();
}

} // namespace vg
