// Pens and brushes on pixels: spans, aliased lines, rectangles, round
// rectangles, ellipses, polygons, patterns and raster modes.

#include <algorithm>
#include <cmath>

#include "platform/gfx/GdiInternal.h"

namespace platform {

namespace {

void RawSpan(const TPixelSurface& S, int Y, int X0, int X1, uint32_t P, int ARop2)
{
    if (ARop2 == R2_COPYPEN) {
        if (S.BitCount == 32) {
            std::fill_n(reinterpret_cast<uint32_t*>(S.Row(Y)) + X0, X1 - X0, P);
        } else {
            const uint8_t B = uint8_t(P), G = uint8_t(P >> 8), R = uint8_t(P >> 16);
            for (uint8_t *At = S.Row(Y) + X0 * 3, *End = S.Row(Y) + X1 * 3; At < End; At += 3) {
                At[0] = B;
                At[1] = G;
                At[2] = R;
            }
        }
        return;
    }
    for (int X = X0; X < X1; ++X)
        WritePixel(S, X, Y, ApplyRop2(ARop2, P, ReadPixel(S, X, Y)));
}

// 8 x 8 hatch patterns, one byte per row, bit 7 = leftmost pixel.
const uint8_t HatchBits[6][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF}, // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0xFF}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
};

bool HasPen(const TGdiPen* P) { return P != nullptr && P->Style != PS_NULL; }
bool HasBrush(const TGdiBrush* B) { return B != nullptr && B->Style != BS_NULL; }

} // namespace

void FillSpan(TDeviceContext& D, int Y, int X0, int X1, uint32_t APixel, int ARop2)
{
    if (X0 >= X1 || ARop2 == R2_NOP)
        return;
    for (const TRect& R : D.ClipRects()) {
        if (R.Top > Y)
            break;
        if (Y >= R.Bottom)
            continue;
        int A = std::max(X0, R.Left), B = std::min(X1, R.Right);
        if (A < B)
            RawSpan(D.Surface, Y, A, B, APixel, ARop2);
    }
}

void PlotPixel(TDeviceContext& D, int X, int Y, uint32_t APixel, int ARop2)
{
    if (PointVisible(D, X, Y))
        WritePixel(D.Surface, X, Y, ApplyRop2(ARop2, APixel, ReadPixel(D.Surface, X, Y)));
}

// One row of brush, inclusive of X1 - 1; hatch pixels use the brush colour,
// the gaps the background colour when the background mode is opaque.
static void BrushSpan(TDeviceContext& D, int Y, int X0, int X1, const TGdiBrush* ABrush, int ARop2)
{
    if (!HasBrush(ABrush) || X0 >= X1)
        return;
    uint32_t P = ColorToPixel(D.BrushColor(ABrush));
    if (ABrush->Style != BS_HATCHED) {
        FillSpan(D, Y, X0, X1, P, ARop2);
        return;
    }
    uint32_t Bk = ColorToPixel(D.State.BkColor);
    uint8_t Row = HatchBits[ABrush->Hatch][unsigned(Y - D.State.BrushOrg.Y) & 7];
    for (int X = X0; X < X1; ++X) {
        bool On = Row & (0x80 >> (unsigned(X - D.State.BrushOrg.X) & 7));
        if (On)
            PlotPixel(D, X, Y, P, ARop2);
        else if (D.State.BkMode == OPAQUE)
            PlotPixel(D, X, Y, Bk, ARop2);
    }
}

void FillBoxBrush(TDeviceContext& D, const TRect& ABox, const TGdiBrush* ABrush, int ARop2)
{
    const TRect& C = D.ClipBounds();
    for (int Y = std::max(ABox.Top, C.Top); Y < std::min(ABox.Bottom, C.Bottom); ++Y)
        BrushSpan(D, Y, ABox.Left, ABox.Right, ABrush, ARop2);
}

// ---- lines

