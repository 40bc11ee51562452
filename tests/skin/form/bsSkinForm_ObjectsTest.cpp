// The frame objects of a skinned form on a headless display: caption
// buttons laid out along the buttons strip, their hover, press and
// commands through real mouse input, the caption text, the window states
// and the bounds they return to, rolling up, magnetic edges, the system
// menu's items, and the built-in buttons of a form without a skin.

#include "skin/form/bsSkinForm.h"
#include "skin/form/bsSkinMenus.h"

#include "../controls/SkinControlsTestSupport.h"
#include "FrameScreenshot.h"
#include "FrameTestSkin.h"
#include "SkinnedFormFixture.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/ImgList.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Input.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using skin::TbsSkinData;
using skin::TbsSkinForm;
using skintest::BmpFile;
using skintest::Rgb;
using namespace frametest;


struct FrameObjectsTest : SkinnedFormFixture {
    void Load(const std::string& ACaptionExtra, const std::string& ALayerFrame = "")
    {
        LoadIni(SkinIni(ACaptionExtra, ALayerFrame));
    }
    TPoint ScreenOf(int X, int Y) { return Point(Form->Left() + X, Form->Top() + Y); }
    void Move(int X, int Y)
    {
        InjectMouseMove(ScreenOf(X, Y));
        Application()->ProcessMessages();
    }
    void Button(bool ADown, int X, int Y)
    {
        InjectMouseButton(TMouseButton::mbLeft, ADown, ScreenOf(X, Y));
        Application()->ProcessMessages();
    }
    void Click(int X, int Y)
    {
        Move(X, Y);
        Button(true, X, Y);
        Button(false, X, Y);
    }
    uint32_t Pixel(int X, int Y)
    {
        Application()->ProcessMessages();
        const TPixelSurface* s = GetWindowSurface(Form->Handle());
        return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
    }
    // Pixels of the text colour in the columns [AFrom, ATo) of the caption.
    int TextPixels(int AFrom, int ATo)
    {
        int n = 0;
        for (int y = 6; y < 26; ++y)
            for (int x = AFrom; x < ATo; ++x)
                n += Pixel(x, y) == TextColor;
        return n;
    }
};

TEST_F(FrameObjectsTest, CaptionButtonsFlowAlongTheButtonsStripFromTheRight)
{
    // The strip (70, 6, 114, 22) lies in the right half and moves with the
    // right edge by 80; buttons stand 2 apart in the order of commands.
    EXPECT_EQ(Object("closebutton")->ObjectRect, Rect(178, 6, 194, 22));
    EXPECT_EQ(Object("maxbutton")->ObjectRect, Rect(160, 6, 176, 22));
    EXPECT_EQ(Object("minbutton")->ObjectRect, Rect(142, 6, 158, 22));
    EXPECT_EQ(Object("rollupbutton")->ObjectRect, Rect(124, 6, 140, 22));
    EXPECT_EQ(Pixel(186, 14), CloseColor);
    EXPECT_EQ(Pixel(168, 14), MaxColor);

    // Without the maximize icon the button goes and the minimize button
    // takes its place.
    SkinForm->SetBorderIcons(biSystemMenu | biMinimize | skin::biRollUp);
    SkinForm->UpdateFrame(true);
    EXPECT_FALSE(Object("maxbutton")->Visible);
    EXPECT_EQ(Object("minbutton")->ObjectRect, Rect(160, 6, 176, 22));
    Form->Invalidate();
    EXPECT_EQ(Pixel(168, 14), MinColor);
}

TEST_F(FrameObjectsTest, HoverAndPressShowTheirLooksAndAReleaseOutsideRunsNothing)
{
    // The hover poll finds the button under the cursor.
    Move(186, 14);
    EXPECT_EQ(SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(Form->Left() + 186, Form->Top() + 14)),
              HTOBJECT);
    SkinForm->MouseTimerProc();
    EXPECT_EQ(SkinForm->ActiveObject, SkinForm->GetIndex("closebutton"));
    EXPECT_EQ(Pixel(186, 14), CloseHot);
    Button(true, 186, 14);
    EXPECT_EQ(Pixel(186, 14), CloseDown);
    EXPECT_EQ(GetCapture(), Form->Handle());

    // Moving off with the button held: the hover poll takes the hot state
    // away and the release runs no command.
    Move(60, 60);
    SkinForm->MouseTimerProc();
    EXPECT_EQ(SkinForm->ActiveObject, -1);
    Button(false, 60, 60);
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Pixel(186, 14), CloseColor);
}

