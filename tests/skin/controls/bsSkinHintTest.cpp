#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinHint.h"
#include "skin/core/bsUtils_Probes.h"

#include "platform/ui/DropShadow.h"
#include "platform/ui/HeadlessBackend.h"

using namespace skintest;
using skin::TbsSkinHint;
using skin::TbsSkinHintWindow;

namespace {

// The whole test picture as the hint picture, a 3-pixel frame kept.
constexpr const char* HintSection =
    "[HINTWINDOW]\r\nwindowpictureindex=0\r\nlefttoppoint=3,3\r\nrighttoppoint=117,3\r\nleftbottompoint=3,57\r\n"
    "rightbottompoint=117,57\r\nclientrect=3,3,117,57\r\nfontname=Tahoma\r\nfontheight=13\r\nfontcolor=0\r\n";

struct Hint : TSkinFixture {
    TFakeClock Clock;
    TForm* Main = nullptr;
    TbsSkinHint* H = nullptr;

    Hint()
    {
        Folder.Rewrite(SkinIni("", HintSection));
        Application()->CreateForm(Main);
        Main->SetBounds(0, 0, 200, 100);
        H = new TbsSkinHint(Main);
    }
    void TearDown() override
    {
        delete Main;
        TSkinFixture::TearDown();
    }
    void Advance(int AMs)
    {
        Clock.Now += uint64_t(AMs);
        Pump();
    }
    // The extent of AText as the hint measures it.
    TSize Extent(const std::string& AText, TFont* AFont)
    {
        TBitmap b;
        b.SetSize(1, 1);
        b.Canvas()->SetFont(AFont);
        TRect r;
        DrawText(b.Canvas()->Handle(), AText, &r, DT_CALCRECT);
        return TSize{r.Width(), r.Height()};
    }
    uint32_t HintPixel(int X, int Y)
    {
        Pump();
        const TPixelSurface* s = GetWindowSurface(H->HintWindow()->Handle());
        return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
    }
};

} // namespace

TEST_F(Hint, SeparatorsBecomeLineBreaks)
{
    H->ActivateHint(Point(50, 50), "first@second@third");
    EXPECT_EQ(H->HintWindow()->Text(), "first\n\rsecond\n\rthird");
    EXPECT_TRUE(H->IsVisible());
}

// The skinned hint's window class asks for the window system's shadow,
// though a plain hint window made the plain hints' class (without it) first.
TEST_F(Hint, AShownHintCastsTheWindowSystemsShadowWhereACompositorRuns)
{
    auto* display = dynamic_cast<THeadlessBackend*>(&Backend());
    ASSERT_NE(display, nullptr);
    THintWindow plain(nullptr);
    plain.HandleNeeded();
    display->SetCompositorPresent(true);
    H->ActivateHint(Point(50, 60), "Hello hint");
    const HWND hint = H->HintWindow()->Handle();
    EXPECT_FALSE(GetClassLong(plain.Handle(), GCL_STYLE) & CS_DROPSHADOW);
    const THeadlessBackend::TShadow* shadow = display->Shadow(hint);
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(shadow->Visible);
    EXPECT_EQ(shadow->Bounds, DropShadowBounds(H->HintWindow()->BoundsRect()));
    H->HideHint();
    EXPECT_FALSE(display->Shadow(hint) && display->Shadow(hint)->Visible);
    display->SetCompositorPresent(false);
}

TEST_F(Hint, WithoutASkinTheHintFitsItsTextInInfoColours)
{
    H->ActivateHint(Point(50, 60), "Hello hint");
    const TSize t = Extent("Hello hint", H->DefaultFont());
    TbsSkinHintWindow* w = H->HintWindow();
    EXPECT_EQ(w->BoundsRect(), Bounds(50, 60, t.cx + 4, t.cy + 4));
    EXPECT_EQ(HintPixel(0, 0), SysRgb(clBtnShadow));
    EXPECT_EQ(HintPixel(w->Width() - 1, w->Height() - 1), SysRgb(clBtnShadow));
    EXPECT_EQ(HintPixel(w->Width() - 2, w->Height() - 2), SysRgb(clInfoBk));
    H->HideHint();
    EXPECT_FALSE(H->IsVisible());
}

TEST_F(Hint, TheSkinsPictureIsStretchedAroundTheText)
{
    LoadSkin();
    H->SetSkinData(Data);
    H->ActivateHint(Point(40, 40), "Skinned");
    TbsSkinHintWindow* w = H->HintWindow();
    ASSERT_EQ(w->FSD, Data);
    TFont f;
    f.SetName("Tahoma");
    f.SetHeight(13);
    const TSize t = Extent("Skinned", &f);
    // Client part 3..117 of 120 x 60, five more pixels across.
    EXPECT_EQ(w->Width(), t.cx + 3 + 3 + 5);
    EXPECT_EQ(w->Height(), t.cy + 3 + 3);
    EXPECT_EQ(w->NewClRect, Rect(3, 3, w->Width() - 3, w->Height() - 3));
    EXPECT_EQ(HintPixel(0, 0), NormalEdge);   // the picture's corner
}

