// Windowed controls: the window made on demand, messages, children, painting,
// focus and keys.
#include "platform/controls/Controls.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"
#include "platform/ui/UiGeometry.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

TWinControl* GCreationControl = nullptr;

} // namespace

// The first procedure of every control's window: it ties the window to the
// control that is being created, so the control hears even WM_NCCREATE.
LRESULT InitWndProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    TWinControl* control = GCreationControl;
    GCreationControl = nullptr;
    if (!control)
        return DefWindowProc(AWnd, AMsg, W, L);
    control->FHandle = AWnd;
    SetProp(AWnd, "TWinControl", reinterpret_cast<intptr_t>(control));
    SetWindowProc(AWnd, [control](HWND h, UINT m, WPARAM w, LPARAM l) { return control->MainWndProc(h, m, w, l); });
    return control->MainWndProc(AWnd, AMsg, W, L);
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner)
{
    FBrush.SetColor(FColor);
}

TWinControl::~TWinControl()
{
    // Children go with their parent.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        RemoveControl(c);
        delete c;
    }
    // Leave the parent while still a windowed control, so it forgets the tab stop too.
    if (FParent)
        FParent->RemoveControl(this);
    if (FHandle)
        DestroyHandle();
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded()
{
    if (FHandle)
        return;
    if (FParent)
        FParent->HandleNeeded();
    if (!FHandle)
        CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& P)
{
    P.Caption = FText;
    P.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle & csAcceptsControls)
        P.Style |= WS_CLIPCHILDREN;
    if (FTabStop)
        P.Style |= WS_TABSTOP;
    if (!FEnabled)
        P.Style |= WS_DISABLED;
    P.X = FLeft;
    P.Y = FTop;
    P.Width = FWidth;
    P.Height = FHeight;
    P.WndParent = FParent ? FParent->FHandle : nullptr;
    P.WindowClass.Style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    P.WindowClass.Cursor = intptr_t(CursorShapeOf(Cursor));
    P.WinClassName = "TWinControl";
}

void TWinControl::CreateWindowHandle(const TCreateParams& P)
{
    GCreationControl = this;
    HWND h = CreateWindowEx(P.ExStyle, P.WinClassName, P.Caption, P.Style, P.X, P.Y, P.Width, P.Height, P.WndParent);
    GCreationControl = nullptr;
    if (!h) {
        FHandle = nullptr;
        throw EOSError("Error creating window of class " + P.WinClassName);
    }
}

void TWinControl::CreateWnd()
{
    TCreateParams p;
    CreateParams(p);
    TWndClass existing;
    if (!GetClassInfo(p.WinClassName, existing)) {
        TWndClass cls = p.WindowClass;
        cls.ClassName = p.WinClassName;
        cls.WndProc = InitWndProc;
        RegisterClass(cls);
    }
    DefWndProc = p.WindowClass.WndProc;
    CreateWindowHandle(p);
}

