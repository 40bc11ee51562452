// The application menu: its items and pages, the layout of the item
// column, its scroll bar, selection, and input by mouse, wheel and keys.

#include "skin/form/bsRibbon.h"

#include "skin/core/bsUtils_Text.h"
#include "skin/form/bsSkinForm.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/ui/Input.h"

#include <algorithm>

namespace skin {

using platform::TMessage;

// ---------------------------------------------------------------- pages

TbsAppMenuPage::TbsAppMenuPage(TComponent* AOwner) : TbsAppMenuCustomPage(AOwner)
{
    ControlStyle = (ControlStyle | platform::csAcceptsControls | platform::csNoDesignVisible) & ~platform::csSetCaption;
}

void TbsAppMenuPage::CreateParams(platform::TCreateParams& P)
{
    TbsAppMenuCustomPage::CreateParams(P);
    P.WindowClass.Style &= ~(platform::CS_HREDRAW | platform::CS_VREDRAW);
}

void TbsAppMenuPage::SetDefaultWidth(int AValue)
{
    if (FDefaultWidth == AValue)
        return;
    FDefaultWidth = AValue;
    SetWidth(AValue);
}

void TbsAppMenuPage::SetFirstActiveControl(platform::TWinControl* AValue)
{
    ChangeReference<platform::TWinControl>(this, FFirstActiveControl, AValue);
}

void TbsAppMenuPage::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsAppMenuCustomPage::Notification(AComponent, AOperation);
    if (AOperation == platform::opRemove && AComponent == FFirstActiveControl)
        FFirstActiveControl = nullptr;
}

void TbsAppMenuPage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (Parent() && AppMenu) {
        int l = 0, t = 0, w = 0, h = 0;
        AppMenu->GetPageBounds(l, t, w, h);
        ALeft = l;
        ATop = t;
        AWidth = AWidth > w || FDefaultWidth == 0 ? w : std::min(FDefaultWidth, w);
        AWidth = std::max(AWidth, 100);
        // The page fills the area's height, as a page made by the menu does.
        AHeight = std::max(h, 100);
    }
    TbsAppMenuCustomPage::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TbsAppMenuPage::WMSize(TMessage& M)
{
    TbsAppMenuCustomPage::WMSize(M);
    Invalidate();
}

// ---------------------------------------------------------------- items

TbsAppMenuItem::TbsAppMenuItem(TbsAppMenuItems* AItems, int AIndex)
    : FItems(AItems), FCaption("TbsAppMenuItem" + std::to_string(AIndex))
{
}

int TbsAppMenuItem::Index() const { return FItems->IndexOf(this); }

void TbsAppMenuItem::Changed()
{
    if (FItems)
        FItems->Update();
}

void TbsAppMenuItem::SetPage(TbsAppMenuPage* AValue)
{
    FPage = AValue;
    TbsAppMenu* menu = FItems ? FItems->AppMenu : nullptr;
    if (FPage && menu) {
        FPage->FreeNotification(menu);
        if (FPage->AppMenu)
            FPage->AppMenu->SetActivePage(FPage);
    }
    Changed();
}

void TbsAppMenuItem::SetVisible(bool AValue)
{
    if (FVisible != AValue) {
        FVisible = AValue;
        Changed();
    }
}

void TbsAppMenuItem::SetEnabled(bool AValue)
{
    if (FEnabled != AValue) {
        FEnabled = AValue;
        Changed();
    }
}

void TbsAppMenuItem::SetImageIndex(int AValue)
{
    if (FImageIndex != AValue) {
        FImageIndex = AValue;
        Changed();
    }
}

void TbsAppMenuItem::SetCaption(const std::string& AValue)
{
    if (FCaption != AValue) {
        FCaption = AValue;
        Changed();
    }
}

void TbsAppMenuItem::Assign(const TbsAppMenuItem& ASource)
{
    FPage = ASource.FPage;
    FCaption = ASource.FCaption;
    FImageIndex = ASource.FImageIndex;
    FVisible = ASource.FVisible;
    FEnabled = ASource.FEnabled;
    Changed();
}

TbsAppMenuItem* TbsAppMenuItems::Add()
{
    FItems.push_back(std::make_unique<TbsAppMenuItem>(this, Count()));
    Update();
    return FItems.back().get();
}

