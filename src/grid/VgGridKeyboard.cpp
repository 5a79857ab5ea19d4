// The title click from the keyboard: what applications do on a click of a column title
// (sorting by that column, say) is reached without a mouse. Ctrl+Space clicks the title of
// the current column, Ctrl+Shift+Space clicks it with Shift held; the click is reported as
// a left-button click on the middle of the title, as OnFixedCellClick reports a mouse
// click, after OnBeforeFixedCellClick let it happen.
#include "grid/VgGrid.h"

namespace vg {

void TVelkoGrid::KeyDown(int& Key, TShiftState Shift)
{
    const bool titleClick = Key == VK_SPACE && Shift.Contains(ssCtrl) && (Shift - TShiftState{ssCtrl, ssShift}).IsEmpty();
    if (!titleClick || !FVelkoColumnClick || FixedRows() < 1) {
        TVgHintGrid::KeyDown(Key, Shift);
        if (Key != 0 && ClipboardKey(Key, Shift))
            Key = 0;
        return;
    }
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    emit keyPressed(Key, Shift);
    if (Key != VK_SPACE)
        return; // the application took the key, or made it another one
    Key = 0;
    const int col = Col();
    bool canClick = true;
    if (OnBeforeFixedCellClick)
        OnBeforeFixedCellClick(this, col, 0, -1, canClick);
    emit fixedCellPressed(col, 0, -1, canClick);
    if (!canClick)
        return;
    // The title's middle where it is on screen; (-1, -1) where it is not.
    const TRect title = CellRect(col, 0);
    const bool shown = title.Right > title.Left && title.Bottom > title.Top;
    const int x = shown ? (title.Left + title.Right) / 2 : -1;
    const int y = shown ? (title.Top + title.Bottom) / 2 : -1;
    ReportFixedCellClick(TGridCoord{col, 0}, -1, mbLeft, Shift - TShiftState{ssCtrl}, x, y);
}

} // namespace vg
