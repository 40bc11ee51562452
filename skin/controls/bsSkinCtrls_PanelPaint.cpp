// The panel's pictures: the built-in look, the skinned caption, the framed
// caption of a panel that keeps its own caption height, and the transparent
// group frame; the paint panel and the group box.

#include "skin/controls/bsSkinCtrls_Panel.h"

#include "skin/core/bsSkinData_PanelControls.h"
#include "skin/core/bsUtils_Glyphs.h"
#include "skin/core/bsUtils_SkinImage.h"
#include "skin/core/bsUtils_Text.h"

#include <algorithm>

namespace skin {

using platform::clBtnFace;
using platform::clBtnHighlight;
using platform::clBtnShadow;
using platform::clBtnText;

namespace {

constexpr int RollUpArrowWidth = 6;
constexpr int CheckBoxSize = 13;

} // namespace

// ---------------------------------------------------------------- caption parts

bool TbsSkinPanel::ShowsCaptionImage() const
{
    return FGlyph.Empty() && FCaptionImageList && FCaptionImageIndex >= 0 &&
           FCaptionImageIndex < FCaptionImageList->Count();
}

int TbsSkinPanel::CaptionImageWidth() const
{
    if (ShowsCaptionImage())
        return FCaptionImageList->Width();
    return FGlyph.Empty() || FNumGlyphs < 1 ? 0 : FGlyph.Width() / FNumGlyphs;
}

int TbsSkinPanel::CaptionImageHeight() const
{
    if (ShowsCaptionImage())
        return FCaptionImageList->Height();
    return FGlyph.Empty() ? 0 : FGlyph.Height();
}

void TbsSkinPanel::DrawCaptionImage(TCanvas* C, int X, int Y)
{
    if (ShowsCaptionImage())
        FCaptionImageList->Draw(C, X, Y, FCaptionImageIndex, Enabled());
    else if (!FGlyph.Empty())
        DrawGlyph(C, X, Y, &FGlyph, FNumGlyphs, !Enabled() && FNumGlyphs == 2 ? 2 : 1);
}

// The check box picture of the caption, drawn with its key colour as holes.
void TbsSkinPanel::DrawCheckPicture(TCanvas* C, int X, int Y)
{
    const TRect& r = FChecked ? CheckImageRect : UnCheckImageRect;
    if (!Picture || r.IsEmpty())
        return;
    TBitmap piece;
    piece.SetSize(r.Width(), r.Height());
    CopyPiece(&piece, Rect(0, 0, r.Width(), r.Height()), Picture, r);
    piece.SetTransparent(true);
    C->Draw(X, Y, &piece);
}

void TbsSkinPanel::PrepareCaptionFont(TCanvas* C, bool AFromRecord)
{
    AssignCaptionFont(C->Font(), DefaultFont(), FSD, AFromRecord, *this);
}

// ---------------------------------------------------------------- built-in look

void TbsSkinPanel::CreateControlDefaultImage(TBitmap* B)
{
    TbsSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas* c = B->Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    switch (FBorderStyle) {
    case bvFrame: platform::Frame3D(c, r, clBtnShadow, clBtnShadow, 1); break;
    case bvRaised: platform::Frame3D(c, r, clBtnHighlight, clBtnShadow, 1); break;
    case bvLowered: platform::Frame3D(c, r, clBtnShadow, clBtnHighlight, 1); break;
    case bvNone: break;
    }
    if (FCaptionMode)
        DrawDefaultCaption(c);
}

void TbsSkinPanel::DrawDefaultCaption(TCanvas* C)
{
    const int w = Width(), h = Height(), dch = FDefaultCaptionHeight;
    const bool framed = FBorderStyle == bvFrame;
    TRect b;
    if (!FRibbonStyle)
        b = framed ? Rect(0, 0, w, dch) : Rect(1, 1, w - 1, dch);
    else
        b = framed ? Rect(0, h - dch, w, h) : Rect(1, h - dch - 1, w - 1, h - 1);
    C->Brush()->SetStyle(platform::bsSolid);
    C->Brush()->SetColor(clBtnShadow);
    C->FillRect(b);
    if (FCheckedMode)
        b.Left += 20;
    if (FRollUpMode)
        b.Right -= 10;
    PrepareCaptionFont(C, false);
    const std::string cap = Caption();
    const int ty = b.Top + b.Height() / 2 - C->TextHeight(cap) / 2 - 1;
    const int cw = C->TextWidth(cap) + (FGlyph.Empty() ? 0 : CaptionImageWidth() + FSpacing);
    int tx = b.Left + 4;
    if (FDefaultAlignment == platform::taRightJustify)
        tx = b.Right - cw;
    else if (FDefaultAlignment == platform::taCenter)
        tx = b.Left + 4 + b.Width() / 2 - cw / 2;
    if (FCheckedMode) {
        const TRect box = platform::Bounds(5, b.Top + b.Height() / 2 - 6, CheckBoxSize, CheckBoxSize);
        C->Brush()->SetColor(platform::clWindow);
        C->FillRect(box);
        if (FChecked)
            DrawCheckImage(C, box.Left + 3, box.Top + 2, clBtnText);
    }
    if (const int iw = CaptionImageWidth(); iw > 0) {
        DrawCaptionImage(C, tx, b.Top + b.Height() / 2 - CaptionImageHeight() / 2);
        tx += iw + FSpacing;
    }
    C->Brush()->SetStyle(platform::bsClear);
    C->TextRect(b, tx, ty, cap);
    if (FRollUpMode)
        DrawArrowImage(C, Rect(b.Right, b.Top, b.Right + RollUpArrowWidth, b.Bottom), clBtnText,
                       FRollUpState ? 4 : 3);
}

// ---------------------------------------------------------------- skinned look

void TbsSkinPanel::CreateControlSkinImage(TBitmap* B)
{
    if (FBorderStyle == bvNone && ResizeMode == 1 && !FCaptionMode && !StretchEffect) {
        const int cw = ClRect.Width(), ch = ClRect.Height();
        if (!Picture || cw <= 0 || ch <= 0)
            return;
        TBitmap piece;
        piece.SetSize(cw, ch);
        CopyPiece(&piece, Rect(0, 0, cw, ch), Picture,
                  Rect(SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                       SkinRect.Top + ClRect.Bottom));
        for (int i = 0; i <= B->Width() / cw; ++i)
            for (int j = 0; j <= B->Height() / ch; ++j)
                B->Canvas()->Draw(i * cw, j * ch, &piece);
        return;
    }
    TbsSkinCustomControl::CreateControlSkinImage(B);
    if (UseSkinSize) {
        if (ResizeMode < 1)
            NewCaptionRect = CaptionRect;
        else if (!FTransparentMode)
            NewCaptionRect = MapSkinRect(CaptionRect);
    }
    if (!Caption().empty() && !CaptionRect.IsEmpty())
        DrawSkinCaption(B);
}

void TbsSkinPanel::DrawSkinCaption(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    TRect r = NewCaptionRect;
    if (FRollUpMode)
        r.Right -= 12;
    if (FCheckedMode) {
        const TRect& pr = FChecked ? CheckImageRect : UnCheckImageRect;
        DrawCheckPicture(c, r.Left, r.Top + r.Height() / 2 - pr.Height() / 2);
        r.Left += pr.Width() + 2;
    }
    PrepareCaptionFont(c, UseSkinFont);
    c->Font()->SetColor(FontColor);
    const std::string cap = Caption();
    int ty = r.Top + r.Height() / 2 - c->TextHeight(cap) / 2;
    if (c->Font()->Height() % 2 != 0)
        --ty;
    const int tw = c->TextWidth(cap);
    const int iw = CaptionImageWidth();
    const int cw = tw + (FGlyph.Empty() ? 0 : iw + FSpacing);
    int tx = r.Left;
    if (Alignment == platform::taRightJustify)
        tx = r.Right - cw;
    else if (Alignment == platform::taCenter)
        tx = r.Left + r.Width() / 2 - cw / 2;
    int ix = tx;
    if (iw > 0) {
        if (FImagePosition == bsipLeft) {
            ix = r.Left + 2;
            tx = ix + iw + FSpacing;
            if (Alignment == platform::taRightJustify)
                tx = r.Right - tw;
            else if (Alignment == platform::taCenter)
                tx = r.Left + r.Width() / 2 - tw / 2;
            tx = std::max(tx, ix + iw + FSpacing);
        } else {
            tx += iw + FSpacing;
        }
    }
    if (FRollUpMode) {
        const TRect m = Rect(r.Right, r.Top, r.Right + 10, r.Bottom);
        if (!MarkFrameRect.IsEmpty() && Picture)
            CopyPiece(B, Rect(m.Left, m.Top, m.Left + MarkFrameRect.Width(), CaptionRect.Top + MarkFrameRect.Height()),
                      Picture, MarkFrameRect);
        DrawArrowImage(c, m, FontColor, FRollUpState ? 4 : 3);
    }
    if (!FrameRect.IsEmpty() && Picture) {
        const int e = FrameRect.Width() - FrameTextRect.Width();
        TBitmap frame;
        CreateHSkinImage(FrameLeftOffset, FrameRightOffset, &frame, Picture, FrameRect, e + tw, FrameRect.Height(),
                         false);
        int fx = tx;
        if (Alignment == platform::taRightJustify) {
            fx = tx - e;
            tx = tx - e + FrameTextRect.Left;
            ix -= e;
        } else if (Alignment == platform::taCenter) {
            fx = tx - FrameTextRect.Left - 2;
            tx -= 2;
            ix -= FrameTextRect.Left;
        } else {
            tx += FrameTextRect.Left;
        }
        c->Draw(fx, CaptionRect.Top, &frame);
    }
    c->Brush()->SetStyle(platform::bsClear);
    c->TextRect(r, tx, ty, cap);
    if (iw > 0)
        DrawCaptionImage(c, ix, r.Top + r.Height() / 2 - CaptionImageHeight() / 2);
}

// A skinned panel with a caption band of its own height: the frame of the
// skin's "panel" record with the own record's caption piece stretched over
// the band.
void TbsSkinPanel::CreateFramedCaptionImage(TBitmap* B)
{
    const std::string own = FSkinDataName;
    FSkinDataName = "panel";
    GetSkinData();
    const bool hasFrame = FIndex != -1 && Picture;
    if (hasFrame) {
        int w = Width(), h = Height();
        CalcSkinLayout(w, h);
        CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect,
                        B, Picture, SkinRect, Width(), Height(), true, LeftStretch, TopStretch, RightStretch,
                        BottomStretch, StretchEffect, StretchType);
    }
    FSkinDataName = own;
    GetSkinData();
    if (!hasFrame) {
        // Without a frame to borrow the panel shows the plain face.
        TbsSkinCustomControl::CreateControlDefaultImage(B);
        return;
    }
    ApplyFramedCaptionPanel(B);
}

