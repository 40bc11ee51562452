#pragma once
// Collections: an ordered list of items of one kind that the collection owns.
// An item enters its collection when it is created and leaves it when it is
// destroyed; an item's index is its place in the list at that moment.

#include "platform/core/Exceptions.h"
#include "platform/core/Persistent.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Appends the item to ACollection (when given), which then owns it.
    explicit TCollectionItem(TCollection* ACollection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;
    std::string ClassName() const override { return "TCollectionItem"; }

    TCollection* Collection() const { return FCollection; }
    // Place in the collection, -1 outside one.
    int Index() const;
    // The name the item is shown by; the class name unless a descendant knows better.
    virtual std::string GetDisplayName() const { return ClassName(); }

protected:
    // Tells the collection that this item (or, with AAllItems, every item) changed.
    void Changed(bool AAllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
};

class TCollection : public TPersistent {
public:
    // Makes one new item inside the given collection (the item class).
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;

    explicit TCollection(TItemFactory AItemFactory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;
    std::string ClassName() const override { return "TCollection"; }

    int Count() const { return int(FItems.size()); }
    // Raises EListError "List index out of bounds (<index>)" outside 0 .. Count - 1.
    TCollectionItem* Items(int AIndex) const;
    TCollectionItem* Add();
    // A new item at AIndex (0 .. Count; Count appends); the items from
    // AIndex on move one place down. Raises EListError outside that range,
    // before any item is made.
    TCollectionItem* Insert(int AIndex);
    void Delete(int AIndex);
    void Clear();
    // From another collection: the items are replaced by new ones, each
    // assigned from its counterpart.
    void Assign(TPersistent* ASource) override;
    // The component the collection belongs to, for naming; nullptr when none.
    virtual TObject* GetOwner() const { return nullptr; }

    // Fired with the changed item, or nullptr when every item changed.
    std::function<void(TCollectionItem*)> OnUpdate;

protected:
    virtual void Update(TCollectionItem* AItem);

private:
    friend class TCollectionItem;
    TItemFactory FItemFactory;
    std::vector<TCollectionItem*> FItems;
};

// A collection of one item class that belongs to an object (its owner for
// naming), with typed access to its items.
template <typename TItem>
class TOwnedCollection : public TCollection {
public:
    explicit TOwnedCollection(TObject* AOwner)
        : TCollection([](TCollection* ACollection) -> TCollectionItem* { return new TItem(ACollection); }),
          FOwner(AOwner)
    {
    }
    TItem* Items(int AIndex) const { return static_cast<TItem*>(TCollection::Items(AIndex)); }
    TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
    TItem* Insert(int AIndex) { return static_cast<TItem*>(TCollection::Insert(AIndex)); }
    TObject* GetOwner() const override { return FOwner; }

private:
    TObject* FOwner;
};

} // namespace platform