void TbsAppMenuItems::Delete(int AIndex)
{
    Items(AIndex);
    FItems.erase(FItems.begin() + AIndex);
    if (AppMenu) {
        // Indexes into the items no longer name the same ones.
        AppMenu->FItemActive = AppMenu->FOldItemActive = -1;
        if (AppMenu->ItemIndex() >= Count())
            AppMenu->SetItemIndex(-1);
    }
    Update();
}

void TbsAppMenuItems::Clear()
{
    while (Count() > 0)
        Delete(Count() - 1);
}

void TbsAppMenuItems::Assign(const TbsAppMenuItems& ASource)
{
    if (&ASource == this)
        return;
    Clear();
    for (const auto& item : ASource.FItems)
        Add()->Assign(*item);
}

void TbsAppMenuItems::Update()
{
    if (!AppMenu)
        return;
    if (AppMenu->Visible())
        AppMenu->UpdateScrollInfo();
    AppMenu->Invalidate();
}

// ---------------------------------------------------------------- the menu

TbsAppMenu::TbsAppMenu(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    ControlStyle |= platform::csAcceptsControls | platform::csNoDesignVisible;
    FItems = std::make_unique<TbsAppMenuItems>(this);
    SetBounds(0, 0, 250, 200);
    SetSkinDataName("appmenu");
    SetTabStop(false);
}

TbsAppMenu::~TbsAppMenu()
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (TbsAppMenuPage* p = FItems->Items(i)->Page()) {
            p->RemoveFreeNotification(this);
            p->AppMenu = nullptr;
        }
    if (FActivePage)
        FActivePage->AppMenu = nullptr;
    FItems->AppMenu = nullptr;
    FItems.reset();
}

void TbsAppMenu::CreateParams(platform::TCreateParams& P)
{
    TbsSkinControl::CreateParams(P);
    P.WindowClass.Style &= ~(platform::CS_HREDRAW | platform::CS_VREDRAW);
}

void TbsAppMenu::Loaded()
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (TbsAppMenuPage* p = FItems->Items(i)->Page()) {
            p->AppMenu = this;
            p->FreeNotification(this);
            p->SetVisible(p == FActivePage);
        }
}

void TbsAppMenu::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsSkinControl::Notification(AComponent, AOperation);
    if (AOperation != platform::opRemove)
        return;
    if (AComponent == FSkinHint)
        FSkinHint = nullptr;
    if (AComponent == FItemImageList)
        FItemImageList = nullptr;
    if (AComponent == FItemPageImageList)
        FItemPageImageList = nullptr;
    if (AComponent == FScrollBar)
        FScrollBar = nullptr;
    if (auto* page = dynamic_cast<TbsAppMenuPage*>(AComponent))
        PageDestroying(page);
}

void TbsAppMenu::PageDestroying(TbsAppMenuPage* APage)
{
    if (APage == FActivePage)
        FActivePage = nullptr;
    for (int i = 0; FItems && i < FItems->Count(); ++i)
        if (FItems->Items(i)->FPage == APage)
            FItems->Items(i)->FPage = nullptr;
    Invalidate();
}

void TbsAppMenu::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    FData = nullptr;
    FDataPicture = FDataBGPicture = FDataPageBGPicture = nullptr;
    if (FIndex == -1 || !FSD)
        return;
    FData = dynamic_cast<TbsDataSkinAppMenu*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!FData)
        return;
    FDataPicture = ActivePicture(*FSD, FData->PictureIndex);
    FDataBGPicture = FData->BGPictureIndex == -1 ? nullptr : ActivePicture(*FSD, FData->BGPictureIndex);
    FDataPageBGPicture = FData->BGPagePictureIndex == -1 ? nullptr : ActivePicture(*FSD, FData->BGPagePictureIndex);
}

// ---------------------------------------------------------------- properties

void TbsAppMenu::SetItemWidth(int AValue)
{
    FItemWidth = std::max(AValue, 100);
    if (FActivePage)
        FActivePage->UpDateSize();
    Invalidate();
}

void TbsAppMenu::SetItems(const TbsAppMenuItems& AValue)
{
    FItems->Assign(AValue);
    Invalidate();
}

