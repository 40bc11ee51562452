#include "SkinControlsTestSupport.h"

using namespace skintest;
using skin::TbsGraphicSkinCustomControl;
using skin::TbsSkinCustomControl;

namespace {

uint32_t RgbOf(TColor AColor)
{
    const COLORREF c = ColorToRGB(AColor);
    return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A skinned control that counts its look-ups and parent notices.
class TProbe : public TbsSkinCustomControl {
public:
    TProbe(TComponent* AOwner, const std::string& AName) : TbsSkinCustomControl(AOwner) { SetSkinDataName(AName); }
    int LookUps = 0;
    int ParentNotices = 0;
    void CallPaint() { Paint(); }
    void GetSkinData() override
    {
        ++LookUps;
        TbsSkinCustomControl::GetSkinData();
    }
    void CheckParentBackground() override { ++ParentNotices; }
    using TbsSkinCustomControl::FRgn;
};

class TGraphicProbe : public TbsGraphicSkinCustomControl {
public:
    TGraphicProbe(TComponent* AOwner, const std::string& AName) : TbsGraphicSkinCustomControl(AOwner)
    {
        SetSkinDataName(AName);
    }
};

using SkinBase = TSkinFixture;

} // namespace

TEST_F(SkinBase, ResizeModeFollowsTheRecordsCornerPoints)
{
    LoadSkin();
    struct TCase {
        const char* Name;
        int Mode;
        bool HasPicture;
    } cases[] = {{"button", 1, true}, {"fixed", 0, true}, {"hbar", 2, true}, {"vbar", 3, true}, {"plain", 0, false}};
    for (const TCase& c : cases) {
        auto* p = Add(new TProbe(Form.get(), c.Name), Bounds(0, 0, 40, 30));
        p->SetSkinData(Data);
        EXPECT_NE(p->FIndex, -1) << c.Name;
        EXPECT_EQ(p->ResizeMode, c.Mode) << c.Name;
        EXPECT_EQ(p->Picture != nullptr, c.HasPicture) << c.Name;
    }
    auto* missing = Add(new TProbe(Form.get(), "nosuchrecord"), Bounds(0, 0, 40, 30));
    missing->SetSkinData(Data);
    EXPECT_EQ(missing->FIndex, -1);
}

TEST_F(SkinBase, TheSkinDecidesWhichSizesAControlTakes)
{
    LoadSkin();
    struct TCase {
        const char* Name;
        TRect Want;
        TRect WantClient;
    } cases[] = {
        {"button", Bounds(5, 6, 70, 45), Rect(3, 3, 67, 42)},   // nine-slice: any size
        {"fixed", Bounds(5, 6, 30, 20), Rect(3, 3, 27, 17)},    // the picture's size
        {"hbar", Bounds(5, 6, 70, 20), Rect(3, 3, 67, 17)},     // height fixed
        {"vbar", Bounds(5, 6, 30, 45), Rect(3, 3, 27, 42)},     // width fixed
    };
    for (const TCase& c : cases) {
        auto* p = Add(new TProbe(Form.get(), c.Name), Bounds(0, 0, 40, 30));
        p->SetSkinData(Data);
        p->SetBounds(5, 6, 70, 45);
        EXPECT_EQ(p->BoundsRect(), c.Want) << c.Name;
        EXPECT_EQ(p->RealClientRect(), c.WantClient) << c.Name;
    }
}

TEST_F(SkinBase, AnUnskinnedControlTakesItsDefaultSizeOnASkinChange)
{
    auto* p = Add(new TProbe(Form.get(), "nosuchrecord"), Bounds(0, 0, 40, 30));
    p->SetDefaultHeight(21);   // applied at once while unskinned
    EXPECT_EQ(p->Height(), 21);
    p->SetSkinData(Data);
    LoadSkin();
    p->SetBounds(0, 0, 50, 50);
    EXPECT_EQ(p->BoundsRect(), Bounds(0, 0, 50, 50));
    p->ChangeSkinData();
    EXPECT_EQ(p->BoundsRect(), Bounds(0, 0, 50, 21));
}

TEST_F(SkinBase, AModelWithoutASkinReskinsTheControlWhenItLoads)
{
    auto* p = Add(new TProbe(Form.get(), "fixed"), Bounds(0, 0, 50, 40));
    p->SetSkinData(Data);   // nothing loaded: no change yet
    EXPECT_EQ(p->FIndex, -1);
    EXPECT_EQ(p->BoundsRect(), Bounds(0, 0, 50, 40));
    LoadSkin();   // the load's SKN_SKINCHANGE reaches the control through the form
    EXPECT_NE(p->FIndex, -1);
    EXPECT_EQ(p->BoundsRect(), Bounds(0, 0, 30, 20));
    EXPECT_EQ(Form->Messages, (std::vector<unsigned>{skin::SKN_BEFORESKINCHANGE, skin::SKN_SKINCHANGE,
                                                     skin::SKN_AFTERSKINCHANGE}));
}

TEST_F(SkinBase, PaintsTheBuiltInLookWithoutARecordAndThePictureWithOne)
{
    auto* p = Add(new TProbe(Form.get(), "fixed"), Bounds(10, 10, 30, 20));
    ShowAndPaint();
    EXPECT_EQ(PixelOf(p, 0, 0), RgbOf(clBtnFace));
    EXPECT_EQ(PixelOf(p, 15, 10), RgbOf(clBtnFace));
    p->SetSkinData(Data);
    LoadSkin();
    EXPECT_EQ(PixelOf(p, 0, 0), HotEdge);
    EXPECT_EQ(PixelOf(p, 15, 10), HotFill);
    EXPECT_EQ(PixelOf(p, 29, 19), HotEdge);
    // Clearing the skin brings the built-in look back.
    Data->ClearSkin();
    EXPECT_EQ(p->FIndex, -1);
    EXPECT_EQ(PixelOf(p, 15, 10), RgbOf(clBtnFace));
}

TEST_F(SkinBase, AControlWithoutSizeNeitherPaintsNorLooksUp)
{
    LoadSkin();
    auto* p = Add(new TProbe(Form.get(), "button"), Bounds(10, 10, 0, 0));
    p->SetSkinData(Data);   // nine-slice: keeps its empty size
    ShowAndPaint();
    p->LookUps = 0;
    p->CallPaint();
    EXPECT_EQ(p->LookUps, 0);
}

TEST_F(SkinBase, ANewSkinDataNameShowsAtTheNextPaint)
{
    LoadSkin();
    auto* p = Add(new TProbe(Form.get(), "fixed"), Bounds(10, 10, 30, 20));
    p->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(p, 15, 10), HotFill);
    p->SetSkinDataName("fixeddown");
    EXPECT_EQ(PixelOf(p, 15, 10), HotFill);   // nothing repainted yet
    p->Invalidate();
    EXPECT_EQ(PixelOf(p, 15, 10), DownFill);
}

