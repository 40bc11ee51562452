#pragma once
// Watching a folder for changes with inotify. One thread waits in
// WaitForChange; any thread may wake it with Wake. A burst of changes is
// reported as one change, as the waiter only needs to know that it should
// look again.

#include <atomic>
#include <cstdint>
#include <map>
#include <string>

namespace platform {

// Which changes count (or-ed together).
enum TWatchFilter : uint32_t {
    wfFileName = 0x001,   // a file created, deleted or renamed
    wfDirName = 0x002,    // a folder created, deleted or renamed
    wfAttributes = 0x004, // permissions, owner, times set
    wfSize = 0x008,       // a file written
    wfLastWrite = 0x010,  // a file written
    wfSecurity = 0x100,   // permissions or owner
};

enum class TWatchResult { wrChanged, wrWoken, wrTimeout, wrFailed };

class TFolderWatcher {
public:
    TFolderWatcher();
    ~TFolderWatcher();
    TFolderWatcher(const TFolderWatcher&) = delete;
    TFolderWatcher& operator=(const TFolderWatcher&) = delete;

    // Starts watching AFolder (with its subfolders when ASubTree) for the
    // changes of AFilters; a watch already open is closed first. False
    // when AFolder is no folder or the system refuses the watch.
    bool Open(const std::string& AFolder, bool ASubTree, uint32_t AFilters);
    void Close();
    bool IsOpen() const { return FInotify >= 0; }

    // Waits for a change, for Wake, or for the time. Without an open watch
    // the wait fails at once. The watched folder itself going away counts
    // as a change; after it the wait fails.
    TWatchResult WaitForChange(int ATimeoutMs = -1);
    // Ends the current or the next wait with wrWoken; safe from any thread.
    void Wake();

    // At most this many folders are watched below a folder with ASubTree;
    // deeper changes beyond the bound go unseen.
    static constexpr size_t MaxSubFolders = 4096;

private:
    void AddTree(const std::string& AFolder, bool ARoot);
    bool Matches(uint32_t AMask) const;
    bool ReadEvents();  // true when a matching change was read

    int FInotify = -1;
    int FWakeFd = -1;
    uint32_t FFilters = 0;
    bool FSubTree = false;
    bool FGone = false;
    int FRootWatch = -1;
    std::map<int, std::string> FWatches;  // watch descriptor -> folder
};

} // namespace platform
