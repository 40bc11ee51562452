// The tray icon against the in-memory notification area: the icon in and
// out of the area, the area's mouse notifications turned into events (single
// and double clicks told apart on the window clock), the popup menu, the
// animation, balloon hints in the program's hint window, and a skinned main
// form minimised into the area and restored from it.

#include "skin/form/bsTrayIcon.h"

#include "MenuTestSupport.h"

#include "platform/core/CodePage.h"
#include "platform/ui/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;
using skin::TbsTrayIcon;
using menutest::SaveWindowPng;
using skintest::Rgb;

namespace {

constexpr UINT kDown = WM_LBUTTONDOWN, kUp = WM_LBUTTONUP;

struct TTrayFixture : ::testing::Test {
    skintest::TFakeClock Clock;
    TForm* Form = nullptr;
    skin::TbsSkinForm* SkinForm = nullptr;
    TbsTrayIcon* Tray = nullptr;
    THeadlessBackend* Area = dynamic_cast<THeadlessBackend*>(&Backend());
    std::vector<std::string> Log;
    std::vector<std::string> Chosen;

    void SetUp() override
    {
        ASSERT_NE(Area, nullptr);
        Application()->CreateForm(Form);
        ASSERT_EQ(Application()->MainForm(), Form);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(100, 100, 400, 300);
        SkinForm = new skin::TbsSkinForm(Form);
        Tray = new TbsTrayIcon(Form);
        const char* names[] = {"L", "R", "M"};
        Tray->OnClick = [this](TObject*) { Log.push_back("click"); };
        Tray->OnDblClick = [this](TObject*) { Log.push_back("dblclick"); };
        Tray->OnMouseDown = [this, names](TObject*, TMouseButtonKind B, TShiftState, int, int) {
            Log.push_back(std::string("down ") + names[B]);
        };
        Tray->OnMouseUp = [this, names](TObject*, TMouseButtonKind B, TShiftState, int, int) {
            Log.push_back(std::string("up ") + names[B]);
        };
        Tray->OnMouseMove = [this](TObject*, TShiftState, int, int) { Log.push_back("move"); };
        Tray->OnBalloonHintClick = [this](TObject*) { Log.push_back("balloon"); };
        Form->Show();
        Pump();
    }
    void TearDown() override
    {
        delete Form;
        Area->SetNotifyAreaPresent(true);
        Pump();
    }

    static void Pump() { Application()->ProcessMessages(); }
    void Advance(uint64_t AMs)
    {
        for (uint64_t done = 0; done < AMs; done += 10) {
            Clock.Now += 10;
            Pump();
        }
    }
    const TNotifyIconData* Icon() const { return Area->NotifyIcon(Tray->Handle(), 1); }
    void Mouse(UINT AMsg)
    {
        Area->NotifyIconMouse(Tray->Handle(), 1, AMsg);
        Pump();
    }
    uint32_t DoubleClickTime() const { return Tray->ClickTimer()->Interval(); }
    skin::TbsSkinPopupMenu* NewMenu()
    {
        auto* menu = new skin::TbsSkinPopupMenu(Form);
        for (const char* c : {"打开", "退出"}) {
            auto* item = new TMenuItem(Form);
            item->Caption = c;
            item->OnClick = [this, c](TObject*) { Chosen.push_back(c); };
            menu->Items()->Add(item);
        }
        menu->Items()->Items(0)->Default = true;
        return menu;
    }
    // An image list of AColors, one opaque 16 x 16 image each.
    std::unique_ptr<TImageList> NewIconList(const std::vector<uint32_t>& AColors)
    {
        auto list = std::make_unique<TImageList>(nullptr);
        list->SetSize(16, 16);
        for (uint32_t c : AColors)
            list->AddPixels(std::vector<uint32_t>(256, 0xFF000000u | c));
        return list;
    }
};

uint32_t IconColor(const TNotifyIconData& AIcon) { return AIcon.Icon.empty() ? 0 : AIcon.Icon[0] & 0xFFFFFF; }

} // namespace

