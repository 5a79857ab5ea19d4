// TCustomGrid: the mouse. A press on a data cell makes it current (Shift extends the
// selection, dragging too); a press on the line between two fixed cells sizes the column
// or row before it (goColSizing, goRowSizing); a press on a fixed cell drags its column
// or row to another place (goColMoving, goRowMoving); a double click opens the editor.
// A selection or a column (row) dragged past an edge of the scrollable cells scrolls the
// grid while the pointer stays there.
#include "platform/hostgrid/CustomGrid.h"

#include "platform/app/Application.h"

#include <QMouseEvent>

namespace vg {

namespace {
// How far from a line a press still takes the line: the grab zone is at least this wide.
constexpr int SizingZone = 7;
} // namespace


void TCustomGrid::mousePressEvent(QMouseEvent* e)
{
    DispatchMouse(e, true, false);
}

void TCustomGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    DispatchMouse(e, true, true);
}

void TCustomGrid::mouseReleaseEvent(QMouseEvent* e)
{
    DispatchMouse(e, false, false);
}

void TCustomGrid::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint at = e->position().toPoint();
    Application().GuardEvent([&] { MouseMove(ShiftStateOf(e->modifiers(), e->buttons()), at.x(), at.y()); });
}

void TCustomGrid::DispatchMouse(QMouseEvent* e, bool press, bool doubleClick)
{
    const QPoint at = e->position().toPoint();
    const TMouseButton button = MouseButtonOf(e->button());
    TShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
    if (doubleClick)
        shift.Include(ssDouble);
    Application().GuardEvent([&] {
        if (press)
            MouseDown(button, shift, at.x(), at.y());
        else
            MouseUp(button, shift, at.x(), at.y());
    });
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!IsDesigning() && !FFocusInside)
        setFocus(Qt::MouseFocusReason);
    const TGridCoord cell = MouseCoord(X, Y);
    const bool dataCell = cell.X >= FFixedCols && cell.Y >= FFixedRows;
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
        DblClick();
        if (dataCell && cell == FCurrent)
            ShowEditor();
        return;
    }
    if (Button != mbLeft)
        return;
    TGridState sizing;
    if (FindSizingLine(X, Y, sizing, FSizingIndex, FSizingOffset)) {
        FGridState = sizing;
        return;
    }
    if (dataCell) {
        FGridState = TGridState::Selecting;
        if (Shift.Contains(ssShift))
            MoveAnchor(cell);
        else
            MoveCurrent(cell.X, cell.Y, true, true);
    } else if (FOptions.Contains(goRowMoving) && cell.X >= 0 && cell.X < FFixedCols && cell.Y >= FFixedRows) {
        FGridState = TGridState::RowMoving;
        FMoveFrom = FMoveTo = cell.Y;
    } else if (FOptions.Contains(goColMoving) && cell.Y >= 0 && cell.Y < FFixedRows && cell.X >= FFixedCols) {
        FGridState = TGridState::ColMoving;
        FMoveFrom = FMoveTo = cell.X;
    }
}

void TCustomGrid::MouseMove(TShiftState, int X, int Y)
{
    switch (FGridState) {
    case TGridState::Normal: UpdateCursor(X, Y); break;
    case TGridState::Selecting:
        TrackSelecting(X, Y);
        UpdateAutoScroll(X, Y);
        break;
    case TGridState::ColSizing:
    case TGridState::RowSizing: TrackSizing(X, Y); break;
    case TGridState::ColMoving:
    case TGridState::RowMoving:
        TrackMoving(X, Y);
        UpdateAutoScroll(X, Y);
        break;
    }
}

int TCustomGrid::EdgeDirection(const TGridAxis& axis, int pos)
{
    if (pos < axis.FixedBoundary())
        return -1;
    return pos >= axis.ClientExtent ? 1 : 0;
}

void TCustomGrid::UpdateAutoScroll(int X, int Y)
{
    FDragPos = {X, Y};
    const bool columns = FGridState != TGridState::RowMoving;
    const bool rows = FGridState != TGridState::ColMoving;
    const bool pastEdge = (columns && EdgeDirection(HorzAxis(), X) != 0) || (rows && EdgeDirection(VertAxis(), Y) != 0);
    FAutoScrollTimer->SetEnabled(pastEdge);
}

