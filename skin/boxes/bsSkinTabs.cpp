#include "skin/boxes/bsSkinTabs.h"

#include "skin/core/bsUtils_SkinImage.h"

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/core/bsSkinData_ViewControls.h"

#include "platform/ui/Input.h"

#include <algorithm>

namespace skin {

using namespace platform;

// ---- TbsSkinCustomTabSheet

TbsSkinCustomTabSheet::TbsSkinCustomTabSheet(TComponent* AOwner) : TTabSheet(AOwner) {}

TbsSkinCustomTabSheet::~TbsSkinCustomTabSheet() { SetPageControl(nullptr); }

void TbsSkinCustomTabSheet::SetWallPaper(TBitmap* Value)
{
    FWallPaper.Assign(Value);
    Invalidate();
}

void TbsSkinCustomTabSheet::Dispatch(TMessage& M)
{
    if (M.Msg == SKN_PAINTTODC) {
        M.Result = SKN_PAINTTODC_ANSWER;
        return;
    }
    TTabSheet::Dispatch(M);
}

void TbsSkinCustomTabSheet::WMSize(TMessage& M)
{
    TTabSheet::WMSize(M);
    Invalidate();
    auto* pc = dynamic_cast<TbsSkinPageControl*>(PageControl());
    if (pc && pc->FSD && !pc->FSD->Empty() && pc->Skinned() && pc->StretchEffect)
        for (int i = 0; i < ControlCount(); ++i)
            if (auto* w = dynamic_cast<TWinControl*>(Controls(i)); w && w->HandleAllocated())
                SendMessage(w->Handle(), SKN_PARENTBGCHANGED, 0, 0);
}

void TbsSkinCustomTabSheet::Paint() { PaintBG(Canvas()); }


void TbsSkinCustomTabSheet::PaintBG(TCanvas* C)
{
    if (Width() <= 0 || Height() <= 0)
        return;
    if (!FWallPaper.Empty()) {
        TileImage(C, &FWallPaper, Width(), Height());
        return;
    }
    auto* pc = dynamic_cast<TbsSkinPageControl*>(PageControl());
    if (pc)
        pc->GetSkinData();
    if (!pc || !pc->FSD || pc->FSD->Empty() || !pc->Skinned()) {
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(Rect(0, 0, Width(), Height()));
        return;
    }
    if (pc->BGPictureIndex != -1) {
        if (TbsPicture* p = ActivePicture(*pc->FSD, pc->BGPictureIndex))
            DrawStretched(C, p, Width(), Height(), pc->StretchEffect, pc->StretchType);
        return;
    }
    if (!pc->Picture || pc->ClRect.IsEmpty())
        return;
    // The frame's client part, as big as the page control when stretched.
    TBitmap part;
    part.SetSize(pc->ClRect.Width(), pc->ClRect.Height());
    part.Canvas()->CopyRect(Rect(0, 0, part.Width(), part.Height()), pc->Picture->Canvas(),
                            OffsetRect(pc->ClRect, pc->SkinRect.Left, pc->SkinRect.Top));
    if (pc->StretchEffect)
        DrawStretched(C, &part, pc->Width(), pc->Height(), true, pc->StretchType);
    else
        TileImage(C, &part, Width(), Height());
}

// ---- TbsSkinPageControl

TbsSkinPageControl::TbsSkinPageControl(TComponent* AOwner) : TPageControl(AOwner)
{
    FDefaultFont.SetName("Tahoma");
    FDefaultFont.SetHeight(13);
    FDefaultFont.SetColor(clBtnText);
    Font()->Assign(&FDefaultFont);
    FTempImages = new TImageList(this);
    FTempImages->SetSize(1, 1);
    SetImages(FTempImages);
}

TbsSkinPageControl::~TbsSkinPageControl() = default;

void TbsSkinPageControl::Notification(TComponent* AComponent, TOperation AOperation)
{
    TPageControl::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FTabImages)
        FTabImages = nullptr;
    if (AComponent == FSkinUpDown)
        FSkinUpDown = nullptr;
    if (AComponent == FTempImages)
        FTempImages = nullptr;
}

void TbsSkinPageControl::SetSkinData(TbsSkinData* Value)
{
    ChangeReference(this, FSD, Value);
    if (FSD && !FSD->Empty())
        ChangeSkinData();
}

int TbsSkinPageControl::TempImagesWidth() const { return FTempImages ? FTempImages->Width() : 0; }

