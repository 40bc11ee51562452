// The three-piece composers and the border strips of a frame.

#include <memory>

#include "skin/core/bsUtils_SkinImage.h"

namespace skin {

using namespace platform;

namespace {

TRect Moved(const TRect& A, const TRect& R) { return {A.Left + R.Left, A.Top + R.Top, A.Right + R.Left, A.Bottom + R.Top}; }

void StretchPiece(TBitmap* ADst, const TRect& ADstRect, TBitmap* ASrc, const TRect& ASrcRect)
{
    if (ADstRect.IsEmpty() || ASrcRect.IsEmpty())
        return;
    TBitmap F;
    F.SetPixelFormat(pf32bit);
    F.SetSize(ASrcRect.Width(), ASrcRect.Height());
    CopyPiece(&F, Rect(0, 0, F.Width(), F.Height()), ASrc, ASrcRect);
    ADst->Canvas()->StretchDraw(ADstRect, &F);
}

// The middle columns [AM0, AM1) of R (relative) over B's columns [AT0, AT1).
void HorizontalMiddle(TBitmap* B, TBitmap* SB, const TRect& R, int AM0, int AM1, int AT0, int AT1, bool AStretch)
{
    int H = R.Height();
    if (AStretch) {
        StretchPiece(B, Rect(AT0, 0, AT1, H), SB, Moved(Rect(AM0, 0, AM1, H), R));
        return;
    }
    // A middle of no width draws nothing.
    TileSpan(AM0, AM1 - AM0, AT0, AT1, [&](int S, int Len, int A) {
        CopyPiece(B, Rect(A, 0, A + Len, H), SB, Moved(Rect(S, 0, S + Len, H), R));
    });
}

} // namespace

void CreateHSkinImage(int LOffset, int ROffset, TBitmap* B, TBitmap* SB, TRect R, int W, int, bool Stretch)
{
    int H = R.Height(), SkinW = R.Width();
    B->SetWidth(W);
    B->SetHeight(H);
    if (LOffset != 0)
        CopyPiece(B, Rect(0, 0, LOffset, H), SB, Moved(Rect(0, 0, LOffset, H), R));
    if (ROffset != 0)
        CopyPiece(B, Rect(W - ROffset, 0, W, H), SB, Moved(Rect(SkinW - ROffset, 0, SkinW, H), R));
    HorizontalMiddle(B, SB, R, LOffset, SkinW - ROffset, LOffset, W - ROffset, Stretch);
}

void CreateHSkinImageLeft(int LOffset, int ROffset, TBitmap* B, TBitmap* SB, TRect R, int W, int, bool Stretch)
{
    int H = R.Height();
    B->SetWidth(W);
    B->SetHeight(H);
    if (LOffset != 0)
        CopyPiece(B, Rect(0, 0, LOffset, H), SB, Moved(Rect(0, 0, LOffset, H), R));
    HorizontalMiddle(B, SB, R, LOffset, R.Width() - ROffset, LOffset, W, Stretch);
}

void CreateHSkinImageCenter(int LOffset, int ROffset, TBitmap* B, TBitmap* SB, TRect R, int W, int, bool Stretch)
{
    B->SetWidth(W);
    B->SetHeight(R.Height());
    HorizontalMiddle(B, SB, R, LOffset, R.Width() - ROffset, 0, W, Stretch);
}

void CreateVSkinImage(int TOffset, int BOffset, TBitmap* B, TBitmap* SB, TRect R, int, int H, bool Stretch)
{
    int W = R.Width(), SkinH = R.Height();
    B->SetWidth(W);
    B->SetHeight(H);
    if (TOffset != 0)
        CopyPiece(B, Rect(0, 0, W, TOffset), SB, Moved(Rect(0, 0, W, TOffset), R));
    if (BOffset != 0)
        CopyPiece(B, Rect(0, H - BOffset, W, H), SB, Moved(Rect(0, SkinH - BOffset, W, SkinH), R));
    if (Stretch) {
        StretchPiece(B, Rect(0, TOffset, W, H - BOffset), SB, Moved(Rect(0, TOffset, W, SkinH - BOffset), R));
        return;
    }
    TileSpan(TOffset, SkinH - BOffset - TOffset, TOffset, H - BOffset, [&](int S, int Len, int A) {
        CopyPiece(B, Rect(0, A, W, A + Len), SB, Moved(Rect(0, S, W, S + Len), R));
    });
}

// ---- border strips

namespace {

// One horizontal strip (top or bottom): source rows [ASrcY0, ASrcY0 + height
// of the strip), the span [AX0, AX1) stretched onto [ANX0, ANX1) or tiled
// over the whole width, then the two fixed ends.
void HorizontalStrip(TBitmap* AStrip, TBitmap* SB, const TRect& R, int ASrcY0, int AX0, int AX1, int ANX0,
                     int ANX1, bool AStretch)
{
    int W = AStrip->Width(), SH = AStrip->Height(), SkinW = R.Width();
    auto Src = [&](int L, int Rt) { return Moved(Rect(L, ASrcY0, Rt, ASrcY0 + SH), R); };
    if (AStretch)
        StretchPiece(AStrip, Rect(ANX0, 0, ANX1, SH), SB, Src(AX0, AX1));
    else
        TileSpan(AX0, AX1 - AX0, 0, W, [&](int S, int Len, int A) {
            CopyPiece(AStrip, Rect(A, 0, A + Len, SH), SB, Src(S, S + Len));
        });
    CopyPiece(AStrip, Rect(0, 0, ANX0, SH), SB, Src(0, AX0));
    CopyPiece(AStrip, Rect(ANX1, 0, W, SH), SB, Src(AX1, SkinW));
}

// One vertical strip (left or right): source columns [ASrcX0, ASrcX1), the
// span [AY0, AY1) stretched or tiled, then the rows between the client's
// top and the span and between the span and the client's bottom.
void VerticalStrip(TBitmap* AStrip, TBitmap* SB, const TRect& R, int ASrcX0, int ASrcX1, int AY0, int AY1,
                   const TRect& ClRect, bool AStretch)
{
    int SW = AStrip->Width(), M = AStrip->Height();
    auto Src = [&](int T, int B) { return Moved(Rect(ASrcX0, T, ASrcX1, B), R); };
    if (AStretch)
        StretchPiece(AStrip, Rect(0, AY0 - ClRect.Top, SW, M + AY1 - ClRect.Bottom), SB, Src(AY0, AY1));
    else
        TileSpan(AY0, AY1 - AY0, 0, M, [&](int S, int Len, int A) {
            CopyPiece(AStrip, Rect(0, A, SW, A + Len), SB, Src(S, S + Len));
        });
    if (AY0 > ClRect.Top)
        CopyPiece(AStrip, Rect(0, 0, SW, AY0 - ClRect.Top), SB, Src(ClRect.Top, AY0));
    if (ClRect.Bottom > AY1)
        CopyPiece(AStrip, Rect(0, M - (ClRect.Bottom - AY1), SW, M), SB, Src(AY1, ClRect.Bottom));
}

} // namespace

void CreateSkinBorderImages(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                            TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                            TBitmap* LeftB, TBitmap* TopB, TBitmap* RightB, TBitmap* BottomB, TBitmap* SB, TRect R,
                            int W, int H, bool LeftStretch, bool TopStretch, bool RightStretch, bool BottomStretch)
{
    int SkinW = R.Width(), SkinH = R.Height();
    if (W > 0 && NewClRect.Top > 0 && RTPt.X - LTPt.X > 0) {
        TopB->SetWidth(W);
        TopB->SetHeight(NewClRect.Top);
        HorizontalStrip(TopB, SB, R, 0, LTPt.X, RTPt.X, NewLTPoint.X, NewRTPoint.X, TopStretch);
    }
    int D = H - NewClRect.Bottom;
    if (W > 0 && D > 0 && RBPt.X - LBPt.X > 0) {
        BottomB->SetWidth(W);
        BottomB->SetHeight(D);
        HorizontalStrip(BottomB, SB, R, SkinH - D, LBPt.X, RBPt.X, NewLBPoint.X, NewRBPoint.X, BottomStretch);
    }
    // The strips' present heights decide, also where a strip was not remade.
    int M = H - BottomB->Height() - TopB->Height();
    if (NewClRect.Left > 0 && M > 0 && LBPt.Y - LTPt.Y > 0) {
        LeftB->SetWidth(NewClRect.Left);
        LeftB->SetHeight(M);
        VerticalStrip(LeftB, SB, R, 0, NewClRect.Left, LTPt.Y, LBPt.Y, ClRect, LeftStretch);
    }
    int RW = W - NewClRect.Right;
    if (RW >= 1 && M >= 1 && RBPt.Y - RTPt.Y >= 1) {
        RightB->SetWidth(RW);
        RightB->SetHeight(M);
        VerticalStrip(RightB, SB, R, ClRect.Right, SkinW, RTPt.Y, RBPt.Y, ClRect, RightStretch);
    }
}

} // namespace skin
