#include "platform/ui/Paint.h"

#include "platform/ui/MessageLoop.h"
#include "platform/ui/WindowSystem.h"

#include <algorithm>
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

std::map<HWND, TRect>& PresentDirty()
{
    static std::map<HWND, TRect> dirty;
    return dirty;
}

bool NeedsPaint(const TWindowData* W) { return !RgnIsEmpty(W->Update) || W->NCPaintNeeded; }

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

TRect WholeWindowInClient(const TWindowData* W)
{
    return OffsetRect(Rect(0, 0, W->Rect.Width(), W->Rect.Height()), -W->Client.Left, -W->Client.Top);
}

// AInClient: client coordinates of W. Children are included when W does not
// clip them away, or when asked.
void InvalidateIn(TWindowData* W, const TRect& AInClient, bool AErase, bool AChildren, bool AFrame)
{
    TRect r = IntersectRect(AInClient, Rect(0, 0, W->Client.Width(), W->Client.Height()));
    if (!r.IsEmpty()) {
        RgnAddRect(W->Update, r);
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
        if (IntersectRect(inChild, WholeWindowInClient(c)).IsEmpty())
            continue;
        InvalidateIn(c, inChild, AErase, AChildren, AFrame);
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

// The area W covers in its top-level window: its rectangle cut by its region.
void SubtractShape(HRGN ARegion, const TWindowData* W)
{
    TRect r = RectInTopLevel(W);
    HRGN shape = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    if (W->Region) {
        HRGN own = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(own, W->Region, nullptr, RGN_COPY);
        OffsetRgn(own, r.Left, r.Top);
        CombineRgn(shape, shape, own, RGN_AND);
        DeleteObject(own);
    }
    CombineRgn(ARegion, ARegion, shape, RGN_DIFF);
    DeleteObject(shape);
}

void SubtractRect(HRGN ARegion, const TRect& R)
{
    HRGN cut = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
    CombineRgn(ARegion, ARegion, cut, RGN_DIFF);
    DeleteObject(cut);
}

void IntersectWithWindowRegion(HRGN ARegion, const TWindowData* W, const TRect& AWindowInTop)
{
    if (!W->Region)
        return;
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(shape, W->Region, nullptr, RGN_COPY);
    OffsetRgn(shape, AWindowInTop.Left, AWindowInTop.Top);
    CombineRgn(ARegion, ARegion, shape, RGN_AND);
    DeleteObject(shape);
}

// The DC for W: device (0, 0) at its client or window origin.
HDC MakeDC(TWindowData* W, bool AClient, HRGN AClip)
{
    TWindowData* top = TopLevelOf(W);
    TRect inTop = RectInTopLevel(W);
    TPoint origin = AClient ? Point(inTop.Left + W->Client.Left, inTop.Top + W->Client.Top) : Point(inTop.Left, inTop.Top);
    TRect visible = AClient ? Rect(0, 0, W->Client.Width(), W->Client.Height()) : Rect(0, 0, W->Rect.Width(), W->Rect.Height());
    HDC dc = CreateSurfaceDC(SurfaceOf(top), origin, visible);
    OffsetRgn(AClip, -origin.X, -origin.Y);
    SetSurfaceDCVisibleRegion(dc, AClip);
    return dc;
}

} // namespace

bool RgnIsEmpty(HRGN ARegion)
{
    TRect box;
    return !ARegion || GetRgnBox(ARegion, &box) <= NULLREGION;
}

TRect RgnBox(HRGN ARegion)
{
    TRect box;
    if (!ARegion || GetRgnBox(ARegion, &box) <= NULLREGION)
        return TRect{};
    return box;
}

void RgnAddRect(HRGN& ARegion, const TRect& R)
{
    if (R.IsEmpty())
        return;
    HRGN add = CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom);
    if (!ARegion) {
        ARegion = add;
        return;
    }
    CombineRgn(ARegion, ARegion, add, RGN_OR);
    DeleteObject(add);
}

