#pragma once
// Screenshots of a window's pixels as PNG files in the build folder, to be
// looked at when a frame test fails or a frame changes.

#include "platform/gfx/Graphics.h"
#include "platform/gfx/PngImage.h"
#include "platform/ui/Paint.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace frametest {

inline void SavePng(const platform::TPixelSurface* ASurface, const std::string& AFileName)
{
    if (!ASurface)
        return;
    platform::TBitmap b;
    b.SetPixelFormat(platform::pf32bit);
    b.SetSize(ASurface->Width, ASurface->Height);
    // The window's own pixels, opaque: a back buffer's alpha byte is not a
    // picture's transparency.
    for (int y = 0; y < ASurface->Height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(b.ScanLine(y));
        std::memcpy(row, ASurface->Row(y), size_t(std::min(b.RowBytes(), ASurface->Width * 4)));
        for (int x = 0; x < ASurface->Width; ++x)
            row[x] |= 0xFF000000u;
    }
    platform::TPngImage png;
    png.Assign(&b);
    png.SaveToFile(AFileName);
}

inline void SaveWindowPng(platform::HWND AWnd, const std::string& AFileName)
{
    SavePng(platform::GetWindowSurface(AWnd), AFileName);
}

} // namespace frametest