void TWinControl::CreateHandle()
{
    if (FHandle)
        return;
    ControlState |= csCreating;
    try {
        CreateWnd();
    } catch (...) {
        ControlState &= ~csCreating;
        throw;
    }
    ControlState &= ~csCreating;
    // Keep the window's z-order that of the control list (bottom first).
    if (FParent) {
        HWND after = HWND_TOP;
        auto& list = FParent->FControls;
        auto self = std::find(list.begin(), list.end(), this);
        for (auto it = self + 1; it != list.end(); ++it)
            if (auto* w = dynamic_cast<TWinControl*>(*it); w && w->FHandle) {
                after = w->FHandle;
                break;
            }
        if (after != HWND_TOP)
            SetWindowPos(FHandle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    UpdateBounds();
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->UpdateControlState();
    UpdateShowing();
}

void TWinControl::DestroyWnd()
{
    if (FHandle)
        DestroyWindow(FHandle);
}

void TWinControl::DestroyHandle()
{
    if (!FHandle)
        return;
    ControlState |= csDestroyingHandle;
    DestroyWnd();
    ControlState &= ~csDestroyingHandle;
    FHandle = nullptr;
    FShowing = false;
}

void TWinControl::RecreateWnd()
{
    if (!FHandle)
        return;
    // The handles of the children go with ours; they come back with it.
    bool focused = Focused();
    DestroyHandle();
    std::vector<TControl*> all;
    UpdateControlState();
    if (focused && CanFocus())
        SetFocus();
}

LRESULT TWinControl::MainWndProc(HWND AWnd, UINT AMsg, WPARAM W, LPARAM L)
{
    TMessage m{AMsg, W, L, 0};
    try {
        WindowProc(m);
    } catch (...) {
        HandleControlException();
    }
    if (AMsg == WM_NCDESTROY && FHandle == AWnd) {
        RemoveProp(AWnd, "TWinControl");
        FHandle = nullptr;
        FShowing = false;
    }
    return m.Result;
}

void TWinControl::WndProc(TMessage& M)
{
    if (M.Msg >= WM_MOUSEFIRST && M.Msg <= WM_MOUSELAST && M.Msg != WM_MOUSEWHEEL) {
        // Mouse messages for windowless children go to them.
        TPoint p = Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
        TControl* target = nullptr;
        if (GetCapture() == FHandle) {
            for (TControl* c : FControls)
                if (!dynamic_cast<TWinControl*>(c) && c->MouseCapture())
                    target = c;
        } else {
            target = ControlAtPos(p, false);
        }
        if (target) {
            TMessage forwarded{M.Msg, M.WParam, MAKELPARAM(p.X - target->Left(), p.Y - target->Top()), 0};
            target->WindowProc(forwarded);
            M.Result = forwarded.Result;
            return;
        }
    }
    TControl::WndProc(M);
}

void TWinControl::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(M); break;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(M); break;
    case WM_SETFOCUS: WMSetFocus(M); break;
    case WM_KILLFOCUS: WMKillFocus(M); break;
    case WM_KEYDOWN: WMKeyDown(M); break;
    case WM_KEYUP: WMKeyUp(M); break;
    case WM_CHAR: WMChar(M); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(M); break;
    case WM_MOUSEWHEEL: WMMouseWheel(M); break;
    case WM_NCHITTEST: WMNCHitTest(M); break;
    case WM_NCCALCSIZE: WMNCCalcSize(M); break;
    case WM_NCPAINT: WMNCPaint(M); break;
    case WM_SETCURSOR: WMSetCursor(M); break;
    case WM_GETDLGCODE: WMGetDlgCode(M); break;
    case WM_TIMER: WMTimer(M); break;
    case WM_COMMAND: WMCommand(M); break;
    case CM_ENTER: CMEnter(M); break;
    case CM_EXIT: CMExit(M); break;
    case CM_DIALOGKEY: CMDialogKey(M); break;
    case CM_DIALOGCHAR: CMDialogChar(M); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(M); break;
    case CM_FOCUSCHANGED: CMFocusChanged(M); break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
        // Keys a control does not want become dialog keys of its form.
        M.Result = 1;
        if (TCustomForm* form = ParentForm(); form && form->IsShortCut(M))
            return;
        if (Perform(CM_CHILDKEY, M.WParam, reinterpret_cast<LPARAM>(this)))
            return;
        LRESULT mask = 0;
        switch (int(M.WParam)) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN: case VK_ESCAPE: mask = DLGC_WANTALLKEYS; break;
        default: break;
        }
        TCustomForm* form = ParentForm();
        if (mask && !Perform(CM_WANTSPECIALKEY, M.WParam, M.LParam) && !(Perform(WM_GETDLGCODE) & mask) && form &&
            form->Perform(CM_DIALOGKEY, M.WParam, M.LParam))
            return;
        M.Result = 0;
        break;
    }
    case CM_CHILDKEY:
        if (FParent)
            M.Result = FParent->Perform(CM_CHILDKEY, M.WParam, M.LParam);
        break;
    case WM_SETTEXT:
        FText = M.LParam ? reinterpret_cast<const char*>(M.LParam) : "";
        DefaultHandler(M);
        break;
    default:
        TControl::Dispatch(M);
        break;
    }
}

