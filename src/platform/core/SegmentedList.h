/// \file
/// A sequence of entries of which most are typically empty, cheap to grow, shrink, insert
/// into, remove from and reorder anywhere: what a grid's rows, or the cells of a hidden
/// column, need at a million entries and more. The entries lie in segments: a run of empty
/// entries keeps nothing but its length, however long; a block keeps its entries in a
/// vector. An entry takes a place in a block only when it is given a value, and a block
/// whose entries are all empty again becomes part of a run. Inserting, removing or moving
/// an entry shifts the entries of at most two blocks and renumbers the segments after it,
/// so its cost grows with the number of segments, not with the number of entries.
#pragma once

#include <algorithm>
#include <iterator>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace vg {

/// A sequence of mostly empty entries, cheap to grow, shrink, insert into, remove from and
/// reorder anywhere at a million entries and more; the rows of the host grid's storage.
///
/// IsEmpty()(entry) tells whether an entry holds nothing; a default-made T must be empty.
/// Indices are the caller's to check: every operation expects them inside the list.
/// \ingroup host_core
template <class T, class IsEmpty>
class TSegmentedList {
public:
    /// A new block covers this many entries (fewer at the edges of its run); a block that
    /// grows to twice as many is split, one that shrinks to a quarter joins a neighbour.
    static constexpr int BlockSize = 1024;

    TSegmentedList() = default;
    TSegmentedList(const TSegmentedList& other) { *this = other; }
    TSegmentedList& operator=(const TSegmentedList& other)
    {
        if (this == &other)
            return *this;
        std::vector<TSegment> copy;
        copy.reserve(other.FSegments.size());
        for (const TSegment& s : other.FSegments)
            copy.push_back({s.Start, s.Count, s.Block ? std::make_unique<TBlock>(*s.Block) : nullptr});
        FSegments = std::move(copy);
        FCount = other.FCount;
        FHint = 0;
        return *this;
    }
    TSegmentedList(TSegmentedList&&) noexcept = default;
    TSegmentedList& operator=(TSegmentedList&&) noexcept = default;

    int Count() const { return FCount; }

    const T& Get(int index) const
    {
        static const T empty{};
        const TSegment& s = FSegments[Find(index)];
        return s.Block ? s.Block->Entries[size_t(index - s.Start)] : empty;
    }

    /// A filled entry, to change in place in ways that leave it filled; the reference lasts
    /// until the list next changes shape (an entry filled or emptied, inserted, removed or
    /// moved, a new count).
    T& FilledAt(int index)
    {
        const TSegment& s = FSegments[Find(index)];
        return s.Block->Entries[size_t(index - s.Start)];
    }

    void Set(int index, T value)
    {
        size_t k = Find(index);
        if (!FSegments[k].Block) {
            if (IsEmpty()(value))
                return;
            k = Materialize(k, index);
        }
        UpdateIn(k, index, [&value](T& entry) { entry = std::move(value); });
    }

    /// Calls change(entry); the change may fill the entry or empty it.
    template <class F>
    void Update(int index, F&& change)
    {
        size_t k = Find(index);
        if (!FSegments[k].Block)
            k = Materialize(k, index);
        UpdateIn(k, index, change);
    }

    /// New entries are empty; entries past count are dropped.
    void Resize(int count)
    {
        if (count >= FCount) {
            if (count > FCount)
                AppendEmpty(count - FCount);
            return;
        }
        while (!FSegments.empty() && FSegments.back().Start >= count)
            FSegments.pop_back();
        FHint = 0;
        FCount = count;
        if (FSegments.empty())
            return;
        TSegment& last = FSegments.back();
        const int keep = count - last.Start;
        if (last.Block) {
            std::vector<T>& entries = last.Block->Entries;
            last.Block->Filled -= int(std::count_if(entries.begin() + keep, entries.end(), Filled));
            entries.erase(entries.begin() + keep, entries.end());
        }
        last.Count = keep;
        Settle(FSegments.size() - 1);
    }

    /// An empty entry before index; index Count appends one.
    void Insert(int index)
    {
        if (index == FCount && (FSegments.empty() || !FSegments.back().Block)) {
            AppendEmpty(1);
            return;
        }
        // At the end, a block that ends the list takes the entry: it is about to be given a
        // value, as when a row moves to the end, and a block of its own would stay small.
        size_t k = index == FCount ? FSegments.size() - 1 : Find(index);
        // At the start of a block, a run just before it takes the entry instead.
        if (k > 0 && FSegments[k].Start == index && !FSegments[k - 1].Block)
            --k;
        TSegment& s = FSegments[k];
        if (s.Block)
            s.Block->Entries.emplace(s.Block->Entries.begin() + (index - s.Start));
        ++s.Count;
        ++FCount;
        Renumber(k + 1);
        if (s.Block && s.Count >= 2 * BlockSize)
            Split(k);
    }

