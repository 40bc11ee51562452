// The skinned list box's caption strip: its text and glyph, and the three
// caption buttons that step the selection up and down (repeating while
// held) or click the current item.
#include "skin/boxes/bsSkinBoxCtrls_ListBox.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/Input.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

constexpr uintptr_t kRepeatTimer = 1;
constexpr unsigned kFirstDelayMs = 500, kRepeatMs = 100, kReenterMs = 50;

} // namespace

// ---------------------------------------------------------------- placement

void TbsSkinCustomListBox::PlaceDefaultButtons()
{
    if (!CaptionButtonsShown()) {
        for (TbsCBButtonX& b : Buttons)
            b.R = TRect{};
        return;
    }
    const int a = std::min(17, FDefaultCaptionHeight - 3);
    Buttons[0].R = Rect(Width() - a - 2, 2, Width() - 2, a + 1);
    for (int i = 1; i < 3; ++i) {
        const TRect& right = Buttons[i - 1].R;
        Buttons[i].R = Rect(right.Left - a, right.Top, right.Left, right.Bottom);
    }
}

// A button of the skin moves with the corner it belongs to: down with the
// bottom edge when it lies below the top-left corner, right with the right
// edge when it lies right of that corner's column.
void TbsSkinCustomListBox::PlaceSkinButtons()
{
    const TRect* skin[] = {&UpButtonRect, &DownButtonRect, &CheckButtonRect};
    const int dx = Width() - SkinRect.Width(), dy = Height() - SkinRect.Height();
    for (int i = 0; i < 3; ++i) {
        TRect r = CaptionButtonsShown() ? *skin[i] : TRect{};
        if (!IsNullRect(r)) {
            int x = RTPt.X;
            if (r.Top > LTPt.Y) {
                r = OffsetRect(r, 0, dy);
                x = RBPt.X;
            }
            if (x < r.Left)
                r = OffsetRect(r, dx, 0);
        }
        Buttons[i].R = r;
    }
}

// ---------------------------------------------------------------- mouse

void TbsSkinCustomListBox::TestActive(int X, int Y)
{
    if (!CaptionButtonsShown() || (FIndex != -1 && IsNullRect(UpButtonRect) && IsNullRect(DownButtonRect)))
        return;
    int hit = -1;
    for (int i = 0; i < 3 && hit == -1; ++i)
        if (PtInRect(Buttons[i].R, Point(X, Y)))
            hit = i;
    // While a button is held another one under the mouse counts as none.
    TrackActiveButton(hit, CaptureButton, OldActiveButton, ActiveButton, [this](int I) { ButtonLeave(I); },
                      [this](int I) { ButtonEnter(I); });
}

void TbsSkinCustomListBox::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TestActive(X, Y);
    if (ActiveButton != -1) {
        CaptureButton = ActiveButton;
        ButtonDown(ActiveButton);
    }
    TbsSkinCustomControl::MouseDown(AButton, AShift, X, Y);
}

void TbsSkinCustomListBox::MouseMove(TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseMove(AShift, X, Y);
    TestActive(X, Y);
}

void TbsSkinCustomListBox::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    if (CaptureButton != -1)
        ButtonUp(CaptureButton);
    CaptureButton = -1;
    TbsSkinCustomControl::MouseUp(AButton, AShift, X, Y);
}

void TbsSkinCustomListBox::CMMouseEnter(TMessage& M)
{
    TbsSkinCustomControl::CMMouseEnter(M);
    // The enter notice may follow the first move, which already found the
    // button under the mouse: test where the mouse is now.
    if (CaptionButtonsShown()) {
        const TPoint p = ScreenToClient(GetCursorPos());
        TestActive(p.X, p.Y);
    }
}

void TbsSkinCustomListBox::CMMouseLeave(TMessage& M)
{
    TbsSkinCustomControl::CMMouseLeave(M);
    if (!CaptionButtonsShown())
        return;
    for (TbsCBButtonX& b : Buttons)
        if (b.MouseIn) {
            b.MouseIn = false;
            Repaint();
        }
}

static const TNotifyEvent& ButtonEvent(TbsSkinCustomListBox* L, int I)
{
    return I == 0 ? L->OnUpButtonClick : I == 1 ? L->OnDownButtonClick : L->OnCheckButtonClick;
}

