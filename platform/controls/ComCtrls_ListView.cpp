// The list view: layout, scrolling, selection, keyboard and mouse, label
// editing and type-ahead. Painting is in ComCtrls_ListViewPaint.cpp.
#include "platform/controls/ComCtrls_ListView.h"

#include "platform/core/CodePage.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"

#include <algorithm>

namespace platform {

namespace {

constexpr uint32_t kTypeAheadPause = 1000;   // ms of silence that start a new search

} // namespace


TCustomListView::TCustomListView(TComponent* AOwner) : TCustomControl(AOwner), FColumns(this), FItems(this)
{
    FWidth = 250;
    FHeight = 150;
    FColor = clWindow;
    FBrush.SetColor(FColor);
    FTabStop = true;
    ControlStyle |= csCaptureMouse;
    FDataItem = std::make_unique<TListItem>(&FItems);
}

TCustomListView::~TCustomListView()
{
    OnSelectItem = nullptr;
    OnChange = nullptr;
}

void TCustomListView::CreateParams(TCreateParams& P)
{
    TCustomControl::CreateParams(P);
    P.Style |= WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN;
    if (FBorderStyle == bsSingle)
        P.ExStyle |= WS_EX_CLIENTEDGE;
    P.WinClassName = "SysListView32";
}

void TCustomListView::CreateWnd()
{
    TCustomControl::CreateWnd();
    EnsureHeader();
    UpdateScrollRanges();
    LayoutHeader();
}

// ---- properties

void TCustomListView::SetViewStyle(TViewStyle AValue)
{
    if (AValue == FViewStyle)
        return;
    EndLabelEdit(true);
    FViewStyle = AValue;
    FScrollBars.SetInfo(SB_HORZ, TScrollInfo{});
    FScrollBars.SetInfo(SB_VERT, TScrollInfo{});
    FRowHeight = 0;
    EnsureHeader();
    UpdateScrollRanges();
    LayoutHeader();
    Invalidate();
}

void TCustomListView::SetOwnerData(bool AValue)
{
    if (AValue == FOwnerData)
        return;
    EndLabelEdit(true);
    FItems.Clear();
    FDataSelected.clear();
    FOwnerData = AValue;
    FItems.FDataCount = 0;
    FFocusedIndex = -1;
    FAnchorIndex = -1;
    ItemsChanged();
}

void TCustomListView::SetMultiSelect(bool AValue)
{
    if (AValue == FMultiSelect)
        return;
    FMultiSelect = AValue;
    if (!AValue) {
        // One selected item at most: the focused one, when it was selected.
        int keep = FFocusedIndex >= 0 && IsSelectedAt(FFocusedIndex) ? FFocusedIndex : -1;
        SelectOnly(keep, true);
    }
}

#define LV_SETTER(Name, Field)              \
    void TCustomListView::Set##Name(bool A) \
    {                                       \
        if (A == Field)                     \
            return;                         \
        Field = A;                          \
        Invalidate();                       \
    }
LV_SETTER(RowSelect, FRowSelect)
LV_SETTER(GridLines, FGridLines)
LV_SETTER(HideSelection, FHideSelection)
LV_SETTER(Checkboxes, FCheckboxes)
#undef LV_SETTER

void TCustomListView::SetShowColumnHeaders(bool AValue)
{
    if (AValue == FShowColumnHeaders)
        return;
    FShowColumnHeaders = AValue;
    EnsureHeader();
    UpdateScrollRanges();
    LayoutHeader();
    Invalidate();
}

void TCustomListView::SetBorderStyle(TFormBorderStyle AValue)
{
    if (AValue == FBorderStyle)
        return;
    FBorderStyle = AValue;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomListView::SetSmallImages(TCustomImageList* AValue)
{
    if (FSmallImages)
        FSmallImages->RemoveFreeNotification(this);
    FSmallImages = AValue;
    if (AValue)
        AValue->FreeNotification(this);
    FRowHeight = 0;
    ItemsChanged();
}

void TCustomListView::SetLargeImages(TCustomImageList* AValue)
{
    if (FLargeImages)
        FLargeImages->RemoveFreeNotification(this);
    FLargeImages = AValue;
    if (AValue)
        AValue->FreeNotification(this);
    ItemsChanged();
}

void TCustomListView::SetListColumnWidth(int AValue)
{
    FListColumnWidth = std::max(1, AValue);
    UpdateScrollRanges();
    Invalidate();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation AOperation)
{
    TCustomControl::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSmallImages)
        FSmallImages = nullptr;
    if (AComponent == FLargeImages)
        FLargeImages = nullptr;
    if (AComponent == FHeader)
        FHeader = nullptr;
    if (AComponent == FEditor) {
        FEditor = nullptr;
        FEditIndex = -1;
    }
}

void TCustomListView::CMFontChanged(TMessage& M)
{
    TCustomControl::CMFontChanged(M);
    FRowHeight = 0;
    UpdateScrollRanges();
    LayoutHeader();
}

// ---- geometry

int TCustomListView::RowHeight()
{
    if (FRowHeight == 0) {
        int h = FontLineHeight(&FFont) + 3;
        if (FSmallImages && FViewStyle != vsIcon)
            h = std::max(h, FSmallImages->Height() + 1);
        if (FCheckboxes)
            h = std::max(h, 15);
        FRowHeight = h;
    }
    return FRowHeight;
}

int TCustomListView::HeaderHeight()
{
    return FHeader && FViewStyle == vsReport && FShowColumnHeaders ? FHeader->Height() : 0;
}

TRect TCustomListView::ViewRect()
{
    TRect r = FScrollBars.ViewRect(ClientRect());
    r.Top = std::min(r.Bottom, r.Top + HeaderHeight());
    return r;
}

TCustomListView::TLayout TCustomListView::Layout()
{
    TLayout L;
    L.View = ViewRect();
    L.RowH = RowHeight();
    switch (FViewStyle) {
    case vsReport:
        L.CellW = FColumns.TotalWidth();
        L.CellH = L.RowH;
        break;
    case vsList:
        L.CellW = FListColumnWidth;
        L.CellH = L.RowH;
        L.PerLine = std::max(1, L.View.Height() / L.RowH);
        break;
    case vsSmallIcon:
        // Room for the image and about a dozen characters of label.
        L.CellW = (FSmallImages ? FSmallImages->Width() : 16) + 104;
        L.CellH = L.RowH;
        L.PerLine = std::max(1, L.View.Width() / L.CellW);
        break;
    case vsIcon: {
        int iw = FLargeImages ? FLargeImages->Width() : 32, ih = FLargeImages ? FLargeImages->Height() : 32;
        L.CellW = std::max(76, iw + 20);
        L.CellH = ih + 6 + 2 * FontLineHeight(&FFont);
        L.PerLine = std::max(1, L.View.Width() / L.CellW);
        break;
    }
    }
    return L;
}

TRect TCustomListView::CellOf(int AIndex)
{
    TLayout L = Layout();
    int h = FScrollBars.Pos(SB_HORZ), v = FScrollBars.Pos(SB_VERT);
    switch (FViewStyle) {
    case vsReport: {
        int x = L.View.Left - h, y = L.View.Top + (AIndex - v) * L.RowH;
        return Rect(x, y, x + L.CellW, y + L.RowH);
    }
    case vsList: {
        int x = L.View.Left + (AIndex / L.PerLine - h) * L.CellW, y = L.View.Top + (AIndex % L.PerLine) * L.RowH;
        return Rect(x, y, x + L.CellW, y + L.RowH);
    }
    default: {
        int x = L.View.Left + (AIndex % L.PerLine) * L.CellW, y = L.View.Top + (AIndex / L.PerLine) * L.CellH - v;
        return Rect(x, y, x + L.CellW, y + L.CellH);
    }
    }
}

TRect TCustomListView::ItemRect(int AIndex, TDisplayCode ACode)
{
    FItems.CheckIndex(AIndex);
    TRect b = CellOf(AIndex);
    if (ACode == drBounds)
        return b;
    if (FViewStyle == vsIcon) {
        int iw = FLargeImages ? FLargeImages->Width() : 32, ih = FLargeImages ? FLargeImages->Height() : 32;
        TRect icon = Bounds(b.Left + (b.Width() - iw) / 2, b.Top + 2, iw, ih);
        TRect label = Rect(b.Left + 2, icon.Bottom + 2, b.Right - 2, b.Bottom - 2);
        return ACode == drIcon ? icon : label;
    }
    // In report style the check box, image and label sit in column 0, wherever it was dragged.
    int col0 = FViewStyle == vsReport ? ColumnLeft(0) : 0;
    int x = b.Left + col0 + 2 + (FCheckboxes ? 16 : 0);
    int iw = FSmallImages ? FSmallImages->Width() : 0;
    TRect icon = Rect(x, b.Top, x + iw, b.Bottom);
    if (ACode == drIcon)
        return icon;
    int labelLeft = icon.Right + (iw ? 2 : 0);
    int labelRight = FViewStyle == vsReport ? b.Left + col0 + (FColumns.Count() ? FColumns.Items(0)->Width() : 0) : b.Right;
    TRect label = Rect(labelLeft, b.Top, std::max(labelLeft, labelRight), b.Bottom);
    if (ACode == drLabel)
        return label;
    if (FViewStyle == vsReport && FRowSelect)
        return Rect(icon.Left - col0, b.Top, b.Right, b.Bottom);
    return Rect(icon.Left, b.Top, label.Right, b.Bottom);
}

void TCustomListView::UpdateScrollRanges()
{
    if (!HandleAllocated())
        return;
    bool moved = false;
    // Twice: a bar that appears narrows the view, which may call for the other.
    for (int pass = 0; pass < 2; ++pass) {
        TLayout L = Layout();
        int n = FItems.Count();
        TScrollInfo v, h;
        v.Pos = FScrollBars.Pos(SB_VERT);
        h.Pos = FScrollBars.Pos(SB_HORZ);
        switch (FViewStyle) {
        case vsReport:
            v.Max = n - 1;
            v.Page = std::max(1, L.View.Height() / L.RowH);
            h.Max = FColumns.TotalWidth() - 1;
            h.Page = std::max(1, L.View.Width());
            break;
        case vsList:
            h.Max = (n + L.PerLine - 1) / L.PerLine - 1;
            h.Page = std::max(1, L.View.Width() / L.CellW);
            break;
        default:
            v.Max = (n + L.PerLine - 1) / L.PerLine * L.CellH - 1;
            v.Page = std::max(1, L.View.Height());
            break;
        }
        moved |= FScrollBars.SetInfo(SB_VERT, v);
        moved |= FScrollBars.SetInfo(SB_HORZ, h);
    }
    if (moved) {
        LayoutHeader();
        Invalidate();
    }
}

void TCustomListView::LayoutHeader()
{
    if (!FHeader)
        return;
    bool show = FViewStyle == vsReport && FShowColumnHeaders;
    if (!show) {
        FHeader->SetVisible(false);
        return;
    }
    TRect client = FScrollBars.ViewRect(ClientRect());
    int h = FScrollBars.Pos(SB_HORZ);
    int height = FontLineHeight(FHeader->Font()) + 6;
    // The header stays within the view's width, so it never covers the
    // vertical scroll bar; scrolling sideways moves its sections instead.
    int width = client.Width();
    FHeader->SetScrollOffset(h);
    // Placed on every layout, as the view's own header is: whoever watches its
    // window hears of each placing.
    if (HandleAllocated() && FHeader->Parent() == this)
        FHeader->HandleNeeded();
    if (FHeader->HandleAllocated())
        SetWindowPos(FHeader->Handle(), nullptr, client.Left, client.Top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    else
        FHeader->SetBounds(client.Left, client.Top, width, height);
    FHeader->SetVisible(true);
}

void TCustomListView::EnsureHeader()
{
    if (FHeader || !HandleAllocated() || FViewStyle != vsReport || !FShowColumnHeaders)
        return;
    FHeader = new THeaderControl(this);
    FHeader->Images = FSmallImages;
    FHeader->OnSectionClick = [this](TObject*, int AIndex) { ColumnClicked(AIndex); };
    FHeader->OnSectionResize = [this](TObject*, int AIndex) {
        if (AIndex < FColumns.Count())
            FColumns.Items(AIndex)->SetWidth(FHeader->Section(AIndex).Width);
    };
    FHeader->DragReorder = FFullDrag;
    FHeader->OnSectionEndDrag = [this](TObject*, int) { SetColumnOrder(FHeader->Order()); };
    ColumnsChanged();
    FHeader->SetParent(this);
    LayoutHeader();
}

int TCustomListView::TopIndex() const
{
    auto* self = const_cast<TCustomListView*>(this);
    if (!self->HandleAllocated())
        return 0;
    TLayout L = self->Layout();
    switch (FViewStyle) {
    case vsReport: return FScrollBars.Pos(SB_VERT);
    case vsList: return FScrollBars.Pos(SB_HORZ) * L.PerLine;
    default: return FScrollBars.Pos(SB_VERT) / std::max(1, L.CellH) * L.PerLine;
    }
}

TListItem* TCustomListView::TopItem()
{
    int i = TopIndex();
    return i < FItems.Count() ? FItems.Item(i) : nullptr;
}

int TCustomListView::VisibleRowCount()
{
    TLayout L = Layout();
    switch (FViewStyle) {
    case vsReport: return std::max(0, L.View.Height() / L.RowH);
    case vsList: return L.PerLine * std::max(1, L.View.Width() / L.CellW);
    default: return L.PerLine * std::max(1, L.View.Height() / L.CellH);
    }
}

int TCustomListView::IndexAt(int X, int Y)
{
    TLayout L = Layout();
    TPoint p = Point(X, Y);
    if (!PtInRect(L.View, p))
        return -1;
    int h = FScrollBars.Pos(SB_HORZ), v = FScrollBars.Pos(SB_VERT);
    int i = -1;
    switch (FViewStyle) {
    case vsReport: i = v + (Y - L.View.Top) / L.RowH; break;
    case vsList: i = ((X - L.View.Left) / L.CellW + h) * L.PerLine + (Y - L.View.Top) / L.RowH; break;
    default:
        if ((X - L.View.Left) / L.CellW >= L.PerLine)
            return -1;
        i = (Y - L.View.Top + v) / L.CellH * L.PerLine + (X - L.View.Left) / L.CellW;
        break;
    }
    if (i < 0 || i >= FItems.Count() || !PtInRect(CellOf(i), p))
        return -1;
    return i;
}

TListItem* TCustomListView::GetItemAt(int X, int Y)
{
    int i = IndexAt(X, Y);
    return i >= 0 ? FItems.Item(i) : nullptr;
}

TScrollInfo TCustomListView::GetScrollInfo(int ABar)
{
    UpdateScrollRanges();
    return FScrollBars.Info(ABar);
}

// ---- scrolling

void TCustomListView::ScrollBy(int ABar, int APos)
{
    if (!FScrollBars.SetPos(ABar, APos))
        return;
    EndLabelEdit(false);
    if (ABar == SB_HORZ)
        LayoutHeader();
    if (HandleAllocated()) {
        TRect view = ViewRect();
        InvalidateRect(Handle(), &view, false);
        TRect client = ClientRect();
        for (int bar : {SB_HORZ, SB_VERT}) {
            TRect b = FScrollBars.BarRect(bar, client);
            InvalidateRect(Handle(), &b, false);
        }
    }
}

void TCustomListView::HandleScroll(int ABar, WPARAM W)
{
    int code = LOWORD(W);
    int line = 1;
    if (FViewStyle == vsReport && ABar == SB_HORZ)
        line = 16;
    else if ((FViewStyle == vsIcon || FViewStyle == vsSmallIcon) && ABar == SB_VERT)
        line = RowHeight();
    ScrollBy(ABar, FScrollBars.Target(ABar, code, HIWORD(W), line));
}

void TCustomListView::Scroll(int DX, int DY)
{
    TLayout L = Layout();
    switch (FViewStyle) {
    case vsReport:
        ScrollBy(SB_VERT, FScrollBars.Pos(SB_VERT) + DY / L.RowH);
        ScrollBy(SB_HORZ, FScrollBars.Pos(SB_HORZ) + DX);
        break;
    case vsList: ScrollBy(SB_HORZ, FScrollBars.Pos(SB_HORZ) + DX / std::max(1, L.CellW)); break;
    default: ScrollBy(SB_VERT, FScrollBars.Pos(SB_VERT) + DY); break;
    }
}

void TCustomListView::EnsureVisible(int AIndex)
{
    if (!HandleAllocated() || AIndex < 0 || AIndex >= FItems.Count())
        return;
    UpdateScrollRanges();
    TLayout L = Layout();
    auto keep = [&](int ABar, int AFirst, int ALast, int APage) {
        int pos = FScrollBars.Pos(ABar);
        if (AFirst < pos)
            ScrollBy(ABar, AFirst);
        else if (ALast >= pos + APage)
            ScrollBy(ABar, ALast - APage + 1);
    };
    switch (FViewStyle) {
    case vsReport: keep(SB_VERT, AIndex, AIndex, std::max(1, L.View.Height() / L.RowH)); break;
    case vsList: keep(SB_HORZ, AIndex / L.PerLine, AIndex / L.PerLine, std::max(1, L.View.Width() / L.CellW)); break;
    default: {
        int top = AIndex / L.PerLine * L.CellH;
        keep(SB_VERT, top, top + L.CellH - 1, std::max(1, L.View.Height()));
        break;
    }
    }
}

void TCustomListView::WMMouseWheel(TMessage& M)
{
    int notches = int16_t(HIWORD(M.WParam)) / WHEEL_DELTA;
    switch (FViewStyle) {
    case vsReport: ScrollBy(SB_VERT, FScrollBars.Pos(SB_VERT) - notches * 3); break;
    case vsList: ScrollBy(SB_HORZ, FScrollBars.Pos(SB_HORZ) - notches); break;
    default: ScrollBy(SB_VERT, FScrollBars.Pos(SB_VERT) - notches * 3 * RowHeight()); break;
    }
    M.Result = 1;
}

void TCustomListView::Resize()
{
    TCustomControl::Resize();
    UpdateScrollRanges();
    LayoutHeader();
}

// ---- notifications from items and columns

void TCustomListView::InvalidateItem(int AIndex)
{
    if (!HandleAllocated() || AIndex < 0 || AIndex >= FItems.Count())
        return;
    TRect view = ViewRect();
    TRect cell = CellOf(AIndex);
    if (FViewStyle == vsReport) {
        cell.Left = view.Left;
        cell.Right = view.Right;
    }
    TRect r = IntersectRect(cell, view);
    if (!r.IsEmpty())
        InvalidateRect(Handle(), &r, false);
}

void TCustomListView::UpdateItems(int AFirst, int ALast)
{
    for (int i = std::max(0, AFirst); i <= ALast && i < FItems.Count(); ++i)
        InvalidateItem(i);
}

void TCustomListView::ItemChanged(TListItem* AItem, TItemChange AChange)
{
    if (FFetching || AItem == FDataItem.get())
        return;
    InvalidateItem(AItem->Index());
    Change(AItem, AChange);
}

void TCustomListView::ItemsChanged()
{
    if (FItems.Updating())
        return;
    int n = FItems.Count();
    if (FOwnerData) {
        while (!FDataSelected.empty() && *FDataSelected.rbegin() >= n)
            FDataSelected.erase(std::prev(FDataSelected.end()));
    }
    if (FFocusedIndex >= n)
        FFocusedIndex = -1;
    if (FAnchorIndex >= n)
        FAnchorIndex = -1;
    if (FEditIndex >= n)
        EndLabelEdit(true);
    UpdateScrollRanges();
    Invalidate();
}

void TCustomListView::SetFullDrag(bool AValue)
{
    FFullDrag = AValue;
    if (FHeader)
        FHeader->DragReorder = AValue;
}

bool TCustomListView::SetColumnOrder(const std::vector<int>& AOrder)
{
    if (!THeaderControl::IsOrder(AOrder, FColumns.Count()))
        return false;
    if (AOrder == FColumnOrder)
        return true;
    FColumnOrder = AOrder;
    if (FHeader)
        FHeader->SetOrder(FColumnOrder);
    Invalidate();
    return true;
}

std::vector<int> TCustomListView::ColumnLefts() const
{
    // The order catches up with added or removed columns at their change
    // notice; until then the columns it does not name stay at 0.
    const int columns = FColumns.Count();
    std::vector<int> lefts(size_t(columns), 0);
    int x = 0;
    for (int c : FColumnOrder)
        if (c < columns) {
            lefts[size_t(c)] = x;
            x += FColumns.Items(c)->Width();
        }
    return lefts;
}

int TCustomListView::ColumnLeft(int AIndex) const
{
    return AIndex >= 0 && AIndex < FColumns.Count() ? ColumnLefts()[size_t(AIndex)] : 0;
}

void TCustomListView::ColumnsChanged()
{
    // Added or removed columns start a fresh order; new widths and captions keep it.
    if (FColumnOrder.size() != size_t(FColumns.Count())) {
        FColumnOrder.resize(size_t(FColumns.Count()));
        for (size_t i = 0; i < FColumnOrder.size(); ++i)
            FColumnOrder[i] = int(i);
    }
    if (FHeader) {
        std::vector<THeaderSection> sections;
        for (int i = 0; i < FColumns.Count(); ++i) {
            TListColumn* c = FColumns.Items(i);
            sections.push_back({c->Caption(), c->Width(), c->MinWidth(), c->MaxWidth(), c->Alignment(), c->ImageIndex()});
        }
        FHeader->SetSections(std::move(sections));
        FHeader->SetOrder(FColumnOrder);
        FHeader->Images = FSmallImages;
    }
    UpdateScrollRanges();
    LayoutHeader();
    HeaderResized();
    Invalidate();
}

void TCustomListView::ColumnClicked(int AIndex)
{
    if (AIndex >= 0 && AIndex < FColumns.Count())
        ColClick(FColumns.Items(AIndex));
}

void TCustomListView::ColClick(TListColumn* AColumn)
{
    if (ColumnClick && OnColumnClick)
        OnColumnClick(this, AColumn);
}

void TCustomListView::Change(TListItem* AItem, TItemChange AChange)
{
    if (OnChange)
        OnChange(this, AItem, AChange);
}

void TCustomListView::DoSelectItem(TListItem* AItem, bool ASelected)
{
    if (OnSelectItem)
        OnSelectItem(this, AItem, ASelected);
}

// ---- owner data

TListItem* TCustomListView::FetchItem(int AIndex, TItemRequest ARequest)
{
    TListItem* item = FDataItem.get();
    FFetching = true;
    item->FIndex = AIndex;
    item->FCaption.clear();
    item->FSubItems.Clear();
    item->FImageIndex = -1;
    item->FChecked = false;
    item->Data = nullptr;
    try {
        OwnerDataFetch(item, ARequest);
    } catch (...) {
        FFetching = false;
        throw;
    }
    FFetching = false;
    return item;
}

bool TCustomListView::OwnerDataFetch(TListItem* AItem, TItemRequest)
{
    if (!OnData)
        return false;
    OnData(this, AItem);
    return true;
}

int TCustomListView::OwnerDataFind(TItemFind AFind, const std::string& AFindString, TPoint AFindPosition,
                                   void* AFindData, int AStartIndex, TSearchDirection ADirection, bool AWrap)
{
    int index = -1;
    if (OnDataFind)
        OnDataFind(this, AFind, AFindString, AFindPosition, AFindData, AStartIndex, ADirection, AWrap, index);
    return index >= 0 && index < FItems.Count() ? index : -1;
}

// ---- selection

bool TCustomListView::IsSelectedAt(int AIndex) const
{
    if (FOwnerData)
        return FDataSelected.count(AIndex) != 0;
    return AIndex >= 0 && AIndex < int(FItems.FItems.size()) && FItems.FItems[size_t(AIndex)]->FSelected;
}

std::vector<int> TCustomListView::SelectedExcept(int AIndex) const
{
    std::vector<int> v;
    if (FOwnerData) {
        for (int i : FDataSelected)
            if (i != AIndex)
                v.push_back(i);
        return v;
    }
    for (size_t i = 0; i < FItems.FItems.size(); ++i)
        if (FItems.FItems[i]->FSelected && int(i) != AIndex)
            v.push_back(int(i));
    return v;
}

void TCustomListView::SetSelectedAt(int AIndex, bool AValue, bool ANotify)
{
    FItems.CheckIndex(AIndex);
    if (AValue && !FMultiSelect)
        for (int other : SelectedExcept(AIndex))
            SetSelectedAt(other, false, ANotify);
    if (IsSelectedAt(AIndex) == AValue)
        return;
    if (FOwnerData) {
        if (AValue)
            FDataSelected.insert(AIndex);
        else
            FDataSelected.erase(AIndex);
    } else {
        FItems.FItems[size_t(AIndex)]->FSelected = AValue;
    }
    InvalidateItem(AIndex);
    if (ANotify) {
        TListItem* item = FItems.Item(AIndex);
        Change(item, ctState);
        DoSelectItem(item, AValue);
    }
}

TListItem* TCustomListView::GetNextSelected(TListItem* AStart)
{
    int from = AStart ? AStart->Index() + 1 : 0;
    if (FOwnerData) {
        auto it = FDataSelected.lower_bound(from);
        return it == FDataSelected.end() ? nullptr : FItems.Item(*it);
    }
    for (int i = from; i < int(FItems.FItems.size()); ++i)
        if (FItems.FItems[size_t(i)]->FSelected)
            return FItems.FItems[size_t(i)].get();
    return nullptr;
}

TListItem* TCustomListView::Selected()
{
    if (!FMultiSelect && FFocusedIndex >= 0 && IsSelectedAt(FFocusedIndex))
        return FItems.Item(FFocusedIndex);
    return GetNextSelected(nullptr);
}

int TCustomListView::SelCount() const
{
    if (FOwnerData)
        return int(FDataSelected.size());
    return int(std::count_if(FItems.FItems.begin(), FItems.FItems.end(), [](auto& i) { return i->FSelected; }));
}

void TCustomListView::SelectOnly(int AIndex, bool ANotify)
{
    for (int i : SelectedExcept(AIndex))
        SetSelectedAt(i, false, ANotify);
    if (AIndex >= 0)
        SetSelectedAt(AIndex, true, ANotify);
}

void TCustomListView::SelectRange(int AFrom, int ATo)
{
    int lo = std::min(AFrom, ATo), hi = std::max(AFrom, ATo);
    std::vector<int> outside;
    for (int i : SelectedExcept(-1))
        if (i < lo || i > hi)
            outside.push_back(i);
    for (int i : outside)
        SetSelectedAt(i, false, true);
    for (int i = lo; i <= hi; ++i)
        SetSelectedAt(i, true, true);
}

void TCustomListView::ClearSelection() { SelectOnly(-1, true); }

void TCustomListView::SelectAll()
{
    if (!FMultiSelect)
        return;
    for (int i = 0; i < FItems.Count(); ++i)
        SetSelectedAt(i, true, true);
}

void TCustomListView::SetSelected(TListItem* AItem)
{
    if (!AItem) {
        ClearSelection();
        return;
    }
    int i = FItems.IndexOf(AItem);
    if (i < 0 && AItem == FDataItem.get())
        i = AItem->FIndex;
    FItems.CheckIndex(i);
    SelectOnly(i, true);
    SetItemFocused(FItems.Item(i));
    EnsureVisible(i);
}

int TCustomListView::ItemIndex()
{
    TListItem* s = Selected();
    return s ? s->Index() : -1;
}

void TCustomListView::SetItemIndex(int AValue)
{
    if (AValue == -1) {
        ClearSelection();
        return;
    }
    FItems.CheckIndex(AValue);
    SetSelected(FItems.Item(AValue));
}

TListItem* TCustomListView::ItemFocused()
{
    return FFocusedIndex >= 0 && FFocusedIndex < FItems.Count() ? FItems.Item(FFocusedIndex) : nullptr;
}

void TCustomListView::SetItemFocused(TListItem* AItem)
{
    int i = AItem ? AItem->Index() : -1;
    if (i == FFocusedIndex)
        return;
    int old = FFocusedIndex;
    FFocusedIndex = i;
    InvalidateItem(old);
    InvalidateItem(i);
}

void TCustomListView::MoveFocus(int AIndex, TShiftState AShift)
{
    int n = FItems.Count();
    if (n == 0)
        return;
    AIndex = std::clamp(AIndex, 0, n - 1);
    if (FMultiSelect && (AShift & ssShift)) {
        if (FAnchorIndex < 0)
            FAnchorIndex = FFocusedIndex >= 0 ? FFocusedIndex : AIndex;
        SelectRange(FAnchorIndex, AIndex);
    } else if (!(FMultiSelect && (AShift & ssCtrl))) {
        SelectOnly(AIndex, true);
        FAnchorIndex = AIndex;
    }
    if (AIndex < FItems.Count()) {
        int old = FFocusedIndex;
        FFocusedIndex = AIndex;
        InvalidateItem(old);
        InvalidateItem(AIndex);
        EnsureVisible(AIndex);
    }
}

// ---- keyboard and mouse

void TCustomListView::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TCustomControl::KeyDown(AKey, AShift);
    if (AKey == 0)
        return;
    int n = FItems.Count();
    int cur = FFocusedIndex;
    TLayout L = Layout();
    int page = std::max(1, VisibleRowCount());
    int target = -2;
    bool grid = FViewStyle == vsIcon || FViewStyle == vsSmallIcon;
    switch (AKey) {
    case VK_UP: target = cur < 0 ? 0 : cur - (grid ? L.PerLine : 1); break;
    case VK_DOWN: target = cur < 0 ? 0 : cur + (grid ? L.PerLine : 1); break;
    case VK_LEFT:
        if (FViewStyle == vsReport)
            ScrollBy(SB_HORZ, FScrollBars.Pos(SB_HORZ) - 16);
        else
            target = cur < 0 ? 0 : cur - (FViewStyle == vsList ? L.PerLine : 1);
        break;
    case VK_RIGHT:
        if (FViewStyle == vsReport)
            ScrollBy(SB_HORZ, FScrollBars.Pos(SB_HORZ) + 16);
        else
            target = cur < 0 ? 0 : cur + (FViewStyle == vsList ? L.PerLine : 1);
        break;
    case VK_PRIOR: target = cur < 0 ? 0 : cur - page; break;
    case VK_NEXT: target = cur < 0 ? 0 : cur + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_SPACE:
        if (cur >= 0 && FCheckboxes && !FOwnerData)
            FItems.Item(cur)->SetChecked(!FItems.Item(cur)->Checked());
        else if (cur >= 0 && FMultiSelect && (AShift & ssCtrl))
            SetSelectedAt(cur, !IsSelectedAt(cur), true);
        else if (cur >= 0)
            SetSelectedAt(cur, true, true);
        break;
    case VK_F2:
        if (cur >= 0)
            BeginLabelEdit(cur);
        break;
    default: return;
    }
    if (target != -2 && n > 0) {
        // Up and left stop at the first item, down and right at the last.
        if (target < 0)
            target = 0;
        if (target >= n)
            target = (AKey == VK_RIGHT && FViewStyle == vsList) || AKey == VK_NEXT || AKey == VK_END || AKey == VK_DOWN ? n - 1 : cur;
        MoveFocus(target, AShift);
    }
    AKey = 0;
}

TListItem* TCustomListView::FindCaption(int AStartIndex, const std::string& AValue, bool APartial, bool AInclusive, bool AWrap)
{
    int n = FItems.Count();
    if (n == 0)
        return nullptr;
    if (FOwnerData) {
        int i = OwnerDataFind(APartial ? ifPartialString : ifExactString, AValue, TPoint{}, nullptr,
                              AInclusive ? AStartIndex : AStartIndex + 1, sdAll, AWrap);
        return i >= 0 ? FItems.Item(i) : nullptr;
    }
    int start = std::clamp(AInclusive ? AStartIndex : AStartIndex + 1, 0, n);
    for (int step = 0; step < n; ++step) {
        int i = start + step;
        if (i >= n) {
            if (!AWrap)
                return nullptr;
            i -= n;
        }
        const std::string& c = FItems.FItems[size_t(i)]->FCaption;
        if (APartial ? StartsText(AValue, c) : SameText(AValue, c))
            return FItems.FItems[size_t(i)].get();
    }
    return nullptr;
}

int TCustomListView::TypeAheadFind(const std::string& APrefix, int AStart)
{
    TListItem* found = FindCaption(AStart, APrefix, true, true, true);
    return found ? found->Index() : -1;
}

void TCustomListView::KeyPress(char16_t& AKey)
{
    TCustomControl::KeyPress(AKey);
    if (AKey < 32 || (AKey == u' ' && FTypeAhead.empty()))
        return;
    uint32_t now = GetMessageTime();
    if (now - FTypeAheadTime > kTypeAheadPause)
        FTypeAhead.clear();
    FTypeAheadTime = now;
    FTypeAhead += Utf16ToUtf8(std::u16string(1, AKey));
    // A new search starts after the focused item; a longer prefix keeps it if it still matches.
    int start = FFocusedIndex < 0 ? 0 : FTypeAhead.size() == Utf16ToUtf8(std::u16string(1, AKey)).size() ? FFocusedIndex + 1 : FFocusedIndex;
    if (FItems.Count() > 0)
        start %= FItems.Count();
    int i = TypeAheadFind(FTypeAhead, start);
    if (i >= 0)
        MoveFocus(i, 0);
    AKey = 0;
}

void TCustomListView::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (CanFocus() && !Focused())
        SetFocus();
    if (AButton == mbLeft && FScrollBars.MouseDown(Point(X, Y), ClientRect())) {
        TCustomControl::MouseDown(AButton, AShift, X, Y);
        return;
    }
    EndLabelEdit(false);
    int i = IndexAt(X, Y);
    // A press on an item's check box turns its mark.
    if (AButton == mbLeft && i >= 0 && FCheckboxes && !FOwnerData && FViewStyle != vsIcon &&
        X >= ItemRect(i, drIcon).Left - 18 && X < ItemRect(i, drIcon).Left) {
        TListItem* item = FItems.Item(i);
        item->SetChecked(!item->Checked());
    }
    if (AButton == mbLeft || AButton == mbRight) {
        if (i < 0) {
            if (!(AShift & (ssCtrl | ssShift)))
                ClearSelection();
        } else if (AButton == mbLeft && FMultiSelect && (AShift & ssCtrl)) {
            SetSelectedAt(i, !IsSelectedAt(i), true);
            FFocusedIndex = i;
            FAnchorIndex = i;
            InvalidateItem(i);
        } else if (!(AButton == mbRight && IsSelectedAt(i))) {
            MoveFocus(i, AButton == mbLeft ? AShift : 0);
        }
    }
    TCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TCustomListView::MouseMove(TShiftState AShift, int X, int Y)
{
    if (FScrollBars.MouseMove(Point(X, Y), ClientRect()))
        return;
    TCustomControl::MouseMove(AShift, X, Y);
}

void TCustomListView::WMTimer(TMessage& M)
{
    if (!FScrollBars.Timer(uintptr_t(M.WParam), ClientRect()))
        TCustomControl::WMTimer(M);
}

void TCustomListView::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == mbLeft)
        FScrollBars.MouseUp();
    TCustomControl::MouseUp(AButton, AShift, X, Y);
}

