#include "platform/x11/X11NotifyArea.h"

#include "platform/ui/MessageLoop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace platform {
namespace {

constexpr long SYSTEM_TRAY_REQUEST_DOCK = 0;
constexpr long XEMBED_MAPPED = 1;
// Seen through when the tray's background cannot be read.
constexpr uint32_t kFallbackBackground = 0xFFD4D0C8u;

// The icon's picture fitted into a ASize x ASize square, at (X, Y) of it:
// each square pixel averages the picture pixels it covers, colours
// premultiplied as the picture's are.
uint32_t FittedIconPixel(const TNotifyIconData& AIcon, int X, int Y, int ASize)
{
    const int x0 = X * AIcon.IconWidth / ASize, x1 = std::max(x0 + 1, (X + 1) * AIcon.IconWidth / ASize);
    const int y0 = Y * AIcon.IconHeight / ASize, y1 = std::max(y0 + 1, (Y + 1) * AIcon.IconHeight / ASize);
    uint32_t sum[4] = {};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const uint32_t p = AIcon.Icon[size_t(y) * size_t(AIcon.IconWidth) + size_t(x)];
            for (int c = 0; c < 4; ++c)
                sum[c] += (p >> (8 * c)) & 0xFF;
        }
    const uint32_t n = uint32_t((x1 - x0) * (y1 - y0));
    const uint32_t alpha = sum[3] / n;
    uint32_t out = alpha << 24;
    // A channel never above the alpha, as premultiplied pixels must be.
    for (int c = 0; c < 3; ++c)
        out |= std::min(alpha, sum[c] / n) << (8 * c);
    return out;
}

// A premultiplied pixel laid over an opaque background.
uint32_t PixelOver(uint32_t APixel, uint32_t ABackground)
{
    const uint32_t alpha = APixel >> 24;
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
        const uint32_t under = (ABackground >> (8 * c)) & 0xFF;
        out |= std::min<uint32_t>(255, ((APixel >> (8 * c)) & 0xFF) + under * (255 - alpha) / 255) << (8 * c);
    }
    return out;
}

} // namespace

TX11NotifyArea::TX11NotifyArea(Display* ADisplay, int AScreen) : Dpy(ADisplay), ScreenNo(AScreen), Root(RootWindow(ADisplay, AScreen))
{
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(AScreen);
    AtomSelection = XInternAtom(Dpy, selection.c_str(), False);
    AtomOpcode = XInternAtom(Dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
    AtomXEmbedInfo = XInternAtom(Dpy, "_XEMBED_INFO", False);
    AtomManager = XInternAtom(Dpy, "MANAGER", False);
    AtomNetName = XInternAtom(Dpy, "_NET_WM_NAME", False);
    AtomUtf8 = XInternAtom(Dpy, "UTF8_STRING", False);
    AtomTrayVisual = XInternAtom(Dpy, "_NET_SYSTEM_TRAY_VISUAL", False);
    // A new tray manager announces itself to the root window.
    XWindowAttributes a;
    XGetWindowAttributes(Dpy, Root, &a);
    XSelectInput(Dpy, Root, a.your_event_mask | StructureNotifyMask);
}

TX11NotifyArea::~TX11NotifyArea()
{
    for (auto& [key, icon] : FIcons)
        if (icon.Xid)
            XDestroyWindow(Dpy, icon.Xid);
    if (FArgbMap)
        XFreeColormap(Dpy, FArgbMap);
}

Window TX11NotifyArea::FindManager()
{
    XGrabServer(Dpy);
    Manager = XGetSelectionOwner(Dpy, AtomSelection);
    // Told when it goes away.
    if (Manager)
        XSelectInput(Dpy, Manager, StructureNotifyMask);
    XUngrabServer(Dpy);
    XFlush(Dpy);
    return Manager;
}

bool TX11NotifyArea::RequestDock(TIcon& AIcon)
{
    if (!FindManager())
        return false;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = Manager;
    e.xclient.message_type = AtomOpcode;
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = SYSTEM_TRAY_REQUEST_DOCK;
    e.xclient.data.l[2] = long(AIcon.Xid);
    XSendEvent(Dpy, Manager, False, NoEventMask, &e);
    XFlush(Dpy);
    return true;
}

Visual* TX11NotifyArea::TrayArgbVisual()
{
    if (!Manager)
        return nullptr;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(Dpy, Manager, AtomTrayVisual, 0, 1, False, XA_VISUALID, &type, &format, &count, &after,
                           &data) != Success)
        return nullptr;
    VisualID id = 0;
    if (data && type == XA_VISUALID && format == 32 && count == 1)
        id = VisualID(reinterpret_cast<unsigned long*>(data)[0]);
    if (data)
        XFree(data);
    if (!id)
        return nullptr;
    XVisualInfo want{};
    want.visualid = id;
    want.screen = ScreenNo;
    int found = 0;
    XVisualInfo* info = XGetVisualInfo(Dpy, VisualIDMask | VisualScreenMask, &want, &found);
    Visual* argb = nullptr;
    // Only a true-colour visual whose colour channels leave the top byte
    // to alpha takes the picture's pixels as they are.
    if (info && found > 0 && info->depth == 32 && info->c_class == TrueColor && info->red_mask == 0xFF0000 &&
        info->green_mask == 0xFF00 && info->blue_mask == 0xFF)
        argb = info->visual;
    if (info)
        XFree(info);
    return argb;
}

