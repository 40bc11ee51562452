// Painting of the non-client frame (skinned and unskinned) and of the
// client background.

#include "skin/form/bsSkinForm.h"

#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

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

} // namespace

bool TbsSkinForm::UseAutoInActiveImage() const
{
    return HasSkin() && FSD->AutoRenderingInActiveImage;
}

void TbsSkinForm::PaintNCSkin(HDC ADC, bool AUseExternalDC)
{
    TakeFormSize();
    if (!HasSkin() || FFormWidth < GetMinWidth() || FFormHeight < GetMinHeight())
        return;
    CalcSkinPoints();
    if (OnCalcObjectRects)
        OnCalcObjectRects();
    TbsPicture* source = FSD->FPicture.get();
    if (!GetFormActive() && FSD->FInActivePicture && !FSD->FInActivePicture->Empty())
        source = FSD->FInActivePicture.get();
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(FSD->LTPoint, FSD->RTPoint, FSD->LBPoint, FSD->RBPoint, FSD->ClRect, NewLTPoint, NewRTPoint,
                           NewLBPoint, NewRBPoint, NewClRect, &left, &top, &right, &bottom, source,
                           TRect{0, 0, source->Width(), source->Height()}, FFormWidth, FFormHeight, FSD->LeftStretch,
                           FSD->TopStretch, FSD->RightStretch, FSD->BottomStretch);
    if (OnDrawFrameObjects) {
        OnDrawFrameObjects(top.Canvas(), TPoint{0, 0});
        OnDrawFrameObjects(bottom.Canvas(), TPoint{0, NewClRect.Bottom});
    }
    TFrameCanvas frame(FForm->Handle(), ADC, AUseExternalDC);
    if (!frame.DC())
        return;
    if (RectHeight(NewClRect) > 0)
        ExcludeClipRect(frame.DC(), NewClRect.Left, NewClRect.Top, NewClRect.Right, NewClRect.Bottom);
    TCanvas* c = frame.Canvas();
    c->Draw(0, 0, &top);
    c->Draw(0, top.Height(), &left);
    c->Draw(FFormWidth - right.Width(), top.Height(), &right);
    c->Draw(0, FFormHeight - bottom.Height(), &bottom);
}

void TbsSkinForm::DrawCaptionText(TCanvas* ACanvas, int AWidth)
{
    std::string text = FForm->Caption();
    if (text.empty())
        return;
    const int left = NewDefCaptionRect.Left - 3, right = AWidth - NewDefCaptionRect.Right;
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
    CalcDefRects();
    TBitmap caption;
    caption.SetSize(std::max(FFormWidth - 6, 0), DefCaptionHeight());
    TCanvas* cc = caption.Canvas();
    cc->Brush()->SetColor(clBtnFace);
    cc->FillRect(TRect{0, 0, caption.Width(), caption.Height()});
    cc->Font()->Assign(GetFormActive() ? &FDefCaptionFont : &FDefInActiveCaptionFont);
    DrawCaptionText(cc, caption.Width());
    if (OnDrawFrameObjects)
        OnDrawFrameObjects(cc, TPoint{3, 3});
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

void TbsSkinForm::PaintBGDefault(HDC DC)
{
    if (!DC)
        return;
    TCanvas c;
    c.SetHandle(DC);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(FForm->ClientRect());
    c.SetHandle(nullptr);
}

// The client part of the frame picture, tiled from the client's top-left.
void TbsSkinForm::PaintBG(HDC DC)
{
    if (!DC || !HasSkin())
        return;
    TCanvas c;
    c.SetHandle(DC);
    const TRect client = FForm->ClientRect();
    if (IsNullRect(FSD->ClRect)) {
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(client);
    } else {
        TBitmap tile;
        const int w = RectWidth(FSD->ClRect), h = RectHeight(FSD->ClRect);
        tile.SetSize(w, h);
        tile.Canvas()->CopyRect(TRect{0, 0, w, h}, FSD->FPicture->Canvas(), FSD->ClRect);
        if (FSD->StretchEffect && RectWidth(client) > 0 && RectHeight(client) > 0)
            c.StretchDraw(client, &tile);
        else
            for (int y = 0; y <= RectHeight(client) / h; ++y)
                for (int x = 0; x <= RectWidth(client) / w; ++x)
                    c.Draw(x * w, y * h, &tile);
    }
    c.SetHandle(nullptr);
}

} // namespace skin
