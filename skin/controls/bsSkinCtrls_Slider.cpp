#include "skin/controls/bsSkinCtrls_Slider.h"

#include "skin/controls/bsSkinCtrls_Bevel.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bseffects.h"

#include "platform/ui/Paint.h"

#include <algorithm>
#include <cstring>

namespace skin {

using namespace platform;

// ---------------------------------------------------------------- built-in images

namespace {

// The built-in images, one character a pixel; the bottom-left pixel of
// every thumb and ruler is the key colour, so they draw see-through.
struct TImageArt {
    int Width, Height;
    const char* Rows[15];
};

const TImageArt BuiltInArt[4] = {
    // siHThumb: normal and pressed thumb, each 5 x 15, pointing down.
    {10, 15, {"wwwwdwwwwd", "wfffdwpppd", "wfffdwpppd", "wfffdwpppd", "wfffdwpppd", "wfffdwpppd",
              "wfffdwpppd", "wfffdwpppd", "wfffdwpppd", "wfffdwpppd", "wfffdwpppd", "wfffdwpppd",
              ".wfd..wpd.", ".wfd..wpd.", "..d....d.."}},
    // siHRuler: a groove with distinct end columns.
    {10, 7, {"..........", "..........", "ssssssssss", "sdmmmmmmdw", "wwwwwwwwww", "..........", ".........."}},
    // siVThumb: normal and pressed thumb, each 15 x 7, pointing right; the
    // last column is unused.
    {31, 7, {"wwwwwwwwwwwwd..wwwwwwwwwwwwd...", "wfffffffffffwd.wpppppppppppwd..",
             "wffffffffffffwdwppppppppppppwd.", "wffffffffffffddwppppppppppppdd.",
             "wfffffffffffdd.wpppppppppppdd..", "wffffffffffdd..wppppppppppdd...",
             ".dddddddddddd...dddddddddddd..."}},
    // siVRuler: the groove turned upright.
    {7, 10, {"..sdw..", "..sdw..", "..smw..", "..smw..", "..smw..", "..smw..", "..smw..", "..smw..",
             "..sdw..", "..sww.."}},
};

uint32_t ArtColour(char C)
{
    switch (C) {
    case 'w': return 0xFFFFFF;
    case 'f': return 0xC0C0C0;
    case 'p': return 0xA0A0A0;
    case 's': return 0x808080;
    case 'm': return 0x646464;
    case 'd': return 0x404040;
    default: return 0xFF00FF;   // the key
    }
}

// Rounds halves to the even neighbour, as the floating-point unit does.
int Nearest(double AValue) { return RoundEven(AValue); }

} // namespace

std::unique_ptr<TBitmap> SliderBuiltInImage(TbsSliderImage I)
{
    const TImageArt& art = BuiltInArt[I];
    std::vector<uint32_t> pixels(size_t(art.Width * art.Height));
    for (int y = 0; y < art.Height; ++y)
        for (int x = 0; x < art.Width; ++x)
            pixels[size_t(y * art.Width + x)] = 0xFF000000u | ArtColour(art.Rows[y][x]);
    auto b = std::make_unique<TBitmap>();
    b->SetPixels32(art.Width, art.Height, pixels.data(), pf32bit);
    return b;
}

// ---------------------------------------------------------------- creation

TbsSkinCustomSlider::TbsSkinCustomSlider(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    ControlState |= csCreating;
    FOptions = SliderOption(soShowFocus) | SliderOption(soShowPoints) | SliderOption(soSmooth);
    ControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks;
    SetTabStop(true);
    for (int i = 0; i < 4; ++i) {
        FImages[size_t(i)] = SliderBuiltInImage(TbsSliderImage(i));
        FImages[size_t(i)]->OnChange = [this, i](TObject*) { ImageChanged(TbsSliderImage(i)); };
    }
    SetBounds(Left(), Top(), 150, 40);
    RebuildLayout();
    SetSkinDataName("slider");
    Picture = nullptr;
    UseSkinThumb = true;
    ControlState &= ~csCreating;
}

TbsSkinCustomSlider::~TbsSkinCustomSlider()
{
    OnChange = nullptr;
    OnChanged = nullptr;
    OnDrawPoints = nullptr;
    for (auto& image : FImages)
        image->OnChange = nullptr;
    if (FTimerActive && HandleAllocated())
        KillTimer(Handle(), RepeatTimerId);
}

void TbsSkinCustomSlider::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsSkinControl::Notification(AComponent, AOperation);
    if (AOperation == opRemove && AComponent == FThumbImageList)
        FThumbImageList = nullptr;
}

