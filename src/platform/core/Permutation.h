/// \file
/// Row orders: a permutation of n places given as the list of where each new place's entry
/// comes from (entry i of the new order is the one at order[i] before). Sorting makes one,
/// the grids apply one, and an undo applies its inverse.
#pragma once

#include "platform/core/Export.h"

#include <span>
#include <vector>

namespace vg {

/// Whether order holds each of 0..size-1 exactly once.
VELKOGRID_EXPORT bool IsPermutation(std::span<const int> order);

/// The order that puts the entries back: inverse[order[i]] == i. The caller checks that
/// order is a permutation.
VELKOGRID_EXPORT std::vector<int> InversePermutation(std::span<const int> order);

} // namespace vg