TEST_F(TTrayFixture, TheIconEntersAndLeavesTheArea)
{
    EXPECT_EQ(Icon(), nullptr) << "nothing is shown before the component is loaded or asked";
    Tray->SetHint("转换器");
    Tray->SetIconVisible(true);
    ASSERT_NE(Icon(), nullptr);
    EXPECT_EQ(Icon()->uCallbackMessage, 0x800u);
    EXPECT_EQ(Icon()->uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    EXPECT_EQ(Icon()->szTip, "转换器");
    EXPECT_EQ(Tray->WindowHandle(), Application()->Handle());

    Tray->SetHint(std::string(200, 'h'));
    EXPECT_EQ(Icon()->szTip, std::string(127, 'h'));
    Tray->SetShowHint(false);
    EXPECT_EQ(Icon()->szTip, "");

    Tray->SetIconVisible(false);
    EXPECT_EQ(Icon(), nullptr);
    EXPECT_FALSE(Tray->IconVisible());
    Tray->SetIconVisible(true);
    const HWND handle = Tray->Handle();
    delete Tray;
    EXPECT_EQ(Area->NotifyIcon(handle, 1), nullptr) << "the icon leaves with the component";
}

TEST_F(TTrayFixture, WithoutAnAreaAddingFailsAndANewAreaGetsTheVisibleIconBack)
{
    for (bool visible : {true, false}) {
        SCOPED_TRACE(visible);
        Area->SetNotifyAreaPresent(false);
        EXPECT_FALSE(Tray->AddTrayIcon());
        EXPECT_EQ(Icon(), nullptr);
        Tray->SetIconVisible(visible);
        Area->SetNotifyAreaPresent(true);
        Pump();
        EXPECT_EQ(Icon() != nullptr, visible);
    }
}

TEST_F(TTrayFixture, TheAreasMouseNotificationsBecomeEvents)
{
    const uint64_t late = DoubleClickTime() + 50;
    struct TStep {
        UINT Msg;
        uint64_t After;
    };
    struct TCase {
        const char* Name;
        bool Enabled;
        std::vector<TStep> Steps;
        std::vector<std::string> Expected;
    };
    const TCase cases[] = {
        {"single click: the click after the delay", true, {{kDown, 0}, {kUp, late}}, {"down L", "up L", "click"}},
        {"release after the delay clicks at once", true, {{kDown, late}, {kUp, late}}, {"down L", "click", "up L"}},
        {"double click: no single click", true, {{kDown, 0}, {kUp, 0}, {kDown, 0}, {kUp, late}},
         {"down L", "up L", "dblclick", "up L"}},
        {"right button", true, {{WM_RBUTTONDOWN, 0}, {WM_RBUTTONUP, 0}}, {"down R", "up R"}},
        {"right double click is only presses", true,
         {{WM_RBUTTONDOWN, 0}, {WM_RBUTTONUP, 0}, {WM_RBUTTONDOWN, 0}, {WM_RBUTTONUP, late}}, {"down R", "up R", "up R"}},
        {"middle button", true, {{WM_MBUTTONDOWN, 0}, {WM_MBUTTONUP, 0}}, {"down M", "up M"}},
        {"move", true, {{WM_MOUSEMOVE, 0}}, {"move"}},
        {"disabled: nothing", false, {{kDown, 0}, {kUp, 0}, {kDown, 0}, {kUp, late}, {WM_RBUTTONDOWN, late}}, {}},
    };
    Tray->SetIconVisible(true);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Advance(late);   // no press of the case before counts
        Log.clear();
        Tray->Enabled = c.Enabled;
        for (const TStep& s : c.Steps) {
            Mouse(s.Msg);
            Advance(s.After);
        }
        EXPECT_EQ(Log, c.Expected);
    }
}

TEST_F(TTrayFixture, ASingleClickWaitsOneDoubleClickTimeAndReportsScreenCoordinates)
{
    Tray->SetIconVisible(true);
    SetCursorPos(Point(1890, 1052));
    TPoint at;
    TShiftState shift = 0;
    Tray->OnMouseDown = [&](TObject*, TMouseButtonKind, TShiftState S, int X, int Y) {
        at = Point(X, Y);
        shift = S;
    };
    Mouse(kDown);
    Mouse(kUp);
    Log.clear();
    Advance(DoubleClickTime() - 20);
    EXPECT_TRUE(Log.empty());
    Advance(40);
    EXPECT_EQ(Log, std::vector<std::string>{"click"});
    EXPECT_EQ(at.X, 1890);
    EXPECT_EQ(at.Y, 1052);
    EXPECT_TRUE(shift & ssLeft);
}

