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
    bool Done = false;
    std::exception_ptr Error;
};

struct TSyncQueue {
    std::mutex Lock;
    std::condition_variable Arrived;   // GUI thread waits for calls
    std::condition_variable Finished;  // callers wait for their call
    std::deque<std::shared_ptr<TSyncCall>> Calls;
    std::function<void()> Wake;
    std::function<bool()> ProcessOne;
};

TSyncQueue& Queue_()
{
    static TSyncQueue q;
    return q;
}

std::atomic<uint64_t> GMainThreadId{0};

// The process's first thread is the GUI thread.
struct TMainThreadInit {
    TMainThreadInit() { GMainThreadId = CurrentThreadId(); }
} GMainThreadInit;

void Post(const std::shared_ptr<TSyncCall>& ACall)
{
    TSyncQueue& q = Queue_();
    std::function<void()> wake;
    {
        std::lock_guard<std::mutex> guard(q.Lock);
        q.Calls.push_back(ACall);
        wake = q.Wake;
    }
    q.Arrived.notify_all();
    if (wake)
        wake();
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

void Synchronize(const TThreadMethod& AMethod)
{
    if (IsMainThread()) {
        AMethod();
        return;
    }
    auto call = std::make_shared<TSyncCall>();
    call->Method = AMethod;
    call->Waiting = true;
    Post(call);
    TSyncQueue& q = Queue_();
    std::unique_lock<std::mutex> lock(q.Lock);
    q.Finished.wait(lock, [&] { return call->Done; });
    if (call->Error)
        std::rethrow_exception(call->Error);
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
    std::deque<std::shared_ptr<TSyncCall>> calls;
    {
        std::unique_lock<std::mutex> lock(q.Lock);
        if (q.Calls.empty() && ATimeoutMs > 0) {
            auto ready = [&] { return !q.Calls.empty(); };
            if (ATimeoutMs == INFINITE)
                q.Arrived.wait(lock, ready);
            else
                q.Arrived.wait_for(lock, std::chrono::milliseconds(ATimeoutMs), ready);
        }
        calls.swap(q.Calls);
    }
    for (auto& call : calls) {
        try {
            call->Method();
        } catch (...) {
            // A waiting caller gets the exception back; a queued call has
            // nobody to report to, and it must not end the loop.
            if (call->Waiting)
                call->Error = std::current_exception();
        }
        if (call->Waiting) {
            std::lock_guard<std::mutex> guard(q.Lock);
            call->Done = true;
        }
    }
    if (!calls.empty())
        q.Finished.notify_all();
    return !calls.empty();
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
    const bool serve = IsMainThread();
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
    if (!IsMainThread())
        return AEvent.WaitFor(ATimeoutMs);
    bool signaled = false;
    WaitUntilServing([&] { return signaled = (AEvent.WaitFor(0) == TWaitResult::wrSignaled); }, ATimeoutMs);
    return signaled ? TWaitResult::wrSignaled : TWaitResult::wrTimeout;
}

} // namespace platform