void TX11NotifyArea::CreateIconWindow(TIcon& AIcon, Visual* AArgb)
{
    XSetWindowAttributes a{};
    a.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;
    if (AArgb) {
        if (AArgb != FArgbVisual) {
            if (FArgbMap)
                XFreeColormap(Dpy, FArgbMap);
            FArgbMap = XCreateColormap(Dpy, Root, AArgb, AllocNone);
            FArgbVisual = AArgb;
        }
        // Clear where the picture is: the tray composites the icon over
        // its own background. A window of another depth than its parent
        // needs its own colormap and border.
        a.background_pixel = 0;
        a.border_pixel = 0;
        a.colormap = FArgbMap;
        AIcon.Xid = XCreateWindow(Dpy, Root, 0, 0, 22, 22, 0, 32, InputOutput, AArgb,
                                  CWBackPixel | CWBorderPixel | CWColormap | CWEventMask, &a);
    } else {
        // The tray's own background shows around and through the picture.
        a.background_pixmap = ParentRelative;
        AIcon.Xid = XCreateWindow(Dpy, Root, 0, 0, 22, 22, 0, CopyFromParent, InputOutput, CopyFromParent,
                                  CWBackPixmap | CWEventMask, &a);
    }
    AIcon.Argb = AIcon.Xid ? AArgb : nullptr;
    AIcon.Docked = false;
    long info[2] = {0, XEMBED_MAPPED};
    XChangeProperty(Dpy, AIcon.Xid, AtomXEmbedInfo, AtomXEmbedInfo, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(info), 2);
    XClassHint hint{const_cast<char*>("zarvelo"), const_cast<char*>("Zarvelo")};
    XSetClassHint(Dpy, AIcon.Xid, &hint);
}

bool TX11NotifyArea::Add(const TNotifyIconData& AData)
{
    if (!FindManager())
        return false;
    TIcon& icon = FIcons[{AData.hWnd, AData.uID}];
    Visual* argb = TrayArgbVisual();
    // A window made for another tray's visual is made again on this one's.
    if (icon.Xid && icon.Argb != argb) {
        XDestroyWindow(Dpy, icon.Xid);
        icon.Xid = 0;
    }
    // A window its embedder destroyed is made again.
    if (!icon.Xid)
        CreateIconWindow(icon, argb);
    icon.Data = AData;
    SetTitle(icon);
    return RequestDock(icon);
}

bool TX11NotifyArea::Modify(const TNotifyIconData& AData)
{
    auto it = FIcons.find({AData.hWnd, AData.uID});
    if (it == FIcons.end())
        return false;
    ApplyNotifyIconChange(it->second.Data, AData);
    SetTitle(it->second);
    Draw(it->second);
    // Without a manager the icon is nowhere to be seen.
    return Manager != 0 && it->second.Xid != 0;
}

bool TX11NotifyArea::Delete(HWND AWnd, UINT AId)
{
    auto it = FIcons.find({AWnd, AId});
    if (it == FIcons.end())
        return false;
    // The manager sees its client go and closes the gap.
    if (it->second.Xid)
        XDestroyWindow(Dpy, it->second.Xid);
    XFlush(Dpy);
    FIcons.erase(it);
    return true;
}

bool TX11NotifyArea::IconRect(HWND AWnd, UINT AId, TRect& ARect)
{
    auto it = FIcons.find({AWnd, AId});
    if (it == FIcons.end() || !it->second.Docked || !it->second.Xid)
        return false;
    XWindowAttributes a;
    Window child = 0;
    int x = 0, y = 0;
    if (!XGetWindowAttributes(Dpy, it->second.Xid, &a) ||
        !XTranslateCoordinates(Dpy, it->second.Xid, Root, 0, 0, &x, &y, &child))
        return false;
    ARect = Bounds(x, y, a.width, a.height);
    return true;
}

TX11NotifyArea::TIcon* TX11NotifyArea::IconOf(Window AXid)
{
    if (!AXid)
        return nullptr;
    for (auto& [key, icon] : FIcons)
        if (icon.Xid == AXid)
            return &icon;
    return nullptr;
}

// Trays that show a name for their icons take the window's.
void TX11NotifyArea::SetTitle(const TIcon& AIcon)
{
    if (!AIcon.Xid)
        return;
    const std::string& tip = AIcon.Data.szTip;
    XChangeProperty(Dpy, AIcon.Xid, AtomNetName, AtomUtf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(tip.data()), int(tip.size()));
}