namespace {

struct TDashPattern {
    int Count;
    int Lengths[6];
};
const TDashPattern DashPatterns[] = {
    {0, {}}, {2, {18, 6}}, {2, {3, 3}}, {4, {9, 6, 3, 6}}, {6, {9, 3, 3, 3, 3, 3}},
};

class TLinePainter {
public:
    TLinePainter(TDeviceContext& AD, const TGdiPen* APen) : D(AD), Pen(APen)
    {
        Pixel = ColorToPixel(D.PenColor(Pen));
        Bk = ColorToPixel(D.State.BkColor);
        Width = Pen->Width;
        if (Pen->Style >= PS_DASH && Pen->Style <= PS_DASHDOTDOT)
            Dash = &DashPatterns[Pen->Style];
    }

    // Aliased line from A to B in surface coordinates, B excluded.
    void Line(TPoint A, TPoint B)
    {
        int DX = std::abs(B.X - A.X), DY = std::abs(B.Y - A.Y);
        int SX = B.X >= A.X ? 1 : -1, SY = B.Y >= A.Y ? 1 : -1;
        int Steps = std::max(DX, DY);
        for (int I = 0; I < Steps; ++I) {
            int X, Y;
            if (DX >= DY) {
                X = A.X + SX * I;
                Y = A.Y + SY * int((2 * int64_t(I) * DY + DX) / (2 * int64_t(DX)));
            } else {
                Y = A.Y + SY * I;
                X = A.X + SX * int((2 * int64_t(I) * DX + DY) / (2 * int64_t(DY)));
            }
            Dot(X, Y);
        }
    }

