#include "engine/player/FFPlay_Pixels.h"

#include <gtest/gtest.h>

#include <vector>

using namespace engine;

TEST(PlayerPixels, SubtitlePalettesBecomeStudioRangeYuvWithTheirAlpha)
{
    struct Case {
        uint32_t Argb;
        uint32_t Ayuv;
    } cases[] = {
        {0xFFFF0000u, 0xFF515AF0u}, // red: Y 81, U 90, V 240
        {0x80FFFFFFu, 0x80EB8080u}, // white: Y 235
        {0x00000000u, 0x00108080u}, // black: Y 16
    };
    for (const auto& c : cases)
        EXPECT_EQ(RGBAToAYUV(c.Argb), c.Ayuv) << std::hex << c.Argb;
}

TEST(PlayerPixels, PicturesFitTheWindowWithEvenSizesCentred)
{
    struct Case {
        double Aspect;
        int W, H;
        TDisplayRect Want;
    } cases[] = {
        {640.0 / 360, 400, 400, {0, 88, 400, 224}},
        {1.3333, 400, 400, {0, 50, 400, 300}},
        {1.0, 400, 400, {0, 0, 400, 400}},
        {0.5, 400, 300, {125, 0, 150, 300}},
    };
    for (const auto& c : cases) {
        const TDisplayRect r = FitPicture(c.Aspect, c.W, c.H);
        EXPECT_EQ(r.x, c.Want.x);
        EXPECT_EQ(r.y, c.Want.y);
        EXPECT_EQ(r.w, c.Want.w);
        EXPECT_EQ(r.h, c.Want.h);
    }
}

TEST(PlayerPixels, AspectFollowsTheSettingThenThePicture)
{
    EXPECT_DOUBLE_EQ(PictureAspect(-1, 400, 200, 1, 1, 640, 360), 2.0);       // fill the window
    EXPECT_DOUBLE_EQ(PictureAspect(1.5f, 400, 200, 1, 1, 640, 360), 1.5);     // fixed
    EXPECT_DOUBLE_EQ(PictureAspect(0, 400, 200, 0, 1, 640, 480), 640.0 / 480); // square pixels
    EXPECT_DOUBLE_EQ(PictureAspect(0, 400, 200, 4, 3, 480, 480), 4.0 / 3);     // anamorphic
}

TEST(PlayerPixels, SubtitlesBlendIntoLumaAndChromaAndAreCutToThePicture)
{
    const int W = 4, H = 4;
    std::vector<uint8_t> y(W * H, 100), u(W * H / 4, 128), v(W * H / 4, 128);
    TYUVPicture pict{{y.data(), u.data(), v.data()}, {W, W / 2, W / 2}};
    const uint32_t palette[2] = {0x00000000u, 0xFFEB10F0u}; // transparent, opaque Y 235 U 16 V 240
    // A 6 x 2 rectangle: wider than the picture, so it is cut to 4 and drawn from x 0.
    const uint8_t pixels[12] = {1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0};
    TPaletteRect rect{3, 1, 6, 2, pixels, 6, palette};
    BlendSubtitleRect(pict, rect, W, H);
    EXPECT_EQ(y[1 * W + 0], 235);
    EXPECT_EQ(y[1 * W + 1], 235);
    EXPECT_EQ(y[1 * W + 2], 100);
    EXPECT_EQ(y[0], 100); // outside the rectangle
    // Chroma block (0, 0) covers rows 0-1: two opaque pixels of its four count
    // as half coverage: alpha = 510 >> 2 = 127.
    EXPECT_EQ(u[0], (128 * 2 * (255 - 127) + 32 * 127) / (255 * 2));
    // Block (0, 1) covers rows 2-3: two opaque pixels in row 2.
    EXPECT_EQ(v[W / 2], (128 * 2 * (255 - 127) + 480 * 127) / (255 * 2));
    EXPECT_EQ(u[1], 128); // block (1, 0): no drawn pixel
}
