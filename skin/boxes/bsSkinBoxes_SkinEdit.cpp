// The skinned edit: non-client frame and button, image areas, hover tracking
// and re-skinning.
#include "skin/boxes/bsSkinBoxes_SkinEdit.h"

#include "skin/boxes/bsSkinBoxes_Look.h"
#include "skin/core/bsUtils_SkinImage.h"

#include "platform/controls/Forms.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/UiGeometry.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

constexpr uintptr_t kHoverTimer = 1;
constexpr uint32_t kHoverPollMs = 100;

bool IsEmptyRect(const TRect& R) { return R.Width() <= 0 || R.Height() <= 0; }

TRect Offset(TRect R, int DX, int DY) { return Rect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }

} // namespace

TbsSkinCustomEdit::TbsSkinCustomEdit(TComponent* AOwner) : TbsCustomEdit(AOwner)
{
    Font()->SetName("Tahoma");
    Font()->SetColor(clBlack);
    Font()->SetStyle({});
    Font()->SetHeight(13);
    FHeight = 20;
    FEditTransparent = true;
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->Assign(Font());
    FDefaultFont->OnChange = [this](TObject*) { DefaultFontChange(); };
}

TbsSkinCustomEdit::~TbsSkinCustomEdit()
{
    if (HandleAllocated())
        KillTimer(Handle(), kHoverTimer);
}

// ---------------------------------------------------------------- skin values

void TbsSkinCustomEdit::GetSkinData()
{
    FIndex = (!FSD || FSD->Empty()) ? -1 : FSD->GetControlIndex(FSkinDataName);
    if (FIndex < 0)
        return;
    auto* rec = dynamic_cast<TbsDataSkinEditControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!rec)
        return;
    Picture = ActivePicture(*FSD, rec->PictureIndex);
    SkinRect = rec->SkinRect;
    ActiveSkinRect = IsEmptyRect(rec->ActiveSkinRect) ? SkinRect : rec->ActiveSkinRect;
    LOffset = rec->LTPoint.X;
    ROffset = SkinRect.Width() - rec->RTPoint.X;
    ClRect = rec->ClRect;
    FontName = rec->FontName;
    FontStyle = rec->FontStyle;
    FontHeight = rec->FontHeight;
    FontColor = rec->FontColor;
    DisabledFontColor = rec->DisabledFontColor;
    ActiveFontColor = rec->ActiveFontColor;
    ButtonRect = rec->ButtonRect;
    ActiveButtonRect = rec->ActiveButtonRect;
    DownButtonRect = IsEmptyRect(rec->DownButtonRect) ? ActiveButtonRect : rec->DownButtonRect;
    UnEnabledButtonRect = rec->UnEnabledButtonRect;
    StretchEffect = rec->StretchEffect;
}

void TbsSkinCustomEdit::SetSkinData(TbsSkinData* Value)
{
    if (FSD)
        FSD->RemoveFreeNotification(this);
    FSD = Value;
    if (FSD)
        FSD->FreeNotification(this);
    if (Value && !Value->Empty())
        ChangeSkinData();
}

void TbsSkinCustomEdit::Notification(TComponent* AComponent, TOperation AOperation)
{
    TbsCustomEdit::Notification(AComponent, AOperation);
    if (AOperation != opRemove)
        return;
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FImages)
        FImages = nullptr;
}

void TbsSkinCustomEdit::ChangeSkinData()
{
    GetSkinData();
    const auto skinFontColor = [this] { return Focused() ? ActiveFontColor : FontColor; };
    if (!Skinned()) {
        Font()->Assign(FDefaultFont.get());
        if (FDefaultWidth > 0)
            SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0)
            SetHeight(FDefaultHeight);
    } else if (UseSkinFont) {
        Font()->SetName(FontName);
        Font()->SetStyle(FontStyle);
        SetHeight(SkinRect.Height());
        Font()->SetHeight(FontHeight);
        Font()->SetColor(skinFontColor());
    } else {
        Font()->Assign(FDefaultFont.get());
        Font()->SetColor(skinFontColor());
    }
    TbsResourceStrData* strings = FSD ? FSD->ResourceStrData() : nullptr;
    Font()->SetCharset(strings ? strings->CharSet : FDefaultFont->Charset());
    FrameChanged();
    Font()->SetColor(Skinned() ? skinFontColor() : FDefaultFont->Color());
    if (!UseSkinFont)
        AdjustHeight();
    RepaintFrame();
    if (FImages) {
        UpdateImageRects();
        Invalidate();
    }
}

