#include "platform/controls/Forms.h"

#include "platform/controls/Menus.h"
#include "platform/core/MainThread.h"
#include "platform/ui/Input.h"
#include "platform/ui/MdiClient.h"

#include <algorithm>
#include <cstdio>

namespace platform {

// ---- globals

namespace {

// ShowHint comes from the parents while ParentShowHint is set. Turning
// ShowHint on makes it the control's own setting (where it is a property,
// setting it clears ParentShowHint), so a control with ShowHint shows its
// hint whatever its parents say.
bool WantsHint(TControl* AControl)
{
    TControl* c = AControl;
    while (c && !c->ShowHint && c->ParentShowHint && c->Parent())
        c = c->Parent();
    return c && c->ShowHint && !AControl->Hint.empty();
}

} // namespace

TApplication* Application()
{
    static TApplication* app = new TApplication(nullptr);   // lives as long as the program
    return app;
}

TScreen* Screen()
{
    static TScreen* screen = new TScreen(nullptr);
    return screen;
}

void ControlDestroyed(TControl* AControl)
{
    Application()->ForgetControl(AControl);
    TScreen* s = Screen();
    if (s->FActiveControl == AControl)
        s->FActiveControl = nullptr;
}

void HandleControlException() { Application()->HandleException(nullptr); }

void TScreen::SetCursor(TCursor AValue)
{
    FCursor = AValue;
    SetCursorShape(CursorShapeOf(AValue == crDefault ? crArrow : AValue));
}

// ---- TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this))
{
    ControlStyle |= csAcceptsControls;
    FVisible = false;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
    FWidth = 320;
    FHeight = 240;
    FormState |= fsCreating;
    Screen()->FForms.push_back(this);
}

TCustomForm::~TCustomForm()
{
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            HandleControlException();
        }
    }
    auto& forms = Screen()->FForms;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Screen()->FActiveForm == this)
        Screen()->FActiveForm = nullptr;
    if (Application()->MainForm() == this)
        Application()->SetMainForm(nullptr);
}

