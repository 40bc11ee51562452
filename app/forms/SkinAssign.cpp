#include "app/forms/SkinAssign.h"

#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/boxes/bsSkinExCtrls_LinkLabel.h"
#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"

namespace app {

using namespace platform;

bool SetComponentSkinData(TComponent* AComponent, skin::TbsSkinData* AData)
{
    if (auto* windowed = dynamic_cast<skin::TbsSkinLink<TCustomControl>*>(AComponent))
        windowed->SetSkinData(AData);
    else if (auto* graphic = dynamic_cast<skin::TbsSkinLink<TGraphicControl>*>(AComponent))
        graphic->SetSkinData(AData);
    else if (auto* edit = dynamic_cast<skin::TbsSkinCustomEdit*>(AComponent))
        edit->SetSkinData(AData);
    else if (auto* label = dynamic_cast<skin::TbsSkinStdLabel*>(AComponent))
        label->SetSkinData(AData);
    else if (auto* link = dynamic_cast<skin::TbsSkinLinkLabel*>(AComponent))
        link->SetSkinData(AData);
    else if (auto* menu = dynamic_cast<skin::TbsSkinMainMenu*>(AComponent))
        menu->SetSkinData(AData);
    else if (auto* popup = dynamic_cast<skin::TbsSkinPopupMenu*>(AComponent))
        popup->SetSkinData(AData);
    else
        return false;
    return true;
}

void SetSkinDataOf(TComponent& AOwner, skin::TbsSkinData* AData)
{
    for (int i = 0; i < AOwner.ComponentCount(); ++i)
        SetComponentSkinData(AOwner.Components(i), AData);
}

skin::TbsSkinForm* SkinFormWith(TCustomForm& AForm, skin::TbsSkinData* AData)
{
    auto* frame = new skin::TbsSkinForm(&AForm);
    frame->SetSkinData(AData);
    frame->SetMenusSkinData(AData);
    SetSkinDataOf(AForm, AData);
    return frame;
}

} // namespace app
