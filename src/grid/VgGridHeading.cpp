// The heading band: headings shared by adjacent columns, shown in the upper half of row 0
// as one merged cell. Each cell of a group composes the heading off screen, laid out over
// the whole group but only as far as its own slice on screen, and copies that slice, so
// text and image land in the same place whichever cells repaint.
#include "grid/VgGrid.h"

#include "common/VgBorderDraw.h"
#include "platform/graphics/RasterOp.h"

#include <algorithm>

namespace vg {

namespace {

// Whether grid column Index exists and belongs to heading HeadingIndex.
bool InHeading(const TVelkoGrid& Grid, int Index, int HeadingIndex)
{
    return Index >= 0 && Index < Grid.ColCount() && Grid.GetVisibleColumn(Index)->HeadingIndex() == HeadingIndex;
}

} // namespace

bool TVelkoGrid::IsFixedCell(TGridCoord Cell) const
{
    return (Cell.X >= 0 && Cell.X < FixedCols()) || (Cell.Y >= 0 && Cell.Y < FixedRows());
}

void TVelkoGrid::ClearHeadings()
{
    for (int i = 0; i < FColumns->Count(); ++i)
        (*FColumns)[i]->SetHeadingIndex(-1);
    FHeadings->Clear();
}

int TVelkoGrid::MouseOnHeading(int X, int Y)
{
    const TGridCoord cell = VgMouseCoord(X, Y);
    if (cell.Y != 0 || !IsFixedCell(cell) || cell.X < 0)
        return -1;
    TRect band = CellRect(cell.X, 0);
    try {
        const int heading = GetVisibleColumn(cell.X)->HeadingIndex();
        if (heading < 0)
            return -1;
        band.Bottom = band.Top + RowHeights(0) / 2 - 2;
        if (X >= band.Left && X < band.Right && Y >= band.Top && Y < band.Bottom)
            return heading;
    } catch (const EvgColumnIndexOutOfRange&) {
    }
    return -1;
}

bool TVelkoGrid::DrawHeading(int ACol, int ARow, TvgColumn* Column)
{
    const TPaintStamp stamp = PaintStamp();
    const int headingIndex = Column->HeadingIndex();
    TvgHeading* heading = (*FHeadings)[headingIndex];
    const bool verticalLines = Options().Contains(goFixedVertLine) || Options().Contains(goVertLine);
    const int lineWidth = verticalLines ? GridLineWidth() : 0;

    int first = ACol;
    while (InHeading(*this, first, headingIndex))
        --first;
    ++first;
    int last = ACol;
    while (InHeading(*this, last, headingIndex))
        ++last;
    --last;

    // The group in its own coordinates, added up in 64 bits: a group may be wider than an
    // int can count.
    qint64 total = qint64(lineWidth) * (last - first) + 1;
    for (int i = first; i <= last; ++i)
        total += ColWidths(i);
    qint64 offset = qint64(lineWidth) * (ACol - first);
    for (int i = first; i < ACol; ++i)
        offset += ColWidths(i);
    const int half = RowHeights(ARow) / 2;

    // This cell's slice of the group, and where it goes on screen. A slice covers the
    // vertical line it shares with a neighbour of its group, so the group reads as one cell.
    TRect dest = CellRect(ACol, ARow);
    qint64 sliceLeft = offset;
    qint64 sliceRight = offset + RectWidth(dest) - 1;
    if (first < ACol && ACol > LeftCol()) {
        sliceLeft -= lineWidth;
        dest.Left -= lineWidth;
    }
    if (ACol < last && ACol < VisibleColCount() + LeftCol() && ACol < ColCount()) {
        sliceRight += lineWidth;
        dest.Right += lineWidth;
    }
    dest.Bottom = dest.Top + half - 1;
    // Only the part on screen is composed.
    const QRect client = viewport()->rect();
    if (dest.Left < 0) {
        sliceLeft -= dest.Left;
        dest.Left = 0;
    }
    if (dest.Right > client.width()) {
        sliceRight -= dest.Right - client.width();
        dest.Right = client.width();
    }
    dest.Bottom = std::min(dest.Bottom, client.height());
    if (sliceRight <= sliceLeft || dest.Bottom <= dest.Top || dest.Right <= dest.Left)
        return true;
    const int sliceWidth = int(sliceRight - sliceLeft);
    const int sliceHeight = dest.Bottom - dest.Top;

    TvgCellStates cellState;
    TColor color = clBtnFace;
    TVgDrawInfo drawInfo;
    TBevelCut outer = bvNone;
    TBevelCut inner = bvNone;
    GetCellAttributes(ACol, ARow, heading, TGridDrawState{gdFixed}, cellState, color, *FCellFont, drawInfo, outer, inner);
    if (PaintOutdated(stamp))
        return false;

    // Composed at the device's pixel ratio, so that the slices land pixel for pixel and
    // the caption is as sharp as the ones drawn directly.
    FHeadingBitmap->SetDevicePixelRatio(Canvas().DevicePixelRatio());
    FHeadingBitmap->SetSize(sliceWidth, sliceHeight);
    TCanvas& bitmapCanvas = FHeadingBitmap->Canvas();
    bitmapCanvas.SetControl(this); // system colours through the grid's palette
    bitmapCanvas.Brush().Assign(&Canvas().Brush());
    bitmapCanvas.Pen().Assign(&Canvas().Pen());
    bitmapCanvas.Font().Assign(FCellFont.get());
    bitmapCanvas.Brush().SetColor(color);
    bitmapCanvas.Brush().SetStyle(bsSolid);

    // The group is drawn where it lies relative to the slice. Far beyond the slice its edges
    // are kept within reach of an int; what lies that far off is never seen.
    const auto inSlice = [&](qint64 x) {
        constexpr qint64 Reach = qint64(1) << 26;
        return int(std::clamp(x - sliceLeft, -Reach, sliceWidth + Reach));
    };
    drawInfo.Canvas = &bitmapCanvas;
    drawInfo.Rect = TRect{inSlice(0), 0, inSlice(total - 1), half - 1};
    drawInfo.Text = heading->Caption();
    bitmapCanvas.FillRect(drawInfo.Rect);

    if (Options().Contains(goFixedHorzLine)) {
        // The line between the band and the captions below it.
        FBottomBorder->SetStyle(vgbrdSolid);
        FBottomBorder->SetWidth(GridLineWidth());
        FBottomBorder->SetColor(clBlack);
        const TRect& r = drawInfo.Rect;
        drawInfo.Rect.Bottom -= VgDrawBorder(bitmapCanvas, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1},
                                             *FBottomBorder, vgbdBottom);
    }