void TCustomForm::AfterConstruction()
{
    FormState &= ~fsCreating;
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::CreateParams(TCreateParams& P)
{
    TWinControl::CreateParams(P);
    // A form placed on another window is a child window of it (a sample
    // window inside a dialog); others stand on their own.
    P.Style = (FParent ? WS_CHILD : WS_POPUP) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    P.ExStyle = 0;
    switch (FBorderStyle) {
    case bsNone: break;
    case bsSingle: P.Style |= WS_CAPTION; break;
    case bsSizeable: P.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: P.Style |= WS_CAPTION; P.ExStyle |= WS_EX_DLGMODALFRAME; break;
    case bsToolWindow: P.Style |= WS_CAPTION; P.ExStyle |= WS_EX_TOOLWINDOW; break;
    case bsSizeToolWin: P.Style |= WS_CAPTION | WS_THICKFRAME; P.ExStyle |= WS_EX_TOOLWINDOW; break;
    }
    if (FBorderStyle != bsNone && (BorderIcons & biSystemMenu))
        P.Style |= WS_SYSMENU;
    if (FBorderStyle != bsNone && (BorderIcons & biMinimize))
        P.Style |= WS_MINIMIZEBOX;
    if (FBorderStyle != bsNone && (BorderIcons & biMaximize))
        P.Style |= WS_MAXIMIZEBOX;
    if (FFormStyle == fsStayOnTop)
        P.ExStyle |= WS_EX_TOPMOST;
    if (FAlphaBlend)
        P.ExStyle |= WS_EX_LAYERED;
    TCustomForm* main = Application()->MainForm();
    if (!FParent)
        P.WndParent = (main && main != this && main->HandleAllocated()) ? main->FHandle : nullptr;
    if (FFormStyle == fsMDIChild)
        MDIChildParams(P);
    P.WindowClass.Style = CS_DBLCLKS;
    P.WinClassName = "TForm";
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FAlphaBlend)
        SetLayeredWindowAttributes(FHandle, 0, FAlphaBlendValue, LWA_ALPHA);
    if (FFormStyle == fsMDIForm) {
        FClientHandle = CreateMDIClient(FHandle, ClientRect());
        if (!FClientHandle)
            throw EOSError("Error creating the client window of form \"" + Name() + "\"");
        Realign();
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle AValue)
{
    if (FBorderStyle == AValue)
        return;
    FBorderStyle = AValue;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle AValue)
{
    if (FFormStyle == AValue)
        return;
    const bool mdi = AValue == fsMDIChild || AValue == fsMDIForm || FFormStyle == fsMDIChild || FFormStyle == fsMDIForm;
    FFormStyle = AValue;
    // Documents and their frame are different kinds of window.
    if (mdi) {
        RecreateWnd();
        return;
    }
    if (FHandle)
        SetWindowPos(FHandle, AValue == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TCustomForm::WindowState() const
{
    if (FHandle)
        return IsIconic(FHandle) ? wsMinimized : IsZoomed(FHandle) ? wsMaximized : wsNormal;
    return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState AValue)
{
    FWindowState = AValue;
    if (FHandle && FShowing)
        ShowWindow(FHandle, AValue == wsMinimized ? SW_MINIMIZE : AValue == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::SetMenu(TMainMenu* AValue)
{
    FMenu = AValue;
    if (AValue)
        AValue->FreeNotification(this);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation AOperation)
{
    TWinControl::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FMenu)
        FMenu = nullptr;
}

void TCustomForm::SetAlphaBlend(bool AValue)
{
    if (FAlphaBlend == AValue)
        return;
    FAlphaBlend = AValue;
    if (FHandle) {
        intptr_t ex = GetWindowLong(FHandle, GWL_EXSTYLE);
        SetWindowLong(FHandle, GWL_EXSTYLE, AValue ? ex | WS_EX_LAYERED : ex & ~intptr_t(WS_EX_LAYERED));
        if (AValue)
            SetLayeredWindowAttributes(FHandle, 0, FAlphaBlendValue, LWA_ALPHA);
    }
}

void TCustomForm::SetAlphaBlendValue(uint8_t AValue)
{
    FAlphaBlendValue = AValue;
    if (FHandle && FAlphaBlend)
        SetLayeredWindowAttributes(FHandle, 0, AValue, LWA_ALPHA);
}

// ---- showing

void TCustomForm::SetVisible(bool AValue)
{
    if (FVisible == AValue)
        return;
    FVisible = AValue;
    if (AValue)
        FormState |= fsVisible;
    else
        FormState &= ~fsVisible;
    Perform(CM_VISIBLECHANGED, WPARAM(AValue));
}

void TCustomForm::Show()
{
    SetVisible(true);
    if (FHandle)
        BringWindowToTop(FHandle);
    if (FHandle && FFormStyle == fsMDIChild)
        SendMessage(GetParent(FHandle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle));
}

void TCustomForm::ApplyPosition()
{
    if (FPositioned)
        return;
    FPositioned = true;
    TRect area;
    switch (Position) {
    case poScreenCenter:
    case poDesktopCenter:
        area = GetWorkArea();
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* center = Application()->MainForm();
        if (Position == poOwnerFormCenter)
            if (auto* ownerForm = dynamic_cast<TCustomForm*>(Owner()))
                center = ownerForm;
        area = center && center != this ? center->BoundsRect() : GetWorkArea();
        break;
    }
    default:
        return;
    }
    SetBounds(area.Left + (area.Width() - FWidth) / 2, area.Top + (area.Height() - FHeight) / 2, FWidth, FHeight);
}

void TCustomForm::UpdateShowing()
{
    const bool showing = FVisible;
    if (showing == FShowing && (FHandle || !showing))
        return;
    if (showing) {
        ApplyPosition();
        HandleNeeded();
        if (FShowing)
            return;
        FShowing = true;
        FormState |= fsShowing;
        DoShow();
        for (TControl* c : std::vector<TControl*>(FControls))
            if (auto* w = dynamic_cast<TWinControl*>(c))
                w->UpdateShowing();
        int cmd = FWindowState == wsMaximized ? SW_MAXIMIZE : FWindowState == wsMinimized ? SW_MINIMIZE : SW_SHOW;
        ShowWindow(FHandle, cmd);
        FormState &= ~fsShowing;
    } else {
        FShowing = false;
        if (FHandle)
            ShowWindow(FHandle, SW_HIDE);
        for (TControl* c : std::vector<TControl*>(FControls))
            if (auto* w = dynamic_cast<TWinControl*>(c))
                w->UpdateShowing();
        DoHide();
    }
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

namespace {

// Modal windows disable every other visible top-level form while they run.
std::vector<HWND> DisableTaskWindows(HWND AExcept)
{
    std::vector<HWND> disabled;
    for (HWND h : GetChildWindows(nullptr))
        if (h != AExcept && IsWindowVisible(h) && IsWindowEnabled(h) && FindControl(h)) {
            EnableWindow(h, false);
            disabled.push_back(h);
        }
    return disabled;
}

void EnableTaskWindows(const std::vector<HWND>& AList)
{
    for (HWND h : AList)
        if (IsWindow(h))
            EnableWindow(h, true);
}

} // namespace

TModalResult TCustomForm::ShowModal()
{
    if (FVisible || !FEnabled || (FormState & fsModal))
        throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture())
        SendMessage(GetCapture(), WM_CANCELMODE);
    ReleaseCapture();
    FormState |= fsModal;
    HWND previous = GetActiveWindow();
    std::vector<HWND> disabled = DisableTaskWindows(nullptr);
    FModalResult = mrNone;
    try {
        Show();
        SendMessage(Handle(), CM_ACTIVATE);
        while (true) {
            Application()->HandleMessage();
            if (Application()->Terminated())
                break;
            if (FModalResult != mrNone) {
                // The close handlers may keep the form open.
                TCloseAction action = caHide;
                if (!CloseQuery())
                    action = caNone;
                else
                    DoClose(action);
                if (action == caNone)
                    FModalResult = mrNone;
                else
                    break;
            }
        }
        SendMessage(Handle(), CM_DEACTIVATE);
    } catch (...) {
        EnableTaskWindows(disabled);
        FormState &= ~fsModal;
        Hide();
        throw;
    }
    EnableTaskWindows(disabled);
    Hide();
    FormState &= ~fsModal;
    if (previous && IsWindow(previous) && IsWindowVisible(previous))
        SetActiveWindow(previous);
    return FModalResult;
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& AAction)
{
    if (OnClose)
        OnClose(this, AAction);
}

void TCustomForm::Close()
{
    if (FormState & fsModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application()->MainForm() == this) {
        Application()->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release()
{
    // Queued behind whatever waits now, so no handler runs on a freed form.
    PostMessage(Application()->Handle(), CM_RELEASE, 0, reinterpret_cast<LPARAM>(this));
}

// ---- focus

namespace {

// A form not yet shown may name the control that takes the focus when it is:
// only the control and its parents below the form must be visible and enabled.
bool ShownWithinForm(TWinControl* AControl)
{
    for (TControl* c = AControl; c && !dynamic_cast<TCustomForm*>(c); c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

} // namespace

void TCustomForm::SetActiveControl(TWinControl* AControl)
{
    if (FActiveControl == AControl)
        return;
    if (AControl && (AControl == this || GetParentForm(AControl) != this || !ShownWithinForm(AControl)))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = AControl;
    if (FActive && AControl && FHandle)
        AControl->SetFocus();
}

void TCustomForm::FocusControl(TWinControl* AControl)
{
    if (AControl == this) {
        if (FHandle)
            ::platform::SetFocus(FHandle);
        return;
    }
    if (!AControl->CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = AControl;
    ::platform::SetFocus(AControl->Handle());
}

void TCustomForm::SetFocus()
{
    if (!FVisible || !FEnabled)
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::platform::SetFocus(Handle());
}

void TCustomForm::DefocusControl(TWinControl* AControl, bool ARemoving)
{
    if (ARemoving && AControl->ContainsControl(FFocusedControl))
        FFocusedControl = AControl->Parent();
    if (AControl->ContainsControl(FActiveControl)) {
        FActiveControl = nullptr;
        if (FActive && FHandle && AControl->Focused())
            ::platform::SetFocus(FHandle);
    }
}

bool TCustomForm::SetFocusedControl(TWinControl* AControl)
{
    if (AControl != this)
        FActiveControl = AControl;
    Screen()->FActiveControl = AControl;
    Screen()->FActiveForm = this;
    if (AControl->ControlState & csFocusing)
        return false;
    AControl->ControlState |= csFocusing;
    if (!FFocusedControl)
        FFocusedControl = this;
    bool moved = false;
    if (FFocusedControl != AControl) {
        // Leave from the old control up to the common parent, enter down to the new one.
        while (FFocusedControl && !FFocusedControl->ContainsControl(AControl)) {
            HWND before = GetFocus();
            FFocusedControl->Perform(CM_EXIT);
            if (GetFocus() != before) {
                moved = true;
                break;
            }
            FFocusedControl = FFocusedControl->Parent();
        }
        while (!moved && FFocusedControl != AControl) {
            TWinControl* next = AControl;
            while (next->Parent() != FFocusedControl)
                next = next->Parent();
            FFocusedControl = next;
            HWND before = GetFocus();
            next->Perform(CM_ENTER);
            if (GetFocus() != before)
                moved = true;
        }
    }
    AControl->ControlState &= ~csFocusing;
    if (moved)
        return false;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(AControl));
    return true;
}

void TCustomForm::WMSetFocus(TMessage& M)
{
    DefaultHandler(M);
    if (!(ControlState & csFocusing))
        SetFocusedControl(this);
    // The form hands the focus on to its active control.
    if (FActiveControl && FActiveControl != this && FActiveControl->CanFocus())
        ::platform::SetFocus(FActiveControl->Handle());
}

void TCustomForm::SetActive(bool AValue)
{
    FActive = AValue;
    if (AValue) {
        Screen()->FActiveForm = this;
        if (!FActiveControl) {
            TWinControl* first = FindNextControl(nullptr, true, true, false);
            if (first)
                FActiveControl = first;
        }
        Activate();
    } else {
        Deactivate();
    }
}

void TCustomForm::Activate()
{
    if (OnActivate)
        OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate)
        OnDeactivate(this);
}

// ---- messages

void TCustomForm::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case WM_ACTIVATE: WMActivate(M); break;
    case WM_CLOSE: WMClose(M); break;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(M); break;
    case WM_SHOWWINDOW: WMShowWindow(M); break;
    case CM_ACTIVATE:
    case CM_DEACTIVATE: break;
    case WM_MDIACTIVATE: WMMDIActivate(M); break;
    case WM_SYSCOMMAND:
        // The main form minimises and restores the whole application, so
        // its other forms go and come back with it.
        if (Application()->MainForm() == this && (M.WParam & 0xFFF0) == SC_MINIMIZE)
            Application()->Minimize();
        else if (Application()->MainForm() == this && (M.WParam & 0xFFF0) == SC_RESTORE && IsIconic(FHandle))
            Application()->Restore();
        else
            TWinControl::Dispatch(M);
        break;
    case WM_ACTIVATEAPP: {
        TNotifyEvent& event = M.WParam ? Application()->OnActivate : Application()->OnDeactivate;
        if (event)
            event(Application());
        DefaultHandler(M);
        break;
    }
    default: TWinControl::Dispatch(M); break;
    }
}

void TCustomForm::WMActivate(TMessage& M)
{
    SetActive(LOWORD(M.WParam) != WA_INACTIVE);
    if (LOWORD(M.WParam) != WA_INACTIVE && !HIWORD(M.WParam)) {
        TWinControl* target = FActiveControl && FActiveControl->CanFocus() ? FActiveControl : nullptr;
        ::platform::SetFocus(target ? target->Handle() : FHandle);
    }
}

void TCustomForm::WMClose(TMessage&) { Close(); }

bool TCustomForm::IsShortCut(TMessage& M)
{
    bool handled = false;
    if (OnShortCut)
        OnShortCut(M, handled);
    if (!handled && FMenu)
        handled = FMenu->IsShortCut(uint16_t(M.WParam), KeyDataToShiftState(M.LParam));
    return handled;
}

void TCustomForm::WMGetMinMaxInfo(TMessage& M)
{
    DefaultHandler(M);
    auto* mmi = reinterpret_cast<TMinMaxInfo*>(M.LParam);
    if (FFormStyle == fsMDIChild)
        MDIChildMaxInfo(*mmi);
    if (Constraints.MinWidth > 0) mmi->ptMinTrackSize.X = Constraints.MinWidth;
    if (Constraints.MinHeight > 0) mmi->ptMinTrackSize.Y = Constraints.MinHeight;
    if (Constraints.MaxWidth > 0) mmi->ptMaxTrackSize.X = Constraints.MaxWidth;
    if (Constraints.MaxHeight > 0) mmi->ptMaxTrackSize.Y = Constraints.MaxHeight;
}

void TCustomForm::WMShowWindow(TMessage& M) { DefaultHandler(M); }

void TCustomForm::CMDialogKey(TMessage& M)
{
    if (GetKeyState(VK_MENU) >= 0) {
        switch (int(M.WParam)) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                M.Result = 1;
                return;
            }
            break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(FActiveControl, M.WParam == WPARAM(VK_RIGHT) || M.WParam == WPARAM(VK_DOWN), false);
                M.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TWinControl::CMDialogKey(M);
}

void TCustomForm::PaintWindow(HDC ADC) { PaintOnCanvas(FCanvas.get(), ADC, [this] { Paint(); }); }

void TCustomForm::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

// ---- TApplication

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    // Waits of the GUI thread (and the core's pump) go through the application,
    // so its message filter and key handling apply there too.
    (void)Backend();   // the window system first, so its own pump does not replace ours
    SetMessagePumpHook([this] { return ProcessMessage(); });
}

TApplication::~TApplication()
{
    if (FHintTimer)
        KillTimer(nullptr, FHintTimer);
}

HWND TApplication::Handle()
{
    if (FHandle && IsWindow(FHandle))
        return FHandle;
    TWndClass cls;
    cls.ClassName = "TApplication";
    cls.WndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == CM_RELEASE) {
            delete reinterpret_cast<TCustomForm*>(l);
            return 0;
        }
        return DefWindowProc(h, m, w, l);
    };
    RegisterClass(cls);
    FHandle = CreateWindowEx(WS_EX_TOOLWINDOW, "TApplication", Title, WS_POPUP, 0, 0, 0, 0, nullptr);
    return FHandle;
}

void TApplication::Run()
{
    if (FMainForm && ShowMainForm)
        FMainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::SetDesktopIcon(TBitmap* APicture)
{
    std::vector<uint32_t> argb;
    int width = 0, height = 0;
    if (APicture && !APicture->Empty()) {
        TBitmap copy;
        copy.Assign(APicture);
        copy.SetPixelFormat(pf32bit);
        width = copy.Width();
        height = copy.Height();
        // A transparent picture's key colour is see-through, the rest opaque.
        const COLORREF key = ColorToRGB(APicture->TransparentColor());
        const uint32_t keyRgb = (key & 0xFF) << 16 | (key & 0xFF00) | (key >> 16 & 0xFF);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint32_t rgb = reinterpret_cast<const uint32_t*>(copy.ScanLine(y))[x] & 0xFFFFFF;
                argb.push_back(APicture->Transparent() && rgb == keyRgb ? 0 : rgb | 0xFF000000u);
            }
    }
    Backend().ProgramIconChanged(width, height, argb.empty() ? nullptr : argb.data());
}

bool TApplication::HelpContext(int AContext, const std::string& AHelpFile)
{
    const std::string& file = AHelpFile.empty() ? HelpFile : AHelpFile;
    return OnHelp && !file.empty() && OnHelp(file, AContext);
}

void TApplication::Terminate()
{
    if (!FTerminated)
        PostQuitMessage(0);
}

bool TApplication::IsKeyMsg(TMsg& AMsg)
{
    if (AMsg.message < WM_KEYFIRST || AMsg.message > WM_KEYLAST)
        return false;
    TWinControl* control = FindControl(AMsg.hwnd);
    if (!control)
        return false;
    if (AMsg.message == WM_KEYDOWN || AMsg.message == WM_SYSKEYDOWN)
        return control->Perform(AMsg.message == WM_KEYDOWN ? CN_KEYDOWN : CN_SYSKEYDOWN, AMsg.wParam, AMsg.lParam) != 0;
    if (AMsg.message == WM_SYSCHAR) {
        // Alt+letter: the mnemonics of the form's controls.
        TCustomForm* form = GetParentForm(control);
        return form && form->Perform(CM_DIALOGCHAR, AMsg.wParam, AMsg.lParam) != 0;
    }
    return false;
}

bool TApplication::ProcessMessage()
{
    // A wait that pumped messages inside a handler (a stop that waits for
    // its workers) may have taken the WM_QUIT meant for this loop.
    if (QuitReceived()) {
        ResetQuit();
        FTerminated = true;
        return true;
    }
    TMsg msg;
    if (!PeekMessage(msg, PM_REMOVE)) {
        // The pointer may have left every window: no message tells that.
        if (GetCursorPos() != FLastCursor)
            UpdateMouseControl();
        return false;
    }
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) {
        try {
            // A handler may put another in its place while it runs (a menu
            // that closes gives the saved handler back): it runs from a copy.
            const TMessageEvent handler = OnMessage;
            handler(msg, handled);
        } catch (...) {
            HandleException(this);
        }
    }
    if (!handled && !IsKeyMsg(msg)) {
        TranslateMessage(msg);
        DispatchMessage(msg);
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE || msg.message == WM_MOUSELEAVE)
        UpdateMouseControl();
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_LBUTTONDOWN ||
        msg.message == WM_RBUTTONDOWN || msg.message == WM_NCLBUTTONDOWN)
        CancelHint();
    return true;
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage()
{
    if (ProcessMessage())
        return;
    TMsg last;
    Idle(last);
    if (!FTerminated && !ProcessMessage())
        WaitMessage();
}