void TWinControl::DefaultHandler(TMessage& M)
{
    if (FHandle) {
        M.Result = CallWindowProc(DefWndProc, FHandle, M.Msg, M.WParam, M.LParam);
        return;
    }
    TControl::DefaultHandler(M);
}

void TWinControl::SetText(const std::string& AValue)
{
    if (FText == AValue)
        return;
    if (FHandle)
        SetWindowText(FHandle, AValue);
    FText = AValue;
    Perform(CM_TEXTCHANGED);
}

// ---- children

void TWinControl::InsertControl(TControl* AControl)
{
    AControl->FParent = this;
    FControls.push_back(AControl);
    if (auto* w = dynamic_cast<TWinControl*>(AControl))
        FTabList.push_back(w);
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    AControl->UpdateAnchorRules();
    if (auto* w = dynamic_cast<TWinControl*>(AControl))
        w->UpdateControlState();
    AControl->Invalidate();
    Realign();
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    auto it = std::find(FControls.begin(), FControls.end(), AControl);
    if (it == FControls.end())
        return;
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        if (TCustomForm* form = ParentForm())
            form->DefocusControl(w, true);
        w->DestroyHandle();
    }
    std::erase_if(FTabList, [&](TWinControl* w) { return static_cast<TControl*>(w) == AControl; });
    if (AControl->FVisible && FHandle) {
        TRect r = AControl->BoundsRect();
        InvalidateRect(FHandle, &r, true);
    }
    FControls.erase(std::find(FControls.begin(), FControls.end(), AControl));
    AControl->FParent = nullptr;
    Realign();
}

bool TWinControl::ContainsControl(TControl* AControl) const
{
    for (TControl* c = AControl; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint APos, bool AAllowDisabled, bool AAllowWinControls)
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if ((windowed && !AAllowWinControls) || !c->FVisible || (!c->FEnabled && !AAllowDisabled))
            continue;
        if (PtInRect(c->BoundsRect(), APos) &&
            c->Perform(CM_HITTEST, 0, MAKELPARAM(APos.X - c->Left(), APos.Y - c->Top())))
            return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& AMessage)
{
    for (TControl* c : std::vector<TControl*>(FControls)) {
        c->WindowProc(AMessage);
        if (AMessage.Result)
            return;
    }
}

void TWinControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent)
        return;
    if (FHandle && AParent && AParent->HandleAllocated() && FParent) {
        // Keep the window: move it over to the new parent's.
        TControl::SetParent(AParent);
        return;
    }
    TControl::SetParent(AParent);
}

// ---- bounds and showing

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    ConstrainedResize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    if (FHandle) {
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        // WM_WINDOWPOSCHANGED and WM_SIZE do the rest; an aligned control's
        // new size moves its aligned siblings.
        RequestAlign();
        return;
    }
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateAnchorRules();
    RequestAlign();
    if (sized) {
        Realign();
        Resize();
    }
}

TRect TWinControl::ClientRect()
{
    if (FHandle) {
        TRect r;
        GetClientRect(FHandle, r);
        return r;
    }
    TCreateParams p;
    CreateParams(p);
    TRect in = (p.Style & WS_CHILD) ? TRect{} : TRect{};
    if (!(p.Style & WS_CHILD) || (p.Style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) || (p.ExStyle & WS_EX_CLIENTEDGE)) {
        TRect frame = Rect(0, 0, 100, 100);
        // The frame the window will get: the default frame of its style.
        int border = (p.Style & WS_THICKFRAME) ? 4 : (p.Style & WS_DLGFRAME) ? 3 : (p.Style & WS_BORDER) ? 1 : 0;
        if (p.ExStyle & WS_EX_CLIENTEDGE)
            border += 2;
        in = Rect(border, border, border, border);
        if ((p.Style & WS_CAPTION) == WS_CAPTION)
            in.Top += (p.ExStyle & WS_EX_TOOLWINDOW) ? 15 : 19;
        (void)frame;
    }
    return Rect(0, 0, std::max(0, FWidth - in.Left - in.Right), std::max(0, FHeight - in.Top - in.Bottom));
}

