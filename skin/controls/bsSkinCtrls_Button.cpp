#include "skin/controls/bsSkinCtrls_Button.h"

#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"

#include <algorithm>
#include <cctype>

namespace skin {

using platform::TCustomForm;
using platform::TMouseButtonKind;
using platform::TShiftState;

namespace {

constexpr uint32_t RepeatDelay = 500;

std::unique_ptr<TbsGuiTimer> NewTimer(uint32_t AInterval, std::function<void()> AOnTimer)
{
    return std::make_unique<TbsGuiTimer>(AInterval, std::move(AOnTimer));
}

void DropTimer(std::unique_ptr<TbsGuiTimer>& ATimer) { ATimer.reset(); }

} // namespace

TbsSkinButton::TbsSkinButton(TComponent* AOwner)
    : TbsSkinCustomControl(AOwner), FLayerManager(std::make_unique<TbsLayerManager>(nullptr))
{
    SetTabStop(true);
    SetSkinDataName("button");
    SetBounds(Left(), Top(), 75, 25);
}

TbsSkinButton::~TbsSkinButton()
{
    RepeatTimer.reset();
    AnimateTimer.reset();
}

// ---------------------------------------------------------------- properties

void TbsSkinButton::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    Repaint();
}

void TbsSkinButton::SetCheckedMode(bool Value)
{
    if (FCheckedMode == Value)
        return;
    FCheckedMode = Value;
    if (Value)
        SetGroupIndex(-1);
    else if (FGroupIndex == -1)
        SetGroupIndex(0);
}

void TbsSkinButton::SetImageList(TCustomImageList* Value)
{
    if (FImageList)
        FImageList->RemoveFreeNotification(this);
    FImageList = Value;
    if (FImageList)
        FImageList->FreeNotification(this);
    Repaint();
}

void TbsSkinButton::SetImageIndex(int Value)
{
    if (FImageIndex == Value)
        return;
    FImageIndex = Value;
    Repaint();
}

void TbsSkinButton::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TbsSkinButton::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    if (Value != 0)
        SetCanFocused(false);
}

void TbsSkinButton::SetGlyph(TBitmap* Value)
{
    FGlyph.Assign(Value);
    Repaint();
}

void TbsSkinButton::SetNumGlyphs(TbsNumGlyphs Value)
{
    FNumGlyphs = Value;
    Repaint();
}

void TbsSkinButton::SetMargin(int Value)
{
    if (FMargin == Value || Value < -1)
        return;
    FMargin = Value;
    Repaint();
}

void TbsSkinButton::SetSpacing(int Value)
{
    if (FSpacing == Value)
        return;
    FSpacing = Value;
    Repaint();
}

void TbsSkinButton::SetLayout(TbsButtonLayout Value)
{
    if (FLayout == Value)
        return;
    FLayout = Value;
    Repaint();
}

// Every button of the form re-evaluates which one Enter clicks.
void TbsSkinButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (!HandleAllocated() || !FCanFocused)
        return;
    if (TCustomForm* form = ParentForm())
        form->Perform(platform::CM_FOCUSCHANGED, 0, reinterpret_cast<platform::LPARAM>(form->ActiveControl()));
}

void TbsSkinButton::SetDown(bool Value)
{
    FDown = Value;
    if (MorphingActive()) {
        FMorph.SetKf(1);
        if (Value)
            FMorph.Stop();
        else
            FMorph.Start();
    }
    Repaint();
    if (FGroupIndex > 0 && Value && !AllowAllUp)
        ReleaseGroupSiblings();
}

void TbsSkinButton::ReleaseGroupSiblings()
{
    if (!Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* b = dynamic_cast<TbsSkinButton*>(Parent()->Controls(i));
        if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
            b->SetDown(false);
    }
}

void TbsSkinButton::SetSkinImagesMenu(IbsSkinImagesMenu* Value)
{
    if (FSkinImagesMenuComponent)
        FSkinImagesMenuComponent->RemoveFreeNotification(this);
    FSkinImagesMenu = Value;
    FSkinImagesMenuComponent = Value ? Value->MenuComponent() : nullptr;
    if (Value) {
        FSkinImagesMenuComponent->FreeNotification(this);
        Value->SetOnInternalChange([this](TObject*) { Repaint(); });
    }
    Repaint();
}

