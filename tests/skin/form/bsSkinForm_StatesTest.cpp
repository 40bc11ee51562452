// The skin form's run-time changes on a headless display: the form's style
// and border style changed at run time, the drop shadow that follows the
// form, and the main form bringing the other forms' layered borders back
// when the application comes back.

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "FrameTestSkin.h"

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using namespace frametest;
using skin::TbsSkinForm;

// A skinned control that counts its re-skins.
class TCountingControl : public skin::TbsSkinControl {
public:
    using TbsSkinControl::TbsSkinControl;
    void ChangeSkinData() override { ++Change; TbsSkinControl::ChangeSkinData(); }
    int Change = 0;
};

// Place of a top-level window in the stacking order, 0 for the top one.
int ZIndex(HWND AWnd)
{
    int i = 0;
    for (HWND h = GetWindow(AWnd, GW_HWNDFIRST); h; h = GetWindow(h, GW_HWNDNEXT), ++i)
        if (h == AWnd)
            return i;
    return -1;
}

struct StatesTest : ::testing::Test {
    testsupport::TTempDir Dir;
    std::unique_ptr<skin::TbsSkinData> Data = std::make_unique<skin::TbsSkinData>(nullptr);
    std::vector<std::unique_ptr<TForm>> Forms;

    void SetUp() override
    {
        static_cast<THeadlessBackend&>(Backend()).SetScreen(Rect(0, 0, 800, 600), Rect(0, 0, 800, 560));
        WriteSkinPictures(Dir);
        testsupport::WriteFile(Dir.File("skin.ini"), SkinIni(LeftText, LayerFrame));
        ASSERT_TRUE(Data->LoadFromFile(Dir.File("skin.ini")).Ok());
    }
    void TearDown() override
    {
        Forms.clear();
        Data.reset();
        static_cast<THeadlessBackend&>(Backend()).SetScreen(Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040));
    }
    // A shown, skinned form; the first one made is the application's main
    // form.
    TForm* NewForm(const TRect& ABounds, bool ASkinned = true)
    {
        TForm* f = nullptr;
        if (!Application()->MainForm())
            Application()->CreateForm(f);
        else
            f = new TForm(nullptr);
        Forms.emplace_back(f);
        f->SetBorderStyle(bsSizeable);
        f->SetBoundsRect(ABounds);
        if (ASkinned)
            (new TbsSkinForm(f))->SetSkinData(Data.get());
        f->Show();
        Pump();
        return f;
    }
    static TbsSkinForm* SkinOf(TForm* F) { return skin::FindSkinFormComponent(F); }
    static void Pump() { Application()->ProcessMessages(); }
    static bool TopMost(HWND H) { return GetWindowLong(H, GWL_EXSTYLE) & WS_EX_TOPMOST; }
    // The shown windows of a form's layered border.
    static std::vector<HWND> BorderWindows(TForm* F)
    {
        std::vector<HWND> windows;
        for (auto& w : SkinOf(F)->BorderLayer()->Windows)
            if (w && w->Visible())
                windows.push_back(w->Handle());
        return windows;
    }
};

TEST_F(StatesTest, TheFormStyleChangesToTopLevelStylesOnlyAndReskinsTheControls)
{
    TForm* form = NewForm(Rect(100, 100, 300, 220));
    TbsSkinForm* skinForm = SkinOf(form);
    auto* control = new TCountingControl(form);
    control->SetParent(form);
    skin::TbsSkinData other(nullptr);
    control->SetSkinData(&other);   // re-skinned whatever its model
    ASSERT_FALSE(BorderWindows(form).empty());
    struct {
        TFormStyle Asked, Expected;
        int Changes;
    } const cases[] = {
        {fsStayOnTop, fsStayOnTop, 1},
        {fsMDIChild, fsStayOnTop, 0},   // documents and frames are not made here
        {fsMDIForm, fsStayOnTop, 0},
        {fsNormal, fsNormal, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Asked));
        control->Change = 0;
        skinForm->SetFormStyle(c.Asked);
        Pump();
        EXPECT_EQ(form->FormStyle(), c.Expected);
        EXPECT_EQ(control->Change, c.Changes);
        EXPECT_EQ(TopMost(form->Handle()), c.Expected == fsStayOnTop);
        // The border's windows stand in the form's band.
        const std::vector<HWND> border = BorderWindows(form);
        ASSERT_EQ(border.size(), 4u);
        for (HWND h : border)
            EXPECT_EQ(TopMost(h), c.Expected == fsStayOnTop);
    }
    control->SetSkinData(nullptr);
}

