// The skinned combo box's edit style: the inner edit over the item area,
// the text kept equal to the edit's, the list following what is typed,
// completion from the items, and the keys and wheel taken from the edit.
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"

#include "skin/core/bsUtils_Text.h"

#include "platform/core/CodePage.h"
#include "platform/gfx/Gdi.h"

namespace skin {

using namespace platform;

namespace {

bool IsDoubleByteCharset(int ACharset) { return ACharset == 128 || ACharset == 134 || ACharset == 136; }

} // namespace

void TbsSkinCustomComboBox::SetStyle(TbsSkinCustomComboBoxStyle AValue)
{
    // A repeated edit style would leave a second inner edit behind.
    if (AValue == FStyle)
        return;
    FStyle = AValue;
    if (AValue == bscbEditStyle) {
        CreateEditControl();
        if (!IsDesigning()) {
            if (TabStop()) {
                SetTabStop(false);
                FEdit->SetTabStop(true);
            } else {
                FEdit->SetTabStop(false);
            }
        }
        FEdit->SetText(Text());
        if (Focused())
            FEdit->SetFocus();
    } else if (FEdit) {
        FreeEditControl();
    }
    CalcRects();
    AdjustEditBounds();
    Repaint();
}

void TbsSkinCustomComboBox::CreateEditControl()
{
    FEdit = FNumEdit ? new TbsSkinNumEdit(this) : new TbsCustomEdit(this);
    FEdit->SetParent(this);
    FEdit->SetColor(FDefaultColor);
    FEdit->HideSelection = HideSelection;
    FEdit->SetVisible(true);
    FEdit->SetEditTransparent(false);
    FEdit->OnChange = [this](TObject*) { EditChange(); };
    FEditWindowProc = FEdit->WindowProc;
    FEdit->WindowProc = [this](TMessage& M) { EditWindowProc(M); };
    FEdit->OnEditCancelMode = [this](TControl* C) { EditCancelMode(C); };
    FEdit->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState Shift) {
        if (OnKeyDown)
            OnKeyDown(this, Key, Shift);
    };
    FEdit->OnKeyUp = [this](TObject*, uint16_t& Key, TShiftState Shift) {
        if (OnKeyUp)
            OnKeyUp(this, Key, Shift);
    };
    FEdit->OnKeyPress = [this](TObject*, char16_t& Key) {
        if (OnKeyPress)
            OnKeyPress(this, Key);
    };
    FEdit->CharCase = FCharCase;
    UpdateEditFont();
    CalcRects();
}

void TbsSkinCustomComboBox::FreeEditControl()
{
    FEdit->SetVisible(false);
    TbsCustomEdit* edit = FEdit;
    FEdit = nullptr;
    delete edit;
}

// The edit's font and colour follow the skin, the focus, the hover and the
// enabled state.
void TbsSkinCustomComboBox::UpdateEditFont()
{
    if (!FEdit)
        return;
    const bool skinned = FIndex != -1;
    TFont* f = FEdit->Font();
    if (!skinned) {
        f->Assign(Font());
    } else {
        TbsSkinFontFields rf;
        rf.FontName = FontName;
        rf.FontStyle = FontStyle;
        rf.FontHeight = FontHeight;
        AssignCaptionFont(f, DefaultFont(), FSD, UseSkinFont, rf);
        const bool active = !IsSkinEmpty(ActiveSkinRect) && (FEdit->Focused() || FMouseIn);
        f->SetColor(active ? ActiveFontColor : FontColor);
    }
    if (!Enabled())
        f->SetColor(GetDisabledFontColor());
    FEdit->SetEditTransparent(skinned);
}

void TbsSkinCustomComboBox::AdjustEditBounds()
{
    if (!FEdit)
        return;
    TEXTMETRIC tm{};
    HDC dc = GetDC(nullptr);
    SelectObject(dc, FEdit->Font()->Handle());
    GetTextMetrics(dc, &tm);
    ReleaseDC(nullptr, dc);
    const int h = tm.tmHeight;
    FEdit->SetBounds(CBItem.R.Left, CBItem.R.Top + CBItem.R.Height() / 2 - h / 2, CBItem.R.Width(), h);
}

