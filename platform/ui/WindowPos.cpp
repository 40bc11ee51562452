// Positions, z-order, showing, activation, focus, capture and enabling.
#include "platform/ui/WindowSystem.h"

#include <algorithm>

namespace platform {
namespace detail {
namespace {

bool IsActivatable(const TWindowData* W)
{
    return W && W->IsTopLevel() && (W->Style & WS_VISIBLE) && !(W->Style & WS_DISABLED) &&
           !(W->ExStyle & WS_EX_NOACTIVATE) && !W->Destroying;
}

void Restack(TWindowData* W, HWND AInsertAfter)
{
    auto& list = SiblingList(W);
    auto it = std::find(list.begin(), list.end(), W->Handle);
    if (it == list.end())
        return;
    list.erase(it);
    if (W->IsTopLevel()) {
        if (AInsertAfter == HWND_TOPMOST)
            W->ExStyle |= WS_EX_TOPMOST;
        else if (AInsertAfter == HWND_NOTOPMOST)
            W->ExStyle &= ~WS_EX_TOPMOST;
    }
    auto pos = list.begin();
    if (AInsertAfter == HWND_BOTTOM) {
        pos = list.end();
    } else if (AInsertAfter == HWND_TOP || AInsertAfter == HWND_TOPMOST || AInsertAfter == HWND_NOTOPMOST) {
        // The front of the window's band: top-most windows stay above the others.
        if (W->IsTopLevel() && !(W->ExStyle & WS_EX_TOPMOST))
            while (pos != list.end() && (Find(*pos)->ExStyle & WS_EX_TOPMOST))
                ++pos;
    } else {
        auto after = std::find(list.begin(), list.end(), AInsertAfter);
        pos = after == list.end() ? list.begin() : after + 1;
    }
    list.insert(pos, W->Handle);
    if (W->IsTopLevel()) {
        // Owned windows stay above their owner.
        std::vector<HWND> owned;
        for (HWND h : list)
            if (h != W->Handle && Find(h)->Owner == W->Handle)
                owned.push_back(h);
        for (HWND h : owned) {
            list.erase(std::find(list.begin(), list.end(), h));
            list.insert(std::find(list.begin(), list.end(), W->Handle), h);
        }
    }
}

bool IsAtTopOfBand(TWindowData* W)
{
    for (HWND h : SiblingList(W)) {
        if (h == W->Handle)
            return true;
        TWindowData* o = Find(h);
        // Windows it owns and top-most windows may stay above it.
        if (o->Owner != W->Handle && ((o->ExStyle & WS_EX_TOPMOST) == (W->ExStyle & WS_EX_TOPMOST)))
            return false;
    }
    return true;
}

void MoveFocusOutOfHidden(TWindowData* W)
{
    auto& ws = WS();
    if (ws.Focus && (ws.Focus == W->Handle || IsChild(W->Handle, ws.Focus)))
        SetFocus(W->IsTopLevel() ? nullptr : W->Parent);
}

} // namespace

void Activate(HWND AWnd, bool AClick)
{
    auto& ws = WS();
    HWND prev = ws.Active;
    if (prev == AWnd)
        return;
    if (TWindowData* p = Find(prev)) {
        Send(prev, WM_NCACTIVATE, 0, reinterpret_cast<LPARAM>(AWnd));
        Send(prev, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(AWnd));
        (void)p;
    }
    ws.Active = Find(AWnd) ? AWnd : nullptr;
    if (!ws.Active) {
        // The program as a whole loses the activation.
        if (Find(prev))
            Send(prev, WM_ACTIVATEAPP, 0);
        if (ws.Focus) {
            HWND old = ws.Focus;
            Send(old, WM_KILLFOCUS, 0);
            ws.Focus = nullptr;
        }
        Backend().WindowActivated(nullptr);
        return;
    }
    if (!IsAtTopOfBand(Find(AWnd)))
        SetWindowPos(AWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (ws.Active != AWnd)
        return;
    if (!prev)
        Send(AWnd, WM_ACTIVATEAPP, 1);
    if (ws.Active != AWnd)
        return;
    Send(AWnd, WM_NCACTIVATE, 1, reinterpret_cast<LPARAM>(prev));
    WPARAM state = (AClick ? WA_CLICKACTIVE : WA_ACTIVE) | (IsIconic(AWnd) ? 0x10000 : 0);
    Send(AWnd, WM_ACTIVATE, state, reinterpret_cast<LPARAM>(prev));
    // Whatever the procedure did, the focus ends up inside the active window.
    if (ws.Active == AWnd && !IsIconic(AWnd) && ws.Focus != AWnd && !IsChild(AWnd, ws.Focus))
        SetFocus(AWnd);
    Backend().WindowActivated(AWnd);
}

void ActivateOtherWindow(HWND AGoing)
{
    TWindowData* going = Find(AGoing);
    HWND next = nullptr;
    if (going && going->Owner && IsActivatable(Find(going->Owner)))
        next = going->Owner;
    if (!next)
        for (HWND h : WS().TopLevels)
            if (h != AGoing && IsActivatable(Find(h)) && !(Find(h)->ExStyle & WS_EX_TOOLWINDOW) && !IsIconic(h)) {
                next = h;
                break;
            }
    Activate(next, false);
}

} // namespace detail

using namespace detail;

bool SetWindowPos(HWND AWnd, HWND AInsertAfter, int X, int Y, int CX, int CY, UINT AFlags)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    TWindowPos wp{AWnd, AInsertAfter, X, Y, std::max(0, CX), std::max(0, CY), AFlags};
    // What the flags keep is the window's own, before and after WM_WINDOWPOSCHANGING.
    auto keepUnchanged = [&] {
        if (wp.flags & SWP_NOMOVE) {
            wp.x = w->Rect.Left;
            wp.y = w->Rect.Top;
        }
        if (wp.flags & SWP_NOSIZE) {
            wp.cx = w->Rect.Width();
            wp.cy = w->Rect.Height();
        }
    };
    keepUnchanged();
    if ((wp.flags & SWP_SHOWWINDOW) && (w->Style & WS_VISIBLE))
        wp.flags &= ~SWP_SHOWWINDOW;
    if ((wp.flags & SWP_HIDEWINDOW) && !(w->Style & WS_VISIBLE))
        wp.flags &= ~SWP_HIDEWINDOW;
    if (!w->IsTopLevel())
        wp.flags |= SWP_NOACTIVATE;
    if (!(wp.flags & SWP_NOSENDCHANGING))
        Send(AWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = Find(AWnd)))
        return false;
    keepUnchanged();
    wp.cx = std::max(0, wp.cx);
    wp.cy = std::max(0, wp.cy);

