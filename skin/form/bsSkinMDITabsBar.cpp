#include "skin/form/bsSkinMDITabsBar.h"

#include "skin/controls/bsSkinCtrls_SpeedButton.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/ui/Messages.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

constexpr TColor HotFill = 15979713, ActiveFill = 14990498;
const std::string ListMarker = "_BSFCHILDITEMBAR";
const std::string HideListMarker = "_BSFCHILDITEMBARHIDE";
constexpr int ListButtonWidth = 15;

} // namespace

// ---- TbsMDITab

void TbsMDITab::DrawChildIcon(TRect& R, TCanvas* Cnvs)
{
    TBitmap* icon = !Child->Icon()->Empty() ? Child->Icon() : Application()->Icon();
    if (icon->Empty())
        return;
    int w = 16, h = 16;
    TbsSkinForm::GetSmallIconSize(w, h);
    if (R.Width() < w)
        R.Right = R.Left + w;
    const int x = R.Left + (R.Width() - w) / 2, y = R.Top + (R.Height() - h) / 2;
    Cnvs->StretchDraw(Bounds(x, y, w, h), icon);
}

void TbsMDITab::DrawCloseButton(TCanvas* Cnvs, TRect R)
{
    TbsSkinMDITabsBar* bar = TabsBar;
    if (!bar->IsSkinned()) {
        ButtonRect = Bounds(R.Left, R.Top + R.Height() / 2 - 7, 14, 14);
        DrawCloseImage(Cnvs, ButtonRect.Left + 2, ButtonRect.Top + 2, ButtonMouseIn ? clWhite : clBlack);
        return;
    }
    if (!IsNullRect(bar->CloseButtonRect) && bar->Picture) {
        const TRect src = ButtonMouseDown && ButtonMouseIn ? bar->CloseButtonDownRect
                          : ButtonMouseIn                ? bar->ClosebuttonActiveRect
                                                         : bar->CloseButtonRect;
        ButtonRect = Bounds(R.Left, R.Top + (R.Height() - src.Height()) / 2, src.Width(), src.Height());
        TBitmap piece;
        piece.SetSize(src.Width(), src.Height());
        piece.Canvas()->CopyRect(Rect(0, 0, src.Width(), src.Height()), bar->Picture->Canvas(), src);
        if (bar->ButtonTransparent) {
            piece.SetTransparent(true);
            piece.SetTransparentColor(bar->ButtonTransparentColor);
            Cnvs->Draw(ButtonRect.Left, ButtonRect.Top, &piece);
        } else
            Cnvs->CopyRect(ButtonRect, piece.Canvas(), Rect(0, 0, src.Width(), src.Height()));
        return;
    }
    const int s = bar->FCloseSize;
    TBitmap b;
    TbsDataSkinButtonControl* rec = CreateResizedButtonImage(bar->SkinData(), "resizetoolbutton", &b, s, s,
                                                             ButtonMouseIn, ButtonMouseDown && ButtonMouseIn);
    if (!rec)
        return;   // keeps its previous rectangle
    DrawCloseImage(b.Canvas(), s / 2 - 5, s / 2 - 5,
                   ButtonMouseDown && ButtonMouseIn ? rec->DownFontColor : ButtonMouseIn ? rec->ActiveFontColor : rec->FontColor);
    ButtonRect = Bounds(R.Left, R.Top + (R.Height() - s) / 2, s, s);
    Cnvs->Draw(ButtonRect.Left, ButtonRect.Top, &b);
}

