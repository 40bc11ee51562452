#include "platform/x11/X11Backend.h"

#include "platform/core/CodePage.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Gdi.h"
#include "platform/ui/DropShadow.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/x11/X11NotifyArea.h"
#include "platform/x11/X11WindowIdentity.h"
#include "platform/ui/UiGeometry.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace platform {
namespace {

// The rectangles a region is made of.
std::vector<TRect> RegionRects(HRGN ARegion)
{
    const DWORD size = GetRegionData(ARegion, 0, nullptr);
    if (size == 0)
        return {};
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(ARegion, size, data);
    const TRect* rects = reinterpret_cast<const TRect*>(data->Buffer);
    return std::vector<TRect>(rects, rects + data->rdh.nCount);
}

// X key symbols and the virtual keys they are.
struct TKeyMap {
    KeySym Sym;
    int Key;
};
const TKeyMap kKeys[] = {
    {XK_BackSpace, VK_BACK}, {XK_Tab, VK_TAB}, {XK_ISO_Left_Tab, VK_TAB}, {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN}, {XK_Escape, VK_ESCAPE}, {XK_space, VK_SPACE}, {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT}, {XK_End, VK_END}, {XK_Home, VK_HOME}, {XK_Left, VK_LEFT}, {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT}, {XK_Down, VK_DOWN}, {XK_Insert, VK_INSERT}, {XK_Delete, VK_DELETE},
    {XK_Shift_L, VK_SHIFT}, {XK_Shift_R, VK_SHIFT}, {XK_Control_L, VK_CONTROL}, {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU}, {XK_Alt_R, VK_MENU}, {XK_Meta_L, VK_MENU}, {XK_Meta_R, VK_MENU},
    {XK_Caps_Lock, VK_CAPITAL}, {XK_Pause, VK_PAUSE}, {XK_Menu, VK_APPS},
    {XK_semicolon, 0xBA}, {XK_equal, 0xBB}, {XK_comma, 0xBC}, {XK_minus, 0xBD}, {XK_period, 0xBE},
    {XK_slash, 0xBF}, {XK_grave, 0xC0}, {XK_bracketleft, 0xDB}, {XK_backslash, 0xDC},
    {XK_bracketright, 0xDD}, {XK_apostrophe, 0xDE},
};

int VirtualKeyOf(KeySym ASym)
{
    if (ASym >= XK_a && ASym <= XK_z)
        return int('A' + (ASym - XK_a));
    if (ASym >= XK_A && ASym <= XK_Z)
        return int('A' + (ASym - XK_A));
    if (ASym >= XK_0 && ASym <= XK_9)
        return int('0' + (ASym - XK_0));
    if (ASym >= XK_F1 && ASym <= XK_F12)
        return VK_F1 + int(ASym - XK_F1);
    for (const TKeyMap& k : kKeys)
        if (k.Sym == ASym)
            return k.Key;
    return 0;
}

struct TCursorMap {
    TCursorShape Shape;
    unsigned Font;
};
const TCursorMap kCursors[] = {
    {TCursorShape::crDefault, XC_left_ptr}, {TCursorShape::crArrow, XC_left_ptr}, {TCursorShape::crIBeam, XC_xterm},
    {TCursorShape::crWait, XC_watch}, {TCursorShape::crCross, XC_crosshair}, {TCursorShape::crSizeNWSE, XC_bottom_right_corner},
    {TCursorShape::crSizeNESW, XC_bottom_left_corner}, {TCursorShape::crSizeWE, XC_sb_h_double_arrow},
    {TCursorShape::crSizeNS, XC_sb_v_double_arrow}, {TCursorShape::crSizeAll, XC_fleur}, {TCursorShape::crHandPoint, XC_hand2},
    {TCursorShape::crNo, XC_X_cursor},
};

// Errors of calls on windows that just went away are not the program's concern.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

struct TTopWindow {
    Window Xid = 0;
    XIC InputContext = nullptr;
    bool Mapped = false;
    bool OverrideRedirect = false;
    bool KeptAbove = false; // _NET_WM_STATE_ABOVE asked for
    bool ClickThrough = false; // its input shape is empty
    // Shown through a 32-bit visual with alpha to a compositing manager;
    // such a window draws with a GC of its own depth.
    bool Argb = false;
    GC ArgbGC = nullptr;
    TRect Bounds;
    // The drop shadow's own window (0 until first shown): 32-bit, never
    // managed, shaped to its band and transparent to the pointer.
    Window ShadowXid = 0;
    GC ShadowGC = nullptr;
    bool ShadowMapped = false;
    TRect ShadowBounds;
    // Minimised as far as the desktop has told (or been asked); and while
    // a request of the program's own has not yet come back from the
    // window manager, what it asked for: reports of the old state that were
    // on their way before it are not followed.
    bool DesktopIconic = false;
    bool Asking = false;
    bool AskedIconic = false;
};

} // namespace

struct TX11Backend::TImpl {
    Display* Dpy = nullptr;
    int ScreenNo = 0;
    Window Root = 0;
    // The root window's size, followed as the screen is resized (Xlib's own
    // record of it is only brought up to date by the resize extension).
    int ScreenWidth = 0, ScreenHeight = 0;
    Visual* Vis = nullptr;
    int Depth = 24;
    int WakeFd = -1;
    bool HasShape = false;
    // The display's visual with an alpha channel (nil without one) and its
    // colour map.
    Visual* ArgbVis = nullptr;
    Colormap ArgbMap = 0;
    XIM InputMethod = nullptr;
    Window Utility = 0;   // owns the clipboard
    std::unique_ptr<TX11NotifyArea> Tray;
    std::map<HWND, TTopWindow> Tops;
    std::map<Window, HWND> ByXid;
    std::map<TCursorShape, Cursor> Cursors;
    TCursorShape CurrentCursor = TCursorShape::crDefault;
    std::string Clipboard;
    std::vector<unsigned long> Icon; // the program's picture as _NET_WM_ICON holds it
    bool OwnsClipboard = false;
    Atom AtomDelete = 0, AtomProtocols = 0, AtomClipboard = 0, AtomUtf8 = 0, AtomTargets = 0,
         AtomOpacity = 0, AtomWorkArea = 0, AtomMotifHints = 0, AtomTransfer = 0, AtomState = 0, AtomAbove = 0,
         AtomWmState = 0, AtomChangeState = 0, AtomActiveWindow = 0;

