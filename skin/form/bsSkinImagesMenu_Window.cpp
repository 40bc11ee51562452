// The open picture grid: layout, size, place, mouse, keys and painting.

#include "skin/form/bsSkinImagesMenu.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Regions.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/core/SysUtils.h"
#include "platform/gfx/Gdi.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

constexpr TColor FrameColor = TColor(12020539), HotColor = TColor(15979713), DownColor = TColor(14990498);

// The messages on which an open grid closes without a choice.
bool ClosesGrid(UINT AMsg)
{
    switch (AMsg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE: case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN: case WM_SYSKEYDOWN: case WM_SYSCHAR:
    case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
        return true;
    default:
        return false;
    }
}

} // namespace

TbsSkinImagesMenuPopupWindow::TbsSkinImagesMenuPopupWindow(TbsSkinImagesMenu* AOwner)
    : TbsSkinPopupControl(nullptr), ImagesMenu(AOwner)
{
    // The grid holds the mouse itself while it is open.
    ControlStyle |= csCaptureMouse;
}

TbsSkinImagesMenuPopupWindow::~TbsSkinImagesMenuPopupWindow() = default;

TbsDataSkinButtonControl* TbsSkinImagesMenuPopupWindow::ButtonRecord() const
{
    TbsSkinData* sd = ImagesMenu->SkinData();
    if (!FSkinSupport)
        return nullptr;
    int index = sd->GetControlIndex("menuitembutton");
    if (index == -1)
        index = sd->GetControlIndex("resizebutton");
    auto* rec = index == -1 ? nullptr : dynamic_cast<TbsDataSkinButtonControl*>(sd->CtrlList[size_t(index)].get());
    return rec && ActivePicture(*sd, rec->PictureIndex) ? rec : nullptr;
}

TbsDataSkinLabelControl* TbsSkinImagesMenuPopupWindow::LabelRecord() const
{
    TbsSkinData* sd = ImagesMenu->SkinData();
    if (!FSkinSupport)
        return nullptr;
    const int index = sd->GetControlIndex("label");
    auto* rec = index == -1 ? nullptr : dynamic_cast<TbsDataSkinLabelControl*>(sd->CtrlList[size_t(index)].get());
    return rec && ActivePicture(*sd, rec->PictureIndex) && !IsNullRect(rec->SkinRect) ? rec : nullptr;
}

// ---- layout

void TbsSkinImagesMenuPopupWindow::CalcItemRects()
{
    TCustomImageList* images = ImagesMenu->Images();
    TbsImagesMenuItems* items = ImagesMenu->ImagesItems();
    const int cw = images->Width() + 10, ch = images->Height() + 10, rw = ImagesMenu->ColumnsCount() * cw;
    TbsDataSkinPopupWindow* pw = FSkinSupport ? ImagesMenu->SkinData()->PopupWindow.get() : nullptr;
    const int l = pw ? pw->ItemsRect.Left : 5;
    int y = pw ? pw->ItemsRect.Top : 5;
    int x = l;
    TbsDataSkinLabelControl* label = LabelRecord();
    for (int i = 0; i < items->Count(); ++i) {
        TbsImagesMenuItem* item = items->Items(i);
        if (item->Header || item->Button) {
            if (x != l)
                y += ch + 1;
            const int h = item->Header && label ? RectHeight(label->SkinRect) : ch;
            item->ItemRect = Rect(l, y, l + rw, y + h);
            y += h + 1;
            x = l;
            continue;
        }
        item->ItemRect = Rect(x, y, x + cw, y + ch);
        x += cw;
        if (l + rw < x + cw) {
            x = l;
            y += ch + 1;
        }
    }
}

