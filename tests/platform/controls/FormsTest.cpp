#include "ControlsTestSupport.h"

using namespace platform;
using namespace ctltest;

TEST(Forms, ModalLoopDisablesOtherFormsAndReturnsTheResult)
{
    std::unique_ptr<TForm> owner(MakeForm(300, 300, 0, 0));
    std::unique_ptr<TForm> dialog(MakeForm(100, 100, 50, 50));
    owner->Show();
    Pump();
    std::vector<std::string> events;
    int queries = 0;
    dialog->OnShow = [&](TObject*) {
        events.push_back("show");
        EXPECT_FALSE(IsWindowEnabled(owner->Handle()));
        // Ask to close twice: the first answer keeps the form open.
        PostMessage(dialog->Handle(), WM_CLOSE);
        PostMessage(dialog->Handle(), WM_USER);
    };
    dialog->OnCloseQuery = [&](TObject*, bool& CanClose) {
        events.push_back("query");
        CanClose = ++queries > 1;
    };
    TWndMethod old = dialog->WindowProc;
    dialog->WindowProc = [&, old](TMessage& M) {
        if (M.Msg == WM_USER)
            dialog->SetModalResult(mrOk);
        old(M);
    };
    dialog->OnClose = [&](TObject*, TCloseAction&) { events.push_back("close"); };
    dialog->OnHide = [&](TObject*) { events.push_back("hide"); };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(events, (std::vector<std::string>{"show", "query", "query", "close", "hide"}));
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(GetActiveWindow(), owner->Handle());
    dialog->OnShow = nullptr;
    EXPECT_THROW({ dialog->Show(); dialog->ShowModal(); }, EInvalidOperation);
    dialog->Hide();
}

TEST(Forms, CloseHidesOrFreesAndTheMainFormEndsTheProgram)
{
    std::unique_ptr<TForm> form(MakeForm());
    form->Show();
    form->Close();
    EXPECT_FALSE(form->Visible());
    TForm* freed = MakeForm();
    bool destroyed = false;
    freed->OnDestroy = [&](TObject*) { destroyed = true; };
    freed->OnClose = [](TObject*, TCloseAction& A) { A = caFree; };
    freed->Show();
    freed->Close();
    EXPECT_FALSE(destroyed);   // not under its own handler
    Pump();
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Screen()->FormCount(), 1);
}

TEST(Forms, MessageFilterSeesMessagesFirst)
{
    std::unique_ptr<TForm> form(MakeForm());
    form->Show();
    Pump();
    int seen = 0;
    bool reached = false;
    TWndMethod old = form->WindowProc;
    form->WindowProc = [&, old](TMessage& M) {
        if (M.Msg == WM_USER + 5)
            reached = true;
        old(M);
    };
    Application()->OnMessage = [&](TMsg& Msg, bool& Handled) {
        if (Msg.message == WM_USER + 5) {
            ++seen;
            Handled = Msg.wParam == 1;
        }
    };
    PostMessage(form->Handle(), WM_USER + 5, 1);
    Pump();
    EXPECT_EQ(seen, 1);
    EXPECT_FALSE(reached);
    PostMessage(form->Handle(), WM_USER + 5, 0);
    Pump();
    EXPECT_TRUE(reached);
    Application()->OnMessage = nullptr;
}

TEST(Forms, KeyPreviewLetsTheFormSeeKeysFirst)
{
    std::unique_ptr<TForm> form(MakeForm());
    auto* c = new TSolid(form.get(), clRed);
    c->SetBounds(0, 0, 50, 50);
    c->SetTabStop(true);
    c->SetParent(form.get());
    std::vector<std::string> seen;
    form->KeyPreview = true;
    form->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) {
        seen.push_back("form");
        if (Key == 'X')
            Key = 0;   // eaten
    };
    c->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { seen.push_back("control"); };
    form->Show();
    Pump();
    ASSERT_TRUE(c->Focused());
    InjectKey('A', true);
    InjectKey('X', true);
    Pump();
    InjectKey('A', false);
    InjectKey('X', false);
    Pump();
    EXPECT_EQ(seen, (std::vector<std::string>{"form", "control", "form"}));
}

