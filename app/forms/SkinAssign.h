#pragma once
// Handing one skin model to every skinned control a form owns.

#include "platform/core/Classes.h"

namespace skin {
class TbsSkinData;
}

namespace app {

// Every skinned control, label, edit and combo owned by AOwner reads its
// look from AData from now on.
void SetSkinDataOf(platform::TComponent& AOwner, skin::TbsSkinData* AData);

} // namespace app
