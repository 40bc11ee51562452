#include "platform/ui/Paint.h"

#include "platform/ui/WindowSystem.h"

#include <map>
#include <set>

namespace platform {
namespace detail {
namespace {

std::set<HWND>& Pending()
{
    static std::set<HWND> pending;
    return pending;
}

std::map<HWND, TUpdateRegion>& PresentDirty()
{
    static std::map<HWND, TUpdateRegion> dirty;
    return dirty;
}

bool NeedsPaint(const TWindowData* W) { return !W->Update.IsEmpty() || W->NCPaintNeeded; }

void Track(TWindowData* W)
{
    if (NeedsPaint(W))
        Pending().insert(W->Handle);
    else
        Pending().erase(W->Handle);
}

bool CanPaint(const TWindowData* W)
{
    for (const TWindowData* a = W; a; a = a->IsTopLevel() ? nullptr : Find(a->Parent))
        if (!a->Redraw)
            return false;
    return IsVisibleChain(W);
}

// AInClient: client coordinates of W. Children are included when W does not
// clip them away, or when asked.
void InvalidateIn(TWindowData* W, const TRect& AInClient, bool AErase, bool AChildren, bool AFrame)
{
    TRect clientArea = Rect(0, 0, W->Client.Width(), W->Client.Height());
    TRect r = IntersectRect(AInClient, clientArea);
    if (!r.IsEmpty()) {
        W->Update.Add(r);
        if (AErase)
            W->EraseNeeded = true;
    }
    if (AFrame && W->Client != Rect(0, 0, W->Rect.Width(), W->Rect.Height()))
        W->NCPaintNeeded = true;
    Track(W);
    if (!AChildren && (W->Style & WS_CLIPCHILDREN))
        return;
    for (HWND h : W->Children) {
        TWindowData* c = Find(h);
        if (!(c->Style & WS_VISIBLE))
            continue;
        TRect inChild = OffsetRect(AInClient, -(c->Rect.Left + c->Client.Left), -(c->Rect.Top + c->Client.Top));
        TRect childWindow = OffsetRect(Rect(0, 0, c->Rect.Width(), c->Rect.Height()), -c->Client.Left, -c->Client.Top);
        if (IntersectRect(inChild, childWindow).IsEmpty())
            continue;
        InvalidateIn(c, inChild, AErase, AChildren, AFrame && !IntersectRect(inChild, childWindow).IsEmpty());
    }
}

HWND FirstPending(TWindowData* W)
{
    if (Pending().count(W->Handle))
        return W->Handle;
    for (HWND h : W->Children) {
        TWindowData* c = Find(h);
        if (c->Style & WS_VISIBLE)
            if (HWND found = FirstPending(c))
                return found;
    }
    return nullptr;
}

} // namespace

void ForgetPaint(HWND AWnd)
{
    Pending().erase(AWnd);
    PresentDirty().erase(AWnd);
}

void InvalidateWindowArea(TWindowData* W, bool AChildren)
{
    if (!CanPaint(W))
        return;
    TRect all = OffsetRect(Rect(0, 0, W->Rect.Width(), W->Rect.Height()), -W->Client.Left, -W->Client.Top);
    InvalidateIn(W, all, true, AChildren, true);
}

void InvalidateParentArea(TWindowData* W, const TRect& AInParent)
{
    if (W->IsTopLevel())
        return;
    TWindowData* parent = Find(W->Parent);
    if (parent && CanPaint(parent))
        InvalidateIn(parent, AInParent, true, false, false);
}

HWND NextWindowToPaint()
{
    if (Pending().empty())
        return nullptr;
    for (HWND h : WS().TopLevels) {
        TWindowData* w = Find(h);
        if (!(w->Style & WS_VISIBLE))
            continue;
        if (HWND found = FirstPending(w))
            if (CanPaint(Find(found)))
                return found;
    }
    // Whatever waits and cannot be painted (hidden, redraw off) waits silently.
    return nullptr;
}

void AddPresentDirty(HWND ATopLevel, const TRect& AInWindow)
{
    PresentDirty()[ATopLevel].Add(AInWindow);
}

} // namespace detail

using namespace detail;

bool InvalidateRect(HWND AWnd, const TRect* ARect, bool AErase)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    if (!CanPaint(w))
        return true;
    TRect r = ARect ? *ARect : Rect(0, 0, w->Client.Width(), w->Client.Height());
    InvalidateIn(w, r, AErase, false, false);
    return true;
}

