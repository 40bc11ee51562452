#include "platform/core/MainThread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace {

struct TSyncCall {
    TThreadMethod Method;
    bool Waiting = false;       // Synchronize: the caller waits for Done
    bool Taken = false;         // the GUI thread has taken it to run
    bool Done = false;
    std::exception_ptr Error;
};

struct TSyncQueue {
    std::mutex Lock;
    std::condition_variable Arrived;   // GUI thread waits for calls
    std::condition_variable Finished;  // callers wait for their call
    std::deque<std::shared_ptr<TSyncCall>> Calls;
    bool Ended = false;                // the GUI thread serves no more calls
    std::function<void()> Wake;
    std::function<bool()> ProcessOne;
};

// Never destroyed: a thread the program could not join (a library's, a
// detached helper's) may still reach it while the exit handlers run, and
// destroying a condition variable with a waiter blocks for ever.
TSyncQueue& Queue_()
{
    static TSyncQueue* q = new TSyncQueue;
    return *q;
}

std::atomic<uint64_t> GMainThreadId{0};

// The process's first thread is the GUI thread.
struct TMainThreadInit {
    TMainThreadInit() { GMainThreadId = CurrentThreadId(); }
} GMainThreadInit;

// False when the GUI thread serves no more calls.
bool Post(const std::shared_ptr<TSyncCall>& ACall)
{
    TSyncQueue& q = Queue_();
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> guard(q.Lock);
        if (q.Ended)
            return false;
        q.Calls.push_back(ACall);
        wake = q.Wake;
    }
    q.Arrived.notify_all();
    if (wake)
        wake();
    return true;
}

} // namespace

uint64_t CurrentThreadId()
{
    thread_local const uint64_t id = uint64_t(syscall(SYS_gettid));
    return id;
}

uint64_t MainThreadID() { return GMainThreadId; }
bool IsMainThread() { return CurrentThreadId() == GMainThreadId; }
void SetMainThread() { GMainThreadId = CurrentThreadId(); }

bool Synchronize(const TThreadMethod& AMethod)
{
    if (IsMainThread()) {
        AMethod();
        return true;
    }
    auto call = std::make_shared<TSyncCall>();
    call->Method = AMethod;
    call->Waiting = true;
    if (!Post(call))
        return false;
    TSyncQueue& q = Queue_();
    std::unique_lock<std::mutex> lock(q.Lock);
    // A call the GUI thread has taken is waited for even after the end: it
    // may use the caller's locals.
    q.Finished.wait(lock, [&] { return call->Done || (q.Ended && !call->Taken); });
    if (!call->Done)
        return false;
    if (call->Error)
        std::rethrow_exception(call->Error);
    return true;
}

void Queue(const TThreadMethod& AMethod)
{
    if (IsMainThread()) {
        AMethod();
        return;
    }
    auto call = std::make_shared<TSyncCall>();
    call->Method = AMethod;
    Post(call);
}

void EndMainThreadCalls()
{
    TSyncQueue& q = Queue_();
    {
        std::lock_guard<std::mutex> guard(q.Lock);
        q.Ended = true;
        q.Calls.clear();
    }
    q.Finished.notify_all();
}

void ResumeMainThreadCalls()
{
    TSyncQueue& q = Queue_();
    std::lock_guard<std::mutex> guard(q.Lock);
    q.Ended = false;
}

bool MainThreadCallsEnded()
{
    TSyncQueue& q = Queue_();
    std::lock_guard<std::mutex> guard(q.Lock);
    return q.Ended;
}

void RemoveQueuedEvents()
{
    TSyncQueue& q = Queue_();
    std::lock_guard<std::mutex> guard(q.Lock);
    for (auto it = q.Calls.begin(); it != q.Calls.end();)
        it = (*it)->Waiting ? it + 1 : q.Calls.erase(it);
}

bool CheckSynchronize(uint32_t ATimeoutMs)
{
    if (!IsMainThread())
        return false;
    TSyncQueue& q = Queue_();
    size_t due = 0;
    {
        std::unique_lock<std::mutex> lock(q.Lock);
        if (q.Ended)
            return false;
        if (q.Calls.empty() && ATimeoutMs > 0) {
            auto ready = [&] { return !q.Calls.empty(); };
            if (ATimeoutMs == INFINITE)
                q.Arrived.wait(lock, ready);
            else
                q.Arrived.wait_for(lock, std::chrono::milliseconds(ATimeoutMs), ready);
        }
        due = q.Calls.size();
    }
    // One call at a time: a call that waits serving (a player stopping
    // its threads) must find the calls after it still queued, or a thread
    // that waits for one of them could never end.
    bool ran = false;
    for (; due > 0; --due) {
        std::shared_ptr<TSyncCall> call;
        {
            std::lock_guard<std::mutex> guard(q.Lock);
            if (q.Ended || q.Calls.empty())
                break;
            call = q.Calls.front();
            q.Calls.pop_front();
            call->Taken = true;
        }
        ran = true;
        try {
            call->Method();
        } catch (...) {
            // A waiting caller gets the exception back; a queued call has
            // nobody to report to, and it must not end the loop.
            if (call->Waiting)
                call->Error = std::current_exception();
        }
        if (call->Waiting) {
            {
                std::lock_guard<std::mutex> guard(q.Lock);
                call->Done = true;
            }
            q.Finished.notify_all();
        }
    }
    return ran;
}

void SetWakeMainThread(std::function<void()> AWake)
{
    std::lock_guard<std::mutex> guard(Queue_().Lock);
    Queue_().Wake = std::move(AWake);
}

void SetMessagePumpHook(std::function<bool()> AProcessOne)
{
    std::lock_guard<std::mutex> guard(Queue_().Lock);
    Queue_().ProcessOne = std::move(AProcessOne);
}

bool ProcessOneMessage()
{
    bool did = CheckSynchronize(0);
    std::function<bool()> processOne;
    {
        std::lock_guard<std::mutex> guard(Queue_().Lock);
        processOne = Queue_().ProcessOne;
    }
    if (processOne && IsMainThread() && processOne())
        did = true;
    return did;
}

void PumpMessages()
{
    while (ProcessOneMessage()) {
    }
}

bool WaitUntilServing(const std::function<bool()>& ADone, uint32_t ATimeoutMs)
{
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(ATimeoutMs);
    // After the loop the GUI thread serves nobody: its waits are plain.
    const bool serve = IsMainThread() && !MainThreadCallsEnded();
    while (!ADone()) {
        if (ATimeoutMs != INFINITE && clock::now() >= deadline)
            return false;
        if (serve) {
            PumpMessages();
            CheckSynchronize(2);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    return true;
}

TWaitResult WaitServing(TEvent& AEvent, uint32_t ATimeoutMs)
{
    if (!IsMainThread() || MainThreadCallsEnded())
        return AEvent.WaitFor(ATimeoutMs);
    bool signaled = false;
    WaitUntilServing([&] { return signaled = (AEvent.WaitFor(0) == TWaitResult::wrSignaled); }, ATimeoutMs);
    return signaled ? TWaitResult::wrSignaled : TWaitResult::wrTimeout;
}

} // namespace platform
