// The menu manager of a form and the popup menu component that opens
// through it.

#include "skin/form/bsSkinMenus.h"

#include "skin/boxes/bsSkinBoxes_Edit.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/form/bsSkinForm.h"

#include "platform/gfx/Gdi.h"
#include "platform/ui/Messages.h"

#include <algorithm>

namespace skin {

using namespace platform;

bool IsMenuCloseMessage(UINT Msg)
{
    switch (Msg) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
    case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_PARENTNOTIFY:
        return true;
    default:
        return false;
    }
}

void SendMenuMessage(TControl* AControl, UINT AMsg)
{
    if (!AControl)
        return;
    if (auto* wc = dynamic_cast<TWinControl*>(AControl))
        SendMessage(wc->Handle(), AMsg, 0, 0);
    else
        AControl->Perform(AMsg, 0, 0);
}

void DrawNow(TWinControl* AControl, const std::function<void(TCanvas*)>& ADraw)
{
    if (!AControl->HandleAllocated() || !IsWindowVisible(AControl->Handle()))
        return;
    HDC dc = GetDC(AControl->Handle());
    if (!dc)
        return;
    TCanvas canvas;
    canvas.SetHandle(dc);
    ADraw(&canvas);
    canvas.SetHandle(nullptr);
    ReleaseDC(AControl->Handle(), dc);
}

void PresentPopupMenu(TPopupMenu* AMenu, int X, int Y)
{
    TbsSkinForm* component = nullptr;
    for (TComponent* c = AMenu->Owner(); c && !component; c = c->Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(c))
            component = FindSkinFormComponent(form);
    auto* opener = dynamic_cast<TControl*>(AMenu->PopupComponent);
    if (!component && opener)
        component = FindSkinFormComponent(GetParentForm(opener));
    if (!component && Screen()->ActiveForm())
        component = FindSkinFormComponent(Screen()->ActiveForm());
    if (!component)
        return;
    if (component->SkinMenu()->Visible())
        component->SkinMenuClose();
    component->SkinMenuOpen();
    TbsSkinData* data = component->MenusSkinData() ? component->MenusSkinData() : component->SkinData();
    component->SkinMenu()->Popup(opener, data, 0, Rect(X, Y, X, Y), AMenu->Items(), false);
}

// ---- TbsSkinMenu

TbsSkinMenu::TbsSkinMenu(TComponent* AOwner, TCustomForm* AForm) : TComponent(AOwner), FForm(AForm)
{
    FDefaultMenuItemFont.SetName("Tahoma");
    FDefaultMenuItemFont.SetHeight(13);
    FDefaultMenuItemFont.SetStyle({});
    FWaitTimer = new TTimer(this);
    FWaitTimer->SetEnabled(false);
    FWaitTimer->SetInterval(500);
    FWaitTimer->SetOnTimer([this](TObject*) { WaitTimerProc(); });
    if (FForm)
        FForm->FreeNotification(this);
}

TbsSkinMenu::~TbsSkinMenu()
{
    ClosePopups(0);
}

void TbsSkinMenu::Notification(TComponent* AComponent, TOperation AOperation)
{
    TComponent::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    // An opener that goes away while its menu is open hears nothing more.
    if (AComponent == PopupCtrl)
        PopupCtrl = nullptr;
    if (AComponent == DCtrl)
        DCtrl = nullptr;
    if (AComponent == FForm)
        FForm = nullptr;
    if (AComponent == SkinData)
        SkinData = nullptr;
}

void TbsSkinMenu::SetPopupCtrl(TControl* AControl)
{
    PopupCtrl = AControl;
    if (AControl)
        AControl->FreeNotification(this);
}

TRect TbsSkinMenu::GetWorkArea() const
{
    TRect r;
    GetMonitorRect(FForm && FForm->HandleAllocated() ? FForm->Handle() : nullptr, true, r);
    return r;
}

void TbsSkinMenu::StopWaiting()
{
    FWaitTimer->SetEnabled(false);
    WItem = nullptr;
}

bool TbsSkinMenu::BeginChain(TControl* APopupCtrl, TbsSkinData* ASkinData)
{
    FFirst = !FVisible;
    SetPopupCtrl(APopupCtrl);
    // The end of a chain still open is reported to the new opener.
    if (!FPopupList.empty())
        ClosePopups(0);
    WorkArea = GetWorkArea();
    SkinData = ASkinData;
    if (SkinData)
        SkinData->FreeNotification(this);
    return true;
}

