// The caption's quick-button strip on the window frame of a headless form:
// the divider for the form's state (keyed, or left out), where the buttons
// and the title start after it and where the caption's drag area begins,
// and the skin's hot and pressed frames behind a button's image.

#include "skin/form/bsSkinForm.h"

#include "FrameScreenshot.h"
#include "FrameTestSkin.h"
#include "SkinnedFormFixture.h"

#include "platform/controls/ImgList.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using namespace frametest;

constexpr uint32_t ImageColor = Rgb(0, 255, 0);

// Three quick buttons of 12 x 12 green images, the middle one hidden.
struct CaptionQuickButtonsTest : SkinnedFormFixture {
    TCustomImageList Images{nullptr};

    std::string StartIni() override { return SkinIni(LeftText + QuickButtonDividers); }
    void SetUp() override
    {
        SkinnedFormFixture::SetUp();
        Images.SetSize(12, 12);
        Images.AddPixels(std::vector<uint32_t>(144, 0xFF000000u | ImageColor));
        SkinForm->QuickImageList = &Images;
        for (int i = 0; i < 3; ++i)
            SkinForm->QuickButtons()->Add()->SetImageIndex(0);
        Item(1)->SetVisible(false);
        Repaint();
    }
    void TearDown() override
    {
        SkinForm->QuickImageList = nullptr;
        SkinnedFormFixture::TearDown();
    }
    skin::TbsQuickButtonItem* Item(int AIndex) { return SkinForm->QuickButtons()->Items(AIndex); }
    skin::TbsSkinCaptionObject* Caption() { return dynamic_cast<skin::TbsSkinCaptionObject*>(Object("caption")); }
    void Repaint()
    {
        Form->Invalidate();
        Application()->ProcessMessages();
    }
    uint32_t Pixel(int X, int Y)
    {
        const TPixelSurface* s = GetWindowSurface(Form->Handle());
        return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
    }
    LRESULT HitTest(int X, int Y)
    {
        return SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(Form->Left() + X, Form->Top() + Y));
    }
};