    Atom A(const char* AName) { return XInternAtom(Dpy, AName, False); }
    void InternAtoms();
    // A compositing manager owns the screen's selection for as long as it
    // runs: only then does a window's alpha reach the screen.
    bool HasCompositor()
    {
        const std::string name = "_NET_WM_CM_S" + std::to_string(ScreenNo);
        return XGetSelectionOwner(Dpy, A(name.c_str())) != None;
    }
    HWND HwndOf(Window AXid) const
    {
        auto it = ByXid.find(AXid);
        return it == ByXid.end() ? nullptr : it->second;
    }
    void HandleEvent(XEvent& E);
    void MakeShadowWindow(TTopWindow& T, const TRect& ABounds);
    void ShapeShadow(const TTopWindow& T);
    void PaintShadow(const TTopWindow& T);
    void FreeShadow(TTopWindow& T);
    bool PaintShadowOf(Window AXid);
    void FollowTopMost(HWND AWnd, TTopWindow& T);
    void OfferFunctions(HWND AWnd, const TTopWindow& T);
    void FollowClickThrough(HWND AWnd, TTopWindow& T);
    void HandleKey(XKeyEvent& E, bool ADown);
    void AnswerSelection(const XSelectionRequestEvent& R);
    bool IconicOnDesktop(Window AXid);
    void DesktopShows(Window AXid, bool AIconic);
    void FollowDesktop(XEvent& E);
    void ScreenResized(int AWidth, int AHeight);
    void AnswerForWindowManager(const XClientMessageEvent& E);
    bool HasWindowManager()
    {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        bool found = XGetWindowProperty(Dpy, Root, A("_NET_SUPPORTING_WM_CHECK"), 0, 1, False, XA_WINDOW, &type, &format,
                                        &count, &after, &data) == Success &&
                     data && count == 1;
        if (data)
            XFree(data);
        return found;
    }
};

// Every atom the backend, its windows' identities and its notification
// area ask for, looked up in one round trip instead of one each. Xlib keeps
// the answers, so the lookups by name that follow cost no round trip.
void TX11Backend::TImpl::InternAtoms()
{
    const struct {
        const char* Name;
        Atom* Into;
    } kept[] = {
        {"WM_DELETE_WINDOW", &AtomDelete},     {"WM_PROTOCOLS", &AtomProtocols},
        {"CLIPBOARD", &AtomClipboard},         {"UTF8_STRING", &AtomUtf8},
        {"TARGETS", &AtomTargets},             {"_NET_WM_WINDOW_OPACITY", &AtomOpacity},
        {"_NET_WORKAREA", &AtomWorkArea},      {"_MOTIF_WM_HINTS", &AtomMotifHints},
        {"ZARVELO_CLIPBOARD", &AtomTransfer},  {"_NET_WM_STATE", &AtomState},
        {"_NET_WM_STATE_ABOVE", &AtomAbove},   {"WM_STATE", &AtomWmState},
        {"WM_CHANGE_STATE", &AtomChangeState}, {"_NET_ACTIVE_WINDOW", &AtomActiveWindow},
    };
    const std::string compositor = "_NET_WM_CM_S" + std::to_string(ScreenNo);
    const std::string tray = "_NET_SYSTEM_TRAY_S" + std::to_string(ScreenNo);
    const char* const later[] = {
        "_NET_SUPPORTING_WM_CHECK", "_NET_WM_PID", "_NET_WM_NAME", "_NET_WM_ICON", "_NET_WM_WINDOW_TYPE",
        "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_WM_WINDOW_TYPE_DIALOG", "_NET_WM_WINDOW_TYPE_POPUP_MENU",
        "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", "_NET_WM_WINDOW_TYPE_TOOLTIP", "_NET_SYSTEM_TRAY_OPCODE",
        "_XEMBED_INFO", "MANAGER", "_NET_SYSTEM_TRAY_VISUAL", compositor.c_str(), tray.c_str(),
    };
    std::vector<char*> names;
    for (const auto& k : kept)
        names.push_back(const_cast<char*>(k.Name));
    for (const char* name : later)
        names.push_back(const_cast<char*>(name));
    std::vector<Atom> atoms(names.size(), None);
    XInternAtoms(Dpy, names.data(), int(names.size()), False, atoms.data());
    for (size_t i = 0; i < std::size(kept); ++i)
        *kept[i].Into = atoms[i];
}

