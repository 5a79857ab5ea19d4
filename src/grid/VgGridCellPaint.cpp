// How a cell looks and how it is painted: borders, background, bevels, image, text and
// focus rectangle, each inside the rectangle the previous step left. Event handlers may
// change the column model or the grid at every step; after each event the painting makes
// sure that what it holds is still there, and otherwise leaves the cell to a new paint.
#include "grid/VgGrid.h"

#include "common/VgBorderDraw.h"
#include "platform/graphics/ImageList.h"
#include "platform/graphics/Picture.h"

#include <algorithm>

namespace vg {

void TVelkoGrid::GetCellAttributes(int ACol, int ARow, TvgHeading* Column, TGridDrawState AState,
                                   TvgCellStates& CellState, TColor& AColor, TFont& AFont, TVgDrawInfo& DrawInfo,
                                   TBevelCut& OuterBevel, TBevelCut& InnerBevel)
{
    if (!Column)
        throw EInvalidOperation(QStringLiteral("TVelkoGrid: a cell's look needs its column"));
    auto* column = dynamic_cast<TvgColumn*>(Column);
    CellState = {};
    if (AState.Contains(gdFocused))
        CellState.Include(vgcsFocused);
    if (AState.Contains(gdFixed))
        CellState.Include(vgcsFixed);
    if (AState.Contains(gdSelected))
        CellState.Include(vgcsSelected);
    if (!column)
        CellState.Include(vgcsHeading);

    DrawInfo.Canvas = &Canvas();
    DrawInfo.HMargin = 2;
    DrawInfo.VMargin = 2;
    DrawInfo.VAlignment = vgvaTop;
    DrawInfo.HAlignment = taLeftJustify;
    // The heading band asks for row 0 of the first column of its group, a cell that exists.
    DrawInfo.Text = Cells(ACol, ARow);
    DrawInfo.ClipStyle = vgclpClip;
    DrawInfo.Col = ACol;
    DrawInfo.Row = ARow;
    DrawInfo.Grid = this;
    DrawInfo.State = AState;

    if (AState.Contains(gdFixed)) {
        if (ARow == 0 && !Column->Caption().isEmpty())
            DrawInfo.Text = Column->Caption();
        DrawInfo.HAlignment = Column->TitleHAlignment();
        DrawInfo.VAlignment = Column->TitleVAlignment();
        DrawInfo.ClipStyle = Column->TitleClipStyle();
        AColor = Column->TitleColor();
        AFont.Assign(Column->TitleParentFont() ? &Font() : Column->TitleFont());
        OuterBevel = Column->TitleOuterBevel();
        InnerBevel = Column->TitleInnerBevel();
    } else {
        if (!column)
            throw EInvalidCast(QStringLiteral("TVelkoGrid: a data cell's look needs a column, not a heading"));
        DrawInfo.HAlignment = column->ColumnHAlignment();
        DrawInfo.VAlignment = column->ColumnVAlignment();
        DrawInfo.ClipStyle = column->ColumnClipStyle();
        OuterBevel = column->ColumnOuterBevel();
        InnerBevel = column->ColumnInnerBevel();
        AFont.Assign(column->ColumnParentFont() ? &Font() : column->ColumnFont());
        AColor = column->ColumnColor();
    }

    // The focused cell is highlighted only under goDrawFocusSelected; other selected cells always.
    const bool focusedHighlight = AState.Contains(gdFocused) && Options().Contains(goDrawFocusSelected);
    const bool selectedHighlight = AState.Contains(gdSelected) && !AState.Contains(gdFocused);
    if (FVelkoOptions.Contains(vgoptHighlightSelection) && (focusedHighlight || selectedHighlight)) {
        AColor = FVelkoHighlightColor;
        AFont.SetColor(FVelkoHighlightFontColor);
    }

    const bool signalled = SignalConnected<&TVelkoGrid::cellAttributesRequested>();
    const TPaintStamp stamp = signalled ? PaintStamp() : TPaintStamp{};
    if (OnChangeCellAttributes)
        OnChangeCellAttributes(this, ACol, ARow, Column, CellState, AColor, &AFont, DrawInfo.HAlignment,
                               DrawInfo.VAlignment, OuterBevel, InnerBevel);
    if (signalled && PaintStamp() == stamp)
        emit cellAttributesRequested(ACol, ARow, Column, CellState, AColor, &AFont, DrawInfo.HAlignment,
                                     DrawInfo.VAlignment, OuterBevel, InnerBevel);
}

TVelkoGrid::TPaintStamp TVelkoGrid::PaintStamp() const
{
    return {FColumns->Revision(), FHeadings->Revision(), ColCount(), RowCount()};
}

bool TVelkoGrid::PaintOutdated(const TPaintStamp& stamp)
{
    if (PaintStamp() == stamp)
        return false;
    RestartPaint();
    return true;
}

TvgColumn* TVelkoGrid::CurrentColumn(int ACol) const
{
    return ACol >= 0 && ACol < GetVisibleColumnCount() ? GetVisibleColumn(ACol) : nullptr;
}

void TVelkoGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    const TPaintStamp stamp = PaintStamp();
    TRect rect = ARect;
    TvgColumn* column = GetVisibleColumn(ACol);
    if (AState.Contains(gdFixed) && ARow == 0 && column->HeadingIndex() >= 0 &&
        column->HeadingIndex() < FHeadings->Count()) {
        if (!DrawHeading(ACol, ARow, column))
            return;
        rect.Top += RowHeights(0) / 2 - 1;
    }