void TbsSkinPanel::ApplyFramedCaptionPanel(TBitmap* B)
{
    const int bandHeight = FDefaultCaptionHeight - NewClRect.Top - 1;
    if (Picture && !CaptionRect.IsEmpty() && NewClRect.Width() > 0 && bandHeight > 0) {
        const TRect piece = Rect(SkinRect.Left + CaptionRect.Left + 1, SkinRect.Top + CaptionRect.Top + 1,
                                 SkinRect.Left + CaptionRect.Right - 1, SkinRect.Top + CaptionRect.Bottom - 1);
        CopyPiece(B, platform::Bounds(NewClRect.Left, NewClRect.Top, NewClRect.Width(), bandHeight), Picture, piece);
    }
    NewCaptionRect = Rect(NewClRect.Left, NewClRect.Top, NewClRect.Right, FDefaultCaptionHeight - 1);
    CreateControlSkinImage(B);
}

// A transparent panel with a caption: a line frame on the parent's
// background, broken by the caption at the top.
void TbsSkinPanel::CreateTransparentGroupFrame(TBitmap* B)
{
    TCanvas* c = B->Canvas();
    PaintParentBackground(this, c);
    const TColor shadow = FSD->SkinColors().cBtnShadow();
    c->Brush()->SetStyle(platform::bsClear);
    PrepareCaptionFont(c, UseSkinFont);
    const std::string cap = Caption();
    const int h = c->TextHeight(cap) + 5;
    NewCaptionRect = Rect(5, 0, B->Width(), h);
    int x = 5;
    if (FCheckedMode && Picture) {
        const TRect& pr = FChecked ? CheckImageRect : UnCheckImageRect;
        DrawCheckPicture(c, 5, h / 2 - pr.Height() / 2);
        x = pr.Width() + 10;
    }
    if (const int iw = CaptionImageWidth(); iw > 0) {
        DrawCaptionImage(c, x, h / 2 - CaptionImageHeight() / 2);
        x += iw + 2;
    }
    const int labelIndex = FSD->GetControlIndex("stdlabel");
    auto* label = labelIndex < 0 ? nullptr
                                 : dynamic_cast<TbsDataSkinStdLabelControl*>(FSD->CtrlList[size_t(labelIndex)].get());
    const TColor textColor = label ? label->FontColor : FSD->SkinColors().cBtnText();
    c->Font()->SetColor(textColor);
    DrawTextLeftPlain(c, cap, Rect(x, 0, B->Width(), h));
    TRect t;
    WideDrawText(c, cap, t, platform::DT_CALCRECT);
    const int tw = t.Width();
    if (FRollUpMode)
        DrawArrowImage(c, Rect(5 + tw + 3, 0, 5 + tw + 10, h), textColor, FRollUpState ? 4 : 3);
    // The line and the arrow follow the text's width counted from x = 5,
    // whatever stands in front of the text.
    const int y = h / 2;
    c->Pen()->SetColor(shadow);
    c->Pen()->SetWidth(1);
    c->MoveTo(5 + tw + (FRollUpMode ? 12 : 3), y);
    c->LineTo(Width(), y);
    c->MoveTo(0, y);
    c->LineTo(4, y);
    c->MoveTo(Width() - 1, y);
    c->LineTo(Width() - 1, Height() - 1);
    c->LineTo(0, Height() - 1);
    c->LineTo(0, y);
}

