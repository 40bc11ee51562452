#include "platform/core/Collections.h"

#include <algorithm>
#include <memory>

namespace platform {

TCollectionItem::TCollectionItem(TCollection* ACollection) : FCollection(ACollection)
{
    if (FCollection)
        FCollection->FItems.push_back(this);
}

TCollectionItem::~TCollectionItem()
{
    if (!FCollection)
        return;
    auto& items = FCollection->FItems;
    items.erase(std::remove(items.begin(), items.end(), this), items.end());
    FCollection->Update(nullptr);
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    const auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : int(it - items.begin());
}

void TCollectionItem::Changed(bool AAllItems)
{
    if (FCollection)
        FCollection->Update(AAllItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory AItemFactory) : FItemFactory(std::move(AItemFactory)) {}

TCollection::~TCollection()
{
    OnUpdate = nullptr;
    Clear();
}

TCollectionItem* TCollection::Items(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")");
    return FItems[size_t(AIndex)];
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = FItemFactory(this);
    Update(item);
    return item;
}

// The new item joins at the end, as every item does, and is then moved to
// its place, so that it sees the list as Add would have shown it.
TCollectionItem* TCollection::Insert(int AIndex)
{
    if (AIndex < 0 || AIndex > Count())
        throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")");
    TCollectionItem* item = FItemFactory(this);
    std::rotate(FItems.begin() + AIndex, FItems.end() - 1, FItems.end());
    Update(item);
    return item;
}

void TCollection::Delete(int AIndex)
{
    delete Items(AIndex);
}

// From the last item down, so that each item still finds its own place
// while it is destroyed.
void TCollection::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

void TCollection::Assign(TPersistent* ASource)
{
    auto* source = dynamic_cast<TCollection*>(ASource);
    if (!source) {
        TPersistent::Assign(ASource);
        return;
    }
    if (source == this)
        return;
    Clear();
    for (TCollectionItem* item : source->FItems)
        Add()->Assign(item);
}

void TCollection::Update(TCollectionItem* AItem)
{
    if (OnUpdate)
        OnUpdate(AItem);
}

} // namespace platform
