// The tree view: rows of the expanded nodes, selection, expanding and
// collapsing, keyboard and mouse, label editing and painting.
#include "platform/controls/ComCtrls_TreeView.h"

#include "platform/controls/ComCtrls_ViewParts.h"
#include "platform/core/CodePage.h"
#include "platform/core/SysUtils.h"

#include <algorithm>

namespace platform {

namespace {
constexpr uint32_t kTypeAheadPause = 1000;
constexpr int kButtonHalf = 4;   // half the side of a drawn expand button
} // namespace

TCustomTreeView::TCustomTreeView(TComponent* AOwner) : TCustomControl(AOwner), FNodes(this)
{
    FWidth = 121;
    FHeight = 97;
    FColor = clWindow;
    FBrush.SetColor(FColor);
    FTabStop = true;
}

TCustomTreeView::~TCustomTreeView()
{
    OnChange = nullptr;
    OnDeletion = nullptr;
    FSelected = nullptr;
    FEditNode = nullptr;
}

void TCustomTreeView::CreateParams(TCreateParams& P)
{
    TCustomControl::CreateParams(P);
    P.Style |= WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN;
    if (FBorderStyle == bsSingle)
        P.ExStyle |= WS_EX_CLIENTEDGE;
    P.WinClassName = "SysTreeView32";
}

void TCustomTreeView::CreateWnd()
{
    TCustomControl::CreateWnd();
    UpdateScrollRanges();
}

// ---- properties

#define TV_SETTER(Name, Field)              \
    void TCustomTreeView::Set##Name(bool A) \
    {                                       \
        if (A == Field)                     \
            return;                         \
        Field = A;                          \
        UpdateScrollRanges();               \
        Invalidate();                       \
    }
TV_SETTER(ShowLines, FShowLines)
TV_SETTER(ShowButtons, FShowButtons)
TV_SETTER(ShowRoot, FShowRoot)
TV_SETTER(HideSelection, FHideSelection)
#undef TV_SETTER

void TCustomTreeView::SetIndent(int AValue)
{
    FIndent = std::max(1, AValue);
    UpdateScrollRanges();
    Invalidate();
}

void TCustomTreeView::SetBorderStyle(TFormBorderStyle AValue)
{
    if (AValue == FBorderStyle)
        return;
    FBorderStyle = AValue;
    if (HandleAllocated())
        RecreateWnd();
}

void TCustomTreeView::ChangeImageList(TCustomImageList*& AList, TCustomImageList* AValue)
{
    TCustomImageList* old = AList;
    AList = AValue;
    if (old && old != FImages && old != FShownImages && old != FStateImages)
        old->RemoveFreeNotification(this);
    if (AValue)
        AValue->FreeNotification(this);
}

void TCustomTreeView::SetImages(TCustomImageList* AValue)
{
    ChangeImageList(FImages, AValue);
    Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(AValue));
}

void TCustomTreeView::SetStateImages(TCustomImageList* AValue)
{
    ChangeImageList(FStateImages, AValue);
    // The state column moves the node images and texts: rows and ranges change.
    FRowHeight = 0;
    NodesChanged();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation AOperation)
{
    TCustomControl::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FImages)
        FImages = nullptr;
    if (AComponent == FShownImages) {
        FShownImages = nullptr;
        FRowHeight = 0;
    }
    if (AComponent == FStateImages)
        FStateImages = nullptr;
    if (AComponent == FEditor) {
        FEditor = nullptr;
        FEditNode = nullptr;
    }
}

void TCustomTreeView::CMFontChanged(TMessage& M)
{
    TCustomControl::CMFontChanged(M);
    FRowHeight = 0;
    UpdateScrollRanges();
}

// ---- geometry

int TCustomTreeView::RowHeight()
{
    if (FRowHeight == 0) {
        int h = std::max(16, FontLineHeight(&FFont) + 3);
        if (FShownImages)
            h = std::max(h, FShownImages->Height() + 1);
        if (FStateImages)
            h = std::max(h, FStateImages->Height() + 1);
        FRowHeight = h;
    }
    return FRowHeight;
}

const std::vector<TTreeNode*>& TCustomTreeView::VisibleNodes()
{
    if (FVisibleStale) {
        FVisible.clear();
        for (TTreeNode* n = FNodes.GetFirstNode(); n; n = n->GetNextVisible())
            FVisible.push_back(n);
        FVisibleStale = false;
    }
    return FVisible;
}

