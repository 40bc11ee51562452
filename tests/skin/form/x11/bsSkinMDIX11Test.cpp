// A multiple-document main form on a real X display: the skinned frame, a
// tabs bar at its top and three skinned documents tiled in the client
// window, then one maximised into the frame. The documents are child windows
// composed into the frame's one X window.

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMDITabsBar.h"

#include "../FrameScreenshot.h"
#include "../FrameTestSkin.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/core/SysUtils.h"
#include "platform/x11/X11Backend.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <gtest/gtest.h>

using namespace platform;
using testsupport::PumpUntil;

TEST(MDIOnX11, ThreeTiledDocumentsWithTheirTabsThenOneMaximised)
{
    TX11Backend* x = testsupport::InstallTestX11Backend();
    if (!x)
        GTEST_SKIP() << "no X display";
    Display* d = static_cast<Display*>(x->XDisplay());

    testsupport::TTempDir dir;
    frametest::WriteSkinPictures(dir);
    testsupport::WriteFile(dir.File("skin.ini"), frametest::SkinIni(frametest::LeftText));
    skin::TbsSkinData data(nullptr);
    ASSERT_TRUE(data.LoadFromFile(dir.File("skin.ini")).Ok());

    TForm* main = nullptr;
    Application()->CreateForm(main);
    main->SetBorderStyle(bsSizeable);
    main->SetFormStyle(fsMDIForm);
    main->SetCaption("多文档");
    main->SetBounds(40, 40, 560, 380);
    auto* mainSkin = new skin::TbsSkinForm(main);
    mainSkin->SetSkinData(&data);
    auto* bar = new skin::TbsSkinMDITabsBar(main);
    bar->SetParent(main);
    bar->SetAlign(alTop);
    bar->ShowCloseButtons = true;
    bar->SetSkinForm(mainSkin);
    mainSkin->SetMDITabsBar(bar);
    main->Show();
    const Window xid = x->XWindowOf(main->Handle());
    ASSERT_TRUE(PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, xid, &a) && a.map_state == IsViewable;
    }));
    std::vector<TForm*> docs;
    const TColor fills[] = {clWhite, TColor(0xC0E0FF), TColor(0xD0FFD0)};
    for (const char* caption : {"文档一", "文档二", "文档三"}) {
        auto* f = new TForm(main);
        // A page of its own colour, so each document stands out.
        auto* page = new TPanel(f);
        page->SetParent(f);
        page->SetAlign(alClient);
        page->SetColor(fills[docs.size()]);
        f->SetName("Doc" + std::to_string(docs.size()));
        f->SetCaption(caption);
        f->SetFormStyle(fsMDIChild);
        f->SetBounds(10, 10, 200, 150);
        (new skin::TbsSkinForm(f))->SetSkinData(&data);
        f->Show();
        docs.push_back(f);
    }
    mainSkin->TileMode = tbVertical;
    mainSkin->Tile();
    Application()->ProcessMessages();
    ASSERT_EQ(bar->TabCount(), 3);
    EXPECT_EQ(main->ActiveMDIChild(), docs[2]);
    // Side by side below the bar, the client area shared exactly.
    const TRect area = mainSkin->GetMDIClientArea();
    EXPECT_EQ(area.Top, bar->Height());
    for (size_t i = 0; i < docs.size(); ++i)
        EXPECT_EQ(docs[i]->BoundsRect(), Bounds(int(i) * (area.Width() / 3), 0, area.Width() / 3, area.Height())) << i;
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
