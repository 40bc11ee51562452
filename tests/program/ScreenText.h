#pragma once
// Finding a text in a picture of the screen: the text is drawn in the font
// a control writes in, and found wherever its ink stands out from the
// background around it, whatever the two colours are.

#include "platform/core/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace programtest {

// Pixels as 0x00RRGGBB, row by row.
struct TScreenImage {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int X, int Y) const { return Pixels[size_t(Y) * size_t(Width) + size_t(X)]; }
};

// The top-left corners (in AImage) of the places that show AText written
// in AFontName of AFontHeight (a font height as the forms give it).
std::vector<platform::TPoint> FindTextIn(const TScreenImage& AImage, const std::string& AText, const char* AFontName,
                                         int AFontHeight);

} // namespace programtest
