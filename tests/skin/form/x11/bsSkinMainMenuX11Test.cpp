// The menu bar on a real X display: the pointer (moved and pressed through
// the XTEST extension, as a user would) opens a menu from the bar, the open
// menu holds the pointer grab, moving along the bar switches menus, a click
// on an item chooses it, and a click outside the program closes the menu.

// Before the X headers, whose macros would clash with it.
#include <gtest/gtest.h>

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/PngImage.h"
#include "platform/x11/X11Backend.h"

#include "support/XDisplayTestSupport.h"
#include "X11PointerSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <functional>
#include <thread>

using namespace platform;
using testsupport::PumpUntil;
using namespace x11test;

namespace {

// Whether another client could take the pointer now.
bool PointerGrabbedElsewhere(Display* AOther)
{
    const int status = XGrabPointer(AOther, DefaultRootWindow(AOther), False, ButtonPressMask, GrabModeAsync, GrabModeAsync,
                                    None, None, CurrentTime);
    if (status == GrabSuccess)
        XUngrabPointer(AOther, CurrentTime);
    XSync(AOther, False);
    return status == AlreadyGrabbed;
}

} // namespace

TEST(MainMenuBarOnX11, ClicksOpenAMenuFromTheBarAndChooseAnItem)
{
    if (GetEnvironmentVariable("DISPLAY").empty())
        GTEST_SKIP() << "no X display";
    ASSERT_TRUE(InstallX11Backend());
    auto* x = dynamic_cast<TX11Backend*>(&Backend());
    ASSERT_NE(x, nullptr);
    Display* d = static_cast<Display*>(x->XDisplay());
    Display* other = XOpenDisplay(nullptr);
    ASSERT_NE(other, nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor))
        GTEST_SKIP() << "the display has no XTEST";

    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(40, 30, 420, 220);
    form->SetCaption("ZarveloMP3格式转换器");
    auto* skinForm = new skin::TbsSkinForm(form.get());
    auto* menu = new skin::TbsSkinMainMenu(form.get());
    std::vector<std::string> chosen;
    auto add = [&](TMenuItem* AParent, const std::string& ACaption) {
        auto* item = new TMenuItem(form.get());
        item->Caption = ACaption;
        AParent->Add(item);
        return item;
    };
    TMenuItem* file = add(menu->Items(), "文件");
    for (const char* c : {"添加文件", "添加文件夹", "退出"})
        add(file, c)->OnClick = [&chosen, c](TObject*) { chosen.push_back(c); };
    TMenuItem* edit = add(menu->Items(), "编辑");
    for (const char* c : {"全选", "删除"})
        add(edit, c)->OnClick = [&chosen, c](TObject*) { chosen.push_back(c); };
    add(menu->Items(), "动作");
    add(menu->Items(), "帮助");
    auto* bar = new skin::TbsSkinMainMenuBar(form.get());
    bar->SetParent(form.get());
    bar->SetSkinForm(skinForm);
    skinForm->SetMainMenuBar(bar);
    bar->SetMainMenu(menu);
    form->Show();
    const Window xid = x->XWindowOf(form->Handle());
    ASSERT_TRUE(PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, xid, &a) && a.map_state == IsViewable;
    }));
    auto itemCenter = [&](int AIndex) {
        const TRect r = bar->Object(AIndex)->ObjectRect;
        return bar->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    };
    skin::TbsSkinMenu* manager = skinForm->SkinMenu();

    // The items take their places when the bar is first painted.
    ASSERT_TRUE(PumpUntil([&] { return bar->Object(0)->ObjectRect.Right > 0; }));
    ClickPointer(d, itemCenter(0));
    ASSERT_TRUE(PumpUntil([&] { return manager->Visible(); }));
    skin::TbsSkinPopupWindow* popup = manager->PopupWindow(0);
    const Window popupXid = x->XWindowOf(popup->Handle());
    ASSERT_NE(popupXid, 0u);
    XWindowAttributes attrs;
    ASSERT_TRUE(PumpUntil([&] { return XGetWindowAttributes(d, popupXid, &attrs) && attrs.map_state == IsViewable; }));
    EXPECT_TRUE(attrs.override_redirect);
    EXPECT_EQ(attrs.y, form->Top() + bar->Object(0)->ObjectRect.Bottom);
    EXPECT_TRUE(PointerGrabbedElsewhere(other));
    Pause(100);
    ASSERT_TRUE(testsupport::SaveScreen(d, Rect(30, 20, 480, 260), "x11_menubar_file_menu.png"));

    // Moving along the bar takes the open menu to the next item.
    MovePointer(d, itemCenter(1));
    ASSERT_TRUE(PumpUntil([&] {
        return manager->Visible() && manager->PopupWindow(0)->Item(0)->MenuItem->Caption == "全选";
    }));
    Pause(100);
    ASSERT_TRUE(testsupport::SaveScreen(d, Rect(30, 20, 480, 260), "x11_menubar_edit_menu.png"));
    popup = manager->PopupWindow(0);
    const TRect second = popup->Item(1)->ObjectRect;
    ClickPointer(d, popup->ClientToScreen(Point((second.Left + second.Right) / 2, (second.Top + second.Bottom) / 2)));
    ASSERT_TRUE(PumpUntil([&] { return !chosen.empty(); }));
    EXPECT_EQ(chosen, std::vector<std::string>{"删除"});
    EXPECT_FALSE(manager->Visible());
    EXPECT_FALSE(skinForm->InMainMenu);
    EXPECT_TRUE(PumpUntil([&] { return !PointerGrabbedElsewhere(other); }));

    // A click outside every window of the program closes the menu.
    ClickPointer(d, itemCenter(0));
    ASSERT_TRUE(PumpUntil([&] { return manager->Visible(); }));
    ClickPointer(d, Point(900, 700));
    EXPECT_TRUE(PumpUntil([&] { return !manager->Visible(); }));
    EXPECT_EQ(chosen.size(), 1u);
    EXPECT_TRUE(PumpUntil([&] { return !PointerGrabbedElsewhere(other); }));
    form.reset();
    XCloseDisplay(other);
}
