#include <gtest/gtest.h>

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/x11/X11Backend.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>


using namespace platform;

using testsupport::PumpUntil;
using testsupport::SendClick;

using ViewsOnX11 = testsupport::TXDisplayTest;

TEST_F(ViewsOnX11, AHeaderAndATabTakeClicksFromTheDisplay)
{

    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 40, 420, 300);
    auto* list = new TListView(form.get());
    list->SetBounds(10, 10, 400, 120);
    list->SetViewStyle(vsReport);
    for (const char* caption : {"输入文件", "文件大小", "输出文件"})
        list->Columns()->Add()->SetCaption(caption);
    list->Column(0)->SetWidth(160);
    list->Column(1)->SetWidth(90);
    list->Column(2)->SetWidth(120);
    list->Items()->Add()->SetCaption("/home/user/song.mp3");
    list->SetParent(form.get());
    auto* pages = new TPageControl(form.get());
    pages->SetBounds(10, 140, 400, 150);
    pages->SetParent(form.get());
    for (const char* caption : {"CPU", "常规"}) {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }
    TListColumn* clicked = nullptr;
    list->OnColumnClick = [&](TObject*, TListColumn* C) { clicked = C; };
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    form->Show();

    Window xid = x->XWindowOf(form->Handle());
    ASSERT_NE(xid, 0u);
    ASSERT_TRUE(PumpUntil([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(d, xid, &a) && a.map_state == IsViewable;
    }));
    Application()->ProcessMessages();

    auto inWindow = [&](TPoint AScreen) { return Point(AScreen.X - form->Left(), AScreen.Y - form->Top()); };
    TPoint header = list->Header()->ClientToScreen(Point(160 + 45, 8));
    SendClick(d, xid, header, inWindow(header));
    EXPECT_TRUE(PumpUntil([&] { return clicked != nullptr; }));
    EXPECT_EQ(clicked, list->Column(1));

    TRect tab = pages->TabRect(1);
    TPoint tabPoint = pages->ClientToScreen(Point((tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2));
    SendClick(d, xid, tabPoint, inWindow(tabPoint));
    EXPECT_TRUE(PumpUntil([&] { return changes == 1; }));
    EXPECT_EQ(pages->ActivePageIndex(), 1);
}