// The private list grows along the tab row: wider for tabs above or below,
// taller for tabs at the sides.
void TbsSkinPageControl::SetTempWidth(int ADelta)
{
    if (!FTempImages)
        return;
    bool side = TabPosition() == tpLeft || TabPosition() == tpRight;
    int w = FTempImages->Width(), h = FTempImages->Height();
    if (side)
        h = std::max(1, h + ADelta);
    else
        w = std::max(1, w + ADelta);
    FTempImages->SetSize(w, h);
    TabsChanged();
}

void TbsSkinPageControl::SetTabImages(TCustomImageList* Value)
{
    bool side = TabPosition() == tpLeft || TabPosition() == tpRight;
    int old = FTabImages ? (side ? FTabImages->Height() : FTabImages->Width()) : 0;
    ChangeReference(this, FTabImages, Value);
    int now = Value ? (side ? Value->Height() : Value->Width()) : 0;
    SetTempWidth(now - old);
    Invalidate();
}

void TbsSkinPageControl::SetShowCloseButtons(bool Value)
{
    if (Value != FShowCloseButtons) {
        FShowCloseButtons = Value;
        SetTempWidth(Value ? FCloseSize : -FCloseSize);
    }
    Invalidate();
}

void TbsSkinPageControl::SetDefaultItemHeight(int Value)
{
    FDefaultItemHeight = Value;
    if (!Skinned()) {
        SetTabSize(TabWidth(), Value);
        UpdateUpDownPosition();
        Realign();
    }
}

void TbsSkinPageControl::SetTabExtededDraw(bool Value)
{
    FTabExtendedDraw = Value;
    Invalidate();
}

void TbsSkinPageControl::SetTabMargin(int Value)
{
    if (Value < -1 || Value == FTabMargin)
        return;
    FTabMargin = Value;
    Invalidate();
}

void TbsSkinPageControl::SetTabSpacing(int Value)
{
    if (Value == FTabSpacing)
        return;
    FTabSpacing = Value;
    Invalidate();
}

void TbsSkinPageControl::SetTabLayout(TbsButtonLayout Value)
{
    if (Value == FTabLayout)
        return;
    FTabLayout = Value;
    Invalidate();
}

void TbsSkinPageControl::SetTextInHorizontal(bool Value)
{
    FTextInHorizontal = Value;
    Invalidate();
}

void TbsSkinPageControl::SetTabsBGTransparent(bool Value)
{
    if (Value == FTabsBGTransparent)
        return;
    FTabsBGTransparent = Value;
    Invalidate();
}

void TbsSkinPageControl::SetTabsInCenter(bool Value)
{
    if (TabWidth() == 0) {
        FTabsInCenter = false;
        return;
    }
    FTabsInCenter = Value;
    if (Value) {
        SetTabPosition(tpTop);
        SetMultiLine(false);
        SetTabsBGTransparent(true);
    }
    Invalidate();
}

void TbsSkinPageControl::SetTabsOffset(int Value)
{
    FTabsOffset = Value;
    if (Value > 0) {
        SetTabPosition(tpTop);
        SetMultiLine(false);
        SetTabsBGTransparent(true);
    }
    Invalidate();
}