TEST_F(SkinBase, ASkinChangeReadsTheRecordAgain)
{
    LoadSkin();
    auto* p = Add(new TProbe(Form.get(), "fixed"), Bounds(10, 10, 30, 20));
    p->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(p, 15, 10), HotFill);
    std::string ini = SkinIni();
    const std::string old = "[fixed]\r\npictureindex=0\r\nskinrect=30,0,60,20";
    ini.replace(ini.find(old), old.size(), "[fixed]\r\npictureindex=0\r\nskinrect=60,0,80,10");
    Folder.Rewrite(ini);
    LoadSkin();
    EXPECT_EQ(p->BoundsRect(), Bounds(10, 10, 20, 10));
    EXPECT_EQ(PixelOf(p, 10, 5), DownFill);
    EXPECT_EQ(PixelOf(p, 0, 0), DownEdge);
}

TEST_F(SkinBase, RemovingTheModelForgetsIt)
{
    LoadSkin();
    auto* p = Add(new TProbe(Form.get(), "fixed"), Bounds(10, 10, 30, 20));
    auto* g = Add(new TGraphicProbe(Form.get(), "fixed"), Bounds(50, 10, 30, 20));
    p->SetSkinData(Data);
    g->SetSkinData(Data);
    delete Data;
    Data = nullptr;
    EXPECT_EQ(p->SkinData(), nullptr);
    EXPECT_EQ(g->SkinData(), nullptr);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(p, 15, 10), RgbOf(clBtnFace));
    EXPECT_EQ(PixelOf(g, 15, 10), RgbOf(clBtnFace));
}

