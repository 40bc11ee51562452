// Spin buttons: layout, hit testing, press and repeat, skinned and plain drawing.
#include "skin/boxes/bsSkinBoxCtrls_UpDown.h"

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/MessageLoop.h"

namespace skin {

using namespace platform;

namespace {

constexpr uintptr_t kRepeatTimer = 1;
constexpr uint32_t kFirstDelayMs = 500, kRepeatMs = 100, kReenterMs = 50;

bool IsEmptyRect(const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }

} // namespace

TbsSkinUpDown::TbsSkinUpDown(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    FSkinDataName = "hupdown";
    FWidth = 50;
    FHeight = 25;
    CalcButtons();
}

void TbsSkinUpDown::SetOrientation(TUDOrientation AValue)
{
    FOrientation = AValue;
    CalcButtons();
    Repaint();
}

void TbsSkinUpDown::SetPosition(int AValue)
{
    if (AValue < FMin || AValue > FMax)
        return;
    FPosition = AValue;
    if (OnChange)
        OnChange(this);
}

void TbsSkinUpDown::SetMin(int AValue)
{
    FMin = AValue;
    if (FPosition < AValue)
        FPosition = AValue;
}

void TbsSkinUpDown::SetMax(int AValue)
{
    FMax = AValue;
    if (FPosition > AValue)
        FPosition = AValue;
}

bool TbsSkinUpDown::HasUpDownRecord() const { return dynamic_cast<TbsDataSkinUpDownControl*>(SkinRecord()) != nullptr; }

void TbsSkinUpDown::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (auto* rec = dynamic_cast<TbsDataSkinUpDownControl*>(SkinRecord())) {
        UpButtonRect = rec->UpButtonRect;
        ActiveUpButtonRect = rec->ActiveUpButtonRect;
        DownUpButtonRect = IsEmptyRect(rec->DownUpButtonRect) ? ActiveUpButtonRect : rec->DownUpButtonRect;
        DownButtonRect = rec->DownButtonRect;
        ActiveDownButtonRect = rec->ActiveDownButtonRect;
        DownDownButtonRect = IsEmptyRect(rec->DownDownButtonRect) ? ActiveDownButtonRect : rec->DownDownButtonRect;
        LTPt = RTPt = LBPt = RBPt = Point(0, 0);
        ClRect = TRect{};
    }
    CalcButtons();
}

void TbsSkinUpDown::CalcSkinLayout(int& W, int& H)
{
    if (UseSkinSize)
        TbsSkinCustomControl::CalcSkinLayout(W, H);
}

void TbsSkinUpDown::UpdateSkinRegion()
{
    if (UseSkinSize)
        TbsSkinCustomControl::UpdateSkinRegion();
}

void TbsSkinUpDown::CalcButtons()
{
    const int w = Width(), h = Height();
    if (Skinned() && UseSkinSize && HasUpDownRecord()) {
        Buttons[0].R = UpButtonRect;
        Buttons[1].R = DownButtonRect;
    } else if (FOrientation == udVertical) {
        Buttons[0].R = Rect(0, 0, w, h / 2);
        Buttons[1].R = Rect(0, h / 2, w, h);
    } else {
        Buttons[1].R = Rect(0, 0, w / 2, h);
        Buttons[0].R = Rect(w / 2, 0, w, h);
    }
}

// ---------------------------------------------------------------- mouse

void TbsSkinUpDown::TestActive(int X, int Y)
{
    const TPoint p = Point(X, Y);
    // While a button is held the other one never becomes active.
    TrackActiveButton(PtInRectInclusive(Buttons[0].R, p) ? 0 : PtInRectInclusive(Buttons[1].R, p) ? 1 : -1,
                      CaptureButton, OldActiveButton, ActiveButton, [this](int I) { ButtonLeave(I); },
                      [this](int I) { ButtonEnter(I); });
}

void TbsSkinUpDown::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TestActive(X, Y);
    Buttons[ActiveButton == 0 ? 1 : 0].MouseIn = false;
    if (ActiveButton != -1) {
        CaptureButton = ActiveButton;
        ButtonDown(ActiveButton);
    }
    TbsSkinCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TbsSkinUpDown::MouseMove(TShiftState AShift, int X, int Y)
{
    TestActive(X, Y);
    TbsSkinCustomControl::MouseMove(AShift, X, Y);
}

void TbsSkinUpDown::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (CaptureButton != -1)
        ButtonUp(CaptureButton);
    CaptureButton = -1;
    TbsSkinCustomControl::MouseUp(AButton, AShift, X, Y);
}

void TbsSkinUpDown::StartTimer(uint32_t AMs)
{
    if (HandleAllocated()) {
        KillTimer(Handle(), kRepeatTimer);
        SetTimer(Handle(), kRepeatTimer, AMs);
    }
}

void TbsSkinUpDown::StopTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), kRepeatTimer);
}

void TbsSkinUpDown::ButtonDown(int I)
{
    Buttons[I].MouseIn = Buttons[I].Down = true;
    Repaint();
    if (FIncrement != 0) {
        TimerMode = I == 0 ? 2 : 1;
        WaitMode = true;
        StartTimer(kFirstDelayMs);
    }
}

