/// \file
/// One axis of a grid as it lies on screen: the columns across or the rows down. The fixed
/// cells come first and stay in place; then the scrollable cells from the first one shown
/// (LeftCol or TopRow) on, each followed by the room of a grid line. A point on a grid
/// line belongs to the cell before the line. Every answer costs only as many steps as there
/// are cells on screen, whatever the number of cells: cells that take no room (0 wide with
/// no room for lines) are passed over as a run, and fixed cells are added up only as far
/// as the client edge.
#pragma once

#include "platform/core/Export.h"
#include "platform/hostgrid/GridExtents.h"

#include <optional>
#include <type_traits>

namespace vg {

/// One axis of a grid as it lies on screen (the columns across or the rows down): the fixed cells,
/// then the scrollable cells from the first one shown.
/// \ingroup host_grid
struct VELKOGRID_EXPORT TGridAxis {
    const TGridExtents* Extents = nullptr;
    int FixedCount = 0;
    int FirstCell = 0;    // the first scrollable cell shown
    int LineWidth = 0;    // room between two cells
    int ClientExtent = 0; // room on screen

    // The same extents seen the same way (the extents' values are not compared).
    friend bool operator==(const TGridAxis&, const TGridAxis&) = default;

    int Count() const { return Extents->Count(); }
    int Extent(int index) const { return Extents->Get(index); }

    /// The first cell at or after index that takes room on screen: every cell while lines
    /// take room, otherwise the next one with an extent.
    int NextTakingRoom(int index) const { return LineWidth > 0 ? index : Extents->NextNonZero(index); }

    /// Where the scrollable cells begin; when that lies past the client edge, some place
    /// past it.
    int FixedBoundary() const;
    /// Where the cell begins on screen, or nothing when it is scrolled away or lies past
    /// the client edge.
    std::optional<int> CellStart(int index) const;
    /// The cell at a position, or -1 before the first cell, past the last one or past
    /// the client edge.
    int CellAt(int pos) const;
    /// What the cells first..last cover on screen, from where the first one shown begins
    /// to where the last one shown ends (cut at the client edge); false when none is shown.
    bool Span(int first, int last, int& from, int& to) const;
    /// The last scrollable cell that ends within the client edge; at least FirstCell.
    int LastFullShownCell() const;
    /// The last scrollable cell that begins before the client edge; at least FirstCell.
    int LastShownCell() const;
    /// Where the cells end on screen (the last one's grid line included), at most the
    /// client edge.
    int GridBoundary() const;
    /// The smallest first cell with which the cells from it up to last all fit; last
    /// itself when even it does not fit.
    int FirstCellShowing(int last) const;
    /// The largest useful first cell: the one that shows the last cell at the client edge.
    int MaxFirstCell() const { return FirstCellShowing(Count() - 1); }

    /// Calls visit(index, start) for every cell on screen that takes room: fixed cells,
    /// then the scrollable ones from FirstCell, as long as they begin before the client edge.
    template <class F>
    void ForEachShown(F&& visit) const
    {
        // A visit that answers false ends the walk: the axis may have changed under it.
        const auto goOn = [&visit](int i, int pos) {
            if constexpr (std::is_same_v<std::invoke_result_t<F&, int, int>, bool>)
                return visit(i, pos);
            else
                return visit(i, pos), true;
        };
        int pos = 0;
        for (int i = NextTakingRoom(0); i < FixedCount && pos < ClientExtent; i = NextTakingRoom(i + 1)) {
            if (!goOn(i, pos))
                return;
            pos += Extent(i) + LineWidth;
        }
        for (int i = NextTakingRoom(FirstCell); i < Count() && pos < ClientExtent; i = NextTakingRoom(i + 1)) {
            if (!goOn(i, pos))
                return;
            pos += Extent(i) + LineWidth;
        }
    }
};

/// Answers whether a cell of an axis may be on screen without walking the axis each time:
/// the last cell shown is remembered until anything that decides it changes. Invalidating
/// the cells of a million rows one by one thus costs no more than a comparison each.
/// \ingroup host_grid
class VELKOGRID_EXPORT TShownCells {
public:
    bool MayBeShown(const TGridAxis& axis, int index);

private:
    TGridAxis FAxis;       // the axis FLastShown was found on
    unsigned FVersion = 0; // and the version of its extents then
    int FLastShown = -1;
};

} // namespace vg
