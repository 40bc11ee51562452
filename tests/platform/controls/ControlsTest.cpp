#include "ControlsTestSupport.h"

using namespace platform;
using namespace ctltest;

namespace {

TPanel* AddPanel(TWinControl* AParent, TAlign AAlign, TRect ABounds)
{
    auto* p = new TPanel(AParent);
    p->SetBoundsRect(ABounds);
    p->SetAlign(AAlign);
    p->SetParent(AParent);
    return p;
}

} // namespace

TEST(Controls, PanelsAlignOnAFormAndFollowItsSize)
{
    std::unique_ptr<TForm> form(MakeForm(400, 300));
    TPanel* top = AddPanel(form.get(), alTop, Bounds(0, 0, 10, 30));
    TPanel* bottom = AddPanel(form.get(), alBottom, Bounds(0, 0, 10, 20));
    TPanel* left = AddPanel(form.get(), alLeft, Bounds(0, 0, 50, 10));
    TPanel* right = AddPanel(form.get(), alRight, Bounds(0, 0, 60, 10));
    TPanel* client = AddPanel(form.get(), alClient, Bounds(0, 0, 10, 10));
    struct TCase {
        TPanel* P;
        TRect Want;
    } cases[] = {{top, Bounds(0, 0, 400, 30)}, {bottom, Bounds(0, 280, 400, 20)}, {left, Bounds(0, 30, 50, 250)},
                 {right, Bounds(340, 30, 60, 250)}, {client, Bounds(50, 30, 290, 250)}};
    for (const TCase& c : cases)
        EXPECT_EQ(c.P->BoundsRect(), c.Want);
    form->Show();
    form->SetBounds(100, 100, 500, 400);
    EXPECT_EQ(client->BoundsRect(), Bounds(50, 30, 390, 350));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 380, 500, 20));
    // A hidden panel gives its place away.
    top->Hide();
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 0, 50, 380));
}

TEST(Controls, SameSideAlignmentKeepsTheOrderOfPositions)
{
    std::unique_ptr<TForm> form(MakeForm(200, 200));
    form->DisableAlign();   // as while a form is being built
    TPanel* second = AddPanel(form.get(), alTop, Bounds(0, 50, 10, 20));
    TPanel* first = AddPanel(form.get(), alTop, Bounds(0, 10, 10, 30));
    form->EnableAlign();
    EXPECT_EQ(first->BoundsRect(), Bounds(0, 0, 200, 30));
    EXPECT_EQ(second->BoundsRect(), Bounds(0, 30, 200, 20));
    // Moving the second above the first swaps them.
    second->SetTop(0);
    EXPECT_EQ(second->BoundsRect(), Bounds(0, 0, 200, 20));
    EXPECT_EQ(first->BoundsRect(), Bounds(0, 20, 200, 30));
}

TEST(Controls, BevelsAndBordersShrinkThePanelsClientArea)
{
    std::unique_ptr<TForm> form(MakeForm(200, 200));
    TPanel* outer = AddPanel(form.get(), alClient, Bounds(0, 0, 10, 10));
    outer->SetBevelInner(bvLowered);
    outer->SetBorderWidth(3);
    TPanel* inner = AddPanel(outer, alClient, Bounds(0, 0, 10, 10));
    EXPECT_EQ(inner->BoundsRect(), Rect(5, 5, 195, 195));
}

TEST(Controls, AnchorsKeepDistancesWhenTheParentGrows)
{
    std::unique_ptr<TForm> form(MakeForm(200, 100));
    auto* stretch = new TPanel(form.get());
    stretch->SetBounds(10, 10, 100, 20);
    stretch->SetParent(form.get());
    stretch->SetAnchors(AnchorBit(akLeft) | AnchorBit(akTop) | AnchorBit(akRight));
    auto* corner = new TPanel(form.get());
    corner->SetBounds(150, 70, 40, 20);
    corner->SetParent(form.get());
    corner->SetAnchors(AnchorBit(akRight) | AnchorBit(akBottom));
    form->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(stretch->BoundsRect(), Bounds(10, 10, 200, 20));
    EXPECT_EQ(corner->BoundsRect(), Bounds(250, 120, 40, 20));
}

