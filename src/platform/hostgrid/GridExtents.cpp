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

int TGridExtents::Get(int index) const
{
    CheckIndex(index);
    return FCustom.empty() ? FDefault : FCustom[size_t(index)];
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
    if (FCustom.empty())
        return FDefault != 0 ? from : FCount;
    return int(std::find_if(FCustom.begin() + from, FCustom.end(), [](int e) { return e != 0; }) - FCustom.begin());
}

int TGridExtents::PreviousNonZero(int from) const
{
    from = std::min(from, FCount - 1);
    if (from < 0)
        return -1;
    if (FCustom.empty())
        return FDefault != 0 ? from : -1;
    for (int i = from; i >= 0; --i)
        if (FCustom[size_t(i)] != 0)
            return i;
    return -1;
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

bool TGridExtents::HasCustom() const
{
    return std::any_of(FCustom.begin(), FCustom.end(), [this](int e) { return e != FDefault; });
}

std::vector<int> TGridExtents::Values() const
{
    return FCustom.empty() ? std::vector<int>(size_t(FCount), FDefault) : FCustom;
}

} // namespace vg