void TbsSkinPageControl::GetSkinData()
{
    BGPictureIndex = -1;
    FIndex = (!FSD || FSD->Empty()) ? -1 : FSD->GetControlIndex(SkinDataName);
    if (FIndex == -1)
        return;
    auto* rec = dynamic_cast<TbsDataSkinTabControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!rec)
        return;   // the copies keep what the last tab record gave
    Picture = ActivePicture(*FSD, rec->PictureIndex);
    SkinRect = rec->SkinRect;
    ClRect = rec->ClRect;
    TabRect = rec->TabRect;
    ActiveTabRect = rec->ActiveTabRect.IsEmpty() ? rec->TabRect : rec->ActiveTabRect;
    FocusTabRect = rec->FocusTabRect.IsEmpty() ? rec->ActiveTabRect : rec->FocusTabRect;
    if (FocusTabRect.IsEmpty())
        FocusTabRect = ActiveTabRect;
    MouseInTabRect = rec->MouseInTabRect;
    TabsBGRect = rec->TabsBGRect;
    LTPoint = rec->LTPoint;
    RTPoint = rec->RTPoint;
    LBPoint = rec->LBPoint;
    RBPoint = rec->RBPoint;
    TabLeftOffset = rec->TabLeftOffset;
    TabRightOffset = rec->TabRightOffset;
    FontName = rec->FontName;
    FontStyle = rec->FontStyle;
    FontHeight = rec->FontHeight;
    FontColor = rec->FontColor;
    ActiveFontColor = rec->ActiveFontColor;
    FocusFontColor = rec->FocusFontColor;
    MouseInFontColor = rec->MouseInFontColor;
    UpDown = rec->UpDown;
    BGPictureIndex = rec->BGPictureIndex;
    TabStretchEffect = rec->TabStretchEffect;
    ShowFocus = rec->ShowFocus;
    FocusOffsetX = rec->FocusOffsetX;
    FocusOffsetY = rec->FocusOffsetY;
    StretchEffect = rec->StretchEffect;
    LeftStretch = rec->LeftStretch;
    TopStretch = rec->TopStretch;
    RightStretch = rec->RightStretch;
    BottomStretch = rec->BottomStretch;
    StretchType = rec->StretchType;
    CloseButtonRect = rec->CloseButtonRect;
    ClosebuttonActiveRect = rec->CloseButtonActiveRect;
    CloseButtonDownRect = rec->CloseButtonDownRect;
    ButtonTransparent = rec->ButtonTransparent;
    ButtonTransparentColor = rec->ButtonTransparentColor;
    TabLeftBottomActiveRect = rec->TabLeftBottomActiveRect;
    TabLeftBottomFocusRect = rec->TabLeftBottomFocusRect.IsEmpty() ? rec->TabLeftBottomActiveRect : rec->TabLeftBottomFocusRect;
    // From the next reading on the record itself falls back the same way.
    if (rec->CloseButtonActiveRect.IsEmpty())
        rec->CloseButtonActiveRect = rec->CloseButtonRect;
    if (rec->CloseButtonDownRect.IsEmpty())
        rec->CloseButtonDownRect = rec->CloseButtonActiveRect;
}

int TbsSkinPageControl::GetCloseSize() { return Skinned() && !CloseButtonRect.IsEmpty() ? CloseButtonRect.Width() : 14; }

void TbsSkinPageControl::ChangeSkinData()
{
    GetSkinData();
    if (FShowCloseButtons) {
        SetTempWidth(-FCloseSize);
        FCloseSize = GetCloseSize();
        SetTempWidth(FCloseSize);
    }
    int height;
    if (!Skinned()) {
        Font()->Assign(&FDefaultFont);
        height = TabHeight() > 0 ? TabHeight() : FDefaultItemHeight;
    } else {
        if (UseSkinFont) {
            Font()->SetName(FontName);
            Font()->SetHeight(FontHeight);
            Font()->SetStyle(FontStyle);
        } else {
            Font()->Assign(&FDefaultFont);
        }
        Font()->SetColor(FontColor);
        height = TabHeight() > 0 ? TabHeight() : TabRect.Height();
    }
    Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet : FDefaultFont.Charset());
    SetTabSize(TabWidth(), height);
    UpdateUpDownPosition();
    Realign();
    if (FSkinUpDown) {
        delete FSkinUpDown;
        FSkinUpDown = nullptr;
        UpdateUpDown();
    }
    if (ActivePage())
        ActivePage()->Invalidate();
    Invalidate();
}

// ---- hiding tabs and border

void TbsSkinPageControl::HideTabs()
{
    if (FOldTabHeight != -1 || TabCount() == 0)
        return;
    FHideTabs = true;
    FOldTabPosition = TabPosition();
    FOldMultiLine = MultiLine();
    if (TabPosition() == tpLeft || TabPosition() == tpRight)
        SetTabPosition(tpTop);
    SetMultiLine(false);
    FOldTabHeight = TabHeight();
    SetTabHeight(1);
    delete FSkinUpDown;
    FSkinUpDown = nullptr;
}

void TbsSkinPageControl::ShowTabs()
{
    if (FOldTabHeight == -1)
        return;
    SetTabPosition(FOldTabPosition);
    SetMultiLine(FOldMultiLine);
    SetTabHeight(FOldTabHeight);
    FHideTabs = false;
    if (FOldTabHeight <= 0 && Skinned())
        SetTabSize(TabWidth(), TabRect.Height());
    FOldTabHeight = -1;
    if (!MultiLine())
        UpdateUpDown();
}

