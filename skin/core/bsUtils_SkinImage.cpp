#include "skin/core/bsUtils_SkinImage.h"

#include <memory>

namespace skin {

using namespace platform;

void CopyPiece(TBitmap* ADst, const TRect& ADstRect, TBitmap* ASrc, const TRect& ASrcRect)
{
    // Negative extents arise only for targets smaller than the corners;
    // what they would cover is overwritten by the fixed pieces anyway.
    if (ADstRect.IsEmpty() || ASrcRect.IsEmpty())
        return;
    ADst->Canvas()->CopyRect(ADstRect, ASrc->Canvas(), ASrcRect);
}

namespace {

struct TGeometry {
    TPoint LT, RT, LB, RB;
    TRect Cl;
    TPoint NLT, NRT, NLB, NRB;
    TRect NCl;
};

std::unique_ptr<TBitmap> PieceOf(TBitmap* ASrc, const TRect& ASrcRect)
{
    auto F = std::make_unique<TBitmap>();
    F->SetPixelFormat(pf32bit);
    F->SetSize(ASrcRect.Width(), ASrcRect.Height());
    CopyPiece(F.get(), Rect(0, 0, ASrcRect.Width(), ASrcRect.Height()), ASrc, ASrcRect);
    return F;
}

// Draws the pieces of one composition; source rectangles are given
// relative to R and moved into SB here.
class TComposer {
public:
    TComposer(TBitmap* ADst, TBitmap* ASrc, const TRect& AR) : FDst(ADst), FSrc(ASrc), FR(AR) {}

