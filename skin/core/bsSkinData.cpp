#include "skin/core/bsSkinData.h"

#include "skin/core/bsSkinData_FormList.h"
#include "skin/core/bsSkinData_StoredList.h"

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace skin {

namespace {

TbsSkinFormList& FormListProvider()
{
    static TbsSkinFormList provider;
    return provider;
}

void ChangeFont(TbsSkinFontFields& AFont, const std::string& AName, int ACorrection)
{
    AFont.FontName = AName;
    AFont.FontHeight += ACorrection;
}

} // namespace

void SetSkinFormList(TbsSkinFormList AProvider)
{
    FormListProvider() = std::move(AProvider);
}

TbsSkinContent::TbsSkinContent()
    : FPicture(NewPicture()), FInActivePicture(NewPicture()), FMask(NewPicture()),
      PopupWindow(std::make_unique<TbsDataSkinPopupWindow>()), LayerFrame(std::make_unique<TbsDataSkinLayerFrame>()),
      HintWindow(std::make_unique<TbsDataSkinHintWindow>()), FSkinColors(std::make_unique<TbsSkinColors>())
{
}

TbsSkinData::TbsSkinData(platform::TComponent* AOwner) : TComponent(AOwner) {}

TbsSkinData::~TbsSkinData()
{
    FEmpty = true;
    ClearObjects();
    platform::TComponent* const sources[] = {FResourceStrData, FCompressedStoredSkin, FSkinList};
    for (platform::TComponent* source : sources)
        if (source)
            source->RemoveFreeNotification(this);
}

// ---------------------------------------------------------------- options

void TbsSkinData::SendUnlessLoading(unsigned AMsg)
{
    if (!IsDesigning() && !IsLoading())
        SendSkinDataMessage(AMsg);
}

void TbsSkinData::SetSkinnableForm(bool AValue)
{
    if (FSkinnableForm == AValue)
        return;
    FSkinnableForm = AValue;
    SendUnlessLoading(SKN_SKINNABLEFORMCHANGE);
}

void TbsSkinData::SetShowLayeredBorders(bool AValue)
{
    if (FShowLayeredBorders == AValue)
        return;
    FShowLayeredBorders = AValue;
    SendUnlessLoading(SKN_LAYEREDBORDERSCHANGE);
}

void TbsSkinData::SetAeroBlurEnabled(bool AValue)
{
    if (FAeroBlurEnabled == AValue)
        return;
    FAeroBlurEnabled = AValue;
    SendUnlessLoading(SKN_AEROBLURCHANGE);
}

// Forms re-read their hints also while they are being loaded, and also when
// the table goes away.
void TbsSkinData::SetResourceStrData(TbsResourceStrData* AValue)
{
    ChangeReference(FResourceStrData, AValue);
    if (!IsDesigning())
        SendSkinDataMessage(SKN_UISTRINGSCHANGE);
}

void TbsSkinData::Notification(platform::TComponent* AComponent, platform::TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation != platform::opRemove)
        return;
    if (AComponent == FResourceStrData)
        FResourceStrData = nullptr;
    if (AComponent == FCompressedStoredSkin)
        FCompressedStoredSkin = nullptr;
    if (AComponent == FSkinList)
        FSkinList = nullptr;
}

// ---------------------------------------------------------------- records

int TbsSkinData::GetIndex(const std::string& AIDName) const
{
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == AIDName)
            return int(i);
    return -1;
}

int TbsSkinData::GetControlIndex(const std::string& AIDName) const
{
    for (size_t i = 0; i < CtrlList.size(); ++i)
        if (CtrlList[i]->IDName == AIDName)
            return int(i);
    return -1;
}

TbsPicture* ActivePicture(TbsSkinData& AData, int AIndex)
{
    if (AIndex < 0 || size_t(AIndex) >= AData.FActivePictures.size())
        return nullptr;
    return AData.FActivePictures[size_t(AIndex)].get();
}

// ---------------------------------------------------------------- messages

void TbsSkinData::SendSkinDataMessage(unsigned AMsg)
{
    const auto wParam = reinterpret_cast<intptr_t>(this);
    const bool screen = !FormListProvider();
    std::unique_ptr<IbsSkinMessageReceiver> ownerAdapter = screen ? SkinFormReceiver(Owner()) : nullptr;
    auto* ownerForm = ownerAdapter ? ownerAdapter.get() : dynamic_cast<IbsSkinMessageReceiver*>(Owner());
    const bool ownerFirst = ownerForm && !FShowLayeredBorders;
    if (ownerFirst)
        ownerForm->ReceiveSkinMessage(AMsg, wParam, SKN_LPARAM);

    std::vector<std::unique_ptr<IbsSkinMessageReceiver>> screenForms;
    std::vector<IbsSkinMessageReceiver*> forms;
    if (screen) {
        screenForms = ScreenSkinForms();
        for (const auto& form : screenForms)
            forms.push_back(form.get());
    } else {
        forms = FormListProvider()();
    }
    // All receivers are collected before the first is served.
    std::vector<IbsSkinMessageReceiver*> targets;
    for (IbsSkinMessageReceiver* form : forms)
        if (!(ownerFirst && form->ReceiverIdentity() == ownerForm->ReceiverIdentity()) &&
            form->ReceiverClassName() != LayerWindowClassName)
            targets.push_back(form);
    if (FShowLayeredBorders && LayerFrame->PictureIndex != -1)
        std::reverse(targets.begin(), targets.end());
    for (IbsSkinMessageReceiver* form : targets)
        form->ReceiveSkinMessage(AMsg, wParam, SKN_LPARAM);
}

