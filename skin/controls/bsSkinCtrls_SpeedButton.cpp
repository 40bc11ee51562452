// The speed button's properties, skin values, state machine and timers.

#include "skin/controls/bsSkinCtrls_SpeedButton.h"

#include "skin/controls/bsSkinCtrls_ToolBar.h"

#include <algorithm>
#include <vector>

namespace skin {

namespace {

constexpr uint32_t RepeatDelay = 500;
} // namespace

TbsSkinSpeedButton::TbsSkinSpeedButton(TComponent* AOwner) : TbsGraphicSkinCustomControl(AOwner)
{
    ControlStyle = platform::csCaptureMouse | platform::csOpaque | platform::csDoubleClicks;
    FSkinDataName = "toolbutton";
    SetBounds(Left(), Top(), 25, 25);
}

TbsSkinSpeedButton::~TbsSkinSpeedButton()
{
    StopRepeat();
    StopAnimate();
}

void TbsSkinSpeedButton::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsGraphicSkinCustomControl::Notification(AComponent, AOperation);
    if (AOperation != platform::opRemove)
        return;
    if (AComponent == FImageList)
        FImageList = nullptr;
    if (FSkinImagesMenu && AComponent == FSkinImagesMenu->MenuComponent())
        FSkinImagesMenu = nullptr;
}

TbsSkinToolBar* TbsSkinSpeedButton::ToolBar() const { return dynamic_cast<TbsSkinToolBar*>(Parent()); }

bool TbsSkinSpeedButton::SkinEffectsOn() const { return FSD && !FSD->Empty() && FSD->EnableSkinEffects; }

// ---------------------------------------------------------------- properties

void TbsSkinSpeedButton::SetCheckedMode(bool Value)
{
    FCheckedMode = Value;
    if (Value)
        FGroupIndex = -1;
    else if (FGroupIndex == -1)
        FGroupIndex = 0;
}

void TbsSkinSpeedButton::SetImageList(TCustomImageList* Value)
{
    ChangeReference(this, FImageList, Value);
    Repaint();
}

void TbsSkinSpeedButton::SetImageIndex(int Value)
{
    if (FImageIndex == Value)
        return;
    FImageIndex = Value;
    Repaint();
}

void TbsSkinSpeedButton::SetTransparent(bool Value)
{
    if (Value)
        ControlStyle &= ~platform::csOpaque;
    else
        ControlStyle |= platform::csOpaque;
    if (!FStopDraw)
        Repaint();
}

void TbsSkinSpeedButton::SetTransparentNoDraw(bool Value)
{
    FStopDraw = true;
    SetTransparent(Value);
    FStopDraw = false;
}

void TbsSkinSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    SetTransparent(Value);
}

void TbsSkinSpeedButton::SetShowCaption(bool Value)
{
    if (FShowCaption == Value)
        return;
    FShowCaption = Value;
    if (WidthWithCaption > 0 && WidthWithoutCaption > 0)
        SetWidth(Value ? WidthWithCaption : WidthWithoutCaption);
    else
        Repaint();
}

void TbsSkinSpeedButton::SetGlyph(TBitmap* Value)
{
    FGlyph.Assign(Value);
    Repaint();
}

void TbsSkinSpeedButton::SetNumGlyphs(TbsNumGlyphs Value)
{
    FNumGlyphs = Value;
    Repaint();
}

void TbsSkinSpeedButton::SetMargin(int Value)
{
    if (Value < -1 || FMargin == Value)
        return;
    FMargin = Value;
    Repaint();
}

void TbsSkinSpeedButton::SetSpacing(int Value)
{
    if (FSpacing == Value)
        return;
    FSpacing = Value;
    Repaint();
}

void TbsSkinSpeedButton::SetLayout(TbsButtonLayout Value)
{
    if (FLayout == Value)
        return;
    FLayout = Value;
    Repaint();
}

void TbsSkinSpeedButton::SetDown(bool Value)
{
    FDown = Value;
    if (MorphingActive()) {
        FMorph.SetKf(1);
        if (Value)
            FMorph.Stop();
        else
            FMorph.Start();
    }
    if (FFlat && !Transparent() && !Value && !FMouseIn && !IsDesigning())
        SetTransparentNoDraw(true);
    Repaint();
    if (FGroupIndex > 0 && Value && !AllowAllUp)
        ReleaseGroupSiblings();
}

void TbsSkinSpeedButton::ReleaseGroupSiblings()
{
    if (!Parent())
        return;
    std::vector<TbsSkinSpeedButton*> group;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TbsSkinSpeedButton*>(Parent()->Controls(i));
            b && b != this && b->FGroupIndex == FGroupIndex && b->FDown)
            group.push_back(b);
    for (TbsSkinSpeedButton* b : group)
        b->SetDown(false);
}

void TbsSkinSpeedButton::RefreshButton()
{
    FMouseIn = false;
    FDown = false;
    if (MorphingActive())
        FMorph.SetKf(0);
    if (SkinEffectsOn())
        StopAnimate();
    Repaint();
}

void TbsSkinSpeedButton::ButtonClick()
{
    if (OnClick)
        OnClick(this);
}

void TbsSkinSpeedButton::Loaded()
{
    TbsGraphicSkinCustomControl::Loaded();
    if (FFlat && Transparent() && FDown)
        SetTransparentNoDraw(false);
}

// ---------------------------------------------------------------- skin values

void TbsSkinSpeedButton::GetSkinData()
{
    TbsGraphicSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        ActiveSkinRect = TRect{};
        return;
    }
    auto* rec = dynamic_cast<TbsDataSkinButtonControl*>(SkinRecord());
    if (!rec)
        return;
    ReadButtonValues(*rec);
    // A transparent button never fades: there is no picture to fade from.
    Morphing = Morphing && !Transparent();
    if (SkinEffectsOn() && AnimateTimer && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        if (AnimateInc)
            ActiveSkinRect = AnimationFrame(SkinRect, CurrentFrame);
        else
            SkinRect = AnimationFrame(SkinRect, CurrentFrame);
    }
}

