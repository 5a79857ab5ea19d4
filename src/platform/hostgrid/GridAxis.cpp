#include "platform/hostgrid/GridAxis.h"

#include <algorithm>

namespace vg {

int TGridAxis::FixedBoundary() const
{
    int pos = 0;
    for (int i = NextTakingRoom(0); i < FixedCount && pos <= ClientExtent; i = NextTakingRoom(i + 1))
        pos += Extent(i) + LineWidth;
    return pos;
}

std::optional<int> TGridAxis::CellStart(int index) const
{
    if (index < 0 || index >= Count() || (index >= FixedCount && index < FirstCell))
        return std::nullopt;
    int pos = 0;
    const int from = index < FixedCount ? 0 : FirstCell;
    if (index >= FixedCount)
        pos = FixedBoundary();
    for (int i = NextTakingRoom(from); i < index && pos < ClientExtent; i = NextTakingRoom(i + 1))
        pos += Extent(i) + LineWidth;
    if (pos >= ClientExtent)
        return std::nullopt;
    return pos;
}

int TGridAxis::CellAt(int pos) const
{
    if (pos < 0 || pos >= ClientExtent)
        return -1;
    int found = -1;
    ForEachShown([&](int index, int start) {
        if (found < 0 && pos >= start && pos < start + Extent(index) + LineWidth)
            found = index;
    });
    return found;
}

bool TGridAxis::Span(int first, int last, int& from, int& to) const
{
    bool found = false;
    ForEachShown([&](int index, int start) {
        if (index < first || index > last)
            return;
        if (!found)
            from = start;
        found = true;
        to = std::min(start + Extent(index), ClientExtent);
    });
    return found;
}

int TGridAxis::LastFullShownCell() const
{
    int last = FirstCell;
    int pos = FixedBoundary();
    for (int i = FirstCell; i < Count(); ++i) {
        // A run of cells that take no room fits wherever it starts.
        if (const int next = NextTakingRoom(i); next > i) {
            if (pos > ClientExtent)
                break;
            last = next - 1;
            i = next - 1;
            continue;
        }
        pos += Extent(i);
        if (pos > ClientExtent)
            break;
        last = i;
        pos += LineWidth;
    }
    return last;
}

int TGridAxis::LastShownCell() const
{
    int last = FirstCell;
    ForEachShown([&](int index, int) {
        if (index >= FirstCell)
            last = index;
    });
    return last;
}

int TGridAxis::GridBoundary() const
{
    int pos = FixedBoundary();
    for (int i = NextTakingRoom(FirstCell); i < Count() && pos < ClientExtent; i = NextTakingRoom(i + 1))
        pos += Extent(i) + LineWidth;
    return pos < ClientExtent ? pos : ClientExtent;
}

int TGridAxis::FirstCellShowing(int last) const
{
    const int fixedBoundary = FixedBoundary();
    int first = last;
    int line = ClientExtent + LineWidth;
    // Cells of extent 0 are passed over here, lines or not.
    for (int i = Extents->PreviousNonZero(last); i >= FixedCount; i = Extents->PreviousNonZero(i - 1)) {
        line -= Extent(i) + LineWidth;
        if (line < fixedBoundary)
            break;
        first = i;
    }
    return first;
}

bool TShownCells::MayBeShown(const TGridAxis& axis, int index)
{
    if (index < axis.FixedCount)
        return true;
    if (index < axis.FirstCell)
        return false;
    if (!(FAxis == axis) || FVersion != axis.Extents->Version()) {
        FAxis = axis;
        FVersion = axis.Extents->Version();
        FLastShown = axis.LastShownCell();
    }
    return index <= FLastShown;
}

} // namespace vg