TEST(Forms, PositionAndStayOnTopAndAlpha)
{
    std::unique_ptr<TForm> form(MakeForm(200, 100));
    form->Position = poScreenCenter;
    form->SetFormStyle(fsStayOnTop);
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(200);
    form->Show();
    TRect work = GetWorkArea();
    EXPECT_EQ(form->Left(), work.Left + (work.Width() - 200) / 2);
    EXPECT_TRUE(GetWindowLong(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    uint8_t alpha = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(form->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 200);
    EXPECT_EQ(Screen()->ActiveForm(), form.get());
}

TEST(Forms, FormsAreListedInCreationOrderAndTheFirstIsMain)
{
    struct TForm1 : TForm {
        explicit TForm1(TComponent* O) : TForm(O) {}
    };
    TForm1* first = nullptr;
    TForm1* second = nullptr;
    int before = Screen()->FormCount();
    Application()->CreateForm(first);
    Application()->CreateForm(second);
    EXPECT_EQ(Application()->MainForm(), first);
    EXPECT_EQ(Screen()->Forms(before), first);
    EXPECT_EQ(Screen()->Forms(before + 1), second);
    EXPECT_FALSE(first->Visible());
    // Closing the main form ends the program's loop.
    first->Show();
    first->Close();
    TMsg m;
    ASSERT_TRUE(PeekMessage(m, PM_REMOVE));
    EXPECT_EQ(m.message, WM_QUIT);
    delete second;
    delete first;
    EXPECT_EQ(Application()->MainForm(), nullptr);
}

TEST(Forms, TimersRunFromTheLoop)
{
    TFakeClock clock;
    std::unique_ptr<TForm> form(MakeForm());
    auto* timer = new TTimer(form.get());
    int ticks = 0;
    timer->SetInterval(50);
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    clock.Now += 49;
    Pump();
    EXPECT_EQ(ticks, 0);
    clock.Now += 1;
    Pump();
    EXPECT_EQ(ticks, 1);
    timer->SetEnabled(false);
    clock.Now += 500;
    Pump();
    EXPECT_EQ(ticks, 1);
    timer->SetEnabled(true);
    clock.Now += 50;
    Pump();
    EXPECT_EQ(ticks, 2);
}

// The main form's minimise and restore commands (its caption buttons, or
// the desktop) take the application's other shown forms along.
TEST(Forms, TheMainFormMinimisesAndRestoresTheApplication)
{
    struct TMainForm : TForm {
        explicit TMainForm(TComponent* O) : TForm(O) {}
    };
    TMainForm* main = nullptr;
    TMainForm* other = nullptr;
    Application()->CreateForm(main);
    Application()->CreateForm(other);
    ASSERT_EQ(Application()->MainForm(), main);
    main->Show();
    other->Show();
    int restored = 0;
    Application()->OnRestore = [&](TObject*) { ++restored; };
    const struct {
        WPARAM Command;
        TForm* To;
        bool MainIconic, OtherIconic;
        int Restored;
    } steps[] = {{SC_MINIMIZE, main, true, true, 0}, {SC_RESTORE, main, false, false, 1}, {SC_MINIMIZE, other, false, true, 1},
                 {SC_RESTORE, other, false, false, 1}};
    for (const auto& step : steps) {
        SendMessage(step.To->Handle(), WM_SYSCOMMAND, step.Command, 0);
        EXPECT_EQ(IsIconic(main->Handle()), step.MainIconic) << step.Command;
        EXPECT_EQ(IsIconic(other->Handle()), step.OtherIconic) << step.Command;
        EXPECT_EQ(restored, step.Restored) << step.Command;
    }
    Application()->OnRestore = nullptr;
    delete other;
    delete main;
}