void TbsSkinSpeedButton::ChangeSkinData()
{
    StopAnimate();
    // A fade cut short would otherwise leave the half-blended picture standing.
    FMorph.Reset(0);
    TbsGraphicSkinCustomControl::ChangeSkinData();
    if (MorphingActive() && FIndex != -1 && FMouseIn && !Transparent())
        FMorph.SetKf(1);
}

void TbsSkinSpeedButton::CalcSkinLayout(int& W, int& H)
{
    if (UseSkinSize || ResizeMode == 1) {
        TbsGraphicSkinCustomControl::CalcSkinLayout(W, H);
        return;
    }
    NewClRect = Rect(ClRect.Left, ClRect.Top, ClRect.Right + W - SkinWidth(), ClRect.Bottom + H - SkinHeight());
}

// ---------------------------------------------------------------- messages

void TbsSkinSpeedButton::Dispatch(TMessage& M)
{
    if (M.Msg == platform::CM_DIALOGCHAR) {
        CMDialogChar(M);
        return;
    }
    TbsGraphicSkinCustomControl::Dispatch(M);
}

void TbsSkinSpeedButton::CMDialogChar(TMessage& M)
{
    if (platform::IsAccel(uint16_t(M.WParam), Caption()) && Enabled() && Visible() && Parent() &&
        Parent()->Showing()) {
        ButtonClick();
        M.Result = 1;
        return;
    }
    TbsGraphicSkinCustomControl::Dispatch(M);
}

void TbsSkinSpeedButton::CMTextChanged(TMessage& M)
{
    M.Result = 0;
    Repaint();
}

void TbsSkinSpeedButton::CMEnabledChanged(TMessage& M)
{
    TbsGraphicSkinCustomControl::CMEnabledChanged(M);
    if (MorphingActive())
        FMorph.Reset(0);
    FMouseIn = false;
    Repaint();
}

void TbsSkinSpeedButton::CMMouseEnter(TMessage& M)
{
    const bool e = (FGroupIndex == 0 || !FDown) && Enabled();
    if (FFlat && e && !IsDesigning())
        SetTransparentNoDraw(false);
    TbsGraphicSkinCustomControl::CMMouseEnter(M);
    if (!Enabled() || IsDesigning())
        return;
    FMouseIn = true;
    if (e) {
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
}

void TbsSkinSpeedButton::CMMouseLeave(TMessage& M)
{
    const bool e = (FGroupIndex == 0 || !FDown) && Enabled();
    if (FFlat && e && !IsDesigning())
        SetTransparentNoDraw(true);
    TbsGraphicSkinCustomControl::CMMouseLeave(M);
    if (!Enabled() || IsDesigning())
        return;
    FMouseIn = false;
    if (FGroupIndex == 0 || !FDown) {
        if (AnimationAllowed())
            StartAnimate(false);
        MorphOrRepaint();
    }
    if (FDown && RepeatMode && RepeatTimer && FGroupIndex == 0)
        StopRepeat();
}

// ---------------------------------------------------------------- mouse

void TbsSkinSpeedButton::MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    TbsGraphicSkinCustomControl::MouseDown(AButton, AShift, X, Y);
    if (AButton == platform::mbLeft)
        PressButton(*this);
}

void TbsSkinSpeedButton::MouseMove(platform::TShiftState AShift, int X, int Y)
{
    TbsGraphicSkinCustomControl::MouseMove(AShift, X, Y);
    if (FDown)
        FollowPointer(this, X, Y, FMouseIn);
}

void TbsSkinSpeedButton::MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    TbsGraphicSkinCustomControl::MouseUp(AButton, AShift, X, Y);
    if (AButton == platform::mbLeft)
        ReleaseButton(*this, X >= 0 && X < Width() && Y >= 0 && Y < Height());
}

// ---------------------------------------------------------------- timers

void TbsSkinSpeedButton::MorphOrRepaint()
{
    FMorph.StartOrRepaint(MorphingActive() && FIndex != -1 && !Transparent() && !FFlat);
}

void TbsSkinSpeedButton::StartRepeat()
{
    RepeatTimer = std::make_unique<TbsGuiTimer>(RepeatDelay, [this] {
        // The first tick only ends the delay.
        if (RepeatTimer->Interval() != uint32_t(RepeatInterval)) {
            RepeatTimer->SetInterval(uint32_t(std::max(1, RepeatInterval)));
            return;
        }
        ButtonClick();
    });
}

void TbsSkinSpeedButton::StopRepeat() { RepeatTimer.reset(); }

void TbsSkinSpeedButton::StartAnimate(bool AForward)
{
    StopAnimate();
    // Flat buttons do not animate; a frame count of 0 cannot divide the strip.
    if (FFlat || FrameCount <= 0)
        return;
    AnimateInc = AForward;
    CurrentFrame = AForward ? 1 : FrameCount;
    AnimateTimer = std::make_unique<TbsGuiTimer>(uint32_t(std::max(1, AnimateInterval)), [this] { AnimateTimerTick(); });
}

void TbsSkinSpeedButton::StopAnimate()
{
    CurrentFrame = 0;
    AnimateTimer.reset();
}

void TbsSkinSpeedButton::AnimateTimerTick()
{
    bool ended = false;
    if (StepAnimation(CurrentFrame, AnimateInc, FrameCount, ended))
        Repaint();
    if (ended)
        StopAnimate();
}

} // namespace skin
