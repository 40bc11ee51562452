#include "skin/controls/bsSkinCtrls_CheckRadio.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"
#include "skin/core/bseffects_EffectBmp.h"

#include <algorithm>
#include <memory>

namespace skin {

using platform::cbChecked;
using platform::cbGrayed;
using platform::cbUnchecked;
using platform::UINT;

namespace {

// The built-in box square of a box AHeight high.
TRect BoxSquare(int AHeight) { return Rect(3, AHeight / 2 - 7, 17, AHeight / 2 + 7); }

// The tick of a check box or the dot of a radio button in the built-in square.
void DrawMark(TCanvas* C, bool ARadio, int AHeight, TColor AColor)
{
    if (ARadio)
        DrawRadioImage(C, 7, AHeight / 2 - 3, AColor);
    else
        DrawCheckImage(C, 7, AHeight / 2 - 4, AColor);
}

} // namespace

// ---------------------------------------------------------------- paint

void TbsSkinCheckRadioBox::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    if (!FFlat) {
        GetSkinData();
        if (Skinned() && MorphingActive() && FMorph.Midway()) {
            int w = Width(), h = Height();
            CalcSkinLayout(w, h);
            FMorph.Paint(Canvas(), Width(), Height(), MorphKind, [this](TBitmap* B, bool AHot) { DrawFramedPicture(B, AHot); });
            return;
        }
        TbsSkinCustomControl::Paint();
        return;
    }
    GetSkinData();
    TBitmap b;
    b.SetSize(Width(), Height());
    PaintParentBackground(this, b.Canvas());
    PaintFlat(b.Canvas(), FState, true);
    Canvas()->Draw(0, 0, &b);
}

// The caption font of the flat and framed looks.
void TbsSkinCheckRadioBox::PrepareFont(TCanvas* C)
{
    AssignCaptionFont(C->Font(), DefaultFont(), FSD, Skinned() && UseSkinFont, *this);
    C->Brush()->SetStyle(platform::bsClear);
}

bool TbsSkinCheckRadioBox::ImageShown() const { return FImages && FImageIndex >= 0 && FImageIndex < FImages->Count(); }

// The flat look into C: check image, image and caption over what C holds.
// ALive: the box as it is now (hot frame, fill, grayed state, focus frame);
// otherwise the plain picture of PaintSkinTo.
void TbsSkinCheckRadioBox::PaintFlat(TCanvas* C, TCheckBoxState AState, bool ALive)
{
    const int h = Height();
    PrepareFont(C);
    int textLeft = 22, imageGap = 5;
    if (Skinned()) {
        DrawCheckPiece(C, 3, h / 2 - CheckImageRect.Height() / 2, AState, ALive && FMouseIn);
        textLeft = CheckImageRect.Width() + 7;
        imageGap = 8;
        C->Font()->SetColor(!UseSkinFontColor ? DefaultFont()->Color() : Enabled() ? FrameFontColor : UnEnabledFontColor);
    } else if (!Enabled()) {
        C->Font()->SetColor(platform::clBtnShadow);
    }
    const TRect caption = DrawFlatCaption(C, textLeft, imageGap);
    if (!Skinned()) {
        const TRect q = BoxSquare(h);
        C->Brush()->SetStyle(platform::bsSolid);
        C->Brush()->SetColor(ALive && FMouseIn ? HotFrameColor : platform::clBtnShadow);
        C->FrameRect(q);
        if (ALive) {
            C->Brush()->SetColor(platform::clWindow);
            C->FillRect(Rect(q.Left + 1, q.Top + 1, q.Right - 1, q.Bottom - 1));
        }
        if (ALive && AState == cbGrayed)
            DrawCheckImage(C, 7, h / 2 - 4, platform::clGrayText);
        else if (AState != cbUnchecked)
            DrawMark(C, FRadio, h, Enabled() ? platform::clBlack : platform::clBtnShadow);
    }
    if (ALive && IsFocused())
        DrawFlatFocus(C, caption);
}

