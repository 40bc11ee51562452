// The ribbon on a real X display: a form with a ribbon (tabs, a page whose
// controls overflow into scroll buttons, caption buttons), first without a
// skin and then with a small skin made by the test; the pointer (through
// XTEST) opens the application menu from the application button and a key
// press of Escape closes it. Screenshots of each state are saved. A form
// with a skinned frame shows the open menu's caption in its caption strip.

// Before the X headers, whose macros would clash with it.
#include <gtest/gtest.h>

#include "../FrameTestSkin.h"
#include "../RibbonTestSupport.h"

#include "platform/core/SysUtils.h"
#include "platform/gfx/PngImage.h"
#include "platform/x11/X11Backend.h"

#include "support/XDisplayTestSupport.h"
#include "X11PointerSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>

using namespace platform;
using skin::TbsRibbon;
using skin::TbsRibbonPage;
using testsupport::PumpUntil;
using namespace x11test;

namespace {

struct TRibbonWindow {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TbsRibbon* Ribbon = nullptr;
    skin::TbsAppMenu* Menu = nullptr;
    TImageList Images{nullptr};
    std::vector<std::string> Chosen;

    TRibbonWindow()
    {
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(40, 30, 520, 320);
        auto* skinForm = new skin::TbsSkinForm(Form.get());
        Ribbon = new TbsRibbon(Form.get());
        Ribbon->SetParent(Form.get());
        skinForm->SetSkinRibbon(Ribbon);
        Ribbon->SetAppButtonCaption("文件");
        for (const char* c : {"开始", "插入", "视图"})
            Ribbon->Tabs()->Add()->Page()->SetCaption(c);
        Images.SetSize(16, 16);
        Images.AddPixels(std::vector<uint32_t>(16 * 16, 0xFF2060C0u));
        Ribbon->SetButtonsImageList(&Images);
        Ribbon->Buttons()->Add()->SetImageIndex(0);
        TbsRibbonPage* page = Ribbon->Tabs()->Items(0)->Page();
        for (int i = 0; i < 5; ++i) {
            auto* b = new TButton(Form.get());
            b->SetParent(page);
            b->SetCaption("按钮 " + std::to_string(i + 1));
            b->SetBounds(10 + i * 110, 20, 100, 40);
        }
        Ribbon->SetTabIndex(0);
        Menu = new skin::TbsAppMenu(Form.get());
        Menu->SetParent(Form.get());
        Ribbon->SetAppMenu(Menu);
        for (const char* c : {"新建", "打开", "保存"}) {
            skin::TbsAppMenuItem* item = Menu->Items()->Add();
            item->SetCaption(c);
            item->OnClick = [this, c](TObject*) { Chosen.push_back(c); };
        }
        skin::TbsAppMenuItem* recent = Menu->Items()->Add();
        recent->SetCaption("最近的文件");
        recent->SetPage(Menu->CreatePage());
        auto* label = new TButton(Form.get());
        label->SetParent(recent->Page());
        label->SetCaption("示例.mp3");
        label->SetBounds(10, 10, 140, 26);
        Form->Show();
        page->GetScrollInfo();
    }
};

// The X backend on the display, with XTEST to move the pointer and press
// keys; skipped without a display or XTEST.
struct RibbonOnX11 : testsupport::TXDisplayTest {
    void SetUp() override
    {
        TXDisplayTest::SetUp();
        if (SetUpEnded())
            return;
        int event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(d, &event, &error, &major, &minor))
            GTEST_SKIP() << "the display has no XTEST";
    }
    bool Mapped(TForm* AForm)
    {
        const Window xid = x->XWindowOf(AForm->Handle());
        return PumpUntil([&] {
            XWindowAttributes a;
            return XGetWindowAttributes(d, xid, &a) && a.map_state == IsViewable;
        });
    }
    void PressEscape()
    {
        XTestFakeKeyEvent(d, XKeysymToKeycode(d, XK_Escape), True, CurrentTime);
        XTestFakeKeyEvent(d, XKeysymToKeycode(d, XK_Escape), False, CurrentTime);
        XFlush(d);
    }
};

