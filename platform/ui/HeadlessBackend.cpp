#include "platform/ui/HeadlessBackend.h"

#include "platform/ui/MessageLoop.h"

#include <chrono>

namespace platform {

TPoint THeadlessBackend::CursorPos()
{
    std::lock_guard<std::mutex> guard(FLock);
    return FCursor_;
}

void THeadlessBackend::SetCursorPos(TPoint P)
{
    std::lock_guard<std::mutex> guard(FLock);
    FCursor_ = P;
}

void THeadlessBackend::SetClipboardText(const std::string& AText)
{
    std::lock_guard<std::mutex> guard(FLock);
    FClipboard = AText;
}

std::string THeadlessBackend::ClipboardText()
{
    std::lock_guard<std::mutex> guard(FLock);
    return FClipboard;
}

void THeadlessBackend::WaitEvents(uint32_t ATimeoutMs)
{
    std::unique_lock<std::mutex> lock(FLock);
    auto woken = [&] { return FWoken; };
    if (ATimeoutMs == UINT32_MAX)
        FWake.wait(lock, woken);
    else
        FWake.wait_for(lock, std::chrono::milliseconds(ATimeoutMs), woken);
    FWoken = false;
}

void THeadlessBackend::Wake()
{
    {
        std::lock_guard<std::mutex> guard(FLock);
        FWoken = true;
    }
    FWake.notify_all();
}

void THeadlessBackend::SetScreen(const TRect& AScreen, const TRect& AWorkArea)
{
    std::lock_guard<std::mutex> guard(FLock);
    FScreen = AScreen;
    FWorkArea = AWorkArea;
}

bool THeadlessBackend::NotifyIconAdd(const TNotifyIconData& AData)
{
    if (!FNotifyArea)
        return false;
    FIcons[{AData.hWnd, AData.uID}] = AData;
    return true;
}

bool THeadlessBackend::NotifyIconModify(const TNotifyIconData& AData)
{
    auto it = FIcons.find({AData.hWnd, AData.uID});
    if (it == FIcons.end())
        return false;
    ApplyNotifyIconChange(it->second, AData);
    return true;
}

bool THeadlessBackend::NotifyIconDelete(HWND AWnd, UINT AId) { return FIcons.erase({AWnd, AId}) > 0; }

// The icons sit in a row right of the work area's bottom, 24 pixels apart,
// in the order of their windows and ids.
bool THeadlessBackend::NotifyIconRect(HWND AWnd, UINT AId, TRect& ARect)
{
    int slot = 0;
    for (const auto& [key, icon] : FIcons) {
        if (key == std::make_pair(AWnd, AId)) {
            const int left = FScreen.Right - 24 * (slot + 1);
            const int top = FWorkArea.Bottom + (FScreen.Bottom - FWorkArea.Bottom - 16) / 2;
            ARect = Rect(left, top, left + 16, top + 16);
            return true;
        }
        ++slot;
    }
    return false;
}

void THeadlessBackend::WindowShadow(HWND AWnd, const TRect& AScreenBounds, bool AVisible)
{
    auto it = FShadows.find(AWnd);
    if (it == FShadows.end()) {
        if (!AVisible)
            return;
        it = FShadows.emplace(AWnd, TShadow{}).first;
    }
    it->second.Visible = AVisible;
    if (AVisible)
        it->second.Bounds = AScreenBounds;
}

const THeadlessBackend::TShadow* THeadlessBackend::Shadow(HWND AWnd) const
{
    auto it = FShadows.find(AWnd);
    return it == FShadows.end() ? nullptr : &it->second;
}

void THeadlessBackend::SetNotifyAreaPresent(bool AValue)
{
    if (AValue == FNotifyArea)
        return;
    FNotifyArea = AValue;
    FIcons.clear();
    if (AValue)
        NotifyAreaCreated();
}

const TNotifyIconData* THeadlessBackend::NotifyIcon(HWND AWnd, UINT AId) const
{
    auto it = FIcons.find({AWnd, AId});
    return it == FIcons.end() ? nullptr : &it->second;
}

void THeadlessBackend::NotifyIconMouse(HWND AWnd, UINT AId, UINT AMouseMsg)
{
    if (const TNotifyIconData* icon = NotifyIcon(AWnd, AId))
        NotifyIconMouseInput(*icon, AMouseMsg, WindowClock());
}

} // namespace platform