TEST_F(StatesTest, WithoutABorderStyleTheFormLosesItsFrameRegionAndLayeredBorder)
{
    TForm* form = NewForm(Rect(100, 100, 300, 220));
    TbsSkinForm* skinForm = SkinOf(form);
    auto* control = new TCountingControl(form);
    control->SetParent(form);
    control->SetSkinData(Data.get());
    // The skin's client rectangle (4, 30, 116, 55) of its 120 x 60 picture.
    ASSERT_EQ(form->ClientRect(), Rect(0, 0, 200 - 8, 120 - 35));
    ASSERT_NE(skinForm->FrameRgn(), nullptr);
    ASSERT_TRUE(skinForm->BorderLayer()->FVisible);
    control->Change = 0;
    skinForm->SetFormBorderStyle(bsNone);
    Pump();
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(form->ClientRect(), Rect(0, 0, 200, 120));
    EXPECT_EQ(skinForm->FrameRgn(), nullptr);
    EXPECT_FALSE(skinForm->BorderLayer()->FVisible);
    EXPECT_EQ(control->Change, 1);
    EXPECT_EQ(form->BoundsRect(), Rect(100, 100, 300, 220));

    skinForm->SetFormBorderStyle(bsSizeable);
    Pump();
    EXPECT_EQ(form->ClientRect(), Rect(0, 0, 200 - 8, 120 - 35));
    EXPECT_NE(skinForm->FrameRgn(), nullptr);
    EXPECT_TRUE(skinForm->BorderLayer()->FVisible);
    EXPECT_EQ(control->Change, 2);
    control->SetSkinData(nullptr);
}

TEST_F(StatesTest, TheShadowLiesBelowAndRightOfTheFormAndFollowsIt)
{
    TForm* form = NewForm(Rect(100, 100, 300, 220));
    TbsSkinForm* skinForm = SkinOf(form);
    EXPECT_EQ(skinForm->Shadow(), nullptr);
    int hides = 0, shows = 0;
    form->OnHide = [&](TObject*) { ++hides; };
    form->OnShow = [&](TObject*) { ++shows; };
    skinForm->EnableShadow(true, true);
    EXPECT_EQ(hides, 1);   // hidden while it changed, and back
    EXPECT_EQ(shows, 1);
    skinForm->EnableShadow(true, true);
    EXPECT_EQ(hides, 1);   // no change: nothing happens
    ASSERT_NE(skinForm->Shadow(), nullptr);
    const int s = skin::TbsFormShadow::Size;
    auto shadow = [&] { return skinForm->Shadow()->Window(); };
    auto check = [&](const TRect& AForm) {
        ASSERT_TRUE(skinForm->Shadow()->Visible());
        EXPECT_EQ(shadow()->BoundsRect(), OffsetRect(AForm, s, s));
        // Just below the form, whatever came above it before.
        EXPECT_EQ(GetWindow(form->Handle(), GW_HWNDNEXT), shadow()->Handle());
    };
    check(Rect(100, 100, 300, 220));

    // The picture: nothing under the form, the darkest band at its edges
    // fading outwards, soft at the band's ends.
    Pump();
    const TPixelSurface* p = GetWindowSurface(shadow()->Handle());
    ASSERT_NE(p, nullptr);
    auto alpha = [&](int X, int Y) { return reinterpret_cast<const uint32_t*>(p->Row(Y))[X] >> 24; };
    const int w = 200, h = 120, e = skin::TbsFormShadow::EdgeAlpha;
    struct {
        int X, Y;
        uint32_t Alpha;
    } const pixels[] = {
        {0, 0, 0}, {w - s - 1, h / 2, 0}, {w / 2, h - s - 1, 0},        // under the form
        {w - s, h / 2, uint32_t(e)}, {w - 1, h / 2, uint32_t(e / s)},   // the right band, out to its edge
        {w / 2, h - s, uint32_t(e)}, {w / 2, h - 1, uint32_t(e / s)},   // the bottom band
        {w - s, 0, uint32_t(e / s)}, {0, h - s, uint32_t(e / s)},       // the soft ends
        {w - 1, h - 1, uint32_t(e / s)},
    };
    for (const auto& px : pixels)
        EXPECT_EQ(alpha(px.X, px.Y), px.Alpha) << px.X << "," << px.Y;
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(p->Row(h / 2))[w - s] & 0xFFFFFF, 0u);   // black

    form->SetBounds(150, 130, 260, 150);
    Pump();
    check(Rect(150, 130, 410, 280));
    // A move keeps the picture it was given for that size.
    form->SetBounds(160, 140, 260, 150);
    Pump();
    check(Rect(160, 140, 420, 290));
    p = GetWindowSurface(shadow()->Handle());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(alpha(260 - s, 150 / 2), uint32_t(e));
    EXPECT_EQ(alpha(260 - s - 1, 150 / 2), 0u);
    form->SetBounds(150, 130, 260, 150);
    Pump();
    TForm* cover = NewForm(Rect(120, 120, 320, 240), false);
    ASSERT_LT(ZIndex(cover->Handle()), ZIndex(form->Handle()));
    form->Show();   // to the front again, its shadow with it
    Pump();
    check(Rect(150, 130, 410, 280));
    skinForm->SetFormStyle(fsStayOnTop);
    Pump();
    check(Rect(150, 130, 410, 280));
    EXPECT_TRUE(TopMost(shadow()->Handle()));
    skinForm->SetFormStyle(fsNormal);
    form->Hide();
    EXPECT_FALSE(skinForm->Shadow()->Visible());
    form->Show();
    Pump();
    check(Rect(150, 130, 410, 280));
    skinForm->EnableShadow(false, false);
    EXPECT_FALSE(skinForm->Shadow()->Visible());
    form->SetBounds(100, 100, 200, 120);
    EXPECT_FALSE(skinForm->Shadow()->Visible());
}

