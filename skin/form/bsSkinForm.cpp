// Attaching to the form, the replacement window procedure and the reception
// of the model's skin changes.

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/core/Exceptions.h"
#include "platform/gfx/Gdi.h"
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

} // namespace

TbsSkinForm::TbsSkinForm(TComponent* AOwner) : TComponent(AOwner), FForm(OwnerForm(AOwner))
{
    InitCaptionFont(FDefCaptionFont, clBtnText);
    InitCaptionFont(FDefInActiveCaptionFont, clBtnShadow);
    // The frame draws its own caption buttons.
    FForm->BorderIcons = 0;
    CreateMenuManager();
    OldWindowProc = FForm->WindowProc;
    FForm->WindowProc = [this](TMessage& M) { NewWndProc(M); };
    if (FForm->HandleAllocated())
        FForm->RecreateWnd();
}

TbsSkinForm::~TbsSkinForm()
{
    UnhookAppMessages();
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
    }
    if (AComponent == FMSD)
        FMSD = nullptr;
    if (AComponent == FMainMenuBar)
        FMainMenuBar = nullptr;
}

void TbsSkinForm::SetSkinData(TbsSkinData* AValue)
{
    FSD = AValue;
    if (FSD) {
        FSD->FreeNotification(this);
        if (FForm->FormStyle() != fsMDIChild)
            FSkinnableForm = FSD->SkinnableForm();
    }
    ChangeSkinData();
}

void TbsSkinForm::SetSkinnableForm(bool AValue)
{
    FSkinnableForm = AValue;
    ChangeSkinData();
    ChangeSkinDataOfControls(FForm, nullptr);
    if (FForm->HandleAllocated())
        FForm->RecreateWnd();
}

bool TbsSkinForm::GetFormActive() const
{
    return FForm->Active();
}

bool TbsSkinForm::FramePainted() const
{
    return FSkinnableForm && FForm->BorderStyle() != bsNone;
}

// The frame re-skin: geometry, region and a new client size from the skin.
void TbsSkinForm::ChangeSkinData()
{
    ActiveObject = -1;
    FSkinSupport = HasSkin();
    if (FSkinnableForm)
        FForm->BorderIcons = 0;
    const int minW = GetMinWidth(), minH = GetMinHeight();
    const bool narrow = FForm->Width() < minW, low = FForm->Height() < minH;
    if (narrow || low)
        FForm->SetBounds(FForm->Left(), FForm->Top(), std::max(FForm->Width(), minW), std::max(FForm->Height(), minH));
    else if (FForm->HandleAllocated())
        RefreshFormSize();
    FFormWidth = FForm->Width();
    FFormHeight = FForm->Height();
    if (FSkinSupport)
        UpdateFrame(true);
    else
        CreateFrameRgn(true);
    if (FForm->HandleAllocated()) {
        UpDateFormNC();
        FForm->Invalidate();
    }
    if (OnChangeSkinData)
        OnChangeSkinData(this);
}

void TbsSkinForm::UpDateFormNC()
{
    if (FForm->HandleAllocated())
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
            FStopPainting = true;
            FSkinSupport = false;
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
    case SKN_SKINNABLEFORMCHANGE:
        if (sender == FSD && FSD && FForm->FormStyle() != fsMDIChild)
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
        if (HandleSkinMessage(M)) {
            OldWindowProc(M);
            return;
        }
        if (!FSkinnableForm) {
            OldWindowProc(M);
            return;
        }
        switch (M.Msg) {
        case WM_NCCALCSIZE: WMNCCalcSize(M); return;
        case WM_NCHITTEST: WMNCHitTest(M); return;
        case WM_NCPAINT:
            if (FramePainted()) {
                if (FSkinSupport)
                    PaintNCSkin(nullptr, false);
                else if (!FStopPainting)
                    PaintNCDefault(nullptr, false);
            }
            M.Result = 0;
            return;
        case WM_NCACTIVATE:
            // The system caption is never drawn.
            UpDateFormNC();
            M.Result = 1;
            return;
        case WM_ACTIVATE:
            OldWindowProc(M);
            UpDateFormNC();
            return;
        case WM_ERASEBKGND:
            // An MDI main form's client window paints its own background.
            if (FForm->FormStyle() == fsMDIForm) {
                M.Result = 1;
                return;
            }
            if (FSkinSupport && FSD->BGPictureIndex != -1)
                PaintBG2(reinterpret_cast<HDC>(M.WParam));
            else if (FSkinSupport)
                PaintBG(reinterpret_cast<HDC>(M.WParam));
            else
                PaintBGDefault(reinterpret_cast<HDC>(M.WParam));
            M.Result = 1;
            return;
        case WM_SIZE: WMSize(M); return;
        case WM_GETMINMAXINFO: WMGetMinMaxInfo(M); return;
        default: OldWindowProc(M); return;
        }
    } catch (const std::exception&) {
        // A frame that fails to paint or lay out leaves the message handled
        // rather than taking the message loop down.
    }
}

void TbsSkinForm::WMNCCalcSize(TMessage& M)
{
    if (FForm->BorderStyle() == bsNone || (FForm->FormStyle() == fsMDIChild && FForm->WindowState() == wsMaximized)) {
        M.Result = 0;
        return;
    }
    TRect* r = M.WParam ? &reinterpret_cast<TNCCalcSizeParams*>(M.LParam)->rgrc[0] : reinterpret_cast<TRect*>(M.LParam);
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
}

void TbsSkinForm::WMSize(TMessage& M)
{
    OldWindowProc(M);
    FFormWidth = FForm->Width();
    FFormHeight = FForm->Height();
    if (FSkinSupport) {
        if (FFormWidth >= GetMinWidth() && FFormHeight >= GetMinHeight())
            UpdateFrame(true);
    } else {
        CreateFrameRgn(true);
        UpDateFormNC();
    }
}

void TbsSkinForm::WMGetMinMaxInfo(TMessage& M)
{
    OldWindowProc(M);
    auto* info = reinterpret_cast<TMinMaxInfo*>(M.LParam);
    info->ptMinTrackSize = TPoint{GetMinWidth(), GetMinHeight()};
    info->ptMaxTrackSize = TPoint{GetMaxWidth(), GetMaxHeight()};
}

} // namespace skin