TEST_F(TTrayFixture, ARightPressOpensTheSkinnedMenuAtTheCursor)
{
    skin::TbsSkinPopupMenu* menu = NewMenu();
    Tray->SetPopupMenu(menu);
    Tray->SetIconVisible(true);
    SetCursorPos(Point(1880, 1050));
    Mouse(WM_RBUTTONDOWN);
    ASSERT_TRUE(SkinForm->SkinMenu()->Visible());
    EXPECT_EQ(menu->PopupComponent, Tray);
    EXPECT_EQ(menu->PopupPoint().X, 1880);
    EXPECT_EQ(menu->PopupPoint().Y, 1050);
    skin::TbsSkinPopupWindow* w = SkinForm->SkinMenu()->PopupWindow(0);
    EXPECT_EQ(w->Item(0)->MenuItem->Caption, "打开");
    SaveWindowPng(w->Handle(), "tray_menu_headless.png");
    SkinForm->SkinMenu()->Hide();

    // The menu going away leaves the icon without one.
    delete menu;
    EXPECT_EQ(Tray->PopupMenu(), nullptr);
    Mouse(WM_RBUTTONDOWN);
    EXPECT_FALSE(SkinForm->SkinMenu()->Visible());
}

TEST_F(TTrayFixture, ADoubleClickRunsTheMenusDefaultItemUnlessTheLeftButtonOpensTheMenu)
{
    struct TCase {
        bool AutoPopup, ByLeft;
        std::vector<std::string> Chosen;
    };
    const TCase cases[] = {{true, false, {"打开"}}, {false, false, {}}, {true, true, {}}};
    skin::TbsSkinPopupMenu* menu = NewMenu();
    Tray->SetPopupMenu(menu);
    Tray->SetIconVisible(true);
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.AutoPopup << c.ByLeft);
        Chosen.clear();
        menu->AutoPopup = c.AutoPopup;
        Tray->PopupByLeftButton = c.ByLeft;
        for (UINT m : {kDown, kUp, kDown, kUp})
            Mouse(m);
        Advance(DoubleClickTime() + 50);
        EXPECT_EQ(Chosen, c.Chosen);
        EXPECT_EQ(SkinForm->SkinMenu()->Visible(), c.ByLeft) << "the left press opens the menu";
        SkinForm->SkinMenu()->Hide();
    }
}

TEST_F(TTrayFixture, TheIconIndexStaysInTheListAndTheAnimationCycles)
{
    const std::vector<uint32_t> colors = {Rgb(200, 0, 0), Rgb(0, 200, 0), Rgb(0, 0, 200), Rgb(200, 200, 0), Rgb(0, 200, 200)};
    auto five = NewIconList(colors);
    Tray->SetIconVisible(true);
    Tray->SetIconList(five.get());
    Tray->SetIconIndex(7);
    EXPECT_EQ(Tray->IconIndex(), 4);
    EXPECT_EQ(IconColor(*Icon()), colors[4]);

    auto three = NewIconList({colors[0], colors[1], colors[2]});
    Tray->SetIconList(three.get());
    std::vector<uint32_t> shown;
    std::vector<int> next;
    Tray->OnCycle = [&](TObject*, int ANext) {
        shown.push_back(reinterpret_cast<uint32_t*>(Tray->Icon()->ScanLine(0))[0] & 0xFFFFFF);
        next.push_back(ANext);
    };
    Tray->SetAnimateTimerInterval(100);
    Tray->SetCycleIcons(true);
    std::vector<uint32_t> area;
    for (int i = 0; i < 4; ++i) {
        Advance(100);
        area.push_back(IconColor(*Icon()));
    }
    EXPECT_EQ(shown, (std::vector<uint32_t>{colors[0], colors[1], colors[2], colors[0]}));
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
    // After each tick the area holds the image the next tick starts from.
    EXPECT_EQ(area, (std::vector<uint32_t>{colors[1], colors[2], colors[0], colors[1]}));

    Tray->Enabled = false;
    Advance(100);
    EXPECT_EQ(next.size(), 5u) << "a disabled icon still animates";
    Tray->SetCycleIcons(false);
    Advance(300);
    EXPECT_EQ(next.size(), 5u);
    Tray->SetIconList(nullptr);
}

