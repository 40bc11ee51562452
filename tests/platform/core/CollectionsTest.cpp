#include "platform/core/Collections.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class TNamedItem : public TCollectionItem {
public:
    explicit TNamedItem(TCollection* ACollection) : TCollectionItem(ACollection), Name("item" + std::to_string(Index())) {}
    ~TNamedItem() override { Destroyed.push_back(Name + "@" + std::to_string(Index())); }
    std::string ClassName() const override { return "TNamedItem"; }
    std::string GetDisplayName() const override { return Name; }
    void Assign(TPersistent* ASource) override
    {
        if (auto* item = dynamic_cast<TNamedItem*>(ASource))
            Name = item->Name + " copy";
        else
            TCollectionItem::Assign(ASource);
    }
    void Touch() { Changed(false); }
    std::string Name;
    static inline std::vector<std::string> Destroyed;
};

TCollection::TItemFactory NamedItems()
{
    return [](TCollection* ACollection) { return new TNamedItem(ACollection); };
}

TNamedItem* At(TCollection& ACollection, int AIndex)
{
    return static_cast<TNamedItem*>(ACollection.Items(AIndex));
}

} // namespace

TEST(Collections, ItemsJoinAndLeaveTheirCollection)
{
    TNamedItem::Destroyed.clear();
    TCollection items(NamedItems());
    std::vector<TCollectionItem*> updates;
    items.OnUpdate = [&](TCollectionItem* AItem) { updates.push_back(AItem); };
    for (int i = 0; i < 3; ++i)
        items.Add();
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(At(items, 2)->Name, "item2");
    EXPECT_EQ(At(items, 2)->Index(), 2);
    EXPECT_EQ(updates, (std::vector<TCollectionItem*>{At(items, 0), At(items, 1), At(items, 2)}));
    items.Delete(0);
    EXPECT_EQ(TNamedItem::Destroyed, (std::vector<std::string>{"item0@0"})) << "still in place while destroyed";
    EXPECT_EQ(At(items, 0)->Index(), 0);
    EXPECT_EQ(At(items, 0)->Name, "item1");
    updates.clear();
    At(items, 1)->Touch();
    EXPECT_EQ(updates, (std::vector<TCollectionItem*>{At(items, 1)}));
    EXPECT_THROW(items.Items(2), EListError);
    try {
        items.Delete(-1);
        FAIL();
    } catch (const EListError& E) {
        EXPECT_STREQ(E.what(), "List index out of bounds (-1)");
    }
    delete At(items, 0);
    EXPECT_EQ(items.Count(), 1);
    TNamedItem loose(nullptr);
    EXPECT_EQ(loose.Index(), -1);
}

TEST(Collections, InsertPlacesANewItemAndMovesTheRestDown)
{
    TCollection items(NamedItems());
    std::vector<TCollectionItem*> updates;
    items.OnUpdate = [&](TCollectionItem* AItem) { updates.push_back(AItem); };
    items.Add();
    items.Add();
    struct TCase {
        int Index;
        std::vector<std::string> Names;
    } cases[] = {
        {0, {"item2", "item0", "item1"}},
        {2, {"item2", "item0", "item3", "item1"}},
        {4, {"item2", "item0", "item3", "item1", "item4"}},
    };
    for (const TCase& c : cases) {
        updates.clear();
        TCollectionItem* item = items.Insert(c.Index);
        EXPECT_EQ(item->Index(), c.Index);
        EXPECT_EQ(updates, (std::vector<TCollectionItem*>{item}));
        std::vector<std::string> names;
        for (int i = 0; i < items.Count(); ++i)
            names.push_back(At(items, i)->Name);
        EXPECT_EQ(names, c.Names) << "insert at " << c.Index;
    }
    for (int bad : {-1, 6}) {
        EXPECT_THROW(items.Insert(bad), EListError) << bad;
        EXPECT_EQ(items.Count(), 5) << "nothing made for index " << bad;
    }
}

TEST(Collections, AssignReplacesTheItems)
{
    TCollection source(NamedItems()), dest(NamedItems());
    source.Add();
    source.Add();
    dest.Add();
    dest.Assign(&source);
    ASSERT_EQ(dest.Count(), 2);
    EXPECT_EQ(At(dest, 1)->Name, "item1 copy");
    EXPECT_EQ(At(dest, 1)->GetDisplayName(), "item1 copy");
    dest.Assign(&dest);
    EXPECT_EQ(dest.Count(), 2);
    EXPECT_THROW(dest.Assign(nullptr), EConvertError);
    dest.Clear();
    EXPECT_EQ(dest.Count(), 0);
}
