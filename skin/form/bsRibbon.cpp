#include "skin/form/bsRibbon.h"

#include "skin/core/bsUtils_Text.h"
#include "skin/form/bsSkinForm.h"

#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"

#include <algorithm>
#include <cmath>

namespace skin {

using platform::TMessage;

std::string MakeUniqueName(TComponent* AForm, const std::string& APattern)
{
    for (int n = 1;; ++n) {
        std::string name = APattern;
        const size_t at = name.find("%d");
        if (at != std::string::npos)
            name.replace(at, 2, std::to_string(n));
        if (!AForm || !AForm->FindComponent(name))
            return name;
    }
}

// ---------------------------------------------------------------- pages and tabs

TbsRibbonPage::TbsRibbonPage(TComponent* AOwner) : TbsRibbonCustomPage(AOwner)
{
    ControlStyle = (ControlStyle | platform::csAcceptsControls | platform::csNoDesignVisible) & ~platform::csSetCaption;
    SetAnchors(platform::AnchorBit(platform::akLeft) | platform::AnchorBit(platform::akTop) |
               platform::AnchorBit(platform::akRight) | platform::AnchorBit(platform::akBottom));
}

void TbsRibbonPage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (Parent() && Ribbon)
        Ribbon->GetPageBounds(ALeft, ATop, AWidth, AHeight);
    TbsRibbonCustomPage::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TbsRibbonPage::CMTextChanged(TMessage& M)
{
    TbsRibbonCustomPage::CMTextChanged(M);
    if (Ribbon)
        Ribbon->Invalidate();
}

void TbsRibbonTab::SetPage(TbsRibbonPage* AValue)
{
    FPage = AValue;
    if (FPage && FTabs->Ribbon) {
        FPage->FreeNotification(FTabs->Ribbon);
        if (FPage->Ribbon)
            FTabs->Ribbon->SetTabIndex(Index());
    }
}

void TbsRibbonTab::SetVisible(bool AValue)
{
    if (FVisible == AValue)
        return;
    FVisible = AValue;
    if (FTabs->Ribbon)
        FTabs->Ribbon->TabVisibleChanged(this, AValue);
}

int TbsRibbonTab::Index() const { return FTabs->IndexOf(this); }

TbsRibbonTab* TbsRibbonTabs::Add() { return Insert(Count()); }

TbsRibbonTab* TbsRibbonTabs::Insert(int AIndex)
{
    AIndex = std::clamp(AIndex, 0, Count());
    FItems.insert(FItems.begin() + AIndex, std::make_unique<TbsRibbonTab>(this));
    TbsRibbonTab* tab = FItems[size_t(AIndex)].get();
    // The selected tab keeps its selection when a tab comes before it.
    if (Ribbon && Ribbon->FTabIndex >= AIndex && Ribbon->FTabIndex != -1 && Count() > 1)
        ++Ribbon->FTabIndex;
    if (Ribbon && !Ribbon->IsLoading() && !Ribbon->IsDesigning())
        CreateTabPage(tab);
    return tab;
}

void TbsRibbonTabs::CreateTabPage(TbsRibbonTab* ATab)
{
    TbsRibbon* r = Ribbon;
    TComponent* form = platform::GetParentForm(r);
    auto* page = new TbsRibbonPage(form ? static_cast<TComponent*>(form) : r->Owner());
    page->Ribbon = r;
    page->SetName(MakeUniqueName(page->Owner(), "bsRibbonPage%d"));
    page->SetParent(r);
    page->SetBounds(0, 0, 0, 0);
    page->SetCaption(page->Name());
    page->SetVisible(false);
    ATab->FPage = page;
    page->FreeNotification(r);
    r->FStopCheckTabIndex = true;
    r->SetTabIndex(IndexOf(ATab));
    r->FStopCheckTabIndex = false;
    r->Invalidate();
}

void TbsRibbonTabs::Delete(int AIndex)
{
    TbsRibbonTab* tab = Items(AIndex);
    if (TbsRibbonPage* page = tab->FPage) {
        tab->FPage = nullptr;
        delete page;
    }
    FItems.erase(FItems.begin() + AIndex);
    if (!Ribbon)
        return;
    // The selection follows the tabs: a tab removed before the selected one
    // keeps the same tab selected; the selected tab removed passes the
    // selection to the tab now at its place, so a hidden page is never the
    // one the ribbon believes selected.
    int& sel = Ribbon->FTabIndex;
    if (sel > AIndex) {
        --sel;
    } else if (sel == AIndex) {
        sel = -1;
        if (Count() > 0) {
            Ribbon->FStopCheckTabIndex = true;
            Ribbon->SetTabIndex(std::min(AIndex, Count() - 1));
            Ribbon->FStopCheckTabIndex = false;
        }
    }
    Ribbon->FTabActive = Ribbon->FOldTabActive = -1;
    Ribbon->Invalidate();
}

void TbsRibbonTabs::Clear()
{
    while (Count() > 0)
        Delete(Count() - 1);
}

void TbsRibbonTabs::Assign(const TbsRibbonTabs& ASource)
{
    if (&ASource == this)
        return;
    FItems.clear();
    for (const auto& t : ASource.FItems) {
        FItems.push_back(std::make_unique<TbsRibbonTab>(this));
        FItems.back()->FPage = t->FPage;
        FItems.back()->FVisible = t->FVisible;
    }
}

// ---------------------------------------------------------------- caption buttons

void TbsRibbonButtonItem::Changed()
{
    if (FItems)
        FItems->Update();
}

void TbsRibbonButtonItem::SetImageIndex(int AValue)
{
    FImageIndex = AValue;
    Changed();
}

void TbsRibbonButtonItem::SetEnabled(bool AValue)
{
    FEnabled = AValue;
    Changed();
}

void TbsRibbonButtonItem::SetVisible(bool AValue)
{
    FVisible = AValue;
    Changed();
}

void TbsRibbonButtonItem::Assign(const TbsRibbonButtonItem& ASource)
{
    FImageIndex = ASource.FImageIndex;
    Hint = ASource.Hint;
    FEnabled = ASource.FEnabled;
    FVisible = ASource.FVisible;
    Changed();
}

TbsRibbonButtonItem* TbsRibbonButtonItems::Add()
{
    FItems.push_back(std::make_unique<TbsRibbonButtonItem>(this));
    Update();
    return FItems.back().get();
}

void TbsRibbonButtonItems::Delete(int AIndex)
{
    Items(AIndex);
    FItems.erase(FItems.begin() + AIndex);
    if (Ribbon) {
        // Indexes into the buttons no longer name the same ones.
        Ribbon->FActiveButton = Ribbon->FOldActiveButton = Ribbon->FMouseCaptureButton = -1;
        Ribbon->FMDIActiveButton = Ribbon->FMDIOldActiveButton = Ribbon->FMouseCaptureMDIButton = -1;
        Ribbon->FPopupButton = -1;
    }
    Update();
}

void TbsRibbonButtonItems::Clear()
{
    while (Count() > 0)
        Delete(Count() - 1);
}

void TbsRibbonButtonItems::Assign(const TbsRibbonButtonItems& ASource)
{
    if (&ASource == this)
        return;
    Clear();
    for (const auto& b : ASource.FItems)
        Add()->Assign(*b);
}

void TbsRibbonButtonItems::Update()
{
    if (Ribbon && !Ribbon->IsLoading())
        Ribbon->Invalidate();
}

// ---------------------------------------------------------------- the ribbon

TbsRibbon::TbsRibbon(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    ControlStyle |= platform::csAcceptsControls;
    CreateAppButton();
    FButtons = std::make_unique<TbsRibbonButtonItems>(this);
    FMDIButtons = std::make_unique<TbsRibbonButtonItems>(this);
    FTabs = std::make_unique<TbsRibbonTabs>(this);
    SetHeight(115);
    SetAlign(platform::alTop);
    SetSkinDataName("officetab");
}

TbsRibbon::~TbsRibbon()
{
    FAppHook.Unhook();
    if (FAppMenu && FAppMenu->Ribbon == this)
        FAppMenu->Ribbon = nullptr;
    // The pages belong to the form; the tabs only point at them.
    for (int i = 0; i < FTabs->Count(); ++i)
        if (TbsRibbonPage* p = FTabs->Items(i)->Page()) {
            p->RemoveFreeNotification(this);
            p->Ribbon = nullptr;
        }
    FTabs.reset();
    FButtons.reset();
    FMDIButtons.reset();
}

void TbsRibbon::CreateParams(platform::TCreateParams& P)
{
    TbsSkinControl::CreateParams(P);
    P.WindowClass.Style &= ~(platform::CS_HREDRAW | platform::CS_VREDRAW);
}

void TbsRibbon::CreateAppButton()
{
    delete FAppButton;
    FAppButton = new TbsAppButton(this);
    FAppButton->SetCanFocused(true);
    FAppButton->SetTabStop(false);
    FAppButton->Ribbon = this;
    FAppButton->SetBounds(0, 1, FAppButtonWidth, 24);
    FAppButton->SetParent(this);
    FAppButton->SetSkinDataName("officemenubutton");
    FAppButton->OnHideTrackMenu = [this](TObject*) {
        if (OnMenuClose)
            OnMenuClose(this);
    };
    FLeftOffset = FAppButtonWidth + 3;
}

void TbsRibbon::Loaded()
{
    for (int i = 0; i < FTabs->Count(); ++i)
        if (TbsRibbonPage* p = FTabs->Items(i)->Page()) {
            p->Ribbon = this;
            p->FreeNotification(this);
            if (i != FTabIndex)
                p->SetVisible(false);
        }
    if (FAppMenu)
        FAppMenu->Ribbon = this;
}

void TbsRibbon::Notification(TComponent* AComponent, platform::TOperation AOperation)
{
    TbsSkinControl::Notification(AComponent, AOperation);
    if (AOperation != platform::opRemove)
        return;
    if (AComponent == FAppButtonPopupMenuComponent) {
        FAppButtonPopupMenu = nullptr;
        FAppButtonPopupMenuComponent = nullptr;
        if (FAppButton)
            FAppButton->SetSkinPopupMenu(nullptr);
    }
    if (AComponent == FAppButtonImageList) {
        FAppButtonImageList = nullptr;
        if (FAppButton)
            FAppButton->SetImageList(nullptr);
    }
    if (AComponent == FButtonsImageList)
        FButtonsImageList = nullptr;
    if (AComponent == FSkinHint)
        FSkinHint = nullptr;
    if (AComponent == FAppMenu) {
        FAppMenu = nullptr;
        FAppHook.Unhook();
        FInAppHook = false;
    }
    if (AComponent == FAppButton)
        FAppButton = nullptr;
    if (AComponent == static_cast<TComponent*>(BSF))
        BSF = nullptr;
    for (int i = 0; FTabs && i < FTabs->Count(); ++i)
        if (FTabs->Items(i)->Page() == AComponent)
            PageDestroying(FTabs->Items(i)->Page());
    for (int i = 0; FButtons && i < FButtons->Count(); ++i)
        if (FButtons->Items(i)->PopupMenu && FButtons->Items(i)->PopupMenu->MenuComponent() == AComponent)
            FButtons->Items(i)->PopupMenu = nullptr;
}

void TbsRibbon::PageDestroying(TbsRibbonPage* APage)
{
    for (int i = 0; i < FTabs->Count(); ++i)
        if (FTabs->Items(i)->FPage == APage)
            FTabs->Items(i)->FPage = nullptr;
    Invalidate();
}

// ---------------------------------------------------------------- properties

void TbsRibbon::SetTabs(const TbsRibbonTabs& AValue)
{
    FTabs->Assign(AValue);
    Invalidate();
}

void TbsRibbon::SetButtons(const TbsRibbonButtonItems& AValue)
{
    FButtons->Assign(AValue);
    Invalidate();
}

TbsRibbonPage* TbsRibbon::ActivePage() const
{
    if (FTabIndex >= 0 && FTabIndex < FTabs->Count())
        return FTabs->Items(FTabIndex)->Page();
    return nullptr;
}

int TbsRibbon::GetPageTabIndex(TbsRibbonPage* APage) const
{
    for (int i = 0; i < FTabs->Count(); ++i)
        if (FTabs->Items(i)->Page() == APage)
            return i;
    return -1;
}

bool TbsRibbon::HasVisibleTab() const
{
    for (int i = 0; i < FTabs->Count(); ++i)
        if (FTabs->Items(i)->Visible())
            return true;
    return false;
}

void TbsRibbon::SetActivePage(TbsRibbonPage* Value)
{
    if (!Value || !HasVisibleTab())
        return;
    const int i = GetPageTabIndex(Value);
    if (i < 0)
        return;
    FTabs->Items(i)->FVisible = true;
    SetTabIndex(i);
}

std::string TbsRibbon::AppButtonCaption() const { return FAppButton ? FAppButton->Caption() : std::string(); }
void TbsRibbon::SetAppButtonCaption(const std::string& AValue)
{
    if (FAppButton)
        FAppButton->SetCaption(AValue);
}
int TbsRibbon::AppButtonMargin() const { return FAppButton ? FAppButton->Margin() : 0; }
void TbsRibbon::SetAppButtonMargin(int AValue)
{
    if (FAppButton)
        FAppButton->SetMargin(AValue);
}
int TbsRibbon::AppButtonSpacing() const { return FAppButton ? FAppButton->Spacing() : 0; }
void TbsRibbon::SetAppButtonSpacing(int AValue)
{
    if (FAppButton)
        FAppButton->SetSpacing(AValue);
}

void TbsRibbon::SetAppButtonWidth(int Value)
{
    if (Value < 35 || Value == FAppButtonWidth)
        return;
    FAppButtonWidth = Value;
    if (FAppButton)
        FAppButton->SetWidth(Value);
    FLeftOffset = Value + 3;
    Invalidate();
}

void TbsRibbon::SetAppButtonImageList(TCustomImageList* Value)
{
    ChangeReference<TCustomImageList>(this, FAppButtonImageList, Value);
    if (FAppButton)
        FAppButton->SetImageList(Value);
    Invalidate();
}

void TbsRibbon::SetAppButtonImageIndex(int Value)
{
    FAppButtonImageIndex = std::max(0, Value);
    if (FAppButton)
        FAppButton->SetImageIndex(FAppButtonImageIndex);
}

void TbsRibbon::SetAppButtonPopupMenu(IbsSkinPopupMenu* Value)
{
    if (FAppButtonPopupMenuComponent)
        FAppButtonPopupMenuComponent->RemoveFreeNotification(this);
    FAppButtonPopupMenu = Value;
    FAppButtonPopupMenuComponent = Value ? Value->MenuComponent() : nullptr;
    if (FAppButtonPopupMenuComponent)
        FAppButtonPopupMenuComponent->FreeNotification(this);
    if (FAppButton)
        FAppButton->SetSkinPopupMenu(Value);
}

void TbsRibbon::SetButtonsImageList(TCustomImageList* Value) { ChangeReference<TCustomImageList>(this, FButtonsImageList, Value); }
void TbsRibbon::SetSkinHint(TbsSkinHint* Value) { ChangeReference<TbsSkinHint>(this, FSkinHint, Value); }

void TbsRibbon::SetAppMenu(TbsAppMenu* Value)
{
    if (FAppMenu && FAppMenu != Value && FAppMenu->Visible())
        HideAppMenu(nullptr);
    ChangeReference<TbsAppMenu>(this, FAppMenu, Value);
    if (FAppMenu) {
        FAppMenu->Ribbon = this;
        FAppMenu->SetVisible(false);
    }
}

void TbsRibbon::SetTabBoldStyle(bool Value)
{
    if (FTabBoldStyle == Value)
        return;
    FTabBoldStyle = Value;
    Invalidate();
}

// ---------------------------------------------------------------- skin

void TbsRibbon::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    FData = nullptr;
    FDataPicture = nullptr;
    if (FIndex != -1 && FSD) {
        FData = dynamic_cast<TbsDataSkinTabControl*>(FSD->CtrlList[size_t(FIndex)].get());
        if (FData)
            FDataPicture = ActivePicture(*FSD, FData->PictureIndex);
    }
}