TEST_F(TTrayFixture, BalloonTextsAreCutToTheirFields)
{
    struct TCase {
        std::string Title, Text;
        size_t TitleUnits, TextUnits;
    };
    const TCase cases[] = {
        {std::string(100, 't'), std::string(300, 'x'), 63, 255},
        {"完成", "转换已完成", 2, 5},
        {[] { std::string s; for (int i = 0; i < 70; ++i) s += "转"; return s; }(), "", 63, 0},
    };
    Tray->SetIconVisible(true);
    for (const TCase& c : cases) {
        ASSERT_TRUE(Tray->ShowBalloonHint(c.Title, c.Text, skin::bsbitInfo));
        EXPECT_EQ(Utf8ToUtf16(Icon()->szInfoTitle).size(), c.TitleUnits);
        EXPECT_EQ(Utf8ToUtf16(Icon()->szInfo).size(), c.TextUnits);
        EXPECT_EQ(Icon()->dwInfoFlags, NIIF_INFO);
        EXPECT_EQ(Tray->NotifyData().uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    }
}

TEST_F(TTrayFixture, TheBalloonShowsNextToTheIconAndReportsItsClick)
{
    Tray->SetIconVisible(true);
    ASSERT_TRUE(Tray->ShowBalloonHint("转换完成", "3 个文件已转换。", skin::bsbitWarning));
    Pump();
    ASSERT_TRUE(Tray->BalloonVisible());
    TRect icon, balloon;
    ASSERT_TRUE(GetNotifyIconRect(Tray->Handle(), 1, icon));
    GetWindowRect(Tray->BalloonWindow()->Handle(), balloon);
    EXPECT_EQ(balloon.Right, icon.Right);
    EXPECT_EQ(balloon.Bottom, icon.Top - 2);
    SaveWindowPng(Tray->BalloonWindow()->Handle(), "tray_balloon_headless.png");

    // A hint change afterwards does not bring the balloon back.
    Tray->SetHint("新提示");
    EXPECT_EQ(Icon()->uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);

    const TPoint p = Point((balloon.Left + balloon.Right) / 2, (balloon.Top + balloon.Bottom) / 2);
    InjectMouseMove(p);
    InjectMouseButton(TMouseButton::mbLeft, true, p);
    InjectMouseButton(TMouseButton::mbLeft, false, p);
    Pump();
    Pump();
    EXPECT_EQ(Log, std::vector<std::string>{"balloon"});
    EXPECT_FALSE(Tray->BalloonVisible());

    // Unclicked, it goes by itself; hiding it empties its text.
    ASSERT_TRUE(Tray->ShowBalloonHint("", "转换中", skin::bsbitNone));
    Advance(10100);
    EXPECT_FALSE(Tray->BalloonVisible());
    ASSERT_TRUE(Tray->ShowBalloonHint("", "转换中", skin::bsbitNone));
    EXPECT_TRUE(Tray->HideBalloonHint());
    EXPECT_FALSE(Tray->BalloonVisible());
    EXPECT_EQ(Icon()->szInfo, "");
}

TEST_F(TTrayFixture, TheHintShowsWhileThePointerRestsOnTheIcon)
{
    Tray->SetHint("ZarveloMP3格式转换器");
    Tray->SetIconVisible(true);
    Tray->Enabled = false;   // the tooltip is the area's, not an event
    TRect icon;
    ASSERT_TRUE(GetNotifyIconRect(Tray->Handle(), 1, icon));
    const TPoint on = Point(icon.Left + 4, icon.Top + 4);
    const uint64_t pause = uint64_t(Application()->HintPause);

    SetCursorPos(on);
    Mouse(WM_MOUSEMOVE);
    Advance(pause - 20);
    EXPECT_FALSE(Tray->TipVisible());
    Advance(40);
    ASSERT_TRUE(Tray->TipVisible());
    TRect tip;
    GetWindowRect(Tray->TipWindow()->Handle(), tip);
    EXPECT_EQ(tip.Bottom, icon.Top - 2);
    EXPECT_EQ(Tray->TipWindow()->Text(), "ZarveloMP3格式转换器");

    // Leaving the icon takes it away; so does a press, before it shows.
    SetCursorPos(Point(icon.Left - 40, icon.Top));
    Advance(120);
    EXPECT_FALSE(Tray->TipVisible());
    SetCursorPos(on);
    Mouse(WM_MOUSEMOVE);
    Mouse(WM_LBUTTONDOWN);
    Advance(pause + 50);
    EXPECT_FALSE(Tray->TipVisible());

    // No hint, no tooltip; a balloon replaces it.
    Tray->SetShowHint(false);
    Mouse(WM_MOUSEMOVE);
    Advance(pause + 50);
    EXPECT_FALSE(Tray->TipVisible());
    Tray->SetShowHint(true);
    Mouse(WM_MOUSEMOVE);
    Advance(pause + 50);
    ASSERT_TRUE(Tray->TipVisible());
    ASSERT_TRUE(Tray->ShowBalloonHint("完成", "转换已完成", skin::bsbitNone));
    EXPECT_EQ(Tray->TipWindow(), nullptr);
    EXPECT_TRUE(Tray->BalloonVisible());
}

TEST_F(TTrayFixture, TheSkinFormMinimisesIntoTheAreaAndTheIconRestoresIt)
{
    enum TWay { byDoubleClick, byMenu };
    for (TWay way : {byDoubleClick, byMenu}) {
        SCOPED_TRACE(way);
        Tray->OnDblClick = nullptr;
        Tray->SetPopupMenu(nullptr);
        Tray->SetIconVisible(true);
        SkinForm->SetTrayIcon(Tray);
        EXPECT_EQ(Icon(), nullptr) << "hidden until the form goes to the tray";
        EXPECT_FALSE(Tray->MinimizeToTray());
        ASSERT_EQ(Tray->PopupMenu(), SkinForm->SysTrayMenu());
        TMenuItem* items = SkinForm->SysTrayMenu()->Items();
        ASSERT_EQ(items->Count(), 3);
        EXPECT_EQ(items->Items(0)->Name(), "TRAY_BSF_RESTORE");
        EXPECT_EQ(items->Items(2)->Name(), "TRAY_BSF_CLOSE");
        std::vector<std::string> events;
        SkinForm->OnMinimizeToTray = [&](TObject*) { events.push_back("to tray"); };
        SkinForm->OnRestoreFromTray = [&](TObject*) { events.push_back("from tray"); };

        SkinForm->MinimizeToTray();
        Pump();
        EXPECT_FALSE(Form->Visible());
        EXPECT_FALSE(IsWindowVisible(Form->Handle()));
        ASSERT_NE(Icon(), nullptr);

        if (way == byDoubleClick)
            for (UINT m : {kDown, kUp, kDown, kUp})
                Mouse(m);
        else
            items->Items(0)->Click();
        EXPECT_TRUE(Form->Visible());
        EXPECT_FALSE(IsIconic(Form->Handle()));
        EXPECT_EQ(Icon(), nullptr);
        Pump();
        EXPECT_EQ(Form->Tag, 0) << "the deferred show completes";
        EXPECT_EQ(events, (std::vector<std::string>{"to tray", "from tray"}));
        SkinForm->SetTrayIcon(nullptr);
        EXPECT_EQ(Tray->PopupMenu(), nullptr);
    }
    // The main form is marked while it comes back; the form's component
    // clears the mark when the deferred show arrives.
    Tray->HideMainForm();
    EXPECT_FALSE(Form->Visible());
    Tray->ShowMainForm();
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(Form->Tag, -10000);
    Pump();
    EXPECT_EQ(Form->Tag, 0);
}

TEST_F(TTrayFixture, AlwaysShowInTrayKeepsTheIconAfterTheRestore)
{
    SkinForm->AlwaysShowInTray = true;
    Tray->SetIconVisible(true);
    SkinForm->SetTrayIcon(Tray);
    ASSERT_NE(Icon(), nullptr);
    SkinForm->MinimizeToTray();
    SkinForm->RestoreFromTray();
    Pump();
    EXPECT_TRUE(Form->Visible());
    EXPECT_NE(Icon(), nullptr);
}

TEST_F(TTrayFixture, WithoutAnAreaMinimisingToTheTrayLeavesTheFormOnTheScreen)
{
    SkinForm->SetTrayIcon(Tray);
    Area->SetNotifyAreaPresent(false);
    SkinForm->MinimizeToTray();
    Pump();
    EXPECT_TRUE(Form->Visible());
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_FALSE(IsIconic(Form->Handle()));
    EXPECT_EQ(Form->Tag, 0);
}

TEST_F(TTrayFixture, AFormInTheTrayComesBackWhenTheAreaLosesItsIcon)
{
    SkinForm->SetTrayIcon(Tray);
    SkinForm->MinimizeToTray();
    Pump();
    ASSERT_FALSE(Form->Visible());
    Advance(5000);
    EXPECT_FALSE(Form->Visible()) << "the icon is there: the form stays in the tray";
    Area->SetNotifyAreaPresent(false);
    Advance(2000);
    EXPECT_FALSE(Form->Visible()) << "a moment's absence is forgiven";
    Advance(1500);
    EXPECT_TRUE(Form->Visible());
    EXPECT_FALSE(IsIconic(Form->Handle()));
}

TEST_F(TTrayFixture, MinimizedOnStartHidesTheMainFormAndShowsTheIcon)
{
    auto* tray = new TbsTrayIcon(Form);
    tray->SetLoading(true);
    tray->MinimizedOnStart = true;
    tray->SetIconVisible(false);
    tray->SetLoading(false);
    EXPECT_FALSE(Application()->ShowMainForm);
    EXPECT_TRUE(tray->MinimizeToTray());
    EXPECT_NE(Area->NotifyIcon(tray->Handle(), 1), nullptr);
    Application()->ShowMainForm = true;
}

TEST_F(TTrayFixture, BitmapToIconMakesASixteenPixelIconWithTheMaskColourClear)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(16, 16);
    b.Canvas()->Brush()->SetColor(clFuchsia);
    b.Canvas()->FillRect(Rect(0, 0, 16, 16));
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(4, 4, 12, 12));
    TBitmap icon;
    ASSERT_TRUE(TbsTrayIcon::BitmapToIcon(&b, &icon, clFuchsia));
    ASSERT_EQ(icon.Width(), 16);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(icon.ScanLine(0))[0] >> 24, 0u);
    EXPECT_EQ(reinterpret_cast<uint32_t*>(icon.ScanLine(8))[8], 0xFFFF0000u);
    EXPECT_FALSE(TbsTrayIcon::BitmapToIcon(nullptr, &icon, clFuchsia));
}