void TbsSkinCustomSlider::Loaded()
{
    TbsSkinControl::Loaded();
    for (int i = 0; i < 4; ++i)
        if (FUserImages & (1u << i))
            SetImage(TbsSliderImage(i), FImages[size_t(i)].get());
}

// ---------------------------------------------------------------- properties

void TbsSkinCustomSlider::SetOrientation(TbsSliderOrientation Value)
{
    if (FOrientation == Value)
        return;
    FOrientation = Value;
    RebuildLayout();
    if (!IsLoading())
        SetBounds(Left(), Top(), Height(), Width());
}

void TbsSkinCustomSlider::SetOptions(TbsSliderOptions Value)
{
    if (FOptions == Value)
        return;
    FOptions = Value;
    Repaint();
}

void TbsSkinCustomSlider::SetRange(int AMin, int AMax)
{
    if (AMin >= AMax && !IsLoading())
        return;
    FMinValue = AMin;
    FMaxValue = AMax;
    if (!IsLoading() && FMaxValue < FMinValue + FIncrement)
        FIncrement = FMaxValue - FMinValue;
    if (HasOption(soShowPoints))
        Repaint();
    SetValue(FValue);
    RangeUpdated();
}

void TbsSkinCustomSlider::SetIncrement(int Value)
{
    if (Value <= 0 || Value == FIncrement)
        return;
    FIncrement = Value;
    SetValue(FValue);
    Repaint();
}

void TbsSkinCustomSlider::SetValue(int Value)
{
    const int v = std::clamp(Value, FMinValue, std::max(FMinValue, FMaxValue));
    const bool changed = v != FValue;
    FValue = v;
    PlaceThumb(ValueToOffset(v), false);
    if (changed && OnChange)
        OnChange(this);
}

void TbsSkinCustomSlider::SetEdgeSize(int Value)
{
    TBitmap* ruler = FImages[Horizontal() ? siHRuler : siVRuler].get();
    const int length = Horizontal() ? ruler->Width() : ruler->Height();
    if (2 * Value >= length || Value == FEdgeSize)
        return;
    FEdgeSize = Value;
    RebuildLayout();
}

void TbsSkinCustomSlider::SetNumThumbStates(TbsNumThumbStates Value)
{
    Value = std::clamp(Value, 1, 2);
    if (FNumThumbStates == Value)
        return;
    FNumThumbStates = Value;
    RebuildLayout();
}

void TbsSkinCustomSlider::SetTransparent(bool Value)
{
    FTransparent = Value;
    Repaint();
}

void TbsSkinCustomSlider::SetThumbImageList(TCustomImageList* Value)
{
    ChangeReference(this, FThumbImageList, Value);
}

void TbsSkinCustomSlider::SetImage(TbsSliderImage I, TBitmap* Value)
{
    TBitmap* slot = FImages[I].get();
    if (Value) {
        if (Value != slot)
            slot->Assign(Value);
        FUserImages |= TbsSliderImages(1u << I);
    } else {
        auto builtIn = SliderBuiltInImage(I);
        slot->Assign(builtIn.get());
        FUserImages &= TbsSliderImages(~(1u << I));
        if (!IsLoading()) {
            const bool thumb = I == siHThumb || I == siVThumb;
            FOptions &= TbsSliderOptions(~SliderOption(thumb ? soThumbOpaque : soRulerOpaque));
            Repaint();
        }
    }
    ImageChanged(I);
}

void TbsSkinCustomSlider::ImageChanged(TbsSliderImage)
{
    if (!(ControlState & csCreating))
        RebuildLayout();
}

// ---------------------------------------------------------------- skin

void TbsSkinCustomSlider::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    Picture = nullptr;
    if (FIndex == -1)
        return;
    auto* rec = dynamic_cast<TbsDataSkinSlider*>(SkinRecord());
    if (!rec)
        return;
    Picture = ActivePicture(*FSD, rec->PictureIndex);
    HRulerRect = rec->HRulerRect;
    HThumbRect = rec->HThumbRect;
    VRulerRect = rec->VRulerRect;
    VThumbRect = rec->VThumbRect;
    SkinEdgeSize = rec->EdgeSize;
    BGColor = rec->BGColor;
    PointsColor = rec->PointsColor;
}

