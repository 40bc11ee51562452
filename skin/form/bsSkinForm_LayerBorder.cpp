// The layered border windows around a skinned form.

#include "skin/form/bsSkinForm_LayerBorder.h"

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/controls/bsSkinHint.h"
#include "skin/core/bsUtils_Probes.h"
#include "skin/core/bsUtils_Text.h"

#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <algorithm>
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

// Round half to even, as the alpha scaling of the record asks.
int ScaleAlpha(int AValue, int AFormAlpha)
{
    return int(std::nearbyint(double(AValue) * AFormAlpha / 255.0));
}

} // namespace

TbsFormLayerBorder::TbsFormLayerBorder(TbsSkinForm* AOwner) : TComponent(AOwner), BSF(AOwner)
{
    MouseTimer = new TTimer(this);
    MouseTimer->SetEnabled(false);
    MouseTimer->SetInterval(500);
    MouseTimer->SetOnTimer([this](TObject*) { MouseTimerEvent(); });
}

TbsFormLayerBorder::~TbsFormLayerBorder()
{
    FBusy = 0;
    for (auto& w : Windows)
        w.reset();
    FRetired.clear();
    DeleteMaskRegions();
    DeleteBlurRegions();
}

void TbsFormLayerBorder::InitFrame(TbsSkinData* ASkinData, TCustomForm* AForm)
{
    FSD = ASkinData;
    FForm = AForm;
    FData = nullptr;
    LeftSize = TopSize = RightSize = BottomSize = 0;
    OldActiveObject = ActiveObject = MouseCaptureObject = -1;
    DeleteMaskRegions();
    DeleteBlurRegions();
    // A frame whose picture or mask is missing has no picture to cut.
    if (!FSD || FSD->Empty() || !FSD->LayerFrame || FSD->LayerFrame->PictureIndex == -1 ||
        !FSD->LayerFrame->FSourceBitmap)
        return;
    FData = FSD->LayerFrame.get();
    // Composition is what the desktop needs to blur; the newest generation
    // of the desktop this skin format knows never blurred.
    FIsAeroEnabled = IsDwmCompositionEnabled() && !IsWindows8();
    FCurrentAlphaBlendValue = FData->AlphaBlendValue;
    FCurrentInActiveAlphaBlendValue = FData->InActiveAlphaBlendValue;
    if (FData->FullBorder)
        BSF->IsAlphaIcon = BSF->CheckIconAlpha();
    if (!IsNullRect(FData->BorderRect)) {
        LeftSize = FData->ClRect.Left - FData->BorderRect.Left;
        TopSize = FData->ClRect.Top - FData->BorderRect.Top;
        RightSize = FData->BorderRect.Right - FData->ClRect.Right;
        BottomSize = FData->BorderRect.Bottom - FData->ClRect.Bottom;
        const TRect& b = FData->BorderRect;
        HitTopLeftX = FData->HitTestLTPoint.X - b.Left;
        HitTopLeftY = FData->HitTestLTPoint.Y - b.Top;
        HitTopRightX = b.Right - FData->HitTestRTPoint.X;
        HitTopRightY = FData->HitTestRTPoint.Y - b.Top;
        HitBottomLeftX = FData->HitTestLBPoint.X - b.Left;
        HitBottomLeftY = b.Bottom - FData->HitTestLBPoint.Y;
        HitBottomRightX = b.Right - FData->HitTestRBPoint.X;
        HitBottomRightY = b.Bottom - FData->HitTestRBPoint.Y;
    }
    CreateMaskRegions();
}

TbsBitmap* TbsFormLayerBorder::Source() const
{
    if (!FData)
        return nullptr;
    return !FActive && FData->FSourceInActiveBitMap ? FData->FSourceInActiveBitMap.get() : FData->FSourceBitmap.get();
}

