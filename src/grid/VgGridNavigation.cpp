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
    return NotifyExit(OnExitCell);
}

bool TVelkoGrid::DoExitRow()
{
    return NotifyExit(OnExitRow);
}

void TVelkoGrid::DoEnterCell()
{
    NotifyEnter(OnEnterCell);
}

void TVelkoGrid::DoEnterRow()
{
    NotifyEnter(OnEnterRow);
}

bool TVelkoGrid::NotifyExit(const TvgOnExitCell& Event)
{
    bool canExit = true;
    // The exit handler sees a shown suggestion taken into the cell already.
    if (TVgInplaceEdit* editor = VgInplaceEditor(); editor && FAutoAcceptSuggestion)
        editor->AcceptSuggestion();
    if (Event)
        Event(this, FEnteredCell.X, FEnteredCell.Y, canExit);
    if (!HintFollowsMouse())
        ShowTheHint(false);
    return canExit;
}

void TVelkoGrid::NotifyEnter(const TvgOnEnterCell& Event)
{
    if (Event)
        Event(this, FEnteredCell.X, FEnteredCell.Y);
    // A hint that follows the current cell moves to the entered one.
    if (!HintFollowsMouse())
        SetHintCoord(FEnteredCell);
}

} // namespace vg
