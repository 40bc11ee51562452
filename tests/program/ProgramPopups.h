#pragma once
// The program's popups as the display sees them: menus and drop-down lists
// are override-redirect windows of their own; hints are smaller.

#include "program/ProgramSession.h"

namespace programtest {

// The menu bar's first item, "文件", in the main window's coordinates.
inline constexpr platform::TPoint FileMenuInWindow{MainForm.ClientInWindow.X + Controls::MenuBar.Bounds.Left + 18,
                                                   MainForm.ClientInWindow.Y + Controls::MenuBar.Bounds.Top + 10};

// The menu bar's last item, "帮助".
inline constexpr platform::TPoint HelpMenuInWindow{MainForm.ClientInWindow.X + Controls::MenuBar.Bounds.Left + 121,
                                                   MainForm.ClientInWindow.Y + Controls::MenuBar.Bounds.Top + 10};

// A viewable popup of the program taller than a hint, or null.
inline bool FindPopup(TProgramSession& S, TWin& APopup)
{
    for (const TWin& w : S.Windows())
        if (w.OverrideRedirect && w.Viewable && w.Bounds.Height() > 60) {
            APopup = w;
            return true;
        }
    return false;
}

// A viewable hint window of the program (a popup no taller than a hint), or null.
inline bool FindHint(TProgramSession& S, TWin& AHint)
{
    for (const TWin& w : S.Windows())
        if (w.OverrideRedirect && w.Viewable && w.Bounds.Height() <= 60) {
            AHint = w;
            return true;
        }
    return false;
}

inline bool PopupShown(TProgramSession& S)
{
    TWin ignored;
    return FindPopup(S, ignored);
}

} // namespace programtest