TEST_F(FrameObjectsTest, CaptionButtonCommands)
{
    const TRect start = Form->BoundsRect();
    int maximized = 0, restored = 0;
    SkinForm->OnMaximize = [&](TObject*) { ++maximized; };
    SkinForm->OnRestore = [&](TObject*) { ++restored; };

    // Maximize fills the work area and shows the restore look; the same
    // button restores the bounds saved before.
    Click(168, 14);
    EXPECT_EQ(SkinForm->WindowState(), wsMaximized);
    EXPECT_EQ(Form->BoundsRect(), Rect(0, 0, 800, 560));
    EXPECT_EQ(maximized, 1);
    const TRect maxButton = Object("maxbutton")->ObjectRect;
    Move(10, 300);
    SkinForm->MouseTimerProc();
    EXPECT_EQ(Pixel((maxButton.Left + maxButton.Right) / 2, 14), RestoreColor);
    Click((maxButton.Left + maxButton.Right) / 2, 14);
    EXPECT_EQ(SkinForm->WindowState(), wsNormal);
    EXPECT_EQ(Form->BoundsRect(), start);
    EXPECT_EQ(restored, 1);

    // Roll-up leaves the caption frame; the next click gives the height back.
    Click(132, 14);
    EXPECT_TRUE(SkinForm->RollUpState());
    EXPECT_EQ(Form->Height(), SkinForm->GetMinHeight());
    EXPECT_EQ(Form->Height(), 35);
    Click(132, 14);
    EXPECT_FALSE(SkinForm->RollUpState());
    EXPECT_EQ(Form->Height(), 120);

    // Minimize puts a form that is not the main form into the first slot at
    // the bottom-left of the work area.
    Click(150, 14);
    EXPECT_EQ(SkinForm->WindowState(), wsMinimized);
    EXPECT_EQ(Form->BoundsRect(), Rect(0, 560 - 35, 120, 560));
    SkinForm->SetWindowState(wsNormal);
    EXPECT_EQ(Form->BoundsRect(), start);

    // Close hides it.
    Click(186, 14);
    EXPECT_FALSE(Form->Visible());
}

TEST_F(FrameObjectsTest, MinimizedFormsFillSlotsRowByRow)
{
    std::vector<std::unique_ptr<TForm>> forms;
    std::vector<TbsSkinForm*> frames;
    for (int i = 0; i < 8; ++i) {
        forms.push_back(std::make_unique<TForm>(nullptr));
        forms.back()->SetBounds(50 + i, 50, 200, 120);
        frames.push_back(new TbsSkinForm(forms.back().get()));
        frames.back()->SetSkinData(Data.get());
        forms.back()->Show();
    }
    // Six slots of 120 fit in a row of 800; the seventh starts the row above.
    for (auto* f : frames)
        f->SetWindowState(wsMinimized);
    EXPECT_EQ(forms[0]->BoundsRect(), Rect(0, 525, 120, 560));
    EXPECT_EQ(forms[1]->BoundsRect(), Rect(120, 525, 240, 560));
    EXPECT_EQ(forms[5]->BoundsRect(), Rect(600, 525, 720, 560));
    EXPECT_EQ(forms[6]->BoundsRect(), Rect(0, 490, 120, 525));
    frames[1]->SetWindowState(wsMaximized);
    EXPECT_EQ(forms[1]->BoundsRect(), Rect(0, 0, 800, 560));
    frames[1]->SetWindowState(wsNormal);
    EXPECT_EQ(forms[1]->BoundsRect(), Rect(51, 50, 251, 170));
}

TEST_F(FrameObjectsTest, MaximizedFormCannotBeDraggedAndDoubleClickOnTheCaptionRestores)
{
    SkinForm->SetWindowState(wsMaximized);
    TRect moving = Rect(40, 40, 840, 600);
    SendMessage(Form->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&moving));
    EXPECT_EQ(moving, Rect(0, 0, 800, 560));
    SendMessage(Form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(40, 14));
    EXPECT_EQ(SkinForm->WindowState(), wsNormal);
    SendMessage(Form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(Form->Left() + 40, Form->Top() + 14));
    EXPECT_EQ(SkinForm->WindowState(), wsMaximized);

    // A form that cannot be sized rolls up instead.
    SkinForm->SetWindowState(wsNormal);
    Form->SetBorderStyle(bsSingle);
    SendMessage(Form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(Form->Left() + 40, Form->Top() + 14));
    EXPECT_TRUE(SkinForm->RollUpState());
}