void TbsSkinPageControl::HideBorderAndTabs()
{
    SetTabPosition(tpTop);
    FHideTabs = true;
    FHideBorder = true;
    delete FSkinUpDown;
    FSkinUpDown = nullptr;
    Realign();
}

void TbsSkinPageControl::ShowBorderAndTabs()
{
    FHideTabs = false;
    FHideBorder = false;
    ShowTabs();
    Realign();
}

void TbsSkinPageControl::UpDateTabs()
{
    int height = TabHeight() > 0 ? TabHeight() : Skinned() ? TabRect.Height() : FDefaultItemHeight;
    SetTabSize(TabWidth(), height);
    if (MultiLine()) {
        delete FSkinUpDown;
        FSkinUpDown = nullptr;
    }
    Realign();
}

// ---- rectangles

int TbsSkinPageControl::GetTabsLeftOffset()
{
    if (FTabsOffset > 0)
        return FTabsOffset;
    if (TabWidth() == 0)
        return 0;
    return std::max(0, Width() / 2 - TabWidth() * TabCount() / 2);
}

void TbsSkinPageControl::WndProc(TMessage& M)
{
    bool shifted = FTabsInCenter || FTabsOffset > 0;
    if (shifted && (M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONUP || M.Msg == WM_LBUTTONDBLCLK || M.Msg == WM_NCHITTEST))
        M.LParam = MAKELPARAM(GET_X_LPARAM(M.LParam) - GetTabsLeftOffset(), GET_Y_LPARAM(M.LParam));
    TPageControl::WndProc(M);
    switch (M.Msg) {
    case TCM_ADJUSTRECT: {
        auto* r = reinterpret_cast<TRect*>(M.LParam);
        if (!r)
            break;
        GetSkinData();
        if (FHideBorder) {
            *r = Rect(0, -2, Width(), Height());
            break;
        }
        int cw = ClientWidth(), ch = ClientHeight();
        bool skinned = Skinned();
        int l = ClRect.Left, t = ClRect.Top, rb = SkinRect.Width() - ClRect.Right, bb = SkinRect.Height() - ClRect.Bottom;
        switch (TabPosition()) {
        case tpTop:
            *r = skinned ? Rect(l, r->Top - 6 + t, cw - rb, ch - bb) : Rect(1, r->Top - 5, cw - 1, ch - 1);
            if (FHideTabs)
                r->Top -= 1;
            break;
        case tpBottom:
            *r = skinned ? Rect(l, r->Top - 4 + t, cw - rb, r->Bottom + 4 - bb) : Rect(1, 1, cw - 1, r->Bottom + 3);
            if (FHideTabs && skinned)
                r->Bottom += 1;
            break;
        case tpLeft:
            *r = skinned ? Rect(r->Left + l - 4, r->Top - 4 + t, cw - rb, ch - bb) : Rect(r->Left - 3, r->Top - 5, cw - 1, ch - 1);
            if (FHideTabs)
                r->Left -= 1;
            break;
        case tpRight:
            *r = skinned ? Rect(l, r->Top - 4 + t, r->Right + 4 - rb, ch - bb) : Rect(r->Left - 3, r->Top - 5, r->Right + 3, ch - 1);
            if (FHideTabs)
                r->Right += 1;
            break;
        }
        break;
    }
    case TCM_GETITEMRECT: {
        auto* r = reinterpret_cast<TRect*>(M.LParam);
        if (!r || !M.Result || Style() != platform::tsTabs)
            break;
        switch (TabPosition()) {
        case tpTop:
            *r = OffsetRect(*r, MultiLine() ? 0 : -2, -2);
            if (shifted)
                *r = OffsetRect(*r, GetTabsLeftOffset(), 0);
            break;
        case tpBottom: *r = OffsetRect(*r, MultiLine() ? 0 : -2, 2); break;
        case tpLeft: *r = OffsetRect(*r, -2, 0); break;
        case tpRight: *r = OffsetRect(*r, 2, 0); break;
        }
        break;
    }
    case TCM_SETCURSEL: Invalidate(); break;
    case WM_HSCROLL: Invalidate(); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (shifted)
            Invalidate();
        break;
    case WM_SIZE:
        if (!MultiLine())
            UpdateUpDown();
        break;
    default: break;
    }
}

void TbsSkinPageControl::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case SKN_PAINTTODC: M.Result = SKN_PAINTTODC_ANSWER; return;
    case SKN_PARENTBGCHANGED:
        if (FTabsBGTransparent)
            Invalidate();
        return;
    default: TPageControl::Dispatch(M);
    }
}