    void Dot(int X, int Y)
    {
        bool On = true;
        if (Dash != nullptr) {
            int Pos = DashPos % DashTotal();
            int Seg = 0;
            while (Pos >= Dash->Lengths[Seg])
                Pos -= Dash->Lengths[Seg++];
            On = (Seg & 1) == 0;
            ++DashPos;
        }
        if (!On && D.State.BkMode != OPAQUE)
            return;
        uint32_t P = On ? Pixel : Bk;
        if (Width <= 1) {
            PlotPixel(D, X, Y, P, D.State.Rop2);
            return;
        }
        int X0 = X - Width / 2;
        for (int YY = Y - Width / 2; YY < Y - Width / 2 + Width; ++YY)
            FillSpan(D, YY, X0, X0 + Width, P, D.State.Rop2);
    }

private:
    int DashTotal() const
    {
        int T = 0;
        for (int I = 0; I < Dash->Count; ++I)
            T += Dash->Lengths[I];
        return T;
    }
    TDeviceContext& D;
    const TGdiPen* Pen;
    uint32_t Pixel = 0;
    uint32_t Bk = 0;
    int Width = 1;
    const TDashPattern* Dash = nullptr;
    int DashPos = 0;
};

TPoint ToSurface(const TDeviceContext& D, TPoint P)
{
    return {D.SX(P.X), D.SY(P.Y)};
}

// Outline and fill of a shape given by its row spans (surface coordinates).
// The outline of a row is the part not covered by both neighbouring rows,
// so the shape's border is one pixel thick and has no gaps.
void DrawSpanShape(TDeviceContext& D, int ATop, const std::vector<TRowSpan>& S, const TGdiPen* APen,
                   const TGdiBrush* ABrush, bool AOutline)
{
    int N = int(S.size());
    uint32_t PenPix = AOutline ? ColorToPixel(D.PenColor(APen)) : 0;
    int Rop = D.State.Rop2;
    for (int I = 0; I < N; ++I) {
        int Y = ATop + I, XL = S[size_t(I)].Left, XR = S[size_t(I)].Right;
        if (XR < XL)
            continue;
        if (!AOutline) {
            BrushSpan(D, Y, XL, XR + 1, ABrush, Rop);
            continue;
        }
        if (I == 0 || I == N - 1) {
            FillSpan(D, Y, XL, XR + 1, PenPix, Rop);
            continue;
        }
        int NL = std::max(S[size_t(I - 1)].Left, S[size_t(I + 1)].Left);
        int NR = std::min(S[size_t(I - 1)].Right, S[size_t(I + 1)].Right);
        int LeftEnd = std::max(XL, NL - 1);
        int RightStart = std::min(XR, NR + 1);
        if (LeftEnd + 1 >= RightStart) {
            FillSpan(D, Y, XL, XR + 1, PenPix, Rop);
            continue;
        }
        FillSpan(D, Y, XL, LeftEnd + 1, PenPix, Rop);
        BrushSpan(D, Y, LeftEnd + 1, RightStart, ABrush, Rop);
        FillSpan(D, Y, RightStart, XR + 1, PenPix, Rop);
    }
}

// Round rectangles and ellipses (ACornerW/H = box size) with the pen rules:
// a thick pen draws concentric outlines inwards; without a pen the filled
// shape is one pixel smaller to the right and bottom.
BOOL DrawRoundShape(HDC ADC, int L, int T, int R, int B, int CW, int CH)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return FALSE;
    if (!D->CanDraw())
        return TRUE;
    int X0 = D->SX(std::min(L, R)), X1 = D->SX(std::max(L, R));
    int Y0 = D->SY(std::min(T, B)), Y1 = D->SY(std::max(T, B));
    const TGdiPen* Pen = D->State.Pen;
    const TGdiBrush* Brush = D->State.Brush;
    if (!HasPen(Pen)) {
        if (X1 - X0 >= 2 && Y1 - Y0 >= 2)
            DrawSpanShape(*D, Y0, RoundRectSpans(X0, Y0, X1 - 2, Y1 - 2, CW, CH), Pen, Brush, false);
        return TRUE;
    }
    if (X1 - X0 < 1 || Y1 - Y0 < 1)
        return TRUE;
    int W = Pen->Width;
    int Outset = Pen->Style == PS_INSIDEFRAME ? 0 : W / 2;
    for (int K = 0; K < W; ++K) {
        int Inset = K - Outset;
        int BL = X0 + Inset, BT = Y0 + Inset, BR = X1 - 1 - Inset, BB = Y1 - 1 - Inset;
        if (BR < BL || BB < BT)
            break;
        bool Last = K == W - 1;
        auto Spans = RoundRectSpans(BL, BT, BR, BB, std::max(CW - 2 * Inset, 0), std::max(CH - 2 * Inset, 0));
        DrawSpanShape(*D, BT, Spans, Pen, Last ? Brush : nullptr, true);
    }
    return TRUE;
}

} // namespace

std::vector<TRowSpan> RoundRectSpans(int ALeft, int ATop, int ARight, int ABottom, int ACornerW, int ACornerH)
{
    int W = ARight - ALeft + 1, H = ABottom - ATop + 1;
    std::vector<TRowSpan> Spans(size_t(std::max(H, 0)), TRowSpan{ALeft, ARight});
    int CW = std::min(std::abs(ACornerW), W), CH = std::min(std::abs(ACornerH), H);
    if (CW < 2 || CH < 2)
        return Spans;
    // Corner ellipse of CW x CH pixels: pixel centres inside the ellipse
    // that touches the edges of its box.
    double A = CW / 2.0, B = CH / 2.0;
    int Half = (CH + 1) / 2;
    for (int I = 0; I < Half; ++I) {
        double DY = (I + 0.5) - B;
        double T = 1.0 - (DY * DY) / (B * B);
        double DX = T > 0 ? A * std::sqrt(T) : 0;
        int Inset = int(std::ceil(A - DX - 0.5 - 1e-9));
        Inset = std::clamp(Inset, 0, CW / 2);
        for (int Row : {I, H - 1 - I}) {
            Spans[size_t(Row)].Left = ALeft + Inset;
            Spans[size_t(Row)].Right = ARight - Inset;
        }
    }
    return Spans;
}

