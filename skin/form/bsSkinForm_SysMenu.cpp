// The system menu: the built-in one, or the user's SystemMenu completed
// with the standard window commands, each present only where it applies to
// the frame's state; and popping frame-object menus up.

#include "skin/form/bsSkinForm.h"

#include "skin/form/bsSkinMenus.h"

#include "platform/controls/Forms.h"
#include "platform/controls/ImgList.h"
#include "platform/ui/Input.h"

namespace skin {

using namespace platform;

namespace {

enum TSysItem { siMinimize, siRestore, siMaximize, siRollUp, siMinimizeToTray, siClose };

struct TSysItemText {
    const char* Name;
    const char* CaptionKey;
    const char* Caption;
};

constexpr TSysItemText SysItems[] = {
    {"BSF_MINITEM", "MI_MINCAPTION", "Mi&nimize"},   {"BSF_RESTORE", "MI_RESTORECAPTION", "&Restore"},
    {"BSF_MAXITEM", "MI_MAXCAPTION", "Ma&ximize"},   {"BSF_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp"},
    {"BSF_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray"}, {"BSF_CLOSE", "MI_CLOSECAPTION", "&Close"},
};

} // namespace

// Which standard items the frame's state offers, and the item itself.
namespace {

TShortCut CloseShortCut(TCustomForm* AForm) { return TextToShortCut(AForm->FormStyle() == fsMDIChild ? "Ctrl+F4" : "Alt+F4"); }

bool SysItemPresent(TbsSkinForm* AForm, TSysItem AItem)
{
    const TWindowState f = AForm->WindowState();
    const bool r = AForm->RollUpState();
    const TbsBorderIcons icons = AForm->BorderIcons();
    switch (AItem) {
    case siMinimize: return (icons & biMinimize) && f != wsMinimized;
    case siMaximize: return (icons & biMaximize) && f != wsMaximized;
    case siRestore: return f != wsNormal || r;
    case siRollUp:
        return (icons & biRollUp) && !(AForm->Form()->FormStyle() == fsMDIChild && f == wsMaximized) && !r &&
               f != wsMinimized;
    case siMinimizeToTray: return icons & biMinimizeToTray;
    case siClose: return true;
    }
    return false;
}

void RunSysItem(TbsSkinForm* AForm, TSysItem AItem)
{
    switch (AItem) {
    case siMinimize:
        if (AForm->AlwaysMinimizeToTray)
            AForm->MinimizeToTray();
        else
            AForm->SetWindowState(wsMinimized);
        break;
    case siMaximize: AForm->SetWindowState(wsMaximized); break;
    case siRestore:
        if (AForm->RollUpState())
            AForm->SetRollUpState(false);
        else
            AForm->SetWindowState(wsNormal);
        break;
    case siRollUp: AForm->SetRollUpState(true); break;
    case siMinimizeToTray: AForm->MinimizeToTray(); break;
    case siClose: AForm->Form()->Close(); break;
    }
}

TMenuItem* NewSysItem(TbsSkinForm* AForm, TComponent* AOwner, TSysItem AItem)
{
    const TSysItemText& t = SysItems[AItem];
    auto* item = new TMenuItem(AOwner);
    item->SetName(t.Name);
    TbsResourceStrData* strings = AForm->SkinData() ? AForm->SkinData()->ResourceStrData() : nullptr;
    item->Caption = strings ? strings->GetResStr(t.CaptionKey) : std::string(t.Caption);
    if (AItem == siClose)
        item->ShortCut = CloseShortCut(AForm->Form());
    item->OnClick = [AForm, AItem](TObject*) { RunSysItem(AForm, AItem); };
    return item;
}

bool IsSysItemName(const std::string& AName)
{
    for (const TSysItemText& t : SysItems)
        if (AName == t.Name)
            return true;
    return false;
}

} // namespace

// Filled once, before any skin data exists: the built-in captions.
void TbsSkinForm::CreateTrayMenu()
{
    TMenuItem* items = FSysTrayMenu->Items();
    items->Clear();
    auto add = [&](const char* AName, const std::string& ACaption, std::function<void()> AClick) {
        auto* item = new TMenuItem(FSysTrayMenu);
        item->SetName(AName);
        item->Caption = ACaption;
        if (AClick)
            item->OnClick = [AClick](TObject*) { AClick(); };
        items->Add(item);
        return item;
    };
    add("TRAY_BSF_RESTORE", SysItems[siRestore].Caption, [this] { RestoreFromTray(); });
    add("", "-", nullptr);
    add("TRAY_BSF_CLOSE", SysItems[siClose].Caption, [this] { FForm->Close(); })->ShortCut = CloseShortCut(FForm);
}

void TbsSkinForm::CreateDefaultSystemMenu()
{
    TMenuItem* items = FSysMenu->Items();
    items->Clear();
    int added = 0;
    for (TSysItem i : {siMinimize, siMaximize, siRestore, siRollUp, siMinimizeToTray})
        if (SysItemPresent(this, i)) {
            items->Add(NewSysItem(this, FSysMenu, i));
            ++added;
        }
    if (added > 0) {
        auto* line = new TMenuItem(FSysMenu);
        line->Caption = "-";
        items->Add(line);
    }
    items->Add(NewSysItem(this, FSysMenu, siClose));
}

// The standard items go above the user's own ones, Close below them; the
// ones of an earlier opening are replaced, never repeated.
void TbsSkinForm::UpdateSystemMenuItems()
{
    if (!UseDefaultSysMenu || !SystemMenu)
        return;
    TMenuItem* items = SystemMenu->Items();
    for (int i = items->Count() - 1; i >= 0; --i)
        if (IsSysItemName(items->Items(i)->Name()))
            items->Delete(i);
    for (TSysItem i : {siMinimizeToTray, siRollUp, siMaximize, siRestore, siMinimize})
        if (SysItemPresent(this, i))
            items->Insert(0, NewSysItem(this, SystemMenu, i));
    items->Add(NewSysItem(this, SystemMenu, siClose));
}

TMenuItem* TbsSkinForm::GetSystemMenuItems()
{
    if (SystemMenu) {
        UpdateSystemMenuItems();
        return SystemMenu->Items();
    }
    CreateDefaultSystemMenu();
    return FSysMenu->Items();
}

void TbsSkinForm::PopupSystemMenu(int X, int Y) { PopupSystemMenuFrom(Rect(X, Y, X, Y)); }

void TbsSkinForm::PopupSystemMenuAtRect(const TRect& R) { PopupSystemMenuFrom(R); }

// A document's menu opens through its main form's manager; that component
// also opens and closes the menu mode, so that the keyboard hook ends with
// the menu. Without a skinned main form nothing opens.
void TbsSkinForm::PopupSystemMenuFrom(const TRect& R)
{
    TbsSkinForm* owner = this;
    if (FForm->FormStyle() == fsMDIChild) {
        owner = MainFormComponent();
        if (!owner)
            return;
    }
    owner->PopupObjectMenu(GetSystemMenuItems(), R, false);
}

// Under the system-menu button (Alt+Space), not at the cursor.
void TbsSkinForm::PopupSystemMenuAtButton()
{
    for (auto& o : ObjectList) {
        TbsStdCommand command = cmDefault;
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()))
            command = b->Command;
        else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()))
            command = a->Command;
        if (command == cmSysMenu && o->Enabled) {
            PopupSystemMenuAtRect(o->ObjectScreenRect());
            return;
        }
    }
}