void TX11NotifyArea::Draw(TIcon& AIcon)
{
    XWindowAttributes a;
    if (!AIcon.Xid || !AIcon.Docked || !XGetWindowAttributes(Dpy, AIcon.Xid, &a) || a.map_state != IsViewable || a.width <= 0 ||
        a.height <= 0)
        return;
    const TNotifyIconData& d = AIcon.Data;
    const bool picture = !d.Icon.empty() && d.IconWidth > 0 && d.IconHeight > 0 &&
                         d.Icon.size() >= size_t(d.IconWidth) * size_t(d.IconHeight);
    if (!AIcon.Argb || !picture)
        XClearWindow(Dpy, AIcon.Xid);
    if (!picture) {
        XFlush(Dpy);
        return;
    }
    // On the tray's 32-bit visual the pixels go as they are, transparent
    // round the picture; otherwise over the background as the tray shows it.
    XImage* image = AIcon.Argb ? nullptr : XGetImage(Dpy, AIcon.Xid, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    const bool readBack = image != nullptr;
    if (!image) {
        image = XCreateImage(Dpy, a.visual, unsigned(a.depth), ZPixmap, 0, nullptr, unsigned(a.width), unsigned(a.height), 32, 0);
        if (!image)
            return;
        image->data = static_cast<char*>(calloc(size_t(image->bytes_per_line) * size_t(a.height), 1));
        if (!image->data) {
            XDestroyImage(image);
            return;
        }
    }
    const int size = std::min(a.width, a.height);
    const int left = (a.width - size) / 2, top = (a.height - size) / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const uint32_t pixel = FittedIconPixel(d, x, y, size);
            if (AIcon.Argb)
                XPutPixel(image, left + x, top + y, pixel);
            else
                XPutPixel(image, left + x, top + y,
                          PixelOver(pixel, readBack ? uint32_t(XGetPixel(image, left + x, top + y)) : kFallbackBackground));
        }
    GC gc = XCreateGC(Dpy, AIcon.Xid, 0, nullptr);
    XPutImage(Dpy, AIcon.Xid, gc, image, 0, 0, 0, 0, unsigned(a.width), unsigned(a.height));
    XFreeGC(Dpy, gc);
    XDestroyImage(image);
    XFlush(Dpy);
}

void TX11NotifyArea::ManagerGone()
{
    Manager = 0;
    // The icons wait off the screen until a manager asks for them again.
    for (auto& [key, icon] : FIcons) {
        icon.Docked = false;
        if (!icon.Xid)
            continue;
        XUnmapWindow(Dpy, icon.Xid);
        XReparentWindow(Dpy, icon.Xid, Root, 0, 0);
    }
    XFlush(Dpy);
}

bool TX11NotifyArea::HandleEvent(const XEvent& E)
{
    switch (E.type) {
    case ClientMessage:
        if (E.xclient.window == Root && Atom(E.xclient.message_type) == AtomManager &&
            Atom(E.xclient.data.l[1]) == AtomSelection) {
            Manager = Window(E.xclient.data.l[2]);
            NotifyAreaCreated();
            return true;
        }
        return false;
    case DestroyNotify:
        if (Manager && E.xdestroywindow.window == Manager) {
            ManagerGone();
            return true;
        }
        // Destroyed with its embedder: made again on the next add.
        if (TIcon* icon = IconOf(E.xdestroywindow.window)) {
            icon->Xid = 0;
            icon->Docked = false;
            return true;
        }
        return false;
    case ReparentNotify:
        if (TIcon* icon = IconOf(E.xreparent.window)) {
            icon->Docked = E.xreparent.parent != Root;
            // Back on the root (its manager died holding it): never a stray
            // square on the desktop.
            if (!icon->Docked)
                XUnmapWindow(Dpy, icon->Xid);
            return true;
        }
        return false;
    case Expose:
        if (TIcon* icon = IconOf(E.xexpose.window)) {
            if (E.xexpose.count == 0)
                Draw(*icon);
            return true;
        }
        return false;
    case MapNotify:
    case ConfigureNotify:
        if (TIcon* icon = IconOf(E.xany.window)) {
            Draw(*icon);
            return true;
        }
        return false;
    case UnmapNotify: return IconOf(E.xunmap.window) != nullptr;
    case ButtonPress:
    case ButtonRelease:
        if (TIcon* icon = IconOf(E.xbutton.window)) {
            const bool down = E.type == ButtonPress;
            UINT msg = 0;
            switch (E.xbutton.button) {
            case Button1: msg = down ? WM_LBUTTONDOWN : WM_LBUTTONUP; break;
            case Button2: msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP; break;
            case Button3: msg = down ? WM_RBUTTONDOWN : WM_RBUTTONUP; break;
            default: break;
            }
            if (msg)
                NotifyIconMouseInput(icon->Data, msg, uint64_t(E.xbutton.time));
            return true;
        }
        return false;
    case MotionNotify:
        if (TIcon* icon = IconOf(E.xmotion.window)) {
            NotifyIconMouseInput(icon->Data, WM_MOUSEMOVE, uint64_t(E.xmotion.time));
            return true;
        }
        return false;
    default: return false;
    }
}

} // namespace platform
