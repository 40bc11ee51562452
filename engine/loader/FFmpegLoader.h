#pragma once
// Loads the FFmpeg, SDL and C runtime libraries at run time and binds their
// exports into the entry-point variables (namespaces ff, sdl and crt). One
// loader state serves the whole process; components load and test a fixed
// set of libraries through GlobalLoader.

#include "engine/loader/LibraryBinding.h"
#include "platform/core/SyncObjs.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace engine {

// In dependency order, which is the order of every loop over a set: a
// library loaded from the library folder then finds the siblings it imports
// already loaded from that folder.
enum TLibrary {
    myUtil,      // the C runtime
    avUtil,
    swResample,
    swScale,
    avCodec,
    avFormat,
    avFilter,
    avDevice,
    lbSDL,
};
constexpr int LibraryCount = lbSDL + 1;

// A set of libraries, bit n for ordinal n.
struct TLibraries {
    uint16_t Bits = 0;
    constexpr TLibraries() = default;
    constexpr TLibraries(std::initializer_list<TLibrary> ALibs)
    {
        for (TLibrary L : ALibs)
            Bits |= uint16_t(1u << L);
    }
    constexpr bool Contains(TLibrary L) const { return Bits & (1u << L); }
    constexpr bool Empty() const { return Bits == 0; }
};

inline constexpr TLibraries ConverterLibraries{avCodec, avFilter, avFormat, avUtil, swScale, swResample, myUtil};
inline constexpr TLibraries ProbeLibraries{avCodec, avFormat, avUtil, swScale, myUtil};
inline constexpr TLibraries PlayerLibraries{avCodec, avFilter, avFormat, avUtil, swScale, swResample, myUtil,
                                            lbSDL};

using TFixupProc = void (*)(const TPathFileName& ALibName, platform::TLibHandle AHandle);
using TUnfixProc = void (*)();

struct TLibraryItem {
    TLibrary Lib;
    const char* Name;    // base name: lib<Name>.so.<Version>
    int Version;         // negative: the file name carries no version
    TFixupProc Fixup;
    TUnfixProc Unfix;
};

class TFFmpegLoader {
public:
    TFFmpegLoader() = default;

    // Loads and binds one library; True when it is loaded afterwards. Each
    // True answer counts one use of the library.
    bool Load(TLibrary ALibrary);
    // Loads every member in ascending order. On the first failure, the
    // members this call loaded are unloaded again (libraries that other
    // users hold stay) and the answer is False. Each True answer counts one
    // use of every member.
    bool Load(TLibraries ALibraries);
    bool Loaded(TLibrary ALibrary) const;
    bool Loaded(TLibraries ALibraries) const;
    // Gives up one use; a library is unbound and freed when nobody uses it.
    void Unload(TLibrary ALibrary);
    void Unload(TLibraries ALibraries);

    std::string LastErrMsg() const;
    TPathFileName LibraryPath() const;
    void SetLibraryPath(const TPathFileName& AValue);
    bool InstallLogger() const { return FInstallLogger; }
    void SetInstallLogger(bool AValue) { FInstallLogger = AValue; }

    // The file name a library is loaded by.
    static TPathFileName LibraryFileName(TLibrary ALibrary);
    static const TLibraryItem& LibraryItem(TLibrary ALibrary);
    // How many users hold the library (0 when not loaded).
    int UseCount(TLibrary ALibrary) const;

private:
    bool LoadOne(TLibrary ALibrary, bool& ANewlyLoaded);
    void UnloadOne(TLibrary ALibrary);
    void AfterLoad(TLibrary ALibrary);

    bool FInstallLogger = true;
};

TFFmpegLoader& GlobalLoader();
// Serialises opening and closing codecs across conversion, probing and
// playback. Never hold it across a wait for the GUI thread.
platform::TCriticalSection& CodecLock();

} // namespace engine
