#include "platform/core/DynLibs.h"

#include <dlfcn.h>
#include <mutex>

namespace platform {
namespace {
// dlerror() keeps one text per thread, but a load and the read of its text
// must not interleave with another load on the same thread's behalf.
std::mutex GDlLock;

std::string LastDlError()
{
    const char* e = dlerror();
    return e ? std::string(e) : std::string("unknown error");
}
} // namespace

TLibHandle LoadLibrary(const std::string& AFileName, std::string* AErrorText)
{
    std::lock_guard<std::mutex> guard(GDlLock);
    dlerror();
    void* h = dlopen(AFileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h && AErrorText)
        *AErrorText = LastDlError();
    return h;
}

void* GetProcAddress(TLibHandle AHandle, const std::string& AName, std::string* AErrorText)
{
    std::lock_guard<std::mutex> guard(GDlLock);
    dlerror();
    void* p = dlsym(AHandle, AName.c_str());
    if (!p && AErrorText)
        *AErrorText = LastDlError();
    return p;
}

void FreeLibrary(TLibHandle AHandle)
{
    if (AHandle)
        dlclose(AHandle);
}

} // namespace platform
