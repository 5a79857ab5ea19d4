/// \file
/// Drawing the text of one cell: margins kept free, horizontal alignment per line, vertical
/// placement of the whole block, and cutting, ellipsis or word wrap for text that does not
/// fit. When the text needs more room than the cell has and its grid allows it, the grid
/// is asked, by a posted message, to widen the column or heighten the row.
#pragma once

#include "common/VgGlobal.h"
#include "platform/core/ControlEnums.h"
#include "platform/core/Export.h"
#include "platform/core/Types.h"
#include "platform/hostgrid/GridTypes.h"

#include <QString>

class QObject;

namespace vg {

class TCanvas;

/// Size requests posted to a grid while it paints, handled once painting is over.
/// WParam is the row (column), LParam the height (width) it needs in pixels.
constexpr int vgwmAdjustRowHeight = 0x400 + 3000;   // 4024
constexpr int vgwmAdjustColumnWidth = 0x400 + 3001; // 4025

/// What text drawing needs of the grid a cell belongs to.
/// \ingroup columns
class VELKOGRID_EXPORT TvgSizeRequestTarget {
public:
    virtual bool VelkoAdjustColWidth() const = 0;
    virtual bool VelkoAdjustRowHeight() const = 0;
    /// Where the size requests are posted.
    virtual QObject* SizeRequestReceiver() = 0;

protected:
    ~TvgSizeRequestTarget() = default;
};

/// How a cell's text is drawn: alignments, clipping and margins, as worked out for each cell.
/// \ingroup columns
struct VELKOGRID_EXPORT TVgDrawInfo {
    TCanvas* Canvas = nullptr;   // the font is already selected
    TvgVAlignment VAlignment = vgvaTop;
    TAlignment HAlignment = taLeftJustify;
    QString Text;                 // may hold line breaks and tabs
    TRect Rect;                   // area available to the text
    int HMargin = 2;
    int VMargin = 2;
    TvgClipStyle ClipStyle = vgclpClip;
    int Col = 0;                  // sent with a column-width request
    int Row = 0;                  // sent with a row-height request
    TvgSizeRequestTarget* Grid = nullptr; // may be null: then nothing is requested
    TGridDrawState State;         // only gdFixed is read
};

/// Draws Info.Text on Info.Canvas (which must be set) and posts the size requests the
/// text calls for. Leaves the canvas brush style clear.
VELKOGRID_EXPORT void VGDrawText(const TVgDrawInfo& Info);

/// The height Info.Rect must have for VGDrawText to show the whole of Info.Text with the
/// canvas's font, laid out at Info.Rect's width, with its vertical margins kept free.
/// Nothing is drawn or requested.
VELKOGRID_EXPORT int VGTextRoomHeight(const TVgDrawInfo& Info);

} // namespace vg
