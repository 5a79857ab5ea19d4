// The mapping between grid columns and column objects, and keeping Columns in step with
// the grid: counts, hiding and showing.
#include "grid/VgGrid.h"
#include "grid/VgGridUndo.h"

#include "platform/core/Exceptions.h"
#include "platform/hostgrid/GridAccessibility.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <utility>

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

constexpr auto RearrangingRefusal = "TVelkoGrid: the columns cannot change while the grid hides, shows or removes one";

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
    // Only the change of the count is the grid's own: the handlers that run once it is made
    // (the scroll position, the editor) edit the columns as at any other time (SizeChanged).
    const QScopedValueRollback after(FUpdatingColumnsAfterResize, std::optional<bool>(FUpdatingColumns));
    const QScopedValueRollback updating(FUpdatingColumns, true);
    TVgHintGrid::SetColCount(Value);
}

void TVelkoGrid::SetColCount(int Value)
{
    CheckColumnCount(Value);
    CheckNotRearranging();
    const auto checkVisible = [&] {
        if (!IsLoading() && Value > GetVisibleColumnCount())
            throw EInvalidOperation(
                QStringLiteral("TVelkoGrid: %1 columns asked for, but only %2 column objects are visible")
                    .arg(Value)
                    .arg(GetVisibleColumnCount()));
    };
    checkVisible();
    // The editor's text goes into its cell while that is still there, and whatever the
    // commit's handlers do to the columns is checked again.
    if (InplaceCell().X >= Value) {
        HideEditor();
        CheckNotRearranging();
        checkVisible();
    }
    SetGridColCount(Value);
}

void TVelkoGrid::SetColumnCount(int Value)
{
    CheckColumnCount(Value);
    CheckNotRearranging();
    TVgHintGrid::SetColCount(Value);
}

void TVelkoGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    // Rows added get empty cells in the hidden columns too, and rows removed take their
    // hidden cells with them, so that they do not come back when rows are added again.
    if (RowCount() != OldRowCount)
        KeepHiddenCellsInStep();
    if (ColCount() != OldColCount)
        TitleLookChanged();
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
    if (FUpdatingColumnsAfterResize)
        FUpdatingColumns = *std::exchange(FUpdatingColumnsAfterResize, std::nullopt);
}

void TVelkoGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    // While the grid moves its own columns (hiding or showing one), the objects are in
    // place; and a collection out of step with the grid has no object to move.
    if (!FUpdatingColumns && std::max(FromIndex, ToIndex) < GetVisibleColumnCount()) {
        FColumns->Move(GetVisibleColumn(FromIndex)->Index(), GetVisibleColumn(ToIndex)->Index());
        // A column the user or the program moved is a step; the grid's own moves are not.
        if (Recording() && FromIndex != ToIndex && !FRearrangingColumns)
            RecordStep(new TvgColumnMoveStep(*this, FromIndex, ToIndex));
    }
    NotifyApplication([&] { TVgHintGrid::ColumnMoved(FromIndex, ToIndex); });
}

void TVelkoGrid::TopLeftChanged()
{
    NotifyApplication([this] { TVgHintGrid::TopLeftChanged(); });
}

void TVelkoGrid::NotifyApplication(const std::function<void()>& Notify)
{
    if (!FRearrangingColumns) {
        Notify();
        return;
    }
    // A hide or show half done would leave grid columns without objects: it goes on, and
    // the handler's exception reaches the caller once it is complete.
    try {
        Notify();
    } catch (...) {
        if (!FRearrangingError)
            FRearrangingError = std::current_exception();
    }
}

void TVelkoGrid::RowMoved(int FromIndex, int ToIndex)
{
    MoveHiddenCells(FromIndex, ToIndex);
    TVgHintGrid::RowMoved(FromIndex, ToIndex);
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

void TVelkoGrid::CheckNotRearranging() const
{
    // An event handler run while a column is hidden or shown (the scroll position changes
    // with the columns) would otherwise change the very columns being counted and moved.
    if (FRearrangingColumns)
        throw EInvalidOperation(QLatin1String(RearrangingRefusal));
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
    const GridAccessibility::TShapeChange report(this, GridAccessibility::TShapeChange::ColumnsInserted, t, t);
    const int w = ColWidths(ColCount() - 1);
    SetGridColCount(ColCount() + 1);
    const int last = ColCount() - 1;
    SetColWidths(last - 1, w);
    // A saved width no column can have, put there by the application, gives way to the
    // default width (below 0) or the largest one.
    SetColWidths(last, Column->SavedWidth < 0 ? DefaultColWidth() : std::min(Column->SavedWidth, MaxGridExtent));
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

std::exception_ptr TVelkoGrid::Rearrange(const std::function<void()>& Work)
{
    const QScopedValueRollback rearranging(FRearrangingColumns, true);
    FRearrangingError = nullptr;
    Work();
    return std::exchange(FRearrangingError, nullptr);
}

void TVelkoGrid::OnColumnPropertyChange(TvgHeading* Column, TvgProperty Prop)
{
    TitleLookChanged();
    if (Prop == vgpropVisible) {
        auto* item = dynamic_cast<TvgColumn*>(Column);
        // While loading, Loaded brings the grid in step; while the grid undoes a refused
        // hide or show, the column is where it was.
        if (!item || IsLoading() || FRevertingVisibility)
            return;
        const bool visible = item->Visible();
        const auto putVisible = [this, item](bool Value) {
            const QScopedValueRollback reverting(FRevertingVisibility, true);
            item->SetVisible(Value);
        };
        const auto refuse = [&](const QString& message) {
            putVisible(!visible);
            throw EInvalidOperation(message);
        };
        // Hidden or shown by an event handler while another column is.
        if (FRearrangingColumns)
            refuse(QLatin1String(RearrangingRefusal));
        if (FUpdatingColumns)
            return;
        // The editor's text goes into its cell while the column is still where it was, so
        // that whatever the commit's handlers do to the columns is done to columns in step;
        // a handler that fails leaves the column as it was.
        const int id = item->ID();
        putVisible(!visible);
        HideEditor();
        if (FColumns->FindItemID(id) != item || item->Visible() == visible)
            return; // the commit's handlers removed the column, or hid or showed it themselves
        putVisible(visible);
        const std::exception_ptr error = Rearrange([&] {
            if (visible) {
                ShowColumn(item);
            } else if (ColCount() <= 1 && VisibleItemsBefore(*FColumns, item) < ColCount()) {
                // The grid's only column cannot go: a grid has at least one column.
                refuse(QStringLiteral("TVelkoGrid: the only column of a grid cannot be hidden"));
            } else {
                HideColumn(item);
            }
        });
        ColumnsChanged(); // a column object a handler destroyed directly meanwhile
        if (error)
            std::rethrow_exception(error);
        UpdateEdit(); // an editor that is always shown comes back on the current cell
    }
    InvalidateGrid();
}

} // namespace vg
