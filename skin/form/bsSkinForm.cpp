// Attaching to the form, the replacement window procedure and the reception
// of the model's skin changes.

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_StatusBar.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsRibbon.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/core/bsUtils_Layer.h"
#include "skin/core/bsUtils_Probes.h"

#include "platform/core/Exceptions.h"
#include "platform/gfx/Gdi.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <exception>

namespace skin {

using namespace platform;

namespace {

TCustomForm* OwnerForm(TComponent* AOwner)
{
    auto* form = dynamic_cast<TCustomForm*>(AOwner);
    if (!form)
        throw EConvertError("Invalid class typecast");
    return form;
}

void InitCaptionFont(TFont& AFont, TColor AColor)
{
    AFont.SetName("Tahoma");
    AFont.SetHeight(13);
    AFont.SetStyle({fsBold});
    AFont.SetColor(AColor);
}

TTimer* NewTimer(TComponent* AOwner, uint32_t AInterval, std::function<void()> AProc)
{
    auto* t = new TTimer(AOwner);
    t->SetEnabled(false);
    t->SetInterval(AInterval);
    t->SetOnTimer([AProc](TObject*) { AProc(); });
    return t;
}

} // namespace

TbsSkinForm::TbsSkinForm(TComponent* AOwner)
    : TComponent(AOwner), FForm(OwnerForm(AOwner)),
      FBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp)
{
    InitCaptionFont(FDefCaptionFont, clBtnText);
    InitCaptionFont(FDefInActiveCaptionFont, clBtnShadow);
    FLayerManager = new TbsLayerManager(this);
    FMenuLayerManager = new TbsLayerManager(this);
    MouseTimer = NewTimer(this, 50, [this] { MouseTimerProc(); });
    MorphTimer = NewTimer(this, 25, [this] { MorphTimerProc(); });
    AnimateTimer = NewTimer(this, 25, [this] { AnimateTimerProc(); });
    FSysMenu = new TPopupMenu(this);
    FSysTrayMenu = new TbsSkinPopupMenu(this);
    FSysTrayMenu->ComponentForm = FForm;
    CreateTrayMenu();
    FBorderLayer = new TbsFormLayerBorder(this);
    FQuickButtons = std::make_unique<TbsQuickButtonItems>(this);
    // The frame draws its own caption buttons.
    FForm->BorderIcons = 0;
    CreateMenuManager();
    if (FForm->FormStyle() == fsMDIForm)
        CreateMDIScrollBars();
    OldWindowProc = FForm->WindowProc;
    FForm->WindowProc = [this](TMessage& M) { NewWndProc(M); };
    if (FForm->HandleAllocated())
        FForm->RecreateWnd();
}

TbsSkinForm::~TbsSkinForm()
{
    UnhookAppMessages();
    if (const auto* hook = Application()->OnRestore.target<TbsAppRestoreHook>(); hook && hook->Owner == this)
        Application()->OnRestore = nullptr;
    if (FTrayIcon)
        FTrayIcon->ReleaseFormDefaults(FSysTrayMenu);
    // An open menu ends while the component can still hear of it.
    delete FSkinMenu;
    FSkinMenu = nullptr;
    // A form that is being destroyed frees its components last, after its
    // window procedure is gone (and takes the component out of its list
    // before freeing it).
    if (Owner() && !Owner()->IsDestroying()) {
        FForm->WindowProc = OldWindowProc;
        FForm->OnShortCut = nullptr;
    }
    // The client window may outlive the component: it gets its own
    // procedure back.
    if (FClientSubclassed && IsWindow(FClientSubclassed))
        SetWindowProc(FClientSubclassed, FPrevClientProc);
    // The objects call back into the component; they go first.
    ClearObjects();
    if (FRgn)
        DeleteObject(FRgn);
}

void TbsSkinForm::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSD) {
        FSD = nullptr;
        FSkinSupport = false;
        ClearObjects();
    }
    if (AComponent == FMSD)
        FMSD = nullptr;
    if (AComponent == FMainMenuBar)
        FMainMenuBar = nullptr;
    if (AComponent == FMainMenu)
        FMainMenu = nullptr;
    if (AComponent == static_cast<TComponent*>(FStatusBar))
        FStatusBar = nullptr;
    if (AComponent == FSkinHint)
        FSkinHint = nullptr;
    if (AComponent == reinterpret_cast<TComponent*>(FMDITabsBar))
        FMDITabsBar = nullptr;
    if (AComponent == reinterpret_cast<TComponent*>(FMDIHScrollBar))
        FMDIHScrollBar = nullptr;
    if (AComponent == reinterpret_cast<TComponent*>(FMDIVScrollBar))
        FMDIVScrollBar = nullptr;
    if (AComponent == SystemMenu)
        SystemMenu = nullptr;
    if (AComponent == FTrayComponent) {
        FTrayIcon = nullptr;
        FTrayComponent = nullptr;
    }
    if (AComponent == static_cast<TComponent*>(FSkinRibbon))
        FSkinRibbon = nullptr;
}

