// The frame's mouse and activation messages: non-client input routed to
// the frame objects, double clicks and right clicks on the caption, the
// form's active state, the first show, and moving and sizing by the
// window system's loop.

#include "skin/form/bsSkinForm.h"

#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

#include <algorithm>

namespace skin {

using namespace platform;

void TbsSkinForm::PaintFrameTo(HDC ADC)
{
    if (FSkinSupport)
        PaintNCSkin(ADC, true);
    else
        PaintNCDefault(ADC, true);
}

void TbsSkinForm::WMNCButton(TMessage& M)
{
    OldWindowProc(M);
    TPoint p{GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)};
    if (!FForm->HandleAllocated())
        return;
    ScreenToFrame(p);
    const LRESULT hit = LRESULT(M.WParam);
    switch (M.Msg) {
    case WM_NCMOUSEMOVE: ObjectsMouseMove(p.X, p.Y); break;
    case WM_NCLBUTTONDOWN:
        if (FSizeMove) {
            FSizeMove = false;
            break;
        }
        TestActive(p.X, p.Y, true);
        ObjectsMouseDown(mbLeft, p.X, p.Y);
        if (hit == HTCAPTION)
            MouseCaptureObject = -1;
        break;
    case WM_NCLBUTTONUP: ObjectsMouseUp(mbLeft, p.X, p.Y); break;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(p, hit); break;
    case WM_NCRBUTTONDOWN:
        if (hit != HTCAPTION)
            break;
        MouseCaptureObject = -1;
        if (!DisableSystemMenu) {
            const TPoint cursor = GetCursorPos();
            PopupSystemMenu(cursor.X, cursor.Y);
        }
        break;
    case WM_NCRBUTTONDBLCLK:
        if (hit == HTCAPTION)
            MouseCaptureObject = -1;
        break;
    default: break;
    }
}

// A double click on the caption maximizes or restores a sizable form and
// rolls any other up or down.
void TbsSkinForm::WMNCLButtonDblClk(const TPoint& P, LRESULT AHit)
{
    TestActive(P.X, P.Y, true);
    ObjectsMouseDown(mbLeft, P.X, P.Y);
    ObjectsDblClick();
    if (AHit != HTCAPTION)
        return;
    const bool sizable = CanResize();
    if (sizable && FWindowState == wsMinimized)
        SetWindowState(wsNormal);
    else if (sizable && FWindowState != wsMaximized && !FRollUpState && (FBorderIcons & biMaximize))
        SetWindowState(wsMaximized);
    else if (sizable && FWindowState == wsMaximized && !MaxRollUpState)
        SetWindowState(wsNormal);
    else
        SetRollUpState(!FRollUpState);
    MouseCaptureObject = -1;
}

// The system caption is never drawn: the frame repaints itself in the
// new state.
void TbsSkinForm::WMNCActivate(TMessage& M)
{
    FBorderLayerChangeSize = false;
    HideGlowLayers();
    FFormActive = M.WParam != 0;
    if (!FFormActive)
        TestActive(-1, -1, false);
    if (FForm->FormStyle() == fsMDIChild && FForm->Visible())
        OldWindowProc(M);
    M.Result = 1;
    if (FForm->BorderStyle() == bsNone || (FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized)) {
        UpdateActiveState(false);
        return;
    }
    UpDateFormNC();
    UpdateActiveState(true);
    if (ClientInActiveEffect && FForm->Visible()) {
        if (FFormActive)
            HideClientInActiveEffect();
        else
            ShowClientInActiveEffect();
    }
    if (FBorderLayer->FVisible)
        FBorderLayer->SetActive(FFormActive, true);
}

void TbsSkinForm::ShowClientInActiveEffect()
{
    HideClientInActiveEffect();
    FInActivePanel = new TbsClientInActivePanel(this);
    FClientInActiveDraw = true;
    FInActivePanel->ShowPanel(FForm, ClientInActiveEffectType);
    FClientInActiveDraw = false;
}

void TbsSkinForm::HideClientInActiveEffect()
{
    if (!FInActivePanel)
        return;
    FInActivePanel->HidePanel();
    delete FInActivePanel;
    FInActivePanel = nullptr;
}

void TbsSkinForm::WMShowWindow(TMessage& M)
{
    if (M.WParam) {
        OfferBorderIcons();
        if (IsMainForm() && !Application()->OnRestore)
            Application()->OnRestore = TbsAppRestoreHook{this};
        if (FStartShow && PositionInMonitor == bspDefault)
            FStartShow = false;
        else if (FStartShow && FWindowState == wsNormal) {
            FStartShow = false;
            ApplyPositionInMonitor();
        }
        StartFadeIn();
        if (FForm->FormStyle() != fsMDIForm && FForm->HandleAllocated()) {
            RefreshFormSize();
            // The skinned frame's borders hold from the first show on; the
            // client keeps its size inside them.
            ApplyClientSize();
        }
        // The frame shows its menus through the skinned menu bar, never as
        // the window system's own bar.
        if (FForm->Menu())
            FForm->SetMenu(nullptr);
    } else {
        HideGlowLayers();
        FBorderLayer->Hide();
    }
    OldWindowProc(M);
}

// A maximized form stays where it is; a magnetic one snaps to the work
// area's edges.
void TbsSkinForm::WMMoving(TMessage& M)
{
    auto* r = reinterpret_cast<TRect*>(M.LParam);
    if (r && FWindowState == wsMaximized && FForm->FormStyle() != fsMDIChild)
        *r = FForm->BoundsRect();
    else if (r && Magnetic) {
        int left = r->Left, top = r->Top;
        const int w = FForm->Width(), h = FForm->Height();
        MagneticMove(left, top, w, h);
        *r = TRect{left, top, left + w, top + h};
    }
    OldWindowProc(M);
}

// While the window is dragged whole, the frame (region, caption, border)
// is laid out for the new size before the window takes it, so no step
// shows the old frame stretched.
void TbsSkinForm::WMSizing(TMessage& M)
{
    FSizing = true;
    HMagnetized = VMagnetized = HMagnetized2 = VMagnetized2 = false;
    OldWindowProc(M);
    const auto* r = reinterpret_cast<const TRect*>(M.LParam);
    if (!FSizeMove || !FFullDrag || !r)
        return;
    FBorderLayerChangeSize = false;
    FFormWidth = std::max(r->Width(), GetMinWidth());
    FFormHeight = std::max(r->Height(), GetMinHeight());
    if (!FSkinSupport) {
        CreateFrameRgn(true);
        return;
    }
    if (FForm->Width() < GetMinWidth() || FForm->Height() < GetMinHeight() ||
        (FForm->Width() == FFormWidth && FForm->Height() == FFormHeight))
        return;
    // A size from the left or top moves the window too; the border follows
    // that move instead.
    if (CanShowLayeredBorders() && FFormLeft == FOldFormLeft && FFormTop == FOldFormTop)
        FBorderLayer->SetBoundsWithForm3(FFormLeft, FFormTop, FFormWidth, FFormHeight);
    FOldFormLeft = FFormLeft;
    FOldFormTop = FFormTop;
    UpdateFrame(true);
}

} // namespace skin
