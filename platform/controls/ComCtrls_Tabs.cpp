// The tab control, the page control with its sheets and the tab scroller.
#include "platform/controls/ComCtrls_Tabs.h"

#include <algorithm>

namespace platform {

namespace {
constexpr int kTabPadding = 6;    // text inset at either end of a tab
constexpr int kPageMargin = 4;    // page inside the frame
constexpr int kStripMargin = 2;   // room above the tabs for the raised selected one
} // namespace

// ---- TUpDown

TUpDown::TUpDown(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 32;
    FHeight = 16;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
}

void TUpDown::CreateParams(TCreateParams& P)
{
    TCustomControl::CreateParams(P);
    P.WinClassName = "msctls_updown32";
}

void TUpDown::SetPosition(int AValue)
{
    AValue = std::clamp(AValue, Min, std::max(Min, Max));
    if (AValue == FPosition)
        return;
    FPosition = AValue;
    if (OnChangingPosition)
        OnChangingPosition(this);
}

void TUpDown::Paint()
{
    TCanvas* c = Canvas();
    for (int half = 0; half < 2; ++half) {
        TRect r = half == 0 ? Rect(0, 0, FWidth / 2, FHeight) : Rect(FWidth / 2, 0, FWidth, FHeight);
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(r);
        TRect f = r;
        bool down = FPressed == half;
        Frame3D(c, f, down ? clBtnShadow : clBtnHighlight, down ? clBtnHighlight : clBtnShadow, 1);
        int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        bool enabled = half == 0 ? FPosition > Min : FPosition < Max;
        c->Pen()->SetColor(enabled ? clBtnText : clGrayText);
        c->Brush()->SetColor(enabled ? clBtnText : clGrayText);
        if (half == 0)
            c->Polygon({Point(cx + 2, cy - 4), Point(cx + 2, cy + 4), Point(cx - 2, cy)});
        else
            c->Polygon({Point(cx - 2, cy - 4), Point(cx - 2, cy + 4), Point(cx + 2, cy)});
    }
}

void TUpDown::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TCustomControl::MouseDown(AButton, AShift, X, Y);
    if (AButton != mbLeft)
        return;
    FPressed = X < FWidth / 2 ? 0 : 1;
    int before = FPosition;
    SetPosition(FPosition + (FPressed == 0 ? -1 : 1));
    Invalidate();
    if (FPosition != before && FParent && FParent->HandleAllocated())
        SendMessage(FParent->Handle(), WM_HSCROLL, WPARAM(MAKELPARAM(SB_THUMBPOSITION, FPosition)),
                    reinterpret_cast<LPARAM>(Handle()));
}

void TUpDown::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TCustomControl::MouseUp(AButton, AShift, X, Y);
    FPressed = -1;
    Invalidate();
}

// ---- TCustomTabControl

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 289;
    FHeight = 193;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
    FTabStop = true;
    ControlStyle |= csAcceptsControls;
    FTabs.OnChange = [this](TObject*) { TabsChanged(); };
}

void TCustomTabControl::CreateParams(TCreateParams& P)
{
    TCustomControl::CreateParams(P);
    P.Style |= WS_CLIPCHILDREN;
    P.WinClassName = "SysTabControl32";
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation AOperation)
{
    TCustomControl::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FImages)
        FImages = nullptr;
    if (AComponent == FScroller)
        FScroller = nullptr;
}

int TCustomTabControl::TabCount() { return FTabs.Count(); }
std::string TCustomTabControl::TabCaption(int AIndex) { return FTabs[AIndex]; }

int TCustomTabControl::TabImageIndex(int AIndex)
{
    int index = AIndex;
    if (OnGetImageIndex)
        OnGetImageIndex(this, AIndex, index);
    return index;
}

void TCustomTabControl::TabsChanged()
{
    int n = TabCount();
    if (FTabIndex >= n)
        FTabIndex = n - 1;
    FFirstTab = std::clamp(FFirstTab, 0, std::max(0, n - 1));
    UpdateScroller();
    Realign();
    Invalidate();
}

void TCustomTabControl::SetTabIndex(int AValue)
{
    if (AValue < -1 || AValue >= TabCount())
        return;
    if (AValue == FTabIndex)
        return;
    FTabIndex = AValue;
    TabIndexChanged();
    Invalidate();
}