void TbsSkinForm::SetSkinRibbon(TbsRibbon* AValue)
{
    if (FSkinRibbon && FSkinRibbon != AValue && FSkinRibbon->BSF == this)
        FSkinRibbon->BSF = nullptr;
    ChangeReference<TbsRibbon>(this, FSkinRibbon, AValue);
    if (FSkinRibbon) {
        FSkinRibbon->BSF = this;
        FreeNotification(FSkinRibbon);
    }
}

void TbsSkinForm::SetSkinHint(TbsSkinHint* AValue)
{
    FSkinHint = AValue;
    if (FSkinHint)
        FSkinHint->FreeNotification(this);
}

void TbsSkinForm::SetBorderIcons(TbsBorderIcons AValue)
{
    FBorderIcons = AValue;
    UpdateCaptionButtons();
    OfferBorderIcons();
    UpDateFormNC();
}

// The form shows no boxes of the window system's (its BorderIcons are
// empty), yet the desktop should offer the same as the frame's buttons: the
// window's style says which boxes the frame has.
void TbsSkinForm::OfferBorderIcons()
{
    if (!FSkinnableForm || !FForm->HandleAllocated())
        return;
    const HWND h = FForm->Handle();
    const DWORD style = DWORD(GetWindowLong(h, GWL_STYLE));
    DWORD boxes = style & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    if (FBorderIcons & biMinimize)
        boxes |= WS_MINIMIZEBOX;
    if (FBorderIcons & biMaximize)
        boxes |= WS_MAXIMIZEBOX;
    if (boxes != style)
        SetWindowLong(h, GWL_STYLE, intptr_t(boxes));
}

void TbsSkinForm::SetSkinData(TbsSkinData* AValue)
{
    FSD = AValue;
    if (FSD) {
        FSD->FreeNotification(this);
        if (FForm->FormStyle() != fsMDIChild)
            FSkinnableForm = FSD->SkinnableForm() && !FUseRibbon;
    }
    ChangeSkinData();
    FSysTrayMenu->SetSkinData(AValue);
}

void TbsSkinForm::SetUseRibbon(bool AValue)
{
    FUseRibbon = AValue;
    if (AValue && FSkinnableForm)
        SetSkinnableForm(false);
}

// The frame changes hands between the component and the window system. A
// maximized form changes restored and hidden, and is maximized again by
// whoever keeps the frame now. A main form with documents keeps its frame.
void TbsSkinForm::SetSkinnableForm(bool AValue)
{
    FFormActive = GetFormActive();
    const bool mdiMain = FForm->FormStyle() == fsMDIForm;
    if (mdiMain && FForm->MDIChildCount() > 0)
        return;
    const bool wasVisible = FForm->Visible();
    bool maximizeAgain = false;
    if (FWindowState == wsMaximized && FSkinnableForm) {
        if (!mdiMain)
            FForm->Hide();
        SetWindowState(wsNormal);
        maximizeAgain = true;
    } else if (FForm->WindowState() == wsMaximized && !FSkinnableForm) {
        FForm->SetWindowState(wsNormal);
        if (!mdiMain)
            FForm->Hide();
        maximizeAgain = true;
    }
    FSkinnableForm = AValue && !FUseRibbon;
    ChangeSkinData();
    ChangeSkinDataOfControls(FForm, nullptr);
    // The frame's messages reach the component again, whoever took the
    // window procedure over meanwhile; the new window is measured and
    // framed by the new keeper of the frame.
    FForm->WindowProc = [this](TMessage& M) { NewWndProc(M); };
    if (FForm->HandleAllocated())
        FForm->RecreateWnd();
    if (mdiMain && FForm->HandleAllocated())
        SubclassMDIClient(true);
    if (maximizeAgain) {
        if (FSkinnableForm)
            SetWindowState(wsMaximized);
        else
            FForm->SetWindowState(wsMaximized);
        if (!mdiMain && wasVisible)
            FForm->Show();
    }
}