TX11Backend::TX11Backend(const std::string& ADisplayName) : F(std::make_unique<TImpl>())
{
    F->Dpy = XOpenDisplay(ADisplayName.empty() ? nullptr : ADisplayName.c_str());
    if (!F->Dpy)
        throw EOSError("Cannot open the X display \"" + (ADisplayName.empty() ? GetEnvironmentVariable("DISPLAY") : ADisplayName) + "\"");
    XSetErrorHandler(IgnoreXErrors);
    F->ScreenNo = DefaultScreen(F->Dpy);
    F->Root = RootWindow(F->Dpy, F->ScreenNo);
    F->Vis = DefaultVisual(F->Dpy, F->ScreenNo);
    F->Depth = DefaultDepth(F->Dpy, F->ScreenNo);
    int ev = 0, err = 0;
    F->HasShape = XShapeQueryExtension(F->Dpy, &ev, &err);
    XVisualInfo argb{};
    if (XMatchVisualInfo(F->Dpy, F->ScreenNo, 32, TrueColor, &argb)) {
        F->ArgbVis = argb.visual;
        F->ArgbMap = XCreateColormap(F->Dpy, F->Root, F->ArgbVis, AllocNone);
    }
    F->WakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    XSetLocaleModifiers("");
    F->InputMethod = XOpenIM(F->Dpy, nullptr, nullptr, nullptr);
    F->InternAtoms();
    F->Utility = XCreateSimpleWindow(F->Dpy, F->Root, -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(F->Dpy, F->Utility, PropertyChangeMask);
    F->Tray = std::make_unique<TX11NotifyArea>(F->Dpy, F->ScreenNo);
    // Requests to minimise or bring back a window travel to the root window;
    // without a window manager the program answers those about its own.
    XWindowAttributes root{};
    XGetWindowAttributes(F->Dpy, F->Root, &root);
    XSelectInput(F->Dpy, F->Root, root.your_event_mask | SubstructureNotifyMask | StructureNotifyMask);
    F->ScreenWidth = DisplayWidth(F->Dpy, F->ScreenNo);
    F->ScreenHeight = DisplayHeight(F->Dpy, F->ScreenNo);
}

TX11Backend::~TX11Backend()
{
    for (auto& [h, t] : F->Tops) {
        if (t.InputContext)
            XDestroyIC(t.InputContext);
        if (t.ArgbGC)
            XFreeGC(F->Dpy, t.ArgbGC);
        F->FreeShadow(t);
        XDestroyWindow(F->Dpy, t.Xid);
    }
    for (auto& [shape, c] : F->Cursors)
        XFreeCursor(F->Dpy, c);
    if (F->InputMethod)
        XCloseIM(F->InputMethod);
    XDestroyWindow(F->Dpy, F->Utility);
    F->Tray.reset();
    if (F->ArgbMap)
        XFreeColormap(F->Dpy, F->ArgbMap);
    XCloseDisplay(F->Dpy);
    if (F->WakeFd >= 0)
        close(F->WakeFd);
}

void TX11Backend::WindowCreated(HWND AWnd)
{
    TRect r;
    GetWindowRect(AWnd, r);
    DWORD ex = DWORD(GetWindowLong(AWnd, GWL_EXSTYLE));
    DWORD style = DWORD(GetWindowLong(AWnd, GWL_STYLE));
    TTopWindow t;
    // Menus, drop-down lists and hints sit over everything without the window manager.
    t.OverrideRedirect = (ex & WS_EX_NOACTIVATE) || ((ex & WS_EX_TOOLWINDOW) && (style & WS_CAPTION) != WS_CAPTION);
    XSetWindowAttributes a{};
    a.override_redirect = t.OverrideRedirect;
    a.background_pixmap = None;
    a.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                   LeaveWindowMask | KeyPressMask | KeyReleaseMask | FocusChangeMask | StructureNotifyMask |
                   PropertyChangeMask;
    t.Bounds = r;
    // A layered window keeps its per-pixel alpha where a compositing
    // manager blends it; elsewhere it is cut to its visible pixels.
    t.Argb = (ex & WS_EX_LAYERED) && F->ArgbVis && F->HasCompositor();
    unsigned long mask = CWOverrideRedirect | CWBackPixmap | CWEventMask;
    if (t.Argb) {
        a.colormap = F->ArgbMap;
        a.border_pixel = 0;
        mask |= CWColormap | CWBorderPixel;
    }
    t.Xid = XCreateWindow(F->Dpy, F->Root, r.Left, r.Top, unsigned(std::max(1, r.Width())), unsigned(std::max(1, r.Height())), 0,
                          t.Argb ? 32 : CopyFromParent, InputOutput, t.Argb ? F->ArgbVis : CopyFromParent, mask, &a);
    if (t.Argb)
        t.ArgbGC = XCreateGC(F->Dpy, t.Xid, 0, nullptr);
    XSetWMProtocols(F->Dpy, t.Xid, &F->AtomDelete, 1);
    F->OfferFunctions(AWnd, t);
    const HWND owner = GetWindow(AWnd, GW_OWNER);
    if (owner && F->Tops.count(owner))
        XSetTransientForHint(F->Dpy, t.Xid, F->Tops[owner].Xid);
    SetX11WindowIdentity(F->Dpy, t.Xid, X11WindowKindOf(GetClassName(AWnd), t.OverrideRedirect, owner != nullptr));
    if (!t.OverrideRedirect)
        SetX11WindowIcon(F->Dpy, t.Xid, F->Icon);
    if (F->InputMethod)
        t.InputContext = XCreateIC(F->InputMethod, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, t.Xid,
                                   XNFocusWindow, t.Xid, nullptr);
    F->ByXid[t.Xid] = AWnd;
    F->Tops[AWnd] = t;
    F->FollowTopMost(AWnd, F->Tops[AWnd]);
    F->FollowClickThrough(AWnd, F->Tops[AWnd]);
    WindowTextChanged(AWnd);
}

void TX11Backend::WindowDestroyed(HWND AWnd)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end())
        return;
    if (it->second.InputContext)
        XDestroyIC(it->second.InputContext);
    if (it->second.ArgbGC)
        XFreeGC(F->Dpy, it->second.ArgbGC);
    F->FreeShadow(it->second);
    XDestroyWindow(F->Dpy, it->second.Xid);
    F->ByXid.erase(it->second.Xid);
    F->Tops.erase(it);
    XFlush(F->Dpy);
}

void TX11Backend::WindowShown(HWND AWnd, bool AVisible)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end())
        return;
    TTopWindow& t = it->second;
    t.Mapped = AVisible;
    if (AVisible) {
        XMoveResizeWindow(F->Dpy, t.Xid, t.Bounds.Left, t.Bounds.Top, unsigned(std::max(1, t.Bounds.Width())),
                          unsigned(std::max(1, t.Bounds.Height())));
        XMapRaised(F->Dpy, t.Xid);
        WindowRestacked();
    } else {
        XUnmapWindow(F->Dpy, t.Xid);
    }
    XFlush(F->Dpy);
}

void TX11Backend::WindowMoved(HWND AWnd, const TRect& AScreenBounds)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end())
        return;
    const bool sized = AScreenBounds.Width() != it->second.Bounds.Width() || AScreenBounds.Height() != it->second.Bounds.Height();
    it->second.Bounds = AScreenBounds;
    if (sized)
        F->OfferFunctions(AWnd, it->second);
    XMoveResizeWindow(F->Dpy, it->second.Xid, AScreenBounds.Left, AScreenBounds.Top,
                      unsigned(std::max(1, AScreenBounds.Width())), unsigned(std::max(1, AScreenBounds.Height())));
    XFlush(F->Dpy);
}

void TX11Backend::WindowStyleChanged(HWND AWnd)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end())
        return;
    F->OfferFunctions(AWnd, it->second);
    F->FollowClickThrough(AWnd, it->second);
    XFlush(F->Dpy);
}