void TbsSkinUpDown::ButtonUp(int I)
{
    if (FIncrement != 0) {
        StopTimer();
        TimerMode = 0;
    }
    Buttons[I].Down = false;
    if (I != ActiveButton)
        Buttons[I].MouseIn = false;
    Repaint();
    if (!Buttons[I].MouseIn)
        return;
    if (I == 0) {
        if (FIncrement != 0)
            SetPosition(FPosition + FIncrement);
        if (OnUpButtonClick)
            OnUpButtonClick(this);
    } else {
        if (FIncrement != 0)
            SetPosition(FPosition - FIncrement);
        if (OnDownButtonClick)
            OnDownButtonClick(this);
    }
}

void TbsSkinUpDown::ButtonEnter(int I)
{
    Buttons[I == 0 ? 1 : 0].MouseIn = false;
    Buttons[I].MouseIn = true;
    Repaint();
    if (FIncrement != 0 && Buttons[I].Down)
        StartTimer(kReenterMs);
}

void TbsSkinUpDown::ButtonLeave(int I)
{
    Buttons[I].MouseIn = false;
    Repaint();
    if (FIncrement != 0 && Buttons[I].Down)
        StopTimer();
}

void TbsSkinUpDown::CMMouseEnter(TMessage& M)
{
    // The enter notice may come after the first move has already found a button.
    if (ActiveButton < 0 || !Buttons[ActiveButton].MouseIn)
        ActiveButton = OldActiveButton = -1;
    TbsSkinCustomControl::CMMouseEnter(M);
}

void TbsSkinUpDown::CMMouseLeave(TMessage& M)
{
    ActiveButton = OldActiveButton = -1;
    TbsSkinCustomControl::CMMouseLeave(M);
    for (TbsCBButtonX& b : Buttons)
        if (b.MouseIn) {
            b.MouseIn = false;
            Repaint();
        }
}

void TbsSkinUpDown::WMTimer(TMessage& M)
{
    TbsSkinCustomControl::WMTimer(M);
    if (WaitMode) {
        WaitMode = false;
        StartTimer(kRepeatMs);
    } else if (TimerMode == 1) {
        SetPosition(FPosition - FIncrement);
    } else if (TimerMode == 2) {
        SetPosition(FPosition + FIncrement);
    }
}

void TbsSkinUpDown::Dispatch(TMessage& M)
{
    TbsSkinCustomControl::Dispatch(M);
    if (M.Msg == WM_SIZE)
        CalcButtons();
}

// ---------------------------------------------------------------- drawing

int TbsSkinUpDown::ArrowKind(int I) const
{
    if (FOrientation == udVertical)
        return I == 0 ? 3 : 4;
    return I == 0 ? 2 : 1;
}

void TbsSkinUpDown::CreateControlDefaultImage(TBitmap* B)
{
    CalcButtons();
    DrawButton(B->Canvas(), 0);
    DrawButton(B->Canvas(), 1);
}

void TbsSkinUpDown::CreateControlSkinImage(TBitmap* B)
{
    if (UseSkinSize) {
        TbsSkinCustomControl::CreateControlSkinImage(B);
        DrawButton(B->Canvas(), 0);
        DrawButton(B->Canvas(), 1);
    } else {
        DrawResizeButton(B->Canvas(), 0);
        DrawResizeButton(B->Canvas(), 1);
    }
}

void TbsSkinUpDown::DrawButton(TCanvas* C, int I)
{
    const TbsCBButtonX& b = Buttons[I];
    if (!Skinned() || !HasUpDownRecord()) {
        DrawPlainButtonFace(C, b.R, b.MouseIn, b.Down);
        DrawArrowImage(C, b.R, Enabled() ? clBlack : TColor(0x808080), ArrowKind(I));
        return;
    }
    TRect piece;
    if (b.Down && b.MouseIn)
        piece = I == 0 ? DownUpButtonRect : DownDownButtonRect;
    else if (b.MouseIn)
        piece = I == 0 ? ActiveUpButtonRect : ActiveDownButtonRect;
    if (!IsEmptyRect(piece) && Picture)
        C->CopyRect(b.R, Picture->Canvas(), piece);
}

void TbsSkinUpDown::DrawResizeButton(TCanvas* C, int I)
{
    const TbsCBButtonX& b = Buttons[I];
    TBitmap a;
    a.SetSize(b.R.Width(), b.R.Height());
    const int index = FSD ? FSD->GetControlIndex("resizebutton") : -1;
    auto* rec = index >= 0 ? dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(index)].get()) : nullptr;
    TbsPicture* picture = rec ? ActivePicture(*FSD, rec->PictureIndex) : nullptr;
    if (!picture) {
        C->Draw(b.R.Left, b.R.Top, &a);
        return;
    }
    const bool pressed = b.Down && b.MouseIn;
    const TRect src = ButtonRecordPiece(*rec, b.MouseIn, b.Down);
    TColor arrow = pressed ? rec->DownFontColor : b.MouseIn ? rec->ActiveFontColor : rec->FontColor;
    if (!Enabled())
        arrow = rec->DisabledFontColor;
    CreateButtonRecordImage(*rec, picture, src, &a);
    C->Draw(b.R.Left, b.R.Top, &a);
    DrawArrowImage(C, b.R, arrow, ArrowKind(I));
}

} // namespace skin