TPoint TWinControl::ClientOrigin()
{
    if (FHandle)
        return platform::ClientToScreen(FHandle, Point(0, 0));
    return TControl::ClientOrigin();
}

void TWinControl::UpdateBounds()
{
    if (!FHandle)
        return;
    TRect r;
    GetWindowRect(FHandle, r);
    // A child window without a parent control (a document form) lies in its
    // parent window's client coordinates.
    HWND parent = FParent && FParent->FHandle ? FParent->FHandle
                  : (GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD) ? GetParent(FHandle) : nullptr;
    if (parent) {
        TPoint o = platform::ScreenToClient(parent, Point(r.Left, r.Top));
        r = Bounds(o.X, o.Y, r.Width(), r.Height());
    }
    const bool sized = r.Width() != FWidth || r.Height() != FHeight;
    FLeft = r.Left;
    FTop = r.Top;
    FWidth = r.Width();
    FHeight = r.Height();
    if (sized || FLastClientSize.X < 0)
        UpdateAnchorRules();
}

void TWinControl::UpdateControlState()
{
    if (FParent && !FParent->Showing() && !FParent->HandleAllocated())
        return;
    UpdateShowing();
}

void TWinControl::UpdateShowing()
{
    bool showing = FVisible && (!FParent || FParent->Showing());
    if (showing && !FHandle) {
        CreateHandle();   // shows itself at the end
        return;
    }
    if (showing == FShowing)
        return;
    FShowing = showing;
    if (FHandle) {
        if (showing)
            SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        else
            SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (TControl* c : std::vector<TControl*>(FControls))
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->UpdateShowing();
    Perform(CM_SHOWINGCHANGED);
}

void TWinControl::CMVisibleChanged(TMessage& M)
{
    UpdateControlState();
    DefaultHandler(M);
}

void TWinControl::CMEnabledChanged(TMessage& M)
{
    if (!FEnabled && FParent)
        if (TCustomForm* form = ParentForm())
            form->DefocusControl(this, false);
    if (FHandle)
        EnableWindow(FHandle, FEnabled);
    Invalidate();
}

void TWinControl::CMColorChanged(TMessage& M)
{
    FBrush.SetColor(FColor);
    for (TControl* c : FControls)
        c->Perform(CM_PARENTCOLORCHANGED);
    Invalidate();
}

void TWinControl::CMFontChanged(TMessage& M)
{
    for (TControl* c : FControls)
        c->Perform(CM_PARENTFONTCHANGED);
    Invalidate();
}

void TWinControl::WMWindowPosChanged(TMessage& M)
{
    DefaultHandler(M);   // WM_MOVE and WM_SIZE
    UpdateBounds();
}

void TWinControl::WMSize(TMessage& M)
{
    UpdateBounds();
    DefaultHandler(M);
    Realign();
    Resize();
}

// ---- painting

void TWinControl::Invalidate()
{
    if (FHandle)
        InvalidateRect(FHandle, nullptr, !(ControlStyle & csOpaque));
}

void TWinControl::Update()
{
    if (FHandle)
        UpdateWindow(FHandle);
}

void TWinControl::WMPaint(TMessage& M) { PaintHandler(M); }

void TWinControl::PaintHandler(TMessage& M)
{
    TPaintStruct ps;
    HDC dc = reinterpret_cast<HDC>(M.WParam);
    if (!dc)
        dc = BeginPaint(FHandle, ps);
    try {
        // Opaque windowless children cover their place: the window does not paint under them.
        int saved = SaveDC(dc);
        for (TControl* c : FControls)
            if (!dynamic_cast<TWinControl*>(c) && c->FVisible && (c->ControlStyle & csOpaque)) {
                TRect r = c->BoundsRect();
                ExcludeClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
            }
        PaintWindow(dc);
        RestoreDC(dc, saved);
        PaintControls(dc, nullptr);
    } catch (...) {
        if (!M.WParam)
            EndPaint(FHandle, ps);
        throw;
    }
    if (!M.WParam)
        EndPaint(FHandle, ps);
}

void TWinControl::PaintWindow(HDC ADC)
{
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(ADC), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintControls(HDC ADC, TControl* AFirst)
{
    auto it = FControls.begin();
    if (AFirst)
        it = std::find(FControls.begin(), FControls.end(), AFirst);
    for (; it != FControls.end(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->FVisible)
            continue;
        TRect r = c->BoundsRect();
        if (!RectVisible(ADC, &r))
            continue;
        int saved = SaveDC(ADC);
        TPoint origin;
        GetViewportOrgEx(ADC, &origin);
        SetViewportOrgEx(ADC, origin.X + r.Left, origin.Y + r.Top, nullptr);
        IntersectClipRect(ADC, 0, 0, r.Width(), r.Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(ADC), 0);
        RestoreDC(ADC, saved);
    }
}

void TWinControl::PaintTo(HDC ADC, int X, int Y)
{
    int saved = SaveDC(ADC);
    TPoint origin;
    GetViewportOrgEx(ADC, &origin);
    SetViewportOrgEx(ADC, origin.X + X, origin.Y + Y, nullptr);
    IntersectClipRect(ADC, 0, 0, FWidth, FHeight);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(ADC), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(ADC), 0);
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FVisible)
            w->PaintTo(ADC, w->FLeft, w->FTop);
    RestoreDC(ADC, saved);
}

