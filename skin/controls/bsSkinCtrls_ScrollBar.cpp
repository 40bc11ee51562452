#include "skin/controls/bsSkinCtrls_ScrollBar.h"

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/controls/bsSkinCtrls_Helpers.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bseffects.h"

#include "platform/ui/Input.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

// Length of a built-in step button and of a thumb without a page.
constexpr int DefaultButtonSize = 17;
constexpr int DefaultThumbSize = 16;

int Nearest(double AValue) { return RoundEven(AValue); }

TRect FirstNonEmpty(const TRect& A, const TRect& B) { return A.IsEmpty() ? B : A; }

} // namespace

TbsSkinScrollBar::TbsSkinScrollBar(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    SetTabStop(false);
    SetBounds(Left(), Top(), 200, 19);
    FDefaultHeight = 19;
    SetSkinDataName("hscrollbar");
}

TbsSkinScrollBar::~TbsSkinScrollBar()
{
    if (HandleAllocated())
        KillTimer(Handle(), RepeatTimerId);
}

// ---------------------------------------------------------------- values

int TbsSkinScrollBar::ClampPosition(int AValue) const
{
    if (AValue < FMin)
        return FMin;
    const int top = FPageSize == 0 ? FMax : FMax - FPageSize + 1;
    return std::min(AValue, top);
}

void TbsSkinScrollBar::SetPosition(int Value)
{
    const int v = ClampPosition(Value);
    if (v == FPosition)
        return;
    FPosition = v;
    Repaint();
    if (OnChange)
        OnChange(this);
}

void TbsSkinScrollBar::SimplySetPosition(int AValue)
{
    const int v = ClampPosition(AValue);
    if (v == FPosition)
        return;
    FPosition = v;
    Repaint();
}

void TbsSkinScrollBar::SetRange(int AMin, int AMax, int APosition, int APageSize)
{
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
    FPosition = ClampPosition(APosition);
    Repaint();
}

void TbsSkinScrollBar::SetMin(int Value)
{
    FMin = Value;
    if (FPosition < FMin)
        FPosition = FMin;
    Repaint();
}

void TbsSkinScrollBar::SetMax(int Value)
{
    FMax = Value;
    if (FPageSize == 0) {
        if (FPosition > FMax)
            FPosition = FMax;
    } else if (FMax - FMin < FPageSize + FPosition) {
        FPosition = FMax - FMin - FPageSize + 1;
        if (FPosition < FMin)
            FPosition = FMin;
    }
    Repaint();
}

void TbsSkinScrollBar::SetPageSize(int Value)
{
    if (FPosition + Value <= FMax - FMin + 1)
        FPageSize = Value;
    Repaint();
}

void TbsSkinScrollBar::SetSmallChange(int Value)
{
    FSmallChange = Value;
    Repaint();
}

void TbsSkinScrollBar::SetLargeChange(int Value)
{
    FLargeChange = Value;
    Repaint();
}

void TbsSkinScrollBar::SetKind(TScrollBarKind Value)
{
    const bool changed = FKind != Value;
    if (changed)
        FKind = Value;
    if (IsDesigning() && !IsLoading()) {
        const bool vertical = Value == sbVertical;
        SetSkinDataName(vertical ? "vscrollbar" : "hscrollbar");
        if (vertical != (Height() > Width()))
            SetBounds(Left(), Top(), Height(), Width());
        if (vertical) {
            FDefaultWidth = FDefaultHeight;
            FDefaultHeight = 0;
        } else {
            FDefaultHeight = FDefaultWidth;
            FDefaultWidth = 0;
        }
    }
    if (changed)
        Repaint();
}

void TbsSkinScrollBar::SetBoth(bool Value)
{
    if (FBoth == Value)
        return;
    FBoth = Value;
    if (!IsDesigning()) {
        if (FBoth) {
            FNormalSkinDataName = SkinDataName();
            SetSkinDataName(BothSkinDataName);
        } else if (!FNormalSkinDataName.empty()) {
            SetSkinDataName(FNormalSkinDataName);
        }
    }
    if (FIndex == -1)
        Repaint();
    else
        ChangeSkinData();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int Value)
{
    if (Value < 0)
        return;
    FBothMarkerWidth = Value;
    if (FIndex == -1)
        Repaint();
}

void TbsSkinScrollBar::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

// ---------------------------------------------------------------- skin