void TbsRibbon::SetSkinData(TbsSkinData* Value)
{
    TbsSkinControl::SetSkinData(Value);
    if (FAppButton)
        FAppButton->SetSkinData(Value);
}

void TbsRibbon::ChangeSkinData()
{
    TbsSkinControl::ChangeSkinData();
    if (TbsRibbonPage* p = ActivePage())
        p->UpDateSize();
    if (FAppButton)
        FAppButton->SetBounds(0, 1, FAppButton->Width(), FAppButton->Height());
    if (FAppMenu && FAppMenu->Visible())
        PlaceAppMenu();
}

// ---------------------------------------------------------------- layout

int TbsRibbon::GetTabsHeight() const { return FData ? FData->TabRect.Height() + 1 : 24; }

void TbsRibbon::GetPageBounds(int& L, int& T, int& W, int& H) const
{
    const int th = GetTabsHeight();
    if (FData) {
        L = FData->ClRect.Left;
        T = th + FData->ClRect.Top;
        W = Width() + FData->ClRect.Width() - FData->SkinRect.Width();
        H = Height() + FData->ClRect.Height() - FData->SkinRect.Height() - th;
    } else {
        L = 1;
        T = th + 2;
        W = Width() - 2;
        H = Height() - th - 5;
    }
}

TRect TbsRibbon::PageRect() const
{
    int l = 0, t = 0, w = 0, h = 0;
    GetPageBounds(l, t, w, h);
    return Rect(l, t, l + w, t + h);
}

