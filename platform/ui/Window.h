#pragma once
// Windows: handles with a window procedure, a parent or an owner, bounds,
// z-order, visibility, enabled state, an optional region and a non-client
// area. The functions behave like the desktop window system this program was
// written for, so that message order and numbers hold unchanged. All of them
// belong to the GUI thread, except SendMessage and PostMessage
// (MessageLoop.h), which any thread may call.

#include "platform/gfx/GdiTypes.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UiGeometry.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {

struct HWND__;
using HWND = HWND__*;
using DWORD = uint32_t;
using HCURSOR = intptr_t;

using TWndProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Window styles
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_MDICHILD = 0x00000040;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;
constexpr DWORD WS_EX_LAYERED = 0x00080000;
constexpr DWORD WS_EX_NOACTIVATE = 0x08000000;

// Class styles
constexpr DWORD CS_VREDRAW = 0x0001;
constexpr DWORD CS_HREDRAW = 0x0002;
constexpr DWORD CS_DBLCLKS = 0x0008;
constexpr DWORD CS_SAVEBITS = 0x0800;
constexpr DWORD CS_DROPSHADOW = 0x00020000;

// GetWindowLong / SetWindowLong / GetClassLong
constexpr int GWL_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWLP_USERDATA = -21;
constexpr int GCL_STYLE = -26;

// ShowWindow
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// SetWindowPos
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOCOPYBITS = 0x0100;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
constexpr UINT SWP_NOSENDCHANGING = 0x0400;
constexpr UINT SWP_NOCLIENTSIZE = 0x0800;   // in WM_WINDOWPOSCHANGED: the client size stayed
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;   // in WM_WINDOWPOSCHANGED: the client origin stayed

inline const HWND HWND_TOP = reinterpret_cast<HWND>(0);
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);

// GetWindow / GetAncestor
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;
constexpr UINT GA_PARENT = 1;
constexpr UINT GA_ROOT = 2;
constexpr UINT GA_ROOTOWNER = 3;

// Layered windows
constexpr DWORD LWA_COLORKEY = 0x1;
constexpr DWORD LWA_ALPHA = 0x2;

struct TWindowPos {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

// WM_NCCALCSIZE with wParam true: rgrc[0] holds the new window rectangle (in
// parent coordinates) and must be turned into the new client rectangle.
struct TNCCalcSizeParams {
    TRect rgrc[3];
    TWindowPos* lppos = nullptr;
};

struct TMinMaxInfo {
    TPoint ptReserved;
    TPoint ptMaxSize;
    TPoint ptMaxPosition;
    TPoint ptMinTrackSize;
    TPoint ptMaxTrackSize;
};

// lParam of WM_NCCREATE and WM_CREATE
struct TCreateStruct {
    void* lpCreateParams = nullptr;
    HWND hwndParent = nullptr;
    intptr_t id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string name;
    std::string className;
};

struct TWndClass {
    std::string ClassName;
    DWORD Style = 0;
    TWndProc WndProc;            // empty: DefWindowProc
    HCURSOR Cursor = 0;          // 0: the arrow
    int64_t Background = -1;     // 0x00BBGGRR filled by WM_ERASEBKGND; -1 none
};

bool RegisterClass(const TWndClass& AClass);
bool GetClassInfo(const std::string& AClassName, TWndClass& AClass);

// AParent is the parent of a WS_CHILD window and the owner of any other.
HWND CreateWindowEx(DWORD AExStyle, const std::string& AClassName, const std::string& AText, DWORD AStyle,
                    int X, int Y, int AWidth, int AHeight, HWND AParent, intptr_t AId = 0, void* AParam = nullptr);
bool DestroyWindow(HWND AWnd);
bool IsWindow(HWND AWnd);

LRESULT DefWindowProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L);
// Subclassing: the new procedure replaces the window's and the previous one
// comes back, to be called through CallWindowProc.
TWndProc GetWindowProc(HWND AWnd);
TWndProc SetWindowProc(HWND AWnd, TWndProc AProc);
LRESULT CallWindowProc(const TWndProc& AProc, HWND AWnd, UINT AMsg, WPARAM W, LPARAM L);

intptr_t GetWindowLong(HWND AWnd, int AIndex);
intptr_t SetWindowLong(HWND AWnd, int AIndex, intptr_t AValue);
intptr_t GetClassLong(HWND AWnd, int AIndex);
intptr_t SetClassLong(HWND AWnd, int AIndex, intptr_t AValue);
std::string GetClassName(HWND AWnd);
void SetProp(HWND AWnd, const std::string& AName, intptr_t AValue);
intptr_t GetProp(HWND AWnd, const std::string& AName);
void RemoveProp(HWND AWnd, const std::string& AName);

