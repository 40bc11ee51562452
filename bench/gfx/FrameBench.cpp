// Composes a window-sized frame (827 x 489) the way a skinned window paints:
// a skin picture cut into tiled and stretched pieces, a dozen alpha blends
// and a hundred short CJK and Latin captions. Prints milliseconds per frame.
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/gfx/Graphics.h"

using namespace platform;

namespace {

constexpr int FrameW = 827, FrameH = 489;

void MakeSkin(TBitmap& ASkin)
{
    ASkin.SetPixelFormat(pf32bit);
    ASkin.SetSize(256, 256);
    for (int Y = 0; Y < 256; ++Y) {
        auto* Row = reinterpret_cast<uint32_t*>(ASkin.ScanLine(Y));
        for (int X = 0; X < 256; ++X)
            Row[X] = 0xFF000000u | uint32_t(X) << 16 | uint32_t(Y) << 8 | uint32_t((X ^ Y) & 0xFF);
    }
}

void MakeGlyph(TBitmap& AGlyph)
{
    // Premultiplied alpha, as the blends of the skin engine use it.
    AGlyph.SetPixelFormat(pf32bit);
    AGlyph.SetSize(48, 24);
    for (int Y = 0; Y < 24; ++Y) {
        auto* Row = reinterpret_cast<uint32_t*>(AGlyph.ScanLine(Y));
        for (int X = 0; X < 48; ++X) {
            uint32_t A = uint32_t((X * 5 + Y * 3) & 0xFF);
            Row[X] = A << 24 | (A / 2) << 16 | (A / 3) << 8 | (A / 4);
        }
    }
}

void PaintFrame(HDC Dst, HDC Skin, HDC Glyph)
{
    // Frame corners copied, edges and client tiled or stretched.
    BitBlt(Dst, 0, 0, 40, 30, Skin, 0, 0, SRCCOPY);
    BitBlt(Dst, FrameW - 40, 0, 40, 30, Skin, 216, 0, SRCCOPY);
    for (int X = 40; X < FrameW - 40; X += 64)
        BitBlt(Dst, X, 0, std::min(64, FrameW - 40 - X), 30, Skin, 64, 0, SRCCOPY);
    StretchBlt(Dst, 0, 30, 6, FrameH - 36, Skin, 0, 40, 6, 100, SRCCOPY);
    StretchBlt(Dst, FrameW - 6, 30, 6, FrameH - 36, Skin, 250, 40, 6, 100, SRCCOPY);
    StretchBlt(Dst, 0, FrameH - 6, FrameW, 6, Skin, 0, 250, 256, 6, SRCCOPY);
    for (int Y = 30; Y < FrameH - 6; Y += 64)
        for (int X = 6; X < FrameW - 6; X += 64)
            BitBlt(Dst, X, Y, std::min(64, FrameW - 6 - X), std::min(64, FrameH - 6 - Y), Skin, 100, 100, SRCCOPY);
    // Controls: stretched button faces and a dozen alpha-blended images.
    for (int I = 0; I < 12; ++I)
        StretchBlt(Dst, 20 + I * 64, 60, 60, 24, Skin, 0, 120, 40, 20, SRCCOPY);
    BLENDFUNCTION BF{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    for (int I = 0; I < 12; ++I)
        AlphaBlend(Dst, 20 + I * 64, 100, 48, 24, Glyph, 0, 0, 48, 24, BF);
}

void PaintText(TCanvas* C)
{
    static const char* Captions[] = {"添加文件", "开始转换", "Output folder", "MP3 格式", "Settings",
                                     "停止", "Preview 预览", "128 kbps", "44100 Hz", "选项"};
    C->Brush()->SetStyle(bsClear);
    for (int I = 0; I < 100; ++I) {
        TRect R = Rect(10 + (I % 10) * 80, 140 + (I / 10) * 32, 10 + (I % 10) * 80 + 78, 140 + (I / 10) * 32 + 20);
        DrawText(C->Handle(), Captions[I % 10], &R, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS);
    }
}

} // namespace

int main(int argc, char** argv)
{
    int Frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    TBitmap Frame, Skin, Glyph;
    Frame.SetPixelFormat(pf32bit);
    Frame.SetSize(FrameW, FrameH);
    MakeSkin(Skin);
    MakeGlyph(Glyph);
    TCanvas* C = Frame.Canvas();
    C->Font()->SetName("宋体");
    C->Font()->SetHeight(-12);
    HDC Dst = C->Handle(), SkinDC = Skin.Canvas()->Handle(), GlyphDC = Glyph.Canvas()->Handle();
    PaintFrame(Dst, SkinDC, GlyphDC); // warm the glyph cache
    PaintText(C);
    auto Start = std::chrono::steady_clock::now();
    for (int I = 0; I < Frames; ++I) {
        PaintFrame(Dst, SkinDC, GlyphDC);
        PaintText(C);
    }
    double Ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
    std::printf("frame %dx%d: %.3f ms per frame (%d frames; target < 4 ms)\n", FrameW, FrameH, Ms / Frames, Frames);
    return 0;
}
