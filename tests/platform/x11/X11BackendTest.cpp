#include <gtest/gtest.h>

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/DropShadow.h"
#include "platform/ui/Input.h"
#include "platform/x11/X11Backend.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <chrono>
#include <thread>

using namespace platform;
using testsupport::PumpUntil;
using testsupport::SendClick;

namespace {

// Whether the X window's _NET_WM_STATE holds _NET_WM_STATE_ABOVE.
bool StateHoldsAbove(Display* d, Window w)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    const Atom above = XInternAtom(d, "_NET_WM_STATE_ABOVE", False);
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM, &type, &format, &count,
                           &after, &data) == Success && data)
        for (unsigned long i = 0; i < count; ++i)
            found = found || reinterpret_cast<Atom*>(data)[i] == above;
    if (data)
        XFree(data);
    return found;
}

} // namespace

TEST(X11Backend, AFormShowsItsPixelsOnTheDisplayAndTakesClicks)
{
    if (GetEnvironmentVariable("DISPLAY").empty())
        GTEST_SKIP() << "no X display";
    ASSERT_TRUE(InstallX11Backend());
    auto* x = dynamic_cast<TX11Backend*>(&Backend());
    ASSERT_NE(x, nullptr);
    Display* d = static_cast<Display*>(x->XDisplay());

    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 30, 320, 200);
    form->SetCaption("ZarveloMP3格式转换器");
    auto* label = new TLabel(form.get());
    label->SetBounds(10, 10, 200, 20);
    label->SetCaption("视频预览 Preview");
    label->SetParent(form.get());
    auto* button = new TButton(form.get());
    button->SetBounds(10, 50, 90, 30);
    button->SetCaption("开始");
    button->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetBounds(120, 50, 150, 22);
    edit->SetText("输出文件夹");
    edit->SetParent(form.get());
    auto* render = new TPanel(form.get());
    render->SetBounds(10, 100, 160, 90);
    render->SetParent(form.get());
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form->Show();

    Window xid = x->XWindowOf(form->Handle());
    ASSERT_NE(xid, 0u);
    ASSERT_TRUE(PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, xid, &a) && a.map_state == IsViewable;
    }));
    form->Invalidate();
    Application()->ProcessMessages();
    XSync(d, False);

    XImage* image = XGetImage(d, xid, 0, 0, 320, 200, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    const TPixelSurface* s = GetWindowSurface(form->Handle());
    int differences = 0, textPixels = 0;
    for (int y = 0; y < 200; ++y)
        for (int px = 0; px < 320; ++px) {
            uint32_t want = reinterpret_cast<const uint32_t*>(s->Row(y))[px] & 0xFFFFFF;
            uint32_t got = uint32_t(XGetPixel(image, px, y)) & 0xFFFFFF;
            differences += want != got;
            textPixels += y < 30 && want != (uint32_t(ColorToRGB(clBtnFace)) & 0xFFFFFF);
        }
    XDestroyImage(image);
    EXPECT_EQ(differences, 0);
    EXPECT_GT(textPixels, 0);   // the caption was drawn

    // A click arriving from the display reaches the button.
    TPoint center = button->ClientToScreen(Point(45, 15));
    SendClick(d, xid, center, Point(center.X - 40, center.Y - 30));
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));

    // A library drawing into a window of its own gets a real child of the form's X window.
    uintptr_t child = GetNativeChildWindow(render->Handle());
    ASSERT_NE(child, 0u);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(d, Window(child), &root, &parent, &children, &count);
    if (children)
        XFree(children);
    EXPECT_EQ(parent, xid);
    XWindowAttributes a;
    XGetWindowAttributes(d, Window(child), &a);
    EXPECT_EQ(a.x, 10);
    EXPECT_EQ(a.y, 100);

    // Titles are UTF-8 and the clipboard is the display's.
    SetClipboardText("剪贴板 text");
    EXPECT_EQ(GetClipboardText(), "剪贴板 text");

    // A layered window with per-pixel alpha is cut to its visible pixels.
    TWndClass layered;
    layered.ClassName = "X11TestLayered";
    RegisterClass(layered);
    HWND glow = CreateWindowEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "X11TestLayered", "", WS_POPUP, 400, 300, 20, 10, nullptr);
    ASSERT_NE(glow, nullptr);
    TBitmap picture;
    picture.SetPixelFormat(pf32bit);
    picture.SetSize(20, 10);
    for (int y = 0; y < 10; ++y)
        for (int px = 0; px < 20; ++px)
            reinterpret_cast<uint32_t*>(picture.ScanLine(y))[px] = px < 10 ? 0xFF336699u : 0u;
    ShowWindow(glow, SW_SHOWNA);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    TPoint origin{0, 0};
    ASSERT_TRUE(UpdateLayeredWindow(glow, nullptr, nullptr, nullptr, picture.Canvas()->Handle(), &origin, 0, &blend, ULW_ALPHA));
    Application()->ProcessMessages();
    XSync(d, False);
    int shapeCount = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(d, x->XWindowOf(glow), ShapeBounding, &shapeCount, &ordering);
    int right = 0;
    for (int i = 0; i < shapeCount; ++i)
        right = std::max(right, rects[i].x + int(rects[i].width));
    if (rects)
        XFree(rects);
    EXPECT_GT(shapeCount, 0);
    EXPECT_EQ(right, 10);
    DestroyWindow(glow);

    // A stay-on-top form asks the window manager to keep it above the
    // other programs' windows, and lets go as a normal form; a window made
    // while its form stays on top asks at once.
    EXPECT_FALSE(StateHoldsAbove(d, xid));
    const struct {
        TFormStyle Style;
        bool KeptAbove;
    } steps[] = {{fsStayOnTop, true}, {fsStayOnTop, true}, {fsNormal, false}, {fsStayOnTop, true}};
    for (const auto& step : steps) {
        form->SetFormStyle(step.Style);
        XSync(d, False);
        EXPECT_EQ(StateHoldsAbove(d, xid), step.KeptAbove) << int(step.Style);
    }
    std::unique_ptr<TForm> onTop(new TForm(nullptr));
    onTop->SetFormStyle(fsStayOnTop);
    onTop->SetBounds(500, 30, 60, 40);
    onTop->Show();
    XSync(d, False);
    EXPECT_TRUE(StateHoldsAbove(d, x->XWindowOf(onTop->Handle())));
    onTop.reset();
    form->SetFormStyle(fsNormal);

    // Minimising iconifies the X window.
    form->SetWindowState(wsMinimized);
    EXPECT_TRUE(PumpUntil([&] {
        XWindowAttributes attrs;
        return XGetWindowAttributes(d, xid, &attrs) && attrs.map_state != IsViewable;
    }));
}

