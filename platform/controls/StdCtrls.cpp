#include "platform/controls/StdCtrls.h"

#include "platform/controls/Forms.h"

#include <algorithm>

namespace platform {
namespace {

// Draws text with the control's font on a canvas, in a colour of its own.
void DrawLabelText(TCanvas* C, TFont* AFont, const std::string& AText, TRect R, UINT AFormat, TColor AColor)
{
    C->SetFont(AFont);
    C->Font()->SetColor(AColor);
    HDC dc = C->Handle();
    // Raw text output: the canvas selects its font only for its own text calls.
    SelectObject(dc, C->Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(AColor));
    DrawText(dc, AText, &R, AFormat);
}

} // namespace

namespace {

void PaintMark(TCanvas* C, TRect ABox, bool ARound, TCheckBoxState AState, bool AEnabled)
{
    C->Brush()->SetColor(AEnabled ? clWindow : clBtnFace);
    C->Pen()->SetColor(clBtnShadow);
    if (ARound)
        C->Ellipse(ABox);
    else
        C->Rectangle(ABox);
    if (AState == cbUnchecked)
        return;
    C->Brush()->SetColor(AState == cbGrayed || !AEnabled ? clGrayText : clWindowText);
    C->Pen()->SetColor(AState == cbGrayed || !AEnabled ? clGrayText : clWindowText);
    TRect mark = Rect(ABox.Left + 3, ABox.Top + 3, ABox.Right - 3, ABox.Bottom - 3);
    if (ARound)
        C->Ellipse(mark);
    else
        C->FillRect(mark);
}

} // namespace

// ---- TButtonControl

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = csSetCaption | csDoubleClicks | csCaptureMouse | csClickEvents;
    FColor = clBtnFace;
    FBrush.SetColor(FColor);
    FTabStop = true;
}

void TButtonControl::CMDialogChar(TMessage& M)
{
    if (IsAccel(uint16_t(std::toupper(int(M.WParam & 0xFF))), FText) && CanFocus()) {
        Click();
        M.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(M);
}

void TButtonControl::DrawCaption(const TRect& ARect, UINT AFormat)
{
    TColor color = FEnabled ? Font()->Color() : clGrayText;
    DrawLabelText(Canvas(), Font(), FText, ARect, AFormat, color);
}

// ---- TButton

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FWidth = 75;
    FHeight = 25;
}

void TButton::Click()
{
    if (ModalResult != 0)
        if (TCustomForm* form = ParentForm())
            form->SetModalResult(ModalResult);
    TButtonControl::Click();
}

void TButton::Dispatch(TMessage& M)
{
    if (M.Msg == WM_SETFOCUS || M.Msg == WM_KILLFOCUS)
        Invalidate();
    TButtonControl::Dispatch(M);
}

void TButton::CMDialogKey(TMessage& M)
{
    // Enter clicks the default button, Escape the cancel button.
    bool plain = (KeyDataToShiftState(M.LParam) & (ssShift | ssCtrl | ssAlt)) == 0;
    bool mine = (M.WParam == WPARAM(VK_RETURN) && (FDefault || Focused())) || (M.WParam == WPARAM(VK_ESCAPE) && Cancel);
    if (mine && plain && CanFocus()) {
        Click();
        M.Result = 1;
        return;
    }
    TButtonControl::CMDialogKey(M);
}

void TButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(FColor);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    if (FDefault || Focused()) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    if (FPressed) {
        Frame3D(c, r, clBtnShadow, clBtnHighlight, 1);
    } else {
        TRect outer = r;
        Frame3D(c, outer, clBtnHighlight, cl3DDkShadow, 1);
        Frame3D(c, outer, cl3DLight, clBtnShadow, 1);
    }
    TRect text = r;
    if (FPressed)
        text = OffsetRect(text, 1, 1);
    DrawCaption(text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        TRect focus = Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3);
        c->DrawFocusRect(focus);
    }
}

void TButton::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        FPressed = true;
        Invalidate();
    }
    TButtonControl::MouseDown(AButton, AShift, X, Y);
}

void TButton::MouseMove(TShiftState AShift, int X, int Y)
{
    if (ControlState & csLButtonDown) {
        bool inside = PtInRect(ClientRect(), Point(X, Y));
        if (inside != FPressed) {
            FPressed = inside;
            Invalidate();
        }
    }
    TButtonControl::MouseMove(AShift, X, Y);
}

void TButton::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (AButton == mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TButtonControl::MouseUp(AButton, AShift, X, Y);
}

void TButton::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    if (AKey == VK_SPACE && !FSpaceDown) {
        FSpaceDown = FPressed = true;
        Invalidate();
    }
    TButtonControl::KeyDown(AKey, AShift);
}

void TButton::KeyUp(uint16_t& AKey, TShiftState AShift)
{
    if (AKey == VK_SPACE && FSpaceDown) {
        FSpaceDown = FPressed = false;
        Invalidate();
        Click();
    }
    TButtonControl::KeyUp(AKey, AShift);
}

// ---- TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    FWidth = 97;
    FHeight = 17;
}