// ---------------------------------------------------------------- properties

void TbsSkinCustomEdit::SetDefaultColor(TColor AValue)
{
    FDefaultColor = AValue;
    if (!Skinned())
        Invalidate();
}

void TbsSkinCustomEdit::SetDefaultFont(TFont* AValue)
{
    FDefaultFont->Assign(AValue);
    if (!Skinned())
        Font()->Assign(AValue);
}

void TbsSkinCustomEdit::DefaultFontChange()
{
    if (!Skinned())
        Font()->Assign(FDefaultFont.get());
}

void TbsSkinCustomEdit::SetDefaultWidth(int AValue)
{
    FDefaultWidth = AValue;
    if (!Skinned() && AValue > 0)
        SetWidth(AValue);
}

void TbsSkinCustomEdit::SetDefaultHeight(int AValue)
{
    FDefaultHeight = AValue;
    if (!Skinned() && AValue > 0 && UseSkinFont)
        SetHeight(AValue);
    else
        AdjustHeight();
}

void TbsSkinCustomEdit::SetButtonMode(bool AValue)
{
    FButtonMode = AValue;
    FrameChanged();
}

void TbsSkinCustomEdit::SetAlignment(TAlignment AValue)
{
    if (FAlignment == AValue)
        return;
    FAlignment = AValue;
    Invalidate();
}

void TbsSkinCustomEdit::SetImages(TCustomImageList* AValue)
{
    if (FImages == AValue)
        return;
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = AValue;
    if (FImages)
        FImages->FreeNotification(this);
    UpdateImageRects();
    if (!(Skinned() && UseSkinFont))
        AdjustHeight();
    Invalidate();
}

void TbsSkinCustomEdit::SetLeftImageIndex(int AValue)
{
    FLeftImageIndex = AValue;
    UpdateImageRects();
    Invalidate();
}

void TbsSkinCustomEdit::SetRightImageIndex(int AValue)
{
    FRightImageIndex = AValue;
    UpdateImageRects();
    Invalidate();
}

void TbsSkinCustomEdit::SetButtonImageIndex(int AValue)
{
    if (FButtonImageIndex == AValue)
        return;
    FButtonImageIndex = AValue;
    RepaintFrame();
}

// ---------------------------------------------------------------- geometry

void TbsSkinCustomEdit::CalcEditRects()
{
    const int w = Width(), h = Height();
    if (!Skinned()) {
        FButtonRect = FButtonMode ? Rect(w - h, 0, w, h) : TRect{};
        FEditRect = Rect(2, 2, FButtonMode ? FButtonRect.Left - 2 : w - 2, h - 2);
        return;
    }
    FEditRect = ClRect;
    FEditRect.Right = w + ClRect.Right - SkinRect.Width();
    FButtonRect = ButtonRect;
    if (ButtonRect.Left >= SkinRect.Width() - ROffset)
        FButtonRect = Offset(ButtonRect, w - SkinRect.Width(), 0);
    if (!UseSkinFont) {
        FEditRect.Bottom += h - SkinRect.Height();
        FButtonRect.Bottom += h - SkinRect.Height();
    }
}

int TbsSkinCustomEdit::CalcHeight()
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT old = SelectObject(dc, Font()->Handle());
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int imageHeight = FImages ? FImages->Height() : 0;
    GetSkinData();
    if (!Skinned())
        return std::max<int>(tm.tmHeight + 2, imageHeight) + 4;
    return std::max<int>(tm.tmHeight, imageHeight) + SkinRect.Height() - ClRect.Height();
}

void TbsSkinCustomEdit::AdjustHeight() { SetHeight(CalcHeight()); }

void TbsSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    const bool changed = (AWidth != Width() || AHeight != Height()) && !(!Skinned() && UseSkinFont);
    if (!Skinned() && Align() != alClient && Align() != alLeft && Align() != alRight)
        AHeight = CalcHeight();
    else if (changed)
        AHeight = (UseSkinFont && Skinned()) ? SkinRect.Height() : CalcHeight();
    if (Align() != alNone)
        CentreOnToolBar(Parent(), AHeight, ATop);
    TbsCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    RepaintFrame();
}

void TbsSkinCustomEdit::UpdateImageRects()
{
    TRect r = Rect(0, 0, ClientWidth(), ClientHeight());
    LeftButton.R = RightButton.R = TRect{};
    if (FImages) {
        if (FLeftImageIndex >= 0) {
            LeftButton.R = Rect(r.Left, r.Top, r.Left + FImages->Width(), r.Bottom);
            r.Left += FImages->Width() + 2;
        }
        if (FRightImageIndex >= 0) {
            RightButton.R = Rect(r.Right - FImages->Width(), r.Top, r.Right, r.Bottom);
            r.Right -= FImages->Width() + 2;
        }
    }
    FTextRect = r;
}

TRect TbsSkinCustomEdit::TextArea()
{
    // The text never runs under the images; a left margin of 2, none at the right.
    UpdateImageRects();
    return Rect(FTextRect.Left + 2, FTextRect.Top, std::max(FTextRect.Left + 2, FTextRect.Right), FTextRect.Bottom);
}

void TbsSkinCustomEdit::FrameChanged()
{
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Invalidate();
}

// ---------------------------------------------------------------- painting

void TbsSkinCustomEdit::RepaintFrame()
{
    if (!Parent() || !HandleAllocated())
        return;
    Perform(WM_NCPAINT);
    PaintBuffered();
}

void TbsSkinCustomEdit::PaintBuffered()
{
    if (HandleAllocated())
        TbsCustomEdit::PaintBuffered();
}

void TbsSkinCustomEdit::Paint()
{
    if (Enabled())
        TbsCustomEdit::Paint();
    else
        PaintDisabledText(Canvas());
}

void TbsSkinCustomEdit::PaintBackground(TCanvas* ACanvas, const TRect&)
{
    PaintEditBackground(ACanvas);
    DrawEditImages(ACanvas);
}

void TbsSkinCustomEdit::PaintEditBackground(TCanvas* ACanvas)
{
    CalcEditRects();
    const int w = FEditRect.Width(), h = FEditRect.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap b;
    b.SetSize(w, h);
    if (!Skinned() || !Picture) {
        b.Canvas()->Brush()->SetColor(FDefaultColor);
        b.Canvas()->FillRect(Rect(0, 0, w, h));
        ACanvas->Draw(0, 0, &b);
        return;
    }
    const TRect src = ShowsActive() ? ActiveSkinRect : SkinRect;
    const TRect client = Bounds(src.Left + ClRect.Left, src.Top + ClRect.Top, ClRect.Width(), ClRect.Height());
    CreateHSkinImage(std::max(0, LOffset - ClRect.Left), std::max(0, ClRect.Right + ROffset - SkinRect.Width()), &b,
                     Picture, client, w, h, StretchEffect);
    if (UseSkinFont)
        ACanvas->Draw(0, 0, &b);
    else
        ACanvas->StretchDraw(Rect(0, 0, w, h), &b);
}

void TbsSkinCustomEdit::DrawEditImages(TCanvas* ACanvas)
{
    if (!FImages)
        return;
    UpdateImageRects();
    auto draw = [&](const TbsCBButtonX& AArea, int ANormal, int AHot, int ADown) {
        const int count = FImages->Count();
        if (ANormal < 0 || ANormal >= count)
            return;
        int index = ANormal;
        if (AArea.Down && AArea.MouseIn && ADown >= 0 && ADown < count)
            index = ADown;
        else if (AArea.MouseIn && AHot >= 0 && AHot < count)
            index = AHot;
        const int y = std::max(AArea.R.Top, AArea.R.Top + AArea.R.Height() / 2 - FImages->Height() / 2);
        FImages->Draw(ACanvas, AArea.R.Left, y, index, Enabled());
    };
    draw(LeftButton, FLeftImageIndex, LeftImageHotIndex, LeftImageDownIndex);
    draw(RightButton, FRightImageIndex, RightImageHotIndex, RightImageDownIndex);
}

