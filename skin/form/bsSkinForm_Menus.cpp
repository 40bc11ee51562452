// The skin form's side of its menus: opening and closing menu mode, the
// application message hook that gives the keyboard to an open menu, the
// keyboard mode of the menu bar, the messages that close menus, and the
// form's shortcuts reaching its main menu.

#include "skin/form/bsSkinForm.h"
#include "skin/boxes/bsSkinBoxes_SkinEdit.h"
#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/form/bsRibbon.h"

#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/ui/Messages.h"

namespace skin {

using namespace platform;

TbsSkinForm* FindSkinFormComponent(TCustomForm* AForm)
{
    if (!AForm)
        return nullptr;
    for (int i = 0; i < AForm->ComponentCount(); ++i)
        if (auto* found = dynamic_cast<TbsSkinForm*>(AForm->Components(i)))
            return found;
    return nullptr;
}

void TbsSkinForm::CreateMenuManager()
{
    FSkinMenu = new TbsSkinMenu(this, FForm);
    FSkinMenu->AlphaBlendValue = FMenusAlphaBlendValue;
    // Plain popup menus of the program open as skinned ones.
    SetPopupMenuPresenter(PresentPopupMenu);
    FForm->OnShortCut = [this](TMessage& M, bool& Handled) { FormShortCut(M, Handled); };
}

void TbsSkinForm::SetMenusSkinData(TbsSkinData* AValue)
{
    FMSD = AValue;
    if (FMSD)
        FMSD->FreeNotification(this);
}

void TbsSkinForm::SetMainMenuBar(TbsSkinMainMenuBar* AValue)
{
    FMainMenuBar = AValue;
    if (FMainMenuBar)
        FMainMenuBar->FreeNotification(this);
}

void TbsSkinForm::SkinMenuOpen()
{
    if (!InMainMenu)
        HookAppMessages();
    if (!InMenu) {
        InMenu = true;
        if (OnSkinMenuOpen)
            OnSkinMenuOpen(this);
    }
}

void TbsSkinForm::SkinMenuClose()
{
    HideGlowLayers();
    InMenu = false;
    ReleaseMenuObjects();
    UnhookAppMessages();
    if (OnSkinMenuClose)
        OnSkinMenuClose(this);
    if (InMainMenu) {
        InMainMenu = false;
        if (FMainMenuBar)
            FMainMenuBar->LeaveMainMenuMode();
        if (OnMainMenuExit)
            OnMainMenuExit(this);
    }
}

void TbsSkinForm::ExitMainMenuMode()
{
    InMainMenu = false;
    if (FSkinMenu->Visible())
        FSkinMenu->Hide();
    if (FMainMenuBar)
        FMainMenuBar->LeaveMainMenuMode();
    UnhookAppMessages();
    if (OnMainMenuExit)
        OnMainMenuExit(this);
}

void TbsSkinForm::MainMenuPopupClosed()
{
    InMenu = false;
    if (FMainMenuBar)
        FMainMenuBar->ReleaseDownItem();
    if (OnSkinMenuClose)
        OnSkinMenuClose(this);
}

void TbsSkinForm::HookAppMessages()
{
    FAppHook.Hook([this](TMsg& Msg, bool& Handled) { AppMessage(Msg, Handled); });
}

void TbsSkinForm::UnhookAppMessages()
{
    FAppHook.Unhook();
}

// While a menu is open the focused control never sees a key or the wheel.
void TbsSkinForm::AppMessage(TMsg& Msg, bool& Handled)
{
    if (Msg.message == WM_KEYDOWN)
        MenuKeyDown(int(Msg.wParam));
    if (Msg.message == WM_KEYDOWN || Msg.message == WM_MOUSEWHEEL) {
        Msg.message = 0;
        Handled = true;
    }
}

bool TbsSkinForm::MenuBarAccel(int Key) { return FMainMenuBar && FMainMenuBar->CheckAccelItem(uint16_t(Key)); }

bool TbsSkinForm::MenuBarOpenSelected() { return FMainMenuBar && FMainMenuBar->PressActiveItem(); }

bool TbsSkinForm::IsFirstPopupLevel() const { return FSkinMenu->PopupCount() <= 1; }

bool TbsSkinForm::IsLastPopupLeaf() const
{
    TbsSkinPopupWindow* last = FSkinMenu->LastPopup();
    if (!last || last->ActiveItem == -1)
        return true;
    return !last->Item(last->ActiveItem)->HasSubMenu();
}

void TbsSkinForm::MenuKeyDown(int Key)
{
    if (FForm->FormStyle() == fsMDIChild && Application()->MainForm())
        if (TbsSkinForm* main = FindSkinFormComponent(Application()->MainForm());
            main && main != this && (main->InMenu || main->InMainMenu || main->SkinMenu()->Visible())) {
            main->MenuKeyDown(Key);
            return;
        }
    if (InMainMenu && MenuBarAccel(Key))
        return;
    if (Key == VK_ESCAPE && InMainMenu && !FSkinMenu->Visible()) {
        ExitMainMenuMode();
        return;
    }
    if (Key == VK_LEFT && InMainMenu && IsFirstPopupLevel()) {
        if (FMainMenuBar)
            FMainMenuBar->PriorMainMenuItem();
        return;
    }
    if (Key == VK_RIGHT && InMainMenu && IsLastPopupLeaf()) {
        if (FMainMenuBar)
            FMainMenuBar->NextMainMenuItem();
        return;
    }
    if ((Key == VK_RETURN || Key == VK_DOWN) && MenuBarOpenSelected())
        return;
    if (FSkinMenu->Visible() && FSkinMenu->LastPopup())
        FSkinMenu->LastPopup()->PopupKeyDown(Key);
    if (Key == VK_ESCAPE && FSkinMenu->PopupCount() == 0) {
        if (InMainMenu)
            MainMenuPopupClosed();
        else
            SkinMenuClose();
    }
}

TbsSkinForm* FindMaximizedMDIChildSkinForm()
{
    TCustomForm* main = Application()->MainForm();
    if (!main)
        return nullptr;
    for (int i = 0; i < main->MDIChildCount(); ++i)
        if (TbsSkinForm* comp = FindSkinFormComponent(main->MDIChildren(i)); comp && comp->WindowState() == wsMaximized)
            return comp;
    return nullptr;
}

TbsSkinForm* FindActiveMDIChildSkinForm()
{
    TCustomForm* main = Application()->MainForm();
    TCustomForm* child = main ? main->ActiveMDIChild() : nullptr;
    return child ? FindSkinFormComponent(child) : nullptr;
}

// A press or a move anywhere ends the object's hint and any menu; on a main
// form whose own menus are closed, the active document's menus close.
void TbsSkinForm::CloseMenusOnMessage(UINT AMsg)
{
    if (ShowObjectHint && FSkinHint)
        FSkinHint->HideHint();
    if (InMainMenu && !InMenu)
        ExitMainMenuMode();
    else if (FSkinMenu->Visible())
        FSkinMenu->Hide();
    else if (InMenu)
        SkinMenuClose();
    else if (FForm->FormStyle() == fsMDIForm && FForm->Visible())
        if (TbsSkinForm* child = FindActiveMDIChildSkinForm(); child && child != this)
            child->CloseMenusOnMessage(AMsg);
    CancelChildModes();
}

// On a multiple-document main form the skinned controls it owns end what
// they were doing with the mouse (a held button, an open list).
void TbsSkinForm::CancelChildModes()
{
    if (ComponentState() != 0 || FForm->FormStyle() != fsMDIForm || !FForm->Visible())
        return;
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(FForm->Components(i));
        const bool skinned =
            dynamic_cast<TbsSkinControl*>(control) || dynamic_cast<TbsSkinCustomEdit*>(control);
        if (skinned && control->Visible() && control->Enabled())
            control->Perform(CM_CANCELMODE, 0, 0);
    }
}

