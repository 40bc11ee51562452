#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_Panel.h"

using namespace skintest;
using skin::TbsSkinGroupBox;
using skin::TbsSkinPaintPanel;
using skin::TbsSkinPanel;

namespace {

// Panel records on the test picture: a plain nine-slice frame; one with an
// 8-pixel caption band in its top border; a group box whose caption lies
// below its client area.
const std::string PanelControls = "panel:panel\r\ncappanel:panel\r\ngroupbox:panel\r\nlowcap:panel\r\n";
const std::string PanelSections =
    "[panel]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,3,27,17\r\n"
    "[cappanel]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,8\r\nrighttoppoint=27,8\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,8,27,17\r\ncaptionrect=3,0,27,8\r\n"
    "alignment=taleftjustify\r\nfontname=Tahoma\r\nfontheight=13\r\nfontcolor=16711680\r\n"
    "checkimagerect=0,20,13,33\r\nuncheckimagerect=13,20,26,33\r\n"
    "[groupbox]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,8\r\nrighttoppoint=27,8\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,8,27,17\r\ncaptionrect=3,0,27,8\r\n"
    "[lowcap]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,12\r\nrightbottompoint=27,12\r\nclientrect=3,3,27,12\r\ncaptionrect=3,14,27,17\r\n";

struct SkinPanel : TSkinFixture {
    SkinPanel() { Folder.Rewrite(SkinIni(PanelControls, PanelSections)); }
    TbsSkinPanel* NewPanel(const std::string& AName, TRect ABounds)
    {
        auto* p = Add(new TbsSkinPanel(Form.get()), ABounds);
        p->SetSkinDataName(AName);
        return p;
    }
    static TRect ClientOf(TbsSkinPanel* P)
    {
        TRect r;
        P->GetSkinClientRect(r);
        return r;
    }
    // Whether any pixel of the control's rectangle R has AColour.
    bool AnyPixel(TControl* C, const TRect& R, uint32_t AColour)
    {
        return AnyPixelWhere(C, R, [&](uint32_t P) { return P == AColour; });
    }
    template <class TPred>
    bool AnyPixelWhere(TControl* C, const TRect& R, TPred APred)
    {
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                if (APred(PixelOf(C, x, y)))
                    return true;
        return false;
    }
    // Caption text in the record's blue, smoothed into the picture.
    static bool Bluish(uint32_t P) { return (P & 0xFF) >= 0xC0 && (P >> 16) < 0x80; }
};

} // namespace

TEST_F(SkinPanel, StartsAsAFramedPanelOfTheDefaultSize)
{
    TbsSkinPanel p(nullptr);
    EXPECT_EQ(p.Width(), 150);
    EXPECT_EQ(p.Height(), 150);
    EXPECT_EQ(p.SkinDataName(), "panel");
    EXPECT_TRUE(p.ForcebackGround());
    EXPECT_EQ(p.BorderStyle(), skin::bvFrame);
    EXPECT_EQ(p.DefaultCaptionHeight(), 20);
    EXPECT_EQ(p.RealHeight, -1);
    EXPECT_EQ(p.ControlStyle, unsigned(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque |
                                       csDoubleClicks | csReplicatable));
    TbsSkinGroupBox g(nullptr);
    EXPECT_EQ(g.SkinDataName(), "groupbox");
    EXPECT_TRUE(g.CaptionMode());
    TbsSkinPaintPanel pp(nullptr);
    EXPECT_FALSE(pp.ForcebackGround());
}

TEST_F(SkinPanel, TheBuiltInClientAreaLeavesRoomForFrameAndCaption)
{
    struct TCase {
        skin::TbsSkinBorderStyle Border;
        bool Caption, Ribbon;
        TRect Want;
    } cases[] = {
        {skin::bvFrame, false, false, Rect(1, 1, 99, 59)}, {skin::bvNone, false, false, Rect(0, 0, 100, 60)},
        {skin::bvFrame, true, false, Rect(1, 21, 99, 59)}, {skin::bvLowered, true, true, Rect(1, 1, 99, 39)},
        {skin::bvNone, true, false, Rect(0, 20, 100, 60)},
    };
    for (const TCase& c : cases) {
        auto* p = NewPanel("panel", Bounds(0, 0, 100, 60));
        p->SetBorderStyle(c.Border);
        p->SetCaptionMode(c.Caption);
        p->SetRibbonStyle(c.Ribbon);
        EXPECT_EQ(ClientOf(p), c.Want) << int(c.Border) << c.Caption << c.Ribbon;
        delete p;
    }
    auto* empty = NewPanel("panel", Bounds(0, 0, 100, 60));
    empty->SetCaptionMode(true);
    empty->EmptyDrawing = true;
    EXPECT_EQ(ClientOf(empty), Rect(0, 0, 100, 60));
}