#define TAB_SETTER(Name, Type, Field)              \
    void TCustomTabControl::Set##Name(Type AValue) \
    {                                              \
        if (AValue == Field)                       \
            return;                                \
        Field = AValue;                            \
        TabsChanged();                             \
    }
TAB_SETTER(TabPosition, TTabPosition, FTabPosition)
TAB_SETTER(Style, TTabStyle, FStyle)
TAB_SETTER(MultiLine, bool, FMultiLine)
#undef TAB_SETTER

// The properties ask for a size; TCM_SETITEMSIZE alone changes the size the
// tabs have without touching them.
void TCustomTabControl::SetTabHeight(int AValue)
{
    FTabHeight = std::max(0, AValue);
    SetTabSize(FTabWidth, FTabHeight);
}

void TCustomTabControl::SetTabWidth(int AValue)
{
    FTabWidth = std::max(0, AValue);
    SetTabSize(FTabWidth, FTabHeight);
}

void TCustomTabControl::SetTabSize(int AWidth, int AHeight)
{
    Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(std::max(0, AWidth), std::max(0, AHeight)));
}

void TCustomTabControl::SetImages(TCustomImageList* AValue)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = AValue;
    if (AValue)
        AValue->FreeNotification(this);
    TabsChanged();
}

int TCustomTabControl::RowThickness()
{
    if (FItemHeight > 0)
        return FItemHeight;
    int h = FontLineHeight(&FFont) + 6;
    if (FImages)
        h = std::max(h, FImages->Height() + 4);
    return h;
}

int TCustomTabControl::TabExtent(int AIndex)
{
    if (FItemWidth > 0)
        return FItemWidth;
    int w = FontTextExtent(&FFont, StripHotkey(TabCaption(AIndex))).cx + 2 * kTabPadding;
    if (FImages)
        w += FImages->Width() + 3;
    return w;
}

// Tabs run along one side: left to right above or below the page, top to
// bottom beside it. Tabs before the first one shown end at 0 or before.
TRect TCustomTabControl::PlatformTabRect(int AIndex)
{
    int n = TabCount();
    if (AIndex < 0 || AIndex >= n)
        return TRect{};
    bool vertical = FTabPosition == tpLeft || FTabPosition == tpRight;
    int along = vertical ? FHeight : FWidth;
    int thick = RowThickness();
    int row = 0, at = kStripMargin;
    if (FMultiLine) {
        for (int i = 0; i < AIndex; ++i) {
            int e = TabExtent(i);
            if (at + e > along - kStripMargin && at > kStripMargin) {
                ++row;
                at = kStripMargin;
            }
            at += e;
        }
        if (at + TabExtent(AIndex) > along - kStripMargin && at > kStripMargin) {
            ++row;
            at = kStripMargin;
        }
    } else {
        for (int i = 0; i < AIndex; ++i)
            at += TabExtent(i);
        for (int i = 0; i < FFirstTab; ++i)
            at -= TabExtent(i);
        if (FFirstTab > 0)
            at -= kStripMargin;
    }
    int e = TabExtent(AIndex);
    int across = kStripMargin + row * thick;
    switch (FTabPosition) {
    case tpTop: return Rect(at, across, at + e, across + thick);
    case tpBottom: return Rect(at, FHeight - across - thick, at + e, FHeight - across);
    case tpLeft: return Rect(across, at, across + thick, at + e);
    default: return Rect(FWidth - across - thick, at, FWidth - across, at + e);
    }
}

TRect TCustomTabControl::PlatformDisplayRect(const TRect& AClient)
{
    int rows = 1;
    int n = TabCount();
    if (FMultiLine && n > 0) {
        TRect last = PlatformTabRect(n - 1);
        bool vertical = FTabPosition == tpLeft || FTabPosition == tpRight;
        int across = vertical ? (FTabPosition == tpLeft ? last.Left : FWidth - last.Right) : (FTabPosition == tpTop ? last.Top : FHeight - last.Bottom);
        rows = (across - kStripMargin) / std::max(1, RowThickness()) + 1;
    }
    int strip = n > 0 ? kStripMargin + rows * RowThickness() : 0;
    TRect r = AClient;
    r.Left += kPageMargin;
    r.Top += kPageMargin;
    r.Right -= kPageMargin;
    r.Bottom -= kPageMargin;
    switch (FTabPosition) {
    case tpTop: r.Top += strip; break;
    case tpBottom: r.Bottom -= strip; break;
    case tpLeft: r.Left += strip; break;
    case tpRight: r.Right -= strip; break;
    }
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    return r;
}

