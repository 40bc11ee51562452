#include "platform/ui/NotifyIcon.h"

#include "platform/core/CodePage.h"
#include "platform/ui/Backend.h"
#include "platform/ui/MessageLoop.h"

#include <map>
#include <utility>

namespace platform {

namespace {

// The last press over each icon, for double clicks. GUI thread only.
struct TLastPress {
    UINT Down = 0;
    uint64_t Time = 0;
};
std::map<std::pair<HWND, UINT>, TLastPress>& LastPresses()
{
    static std::map<std::pair<HWND, UINT>, TLastPress> presses;
    return presses;
}

UINT DoubleClickOf(UINT ADown)
{
    switch (ADown) {
    case WM_LBUTTONDOWN: return WM_LBUTTONDBLCLK;
    case WM_RBUTTONDOWN: return WM_RBUTTONDBLCLK;
    case WM_MBUTTONDOWN: return WM_MBUTTONDBLCLK;
    default: return 0;
    }
}

} // namespace

bool Shell_NotifyIcon(DWORD AMessage, const TNotifyIconData& AData)
{
    if (!AData.hWnd || !IsWindow(AData.hWnd))
        return false;
    switch (AMessage) {
    case NIM_ADD: return Backend().NotifyIconAdd(AData);
    case NIM_MODIFY: return Backend().NotifyIconModify(AData);
    case NIM_DELETE:
        LastPresses().erase({AData.hWnd, AData.uID});
        return Backend().NotifyIconDelete(AData.hWnd, AData.uID);
    default: return false;
    }
}

bool GetNotifyIconRect(HWND AWnd, UINT AId, TRect& ARect) { return Backend().NotifyIconRect(AWnd, AId, ARect); }

UINT NotifyAreaCreatedMessage()
{
    static const UINT number = RegisterWindowMessage("TaskbarCreated");
    return number;
}


void NotifyIconMouseInput(const TNotifyIconData& AIcon, UINT AMouseMsg, uint64_t ATimeMs)
{
    UINT msg = AMouseMsg;
    if (const UINT dbl = DoubleClickOf(AMouseMsg)) {
        TLastPress& last = LastPresses()[{AIcon.hWnd, AIcon.uID}];
        if (last.Down == AMouseMsg && ATimeMs - last.Time <= GetDoubleClickTime()) {
            msg = dbl;
            last = TLastPress{};   // a third press starts a new click
        } else
            last = TLastPress{AMouseMsg, ATimeMs};
    }
    if (AIcon.uCallbackMessage != 0)
        PostMessage(AIcon.hWnd, AIcon.uCallbackMessage, WPARAM(AIcon.uID), LPARAM(msg));
}

void ApplyNotifyIconChange(TNotifyIconData& AIcon, const TNotifyIconData& AChange)
{
    if (AChange.uFlags & NIF_MESSAGE)
        AIcon.uCallbackMessage = AChange.uCallbackMessage;
    if (AChange.uFlags & NIF_ICON) {
        AIcon.Icon = AChange.Icon;
        AIcon.IconWidth = AChange.IconWidth;
        AIcon.IconHeight = AChange.IconHeight;
    }
    if (AChange.uFlags & NIF_TIP)
        AIcon.szTip = AChange.szTip;
    if (AChange.uFlags & NIF_INFO) {
        AIcon.szInfo = AChange.szInfo;
        AIcon.szInfoTitle = AChange.szInfoTitle;
        AIcon.dwInfoFlags = AChange.dwInfoFlags;
    }
    AIcon.uFlags = AChange.uFlags;
}

void NotifyAreaCreated()
{
    const UINT msg = NotifyAreaCreatedMessage();
    for (HWND w : GetChildWindows(nullptr))
        PostMessage(w, msg);
}

std::string CutNotifyText(const std::string& AText, int ASize)
{
    std::u16string units = Utf8ToUtf16(AText);
    const size_t room = ASize > 0 ? size_t(ASize - 1) : 0;
    if (units.size() <= room)
        return AText;
    size_t n = room;
    // A high surrogate left alone would be half a character.
    if (n > 0 && units[n - 1] >= 0xD800 && units[n - 1] <= 0xDBFF)
        --n;
    units.resize(n);
    return Utf16ToUtf8(units);
}

} // namespace platform
