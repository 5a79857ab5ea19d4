// TCustomGrid: where cells lie on screen, scrolling by whole cells and repainting parts
// of the grid.
#include "platform/hostgrid/CustomGrid.h"

#include "platform/app/Application.h"

#include <QScrollBar>

#include <cstdlib>
#include <optional>

namespace vg {

TGridAxis TCustomGrid::AxisOf(const TGridExtents& extents, int fixedCount, int firstCell, TGridOptions lineOptions,
                              int clientExtent) const
{
    TGridAxis axis;
    axis.Extents = &extents;
    axis.FixedCount = fixedCount;
    axis.FirstCell = firstCell;
    // Lines take their room wherever either kind of line across this axis is shown.
    axis.LineWidth = (FOptions * lineOptions).IsEmpty() ? 0 : FGridLineWidth;
    axis.ClientExtent = clientExtent;
    return axis;
}

TGridAxis TCustomGrid::HorzAxis() const
{
    return AxisOf(FColWidths, FFixedCols, FTopLeft.X, {goFixedVertLine, goVertLine}, viewport()->width());
}

TGridAxis TCustomGrid::VertAxis() const
{
    return AxisOf(FRowHeights, FFixedRows, FTopLeft.Y, {goFixedHorzLine, goHorzLine}, viewport()->height());
}

int TCustomGrid::VisibleColCount() const
{
    return HorzAxis().LastFullShownCell() - LeftCol() + 1;
}

int TCustomGrid::VisibleRowCount() const
{
    return VertAxis().LastFullShownCell() - TopRow() + 1;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    return BoxRect(ACol, ARow, ACol, ARow);
}

TRect TCustomGrid::BoxRect(const TGridRect& cells) const
{
    const TGridRect range = GridRectOf({cells.Left, cells.Top}, {cells.Right, cells.Bottom});
    TRect r;
    if (!HorzAxis().Span(range.Left, range.Right, r.Left, r.Right) || !VertAxis().Span(range.Top, range.Bottom, r.Top, r.Bottom))
        return {};
    return r.IsEmpty() ? TRect{} : r;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    const TGridCoord cell{HorzAxis().CellAt(X), VertAxis().CellAt(Y)};
    if (cell.X < 0 || cell.Y < 0)
        return {-1, -1};
    return cell;
}

void TCustomGrid::InvalidateRect(const TRect& rect)
{
    if (!rect.IsEmpty())
        viewport()->update(rect.ToQRect());
}

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    // A hidden grid paints everything when it is shown; a cell off screen needs nothing.
    if (!viewport()->isVisible() || !FShownCols.MayBeShown(HorzAxis(), ACol) || !FShownRows.MayBeShown(VertAxis(), ARow))
        return;
    InvalidateRect(BoxRect(ACol, ARow, ACol, ARow));
}

void TCustomGrid::InvalidateRow(int ARow)
{
    InvalidateRect(BoxRect(0, ARow, ColCount() - 1, ARow));
}

void TCustomGrid::InvalidateCol(int ACol)
{
    InvalidateRect(BoxRect(ACol, 0, ACol, RowCount() - 1));
}

void TCustomGrid::InvalidateGrid()
{
    viewport()->update();
}

// ---- Scrolling

void TCustomGrid::SetLeftCol(int value)
{
    CheckScrollableCol(value);
    MoveTopLeft(std::min(value, HorzAxis().MaxFirstCell()), TopRow());
}

void TCustomGrid::SetTopRow(int value)
{
    CheckScrollableRow(value);
    MoveTopLeft(LeftCol(), std::min(value, VertAxis().MaxFirstCell()));
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    const TGridCoord old = FTopLeft;
    const TGridAxis oldHorz = HorzAxis();
    const TGridAxis oldVert = VertAxis();
    FTopLeft = {ALeft, ATop};
    SyncScrollBars();
    if (FTopLeft == old)
        return;
    if (!ScrollCells(oldHorz, oldVert))
        InvalidateGrid();
    TopLeftMoved();
}

namespace {

// How far the scrollable cells of an axis moved towards its start when its first cell
// shown went from before's to after's (negative: away from it); nothing when the cells
// between lie off screen.
std::optional<int> ScrolledDistance(const TGridAxis& before, const TGridAxis& after)
{
    if (after.FirstCell > before.FirstCell) {
        const std::optional<int> start = before.CellStart(after.FirstCell);
        return start ? std::optional<int>(*start - before.FixedBoundary()) : std::nullopt;
    }
    const std::optional<int> start = after.CellStart(before.FirstCell);
    return start ? std::optional<int>(after.FixedBoundary() - *start) : std::nullopt;
}

} // namespace

