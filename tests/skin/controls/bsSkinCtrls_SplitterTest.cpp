#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_Splitter.h"

#include "platform/controls/ExtCtrls.h"

using namespace skintest;
using skin::TbsSkinSplitter;

namespace {

// "vsplitter": 7 x 24 from the normal block's corner (edge rows 0..2 and
// 17..19, fill between; check-mark rows 20..23 below), 5 rows fixed at
// the top and 6 at the bottom, a 4 x 4 hot gripper. "bigsplitter": the
// same face with a 13 x 13 gripper whose key colour is left out.
constexpr const char* SplitterSections =
    "[vsplitter]\r\npictureindex=0\r\nskinrect=0,0,7,24\r\nlefttoppoint=3,5\r\nleftbottompoint=3,18\r\n"
    "gripperrect=33,3,37,7\r\n"
    "[bigsplitter]\r\npictureindex=0\r\nskinrect=0,0,7,24\r\nlefttoppoint=3,5\r\nleftbottompoint=3,18\r\n"
    "gripperrect=0,20,13,33\r\ngrippertransparent=1\r\ngrippertransparentcolor=16711935\r\n"
    "[narrow]\r\npictureindex=0\r\nskinrect=0,0,6,20\r\nlefttoppoint=0,3\r\nleftbottompoint=0,17\r\n"
    "[hsplitter]\r\npictureindex=0\r\nskinrect=0,0,30,8\r\nlefttoppoint=3,0\r\nrighttoppoint=27,0\r\n";

// A splitter as the form designer holds it.
struct TDesignedSplitter : TbsSkinSplitter {
    using TbsSkinSplitter::TbsSkinSplitter;
    using TComponent::SetDesigning;
};

struct Splitter : TSkinFixture {
    TPanel* Left = nullptr;
    int Moved = 0;

    Splitter()
    {
        Folder.Rewrite(SkinIni("vsplitter:splitter\r\nbigsplitter:splitter\r\nnarrow:splitter\r\nhsplitter:splitter\r\n",
                               SplitterSections));
    }
    // A panel at the left edge and the splitter beside it.
    TbsSkinSplitter* NewSplitter(TAlign AAlign = alLeft)
    {
        Left = new TPanel(Form.get());
        Left->SetBounds(0, 0, 100, 200);
        Left->SetParent(Form.get());
        Left->SetAlign(AAlign == alRight ? alRight : alLeft);
        auto* s = new TbsSkinSplitter(Form.get());
        s->SetBounds(AAlign == alRight ? 190 : 100, 0, 3, 200);
        s->SetParent(Form.get());
        s->SetAlign(AAlign);
        s->OnMoved = [this](TObject*) { ++Moved; };
        return s;
    }
    TbsSkinSplitter* SkinnedSplitter(const std::string& AName = "vsplitter")
    {
        LoadSkin();
        auto* s = NewSplitter();
        s->SetSkinDataName(AName);
        s->SetSkinData(Data);
        ShowAndPaint();
        return s;
    }
};

} // namespace

TEST_F(Splitter, StartsUnskinnedWithTheVerticalRecordName)
{
    auto* s = new TbsSkinSplitter(Form.get());
    EXPECT_EQ(s->DefaultSize, 10);
    EXPECT_EQ(s->SkinDataName(), "vsplitter");
    EXPECT_FALSE(s->Transparent());
    EXPECT_TRUE(s->ControlStyle & csOpaque);
    EXPECT_EQ(s->FIndex, -1);
    EXPECT_EQ(s->Align(), alLeft);
}

TEST_F(Splitter, TheSkinSetsTheThickness)
{
    LoadSkin();
    auto* s = NewSplitter(alRight);
    s->SetSkinDataName("narrow");
    s->SetSkinData(Data);
    EXPECT_EQ(s->Width(), 6);
    s->SetTransparent(true);
    s->ChangeSkinData();
    EXPECT_EQ(s->Width(), 10);
    EXPECT_FALSE(s->ControlStyle & csOpaque);
    s->SetTransparent(false);
    s->SetSkinData(nullptr);   // unskinned: the default size
    EXPECT_EQ(s->Width(), 10);
    s->SetSkinDataName("button");   // a record of another kind has no face
    s->SetSkinData(Data);
    EXPECT_NE(s->FIndex, -1);
    EXPECT_EQ(s->Width(), 10);
    auto* top = new TbsSkinSplitter(Form.get());
    top->SetParent(Form.get());
    top->SetAlign(alTop);
    top->SetSkinDataName("hsplitter");
    top->SetSkinData(Data);
    EXPECT_EQ(top->Height(), 8);
}