// The border icons decide what a double click on the caption does, and the
// window's style tells the desktop the same boxes the frame has.
TEST_F(FrameObjectsTest, BorderIconsDecideTheCaptionDoubleClickAndWhatTheDesktopOffers)
{
    const skin::TbsBorderIcons all = biSystemMenu | biMinimize | biMaximize | skin::biRollUp;
    const struct {
        skin::TbsBorderIcons Icons;
        TFormBorderStyle Style;
        TWindowState State;
        bool RolledUp, MinimizeBox, MaximizeBox;
    } cases[] = {
        {biMinimize, bsSingle, wsNormal, false, true, false},
        {biMinimize, bsSizeable, wsNormal, false, true, false},
        {0, bsSingle, wsNormal, false, false, false},
        {all, bsSingle, wsNormal, true, true, true},
        {all, bsSizeable, wsMaximized, false, true, true},
    };
    for (const auto& c : cases) {
        SkinForm->SetRollUpState(false);
        SkinForm->SetWindowState(wsNormal);
        Form->SetBorderStyle(c.Style);
        SkinForm->SetBorderIcons(c.Icons);
        const TRect before = Form->BoundsRect();
        SendMessage(Form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(Form->Left() + 40, Form->Top() + 14));
        EXPECT_EQ(SkinForm->WindowState(), c.State) << c.Icons << " " << int(c.Style);
        EXPECT_EQ(SkinForm->RollUpState(), c.RolledUp) << c.Icons << " " << int(c.Style);
        if (c.State == wsNormal && !c.RolledUp) {
            EXPECT_EQ(Form->BoundsRect(), before) << c.Icons << " " << int(c.Style);
        }
        const DWORD style = DWORD(GetWindowLong(Form->Handle(), GWL_STYLE));
        EXPECT_EQ(bool(style & WS_MINIMIZEBOX), c.MinimizeBox) << c.Icons;
        EXPECT_EQ(bool(style & WS_MAXIMIZEBOX), c.MaximizeBox) << c.Icons;
    }
}

