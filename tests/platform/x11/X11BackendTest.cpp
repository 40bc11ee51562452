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
    // Made click-through it takes no pointer input on the display, also
    // after a new picture; back, it takes input where it shows.
    const auto inputRects = [&] {
        XSync(d, False);
        int n = 0, order = 0;
        XRectangle* r = XShapeGetRectangles(d, x->XWindowOf(glow), ShapeInput, &n, &order);
        if (r)
            XFree(r);
        return n;
    };
    EXPECT_GT(inputRects(), 0);
    SetWindowLong(glow, GWL_EXSTYLE, GetWindowLong(glow, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    EXPECT_EQ(inputRects(), 0);
    ASSERT_TRUE(UpdateLayeredWindow(glow, nullptr, nullptr, nullptr, picture.Canvas()->Handle(), &origin, 0, &blend, ULW_ALPHA));
    Application()->ProcessMessages();
    EXPECT_EQ(inputRects(), 0);
    SetWindowLong(glow, GWL_EXSTYLE, GetWindowLong(glow, GWL_EXSTYLE) & ~intptr_t(WS_EX_TRANSPARENT));
    EXPECT_GT(inputRects(), 0);
    // Blur behind a part of it is asked of a compositing manager by the
    // part's rectangles, and asked no more.
    const auto blurProperty = [&] {
        XSync(d, False);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<long> values;
        if (XGetWindowProperty(d, x->XWindowOf(glow), XInternAtom(d, "_KDE_NET_WM_BLUR_BEHIND_REGION", False), 0, 64, False,
                               XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
            data)
            values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
        if (data)
            XFree(data);
        return values;
    };
    HRGN part = CreateRectRgn(2, 1, 8, 9);
    ASSERT_TRUE(SetWindowBlurBehind(glow, true, part));
    DeleteObject(part);
    EXPECT_EQ(blurProperty(), (std::vector<long>{2, 1, 6, 8}));
    SetWindowBlurBehind(glow, true, nullptr);
    EXPECT_EQ(blurProperty(), (std::vector<long>{0, 0, 20, 10}));
    SetWindowBlurBehind(glow, false, nullptr);
    EXPECT_TRUE(blurProperty().empty());
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

namespace {

// Another program on the display, asking the window manager (the root
// window) for something about window W, as pagers and task bars do.
void AskRoot(Display* AOther, Window W, const char* AType, long AValue)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = W;
    e.xclient.message_type = XInternAtom(AOther, AType, False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = AValue;
    XSendEvent(AOther, DefaultRootWindow(AOther), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(AOther);
}

// What a window manager writes when it iconifies or restores W.
void MarkWmState(Display* AOther, Window W, long AState)
{
    const Atom wmState = XInternAtom(AOther, "WM_STATE", False);
    long value[2] = {AState, 0};
    XChangeProperty(AOther, W, wmState, wmState, 32, PropModeReplace, reinterpret_cast<unsigned char*>(value), 2);
    XFlush(AOther);
}

} // namespace

// However the desktop minimises or restores a form (a request to the root
// window, another program mapping it, a window manager's state), the window
// system follows, and the restored form takes clicks again.
using DesktopStateOnX11 = testsupport::TXDisplayTest;

TEST_F(DesktopStateOnX11, AFormFollowsTheDesktopMinimisingAndRestoringIt)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 40, 200, 120);
    auto* button = new TButton(form.get());
    button->SetBounds(10, 10, 90, 30);
    button->SetParent(form.get());
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    const Window xid = x->XWindowOf(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return testsupport::Viewable(d, xid); }));
    Display* other = XOpenDisplay(DisplayString(d));
    ASSERT_NE(other, nullptr);

    const struct {
        const char* What;
        std::function<void()> Do;
        bool Iconic;
    } steps[] = {
        {"minimised by the program", [&] { form->SetWindowState(wsMinimized); }, true},
        {"brought back from a task bar", [&] { AskRoot(other, xid, "_NET_ACTIVE_WINDOW", 1); }, false},
        {"iconified from a task bar", [&] { AskRoot(other, xid, "WM_CHANGE_STATE", IconicState); }, true},
        {"mapped by another program", [&] { XMapWindow(other, xid); XFlush(other); }, false},
        {"marked iconic by a window manager", [&] { MarkWmState(other, xid, IconicState); }, true},
        {"marked normal by a window manager", [&] { MarkWmState(other, xid, NormalState); }, false},
    };
    for (const auto& step : steps) {
        step.Do();
        EXPECT_TRUE(PumpUntil([&] { return IsIconic(form->Handle()) == step.Iconic; })) << step.What;
        if (step.Iconic)
            continue;
        ASSERT_TRUE(PumpUntil([&] { return testsupport::Viewable(d, xid); })) << step.What;
        const int before = clicks;
        const TPoint center = button->ClientToScreen(Point(45, 15));
        SendClick(d, xid, center, Point(center.X - 60, center.Y - 40));
        EXPECT_TRUE(PumpUntil([&] { return clicks == before + 1; })) << step.What;
    }
    XCloseDisplay(other);
}

