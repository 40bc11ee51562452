#include "platform/shell/FolderWatcher.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr uint32_t NameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr uint32_t SelfEvents = IN_DELETE_SELF | IN_MOVE_SELF;

uint32_t InotifyMask(uint32_t AFilters)
{
    // Name events are always asked for: the subtree needs them to follow
    // new folders, and Matches sorts out the unwanted ones.
    uint32_t mask = NameEvents | SelfEvents | IN_ONLYDIR;
    if (AFilters & (wfAttributes | wfSecurity))
        mask |= IN_ATTRIB;
    if (AFilters & (wfSize | wfLastWrite))
        mask |= IN_MODIFY | IN_CLOSE_WRITE;
    return mask;
}

bool IsFolder(const std::string& APath)
{
    struct stat st {};
    return stat(APath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

TFolderWatcher::TFolderWatcher() : FWakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

TFolderWatcher::~TFolderWatcher()
{
    Close();
    if (FWakeFd >= 0)
        close(FWakeFd);
}

bool TFolderWatcher::Open(const std::string& AFolder, bool ASubTree, uint32_t AFilters)
{
    Close();
    if (AFolder.empty() || !IsFolder(AFolder))
        return false;
    FInotify = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (FInotify < 0)
        return false;
    FFilters = AFilters;
    FSubTree = ASubTree;
    FGone = false;
    AddTree(AFolder, true);
    if (FRootWatch < 0) {
        Close();
        return false;
    }
    return true;
}

void TFolderWatcher::Close()
{
    if (FInotify >= 0)
        close(FInotify);
    FInotify = -1;
    FRootWatch = -1;
    FWatches.clear();
}

void TFolderWatcher::AddTree(const std::string& AFolder, bool ARoot)
{
    if (!ARoot && FWatches.size() > MaxSubFolders)
        return;
    const int wd = inotify_add_watch(FInotify, AFolder.c_str(), InotifyMask(FFilters));
    if (wd < 0)
        return;
    FWatches[wd] = AFolder;
    if (ARoot)
        FRootWatch = wd;
    if (!FSubTree)
        return;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(AFolder, ec)) {
        std::error_code typeError;
        if (entry.is_directory(typeError) && !entry.is_symlink(typeError))
            AddTree(entry.path().string(), false);
    }
}

bool TFolderWatcher::Matches(uint32_t AMask) const
{
    const bool folder = AMask & IN_ISDIR;
    if ((AMask & NameEvents) && (FFilters & (folder ? wfDirName : wfFileName)))
        return true;
    if ((AMask & IN_ATTRIB) && (FFilters & (wfAttributes | wfSecurity)))
        return true;
    return !folder && (AMask & (IN_MODIFY | IN_CLOSE_WRITE)) && (FFilters & (wfSize | wfLastWrite));
}

bool TFolderWatcher::ReadEvents()
{
    bool changed = false;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t got = read(FInotify, buffer, sizeof(buffer));
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                changed = true;
                continue;
            }
            if (event->wd == FRootWatch && (event->mask & (SelfEvents | IN_IGNORED))) {
                FGone = true;
                changed = true;
                continue;
            }
            if (event->mask & IN_IGNORED) {
                FWatches.erase(event->wd);
                continue;
            }
            auto folder = FWatches.find(event->wd);
            if (FSubTree && folder != FWatches.end() && (event->mask & IN_ISDIR)
                && (event->mask & (IN_CREATE | IN_MOVED_TO)) && event->len > 0)
                AddTree(folder->second + "/" + event->name, false);
            if (Matches(event->mask))
                changed = true;
        }
    }
    return changed;
}

TWatchResult TFolderWatcher::WaitForChange(int ATimeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ATimeoutMs < 0 ? 0 : ATimeoutMs);
    for (;;) {
        if (FInotify < 0 || FGone)
            return TWatchResult::wrFailed;
        pollfd fds[2] = {{FInotify, POLLIN, 0}, {FWakeFd, POLLIN, 0}};
        int timeout = -1;
        if (ATimeoutMs >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            timeout = int(std::max<int64_t>(0, left.count()));
        }
        const int ready = poll(fds, 2, timeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return TWatchResult::wrFailed;
        if (ready == 0)
            return TWatchResult::wrTimeout;
        if ((fds[0].revents & POLLIN) && ReadEvents())
            return TWatchResult::wrChanged;
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return TWatchResult::wrFailed;
        if (fds[1].revents & POLLIN) {
            uint64_t count = 0;
            ssize_t got = read(FWakeFd, &count, sizeof(count));
            (void)got;
            return TWatchResult::wrWoken;
        }
    }
}

void TFolderWatcher::Wake()
{
    const uint64_t one = 1;
    ssize_t written = write(FWakeFd, &one, sizeof(one));
    (void)written;
}

} // namespace platform
