/// \file
/// The value types of the host grid: its option set, the state a cell is drawn in, a
/// rectangle of cells and what a mouse drag is doing at the moment.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/TypeInfo.h"
#include "platform/core/Types.h"

#include <algorithm>
#include <cstdint>

namespace vg {

enum TGridOption : std::uint8_t {
    goFixedVertLine,    // vertical lines between fixed cells
    goFixedHorzLine,    // horizontal lines between fixed cells
    goVertLine,         // vertical lines between data cells
    goHorzLine,         // horizontal lines between data cells
    goRangeSelect,      // more than one cell can be selected
    goDrawFocusSelected, // the current cell is drawn selected, not only framed
    goRowSizing,        // rows are sized by dragging the lines between the fixed cells
    goColSizing,        // columns likewise
    goRowMoving,        // rows are moved by dragging their fixed cell
    goColMoving,        // columns likewise
    goEditing,          // cells can be edited in place
    goTabs,             // Tab and Shift+Tab move between cells
    goRowSelect,        // whole rows are selected, never single cells
    goAlwaysShowEditor, // the editor stays open over the current cell
    goThumbTracking,    // the grid scrolls while a scroll bar's thumb is dragged
};
VG_ENUM_INFO(TGridOption, "goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
             "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving", "goEditing", "goTabs",
             "goRowSelect", "goAlwaysShowEditor", "goThumbTracking")
using TGridOptions = TSet<TGridOption>;

inline constexpr TGridOptions DefaultGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};

enum TGridDrawStateFlag : std::uint8_t { gdSelected, gdFocused, gdFixed };
VG_ENUM_INFO(TGridDrawStateFlag, "gdSelected", "gdFocused", "gdFixed")
using TGridDrawState = TSet<TGridDrawStateFlag>;

/// A rectangle of cells; all four edges are cell indices and belong to it.
/// \ingroup host_grid
struct VELKOGRID_EXPORT TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

inline TGridRect GridRect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

/// The rectangle two corner cells span, whichever corners they are.
inline TGridRect GridRectOf(TGridCoord a, TGridCoord b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

/// What a press on the grid started and the following mouse moves continue.
enum class TGridState : std::uint8_t { Normal, Selecting, RowSizing, ColSizing, RowMoving, ColMoving };

} // namespace vg
