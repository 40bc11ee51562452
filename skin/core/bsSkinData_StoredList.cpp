#include "skin/core/bsSkinData_StoredList.h"

#include "platform/core/SysUtils.h"

namespace skin {

// ---------------------------------------------------------------- items

TbsSkinListItem::TbsSkinListItem(platform::TCollection* ACollection)
    : TCollectionItem(ACollection), FSkin(std::make_unique<TbsCompressedStoredSkin>(nullptr))
{
    Name = "bsSkin" + platform::IntToStr(Index());
}

TbsSkinListItem::~TbsSkinListItem() = default;

void TbsSkinListItem::Assign(platform::TPersistent* ASource)
{
    auto* source = dynamic_cast<TbsSkinListItem*>(ASource);
    if (!source) {
        TCollectionItem::Assign(ASource);
        return;
    }
    Name = source->Name;
    Description = source->Description;
    FFileName = source->FFileName;
    FCompressedFileName = source->FCompressedFileName;
    source->FSkin->CompressedStream().SetPosition(0);
    FSkin->ReadCompressedData(source->FSkin->CompressedStream());
}

bool TbsSkinListItem::Designing() const
{
    auto* items = dynamic_cast<TbsSkinListItems*>(Collection());
    const TbsCompressedSkinList* list = items ? items->SkinList() : nullptr;
    return list && list->IsDesigning() && !list->IsLoading();
}

TbsSkinStatus TbsSkinListItem::SetFileName(const std::string& AValue)
{
    return FSkin->SetSourceName(Designing(), TbsCompressedStoredSkin::TbsSkinSource::Folder, AValue, FFileName);
}

TbsSkinStatus TbsSkinListItem::SetCompressedFileName(const std::string& AValue)
{
    return FSkin->SetSourceName(Designing(), TbsCompressedStoredSkin::TbsSkinSource::CompressedFile, AValue,
                                FCompressedFileName);
}

TbsSkinStatus TbsSkinListItem::ReadSkinData(platform::TStream& AStream)
{
    return FSkin->LoadFromCompressStream(AStream);
}

TbsSkinStatus TbsSkinListItem::WriteSkinData(platform::TStream& AStream)
{
    return FSkin->SaveToCompressStream(AStream);
}

// ---------------------------------------------------------------- collection

TbsSkinListItems::TbsSkinListItems(TbsCompressedSkinList* ASkinList) : TOwnedCollection(ASkinList), FSkinList(ASkinList)
{
}

TbsCompressedSkinList::TbsCompressedSkinList(platform::TComponent* AOwner)
    : TComponent(AOwner), FSkins(std::make_unique<TbsSkinListItems>(this))
{
}

TbsCompressedSkinList::~TbsCompressedSkinList() = default;

// ---------------------------------------------------------------- model

// A list attached while the form is read loads its item at once; at design
// time nothing is loaded.
TbsSkinStatus TbsSkinData::SetSkinList(TbsCompressedSkinList* AValue)
{
    ChangeReference(FSkinList, AValue);
    if (IsDesigning() || !FSkinList || FSkinIndex < 0 || FSkinIndex >= FSkinList->Skins().Count())
        return {};
    return LoadCompressedStoredSkin(&FSkinList->Skins().Items(FSkinIndex)->Skin());
}

TbsSkinStatus TbsSkinData::SetSkinIndex(int AValue)
{
    if (AValue == FSkinIndex)
        return {};
    if (!FSkinList) {
        FSkinIndex = AValue;
        return {};
    }
    if (AValue < 0 || AValue >= FSkinList->Skins().Count())
        return {};
    FSkinIndex = AValue;
    if (IsDesigning())
        return {};
    return LoadCompressedStoredSkin(&FSkinList->Skins().Items(AValue)->Skin());
}

TbsSkinStatus TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* AValue)
{
    ChangeReference(FCompressedStoredSkin, AValue);
    if (IsDesigning() || !FCompressedStoredSkin)
        return {};
    return LoadCompressedStoredSkin(FCompressedStoredSkin);
}

} // namespace skin
