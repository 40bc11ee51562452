// The layered border windows around a skinned form.

#include "skin/form/bsSkinForm_LayerBorder.h"

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <cmath>

namespace skin {

using namespace platform;

namespace {

// Stretching copy of S of ASource onto D of ADest, alpha included.
void CopyStretched(TbsBitmap& ADest, const TRect& D, const TbsBitmap& ASource, const TRect& S)
{
    const int dw = RectWidth(D), dh = RectHeight(D), sw = RectWidth(S), sh = RectHeight(S);
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    for (int y = 0; y < dh; ++y) {
        const int dy = D.Top + y, sy = S.Top + y * sh / dh;
        if (dy < 0 || dy >= ADest.Height() || sy < 0 || sy >= ASource.Height())
            continue;
        for (int x = 0; x < dw; ++x) {
            const int dx = D.Left + x, sx = S.Left + x * sw / dw;
            if (dx >= 0 && dx < ADest.Width() && sx >= 0 && sx < ASource.Width())
                *ADest.GetPixelPtr(dx, dy) = *ASource.GetPixelPtr(sx, sy);
        }
    }
}

// Copies of S tiled downward over D, the last one cut.
void TileDown(TbsBitmap& ADest, const TRect& D, const TbsBitmap& ASource, const TRect& S)
{
    const int h = RectHeight(S);
    if (h <= 0)
        return;
    for (int y = D.Top; y < D.Bottom; y += h) {
        const int rows = IntMin(h, D.Bottom - y);
        CopyStretched(ADest, TRect{D.Left, y, D.Right, y + rows}, ASource, TRect{S.Left, S.Top, S.Right, S.Top + rows});
    }
}

std::unique_ptr<TbsBitmap> LayerPicture(TbsSkinData& ASD, int APicture, int AMask)
{
    TbsPicture* picture = ActivePicture(ASD, APicture);
    if (!picture)
        return nullptr;
    auto b = std::make_unique<TbsBitmap>();
    if (TbsPicture* mask = ActivePicture(ASD, AMask))
        TbsLayerManager::MakeLayerBitmap(picture, mask, *b);
    else {
        b->Assign(picture);
        b->SetAlpha(255);
    }
    return b;
}

// Round half to even, as the alpha scaling of the record asks.
int ScaleAlpha(int AValue, int AFormAlpha)
{
    return int(std::nearbyint(double(AValue) * AFormAlpha / 255.0));
}

} // namespace

void TbsFormLayerWindow::WndProc(TMessage& AMessage)
{
    switch (AMessage.Msg) {
    case WM_ERASEBKGND: AMessage.Result = 1; return;
    case WM_PAINT: {
        TPaintStruct ps;
        BeginPaint(Handle(), ps);
        EndPaint(Handle(), ps);
        AMessage.Result = 0;
        return;
    }
    default: TbsLayerWindow::WndProc(AMessage); return;
    }
}

TbsFormLayerBorder::TbsFormLayerBorder(TbsSkinForm* AOwner) : TComponent(AOwner), BSF(AOwner) {}

TbsFormLayerBorder::~TbsFormLayerBorder() = default;

void TbsFormLayerBorder::InitFrame(TbsSkinData* ASkinData, TCustomForm* AForm)
{
    FSD = ASkinData;
    FForm = AForm;
    FData = nullptr;
    FSource.reset();
    FInActiveSource.reset();
    LeftSize = TopSize = RightSize = BottomSize = 0;
    if (!FSD || FSD->Empty() || !FSD->LayerFrame || FSD->LayerFrame->PictureIndex == -1)
        return;
    BuildSources();
    if (!FSource)
        return;
    FData = FSD->LayerFrame.get();
    FCurrentAlphaBlendValue = FData->AlphaBlendValue;
    FCurrentInActiveAlphaBlendValue = FData->InActiveAlphaBlendValue;
    if (!IsNullRect(FData->BorderRect)) {
        LeftSize = FData->ClRect.Left - FData->BorderRect.Left;
        TopSize = FData->ClRect.Top - FData->BorderRect.Top;
        RightSize = FData->BorderRect.Right - FData->ClRect.Right;
        BottomSize = FData->BorderRect.Bottom - FData->ClRect.Bottom;
    }
}

void TbsFormLayerBorder::BuildSources()
{
    const TbsDataSkinLayerFrame& d = *FSD->LayerFrame;
    FSource = LayerPicture(*FSD, d.PictureIndex, d.MaskPictureIndex);
    FInActiveSource = LayerPicture(*FSD, d.InActivePictureIndex, d.InActiveMaskPictureIndex);
}

TbsBitmap* TbsFormLayerBorder::Source()
{
    return !FActive && FInActiveSource ? FInActiveSource.get() : FSource.get();
}

TRect TbsFormLayerBorder::LayerRect(int ALeft, int ATop, int AWidth, int AHeight) const
{
    if (!FData || !FSource)
        return TRect{};
    const int picW = FSource->Width(), picH = FSource->Height();
    const int x = ALeft + FData->LeftOffset - FData->ClRect.Left;
    const int y = ATop + FData->TopOffset - FData->ClRect.Top;
    const int w = AWidth + FData->WidthOffset + picW - RectWidth(FData->ClRect);
    const int h = AHeight + FData->HeightOffset + picH - RectHeight(FData->ClRect);
    return TRect{x, y, x + w, y + h};
}

void TbsFormLayerBorder::CreateBorderImages(int AWidth, int AHeight)
{
    TbsBitmap& p = *Source();
    const TbsDataSkinLayerFrame& d = *FData;
    const int picW = p.Width(), picH = p.Height(), w = AWidth, h = AHeight;
    const int rightW = picW - d.RTPoint.X;
    const int topH = IntMax(d.LTPoint.Y, d.RTPoint.Y);
    TbsBitmap& top = Images[bsflTop];
    top.SetSize(w, topH);
    top.Clear(0);
    CopyStretched(top, TRect{0, 0, d.LTPoint.X, topH}, p, TRect{0, 0, d.LTPoint.X, topH});
    CopyStretched(top, TRect{w - rightW, 0, w, topH}, p, TRect{d.RTPoint.X, 0, picW, topH});
    CopyStretched(top, TRect{d.LTPoint.X, 0, w - rightW, topH}, p, TRect{d.LTPoint.X, 0, d.RTPoint.X, topH});
    // A form lower than both strips shows the lowest rows of the bottom one.
    int bh = picH - IntMin(d.LBPoint.Y, d.RBPoint.Y);
    if (topH + bh > h)
        bh = IntMax(h - topH, 0);
    const int bRightW = picW - d.RBPoint.X;
    TbsBitmap& bottom = Images[bsflBottom];
    bottom.SetSize(w, bh);
    bottom.Clear(0);
    CopyStretched(bottom, TRect{0, 0, d.LBPoint.X, bh}, p, TRect{0, picH - bh, d.LBPoint.X, picH});
    CopyStretched(bottom, TRect{w - bRightW, 0, w, bh}, p, TRect{d.RBPoint.X, picH - bh, picW, picH});
    CopyStretched(bottom, TRect{d.LBPoint.X, 0, w - bRightW, bh}, p, TRect{d.LBPoint.X, picH - bh, d.RBPoint.X, picH});
    const int sh = h - topH - bh;
    const int sideW[2] = {d.ClRect.Left, picW - d.ClRect.Right};
    const TbsFormLayerBorderType sides[2] = {bsflLeft, bsflRight};
    for (int i = 0; i < 2; ++i) {
        TbsBitmap& side = Images[sides[i]];
        if (sh <= 0 || sideW[i] <= 0) {
            side.SetSize(0, 0);
            continue;
        }
        side.SetSize(sideW[i], sh);
        side.Clear(0);
        const int left = i == 0 ? 0 : picW - sideW[i];
        const TRect strip{left, topH, left + sideW[i], picH - bh};
        if (d.FullStretch)
            CopyStretched(side, TRect{0, 0, sideW[i], sh}, p, strip);
        else
            TileDown(side, TRect{0, 0, sideW[i], sh}, p, strip);
    }
    for (TbsBitmap& image : Images)
        if (!image.Empty())
            image.CheckRGBA();
}

TPoint TbsFormLayerBorder::StripPosition(TbsFormLayerBorderType AType, int X, int Y, int AWidth, int AHeight) const
{
    const int topH = Images[bsflTop].Height();
    switch (AType) {
    case bsflTop: return Point(X, Y);
    case bsflBottom: return Point(X, Y + AHeight - Images[bsflBottom].Height());
    case bsflLeft: return Point(X, Y + topH);
    case bsflRight: return Point(X + AWidth - Images[bsflRight].Width(), Y + topH);
    }
    return Point(X, Y);
}

void TbsFormLayerBorder::PutImages(bool AMove, int X, int Y)
{
    const uint8_t alpha = uint8_t(FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue);
    for (int i = 0; i < 4; ++i) {
        TbsFormLayerWindow* window = Windows[size_t(i)].get();
        TbsBitmap& image = Images[size_t(i)];
        if (!window)
            continue;
        // A side strip without rows (a form lower than the top and bottom
        // strips) has no window to show.
        if (image.Empty() || image.Width() <= 0 || image.Height() <= 0) {
            window->SetVisible(false);
            continue;
        }
        if (AMove) {
            const TPoint at = StripPosition(TbsFormLayerBorderType(i), X, Y, FWidth, FHeight);
            window->SetBounds(at.X, at.Y, image.Width(), image.Height());
        }
        // Shown first: a display shows only what reaches a mapped window.
        if (!window->Visible()) {
            window->SetVisible(true);
            SetWindowPos(window->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        TbsLayerManager::UpdateLayeredBitmap(image, alpha, window);
    }
}

void TbsFormLayerBorder::Show(int X, int Y, int AWidth, int AHeight)
{
    if (!FData)
        return;
    FWidth = AWidth;
    FHeight = AHeight;
    FVisible = true;
    CreateBorderImages(AWidth, AHeight);
    for (size_t i = 0; i < Windows.size(); ++i) {
        auto& w = Windows[i];
        w = std::make_unique<TbsFormLayerWindow>(nullptr);
        w->BorderType = TbsFormLayerBorderType(i);
        w->SetVisible(false);
        const HWND h = w->Handle();
        SetWindowLong(h, GWL_EXSTYLE, GetWindowLong(h, GWL_EXSTYLE) | WS_EX_LAYERED);
    }
    PutImages(true, X, Y);
}

void TbsFormLayerBorder::Hide()
{
    FVisible = false;
    for (auto& w : Windows)
        w.reset();
    for (TbsBitmap& image : Images)
        image.SetSize(0, 0);
}

void TbsFormLayerBorder::SetBounds(int X, int Y, int AWidth, int AHeight)
{
    if (!FData || !FVisible)
        return;
    FWidth = AWidth;
    FHeight = AHeight;
    CreateBorderImages(AWidth, AHeight);
    PutImages(true, X, Y);
}

void TbsFormLayerBorder::MoveTo(int X, int Y)
{
    if (!FData || !FVisible)
        return;
    for (int i = 0; i < 4; ++i)
        if (TbsFormLayerWindow* window = Windows[size_t(i)].get(); window && window->Visible()) {
            const TPoint at = StripPosition(TbsFormLayerBorderType(i), X, Y, FWidth, FHeight);
            window->SetBounds(at.X, at.Y, window->Width(), window->Height());
        }
}

void TbsFormLayerBorder::ShowWithForm()
{
    const TRect r = LayerRect(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    Show(r.Left, r.Top, r.Width(), r.Height());
}

void TbsFormLayerBorder::SetBoundsWithForm()
{
    const TRect r = LayerRect(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TbsFormLayerBorder::MoveWithForm()
{
    const TRect r = LayerRect(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    MoveTo(r.Left, r.Top);
}

void TbsFormLayerBorder::SetAlphaBlend()
{
    if (!FData || !FVisible)
        return;
    PutImages(false, 0, 0);
}

void TbsFormLayerBorder::CheckFormAlpha(int AFormAlpha, bool AUpdate)
{
    if (!FData)
        return;
    FCurrentAlphaBlendValue = ScaleAlpha(FData->AlphaBlendValue, AFormAlpha);
    FCurrentInActiveAlphaBlendValue = ScaleAlpha(FData->InActiveAlphaBlendValue, AFormAlpha);
    if (AUpdate)
        SetAlphaBlend();
}

// The strips change with the state when the skin has an inactive picture.
void TbsFormLayerBorder::SetActive(bool AValue, bool AUpdate)
{
    FActive = AValue;
    if (!FVisible)
        return;
    if (FInActiveSource)
        SetBoundsWithForm();
    else if (AUpdate)
        SetAlphaBlend();
}

} // namespace skin