std::vector<TSpan> PolygonSpans(const TPoint* APoints, int ACount, int AFillMode)
{
    std::vector<TSpan> Out;
    if (ACount < 3)
        return Out;
    int MinY = APoints[0].Y, MaxY = APoints[0].Y;
    for (int I = 1; I < ACount; ++I) {
        MinY = std::min(MinY, APoints[I].Y);
        MaxY = std::max(MaxY, APoints[I].Y);
    }
    struct TCross {
        double X;
        int Dir;
    };
    std::vector<TCross> Cross;
    for (int Y = MinY; Y < MaxY; ++Y) {
        double YC = Y + 0.5;
        Cross.clear();
        for (int I = 0; I < ACount; ++I) {
            TPoint A = APoints[I], B = APoints[(I + 1) % ACount];
            if (A.Y == B.Y)
                continue;
            int Dir = B.Y > A.Y ? 1 : -1;
            if (Dir < 0)
                std::swap(A, B);
            if (YC < A.Y || YC >= B.Y)
                continue;
            Cross.push_back({A.X + (YC - A.Y) * (B.X - A.X) / double(B.Y - A.Y), Dir});
        }
        std::sort(Cross.begin(), Cross.end(), [](const TCross& P, const TCross& Q) { return P.X < Q.X; });
        int Wind = 0;
        for (size_t I = 0; I + 1 < Cross.size(); ++I) {
            Wind += Cross[I].Dir;
            bool Inside = AFillMode == WINDING ? Wind != 0 : (I % 2) == 0;
            if (!Inside)
                continue;
            int XL = int(std::ceil(Cross[I].X - 0.5));
            int XR = int(std::ceil(Cross[I + 1].X - 0.5)) - 1;
            if (XR >= XL)
                Out.push_back({Y, XL, XR});
        }
    }
    return Out;
}

BOOL LineTo(HDC ADC, int AX, int AY)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return FALSE;
    TPoint From = D->State.CurPos;
    D->State.CurPos = {AX, AY};
    if (HasPen(D->State.Pen) && D->CanDraw()) {
        TLinePainter P(*D, D->State.Pen);
        P.Line(ToSurface(*D, From), ToSurface(*D, {AX, AY}));
    }
    return TRUE;
}

static void DrawPolyline(TDeviceContext& D, const POINT* APoints, int ACount, bool AClose)
{
    if (!HasPen(D.State.Pen) || !D.CanDraw() || ACount < 2)
        return;
    TLinePainter P(D, D.State.Pen);
    for (int I = 0; I + 1 < ACount; ++I)
        P.Line(ToSurface(D, APoints[I]), ToSurface(D, APoints[I + 1]));
    if (AClose)
        P.Line(ToSurface(D, APoints[ACount - 1]), ToSurface(D, APoints[0]));
}

BOOL Polyline(HDC ADC, const POINT* APoints, int ACount)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || APoints == nullptr || ACount < 2)
        return FALSE;
    DrawPolyline(*D, APoints, ACount, false);
    return TRUE;
}

BOOL PolylineTo(HDC ADC, const POINT* APoints, int ACount)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || APoints == nullptr || ACount < 1)
        return FALSE;
    std::vector<POINT> All{D->State.CurPos};
    All.insert(All.end(), APoints, APoints + ACount);
    DrawPolyline(*D, All.data(), int(All.size()), false);
    D->State.CurPos = APoints[ACount - 1];
    return TRUE;
}

BOOL Polygon(HDC ADC, const POINT* APoints, int ACount)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || APoints == nullptr || ACount < 2)
        return FALSE;
    if (!D->CanDraw())
        return TRUE;
    if (HasBrush(D->State.Brush)) {
        std::vector<TPoint> Pts(static_cast<size_t>(ACount));
        for (int I = 0; I < ACount; ++I)
            Pts[size_t(I)] = ToSurface(*D, APoints[I]);
        for (const TSpan& S : PolygonSpans(Pts.data(), ACount, D->State.PolyFillMode))
            BrushSpan(*D, S.Y, S.Left, S.Right + 1, D->State.Brush, D->State.Rop2);
    }
    DrawPolyline(*D, APoints, ACount, true);
    return TRUE;
}

