#pragma once
// Drop shadows: a top-level window whose class asks for one (CS_DROPSHADOW)
// casts a soft dark band beside its right and bottom edges while it is
// shown. The window system decides where the shadow is and tells the
// presenter (TWindowBackend::WindowShadow), which shows it as a window of its
// own just below the one casting it. A translucent band needs a compositing
// manager: without one the presenter is never asked for a shadow, since an
// opaque band would hide what lies beneath it.
//
// The picture is also what the skinned form's own shadow shows.

#include "platform/ui/Window.h"

#include <cstdint>
#include <vector>

namespace platform {

// How far the shadow reaches beyond the window's right and bottom edges, and
// its alpha right next to them.
constexpr int DropShadowSize = 5;
constexpr int DropShadowEdgeAlpha = 110;

// Where the shadow of a window with bounds AWindow lies: the window's size,
// DropShadowSize down and to the right.
TRect DropShadowBounds(const TRect& AWindow);

// The alpha of pixel (X, Y) of the shadow of a window of AWidth x AHeight, in
// the shadow's coordinates: nothing where the window covers it, a band along
// its right and bottom edges that fades outwards and is soft at its ends.
// The shadow is black, so its premultiplied colour is nothing but the alpha.
uint8_t DropShadowAlpha(int X, int Y, int AWidth, int AHeight);

// The two parts of that picture that are not transparent, in the shadow's
// coordinates: the band right of the window (full height) and the one below
// it (left of the right band). Empty for a window too small to cast one.
void DropShadowBands(int AWidth, int AHeight, TRect& ARight, TRect& ABottom);

// What a presenter stacks on the screen, top first: every top-level window,
// each followed by its shadow while one is shown.
struct TPresentedLayer {
    HWND Wnd = nullptr;
    bool Shadow = false;
    bool operator==(const TPresentedLayer&) const = default;
};
std::vector<TPresentedLayer> PresentedStacking();

} // namespace platform