void TApplication::Idle(const TMsg&)
{
    UpdateMouseControl();
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (...) {
            HandleException(this);
        }
    }
    CheckSynchronize(0);
}

void TApplication::UpdateMouseControl()
{
    FLastCursor = GetCursorPos();
    TControl* now = FindDragTarget(FLastCursor, true);
    if (now == FMouseControl)
        return;
    TControl* old = FMouseControl;
    FMouseControl = now;
    if (old)
        old->Perform(CM_MOUSELEAVE);
    if (now && FMouseControl == now)
        now->Perform(CM_MOUSEENTER);
    if (now && now == FHintWindow)
        return;
    // A hint that was just showing makes the next one come quicker.
    bool wasShowing = FHintActive;
    CancelHint();
    FHintControl = now && WantsHint(now) ? now : nullptr;
    if (FHintControl && ShowHint)
        StartHintTimer(uint32_t(wasShowing ? HintShortPause : HintPause));
}

void TApplication::ForgetControl(TControl* AControl)
{
    if (FMouseControl == AControl)
        FMouseControl = nullptr;
    if (FHintControl == AControl) {
        FHintControl = nullptr;
        CancelHint();
    }
    if (FHintWindow == AControl)
        FHintWindow = nullptr;
}

// ---- hints

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    FVisible = false;
    FColor = clInfoBk;
    FBrush.SetColor(FColor);
    FFont.SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& P)
{
    TCustomControl::CreateParams(P);
    P.Style = WS_POPUP | WS_BORDER;
    P.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    P.WndParent = nullptr;
    P.WinClassName = "THintWindow";
}

