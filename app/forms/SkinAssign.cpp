#include "app/forms/SkinAssign.h"

#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/boxes/bsSkinExCtrls_LinkLabel.h"
#include "skin/boxes/bsSkinTabs.h"
#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_ListView.h"
#include "skin/controls/bsSkinCtrls_Splitter.h"
#include "skin/controls/bsSkinCtrls_StdLabel.h"
#include "skin/controls/bsSkinCtrls_TextLabel.h"
#include "skin/controls/bsSkinCtrls_TreeView.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"

namespace app {

using namespace platform;

namespace {

// The skinned kinds carry no common setter of their model, so each is
// tried in turn.
template <class T>
bool SetSkinDataAs(TComponent* AComponent, skin::TbsSkinData* AData)
{
    auto* component = dynamic_cast<T*>(AComponent);
    if (component)
        component->SetSkinData(AData);
    return component != nullptr;
}

template <class... TKinds>
bool SetSkinDataOfKinds(TComponent* AComponent, skin::TbsSkinData* AData)
{
    return (SetSkinDataAs<TKinds>(AComponent, AData) || ...);
}

} // namespace

bool SetComponentSkinData(TComponent* AComponent, skin::TbsSkinData* AData)
{
    return SetSkinDataOfKinds<skin::TbsSkinLink<TCustomControl>, skin::TbsSkinLink<TGraphicControl>,
                              skin::TbsSkinCustomEdit, skin::TbsSkinStdLabel, skin::TbsSkinTextLabel,
                              skin::TbsSkinLinkLabel, skin::TbsSkinBevel, skin::TbsSkinSplitter,
                              skin::TbsSkinPageControl, skin::TbsSkinCustomListView, skin::TbsSkinCustomTreeView,
                              skin::TbsSkinMainMenu, skin::TbsSkinPopupMenu>(AComponent, AData);
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

void SetArialFrameFonts(skin::TbsSkinForm& AFrame)
{
    const struct {
        TFont* Font;
        TColor Color;
    } captions[] = {{AFrame.DefCaptionFont(), clBtnText}, {AFrame.DefInActiveCaptionFont(), clBtnShadow}};
    for (const auto& c : captions) {
        c.Font->SetName("Arial");
        c.Font->SetHeight(14);
        c.Font->SetStyle(TFontStyles{fsBold});
        c.Font->SetColor(c.Color);
    }
    AFrame.SkinMenu()->DefaultMenuItemHeight = 20;
    TFont* itemFont = AFrame.SkinMenu()->DefaultMenuItemFont();
    itemFont->SetName("Arial");
    itemFont->SetHeight(14);
}

} // namespace app