    const TRect oldRect = w->Rect;
    const TRect oldClient = w->Client;
    const bool wasVisible = w->Style & WS_VISIBLE;
    TRect newRect = Bounds(wp.x, wp.y, wp.cx, wp.cy);
    const bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
    TRect newClient = OffsetRect(oldClient, newRect.Left, newRect.Top);
    if (sized || (wp.flags & SWP_FRAMECHANGED)) {
        TNCCalcSizeParams params;
        params.rgrc[0] = newRect;
        params.rgrc[1] = oldRect;
        params.rgrc[2] = OffsetRect(oldClient, oldRect.Left, oldRect.Top);
        params.lppos = &wp;
        Send(AWnd, WM_NCCALCSIZE, 1, reinterpret_cast<LPARAM>(&params));
        if (!(w = Find(AWnd)))
            return false;
        newClient = params.rgrc[0];
    }
    w->Rect = newRect;
    w->Client = OffsetRect(newClient, -newRect.Left, -newRect.Top);
    if (sized && w->IsTopLevel())
        ResizeBackBuffer(w);
    if (!(wp.flags & SWP_NOZORDER))
        Restack(w, wp.hwndInsertAfter);
    if (wp.flags & SWP_SHOWWINDOW)
        w->Style |= WS_VISIBLE;
    if (wp.flags & SWP_HIDEWINDOW)
        w->Style &= ~WS_VISIBLE;
    const bool visible = w->Style & WS_VISIBLE;
    const bool moved = newRect.Left != oldRect.Left || newRect.Top != oldRect.Top;