TRect TCustomTabControl::TabRect(int AIndex)
{
    TRect r;
    if (!Perform(TCM_GETITEMRECT, WPARAM(AIndex), reinterpret_cast<LPARAM>(&r)))
        return TRect{};
    return r;
}

TRect TCustomTabControl::DisplayRect()
{
    TRect r = Rect(0, 0, FWidth, FHeight);
    Perform(TCM_ADJUSTRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomTabControl::AdjustClientRect(TRect& ARect) { ARect = DisplayRect(); }

int TCustomTabControl::IndexOfTabAt(int X, int Y)
{
    for (int i = 0; i < TabCount(); ++i)
        if (PtInRect(TabRect(i), Point(X, Y)))
            return i;
    return -1;
}

void TCustomTabControl::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case TCM_GETITEMRECT:
        if (auto* r = reinterpret_cast<TRect*>(M.LParam); r && int(M.WParam) >= 0 && int(M.WParam) < TabCount()) {
            *r = PlatformTabRect(int(M.WParam));
            M.Result = 1;
        } else {
            M.Result = 0;
        }
        return;
    case TCM_ADJUSTRECT:
        if (auto* r = reinterpret_cast<TRect*>(M.LParam))
            *r = PlatformDisplayRect(*r);
        M.Result = 0;
        return;
    case TCM_GETCURSEL: M.Result = FTabIndex; return;
    case TCM_SETCURSEL: {
        int old = FTabIndex;
        SetTabIndex(int(intptr_t(M.WParam)));
        M.Result = old;
        return;
    }
    case TCM_SETITEMSIZE: {
        int oldW = FItemWidth, oldH = FItemHeight;
        FItemWidth = LOWORD(M.LParam);
        FItemHeight = HIWORD(M.LParam);
        M.Result = MAKELPARAM(oldW, oldH);
        TabsChanged();
        return;
    }
    case WM_HSCROLL:
        if (LOWORD(M.WParam) == SB_THUMBPOSITION) {
            FFirstTab = std::clamp(int(HIWORD(M.WParam)), 0, std::max(0, TabCount() - 1));
            Invalidate();
        }
        M.Result = 0;
        return;
    default: TCustomControl::Dispatch(M);
    }
}

void TCustomTabControl::UpdateScroller()
{
    int n = TabCount();
    int hidden = 0;
    if (!FMultiLine && (FTabPosition == tpTop || FTabPosition == tpBottom))
        for (int i = 0; i < n; ++i) {
            TRect r = PlatformTabRect(i);
            hidden += r.Right > FWidth - 3 || r.Right <= 0;
        }
    if (hidden == 0 && FFirstTab == 0) {
        if (FScroller)
            FScroller->SetVisible(false);
        return;
    }
    if (!FScroller) {
        FScroller = new TUpDown(this);
        FScroller->SetParent(this);
    }
    FScroller->Min = 0;
    FScroller->Max = std::max(0, n - 1);
    FScroller->SetPosition(FFirstTab);
    int h = RowThickness();
    FScroller->SetBounds(FWidth - 2 * h, FTabPosition == tpTop ? 0 : FHeight - h, 2 * h, h);
    FScroller->SetVisible(true);
}

void TCustomTabControl::Resize()
{
    TCustomControl::Resize();
    UpdateScroller();
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomTabControl::SelectTabByUser(int AIndex)
{
    if (AIndex < 0 || AIndex >= TabCount() || AIndex == FTabIndex)
        return;
    if (!CanChange())
        return;
    SetTabIndex(AIndex);
    Change();
}

void TCustomTabControl::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == mbLeft) {
        int i = IndexOfTabAt(X, Y);
        if (i >= 0) {
            if (CanFocus() && !Focused())
                SetFocus();
            SelectTabByUser(i);
        }
    }
    TCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TCustomTabControl::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TCustomControl::KeyDown(AKey, AShift);
    int n = TabCount();
    if (n == 0)
        return;
    if (AKey == VK_LEFT || AKey == VK_UP)
        SelectTabByUser(std::max(0, FTabIndex - 1));
    else if (AKey == VK_RIGHT || AKey == VK_DOWN)
        SelectTabByUser(std::min(n - 1, FTabIndex + 1));
    else if (AKey == VK_TAB && (AShift & ssCtrl))
        SelectTabByUser((FTabIndex + ((AShift & ssShift) ? n - 1 : 1)) % n);
    else
        return;
    AKey = 0;
}

