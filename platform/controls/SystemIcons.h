#pragma once
// The window system's own pictures for windows that bring none.

#include "platform/gfx/Graphics.h"

namespace platform {

// The generic application icon (32 x 32): a small window with a blue title
// strip. GUI thread.
TBitmap* SystemApplicationIcon();

} // namespace platform
