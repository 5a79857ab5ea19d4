// The object model of the host layer: collections and their items, string lists,
// components with owners, names and states, and the errors of Assign between strangers.
#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Strings.h"
#include "platform/graphics/Font.h"

#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vg {
namespace {

// ---- test classes

class TValueItem : public TCollectionItem {
    VG_CLASS(TValueItem)
public:
    explicit TValueItem(TCollection* collection) : TCollectionItem(collection) {}
    int Value = 0;

    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TValueItem*>(source)) {
            Value = other->Value;
            return;
        }
        TCollectionItem::Assign(source);
    }
};

const TClassInfo& TValueItem::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TValueItem>(QStringLiteral("TValueItem"), &TCollectionItem::StaticClassInfo()).Build();
    return info;
}

// An item that knows no Assign of its own.
class TBareItem : public TCollectionItem {
    VG_CLASS(TBareItem)
public:
    explicit TBareItem(TCollection* collection) : TCollectionItem(collection) {}
};

const TClassInfo& TBareItem::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBareItem>(QStringLiteral("TBareItem"), &TCollectionItem::StaticClassInfo()).Build();
    return info;
}

// A source that can copy itself into string lists only, through AssignTo.
class TWordSource : public TPersistent {
    VG_CLASS(TWordSource)
public:
    QStringList Words;

protected:
    void AssignTo(TPersistent* dest) const override
    {
        if (auto* strings = dynamic_cast<TStrings*>(dest)) {
            strings->SetStrings(Words);
            return;
        }
        TPersistent::AssignTo(dest);
    }
};

const TClassInfo& TWordSource::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TWordSource>(QStringLiteral("TWordSource"), &TPersistent::StaticClassInfo()).Build();
    return info;
}

// A component that tells, while it is destroyed, what it saw of itself and of its owner.
struct TDestroyLog {
    std::vector<QString> Names;
    std::vector<bool> OwnerDestroying;
};

class TWatchedComponent : public TComponent {
    VG_CLASS(TWatchedComponent)
public:
    TWatchedComponent(TComponent* owner, TDestroyLog* log) : TComponent(owner), FLog(log) {}
    ~TWatchedComponent() override
    {
        if (!FLog)
            return;
        FLog->Names.push_back(Name());
        FLog->OwnerDestroying.push_back(Owner() && Owner()->IsDestroying());
    }

private:
    TDestroyLog* FLog;
};

const TClassInfo& TWatchedComponent::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TWatchedComponent>(QStringLiteral("TWatchedComponent"), &TComponent::StaticClassInfo()).Build();
    return info;
}

// A collection of TValueItems that counts its change reports.
struct TValueCollection {
    TCollection List{TCollectionItemClass::Of<TValueItem>()};
    int Changes = 0;

    TValueCollection()
    {
        List.OnChange = [this](TCollection*) { ++Changes; };
    }
    TValueItem* Add(int value)
    {
        auto* item = static_cast<TValueItem*>(List.Add());
        item->Value = value;
        return item;
    }
    std::vector<int> Values() const
    {
        std::vector<int> result;
        for (int i = 0; i < List.Count(); ++i)
            result.push_back(static_cast<TValueItem*>(List.Item(i))->Value);
        return result;
    }
};

QStringList Contents(const TStrings& strings) { return strings.ToStringList(); }

// ---- collections

TEST(Collection, ItemsKnowTheirCollectionIndexAndUniqueId)
{
    TValueCollection c;
    TValueItem* a = c.Add(1);
    TValueItem* b = c.Add(2);
    EXPECT_EQ(a->Collection(), &c.List);
    EXPECT_EQ(a->Index(), 0);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(c.Changes, 2) << "one report per Add";

    const int idA = a->ID();
    c.List.Delete(0);
    TValueItem* d = c.Add(3);
    EXPECT_NE(d->ID(), idA) << "an ID is never reused";
    EXPECT_NE(d->ID(), b->ID());
    EXPECT_EQ(c.List.FindItemID(b->ID()), b);
    EXPECT_EQ(c.List.FindItemID(idA), nullptr);
    EXPECT_EQ(b->Index(), 0);

    TValueItem loose(nullptr);
    EXPECT_EQ(loose.Index(), -1);
    loose.SetIndex(3); // no collection: nothing to move
    EXPECT_EQ(loose.Collection(), nullptr);
}

