/// \file
/// What the column-model editor asks of its grid. The editor lies below the grid: it knows
/// its grid only through this interface, which TVelkoGrid implements, and the grid creates
/// and owns its editor. Cells are named in grid coordinates (fixed cells included).
#pragma once

#include "common/VgColumn.h"
#include "platform/core/Colors.h"
#include "platform/core/Export.h"
#include "platform/core/Types.h"

#include <QString>

namespace vg {

class TCanvas;
class TFont;
class TInplaceEditGrid;

/// The look of a data cell that the editor takes over: its colour, and how its text lies.
/// \ingroup editor
struct VELKOGRID_EXPORT TVgEditorLook {
    TColor Color = clWindow;
    TAlignment Alignment = taLeftJustify;
    TvgClipStyle ClipStyle = vgclpClip;
};

/// What the column-model editor asks of its grid; the editor knows its grid only through this
/// interface, which TVelkoGrid implements. Cells are named in grid coordinates.
/// \ingroup editor
class VELKOGRID_EXPORT TVgEditorGrid {
public:
    /// The grid as the host editor sees it (text, keys, focus).
    virtual TInplaceEditGrid* EditorHost() = 0;

    /// The current cell, which the editor always edits, and the column object of a grid
    /// column (EvgColumnIndexOutOfRange when none describes it).
    virtual TGridCoord EditorCurrentCell() const = 0;
    virtual TvgColumn* EditorColumn(int ACol) const = 0;
    virtual QString EditorCells(int ACol, int ARow) const = 0;
    virtual void EditorSetCells(int ACol, int ARow, const QString& Value) = 0;

    /// The cell's look as the grid paints it (column look, then the attribute event): its
    /// colour, alignment and clipping are answered and its font assigned into AFont.
    virtual TVgEditorLook EditorCellLook(int ACol, int ARow, TFont& AFont) = 0;
    /// The cell's image: placed in Rect and drawn on Canvas when Draw is true; either way its
    /// strip is taken out of Rect.
    virtual void EditorCellImage(int ACol, int ARow, TRect& Rect, bool Draw, TCanvas& Canvas) = 0;

    /// The application's last word on whether the cell is read-only (starting from ReadOnly).
    virtual bool EditorReadOnly(int ACol, int ARow, bool ReadOnly) = 0;
    /// A suggestion for CellText from the application; empty for none. Not asked when it
    /// has no suggestion handler (HasSuggestionHandler false).
    virtual bool EditorHasSuggestionHandler() const = 0;
    virtual QString EditorSuggestion(int ACol, int ARow, const QString& CellText) = 0;
    /// Whether leaving a cell takes a shown suggestion.
    virtual bool EditorAutoAcceptSuggestion() const = 0;

    /// Reports: the column button was clicked, the cell's text was edited, a value from the
    /// drop-down list (or an accepted suggestion) was written into the cell.
    virtual void EditorButtonClick(int ACol, int ARow) = 0;
    virtual void EditorCellEdited(int ACol, int ARow) = 0;
    virtual void EditorComboSelection(int ACol, int ARow) = 0;

    /// The pointer moved over the edited cell: a cell hint that follows the mouse goes there.
    virtual void EditorPointerOnCell(int ACol, int ARow) = 0;

protected:
    ~TVgEditorGrid() = default;
};

} // namespace vg