void TCustomTabControl::DrawTab(int AIndex, const TRect& ARect, bool AActive)
{
    if (OwnerDraw && OnDrawTab) {
        OnDrawTab(this, AIndex, ARect, AActive);
        return;
    }
    TCanvas* c = Canvas();
    TRect r = ARect;
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    if (FStyle == tsTabs || AActive)
        Frame3D(c, r, AActive && FStyle != tsTabs ? clBtnShadow : clBtnHighlight, AActive && FStyle != tsTabs ? clBtnHighlight : clBtnShadow, 1);
    TRect t = Rect(ARect.Left + kTabPadding, ARect.Top, ARect.Right - kTabPadding, ARect.Bottom);
    int image = FImages ? TabImageIndex(AIndex) : -1;
    if (image >= 0 && image < FImages->Count()) {
        FImages->Draw(c, t.Left, (t.Top + t.Bottom - FImages->Height()) / 2, image, FEnabled);
        t.Left += FImages->Width() + 3;
    }
    HDC dc = c->Handle();
    SelectObject(dc, FFont.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(FEnabled ? FFont.Color() : clGrayText));
    DrawText(dc, TabCaption(AIndex), &t, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
    if (AActive && Focused())
        c->DrawFocusRect(Rect(ARect.Left + 3, ARect.Top + 3, ARect.Right - 3, ARect.Bottom - 3));
}

void TCustomTabControl::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetColor(FColor);
    c->FillRect(ClientRect());
    if (FStyle == tsTabs) {
        TRect frame = DisplayRect();
        frame = Rect(frame.Left - kPageMargin + 2, frame.Top - kPageMargin + 2, frame.Right + kPageMargin - 2, frame.Bottom + kPageMargin - 2);
        Frame3D(c, frame, clBtnHighlight, clBtnShadow, 1);
    }
    for (int i = 0; i < TabCount(); ++i) {
        if (i == FTabIndex)
            continue;
        TRect r = TabRect(i);
        if (r.Right > 0)
            DrawTab(i, r, false);
    }
    // The selected tab stands out over the frame.
    if (FTabIndex >= 0) {
        TRect r = TabRect(FTabIndex);
        if (FStyle == tsTabs)
            r = Rect(r.Left - 2, r.Top - (FTabPosition == tpTop ? 2 : 0), r.Right + 2, r.Bottom + (FTabPosition == tpBottom ? 2 : 0) + (FTabPosition == tpTop ? 1 : 0));
        DrawTab(FTabIndex, r, true);
    }
}

// ---- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner)
{
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
    ControlStyle |= csAcceptsControls;
    FAlign = alClient;
    FVisible = false;
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* AValue)
{
    if (AValue == FPageControl)
        return;
    if (FPageControl)
        FPageControl->RemovePage(this);
    FPageControl = AValue;
    if (AValue) {
        SetParent(AValue);
        AValue->InsertPage(this);
    }
}

void TTabSheet::SetTabVisible(bool AValue)
{
    if (AValue == FTabVisible)
        return;
    FTabVisible = AValue;
    if (FPageControl)
        FPageControl->PagesChanged();
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    auto& pages = FPageControl->FPages;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int AValue)
{
    if (!FPageControl)
        return;
    auto& pages = FPageControl->FPages;
    pages.erase(std::find(pages.begin(), pages.end(), this));
    pages.insert(pages.begin() + std::clamp(AValue, 0, int(pages.size())), this);
    FPageControl->PagesChanged();
}

int TTabSheet::TabIndex() const
{
    if (!FPageControl || !FTabVisible)
        return -1;
    int i = 0;
    for (TTabSheet* p : FPageControl->FPages) {
        if (p == this)
            return i;
        i += p->FTabVisible;
    }
    return -1;
}

