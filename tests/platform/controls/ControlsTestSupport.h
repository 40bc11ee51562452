#pragma once
// Forms and controls for the class library's tests.

#include "platform/controls/Controls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "support/WindowShot.h"
#include "platform/ui/Input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
inline void PrintTo(const TRect& R, std::ostream* S) { *S << "(" << R.Left << "," << R.Top << "," << R.Right << "," << R.Bottom << ")"; }
} // namespace platform

namespace ctltest {

using namespace platform;
using testsupport::SaveWindowPng;

// A borderless form at a known place, freed by the test.
inline TForm* MakeForm(int W = 400, int H = 300, int X = 100, int Y = 100)
{
    auto* f = new TForm(nullptr);
    f->SetBorderStyle(bsNone);
    f->SetBounds(X, Y, W, H);
    return f;
}

inline void Pump() { Application()->ProcessMessages(); }

inline uint32_t Pixel(TWinControl* ATop, int X, int Y)
{
    const TPixelSurface* s = GetWindowSurface(ATop->Handle());
    return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
}

// Pixels in R (window coordinates) that differ from ABackground.
inline int CountInk(TWinControl* ATop, const TRect& R, uint32_t ABackground)
{
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            n += Pixel(ATop, x, y) != ABackground;
    return n;
}

// A windowed control filled with one colour.
class TSolid : public TCustomControl {
public:
    TSolid(TComponent* AOwner, TColor AFill) : TCustomControl(AOwner), Fill(AFill) { ControlStyle |= csAcceptsControls; }
    TColor Fill;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(ClientRect());
    }
};

// A windowless control filled with one colour.
class TSolidGraphic : public TGraphicControl {
public:
    TSolidGraphic(TComponent* AOwner, TColor AFill) : TGraphicControl(AOwner), Fill(AFill) {}
    TColor Fill;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Fill);
        Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    }
};

struct TFakeClock {
    uint64_t Now = 5000;
    TFakeClock() { SetWindowClockForTesting([this] { return Now; }); }
    ~TFakeClock() { SetWindowClockForTesting(nullptr); }
};

} // namespace ctltest