// ---- the tab scroller

void TbsSkinPageControl::UpdateScroller() { UpdateUpDown(); }

int TbsSkinPageControl::GetHiddenTabCount()
{
    int n = 0;
    for (int i = 0; i < TabCount(); ++i) {
        TRect r = TCustomTabControl::TabRect(i);
        n += r.Right > Width() - 3 || r.Right <= 0;
    }
    return n;
}

int TbsSkinPageControl::GetScrolledOffTabs()
{
    int n = 0;
    for (int i = 0; i < TabCount(); ++i)
        n += TCustomTabControl::TabRect(i).Right <= 0;
    return n;
}

void TbsSkinPageControl::UpdateUpDown()
{
    int hidden = GetHiddenTabCount();
    if (hidden == 0 || MultiLine() || FHideTabs) {
        delete FSkinUpDown;
        FSkinUpDown = nullptr;
        return;
    }
    if (!FSkinUpDown) {
        FSkinUpDown = new TbsSkinUpDown(this);
        FSkinUpDown->SetWidth(FDefaultItemHeight * 2);
        FSkinUpDown->SetHeight(FDefaultItemHeight);
        FSkinUpDown->SetMin(0);
        FSkinUpDown->SetMax(hidden);
        FSkinUpDown->SetIncrement(1);
        FSkinUpDown->SetPosition(GetScrolledOffTabs());
        FSkinUpDown->OnChange = [this](TObject* S) { UpDownChange(S); };
        FSkinUpDown->SetSkinDataName(UpDown);
        FSkinUpDown->SetSkinData(FSD);
        FSkinUpDown->SetParent(this);
    }
    FSkinUpDown->SetMax(hidden);
    int h = FSkinUpDown->Height();
    TRect page = DisplayRect();
    int top;
    if (TabPosition() == tpTop)
        top = !Skinned() ? 0 : std::max(0, page.Top - h - ClRect.Top);
    else
        top = !Skinned() ? Height() - h : std::min(Height() - h, SkinRect.Height() + page.Bottom - ClRect.Bottom);
    FSkinUpDown->SetBounds(Width() - FSkinUpDown->Width(), top, FSkinUpDown->Width(), h);
    FSkinUpDown->SetVisible(true);
}

void TbsSkinPageControl::UpDownChange(TObject*)
{
    if (!FSkinUpDown)
        return;
    FSkinUpDown->SetMax(GetHiddenTabCount());
    SendMessage(Handle(), WM_HSCROLL, WPARAM(MAKELPARAM(SB_THUMBPOSITION, FSkinUpDown->Position())), 0);
}

void TbsSkinPageControl::UpdateUpDownPosition()
{
    if (FSkinUpDown)
        FSkinUpDown->SetPosition(GetScrolledOffTabs());
    Invalidate();
}

void TbsSkinPageControl::Change()
{
    UpdateUpDownPosition();
    TPageControl::Change();
    Invalidate();
    if (ActivePage())
        ActivePage()->Invalidate();
}

// ---- the mouse

TbsSkinCustomTabSheet* TbsSkinPageControl::SheetOfTab(int ATab) { return dynamic_cast<TbsSkinCustomTabSheet*>(PageOfTab(ATab)); }

void TbsSkinPageControl::RepaintTabs()
{
    if (HandleAllocated())
        Invalidate();
}

TRect TbsSkinPageControl::CloseButtonAt(int ATab)
{
    TbsSkinCustomTabSheet* sheet = SheetOfTab(ATab);
    if (!sheet)
        return TRect{};
    TRect tab = GetTabRect(ATab);
    int left = (FTabsInCenter || FTabsOffset > 0) ? tab.Left - GetTabsLeftOffset() : tab.Left;
    return OffsetRect(sheet->ButtonRect, left, tab.Top);
}