    // What has to be painted again.
    if (!(wp.flags & SWP_NOREDRAW)) {
        if (!w->IsTopLevel() && wasVisible && (moved || sized || !visible || !(wp.flags & SWP_NOZORDER)))
            InvalidateParentArea(w, oldRect);
        if (visible && (!wasVisible || sized || (wp.flags & SWP_FRAMECHANGED) ||
                        (!w->IsTopLevel() && (moved || !(wp.flags & SWP_NOZORDER)))))
            InvalidateWindowArea(w, true);
    }
    if (w->IsTopLevel()) {
        if (moved || sized)
            Backend().WindowMoved(AWnd, w->Rect);
        if (!(wp.flags & SWP_NOZORDER))
            Backend().WindowRestacked();
        if (visible != wasVisible)
            Backend().WindowShown(AWnd, visible);
        SyncDropShadow(w);
    }
    if (moved || sized || visible != wasVisible || !(wp.flags & SWP_NOZORDER))
        SyncNativeChildren(TopLevelOf(w));

    if (wasVisible && !visible) {
        MoveFocusOutOfHidden(w);
        if (w->IsTopLevel() && WS().Active == AWnd)
            ActivateOtherWindow(AWnd);
    }
    if (!(wp.flags & SWP_NOACTIVATE) && visible && w->IsTopLevel() && !(w->ExStyle & WS_EX_NOACTIVATE))
        Activate(AWnd, false);
    if (!(w = Find(AWnd)))
        return true;

    TWindowPos changed = wp;
    changed.flags &= ~(SWP_NOCLIENTSIZE | SWP_NOCLIENTMOVE);
    if (w->Client.Width() == oldClient.Width() && w->Client.Height() == oldClient.Height() &&
        !(wp.flags & SWP_SHOWWINDOW))
        changed.flags |= SWP_NOCLIENTSIZE;
    if (w->Rect.Left + w->Client.Left == oldRect.Left + oldClient.Left &&
        w->Rect.Top + w->Client.Top == oldRect.Top + oldClient.Top && !(wp.flags & SWP_SHOWWINDOW))
        changed.flags |= SWP_NOCLIENTMOVE;
    if (wp.flags & SWP_SHOWWINDOW) {
        // A shown window learns its size and place only when they changed.
        if (!sized && w->Client == oldClient)
            changed.flags |= SWP_NOCLIENTSIZE;
        if (!moved && w->Client == oldClient)
            changed.flags |= SWP_NOCLIENTMOVE;
    }
    if (w->StateChanged) {
        w->StateChanged = false;
        changed.flags &= ~SWP_NOCLIENTSIZE;
    }
    Send(AWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&changed));
    return true;
}

bool MoveWindow(HWND AWnd, int X, int Y, int AWidth, int AHeight, bool ARepaint)
{
    return SetWindowPos(AWnd, nullptr, X, Y, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE | (ARepaint ? 0 : SWP_NOREDRAW));
}

