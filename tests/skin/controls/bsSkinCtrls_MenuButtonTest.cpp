#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_Button.h"

#include "platform/controls/StdCtrls.h"
#include "platform/ui/MessageLoop.h"

using namespace skintest;
using skin::TbsSkinMenuButton;

namespace {

struct SkinMenuButton : TSkinFixture {
    TFakePopupMenu Menu;
    TbsSkinMenuButton* Button = nullptr;
    int Clicks = 0, Downs = 0, Shown = 0, Hidden = 0;

    void SetUp() override
    {
        TSkinFixture::SetUp();
        auto* edit = new TEdit(Form.get());
        edit->SetBounds(200, 150, 60, 20);
        edit->SetParent(Form.get());
        Button = new TbsSkinMenuButton(Form.get());
        Button->SetBounds(20, 20, 80, 24);
        Button->SetParent(Form.get());
        Button->SetSkinPopupMenu(&Menu);
        Button->OnClick = [this](TObject*) { ++Clicks; };
        Button->OnMouseDown = [this](TObject*, TMouseButtonKind, TShiftState, int, int) { ++Downs; };
        Button->OnShowTrackMenu = [this](TObject*) { ++Shown; };
        Button->OnHideTrackMenu = [this](TObject*) { ++Hidden; };
        ShowAndPaint();
        edit->SetFocus();
        Pump();
    }
    void CloseMenu()
    {
        SendMessage(Button->Handle(), SKN_MENUCLOSED, 0, 0);
        Pump();
    }
};

} // namespace

TEST_F(SkinMenuButton, APressAnywhereOpensTheMenuBesideTheButton)
{
    EXPECT_EQ(Button->SkinDataName(), "toolmenubutton");
    Mouse(Button, 10, 10);
    Mouse(Button, 10, 10, 1);
    EXPECT_EQ(Menu.Opened, 1);
    EXPECT_EQ(Menu.For, Button);
    EXPECT_EQ(Menu.Place, Bounds(120, 120, 80, 24));   // screen coordinates of the button
    EXPECT_FALSE(Menu.Up);
    EXPECT_EQ(Shown, 1);
    EXPECT_TRUE(Button->FMenuTracked);
    EXPECT_TRUE(Button->Down());
    EXPECT_EQ(Downs, 0);   // neither the button's press nor OnMouseDown
    Mouse(Button, 10, 10, 0);   // ignored while tracked
    EXPECT_EQ(Clicks, 0);
    EXPECT_TRUE(Button->Down());
    CloseMenu();   // the pointer is still over the button
    EXPECT_FALSE(Button->FMenuTracked);
    EXPECT_FALSE(Button->Down());
    EXPECT_TRUE(Button->MouseIn());
    EXPECT_EQ(Hidden, 1);
}

TEST_F(SkinMenuButton, TheMenuClosingWithThePointerOutsideLeavesTheButtonUp)
{
    Mouse(Button, 10, 10);
    Mouse(Button, 10, 10, 1);
    InjectMouseButton(TMouseButton::mbLeft, false, Point(250, 250));
    InjectMouseMove(Point(250, 250));
    Pump();
    CloseMenu();
    EXPECT_FALSE(Button->Down());
    EXPECT_FALSE(Button->MouseIn());
}

TEST_F(SkinMenuButton, InTrackButtonModeOnlyTheArrowPartOpensTheMenu)
{
    Button->SetSkinDataName("resizebutton");
    Button->SetTrackButtonMode(true);
    EXPECT_TRUE(Button->CanMenuTrack(80 - 15, 5));
    EXPECT_TRUE(Button->CanMenuTrack(80, 5));   // edges included
    EXPECT_FALSE(Button->CanMenuTrack(80 - 16, 5));
    Click(Button, 80 - 16, 5);   // the body clicks like a plain button
    EXPECT_EQ(Menu.Opened, 0);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Downs, 1);
    Mouse(Button, 80 - 15, 5, 1);
    EXPECT_EQ(Menu.Opened, 1);
}

TEST_F(SkinMenuButton, WithoutAMenuItIsAPlainButton)
{
    Button->SetSkinPopupMenu(nullptr);
    EXPECT_FALSE(Button->CanMenuTrack(5, 5));
    Click(Button, 10, 10);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Menu.Opened, 0);
}

TEST_F(SkinMenuButton, SpaceOpensTheMenuOrClicksInTrackButtonMode)
{
    Button->SetFocus();
    Pump();
    Key(VK_SPACE, true);
    EXPECT_EQ(Menu.Opened, 1);
    EXPECT_TRUE(Button->FMenuTracked);
    Key(VK_SPACE, false);
    EXPECT_EQ(Clicks, 0);
    CloseMenu();
    Button->SetTrackButtonMode(true);
    Button->ModalResult = mrOk;
    Key(VK_SPACE, true);
    EXPECT_EQ(Menu.Opened, 1);
    Key(VK_SPACE, false);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(Form->ModalResult(), mrNone);   // the event alone, without ModalResult
}

TEST_F(SkinMenuButton, RemovingTheMenuForgetsIt)
{
    auto* menu = new TFakePopupMenu;
    Button->SetSkinPopupMenu(menu);
    delete menu;
    EXPECT_EQ(Button->SkinPopupMenu(), nullptr);
}