void TbsSkinCustomEdit::PaintFrame(TCanvas* ACanvas, bool AAtRest)
{
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    GetSkinData();
    CalcEditRects();
    TBitmap b;
    b.SetSize(w, h);
    TCanvas* c = b.Canvas();
    const bool hot = !AAtRest && ShowsActive();
    if (!Skinned() || !Picture) {
        const int bw = FButtonMode ? w - FButtonRect.Left - (AAtRest ? 0 : 1) : 0;
        const TRect r = Rect(0, 0, w - bw, h);
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(r);
        c->Brush()->SetColor(AAtRest ? clBtnFace : Color());
        c->FrameRect(Rect(1, 1, r.Right - 1, r.Bottom - 1));
        c->Brush()->SetColor(FDefaultColor);
        c->FillRect(Rect(2, 2, r.Right - 2, r.Bottom - 2));
        if (FButtonMode)
            DrawPlainButtonFace(c, FButtonRect, FButtonActive, FButtonDown);
    } else {
        CreateHSkinImage(LOffset, ROffset, &b, Picture, hot ? ActiveSkinRect : SkinRect, w, h, StretchEffect);
        if (FButtonMode) {
            TRect state;
            if (!Enabled() && !IsEmptyRect(UnEnabledButtonRect))
                state = UnEnabledButtonRect;
            else if (FButtonDown && FButtonActive)
                state = DownButtonRect;
            else if (FButtonActive)
                state = ActiveButtonRect;
            if (!IsEmptyRect(state))
                c->CopyRect(FButtonRect, Picture->Canvas(), state);
        }
    }
    if (FButtonMode && FImages && FButtonImageIndex >= 0 && FButtonImageIndex < FImages->Count())
        FImages->Draw(c, FButtonRect.Left + (FButtonRect.Width() - FImages->Width()) / 2,
                      FButtonRect.Top + (FButtonRect.Height() - FImages->Height()) / 2, FButtonImageIndex, Enabled());
    ACanvas->Draw(0, 0, &b);
}

void TbsSkinCustomEdit::PaintStretchedFrame(TCanvas* ACanvas)
{
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    GetSkinData();
    CalcEditRects();
    TBitmap b;
    b.SetSize(w, h);
    CreateStretchSkinImage(&b, Picture, ShowsActive() ? ActiveSkinRect : SkinRect, ClRect, false);
    if (FButtonMode)
        DrawStretchedButton(b.Canvas(), FButtonRect);
    ACanvas->Draw(0, 0, &b);
}

void TbsSkinCustomEdit::DrawStretchedButton(TCanvas* ACanvas, const TRect& R)
{
    TbsDataSkinButtonControl* rec = nullptr;
    for (const char* name : {"editbutton", "combobutton", "resizebutton"}) {
        const int index = FSD ? FSD->GetControlIndex(name) : -1;
        if (index >= 0 && (rec = dynamic_cast<TbsDataSkinButtonControl*>(FSD->CtrlList[size_t(index)].get())))
            break;
    }
    TbsPicture* picture = rec ? ActivePicture(*FSD, rec->PictureIndex) : nullptr;
    if (!picture || IsEmptyRect(R))
        return;
    const TRect src = ButtonRecordPiece(*rec, FButtonActive, FButtonDown);
    TBitmap b;
    b.SetSize(R.Width(), R.Height());
    CreateButtonRecordImage(*rec, picture, src, &b);
    if (FImages && FButtonImageIndex >= 0 && FButtonImageIndex < FImages->Count())
        FImages->Draw(b.Canvas(), (R.Width() - FImages->Width()) / 2, (R.Height() - FImages->Height()) / 2,
                      FButtonImageIndex, Enabled());
    ACanvas->Draw(R.Left, R.Top, &b);
}