TEST_F(FrameObjectsTest, MagneticEdgesSnapAndLetGo)
{
    SkinForm->Magnetic = true;
    // Dragged to 3 pixels from the left edge: it snaps to the edge.
    SetCursorPos(Point(53, 300));
    SendMessage(Form->Handle(), WM_ENTERSIZEMOVE);
    TRect r = Rect(3, 200, 203, 320);
    SendMessage(Form->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r, Rect(0, 200, 200, 320));
    // A cursor within MagneticSize of where it snapped keeps it there...
    SetCursorPos(Point(57, 300));
    r = Rect(7, 200, 207, 320);
    SendMessage(Form->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Left, 0);
    // ...one further away frees it: it follows the cursor again.
    SetCursorPos(Point(65, 300));
    r = Rect(15, 200, 215, 320);
    SendMessage(Form->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Left, 15);
    // The right and bottom edges snap the same way.
    SetCursorPos(Point(400, 400));
    r = Rect(598, 437, 798, 557);
    SendMessage(Form->Handle(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r, Rect(600, 440, 800, 560));
    SendMessage(Form->Handle(), WM_EXITSIZEMOVE);
}

TEST_F(FrameObjectsTest, CaptionTextIsLaidOutInTheTextRectangle)
{
    frametest::SaveWindowPng(Form->Handle(), "frame_caption_left.png");
    // Left-justified in the text rectangle (4..70 of the caption at x 4).
    EXPECT_GT(TextPixels(8, 40), 0);
    EXPECT_EQ(TextPixels(74, 120), 0);
    // Right-justified: the text's right edge on the rectangle's, which
    // stretches with the caption by 80.
    Load("alignment=tarightjustify\r\n");
    Form->Invalidate();
    EXPECT_EQ(TextPixels(8, 40), 0);
    EXPECT_GT(TextPixels(110, 154), 0);
    // Too long a caption ends in "..." inside the rectangle.
    Load(LeftText);
    Form->SetCaption(std::string(80, 'W'));
    EXPECT_GT(TextPixels(8, 40), 0);
    EXPECT_EQ(TextPixels(154, 178), 0);
}

TEST_F(FrameObjectsTest, SystemMenuItemsFollowTheFrameState)
{
    auto captions = [this] {
        std::vector<std::string> r;
        TMenuItem* items = SkinForm->GetSystemMenuItems();
        for (int i = 0; i < items->Count(); ++i)
            r.push_back(items->Items(i)->Caption);
        return r;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(captions(), (V{"Mi&nimize", "Ma&ximize", "Ro&llUp", "-", "&Close"}));
    SkinForm->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    SkinForm->SetWindowState(wsMaximized);
    EXPECT_EQ(captions(), (V{"Mi&nimize", "&Restore", "-", "&Close"}));

    // Running the items: restore, roll up, then restore unrolls.
    TMenuItem* items = SkinForm->GetSystemMenuItems();
    items->Items(1)->Click();
    EXPECT_EQ(SkinForm->WindowState(), wsNormal);
    SkinForm->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | skin::biRollUp);
    items = SkinForm->GetSystemMenuItems();
    items->Items(2)->Click();
    EXPECT_TRUE(SkinForm->RollUpState());
    items = SkinForm->GetSystemMenuItems();
    ASSERT_EQ(items->Items(2)->Caption, "&Restore");
    items->Items(2)->Click();
    EXPECT_FALSE(SkinForm->RollUpState());

    // A user's menu gets the standard items around its own, once.
    TPopupMenu user(nullptr);
    auto* own = new TMenuItem(&user);
    own->Caption = "Mine";
    user.Items()->Add(own);
    SkinForm->SystemMenu = &user;
    SkinForm->GetSystemMenuItems();
    EXPECT_EQ(captions(), (V{"Mi&nimize", "Ma&ximize", "Ro&llUp", "Mine", "&Close"}));
    SkinForm->SystemMenu = nullptr;
    items = SkinForm->GetSystemMenuItems();
    items->Items(items->Count() - 1)->Click();
    EXPECT_FALSE(Form->Visible());
}

TEST_F(FrameObjectsTest, LayeredBorderSurroundsTheFormInTheNormalState)
{
    Load(LeftText, LayerFrame);
    skin::TbsFormLayerBorder* border = SkinForm->BorderLayer();
    ASSERT_TRUE(border->FVisible);
    auto bounds = [&](skin::TbsFormLayerBorderType AType) { return border->Windows[AType]->BoundsRect(); };
    // Layer rectangle (90, 90, 310, 230) around the form at (100, 100, 300, 220).
    EXPECT_EQ(bounds(skin::bsflTop), Rect(90, 90, 310, 100));
    EXPECT_EQ(bounds(skin::bsflBottom), Rect(90, 220, 310, 230));
    EXPECT_EQ(bounds(skin::bsflLeft), Rect(90, 100, 100, 220));
    EXPECT_EQ(bounds(skin::bsflRight), Rect(300, 100, 310, 220));
    const TPixelSurface* top = GetWindowSurface(border->Windows[skin::bsflTop]->Handle());
    ASSERT_NE(top, nullptr);
    frametest::SavePng(top, "frame_layer_top.png");
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(top->Row(5))[100] >> 24, 255u);
    uint8_t alpha = 0;
    GetLayeredWindowAttributes(border->Windows[skin::bsflTop]->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 200);

    // It follows the form, fades while the form is inactive, goes while the
    // form is maximized or hidden and comes back with it.
    Form->SetBounds(150, 120, 260, 120);
    EXPECT_EQ(bounds(skin::bsflTop), Rect(140, 110, 420, 120));
    SendMessage(Form->Handle(), WM_NCACTIVATE, 0, 0);
    GetLayeredWindowAttributes(border->Windows[skin::bsflTop]->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 100);
    border->CheckFormAlpha(128, false);
    EXPECT_EQ(border->FCurrentAlphaBlendValue, 100);
    EXPECT_EQ(border->FCurrentInActiveAlphaBlendValue, 50);
    border->CheckFormAlpha(255, false);
    SkinForm->SetWindowState(wsMaximized);
    EXPECT_FALSE(border->FVisible);
    SkinForm->SetWindowState(wsNormal);
    EXPECT_TRUE(border->FVisible);
    Form->Hide();
    EXPECT_FALSE(border->FVisible);
    Form->Show();
    EXPECT_TRUE(border->FVisible);
    Data->SetShowLayeredBorders(false);
    EXPECT_FALSE(border->FVisible);
    Data->SetShowLayeredBorders(true);
    EXPECT_TRUE(border->FVisible);

    // A sample frame never has one.
    SkinForm->PreviewMode = true;
    SkinForm->SyncLayerBorder(true);
    EXPECT_FALSE(border->FVisible);
    SkinForm->PreviewMode = false;

    // A border that draws the whole frame takes the frame from the window.
    Load(LeftText, LayerFrame + "fullborder=1\r\n");
    EXPECT_TRUE(SkinForm->FullBorderShown());
    EXPECT_EQ(Form->ClientHeight(), Form->Height());
}

