#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_ScrollBar.h"

using namespace skintest;
using skin::TbsSkinScrollBar;

namespace {

// A horizontal bar of 65 x 16 in the picture's plain area: the down button
// at the left, the up button at the right of the stretched middle; thumbs
// from the fills of the normal, hot and pressed blocks; the check mark as
// a glyph on the key colour.
constexpr const char* ScrollBarSections =
    "[hscrollbar]\r\npictureindex=0\r\nskinrect=0,40,65,56\r\nlefttoppoint=16,0\r\nrighttoppoint=45,0\r\n"
    "clientrect=16,0,45,16\r\ntrackarea=16,0,49,16\r\nupbuttonrect=49,0,65,16\r\ndownbuttonrect=0,0,16,16\r\n"
    "activeupbuttonrect=30,0,46,16\r\nactivedownbuttonrect=60,0,76,16\r\n"
    "thumbrect=3,3,27,17\r\nactivethumbrect=33,3,57,17\r\ndownthumbrect=63,3,87,17\r\n"
    "thumbminsize=10\r\nthumbminpagesize=17\r\n"
    "glyphrect=0,20,13,33\r\nglyphtransparent=1\r\nglyphtransparentcolor=16711935\r\n"
    "[plainbar]\r\npictureindex=0\r\nskinrect=0,40,65,56\r\nlefttoppoint=16,0\r\nrighttoppoint=45,0\r\n"
    "trackarea=16,0,49,16\r\nupbuttonrect=49,0,65,16\r\ndownbuttonrect=0,0,16,16\r\n"
    "thumbrect=3,3,27,17\r\n";

struct ScrollBar : TSkinFixture {
    TFakeClock Clock;
    std::vector<std::string> Events;

    ScrollBar() { Folder.Rewrite(SkinIni("hscrollbar:scrollbar\r\nplainbar:scrollbar\r\n", ScrollBarSections)); }

    TbsSkinScrollBar* NewBar(TRect ABounds, TScrollBarKind AKind = sbHorizontal)
    {
        auto* b = new TbsSkinScrollBar(Form.get());
        b->SetKind(AKind);
        Add(b, ABounds);
        b->OnChange = [this](TObject*) { Events.push_back("change"); };
        b->OnLastChange = [this](TObject*) { Events.push_back("last"); };
        b->OnPageUp = [this](TObject*) { Events.push_back("pageup"); };
        b->OnPageDown = [this](TObject*) { Events.push_back("pagedown"); };
        return b;
    }
    TbsSkinScrollBar* SkinnedBar(int AWidth)
    {
        LoadSkin();
        auto* b = NewBar(Bounds(5, 5, AWidth, 16));
        b->SetSkinData(Data);
        ShowAndPaint();
        return b;
    }
    void Advance(int AMs)
    {
        Clock.Now += uint64_t(AMs);
        Pump();
    }
    static TRect Thumb(TbsSkinScrollBar* B)
    {
        B->CalcRects();
        return B->Buttons[TbsSkinScrollBar::ThumbButton].R;
    }
};

} // namespace

TEST_F(ScrollBar, StartsAsASmallUnfocusableHorizontalBar)
{
    auto* b = new TbsSkinScrollBar(Form.get());
    EXPECT_EQ(b->Width(), 200);
    EXPECT_EQ(b->Height(), 19);
    EXPECT_EQ(b->DefaultHeight(), 19);
    EXPECT_EQ(b->SkinDataName(), "hscrollbar");
    EXPECT_EQ(b->Kind(), sbHorizontal);
    EXPECT_EQ(b->Min(), 0);
    EXPECT_EQ(b->Max(), 100);
    EXPECT_EQ(b->SmallChange(), 1);
    EXPECT_EQ(b->LargeChange(), 1);
    EXPECT_EQ(b->BothMarkerWidth(), 19);
    EXPECT_FALSE(b->TabStop());
    EXPECT_FALSE(b->CanFocused());
    EXPECT_EQ(b->ActiveButton, -1);
    EXPECT_EQ(b->CaptureButton, -1);
}

TEST_F(ScrollBar, PositionIsClampedAndOnlyARealChangeIsAnnounced)
{
    auto* b = NewBar(Bounds(0, 0, 200, 19));
    b->SetRange(0, 100, 0, 10);
    b->SetPosition(500);
    EXPECT_EQ(b->Position(), 91);   // Max - PageSize + 1
    b->SetPosition(91);
    b->SetPosition(-4);
    EXPECT_EQ(b->Position(), 0);
    EXPECT_EQ(Events, (std::vector<std::string>{"change", "change"}));
    Events.clear();
    b->SimplySetPosition(50);
    b->SetRange(0, 20, 50, 0);   // clamped to Max without a page
    EXPECT_EQ(b->Position(), 20);
    EXPECT_TRUE(Events.empty());
}

