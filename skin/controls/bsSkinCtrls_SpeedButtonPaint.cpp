// The speed button's pictures: skinned states, the cross-fade, the
// transparent look and the built-in look.

#include "skin/controls/bsSkinCtrls_SpeedButton.h"

#include "skin/controls/bsSkinCtrls_ToolBar.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

namespace skin {

void TbsSkinSpeedButton::PrepareSkinFont(TCanvas* C, bool ADown, bool AMouseIn)
{
    AssignCaptionFont(C->Font(), DefaultFont(), FSD, UseSkinFont, *this);
    C->Font()->SetColor(CaptionColor(Enabled(), UseSkinFontColor, DefaultFont()->Color(), ADown, AMouseIn));
}

void TbsSkinSpeedButton::DrawContent(TCanvas* C, const TRect& R, bool ADown, bool AMouseIn, bool AOnParent)
{
    std::string caption = ShownCaption();
    std::string menuCaption;
    int menuImage = -1;
    if (FSkinImagesMenu && FUseImagesMenuImage && FSkinImagesMenu->SelectedItem(menuCaption, menuImage)) {
        if (FUseImagesMenuCaption)
            caption = menuCaption;
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, caption, menuImage, FSkinImagesMenu->Images(), false,
                         Enabled(), FDrawColorMarker, FColorMarkerValue);
        return;
    }
    TbsSkinToolBar* bar = ToolBar();
    if (FGlyph.Empty() && bar) {
        TCustomImageList* list = bar->Images();
        const bool disabledList = !Enabled() && bar->DisabledImages();
        if (disabledList)
            list = bar->DisabledImages();
        else if (!AOnParent && (AMouseIn || ADown) && bar->HotImages())
            list = bar->HotImages();
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, caption, FImageIndex, list, false,
                         Enabled() || disabledList, FDrawColorMarker, FColorMarkerValue);
        return;
    }
    if (FGlyph.Empty() && FImageList && FImageIndex >= 0 && FImageIndex < FImageList->Count()) {
        DrawImageAndText(C, R, FMargin, FSpacing, FLayout, caption, FImageIndex, FImageList, false, Enabled(),
                         FDrawColorMarker, FColorMarkerValue);
        return;
    }
    DrawGlyphAndText(C, R, FMargin, FSpacing, FLayout, caption, &FGlyph, FNumGlyphs, ButtonGlyphFrame(FNumGlyphs, Enabled(), ADown, AMouseIn),
                     false, FDrawColorMarker, FColorMarkerValue);
}

void TbsSkinSpeedButton::CreateButtonImage(TBitmap* B, TRect R, bool ADown, bool AMouseIn)
{
    const bool stretched = !UseSkinSize && ResizeMode != 1;
    TRect content = NewClRect;
    if (!stretched) {
        DrawSkinPicture(B, Picture, R);
    } else if (Picture) {
        if (ResizeMode == 0)
            CopyPiece(B, Rect(0, 0, R.Width(), R.Height()), Picture, R);
        else if (ResizeMode == 2 || ResizeMode == 3)
            CreateStretchSkinImage(B, Picture, R, ClRect, true);
        content = Rect(ClRect.Left, ClRect.Top, ClRect.Right + B->Width() - R.Width(),
                       ClRect.Bottom + B->Height() - R.Height());
    }
    TCanvas* c = B->Canvas();
    PrepareSkinFont(c, ADown, AMouseIn);
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, NewClRect, ADown, AMouseIn, drawDefault);
    if (!drawDefault)
        return;
    // The picture-grid item and the tool bar's images stay in the skin's
    // client part; the own list and the glyph follow the stretched one.
    const bool menuOrBar = (FSkinImagesMenu && FUseImagesMenuImage) || (FGlyph.Empty() && ToolBar());
    c->Brush()->SetStyle(platform::bsClear);
    DrawContent(c, menuOrBar ? NewClRect : content, ADown, AMouseIn, false);
}

// The content straight onto the parent, no picture beneath it.
void TbsSkinSpeedButton::DrawTransparentContent(TCanvas* C, const TRect& R)
{
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, C, R, FDown, FMouseIn, drawDefault);
    if (!drawDefault)
        return;
    C->Brush()->SetStyle(platform::bsClear);
    DrawContent(C, R, FDown, FMouseIn, true);
}

void TbsSkinSpeedButton::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    TCanvas* c = Canvas();
    if (FIndex == -1) {
        if (DownLook() || FMouseIn || !Transparent()) {
            TbsGraphicSkinCustomControl::Paint();
            return;
        }
        AssignCaptionFont(c->Font(), DefaultFont(), FSD, false, *this);
        if (!Enabled())
            c->Font()->SetColor(platform::clBtnShadow);
        DrawTransparentContent(c, ClientRect());
        return;
    }
    int w = Width(), h = Height();
    CalcSkinLayout(w, h);
    if (MorphingActive() && FMorph.Midway() && !Transparent()) {
        FMorph.Paint(Canvas(), Width(), Height(), MorphKind, [this](TBitmap* B, bool AHot) {
            CreateButtonImage(B, AHot ? ActiveSkinRect : SkinRect, false, AHot);
        });
        return;
    }
    TBitmap b;
    b.SetSize(Width(), Height());
    if (FMenuTracked || DownLook()) {
        CreateButtonImage(&b, DownSkinRect, true, true);
    } else if (FMouseIn || (MorphingActive() && FMorph.Kf() == 1)) {
        CreateButtonImage(&b, ActiveSkinRect, false, true);
    } else if (Transparent()) {
        AssignCaptionFont(c->Font(), DefaultFont(), FSD, UseSkinFont, *this);
        const TbsSkinColors& colors = FSD->SkinColors();
        c->Font()->SetColor(!Enabled()        ? colors.cBtnShadow()
                            : UseSkinFontColor ? colors.cBtnText()
                                               : DefaultFont()->Color());
        DrawTransparentContent(c, NewClRect);
        return;
    } else {
        CreateButtonImage(&b, Enabled() || DisabledSkinRect.IsEmpty() ? SkinRect : DisabledSkinRect, false, false);
    }
    c->Draw(0, 0, &b);
}

void TbsSkinSpeedButton::CreateControlDefaultImage(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    const TRect r = Rect(0, 0, Width(), Height());
    if (DownLook() || FMouseIn) {
        DrawBuiltInState(c, r, DownLook(), FMouseIn);
    } else if (IsDesigning() || !FFlat) {
        TRect f = r;
        platform::Frame3D(c, f, DarkerColor(platform::clBtnFace, 15), DarkerColor(platform::clBtnFace, 15), 1);
        c->Brush()->SetStyle(platform::bsSolid);
        c->Brush()->SetColor(platform::clBtnFace);
        c->FillRect(f);
    } else if (!Transparent()) {
        c->Brush()->SetStyle(platform::bsSolid);
        c->Brush()->SetColor(platform::clBtnFace);
        c->FillRect(r);
    }
    AssignCaptionFont(c->Font(), DefaultFont(), FSD, false, *this);
    if (!Enabled())
        c->Font()->SetColor(platform::clBtnShadow);
    bool drawDefault = true;
    if (OnPaint)
        OnPaint(this, c, r, FDown, FMouseIn, drawDefault);
    if (!drawDefault)
        return;
    c->Brush()->SetStyle(platform::bsClear);
    DrawContent(c, r, FDown, FMouseIn, false);
}

} // namespace skin