// A layered window the mouse passes through (WS_EX_TRANSPARENT) takes no
// pointer input on the display either: its input shape is empty, so presses
// reach whatever lies below, another program's window included. Other
// windows take input where they are shown.
void TX11Backend::TImpl::FollowClickThrough(HWND AWnd, TTopWindow& T)
{
    if (!HasShape)
        return;
    const DWORD ex = DWORD(GetWindowLong(AWnd, GWL_EXSTYLE));
    const bool through = (ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT);
    if (through)
        XShapeCombineRectangles(Dpy, T.Xid, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    else if (T.ClickThrough)
        // Input where the window shows again (a picture with its own
        // alpha sets its input shape on its next presentation).
        XShapeCombineMask(Dpy, T.Xid, ShapeInput, 0, 0, None, ShapeSet);
    T.ClickThrough = through;
}

// Tells the window manager what it may do to a window: never decorate it
// (the program draws its own frames); close it; minimise it when the
// window's style has a minimise box. Sizes and places belong to the program
// (its frames size, maximise and drag themselves), so the manager may not
// move, size or maximise it, and the size hints pin the current size.
void TX11Backend::TImpl::OfferFunctions(HWND AWnd, const TTopWindow& T)
{
    enum : long { kFunctions = 1, kDecorations = 2, kMinimize = 8, kClose = 32 };
    const DWORD style = DWORD(GetWindowLong(AWnd, GWL_STYLE));
    long hints[5] = {kFunctions | kDecorations, kClose | ((style & WS_MINIMIZEBOX) ? long(kMinimize) : 0L), 0, 0, 0};
    XChangeProperty(Dpy, T.Xid, AtomMotifHints, AtomMotifHints, 32, PropModeReplace, reinterpret_cast<unsigned char*>(hints), 5);
    XSizeHints size{};
    size.flags = USPosition | PPosition | PMinSize | PMaxSize;
    size.x = T.Bounds.Left;
    size.y = T.Bounds.Top;
    size.min_width = size.max_width = std::max(1, T.Bounds.Width());
    size.min_height = size.max_height = std::max(1, T.Bounds.Height());
    XSetWMNormalHints(Dpy, T.Xid, &size);
}

// A stay-on-top window asks the window manager to keep it above the other
// programs' windows. While the window is unmapped (or no window manager
// runs) the state property is written directly, as the manager reads it when
// the window is mapped; a mapped window asks the manager with a message.
void TX11Backend::TImpl::FollowTopMost(HWND AWnd, TTopWindow& T)
{
    const bool above = (DWORD(GetWindowLong(AWnd, GWL_EXSTYLE)) & WS_EX_TOPMOST) != 0;
    if (T.OverrideRedirect || above == T.KeptAbove)
        return;
    T.KeptAbove = above;
    if (T.Mapped && HasWindowManager()) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = T.Xid;
        e.xclient.message_type = AtomState;
        e.xclient.format = 32;
        e.xclient.data.l[0] = above ? 1 : 0; // add or remove
        e.xclient.data.l[1] = long(AtomAbove);
        e.xclient.data.l[3] = 1; // a normal application asks
        XSendEvent(Dpy, Root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        return;
    }
    std::vector<Atom> states;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(Dpy, T.Xid, AtomState, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) ==
            Success && data && format == 32)
        states.assign(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + count);
    if (data)
        XFree(data);
    states.erase(std::remove(states.begin(), states.end(), AtomAbove), states.end());
    if (above)
        states.push_back(AtomAbove);
    XChangeProperty(Dpy, T.Xid, AtomState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()), int(states.size()));
}

void TX11Backend::WindowRestacked()
{
    for (auto& [h, t] : F->Tops)
        F->FollowTopMost(h, t);
    std::vector<Window> order;
    for (const TPresentedLayer& l : PresentedStacking()) {
        auto it = F->Tops.find(l.Wnd);
        if (it == F->Tops.end())
            continue;
        if (l.Shadow ? it->second.ShadowMapped : it->second.Mapped)
            order.push_back(l.Shadow ? it->second.ShadowXid : it->second.Xid);
    }
    if (order.size() > 1)
        XRestackWindows(F->Dpy, order.data(), int(order.size()));
    XFlush(F->Dpy);
}

bool TX11Backend::HasCompositor() { return F->ArgbVis && F->HasCompositor(); }

// Shown while a compositing manager blends it (the window system asks for
// a shadow only then); moving it costs no drawing, only a new size repaints
// its band.
void TX11Backend::ProgramIconChanged(int AWidth, int AHeight, const uint32_t* AArgb)
{
    F->Icon = X11IconData(AWidth, AHeight, AArgb);
    for (const auto& [h, t] : F->Tops)
        if (!t.OverrideRedirect)
            SetX11WindowIcon(F->Dpy, t.Xid, F->Icon);
    XFlush(F->Dpy);
}

void TX11Backend::WindowShadow(HWND AWnd, const TRect& AScreenBounds, bool AVisible)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end())
        return;
    TTopWindow& t = it->second;
    if (!AVisible) {
        if (t.ShadowMapped)
            XUnmapWindow(F->Dpy, t.ShadowXid);
        t.ShadowMapped = false;
        XFlush(F->Dpy);
        return;
    }
    if (!t.ShadowXid) {
        if (!F->ArgbVis)
            return;
        F->MakeShadowWindow(t, AScreenBounds);
    }
    const bool sized = AScreenBounds.Width() != t.ShadowBounds.Width() || AScreenBounds.Height() != t.ShadowBounds.Height();
    t.ShadowBounds = AScreenBounds;
    XMoveResizeWindow(F->Dpy, t.ShadowXid, AScreenBounds.Left, AScreenBounds.Top, unsigned(AScreenBounds.Width()),
                      unsigned(AScreenBounds.Height()));
    if (sized)
        F->ShapeShadow(t);
    const bool mapping = !t.ShadowMapped;
    if (mapping) {
        XMapWindow(F->Dpy, t.ShadowXid);
        t.ShadowMapped = true;
    }
    // A window's pixels live only while it is mapped.
    if (sized || mapping)
        F->PaintShadow(t);
    XFlush(F->Dpy);
}

void TX11Backend::TImpl::MakeShadowWindow(TTopWindow& T, const TRect& ABounds)
{
    XSetWindowAttributes a{};
    a.override_redirect = True;
    a.background_pixel = 0;   // transparent wherever the band is not drawn yet
    a.border_pixel = 0;
    a.colormap = ArgbMap;
    a.event_mask = ExposureMask;
    T.ShadowXid = XCreateWindow(Dpy, Root, ABounds.Left, ABounds.Top, unsigned(ABounds.Width()), unsigned(ABounds.Height()), 0,
                                32, InputOutput, ArgbVis, CWOverrideRedirect | CWBackPixel | CWBorderPixel | CWColormap | CWEventMask,
                                &a);
    T.ShadowGC = XCreateGC(Dpy, T.ShadowXid, 0, nullptr);
    // Clicks fall through to whatever lies beneath.
    if (HasShape)
        XShapeCombineRectangles(Dpy, T.ShadowXid, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    T.ShadowBounds = TRect{};
}

// Only the band shows: the rest lies under the window casting the shadow.
void TX11Backend::TImpl::ShapeShadow(const TTopWindow& T)
{
    if (!HasShape)
        return;
    TRect right, bottom;
    DropShadowBands(T.ShadowBounds.Width(), T.ShadowBounds.Height(), right, bottom);
    XRectangle bands[2];
    int n = 0;
    for (const TRect& r : {right, bottom})
        if (!r.IsEmpty())
            bands[n++] = XRectangle{short(r.Left), short(r.Top), (unsigned short)r.Width(), (unsigned short)r.Height()};
    XShapeCombineRectangles(Dpy, T.ShadowXid, ShapeBounding, 0, 0, bands, n, ShapeSet, Unsorted);
}

void TX11Backend::TImpl::PaintShadow(const TTopWindow& T)
{
    const int w = T.ShadowBounds.Width(), h = T.ShadowBounds.Height();
    TRect right, bottom;
    DropShadowBands(w, h, right, bottom);
    std::vector<uint32_t> pixels;
    for (const TRect& r : {right, bottom}) {
        if (r.IsEmpty())
            continue;
        pixels.resize(size_t(r.Width()) * size_t(r.Height()));
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                pixels[size_t(y) * size_t(r.Width()) + size_t(x)] = uint32_t(DropShadowAlpha(r.Left + x, r.Top + y, w, h)) << 24;
        XImage* image = XCreateImage(Dpy, ArgbVis, 32, ZPixmap, 0, reinterpret_cast<char*>(pixels.data()), unsigned(r.Width()),
                                     unsigned(r.Height()), 32, r.Width() * 4);
        if (!image)
            continue;
        XPutImage(Dpy, T.ShadowXid, T.ShadowGC, image, 0, 0, r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()));
        image->data = nullptr;
        XDestroyImage(image);
    }
}