// Text rectangle R of a tab image B: close button at its right edge, the
// icon in its first 20 pixels, then the shortened caption.
void TbsMDITab::DrawContent(TBitmap* B, TRect R, bool)
{
    TbsSkinMDITabsBar* bar = TabsBar;
    TCanvas* c = B->Canvas();
    if (bar->ShowCloseButtons)
        DrawCloseButton(c, Rect(R.Right, R.Top, B->Width(), B->Height()));
    if (bar->ShowChildIcon()) {
        TRect icon = Rect(R.Left, R.Top, R.Left + 20, R.Bottom);
        DrawChildIcon(icon, c);
        R.Left = icon.Right;
    }
    std::string caption = Child->Caption();
    EllipsizeWideText(c, caption, R.Width());
    if (bar->OnTabGetDrawParamsEvent)
        bar->OnTabGetDrawParamsEvent(this, c);
    c->Brush()->SetStyle(bsClear);
    WideDrawText(c, caption, R, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TbsMDITab::Draw(TCanvas* Cnvs)
{
    if (ObjectRect.Width() <= 0)
        return;
    TbsSkinMDITabsBar* bar = TabsBar;
    const bool skinned = bar->IsSkinned() && bar->Picture;
    if (skinned && bar->TabKind() == bstkButton)
        return ButtonDraw(Cnvs);
    if (skinned && !bar->UseSkinSize)
        return ResizeDraw(Cnvs);
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    TBitmap b;
    TRect text;
    if (!skinned) {
        b.SetSize(w, h);
        b.Canvas()->Brush()->SetColor(Active ? ActiveFill : MouseIn ? HotFill : clBtnFace);
        b.Canvas()->FillRect(Rect(0, 0, w, h));
        b.Canvas()->Font()->Assign(bar->DefaultFont());
        text = bar->ShowCloseButtons ? Rect(2, 0, w - bar->FCloseSize - 5, h) : Rect(2, 0, w - 2, h);
    } else {
        const TRect src = MouseIn && !Active ? bar->MouseInTabRect : Active ? bar->ActiveTabRect : bar->TabRect;
        CreateHSkinImage(bar->TabLeftOffset, bar->TabRightOffset, &b, bar->Picture, src, w, src.Height(), bar->TabStretchEffect);
        TFont* f = bar->PrepareTabFont(b.Canvas());
        f->SetColor(MouseIn && !Active ? bar->MouseInFontColor : Active ? bar->ActiveFontColor : bar->FontColor);
        const int bh = b.Height();
        text = bar->ShowCloseButtons ? Rect(2, 1, w - bar->FCloseSize - 5, bh)
                                     : Rect(bar->TabLeftOffset, 1, w - bar->TabRightOffset, bh);
    }
    DrawContent(&b, text, true);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

void TbsMDITab::ResizeDraw(TCanvas* Cnvs)
{
    TbsSkinMDITabsBar* bar = TabsBar;
    const int w = ObjectRect.Width(), h = ObjectRect.Height() + (Active ? bar->FActiveTabOffset : 0);
    const bool hot = MouseIn && !Active && !IsNullRect(bar->MouseInTabRect);
    const TRect src = hot ? bar->MouseInTabRect : Active ? bar->ActiveTabRect : bar->TabRect;
    TBitmap b;
    b.SetSize(w, h);
    const int q = bar->TabRect.Height() / 4;
    CreateStretchSkinImage(&b, bar->Picture, src,
                           Rect(bar->TabLeftOffset, q, src.Width() - bar->TabRightOffset, src.Height() - q), true);
    TFont* f = bar->PrepareTabFont(b.Canvas());
    f->SetColor(hot ? bar->MouseInFontColor : Active ? bar->ActiveFontColor : bar->FontColor);
    DrawContent(&b, bar->ShowCloseButtons ? Rect(2, 1, w - bar->FCloseSize - 5, h) : Rect(2, 1, w - 2, h), true);
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

void TbsMDITab::ButtonDraw(TCanvas* Cnvs)
{
    TbsSkinMDITabsBar* bar = TabsBar;
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    TBitmap b;
    TRect cl;
    // Active tabs look pressed, hot ones hot.
    TbsDataSkinButtonControl* rec = CreateResizedButtonImage(bar->SkinData(), "resizebutton", &b, w, h, MouseIn || Active, Active, &cl);
    if (!rec)
        return;
    TFont* f = bar->PrepareTabFont(b.Canvas());
    f->SetColor(Active ? rec->DownFontColor : MouseIn ? rec->ActiveFontColor : rec->FontColor);
    TRect text = cl;
    if (bar->ShowCloseButtons)
        text.Right -= bar->FCloseSize + 3;
    const int th = b.Canvas()->TextHeight("Wg");
    if (text.Height() < th) {
        text.Top = (h - th) / 2;
        text.Bottom = text.Top + th;
    }
    if (bar->ShowCloseButtons)
        DrawCloseButton(b.Canvas(), Rect(text.Right, 0, text.Right + bar->FCloseSize + 3, h));
    const bool close = bar->ShowCloseButtons;
    bar->ShowCloseButtons = false;   // drawn already
    DrawContent(&b, text, false);
    bar->ShowCloseButtons = close;
    Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, &b);
}

// ---- TbsSkinMDITabsBar

TFont* TbsSkinMDITabsBar::PrepareTabFont(TCanvas* C)
{
    TFont* f = C->Font();
    if (UseSkinFont) {
        f->SetName(FontName);
        f->SetStyle(FontStyle);
        f->SetHeight(FontHeight);
    } else
        f->Assign(&FDefaultFont);
    return f;
}

TbsSkinMDITabsBar::TbsSkinMDITabsBar(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    FDefaultFont.SetName("Tahoma");
    FDefaultFont.SetHeight(13);
    SetBounds(0, 0, 150, 21);
    FSkinDataName = "tab";
    FListMenu = new TbsSkinPopupMenu(this);
    FHideListMenu = new TbsSkinPopupMenu(this);
}

TbsSkinMDITabsBar::~TbsSkinMDITabsBar()
{
    for (auto& tab : ObjectList)
        if (tab->Child)
            tab->Child->RemoveFreeNotification(this);
    ObjectList.clear();
}

void TbsSkinMDITabsBar::SetShowAddButton(bool AValue)
{
    if (FShowAddButton == AValue)
        return;
    FShowAddButton = AValue;
    Repaint();
}

void TbsSkinMDITabsBar::SetShowChildIcon(bool AValue)
{
    if (FShowChildIcon == AValue)
        return;
    FShowChildIcon = AValue;
    Repaint();
}

void TbsSkinMDITabsBar::SetTabKind(TbsSkinMDITabKind AValue)
{
    FTabKind = AValue;
    if (Skinned())
        Repaint();
}

void TbsSkinMDITabsBar::SetDefaultHeight(int AValue)
{
    FDefaultHeight = AValue;
    if (!Skinned() && AValue > 0)
        SetHeight(AValue);
}

void TbsSkinMDITabsBar::SetSkinForm(TbsSkinForm* AValue)
{
    BSF = AValue;
    if (AValue)
        AValue->FreeNotification(this);
}

void TbsSkinMDITabsBar::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinControl::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == BSF)
        BSF = nullptr;
    // A document freed without being hidden first takes its tab with it
    // (it is no longer a form by the time it says so).
    for (auto& tab : ObjectList)
        if (static_cast<TComponent*>(tab->Child) == AComponent) {
            DeleteTab(tab->Child);
            break;
        }
}

// ---- tabs

void TbsSkinMDITabsBar::AddTab(TCustomForm* Child)
{
    if (!Child)
        return;
    ObjectList.push_back(std::make_unique<TbsMDITab>(this, Child));
    Child->FreeNotification(this);
    if (!FListButton)
        CreateListButton();
    Repaint();
}

void TbsSkinMDITabsBar::DeleteTab(TCustomForm* Child)
{
    auto it = std::find_if(ObjectList.begin(), ObjectList.end(), [&](const auto& t) { return t->Child == Child; });
    if (it == ObjectList.end())
        return;
    const int index = int(it - ObjectList.begin());
    if (ActiveTabIndex == index) {
        TbsMDITab* hot = it->get();
        ActiveTabIndex = OldTabIndex = -1;
        if (OnTabMouseLeave)
            OnTabMouseLeave(hot);
    }
    if (DragIndex == index) {
        IsDrag = FDown = false;
        DragIndex = -1;
        TabDX = 0;
    }
    ObjectList.erase(ObjectList.begin() + index);
    if (!Child->IsDestroying() &&
        std::none_of(ObjectList.begin(), ObjectList.end(), [&](const auto& t) { return t->Child == Child; }))
        Child->RemoveFreeNotification(this);
    if (ObjectList.empty()) {
        RemoveListButton(FListButton);
        RemoveListButton(FHideListButton);
        FInVisibleCount = 0;
    }
    Repaint();
}

void TbsSkinMDITabsBar::UpdateActiveTab()
{
    TCustomForm* main = Application()->MainForm();
    TCustomForm* active = main ? main->ActiveMDIChild() : nullptr;
    if (!active)
        return;
    for (auto& tab : ObjectList)
        tab->Active = tab->Child == active;
    Repaint();
}

void TbsSkinMDITabsBar::RedrawTab(TbsMDITab* Tab)
{
    if (!HandleAllocated() || !Tab->Visible)
        return;
    TControlCanvas c(this);
    Tab->Draw(&c);
}

void TbsSkinMDITabsBar::RefreshTab(TCustomForm* Child)
{
    for (auto& tab : ObjectList)
        if (tab->Child == Child)
            RedrawTab(tab.get());
}

int TbsSkinMDITabsBar::GetTabIndex(int X, int Y) const
{
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        const TRect& r = ObjectList[i]->ObjectRect;
        if (ObjectList[i]->Visible && X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom)
            return int(i);
    }
    return -1;
}

