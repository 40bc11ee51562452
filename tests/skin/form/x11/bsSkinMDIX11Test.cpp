// A multiple-document main form on a real X display: the skinned frame, a
// tabs bar at its top and three skinned documents tiled in the client
// window, then one maximised into the frame. The documents are child windows
// composed into the frame's one X window. Without a skin the frame and its
// menu bar draw their plain looks: the window menu still lists the documents
// and the bar still takes a maximised document's buttons.

// Before the X headers, whose macros would clash with it.
#include <gtest/gtest.h>

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMDITabsBar.h"
#include "skin/form/bsSkinMainMenu.h"
#include "skin/form/bsSkinMenus.h"

#include "../FrameScreenshot.h"
#include "FrameSkinOnX11.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/core/SysUtils.h"
#include "platform/x11/X11Backend.h"
#include "support/XDisplayTestSupport.h"
#include "X11PointerSupport.h"

#include <functional>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace platform;
using testsupport::PumpUntil;

namespace {

// The multiple-document main form, with a skin component over ASkin (none:
// the plain frame); Build adds its bars before it is shown.
TForm* MakeMainForm(skin::TbsSkinData* ASkin, const std::function<void(TForm*, skin::TbsSkinForm*)>& ABuild)
{
    TForm* main = nullptr;
    Application()->CreateForm(main);
    main->SetBorderStyle(bsSizeable);
    main->SetFormStyle(fsMDIForm);
    main->SetCaption("多文档");
    main->SetBounds(40, 40, 560, 380);
    auto* mainSkin = new skin::TbsSkinForm(main);
    if (ASkin)
        mainSkin->SetSkinData(ASkin);
    ABuild(main, mainSkin);
    main->Show();
    return main;
}

bool WaitMapped(TX11Backend* X, TForm* AForm)
{
    Display* d = static_cast<Display*>(X->XDisplay());
    const Window xid = X->XWindowOf(AForm->Handle());
    return PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, xid, &a) && a.map_state == IsViewable;
    });
}

// Three documents, each with a skin component over ASkin and a page of its
// own colour, so each one stands out.
std::vector<TForm*> AddThreeDocuments(TForm* AMain, skin::TbsSkinData* ASkin)
{
    std::vector<TForm*> docs;
    const TColor fills[] = {clWhite, TColor(0xC0E0FF), TColor(0xD0FFD0)};
    for (const char* caption : {"文档一", "文档二", "文档三"}) {
        auto* f = new TForm(AMain);
        auto* page = new TPanel(f);
        page->SetParent(f);
        page->SetAlign(alClient);
        page->SetColor(fills[docs.size()]);
        f->SetName("Doc" + std::to_string(docs.size()));
        f->SetCaption(caption);
        f->SetFormStyle(fsMDIChild);
        f->SetBounds(10, 10, 200, 150);
        auto* comp = new skin::TbsSkinForm(f);
        if (ASkin)
            comp->SetSkinData(ASkin);
        f->Show();
        docs.push_back(f);
    }
    return docs;
}

} // namespace

