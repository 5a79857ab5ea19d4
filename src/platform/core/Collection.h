/// \file
/// Owned, ordered lists of items of one class: TCollection owns its TCollectionItems,
/// each of which knows its collection and its index. Collections are stored in form
/// files as a list of items, each with its own published properties.
#pragma once

#include "platform/core/Export.h"
#include "platform/core/Persistent.h"
#include "platform/core/UpdateCount.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace vg {

class TCollection;

/// An item of a TCollection: it knows its collection and its index in it.
/// \ingroup host_core
class VELKOGRID_EXPORT TCollectionItem : public TPersistent {
    VG_CLASS(TCollectionItem)
public:
    /// Joins collection (at its end) when one is given.
    explicit TCollectionItem(TCollection* collection);
    /// Leaves the collection.
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    /// Position within the collection; -1 when the item belongs to none.
    int Index() const;
    /// Moves the item within its collection; the items between shift by one.
    void SetIndex(int value);
    /// Unique within the collection for the collection's lifetime.
    int ID() const { return FID; }

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

/// How a collection creates its items: the item class and a factory.
/// \ingroup host_core
struct VELKOGRID_EXPORT TCollectionItemClass {
    const TClassInfo* Info = nullptr;
    std::function<TCollectionItem*(TCollection*)> Create;

    template <class T>
    static TCollectionItemClass Of()
    {
        return {&T::StaticClassInfo(), [](TCollection* c) -> TCollectionItem* { return new T(c); }};
    }
};

/// An owned, ordered list of items of one class; stored in form files as a list of items, each
/// with its own published properties.
/// \ingroup host_core
class VELKOGRID_EXPORT TCollection : public TPersistent {
    VG_CLASS(TCollection)
public:
    explicit TCollection(TCollectionItemClass itemClass);
    ~TCollection() override;

    const TCollectionItemClass& ItemClass() const { return FItemClass; }
    int Count() const { return int(FItems.size()); }
    /// Raises EListError for an index outside 0..Count-1.
    TCollectionItem* Item(int index) const;

    /// Creates an item of the item class at the end.
    TCollectionItem* Add();
    /// Creates an item of the item class at index (0..Count).
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;

    /// Changes made between BeginUpdate and the matching EndUpdate are reported once.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdates.Count(); }

    /// Replaces all items by copies of source's items (source must be a collection).
    void Assign(const TPersistent* source) override;

    /// Fired after a change of the items (added, removed, moved, assigned), outside updates.
    std::function<void(TCollection* sender)> OnChange;
    /// Asked before items are added, inserted, deleted, cleared, moved or assigned through
    /// the collection (not when an item is destroyed or built directly); what it raises
    /// refuses the change, with nothing changed.
    std::function<void(TCollection* sender)> OnChanging;

    /// Counts the changes of the item list (added, removed, moved) as they happen, during
    /// updates too, and the changes items report through Revise because they alter what the
    /// collection means to its owner. An owner that keeps a view of the items rebuilds it
    /// when the count moved on.
    std::uint64_t Revision() const { return FRevision; }
    void Revise() { ++FRevision; }

protected:
    /// Called after each change of the item list; the default fires OnChange.
    virtual void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void MoveItem(int fromIndex, int toIndex);
    void CheckIndex(int index, int limit) const;
    void Changing();

    TCollectionItemClass FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    std::uint64_t FRevision = 0;
    TUpdateCount FUpdates;
};

} // namespace vg