TEST_F(SkinBase, BeforeAChangeOnlyWindowedControlsForgetTheirRecord)
{
    LoadSkin();
    auto* p = Add(new TProbe(Form.get(), "fixed"), Bounds(10, 10, 30, 20));
    auto* g = Add(new TGraphicProbe(Form.get(), "fixed"), Bounds(50, 10, 30, 20));
    auto* other = Add(new TProbe(Form.get(), "fixed"), Bounds(90, 10, 30, 20));
    p->SetSkinData(Data);
    g->SetSkinData(Data);
    TbsSkinData otherData(nullptr);
    other->SetSkinData(&otherData);
    skin::BeforeChangeSkinDataOfControls(Form.get(), Data);
    EXPECT_EQ(p->FIndex, -1);
    EXPECT_NE(g->FIndex, -1);
    other->FIndex = 7;
    skin::BeforeChangeSkinDataOfControls(Form.get(), Data);
    EXPECT_EQ(other->FIndex, 7);   // another model's control is left alone
    skin::BeforeChangeSkinDataOfControls(Form.get(), nullptr);
    EXPECT_EQ(other->FIndex, -1);
}

TEST_F(SkinBase, WindowlessControlsPaintOnTheirParent)
{
    LoadSkin();
    auto* g = Add(new TGraphicProbe(Form.get(), "button"), Bounds(20, 30, 60, 30));
    g->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(g->ResizeMode, 1);
    EXPECT_EQ(g->RealClientRect(), Rect(3, 3, 57, 27));
    auto* fixed = Add(new TGraphicProbe(Form.get(), "fixed"), Bounds(100, 30, 60, 30));
    fixed->SetSkinData(Data);
    EXPECT_EQ(fixed->BoundsRect(), Bounds(100, 30, 30, 20));
    EXPECT_EQ(PixelOf(fixed, 15, 10), HotFill);
    EXPECT_EQ(PixelOf(fixed, 0, 19), HotEdge);
}

TEST_F(SkinBase, MapSkinRectMovesRectanglesWithTheirCorner)
{
    LoadSkin();
    auto* p = Add(new TProbe(Form.get(), "button"), Bounds(0, 0, 40, 30));
    p->SetSkinData(Data);   // skin 30 x 20, corners at 3 and 27 / 17: dW 10, dH 10
    struct TCase {
        TRect In, Want;
    } cases[] = {
        {Rect(0, 0, 2, 2), Rect(0, 0, 2, 2)},          // top-left zone
        {Rect(28, 0, 29, 2), Rect(38, 0, 39, 2)},      // top-right zone
        {Rect(0, 18, 2, 19), Rect(0, 28, 2, 29)},      // bottom-left zone
        {Rect(28, 18, 29, 19), Rect(38, 28, 39, 29)},  // bottom-right zone
        {Rect(1, 1, 28, 18), Rect(1, 1, 38, 28)},      // spans the middle both ways
        {Rect(1, 1, 28, 2), Rect(1, 1, 38, 2)},        // spans the top edge
        {Rect(10, 10, 12, 12), Rect(10, 10, 12, 12)},  // inside the middle: stays
    };
    for (const TCase& c : cases)
        EXPECT_EQ(p->MapSkinRect(c.In), c.Want);
    auto* h = Add(new TProbe(Form.get(), "hbar"), Bounds(0, 0, 40, 20));
    h->SetSkinData(Data);
    EXPECT_EQ(h->MapSkinRect(Rect(2, 2, 28, 5)), Rect(2, 2, 38, 5));
    EXPECT_EQ(h->MapSkinRect(Rect(27, 2, 29, 5)), Rect(37, 2, 39, 5));
    EXPECT_EQ(h->MapSkinRect(Rect(5, 2, 9, 5)), Rect(5, 2, 9, 5));
}

TEST_F(SkinBase, ChildrenHearThatTheBackgroundChanged)
{
    auto* parent = Add(new TProbe(Form.get(), "button"), Bounds(0, 0, 100, 80));
    auto* child = new TProbe(Form.get(), "button");
    child->SetBounds(5, 5, 20, 20);
    child->SetParent(parent);
    parent->SendCheckParentBG();
    EXPECT_EQ(child->ParentNotices, 1);
    // A stretched skinned parent tells them whenever its bounds are set.
    std::string ini = SkinIni();
    ini.replace(ini.find("clientrect=3,3,27,17\r\nactiveskinrect"), 20, "clientrect=3,3,27,17\r\nstretcheffect=1");
    Folder.Rewrite(ini);
    parent->SetSkinData(Data);
    LoadSkin();
    child->ParentNotices = 0;
    parent->SetBounds(0, 0, 120, 80);
    EXPECT_EQ(child->ParentNotices, 1);
}