void TbsSkinScrollBar::ClearSkinGeometry()
{
    TrackArea = UpButtonRect = ActiveUpButtonRect = DownUpButtonRect = TRect{};
    DownButtonRect = ActiveDownButtonRect = DownDownButtonRect = TRect{};
    ThumbRect = ActiveThumbRect = DownThumbRect = TRect{};
    GlyphRect = ActiveGlyphRect = DownGlyphRect = TRect{};
    ThumbOffset1 = ThumbOffset2 = ThumbMinSize = ThumbMinPageSize = 0;
}

void TbsSkinScrollBar::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    auto* rec = dynamic_cast<TbsDataSkinScrollBarControl*>(SkinRecord());
    if (!rec) {
        // A record of another kind names no parts: nothing is drawn from it.
        ClearSkinGeometry();
        return;
    }
    TrackArea = rec->TrackArea;
    UpButtonRect = rec->UpButtonRect;
    ActiveUpButtonRect = rec->ActiveUpButtonRect;
    DownUpButtonRect = FirstNonEmpty(rec->DownUpButtonRect, ActiveUpButtonRect);
    DownButtonRect = rec->DownButtonRect;
    ActiveDownButtonRect = rec->ActiveDownButtonRect;
    DownDownButtonRect = FirstNonEmpty(rec->DownDownButtonRect, ActiveDownButtonRect);
    ThumbRect = rec->ThumbRect;
    ActiveThumbRect = FirstNonEmpty(rec->ActiveThumbRect, ThumbRect);
    DownThumbRect = FirstNonEmpty(rec->DownThumbRect, ActiveThumbRect);
    ThumbOffset1 = rec->ThumbOffset1;
    ThumbOffset2 = rec->ThumbOffset2;
    ThumbTransparent = rec->ThumbTransparent;
    ThumbTransparentColor = rec->ThumbTransparentColor;
    ThumbStretchEffect = rec->ThumbStretchEffect;
    ThumbMinSize = rec->ThumbMinSize;
    ThumbMinPageSize = rec->ThumbMinPageSize;
    GlyphRect = rec->GlyphRect;
    ActiveGlyphRect = FirstNonEmpty(rec->ActiveGlyphRect, GlyphRect);
    DownGlyphRect = FirstNonEmpty(rec->DownGlyphRect, ActiveGlyphRect);
    GlyphTransparent = rec->GlyphTransparent;
    GlyphTransparentColor = rec->GlyphTransparentColor;
}

void TbsSkinScrollBar::CalcSkinLayout(int& W, int& H)
{
    TbsSkinCustomControl::CalcSkinLayout(W, H);
    CalcRects();
}

// ---------------------------------------------------------------- layout

double TbsSkinScrollBar::Fraction() const
{
    if (FPageSize == 0)
        return FMax == FMin ? 0.0 : double(FPosition - FMin) / double(FMax - FMin);
    const int span = FMax - FPageSize + 1 - FMin;
    if (span > 0)
        return double(FPosition - FMin) / double(span);
    // A page covering the whole range: a horizontal thumb rests at the end.
    return Horizontal() ? 1.0 : 0.0;
}

void TbsSkinScrollBar::PlaceThumb(int L, int AStart, int AEnd)
{
    const int half = L / 2;
    Offset1 = AStart + half;
    Offset2 = AEnd - half;
    BOffset = Nearest(double(Offset2 - Offset1) * Fraction());
    TRect& t = Buttons[ThumbButton].R;
    const int from = Offset1 + BOffset - half, to = Offset1 + BOffset + half;
    if (Horizontal()) {
        t.Left = from;
        t.Right = to;
    } else {
        t.Top = from;
        t.Bottom = to;
    }
}

void TbsSkinScrollBar::CalcRects()
{
    if (FIndex == -1)
        CalcDefaultRects();
    else
        CalcSkinRects();
}

void TbsSkinScrollBar::CalcDefaultRects()
{
    const int w = Width(), h = Height();
    const int s = DefaultButtonSize;
    if (Horizontal()) {
        const int wb = FBoth ? w - FBothMarkerWidth : w;
        Buttons[DownButton].R = Rect(1, 1, s, h - 1);
        Buttons[UpButton].R = Rect(wb - s, 1, wb - 1, h - 1);
        NewTrackArea = Rect(s, 1, wb - s, h - 1);
    } else {
        Buttons[DownButton].R = Rect(1, 1, w - 1, s);
        Buttons[UpButton].R = Rect(1, h - s, w - 1, h - 1);
        NewTrackArea = Rect(1, s, w - 1, h - s);
    }
    const int start = Horizontal() ? NewTrackArea.Left : NewTrackArea.Top;
    const int end = Horizontal() ? NewTrackArea.Right : NewTrackArea.Bottom;
    int l = DefaultThumbSize;
    if (FPageSize != 0) {
        const int range = FMax - FMin + 1;
        l = range == 0 ? 0 : Nearest(double(end - start) * FPageSize / range);
        l = std::max(l, DefaultThumbSize);
    }
    Buttons[ThumbButton].R = NewTrackArea;   // the track's full breadth
    PlaceThumb(l, start, end);
}