void TCustomCheckBox::SetState(TCheckBoxState AValue)
{
    if (FState == AValue)
        return;
    FState = AValue;
    Invalidate();
    TButtonControl::Click();   // the program's own changes are clicks too
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(AllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::Click()
{
    if (CanFocus() && !Focused())
        SetFocus();
    Toggle();
}

void TCustomCheckBox::KeyPress(char16_t& AKey)
{
    if (AKey == u' ') {
        Toggle();
        AKey = 0;
    }
    TButtonControl::KeyPress(AKey);
}


void TButtonControl::PaintToggle(bool ARound, TCheckBoxState AState, bool AMarkLeft)
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(FColor);
    c->FillRect(r);
    int box = 13, top = (r.Height() - box) / 2;
    TRect mark = AMarkLeft ? Bounds(0, top, box, box) : Bounds(r.Right - box, top, box, box);
    PaintMark(c, mark, ARound, AState, FEnabled);
    TRect text = AMarkLeft ? Rect(box + 4, 0, r.Right, r.Bottom) : Rect(0, 0, r.Right - box - 4, r.Bottom);
    DrawCaption(text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

void TCustomCheckBox::Paint() { PaintToggle(false, FState, Alignment == taRightJustify); }

// ---- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FWidth = 113;
    FHeight = 17;
}

void TRadioButton::SetChecked(bool AValue)
{
    if (FChecked == AValue)
        return;
    FChecked = AValue;
    SetTabStop(AValue);
    Invalidate();
    if (AValue) {
        // One checked button per parent.
        if (FParent)
            for (int i = 0; i < FParent->ControlCount(); ++i)
                if (auto* other = dynamic_cast<TRadioButton*>(FParent->Controls(i)); other && other != this)
                    other->SetChecked(false);
        TButtonControl::Click();
    }
}

void TRadioButton::Click()
{
    if (CanFocus() && !Focused())
        SetFocus();
    SetChecked(true);
}

void TRadioButton::KeyPress(char16_t& AKey)
{
    if (AKey == u' ') {
        SetChecked(true);
        AKey = 0;
    }
    TButtonControl::KeyPress(AKey);
}

void TRadioButton::Paint() { PaintToggle(true, FChecked ? cbChecked : cbUnchecked, true); }

// ---- TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    ControlStyle |= csReplicatable;
    FWidth = 65;
    FHeight = 17;
    FParentColor = true;
}

UINT TCustomLabel::DrawFormat() const
{
    UINT f = DT_EXPANDTABS;
    // Without word wrap a label still breaks at the line breaks of its caption.
    if (FWordWrap)
        f |= DT_WORDBREAK;
    f |= Alignment == taLeftJustify ? DT_LEFT : Alignment == taRightJustify ? DT_RIGHT : DT_CENTER;
    if (!ShowAccelChar)
        f |= DT_NOPREFIX;
    return f;
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize)
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    TRect r = Rect(0, 0, FWordWrap ? FWidth : 0, 0);
    PaintOnCanvas(Canvas(), dc, [&] { DoDrawText(r, DrawFormat() | DT_CALCRECT); });
    DeleteDC(dc);
    int left = FLeft;
    if (!FWordWrap && Alignment == taRightJustify)
        left += FWidth - r.Width();
    SetBounds(left, FTop, FWordWrap ? FWidth : r.Width(), r.Height());
}

void TCustomLabel::SetAutoSize(bool AValue)
{
    FAutoSize = AValue;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool AValue)
{
    FWordWrap = AValue;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool AValue)
{
    FTransparent = AValue;
    if (AValue)
        ControlStyle &= ~csOpaque;
    else
        ControlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        break;
    case CM_DIALOGCHAR:
        if (FocusControl && ShowAccelChar && IsAccel(uint16_t(std::toupper(int(M.WParam & 0xFF))), FText) &&
            FocusControl->CanFocus()) {
            FocusControl->SetFocus();
            M.Result = 1;
        }
        break;
    default:
        TGraphicControl::Dispatch(M);
        break;
    }
}

void TCustomLabel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetColor(FColor);
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
    }
    if (Layout != tlTop) {
        TRect calc = r;
        DoDrawText(calc, DrawFormat() | DT_CALCRECT);
        int offset = Layout == tlBottom ? r.Height() - calc.Height() : (r.Height() - calc.Height()) / 2;
        r.Top += offset;
    }
    DoDrawText(r, DrawFormat());
}

void TCustomLabel::DoDrawText(TRect& ARect, UINT AFlags)
{
    TCanvas* c = Canvas();
    if (AFlags & DT_CALCRECT) {
        // An empty caption still measures one line.
        c->SetFont(Font());
        HDC dc = c->Handle();
        SelectObject(dc, c->Font()->Handle());
        DrawText(dc, FText.empty() ? std::string(" ") : FText, &ARect, AFlags);
        return;
    }
    DrawLabelText(c, Font(), FText, ARect, AFlags, FEnabled ? Font()->Color() : clGrayText);
}

} // namespace platform
