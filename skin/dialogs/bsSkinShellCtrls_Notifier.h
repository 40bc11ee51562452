#pragma once
// The shell change notifier: a worker thread watches a folder and runs the
// component's OnChange on the GUI thread, by synchronisation, after every
// burst of changes.
//
// The component and its worker share one state block: the component never
// reaches the thread object once it runs, so options set after the worker
// ended on its own (a missing folder) go nowhere instead of into freed
// memory. Stopping wakes the worker and waits for it while serving the GUI
// thread's synchronised calls; stopped from inside its own OnChange, it
// does not wait (the worker is waiting for that very handler) and the
// worker ends right after the handler returns. No OnChange runs after the
// worker was stopped.

#include "skin/dialogs/bsSkinShellCtrls_Folder.h"

#include "platform/core/Classes.h"
#include "platform/core/Threads.h"

#include <cstdint>
#include <memory>
#include <string>

namespace skin {

enum TNotifyFilter {
    nfFileNameChange = 1, nfDirNameChange = 2, nfAttributeChange = 4, nfSizeChange = 8, nfWriteChange = 16,
    nfSecurityChange = 32,
};
using TNotifyFilters = unsigned;  // or-ed TNotifyFilter

// The change-notification filter word of a set of filters.
uint32_t NotifyFlagsOf(TNotifyFilters AFilters);

struct TShellChangeState;

class TbsShellChangeThread : public platform::TThread {
public:
    // Created suspended; it frees itself when it ends.
    explicit TbsShellChangeThread(platform::TThreadMethod AChangeEvent);
    ~TbsShellChangeThread() override;

    // On the GUI thread: the folder, subtree flag and filter word to watch;
    // the worker takes them up at once.
    void SetDirectoryOptions(const std::string& ADirectory, bool AWatchSubTree, uint32_t ANotifyOptionFlags);
    void SetChangeEvent(platform::TThreadMethod AChangeEvent);
    // The block the component keeps to reach the worker.
    std::shared_ptr<TShellChangeState> State() const { return FState; }

protected:
    void Execute() override;

private:
    std::shared_ptr<TShellChangeState> FState;
};

class TbsCustomShellChangeNotifier : public platform::TComponent {
public:
    explicit TbsCustomShellChangeNotifier(platform::TComponent* AOwner);
    ~TbsCustomShellChangeNotifier() override;

    TNotifyFilters NotifyFilters() const { return FFilters; }
    void SetNotifyFilters(TNotifyFilters AValue);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool AValue);
    // The folder's file-system path (special-folder names are not resolved).
    const TRoot& Root() const { return FRoot; }
    void SetRoot(const TRoot& AValue);
    const platform::TThreadMethod& OnChange() const { return FOnChange; }
    void SetOnChange(platform::TThreadMethod AValue);

    // A worker was started and not stopped; it may have ended on its own.
    bool Watching() const { return FWorker != nullptr; }
    // The worker still runs (false once it ended on its own).
    bool WorkerRunning() const;

protected:
    void ApplyOptions();
    void StartWatching();
    void StopWatching();

private:
    TNotifyFilters FFilters = nfFileNameChange | nfDirNameChange;
    bool FWatchSubTree = true;
    TRoot FRoot = "/";
    std::shared_ptr<TShellChangeState> FWorker;
    platform::TThreadMethod FOnChange;
};

class TbsShellChangeNotifier : public TbsCustomShellChangeNotifier {
public:
    using TbsCustomShellChangeNotifier::TbsCustomShellChangeNotifier;
};

} // namespace skin