    TvgCellStates cellState;
    TColor color = clWindow;
    TVgDrawInfo drawInfo;
    TBevelCut outer = bvNone;
    TBevelCut inner = bvNone;
    GetCellAttributes(ACol, ARow, column, AState, cellState, color, *FCellFont, drawInfo, outer, inner);
    if (PaintOutdated(stamp))
        return;

    // The whole cell takes its colour first, so the gaps of double, dashed and dotted
    // borders show the cell's colour rather than what the viewport held before.
    TCanvas& canvas = Canvas();
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(rect);
    DrawItemBorders(canvas, rect, ACol, ARow, column, cellState);
    if (PaintOutdated(stamp))
        return;
    const TRect focusRect = rect;

    const bool pressed = FTrackHeading == -1 && FTracking && FTrackPressed && FTrackCell == TGridCoord{ACol, ARow};
    drawInfo.Rect = rect;
    DrawBevels(canvas, drawInfo.Rect, outer, inner, pressed);
    DrawCellImage(ACol, ARow, -1, drawInfo.Rect, true, canvas);
    if (PaintOutdated(stamp))
        return;
    if (AState.Contains(gdFixed) && ARow == 0 && column == FSortIndicatorColumn)
        DrawSortIndicator(ACol, drawInfo.Rect);

    if (!AState.Contains(gdFixed)) {
        drawInfo.Text = GetDisplayText(ACol, ARow, column);
        if (PaintOutdated(stamp))
            return;
    }
    canvas.Font().Assign(FCellFont.get());
    VGDrawText(drawInfo);

    if (AState.Contains(gdFocused) && FVelkoOptions.Contains(vgoptDrawFocusRectangle)) {
        canvas.Brush().SetColor(color);
        canvas.Brush().SetStyle(bsSolid);
        canvas.DrawFocusRect(focusRect);
    }
    CellDrawn(ACol, ARow, ARect, AState);
}

void TVelkoGrid::DrawItemBorders(TCanvas& Canvas, TRect& Rect, int ACol, int ARow, TvgHeading* Item,
                                 TvgCellStates State)
{
    FTopBorder->Assign(Item->TopBorder());
    FRightBorder->Assign(Item->RightBorder());
    FBottomBorder->Assign(Item->BottomBorder());
    FLeftBorder->Assign(Item->LeftBorder());
    const bool signalled = SignalConnected<&TVelkoGrid::cellBordersRequested>();
    const TPaintStamp stamp = signalled ? PaintStamp() : TPaintStamp{};
    if (OnChangeCellBorders)
        OnChangeCellBorders(this, ACol, ARow, Item, State, FTopBorder.get(), FRightBorder.get(), FBottomBorder.get(),
                            FLeftBorder.get());
    if (signalled && PaintStamp() == stamp)
        emit cellBordersRequested(ACol, ARow, Item, State, FTopBorder.get(), FRightBorder.get(), FBottomBorder.get(),
                                  FLeftBorder.get());
    VgDrawBorders(Canvas, Rect, *FTopBorder, *FRightBorder, *FBottomBorder, *FLeftBorder);
}