platform::TSize TbsRibbon::GetMDIButtonSize() const
{
    if (FData && !FData->MDICloseRect.IsEmpty())
        return {FData->MDICloseRect.Width(), FData->MDICloseRect.Height()};
    return {22, 22};
}

void TbsRibbon::CalcLayout(TCanvas* C)
{
    const int th = GetTabsHeight();
    FRightOffset = 5;
    if (FButtons->Count() > 0 && FButtonsImageList) {
        const int w = FButtonsImageList->Width() + 6, h = th - 2;
        int x = Width() - 2;
        for (int i = FButtons->Count() - 1; i >= 0; --i) {
            TbsRibbonButtonItem* b = FButtons->Items(i);
            if (!b->Visible())
                continue;
            b->ItemRect = Rect(x - w, 1, x, h + 1);
            x -= w;
        }
        FRightOffset = Width() - x + 2;
    }
    if (FMDIButtons->Count() > 0) {
        const platform::TSize s = GetMDIButtonSize();
        int x = Width() - FRightOffset;
        for (int i = 0; i < FMDIButtons->Count(); ++i) {
            FMDIButtons->Items(i)->ItemRect = Rect(x - s.cx, 1, x, s.cy + 1);
            x -= s.cx;
        }
        FRightOffset = Width() - x + 2;
    }
    const int available = Width() - FLeftOffset - FRightOffset;
    int sum = 0;
    for (int i = 0; i < FTabs->Count(); ++i) {
        TbsRibbonTab* t = FTabs->Items(i);
        if (!t->Visible())
            continue;
        TRect r = Rect(0, 0, 0, 0);
        const std::string caption = t->Page() ? t->Page()->Caption() : std::string();
        WideDrawText(C, caption, r, platform::DT_CALCRECT);
        t->Width = r.Width() + 30;
        sum += t->Width;
    }
    FShowDivider = available < sum;
    const int bottom = FData ? 1 + FData->TabRect.Height() : 24;
    int x = FLeftOffset;
    for (int i = 0; i < FTabs->Count(); ++i) {
        TbsRibbonTab* t = FTabs->Items(i);
        if (!t->Visible())
            continue;
        if (FShowDivider)
            t->Width = std::max(15, int(std::trunc(double(available) * t->Width / sum)));
        t->ItemRect = Rect(x, 1, x + t->Width, bottom);
        x += t->Width;
    }
}

