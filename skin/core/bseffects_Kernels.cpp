#include "skin/core/bseffects_Kernels.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <vector>

#include "skin/core/bseffects.h"

namespace skin {

using namespace platform;

namespace {

inline uint32_t Chan(TbsColor C, int AShift) { return (C >> AShift) & 0xFF; }

TbsPixelKernels& KernelTable()
{
    static TbsPixelKernels Table = [] {
        TbsPixelKernels T;
        if (IsMMXProcessor()) {
            T.BlendPixel = MMXBlendPixel;
            T.BlendLine = MMXBlendLine;
        }
        return T;
    }();
    return Table;
}

} // namespace

// ---- pixel kernels

TbsColor PlainBlendPixel(TbsColor AUpper, TbsColor ALower)
{
    uint32_t A = AUpper >> 24;
    if (A == 255)
        return AUpper;
    if (A == 0)
        return ALower;
    TbsColor R = 0xFF000000;
    for (int Shift = 0; Shift < 24; Shift += 8)
        R |= ((Chan(AUpper, Shift) * A + Chan(ALower, Shift) * (255 - A)) >> 8) << Shift;
    return R;
}

// The packed form computes ((s - d) * a + d * 256) >> 8 in 16-bit lanes;
// the true value always fits the lane, so the wrap-around never shows and
// this is exactly (s * a + d * (256 - a)) >> 8, alpha included.
TbsColor MMXBlendPixel(TbsColor AUpper, TbsColor ALower)
{
    uint32_t A = AUpper >> 24;
    TbsColor R = 0;
    for (int Shift = 0; Shift < 32; Shift += 8)
        R |= ((Chan(AUpper, Shift) * A + Chan(ALower, Shift) * (256 - A)) >> 8) << Shift;
    return R;
}

namespace {

// Both blend lines share their shortcuts: a source alpha of 0 leaves the
// destination, 255 copies the source exactly; only partial alphas blend.
template <TbsColor (*Blend)(TbsColor, TbsColor)> void BlendTail(const TbsColor* ASrc, TbsColor* ADst, int ACount)
{
    for (int I = 0; I < ACount; ++I) {
        uint32_t A = ASrc[I] >> 24;
        if (A == 255)
            ADst[I] = ASrc[I];
        else if (A != 0)
            ADst[I] = Blend(ASrc[I], ADst[I]);
    }
}

#if defined(__SSE2__)
// Four pixels at a time in 16-bit lanes, with the same results as the pixel
// functions above: (s * a + d * (AWeight - a)) >> 8 never exceeds 16 bits
// because a partial alpha is at least 1. The plain arithmetic then sets
// alpha opaque. Shortcut pixels are selected afterwards by masks.
template <int AWeight, bool AOpaque, TbsColor (*Blend)(TbsColor, TbsColor)>
void BlendLineSse2(const TbsColor* ASrc, TbsColor* ADst, int ACount)
{
    const __m128i Zero = _mm_setzero_si128();
    const __m128i Weight = _mm_set1_epi16(AWeight);
    const __m128i Full = _mm_set1_epi32(255);
    const __m128i AlphaByte = _mm_set1_epi32(int(0xFF000000u));
    auto Half = [&](__m128i S, __m128i D) {
        const __m128i A = _mm_shufflehi_epi16(_mm_shufflelo_epi16(S, 0xFF), 0xFF);
        const __m128i Sum = _mm_add_epi16(_mm_mullo_epi16(S, A), _mm_mullo_epi16(D, _mm_sub_epi16(Weight, A)));
        return _mm_srli_epi16(Sum, 8);
    };
    int I = 0;
    for (; I + 4 <= ACount; I += 4) {
        const __m128i S = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ASrc + I));
        const __m128i D = _mm_loadu_si128(reinterpret_cast<const __m128i*>(ADst + I));
        const __m128i Alpha = _mm_srli_epi32(S, 24);
        const __m128i Copy = _mm_cmpeq_epi32(Alpha, Full);
        const __m128i Keep = _mm_cmpeq_epi32(Alpha, Zero);
        __m128i R = _mm_packus_epi16(Half(_mm_unpacklo_epi8(S, Zero), _mm_unpacklo_epi8(D, Zero)),
                                     Half(_mm_unpackhi_epi8(S, Zero), _mm_unpackhi_epi8(D, Zero)));
        if (AOpaque)
            R = _mm_or_si128(R, AlphaByte);
        R = _mm_or_si128(_mm_and_si128(Copy, S), _mm_andnot_si128(Copy, R));
        R = _mm_or_si128(_mm_and_si128(Keep, D), _mm_andnot_si128(Keep, R));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(ADst + I), R);
    }
    BlendTail<Blend>(ASrc + I, ADst + I, ACount - I);
}
#endif

} // namespace

