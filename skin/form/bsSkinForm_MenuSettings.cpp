// The form's settings for its menus: kept by the component and handed on to
// the menu manager that draws every menu of the form.

#include "skin/form/bsSkinForm.h"

#include "skin/form/bsSkinMenus.h"

namespace skin {

using namespace platform;

void TbsSkinForm::SetMainMenu(TMainMenu* AValue)
{
    FMainMenu = AValue;
    if (FMainMenu)
        FMainMenu->FreeNotification(this);
}

int TbsSkinForm::MaxMenuItemsInWindow() const { return FSkinMenu->MaxMenuItemsInWindow; }

void TbsSkinForm::SetMaxMenuItemsInWindow(int AValue)
{
    if (AValue >= 0)
        FSkinMenu->MaxMenuItemsInWindow = AValue;
}

void TbsSkinForm::SetMenusAlphaBlend(bool AValue)
{
    FMenusAlphaBlend = AValue;
    FSkinMenu->AlphaBlend = AValue;
}

void TbsSkinForm::SetMenusAlphaBlendAnimation(bool AValue)
{
    FMenusAlphaBlendAnimation = AValue;
    FSkinMenu->AlphaBlendAnimation = AValue;
}

void TbsSkinForm::SetMenusAlphaBlendValue(uint8_t AValue)
{
    FMenusAlphaBlendValue = AValue;
    FSkinMenu->AlphaBlendValue = AValue;
}

bool TbsSkinForm::UseSkinFontInMenu() const { return FSkinMenu->UseSkinFont; }

void TbsSkinForm::SetUseSkinFontInMenu(bool AValue) { FSkinMenu->UseSkinFont = AValue; }

bool TbsSkinForm::UseSkinSizeInMenu() const { return FSkinMenu->UseSkinSize; }

void TbsSkinForm::SetUseSkinSizeInMenu(bool AValue) { FSkinMenu->UseSkinSize = AValue; }

int TbsSkinForm::DefMenuItemHeight() const { return FSkinMenu->DefaultMenuItemHeight; }

void TbsSkinForm::SetDefMenuItemHeight(int AValue)
{
    if (AValue > 0)
        FSkinMenu->DefaultMenuItemHeight = AValue;
}

TFont* TbsSkinForm::DefMenuItemFont() const { return FSkinMenu->DefaultMenuItemFont(); }

void TbsSkinForm::SetDefMenuItemFont(TFont* AValue) { FSkinMenu->SetDefaultMenuItemFont(AValue); }

} // namespace skin
