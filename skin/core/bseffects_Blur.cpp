// Whole-bitmap blur, alpha taken from a grey mask, and premultiplied
// pieces laid over an image.

#include <algorithm>
#include <vector>

#include "skin/core/bseffects.h"

namespace skin {

namespace {

// One pass of the triangular kernel (weights R + 1 - |k|, edges repeated)
// over N values AStride apart. The weighted sum moves by (values entering
// on the right) - (values leaving on the left), so each step costs the same
// whatever the radius.
void TrianglePass(const int* AIn, int* AOut, int N, int AStride, int R)
{
    auto At = [&](int I) { return AIn[intptr_t(std::clamp(I, 0, N - 1)) * AStride]; };
    const int D = (R + 1) * (R + 1);
    int64_t Sum = 0, In = 0, Out = 0;
    for (int K = -R; K <= R; ++K)
        Sum += int64_t(R + 1 - std::abs(K)) * At(K);
    for (int K = 1; K <= R + 1; ++K)
        In += At(K);
    for (int K = -R; K <= 0; ++K)
        Out += At(K);
    for (int X = 0; X < N; ++X) {
        AOut[intptr_t(X) * AStride] = int(Sum / D);
        Sum += In - Out;
        In += At(X + R + 2) - At(X + 1);
        Out += At(X + 1) - At(X - R);
    }
}

} // namespace

void BlurBitmap(TbsBitmap& ABitmap, int ARadius)
{
    if (ARadius <= 0 || ABitmap.Empty())
        return;
    const int W = ABitmap.Width(), H = ABitmap.Height();
    const size_t N = size_t(W) * size_t(H);
    std::vector<int> Plane(N), Pass(N), Result(N);
    TbsColor* Bits = ABitmap.Bits();
    std::vector<TbsColor> Out(N, 0xFF000000);
    for (int Shift = 0; Shift < 24; Shift += 8) {
        for (size_t I = 0; I < N; ++I)
            Plane[I] = int((Bits[I] >> Shift) & 0xFF);
        for (int Y = 0; Y < H; ++Y)
            TrianglePass(Plane.data() + size_t(Y) * W, Pass.data() + size_t(Y) * W, W, 1, ARadius);
        for (int X = 0; X < W; ++X)
            TrianglePass(Pass.data() + X, Result.data() + X, H, W, ARadius);
        for (size_t I = 0; I < N; ++I)
            Out[I] |= TbsColor(Result[I]) << Shift;
    }
    std::copy(Out.begin(), Out.end(), Bits);
}

void AlphaFromGrayBitmap(TbsBitmap& ABitmap, const TbsBitmap& ASrc)
{
    if (ABitmap.Empty() || ASrc.Empty())
        return;
    // Only the common size: a smaller mask is never read past its edge.
    int W = std::min(ABitmap.Width(), ASrc.Width()), H = std::min(ABitmap.Height(), ASrc.Height());
    for (int Y = 0; Y < H; ++Y) {
        TbsColor* D = ABitmap.GetScanLinePtr(Y);
        const TbsColor* S = ASrc.GetScanLinePtr(Y);
        for (int X = 0; X < W; ++X) {
            TbsColor P = S[X];
            TbsColor Grey = (((P >> 16) & 0xFF) + ((P >> 8) & 0xFF) + (P & 0xFF)) / 3;
            D[X] = (D[X] & 0x00FFFFFF) | (Grey << 24);
        }
    }
}

void ComposeOver(TbsBitmap& AImage, int X, int Y, const TbsBitmap& APiece)
{
    for (int y = 0; y < APiece.Height(); ++y) {
        const int ty = Y + y;
        if (ty < 0 || ty >= AImage.Height())
            continue;
        for (int x = 0; x < APiece.Width(); ++x) {
            const int tx = X + x;
            if (tx < 0 || tx >= AImage.Width())
                continue;
            const TbsColor s = *APiece.GetPixelPtr(x, y);
            TbsColor& d = *AImage.GetPixelPtr(tx, ty);
            const uint32_t through = 255 - (s >> 24);
            TbsColor out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const uint32_t c = ((s >> shift) & 0xFF) + (((d >> shift) & 0xFF) * through + 127) / 255;
                out |= std::min<uint32_t>(c, 255) << shift;
            }
            d = out;
        }
    }
}

void AlphaFromGrayBitmapPremul(TbsBitmap& ABitmap, const TbsBitmap& ASrc)
{
    AlphaFromGrayBitmap(ABitmap, ASrc);
    ABitmap.CheckRGBA2();
}

} // namespace skin
