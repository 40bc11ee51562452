// The skin engine's pixel work on a window-sized frame (827 x 489): blend
// lines in both arithmetics, a scaled alpha draw between skin bitmaps, the
// nine-piece composition of a control face, and the glow blur of a caption.
// Prints milliseconds per operation (best of several rounds).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "skin/core/bseffects.h"
#include "skin/core/bsUtils_SkinImage.h"

using namespace skin;
using platform::Point;
using platform::Rect;

namespace {

constexpr int FrameW = 827, FrameH = 489;

double BestMs(int ARepeats, const std::function<void()>& AWork)
{
    double Best = 1e300;
    for (int Round = 0; Round < 5; ++Round) {
        auto Start = std::chrono::steady_clock::now();
        for (int I = 0; I < ARepeats; ++I)
            AWork();
        std::chrono::duration<double, std::milli> D = std::chrono::steady_clock::now() - Start;
        Best = std::min(Best, D.count() / ARepeats);
    }
    return Best;
}

void Fill(TbsBitmap& B, uint32_t ASeed)
{
    for (int I = 0, N = B.Width() * B.Height(); I < N; ++I)
        B.Bits()[I] = (ASeed = ASeed * 1103515245u + 12345u);
}

} // namespace

int main()
{
    TbsBitmap Frame, Layer;
    Frame.SetSize(FrameW, FrameH);
    Layer.SetSize(FrameW, FrameH);
    Fill(Frame, 1);
    Fill(Layer, 2);
    for (bool MMX : {false, true}) {
        auto Line = MMX ? MMXBlendLine : PlainBlendLine;
        double Ms = BestMs(20, [&] {
            for (int Y = 0; Y < FrameH; ++Y)
                Line(Layer.GetScanLinePtr(Y), Frame.GetScanLinePtr(Y), FrameW);
        });
        std::printf("blend line, %s arithmetic, %dx%d: %.3f ms (%.0f Mpixel/s)\n", MMX ? "packed" : "plain",
                    FrameW, FrameH, Ms, FrameW * FrameH / Ms / 1000);
    }

    TbsBitmap Picture;
    Picture.SetSize(256, 256);
    Fill(Picture, 3);
    Picture.AlphaBlend = true;
    std::printf("scaled alpha draw 256x256 -> %dx%d: %.3f ms\n", FrameW, FrameH,
                BestMs(10, [&] { Picture.Draw(Frame, Rect(0, 0, FrameW, FrameH)); }));

    platform::TBitmap Skin, Face;
    Skin.SetPixelFormat(platform::pf32bit);
    Skin.SetSize(64, 64);
    Face.SetPixelFormat(platform::pf32bit);
    const TRect Cl = Rect(8, 8, 56, 56);
    const int DW = FrameW - 64, DH = FrameH - 64;
    auto Compose = [&](bool AStretch) {
        CreateSkinImage(Point(8, 8), Point(56, 8), Point(8, 56), Point(56, 56), Cl, Point(8, 8), Point(56 + DW, 8),
                        Point(8, 56 + DH), Point(56 + DW, 56 + DH), Rect(8, 8, 56 + DW, 56 + DH), &Face, &Skin,
                        Rect(0, 0, 64, 64), FrameW, FrameH, true, AStretch, AStretch, AStretch, AStretch, AStretch,
                        bsstFull);
    };
    std::printf("nine-piece face %dx%d, tiled: %.3f ms\n", FrameW, FrameH, BestMs(10, [&] { Compose(false); }));
    std::printf("nine-piece face %dx%d, stretched: %.3f ms\n", FrameW, FrameH, BestMs(10, [&] { Compose(true); }));

    TbsBitmap Caption;
    Caption.SetSize(320, 40);
    for (int Radius : {3, 10}) {
        Fill(Caption, 4);
        std::printf("glow blur 320x40, radius %d: %.3f ms\n", Radius,
                    BestMs(20, [&] { BlurBitmap(Caption, Radius); }));
    }
    return 0;
}