TEST(Controls, HandlesAreMadeWhenNeededAndChildrenFollow)
{
    std::unique_ptr<TForm> form(MakeForm());
    auto* panel = AddPanel(form.get(), alNone, Bounds(10, 10, 100, 100));
    auto* inner = AddPanel(panel, alNone, Bounds(5, 5, 20, 20));
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_FALSE(inner->HandleAllocated());
    form->Show();
    ASSERT_TRUE(inner->HandleAllocated());
    EXPECT_EQ(GetParent(inner->Handle()), panel->Handle());
    EXPECT_TRUE(IsWindowVisible(inner->Handle()));
    EXPECT_EQ(FindControl(inner->Handle()), inner);
    TRect r;
    GetWindowRect(inner->Handle(), r);
    EXPECT_EQ(r, Bounds(100 + 10 + 5, 100 + 10 + 5, 20, 20));
    inner->Hide();
    EXPECT_FALSE(IsWindowVisible(inner->Handle()));
    inner->Show();
    // A recreated window keeps its place and its children.
    HWND old = panel->Handle();
    panel->RecreateWnd();
    EXPECT_NE(panel->Handle(), old);
    EXPECT_TRUE(inner->HandleAllocated());
    EXPECT_EQ(GetParent(inner->Handle()), panel->Handle());
}

TEST(Controls, WindowProcCanBeReplacedAndChained)
{
    std::unique_ptr<TForm> form(MakeForm());
    auto* panel = AddPanel(form.get(), alNone, Bounds(0, 0, 50, 50));
    std::vector<std::string> seen;
    TWndMethod old = panel->WindowProc;
    panel->WindowProc = [&, old](TMessage& M) {
        if (M.Msg == SKN_SKINCHANGE) {
            seen.push_back("hook");
            M.Result = 7;
            return;
        }
        old(M);
    };
    EXPECT_EQ(panel->Perform(SKN_SKINCHANGE, 0, SKN_MODEL_MESSAGE), 7);
    form->Show();
    EXPECT_EQ(SendMessage(panel->Handle(), SKN_SKINCHANGE, 0, 0), 7);   // through the window too
    EXPECT_EQ(seen.size(), 2u);
    panel->WindowProc = old;
    EXPECT_EQ(panel->Perform(SKN_SKINCHANGE), 0);
}

TEST(Controls, NestedWindowedAndWindowlessChildrenPaintIntoTheForm)
{
    std::unique_ptr<TForm> form(MakeForm(200, 200, 0, 0));
    form->SetColor(clWhite);
    auto* red = new TSolid(form.get(), clRed);
    red->SetBounds(10, 10, 100, 100);
    red->SetParent(form.get());
    auto* blue = new TSolidGraphic(form.get(), clBlue);
    blue->SetBounds(20, 20, 30, 30);
    blue->SetParent(red);
    auto* green = new TSolid(form.get(), clLime);
    green->SetBounds(40, 40, 100, 20);   // sticks out of red: clipped
    green->SetParent(red);
    auto* loose = new TSolidGraphic(form.get(), clBlue);
    loose->SetBounds(150, 150, 20, 20);
    loose->SetParent(form.get());
    form->Show();
    Pump();
    struct TCase {
        int X, Y;
        uint32_t Want;
    } cases[] = {{5, 5, 0xFFFFFF}, {15, 15, 0xFF0000}, {35, 35, 0x0000FF}, {55, 55, 0x00FF00},
                 {105, 55, 0x00FF00}, {115, 55, 0xFFFFFF}, {155, 155, 0x0000FF}};
    for (const TCase& c : cases)
        EXPECT_EQ(Pixel(form.get(), c.X, c.Y), c.Want) << c.X << "," << c.Y;
    // Repainting the windowed parent repaints its windowless child over it.
    red->Invalidate();
    Pump();
    EXPECT_EQ(Pixel(form.get(), 35, 35), 0x0000FFu);
    blue->Fill = clBlack;
    blue->Invalidate();
    Pump();
    EXPECT_EQ(Pixel(form.get(), 35, 35), 0x000000u);
    EXPECT_EQ(Pixel(form.get(), 15, 15), 0xFF0000u);
}

