#include "platform/core/Permutation.h"

namespace vg {

bool IsPermutation(std::span<const int> order)
{
    std::vector<bool> seen(order.size());
    for (const int from : order) {
        if (from < 0 || size_t(from) >= order.size() || seen[size_t(from)])
            return false;
        seen[size_t(from)] = true;
    }
    return true;
}

std::vector<int> InversePermutation(std::span<const int> order)
{
    std::vector<int> inverse(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        inverse[size_t(order[i])] = int(i);
    return inverse;
}

} // namespace vg