void PlainBlendLine(const TbsColor* ASrc, TbsColor* ADst, int ACount)
{
#if defined(__SSE2__)
    BlendLineSse2<255, true, PlainBlendPixel>(ASrc, ADst, ACount);
#else
    BlendTail<PlainBlendPixel>(ASrc, ADst, ACount);
#endif
}

void MMXBlendLine(const TbsColor* ASrc, TbsColor* ADst, int ACount)
{
#if defined(__SSE2__)
    BlendLineSse2<256, false, MMXBlendPixel>(ASrc, ADst, ACount);
#else
    BlendTail<MMXBlendPixel>(ASrc, ADst, ACount);
#endif
}

void KeyCopyLine(const TbsColor* ASrc, TbsColor* ADst, int ACount)
{
    for (int I = 0; I < ACount; ++I)
        if (!IsKeyPixel(ASrc[I]))
            ADst[I] = ASrc[I] | 0xFF000000;
}

void CopyLine(const TbsColor* ASrc, TbsColor* ADst, int ACount)
{
    if (ACount > 0 && ASrc != ADst)
        std::memmove(ADst, ASrc, size_t(ACount) * sizeof(TbsColor));
}

void FillLine(TbsColor* APixels, int ACount, TbsColor AValue)
{
    for (int I = 0; I < ACount; ++I)
        APixels[I] = AValue;
}

namespace {

// Runs a line kernel over rows AFirstRow..ALastRow, columns AFirstCol..ALastCol.
template <class F> void ForRectRows(TbsColor* APixels, int ARowLength, int ALastRow, int ALastCol, int AFirstRow,
                                    int AFirstCol, F ALine)
{
    for (int Y = AFirstRow; Y <= ALastRow; ++Y)
        ALine(APixels + intptr_t(Y) * ARowLength + AFirstCol, ALastCol - AFirstCol + 1);
}

} // namespace

void FillRectKernel(TbsColor* APixels, int ARowLength, int, TbsColor AValue, int ALastRow, int ALastCol,
                    int AFirstRow, int AFirstCol)
{
    ForRectRows(APixels, ARowLength, ALastRow, ALastCol, AFirstRow, AFirstCol,
                [&](TbsColor* P, int N) { FillLine(P, N, AValue); });
}

void SetAlphaLine(TbsColor* APixels, int ACount, uint8_t AAlpha)
{
    for (int I = 0; I < ACount; ++I)
        APixels[I] = (APixels[I] & 0x00FFFFFF) | (TbsColor(AAlpha) << 24);
}

void SetAlphaRectKernel(TbsColor* APixels, int ARowLength, int, uint8_t AAlpha, int ALastRow, int ALastCol,
                        int AFirstRow, int AFirstCol)
{
    ForRectRows(APixels, ARowLength, ALastRow, ALastCol, AFirstRow, AFirstCol,
                [&](TbsColor* P, int N) { SetAlphaLine(P, N, AAlpha); });
}

void KeyToAlphaZeroLine(TbsColor* APixels, int ACount, TbsColor AColor)
{
    for (int I = 0; I < ACount; ++I)
        if (((APixels[I] ^ AColor) & 0x00FFFFFF) == 0)
            APixels[I] &= 0x00FFFFFF;
}

const TbsPixelKernels& PixelKernels() { return KernelTable(); }

bool IsMMXProcessor()
{
#if defined(__i386__) || defined(__x86_64__)
    return __builtin_cpu_supports("mmx");
#else
    return false;
#endif
}

void SelectPixelKernels(bool AMMX)
{
    KernelTable().BlendPixel = AMMX ? MMXBlendPixel : PlainBlendPixel;
    KernelTable().BlendLine = AMMX ? MMXBlendLine : PlainBlendLine;
}

bool MMXKernelsSelected() { return KernelTable().BlendLine == MMXBlendLine; }

// ---- transfers into a device context

TbsDCDib QueryDCDib(HDC ADC)
{
    TbsDCDib R;
    HGDIOBJ Bmp = GetCurrentObject(ADC, OBJ_BITMAP);
    DIBSECTION DS;
    if (Bmp != nullptr && GetObjectW(Bmp, int(sizeof(DS)), &DS) == int(sizeof(DIBSECTION))) {
        R.Bits = DS.dsBm.bmBits;
        R.Width = DS.dsBmih.biWidth;
        R.Height = DS.dsBmih.biHeight;
        R.BitCount = DS.dsBmih.biBitCount;
    }
    return R;
}

void GdiCopy(HDC ADC, const TRect& ADstRect, const TRect& ASrcRect, TbsBitmap& ASource)
{
    SetStretchBltMode(ADC, COLORONCOLOR);
    StretchBlt(ADC, ADstRect.Left, ADstRect.Top, ADstRect.Width(), ADstRect.Height(), ASource.DC(), ASrcRect.Left,
               ASrcRect.Top, ASrcRect.Width(), ASrcRect.Height(), SRCCOPY);
}