TEST_F(SkinBase, ThePictureIsFittedToTheSizeByResizeMode)
{
    LoadSkin();
    struct TCase {
        const char* Name;
        TRect Bounds;
        std::vector<std::pair<TPoint, uint32_t>> Pixels;
    } cases[] = {
        {"button", Bounds(10, 10, 70, 45),   // nine-slice: edges stay 3 pixels thick
         {{Point(0, 0), NormalEdge}, {Point(69, 44), NormalEdge}, {Point(2, 22), NormalEdge}, {Point(67, 22), NormalEdge},
          {Point(35, 2), NormalEdge}, {Point(35, 42), NormalEdge}, {Point(3, 3), NormalFill}, {Point(66, 41), NormalFill},
          {Point(35, 22), NormalFill}}},
        {"hbar", Bounds(10, 70, 70, 20),   // three-slice across: fixed ends, tiled middle
         {{Point(0, 10), NormalEdge}, {Point(69, 10), NormalEdge}, {Point(35, 1), NormalEdge}, {Point(35, 10), NormalFill},
          {Point(66, 10), NormalFill}}},
        {"vbar", Bounds(100, 10, 30, 60),   // three-slice down
         {{Point(15, 0), NormalEdge}, {Point(15, 59), NormalEdge}, {Point(1, 30), NormalEdge}, {Point(15, 30), NormalFill},
          {Point(15, 56), NormalFill}}},
    };
    std::vector<TProbe*> probes;
    for (const TCase& c : cases) {
        auto* p = Add(new TProbe(Form.get(), c.Name), c.Bounds);
        p->SetSkinData(Data);
        probes.push_back(p);
    }
    ShowAndPaint();
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(probes[i]->BoundsRect(), cases[i].Bounds) << cases[i].Name;
        for (const auto& [at, want] : cases[i].Pixels)
            EXPECT_EQ(PixelOf(probes[i], at.X, at.Y), want) << cases[i].Name << " at " << at.X << "," << at.Y;
    }
}

TEST_F(SkinBase, TheStripPathDrawsTheFrameAndTilesTheClient)
{
    LoadSkin();
    auto* p = Add(new TProbe(Form.get(), "button"), Bounds(10, 10, 70, 45));
    p->SetForcebackGround(true);
    p->SetSkinData(Data);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(p, 0, 0), NormalEdge);
    EXPECT_EQ(PixelOf(p, 69, 44), NormalEdge);
    EXPECT_EQ(PixelOf(p, 1, 22), NormalEdge);
    EXPECT_EQ(PixelOf(p, 68, 22), NormalEdge);
    EXPECT_EQ(PixelOf(p, 35, 22), NormalFill);
    // Without DrawbackGround the client part is left as it was.
    auto* q = Add(new TProbe(Form.get(), "button"), Bounds(100, 10, 70, 45));
    q->SetForcebackGround(true);
    q->SetDrawbackGround(false);
    q->SetSkinData(Data);
    EXPECT_EQ(PixelOf(q, 1, 22), NormalEdge);
    EXPECT_NE(PixelOf(q, 35, 22), NormalFill);
}

TEST_F(SkinBase, AMaskPictureCutsTheWindowRegion)
{
    LoadSkin();
    auto* p = Add(new TProbe(Form.get(), "masked"), Bounds(10, 10, 50, 50));
    p->SetSkinData(Data);
    EXPECT_EQ(p->BoundsRect(), Bounds(10, 10, 30, 20));
    ASSERT_NE(p->FRgn, nullptr);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(p->Handle(), rgn), 0);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));    // the mask's white corners are cut away
    EXPECT_FALSE(PtInRegion(rgn, 29, 0));
    EXPECT_TRUE(PtInRegion(rgn, 1, 0));
    EXPECT_TRUE(PtInRegion(rgn, 29, 19));
    DeleteObject(rgn);
    ShowAndPaint();
    EXPECT_EQ(PixelOf(p, 0, 0), Background);   // the form shows through
    EXPECT_EQ(PixelOf(p, 1, 0), MaskIn);
    // A skin change to a record without a mask drops the region.
    p->SetSkinDataName("fixed");
    p->ChangeSkinData();
    EXPECT_EQ(p->FRgn, nullptr);
    EXPECT_EQ(PixelOf(p, 0, 0), HotEdge);
}