void THintWindow::Dispatch(TMessage& M)
{
    if (M.Msg == WM_MOUSEACTIVATE) {
        M.Result = MA_NOACTIVATE;
        return;
    }
    if (M.Msg == WM_NCHITTEST) {
        M.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::Dispatch(M);
}

TRect THintWindow::CalcHintRect(int AMaxWidth, const std::string& AHint)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, FFont.Handle());
    TRect r = Rect(0, 0, AMaxWidth, 0);
    DrawText(dc, AHint, &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteDC(dc);
    return Rect(0, 0, r.Right + 6 + 2, r.Bottom + 2 + 2);
}

void THintWindow::ActivateHint(TRect ARect, const std::string& AHint)
{
    FText = AHint;
    TRect screen = GetWorkArea();
    if (ARect.Right > screen.Right)
        ARect = OffsetRect(ARect, screen.Right - ARect.Right, 0);
    if (ARect.Bottom > screen.Bottom)
        ARect = OffsetRect(ARect, 0, screen.Bottom - ARect.Bottom);
    SetBoundsRect(ARect);
    FHintShowing = true;
    SetWindowPos(Handle(), HWND_TOPMOST, ARect.Left, ARect.Top, ARect.Width(), ARect.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ReleaseHandle()
{
    FHintShowing = false;
    if (HandleAllocated())
        ShowWindow(Handle(), SW_HIDE);
}

void THintWindow::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(FColor);
    c->FillRect(r);
    HDC dc = c->Handle();
    SelectObject(dc, FFont.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FFont.Color()));
    r = Rect(r.Left + 2, r.Top, r.Right, r.Bottom);
    DrawText(dc, FText, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

void TApplication::StartHintTimer(uint32_t AInterval)
{
    if (FHintTimer)
        KillTimer(nullptr, FHintTimer);
    FHintTimer = SetTimer(nullptr, 0, std::max<uint32_t>(AInterval, 1), [this](HWND, UINT, uintptr_t, uint32_t) {
        KillTimer(nullptr, FHintTimer);
        FHintTimer = 0;
        if (FHintActive)
            HideHintTimerExpired();
        else
            HintTimerExpired();
    });
}

void TApplication::HintTimerExpired()
{
    if (FHintControl && FHintControl == FMouseControl)
        ActivateHint(GetCursorPos());
}

void TApplication::HideHintTimerExpired() { CancelHint(); }

void TApplication::ActivateHint(TPoint ACursorPos)
{
    TControl* control = FHintControl;
    if (!control || !ShowHint || !WantsHint(control))
        return;
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = control->ScreenToClient(ACursorPos);
    TPoint origin = control->ClientToScreen(Point(0, 0));
    info.CursorRect = Bounds(origin.X, origin.Y, control->Width(), control->Height());
    info.HintPos = Point(ACursorPos.X, ACursorPos.Y + 20);
    info.HintMaxWidth = GetScreenRect().Width();
    info.HintStr = control->Hint;
    info.HideTimeout = HintHidePause;
    if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) != 0)
        return;
    bool canShow = true;
    if (OnShowHint)
        OnShowHint(info.HintStr, canShow, info);
    if (!canShow || info.HintStr.empty())
        return;
    if (!FHintWindow) {
        FHintWindow = HintWindowClass ? HintWindowClass(this) : new THintWindow(this);
    }
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr);
    FHintWindow->ActivateHint(OffsetRect(r, info.HintPos.X, info.HintPos.Y), info.HintStr);
    FHintActive = true;
    FHintCursorRect = info.CursorRect;
    if (info.HideTimeout > 0)
        StartHintTimer(uint32_t(info.HideTimeout));
}