void TbsSkinImagesMenuPopupWindow::CalcSize()
{
    TbsSkinData* sd = ImagesMenu->SkinData();
    TbsDataSkinPopupWindow* pw = sd && !sd->Empty() ? sd->PopupWindow.get() : nullptr;
    // A window picture the skin does not have leaves the grid unskinned.
    WindowPicture = pw && pw->WindowPictureIndex != -1 ? ActivePicture(*sd, pw->WindowPictureIndex) : nullptr;
    FSkinSupport = WindowPicture != nullptr;
    MaskPicture = FSkinSupport && pw->MaskPictureIndex != -1 ? ActivePicture(*sd, pw->MaskPictureIndex) : nullptr;
    CalcItemRects();
    TbsImagesMenuItems* items = ImagesMenu->ImagesItems();
    const int rw = ImagesMenu->ColumnsCount() * (ImagesMenu->Images()->Width() + 10);
    const TRect first = items->Items(0)->ItemRect;
    const int contentH = items->Items(items->Count() - 1)->ItemRect.Bottom - first.Top;
    if (!FSkinSupport) {
        NewItemsRect = Rect(5, 5, 5 + rw, 5 + contentH);
        SetBounds(Left(), Top(), rw + 10, contentH + 10);
        return;
    }
    const int picW = WindowPicture->Width(), picH = WindowPicture->Height();
    const int w = picW + rw - RectWidth(pw->ItemsRect), h = picH + contentH - RectHeight(pw->ItemsRect);
    SetBounds(Left(), Top(), w, h);
    NewLTPoint = pw->LTPoint;
    NewRTPoint = Point(w - (picW - pw->RTPoint.X), pw->RTPoint.Y);
    NewLBPoint = Point(pw->LBPoint.X, h - (picH - pw->LBPoint.Y));
    NewRBPoint = Point(w - (picW - pw->RBPoint.X), h - (picH - pw->RBPoint.Y));
    NewItemsRect = Rect(pw->ItemsRect.Left, pw->ItemsRect.Top, w - (picW - pw->ItemsRect.Right), h - (picH - pw->ItemsRect.Bottom));
    if (MaskPicture) {
        HRGN rgn = nullptr;
        CreateSkinRegion(rgn, pw->LTPoint, pw->RTPoint, pw->LBPoint, pw->RBPoint, pw->ItemsRect, NewLTPoint, NewRTPoint,
                         NewLBPoint, NewRBPoint, NewItemsRect, MaskPicture, w, h);
        SetWindowRgn(Handle(), rgn, true);
    }
}

// ---- showing and closing