// A shadow window the display asks to draw again; false for other windows.
bool TX11Backend::TImpl::PaintShadowOf(Window AXid)
{
    for (auto& [h, t] : Tops)
        if (t.ShadowXid && t.ShadowXid == AXid) {
            if (t.ShadowMapped)
                PaintShadow(t);
            return true;
        }
    return false;
}

void TX11Backend::TImpl::FreeShadow(TTopWindow& T)
{
    if (!T.ShadowXid)
        return;
    XFreeGC(Dpy, T.ShadowGC);
    XDestroyWindow(Dpy, T.ShadowXid);
    T.ShadowXid = 0;
    T.ShadowGC = nullptr;
    T.ShadowMapped = false;
}

void TX11Backend::WindowRegionChanged(HWND AWnd)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end() || !F->HasShape)
        return;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(AWnd, region) == ERROR) {
        XShapeCombineMask(F->Dpy, it->second.Xid, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> xr;
        for (const TRect& r : RegionRects(region))
            xr.push_back(XRectangle{short(r.Left), short(r.Top), (unsigned short)r.Width(), (unsigned short)r.Height()});
        XShapeCombineRectangles(F->Dpy, it->second.Xid, ShapeBounding, 0, 0, xr.data(), int(xr.size()), ShapeSet, Unsorted);
    }
    DeleteObject(region);
    XFlush(F->Dpy);
}

void TX11Backend::WindowTextChanged(HWND AWnd)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end())
        return;
    SetX11WindowTitle(F->Dpy, it->second.Xid, GetWindowText(AWnd));
}

void TX11Backend::WindowAlphaChanged(HWND AWnd)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end())
        return;
    uint8_t alpha = 255;
    if (!GetLayeredWindowAttributes(AWnd, nullptr, &alpha, nullptr) || alpha == 255) {
        XDeleteProperty(F->Dpy, it->second.Xid, F->AtomOpacity);
    } else {
        unsigned long value = (unsigned long)alpha * 0x01010101UL;
        XChangeProperty(F->Dpy, it->second.Xid, F->AtomOpacity, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&value), 1);
    }
    XFlush(F->Dpy);
}

// The blur request travels as the window property that compositing
// managers with a blur effect read: rectangles (x, y, width, height) in
// window coordinates, and no property for no blur.
void TX11Backend::WindowBlurChanged(HWND AWnd)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end())
        return;
    const Atom atom = F->A("_KDE_NET_WM_BLUR_BEHIND_REGION");
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    std::vector<unsigned long> values;
    if (GetWindowBlurBehind(AWnd, region))
        for (const TRect& r : RegionRects(region))
            for (int v : {r.Left, r.Top, r.Width(), r.Height()})
                values.push_back((unsigned long)v);
    // An empty property asks for the whole window: an empty part asks for
    // nothing and has none.
    if (values.empty())
        XDeleteProperty(F->Dpy, it->second.Xid, atom);
    else
        XChangeProperty(F->Dpy, it->second.Xid, atom, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values.data()), int(values.size()));
    DeleteObject(region);
    XFlush(F->Dpy);
}

void TX11Backend::WindowActivated(HWND AWnd)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end() || !it->second.Mapped || it->second.OverrideRedirect)
        return;
    XRaiseWindow(F->Dpy, it->second.Xid);
    XSetInputFocus(F->Dpy, it->second.Xid, RevertToParent, CurrentTime);
    XFlush(F->Dpy);
}

void TX11Backend::WindowStateChanged(HWND AWnd)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end() || !it->second.Mapped)
        return;
    TTopWindow& t = it->second;
    const bool iconic = IsIconic(AWnd);
    // The desktop shows it so already (it told the window so).
    if (iconic == t.DesktopIconic)
        return;
    t.DesktopIconic = iconic;
    t.Asking = true;
    t.AskedIconic = iconic;
    if (iconic) {
        // Without a window manager nobody iconifies: the window just goes.
        if (F->HasWindowManager())
            XIconifyWindow(F->Dpy, t.Xid, F->ScreenNo);
        else
            XUnmapWindow(F->Dpy, t.Xid);
    } else {
        XMapRaised(F->Dpy, t.Xid);
        // The window took the activation while it was still unmapped.
        if (GetActiveWindow() == AWnd)
            WindowActivated(AWnd);
    }
    XFlush(F->Dpy);
}

// The window manager keeps the ICCCM state of every window it manages.
bool TX11Backend::TImpl::IconicOnDesktop(Window AXid)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool iconic = XGetWindowProperty(Dpy, AXid, AtomWmState, 0, 2, False, AtomWmState, &type, &format, &count, &after,
                                     &data) == Success &&
                  data && format == 32 && count >= 1 && reinterpret_cast<long*>(data)[0] == IconicState;
    if (data)
        XFree(data);
    return iconic;
}

// The desktop minimised or restored a window: the window system follows,
// unless the report is older than a request of the program's own that the
// window manager has not answered yet.
void TX11Backend::TImpl::DesktopShows(Window AXid, bool AIconic)
{
    HWND h = HwndOf(AXid);
    if (!h)
        return;
    TTopWindow& t = Tops[h];
    if (t.Asking) {
        if (AIconic != t.AskedIconic)
            return;
        t.Asking = false;
    }
    t.DesktopIconic = AIconic;
    InjectWindowState(h, AIconic);
}

