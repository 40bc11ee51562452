#pragma once
// Helpers of the dialog tests: acting on a modal form once it is up,
// input to its controls, and screenshots of a window in the build folder.

#include "skin/controls/bsSkinCtrls_Button.h"

#include "platform/controls/Forms.h"
#include "platform/core/Streams.h"
#include "platform/gfx/ImageCodecs.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"

#include <functional>
#include <memory>
#include <string>

namespace dialogtest {

using namespace platform;

// Runs AAct on the active form once a modal loop is serving messages; the
// modal call itself is made by the caller afterwards.
class TWhenModal {
public:
    explicit TWhenModal(std::function<void(TCustomForm*)> AAct)
        : FAct(std::move(AAct)),
          FTimer(std::make_unique<skin::TbsGuiTimer>(1, [this] {
              TCustomForm* f = Screen()->ActiveForm();
              if (FDone || !f || !f->IsModal())
                  return;
              FDone = true;
              FAct(f);
          }))
    {
    }
    bool Done() const { return FDone; }

private:
    std::function<void(TCustomForm*)> FAct;
    bool FDone = false;
    std::unique_ptr<skin::TbsGuiTimer> FTimer;
};

inline void Pump() { Application()->ProcessMessages(); }

inline void ClickAt(TControl* AControl, int X, int Y)
{
    const TPoint p = AControl->ClientToScreen(Point(X, Y));
    InjectMouseMove(p);
    InjectMouseButton(TMouseButton::mbLeft, true, p);
    InjectMouseButton(TMouseButton::mbLeft, false, p);
}

inline void Click(TControl* AControl) { ClickAt(AControl, AControl->Width() / 2, AControl->Height() / 2); }

// As a keyboard sends it: Enter and Escape also bring their characters.
inline void PressKey(int AKey)
{
    InjectKey(AKey, true, AKey == VK_RETURN ? "\r" : AKey == VK_ESCAPE ? "\x1b" : "");
    InjectKey(AKey, false);
}

// The window as it is now drawn, as a PNG file in the test's working folder
// (the build folder).
inline void SaveScreenshot(TWinControl* AWindow, const std::string& AName)
{
    Pump();
    const TPixelSurface* s = GetWindowSurface(AWindow->Handle());
    if (!s)
        return;
    TImageData image;
    image.Width = s->Width;
    image.Height = s->Height;
    image.Pixels.resize(size_t(s->Width) * size_t(s->Height));
    for (int y = 0; y < s->Height; ++y)
        for (int x = 0; x < s->Width; ++x)
            image.At(x, y) = reinterpret_cast<const uint32_t*>(s->Row(y))[x] | 0xFF000000u;
    TFileStream out(AName, fmCreate);
    WritePng(out, image, false);
}

} // namespace dialogtest
