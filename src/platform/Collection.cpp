#include "platform/Collection.h"

#include "platform/Exceptions.h"

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
    ++FUpdateCount; // no change reports while tearing down
    while (!FItems.empty())
        delete FItems.back();
}

void TCollection::CheckIndex(int index, int limit) const
{
    if (index < 0 || index >= limit)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

TCollectionItem* TCollection::Item(int index) const
{
    CheckIndex(index, Count());
    return FItems[size_t(index)];
}

TCollectionItem* TCollection::Add()
{
    // Reported after the item is fully built, not while its constructor runs.
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        item = FItemClass.Create(this);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

TCollectionItem* TCollection::Insert(int index)
{
    CheckIndex(index, Count() + 1);
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        item = Add();
        item->SetIndex(index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int index)
{
    delete Item(index);
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
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
    ++FUpdateCount;
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedDuringUpdate) {
        FChangedDuringUpdate = false;
        Changed();
    }
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
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->FItems)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Changed()
{
    if (FUpdateCount > 0) {
        FChangedDuringUpdate = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}

void TCollection::InsertItem(TCollectionItem* item)
{
    FItems.push_back(item);
    item->FCollection = this;
    item->FID = FNextID++;
    try {
        Changed();
    } catch (...) {
        // The item's constructor fails with this exception, so its destructor never runs:
        // it must not stay in the list.
        FItems.pop_back();
        item->FCollection = nullptr;
        throw;
    }
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
    item->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(int fromIndex, int toIndex)
{
    CheckIndex(fromIndex, Count());
    CheckIndex(toIndex, Count());
    if (fromIndex == toIndex)
        return;
    TCollectionItem* item = FItems[size_t(fromIndex)];
    FItems.erase(FItems.begin() + fromIndex);
    FItems.insert(FItems.begin() + toIndex, item);
    Changed();
}

} // namespace vg