void TApplication::CancelHint()
{
    if (FHintTimer) {
        KillTimer(nullptr, FHintTimer);
        FHintTimer = 0;
    }
    if (FHintActive && FHintWindow)
        FHintWindow->ReleaseHandle();
    FHintActive = false;
}

void TApplication::HandleException(TObject* Sender)
{
    std::string text = "Unknown exception";
    try {
        throw;
    } catch (const std::exception& e) {
        text = e.what();
        if (OnException) {
            try {
                OnException(Sender, e);
                LastExceptionMessage = text;
                return;
            } catch (...) {
            }
        }
    } catch (...) {
    }
    LastExceptionMessage = text;
    std::fprintf(stderr, "%s\n", text.c_str());
}

void TApplication::Minimize()
{
    for (TCustomForm* f : Screen()->FForms)
        if (f->HandleAllocated() && f->Visible())
            ShowWindow(f->Handle(), SW_MINIMIZE);
    // The application window hears of it as the minimised application
    // (components watching it, the tray icon, act on that).
    if (FHandle && IsWindow(FHandle))
        SendMessage(FHandle, WM_SIZE, SIZE_MINIMIZED, 0);
    if (OnMinimize)
        OnMinimize(this);
}

void TApplication::Restore()
{
    for (TCustomForm* f : Screen()->FForms)
        if (f->HandleAllocated() && f->Visible() && IsIconic(f->Handle()))
            ShowWindow(f->Handle(), SW_RESTORE);
    if (OnRestore)
        OnRestore(this);
}

} // namespace platform
