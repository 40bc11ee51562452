#include <gtest/gtest.h>

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"
#include "platform/x11/X11Backend.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

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