// A menu is only half there while it is being destroyed: compare the
// component, never ask the menu.
void TbsSkinButton::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsSkinCustomControl::Notification(AComponent, AOperation);
    if (AOperation != platform::opRemove)
        return;
    if (AComponent == FSkinImagesMenuComponent) {
        FSkinImagesMenu = nullptr;
        FSkinImagesMenuComponent = nullptr;
    }
    if (AComponent == FImageList)
        FImageList = nullptr;
}

void TbsSkinButton::CreateWnd()
{
    TbsSkinCustomControl::CreateWnd();
    FActive = FDefault;
}

// ---------------------------------------------------------------- conditions

bool TbsSkinButton::SkinEffectsOn() const { return FSD && !FSD->Empty() && FSD->EnableSkinEffects; }

bool TbsSkinButton::IsFocused() { return FCanFocused && Focused(); }

bool TbsSkinButton::DownLook()
{
    return FDown && (FGroupIndex != 0 || FMouseIn || (IsFocused() && !FMouseDown));
}

// ---------------------------------------------------------------- operations

void TbsSkinButton::RefreshButton()
{
    FMouseIn = false;
    FDown = false;
    if (MorphingActive())
        FMorph.SetKf(0);
    if (SkinEffectsOn())
        StopAnimate();
    Repaint();
}

void TbsSkinButton::ButtonClick()
{
    if (FCanFocused)
        if (TCustomForm* form = ParentForm())
            form->SetModalResult(ModalResult);
    if (OnClick)
        OnClick(this);
}

void TbsSkinButton::BeforeChangeSkinData()
{
    TbsSkinCustomControl::BeforeChangeSkinData();
    if (FLayerManager->IsVisible)
        HideLayer();
}

void TbsSkinButton::ChangeSkinData()
{
    FMorph.Reset(0);
    StopAnimate();
    TbsSkinCustomControl::ChangeSkinData();
    if (MorphingActive() && Skinned() && (IsFocused() || FMouseIn))
        FMorph.SetKf(1);
    if (FMouseIn && HandleAllocated())
        platform::PostMessage(Handle(), platform::SKN_SHOWGLOWLAYER, 0, 0);
}

void TbsSkinButton::CheckParentBackground()
{
    if (FTransparent && !FDown && !FMouseIn)
        Repaint();
}

void TbsSkinButton::CalcSkinLayout(int& W, int& H)
{
    if (UseSkinSize || ResizeMode == 1) {
        TbsSkinCustomControl::CalcSkinLayout(W, H);
        return;
    }
    NewClRect = Rect(ClRect.Left, ClRect.Top, ClRect.Right + W - SkinWidth(), ClRect.Bottom + H - SkinHeight());
}

// ---------------------------------------------------------------- timers

bool TbsSkinButton::MorphCanFade()
{
    GetSkinData();
    return Skinned() && MorphingActive();
}

void TbsSkinButton::MorphOrRepaint() { FMorph.StartOrRepaint(MorphingActive() && Skinned()); }


bool TakeFocusOnPress(TWinControl* AControl, TMessage& M, bool& AClicksDisabled)
{
    switch (M.Msg) {
    case platform::WM_LBUTTONDOWN:
    case platform::WM_LBUTTONDBLCLK:
        if (!AControl->Focused() && !AControl->IsDesigning()) {
            AClicksDisabled = true;
            platform::SetFocus(AControl->Handle());
            AClicksDisabled = false;
            return AControl->Focused();
        }
        return true;
    case platform::CN_COMMAND:
        return !AClicksDisabled;
    default:
        return true;
    }
}

void FollowPointer(TControl* AControl, int X, int Y, bool AMouseIn)
{
    const bool inside = X >= 0 && X <= AControl->Width() && Y >= 0 && Y <= AControl->Height();
    if (!inside && AMouseIn)
        AControl->Perform(platform::CM_MOUSELEAVE, 0, 0);
    else if (inside && !AMouseIn)
        AControl->Perform(platform::CM_MOUSEENTER, 0, 0);
}

void TbsSkinButton::StartRepeat()
{
    RepeatTimer = NewTimer(RepeatDelay, [this] { RepeatTimerTick(); });
}

void TbsSkinButton::StopRepeat() { DropTimer(RepeatTimer); }