TEST_F(FrameObjectsTest, DialogCloseButtonCustomButtonsAndHiddenButtons)
{
    // A dialog (no border icons but the system menu) shows only the dialog
    // close button; custom buttons show only when the application says so.
    const std::string extra = "[SKINOBJECTS]\r\n";
    testsupport::WriteFile(Dir.File("skin.ini"),
                           SkinIni(LeftText) + "[dialogclosebutton]\r\ncommand=cmclose\r\nskinrect=0,0,16,16\r\n"
                                               "skinrectinapicture=1\r\nactivepictureindex=0\r\n"
                                               "[helpbutton]\r\ncommand=cmdefault\r\nskinrect=0,0,16,16\r\n"
                                               "skinrectinapicture=1\r\nactivepictureindex=0\r\n");
    std::string ini = testsupport::ReadFile(Dir.File("skin.ini"));
    ini.replace(ini.find("count=5"), 7, "count=7");
    ini.replace(ini.find("4=caption:caption"), 17, "4=caption:caption\r\n5=dialogclosebutton:stdbutton\r\n6=helpbutton:stdbutton");
    testsupport::WriteFile(Dir.File("skin.ini"), ini);
    std::vector<std::string> asked;
    SkinForm->OnActivateCustomObject = [&](const std::string& AName, bool& AVisible) {
        asked.push_back(AName);
        AVisible = true;
    };
    ASSERT_TRUE(Data->LoadFromFile(Dir.File("skin.ini")).Ok());
    EXPECT_TRUE(Object("closebutton")->Visible);
    EXPECT_FALSE(Object("dialogclosebutton")->Visible);
    EXPECT_TRUE(Object("helpbutton")->Visible);
    EXPECT_EQ(asked, std::vector<std::string>{"helpbutton"});
    SkinForm->SetBorderIcons(biSystemMenu);
    EXPECT_FALSE(Object("closebutton")->Visible);
    EXPECT_TRUE(Object("dialogclosebutton")->Visible && Object("dialogclosebutton")->Enabled);
    SkinForm->OnActivateCustomObject = nullptr;
    SkinForm->UpdateCaptionButtons();
    EXPECT_FALSE(Object("helpbutton")->Visible);

    // Hidden caption buttons are disabled; drawn by themselves they go.
    SkinForm->HideCaptionButtons = true;
    SkinForm->UpdateCaptionButtons();
    for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton"}) {
        EXPECT_FALSE(Object(name)->Enabled) << name;
        EXPECT_FALSE(Object(name)->Visible) << name;
    }
    // Operations by a name no object has change nothing.
    TPopupMenu menu(nullptr);
    SkinForm->LinkMenu("nosuchobject", &menu, false);
    SkinForm->SetEnabled("nosuchobject", false);
    EXPECT_EQ(SkinForm->GetIndex("nosuchobject"), -1);
}

TEST_F(FrameObjectsTest, MorphingButtonsFadeInFiveStepsAndActivationIsAnnounced)
{
    std::string ini = SkinIni(LeftText);
    ini.replace(ini.find("downrect=32,0,48,16"), 19, "downrect=32,0,48,16\r\nmorphing=1");
    testsupport::WriteFile(Dir.File("skin.ini"), ini);
    ASSERT_TRUE(Data->LoadFromFile(Dir.File("skin.ini")).Ok());
    auto* close = Object("closebutton");
    ASSERT_TRUE(close->EnableMorphing());
    SkinForm->TestActive(186, 14, true);
    EXPECT_TRUE(SkinForm->MorphTimer->Enabled());
    std::vector<double> steps;
    for (int i = 0; i < 6; ++i) {
        SkinForm->MorphTimerProc();
        steps.push_back(close->MorphKf());
    }
    const double expected[] = {0.2, 0.4, 0.6, 0.8, 1.0, 1.0};
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_NEAR(steps[i], expected[i], 1e-9) << i;
    EXPECT_FALSE(SkinForm->MorphTimer->Enabled());
    EXPECT_EQ(Pixel(186, 14), CloseHot);
    // Leaving half way reverses from where it is.
    SkinForm->TestActive(-1, -1, false);
    SkinForm->MorphTimerProc();
    SkinForm->MorphTimerProc();
    EXPECT_NEAR(close->MorphKf(), 0.6, 1e-9);

    int activated = 0, deactivated = 0;
    SkinForm->OnActivate = [&](TObject*) { ++activated; };
    SkinForm->OnDeActivate = [&](TObject*) { ++deactivated; };
    SkinForm->UpdateActiveState(true);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(deactivated, 0);
}