// ---------------------------------------------------------------- paint panel

TbsSkinPaintPanel::TbsSkinPaintPanel(TComponent* AOwner) : TbsSkinPanel(AOwner) { FForceBackground = false; }

void TbsSkinPaintPanel::CallPanelPaint(TCanvas* C)
{
    if (!OnPanelPaint)
        return;
    TRect r;
    GetSkinClientRect(r);
    OnPanelPaint(C, r);
}

void TbsSkinPaintPanel::DoPanelPaint(TCanvas* C)
{
    TbsSkinPanel::DoPanelPaint(C);
    CallPanelPaint(C);
}

void TbsSkinPaintPanel::CreateControlDefaultImage(TBitmap* B)
{
    TbsSkinPanel::CreateControlDefaultImage(B);
    CallPanelPaint(B->Canvas());
}

void TbsSkinPaintPanel::CreateControlSkinImage(TBitmap* B)
{
    TbsSkinPanel::CreateControlSkinImage(B);
    CallPanelPaint(B->Canvas());
}

void TbsSkinPaintPanel::WMEraseBkgnd(TMessage& M)
{
    if (!FromWMPaint && M.WParam)
        PaintWindow(reinterpret_cast<platform::HDC>(M.WParam));
    M.Result = 1;
}

// ---------------------------------------------------------------- group box

TbsSkinGroupBox::TbsSkinGroupBox(TComponent* AOwner) : TbsSkinPanel(AOwner)
{
    FSkinDataName = "groupbox";
    SetCaptionMode(true);
}

void TbsSkinGroupBox::GetSkinData()
{
    TbsSkinPanel::GetSkinData();
    // A caption below the client area is drawn on the whole picture, not on
    // the frame strips.
    if (FIndex != -1 && CaptionRect.Top > ClRect.Bottom)
        FForceBackground = false;
}

} // namespace skin