void TbsSkinForm::SetFormStyle(TFormStyle FS)
{
    if (FS != fsNormal && FS != fsStayOnTop)
        return;
    FForm->SetFormStyle(FS);
    // The border's windows and the shadow were made in the band of the old
    // style: they are made again in the new one.
    if (FBorderLayer->FVisible)
        FBorderLayer->Hide();
    SyncLayerBorder(true);
    ChangeSkinDataOfControls(FForm, nullptr);
}

void TbsSkinForm::SetFormBorderStyle(TFormBorderStyle BS)
{
    // The form's new window goes through the frame's size and region
    // calculation and shows or hides the layered border as it is shown.
    FForm->SetBorderStyle(BS);
    ChangeSkinDataOfControls(FForm, nullptr);
}

bool TbsSkinForm::GetFormActive() const
{
    if (PreviewMode)
        return true;
    return FForm->FormStyle() == fsMDIChild || FForm->FormStyle() == fsMDIForm ? FFormActive : FForm->Active();
}

bool TbsSkinForm::FramePainted() const
{
    return FSkinnableForm && FForm->BorderStyle() != bsNone;
}

// The frame re-skin: geometry, region and a new client size from the skin.
void TbsSkinForm::ChangeSkinData()
{
    OldActiveObject = ActiveObject = MouseCaptureObject = -1;
    FSkinSupport = HasSkin();
    HideGlowLayers();
    if (FBorderLayer->FVisible)
        FBorderLayer->Hide();
    if (FSkinSupport && FSkinnableForm) {
        CreateObjects();
        UpdateCaptionButtons();
        FBorderLayer->InitFrame(FSD, FForm);
    } else
        ClearObjects();
    if (FSkinnableForm) {
        FForm->BorderIcons = 0;
        OfferBorderIcons();
    } else
        // The window system's own frame shows the icons the frame would.
        FForm->BorderIcons = (HideCaptionButtons ? TBorderIcons{} : TBorderIcons{biSystemMenu}) | (FBorderIcons & (biMinimize | biMaximize));
    const int minW = GetMinWidth(), minH = GetMinHeight();
    const bool narrow = FForm->Width() < minW, low = FForm->Height() < minH;
    if (narrow || low)
        FForm->SetBounds(FForm->Left(), FForm->Top(), std::max(FForm->Width(), minW), std::max(FForm->Height(), minH));
    else if (FForm->HandleAllocated())
        RefreshFormSize();
    if (FRollUpState || FWindowState == wsMinimized) {
        if (FForm->Height() != GetMinHeight())
            FForm->SetHeight(GetMinHeight());
        if (FWindowState == wsMinimized && FForm->Width() != GetMinWidth())
            FForm->SetWidth(GetMinWidth());
    }
    FFormWidth = FForm->Width();
    FFormHeight = FForm->Height();
    if (FMDIHScrollBar)
        FMDIHScrollBar->SetSkinData(FSD);
    if (FMDIVScrollBar)
        FMDIVScrollBar->SetSkinData(FSD);
    if (FSkinSupport)
        UpdateFrame(true);
    else
        CreateFrameRgn(true);
    if (FForm->HandleAllocated()) {
        UpDateFormNC();
        FForm->Invalidate();
    }
    UpdateActiveState(true);
    MouseTimer->SetEnabled(true);
    if (OnChangeSkinData)
        OnChangeSkinData(this);
    SyncLayerBorder(true);
    RestoreLayerBounds();
    FOldFullBorder = -1;
    ApplyClientSize();
}

void TbsSkinForm::ApplyClientSize()
{
    if (FRollUpState)
        return;
    if (ClientWidth > 0)
        FForm->SetClientSize(ClientWidth, FForm->ClientHeight());
    if (ClientHeight > 0)
        FForm->SetClientSize(FForm->ClientWidth(), ClientHeight);
}

void TbsSkinForm::UpDateFormNC()
{
    if (FullBorderShown())
        FBorderLayer->UpdateBorder();
    else if (FForm->HandleAllocated())
        SendMessage(FForm->Handle(), WM_NCPAINT, 1, 0);
}

