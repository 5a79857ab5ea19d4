#include "platform/core/Collection.h"

#include "platform/core/Exceptions.h"

#include <algorithm>

namespace vg {

const TClassInfo& TCollectionItem::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCollectionItem>(QStringLiteral("TCollectionItem"), &TPersistent::StaticClassInfo()).Build();
    return info;
}

TCollectionItem::TCollectionItem(TCollection* collection)
{
    if (collection)
        collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem()
{
    if (FCollection)
        FCollection->RemoveItem(this);
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    return int(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int value)
{
    if (FCollection)
        FCollection->MoveItem(Index(), value);
}

const TClassInfo& TCollection::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TCollection>(QStringLiteral("TCollection"), &TPersistent::StaticClassInfo()).Build();
    return info;
}

TCollection::TCollection(TCollectionItemClass itemClass) : FItemClass(std::move(itemClass)) {}

TCollection::~TCollection()
{
    FUpdates.Begin(); // no change reports while tearing down
    while (!FItems.empty())
        delete FItems.back();
}

void TCollection::CheckIndex(int index, int limit) const
{
    if (index < 0 || index >= limit)
        RaiseListIndexError(index);
}

TCollectionItem* TCollection::Item(int index) const
{
    CheckIndex(index, Count());
    return FItems[size_t(index)];
}

void TCollection::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

TCollectionItem* TCollection::Add()
{
    Changing();
    // Reported after the item is fully built, not while its constructor runs.
    return WithinUpdate(*this, [this] { return FItemClass.Create(this); });
}

TCollectionItem* TCollection::Insert(int index)
{
    CheckIndex(index, Count() + 1);
    Changing();
    return WithinUpdate(*this, [this, index] {
        TCollectionItem* item = Add();
        item->SetIndex(index);
        return item;
    });
}

void TCollection::Delete(int index)
{
    TCollectionItem* item = Item(index);
    Changing();
    delete item;
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    BeginUpdate();
    while (!FItems.empty())
        delete FItems.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const
{
    for (TCollectionItem* item : FItems)
        if (item->FID == id)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate()
{
    FUpdates.Begin();
}

void TCollection::EndUpdate()
{
    if (FUpdates.End())
        Changed();
}

void TCollection::Assign(const TPersistent* source)
{
    auto* other = dynamic_cast<const TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    Changing();
    WithinUpdate(*this, [this, other] {
        Clear();
        for (TCollectionItem* item : other->FItems)
            Add()->Assign(item);
    });
}

void TCollection::Changed()
{
    if (FUpdates.Change() && OnChange)
        OnChange(this);
}

void TCollection::InsertItem(TCollectionItem* item)
{
    FItems.push_back(item);
    ++FRevision;
    item->FCollection = this;
    item->FID = FNextID++;
    try {
        Changed();
    } catch (...) {
        // The item's constructor fails with this exception, so its destructor never runs:
        // it must not stay in the list.
        FItems.pop_back();
        ++FRevision;
        item->FCollection = nullptr;
        throw;
    }
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    // Items mostly go from the end (Clear, the destructor, fewer columns): look there first,
    // so that emptying a collection costs no more than filling it.
    const auto found = std::find(FItems.rbegin(), FItems.rend(), item);
    if (found != FItems.rend())
        FItems.erase(std::next(found).base());
    ++FRevision;
    item->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(int fromIndex, int toIndex)
{
    CheckIndex(fromIndex, Count());
    CheckIndex(toIndex, Count());
    if (fromIndex == toIndex)
        return;
    Changing();
    TCollectionItem* item = FItems[size_t(fromIndex)];
    FItems.erase(FItems.begin() + fromIndex);
    FItems.insert(FItems.begin() + toIndex, item);
    ++FRevision;
    Changed();
}

} // namespace vg
