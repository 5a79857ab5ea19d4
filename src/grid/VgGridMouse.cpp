// Titles and headings as buttons. A press on a fixed cell, or on a heading of the band in
// row 0, is tracked while the button is held instead of starting the host's selecting,
// sizing or moving; the cell or heading is drawn pressed while the left button holds it
// with the pointer over it, and releasing the same button over it reports a click. The
// edges of a title that the host uses for sizing and moving stay the host's.
#include "grid/VgGrid.h"

#include "platform/app/MouseCapture.h"

namespace vg {

namespace {

// Room at the edges of a title that a left-button press leaves to the host.
constexpr int HostEdge = 4;

} // namespace

void TVelkoGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // A press while another is tracked means that one's release went elsewhere (to a
    // dialog its handler opened, say): it ends without a click.
    if (FTracking)
        EndTracking();
    const TGridCoord cell = VgMouseCoord(X, Y);
    if (!FVelkoColumnClick || !IsFixedCell(cell)) {
        TVgHintGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    TRect zone = CellRect(cell.X, cell.Y);
    if (Button == mbLeft) {
        const TGridOptions options = Options();
        int dx = 0;
        int dy = 0;
        if (cell.X >= FixedCols()) { // a column title
            dy = options.Contains(goColMoving) ? HostEdge : 0;
            dx = options.Contains(goColSizing) ? HostEdge : 0;
        } else if (cell.Y >= FixedRows()) { // a row title
            dx = options.Contains(goRowMoving) ? HostEdge : 0;
            dy = options.Contains(goRowSizing) ? HostEdge : 0;
        }
        zone = TRect{zone.Left + dx, zone.Top + dy, zone.Right - dx, zone.Bottom - dy};
    }
    if (!zone.Contains(TPoint{X, Y})) {
        TVgHintGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    FTrackCell = cell;
    FTrackHeading = MouseOnHeading(X, Y);
    FTracking = true;
    try {
        const TGridCoord pressed = FTrackCell;
        const int heading = FTrackHeading;
        if (OnBeforeFixedCellClick)
            OnBeforeFixedCellClick(this, pressed.X, pressed.Y, heading, FTracking);
        emit fixedCellPressed(pressed.X, pressed.Y, heading, FTracking);
    } catch (...) {
        FTracking = false;
        throw;
    }
    if (!FTracking) { // vetoed: the host has the press
        TVgHintGrid::MouseDown(Button, Shift, X, Y);
        return;
    }
    FTrackMouseButton = Button;
    SetCapture(viewport());
    TrackButton(X, Y);
}

void TVelkoGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FTracking && FVelkoColumnClick)
        TrackButton(X, Y);
    TVgHintGrid::MouseMove(Shift, X, Y);
}

void TVelkoGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!FVelkoColumnClick || !FTracking) {
        TVgHintGrid::MouseUp(Button, Shift, X, Y);
        return;
    }
    // Released where the press began (for a heading: over any column of its group), with
    // the button that began it: a click, reported once the press has ended, so that the
    // handler finds the grid at rest whatever it does.
    const bool click = Button == FTrackMouseButton && PointerOnTracked(X, Y);
    const int heading = FTrackHeading;
    EndTracking();
    if (!click) {
        TVgHintGrid::MouseUp(Button, Shift, X, Y);
        return;
    }
    ReportFixedCellClick(VgMouseCoord(X, Y), heading, Button, Shift, X, Y);
}

void TVelkoGrid::ReportFixedCellClick(TGridCoord Cell, int HeadingIndex, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FSortOnTitleClick && Button == mbLeft && HeadingIndex == -1 && Cell.Y == 0)
        SortByTitleClick(Cell.X);
    if (OnFixedCellClick)
        OnFixedCellClick(this, Cell.X, Cell.Y, HeadingIndex, Button, Shift, X, Y);
    emit fixedCellClicked(Cell.X, Cell.Y, HeadingIndex, Button, Shift, X, Y);
}

bool TVelkoGrid::PointerOnTracked(int X, int Y)
{
    const int heading = MouseOnHeading(X, Y);
    if (FTrackHeading == -1)
        return heading == -1 && VgMouseCoord(X, Y) == FTrackCell;
    return heading == FTrackHeading;
}

void TVelkoGrid::TrackButton(int X, int Y)
{
    const bool was = FTrackPressed;
    FTrackOver = PointerOnTracked(X, Y);
    // The right and middle buttons are tracked and click, but never look pressed.
    FTrackPressed = FTrackOver && FTrackMouseButton == mbLeft;
    if (FTrackPressed == was)
        return;
    if (FTrackHeading == -1)
        InvalidateRect(CellRect(FTrackCell.X, FTrackCell.Y));
    else
        RefreshTrackingHeading();
}

void TVelkoGrid::EndTracking()
{
    FTracking = false;
    TrackButton(-1, -1); // drops the pressed look
    FTrackPressed = false;
    if (GetCapture() == viewport())
        ReleaseCapture();
}

} // namespace vg
