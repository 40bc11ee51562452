#pragma once
// Pixel arithmetic of the player's display, free of any device: subtitle
// palettes to YUV, blending a palettised subtitle into a YUV 4:2:0 picture,
// and placing a picture in the window with its aspect ratio.

#include <cstdint>

namespace engine {

// 32-bit ARGB to AYUV with the studio-range BT.601 integer formulas.
uint32_t RGBAToAYUV(uint32_t AColor);

struct TYUVPicture {
    uint8_t* data[3]; // Y, U, V
    int linesize[3];
};

struct TPaletteRect {
    int x, y, w, h;
    const uint8_t* pixels; // one palette index per pixel
    int linesize;
    const uint32_t* palette; // AYUV entries
};

// Blends the rectangle into the picture, cut to the picture's bounds.
void BlendSubtitleRect(TYUVPicture& APicture, const TPaletteRect& ARect, int AImageWidth, int AImageHeight);

struct TDisplayRect {
    int x, y, w, h;
    bool operator==(const TDisplayRect&) const = default;
};

// The largest even-sized rectangle of the given aspect (width / height)
// inside the window, centred.
TDisplayRect FitPicture(double AAspect, int AWindowWidth, int AWindowHeight);

// The aspect a picture is shown with: AAspectRatio < 0 fills the window,
// > 0 is fixed, 0 follows the picture's own pixel aspect.
double PictureAspect(float AAspectRatio, int AWindowWidth, int AWindowHeight, int ASarNum, int ASarDen,
                     int APictureWidth, int APictureHeight);

} // namespace engine