TEST_F(ScrollBar, RangeSettersKeepThePositionInside)
{
    auto* b = NewBar(Bounds(0, 0, 200, 19));
    b->SetRange(10, 20, 12, 5);
    b->SetMax(14);   // 14 - 10 - 5 + 1 = 0, raised to Min
    EXPECT_EQ(b->Position(), 10);
    b->SetMin(13);
    EXPECT_EQ(b->Position(), 13);
    b->SetRange(0, 100, 50, 0);
    b->SetPageSize(60);   // 50 + 60 > 101: refused
    EXPECT_EQ(b->PageSize(), 0);
    b->SetPageSize(51);
    EXPECT_EQ(b->PageSize(), 51);
    b->SetRange(0, 100, 80, 0);
    b->SetMax(50);
    EXPECT_EQ(b->Position(), 50);
    EXPECT_TRUE(Events.empty());
}

TEST_F(ScrollBar, BuiltInLayoutPlacesButtonsTrackAndThumb)
{
    struct TCase {
        TScrollBarKind Kind;
        TRect Bounds;
        int Min, Max, Position, Page;
        bool Both;
        TRect Down, Up, Track, Thumb;
    } cases[] = {
        // The page of the file list: thumb nearest(428 * 523 / 530) = 422 long.
        {sbHorizontal, Bounds(0, 0, 462, 19), 0, 529, 0, 523, false, Rect(1, 1, 17, 18), Rect(445, 1, 461, 18),
         Rect(17, 1, 445, 18), Rect(17, 1, 439, 18)},
        {sbHorizontal, Bounds(0, 0, 462, 19), 0, 529, 7, 523, false, Rect(1, 1, 17, 18), Rect(445, 1, 461, 18),
         Rect(17, 1, 445, 18), Rect(23, 1, 445, 18)},
        // Without a page the thumb is 16 long; 50 of 0..100 is the middle.
        {sbHorizontal, Bounds(0, 0, 200, 19), 0, 100, 50, 0, false, Rect(1, 1, 17, 18), Rect(183, 1, 199, 18),
         Rect(17, 1, 183, 18), Rect(92, 1, 108, 18)},
        // A corner box shortens the bar.
        {sbHorizontal, Bounds(0, 0, 200, 19), 0, 100, 100, 0, true, Rect(1, 1, 17, 18), Rect(164, 1, 180, 18),
         Rect(17, 1, 164, 18), Rect(148, 1, 164, 18)},
        {sbVertical, Bounds(0, 0, 19, 202), 0, 10, 0, 0, false, Rect(1, 1, 18, 17), Rect(1, 185, 18, 201),
         Rect(1, 17, 18, 185), Rect(1, 17, 18, 33)},
        // A tiny page still gets a 16-pixel thumb.
        {sbVertical, Bounds(0, 0, 19, 202), 0, 999, 990, 10, false, Rect(1, 1, 18, 17), Rect(1, 185, 18, 201),
         Rect(1, 17, 18, 185), Rect(1, 169, 18, 185)},
    };
    for (const TCase& c : cases) {
        auto* b = NewBar(c.Bounds, c.Kind);
        b->SetRange(c.Min, c.Max, c.Position, c.Page);
        b->SetBoth(c.Both);
        const TRect thumb = Thumb(b);
        EXPECT_EQ(b->Buttons[TbsSkinScrollBar::DownButton].R, c.Down) << c.Position;
        EXPECT_EQ(b->Buttons[TbsSkinScrollBar::UpButton].R, c.Up) << c.Position;
        EXPECT_EQ(b->NewTrackArea, c.Track) << c.Position;
        EXPECT_EQ(thumb, c.Thumb) << c.Position;
        delete b;
    }
}

TEST_F(ScrollBar, APageCoveringTheRangeRestsAtTheEndOfAHorizontalBarOnly)
{
    // Track of 165 pixels (odd): the thumb takes it all and half of it is
    // 82, so the horizontal thumb is one pixel further along.
    auto* h = NewBar(Bounds(0, 0, 199, 19), sbHorizontal);
    auto* v = NewBar(Bounds(0, 0, 19, 199), sbVertical);
    h->SetRange(0, 9, 0, 10);
    v->SetRange(0, 9, 0, 10);
    EXPECT_EQ(Thumb(h).Left, 18);
    EXPECT_EQ(Thumb(v).Top, 17);
}

