#include "program/ProgramSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

namespace programtest {

namespace {

// A property's raw items (format-sized, longs for 32-bit), empty without one.
std::vector<unsigned long> Longs(Display* D, Window W, const char* AName, Atom AType)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(D, W, XInternAtom(D, AName, False), 0, 64, False, AType, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32)
        items.assign(reinterpret_cast<unsigned long*>(data), reinterpret_cast<unsigned long*>(data) + count);
    if (data)
        XFree(data);
    return items;
}

std::string Text(Display* D, Window W, const char* AName)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(D, W, XInternAtom(D, AName, False), 0, 4096, False, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 8)
        text.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    return text;
}

void Collect(Display* D, Window W, pid_t APid, std::vector<TWin>& AOut)
{
    const std::vector<unsigned long> pid = Longs(D, W, "_NET_WM_PID", XA_CARDINAL);
    if (!pid.empty() && pid_t(pid[0]) == APid) {
        TWin w;
        w.Id = W;
        w.Title = Text(D, W, "_NET_WM_NAME");
        const std::vector<unsigned long> type = Longs(D, W, "_NET_WM_WINDOW_TYPE", XA_ATOM);
        if (!type.empty())
            if (char* name = XGetAtomName(D, Atom(type[0]))) {
                w.Type = std::strncmp(name, "_NET_WM_WINDOW_TYPE_", 20) == 0 ? name + 20 : name;
                XFree(name);
            }
        XClassHint hint{};
        if (XGetClassHint(D, W, &hint)) {
            w.Class = hint.res_class ? hint.res_class : "";
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        const std::vector<unsigned long> icon = Longs(D, W, "_NET_WM_ICON", XA_CARDINAL);
        if (icon.size() >= 2) {
            w.IconWidth = int(icon[0]);
            w.IconHeight = int(icon[1]);
        }
        Window owner = 0;
        if (XGetTransientForHint(D, W, &owner))
            w.TransientFor = owner;
        XWindowAttributes a{};
        if (XGetWindowAttributes(D, W, &a)) {
            w.Viewable = a.map_state == IsViewable;
            w.OverrideRedirect = a.override_redirect;
            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates(D, W, DefaultRootWindow(D), 0, 0, &x, &y, &child);
            w.Bounds = platform::Bounds(x, y, a.width, a.height);
        }
        AOut.push_back(w);
        return;
    }
    // Under a window manager the program's windows sit inside its frames.
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(D, W, &root, &parent, &children, &count))
        return;
    for (unsigned i = 0; i < count; ++i)
        Collect(D, children[i], APid, AOut);
    if (children)
        XFree(children);
}

} // namespace

std::vector<TWin> TProgramSession::Windows()
{
    std::vector<TWin> found;
    if (FDpy && FProgram) {
        XSync(FDpy, False);
        Collect(FDpy, DefaultRootWindow(FDpy), FProgram, found);
    }
    return found;
}

bool TProgramSession::WindowByTitle(const std::string& ATitle, TWin& AWin)
{
    for (const TWin& w : Windows())
        if (w.Viewable && w.Title == ATitle) {
            AWin = w;
            return true;
        }
    return false;
}

TWin TProgramSession::Refresh(const TWin& AWin)
{
    for (const TWin& w : Windows())
        if (w.Id == AWin.Id)
            return w;
    return AWin;
}

::testing::AssertionResult TProgramSession::WaitWindow(const std::string& ATitle, TWin& AWin, int ASeconds)
{
    return WaitFor("window \"" + ATitle + "\" shows", [&] { return WindowByTitle(ATitle, AWin); }, ASeconds);
}

::testing::AssertionResult TProgramSession::WaitFocused(const TWin& AWin, int ASeconds)
{
    return WaitFor("window \"" + AWin.Title + "\" has the keyboard", [&] {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(FDpy, &focus, &revert);
        return focus == AWin.Id;
    }, ASeconds);
}

::testing::AssertionResult TProgramSession::WaitWindowGone(const std::string& ATitle, int ASeconds)
{
    TWin ignored;
    return WaitFor("window \"" + ATitle + "\" goes", [&] { return !WindowByTitle(ATitle, ignored); }, ASeconds);
}

} // namespace programtest