HRGN VisibleRegion(TWindowData* W, bool AClientOnly, bool AClipChildren)
{
    TRect inTop = RectInTopLevel(W);
    TRect area = AClientOnly ? OffsetRect(W->Client, inTop.Left, inTop.Top) : inTop;
    HRGN rgn = CreateRectRgn(area.Left, area.Top, area.Right, area.Bottom);
    IntersectWithWindowRegion(rgn, W, inTop);
    for (TWindowData* a = W; !a->IsTopLevel(); a = Find(a->Parent)) {
        TWindowData* parent = Find(a->Parent);
        TRect parentInTop = RectInTopLevel(parent);
        TRect parentClient = OffsetRect(parent->Client, parentInTop.Left, parentInTop.Top);
        HRGN clip = CreateRectRgn(parentClient.Left, parentClient.Top, parentClient.Right, parentClient.Bottom);
        CombineRgn(rgn, rgn, clip, RGN_AND);
        DeleteObject(clip);
        IntersectWithWindowRegion(rgn, parent, parentInTop);
        if (a->Style & WS_CLIPSIBLINGS)
            for (HWND s : parent->Children) {
                if (s == a->Handle)
                    break;
                TWindowData* sib = Find(s);
                if (sib->Style & WS_VISIBLE)
                    SubtractShape(rgn, sib);
            }
    }
    if (AClipChildren && !W->Children.empty()) {
        // Children show only inside the client area: the frame under a
        // child that reaches past it is still the window's own to paint.
        const TRect client = OffsetRect(W->Client, inTop.Left, inTop.Top);
        HRGN inside = CreateRectRgn(client.Left, client.Top, client.Right, client.Bottom);
        CombineRgn(inside, rgn, inside, RGN_AND);
        CombineRgn(rgn, rgn, inside, RGN_DIFF);
        for (HWND h : W->Children) {
            TWindowData* c = Find(h);
            if (c->Style & WS_VISIBLE)
                SubtractShape(inside, c);
        }
        CombineRgn(rgn, rgn, inside, RGN_OR);
        DeleteObject(inside);
    }
    return rgn;
}

void ForgetPaint(HWND AWnd)
{
    Pending().erase(AWnd);
    PresentDirty().erase(AWnd);
}

void InvalidateWindowArea(TWindowData* W, bool AChildren)
{
    if (CanPaint(W))
        InvalidateIn(W, WholeWindowInClient(W), true, AChildren, true);
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
    TRect& r = PresentDirty()[ATopLevel];
    r = UnionRect(r, AInWindow);
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
    if (ARect && w->Update) {
        SubtractRect(w->Update, *ARect);
    } else if (!ARect) {
        if (w->Update)
            SetRectRgn(w->Update, 0, 0, 0, 0);
        w->NCPaintNeeded = false;
    }
    if (RgnIsEmpty(w->Update))
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
        *ARect = RgnBox(w->Update);
    return !RgnIsEmpty(w->Update);
}

HDC BeginPaint(HWND AWnd, TPaintStruct& APaint)
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
    HRGN update = w->Update;
    w->Update = nullptr;
    const bool erase = w->EraseNeeded;
    w->EraseNeeded = false;
    Track(w);
    APaint.rcPaint = RgnBox(update);
    HRGN clip = VisibleRegion(w, true, w->Style & WS_CLIPCHILDREN);
    if (update) {
        TRect inTop = RectInTopLevel(w);
        OffsetRgn(update, inTop.Left + w->Client.Left, inTop.Top + w->Client.Top);
        CombineRgn(clip, clip, update, RGN_AND);
        DeleteObject(update);
    } else {
        SetRectRgn(clip, 0, 0, 0, 0);
    }
    if (TWindowData* top = TopLevelOf(w))
        AddPresentDirty(top->Handle, RgnBox(clip));
    APaint.hdc = MakeDC(w, true, clip);
    DeleteObject(clip);
    if (erase && !APaint.rcPaint.IsEmpty())
        APaint.fErase = Send(AWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(APaint.hdc), 0) == 0;
    return APaint.hdc;
}

