// What a window does with a message its procedure leaves alone.
#include "platform/ui/Input.h"
#include "platform/ui/MdiClient.h"
#include "platform/ui/Paint.h"
#include "platform/ui/WindowSystem.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace detail {
namespace {

TRect ClientInWindow(const TWindowData* W, const TRect& AWindowRect)
{
    TRect in = FrameInsets(W->Style, W->ExStyle);
    TRect r{AWindowRect.Left + in.Left, AWindowRect.Top + in.Top, AWindowRect.Right - in.Right, AWindowRect.Bottom - in.Bottom};
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

LRESULT HitTest(TWindowData* W, TPoint AScreen)
{
    TPoint o = WindowOriginOnScreen(W);
    TPoint p = Point(AScreen.X - o.X, AScreen.Y - o.Y);
    TRect all = Rect(0, 0, W->Rect.Width(), W->Rect.Height());
    if (!PtInRect(all, p))
        return HTNOWHERE;
    if (PtInRect(W->Client, p))
        return HTCLIENT;
    TRect in = FrameInsets(W->Style, W->ExStyle);
    const bool sizable = (W->Style & WS_THICKFRAME) && !(W->Style & (WS_MAXIMIZE | WS_MINIMIZE));
    if (sizable) {
        int b = GetSystemMetrics(SM_CXFRAME);
        bool left = p.X < b, right = p.X >= all.Right - b, top = p.Y < b, bottom = p.Y >= all.Bottom - b;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    if ((W->Style & WS_CAPTION) == WS_CAPTION && p.Y < in.Top && p.Y >= in.Top - GetSystemMetrics(SM_CYCAPTION))
        return HTCAPTION;
    return HTBORDER;
}

TCursorShape CursorForHit(LRESULT AHit)
{
    switch (AHit) {
    case HTLEFT: case HTRIGHT: return TCursorShape::crSizeWE;
    case HTTOP: case HTBOTTOM: return TCursorShape::crSizeNS;
    case HTTOPLEFT: case HTBOTTOMRIGHT: return TCursorShape::crSizeNWSE;
    case HTTOPRIGHT: case HTBOTTOMLEFT: return TCursorShape::crSizeNESW;
    default: return TCursorShape::crArrow;
    }
}

void SizeEdges(WPARAM AEdge, bool& L, bool& T, bool& R, bool& B)
{
    LRESULT hit = LRESULT(AEdge) - 1 + HTLEFT;   // SC_SIZE + 1..8 follow HTLEFT..HTBOTTOMRIGHT
    L = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
    R = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
    T = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
    B = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
}

COLORREF ResolveColor(int64_t AColor)
{
    uint32_t c = uint32_t(AColor);
    return (c & 0xFF000000u) == 0xFF000000u ? GetSysColor(int(c & 0xFF)) : (c & 0x00FFFFFFu);
}

LRESULT EraseBackground(TWindowData* W, HDC ADC)
{
    if (!ADC || W->Class->Background < 0)
        return 0;
    HBRUSH brush = CreateSolidBrush(ResolveColor(W->Class->Background));
    TRect r = Rect(0, 0, W->Client.Width(), W->Client.Height());
    FillRect(ADC, &r, brush);
    DeleteObject(brush);
    return 1;
}

// A document window of a multiple-document frame looks active while it is
// the active document; other windows while they are the active window.
bool FrameLooksActive(const TWindowData* W)
{
    if (!W->IsTopLevel() && (W->ExStyle & WS_EX_MDICHILD))
        return Send(W->Parent, WM_MDIGETACTIVE) == reinterpret_cast<LRESULT>(W->Handle);
    return GetActiveWindow() == W->Handle;
}

// A frame whose active document is maximised shows the document's caption
// after its own.
std::string FrameCaption(const TWindowData* W)
{
    HWND client = W->IsTopLevel() ? GetMDIClient(W->Handle) : nullptr;
    bool maximized = false;
    HWND doc = client ? reinterpret_cast<HWND>(Send(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized))) : nullptr;
    if (!doc || !maximized)
        return W->Text;
    return W->Text + " - [" + GetWindowText(doc) + "]";
}

// The plain frame of a window without a skin: raised border, caption bar
// with the window's text.
void PaintDefaultFrame(TWindowData* W)
{
    if (W->Client == Rect(0, 0, W->Rect.Width(), W->Rect.Height()))
        return;
    HDC dc = GetWindowDC(W->Handle);
    TRect all = Rect(0, 0, W->Rect.Width(), W->Rect.Height());
    ExcludeClipRect(dc, W->Client.Left, W->Client.Top, W->Client.Right, W->Client.Bottom);
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    TRect edge = all;
    DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    if ((W->Style & WS_CAPTION) == WS_CAPTION) {
        TRect in = FrameInsets(W->Style & ~WS_CAPTION, W->ExStyle);
        TRect cap = Rect(in.Left, in.Top, all.Right - in.Right, W->Client.Top);
        const bool active = FrameLooksActive(W);
        FillRect(dc, &cap, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        TRect text = cap;
        text.Left += 4;
        DrawText(dc, FrameCaption(W), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    ReleaseDC(W->Handle, dc);
}

} // namespace

// Moving or sizing with the mouse: a modal loop that holds the capture until
// the button goes up (Escape puts the window back).
void RunMoveSizeLoop(HWND AWnd, WPARAM ACommand)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return;
    const bool moving = (ACommand & 0xFFF0) == SC_MOVE;
    bool el = false, et = false, er = false, eb = false;
    if (!moving)
        SizeEdges(ACommand & 0x000F, el, et, er, eb);
    const TRect start = w->Rect;
    const TPoint origin = GetCursorPos();
    SetCapture(AWnd);
    Send(AWnd, WM_ENTERSIZEMOVE);
    TMsg msg;
    bool cancelled = false;
    while (GetCapture() == AWnd && IsWindow(AWnd)) {
        if (!GetMessage(msg)) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (msg.message == WM_LBUTTONUP)
            break;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            cancelled = true;
            break;
        }
        if (msg.message != WM_MOUSEMOVE) {
            TranslateMessage(msg);
            DispatchMessage(msg);
            continue;
        }
        int dx = msg.pt.X - origin.X, dy = msg.pt.Y - origin.Y;
        TRect r = start;
        if (moving) {
            r = OffsetRect(start, dx, dy);
            Send(AWnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
        } else {
            if (el) r.Left += dx;
            if (er) r.Right += dx;
            if (et) r.Top += dy;
            if (eb) r.Bottom += dy;
            TMinMaxInfo mmi;
            mmi.ptMinTrackSize = Point(1, 1);
            mmi.ptMaxTrackSize = Point(GetScreenRect().Width() * 2, GetScreenRect().Height() * 2);
            Send(AWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
            int wdt = std::clamp(r.Width(), mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X);
            int hgt = std::clamp(r.Height(), mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y);
            if (el) r.Left = r.Right - wdt; else r.Right = r.Left + wdt;
            if (et) r.Top = r.Bottom - hgt; else r.Bottom = r.Top + hgt;
            Send(AWnd, WM_SIZING, ACommand & 0x000F, reinterpret_cast<LPARAM>(&r));
        }
        SetWindowPos(AWnd, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (cancelled && IsWindow(AWnd))
        SetWindowPos(AWnd, nullptr, start.Left, start.Top, start.Width(), start.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (GetCapture() == AWnd)
        ReleaseCapture();
    Send(AWnd, WM_EXITSIZEMOVE);
}

} // namespace detail

using namespace detail;

LRESULT DefWindowProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    TWindowData* w = Find(AWnd);
    if (!w)
        return 0;
    switch (AMsg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<TCreateStruct*>(L);
        if (cs)
            w->Text = cs->name;
        // The presenter learnt of the window before it had its text.
        if (w->IsTopLevel() && !w->Text.empty())
            Backend().WindowTextChanged(AWnd);
        return 1;
    }
    case WM_NCCALCSIZE:
        if (W) {
            auto* p = reinterpret_cast<TNCCalcSizeParams*>(L);
            p->rgrc[0] = ClientInWindow(w, p->rgrc[0]);
        } else {
            auto* r = reinterpret_cast<TRect*>(L);
            *r = ClientInWindow(w, *r);
        }
        return 0;
    case WM_NCHITTEST:
        return HitTest(w, Point(GET_X_LPARAM(L), GET_Y_LPARAM(L)));
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(L);
        w->Text = text ? text : "";
        if (w->IsTopLevel())
            Backend().WindowTextChanged(AWnd);
        if ((w->Style & WS_CAPTION) == WS_CAPTION)
            RedrawWindow(AWnd, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
        return 1;
    }
    case WM_GETTEXT: {
        char* buf = reinterpret_cast<char*>(L);
        if (!buf || W == 0)
            return 0;
        size_t n = std::min(w->Text.size(), size_t(W) - 1);
        std::memcpy(buf, w->Text.data(), n);
        buf[n] = '\0';
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH:
        return LRESULT(w->Text.size());
    case WM_WINDOWPOSCHANGED: {
        auto* wp = reinterpret_cast<TWindowPos*>(L);
        if (!(wp->flags & SWP_NOCLIENTMOVE))
            Send(AWnd, WM_MOVE, 0, MAKELPARAM(w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top));
        if (!(wp->flags & SWP_NOCLIENTSIZE) && (w = Find(AWnd))) {
            WPARAM kind = (w->Style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : (w->Style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
            Send(AWnd, WM_SIZE, kind, MAKELPARAM(w->Client.Width(), w->Client.Height()));
        }
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(AWnd);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(W) != WA_INACTIVE && !HIWORD(W))
            SetFocus(AWnd);
        return 0;
    case WM_MOUSEACTIVATE:
        if (w->ExStyle & WS_EX_NOACTIVATE)
            return MA_NOACTIVATE;
        // A press in a document makes it the active one.
        if (!w->IsTopLevel() && (w->ExStyle & WS_EX_MDICHILD)) {
            Send(w->Parent, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(AWnd));
            if (!(w = Find(AWnd)))
                return MA_ACTIVATE;
        }
        if (!w->IsTopLevel())
            if (LRESULT r = Send(w->Parent, WM_MOUSEACTIVATE, W, L))
                return r;
        return MA_ACTIVATE;
    case WM_SETCURSOR: {
        if (!w->IsTopLevel() && Send(w->Parent, WM_SETCURSOR, W, L))
            return 1;
        LRESULT hit = int16_t(LOWORD(L));
        if (hit == HTERROR)
            return 0;
        if (hit == HTCLIENT)
            SetCursorShape(w->Class->Cursor ? TCursorShape(w->Class->Cursor) : TCursorShape::crArrow);
        else
            SetCursorShape(CursorForHit(hit));
        return 1;
    }
    case WM_PAINT: {
        TPaintStruct ps;
        BeginPaint(AWnd, ps);
        EndPaint(AWnd, ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return EraseBackground(w, reinterpret_cast<HDC>(W));
    case WM_SETREDRAW:
        w->Redraw = W != 0;
        return 0;
    case WM_NCLBUTTONDOWN:
        if (W == WPARAM(HTCAPTION))
            Send(AWnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, L);
        else if (W >= WPARAM(HTLEFT) && W <= WPARAM(HTBOTTOMRIGHT))
            Send(AWnd, WM_SYSCOMMAND, SC_SIZE + (W - HTLEFT + 1), L);
        return 0;
    case WM_NCLBUTTONDBLCLK:
        if (W == WPARAM(HTCAPTION) && (w->Style & WS_MAXIMIZEBOX) && (w->Style & WS_THICKFRAME))
            Send(AWnd, WM_SYSCOMMAND, IsZoomed(AWnd) ? SC_RESTORE : SC_MAXIMIZE, L);
        return 0;
    case WM_SYSCOMMAND:
        switch (W & 0xFFF0) {
        case SC_MOVE:
        case SC_SIZE: RunMoveSizeLoop(AWnd, W); return 0;
        case SC_CLOSE: Send(AWnd, WM_CLOSE); return 0;
        case SC_MINIMIZE: ShowWindow(AWnd, SW_MINIMIZE); return 0;
        case SC_MAXIMIZE: ShowWindow(AWnd, SW_MAXIMIZE); return 0;
        case SC_RESTORE: ShowWindow(AWnd, SW_RESTORE); return 0;
        default: return 0;
        }
    case WM_KEYUP:
        // The menu key asks for the context menu, at no mouse position.
        if (W == WPARAM(VK_APPS))
            Send(AWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(AWnd), MAKELPARAM(-1, -1));
        return 0;
    case WM_SYSKEYDOWN:
        if (W == WPARAM(VK_F10) && GetKeyState(VK_SHIFT) < 0)
            Send(AWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(AWnd), MAKELPARAM(-1, -1));
        // Alt+F4 asks the window the focus lies in to close.
        else if (W == WPARAM(VK_F4) && (L & (LPARAM(1) << 29)))
            Send(GetAncestor(AWnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSKEYUP:
        if ((W == WPARAM(VK_MENU) && AltPressedAlone()) || W == WPARAM(VK_F10))
            Send(GetAncestor(AWnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    case WM_SYSCHAR:
        if (W == WPARAM(' '))
            return 0;
        Send(GetAncestor(AWnd, GA_ROOT), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(W));
        return 0;
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        // Unhandled, they climb to the parent.
        if (!w->IsTopLevel())
            return Send(w->Parent, AMsg, W, L);
        return 0;
    case WM_CANCELMODE:
        if (GetCapture() == AWnd)
            ReleaseCapture();
        return 0;
    case WM_NCPAINT:
        PaintDefaultFrame(w);
        return 0;
    case WM_NCACTIVATE:
        if (w->Client != Rect(0, 0, w->Rect.Width(), w->Rect.Height()))
            RedrawWindow(AWnd, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
        return 1;
    default:
        return 0;
    }
}

} // namespace platform