void TCustomListView::WMLButtonDblClk(TMessage& M)
{
    const int x = GET_X_LPARAM(M.LParam), y = GET_Y_LPARAM(M.LParam);
    if (!PtInRect(ViewRect(), Point(x, y))) {
        TCustomControl::WMLButtonDown(M);
        return;
    }
    // The list handles the press (focus, selection) before it reports the
    // double click: a handler that hands the keyboard on, to an edit over
    // the row, keeps it so.
    MouseDown(mbLeft, KeysToShiftState(M.WParam) | ssDouble, x, y);
    if (ControlStyle & csDoubleClicks)
        DblClick();
}

void TCustomListView::WMSetFocus(TMessage& M)
{
    TCustomControl::WMSetFocus(M);
    Invalidate();
}

void TCustomListView::WMKillFocus(TMessage& M)
{
    TCustomControl::WMKillFocus(M);
    Invalidate();
}

void TCustomListView::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case WM_VSCROLL: HandleScroll(SB_VERT, M.WParam); M.Result = 0; return;
    case WM_HSCROLL: HandleScroll(SB_HORZ, M.WParam); M.Result = 0; return;
    case LVM_GETITEMCOUNT: M.Result = FItems.Count(); return;
    case LVM_GETCOUNTPERPAGE: M.Result = VisibleRowCount(); return;
    case LVM_GETTOPINDEX: M.Result = TopIndex(); return;
    case LVM_GETCOLUMNWIDTH:
        M.Result = FViewStyle == vsList ? FListColumnWidth
                   : int(M.WParam) < FColumns.Count() ? FColumns.Items(int(M.WParam))->Width() : 0;
        return;
    case LVM_GETCOLUMNORDERARRAY:
        if (auto* order = reinterpret_cast<int*>(M.LParam); order && int(M.WParam) == FColumns.Count()) {
            std::copy(FColumnOrder.begin(), FColumnOrder.end(), order);
            M.Result = 1;
        } else {
            M.Result = 0;
        }
        return;
    case LVM_SETCOLUMNORDERARRAY: {
        auto* order = reinterpret_cast<const int*>(M.LParam);
        int n = int(M.WParam);
        M.Result = order && n >= 0 && SetColumnOrder(std::vector<int>(order, order + n)) ? 1 : 0;
        return;
    }
    default: TCustomControl::Dispatch(M);
    }
}