void TbsSkinScrollBar::CalcSkinRects()
{
    const int dW = Width() - SkinRect.Width(), dH = Height() - SkinRect.Height();
    int l = Horizontal() ? ThumbRect.Width() : ThumbRect.Height();
    if (ThumbMinSize != 0)
        l = ThumbMinSize;
    const int breadth = Horizontal() ? ThumbRect.Height() : ThumbRect.Width();
    NewTrackArea = TrackArea;
    Buttons[UpButton].R = UpButtonRect;
    Buttons[DownButton].R = DownButtonRect;
    if (Horizontal()) {
        NewTrackArea.Right += dW;
        for (int i : {UpButton, DownButton})
            if (Buttons[i].R.Left >= RTPt.X)
                Buttons[i].R = OffsetRect(Buttons[i].R, dW, 0);
    } else {
        NewTrackArea.Bottom += dH;
        for (int i : {UpButton, DownButton})
            if (Buttons[i].R.Top >= LBPt.Y)
                Buttons[i].R = OffsetRect(Buttons[i].R, 0, dH);
    }
    const int start = Horizontal() ? NewTrackArea.Left : NewTrackArea.Top;
    const int end = Horizontal() ? NewTrackArea.Right : NewTrackArea.Bottom;
    if (FPageSize == 0) {
        if (ThumbMinPageSize != 0)
            l = ThumbMinPageSize;
    } else {
        const int range = FMax - FMin + 1;
        const int byPage = range == 0 ? 0 : Nearest(double(end - start) * FPageSize / range);
        l = std::max(byPage, l);
    }
    TRect& t = Buttons[ThumbButton].R;
    if (Horizontal()) {
        t.Top = NewTrackArea.Top + NewTrackArea.Height() / 2 - breadth / 2;
        t.Bottom = t.Top + breadth;
    } else {
        t.Left = NewTrackArea.Left + NewTrackArea.Width() / 2 - breadth / 2;
        t.Right = t.Left + breadth;
    }
    PlaceThumb(l, start, end);
}

int TbsSkinScrollBar::PositionFromOffset(int ADelta)
{
    const TRect& t = Buttons[ThumbButton].R;
    if (FPageSize != 0) {
        const int l = Horizontal() ? t.Width() : t.Height();
        Offset1 = (Horizontal() ? NewTrackArea.Left : NewTrackArea.Top) + l / 2;
        Offset2 = (Horizontal() ? NewTrackArea.Right : NewTrackArea.Bottom) - l / 2;
    }
    const int span = Offset2 - Offset1;
    double g = span > 0 ? double(ADelta + OldBOffset) / span : 0.0;
    g = std::clamp(g, 0.0, 1.0);
    if (FPageSize != 0)
        return FMin + Nearest(double(FMax - FMin - FPageSize + 1) * g);
    return FMin + Nearest(double(FMax - FMin) * g);
}

int TbsSkinScrollBar::PartAt(int X, int Y) const
{
    for (int i = 0; i < 3; ++i)
        if (PtInRect(Buttons[i].R, Point(X, Y)))
            return i;
    return -1;
}

// ---------------------------------------------------------------- drawing

bool TbsSkinScrollBar::ThumbPressedLook()
{
    return Buttons[ThumbButton].Down || (FCanFocused && Focused());
}

void TbsSkinScrollBar::CreateControlDefaultImage(TBitmap* B)
{
    CalcRects();
    TCanvas* c = B->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, Width(), Height()));
    if (Enabled())
        DrawDefaultPart(B, ThumbButton);
    DrawDefaultPart(B, UpButton);
    DrawDefaultPart(B, DownButton);
}

