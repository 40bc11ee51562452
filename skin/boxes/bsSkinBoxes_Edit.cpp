// The edit base (transparent repaint, dialog keys) and the number edit's key filter.
#include "skin/boxes/bsSkinBoxes_Edit.h"

#include "skin/controls/bsSkinCtrls_Button.h"
#include "skin/core/bsUtils_Glyphs.h"

#include "platform/controls/Forms.h"
#include "platform/core/FormatSettings.h"
#include "platform/ui/Input.h"

namespace skin {

using namespace platform;

TbsCustomEdit::TbsCustomEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) { ControlStyle |= csOpaque; }

void TbsCustomEdit::SetEditTransparent(bool AValue)
{
    if (FEditTransparent == AValue)
        return;
    FEditTransparent = AValue;
    Invalidate();
}

void TbsCustomEdit::PaintBuffered()
{
    if (!HandleAllocated())
        return;
    // The window system paints through the window's back buffer, so one
    // invalidate-and-update writes background and text in a single frame.
    FStopDraw = true;
    try {
        Invalidate();
        Update();
    } catch (...) {
        FStopDraw = false;
        throw;
    }
    FStopDraw = false;
}

void TbsCustomEdit::PaintBufferedTo(HDC ADC)
{
    if (!HandleAllocated() || !ADC)
        return;
    FStopDraw = true;
    try {
        PaintWindow(ADC);
    } catch (...) {
        FStopDraw = false;
        throw;
    }
    FStopDraw = false;
}

void TbsCustomEdit::PaintBackground(TCanvas* ACanvas, const TRect& AClient)
{
    if (FEditTransparent && Parent())
        PaintParentBackground(this, ACanvas);
    else
        TCustomMaskEdit::PaintBackground(ACanvas, AClient);
}

void TbsCustomEdit::WMGetDlgCode(TMessage& M)
{
    // Enter and Escape come to the edit as characters, which it hands to the
    // form itself (see WMChar), so the form never sees them twice.
    TCustomMaskEdit::WMGetDlgCode(M);
    M.Result |= DLGC_WANTALLKEYS;
}

void TbsCustomEdit::WMChar(TMessage& M)
{
    const auto code = char16_t(M.WParam);
    if (code == VK_RETURN || code == VK_ESCAPE) {
        // The handler sees a copy: it can neither change nor suppress the key.
        char16_t copy = code;
        if (OnKeyPress)
            OnKeyPress(this, copy);
        if (TCustomForm* form = ParentForm())
            form->Perform(CM_DIALOGKEY, M.WParam, M.LParam);
        return;
    }
    TCustomMaskEdit::WMChar(M);
    if (FEditTransparent)
        PaintBuffered();
}

void TbsCustomEdit::Change()
{
    TCustomMaskEdit::Change();
    if (FEditTransparent)
        PaintBuffered();
}

void TbsCustomEdit::WMLButtonDown(TMessage& M)
{
    TCustomMaskEdit::WMLButtonDown(M);
    FDown = true;
    if (FEditTransparent)
        PaintBuffered();
}

void TbsCustomEdit::WMLButtonUp(TMessage& M)
{
    TCustomMaskEdit::WMLButtonUp(M);
    FDown = false;
}

void TbsCustomEdit::WMSetFocus(TMessage& M)
{
    TCustomMaskEdit::WMSetFocus(M);
    if (FEditTransparent)
        PaintBuffered();
}

void TbsCustomEdit::WMKillFocus(TMessage& M)
{
    TCustomMaskEdit::WMKillFocus(M);
    if (FEditTransparent)
        PaintBuffered();
}

void TbsCustomEdit::CMCancelMode(TMessage& M)
{
    TCustomMaskEdit::CMCancelMode(M);
    if (OnEditCancelMode)
        OnEditCancelMode(reinterpret_cast<TControl*>(M.LParam));
}

namespace {

TbsEditMenuMaker& SysPopupMenuMaker()
{
    static TbsEditMenuMaker maker;
    return maker;
}

TbsEditStringsFinder& SysPopupMenuStrings()
{
    static TbsEditStringsFinder finder;
    return finder;
}

} // namespace

void TbsCustomEdit::SetSysPopupMenuMaker(TbsEditMenuMaker AMaker) { SysPopupMenuMaker() = std::move(AMaker); }

void TbsCustomEdit::SetSysPopupMenuStrings(TbsEditStringsFinder AFinder) { SysPopupMenuStrings() = std::move(AFinder); }

TbsResourceStrData* TbsCustomEdit::MenuStrings()
{
    if (SysPopupMenuStrings())
        if (TbsResourceStrData* strings = SysPopupMenuStrings()(this))
            return strings;
    return GetResourceStrData();
}

