// The office combo box: selection and its events, the drop-down's opening
// and closing, the mouse on the face and on the open list, keys, the wheel
// and the skin record.
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/Input.h"

namespace skin {

using namespace platform;

TbsSkinCustomOfficeComboBox::TbsSkinCustomOfficeComboBox(TComponent* AOwner) : TbsSkinComboFace(AOwner)
{
    ControlStyle = csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks | csReplicatable;
    FListBox = new TbsPopupOfficeListBox(this);
    FTabStop = true;
    FFont.SetName("Tahoma");
    FFont.SetColor(clWindowText);
    FFont.SetStyle({});
    FFont.SetHeight(13);
    FWidth = 120;
    FHeight = 41;
    FListBoxWindowProc = FListBox->WindowProc;
    FListBox->WindowProc = [this](TMessage& M) { ListBoxWindowProc(M); };
    FListBox->MouseMoveChangeIndex = true;
    CalcRects();
    FSkinDataName = "combobox";
}

TbsSkinCustomOfficeComboBox::~TbsSkinCustomOfficeComboBox()
{
    // The list tells its owner of its removal while it is torn down; by then
    // the combo box must no longer reach it.
    TbsSkinOfficeListBox* list = FListBox;
    FListBox = nullptr;
    delete list;
}

void TbsSkinCustomOfficeComboBox::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinComboFace::Notification(AComponent, AOperation);
    if (AOperation == opRemove && FListBox && AComponent == FListBox->Images())
        FListBox->SetImages(nullptr);
}

// ---------------------------------------------------------------- properties

void TbsSkinCustomOfficeComboBox::SetShowItemTitle(bool AValue)
{
    if (FShowItemTitle != AValue) {
        FShowItemTitle = AValue;
        Repaint();
    }
}

void TbsSkinCustomOfficeComboBox::SetShowItemImage(bool AValue)
{
    if (FShowItemImage != AValue) {
        FShowItemImage = AValue;
        Repaint();
    }
}

void TbsSkinCustomOfficeComboBox::SetShowItemText(bool AValue)
{
    if (FShowItemText != AValue) {
        FShowItemText = AValue;
        Repaint();
    }
}

void TbsSkinCustomOfficeComboBox::SetToolButtonStyle(bool AValue)
{
    if (FToolButtonStyle == AValue)
        return;
    FToolButtonStyle = AValue;
    if (AValue)
        FUseSkinSize = false;
    Repaint();
}

void TbsSkinCustomOfficeComboBox::SetDefaultColor(TColor AValue)
{
    FDefaultColor = AValue;
    if (FIndex == -1)
        Invalidate();
}

void TbsSkinCustomOfficeComboBox::SetDropDownCount(int AValue)
{
    if (AValue >= 0)
        FDropDownCount = AValue;
}

void TbsSkinCustomOfficeComboBox::SetListBoxSkinDataName(const std::string& AValue)
{
    FListBoxSkinDataName = AValue;
    FListBox->SetSkinDataName(AValue);
}

// ---------------------------------------------------------------- selection

void TbsSkinCustomOfficeComboBox::SetItemIndex(int Value)
{
    FListBox->SetItemIndex(Value);
    FOldItemIndex = FListBox->ItemIndex();
    Repaint();
    if (!IsDesigning() && !IsLoading())
        ClickAndChange();
}

void TbsSkinCustomOfficeComboBox::ClickAndChange()
{
    if (OnClick)
        OnClick(this);
    Change();
}

void TbsSkinCustomOfficeComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TbsSkinCustomOfficeComboBox::Choose(bool Flag)
{
    if (Flag)
        SetItemIndex(FListBox->ItemIndex());
}

void TbsSkinCustomOfficeComboBox::SelectPrior(bool Flag)
{
    FListBox->FindUp();
    Choose(Flag);
}

void TbsSkinCustomOfficeComboBox::SelectNext(bool Flag)
{
    FListBox->FindDown();
    Choose(Flag);
}

