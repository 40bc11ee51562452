#pragma once
// The plain standard controls: buttons, check and radio boxes, labels, list
// and combo boxes holding their items, a single-line edit that can be typed
// in (caret, selection, clipboard, undo) and a memo holding lines.

#include "platform/controls/Controls.h"

#include <string>
#include <vector>

namespace platform {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TButtonControl : public TCustomControl {
public:
    explicit TButtonControl(TComponent* AOwner);

protected:
    void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_BUTTON; }
    void CMDialogChar(TMessage& M) override;
    void CMTextChanged(TMessage& M) override { Invalidate(); }
    void DrawCaption(const TRect& ARect, UINT AFormat);
    // A check or radio mark with the caption beside it.
    void PaintToggle(bool ARound, TCheckBoxState AState, bool AMarkLeft);
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);
    bool Default() const { return FDefault; }
    void SetDefault(bool AValue) { FDefault = AValue; Invalidate(); }
    bool Cancel = false;
    int ModalResult = 0;
    void Click() override;
    bool Pressed() const { return FPressed; }

    void Dispatch(TMessage& M) override;
    void CMDialogKey(TMessage& M) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseMove(TShiftState AShift, int X, int Y) override;
    void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;
    void KeyUp(uint16_t& AKey, TShiftState AShift) override;

private:
    bool FDefault = false;
    bool FPressed = false;
    bool FSpaceDown = false;
};

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState AValue);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool AValue) { SetState(AValue ? cbChecked : cbUnchecked); }
    bool AllowGrayed = false;
    TAlignment Alignment = taRightJustify;   // the caption's side

protected:
    virtual void Toggle();
    void Paint() override;
    void Click() override;
    void KeyPress(char16_t& AKey) override;
    TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
public:
    explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    bool Checked() const { return FChecked; }
    void SetChecked(bool AValue);
    void Click() override;

protected:
    void Paint() override;
    void KeyPress(char16_t& AKey) override;

private:
    bool FChecked = false;
};

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    TAlignment Alignment = taLeftJustify;
    TTextLayout Layout = tlTop;
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool AValue);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool AValue);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool AValue);
    bool ShowAccelChar = true;
    TWinControl* FocusControl = nullptr;
    void AdjustBounds();

    void Dispatch(TMessage& M) override;

protected:
    void Paint() override;
    // Draws the caption into ARect on the canvas, or with DT_CALCRECT
    // measures it into ARect; painting and AdjustBounds both go through it,
    // so a descendant that draws its text otherwise also measures it so.
    virtual void DoDrawText(TRect& ARect, UINT AFlags);
    UINT DrawFormat() const;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FTransparent = false;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// Single-line edit: positions are UTF-16 units, as the edit messages count them.
class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    std::string GetText() const override;
    void SetText(const std::string& AValue) override;
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int AValue) { FMaxLength = AValue < 0 ? 0 : AValue; }
    bool ReadOnly = false;
    char16_t PasswordChar = 0;
    TEditCharCase CharCase = ecNormal;
    bool AutoSelect = true;
    bool HideSelection = true;
    bool Modified = false;

    int SelStart() const;
    void SetSelStart(int AValue);
    int SelLength() const;
    void SetSelLength(int AValue);
    std::string SelText() const;
    void SetSelText(const std::string& AValue);
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return FCanUndo; }
    void Undo();
    int CaretPos() const { return FCaret; }

    TNotifyEvent OnChange;

    void Dispatch(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; }
    void WMSetFocus(TMessage& M) override;
    void WMKillFocus(TMessage& M) override;
    void WMLButtonDblClk(TMessage& M) override;