// ---------------------------------------------------------------- selection

void TbsRibbon::SetTabIndex(int Value)
{
    if ((FTabs->Count() == 0 || !HasVisibleTab()) && !FStopCheckTabIndex) {
        FTabIndex = -1;
        Invalidate();
        return;
    }
    if (Value < 0 || Value > FTabs->Count() - 1)
        return;
    TbsRibbonTab* tab = FTabs->Items(Value);
    tab->FVisible = true;
    if (Value != FTabIndex) {
        if (OnChangingPage)
            OnChangingPage(this);
        const int old = FTabIndex;
        FTabIndex = Value;
        if (TbsRibbonPage* p = tab->Page()) {
            p->SetParent(this);
            p->SetVisible(true);
            p->BringToFront();
        }
        if (old >= 0 && old < FTabs->Count())
            if (TbsRibbonPage* p = FTabs->Items(old)->Page(); p && old != FTabIndex)
                p->SetVisible(false);
        if (OnChangePage)
            OnChangePage(this);
    } else if (TbsRibbonPage* p = tab->Page(); p && !p->Visible()) {
        p->SetVisible(true);
    }
    Invalidate();
}

void TbsRibbon::TabVisibleChanged(TbsRibbonTab* ATab, bool AVisible)
{
    const int i = ATab->Index();
    if (AVisible) {
        // The selected tab shown again shows its page again.
        if (i == FTabIndex && ATab->Page() && !ATab->Page()->Visible())
            ATab->Page()->SetVisible(true);
        Invalidate();
        return;
    }
    if (ATab->Page() && ATab->Page()->Visible())
        ATab->Page()->SetVisible(false);
    if (i == FTabIndex && (SelectVisibleTab(i + 1, 1) || SelectVisibleTab(i - 1, -1)))
        return;
    Invalidate();
}