TEST_F(ScrollBar, SkinnedLayoutStretchesTheTrackAndMovesTheRightButton)
{
    auto* b = SkinnedBar(462);
    ASSERT_NE(b->FIndex, -1);
    EXPECT_EQ(b->BoundsRect(), Bounds(5, 5, 462, 16));
    EXPECT_EQ(b->NewTrackArea, Rect(16, 0, 446, 16));
    EXPECT_EQ(b->Buttons[TbsSkinScrollBar::UpButton].R, Rect(446, 0, 462, 16));
    EXPECT_EQ(b->Buttons[TbsSkinScrollBar::DownButton].R, Rect(0, 0, 16, 16));
    // Without a page: the record's length for a bar without a page (17,
    // so 8 on each side of the centre).
    EXPECT_EQ(Thumb(b), Rect(16, 1, 32, 15));
    // With a page: in proportion, at least the minimum size.
    b->SetRange(0, 999, 0, 1);
    EXPECT_EQ(Thumb(b), Rect(16, 1, 26, 15));
    b->SetRange(0, 99, 99, 50);
    EXPECT_EQ(Thumb(b), Rect(232, 1, 446, 15));
}

TEST_F(ScrollBar, BuiltInLookFollowsTheMouse)
{
    auto* b = NewBar(Bounds(10, 10, 200, 19));
    b->SetRange(0, 100, 0, 0);
    ShowAndPaint();
    // Normal thumb: shadow frame, face inside; the track is face too.
    EXPECT_EQ(PixelOf(b, 17, 1), SysRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(b, 20, 8), SysRgb(clBtnFace));
    // Black arrows on the step buttons: the up button's points right, its
    // tip two pixels right of the button's centre (191, 9).
    EXPECT_EQ(PixelOf(b, 193, 9), Rgb(0, 0, 0));
    EXPECT_EQ(PixelOf(b, 190, 6), Rgb(0, 0, 0));
    EXPECT_EQ(PixelOf(b, 194, 9), SysRgb(clBtnFace));
    EXPECT_EQ(PixelOf(b, 7, 9), Rgb(0, 0, 0));   // the down button's points left
    EXPECT_EQ(PixelOf(b, 6, 9), SysRgb(clBtnFace));
    Mouse(b, 20, 8);   // hot
    EXPECT_EQ(PixelOf(b, 17, 1), Rgb(0x3B, 0x6B, 0xB7));
    EXPECT_EQ(PixelOf(b, 20, 8), Rgb(0xC1, 0xD4, 0xF3));
    Mouse(b, 20, 8, 1);   // pressed
    EXPECT_EQ(PixelOf(b, 20, 8), Rgb(0xA2, 0xBC, 0xE4));
    Mouse(b, 20, 8, 0);
    Mouse(b, 100, 8);   // off the thumb
    EXPECT_EQ(PixelOf(b, 20, 8), SysRgb(clBtnFace));
    EXPECT_EQ(PixelOf(b, 17, 1), SysRgb(clBtnShadow));
    b->SetEnabled(false);   // no thumb
    EXPECT_EQ(PixelOf(b, 17, 1), SysRgb(clBtnFace));
}

TEST_F(ScrollBar, SkinnedLookDrawsTheStatePictures)
{
    auto* b = SkinnedBar(200);
    b->SetRange(0, 100, 0, 0);
    // The normal thumb from the plain fill, the glyph centred on it with
    // its key colour left out.
    EXPECT_EQ(PixelOf(b, 18, 3), NormalFill);
    EXPECT_EQ(PixelOf(b, 24, 7), CheckMark);
    EXPECT_EQ(PixelOf(b, 19, 3), NormalFill);   // key of the glyph: the thumb shows through
    Mouse(b, 20, 8);
    EXPECT_EQ(PixelOf(b, 18, 3), HotFill);
    Mouse(b, 20, 8, 1);
    EXPECT_EQ(PixelOf(b, 18, 3), DownFill);
    Mouse(b, 20, 8, 0);
    // The hot up button from its own picture; its normal look is the bar's.
    Mouse(b, 190, 8);
    EXPECT_EQ(PixelOf(b, 184, 0), HotEdge);
    EXPECT_EQ(PixelOf(b, 190, 8), HotFill);
    Mouse(b, 100, 8);
    EXPECT_EQ(PixelOf(b, 190, 8), Rgb(1, 2, 3));
    b->SetEnabled(false);
    EXPECT_EQ(PixelOf(b, 18, 3), Rgb(1, 2, 3));
}