void TWinControl::WMEraseBkgnd(TMessage& M)
{
    HDC dc = reinterpret_cast<HDC>(M.WParam);
    if (dc) {
        TRect r = ClientRect();
        ::platform::FillRect(dc, &r, FBrush.Handle());
    }
    M.Result = 1;
}

void TWinControl::WMSetCursor(TMessage& M)
{
    if (int16_t(LOWORD(M.LParam)) == HTCLIENT) {
        TPoint p = ScreenToClient(GetCursorPos());
        TControl* c = ControlAtPos(p, false);
        TCursor cursor = c ? c->Cursor : Cursor;
        if (Screen()->Cursor() != crDefault)
            cursor = Screen()->Cursor();
        if (cursor != crDefault) {
            SetCursorShape(CursorShapeOf(cursor));
            M.Result = 1;
            return;
        }
    }
    DefaultHandler(M);
}

void TWinControl::WMCommand(TMessage& M)
{
    // Notifications go back to the control that sent them.
    if (TWinControl* sender = FindControl(reinterpret_cast<HWND>(M.LParam))) {
        M.Result = sender->Perform(CN_COMMAND, M.WParam, M.LParam);
        return;
    }
    DefaultHandler(M);
}

// ---- focus

bool TWinControl::CanFocus()
{
    TCustomForm* form = ParentForm();
    if (!form)
        return false;
    for (TControl* c = this; c; c = c->Parent())
        if (!c->FVisible || !c->FEnabled)
            return false;
    return true;
}