// The form's shortcuts: the component's own handler first, then the
// accelerators of the menu bar (Alt + letter) and the shortcuts of the main
// menu the bar shows and of a document's menu merged into it, the ribbon's,
// and those of the user's system menu.
void TbsSkinForm::FormShortCut(TMessage& Msg, bool& Handled)
{
    if (OnShortCut) {
        OnShortCut(Msg, Handled);
        if (Handled)
            return;
    }
    const uint16_t key = uint16_t(Msg.WParam);
    const TShiftState shift = KeyDataToShiftState(Msg.LParam);
    if ((shift & (ssAlt | ssCtrl | ssShift)) == ssAlt && key == VK_SPACE) {
        PopupSystemMenuAtButton();
        FInShortCut = false;
        Handled = true;
        return;
    }
    if (FInShortCut) {
        FInShortCut = false;
        Handled = false;
    }
    TMenu* mainMenu = FMainMenuBar && FMainMenuBar->MainMenu() ? FMainMenuBar->MainMenu() : FMainMenu;
    if (mainMenu) {
        if ((shift & ssAlt) && key != VK_F4 && MenuBarAccel(key)) {
            Handled = true;
            return;
        }
        FInShortCut = mainMenu->IsShortCut(key, shift);
        Handled = FInShortCut;
    }
    // A maximised or merged document's menu shown in the bar keeps its own
    // shortcuts, which the frame's main menu does not hold.
    if (!Handled && FMainMenuBar && FMainMenuBar->ChildMenuIn) {
        if (TMainMenu* childMenu = FMainMenuBar->GetChildMainMenu()) {
            if ((shift & ssAlt) && MenuBarAccel(key)) {
                Handled = true;
                return;
            }
            FInShortCut = childMenu->IsShortCut(key, shift);
            Handled = FInShortCut;
        }
    }
    // The ribbon: the shortcuts of the application button's menu, then
    // Alt + a tab's accelerator shows that tab.
    if (!Handled && FSkinRibbon && key != 0) {
        if (IbsSkinPopupMenu* appMenu = FSkinRibbon->AppButtonPopupMenu(); appMenu && appMenu->IsShortCut(key, shift))
            Handled = true;
        for (int i = 0; !Handled && (shift & ssAlt) && i < FSkinRibbon->Tabs()->Count(); ++i) {
            TbsRibbonPage* page = FSkinRibbon->Tabs()->Items(i)->Page();
            if (page && IsAccel(key, page->Caption())) {
                FSkinRibbon->SetActivePage(page);
                Handled = true;
            }
        }
    }
    // The user's system menu keeps its own shortcuts.
    if (!Handled && SystemMenu && key != 0 && SystemMenu->IsShortCut(key, shift))
        Handled = true;
}