TEST_F(ScrollBar, HoldingAStepButtonRepeatsAfterAPauseWhileHovered)
{
    auto* b = NewBar(Bounds(10, 10, 200, 19));
    b->SetRange(0, 100, 50, 0);
    ShowAndPaint();
    Mouse(b, 190, 8);
    Mouse(b, 190, 8, 1);
    EXPECT_EQ(b->Position(), 51);
    Advance(499);
    EXPECT_EQ(b->Position(), 51);
    Advance(1);   // the first delay ends, the repeat is armed
    Advance(50);
    EXPECT_EQ(b->Position(), 52);
    Advance(50);
    EXPECT_EQ(b->Position(), 53);
    Mouse(b, 100, 8);   // off the button: the repeat pauses
    Advance(200);
    EXPECT_EQ(b->Position(), 53);
    Mouse(b, 190, 8);   // back on it: resumes
    Advance(50);
    EXPECT_EQ(b->Position(), 54);
    Mouse(b, 190, 8, 0);
    Advance(500);
    EXPECT_EQ(b->Position(), 54);
    EXPECT_EQ(b->TimerMode, 0);
    // The down button lowers the value.
    Click(b, 5, 8);
    EXPECT_EQ(b->Position(), 53);
}

TEST_F(ScrollBar, AButtonHandlerReplacesTheStepAndRepeats)
{
    auto* b = NewBar(Bounds(10, 10, 200, 19));
    b->SetRange(0, 100, 50, 0);
    int clicks = 0;
    b->OnUpButtonClick = [&](TObject*) { ++clicks; };
    ShowAndPaint();
    Mouse(b, 190, 8);
    Mouse(b, 190, 8, 1);
    Advance(500);
    Advance(50);
    Advance(50);
    Mouse(b, 190, 8, 0);
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(b->Position(), 50);
}

TEST_F(ScrollBar, PageStepsRepeatUntilTheThumbReachesTheMouse)
{
    auto* b = NewBar(Bounds(10, 10, 200, 19));
    b->SetRange(0, 100, 0, 0);
    b->SetLargeChange(20);
    ShowAndPaint();
    // Track 17..183; the thumb centre for p is 25 + round(150 p / 100).
    Mouse(b, 100, 8);
    Mouse(b, 100, 8, 1);
    EXPECT_EQ(b->Position(), 20);
    Advance(500);
    for (int i = 0; i < 5; ++i)
        Advance(50);
    // 40 puts the thumb at 77..93, 60 at 107..123: the thumb passed the mouse.
    EXPECT_EQ(b->Position(), 60);
    EXPECT_EQ(b->TimerMode, 0);
    Mouse(b, 100, 8, 0);
    EXPECT_EQ(Events, (std::vector<std::string>{"change", "pagedown", "change", "pagedown", "change", "pagedown"}));
}

TEST_F(ScrollBar, LeavingTheBarEndsAPageDownRepeatButNotAPageUp)
{
    auto* b = NewBar(Bounds(10, 10, 200, 19));
    b->SetRange(0, 100, 50, 0);
    b->SetLargeChange(5);
    ShowAndPaint();
    Mouse(b, 170, 8);
    Mouse(b, 170, 8, 1);   // page down to 55
    Mouse(b, 170, 40);     // off the bar, button held
    Advance(500);
    Advance(50);
    EXPECT_EQ(b->Position(), 55);
    Mouse(b, 170, 40, 0);
    Mouse(b, 30, 8);
    Mouse(b, 30, 8, 1);   // page up to 50
    Mouse(b, 30, 40);
    Advance(500);
    Advance(50);
    Advance(50);
    EXPECT_EQ(b->Position(), 40);
    Mouse(b, 30, 40, 0);
}

TEST_F(ScrollBar, DraggingTheThumbFollowsTheMouseAndReportsTheEnd)
{
    auto* b = NewBar(Bounds(10, 10, 200, 19));
    b->SetRange(0, 100, 0, 0);
    ShowAndPaint();
    // Offsets 25..175: 150 pixels for 100 steps.
    Mouse(b, 20, 8);
    Mouse(b, 20, 8, 1);
    Mouse(b, 95, 8);   // 75 pixels: half the way
    EXPECT_EQ(b->Position(), 50);
    Mouse(b, 195, 30);   // beyond the end, off the bar
    EXPECT_EQ(b->Position(), 100);
    Mouse(b, 0, 8);
    EXPECT_EQ(b->Position(), 0);
    Mouse(b, 0, 8, 0);
    EXPECT_EQ(Events, (std::vector<std::string>{"change", "change", "change", "last"}));
    EXPECT_FALSE(b->FDown);
}

