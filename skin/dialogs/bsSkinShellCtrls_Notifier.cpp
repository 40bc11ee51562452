#include "skin/dialogs/bsSkinShellCtrls_Notifier.h"

#include "platform/core/SysUtils.h"
#include "platform/shell/FolderWatcher.h"

#include <atomic>

namespace skin {

namespace {

struct TFilterFlag {
    TNotifyFilter Filter;
    uint32_t Flag;
};
const TFilterFlag FilterFlags[] = {
    {nfFileNameChange, platform::wfFileName}, {nfDirNameChange, platform::wfDirName},
    {nfAttributeChange, platform::wfAttributes}, {nfSizeChange, platform::wfSize},
    {nfWriteChange, platform::wfLastWrite}, {nfSecurityChange, platform::wfSecurity},
};

} // namespace

uint32_t NotifyFlagsOf(TNotifyFilters AFilters)
{
    uint32_t flags = 0;
    for (const TFilterFlag& entry : FilterFlags)
        if (AFilters & entry.Filter)
            flags |= entry.Flag;
    return flags;
}

// Shared by a notifier and its worker. The options and the handler are
// guarded by the unit-wide lock; InHandler is touched on the GUI thread only.
struct TShellChangeState {
    platform::TFolderWatcher Watcher;
    std::string Directory;
    bool WatchSubTree = false;
    uint32_t Flags = 0;
    bool WaitChanged = false;
    platform::TThreadMethod ChangeEvent;
    std::atomic<bool> Stopped{false};
    bool InHandler = false;
    platform::TEvent Ended{true, false};
};

TbsShellChangeThread::TbsShellChangeThread(platform::TThreadMethod AChangeEvent)
    : TThread(true), FState(std::make_shared<TShellChangeState>())
{
    SetFreeOnTerminate(true);
    FState->ChangeEvent = std::move(AChangeEvent);
}

TbsShellChangeThread::~TbsShellChangeThread() = default;

void TbsShellChangeThread::SetDirectoryOptions(const std::string& ADirectory, bool AWatchSubTree, uint32_t AFlags)
{
    {
        platform::TLockGuard guard(ShellCtrlsLock());
        FState->Directory = ADirectory;
        FState->WatchSubTree = AWatchSubTree;
        FState->Flags = AFlags;
        FState->WaitChanged = true;
    }
    // The worker reopens its watch itself: closing it under a waiting
    // thread would leave that thread polling a descriptor that may be reused.
    FState->Watcher.Wake();
}

void TbsShellChangeThread::SetChangeEvent(platform::TThreadMethod AChangeEvent)
{
    platform::TLockGuard guard(ShellCtrlsLock());
    FState->ChangeEvent = std::move(AChangeEvent);
}

void TbsShellChangeThread::Execute()
{
    const std::shared_ptr<TShellChangeState> state = FState;
    struct TEndSignal {
        TShellChangeState& State;
        ~TEndSignal() { State.Ended.SetEvent(); }
    } endSignal{*state};
    auto reopen = [&state] {
        platform::TLockGuard guard(ShellCtrlsLock());
        state->WaitChanged = false;
        return state->Watcher.Open(state->Directory, state->WatchSubTree, state->Flags);
    };
    if (!reopen())
        return;
    while (!Terminated() && !state->Stopped) {
        const platform::TWatchResult result = state->Watcher.WaitForChange();
        if (result == platform::TWatchResult::wrFailed)
            return;
        if (result == platform::TWatchResult::wrChanged) {
            Synchronize([state] {
                // Runs on the GUI thread, which also stops notifiers, so a
                // stop that came first is seen here.
                if (state->Stopped)
                    return;
                platform::TThreadMethod handler;
                {
                    platform::TLockGuard guard(ShellCtrlsLock());
                    handler = state->ChangeEvent;
                }
                if (!handler)
                    return;
                state->InHandler = true;
                try {
                    handler();
                } catch (...) {
                    state->InHandler = false;
                    throw;
                }
                state->InHandler = false;
            });
        }
        bool changed;
        {
            platform::TLockGuard guard(ShellCtrlsLock());
            changed = state->WaitChanged;
        }
        // A watch that cannot be reopened makes the next wait fail.
        if (changed)
            reopen();
    }
}

TbsCustomShellChangeNotifier::TbsCustomShellChangeNotifier(platform::TComponent* AOwner) : TComponent(AOwner)
{
    StartWatching();
}

TbsCustomShellChangeNotifier::~TbsCustomShellChangeNotifier() { StopWatching(); }

void TbsCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters AValue)
{
    FFilters = AValue;
    ApplyOptions();
}

void TbsCustomShellChangeNotifier::SetWatchSubTree(bool AValue)
{
    FWatchSubTree = AValue;
    ApplyOptions();
}

void TbsCustomShellChangeNotifier::SetRoot(const TRoot& AValue)
{
    if (platform::SameText(AValue, FRoot))
        return;
    FRoot = AValue;
    ApplyOptions();
}

void TbsCustomShellChangeNotifier::SetOnChange(platform::TThreadMethod AValue)
{
    FOnChange = std::move(AValue);
    if (FWorker) {
        platform::TLockGuard guard(ShellCtrlsLock());
        FWorker->ChangeEvent = FOnChange;
    } else {
        StartWatching();
    }
}

bool TbsCustomShellChangeNotifier::WorkerRunning() const { return FWorker && !FWorker->Ended.IsSignaled(); }

void TbsCustomShellChangeNotifier::ApplyOptions()
{
    if (!FWorker)
        return;
    {
        platform::TLockGuard guard(ShellCtrlsLock());
        FWorker->Directory = FRoot;
        FWorker->WatchSubTree = FWatchSubTree;
        FWorker->Flags = NotifyFlagsOf(FFilters);
        FWorker->WaitChanged = true;
    }
    FWorker->Watcher.Wake();
}

void TbsCustomShellChangeNotifier::StartWatching()
{
    if (!FOnChange)
        return;
    auto* thread = new TbsShellChangeThread(FOnChange);
    FWorker = thread->State();
    thread->SetDirectoryOptions(FRoot, FWatchSubTree, NotifyFlagsOf(FFilters));
    thread->Start();  // from here on the thread is its own
}

void TbsCustomShellChangeNotifier::StopWatching()
{
    const std::shared_ptr<TShellChangeState> worker = std::move(FWorker);
    if (!worker)
        return;
    worker->Stopped = true;
    worker->Watcher.Wake();
    // Inside the worker's own handler the worker waits for us: it ends as
    // soon as the handler returns.
    if (!worker->InHandler)
        platform::WaitServing(worker->Ended);
}

} // namespace skin