void TbsSkinCustomSlider::ChangeSkinData() { RebuildLayout(); }

// ---------------------------------------------------------------- layout

TbsSkinCustomSlider::TThumbSizes TbsSkinCustomSlider::ThumbSizes() const
{
    if (SkinThumb())
        return {HThumbRect.Height(), HThumbRect.Width(), VThumbRect.Height(), VThumbRect.Width(), 2};
    if (FThumbImageList) {
        const int w = FThumbImageList->Width(), h = FThumbImageList->Height();
        return {h, w, h, w, 1};
    }
    const TBitmap* h = FImages[siHThumb].get();
    const TBitmap* v = FImages[siVThumb].get();
    return {h->Height(), h->Width(), v->Height(), v->Width(), FNumThumbStates};
}

int TbsSkinCustomSlider::RulerLength() const
{
    const TThumbSizes s = ThumbSizes();
    if (Horizontal())
        return FRuler.Width() - s.HW / s.States;
    return FRuler.Height() - s.VH;
}

void TbsSkinCustomSlider::BuildSkinRuler(const TRect& ARulerRect)
{
    const TRect r = GetLayoutRect();
    const int length = std::max(0, (Horizontal() ? r.Width() : r.Height()) - 12);
    if (length == 0) {
        FRuler.SetSize(0, 0);
        return;
    }
    if (Horizontal())
        CreateHSkinImage(SkinEdgeSize, SkinEdgeSize, &FRuler, Picture, ARulerRect, length, ARulerRect.Height(), false);
    else
        CreateVSkinImage(SkinEdgeSize, SkinEdgeSize, &FRuler, Picture, ARulerRect, ARulerRect.Width(), length, false);
}

// The ruler image: its end parts at both ends and its middle repeated in
// between; the last piece is cut from the image's end, so the ruler always
// ends with it.
void TbsSkinCustomSlider::BuildDefaultRuler()
{
    TBitmap* image = FImages[Horizontal() ? siHRuler : siVRuler].get();
    const TRect r = GetLayoutRect();
    const int g = std::max(0, (Horizontal() ? r.Width() : r.Height()) - 12);
    const int thickness = Horizontal() ? image->Height() : image->Width();
    if (g == 0 || thickness == 0) {
        FRuler.SetSize(0, 0);
        return;
    }
    if (Horizontal())
        FRuler.SetSize(g, thickness);
    else
        FRuler.SetSize(thickness, g);
    const int e = FEdgeSize, s = Horizontal() ? image->Width() : image->Height();
    const int t = s - 2 * e, a = g - 2 * e;
    // Copies the image span [AFrom, AFrom + ALength) to ruler position ATo.
    auto copy = [&](int AFrom, int ALength, int ATo) {
        if (ALength <= 0)
            return;
        const TRect src = Horizontal() ? Rect(AFrom, 0, AFrom + ALength, thickness) : Rect(0, AFrom, thickness, AFrom + ALength);
        const TRect dst = Horizontal() ? Rect(ATo, 0, ATo + ALength, thickness) : Rect(0, ATo, thickness, ATo + ALength);
        CopyPiece(&FRuler, dst, image, src);
    };
    if (t <= 0) {
        CopyPiece(&FRuler, Rect(0, 0, FRuler.Width(), FRuler.Height()), image, Rect(0, 0, image->Width(), image->Height()));
        return;
    }
    const int n = a / t + 1, m = a % t;
    copy(0, s - e, 0);
    for (int i = 1; i < n - 1; ++i)
        copy(e, t, e + i * t);
    if (n > 1)
        copy(e + t - m, e + m, e + (n - 1) * t);
}

void TbsSkinCustomSlider::BuildRuler()
{
    if (SkinFace())
        BuildSkinRuler(Horizontal() ? HRulerRect : VRulerRect);
    else
        BuildDefaultRuler();
}