protected:
    virtual void Change();
    void Paint() override;
    // The face under the text; a descendant may paint what lies beneath the edit instead.
    virtual void PaintBackground(TCanvas* ACanvas, const TRect& AClient);
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;
    void KeyPress(char16_t& AKey) override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void MouseMove(TShiftState AShift, int X, int Y) override;

    // Replaces the selection by AText as typed (limits, case, undo).
    virtual void ReplaceSelection(std::u16string AText, bool AUndoable);
    // Takes ABuffer as the new text with the caret at ACaret, as one edit.
    void CommitEdit(std::u16string ABuffer, int ACaret, bool AUndoable);
    void SetSelection(int AAnchor, int ACaret);
    int PositionAt(int X);
    int TextX(int APosition);
    std::u16string DisplayText() const;
    void ScrollToCaret();
    // Where the text runs, in client coordinates; a descendant may narrow it.
    virtual TRect TextArea();

    std::u16string FBuffer;
    int FAnchor = 0;
    int FCaret = 0;
    int FMaxLength = 0;
    int FScrollX = 0;
    bool FCanUndo = false;
    std::u16string FUndoBuffer;
    int FUndoAnchor = 0;
    int FUndoCaret = 0;
    bool FSelecting = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// A memo holding lines; what the program writes into it, the user can read and scroll.
class TMemo : public TCustomControl {
public:
    explicit TMemo(TComponent* AOwner);
    TStringList* Lines() { return &FLines; }
    std::string GetText() const override { return FLines.Text(); }
    void SetText(const std::string& AValue) override { FLines.SetText(AValue); }
    bool ReadOnly = false;
    bool WordWrap = true;
    int TopLine() const { return FTopLine; }
    void SetTopLine(int AValue);
    TNotifyEvent OnChange;

    void WMMouseWheel(TMessage& M) override;

protected:
    void Paint() override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;
    int LineHeight();
    int VisibleLines();

private:
    TStringList FLines;
    int FTopLine = 0;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual };
enum TOwnerDrawStateFlag : unsigned { odSelected = 1, odGrayed = 2, odDisabled = 4, odChecked = 8, odFocused = 16 };
using TOwnerDrawState = unsigned;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TCustomListBox : public TCustomControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    TStringList* Items() { return &FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int AValue);
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int AValue);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int AValue);
    // Columns shown side by side, items running down each column and on into
    // the next; 0: one column that scrolls by rows. With columns the top
    // index is the first item of the leftmost column shown.
    int Columns() const { return FColumns; }
    void SetColumns(int AValue);
    // The rows of one column that fit the list's height (at least 1).
    int RowsPerColumn();
    bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool AValue) { FItems.SetSorted(AValue); }
    bool MultiSelect = false;
    bool Selected(int AIndex) const;
    void SetSelected(int AIndex, bool AValue);
    int SelCount() const;
    TListBoxStyle Style = lbStandard;
    TDrawItemEvent OnDrawItem;
    TRect ItemRect(int AIndex);
    int ItemAtPos(TPoint APos, bool AExisting);
    void Clear() { FItems.Clear(); }

    void Dispatch(TMessage& M) override;
    void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }
    void WMMouseWheel(TMessage& M) override;

protected:
    void Paint() override;
    virtual void DrawItem(int AIndex, TRect ARect, TOwnerDrawState AState);
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;
    void KeyPress(char16_t& AKey) override;
    void ItemsChanged();
    void MoveSelection(int AIndex, bool AUser);
    int VisibleCount();

    TStringList FItems;
    std::vector<bool> FSelected;
    int FItemIndex = -1;
    int FTopIndex = 0;
    int FItemHeight = 16;
    int FColumns = 0;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboDropDown;

class TCustomComboBox : public TCustomControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;
    TStringList* Items() { return &FItems; }
    int ItemIndex() const { return FItemIndex; }
    // Setting it in code shows the item; OnChange is for the user's choices.
    void SetItemIndex(int AValue);
    std::string GetText() const override;
    void SetText(const std::string& AValue) override;
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle AValue);
    int DropDownCount = 8;
    bool DroppedDown() const;
    void SetDroppedDown(bool AValue);
    bool Sorted() const { return FItems.Sorted(); }
    void SetSorted(bool AValue) { FItems.SetSorted(AValue); }
    TEdit* EditControl() const { return FEdit; }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void WMGetDlgCode(TMessage& M) override { M.Result = DLGC_WANTARROWS; }
    void CMEnabledChanged(TMessage& M) override;

protected:
    friend class TComboDropDown;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override;
    void KeyDown(uint16_t& AKey, TShiftState AShift) override;
    void SelectByUser(int AIndex);
    void Change();
    void LayoutEdit();
    TRect ButtonRect();

    TStringList FItems;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    TEdit* FEdit = nullptr;
    TComboDropDown* FDropDown = nullptr;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

} // namespace platform