TRect TbsFormLayerBorder::LayerRect(int ALeft, int ATop, int AWidth, int AHeight) const
{
    if (!FData)
        return TRect{};
    const int picW = FData->FSourceBitmap->Width(), picH = FData->FSourceBitmap->Height();
    const int x = ALeft + FData->LeftOffset - FData->ClRect.Left;
    const int y = ATop + FData->TopOffset - FData->ClRect.Top;
    const int w = AWidth + FData->WidthOffset + picW - RectWidth(FData->ClRect);
    // A rolled-up form, or one minimized into the frame's own slot, is as
    // high as the full border says.
    const bool rolled = FData->FullBorder && (BSF->RollUpState() || (BSF->WindowState() == wsMinimized &&
                                                                      !BSF->MinimizeDefault && !BSF->IsMainForm()));
    const int formH = rolled ? FData->RollUpFormHeight : AHeight + FData->HeightOffset;
    const int h = formH + picH - RectHeight(FData->ClRect);
    return TRect{x, y, x + w, y + h};
}

void TbsFormLayerBorder::CreateBorderImages(int AWidth, int AHeight)
{
    TbsBitmap& p = *Source();
    const TbsDataSkinLayerFrame& d = *FData;
    const int picW = p.Width(), picH = p.Height(), w = AWidth, h = AHeight;
    const int rightW = picW - d.RTPoint.X;
    const int topH = IntMax(d.LTPoint.Y, d.RTPoint.Y);
    for (auto& image : Images)
        image = std::make_unique<TbsBitmap>();
    TbsBitmap& top = *Images[bsflTop];
    top.SetSize(w, topH);
    top.Clear(0);
    CopyStretched(top, TRect{0, 0, d.LTPoint.X, topH}, p, TRect{0, 0, d.LTPoint.X, topH});
    CopyStretched(top, TRect{w - rightW, 0, w, topH}, p, TRect{d.RTPoint.X, 0, picW, topH});
    CopyStretched(top, TRect{d.LTPoint.X, 0, w - rightW, topH}, p, TRect{d.LTPoint.X, 0, d.RTPoint.X, topH});
    if (d.FullBorder) {
        // The skin's frame is not premultiplied; the caption buttons blend
        // premultiplied pictures over the strip, so its see-through pixels
        // must not carry colour first.
        top.CheckRGBA();
        DrawObjects();
    }
    // A form lower than both strips shows the lowest rows of the bottom one.
    int bh = picH - IntMin(d.LBPoint.Y, d.RBPoint.Y);
    if (topH + bh > h)
        bh = IntMax(h - topH, 0);
    const int bRightW = picW - d.RBPoint.X;
    TbsBitmap& bottom = *Images[bsflBottom];
    bottom.SetSize(w, bh);
    bottom.Clear(0);
    CopyStretched(bottom, TRect{0, 0, d.LBPoint.X, bh}, p, TRect{0, picH - bh, d.LBPoint.X, picH});
    CopyStretched(bottom, TRect{w - bRightW, 0, w, bh}, p, TRect{d.RBPoint.X, picH - bh, picW, picH});
    CopyStretched(bottom, TRect{d.LBPoint.X, 0, w - bRightW, bh}, p, TRect{d.LBPoint.X, picH - bh, d.RBPoint.X, picH});
    const int sh = h - topH - bh;
    const int sideW[2] = {d.ClRect.Left, picW - d.ClRect.Right};
    const TbsFormLayerBorderType sides[2] = {bsflLeft, bsflRight};
    for (int i = 0; i < 2; ++i) {
        TbsBitmap& side = *Images[sides[i]];
        if (sh <= 0 || sideW[i] <= 0)
            continue;
        side.SetSize(sideW[i], sh);
        side.Clear(0);
        const int left = i == 0 ? 0 : picW - sideW[i];
        const TRect strip{left, topH, left + sideW[i], picH - bh};
        if (d.FullStretch)
            CopyStretched(side, TRect{0, 0, sideW[i], sh}, p, strip);
        else
            TileDown(side, TRect{0, 0, sideW[i], sh}, p, strip);
    }
    for (auto& image : Images)
        if (!image->Empty())
            image->CheckRGBA();
    if (BlurEnabled())
        CreateBlurRegions();
}