// Map, unmap and state changes of the program's windows that the window
// manager (or another program) made; a press on a window proves it is
// shown, whatever was asked before.
void TX11Backend::TImpl::FollowDesktop(XEvent& E)
{
    switch (E.type) {
    case MapNotify:
        if (E.xmap.event == E.xmap.window)
            DesktopShows(E.xmap.window, false);
        break;
    case UnmapNotify:
        if (E.xunmap.event != E.xunmap.window)
            break;
        // Unmapped but not iconic is hidden (or another desktop shown):
        // no state of the window's own.
        if (HWND h = HwndOf(E.xunmap.window); h && Tops[h].Asking && Tops[h].AskedIconic)
            DesktopShows(E.xunmap.window, true);
        else if (IconicOnDesktop(E.xunmap.window))
            DesktopShows(E.xunmap.window, true);
        break;
    case PropertyNotify:
        if (E.xproperty.atom == AtomWmState)
            DesktopShows(E.xproperty.window, IconicOnDesktop(E.xproperty.window));
        break;
    case FocusIn:
        if (E.xfocus.mode == NotifyNormal)
            DesktopShows(E.xfocus.window, false);
        break;
    case ButtonPress:
        if (HWND h = HwndOf(E.xbutton.window)) {
            Tops[h].Asking = false;
            DesktopShows(E.xbutton.window, false);
        }
        break;
    default: break;
    }
}

// The screen took another size: every top-level window hears of it, with
// the colour depth and the new size, as after a change of display mode.
void TX11Backend::TImpl::ScreenResized(int AWidth, int AHeight)
{
    if (AWidth <= 0 || AHeight <= 0 || (AWidth == ScreenWidth && AHeight == ScreenHeight))
        return;
    ScreenWidth = AWidth;
    ScreenHeight = AHeight;
    for (const auto& [h, t] : Tops)
        PostMessage(h, WM_DISPLAYCHANGE, WPARAM(Depth), MAKELPARAM(AWidth, AHeight));
}

// Without a window manager the program is asked directly: iconify
// (WM_CHANGE_STATE) and bring back (_NET_ACTIVE_WINDOW) one of its windows.
void TX11Backend::TImpl::AnswerForWindowManager(const XClientMessageEvent& E)
{
    HWND h = HwndOf(E.window);
    if (!h || (E.message_type != AtomChangeState && E.message_type != AtomActiveWindow) || HasWindowManager())
        return;
    if (E.message_type == AtomChangeState && E.data.l[0] == IconicState)
        InjectWindowState(h, true);
    else if (E.message_type == AtomActiveWindow)
        InjectWindowState(h, false);
}

// Only a popup that sits over everything (override-redirect) takes the
// pointer; the press events of the program's own windows still reach them
// (owner events), the rest come to the popup.
void TX11Backend::GrabPointer(HWND AWnd)
{
    auto it = AWnd ? F->Tops.find(AWnd) : F->Tops.end();
    if (it == F->Tops.end() || !it->second.OverrideRedirect) {
        XUngrabPointer(F->Dpy, CurrentTime);
    } else {
        XGrabPointer(F->Dpy, it->second.Xid, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                     GrabModeAsync, None, None, CurrentTime);
    }
    XFlush(F->Dpy);
}

// A window whose picture carries its own alpha (layered, per pixel) is cut to
// the pixels that are not fully transparent: without a compositing manager
// that is the closest an X display comes.
void TX11Backend::ShapeFromAlpha(HWND AWnd, const TPixelSurface& S)
{
    auto it = F->Tops.find(AWnd);
    if (it == F->Tops.end() || !F->HasShape)
        return;
    std::vector<XRectangle> runs;
    for (int y = 0; y < S.Height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(S.Row(y));
        for (int x = 0; x < S.Width;) {
            while (x < S.Width && !(row[x] >> 24))
                ++x;
            int start = x;
            while (x < S.Width && (row[x] >> 24))
                ++x;
            if (x > start)
                runs.push_back(XRectangle{short(start), short(y), (unsigned short)(x - start), 1});
        }
    }
    // Blended by a compositor the window shows its own alpha; the clicks
    // still pass through where it is fully transparent.
    XShapeCombineRectangles(F->Dpy, it->second.Xid, it->second.Argb ? ShapeInput : ShapeBounding, 0, 0, runs.data(),
                            int(runs.size()), ShapeSet, YXBanded);
    F->FollowClickThrough(AWnd, it->second);
}

void TX11Backend::Present(HWND AWnd, const TRect& ADirty)
{
    auto it = F->Tops.find(AWnd);
    const TPixelSurface* s = GetWindowSurface(AWnd);
    if (it == F->Tops.end() || !it->second.Mapped || !s || !s->Bits || ADirty.IsEmpty())
        return;
    const bool perPixel = (GetWindowLong(AWnd, GWL_EXSTYLE) & WS_EX_LAYERED) && HasPerPixelAlpha(AWnd);
    if (perPixel)
        ShapeFromAlpha(AWnd, *s);
    if (it->second.Argb) {
        PresentArgb(it->second.Xid, it->second.ArgbGC, *s, ADirty, perPixel);
        return;
    }
    // The back buffer is already in the display's 32-bit layout (B, G, R, x).
    XImage* image = XCreateImage(F->Dpy, F->Vis, unsigned(F->Depth), ZPixmap, 0, reinterpret_cast<char*>(s->Bits),
                                 unsigned(s->Width), unsigned(s->Height), 32, int(s->Stride));
    if (!image)
        return;
    GC gc = DefaultGC(F->Dpy, F->ScreenNo);
    XPutImage(F->Dpy, it->second.Xid, gc, image, ADirty.Left, ADirty.Top, ADirty.Left, ADirty.Top, unsigned(ADirty.Width()),
              unsigned(ADirty.Height()));
    image->data = nullptr;   // the buffer stays the window system's
    XDestroyImage(image);
    XFlush(F->Dpy);
}

// A window with an alpha channel gets the buffer's alpha (premultiplied,
// as layered pictures are kept) or, without per-pixel alpha, opaque pixels.
void TX11Backend::PresentArgb(unsigned long AXid, void* AGC, const TPixelSurface& S, const TRect& ADirty, bool APerPixel)
{
    const TRect r = IntersectRect(ADirty, Rect(0, 0, S.Width, S.Height));
    const int w = r.Width(), h = r.Height();
    if (w <= 0 || h <= 0)
        return;
    std::vector<uint32_t> pixels(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const uint32_t* from = reinterpret_cast<const uint32_t*>(S.Row(r.Top + y)) + r.Left;
        uint32_t* to = pixels.data() + size_t(y) * size_t(w);
        for (int x = 0; x < w; ++x)
            to[x] = APerPixel ? from[x] : from[x] | 0xFF000000u;
    }
    XImage* image = XCreateImage(F->Dpy, F->ArgbVis, 32, ZPixmap, 0, reinterpret_cast<char*>(pixels.data()), unsigned(w),
                                 unsigned(h), 32, w * 4);
    if (!image)
        return;
    XPutImage(F->Dpy, Window(AXid), static_cast<GC>(AGC), image, 0, 0, r.Left, r.Top, unsigned(w), unsigned(h));
    image->data = nullptr;
    XDestroyImage(image);
    XFlush(F->Dpy);
}

