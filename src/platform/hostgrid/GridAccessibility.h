/// \file
/// What the host grid tells accessibility clients, and how they find its interfaces. The
/// grid calls these at the few places where its cells, selection, focus or shape change;
/// each returns at once while no client is active (QAccessible::isActive, kept in a flag
/// that Qt's activation reports update), so that the grid's painting and filling cost the
/// same as without them.
#pragma once

#include "platform/core/Export.h"

#include "platform/core/Types.h"
#include "platform/hostgrid/PackedRow.h"
#include "platform/hostgrid/GridTypes.h"

#include <QAccessible>

#include <span>

namespace vg {

class TCustomGrid;
class TGridAccessible;

namespace GridAccessibility {

/// Installs the accessibility factory of the host grids once; called by every grid's
/// constructor, so that no application has to.
VELKOGRID_EXPORT void Install();
/// The grid's table interface while a client is active; null otherwise.
VELKOGRID_EXPORT TGridAccessible* TableOf(TCustomGrid* grid);

namespace Detail {
/// QAccessible::isActive() as Qt last reported it; set up by Install.
extern VELKOGRID_EXPORT bool ClientsActive;
VELKOGRID_EXPORT void ReportCellText(TCustomGrid* grid, int col, int row);
VELKOGRID_EXPORT void ReportRowCells(TCustomGrid* grid, int row, std::span<const TCellText> cells);
VELKOGRID_EXPORT void ReportSelectionMoved(TCustomGrid* grid, const TGridRect& oldSelection);
} // namespace Detail

/// A cell's text changed: its name and value. Called for every cell written, so the test
/// for a client is inline.
inline void CellTextChanged(TCustomGrid* grid, int col, int row)
{
    if (Detail::ClientsActive)
        Detail::ReportCellText(grid, col, row);
}
inline void RowCellsChanged(TCustomGrid* grid, int row, std::span<const TCellText> cells)
{
    if (Detail::ClientsActive)
        Detail::ReportRowCells(grid, row, cells);
}
/// The selection or the current cell may have moved: the selection change, and the focus
/// on the new current cell while the grid holds the keyboard focus.
inline void SelectionMoved(TCustomGrid* grid, const TGridRect& oldSelection)
{
    if (Detail::ClientsActive)
        Detail::ReportSelectionMoved(grid, oldSelection);
}
/// The keyboard focus came to the grid itself: the current cell is reported focused once
/// the grid's own focus report went out.
VELKOGRID_EXPORT void FocusEntered(TCustomGrid* grid);
/// The editor was loaded for a cell: it is named after the cell.
VELKOGRID_EXPORT void EditorLoaded(TCustomGrid* grid, QWidget* editor, TGridCoord cell);

/// Held while the grid's rows or columns are inserted, removed or moved: reports one change
/// of the table when the outermost report of a grid ends, and keeps the cell reports of
/// the operation's own writes to itself. Indices are grid indices; a change that touches
/// fixed cells, or several at once, or one that an exception cut short, is reported as a
/// reset.
class VELKOGRID_EXPORT TShapeChange {
public:
    enum TKind { Reset, RowsInserted, RowsRemoved, ColumnsInserted, ColumnsRemoved };
    TShapeChange(TCustomGrid* grid, TKind kind, int first = -1, int last = -1);
    ~TShapeChange();
    TShapeChange(const TShapeChange&) = delete;
    TShapeChange& operator=(const TShapeChange&) = delete;

private:
    TCustomGrid* FGrid = nullptr; // null: nothing to report (no client, or nested)
    TKind FKind;
    int FFirst;
    int FLast;
    int FExceptions = 0; // in flight when the change began
};

/// The report of new counts: rows (columns) added or taken away at the end; a reset when
/// both counts change.
VELKOGRID_EXPORT TShapeChange CountsChange(TCustomGrid* grid, int oldColCount, int oldRowCount, int newColCount, int newRowCount);

/// Whether a shape change of the grid is being reported.
VELKOGRID_EXPORT bool ShapeChanging(const TCustomGrid* grid);

} // namespace GridAccessibility

} // namespace vg