TEST_F(SkinPanel, ChildrenAreAlignedInsideTheClientArea)
{
    auto* p = NewPanel("panel", Bounds(0, 0, 100, 60));
    p->SetCaptionMode(true);
    auto* child = new TbsSkinPanel(Form.get());
    child->SetParent(p);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(1, 21, 99, 59));
    p->SetSkinData(Data);
    LoadSkin();
    EXPECT_EQ(child->BoundsRect(), Rect(3, 3, 97, 57));   // the skin's client part
}

TEST_F(SkinPanel, TheBuiltInLookDrawsTheBorderStyleAndTheCaptionBand)
{
    auto* framed = NewPanel("panel", Bounds(0, 0, 100, 60));
    framed->SetCaptionMode(true);
    auto* raised = NewPanel("panel", Bounds(110, 0, 100, 60));
    raised->SetBorderStyle(skin::bvRaised);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(framed, 0, 40), ColorRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(framed, 99, 40), ColorRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(framed, 50, 40), ColorRgb(clBtnFace));
    EXPECT_EQ(PixelOf(framed, 98, 10), ColorRgb(clBtnShadow));   // the caption band
    EXPECT_EQ(PixelOf(raised, 0, 30), ColorRgb(clBtnHighlight));
    EXPECT_EQ(PixelOf(raised, 99, 30), ColorRgb(clBtnShadow));
    EXPECT_EQ(PixelOf(raised, 50, 5), ColorRgb(clBtnFace));   // no caption band
}

TEST_F(SkinPanel, ASkinnedPanelDrawsItsFrameAndTilesItsClientPart)
{
    LoadSkin();
    auto* p = NewPanel("panel", Bounds(10, 10, 100, 60));
    p->SetSkinData(Data);
    auto* tiled = NewPanel("panel", Bounds(120, 10, 100, 60));
    tiled->SetBorderStyle(skin::bvNone);
    tiled->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(ClientOf(p), Rect(3, 3, 97, 57));
    EXPECT_EQ(PixelOf(p, 0, 0), NormalEdge);
    EXPECT_EQ(PixelOf(p, 99, 59), NormalEdge);
    EXPECT_EQ(PixelOf(p, 50, 30), NormalFill);
    // Without a border the client piece covers the whole panel.
    EXPECT_EQ(ClientOf(tiled), Rect(0, 0, 100, 60));
    EXPECT_EQ(PixelOf(tiled, 0, 0), NormalFill);
    EXPECT_EQ(PixelOf(tiled, 99, 59), NormalFill);
}

TEST_F(SkinPanel, ASkinnedCaptionIsDrawnWheneverTheRecordHasACaptionArea)
{
    LoadSkin();
    auto* p = NewPanel("cappanel", Bounds(10, 10, 100, 60));
    p->SetCaption("WWWW");
    p->SetSkinData(Data);
    auto* noCaption = NewPanel("panel", Bounds(120, 10, 100, 60));
    noCaption->SetCaption("WWWW");
    noCaption->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(p->NewCaptionRect, Rect(3, 0, 97, 8));
    EXPECT_TRUE(AnyPixelWhere(p, Rect(3, 0, 40, 8), Bluish));
    EXPECT_FALSE(AnyPixelWhere(p, Rect(3, 8, 97, 60), Bluish));
    EXPECT_FALSE(AnyPixelWhere(noCaption, Rect(0, 0, 100, 60), [](uint32_t P) { return P != NormalEdge && P != NormalFill; }));
}

TEST_F(SkinPanel, OnCheckedFiresOnEveryAssignmentAndTheChildrenFollow)
{
    auto* p = NewPanel("panel", Bounds(10, 10, 100, 60));
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    auto* child = NewPanel("panel", Bounds(0, 0, 10, 10));
    child->SetParent(p);
    int fired = 0;
    p->OnChecked = [&](TObject*) { ++fired; };
    p->SetChecked(false);
    p->SetChecked(false);
    EXPECT_EQ(fired, 2);
    EXPECT_FALSE(child->Enabled());
    ShowAndPaint();
    Click(p, 50, 10);   // on the caption band
    EXPECT_TRUE(p->Checked());
    EXPECT_TRUE(child->Enabled());
    Click(p, 50, 40);   // below it
    EXPECT_TRUE(p->Checked());
    EXPECT_EQ(fired, 3);
}