TbsMDITab* TbsSkinMDITabsBar::GetTab(int X, int Y) const
{
    const int i = GetTabIndex(X, Y);
    return i == -1 ? nullptr : ObjectList[size_t(i)].get();
}

int TbsSkinMDITabsBar::GetCloseSize() const
{
    return !Skinned() || IsNullRect(CloseButtonRect) ? 14 : CloseButtonRect.Width();
}

void TbsSkinMDITabsBar::CloseChild(TbsMDITab* Tab) { Tab->Child->Close(); }

void TbsSkinMDITabsBar::CalcTabRects()
{
    const int count = int(ObjectList.size());
    if (count == 0) {
        FAddButtonRect = Rect(2, Height() / 2 - 8, 16, Height() / 2 + 6);
        FInVisibleCount = 0;
        return;
    }
    FInVisibleCount = 0;
    const int w = Width() - (FShowAddButton ? 19 : 0);
    const int th = FTabKind == bstkButton ? Height() : Height() - FBottomOffset;
    const int tw = std::min((w - ListButtonWidth) / count, DefaultTabWidth);
    int lastRight = -1;
    if (MinTabWidth != 0 && tw < MinTabWidth) {
        const int n = (w - 2 * ListButtonWidth) / MinTabWidth;
        for (int i = 0; i < count; ++i) {
            TbsMDITab* t = ObjectList[size_t(i)].get();
            t->Visible = i < n;
            if (t->Visible) {
                t->ObjectRect = Rect(ListButtonWidth + i * MinTabWidth, 0, ListButtonWidth + (i + 1) * MinTabWidth, th);
                lastRight = t->ObjectRect.Right;
            } else {
                t->ObjectRect = TRect{};
                ++FInVisibleCount;
            }
        }
        FDragLimit = w - ListButtonWidth;
    } else {
        for (int i = 0; i < count; ++i) {
            TbsMDITab* t = ObjectList[size_t(i)].get();
            t->Visible = true;
            t->ObjectRect = Rect(ListButtonWidth + i * tw, 0, ListButtonWidth + (i + 1) * tw, th);
        }
        if (tw < DefaultTabWidth)
            ObjectList.back()->ObjectRect.Right = w;
        lastRight = ObjectList.back()->ObjectRect.Right;
        FDragLimit = w;
    }
    const int left = lastRight == -1 ? 2 : lastRight + 2;
    FAddButtonRect = Rect(left, Height() / 2 - 8, left + 14, Height() / 2 + 6);
    if (IsDrag && DragIndex >= 0 && DragIndex < count) {
        TRect& r = ObjectList[size_t(DragIndex)]->ObjectRect;
        r = OffsetRect(r, TabDX, 0);
        if (r.Right > FDragLimit)
            r = OffsetRect(r, FDragLimit - r.Right, 0);
        if (r.Left < 0)
            r = OffsetRect(r, -r.Left, 0);
    }
}