    void Erase(int index)
    {
        const size_t k = Find(index);
        TSegment& s = FSegments[k];
        if (s.Block) {
            std::vector<T>& entries = s.Block->Entries;
            const auto at = entries.begin() + (index - s.Start);
            s.Block->Filled -= int(Filled(*at));
            entries.erase(at);
        }
        --s.Count;
        --FCount;
        Renumber(k + 1);
        Settle(k);
    }

    /// Entry from goes to position to; those in between shift by one towards from.
    void Move(int from, int to)
    {
        if (from == to)
            return;
        T value = Take(from);
        Erase(from);
        Insert(to);
        Set(to, std::move(value));
    }

    /// The entries from first on take a new order: entry first + i becomes the one that was
    /// at first + order[i]. Entries are moved, never copied, so reordering a million of
    /// them costs a pass over them. The caller checks that order is a permutation (see
    /// Permutation.h) of entries inside the list.
    void Permute(int first, std::span<const int> order)
    {
        std::vector<T> taken(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            taken[i] = Take(first + int(i));
        /// The blocks emptied by taking stay, so that the entries land in them again.
        for (size_t i = 0; i < order.size(); ++i) {
            T& value = taken[size_t(order[i])];
            if (Filled(value))
                Set(first + int(i), std::move(value));
        }
        for (TSegment& s : FSegments)
            if (s.Block && s.Block->Filled == 0)
                s.Block.reset();
        JoinRuns();
    }

    /// visit(index, entry) for every entry that holds something, in order.
    template <class F>
    void ForEachFilled(F&& visit) const
    {
        for (const TSegment& s : FSegments) {
            if (!s.Block)
                continue;
            for (int i = 0; i < s.Count; ++i)
                if (Filled(s.Block->Entries[size_t(i)]))
                    visit(s.Start + i, s.Block->Entries[size_t(i)]);
        }
    }

    /// change(entry) for every entry that holds something; the change may empty it.
    template <class F>
    void UpdateEachFilled(F&& change)
    {
        for (TSegment& s : FSegments) {
            if (!s.Block)
                continue;
            for (T& entry : s.Block->Entries)
                if (Filled(entry))
                    change(entry);
            s.Block->Filled = int(std::count_if(s.Block->Entries.begin(), s.Block->Entries.end(), Filled));
            if (s.Block->Filled == 0)
                s.Block.reset();
        }
        JoinRuns();
    }

    /// Blocks allocated, for tests of the memory use.
    int BlockCount() const
    {
        return int(std::count_if(FSegments.begin(), FSegments.end(), [](const TSegment& s) { return bool(s.Block); }));
    }

private:
    struct TBlock {
        std::vector<T> Entries;
        int Filled = 0; // entries that hold something
    };
    struct TSegment {
        int Start = 0;
        int Count = 0;
        std::unique_ptr<TBlock> Block; // null: a run of Count empty entries
    };

    static bool Filled(const T& entry) { return !IsEmpty()(entry); }

    // The segment holding index; the last one found is tried first, then its successor,
    // so walking the list in order costs no search.
    size_t Find(int index) const
    {
        const auto holds = [index](const TSegment& s) { return index >= s.Start && index - s.Start < s.Count; };
        if (FHint < FSegments.size() && holds(FSegments[FHint]))
            return FHint;
        if (FHint + 1 < FSegments.size() && holds(FSegments[FHint + 1]))
            return ++FHint;
        const auto after = std::upper_bound(FSegments.begin(), FSegments.end(), index,
                                            [](int i, const TSegment& s) { return i < s.Start; });
        FHint = size_t(after - FSegments.begin()) - 1;
        return FHint;
    }

    template <class F>
    void UpdateIn(size_t k, int index, F&& change)
    {
        TBlock& block = *FSegments[k].Block;
        T& entry = block.Entries[size_t(index - FSegments[k].Start)];
        const bool was = Filled(entry);
        change(entry);
        block.Filled += int(Filled(entry)) - int(was);
        if (block.Filled == 0)
            Settle(k);
    }

    // The entry's value, leaving it empty.
    T Take(int index)
    {
        TSegment& s = FSegments[Find(index)];
        if (!s.Block)
            return T{};
        T& entry = s.Block->Entries[size_t(index - s.Start)];
        s.Block->Filled -= int(Filled(entry));
        T value = std::move(entry);
        entry = T{};
        return value;
    }

    void AppendEmpty(int count)
    {
        if (!FSegments.empty() && !FSegments.back().Block)
            FSegments.back().Count += count;
        else
            FSegments.push_back({FCount, count, nullptr});
        FCount += count;
    }

    // Gives the part of run k around index a block: the BlockSize entries aligned on a
    // multiple of BlockSize, as far as the run reaches. Returns the block's segment.
    size_t Materialize(size_t k, int index)
    {
        const long long runStart = FSegments[k].Start;
        const long long runEnd = runStart + FSegments[k].Count;
        const long long aligned = index - index % BlockSize;
        const int lo = int(std::max(runStart, aligned));
        const int hi = int(std::min(runEnd, aligned + BlockSize));
        auto block = std::make_unique<TBlock>();
        block->Entries.resize(size_t(hi - lo));
        std::vector<TSegment> parts;
        if (lo > runStart)
            parts.push_back({int(runStart), int(lo - runStart), nullptr});
        const size_t at = k + parts.size();
        parts.push_back({lo, hi - lo, std::move(block)});
        if (hi < runEnd)
            parts.push_back({hi, int(runEnd - hi), nullptr});
        FSegments.erase(FSegments.begin() + std::ptrdiff_t(k));
        FSegments.insert(FSegments.begin() + std::ptrdiff_t(k), std::make_move_iterator(parts.begin()),
                         std::make_move_iterator(parts.end()));
        FHint = at;
        // A sliver of a run between blocks joins a neighbouring block rather than staying
        // a block of a few entries.
        if (hi - lo < BlockSize / 4) {
            JoinBlockWithNeighbour(at);
            return Find(index);
        }
        return at;
    }

    void Renumber(size_t from)
    {
        for (size_t j = std::max<size_t>(from, 1); j < FSegments.size(); ++j)
            FSegments[j].Start = FSegments[j - 1].Start + FSegments[j - 1].Count;
    }

    // After segment k changed: a block whose entries all hold nothing becomes a run, a
    // small block joins a neighbouring block, and a run merges with the runs beside it (or
    // goes, when it covers nothing). Only the neighbours of k are looked at.
    void Settle(size_t k)
    {
        if (FSegments[k].Block && FSegments[k].Block->Filled == 0)
            FSegments[k].Block.reset();
        if (FSegments[k].Block) {
            if (FSegments[k].Count < BlockSize / 4)
                JoinBlockWithNeighbour(k);
            return;
        }
        const size_t first = k > 0 && !FSegments[k - 1].Block ? k - 1 : k;
        const size_t last = k + 1 < FSegments.size() && !FSegments[k + 1].Block ? k + 1 : k;
        int total = 0;
        for (size_t j = first; j <= last; ++j)
            total += FSegments[j].Count;
        FSegments[first].Count = total;
        const size_t keep = total > 0 ? first + 1 : first;
        FSegments.erase(FSegments.begin() + std::ptrdiff_t(keep), FSegments.begin() + std::ptrdiff_t(last + 1));
        FHint = 0;
    }

    void JoinBlockWithNeighbour(size_t k)
    {
        const auto joinable = [this](size_t a) {
            return a + 1 < FSegments.size() && FSegments[a].Block && FSegments[a + 1].Block &&
                   FSegments[a].Count + FSegments[a + 1].Count <= BlockSize;
        };
        const size_t first = joinable(k) ? k : (k > 0 && joinable(k - 1) ? k - 1 : FSegments.size());
        if (first == FSegments.size())
            return;
        TSegment& into = FSegments[first];
        TSegment& from = FSegments[first + 1];
        std::move(from.Block->Entries.begin(), from.Block->Entries.end(), std::back_inserter(into.Block->Entries));
        into.Block->Filled += from.Block->Filled;
        into.Count += from.Count;
        FSegments.erase(FSegments.begin() + std::ptrdiff_t(first + 1));
        FHint = first;
    }

    // Merges every pair of neighbouring runs, after changes all over the list.
    void JoinRuns()
    {
        size_t out = 0;
        for (size_t i = 0; i < FSegments.size(); ++i) {
            if (out > 0 && !FSegments[i].Block && !FSegments[out - 1].Block) {
                FSegments[out - 1].Count += FSegments[i].Count;
                continue;
            }
            if (out != i)
                FSegments[out] = std::move(FSegments[i]);
            ++out;
        }
        FSegments.resize(out);
        FHint = 0;
    }

    // Halves block k.
    void Split(size_t k)
    {
        TSegment& s = FSegments[k];
        const int half = s.Count / 2;
        auto second = std::make_unique<TBlock>();
        second->Entries.assign(std::make_move_iterator(s.Block->Entries.begin() + half),
                               std::make_move_iterator(s.Block->Entries.end()));
        s.Block->Entries.erase(s.Block->Entries.begin() + half, s.Block->Entries.end());
        second->Filled = int(std::count_if(second->Entries.begin(), second->Entries.end(), Filled));
        s.Block->Filled -= second->Filled;
        TSegment next{s.Start + half, s.Count - half, std::move(second)};
        s.Count = half;
        FSegments.insert(FSegments.begin() + std::ptrdiff_t(k + 1), std::move(next));
        Settle(k + 1);
        Settle(k);
    }

    std::vector<TSegment> FSegments;
    int FCount = 0;
    mutable size_t FHint = 0;
};

} // namespace vg