void TbsCustomEdit::CreateSysPopupMenu()
{
    // The menu before stays alive one request longer: a skinned menu's open
    // windows still show its items until the next menu closes them.
    FRetiredPopupMenu = std::move(FSysPopupMenu);
    TPopupMenu* menu = SysPopupMenuMaker() ? SysPopupMenuMaker()(this) : nullptr;
    FSysPopupMenu.reset(menu ? menu : new TPopupMenu(nullptr));
    TbsResourceStrData* strings = MenuStrings();
    const bool selection = SelLength() > 0;
    const bool allSelected = SelStart() == 0 && SelLength() == int(FBuffer.size());
    struct TItem {
        const char* Key;
        const char* Text;
        bool Enabled;
        void (TCustomEdit::*Command)();
    };
    const TItem items[] = {
        {"EDIT_UNDO", "Undo", CanUndo(), &TCustomEdit::Undo},
        {nullptr, "-", true, nullptr},
        {"EDIT_CUT", "Cut", selection && !ReadOnly, &TCustomEdit::CutToClipboard},
        {"EDIT_COPY", "Copy", selection, &TCustomEdit::CopyToClipboard},
        {"EDIT_PASTE", "Paste", !GetClipboardText().empty() && !ReadOnly, &TCustomEdit::PasteFromClipboard},
        {"EDIT_DELETE", "Delete", selection && !ReadOnly, &TCustomEdit::ClearSelection},
        {nullptr, "-", true, nullptr},
        {"EDIT_SELECTALL", "Select All", !allSelected, &TCustomEdit::SelectAll},
    };
    for (const TItem& item : items) {
        auto* menuItem = new TMenuItem(FSysPopupMenu.get());
        menuItem->Caption = item.Key && strings ? strings->GetResStr(item.Key) : item.Text;
        menuItem->Enabled = item.Enabled;
        if (item.Command)
            menuItem->OnClick = [this, command = item.Command](TObject*) { (this->*command)(); };
        FSysPopupMenu->Items()->Add(menuItem);
    }
}

void TbsCustomEdit::WMContextMenu(TMessage& M)
{
    if (PopupMenu()) {
        TCustomMaskEdit::WMContextMenu(M);
        return;
    }
    CreateSysPopupMenu();
    TPoint p = Point(int16_t(LOWORD(M.LParam)), int16_t(HIWORD(M.LParam)));
    // From the keyboard the menu opens at the control's centre.
    if (p.X < 0 || p.Y < 0)
        p = ClientToScreen(Point(Width() / 2, Height() / 2));
    FSysPopupMenu->PopupComponent = this;
    // A skinned menu tells the edit when it closes; a platform one is modal.
    if (auto* skinned = dynamic_cast<IbsSkinPopupMenu*>(FSysPopupMenu.get()))
        skinned->PopupFromRect2(this, Rect(p.X, p.Y, p.X, p.Y), false);
    else
        FSysPopupMenu->Popup(p.X, p.Y);
    M.Result = 1;
}

// ---- TbsSkinNumEdit

TbsSkinNumEdit::TbsSkinNumEdit(TComponent* AOwner) : TbsCustomEdit(AOwner) {}

bool TbsSkinNumEdit::IsValidChar(char16_t Key)
{
    const bool control = Key < 32 && Key != VK_RETURN;
    const bool digit = Key >= u'0' && Key <= u'9';
    bool result;
    if (Float) {
        const auto separator = char16_t(DecimalSeparator & 0xFF);
        result = Key <= 255 && (Key == u'-' || digit || Key == separator);
        result = result || control;
    } else {
        result = Key == u'-' || digit || control;
    }
    if (result && !EditorEnabled && (Key >= 32 || Key == VK_BACK))
        result = false;
    if (Key == DecimalSeparator && FBuffer.find(DecimalSeparator) != std::u16string::npos)
        return false;
    if (Key == u'-') {
        if (SelStart() == 0 && SelLength() > 0)
            result = true;   // the minus replaces a selection at the start
        else if (SelStart() != 0)
            result = false;
        else if (FBuffer.find(u'-') != std::u16string::npos)
            result = false;
    }
    return result;
}

void TbsSkinNumEdit::KeyPress(char16_t& Key)
{
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (Key != 0)
        TbsCustomEdit::KeyPress(Key);
}

void TbsSkinNumEdit::KeyDown(uint16_t& Key, TShiftState Shift)
{
    if (Key == VK_UP || Key == VK_DOWN) {
        const TNotifyEvent& event = Key == VK_UP ? OnUpClick : OnDownClick;
        Key = 0;
        if (event)
            event(this);
        return;
    }
    TbsCustomEdit::KeyDown(Key, Shift);
}

void TbsSkinNumEdit::WMMouseWheel(TMessage& M)
{
    // Forward (away from the user) counts down, as the spin buttons beside it do.
    const int delta = int16_t(HIWORD(M.WParam));
    const TNotifyEvent& event = delta > 0 ? OnDownClick : OnUpClick;
    if (event)
        event(this);
    M.Result = 1;
}

void TbsSkinNumEdit::CMMouseEnter(TMessage& M)
{
    TbsCustomEdit::CMMouseEnter(M);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TbsSkinNumEdit::CMMouseLeave(TMessage& M)
{
    TbsCustomEdit::CMMouseLeave(M);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

} // namespace skin