void TVelkoGrid::DrawBevels(TCanvas& Canvas, TRect& Rect, TBevelCut Outer, TBevelCut Inner, bool Pressed)
{
    if (Pressed) {
        Outer = bvLowered;
        Inner = bvNone;
    }
    VgDrawBevel(Canvas, Rect, Outer, Inner);
    if (Pressed) {
        Rect.Left += 2;
        Rect.Top += 2;
    }
}

void TVelkoGrid::DrawCellImage(int ACol, int ARow, int HeadingIndex, TRect& Rect, bool Draw, TCanvas& Canvas)
{
    const bool signalled = SignalConnected<&TVelkoGrid::cellImageRequested>();
    if (!OnGetCellImage && !signalled)
        return;
    TObject* source = nullptr;
    int imageIndex = -1;
    TvgImagePosition position = vgipLeft;
    TAlignment hAlign = taCenter;
    TvgVAlignment vAlign = vgvaCenter;
    int margin = 2;
    if (OnGetCellImage)
        OnGetCellImage(this, ACol, ARow, HeadingIndex, source, imageIndex, position, hAlign, vAlign, margin);
    if (signalled)
        emit cellImageRequested(ACol, ARow, HeadingIndex, source, imageIndex, position, hAlign, vAlign, margin);
    if (!source)
        return;
    // Any margin the handler gives stays within what a cell can hold.
    margin = std::clamp(margin, -MaxGridExtent, MaxGridExtent);
    auto* picture = dynamic_cast<TPicture*>(source);
    auto* imageList = dynamic_cast<TCustomImageList*>(source);
    int imageWidth = 0;
    int imageHeight = 0;
    if (picture) {
        imageWidth = picture->Width();
        imageHeight = picture->Height();
    } else if (imageList) {
        imageWidth = imageList->Width();
        imageHeight = imageList->Height();
    } else {
        return;
    }

    TRect imageRect = Rect;
    switch (position) {
    case vgipLeft:
        Rect.Left += imageWidth + 2 * margin;
        imageRect.Right = Rect.Left - 1;
        break;
    case vgipRight:
        Rect.Right -= imageWidth + 2 * margin;
        imageRect.Left = Rect.Right + 1;
        break;
    case vgipTop:
        Rect.Top += imageHeight + 2 * margin;
        imageRect.Bottom = Rect.Top - 1;
        break;
    case vgipBottom:
        Rect.Bottom -= imageHeight + 2 * margin;
        imageRect.Top = Rect.Bottom + 1;
        break;
    }
    if (!Draw)
        return;

    if (position == vgipLeft || position == vgipRight) {
        imageRect.Left += margin;
        switch (vAlign) {
        case vgvaTop: imageRect.Top += margin; break;
        case vgvaCenter: imageRect.Top += (RectHeight(imageRect) - imageHeight) / 2; break;
        case vgvaBottom: imageRect.Top = imageRect.Bottom - imageHeight - margin; break;
        }
    } else {
        imageRect.Top += margin;
        switch (hAlign) {
        case taLeftJustify: imageRect.Left += margin; break;
        case taRightJustify: imageRect.Left = imageRect.Right - imageWidth - margin; break;
        case taCenter: imageRect.Left += (RectWidth(imageRect) - imageWidth) / 2; break;
        }
    }
    if (picture)
        Canvas.Draw(imageRect.Left, imageRect.Top, *picture);
    else if (imageIndex >= 0 && imageIndex < imageList->Count())
        imageList->Draw(Canvas, imageRect.Left, imageRect.Top, imageIndex, true);
}

} // namespace vg