    TRect Src(int L, int T, int Rt, int B) const { return {FR.Left + L, FR.Top + T, FR.Left + Rt, FR.Top + B}; }
    void Copy(const TRect& ASrcRel, const TRect& ADst) { CopyPiece(FDst, ADst, FSrc, Src(ASrcRel.Left, ASrcRel.Top, ASrcRel.Right, ASrcRel.Bottom)); }
    // The piece goes through a bitmap of its own size and is drawn scaled.
    void Stretch(const TRect& ASrcRel, const TRect& ADst)
    {
        if (ADst.IsEmpty() || ASrcRel.IsEmpty())
            return;
        auto F = PieceOf(FSrc, Src(ASrcRel.Left, ASrcRel.Top, ASrcRel.Right, ASrcRel.Bottom));
        FDst->Canvas()->StretchDraw(ADst, F.get());
    }
    // Source columns [AX0, AX1) of rows [ASrcY0, ASrcY1) along [AT0, AT1) of rows [ADstY0, ADstY1).
    void TileX(int AX0, int AX1, int ASrcY0, int ASrcY1, int AT0, int AT1, int ADstY0, int ADstY1)
    {
        TileSpan(AX0, AX1 - AX0, AT0, AT1, [&](int S, int Len, int A) {
            Copy({S, ASrcY0, S + Len, ASrcY1}, {A, ADstY0, A + Len, ADstY1});
        });
    }
    void TileY(int AY0, int AY1, int ASrcX0, int ASrcX1, int AT0, int AT1, int ADstX0, int ADstX1)
    {
        TileSpan(AY0, AY1 - AY0, AT0, AT1, [&](int S, int Len, int A) {
            Copy({ASrcX0, S, ASrcX1, S + Len}, {ADstX0, A, ADstX1, A + Len});
        });
    }
    void Centre(const TRect& AClRect, const TRect& ANewClRect, bool AStretchEffect, TbsStretchType AType);

private:
    void CentreRepeated(TBitmap* AF, const TRect& ANewClRect, bool AAcross);
    TBitmap* FDst;
    TBitmap* FSrc;
    TRect FR;
};

void TComposer::Centre(const TRect& AClRect, const TRect& ANewClRect, bool AStretchEffect, TbsStretchType AType)
{
    if (!AStretchEffect) {
        // Columns outer, rows inner; the last column and row are cut.
        TileSpan(AClRect.Left, AClRect.Width(), ANewClRect.Left, ANewClRect.Right, [&](int SX, int LenX, int AX) {
            TileSpan(AClRect.Top, AClRect.Height(), ANewClRect.Top, ANewClRect.Bottom,
                     [&](int SY, int LenY, int AY) {
                         Copy({SX, SY, SX + LenX, SY + LenY}, {AX, AY, AX + LenX, AY + LenY});
                     });
        });
        return;
    }
    if (AClRect.IsEmpty() || ANewClRect.IsEmpty())
        return;
    auto F = PieceOf(FSrc, Src(AClRect.Left, AClRect.Top, AClRect.Right, AClRect.Bottom));
    if (AType == bsstFull)
        FDst->Canvas()->StretchDraw(ANewClRect, F.get());
    else
        CentreRepeated(F.get(), ANewClRect, AType == bsstHorz);
}

// The centre stretched to the client's height and repeated across
// (AAcross), or stretched to its width and repeated downwards.
void TComposer::CentreRepeated(TBitmap* AF, const TRect& ANewClRect, bool AAcross)
{
    TCanvas* C = FDst->Canvas();
    HDC DC = C->Handle();
    int Saved = SaveDC(DC);
    IntersectClipRect(DC, ANewClRect.Left, ANewClRect.Top, ANewClRect.Right, ANewClRect.Bottom);
    TBitmap T;
    T.SetPixelFormat(pf32bit);
    if (AAcross)
        T.SetSize(AF->Width(), ANewClRect.Height());
    else
        T.SetSize(ANewClRect.Width(), AF->Height());
    T.Canvas()->StretchDraw(Rect(0, 0, T.Width(), T.Height()), AF);
    int Count = AAcross ? ANewClRect.Width() / T.Width() : ANewClRect.Height() / T.Height();
    for (int K = 0; K <= Count; ++K) {
        if (AAcross)
            C->Draw(ANewClRect.Left + K * T.Width(), ANewClRect.Top, &T);
        else
            C->Draw(ANewClRect.Left, ANewClRect.Top + K * T.Height(), &T);
    }
    RestoreDC(DC, Saved);
    C->Refresh();
}

bool SizeTarget(TBitmap* B, int W, int H)
{
    B->SetWidth(W);
    B->SetHeight(H);
    return W > 0 && H > 0;
}

bool NothingToCompose(const TGeometry& G, TBitmap* SB)
{
    return G.RB.X == G.LT.X || G.RB.Y == G.LT.Y || SB == nullptr || SB->Empty();
}

void DrawEdges(TComposer& C, const TGeometry& G, int SkinW, int SkinH, int W, int H, bool LeftStretch,
               bool TopStretch, bool RightStretch, bool BottomStretch)
{
    if (TopStretch)
        C.Stretch({G.LT.X, 0, G.RT.X, G.Cl.Top}, {G.NLT.X, 0, G.NRT.X, G.NCl.Top});
    else
        C.TileX(G.LT.X, G.RT.X, 0, G.Cl.Top, G.NLT.X, G.NRT.X, 0, G.NCl.Top);
    if (BottomStretch)
        C.Stretch({G.LB.X, G.Cl.Bottom, G.RB.X, SkinH}, {G.NLB.X, G.NCl.Bottom, G.NRB.X, H});
    else
        C.TileX(G.LB.X, G.RB.X, G.Cl.Bottom, SkinH, G.NLB.X, G.NRB.X, G.NCl.Bottom, H);
    if (LeftStretch)
        C.Stretch({0, G.LT.Y, G.Cl.Left, G.LB.Y}, {0, G.NLT.Y, G.NCl.Left, G.NLB.Y});
    else
        C.TileY(G.LT.Y, G.LB.Y, 0, G.NCl.Left, G.NLT.Y, G.NLB.Y, 0, G.NCl.Left);
    if (RightStretch)
        C.Stretch({G.Cl.Right, G.RT.Y, SkinW, G.RB.Y}, {G.NCl.Right, G.NRT.Y, W, G.NRB.Y});
    else
        C.TileY(G.RT.Y, G.RB.Y, G.Cl.Right, SkinW, G.NRT.Y, G.NRB.Y, G.NCl.Right, W);
}

// The eight fixed corner pieces in their drawing order; later ones win
// where a too-small target makes them overlap.
void DrawCorners(TComposer& C, const TGeometry& G, int SkinW, int SkinH, int W, int H, bool ARight)
{
    C.Copy({0, 0, G.LT.X, G.Cl.Top}, {0, 0, G.NLT.X, G.NCl.Top});
    C.Copy({0, G.Cl.Top, G.Cl.Left, G.LT.Y}, {0, G.NCl.Top, G.NCl.Left, G.NLT.Y});
    if (ARight) {
        C.Copy({G.RT.X, 0, SkinW, G.Cl.Top}, {G.NRT.X, 0, W, G.NCl.Top});
        C.Copy({G.Cl.Right, G.Cl.Top, SkinW, G.RT.Y}, {G.NCl.Right, G.NCl.Top, W, G.NRT.Y});
    }
    C.Copy({0, G.LB.Y, G.Cl.Left, SkinH}, {0, G.NLB.Y, G.NCl.Left, H});
    C.Copy({G.Cl.Left, G.Cl.Bottom, G.LB.X, SkinH}, {G.NCl.Left, G.NCl.Bottom, G.NLB.X, H});
    if (ARight) {
        C.Copy({G.RB.X, G.Cl.Bottom, SkinW, SkinH}, {G.NRB.X, G.NCl.Bottom, W, H});
        C.Copy({G.Cl.Right, G.RB.Y, SkinW, G.Cl.Bottom}, {G.NCl.Right, G.NRB.Y, W, G.NCl.Bottom});
    }
}

} // namespace

void CreateSkinImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                     TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, TBitmap* B,
                     TBitmap* SB, TRect R, int W, int H, bool DrawClient, bool LeftStretch, bool TopStretch,
                     bool RightStretch, bool BottomStretch, bool StretchEffect, TbsStretchType StretchType)
{
    TGeometry G{LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect};
    if (!SizeTarget(B, W, H) || NothingToCompose(G, SB))
        return;
    TComposer C(B, SB, R);
    DrawEdges(C, G, R.Width(), R.Height(), W, H, LeftStretch, TopStretch, RightStretch, BottomStretch);
    DrawCorners(C, G, R.Width(), R.Height(), W, H, true);
    if (DrawClient)
        C.Centre(ClRect, NewClRect, StretchEffect, StretchType);
}

void CreatePopupSkinImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                          TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, TBitmap* B,
                          TBitmap* SB, TRect R, int W, int H, bool DrawClient, bool LeftStretch, bool TopStretch,
                          bool RightStretch, bool BottomStretch, bool StretchEffect, TbsStretchType StretchType)
{
    CreateSkinImage(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect, B, SB,
                    R, W, H, DrawClient, LeftStretch, TopStretch, RightStretch, BottomStretch, StretchEffect,
                    StretchType);
}

void CreateSkinImageNoRight(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                            TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, TBitmap* B,
                            TBitmap* SB, TRect R, int W, int H, bool DrawClient, bool LeftStretch,
                            bool TopStretch, bool, bool BottomStretch, bool StretchEffect,
                            TbsStretchType StretchType)
{
    TGeometry G{LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect};
    if (!SizeTarget(B, W, H) || NothingToCompose(G, SB))
        return;
    int SkinH = R.Height();
    TComposer C(B, SB, R);
    if (TopStretch)
        C.Stretch({LTPt.X, 0, RTPt.X, ClRect.Top}, {NewLTPoint.X, 0, W, NewClRect.Top});
    else
        C.TileX(LTPt.X, RTPt.X, 0, ClRect.Top, NewLTPoint.X, W, 0, NewClRect.Top);
    if (BottomStretch)
        C.Stretch({LBPt.X, ClRect.Bottom, RBPt.X, SkinH}, {NewLBPoint.X, NewClRect.Bottom, W, H});
    else
        C.TileX(LBPt.X, RBPt.X, ClRect.Bottom, SkinH, NewLBPoint.X, W, NewClRect.Bottom, H);
    if (LeftStretch)
        C.Stretch({0, LTPt.Y, ClRect.Left, LBPt.Y}, {0, NewLTPoint.Y, NewClRect.Left, NewLBPoint.Y});
    else
        C.TileY(LTPt.Y, LBPt.Y, 0, NewClRect.Left, NewLTPoint.Y, NewLBPoint.Y, 0, NewClRect.Left);
    DrawCorners(C, G, R.Width(), SkinH, W, H, false);
    if (DrawClient) {
        TRect Wide = NewClRect;
        Wide.Right = W;
        C.Centre(ClRect, Wide, StretchEffect, StretchType);
    }
}

void CreateStretchSkinImage(TBitmap* B, TBitmap* SB, TRect R, TRect ClRect, bool DrawClient)
{
    int W = B->Width(), H = B->Height();
    TRect N = ClRect;
    N.Right += W - R.Width();
    N.Bottom += H - R.Height();
    CreateSkinImage(ClRect.TopLeft(), Point(ClRect.Right, ClRect.Top), Point(ClRect.Left, ClRect.Bottom),
                    ClRect.BottomRight(), ClRect, N.TopLeft(), Point(N.Right, N.Top), Point(N.Left, N.Bottom),
                    N.BottomRight(), N, B, SB, R, W, H, DrawClient, true, true, true, true, true, bsstFull);
}

// ASource tiled over W x H from (0, 0); a source without pixels draws nothing.
void TileImage(TCanvas* C, TBitmap* ASource, int W, int H)
{
    int tw = ASource->Width(), th = ASource->Height();
    if (tw <= 0 || th <= 0)
        return;
    for (int y = 0; y < H; y += th)
        for (int x = 0; x < W; x += tw)
            C->Draw(x, y, ASource);
}

// ASource drawn over W x H as the skin's stretch settings say.
void DrawStretched(TCanvas* C, TBitmap* ASource, int W, int H, bool AStretch, TbsStretchType AType)
{
    int sw = ASource->Width(), sh = ASource->Height();
    if (sw <= 0 || sh <= 0)
        return;
    if (!AStretch) {
        TileImage(C, ASource, W, H);
        return;
    }
    switch (AType) {
    case bsstFull: C->StretchDraw(Rect(0, 0, W, H), ASource); break;
    case bsstHorz:
        for (int x = 0; x < W; x += sw)
            C->StretchDraw(Rect(x, 0, x + sw, H), ASource);
        break;
    case bsstVert:
        for (int y = 0; y < H; y += sh)
            C->StretchDraw(Rect(0, y, W, y + sh), ASource);
        break;
    }
}


} // namespace skin