void TbsSkinCustomOfficeComboBox::SelectPageUp(bool Flag)
{
    FListBox->FindPageUp();
    Choose(Flag);
}

void TbsSkinCustomOfficeComboBox::SelectPageDown(bool Flag)
{
    FListBox->FindPageDown();
    Choose(Flag);
}

// ---------------------------------------------------------------- layout

void TbsSkinCustomOfficeComboBox::ChangeSkinData()
{
    TbsSkinComboFace::ChangeSkinData();
    CalcRects();
    Repaint();
    // Without a combo record the list's own skin name is dropped until it is set again.
    if (FIndex == -1)
        FListBoxSkinDataName.clear();
    FListBox->SetSkinDataName(FListBoxSkinDataName);
    FListBox->SetSkinData(SkinData());
    CalcRects();
}

// ---------------------------------------------------------------- drop-down

void TbsSkinCustomOfficeComboBox::DropDown()
{
    if (FListBox->Items()->Count() == 0)
        return;
    WasInLB = false;
    StopTimer();
    if (OnDropDown)
        OnDropDown(this);
    const int width = ListBoxWidth > 0 ? ListBoxWidth : Width();
    FListBox->OnDrawItem = OnDrawItem;
    FListBox->SetSkinData(SkinData());
    int height = FListBox->Height();
    if (ListBoxHeight > 0)
        height = ListBoxHeight;
    else if (FDropDownCount > 0)
        height = FListBox->CalcHeight(FDropDownCount);
    FListBox->SetBounds(FListBox->Left(), FListBox->Top(), width, height);
    // Right edges lined up, just below the combo; above it when the work
    // area ends first.
    TPoint p = Point(Left() + Width() - width, Top() + Height());
    if (Parent())
        p = Parent()->ClientToScreen(p);
    TRect area;
    GetMonitorRect(Handle(), true, area);
    if (p.Y + height > area.Bottom)
        p.Y -= Height() + height;
    FOldItemIndex = FListBox->ItemIndex();
    if (FListBox->ItemIndex() == 0 && FListBox->Items()->Count() > 1) {
        // Scrolls the list to its top.
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FDropDown = true;
    if (FToolButtonStyle)
        Repaint();
    FListBox->Show(p);
    FFollow.Start(this);
}

void TbsSkinCustomOfficeComboBox::CloseUp(bool Accept)
{
    StopTimer();
    if (!FListBox->Visible())
        return;
    FFollow.Stop(this);
    FListBox->Hide();
    const int index = FListBox->ItemIndex();
    if (Accept && index >= 0 && index < FListBox->Items()->Count()) {
        Repaint();
        ClickAndChange();
    } else {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    FDropDown = false;
    Repaint();
    if (Accept && OnCloseUp)
        OnCloseUp(this);
}

void TbsSkinCustomOfficeComboBox::WMTimer(TMessage& M)
{
    TbsSkinComboFace::WMTimer(M);
    if (FollowTick(M))
        return;
    if (TimerMode == 1)
        FListBox->FindUp();
    else if (TimerMode == 2)
        FListBox->FindDown();
}

// ---------------------------------------------------------------- mouse

void TbsSkinCustomOfficeComboBox::ListBoxWindowProc(TMessage& M)
{
    if (!DropListMessage(M, this, FLBDown, WasInLB))
        FListBoxWindowProc(M);
}

void TbsSkinCustomOfficeComboBox::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsSkinComboFace::MouseDown(AButton, AShift, X, Y);
    if (!Focused() && CanFocus())
        SetFocus();
    if (AButton != mbLeft)
        return;
    const bool inside = Button.MouseIn || PtInRect(CBItem.R, Point(X, Y)) || FToolButtonStyle;
    if (!inside) {
        if (FListBox->Visible())
            CloseUp(false);
        return;
    }
    Button.Down = true;
    Repaint();
    if (FListBox->Visible()) {
        CloseUp(false);
    } else {
        WasInLB = false;
        FLBDown = true;
        DropDown();
    }
}

void TbsSkinCustomOfficeComboBox::MouseMove(TShiftState AShift, int X, int Y)
{
    TbsSkinComboFace::MouseMove(AShift, X, Y);
    if (FListBox->Visible())
        TrackListMouse();
    const bool in = PtInRect(Button.R, Point(X, Y));
    if (in != Button.MouseIn) {
        Button.MouseIn = in;
        Repaint();
    }
}

void TbsSkinCustomOfficeComboBox::TrackListMouse()
{
    const TPoint p = FListBox->ScreenToClient(GetCursorPos());
    const bool scrolls = FListBox->ScrollBar != nullptr;
    if (p.Y < 0 && scrolls && WasInLB) {
        if (TimerMode != 1) {
            TimerMode = 1;
            StartTimer();
        }
    } else if (p.Y > FListBox->Height() && scrolls && WasInLB) {
        if (TimerMode != 2) {
            TimerMode = 2;
            StartTimer();
        }
    } else if (p.Y >= 0 && p.Y <= FListBox->Height()) {
        if (TimerMode != 0)
            StopTimer();
        FListBox->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
        WasInLB = true;
        if (!FLBDown) {
            FLBDown = true;
            WasInLB = false;
        }
    }
}

void TbsSkinCustomOfficeComboBox::WMMouseWheel(TMessage& M)
{
    TbsSkinComboFace::WMMouseWheel(M);
    const int delta = int16_t(HIWORD(M.WParam));
    const bool closed = !FListBox->Visible();
    if (delta < 0)
        SelectPrior(closed);
    else
        SelectNext(closed);
}

// ---------------------------------------------------------------- keys and focus

void TbsSkinCustomOfficeComboBox::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TbsSkinComboFace::KeyDown(AKey, AShift);
    if (AKey == VK_PRIOR)
        SelectPageUp(true);
    else if (AKey == VK_NEXT)
        SelectPageDown(true);
}