int TbsSkinMDITabsBar::GetDropIndex() const
{
    if (ObjectList.empty() || TabDX == 0 || DragIndex < 0 || DragIndex >= int(ObjectList.size()))
        return -1;
    const TRect& dragged = ObjectList[size_t(DragIndex)]->ObjectRect;
    auto centre = [](const TRect& R) { return R.Left + R.Width() / 2; };
    int found = -1;
    if (TabDX > 0) {
        for (int i = DragIndex + 1; i < int(ObjectList.size()); ++i)
            if (ObjectList[size_t(i)]->Visible && centre(ObjectList[size_t(i)]->ObjectRect) < dragged.Right)
                found = i;
    } else {
        for (int i = 0; i < DragIndex; ++i)
            if (ObjectList[size_t(i)]->Visible && centre(ObjectList[size_t(i)]->ObjectRect) > dragged.Left) {
                found = i;
                break;
            }
    }
    return found;
}

// ---- painting

void TbsSkinMDITabsBar::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    Picture = nullptr;
    FBottomOffset = 0;
    auto* rec = dynamic_cast<TbsDataSkinTabControl*>(SkinRecord());
    if (!rec) {
        FIndex = -1;
        return;
    }
    Picture = ActivePicture(*FSD, rec->PictureIndex);
    SkinRect = rec->SkinRect;
    TabRect = rec->TabRect;
    ActiveTabRect = IsNullRect(rec->ActiveTabRect) ? rec->TabRect : rec->ActiveTabRect;
    MouseInTabRect = IsNullRect(rec->MouseInTabRect) ? rec->TabRect : rec->MouseInTabRect;
    TabsBGRect = rec->TabsBGRect;
    TabLeftOffset = rec->TabLeftOffset;
    TabRightOffset = rec->TabRightOffset;
    FontName = rec->FontName;
    FontStyle = rec->FontStyle;
    FontHeight = rec->FontHeight;
    FontColor = rec->FontColor;
    ActiveFontColor = rec->FocusFontColor;
    MouseInFontColor = rec->MouseInFontColor;
    TabStretchEffect = rec->TabStretchEffect;
    CloseButtonRect = rec->CloseButtonRect;
    ClosebuttonActiveRect = IsNullRect(rec->CloseButtonActiveRect) ? CloseButtonRect : rec->CloseButtonActiveRect;
    CloseButtonDownRect = IsNullRect(rec->CloseButtonDownRect) ? ClosebuttonActiveRect : rec->CloseButtonDownRect;
    ButtonTransparent = rec->ButtonTransparent;
    ButtonTransparentColor = rec->ButtonTransparentColor;
    LTPoint = rec->LTPoint;
    RTPoint = rec->RTPoint;
    LBPoint = rec->LBPoint;
    RBPoint = rec->RBPoint;
    ClRect = rec->ClRect;
    TopStretch = rec->TopStretch;
    FBottomOffset = ClRect.Top;
    FActiveTabOffset = ActiveTabRect.Height() - TabRect.Height();
}