void TbsSkinCustomComboBox::EditChange()
{
    FromEdit = true;
    const std::string typed = FEdit->Text();
    if (!typed.empty()) {
        const int found = FindItem(typed, -1);
        if (found >= 0) {
            if (AutoComplete)
                FListBox->ListBox->Perform(LB_SETCURSEL, WPARAM(found), 0);
            else
                FListBox->ListBox->Perform(LB_SETTOPINDEX, WPARAM(found), 0);
        }
    }
    SetText(typed);
    FromEdit = false;
}

void TbsSkinCustomComboBox::EditCancelMode(TControl* C)
{
    if (!IsCancelSource(C))
        CloseUp(false);
}

void TbsSkinCustomComboBox::AutoCompleteText()
{
    const uint64_t now = Clock();
    if (now - FLastTime <= CompletePause)
        return;
    FLastTime = now;
    const std::string typed = Text();
    const int found = FindItem(typed, Utf8ToUtf16(typed).size() == 1 ? ItemIndex() : -1);
    if (found < 0 || !FEdit)
        return;
    SetItemIndex(found);
    if (!FEdit)
        return;
    const int typedLength = int(Utf8ToUtf16(typed).size());
    FEdit->SetSelStart(typedLength);
    FEdit->SetSelLength(int(Utf8ToUtf16(Text()).size()) - typedLength);
}

void TbsSkinCustomComboBox::EditSelectPrior(bool B)
{
    const int i = ItemIndex();
    if (i <= 0)
        return;
    SetItemIndex(i - 1);
    if (!B || !FEdit)
        return;
    SetText((*Items())[ItemIndex()]);
    FEdit->SelectAll();
    if (OnClick)
        OnClick(this);
}

void TbsSkinCustomComboBox::EditSelectNext(bool B)
{
    const int i = ItemIndex();
    if (i >= Items()->Count() - 1)
        return;
    FListBox->SetItemIndex(i + 1);
    if (!B || !FEdit)
        return;
    SetText((*Items())[ItemIndex()]);
    FEdit->SelectAll();
    if (OnClick)
        OnClick(this);
}

void TbsSkinCustomComboBox::EditWindowProc(TMessage& M)
{
    const bool open = FListBox->Visible();
    const int count = Items()->Count();
    switch (M.Msg) {
    case WM_SETFOCUS:
        if (FIndex != -1 && !IsSkinEmpty(ActiveSkinRect) && FEdit) {
            FEdit->Font()->SetColor(ActiveFontColor);
            Invalidate();
        }
        break;
    case WM_KILLFOCUS:
        if (open)
            CloseUp(false);
        if (FIndex != -1 && !IsSkinEmpty(ActiveSkinRect) && FEdit) {
            FEdit->Font()->SetColor(FontColor);
            Invalidate();
        }
        break;
    case WM_KEYDOWN:
        switch (M.WParam) {
        case VK_RETURN:
            if (open)
                CloseUp(true);
            break;
        case VK_ESCAPE:
            if (open)
                CloseUp(false);
            break;
        case VK_PRIOR:
            if (open && count > 0)
                FListBox->SetItemIndex(std::max(0, FListBox->ItemIndex() - FDropDownCount - 1));
            break;
        case VK_NEXT:
            if (open && count > 0)
                FListBox->SetItemIndex(std::min(count - 1, FListBox->ItemIndex() + FDropDownCount - 1));
            break;
        case VK_UP:
            EditSelectPrior(true);
            return;
        case VK_DOWN:
            EditSelectNext(true);
            return;
        default: break;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const int charset = FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet : DefaultFont()->Charset();
        const WPARAM key = M.WParam;
        if (!FEdit)
            break;
        if (IsDoubleByteCharset(charset)) {
            if (key == VK_DELETE || key == VK_BACK)
                break;
            FEdit->ClearSelection();
            FEditWindowProc(M);
            if (AutoComplete || M.Msg == WM_SYSKEYUP)
                AutoCompleteText();
            return;
        }
        if (M.Msg == WM_SYSKEYUP || key <= 47)
            break;
        FEditWindowProc(M);
        if (AutoComplete)
            AutoCompleteText();
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (open)
            CloseUp(false);
        break;
    case WM_MOUSEWHEEL:
        if (int16_t(HIWORD(M.WParam)) > 0)
            EditSelectPrior(!open);
        else
            EditSelectNext(!open);
        break;
    default: break;
    }
    if (FEditWindowProc)
        FEditWindowProc(M);
}

} // namespace skin