void TbsAppMenu::SetSkinHint(TbsSkinHint* Value) { ChangeReference<TbsSkinHint>(this, FSkinHint, Value); }

void TbsAppMenu::SetItemImageList(TCustomImageList* Value)
{
    ChangeReference<TCustomImageList>(this, FItemImageList, Value);
    Invalidate();
}

void TbsAppMenu::SetItemPageImageList(TCustomImageList* Value)
{
    ChangeReference<TCustomImageList>(this, FItemPageImageList, Value);
    Invalidate();
}

void TbsAppMenu::SetItemIndex(int Value)
{
    FItemIndex = Value;
    if (Value >= 0 && Value < FItems->Count()) {
        TbsAppMenuPage* p = FItems->Items(Value)->Page();
        if (p && p != FActivePage)
            SetActivePage(p);
    }
    if (FScrollBar)
        ScrollToItem(Value);
    Invalidate();
}

void TbsAppMenu::SetActivePage(TbsAppMenuPage* Value)
{
    TbsAppMenuPage* old = FActivePage;
    if (old && old != Value) {
        old->SetVisible(false);
        old->FStopScroll = true;
    }
    FActivePage = Value;
    if (Value) {
        Value->FreeNotification(this);
        if (!IsLoading()) {
            Value->AppMenu = this;
            Value->SetVisible(false);
            Value->SetParent(this);
            Value->UpDateSize();
            Value->SetVisible(true);
            Value->BringToFront();
            Value->FStopScroll = !Visible();
            if (Value->CanScroll())
                Value->GetScrollInfo();
            if (Value != old && OnChangePage)
                OnChangePage(this);
        }
    }
    Invalidate();
}

TbsAppMenuPage* TbsAppMenu::CreatePage()
{
    TComponent* form = platform::GetParentForm(this);
    auto* page = new TbsAppMenuPage(form ? static_cast<TComponent*>(form) : Owner());
    page->SetName(MakeUniqueName(page->Owner(), "bsAppMenuPage%d"));
    page->SetParent(this);
    page->AppMenu = this;
    page->UpDateSize();
    SetActivePage(page);
    Invalidate();
    return page;
}

// ---------------------------------------------------------------- caption strip

bool TbsAppMenu::CanDrawAppMenuCaption()
{
    GetSkinData();
    return FData && !FData->CaptionRect.IsEmpty();
}

void TbsAppMenu::DrawAppMenuCaption(TCanvas* Cnvs, const TRect& R)
{
    GetSkinData();
    if (!FData || !FDataPicture)
        return;
    const TRect dst = Rect(R.Left + FData->CaptionLeftOffset, FData->CaptionTopOffset, R.Right + FData->CaptionLeftOffset,
                           R.Bottom);
    Cnvs->CopyRect(dst, FDataPicture->Canvas(), FData->CaptionRect);
}

int TbsAppMenu::GetAppMenuCaptionOffset()
{
    GetSkinData();
    return FData ? FData->CaptionLeftOffset + FItemWidth : FItemWidth;
}

bool TbsAppMenu::CanShowGripper() const
{
    if (!Ribbon || !Ribbon->BSF)
        return false;
    TbsSkinForm* sf = Ribbon->BSF;
    platform::TCustomForm* form = platform::GetParentForm(Ribbon);
    return sf->WindowState() != platform::wsMaximized && form && form->BorderStyle() != platform::bsSingle &&
           !sf->RollUpState();
}

// ---------------------------------------------------------------- layout

void TbsAppMenu::GetPageBounds(int& L, int& T, int& W, int& H)
{
    GetSkinData();
    const int p = FData ? FData->PageOffset : 0;
    L = p + FItemWidth;
    T = 25;
    W = Width() - FItemWidth - p - 25;
    H = Height() - 50;
}

TRect TbsAppMenu::GetActivePageRect() const
{
    return FActivePage ? FActivePage->BoundsRect() : TRect{};
}

void TbsAppMenu::ItemHeights(int& IH, int& PH, bool& ASame) const
{
    if (FData) {
        IH = FData->ItemRect.Height();
        PH = FData->PageItemRect.Height();
        ASame = FData->ItemRect == FData->PageItemRect;
    } else {
        IH = 28;
        PH = 35;
        ASame = false;
    }
}

