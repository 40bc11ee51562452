#include "ControlsTestSupport.h"

#include "platform/controls/ComCtrls.h"

using namespace platform;
using namespace ctltest;

namespace {

void Click(TPoint AScreen)
{
    InjectMouseButton(TMouseButton::mbLeft, true, AScreen);
    InjectMouseButton(TMouseButton::mbLeft, false, AScreen);
    Pump();
}

struct TPagesFixture : ::testing::Test {
    std::unique_ptr<TForm> Form{MakeForm(320, 220, 0, 0)};
    TPageControl* Pages = nullptr;
    std::vector<TTabSheet*> Sheets;
    std::vector<std::string> Log;
    bool Allow = true;

    void SetUp() override
    {
        Pages = new TPageControl(Form.get());
        Pages->SetBounds(10, 10, 300, 200);
        Pages->SetParent(Form.get());
        for (const char* caption : {"CPU", "常规", "输出", "其他"}) {
            auto* s = new TTabSheet(Form.get());
            s->SetCaption(caption);
            s->SetPageControl(Pages);
            Sheets.push_back(s);
        }
        Pages->SetTabHeight(20);
        Pages->OnChanging = [this](TObject*, bool& A) { Log.push_back("changing " + std::to_string(Pages->TabIndex())); A = Allow; };
        Pages->OnChange = [this](TObject*) { Log.push_back("change " + std::to_string(Pages->TabIndex())); };
        Form->Show();
        Pump();
    }
    TPoint TabCentre(int ATab)
    {
        TRect r = Pages->TabRect(ATab);
        return Pages->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    }
};

} // namespace

TEST_F(TPagesFixture, ClickingATabAsksThenSwitchesThePage)
{
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_TRUE(Sheets[0]->Visible());
    EXPECT_FALSE(Sheets[1]->Visible());
    Click(TabCentre(2));
    EXPECT_EQ(Log, (std::vector<std::string>{"changing 0", "change 2"}));
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_TRUE(Sheets[2]->Visible());
    EXPECT_FALSE(Sheets[0]->Visible());
    // The sheet fills the page rectangle.
    TRect page = Pages->DisplayRect();
    EXPECT_EQ(Sheets[2]->BoundsRect(), page);
    EXPECT_EQ(page.Top, 2 + 20 + 4);
    Log.clear();
    Allow = false;
    Click(TabCentre(1));
    EXPECT_EQ(Log, (std::vector<std::string>{"changing 2"}));
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    // Set in code: no events.
    Log.clear();
    Pages->SetActivePage(Sheets[3]);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Pages->TabIndex(), 3);
    Pump();
    SaveWindowPng(Form.get(), "pagecontrol.png");
}

TEST_F(TPagesFixture, HiddenTabsAndNextPage)
{
    Sheets[1]->SetTabVisible(false);
    EXPECT_EQ(Pages->TabCount(), 3);
    EXPECT_EQ(Sheets[2]->TabIndex(), 1);
    EXPECT_EQ(Sheets[1]->TabIndex(), -1);
    EXPECT_EQ(Pages->TabCaption(1), "输出");
    Pages->SelectNextPage(true);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    Pages->SelectNextPage(false);
    Pages->SelectNextPage(false);
    EXPECT_EQ(Pages->ActivePage(), Sheets[3]);   // wraps round
    EXPECT_EQ(Log.size(), 6u);
    EXPECT_THROW(Pages->Pages(4), EListError);
    // A freed page leaves the control, and the next one becomes active.
    delete Sheets[3];
    EXPECT_EQ(Pages->PageCount(), 3);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
}

TEST_F(TPagesFixture, TabsThatDoNotFitScrollWithTheUpDown)
{
    for (int i = 0; i < 8; ++i) {
        auto* s = new TTabSheet(Form.get());
        s->SetCaption("页面 " + std::to_string(i));
        s->SetPageControl(Pages);
    }
    Pump();
    TUpDown* scroller = Pages->Scroller();
    ASSERT_NE(scroller, nullptr);
    EXPECT_TRUE(scroller->Visible());
    EXPECT_EQ(GetClassName(scroller->Handle()), "msctls_updown32");
    TRect second = Pages->TabRect(1);
    Click(scroller->ClientToScreen(Point(scroller->Width() - 4, scroller->Height() / 2)));
    EXPECT_EQ(Pages->FirstTab(), 1);
    EXPECT_LE(Pages->TabRect(0).Right, 0);
    EXPECT_EQ(Pages->TabRect(1).Left, second.Left - Pages->TabRect(0).Width() - 2);
}

TEST(TabControl, TabsFromStringsAndTheirRectangles)
{
    std::unique_ptr<TForm> form{MakeForm(300, 120, 0, 0)};
    auto* tabs = new TTabControl(form.get());
    tabs->SetBounds(0, 0, 300, 120);
    tabs->SetParent(form.get());
    tabs->Tabs()->Add("one");
    tabs->Tabs()->Add("two");
    tabs->SetTabWidth(60);
    tabs->SetTabHeight(18);
    form->Show();
    Pump();
    EXPECT_EQ(tabs->TabRect(1), Rect(62, 2, 122, 20));
    EXPECT_EQ(tabs->IndexOfTabAt(70, 10), 1);
    tabs->SetTabPosition(tpBottom);
    EXPECT_EQ(tabs->TabRect(0), Rect(2, 100, 62, 118));
    EXPECT_EQ(tabs->DisplayRect().Bottom, 120 - 4 - 20);
    EXPECT_EQ(SendMessage(tabs->Handle(), TCM_SETCURSEL, 1, 0), -1);
    EXPECT_EQ(tabs->TabIndex(), 1);
}
