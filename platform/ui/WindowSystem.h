#pragma once
// Private state of the window system, shared by its source files.

#include "platform/ui/Backend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/gfx/Gdi.h"
#include "platform/ui/Window.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::detail {

struct TWindowData {
    HWND Handle = nullptr;
    std::shared_ptr<const TWndClass> Class;
    std::shared_ptr<const TWndProc> Proc;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    intptr_t Id = 0;
    intptr_t UserData = 0;
    HWND Parent = nullptr;          // WS_CHILD windows
    HWND Owner = nullptr;           // top-level windows
    std::vector<HWND> Children;     // top first
    TRect Rect;                     // parent client coordinates (screen for top-level windows)
    TRect Client;                   // window coordinates
    std::string Text;
    std::map<std::string, intptr_t> Props;
    HRGN Region = nullptr;          // window coordinates; owned once given
    bool BlurBehind = false;        // the desktop is asked to blur behind BlurRegion
    HRGN BlurRegion = nullptr;      // window coordinates, owned; nil: the whole window
    HRGN Update = nullptr;          // client coordinates; owned
    std::vector<uint32_t> Buffer;   // top-level windows: the back buffer, one pixel per window pixel
    int BufferWidth = 0;
    int BufferHeight = 0;
    bool BufferMade = false;        // at the first drawing (SurfaceOf)
    bool PerPixelAlpha = false;     // the buffer's alpha bytes shape the window (layered windows)
    bool EraseNeeded = false;
    bool NCPaintNeeded = false;
    bool Destroying = false;
    bool Redraw = true;             // WM_SETREDRAW
    TRect RestoreRect;              // the normal bounds of a minimised or maximised window
    bool HasRestoreRect = false;
    bool StateChanged = false;      // minimised, maximised or restored: WM_SIZE tells it
    uint32_t LayeredKey = 0;
    uint8_t LayeredAlpha = 255;
    DWORD LayeredFlags = 0;
    uintptr_t NativeChild = 0;
    bool ShadowShown = false;       // the presenter shows its drop shadow (DropShadow.h)
    TRect ShadowBounds;             // screen coordinates, while shown
    bool IsTopLevel() const { return !(Style & WS_CHILD); }
    TWindowData() = default;
    TWindowData(const TWindowData&) = delete;
    TWindowData& operator=(const TWindowData&) = delete;
    ~TWindowData();
};

struct TWindowSystem {
    std::unordered_map<HWND, std::unique_ptr<TWindowData>> Windows;
    uintptr_t NextHandle = 0x10000;
    std::vector<HWND> TopLevels;    // top first
    std::map<std::string, std::shared_ptr<const TWndClass>> Classes;   // upper-case names
    HWND Focus = nullptr;
    HWND Active = nullptr;
    HWND Capture = nullptr;
    HWND PopupGrab = nullptr;
    std::unique_ptr<TWindowBackend> BackendPtr;
};

TWindowSystem& WS();
TWindowData* Find(HWND AWnd);
// Calls the window procedure on the GUI thread; 0 for a window that is gone.
LRESULT Send(HWND AWnd, UINT AMsg, WPARAM W = 0, LPARAM L = 0);
// The origin of a window's client area and window rectangle, in screen coordinates.
TPoint ClientOriginOnScreen(const TWindowData* W);
TPoint WindowOriginOnScreen(const TWindowData* W);
// The top-level window holding W, and W's window rectangle in its coordinates.
TWindowData* TopLevelOf(TWindowData* W);
TRect RectInTopLevel(const TWindowData* W);
bool IsVisibleChain(const TWindowData* W);
std::vector<HWND>& SiblingList(TWindowData* W);
void Activate(HWND AWnd, bool AClick);
void ActivateOtherWindow(HWND AGoing);
void RemoveWindowTimers(HWND AWnd);
void ForgetPaint(HWND AWnd);
void InvalidateWindowArea(TWindowData* W, bool AChildren);   // whole window, frame and client
void InvalidateParentArea(TWindowData* W, const TRect& AInParent);
void SyncNativeChildren(TWindowData* ATop);
// Shows, moves or hides a top-level window's drop shadow as its class, state
// and bounds now ask.
void SyncDropShadow(TWindowData* W);
// The frame DefWindowProc gives a style: insets of the client area.
TRect FrameInsets(DWORD AStyle, DWORD AExStyle);
void RunMoveSizeLoop(HWND AWnd, WPARAM ACommand);
// Regions
bool RgnIsEmpty(HRGN ARegion);
TRect RgnBox(HRGN ARegion);
void RgnAddRect(HRGN& ARegion, const TRect& R);
// What of W can be seen inside its top-level window, in top-level coordinates:
// the window (AClientOnly: its client area) cut by its ancestors, their and
// its regions, siblings above that clip, and (AClipChildren) its children.
HRGN VisibleRegion(TWindowData* W, bool AClientOnly, bool AClipChildren);
// The back buffer follows its window's size once made; SurfaceOf makes it.
void ResizeBackBuffer(TWindowData* ATop);
TPixelSurface SurfaceOf(TWindowData* ATop);
// The first window, in tree order, that waits for WM_PAINT.
HWND NextWindowToPaint();
void AddPresentDirty(HWND ATopLevel, const TRect& AInWindow);
void EnsureInitialized();
// Input that arrived, turned into its message; false when none waits.
bool NextInputMessage(TMsg& AMsg);
bool InputWaiting();
void NoteMessageRetrieved(const TMsg& AMsg);

} // namespace platform::detail
