// How a popup window follows the mouse (by polling), answers the keys the
// form routes to it, scrolls, and how its items change state.

#include "skin/form/bsSkinMenus.h"

#include "skin/core/bsUtils_Text.h"

#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"

#include <algorithm>

namespace skin {

using namespace platform;

// ---- mouse

void TbsSkinPopupWindow::MouseTimerProc()
{
    if (!HandleAllocated())
        return;
    const TPoint cursor = GetCursorPos();
    const TPoint p = ScreenToClient(cursor);
    if (p.X != OMX || p.Y != OMY) {
        if (WindowFromPoint(cursor) == Handle()) {
            TrackMouse(p.X, p.Y);
        } else if (Scroll && ScrollCode != 0) {
            // Off the window the scrolling pauses; the timer runs on.
            ScrollCode = 0;
            RepaintScrollAreas();
        }
    }
    OMX = p.X;
    OMY = p.Y;
}

void TbsSkinPopupWindow::TrackMouse(int X, int Y)
{
    const TPoint p = Point(X, Y);
    if (Scroll) {
        if (PtInRect(TopScrollRect(), p) && ScrollCode == 0 && CanScroll(1)) {
            ScrollCode = 1;
            RepaintScrollAreas();
            StartScroll();
        } else if (PtInRect(BottomScrollRect(), p) && ScrollCode == 0 && CanScroll(2)) {
            ScrollCode = 2;
            RepaintScrollAreas();
            StartScroll();
        } else if (ScrollCode != 0 && !PtInRect(TopScrollRect(), p) && !PtInRect(BottomScrollRect(), p)) {
            StopScroll();
        }
    }
    if (ItemList.empty())
        return;
    OldActiveItem = ActiveItem;
    for (int i = 0; i < ItemCount(); ++i)
        if (Item(i)->FVisible && PtInRect(Item(i)->ObjectRect, p)) {
            ActiveItem = i;
            break;
        }
    if (ActiveItem >= ItemCount())
        ActiveItem = -1;
    if (OldActiveItem >= ItemCount())
        OldActiveItem = -1;
    if (ActiveItem == OldActiveItem) {
        if (ActiveItem != -1 && Item(ActiveItem)->WaitCommand) {
            TbsSkinMenuItem* item = Item(ActiveItem);
            item->WaitCommand = false;
            if (item->HasSubMenu())
                item->MouseEnter(false);
        }
        return;
    }
    if (OldActiveItem != -1 && Item(OldActiveItem)->Selectable())
        Item(OldActiveItem)->MouseLeave();
    if (ActiveItem != -1 && Item(ActiveItem)->Selectable())
        Item(ActiveItem)->MouseEnter(false);
}

// Commands and submenus open on release; presses do nothing.
void TbsSkinPopupWindow::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsSkinPopupControl::MouseUp(AButton, AShift, X, Y);
    if (AButton != mbLeft)
        return;
    TrackMouse(X, Y);
    if (ActiveItem == -1 || Item(ActiveItem)->IsSeparator())
        return;
    const TPoint p = Point(X, Y);
    bool inItem = false;
    for (auto& item : ItemList)
        inItem = inItem || (item->FVisible && PtInRect(item->ObjectRect, p));
    if (inItem)
        Item(ActiveItem)->MouseDown(X, Y);
}

// ---- keys

bool TbsSkinPopupWindow::FindAccelItem(int CharCode)
{
    for (int i = 0; i < ItemCount(); ++i) {
        TbsSkinMenuItem* item = Item(i);
        if (!IsAccel(uint16_t(CharCode), item->MenuItem->Caption))
            continue;
        item->MouseEnter(false);
        if (ActiveItem != -1 && ActiveItem != i)
            Item(ActiveItem)->MouseLeave();
        ActiveItem = i;
        item->MouseDown(0, 0);
        return true;
    }
    return false;
}

void TbsSkinPopupWindow::CloseLastWindow()
{
    const int count = ParentMenu->PopupCount();
    if (count >= 2) {
        TbsSkinPopupWindow* before = ParentMenu->PopupWindow(count - 2);
        if (before->ActiveItem != -1)
            before->Item(before->ActiveItem)->Down = false;
    }
    ParentMenu->ClosePopups(count - 1);
}

void TbsSkinPopupWindow::PopupKeyDown(int CharCode)
{
    if (!HandleAllocated() || !IsWindowVisible(Handle()))
        return;
    if (FindAccelItem(CharCode))
        return;
    switch (CharCode) {
    case VK_RETURN:
        if (ActiveItem != -1)
            Item(ActiveItem)->MouseDown(0, 0);
        break;
    case VK_ESCAPE:
        CloseLastWindow();
        break;
    case VK_LEFT:
        if (ParentMenu->PopupCount() >= 2)
            CloseLastWindow();
        break;
    case VK_UP: PriorItem(); break;
    case VK_RIGHT:
        if (ActiveItem != -1 && Item(ActiveItem)->HasSubMenu())
            Item(ActiveItem)->MouseDown(0, 0);
        break;
    case VK_DOWN: NextItem(); break;
    default: break;
    }
}

