#include "program/ProgramSession.h"

#include "program/ScreenText.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace programtest {

TScreenImage TProgramSession::Grab(const platform::TRect& AOnScreen)
{
    TScreenImage shown;
    XImage* image = XGetImage(FDpy, DefaultRootWindow(FDpy), AOnScreen.Left, AOnScreen.Top, unsigned(AOnScreen.Width()),
                              unsigned(AOnScreen.Height()), AllPlanes, ZPixmap);
    if (!image)
        return shown;
    shown.Width = AOnScreen.Width();
    shown.Height = AOnScreen.Height();
    shown.Pixels.reserve(size_t(shown.Width) * size_t(shown.Height));
    for (int y = 0; y < shown.Height; ++y)
        for (int x = 0; x < shown.Width; ++x)
            shown.Pixels.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
    XDestroyImage(image);
    return shown;
}

std::vector<platform::TPoint> TProgramSession::FindText(const TControlSpot& AControl, const std::string& AText)
{
    TWin form;
    if (!AControl.FontName || !WindowByTitle(AControl.Form->Title, form))
        return {};
    const platform::TRect& r = AControl.Bounds;
    const TScreenImage shown =
        Grab(platform::Bounds(form.Bounds.Left + AControl.Form->ClientInWindow.X + r.Left,
                              form.Bounds.Top + AControl.Form->ClientInWindow.Y + r.Top, r.Width(), r.Height()));
    if (shown.Pixels.empty())
        return {};
    return FindTextIn(shown, AText, AControl.FontName, AControl.FontHeight);
}

::testing::AssertionResult TProgramSession::WaitText(const TControlSpot& AControl, const std::string& AText, int ACount,
                                                     int ASeconds, const std::string& AStep)
{
    return WaitFor(AStep + " (\"" + AText + "\" shows " + std::to_string(ACount) + " times in " + AControl.Name + ")",
                   [&] { return int(FindText(AControl, AText).size()) >= ACount; }, ASeconds);
}

} // namespace programtest
