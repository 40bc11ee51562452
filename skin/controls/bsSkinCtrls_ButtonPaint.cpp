#include "skin/controls/bsSkinCtrls_Button.h"

#include "skin/core/bsUtils_SkinImage.h"

namespace skin {

namespace {

// The built-in look's states.
constexpr TColor HotFrame = 0xB76B3B;   // $B76B3B
constexpr TColor HotFill = 0xF3D4C1;
constexpr TColor DownFill = 0xE4BCA2;

} // namespace

void DrawBuiltInState(TCanvas* C, const TRect& R, bool APressed, bool AHot)
{
    C->Brush()->SetStyle(platform::bsSolid);
    C->Brush()->SetColor(APressed || AHot ? HotFrame : platform::clBtnShadow);
    C->FrameRect(R);
    C->Brush()->SetColor(APressed ? DownFill : AHot ? HotFill : platform::clBtnFace);
    C->FillRect(Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1));
}

void TbsSkinButton::Paint()
{
    GetSkinData();
    if (!Skinned()) {
        TbsSkinCustomControl::Paint();
        return;
    }
    if (Width() < 1 || Height() < 1)
        return;
    TBitmap b;
    b.SetSize(Width(), Height());
    if (MorphingActive() && FMorphKf > 0 && FMorphKf < 1 && Enabled()) {
        PaintMorph();
        return;
    }
    if (!Enabled() && !DisabledSkinRect.IsEmpty())
        CreateButtonImage(&b, DisabledSkinRect, false, false);
    else if (FDownState || DownLook())
        CreateButtonImage(&b, DownSkinRect, true, true);
    else if (IsFocused() && !FocusedSkinRect.IsEmpty() && !AnimateTimer)
        CreateButtonImage(&b, FocusedSkinRect, false, true);
    else if (IsFocused() || FMouseIn || (MorphingActive() && FMorphKf == 1))
        CreateButtonImage(&b, ActiveSkinRect, false, true);
    else
        CreateButtonImage(&b, SkinRect, false, false);
    Canvas()->Draw(0, 0, &b);
}

void TbsSkinButton::PaintMorph()
{
    TBitmap normal, hot;
    normal.SetSize(Width(), Height());
    hot.SetSize(Width(), Height());
    CreateButtonImage(&normal, SkinRect, false, false);
    CreateButtonImage(&hot, ActiveSkinRect, false, true);
    Canvas()->Draw(0, 0, FMorphKf < 0.5 ? &normal : &hot);
}

void TbsSkinButton::CreateButtonImage(TBitmap* B, TRect R, bool ADown, bool AMouseIn)
{
    const bool stretched = !UseSkinSize && ResizeMode != 1;
    const bool drawPicture = ADown || AMouseIn || !FTransparent;
    if (drawPicture && stretched)
        DrawStretchedPicture(B, R, true);
    else if (drawPicture)
        DrawSkinPicture(B, Picture, R);
    const TRect content =
        stretched ? Rect(ClRect.Left, ClRect.Top, ClRect.Right + B->Width() - R.Width(), ClRect.Bottom + B->Height() - R.Height())
                  : NewClRect;
    TCanvas* c = B->Canvas();
    PrepareSkinFont(c, ADown, AMouseIn);
    if (ShowFocus && IsFocused())
        DrawFocusFrame(c, content);
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, NewClRect, ADown, AMouseIn, drawDefault);
    if (drawDefault)
        DrawContent(c, content, ADown, AMouseIn);
}

void TbsSkinButton::DrawStretchedPicture(TBitmap* B, const TRect& R, bool)
{
    if (!Picture)
        return;
    if (ResizeMode == 0)
        CopyPiece(B, Rect(0, 0, B->Width(), B->Height()), Picture, R);
    else if (ResizeMode == 2 || ResizeMode == 3)
        CreateStretchSkinImage(B, Picture, R, ClRect, true);
}

void TbsSkinButton::PrepareSkinFont(TCanvas* C, bool ADown, bool AMouseIn)
{
    AssignCaptionFont(C->Font(), DefaultFont(), FSD, UseSkinFont, *this);
    TColor color = FontColor;
    if (Enabled() && !UseSkinFontColor)
        color = DefaultFont()->Color();
    else if (!Enabled())
        color = DisabledFontColor;
    else if (ADown && AMouseIn)
        color = DownFontColor;
    else if (AMouseIn)
        color = ActiveFontColor;
    C->Font()->SetColor(color);
}

void TbsSkinButton::DrawFocusFrame(TCanvas* C, const TRect& R)
{
    C->Brush()->SetStyle(platform::bsSolid);
    C->Brush()->SetColor(FSD ? FSD->SkinColors().cBtnFace() : platform::clBtnFace);
    C->Brush()->SetStyle(platform::bsClear);
}

int TbsSkinButton::GlyphFrame(bool ADown, bool AMouseIn)
{
    if (ADown && AMouseIn && FNumGlyphs > 2)
        return 3;
    if (AMouseIn && FNumGlyphs > 3)
        return 4;
    if (Enabled() || FNumGlyphs < 2)
        return 1;
    return 2;
}

void TbsSkinButton::DrawContent(TCanvas* C, const TRect& R, bool ADown, bool AMouseIn)
{
    std::string itemCaption;
    int itemImage = -1;
    if (FSkinImagesMenu && UseImagesMenuImage && FSkinImagesMenu->SelectedItem(itemCaption, itemImage)) {
        return;
    }
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count()) {
        return;
    }
}

void TbsSkinButton::CreateControlDefaultImage(TBitmap* B)
{
    const TRect r = Rect(0, 0, Width(), Height());
    TCanvas* c = B->Canvas();
    const bool pressed = DownLook();
    DrawBuiltInState(c, r, pressed, !pressed && (FMouseIn || IsFocused()));
    AssignCaptionFont(c->Font(), DefaultFont(), FSD, false, *this);
    if (!Enabled())
        c->Font()->SetColor(platform::clBtnShadow);
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, r, FDown, FMouseIn, drawDefault);
    if (drawDefault)
        DrawContent(c, r, FDown, FMouseIn);
}

void TbsSkinButton::DrawMenuMarker(TCanvas* C, const TRect& R, bool ADown, bool AActive)
{
    const TRect piece = ADown ? MenuMarkerDownRect : AActive ? MenuMarkerActiveRect : MenuMarkerRect;
    if (!Picture || piece.IsEmpty())
        return;
    TBitmap b;
    b.SetSize(piece.Width(), piece.Height());
    b.Canvas()->CopyRect(Rect(0, 0, piece.Width(), piece.Height()), Picture->Canvas(), piece);
    b.SetTransparentMode(platform::tmFixed);
    b.SetTransparentColor(MenuMarkerTransparentColor);
    b.SetTransparent(true);
    C->Draw(R.Left + R.Width() / 2 - piece.Width() / 2, R.Top + R.Height() / 2 - piece.Height() / 2, &b);
}

// ---------------------------------------------------------------- glow frame

void TbsSkinButton::ShowLayer()
{
}

void TbsSkinButton::HideLayer()
{
}

} // namespace skin
