// The link label on a headless form: colours with and without the skin
// record, hover, glow offset, the disabled look and opening its URL.
#include "skin/boxes/bsSkinExCtrls_LinkLabel.h"

#include "skin/boxes/BoxesTestSupport.h"

#include "platform/shell/FakeLauncher.h"

namespace {

using namespace skintest;
using skin::TbsSkinLinkLabel;

struct LinkLabelTest : TBoxesFixture {
    TbsSkinLinkLabel* NewLabel(const std::string& ACaption = "Link WWW")
    {
        auto* label = Add(new TbsSkinLinkLabel(Form.get()), Rect(20, 20, 20, 20));
        label->SetCaption(ACaption);
        return label;
    }
    // How many pixels of the label show AColour, and the first row that holds any ink.
    int Count(TControl* AControl, uint32_t AColour)
    {
        int n = 0;
        for (int y = 0; y < AControl->Height(); ++y)
            for (int x = 0; x < AControl->Width(); ++x)
                n += PixelOf(AControl, x, y) == AColour;
        return n;
    }
    int FirstInkRow(TControl* AControl)
    {
        for (int y = 0; y < AControl->Height(); ++y)
            for (int x = 0; x < AControl->Width(); ++x)
                if (PixelOf(AControl, x, y) != Background)
                    return y;
        return -1;
    }
};

TEST_F(LinkLabelTest, ClickFiresOnClickAndOpensTheUrlOnlyWhenThereIsOne)
{
    shelltest::TLauncherScope launcher;
    auto* label = NewLabel();
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    ShowAndPaint();
    Click(label, 3, 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(launcher.Log.empty());
    label->URL = "https://example.org/";
    Click(label, 3, 3);
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(launcher.Log.size(), 1u);
    EXPECT_EQ(launcher.Log[0].Command.Argv, (std::vector<std::string>{"xdg-open", "https://example.org/"}));
}

TEST_F(LinkLabelTest, DefaultColoursAndTheHoverColourWithoutARecord)
{
    auto* label = NewLabel();
    label->DefaultFont()->SetColor(ColorOf(Rgb(0, 0, 0)));
    label->DefaultActiveFontColor = ColorOf(Rgb(0, 0, 255));
    ShowAndPaint();
    EXPECT_EQ(label->SkinIndex(), -1);
    EXPECT_GT(Count(label, Rgb(0, 0, 0)), 10);
    EXPECT_EQ(Count(label, Rgb(0, 0, 255)), 0);
    Mouse(label, 3, 3);
    EXPECT_TRUE(label->MouseIn());
    EXPECT_GT(Count(label, Rgb(0, 0, 255)), 10);
    EXPECT_EQ(Count(label, Rgb(0, 0, 0)), 0);
}

TEST_F(LinkLabelTest, SkinnedLabelTakesTheRecordsFont)
{
    LoadSkin();
    auto* label = NewLabel();
    label->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(label->SkinIndex(), Data->GetControlIndex("stdlabel"));
    EXPECT_EQ(label->FontHeight, 20);
    EXPECT_GT(Count(label, Rgb(255, 0, 0)), 10);   // fontcolor 255
    EXPECT_GE(label->Height(), 20);
}

TEST_F(LinkLabelTest, GlowMovesTheTextDownByItsSize)
{
    auto* plain = NewLabel();
    auto* glowing = Add(new TbsSkinLinkLabel(Form.get()), Rect(20, 80, 20, 80));
    glowing->GlowEffect = true;
    glowing->GlowSize = 6;
    glowing->SetCaption("Link WWW");
    ShowAndPaint();
    EXPECT_EQ(glowing->Height(), plain->Height() + 6);
    const int plainRow = FirstInkRow(plain);
    ASSERT_GE(plainRow, 0);
    EXPECT_EQ(FirstInkRow(glowing), plainRow + 6);
    // Hovered: a halo in the active colour, text colour kept.
    Mouse(glowing, 3, 10);
    EXPECT_LT(FirstInkRow(glowing), plainRow + 6);
}

TEST_F(LinkLabelTest, DisabledLabelIsEmbossed)
{
    auto* label = NewLabel();
    label->SetEnabled(false);
    ShowAndPaint();
    EXPECT_GT(Count(label, RgbOf(clBtnShadow)), 10);
    EXPECT_GT(Count(label, RgbOf(clBtnHighlight)), 3);
}

} // namespace