void TbsSkinMenu::Popup(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R, TMenuItem* AItem,
                        bool PopupUp)
{
    BeginChain(APopupCtrl, ASkinData);
    if (AItem && AItem->Count() > 0 && StartIndex < AItem->Count()) {
        FVisible = true;
        PopupSub(R, AItem, StartIndex, false, PopupUp);
        FFirst = false;
    }
}

void TbsSkinMenu::Popup2(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R,
                         TMenuItem* AItem, TMenuItem* AItem2, bool PopupUp)
{
    BeginChain(APopupCtrl, ASkinData);
    const int total = (AItem ? AItem->Count() : 0) + (AItem2 ? AItem2->Count() : 0);
    if (AItem && AItem->Count() > 0 && StartIndex < total) {
        FVisible = true;
        PopupSub2(R, AItem, AItem2, StartIndex, false, PopupUp);
        FFirst = false;
    }
}

TbsSkinPopupWindow* TbsSkinMenu::AddWindow()
{
    TbsDataSkinPopupWindow* record = SkinData && !SkinData->Empty() ? SkinData->PopupWindow.get() : nullptr;
    auto* window = new TbsSkinPopupWindow(nullptr, this, record);
    FPopupList.push_back(window);
    return window;
}

void TbsSkinMenu::PopupSub(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp)
{
    TbsSkinPopupWindow* window = AddWindow();
    window->Show(R, AItem, StartIndex, PopupByItem, PopupUp);
    if (FPopupList.size() == 1 && window->HandleAllocated())
        SetPopupGrab(window->Handle());
}

void TbsSkinMenu::PopupSub2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex, bool PopupByItem,
                            bool PopupUp)
{
    TbsSkinPopupWindow* window = AddWindow();
    window->Show2(R, AItem, AItem2, StartIndex, PopupByItem, PopupUp);
    if (FPopupList.size() == 1 && window->HandleAllocated())
        SetPopupGrab(window->Handle());
}

int TbsSkinMenu::GetPopupIndex(const TbsSkinPopupWindow* Window) const
{
    auto it = std::find(FPopupList.begin(), FPopupList.end(), Window);
    return int(it - FPopupList.begin());
}

void TbsSkinMenu::ProcessItem(TbsSkinPopupWindow* Window, TbsSkinMenuItem* Item, bool AClick, bool AKb)
{
    auto closeDeeper = [&] {
        const int i = GetPopupIndex(Window);
        if (i < PopupCount() - 1)
            ClosePopups(i + 1);
    };
    if (!Item->HasSubMenu()) {
        StopWaiting();
        if (!AClick) {
            closeDeeper();
            return;
        }
        TMenuItem* menuItem = Item->MenuItem;
        Hide();
        if (platform::TMenu* menu = menuItem->GetParentMenu())
            menu->DispatchCommand(menuItem->Command());
        else
            menuItem->Click();
        if (DCtrl)
            SendMenuMessage(DCtrl, SKN_MENUCOMMAND);
        DCtrl = nullptr;
        return;
    }
    if (!AClick) {
        if (AKb)
            return;
        StopWaiting();
        closeDeeper();
        WItem = Item;
        FWaitTimer->SetEnabled(true);
        return;
    }
    if (platform::TMenu* menu = Item->MenuItem->GetParentMenu())
        menu->DispatchCommand(Item->MenuItem->Command());
    // The parent item's handler may have closed the menu.
    if (GetPopupIndex(Window) >= PopupCount())
        return;
    StopWaiting();
    closeDeeper();
    Item->Down = true;
    const TRect r = OffsetRect(Item->ObjectRect, Window->Left(), Window->Top());
    PopupSub(r, Item->MenuItem, 0, true, false);
}

void TbsSkinMenu::WaitTimerProc()
{
    TbsSkinMenuItem* item = WItem;
    FWaitTimer->SetEnabled(false);
    if (item && GetPopupIndex(item->Parent) < PopupCount())
        ProcessItem(item->Parent, item, true, false);
}

void TbsSkinMenu::ClosePopups(int FromIndex)
{
    if (FromIndex < 0)
        FromIndex = 0;
    while (PopupCount() > FromIndex) {
        TbsSkinPopupWindow* window = FPopupList.back();
        FPopupList.pop_back();
        // A wait for an item of a closed window must not fire.
        if (WItem && WItem->Parent == window)
            StopWaiting();
        if (window->HandleAllocated() && GetPopupGrab() == window->Handle())
            SetPopupGrab(nullptr);
        window->Hide();
        // The window may be closing from its own mouse or key handler.
        FClosed.Add(window);
    }
    if (FromIndex > 0)
        return;
    FVisible = false;
    FWaitTimer->SetEnabled(false);
    DCtrl = PopupCtrl;
    if (DCtrl)
        DCtrl->FreeNotification(this);
    if (TControl* opener = PopupCtrl) {
        PopupCtrl = nullptr;
        SendMenuMessage(opener, SKN_MENUCLOSED);
    }
    if (OnMenuClose) {
        TNotifyEvent handler = std::move(OnMenuClose);
        OnMenuClose = nullptr;
        handler(this);
    }
}