void TbsSkinMDITabsBar::ChangeSkinData()
{
    TbsSkinControl::ChangeSkinData();
    FCloseSize = GetCloseSize();
    if (Skinned() && UseSkinSize)
        SetHeight(FTabKind == bstkButton ? TabRect.Height() : TabRect.Height() + FBottomOffset);
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    if (FListButton)
        FListButton->SetSkinData(FSD);
    if (FHideListButton)
        FHideListButton->SetSkinData(FSD);
    Repaint();
    Realign();
}

void TbsSkinMDITabsBar::AdjustClientRect(TRect& ARect)
{
    TbsSkinControl::AdjustClientRect(ARect);
    if (Skinned() && FTabKind == bstkTab)
        ARect.Bottom -= FBottomOffset;
}

void TbsSkinMDITabsBar::Paint()
{
    FCloseSize = GetCloseSize();
    TbsSkinControl::Paint();
    if (FInVisibleCount > 0 && !FHideListButton)
        CreateHideListButton();
    else if (FInVisibleCount == 0 && FHideListButton)
        RemoveListButton(FHideListButton);
}

void TbsSkinMDITabsBar::CreateControlDefaultImage(TBitmap* B)
{
    B->Canvas()->Brush()->SetColor(clBtnFace);
    B->Canvas()->FillRect(Rect(0, 0, B->Width(), B->Height()));
    DrawTabs(B);
}

void TbsSkinMDITabsBar::CreateControlSkinImage(TBitmap* B)
{
    const int bh = FTabKind == bstkButton ? B->Height() : B->Height() - FBottomOffset;
    if (FSD->MDITabsTransparent)
        PaintParentBackground(this, B->Canvas());
    else if (!IsNullRect(TabsBGRect) && Picture) {
        TBitmap tile;
        tile.SetSize(TabRect.Width(), TabRect.Height());
        tile.Canvas()->CopyRect(Rect(0, 0, tile.Width(), tile.Height()), Picture->Canvas(), TabsBGRect);
        const int t = std::max(1, TabsBGRect.Width());
        for (int i = 0; i <= Width() / t; ++i)
            B->Canvas()->StretchDraw(Rect(i * t, 0, i * t + t, bh), &tile);
    }
    if (FTabKind == bstkTab && !IsNullRect(SkinRect) && Picture && FBottomOffset > 0) {
        TBitmap strip;
        CreateHSkinImage(LTPoint.X, SkinRect.Width() - RTPoint.X, &strip, Picture,
                         Rect(SkinRect.Left + LTPoint.X, SkinRect.Top, SkinRect.Left + RTPoint.X, SkinRect.Top + ClRect.Top),
                         B->Width(), FBottomOffset, TopStretch);
        B->Canvas()->Draw(0, B->Height() - FBottomOffset, &strip);
    }
    DrawTabs(B);
}