void TbsSkinCustomListBox::ButtonDown(int I)
{
    Buttons[I].MouseIn = Buttons[I].Down = true;
    Repaint();
    // A button with its own event does what the event does, once.
    if (ButtonEvent(this, I) || I == 2)
        return;
    TimerMode = I == 0 ? 1 : 2;
    WaitMode = true;
    StartTimer(kFirstDelayMs);
}

void TbsSkinCustomListBox::ButtonUp(int I)
{
    Buttons[I].Down = false;
    if (I != ActiveButton)
        Buttons[I].MouseIn = false;
    Repaint();
    if (Buttons[I].MouseIn && ButtonEvent(this, I)) {
        ButtonEvent(this, I)(this);
        return;
    }
    // The default action also follows a release outside the button.
    if (I == 2)
        ListBox->Click();
    else
        StepItemIndex(I == 0);
    if (TimerMode != 0)
        StopTimer();
}

void TbsSkinCustomListBox::ButtonEnter(int I)
{
    Buttons[I].MouseIn = true;
    Repaint();
    if (TimerMode != 0 && Buttons[I].Down)
        StartTimer(kReenterMs);
}

void TbsSkinCustomListBox::ButtonLeave(int I)
{
    Buttons[I].MouseIn = false;
    Repaint();
    // Leaving a held button pauses the repeat; coming back resumes it.
    if (TimerMode != 0 && Buttons[I].Down && HandleAllocated())
        KillTimer(Handle(), kRepeatTimer);
}

void TbsSkinCustomListBox::StartTimer(unsigned AMs)
{
    if (!HandleAllocated())
        return;
    KillTimer(Handle(), kRepeatTimer);
    SetTimer(Handle(), kRepeatTimer, AMs);
}

void TbsSkinCustomListBox::StopTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), kRepeatTimer);
    TimerMode = 0;
}

void TbsSkinCustomListBox::WMTimer(TMessage& M)
{
    TbsSkinCustomControl::WMTimer(M);
    if (M.WParam != kRepeatTimer)
        return;
    if (WaitMode) {
        WaitMode = false;
        StartTimer(kRepeatMs);
    } else if (TimerMode != 0) {
        StepItemIndex(TimerMode == 1);
    }
}

void TbsSkinCustomListBox::StepItemIndex(bool AUp)
{
    const int i = ItemIndex();
    if (AUp && i > 0)
        SetItemIndex(i - 1);
    else if (!AUp && i < Items()->Count() - 1)
        SetItemIndex(i + 1);
}

// ---------------------------------------------------------------- drawing

void TbsSkinCustomListBox::DrawButton(TCanvas* C, int I)
{
    const TbsCBButtonX& b = Buttons[I];
    if (FIndex == -1) {
        if (IsNullRect(b.R))
            return;
        TRect r = b.R;
        if (b.MouseIn) {
            Frame3D(C, r, TColor(RGB(59, 107, 183)), TColor(RGB(59, 107, 183)), 1);
            C->Brush()->SetColor(b.Down ? TColor(RGB(162, 188, 228)) : TColor(RGB(193, 212, 243)));
        } else {
            C->Brush()->SetColor(clBtnShadow);
        }
        C->Brush()->SetStyle(bsSolid);
        C->FillRect(r);
        if (I == 2)
            DrawCheckImage(C, b.R.Left + 4, b.R.Top + 4, clBlack);
        else
            DrawArrowImage(C, b.R, clBlack, I == 0 ? 3 : 4);
        return;
    }
    if (IsNullRect(b.R) || !Picture)
        return;
    const TRect down[] = {DownUpButtonRect, DownDownButtonRect, DownCheckButtonRect};
    const TRect active[] = {ActiveUpButtonRect, ActiveDownButtonRect, ActiveCheckButtonRect};
    const TRect normal[] = {UpButtonRect, DownButtonRect, CheckButtonRect};
    TRect src = b.MouseIn && b.Down ? down[I] : b.MouseIn ? active[I] : TRect{};
    if (IsNullRect(src)) {
        src = normal[I];
        src = OffsetRect(src, SkinRect.Left, SkinRect.Top);
    }
    C->CopyRect(b.R, Picture->Canvas(), src);
}

int TbsSkinCustomListBox::GlyphSpace() const
{
    return FGlyph.Empty() ? 0 : FGlyph.Width() / std::max(1, FNumGlyphs) + FSpacing;
}

int TbsSkinCustomListBox::CaptionWidth(TCanvas* C) { return C->TextWidth(Caption()) + GlyphSpace(); }

