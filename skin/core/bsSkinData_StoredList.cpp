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
    TbsSkinStatus status;
    if (Designing()) {
        status = FSkin->LoadFromIniFile(AValue);
        FFileName = platform::ExtractFileName(AValue);
    } else {
        FFileName = AValue;
    }
    return status;
}

TbsSkinStatus TbsSkinListItem::SetCompressedFileName(const std::string& AValue)
{
    TbsSkinStatus status;
    if (Designing()) {
        status = FSkin->LoadFromCompressFile(AValue);
        FCompressedFileName = platform::ExtractFileName(AValue);
    } else {
        FCompressedFileName = AValue;
    }
    return status;
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

TbsSkinListItems::TbsSkinListItems(TbsCompressedSkinList* ASkinList)
    : TCollection([](platform::TCollection* ACollection) { return new TbsSkinListItem(ACollection); }),
      FSkinList(ASkinList)
{
}

TbsSkinListItem* TbsSkinListItems::Items(int AIndex) const
{
    return static_cast<TbsSkinListItem*>(TCollection::Items(AIndex));
}

platform::TObject* TbsSkinListItems::GetOwner() const
{
    return FSkinList;
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
    if (FSkinList)
        FSkinList->RemoveFreeNotification(this);
    FSkinList = AValue;
    if (FSkinList)
        FSkinList->FreeNotification(this);
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
    if (FCompressedStoredSkin)
        FCompressedStoredSkin->RemoveFreeNotification(this);
    FCompressedStoredSkin = AValue;
    if (FCompressedStoredSkin)
        FCompressedStoredSkin->FreeNotification(this);
    if (IsDesigning() || !FCompressedStoredSkin)
        return {};
    return LoadCompressedStoredSkin(FCompressedStoredSkin);
}

} // namespace skin
