#pragma once
// The single-line edit underneath every skinned edit, and the number edit.
//
// TbsCustomEdit is the platform mask edit (typing, caret, selection,
// clipboard, undo, an optional edit mask) with three additions: it can draw what lies beneath it as its
// background (EditTransparent), its read-only state keeps the normal look, and
// Enter and Escape go to the parent form as dialog keys instead of into the
// text. TbsSkinNumEdit filters typed keys to a number and turns the arrow keys
// and the mouse wheel into up/down notifications.

#include "platform/controls/Mask.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"

#include "skin/core/bsSkinData_ResStr.h"

#include <functional>
#include <memory>

namespace skin {

using TbsOnEditCancelMode = std::function<void(platform::TControl* C)>;

class TbsCustomEdit;
// Makes the menu an edit shows when it has no popup menu of its own. The
// skinned menus install theirs; without one the edit uses a platform menu.
using TbsEditMenuMaker = std::function<platform::TPopupMenu*(TbsCustomEdit* AEdit)>;
// Finds the string table of the edit's form, whose captions the edit's menu
// shows; the skin form component installs one.
using TbsEditStringsFinder = std::function<TbsResourceStrData*(TbsCustomEdit* AEdit)>;

class TbsCustomEdit : public platform::TCustomMaskEdit {
public:
    explicit TbsCustomEdit(platform::TComponent* AOwner);

    bool EditTransparent() const { return FEditTransparent; }
    void SetEditTransparent(bool AValue);

    // Repaints background and text in one piece into the window.
    virtual void PaintBuffered();
    // The same into a device context the caller gives and keeps.
    virtual void PaintBufferedTo(platform::HDC ADC);

    platform::TNotifyEvent OnUp;
    platform::TNotifyEvent OnDown;
    TbsOnEditCancelMode OnEditCancelMode;

    // The edit's own context menu while one exists (Undo, Cut, Copy, Paste,
    // Delete, Select All), nil otherwise.
    platform::TPopupMenu* SysPopupMenu() const { return FSysPopupMenu.get(); }

    static void SetSysPopupMenuMaker(TbsEditMenuMaker AMaker);
    static void SetSysPopupMenuStrings(TbsEditStringsFinder AFinder);

    // The left mouse button went down in the edit and has not come up.
    bool MouseDownInside() const { return FDown; }

    void WMGetDlgCode(platform::TMessage& M) override;
    void WMChar(platform::TMessage& M) override;
    void WMSetFocus(platform::TMessage& M) override;
    void WMKillFocus(platform::TMessage& M) override;
    void WMLButtonDown(platform::TMessage& M) override;
    void WMLButtonUp(platform::TMessage& M) override;
    void CMCancelMode(platform::TMessage& M) override;
    void WMContextMenu(platform::TMessage& M) override;

protected:
    // Builds a fresh context menu with the string table's captions.
    void CreateSysPopupMenu();
    // The string table the menu captions come from: the form's, else the
    // edit's own; nil: the built-in texts.
    virtual TbsResourceStrData* GetResourceStrData() { return nullptr; }
    TbsResourceStrData* MenuStrings();
    void Change() override;
    void PaintBackground(platform::TCanvas* ACanvas, const platform::TRect& AClient) override;
    bool StopDraw() const { return FStopDraw; }

    bool FDown = false;
    bool FEditTransparent = false;
    bool FStopDraw = false;
    std::unique_ptr<platform::TPopupMenu> FSysPopupMenu;
    std::unique_ptr<platform::TPopupMenu> FRetiredPopupMenu;
};

class TbsSkinNumEdit : public TbsCustomEdit {
public:
    explicit TbsSkinNumEdit(platform::TComponent* AOwner);

    platform::TNotifyEvent OnUpClick;
    platform::TNotifyEvent OnDownClick;
    platform::TNotifyEvent OnMouseEnter;
    platform::TNotifyEvent OnMouseLeave;
    // False lets the user type nothing but control characters.
    bool EditorEnabled = true;
    // Decimal numbers instead of integers.
    bool Float = false;

    // Whether the typed character Key may go into the text.
    bool IsValidChar(char16_t Key);

    void WMMouseWheel(platform::TMessage& M) override;
    void CMMouseEnter(platform::TMessage& M) override;
    void CMMouseLeave(platform::TMessage& M) override;

protected:
    void KeyPress(char16_t& Key) override;
    void KeyDown(uint16_t& Key, platform::TShiftState Shift) override;
};

} // namespace skin