// Where the item column starts: below the back button when there is one.
int TbsAppMenu::ColumnStart()
{
    FBackButtonRect = TRect{};
    if (!FData || FData->BackButtonRect.IsEmpty())
        return 0;
    const int bw = FData->BackButtonRect.Width(), bh = FData->BackButtonRect.Height();
    FBackButtonRect = CanDrawAppMenuCaption() ? Rect(23, 0, 23 + bw, bh) : Rect(23, 3, 23 + bw, bh + 3);
    return bh + 5;
}

// Walks the visible items down the column from its start shifted up by
// AOffset, placing them when APlace; answers where the column ends.
int TbsAppMenu::WalkColumn(int AOffset, bool APlace)
{
    GetSkinData();
    int ih = 0, ph = 0;
    bool same = false;
    ItemHeights(ih, ph, same);
    int y = ColumnStart() + 7 - AOffset;
    bool first = true, prevPage = false;
    for (int i = 0; i < FItems->Count(); ++i) {
        TbsAppMenuItem* item = FItems->Items(i);
        if (!item->Visible())
            continue;
        const bool page = item->Page() != nullptr;
        if (first && page && !same)
            y = 30 - AOffset;
        else if (!first && page && !prevPage && !same)
            y += 8;
        const int h = page ? ph : ih;
        if (APlace)
            item->ItemRect = page || same ? Rect(0, y, FItemWidth, y + h) : Rect(8, y, FItemWidth - 8, y + h);
        y += h + (page && !same ? 8 : 0);
        first = false;
        prevPage = page;
    }
    return y;
}

void TbsAppMenu::CalcLayout() { WalkColumn(FScrollOffset, true); }

int TbsAppMenu::GetScrollRange()
{
    int h = WalkColumn(0, false);
    // Room below a closing page item.
    if (FItems->Count() > 0 && FItems->Items(FItems->Count() - 1)->Page())
        h += 25;
    return h;
}

// ---------------------------------------------------------------- scrolling

void TbsAppMenu::ApplyScrollRange()
{
    const int max = GetScrollRange() + 1, page = Height();
    if (page < max && !FScrollBar)
        CreateScrollBar();
    else if (page >= max && FScrollBar)
        FreeScrollBar();
    if (FScrollBar) {
        FScrollBar->SetRange(0, max, FScrollOffset, page);
        FScrollBar->SetLargeChange(page);
    }
}

void TbsAppMenu::UpdateScrollInfo() { ApplyScrollRange(); }

void TbsAppMenu::CreateScrollBar()
{
    FScrollBar = new TbsSkinScrollBar(this);
    FScrollBar->SetVisible(false);
    FScrollBar->SetParent(this);
    FScrollBar->SetDefaultHeight(0);
    FScrollBar->SetDefaultWidth(19);
    FScrollBar->SetSmallChange(28);
    FScrollBar->SetLargeChange(28);
    FScrollBar->SetSkinDataName("vscrollbar");
    FScrollBar->SetKind(platform::sbVertical);
    FScrollBar->SetSkinData(SkinData());
    FScrollBar->OnChange = [this](TObject* S) { ScrollBarChange(S); };
    PlaceScrollBar();
    FScrollBar->SetVisible(true);
    Invalidate();
}

void TbsAppMenu::FreeScrollBar()
{
    if (!FScrollBar)
        return;
    TbsSkinScrollBar* bar = FScrollBar;
    FScrollBar = nullptr;
    bar->SetVisible(false);
    delete bar;
    // Everything fits: the column is shown from its top.
    FScrollOffset = 0;
    Invalidate();
}

void TbsAppMenu::PlaceScrollBar()
{
    if (!FScrollBar)
        return;
    const int h = CanShowGripper() ? Height() - 20 : Height();
    FScrollBar->SetBounds(Width() - 19, 0, 19, std::max(0, h));
}

void TbsAppMenu::ScrollBarChange(TObject*)
{
    if (!FScrollBar)
        return;
    FScrollOffset = FScrollBar->Position();
    Invalidate();
}

