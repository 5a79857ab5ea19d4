#include "platform/hostgrid/GridExtents.h"

#include "platform/core/Exceptions.h"
#include "platform/hostgrid/MoveEntry.h"

#include <algorithm>

namespace vg {

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
    if (extent < 0)
        throw EInvalidOperation(QStringLiteral("A cell cannot be %1 pixels wide or high").arg(extent));
    if (FCustom.empty()) {
        if (extent == FDefault)
            return;
        FCustom.assign(size_t(FCount), FDefault);
    }
    FCustom[size_t(index)] = extent;
    ++FVersion;
}

void TGridExtents::SetDefault(int extent)
{
    if (extent < 0)
        throw EInvalidOperation(QStringLiteral("A cell cannot be %1 pixels wide or high").arg(extent));
    FDefault = extent;
    FCustom.clear();
    ++FVersion;
}

void TGridExtents::Resize(int count)
{
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
