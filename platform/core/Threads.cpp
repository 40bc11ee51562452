#include "platform/core/Threads.h"

#include <sys/resource.h>

namespace platform {

TThread::TThread(bool ACreateSuspended)
{
    // A derived class is not constructed yet here, so "running at once"
    // means: started by the first call that can see the whole object.
    // Callers that pass false call Start right after construction.
    (void)ACreateSuspended;
}

TThread::~TThread()
{
    if (FStarted && !FFinished) {
        Terminate();
        WaitFor();
    }
    if (FThread.joinable())
        FThread.join();
}

void TThread::Start()
{
    std::lock_guard<std::mutex> guard(FStartLock);
    if (FStarted)
        return;
    FStarted = true;
    FThread = std::thread([this] { Run(); });
}

void TThread::Run()
{
    {
        // Start has stored the thread object before we go on.
        std::lock_guard<std::mutex> guard(FStartLock);
    }
    FThreadID = CurrentThreadId();
    ApplyPriority();
    try {
        Execute();
    } catch (...) {
        FFatalException = std::current_exception();
    }
    try {
        DoTerminate();
    } catch (...) {
        if (!FFatalException)
            FFatalException = std::current_exception();
    }
    const bool freeSelf = FFreeOnTerminate;
    if (freeSelf) {
        FThread.detach();
        FFinished = true;
        FDone.SetEvent();
        delete this;
        return;
    }
    FFinished = true;
    FDone.SetEvent();
}

void TThread::DoTerminate()
{
    if (OnTerminate)
        Synchronize([this] { OnTerminate(this); });
}

int TThread::WaitFor()
{
    if (!FStarted)
        return ReturnValue;
    WaitServing(FDone);
    if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id())
        FThread.join();
    return ReturnValue;
}

void TThread::SetPriority(TThreadPriority APriority)
{
    FPriority = APriority;
    if (FThreadID != 0 && !FFinished)
        ApplyPriority();
}

void TThread::ApplyPriority()
{
    static const int niceOf[] = {19, 10, 5, 0, -5, -10, -15};
    const int nice = niceOf[int(FPriority.load())];
    // Linux keeps a nice value per thread; raising it needs a privilege we
    // may not have, which is not an error for the program.
    if (nice != 0 || getpriority(PRIO_PROCESS, id_t(FThreadID)) != 0)
        (void)setpriority(PRIO_PROCESS, id_t(FThreadID), nice);
}

} // namespace platform
