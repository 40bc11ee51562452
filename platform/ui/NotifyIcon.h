#pragma once
// The notification area of the desktop (the system tray): a program puts
// small icons there, one per (window, id), and hears of the mouse over them
// through a callback message posted to that window, with the id in wParam
// and the mouse message (WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, ...) in lParam.
// The presenter docks the icons: in memory when headless, into the tray
// manager of the X display otherwise. Balloon texts are kept with the icon;
// the program shows them itself, near the icon's rectangle.

#include "platform/ui/Window.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Shell_NotifyIcon operations
constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;

// What of the record an operation takes
constexpr UINT NIF_MESSAGE = 0x01;
constexpr UINT NIF_ICON = 0x02;
constexpr UINT NIF_TIP = 0x04;
constexpr UINT NIF_INFO = 0x10;

// The balloon's icon
constexpr DWORD NIIF_NONE = 0;
constexpr DWORD NIIF_INFO = 1;
constexpr DWORD NIIF_WARNING = 2;
constexpr DWORD NIIF_ERROR = 3;

// lParam of the callback message when the user clicked the icon's balloon.
constexpr LPARAM NIN_BALLOONUSERCLICK = 0x405;

// The capacities of the record's texts, in UTF-16 units with the terminator.
constexpr int NotifyTipSize = 128;
constexpr int NotifyInfoSize = 256;
constexpr int NotifyInfoTitleSize = 64;

struct TNotifyIconData {
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    // The picture: premultiplied 32-bit pixels, top row first; empty for none.
    std::vector<uint32_t> Icon;
    int IconWidth = 0;
    int IconHeight = 0;
    std::string szTip;
    std::string szInfo;
    std::string szInfoTitle;
    DWORD dwInfoFlags = 0;
};

// Adds, changes or removes an icon; false when the desktop has no
// notification area, the icon is not there (modify, delete) or the record
// names no window.
bool Shell_NotifyIcon(DWORD AMessage, const TNotifyIconData& AData);
// Where the icon is on the screen; false when it is not docked.
bool GetNotifyIconRect(HWND AWnd, UINT AId, TRect& ARect);

// The message number every top-level window receives when a notification
// area appears on the desktop (the program adds its icons again then).
UINT NotifyAreaCreatedMessage();

// For presenters: the mouse over an icon (WM_MOUSEMOVE or a button's down
// or up message) at clock ATimeMs. A second press of a button within the
// double-click time becomes its double-click message. Posts the icon's
// callback message.
void NotifyIconMouseInput(const TNotifyIconData& AIcon, UINT AMouseMsg, uint64_t ATimeMs);
// For presenters: what AChange's flags name goes into AIcon (a modify).
void ApplyNotifyIconChange(TNotifyIconData& AIcon, const TNotifyIconData& AChange);
// For presenters: a notification area appeared; every top-level window hears
// of it through NotifyAreaCreatedMessage.
void NotifyAreaCreated();

// A text cut to ASize - 1 UTF-16 units, never inside a character.
std::string CutNotifyText(const std::string& AText, int ASize);

} // namespace platform