bool EndPaint(HWND AWnd, const TPaintStruct& APaint)
{
    if (APaint.hdc)
        DeleteDC(APaint.hdc);
    return IsWindow(AWnd);
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

void PaintWaitingWindows()
{
    while (HWND h = NextWindowToPaint())
        UpdateWindow(h);
    FlushPresentation();
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
        if (CanPaint(w))
            InvalidateIn(w, ARect ? *ARect : WholeWindowInClient(w), AFlags & RDW_ERASE, children, AFlags & RDW_FRAME);
    } else if (AFlags & RDW_VALIDATE) {
        ValidateRect(AWnd, ARect);
    }
    if (AFlags & (RDW_UPDATENOW | RDW_ERASENOW))
        UpdateTree(AWnd, children || !(w->Style & WS_CLIPCHILDREN));
    return true;
}

namespace {

// What is drawn outside WM_PAINT is shown at the next flush: its whole visible area counts as new.
HDC DCOutsidePaint(HWND AWnd, bool AClient)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return nullptr;
    HRGN clip = VisibleRegion(w, AClient, w->Style & WS_CLIPCHILDREN);
    if (!IsVisibleChain(w))
        SetRectRgn(clip, 0, 0, 0, 0);
    AddPresentDirty(TopLevelOf(w)->Handle, RgnBox(clip));
    HDC dc = MakeDC(w, AClient, clip);
    DeleteObject(clip);
    return dc;
}

} // namespace

HDC GetDC(HWND AWnd) { return DCOutsidePaint(AWnd, true); }
HDC GetWindowDC(HWND AWnd) { return DCOutsidePaint(AWnd, false); }

int ReleaseDC(HWND AWnd, HDC ADC)
{
    return ADC && DeleteDC(ADC) ? 1 : 0;
}

const TPixelSurface* GetWindowSurface(HWND AWnd)
{
    static thread_local TPixelSurface surface;
    TWindowData* w = Find(AWnd);
    if (!w || !w->IsTopLevel())
        return nullptr;
    surface = SurfaceOf(w);
    return &surface;
}

bool HasPerPixelAlpha(HWND AWnd)
{
    TWindowData* w = Find(AWnd);
    return w && w->PerPixelAlpha && (w->ExStyle & WS_EX_LAYERED);
}

bool UpdateLayeredWindow(HWND AWnd, HDC ADest, const TPoint* APosition, const TSize* ASize, HDC ASource,
                         const TPoint* ASourcePoint, COLORREF AKey, const BLENDFUNCTION* ABlend, DWORD AFlags)
{
    TWindowData* w = Find(AWnd);
    if (!w || !w->IsTopLevel() || !(w->ExStyle & WS_EX_LAYERED))
        return false;
    if (APosition || ASize) {
        TRect r = w->Rect;
        int x = APosition ? APosition->X : r.Left, y = APosition ? APosition->Y : r.Top;
        int cx = ASize ? ASize->cx : r.Width(), cy = ASize ? ASize->cy : r.Height();
        SetWindowPos(AWnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        if (!(w = Find(AWnd)))
            return false;
    }
    const TPixelSurface surface = SurfaceOf(w);
    if (ASource) {
        TPoint src = ASourcePoint ? *ASourcePoint : TPoint{};
        HDC dc = CreateSurfaceDC(surface, TPoint{}, Rect(0, 0, surface.Width, surface.Height));
        BitBlt(dc, 0, 0, surface.Width, surface.Height, ASource, src.X, src.Y, SRCCOPY);
        DeleteDC(dc);
    }
    w->PerPixelAlpha = (AFlags & ULW_ALPHA) != 0;
    w->LayeredAlpha = ABlend ? ABlend->SourceConstantAlpha : 255;
    w->LayeredFlags = LWA_ALPHA;
    Backend().WindowAlphaChanged(AWnd);
    AddPresentDirty(AWnd, Rect(0, 0, surface.Width, surface.Height));
    return true;
}

void FlushPresentation()
{
    auto& dirty = PresentDirty();
    if (dirty.empty())
        return;
    std::map<HWND, TRect> work;
    work.swap(dirty);
    for (auto& [h, box] : work)
        if (TWindowData* w = Find(h); w && (w->Style & WS_VISIBLE) && !box.IsEmpty())
            Backend().Present(h, IntersectRect(box, Rect(0, 0, w->BufferWidth, w->BufferHeight)));
}

} // namespace platform