// The model announces its changes with itself as wParam: the frame follows
// its own model only, the controls follow theirs.
bool TbsSkinForm::HandleSkinMessage(TMessage& M)
{
    auto* sender = reinterpret_cast<TbsSkinData*>(M.WParam);
    switch (M.Msg) {
    case SKN_BEFORESKINCHANGE:
        if (sender == FSD && FSD) {
            SaveLayerBounds();
            FStopPainting = true;
            FSkinSupport = false;
            for (TTimer* t : {MouseTimer, MorphTimer, AnimateTimer})
                t->SetEnabled(false);
            ClearObjects();
            BeforeChangeSkinDataOfControls(FForm, sender);
            if (OnBeforeChangeSkinData)
                OnBeforeChangeSkinData(this);
        }
        return true;
    case SKN_SKINCHANGE:
        FStopPainting = false;
        if (sender == FSD && FSD)
            ChangeSkinData();
        ChangeSkinDataOfControls(FForm, sender);
        return true;
    case SKN_AFTERSKINCHANGE:
        if (OnAfterChangeSkinData)
            OnAfterChangeSkinData(this);
        return true;
    case SKN_LAYEREDBORDERSCHANGE:
        SaveLayerBounds();
        SyncLayerBorder(true);
        // A full border takes the frame away from the window or gives it
        // back: the frame is laid out again.
        if (FBorderLayer->FullBorder())
            ChangeSkinData();
        RestoreLayerBounds();
        return true;
    case SKN_AEROBLURCHANGE:
        // The border's windows ask for blur, or stop, as they are made.
        if (CanShowLayeredBorders() && FBorderLayer->FVisible) {
            FBorderLayer->Hide();
            FBorderLayer->ShowWithForm();
        }
        return true;
    case SKN_SMARTEFFECTSBEGIN:
        // Another program animates the window: the layered border keeps
        // out of its way until it is done.
        FSmartEffectsShow = true;
        return true;
    case SKN_SMARTEFFECTSEND:
        if (!FSmartEffectsShow)
            return true;
        FSmartEffectsShow = false;
        if ((FForm->Visible() || FForm->Tag == -10000) && CanShowLayeredBorders()) {
            Application()->ProcessMessages();
            FBorderLayer->FActive = true;
            FBorderLayer->ShowWithFormAnimation();
        }
        return true;
    case SKN_UISTRINGSCHANGE:
        UpdateObjectHints();
        return true;
    case SKN_DEFERREDLAYERSHOW:
        // The tray icon showed the main form again: its border and the
        // stay-on-top forms come to the front with it.
        if (FForm->Tag == -10000) {
            if (CanShowLayeredBorders()) {
                if (TCustomForm* main = Application()->MainForm(); main && main->HandleAllocated())
                    SetForegroundWindow(main->Handle());
                for (int i = 0; i < Screen()->FormCount(); ++i)
                    if (TCustomForm* f = Screen()->Forms(i);
                        f->FormStyle() == fsStayOnTop && f->Visible() && f->HandleAllocated())
                        SetForegroundWindow(f->Handle());
            }
            FForm->Tag = 0;
            SyncLayerBorder(false);
        }
        return true;
    case SKN_SKINNABLEFORMCHANGE:
        if (!FUseRibbon && sender == FSD && FSD && FForm->FormStyle() != fsMDIChild)
            SetSkinnableForm(FSD->SkinnableForm());
        return true;
    default:
        return false;
    }
}

// While the form's own destructor has run and its window goes away, the
// messages of that only reach the procedure that was there before.
bool TbsSkinForm::FormAlive() const
{
    return dynamic_cast<TCustomForm*>(static_cast<TWinControl*>(FForm)) != nullptr;
}

void TbsSkinForm::NewWndProc(TMessage& M)
{
    if (!FormAlive()) {
        OldWindowProc(M);
        return;
    }
    try {
        if (MenuMessage(M))
            return;
        if (MDIMessage(M))
            return;
    } catch (const std::exception&) {
        return;
    }
    FrameWndProc(M);
    try {
        if (FormAlive())
            MDIAfterMessage(M);
    } catch (const std::exception&) {
        // As below: a failed step leaves the message handled.
    }
}