void TbsSkinImagesMenuPopupWindow::Show(const TRect& PopupRect)
{
    HandleNeeded();
    CalcSize();
    int x = PopupRect.Left, y = PopupRect.Bottom;
    TRect wa;
    GetMonitorRect(nullptr, true, wa);
    if (y + Height() > wa.Bottom)
        y -= Height() + RectHeight(PopupRect);
    if (x + Width() > wa.Right)
        x = wa.Right - Width();
    x = std::max(x, wa.Left);
    y = std::max(y, wa.Top);
    SetBounds(x, y, Width(), Height());
    const bool layered = IsLayeredWindowsAvailable() && ImagesMenu->AlphaBlend;
    if (layered) {
        SetWindowLong(Handle(), GWL_EXSTYLE, GetWindowLong(Handle(), GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredAlpha(Handle(), ImagesMenu->AlphaBlendAnimation ? 0 : ImagesMenu->AlphaBlendValue);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    if (layered && ImagesMenu->AlphaBlendAnimation) {
        // A short fade (steps of 10) that keeps the GUI thread on purpose.
        Application()->ProcessMessages();
        const int target = ImagesMenu->AlphaBlendValue;
        int alpha = 0;
        uint32_t last = GetTickCount() - 6;
        while (alpha < target) {
            if (GetTickCount() - last > 5) {
                last = GetTickCount();
                alpha = std::min(alpha + 10, target);
                SetLayeredAlpha(Handle(), uint8_t(alpha));
                FlushPresentation();
            }
        }
    }
    FHook.Hook([this](TMsg& Msg, bool& Handled) { NewAppMessage(Msg, Handled); });
    SetCapture(Handle());
}

void TbsSkinImagesMenuPopupWindow::Hide(bool AProcessEvents)
{
    if (ImagesMenu->ShowHints && ImagesMenu->SkinHint())
        ImagesMenu->SkinHint()->HideHint();
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    SetVisible(false);
    FHook.Unhook();
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    ImagesMenu->ClosePopupWindow(AProcessEvents);
}

// The focused control never sees a key or the wheel while the grid is open.
void TbsSkinImagesMenuPopupWindow::NewAppMessage(TMsg& Msg, bool&)
{
    if (Msg.message == WM_KEYDOWN) {
        ProcessKey(int(Msg.wParam));
        Msg.message = 0;
    } else if (Msg.message == WM_MOUSEWHEEL) {
        Msg.message = 0;
    } else if (ClosesGrid(Msg.message)) {
        Hide(false);
    }
}

void TbsSkinImagesMenuPopupWindow::PopupWndProc(TMessage& M)
{
    switch (M.Msg) {
    case CM_MOUSELEAVE:
        if (ImagesMenu->ShowHints && ImagesMenu->SkinHint())
            ImagesMenu->SkinHint()->HideHint();
        MouseInItem = OldMouseInItem = -1;
        Repaint();
        return;
    case CM_MOUSEENTER:
        return;
    default:
        break;
    }
    TbsSkinPopupControl::PopupWndProc(M);
    if ((M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK) && Visible() && HandleAllocated() &&
        WindowFromPoint(GetCursorPos()) != Handle())
        Hide(false);
}

// ---- mouse

int TbsSkinImagesMenuPopupWindow::ItemAt(int X, int Y) const
{
    TbsImagesMenuItems* items = ImagesMenu->ImagesItems();
    for (int i = 0; i < items->Count(); ++i)
        if (!items->Items(i)->Header && PtInRectInclusive(items->Items(i)->ItemRect, Point(X, Y)))
            return i;
    return -1;
}

void TbsSkinImagesMenuPopupWindow::TestActive(int X, int Y)
{
    MouseInItem = ItemAt(X, Y);
    TbsSkinHint* hint = ImagesMenu->SkinHint();
    if (hint && MouseInItem == -1)
        hint->HideHint();
    if (MouseInItem == OldMouseInItem)
        return;
    OldMouseInItem = MouseInItem;
    Repaint();
    if (ImagesMenu->ShowHints && hint && MouseInItem != -1) {
        hint->HideHint();
        const std::string& text = ImagesMenu->ImagesItems()->Items(MouseInItem)->Hint;
        if (!text.empty())
            hint->ActivateHint2(text);
    }
}

void TbsSkinImagesMenuPopupWindow::MouseMove(TShiftState Shift, int X, int Y)
{
    TbsSkinPopupControl::MouseMove(Shift, X, Y);
    TestActive(X, Y);
}

void TbsSkinImagesMenuPopupWindow::MouseDown(TMouseButtonKind Button, TShiftState Shift, int X, int Y)
{
    TbsSkinPopupControl::MouseDown(Button, Shift, X, Y);
    if (ImagesMenu->ShowHints && ImagesMenu->SkinHint())
        ImagesMenu->SkinHint()->HideHint();
    FDown = true;
    FItemDown = ItemAt(X, Y) != -1;
    Repaint();
}

void TbsSkinImagesMenuPopupWindow::MouseUp(TMouseButtonKind Button, TShiftState Shift, int X, int Y)
{
    TbsSkinPopupControl::MouseUp(Button, Shift, X, Y);
    const int item = ItemAt(X, Y);
    if (FDown && item != -1) {
        ImagesMenu->ItemIndex = item;
        Hide(true);
        return;
    }
    // The release ends the platform's own capture of the press: take it back.
    if (GetCapture() == Handle())
        ReleaseCapture();
    SetCapture(Handle());
}

// ---- keys

int TbsSkinImagesMenuPopupWindow::FirstSelectable() const
{
    TbsImagesMenuItems* items = ImagesMenu->ImagesItems();
    return items->Count() > 1 && items->Items(0)->Header ? 1 : 0;
}

int TbsSkinImagesMenuPopupWindow::FindLeft() const
{
    TbsImagesMenuItems* items = ImagesMenu->ImagesItems();
    const int last = items->Count() - 1;
    if (MouseInItem == -1 || MouseInItem == 0 || (items->Items(0)->Header && items->Count() > 1 && MouseInItem == 1))
        return last;
    for (int i = MouseInItem - 1; i >= 0; --i)
        if (!items->Items(i)->Header)
            return i;
    return MouseInItem;
}

int TbsSkinImagesMenuPopupWindow::FindRight() const
{
    TbsImagesMenuItems* items = ImagesMenu->ImagesItems();
    if (MouseInItem == -1 || MouseInItem == items->Count() - 1)
        return FirstSelectable();
    for (int i = MouseInItem + 1; i < items->Count(); ++i)
        if (!items->Items(i)->Header)
            return i;
    return MouseInItem;
}

int TbsSkinImagesMenuPopupWindow::FindUp() const
{
    TbsImagesMenuItems* items = ImagesMenu->ImagesItems();
    if (MouseInItem == -1)
        return items->Count() - 1;
    const TRect hot = items->Items(MouseInItem)->ItemRect;
    for (int i = MouseInItem - 1; i >= 0; --i) {
        TbsImagesMenuItem* item = items->Items(i);
        if (!item->Header && item->ItemRect.Top < hot.Top && (item->Button || item->ItemRect.Left == hot.Left))
            return i;
    }
    return MouseInItem;
}

int TbsSkinImagesMenuPopupWindow::FindDown() const
{
    TbsImagesMenuItems* items = ImagesMenu->ImagesItems();
    if (MouseInItem == -1)
        return FirstSelectable();
    const TRect hot = items->Items(MouseInItem)->ItemRect;
    for (int i = MouseInItem + 1; i < items->Count(); ++i) {
        TbsImagesMenuItem* item = items->Items(i);
        if (!item->Header && item->ItemRect.Top > hot.Top && (item->Button || item->ItemRect.Left == hot.Left))
            return i;
    }
    return MouseInItem;
}

void TbsSkinImagesMenuPopupWindow::SetHot(int AIndex)
{
    if (AIndex == MouseInItem)
        return;
    MouseInItem = AIndex;
    Repaint();
}

void TbsSkinImagesMenuPopupWindow::ProcessKey(int AKey)
{
    switch (AKey) {
    case VK_RETURN:
    case VK_SPACE:
        if (MouseInItem != -1)
            ImagesMenu->ItemIndex = MouseInItem;
        Hide(true);
        break;
    case VK_ESCAPE: Hide(false); break;
    case VK_LEFT: SetHot(FindLeft()); break;
    case VK_UP: SetHot(FindUp()); break;
    case VK_RIGHT: SetHot(FindRight()); break;
    case VK_DOWN: SetHot(FindDown()); break;
    default: break;
    }
}

// ---- painting

void TbsSkinImagesMenuPopupWindow::DrawItemFrame(TCanvas* C, const TRect& R, bool ADown)
{
    if (TbsDataSkinButtonControl* rec = ButtonRecord()) {
        TRect src = ADown && !IsNullRect(rec->DownSkinRect) ? rec->DownSkinRect : rec->ActiveSkinRect;
        if (IsNullRect(src))
            src = rec->SkinRect;
        const int w = RectWidth(R), h = RectHeight(R);
        const int dx = w - RectWidth(rec->SkinRect), dy = h - RectHeight(rec->SkinRect);
        TBitmap b;
        CreateSkinImage(rec->LTPoint, rec->RTPoint, rec->LBPoint, rec->RBPoint, rec->ClRect, rec->LTPoint,
                        Point(rec->RTPoint.X + dx, rec->RTPoint.Y), Point(rec->LBPoint.X, rec->LBPoint.Y + dy),
                        Point(rec->RBPoint.X + dx, rec->RBPoint.Y + dy),
                        Rect(rec->ClRect.Left, rec->ClRect.Top, rec->ClRect.Right + dx, rec->ClRect.Bottom + dy), &b,
                        ActivePicture(*ImagesMenu->SkinData(), rec->PictureIndex), src, w, h, true, rec->LeftStretch,
                        rec->TopStretch, rec->RightStretch, rec->BottomStretch, rec->StretchEffect, rec->StretchType);
        C->Draw(R.Left, R.Top, &b);
        return;
    }
    TRect r = R;
    Frame3D(C, r, FrameColor, FrameColor, 1);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(ADown ? DownColor : HotColor);
    C->FillRect(r);
}

void TbsSkinImagesMenuPopupWindow::DrawItemText(TCanvas* C, const std::string& AText, const TRect& R, bool ADown, bool AHot)
{
    TbsSkinData* sd = ImagesMenu->SkinData();
    TbsDataSkinButtonControl* rec = ButtonRecord();
    TbsDataSkinMenuItem* item = nullptr;
    if (rec) {
        int index = sd->GetIndex("menuitem");
        if (index == -1)
            index = sd->GetIndex("MENUITEM");
        item = index == -1 ? nullptr : dynamic_cast<TbsDataSkinMenuItem*>(sd->ObjectList[size_t(index)].get());
    }
    if (rec && item) {
        if (ImagesMenu->UseSkinFont) {
            C->Font()->SetName(rec->FontName);
            C->Font()->SetHeight(rec->FontHeight);
            C->Font()->SetStyle(rec->FontStyle);
        } else {
            C->Font()->Assign(ImagesMenu->DefaultFont());
        }
        C->Font()->SetCharset(sd->ResourceStrData() ? sd->ResourceStrData()->CharSet : ImagesMenu->DefaultFont()->Charset());
        C->Font()->SetColor(ADown ? rec->DownFontColor : AHot ? rec->ActiveFontColor : item->FontColor);
    } else {
        C->Font()->Assign(ImagesMenu->DefaultFont());
        C->Font()->SetColor(clWindowText);
    }
    C->Brush()->SetStyle(bsClear);
    TRect r = R;
    const UINT align = WideTextWidth(C, AText) <= RectWidth(R) ? DT_CENTER : DT_LEFT;
    WideDrawText(C, AText, r, align | DT_VCENTER | DT_SINGLELINE);
}

void TbsSkinImagesMenuPopupWindow::DrawHeader(TCanvas* C, const TRect& R, const std::string& ACaption)
{
    C->Brush()->SetStyle(bsClear);
    TbsDataSkinLabelControl* rec = LabelRecord();
    if (!rec) {
        C->Font()->Assign(ImagesMenu->DefaultFont());
        C->Font()->SetColor(clWindowText);
        TRect r = R;
        WideDrawText(C, ACaption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    const int sw = RectWidth(rec->SkinRect);
    TBitmap b;
    CreateHSkinImage(rec->LTPoint.X, sw - rec->RTPoint.X, &b, ActivePicture(*ImagesMenu->SkinData(), rec->PictureIndex),
                     rec->SkinRect, RectWidth(R), RectHeight(rec->SkinRect), rec->StretchEffect);
    TCanvas* c = b.Canvas();
    c->Font()->SetName(rec->FontName);
    c->Font()->SetHeight(rec->FontHeight);
    c->Font()->SetStyle(rec->FontStyle);
    c->Font()->SetColor(rec->FontColor);
    c->Font()->SetCharset(C->Font()->Charset());
    c->Brush()->SetStyle(bsClear);
    TRect t = Rect(rec->ClRect.Left, rec->ClRect.Top, b.Width() - (sw - rec->ClRect.Right), b.Height());
    WideDrawText(c, ACaption, t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    C->Draw(R.Left, R.Top, &b);
}

void TbsSkinImagesMenuPopupWindow::Paint()
{
    if (Width() <= 0 || Height() <= 0 || !ImagesMenu->Images())
        return;
    TbsSkinData* sd = ImagesMenu->SkinData();
    TbsDataSkinPopupWindow* pw = sd && !sd->Empty() ? sd->PopupWindow.get() : nullptr;
    FSkinSupport = pw && pw->WindowPictureIndex != -1 && ActivePicture(*sd, pw->WindowPictureIndex);
    const int sel = ImagesMenu->ShowSelectedItem ? ImagesMenu->ItemIndex : -1;
    TBitmap b;
    if (FSkinSupport) {
        TBitmap* picture = ActivePicture(*sd, pw->WindowPictureIndex);
        CreatePopupSkinImage(pw->LTPoint, pw->RTPoint, pw->LBPoint, pw->RBPoint, pw->ItemsRect, NewLTPoint, NewRTPoint,
                             NewLBPoint, NewRBPoint, NewItemsRect, &b, picture, Rect(0, 0, picture->Width(), picture->Height()),
                             Width(), Height(), true, pw->LeftStretch, pw->TopStretch, pw->RightStretch, pw->BottomStretch,
                             pw->StretchEffect, pw->StretchType);
    } else {
        b.SetSize(Width(), Height());
        b.Canvas()->Pen()->SetColor(clBtnShadow);
        b.Canvas()->Brush()->SetColor(clWindow);
        b.Canvas()->Rectangle(Rect(0, 0, Width(), Height()));
    }
    TCanvas* c = b.Canvas();
    TCustomImageList* images = ImagesMenu->Images();
    TbsImagesMenuItems* items = ImagesMenu->ImagesItems();
    for (int i = 0; i < items->Count(); ++i) {
        TbsImagesMenuItem* item = items->Items(i);
        if (item->Header) {
            DrawHeader(c, item->ItemRect, item->Caption);
            continue;
        }
        const bool selectedDown = i == sel && !FItemDown;
        const bool hotDown = i == MouseInItem && FItemDown;
        const bool hot = i == MouseInItem && !FItemDown;
        if (selectedDown || hotDown)
            DrawItemFrame(c, item->ItemRect, true);
        else if (i == MouseInItem)
            DrawItemFrame(c, item->ItemRect, false);
        TRect textRect = item->ItemRect;
        if (item->ImageIndex >= 0 && item->ImageIndex < images->Count()) {
            images->Draw(c, item->ItemRect.Left + 5, item->ItemRect.Top + 5, item->ImageIndex, true);
            textRect.Left += images->Width() + 5;
        }
        if (item->Button && !item->Caption.empty())
            DrawItemText(c, item->Caption, Rect(textRect.Left + 5, textRect.Top, textRect.Right, textRect.Bottom),
                         selectedDown || hotDown, hot);
    }
    Canvas()->Draw(0, 0, &b);
}

} // namespace skin