void TbsSkinScrollBar::DrawDefaultPart(TBitmap* B, int I)
{
    const TbsScrollBarPart& part = Buttons[I];
    TRect r = part.R;
    if (r.IsEmpty())
        return;
    const bool pressed = (part.Down && part.MouseIn) || (I == ThumbButton && ThumbPressedLook());
    TCanvas* c = B->Canvas();
    if (pressed || part.MouseIn) {
        Frame3D(c, r, HotFrameColor, HotFrameColor, 1);
        c->Brush()->SetColor(pressed ? DownFillColor : HotFillColor);
    } else {
        Frame3D(c, r, clBtnShadow, clBtnShadow, 1);
        c->Brush()->SetColor(clBtnFace);
    }
    c->FillRect(r);
    if (I == ThumbButton)
        return;
    // Arrow kinds: 1 left, 2 right, 3 up, 4 down.
    const int kind = I == UpButton ? (Horizontal() ? 2 : 4) : (Horizontal() ? 1 : 3);
    DrawArrowImage(c, part.R, clBlack, kind);
}

void TbsSkinScrollBar::CreateControlSkinImage(TBitmap* B)
{
    TbsSkinCustomControl::CreateControlSkinImage(B);
    CalcRects();
    if (!Picture)
        return;
    DrawSkinButton(B, UpButton);
    DrawSkinButton(B, DownButton);
    if (Enabled())
        DrawSkinThumb(B);
}

void TbsSkinScrollBar::DrawSkinButton(TBitmap* B, int I)
{
    const TbsScrollBarPart& part = Buttons[I];
    if (!part.MouseIn)
        return;   // the normal look is part of the bar's image
    const bool up = I == UpButton;
    TRect src;
    if (part.Down)
        src = up ? DownUpButtonRect : DownDownButtonRect;
    else
        src = up ? ActiveUpButtonRect : ActiveDownButtonRect;
    if (src.IsEmpty())
        return;
    CopyPiece(B, part.R, Picture, src);
}

void TbsSkinScrollBar::DrawSkinThumb(TBitmap* B)
{
    const TbsScrollBarPart& part = Buttons[ThumbButton];
    const int w = part.R.Width(), h = part.R.Height();
    if (w <= 0 || h <= 0)
        return;
    const bool pressed = ThumbPressedLook();
    const TRect src = pressed ? DownThumbRect : part.MouseIn ? ActiveThumbRect : ThumbRect;
    const TRect glyph = pressed ? DownGlyphRect : part.MouseIn ? ActiveGlyphRect : GlyphRect;
    TBitmap thumb;
    if (FPageSize != 0 || ThumbMinPageSize != 0) {
        if (Horizontal())
            CreateHSkinImage(ThumbOffset1, ThumbOffset2, &thumb, Picture, src, w, h, ThumbStretchEffect);
        else
            CreateVSkinImage(ThumbOffset1, ThumbOffset2, &thumb, Picture, src, w, h, ThumbStretchEffect);
    } else {
        thumb.SetSize(w, h);
        CopyPiece(&thumb, Rect(0, 0, w, h), Picture, src);
    }
    const int glyphLength = Horizontal() ? glyph.Width() : glyph.Height();
    const int thumbLength = Horizontal() ? thumb.Width() : thumb.Height();
    if (!glyph.IsEmpty() && glyphLength < thumbLength) {
        TBitmap g;
        g.SetSize(glyph.Width(), glyph.Height());
        CopyPiece(&g, Rect(0, 0, g.Width(), g.Height()), Picture, glyph);
        if (GlyphTransparent)
            SetFixedKey(g, GlyphTransparentColor);
        thumb.Canvas()->Draw(thumb.Width() / 2 - g.Width() / 2, thumb.Height() / 2 - g.Height() / 2, &g);
    }
    if (ThumbTransparent)
        SetFixedKey(thumb, ThumbTransparentColor);
    B->Canvas()->Draw(part.R.Left, part.R.Top, &thumb);
}

// ---------------------------------------------------------------- mouse

void TbsSkinScrollBar::StartTimer() { SetTimer(Handle(), RepeatTimerId, FirstRepeatDelay); }

void TbsSkinScrollBar::RestartTimer() { SetTimer(Handle(), RepeatTimerId, RepeatInterval); }

void TbsSkinScrollBar::StopTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), RepeatTimerId);
    TimerMode = 0;
}

