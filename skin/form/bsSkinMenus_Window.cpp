// One open level of a skinned popup menu: filling, size, layout, placement,
// showing and painting of the window; its mouse, keys and scrolling are in
// bsSkinMenus_Track.cpp.

#include "skin/form/bsSkinMenus.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Regions.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/controls/ImgList.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Gdi.h"
#include "platform/ui/Messages.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

// The first menu-item record of the skin that has a picture to draw from:
// a record without one cannot size the items it would draw.
TbsDataSkinMenuItem* MenuItemRecord(TbsSkinData* ASD)
{
    if (!ASD || ASD->Empty())
        return nullptr;
    for (auto& record : ASD->ObjectList)
        if (auto* mi = dynamic_cast<TbsDataSkinMenuItem*>(record.get()))
            return ActivePicture(*ASD, mi->ActivePictureIndex) ? mi : nullptr;
    return nullptr;
}

} // namespace

TbsSkinPopupWindow::TbsSkinPopupWindow(TComponent* AOwner, TbsSkinMenu* AParentMenu, TbsDataSkinPopupWindow* AData)
    : TbsSkinPopupControl(AOwner), ParentMenu(AParentMenu)
{
    FMouseTimer = new TTimer(this);
    FMouseTimer->SetEnabled(false);
    FMouseTimer->SetInterval(50);
    FMouseTimer->SetOnTimer([this](TObject*) { MouseTimerProc(); });
    FMorphTimer = new TTimer(this);
    FMorphTimer->SetEnabled(false);
    FMorphTimer->SetInterval(20);
    FMorphTimer->SetOnTimer([this](TObject*) { MorphTimerProc(); });
    // A skin whose window picture or menu-item record is unusable draws the
    // menu without a skin rather than half of one.
    TbsSkinData* sd = ParentMenu->SkinData;
    if (AData && AData->WindowPictureIndex != -1 && sd && ActivePicture(*sd, AData->WindowPictureIndex) &&
        MenuItemRecord(sd)) {
        PW = AData;
        SD = sd;
        WindowPicture = ActivePicture(*sd, AData->WindowPictureIndex);
        MaskPicture = AData->MaskPictureIndex != -1 ? ActivePicture(*sd, AData->MaskPictureIndex) : nullptr;
    }
}

TbsSkinPopupWindow::~TbsSkinPopupWindow()
{
    if (FScrollTimer && HandleAllocated())
        KillTimer(Handle(), 1);
    ItemList.clear();
}

void TbsSkinPopupWindow::PopupWndProc(TMessage& M)
{
    if (M.Msg == WM_TIMER && M.WParam == 1) {
        ScrollTimerStep();
        return;
    }
    TbsSkinPopupControl::PopupWndProc(M);
    if (M.Msg == WM_CANCELMODE)
        ParentMenu->CancelMode();
}

void TbsSkinPopupWindow::Paint() { PaintMenu(Canvas()->Handle()); }

int TbsSkinPopupWindow::IndexOfItem(const TbsSkinMenuItem* AItem) const
{
    for (int i = 0; i < ItemCount(); ++i)
        if (Item(i) == AItem)
            return i;
    return -1;
}

TFont* TbsSkinPopupWindow::MeasureFont()
{
    TFont* font = Canvas()->Font();
    if (PW && DSMI && ParentMenu->UseSkinFont) {
        font->SetName(DSMI->FontName);
        font->SetHeight(DSMI->FontHeight);
        font->SetStyle(DSMI->FontStyle);
    } else {
        font->Assign(ParentMenu->DefaultMenuItemFont());
    }
    TbsSkinData* sd = ParentMenu->SkinData;
    if (sd && sd->ResourceStrData())
        font->SetCharset(sd->ResourceStrData()->CharSet);
    else
        font->SetCharset(ParentMenu->DefaultMenuItemFont()->Charset());
    return font;
}

void TbsSkinPopupWindow::AddItems(TMenuItem* AItem, int AFrom)
{
    for (int i = std::max(0, AFrom); i < AItem->Count(); ++i) {
        TMenuItem* child = AItem->Items(i);
        if (child->Visible)
            ItemList.push_back(std::make_unique<TbsSkinMenuItem>(this, child, DSMI));
    }
}

