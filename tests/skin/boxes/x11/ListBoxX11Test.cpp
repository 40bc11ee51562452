// List boxes on a real X display: a plain one with its caption strip and
// caption buttons over two columns of items, and one in the program's skin
// whose items run in three columns above a bar of whole columns. What the
// window shows is saved as a PNG file in the build folder for a reviewer.
#include "skin/boxes/bsSkinBoxCtrls_ListBox.h"
#include "skin/core/bsSkinData_StoredList.h"
#include "skins/DefaultSkin.h"

#include "platform/controls/Forms.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Input.h"
#include "platform/x11/X11Backend.h"

#include <gtest/gtest.h>

#include "support/WindowShot.h"
#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>

using namespace platform;
using testsupport::PumpUntil;

TEST(ListBoxOnX11, CaptionButtonsAndColumnsShowOnTheDisplay)
{
    if (GetEnvironmentVariable("DISPLAY").empty())
        GTEST_SKIP() << "no X display";
    ASSERT_TRUE(InstallX11Backend());
    auto* x = dynamic_cast<TX11Backend*>(&Backend());
    ASSERT_NE(x, nullptr);
    auto* d = static_cast<Display*>(x->XDisplay());

    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 40, 520, 200);
    auto* skins = new skin::TbsCompressedSkinList(form.get());
    skins::AddDefaultSkin(*skins);
    auto* data = new skin::TbsSkinData(form.get());
    ASSERT_TRUE(data->SetSkinList(skins).Ok());

    auto* plain = new skin::TbsSkinListBox(form.get());
    plain->SetBounds(10, 10, 240, 180);
    plain->SetParent(form.get());
    plain->SetCaption("输出格式");
    plain->SetCaptionMode(true);
    plain->SetColumns(2);
    auto* skinned = new skin::TbsSkinListBox(form.get());
    skinned->SetBounds(270, 10, 240, 180);
    skinned->SetParent(form.get());
    skinned->SetSkinData(data);
    skinned->SetColumns(3);
    const char* const names[] = {"MP3", "WMA", "AAC", "OGG", "FLAC", "WAV", "AMR", "M4A", "MP2", "AC3", "APE",
                                 "MKA", "AVI", "MP4", "WMV", "MKV", "FLV", "3GP", "MOV", "MPG", "VOB", "RMVB",
                                 "SWF", "GIF", "ASF", "TS", "M4V", "DV", "OGV", "WEBM"};
    for (const char* n : names) {
        plain->Items()->Add(std::string(n) + " 格式");
        skinned->Items()->Add(n);
    }
    plain->SetItemIndex(9);
    skinned->SetItemIndex(4);
    form->Show();
    const Window w = x->XWindowOf(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return testsupport::Viewable(d, w); }));
    ASSERT_NE(plain->ScrollBar, nullptr);
    ASSERT_NE(skinned->ScrollBar, nullptr);
    EXPECT_EQ(plain->ScrollBar->Kind(), sbHorizontal);
    EXPECT_EQ(skinned->ScrollBar->Kind(), sbHorizontal);
    // The down caption button under the pointer, as a user sees it hovered.
    const TRect down = plain->Buttons[1].R;
    const TPoint at = plain->ClientToScreen(Point(down.Left + 5, down.Top + 5));
    testsupport::SendMotion(d, w, at, form->ScreenToClient(at));
    ASSERT_TRUE(PumpUntil([&] { return plain->Buttons[1].MouseIn; }));
    for (int i = 0; i < 5; ++i)
        Application()->ProcessMessages();
    testsupport::SaveWindowPng(form.get(), "listbox-caption-columns.png");
}