BOOL Rectangle(HDC ADC, int ALeft, int ATop, int ARight, int ABottom)
{
    return DrawRoundShape(ADC, ALeft, ATop, ARight, ABottom, 0, 0);
}

BOOL RoundRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom, int AWidth, int AHeight)
{
    return DrawRoundShape(ADC, ALeft, ATop, ARight, ABottom, AWidth, AHeight);
}

BOOL Ellipse(HDC ADC, int ALeft, int ATop, int ARight, int ABottom)
{
    return DrawRoundShape(ADC, ALeft, ATop, ARight, ABottom, std::abs(ARight - ALeft), std::abs(ABottom - ATop));
}

// ---- rectangles with brushes and patterns

namespace {

TRect SurfaceRect(const TDeviceContext& D, const RECT& R)
{
    return {D.SX(R.Left), D.SY(R.Top), D.SX(R.Right), D.SY(R.Bottom)};
}

TGdiBrush* AsBrush(HBRUSH ABrush)
{
    // System colour indexes + 1 stand for their brushes, as class brushes do.
    auto Index = reinterpret_cast<uintptr_t>(ABrush);
    if (Index >= 1 && Index <= uintptr_t(COLOR_ENDCOLORS) + 1)
        return GetSysColorBrush(int(Index - 1));
    return CheckObject<TGdiBrush>(ABrush, OBJ_BRUSH);
}

} // namespace

int FillRect(HDC ADC, const RECT* ARect, HBRUSH ABrush)
{
    TDeviceContext* D = CheckDC(ADC);
    TGdiBrush* B = AsBrush(ABrush);
    if (D == nullptr || ARect == nullptr || B == nullptr)
        return FALSE;
    if (D->CanDraw()) {
        TRect S = SurfaceRect(*D, *ARect);
        if (!S.IsEmpty())
            FillBoxBrush(*D, S, B, R2_COPYPEN);
    }
    return TRUE;
}

int FrameRect(HDC ADC, const RECT* ARect, HBRUSH ABrush)
{
    TDeviceContext* D = CheckDC(ADC);
    TGdiBrush* B = AsBrush(ABrush);
    if (D == nullptr || ARect == nullptr || B == nullptr)
        return FALSE;
    TRect S = SurfaceRect(*D, *ARect);
    if (S.IsEmpty() || !D->CanDraw())
        return TRUE;
    FillBoxBrush(*D, {S.Left, S.Top, S.Right, S.Top + 1}, B, R2_COPYPEN);
    if (S.Height() > 1)
        FillBoxBrush(*D, {S.Left, S.Bottom - 1, S.Right, S.Bottom}, B, R2_COPYPEN);
    FillBoxBrush(*D, {S.Left, S.Top + 1, S.Left + 1, S.Bottom - 1}, B, R2_COPYPEN);
    if (S.Width() > 1)
        FillBoxBrush(*D, {S.Right - 1, S.Top + 1, S.Right, S.Bottom - 1}, B, R2_COPYPEN);
    return TRUE;
}

BOOL InvertRect(HDC ADC, const RECT* ARect)
{
    if (ARect == nullptr)
        return FALSE;
    return PatBlt(ADC, ARect->Left, ARect->Top, ARect->Right - ARect->Left, ARect->Bottom - ARect->Top, DSTINVERT);
}