void TbsSkinCustomSlider::RebuildLayout()
{
    const TRect r = GetLayoutRect();
    const int v = FValue;
    GetSkinData();
    BuildRuler();
    const TThumbSizes s = ThumbSizes();
    const int rw = FRuler.Width(), rh = FRuler.Height();
    if (Horizontal()) {
        const int tw = s.HW / s.States;
        if (s.HH > rh) {
            FThumbRect = Bounds(r.Left + 6, r.Top + 6, tw, s.HH);
            FRulerOrg = Point(r.Left + 6, r.Top + 6 + (s.HH - rh) / 2);
            FPointsRect = Rect(FRulerOrg.X, r.Top + s.HH + 7, FRulerOrg.X + rw, r.Bottom - r.Top - 1);
        } else {
            FThumbRect = Bounds(r.Left + 6, r.Top + 6 + (rh - s.HH) / 2, tw, s.HH);
            FRulerOrg = Point(r.Left + 6, r.Top + 6);
            FPointsRect = Rect(FRulerOrg.X, r.Top + rh + 7, FRulerOrg.X + rw, r.Bottom - r.Top - 1);
        }
    } else {
        const int tw = s.VW / s.States;
        // This test divides by the built-in state count whatever the source.
        if (s.VW / FNumThumbStates > rw) {
            FThumbRect = Bounds(r.Left + 6, r.Top + 6, tw, s.VH);
            FRulerOrg = Point(r.Left + 6 + (tw - rw) / 2, r.Top + 6);
            FPointsRect = Rect(r.Left + tw + 7, FRulerOrg.Y, r.Right - r.Left - 1, FRulerOrg.Y + rh);
        } else {
            FThumbRect = Bounds(r.Left + 6 + (rw - tw) / 2, r.Top + 6, tw, s.VH);
            FRulerOrg = Point(r.Left + 6, r.Top + 6);
            FPointsRect = Rect(r.Left + rw + 7, FRulerOrg.Y, r.Right - r.Left - 1, FRulerOrg.Y + rh);
        }
    }
    SetValue(v);
    Invalidate();
}

void TbsSkinCustomSlider::Resize()
{
    if (!IsLoading())
        RebuildLayout();
    TbsSkinControl::Resize();
}

// ---------------------------------------------------------------- values and places

int TbsSkinCustomSlider::ValueToOffset(int V)
{
    const TRect r = GetLayoutRect();
    const int base = Horizontal() ? r.Left + 6 : r.Top + 6;
    const int span = FMaxValue - FMinValue;
    const double f = span == 0 ? 0.0 : double(V - FMinValue) / span;
    int p = Nearest(f * RulerLength()) + base;
    if (!Horizontal())
        p = r.Top + r.Bottom - p - ThumbSizes().VH;
    return std::max(p, base);
}

int TbsSkinCustomSlider::OffsetToValue(int P)
{
    const TRect r = GetLayoutRect();
    if (!Horizontal())
        P = ClientHeight() - P - ThumbSizes().VH;
    const int l = RulerLength();
    int x = l == 0 ? 0 : Nearest(double(P - r.Left - 6) * (FMaxValue - FMinValue) / l);
    if (!HasOption(soSmooth) && FIncrement > 0)
        x = Nearest(double(x) / FIncrement) * FIncrement;
    return std::min(std::max(x, 0) + FMinValue, FMaxValue);
}

// The leading edge nearest P at which the thumb shows a reachable value.
int TbsSkinCustomSlider::PlacedOffset(int P)
{
    const TRect r = GetLayoutRect();
    const int base = Horizontal() ? r.Left + 6 : r.Top + 6;
    const int last = base + RulerLength();
    P = std::min(std::max(P, base), last);
    return std::min(ValueToOffset(OffsetToValue(P)), last);
}

void TbsSkinCustomSlider::InvalidateThumb()
{
    if (HandleAllocated())
        InvalidateRect(Handle(), &FThumbRect, !(ControlStyle & csOpaque));
}

void TbsSkinCustomSlider::PlaceThumb(int P, bool ADragging)
{
    P = PlacedOffset(P);
    InvalidateThumb();
    if (Horizontal())
        FThumbRect = Bounds(P, FThumbRect.Top, FThumbRect.Width(), FThumbRect.Height());
    else
        FThumbRect = Bounds(FThumbRect.Left, P, FThumbRect.Width(), FThumbRect.Height());
    InvalidateThumb();
    if (!ADragging)
        return;
    const int v = OffsetToValue(P);
    if (v == FValue)
        return;
    FValue = v;
    if (OnChange)
        OnChange(this);
}

