#pragma once
// Input from the presenter (or from a test) into the window system. Input is
// queued as it arrives and turned into messages when the loop takes it, so
// hit tests, capture and activation are those of that moment.

#include "platform/ui/Backend.h"
#include "platform/ui/Window.h"

#include <string>

namespace platform {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Any thread. Points are screen coordinates.
void InjectMouseMove(TPoint AScreen);
void InjectMouseButton(TMouseButton AButton, bool ADown, TPoint AScreen);
void InjectMouseWheel(int ADelta, TPoint AScreen);
// AText: what the key types (UTF-8), turned into WM_CHAR by TranslateMessage.
void InjectKey(int AVirtualKey, bool ADown, const std::string& AText = std::string());
// Text committed by an input method: WM_CHAR for each UTF-16 unit.
void InjectText(const std::string& AText);
// The presenter's windows lost the keyboard to another program.
void InjectDeactivate();
// The desktop minimised (AIconic) or restored top-level AWnd behind the
// program's back; nothing happens when the window is in that state already.
void InjectWindowState(HWND AWnd, bool AIconic);

// Key state as of the message being handled (sign bit: down; bit 0: toggled)
// and as of now.
int16_t GetKeyState(int AVirtualKey);
int16_t GetAsyncKeyState(int AVirtualKey);
// The Alt key of the message being handled went down with no other key
// pressed since.
bool AltPressedAlone();
// Tells the current mouse state for mouse message wParam (MK_*).
WPARAM MouseKeyFlags();

TPoint GetCursorPos();
bool SetCursorPos(TPoint AScreen);
void SetCursorShape(TCursorShape AShape);

// WM_MOUSELEAVE is posted once to AWnd when the mouse leaves it.
bool TrackMouseLeave(HWND AWnd);

bool SetClipboardText(const std::string& AText);
std::string GetClipboardText();

} // namespace platform
