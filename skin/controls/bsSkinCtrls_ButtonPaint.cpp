#include "skin/controls/bsSkinCtrls_Button.h"

#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_SkinImage.h"

#include <memory>

namespace skin {

void DrawBuiltInState(TCanvas* C, const TRect& R, bool APressed, bool AHot)
{
    C->Brush()->SetStyle(platform::bsSolid);
    C->Brush()->SetColor(APressed || AHot ? HotFrameColor : platform::clBtnShadow);
    C->FrameRect(R);
    C->Brush()->SetColor(APressed ? DownFillColor : AHot ? HotFillColor : platform::clBtnFace);
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
    if (MorphingActive() && FMorph.Midway() && Enabled()) {
        FMorph.Paint(Canvas(), Width(), Height(), MorphKind, [this](TBitmap* B, bool AHot) {
            CreateButtonImage(B, AHot ? ActiveSkinRect : SkinRect, false, AHot);
        });
        return;
    }
    if (!Enabled() && !DisabledSkinRect.IsEmpty())
        CreateButtonImage(&b, DisabledSkinRect, false, false);
    else if (FDownState || DownLook())
        CreateButtonImage(&b, DownSkinRect, true, true);
    else if (IsFocused() && !FocusedSkinRect.IsEmpty() && !AnimateTimer)
        CreateButtonImage(&b, FocusedSkinRect, false, true);
    else if (IsFocused() || FMouseIn || (MorphingActive() && FMorph.Kf() == 1))
        CreateButtonImage(&b, ActiveSkinRect, false, true);
    else
        CreateButtonImage(&b, SkinRect, false, false);
    Canvas()->Draw(0, 0, &b);
}

void TbsSkinButton::CreateButtonImage(TBitmap* B, TRect R, bool ADown, bool AMouseIn)
{
    const bool stretched = !UseSkinSize && ResizeMode != 1;
    const bool drawPicture = ADown || AMouseIn || !FTransparent;
    if (!drawPicture)
        PaintParentBackground(this, B->Canvas());   // the transparent idle look
    else if (stretched)
        DrawStretchedPicture(B, R, true);
    else
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
    C->Font()->SetColor(CaptionColor(Enabled(), UseSkinFontColor, DefaultFont()->Color(), ADown, AMouseIn));
}

void TbsSkinButton::DrawFocusFrame(TCanvas* C, const TRect& R)
{
    C->Brush()->SetStyle(platform::bsSolid);
    C->Brush()->SetColor(FSD ? FSD->SkinColors().cBtnFace() : platform::clBtnFace);
    DrawDotFocusRect(C, R);
    C->Brush()->SetStyle(platform::bsClear);
}

int TbsSkinButton::GlyphFrame(bool ADown, bool AMouseIn) { return ButtonGlyphFrame(FNumGlyphs, Enabled(), ADown, AMouseIn); }

int ButtonGlyphFrame(TbsNumGlyphs ANumGlyphs, bool AEnabled, bool ADown, bool AMouseIn)
{
    if (ADown && AMouseIn && ANumGlyphs > 2)
        return 3;
    if (AMouseIn && ANumGlyphs > 3)
        return 4;
    if (AEnabled || ANumGlyphs < 2)
        return 1;
    return 2;
}

// Never shifted for pressing and without a colour bar.
void TbsSkinButton::DrawContent(TCanvas* C, const TRect& R, bool ADown, bool AMouseIn)
{
    std::string itemCaption;
    int itemImage = -1;
    if (FSkinImagesMenu && UseImagesMenuImage && FSkinImagesMenu->SelectedItem(itemCaption, itemImage)) {
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, UseImagesMenuCaption ? itemCaption : Caption(), itemImage,
                         FSkinImagesMenu->Images(), false, Enabled(), false, 0);
        return;
    }
    if (FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count()) {
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, Caption(), FImageIndex, FImageList, false, Enabled(), false, 0);
        return;
    }
    DrawGlyphAndText(C, R, FMargin, FSpacing, FLayout, Caption(), &FGlyph, FNumGlyphs, GlyphFrame(ADown, AMouseIn),
                     false, false, 0);
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

bool TbsSkinButton::GlowAllowed() const
{
    return FSD && !FSD->Empty() && Skinned() && IsLayeredWindowsAvailable() &&
           (FSD->ShowButtonGlowFrames || AlwaysShowLayeredFrame) && GlowLayerPictureIndex != -1;
}

namespace {

// The glow picture fitted to a button that is not of the skin's size.
void FitGlowPicture(TBitmap* AOut, TBitmap* ASource, int AMode, int DW, int DH, const TRect& AClient)
{
    const TRect whole = Rect(0, 0, ASource->Width(), ASource->Height());
    if (AMode == 2) {
        CreateHSkinImage(AClient.Left, ASource->Width() - AClient.Right, AOut, ASource, whole, ASource->Width() + DW,
                         ASource->Height(), true);
        return;
    }
    AOut->SetSize(ASource->Width() + DW, ASource->Height() + DH);
    CreateStretchSkinImage(AOut, ASource, whole, AClient, true);
}

} // namespace

void TbsSkinButton::ShowLayer()
{
    GetSkinData();
    if (!GlowAllowed())
        return;
    if (auto* form = dynamic_cast<platform::TForm*>(ParentForm()))
        FLayerManager->TopMostMode = form->FormStyle() == platform::fsStayOnTop;
    TbsPicture* image = ActivePicture(*FSD, GlowLayerPictureIndex);
    TbsPicture* mask = ActivePicture(*FSD, GlowLayerMaskPictureIndex);
    // A glow picture the skin does not have shows no glow.
    if (!image || !mask)
        return;
    const bool fitted = ResizeMode == 1 || (ResizeMode == 2 && UseSkinSize);
    if (!fitted && ResizeMode != 0)
        return;
    TBitmap fitImage, fitMask;
    if (fitted) {
        const int dW = Width() - SkinWidth(), dH = Height() - SkinHeight();
        const TRect client = Rect(GlowLayerOffsetLeft, GlowLayerOffsetTop, image->Width() - GlowLayerOffsetRight,
                                  image->Height() - GlowLayerOffsetBottom);
        FitGlowPicture(&fitImage, image, ResizeMode, dW, dH, client);
        FitGlowPicture(&fitMask, mask, ResizeMode, dW, dH, client);
        image = &fitImage;
        mask = &fitMask;
    }
    const TPoint p = ClientOrigin();
    FLayerManager->Show(p.X - GlowLayerShowOffsetX, p.Y - GlowLayerShowOffsetY, image, mask, GlowLayerAlphaBlendValue);
}

void TbsSkinButton::HideLayer()
{
    if (GlowAllowed() && (ResizeMode == 0 || ResizeMode == 1 || (ResizeMode == 2 && UseSkinSize)))
        FLayerManager->Hide();
}

} // namespace skin
