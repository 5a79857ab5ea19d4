#include "platform/core/SparseStrings.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Permutation.h"

namespace vg {

const TClassInfo& TSparseStrings::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TSparseStrings>(QStringLiteral("TSparseStrings"), &TStrings::StaticClassInfo()).Build();
    return info;
}

void TSparseStrings::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        IndexError(index);
}

QString TSparseStrings::Get(int index) const
{
    CheckIndex(index, Count());
    return FList.Get(index);
}

void TSparseStrings::Put(int index, const QString& s)
{
    CheckIndex(index, Count());
    if (FList.Get(index) == s)
        return;
    FList.Set(index, s);
    Changed();
}

void TSparseStrings::Insert(int index, const QString& s)
{
    CheckIndex(index, Count() + 1);
    FList.Insert(index);
    FList.Set(index, s);
    Changed();
}

void TSparseStrings::Delete(int index)
{
    CheckIndex(index, Count());
    FList.Erase(index);
    Changed();
}

void TSparseStrings::Clear()
{
    if (Count() == 0)
        return;
    FList.Resize(0);
    Changed();
}

int TSparseStrings::IndexOf(const QString& s) const
{
    int found = -1;
    if (s.isEmpty()) {
        // The first entry without text: the first gap between entries that hold text.
        int expected = 0;
        FList.ForEachFilled([&](int index, const QString&) {
            if (found < 0 && index != expected)
                found = expected;
            expected = index + 1;
        });
        if (found < 0 && expected < Count())
            found = expected;
        return found;
    }
    FList.ForEachFilled([&](int index, const QString& text) {
        if (found < 0 && text.compare(s, Qt::CaseInsensitive) == 0)
            found = index;
    });
    return found;
}

void TSparseStrings::SetCount(int count)
{
    if (count < 0)
        IndexError(count);
    if (count == Count())
        return;
    FList.Resize(count);
    Changed();
}

void TSparseStrings::Assign(const TPersistent* source)
{
    if (const auto* other = dynamic_cast<const TSparseStrings*>(source)) {
        if (other != this) {
            FList = other->FList;
            Changed();
        }
        return;
    }
    TStrings::Assign(source);
}

void TSparseStrings::Permute(int first, std::span<const int> order)
{
    if (first < 0 || qsizetype(first) + qsizetype(order.size()) > Count())
        IndexError(first < 0 ? first : Count());
    if (!IsPermutation(order))
        throw EInvalidOperation(QStringLiteral("A new order of the list's entries must name each of them once"));
    FList.Permute(first, order);
    Changed();
}

} // namespace vg