void TbsSkinForm::FrameWndProc(TMessage& M)
{
    try {
        if (HandleSkinMessage(M)) {
            OldWindowProc(M);
            return;
        }
        if (M.Msg == SKN_SMARTEFFECTSQUERY) {
            M.Result = FSkinnableForm || !IsVistaOrLater() ? SKN_SMARTEFFECTS_ALLOWED : SKN_SMARTEFFECTS_DENIED;
            return;
        }
        if (M.Msg == WM_DISPLAYCHANGE) {
            if (FForm->BorderStyle() != bsNone)
                FitIntoMaxSize();
            OldWindowProc(M);
            return;
        }
        if (!FSkinnableForm) {
            OldWindowProc(M);
            return;
        }
        switch (M.Msg) {
        case WM_NCCALCSIZE: WMNCCalcSize(M); return;
        case WM_NCHITTEST:
            // Under a full border the window is all client area.
            if (FullBorderFrame()) {
                M.Result = HTCLIENT;
                return;
            }
            WMNCHitTest(M);
            return;
        case WM_NCPAINT:
            if (FramePainted() && !(FSkinSupport && FullBorderFrame())) {
                if (FSkinSupport)
                    PaintNCSkin(nullptr, false);
                else if (!FStopPainting)
                    PaintNCDefault(nullptr, false);
            }
            M.Result = 0;
            return;
        case WM_NCACTIVATE: WMNCActivate(M); return;
        case WM_ACTIVATE:
            OldWindowProc(M);
            UpDateFormNC();
            ResetObjectStates();
            UpdateActiveState(true);
            return;
        case WM_SETTEXT:
            OldWindowProc(M);
            if (FramePainted())
                UpDateFormNC();
            return;
        case WM_ERASEBKGND:
            // An MDI main form's client window paints its own background.
            if (FForm->FormStyle() == fsMDIForm && !FClientInActiveDraw) {
                M.Result = 1;
                return;
            }
            if (FSkinSupport && FUseRibbon && FSD->MDIBGPictureIndex != -1)
                PaintBG3(reinterpret_cast<HDC>(M.WParam));
            else if (FSkinSupport && FSD->BGPictureIndex != -1)
                PaintBG2(reinterpret_cast<HDC>(M.WParam));
            else if (FSkinSupport)
                PaintBG(reinterpret_cast<HDC>(M.WParam));
            else
                PaintBGDefault(reinterpret_cast<HDC>(M.WParam));
            M.Result = 1;
            return;
        case WM_SIZE: WMSize(M); return;
        case WM_GETMINMAXINFO: WMGetMinMaxInfo(M); return;
        case WM_DESTROY:
            for (TTimer* t : {MouseTimer, MorphTimer, AnimateTimer})
                t->SetEnabled(false);
            OldWindowProc(M);
            return;
        case WM_SHOWWINDOW: WMShowWindow(M); return;
        case WM_SETCURSOR:
            if (UseFormCursorInNCArea) {
                const LRESULT hit = LOWORD(M.LParam);
                const bool sizing = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
                if (hit != HTCLIENT && !sizing)
                    M.LParam = MAKELPARAM(int(HTCLIENT), HIWORD(M.LParam));
            }
            OldWindowProc(M);
            return;
        case WM_TIMER:
            FadeInTick(uintptr_t(M.WParam));
            OldWindowProc(M);
            return;
        case WM_SYNCPAINT:
            if (FRollUpState) {
                UpDateFormNC();
                M.Result = 0;
                return;
            }
            OldWindowProc(M);
            return;
        case WM_MOVING: WMMoving(M); return;
        case WM_SIZING: WMSizing(M); return;
        case WM_ENTERSIZEMOVE:
            FOnMouseDownCoord = GetCursorPos();
            ResetObjectStates();
            MouseTimer->SetEnabled(false);
            ActiveObject = MouseCaptureObject = -1;
            FSizeMove = true;
            FFullDrag = IsFullDrag();
            OldWindowProc(M);
            return;
        case WM_EXITSIZEMOVE:
            if (FSizing && (FForm->Width() != FFormWidth || FForm->Height() != FFormHeight)) {
                FFormWidth = FForm->Width();
                FFormHeight = FForm->Height();
                UpdateFrame(true);
            }
            FSizing = FSizeMove = false;
            MouseTimer->SetEnabled(false);
            ActiveObject = OldActiveObject = MouseCaptureObject = -1;
            if (FSkinSupport)
                UpDateFormNC();
            OldWindowProc(M);
            return;
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const TWindowPos*>(M.LParam);
            if (pos && !(pos->flags & SWP_NOMOVE)) {
                FFormLeft = pos->x;
                FFormTop = pos->y;
                // Where the border last moved with the form, for a size
                // that follows without a move.
                if (!FSizing && !FBorderLayerChangeSize) {
                    FOldFormLeft = FFormLeft;
                    FOldFormTop = FFormTop;
                }
            }
            OldWindowProc(M);
            if (pos)
                SyncLayerBorder(!(pos->flags & SWP_NOSIZE) || (pos->flags & SWP_SHOWWINDOW));
            return;
        }
        case WM_SYSCOMMAND:
            if ((M.WParam & 0xFFF0) == SC_RESTORE && OnRestore)
                OnRestore(this);
            OldWindowProc(M);
            return;
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONDBLCLK: WMNCButton(M); return;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            // Releases an object that holds the mouse capture.
            const TMouseButtonKind button = M.Msg == WM_LBUTTONUP ? mbLeft : mbRight;
            OldWindowProc(M);
            ObjectsMouseUp(button, -1, -1);
            return;
        }
        case SKN_PAINTTODC:
            M.Result = 0;
            if (M.WParam && FramePainted()) {
                PaintFrameTo(reinterpret_cast<HDC>(M.WParam));
                M.Result = SKN_PAINTTODC_ANSWER;
            }
            return;
        case SKN_PAINTFRAMETODC:
            if (M.LParam != SKN_PAINT_KEY) {
                OldWindowProc(M);
                return;
            }
            if (M.WParam && FramePainted())
                PaintFrameTo(reinterpret_cast<HDC>(M.WParam));
            M.Result = SKN_PAINT_KEY;
            return;
        default: OldWindowProc(M); return;
        }
    } catch (const std::exception&) {
        // A frame that fails to paint or lay out leaves the message handled
        // rather than taking the message loop down.
    }
}

