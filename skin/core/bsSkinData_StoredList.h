#pragma once
// Skin lists: named compressed skins in order, kept in a form so that the
// program needs no skin files; a skin model selects one by its index.

#include "skin/core/bsSkinData_StoredSkin.h"

#include "platform/core/Collections.h"

#include <memory>
#include <string>

namespace skin {

class TbsCompressedSkinList;

class TbsSkinListItem : public platform::TCollectionItem {
public:
    // Named "bsSkin<index at creation>"; the name is not renumbered later.
    explicit TbsSkinListItem(platform::TCollection* ACollection);
    ~TbsSkinListItem() override;
    std::string ClassName() const override { return "TbsSkinListItem"; }
    // Copies the names and the skin's data.
    void Assign(platform::TPersistent* ASource) override;
    std::string GetDisplayName() const override { return Name; }

    std::string Name;
    // The skin chooser lists an item by its description, or its name.
    std::string Description;
    TbsCompressedStoredSkin& Skin() { return *FSkin; }

    // While the owning list is designed (not loaded) setting one builds the
    // skin from that file and keeps only its name; otherwise only the value
    // is stored.
    const std::string& FileName() const { return FFileName; }
    TbsSkinStatus SetFileName(const std::string& AValue);
    const std::string& CompressedFileName() const { return FCompressedFileName; }
    TbsSkinStatus SetCompressedFileName(const std::string& AValue);

    // The raw "Skin" property of a form file: the whole container.
    TbsSkinStatus ReadSkinData(platform::TStream& AStream);
    TbsSkinStatus WriteSkinData(platform::TStream& AStream);

private:
    bool Designing() const;
    std::unique_ptr<TbsCompressedStoredSkin> FSkin;
    std::string FFileName;
    std::string FCompressedFileName;
};

// Items raises EListError outside 0 .. Count - 1.
class TbsSkinListItems : public platform::TOwnedCollection<TbsSkinListItem> {
public:
    explicit TbsSkinListItems(TbsCompressedSkinList* ASkinList);
    std::string ClassName() const override { return "TbsSkinListItems"; }
    TbsCompressedSkinList* SkinList() const { return FSkinList; }

private:
    TbsCompressedSkinList* FSkinList;
};

class TbsCompressedSkinList : public platform::TComponent {
public:
    explicit TbsCompressedSkinList(platform::TComponent* AOwner);
    ~TbsCompressedSkinList() override;
    TbsSkinListItems& Skins() { return *FSkins; }
    void SetSkins(TbsSkinListItems* AValue) { FSkins->Assign(AValue); }

private:
    std::unique_ptr<TbsSkinListItems> FSkins;
};

} // namespace skin