void TbsSkinPopupWindow::LoadItems(TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool AShow2)
{
    DSMI = PW ? MenuItemRecord(SD) : nullptr;
    MeasureFont();
    platform::TMenu* menu = AItem->GetParentMenu();
    // Separators are tidied before the items are taken, so hidden ones get no row.
    if (menu && menu->AutoLineReduction == maAutomatic)
        AItem->RethinkLines();
    ImgL = menu ? menu->Images() : nullptr;
    ItemList.clear();
    AddItems(AItem, StartIndex);
    if (AItem2)
        AddItems(AItem2, StartIndex - AItem->Count());
    CalcSize(AShow2);
    if (PW) {
        const int picW = WindowPicture->Width(), picH = WindowPicture->Height();
        const int w = Width(), h = Height();
        NewLTPoint = PW->LTPoint;
        NewRTPoint = Point(w - (picW - PW->RTPoint.X), PW->RTPoint.Y);
        NewLBPoint = Point(PW->LBPoint.X, h - (picH - PW->LBPoint.Y));
        NewRBPoint = Point(w - (picW - PW->RBPoint.X), h - (picH - PW->RBPoint.Y));
        NewItemsRect = Rect(PW->ItemsRect.Left, PW->ItemsRect.Top, w - (picW - PW->ItemsRect.Right),
                            h - (picH - PW->ItemsRect.Bottom));
    } else {
        NewItemsRect = Rect(2, 2, Width() - 2, Height() - 2);
    }
    LayoutItems();
    if (MaskPicture)
        SetSkinRegion();
}

void TbsSkinPopupWindow::SetSkinRegion()
{
    HRGN rgn = nullptr;
    CreateSkinRegion(rgn, PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, PW->ItemsRect, NewLTPoint, NewRTPoint,
                     NewLBPoint, NewRBPoint, NewItemsRect, MaskPicture, Width(), Height());
    // The window owns the region from here on.
    SetWindowRgn(Handle(), rgn, true);
}

int TbsSkinPopupWindow::CalcWidth()
{
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(MeasureFont());
    int widest = 0;
    for (auto& item : ItemList) {
        std::string text = item->MenuItem->Caption;
        if (item->MenuItem->ShortCut != scNone)
            text += "  " + ShortCutToText(item->MenuItem->ShortCut);
        TRect r = Rect(0, 0, 0, 0);
        WideDrawText(measure.Canvas(), text, r, DT_CALCRECT);
        widest = std::max(widest, RectWidth(r) + 2);
    }
    GlyphWidth = ImgL ? ImgL->Width() + 5 : 19;
    int w = widest + GlyphWidth + 19;
    if (PW)
        w += WindowPicture->Width() - RectWidth(PW->ItemsRect) + DSMI->TextRct.Left + RectWidth(DSMI->SkinRect) -
             DSMI->TextRct.Right;
    else
        w += 10;
    return w;
}

int TbsSkinPopupWindow::CalcHeight(bool AShow2)
{
    int sum = 0;
    for (auto& item : ItemList)
        sum += item->Height();
    const int frame = PW ? WindowPicture->Height() - RectHeight(PW->ItemsRect) : (AShow2 ? 6 : 4);
    const int max = ParentMenu->MaxMenuItemsInWindow;
    if (max != 0 && max < ItemCount()) {
        const int h1 = PW && ParentMenu->UseSkinSize ? RectHeight(DSMI->SkinRect) : ParentMenu->DefaultMenuItemHeight;
        Scroll = true;
        Scroll2 = true;
        // Room for the two 10-pixel scroll strips.
        return h1 * max + 20 + frame;
    }
    return sum + frame;
}

void TbsSkinPopupWindow::CalcSize(bool AShow2)
{
    VisibleStartIndex = 0;
    VisibleCount = ItemCount();
    Scroll = false;
    Scroll2 = false;
    const int w = CalcWidth();
    int h = CalcHeight(AShow2);
    const int workH = RectHeight(ParentMenu->WorkArea);
    if (h > workH) {
        h = workH;
        Scroll = true;
    }
    SetBounds(Left(), Top(), w, h);
}

void TbsSkinPopupWindow::LayoutItems()
{
    int y = NewItemsRect.Top + (Scroll ? 10 : 0);
    const int bottom = NewItemsRect.Bottom - (Scroll ? 10 : 0);
    VisibleCount = 0;
    for (int i = VisibleStartIndex; i < ItemCount(); ++i) {
        TbsSkinMenuItem* item = Item(i);
        item->ObjectRect = Rect(NewItemsRect.Left, y, NewItemsRect.Right, y + item->Height());
        if (item->ObjectRect.Bottom > bottom)
            break;
        item->FVisible = true;
        ++VisibleCount;
        y = item->ObjectRect.Bottom;
    }
    if (Scroll)
        for (int i = 0; i < ItemCount(); ++i)
            if (i < VisibleStartIndex || i >= VisibleStartIndex + VisibleCount)
                Item(i)->FVisible = false;
}

