#pragma once
// The forms the skin model tells of skin changes: the forms of the
// application's screen, reached as real windows, so that a form's own
// window procedure (and whatever component subclasses it) sees the
// messages.

#include "skin/core/bsSkinData.h"

#include "platform/core/Classes.h"

#include <memory>
#include <vector>

namespace skin {

// Receivers for the screen's forms in screen order. Each form's window is
// made now if it has none, and its handle is kept: a form destroyed while
// an earlier one handles a message is simply not reached.
std::vector<std::unique_ptr<IbsSkinMessageReceiver>> ScreenSkinForms();
// A receiver for AOwner when it is a form, else nullptr.
std::unique_ptr<IbsSkinMessageReceiver> SkinFormReceiver(platform::TComponent* AOwner);

} // namespace skin