void TbsSkinForm::WMNCCalcSize(TMessage& M)
{
    if (FForm->BorderStyle() == bsNone || (FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized)) {
        M.Result = 0;
        return;
    }
    TRect* r = M.WParam ? &reinterpret_cast<TNCCalcSizeParams*>(M.LParam)->rgrc[0] : reinterpret_cast<TRect*>(M.LParam);
    if (HasSkin() && FullBorderFrame()) {
        CalcSkinPoints();
        M.Result = 1;
        return;
    }
    if (HasSkin()) {
        CalcSkinPoints();
        const TRect& cl = FSD->ClRect;
        r->Left += cl.Left;
        r->Top += cl.Top;
        r->Right -= FSD->FPicture->Width() - cl.Right;
        r->Bottom -= FSD->FPicture->Height() - cl.Bottom;
    } else {
        r->Left += 3;
        r->Top += DefCaptionHeight() + 3;
        r->Right -= 3;
        r->Bottom -= 3;
    }
    r->Right = std::max(r->Right, r->Left);
    r->Bottom = std::max(r->Bottom, r->Top);
    M.Result = 0;
}

void TbsSkinForm::WMNCHitTest(TMessage& M)
{
    TPoint p{GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)};
    ScreenToFrame(p);
    M.Result = FSkinSupport ? SkinHitTest(p) : DefaultHitTest(p);
    // Hover tracking starts over an object and polls until the cursor
    // leaves the window.
    if (M.Result == HTOBJECT && !MouseTimer->Enabled()) {
        TestActive(p.X, p.Y, true);
        MouseTimer->SetEnabled(true);
    }
}

void TbsSkinForm::WMSize(TMessage& M)
{
    // A size from the border's drag reaches the form's own handler after
    // the frame has followed.
    const bool fromBorder = FBorderLayerChangeSize;
    if (!fromBorder)
        OldWindowProc(M);
    FFormWidth = FForm->Width();
    FFormHeight = FForm->Height();
    HMagnetized = VMagnetized = HMagnetized2 = VMagnetized2 = false;
    if (FSkinSupport) {
        if (FFormWidth >= GetMinWidth() && FFormHeight >= GetMinHeight())
            UpdateFrame(true);
    } else {
        CreateFrameRgn(true);
        UpDateFormNC();
    }
    if (fromBorder)
        OldWindowProc(M);
}

void TbsSkinForm::WMGetMinMaxInfo(TMessage& M)
{
    OldWindowProc(M);
    auto* info = reinterpret_cast<TMinMaxInfo*>(M.LParam);
    info->ptMinTrackSize = TPoint{GetMinWidth(), GetMinHeight()};
    info->ptMaxTrackSize = TPoint{GetMaxWidth(), GetMaxHeight()};
}

} // namespace skin
