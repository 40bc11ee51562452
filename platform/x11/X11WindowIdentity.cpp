#include "platform/x11/X11WindowIdentity.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <unistd.h>


namespace platform {

TX11WindowKind X11WindowKindOf(const std::string& AClassName, bool AOverrideRedirect, bool AOwned)
{
    if (AClassName == "THintWindow" || AClassName == "TbsSkinHintWindow")
        return TX11WindowKind::Tooltip;
    if (AClassName == "TbsPopupListWindow" || AClassName == "TComboDropDown")
        return TX11WindowKind::DropDownMenu;
    if (AClassName == "TbsSkinPopupControl")
        return TX11WindowKind::PopupMenu;
    // Borders, shadows and the application's hidden window are no window
    // of their own to a desktop.
    if (AOverrideRedirect)
        return TX11WindowKind::Unlisted;
    return AOwned ? TX11WindowKind::Dialog : TX11WindowKind::Normal;
}

void SetX11WindowIdentity(Display* D, unsigned long W, TX11WindowKind AKind)
{
    XClassHint hint;
    hint.res_name = const_cast<char*>("zarvelo");
    hint.res_class = const_cast<char*>("Zarvelo");
    XSetClassHint(D, W, &hint);
    const long pid = long(getpid());
    XChangeProperty(D, W, XInternAtom(D, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    XChangeProperty(D, W, XA_WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(host), int(std::string(host).size()));
    const char* type = nullptr;
    switch (AKind) {
    case TX11WindowKind::Normal: type = "_NET_WM_WINDOW_TYPE_NORMAL"; break;
    case TX11WindowKind::Dialog: type = "_NET_WM_WINDOW_TYPE_DIALOG"; break;
    case TX11WindowKind::PopupMenu: type = "_NET_WM_WINDOW_TYPE_POPUP_MENU"; break;
    case TX11WindowKind::DropDownMenu: type = "_NET_WM_WINDOW_TYPE_DROPDOWN_MENU"; break;
    case TX11WindowKind::Tooltip: type = "_NET_WM_WINDOW_TYPE_TOOLTIP"; break;
    case TX11WindowKind::Unlisted: break;
    }
    if (type) {
        const Atom atom = XInternAtom(D, type, False);
        XChangeProperty(D, W, XInternAtom(D, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&atom), 1);
    }
}

void SetX11WindowTitle(Display* D, unsigned long W, const std::string& ATitle)
{
    XChangeProperty(D, W, XInternAtom(D, "_NET_WM_NAME", False), XInternAtom(D, "UTF8_STRING", False), 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(ATitle.data()), int(ATitle.size()));
    Xutf8SetWMProperties(D, W, ATitle.c_str(), ATitle.c_str(), nullptr, 0, nullptr, nullptr, nullptr);
}

std::vector<unsigned long> X11IconData(int AWidth, int AHeight, const uint32_t* AArgb)
{
    std::vector<unsigned long> data;
    if (AWidth <= 0 || AHeight <= 0 || !AArgb)
        return data;
    data.reserve(2 + size_t(AWidth) * size_t(AHeight));
    data.push_back(static_cast<unsigned long>(AWidth));
    data.push_back(static_cast<unsigned long>(AHeight));
    data.insert(data.end(), AArgb, AArgb + size_t(AWidth) * size_t(AHeight));
    return data;
}

void SetX11WindowIcon(Display* D, unsigned long W, const std::vector<unsigned long>& AIconData)
{
    const Atom atom = XInternAtom(D, "_NET_WM_ICON", False);
    if (AIconData.empty())
        XDeleteProperty(D, W, atom);
    else
        XChangeProperty(D, W, atom, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(AIconData.data()), int(AIconData.size()));
}

} // namespace platform