bool TWinControl::Focused() { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus()
{
    if (TCustomForm* form = ParentForm()) {
        form->FocusControl(this);
        return;
    }
    if (FParent && !CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::platform::SetFocus(Handle());
}

void TWinControl::WMSetFocus(TMessage& M)
{
    DefaultHandler(M);
    if (TCustomForm* form = ParentForm(); form && !(ControlState & csFocusing))
        form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& M) { DefaultHandler(M); }

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::CMFocusChanged(TMessage& M) { Broadcast(M); M.Result = 0; }

void TWinControl::CMDialogKey(TMessage& M) { Broadcast(M); }
void TWinControl::CMDialogChar(TMessage& M) { Broadcast(M); }

int TWinControl::TabOrder() const
{
    if (!FParent)
        return -1;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int AValue)
{
    if (!FParent)
        return;
    auto& list = FParent->FTabList;
    list.erase(std::find(list.begin(), list.end(), this));
    AValue = std::clamp(AValue, 0, int(list.size()));
    list.insert(list.begin() + AValue, this);
}

void TWinControl::SetTabStop(bool AValue)
{
    FTabStop = AValue;
    if (FHandle) {
        intptr_t style = GetWindowLong(FHandle, GWL_STYLE);
        SetWindowLong(FHandle, GWL_STYLE, AValue ? style | WS_TABSTOP : style & ~intptr_t(WS_TABSTOP));
    }
}

std::vector<TWinControl*> TWinControl::TabOrderList()
{
    std::vector<TWinControl*> out;
    for (TWinControl* c : FTabList) {
        out.push_back(c);
        std::vector<TWinControl*> inner = c->TabOrderList();
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

namespace {

// A control placed wholly outside the client area of the window it stands
// on can never be seen there; the keyboard passes it by as it would a
// hidden one.
bool OutOfSight(TWinControl* AControl)
{
    TRect r = AControl->BoundsRect();
    TWinControl* root = AControl;
    for (TWinControl* p = AControl->Parent(); p; p = p->Parent()) {
        root = p;
        if (p->Parent())
            r = OffsetRect(r, p->Left(), p->Top());
    }
    return root != AControl && IntersectRect(r, Rect(0, 0, root->ClientWidth(), root->ClientHeight())).IsEmpty();
}

} // namespace

TWinControl* TWinControl::FindNextControl(TWinControl* ACurrent, bool AGoForward, bool ACheckTabStop, bool ACheckParent)
{
    std::vector<TWinControl*> list = TabOrderList();
    if (list.empty())
        return nullptr;
    int n = int(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[size_t(i)] == ACurrent)
            start = i;
    if (start < 0)
        start = AGoForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = AGoForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[size_t(i)];
        if (c == ACurrent)
            break;
        if ((!ACheckTabStop || (c->FTabStop && !OutOfSight(c))) && (!ACheckParent || c->FParent == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* ACurrent, bool AGoForward, bool ACheckTabStop)
{
    if (TWinControl* next = FindNextControl(ACurrent, AGoForward, ACheckTabStop, !ACheckTabStop))
        next->SetFocus();
}

// ---- keys

void TWinControl::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    if (OnKeyDown)
        OnKeyDown(this, AKey, AShift);
}

void TWinControl::KeyUp(uint16_t& AKey, TShiftState AShift)
{
    if (OnKeyUp)
        OnKeyUp(this, AKey, AShift);
}

void TWinControl::KeyPress(char16_t& AKey)
{
    if (OnKeyPress)
        OnKeyPress(this, AKey);
}

bool TWinControl::DoKeyEvent(TMessage& M, bool AUp)
{
    // With KeyPreview the form sees the key first and may eat it.
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview && (AUp ? form->DoKeyUp(M) : form->DoKeyDown(M)))
        return true;
    uint16_t key = uint16_t(M.WParam);
    if (AUp)
        KeyUp(key, KeyDataToShiftState(M.LParam));
    else
        KeyDown(key, KeyDataToShiftState(M.LParam));
    if (key == 0)
        return true;
    M.WParam = key;
    return false;
}

bool TWinControl::DoKeyDown(TMessage& M) { return DoKeyEvent(M, false); }
bool TWinControl::DoKeyUp(TMessage& M) { return DoKeyEvent(M, true); }

bool TWinControl::DoKeyPress(TMessage& M)
{
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview && form->DoKeyPress(M))
        return true;
    char16_t c = char16_t(M.WParam);
    KeyPress(c);
    if (c == 0)
        return true;
    M.WParam = c;
    return false;
}

void TWinControl::WMKeyDown(TMessage& M)
{
    if (!DoKeyDown(M))
        DefaultHandler(M);
}

void TWinControl::WMSysKeyDown(TMessage& M)
{
    if (!DoKeyDown(M))
        DefaultHandler(M);
}

void TWinControl::WMKeyUp(TMessage& M)
{
    if (!DoKeyUp(M))
        DefaultHandler(M);
}

void TWinControl::WMChar(TMessage& M)
{
    if (!DoKeyPress(M))
        DefaultHandler(M);
}

void TWinControl::WMMouseWheel(TMessage& M)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, KeysToShiftState(LOWORD(M.WParam)), int16_t(HIWORD(M.WParam)),
                     Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)), handled);
    if (handled)
        M.Result = 1;
    else
        DefaultHandler(M);
}