void TbsSkinMenu::Hide()
{
    ClosePopups(0);
    FWaitTimer->SetEnabled(false);
    WItem = nullptr;
    if (FForm && FForm->HandleAllocated())
        SendMessage(FForm->Handle(), SKN_MENUCLOSED, 0, 0);
}

void TbsSkinMenu::CancelMode()
{
    if (FForm && FForm->HandleAllocated())
        SendMessage(FForm->Handle(), WM_CANCELMODE, 0, 0);
    if (FVisible)
        Hide();
}

// ---- TbsSkinPopupMenu

TbsSkinPopupMenu::TbsSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

namespace {

// Edits without a popup menu of their own open a skinned one, through the
// menu manager of their form (the main form's for an MDI child).
const bool GEditMenusInstalled = [] {
    TbsCustomEdit::SetSysPopupMenuMaker([](TbsCustomEdit* AEdit) -> platform::TPopupMenu* {
        auto* menu = new TbsSkinPopupMenu(nullptr);
        TCustomForm* form = AEdit->ParentForm();
        if (form && form->FormStyle() == fsMDIChild && Application()->MainForm())
            form = Application()->MainForm();
        menu->ComponentForm = form;
        if (form)
            form->FreeNotification(menu);
        return menu;
    });
    // The captions come from the string table of the skin the edit's form
    // is dressed in.
    TbsCustomEdit::SetSysPopupMenuStrings([](TbsCustomEdit* AEdit) -> TbsResourceStrData* {
        TbsSkinForm* component = FindSkinFormComponent(AEdit->ParentForm());
        return component && component->SkinData() ? component->SkinData()->ResourceStrData() : nullptr;
    });
    return true;
}();

} // namespace

void TbsSkinPopupMenu::SetSkinData(TbsSkinData* AValue)
{
    FSD = AValue;
    if (FSD)
        FSD->FreeNotification(this);
}

void TbsSkinPopupMenu::Notification(TComponent* AComponent, TOperation AOperation)
{
    TPopupMenu::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == SkinComponent)
        SkinComponent = nullptr;
    if (AComponent == ComponentForm)
        ComponentForm = nullptr;
}

TbsSkinForm* TbsSkinPopupMenu::FindSkinForm() const
{
    if (SkinComponent)
        return dynamic_cast<TbsSkinForm*>(SkinComponent);
    if (ComponentForm)
        return FindSkinFormComponent(ComponentForm);
    if (auto* form = dynamic_cast<TCustomForm*>(Owner()))
        return FindSkinFormComponent(form);
    if (Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(Owner()->Owner())) {
            TbsSkinForm* found = FindSkinFormComponent(form);
            // Menus of MDI children open through the main form's manager.
            if (found && found->Form()->FormStyle() == fsMDIChild && Application()->MainForm())
                found = FindSkinFormComponent(Application()->MainForm());
            return found;
        }
    return nullptr;
}

void TbsSkinPopupMenu::DoPopup(TControl* ACtrl, const TRect& R, bool APopupUp, bool ANeedSkinData)
{
    if (OnPopup)
        OnPopup(this);
    TbsSkinForm* component = FindSkinForm();
    if (component && !FSD)
        SetSkinData(component->MenusSkinData() ? component->MenusSkinData() : component->SkinData());
    if (!component || (ANeedSkinData && !FSD))
        return;
    if (component->SkinMenu()->Visible())
        component->SkinMenuClose();
    FPopupPoint = R.TopLeft();
    component->SkinMenuOpen();
    component->SkinMenu()->Popup(ACtrl, FSD, 0, R, Items(), APopupUp);
    if (OnMenuClose)
        component->SkinMenu()->OnMenuClose = OnMenuClose;
}

void TbsSkinPopupMenu::Popup(int X, int Y) { DoPopup(nullptr, Rect(X, Y, X, Y), false, false); }

void TbsSkinPopupMenu::PopupFromRect(const TRect& R, bool APopupUp) { DoPopup(nullptr, R, APopupUp, false); }

void TbsSkinPopupMenu::PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp) { DoPopup(ACtrl, R, APopupUp, false); }

void TbsSkinPopupMenu::Popup2(TControl* ACtrl, int X, int Y) { DoPopup(ACtrl, Rect(X, Y, X, Y), false, true); }

} // namespace skin