// A notification-area icon that shows the main form as the real one does.
struct TFakeTray : skin::TbsFormTrayIcon, TComponent {
    TFakeTray() : TComponent(nullptr) {}
    void SetMinimizeToTray(bool) override {}
    void SetIconVisible(bool) override {}
    void ShowMainForm() override { Application()->MainForm()->Show(); }
    void AdoptFormDefaults(skin::TbsSkinPopupMenu*, TNotifyEvent) override {}
    void ReleaseFormDefaults(skin::TbsSkinPopupMenu*) override {}
    TComponent* TrayComponent() override { return this; }
};

TEST_F(StatesTest, TheRestoredApplicationBringsTheOtherFormsAndTheirBordersAboveWhatCoveredThem)
{
    TForm* main = NewForm(Rect(100, 100, 300, 220));
    TForm* other = NewForm(Rect(350, 100, 550, 220));
    TForm* onTop = NewForm(Rect(350, 300, 550, 400));
    SkinOf(onTop)->SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(SkinOf(main)->HasOtherVisibleForms());
    EXPECT_TRUE(SkinOf(other)->HasOtherVisibleForms());   // the main form never counts
    // The main form installed the application's restore handler on its show.
    ASSERT_TRUE(Application()->OnRestore);

    // A plain form comes above the other one, and the border windows of
    // both skinned forms go to the bottom.
    auto* cover = NewForm(Rect(380, 80, 600, 260), false);
    auto sinkBorders = [&] {
        for (TForm* f : {main, other})
            for (HWND h : BorderWindows(f))
                SetWindowPos(h, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    sinkBorders();
    // Afterwards the forms keep their order (the cover above the other
    // form) and each form's border windows lie right above it.
    auto expectOrder = [&] {
        for (TForm* f : {main, other}) {
            const std::vector<HWND> border = BorderWindows(f);
            ASSERT_EQ(border.size(), 4u);
            for (HWND h : border) {
                EXPECT_LT(ZIndex(h), ZIndex(f->Handle()));
                EXPECT_GE(ZIndex(h), ZIndex(f->Handle()) - 4);
            }
        }
        EXPECT_LT(ZIndex(cover->Handle()), ZIndex(other->Handle()));
    };
    // Minimized and restored, the borders come back with their forms.
    const TNotifyEvent saved = Application()->OnRestore;
    Application()->Minimize();
    Pump();
    EXPECT_TRUE(BorderWindows(other).empty());
    Application()->Restore();
    Pump();
    expectOrder();
    // Borders left behind come back above their forms when the application
    // is restored.
    sinkBorders();
    Application()->Restore();
    Pump();
    expectOrder();

    // From the tray the same happens, also without the handler.
    sinkBorders();
    Application()->OnRestore = nullptr;
    TFakeTray tray;
    SkinOf(main)->SetTrayIcon(&tray);
    main->Hide();
    SkinOf(main)->RestoreFromTray();
    Pump();
    EXPECT_TRUE(main->Visible());
    expectOrder();
    SkinOf(main)->SetTrayIcon(nullptr);
    Application()->OnRestore = saved;

    // Only the main form does it, only with layered borders on.
    sinkBorders();
    SkinOf(other)->CheckAppLayeredBorders();
    EXPECT_GT(ZIndex(BorderWindows(other)[0]), ZIndex(other->Handle()));
    Data->SetShowLayeredBorders(false);
    ASSERT_TRUE(BorderWindows(other).empty());
    cover->Show();
    SkinOf(main)->CheckAppLayeredBorders();
    EXPECT_LT(ZIndex(cover->Handle()), ZIndex(other->Handle()));

    // Hidden and stay-on-top forms do not count.
    cover->Hide();
    other->Hide();
    EXPECT_FALSE(SkinOf(main)->HasOtherVisibleForms());
}

TEST_F(StatesTest, TheMainFormsRestoreHandlerIsTakenBackWithItsComponentAndNeverReplacesAnother)
{
    TForm* main = NewForm(Rect(100, 100, 300, 220));
    ASSERT_TRUE(Application()->OnRestore);
    delete SkinOf(main);
    EXPECT_FALSE(Application()->OnRestore);
    Application()->Restore();   // nothing left to call

    int own = 0;
    Application()->OnRestore = [&](TObject*) { ++own; };
    auto* skinForm = new TbsSkinForm(main);
    skinForm->SetSkinData(Data.get());
    main->Hide();
    main->Show();
    Application()->Restore();
    EXPECT_EQ(own, 1);
    delete skinForm;
    ASSERT_TRUE(Application()->OnRestore);
    Application()->Restore();
    EXPECT_EQ(own, 2);
    Application()->OnRestore = nullptr;
}

} // namespace