// The first tick only ends the delay; every further tick clicks.
void TbsSkinButton::RepeatTimerTick()
{
    if (RepeatTimer->Interval() == RepeatDelay && RepeatInterval != int(RepeatDelay)) {
        RepeatTimer->SetInterval(uint32_t(RepeatInterval));
        return;
    }
    ButtonClick();
}

void TbsSkinButton::StartAnimate(bool AForward)
{
    StopAnimate();
    // A frame count of 0 cannot divide the animation picture: no animation.
    if (FrameCount <= 0)
        return;
    AnimateInc = AForward;
    CurrentFrame = AForward ? 1 : FrameCount;
    AnimateTimer = NewTimer(uint32_t(std::max(AnimateInterval, 1)), [this] { AnimateTimerTick(); });
}

void TbsSkinButton::StopAnimate()
{
    CurrentFrame = 0;
    DropTimer(AnimateTimer);
}

void TbsSkinButton::AnimateTimerTick()
{
    bool ended = false;
    if (StepAnimation(CurrentFrame, AnimateInc, FrameCount, ended))
        Repaint();
    if (ended)
        StopAnimate();
}

bool StepAnimation(int& ACurrentFrame, bool AForward, int AFrameCount, bool& AEnded)
{
    bool taken = false;
    if (AForward) {
        if (ACurrentFrame <= AFrameCount) {
            ++ACurrentFrame;
            taken = true;
        }
        AEnded = ACurrentFrame > AFrameCount;
    } else {
        if (ACurrentFrame >= 0) {
            --ACurrentFrame;
            taken = true;
        }
        AEnded = ACurrentFrame <= 0;
    }
    return taken;
}

TRect TbsButtonSkinValues::AnimationFrame(const TRect& ASkinRect, int AFrame) const
{
    const TRect& a = AnimateSkinRect;
    if (FrameCount <= 0)
        return a;
    if (ASkinRect.Width() < a.Width()) {
        const int w = a.Width() / FrameCount;
        return Rect(a.Left + w * (AFrame - 1), a.Top, a.Left + w * AFrame, a.Bottom);
    }
    const int h = a.Height() / FrameCount;
    return Rect(a.Left, a.Top + h * (AFrame - 1), a.Right, a.Top + h * AFrame);
}

void TbsButtonSkinValues::ReadButtonValues(const TbsDataSkinButtonControl& ARec)
{
    auto orElse = [](const TRect& R, const TRect& AFallback) { return R.IsEmpty() ? AFallback : R; };
    FontName = ARec.FontName;
    FontColor = ARec.FontColor;
    FontStyle = ARec.FontStyle;
    FontHeight = ARec.FontHeight;
    ActiveFontColor = ARec.ActiveFontColor;
    DownFontColor = ARec.DownFontColor;
    DisabledFontColor = ARec.DisabledFontColor == ARec.FontColor ? TColor(0x808080) : ARec.DisabledFontColor;
    ActiveSkinRect = orElse(ARec.ActiveSkinRect, ARec.SkinRect);
    DownSkinRect = orElse(ARec.DownSkinRect, ActiveSkinRect);
    DisabledSkinRect = ARec.DisabledSkinRect;
    Morphing = ARec.Morphing;
    MorphKind = ARec.MorphKind;
    AnimateSkinRect = ARec.AnimateSkinRect;
    FrameCount = ARec.FrameCount;
    AnimateInterval = ARec.AnimateInterval;
    MenuMarkerRect = ARec.MenuMarkerRect;
    MenuMarkerActiveRect = orElse(ARec.MenuMarkerActiveRect, MenuMarkerRect);
    MenuMarkerDownRect = orElse(ARec.MenuMarkerDownRect, MenuMarkerActiveRect);
    MenuMarkerFlatRect = orElse(ARec.MenuMarkerFlatRect, MenuMarkerRect);
    MenuMarkerTransparentColor = ARec.MenuMarkerTransparentColor;
}

TColor TbsButtonSkinValues::CaptionColor(bool AEnabled, bool AUseSkinFontColor, TColor ADefault, bool ADown,
                                         bool AMouseIn) const
{
    if (AEnabled && !AUseSkinFontColor)
        return ADefault;
    if (!AEnabled)
        return DisabledFontColor;
    if (ADown && AMouseIn)
        return DownFontColor;
    return AMouseIn ? ActiveFontColor : FontColor;
}