// Places and draws the image and the caption of the flat look; answers the
// caption's rectangle.
TRect TbsSkinCheckRadioBox::DrawFlatCaption(TCanvas* C, int ALeft, int AImageGap)
{
    const int h = Height();
    const std::string text = Caption();
    const int imageWidth = ImageShown() ? FImages->Width() : 0;
    TRect t;
    if (FWordWrap) {
        t = Rect(ALeft + imageWidth, 0, Width(), h);
        TRect measured = t;
        WideDrawText(C, text, measured, platform::DT_CALCRECT | platform::DT_EXPANDTABS | platform::DT_WORDBREAK);
        const int th = measured.Height();
        t = Rect(t.Left, std::max(0, h / 2 - th / 2), measured.Right, std::max(0, h / 2 - th / 2) + th);
    } else {
        const int tw = WideTextWidth(C, text), th = WideTextHeight(C, text);
        t = Rect(ALeft, h / 2 - th / 2, ALeft + tw, h / 2 - th / 2 + th);
    }
    t.Right = std::min(t.Right, Width() - 2);
    if (ImageShown()) {
        FImages->Draw(C, t.Left - (FWordWrap ? imageWidth : 0), h / 2 - FImages->Height() / 2, FImageIndex, Enabled());
        if (!FWordWrap)
            t = Rect(t.Left + imageWidth + AImageGap, t.Top, std::min(t.Right + imageWidth + AImageGap, Width() - 2),
                     t.Bottom);
    }
    C->Brush()->SetStyle(platform::bsClear);
    if (FWordWrap) {
        TRect r = t;
        WideDrawText(C, text, r, platform::DT_EXPANDTABS | platform::DT_WORDBREAK);
    } else {
        DrawTextLeftPlain(C, text, t);
    }
    return t;
}

// The dotted frame around the caption, or around the image of a box
// without a caption.
void TbsSkinCheckRadioBox::DrawFlatFocus(TCanvas* C, const TRect& ACaption)
{
    TRect r = Rect(ACaption.Left - 2, ACaption.Top - 1, ACaption.Right + 3, ACaption.Bottom + 1);
    if (Caption().empty() && ImageShown()) {
        const int left = Skinned() ? CheckImageRect.Width() + 7 : 22;
        const int top = Height() / 2 - FImages->Height() / 2;
        r = Rect(left - 1, top - 1, left + FImages->Width() + 1, top + FImages->Height() + 1);
    }
    C->Brush()->SetStyle(platform::bsSolid);
    C->Brush()->SetColor(Skinned() && FSD ? FSD->SkinColors().cBtnFace() : platform::clBtnFace);
    DrawDotFocusRect(C, r);
    C->Brush()->SetStyle(platform::bsClear);
}

TRect TbsSkinCheckRadioBox::CheckPiece(TCheckBoxState AState, bool AMouseIn, bool& AGrayedFromPiece) const
{
    AGrayedFromPiece = false;
    const bool grayed = AState == cbGrayed;
    if (grayed && !GrayedCheckImageRect.IsEmpty())
        return AMouseIn && Enabled() && !ActiveGrayedCheckImageRect.IsEmpty() ? ActiveGrayedCheckImageRect
                                                                              : GrayedCheckImageRect;
    AGrayedFromPiece = grayed;
    const bool checked = AState != cbUnchecked;
    if (!Enabled())
        return checked ? UnEnabledCheckImageRect : UnEnabledUnCheckImageRect;
    if (AMouseIn)
        return checked ? ActiveCheckImageRect : ActiveUnCheckImageRect;
    return checked ? CheckImageRect : UnCheckImageRect;
}