TEST_F(FrameObjectsTest, AnimatedButtonPlaysItsFramesForwardAndBack)
{
    std::string ini = SkinIni(LeftText);
    ini.replace(ini.find("count=5"), 7, "count=6");
    ini.replace(ini.find("4=caption:caption"), 17, "4=caption:caption\r\n5=spinner:animate");
    ini += "[spinner]\r\nskinrect=0,0,16,16\r\nactiveskinrect=0,0,16,16\r\nskinrectinapicture=1\r\n"
           "activepictureindex=0\r\ncountframes=5\r\ntimerinterval=60\r\nbuttonstyle=1\r\ncommand=cmdefault\r\n";
    testsupport::WriteFile(Dir.File("skin.ini"), ini);
    SkinForm->OnActivateCustomObject = [](const std::string&, bool& AVisible) { AVisible = true; };
    ASSERT_TRUE(Data->LoadFromFile(Dir.File("skin.ini")).Ok());
    auto* spinner = dynamic_cast<skin::TbsSkinAnimateObject*>(Object("spinner"));
    ASSERT_NE(spinner, nullptr);
    EXPECT_EQ(spinner->TimerInterval, 60);
    spinner->MouseEnter();
    // A frame lasts three 25 ms ticks (75 ms, the first multiple not below 60).
    std::vector<int> frames;
    for (int tick = 0; tick < 16; ++tick) {
        SkinForm->AnimateTimerProc();
        frames.push_back(spinner->Frame());
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 5, 5}));
    EXPECT_FALSE(spinner->Active);
    spinner->MouseLeave();
    frames.clear();
    for (int tick = 0; tick < 13; ++tick) {
        SkinForm->AnimateTimerProc();
        frames.push_back(spinner->Frame());
    }
    EXPECT_EQ(frames, (std::vector<int>{5, 5, 4, 4, 4, 3, 3, 3, 2, 2, 2, 1, 1}));
}

