// The frame's own window states: minimized into slots along the bottom of
// the work area (the main form minimizes the application), maximized to the
// work area, restored to the bounds saved before, rolled up to the caption;
// minimizing to the notification area, snapping to the work area's edges
// while dragged, and centring on the first show.

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_StatusBar.h"

#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/Input.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <cstdlib>

namespace skin {

using namespace platform;

bool TbsSkinForm::CanShowLayeredBorders() const
{
    return HasSkin() && FSD->ShowLayeredBorders() && FSD->LayerFrame && FSD->LayerFrame->PictureIndex != -1 &&
           IsLayeredWindowsAvailable() && FSkinnableForm && !AlwaysDisableLayeredFrames && !PreviewMode && !FSmartEffectsShow &&
           FForm->BorderStyle() != bsNone && FForm->FormStyle() != fsMDIChild;
}

bool TbsSkinForm::FullBorderFrame() const
{
    return CanShowLayeredBorders() && FBorderLayer->FullBorder();
}

bool TbsSkinForm::FullBorderShown() const
{
    return FBorderLayer->FVisible && FBorderLayer->FullBorder();
}

// The border shows around a visible form in the normal state (rolled up
// or not); a full border, being the whole frame, also stays around a
// maximized form and one minimized into the frame's own slot.
void TbsSkinForm::SyncLayerBorder(bool AResized)
{
    SyncShadow();
    const bool state = FWindowState == wsNormal || FBorderLayer->FullBorder();
    const bool want = CanShowLayeredBorders() && FBorderLayer->FData && FForm->HandleAllocated() &&
                      IsWindowVisible(FForm->Handle()) && !IsIconic(FForm->Handle()) && state;
    if (!want) {
        if (FBorderLayer->FVisible)
            FBorderLayer->Hide();
        return;
    }
    if (!FBorderLayer->FVisible) {
        FBorderLayer->FActive = GetFormActive();
        FBorderLayer->ShowWithForm();
    } else if (AResized)
        FBorderLayer->SetBoundsWithForm();
    else
        FBorderLayer->MoveWithForm();
}

// The outer rectangle of a form rectangle: the full border's sizing edges
// around it when one is shown.
static TRect OuterBounds(const TbsFormLayerBorder& B, const TRect& R)
{
    return TRect{R.Left - B.LeftSize, R.Top - B.TopSize, R.Right + B.RightSize, R.Bottom + B.BottomSize};
}

static TRect InnerBounds(const TbsFormLayerBorder& B, const TRect& R)
{
    return TRect{R.Left + B.LeftSize, R.Top + B.TopSize, R.Right - B.RightSize, R.Bottom - B.BottomSize};
}

void TbsSkinForm::Move(int AX, int AY)
{
    if (CanShowLayeredBorders() && FBorderLayer->FVisible && FBorderLayer->FData &&
        (!IsNullRect(FBorderLayer->FData->BorderRect) || FBorderLayer->FullBorder())) {
        AX += FBorderLayer->LeftSize;
        AY += FBorderLayer->TopSize;
    }
    FForm->SetBounds(AX, AY, FForm->Width(), FForm->Height());
}

void TbsSkinForm::SetBounds(int AX, int AY, int AWidth, int AHeight)
{
    TRect r = Bounds(AX, AY, AWidth, AHeight);
    if (CanShowLayeredBorders() && FBorderLayer->FVisible && FBorderLayer->FData &&
        (!IsNullRect(FBorderLayer->FData->BorderRect) || FBorderLayer->FullBorder()))
        r = InnerBounds(*FBorderLayer, r);
    SetFormBounds(r);
}

void TbsSkinForm::SaveLayerBounds()
{
    const bool full = FullBorderShown();
    FOldFormBounds = full ? OuterBounds(*FBorderLayer, FForm->BoundsRect()) : FForm->BoundsRect();
    FOldFullBorder = full ? 1 : 0;
}

void TbsSkinForm::RestoreLayerBounds()
{
    if (FOldFullBorder == -1 || IsNullRect(FOldFormBounds))
        return;
    if (CanShowLayeredBorders() && FullBorderShown())
        SetFormBounds(InnerBounds(*FBorderLayer, FOldFormBounds));
    else if (FOldFullBorder == 1) {
        TRect r = FOldFormBounds;
        if (FRollUpState)
            r.Bottom = r.Top + GetMinHeight();
        SetFormBounds(r);
    }
}

bool TbsSkinForm::IsMainForm() const
{
    return Application()->MainForm() == FForm;
}

void TbsSkinForm::SetFormBounds(const TRect& R)
{
    FForm->SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TbsSkinForm::SetWindowState(TWindowState AValue)
{
    ChangeWindowState(AValue);
}

void TbsSkinForm::ChangeWindowState(TWindowState AValue)
{
    if (!FSkinnableForm) {
        FForm->SetWindowState(AValue);
        return;
    }
    if (AValue == FWindowState)
        return;
    const TWindowState old = FWindowState;
    // The application minimizes the main form through the window system;
    // the frame itself stays as it was.
    if (!(AValue == wsMinimized && (IsMainForm() || MinimizeDefault)))
        FWindowState = AValue;
    switch (AValue) {
    case wsNormal:
        if (old == wsMaximized && FRollUpState && !FRollUpBeforeMaximize)
            SetRollUpState(false);
        FRollUpBeforeMaximize = false;
        DoRestore();
        break;
    case wsMinimized: DoMinimize(); break;
    case wsMaximized:
        FRollUpBeforeMaximize = FRollUpState;
        DoMaximize();
        break;
    }
}

void TbsSkinForm::DoMinimize()
{
    if (IsMainForm())
        Application()->Minimize();
    else if (MinimizeDefault)
        FForm->SetWindowState(wsMinimized);
    else {
        if (IsNullRect(OldBoundsRect))
            OldBoundsRect = FForm->BoundsRect();
        const TPoint p = GetMinimizedPosition();
        if (FullBorderShown())
            FForm->SetBounds(p.X + FBorderLayer->LeftSize,
                             p.Y - FBorderLayer->BottomSize - FBorderLayer->FData->RollUpFormHeight + 10, GetMinWidth(),
                             GetMinHeight());
        else
            FForm->SetBounds(p.X, p.Y, GetMinWidth(), GetMinHeight());
        if (FForm->FormStyle() == fsMDIChild && FForm->HandleAllocated()) {
            SendToMainForm(SKN_CHILDRESTORED);
            SendToMainForm(SKN_RESTOREALLEXCEPT, reinterpret_cast<WPARAM>(FForm->Handle()));
        }
    }
    SyncLayerBorder(false);
    if (OnMinimize)
        OnMinimize(this);
}

// Slots fill the bottom row of the work area from the left, then the rows
// above it.
TPoint TbsSkinForm::GetMinimizedPosition()
{
    const int w = GetMinWidth(), h = GetMinHeight();
    TRect area;
    TbsSkinForm* main = FForm->FormStyle() == fsMDIChild ? MainFormComponent() : nullptr;
    if (main) {
        // Documents take their slots along the bottom of the client area.
        const TRect a = main->GetMDIClientArea();
        area = TRect{0, 0, a.Width(), a.Height()};
    } else
        GetMonitorRect(FForm->HandleAllocated() ? FForm->Handle() : nullptr, true, area);
    auto taken = [this](int X, int Y) {
        for (int i = 0; i < Screen()->FormCount(); ++i) {
            TCustomForm* f = Screen()->Forms(i);
            if (f == FForm || f == Application()->MainForm() || !f->Visible())
                continue;
            TbsSkinForm* other = FindSkinFormComponent(f);
            if (other && other->WindowState() == wsMinimized && f->Left() == X && f->Top() == Y)
                return true;
        }
        return false;
    };
    int x = area.Left, y = area.Bottom - h;
    while (taken(x, y)) {
        x += w;
        if (x + w > area.Right) {
            x = area.Left;
            y -= h;
        }
        if (y < area.Top) {
            y = area.Bottom - h;
            break;
        }
    }
    return Point(x, y);
}

void TbsSkinForm::DoMaximize()
{
    if (IsNullRect(OldBoundsRect))
        OldBoundsRect = FForm->BoundsRect();
    if (FForm->FormStyle() == fsMDIChild) {
        // A document fills the client area without its frame and tells the
        // main form, whose frame and menu bar take its caption and buttons.
        MouseTimer->SetEnabled(false);
        TestActive(-1, -1, false);
        TbsSkinForm* main = MainFormComponent();
        const TRect a = main ? main->GetMDIClientArea() : FForm->BoundsRect();
        const TRect old = FForm->BoundsRect();
        FForm->SetBounds(0, 0, a.Width(), a.Height());
        if (old.Width() == a.Width() && old.Height() == a.Height() && FForm->HandleAllocated())
            RefreshFormSize();
        SendToMainForm(SKN_CHILDMAXIMIZED);
        ShowStatusBarGrip(false);
        if (OnMaximize)
            OnMaximize(this);
        return;
    }
    TRect r;
    GetMonitorRect(FForm->HandleAllocated() ? FForm->Handle() : nullptr, !MaximizeOnFullScreen, r);
    if (!MaximizeOnFullScreen) {
        // A work area as large as the primary screen means a hidden task
        // bar: a pixel of margin keeps it reachable.
        const TRect screen = GetScreenRect();
        if (r == screen && screen.Left == 0 && screen.Top == 0)
            r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    // A full border keeps its layer, laid inside the area.
    if (FullBorderFrame())
        r = InnerBounds(*FBorderLayer, r);
    SetFormBounds(r);
    SyncLayerBorder(false);
    ShowStatusBarGrip(false);
    if (OnMaximize)
        OnMaximize(this);
}

void TbsSkinForm::DoRestore()
{
    MaxRollUpState = false;
    const TRect old = FForm->BoundsRect();
    // Nothing saved (a state set before the form ever left the normal
    // one): the form keeps its bounds.
    if (!IsNullRect(OldBoundsRect)) {
        if (FStartShow) {
            FStartShow = false;
            const TPoint p = GetPositionInMonitor(OldBoundsRect.Left, OldBoundsRect.Top, OldBoundsRect.Width(),
                                                  OldBoundsRect.Height());
            FForm->SetBounds(p.X, p.Y, OldBoundsRect.Width(), OldBoundsRect.Height());
        } else
            SetFormBounds(OldBoundsRect);
    }
    if (MouseTimer)
        MouseTimer->SetEnabled(true);
    if (FForm->Width() == old.Width() && FForm->Height() == old.Height() && FForm->HandleAllocated())
        RefreshFormSize();
    FForm->Invalidate();
    OldBoundsRect = NullRect();
    SyncLayerBorder(true);
    if (FForm->FormStyle() == fsMDIChild) {
        SendToMainForm(SKN_CHILDRESTORED);
        SendToMainForm(SKN_RESTOREALL);
    }
    ShowStatusBarGrip(true);
    if (OnRestore)
        OnRestore(this);
}

void TbsSkinForm::SetStatusBar(TbsSkinStatusBar* AValue)
{
    FStatusBar = AValue;
    if (FStatusBar)
        FStatusBar->FreeNotification(this);
}

// A maximized form cannot be sized: its status bar shows no size grip.
void TbsSkinForm::ShowStatusBarGrip(bool AValue)
{
    if (FStatusBar && FStatusBar->SizeGrip())
        FStatusBar->SetShowGrip(AValue);
}

void TbsSkinForm::SetRollUpState(bool AValue)
{
    if (!(FBorderIcons & biRollUp) || FWindowState == wsMinimized ||
        (FRollUpState && FWindowState == wsMaximized && !MaxRollUpState))
        return;
    // Rolling up twice would take the rolled height as the height to
    // return to.
    if (AValue == FRollUpState)
        return;
    if (FWindowState == wsMaximized)
        MaxRollUpState = AValue;
    FRollUpState = AValue;
    if (AValue) {
        OldHeight = FForm->Height();
        RollUpForm();
    } else if (ClientHeight != 0)
        FForm->SetClientSize(FForm->ClientWidth(), ClientHeight);
    else
        RollDownForm();
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

// A rolled-up form is as high as its caption frame. A full border rolls
// up around a form already at that height: it passes one pixel above it
// first, so that the height to return to is not the rolled one.
void TbsSkinForm::RollUpForm()
{
    if (FullBorderShown() && FForm->Height() == GetMinHeight()) {
        FForm->SetHeight(GetMinHeight() + 1);
        OldHeight = FForm->Height();
    }
    FForm->SetHeight(GetMinHeight());
}

void TbsSkinForm::RollDownForm()
{
    FForm->SetHeight(OldHeight);
}

void TbsSkinForm::SetTrayIcon(TbsFormTrayIcon* AValue)
{
    if (FTrayIcon) {
        FTrayIcon->ReleaseFormDefaults(FSysTrayMenu);
        FTrayComponent->RemoveFreeNotification(this);
    }
    FTrayIcon = AValue;
    FTrayComponent = AValue ? AValue->TrayComponent() : nullptr;
    if (!FTrayIcon)
        return;
    FTrayComponent->FreeNotification(this);
    if (!AlwaysShowInTray)
        FTrayIcon->SetIconVisible(false);
    FTrayIcon->SetMinimizeToTray(false);
    if (!IsDesigning())
        FTrayIcon->AdoptFormDefaults(FSysTrayMenu, [this](TObject*) { RestoreFromTray(); });
}

void TbsSkinForm::MinimizeToTray()
{
    if (!FTrayIcon)
        return;
    FTrayIcon->SetMinimizeToTray(true);
    Application()->Minimize();
    if (OnMinimizeToTray)
        OnMinimizeToTray(this);
}

void TbsSkinForm::RestoreFromTray()
{
    if (!FTrayIcon)
        return;
    FTrayIcon->SetMinimizeToTray(false);
    FTrayIcon->ShowMainForm();
    Application()->Restore();
    if (!AlwaysShowInTray)
        FTrayIcon->SetIconVisible(false);
    if (OnRestoreFromTray)
        OnRestoreFromTray(this);
    CheckAppLayeredBorders();
}

std::vector<TCustomForm*> TbsSkinForm::OtherVisibleForms() const
{
    // The border windows are controls, not forms: they are never listed.
    std::vector<TCustomForm*> forms;
    TCustomForm* main = Application()->MainForm();
    for (int i = 0; i < Screen()->FormCount(); ++i) {
        TCustomForm* f = Screen()->Forms(i);
        if (f != main && f->Visible() && f->FormStyle() != fsStayOnTop && f->FormStyle() != fsMDIChild)
            forms.push_back(f);
    }
    return forms;
}

bool TbsSkinForm::HasOtherVisibleForms() const
{
    return !OtherVisibleForms().empty();
}

// Each border window goes right above the form, below whatever the form
// holds above itself (the forms it owns).
void TbsSkinForm::RaiseLayerBorder()
{
    if (!FBorderLayer->FVisible || !FForm->HandleAllocated())
        return;
    const bool onTop = FForm->FormStyle() == fsStayOnTop;
    for (auto& w : FBorderLayer->Windows) {
        if (!w || !w->Visible())
            continue;
        const HWND above = GetWindow(FForm->Handle(), GW_HWNDPREV);
        if (above == w->Handle())
            continue;
        SetWindowPos(w->Handle(), above ? above : onTop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void TbsSkinForm::CheckAppLayeredBorders()
{
    if (!IsMainForm() || !FSD || !FSD->ShowLayeredBorders() || !CanShowLayeredBorders())
        return;
    std::vector<TCustomForm*> forms = OtherVisibleForms();
    if (forms.empty())
        return;
    // The lowest form first: each one shown comes to the front, so the forms
    // keep their order among themselves.
    auto place = [](TCustomForm* F) {
        int i = 0;
        if (F->HandleAllocated())
            for (HWND h = GetWindow(F->Handle(), GW_HWNDFIRST); h && h != F->Handle(); h = GetWindow(h, GW_HWNDNEXT))
                ++i;
        return i;
    };
    std::stable_sort(forms.begin(), forms.end(), [&](TCustomForm* A, TCustomForm* B) { return place(A) > place(B); });
    // Showing a form brings it to the front and its border back around it.
    // The border's windows are not owned by the form: once every form
    // stands where it comes (the main form lifts the forms it owns with
    // it), each form's border is put right above it.
    if (FForm->Visible())
        forms.push_back(FForm);
    for (TCustomForm* f : forms)
        f->Show();
    for (TCustomForm* f : forms)
        if (TbsSkinForm* c = FindSkinFormComponent(f))
            c->RaiseLayerBorder();
}

void TbsSkinForm::AppRestore(TObject*)
{
    CheckAppLayeredBorders();
}

void TbsAppRestoreHook::operator()(TObject* Sender) const
{
    Owner->AppRestore(Sender);
}

// Near an edge (within MagneticSize) the form snaps to it and stays there
// until the cursor has moved more than MagneticSize from where it snapped.
void TbsSkinForm::MagneticMove(int& ALeft, int& ATop, int AWidth, int AHeight)
{
    const int m = MagneticSize;
    TRect a;
    // A document snaps to the edges of its client window, in whose
    // coordinates it moves; any other form to its monitor's work area.
    HWND client = FForm->FormStyle() == fsMDIChild && FForm->HandleAllocated() ? GetParent(FForm->Handle()) : nullptr;
    if (!client || !GetClientRect(client, a))
        GetMonitorRect(FForm->HandleAllocated() ? FForm->Handle() : nullptr, true, a);
    const TPoint cursor = GetCursorPos();
    // A border with sizing edges counts as part of the form.
    const bool outer = CanShowLayeredBorders() && FBorderLayer->FVisible && FBorderLayer->FData &&
                       !IsNullRect(FBorderLayer->FData->BorderRect);
    const int ls = outer ? FBorderLayer->LeftSize : 0, ts = outer ? FBorderLayer->TopSize : 0;
    int left = ALeft - ls, top = ATop - ts;
    const int w = AWidth + (outer ? ls + FBorderLayer->RightSize : 0);
    const int h = AHeight + (outer ? ts + FBorderLayer->BottomSize : 0);
    auto snap = [m](int& AValue, int AEdge, int ASize, int ACursor, int& AAnchor, bool& AFlag) {
        const int edge = AValue + ASize;
        const bool near = AEdge - m < edge && edge < AEdge + m;
        if (near && !AFlag) {
            AValue = AEdge - ASize;
            AAnchor = ACursor;
        } else if (AFlag) {
            if (std::abs(ACursor - AAnchor) > m)
                AValue = ACursor + AEdge - ASize - AAnchor;
            else
                AValue = AEdge - ASize;
        }
        AFlag = near;
        return near;
    };
    snap(left, a.Left, 0, cursor.X, FOnMouseDownCoord.X, HMagnetized);
    snap(top, a.Top, 0, cursor.Y, FOnMouseDownCoord.Y, VMagnetized);
    snap(left, a.Right, w, cursor.X, FOnMouseDownCoord.X, HMagnetized2);
    snap(top, a.Bottom, h, cursor.Y, FOnMouseDownCoord.Y, VMagnetized2);
    ALeft = left + ls;
    ATop = top + ts;
}

TPoint TbsSkinForm::GetPositionInMonitor(int AX, int AY, int AW, int AH)
{
    if (PositionInMonitor == bspDefault)
        return Point(AX, AY);
    TRect r;
    GetMonitorRect(FForm->HandleAllocated() ? FForm->Handle() : nullptr, PositionInMonitor == bspDesktopCenter, r);
    return Point(r.Left + r.Width() / 2 - AW / 2, r.Top + r.Height() / 2 - AH / 2);
}

void TbsSkinForm::ApplyPositionInMonitor()
{
    const TPoint p = GetPositionInMonitor(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    FForm->SetBounds(p.X, p.Y, FForm->Width(), FForm->Height());
}

} // namespace skin
