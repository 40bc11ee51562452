#include "platform/ui/DropShadow.h"

#include "platform/ui/WindowSystem.h"

#include <algorithm>

namespace platform {

TRect DropShadowBounds(const TRect& AWindow) { return OffsetRect(AWindow, DropShadowSize, DropShadowSize); }

uint8_t DropShadowAlpha(int X, int Y, int AWidth, int AHeight)
{
    const int s = DropShadowSize;
    if (X < 0 || Y < 0 || X >= AWidth || Y >= AHeight)
        return 0;
    // Alpha falls off away from the window's edge, and rises over the first
    // pixels of each band so that its ends under the corners are soft.
    auto alpha = [s](int ADepth, int AAlong) {
        const int fall = DropShadowEdgeAlpha * (s - ADepth) / s;
        return std::min(fall, fall * (AAlong + 1) / s);
    };
    const int dx = X - (AWidth - s), dy = Y - (AHeight - s);
    if (dx >= 0 && dy >= 0)
        return uint8_t(alpha(std::max(dx, dy), s));
    if (dx >= 0)
        return uint8_t(alpha(dx, Y));
    if (dy >= 0)
        return uint8_t(alpha(dy, X));
    return 0;
}

void DropShadowBands(int AWidth, int AHeight, TRect& ARight, TRect& ABottom)
{
    const int s = DropShadowSize;
    if (AWidth <= s || AHeight <= s) {
        ARight = TRect{};
        ABottom = TRect{};
        return;
    }
    ARight = Rect(AWidth - s, 0, AWidth, AHeight);
    ABottom = Rect(0, AHeight - s, AWidth - s, AHeight);
}

std::vector<TPresentedLayer> PresentedStacking()
{
    std::vector<TPresentedLayer> layers;
    for (HWND h : detail::WS().TopLevels) {
        layers.push_back({h, false});
        if (detail::Find(h)->ShadowShown)
            layers.push_back({h, true});
    }
    return layers;
}

namespace detail {

// Asked of the presenter only when a shadow is to appear: a shadow already
// shown keeps following its window without another question to the display.
void SyncDropShadow(TWindowData* W)
{
    const int s = DropShadowSize;
    const bool want = W->IsTopLevel() && (W->Class->Style & CS_DROPSHADOW) && (W->Style & WS_VISIBLE) &&
                      !(W->Style & WS_MINIMIZE) && !W->Destroying && W->Rect.Width() > s && W->Rect.Height() > s &&
                      (W->ShadowShown || Backend().HasCompositor());
    const TRect bounds = want ? DropShadowBounds(W->Rect) : TRect{};
    if (want == W->ShadowShown && bounds == W->ShadowBounds)
        return;
    const bool restack = want != W->ShadowShown;
    W->ShadowShown = want;
    W->ShadowBounds = bounds;
    Backend().WindowShadow(W->Handle, bounds, want);
    if (restack)
        Backend().WindowRestacked();
}

} // namespace detail
} // namespace platform
