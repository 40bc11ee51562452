// The office item list: items, layout, scrolling, selection by keys and
// mouse, and the popup window of the office combo box.
#include "skin/boxes/bsSkinExCtrls_OfficeList.h"

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/controls/Forms.h"
#include "platform/ui/MessageLoop.h"

#include <algorithm>

namespace skin {

using namespace platform;

// ---------------------------------------------------------------- items

TbsSkinOfficeItem::TbsSkinOfficeItem(TCollection* ACollection) : TCollectionItem(ACollection)
{
    // A list cleared without resetting its index lets a new item start active.
    if (auto* items = dynamic_cast<TbsSkinOfficeItems*>(ACollection); items && items->OfficeListBox)
        Active = Index() == items->OfficeListBox->ItemIndex();
}

void TbsSkinOfficeItem::Assign(TPersistent* ASource)
{
    auto* source = dynamic_cast<TbsSkinOfficeItem*>(ASource);
    if (!source) {
        TCollectionItem::Assign(ASource);
        return;
    }
    FImageIndex = source->FImageIndex;
    FCaption = source->FCaption;
    FTitle = source->FTitle;
    FEnabled = source->FEnabled;
    FChecked = source->FChecked;
    FHeader = source->FHeader;
    Changed(false);
}

void TbsSkinOfficeItem::SetImageIndex(int AValue) { FImageIndex = AValue; Changed(false); }
void TbsSkinOfficeItem::SetTitle(const std::string& AValue) { FTitle = AValue; Changed(false); }
void TbsSkinOfficeItem::SetCaption(const std::string& AValue) { FCaption = AValue; Changed(false); }
void TbsSkinOfficeItem::SetEnabled(bool AValue) { FEnabled = AValue; Changed(false); }
void TbsSkinOfficeItem::SetHeader(bool AValue) { FHeader = AValue; Changed(false); }
void TbsSkinOfficeItem::SetChecked(bool AValue) { FChecked = AValue; Changed(false); }

TbsSkinOfficeItems::TbsSkinOfficeItems(TbsSkinOfficeListBox* AListBox)
    : TCollection([](TCollection* C) -> TCollectionItem* { return new TbsSkinOfficeItem(C); }), OfficeListBox(AListBox)
{
}

TbsSkinOfficeItem* TbsSkinOfficeItems::Add()
{
    auto* item = static_cast<TbsSkinOfficeItem*>(TCollection::Add());
    OfficeListBox->Repaint();
    return item;
}

TbsSkinOfficeItem* TbsSkinOfficeItems::Insert(int AIndex)
{
    auto* item = static_cast<TbsSkinOfficeItem*>(TCollection::Insert(AIndex));
    OfficeListBox->Repaint();
    return item;
}

void TbsSkinOfficeItems::Delete(int AIndex)
{
    TCollection::Delete(AIndex);
    OfficeListBox->Repaint();
}

void TbsSkinOfficeItems::Clear()
{
    TCollection::Clear();
    OfficeListBox->Repaint();
}

TObject* TbsSkinOfficeItems::GetOwner() const { return OfficeListBox; }

void TbsSkinOfficeItems::Update(TCollectionItem*)
{
    if (!OfficeListBox || OfficeListBox->IsDestroying())
        return;
    OfficeListBox->Repaint();
    OfficeListBox->UpdateScrollInfo();
}

// ---------------------------------------------------------------- list box

TbsSkinOfficeListBox::TbsSkinOfficeListBox(TComponent* AOwner)
    : TbsSkinCustomControl(AOwner), FItems(std::make_unique<TbsSkinOfficeItems>(this))
{
    ControlStyle |= csAcceptsControls | csReplicatable;
    FSkinDataName = "listbox";
    FWidth = 150;
    FHeight = 150;
}

TbsSkinOfficeListBox::~TbsSkinOfficeListBox()
{
    // The items go first, while the list they report to is still whole.
    FItems->OfficeListBox = nullptr;
    FItems.reset();
}

void TbsSkinOfficeListBox::SetItems(TbsSkinOfficeItems* AValue)
{
    FItems->Assign(AValue);
    Repaint();
    UpdateScrollInfo();
}

void TbsSkinOfficeListBox::SetImages(TCustomImageList* AValue) { ChangeReference(this, FImages, AValue); }

void TbsSkinOfficeListBox::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinCustomControl::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

template <class T>
static void StoreAndRepaint(TbsSkinOfficeListBox* AList, T& AField, T AValue)
{
    if (AField == AValue)
        return;
    AField = AValue;
    AList->Repaint();
}

void TbsSkinOfficeListBox::SetShowCheckBoxes(bool AValue) { StoreAndRepaint(this, FShowCheckBoxes, AValue); }
void TbsSkinOfficeListBox::SetHeaderLeftAlignment(bool AValue) { StoreAndRepaint(this, FHeaderLeftAlignment, AValue); }
void TbsSkinOfficeListBox::SetShowLines(bool AValue) { StoreAndRepaint(this, FShowLines, AValue); }
void TbsSkinOfficeListBox::SetItemHeight(int AValue) { StoreAndRepaint(this, FItemHeight, AValue); }
void TbsSkinOfficeListBox::SetHeaderHeight(int AValue) { StoreAndRepaint(this, FHeaderHeight, AValue); }
void TbsSkinOfficeListBox::SetShowItemTitles(bool AValue) { StoreAndRepaint(this, FShowItemTitles, AValue); }

void TbsSkinOfficeListBox::BeginUpdateItems()
{
    FInUpdateItems = true;
    if (HandleAllocated())
        SendMessage(Handle(), WM_SETREDRAW, 0, 0);
}

void TbsSkinOfficeListBox::EndUpdateItems()
{
    FInUpdateItems = false;
    if (HandleAllocated())
        SendMessage(Handle(), WM_SETREDRAW, 1, 0);
    Repaint();
    UpdateScrollInfo();
}

// ---------------------------------------------------------------- layout

TRect TbsSkinOfficeListBox::ContentRect(int AInset)
{
    GetSkinData();
    if (FIndex == -1)
        return Rect(AInset, AInset, Width() - AInset, Height() - AInset);
    int w = Width(), h = Height();
    CalcSkinLayout(w, h);
    return NewClRect;
}

void TbsSkinOfficeListBox::CalcItemRects()
{
    FRealMax = 0;
    FItemsRect = ContentRect(2);
    if (ScrollBar)
        FItemsRect.Right -= ScrollBar->Width() - 1;
    const int x = FItemsRect.Left, w = FItemsRect.Width();
    int y = FItemsRect.Top;
    for (int i = 0; i < FItems->Count(); ++i) {
        TbsSkinOfficeItem* item = FItems->Items(i);
        const int h = item->Header() ? FHeaderHeight : FItemHeight;
        item->ItemRect = Rect(x, y - FScrollOffset, x + w, y + h - FScrollOffset);
        const TRect& r = item->ItemRect;
        item->IsVisible = RectOverlapsVert(r, FItemsRect) || (r.Top <= FItemsRect.Top && r.Bottom >= FItemsRect.Bottom);
        if (item->IsVisible)
            FRealMax = r.Bottom;
        y += h;
    }
    FMax = y;
}

int TbsSkinOfficeListBox::CalcHeight(int ItemCount)
{
    const int n = std::min(ItemCount, FItems->Count());
    if (ContentRect(2), FIndex == -1)
        return n * FItemHeight + 5;
    return n * FItemHeight + Height() - NewClRect.Height() + 1;
}

int TbsSkinOfficeListBox::ItemAtPos(int X, int Y)
{
    for (int i = 0; i < FItems->Count(); ++i) {
        TbsSkinOfficeItem* item = FItems->Items(i);
        if (PtInRect(item->ItemRect, Point(X, Y)) && item->Enabled())
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------- scrolling

void TbsSkinOfficeListBox::GetScrollInfo(int& AMin, int& AMax, int& APage, int& APosition)
{
    CalcItemRects();
    AMin = 0;
    AMax = FMax - FItemsRect.Top;
    APage = FItemsRect.Height();
    APosition = FScrollOffset;
    if (AMax <= APage)
        AMax = APage = 0;
}

void TbsSkinOfficeListBox::UpdateScrollInfo()
{
    if (!HandleAllocated() || FInUpdateItems)
        return;
    int min, max, page, position;
    GetScrollInfo(min, max, page, position);
    if (max == 0) {
        if (ScrollBar)
            HideScrollBar();
        return;
    }
    if (!ScrollBar)
        ShowScrollbar();
    ScrollBar->SetRange(min, max, position, page);
    ScrollBar->SetLargeChange(page);
}

void TbsSkinOfficeListBox::ShowScrollbar()
{
    if (ScrollBar)
        return;
    ScrollBar = new TbsSkinScrollBar(this);
    ScrollBar->SetVisible(false);
    ScrollBar->SetParent(this);
    ScrollBar->SetDefaultHeight(0);
    ScrollBar->SetDefaultWidth(19);
    ScrollBar->SetSmallChange(FItemHeight);
    ScrollBar->SetLargeChange(FItemHeight);
    ScrollBar->SetSkinDataName("vscrollbar");
    ScrollBar->SetKind(sbVertical);
    ScrollBar->SetSkinData(SkinData());
    ScrollBar->OnChange = [this](TObject* S) { SBChange(S); };
    AdjustScrollBar();
    ScrollBar->SetVisible(true);
    Repaint();
}

void TbsSkinOfficeListBox::HideScrollBar()
{
    if (!ScrollBar)
        return;
    ScrollBar->SetVisible(false);
    delete ScrollBar;
    ScrollBar = nullptr;
    Repaint();
}

void TbsSkinOfficeListBox::AdjustScrollBar()
{
    if (!ScrollBar)
        return;
    const TRect r = ContentRect(1);
    ScrollBar->SetBounds(r.Right - ScrollBar->Width(), r.Top, ScrollBar->Width(), r.Height());
}

void TbsSkinOfficeListBox::SBChange(TObject*) { Scroll(ScrollBar->Position()); }

void TbsSkinOfficeListBox::Scroll(int AScrollOffset)
{
    FScrollOffset = AScrollOffset;
    Repaint();
    UpdateScrollInfo();
}

void TbsSkinOfficeListBox::ScrollToItem(int Index)
{
    CalcItemRects();
    const TRect r = FItems->Items(Index)->ItemRect;   // the list-index error for a bad index
    const TRect u = Rect(r.Left, r.Top + FScrollOffset, r.Right, r.Bottom + FScrollOffset);
    if (r.Top <= FItemsRect.Top) {
        // The group header above the first selectable item stays in view.
        const bool headerAbove = Index == 1 && FItems->Items(0)->Header();
        FScrollOffset = headerAbove ? 0 : u.Top - FItemsRect.Top;
        CalcItemRects();
        Invalidate();
    } else if (r.Bottom >= FItemsRect.Bottom) {
        FScrollOffset = u.Bottom - FItemsRect.Height() - (Height() - FItemsRect.Bottom) + 1;
        CalcItemRects();
        Invalidate();
    }
    UpdateScrollInfo();
}

void TbsSkinOfficeListBox::WMSize(TMessage& M)
{
    TbsSkinCustomControl::WMSize(M);
    if (Height() != FOldHeight) {
        CalcItemRects();
        if (FItemsRect.Bottom >= FRealMax && FScrollOffset > 0) {
            // Growing a scrolled list pulls the content down instead of leaving a gap.
            FScrollOffset = std::max(0, FScrollOffset - (FItemsRect.Bottom - FRealMax));
            CalcItemRects();
            Invalidate();
        }
    }
    AdjustScrollBar();
    UpdateScrollInfo();
    FOldHeight = Height();
}

void TbsSkinOfficeListBox::WMMouseWheel(TMessage& M)
{
    TbsSkinCustomControl::WMMouseWheel(M);
    if (!ScrollBar)
        return;
    const int delta = int16_t(HIWORD(M.WParam));
    ScrollBar->SetPosition(ScrollBar->Position() + (delta < 0 ? ScrollBar->SmallChange() : -ScrollBar->SmallChange()));
}

// ---------------------------------------------------------------- selection

void TbsSkinOfficeListBox::SetItemIndex(int Value)
{
    FItemIndex = Value;
    if (Value < 0) {
        for (int i = 0; i < FItems->Count(); ++i)
            FItems->Items(i)->Active = false;
        Repaint();
        return;
    }
    for (int i = 0; i < FItems->Count(); ++i)
        FItems->Items(i)->Active = i == Value;
    const bool found = Value < FItems->Count();
    Repaint();
    ScrollToItem(Value);
    if (found && !IsDesigning() && !IsLoading()) {
        if (TbsSkinOfficeItem* item = FItems->Items(Value); item->OnClick)
            item->OnClick(this);
        if (OnItemClick)
            OnItemClick(this);
    }
}

void TbsSkinOfficeListBox::SetActiveItem(int Index)
{
    FItemIndex = Index;
    for (int i = 0; i < FItems->Count(); ++i)
        FItems->Items(i)->Active = i == Index;
    Repaint();
    ScrollToItem(Index);
}

void TbsSkinOfficeListBox::FindUp()
{
    if (FItemIndex < 1)
        return;
    for (int i = std::min(FItemIndex, FItems->Count()) - 1; i >= 0; --i)
        if (FItems->Items(i)->Selectable()) {
            SetItemIndex(i);
            return;
        }
}

void TbsSkinOfficeListBox::FindDown()
{
    const int start = FItemIndex < 0 ? 0 : FItemIndex + 1;
    for (int i = start; i < FItems->Count(); ++i)
        if (FItems->Items(i)->Selectable()) {
            SetItemIndex(i);
            return;
        }
}

namespace {

// The page steps: every selectable item of the page is a candidate and the
// farthest one wins, unless a group header is passed on the way: then the
// step stops at the first selectable item after it.
int PageTarget(TbsSkinOfficeItems* AItems, int AFrom, int ATo, int AStep)
{
    int remembered = -1;
    bool headerPassed = false;
    for (int j = AFrom; AStep > 0 ? j <= ATo : j >= ATo; j += AStep) {
        TbsSkinOfficeItem* item = AItems->Items(j);
        if (item->Header()) {
            headerPassed = true;
            continue;
        }
        if (!item->Enabled())
            continue;
        if (headerPassed)
            return j;
        remembered = j;
    }
    return remembered;
}

} // namespace

void TbsSkinOfficeListBox::FindPageUp()
{
    if (FItemIndex < 1)
        return;
    CalcItemRects();
    const int page = std::max(1, FItemsRect.Height() / std::max(1, FItemHeight));
    const int s = std::min(FItemIndex, FItems->Count()) - 1;
    if (s < 0)
        return;
    if (const int j = PageTarget(FItems.get(), s, std::max(0, s - page), -1); j >= 0)
        SetItemIndex(j);
}

void TbsSkinOfficeListBox::FindPageDown()
{
    const int s = FItemIndex < 0 ? 0 : FItemIndex + 1;
    if (s > FItems->Count() - 1)
        return;
    CalcItemRects();
    const int page = std::max(1, FItemsRect.Height() / std::max(1, FItemHeight));
    if (const int j = PageTarget(FItems.get(), s, std::min(FItems->Count() - 1, s + page), 1); j >= 0)
        SetItemIndex(j);
}

void TbsSkinOfficeListBox::ToggleCheck(int Index)
{
    TbsSkinOfficeItem* item = FItems->Items(Index);
    item->SetChecked(!item->Checked());
    if (OnItemCheckClick)
        OnItemCheckClick(this);
}

void TbsSkinOfficeListBox::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TbsSkinCustomControl::KeyDown(AKey, AShift);
    switch (AKey) {
    case VK_PRIOR: FindPageUp(); break;
    case VK_NEXT: FindPageDown(); break;
    case VK_LEFT:
    case VK_UP: FindUp(); break;
    case VK_RIGHT:
    case VK_DOWN: FindDown(); break;
    default: break;
    }
}

void TbsSkinOfficeListBox::KeyUp(uint16_t& AKey, TShiftState AShift)
{
    TbsSkinCustomControl::KeyUp(AKey, AShift);
    if (FShowCheckBoxes && AKey == VK_SPACE && FItemIndex >= 0 && FItemIndex < FItems->Count())
        ToggleCheck(FItemIndex);
}

void TbsSkinOfficeListBox::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseDown(AButton, AShift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i != -1 && !FItems->Items(i)->Header() && AButton == mbLeft) {
        SetActiveItem(i);
        FMouseDown = true;
        FMouseActive = i;
    }
}

void TbsSkinOfficeListBox::MouseMove(TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseMove(AShift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i != -1 && !FItems->Items(i)->Header() && (FMouseDown || MouseMoveChangeIndex) && i != FMouseActive) {
        SetActiveItem(i);
        FMouseActive = i;
    }
}

void TbsSkinOfficeListBox::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseUp(AButton, AShift, X, Y);
    FMouseDown = false;
    const int i = ItemAtPos(X, Y);
    if (i == -1 || FItems->Items(i)->Header() || AButton != mbLeft)
        return;
    SetItemIndex(i);
    if (FShowCheckBoxes && i == FItemIndex && X < FItems->Items(i)->ItemRect.Left + FCheckOffset)
        ToggleCheck(i);
}

