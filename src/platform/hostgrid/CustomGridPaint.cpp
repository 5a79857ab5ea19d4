// TCustomGrid: painting. Only the dirty part of the viewport is painted, each cell on
// screen at most once: the grid lines first, then every cell through DrawCell, prepared
// (with default drawing) by filling it and giving fixed cells a raised face.
#include "platform/hostgrid/CustomGrid.h"

#include "platform/app/Application.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QStyle>
#include <QStyleOptionHeader>

namespace vg {

void TCustomGrid::paintEvent(QPaintEvent* e)
{
    QPainter painter(viewport());
    FCanvas.SetPalette(palette());
    FCanvas.Attach(&painter);
    Application().GuardEvent([&] { PaintGrid(e->region()); });
    FCanvas.Detach();
}

void TCustomGrid::PaintGrid(const QRegion& dirty)
{
    QPainter& painter = *FCanvas.Handle();
    const TGridAxis horz = HorzAxis();
    const TGridAxis vert = VertAxis();
    const QRect client = viewport()->rect();
    const int right = horz.GridBoundary();
    const int bottom = vert.GridBoundary();
    // The area past the last column and below the last row.
    const QColor back = FCanvas.ToQColor(FColor);
    if (right < client.width())
        painter.fillRect(QRect(right, 0, client.width() - right, client.height()), back);
    if (bottom < client.height())
        painter.fillRect(QRect(0, bottom, right, client.height() - bottom), back);
    PaintLines(horz, vert);
    PaintCells(horz, vert, dirty);
    if (FGridState == TGridState::ColMoving || FGridState == TGridState::RowMoving)
        PaintMoveMark(horz, vert);
}

void TCustomGrid::PaintLines(const TGridAxis& horz, const TGridAxis& vert)
{
    QPainter& painter = *FCanvas.Handle();
    // Lines between data cells are lighter than those between fixed cells.
    const QColor fixedLine = palette().color(QPalette::Mid);
    const QColor base = palette().color(QPalette::Base);
    const QColor dataLine = QColor::fromRgbF((fixedLine.redF() + base.redF()) / 2, (fixedLine.greenF() + base.greenF()) / 2,
                                             (fixedLine.blueF() + base.blueF()) / 2);
    const QColor fixedBack = FCanvas.ToQColor(FFixedColor);
    const QColor dataBack = FCanvas.ToQColor(FColor);
    // The room of a line shows the line where its option asks for one, else the
    // background of its part of the grid.
    const auto gap = [&](const QRect& r, bool fixedArea, TGridOption fixedOption, TGridOption dataOption) {
        if (r.isEmpty())
            return;
        if (fixedArea)
            painter.fillRect(r, FOptions.Contains(fixedOption) ? fixedLine : fixedBack);
        else
            painter.fillRect(r, FOptions.Contains(dataOption) ? dataLine : dataBack);
    };
    const int right = horz.GridBoundary();
    const int bottom = vert.GridBoundary();
    const int fixedRight = std::min(horz.FixedBoundary(), right);
    const int fixedBottom = std::min(vert.FixedBoundary(), bottom);
    if (horz.LineWidth > 0)
        horz.ForEachShown([&](int col, int x) {
            const int lineX = x + horz.Extent(col);
            gap(QRect(lineX, 0, horz.LineWidth, fixedBottom), true, goFixedVertLine, goVertLine);
            gap(QRect(lineX, fixedBottom, horz.LineWidth, bottom - fixedBottom), col < FFixedCols, goFixedVertLine, goVertLine);
        });
    if (vert.LineWidth > 0)
        vert.ForEachShown([&](int row, int y) {
            const int lineY = y + vert.Extent(row);
            gap(QRect(0, lineY, fixedRight, vert.LineWidth), true, goFixedHorzLine, goHorzLine);
            gap(QRect(fixedRight, lineY, right - fixedRight, vert.LineWidth), row < FFixedRows, goFixedHorzLine, goHorzLine);
        });
}

TGridDrawState TCustomGrid::DrawStateOf(int ACol, int ARow) const
{
    TGridDrawState state;
    if (ACol < FFixedCols || ARow < FFixedRows) {
        state.Include(gdFixed);
        return state;
    }
    if (FFocusInside && ACol == FCurrent.X && ARow == FCurrent.Y)
        state.Include(gdFocused);
    if (Selection().Contains(ACol, ARow))
        state.Include(gdSelected);
    return state;
}

void TCustomGrid::PrepareCanvas(TGridDrawState state)
{
    FCanvas.Font().Assign(&FFont);
    TPen& pen = FCanvas.Pen();
    pen.SetColor(clBlack);
    pen.SetWidth(1);
    pen.SetStyle(psSolid);
    pen.SetMode(pmCopy);
    FCanvas.Brush().SetStyle(bsSolid);
    const bool highlightFocused = FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect);
    if (state.Contains(gdFixed)) {
        FCanvas.Brush().SetColor(FFixedColor);
    } else if (state.Contains(gdSelected) && (!state.Contains(gdFocused) || highlightFocused)) {
        FCanvas.Brush().SetColor(clHighlight);
        FCanvas.Font().SetColor(clHighlightText);
    } else {
        FCanvas.Brush().SetColor(FColor);
    }
}