void TWinControl::Notification(TComponent* AComponent, TOperation AOperation) { TControl::Notification(AComponent, AOperation); }

// ---- alignment

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign()
{
    if (--FAlignLevel == 0)
        Realign();
}

void TWinControl::AdjustClientRect(TRect& ARect) {}

void TWinControl::Realign()
{
    if (FAlignLevel > 0)
        return;
    TRect r = ClientRect();
    ++FAlignLevel;
    try {
        AlignControls(nullptr, r);
    } catch (...) {
        --FAlignLevel;
        throw;
    }
    --FAlignLevel;
}

namespace {

bool Before(TAlign AAlign, TControl* A, TControl* B)
{
    switch (AAlign) {
    case alTop: return A->Top() < B->Top();
    case alBottom: return A->Top() + A->Height() > B->Top() + B->Height();
    case alLeft: return A->Left() < B->Left();
    case alRight: return A->Left() + A->Width() > B->Left() + B->Width();
    default: return false;
    }
}

} // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& ARect)
{
    AdjustClientRect(ARect);
    const TRect full = ClientRect();
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : FControls)
            if (c->FAlign == align && c->FVisible)
                list.push_back(c);
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) { return Before(align, a, b); });
        for (TControl* c : list) {
            int w = c->FWidth, h = c->FHeight;
            switch (align) {
            case alTop:
                c->SetBounds(ARect.Left, ARect.Top, ARect.Width(), h);
                ARect.Top += c->FHeight;
                break;
            case alBottom:
                c->SetBounds(ARect.Left, ARect.Bottom - h, ARect.Width(), h);
                ARect.Bottom -= c->FHeight;
                break;
            case alLeft:
                c->SetBounds(ARect.Left, ARect.Top, w, ARect.Height());
                ARect.Left += c->FWidth;
                break;
            case alRight:
                c->SetBounds(ARect.Right - w, ARect.Top, w, ARect.Height());
                ARect.Right -= c->FWidth;
                break;
            default:
                c->SetBounds(ARect.Left, ARect.Top, std::max(0, ARect.Width()), std::max(0, ARect.Height()));
                break;
            }
        }
    }
    // Anchored controls keep their distances to the edges they are tied to.
    if (FLastClientSize.X >= 0 && (FLastClientSize.X != full.Width() || FLastClientSize.Y != full.Height())) {
        for (TControl* c : FControls) {
            if (c->FAlign != alNone || !c->FAnchorRulesValid)
                continue;
            int l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
            const TAnchors a = c->FAnchors;
            if (a & AnchorBit(akRight)) {
                if (a & AnchorBit(akLeft))
                    w = full.Width() - c->FAnchorRight - l;
                else
                    l = full.Width() - c->FAnchorRight - w;
            } else if (!(a & AnchorBit(akLeft))) {
                l += (full.Width() - FLastClientSize.X) / 2;
            }
            if (a & AnchorBit(akBottom)) {
                if (a & AnchorBit(akTop))
                    h = full.Height() - c->FAnchorBottom - t;
                else
                    t = full.Height() - c->FAnchorBottom - h;
            } else if (!(a & AnchorBit(akTop))) {
                t += (full.Height() - FLastClientSize.Y) / 2;
            }
            c->SetBounds(l, t, std::max(0, w), std::max(0, h));
        }
    }
    FLastClientSize = Point(full.Width(), full.Height());
}

} // namespace platform