void TbsSkinForm::PopupSkinMenu(TMenu* AMenu, const TPoint& P) { PopupSkinMenu1(AMenu, Rect(P.X, P.Y, P.X, P.Y), false); }

void TbsSkinForm::PopupSkinMenu1(TMenu* AMenu, const TRect& R, bool APopupUp)
{
    if (!AMenu || AMenu->Items()->Count() == 0)
        return;
    SkinMenuOpen();
    FSkinMenu->Popup(nullptr, FMSD ? FMSD : FSD, 0, R, AMenu->Items(), APopupUp);
}

// Context menus of the form's own drawing keep the form's skin even where
// the menus have one of their own.
void TbsSkinForm::DoPopupMenu(TPopupMenu* AMenu, int X, int Y)
{
    if (!AMenu)
        return;
    if (AMenu->OnPopup)
        AMenu->OnPopup(this);
    if (FSkinMenu->Visible())
        SkinMenuClose();
    if (AMenu->Items()->Count() == 0)
        return;
    SkinMenuOpen();
    FSkinMenu->Popup(nullptr, FSD, 0, Rect(X, Y, X, Y), AMenu->Items(), false);
}

// A skinned popup menu opens through its own form; any other menu through
// this form's menu manager in the skin of its menus.
void TbsSkinForm::PopupObjectMenu(TMenuItem* AItems, const TRect& R, bool APopupUp)
{
    if (!AItems || AItems->Count() == 0)
        return;
    if (auto* popup = dynamic_cast<TbsSkinPopupMenu*>(AItems->GetParentMenu())) {
        popup->PopupFromRect(R, APopupUp);
        return;
    }
    SkinMenuOpen();
    SkinMenu()->Popup(nullptr, MenusSkinData() ? MenusSkinData() : SkinData(), 0, R, AItems, APopupUp);
}

// The object whose menu closed returns to rest: a button is released, an
// animated one plays back to its first frame.
void TbsSkinForm::ReleaseMenuObjects()
{
    for (auto& o : ObjectList)
        if (auto* c = dynamic_cast<TbsSkinCaptionObject*>(o.get()); c && c->PopupMenuQuickButton != -1) {
            if (c->PopupMenuQuickButton < FQuickButtons->Count()) {
                TbsQuickButtonItem* item = FQuickButtons->Items(c->PopupMenuQuickButton);
                item->Active = item->Down = false;
            }
            c->PopupMenuQuickButton = -1;
            c->RePaintCaption();
        }
    for (auto& o : ObjectList) {
        if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o.get()); b && b->MenuItem && b->Down()) {
            b->SetDown(false);
            return;
        }
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()); a && a->MenuItem && a->FMenuTracking) {
            a->Active = true;
            a->FFrame = a->CountFrames;
            a->FDown = a->FMenuTracking = a->Increment = false;
            AnimateTimer->SetEnabled(true);
            return;
        }
    }
}

} // namespace skin