void TbsAppMenu::ScrollToItem(int AIndex)
{
    if (AIndex < 0 || AIndex >= FItems->Count() || !FScrollBar)
        return;
    const bool last = AIndex == FItems->Count() - 1;
    CalcLayout();
    TRect r = FItems->Items(AIndex)->ItemRect;
    if (FScrollBar->Visible() && (r.Top < 0 || r.Bottom > Height())) {
        if (last)
            FScrollBar->SetPosition(FScrollBar->Max());
        else if (AIndex == 0)
            FScrollBar->SetPosition(FScrollBar->Min());
        else if (r.Top < 0)
            FScrollBar->SetPosition(FScrollBar->Position() + r.Top);
        else
            FScrollBar->SetPosition(FScrollBar->Position() + r.Bottom - Height());
    } else if (FScrollBar->Visible()) {
        if (last && FScrollBar->Position() != FScrollBar->Max())
            FScrollBar->SetPosition(FScrollBar->Max());
        else if (AIndex == 0 && FScrollBar->Position() != FScrollBar->Min())
            FScrollBar->SetPosition(FScrollBar->Min());
    }
    if (!FScrollBar || !FItems->Items(AIndex)->Page())
        return;
    // A page item keeps 30 pixels clear of either edge.
    CalcLayout();
    r = FItems->Items(AIndex)->ItemRect;
    if (r.Top < 30)
        FScrollBar->SetPosition(FScrollBar->Position() - (30 - r.Top));
    else if (r.Bottom > Height() - 30)
        FScrollBar->SetPosition(FScrollBar->Position() + r.Bottom - (Height() - 30));
}

void TbsAppMenu::WMSize(TMessage& M)
{
    TbsSkinControl::WMSize(M);
    if (FActivePage)
        FActivePage->UpDateSize();
    const int h = Height();
    if (h != FOldHeight && FOldHeight != -1) {
        if (FScrollOffset > 0)
            FScrollOffset = std::max(0, FScrollOffset + FOldHeight - h);
        ApplyScrollRange();
    }
    PlaceScrollBar();
    Invalidate();
    FOldHeight = h;
}

// ---------------------------------------------------------------- selection

namespace {

bool Usable(TbsAppMenuItem* AItem) { return AItem->Visible() && AItem->Enabled(); }

} // namespace

void TbsAppMenu::SelectUsable(int AFrom, int AStep)
{
    for (int i = AFrom; i >= 0 && i < FItems->Count(); i += AStep)
        if (Usable(FItems->Items(i))) {
            SetItemIndex(i);
            return;
        }
}

void TbsAppMenu::FindNextItem()
{
    if (FItemIndex != -1 && FItemIndex < FItems->Count() - 1)
        SelectUsable(FItemIndex + 1, 1);
}

void TbsAppMenu::FindPriorItem()
{
    if (FItemIndex > 0)
        SelectUsable(std::min(FItemIndex, FItems->Count()) - 1, -1);
}

void TbsAppMenu::FindFirstItem() { SelectUsable(0, 1); }
void TbsAppMenu::FindLastItem() { SelectUsable(FItems->Count() - 1, -1); }

// ---------------------------------------------------------------- input

void TbsAppMenu::UpdateHotState(int X, int Y)
{
    if (FItems->Count() == 0)
        return;
    FOldItemActive = FItemActive;
    FItemActive = -1;
    const bool inBack = platform::PtInRect(FBackButtonRect, Point(X, Y));
    if (inBack != FBackButtonActive) {
        FBackButtonActive = inBack;
        Invalidate();
    }
    for (int i = 0; i < FItems->Count(); ++i) {
        TbsAppMenuItem* item = FItems->Items(i);
        if (Usable(item) && platform::PtInRect(item->ItemRect, Point(X, Y))) {
            FItemActive = i;
            break;
        }
    }
    if (FItemActive != FOldItemActive) {
        if (FOldItemActive >= 0 && FOldItemActive < FItems->Count())
            FItems->Items(FOldItemActive)->Active = false;
        if (FItemActive >= 0)
            FItems->Items(FItemActive)->Active = true;
        Invalidate();
    }
}

void TbsAppMenu::CMMouseLeave(TMessage& M)
{
    TbsSkinControl::CMMouseLeave(M);
    UpdateHotState(-1, -1);
}

void TbsAppMenu::MouseMove(platform::TShiftState AShift, int X, int Y)
{
    TbsSkinControl::MouseMove(AShift, X, Y);
    UpdateHotState(X, Y);
}