int TCustomTreeView::RowOf(const TTreeNode* ANode)
{
    const auto& rows = VisibleNodes();
    auto it = std::find(rows.begin(), rows.end(), ANode);
    return it == rows.end() ? -1 : int(it - rows.begin());
}

TRect TCustomTreeView::ViewRect() { return FScrollBars.ViewRect(ClientRect()); }

int TCustomTreeView::NodeX(const TTreeNode* ANode)
{
    return ViewRect().Left - FScrollBars.Pos(SB_HORZ) + (ANode->Level() + (FShowRoot ? 1 : 0)) * FIndent;
}

TRect TCustomTreeView::NodeRect(const TTreeNode* ANode, bool ATextOnly)
{
    int row = RowOf(ANode);
    if (row < 0)
        return TRect{};
    TRect view = ViewRect();
    int h = RowHeight();
    int y = view.Top + (row - FScrollBars.Pos(SB_VERT)) * h;
    if (!ATextOnly)
        return Rect(view.Left, y, view.Right, y + h);
    int x = NodeX(ANode) + ImagesWidth();
    return Rect(x, y, x + FontTextExtent(&FFont, ANode->Text()).cx + 4, y + h);
}

int TCustomTreeView::ImagesWidth() const
{
    // Every node keeps room for a state image once a state list is set, so
    // the node images and texts stay in one column.
    return (FStateImages ? FStateImages->Width() : 0) + (FShownImages ? FShownImages->Width() + 3 : 0);
}

int TCustomTreeView::ContentWidth()
{
    int w = 0;
    for (TTreeNode* n : VisibleNodes())
        w = std::max(w, (n->Level() + (FShowRoot ? 1 : 0)) * FIndent + ImagesWidth() +
                            FontTextExtent(&FFont, n->Text()).cx + 4);
    return w;
}

int TCustomTreeView::VisibleCount() { return std::max(0, ViewRect().Height() / RowHeight()); }

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y)
{
    TRect view = ViewRect();
    if (!PtInRect(view, Point(X, Y)))
        return nullptr;
    int row = FScrollBars.Pos(SB_VERT) + (Y - view.Top) / RowHeight();
    const auto& rows = VisibleNodes();
    return row >= 0 && row < int(rows.size()) ? rows[size_t(row)] : nullptr;
}

TTreeNode* TCustomTreeView::TopItem()
{
    const auto& rows = VisibleNodes();
    int top = FScrollBars.Pos(SB_VERT);
    return top < int(rows.size()) ? rows[size_t(top)] : nullptr;
}

void TCustomTreeView::SetTopItem(TTreeNode* ANode)
{
    if (!ANode)
        return;
    UpdateScrollRanges();
    int row = RowOf(ANode);
    if (row >= 0)
        ScrollBy(SB_VERT, row);
}

void TCustomTreeView::UpdateScrollRanges()
{
    if (!HandleAllocated())
        return;
    bool moved = false;
    int rows = int(VisibleNodes().size());
    int width = ContentWidth();
    for (int pass = 0; pass < 2; ++pass) {
        TRect view = ViewRect();
        TScrollInfo v, h;
        v.Page = std::max(1, view.Height() / RowHeight());
        // All rows fitting leave no range, as the native control has none then.
        v.Max = rows > v.Page ? rows - 1 : 0;
        v.Pos = FScrollBars.Pos(SB_VERT);
        h.Page = std::max(1, view.Width());
        h.Max = width > h.Page ? width - 1 : 0;
        h.Pos = FScrollBars.Pos(SB_HORZ);
        moved |= FScrollBars.SetInfo(SB_VERT, v);
        moved |= FScrollBars.SetInfo(SB_HORZ, h);
    }
    if (moved)
        Invalidate();
}

TScrollInfo TCustomTreeView::GetScrollInfo(int ABar)
{
    UpdateScrollRanges();
    return FScrollBars.Info(ABar);
}

void TCustomTreeView::ScrollBy(int ABar, int APos)
{
    if (!FScrollBars.SetPos(ABar, APos))
        return;
    EndEdit(false);
    Invalidate();
}

void TCustomTreeView::HandleScroll(int ABar, WPARAM W)
{
    ScrollBy(ABar, FScrollBars.Target(ABar, LOWORD(W), HIWORD(W), ABar == SB_HORZ ? FIndent : 1));
}

