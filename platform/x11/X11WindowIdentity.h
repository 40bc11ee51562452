#pragma once
// What a desktop reads about a top-level X window of the program: who made
// it (class, process, machine), what it is called, what kind of window it
// is, and the program's picture for its task bar and switcher.

#include <cstdint>
#include <string>
#include <vector>

// Xlib's own declaration, without its macros.
typedef struct _XDisplay Display;

namespace platform {

// The kind of window a desktop is told of, from its window class and
// whether it is managed and owned.
enum class TX11WindowKind { Unlisted, Normal, Dialog, PopupMenu, DropDownMenu, Tooltip };
TX11WindowKind X11WindowKindOf(const std::string& AClassName, bool AOverrideRedirect, bool AOwned);

// Class "zarvelo"/"Zarvelo", process id, machine name and window type.
void SetX11WindowIdentity(Display* D, unsigned long W, TX11WindowKind AKind);
// WM_NAME, WM_ICON_NAME and _NET_WM_NAME (UTF-8).
void SetX11WindowTitle(Display* D, unsigned long W, const std::string& ATitle);
// A picture of 0xAARRGGBB pixels as _NET_WM_ICON holds it: width, height,
// then the pixels, each item a long.
std::vector<unsigned long> X11IconData(int AWidth, int AHeight, const uint32_t* AArgb);
// _NET_WM_ICON from X11IconData; empty data removes it.
void SetX11WindowIcon(Display* D, unsigned long W, const std::vector<unsigned long>& AIconData);

} // namespace platform
