#pragma once
// Locks and events with the semantics the engine was written against:
// recursive critical sections, manual- and auto-reset events with timed
// waits, and a mutex with a timed try-lock.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace platform {

constexpr uint32_t INFINITE = 0xFFFFFFFFu;

// Recursive: the owning thread may enter again; each Enter needs its Leave.
class TCriticalSection {
public:
    void Enter() { FMutex.lock(); }
    void Leave() { FMutex.unlock(); }
    bool TryEnter() { return FMutex.try_lock(); }
    // Lockable interface, so std::lock_guard and std::unique_lock work.
    void lock() { Enter(); }
    void unlock() { Leave(); }
    bool try_lock() { return TryEnter(); }

private:
    std::recursive_mutex FMutex;
};

// Holds a critical section for a scope, also when an exception passes.
class TLockGuard {
public:
    explicit TLockGuard(TCriticalSection& ALock) : FLock(ALock) { FLock.Enter(); }
    ~TLockGuard() { FLock.Leave(); }
    TLockGuard(const TLockGuard&) = delete;
    TLockGuard& operator=(const TLockGuard&) = delete;

private:
    TCriticalSection& FLock;
};

enum class TWaitResult { wrSignaled, wrTimeout };

class TEvent {
public:
    // ManualReset: stays signalled until ResetEvent; otherwise one waiter
    // is released and the event resets itself.
    TEvent(bool AManualReset, bool AInitialState)
        : FManualReset(AManualReset), FSignaled(AInitialState) {}

    void SetEvent();
    void ResetEvent();
    TWaitResult WaitFor(uint32_t ATimeoutMs = INFINITE);
    bool IsSignaled() const;
    bool ManualReset() const { return FManualReset; }

private:
    const bool FManualReset;
    bool FSignaled;
    mutable std::mutex FMutex;
    std::condition_variable FCond;
};

// A recursive mutex whose lock attempt can give up after a time.
class TMutex {
public:
    bool Acquire(uint32_t ATimeoutMs = INFINITE);
    void Release();

private:
    std::mutex FLock;
    std::condition_variable FFree;
    std::thread::id FOwner;
    int FCount = 0;
};

} // namespace platform