void TbsAppMenu::MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    TbsSkinControl::MouseDown(AButton, AShift, X, Y);
    if (AButton != platform::mbLeft)
        return;
    UpdateHotState(X, Y);
    if (FItemActive != FItemIndex)
        SetItemIndex(FItemActive);
    if (!Focused() && CanFocus())
        SetFocus();
}

void TbsAppMenu::MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    TbsSkinControl::MouseUp(AButton, AShift, X, Y);
    if (AButton != platform::mbLeft)
        return;
    UpdateHotState(X, Y);
    if (!Ribbon)
        return;
    if (FBackButtonActive) {
        Ribbon->HideAppMenu(nullptr);
        return;
    }
    if (FItemIndex >= 0 && FItemIndex < FItems->Count() && FItemIndex == FItemActive) {
        TbsAppMenuItem* item = FItems->Items(FItemIndex);
        if (!item->Page())
            Ribbon->HideAppMenu(item);
    }
}

void TbsAppMenu::KeyDown(uint16_t& AKey, platform::TShiftState AShift)
{
    TbsSkinControl::KeyDown(AKey, AShift);
    switch (AKey) {
    case platform::VK_RETURN:
    case platform::VK_SPACE:
    case platform::VK_TAB: {
        if (FItemIndex < 0 || FItemIndex >= FItems->Count())
            break;
        TbsAppMenuItem* item = FItems->Items(FItemIndex);
        if (!item->Page()) {
            if (!Ribbon)
                break;
            if (AKey == platform::VK_TAB)
                FindNextItem();
            else
                Ribbon->HideAppMenu(item);
            break;
        }
        platform::TWinControl* first = item->Page()->FirstActiveControl();
        if (first && first->Parent() == item->Page() && first->Visible() && first->Enabled()) {
            if (first->CanFocus())
                first->SetFocus();
        } else if (AKey == platform::VK_TAB) {
            FindNextItem();
        }
        break;
    }
    case platform::VK_NEXT: FindLastItem(); break;
    case platform::VK_PRIOR: FindFirstItem(); break;
    case platform::VK_LEFT:
    case platform::VK_UP: FindPriorItem(); break;
    case platform::VK_RIGHT:
    case platform::VK_DOWN: FindNextItem(); break;
    default: break;
    }
}

void TbsAppMenu::WMMouseWheel(TMessage& M)
{
    if (!Focused())
        return;
    const TPoint p = Point(platform::GET_X_LPARAM(M.LParam), platform::GET_Y_LPARAM(M.LParam));
    if (platform::WindowFromPoint(p) != Handle())
        return;
    if (int16_t(M.WParam >> 16) < 0)
        FindNextItem();
    else
        FindPriorItem();
}

void TbsAppMenu::WMSetFocus(TMessage& M)
{
    TbsSkinControl::WMSetFocus(M);
    Invalidate();
}

void TbsAppMenu::WMKillFocus(TMessage& M)
{
    TbsSkinControl::WMKillFocus(M);
    Invalidate();
}

void TbsAppMenu::WMNCHitTest(TMessage& M)
{
    const TPoint p = ScreenToClient(Point(platform::GET_X_LPARAM(M.LParam), platform::GET_Y_LPARAM(M.LParam)));
    if (CanShowGripper() && p.X >= Width() - 10 && p.X <= Width() && p.Y >= Height() - 10 && p.Y <= Height()) {
        M.Result = platform::HTBOTTOMRIGHT;
        return;
    }
    TbsSkinControl::WMNCHitTest(M);
}

void TbsAppMenu::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case platform::WM_ERASEBKGND:
        M.Result = 1;
        return;
    case platform::WM_NCLBUTTONDOWN:
        // The gripper sizes the form the menu covers, not the menu itself.
        if (M.WParam == platform::WPARAM(platform::HTBOTTOMRIGHT)) {
            if (platform::TCustomForm* form = platform::GetParentForm(this))
                platform::SendMessage(form->Handle(), platform::WM_SYSCOMMAND,
                                      platform::SC_SIZE + platform::WPARAM(platform::HTBOTTOMRIGHT - platform::HTLEFT + 1),
                                      M.LParam);
            M.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    TbsSkinControl::Dispatch(M);
}

} // namespace skin