// ---- label editing

bool TCustomListView::CanEdit(TListItem* AItem)
{
    bool allow = true;
    if (OnEditing)
        OnEditing(this, AItem, allow);
    return allow;
}

void TCustomListView::BeginLabelEdit(int AIndex)
{
    if (ReadOnly || AIndex < 0 || AIndex >= FItems.Count() || !HandleAllocated())
        return;
    EndLabelEdit(false);
    TListItem* item = FItems.Item(AIndex);
    if (!CanEdit(item))
        return;
    std::string caption = FItems.Item(AIndex)->Caption();
    EnsureVisible(AIndex);
    if (!FEditor) {
        FEditor = new TLabelEditor(this, [this](bool ACancel) { EndLabelEdit(ACancel); });
        FEditor->SetParent(this);
    }
    FEditIndex = AIndex;
    TRect r = ItemRect(AIndex, drLabel);
    int h = FontLineHeight(&FFont) + 4;
    FEditor->SetBounds(r.Left, r.Top + (r.Height() - h) / 2, std::max(r.Width(), 40), h);
    FEditor->SetText(caption);
    FEditor->SetVisible(true);
    FEditor->SelectAll();
    if (CanFocus())
        FEditor->SetFocus();
}

void TCustomListView::EndLabelEdit(bool ACancel)
{
    if (FEditIndex < 0 || FEnding || !FEditor)
        return;
    FEnding = true;
    int index = FEditIndex;
    std::string text = FEditor->Text();
    FEditIndex = -1;
    bool hadFocus = FEditor->Focused();
    FEditor->SetVisible(false);
    if (hadFocus && CanFocus())
        SetFocus();
    try {
        if (index < FItems.Count())
            Edit(index, ACancel ? nullptr : &text);
    } catch (...) {
        FEnding = false;
        throw;
    }
    FEnding = false;
}

void TCustomListView::Edit(int AIndex, const std::string* ANewText)
{
    if (!ANewText)
        return;
    TListItem* item = FItems.Item(AIndex);
    std::string s = *ANewText;
    if (OnEdited)
        OnEdited(this, item, s);
    if (!FOwnerData)
        FItems.Item(AIndex)->SetCaption(s);
}

} // namespace platform