// ---------------------------------------------------------------- clears

void TbsSkinData::ClearObjects()
{
    ObjectList.clear();
    CtrlList.clear();
    LayerFrame->PictureIndex = -1;
    LayerFrame->InActivePictureIndex = -1;
    LayerFrame->InitAlphaImages(*this);
    PopupWindow->WindowPictureIndex = -1;
    HintWindow->WindowPictureIndex = -1;
    FActivePictures.clear();
    FActivePicturesNames.Clear();
    FSkinColors->SetColorsToDefault();
}

void TbsSkinData::ClearAll()
{
    ClearObjects();
    ClearPicture(*FPicture);
    ClearPicture(*FMask);
    ClearPicture(*FInActivePicture);
    FPictureName.clear();
    FMaskName.clear();
    FEmpty = true;
}

// The forms are told before the records go, so that none still holds one.
void TbsSkinData::ClearSkin()
{
    FEmpty = true;
    SendSkinDataMessage(SKN_BEFORESKINCHANGE);
    ClearAll();
    SendSkinDataMessage(SKN_SKINCHANGE);
    SendSkinDataMessage(SKN_AFTERSKINCHANGE);
}

// ---------------------------------------------------------------- loading

TbsSkinStatus TbsSkinData::LoadSkin(const std::function<TbsSkinStatus(TbsSkinData& AStaging)>& AReader)
{
    auto staging = std::make_unique<TbsSkinData>(nullptr);
    TbsSkinStatus status;
    try {
        status = AReader(*staging);
    } catch (const std::exception& E) {
        return {TbsSkinStatusCode::Failed, E.what()};
    }
    if (!status.Ok())
        return status;

    FEmpty = true;
    FChangeSkinDataProcess = true;
    SendSkinDataMessage(SKN_BEFORESKINCHANGE);
    std::swap(static_cast<TbsSkinContent&>(*this), static_cast<TbsSkinContent&>(*staging));
    staging.reset(); // the previous skin
    FEmpty = false;
    if (OnLoadData)
        OnLoadData(this);
    SendSkinDataMessage(SKN_SKINCHANGE);
    FChangeSkinDataProcess = false;
    SendSkinDataMessage(SKN_AFTERSKINCHANGE);
    return status;
}

// ---------------------------------------------------------------- pictures

TbsSkinStatus TbsSkinData::AddBitMap(const std::string& AFileName)
{
    auto picture = NewPicture();
    try {
        LoadPicture(*picture, AFileName);
    } catch (const std::exception& E) {
        return {TbsSkinStatusCode::Failed, E.what()};
    }
    FActivePicturesNames.Add(platform::ExtractFileName(AFileName));
    FActivePictures.push_back(std::move(picture));
    return {};
}

void TbsSkinData::DeleteBitMap(int AIndex)
{
    if (AIndex < 0 || AIndex >= int(FActivePictures.size()) || AIndex >= FActivePicturesNames.Count())
        throw platform::Exception("List index out of bounds (" + platform::IntToStr(AIndex) + ")");
    FActivePicturesNames.Delete(AIndex);
    FActivePictures.erase(FActivePictures.begin() + AIndex);
}

// ---------------------------------------------------------------- fonts

// Every record with a font is changed; grids and list boxes also have a
// second font (fixed cells, caption).
void TbsSkinData::GlobalChangeFont(const std::string& ANewFontName, int AFontHeightCorrection)
{
    ChangeFont(*HintWindow, ANewFontName, AFontHeightCorrection);
    for (auto& record : ObjectList)
        if (auto* font = dynamic_cast<TbsSkinFontFields*>(record.get()))
            ChangeFont(*font, ANewFontName, AFontHeightCorrection);
    for (auto& record : CtrlList) {
        if (auto* font = dynamic_cast<TbsSkinFontFields*>(record.get()))
            ChangeFont(*font, ANewFontName, AFontHeightCorrection);
        if (auto* grid = dynamic_cast<TbsDataSkinGridControl*>(record.get())) {
            grid->FixedFontName = ANewFontName;
            grid->FixedFontHeight += AFontHeightCorrection;
        } else if (auto* list = dynamic_cast<TbsDataSkinListBox*>(record.get())) {
            list->CaptionFontName = ANewFontName;
            list->CaptionFontHeight += AFontHeightCorrection;
        }
    }
}

} // namespace skin