TEST_F(SkinPanel, RollingUpShrinksToTheCaptionAndRollingDownReturns)
{
    auto* p = NewPanel("panel", Bounds(10, 10, 100, 80));
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    auto* child = NewPanel("panel", Bounds(5, 30, 20, 20));
    child->SetParent(p);
    int changes = 0;
    p->OnChangeRollUpState = [&](TObject*) { ++changes; };
    ShowAndPaint();
    Click(p, 50, 10);
    EXPECT_TRUE(p->RollUpState());
    EXPECT_EQ(p->Height(), 21);
    EXPECT_EQ(p->RealHeight, 80);
    EXPECT_FALSE(child->Visible());
    p->DoRollUp(true);   // already rolled up: nothing
    EXPECT_EQ(p->RealHeight, 80);
    Click(p, 50, 10);
    EXPECT_FALSE(p->RollUpState());
    EXPECT_EQ(p->Height(), 80);
    EXPECT_EQ(p->RealHeight, -1);
    EXPECT_TRUE(child->Visible());
    p->DoRollUp(false);   // not rolled up: nothing
    EXPECT_EQ(p->Height(), 80);
    EXPECT_EQ(changes, 2);
}

TEST_F(SkinPanel, ASkinChangeWhileRolledUpKeepsThePanelRolledUp)
{
    LoadSkin();
    auto* p = NewPanel("cappanel", Bounds(10, 10, 100, 80));
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    p->SetSkinData(Data);
    auto* child = NewPanel("panel", Bounds(5, 30, 20, 20));
    child->SetParent(p);
    child->SetAlign(alBottom);
    p->SetRollUpState(true);
    EXPECT_EQ(p->Height(), 11);   // the skin's frame without its client part
    LoadSkin();
    EXPECT_TRUE(p->RollUpState());
    EXPECT_EQ(p->Height(), 11);
    EXPECT_EQ(p->RealHeight, 80);
    p->SetRollUpState(false);
    EXPECT_EQ(p->Height(), 80);
    // Alignment works again after the repeated roll-up.
    EXPECT_EQ(child->BoundsRect(), Rect(3, 57, 97, 77));
}

TEST_F(SkinPanel, ConstraintsComeBackOnlyAfterRollUpModeIsOff)
{
    auto* p = NewPanel("panel", Bounds(10, 10, 100, 80));
    p->SetCaptionMode(true);
    p->SetRollUpMode(true);
    p->Constraints.MinHeight = 50;
    p->Constraints.MaxHeight = 200;
    p->SetRollUpState(true);
    EXPECT_EQ(p->Constraints.MinHeight, 0);
    p->SetRollUpState(false);
    EXPECT_EQ(p->Constraints.MaxHeight, 0);
    p->SetRollUpMode(false);
    p->SetRollUpState(true);
    EXPECT_FALSE(p->RollUpState());
    EXPECT_EQ(p->Constraints.MinHeight, 50);
    EXPECT_EQ(p->Constraints.MaxHeight, 200);
}

TEST_F(SkinPanel, ATransparentPanelShowsWhatLiesBeneathIt)
{
    LoadSkin();
    auto* p = NewPanel("panel", Bounds(10, 10, 100, 60));
    p->SetSkinData(Data);
    p->SetTransparentMode(true);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(p, 50, 30), Background);
    EXPECT_EQ(PixelOf(p, 0, 30), Rgb(64, 64, 64));   // the skin's shadow colour
    p->SetBorderStyle(skin::bvNone);
    p->Invalidate();
    EXPECT_EQ(PixelOf(p, 0, 30), Background);
}

TEST_F(SkinPanel, ATransparentGroupFrameBreaksItsLineForTheCaption)
{
    LoadSkin();
    auto* p = NewPanel("cappanel", Bounds(10, 10, 120, 60));
    p->SetCaptionMode(true);
    p->SetCaption("Mm");
    p->SetSkinData(Data);
    p->SetTransparentMode(true);
    ShowAndPaint();
    const int y = p->NewCaptionRect.Bottom / 2;
    EXPECT_EQ(p->NewCaptionRect.Left, 5);
    EXPECT_EQ(PixelOf(p, 2, y), Rgb(64, 64, 64));
    EXPECT_EQ(PixelOf(p, 119, y), Rgb(64, 64, 64));
    EXPECT_EQ(PixelOf(p, 119, 50), Rgb(64, 64, 64));
    EXPECT_EQ(PixelOf(p, 60, 59), Rgb(64, 64, 64));
    EXPECT_EQ(PixelOf(p, 60, 40), Background);
    EXPECT_TRUE(AnyPixel(p, Rect(5, 0, 40, p->NewCaptionRect.Bottom), Rgb(255, 0, 0)));   // stdlabel colour
}

