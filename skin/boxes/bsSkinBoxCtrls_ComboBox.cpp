// The skinned combo box: selection and its events, the drop-down's opening
// and closing, the mouse on the face and in the open list, keys, the
// incremental search, the wheel and the skin record.
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/core/CodePage.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"

#include <algorithm>

namespace skin {

using namespace platform;

std::function<uint64_t()> TbsSkinCustomComboBox::Clock = [] { return uint64_t(GetTickCount()); };

TbsSkinCustomComboBox::TbsSkinCustomComboBox(TComponent* AOwner) : TbsSkinComboFace(AOwner)
{
    FTabStop = true;
    FUseSkinSize = true;
    ControlStyle = csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks | csReplicatable;
    FFont.SetName("Tahoma");
    FFont.SetColor(clWindowText);
    FFont.SetStyle({});
    FFont.SetHeight(13);
    FWidth = 120;
    FHeight = 20;
    FSkinDataName = "combobox";
    FListBox = new TbsPopupListBox(this);
    FListBox->ListBox->SetTabStop(false);
    FListBox->ListBox->OnMouseMove = [this](TObject* S, TShiftState Sh, int X, int Y) { ListMouseMove(S, Sh, X, Y); };
    FListBoxWindowProc = FListBox->ListBox->WindowProc;
    FListBox->ListBox->WindowProc = [this](TMessage& M) { ListWindowProc(M); };
    FListBox->OnCheckButtonClick = [this](TObject* S) { ListCheckButtonClick(S); };
    CalcRects();
}

TbsSkinCustomComboBox::~TbsSkinCustomComboBox()
{
    // Pointers cleared first: the edit's last messages must not find itself.
    TbsCustomEdit* edit = FEdit;
    FEdit = nullptr;
    delete edit;
    TbsPopupListBox* list = FListBox;
    FListBox = nullptr;
    delete list;
}

void TbsSkinCustomComboBox::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinComboFace::Notification(AComponent, AOperation);
    if (AOperation == opRemove && FListBox && AComponent == FListBox->Images())
        FListBox->SetImages(nullptr);
}

// ---------------------------------------------------------------- properties

void TbsSkinCustomComboBox::SetToolButtonStyle(bool AValue)
{
    if (FToolButtonStyle == AValue)
        return;
    FToolButtonStyle = AValue;
    if (AValue) {
        SetStyle(bscbFixedStyle);
        FUseSkinSize = false;
    }
    Repaint();
}

void TbsSkinCustomComboBox::SetCharCase(TEditCharCase AValue)
{
    FCharCase = AValue;
    if (FEdit)
        FEdit->CharCase = AValue;
}

void TbsSkinCustomComboBox::SetDefaultColor(TColor AValue)
{
    FDefaultColor = AValue;
    if (FIndex != -1)
        return;
    Invalidate();
    if (FEdit)
        FEdit->SetColor(AValue);
}

void TbsSkinCustomComboBox::SetDropDownCount(int AValue)
{
    if (AValue >= 1)
        FDropDownCount = AValue;
}

int TbsSkinCustomComboBox::SelStart() const { return FEdit ? FEdit->SelStart() : 0; }
void TbsSkinCustomComboBox::SetSelStart(int AValue)
{
    if (FEdit)
        FEdit->SetSelStart(AValue);
}
int TbsSkinCustomComboBox::SelLength() const { return FEdit ? FEdit->SelLength() : 0; }
void TbsSkinCustomComboBox::SetSelLength(int AValue)
{
    if (FEdit)
        FEdit->SetSelLength(AValue);
}

void TbsSkinCustomComboBox::SetImages(TCustomImageList* AValue)
{
    FListBox->SetImages(AValue);
    Repaint();
}

void TbsSkinCustomComboBox::SetImageIndex(int AValue)
{
    FListBox->SetImageIndex(AValue);
    Repaint();
}

// ---------------------------------------------------------------- selection