// ---------------------------------------------------------------- skin record

void TbsSkinButton::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (!Skinned()) {
        AnimateSkinRect = TRect();
        return;
    }
    if (auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(SkinRecord())) {
        if (!UseSkinSize && rec->MaskPictureIndex != -1)
            MaskPicture = nullptr;   // a button that keeps its own size has no region
        ReadButtonValues(*rec);
        FocusedSkinRect = rec->FocusedSkinRect;
        ShowFocus = rec->ShowFocus;
        MenuMarkerFlatRect = rec->MenuMarkerFlatRect;
        GlowLayerPictureIndex = rec->GlowLayerPictureIndex;
        GlowLayerMaskPictureIndex = rec->GlowLayerMaskPictureIndex;
        GlowLayerOffsetLeft = rec->GlowLayerOffsetLeft;
        GlowLayerOffsetRight = rec->GlowLayerOffsetRight;
        GlowLayerOffsetTop = rec->GlowLayerOffsetTop;
        GlowLayerOffsetBottom = rec->GlowLayerOffsetBottom;
        GlowLayerShowOffsetX = rec->GlowLayerShowOffsetX;
        GlowLayerShowOffsetY = rec->GlowLayerShowOffsetY;
        GlowLayerAlphaBlendValue = rec->GlowLayerAlphaBlendValue;
    }
    if (SkinEffectsOn() && AnimateTimer && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        if (AnimateInc)
            ActiveSkinRect = AnimationFrame(SkinRect, CurrentFrame);
        else
            SkinRect = AnimationFrame(SkinRect, CurrentFrame);
    }
}

// ---------------------------------------------------------------- mouse

void TbsSkinButton::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseDown(AButton, AShift, X, Y);
    if (AButton == platform::mbLeft)
        PressButton(*this);
}

void TbsSkinButton::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == platform::mbLeft)
        ReleaseButton(*this, FMouseIn);
    if (HandleAllocated() && Visible())
        TbsSkinCustomControl::MouseUp(AButton, AShift, X, Y);
}

// A held button shows its up look while the pointer is dragged off it.
void TbsSkinButton::MouseMove(TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseMove(AShift, X, Y);
    if (FDown)
        FollowPointer(this, X, Y, FMouseIn);
}

void TbsSkinButton::CMMouseEnter(TMessage& M)
{
    TbsSkinCustomControl::CMMouseEnter(M);
    if (IsDesigning() || M.LParam != 0)
        return;
    FMouseIn = true;
    const bool changes = !(IsFocused() && !FDown) && !(FGroupIndex != 0 && FDown);
    if (changes) {
        if (FDown) {
            if (MorphingActive())
                FMorph.SetKf(1);
            Repaint();
        } else {
            if (AnimationAllowed())
                StartAnimate(true);
            MorphOrRepaint();
        }
    }
    if (FDown && RepeatMode && FGroupIndex == 0)
        StartRepeat();
    if (HandleAllocated())
        platform::PostMessage(Handle(), platform::SKN_SHOWGLOWLAYER, 0, 0);
}

void TbsSkinButton::CMMouseLeave(TMessage& M)
{
    TbsSkinCustomControl::CMMouseLeave(M);
    if (IsDesigning() || M.LParam != 0)
        return;
    // The button Enter clicks keeps its hot look while the focus is elsewhere.
    if (!(FCanFocused && FDefault && FActive && !Focused()))
        FMouseIn = false;
    const bool changes = !(IsFocused() && !FDown) && !(FGroupIndex != 0 && FDown);
    if (changes) {
        if (AnimationAllowed())
            StartAnimate(false);
        MorphOrRepaint();
    }
    if (FDown && RepeatMode && RepeatTimer && FGroupIndex == 0)
        StopRepeat();
    if (HandleAllocated())
        platform::PostMessage(Handle(), platform::SKN_HIDEGLOWLAYER, 0, 0);
}

void TbsSkinButton::CMEnabledChanged(TMessage& M)
{
    TbsSkinCustomControl::CMEnabledChanged(M);
    if (MorphingActive())
        FMorph.Reset(0);
    FMouseIn = false;
    Repaint();
}