bool ValidateRect(HWND AWnd, const TRect* ARect)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    if (ARect) {
        w->Update.Subtract(*ARect);
    } else {
        w->Update.Clear();
        w->NCPaintNeeded = false;
    }
    if (w->Update.IsEmpty())
        w->EraseNeeded = false;
    Track(w);
    return true;
}

bool GetUpdateRect(HWND AWnd, TRect* ARect, bool AErase)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    if (ARect)
        *ARect = w->Update.Box();
    return !w->Update.IsEmpty();
}

void* BeginPaint(HWND AWnd, TPaintStruct& APaint)
{
    APaint = TPaintStruct{};
    TWindowData* w = Find(AWnd);
    if (!w)
        return nullptr;
    if (w->NCPaintNeeded) {
        w->NCPaintNeeded = false;
        Send(AWnd, WM_NCPAINT, 1, 0);
        if (!(w = Find(AWnd)))
            return nullptr;
    }
    TUpdateRegion region = w->Update;
    const bool erase = w->EraseNeeded;
    w->Update.Clear();
    w->EraseNeeded = false;
    Track(w);
    APaint.rcPaint = region.Box();
    if (erase && !region.IsEmpty())
        APaint.fErase = Send(AWnd, WM_ERASEBKGND, 0, 0) == 0;
    return APaint.hdc;
}

bool EndPaint(HWND AWnd, const TPaintStruct& APaint)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    TRect inTop = RectInTopLevel(w);
    TRect r = OffsetRect(APaint.rcPaint, inTop.Left + w->Client.Left, inTop.Top + w->Client.Top);
    AddPresentDirty(TopLevelOf(w)->Handle, r);
    return true;
}

bool UpdateWindow(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    if (NeedsPaint(w) && CanPaint(w))
        Send(AWnd, WM_PAINT);
    if ((w = Find(AWnd)) && NeedsPaint(w))
        ValidateRect(AWnd, nullptr);   // a procedure that does not paint must not be asked forever
    return true;
}

namespace {

void UpdateTree(HWND AWnd, bool AChildren)
{
    UpdateWindow(AWnd);
    if (!AChildren)
        return;
    TWindowData* w = Find(AWnd);
    if (!w)
        return;
    for (HWND c : std::vector<HWND>(w->Children))
        if (IsWindow(c))
            UpdateTree(c, true);
}

} // namespace

bool RedrawWindow(HWND AWnd, const TRect* ARect, UINT AFlags)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return false;
    const bool children = AFlags & RDW_ALLCHILDREN;
    if (AFlags & RDW_INVALIDATE) {
        if (CanPaint(w)) {
            TRect r = ARect ? *ARect : OffsetRect(Rect(0, 0, w->Rect.Width(), w->Rect.Height()), -w->Client.Left, -w->Client.Top);
            InvalidateIn(w, r, AFlags & RDW_ERASE, children, AFlags & RDW_FRAME);
        }
    } else if (AFlags & RDW_VALIDATE) {
        ValidateRect(AWnd, ARect);
    }
    if (AFlags & (RDW_UPDATENOW | RDW_ERASENOW))
        UpdateTree(AWnd, children || !(w->Style & WS_CLIPCHILDREN));
    return true;
}

void FlushPresentation()
{
    auto& dirty = PresentDirty();
    if (dirty.empty())
        return;
    std::map<HWND, TUpdateRegion> work;
    work.swap(dirty);
    for (auto& [h, region] : work)
        if (TWindowData* w = Find(h); w && (w->Style & WS_VISIBLE))
            Backend().Present(h, region.Box());
}

} // namespace platform
