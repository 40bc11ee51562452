#include "platform/core/SyncObjs.h"

namespace platform {

void TEvent::SetEvent()
{
    // Notify under the lock: a waiter may destroy the event as soon as it
    // sees the flag, and must not do so while we still touch it.
    std::lock_guard<std::mutex> guard(FMutex);
    FSignaled = true;
    if (FManualReset)
        FCond.notify_all();
    else
        FCond.notify_one();
}

void TEvent::ResetEvent()
{
    std::lock_guard<std::mutex> guard(FMutex);
    FSignaled = false;
}

bool TEvent::IsSignaled() const
{
    std::lock_guard<std::mutex> guard(FMutex);
    return FSignaled;
}

TWaitResult TEvent::WaitFor(uint32_t ATimeoutMs)
{
    std::unique_lock<std::mutex> lock(FMutex);
    auto signaled = [this] { return FSignaled; };
    if (ATimeoutMs == INFINITE)
        FCond.wait(lock, signaled);
    else if (!FCond.wait_for(lock, std::chrono::milliseconds(ATimeoutMs), signaled))
        return TWaitResult::wrTimeout;
    if (!FManualReset)
        FSignaled = false;
    return TWaitResult::wrSignaled;
}

bool TMutex::Acquire(uint32_t ATimeoutMs)
{
    std::unique_lock<std::mutex> lock(FLock);
    const std::thread::id me = std::this_thread::get_id();
    if (FCount > 0 && FOwner == me) {
        ++FCount;
        return true;
    }
    auto free = [this] { return FCount == 0; };
    if (ATimeoutMs == INFINITE)
        FFree.wait(lock, free);
    else if (!FFree.wait_for(lock, std::chrono::milliseconds(ATimeoutMs), free))
        return false;
    FOwner = me;
    FCount = 1;
    return true;
}

void TMutex::Release()
{
    std::lock_guard<std::mutex> guard(FLock);
    if (FCount > 0 && --FCount == 0) {
        FOwner = std::thread::id();
        FFree.notify_one();
    }
}

} // namespace platform
