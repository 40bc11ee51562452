#include "skin/dialogs/bsDialogLook.h"

#include "skin/core/bsSkinData_ResStr.h"
#include "skin/form/bsSkinForm.h"

#include "platform/controls/Forms.h"

#include <algorithm>

namespace skin {

void InitDialogFont(platform::TFont& AFont)
{
    AFont.SetName("Tahoma");
    AFont.SetHeight(13);
    AFont.SetStyle({});
}

std::string DialogCaption(TbsSkinData* ACtrlSkinData, const char* AKey, const char* AText)
{
    if (ACtrlSkinData && ACtrlSkinData->ResourceStrData())
        return ACtrlSkinData->ResourceStrData()->GetResStr(AKey);
    return AText;
}

void SetUpDialogFrame(platform::TForm* AForm, TbsSkinForm* ABSF, const TbsDialogFrame& AFrame)
{
    AForm->SetCaption(AFrame.Title);
    ABSF->SetBorderIcons(0);
    ABSF->SetSkinData(AFrame.SkinData);
    ABSF->SetMenusSkinData(AFrame.MenusSkinData);
    ABSF->MinWidth = AFrame.MinWidth;
    ABSF->MinHeight = AFrame.MinHeight;
    ABSF->SetAlphaBlend(AFrame.AlphaBlend);
    ABSF->AlphaBlendAnimation = AFrame.AlphaBlendAnimation;
    ABSF->SetAlphaBlendValue(AFrame.AlphaBlendValue);
}

void SizeDialog(platform::TForm* AForm, TbsSkinForm* ABSF, int AWidth, int AHeight, int ADefaultWidth,
                int ADefaultHeight)
{
    int w = AWidth < 1 ? ADefaultWidth : AWidth, h = AHeight < 1 ? ADefaultHeight : AHeight;
    if (ABSF->SkinData() && !ABSF->SkinData()->Empty()) {
        w = std::max(w, ABSF->GetMinWidth());
        h = std::max(h, ABSF->GetMinHeight());
    }
    AForm->SetClientSize(w, h);
}

} // namespace skin
