#include "platform/ui/HeadlessBackend.h"

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

} // namespace platform
