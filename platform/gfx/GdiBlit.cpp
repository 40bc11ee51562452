// Transfers between pixel buffers: copies and stretches with ternary raster
// operations, colour-key copies, alpha blending and the DIB entry points.

#include <algorithm>
#include <cstring>

#include "platform/gfx/GdiInternal.h"

namespace platform {

namespace {

enum class TBlitKind { Rop, Key, Alpha };

struct TBlitOp {
    TBlitKind Kind = TBlitKind::Rop;
    uint8_t Code = 0xCC;
    uint32_t Pattern = 0;
    uint32_t Key = 0;
    BLENDFUNCTION Blend;
};

inline uint32_t Div255(uint32_t X)
{
    return (X + 1 + (X >> 8)) >> 8;
}

inline uint32_t BlendAlpha(uint32_t S, uint32_t D, const BLENDFUNCTION& B)
{
    uint32_t K = B.SourceConstantAlpha;
    uint32_t R = 0;
    if (!(B.AlphaFormat & AC_SRC_ALPHA)) {
        for (int Sh = 0; Sh < 32; Sh += 8)
            R |= Div255(((S >> Sh) & 0xFF) * K + ((D >> Sh) & 0xFF) * (255 - K) + 127) << Sh;
        return R;
    }
    if (K != 255) {
        uint32_t T = 0;
        for (int Sh = 0; Sh < 32; Sh += 8)
            T |= Div255(((S >> Sh) & 0xFF) * K + 127) << Sh;
        S = T;
    }
    uint32_t A = S >> 24;
    if (A == 255)
        return S;
    if (A == 0 && K == 255 && (S & 0xFFFFFF) == 0)
        return D;
    for (int Sh = 0; Sh < 32; Sh += 8) {
        uint32_t C = ((S >> Sh) & 0xFF) + Div255(((D >> Sh) & 0xFF) * (255 - A) + 127);
        R |= std::min<uint32_t>(C, 255) << Sh;
    }
    return R;
}

inline uint32_t Combine(const TBlitOp& Op, uint32_t S, uint32_t D)
{
    switch (Op.Kind) {
    case TBlitKind::Key: return ((S ^ Op.Key) & 0xFFFFFF) != 0 ? S : D;
    case TBlitKind::Alpha: return BlendAlpha(S, D, Op.Blend);
    case TBlitKind::Rop: break;
    }
    switch (Op.Code) {
    case 0xCC: return S;
    case 0x88: return S & D;
    case 0xEE: return S | D;
    case 0x66: return S ^ D;
    case 0x44: return S & ~D;
    case 0x33: return ~S;
    case 0x11: return ~(S | D);
    case 0xBB: return ~S | D;
    case 0x55: return ~D;
    case 0x00: return 0;
    case 0xFF: return ~0u;
    case 0xF0: return Op.Pattern;
    default: return ApplyRop3(Op.Code, Op.Pattern, S, D);
    }
}

// A span of a rectangle given with a signed size: a negative size covers
// the |size| pixels ending at the origin, mirrored.
struct TAxis {
    int Start;
    int Size;
    bool Flip;
};
TAxis Axis(int AOrigin, int ASize)
{
    if (ASize >= 0)
        return {AOrigin, ASize, false};
    return {AOrigin + ASize + 1, -ASize, true};
}

// Source index along one axis for each destination index (nearest, the
// first sample of each step); -1 where the source has no pixel.
std::vector<int> SampleMap(const TAxis& ADst, const TAxis& ASrc, int ASrcLimit)
{
    std::vector<int> Map(size_t(ADst.Size));
    bool Mirror = ADst.Flip != ASrc.Flip;
    for (int I = 0; I < ADst.Size; ++I) {
        int J = int(int64_t(I) * ASrc.Size / ADst.Size);
        if (Mirror)
            J = ASrc.Size - 1 - J;
        int S = ASrc.Start + J;
        Map[size_t(I)] = S >= 0 && S < ASrcLimit ? S : -1;
    }
    return Map;
}

void CopyUnscaled(TDeviceContext& D, const TRect& ADst, const TPixelSurface& S, int ASX, int ASY, const TBlitOp& Op)
{
    // ADst is clipped to the destination box and to the source; rows run in
    // the order that keeps an overlapping copy within one buffer correct.
    bool SameBuffer = S.Bits == D.Surface.Bits;
    std::vector<uint32_t> Line;
    for (const TRect& C : D.ClipRects()) {
        TRect R{std::max(ADst.Left, C.Left), std::max(ADst.Top, C.Top), std::min(ADst.Right, C.Right),
                std::min(ADst.Bottom, C.Bottom)};
        if (R.IsEmpty())
            continue;
        int OffX = ASX - ADst.Left, OffY = ASY - ADst.Top;
        bool Upward = SameBuffer && OffY < 0;
        for (int K = 0; K < R.Height(); ++K) {
            int Y = Upward ? R.Bottom - 1 - K : R.Top + K;
            int SY = Y + OffY;
            if (S.BitCount == 32 && D.Surface.BitCount == 32 && Op.Kind == TBlitKind::Rop && Op.Code == 0xCC) {
                std::memmove(reinterpret_cast<uint32_t*>(D.Surface.Row(Y)) + R.Left,
                             reinterpret_cast<const uint32_t*>(S.Row(SY)) + R.Left + OffX,
                             size_t(R.Width()) * 4);
                continue;
            }
            Line.resize(size_t(R.Width()));
            for (int X = R.Left; X < R.Right; ++X)
                Line[size_t(X - R.Left)] = ReadPixel(S, X + OffX, SY);
            if (D.Surface.BitCount == 32) {
                uint32_t* Dst = reinterpret_cast<uint32_t*>(D.Surface.Row(Y)) + R.Left;
                for (int I = 0; I < R.Width(); ++I)
                    Dst[I] = Combine(Op, Line[size_t(I)], Dst[I]);
            } else {
                for (int X = R.Left; X < R.Right; ++X)
                    WritePixel(D.Surface, X, Y, Combine(Op, Line[size_t(X - R.Left)], ReadPixel(D.Surface, X, Y)));
            }
        }
    }
}

// A scaled plain copy between 32-bit buffers, the common case of stretched
// skin pieces: rows are gathered through the column map, and a row that
// samples the same source row as the one above it is copied from there.
void StretchCopy(TPixelSurface& ADst, const TRect& R, const TRect& ABox, const TPixelSurface& S,
                 const std::vector<int>& ACols, const std::vector<int>& ARows)
{
    const int* Cols = ACols.data() + (R.Left - ABox.Left);
    const int Width = R.Width();
    // A column without source keeps each row's own pixel, so rows can only
    // be repeated whole when every column has one.
    const bool Whole = std::none_of(Cols, Cols + Width, [](int C) { return C < 0; });
    int PrevSR = -1;
    const uint32_t* Prev = nullptr;
    for (int Y = R.Top; Y < R.Bottom; ++Y) {
        const int SR = ARows[size_t(Y - ABox.Top)];
        if (SR < 0) {
            Prev = nullptr;
            continue;
        }
        uint32_t* Dst = reinterpret_cast<uint32_t*>(ADst.Row(Y)) + R.Left;
        if (Whole && Prev != nullptr && SR == PrevSR) {
            std::memcpy(Dst, Prev, size_t(Width) * 4);
        } else {
            const uint32_t* Src = reinterpret_cast<const uint32_t*>(S.Row(SR));
            for (int I = 0; I < Width; ++I)
                if (Cols[I] >= 0)
                    Dst[I] = Src[Cols[I]];
        }
        Prev = Dst;
        PrevSR = SR;
    }
}

// The transfer: destination and source rectangles in surface coordinates
// with signed sizes.
void Transfer(TDeviceContext& D, int DX, int DY, int DW, int DH, const TPixelSurface& S, int SX, int SY, int SW,
              int SH, const TBlitOp& Op)
{
    if (DW == 0 || DH == 0 || SW == 0 || SH == 0 || !D.CanDraw() || S.Bits == nullptr)
        return;
    TAxis AX = Axis(DX, DW), AY = Axis(DY, DH), BX = Axis(SX, SW), BY = Axis(SY, SH);
    TRect Box{AX.Start, AY.Start, AX.Start + AX.Size, AY.Start + AY.Size};
    if (AX.Size == BX.Size && AY.Size == BY.Size && !AX.Flip && !AY.Flip && !BX.Flip && !BY.Flip) {
        // Keep only the part whose source lies inside the source buffer.
        TRect Valid{std::max(Box.Left, Box.Left - BX.Start), std::max(Box.Top, Box.Top - BY.Start),
                    std::min(Box.Right, Box.Left + S.Width - BX.Start),
                    std::min(Box.Bottom, Box.Top + S.Height - BY.Start)};
        if (!Valid.IsEmpty())
            CopyUnscaled(D, Valid, S, BX.Start + (Valid.Left - Box.Left), BY.Start + (Valid.Top - Box.Top), Op);
        return;
    }
    std::vector<int> Cols = SampleMap(AX, BX, S.Width);
    std::vector<int> Rows = SampleMap(AY, BY, S.Height);
    const bool PlainCopy = S.BitCount == 32 && D.Surface.BitCount == 32 && S.Bits != D.Surface.Bits &&
                           Op.Kind == TBlitKind::Rop && Op.Code == 0xCC;
    for (const TRect& C : D.ClipRects()) {
        TRect R{std::max(Box.Left, C.Left), std::max(Box.Top, C.Top), std::min(Box.Right, C.Right),
                std::min(Box.Bottom, C.Bottom)};
        if (R.IsEmpty())
            continue;
        if (PlainCopy) {
            StretchCopy(D.Surface, R, Box, S, Cols, Rows);
            continue;
        }
        for (int Y = R.Top; Y < R.Bottom; ++Y) {
            int SR = Rows[size_t(Y - Box.Top)];
            if (SR < 0)
                continue;
            for (int X = R.Left; X < R.Right; ++X) {
                int SC = Cols[size_t(X - Box.Left)];
                if (SC >= 0)
                    WritePixel(D.Surface, X, Y, Combine(Op, ReadPixel(S, SC, SR), ReadPixel(D.Surface, X, Y)));
            }
        }
    }
}

TBlitOp RopOp(const TDeviceContext& D, DWORD ARop)
{
    TBlitOp Op;
    Op.Code = uint8_t(ARop >> 16);
    const TGdiBrush* B = D.State.Brush;
    Op.Pattern = B != nullptr && B->Style != BS_NULL ? ColorToPixel(D.BrushColor(B)) : 0;
    return Op;
}

BOOL StretchBetween(HDC ADest, int AX, int AY, int AW, int AH, HDC ASource, int AXS, int AYS, int AWS, int AHS,
                    const TBlitOp& Op)
{
    TDeviceContext* D = CheckDC(ADest);
    TDeviceContext* S = CheckDC(ASource);
    if (D == nullptr || S == nullptr || S->Surface.Bits == nullptr)
        return FALSE;
    Transfer(*D, D->SX(AX), D->SY(AY), AW, AH, S->Surface, S->SX(AXS), S->SY(AYS), AWS, AHS, Op);
    return TRUE;
}

} // namespace

BOOL BitBlt(HDC ADest, int AX, int AY, int AWidth, int AHeight, HDC ASource, int AXSrc, int AYSrc, DWORD ARop)
{
    TDeviceContext* D = CheckDC(ADest);
    if (D == nullptr)
        return FALSE;
    TBlitOp Op = RopOp(*D, ARop);
    if (!RopUsesSource(Op.Code))
        return PatBlt(ADest, AX, AY, AWidth, AHeight, ARop);
    return StretchBetween(ADest, AX, AY, AWidth, AHeight, ASource, AXSrc, AYSrc, AWidth, AHeight, Op);
}

BOOL StretchBlt(HDC ADest, int AX, int AY, int AWidth, int AHeight, HDC ASource, int AXSrc, int AYSrc, int AWSrc,
                int AHSrc, DWORD ARop)
{
    TDeviceContext* D = CheckDC(ADest);
    if (D == nullptr)
        return FALSE;
    TBlitOp Op = RopOp(*D, ARop);
    if (!RopUsesSource(Op.Code))
        return PatBlt(ADest, AX, AY, AWidth, AHeight, ARop);
    return StretchBetween(ADest, AX, AY, AWidth, AHeight, ASource, AXSrc, AYSrc, AWSrc, AHSrc, Op);
}

BOOL TransparentBlt(HDC ADest, int AX, int AY, int AWidth, int AHeight, HDC ASource, int AXSrc, int AYSrc,
                    int AWSrc, int AHSrc, UINT AKey)
{
    if (AWidth < 0 || AHeight < 0 || AWSrc < 0 || AHSrc < 0)
        return FALSE;
    TBlitOp Op;
    Op.Kind = TBlitKind::Key;
    Op.Key = ColorToPixel(AKey);
    return StretchBetween(ADest, AX, AY, AWidth, AHeight, ASource, AXSrc, AYSrc, AWSrc, AHSrc, Op);
}

BOOL AlphaBlend(HDC ADest, int AX, int AY, int AWidth, int AHeight, HDC ASource, int AXSrc, int AYSrc, int AWSrc,
                int AHSrc, BLENDFUNCTION ABlend)
{
    TDeviceContext* S = CheckDC(ASource);
    if (S == nullptr || S->Surface.Bits == nullptr || ABlend.BlendOp != AC_SRC_OVER)
        return FALSE;
    if (AWidth < 0 || AHeight < 0 || AWSrc < 0 || AHSrc < 0)
        return FALSE;
    // The source rectangle must lie inside the source bitmap.
    int SX = S->SX(AXSrc), SY = S->SY(AYSrc);
    if (SX < 0 || SY < 0 || SX + AWSrc > S->Surface.Width || SY + AHSrc > S->Surface.Height)
        return FALSE;
    TBlitOp Op;
    Op.Kind = TBlitKind::Alpha;
    Op.Blend = ABlend;
    return StretchBetween(ADest, AX, AY, AWidth, AHeight, ASource, AXSrc, AYSrc, AWSrc, AHSrc, Op);
}

// ---- device-independent bits

namespace {

// A view of caller memory in DIB layout, top row first. Only uncompressed
// 24- and 32-bit rows are drawn directly.
bool DibView(const void* ABits, const BITMAPINFOHEADER& H, int ARows, TPixelSurface& AView)
{
    if (ABits == nullptr || H.biCompression != BI_RGB || (H.biBitCount != 24 && H.biBitCount != 32) ||
        H.biWidth <= 0 || ARows <= 0)
        return false;
    intptr_t RowBytes = ((intptr_t(H.biWidth) * H.biBitCount + 31) / 32) * 4;
    auto* Bits = static_cast<uint8_t*>(const_cast<void*>(ABits));
    AView.Width = H.biWidth;
    AView.Height = ARows;
    AView.BitCount = H.biBitCount;
    if (H.biHeight < 0) {
        AView.Bits = Bits;
        AView.Stride = RowBytes;
    } else {
        AView.Bits = Bits + RowBytes * (ARows - 1);
        AView.Stride = -RowBytes;
    }
    return true;
}

} // namespace

int SetDIBitsToDevice(HDC ADC, int AX, int AY, DWORD AWidth, DWORD AHeight, int AXSrc, int AYSrc, UINT AStartScan,
                      UINT ALines, const void* ABits, const BITMAPINFO* AInfo, UINT)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || AInfo == nullptr || ABits == nullptr || ALines == 0)
        return 0;
    const BITMAPINFOHEADER& H = AInfo->bmiHeader;
    bool TopDown = H.biHeight < 0;
    int64_t Height = std::abs(int64_t(H.biHeight));
    if (AStartScan >= Height)
        return 0;
    int64_t Lines = ALines;
    if (!TopDown && Lines > Height - AStartScan)
        Lines = Height - AStartScan;
    // The source rectangle counted from the top of the block of scan lines
    // held in ABits (scan lines grow upwards in DIB coordinates).
    int64_t SrcY = int64_t(AStartScan) + Lines - (int64_t(AYSrc) + AHeight);
    if (SrcY > 0) {
        if (!TopDown) {
            if (SrcY >= Lines)
                return 0;
            Lines -= SrcY;
            SrcY = 0;
        } else if (SrcY >= Lines) {
            return int(Lines);
        }
    }
    int Rows = int(TopDown ? std::min(Lines, Height) : Lines);
    TPixelSurface View;
    if (!DibView(ABits, H, Rows, View))
        return 0;
    TBlitOp Op;
    Transfer(*D, D->SX(AX), D->SY(AY), int(AWidth), int(AHeight), View, AXSrc, int(SrcY), int(AWidth),
             int(AHeight), Op);
    return int(Lines);
}