TEST_F(Hint, AHintLeavingTheWorkAreaJumpsToTheOtherSide)
{
    Main->Show();   // the work area of the main form's monitor
    const TRect area = Screen()->WorkAreaRect();
    H->ActivateHint(Point(area.Right - 5, area.Bottom - 5), "Far right");
    TbsSkinHintWindow* w = H->HintWindow();
    EXPECT_EQ(w->Left(), area.Right - 5 - w->Width() - 2);
    EXPECT_EQ(w->Top(), area.Bottom - 5 - w->Height() - 2);
    H->ActivateHint(Point(area.Right - 5, 10), "Far right");
    EXPECT_EQ(w->Top(), 10);
}

TEST_F(Hint, AnchoredHintsAreCentredAboveOrBelow)
{
    H->ActivateHint3(Rect(100, 100, 140, 120), "Anchored", true);
    Advance(Application()->HintPause);
    TbsSkinHintWindow* w = H->HintWindow();
    EXPECT_EQ(w->Left(), 120 - w->Width() / 2);
    EXPECT_EQ(w->Top(), 100 - w->Height());
}

TEST_F(Hint, FadingInRaisesTheAlphaInTenths)
{
    std::vector<int> alphas;
    skin::TbsPlatformEntries saved = skin::PlatformEntries();
    skin::PlatformEntries().SetLayeredWindowAttributes = [&](HWND, uint32_t, uint8_t A, DWORD) {
        alphas.push_back(A);
        return true;
    };
    uint64_t now = 0;
    const auto realClock = TbsSkinHintWindow::FadeClock;
    TbsSkinHintWindow::FadeClock = [&] { return now += 4; };
    H->AlphaBlend = true;
    H->AlphaBlendAnimation = true;
    H->AlphaBlendValue = 5;   // 5 div 10 is 0: steps of 1
    H->ActivateHint(Point(10, 10), "Fading");
    EXPECT_EQ(alphas, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(GetWindowLong(H->HintWindow()->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    alphas.clear();
    H->AlphaBlendValue = 200;
    H->ActivateHint(Point(10, 10), "Fading");
    EXPECT_EQ(alphas.size(), 11u);   // 0, then ten steps of 20
    EXPECT_EQ(alphas.back(), 200);
    TbsSkinHintWindow::FadeClock = realClock;
    skin::PlatformEntries() = saved;
}

TEST_F(Hint, ASecondRequestWithinThePauseReplacesTheFirst)
{
    H->ActivateHint2("first");
    Advance(300);
    H->ActivateHint2("second");
    Advance(300);
    EXPECT_FALSE(H->IsVisible());
    Advance(200);
    EXPECT_TRUE(H->IsVisible());
    EXPECT_EQ(H->HintWindow()->Text(), "second");
    EXPECT_TRUE(H->HintTimerPending());   // now waiting to hide
    Advance(Application()->HintHidePause);
    EXPECT_FALSE(H->IsVisible());
    EXPECT_FALSE(H->HintTimerPending());
}

TEST_F(Hint, HidingWhileNothingShowsOnlyCancelsThePendingHint)
{
    H->ActivateHintEx2("Title", "text", 0, nullptr);
    H->HideHint();
    EXPECT_FALSE(H->HintTimerPending());
    EXPECT_EQ(H->FHintTitle, "Title");
    Advance(1000);
    EXPECT_FALSE(H->IsVisible());
}

TEST_F(Hint, ATitleMakesTheTitleAndImageLayout)
{
    H->ActivateHintEx(Point(30, 30), "Title", "Body text", 0, nullptr);
    TbsSkinHintWindow* w = H->HintWindow();
    EXPECT_TRUE(w->AExtendedStyle);
    TFont bold;
    bold.Assign(H->DefaultFont());
    bold.SetStyle({fsBold});
    const TSize title = Extent("Title", &bold), body = Extent("Body text", H->DefaultFont());
    EXPECT_EQ(w->Width(), std::max(title.cx, body.cx) + 4);
    EXPECT_EQ(w->Height(), body.cy + title.cy + 10 + 4);
}

TEST_F(Hint, TheApplicationsHintsTakeTheControlsTitle)
{
    auto* c = new skin::TbsSkinCustomControl(Main);
    c->SetBounds(20, 20, 60, 30);
    c->SetParent(Main);
    c->Hint = "From the control";
    c->ShowHint = true;
    c->ParentShowHint = false;
    c->HintTitle = "Control title";
    Main->Show();
    Pump();
    InjectMouseMove(c->ClientToScreen(Point(10, 10)));
    Pump();
    Advance(Application()->HintPause);
    auto* w = dynamic_cast<TbsSkinHintWindow*>(Application()->HintWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->AExtendedStyle);
    EXPECT_EQ(H->FHintTitle, "Control title");
    EXPECT_EQ(w->Text(), "From the control");
    Application()->CancelHint();
}

TEST_F(Hint, OnlyOneHintComponentOfTheMainFormServes)
{
    auto* second = new TbsSkinHint(Main);
    EXPECT_TRUE(H->Active());
    second->SetActive(true);
    EXPECT_FALSE(H->Active());
    EXPECT_EQ(TbsSkinHintWindow::GetActiveSkinHint(), second);
    int calls = 0;
    second->OnShowHint = [&](std::string&, bool&, THintInfo&) { ++calls; };
    std::string s = "x";
    bool can = true;
    THintInfo info;
    Application()->OnShowHint(s, can, info);
    EXPECT_EQ(calls, 1);
}