TEST(Controls, WindowlessControlsGetClicksAndTheCapture)
{
    std::unique_ptr<TForm> form(MakeForm(200, 200, 0, 0));
    auto* g = new TSolidGraphic(form.get(), clBlue);
    g->SetBounds(20, 20, 30, 30);
    g->SetParent(form.get());
    std::vector<std::string> events;
    g->OnMouseDown = [&](TObject*, TMouseButtonKind, TShiftState, int X, int Y) { events.push_back("down " + std::to_string(X) + "," + std::to_string(Y)); };
    g->OnMouseMove = [&](TObject*, TShiftState, int X, int Y) { events.push_back("move " + std::to_string(X) + "," + std::to_string(Y)); };
    g->OnMouseUp = [&](TObject*, TMouseButtonKind, TShiftState, int, int) { events.push_back("up"); };
    g->OnClick = [&](TObject*) { events.push_back("click"); };
    form->Show();
    Pump();
    InjectMouseButton(TMouseButton::mbLeft, true, Point(25, 25));
    InjectMouseMove(Point(120, 120));   // outside: still the control's, it holds the capture
    InjectMouseButton(TMouseButton::mbLeft, false, Point(30, 30));
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"down 5,5", "move 100,100", "click", "up"}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Controls, MouseEnterAndLeaveFollowThePointer)
{
    std::unique_ptr<TForm> form(MakeForm(200, 200, 0, 0));
    auto* a = new TSolid(form.get(), clRed);
    a->SetBounds(0, 0, 50, 50);
    a->SetParent(form.get());
    auto* b = new TSolidGraphic(form.get(), clBlue);
    b->SetBounds(100, 100, 50, 50);
    b->SetParent(form.get());
    std::vector<std::string> events;
    a->OnMouseEnter = [&](TObject*) { events.push_back("enter a"); };
    a->OnMouseLeave = [&](TObject*) { events.push_back("leave a"); };
    b->OnMouseEnter = [&](TObject*) { events.push_back("enter b"); };
    b->OnMouseLeave = [&](TObject*) { events.push_back("leave b"); };
    form->Show();
    Pump();
    InjectMouseMove(Point(10, 10));
    InjectMouseMove(Point(20, 20));
    InjectMouseMove(Point(120, 120));
    InjectMouseMove(Point(500, 500));
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"enter a", "leave a", "enter b", "leave b"}));
}

TEST(Controls, FocusMovesWithEnterExitAndTabOrder)
{
    std::unique_ptr<TForm> form(MakeForm(300, 300));
    std::vector<std::string> events;
    auto make = [&](const char* AName, int ATop) {
        auto* c = new TSolid(form.get(), clRed);
        c->SetName(AName);
        c->SetBounds(10, ATop, 50, 20);
        c->SetTabStop(true);
        c->SetParent(form.get());
        c->OnEnter = [&, AName](TObject*) { events.push_back(std::string("enter ") + AName); };
        c->OnExit = [&, AName](TObject*) { events.push_back(std::string("exit ") + AName); };
        return c;
    };
    TSolid* a = make("a", 10);
    TSolid* b = make("b", 40);
    TSolid* c = make("c", 70);
    b->SetTabOrder(0);   // b, a, c
    form->Show();
    Pump();
    EXPECT_EQ(form->ActiveControl(), b);
    EXPECT_TRUE(b->Focused());
    events.clear();
    a->SetFocus();
    EXPECT_EQ(events, (std::vector<std::string>{"exit b", "enter a"}));
    EXPECT_EQ(Screen()->ActiveControl(), a);
    events.clear();
    InjectKey(VK_TAB, true);
    InjectKey(VK_TAB, false);
    Pump();
    EXPECT_TRUE(c->Focused());
    InjectKey(VK_SHIFT, true);
    InjectKey(VK_TAB, true);
    InjectKey(VK_TAB, false);
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(events, (std::vector<std::string>{"exit a", "enter c", "exit c", "enter a"}));
    c->SetEnabled(false);
    EXPECT_THROW(c->SetFocus(), EInvalidOperation);
}

