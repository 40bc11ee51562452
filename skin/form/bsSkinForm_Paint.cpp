// Painting of the non-client frame (skinned and unskinned) and of the
// client background.

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsRibbon.h"

#include "skin/core/bseffects_EffectBmp.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"
#include "skin/controls/bsSkinCtrls_Base.h"

#include "platform/controls/SystemIcons.h"
#include "platform/gfx/Gdi.h"
#include "platform/ui/Paint.h"

namespace skin {

using namespace platform;

namespace {

// A canvas over a DC: the given one, or the form's window DC released
// afterwards.
class TFrameCanvas {
public:
    TFrameCanvas(HWND AWnd, HDC ADC, bool AUseExternalDC)
        : FWnd(AWnd), FDC(AUseExternalDC ? ADC : GetWindowDC(AWnd)), FOwnDC(!AUseExternalDC)
    {
        FCanvas.SetHandle(FDC);
    }
    ~TFrameCanvas()
    {
        FCanvas.SetHandle(nullptr);
        if (FOwnDC && FDC)
            ReleaseDC(FWnd, FDC);
    }
    TCanvas* Canvas() { return &FCanvas; }
    HDC DC() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
    bool FOwnDC;
    TCanvas FCanvas;
};

// The inactive look a skin may ask for instead of an inactive picture.
void ApplyInActiveEffect(TbsEffectBmp& AImage, TbsInActiveEffect AEffect)
{
    switch (AEffect) {
    case ieBrightness: AImage.ChangeBrightness(0.5); break;
    case ieDarkness: AImage.ChangeDarkness(0.3); break;
    case ieGrayScale: AImage.GrayScale(); break;
    case ieNoise: AImage.AddMonoNoise(50); break;
    case ieSplitBlur: AImage.SplitBlur(1); break;
    case ieInvert: AImage.Invert(); break;
    }
}

} // namespace

bool TbsSkinForm::UseAutoInActiveImage() const
{
    return HasSkin() && FSD->AutoRenderingInActiveImage;
}

bool TbsSkinForm::HasAppMenuCaption()
{
    TbsAppMenu* menu = FSkinRibbon ? FSkinRibbon->AppMenu() : nullptr;
    return menu && menu->Visible() && menu->CanDrawAppMenuCaption() && !FullBorderFrame();
}

void TbsSkinForm::DrawAppMenuCaption(TCanvas* Cnvs, const TRect& R)
{
    if (FSkinRibbon && FSkinRibbon->AppMenu())
        FSkinRibbon->AppMenu()->DrawAppMenuCaption(Cnvs, R);
}

int TbsSkinForm::GetAppMenuCaptionOffset()
{
    return FSkinRibbon && FSkinRibbon->AppMenu() ? FSkinRibbon->AppMenu()->GetAppMenuCaptionOffset() : 0;
}

bool TbsSkinForm::CoveredByAppMenuCaption(const TRect& R)
{
    return R.Left < GetAppMenuCaptionOffset() && HasAppMenuCaption();
}

void TbsSkinForm::PaintNCSkin(HDC ADC, bool AUseExternalDC)
{
    TakeFormSize();
    if (!HasSkin() || FFormWidth < GetMinWidth() || FFormHeight < GetMinHeight())
        return;
    CalcSkinPoints();
    CalcObjectRects();
    TbsPicture* source = FSD->FPicture.get();
    if (!GetFormActive() && FSD->FInActivePicture && !FSD->FInActivePicture->Empty())
        source = FSD->FInActivePicture.get();
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(FSD->LTPoint, FSD->RTPoint, FSD->LBPoint, FSD->RBPoint, FSD->ClRect, NewLTPoint, NewRTPoint,
                           NewLBPoint, NewRBPoint, NewClRect, &left, &top, &right, &bottom, source,
                           TRect{0, 0, source->Width(), source->Height()}, FFormWidth, FFormHeight, FSD->LeftStretch,
                           FSD->TopStretch, FSD->RightStretch, FSD->BottomStretch);
    // Objects above the client area go into the top strip, the others into
    // the bottom one (moved to its coordinates while they draw).
    for (auto& o : ObjectList) {
        if (!o->Visible)
            continue;
        if (o->ObjectRect.Bottom <= NewClRect.Top)
            o->Draw(top.Canvas(), false);
        else {
            const TRect saved = o->ObjectRect;
            o->ObjectRect = OffsetRect(saved, 0, -NewClRect.Bottom);
            o->Draw(bottom.Canvas(), false);
            o->ObjectRect = saved;
        }
    }
    if (HasAppMenuCaption())
        DrawAppMenuCaption(top.Canvas(), TRect{0, 0, FSkinRibbon->AppMenu()->ItemWidth(), top.Height()});
    TFrameCanvas frame(FForm->Handle(), ADC, AUseExternalDC);
    if (!frame.DC())
        return;
    if (RectHeight(NewClRect) > 0)
        ExcludeClipRect(frame.DC(), NewClRect.Left, NewClRect.Top, NewClRect.Right, NewClRect.Bottom);
    const std::pair<TBitmap*, TPoint> strips[] = {{&top, TPoint{0, 0}},
                                                  {&left, TPoint{0, top.Height()}},
                                                  {&right, TPoint{FFormWidth - right.Width(), top.Height()}},
                                                  {&bottom, TPoint{0, FFormHeight - bottom.Height()}}};
    const bool effect = !GetFormActive() && UseAutoInActiveImage();
    for (const auto& [strip, at] : strips) {
        if (strip->Width() <= 0 || strip->Height() <= 0)
            continue;
        if (effect) {
            std::unique_ptr<TbsEffectBmp> image(TbsEffectBmp::CreateFromhWnd(strip->Handle()));
            ApplyInActiveEffect(*image, FSD->InActiveEffect);
            image->Draw(frame.DC(), at.X, at.Y);
        } else
            frame.Canvas()->Draw(at.X, at.Y, strip);
    }
}

void TbsSkinForm::DrawCaptionText(TCanvas* ACanvas, int AWidth)
{
    const int left = NewDefCaptionRect.Left - 3, right = AWidth - NewDefCaptionRect.Right;
    if (OnCaptionPaint) {
        OnCaptionPaint(ACanvas, TRect{left, 0, AWidth - right - 3, DefCaptionHeight()}, GetFormActive());
        return;
    }
    std::string text = CaptionText();
    if (text.empty())
        return;
    const int available = AWidth - left - right;
    EllipsizeWideText(ACanvas, text, available);
    const int x = left + available / 2 - (WideTextWidth(ACanvas, text) + 5) / 2;
    const int y = DefCaptionHeight() / 2 - WideTextHeight(ACanvas, text) / 2;
    TRect r{x, y, x, y};
    WideDrawText(ACanvas, text, r, DT_CALCRECT);
    ACanvas->FillRect(TRect{r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2});
    WideDrawText(ACanvas, text, r, DT_VCENTER);
}

void TbsSkinForm::PaintNCDefault(HDC ADC, bool AUseExternalDC)
{
    if (FSD && FSD->ChangeSkinDataProcess())
        return;
    TakeFormSize();
    if (ObjectList.empty() && !HasSkin())
        CreateDefaultObjects();
    CalcDefRects();
    TBitmap caption;
    caption.SetSize(std::max(FFormWidth - 6, 0), DefCaptionHeight());
    TCanvas* cc = caption.Canvas();
    cc->Brush()->SetColor(clBtnFace);
    cc->FillRect(TRect{0, 0, caption.Width(), caption.Height()});
    cc->Font()->Assign(GetFormActive() ? &FDefCaptionFont : &FDefInActiveCaptionFont);
    DrawCaptionText(cc, caption.Width());
    for (auto& o : ObjectList) {
        if (!o->Visible)
            continue;
        const TRect saved = o->ObjectRect;
        o->ObjectRect = OffsetRect(saved, -3, -3);
        o->Draw(cc, true);
        o->ObjectRect = saved;
    }
    TFrameCanvas frame(FForm->Handle(), ADC, AUseExternalDC);
    if (!frame.DC())
        return;
    ExcludeClipRect(frame.DC(), 3, DefCaptionHeight() + 3, FFormWidth - 3, FFormHeight - 3);
    TCanvas* c = frame.Canvas();
    c->Draw(3, 3, &caption);
    const TColor frames[] = {cl3DDkShadow, clBtnFace, clBtnFace};
    for (int i = 0; i < 3; ++i) {
        c->Brush()->SetColor(frames[i]);
        c->FrameRect(TRect{i, i, FFormWidth - i, FFormHeight - i});
    }
}

void TbsSkinForm::DrawSkinObject(TbsActiveSkinObject* AObject)
{
    if (AObject && FullBorderShown()) {
        FBorderLayer->UpdateBorder();
        return;
    }
    if (!AObject || !FForm->HandleAllocated() || FForm->BorderStyle() == bsNone ||
        (FForm->FormStyle() == fsMDIChild && FWindowState == wsMaximized))
        return;
    TFrameCanvas frame(FForm->Handle(), nullptr, false);
    if (!frame.DC())
        return;
    AObject->Draw(frame.Canvas(), true);
}

// The form's icon, else the application's, else the window system's
// application icon, at the small icon size.
void TbsSkinForm::DrawFormIcon(TCanvas* ACanvas, int X, int Y)
{
    TBitmap* icon = !FForm->Icon()->Empty()          ? FForm->Icon()
                    : !Application()->Icon()->Empty() ? Application()->Icon()
                                                      : SystemApplicationIcon();
    int w, h;
    GetSmallIconSize(w, h);
    ACanvas->StretchDraw(Rect(X, Y, X + w, Y + h), icon);
}

bool TbsSkinForm::CheckIconAlpha()
{
    int w, h;
    GetSmallIconSize(w, h);
    TbsBitmap icon;
    icon.SetSize(w, h);
    icon.Clear(0);
    DrawFormIcon(icon.Canvas(), 0, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (*icon.GetPixelPtr(x, y) >> 24)
                return true;
    return false;
}

std::string TbsSkinForm::CaptionText() const
{
    if (FForm->FormStyle() == fsMDIForm && FMDIChildMaximized)
        if (TCustomForm* child = const_cast<TbsSkinForm*>(this)->FindMaximizedMDIChild())
            return FForm->Caption() + " - [" + child->Caption() + "]";
    return FForm->Caption();
}

void TbsSkinForm::PaintBGDefault(HDC DC)
{
    if (!DC)
        return;
    TCanvas c;
    c.SetHandle(DC);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(FForm->ClientRect());
    DrawLogo(&c);
    c.SetHandle(nullptr);
}

void TbsSkinForm::DrawLogo(TCanvas* ACanvas)
{
    if (FLogoBitMap.Empty())
        return;
    const TRect client = FForm->ClientRect();
    const int x = IntMax(client.Width() / 2 - FLogoBitMap.Width() / 2, 0);
    const int y = IntMax(client.Height() / 2 - FLogoBitMap.Height() / 2, 0);
    if (FLogoBitMap.Transparent() != LogoBitMapTransparent)
        FLogoBitMap.SetTransparent(LogoBitMapTransparent);
    ACanvas->Draw(x, y, &FLogoBitMap);
}

// B covers the client area: stretched over it, stretched along one axis
// and repeated along the other, or tiled from the top-left.
void TbsSkinForm::PaintClientPicture(TCanvas* ACanvas, TBitmap* B, bool AStretch, TbsStretchType AType)
{
    const TRect client = FForm->ClientRect();
    const int w = B->Width(), h = B->Height();
    if (w <= 0 || h <= 0)
        return;
    if (AStretch && client.Width() > 0 && client.Height() > 0) {
        if (AType == bsstFull)
            ACanvas->StretchDraw(client, B);
        else if (AType == bsstHorz)
            for (int i = 0; i <= FFormWidth / w; ++i)
                ACanvas->StretchDraw(TRect{i * w, 0, i * w + w, FFormHeight}, B);
        else
            for (int i = 0; i <= FFormHeight / h; ++i)
                ACanvas->StretchDraw(TRect{0, i * h, FFormWidth, i * h + h}, B);
    } else
        for (int y = 0; y <= client.Height() / h; ++y)
            for (int x = 0; x <= client.Width() / w; ++x)
                ACanvas->Draw(x * w, y * h, B);
    DrawLogo(ACanvas);
}

// The client part of the frame picture.
void TbsSkinForm::PaintBG(HDC DC)
{
    if (!DC || !HasSkin())
        return;
    TCanvas c;
    c.SetHandle(DC);
    if (IsNullRect(FSD->ClRect)) {
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(FForm->ClientRect());
    } else {
        TBitmap tile;
        const int w = RectWidth(FSD->ClRect), h = RectHeight(FSD->ClRect);
        tile.SetSize(w, h);
        tile.Canvas()->CopyRect(TRect{0, 0, w, h}, FSD->FPicture->Canvas(), FSD->ClRect);
        PaintClientPicture(&c, &tile, FSD->StretchEffect, FSD->StretchType);
    }
    c.SetHandle(nullptr);
}

// The skin's background picture.
void TbsSkinForm::PaintBG2(HDC DC)
{
    if (!DC || !HasSkin())
        return;
    TbsPicture* picture = ActivePicture(*FSD, FSD->BGPictureIndex);
    if (!picture)
        return PaintBG(DC);
    TCanvas c;
    c.SetHandle(DC);
    PaintClientPicture(&c, picture, FSD->StretchEffect, FSD->StretchType);
    c.SetHandle(nullptr);
}

} // namespace skin
