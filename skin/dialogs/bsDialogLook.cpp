#include "skin/dialogs/bsDialogLook.h"

#include "skin/core/bsSkinData_ResStr.h"

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

} // namespace skin
