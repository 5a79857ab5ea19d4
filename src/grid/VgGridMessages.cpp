// Messages the grid answers: the size requests text drawing posts while painting. A
// request only ever grows a column or row, so requests from several cells of one column
// settle on the widest at once instead of taking turns.
#include "grid/VgGrid.h"

#include <limits>

namespace vg {

namespace {

// Requests carry what painting saw; by the time they arrive the grid may have fewer
// columns or rows, and a size beyond int is no size.
bool ValidRequest(const TMessage& Message, int count)
{
    return Message.WParam >= 0 && Message.WParam < count && Message.LParam >= 0 &&
           Message.LParam <= std::numeric_limits<int>::max();
}

// Text taller or wider than a cell can be gets the largest cell.
int RequestedExtent(const TMessage& Message)
{
    return int(std::min<std::intptr_t>(Message.LParam, MaxGridExtent));
}

} // namespace

void TVelkoGrid::vgwmHandleAdjustRowHeight(TMessage& Message)
{
    if (Options().Contains(goRowSizing) || IsDesigning() || !ValidRequest(Message, RowCount()))
        return;
    const int row = int(Message.WParam);
    if (RequestedExtent(Message) > RowHeights(row))
        SetRowHeights(row, RequestedExtent(Message));
}

void TVelkoGrid::vgwmHandleAdjustColumnWidth(TMessage& Message)
{
    if (Options().Contains(goColSizing) || IsDesigning() || !ValidRequest(Message, ColCount()))
        return;
    const int col = int(Message.WParam);
    if (RequestedExtent(Message) > ColWidths(col))
        SetColWidths(col, RequestedExtent(Message));
}

} // namespace vg
