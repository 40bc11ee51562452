// The faces of the combo boxes and the office list drawn from a small test
// skin: the normal and hot face pieces, the selected item's own piece, and
// the list's frame, checked pixel by pixel on the form's back buffer.
#include "skin/boxes/bsSkinBoxCtrls_ComboBox.h"
#include "skin/boxes/bsSkinExCtrls_OfficeCombo.h"

#include "skin/boxes/BoxesTestSupport.h"

#include <array>

namespace {

using namespace skintest;

// The normal block is the face, the hot block the hovered face and the
// selected item; the client part keeps a 3-pixel edge.
constexpr const char* BoxRecords =
    "[combobox]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,3,27,17\r\nactiveskinrect=30,0,60,20\r\n"
    "fontname=Tahoma\r\nfontheight=13\r\nfontcolor=0\r\nactivefontcolor=0\r\nfocusfontcolor=0\r\n"
    "[listbox]\r\npictureindex=0\r\nskinrect=0,0,30,20\r\nlefttoppoint=3,3\r\nrighttoppoint=27,3\r\n"
    "leftbottompoint=3,17\r\nrightbottompoint=27,17\r\nclientrect=3,3,27,17\r\nitemrect=0,0,30,20\r\n"
    "activeitemrect=30,0,60,20\r\nfocusitemrect=60,0,90,20\r\nitemtextrect=3,3,27,17\r\n"
    "fontname=Tahoma\r\nfontheight=13\r\nfontcolor=0\r\nactivefontcolor=16777215\r\nfocusfontcolor=16777215\r\n";

struct SkinnedFacesTest : TBoxesFixture {
    void SetUp() override
    {
        Folder.Rewrite(SkinIni("combobox:combobox\r\nlistbox:listbox", BoxRecords));
        TBoxesFixture::SetUp();
        LoadSkin();
    }
    struct TFace {
        TControl* Control;
        int W, H;
    };
    // A combo box 120 x 24 at (10, 10) and an office combo 120 x 41 at
    // (10, 50), both in the test skin.
    std::array<TFace, 2> AddComboFaces()
    {
        auto* combo = Add(new skin::TbsSkinComboBox(Form.get()), Rect(10, 10, 130, 34));
        combo->SetUseSkinSize(false);
        combo->SetSkinData(Data);
        auto* office = Add(new skin::TbsSkinOfficeComboBox(Form.get()), Rect(10, 50, 130, 91));
        office->SetSkinData(Data);
        return {TFace{combo, 120, 24}, TFace{office, 120, 41}};
    }
};

TEST_F(SkinnedFacesTest, TheComboFacesStretchTheNormalPieceAndTheHotOneUnderTheMouse)
{
    const auto faces = AddComboFaces();
    auto* other = Add(new TButton(Form.get()), Rect(150, 10, 200, 30));
    ShowAndPaint();
    other->SetFocus();   // a focused combo shows its hot face too
    for (const auto& f : faces) {
        SCOPED_TRACE(f.W * 1000 + f.H);
        EXPECT_EQ(PixelOf(f.Control, 0, 0), NormalEdge);
        EXPECT_EQ(PixelOf(f.Control, f.W - 1, f.H - 1), NormalEdge);
        EXPECT_EQ(PixelOf(f.Control, 1, f.H / 2), NormalEdge);   // the stretched left edge
        Mouse(f.Control, f.W / 2, f.H / 2);
        EXPECT_EQ(PixelOf(f.Control, 0, 0), HotEdge);
        EXPECT_EQ(PixelOf(f.Control, f.W - 1, 0), HotEdge);
        Mouse(f.Control, 200, 150);
        EXPECT_EQ(PixelOf(f.Control, 0, 0), NormalEdge);
    }
}

// A background erase into a context of the caller's paints the whole face
// there, as it shows on the form.
TEST_F(SkinnedFacesTest, AnEraseIntoAContextPaintsTheWholeFace)
{
    const auto faces = AddComboFaces();
    ShowAndPaint();
    for (const auto& f : faces) {
        SCOPED_TRACE(f.W * 1000 + f.H);
        TBitmap b;
        b.SetPixelFormat(pf32bit);
        b.SetSize(f.W, f.H);
        b.Canvas()->Brush()->SetColor(clFuchsia);
        b.Canvas()->FillRect(Rect(0, 0, f.W, f.H));
        f.Control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(b.Canvas()->Handle()), 0);
        for (const TPoint p : {Point(0, 0), Point(1, f.H / 2), Point(f.W - 1, f.H - 1)}) {
            const COLORREF c = ColorToRGB(b.Canvas()->Pixels(p.X, p.Y));
            EXPECT_EQ(Rgb(GetRValue(c), GetGValue(c), GetBValue(c)), PixelOf(f.Control, p.X, p.Y)) << p.X << "," << p.Y;
            EXPECT_NE(Rgb(GetRValue(c), GetGValue(c), GetBValue(c)), Rgb(255, 0, 255));
        }
    }
}

TEST_F(SkinnedFacesTest, TheOfficeListDrawsItsFrameAndTheSelectedItemOnItsOwnPiece)
{
    auto* office = Add(new skin::TbsSkinOfficeComboBox(Form.get()), Rect(10, 10, 130, 51));
    office->SetSkinData(Data);
    for (const char* caption : {"one", "two", "three"})
        office->Items()->Add()->SetCaption(caption);
    ShowAndPaint();
    office->SetItemIndex(1);
    office->DropDown();
    Pump();
    skin::TbsPopupOfficeListBox* list = office->ListBox();
    ASSERT_TRUE(list->Visible());
    const TPixelSurface* s = GetWindowSurface(list->Handle());
    ASSERT_NE(s, nullptr);
    auto pixel = [&](int X, int Y) { return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0xFFFFFF; };
    EXPECT_EQ(pixel(0, 0), NormalEdge);   // the list's own frame
    const TRect selected = list->Items()->Items(1)->ItemRect;
    EXPECT_EQ(pixel(selected.Left, selected.Top), HotEdge);
    EXPECT_EQ(pixel(selected.Right - 2, selected.Bottom - 2), HotEdge);
    const TRect plain = list->Items()->Items(2)->ItemRect;
    EXPECT_NE(pixel(plain.Left + 1, plain.Top + 1), HotEdge);
    office->CloseUp(false);
}

} // namespace
