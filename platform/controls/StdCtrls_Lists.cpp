// List boxes and combo boxes holding their items.
#include "platform/controls/StdCtrls.h"

#include "platform/controls/Forms.h"
#include "platform/core/CodePage.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"

#include <algorithm>

namespace platform {

// ---- TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 121;
    FHeight = 97;
    FColor = clWindow;
    FBrush.SetColor(FColor);
    FTabStop = true;
    FItems.OnChange = [this](TObject*) { ItemsChanged(); };
}

void TCustomListBox::ItemsChanged()
{
    FSelected.resize(size_t(FItems.Count()), false);
    if (FItemIndex >= FItems.Count())
        FItemIndex = FItems.Count() - 1;
    SetTopIndex(FTopIndex);
    Invalidate();
}

int TCustomListBox::RowsPerColumn() { return std::max(1, ClientHeight() / std::max(1, FItemHeight)); }

// Items shown at once: the rows, times the columns with columns.
int TCustomListBox::VisibleCount() { return RowsPerColumn() * std::max(1, FColumns); }

void TCustomListBox::SetColumns(int AValue)
{
    AValue = std::max(0, AValue);
    if (AValue == FColumns)
        return;
    FColumns = AValue;
    SetTopIndex(FTopIndex);
    Invalidate();
}

void TCustomListBox::SetItemIndex(int AValue)
{
    AValue = std::clamp(AValue, -1, FItems.Count() - 1);
    if (AValue == FItemIndex)
        return;
    FItemIndex = AValue;
    if (!MultiSelect)
        std::fill(FSelected.begin(), FSelected.end(), false);
    if (AValue >= 0) {
        FSelected[size_t(AValue)] = true;
        if (AValue < FTopIndex)
            SetTopIndex(AValue);
        else if (AValue >= FTopIndex + VisibleCount())
            // With columns the item's column becomes the rightmost shown.
            SetTopIndex(FColumns > 0 ? (AValue / RowsPerColumn() - FColumns + 1) * RowsPerColumn()
                                     : AValue - VisibleCount() + 1);
    }
    Invalidate();
}

void TCustomListBox::SetTopIndex(int AValue)
{
    int top = std::clamp(AValue, 0, std::max(0, FItems.Count() - VisibleCount()));
    if (FColumns > 0) {
        // Whole columns scroll: the top is a column's first item, and the
        // last column may stand at the left edge's right but never beyond.
        const int rows = RowsPerColumn();
        const int columns = (FItems.Count() + rows - 1) / rows;
        top = std::clamp(AValue / rows, 0, std::max(0, columns - FColumns)) * rows;
    }
    if (top != FTopIndex) {
        FTopIndex = top;
        Invalidate();
    }
}

void TCustomListBox::SetItemHeight(int AValue)
{
    FItemHeight = std::max(1, AValue);
    Invalidate();
}

bool TCustomListBox::Selected(int AIndex) const
{
    return AIndex >= 0 && AIndex < int(FSelected.size()) && FSelected[size_t(AIndex)];
}

void TCustomListBox::SetSelected(int AIndex, bool AValue)
{
    if (AIndex < 0 || AIndex >= int(FSelected.size()))
        throw Exception("List index out of bounds (" + std::to_string(AIndex) + ")");
    if (!MultiSelect) {
        SetItemIndex(AValue ? AIndex : (FItemIndex == AIndex ? -1 : FItemIndex));
        return;
    }
    FSelected[size_t(AIndex)] = AValue;
    Invalidate();
}

int TCustomListBox::SelCount() const
{
    if (!MultiSelect)
        return -1;
    return int(std::count(FSelected.begin(), FSelected.end(), true));
}

TRect TCustomListBox::ItemRect(int AIndex)
{
    if (FColumns > 0) {
        const int rows = RowsPerColumn(), width = ClientWidth() / FColumns;
        const int at = AIndex - FTopIndex;
        // Floor division: items before the top lie in columns to the left.
        const int column = at >= 0 ? at / rows : -((rows - 1 - at) / rows);
        const int row = at - column * rows;
        return Bounds(column * width, row * FItemHeight, width, FItemHeight);
    }
    return Bounds(0, (AIndex - FTopIndex) * FItemHeight, ClientWidth(), FItemHeight);
}

int TCustomListBox::ItemAtPos(TPoint APos, bool AExisting)
{
    int i = FTopIndex + APos.Y / std::max(1, FItemHeight);
    if (FColumns > 0 && APos.X >= 0 && APos.Y >= 0) {
        const int rows = RowsPerColumn(), width = std::max(1, ClientWidth() / FColumns);
        if (APos.Y / std::max(1, FItemHeight) >= rows)
            return AExisting ? -1 : FItems.Count();
        i = FTopIndex + APos.X / width * rows + APos.Y / std::max(1, FItemHeight);
    }
    if (APos.Y < 0 || APos.X < 0)
        return AExisting ? -1 : FTopIndex;
    if (i >= FItems.Count())
        return AExisting ? -1 : FItems.Count();
    return i;
}

