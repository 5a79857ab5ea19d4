/// \file
/// Moving one entry of a list to another position, the entries in between shifting by one
/// toward the gap: what moving a grid's column or row does to every list kept per column
/// or per row.
#pragma once

#include <algorithm>
#include <vector>

namespace vg {

/// Both indices must lie inside the list.
template <class T>
void MoveEntry(std::vector<T>& list, int from, int to)
{
    const auto at = [&list](int i) { return list.begin() + i; };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else if (from > to)
        std::rotate(at(to), at(from), at(from + 1));
}

/// Where the entry at index ends up when the entry at from is moved to to.
inline int MovedIndex(int index, int from, int to)
{
    if (index == from)
        return to;
    if (from < to && index > from && index <= to)
        return index - 1;
    if (from > to && index >= to && index < from)
        return index + 1;
    return index;
}

} // namespace vg
