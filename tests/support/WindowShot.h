#pragma once
// Pictures of windows for the eye: tests under a virtual display save what a
// window shows as a PNG in the test's working folder (the build folder).

#include "platform/controls/Controls.h"
#include "platform/gfx/PngImage.h"
#include "platform/ui/Paint.h"

#include <string>

namespace testsupport {

inline void SaveWindowPng(platform::TWinControl* ATop, const std::string& AName)
{
    using namespace platform;
    const TPixelSurface* s = GetWindowSurface(ATop->Handle());
    if (!s)
        return;
    TBitmap bmp;
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(s->Width, s->Height);
    for (int y = 0; y < s->Height; ++y) {
        auto* to = reinterpret_cast<uint32_t*>(bmp.ScanLine(y));
        auto* from = reinterpret_cast<const uint32_t*>(s->Row(y));
        for (int x = 0; x < s->Width; ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    TPngImage png;
    png.Assign(&bmp);
    png.SaveToFile(AName);
}

} // namespace testsupport
