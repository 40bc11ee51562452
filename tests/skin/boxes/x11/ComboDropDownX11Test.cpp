// A combo box in the program's skin on a real X display: a click from the
// display drops the list down in a window of its own, a pointer move and a
// click over an item pick it, and the list goes away. The display's pixels
// are saved as PNG files in the build folder for a reviewer to look at.
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/core/bsSkinData_StoredList.h"
#include "skins/DefaultSkin.h"

#include "platform/controls/Forms.h"
#include "platform/x11/X11Backend.h"

#include <gtest/gtest.h>

#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>

using namespace platform;
using testsupport::PumpUntil;

namespace {

// The display and the X11 presenter on it; pointer events go to the X
// window of a form or a drop-down with the shared display-test helpers.
struct TDisplay {
    Display* D;
    TX11Backend* X;

    bool Viewable(HWND AWnd) const { return testsupport::Viewable(D, X->XWindowOf(AWnd)); }
    // The display's own pointer goes to AScreen first, so the crossing
    // events that mapping and unmapping windows bring tell of the same place.
    void Move(HWND AWnd, TPoint AScreen) const
    {
        testsupport::SendMotion(D, X->XWindowOf(AWnd), AScreen, InWindow(AWnd, AScreen));
    }
    void PressAndRelease(HWND AWnd, TPoint AScreen) const
    {
        testsupport::SendClick(D, X->XWindowOf(AWnd), AScreen, InWindow(AWnd, AScreen));
    }
    void Click(HWND AWnd, TPoint AScreen) const
    {
        Move(AWnd, AScreen);
        PressAndRelease(AWnd, AScreen);
    }
    static TPoint InWindow(HWND AWnd, TPoint AScreen)
    {
        RECT r;
        GetWindowRect(AWnd, r);
        return Point(AScreen.X - r.Left, AScreen.Y - r.Top);
    }
};

// The X display, and a borderless form on it for the combo boxes.
struct ComboDropDownOnX11 : ::testing::Test {
    TDisplay x{nullptr, nullptr};
    std::unique_ptr<TForm> form;
    void SetUp() override
    {
        if (GetEnvironmentVariable("DISPLAY").empty())
            GTEST_SKIP() << "no X display";
        x.X = testsupport::InstallTestX11Backend();
        ASSERT_NE(x.X, nullptr);
        x.D = static_cast<Display*>(x.X->XDisplay());
        form.reset(new TForm(nullptr));
        form->SetBorderStyle(bsNone);
        form->SetBounds(60, 40, 320, 120);
    }
    // The pointer moved over item AIndex of a dropped-down list, once the
    // list follows it and has painted; answers where the pointer is.
    TPoint Hover(skin::TbsPopupListBox* APopup, int AIndex)
    {
        const TRect item = APopup->ListBox->ItemRect(AIndex);
        const TPoint at = APopup->ListBox->ClientToScreen(Point(20, item.Top + item.Height() / 2));
        x.Move(APopup->Handle(), at);
        EXPECT_TRUE(PumpUntil([&] { return APopup->ItemIndex() == AIndex; }));
        for (int i = 0; i < 5; ++i)
            Application()->ProcessMessages();
        return at;
    }
};

} // namespace