TPoint TbsSkinPopupWindow::GetShowPosition(const TRect& R, bool PopupByItem, bool PopupUp)
{
    const TRect& wa = ParentMenu->WorkArea;
    const int w = Width(), h = Height(), t = NewItemsRect.Top;
    const int mid = wa.Top + RectHeight(wa) / 2;
    bool shifted = false, rule1 = false;
    int y;
    if (Scroll && !Scroll2) {
        y = wa.Top;
        rule1 = true;
    } else if (PopupByItem) {
        if (R.Top - t + h <= wa.Bottom)
            y = R.Top - t;
        else if (R.Top < mid)
            y = wa.Bottom - h;
        else
            y = std::max(R.Bottom - h + t, wa.Top);
    } else if (PopupUp) {
        if (R.Top - h >= wa.Top)
            y = R.Top - h;
        else if (R.Top < mid) {
            if (R.Bottom + h <= wa.Bottom)
                y = R.Bottom;
            else {
                y = wa.Bottom - h;
                shifted = true;
            }
        } else {
            y = wa.Top;
            shifted = true;
        }
    } else {
        if (R.Bottom + h <= wa.Bottom)
            y = R.Bottom;
        else if (R.Top < mid) {
            y = wa.Bottom - h;
            shifted = true;
        } else if (R.Top - h >= wa.Top)
            y = R.Top - h;
        else {
            y = wa.Top;
            shifted = true;
        }
    }
    int x;
    if (PopupByItem || rule1 || shifted) {
        x = R.Right + 1 + w <= wa.Right ? R.Right + 1 : R.Left - w - 1;
    } else {
        x = R.Left;
        if (R.Left + w > wa.Right)
            x = wa.Right - w;
        else if (R.Left < wa.Left)
            x = wa.Left;
    }
    return Point(x, y);
}

void TbsSkinPopupWindow::ShowAt(const TRect& R, bool PopupByItem, bool PopupUp, const std::function<void()>& AFill)
{
    const bool layered = IsLayeredWindowsAvailable() && ParentMenu->AlphaBlend;
    const bool animated = layered && ParentMenu->AlphaBlendAnimation && ParentMenu->First();
    if (animated)
        Application()->ProcessMessages();
    HandleNeeded();
    AFill();
    const TPoint p = GetShowPosition(R, PopupByItem, PopupUp);
    ShowX = p.X;
    ShowY = p.Y;
    SetBounds(ShowX, ShowY, Width(), Height());
    if (layered) {
        SetWindowLong(Handle(), GWL_EXSTYLE, GetWindowLong(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredAlpha(Handle(), animated ? 0 : ParentMenu->AlphaBlendValue);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, ShowX, ShowY, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    if (animated) {
        // Only the first window of a chain fades in; the loop is short
        // (about fifteen steps) and keeps the GUI thread on purpose.
        const int target = ParentMenu->AlphaBlendValue;
        const int step = std::max(1, target / 15);
        int alpha = 0;
        uint32_t last = GetTickCount() - 6;
        while (alpha < target) {
            if (GetTickCount() - last > 5) {
                last = GetTickCount();
                alpha = std::min(alpha + step, target);
                SetLayeredAlpha(Handle(), uint8_t(alpha));
                FlushPresentation();
            }
        }
    }
    FMouseTimer->SetEnabled(true);
    ActiveItem = -1;
    for (int i = 0; i < ItemCount(); ++i)
        if (Item(i)->Selectable()) {
            Item(i)->WaitCommand = true;
            ActiveItem = i;
            Item(i)->MouseEnter(true);
            break;
        }
}

void TbsSkinPopupWindow::Show(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp)
{
    ShowAt(R, PopupByItem, PopupUp, [&] { LoadItems(AItem, nullptr, StartIndex, false); });
}

void TbsSkinPopupWindow::Show2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                               bool PopupUp)
{
    ShowAt(R, PopupByItem, PopupUp, [&] { LoadItems(AItem, AItem2, StartIndex, true); });
}

void TbsSkinPopupWindow::Hide()
{
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    FMouseTimer->SetEnabled(false);
    FMorphTimer->SetEnabled(false);
    if (FScrollTimer) {
        KillTimer(Handle(), 1);
        FScrollTimer = false;
    }
    SetVisible(false);
}

// ---- painting

void TbsSkinPopupWindow::CreateWindowImage(TBitmap* B, bool DrawClient)
{
    const int w = Width(), h = Height();
    if (PW) {
        CreatePopupSkinImage(PW->LTPoint, PW->RTPoint, PW->LBPoint, PW->RBPoint, PW->ItemsRect, NewLTPoint, NewRTPoint,
                             NewLBPoint, NewRBPoint, NewItemsRect, B, WindowPicture,
                             Rect(0, 0, WindowPicture->Width(), WindowPicture->Height()), w, h, DrawClient, PW->LeftStretch,
                             PW->TopStretch, PW->RightStretch, PW->BottomStretch, PW->StretchEffect, PW->StretchType);
        return;
    }
    B->SetSize(w, h);
    TCanvas* c = B->Canvas();
    const int column = GlyphWidth + 2;
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, column, h));
    c->Brush()->SetColor(clWindow);
    c->FillRect(Rect(column, 0, w, h));
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(Rect(0, 0, w, h));
    c->Brush()->SetColor(clWindow);
    c->FrameRect(Rect(1, 1, w - 1, h - 1));
}