TEST(MDIOnX11, ThreeTiledDocumentsWithTheirTabsThenOneMaximised)
{
    frametest::TFrameSkinOnX11 display;
    if (!display.Start())
        GTEST_SKIP() << "no X display";
    TX11Backend* x = display.X;
    Display* d = display.D;
    skin::TbsSkinData& data = display.Data;

    skin::TbsSkinForm* mainSkin = nullptr;
    skin::TbsSkinMDITabsBar* bar = nullptr;
    TForm* main = MakeMainForm(&data, [&](TForm* AMain, skin::TbsSkinForm* ASkinForm) {
        mainSkin = ASkinForm;
        bar = new skin::TbsSkinMDITabsBar(AMain);
        bar->SetParent(AMain);
        bar->SetAlign(alTop);
        bar->ShowCloseButtons = true;
        bar->SetSkinForm(mainSkin);
        mainSkin->SetMDITabsBar(bar);
    });
    ASSERT_TRUE(WaitMapped(x, main));
    const Window xid = x->XWindowOf(main->Handle());
    const std::vector<TForm*> docs = AddThreeDocuments(main, &data);
    mainSkin->TileMode = tbVertical;
    mainSkin->Tile();
    Application()->ProcessMessages();
    ASSERT_EQ(bar->TabCount(), 3);
    EXPECT_EQ(main->ActiveMDIChild(), docs[2]);
    // Side by side below the bar, the client area shared exactly; the active
    // document, the last made, at the left.
    const TRect area = mainSkin->GetMDIClientArea();
    EXPECT_EQ(area.Top, bar->Height());
    for (size_t i = 0; i < docs.size(); ++i)
        EXPECT_EQ(docs[2 - i]->BoundsRect(), Bounds(int(i) * (area.Width() / 3), 0, area.Width() / 3, area.Height())) << i;
    // What the display shows is the frame's buffer: a document's caption
    // strip in the skin's top colour at its place.
    const TPoint inDoc = ScreenToClient(main->Handle(), docs[1]->ClientToScreen(Point(30, -10)));
    TRect frame;
    GetWindowRect(main->Handle(), frame);
    const TPoint origin = ClientToScreen(main->Handle(), Point(0, 0));
    const TPoint px{inDoc.X + origin.X - frame.Left, inDoc.Y + origin.Y - frame.Top};
    XImage* image = XGetImage(d, xid, px.X, px.Y, 1, 1, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(uint32_t(XGetPixel(image, 0, 0)) & 0xFFFFFF, frametest::TopColor);
    XDestroyImage(image);
    frametest::SaveWindowPng(main->Handle(), "x11_mdi_tiled_tabs.png");

    skin::FindSkinFormComponent(docs[1])->SetWindowState(wsMaximized);
    Application()->ProcessMessages();
    EXPECT_EQ(mainSkin->CaptionText(), "多文档 - [文档三]");
    EXPECT_EQ(docs[2]->BoundsRect(), Bounds(0, 0, area.Width(), area.Height()));
    frametest::SaveWindowPng(main->Handle(), "x11_mdi_maximized.png");
    delete main;
}

TEST(MDIOnX11, WithoutASkinTheWindowMenuListsTheDocumentsAndTheBarHoldsAMaximisedOnesButtons)
{
    TX11Backend* x = testsupport::InstallTestX11Backend();
    if (!x)
        GTEST_SKIP() << "no X display";
    Display* d = static_cast<Display*>(x->XDisplay());
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor))
        GTEST_SKIP() << "the display has no XTEST";

    skin::TbsSkinForm* mainSkin = nullptr;
    skin::TbsSkinMainMenuBar* bar = nullptr;
    TMenuItem* window = nullptr;
    TForm* main = MakeMainForm(nullptr, [&](TForm* AMain, skin::TbsSkinForm* ASkinForm) {
        mainSkin = ASkinForm;
        auto* menu = new skin::TbsSkinMainMenu(AMain);
        auto add = [&](TMenuItem* AParent, const std::string& ACaption) {
            auto* item = new TMenuItem(AMain);
            item->Caption = ACaption;
            AParent->Add(item);
            return item;
        };
        add(menu->Items(), "文件");
        window = add(menu->Items(), "窗口");
        add(window, "层叠")->OnClick = [ASkinForm](TObject*) { ASkinForm->Cascade(); };
        add(window, "平铺")->OnClick = [ASkinForm](TObject*) { ASkinForm->Tile(); };
        add(window, "-");
        AMain->WindowMenu = window;
        bar = new skin::TbsSkinMainMenuBar(AMain);
        bar->SetParent(AMain);
        bar->SetSkinForm(mainSkin);
        mainSkin->SetMainMenuBar(bar);
        bar->SetMainMenu(menu);
    });
    ASSERT_TRUE(WaitMapped(x, main));
    const std::vector<TForm*> docs = AddThreeDocuments(main, nullptr);
    mainSkin->TileMode = tbVertical;
    mainSkin->Tile();
    Application()->ProcessMessages();

    // The window menu opened from the bar: its own commands, then one item
    // per document, the active one checked.
    ASSERT_TRUE(PumpUntil([&] { return bar->Object(1)->ObjectRect.Right > 0; }));
    const TRect windowItem = bar->Object(1)->ObjectRect;
    x11test::ClickPointer(d, bar->ClientToScreen(Point((windowItem.Left + windowItem.Right) / 2, windowItem.Top + 5)));
    skin::TbsSkinMenu* manager = mainSkin->SkinMenu();
    ASSERT_TRUE(PumpUntil([&] { return manager->Visible(); }));
    skin::TbsSkinPopupWindow* popup = manager->PopupWindow(0);
    ASSERT_EQ(popup->ItemCount(), 6);
    const char* captions[] = {"层叠", "平铺", "-", "文档一", "文档二", "文档三"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(popup->Item(i)->MenuItem->Caption, captions[i]) << i;
        EXPECT_EQ(popup->Item(i)->MenuItem->Checked, i == 5) << i;
    }
    x11test::Pause(150);
    TRect frame;
    GetWindowRect(main->Handle(), frame);
    ASSERT_TRUE(testsupport::SaveScreen(d, Rect(frame.Left - 10, frame.Top - 10, frame.Right + 10, frame.Bottom + 10),
                                        "x11_mdi_unskinned_window_menu.png"));

    // Choosing a document's item brings it forward.
    const TRect first = popup->Item(3)->ObjectRect;
    x11test::ClickPointer(d, popup->ClientToScreen(Point((first.Left + first.Right) / 2, (first.Top + first.Bottom) / 2)));
    ASSERT_TRUE(PumpUntil([&] { return !manager->Visible(); }));
    EXPECT_EQ(main->ActiveMDIChild(), docs[0]);
    EXPECT_TRUE(window->Items(3)->Checked);
    EXPECT_FALSE(window->Items(5)->Checked);

    // Maximised, the document gives its caption to the frame and its system
    // menu, minimise, restore and close buttons to the bar: squares of the
    // items' height at the two ends.
    skin::FindSkinFormComponent(docs[0])->SetWindowState(wsMaximized);
    Application()->ProcessMessages();
    EXPECT_EQ(mainSkin->CaptionText(), "多文档 - [文档一]");
    ASSERT_EQ(bar->ButtonsCount, 4);
    bar->Repaint();
    Application()->ProcessMessages();
    const int w = bar->Width(), h = bar->Height() - 4;
    const TRect want[] = {Bounds(2, 2, h, h), Bounds(w - 2 - h, 2, h, h), Bounds(w - 4 - 2 * h, 2, h, h),
                          Bounds(w - 6 - 3 * h, 2, h, h)};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar->Object(i)->ObjectRect, want[i]) << i;
        EXPECT_TRUE(bar->Object(i)->Enabled) << i;
    }
    // The first item moved right of the system menu button.
    EXPECT_GE(bar->Object(4)->ObjectRect.Left, want[0].Right);
    x11test::Pause(150);
    ASSERT_TRUE(testsupport::SaveScreen(d, Rect(frame.Left - 10, frame.Top - 10, frame.Right + 10, frame.Bottom + 10),
                                        "x11_mdi_unskinned_maximized.png"));
    delete main;
}
