// Menu items painted into their popup window, with the test skin and with
// the built-in look: hot and normal images, separators, check and radio
// marks, headers, the skin stretched to a taller item, scroll strips.

#include "MenuTestSupport.h"

#include "skin/core/bsSkinData.h"

namespace {

using namespace menutest;
using skin::TbsSkinPopupWindow;

int RectWidthOf(TbsSkinPopupWindow* W, int AItem) { return W->Item(AItem)->ObjectRect.Width(); }

struct ItemPaintTest : TMenuFixture {
    TMenuItem Root{nullptr};
    skin::TbsSkinData* Data = new skin::TbsSkinData(nullptr);

    void TearDown() override
    {
        Manager()->Hide();
        TMenuFixture::TearDown();
        Root.Clear();
        delete Data;
    }
    void Load(const std::string& AIni)
    {
        TMenuSkinFolder folder(AIni);
        ASSERT_TRUE(Data->LoadFromFile(folder.Ini()).Ok());
    }
    void Build()
    {
        AddItem(&Root, "Hot");
        AddItem(&Root, "Checked")->Checked = true;
        AddItem(&Root, "-");
        TMenuItem* radio = AddItem(&Root, "Radio");
        radio->RadioItem = true;
        radio->Checked = true;
        AddItem(&Root, "-Header-")->Enabled = false;
        AddItem(&Root, "Disabled")->Enabled = false;
        AddItem(AddItem(&Root, "Sub"), "Leaf");
    }
    TbsSkinPopupWindow* Open(skin::TbsSkinData* AData)
    {
        Manager()->Popup(nullptr, AData, 0, Rect(300, 200, 300, 200), &Root, false);
        Pump();
        return Manager()->PopupWindow(0);
    }
    uint32_t At(TbsSkinPopupWindow* W, int AItem, int X, int Y)
    {
        const TRect r = W->Item(AItem)->ObjectRect;
        return WindowPixel(W->Handle(), r.Left + X, r.Top + Y);
    }
    // Whether a colour shows anywhere in a part of an item.
    bool Shows(TbsSkinPopupWindow* W, int AItem, TRect APart, uint32_t AColor)
    {
        const TRect r = W->Item(AItem)->ObjectRect;
        for (int y = APart.Top; y < APart.Bottom; ++y)
            for (int x = APart.Left; x < APart.Right; ++x)
                if (WindowPixel(W->Handle(), r.Left + x, r.Top + y) == AColor)
                    return true;
        return false;
    }
};

TEST_F(ItemPaintTest, TheSkinDrawsItemsSeparatorsAndTheWindow)
{
    Load(MenuSkinIni());
    Build();
    TbsSkinPopupWindow* w = Open(Data);
    ASSERT_NE(w->PW, nullptr);
    SaveWindowPng(w->Handle(), "menu_skinned.png");
    EXPECT_EQ(WindowPixel(w->Handle(), 0, 0), WindowFrame);
    EXPECT_EQ(w->Item(0)->ObjectRect.Top, 2);
    EXPECT_EQ(w->Item(0)->Height(), 20);
    EXPECT_EQ(w->Item(2)->Height(), 4);
    EXPECT_EQ(w->Height(), 20 * 6 + 4 + 4);
    // The first item is highlighted on opening: the hot image.
    EXPECT_EQ(At(w, 0, 1, 1), ItemHot);
    EXPECT_EQ(At(w, 1, 1, 1), ItemNormal);
    EXPECT_EQ(At(w, 2, 1, 1), Divider);
    // Without check images in the skin the tick is drawn in the font colour.
    EXPECT_TRUE(Shows(w, 1, Rect(20, 0, 36, 20), Rgb(0, 0, 0)));
    // The disabled item's caption takes the disabled colour.
    EXPECT_TRUE(Shows(w, 5, Rect(20, 0, RectWidthOf(w, 5) - 3, 20), Rgb(128, 128, 128)));
}

TEST_F(ItemPaintTest, SkinMarksReplaceTheDrawnOnes)
{
    Load(MenuSkinIni("checkimagerect=0,25,10,35\r\nradioimagerect=10,25,20,35\r\n"));
    Build();
    TbsSkinPopupWindow* w = Open(Data);
    EXPECT_TRUE(Shows(w, 1, Rect(20, 0, 40, 20), CheckColor));
    EXPECT_TRUE(Shows(w, 3, Rect(20, 0, 40, 20), RadioColor));
    EXPECT_FALSE(Shows(w, 0, Rect(20, 0, 40, 20), CheckColor));
    // A skin with a check image but none for radio items still shows the
    // radio item's own mark, not the check image.
    Manager()->Hide();
    Load(MenuSkinIni("checkimagerect=0,25,10,35\r\n"));
    w = Open(Data);
    EXPECT_TRUE(Shows(w, 1, Rect(20, 0, 40, 20), CheckColor));
    EXPECT_FALSE(Shows(w, 3, Rect(20, 0, 40, 20), CheckColor));
}

TEST_F(ItemPaintTest, WithoutSkinSizeTheImageFollowsTheTallerItem)
{
    Load(MenuSkinIni());
    Build();
    Manager()->UseSkinSize = false;
    Manager()->DefaultMenuItemHeight = 40;
    TbsSkinPopupWindow* w = Open(Data);
    EXPECT_EQ(w->Item(1)->Height(), 40);
    EXPECT_EQ(At(w, 1, 1, 1), ItemNormal);
    EXPECT_EQ(At(w, 1, 1, 38), ItemNormal);
    EXPECT_EQ(At(w, 0, 1, 38), ItemHot);
    // The tick sits in the middle of the taller text area.
    EXPECT_TRUE(Shows(w, 1, Rect(20, 14, 36, 28), Rgb(0, 0, 0)));
    EXPECT_FALSE(Shows(w, 1, Rect(20, 0, 36, 8), Rgb(0, 0, 0)));
}

TEST_F(ItemPaintTest, TheBuiltInLookWithoutASkin)
{
    Build();
    TbsSkinPopupWindow* w = Open(nullptr);
    ASSERT_EQ(w->PW, nullptr);
    SaveWindowPng(w->Handle(), "menu_unskinned.png");
    const uint32_t window = skintest::SysRgb(clWindow), shadow = skintest::SysRgb(clBtnShadow);
    EXPECT_EQ(WindowPixel(w->Handle(), 0, 0), shadow);
    EXPECT_EQ(At(w, 0, 1, 1), Rgb(193, 212, 243));   // hot
    EXPECT_EQ(At(w, 1, 1, 1), window);
    EXPECT_EQ(At(w, 2, 5, 2), shadow);                // separator line at half height
    EXPECT_EQ(At(w, 2, 5, 0), window);
    EXPECT_EQ(At(w, 4, 1, 1), shadow);                // header row
    EXPECT_TRUE(Shows(w, 4, Rect(2, 2, RectWidthOf(w, 4) - 2, 18), skintest::SysRgb(clBtnHighlight)));
    const uint32_t text = skintest::SysRgb(clWindowText);
    EXPECT_TRUE(Shows(w, 1, Rect(3, 4, 13, 16), text));   // tick
    EXPECT_TRUE(Shows(w, 3, Rect(3, 4, 13, 16), text));   // radio dot
    EXPECT_FALSE(Shows(w, 5, Rect(3, 4, 13, 16), text));
    // The submenu arrow at the right end.
    EXPECT_TRUE(Shows(w, 6, Rect(RectWidthOf(w, 6) - 10, 4, RectWidthOf(w, 6) - 4, 16), text));
    EXPECT_TRUE(Shows(w, 5, Rect(20, 2, 60, 18), shadow));   // disabled caption
}

TEST_F(ItemPaintTest, SystemCommandItemsCarryTheirGlyphs)
{
    AddItem(&Root, "Close", "BSF_CLOSE");
    AddItem(&Root, "Plain");
    TbsSkinPopupWindow* w = Open(nullptr);
    const uint32_t text = skintest::SysRgb(clWindowText);
    EXPECT_TRUE(Shows(w, 0, Rect(2, 2, 14, 18), text));
    EXPECT_FALSE(Shows(w, 1, Rect(2, 2, 14, 18), text));
}

} // namespace

namespace {

TEST_F(ItemPaintTest, AMorphingItemReachesItsHotImageInFiveSteps)
{
    Load(MenuSkinIni("morphing=1\r\n"));
    Build();
    TbsSkinPopupWindow* w = Open(Data);
    skin::TbsSkinMenuItem* first = w->Item(0);
    EXPECT_DOUBLE_EQ(first->MorphKf(), 0.0);
    std::vector<double> steps;
    for (int i = 0; i < 6; ++i) {
        Advance(20);
        steps.push_back(first->MorphKf());
    }
    EXPECT_NEAR(steps[0], 0.2, 1e-9);
    EXPECT_NEAR(steps[3], 0.8, 1e-9);
    EXPECT_DOUBLE_EQ(steps[4], 1.0);
    EXPECT_DOUBLE_EQ(steps[5], 1.0);
    EXPECT_EQ(At(w, 0, 1, 1), ItemHot);
    // Leaving runs the steps back.
    w->PopupKeyDown(VK_DOWN);
    Advance(100);
    EXPECT_DOUBLE_EQ(first->MorphKf(), 0.0);
    EXPECT_EQ(At(w, 0, 1, 1), ItemNormal);
}

} // namespace
