#include "engine/loader/FFmpegLoader.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVDeviceStubs.h"
#include "engine/loader/AVFilterStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/MyUtilStubs.h"
#include "engine/loader/SwResampleStubs.h"
#include "engine/loader/SwScaleStubs.h"
#include "engine/loader/libsdl.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

#include <cfenv>
#include <mutex>

namespace engine {
namespace {

const TLibraryItem LibraryTable[LibraryCount] = {
    {myUtil, "c", 6, MyUtilFixup, MyUtilUnfix},
    {avUtil, "avutil", 57, AVUtilFixup, AVUtilUnfix},
    {swResample, "swresample", 4, SwResampleFixup, SwResampleUnfix},
    {swScale, "swscale", 6, SwScaleFixup, SwScaleUnfix},
    {avCodec, "avcodec", 59, AVCodecFixup, AVCodecUnfix},
    {avFormat, "avformat", 59, AVFormatFixup, AVFormatUnfix},
    {avFilter, "avfilter", 8, AVFilterFixup, AVFilterUnfix},
    {avDevice, "avdevice", 59, AVDeviceFixup, AVDeviceUnfix},
    {lbSDL, "SDL-1.2", 0, SDLFixup, SDLUnfix},
};

struct TLibraryStatus {
    platform::TLibHandle Handle = nullptr;
    bool Fixuped = false;
    int Uses = 0;
};

// Load and Unload come from the GUI thread, Loaded also from workers; the
// lock keeps their view of the table whole.
struct TLoaderState {
    std::recursive_mutex Lock;
    TLibraryStatus Status[LibraryCount];
    std::string LastErrMsg;
    TPathFileName LibraryPath;
};

TLoaderState& State()
{
    static TLoaderState s;
    return s;
}

// All floating-point exceptions stay masked while the engine runs, so
// faults in the libraries' arithmetic give infinities and NaNs; rounding and
// precision are left as they are. The previous environment returns at exit.
struct TFloatEnvironment {
    std::fenv_t Saved;
    TFloatEnvironment() { std::feholdexcept(&Saved); }
    ~TFloatEnvironment() { std::fesetenv(&Saved); }
} FloatEnvironment;

} // namespace

TFFmpegLoader& GlobalLoader()
{
    static TFFmpegLoader loader;
    return loader;
}

platform::TCriticalSection& CodecLock()
{
    static platform::TCriticalSection lock;
    return lock;
}

const TLibraryItem& TFFmpegLoader::LibraryItem(TLibrary ALibrary)
{
    return LibraryTable[ALibrary];
}

TPathFileName TFFmpegLoader::LibraryFileName(TLibrary ALibrary)
{
    const TLibraryItem& item = LibraryTable[ALibrary];
    std::string name = std::string("lib") + item.Name + ".so";
    if (item.Version >= 0)
        name += "." + std::to_string(item.Version);
    return name;
}

std::string TFFmpegLoader::LastErrMsg() const
{
    std::lock_guard<std::recursive_mutex> guard(State().Lock);
    return State().LastErrMsg;
}

TPathFileName TFFmpegLoader::LibraryPath() const
{
    std::lock_guard<std::recursive_mutex> guard(State().Lock);
    return State().LibraryPath;
}

void TFFmpegLoader::SetLibraryPath(const TPathFileName& AValue)
{
    std::lock_guard<std::recursive_mutex> guard(State().Lock);
    State().LibraryPath = AValue;
}

bool TFFmpegLoader::Loaded(TLibrary ALibrary) const
{
    std::lock_guard<std::recursive_mutex> guard(State().Lock);
    const TLibraryStatus& st = State().Status[ALibrary];
    return st.Handle && st.Fixuped;
}

bool TFFmpegLoader::Loaded(TLibraries ALibraries) const
{
    ZASSERT(!ALibraries.Empty());
    for (int i = 0; i < LibraryCount; ++i)
        if (ALibraries.Contains(TLibrary(i)) && !Loaded(TLibrary(i)))
            return false;
    return true;
}

int TFFmpegLoader::UseCount(TLibrary ALibrary) const
{
    std::lock_guard<std::recursive_mutex> guard(State().Lock);
    return State().Status[ALibrary].Uses;
}

bool TFFmpegLoader::LoadOne(TLibrary ALibrary, bool& ANewlyLoaded)
{
    TLoaderState& s = State();
    TLibraryStatus& st = s.Status[ALibrary];
    const TPathFileName fileName = LibraryFileName(ALibrary);
    ANewlyLoaded = !(st.Handle && st.Fixuped);
    if (!st.Handle) {
        const std::string dir =
            s.LibraryPath.empty() ? std::string() : platform::IncludeTrailingPathDelimiter(s.LibraryPath);
        std::string error;
        platform::TLibHandle h = LoadLibraryWithPath(dir, fileName, error);
        if (!h) {
            s.LastErrMsg = platform::Format("Load library %s error: %s", dir + fileName, error);
            return false;
        }
        st.Handle = h;
    }
    if (!st.Fixuped) {
        try {
            LibraryTable[ALibrary].Fixup(fileName, st.Handle);
            st.Fixuped = true;
        } catch (const platform::Exception& e) {
            s.LastErrMsg = e.Message();
        }
    }
    if (!st.Fixuped)
        UnloadOne(ALibrary);
    return st.Fixuped;
}

void TFFmpegLoader::UnloadOne(TLibrary ALibrary)
{
    TLibraryStatus& st = State().Status[ALibrary];
    if (st.Fixuped) {
        LibraryTable[ALibrary].Unfix();
        st.Fixuped = false;
    }
    if (st.Handle) {
        platform::FreeLibrary(st.Handle);
        st.Handle = nullptr;
    }
    st.Uses = 0;
}

// Runs on every successful load, also of a library loaded before, so the
// log callback is installed again with the current level.
void TFFmpegLoader::AfterLoad(TLibrary ALibrary)
{
    if (ALibrary == avUtil && FInstallLogger)
        GetFFLogger()->InstallAVLogCallback({ff::av_log_set_callback, &ff::av_log_set_level});
}

bool TFFmpegLoader::Load(TLibrary ALibrary)
{
    {
        std::lock_guard<std::recursive_mutex> guard(State().Lock);
        bool newlyLoaded = false;
        if (!LoadOne(ALibrary, newlyLoaded))
            return false;
        ++State().Status[ALibrary].Uses;
    }
    AfterLoad(ALibrary);
    return true;
}

bool TFFmpegLoader::Load(TLibraries ALibraries)
{
    ZASSERT(!ALibraries.Empty());
    {
        std::lock_guard<std::recursive_mutex> guard(State().Lock);
        TLibraries loadedHere;
        for (int i = 0; i < LibraryCount; ++i) {
            if (!ALibraries.Contains(TLibrary(i)))
                continue;
            bool newlyLoaded = false;
            if (!LoadOne(TLibrary(i), newlyLoaded)) {
                // Roll back only what this call loaded: libraries that other
                // components hold stay bound for them.
                for (int j = LibraryCount - 1; j >= 0; --j)
                    if (loadedHere.Contains(TLibrary(j)))
                        UnloadOne(TLibrary(j));
                return false;
            }
            if (newlyLoaded)
                loadedHere.Bits |= uint16_t(1u << i);
        }
        for (int i = 0; i < LibraryCount; ++i)
            if (ALibraries.Contains(TLibrary(i)))
                ++State().Status[i].Uses;
    }
    for (int i = 0; i < LibraryCount; ++i)
        if (ALibraries.Contains(TLibrary(i)))
            AfterLoad(TLibrary(i));
    return true;
}

void TFFmpegLoader::Unload(TLibrary ALibrary)
{
    std::lock_guard<std::recursive_mutex> guard(State().Lock);
    TLibraryStatus& st = State().Status[ALibrary];
    if (st.Uses > 1) {
        --st.Uses;
        return;
    }
    UnloadOne(ALibrary);
}

void TFFmpegLoader::Unload(TLibraries ALibraries)
{
    ZASSERT(!ALibraries.Empty());
    // Dependents first, so a library is never freed under one that imports it.
    for (int i = LibraryCount - 1; i >= 0; --i)
        if (ALibraries.Contains(TLibrary(i)))
            Unload(TLibrary(i));
}

} // namespace engine