// The window shows its pixels through an alpha channel (a compositing
// manager ran when it was made).
bool TX11Backend::HasAlphaChannel(HWND AWnd) const
{
    auto it = F->Tops.find(AWnd);
    return it != F->Tops.end() && it->second.Argb;
}

void TX11Backend::SetCursorShape(TCursorShape AShape)
{
    if (AShape == F->CurrentCursor)
        return;
    F->CurrentCursor = AShape;
    Cursor c = None;
    if (AShape != TCursorShape::crNone) {
        auto found = F->Cursors.find(AShape);
        if (found == F->Cursors.end()) {
            unsigned shape = XC_left_ptr;
            for (const TCursorMap& m : kCursors)
                if (m.Shape == AShape)
                    shape = m.Font;
            found = F->Cursors.emplace(AShape, XCreateFontCursor(F->Dpy, shape)).first;
        }
        c = found->second;
    }
    for (auto& [h, t] : F->Tops)
        XDefineCursor(F->Dpy, t.Xid, c);
    XFlush(F->Dpy);
}

void TX11Backend::Beep()
{
    XBell(F->Dpy, 0);
    XFlush(F->Dpy);
}

TPoint TX11Backend::CursorPos()
{
    Window root = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(F->Dpy, F->Root, &root, &child, &rx, &ry, &wx, &wy, &mask);
    return Point(rx, ry);
}

void TX11Backend::SetCursorPos(TPoint P)
{
    XWarpPointer(F->Dpy, None, F->Root, 0, 0, 0, 0, P.X, P.Y);
    XFlush(F->Dpy);
}

TRect TX11Backend::ScreenRect()
{
    return Rect(0, 0, F->ScreenWidth, F->ScreenHeight);
}

TRect TX11Backend::WorkArea()
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    TRect area = ScreenRect();
    if (XGetWindowProperty(F->Dpy, F->Root, F->AtomWorkArea, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data && count >= 4 && format == 32) {
        long* v = reinterpret_cast<long*>(data);
        area = Bounds(int(v[0]), int(v[1]), int(v[2]), int(v[3]));
    }
    if (data)
        XFree(data);
    return area;
}

void TX11Backend::SetClipboardText(const std::string& AText)
{
    F->Clipboard = AText;
    XSetSelectionOwner(F->Dpy, F->AtomClipboard, F->Utility, CurrentTime);
    F->OwnsClipboard = XGetSelectionOwner(F->Dpy, F->AtomClipboard) == F->Utility;
    XFlush(F->Dpy);
}

std::string TX11Backend::ClipboardText()
{
    Window owner = XGetSelectionOwner(F->Dpy, F->AtomClipboard);
    if (owner == None)
        return std::string();
    if (owner == F->Utility)
        return F->Clipboard;
    XDeleteProperty(F->Dpy, F->Utility, F->AtomTransfer);
    XConvertSelection(F->Dpy, F->AtomClipboard, F->AtomUtf8, F->AtomTransfer, F->Utility, CurrentTime);
    XFlush(F->Dpy);
    // Another program answers; a silent one is given up on after two seconds.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    XEvent e;
    while (!XCheckTypedWindowEvent(F->Dpy, F->Utility, SelectionNotify, &e)) {
        if (std::chrono::steady_clock::now() > deadline)
            return std::string();
        pollfd p{ConnectionNumber(F->Dpy), POLLIN, 0};
        poll(&p, 1, 20);
    }
    if (e.xselection.property == None)
        return std::string();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(F->Dpy, F->Utility, F->AtomTransfer, 0, 1 << 24, True, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data)
        text.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    return text;
}

uintptr_t TX11Backend::CreateNativeChild(HWND ATopLevel, const TRect& AInTopLevel)
{
    auto it = F->Tops.find(ATopLevel);
    if (it == F->Tops.end())
        return 0;
    Window w = XCreateSimpleWindow(F->Dpy, it->second.Xid, AInTopLevel.Left, AInTopLevel.Top,
                                   unsigned(std::max(1, AInTopLevel.Width())), unsigned(std::max(1, AInTopLevel.Height())), 0,
                                   0, BlackPixel(F->Dpy, F->ScreenNo));
    // A library embedded in the window takes none of its events: the program
    // hears when its picture is wiped and clicks on it, like any window of
    // its own.
    XSelectInput(F->Dpy, w, ExposureMask | ButtonPressMask | ButtonReleaseMask);
    XFlush(F->Dpy);
    return uintptr_t(w);
}

void TX11Backend::MoveNativeChild(uintptr_t AId, const TRect& AInTopLevel, bool AVisible)
{
    Window w = Window(AId);
    XMoveResizeWindow(F->Dpy, w, AInTopLevel.Left, AInTopLevel.Top, unsigned(std::max(1, AInTopLevel.Width())),
                      unsigned(std::max(1, AInTopLevel.Height())));
    if (AVisible)
        XMapWindow(F->Dpy, w);
    else
        XUnmapWindow(F->Dpy, w);
    XFlush(F->Dpy);
}

void TX11Backend::DestroyNativeChild(uintptr_t AId)
{
    XDestroyWindow(F->Dpy, Window(AId));
    XFlush(F->Dpy);
}