TEST(Controls, ExceptionsInHandlersStayInTheLoop)
{
    std::unique_ptr<TForm> form(MakeForm(100, 100, 0, 0));
    auto* a = new TSolid(form.get(), clRed);
    a->SetBounds(0, 0, 50, 50);
    a->SetParent(form.get());
    a->OnClick = [](TObject*) { throw Exception("broken handler"); };
    form->Show();
    Pump();
    InjectMouseButton(TMouseButton::mbLeft, true, Point(10, 10));
    InjectMouseButton(TMouseButton::mbLeft, false, Point(10, 10));
    Pump();
    EXPECT_EQ(Application()->LastExceptionMessage, "broken handler");
}

TEST(Controls, MnemonicsAndHotkeys)
{
    EXPECT_TRUE(IsAccel('F', "&File"));
    EXPECT_FALSE(IsAccel('F', "Fi&le"));
    EXPECT_FALSE(IsAccel('A', "Tom && Jerry"));
    EXPECT_EQ(StripHotkey("&Save && Exit"), "Save & Exit");
}

TEST(Controls, PaintToDrawsAControlWithItsChildrenIntoAForeignDC)
{
    std::unique_ptr<TForm> form(MakeForm(200, 200, 0, 0));
    auto* red = new TSolid(form.get(), clRed);
    red->SetBounds(10, 10, 60, 60);
    red->SetParent(form.get());
    auto* blue = new TSolidGraphic(form.get(), clBlue);
    blue->SetBounds(5, 5, 10, 10);
    blue->SetParent(red);
    auto* green = new TSolid(form.get(), clLime);
    green->SetBounds(30, 30, 20, 20);
    green->SetParent(red);
    TBitmap target;
    target.SetPixelFormat(pf32bit);
    target.SetSize(100, 100);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 100, 100));
    red->PaintTo(target.Canvas()->Handle(), 20, 20);   // no window needed
    auto px = [&](int X, int Y) { return reinterpret_cast<uint32_t*>(target.ScanLine(Y))[X] & 0xFFFFFF; };
    EXPECT_EQ(px(10, 10), 0xFFFFFFu);
    EXPECT_EQ(px(22, 22), 0xFF0000u);
    EXPECT_EQ(px(27, 27), 0x0000FFu);
    EXPECT_EQ(px(55, 55), 0x00FF00u);
    EXPECT_EQ(px(85, 85), 0xFFFFFFu);
}

// Tab passes by controls placed wholly outside the form's client area (on
// their own or inside a panel that lies there); a control that shows only
// in part is still a stop, and code can still focus one out of sight.
TEST(Controls, TabPassesByControlsOutOfTheFormsSight)
{
    std::unique_ptr<TForm> form(MakeForm(300, 200));
    auto make = [&](TWinControl* AParent, const TRect& R) {
        auto* c = new TSolid(form.get(), clRed);
        c->SetBoundsRect(R);
        c->SetTabStop(true);
        c->SetParent(AParent);
        return c;
    };
    auto* offPanel = new TSolid(form.get(), clBlue);
    offPanel->SetBounds(400, 10, 100, 100);
    offPanel->SetParent(form.get());
    TSolid* first = make(form.get(), Rect(10, 10, 60, 30));
    TSolid* right = make(form.get(), Rect(320, 40, 370, 60));
    TSolid* inPanel = make(offPanel, Rect(5, 5, 50, 25));
    TSolid* partly = make(form.get(), Rect(280, 70, 330, 90));
    TSolid* below = make(form.get(), Rect(10, 260, 60, 280));
    TSolid* last = make(form.get(), Rect(10, 100, 60, 120));
    form->Show();
    Pump();
    EXPECT_EQ(form->ActiveControl(), first);
    std::vector<TSolid*> stops;
    for (int i = 0; i < 4; ++i) {
        InjectKey(VK_TAB, true);
        InjectKey(VK_TAB, false);
        Pump();
        for (TSolid* c : {first, right, inPanel, partly, below, last})
            if (c->Focused())
                stops.push_back(c);
    }
    EXPECT_EQ(stops, (std::vector<TSolid*>{partly, last, first, partly}));
    right->SetFocus();
    EXPECT_TRUE(right->Focused());
}