void TbsSkinPopupWindow::PaintMenu(HDC DC)
{
    if (Width() <= 0 || Height() <= 0)
        return;
    TBitmap b;
    CreateWindowImage(&b, Scroll);
    if (PW && DSMI && DSMI->InActiveTransparent) {
        FPaintBuffer = std::make_unique<TBitmap>();
        CreateWindowImage(FPaintBuffer.get(), true);
    }
    const int last = std::min(ItemCount(), VisibleStartIndex + VisibleCount);
    for (int i = VisibleStartIndex; i < last; ++i)
        Item(i)->Draw(b.Canvas());
    if (Scroll) {
        DrawScrollArea(b.Canvas(), TopScrollRect(), false, ScrollCode == 1);
        DrawScrollArea(b.Canvas(), BottomScrollRect(), true, ScrollCode == 2);
        const int gapTop = last > VisibleStartIndex ? Item(last - 1)->ObjectRect.Bottom : NewItemsRect.Top + 10;
        if (PW && gapTop < NewItemsRect.Bottom - 10)
            DrawScrollArea(b.Canvas(), Rect(NewItemsRect.Left, gapTop, NewItemsRect.Right, NewItemsRect.Bottom - 10), true,
                           false);
    }
    BitBlt(DC, 0, 0, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TbsSkinPopupWindow::DrawItemNow(TbsSkinMenuItem* AItem)
{
    if (AItem->FVisible)
        DrawNow(this, [AItem](TCanvas* C) { AItem->Draw(C); });
}

TRect TbsSkinPopupWindow::TopScrollRect() const
{
    if (PW)
        return Rect(NewItemsRect.Left, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Top + 10);
    return Rect(3, 3, Width() - 3, 13);
}

TRect TbsSkinPopupWindow::BottomScrollRect() const
{
    if (PW)
        return Rect(NewItemsRect.Left, NewItemsRect.Bottom - 10, NewItemsRect.Right, NewItemsRect.Bottom);
    return Rect(3, Height() - 10, Width() - 3, Height() - 3);
}

// A scroll strip (or the gap above the bottom strip, AArrow false below):
// the background of an inactive item, then the arrow.
void TbsSkinPopupWindow::DrawScrollArea(TCanvas* C, const TRect& R, bool ADown, bool AScrolling)
{
    const bool isStrip = R == TopScrollRect() || R == BottomScrollRect();
    if (PW) {
        int index = SD->GetIndex("menuitem");
        if (index == -1)
            index = SD->GetIndex("MENUITEM");
        auto* rec = index == -1 ? nullptr : dynamic_cast<TbsDataSkinMenuItem*>(SD->ObjectList[size_t(index)].get());
        TBitmap* picture = rec ? ActivePicture(*SD, rec->ActivePictureIndex) : nullptr;
        if (rec && DSMI->InActiveTransparent && FPaintBuffer) {
            C->CopyRect(R, FPaintBuffer->Canvas(), R);
        } else if (picture && !IsNullRect(rec->SkinRect)) {
            TBitmap strip;
            CreateHSkinImage(rec->ItemLO, rec->ItemRO, &strip, picture, rec->SkinRect, RectWidth(R), RectHeight(R),
                             rec->InActiveStretchEffect);
            C->CopyRect(R, strip.Canvas(), Rect(0, 0, RectWidth(R), std::min(RectHeight(R), strip.Height())));
        }
    }
    if (!isStrip)
        return;
    TColor color = PW ? (AScrolling ? PW->ScrollMarkerActiveColor : PW->ScrollMarkerColor)
                      : (AScrolling ? clBtnText : clBtnShadow);
    DrawArrowImage(C, R, color, ADown ? 4 : 3);
}

void TbsSkinPopupWindow::RepaintScrollAreas()
{
    if (!HandleAllocated() || !IsWindowVisible(Handle()))
        return;
    if (PW && DSMI->InActiveTransparent && !FPaintBuffer) {
        FPaintBuffer = std::make_unique<TBitmap>();
        CreateWindowImage(FPaintBuffer.get(), true);
    }
    DrawNow(this, [this](TCanvas* C) {
        DrawScrollArea(C, TopScrollRect(), false, ScrollCode == 1);
        DrawScrollArea(C, BottomScrollRect(), true, ScrollCode == 2);
    });
}

} // namespace skin
