/// \file
/// The widths of a grid's columns or the heights of its rows. Until one of them is set
/// apart from the default, nothing but the default and the count is stored, so a grid of
/// a million rows of the default height keeps no list of heights at all.
///
/// An entry that has no extent of its own (its own extent is the default) may be given an
/// automatic extent by the grid, which then takes the default's place for it: the grid
/// sizes such a cell to fit what it shows. Automatic extents are few, kept by position,
/// and never written to form files; an extent of its own always wins.
#pragma once

#include "platform/core/Export.h"

#include <span>
#include <utility>
#include <vector>

namespace vg {

/// The largest width or height of a cell, and of a grid line: the largest widget Qt makes.
/// Positions on screen stay far from int's limits however many cells are added up.
inline constexpr int MaxGridExtent = 16777215;
/// Once an entry differs from the default, every entry is kept (and written to form files):
/// that is allowed up to this many entries.
inline constexpr int MaxCustomExtents = 10000000;

/// The widths of a grid's columns or the heights of its rows; nothing but the default and the count
/// is stored until one of them is set apart from the default.
/// \ingroup host_grid
class VELKOGRID_EXPORT TGridExtents {
public:
    explicit TGridExtents(int defaultExtent) : FDefault(defaultExtent) {}

    int Count() const { return FCount; }
    /// The extent the entry has: its own, or else its automatic one, or else the default.
    /// Raises EListError outside 0..Count-1.
    int Get(int index) const;
    /// The entry's own extent: the default unless one was set. Raises EListError outside
    /// 0..Count-1.
    int Own(int index) const;
    /// Raises EListError outside 0..Count-1 and EInvalidOperation for an extent outside
    /// 0..MaxGridExtent, or for the first custom entry of more than MaxCustomExtents.
    void Set(int index, int extent);

    /// Gives the entry an automatic extent, or takes it away with a negative one. Raises
    /// EListError outside 0..Count-1 and EInvalidOperation above MaxGridExtent.
    void SetAutomatic(int index, int extent);

    int Default() const { return FDefault; }
    /// Sets the default and gives every entry that value; the same range as Set.
    void SetDefault(int extent);

    /// The first entry at or after from (the last at or before from) that is not 0; Count()
    /// (-1) when there is none. Without custom entries this costs nothing, so a million
    /// columns of width 0 are passed over at once.
    int NextNonZero(int from) const;
    int PreviousNonZero(int from) const;

    /// New entries take the default; entries past the new count are dropped, with their
    /// automatic extents. CheckResize
    /// raises EInvalidOperation, before anything changes, for a count that would keep more
    /// than MaxCustomExtents custom entries.
    void CheckResize(int count) const;
    /// The largest count CheckResize accepts as things are.
    int MaxCount() const;
    void Resize(int count);
    /// Moves entry from to position to; those in between shift by one. Automatic extents
    /// stay at their positions.
    void Move(int from, int to);
    /// The entries from first on take a new order: entry first + i gets the extent of its
    /// own that entry first + order[i] had. Automatic extents stay at their positions, as
    /// for Move. The caller checks that order is a permutation of entries inside the list.
    void Permute(int first, std::span<const int> order);
    /// Whether any entry has an extent of its own that differs from the default.
    bool HasCustom() const;
    /// Every entry's own extent.
    std::vector<int> Values() const;
    /// Changes with every change of an entry, the default or the count.
    unsigned Version() const { return FVersion; }

private:
    void CheckIndex(int index) const;
    // The first (last) entry of [from, end) (of [start, from]) whose own extent is not 0;
    // end (start - 1) when there is none.
    int NextOwnNonZero(int from, int end) const;
    int PreviousOwnNonZero(int from, int start) const;

    int FDefault;
    int FCount = 0;
    unsigned FVersion = 0;
    std::vector<int> FCustom; // empty while every entry is the default
    std::vector<std::pair<int, int>> FAutomatic; // (index, extent), by index
};

} // namespace vg
