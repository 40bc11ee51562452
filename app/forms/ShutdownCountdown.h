#pragma once
// The last word before the computer is shut down after a run: a "提示" box
// counting down the seconds, with a Cancel button.

#include "platform/controls/Forms.h"

namespace app {

// True only when the countdown of ASeconds ran out without Cancel.
bool RunShutdownCountdown(platform::TCustomForm* AOwner, int ASeconds);

// The text the box shows with N seconds left.
std::string ShutdownCountdownText(int ASecondsLeft);

} // namespace app