void TbsSkinCustomEdit::PaintDisabledText(TCanvas* ACanvas)
{
    PaintEditBackground(ACanvas);
    TFont font;
    if (Skinned() && UseSkinFont) {
        font.Assign(Font());
        font.SetColor(DisabledFontColor);
    } else {
        font.Assign(FDefaultFont.get());
        font.SetColor(Skinned() ? DisabledFontColor : clGrayText);
    }
    ACanvas->Font()->Assign(&font);
    DrawAlignedText(ACanvas, Rect(0, 0, FEditRect.Width(), FEditRect.Height()), GetText());
}

void TbsSkinCustomEdit::DrawAlignedText(TCanvas* ACanvas, const TRect& R, const std::string& AText)
{
    const int tw = ACanvas->TextWidth(AText);
    int x = R.Left + 2;
    if (FAlignment == taRightJustify)
        x = R.Right - tw - 1;
    else if (FAlignment == taCenter)
        x = R.Left + 2 + R.Width() / 2 - tw / 2 - 1;
    ACanvas->Brush()->SetStyle(bsClear);
    HDC dc = ACanvas->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);
    ACanvas->TextOut(x, R.Top, AText);
    RestoreDC(dc, saved);
}

void TbsSkinCustomEdit::PaintSkinTo(TCanvas* C, int X, const std::string& AText, int Y)
{
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap b;
    b.SetSize(w, h);
    TCanvas* c = b.Canvas();
    GetSkinData();
    if (UseSkinFont || !Skinned())
        PaintFrame(c, true);
    else
        PaintStretchedFrame(c);
    TRect r = FEditRect;
    if (FImages) {
        if (FLeftImageIndex >= 0)
            r.Left += FImages->Width() + 2;
        if (FRightImageIndex >= 0)
            r.Right -= FImages->Width() + 2;
    }
    if (Skinned() && UseSkinFont) {
        c->Font()->SetName(FontName);
        c->Font()->SetStyle(FontStyle);
        c->Font()->SetHeight(FontHeight);
        c->Font()->SetColor(FontColor);
    } else {
        c->Font()->Assign(FDefaultFont.get());
    }
    TbsResourceStrData* strings = FSD ? FSD->ResourceStrData() : nullptr;
    c->Font()->SetCharset(strings ? strings->CharSet : FDefaultFont->Charset());
    DrawAlignedText(c, r, AText);
    C->Draw(X, Y, &b);
}

void TbsSkinCustomEdit::PaintFrameOn(HDC ADC, bool AExcludeEdit)
{
    GetSkinData();
    CalcEditRects();
    const int saved = SaveDC(ADC);
    if (AExcludeEdit)
        ExcludeClipRect(ADC, FEditRect.Left, FEditRect.Top, FEditRect.Right, FEditRect.Bottom);
    TCanvas canvas;
    canvas.SetHandle(ADC);
    if (UseSkinFont || !Skinned())
        PaintFrame(&canvas);
    else
        PaintStretchedFrame(&canvas);
    canvas.SetHandle(nullptr);
    RestoreDC(ADC, saved);
}

// ---------------------------------------------------------------- messages

void TbsSkinCustomEdit::WMNCCalcSize(TMessage& M)
{
    GetSkinData();
    TRect* r = M.WParam ? &reinterpret_cast<TNCCalcSizeParams*>(M.LParam)->rgrc[0] : reinterpret_cast<TRect*>(M.LParam);
    if (!r)
        return;
    if (!Skinned()) {
        const int right = FButtonMode ? r->Height() + 2 : 2;
        *r = Rect(r->Left + 2, r->Top + 2, r->Right - right, r->Bottom - 2);
    } else {
        *r = Rect(r->Left + ClRect.Left, r->Top + ClRect.Top, r->Right - (SkinRect.Width() - ClRect.Right),
                  r->Bottom - (SkinRect.Height() - ClRect.Bottom));
    }
    r->Right = std::max(r->Right, r->Left);
    r->Bottom = std::max(r->Bottom, r->Top);
    M.Result = 0;
}

void TbsSkinCustomEdit::WMNCPaint(TMessage& M)
{
    if (!HandleAllocated())
        return;
    HDC dc = GetWindowDC(Handle());
    if (!dc)
        return;
    try {
        PaintFrameOn(dc, true);
    } catch (...) {
        ReleaseDC(Handle(), dc);
        throw;
    }
    ReleaseDC(Handle(), dc);
    M.Result = 0;
}