bool TbsRibbon::SelectVisibleTab(int AFrom, int AStep)
{
    for (int i = AFrom; i >= 0 && i < FTabs->Count(); i += AStep)
        if (FTabs->Items(i)->Visible()) {
            SetTabIndex(i);
            return true;
        }
    return false;
}

void TbsRibbon::SelectFirstTab() { SelectVisibleTab(0, 1); }
void TbsRibbon::SelectLastTab() { SelectVisibleTab(FTabs->Count() - 1, -1); }

void TbsRibbon::SelectNextTab()
{
    if (FTabIndex != -1 && FTabIndex < FTabs->Count() - 1)
        SelectVisibleTab(FTabIndex + 1, 1);
}

void TbsRibbon::SelectPriorTab(bool AFocusAppButton)
{
    if (FTabIndex == 0 && AFocusAppButton && FAppButton && FAppButton->CanFocus())
        FAppButton->SetFocus();
    if (FTabIndex > 0)
        SelectVisibleTab(FTabIndex - 1, -1);
}

// ---------------------------------------------------------------- mouse and keys

int TbsRibbon::HitButton(TbsRibbonButtonItems* AItems, int X, int Y, bool AOnlyUsable) const
{
    for (int i = 0; i < AItems->Count(); ++i) {
        TbsRibbonButtonItem* b = AItems->Items(i);
        if (AOnlyUsable && (!b->Enabled() || !b->Visible()))
            continue;
        if (platform::PtInRect(b->ItemRect, Point(X, Y)))
            return i;
    }
    return -1;
}

