// The tray icon on a real X display, against a small tray manager the test
// runs itself on a second connection: it owns _NET_SYSTEM_TRAY_S<screen>,
// takes dock requests and embeds the icon windows in a strip of its own.
// Without a manager adding fails and minimising to the tray leaves the form
// on the screen; once the manager appears the icon docks by itself, shows
// the program's picture, reports clicks made through the pointer, opens its
// skinned menu and shows balloons next to it. A manager that composites
// its icons names a 32-bit visual: the icon window is made on it and keeps
// the picture's alpha, and is made again on the default visual for a
// manager that names none.

// Before the X headers, whose macros would clash with it.
#include <gtest/gtest.h>

#include "skin/controls/bsSkinHint.h"
#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"
#include "skin/form/bsTrayIcon.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/PngImage.h"
#include "platform/ui/Input.h"
#include "platform/x11/X11Backend.h"

#include "support/XDisplayTestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using namespace platform;
using testsupport::Pause;

namespace {

constexpr unsigned long kStripColor = 0x304050;   // the manager's strip
constexpr uint32_t kIconColor = 0x20B040;          // the icon's disc

// A tray manager as small as the protocol allows.
struct TTestTrayManager {
    Display* D = XOpenDisplay(nullptr);
    Window Strip = 0;
    std::vector<Window> Docked;
    TRect Bounds = Rect(1100, 990, 1240, 1020);
    // The visual announced in _NET_SYSTEM_TRAY_VISUAL; 0 for none.
    VisualID IconVisual = 0;

    void Start()
    {
        const Window root = DefaultRootWindow(D);
        Docked.clear();
        XSetWindowAttributes a{};
        a.override_redirect = True;
        a.background_pixel = kStripColor;
        Strip = XCreateWindow(D, root, Bounds.Left, Bounds.Top, unsigned(Bounds.Width()), unsigned(Bounds.Height()), 0,
                              CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &a);
        XMapWindow(D, Strip);
        if (IconVisual) {
            const long id = long(IconVisual);
            XChangeProperty(D, Strip, XInternAtom(D, "_NET_SYSTEM_TRAY_VISUAL", False), XA_VISUALID, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&id), 1);
        }
        const Atom selection = XInternAtom(D, "_NET_SYSTEM_TRAY_S0", False);
        XSetSelectionOwner(D, selection, Strip, CurrentTime);
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = root;
        e.xclient.message_type = XInternAtom(D, "MANAGER", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = long(selection);
        e.xclient.data.l[2] = long(Strip);
        XSendEvent(D, root, False, StructureNotifyMask, &e);
        XFlush(D);
    }
    // Takes the dock requests that arrived: each icon goes into the strip,
    // 24 pixels square, side by side.
    void Serve()
    {
        const Atom opcode = XInternAtom(D, "_NET_SYSTEM_TRAY_OPCODE", False);
        while (XPending(D)) {
            XEvent e;
            XNextEvent(D, &e);
            if (e.type != ClientMessage || e.xclient.message_type != opcode || e.xclient.data.l[1] != 0)
                continue;
            const Window icon = Window(e.xclient.data.l[2]);
            // A request for an icon already embedded (the program adds its
            // icons again when it hears of a new manager) changes nothing.
            if (std::find(Docked.begin(), Docked.end(), icon) != Docked.end())
                continue;
            // The icons outlive the manager, as with any embedder.
            XAddToSaveSet(D, icon);
            XReparentWindow(D, icon, Strip, 4 + 28 * int(Docked.size()), 3);
            XResizeWindow(D, icon, 24, 24);
            XMapWindow(D, icon);
            Docked.push_back(icon);
        }
        XFlush(D);
    }
    // The manager's program ends.
    void Stop()
    {
        XCloseDisplay(D);
        D = nullptr;
    }
    // Another manager's program starts.
    void Restart(VisualID AIconVisual)
    {
        if (D)
            XCloseDisplay(D);
        D = XOpenDisplay(nullptr);
        IconVisual = AIconVisual;
        Start();
    }
    ~TTestTrayManager()
    {
        if (D)
            XCloseDisplay(D);
    }
};


uint32_t ScreenPixel(Display* D, TPoint P)
{
    XImage* image = XGetImage(D, DefaultRootWindow(D), P.X, P.Y, 1, 1, AllPlanes, ZPixmap);
    const uint32_t p = image ? uint32_t(XGetPixel(image, 0, 0)) & 0xFFFFFF : 0;
    if (image)
        XDestroyImage(image);
    return p;
}

// The program's own picture: a green disc on a clear 16 x 16 square.
void DrawIcon(TBitmap& B)
{
    B.SetPixelFormat(pf32bit);
    B.SetSize(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15, dy = 2 * y - 15;
            reinterpret_cast<uint32_t*>(B.ScanLine(y))[x] = dx * dx + dy * dy <= 14 * 14 ? 0xFF000000u | kIconColor : 0;
        }
}

// The icon window's pixels as they are (alpha included on a 32-bit
// visual), row by row.
std::vector<uint32_t> WindowPixels(Display* D, Window W, int AWidth, int AHeight)
{
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(D, W, 0, 0, unsigned(AWidth), unsigned(AHeight), AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x)
            pixels.push_back(uint32_t(XGetPixel(image, x, y)));
    XDestroyImage(image);
    return pixels;
}

// What a compositing tray shows: the premultiplied icon over its strip,
// saved with a margin of strip around it.
void SaveComposited(const std::vector<uint32_t>& AIcon, int ASize, const std::string& AFileName)
{
    constexpr int margin = 8;
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(ASize + 2 * margin, ASize + 2 * margin);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const int ix = x - margin, iy = y - margin;
            const uint32_t p = ix >= 0 && iy >= 0 && ix < ASize && iy < ASize ? AIcon[size_t(iy * ASize + ix)] : 0;
            const uint32_t a = p >> 24;
            uint32_t out = 0xFF000000u;
            for (int c = 0; c < 3; ++c)
                out |= (((p >> (8 * c)) & 0xFF) + ((kStripColor >> (8 * c)) & 0xFF) * (255 - a) / 255) << (8 * c);
            reinterpret_cast<uint32_t*>(b.ScanLine(y))[x] = out;
        }
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile(AFileName);
}