void TCustomTreeView::EnsureVisible(TTreeNode* ANode)
{
    if (!ANode)
        return;
    for (TTreeNode* p = ANode->Parent(); p; p = p->Parent())
        if (!p->Expanded())
            ExpandNode(p, true);
    if (!HandleAllocated())
        return;
    UpdateScrollRanges();
    int row = RowOf(ANode);
    int top = FScrollBars.Pos(SB_VERT);
    int page = std::max(1, VisibleCount());
    if (row >= 0 && row < top)
        ScrollBy(SB_VERT, row);
    else if (row >= top + page)
        ScrollBy(SB_VERT, row - page + 1);
}

void TCustomTreeView::Resize()
{
    TCustomControl::Resize();
    UpdateScrollRanges();
}

void TCustomTreeView::WMMouseWheel(TMessage& M)
{
    ScrollBy(SB_VERT, FScrollBars.Pos(SB_VERT) - int16_t(HIWORD(M.WParam)) / WHEEL_DELTA * 3);
    M.Result = 1;
}

// ---- changes of the nodes

void TCustomTreeView::NodesChanged()
{
    FVisibleStale = true;
    if (FNodes.Updating())
        return;
    UpdateScrollRanges();
    Invalidate();
}

void TCustomTreeView::NodeChanged(TTreeNode* ANode)
{
    if (FNodes.Updating())
        return;
    UpdateScrollRanges();
    InvalidateNode(ANode);
}

void TCustomTreeView::InvalidateNode(TTreeNode* ANode)
{
    if (!HandleAllocated() || !ANode)
        return;
    TRect r = IntersectRect(NodeRect(ANode, false), ViewRect());
    if (!r.IsEmpty())
        InvalidateRect(Handle(), &r, false);
}

void TCustomTreeView::NodeDeleting(TTreeNode* ANode)
{
    if (FEditNode == ANode)
        EndEdit(true);
    Delete(ANode);
    if (FSelected == ANode)
        FSelected = nullptr;
    FVisibleStale = true;
}

bool TCustomTreeView::ExpandNode(TTreeNode* ANode, bool AExpand)
{
    if (ANode->FExpanded == AExpand)
        return true;
    if (AExpand) {
        if (!CanExpand(ANode))
            return false;
        ANode->FExpanded = true;
        NodesChanged();
        Expand(ANode);
    } else {
        if (!CanCollapse(ANode))
            return false;
        // A selection inside the folded subtree moves up to the node.
        if (FSelected && FSelected->HasAsParent(ANode))
            SetSelected(ANode);
        ANode->FExpanded = false;
        NodesChanged();
        Collapse(ANode);
    }
    return true;
}

void TCustomTreeView::FullExpand()
{
    FNodes.BeginUpdate();
    for (TTreeNode* n = FNodes.GetFirstNode(); n; n = n->GetNextSibling())
        n->Expand(true);
    FNodes.EndUpdate();
}

void TCustomTreeView::FullCollapse()
{
    FNodes.BeginUpdate();
    for (TTreeNode* n = FNodes.GetFirstNode(); n; n = n->GetNextSibling())
        n->Collapse(true);
    FNodes.EndUpdate();
}

// ---- hooks

bool TCustomTreeView::CanChange(TTreeNode* ANode)
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, ANode, allow);
    return allow;
}

void TCustomTreeView::Change(TTreeNode* ANode)
{
    if (OnChange)
        OnChange(this, ANode);
}

bool TCustomTreeView::CanExpand(TTreeNode* ANode)
{
    bool allow = true;
    if (OnExpanding)
        OnExpanding(this, ANode, allow);
    return allow;
}

void TCustomTreeView::Expand(TTreeNode* ANode)
{
    if (OnExpanded)
        OnExpanded(this, ANode);
}

bool TCustomTreeView::CanCollapse(TTreeNode* ANode)
{
    bool allow = true;
    if (OnCollapsing)
        OnCollapsing(this, ANode, allow);
    return allow;
}

void TCustomTreeView::Collapse(TTreeNode* ANode)
{
    if (OnCollapsed)
        OnCollapsed(this, ANode);
}

void TCustomTreeView::Delete(TTreeNode* ANode)
{
    if (OnDeletion)
        OnDeletion(this, ANode);
}

bool TCustomTreeView::CanEdit(TTreeNode* ANode)
{
    bool allow = true;
    if (OnEditing)
        OnEditing(this, ANode, allow);
    return allow;
}

void TCustomTreeView::Edit(TTreeNode* ANode, const std::string* ANewText)
{
    if (!ANewText)
        return;
    std::string s = *ANewText;
    if (OnEdited)
        OnEdited(this, ANode, s);
    ANode->SetText(s);
}