BOOL DrawFocusRect(HDC ADC, const RECT* ARect)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || ARect == nullptr)
        return FALSE;
    TRect S = SurfaceRect(*D, *ARect);
    if (S.IsEmpty() || !D->CanDraw())
        return TRUE;
    // A dotted frame inverted with XOR, dots on a checkerboard of the
    // surface so that drawing it twice restores the pixels.
    auto Dot = [&](int X, int Y) {
        if (((X + Y) & 1) == 0)
            PlotPixel(*D, X, Y, 0x00FFFFFF, R2_XORPEN);
    };
    for (int X = S.Left; X < S.Right; ++X) {
        Dot(X, S.Top);
        if (S.Height() > 1)
            Dot(X, S.Bottom - 1);
    }
    for (int Y = S.Top + 1; Y < S.Bottom - 1; ++Y) {
        Dot(S.Left, Y);
        if (S.Width() > 1)
            Dot(S.Right - 1, Y);
    }
    return TRUE;
}

BOOL PatBlt(HDC ADC, int AX, int AY, int AWidth, int AHeight, DWORD ARop)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr)
        return FALSE;
    if (!D->CanDraw())
        return TRUE;
    TRect S{D->SX(std::min(AX, AX + AWidth)), D->SY(std::min(AY, AY + AHeight)), D->SX(std::max(AX, AX + AWidth)),
            D->SY(std::max(AY, AY + AHeight))};
    uint8_t Code = uint8_t(ARop >> 16);
    const TGdiBrush* B = D->State.Brush;
    if (Code == 0xF0) { // PATCOPY
        FillBoxBrush(*D, S, B, R2_COPYPEN);
        return TRUE;
    }
    uint32_t P = HasBrush(B) ? ColorToPixel(D->BrushColor(B)) : 0;
    const TRect& C = D->ClipBounds();
    for (int Y = std::max(S.Top, C.Top); Y < std::min(S.Bottom, C.Bottom); ++Y)
        for (const TRect& R : D->ClipRects()) {
            if (Y < R.Top || Y >= R.Bottom)
                continue;
            for (int X = std::max(S.Left, R.Left); X < std::min(S.Right, R.Right); ++X)
                WritePixel(D->Surface, X, Y, ApplyRop3(Code, P, 0, ReadPixel(D->Surface, X, Y)));
        }
    return TRUE;
}

BOOL DrawEdge(HDC ADC, RECT* ARect, UINT AEdge, UINT AFlags)
{
    if (CheckDC(ADC) == nullptr || ARect == nullptr)
        return FALSE;
    // Outer pair first: top-left colour, bottom-right colour.
    struct TPair {
        UINT Raised, Sunken;
        int TL[2], BR[2]; // colours for raised, sunken
    };
    const TPair Pairs[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, {COLOR_3DLIGHT, COLOR_BTNSHADOW}, {COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT}},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, {COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW}, {COLOR_BTNSHADOW, COLOR_3DLIGHT}},
    };
    TRect R = *ARect;
    for (const TPair& P : Pairs) {
        int Kind = (AEdge & P.Raised) ? 0 : (AEdge & P.Sunken) ? 1 : -1;
        if (Kind < 0)
            continue;
        int TL = (AFlags & BF_MONO) ? COLOR_WINDOWFRAME : P.TL[Kind];
        int BR = (AFlags & BF_MONO) ? COLOR_WINDOWFRAME : P.BR[Kind];
        if (AFlags & BF_TOP) {
            RECT E{R.Left, R.Top, R.Right, R.Top + 1};
            FillRect(ADC, &E, GetSysColorBrush(TL));
        }
        if (AFlags & BF_LEFT) {
            RECT E{R.Left, R.Top, R.Left + 1, R.Bottom};
            FillRect(ADC, &E, GetSysColorBrush(TL));
        }
        if (AFlags & BF_BOTTOM) {
            RECT E{R.Left, R.Bottom - 1, R.Right, R.Bottom};
            FillRect(ADC, &E, GetSysColorBrush(BR));
        }
        if (AFlags & BF_RIGHT) {
            RECT E{R.Right - 1, R.Top, R.Right, R.Bottom};
            FillRect(ADC, &E, GetSysColorBrush(BR));
        }
        R = {R.Left + ((AFlags & BF_LEFT) ? 1 : 0), R.Top + ((AFlags & BF_TOP) ? 1 : 0),
             R.Right - ((AFlags & BF_RIGHT) ? 1 : 0), R.Bottom - ((AFlags & BF_BOTTOM) ? 1 : 0)};
    }
    if (AFlags & BF_MIDDLE)
        FillRect(ADC, &R, GetSysColorBrush(COLOR_BTNFACE));
    if (AFlags & BF_ADJUST)
        *ARect = R;
    return TRUE;
}

