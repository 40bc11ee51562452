#include "engine/previewer/FrameHook.h"

#include "engine/loader/AVUtilStubs.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/DynLibs.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <cerrno>
#include <mutex>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace engine {

namespace {

// The libraries loaded so far, by the file name they were asked for. Jobs
// add hooks from their own threads, so the list (and the PATH edit made
// with it) is guarded; the modules are never unloaded.
struct TModuleList {
    std::mutex Lock;
    std::vector<std::pair<std::string, platform::TLibHandle>> Items;
};

TModuleList& Modules()
{
    static TModuleList list;
    return list;
}

// Hook messages go where FFmpeg's own go, as one line each.
void LogHookError(const std::string& ALine)
{
    if (ff::av_log)
        ff::av_log(nullptr, AV_LOG_ERROR, "%s\n", ALine.c_str());
    else
        GetFFLogger()->Log(nullptr, llError, ALine);
}

bool PathHasFolder(const std::string& APath, const std::string& AFolder)
{
    const std::string wanted = platform::ExcludeTrailingPathDelimiter(AFolder);
    std::string rest = APath;
    for (;;) {
        const size_t colon = rest.find(':');
        if (platform::ExcludeTrailingPathDelimiter(rest.substr(0, colon)) == wanted)
            return true;
        if (colon == std::string::npos)
            return false;
        rest.erase(0, colon + 1);
    }
}

// A hook's folder goes to the front of PATH for the rest of the process, so
// programs the hook starts find their companions beside it. Libraries the
// hook imports are found by the loader's own rules (the hook's run path),
// which is why the current folder is left alone: it would not help them,
// and changing it would move other threads' relative paths.
void PutFolderOnPath(const std::string& AFileName)
{
    const std::string dir = platform::ExtractFilePath(AFileName);
    if (dir.empty())
        return;
    const std::string path = platform::GetEnvironmentVariable("PATH");
    if (!PathHasFolder(path, dir))
        platform::SetEnvironmentVariable("PATH", path.empty() ? dir : dir + ":" + path);
}

// The module of AFileName, loaded on first use; nullptr after logging why
// it could not be loaded.
platform::TLibHandle HookModule(const std::string& AFileName)
{
    TModuleList& modules = Modules();
    std::lock_guard<std::mutex> guard(modules.Lock);
    for (const auto& [name, handle] : modules.Items)
        if (name == AFileName)
            return handle;
    PutFolderOnPath(AFileName);
    std::string error;
    platform::TLibHandle handle = platform::LoadLibrary(AFileName, &error);
    if (!handle) {
        LogHookError(error);
        return nullptr;
    }
    modules.Items.emplace_back(AFileName, handle);
    return handle;
}

template <typename T>
T EntryPoint(platform::TLibHandle AModule, const char* AName)
{
    return reinterpret_cast<T>(platform::GetProcAddress(AModule, AName));
}

// Binds and configures AEntry; 0 or the negated error number.
int ConfigureEntry(TFrameHookEntry& AEntry, platform::TLibHandle AModule, int argc, std::span<char* const> argv)
{
    AEntry.Configure = EntryPoint<TFrameHookConfigureFn>(AModule, "Configure");
    AEntry.Process = EntryPoint<TFrameHookProcessFn>(AModule, "Process");
    AEntry.Release = EntryPoint<TFrameHookReleaseFn>(AModule, "Release");
    if (!AEntry.Process) {
        LogHookError(platform::FormatC("Failed to find Process entrypoint in %s", argv[0]));
        return -ENOENT;
    }
    if (!AEntry.Configure && argc > 1) {
        LogHookError(platform::FormatC("Failed to find Configure entrypoint in %s", argv[0]));
        return -ENOENT;
    }
    if (AEntry.Configure &&
        AEntry.Configure(&AEntry.ctx, argc, const_cast<char**>(argv.data()), int(argv.size()) - 1) != 0) {
        LogHookError(platform::FormatC("Failed to Configure %s", argv[0]));
        return -EINVAL;
    }
    return 0;
}

} // namespace

int AddFrameHook(PFrameHookEntry& AFirstHook, int argc, std::span<char* const> argv)
{
    if (argc < 1)
        return -ENOENT;
    if (size_t(argc) > argv.size() || !argv[0])
        return -EINVAL;
    platform::TLibHandle module = HookModule(argv[0]);
    if (!module)
        return -1;
    auto* entry = new (std::nothrow) TFrameHookEntry();
    if (!entry)
        return -ENOMEM;
    if (const int error = ConfigureEntry(*entry, module, argc, argv); error != 0) {
        delete entry;
        return error;
    }
    PFrameHookEntry* last = &AFirstHook;
    while (*last)
        last = &(*last)->next;
    *last = entry;
    return 0;
}

int AddFrameHook(std::shared_ptr<TFrameHookEntry>& AFirstHook, int argc, std::span<char* const> argv)
{
    PFrameHookEntry first = AFirstHook.get();
    const int result = AddFrameHook(first, argc, argv);
    if (first && !AFirstHook)
        AFirstHook.reset(first, [](TFrameHookEntry* AEntry) { ReleaseFrameHooks(AEntry); });
    return result;
}

void ProcessFrameHooks(const TFrameHookEntry* AFirstHook, TAVPicture* APicture, int APixFmt, int AWidth,
                       int AHeight, int64_t APTS)
{
    for (const TFrameHookEntry* entry = AFirstHook; entry; entry = entry->next)
        entry->Process(entry->ctx, APicture, APixFmt, AWidth, AHeight, APTS);
}

void ReleaseFrameHooks(PFrameHookEntry& AFirstHook)
{
    PFrameHookEntry entry = std::exchange(AFirstHook, nullptr);
    while (entry) {
        if (entry->Release)
            entry->Release(entry->ctx);
        delete std::exchange(entry, entry->next);
    }
}

void ReleaseFrameHooks(std::shared_ptr<TFrameHookEntry>& AFirstHook)
{
    AFirstHook.reset();
}

int FrameHookModuleCount()
{
    TModuleList& modules = Modules();
    std::lock_guard<std::mutex> guard(modules.Lock);
    return int(modules.Items.size());
}

} // namespace engine
