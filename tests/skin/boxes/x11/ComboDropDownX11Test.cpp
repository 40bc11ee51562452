// A combo box in the program's skin on a real X display: a click from the
// display drops the list down in a window of its own, a pointer move and a
// click over an item pick it, and the list goes away. The display's pixels
// are saved as PNG files in the build folder for a reviewer to look at.
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"
#include "skin/core/bsSkinData_StoredList.h"
#include "skins/DefaultSkin.h"

#include "platform/controls/Forms.h"
#include "platform/core/Streams.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/ImageCodecs.h"
#include "platform/x11/X11Backend.h"

#include <gtest/gtest.h>

#include "support/XDisplayTestSupport.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <functional>
#include <thread>

using namespace platform;
using testsupport::PumpUntil;

namespace {

struct TDisplay {
    Display* D;
    TX11Backend* X;

    bool Viewable(HWND AWnd) const
    {
        XWindowAttributes a;
        const Window w = X->XWindowOf(AWnd);
        return w && XGetWindowAttributes(D, w, &a) && a.map_state == IsViewable;
    }
    // A pointer event as the display would deliver it to the window of AWnd.
    // The display's own pointer goes there first, so the crossing events
    // that mapping and unmapping windows bring tell of the same place.
    void Send(HWND AWnd, int AType, TPoint AScreen) const
    {
        const Window w = X->XWindowOf(AWnd);
        XWarpPointer(D, None, DefaultRootWindow(D), 0, 0, 0, 0, AScreen.X, AScreen.Y);
        RECT r;
        GetWindowRect(AWnd, r);
        XEvent e{};
        e.type = AType;
        if (AType == MotionNotify) {
            e.xmotion = XMotionEvent{};
            e.xmotion.type = MotionNotify;
            e.xmotion.display = D;
            e.xmotion.window = w;
            e.xmotion.root = DefaultRootWindow(D);
            e.xmotion.x = AScreen.X - r.Left;
            e.xmotion.y = AScreen.Y - r.Top;
            e.xmotion.x_root = AScreen.X;
            e.xmotion.y_root = AScreen.Y;
            e.xmotion.same_screen = True;
            XSendEvent(D, w, True, PointerMotionMask, &e);
        } else {
            e.xbutton.type = AType;
            e.xbutton.display = D;
            e.xbutton.window = w;
            e.xbutton.root = DefaultRootWindow(D);
            e.xbutton.x = AScreen.X - r.Left;
            e.xbutton.y = AScreen.Y - r.Top;
            e.xbutton.x_root = AScreen.X;
            e.xbutton.y_root = AScreen.Y;
            e.xbutton.button = Button1;
            e.xbutton.same_screen = True;
            XSendEvent(D, w, True, AType == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
        }
        XFlush(D);
    }
    void Click(HWND AWnd, TPoint AScreen) const
    {
        Send(AWnd, MotionNotify, AScreen);
        Send(AWnd, ButtonPress, AScreen);
        Send(AWnd, ButtonRelease, AScreen);
    }
    // What the display shows in R (screen coordinates), as a PNG file.
    void SaveScreen(const TRect& R, const std::string& AFileName) const
    {
        XSync(D, False);
        XImage* x = XGetImage(D, DefaultRootWindow(D), R.Left, R.Top, unsigned(R.Width()), unsigned(R.Height()),
                              AllPlanes, ZPixmap);
        ASSERT_NE(x, nullptr);
        TImageData image;
        AllocateImage(image, R.Width(), R.Height(), "PNG");
        for (int y = 0; y < R.Height(); ++y)
            for (int px = 0; px < R.Width(); ++px)
                image.At(px, y) = 0xFF000000u | (uint32_t(XGetPixel(x, px, y)) & 0xFFFFFF);
        XDestroyImage(x);
        TFileStream f(AFileName, fmCreate);
        WritePng(f, image, false);
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
        ASSERT_TRUE(InstallX11Backend());
        x.X = dynamic_cast<TX11Backend*>(&Backend());
        ASSERT_NE(x.X, nullptr);
        x.D = static_cast<Display*>(x.X->XDisplay());
        form.reset(new TForm(nullptr));
        form->SetBorderStyle(bsNone);
        form->SetBounds(60, 40, 320, 120);
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
    const TRect item = popup->ListBox->ItemRect(5);
    const TPoint at = popup->ListBox->ClientToScreen(Point(20, item.Top + item.Height() / 2));
    x.Send(popup->Handle(), MotionNotify, at);
    ASSERT_TRUE(PumpUntil([&] { return popup->ItemIndex() == 5; }));
    for (int i = 0; i < 5; ++i)
        Application()->ProcessMessages();
    x.SaveScreen(around, "combo-dropped-down.png");
    EXPECT_EQ(combo->Text(), "640x480");   // the face keeps the item until the choice

    x.Send(popup->Handle(), ButtonPress, at);
    x.Send(popup->Handle(), ButtonRelease, at);
    ASSERT_TRUE(PumpUntil([&] { return !combo->IsPopupVisible(); }));
    EXPECT_EQ(combo->ItemIndex(), 5);
    EXPECT_EQ(chosen, "1024x768");
    ASSERT_TRUE(PumpUntil([&] { return !x.Viewable(popup->Handle()); }));

    // The office combo's list on the display too.
    x.Click(form->Handle(), office->ClientToScreen(Point(60, 20)));
    ASSERT_TRUE(PumpUntil([&] { return office->IsPopupVisible() && x.Viewable(office->ListBox()->Handle()); }));
    for (int i = 0; i < 5; ++i)
        Application()->ProcessMessages();
    x.SaveScreen(Rect(50, 30, 400, 40 + 120 + office->ListBox()->Height() + 20), "office-combo-dropped-down.png");
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
    const TRect item = popup->ListBox->ItemRect(3);
    const TPoint at = popup->ListBox->ClientToScreen(Point(20, item.Top + item.Height() / 2));
    x.Send(popup->Handle(), MotionNotify, at);
    ASSERT_TRUE(PumpUntil([&] { return popup->ItemIndex() == 3; }));
    for (int i = 0; i < 5; ++i)
        Application()->ProcessMessages();
    x.SaveScreen(Rect(50, 30, 300, 40 + 40 + popup->Height() + 20), "combo-list-caption.png");
    EXPECT_EQ(combo->Text(), "44100 Hz");

    const TRect check = popup->Buttons[2].R;
    x.Click(popup->Handle(), popup->ClientToScreen(Point(check.Left + check.Width() / 2, check.Top + check.Height() / 2)));
    ASSERT_TRUE(PumpUntil([&] { return !combo->IsPopupVisible(); }));
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), "22050 Hz");
}