// The caption object spans (4, 4)-(196, 26); its text rectangle 4..70 of
// the 112-pixel skin caption grows by the 80 extra pixels to end at 150.
TEST_F(CaptionQuickButtonsTest, TheDividerMovesTheButtonsTheTitleAndTheDragAreaAlike)
{
    struct TCase {
        const char* Name;
        bool Active, ShowDivider;
        std::string CaptionExtra;
        TRect First, Third;   // the visible items' rectangles
        int TextLeft;         // the title's left edge, from the object's left
        uint32_t Divider[4];  // columns 7..10 at the caption's middle: divider or first image
    } cases[] = {
        {"active divider, keyed left half", true, true, QuickButtonDividers, Rect(14, 7, 30, 23), Rect(34, 7, 50, 23), 74,
         {TopColor, TopColor, MinColor, MinColor}},
        {"inactive divider", false, true, QuickButtonDividers, Rect(14, 7, 30, 23), Rect(34, 7, 50, 23), 74,
         {RollUpColor, RollUpColor, RollUpColor, RollUpColor}},
        {"divider turned off", true, false, QuickButtonDividers, Rect(4, 7, 20, 23), Rect(24, 7, 40, 23), 69,
         {ImageColor, ImageColor, ImageColor, ImageColor}},
        {"skin without a divider", true, true, "", Rect(4, 7, 20, 23), Rect(24, 7, 40, 23), 69,
         {ImageColor, ImageColor, ImageColor, ImageColor}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        LoadIni(SkinIni(LeftText + c.CaptionExtra));
        SkinForm->QuickButtonsShowDivider = c.ShowDivider;
        SendMessage(Form->Handle(), WM_ACTIVATE, c.Active ? WA_ACTIVE : WA_INACTIVE, 0);
        Repaint();
        ASSERT_NE(Caption(), nullptr);
        EXPECT_EQ(Item(0)->ItemRect, c.First);
        EXPECT_EQ(Item(2)->ItemRect, c.Third);
        EXPECT_EQ(Caption()->TextRect(), Rect(c.TextLeft, 2, 150, 20));
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Pixel(7 + x, 15), c.Divider[x]) << "column " << 7 + x;
        EXPECT_EQ(Pixel(c.First.Left + 6, 15), ImageColor);
        // Dragging starts two pixels after where the title may start.
        const int dragFrom = 4 + c.TextLeft - 4 + 2;
        EXPECT_NE(HitTest(dragFrom - 1, 15), HTCAPTION);
        EXPECT_EQ(HitTest(dragFrom, 15), HTCAPTION);
    }
    SendMessage(Form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    SkinForm->QuickButtonsShowDivider = true;
}

// A title too long for the caption ends in "..." inside its rectangle and
// leaves the strip and the divider alone.
TEST_F(CaptionQuickButtonsTest, ALongTitleStaysRightOfTheStrip)
{
    Form->SetCaption("A long title that can never fit into the caption strip");
    Repaint();
    frametest::SaveWindowPng(Form->Handle(), "frame_quick_buttons_divider.png");
    int before = 0, inside = 0;
    for (int y = 4; y < 26; ++y) {
        for (int x = 4; x < 78; ++x)
            before += Pixel(x, y) == TextColor;
        for (int x = 78; x < 98; ++x)
            inside += Pixel(x, y) == TextColor;
    }
    EXPECT_EQ(before, 0);
    EXPECT_GT(inside, 0);
}

// A button inserted before the others takes the first place of the strip
// and the frame shows it at once; the others move one place on. A button
// without an image keeps its place.
TEST_F(CaptionQuickButtonsTest, AnInsertedButtonTakesItsPlaceInTheStrip)
{
    TCustomImageList red(nullptr);
    red.SetSize(12, 12);
    red.AddPixels(std::vector<uint32_t>(144, 0xFFFF0000u));
    red.AddPixels(std::vector<uint32_t>(144, 0xFF000000u | ImageColor));
    SkinForm->QuickImageList = &red;
    SkinForm->UpDateFormNC();
    ASSERT_EQ(Pixel(14 + 6, 15), Rgb(255, 0, 0));
    skin::TbsQuickButtonItem* first = SkinForm->QuickButtons()->Insert(0);
    Application()->ProcessMessages();
    EXPECT_NE(Pixel(14 + 6, 15), Rgb(255, 0, 0)) << "the insert alone repaints: an empty first place";
    EXPECT_EQ(Pixel(54 + 6, 15), Rgb(255, 0, 0)) << "the last button moved on";
    first->SetImageIndex(1);
    Application()->ProcessMessages();
    ASSERT_EQ(SkinForm->QuickButtons()->Count(), 4);
    EXPECT_EQ(Item(0), first);
    EXPECT_EQ(Item(0)->ItemRect, Rect(14, 7, 30, 23));
    EXPECT_EQ(Item(1)->ItemRect, Rect(34, 7, 50, 23));
    EXPECT_EQ(Item(3)->ItemRect, Rect(54, 7, 70, 23)) << "the hidden button keeps no place";
    EXPECT_EQ(Pixel(14 + 6, 15), ImageColor) << "the new button";
    EXPECT_EQ(Pixel(34 + 6, 15), Rgb(255, 0, 0)) << "the former first";
    EXPECT_THROW(SkinForm->QuickButtons()->Insert(5), EListError);
    EXPECT_EQ(SkinForm->QuickButtons()->Count(), 4);
    SkinForm->QuickImageList = &Images;
}

// The frame behind a hot button comes from "officequickbutton", else from
// "resizetoolbutton"; a skin with neither draws the image alone. A button
// without an image draws nothing, hot or not, but keeps its place.
TEST_F(CaptionQuickButtonsTest, HotAndPressedFramesComeFromTheSkinsQuickButtonRecord)
{
    struct TCase {
        const char* Name;
        const char* Record;   // renames the fixture's quick button record
        uint32_t Rest, Hot, Pressed;   // the first button's left rim
    } cases[] = {
        {"office quick button", "officequickbutton", TopColor, CloseHot, CloseDown},
        {"resize tool button instead", "resizetoolbutton", TopColor, CloseHot, CloseDown},
        {"neither", "otherbutton", TopColor, TopColor, TopColor},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string ini = SkinIni(LeftText + QuickButtonDividers);
        const std::string office = "officequickbutton";
        for (size_t at = ini.find(office); at != std::string::npos; at = ini.find(office, at + 1))
            ini.replace(at, office.size(), c.Record);
        LoadIni(ini);
        Repaint();
        skin::TbsSkinCaptionObject* caption = Caption();
        ASSERT_NE(caption, nullptr);
        const TRect r = Item(0)->ItemRect;
        const int midY = (r.Top + r.Bottom) / 2;
        EXPECT_EQ(Pixel(r.Left, midY), c.Rest);
        caption->MouseMove(r.Left + 1, midY);
        Application()->ProcessMessages();
        EXPECT_EQ(Pixel(r.Left, midY), c.Hot);
        EXPECT_EQ(Pixel(r.Left + 6, midY), ImageColor);
        caption->MouseDown(r.Left + 1, midY, mbLeft);
        Application()->ProcessMessages();
        EXPECT_EQ(Pixel(r.Left, midY), c.Pressed);
        caption->MouseUp(r.Left + 1, midY, mbLeft);
        caption->MouseLeave();
        Application()->ProcessMessages();
        EXPECT_EQ(Pixel(r.Left, midY), c.Rest);
    }

    Item(0)->SetImageIndex(-1);
    Repaint();
    const TRect empty = Item(0)->ItemRect;
    Caption()->MouseMove(empty.Left + 1, empty.Top + 8);
    Application()->ProcessMessages();
    EXPECT_TRUE(Item(0)->Active);
    EXPECT_EQ(Pixel(empty.Left, empty.Top + 8), TopColor);
    EXPECT_EQ(Pixel(empty.Left + 6, empty.Top + 8), TopColor);
    EXPECT_EQ(Item(2)->ItemRect, Rect(34, 7, 50, 23));
}

} // namespace