// The glyph at X, the text after it, both clipped to T; the second frame of
// a two-frame glyph shows while the list box is disabled.
void TbsSkinCustomListBox::DrawCaptionAt(TCanvas* C, const TRect& T, int X, int Y, int AGlyphY)
{
    C->Brush()->SetStyle(bsClear);
    C->TextRect(T, X + GlyphSpace(), Y, Caption());
    if (FGlyph.Empty())
        return;
    if (FNumGlyphs == 0)
        FNumGlyphs = 1;
    DrawGlyph(C, X, AGlyphY, &FGlyph, FNumGlyphs, !Enabled() && FNumGlyphs == 2 ? 2 : 1);
}

void TbsSkinCustomListBox::DrawDefaultCaption(TCanvas* C)
{
    const int a = std::min(17, FDefaultCaptionHeight - 3);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnShadow);
    C->FillRect(Rect(0, 0, Width(), FDefaultCaptionHeight));
    const TRect t = CaptionButtonsShown() ? Rect(3, 2, Width() - 3 * a - 3, FDefaultCaptionHeight - 2)
                                          : Rect(3, 2, Width() - 2, FDefaultCaptionHeight - 2);
    AssignCaptionFont(C->Font(), &FDefaultCaptionFont, SkinData(), false, TbsSkinFontFields());
    C->Font()->SetColor(FDefaultCaptionFont.Color());
    const int w = CaptionWidth(C);
    const int x = FAlignment == taRightJustify ? t.Right - w
            : FAlignment == taCenter      ? t.Width() / 2 + t.Left - w / 2
                                          : t.Left;
    const int y = (FDefaultCaptionHeight - 2) / 2 - C->TextHeight(Caption()) / 2;
    DrawCaptionAt(C, t, x, y, t.Height() / 2 + t.Top - FGlyph.Height() / 2 - 1);
    for (int i = 0; i < 3; ++i)
        DrawButton(C, i);
}

void TbsSkinCustomListBox::DrawSkinCaption(TCanvas* C)
{
    const int dx = Width() - SkinRect.Width(), dy = Height() - SkinRect.Height();
    const TRect cl = Rect(ClRect.Left, ClRect.Top, ClRect.Right + dx, ClRect.Bottom + dy);
    // A skin that paints its buttons into the frame has them covered while
    // the list shows none.
    if (!CaptionButtonsShown() && !IsNullRect(UpButtonRect) && Picture) {
        if (!IsNullRect(DisabledButtonsRect)) {
            TRect to = ButtonsArea;
            to = OffsetRect(to, dx, 0);
            C->CopyRect(to, Picture->Canvas(), DisabledButtonsRect);
        } else if (cl.Top > 0 && NewRTPoint.X > NewLTPoint.X) {
            TBitmap strip;
            strip.SetSize(NewRTPoint.X - NewLTPoint.X, cl.Top);
            strip.Canvas()->CopyRect(Rect(0, 0, strip.Width(), strip.Height()), C,
                                     Rect(NewLTPoint.X, 0, NewRTPoint.X, cl.Top));
            C->StretchDraw(Rect(NewLTPoint.X, 0, dx + UpButtonRect.Right, cl.Top), &strip);
        }
    }
    if (FCaptionMode) {
        NewCaptionRect = CaptionRect;
        if (CaptionButtonsShown()) {
            if (CaptionRect.Right >= RTPt.X)
                NewCaptionRect.Right += dx;
        } else {
            NewCaptionRect.Right = Width() - CaptionRect.Left;
        }
    }
    PlaceSkinButtons();
    if (!IsNullRect(CaptionRect)) {
        TbsSkinFontFields f;
        f.FontName = CaptionFontName;
        f.FontStyle = CaptionFontStyle;
        f.FontHeight = CaptionFontHeight;
        AssignCaptionFont(C->Font(), &FDefaultCaptionFont, SkinData(), true, f);
        C->Font()->SetColor(CaptionFontColor);
        const TRect& r = NewCaptionRect;
        const int w = CaptionWidth(C);
        const int x = FAlignment == taRightJustify ? r.Right - w - 2
                : FAlignment == taCenter      ? r.Width() / 2 + r.Left + 2 - w / 2
                                              : r.Left + 2;
        const int y = r.Height() / 2 + r.Top - C->TextHeight(Caption()) / 2;
        DrawCaptionAt(C, r, x, y, r.Height() / 2 + r.Top - FGlyph.Height() / 2);
    }
    if (FShowCaptionButtons)
        for (int i = 0; i < 3; ++i)
            DrawButton(C, i);
}

} // namespace skin