void TCustomListBox::MoveSelection(int AIndex, bool AUser)
{
    if (FItems.Count() == 0)
        return;
    AIndex = std::clamp(AIndex, 0, FItems.Count() - 1);
    bool changed = AIndex != FItemIndex;
    if (MultiSelect) {
        std::fill(FSelected.begin(), FSelected.end(), false);
        FItemIndex = -2;   // force
    }
    SetItemIndex(AIndex);
    if (AUser && changed)
        Click();
}

void TCustomListBox::DrawItem(int AIndex, TRect ARect, TOwnerDrawState AState)
{
    if (Style != lbStandard && OnDrawItem) {
        OnDrawItem(this, AIndex, ARect, AState);
        return;
    }
    TCanvas* c = Canvas();
    bool selected = AState & odSelected;
    c->Brush()->SetColor(selected ? clHighlight : FColor);
    c->FillRect(ARect);
    HDC dc = c->Handle();
    SelectObject(dc, FFont.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(!FEnabled ? clGrayText : selected ? clHighlightText : Font()->Color()));
    TRect text = ARect;
    text.Left += 2;
    DrawText(dc, FItems[AIndex], &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if ((AState & odFocused) && Focused())
        c->DrawFocusRect(ARect);
}

void TCustomListBox::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetColor(FColor);
    c->FillRect(ClientRect());
    int last = std::min(FItems.Count(), FTopIndex + VisibleCount() + 1);
    for (int i = FTopIndex; i < last; ++i) {
        TOwnerDrawState state = 0;
        if (Selected(i))
            state |= odSelected;
        if (i == FItemIndex)
            state |= odFocused;
        if (!FEnabled)
            state |= odDisabled;
        DrawItem(i, ItemRect(i), state);
    }
}

void TCustomListBox::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        int i = ItemAtPos(Point(X, Y), true);
        if (i >= 0) {
            if (MultiSelect && (AShift & ssCtrl)) {
                FSelected[size_t(i)] = !FSelected[size_t(i)];
                FItemIndex = i;
                Invalidate();
                Click();
            } else {
                MoveSelection(i, true);
            }
        }
    }
    TCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TCustomListBox::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TCustomControl::KeyDown(AKey, AShift);
    int page = VisibleCount();
    switch (AKey) {
    case VK_LEFT:
    case VK_RIGHT:
        // Side by side columns: left and right go to the same row of the
        // neighbouring column.
        if (FColumns <= 0)
            return;
        MoveSelection(std::max(FItemIndex, 0) + (AKey == VK_LEFT ? -RowsPerColumn() : RowsPerColumn()), true);
        break;
    case VK_UP: MoveSelection(FItemIndex - 1, true); break;
    case VK_DOWN: MoveSelection(FItemIndex + 1, true); break;
    case VK_PRIOR: MoveSelection(FItemIndex - page, true); break;
    case VK_NEXT: MoveSelection(FItemIndex + page, true); break;
    case VK_HOME: MoveSelection(0, true); break;
    case VK_END: MoveSelection(FItems.Count() - 1, true); break;
    default: return;
    }
    AKey = 0;
}

void TCustomListBox::KeyPress(char16_t& AKey)
{
    TCustomControl::KeyPress(AKey);
    if (AKey < 32)
        return;
    // Type-ahead: the next item starting with the character.
    std::string prefix = Utf16ToUtf8(std::u16string(1, AKey));
    int n = FItems.Count();
    for (int step = 1; step <= n; ++step) {
        int i = (std::max(FItemIndex, -1) + step) % n;
        if (StartsText(prefix, FItems[i])) {
            MoveSelection(i, true);
            break;
        }
    }
    AKey = 0;
}

void TCustomListBox::WMMouseWheel(TMessage& M)
{
    // With columns one notch moves one column.
    const int step = FColumns > 0 ? RowsPerColumn() : 3;
    SetTopIndex(FTopIndex - int16_t(HIWORD(M.WParam)) / WHEEL_DELTA * step);
    M.Result = 1;
}