TEST_F(SkinPanel, WithoutSkinSizeTheCaptionBandTakesTheDefaultHeight)
{
    LoadSkin();
    auto* p = NewPanel("cappanel", Bounds(10, 10, 100, 60));
    p->UseSkinSize = false;
    p->SetCaptionMode(true);
    p->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(p->NewCaptionRect, Rect(3, 3, 97, 19));
    EXPECT_EQ(PixelOf(p, 0, 0), NormalEdge);          // the "panel" record's frame
    EXPECT_EQ(PixelOf(p, 50, 18), NormalFill);        // the stretched caption piece
    EXPECT_EQ(PixelOf(p, 50, 40), NormalFill);
    EXPECT_EQ(ClientOf(p).Top, 20);
}

TEST_F(SkinPanel, AGroupBoxWithItsCaptionBelowDrawsWithoutTheForcedBackground)
{
    LoadSkin();
    auto* g = Add(new TbsSkinGroupBox(Form.get()), Bounds(10, 10, 100, 60));
    g->SetSkinData(Data);
    EXPECT_TRUE(g->ForcebackGround());
    g->SetSkinDataName("lowcap");
    g->ChangeSkinData();
    EXPECT_FALSE(g->ForcebackGround());
}

TEST_F(SkinPanel, APaintPanelLetsTheApplicationPaintItsClientArea)
{
    auto* p = Add(new TbsSkinPaintPanel(Form.get()), Bounds(10, 10, 100, 60));
    TRect got;
    p->OnPanelPaint = [&](TCanvas* C, TRect R) {
        got = R;
        C->Brush()->SetColor(ColorOf(HotFill));
        C->FillRect(R);
    };
    ShowAndPaint();
    EXPECT_EQ(got, Rect(1, 1, 99, 59));
    EXPECT_EQ(PixelOf(p, 50, 30), HotFill);
    EXPECT_EQ(PixelOf(p, 0, 30), ColorRgb(clBtnShadow));
}

TEST_F(SkinPanel, PaintsItsPictureIntoAnyCanvas)
{
    LoadSkin();
    auto* p = NewPanel("panel", Bounds(10, 10, 40, 30));
    p->SetSkinData(Data);
    TBitmap b;
    b.SetSize(50, 40);
    p->PaintskinTo(b.Canvas(), 5, 5);
    auto at = [&](int X, int Y) { return reinterpret_cast<uint32_t*>(b.ScanLine(Y))[X] & 0xFFFFFF; };
    EXPECT_EQ(at(5, 5), NormalEdge);
    EXPECT_EQ(at(25, 20), NormalFill);
    EXPECT_EQ(at(44, 34), NormalEdge);
}

TEST_F(SkinPanel, AZeroSizedOrEmptyDrawingPanelPaintsNothing)
{
    auto* p = NewPanel("panel", Bounds(10, 10, 100, 60));
    p->SetCaptionMode(true);
    p->EmptyDrawing = true;
    auto* zero = NewPanel("panel", Bounds(120, 10, 0, 0));
    ShowAndPaint();
    EXPECT_FALSE(AnyPixelWhere(p, Rect(0, 0, 100, 60),
                               [](uint32_t P) { return P == ColorRgb(clBtnShadow) || P == ColorRgb(clBtnFace); }));
    zero->Invalidate();   // nothing to paint: no crash either
    Pump();
}