TEST_F(RibbonOnX11, TheApplicationButtonOpensTheMenuAndEscapeClosesIt)
{
    skintest::TSkinFolder folder(ribbontest::RibbonSkinIni());
    skin::TbsSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(folder.Ini).Ok());

    for (bool skinned : {false, true}) {
        TRibbonWindow w;
        if (skinned) {
            w.Ribbon->SetSkinData(&data);
            w.Menu->SetSkinData(&data);
        }
        const std::string look = skinned ? "skinned" : "default";
        ASSERT_TRUE(Mapped(w.Form.get()));
        Pause(150);
        EXPECT_TRUE(w.Ribbon->ActivePage()->Buttons[1].Visible);
        EXPECT_TRUE(SaveScreen(d, Rect(30, 20, 570, 360), "x11_ribbon_" + look + ".png"));

        ClickPointer(d, w.Ribbon->AppButton()->ClientToScreen(Point(20, 12)));
        ASSERT_TRUE(PumpUntil([&] { return w.Menu->Visible(); }));
        EXPECT_TRUE(w.Menu->Focused());
        Pause(100);
        EXPECT_TRUE(SaveScreen(d, Rect(30, 20, 570, 360), "x11_ribbon_appmenu_" + look + ".png"));

        PressEscape();
        EXPECT_TRUE(PumpUntil([&] { return !w.Menu->Visible(); }));
        EXPECT_TRUE(w.Chosen.empty());
    }
}

TEST_F(RibbonOnX11, TheOpenMenuDrawsItsCaptionIntoTheSkinnedCaptionStrip)
{
    testsupport::TTempDir dir;
    frametest::WriteSkinPictures(dir);
    testsupport::WriteFile(dir.File("skin.ini"), frametest::SkinIniWithAppMenu(frametest::AppMenuCaption));
    skin::TbsSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(dir.File("skin.ini")).Ok());

    TRibbonWindow w;
    w.Form->Hide();
    w.Form->SetBorderStyle(bsSizeable);
    w.Form->SetCaption("转换器");
    auto* skinForm = skin::FindSkinFormComponent(w.Form.get());
    ASSERT_NE(skinForm, nullptr);
    skinForm->SetSkinData(&data);
    w.Menu->SetSkinData(&data);
    w.Menu->SetItemWidth(160);
    w.Form->Show();
    ASSERT_TRUE(Mapped(w.Form.get()));
    Pause(150);
    // The strip's pixel at (60, 15) of the frame: the frame's own dark top
    // while the menu is closed, the menu's caption picture while it is open.
    const TPoint probe = Point(w.Form->Left() + 60, w.Form->Top() + 15);
    const auto screenPixel = [&] {
        Application()->ProcessMessages();
        XSync(d, False);
        XImage* image = XGetImage(d, DefaultRootWindow(d), probe.X, probe.Y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return uint32_t(0);
        const uint32_t p = uint32_t(XGetPixel(image, 0, 0)) & 0xFFFFFF;
        XDestroyImage(image);
        return p;
    };
    const TRect shot = Rect(w.Form->Left() - 10, w.Form->Top() - 10, w.Form->Left() + 530, w.Form->Top() + 330);
    EXPECT_TRUE(SaveScreen(d, shot, "x11_ribbon_framed.png"));
    EXPECT_EQ(screenPixel(), frametest::TopColor);

    ClickPointer(d, w.Ribbon->AppButton()->ClientToScreen(Point(20, 12)));
    ASSERT_TRUE(PumpUntil([&] { return w.Menu->Visible(); }));
    Pause(150);
    EXPECT_TRUE(PumpUntil([&] { return screenPixel() == frametest::AppMenuCaptionColor; }));
    EXPECT_TRUE(SaveScreen(d, shot, "x11_ribbon_framed_appmenu.png"));

    PressEscape();
    EXPECT_TRUE(PumpUntil([&] { return !w.Menu->Visible(); }));
    EXPECT_TRUE(PumpUntil([&] { return screenPixel() == frametest::TopColor; }));
}

} // namespace