void TCustomListBox::Dispatch(TMessage& M)
{
    auto text = [&]() { return std::string(M.LParam ? reinterpret_cast<const char*>(M.LParam) : ""); };
    switch (M.Msg) {
    case LB_ADDSTRING: M.Result = FItems.Add(text()); break;
    case LB_INSERTSTRING: {
        int at = int(intptr_t(M.WParam));
        if (at < 0 || at > FItems.Count())
            at = FItems.Count();
        FItems.Insert(at, text());
        M.Result = at;
        break;
    }
    case LB_DELETESTRING:
        if (int(M.WParam) < 0 || int(M.WParam) >= FItems.Count()) {
            M.Result = LRESULT(int32_t(LB_ERR));
        } else {
            FItems.Delete(int(M.WParam));
            M.Result = FItems.Count();
        }
        break;
    case LB_RESETCONTENT: FItems.Clear(); FItemIndex = -1; break;
    case LB_SETCURSEL: SetItemIndex(int(intptr_t(M.WParam))); M.Result = FItemIndex; break;
    case LB_GETCURSEL: M.Result = FItemIndex; break;
    case LB_GETCOUNT: M.Result = FItems.Count(); break;
    case LB_GETTOPINDEX: M.Result = FTopIndex; break;
    case LB_SETTOPINDEX: SetTopIndex(int(M.WParam)); break;
    case LB_FINDSTRING: {
        int n = FItems.Count();
        M.Result = LRESULT(int32_t(LB_ERR));
        for (int step = 1; step <= n; ++step) {
            int i = (int(intptr_t(M.WParam)) + step + n) % n;
            if (StartsText(text(), FItems[i])) {
                M.Result = i;
                break;
            }
        }
        break;
    }
    default: TCustomControl::Dispatch(M); break;
    }
}

// ---- the drop-down list of a combo box: a popup window that never takes the focus

class TComboDropDown : public TCustomListBox {
public:
    explicit TComboDropDown(TCustomComboBox* ACombo) : TCustomListBox(nullptr), FCombo(ACombo)
    {
        FVisible = false;
        // It holds the capture itself while open; a click must not take it away.
        ControlStyle &= ~csCaptureMouse;
    }
    void Open();
    void CloseUp(bool AAccept);
    bool IsOpen() const { return FOpen; }

    void Dispatch(TMessage& M) override
    {
        if (M.Msg == WM_MOUSEACTIVATE) {
            M.Result = MA_NOACTIVATE;
            return;
        }
        if (M.Msg == WM_CAPTURECHANGED && FOpen && reinterpret_cast<HWND>(M.LParam) != FHandle) {
            CloseUp(false);
            return;
        }
        TCustomListBox::Dispatch(M);
    }

protected:
    void CreateParams(TCreateParams& P) override
    {
        TCustomListBox::CreateParams(P);
        P.Style = WS_POPUP | WS_BORDER;
        P.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        TCustomForm* form = FCombo->ParentForm();
        P.WndParent = form && form->HandleAllocated() ? form->Handle() : nullptr;
        P.WinClassName = "TComboDropDown";
    }
    bool Showing() const override { return FOpen; }
    void MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override
    {
        if (!PtInRect(ClientRect(), Point(X, Y))) {
            CloseUp(false);
            return;
        }
        TCustomListBox::MouseDown(AButton, AShift, X, Y);
    }
    void MouseMove(TShiftState AShift, int X, int Y) override
    {
        int i = ItemAtPos(Point(X, Y), true);
        if (i >= 0 && PtInRect(ClientRect(), Point(X, Y)))
            SetItemIndex(i);
    }
    void MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y) override
    {
        if (FOpen && AButton == mbLeft && PtInRect(ClientRect(), Point(X, Y)))
            CloseUp(true);
    }

private:
    TCustomComboBox* FCombo;
    bool FOpen = false;
};

void TComboDropDown::Open()
{
    if (FOpen)
        return;
    FItems.Assign(FCombo->FItems);
    FItemIndex = -1;
    int rows = std::clamp(FItems.Count(), 1, std::max(1, FCombo->DropDownCount));
    TPoint at = FCombo->ClientToScreen(Point(0, FCombo->Height()));
    SetBounds(at.X, at.Y, FCombo->Width(), rows * FItemHeight + 2);
    SetItemIndex(FCombo->FItemIndex);
    FOpen = true;
    if (FCombo->OnDropDown)
        FCombo->OnDropDown(FCombo);
    ShowWindow(Handle(), SW_SHOWNA);
    SetCapture(FHandle);
}

void TComboDropDown::CloseUp(bool AAccept)
{
    if (!FOpen)
        return;
    FOpen = false;
    if (GetCapture() == FHandle)
        ReleaseCapture();
    ShowWindow(FHandle, SW_HIDE);
    if (AAccept && FItemIndex >= 0)
        FCombo->SelectByUser(FItemIndex);
    if (FCombo->OnCloseUp)
        FCombo->OnCloseUp(FCombo);
}

// ---- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 145;
    FHeight = 21;
    FColor = clWindow;
    FBrush.SetColor(FColor);
    FTabStop = true;
    FItems.OnChange = [this](TObject*) {
        if (FItemIndex >= FItems.Count())
            FItemIndex = -1;
        Invalidate();
    };
    SetStyle(csDropDown);
}

TCustomComboBox::~TCustomComboBox() { delete FDropDown; }

