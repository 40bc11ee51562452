#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_SpeedButton.h"

#include "platform/controls/ImgList.h"

using namespace skintest;
using skin::TbsSkinMenuSpeedButton;

namespace {

// A picture-grid menu that only records how it was opened.
class TFakeImagesMenu : public TComponent, public skin::IbsSkinImagesMenu {
public:
    TFakeImagesMenu() : TComponent(nullptr) {}
    TComponent* MenuComponent() override { return this; }
    TCustomImageList* Images() const override { return nullptr; }
    bool SelectedItem(std::string&, int&) const override { return false; }
    void PopupFromRect(const TRect&) override { ++Opened; }
    void SetOnInternalChange(TNotifyEvent AEvent) override { OnChange = std::move(AEvent); }
    void SetOnInternalMenuClose(TNotifyEvent AEvent) override { OnClose = std::move(AEvent); }
    int Opened = 0;
    TNotifyEvent OnChange, OnClose;
};

struct SkinMenuSpeedButton : TSkinFixture {
    TFakePopupMenu Menu;
    TbsSkinMenuSpeedButton* Button = nullptr;
    int Clicks = 0, Downs = 0, Shown = 0, Hidden = 0;

    void SetUp() override
    {
        TSkinFixture::SetUp();
        Button = new TbsSkinMenuSpeedButton(Form.get());
        Button->SetParent(Form.get());
        Button->SetBounds(20, 20, 60, 24);
        Button->SetSkinPopupMenu(&Menu);
        Button->OnClick = [this](TObject*) { ++Clicks; };
        Button->OnMouseDown = [this](TObject*, TMouseButtonKind, TShiftState, int, int) { ++Downs; };
        Button->OnShowTrackMenu = [this](TObject*) { ++Shown; };
        Button->OnHideTrackMenu = [this](TObject*) { ++Hidden; };
        ShowAndPaint();
    }
    void CloseMenu()
    {
        Button->Perform(SKN_MENUCLOSED, 0, 0);
        Pump();
    }
};

} // namespace

TEST_F(SkinMenuSpeedButton, APressAnywhereOpensTheMenuAndNeverClicks)
{
    EXPECT_EQ(Button->SkinDataName(), "toolmenubutton");
    Click(Button, 10, 10);
    EXPECT_EQ(Menu.Opened, 1);
    EXPECT_EQ(Menu.For, Button);
    EXPECT_EQ(Menu.Place, Bounds(120, 120, 60, 24));   // screen coordinates of the button
    EXPECT_FALSE(Menu.Up);
    EXPECT_EQ(Shown, 1);
    EXPECT_EQ(Clicks, 0);
    EXPECT_EQ(Downs, 0);   // the speed button's press handling is skipped
    EXPECT_TRUE(Button->MenuTracked());
    EXPECT_TRUE(Button->Down());   // the release is ignored while tracked
    CloseMenu();
    EXPECT_FALSE(Button->MenuTracked());
    EXPECT_FALSE(Button->Down());
    EXPECT_EQ(Hidden, 1);
}

TEST_F(SkinMenuSpeedButton, InTrackModeOnlyTheArrowStripOpensTheMenu)
{
    Button->SetTrackButtonMode(true);
    Click(Button, 60 - 16, 10);
    EXPECT_EQ(Menu.Opened, 0);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Downs, 1);
    Click(Button, 60 - 15, 10);
    EXPECT_EQ(Menu.Opened, 1);
    EXPECT_EQ(Clicks, 1);
    // The built-in look while tracked: the body hot, the arrow part pressed.
    Mouse(Button, 20, 10);
    EXPECT_EQ(PixelOf(Button, 20, 12), Rgb(0xC1, 0xD4, 0xF3));
    EXPECT_EQ(PixelOf(Button, 60 - 3, 3), Rgb(0xA2, 0xBC, 0xE4));
    CloseMenu();
}

TEST_F(SkinMenuSpeedButton, WhileTheMenuIsOpenThePointerOnlyMovesTheFlag)
{
    Click(Button, 10, 10);
    Mouse(Button, 200, 150);
    EXPECT_FALSE(Button->MouseIn());
    EXPECT_TRUE(Button->Down());
    Mouse(Button, 10, 10);
    EXPECT_TRUE(Button->MouseIn());
    CloseMenu();
    EXPECT_FALSE(Button->MouseIn());
}

