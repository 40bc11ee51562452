// The combo faces' shared layout, record copy, timers and follow rule.
#include "skin/boxes/bsSkinBoxes_ComboFace.h"

#include "platform/ui/Input.h"

namespace skin {

using namespace platform;

void TbsSkinComboFace::CalcRects()
{
    const int w = Width(), h = Height();
    if (FIndex == -1 || FToolButtonStyle) {
        Button.R = Rect(w - 19, 0, w, h);
        CBItem.R = Rect(2, 2, Button.R.Left - 1, h - 2);
        return;
    }
    const int d = w - SkinRect.Width();
    Button.R = ButtonRect;
    if (ButtonRect.Left >= SkinRect.Width() - RTPt.X)
        Button.R = OffsetRect(Button.R, d, 0);
    CBItem.R = ClRect;
    CBItem.R.Right += d;
    if (!FUseSkinSize) {
        const int dh = h - SkinRect.Height();
        CBItem.R.Bottom += dh;
        Button.R.Bottom += dh;
    }
}

void TbsSkinComboFace::CalcSkinLayout(int& W, int& H)
{
    if (FUseSkinSize) {
        TbsSkinCustomControl::CalcSkinLayout(W, H);
        return;
    }
    if (FIndex == -1)
        return;
    // Any size: only the right-hand column moves with the width.
    const int d = W - SkinRect.Width();
    NewLTPoint = LTPt;
    NewRTPoint = Point(RTPt.X + d, RTPt.Y);
    NewClRect = ClRect;
    NewClRect.Right += d;
}

void TbsSkinComboFace::UpdateSkinRegion()
{
    if (FUseSkinSize)
        TbsSkinCustomControl::UpdateSkinRegion();
}

void TbsSkinComboFace::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    auto* rec = dynamic_cast<TbsDataSkinComboBox*>(SkinRecord());
    if (!rec)
        return;
    ActiveSkinRect = rec->ActiveSkinRect;
    ActiveFontColor = rec->ActiveFontColor;
    FontName = rec->FontName;
    FontStyle = rec->FontStyle;
    FontHeight = rec->FontHeight;
    SItemRect = rec->SItemRect;
    FocusItemRect = IsSkinEmpty(rec->FocusItemRect) ? rec->SItemRect : rec->FocusItemRect;
    ActiveItemRect = rec->ActiveItemRect;
    ItemLeftOffset = rec->ItemLeftOffset;
    ItemRightOffset = rec->ItemRightOffset;
    ItemTextRect = rec->ItemTextRect;
    FontColor = rec->FontColor;
    FocusFontColor = rec->FocusFontColor;
    ButtonRect = rec->ButtonRect;
    ActiveButtonRect = rec->ActiveButtonRect;
    DownButtonRect = rec->DownButtonRect;
    UnEnabledButtonRect = rec->UnEnabledButtonRect;
    ListBoxName = rec->ListBoxName;
    ItemStretchEffect = rec->ItemStretchEffect;
    FocusItemStretchEffect = rec->FocusItemStretchEffect;
    ShowFocus = rec->ShowFocus;
}

void TbsSkinComboFace::StopTimer()
{
    StopControlTimer(this, AutoScrollTimerId);
    TimerMode = 0;
}

bool TbsSkinComboFace::FollowTick(TMessage& M)
{
    if (M.WParam != DropFollowTimer)
        return false;
    if (IsPopupVisible() && FFollow.Moved(this))
        CloseUp(false);
    return true;
}

void TbsSkinComboFace::WMWindowPosChanged(TMessage& M)
{
    TbsSkinCustomControl::WMWindowPosChanged(M);
    if (IsPopupVisible() && FFollow.Moved(this))
        CloseUp(false);
}

void TbsSkinComboFace::WMEraseBkgnd(TMessage& M)
{
    if (!FromWMPaint && M.WParam)
        PaintWindow(reinterpret_cast<platform::HDC>(M.WParam));
    M.Result = 1;
}

void TbsSkinComboFace::CMWantSpecialKey(TMessage& M)
{
    TbsSkinCustomControl::CMWantSpecialKey(M);
    // While the list is open, Enter and Escape close it; the dialog's
    // default and cancel buttons never see them.
    const bool closesList = (M.WParam == VK_ESCAPE || M.WParam == VK_RETURN) && IsPopupVisible();
    if (IsArrowKey(M.WParam) || closesList)
        M.Result = 1;
}

void TbsSkinComboFace::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    // A press that opened the list, or one in the list, ends here: over the
    // list it chooses, elsewhere it cancels.
    if (FLBDown && WasInLB) {
        ReleaseCapture();
        FLBDown = false;
        const HWND list = ListWindow();
        CloseUp(list && WindowFromPoint(GetCursorPos()) == list);
    } else {
        FLBDown = false;
    }
    TbsSkinCustomControl::MouseUp(AButton, AShift, X, Y);
    if (Button.Down) {
        Button.Down = false;
        Repaint();
    }
}

void TbsSkinComboFace::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TbsSkinCustomControl::KeyDown(AKey, AShift);
    const bool alt = AShift & ssAlt;
    switch (AKey) {
    case VK_RETURN:
        if (IsPopupVisible())
            CloseUp(true);
        break;
    case VK_ESCAPE:
        if (IsPopupVisible())
            CloseUp(false);
        break;
    case VK_LEFT:
    case VK_UP:
        if (!alt)
            SelectPrior(true);
        else if (IsPopupVisible())
            CloseUp(false);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (!alt)
            SelectNext(true);
        else if (!IsPopupVisible())
            DropDown();
        break;
    default: break;
    }
}

TColor TbsSkinComboFace::GetDisabledFontColor()
{
    if (FIndex != -1)
        if (auto* edit = FindSkinRecord<TbsDataSkinEditControl>(FSD, "edit"))
            return edit->DisabledFontColor;
    return clGrayText;
}

} // namespace skin
