#include "skin/controls/bsSkinCtrls_CheckRadio.h"

#include <cctype>

namespace skin {

using platform::cbChecked;
using platform::cbGrayed;
using platform::cbUnchecked;

TbsSkinCheckRadioBox::TbsSkinCheckRadioBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    SetSkinDataName("checkbox");
    SetBounds(Left(), Top(), 150, 25);
}

TbsSkinCheckRadioBox::~TbsSkinCheckRadioBox() = default;

// ---------------------------------------------------------------- properties

// A grayed box being unchecked stays grayed; unchecking a radio button
// fires no click.
void TbsSkinCheckRadioBox::SetChecked(bool Value)
{
    FChecked = Value;
    if (Value || FState == cbChecked)
        FState = Value ? cbChecked : cbUnchecked;
    Repaint();
    if (FChecked && GroupIndex != 0)
        UncheckGroupSiblings();
    if (OnClick && !(FRadio && !Value))
        OnClick(this);
}

void TbsSkinCheckRadioBox::UncheckGroupSiblings()
{
    if (!Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* b = dynamic_cast<TbsSkinCheckRadioBox*>(Parent()->Controls(i));
        if (b && b != this && b->GroupIndex == GroupIndex && b->FChecked)
            b->SetChecked(false);
    }
}

void TbsSkinCheckRadioBox::SetState(TCheckBoxState Value)
{
    FState = Value;
    FChecked = Value == cbChecked;
    Repaint();
    if (OnClick)
        OnClick(this);
}

void TbsSkinCheckRadioBox::ToggleChecked()
{
    if (!FRadio)
        SetChecked(!FChecked);
    else if (!FChecked)
        SetChecked(true);
}

// At run time a box keeps the name and group stored with it.
void TbsSkinCheckRadioBox::SetRadio(bool Value)
{
    FRadio = Value;
    if (IsDesigning() && !IsLoading()) {
        SetSkinDataName(Value ? "radiobox" : "checkbox");
        GroupIndex = Value ? 1 : 0;
    }
    Repaint();
}

void TbsSkinCheckRadioBox::SetAllowGrayed(bool Value)
{
    FAllowGrayed = Value;
    Repaint();
}

void TbsSkinCheckRadioBox::SetFlat(bool Value)
{
    FFlat = Value;
    Repaint();
}

void TbsSkinCheckRadioBox::SetWordWrap(bool Value)
{
    if (FWordWrap == Value)
        return;
    FWordWrap = Value;
    if (FFlat)
        Repaint();
}

void TbsSkinCheckRadioBox::SetImages(TCustomImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    Repaint();
}

void TbsSkinCheckRadioBox::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Repaint();
}

void TbsSkinCheckRadioBox::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TbsSkinCheckRadioBox::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsSkinCustomControl::Notification(AComponent, AOperation);
    if (AOperation == platform::opRemove && AComponent == FImages)
        SetImages(nullptr);
}

// ---------------------------------------------------------------- skin record

void TbsSkinCheckRadioBox::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (!Skinned())
        return;
    if (auto* rec = dynamic_cast<TbsDataSkinCheckRadioControl*>(SkinRecord())) {
        FontName = rec->FontName;
        FontStyle = rec->FontStyle;
        FontHeight = rec->FontHeight;
        FontColor = rec->FontColor;
        ActiveFontColor = rec->ActiveFontColor;
        FrameFontColor = rec->FrameFontColor;
        UnEnabledFontColor = rec->UnEnabledFontColor;
        ActiveSkinRect = rec->ActiveSkinRect.IsEmpty() ? rec->SkinRect : rec->ActiveSkinRect;
        CheckImageArea = rec->CheckImageArea;
        TextArea = rec->TextArea;
        CheckImageRect = rec->CheckImageRect;
        UnCheckImageRect = rec->UnCheckImageRect;
        auto orElse = [](const TRect& A, const TRect& B) { return A.IsEmpty() ? B : A; };
        ActiveCheckImageRect = orElse(rec->ActiveCheckImageRect, CheckImageRect);
        ActiveUnCheckImageRect = orElse(rec->ActiveUnCheckImageRect, UnCheckImageRect);
        UnEnabledCheckImageRect = orElse(rec->UnEnabledCheckImageRect, CheckImageRect);
        UnEnabledUnCheckImageRect = orElse(rec->UnEnabledUnCheckImageRect, UnCheckImageRect);
        GrayedCheckImageRect = rec->GrayedCheckImageRect;
        ActiveGrayedCheckImageRect = rec->ActiveGrayedCheckImageRect;
        Morphing = rec->Morphing;
        MorphKind = rec->MorphKind;
    }
    if (FFlat) {
        // A flat box neither morphs nor has a region.
        Morphing = false;
        MaskPicture = nullptr;
    }
}