void TbsSkinScrollBar::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseDown(AButton, AShift, X, Y);
    if (AButton != mbLeft)
        return;
    MouseD = true;
    // The page repeat compares the thumb with the last mouse position: a
    // press that came without a move before it must count as that position.
    MX = X;
    MY = Y;
    CalcRects();
    TimerMode = 0;
    WaitMode = true;
    const int part = PartAt(X, Y);
    if (part != -1) {
        CaptureButton = part;
        ButtonDown(part, X, Y);
        return;
    }
    if (!PtInRect(NewTrackArea, Point(X, Y)))
        return;
    const TRect& t = Buttons[ThumbButton].R;
    if (Horizontal() ? X < t.Left : Y < t.Top) {
        SetPosition(FPosition - FLargeChange);
        TimerMode = 3;
        StartTimer();
        if (OnPageUp)
            OnPageUp(this);
    } else {
        SetPosition(FPosition + FLargeChange);
        TimerMode = 4;
        StartTimer();
        if (OnPageDown)
            OnPageDown(this);
    }
}

void TbsSkinScrollBar::StepBy(int ADelta) { SetPosition(FPosition + ADelta); }

void TbsSkinScrollBar::ButtonDown(int I, int X, int Y)
{
    Buttons[I].Down = true;
    Repaint();
    switch (I) {
    case UpButton:
        if (OnUpButtonClick)
            OnUpButtonClick(this);
        else
            StepBy(FSmallChange);
        TimerMode = 2;
        StartTimer();
        break;
    case DownButton:
        if (OnDownButtonClick)
            OnDownButtonClick(this);
        else
            StepBy(-FSmallChange);
        TimerMode = 1;
        StartTimer();
        break;
    default:
        OMPos = Along(X, Y);
        OldBOffset = BOffset;
        FDown = true;
        Repaint();
        break;
    }
}

void TbsSkinScrollBar::MouseMove(TShiftState AShift, int X, int Y)
{
    MX = X;
    MY = Y;
    TestActive(X, Y);
    if (FDown)
        SetPosition(PositionFromOffset(Along(X, Y) - OMPos));
    TbsSkinCustomControl::MouseMove(AShift, X, Y);
}

void TbsSkinScrollBar::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsSkinCustomControl::MouseUp(AButton, AShift, X, Y);
    MouseD = false;
    if (TimerMode == 3 || TimerMode == 4)
        StopTimer();
    const int captured = CaptureButton;
    if (captured != -1)
        ButtonUp(captured);
    if (AButton == mbLeft && captured == ThumbButton && OnLastChange)
        OnLastChange(this);
    CaptureButton = -1;
}

void TbsSkinScrollBar::ButtonUp(int I)
{
    Buttons[I].Down = false;
    if (ActiveButton != I)
        Buttons[I].MouseIn = false;
    Repaint();
    if (I == ThumbButton)
        FDown = false;
    else
        StopTimer();
}

void TbsSkinScrollBar::TestActive(int X, int Y)
{
    TrackActiveButton(PartAt(X, Y), CaptureButton, OldActiveButton, ActiveButton,
                      [this](int I) { ButtonLeave(I); }, [this](int I) { ButtonEnter(I); });
}

void TbsSkinScrollBar::ButtonEnter(int I)
{
    Buttons[I].MouseIn = true;
    Repaint();
    if (I != ThumbButton && Buttons[I].Down)
        SetTimer(Handle(), RepeatTimerId, RepeatInterval);
}

void TbsSkinScrollBar::ButtonLeave(int I)
{
    Buttons[I].MouseIn = false;
    Repaint();
    // The repeat pauses while the mouse is off the held button.
    if (I != ThumbButton && Buttons[I].Down)
        KillTimer(Handle(), RepeatTimerId);
}

void TbsSkinScrollBar::CMMouseLeave(TMessage& M)
{
    TbsSkinCustomControl::CMMouseLeave(M);
    if (IsDesigning())
        return;
    if (ActiveButton != -1 && CaptureButton == -1 && !FDown) {
        Buttons[ActiveButton].MouseIn = false;
        Repaint();
        ActiveButton = -1;
    }
    // A page-down repeat ends when the mouse leaves; a page-up repeat goes on.
    if (MouseD && TimerMode == 4)
        StopTimer();
}

