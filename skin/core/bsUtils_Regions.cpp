#include "skin/core/bsUtils_Regions.h"

#include <cstring>

#include "skin/core/bsUtils_SkinImage.h"

namespace skin {

using namespace platform;

TbsFBitmap::TbsFBitmap(HBITMAP HBmp)
{
    BITMAP B;
    if (HBmp == nullptr || GetObjectW(HBmp, int(sizeof(B)), &B) == 0 || B.bmWidth <= 0 || B.bmHeight == 0)
        return;
    Width = B.bmWidth;
    Height = std::abs(B.bmHeight);
    bmHeader.biWidth = Width;
    bmHeader.biHeight = -Height;
    bmHeader.biBitCount = 24;
    bmInfo.bmiHeader = bmHeader;
    void* P = nullptr;
    Handle = CreateDIBSection(nullptr, &bmInfo, DIB_RGB_COLORS, &P);
    if (Handle == nullptr || P == nullptr) {
        Width = Height = 0;
        return;
    }
    Bits = static_cast<uint8_t*>(P);
    HDC Screen = CreateCompatibleDC(nullptr);
    GetDIBits(Screen, HBmp, 0, UINT(Height), Bits, &bmInfo, DIB_RGB_COLORS);
    DeleteDC(Screen);
    Gap = Width % 4;
    RowInc = Width * 3 + Gap;
    Size = RowInc * Height;
    Pixels.resize(size_t(Height));
    for (int I = 0; I < Height; ++I)
        Pixels[size_t(I)] = reinterpret_cast<PBLine>(Bits + intptr_t(I) * RowInc);
    hDC = CreateCompatibleDC(nullptr);
    SelectObject(hDC, Handle);
}

TbsFBitmap::~TbsFBitmap()
{
    if (hDC != nullptr)
        DeleteDC(hDC);
    if (Handle != nullptr)
        DeleteObject(Handle);
}

// The runs go into a growing list, so a mask of any number of runs gives
// one complete region.
DWORD MaskToRegionData(TBitmap* Mask, int X, int Y, std::vector<uint8_t>& Data)
{
    Data.clear();
    if (Mask == nullptr || Mask->Empty())
        return 0;
    TbsFBitmap F(Mask->Handle());
    std::vector<RECT> Runs;
    for (int Row = 0; Row < F.Height; ++Row) {
        const TFBColor* Line = F.Pixels[size_t(Row)];
        for (int Col = 0; Col < F.Width;) {
            auto Inside = [&](int C) { return Line[C].r + Line[C].g + Line[C].b == 0; };
            if (!Inside(Col)) {
                ++Col;
                continue;
            }
            int Start = Col;
            while (Col < F.Width && Inside(Col))
                ++Col;
            Runs.push_back(Rect(X + Start, Y + Row, X + Col, Y + Row + 1));
        }
    }
    RGNDATAHEADER H;
    H.nCount = DWORD(Runs.size());
    H.rcBound = Rect(X, Y, X + Mask->Width(), Y + Mask->Height());
    Data.assign(sizeof(H) + Runs.size() * sizeof(RECT), 0);
    std::memcpy(Data.data(), &H, sizeof(H));
    if (!Runs.empty())
        std::memcpy(Data.data() + sizeof(H), Runs.data(), Runs.size() * sizeof(RECT));
    return DWORD(Data.size());
}

void MaskToRegion(HRGN& Rgn, TBitmap* Mask)
{
    std::vector<uint8_t> Data;
    DWORD Size = MaskToRegionData(Mask, 0, 0, Data);
    Rgn = Size == 0 ? nullptr : ExtCreateRegion(nullptr, Size, reinterpret_cast<const RGNDATA*>(Data.data()));
}

namespace {

void SizeStrip(TBitmap* AStrip, int W, int H)
{
    AStrip->SetWidth(W);
    AStrip->SetHeight(H);
}

// A side strip: mask columns [AX0, AX1), the span [AY0, AY1) tiled over the
// strip, then the rows from the client's top to the span and from the span
// to the client's bottom.
void SideStrip(TBitmap* AStrip, TBitmap* Mask, int AX0, int AX1, int AY0, int AY1, const TRect& ClRect)
{
    int SW = AStrip->Width(), M = AStrip->Height();
    if (AY1 != AY0)
        TileSpan(AY0, AY1 - AY0, 0, M, [&](int S, int Len, int A) {
            CopyPiece(AStrip, Rect(0, A, SW, A + Len), Mask, Rect(AX0, S, AX1, S + Len));
        });
    if (AY0 > ClRect.Top)
        CopyPiece(AStrip, Rect(0, 0, SW, AY0 - ClRect.Top), Mask, Rect(AX0, ClRect.Top, AX1, AY0));
    if (ClRect.Bottom > AY1)
        CopyPiece(AStrip, Rect(0, M - (ClRect.Bottom - AY1), SW, M), Mask, Rect(AX0, AY1, AX1, ClRect.Bottom));
}

// A top or bottom strip: mask rows [AY0, AY1), the span [AX0, AX1) tiled
// from ANX0 and cut at ANX1, then both fixed ends.
void EdgeStrip(TBitmap* AStrip, TBitmap* Mask, int AY0, int AY1, int AX0, int AX1, int ANX0, int ANX1, int W)
{
    int SH = AStrip->Height();
    if (AX1 != AX0)
        TileSpan(AX0, AX1 - AX0, ANX0, ANX1, [&](int S, int Len, int A) {
            CopyPiece(AStrip, Rect(A, 0, A + Len, SH), Mask, Rect(S, AY0, S + Len, AY1));
        });
    CopyPiece(AStrip, Rect(0, 0, AX0, SH), Mask, Rect(0, AY0, AX0, AY1));
    CopyPiece(AStrip, Rect(ANX1, 0, W, SH), Mask, Rect(AX1, AY0, Mask->Width(), AY1));
}

} // namespace

void CreateSkinMask(TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect, TPoint NewLTPoint,
                    TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect, TBitmap* Mask,
                    TBitmap* RMTop, TBitmap* RMLeft, TBitmap* RMRight, TBitmap* RMBottom, int W, int)
{
    if (Mask == nullptr || Mask->Empty())
        return;
    int MW = Mask->Width(), MH = Mask->Height(), NH = NewClRect.Height();
    if (ClRect.Left > 0 && NH > 0) {
        SizeStrip(RMLeft, ClRect.Left, NH);
        SideStrip(RMLeft, Mask, 0, ClRect.Left, LTPt.Y, LBPt.Y, ClRect);
    }
    if (MW - ClRect.Right > 0 && NH > 0) {
        SizeStrip(RMRight, MW - ClRect.Right, NH);
        SideStrip(RMRight, Mask, ClRect.Right, MW, RTPt.Y, RBPt.Y, ClRect);
    }
    if (W > 0 && ClRect.Top > 0) {
        SizeStrip(RMTop, W, ClRect.Top);
        EdgeStrip(RMTop, Mask, 0, ClRect.Top, LTPt.X, RTPt.X, NewLTPoint.X, NewRTPoint.X, W);
    }
    if (W >= 1 && MH - ClRect.Bottom >= 1) {
        SizeStrip(RMBottom, W, MH - ClRect.Bottom);
        EdgeStrip(RMBottom, Mask, ClRect.Bottom, MH, LBPt.X, RBPt.X, NewLBPoint.X, NewRBPoint.X, W);
    }
}

void CreateSkinRegion(HRGN& Rgn, TPoint LTPt, TPoint RTPt, TPoint LBPt, TPoint RBPt, TRect ClRect,
                      TPoint NewLTPoint, TPoint NewRTPoint, TPoint NewLBPoint, TPoint NewRBPoint, TRect NewClRect,
                      TBitmap* Mask, int W, int H)
{
    Rgn = nullptr;
    if (NewRTPoint.X < NewLTPoint.X || NewLBPoint.Y < NewLTPoint.Y)
        return;
    TBitmap Top, Left, Right, Bottom;
    CreateSkinMask(LTPt, RTPt, LBPt, RBPt, ClRect, NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect, Mask,
                   &Top, &Left, &Right, &Bottom, W, H);
    if (NewClRect.IsEmpty())
        return;
    Rgn = CreateRectRgnIndirect(&NewClRect);
    struct TPlaced {
        TBitmap* Strip;
        TPoint At;
    };
    const TPlaced Strips[] = {{&Top, Point(0, 0)},
                              {&Bottom, Point(0, NewClRect.Bottom)},
                              {&Left, Point(0, NewClRect.Top)},
                              {&Right, Point(NewClRect.Right, NewClRect.Top)}};
    for (const TPlaced& S : Strips) {
        if (S.Strip->Width() <= 0 || S.Strip->Height() <= 0)
            continue;
        std::vector<uint8_t> Data;
        DWORD Size = MaskToRegionData(S.Strip, S.At.X, S.At.Y, Data);
        HRGN Part = Size == 0 ? nullptr : ExtCreateRegion(nullptr, Size, reinterpret_cast<const RGNDATA*>(Data.data()));
        if (Part != nullptr) {
            CombineRgn(Rgn, Rgn, Part, RGN_OR);
            DeleteObject(Part);
        }
    }
}

} // namespace skin