TEST(SkinFormFadeIn, StepsAndTheAlphaTheFormEndsWith)
{
    const std::vector<int> full = TbsSkinForm::FadeInSteps(255);
    ASSERT_EQ(full.size(), 15u);
    EXPECT_EQ(full.front(), 17);
    EXPECT_EQ(full.back(), 255);
    const std::vector<int> partial = TbsSkinForm::FadeInSteps(200);
    ASSERT_EQ(partial.size(), 16u);
    EXPECT_EQ(partial[14], 195);
    EXPECT_EQ(partial.back(), 200);

    struct TCase {
        bool AlphaBlend, Animation;
        bool Layered;
        uint8_t Alpha;
    };
    for (const TCase& c : {TCase{false, true, false, 255}, TCase{true, true, true, 200}, TCase{true, false, true, 200}}) {
        std::unique_ptr<TForm> form(new TForm(nullptr));
        form->SetBounds(10, 10, 200, 120);
        auto* frame = new TbsSkinForm(form.get());
        frame->SetAlphaBlend(c.AlphaBlend);
        frame->AlphaBlendAnimation = c.Animation;
        form->Show();
        EXPECT_TRUE(GetWindowLong(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
        uint8_t alpha = 255;
        GetLayeredWindowAttributes(form->Handle(), nullptr, &alpha, nullptr);
        EXPECT_EQ(alpha, 0);
        SendMessage(form->Handle(), WM_TIMER, 1, 0);
        EXPECT_EQ(bool(GetWindowLong(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED), c.Layered);
        if (c.Layered) {
            GetLayeredWindowAttributes(form->Handle(), nullptr, &alpha, nullptr);
            EXPECT_EQ(alpha, c.Alpha);
        }
    }
}

// The system-menu button opens the system menu as a skinned popup on
// press and stays pressed until the menu closes; a right click on the
// caption opens it at the cursor unless the system menu is disabled.
TEST(UnskinnedFrameObjects, SystemMenuOpensFromItsButtonAndTheCaption)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBounds(100, 100, 200, 120);
    auto* frame = new TbsSkinForm(form.get());
    form->Show();
    Application()->ProcessMessages();
    auto* button =
        dynamic_cast<skin::TbsSkinStdButtonObject*>(frame->ObjectList[size_t(frame->GetIndex("sysmenubutton"))].get());
    ASSERT_NE(button, nullptr);
    const TPoint at = Point(100 + 11, 100 + 12);
    InjectMouseMove(at);
    InjectMouseButton(TMouseButton::mbLeft, true, at);
    Application()->ProcessMessages();
    ASSERT_TRUE(frame->SkinMenu()->Visible());
    EXPECT_TRUE(frame->InMenu);
    EXPECT_TRUE(button->Down());
    frametest::SaveWindowPng(frame->SkinMenu()->LastPopup()->Handle(), "frame_system_menu.png");
    InjectMouseButton(TMouseButton::mbLeft, false, at);
    Application()->ProcessMessages();
    EXPECT_TRUE(button->Down());
    frame->SkinMenu()->Hide();
    Application()->ProcessMessages();
    EXPECT_FALSE(frame->InMenu);
    EXPECT_FALSE(button->Down());

    const LPARAM caption = MAKELPARAM(100 + 80, 100 + 10);
    SendMessage(form->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, caption);
    EXPECT_TRUE(frame->SkinMenu()->Visible());
    frame->SkinMenu()->Hide();
    frame->DisableSystemMenu = true;
    SendMessage(form->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, caption);
    EXPECT_FALSE(frame->SkinMenu()->Visible());
}

TEST_F(FrameObjectsTest, FormCursorOverTheCaptionButSizingCursorsOnTheBorders)
{
    Form->Cursor = crHandPoint;
    SkinForm->UseFormCursorInNCArea = true;
    SetCursorPos(ScreenOf(60, 14));
    SendMessage(Form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Form->Handle()), MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_EQ(Headless().CursorShape(), TCursorShape::crHandPoint);
    SendMessage(Form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Form->Handle()), MAKELPARAM(HTLEFT, WM_MOUSEMOVE));
    EXPECT_EQ(Headless().CursorShape(), TCursorShape::crSizeWE);
    SkinForm->UseFormCursorInNCArea = false;
    SendMessage(Form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Form->Handle()), MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_EQ(Headless().CursorShape(), TCursorShape::crArrow);
}

// Quick buttons stand at the caption's left; the title is centred beside
// them; a click needs press and release over the same button.
TEST_F(FrameObjectsTest, QuickButtonsOnTheCaption)
{
    TCustomImageList images(nullptr);
    images.SetSize(12, 12);
    images.AddPixels(std::vector<uint32_t>(144, 0xFF00FF00));
    SkinForm->QuickImageList = &images;
    int clicks = 0;
    for (int i = 0; i < 2; ++i) {
        skin::TbsQuickButtonItem* item = SkinForm->QuickButtons()->Add();
        item->SetImageIndex(0);
        item->OnClick = [&](TObject*) { ++clicks; };
    }
    SkinForm->QuickButtons()->Items(1)->SetVisible(false);
    Form->Invalidate();
    Application()->ProcessMessages();
    frametest::SaveWindowPng(Form->Handle(), "frame_quick_buttons.png");
    // Caption at x 4: the first item at (4, 7 + ...), its image centred in it.
    const TRect first = SkinForm->QuickButtons()->Items(0)->ItemRect;
    EXPECT_EQ(first, Rect(4, 7, 20, 23));
    EXPECT_EQ(Pixel(12, 14), Rgb(0, 255, 0));
    // The caption takes the mouse only right of the strip.
    EXPECT_EQ(SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(Form->Left() + 12, Form->Top() + 14)), HTOBJECT);

    auto* caption = dynamic_cast<skin::TbsSkinCaptionObject*>(Object("caption"));
    ASSERT_NE(caption, nullptr);
    // Hot, the button shows the skin's quick button frame round its image,
    // pressed its pressed frame.
    EXPECT_EQ(Pixel(5, 14), TopColor);
    caption->MouseMove(12, 14);
    Application()->ProcessMessages();
    EXPECT_EQ(Pixel(5, 14), CloseHot);
    EXPECT_EQ(Pixel(12, 14), Rgb(0, 255, 0));
    caption->MouseDown(12, 14, mbLeft);
    Application()->ProcessMessages();
    EXPECT_TRUE(SkinForm->QuickButtons()->Items(0)->Down);
    EXPECT_EQ(Pixel(5, 14), CloseDown);
    caption->MouseUp(12, 14, mbLeft);
    EXPECT_EQ(clicks, 1);
    caption->MouseDown(12, 14, mbLeft);
    caption->MouseUp(60, 14, mbLeft);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(SkinForm->QuickButtons()->Items(0)->Down);

    // A skin with a divider: it stands 3 pixels into the caption, vertically
    // centred, and the strip 6 pixels after it; hidden by the form, the
    // first image takes its place.
    LoadIni(SkinIni(LeftText + "activepictureindex=0\r\ndividerrect=112,0,114,16\r\n"));
    struct TCase {
        bool Show;
        TRect Item;
        uint32_t AtDivider;
    };
    for (const TCase& c : {TCase{true, Rect(12, 7, 28, 23), RollUpColor}, TCase{false, Rect(4, 7, 20, 23), Rgb(0, 255, 0)}}) {
        SkinForm->QuickButtonsShowDivider = c.Show;
        SkinForm->UpDateFormNC();
        EXPECT_EQ(Pixel(7, 14), c.AtDivider) << c.Show;
        EXPECT_EQ(SkinForm->QuickButtons()->Items(0)->ItemRect, c.Item) << c.Show;
    }
    SkinForm->QuickImageList = nullptr;
}