void TTabSheet::SetImageIndex(int AValue)
{
    FImageIndex = AValue;
    if (FPageControl)
        FPageControl->Invalidate();
}

void TTabSheet::CMTextChanged(TMessage& M)
{
    TCustomControl::CMTextChanged(M);
    if (FPageControl)
        FPageControl->PagesChanged();
}

void TTabSheet::Paint()
{
    Canvas()->Brush()->SetColor(FColor);
    Canvas()->FillRect(ClientRect());
}

// ---- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl()
{
    for (TTabSheet* p : FPages)
        p->FPageControl = nullptr;
}

TTabSheet* TPageControl::Pages(int AIndex) const
{
    if (AIndex < 0 || AIndex >= PageCount())
        throw EListError("List index out of bounds (" + std::to_string(AIndex) + ")");
    return FPages[size_t(AIndex)];
}

int TPageControl::TabCount()
{
    return int(std::count_if(FPages.begin(), FPages.end(), [](TTabSheet* p) { return p->FTabVisible; }));
}

TTabSheet* TPageControl::PageOfTab(int ATab)
{
    int i = 0;
    for (TTabSheet* p : FPages)
        if (p->FTabVisible && i++ == ATab)
            return p;
    return nullptr;
}

std::string TPageControl::TabCaption(int AIndex)
{
    TTabSheet* p = PageOfTab(AIndex);
    return p ? p->Caption() : std::string();
}

int TPageControl::TabImageIndex(int AIndex)
{
    TTabSheet* p = PageOfTab(AIndex);
    int index = p ? p->ImageIndex() : -1;
    if (OnGetImageIndex)
        OnGetImageIndex(this, AIndex, index);
    return index;
}

void TPageControl::InsertPage(TTabSheet* APage)
{
    FPages.push_back(APage);
    if (!FActivePage)
        SetActivePage(APage);
    PagesChanged();
}

void TPageControl::RemovePage(TTabSheet* APage)
{
    auto it = std::find(FPages.begin(), FPages.end(), APage);
    if (it == FPages.end())
        return;
    if (FActivePage == APage) {
        TTabSheet* next = FindNextPage(APage, true, false);
        FActivePage = nullptr;
        FPages.erase(it);
        SetActivePage(next == APage ? nullptr : next);
    } else {
        FPages.erase(it);
    }
    PagesChanged();
}

void TPageControl::PagesChanged()
{
    // The tab index follows the active page, whose tab may have moved or gone.
    FTabIndex = FActivePage ? FActivePage->TabIndex() : -1;
    TabsChanged();
}

void TPageControl::SetActivePage(TTabSheet* AValue)
{
    if (AValue && AValue->FPageControl != this)
        return;
    if (AValue == FActivePage)
        return;
    TTabSheet* old = FActivePage;
    FActivePage = AValue;
    if (AValue) {
        AValue->BringToFront();
        AValue->SetVisible(true);
    }
    if (old)
        old->SetVisible(false);
    FTabIndex = AValue ? AValue->TabIndex() : -1;
    Invalidate();
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int AValue)
{
    SetActivePage(AValue >= 0 && AValue < PageCount() ? FPages[size_t(AValue)] : nullptr);
}

void TPageControl::TabIndexChanged()
{
    TTabSheet* p = PageOfTab(FTabIndex);
    if (p != FActivePage)
        SetActivePage(p);
}

void TPageControl::Change()
{
    TCustomTabControl::Change();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* ACurrent, bool AGoForward, bool ACheckTabVisible)
{
    int n = PageCount();
    if (n == 0)
        return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), ACurrent);
    int start = it == FPages.end() ? (AGoForward ? n - 1 : 0) : int(it - FPages.begin());
    int i = start;
    do {
        i = (i + (AGoForward ? 1 : n - 1)) % n;
        if (!ACheckTabVisible || FPages[size_t(i)]->FTabVisible)
            return FPages[size_t(i)];
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool AGoForward, bool ACheckTabVisible)
{
    TTabSheet* next = FindNextPage(FActivePage, AGoForward, ACheckTabVisible);
    if (!next || next == FActivePage || !CanChange())
        return;
    SetActivePage(next);
    Change();
}

} // namespace platform
