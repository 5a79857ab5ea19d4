#include "platform/hostgrid/GridExtents.h"

#include "platform/core/Exceptions.h"
#include "platform/hostgrid/MoveEntry.h"

#include <algorithm>
#include <limits>

namespace vg {

namespace {

void CheckExtent(int extent)
{
    if (extent < 0 || extent > MaxGridExtent)
        throw EInvalidOperation(QStringLiteral("A cell cannot be %1 pixels wide or high").arg(extent));
}

void CheckCustomCount(int count)
{
    if (count > MaxCustomExtents)
        throw EInvalidOperation(QStringLiteral("%1 cells cannot each have a size of their own; at most %2 can")
                                    .arg(count)
                                    .arg(MaxCustomExtents));
}

} // namespace

void TGridExtents::CheckIndex(int index) const
{
    if (index < 0 || index >= FCount)
        RaiseListIndexError(index);
}

int TGridExtents::Own(int index) const
{
    CheckIndex(index);
    return FCustom.empty() ? FDefault : FCustom[size_t(index)];
}

int TGridExtents::Get(int index) const
{
    const int own = Own(index);
    if (own != FDefault || FAutomatic.empty())
        return own;
    const auto found = std::lower_bound(FAutomatic.begin(), FAutomatic.end(), std::pair(index, 0));
    return found != FAutomatic.end() && found->first == index ? found->second : own;
}

void TGridExtents::SetAutomatic(int index, int extent)
{
    CheckIndex(index);
    if (extent >= 0)
        CheckExtent(extent);
    const auto found = std::lower_bound(FAutomatic.begin(), FAutomatic.end(), std::pair(index, 0));
    const bool exists = found != FAutomatic.end() && found->first == index;
    if (extent < 0) {
        if (!exists)
            return;
        FAutomatic.erase(found);
    } else if (exists) {
        if (found->second == extent)
            return;
        found->second = extent;
    } else {
        FAutomatic.insert(found, {index, extent});
    }
    ++FVersion;
}

void TGridExtents::Set(int index, int extent)
{
    CheckIndex(index);
    CheckExtent(extent);
    if (FCustom.empty()) {
        if (extent == FDefault)
            return;
        CheckCustomCount(FCount);
        FCustom.assign(size_t(FCount), FDefault);
    }
    FCustom[size_t(index)] = extent;
    ++FVersion;
}

void TGridExtents::SetDefault(int extent)
{
    CheckExtent(extent);
    FDefault = extent;
    FCustom.clear();
    ++FVersion;
}

int TGridExtents::NextNonZero(int from) const
{
    from = std::clamp(from, 0, FCount);
    // Between two automatic extents every entry has its own (or the default) extent, so
    // a stretch is passed over as without automatic extents.
    for (int i = from; i < FCount;) {
        const auto next = std::lower_bound(FAutomatic.begin(), FAutomatic.end(), std::pair(i, 0));
        const int stretchEnd = next == FAutomatic.end() ? FCount : next->first;
        const int found = NextOwnNonZero(i, stretchEnd);
        if (found < stretchEnd || stretchEnd == FCount)
            return found;
        if (Get(stretchEnd) != 0)
            return stretchEnd;
        i = stretchEnd + 1;
    }
    return FCount;
}

int TGridExtents::PreviousNonZero(int from) const
{
    from = std::min(from, FCount - 1);
    for (int i = from; i >= 0;) {
        // The last automatic extent at or before i, and the stretch after it.
        const auto after = std::upper_bound(FAutomatic.begin(), FAutomatic.end(), std::pair(i, MaxGridExtent));
        const int automatic = after == FAutomatic.begin() ? -1 : std::prev(after)->first;
        const int found = PreviousOwnNonZero(i, automatic + 1);
        if (found > automatic || automatic < 0)
            return found;
        if (Get(automatic) != 0)
            return automatic;
        i = automatic - 1;
    }
    return -1;
}

int TGridExtents::NextOwnNonZero(int from, int end) const
{
    if (from >= end)
        return end;
    if (FCustom.empty())
        return FDefault != 0 ? from : end;
    return int(std::find_if(FCustom.begin() + from, FCustom.begin() + end, [](int e) { return e != 0; }) - FCustom.begin());
}

int TGridExtents::PreviousOwnNonZero(int from, int start) const
{
    if (from < start)
        return start - 1;
    if (FCustom.empty())
        return FDefault != 0 ? from : start - 1;
    for (int i = from; i >= start; --i)
        if (FCustom[size_t(i)] != 0)
            return i;
    return start - 1;
}

void TGridExtents::CheckResize(int count) const
{
    if (!FCustom.empty())
        CheckCustomCount(count);
}

int TGridExtents::MaxCount() const
{
    return FCustom.empty() ? std::numeric_limits<int>::max() : MaxCustomExtents;
}

void TGridExtents::Resize(int count)
{
    CheckResize(count);
    FCount = std::max(count, 0);
    if (!FCustom.empty())
        FCustom.resize(size_t(FCount), FDefault);
    std::erase_if(FAutomatic, [this](const std::pair<int, int>& entry) { return entry.first >= FCount; });
    ++FVersion;
}

void TGridExtents::Move(int from, int to)
{
    CheckIndex(from);
    CheckIndex(to);
    if (!FCustom.empty())
        MoveEntry(FCustom, from, to);
    ++FVersion;
}

void TGridExtents::Permute(int first, std::span<const int> order)
{
    if (FCustom.empty() || order.empty())
        return;
    std::vector<int> moved(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        moved[i] = FCustom[size_t(first + order[i])];
    std::copy(moved.begin(), moved.end(), FCustom.begin() + first);
    ++FVersion;
}

bool TGridExtents::HasCustom() const
{
    return std::any_of(FCustom.begin(), FCustom.end(), [this](int e) { return e != FDefault; });
}

std::vector<int> TGridExtents::Values() const
{
    return FCustom.empty() ? std::vector<int>(size_t(FCount), FDefault) : FCustom;
}

} // namespace vg