void TbsSkinMDITabsBar::DrawTabs(TBitmap* B)
{
    CalcTabRects();
    TCanvas* c = B->Canvas();
    if (FShowAddButton)
        DrawAddButton(c);
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->Visible && !(IsDrag && int(i) == DragIndex))
            ObjectList[i]->Draw(c);
    if (IsDrag && DragIndex >= 0 && DragIndex < int(ObjectList.size())) {
        ObjectList[size_t(DragIndex)]->Draw(c);
        DrawDropMarker(c);
    }
}

void TbsSkinMDITabsBar::DrawDropMarker(TCanvas* C)
{
    const int target = GetDropIndex();
    if (target == -1)
        return;
    const TRect& r = ObjectList[size_t(target)]->ObjectRect;
    const int x = TabDX < 1 ? r.Left : r.Right, h = Height(), m = h / 2;
    C->Pen()->SetMode(pmNot);
    C->Brush()->SetStyle(bsClear);
    for (int dx = -1; dx <= 1; ++dx) {
        C->MoveTo(x + dx, 0);
        C->LineTo(x + dx, h);
    }
    for (int side : {1, -1}) {
        C->MoveTo(x + 2 * side, m);
        C->LineTo(x + 5 * side, m - 3);
        C->LineTo(x + 5 * side, m + 3);
        C->LineTo(x + 2 * side, m);
    }
    C->Pen()->SetMode(pmCopy);
}

void TbsSkinMDITabsBar::DrawAddButton(TCanvas* C)
{
    if (!FShowAddButton || IsNullRect(FAddButtonRect))
        return;
    if (!Skinned()) {
        C->Brush()->SetColor(FAddButtonActive ? HotFill : clBtnFace);
        C->FillRect(FAddButtonRect);
        DrawArrowImage(C, FAddButtonRect, clBtnText, 5);
        return;
    }
    TBitmap b;
    const bool pressed = FAddButtonDown && FAddButtonActive;
    TbsDataSkinButtonControl* rec = CreateResizedButtonImage(FSD, "resizetoolbutton", &b, FAddButtonRect.Width(),
                                                             FAddButtonRect.Height(), FAddButtonActive, pressed);
    if (!rec)
        return;
    DrawArrowImage(b.Canvas(), Rect(0, 0, b.Width(), b.Height()),
                   pressed ? rec->DownFontColor : FAddButtonActive ? rec->ActiveFontColor : rec->FontColor, 5);
    C->Draw(FAddButtonRect.Left, FAddButtonRect.Top, &b);
}

// ---- list buttons

TbsSkinMenuSpeedButton* TbsSkinMDITabsBar::MakeListButton(TAlign AAlign, TbsSkinPopupMenu* AMenu, int AArrow,
                                                          std::function<void()> AFill)
{
    auto* b = new TbsSkinMenuSpeedButton(this);
    b->SetWidth(ListButtonWidth);
    b->SetAlign(AAlign);
    b->SetSkinDataName("resizetoolbutton");
    b->SetSkinData(FSD);
    b->SetSkinPopupMenu(AMenu);
    b->FDrawStandardArrow = true;
    b->FArrowType = AArrow;
    // The menu is filled just before it opens.
    b->OnShowTrackMenu = [AFill](TObject*) { AFill(); };
    b->SetParent(this);
    return b;
}

void TbsSkinMDITabsBar::CreateListButton()
{
    FListButton = MakeListButton(alLeft, FListMenu, 4, [this] { FillListMenu(); });
}

void TbsSkinMDITabsBar::CreateHideListButton()
{
    FHideListButton = MakeListButton(alRight, FHideListMenu, 2, [this] { FillHideListMenu(); });
    FHideListButton->Repaint();
}

void TbsSkinMDITabsBar::RemoveListButton(TbsSkinMenuSpeedButton*& AButton)
{
    if (!AButton)
        return;
    AButton->SetVisible(false);
    delete AButton;
    AButton = nullptr;
}