// Copy the destination out, draw into the copy in memory, copy it back.
void GdiBlend(HDC ADC, const TRect& ADstRect, const TRect& ASrcRect, TbsBitmap& ASource)
{
    int W = ADstRect.Width(), H = ADstRect.Height();
    if (W <= 0 || H <= 0)
        return;
    TbsBitmap Temp;
    Temp.SetSize(W, H);
    BitBlt(Temp.DC(), 0, 0, W, H, ADC, ADstRect.Left, ADstRect.Top, SRCCOPY);
    ASource.Draw(Temp, Rect(0, 0, W, H), ASrcRect);
    BitBlt(ADC, ADstRect.Left, ADstRect.Top, W, H, Temp.DC(), 0, 0, SRCCOPY);
}

// The graphics layer has its own transparent copy on every screen depth it
// supports (32 bits), so the key goes to it, as on true-colour screens.
bool GdiKeyUsesTransparentBlt()
{
    static const bool Uses = [] {
        HDC Screen = CreateCompatibleDC(nullptr);
        int Bits = GetDeviceCaps(Screen, BITSPIXEL) * GetDeviceCaps(Screen, PLANES);
        DeleteDC(Screen);
        return Bits > 23;
    }();
    return Uses;
}

void GdiKey(HDC ADC, const TRect& ADstRect, const TRect& ASrcRect, TbsBitmap& ASource)
{
    if (!GdiKeyUsesTransparentBlt()) {
        GdiBlend(ADC, ADstRect, ASrcRect, ASource);
        return;
    }
    TransparentBlt(ADC, ADstRect.Left, ADstRect.Top, ADstRect.Width(), ADstRect.Height(), ASource.DC(),
                   ASrcRect.Left, ASrcRect.Top, ASrcRect.Width(), ASrcRect.Height(), bsTransparentColor);
}

// ---- clipped, scaled transfers into memory

