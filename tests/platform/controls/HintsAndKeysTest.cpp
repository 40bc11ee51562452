#include "ControlsTestSupport.h"

#include "platform/controls/Menus.h"
#include "platform/ui/HeadlessBackend.h"

using namespace platform;
using namespace ctltest;

TEST(Forms, HintsShowAfterThePauseAndGoAfterTheirTime)
{
    TFakeClock clock;
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* c = new TSolid(form.get(), clRed);
    c->SetBounds(10, 10, 50, 50);
    c->Hint = "开始转换";
    c->ShowHint = true;
    c->ParentShowHint = false;
    c->SetParent(form.get());
    std::string shown;
    Application()->OnShowHint = [&](std::string& HintStr, bool& CanShow, THintInfo& Info) {
        EXPECT_EQ(Info.HintControl, c);
        HintStr += "!";
        shown = HintStr;
    };
    form->Show();
    Pump();
    InjectMouseMove(Point(20, 20));
    Pump();
    EXPECT_TRUE(shown.empty());
    clock.Now += Application()->HintPause;
    Pump();
    EXPECT_EQ(shown, "开始转换!");
    ASSERT_NE(Application()->HintWindow(), nullptr);
    EXPECT_TRUE(Application()->HintWindow()->HintShowing());
    EXPECT_EQ(Application()->HintWindow()->Caption(), "开始转换!");
    EXPECT_EQ(GetActiveWindow(), form->Handle());   // the hint never takes the activation
    clock.Now += Application()->HintHidePause;
    Pump();
    EXPECT_FALSE(Application()->HintWindow()->HintShowing());
    // A control may refuse its hint.
    TWndMethod old = c->WindowProc;
    c->WindowProc = [&, old](TMessage& M) {
        if (M.Msg == CM_HINTSHOW) {
            M.Result = 1;
            return;
        }
        old(M);
    };
    shown.clear();
    InjectMouseMove(Point(200, 150));
    InjectMouseMove(Point(20, 20));
    Pump();
    clock.Now += Application()->HintPause;
    Pump();
    EXPECT_TRUE(shown.empty());
    Application()->OnShowHint = nullptr;
    InjectMouseMove(Point(500, 500));
    Pump();
}

TEST(Forms, AHintShowsWhenTheControlOrTheParentItFollowsAsksForIt)
{
    const struct {
        bool Own, Follows, Parents, Shown;
    } cases[] = {
        {true, true, false, true},   // turned on for the control alone
        {false, true, true, true},   // follows a parent that shows hints
        {false, true, false, false},
        {false, false, true, false}, // its own setting, off
    };
    for (const auto& k : cases) {
        TFakeClock clock;
        std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
        form->ShowHint = k.Parents;
        auto* c = new TSolid(form.get(), clRed);
        c->SetBounds(10, 10, 50, 50);
        c->Hint = "播放";
        c->ShowHint = k.Own;
        c->ParentShowHint = k.Follows;
        c->SetParent(form.get());
        form->Show();
        Pump();
        InjectMouseMove(Point(20, 20));
        Pump();
        clock.Now += Application()->HintPause;
        Pump();
        const THintWindow* hint = Application()->HintWindow();
        EXPECT_EQ(hint && hint->HintShowing(), k.Shown) << k.Own << k.Follows << k.Parents;
        InjectMouseMove(Point(500, 500));
        Pump();
    }
}

TEST(Forms, MenuShortcutsContextMenusAndCancelMode)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200, 0, 0));
    auto* menu = new TMainMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->ShortCut = TShortCut('O' | scCtrl);
    int opened = 0;
    item->OnClick = [&](TObject*) { ++opened; };
    menu->Items()->Add(item);
    form->SetMenu(menu);
    auto* a = new TSolid(form.get(), clRed);
    a->SetBounds(10, 10, 50, 50);
    a->SetTabStop(true);
    a->SetParent(form.get());
    auto* popup = new TPopupMenu(form.get());
    a->SetPopupMenu(popup);
    auto* b = new TSolid(form.get(), clBlue);
    b->SetBounds(100, 10, 50, 50);
    b->SetParent(form.get());
    std::vector<LPARAM> cancels;
    TWndMethod old = a->WindowProc;
    a->WindowProc = [&, old](TMessage& M) {
        if (M.Msg == CM_CANCELMODE)
            cancels.push_back(M.LParam);
        old(M);
    };
    TPoint popupAt{};
    SetPopupMenuPresenter([&](TPopupMenu*, int X, int Y) { popupAt = Point(X, Y); });
    form->Show();
    Pump();
    ASSERT_TRUE(a->Focused());
    InjectKey(VK_CONTROL, true);
    InjectKey('O', true, "\x0f");
    InjectKey('O', false);
    InjectKey(VK_CONTROL, false);
    Pump();
    EXPECT_EQ(opened, 1);
    InjectKey(VK_APPS, true);
    InjectKey(VK_APPS, false);
    Pump();
    EXPECT_EQ(popupAt, Point(35, 35));   // the control's centre, on the screen
    EXPECT_EQ(popup->PopupComponent, a);
    InjectMouseButton(TMouseButton::mbLeft, true, Point(120, 20));
    InjectMouseButton(TMouseButton::mbLeft, false, Point(120, 20));
    Pump();
    EXPECT_EQ(cancels, std::vector<LPARAM>{reinterpret_cast<LPARAM>(b)});
    SetPopupMenuPresenter(nullptr);
    auto* headless = dynamic_cast<THeadlessBackend*>(&Backend());
    ASSERT_NE(headless, nullptr);
    int beeps = headless->Beeps();
    MessageBeep(0);
    EXPECT_EQ(headless->Beeps(), beeps + 1);
}