void TbsSkinButton::CMTextChanged(TMessage& M)
{
    TbsSkinCustomControl::CMTextChanged(M);
    Repaint();
}

// ---------------------------------------------------------------- keyboard and focus

void TbsSkinButton::WndProc(TMessage& M)
{
    if (FCanFocused) {
        switch (M.Msg) {
        case platform::WM_KEYDOWN:
            if (M.WParam == platform::VK_SPACE && FSpaceSupport) {
                if (AnimationAllowed())
                    StopAnimate();
                SetDown(true);
                if (RepeatMode)
                    ButtonClick();
            } else if (M.WParam == platform::VK_RETURN && FSpaceSupport) {
                ButtonClick();
            }
            break;
        case platform::WM_KEYUP:
            if (M.WParam == platform::VK_SPACE) {
                SetDown(false);
                ButtonClick();
            }
            break;
        default:
            break;
        }
        if (!TakeFocusOnPress(this, M, FClicksDisabled))
            return;
    }
    TbsSkinCustomControl::WndProc(M);
}

void TbsSkinButton::Dispatch(TMessage& M)
{
    if (M.Msg == platform::SKN_SHOWGLOWLAYER) {
        ShowLayer();
        return;
    }
    if (M.Msg == platform::SKN_HIDEGLOWLAYER) {
        HideLayer();
        return;
    }
    TbsSkinCustomControl::Dispatch(M);
}

void TbsSkinButton::CMDialogKey(TMessage& M)
{
    if (FCanFocused) {
        const bool enter = M.WParam == platform::VK_RETURN && FActive && Enabled();
        const bool noShift = platform::GetKeyState(platform::VK_SHIFT) >= 0 &&
                             platform::GetKeyState(platform::VK_CONTROL) >= 0 &&
                             platform::GetKeyState(platform::VK_MENU) >= 0;
        const bool escape = M.WParam == platform::VK_ESCAPE && Cancel && noShift && CanFocus();
        if (enter || escape) {
            ButtonClick();
            M.Result = 1;
            return;
        }
    }
    TbsSkinCustomControl::CMDialogKey(M);
}

void TbsSkinButton::CMDialogChar(TMessage& M)
{
    if (RunAccel(this, M, FCanFocused, [this] { ButtonClick(); }))
        return;
    TbsSkinCustomControl::CMDialogChar(M);
}

// The default button shows its hot look while the focus is on a control
// that is not a button.
void TbsSkinButton::CMFocusChanged(TMessage& M)
{
    if (FCanFocused) {
        auto* sender = reinterpret_cast<TWinControl*>(M.LParam);
        auto* button = dynamic_cast<TbsSkinButton*>(sender);
        FActive = button ? button == this : FDefault;
        if (FDefault) {
            if (button && button != this && FMouseIn) {
                FMouseIn = false;
                MorphOrRepaint();
            } else if (!button && sender != this && !FMouseIn) {
                if (MorphingActive())
                    FMorph.SetKf(1);
                FMouseIn = true;
                MorphOrRepaint();
            }
        }
    }
    TbsSkinCustomControl::CMFocusChanged(M);
}

void TbsSkinButton::WMSetFocus(TMessage& M)
{
    TbsSkinCustomControl::WMSetFocus(M);
    if (!FCanFocused || FDownState)
        return;
    if (AnimationAllowed())
        StartAnimate(true);
    MorphOrRepaint();
}

void TbsSkinButton::WMKillFocus(TMessage& M)
{
    if (!FCanFocused) {
        TbsSkinCustomControl::WMKillFocus(M);
        return;
    }
    if (RepeatMode && RepeatTimer)
        StopRepeat();
    if (FGroupIndex == 0 && FDown)
        FDown = false;
    TbsSkinCustomControl::WMKillFocus(M);
    if (FDownState)
        return;
    if (AnimationAllowed())
        StartAnimate(false);
    if (MorphingActive() && Skinned())
        FMorph.Start();
    else
        Invalidate();
}

// A parent that asks its children to erase into its own image gets the
// button's picture.
void TbsSkinButton::WMEraseBkgnd(TMessage& M)
{
    if (!FromWMPaint && M.WParam)
        PaintWindow(reinterpret_cast<platform::HDC>(M.WParam));
    M.Result = 1;
}

} // namespace skin