void TCustomTreeView::GetImageIndex(TTreeNode* ANode)
{
    if (OnGetImageIndex)
        OnGetImageIndex(this, ANode);
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* ANode)
{
    if (OnGetSelectedIndex)
        OnGetSelectedIndex(this, ANode);
}

int TCustomTreeView::AskImageIndex(TTreeNode* ANode)
{
    if (ANode == FSelected)
        GetSelectedIndex(ANode);
    else
        GetImageIndex(ANode);
    return ANode == FSelected && ANode->SelectedIndex >= 0 ? ANode->SelectedIndex : ANode->ImageIndex;
}

// ---- selection

void TCustomTreeView::SetSelected(TTreeNode* ANode)
{
    if (ANode == FSelected)
        return;
    if (ANode && ANode->Owner() != &FNodes)
        return;
    if (!CanChange(ANode))
        return;
    TTreeNode* old = FSelected;
    FSelected = ANode;
    InvalidateNode(old);
    EnsureVisible(ANode);
    InvalidateNode(ANode);
    Change(ANode);
}

void TCustomTreeView::SelectByUser(TTreeNode* ANode)
{
    if (ANode)
        SetSelected(ANode);
}

// ---- keyboard and mouse

void TCustomTreeView::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TCustomControl::KeyDown(AKey, AShift);
    if (AKey == 0)
        return;
    const auto& rows = VisibleNodes();
    int n = int(rows.size());
    int row = FSelected ? RowOf(FSelected) : -1;
    int page = std::max(1, VisibleCount());
    auto to = [&](int ARow) {
        if (n > 0)
            SelectByUser(rows[size_t(std::clamp(ARow, 0, n - 1))]);
    };
    switch (AKey) {
    case VK_UP: to(row < 0 ? 0 : row - 1); break;
    case VK_DOWN: to(row + 1); break;
    case VK_PRIOR: to(row - page); break;
    case VK_NEXT: to(row + page); break;
    case VK_HOME: to(0); break;
    case VK_END: to(n - 1); break;
    case VK_LEFT:
        if (FSelected && FSelected->Expanded())
            ExpandNode(FSelected, false);
        else if (FSelected && FSelected->Parent())
            SelectByUser(FSelected->Parent());
        break;
    case VK_RIGHT:
        if (FSelected && FSelected->HasChildren() && !FSelected->Expanded())
            ExpandNode(FSelected, true);
        else if (FSelected && FSelected->Expanded() && FSelected->GetFirstChild())
            SelectByUser(FSelected->GetFirstChild());
        break;
    case VK_F2:
        if (FSelected)
            BeginEdit(FSelected);
        break;
    default: return;
    }
    AKey = 0;
}

void TCustomTreeView::KeyPress(char16_t& AKey)
{
    TCustomControl::KeyPress(AKey);
    if (AKey <= 32)
        return;
    uint32_t now = GetMessageTime();
    std::string ch = Utf16ToUtf8(std::u16string(1, AKey));
    if (now - FTypeAheadTime > kTypeAheadPause)
        FTypeAhead.clear();
    FTypeAheadTime = now;
    FTypeAhead += ch;
    const auto& rows = VisibleNodes();
    int n = int(rows.size());
    int row = FSelected ? RowOf(FSelected) : -1;
    // A new search starts below the selection; a longer prefix may stay on it.
    int start = FTypeAhead == ch ? row + 1 : std::max(row, 0);
    for (int step = 0; step < n; ++step) {
        TTreeNode* node = rows[size_t((start + step) % n)];
        if (StartsText(FTypeAhead, node->Text())) {
            SelectByUser(node);
            break;
        }
    }
    AKey = 0;
}

void TCustomTreeView::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (CanFocus() && !Focused())
        SetFocus();
    if (AButton == mbLeft && FScrollBars.MouseDown(Point(X, Y), ClientRect())) {
        TCustomControl::MouseDown(AButton, AShift, X, Y);
        return;
    }
    EndEdit(false);
    if (TTreeNode* node = GetNodeAt(X, Y)) {
        int buttonX = NodeX(node) - FIndent / 2;
        bool onButton = FShowButtons && node->HasChildren() && std::abs(X - buttonX) <= FIndent / 2 &&
                        (FShowRoot || node->Parent());
        if (AButton == mbLeft && onButton)
            ExpandNode(node, !node->Expanded());
        else if (AButton == mbLeft || (AButton == mbRight && RightClickSelect))
            SelectByUser(node);
    }
    TCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TCustomTreeView::MouseMove(TShiftState AShift, int X, int Y)
{
    if (FScrollBars.MouseMove(Point(X, Y), ClientRect()))
        return;
    TCustomControl::MouseMove(AShift, X, Y);
}

