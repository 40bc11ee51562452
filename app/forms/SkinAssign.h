#pragma once
// Handing one skin model to every skinned control a form owns.

#include "platform/controls/Forms.h"

namespace skin {
class TbsSkinData;
class TbsSkinForm;
}

namespace app {

// Every skinned component owned by AOwner (controls, labels, bevels,
// splitters, page controls, list and tree views, edits, combos and menus)
// reads its look from AData from now on.
void SetSkinDataOf(platform::TComponent& AOwner, skin::TbsSkinData* AData);

// AComponent reads its look from AData from now on when it is one of those
// skinned kinds; answers whether it is one.
bool SetComponentSkinData(platform::TComponent* AComponent, skin::TbsSkinData* AData);

// Gives a form a skinned frame and its controls and menus their look from
// AData; answers the frame.
skin::TbsSkinForm* SkinFormWith(platform::TCustomForm& AForm, skin::TbsSkinData* AData);

// The fonts a frame falls back on while its skin gives none, as the main
// window and the legacy dialog are designed: bold Arial 14 captions (grey
// while inactive) and Arial 14 menu items 20 pixels high.
void SetArialFrameFonts(skin::TbsSkinForm& AFrame);

} // namespace app