    // A heading is reported with column and row -1 and the state holding vgcsHeading alone.
    DrawItemBorders(bitmapCanvas, drawInfo.Rect, -1, -1, heading, TvgCellStates{vgcsHeading});
    if (PaintOutdated(stamp))
        return false;
    const bool pressed = headingIndex == FTrackHeading && FTracking && FTrackPressed && FTrackCell.X >= first &&
                         FTrackCell.X <= last;
    DrawBevels(bitmapCanvas, drawInfo.Rect, outer, inner, pressed);
    DrawCellImage(ACol, ARow, headingIndex, drawInfo.Rect, true, bitmapCanvas);
    if (PaintOutdated(stamp))
        return false;
    VGDrawText(drawInfo);

    bitmapCanvas.Release();
    Canvas().SetCopyMode(cmSrcCopy);
    Canvas().CopyRect(dest, bitmapCanvas, TRect{0, 0, sliceWidth, sliceHeight});
    return true;
}

void TVelkoGrid::RefreshTrackingHeading()
{
    const int row = FTrackCell.Y;
    if (row < 0 || row >= RowCount())
        return;
    int first = FTrackCell.X;
    while (InHeading(*this, first - 1, FTrackHeading))
        --first;
    int last = FTrackCell.X;
    while (InHeading(*this, last + 1, FTrackHeading))
        ++last;
    // What the group covers on screen, in the band's height.
    TRect band = BoxRect(first, row, last, row);
    band.Bottom = std::min(band.Bottom, band.Top + RowHeights(row) / 2);
    InvalidateRect(band);
}

} // namespace vg
