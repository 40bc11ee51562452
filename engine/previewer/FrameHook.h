#pragma once
// External picture filters ("frame hooks") loaded from shared libraries.
//
// A hook library exports three C functions:
//   int  Configure(void** ctx, int argc, char* argv[], int argvHigh);
//   void Process(void* ctx, TAVPicture* picture, int pixFmt, int width, int height, int64_t pts);
//   void Release(void* ctx);
// "Process" is required; "Configure" is required only when arguments follow
// the library's name; "Release" is optional. argv[0] is the library's file
// name and argvHigh the highest index of the caller's argument array.
// Configure answers 0 when it accepts its arguments. "Process" may change
// the picture in place.
//
// A job keeps its hooks in a chain, in the order they were added. Libraries
// are loaded once per file name and stay loaded for the life of the process.

#include "engine/loader/FFUtils.h"

#include <cstdint>
#include <memory>
#include <span>

namespace engine {

extern "C" {
using TFrameHookConfigureFn = int (*)(void** ctx, int argc, char* argv[], int argvHigh);
using TFrameHookProcessFn = void (*)(void* ctx, TAVPicture* picture, int pixFmt, int width, int height, int64_t pts);
using TFrameHookReleaseFn = void (*)(void* ctx);
}

struct TFrameHookEntry {
    TFrameHookEntry* next = nullptr;
    TFrameHookConfigureFn Configure = nullptr;
    TFrameHookProcessFn Process = nullptr; // never nil in a chained entry
    TFrameHookReleaseFn Release = nullptr;
    void* ctx = nullptr;                   // the hook's own, written by Configure
};
using PFrameHookEntry = TFrameHookEntry*;

// Loads (or reuses) the library argv[0], configures a new hook with the
// first argc strings of argv and appends it to the chain. Answers 0, or
// -1 (library not loaded), -2 (no arguments, missing entry point),
// -12 (out of memory), -22 (Configure refused, or argc larger than argv).
// Failures are logged at the error level; a refused entry is freed.
int AddFrameHook(PFrameHookEntry& AFirstHook, int argc, std::span<char* const> argv);
// The same for a chain held by a shared pointer: the first entry made
// creates the pointer, whose deleter releases the whole chain.
int AddFrameHook(std::shared_ptr<TFrameHookEntry>& AFirstHook, int argc, std::span<char* const> argv);

// Calls "Process" of every hook in chain order with the same picture.
void ProcessFrameHooks(const TFrameHookEntry* AFirstHook, TAVPicture* APicture, int APixFmt, int AWidth,
                       int AHeight, int64_t APTS);

// Calls "Release" of every hook that has one, frees every entry and
// empties the chain.
void ReleaseFrameHooks(PFrameHookEntry& AFirstHook);
void ReleaseFrameHooks(std::shared_ptr<TFrameHookEntry>& AFirstHook);

// How many hook libraries the process has loaded (tests).
int FrameHookModuleCount();

} // namespace engine