bool TCustomGrid::ScrollCells(const TGridAxis& oldHorz, const TGridAxis& oldVert)
{
    // While a column or row is sized or moved, the grid shows marks across the cells
    // that do not move with them.
    if (!viewport()->isVisible() || (FGridState != TGridState::Normal && FGridState != TGridState::Selecting))
        return false;
    const TGridAxis horz = HorzAxis();
    const TGridAxis vert = VertAxis();
    const bool across = horz.FirstCell != oldHorz.FirstCell;
    if (across == (vert.FirstCell != oldVert.FirstCell) || horz.ClientExtent != oldHorz.ClientExtent ||
        vert.ClientExtent != oldVert.ClientExtent)
        return false;
    const TGridAxis& after = across ? horz : vert;
    const std::optional<int> distance = ScrolledDistance(across ? oldHorz : oldVert, after);
    const int fixed = after.FixedBoundary();
    if (!distance || *distance == 0 || std::abs(*distance) >= after.ClientExtent - fixed)
        return false;
    // The fixed cells of the other axis move along: fixed rows scroll across with the
    // columns, fixed columns down with the rows.
    const QRect client = viewport()->rect();
    if (across)
        viewport()->scroll(-*distance, 0, QRect(fixed, 0, client.width() - fixed, client.height()));
    else
        viewport()->scroll(0, -*distance, QRect(0, fixed, client.width(), client.height() - fixed));
    // A fixed cell cut by the far edge is shaded over the part on screen, so the fixed
    // cells cut before and after the move are painted again.
    for (const int cut : {(across ? oldHorz : oldVert).LastShownCell(), after.LastShownCell()}) {
        if (across && FFixedRows > 0)
            InvalidateRect(BoxRect(cut, 0, cut, FFixedRows - 1));
        else if (!across && FFixedCols > 0)
            InvalidateRect(BoxRect(0, cut, FFixedCols - 1, cut));
    }
    // The dots of a focus rectangle keep to the pixel grid, so the focused cell is painted
    // again; that of a selected row also ends where the row's cells on screen end.
    if (FOptions.Contains(goRowSelect))
        InvalidateRow(Row());
    else
        InvalidateCell(Col(), Row());
    return true;
}

void TCustomGrid::TopLeftMoved()
{
    if (FInplaceEdit && FInplaceEdit->isVisible())
        PlaceEditor(false);
    TopLeftChanged();
}

void TCustomGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
    emit topLeftChanged();
}

namespace {

// The first cell to show on an axis so that cell is fully on screen, scrolling as little
// as possible; fixed cells are always on screen.
int FirstCellShowingAll(const TGridAxis& axis, int cell)
{
    if (cell < axis.FixedCount)
        return axis.FirstCell;
    if (cell < axis.FirstCell)
        return cell;
    if (cell > axis.LastFullShownCell())
        return std::max(axis.FirstCellShowing(cell), axis.FirstCell);
    return axis.FirstCell;
}

} // namespace

void TCustomGrid::ClampInView(TGridCoord cell)
{
    MoveTopLeft(FirstCellShowingAll(HorzAxis(), cell.X), FirstCellShowingAll(VertAxis(), cell.Y));
}

void TCustomGrid::UpdateScrollRange()
{
    const TGridCoord old = FTopLeft;
    SyncScrollBars();
    if (FTopLeft != old) {
        InvalidateGrid();
        TopLeftMoved();
    }
}

void TCustomGrid::SyncScrollBars()
{
    if (FSettingScrollBars)
        return;
    FSettingScrollBars = true;
    // Showing or hiding a scroll bar changes the viewport, which changes the ranges; a
    // few rounds settle it.
    for (int round = 0; round < 3; ++round) {
        const QSize before = viewport()->size();
        SyncScrollBar(*horizontalScrollBar(), HorzAxis(), FTopLeft.X);
        SyncScrollBar(*verticalScrollBar(), VertAxis(), FTopLeft.Y);
        if (viewport()->size() == before)
            break;
    }
    FSettingScrollBars = false;
}

void TCustomGrid::SyncScrollBar(QScrollBar& bar, TGridAxis axis, int& firstCell)
{
    const int maxFirst = axis.MaxFirstCell();
    firstCell = std::clamp(firstCell, axis.FixedCount, maxFirst);
    axis.FirstCell = firstCell;
    bar.setRange(0, maxFirst - axis.FixedCount);
    bar.setPageStep(std::max(1, axis.LastFullShownCell() - axis.FirstCell + 1));
    bar.setSingleStep(1);
    bar.setValue(firstCell - axis.FixedCount);
}

void TCustomGrid::scrollContentsBy(int, int)
{
    if (FSettingScrollBars)
        return;
    Application().GuardEvent([this] {
        MoveTopLeft(horizontalScrollBar()->value() + FFixedCols, verticalScrollBar()->value() + FFixedRows);
    });
}

void TCustomGrid::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    Application().GuardEvent([this] {
        UpdateScrollRange();
        if (FInplaceEdit && FInplaceEdit->isVisible())
            PlaceEditor(false);
    });
}

} // namespace vg