TPoint TbsFormLayerBorder::StripPosition(TbsFormLayerBorderType AType, int X, int Y, int AWidth, int AHeight) const
{
    const int topH = Images[bsflTop]->Height();
    switch (AType) {
    case bsflTop: return Point(X, Y);
    case bsflBottom: return Point(X, Y + AHeight - Images[bsflBottom]->Height());
    case bsflLeft: return Point(X, Y + topH);
    case bsflRight: return Point(X + AWidth - Images[bsflRight]->Width(), Y + topH);
    }
    return Point(X, Y);
}

void TbsFormLayerBorder::PutImages(bool AMove, int X, int Y)
{
    const uint8_t alpha = uint8_t(std::clamp(FActive ? FCurrentAlphaBlendValue : FCurrentInActiveAlphaBlendValue, 0, 255));
    const bool onTop = FForm->FormStyle() == fsStayOnTop;
    for (int i = 0; i < 4; ++i) {
        TbsFormLayerWindow* window = Windows[size_t(i)].get();
        if (!window)
            continue;
        TbsBitmap& image = *Images[size_t(i)];
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
            SetWindowPos(window->Handle(), onTop ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        TbsLayerManager::UpdateLayeredBitmap(image, alpha, window);
        HRGN blur = BlurEnabled() ? BlurRegion(TbsFormLayerBorderType(i)) : nullptr;
        EnableBlurBehind(window->Handle(), blur != nullptr, blur);
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
    RetireWindows();
    static constexpr TbsFormLayerBorderType order[] = {bsflLeft, bsflRight, bsflTop, bsflBottom};
    for (TbsFormLayerBorderType type : order) {
        auto& w = Windows[size_t(type)];
        w = std::make_unique<TbsFormLayerWindow>(this, FForm, type);
        w->SetVisible(false);
        w->HandleNeeded();
    }
    PutImages(true, X, Y);
}

void TbsFormLayerBorder::Hide()
{
    FVisible = false;
    MouseTimer->SetEnabled(false);
    RetireWindows();
    for (auto& image : Images)
        image.reset();
}

void TbsFormLayerBorder::SetBounds(int X, int Y, int AWidth, int AHeight)
{
    Rebuild(true, X, Y, AWidth, AHeight);
}

void TbsFormLayerBorder::Rebuild(bool AMove, int X, int Y, int AWidth, int AHeight)
{
    if (!FData || !FVisible)
        return;
    FWidth = AWidth;
    FHeight = AHeight;
    CreateBorderImages(AWidth, AHeight);
    PutImages(AMove, X, Y);
}

void TbsFormLayerBorder::RetireWindows()
{
    if (FBusy == 0)
        FRetired.clear();
    for (auto& w : Windows) {
        if (!w)
            continue;
        if (FBusy == 0) {
            w.reset();
            continue;
        }
        w->SetVisible(false);
        FRetired.push_back(std::move(w));
    }
}

void TbsFormLayerBorder::Update(int X, int Y, int AWidth, int AHeight)
{
    Rebuild(false, X, Y, AWidth, AHeight);
}

void TbsFormLayerBorder::Draw(TCanvas* C, int X, int Y, int AWidth, int AHeight)
{
    if (!FData || !C)
        return;
    const int oldW = FWidth, oldH = FHeight;
    FWidth = AWidth;
    FHeight = AHeight;
    CreateBorderImages(AWidth, AHeight);
    for (int i = 0; i < 4; ++i) {
        TbsBitmap& image = *Images[size_t(i)];
        if (image.Empty() || image.Width() <= 0 || image.Height() <= 0)
            continue;
        image.AlphaBlend = true;
        const TPoint at = StripPosition(TbsFormLayerBorderType(i), 0, 0, AWidth, AHeight);
        image.Draw(C, X + at.X, Y + at.Y);
    }
    FWidth = oldW;
    FHeight = oldH;
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

void TbsFormLayerBorder::ShowWithFormAnimation()
{
    if (!FData)
        return;
    const int target = FCurrentAlphaBlendValue;
    FCurrentAlphaBlendValue = 0;
    ShowWithForm();
    Application()->ProcessMessages();
    // The messages may have hidden the border again.
    TbsSkinForm::FadeIn(target, [this](int AAlpha) {
        if (!FVisible)
            return false;
        FCurrentAlphaBlendValue = AAlpha;
        SetAlphaBlend();
        return true;
    });
    FCurrentAlphaBlendValue = target;
}

void TbsFormLayerBorder::SetBoundsWithForm()
{
    SetBoundsWithForm3(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
}

void TbsFormLayerBorder::SetBoundsWithForm2(int AWidth, int AHeight)
{
    SetBoundsWithForm3(FForm->Left(), FForm->Top(), AWidth, AHeight);
}

void TbsFormLayerBorder::SetBoundsWithForm3(int ALeft, int ATop, int AWidth, int AHeight)
{
    const TRect r = LayerRect(ALeft, ATop, AWidth, AHeight);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TbsFormLayerBorder::UpdateBorder()
{
    const TRect r = LayerRect(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    Update(r.Left, r.Top, r.Width(), r.Height());
}

void TbsFormLayerBorder::MoveWithForm()
{
    MoveWithForm2(FForm->Left(), FForm->Top());
}

void TbsFormLayerBorder::MoveWithForm2(int ALeft, int ATop)
{
    const TRect r = LayerRect(ALeft, ATop, FForm->Width(), FForm->Height());
    MoveTo(r.Left, r.Top);
}

void TbsFormLayerBorder::SetAlphaBlend()
{
    if (!FData || !FVisible || !Images[bsflTop] || Images[bsflTop]->Empty())
        return;
    PutImages(false, 0, 0);
}

void TbsFormLayerBorder::SetAlphaBlend2()
{
    SetAlphaBlend();
    if (!FData || !FVisible)
        return;
    MoveWithForm();
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

// The strips change with the state when the skin has an inactive picture
// or the caption is drawn on them.
void TbsFormLayerBorder::SetActive(bool AValue, bool AUpdate)
{
    FActive = AValue;
    if (!AValue) {
        if (auto* caption = ActiveObject >= 0 && ActiveObject < int(BSF->ObjectList.size())
                                ? dynamic_cast<TbsSkinCaptionObject*>(BSF->ObjectList[size_t(ActiveObject)].get())
                                : nullptr)
            caption->ResetQuickButtons();
        ResetStdButtons();
        MouseCaptureObject = -1;
        TestActive(-1, -1);
        ActiveObject = -1;
    }
    if (!FVisible)
        return;
    if (FullBorder() || (FData && FData->FSourceInActiveBitMap))
        SetBoundsWithForm();
    if (AUpdate)
        SetAlphaBlend2();
}

void TbsFormLayerBorder::DrawObjects()
{
    ArrangeObjects();
    TbsBitmap& top = *Images[bsflTop];
    for (auto& o : BSF->ObjectList)
        if (o->Visible)
            o->DrawAlpha(top.Canvas(), top);
}

// Buttons flow right to left from the buttons anchor in the order of
// their commands; the caption takes the rest up to them, the system menu
// button its left end.
void TbsFormLayerBorder::ArrangeObjects()
{
    if (!FullBorder() || !Source() || !Images[bsflTop])
        return;
    const TbsDataSkinLayerFrame& d = *FData;
    const int dw = Images[bsflTop]->Width() - Source()->Width();
    TRect cr = d.CaptionRect;
    cr.Right += dw;
    int x, y;
    if (IsNullRect(d.ButtonsRect)) {
        x = cr.Right;
        y = d.ButtonsTopOffset != 0 ? d.ButtonsTopOffset : cr.Top;
    } else {
        x = d.ButtonsRect.Right + dw;
        y = d.ButtonsRect.Top;
    }
    const int offset = FSD->ButtonsOffset;
    auto first = [this](TbsStdCommand ACommand) -> TbsActiveSkinObject* {
        for (auto& o : BSF->ObjectList) {
            if (!o->Visible || !o->SkinRectInAPicture)
                continue;
            if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()); b && b->Command == ACommand)
                return b;
            if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()); a && a->Command == ACommand)
                return a;
        }
        return nullptr;
    };
    for (TbsStdCommand command : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray}) {
        // An animate object found first is not placed, and it keeps the
        // command's standard button from being placed.
        auto* b = dynamic_cast<TbsSkinStdButtonObject*>(first(command));
        if (!b)
            continue;
        const int w = b->SkinRect.Width(), h = b->SkinRect.Height();
        b->ObjectRect = TRect{x - w, y, x, y + h};
        x -= offset + w;
    }
    TbsSkinCaptionObject* caption = nullptr;
    for (auto& o : BSF->ObjectList)
        if ((caption = dynamic_cast<TbsSkinCaptionObject*>(o.get())))
            break;
    if (caption)
        caption->ObjectRect = TRect{cr.Left, cr.Top, x - offset, cr.Bottom};
    auto* sys = dynamic_cast<TbsSkinStdButtonObject*>(first(cmSysMenu));
    if (!sys)
        return;
    int w = sys->SkinRect.Width(), h = sys->SkinRect.Height();
    if (BSF->ShowIcon)
        TbsSkinForm::GetSmallIconSize(w, h);
    if (IsNullRect(d.SysMenuButtonRect)) {
        const int top = !BSF->ShowIcon && d.SysButtonTopOffset != 0 ? d.SysButtonTopOffset
                                                                    : cr.Top + cr.Height() / 2 - h / 2;
        sys->ObjectRect = Bounds(cr.Left, top, w, h);
        if (caption)
            caption->ObjectRect.Left = cr.Left + w + offset;
    } else {
        const TRect& r = d.SysMenuButtonRect;
        sys->ObjectRect = Bounds(r.Left, r.Top + r.Height() / 2 - h / 2, w, h);
    }
}

void TbsFormLayerBorder::TestActive(int X, int Y)
{
    if (BSF->ObjectList.empty() || !BSF->FFormActive || BSF->FSizeMove || BSF->FBorderLayerChangeSize || BSF->PreviewMode ||
        (FForm->FormStyle() == fsMDIChild && BSF->WindowState() == wsMaximized) || FForm->BorderStyle() == bsNone ||
        (FData && !FData->FullBorder))
        return;
    OldActiveObject = ActiveObject;
    ActiveObject = BSF->ObjectAt(X, Y);
    if (MouseCaptureObject != -1 && MouseCaptureObject != ActiveObject)
        ActiveObject = -1;
    BSF->ChangeActiveObject(OldActiveObject, ActiveObject, BSF->GetFormActive());
}

void TbsFormLayerBorder::ResetStdButtons()
{
    for (auto& o : BSF->ObjectList)
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) {
            b->FDown = false;
            b->FMouseIn = false;
        }
}

// A leave message can be missed (the cursor left fast or over another
// program's window): the timer ends the hover all the same.
void TbsFormLayerBorder::MouseTimerEvent()
{
    if (FData && !FData->FullBorder) {
        MouseTimer->SetEnabled(false);
        return;
    }
    TbsFormLayerWindow* top = Windows[bsflTop].get();
    if (!top || !top->HandleAllocated() || WindowFromPoint(GetCursorPos()) == top->Handle())
        return;
    MouseTimer->SetEnabled(false);
    MouseCaptureObject = -1;
    TestActive(-1, -1);
}

bool TbsFormLayerBorder::CanSizeThroughLayer() const
{
    return BSF->CanResize() && !BSF->RollUpState() && BSF->WindowState() == wsNormal;
}

TPoint TbsFormLayerBorder::TopOrigin() const
{
    const TRect r = LayerRect(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    return Point(r.Left, r.Top);
}

} // namespace skin