COLORREF SetPixel(HDC ADC, int AX, int AY, COLORREF AColor)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || D->Surface.Bits == nullptr)
        return CLR_INVALID;
    int X = D->SX(AX), Y = D->SY(AY);
    if (!PointVisible(*D, X, Y))
        return CLR_INVALID;
    WritePixel(D->Surface, X, Y, ColorToPixel(AColor));
    return AColor & 0xFFFFFF;
}

BOOL SetPixelV(HDC ADC, int AX, int AY, COLORREF AColor)
{
    return SetPixel(ADC, AX, AY, AColor) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC ADC, int AX, int AY)
{
    TDeviceContext* D = CheckDC(ADC);
    if (D == nullptr || D->Surface.Bits == nullptr)
        return CLR_INVALID;
    int X = D->SX(AX), Y = D->SY(AY);
    if (!PointVisible(*D, X, Y))
        return CLR_INVALID;
    return PixelToColor(ReadPixel(D->Surface, X, Y));
}

BOOL FillRgn(HDC ADC, HRGN ARegion, HBRUSH ABrush)
{
    TDeviceContext* D = CheckDC(ADC);
    auto* R = CheckObject<TGdiRegion>(ARegion, OBJ_REGION);
    TGdiBrush* B = AsBrush(ABrush);
    if (D == nullptr || R == nullptr || B == nullptr)
        return FALSE;
    if (!D->CanDraw())
        return TRUE;
    // Regions are in logical coordinates here, like the other drawing calls.
    int N = 0;
    const pixman_box32_t* Boxes = pixman_region32_rectangles(&R->Region, &N);
    for (int I = 0; I < N; ++I)
        FillBoxBrush(*D, {D->SX(Boxes[I].x1), D->SY(Boxes[I].y1), D->SX(Boxes[I].x2), D->SY(Boxes[I].y2)}, B,
                     R2_COPYPEN);
    return TRUE;
}

BOOL PaintRgn(HDC ADC, HRGN ARegion)
{
    TDeviceContext* D = CheckDC(ADC);
    return D != nullptr ? FillRgn(ADC, ARegion, D->State.Brush) : FALSE;
}

BOOL FrameRgn(HDC ADC, HRGN ARegion, HBRUSH ABrush, int AWidth, int AHeight)
{
    auto* R = CheckObject<TGdiRegion>(ARegion, OBJ_REGION);
    if (R == nullptr || CheckDC(ADC) == nullptr)
        return FALSE;
    // The frame is the region minus the region shrunk by the frame size:
    // the intersection of the region moved in each of the four directions.
    HRGN Inner = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(Inner, ARegion, nullptr, RGN_COPY);
    const int Moves[4][2] = {{AWidth, 0}, {-AWidth, 0}, {0, AHeight}, {0, -AHeight}};
    for (const auto& M : Moves) {
        HRGN Shifted = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(Shifted, ARegion, nullptr, RGN_COPY);
        OffsetRgn(Shifted, M[0], M[1]);
        CombineRgn(Inner, Inner, Shifted, RGN_AND);
        DeleteObject(Shifted);
    }
    HRGN Frame = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(Frame, ARegion, Inner, RGN_DIFF);
    BOOL Result = FillRgn(ADC, Frame, ABrush);
    DeleteObject(Frame);
    DeleteObject(Inner);
    return Result;
}

} // namespace platform