// The menu part of the window procedure: closes menus on the messages that
// end them and gives the menu bar its keyboard mode. True when the message
// was handled here.
bool TbsSkinForm::MenuMessage(TMessage& M)
{
    if (IsMenuCloseMessage(M.Msg))
        CloseMenusOnMessage(M.Msg);
    switch (M.Msg) {
    case SKN_MENUCLOSED:
        SkinMenuClose();
        return false;
    case WM_NCACTIVATE:
        if (FSkinMenu->Visible())
            FSkinMenu->Hide();
        return false;
    case WM_SYSCOMMAND:
        if ((M.WParam & 0xFFF0) != SC_KEYMENU)
            return false;
        if (!InMainMenu && FSkinRibbon) {
            // The menu key leads to the ribbon: its menu and any skinned
            // menu close and the ribbon takes the keyboard.
            if (FSkinRibbon->AppMenu() && FSkinRibbon->AppMenu()->Visible())
                FSkinRibbon->HideAppMenu(nullptr);
            if (FSkinMenu->Visible())
                SkinMenuClose();
            if (FSkinRibbon->CanFocus())
                FSkinRibbon->SetFocus();
        } else if (!InMainMenu) {
            if (FSkinMenu->Visible())
                SkinMenuClose();
            if (FMainMenuBar)
                FMainMenuBar->EnterMainMenuMode();
        } else {
            ExitMainMenuMode();
        }
        M.Result = 0;
        return true;
    default:
        return false;
    }
}

} // namespace skin