// ---------------------------------------------------------------- jumps

void TbsSkinCustomSlider::Jump(TbsJumpMode AMode)
{
    // Steps snap to multiples of Increment counted from 0.
    const int snapped = Nearest(double(FValue) / FIncrement) * FIncrement;
    int t = FValue;
    switch (AMode) {
    case jmHome: t = FMinValue; break;
    case jmEnd: t = FMaxValue; break;
    case jmNext: t = snapped + FIncrement; break;
    case jmPrior: t = snapped - FIncrement; break;
    case jmNone: return;
    }
    t = std::clamp(t, FMinValue, FMaxValue);
    if (t != FValue)
        SetValue(t);
}

TbsJumpMode TbsSkinCustomSlider::HitZone(int X, int Y) const
{
    if (Horizontal()) {
        if (X < FThumbRect.Left)
            return jmPrior;
        return X > FThumbRect.Right ? jmNext : jmNone;
    }
    if (Y < FThumbRect.Top)
        return jmNext;
    return Y > FThumbRect.Bottom ? jmPrior : jmNone;
}

void TbsSkinCustomSlider::RepeatStep()
{
    if (HitZone(FMousePos.X, FMousePos.Y) != FStartJump)
        return;
    Jump(FStartJump);
    if (!FTimerActive) {
        SetTimer(Handle(), RepeatTimerId, RepeatInterval);
        FTimerActive = true;
    }
}

void TbsSkinCustomSlider::WMTimer(TMessage& M)
{
    TbsSkinControl::WMTimer(M);
    RepeatStep();
}

// ---------------------------------------------------------------- mouse and keys

void TbsSkinCustomSlider::MouseDown(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    TbsSkinControl::MouseDown(AButton, AShift, X, Y);
    if (AButton != mbLeft || (AShift & ssDouble))
        return;
    if (CanFocus())
        SetFocus();
    if (PtInRect(FThumbRect, Point(X, Y))) {
        BeginThumbDrag(AButton, X, Y);
        return;
    }
    TRect ruler = Bounds(FRulerOrg.X, FRulerOrg.Y, FRuler.Width(), FRuler.Height());
    if (Horizontal())
        ruler = Rect(ruler.Left, ruler.Top - 3, ruler.Right, ruler.Bottom + 3);
    else
        ruler = Rect(ruler.Left - 3, ruler.Top, ruler.Right + 3, ruler.Bottom);
    if (!PtInRect(ruler, Point(X, Y)) || !AllowsUserChange())
        return;
    SetMouseCapture(true);
    FTracking = true;
    FMousePos = Point(X, Y);
    FStartJump = HitZone(X, Y);
    RepeatStep();
}

void TbsSkinCustomSlider::BeginThumbDrag(TMouseButtonKind AButton, int X, int Y)
{
    if (CanFocus())
        SetFocus();
    if (AButton != mbLeft || !AllowsUserChange())
        return;
    FSliding = true;
    FThumbDown = true;
    FHit = Horizontal() ? X - FThumbRect.Left : Y - FThumbRect.Top;
    InvalidateThumb();
    Update();
}

void TbsSkinCustomSlider::DragThumb(int X, int Y)
{
    if (AllowsUserChange())
        PlaceThumb(Horizontal() ? X - FHit : Y - FHit, true);
}

void TbsSkinCustomSlider::EndThumbDrag(TMouseButtonKind AButton)
{
    if (AButton != mbLeft)
        return;
    FSliding = false;
    FThumbDown = false;
    InvalidateThumb();
    Update();
    if (AllowsUserChange() && OnChanged)
        OnChanged(this);
}

void TbsSkinCustomSlider::MouseMove(TShiftState AShift, int X, int Y)
{
    if ((AShift & ssLeft) && FSliding)
        DragThumb(X, Y);
    else if (FTracking)
        FMousePos = Point(X, Y);
    TbsSkinControl::MouseMove(AShift, X, Y);
}

void TbsSkinCustomSlider::StopTracking()
{
    if (!FTracking)
        return;
    if (FTimerActive) {
        KillTimer(Handle(), RepeatTimerId);
        FTimerActive = false;
    }
    FTracking = false;
    SetMouseCapture(false);
    if (OnChanged)
        OnChanged(this);
}