TEST(Collection, InsertDeleteClearAndDestroyedItemLeaves)
{
    TValueCollection c;
    c.Add(1);
    c.Add(3);
    static_cast<TValueItem*>(c.List.Insert(1))->Value = 2;
    static_cast<TValueItem*>(c.List.Insert(3))->Value = 4; // at Count: appends
    static_cast<TValueItem*>(c.List.Insert(0))->Value = 0;
    EXPECT_EQ(c.Values(), (std::vector<int>{0, 1, 2, 3, 4}));

    c.Changes = 0;
    c.List.Insert(2);
    EXPECT_EQ(c.Changes, 1) << "Insert is one change, although it adds and moves";
    c.List.Delete(2);

    c.Changes = 0;
    delete c.List.Item(1);
    EXPECT_EQ(c.Values(), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(c.Changes, 1);

    c.Changes = 0;
    c.List.Clear();
    EXPECT_EQ(c.List.Count(), 0);
    EXPECT_EQ(c.Changes, 1) << "Clear reports once, not once per item";
    c.List.Clear();
    EXPECT_EQ(c.Changes, 1) << "clearing an empty collection changes nothing";
}

TEST(Collection, SetIndexMovesAndShiftsTheItemsBetween)
{
    TValueCollection c;
    for (int v = 0; v < 5; ++v)
        c.Add(v);
    c.Changes = 0;
    static_cast<TValueItem*>(c.List.Item(0))->SetIndex(3);
    EXPECT_EQ(c.Values(), (std::vector<int>{1, 2, 3, 0, 4}));
    static_cast<TValueItem*>(c.List.Item(4))->SetIndex(0);
    EXPECT_EQ(c.Values(), (std::vector<int>{4, 1, 2, 3, 0}));
    EXPECT_EQ(c.Changes, 2);
    c.List.Item(2)->SetIndex(2);
    EXPECT_EQ(c.Changes, 2) << "a move to the same place is no change";
}

TEST(Collection, BadIndicesRaiseListErrorAndChangeNothing)
{
    TValueCollection c;
    c.Add(10);
    c.Add(20);
    c.Changes = 0;
    EXPECT_THROW(c.List.Item(-1), EListError);
    EXPECT_THROW(c.List.Item(2), EListError);
    EXPECT_THROW(c.List.Delete(2), EListError);
    EXPECT_THROW(c.List.Delete(-1), EListError);
    EXPECT_THROW(c.List.Insert(3), EListError);
    EXPECT_THROW(c.List.Insert(-1), EListError);
    EXPECT_THROW(c.List.Item(0)->SetIndex(2), EListError);
    EXPECT_THROW(c.List.Item(0)->SetIndex(-1), EListError);
    EXPECT_EQ(c.Values(), (std::vector<int>{10, 20}));
    EXPECT_EQ(c.Changes, 0);
    EXPECT_EQ(c.List.UpdateCount(), 0) << "a refused Insert must not leave an update open";

    try {
        c.List.Item(7);
        FAIL() << "no exception";
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (7)"));
    }
}

TEST(Collection, ChangesInsideNestedUpdatesAreReportedOnce)
{
    TValueCollection c;
    c.List.BeginUpdate();
    c.List.BeginUpdate();
    c.Add(1);
    c.Add(2);
    c.List.Item(0)->SetIndex(1);
    c.List.EndUpdate();
    EXPECT_EQ(c.Changes, 0) << "still inside the outer update";
    c.List.EndUpdate();
    EXPECT_EQ(c.Changes, 1);

    c.List.BeginUpdate();
    c.List.EndUpdate();
    EXPECT_EQ(c.Changes, 1) << "an update without changes reports nothing";
    c.List.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(c.List.UpdateCount(), 0);
}

TEST(Collection, AssignCopiesItemsInOneUpdate)
{
    TValueCollection source;
    source.Add(7);
    source.Add(8);
    source.Add(9);
    TValueCollection dest;
    dest.Add(1);
    dest.Changes = 0;

    dest.List.Assign(&source.List);
    EXPECT_EQ(dest.Values(), (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(dest.Changes, 1);
    EXPECT_NE(dest.List.Item(0), source.List.Item(0)) << "copies, not shared items";

    dest.List.Assign(&dest.List);
    EXPECT_EQ(dest.Values(), (std::vector<int>{7, 8, 9})) << "self-assignment keeps the items";

    TCollection empty(TCollectionItemClass::Of<TValueItem>());
    dest.List.Assign(&empty);
    EXPECT_EQ(dest.List.Count(), 0);
}

TEST(Collection, AssignOfItemsWithoutAssignRaisesAndClosesTheUpdate)
{
    TCollection source(TCollectionItemClass::Of<TBareItem>());
    source.Add();
    TCollection dest(TCollectionItemClass::Of<TBareItem>());
    EXPECT_THROW(dest.Assign(&source), EAssignError);
    EXPECT_EQ(dest.UpdateCount(), 0);

    TStringList strings;
    EXPECT_THROW(dest.Assign(&strings), EAssignError);
}

TEST(Collection, AFailingChangeHandlerLeavesNoDanglingItem)
{
    TValueCollection c;
    c.List.OnChange = [](TCollection*) { throw Exception("refused"); };

    // Built directly, the item's constructor fails: it must not stay in the list.
    EXPECT_THROW(new TValueItem(&c.List), Exception);
    EXPECT_EQ(c.List.Count(), 0);

    // Through Add the report comes once the item is whole; the item stays and is usable.
    EXPECT_THROW(c.List.Add(), Exception);
    ASSERT_EQ(c.List.Count(), 1);
    EXPECT_EQ(c.List.Item(0)->Collection(), &c.List);
    EXPECT_EQ(c.List.UpdateCount(), 0);
}

// ---- string lists

TEST(StringList, UnsortedListKeepsOrderAndIndexOfIgnoresCase)
{
    TStringList list;
    EXPECT_EQ(list.Add(QStringLiteral("pear")), 0);
    EXPECT_EQ(list.Add(QStringLiteral("Apple")), 1);
    EXPECT_EQ(list.Add(QStringLiteral("pear")), 2);
    EXPECT_EQ(list.IndexOf(QStringLiteral("APPLE")), 1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("pear")), 0);
    EXPECT_EQ(list.IndexOf(QStringLiteral("plum")), -1);

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(QStringLiteral("APPLE")), -1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("Apple")), 1);

    list.Insert(0, QStringLiteral("fig"));
    list.Put(1, QStringLiteral("plum"));
    list.Delete(3);
    EXPECT_EQ(Contents(list), (QStringList{"fig", "plum", "Apple"}));
    EXPECT_EQ(list[2], QStringLiteral("Apple"));
}