void TbsSkinPageControl::TestActive(int X, int Y)
{
    if (FHideTabs)
        return;
    FOldActiveTabIndex = FActiveTabIndex;
    FOldActiveTab = FActiveTab;
    FActiveTabIndex = -1;
    for (int i = 0; i < TabCount() && FActiveTabIndex < 0; ++i)
        if (PtInRect(GetTabRect(i), Point(X, Y)))
            FActiveTabIndex = i;
    FActiveTab = FActiveTabIndex >= 0 && PageOfTab(FActiveTabIndex) ? PageOfTab(FActiveTabIndex)->PageIndex() : -1;
    if (FActiveTabIndex != FOldActiveTabIndex) {
        if (FOldActiveTabIndex >= 0 && FOldActiveTabIndex != TabIndex())
            if (TbsSkinCustomTabSheet* old = SheetOfTab(FOldActiveTabIndex)) {
                old->ButtonMouseIn = false;
                old->ButtonMouseDown = false;
            }
        RepaintTabs();
    }
    if (FShowCloseButtons && FActiveTabIndex >= 0)
        if (TbsSkinCustomTabSheet* sheet = SheetOfTab(FActiveTabIndex)) {
            bool in = PtInRect(CloseButtonAt(FActiveTabIndex), Point(X, Y));
            if (in != sheet->ButtonMouseIn) {
                sheet->ButtonMouseIn = in;
                if (!in)
                    sheet->ButtonMouseDown = false;
                RepaintTabs();
            }
        }
}

void TbsSkinPageControl::MouseMove(TShiftState AShift, int X, int Y)
{
    TPageControl::MouseMove(AShift, X, Y);
    if (!FHideTabs)
        TestActive(X, Y);
}

TbsSkinCustomTabSheet* TbsSkinPageControl::CloseButtonSheet(TMouseButtonKind AButton, int X, int Y, bool& AIn)
{
    if (FHideTabs)
        return nullptr;
    if (AButton == mbLeft && !FTabsInCenter && FTabsOffset <= 0)
        TestActive(X, Y);
    if (FActiveTabIndex < 0 || !FShowCloseButtons || AButton != mbLeft)
        return nullptr;
    TbsSkinCustomTabSheet* sheet = SheetOfTab(FActiveTabIndex);
    AIn = sheet && PtInRect(CloseButtonAt(FActiveTabIndex), Point(X, Y));
    return sheet;
}

void TbsSkinPageControl::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TPageControl::MouseDown(AButton, AShift, X, Y);
    bool in = false;
    if (TbsSkinCustomTabSheet* sheet = CloseButtonSheet(AButton, X, Y, in)) {
        sheet->ButtonMouseIn = in;
        sheet->ButtonMouseDown = in;
        RepaintTabs();
    }
}

void TbsSkinPageControl::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TPageControl::MouseUp(AButton, AShift, X, Y);
    bool in = false;
    if (TbsSkinCustomTabSheet* sheet = CloseButtonSheet(AButton, X, Y, in)) {
        bool wasDown = sheet->ButtonMouseDown;
        sheet->ButtonMouseIn = in;
        sheet->ButtonMouseDown = false;
        RepaintTabs();
        if (in && wasDown)
            CloseActivePage();
    }
}

void TbsSkinPageControl::CloseActivePage()
{
    TTabSheet* page = ActivePage();
    if (!page)
        return;
    bool canClose = true;
    if (OnClose)
        OnClose(page, canClose);
    if (canClose) {
        page->SetTabVisible(false);
        if (FreeOnClose)
            delete page;
        if (OnAfterClose)
            OnAfterClose(this);
        return;
    }
    if (WindowFromPoint(GetCursorPos()) != Handle())
        if (auto* sheet = dynamic_cast<TbsSkinCustomTabSheet*>(page)) {
            sheet->ButtonMouseIn = false;
            sheet->ButtonMouseDown = false;
            RepaintTabs();
        }
}

void TbsSkinPageControl::CMMouseLeave(TMessage& M)
{
    TPageControl::CMMouseLeave(M);
    if (!FHideTabs)
        TestActive(-1, -1);
    for (int* index : {&FOldActiveTabIndex, &FActiveTabIndex})
        if (*index != -1 && *index != TabIndex() && *index < PageCount()) {
            *index = -1;
            FActiveTab = -1;
            RepaintTabs();
        }
}

void TbsSkinPageControl::WMMouseWheel(TMessage& M)
{
    TPageControl::WMMouseWheel(M);
    if (!MouseWheelSupport || !Focused())
        return;
    // At either end the page stays.
    int delta = int16_t(HIWORD(M.WParam));
    TTabSheet* next = FindNextPage(ActivePage(), delta < 0, true);
    int from = ActivePageIndex(), to = next ? next->PageIndex() : from;
    if (next && ((delta < 0 && to > from) || (delta >= 0 && to < from)))
        SelectNextPage(delta < 0, true);
}

} // namespace skin