// The main window carries its icon disabled and hidden; a modal dialog with
// a focused control of its own closes and the main form takes the activation
// and its own control's focus back, however often the dialog comes.
TEST_F(TTrayFixture, AModalDialogClosesOverAFormWithTheIcon)
{
    Tray->Enabled = false;
    Tray->SetIconVisible(false);
    SkinForm->SetTrayIcon(Tray);
    auto* mainEdit = new TEdit(Form);
    mainEdit->SetParent(Form);
    mainEdit->SetBounds(10, 10, 120, 22);
    Pump();
    mainEdit->SetFocus();
    ASSERT_EQ(GetFocus(), mainEdit->Handle());

    TForm* dialog = nullptr;
    Application()->CreateForm(dialog);
    std::unique_ptr<TForm> owned(dialog);
    dialog->SetBorderStyle(bsNone);
    dialog->SetBounds(150, 150, 200, 120);
    new skin::TbsSkinForm(dialog);
    auto* dialogEdit = new TEdit(dialog);
    dialogEdit->SetParent(dialog);
    dialogEdit->SetBounds(10, 10, 120, 22);
    dialog->SetActiveControl(dialogEdit);
    HWND focusedInside = nullptr;
    dialog->OnShow = [&](TObject*) { PostMessage(dialog->Handle(), WM_USER); };
    TWndMethod old = dialog->WindowProc;
    dialog->WindowProc = [&, old](TMessage& M) {
        if (M.Msg == WM_USER) {
            focusedInside = GetFocus();
            dialog->SetModalResult(mrOk);
        }
        old(M);
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        focusedInside = nullptr;
        EXPECT_EQ(dialog->ShowModal(), mrOk);
        Pump();
        EXPECT_EQ(focusedInside, dialogEdit->Handle());
        EXPECT_FALSE(dialog->Visible());
        EXPECT_EQ(GetActiveWindow(), Form->Handle());
        EXPECT_EQ(GetFocus(), mainEdit->Handle());
    }
    EXPECT_EQ(Icon(), nullptr) << "the disabled icon stays out of the area";
}