void TCustomComboBox::SetStyle(TComboBoxStyle AValue)
{
    FStyle = AValue;
    bool editable = AValue == csDropDown || AValue == csSimple;
    if (editable && !FEdit) {
        FEdit = new TEdit(this);
        FEdit->SetParent(this);
        FEdit->OnChange = [this](TObject*) {
            if (FEdit->Focused() || FEdit->Modified)
                Change();
        };
        LayoutEdit();
    } else if (!editable && FEdit) {
        delete FEdit;
        FEdit = nullptr;
    }
    Invalidate();
}

TRect TCustomComboBox::ButtonRect()
{
    TRect c = ClientRect();
    return Rect(c.Right - 17, c.Top, c.Right, c.Bottom);
}

void TCustomComboBox::LayoutEdit()
{
    if (!FEdit)
        return;
    TRect c = ClientRect();
    FEdit->SetBounds(1, 1, std::max(0, c.Width() - 18), std::max(0, c.Height() - 2));
}

void TCustomComboBox::Resize()
{
    LayoutEdit();
    TCustomControl::Resize();
}

std::string TCustomComboBox::GetText() const
{
    if (FEdit)
        return FEdit->Text();
    return FItemIndex >= 0 ? FItems[FItemIndex] : std::string();
}

void TCustomComboBox::SetText(const std::string& AValue)
{
    FItemIndex = FItems.IndexOf(AValue);
    if (FEdit) {
        auto handler = FEdit->OnChange;
        FEdit->OnChange = nullptr;
        FEdit->SetText(AValue);
        FEdit->OnChange = handler;
    }
    Invalidate();
}

void TCustomComboBox::SetItemIndex(int AValue)
{
    AValue = std::clamp(AValue, -1, FItems.Count() - 1);
    FItemIndex = AValue;
    if (FEdit) {
        auto handler = FEdit->OnChange;
        FEdit->OnChange = nullptr;
        FEdit->SetText(AValue >= 0 ? FItems[AValue] : std::string());
        FEdit->OnChange = handler;
    }
    Invalidate();
}

void TCustomComboBox::SelectByUser(int AIndex)
{
    if (AIndex == FItemIndex)
        return;
    SetItemIndex(AIndex);
    if (OnSelect)
        OnSelect(this);
    Change();
}

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

bool TCustomComboBox::DroppedDown() const { return FDropDown && FDropDown->IsOpen(); }

void TCustomComboBox::SetDroppedDown(bool AValue)
{
    if (AValue == DroppedDown())
        return;
    if (!FDropDown)
        FDropDown = new TComboDropDown(this);
    if (AValue)
        FDropDown->Open();
    else
        FDropDown->CloseUp(false);
}

void TCustomComboBox::CMEnabledChanged(TMessage& M)
{
    if (FEdit)
        FEdit->SetEnabled(FEnabled);
    TCustomControl::CMEnabledChanged(M);
}

void TCustomComboBox::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(FEnabled ? FColor : clBtnFace);
    c->FillRect(r);
    TRect button = ButtonRect();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(button);
    TRect edge = button;
    Frame3D(c, edge, clBtnHighlight, clBtnShadow, 1);
    // The arrow: a small triangle pointing down.
    int cx = (button.Left + button.Right) / 2, cy = (button.Top + button.Bottom) / 2;
    c->Pen()->SetColor(FEnabled ? clBtnText : clGrayText);
    for (int i = 0; i < 4; ++i) {
        c->MoveTo(cx - 3 + i, cy - 1 + i);
        c->LineTo(cx + 4 - i, cy - 1 + i);
    }
    if (!FEdit && FItemIndex >= 0) {
        TRect text = Rect(3, 0, button.Left - 2, r.Bottom);
        HDC dc = c->Handle();
        SelectObject(dc, FFont.Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(FEnabled ? Font()->Color() : clGrayText));
        DrawText(dc, FItems[FItemIndex], &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (!FEdit && Focused()) {
        TRect focus = Rect(2, 2, button.Left - 2, r.Bottom - 2);
        c->DrawFocusRect(focus);
    }
}

void TCustomComboBox::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == mbLeft) {
        if (CanFocus() && !Focused() && !FEdit)
            SetFocus();
        SetMouseCapture(false);
        SetDroppedDown(!DroppedDown());
    }
    TCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TCustomComboBox::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TCustomControl::KeyDown(AKey, AShift);
    switch (AKey) {
    case VK_UP: SelectByUser(std::max(0, FItemIndex - 1)); break;
    case VK_DOWN:
        if (AShift & ssAlt)
            SetDroppedDown(true);
        else
            SelectByUser(std::min(FItems.Count() - 1, FItemIndex + 1));
        break;
    case VK_F1 + 3: SetDroppedDown(!DroppedDown()); break;   // F4
    default: return;
    }
    AKey = 0;
}

} // namespace platform