int StretchDIBits(HDC ADC, int AX, int AY, int AWidth, int AHeight, int AXSrc, int AYSrc, int AWSrc, int AHSrc,
                  const void* ABits, const BITMAPINFO* AInfo, UINT, DWORD ARop)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || AInfo == nullptr || ABits == nullptr)
        return 0;
    const BITMAPINFOHEADER& H = AInfo->bmiHeader;
    bool TopDown = H.biHeight < 0;
    int Height = std::abs(H.biHeight);
    TPixelSurface View;
    if (!DibView(ABits, H, Height, View))
        return 0;
    int DX = D->SX(AX), DY = D->SY(AY), DW = AWidth, DH = AHeight;
    int SX = AXSrc, SY = AYSrc, SW = AWSrc, SH = AHSrc;
    bool FromOrigin = SX == 0 && SY == 0 && SW == DW && SH == DH;
    // The platform's quirks: a one-pixel destination takes one source pixel
    // less, equal negative sizes are turned round one pixel off, and source
    // rows count from the bottom except for whole top-down copies.
    if (ARop != SRCCOPY || FromOrigin) {
        if (DW == 1 && SW > 1)
            --SW;
        if (DH == 1 && SH > 1)
            --SH;
    }
    if (ARop != SRCCOPY) {
        if (DW < 0 && DW == SW) {
            DX += DW;
            SX += SW;
            DW = -DW;
            SW = -SW;
        }
        if (DH < 0 && DH == SH) {
            DY += DH;
            SY += SH;
            DH = -DH;
            SH = -SH;
        }
    }
    if (!TopDown || (ARop == SRCCOPY && !FromOrigin))
        SY = Height - SY - SH;
    TBlitOp Op = RopOp(*D, ARop);
    Transfer(*D, DX, DY, DW, DH, View, SX, SY, SW, SH, Op);
    return ARop == SRCCOPY ? Height : H.biHeight;
}

} // namespace platform
