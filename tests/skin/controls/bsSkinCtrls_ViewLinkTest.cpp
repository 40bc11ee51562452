#include "SkinControlsTestSupport.h"

#include "skin/controls/bsSkinCtrls_ListView.h"
#include "skin/controls/bsSkinCtrls_ScrollBar.h"
#include "skin/controls/bsSkinCtrls_TreeView.h"

using namespace skintest;
using skin::TbsSkinScrollBar;

namespace {

constexpr uint32_t ViewBG = Rgb(230, 250, 210);
constexpr TColor ViewText = 0x0000C0;
constexpr TColor Unskinned = 0x40A0F0;

// The kind of each view's record, as the skin file names it.
template <class TView>
struct TViewKind;
template <>
struct TViewKind<skin::TbsSkinListView> {
    static constexpr const char* Name = "listview";
};
template <>
struct TViewKind<skin::TbsSkinCustomTreeView> {
    static constexpr const char* Name = "treeview";
};

// A view with both bars attached, skinned from a record of its own kind
// named "view" ("other" is a record of another kind).
template <class TView>
struct TViewLinkFixture : TSkinFixture {
    TView* View = nullptr;
    TbsSkinScrollBar* VBar = nullptr;
    TbsSkinScrollBar* HBar = nullptr;

    void SetUp() override
    {
        TSkinFixture::SetUp();
        Folder.Rewrite(SkinIni(std::string("view:") + TViewKind<TView>::Name + "\r\nother:stdlabel",
                               "[view]\r\nbgcolor=" + std::to_string(ColorOf(ViewBG)) + "\r\nfontcolor=" +
                                   std::to_string(ViewText) + "\r\nfontname=Verdana\r\nfontheight=17\r\n"
                                   "[other]\r\nfontname=Courier\r\nfontheight=20\r\n"));
        View = Add(new TView(Form.get()), Rect(10, 10, 150, 110));
        View->SkinDataName = "view";
        VBar = Add(new TbsSkinScrollBar(Form.get()), Rect(160, 10, 180, 110));
        VBar->SetKind(sbVertical);
        HBar = Add(new TbsSkinScrollBar(Form.get()), Rect(10, 120, 150, 140));
        View->SetVScrollBar(VBar);
        View->SetHScrollBar(HBar);
        LoadSkin();
        ShowAndPaint();
    }
};

using TViews = ::testing::Types<skin::TbsSkinListView, skin::TbsSkinCustomTreeView>;
TYPED_TEST_SUITE(TViewLinkFixture, TViews);

} // namespace

TYPED_TEST(TViewLinkFixture, TheRecordGivesFontAndColoursAndTheDefaultsComeBackWithoutIt)
{
    auto* v = this->View;
    v->SetDefaultColor(Unskinned);
    EXPECT_EQ(v->Color(), Unskinned);   // unskinned: the default colour shows at once
    v->SetSkinData(this->Data);
    EXPECT_NE(v->SkinIndex(), -1);
    EXPECT_EQ(SysRgb(v->Color()), ViewBG);
    EXPECT_EQ(v->Font()->Name(), "Verdana");
    EXPECT_EQ(v->Font()->Height(), 17);
    EXPECT_EQ(v->Font()->Color(), ViewText);
    EXPECT_EQ(this->PixelOf(v, 70, 90), ViewBG);
    // Skinned, a new default colour waits for the skin to go.
    v->SetDefaultColor(platform::clWindow);
    EXPECT_EQ(SysRgb(v->Color()), ViewBG);
    // The skin's colour with the default font.
    v->UseSkinFont = false;
    v->ChangeSkinData();
    EXPECT_EQ(v->Font()->Name(), v->DefaultFont()->Name());
    EXPECT_EQ(v->Font()->Height(), 13);
    EXPECT_EQ(v->Font()->Color(), ViewText);
    v->SetSkinData(nullptr);
    v->ChangeSkinData();
    EXPECT_EQ(v->SkinIndex(), -1);
    EXPECT_EQ(v->Color(), platform::clWindow);
    EXPECT_EQ(v->Font()->Name(), "Tahoma");
    EXPECT_EQ(v->Font()->Color(), v->DefaultFont()->Color());
}

TYPED_TEST(TViewLinkFixture, ARecordOfAnotherKindLeavesFontAndColours)
{
    auto* v = this->View;
    v->SetDefaultColor(Unskinned);
    const std::string font = v->Font()->Name();
    v->SkinDataName = "other";
    v->SetSkinData(this->Data);
    EXPECT_NE(v->SkinIndex(), -1);
    EXPECT_EQ(v->Color(), Unskinned);
    EXPECT_EQ(v->Font()->Name(), font);
    EXPECT_EQ(this->PixelOf(v, 70, 90), ColorRgb(Unskinned));
}

TYPED_TEST(TViewLinkFixture, FreedModelAndBarsAreForgotten)
{
    auto* v = this->View;
    v->SetSkinData(this->Data);
    delete this->VBar;
    delete this->HBar;
    delete this->Data;
    this->Data = nullptr;
    EXPECT_EQ(v->VScrollBar(), nullptr);
    EXPECT_EQ(v->HScrollBar(), nullptr);
    EXPECT_EQ(v->SkinData(), nullptr);
    // Nothing freed is touched again: the view repaints in its defaults.
    v->UpDateScrollBars();
    v->ChangeSkinData();
    EXPECT_EQ(v->SkinIndex(), -1);
    EXPECT_EQ(this->PixelOf(v, 70, 90), SysRgb(platform::clWindow));
}

TYPED_TEST(TViewLinkFixture, TheBarsFollowTheViewsVisibilityAndTheBorderIsGone)
{
    auto* v = this->View;
    EXPECT_EQ(v->ClientRect(), Rect(0, 0, 140, 100));
    EXPECT_EQ(platform::SendMessage(v->Handle(), platform::SKN_PAINTTODC, 0, 0), platform::SKN_PAINTTODC_ANSWER);
    EXPECT_FALSE(this->VBar->Visible());   // nothing to scroll yet
    v->SetVisible(false);
    EXPECT_FALSE(this->VBar->Visible());
    EXPECT_FALSE(this->HBar->Visible());
    // Shown again, both bars show until the next step hides what is not needed.
    v->SetVisible(true);
    EXPECT_TRUE(this->VBar->Visible());
    EXPECT_TRUE(this->HBar->Visible());
    v->UpDateScrollBars();
    EXPECT_FALSE(this->VBar->Visible());
    EXPECT_FALSE(this->HBar->Visible());
}
