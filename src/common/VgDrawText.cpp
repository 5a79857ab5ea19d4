#include "common/VgDrawText.h"

#include "platform/app/Messages.h"
#include "platform/core/Exceptions.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/TextLayout.h"

namespace vg {

namespace {

unsigned AlignmentFlag(TAlignment alignment)
{
    switch (alignment) {
    case taCenter:
        return DT_CENTER;
    case taRightJustify:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

unsigned ClipStyleFlag(TvgClipStyle clipStyle)
{
    switch (clipStyle) {
    case vgclpEllipsis:
        return DT_END_ELLIPSIS;
    case vgclpWrap:
        return DT_WORDBREAK;
    default:
        return 0;
    }
}

// Asks the grid for a taller row or a wider column when the measured text needs it and
// the grid allows it. The requests are posted, so they are handled after painting.
void RequestRoom(const TVgDrawInfo& Info, const TRect& textArea, const TRect& measured, int textHeight)
{
    if (!Info.Grid)
        return;
    if (textHeight > RectHeight(textArea) && Info.Grid->VelkoAdjustRowHeight())
        PostMessage(Info.Grid->SizeRequestReceiver(), vgwmAdjustRowHeight, Info.Row, textHeight + 2 * Info.VMargin);
    if (RectWidth(measured) > RectWidth(textArea) && Info.Grid->VelkoAdjustColWidth())
        PostMessage(Info.Grid->SizeRequestReceiver(), vgwmAdjustColumnWidth, Info.Col,
                    RectWidth(measured) + 2 * Info.HMargin);
}

TCanvas& CanvasOf(const TVgDrawInfo& Info)
{
    if (!Info.Canvas)
        throw EInvalidOperation(QStringLiteral("Cannot draw cell text without a canvas"));
    return *Info.Canvas;
}

// Where the text goes inside Info.Rect.
TRect TextArea(const TVgDrawInfo& Info)
{
    TRect textArea = Rect(Info.Rect.Left + Info.HMargin, Info.Rect.Top + Info.VMargin,
                          Info.Rect.Right - Info.HMargin, Info.Rect.Bottom - Info.VMargin);
    // The text of a fixed cell starts a margin above the given rectangle.
    if (Info.State.Contains(gdFixed))
        textArea.Top -= 2 * Info.VMargin;
    return textArea;
}

unsigned TextFlags(const TVgDrawInfo& Info)
{
    return DT_NOPREFIX | DT_EXPANDTABS | ClipStyleFlag(Info.ClipStyle) | AlignmentFlag(Info.HAlignment);
}

} // namespace

int VGTextRoomHeight(const TVgDrawInfo& Info)
{
    TCanvas& canvas = CanvasOf(Info);
    TRect measured = TextArea(Info);
    const int textHeight = DrawText(canvas, Info.Text, measured, TextFlags(Info) | DT_CALCRECT);
    // The text area is as high as the rectangle (a fixed cell's starts a margin above
    // it); the margins stay free above and below the text, as centring places it.
    return textHeight + 2 * Info.VMargin;
}

void VGDrawText(const TVgDrawInfo& Info)
{
    TCanvas& canvas = CanvasOf(Info);
    TRect textArea = TextArea(Info);
    const unsigned flags = TextFlags(Info);
    // Measuring lays the text out once more; it is needed only to place the block below
    // the top or to ask for room.
    const bool mayRequest = Info.Grid && (Info.Grid->VelkoAdjustRowHeight() || Info.Grid->VelkoAdjustColWidth());
    if (Info.VAlignment != vgvaTop || mayRequest) {
        TRect measured = textArea;
        const int textHeight = DrawText(canvas, Info.Text, measured, flags | DT_CALCRECT);
        RequestRoom(Info, textArea, measured, textHeight);

        // A block that fits is placed by the vertical alignment; one that does not starts
        // at the top, so its first lines stay readable.
        if (textHeight < RectHeight(textArea)) {
            if (Info.VAlignment == vgvaCenter)
                textArea.Top += (RectHeight(textArea) - textHeight) / 2;
            else if (Info.VAlignment == vgvaBottom)
                textArea.Top = textArea.Bottom - textHeight;
        }
    }

    canvas.Brush().SetStyle(bsClear); // the caller has painted the background
    DrawText(canvas, Info.Text, textArea, flags);
}

} // namespace vg