TEST(StringList, SortedListAddsInOrderAndRefusesPositionalChanges)
{
    TStringList list(QStringList{"delta", "alpha", "Charlie", "bravo"});
    list.SetSorted(true);
    EXPECT_EQ(Contents(list), (QStringList{"alpha", "bravo", "Charlie", "delta"}));
    EXPECT_EQ(list.Add(QStringLiteral("Beta")), 1);
    EXPECT_EQ(list.Add(QStringLiteral("zulu")), 5);
    EXPECT_EQ(list.Add(QStringLiteral("")), 0);
    EXPECT_EQ(Contents(list), (QStringList{"", "alpha", "Beta", "bravo", "Charlie", "delta", "zulu"}));

    EXPECT_THROW(list.Insert(0, QStringLiteral("x")), EListError);
    EXPECT_THROW(list.Put(0, QStringLiteral("x")), EListError);
    EXPECT_EQ(list.Count(), 7);

    list.SetCaseSensitive(true); // re-sorts by the case-sensitive order
    int index = -1;
    EXPECT_TRUE(list.Find(QStringLiteral("Beta"), index));
    EXPECT_EQ(list.Get(index), QStringLiteral("Beta"));
    for (int i = 1; i < list.Count(); ++i)
        EXPECT_LE(list[i - 1].compare(list[i], Qt::CaseSensitive), 0) << i;
}

TEST(StringList, DuplicatesAreIgnoredAcceptedOrRefused)
{
    TStringList list(QStringList{"b", "a", "c"});
    list.SetSorted(true);

    list.SetDuplicates(TDuplicates::dupIgnore);
    EXPECT_EQ(list.Add(QStringLiteral("B")), 1) << "answers the index of the one present";
    EXPECT_EQ(list.Count(), 3);

    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(list.Add(QStringLiteral("a")), EListError);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_THROW(list.AddStrings(QStringList{"d", "c", "e"}), EListError);
    EXPECT_EQ(Contents(list), (QStringList{"a", "b", "c", "d"})) << "strings before the duplicate stay";

    list.SetDuplicates(TDuplicates::dupAccept);
    EXPECT_EQ(list.Add(QStringLiteral("b")), 1) << "before the equal ones";
    EXPECT_EQ(Contents(list), (QStringList{"a", "b", "b", "c", "d"}));
}