TEST_F(Splitter, TheFaceKeepsItsEndsAndTilesTheMiddle)
{
    auto* s = SkinnedSplitter();
    ASSERT_EQ(s->BoundsRect(), Bounds(100, 0, 7, 200));
    EXPECT_EQ(PixelOf(s, 5, 1), NormalEdge);
    EXPECT_EQ(PixelOf(s, 5, 5), NormalFill);
    EXPECT_EQ(PixelOf(s, 5, 17), NormalEdge);   // row 17 of the picture
    EXPECT_EQ(PixelOf(s, 5, 30), NormalEdge);   // the next tile of rows 5..17
    EXPECT_EQ(PixelOf(s, 5, 29), NormalFill);
    EXPECT_EQ(PixelOf(s, 5, 199), CheckMark);   // the last 6 rows end the face
    EXPECT_EQ(PixelOf(s, 5, 196), CheckKey);
    // The gripper sits in the middle: (1, 98) to (5, 102).
    EXPECT_EQ(PixelOf(s, 1, 98), HotFill);
    EXPECT_EQ(PixelOf(s, 4, 101), HotFill);
    EXPECT_EQ(PixelOf(s, 5, 98), NormalFill);
    EXPECT_EQ(PixelOf(s, 0, 98), NormalEdge);
}

TEST_F(Splitter, ALargeGripperIsCentredAndCut)
{
    auto* s = SkinnedSplitter("bigsplitter");
    // 13 x 13 at (-3, 94): the mark covers (0..6, 97..103), the key shows the face.
    EXPECT_EQ(PixelOf(s, 0, 97), CheckMark);
    EXPECT_EQ(PixelOf(s, 6, 103), CheckMark);
    EXPECT_EQ(PixelOf(s, 5, 96), NormalFill);
    EXPECT_EQ(PixelOf(s, 0, 95), NormalEdge);
}

TEST_F(Splitter, ClientOrFreeSplittersAndTransparentOnesPaintAsThePlatformDoes)
{
    auto* s = SkinnedSplitter();
    s->SetTransparent(true);
    s->ChangeSkinData();
    EXPECT_EQ(PixelOf(s, 5, 5), Background);
    s->SetTransparent(false);
    s->SetAlign(alNone);
    s->SetBounds(150, 10, 7, 50);
    EXPECT_EQ(PixelOf(s, 5, 5), SysRgb(clBtnFace));
}

TEST_F(Splitter, DraggingResizesTheControlBeforeIt)
{
    auto* s = SkinnedSplitter();
    s->ResizeStyle = rsUpdate;
    Mouse(s, 3, 50);
    Mouse(s, 3, 50, 1);
    Mouse(s, 23, 50);
    EXPECT_EQ(Left->Width(), 120);
    EXPECT_EQ(s->Left(), 120);
    Mouse(s, 3, 50, 0);
    EXPECT_EQ(Moved, 1);
    // The pattern style waits for the release.
    s->ResizeStyle = rsPattern;
    Mouse(s, 3, 50, 1);
    Mouse(s, -17, 50);
    EXPECT_EQ(Left->Width(), 120);
    Mouse(s, -17, 50, 0);
    EXPECT_EQ(Left->Width(), 100);
    EXPECT_EQ(Moved, 2);
}

TEST_F(Splitter, BelowTheMinimumTheControlSnapsShut)
{
    auto* s = SkinnedSplitter();
    s->ResizeStyle = rsUpdate;
    s->AutoSnap = false;
    Mouse(s, 3, 50, 1);
    Mouse(s, -77, 50);
    EXPECT_EQ(Left->Width(), 30);
    Mouse(s, -77, 50, 0);
    s->AutoSnap = true;
    Mouse(s, 3, 50, 1);
    Mouse(s, -7, 50);
    EXPECT_EQ(Left->Width(), 0);
    Mouse(s, -7, 50, 0);
}

TEST_F(Splitter, OnlyDesignTimeAlignmentChoosesTheRecordName)
{
    auto* s = NewSplitter();
    s->SetSkinDataName("stored");
    s->SetAlign(alTop);
    EXPECT_EQ(s->SkinDataName(), "stored");
    EXPECT_EQ(s->Cursor, crSizeNS);
    s = new TDesignedSplitter(Form.get());
    s->SetParent(Form.get());
    static_cast<TDesignedSplitter*>(s)->SetDesigning(true);
    s->SetAlign(alBottom);
    EXPECT_EQ(s->SkinDataName(), "hsplitter");
    s->SetAlign(alRight);
    EXPECT_EQ(s->SkinDataName(), "vsplitter");
}