TEST_F(SkinPanel, TheBuiltInCaptionShowsGlyphCheckBoxAndRollUpArrow)
{
    // Two 8 x 8 frames, hot colours then pressed ones, bottom-left pixel the key.
    TBitmap glyph;
    glyph.SetSize(16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            glyph.Canvas()->SetPixels(x, y, ColorOf(x % 8 == 0 && y == 7 ? CheckKey : x < 8 ? HotEdge : DownEdge));
    auto* p = NewPanel("panel", Bounds(10, 10, 100, 60));
    p->SetCaptionMode(true);
    p->SetGlyph(&glyph);
    p->SetNumGlyphs(2);
    auto* checked = NewPanel("panel", Bounds(120, 10, 100, 60));
    checked->SetCaptionMode(true);
    checked->SetCheckedMode(true);
    checked->SetRollUpMode(true);
    ShowAndPaint();
    // The glyph at the text's place, left: (4, 20 / 2 - 8 / 2).
    EXPECT_EQ(PixelOf(p, 6, 8), HotEdge);
    EXPECT_EQ(PixelOf(p, 4, 13), ColorRgb(clBtnShadow));   // its key pixel is a hole
    p->SetEnabled(false);
    EXPECT_EQ(PixelOf(p, 6, 8), DownEdge);   // the disabled frame
    // The check box at (5, 4), its mark from (8, 11) when checked.
    EXPECT_EQ(PixelOf(checked, 6, 5), ColorRgb(clWindow));
    EXPECT_EQ(PixelOf(checked, 10, 13), ColorRgb(clWindow));
    checked->SetChecked(true);
    EXPECT_EQ(PixelOf(checked, 10, 13), ColorRgb(clBtnText));
    // The roll-up arrow in (90, 0, 96, 20): tip up at (93, 8), down when rolled up.
    EXPECT_EQ(PixelOf(checked, 93, 8), ColorRgb(clBtnText));
    checked->SetRollUpState(true);
    EXPECT_EQ(PixelOf(checked, 93, 12), ColorRgb(clBtnText));
    EXPECT_EQ(PixelOf(checked, 93, 8), ColorRgb(clBtnShadow));
}

TEST_F(SkinPanel, ASkinnedCheckedCaptionShowsTheSkinsCheckPictures)
{
    LoadSkin();
    auto* p = NewPanel("cappanel", Bounds(10, 10, 100, 60));
    p->SetCaptionMode(true);
    p->SetCheckedMode(true);
    p->SetCaption("X");
    p->SetSkinData(Data);
    ShowAndPaint();
    // The picture at (3, 8 / 2 - 13 / 2): its mark's pixel (5, 5) at (8, 3).
    EXPECT_EQ(PixelOf(p, 8, 3), UncheckMark);
    Click(p, 50, 4);
    EXPECT_TRUE(p->Checked());
    EXPECT_EQ(PixelOf(p, 8, 3), CheckMark);
    Click(p, 50, 20);   // below the caption area
    EXPECT_TRUE(p->Checked());
}

TEST_F(SkinPanel, ABackgroundPictureCoversThePanel)
{
    Folder.Rewrite(SkinIni(PanelControls + "bgpanel:panel\r\n",
                           PanelSections + "[bgpanel]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\n"
                                           "lefttoppoint=3,3\r\nrighttoppoint=27,3\r\nleftbottompoint=3,17\r\n"
                                           "rightbottompoint=27,17\r\nclientrect=3,3,27,17\r\nbgpictureindex=0\r\n"));
    LoadSkin();
    auto* p = NewPanel("bgpanel", Bounds(10, 10, 150, 80));
    p->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(p->BGPictureIndex, 0);
    EXPECT_EQ(ClientOf(p), Rect(0, 0, 150, 80));   // no frame: the children get it all
    EXPECT_EQ(PixelOf(p, 0, 0), NormalEdge);       // the whole picture, tiled from (0, 0)
    EXPECT_EQ(PixelOf(p, 35, 5), HotFill);
    EXPECT_EQ(PixelOf(p, 5, 60 + 5), NormalFill);  // the second row of tiles
}

TEST_F(SkinPanel, ATransparentPanelTellsItsChildrenWhenItMoves)
{
    struct TListener : TbsSkinPanel {
        using TbsSkinPanel::TbsSkinPanel;
        int Notices = 0;
        void CheckParentBackground() override { ++Notices; }
    };
    LoadSkin();
    auto* p = NewPanel("panel", Bounds(10, 10, 100, 60));
    p->SetSkinData(Data);
    auto* child = new TListener(Form.get());
    child->SetParent(p);
    ShowAndPaint();
    p->SetBounds(20, 10, 100, 60);
    EXPECT_EQ(child->Notices, 0);   // an opaque panel keeps it to itself
    p->SetTransparentMode(true);
    EXPECT_EQ(child->Notices, 1);
    p->SetBounds(30, 10, 100, 60);
    Pump();
    EXPECT_EQ(child->Notices, 2);
}