void TbsRibbon::UpdateHotState(int X, int Y)
{
    if (FTabs->Count() == 0)
        return;
    FOldTabActive = FTabActive;
    FTabActive = -1;
    for (int i = 0; i < FTabs->Count(); ++i)
        if (FTabs->Items(i)->Visible() && platform::PtInRect(FTabs->Items(i)->ItemRect, Point(X, Y))) {
            FTabActive = i;
            break;
        }
    if (FTabActive != FOldTabActive) {
        if (FOldTabActive >= 0 && FOldTabActive < FTabs->Count())
            FTabs->Items(FOldTabActive)->Active = false;
        if (FTabActive >= 0)
            FTabs->Items(FTabActive)->Active = true;
        Invalidate();
    }
    auto track = [&](TbsRibbonButtonItems* AItems, int& AHot, int& AOld, bool AUsable) {
        AOld = AHot;
        AHot = HitButton(AItems, X, Y, AUsable);
        bool changed = AHot != AOld;
        for (int i = 0; i < AItems->Count(); ++i) {
            TbsRibbonButtonItem* b = AItems->Items(i);
            if (b->Active != (i == AHot)) {
                b->Active = i == AHot;
                changed = true;
            }
        }
        if (changed)
            Invalidate();
        return changed;
    };
    if (FMDIButtons->Count() > 0)
        track(FMDIButtons.get(), FMDIActiveButton, FMDIOldActiveButton, false);
    if (FButtons->Count() > 0) {
        const bool changed = track(FButtons.get(), FActiveButton, FOldActiveButton, true);
        if (FActiveButton != FOldActiveButton && FActiveButton >= 0 && FSkinHint && ButtonsShowHint &&
            !FButtons->Items(FActiveButton)->Hint.empty())
            FSkinHint->ActivateHint2(FButtons->Items(FActiveButton)->Hint);
        if (changed && ButtonsShowHint && FSkinHint && FActiveButton < 0)
            FSkinHint->HideHint();
    }
}

void TbsRibbon::CMMouseLeave(TMessage& M)
{
    TbsSkinControl::CMMouseLeave(M);
    UpdateHotState(-1, -1);
}

void TbsRibbon::MouseMove(platform::TShiftState AShift, int X, int Y)
{
    TbsSkinControl::MouseMove(AShift, X, Y);
    UpdateHotState(X, Y);
}

void TbsRibbon::MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    TbsSkinControl::MouseDown(AButton, AShift, X, Y);
    FMouseCaptureButton = FMouseCaptureMDIButton = -1;
    if (AButton != platform::mbLeft)
        return;
    UpdateHotState(X, Y);
    if (FTabActive >= 0) {
        if (FAppMenu && FAppMenu->Visible())
            HideAppMenu(nullptr);
        if (FTabActive != FTabIndex)
            SetTabIndex(FTabActive);
        if (!Focused() && CanFocus())
            SetFocus();
    }
    auto press = [&](TbsRibbonButtonItems* AItems, int AHot, int& ACapture, bool ACaption) {
        if (AHot < 0)
            return;
        for (int i = 0; i < AItems->Count(); ++i)
            if (i != AHot)
                AItems->Items(i)->Down = AItems->Items(i)->Active = false;
        AItems->Items(AHot)->Down = true;
        ACapture = AHot;
        Invalidate();
        if (ACaption && AItems->Items(AHot)->PopupMenu) {
            FPopupButton = AHot;
            PopupButtonMenu(AHot);
        }
    };
    press(FMDIButtons.get(), FMDIActiveButton, FMouseCaptureMDIButton, false);
    press(FButtons.get(), FActiveButton, FMouseCaptureButton, true);
    if (ButtonsShowHint && FSkinHint)
        FSkinHint->HideHint();
}

void TbsRibbon::MouseUp(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    TbsSkinControl::MouseUp(AButton, AShift, X, Y);
    if (AButton != platform::mbLeft)
        return;
    UpdateHotState(X, Y);
    auto release = [&](TbsRibbonButtonItems* AItems, int AHot, int ACapture, int AKeep) {
        if (AHot >= 0) {
            TbsRibbonButtonItem* b = AItems->Items(AHot);
            const bool wasDown = b->Down;
            for (int i = 0; i < AItems->Count(); ++i)
                if (i != AKeep)
                    AItems->Items(i)->Down = false;
            Invalidate();
            if (wasDown && b->OnClick)
                b->OnClick(this);
        } else if (ACapture >= 0 && ACapture < AItems->Count()) {
            AItems->Items(ACapture)->Down = AItems->Items(ACapture)->Active = false;
            Invalidate();
        }
    };
    const int mdiCapture = FMouseCaptureMDIButton, capture = FMouseCaptureButton;
    FMouseCaptureButton = FMouseCaptureMDIButton = -1;
    release(FMDIButtons.get(), FMDIActiveButton, mdiCapture, -1);
    release(FButtons.get(), FActiveButton, capture, FPopupButton);
}

void TbsRibbon::KeyDown(uint16_t& AKey, platform::TShiftState AShift)
{
    TbsSkinControl::KeyDown(AKey, AShift);
    switch (AKey) {
    case platform::VK_NEXT:
        SelectLastTab();
        break;
    case platform::VK_PRIOR:
        SelectFirstTab();
        break;
    case platform::VK_LEFT:
    case platform::VK_UP:
        SelectPriorTab(true);
        break;
    case platform::VK_RIGHT:
    case platform::VK_DOWN:
        SelectNextTab();
        break;
    default:
        break;
    }
}