void TbsSkinPopupWindow::NextItem()
{
    const int count = ItemCount();
    auto lastVisible = [&] { return VisibleStartIndex + VisibleCount - 1; };
    if (Scroll && ScrollCode == 0 && ActiveItem != -1 && ActiveItem == lastVisible())
        ScrollDown(true);
    OldActiveItem = ActiveItem;
    const int start = ActiveItem == -1 || ActiveItem == count - 1 ? 0 : ActiveItem + 1;
    for (int i = start; i < count; ++i) {
        if (Item(i)->Selectable()) {
            ActiveItem = i;
            break;
        }
        if (Scroll && ScrollCode == 0 && i == lastVisible())
            ScrollDown(true);
    }
    if (ActiveItem == OldActiveItem)
        return;
    Item(ActiveItem)->MouseEnter(true);
    if (OldActiveItem != -1)
        Item(OldActiveItem)->MouseLeave();
}

void TbsSkinPopupWindow::PriorItem()
{
    const int count = ItemCount();
    if (Scroll && ScrollCode == 0 && ActiveItem != -1 && ActiveItem == VisibleStartIndex)
        ScrollUp(true);
    OldActiveItem = ActiveItem;
    const int start = ActiveItem <= 0 ? count - 1 : ActiveItem - 1;
    for (int i = start; i >= 0; --i) {
        if (Item(i)->Selectable()) {
            ActiveItem = i;
            break;
        }
        if (Scroll && ScrollCode == 0 && i == VisibleStartIndex)
            ScrollUp(true);
    }
    if (ActiveItem == OldActiveItem)
        return;
    Item(ActiveItem)->MouseEnter(true);
    if (OldActiveItem != -1)
        Item(OldActiveItem)->MouseLeave();
}

// ---- scrolling

bool TbsSkinPopupWindow::CanScroll(int ACode) const
{
    if (ACode == 1)
        return VisibleStartIndex > 0;
    return VisibleStartIndex + VisibleCount - 1 < ItemCount() - 1;
}

void TbsSkinPopupWindow::StartScroll()
{
    const int index = ParentMenu->GetPopupIndex(this);
    if (index < ParentMenu->PopupCount() - 1)
        ParentMenu->ClosePopups(index + 1);
    if (FScrollTimer)
        KillTimer(Handle(), 1);
    SetTimer(Handle(), 1, 100);
    FScrollTimer = true;
}

void TbsSkinPopupWindow::StopScroll()
{
    ScrollCode = 0;
    RepaintScrollAreas();
    if (FScrollTimer && HandleAllocated())
        KillTimer(Handle(), 1);
    FScrollTimer = false;
}

void TbsSkinPopupWindow::ScrollTimerStep()
{
    if (ScrollCode == 1 && CanScroll(1))
        ScrollUp(false);
    else if (ScrollCode == 2 && CanScroll(2))
        ScrollDown(false);
    else if (ScrollCode == 1 || ScrollCode == 2)
        StopScroll();
}

void TbsSkinPopupWindow::ScrollUp(bool Cycle)
{
    if (VisibleStartIndex > 0)
        --VisibleStartIndex;
    else if (Cycle)
        VisibleStartIndex = GetLastPageStartIndex();
    LayoutItems();
    Repaint();
}

void TbsSkinPopupWindow::ScrollDown(bool Cycle)
{
    if (CanScroll(2))
        ++VisibleStartIndex;
    else if (Cycle)
        VisibleStartIndex = 0;
    LayoutItems();
    Repaint();
}

// The last page begins where the last items fill the room between the two
// strips: the room starts at the top of the items area, not at its origin.
int TbsSkinPopupWindow::GetLastPageStartIndex() const
{
    int room = NewItemsRect.Bottom - 10;
    int n = 0;
    for (int i = ItemCount() - 1; i >= 0; --i) {
        room -= Item(i)->Height();
        if (room < NewItemsRect.Top + 10)
            break;
        ++n;
    }
    return ItemCount() - n;
}

void TbsSkinPopupWindow::CloseChildPopups()
{
    const int index = ParentMenu->GetPopupIndex(this);
    ParentMenu->ClosePopups(index + 1);
    for (auto& item : ItemList)
        if (item->Down) {
            item->Down = false;
            if (item->EnableAnimation() && !item->MI->InActiveAnimation) {
                item->CurrentFrame = 0;
                DrawItemNow(item.get());
            } else {
                item->ReDraw();
            }
        }
}