void TbsSkinCustomEdit::WMNCHitTest(TMessage& M)
{
    if (!FMouseIn)
        DoMouseEnter();
    const TPoint client = ScreenToClient(Point(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)));
    if (FImages) {
        UpdateImageRects();
        auto hit = [&](TbsCBButtonX& AArea, int AIndex, LRESULT ACode) {
            if (AIndex < 0 || !PtInRect(AArea.R, client))
                return false;
            if (!AArea.MouseIn) {
                AArea.MouseIn = true;
                Invalidate();
            }
            M.Result = ACode;
            return true;
        };
        if (hit(LeftButton, FLeftImageIndex, HTEDITLEFTIMAGE) || hit(RightButton, FRightImageIndex, HTEDITRIGHTIMAGE))
            return;
        for (TbsCBButtonX* area : {&LeftButton, &RightButton})
            if (area->MouseIn) {
                area->MouseIn = false;
                Invalidate();
            }
    }
    if (FButtonMode) {
        const TPoint origin = Skinned() ? Point(ClRect.Left, ClRect.Top) : Point(2, 2);
        const TPoint p = Point(client.X + origin.X, client.Y + origin.Y);
        CalcEditRects();
        if (PtInRect(FButtonRect, p)) {
            M.Result = HTEDITBUTTON;
            return;
        }
        if (!PtInRect(FEditRect, p)) {
            M.Result = HTEDITFRAME;
            return;
        }
    }
    TbsCustomEdit::WMNCHitTest(M);
}

void TbsSkinCustomEdit::NCButtonDown(TMessage& M)
{
    const LRESULT hit = LRESULT(M.WParam);
    auto pressImage = [&](TbsCBButtonX& AArea) {
        AArea.Down = true;
        if (!Focused() && CanFocus())
            SetFocus();
        Invalidate();
    };
    if (hit == HTEDITLEFTIMAGE && FImages)
        pressImage(LeftButton);
    else if (hit == HTEDITRIGHTIMAGE && FImages)
        pressImage(RightButton);
    else if (hit == HTEDITBUTTON && FButtonMode) {
        FButtonDown = true;
        RepaintFrame();
    } else
        TbsCustomEdit::Dispatch(M);
}

void TbsSkinCustomEdit::NCButtonUp(TMessage& M)
{
    const LRESULT hit = LRESULT(M.WParam);
    auto releaseImage = [&](TbsCBButtonX& AArea, const TNotifyEvent& AEvent) {
        AArea.Down = false;
        Invalidate();
        if (AEvent)
            AEvent(this);
    };
    if (hit == HTEDITLEFTIMAGE && FImages && LeftButton.Down)
        releaseImage(LeftButton, OnLeftButtonClick);
    else if (hit == HTEDITRIGHTIMAGE && FImages && RightButton.Down)
        releaseImage(RightButton, OnRightButtonClick);
    else if (hit == HTEDITBUTTON && FButtonMode && FButtonDown) {
        // Only a press that began on the button clicks it.
        FButtonDown = false;
        RepaintFrame();
        if (!Focused() && CanFocus())
            SetFocus();
        if (OnButtonClick)
            OnButtonClick(this);
    } else
        TbsCustomEdit::Dispatch(M);
}

void TbsSkinCustomEdit::NCMouseMove(TMessage& M)
{
    if (FButtonMode) {
        const bool onButton = LRESULT(M.WParam) == HTEDITBUTTON;
        if (onButton && !FButtonActive) {
            FButtonActive = true;
            RepaintFrame();
            Invalidate();
            return;
        }
        if (!onButton && FButtonActive) {
            FButtonActive = false;
            RepaintFrame();
            Invalidate();
        }
    }
    TbsCustomEdit::Dispatch(M);
}