TEST_F(ComboDropDownOnX11, AClickDropsTheListAndAClickOnAnItemPicksIt)
{
    auto* list = new skin::TbsCompressedSkinList(form.get());
    skins::AddDefaultSkin(*list);
    auto* data = new skin::TbsSkinData(form.get());
    ASSERT_TRUE(data->SetSkinList(list).Ok());

    auto* combo = new skin::TbsSkinComboBox(form.get());
    combo->SetBounds(10, 10, 180, 22);
    combo->SetParent(form.get());
    combo->SetSkinData(data);
    for (const char* text : {"320x240", "480x320", "640x480", "720x480", "800x600", "1024x768", "1280x720",
                             "1920x1080", "自动", "原始尺寸"})
        combo->Items()->Add(text);
    combo->SetItemIndex(2);
    auto* office = new skin::TbsSkinOfficeComboBox(form.get());
    office->SetBounds(10, 50, 240, 41);
    office->SetParent(form.get());
    office->SetSkinData(data);
    for (const char* text : {"MP3 音频", "WMA 音频", "AAC 音频"}) {
        auto* item = office->Items()->Add();
        item->SetTitle("常用音频格式");
        item->SetCaption(text);
    }
    office->SetItemIndex(0);
    std::string chosen;
    combo->OnCloseUp = [&](TObject*) { chosen = combo->Text(); };
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return x.Viewable(form->Handle()); }));

    x.Click(form->Handle(), combo->ClientToScreen(Point(60, 11)));
    ASSERT_TRUE(PumpUntil([&] { return combo->IsPopupVisible() && x.Viewable(combo->ListBox()->Handle()); }));
    skin::TbsPopupListBox* popup = combo->ListBox();
    TRect around = Rect(50, 30, 400, 40 + 120 + popup->Height() + 20);
    // Hover over the sixth item, then show what the display shows.
    const TPoint at = Hover(popup, 5);
    ASSERT_TRUE(testsupport::SaveScreen(x.D, around, "combo-dropped-down.png"));
    EXPECT_EQ(combo->Text(), "640x480");   // the face keeps the item until the choice

    x.PressAndRelease(popup->Handle(), at);
    ASSERT_TRUE(PumpUntil([&] { return !combo->IsPopupVisible(); }));
    EXPECT_EQ(combo->ItemIndex(), 5);
    EXPECT_EQ(chosen, "1024x768");
    ASSERT_TRUE(PumpUntil([&] { return !x.Viewable(popup->Handle()); }));

    // The office combo's list on the display too.
    x.Click(form->Handle(), office->ClientToScreen(Point(60, 20)));
    ASSERT_TRUE(PumpUntil([&] { return office->IsPopupVisible() && x.Viewable(office->ListBox()->Handle()); }));
    for (int i = 0; i < 5; ++i)
        Application()->ProcessMessages();
    ASSERT_TRUE(testsupport::SaveScreen(x.D, Rect(50, 30, 400, 40 + 120 + office->ListBox()->Height() + 20), "office-combo-dropped-down.png"));
    office->CloseUp(false);
}

// A combo box without a skin whose list carries a caption strip: the strip
// shows the caption set through the combo, and a click on the strip's check
// button from the display takes the hovered item.
TEST_F(ComboDropDownOnX11, TheListCaptionShowsAndItsCheckButtonTakesTheHoveredItem)
{
    auto* combo = new skin::TbsSkinComboBox(form.get());
    combo->SetBounds(10, 10, 200, 22);
    combo->SetParent(form.get());
    for (const char* text : {"44100 Hz", "48000 Hz", "32000 Hz", "22050 Hz", "原始采样率"})
        combo->Items()->Add(text);
    combo->SetItemIndex(0);
    TFont font;
    font.SetName("SimSun");
    font.SetHeight(14);
    font.SetColor(clWhite);
    combo->SetListBoxDefaultCaptionFont(&font);
    combo->SetListBoxCaption("选择采样率");
    combo->SetListBoxCaptionAlignment(taCenter);
    combo->SetListBoxCaptionMode(true);
    form->Show();
    ASSERT_TRUE(PumpUntil([&] { return x.Viewable(form->Handle()); }));

    x.Click(form->Handle(), combo->ClientToScreen(Point(60, 11)));
    ASSERT_TRUE(PumpUntil([&] { return combo->IsPopupVisible() && x.Viewable(combo->ListBox()->Handle()); }));
    skin::TbsPopupListBox* popup = combo->ListBox();
    EXPECT_EQ(popup->Height(), popup->CalcHeight(5));
    Hover(popup, 3);
    ASSERT_TRUE(testsupport::SaveScreen(x.D, Rect(50, 30, 300, 40 + 40 + popup->Height() + 20), "combo-list-caption.png"));
    EXPECT_EQ(combo->Text(), "44100 Hz");

    const TRect check = popup->Buttons[2].R;
    x.Click(popup->Handle(), popup->ClientToScreen(Point(check.Left + check.Width() / 2, check.Top + check.Height() / 2)));
    ASSERT_TRUE(PumpUntil([&] { return !combo->IsPopupVisible(); }));
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), "22050 Hz");
}
