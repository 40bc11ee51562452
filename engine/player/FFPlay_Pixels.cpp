#include "engine/player/FFPlay_Pixels.h"

#include <algorithm>
#include <cmath>

namespace engine {

uint32_t RGBAToAYUV(uint32_t AColor)
{
    const int a = int(AColor >> 24), r = int((AColor >> 16) & 0xFF), g = int((AColor >> 8) & 0xFF),
              b = int(AColor & 0xFF);
    // Signed shifts floor, which keeps Y in 16..235 and U, V in 16..240.
    const int y = (263 * r + 517 * g + 101 * b + 16896) >> 10;
    const int u = ((-152 * r - 298 * g + 450 * b + 511) >> 10) + 128;
    const int v = ((450 * r - 377 * g - 74 * b + 511) >> 10) + 128;
    return (uint32_t(a) << 24) | (uint32_t(y) << 16) | (uint32_t(u) << 8) | uint32_t(v);
}

void BlendSubtitleRect(TYUVPicture& APicture, const TPaletteRect& ARect, int AImageWidth, int AImageHeight)
{
    const int dstw = std::clamp(ARect.w, 0, AImageWidth);
    const int dsth = std::clamp(ARect.h, 0, AImageHeight);
    const int dstx = std::clamp(ARect.x, 0, AImageWidth - dstw);
    const int dsty = std::clamp(ARect.y, 0, AImageHeight - dsth);
    auto entry = [&](int px, int py) { return ARect.palette[ARect.pixels[py * ARect.linesize + px]]; };

    for (int py = 0; py < dsth; ++py) {
        uint8_t* lum = APicture.data[0] + (dsty + py) * APicture.linesize[0] + dstx;
        for (int px = 0; px < dstw; ++px) {
            const uint32_t c = entry(px, py);
            const int a = int(c >> 24), y = int((c >> 16) & 0xFF);
            lum[px] = uint8_t((lum[px] * (255 - a) + y * a) / 255);
        }
    }
    // Each chroma sample covers a 2 x 2 block of the picture; the drawn
    // pixels inside it blend together with their mean alpha.
    const int cx0 = dstx >> 1, cx1 = (dstx + dstw + 1) >> 1;
    const int cy0 = dsty >> 1, cy1 = (dsty + dsth + 1) >> 1;
    for (int cy = cy0; cy < cy1; ++cy) {
        for (int cx = cx0; cx < cx1; ++cx) {
            int k = 0, asum = 0, usum = 0, vsum = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const int px = cx * 2 + dx - dstx, py = cy * 2 + dy - dsty;
                    if (px < 0 || py < 0 || px >= dstw || py >= dsth)
                        continue;
                    const uint32_t c = entry(px, py);
                    ++k;
                    asum += int(c >> 24);
                    usum += int((c >> 8) & 0xFF);
                    vsum += int(c & 0xFF);
                }
            }
            if (k == 0)
                continue;
            const int alpha = asum >> 2;
            uint8_t* cb = APicture.data[1] + cy * APicture.linesize[1] + cx;
            uint8_t* cr = APicture.data[2] + cy * APicture.linesize[2] + cx;
            *cb = uint8_t((*cb * k * (255 - alpha) + usum * alpha) / (255 * k));
            *cr = uint8_t((*cr * k * (255 - alpha) + vsum * alpha) / (255 * k));
        }
    }
}

TDisplayRect FitPicture(double AAspect, int AWindowWidth, int AWindowHeight)
{
    int h = AWindowHeight;
    int w = int(std::nearbyint(h * AAspect)) & ~1;
    if (w > AWindowWidth) {
        w = AWindowWidth;
        h = AAspect > 0 ? int(std::nearbyint(w / AAspect)) & ~1 : AWindowHeight;
    }
    return TDisplayRect{(AWindowWidth - w) / 2, (AWindowHeight - h) / 2, w, h};
}

double PictureAspect(float AAspectRatio, int AWindowWidth, int AWindowHeight, int ASarNum, int ASarDen,
                     int APictureWidth, int APictureHeight)
{
    if (AAspectRatio < 0 && AWindowWidth != 0 && AWindowHeight != 0)
        return double(AWindowWidth) / AWindowHeight;
    if (AAspectRatio > 0)
        return AAspectRatio;
    double aspect = (ASarNum != 0 && ASarDen != 0) ? double(ASarNum) / ASarDen : 0.0;
    if (aspect <= 0)
        aspect = 1.0;
    return APictureHeight > 0 ? aspect * APictureWidth / APictureHeight : aspect;
}

} // namespace engine