void TbsSkinCustomSlider::MouseUp(TMouseButtonKind AButton, TShiftState AShift, int X, int Y)
{
    StopTracking();
    if (FSliding)
        EndThumbDrag(AButton);
    TbsSkinControl::MouseUp(AButton, AShift, X, Y);
}

void TbsSkinCustomSlider::KeyDown(uint16_t& AKey, TShiftState AShift)
{
    TbsJumpMode mode = jmNone;
    if (!(AShift & (ssShift | ssAlt | ssCtrl))) {
        switch (AKey) {
        case VK_HOME: mode = jmHome; break;
        case VK_END: mode = jmEnd; break;
        case VK_LEFT: mode = Horizontal() ? jmPrior : jmNone; break;
        case VK_RIGHT: mode = Horizontal() ? jmNext : jmNone; break;
        case VK_UP: mode = Horizontal() ? jmNone : jmNext; break;
        case VK_DOWN: mode = Horizontal() ? jmNone : jmPrior; break;
        default: break;
        }
    }
    if (mode != jmNone && AllowsUserChange()) {
        AKey = 0;
        Jump(mode);
        if (OnChanged)
            OnChanged(this);
    }
    TbsSkinControl::KeyDown(AKey, AShift);
}

// ---------------------------------------------------------------- messages

void TbsSkinCustomSlider::CheckParentBackground()
{
    if (FTransparent)
        Repaint();
}

void TbsSkinCustomSlider::WMMove(TMessage& M)
{
    TbsSkinControl::WMMove(M);
    if (FTransparent)
        Repaint();
}

void TbsSkinCustomSlider::CMEnabledChanged(TMessage& M)
{
    TbsSkinControl::CMEnabledChanged(M);
    InvalidateThumb();
}

void TbsSkinCustomSlider::CMFocusChanged(TMessage& M)
{
    const bool focused = reinterpret_cast<TControl*>(M.LParam) == this;
    if (focused != FFocused) {
        FFocused = focused;
        if (HasOption(soShowFocus))
            Repaint();
    }
    TbsSkinControl::CMFocusChanged(M);
}

// Paints into a memory bitmap and copies it to the window in one step.
void TbsSkinCustomSlider::WMPaint(TMessage& M)
{
    if (FPaintBuffered) {
        TbsSkinControl::WMPaint(M);
        return;
    }
    TPaintStruct ps;
    HDC dc = reinterpret_cast<HDC>(M.WParam);
    const bool own = !dc;
    if (own)
        dc = BeginPaint(Handle(), ps);
    TBitmap memory;
    memory.SetSize(std::max(1, ClientWidth()), std::max(1, ClientHeight()));
    HDC mdc = memory.Canvas()->Handle();
    const WPARAM old = M.WParam;
    try {
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mdc), 0);
        FPaintBuffered = true;
        M.WParam = reinterpret_cast<WPARAM>(mdc);
        TbsSkinControl::WMPaint(M);
    } catch (...) {
        FPaintBuffered = false;
        M.WParam = old;
        if (own)
            EndPaint(Handle(), ps);
        throw;
    }
    FPaintBuffered = false;
    M.WParam = old;
    BitBlt(dc, 0, 0, memory.Width(), memory.Height(), mdc, 0, 0, SRCCOPY);
    if (own)
        EndPaint(Handle(), ps);
}

// ---------------------------------------------------------------- painting

void TbsSkinCustomSlider::PaintBackground(TCanvas* C)
{
    if (FTransparent) {
        TBitmap b;
        b.SetSize(Width(), Height());
        PaintParentBackground(this, b.Canvas());
        C->Draw(0, 0, &b);
        return;
    }
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(SkinFace() ? BGColor : Color());
    C->FillRect(ClientRect());
}

