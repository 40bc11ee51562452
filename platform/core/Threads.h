#pragma once
// Threads in the class library's manner: a TThread subclass overrides
// Execute and checks Terminated() at its own steps. There is no way to
// suspend a running thread from outside; code that must pause offers a gate
// that its worker checks.

#include "platform/core/MainThread.h"

#include <atomic>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread {
public:
    // A suspended thread waits for Start; otherwise it starts at once.
    explicit TThread(bool ACreateSuspended);
    // A running thread is told to terminate and waited for.
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Start();
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    bool Started() const { return FStarted; }
    bool Finished() const { return FFinished; }
    // Waits for the end of Execute and OnTerminate; on the GUI thread the
    // wait serves synchronised calls. Answers ReturnValue.
    int WaitFor();

    // The thread frees itself after OnTerminate; do not touch it after Start.
    void SetFreeOnTerminate(bool AValue) { FFreeOnTerminate = AValue; }
    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    // Best effort: a priority the system does not permit is ignored.
    void SetPriority(TThreadPriority APriority);
    TThreadPriority Priority() const { return FPriority; }
    uint64_t ThreadID() const { return FThreadID; }
    // The exception that ended Execute, if any.
    std::exception_ptr FatalException() const { return FFatalException; }

    // Runs on the GUI thread after Execute, as the class library does.
    std::function<void(TThread*)> OnTerminate;
    int ReturnValue = 0;

protected:
    virtual void Execute() = 0;
    virtual void DoTerminate();
    bool Synchronize(const TThreadMethod& AMethod) { return platform::Synchronize(AMethod); }
    void Queue(const TThreadMethod& AMethod) { platform::Queue(AMethod); }

private:
    void Run();
    void ApplyPriority();

    std::thread FThread;
    std::mutex FStartLock;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FStarted{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FFreeOnTerminate{false};
    std::atomic<TThreadPriority> FPriority{TThreadPriority::tpNormal};
    std::atomic<uint64_t> FThreadID{0};
    std::exception_ptr FFatalException;
    TEvent FDone{true, false};
};

// A thread that runs a function; handy for short-lived helpers.
class TAnonymousThread : public TThread {
public:
    explicit TAnonymousThread(std::function<void()> AProc) : TThread(true), FProc(std::move(AProc)) {}

protected:
    void Execute() override { FProc(); }

private:
    std::function<void()> FProc;
};

} // namespace platform