TEST_F(ScrollBar, DraggingWithAPageUsesTheThumbsLength)
{
    auto* b = NewBar(Bounds(10, 10, 200, 19));
    b->SetRange(0, 99, 0, 50);   // thumb round(166 * 50 / 100) = 83 long
    ShowAndPaint();
    EXPECT_EQ(Thumb(b), Rect(17, 1, 99, 18));
    Mouse(b, 30, 8);
    Mouse(b, 30, 8, 1);
    Mouse(b, 72, 8);   // 42 of 84 pixels (centres 58..142): half of the 50 steps
    EXPECT_EQ(b->Position(), 25);
    Mouse(b, 71, 8);   // 41 of 84: round(24.4)
    EXPECT_EQ(b->Position(), 24);
    Mouse(b, 71, 8, 0);
}

TEST_F(ScrollBar, KeysWheelAndFocusOnlyWhenTheBarMayTakeTheFocus)
{
    auto* b = NewBar(Bounds(10, 10, 200, 19));
    b->SetRange(0, 100, 50, 0);
    b->SetSmallChange(3);
    ShowAndPaint();
    Click(b, 100, 8);   // a page step, but no focus
    EXPECT_FALSE(b->Focused());
    b->SetCanFocused(true);
    EXPECT_TRUE(b->TabStop());
    Click(b, 100, 8);
    EXPECT_TRUE(b->Focused());
    const int p = b->Position();
    struct TCase {
        int Key;
        int Delta;
    } keys[] = {{VK_RIGHT, 3}, {VK_DOWN, 3}, {VK_LEFT, -3}, {VK_UP, -3}};
    int want = p;
    for (const TCase& k : keys) {
        Key(k.Key, true);
        Key(k.Key, false);
        want += k.Delta;
        EXPECT_EQ(b->Position(), want) << k.Key;
    }
    EXPECT_EQ(b->Perform(CM_WANTSPECIALKEY, VK_LEFT), 1);
    b->Perform(WM_MOUSEWHEEL, WPARAM(uint16_t(-120)) << 16, 0);
    EXPECT_EQ(b->Position(), want + 3);
    b->Perform(WM_MOUSEWHEEL, WPARAM(120) << 16, 0);
    EXPECT_EQ(b->Position(), want);
    b->SetCanFocused(false);
    Key(VK_RIGHT, true);
    Key(VK_RIGHT, false);
    b->Perform(WM_MOUSEWHEEL, WPARAM(120) << 16, 0);
    EXPECT_EQ(b->Position(), want);
    EXPECT_EQ(b->Perform(CM_WANTSPECIALKEY, VK_LEFT), 0);
}

TEST_F(ScrollBar, TheFocusedThumbLooksPressed)
{
    auto* b = NewBar(Bounds(10, 10, 200, 19));
    b->SetRange(0, 100, 0, 0);
    b->SetCanFocused(true);
    ShowAndPaint();
    b->SetFocus();
    Pump();
    EXPECT_EQ(PixelOf(b, 20, 8), Rgb(0xA2, 0xBC, 0xE4));
}

TEST_F(ScrollBar, BothSwapsTheSkinRecordAndBack)
{
    LoadSkin();
    auto* b = NewBar(Bounds(0, 0, 200, 16));
    b->SetSkinData(Data);
    ShowAndPaint();
    b->SetBoth(true);
    EXPECT_EQ(b->SkinDataName(), "bothhscrollbar");
    EXPECT_EQ(b->FIndex, -1);   // the test skin has no corner record
    b->SetBoth(false);
    EXPECT_EQ(b->SkinDataName(), "hscrollbar");
    EXPECT_NE(b->FIndex, -1);
    b->SetBothMarkerWidth(-3);
    EXPECT_EQ(b->BothMarkerWidth(), 19);
}

TEST_F(ScrollBar, AStateRectangleLeftOutFallsBackToTheHotOne)
{
    LoadSkin();
    auto* b = NewBar(Bounds(0, 0, 200, 16));
    b->SetSkinDataName("plainbar");
    b->SetSkinData(Data);
    EXPECT_EQ(b->ActiveThumbRect, Rect(3, 3, 27, 17));
    EXPECT_EQ(b->DownThumbRect, Rect(3, 3, 27, 17));
    EXPECT_TRUE(b->ActiveUpButtonRect.IsEmpty());
    EXPECT_TRUE(b->DownUpButtonRect.IsEmpty());
    auto* s = NewBar(Bounds(0, 20, 200, 16));
    s->SetSkinData(Data);
    EXPECT_EQ(s->DownUpButtonRect, Rect(30, 0, 46, 16));
    EXPECT_EQ(s->DownDownButtonRect, Rect(60, 0, 76, 16));
    EXPECT_EQ(s->DownGlyphRect, Rect(0, 20, 13, 33));
}
