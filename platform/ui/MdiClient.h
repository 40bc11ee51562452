#pragma once
// The client window of a multiple-document frame. Its child windows (created
// with WS_EX_MDICHILD) are the documents; it keeps which one is active, moves
// the activation on (next, previous, when the active one hides, minimises or
// goes), keeps maximised children filling it, and places the children: tiled,
// cascaded, minimised ones as a row of captions along its bottom. The frame
// shows a maximised active child's caption after its own.
//
// Messages: WM_MDIACTIVATE (wParam child), WM_MDIGETACTIVE (answers the
// active child; lParam, when set, points to a bool told whether it is
// maximised), WM_MDINEXT (wParam child or 0 for the active one, lParam 0 next,
// else previous), WM_MDIMAXIMIZE / WM_MDIRESTORE (wParam child), WM_MDITILE
// (wParam MDITILE_VERTICAL or MDITILE_HORIZONTAL), WM_MDICASCADE,
// WM_MDIICONARRANGE, WM_MDIREFRESHMENU (a child changed its state: the window
// system sends it after minimising, maximising or restoring a child).

#include "platform/ui/Window.h"

#include <vector>

namespace platform {

constexpr WPARAM MDITILE_VERTICAL = 0;
constexpr WPARAM MDITILE_HORIZONTAL = 1;

// Creates the client window inside AFrame (child id 0xFF00), below the
// frame's other children, covering AInFrame (client coordinates).
HWND CreateMDIClient(HWND AFrame, const TRect& AInFrame);
// The frame's client window, 0 when it has none.
HWND GetMDIClient(HWND AFrame);
// The visible child windows of AClient: the active one first, then the
// others from the top of the stacking order down. Tiling fills the area in
// this order and cascading puts the first in front; a document list that
// follows it shows the most recently used documents first.
std::vector<HWND> GetMDIChildren(HWND AClient);

// Placement rules, in client coordinates.
// Tiling: the children fall into Trunc(Sqrt(count)) groups, the later groups
// taking one more when the count does not divide; vertical tiling makes the
// groups rows of side-by-side windows, horizontal tiling columns of windows
// one above the other. Sizes divide the area exactly, the last window of a
// group and the last group taking the remainder.
std::vector<TRect> MDITileRects(const TRect& AArea, int ACount, bool AVertical);
// Cascading: each window AStep right of and below the one before; all take
// the size that lets the whole stack fit, but never less than half the area
// (the stack then starts again at the top-left corner).
std::vector<TRect> MDICascadeRects(const TRect& AArea, int ACount, int AStep);
// The AIndex-th slot of a minimised child (AWidth x AHeight): left to right
// along the bottom, rows upwards.
TRect MDIIconSlot(const TRect& AArea, int AIndex, int AWidth, int AHeight);
// Width of a minimised child.
constexpr int MDIIconWidth = 160;

} // namespace platform