void TCustomTreeView::WMTimer(TMessage& M)
{
    if (!FScrollBars.Timer(uintptr_t(M.WParam), ClientRect()))
        TCustomControl::WMTimer(M);
}

void TCustomTreeView::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == mbLeft)
        FScrollBars.MouseUp();
    TCustomControl::MouseUp(AButton, AShift, X, Y);
}

void TCustomTreeView::WMLButtonDblClk(TMessage& M)
{
    int x = GET_X_LPARAM(M.LParam), y = GET_Y_LPARAM(M.LParam);
    if (!PtInRect(ViewRect(), Point(x, y))) {
        TCustomControl::WMLButtonDown(M);
        return;
    }
    TCustomControl::WMLButtonDblClk(M);
    if (TTreeNode* node = GetNodeAt(x, y); node && node == FSelected && node->HasChildren())
        ExpandNode(node, !node->Expanded());
}

void TCustomTreeView::WMSetFocus(TMessage& M)
{
    TCustomControl::WMSetFocus(M);
    InvalidateNode(FSelected);
}

void TCustomTreeView::WMKillFocus(TMessage& M)
{
    TCustomControl::WMKillFocus(M);
    InvalidateNode(FSelected);
}

void TCustomTreeView::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case WM_VSCROLL: HandleScroll(SB_VERT, M.WParam); M.Result = 0; return;
    case WM_HSCROLL: HandleScroll(SB_HORZ, M.WParam); M.Result = 0; return;
    case TVM_GETCOUNT: M.Result = FNodes.Count(); return;
    case TVM_GETVISIBLECOUNT: M.Result = VisibleCount(); return;
    case TVM_GETIMAGELIST:
        M.Result = reinterpret_cast<LRESULT>(M.WParam == TVSIL_STATE ? FStateImages : FShownImages);
        return;
    case TVM_SETIMAGELIST: {
        auto* list = reinterpret_cast<TCustomImageList*>(M.LParam);
        M.Result = reinterpret_cast<LRESULT>(M.WParam == TVSIL_STATE ? FStateImages : FShownImages);
        if (M.WParam == TVSIL_STATE) {
            SetStateImages(list);
            return;
        }
        ChangeImageList(FShownImages, list);
        FRowHeight = 0;
        NodesChanged();
        return;
    }
    default: TCustomControl::Dispatch(M);
    }
}

// ---- label editing

void TCustomTreeView::BeginEdit(TTreeNode* ANode)
{
    if (ReadOnly || !ANode || !HandleAllocated())
        return;
    EndEdit(false);
    if (!CanEdit(ANode))
        return;
    EnsureVisible(ANode);
    if (!FEditor) {
        FEditor = new TLabelEditor(this, [this](bool ACancel) { EndEdit(ACancel); });
        FEditor->SetParent(this);
    }
    FEditNode = ANode;
    TRect r = NodeRect(ANode, true);
    int h = FontLineHeight(&FFont) + 4;
    FEditor->SetBounds(r.Left, r.Top + (r.Height() - h) / 2, std::max(r.Width() + 20, 60), h);
    FEditor->SetText(ANode->Text());
    FEditor->SetVisible(true);
    FEditor->SelectAll();
    if (CanFocus())
        FEditor->SetFocus();
}

void TCustomTreeView::EndEdit(bool ACancel)
{
    if (!FEditNode || FEnding || !FEditor)
        return;
    FEnding = true;
    TTreeNode* node = FEditNode;
    std::string text = FEditor->Text();
    FEditNode = nullptr;
    bool hadFocus = FEditor->Focused();
    FEditor->SetVisible(false);
    if (hadFocus && CanFocus())
        SetFocus();
    try {
        Edit(node, ACancel ? nullptr : &text);
    } catch (...) {
        FEnding = false;
        throw;
    }
    FEnding = false;
}

// ---- painting