void TX11Backend::TImpl::AnswerSelection(const XSelectionRequestEvent& R)
{
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = R.display;
    reply.requestor = R.requestor;
    reply.selection = R.selection;
    reply.target = R.target;
    reply.time = R.time;
    reply.property = None;
    if (R.target == AtomTargets) {
        Atom targets[] = {AtomTargets, AtomUtf8, XA_STRING};
        XChangeProperty(Dpy, R.requestor, R.property, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(targets), 3);
        reply.property = R.property;
    } else if (R.target == AtomUtf8 || R.target == XA_STRING) {
        XChangeProperty(Dpy, R.requestor, R.property, R.target, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(Clipboard.data()), int(Clipboard.size()));
        reply.property = R.property;
    }
    XSendEvent(Dpy, R.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
}

void TX11Backend::TImpl::HandleKey(XKeyEvent& E, bool ADown)
{
    char buffer[64] = {};
    KeySym sym = NoSymbol;
    std::string text;
    HWND h = HwndOf(E.window);
    XIC ic = h && Tops.count(h) ? Tops[h].InputContext : nullptr;
    if (ADown && ic) {
        Status status = 0;
        int n = Xutf8LookupString(ic, &E, buffer, sizeof buffer - 1, &sym, &status);
        if (status == XLookupChars || status == XLookupBoth)
            text.assign(buffer, size_t(std::max(0, n)));
        if (status == XLookupChars) {
            // Text the input method composed, without a key of its own.
            InjectText(text);
            return;
        }
    } else {
        int n = XLookupString(&E, buffer, sizeof buffer - 1, &sym, nullptr);
        if (ADown)
            text.assign(buffer, size_t(std::max(0, n)));
    }
    int vk = VirtualKeyOf(XLookupKeysym(&E, 0));
    if (!vk)
        vk = VirtualKeyOf(sym);
    if (vk)
        InjectKey(vk, ADown, text);
    else if (ADown && !text.empty())
        InjectText(text);
}

void TX11Backend::TImpl::HandleEvent(XEvent& E)
{
    if (Tray->HandleEvent(E))
        return;
    FollowDesktop(E);
    switch (E.type) {
    case Expose:
        if (PaintShadowOf(E.xexpose.window))
            break;
        // The server cleared part of an embedded window to black: the window
        // it belongs to paints, and its owner draws the picture again.
        if (HWND h = WindowOfNativeChild(E.xexpose.window)) {
            if (E.xexpose.count == 0)
                InvalidateRect(h, nullptr, false);
            break;
        }
        if (HWND h = HwndOf(E.xexpose.window)) {
            TRect r = Bounds(E.xexpose.x, E.xexpose.y, E.xexpose.width, E.xexpose.height);
            // The buffer holds the picture already: the screen gets it again.
            if (auto* self = dynamic_cast<TX11Backend*>(&Backend()))
                self->Present(h, r);
        }
        break;
    case MotionNotify: {
        XEvent last = E;
        while (XCheckTypedWindowEvent(Dpy, E.xmotion.window, MotionNotify, &last)) {
        }
        InjectMouseMove(Point(last.xmotion.x_root, last.xmotion.y_root));
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        TPoint p = Point(E.xbutton.x_root, E.xbutton.y_root);
        bool down = E.type == ButtonPress;
        switch (E.xbutton.button) {
        case Button1: InjectMouseButton(TMouseButton::mbLeft, down, p); break;
        case Button2: InjectMouseButton(TMouseButton::mbMiddle, down, p); break;
        case Button3: InjectMouseButton(TMouseButton::mbRight, down, p); break;
        case Button4: if (down) InjectMouseWheel(WHEEL_DELTA, p); break;
        case Button5: if (down) InjectMouseWheel(-WHEEL_DELTA, p); break;
        default: break;
        }
        break;
    }
    case LeaveNotify:
        if (E.xcrossing.mode == NotifyNormal)
            InjectMouseMove(Point(E.xcrossing.x_root, E.xcrossing.y_root));
        break;
    case KeyPress: HandleKey(E.xkey, true); break;
    case KeyRelease: HandleKey(E.xkey, false); break;
    case FocusIn: {
        // Activating a window moves the X focus to it, which reports back as
        // focus events: one still queued for a window that has lost the
        // focus since would start two windows activating each other.
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(Dpy, &focus, &revert);
        // A minimised window is activated by its restore, which the desktop
        // state has queued already.
        if (HWND h = HwndOf(E.xfocus.window);
            h && E.xfocus.mode == NotifyNormal && focus == E.xfocus.window && GetActiveWindow() != h && !IsIconic(h))
            SetActiveWindow(h);
        break;
    }
    case FocusOut: {
        if (E.xfocus.mode != NotifyNormal)
            break;
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(Dpy, &focus, &revert);
        if (!HwndOf(focus))
            InjectDeactivate();
        break;
    }
    case ClientMessage:
        if (E.xclient.message_type == AtomProtocols && Atom(E.xclient.data.l[0]) == AtomDelete)
            if (HWND h = HwndOf(E.xclient.window))
                PostMessage(h, WM_CLOSE);
        AnswerForWindowManager(E.xclient);
        break;
    case ConfigureNotify:
        if (E.xconfigure.window == Root)
            ScreenResized(E.xconfigure.width, E.xconfigure.height);
        break;
    case SelectionRequest: AnswerSelection(E.xselectionrequest); break;
    case SelectionClear: OwnsClipboard = false; break;
    default: break;
    }
}

bool TX11Backend::NotifyIconAdd(const TNotifyIconData& AData) { return F->Tray->Add(AData); }
bool TX11Backend::NotifyIconModify(const TNotifyIconData& AData) { return F->Tray->Modify(AData); }
bool TX11Backend::NotifyIconDelete(HWND AWnd, UINT AId) { return F->Tray->Delete(AWnd, AId); }
bool TX11Backend::NotifyIconRect(HWND AWnd, UINT AId, TRect& ARect) { return F->Tray->IconRect(AWnd, AId, ARect); }

bool TX11Backend::DispatchEvents()
{
    bool any = false;
    while (XPending(F->Dpy)) {
        XEvent e;
        XNextEvent(F->Dpy, &e);
        if (XFilterEvent(&e, None))
            continue;
        F->HandleEvent(e);
        any = true;
    }
    return any;
}

void TX11Backend::WaitEvents(uint32_t ATimeoutMs)
{
    XFlush(F->Dpy);
    if (XPending(F->Dpy))
        return;
    pollfd fds[2] = {{ConnectionNumber(F->Dpy), POLLIN, 0}, {F->WakeFd, POLLIN, 0}};
    poll(fds, 2, ATimeoutMs == UINT32_MAX ? -1 : int(std::min<uint32_t>(ATimeoutMs, 60000)));
    if (fds[1].revents & POLLIN) {
        uint64_t value = 0;
        [[maybe_unused]] ssize_t n = read(F->WakeFd, &value, sizeof value);
    }
}

void TX11Backend::Wake()
{
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(F->WakeFd, &one, sizeof one);
}

unsigned long TX11Backend::XWindowOf(HWND AWnd) const
{
    auto it = F->Tops.find(AWnd);
    return it == F->Tops.end() ? 0 : it->second.Xid;
}

unsigned long TX11Backend::XShadowWindowOf(HWND AWnd) const
{
    auto it = F->Tops.find(AWnd);
    return it == F->Tops.end() ? 0 : it->second.ShadowXid;
}

void* TX11Backend::XDisplay() const { return F->Dpy; }

bool InstallX11Backend()
{
    try {
        SetBackend(std::make_unique<TX11Backend>());
        return true;
    } catch (const EOSError&) {
        return false;
    }
}

} // namespace platform