TEST(StringList, FindIsABinarySearchAnsweringWhereAStringWouldGo)
{
    TStringList list;
    list.SetSorted(true);
    int index = -1;
    EXPECT_FALSE(list.Find(QStringLiteral("x"), index));
    EXPECT_EQ(index, 0);

    list.SetDuplicates(TDuplicates::dupAccept);
    list.AddStrings(QStringList{"b", "d", "d", "d", "f"});
    EXPECT_TRUE(list.Find(QStringLiteral("D"), index));
    EXPECT_EQ(index, 1) << "the first of equal strings";
    EXPECT_FALSE(list.Find(QStringLiteral("a"), index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Find(QStringLiteral("e"), index));
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(list.Find(QStringLiteral("g"), index));
    EXPECT_EQ(index, 5);
    EXPECT_EQ(list.IndexOf(QStringLiteral("f")), 4);
    EXPECT_EQ(list.IndexOf(QStringLiteral("c")), -1);
}

TEST(StringList, BadIndicesRaiseListError)
{
    TStringList list(QStringList{"a", "b"});
    EXPECT_THROW(list.Get(-1), EListError);
    EXPECT_THROW(list[2], EListError);
    EXPECT_THROW(list.Put(2, QStringLiteral("x")), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(3, QStringLiteral("x")), EListError);
    EXPECT_THROW(list.Move(0, 2), EListError);
    EXPECT_THROW(list.Move(-1, 0), EListError);
    EXPECT_THROW(list.Exchange(0, 5), EListError);
    EXPECT_EQ(Contents(list), (QStringList{"a", "b"}));
}

TEST(StringList, MoveAndExchangeAreRefusedOnSortedListsWithoutLosingAString)
{
    TStringList list(QStringList{"a", "b", "c", "d"});
    list.Move(0, 2);
    EXPECT_EQ(Contents(list), (QStringList{"b", "c", "a", "d"}));
    list.Move(3, 0);
    EXPECT_EQ(Contents(list), (QStringList{"d", "b", "c", "a"}));
    list.Exchange(0, 3);
    EXPECT_EQ(Contents(list), (QStringList{"a", "b", "c", "d"}));

    list.SetSorted(true);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    EXPECT_THROW(list.Move(0, 2), EListError);
    EXPECT_EQ(Contents(list), (QStringList{"a", "b", "c", "d"})) << "no string lost";
    EXPECT_THROW(list.Exchange(0, 2), EListError);
    EXPECT_EQ(Contents(list), (QStringList{"a", "b", "c", "d"}));
    list.Add(QStringLiteral("e"));
    EXPECT_EQ(changes, 1) << "a refused operation must not leave an update open";
}

TEST(StringList, ChangesAreReportedOncePerUpdate)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    list.Add(QStringLiteral("a"));
    EXPECT_EQ(changes, 1);
    list.Put(0, QStringLiteral("a"));
    EXPECT_EQ(changes, 1) << "putting the same string is no change";

    list.SetStrings(QStringList{"x", "y", "z"});
    EXPECT_EQ(changes, 2);
    list.SetText(QStringLiteral("p\nq"));
    EXPECT_EQ(changes, 3);
    list.Move(0, 1);
    EXPECT_EQ(changes, 4);

    list.BeginUpdate();
    list.Add(QStringLiteral("1"));
    list.Delete(0);
    list.Clear();
    list.EndUpdate();
    EXPECT_EQ(changes, 5);
}

TEST(StringList, TextSplitsAtEveryLineBreakKind)
{
    TStringList list;
    list.SetText(QStringLiteral("one\r\ntwo\nthree\rfour\n"));
    EXPECT_EQ(Contents(list), (QStringList{"one", "two", "three", "four"}));
    EXPECT_EQ(list.Text(), QStringLiteral("one\ntwo\nthree\nfour\n"));

    list.SetText(QStringLiteral("a\n\nb"));
    EXPECT_EQ(Contents(list), (QStringList{"a", "", "b"}));
    list.SetText(QString());
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), QString());
    list.SetText(QStringLiteral("\n"));
    EXPECT_EQ(Contents(list), (QStringList{""}));

    list.SetStrings(QStringList{"plain", "with space", "a,b", "say \"hi\"", ""});
    EXPECT_EQ(list.CommaText(), QStringLiteral("plain,\"with space\",\"a,b\",\"say \"\"hi\"\"\",\"\""));
}

TEST(StringList, AssignAndAddStringsCopyAnotherList)
{
    TStringList source(QStringList{"c", "a", "b"});
    TStringList sorted;
    sorted.SetSorted(true);
    sorted.Add(QStringLiteral("old"));
    sorted.Assign(&source);
    EXPECT_EQ(Contents(sorted), (QStringList{"a", "b", "c"})) << "a sorted list keeps its order";
    EXPECT_TRUE(sorted.Sorted());

    TStringList copy;
    copy.Assign(&source);
    EXPECT_TRUE(copy.Equals(source));
    copy.Assign(&copy);
    EXPECT_TRUE(copy.Equals(source));

    copy.AddStrings(copy); // adding a list to itself doubles it
    EXPECT_EQ(Contents(copy), (QStringList{"c", "a", "b", "c", "a", "b"}));
}