void TCustomTreeView::Paint()
{
    TCanvas* c = Canvas();
    TRect clip = c->ClipRect();
    TRect client = ClientRect();
    TRect view = ViewRect();
    c->Brush()->SetColor(FColor);
    c->FillRect(IntersectRect(clip, client));
    const auto& rows = VisibleNodes();
    int h = RowHeight();
    int top = FScrollBars.Pos(SB_VERT);
    TRect area = IntersectRect(clip, view);
    if (!area.IsEmpty() && !rows.empty()) {
        int first = top + (area.Top - view.Top) / h;
        int last = std::min(int(rows.size()) - 1, top + (area.Bottom - 1 - view.Top) / h);
        HDC dc = c->Handle();
        int saved = SaveDC(dc);
        IntersectClipRect(dc, view.Left, view.Top, view.Right, view.Bottom);
        for (int i = std::max(0, first); i <= last; ++i) {
            int y = view.Top + (i - top) * h;
            DrawNode(rows[size_t(i)], Rect(view.Left, y, view.Right, y + h));
        }
        RestoreDC(dc, saved);
        c->Refresh();
    }
    FScrollBars.Paint(c, client);
}

void TCustomTreeView::DrawNode(TTreeNode* ANode, const TRect& ARow)
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->SetFont(&FFont);
    unsigned state = 0;
    if (ANode == FSelected)
        state |= cdsSelected | cdsFocused;
    if (!FEnabled)
        state |= cdsDisabled;
    bool paintImages = true, defaultDraw = true;
    if (OnAdvancedCustomDrawItem)
        OnAdvancedCustomDrawItem(this, ANode, state, cdPrePaint, paintImages, defaultDraw);
    if (defaultDraw)
        DrawNodeDefault(ANode, ARow);
}

void TCustomTreeView::DrawNodeDefault(TTreeNode* ANode, const TRect& ARow)
{
    TCanvas* c = Canvas();
    int x = NodeX(ANode);
    int mid = (ARow.Top + ARow.Bottom) / 2;
    c->Pen()->SetColor(clGray);
    auto line = [&](int X1, int Y1, int X2, int Y2) {
        c->MoveTo(X1, Y1);
        c->LineTo(X2, Y2);
    };
    bool hasColumn = FShowRoot || ANode->Parent();
    int cx = x - FIndent / 2;
    if (FShowLines && hasColumn) {
        line(cx, mid, x - 2, mid);
        if (ANode->Parent() || ANode->GetPrevSibling())
            line(cx, ARow.Top, cx, mid);
        if (ANode->GetNextSibling())
            line(cx, mid, cx, ARow.Bottom);
        // Ancestors with siblings below carry their line through this row.
        int ax = cx;
        for (TTreeNode* p = ANode->Parent(); p && (FShowRoot || p->Parent()); p = p->Parent()) {
            ax -= FIndent;
            if (p->GetNextSibling())
                line(ax, ARow.Top, ax, ARow.Bottom);
        }
    }
    if (FShowButtons && hasColumn && ANode->HasChildren()) {
        TRect box = Rect(cx - kButtonHalf, mid - kButtonHalf, cx + kButtonHalf + 1, mid + kButtonHalf + 1);
        c->Brush()->SetColor(FColor);
        c->FillRect(box);
        c->Brush()->SetColor(clGray);
        c->FrameRect(box);
        c->Pen()->SetColor(clWindowText);
        line(cx - 2, mid, cx + 3, mid);
        if (!ANode->Expanded())
            line(cx, mid - 2, cx, mid + 3);
    }
    if (FStateImages) {
        if (ANode->StateIndex >= 0 && ANode->StateIndex < FStateImages->Count())
            FStateImages->Draw(c, x, ARow.Top + (ARow.Height() - FStateImages->Height()) / 2, ANode->StateIndex,
                               FEnabled);
        x += FStateImages->Width();
    }
    if (FShownImages) {
        const int index = AskImageIndex(ANode);
        if (index >= 0 && index < FShownImages->Count())
            FShownImages->Draw(c, x, ARow.Top + (ARow.Height() - FShownImages->Height()) / 2, index, FEnabled);
    }
    TRect text = NodeRect(ANode, true);
    bool focused = Focused();
    bool highlight = ANode == FSelected && (focused || !FHideSelection);
    if (highlight) {
        c->Brush()->SetColor(focused ? clHighlight : clBtnFace);
        c->FillRect(text);
    }
    HDC dc = c->Handle();
    SelectObject(dc, FFont.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(!FEnabled ? clGrayText : highlight && focused ? clHighlightText : FFont.Color()));
    TRect t = Rect(text.Left + 2, text.Top, text.Right, text.Bottom);
    DrawText(dc, ANode->Text(), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (highlight && focused)
        c->DrawFocusRect(text);
}

} // namespace platform