void TbsSkinScrollBar::WMTimer(TMessage& M)
{
    TbsSkinCustomControl::WMTimer(M);
    if (WaitMode) {
        WaitMode = false;
        RestartTimer();
        return;
    }
    switch (TimerMode) {
    case 1:
        if (OnDownButtonClick)
            OnDownButtonClick(this);
        else
            StepBy(-FSmallChange);
        break;
    case 2:
        if (OnUpButtonClick)
            OnUpButtonClick(this);
        else
            StepBy(FSmallChange);
        break;
    case 3:
    case 4: {
        TestActive(MX, MY);
        CalcRects();
        const TRect& t = Buttons[ThumbButton].R;
        const bool pageUp = TimerMode == 3;
        const bool goOn = pageUp ? (Horizontal() ? MX < t.Left : MY < t.Top)
                                 : (Horizontal() ? MX > t.Right : MY > t.Bottom);
        if (!goOn) {
            StopTimer();
            break;
        }
        StepBy(pageUp ? -FLargeChange : FLargeChange);
        if (pageUp && OnPageUp)
            OnPageUp(this);
        else if (!pageUp && OnPageDown)
            OnPageDown(this);
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------- keys, wheel, focus

void TbsSkinScrollBar::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TbsSkinCustomControl::KeyDown(AKey, AShift);
    if (!FCanFocused)
        return;
    switch (AKey) {
    case VK_LEFT:
    case VK_UP: StepBy(-FSmallChange); break;
    case VK_RIGHT:
    case VK_DOWN: StepBy(FSmallChange); break;
    default: break;
    }
}

void TbsSkinScrollBar::CMWantSpecialKey(TMessage& M)
{
    TbsSkinCustomControl::CMWantSpecialKey(M);
    if (!FCanFocused)
        return;
    switch (int(M.WParam)) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: M.Result = 1; break;
    default: break;
    }
}

void TbsSkinScrollBar::WMMouseWheel(TMessage& M)
{
    TbsSkinCustomControl::WMMouseWheel(M);
    if (!FCanFocused || !Focused())
        return;
    const int delta = int16_t(HIWORD(M.WParam));
    StepBy(delta <= 0 ? FSmallChange : -FSmallChange);
}

void TbsSkinScrollBar::WndProc(TMessage& M)
{
    if (FCanFocused && !IsDesigning()) {
        if ((M.Msg == WM_LBUTTONDOWN || M.Msg == WM_LBUTTONDBLCLK) && !Focused()) {
            FClicksDisabled = true;
            if (CanFocus())
                SetFocus();
            FClicksDisabled = false;
            if (!Focused())
                return;   // the focus went elsewhere: the click is dropped
        }
        if (M.Msg == CN_COMMAND && FClicksDisabled)
            return;
    }
    TbsSkinCustomControl::WndProc(M);
}

void TbsSkinScrollBar::WMSetFocus(TMessage& M)
{
    TbsSkinCustomControl::WMSetFocus(M);
    Repaint();
}

void TbsSkinScrollBar::WMKillFocus(TMessage& M)
{
    TbsSkinCustomControl::WMKillFocus(M);
    Repaint();
}

void TbsSkinScrollBar::CMEnabledChanged(TMessage& M)
{
    TbsSkinCustomControl::CMEnabledChanged(M);
    Repaint();
}

// Another window asking for the bar's face gets the whole bar.
void TbsSkinScrollBar::WMEraseBkgnd(TMessage& M)
{
    M.Result = 1;
    if (FromWMPaint || M.WParam == 0 || Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    TBitmap b;
    b.SetSize(Width(), Height());
    if (FIndex == -1)
        CreateControlDefaultImage(&b);
    else
        CreateControlSkinImage(&b);
    BitBlt(reinterpret_cast<HDC>(M.WParam), 0, 0, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void AttachViewScrollBar(TComponent* AView, TbsSkinScrollBar*& AField, TbsSkinScrollBar* ANew, TNotifyEvent AOnChange)
{
    if (AField && AField != ANew)
        AField->OnChange = nullptr;
    ChangeReference(AView, AField, ANew);
    if (ANew) {
        ANew->SetEnabled(true);
        ANew->SetVisible(false);
        ANew->OnChange = std::move(AOnChange);
    }
}

bool ShowViewScrollBar(TbsSkinScrollBar* ABar, bool AVisible, bool& AGuard)
{
    if (ABar->Visible() == AVisible)
        return false;
    AGuard = true;
    ABar->SetVisible(AVisible);
    AGuard = false;
    return true;
}

void FinishViewScrollBars(TWinControl* AView, TbsSkinScrollBar* AVBar, TbsSkinScrollBar* AHBar, bool AChanged, bool& AGuard)
{
    if (AVBar && AHBar && AHBar->Both() != AVBar->Visible())
        AHBar->SetBoth(AVBar->Visible());
    if (AChanged && AView->Align() != platform::alNone && AView->Parent()) {
        AGuard = true;
        AView->Parent()->Realign();
        AGuard = false;
    }
}

} // namespace skin
