#pragma once
// Comparing two bitmaps pixel for pixel.

#include "platform/gfx/Graphics.h"

#include <cstring>

namespace testsupport {

// Whether two pictures are both empty, or have the same size, format and pixels.
inline bool SamePicture(platform::TBitmap& A, platform::TBitmap& B)
{
    if (A.Empty() || B.Empty())
        return A.Empty() == B.Empty();
    if (A.Width() != B.Width() || A.Height() != B.Height() || A.PixelFormat() != B.PixelFormat())
        return false;
    for (int y = 0; y < A.Height(); ++y)
        if (std::memcmp(A.ScanLine(y), B.ScanLine(y), size_t(A.RowBytes())) != 0)
            return false;
    return true;
}

} // namespace testsupport