void TbsRibbon::WMMouseWheel(TMessage& M)
{
    TbsSkinControl::WMMouseWheel(M);
    if (!Focused())
        return;
    if (int16_t(M.WParam >> 16) < 0)
        SelectNextTab();
    else
        SelectPriorTab(false);
}

void TbsRibbon::WMSize(TMessage& M)
{
    TbsSkinControl::WMSize(M);
    Invalidate();
}

void TbsRibbon::WMSetFocus(TMessage& M)
{
    TbsSkinControl::WMSetFocus(M);
    Invalidate();
}

void TbsRibbon::WMKillFocus(TMessage& M)
{
    TbsSkinControl::WMKillFocus(M);
    Invalidate();
}

void TbsRibbon::Dispatch(TMessage& M)
{
    if (M.Msg == platform::SKN_MENUCLOSED) {
        if (FPopupButton >= 0 && FPopupButton < FButtons->Count()) {
            FButtons->Items(FPopupButton)->Down = false;
            FPopupButton = -1;
            Invalidate();
        }
        return;
    }
    TbsSkinControl::Dispatch(M);
}

void TbsRibbon::PopupButtonMenu(int AIndex)
{
    TbsRibbonButtonItem* b = FButtons->Items(AIndex);
    const TPoint s = ClientToScreen(Point(b->ItemRect.Left, b->ItemRect.Top));
    b->PopupMenu->PopupFromRect2(this, Rect(s.X, s.Y, s.X + b->ItemRect.Width(), s.Y + b->ItemRect.Height() + 1),
                                 false);
}

// ---------------------------------------------------------------- MDI buttons

void TbsRibbon::CreateMDIButtons()
{
    const TNotifyEvent actions[] = {[this](TObject* S) { CloseMDIChild(S); },
                                    [this](TObject* S) { RestoreMDIChild(S); },
                                    [this](TObject* S) { MinimizeMDIChild(S); }};
    for (int code = 1; code <= 3; ++code) {
        TbsRibbonButtonItem* b = FMDIButtons->Add();
        b->Code = code;
        b->OnClick = actions[code - 1];
    }
    Invalidate();
}

void TbsRibbon::MDIChildMaximize()
{
    if (FMDIButtons->Count() == 0)
        CreateMDIButtons();
}

void TbsRibbon::MDIChildRestore()
{
    if (FMDIButtons->Count() > 0 && !FindMaximizedMDIChildSkinForm()) {
        FMDIButtons->Clear();
        Invalidate();
    }
}

void TbsRibbon::CloseMDIChild(TObject*)
{
    if (TbsSkinForm* sf = FindMaximizedMDIChildSkinForm())
        sf->Form()->Close();
}

void TbsRibbon::RestoreMDIChild(TObject*)
{
    if (TbsSkinForm* sf = FindMaximizedMDIChildSkinForm())
        sf->SetWindowState(platform::wsNormal);
}

void TbsRibbon::MinimizeMDIChild(TObject*)
{
    if (TbsSkinForm* sf = FindMaximizedMDIChildSkinForm())
        sf->SetWindowState(platform::wsMinimized);
}

// ---------------------------------------------------------------- the application menu

void TbsRibbon::HookApplication()
{
    if (IsDesigning() || FInAppHook)
        return;
    FAppHook.Hook([this](platform::TMsg& Msg, bool& Handled) { AppMessageHandler(Msg, Handled); });
    FInAppHook = true;
}

void TbsRibbon::UnhookApplication()
{
    if (IsDesigning())
        return;
    FAppHook.Unhook();
    FInAppHook = false;
}

void TbsRibbon::AppMessageHandler(platform::TMsg& Msg, bool& Handled)
{
    if (Msg.message != platform::WM_KEYDOWN || Msg.wParam != platform::VK_ESCAPE || !FAppMenu || !FAppMenu->Visible())
        return;
    // Without a skin form component the form's own activation decides.
    platform::TCustomForm* form = platform::GetParentForm(this);
    const bool active = BSF ? BSF->GetFormActive() : form && form->Active();
    if (!active)
        return;
    HideAppMenu(nullptr);
    Msg.message = 0;
    Handled = true;
}

void TbsRibbon::PlaceAppMenu()
{
    platform::TCustomForm* form = platform::GetParentForm(this);
    if (!form || !FAppMenu || !FAppButton)
        return;
    // The ribbon's place in the form's client area, wherever it sits.
    const TPoint at = form->ScreenToClient(ClientToScreen(Point(0, 0)));
    int top = at.Y + FAppButton->Top() + FAppButton->Height();
    if (FData && FAppMenu->SkinData()) {
        FAppMenu->GetSkinData();
        if (FAppMenu->FData && !FAppMenu->FData->BackButtonRect.IsEmpty())
            top = 0;
    }
    // The menu ends at the client area's bottom edge, so its last rows and
    // its size gripper are never cut off.
    FAppMenu->SetBounds(0, top, form->ClientWidth(), std::max(0, form->ClientHeight() - top));
    FAppMenu->SetAnchors(platform::AnchorBit(platform::akLeft) | platform::AnchorBit(platform::akTop) |
                         platform::AnchorBit(platform::akRight) | platform::AnchorBit(platform::akBottom));
}

