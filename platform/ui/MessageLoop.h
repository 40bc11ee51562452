#pragma once
// Messages between windows: sent (the procedure runs at once, on the GUI
// thread) and posted (queued for the loop), the loop itself, WM_QUIT and
// timers. The loop also serves the calls other threads hand to the GUI thread
// (Synchronize, Queue), so a worker waiting for the GUI thread is always
// served while the loop runs.

#include "platform/ui/Window.h"

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

struct TMsg {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    uint32_t time = 0;
    TPoint pt;
    // Key downs: the text the key typed, turned into WM_CHAR by TranslateMessage.
    char16_t Text[4] = {};
    uint8_t TextLen = 0;
};

// From another thread SendMessage waits until the GUI thread ran the
// procedure (the GUI thread serves it from its loop and from its waits).
LRESULT SendMessage(HWND AWnd, UINT AMsg, WPARAM W = 0, LPARAM L = 0);
// Any thread. AWnd 0 posts to the GUI thread's own queue. False for a
// window that does not exist.
bool PostMessage(HWND AWnd, UINT AMsg, WPARAM W = 0, LPARAM L = 0);
void PostQuitMessage(int AExitCode);
// A message number of its own for AName, the same for every caller that
// asks by that name (from 0xC000 on).
UINT RegisterWindowMessage(const std::string& AName);

// Retrieval order: posted messages, WM_QUIT, input, WM_PAINT, WM_TIMER.
// GetMessage waits and answers false for WM_QUIT.
bool GetMessage(TMsg& AMsg);
constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;
bool PeekMessage(TMsg& AMsg, UINT ARemove = PM_REMOVE);
void WaitMessage();
bool TranslateMessage(const TMsg& AMsg);
LRESULT DispatchMessage(const TMsg& AMsg);
uint32_t GetMessageTime();
TPoint GetMessagePos();

// Handled by the loop's own pump (ProcessOneMessage of platform/core): the
// loop above it learns of a WM_QUIT it consumed here.
bool QuitReceived(int* AExitCode = nullptr);
void ResetQuit();

using TTimerProc = std::function<void(HWND, UINT, uintptr_t, uint32_t)>;
// A window timer by id; AWnd 0 makes a new id and calls AProc. Setting an
// existing timer again restarts it with the new interval.
uintptr_t SetTimer(HWND AWnd, uintptr_t AId, uint32_t AIntervalMs, TTimerProc AProc = nullptr);
bool KillTimer(HWND AWnd, uintptr_t AId);

// Milliseconds of the window system's clock (timers, double clicks, message
// times). Tests drive timers with a clock of their own.
uint64_t WindowClock();
void SetWindowClockForTesting(std::function<uint64_t()> AClock);

// Shows what was painted since the last call on the presenter. The loop does
// it whenever it runs out of messages.
void FlushPresentation();

} // namespace platform