std::string GetWindowText(HWND AWnd);
bool SetWindowText(HWND AWnd, const std::string& AText);

// Tree and z-order. Children and top-level windows are listed top first.
HWND GetParent(HWND AWnd);           // the parent of a child, the owner of a popup
HWND GetAncestor(HWND AWnd, UINT AFlags);
HWND GetWindow(HWND AWnd, UINT ACmd);
HWND SetParent(HWND AWnd, HWND ANewParent);
std::vector<HWND> GetChildWindows(HWND AWnd);   // 0: the top-level windows
bool IsChild(HWND AParent, HWND AWnd);
HWND GetDesktopWindow();

bool IsWindowVisible(HWND AWnd);   // it and all its ancestors
bool IsWindowEnabled(HWND AWnd);
bool EnableWindow(HWND AWnd, bool AEnable);   // answers whether it was disabled
bool IsIconic(HWND AWnd);
bool IsZoomed(HWND AWnd);

// Geometry. The window rectangle is in screen coordinates; the client
// rectangle starts at (0, 0).
bool GetWindowRect(HWND AWnd, TRect& ARect);
bool GetClientRect(HWND AWnd, TRect& ARect);
TPoint ClientToScreen(HWND AWnd, TPoint P);
TPoint ScreenToClient(HWND AWnd, TPoint P);
TRect MapWindowRect(HWND AFrom, HWND ATo, TRect R);
bool MoveWindow(HWND AWnd, int X, int Y, int AWidth, int AHeight, bool ARepaint = true);
bool SetWindowPos(HWND AWnd, HWND AInsertAfter, int X, int Y, int CX, int CY, UINT AFlags);
bool ShowWindow(HWND AWnd, int ACmdShow);   // answers whether it was visible
bool BringWindowToTop(HWND AWnd);
// The window owns ARegion afterwards (window coordinates; nil: no region).
bool SetWindowRgn(HWND AWnd, HRGN ARegion, bool ARedraw);
// Copies the window's region into ARegion; ERROR when it has none.
int GetWindowRgn(HWND AWnd, HRGN ARegion);
// Asks the desktop to blur what lies behind the part ARegion (window
// coordinates; the caller keeps it, nil: the whole window) of a top-level
// window, or no longer to. A compositing manager that knows the request
// blurs; elsewhere nothing shows of it.
bool SetWindowBlurBehind(HWND AWnd, bool AEnable, HRGN ARegion);
// Whether the window asks for blur; its part is copied into ARegion when
// given (a window asking for all of itself copies its rectangle).
bool GetWindowBlurBehind(HWND AWnd, HRGN ARegion);
// The rectangle a maximised window takes and the one it returns to.
bool GetRestoreBounds(HWND AWnd, TRect& ARect);

// Focus, activation, capture
HWND SetFocus(HWND AWnd);
HWND GetFocus();
HWND SetActiveWindow(HWND AWnd);
HWND GetActiveWindow();
bool SetForegroundWindow(HWND AWnd);
HWND GetForegroundWindow();
HWND SetCapture(HWND AWnd);
HWND GetCapture();
bool ReleaseCapture();
// A popup (a menu, a picture grid) takes the pointer while it is open: on a
// display the program then hears of presses anywhere on the screen. A press
// that lands on no window of the program is given to the grabbing popup as
// WM_CANCELMODE, so the popup closes on a click outside. Capture set on a
// top-level popup takes the pointer too. AWnd 0 releases the grab.
HWND SetPopupGrab(HWND AWnd);
HWND GetPopupGrab();

// Hit tests in screen coordinates: the deepest visible, enabled window.
HWND WindowFromPoint(TPoint AScreen);
HWND ChildWindowFromPoint(HWND AParent, TPoint AClient);

// Layered windows: constant alpha (0..255) and colour key.
bool SetLayeredWindowAttributes(HWND AWnd, uint32_t AKey, uint8_t AAlpha, DWORD AFlags);
bool GetLayeredWindowAttributes(HWND AWnd, uint32_t* AKey, uint8_t* AAlpha, DWORD* AFlags);

// Screen
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXSIZE = 30;
constexpr int SM_CYSIZE = 31;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
int GetSystemMetrics(int AIndex);
TRect GetScreenRect();
TRect GetWorkArea();
uint32_t GetDoubleClickTime();
bool MessageBeep(UINT AType);

// A real native window inside a window, for a library that must draw into a
// window of its own (the player's video output). 0 when the presenter has no
// native windows (headless).
uintptr_t GetNativeChildWindow(HWND AWnd);
void ReleaseNativeChildWindow(HWND AWnd);
// The window a native child window was made for; nullptr for any other id.
HWND WindowOfNativeChild(uintptr_t AId);

} // namespace platform