namespace {

// Where the X window lies on the screen and how large it is.
TRect XBounds(Display* d, Window w)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a))
        return TRect{};
    Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return Bounds(x, y, a.width, a.height);
}

} // namespace

// A popup whose class asks for a shadow gets a 32-bit companion window
// holding a soft alpha band, a few pixels down and right, stacked just
// below it, following it and freed with it.
using PopupShadowOnX11 = testsupport::TXDisplayTest;

TEST_F(PopupShadowOnX11, APopupCastsATranslucentShadowWhileACompositorRuns)
{
    TWndClass cls;
    cls.ClassName = "X11TestShadowPopup";
    cls.Style = CS_DROPSHADOW | CS_SAVEBITS;
    cls.Background = 0xFFFFFF;
    RegisterClass(cls);
    auto popup = [&](const TRect& R) {
        HWND h = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, cls.ClassName, "", WS_POPUP, R.Left, R.Top, R.Width(),
                                R.Height(), nullptr);
        SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        return h;
    };
    const int s = DropShadowSize, w = 120, h = 90;

    // No compositing manager: no shadow, not even an opaque one.
    if (!x->HasCompositor()) {
        HWND bare = popup(Bounds(100, 80, w, h));
        XSync(d, False);
        EXPECT_EQ(x->XShadowWindowOf(bare), 0u);
        DestroyWindow(bare);
    }

    testsupport::TCompositorStandIn manager;
    ASSERT_TRUE(manager.Running());
    if (!x->HasCompositor())
        GTEST_SKIP() << "no visual with alpha";
    HWND menu = popup(Bounds(100, 80, w, h));
    const Window menuX = x->XWindowOf(menu), shadowX = x->XShadowWindowOf(menu);
    ASSERT_NE(shadowX, 0u);
    ASSERT_TRUE(PumpUntil([&] { return testsupport::Viewable(d, shadowX); }));
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(d, shadowX, &a));
    EXPECT_EQ(a.depth, 32);
    EXPECT_TRUE(a.override_redirect);
    EXPECT_EQ(XBounds(d, shadowX), Bounds(100 + s, 80 + s, w, h));
    EXPECT_TRUE(testsupport::StackedJustBelow(d, shadowX, menuX));

    // The band's alpha: darkest next to the popup's right edge, fading out;
    // black, so the premultiplied colour is nothing.
    XSync(d, False);
    XImage* image = XGetImage(d, shadowX, 0, 0, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    const uint32_t edge = uint32_t(XGetPixel(image, w - s, h / 2));
    EXPECT_EQ(edge >> 24, uint32_t(DropShadowEdgeAlpha));
    EXPECT_EQ(edge & 0xFFFFFF, 0u);
    EXPECT_EQ(uint32_t(XGetPixel(image, w - 1, h / 2)) >> 24, uint32_t(DropShadowAlpha(w - 1, h / 2, w, h)));
    EXPECT_EQ(uint32_t(XGetPixel(image, w / 2, h - s)) >> 24, uint32_t(DropShadowEdgeAlpha));
    XDestroyImage(image);
    // Only the band shows, and the pointer passes through it.
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(d, shadowX, ShapeInput, &count, &ordering);
    if (rects)
        XFree(rects);
    EXPECT_EQ(count, 0);
    rects = XShapeGetRectangles(d, shadowX, ShapeBounding, &count, &ordering);
    int area = 0;
    for (int i = 0; i < count; ++i)
        area += rects[i].width * rects[i].height;
    if (rects)
        XFree(rects);
    EXPECT_EQ(area, s * h + (w - s) * s);

    // It follows its popup; another popup above keeps it just below its own.
    MoveWindow(menu, 300, 200, 80, 60);
    XSync(d, False);
    EXPECT_EQ(XBounds(d, shadowX), Bounds(300 + s, 200 + s, 80, 60));
    HWND sub = popup(Bounds(350, 220, 60, 40));
    XSync(d, False);
    EXPECT_TRUE(testsupport::StackedJustBelow(d, shadowX, menuX));
    const std::vector<Window> order = testsupport::XStacking(d);
    EXPECT_LT(std::find(order.begin(), order.end(), menuX), std::find(order.begin(), order.end(), x->XShadowWindowOf(sub)));
    ShowWindow(menu, SW_HIDE);
    EXPECT_TRUE(PumpUntil([&] { return !testsupport::Viewable(d, shadowX); }));
    DestroyWindow(sub);
    DestroyWindow(menu);
    XSync(d, False);
    EXPECT_FALSE(XGetWindowAttributes(d, shadowX, &a));   // freed with it
}
