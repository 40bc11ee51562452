#include "platform/ui/MdiClient.h"

#include "platform/ui/Paint.h"
#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <cmath>

namespace platform {

using namespace detail;

namespace {

constexpr const char* ClientClass = "MDICLIENT";
constexpr const char* ActiveProp = "MdiActive";   // on the client: the active child
constexpr const char* ClientProp = "MdiClient";   // on the frame: its client window
constexpr intptr_t ClientId = 0xFF00;

HWND ActiveChild(HWND AClient) { return reinterpret_cast<HWND>(GetProp(AClient, ActiveProp)); }

bool IsChildOfClient(HWND AClient, HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    return w && !w->IsTopLevel() && w->Parent == AClient && (w->ExStyle & WS_EX_MDICHILD) && !w->Destroying;
}

// Visible children, top of the z-order first.
std::vector<HWND> ByZOrder(HWND AClient)
{
    std::vector<HWND> list;
    for (HWND h : GetChildWindows(AClient))
        if (IsChildOfClient(AClient, h) && (Find(h)->Style & WS_VISIBLE))
            list.push_back(h);
    return list;
}

TRect ClientArea(HWND AClient)
{
    TRect r;
    GetClientRect(AClient, r);
    return r;
}

// What a maximised child takes: the window system's maximised bounds, which
// the child's WM_GETMINMAXINFO may move so that its frame lies outside.
TRect MaximizedBounds(HWND AClient, HWND AChild)
{
    const TRect area = ClientArea(AClient);
    TMinMaxInfo mmi;
    mmi.ptMaxSize = Point(area.Width(), area.Height());
    mmi.ptMaxPosition = Point(0, 0);
    mmi.ptMaxTrackSize = mmi.ptMaxSize;
    Send(AChild, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return Bounds(mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y);
}

int IconHeight(HWND AChild)
{
    TWindowData* w = Find(AChild);
    const TRect in = FrameInsets(w->Style & ~(WS_MINIMIZE | WS_MAXIMIZE), w->ExStyle);
    return std::max(1, in.Top + in.Bottom);
}

void RefreshFrame(HWND AClient)
{
    HWND frame = GetParent(AClient);
    if (IsWindow(frame))
        RedrawWindow(frame, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void ActivateChild(HWND AClient, HWND AChild, bool AMaximize)
{
    HWND prev = ActiveChild(AClient);
    if (prev && !IsChildOfClient(AClient, prev))
        prev = nullptr;
    if (AChild && !IsChildOfClient(AClient, AChild))
        return;
    if (AChild)
        SetWindowPos(AChild, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (prev == AChild && ActiveChild(AClient) == AChild)
        return;
    // A maximised child hands its state on to the child that takes over.
    const bool maximize = AMaximize || (prev && IsZoomed(prev));
    SetProp(AClient, ActiveProp, reinterpret_cast<intptr_t>(AChild));
    if (prev) {
        Send(prev, WM_NCACTIVATE, 0, reinterpret_cast<LPARAM>(AChild));
        Send(prev, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(prev), reinterpret_cast<LPARAM>(AChild));
    }
    if (!AChild || ActiveChild(AClient) != AChild) {
        RefreshFrame(AClient);
        return;
    }
    if (maximize && (GetWindowLong(AChild, GWL_STYLE) & WS_MAXIMIZEBOX) && !IsZoomed(AChild)) {
        ShowWindow(AChild, SW_MAXIMIZE);
        if (prev && IsWindow(prev) && IsZoomed(prev))
            ShowWindow(prev, SW_RESTORE);
    }
    if (!IsWindow(AChild))
        return;
    Send(AChild, WM_NCACTIVATE, 1, reinterpret_cast<LPARAM>(prev));
    Send(AChild, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(prev), reinterpret_cast<LPARAM>(AChild));
    // The keys follow the active document while the frame is active.
    HWND focus = GetFocus();
    if (IsWindow(AChild) && GetActiveWindow() == GetAncestor(AClient, GA_ROOT) && focus != AChild && !IsChild(AChild, focus))
        SetFocus(AChild);
    RefreshFrame(AClient);
}

// Activates the child after (or before) AFrom in the z-order; AFrom, when it
// stays visible, goes to the bottom. Without another visible child nothing is
// active once AFrom is hidden or gone. A child being destroyed hears nothing
// more.
void ActivateNext(HWND AClient, HWND AFrom, bool APrevious, bool AFromGoing, bool AFromDestroyed = false)
{
    HWND from = AFrom ? AFrom : ActiveChild(AClient);
    std::vector<HWND> others = ByZOrder(AClient);
    std::erase(others, from);
    const bool wasMax = from && IsWindow(from) && IsZoomed(from);
    if (AFromDestroyed && ActiveChild(AClient) == from)
        SetProp(AClient, ActiveProp, 0);
    if (others.empty()) {
        if (AFromGoing || !from || !IsWindowVisible(from))
            ActivateChild(AClient, nullptr, false);
        return;
    }
    HWND target = APrevious ? others.back() : others.front();
    if (!APrevious && !AFromGoing && from && IsWindowVisible(from))
        SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ActivateChild(AClient, target, AFromGoing && wasMax);
}

// Handles are handed out in increasing order: sorted, they list the children
// in the order they were made. Minimised children keep their slots in that
// order, so activating one never shuffles the row.
std::vector<HWND> ByCreation(HWND AClient)
{
    std::vector<HWND> list = ByZOrder(AClient);
    std::sort(list.begin(), list.end(), [](HWND A, HWND B) { return uintptr_t(A) < uintptr_t(B); });
    return list;
}

void ArrangeIcons(HWND AClient)
{
    const TRect area = ClientArea(AClient);
    int slot = 0;
    for (HWND h : ByCreation(AClient))
        if (IsIconic(h)) {
            const TRect r = MDIIconSlot(area, slot++, MDIIconWidth, IconHeight(h));
            SetWindowPos(h, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
}

// The area left for tiling above the rows of minimised children.
TRect AreaAboveIcons(HWND AClient)
{
    TRect area = ClientArea(AClient);
    int icons = 0, height = 0;
    for (HWND h : GetMDIChildren(AClient))
        if (IsIconic(h)) {
            ++icons;
            height = std::max(height, IconHeight(h));
        }
    if (icons) {
        const int perRow = std::max(1, area.Width() / MDIIconWidth);
        area.Bottom = std::max(area.Top, area.Bottom - height * ((icons + perRow - 1) / perRow));
    }
    return area;
}

std::vector<HWND> RestoredChildren(HWND AClient)
{
    std::vector<HWND> list;
    for (HWND h : GetMDIChildren(AClient)) {
        if (IsZoomed(h))
            ShowWindow(h, SW_RESTORE);
        if (IsWindow(h) && !IsIconic(h))
            list.push_back(h);
    }
    return list;
}

void Tile(HWND AClient, bool AVertical)
{
    std::vector<HWND> list = RestoredChildren(AClient);
    ArrangeIcons(AClient);
    const std::vector<TRect> rects = MDITileRects(AreaAboveIcons(AClient), int(list.size()), AVertical);
    for (size_t i = 0; i < list.size(); ++i)
        if (IsWindow(list[i]))
            SetWindowPos(list[i], nullptr, rects[i].Left, rects[i].Top, rects[i].Width(), rects[i].Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
}

void Cascade(HWND AClient)
{
    // The stack is laid from the bottom up, each window raised over the one
    // before: the active child ends in front, where the stack ends.
    std::vector<HWND> list = RestoredChildren(AClient);
    std::reverse(list.begin(), list.end());
    ArrangeIcons(AClient);
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    const std::vector<TRect> rects = MDICascadeRects(AreaAboveIcons(AClient), int(list.size()), step);
    for (size_t i = 0; i < list.size(); ++i)
        if (IsWindow(list[i]))
            SetWindowPos(list[i], HWND_TOP, rects[i].Left, rects[i].Top, rects[i].Width(), rects[i].Height(),
                         SWP_NOACTIVATE);
}

void ClientResized(HWND AClient)
{
    for (HWND h : GetMDIChildren(AClient))
        if (IsZoomed(h)) {
            const TRect r = MaximizedBounds(AClient, h);
            SetWindowPos(h, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    ArrangeIcons(AClient);
}

// A child was shown, hidden, minimised, maximised or restored.
void ChildChanged(HWND AClient, HWND AChild, bool AShown)
{
    if (!IsChildOfClient(AClient, AChild))
        return;
    if (!IsWindowVisible(AChild) && !(Find(AChild)->Style & WS_VISIBLE)) {
        if (ActiveChild(AClient) == AChild)
            ActivateNext(AClient, AChild, false, true);
    } else if (AShown)
        ActivateChild(AClient, AChild, false);
    if (IsIconic(AChild))
        ArrangeIcons(AClient);
    RefreshFrame(AClient);
}

LRESULT ClientProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    HWND child = reinterpret_cast<HWND>(W);
    switch (AMsg) {
    case WM_MDIACTIVATE: ActivateChild(AWnd, child, false); return 0;
    case WM_MDIGETACTIVE: {
        HWND a = ActiveChild(AWnd);
        if (a && !IsChildOfClient(AWnd, a))
            a = nullptr;
        if (L)
            *reinterpret_cast<bool*>(L) = a && IsZoomed(a);
        return reinterpret_cast<LRESULT>(a);
    }
    case WM_MDINEXT: ActivateNext(AWnd, child, L != 0, false); return 0;
    case WM_MDIMAXIMIZE:
        if (IsChildOfClient(AWnd, child))
            ShowWindow(child, SW_MAXIMIZE);
        return 0;
    case WM_MDIRESTORE:
        if (IsChildOfClient(AWnd, child))
            ShowWindow(child, SW_RESTORE);
        return 0;
    case WM_MDIDESTROY:
        if (IsChildOfClient(AWnd, child))
            DestroyWindow(child);
        return 0;
    case WM_MDITILE: Tile(AWnd, W == MDITILE_VERTICAL); return 0;
    case WM_MDICASCADE: Cascade(AWnd); return 0;
    case WM_MDIICONARRANGE: ArrangeIcons(AWnd); return 0;
    case WM_MDIREFRESHMENU: ChildChanged(AWnd, child, L != 0); return 0;
    case WM_SIZE:
        ClientResized(AWnd);
        return 0;
    case WM_PARENTNOTIFY:
        if (LOWORD(W) == WM_DESTROY && ActiveChild(AWnd) == reinterpret_cast<HWND>(L) &&
            GetParent(reinterpret_cast<HWND>(L)) == AWnd)
            ActivateNext(AWnd, reinterpret_cast<HWND>(L), false, true, true);
        return 0;
    default: return DefWindowProc(AWnd, AMsg, W, L);
    }
}

} // namespace

HWND CreateMDIClient(HWND AFrame, const TRect& AInFrame)
{
    TWndClass existing;
    if (!GetClassInfo(ClientClass, existing)) {
        TWndClass cls;
        cls.ClassName = ClientClass;
        cls.WndProc = ClientProc;
        cls.Background = int64_t(0xFF000000u | COLOR_APPWORKSPACE);
        RegisterClass(cls);
    }
    HWND h = CreateWindowEx(0, ClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, AInFrame.Left,
                            AInFrame.Top, AInFrame.Width(), AInFrame.Height(), AFrame, ClientId);
    if (h) {
        SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetProp(AFrame, ClientProp, reinterpret_cast<intptr_t>(h));
    }
    return h;
}

HWND GetMDIClient(HWND AFrame)
{
    HWND h = reinterpret_cast<HWND>(GetProp(AFrame, ClientProp));
    return IsWindow(h) && GetParent(h) == AFrame ? h : nullptr;
}

std::vector<HWND> GetMDIChildren(HWND AClient)
{
    std::vector<HWND> list = ByZOrder(AClient);
    // A child raised without being activated may lie above the active one;
    // the active child still leads.
    HWND active = ActiveChild(AClient);
    if (auto it = std::find(list.begin(), list.end(), active); it != list.end())
        std::rotate(list.begin(), it, it + 1);
    return list;
}

std::vector<TRect> MDITileRects(const TRect& AArea, int ACount, bool AVertical)
{
    std::vector<TRect> rects;
    if (ACount <= 0)
        return rects;
    const int groups = std::max(1, int(std::sqrt(double(ACount))));
    const int base = ACount / groups, extra = ACount % groups;
    // Groups run across the major axis: rows when tiling vertically.
    const int major = AVertical ? AArea.Height() : AArea.Width();
    const int minor = AVertical ? AArea.Width() : AArea.Height();
    int at = 0;
    for (int g = 0; g < groups; ++g) {
        const int in = base + (g >= groups - extra ? 1 : 0);
        const int g0 = major * g / groups, g1 = major * (g + 1) / groups;
        for (int i = 0; i < in; ++i, ++at) {
            const int m0 = minor * i / in, m1 = minor * (i + 1) / in;
            rects.push_back(AVertical ? TRect{AArea.Left + m0, AArea.Top + g0, AArea.Left + m1, AArea.Top + g1}
                                      : TRect{AArea.Left + g0, AArea.Top + m0, AArea.Left + g1, AArea.Top + m1});
        }
    }
    return rects;
}

std::vector<TRect> MDICascadeRects(const TRect& AArea, int ACount, int AStep)
{
    std::vector<TRect> rects;
    if (ACount <= 0)
        return rects;
    const int step = std::max(1, AStep);
    const int w = AArea.Width(), h = AArea.Height();
    // As many steps as keep the windows at least half the area.
    const int fit = std::max(0, std::min((w - w / 2) / step, (h - h / 2) / step));
    const int steps = std::min(ACount - 1, fit);
    const int cw = w - steps * step, ch = h - steps * step;
    for (int i = 0; i < ACount; ++i) {
        const int d = (i % (steps + 1)) * step;
        rects.push_back(Bounds(AArea.Left + d, AArea.Top + d, cw, ch));
    }
    return rects;
}

TRect MDIIconSlot(const TRect& AArea, int AIndex, int AWidth, int AHeight)
{
    const int perRow = std::max(1, AArea.Width() / std::max(1, AWidth));
    const int col = AIndex % perRow, row = AIndex / perRow;
    return Bounds(AArea.Left + col * AWidth, AArea.Bottom - (row + 1) * AHeight, AWidth, AHeight);
}

} // namespace platform