void TCustomGrid::AutoScroll()
{
    const int x = FDragPos.X, y = FDragPos.Y;
    switch (FGridState) {
    case TGridState::Selecting:
        // Reaching for the cell beyond the edge scrolls it into view.
        TrackSelecting(x, y);
        break;
    case TGridState::ColMoving:
    case TGridState::RowMoving: {
        const bool columns = FGridState == TGridState::ColMoving;
        const TGridAxis axis = columns ? HorzAxis() : VertAxis();
        const int first = std::clamp(axis.FirstCell + EdgeDirection(axis, columns ? x : y), axis.FixedCount, axis.MaxFirstCell());
        if (columns)
            MoveTopLeft(first, TopRow());
        else
            MoveTopLeft(LeftCol(), first);
        TrackMoving(x, y);
        break;
    }
    default:
        FAutoScrollTimer->SetEnabled(false);
        break;
    }
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft || FGridState == TGridState::Normal)
        return;
    const TGridState state = FGridState;
    const int from = FMoveFrom;
    const int to = FMoveTo;
    if (state == TGridState::Selecting)
        TrackSelecting(X, Y);
    EndDrag();
    switch (state) {
    case TGridState::Selecting: Click(); break;
    case TGridState::ColMoving: MoveColumn(from, to); break;
    case TGridState::RowMoving: MoveRow(from, to); break;
    default: break;
    }
    UpdateCursor(X, Y);
}

void TCustomGrid::EndDrag()
{
    const bool moving = FGridState == TGridState::ColMoving || FGridState == TGridState::RowMoving;
    FGridState = TGridState::Normal;
    FAutoScrollTimer->SetEnabled(false);
    FMoveFrom = FMoveTo = -1;
    FSizingIndex = -1;
    if (moving)
        InvalidateGrid();
}

void TCustomGrid::Click()
{
    if (OnClick)
        OnClick(this);
    emit clicked();
}

void TCustomGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
    emit doubleClicked();
}

bool TCustomGrid::FindSizingLine(int X, int Y, TGridState& state, int& index, int& offset) const
{
    // The lines after the scrollable cells, within the band of fixed cells across them.
    const auto search = [](const TGridAxis& axis, int pos, int& found, int& foundOffset) {
        const int range = std::max(axis.LineWidth, SizingZone);
        const int back = (range - axis.LineWidth) / 2;
        bool hit = false;
        axis.ForEachShown([&](int i, int start) {
            const int line = start + axis.Extent(i);
            if (hit || i < axis.FixedCount || pos < line - back || pos > line - back + range)
                return;
            hit = true;
            found = i;
            foundOffset = line - pos;
        });
        return hit;
    };
    const TGridAxis horz = HorzAxis();
    const TGridAxis vert = VertAxis();
    if (FOptions.Contains(goColSizing) && Y >= 0 && Y < vert.FixedBoundary() && search(horz, X, index, offset)) {
        state = TGridState::ColSizing;
        return true;
    }
    if (FOptions.Contains(goRowSizing) && X >= 0 && X < horz.FixedBoundary() && search(vert, Y, index, offset)) {
        state = TGridState::RowSizing;
        return true;
    }
    return false;
}

void TCustomGrid::UpdateCursor(int X, int Y)
{
    TGridState state;
    int index = 0;
    int offset = 0;
    if (!FindSizingLine(X, Y, state, index, offset))
        viewport()->unsetCursor();
    else
        viewport()->setCursor(state == TGridState::ColSizing ? Qt::SplitHCursor : Qt::SplitVCursor);
}

void TCustomGrid::TrackSizing(int X, int Y)
{
    const bool columns = FGridState == TGridState::ColSizing;
    const TGridAxis axis = columns ? HorzAxis() : VertAxis();
    const std::optional<int> start = axis.CellStart(FSizingIndex);
    if (!start)
        return;
    // Sizing never makes a cell vanish: it keeps a sliver to grab again.
    constexpr int MinExtent = 2;
    const int extent = std::clamp((columns ? X : Y) + FSizingOffset - *start, MinExtent, MaxGridExtent);
    if (columns)
        SetColWidths(FSizingIndex, extent);
    else
        SetRowHeights(FSizingIndex, extent);
}

void TCustomGrid::TrackMoving(int X, int Y)
{
    const bool columns = FGridState == TGridState::ColMoving;
    const TGridAxis axis = columns ? HorzAxis() : VertAxis();
    const int pos = std::clamp(columns ? X : Y, axis.FixedBoundary(), std::max(axis.GridBoundary() - 1, axis.FixedBoundary()));
    const int target = axis.CellAt(pos);
    if (target < axis.FixedCount || target == FMoveTo)
        return;
    FMoveTo = target;
    InvalidateGrid();
}

void TCustomGrid::TrackSelecting(int X, int Y)
{
    // Past an edge of the scrollable cells the selection reaches for the next cell
    // beyond it, which scrolls the grid by one cell.
    const auto reach = [](const TGridAxis& axis, int pos) {
        if (pos < axis.FixedBoundary())
            return std::max(axis.FirstCell - 1, axis.FixedCount);
        const int cell = axis.CellAt(pos);
        if (cell >= axis.FixedCount)
            return cell;
        return std::min(axis.LastFullShownCell() + 1, axis.Count() - 1);
    };
    const TGridCoord cell{reach(HorzAxis(), X), reach(VertAxis(), Y)};
    if (cell != FAnchor)
        MoveAnchor(cell);
}

} // namespace vg
