// TVelkoGrid: entering and leaving cells and rows. FEnteredCell is the cell the enter
// events last reported; the exit events report it, whatever has happened to the rows and
// columns since.
#include "grid/VgGrid.h"

#include "platform/app/Application.h"

namespace vg {

bool TVelkoGrid::SelectCell(int ACol, int ARow)
{
    if (!TVgHintGrid::SelectCell(ACol, ARow))
        return false;
    if (ACol == FEnteredCell.X && ARow == FEnteredCell.Y)
        return true;
    const bool rowChanges = ARow != FEnteredCell.Y;
    const bool cellExit = DoExitCell();
    // The row is asked even when the cell has refused.
    const bool rowExit = !rowChanges || DoExitRow();
    if (!cellExit || !rowExit)
        return false;
    FEnteredCell = {ACol, ARow};
    // The move stands once both exits allowed it: a failing enter handler is reported
    // and the grid still moves, so the entered cell and the current cell stay one.
    Application().GuardEvent([&] {
        if (rowChanges)
            DoEnterRow();
        DoEnterCell();
    });
    return true;
}

void TVelkoGrid::DoEnter()
{
    TVgHintGrid::DoEnter();
    FEnteredCell = {Col(), Row()};
    DoEnterRow();
    DoEnterCell();
}

void TVelkoGrid::DoExit()
{
    // Losing the focus cannot be refused, and a failing handler must not keep the editor
    // open: each step is reported on its own.
    Application().GuardEvent([this] { DoExitCell(); });
    Application().GuardEvent([this] { DoExitRow(); });
    TVgHintGrid::DoExit();
}

bool TVelkoGrid::DoExitCell()
{
    return NotifyExit(OnExitCell, &TVelkoGrid::aboutToExitCell);
}

bool TVelkoGrid::DoExitRow()
{
    return NotifyExit(OnExitRow, &TVelkoGrid::aboutToExitRow);
}

void TVelkoGrid::DoEnterCell()
{
    NotifyEnter(OnEnterCell, &TVelkoGrid::cellEntered);
}

void TVelkoGrid::DoEnterRow()
{
    NotifyEnter(OnEnterRow, &TVelkoGrid::rowEntered);
}

bool TVelkoGrid::NotifyExit(const TvgOnExitCell& Event, void (TVelkoGrid::*Signal)(int, int, bool&))
{
    bool canExit = true;
    // The exit handler sees a shown suggestion taken into the cell already.
    if (TVgInplaceEdit* editor = VgInplaceEditor(); editor && FAutoAcceptSuggestion)
        editor->AcceptSuggestion();
    const TGridCoord cell = FEnteredCell;
    if (Event)
        Event(this, cell.X, cell.Y, canExit);
    (this->*Signal)(cell.X, cell.Y, canExit);
    if (!HintFollowsMouse())
        ShowTheHint(false);
    return canExit;
}

void TVelkoGrid::NotifyEnter(const TvgOnEnterCell& Event, void (TVelkoGrid::*Signal)(int, int))
{
    const TGridCoord cell = FEnteredCell;
    if (Event)
        Event(this, cell.X, cell.Y);
    (this->*Signal)(cell.X, cell.Y);
    // A hint that follows the current cell moves to the entered one.
    if (!HintFollowsMouse())
        SetHintCoord(FEnteredCell);
}

} // namespace vg