namespace {

// The _MOTIF_WM_HINTS flags and functions of W, and its size hints.
struct TOffered {
    long Flags = 0, Functions = 0;
    XSizeHints Size{};
};

TOffered OfferedBy(Display* d, Window w)
{
    TOffered o;
    const Atom motif = XInternAtom(d, "_MOTIF_WM_HINTS", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, motif, 0, 5, False, motif, &type, &format, &count, &after, &data) == Success && data &&
        count >= 2) {
        o.Flags = reinterpret_cast<long*>(data)[0];
        o.Functions = reinterpret_cast<long*>(data)[1];
    }
    if (data)
        XFree(data);
    long supplied = 0;
    XGetWMNormalHints(d, w, &o.Size, &supplied);
    return o;
}

} // namespace

// The window manager may close a window and, when its style has a minimise
// box, minimise it; it may not move, size or maximise it, and the size
// hints pin the size the program gave it.
using OfferedFunctionsOnX11 = testsupport::TXDisplayTest;

TEST_F(OfferedFunctionsOnX11, TheWindowManagerIsOfferedTheMinimiseBoxAndTheFixedSize)
{
    constexpr long kFunctions = 1, kDecorations = 2, kMinimize = 8, kClose = 32;
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsSingle);
    form->BorderIcons = biSystemMenu;
    form->SetBounds(70, 50, 240, 130);
    form->Show();
    const Window xid = x->XWindowOf(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return testsupport::Viewable(d, xid); }));
    const HWND h = form->Handle();
    const DWORD style = DWORD(GetWindowLong(h, GWL_STYLE));
    const struct {
        DWORD Style;
        TRect Bounds;
        long Functions;
    } steps[] = {
        {style, Bounds(70, 50, 240, 130), kClose},
        {style | WS_MINIMIZEBOX, Bounds(70, 50, 240, 130), kClose | kMinimize},
        {style | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME, Bounds(90, 60, 300, 150), kClose | kMinimize},
        {style, Bounds(90, 60, 260, 140), kClose},
    };
    for (const auto& step : steps) {
        SetWindowLong(h, GWL_STYLE, intptr_t(step.Style));
        form->SetBoundsRect(step.Bounds);
        XSync(d, False);
        const TOffered o = OfferedBy(d, xid);
        EXPECT_EQ(o.Flags, kFunctions | kDecorations);
        EXPECT_EQ(o.Functions, step.Functions) << std::hex << step.Style;
        EXPECT_TRUE((o.Size.flags & PMinSize) && (o.Size.flags & PMaxSize));
        EXPECT_EQ(o.Size.min_width, step.Bounds.Width());
        EXPECT_EQ(o.Size.max_width, step.Bounds.Width());
        EXPECT_EQ(o.Size.min_height, step.Bounds.Height());
        EXPECT_EQ(o.Size.max_height, step.Bounds.Height());
    }
}

namespace {

// A form that keeps what the display-mode messages it gets say.
class TDisplayWatcher : public TForm {
public:
    using TForm::TForm;
    std::vector<std::pair<WPARAM, LPARAM>> Changes;

protected:
    void WndProc(TMessage& AMessage) override
    {
        if (AMessage.Msg == WM_DISPLAYCHANGE)
            Changes.emplace_back(AMessage.WParam, AMessage.LParam);
        TForm::WndProc(AMessage);
    }
};

// What the X server tells the root window's clients when the screen is
// resized.
void ReportRootSize(Display* d, int AWidth, int AHeight)
{
    XEvent e{};
    e.xconfigure.type = ConfigureNotify;
    e.xconfigure.display = d;
    e.xconfigure.event = DefaultRootWindow(d);
    e.xconfigure.window = DefaultRootWindow(d);
    e.xconfigure.width = AWidth;
    e.xconfigure.height = AHeight;
    XSendEvent(d, DefaultRootWindow(d), False, StructureNotifyMask, &e);
    XFlush(d);
}

} // namespace

// A resized screen reaches every top-level window as a change of display
// mode with the new size, and the screen's rectangle follows; a report of
// the size it already has changes nothing.
using X11DisplayChange = testsupport::TXDisplayTest;

TEST_F(X11DisplayChange, AResizedScreenIsToldToTheWindowsAsADisplayChange)
{
    const TRect screen = x->ScreenRect();

    std::unique_ptr<TDisplayWatcher> form(new TDisplayWatcher(nullptr));
    form->SetBounds(40, 30, 200, 120);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return testsupport::Viewable(d, x->XWindowOf(form->Handle())); }));

    ReportRootSize(d, 800, 600);
    ASSERT_TRUE(PumpUntil([&] { return form->Changes.size() == 1; }));
    EXPECT_EQ(form->Changes[0].second, MAKELPARAM(800, 600));
    EXPECT_GT(form->Changes[0].first, 0u); // the colour depth
    EXPECT_EQ(x->ScreenRect(), Rect(0, 0, 800, 600));

    ReportRootSize(d, 800, 600);
    ReportRootSize(d, screen.Width(), screen.Height());
    ASSERT_TRUE(PumpUntil([&] { return form->Changes.size() >= 2; }));
    Application()->ProcessMessages();
    EXPECT_EQ(form->Changes.size(), 2u);
    EXPECT_EQ(form->Changes.back().second, MAKELPARAM(screen.Width(), screen.Height()));
    EXPECT_EQ(x->ScreenRect(), screen);
}
