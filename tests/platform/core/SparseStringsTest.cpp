// Lists of mostly empty strings: the segmented list they are kept in, checked against a
// plain vector through thousands of random edits, and the string list built on it.
#include "platform/core/Exceptions.h"
#include "platform/core/SegmentedList.h"
#include "platform/core/SparseStrings.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace vg {
namespace {

struct TIsEmpty {
    bool operator()(const QString& s) const { return s.isEmpty(); }
};
using TList = TSegmentedList<QString, TIsEmpty>;

// The list read entry by entry, and what ForEachFilled visits, must both be the model.
void ExpectSame(const TList& list, const std::vector<QString>& model, int step)
{
    ASSERT_EQ(list.Count(), int(model.size())) << "step " << step;
    for (int i = 0; i < list.Count(); ++i)
        ASSERT_EQ(list.Get(i), model[size_t(i)]) << "entry " << i << ", step " << step;
    std::vector<QString> filled(model.size());
    list.ForEachFilled([&](int index, const QString& s) {
        ASSERT_FALSE(s.isEmpty());
        filled[size_t(index)] = s;
    });
    ASSERT_EQ(filled, model) << "step " << step;
}

TEST(SegmentedList, AgreesWithAPlainVectorThroughRandomEdits)
{
    // Runs of filled and empty entries over several blocks: edits split, join and free
    // blocks on the way, and the list must always read as the vector does.
    TList list;
    std::vector<QString> model;
    std::mt19937 random(12);
    const auto pick = [&](int n) { return n > 0 ? int(random() % unsigned(n)) : 0; };
    int serial = 0;
    for (int step = 0; step < 4000; ++step) {
        const int n = int(model.size());
        switch (pick(10)) {
        case 0: { // a stretch written, as a fill does
            const int from = pick(n);
            for (int i = from; i < std::min(n, from + pick(3000)); ++i) {
                model[size_t(i)] = QString::number(++serial);
                list.Set(i, model[size_t(i)]);
            }
            break;
        }
        case 1: { // a stretch emptied
            const int from = pick(n);
            for (int i = from; i < std::min(n, from + pick(2500)); ++i) {
                model[size_t(i)].clear();
                list.Set(i, QString());
            }
            break;
        }
        case 2:
        case 3: {
            const int at = pick(n + 1);
            model.insert(model.begin() + at, QString());
            list.Insert(at);
            break;
        }
        case 4:
            if (n > 0) {
                const int at = pick(n);
                model.erase(model.begin() + at);
                list.Erase(at);
            }
            break;
        case 5:
        case 6:
            if (n > 0) {
                const int from = pick(n);
                const int to = pick(n);
                QString moving = model[size_t(from)];
                model.erase(model.begin() + from);
                model.insert(model.begin() + to, moving);
                list.Move(from, to);
            }
            break;
        case 7: {
            const int count = pick(9000);
            model.resize(size_t(count));
            list.Resize(count);
            break;
        }
        case 8:
            list.UpdateEachFilled([](QString& s) {
                if (s.toInt() % 2 == 0)
                    s.clear();
            });
            for (QString& s : model)
                if (!s.isEmpty() && s.toInt() % 2 == 0)
                    s.clear();
            break;
        case 9: { // a stretch put in a new order, as a sort does
            const int first = pick(n);
            std::vector<int> order(size_t(pick(n - first + 1)));
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            std::vector<QString> moved;
            for (const int from : order)
                moved.push_back(model[size_t(first + from)]);
            std::copy(moved.begin(), moved.end(), model.begin() + first);
            list.Permute(first, order);
            break;
        }
        }
        if (step % 50 == 0 || step > 3950)
            ExpectSame(list, model, step);
        if (HasFatalFailure())
            return;
    }
    // A copy is a copy; emptying every entry gives back every block.
    const TList copy = list;
    for (int i = 0; i < list.Count(); ++i)
        list.Set(i, QString());
    EXPECT_EQ(list.BlockCount(), 0);
    ExpectSame(copy, model, -1);
}

TEST(SegmentedList, RowsMovedOneByOneToTheEndKeepTheBlocksFew)
{
    // As a user moving the top row to the bottom again and again: the blocks neither
    // splinter into one per moved entry nor grow without end.
    const int count = 20 * TList::BlockSize;
    TList list;
    list.Resize(count);
    for (int i = 0; i < count; ++i)
        list.Set(i, QString::number(i));
    for (int i = 0; i < 3 * count / 2; ++i)
        list.Move(1, count - 1);
    EXPECT_LE(list.BlockCount(), 2 * count / TList::BlockSize);
    EXPECT_EQ(list.Get(0), QStringLiteral("0"));
    EXPECT_EQ(list.Get(count - 1), QString::number((3 * count / 2 - 1) % (count - 1) + 1));
}

TEST(SparseStrings, BehavesAsAStringListAndChecksItsIndices)
{
    TSparseStrings list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add(QStringLiteral("a"));
    list.Add(QString());
    list.Insert(1, QStringLiteral("b"));
    list.Put(2, QStringLiteral("c"));
    EXPECT_EQ(list.ToStringList(), (QStringList{"a", "b", "c"}));
    list.Move(0, 2);
    EXPECT_EQ(list.ToStringList(), (QStringList{"b", "c", "a"}));
    list.Delete(1);
    EXPECT_EQ(list.ToStringList(), (QStringList{"b", "a"}));
    EXPECT_EQ(list.IndexOf(QStringLiteral("A")), 1);
    EXPECT_EQ(list.IndexOf(QString()), -1);
    EXPECT_GT(changes, 0);

    for (auto bad : {-1, 2}) {
        EXPECT_THROW(list.Get(bad), EListError);
        EXPECT_THROW(list.Put(bad, QStringLiteral("x")), EListError);
        EXPECT_THROW(list.Delete(bad), EListError);
    }
    EXPECT_THROW(list.Insert(3, QStringLiteral("x")), EListError);
    EXPECT_THROW(list.SetCount(-1), EListError);
    EXPECT_THROW(list.Permute(-1, std::vector<int>{0}), EListError);
    EXPECT_THROW(list.Permute(1, std::vector<int>{1, 0}), EListError);
    EXPECT_THROW(list.Permute(0, std::vector<int>{1, 1}), EInvalidOperation);
    EXPECT_THROW(list.Permute(0, std::vector<int>{0, 2}), EInvalidOperation);
    EXPECT_EQ(list.ToStringList(), (QStringList{"b", "a"}));
    list.Permute(0, std::vector<int>{1, 0});
    EXPECT_EQ(list.ToStringList(), (QStringList{"a", "b"}));
    list.Permute(0, std::vector<int>{1, 0});

    TStringList plain({QStringLiteral("p"), QStringLiteral("q")});
    list.Assign(&plain);
    EXPECT_EQ(list.ToStringList(), (QStringList{"p", "q"}));
}

TEST(SparseStrings, TwoBillionEmptyEntriesCostNothingAndCopyAtOnce)
{
    TSparseStrings list;
    list.SetCount(2'000'000'000);
    list.Put(1'999'999'999, QStringLiteral("last"));
    list.Put(7, QStringLiteral("seventh"));
    list.Move(1'999'999'999, 3);
    list.Insert(0, QString());
    EXPECT_EQ(list.Get(4), QStringLiteral("last"));
    EXPECT_EQ(list.Get(9), QStringLiteral("seventh"));
    EXPECT_EQ(list.IndexOf(QStringLiteral("SEVENTH")), 9);
    EXPECT_EQ(list.IndexOf(QString()), 0);

    TSparseStrings copy;
    copy.Assign(&list);
    std::vector<int> filled;
    copy.ForEachFilled([&](int index, const QString&) { filled.push_back(index); });
    EXPECT_EQ(filled, (std::vector<int>{4, 9}));
    EXPECT_EQ(copy.Count(), 2'000'000'001);
    copy.SetCount(5);
    EXPECT_EQ(copy.ToStringList(), (QStringList{"", "", "", "", "last"}));
}

} // namespace
} // namespace vg