void TbsSkinPopupWindow::MorphTimerProc()
{
    if (!PW) {
        FMorphTimer->SetEnabled(false);
        return;
    }
    bool changed = false;
    for (auto& item : ItemList) {
        if (item->EnableMorphing() && item->CanMorphing()) {
            item->DoMorphing();
            changed = true;
        } else if (item->EnableAnimation()) {
            if (item->Active && item->CurrentFrame <= item->MI->FrameCount) {
                ++item->CurrentFrame;
                DrawItemNow(item.get());
                changed = true;
            } else if (!item->Active && item->CurrentFrame > 0) {
                --item->CurrentFrame;
                DrawItemNow(item.get());
                changed = true;
            }
        }
    }
    if (!changed)
        FMorphTimer->SetEnabled(false);
}

// ---- items

TbsSkinMenuItem::TbsSkinMenuItem(TbsSkinPopupWindow* AParent, TMenuItem* AMenuItem, TbsDataSkinMenuItem* AData)
    : Parent(AParent), MI(AData), MenuItem(AMenuItem)
{
    if (MI && AParent->SD)
        ActivePicture = skin::ActivePicture(*AParent->SD, MI->ActivePictureIndex);
    if (!ActivePicture)
        MI = nullptr;
}

void TbsSkinMenuItem::SetMorphKf(double AValue) { FMorphKf = std::clamp(AValue, 0.0, 1.0); }

bool TbsSkinMenuItem::IsHeader() const
{
    const std::string& c = MenuItem->Caption;
    return !MenuItem->Enabled && c.size() > 1 && c.front() == '-' && c.back() == '-';
}

int TbsSkinMenuItem::Height() const
{
    TbsSkinMenu* menu = Parent->ParentMenu;
    if (Parent->PW && Parent->DSMI) {
        if (IsSeparator())
            return RectHeight(Parent->DSMI->DividerRect);
        return menu->UseSkinSize ? RectHeight(Parent->DSMI->SkinRect) : menu->DefaultMenuItemHeight;
    }
    return IsSeparator() ? 4 : menu->DefaultMenuItemHeight;
}

void TbsSkinMenuItem::MouseEnter(bool Kb)
{
    Active = true;
    if (EnableAnimation())
        CurrentFrame = 0;
    for (auto& other : Parent->ItemList)
        if (other.get() != this && other->Down) {
            other->Down = false;
            other->ReDraw();
        }
    TbsSkinMenu* menu = Parent->ParentMenu;
    const int index = menu->GetPopupIndex(Parent);
    if (WaitCommand && !Kb) {
        ReDraw();
    } else if (Down && index + 2 < menu->PopupCount()) {
        menu->PopupWindow(index + 1)->CloseChildPopups();
    } else {
        ReDraw();
        menu->ProcessItem(Parent, this, false, Kb);
    }
    Parent->Hint = MenuItem->Hint;
}

void TbsSkinMenuItem::MouseLeave()
{
    Active = false;
    if (EnableAnimation())
        CurrentFrame = MI->FrameCount + 1;
    WaitCommand = false;
    if (!Down)
        ReDraw();
    TbsSkinMenu* menu = Parent->ParentMenu;
    if (menu->WItem == this) {
        menu->WaitTimer()->SetEnabled(false);
        menu->WItem = nullptr;
    }
}

void TbsSkinMenuItem::MouseDown(int, int)
{
    WaitCommand = false;
    if (!Down && MenuItem->Enabled)
        Parent->ParentMenu->ProcessItem(Parent, this, true, false);
}

bool TbsSkinMenuItem::EnableMorphing() const
{
    TbsSkinData* sd = Parent->SD;
    return MI && MI->Morphing && sd && !sd->Empty() && sd->EnableSkinEffects;
}

bool TbsSkinMenuItem::EnableAnimation() const
{
    TbsSkinData* sd = Parent->SD;
    return MI && !IsNullRect(MI->AnimateSkinRect) && MI->FrameCount > 0 && sd && !sd->Empty() && sd->EnableSkinEffects;
}

bool TbsSkinMenuItem::CanMorphing()
{
    if (!FVisible) {
        if (FMorphKf != 0) {
            Active = false;
            Down = false;
            FMorphKf = 0;
        }
        return false;
    }
    const bool hot = Active || Down;
    return (hot && FMorphKf < 1) || (!hot && FMorphKf > 0);
}

void TbsSkinMenuItem::DoMorphing()
{
    StepMorph(FMorphKf, Active || Down);
    Parent->DrawItemNow(this);
}

void TbsSkinMenuItem::ReDraw()
{
    TTimer* timer = Parent->MorphTimer();
    if (EnableAnimation()) {
        const uint32_t interval = uint32_t(std::max(1, MI->AnimateInterval));
        if (timer->Interval() != interval)
            timer->SetInterval(interval);
        if (!Active && !MI->InActiveAnimation) {
            CurrentFrame = 0;
            Parent->DrawItemNow(this);
        } else {
            timer->SetEnabled(true);
        }
    } else if (EnableMorphing()) {
        if (timer->Interval() != 20)
            timer->SetInterval(20);
        timer->SetEnabled(true);
    } else {
        Parent->DrawItemNow(this);
    }
}

} // namespace skin