void TbsRibbon::ShowAppMenu()
{
    if (!FAppMenu)
        return;
    if (!IsDesigning() && FAppMenu->OnShowingMenu)
        FAppMenu->OnShowingMenu(this);
    HookApplication();
    platform::TCustomForm* form = platform::GetParentForm(this);
    if (form && FAppMenu->Parent() != form)
        FAppMenu->SetParent(form);
    PlaceAppMenu();
    int index = 0;
    if (FAppMenu->ActivePage()) {
        index = -1;
        for (int i = 0; i < FAppMenu->Items()->Count(); ++i)
            if (FAppMenu->Items()->Items(i)->Page() == FAppMenu->ActivePage()) {
                index = i;
                break;
            }
    }
    FAppMenu->SetItemIndex(index);
    FAppMenu->SetVisible(true);
    FAppMenu->BringToFront();
    if (!IsDesigning() && FAppMenu->CanFocus())
        FAppMenu->SetFocus();
    const int sel = FAppMenu->ItemIndex();
    if (sel >= 0 && sel < FAppMenu->Items()->Count() &&
        (!FAppMenu->Items()->Items(sel)->Visible() || !FAppMenu->Items()->Items(sel)->Enabled()))
        FAppMenu->FindNextItem();
    if (TbsAppMenuPage* p = FAppMenu->ActivePage()) {
        p->FStopScroll = false;
        p->UpDateSize();
        if (p->CanScroll())
            p->GetScrollInfo();
    }
    FAppMenu->UpdateScrollInfo();
    Invalidate();
    if (!IsDesigning()) {
        if (BSF)
            BSF->UpDateFormNC();
        if (FAppMenu->OnShowMenu)
            FAppMenu->OnShowMenu(this);
    }
}

void TbsRibbon::HideAppMenu(TbsAppMenuItem* Item)
{
    UnhookApplication();
    if (!FAppMenu)
        return;
    if (!IsDesigning() && FAppMenu->OnHidingMenu)
        FAppMenu->OnHidingMenu(this);
    FAppMenu->SetAnchors(0);
    FAppMenu->SetVisible(false);
    if (TbsAppMenuPage* p = FAppMenu->ActivePage())
        p->FStopScroll = true;
    Invalidate();
    if (FAppButton) {
        FAppButton->FMenuTracked = false;
        FAppButton->FDownState = false;
        FAppButton->SetDown(false);
    }
    platform::Application()->ProcessMessages();
    if (Item && Item->OnClick)
        Item->OnClick(this);
    if (OnMenuClose)
        OnMenuClose(this);
    if (!IsDesigning()) {
        if (BSF)
            BSF->UpDateFormNC();
        if (FAppMenu && FAppMenu->OnHideMenu)
            FAppMenu->OnHideMenu(this);
    }
}

// ---------------------------------------------------------------- the application button

bool TbsAppButton::CanMenuTrack(int X, int Y)
{
    if (Ribbon && Ribbon->AppMenu())
        return true;
    return TbsSkinMenuButton::CanMenuTrack(X, Y);
}

void TbsAppButton::TrackMenu()
{
    if (Ribbon && Ribbon->AppMenu()) {
        FDownState = true;
        Ribbon->ShowAppMenu();
        return;
    }
    TbsSkinMenuButton::TrackMenu();
}

void TbsAppButton::MouseDown(platform::TMouseButtonKind AButton, platform::TShiftState AShift, int X, int Y)
{
    if (AButton == platform::mbLeft && Ribbon && Ribbon->AppMenu() && Ribbon->AppMenu()->Visible()) {
        Ribbon->HideAppMenu(nullptr);
        return;
    }
    TbsSkinMenuButton::MouseDown(AButton, AShift, X, Y);
}

void TbsAppButton::KeyDown(uint16_t& AKey, platform::TShiftState AShift)
{
    TbsSkinMenuButton::KeyDown(AKey, AShift);
    if (AKey == platform::VK_DOWN || AKey == platform::VK_SPACE)
        DropDown();
    else if ((AKey == platform::VK_LEFT || AKey == platform::VK_RIGHT || AKey == platform::VK_UP) && Ribbon &&
             Ribbon->CanFocus())
        Ribbon->SetFocus();
}

void TbsAppButton::WMKeyUp(TMessage& M)
{
    TbsSkinMenuButton::WMKeyUp(M);
    if (M.WParam == platform::VK_RETURN)
        DropDown();
}

} // namespace skin