void Press(Display* D, TPoint P, unsigned AButton)
{
    XTestFakeMotionEvent(D, -1, P.X, P.Y, CurrentTime);
    XTestFakeButtonEvent(D, AButton, True, CurrentTime);
    XTestFakeButtonEvent(D, AButton, False, CurrentTime);
    XFlush(D);
}

} // namespace

TEST(TrayIconOnX11, DocksIntoTheTrayManagerAndAnswersThePointer)
{
    if (GetEnvironmentVariable("DISPLAY").empty())
        GTEST_SKIP() << "no X display";
    ASSERT_TRUE(InstallX11Backend());
    auto* x = dynamic_cast<TX11Backend*>(&Backend());
    Display* d = static_cast<Display*>(x->XDisplay());
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor))
        GTEST_SKIP() << "the display has no XTEST";
    TTestTrayManager manager;
    ASSERT_NE(manager.D, nullptr);
    ASSERT_EQ(XGetSelectionOwner(manager.D, XInternAtom(manager.D, "_NET_SYSTEM_TRAY_S0", False)), None)
        << "another tray manager runs on this display";

    TForm* form = nullptr;
    Application()->CreateForm(form);
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 60, 360, 200);
    form->SetCaption("ZarveloMP3格式转换器");
    auto* skinForm = new skin::TbsSkinForm(form);
    auto* hint = new skin::TbsSkinHint(form);
    skinForm->SetSkinHint(hint);
    auto* tray = new skin::TbsTrayIcon(form);
    TBitmap picture;
    DrawIcon(picture);
    tray->SetIcon(&picture);
    tray->SetHint("ZarveloMP3格式转换器");
    std::vector<std::string> log;
    tray->OnClick = [&](TObject*) { log.push_back("click"); };
    skinForm->SetTrayIcon(tray);
    form->Show();
    const Window formXid = x->XWindowOf(form->Handle());
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, formXid, &a) && a.map_state == IsViewable;
    }));

    // No manager: the icon cannot be added and the form stays.
    EXPECT_FALSE(tray->AddTrayIcon());
    skinForm->MinimizeToTray();
    Pause(50);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));

    // A manager appears: the icon the program meant to show docks by itself.
    manager.Start();
    TRect icon;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        manager.Serve();
        return GetNotifyIconRect(tray->Handle(), 1, icon);
    }));
    ASSERT_EQ(manager.Docked.size(), 1u);
    EXPECT_EQ(icon, Rect(manager.Bounds.Left + 4, manager.Bounds.Top + 3, manager.Bounds.Left + 28, manager.Bounds.Top + 27));
    {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        const Atom info = XInternAtom(manager.D, "_XEMBED_INFO", False);
        ASSERT_EQ(XGetWindowProperty(manager.D, manager.Docked[0], info, 0, 2, False, info, &type, &format, &count, &after, &data),
                  Success);
        ASSERT_EQ(count, 2u);
        EXPECT_EQ(reinterpret_cast<long*>(data)[1] & 1, 1) << "the icon asks to be mapped";
        XFree(data);
    }
    const TPoint centre = Point((icon.Left + icon.Right) / 2, (icon.Top + icon.Bottom) / 2);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return ScreenPixel(d, centre) == kIconColor; }));
    EXPECT_EQ(ScreenPixel(d, Point(icon.Left, icon.Top)), kStripColor) << "the strip shows round the disc";
    ASSERT_TRUE(testsupport::SaveScreen(d, Rect(manager.Bounds.Left - 10, manager.Bounds.Top - 10, manager.Bounds.Right + 10, manager.Bounds.Bottom + 4),
               "x11_tray_docked.png"));

    // Resting on the icon shows its hint next to it.
    XTestFakeMotionEvent(d, -1, centre.X, centre.Y, CurrentTime);
    XFlush(d);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return tray->TipVisible(); }));
    TRect tip;
    GetWindowRect(tray->TipWindow()->Handle(), tip);
    EXPECT_EQ(tip.Bottom, icon.Top - 2);
    Pause(150);
    ASSERT_TRUE(testsupport::SaveScreen(d, Rect(tip.Left - 10, tip.Top - 10, manager.Bounds.Right + 10, manager.Bounds.Bottom + 4),
                                        "x11_tray_hint.png"));

    // A left click through the pointer is one click, after the delay.
    Press(d, centre, 1);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !log.empty(); }));
    EXPECT_EQ(log, std::vector<std::string>{"click"});

    // A right click opens the form's tray menu at the pointer.
    Press(d, centre, 3);
    skin::TbsSkinMenu* menus = skinForm->SkinMenu();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return menus->Visible(); }));
    EXPECT_EQ(skinForm->SysTrayMenu()->PopupComponent, tray);
    skin::TbsSkinPopupWindow* popup = menus->PopupWindow(0);
    EXPECT_EQ(popup->Item(0)->MenuItem->Name(), "TRAY_BSF_RESTORE");
    TRect menuRect;
    GetWindowRect(popup->Handle(), menuRect);
    EXPECT_LE(menuRect.Bottom, GetScreenRect().Bottom);
    Pause(150);
    ASSERT_TRUE(testsupport::SaveScreen(d, Rect(860, 800, 1280, 1024), "x11_tray_menu.png"));
    menus->Hide();
    Pause(50);

    // Minimised into the tray and back through the menu's Restore.
    skinForm->MinimizeToTray();
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, formXid, &a) && a.map_state != IsViewable;
    }));
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        manager.Serve();
        return GetNotifyIconRect(tray->Handle(), 1, icon);
    }));
    skinForm->SysTrayMenu()->Items()->Items(0)->Click();
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, formXid, &a) && a.map_state == IsViewable;
    }));
    EXPECT_FALSE(GetNotifyIconRect(tray->Handle(), 1, icon)) << "the icon leaves with the restore";

    // A balloon in the program's hint window, just above the icon.
    skinForm->AlwaysShowInTray = true;
    tray->SetIconVisible(true);
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        manager.Serve();
        return GetNotifyIconRect(tray->Handle(), 1, icon);
    }));
    ASSERT_TRUE(tray->ShowBalloonHint("转换完成", "3 个文件已转换为 MP3。", skin::bsbitInfo));
    ASSERT_TRUE(tray->BalloonVisible());
    const Window balloonXid = x->XWindowOf(tray->BalloonWindow()->Handle());
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, balloonXid, &a) && a.map_state == IsViewable;
    }));
    TRect balloon;
    GetWindowRect(tray->BalloonWindow()->Handle(), balloon);
    EXPECT_EQ(balloon.Bottom, icon.Top - 2);
    EXPECT_EQ(balloon.Right, icon.Right);
    Pause(150);
    ASSERT_TRUE(testsupport::SaveScreen(d, Rect(balloon.Left - 10, balloon.Top - 10, manager.Bounds.Right + 10, manager.Bounds.Bottom + 4),
               "x11_tray_balloon.png"));
    tray->HideBalloonHint();

    // The manager goes: the icon leaves the screen, and minimising to the
    // tray keeps the form.
    const Window iconXid = manager.Docked.back();
    manager.Stop();
    tray->Enabled = true;
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !GetNotifyIconRect(tray->Handle(), 1, icon); }));
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, iconXid, &a) && a.map_state != IsViewable;
    }));
    skinForm->MinimizeToTray();
    Pause(100);
    EXPECT_TRUE(form->Visible());
    delete form;
}