// An inactive form shows its client area frozen: the form's background at
// about two thirds over the controls, or blurred; active again it is live.
TEST_F(FrameObjectsTest, ClientInActiveEffectFreezesTheClientArea)
{
    auto* red = new TPanel(Form.get());
    red->SetParent(Form.get());
    red->SetBounds(20, 20, 40, 30);
    red->SetColor(skintest::ColorOf(Rgb(240, 0, 0)));
    SkinForm->ClientInActiveEffect = true;
    Application()->ProcessMessages();
    // Client origin (4, 30) in the window.
    EXPECT_EQ(Pixel(4 + 40, 30 + 35), Rgb(240, 0, 0));
    SendMessage(Form->Handle(), WM_NCACTIVATE, 0, 0);
    ASSERT_NE(SkinForm->InActivePanel(), nullptr);
    const uint32_t dimmed = Pixel(4 + 40, 30 + 35);
    frametest::SaveWindowPng(Form->Handle(), "frame_client_inactive.png");
    const int r = int(dimmed >> 16), g = int((dimmed >> 8) & 0xFF);
    EXPECT_NEAR(r, (100 * 170 + 240 * 85) / 255, 3);
    EXPECT_NEAR(g, (100 * 170) / 255, 3);
    SendMessage(Form->Handle(), WM_NCACTIVATE, 1, 0);
    EXPECT_EQ(SkinForm->InActivePanel(), nullptr);
    EXPECT_EQ(Pixel(4 + 40, 30 + 35), Rgb(240, 0, 0));

    SkinForm->ClientInActiveEffectType = skin::bsieBlur;
    SendMessage(Form->Handle(), WM_NCACTIVATE, 0, 0);
    // The panel's edge blurs into the grey around it.
    const uint32_t edge = Pixel(4 + 20, 30 + 35);
    EXPECT_NE(edge, Rgb(240, 0, 0));
    EXPECT_NE(edge, Rgb(100, 100, 100));
    SendMessage(Form->Handle(), WM_NCACTIVATE, 1, 0);

    // A hidden form gets no panel.
    Form->Hide();
    SkinForm->ShowClientInActiveEffect();
    EXPECT_FALSE(SkinForm->InActivePanel()->Visible());
    SkinForm->HideClientInActiveEffect();
}

TEST_F(FrameObjectsTest, HintsNameWhatAClickWillDo)
{
    Move(168, 14);
    SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(Form->Left() + 168, Form->Top() + 14));
    EXPECT_EQ(Object("maxbutton")->Hint, "Maximize");
    SkinForm->SetWindowState(wsMaximized);
    SkinForm->TestActive(-1, -1, false);
    const TRect r = Object("maxbutton")->ObjectRect;
    SkinForm->TestActive((r.Left + r.Right) / 2, 14, true);
    EXPECT_EQ(Object("maxbutton")->Hint, "Restore");
}

// Without a skin the frame has the six built-in buttons: close, maximize
// and minimize from the right, the system-menu button at the left.
TEST(UnskinnedFrameObjects, BuiltInButtonsAndTheirLooks)
{
    std::unique_ptr<TForm> form(new TForm(nullptr));
    form->SetBorderStyle(bsSizeable);
    form->SetBounds(100, 100, 200, 120);
    form->SetCaption("格式转换");
    auto* frame = new TbsSkinForm(form.get());
    form->Show();
    Application()->ProcessMessages();
    ASSERT_EQ(frame->ObjectList.size(), 6u);
    auto rect = [&](const char* AName) { return frame->ObjectList[size_t(frame->GetIndex(AName))]->ObjectRect; };
    EXPECT_EQ(rect("closebutton"), Rect(180, 4, 197, 21));
    EXPECT_EQ(rect("maxbutton"), Rect(163, 4, 180, 21));
    EXPECT_EQ(rect("minbutton"), Rect(146, 4, 163, 21));
    EXPECT_EQ(rect("rollupbutton"), Rect(129, 4, 146, 21));
    EXPECT_EQ(rect("sysmenubutton"), Rect(3, 4, 20, 21));
    EXPECT_FALSE(frame->ObjectList[size_t(frame->GetIndex("traybutton"))]->Visible);

    auto pixel = [&](int X, int Y) {
        Application()->ProcessMessages();
        const TPixelSurface* s = GetWindowSurface(form->Handle());
        return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
    };
    EXPECT_EQ(pixel(181, 5), skintest::SysRgb(clBtnFace));
    InjectMouseMove(Point(100 + 188, 100 + 12));
    Application()->ProcessMessages();
    EXPECT_EQ(pixel(180, 4), Rgb(59, 107, 183));
    EXPECT_EQ(pixel(181, 5), Rgb(193, 212, 243));
    frametest::SaveWindowPng(form->Handle(), "frame_unskinned_close_hot.png");
    InjectMouseButton(TMouseButton::mbLeft, true, Point(100 + 188, 100 + 12));
    Application()->ProcessMessages();
    EXPECT_EQ(pixel(181, 5), Rgb(162, 188, 228));
    InjectMouseButton(TMouseButton::mbLeft, false, Point(100 + 188, 100 + 12));
    Application()->ProcessMessages();
    EXPECT_FALSE(form->Visible());
}

} // namespace