// ---- components

TEST(Component, OwnerDestroysOwnedComponentsWhichSeeItDestroying)
{
    TDestroyLog log;
    {
        auto owner = std::make_unique<TComponent>();
        auto* a = new TWatchedComponent(owner.get(), &log);
        a->SetName(QStringLiteral("A"));
        auto* b = new TWatchedComponent(owner.get(), &log);
        b->SetName(QStringLiteral("B"));
        EXPECT_EQ(owner->ComponentCount(), 2);
        EXPECT_EQ(owner->Component(1), b);
        EXPECT_THROW(owner->Component(2), EListError);
        EXPECT_THROW(owner->Component(-1), EListError);
        EXPECT_EQ(a->Owner(), owner.get());

        delete a; // leaves its owner
        EXPECT_EQ(owner->ComponentCount(), 1);
        EXPECT_EQ(owner->Component(0), b);
        EXPECT_EQ(log.OwnerDestroying, std::vector<bool>{false});
    }
    EXPECT_EQ(log.Names, (std::vector<QString>{"A", "B"}));
    EXPECT_EQ(log.OwnerDestroying, (std::vector<bool>{false, true}));
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner)
{
    EXPECT_TRUE(TComponent::IsValidIdent(QStringLiteral("Grid1")));
    EXPECT_TRUE(TComponent::IsValidIdent(QStringLiteral("_x9")));
    for (const char* bad : {"", "1Grid", "my grid", "a-b", "a.b", "caf\u00e9"})
        EXPECT_FALSE(TComponent::IsValidIdent(QString::fromUtf8(bad))) << bad;

    TComponent owner;
    auto* first = new TComponent(&owner);
    auto* second = new TComponent(&owner);
    first->SetName(QStringLiteral("Grid1"));
    EXPECT_THROW(second->SetName(QStringLiteral("grid1")), Exception) << "names compare without case";
    EXPECT_EQ(second->Name(), QString());
    EXPECT_THROW(second->SetName(QStringLiteral("2nd")), Exception);
    second->SetName(QStringLiteral("Grid2"));
    first->SetName(QStringLiteral("GRID1")); // renaming itself is no conflict
    EXPECT_EQ(owner.FindComponent(QStringLiteral("grid1")), first);
    EXPECT_EQ(owner.FindComponent(QStringLiteral("Grid2")), second);
    EXPECT_EQ(owner.FindComponent(QString()), nullptr);

    second->SetName(QString());
    new TComponent(&owner); // two unnamed components are fine
    EXPECT_EQ(owner.FindComponent(QString()), nullptr);

    TComponent unowned;
    unowned.SetName(QStringLiteral("Grid1")); // another owner's names do not matter
}

TEST(Component, DesigningReachesOwnedComponentsAndLoadingEndsWithLoaded)
{
    TComponent owner;
    auto* child = new TComponent(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(child->IsDesigning());
    auto* late = new TComponent(&owner);
    EXPECT_TRUE(late->IsDesigning()) << "a component joining a designing owner is designing";
    owner.SetDesigning(false);
    EXPECT_FALSE(child->IsDesigning());
    EXPECT_FALSE(late->IsDesigning());

    owner.BeginLoading();
    EXPECT_TRUE(owner.IsLoading());
    EXPECT_TRUE(owner.ComponentState().Contains(csReading));
    owner.Loaded();
    EXPECT_TRUE(owner.ComponentState().IsEmpty());
}

// ---- assign between strangers

TEST(Assign, StrangersRaiseAssignErrorUnlessTheSourceAssignsItself)
{
    TFont font;
    TStringList strings;
    try {
        font.Assign(&strings);
        FAIL() << "no exception";
    } catch (const EAssignError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a TStringList to a TFont"));
    }
    try {
        strings.Assign(nullptr);
        FAIL() << "no exception";
    } catch (const EAssignError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a nil to a TStringList"));
    }
    TValueItem item(nullptr);
    EXPECT_THROW(item.Assign(&font), EAssignError);

    TWordSource source;
    source.Words = QStringList{"x", "y"};
    strings.Assign(&source);
    EXPECT_EQ(Contents(strings), (QStringList{"x", "y"}));
    EXPECT_THROW(font.Assign(&source), EAssignError) << "the source's AssignTo knows no fonts";
}

} // namespace
} // namespace vg
