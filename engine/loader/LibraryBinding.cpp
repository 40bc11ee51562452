#include "engine/loader/LibraryBinding.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <dlfcn.h>

namespace engine {
namespace {

void* BindExport(const char* AKind, const TPathFileName& ALibName, platform::TLibHandle AHandle,
                 const char* AName, bool AOptional)
{
    std::string error;
    void* p = platform::GetProcAddress(AHandle, AName, &error);
    if (!p && !AOptional)
        throw platform::Exception(platform::Format("Load %s %s@%s error: %s", AKind, AName, ALibName, error));
    return p;
}

// The library folder goes in front of the search path once, so that
// programs the process starts find the same libraries.
void AddToSearchPath(const std::string& ADir)
{
    const std::string path = platform::GetEnvironmentVariable("PATH");
    if (platform::LowerCase(path).find(platform::LowerCase(ADir)) != std::string::npos)
        return;
    platform::SetEnvironmentVariable("PATH", path.empty() ? ADir : ADir + ":" + path);
}

} // namespace

platform::TLibHandle LoadLibraryWithPath(const TPathFileName& ADir, const TPathFileName& AFileName,
                                         std::string& AErrorText)
{
    // dlopen searches neither the current folder nor PATH for the libraries
    // a library imports; the loader loads the folder's libraries in
    // dependency order instead. The current folder stays as it is: other
    // threads may be resolving relative names.
    std::string path = AFileName;
    if (!ADir.empty()) {
        const std::string dir = platform::IncludeTrailingPathDelimiter(ADir);
        const std::string full = dir + AFileName;
        if (platform::FileExists(full)) {
            AddToSearchPath(dir);
            path = full;
        }
    }
    platform::TLibHandle h = platform::LoadLibrary(path, &AErrorText);
    if (h) {
        // The media libraries keep allocations and exit handlers that point
        // into their images; unmapping them on unload would leave those
        // dangling. Unloading unbinds and releases the handle, and the image
        // stays mapped for a later load.
        if (void* pin = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE))
            dlclose(pin);
    }
    return h;
}

void* BindExportFunction(const TPathFileName& ALibName, platform::TLibHandle AHandle, const char* AName,
                         bool AOptional)
{
    return BindExport("function", ALibName, AHandle, AName, AOptional);
}

void* BindExportVariable(const TPathFileName& ALibName, platform::TLibHandle AHandle, const char* AName,
                         bool AOptional)
{
    return BindExport("variable", ALibName, AHandle, AName, AOptional);
}

} // namespace engine