void TbsSkinMDITabsBar::FillMenu(TbsSkinPopupMenu* AMenu, const std::string& AMarker, bool AHiddenOnly)
{
    AMenu->Items()->Clear();
    for (auto& tab : ObjectList) {
        if (AHiddenOnly && tab->Visible)
            continue;
        auto* item = new TMenuItem(this);
        item->SetName(tab->Child->Name() + AMarker);
        item->Caption = tab->Child->Caption();
        item->RadioItem = true;
        item->GroupIndex = 0;
        item->Checked = tab->Active;
        item->OnClick = [this, AMarker](TObject* Sender) { ListItemClick(Sender, AMarker); };
        AMenu->Items()->Add(item);
    }
}

void TbsSkinMDITabsBar::FillListMenu() { FillMenu(FListMenu, ListMarker, false); }

void TbsSkinMDITabsBar::FillHideListMenu() { FillMenu(FHideListMenu, HideListMarker, true); }

void TbsSkinMDITabsBar::ListItemClick(TObject* Sender, const std::string& AMarker)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!BSF || !item)
        return;
    std::string name = item->Name();
    if (const size_t at = name.find(AMarker); at != std::string::npos)
        name.erase(at, AMarker.size());
    TCustomForm* form = BSF->Form();
    for (int i = 0; i < form->MDIChildCount(); ++i)
        if (TCustomForm* f = form->MDIChildren(i); f && f->Name() == name) {
            if (TbsSkinForm* comp = FindSkinFormComponent(f); comp && comp->WindowState() == wsMinimized)
                comp->SetWindowState(wsNormal);
            f->Show();
        }
}

// ---- mouse

void TbsSkinMDITabsBar::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case WM_MOVE:
        TbsSkinControl::Dispatch(M);
        if (Skinned() && FSD->MDITabsTransparent && Align() == alNone)
            Repaint();
        return;
    case SKN_PARENTBGCHANGED:
        if (Skinned() && FSD->MDITabsTransparent)
            Repaint();
        return;
    case CM_MOUSELEAVE:
        TbsSkinControl::Dispatch(M);
        TestActive(-1, -1);
        return;
    default: TbsSkinControl::Dispatch(M); return;
    }
}

void TbsSkinMDITabsBar::TestActive(int X, int Y)
{
    ActiveTabIndex = GetTabIndex(X, Y);
    const bool changed = ActiveTabIndex != OldTabIndex;
    if (changed) {
        if (OldTabIndex >= 0 && OldTabIndex < int(ObjectList.size()) && ObjectList[size_t(OldTabIndex)]->Visible) {
            TbsMDITab* old = ObjectList[size_t(OldTabIndex)].get();
            old->MouseIn = false;
            RedrawTab(old);
            if (OnTabMouseLeave)
                OnTabMouseLeave(old);
        }
        if (ActiveTabIndex >= 0 && ObjectList[size_t(ActiveTabIndex)]->Visible) {
            TbsMDITab* hot = ObjectList[size_t(ActiveTabIndex)].get();
            hot->MouseIn = true;
            RedrawTab(hot);
            if (OnTabMouseEnter)
                OnTabMouseEnter(hot);
        }
        OldTabIndex = ActiveTabIndex;
    }
    if (ShowCloseButtons && ActiveTabIndex >= 0) {
        TbsMDITab* hot = ObjectList[size_t(ActiveTabIndex)].get();
        const bool in = PtInRect(OffsetRect(hot->ButtonRect, hot->ObjectRect.Left, hot->ObjectRect.Top), Point(X, Y));
        if (in != hot->ButtonMouseIn) {
            hot->ButtonMouseIn = in;
            if (!in)
                hot->ButtonMouseDown = false;
            RedrawTab(hot);
        }
    }
    if (changed && ShowCloseButtons) {
        bool any = false;
        for (size_t i = 0; i < ObjectList.size(); ++i)
            if (int(i) != ActiveTabIndex && (ObjectList[i]->ButtonMouseIn || ObjectList[i]->ButtonMouseDown)) {
                ObjectList[i]->ButtonMouseIn = ObjectList[i]->ButtonMouseDown = false;
                any = true;
            }
        if (any)
            Repaint();
    }
    if (FShowAddButton) {
        const bool in = PtInRect(FAddButtonRect, Point(X, Y));
        if (in != FAddButtonActive) {
            FAddButtonActive = in;
            Repaint();
        }
    }
}