namespace {

// Minimising and maximising: the bounds the new state takes.
bool StateBounds(TWindowData* W, int ACmd, TRect& ABounds, DWORD& AState)
{
    DWORD state = W->Style & (WS_MINIMIZE | WS_MAXIMIZE);
    DWORD want = state;
    switch (ACmd) {
    case SW_MINIMIZE: case SW_SHOWMINIMIZED: case SW_SHOWMINNOACTIVE: want = WS_MINIMIZE; break;
    case SW_MAXIMIZE: want = WS_MAXIMIZE; break;
    case SW_RESTORE: case SW_SHOWNORMAL: want = 0; break;
    default: return false;
    }
    if (want == state)
        return false;
    if (!state) {
        W->RestoreRect = W->Rect;
        W->HasRestoreRect = true;
    }
    if (want == WS_MAXIMIZE) {
        TMinMaxInfo mmi;
        TRect work = W->IsTopLevel() ? GetWorkArea() : Rect(0, 0, Find(W->Parent)->Client.Width(), Find(W->Parent)->Client.Height());
        mmi.ptMaxSize = Point(work.Width(), work.Height());
        mmi.ptMaxPosition = Point(work.Left, work.Top);
        mmi.ptMaxTrackSize = mmi.ptMaxSize;
        Send(W->Handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        ABounds = Bounds(mmi.ptMaxPosition.X, mmi.ptMaxPosition.Y, mmi.ptMaxSize.X, mmi.ptMaxSize.Y);
    } else if (want == WS_MINIMIZE) {
        ABounds = W->HasRestoreRect && state == WS_MAXIMIZE ? W->Rect : W->Rect;
    } else {
        ABounds = W->HasRestoreRect ? W->RestoreRect : W->Rect;
        W->HasRestoreRect = false;
    }
    AState = want;
    return true;
}

// The client window of a document window hears of its state and visibility
// changes: it moves the activation on and places minimised documents.
void TellMDIClient(HWND AWnd, bool AShown)
{
    TWindowData* w = Find(AWnd);
    if (w && !w->IsTopLevel() && (w->ExStyle & WS_EX_MDICHILD))
        Send(w->Parent, WM_MDIREFRESHMENU, reinterpret_cast<WPARAM>(AWnd), AShown);
}

} // namespace

bool ShowWindow(HWND AWnd, int ACmdShow)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    const bool wasVisible = w->Style & WS_VISIBLE;
    if (ACmdShow == SW_HIDE) {
        if (!wasVisible)
            return false;
        Send(AWnd, WM_SHOWWINDOW, 0, 0);
        UINT flags = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
        if (!w->IsTopLevel() || WS().Active != AWnd)
            flags |= SWP_NOACTIVATE;
        SetWindowPos(AWnd, nullptr, 0, 0, 0, 0, flags);
        TellMDIClient(AWnd, false);
        return true;
    }
    bool activate = ACmdShow == SW_SHOW || ACmdShow == SW_SHOWNORMAL || ACmdShow == SW_RESTORE ||
                    ACmdShow == SW_MAXIMIZE || ACmdShow == SW_SHOWMINIMIZED;
    UINT flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
    if (!activate || !w->IsTopLevel() || (w->ExStyle & WS_EX_NOACTIVATE))
        flags |= SWP_NOACTIVATE;
    if (!w->IsTopLevel())
        flags |= SWP_NOZORDER;
    TRect bounds;
    DWORD state = 0;
    bool stateChange = StateBounds(w, ACmdShow, bounds, state);
    if (!wasVisible)
        Send(AWnd, WM_SHOWWINDOW, 1, 0);
    if (!(w = Find(AWnd)))
        return false;
    if (stateChange) {
        w->Style = (w->Style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | state;
        w->StateChanged = true;
        flags = (flags & ~(SWP_NOSIZE | SWP_NOMOVE)) | SWP_FRAMECHANGED;
        if (state == WS_MINIMIZE)
            flags |= SWP_NOACTIVATE;
    }
    SetWindowPos(AWnd, HWND_TOP, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), flags);
    if (stateChange && IsWindow(AWnd) && Find(AWnd)->IsTopLevel())
        Backend().WindowStateChanged(AWnd);
    if (stateChange && state == WS_MINIMIZE && WS().Active == AWnd)
        ActivateOtherWindow(AWnd);
    if (stateChange || !wasVisible)
        TellMDIClient(AWnd, !wasVisible);
    return wasVisible;
}

HWND SetActiveWindow(HWND AWnd)
{
    HWND prev = WS().Active;
    TWindowData* w = Find(AWnd);
    if (AWnd && (!w || !w->IsTopLevel()))
        return nullptr;
    Activate(AWnd, false);
    return prev;
}

HWND GetActiveWindow() { return WS().Active; }
bool SetForegroundWindow(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    Activate(TopLevelOf(w)->Handle, false);
    return true;
}
HWND GetForegroundWindow() { return WS().Active; }

HWND SetFocus(HWND AWnd)
{
    auto& ws = WS();
    HWND old = ws.Focus;
    if (!AWnd) {
        if (old) {
            Send(old, WM_KILLFOCUS, 0);
            if (ws.Focus == old)
                ws.Focus = nullptr;
        }
        return old;
    }
    TWindowData* w = Find(AWnd);
    if (!w || w->Destroying)
        return nullptr;
    // Keys never go to a window that cannot take them.
    for (TWindowData* a = w; a; a = a->IsTopLevel() ? nullptr : Find(a->Parent))
        if (a->Style & WS_DISABLED)
            return nullptr;
    HWND root = TopLevelOf(w)->Handle;
    if (ws.Active != root) {
        Activate(root, false);
        if (ws.Active != root)
            return nullptr;
        old = ws.Focus;
    }
    if (ws.Focus == AWnd)
        return old;
    if (old)
        Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(AWnd));
    if (!IsWindow(AWnd))
        return old;
    ws.Focus = AWnd;
    Send(AWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(IsWindow(old) ? old : nullptr));
    return old;
}