void TbsSkinCustomOfficeComboBox::WMSetFocus(TMessage& M)
{
    TbsSkinComboFace::WMSetFocus(M);
    Repaint();
}

void TbsSkinCustomOfficeComboBox::WMKillFocus(TMessage& M)
{
    TbsSkinComboFace::WMKillFocus(M);
    if (FListBox->Visible())
        CloseUp(false);
    // The window still holds the focus while it hears of losing it: paint later.
    Invalidate();
}

void TbsSkinCustomOfficeComboBox::CMEnabledChanged(TMessage& M)
{
    TbsSkinComboFace::CMEnabledChanged(M);
    Repaint();
}

void TbsSkinCustomOfficeComboBox::CMCancelMode(TMessage& M)
{
    TbsSkinComboFace::CMCancelMode(M);
    auto* sender = reinterpret_cast<TControl*>(M.LParam);
    if (!sender || (sender != this && sender != FListBox && sender != FListBox->ScrollBar))
        CloseUp(false);
}

void TbsSkinCustomOfficeComboBox::CMMouseEnter(TMessage& M)
{
    TbsSkinComboFace::CMMouseEnter(M);
    if (IsDesigning())
        return;
    FMouseIn = true;
    if ((FIndex != -1 && !ActiveSkinRect.IsEmpty()) || FToolButtonStyle)
        Invalidate();
}

void TbsSkinCustomOfficeComboBox::CMMouseLeave(TMessage& M)
{
    TbsSkinComboFace::CMMouseLeave(M);
    if (IsDesigning())
        return;
    FMouseIn = false;
    if (Button.MouseIn) {
        Button.MouseIn = false;
        Repaint();
    }
    if ((FIndex != -1 && !ActiveSkinRect.IsEmpty()) || FToolButtonStyle)
        Invalidate();
}

void TbsSkinCustomOfficeComboBox::WMSize(TMessage& M)
{
    TbsSkinComboFace::WMSize(M);
    CalcRects();
}

} // namespace skin
