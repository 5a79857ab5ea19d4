/// \file
/// TSparseStrings: a string list for long lists of mostly empty strings, such as the cells
/// of a grid column: empty entries that were never given text take no memory, and
/// inserting, deleting or moving an entry anywhere costs about as much at a million
/// entries as at a thousand. It behaves as any TStrings; SetCount grows or shortens it at
/// once, and ForEachFilled visits only the entries that hold text.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/SegmentedList.h"
#include "platform/core/Strings.h"

namespace vg {

/// A string list for long lists of mostly empty strings, such as the cells of a hidden grid
/// column: empty entries cost nothing, and inserting, deleting or moving an entry costs about as
/// much at a million entries as at a thousand.
/// \ingroup host_core
class VELKOGRID_EXPORT TSparseStrings : public TStrings {
    VG_CLASS(TSparseStrings)
public:
    int Count() const override { return FList.Count(); }
    QString Get(int index) const override;
    void Put(int index, const QString& s) override;
    void Insert(int index, const QString& s) override;
    void Delete(int index) override;
    void Clear() override;
    /// Case-insensitive, as for any TStrings; only entries that hold text are compared
    /// with a text.
    int IndexOf(const QString& s) const override;

    /// Appends empty entries up to count, or drops the entries from count on. Negative
    /// counts raise EListError.
    void SetCount(int count);
    /// The entries from first on take a new order: entry first + i becomes the one that was
    /// at first + order[i]. EListError when the entries run past the list, EInvalidOperation
    /// when order is no permutation; nothing changes then.
    void Permute(int first, std::span<const int> order);
    /// visit(index, text) for every entry that holds text, in order.
    template <class F>
    void ForEachFilled(F&& visit) const
    {
        FList.ForEachFilled(visit);
    }

    /// From another sparse list the entries are copied as they are kept, so a long list
    /// of empty entries copies at once; from other lists entry by entry.
    void Assign(const TPersistent* source) override;

private:
    struct TIsEmpty {
        bool operator()(const QString& s) const { return s.isEmpty(); }
    };
    void CheckIndex(int index, int count) const;

    TSegmentedList<QString, TIsEmpty> FList;
};

} // namespace vg
