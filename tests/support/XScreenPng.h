#pragma once
// What an X display shows, saved as a PNG picture for the eye.

#include "platform/gfx/Graphics.h"
#include "platform/gfx/PngImage.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <string>

namespace testsupport {

// What the display shows in R (inside the screen), saved as a PNG in the
// test's folder; false when the display would not give it.
inline bool SaveScreen(Display* D, const platform::TRect& R, const std::string& AFileName)
{
    using namespace platform;
    XImage* image = XGetImage(D, DefaultRootWindow(D), R.Left, R.Top, unsigned(R.Width()), unsigned(R.Height()), AllPlanes, ZPixmap);
    if (!image)
        return false;
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(R.Width(), R.Height());
    for (int y = 0; y < R.Height(); ++y)
        for (int x = 0; x < R.Width(); ++x)
            reinterpret_cast<uint32_t*>(b.ScanLine(y))[x] = uint32_t(XGetPixel(image, x, y)) | 0xFF000000u;
    XDestroyImage(image);
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile(AFileName);
    return true;
}

} // namespace testsupport