// A piece of the picture drawn transparent, its bottom-left pixel the key;
// a grayed state without a picture of its own is the checked piece
// brightened by half.
void TbsSkinCheckRadioBox::DrawCheckPiece(TCanvas* C, int X, int Y, TCheckBoxState AState, bool AMouseIn)
{
    bool brighten = false;
    const TRect piece = CheckPiece(AState, AMouseIn, brighten);
    if (!Picture || piece.IsEmpty())
        return;
    TBitmap b;
    b.SetSize(piece.Width(), piece.Height());
    CopyPiece(&b, Rect(0, 0, piece.Width(), piece.Height()), Picture, piece);
    if (brighten) {
        std::unique_ptr<TbsEffectBmp> e(TbsEffectBmp::CreateFromhWnd(b.Handle()));
        e->ChangeBrightness(0.5);
        e->Draw(b.Canvas()->Handle(), 0, 0);
    }
    b.SetTransparentMode(platform::tmAuto);
    b.SetTransparent(true);
    C->Draw(X, Y, &b);
}

// The framed look's picture, normal or hot, with its check image and caption.
void TbsSkinCheckRadioBox::DrawFramedPicture(TBitmap* B, bool AActive)
{
    DrawSkinPicture(B, Picture, AActive ? ActiveSkinRect : SkinRect);
    TCanvas* c = B->Canvas();
    DrawCheckPiece(c, CIRect.Left, CIRect.Top + CIRect.Height() / 2 - CheckImageRect.Height() / 2, FState, FMouseIn);
    PrepareFont(c);
    c->Font()->SetColor(!Enabled() ? UnEnabledFontColor : AActive ? ActiveFontColor : FontColor);
    DrawTextLeftPlain(c, Caption(), NewTextArea);
}

void TbsSkinCheckRadioBox::CreateControlSkinImage(TBitmap* B) { DrawFramedPicture(B, FMouseIn || IsFocused()); }

void TbsSkinCheckRadioBox::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const int w = Width(), h = Height();
    c->Brush()->SetStyle(platform::bsSolid);
    c->Brush()->SetColor(platform::clBtnFace);
    c->FillRect(Rect(0, 0, w, h));
    if (IsFocused() || FMouseIn) {
        c->Brush()->SetColor(platform::clBtnShadow);
        c->FrameRect(Rect(0, 0, w, h));
    }
    PrepareFont(c);
    if (!Enabled())
        c->Font()->SetColor(platform::clBtnShadow);
    DrawTextLeftPlain(c, Caption(), Rect(19, 0, w, h));
    const TRect q = BoxSquare(h);
    c->Brush()->SetStyle(platform::bsSolid);
    c->Brush()->SetColor(FMouseIn ? HotFrameColor : platform::clBtnShadow);
    c->FrameRect(q);
    c->Brush()->SetColor(platform::clWindow);
    c->FillRect(Rect(q.Left + 1, q.Top + 1, q.Right - 1, q.Bottom - 1));
    if (FState == cbGrayed)
        DrawCheckImage(c, 7, h / 2 - 4, platform::clGrayText);
    else if (FState == cbChecked)
        DrawMark(c, FRadio, h, Enabled() ? platform::clBlack : platform::clBtnShadow);
}

void TbsSkinCheckRadioBox::PaintSkinTo(TCanvas* C, int X, int Y, bool AChecked)
{
    GetSkinData();
    if (Width() < 1 || Height() < 1 || (!FFlat && !Skinned()))
        return;
    TBitmap b;
    b.SetSize(Width(), Height());
    const TCheckBoxState state = AChecked ? cbChecked : cbUnchecked;
    if (FFlat) {
        PaintParentBackground(this, b.Canvas());
        PaintFlat(b.Canvas(), state, false);
    } else {
        int w = Width(), h = Height();
        CalcSkinLayout(w, h);
        DrawSkinPicture(&b, Picture, SkinRect);
        TCanvas* c = b.Canvas();
        DrawCheckPiece(c, CIRect.Left, CIRect.Top + CIRect.Height() / 2 - CheckImageRect.Height() / 2, state, false);
        PrepareFont(c);
        c->Font()->SetColor(Enabled() ? FontColor : UnEnabledFontColor);
        DrawTextLeftPlain(c, Caption(), NewTextArea);
    }
    C->Draw(X, Y, &b);
}

} // namespace skin