void TbsSkinCustomSlider::PaintThumb(TCanvas* C, TPoint P, bool AFlag)
{
    if (SkinThumb()) {
        const TRect& src = Horizontal() ? HThumbRect : VThumbRect;
        const int half = src.Width() / 2;
        TBitmap b;
        b.SetSize(half, src.Height());
        const int left = AFlag ? src.Left + half : src.Left;
        CopyPiece(&b, Rect(0, 0, half, src.Height()), Picture, Rect(left, src.Top, left + half, src.Bottom));
        b.SetTransparent(true);
        C->Draw(P.X, P.Y, &b);
        return;
    }
    if (FThumbImageList) {
        const int index = AFlag ? ThumbActiveImageIndex : ThumbImageIndex;
        if (index >= 0 && index < FThumbImageList->Count())
            FThumbImageList->Draw(C, P.X, P.Y, index, true);
        return;
    }
    TBitmap* image = FImages[Horizontal() ? siHThumb : siVThumb].get();
    const int w = image->Width() / FNumThumbStates;
    const int left = FNumThumbStates == 2 && AFlag ? w : 0;
    TBitmap b;
    b.SetSize(w, image->Height());
    CopyPiece(&b, Rect(0, 0, w, image->Height()), image, Rect(left, 0, left + w, image->Height()));
    b.SetTransparent(!HasOption(soThumbOpaque));
    C->Draw(P.X, P.Y, &b);
}

void TbsSkinCustomSlider::Paint()
{
    TCanvas* c = Canvas();
    GetSkinData();
    const bool paintCopy = ControlState & csPaintCopyState;
    TPoint p = FThumbRect.TopLeft();
    if (paintCopy) {
        const int edge = PlacedOffset(ValueToOffset(GetDisplayValue()));
        p = Horizontal() ? Point(edge, FThumbRect.Top) : Point(FThumbRect.Left, edge);
    }
    PaintBackground(c);
    if (FRuler.Width() > 0) {
        FRuler.SetTransparentMode(tmAuto);
        FRuler.SetTransparent(!(HasOption(soRulerOpaque) && !SkinFace()));
        c->Draw(FRulerOrg.X, FRulerOrg.Y, &FRuler);
    }
    if (HasOption(soShowFocus) && FFocused && !IsDesigning()) {
        const TRect r = GetLayoutRect();
        c->Font()->SetColor(SkinFace() ? FSD->SkinColors().cBtnText() : Font()->Color());
        DrawDotFocusRect(c, Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
    }
    if (HasOption(soShowPoints)) {
        if (OnDrawPoints)
            OnDrawPoints(this);
        else
            DefaultDrawPoints(FIncrement, 3, 5);
    }
    const bool flag = paintCopy ? !Enabled() : (FThumbDown || !Enabled());
    PaintThumb(c, p, flag);
}

// Ticks at every PointsStep (or a multiple of it, so they stay at least 4
// pixels apart), longer at both ends.
void TbsSkinCustomSlider::DefaultDrawPoints(int PointsStep, int PointsHeight, int ExtremePointsHeight)
{
    if (PointsStep <= 0)
        return;
    TCanvas* c = Canvas();
    const bool skinThumb = SkinThumb();
    const TBitmap* h = FImages[siHThumb].get();
    const int hw = skinThumb ? HThumbRect.Width() : h->Width();
    const int states = skinThumb ? 2 : FNumThumbStates;
    const int vh = skinThumb ? VThumbRect.Height() : FImages[siVThumb]->Height();
    const int l = Horizontal() ? FRuler.Width() - hw / states : FRuler.Height() - vh;
    c->Pen()->SetColor(SkinFace() ? PointsColor : clWindowText);
    const int range = FMaxValue - FMinValue;
    int count = 1, k = 1;
    for (;; ++k) {
        count = Nearest(double(range) / (double(PointsStep) * k)) + 1;
        const int spacing = count > 1 ? l / (count - 1) : l;
        if (spacing >= 4 || spacing >= l)
            break;
    }
    int v = FMinValue;
    for (int i = 1; i <= count; ++i) {
        if (i == count)
            v = FMaxValue;
        const int height = (v == FMinValue || v == FMaxValue) ? ExtremePointsHeight : PointsHeight;
        const int p = ValueToOffset(v);
        if (Horizontal()) {
            const int x = p + (hw / states) / 2;
            c->MoveTo(x, FPointsRect.Top);
            c->LineTo(x, FPointsRect.Top + height);
        } else {
            const int y = p + vh / 2;
            c->MoveTo(FPointsRect.Left, y);
            c->LineTo(FPointsRect.Left + height, y);
        }
        v += PointsStep * k;
    }
}

} // namespace skin