void TCustomGrid::PaintCells(const TGridAxis& horz, const TGridAxis& vert, const QRegion& dirty)
{
    // A scroll leaves strips far apart to paint (the cells that came into view, the
    // focused cell): cells are tested against the strips, not the box around them.
    const QRect bounds = dirty.boundingRect();
    const bool editorShown = FInplaceEdit && FInplaceEdit->isVisible();
    const unsigned colsVersion = FColWidths.Version();
    const unsigned rowsVersion = FRowHeights.Version();
    FPaintRestarted = false;
    bool stopped = false;
    // Once a handler changed the grid, the walk stops: the cells it would visit next may be
    // gone.
    vert.ForEachShown([&](int row, int y) {
        const int height = vert.Extent(row);
        if (height <= 0 || !dirty.intersects(QRect(bounds.left(), y, bounds.width(), height)))
            return true;
        horz.ForEachShown([&](int col, int x) {
            const int width = horz.Extent(col);
            if (width <= 0 || !dirty.intersects(QRect(x, y, width, height)))
                return true;
            const TRect where = Rect(x, y, x + width, y + height);
            const TGridDrawState state = DrawStateOf(col, row);
            PrepareCanvas(state);
            if (FDefaultDrawing) {
                if (state.Contains(gdFixed))
                    PaintFixedFace(where);
                else
                    FCanvas.FillRect(where);
            }
            DrawCell(col, row, where, state);
            // The cells still to paint were laid out before DrawCell's event handlers ran;
            // when those changed the grid, a new paint lays them out again.
            if (FPaintRestarted || FColWidths.Version() != colsVersion || FRowHeights.Version() != rowsVersion) {
                stopped = true;
                InvalidateGrid();
                return false;
            }
            const bool editedHere = editorShown && FInplaceCell == TGridCoord{col, row};
            if (FDefaultDrawing && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect) && !editedHere)
                FCanvas.DrawFocusRect(where);
            return true;
        });
        return !stopped;
    });
    if (!stopped && FDefaultDrawing && FFocusInside && FOptions.Contains(goRowSelect))
        FCanvas.DrawFocusRect(BoxRect(FFixedCols, Row(), ColCount() - 1, Row()));
}

void TCustomGrid::RestartPaint()
{
    FPaintRestarted = true;
}

void TCustomGrid::PaintFixedFace(const TRect& rect)
{
    // The style draws, and may cache, the whole face it is given: a face far larger than
    // the viewport is cut to it, with a margin that keeps the face's edges out of sight.
    constexpr int Margin = 8;
    QStyleOptionHeader option;
    option.initFrom(this);
    option.rect = rect.ToQRect().intersected(viewport()->rect().adjusted(-Margin, -Margin, Margin, Margin));
    option.palette.setColor(QPalette::Button, FCanvas.ToQColor(FFixedColor));
    option.palette.setColor(QPalette::Window, FCanvas.ToQColor(FFixedColor));
    option.state |= QStyle::State_Raised;
    option.orientation = Qt::Horizontal;
    option.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_HeaderSection, &option, FCanvas.Handle(), this);
}

void TCustomGrid::PaintMoveMark(const TGridAxis& horz, const TGridAxis& vert)
{
    // A bar on the side of the target cell where the moved column (row) will land.
    const bool columns = FGridState == TGridState::ColMoving;
    const TGridAxis& axis = columns ? horz : vert;
    const std::optional<int> start = axis.CellStart(FMoveTo);
    if (!start || FMoveTo == FMoveFrom)
        return;
    const int at = FMoveTo > FMoveFrom ? *start + axis.Extent(FMoveTo) : *start;
    const QColor mark = palette().color(QPalette::Highlight);
    QPainter& painter = *FCanvas.Handle();
    if (columns)
        painter.fillRect(QRect(at - 1, 0, 3, vert.GridBoundary()), mark);
    else
        painter.fillRect(QRect(0, at - 1, horz.GridBoundary(), 3), mark);
}

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    CellDrawn(ACol, ARow, ARect, AState);
}

void TCustomGrid::CellDrawn(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
    if (SignalConnected<&TCustomGrid::cellDrawn>())
        emit cellDrawn(ACol, ARow, ARect.ToQRect(), AState);
}

} // namespace vg
