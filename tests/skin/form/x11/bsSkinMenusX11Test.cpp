// A skinned popup menu on a real X display casts the window system's drop
// shadow while a compositing manager runs: a 32-bit window just below the
// menu, a few pixels down and right, gone with the menu.

// Before the X headers, whose macros would clash with it.
#include <gtest/gtest.h>

#include "../MenuTestSupport.h"

#include "skin/form/bsSkinMenus.h"

#include "platform/ui/DropShadow.h"
#include "platform/x11/X11Backend.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>

using namespace platform;
using testsupport::PumpUntil;

namespace {

// A pixel of what top-level AWnd shows at AScreen, 0x00RRGGBB.
uint32_t ShownPixel(HWND AWnd, TPoint AScreen)
{
    TRect r;
    GetWindowRect(AWnd, r);
    return reinterpret_cast<const uint32_t*>(GetWindowSurface(AWnd)->Row(AScreen.Y - r.Top))[AScreen.X - r.Left] & 0xFFFFFF;
}

// The shadow's premultiplied black with alpha A over the colour C.
uint32_t Darkened(uint32_t C, uint32_t A)
{
    uint32_t out = 0;
    for (int shift : {0, 8, 16})
        out |= (((C >> shift) & 0xFF) * (255 - A) / 255) << shift;
    return out;
}

// What the screen shows in R with the shadow blended over the form AUnder
// beneath it, as a compositing manager would show it (the test's stand-in
// blends nothing): saved as a PNG in the test's folder. Answers the
// composed picture, 0x00RRGGBB, row by row.
std::vector<uint32_t> SaveComposedScreen(Display* D, const TRect& R, Window AShadow, const TRect& AShadowBounds,
                                         const TRect& AMenu, HWND AUnder, const std::string& AFileName)
{
    std::vector<uint32_t> out(size_t(R.Width()) * size_t(R.Height()));
    XImage* screen = XGetImage(D, DefaultRootWindow(D), R.Left, R.Top, unsigned(R.Width()), unsigned(R.Height()), AllPlanes, ZPixmap);
    XImage* band = XGetImage(D, AShadow, 0, 0, unsigned(AShadowBounds.Width()), unsigned(AShadowBounds.Height()), AllPlanes, ZPixmap);
    if (!screen || !band)
        return {};
    for (int y = 0; y < R.Height(); ++y)
        for (int x = 0; x < R.Width(); ++x) {
            const TPoint p = Point(R.Left + x, R.Top + y);
            uint32_t pixel = uint32_t(XGetPixel(screen, x, y)) & 0xFFFFFF;
            if (PtInRect(AShadowBounds, p) && !PtInRect(AMenu, p)) {
                const uint32_t a = uint32_t(XGetPixel(band, p.X - AShadowBounds.Left, p.Y - AShadowBounds.Top)) >> 24;
                pixel = Darkened(ShownPixel(AUnder, p), a);
            }
            out[size_t(y) * size_t(R.Width()) + size_t(x)] = pixel;
        }
    XDestroyImage(screen);
    XDestroyImage(band);
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(R.Width(), R.Height());
    for (int y = 0; y < R.Height(); ++y)
        for (int x = 0; x < R.Width(); ++x)
            reinterpret_cast<uint32_t*>(b.ScanLine(y))[x] = out[size_t(y) * size_t(R.Width()) + size_t(x)] | 0xFF000000u;
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile(AFileName);
    return out;
}

} // namespace

using SkinnedMenuOnX11 = testsupport::TXDisplayTest;

TEST_F(SkinnedMenuOnX11, AnOpenMenuCastsADropShadowWhileACompositorRuns)
{
    testsupport::TCompositorStandIn manager;
    ASSERT_TRUE(manager.Running());
    if (!x->HasCompositor())
        GTEST_SKIP() << "no visual with alpha";

    menutest::TMenuSkinFolder folder;
    skin::TbsSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(folder.Ini()).Ok());
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetColor(clWhite);
    form->SetBounds(20, 20, 360, 260);
    auto* skinForm = new skin::TbsSkinForm(form.get());
    auto* menu = new skin::TbsSkinPopupMenu(form.get());
    menu->SetSkinData(&data);
    for (const char* caption : {"添加文件", "添加文件夹", "-", "转换", "退出"}) {
        auto* item = new TMenuItem(form.get());
        item->Caption = caption;
        menu->Items()->Add(item);
    }
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return testsupport::Viewable(d, x->XWindowOf(form->Handle())); }));

    menu->Popup(80, 60);
    skin::TbsSkinMenu* menus = skinForm->SkinMenu();
    ASSERT_TRUE(PumpUntil([&] { return menus->Visible(); }));
    const HWND popup = menus->PopupWindow(0)->Handle();
    const Window popupX = x->XWindowOf(popup), shadowX = x->XShadowWindowOf(popup);
    ASSERT_NE(shadowX, 0u);
    ASSERT_TRUE(PumpUntil([&] { return testsupport::Viewable(d, popupX) && testsupport::Viewable(d, shadowX); }));
    TRect menuRect;
    GetWindowRect(popup, menuRect);
    const int s = DropShadowSize;
    XWindowAttributes a;
    ASSERT_TRUE(XGetWindowAttributes(d, shadowX, &a));
    EXPECT_EQ(a.depth, 32);
    EXPECT_EQ(Bounds(a.x, a.y, a.width, a.height), DropShadowBounds(menuRect));
    EXPECT_TRUE(testsupport::StackedJustBelow(d, shadowX, popupX));

    form->Invalidate();
    testsupport::Pause(100);
    XSync(d, False);
    const TRect shot = Rect(20, 20, 380, 280);
    const std::vector<uint32_t> seen =
        SaveComposedScreen(d, shot, shadowX, DropShadowBounds(menuRect), menuRect, form->Handle(), "x11_skinned_menu_shadow.png");
    ASSERT_FALSE(seen.empty());
    auto seenAt = [&](TPoint P) { return seen[size_t(P.Y - shot.Top) * size_t(shot.Width()) + size_t(P.X - shot.Left)]; };
    const int midY = (menuRect.Top + menuRect.Bottom) / 2, midX = (menuRect.Left + menuRect.Right) / 2;
    const uint32_t edge = uint32_t(DropShadowEdgeAlpha);
    // Darkest right beside the menu and below it, lighter outwards, the
    // form as it is beyond.
    struct {
        TPoint At;
        uint32_t Alpha;
    } const pixels[] = {
        {Point(menuRect.Right, midY), edge},
        {Point(menuRect.Right + s - 1, midY), edge / s},
        {Point(menuRect.Right + s, midY), 0},
        {Point(midX, menuRect.Bottom), edge},
        {Point(midX, menuRect.Bottom + s - 1), edge / s},
        {Point(midX, menuRect.Bottom + s), 0},
        {Point(menuRect.Right + 1, menuRect.Top + 1), 0},   // above the band's soft end
    };
    for (const auto& px : pixels) {
        const uint32_t under = ShownPixel(form->Handle(), px.At);
        EXPECT_EQ(seenAt(px.At), Darkened(under, px.Alpha)) << px.At.X << "," << px.At.Y;
        if (px.Alpha) {
            EXPECT_NE(seenAt(px.At), under);
        }
    }

    // Closed, the menu takes its shadow with it.
    InjectKey(VK_ESCAPE, true);
    InjectKey(VK_ESCAPE, false);
    EXPECT_TRUE(PumpUntil([&] { return !menus->Visible(); }));
    EXPECT_TRUE(PumpUntil([&] { return !testsupport::Viewable(d, shadowX); }));
    form.reset();
}