void TbsSkinCheckRadioBox::CalcSkinLayout(int& W, int& H)
{
    if (FFlat)
        return;   // a flat box keeps any size
    TbsSkinCustomControl::CalcSkinLayout(W, H);
    const int dW = W - SkinWidth();
    NewTextArea = Rect(TextArea.Left, TextArea.Top, TextArea.Right + dW, TextArea.Bottom);
    TRect area = CheckImageArea;
    if (TextArea.Right < CheckImageArea.Right)   // the check image sits at the right
        area = Rect(area.Left + dW, area.Top, area.Right + dW, area.Bottom);
    const int iw = CheckImageRect.Width(), ih = CheckImageRect.Height();
    const int left = area.Left + area.Width() / 2 - iw / 2;
    const int top = area.Top + area.Height() / 2 - ih / 2;
    CIRect = Rect(left, top, left + iw, top + ih);
}

void TbsSkinCheckRadioBox::ChangeSkinData()
{
    if (!FFlat) {
        TbsSkinCustomControl::ChangeSkinData();
        return;
    }
    GetSkinData();
    Repaint();
}

void TbsSkinCheckRadioBox::CheckParentBackground()
{
    if (FFlat)
        Repaint();
}

// ---------------------------------------------------------------- morph

bool TbsSkinCheckRadioBox::MorphingActive() const
{
    return Morphing && FSD && !FSD->Empty() && FSD->EnableSkinEffects;
}

bool TbsSkinCheckRadioBox::IsFocused() { return FCanFocused && Focused(); }

bool TbsSkinCheckRadioBox::MorphCanFade()
{
    GetSkinData();
    return Skinned() && MorphingActive();
}

void TbsSkinCheckRadioBox::MorphOrRepaint() { FMorph.StartOrRepaint(MorphingActive() && Skinned()); }

// ---------------------------------------------------------------- messages

void TbsSkinCheckRadioBox::WMMove(TMessage& M)
{
    TbsSkinCustomControl::WMMove(M);
    if (FFlat)
        Invalidate();   // its picture shows the parent's background at its new place
}

void TbsSkinCheckRadioBox::WMEraseBkgnd(TMessage& M)
{
    if (!FFlat && !FromWMPaint && M.WParam)
        PaintWindow(reinterpret_cast<platform::HDC>(M.WParam));
    M.Result = 1;
}

void TbsSkinCheckRadioBox::CMTextChanged(TMessage& M)
{
    TbsSkinCustomControl::CMTextChanged(M);
    Repaint();
}

void TbsSkinCheckRadioBox::CMEnabledChanged(TMessage& M)
{
    TbsSkinCustomControl::CMEnabledChanged(M);
    if (MorphingActive())
        FMorph.Reset(0);
    FMouseIn = false;
    Repaint();
}

void TbsSkinCheckRadioBox::CMMouseEnter(TMessage& M)
{
    TbsSkinCustomControl::CMMouseEnter(M);
    if (IsDesigning() || M.LParam != 0)
        return;
    FMouseIn = true;
    MorphOrRepaint();
}

void TbsSkinCheckRadioBox::CMMouseLeave(TMessage& M)
{
    TbsSkinCustomControl::CMMouseLeave(M);
    if (IsDesigning() || M.LParam != 0)
        return;
    FMouseIn = false;
    MorphOrRepaint();
}

void TbsSkinCheckRadioBox::FocusChanged()
{
    if (!FCanFocused)
        return;
    if (FFlat)
        Invalidate();
    else
        MorphOrRepaint();
}

void TbsSkinCheckRadioBox::WMSetFocus(TMessage& M)
{
    TbsSkinCustomControl::WMSetFocus(M);
    FocusChanged();
}

void TbsSkinCheckRadioBox::WMKillFocus(TMessage& M)
{
    TbsSkinCustomControl::WMKillFocus(M);
    FocusChanged();
}

void TbsSkinCheckRadioBox::CMDialogChar(TMessage& M)
{
    if (RunAccel(this, M, FCanFocused, [this] { ToggleChecked(); }))
        return;
    TbsSkinCustomControl::CMDialogChar(M);
}

void TbsSkinCheckRadioBox::WndProc(TMessage& M)
{
    if (FCanFocused) {
        if (M.Msg == platform::WM_KEYUP && M.WParam == platform::VK_SPACE && IsFocused())
            ToggleChecked();
        if (!TakeFocusOnPress(this, M, FClicksDisabled))
            return;
    }
    TbsSkinCustomControl::WndProc(M);
}

// ---------------------------------------------------------------- mouse

void TbsSkinCheckRadioBox::MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    if (AButton == platform::mbLeft)
        FDown = true;
    if (!FMouseIn) {
        FMouseIn = true;
        MorphOrRepaint();
    }
    TbsSkinCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TbsSkinCheckRadioBox::MouseMove(platform::TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseMove(AShift, X, Y);
    if (FDown)
        FollowPointer(this, X, Y, FMouseIn);
}

// A release outside the box clicks nothing and leaves FDown set until the
// next release over it.
void TbsSkinCheckRadioBox::MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseUp(AButton, AShift, X, Y);
    if (AButton != platform::mbLeft || !FMouseIn || !FDown)
        return;
    FDown = false;
    if (FAllowGrayed && !FRadio && FState == cbUnchecked) {
        FState = cbGrayed;
        Repaint();
        if (OnClick)
            OnClick(this);
        return;
    }
    ToggleChecked();
}

} // namespace skin
