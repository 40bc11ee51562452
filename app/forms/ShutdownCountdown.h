#pragma once
// The last word before the computer is shut down after a run: the skin's
// "提示" message box counting down the seconds, with a Cancel button.

#include <string>

namespace skin {
class TbsSkinData;
}

namespace app {

// True only when the countdown of ASeconds ran out without Cancel. The box
// is drawn with ASkinData (unskinned without one).
bool RunShutdownCountdown(skin::TbsSkinData* ASkinData, int ASeconds);

// The text the box shows with N seconds left.
std::string ShutdownCountdownText(int ASecondsLeft);

} // namespace app