void TbsSkinMDITabsBar::MouseDown(TMouseButtonKind Button, TShiftState Shift, int X, int Y)
{
    TbsSkinControl::MouseDown(Button, Shift, X, Y);
    const int index = GetTabIndex(X, Y);
    TbsMDITab* tab = index == -1 ? nullptr : ObjectList[size_t(index)].get();
    if (Button == mbLeft && tab) {
        TCustomForm* child = tab->Child;
        child->Show();
        TbsSkinForm* comp = FindSkinFormComponent(child);
        if (comp && comp->WindowState() == wsMinimized)
            comp->SetWindowState(wsNormal);
        FDown = true;
        DragIndex = MoveTabs ? index : -1;
        DX = X;
        TabDX = 0;
        if ((Shift & ssDouble) && DblClickChildMove && comp && comp->WindowState() == wsNormal)
            child->SetBounds(0, 0, child->Width(), child->Height());
        if (OnTabMouseDown)
            OnTabMouseDown(Button, Shift, tab);
        if (ShowCloseButtons) {
            if (PtInRect(OffsetRect(tab->ButtonRect, tab->ObjectRect.Left, tab->ObjectRect.Top), Point(X, Y))) {
                FDown = false;
                DragIndex = -1;
                tab->ButtonMouseIn = tab->ButtonMouseDown = true;
                RedrawTab(tab);
            } else
                tab->ButtonMouseIn = tab->ButtonMouseDown = false;
        }
    }
    if (Button == mbLeft && FShowAddButton && FAddButtonActive && PtInRect(FAddButtonRect, Point(X, Y))) {
        FAddButtonDown = true;
        Repaint();
    }
    if (Button == mbRight && tab) {
        TbsSkinForm* comp = FindSkinFormComponent(tab->Child);
        if (SupportChildMenus && comp && BSF) {
            BSF->SkinMenuOpen();
            const TPoint p = ClientToScreen(Point(X, Y));
            BSF->SkinMenu()->Popup(Parent(), BSF->MenusSkinData() ? BSF->MenusSkinData() : BSF->SkinData(), 0,
                                   Rect(p.X, p.Y, p.X, p.Y), comp->GetSystemMenuItems(), false);
        }
        if (OnTabMouseDown)
            OnTabMouseDown(Button, Shift, tab);
    }
}

void TbsSkinMDITabsBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TbsSkinControl::MouseMove(Shift, X, Y);
    if (FDown && DragIndex != -1 && !IsDrag && X != DX)
        IsDrag = true;
    if (IsDrag) {
        TabDX = X - DX;
        Repaint();
    } else
        TestActive(X, Y);
}

void TbsSkinMDITabsBar::MouseUp(TMouseButtonKind Button, TShiftState Shift, int X, int Y)
{
    TbsSkinControl::MouseUp(Button, Shift, X, Y);
    FDown = false;
    if (IsDrag) {
        const int target = GetDropIndex();
        IsDrag = false;
        if (target != -1 && target != DragIndex && DragIndex >= 0 && DragIndex < int(ObjectList.size())) {
            auto moved = std::move(ObjectList[size_t(DragIndex)]);
            ObjectList.erase(ObjectList.begin() + DragIndex);
            ObjectList.insert(ObjectList.begin() + target, std::move(moved));
        }
        DragIndex = -1;
        DX = TabDX = 0;
        Repaint();
    } else if (TbsMDITab* tab = GetTab(X, Y); tab && OnTabMouseUp)
        OnTabMouseUp(Button, Shift, tab);
    if (FShowAddButton) {
        const bool click = FAddButtonDown && PtInRect(FAddButtonRect, Point(X, Y));
        FAddButtonDown = false;
        if (click) {
            Repaint();
            if (OnAddButtonClick)
                OnAddButtonClick(this);
        }
    }
    if (ShowCloseButtons && Button == mbLeft)
        if (TbsMDITab* tab = GetTab(X, Y)) {
            const bool in = PtInRect(OffsetRect(tab->ButtonRect, tab->ObjectRect.Left, tab->ObjectRect.Top), Point(X, Y));
            const bool wasDown = tab->ButtonMouseDown;
            tab->ButtonMouseIn = in;
            tab->ButtonMouseDown = false;
            if (in) {
                RedrawTab(tab);
                // A press that started elsewhere does not close.
                if (wasDown)
                    CloseChild(tab);
            }
        }
}

} // namespace skin