void TbsSkinCustomComboBox::SetItemIndex(int Value)
{
    // An index past the items selects nothing, as a list box answers it.
    FListBox->SetItemIndex(Value < Items()->Count() ? Value : -1);
    const int index = FListBox->ItemIndex();
    if (FListBox->Items()->Count() > 0 && index != -1)
        SetText((*Items())[index]);
    FOldItemIndex = index;
    if (FStyle == bscbFixedStyle)
        Repaint();
    if (IsDesigning() || IsLoading())
        return;
    if (OnClick)
        OnClick(this);
    Change();
}

void TbsSkinCustomComboBox::CMTextChanged(TMessage& M)
{
    TbsSkinComboFace::CMTextChanged(M);
    if (FEdit && !FromEdit)
        FEdit->SetText(Text());
    if (OnChange)
        OnChange(this);
    if (FromEdit)
        Change();
}

void TbsSkinCustomComboBox::SelectPrior(bool AThroughSetter)
{
    const int i = ItemIndex();
    if (i <= 0)
        return;
    if (AThroughSetter)
        SetItemIndex(i - 1);
    else
        FListBox->SetItemIndex(i - 1);
}

void TbsSkinCustomComboBox::SelectNext(bool AThroughSetter)
{
    const int i = ItemIndex();
    if (i >= Items()->Count() - 1)
        return;
    if (AThroughSetter)
        SetItemIndex(i + 1);
    else
        FListBox->SetItemIndex(i + 1);
}

int TbsSkinCustomComboBox::FindItem(const std::string& S, int AStart)
{
    return int(FListBox->ListBox->Perform(LB_FINDSTRING, WPARAM(intptr_t(AStart)), reinterpret_cast<LPARAM>(S.c_str())));
}

void TbsSkinCustomComboBox::SearchItem(std::string S)
{
    if (!FListBox)
        return;
    if (AutoComplete) {
        const uint64_t now = Clock();
        if (now - FLastTime >= SearchPause)
            FFilter.clear();
        FLastTime = now;
        FFilter += S;
        S = FFilter;
    }
    if (S.empty())
        return;
    // One letter searches on from the current item, a longer prefix from the top.
    const int found = FindItem(S, Utf8ToUtf16(S).size() == 1 ? ItemIndex() : -1);
    if (found >= 0)
        SetItemIndex(found);
}

// ---------------------------------------------------------------- layout

void TbsSkinCustomComboBox::ChangeSkinData()
{
    TbsSkinComboFace::ChangeSkinData();
    GetSkinData();
    CalcRects();
    UpdateEditFont();
    Repaint();
    FListBox->SetSkinDataName(FIndex != -1 ? ListBoxName : "");
    FListBox->SetSkinData(SkinData());
    FListBox->UpDateScrollBar();
    CalcRects();
    AdjustEditBounds();
}

void TbsSkinCustomComboBox::Invalidate()
{
    TbsSkinComboFace::Invalidate();
    if (FIndex != -1 && FEdit)
        FEdit->Invalidate();
}

// ---------------------------------------------------------------- drop-down

