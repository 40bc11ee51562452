// The picture-grid menu: its items, opening, closing and the events of a
// choice.

#include "skin/form/bsSkinImagesMenu.h"

#include "platform/ui/MessageLoop.h"

namespace skin {

using namespace platform;

void TbsImagesMenuItem::Assign(const TbsImagesMenuItem& ASource)
{
    ImageIndex = ASource.ImageIndex;
    Caption = ASource.Caption;
    Button = ASource.Button;
    Hint = ASource.Hint;
}

TbsImagesMenuItem* TbsImagesMenuItems::Add()
{
    FItems.push_back(std::make_unique<TbsImagesMenuItem>());
    return FItems.back().get();
}

void TbsImagesMenuItems::Assign(const TbsImagesMenuItems& ASource)
{
    if (&ASource == this)
        return;
    FItems.clear();
    for (int i = 0; i < ASource.Count(); ++i)
        Add()->Assign(*ASource.Items(i));
}

TbsSkinImagesMenu::TbsSkinImagesMenu(TComponent* AOwner) : TComponent(AOwner)
{
    FDefaultFont.SetName("Tahoma");
    FDefaultFont.SetHeight(13);
    FDefaultFont.SetStyle({});
}

TbsSkinImagesMenu::~TbsSkinImagesMenu()
{
    // An open grid goes without events.
    if (TbsSkinImagesMenuPopupWindow* open = FPopupWindow) {
        FPopupWindow = nullptr;
        open->Hide(false);
        FClosed.Add(open);
    }
}

void TbsSkinImagesMenu::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FImages)
        FImages = nullptr;
    if (AComponent == FSkinData)
        FSkinData = nullptr;
    if (AComponent == FSkinHint)
        FSkinHint = nullptr;
}

void TbsSkinImagesMenu::SetImages(TCustomImageList* AValue)
{
    FImages = AValue;
    if (AValue)
        AValue->FreeNotification(this);
}

void TbsSkinImagesMenu::SetSkinData(TbsSkinData* AValue)
{
    FSkinData = AValue;
    if (AValue)
        AValue->FreeNotification(this);
}

void TbsSkinImagesMenu::SetSkinHint(TbsSkinHint* AValue)
{
    FSkinHint = AValue;
    if (AValue)
        AValue->FreeNotification(this);
}

void TbsSkinImagesMenu::SetColumnsCount(int AValue)
{
    if (AValue >= 1 && AValue <= 50)
        FColumnsCount = AValue;
}

TbsImagesMenuItem* TbsSkinImagesMenu::SelectedItem() const
{
    return ItemIndex >= 0 && ItemIndex < FImagesItems.Count() ? FImagesItems.Items(ItemIndex) : nullptr;
}

bool TbsSkinImagesMenu::SelectedItem(std::string& ACaption, int& AImageIndex) const
{
    TbsImagesMenuItem* item = SelectedItem();
    if (!item)
        return false;
    ACaption = item->Caption;
    AImageIndex = item->ImageIndex;
    return true;
}

void TbsSkinImagesMenu::Popup(int X, int Y) { PopupFromRect(Rect(X, Y, X, Y)); }

// A grid without pictures, or without items to lay out, does not open.
void TbsSkinImagesMenu::PopupFromRect(const TRect& R)
{
    if (FPopupWindow)
        FPopupWindow->Hide(false);
    if (OnMenuPopup)
        OnMenuPopup(this);
    if (!FImages || FImages->Count() == 0 || FImagesItems.Count() == 0)
        return;
    FOldItemIndex = ItemIndex;
    FPopupWindow = new TbsSkinImagesMenuPopupWindow(this);
    FPopupWindow->Show(R);
}

void TbsSkinImagesMenu::Hide()
{
    if (FPopupWindow)
        FPopupWindow->Hide(false);
}

void TbsSkinImagesMenu::ClosePopupWindow(bool AProcessEvents)
{
    if (!FPopupWindow)
        return;
    // The window may be closing from its own mouse or key handler.
    FClosed.Add(FPopupWindow);
    FPopupWindow = nullptr;
    if (OnInternalMenuClose)
        OnInternalMenuClose(this);
    if (OnMenuClose)
        OnMenuClose(this);
    if (!AProcessEvents || ItemIndex == -1)
        return;
    if (TbsImagesMenuItem* item = SelectedItem(); item && item->OnClick)
        item->OnClick(this);
    if (OnItemClick)
        OnItemClick(this);
    if (ItemIndex != FOldItemIndex) {
        if (OnInternalChange)
            OnInternalChange(this);
        if (OnChange)
            OnChange(this);
    }
}

} // namespace skin
