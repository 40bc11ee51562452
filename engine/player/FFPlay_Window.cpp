// The player's host window: the caller's window whose native child SDL
// draws into. Embedded that way SDL takes none of the window's events, so
// the window's own messages stand in for them: a paint shows the picture on
// screen again, a new size resizes the surface, a click focuses the window.
// Only one player is embedded at a time.

#include "engine/player/FFPlay.h"

#include "engine/loader/libsdl.h"
#include "platform/core/MainThread.h"
#include "platform/ui/Window.h"

namespace engine {

using namespace platform;

LRESULT ScreenWndProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L);

namespace {

struct TScreenSubclass {
    HWND Window = nullptr;
    TWndProc Previous;
    TCustomPlayer* Player = nullptr;
};

// Window procedures run on the GUI thread only, so does every use of this.
TScreenSubclass& Subclass()
{
    static TScreenSubclass record;
    return record;
}

// A type of its own, so that the window's procedure can be told to be ours.
struct TScreenProc {
    LRESULT operator()(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L) const { return ScreenWndProc(AWnd, AMsg, W, L); }
};

void PushEvent(SDL_Event& AEvent)
{
    if (sdl::SDL_PushEvent)
        sdl::SDL_PushEvent(&AEvent);
}

} // namespace

LRESULT ScreenWndProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    TScreenSubclass& sub = Subclass();
    if (AWnd != sub.Window)
        return DefWindowProc(AWnd, AMsg, W, L);
    // A copy: the previous procedure may unhook (a click that stops playback).
    const TWndProc previous = sub.Previous;
    TCustomPlayer* player = sub.Player;
    const bool playing = player && player->FVideoState.load() != nullptr;
    switch (AMsg) {
    case WM_CLOSE:
        return 0;
    case WM_PAINT:
        if (playing) {
            SDL_Event event{};
            event.type = SDL_VIDEOEXPOSE;
            PushEvent(event);
        }
        break;
    case WM_SIZE: {
        const int width = LOWORD(uintptr_t(L)), height = HIWORD(uintptr_t(L));
        if (playing && W != SIZE_MINIMIZED && width > 0 && height > 0) {
            SDL_Event event{};
            event.type = SDL_VIDEORESIZE;
            event.resize.w = width;
            event.resize.h = height;
            PushEvent(event);
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        SetFocus(AWnd);
        break;
    default:
        break;
    }
    return CallWindowProc(previous, AWnd, AMsg, W, L);
}

void TCustomPlayer::HookScreenWindow(unsigned long AScreenHandle)
{
    if (!IsMainThread())
        return;
    HWND window = WindowOfNativeChild(AScreenHandle);
    if (!window)
        return;
    TScreenSubclass& sub = Subclass();
    if (sub.Window && sub.Window != window)
        sub.Player->UnhookScreenWindow();
    if (sub.Window == window) {
        sub.Player = this;
        return;
    }
    sub.Window = window;
    sub.Player = this;
    sub.Previous = SetWindowProc(window, TScreenProc());
}

void TCustomPlayer::UnhookScreenWindow()
{
    TScreenSubclass& sub = Subclass();
    if (sub.Player != this || !IsMainThread())
        return;
    // Put the previous procedure back only while ours is still the window's:
    // one installed over it since keeps calling ours, which then passes on.
    const TWndProc current = GetWindowProc(sub.Window);
    if (current.target<TScreenProc>())
        SetWindowProc(sub.Window, sub.Previous);
    else if (current)
        return void(sub.Player = nullptr);
    sub = TScreenSubclass();
}

} // namespace engine