void TbsSkinCustomComboBox::DropDown()
{
    if (Items()->Count() == 0)
        return;
    WasInLB = false;
    StopTimer();
    if (OnDropDown)
        OnDropDown(this);
    FListBox->SetSkinData(SkinData());
    FListBox->SetWidth(ListBoxWidth > 0 ? ListBoxWidth : Width());
    FListBox->SetRowCount(std::min(Items()->Count(), FDropDownCount));
    TPoint p = Point(Left(), Top() + Height());
    if (Parent())
        p = Parent()->ClientToScreen(p);
    TRect area;
    GetMonitorRect(Handle(), true, area);
    if (p.Y + FListBox->Height() > area.Bottom)
        p.Y -= Height() + FListBox->Height();
    if (FEdit)
        FEdit->SetFocus();
    FOldItemIndex = FListBox->ItemIndex();
    if (FOldItemIndex == 0 && Items()->Count() > 1) {
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FDropDown = true;
    if (FToolButtonStyle)
        Repaint();
    FListBox->SetTopIndex(FListBox->ItemIndex());
    FListBox->Show(p);
    FFollow.Start(this);
}

void TbsSkinCustomComboBox::CloseUp(bool Accept)
{
    StopTimer();
    if (!FListBox->Visible())
        return;
    FFollow.Stop(this);
    FListBox->Hide();
    const int index = FListBox->ItemIndex();
    if (Accept && index >= 0 && index < Items()->Count()) {
        if (FEdit) {
            FEdit->SetText((*Items())[index]);
            FEdit->SelectAll();
        } else {
            SetText((*Items())[index]);
            Repaint();
        }
        if (OnClick)
            OnClick(this);
        Change();
    } else {
        FListBox->SetItemIndex(FOldItemIndex);
    }
    FDropDown = false;
    Repaint();
    if (OnCloseUp)
        OnCloseUp(this);
}

void TbsSkinCustomComboBox::WMTimer(TMessage& M)
{
    TbsSkinComboFace::WMTimer(M);
    if (FollowTick(M))
        return;
    const int i = FListBox->ItemIndex();
    if (TimerMode == 1 && i > 0)
        FListBox->SetItemIndex(i - 1);
    else if (TimerMode == 2 && i < Items()->Count() - 1)
        FListBox->SetItemIndex(i + 1);
    FListBox->UpDateScrollBar();
}

// ---------------------------------------------------------------- mouse

bool TbsSkinCustomComboBox::IsCancelSource(TControl* C) const
{
    return C && (C == this || C == FListBox || C == FListBox->ScrollBar || C == FListBox->HScrollBar ||
                 C == FListBox->ListBox);
}

void TbsSkinCustomComboBox::ListWindowProc(TMessage& M)
{
    if (!DropListMessage(M, this, FLBDown, WasInLB))
        FListBoxWindowProc(M);
}

void TbsSkinCustomComboBox::ListMouseMove(TObject*, TShiftState, int X, int Y)
{
    const int i = FListBox->ItemAtPos(Point(X, Y), true);
    if (i >= 0 && i < Items()->Count())
        FListBox->SetItemIndex(i);
}

void TbsSkinCustomComboBox::ListCheckButtonClick(TObject*) { CloseUp(true); }

void TbsSkinCustomComboBox::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsSkinComboFace::MouseDown(AButton, AShift, X, Y);
    if (FStyle == bscbFixedStyle && !Focused() && CanFocus())
        SetFocus();
    if (AButton != mbLeft)
        return;
    const bool inside = Button.MouseIn || (FStyle == bscbFixedStyle && PtInRect(CBItem.R, Point(X, Y))) ||
                        FToolButtonStyle;
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

void TbsSkinCustomComboBox::MouseMove(TShiftState AShift, int X, int Y)
{
    TbsSkinComboFace::MouseMove(AShift, X, Y);
    if (FLBDown) {
        ListDragMove();
        return;
    }
    const bool in = PtInRect(Button.R, Point(X, Y));
    if (in != Button.MouseIn) {
        Button.MouseIn = in;
        Repaint();
    }
}

void TbsSkinCustomComboBox::ListDragMove()
{
    if (!FListBox->Visible())
        return;
    TbsListBox* inner = FListBox->ListBox;
    const TPoint p = inner->ScreenToClient(GetCursorPos());
    const bool scrolls = FListBox->ScrollBar != nullptr;
    int mode = TimerMode;
    if (p.Y < 0 && scrolls && WasInLB)
        mode = 1;
    else if (p.Y > inner->Height() && scrolls && WasInLB)
        mode = 2;
    else if (p.Y >= 0 && p.Y <= inner->Height()) {
        StopTimer();
        ListMouseMove(inner, 0, 1, p.Y);
        WasInLB = true;
        return;
    }
    if (mode != TimerMode) {
        TimerMode = mode;
        StartTimer();
    }
}

void TbsSkinCustomComboBox::WMMouseWheel(TMessage& M)
{
    TbsSkinComboFace::WMMouseWheel(M);
    if (FStyle == bscbEditStyle)
        return;
    const bool closed = !FListBox->Visible();
    if (int16_t(HIWORD(M.WParam)) > 0)
        SelectPrior(closed);
    else
        SelectNext(closed);
}

// ---------------------------------------------------------------- keys and focus

void TbsSkinCustomComboBox::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TbsSkinComboFace::KeyDown(AKey, AShift);
    // The page keys move by the drop-down count, through the setter.
    const int count = Items()->Count();
    if (AKey == VK_PRIOR && count > 0)
        SetItemIndex(std::max(0, ItemIndex() - FDropDownCount - 1));
    else if (AKey == VK_NEXT && count > 0)
        SetItemIndex(std::min(count - 1, ItemIndex() + FDropDownCount - 1));
}

