#pragma once
// Entry points of libSDL-1.2.so.0.
// To bind one more export, add one line F(name) (a function) or V(name) (a
// data object) to the list; engine code then calls sdl::name.

#include "engine/base/FFHeaders.h"
#include "engine/loader/StubUnit.h"

#define ZARVELO_SDL_EXPORTS(F, V) \
    F(SDL_Init) F(SDL_InitSubSystem) F(SDL_QuitSubSystem) F(SDL_WasInit) F(SDL_Quit) F(SDL_GetError) \
    F(SDL_AddTimer) F(SDL_RemoveTimer) F(SDL_GetTicks) F(SDL_Delay) \
    F(SDL_OpenAudio) F(SDL_PauseAudio) F(SDL_CloseAudio) F(SDL_MixAudio) F(SDL_LockAudio) \
    F(SDL_UnlockAudio) F(SDL_AudioDriverName) \
    F(SDL_WaitEvent) F(SDL_PollEvent) F(SDL_PushEvent) F(SDL_EventState) \
    F(SDL_GetVideoInfo) F(SDL_SetVideoMode) F(SDL_UpdateRect) F(SDL_WM_SetCaption) F(SDL_MapRGB) \
    F(SDL_FillRect) F(SDL_VideoDriverName) \
    F(SDL_CreateYUVOverlay) F(SDL_LockYUVOverlay) F(SDL_UnlockYUVOverlay) F(SDL_DisplayYUVOverlay) \
    F(SDL_FreeYUVOverlay) \
    F(SDL_CreateMutex) F(SDL_mutexP) F(SDL_mutexV) F(SDL_DestroyMutex) F(SDL_CreateCond) \
    F(SDL_DestroyCond) F(SDL_CondSignal) F(SDL_CondBroadcast) F(SDL_CondWait) F(SDL_CondWaitTimeout) \
    F(SDL_CreateThread) F(SDL_WaitThread)

namespace sdl {
ZARVELO_DECLARE_ENTRIES(ZARVELO_SDL_EXPORTS)
} // namespace sdl

ZARVELO_DECLARE_STUB_UNIT(SDL)