void TbsSkinCustomEdit::Dispatch(TMessage& M)
{
    switch (M.Msg) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: NCButtonDown(M); break;
    case WM_NCLBUTTONUP: NCButtonUp(M); break;
    case WM_NCMOUSEMOVE: NCMouseMove(M); break;
    case WM_DESTROY:
        KillTimer(Handle(), kHoverTimer);
        FMouseIn = false;
        TbsCustomEdit::Dispatch(M);
        break;
    // A parent copying its children's looks asks for the frame: whole, or
    // around the edit area that the edit paints itself.
    case SKN_PAINTTODC:
        M.Result = 0;
        if (M.WParam) {
            PaintFrameOn(reinterpret_cast<HDC>(M.WParam), false);
            M.Result = SKN_PAINTTODC_ANSWER;
        }
        break;
    case SKN_PAINTFRAMETODC:
        if (M.LParam != SKN_PAINT_KEY) {
            TbsCustomEdit::Dispatch(M);
            break;
        }
        if (M.WParam)
            PaintFrameOn(reinterpret_cast<HDC>(M.WParam), true);
        M.Result = SKN_PAINT_KEY;
        break;
    default: TbsCustomEdit::Dispatch(M); break;
    }
}

void TbsSkinCustomEdit::WMSize(TMessage& M)
{
    TbsCustomEdit::WMSize(M);
    UpdateImageRects();
    RepaintFrame();
}

void TbsSkinCustomEdit::WMMouseMove(TMessage& M)
{
    TbsCustomEdit::WMMouseMove(M);
    if (FButtonMode && FButtonActive) {
        FButtonActive = false;
        RepaintFrame();
    }
}

void TbsSkinCustomEdit::WMSetFocus(TMessage& M)
{
    TbsCustomEdit::WMSetFocus(M);
    RepaintFrame();
    if (Skinned() && !FMouseIn)
        Font()->SetColor(ActiveFontColor);
    Invalidate();
}

void TbsSkinCustomEdit::WMKillFocus(TMessage& M)
{
    // Everything painted while the window is told still counts it as unfocused.
    FLosingFocus = true;
    try {
        TbsCustomEdit::WMKillFocus(M);
        RepaintFrame();
        if (Skinned() && !FMouseIn)
            Font()->SetColor(FontColor);
        Invalidate();
    } catch (...) {
        FLosingFocus = false;
        throw;
    }
    FLosingFocus = false;
}

void TbsSkinCustomEdit::CMEnabledChanged(TMessage& M)
{
    TbsCustomEdit::CMEnabledChanged(M);
    RepaintFrame();
    Invalidate();
}

void TbsSkinCustomEdit::CMFontChanged(TMessage& M)
{
    TbsCustomEdit::CMFontChanged(M);
    if (UseSkinFont)
        return;
    AdjustHeight();
    if (!Skinned())
        FrameChanged();
}

// ---------------------------------------------------------------- hover

bool TbsSkinCustomEdit::NeedsMouseTracking() const
{
    if (FButtonMode || FImages)
        return true;
    return Skinned() && (ActiveSkinRect != SkinRect || FontColor != ActiveFontColor);
}

void TbsSkinCustomEdit::DoMouseEnter()
{
    FMouseIn = true;
    if (Skinned() && !Focused()) {
        Font()->SetColor(ActiveFontColor);
        RepaintFrame();
    }
    if (OnMouseEnter)
        OnMouseEnter(this);
    if (NeedsMouseTracking() && HandleAllocated()) {
        KillTimer(Handle(), kHoverTimer);
        SetTimer(Handle(), kHoverTimer, kHoverPollMs);
    }
}

void TbsSkinCustomEdit::DoMouseLeave()
{
    FMouseIn = false;
    if (Skinned() && !Focused()) {
        Font()->SetColor(FontColor);
        RepaintFrame();
    }
    if (FButtonDown || FButtonActive) {
        FButtonDown = FButtonActive = false;
        RepaintFrame();
    }
    if (LeftButton.MouseIn || RightButton.MouseIn) {
        LeftButton.MouseIn = RightButton.MouseIn = false;
        PaintBuffered();
    }
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TbsSkinCustomEdit::WMTimer(TMessage& M)
{
    TbsCustomEdit::WMTimer(M);
    if (M.WParam == kHoverTimer && WindowFromPoint(GetCursorPos()) != Handle()) {
        KillTimer(Handle(), kHoverTimer);
        DoMouseLeave();
    }
}

} // namespace skin