void TbsSkinCustomComboBox::KeyPress(char16_t& AKey)
{
    TbsSkinComboFace::KeyPress(AKey);
    if (AKey >= 32)
        SearchItem(Utf16ToUtf8(std::u16string(1, AKey)));
}

bool TbsSkinCustomComboBox::EditFocused() const { return FEdit && FEdit->Focused(); }

bool TbsSkinCustomComboBox::Hot() { return FMouseIn || Focused() || EditFocused(); }

void TbsSkinCustomComboBox::WMSetFocus(TMessage& M)
{
    if (FStyle == bscbEditStyle && FEdit) {
        FEdit->SetFocus();
        if (FIndex != -1 && !IsSkinEmpty(ActiveSkinRect)) {
            FEdit->Font()->SetColor(ActiveFontColor);
            Invalidate();
        }
        return;
    }
    TbsSkinComboFace::WMSetFocus(M);
    Repaint();
}

void TbsSkinCustomComboBox::WMKillFocus(TMessage& M)
{
    TbsSkinComboFace::WMKillFocus(M);
    if (FStyle == bscbFixedStyle && FListBox->Visible())
        CloseUp(false);
    // The window still holds the focus while it hears of losing it: paint later.
    Invalidate();
    if (FIndex != -1 && !IsSkinEmpty(ActiveSkinRect) && FEdit) {
        FEdit->Font()->SetColor(FontColor);
        Invalidate();
    }
}

void TbsSkinCustomComboBox::CMEnabledChanged(TMessage& M)
{
    TbsSkinComboFace::CMEnabledChanged(M);
    if (FEdit) {
        FEdit->SetEnabled(Enabled());
        UpdateEditFont();
    }
    Repaint();
}

void TbsSkinCustomComboBox::CMCancelMode(TMessage& M)
{
    TbsSkinComboFace::CMCancelMode(M);
    if (!IsCancelSource(reinterpret_cast<TControl*>(M.LParam)))
        CloseUp(false);
}

void TbsSkinCustomComboBox::CMMouseEnter(TMessage& M)
{
    TbsSkinComboFace::CMMouseEnter(M);
    if (IsDesigning())
        return;
    FMouseIn = true;
    const bool active = FIndex != -1 && !IsSkinEmpty(ActiveSkinRect);
    if (active && FEdit && !FEdit->Focused())
        FEdit->Font()->SetColor(ActiveFontColor);
    if (active || FToolButtonStyle)
        Invalidate();
}

void TbsSkinCustomComboBox::CMMouseLeave(TMessage& M)
{
    TbsSkinComboFace::CMMouseLeave(M);
    if (IsDesigning())
        return;
    FMouseIn = false;
    if (Button.MouseIn) {
        Button.MouseIn = false;
        Repaint();
    }
    const bool active = FIndex != -1 && !IsSkinEmpty(ActiveSkinRect);
    if (active && FEdit && !FEdit->Focused())
        FEdit->Font()->SetColor(FontColor);
    if (active || FToolButtonStyle)
        Invalidate();
}

void TbsSkinCustomComboBox::WMSize(TMessage& M)
{
    TbsSkinComboFace::WMSize(M);
    CalcRects();
    AdjustEditBounds();
}

} // namespace skin
