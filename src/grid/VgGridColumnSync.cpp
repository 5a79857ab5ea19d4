// Keeping the grid in step when a program removes column objects from Columns directly.
// A removed visible object takes its own grid column along, so the columns around it keep
// their cells; removals inside an update are matched by position once the update ends, as
// the columns editor's write-back (Assign, then SetColCount) expects.
#include "grid/VgGrid.h"

#include "platform/app/Application.h"

#include <QScopedValueRollback>

#include <exception>

namespace vg {

void TVelkoGrid::ColumnDestroying(TvgColumn* Column)
{
    if (Column == FSortIndicatorColumn)
        FSortIndicatorColumn = nullptr;
    if (IsLoading() || IsDestroying() || !Column->Visible())
        return;
    if (FUpdatingColumns) {
        // Destroyed directly by an event handler while the grid hides or shows a column
        // (collection edits are refused then): matched by position once that is complete.
        if (FRearrangingColumns)
            FColumnsRemoved = true;
        return;
    }
    // The grid column the object takes along; -1 when it takes none now.
    const auto gridColumnToDelete = [this, Column] {
        const int gridColumn = GridColumnForColumnObject(Column);
        if (gridColumn >= 0 && (FColumns->UpdateCount() > 0 || ColCount() <= 1)) {
            FColumnsRemoved = true;
            return -1;
        }
        return gridColumn;
    };
    if (gridColumnToDelete() < 0)
        return;
    // Called from a destructor: nothing may escape, and the grid column goes whatever the
    // handlers of the editor's commit and of the column move do. Those of the commit run
    // with the columns in step and may change them: the grid column is looked up again.
    Application().GuardEvent([this] { HideEditor(); });
    const int gridColumn = gridColumnToDelete();
    if (gridColumn < 0)
        return;
    Application().GuardEvent([this, gridColumn] {
        const std::exception_ptr error = Rearrange([this, gridColumn] {
            const QScopedValueRollback updating(FUpdatingColumns, true);
            DeleteColumn(gridColumn);
        });
        if (error)
            std::rethrow_exception(error);
    });
}

void TVelkoGrid::ColumnsChanged()
{
    TitleLookChanged();
    if (!FColumnsRemoved || FUpdatingColumns || IsLoading() || IsDestroying())
        return;
    FColumnsRemoved = false;
    // Also reported from a column object's destructor: nothing may escape, and the grid
    // comes in step whatever the editor's commit does.
    Application().GuardEvent([this] { HideEditor(); });
    Application().GuardEvent([this] {
        if (GetVisibleColumnCount() == 0) {
            // A grid keeps at least one column: the first one stays, with its cells, under
            // a new default object.
            const QScopedValueRollback updating(FUpdatingColumns, true);
            FColumns->Add();
        }
        if (GetVisibleColumnCount() < ColCount())
            SetGridColCount(GetVisibleColumnCount());
    });
    InvalidateGrid();
}

} // namespace vg