// A tray that composites its icons asks for a 32-bit visual: the icon window
// is made on it with its own colormap and its pixels keep the picture's
// alpha (clear corners, a half-seen rim, an opaque disc), so no dark square
// shows round it. A later manager without that wish gets an icon window of
// the screen's depth again.
TEST(TrayIconOnX11, OnATrayWithA32BitVisualKeepsThePicturesAlpha)
{
    TX11Backend* x = testsupport::InstallTestX11Backend();
    if (!x)
        GTEST_SKIP() << "no X display";
    Display* d = static_cast<Display*>(x->XDisplay());
    TTestTrayManager manager;
    ASSERT_NE(manager.D, nullptr);
    XVisualInfo argb{};
    if (!XMatchVisualInfo(manager.D, DefaultScreen(manager.D), 32, TrueColor, &argb))
        GTEST_SKIP() << "the display has no visual with alpha";
    ASSERT_EQ(XGetSelectionOwner(manager.D, XInternAtom(manager.D, "_NET_SYSTEM_TRAY_S0", False)), None)
        << "another tray manager runs on this display";
    manager.IconVisual = argb.visualid;
    manager.Start();

    TForm* form = nullptr;
    Application()->CreateForm(form);
    auto* tray = new skin::TbsTrayIcon(form);
    // The disc, opaque, inside a rim seen at half through (premultiplied).
    TBitmap picture;
    picture.SetPixelFormat(pf32bit);
    picture.SetSize(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15, dy = 2 * y - 15, r2 = dx * dx + dy * dy;
            reinterpret_cast<uint32_t*>(picture.ScanLine(y))[x] = r2 <= 11 * 11   ? 0xFF000000u | kIconColor
                                                                  : r2 <= 15 * 15 ? 0x80105820u
                                                                                  : 0u;
        }
    tray->SetIcon(&picture);
    tray->SetHint("ZarveloMP3格式转换器");
    ASSERT_TRUE(tray->AddTrayIcon());
    TRect icon;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        manager.Serve();
        return GetNotifyIconRect(tray->Handle(), 1, icon);
    }));
    ASSERT_EQ(manager.Docked.size(), 1u);
    const Window iconXid = manager.Docked[0];
    XWindowAttributes a{};
    ASSERT_TRUE(XGetWindowAttributes(manager.D, iconXid, &a));
    EXPECT_EQ(a.depth, 32);
    EXPECT_EQ(XVisualIDFromVisual(a.visual), argb.visualid);
    EXPECT_NE(a.colormap, DefaultColormap(manager.D, DefaultScreen(manager.D)));
    EXPECT_NE(a.colormap, Colormap(None));

    // 24 x 24 in the strip; the 16 x 16 picture fitted into it.
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        manager.Serve();
        pixels = WindowPixels(manager.D, iconXid, 24, 24);
        return pixels.size() == 24u * 24u && pixels[12 * 24 + 12] == (0xFF000000u | kIconColor);
    }));
    EXPECT_EQ(pixels[0], 0u) << "a clear corner stays clear";
    EXPECT_EQ(pixels[23 * 24 + 23], 0u);
    int rim = 0;
    for (uint32_t p : pixels) {
        const uint32_t alpha = p >> 24;
        rim += alpha == 0x80;
        for (int c = 0; c < 3; ++c)
            EXPECT_LE((p >> (8 * c)) & 0xFF, alpha) << std::hex << p << ": colour above its alpha";
    }
    EXPECT_GT(rim, 0) << "the rim keeps its half alpha";
    SaveComposited(pixels, 24, "x11_tray_argb.png");

    // A manager without the wish: the icon comes back on the screen's depth,
    // drawn over the strip.
    manager.Restart(0);
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        manager.Serve();
        return manager.Docked.size() == 1u && GetNotifyIconRect(tray->Handle(), 1, icon);
    }));
    ASSERT_TRUE(XGetWindowAttributes(manager.D, manager.Docked[0], &a));
    EXPECT_EQ(a.depth, DefaultDepth(manager.D, DefaultScreen(manager.D)));
    EXPECT_NE(manager.Docked[0], iconXid);
    const TPoint centre = Point((icon.Left + icon.Right) / 2, (icon.Top + icon.Bottom) / 2);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return ScreenPixel(d, centre) == kIconColor; }));
    EXPECT_EQ(ScreenPixel(d, Point(icon.Left, icon.Top)), kStripColor);
    delete form;
}
