#pragma once
// The skinned-controls fixture with the mouse parked away from the form, and
// system colours as the back buffer holds them.

#include "skin/controls/SkinControlsTestSupport.h"

namespace skintest {

inline uint32_t RgbOf(TColor AColor)
{
    const COLORREF c = ColorToRGB(AColor);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

struct TBoxesFixture : TSkinFixture {
    void SetUp() override
    {
        TSkinFixture::SetUp();
        InjectMouseMove(Point(0, 0));   // away from the form, whatever the last test did
        Pump();
    }
};

} // namespace skintest