void TbsSkinOfficeListBox::WMSetFocus(TMessage& M)
{
    TbsSkinCustomControl::WMSetFocus(M);
    Repaint();
}

void TbsSkinOfficeListBox::WMKillFocus(TMessage& M)
{
    TbsSkinCustomControl::WMKillFocus(M);
    // The window still holds the focus while it hears of losing it: paint later.
    Invalidate();
}

void TbsSkinOfficeListBox::WndProc(TMessage& M)
{
    if (!IsDesigning() && (M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK) && !Focused()) {
        FClicksDisabled = true;
        if (CanFocus())
            platform::SetFocus(Handle());
        FClicksDisabled = false;
        if (!Focused())
            return;
    } else if (M.Msg == CN_COMMAND && FClicksDisabled) {
        return;
    }
    TbsSkinCustomControl::WndProc(M);
}

void TbsSkinOfficeListBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    if (auto* edit = FindSkinRecord<TbsDataSkinEditControl>(FSD, "edit"))
        FDisabledFontColor = edit->DisabledFontColor;
    else if (FSD)
        FDisabledFontColor = FSD->SkinColors().cBtnShadow();
    if (ScrollBar) {
        ScrollBar->SetSkinData(SkinData());
        AdjustScrollBar();
    }
    CalcItemRects();
    Repaint();
}

// ---------------------------------------------------------------- popup

bool TbsPopupOfficeListBox::OwnerAlpha(TbsDropAlpha& AAlpha)
{
    auto* combo = dynamic_cast<TbsSkinCustomOfficeComboBox*>(Owner());
    if (!combo)
        return false;
    AAlpha = {combo->AlphaBlend, combo->AlphaBlendAnimation, combo->AlphaBlendValue};
    return true;
}

void TbsPopupOfficeListBox::BeforeFadeIn()
{
    if (auto* combo = dynamic_cast<TbsSkinCustomOfficeComboBox*>(Owner()))
        combo->FLBDown = false;
}

} // namespace skin