namespace {

enum class TWriter { Copy, Blend, Key };

// A target in memory: row Y starts at Row0 + Y * Step pixels.
struct TTarget {
    TbsColor* Row0;
    intptr_t Step;
    int Width;
    int Height;
    TbsColor* Row(int AY) const { return Row0 + intptr_t(AY) * Step; }
};

void WriteRun(TWriter AWriter, const TbsColor* ASrc, TbsColor* ADst, int ACount)
{
    const TbsPixelKernels& K = PixelKernels();
    switch (AWriter) {
    case TWriter::Copy: K.CopyLine(ASrc, ADst, ACount); break;
    case TWriter::Blend: K.BlendLine(ASrc, ADst, ACount); break;
    case TWriter::Key: K.KeyCopyLine(ASrc, ADst, ACount); break;
    }
}

// Nearest-neighbour sample positions for AClipCount destination places
// starting at AClipStart. The scale is single precision as it always was;
// the product is formed in double so that it lands where the wider
// intermediate of the original put it.
std::vector<int> SampleTable(int AClipStart, int AClipCount, int ADstStart, int ADstLen, int ASrcStart, int ASrcEnd,
                             bool ARound)
{
    std::vector<int> T(static_cast<size_t>(AClipCount));
    int SrcLen = ASrcEnd - ASrcStart;
    if (ADstLen < 2) {
        std::fill(T.begin(), T.end(), (ASrcStart + ASrcEnd - 1) / 2);
        return T;
    }
    float Scale = float(SrcLen - 1) / float(ADstLen - 1);
    for (int I = 0; I < AClipCount; ++I) {
        double P = double(AClipStart + I - ADstStart) * double(Scale) + ASrcStart;
        int S = ARound ? RoundEven(P) : int(P);
        // The last position can round past the source's end by a hair.
        T[size_t(I)] = std::min(std::max(S, ASrcStart), ASrcEnd - 1);
    }
    return T;
}

void ScaledTransfer(const TTarget& ATarget, const TRect& ADst, const TRect& AClip, const TRect& ASrc,
                    const TbsBitmap& ASource, bool ARound, TWriter AWriter)
{
    if (ASrc.IsEmpty() || ASource.Empty())
        return;
    TRect C;
    C.Left = std::max({AClip.Left, 0, ADst.Left});
    C.Top = std::max({AClip.Top, 0, ADst.Top});
    C.Right = std::min({AClip.Right, ATarget.Width, ADst.Right});
    C.Bottom = std::min({AClip.Bottom, ATarget.Height, ADst.Bottom});
    if (C.IsEmpty())
        return;
    if (ASrc.Left < 0 || ASrc.Top < 0 || ASrc.Right > ASource.Width() || ASrc.Bottom > ASource.Height())
        return;
    int CW = C.Width();
    if (ASrc.Width() == ADst.Width() && ASrc.Height() == ADst.Height()) {
        int SX = ASrc.Left + C.Left - ADst.Left, SY = ASrc.Top + C.Top - ADst.Top;
        for (int Y = C.Top; Y < C.Bottom; ++Y)
            WriteRun(AWriter, ASource.GetPixelPtr(SX, SY + Y - C.Top), ATarget.Row(Y) + C.Left, CW);
        return;
    }
    std::vector<int> Cols = SampleTable(C.Left, CW, ADst.Left, ADst.Width(), ASrc.Left, ASrc.Right, ARound);
    std::vector<int> Rows =
        SampleTable(C.Top, C.Height(), ADst.Top, ADst.Height(), ASrc.Top, ASrc.Bottom, ARound);
    std::vector<TbsColor> Line(static_cast<size_t>(CW));
    int PrevRow = -1;
    for (int Y = C.Top; Y < C.Bottom; ++Y) {
        int SrcRow = Rows[size_t(Y - C.Top)];
        TbsColor* Out = ATarget.Row(Y) + C.Left;
        bool Same = SrcRow == PrevRow;
        if (!Same) {
            const TbsColor* In = ASource.GetScanLinePtr(SrcRow);
            TbsColor* Into = AWriter == TWriter::Copy ? Out : Line.data();
            for (int X = 0; X < CW; ++X)
                Into[X] = In[Cols[size_t(X)]];
        }
        if (AWriter == TWriter::Copy) {
            if (Same)
                PixelKernels().CopyLine(ATarget.Row(Y - 1) + C.Left, Out, CW);
        } else {
            WriteRun(AWriter, Line.data(), Out, CW);
        }
        PrevRow = SrcRow;
    }
}

TTarget DibTarget(TbsColor* APixels, int ADibHeight, int ADibWidth)
{
    return {APixels + intptr_t(ADibHeight - 1) * ADibWidth, -intptr_t(ADibWidth), ADibWidth, ADibHeight};
}

TTarget BitmapTarget(TbsBitmap& ABitmap)
{
    return {ABitmap.Bits(), ABitmap.Width(), ABitmap.Width(), ABitmap.Height()};
}

void ToBitmap(TbsBitmap& ATarget, const TRect& ADst, const TRect& AClip, const TRect& ASrc,
              const TbsBitmap& ASource, TWriter AWriter)
{
    if (ATarget.Empty())
        return;
    ScaledTransfer(BitmapTarget(ATarget), ADst, AClip, ASrc, ASource, false, AWriter);
}

} // namespace

void DibCopy(TbsColor* APixels, const TRect& ADstRect, const TRect& AClip, const TRect& ASrcRect,
             const TbsBitmap& ASource, int ADibHeight, int ADibWidth)
{
    ScaledTransfer(DibTarget(APixels, ADibHeight, ADibWidth), ADstRect, AClip, ASrcRect, ASource, true,
                   TWriter::Copy);
}

void DibBlend(TbsColor* APixels, const TRect& ADstRect, const TRect& AClip, const TRect& ASrcRect,
              const TbsBitmap& ASource, int ADibHeight, int ADibWidth)
{
    ScaledTransfer(DibTarget(APixels, ADibHeight, ADibWidth), ADstRect, AClip, ASrcRect, ASource, true,
                   TWriter::Blend);
}

void DibKey(TbsColor* APixels, const TRect& ADstRect, const TRect& AClip, const TRect& ASrcRect,
            const TbsBitmap& ASource, int ADibHeight, int ADibWidth)
{
    ScaledTransfer(DibTarget(APixels, ADibHeight, ADibWidth), ADstRect, AClip, ASrcRect, ASource, true,
                   TWriter::Key);
}

void BitmapCopy(TbsBitmap& ATarget, const TRect& ADstRect, const TRect& AClip, const TRect& ASrcRect,
                const TbsBitmap& ASource)
{
    ToBitmap(ATarget, ADstRect, AClip, ASrcRect, ASource, TWriter::Copy);
}

void BitmapBlend(TbsBitmap& ATarget, const TRect& ADstRect, const TRect& AClip, const TRect& ASrcRect,
                 const TbsBitmap& ASource)
{
    ToBitmap(ATarget, ADstRect, AClip, ASrcRect, ASource, TWriter::Blend);
}

void BitmapKey(TbsBitmap& ATarget, const TRect& ADstRect, const TRect& AClip, const TRect& ASrcRect,
               const TbsBitmap& ASource)
{
    ToBitmap(ATarget, ADstRect, AClip, ASrcRect, ASource, TWriter::Key);
}

} // namespace skin