TEST_F(SkinMenuSpeedButton, WithBothMenusBothOpen)
{
    TFakeImagesMenu images;
    Button->SetSkinImagesMenu(&images);
    Click(Button, 10, 10);
    EXPECT_EQ(Menu.Opened, 1);
    EXPECT_EQ(images.Opened, 1);
    EXPECT_EQ(Shown, 2);
    ASSERT_TRUE(images.OnClose);
    images.OnClose(&images);   // the picture grid closes
    EXPECT_FALSE(Button->MenuTracked());
    EXPECT_FALSE(Button->Down());
    EXPECT_EQ(Hidden, 1);
    Button->SetSkinImagesMenu(nullptr);
}

TEST_F(SkinMenuSpeedButton, WithoutAMenuItIsAPlainSpeedButton)
{
    Button->SetSkinPopupMenu(nullptr);
    Click(Button, 10, 10);
    EXPECT_EQ(Clicks, 1);
    EXPECT_FALSE(Button->MenuTracked());
}

TEST_F(SkinMenuSpeedButton, AFlatIdleButtonDrawsItsArrowOnTheParent)
{
    Button->SetFlat(true);
    Mouse(Button, 200, 150);
    // The down triangle of the arrow strip (45, 0, 60, 24): rows of 5, 3, 1 from y = 12.
    EXPECT_EQ(PixelOf(Button, 50, 12), ColorRgb(clBtnText));
    EXPECT_EQ(PixelOf(Button, 52, 14), ColorRgb(clBtnText));
    EXPECT_EQ(PixelOf(Button, 30, 12), Background);
}

TEST_F(SkinMenuSpeedButton, TheResizeRecordDrawsBodyAndArrowPartApart)
{
    Folder.Rewrite(SkinIni("resizetoolbutton:button\r\n",
                           "[resizetoolbutton]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\n"
                           "righttoppoint=27,3\r\nleftbottompoint=3,17\r\nrightbottompoint=27,17\r\n"
                           "clientrect=3,3,27,17\r\nactiveskinrect=30,0,60,20\r\ndownskinrect=60,0,90,20\r\n"));
    LoadSkin();
    Button->SetSkinDataName("resizetoolbutton");
    Button->SetTrackButtonMode(true);
    Button->SetSkinData(Data);
    Pump();
    EXPECT_EQ(PixelOf(Button, 44, 12), NormalEdge);   // the body's right edge
    EXPECT_EQ(PixelOf(Button, 45, 12), NormalEdge);   // the arrow part's left edge
    EXPECT_EQ(PixelOf(Button, 20, 12), NormalFill);
    Mouse(Button, 20, 10);
    EXPECT_EQ(PixelOf(Button, 20, 12), HotFill);
    Mouse(Button, 50, 10, 1);   // on the arrow part: the menu opens
    EXPECT_EQ(Menu.Opened, 1);
    EXPECT_EQ(PixelOf(Button, 20, 12), HotFill);   // tracked: body hot
    EXPECT_EQ(PixelOf(Button, 48, 3), DownFill);    // arrow part pressed
    CloseMenu();
    Mouse(Button, 50, 10, 0);
}

TEST_F(SkinMenuSpeedButton, TheNewStyleTakesTheArrowPartFromTheBottom)
{
    Folder.Rewrite(SkinIni("resizetoolbutton:button\r\n",
                           "[resizetoolbutton]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\n"
                           "righttoppoint=27,3\r\nleftbottompoint=3,17\r\nrightbottompoint=27,17\r\n"
                           "clientrect=3,3,27,17\r\nactiveskinrect=30,0,60,20\r\ndownskinrect=60,0,90,20\r\n"));
    LoadSkin();
    Button->SetBounds(20, 20, 40, 50);
    Button->SetNewStyle(true);
    EXPECT_EQ(Button->SkinDataName(), "resizetoolbutton");
    Button->SetTrackPosition(skin::bstpBottom);
    Button->SetTrackButtonMode(true);
    Button->SetSkinData(Data);
    Pump();
    EXPECT_EQ(PixelOf(Button, 20, 40), NormalFill);   // idle: one picture over the whole button
    Mouse(Button, 20, 10);
    EXPECT_EQ(PixelOf(Button, 20, 33), HotEdge);      // the body ends 15 pixels above the bottom
    EXPECT_EQ(PixelOf(Button, 20, 35), HotEdge);      // the arrow part starts there
    Click(Button, 20, 10);                            // the body clicks
    EXPECT_EQ(Clicks, 1);
    Mouse(Button, 20, 40, 1);                         // the bottom strip opens the menu
    EXPECT_EQ(Menu.Opened, 1);
    CloseMenu();
    Mouse(Button, 20, 40, 0);
}