HWND GetFocus() { return WS().Focus; }

HWND SetCapture(HWND AWnd)
{
    auto& ws = WS();
    HWND old = ws.Capture;
    if (!Find(AWnd))
        return old;
    ws.Capture = AWnd;
    if (Find(AWnd)->IsTopLevel() && !ws.PopupGrab)
        Backend().GrabPointer(AWnd);
    if (old && old != AWnd)
        Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(AWnd));
    return old;
}

HWND SetPopupGrab(HWND AWnd)
{
    auto& ws = WS();
    HWND old = ws.PopupGrab;
    if (AWnd && !Find(AWnd))
        return old;
    ws.PopupGrab = AWnd;
    Backend().GrabPointer(AWnd);
    return old;
}

HWND GetPopupGrab() { return WS().PopupGrab; }

HWND GetCapture() { return WS().Capture; }

bool ReleaseCapture()
{
    auto& ws = WS();
    HWND old = ws.Capture;
    ws.Capture = nullptr;
    if (old && !ws.PopupGrab && Find(old) && Find(old)->IsTopLevel())
        Backend().GrabPointer(nullptr);
    if (old)
        Send(old, WM_CAPTURECHANGED, 0, 0);
    return true;
}

bool EnableWindow(HWND AWnd, bool AEnable)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    const bool wasDisabled = w->Style & WS_DISABLED;
    if (AEnable && wasDisabled) {
        w->Style &= ~WS_DISABLED;
        Send(AWnd, WM_ENABLE, 1);
    } else if (!AEnable && !wasDisabled) {
        Send(AWnd, WM_CANCELMODE);
        if (!(w = Find(AWnd)))
            return false;
        w->Style |= WS_DISABLED;
        if (WS().Focus == AWnd)
            SetFocus(nullptr);
        if (WS().Capture == AWnd)
            ReleaseCapture();
        Send(AWnd, WM_ENABLE, 0);
    }
    return wasDisabled;
}

namespace {

bool InRegion(const TWindowData* W, TPoint AInWindow)
{
    return !W->Region || PtInRegion(W->Region, AInWindow.X, AInWindow.Y);
}

HWND DeepestChild(TWindowData* AParent, TPoint AScreen)
{
    TPoint origin = ClientOriginOnScreen(AParent);
    TPoint p = Point(AScreen.X - origin.X, AScreen.Y - origin.Y);
    if (!PtInRect(Rect(0, 0, AParent->Client.Width(), AParent->Client.Height()), p))
        return AParent->Handle;
    for (HWND h : AParent->Children) {
        TWindowData* c = Find(h);
        if (!(c->Style & WS_VISIBLE) || !PtInRect(c->Rect, p) ||
            !InRegion(c, Point(p.X - c->Rect.Left, p.Y - c->Rect.Top)))
            continue;
        // A disabled child gives its place to its parent.
        if (c->Style & WS_DISABLED)
            return AParent->Handle;
        return DeepestChild(c, AScreen);
    }
    return AParent->Handle;
}

} // namespace

HWND WindowFromPoint(TPoint AScreen)
{
    for (HWND h : WS().TopLevels) {
        TWindowData* w = Find(h);
        if (!(w->Style & WS_VISIBLE) || (w->Style & WS_MINIMIZE) || !PtInRect(w->Rect, AScreen))
            continue;
        if ((w->ExStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) == (WS_EX_LAYERED | WS_EX_TRANSPARENT))
            continue;   // click-through
        if (!InRegion(w, Point(AScreen.X - w->Rect.Left, AScreen.Y - w->Rect.Top)))
            continue;
        return DeepestChild(w, AScreen);
    }
    return nullptr;
}

HWND ChildWindowFromPoint(HWND AParent, TPoint AClient)
{
    TWindowData* parent = Find(AParent);
    if (!parent)
        return nullptr;
    if (!PtInRect(Rect(0, 0, parent->Client.Width(), parent->Client.Height()), AClient))
        return nullptr;
    for (HWND h : parent->Children) {
        TWindowData* c = Find(h);
        if ((c->Style & WS_VISIBLE) && PtInRect(c->Rect, AClient))
            return h;
    }
    return AParent;
}

} // namespace platform
