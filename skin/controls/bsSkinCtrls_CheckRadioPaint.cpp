#include "skin/controls/bsSkinCtrls_CheckRadio.h"

#include "skin/core/bsUtils_SkinImage.h"

namespace skin {

namespace {

constexpr TColor HotFrame = 0xB76B3B;

// The built-in box square of a box AHeight high.
TRect BoxSquare(int AHeight) { return Rect(3, AHeight / 2 - 7, 17, AHeight / 2 + 7); }

} // namespace

void TbsSkinCheckRadioBox::Paint()
{
    if (!FFlat) {
        TbsSkinCustomControl::Paint();
        return;
    }
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    TBitmap b;
    b.SetSize(Width(), Height());
    PaintFlat(b.Canvas(), FState, true);
    Canvas()->Draw(0, 0, &b);
}

// The flat look: the parent's background, the check image and the caption.
void TbsSkinCheckRadioBox::PaintFlat(TCanvas* C, TCheckBoxState AState, bool ALive)
{
    const int h = Height();
    if (!Skinned()) {
        const TRect q = BoxSquare(h);
        C->Brush()->SetStyle(platform::bsSolid);
        C->Brush()->SetColor(ALive && FMouseIn ? HotFrame : platform::clBtnShadow);
        C->FrameRect(q);
        if (ALive) {
            C->Brush()->SetColor(platform::clWindow);
            C->FillRect(Rect(q.Left + 1, q.Top + 1, q.Right - 1, q.Bottom - 1));
        }
        return;
    }
    DrawCheckPiece(C, 3, h / 2 - CheckImageRect.Height() / 2, AState, ALive && FMouseIn);
}

TRect TbsSkinCheckRadioBox::CheckPiece(TCheckBoxState AState, bool AMouseIn, bool& AGrayedFromPiece) const
{
    AGrayedFromPiece = false;
    const bool grayed = AState == platform::cbGrayed;
    if (grayed && !GrayedCheckImageRect.IsEmpty())
        return AMouseIn && Enabled() && !ActiveGrayedCheckImageRect.IsEmpty() ? ActiveGrayedCheckImageRect
                                                                              : GrayedCheckImageRect;
    AGrayedFromPiece = grayed;
    const bool checked = AState != platform::cbUnchecked;
    if (!Enabled())
        return checked ? UnEnabledCheckImageRect : UnEnabledUnCheckImageRect;
    if (AMouseIn)
        return checked ? ActiveCheckImageRect : ActiveUnCheckImageRect;
    return checked ? CheckImageRect : UnCheckImageRect;
}

// A piece of the picture drawn transparent, its bottom-left pixel the key.
void TbsSkinCheckRadioBox::DrawCheckPiece(TCanvas* C, int X, int Y, TCheckBoxState AState, bool AMouseIn)
{
    bool grayedFromPiece = false;
    const TRect piece = CheckPiece(AState, AMouseIn, grayedFromPiece);
    if (!Picture || piece.IsEmpty())
        return;
    TBitmap b;
    b.SetSize(piece.Width(), piece.Height());
    CopyPiece(&b, Rect(0, 0, piece.Width(), piece.Height()), Picture, piece);
    b.SetTransparentMode(platform::tmAuto);
    b.SetTransparent(true);
    C->Draw(X, Y, &b);
}

void TbsSkinCheckRadioBox::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = Rect(0, 0, Width(), Height());
    c->Brush()->SetStyle(platform::bsSolid);
    c->Brush()->SetColor(platform::clBtnFace);
    c->FillRect(r);
    if (IsFocused() || FMouseIn) {
        c->Brush()->SetColor(platform::clBtnShadow);
        c->FrameRect(r);
    }
    const TRect q = BoxSquare(Height());
    c->Brush()->SetColor(FMouseIn ? HotFrame : platform::clBtnShadow);
    c->FrameRect(q);
    c->Brush()->SetColor(platform::clWindow);
    c->FillRect(Rect(q.Left + 1, q.Top + 1, q.Right - 1, q.Bottom - 1));
}

void TbsSkinCheckRadioBox::CreateControlSkinImage(TBitmap* B)
{
    const bool active = FMouseIn || IsFocused();
    DrawSkinPicture(B, Picture, active ? ActiveSkinRect : SkinRect);
    DrawCheckPiece(B->Canvas(), CIRect.Left, CIRect.Top + CIRect.Height() / 2 - CheckImageRect.Height() / 2, FState,
                   FMouseIn);
}

void TbsSkinCheckRadioBox::PaintSkinTo(TCanvas* C, int X, int Y, bool AChecked)
{
    GetSkinData();
    if (Width() < 1 || Height() < 1 || (!FFlat && !Skinned()))
        return;
    TBitmap b;
    b.SetSize(Width(), Height());
    const TCheckBoxState state = AChecked ? platform::cbChecked : platform::cbUnchecked;
    if (FFlat) {
        PaintFlat(b.Canvas(), state, false);
    } else {
        int w = Width(), h = Height();
        CalcSkinLayout(w, h);
        DrawSkinPicture(&b, Picture, SkinRect);
        DrawCheckPiece(b.Canvas(), CIRect.Left, CIRect.Top + CIRect.Height() / 2 - CheckImageRect.Height() / 2,
                       state, false);
    }
    C->Draw(X, Y, &b);
}

} // namespace skin
