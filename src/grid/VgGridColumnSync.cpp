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
    if (FUpdatingColumns || IsLoading() || IsDestroying() || !Column->Visible())
        return;
    const int gridColumn = GridColumnForColumnObject(Column);
    if (gridColumn < 0)
        return;
    if (FColumns->UpdateCount() > 0 || ColCount() <= 1) {
        FColumnsRemoved = true;
        return;
    }
    // Called from a destructor: nothing may escape.
    try {
        HideEditor();
        const QScopedValueRollback updating(FUpdatingColumns, true);
        DeleteColumn(gridColumn);
    } catch (const std::exception& e) {
        Application().HandleException(e);
    }
}

void TVelkoGrid::ColumnsChanged()
{
    TitleLookChanged();
    if (!FColumnsRemoved || FUpdatingColumns || IsLoading() || IsDestroying())
        return;
    FColumnsRemoved = false;
    HideEditor();
    if (GetVisibleColumnCount() == 0) {
        // A grid keeps at least one column: the first one stays, with its cells, under a
        // new default object.
        const QScopedValueRollback updating(FUpdatingColumns, true);
        FColumns->Add();
    }
    if (GetVisibleColumnCount() < ColCount())
        SetGridColCount(GetVisibleColumnCount());
    InvalidateGrid();
}

} // namespace vg
