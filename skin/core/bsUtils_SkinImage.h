#pragma once
// Fitting a piece of a skin picture to the size a control has now: the
// nine-piece composer (fixed corners, tiled or stretched edges and centre),
// its twins, the three-piece horizontal and vertical composers and the
// four border strips of a frame. All geometry is in the skin record's
// coordinates: points and client rectangle relative to R's top-left, the
// "New" ones relative to the target's top-left (normally the old ones
// shifted by the size difference). Pieces overwrite, they never blend.

#include "platform/gfx/Graphics.h"
#include "skin/core/bsUtils_SkinIni.h"

namespace skin {

using platform::TBitmap;
using platform::TCanvas;
using platform::TPoint;
using platform::TRect;

// B becomes W x H and holds the nine-piece image of R of SB.
void CreateSkinImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                     TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, TBitmap* B,
                     TBitmap* SB, TRect R, int W, int H, bool DrawClient, bool LeftStretch, bool TopStretch,
                     bool RightStretch, bool BottomStretch, bool StretchEffect, TbsStretchType StretchType);
// The same image (popup menus and hint windows).
void CreatePopupSkinImage(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                          TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, TBitmap* B,
                          TBitmap* SB, TRect R, int W, int H, bool DrawClient, bool LeftStretch, bool TopStretch,
                          bool RightStretch, bool BottomStretch, bool StretchEffect, TbsStretchType StretchType);
// Without the right border and corners: top, bottom and centre run to B's
// right edge (list view column headers). RightStretch is not used.
void CreateSkinImageNoRight(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                            TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, TBitmap* B,
                            TBitmap* SB, TRect R, int W, int H, bool DrawClient, bool LeftStretch,
                            bool TopStretch, bool RightStretch, bool BottomStretch, bool StretchEffect,
                            TbsStretchType StretchType);
// Nine pieces at B's present size with everything stretched; the corner
// points are ClRect's corners.
void CreateStretchSkinImage(TBitmap* B, TBitmap* SB, TRect R, TRect ClRect, bool DrawClient);

// B becomes W x R's height: LOffset columns fixed at the left, ROffset at
// the right, the middle tiled or stretched between them (H is not used).
void CreateHSkinImage(int LOffset, int ROffset, TBitmap* B, TBitmap* SB, TRect R, int W, int H, bool Stretch);
// As CreateHSkinImage without the right part: the middle runs to B's right edge.
void CreateHSkinImageLeft(int LOffset, int ROffset, TBitmap* B, TBitmap* SB, TRect R, int W, int H, bool Stretch);
// Only the middle, over the whole width.
void CreateHSkinImageCenter(int LOffset, int ROffset, TBitmap* B, TBitmap* SB, TRect R, int W, int H,
                            bool Stretch);
// B becomes R's width x H: TOffset rows fixed at the top, BOffset at the
// bottom (W is not used).
void CreateVSkinImage(int TOffset, int BOffset, TBitmap* B, TBitmap* SB, TRect R, int W, int H, bool Stretch);

// The four borders of a W x H frame as separate strips, placed at: top
// (0, 0), bottom (0, NewClRect.Bottom), left (0, NewClRect.Top), right
// (NewClRect.Right, NewClRect.Top). A strip whose border is missing keeps
// the size and pixels it had.
void CreateSkinBorderImages(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                            TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                            TBitmap* LeftB, TBitmap* TopB, TBitmap* RightB, TBitmap* BottomB, TBitmap* SB, TRect R,
                            int W, int H, bool LeftStretch, bool TopStretch, bool RightStretch,
                            bool BottomStretch);

// ASource tiled over W x H of C from (0, 0); a source without pixels draws nothing.
void TileImage(TCanvas* C, TBitmap* ASource, int W, int H);
// ASource over W x H of C from (0, 0) as a skin's stretch settings say:
// stretched whole, stretched to the height and repeated across, stretched
// to the width and repeated down; tiled without AStretch.
void DrawStretched(TCanvas* C, TBitmap* ASource, int W, int H, bool AStretch, TbsStretchType AType);

// ---- shared by the composers and the region maker
// Lays a source span [AFrom, AFrom + ASpan) along [AT0, AT1): tiles start at
// AT0 and the last one is cut at AT1. ACopy(source start, length, target
// start) copies one tile. Nothing for a span of 0 or less.
template <class FCopy> void TileSpan(int AFrom, int ASpan, int AT0, int AT1, FCopy ACopy)
{
    if (ASpan <= 0)
        return;
    int N = (AT1 - AT0) / ASpan;
    for (int K = 0; K <= N; ++K) {
        int A = AT0 + K * ASpan;
        int Cut = A + ASpan - AT1;
        int Len = ASpan - (Cut > 0 ? Cut : 0);
        if (Len > 0)
            ACopy(AFrom, Len, A);
    }
}

// A canvas copy between rectangles (scaled when the sizes differ); pieces
// with no area are skipped.
void CopyPiece(TBitmap* ADst, const TRect& ADstRect, TBitmap* ASrc, const TRect& ASrcRect);

} // namespace skin
