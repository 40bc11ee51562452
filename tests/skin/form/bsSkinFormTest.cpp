// The skin form on a headless form: client size, hit tests, window region,
// frame painting and the model's change messages reaching the controls.

#include "skin/form/bsSkinForm.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "../controls/SkinControlsTestSupport.h"

#include "platform/gfx/Gdi.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using skin::TbsSkinData;
using skin::TbsSkinForm;
using skintest::BmpFile;
using skintest::Rgb;

constexpr uint32_t TopColor = Rgb(200, 0, 0), BottomColor = Rgb(0, 0, 200), LeftColor = Rgb(0, 200, 0),
                   RightColor = Rgb(200, 200, 0), ClientColor = Rgb(100, 100, 100);

// Frame picture 100 x 80: top strip above y 30, bottom strip from y 75,
// sides 5 wide, each strip in its own colour.
uint32_t FramePixel(int X, int Y)
{
    if (Y < 30)
        return TopColor;
    if (Y >= 75)
        return BottomColor;
    if (X < 5)
        return LeftColor;
    if (X >= 95)
        return RightColor;
    return ClientColor;
}

// The mask cuts a 3 x 3 corner off the top-left and top-right.
uint32_t MaskPixel(int X, int Y)
{
    const bool cut = Y < 3 && (X < 3 || X >= 97);
    return cut ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
}

std::string FrameIni(bool AMask, const std::string& AExtraFormInfo = "")
{
    return std::string("[VERSION]\r\nskinname=Frame\r\n"
                       "[PICTURES]\r\npicture=frame.bmp\r\ninactivepicture=\r\nmask=") +
           (AMask ? "mask.bmp" : "") +
           "\r\nactivepicturescount=0\r\n"
           "[FORMINFO]\r\nlefttoppoint=10,30\r\nrighttoppoint=90,30\r\nleftbottompoint=10,75\r\n"
           "rightbottompoint=90,75\r\nclientrect=5,30,95,75\r\nborderwidth=4\r\ncaptionrect=10,5,90,25\r\n"
           "hittestlefttoppoint=10,10\r\nhittestrighttoppoint=90,10\r\nhittestleftbottompoint=10,70\r\n"
           "hittestrightbottompoint=90,70\r\nbuttonsrect=60,5,88,25\r\n" +
           AExtraFormInfo +
           "[SKINCOLORS]\r\ncbtnface=12632256\r\n"
           "[SKINOBJECTS]\r\ncount=0\r\n"
           "[SKINCONTROLS]\r\ncount=0\r\n";
}

// A skinned control that counts the model's calls.
class TCountingControl : public skin::TbsSkinControl {
public:
    using TbsSkinControl::TbsSkinControl;
    void BeforeChangeSkinData() override { ++Before; TbsSkinControl::BeforeChangeSkinData(); }
    void ChangeSkinData() override { ++Change; TbsSkinControl::ChangeSkinData(); }
    int Before = 0, Change = 0;
};

struct SkinFormTest : ::testing::Test {
    testsupport::TTempDir Dir;
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TbsSkinForm* SkinForm = nullptr;
    TbsSkinData* Data = new TbsSkinData(nullptr);

    void SetUp() override
    {
        testsupport::WriteFile(Dir.File("frame.bmp"), BmpFile(100, 80, FramePixel));
        testsupport::WriteFile(Dir.File("mask.bmp"), BmpFile(100, 80, MaskPixel));
        Form->SetBorderStyle(bsSizeable);
        Form->SetBounds(100, 100, 200, 160);
        SkinForm = new TbsSkinForm(Form.get());
        SkinForm->SetSkinData(Data);
    }
    void TearDown() override
    {
        Form.reset();
        delete Data;
    }
    void Load(bool AMask, const std::string& AExtraFormInfo = "")
    {
        testsupport::WriteFile(Dir.File("skin.ini"), FrameIni(AMask, AExtraFormInfo));
        ASSERT_TRUE(Data->LoadFromFile(Dir.File("skin.ini")).Ok());
        ASSERT_TRUE(SkinForm->SkinSupport());
    }
    LRESULT HitTest(int X, int Y)
    {
        TRect r;
        GetWindowRect(Form->Handle(), r);
        return SendMessage(Form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.Left + X, r.Top + Y));
    }
    TRect ClientInWindow()
    {
        TRect r;
        GetWindowRect(Form->Handle(), r);
        const TPoint o = Form->ClientToScreen(Point(0, 0));
        const TRect c = Form->ClientRect();
        return TRect{o.X - r.Left, o.Y - r.Top, o.X - r.Left + c.Width(), o.Y - r.Top + c.Height()};
    }
    uint32_t WindowPixel(int X, int Y)
    {
        Application()->ProcessMessages();
        const TPixelSurface* s = GetWindowSurface(Form->Handle());
        return reinterpret_cast<const uint32_t*>(s->Row(Y))[X] & 0x00FFFFFF;
    }
};

TEST_F(SkinFormTest, OwnerMustBeAForm)
{
    TComponent owner(nullptr);
    EXPECT_THROW(TbsSkinForm form(&owner), EConvertError);
}

TEST_F(SkinFormTest, SkinnedGeometryFollowsTheFormSize)
{
    Load(false);
    EXPECT_EQ(SkinForm->NewClRect, Rect(5, 30, 195, 155));
    EXPECT_EQ(SkinForm->NewCaptionRect, Rect(10, 5, 190, 25));
    // A buttons strip in the right half of the picture moves with the right edge.
    EXPECT_EQ(SkinForm->NewButtonsRect, Rect(160, 5, 188, 25));
    EXPECT_EQ(ClientInWindow(), Rect(5, 30, 195, 155));
    // A rectangle across the two top corner areas stretches with the width.
    EXPECT_EQ(SkinForm->CalcObjectRect(Rect(5, 5, 95, 20)), Rect(5, 5, 195, 20));
    EXPECT_EQ(SkinForm->CalcObjectRect(Rect(92, 5, 98, 20)), Rect(192, 5, 198, 20));
    EXPECT_EQ(SkinForm->CalcObjectRect(Rect(2, 76, 8, 79)), Rect(2, 156, 8, 159));
    EXPECT_EQ(SkinForm->GetMinWidth(), 100);
    EXPECT_EQ(SkinForm->GetMinHeight(), 80 - 45);
    SkinForm->MaxWidth = 500;
    TMinMaxInfo info{};
    SendMessage(Form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize, Point(100, 35));
    EXPECT_EQ(info.ptMaxTrackSize.X, 500);
    EXPECT_GT(info.ptMaxTrackSize.Y, 0);
}

TEST_F(SkinFormTest, UnskinnedFrameHasFixedMetrics)
{
    EXPECT_FALSE(SkinForm->SkinSupport());
    EXPECT_EQ(ClientInWindow(), Rect(3, 22, 197, 157));
    EXPECT_EQ(SkinForm->GetMinWidth(), 120);
    EXPECT_EQ(SkinForm->GetMinHeight(), 25);
}

struct THitCase {
    int X, Y;
    LRESULT Code;
};

TEST_F(SkinFormTest, SkinHitTestTable)
{
    Load(false);
    const THitCase cases[] = {
        {2, 100, HTLEFT},     {1, 1, HTTOPLEFT},      {198, 2, HTTOPRIGHT}, {1, 158, HTBOTTOMLEFT},
        {198, 158, HTBOTTOMRIGHT}, {100, 1, HTTOP},   {100, 158, HTBOTTOM}, {198, 100, HTRIGHT},
        {100, 15, HTCAPTION}, {100, 100, HTCLIENT},   {7, 15, HTOBJECT},
    };
    for (const THitCase& c : cases)
        EXPECT_EQ(HitTest(c.X, c.Y), c.Code) << c.X << "," << c.Y;
}

TEST_F(SkinFormTest, FixedSkinnedFrameGivesNoSizingCode)
{
    Load(false);
    Form->SetBorderStyle(bsDialog);
    EXPECT_EQ(HitTest(2, 100), HTOBJECT);
    EXPECT_EQ(HitTest(1, 1), HTOBJECT);
    EXPECT_EQ(HitTest(100, 15), HTCAPTION);
}

TEST_F(SkinFormTest, DefaultHitTestTable)
{
    EXPECT_EQ(HitTest(1, 1), HTTOPLEFT);
    EXPECT_EQ(HitTest(40, 10), HTCAPTION);
    EXPECT_EQ(HitTest(10, 40), HTCLIENT);
    EXPECT_EQ(HitTest(199, 80), HTRIGHT);
    Form->SetBorderStyle(bsDialog);
    EXPECT_EQ(HitTest(40, 10), HTCAPTION);
    EXPECT_EQ(HitTest(1, 1), HTOBJECT);
}

TEST_F(SkinFormTest, FreedSkinDataLeavesTheUnskinnedFrame)
{
    Load(false);
    delete Data;
    Data = nullptr;
    EXPECT_FALSE(SkinForm->SkinSupport());
    EXPECT_EQ(HitTest(1, 1), HTTOPLEFT);
    EXPECT_EQ(HitTest(40, 10), HTCAPTION);
}

TEST_F(SkinFormTest, MaskCutsTheWindowRegion)
{
    Load(true);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Form->Handle(), rgn), 0);
    const std::pair<TPoint, bool> points[] = {
        {{0, 0}, false},  {{2, 2}, false},   {{3, 0}, true},     {{197, 0}, false}, {{199, 2}, false},
        {{196, 0}, true}, {{100, 100}, true}, {{0, 159}, true}, {{199, 159}, true}, {{100, 1}, true},
    };
    for (const auto& [p, inside] : points)
        EXPECT_EQ(PtInRegion(rgn, p.X, p.Y) != 0, inside) << p.X << "," << p.Y;
    RECT box;
    GetRgnBox(rgn, &box);
    EXPECT_EQ(box, Rect(0, 0, 200, 160));
    DeleteObject(rgn);
    EXPECT_FALSE(SkinForm->PtInMask(Point(1, 1)));
    EXPECT_TRUE(SkinForm->PtInMask(Point(5, 1)));
    // Within the shape by the border width nothing sizes; nearer the edge
    // the probes leave the shape and the corner zone answers.
    EXPECT_EQ(HitTest(4, 4), HTOBJECT);
    EXPECT_EQ(HitTest(2, 5), HTTOPLEFT);
    EXPECT_EQ(HitTest(100, 2), HTTOP);
}

TEST_F(SkinFormTest, UnskinnedRegionIsTheWindowRectangle)
{
    SkinForm->CreateFrameRgn(true);
    ASSERT_NE(SkinForm->FrameRgn(), nullptr);
    RECT box;
    GetRgnBox(SkinForm->FrameRgn(), &box);
    EXPECT_EQ(box, Rect(0, 0, 200, 160));
    SkinForm->SetSkinnableForm(false);
    EXPECT_EQ(SkinForm->FrameRgn(), nullptr);
}

// The window system draws the frame of a form the skin may not dress: its
// icons are the frame's own (no roll-up or tray), the system menu unless the
// caption buttons are hidden. A dressed form shows none of them.
TEST_F(SkinFormTest, AnUndressedFormShowsTheFramesIconsOnTheSystemFrame)
{
    struct TCase {
        skin::TbsBorderIcons Icons;
        bool HideButtons;
        TBorderIcons Platform;
    };
    const TCase cases[] = {
        {biSystemMenu | biMinimize | biMaximize, false, biSystemMenu | biMinimize | biMaximize},
        {biSystemMenu | biMinimize | skin::biRollUp | skin::biMinimizeToTray, false, biSystemMenu | biMinimize},
        {biMaximize | biHelp, false, biSystemMenu | biMaximize},
        {biSystemMenu | biMinimize | biMaximize, true, biMinimize | biMaximize},
        {biSystemMenu, true, 0},
    };
    for (const TCase& c : cases) {
        SkinForm->HideCaptionButtons = c.HideButtons;
        SkinForm->SetBorderIcons(c.Icons);
        SkinForm->SetSkinnableForm(false);
        EXPECT_EQ(Form->BorderIcons, c.Platform) << c.Icons << (c.HideButtons ? " hidden" : "");
        SkinForm->SetSkinnableForm(true);
        EXPECT_EQ(Form->BorderIcons, 0u);
    }
}

TEST_F(SkinFormTest, FramePixelsComeFromTheSkinPicture)
{
    Load(false);
    Form->Show();
    EXPECT_EQ(WindowPixel(100, 10), TopColor);
    EXPECT_EQ(WindowPixel(2, 80), LeftColor);
    EXPECT_EQ(WindowPixel(197, 80), RightColor);
    EXPECT_EQ(WindowPixel(100, 158), BottomColor);
    // The client background tiles the picture's client part.
    EXPECT_EQ(WindowPixel(100, 80), ClientColor);
}

// Painted into a DC of the caller while the form is not active.
TEST_F(SkinFormTest, InactiveFrameTakesTheSkinsEffect)
{
    auto paintInactive = [this](uint32_t& ATop, uint32_t& ALeft) {
        TBitmap b;
        b.SetSize(200, 160);
        ASSERT_FALSE(Form->Active());
        SkinForm->PaintNCSkin(b.Canvas()->Handle(), true);
        ATop = uint32_t(b.Canvas()->Pixels(100, 10)) & 0xFFFFFF;
        ALeft = uint32_t(b.Canvas()->Pixels(2, 80)) & 0xFFFFFF;
    };
    uint32_t top = 0, left = 0;
    Load(false);
    paintInactive(top, left);
    EXPECT_EQ(top, uint32_t(skintest::ColorOf(TopColor)));   // no effect asked: as the active frame
    Load(false, "autorenderinginactiveimage=1\r\ninactiveeffect=iegrayscale\r\n");
    paintInactive(top, left);
    auto grey = [](uint32_t C) { return (C & 0xFF) == ((C >> 8) & 0xFF) && (C & 0xFF) == ((C >> 16) & 0xFF); };
    EXPECT_TRUE(grey(top)) << std::hex << top;
    EXPECT_TRUE(grey(left)) << std::hex << left;
    EXPECT_NE(top, 0u);
}

TEST_F(SkinFormTest, UnskinnedFramePaintsThreeBorderLines)
{
    Form->Show();
    const uint32_t face = WindowPixel(1, 80);
    EXPECT_EQ(WindowPixel(2, 80), face);
    EXPECT_EQ(WindowPixel(50, 10), face);   // the caption bitmap is filled with the face colour
    // A caption painter of the application draws into the caption bitmap.
    SkinForm->OnCaptionPaint = [](TCanvas* C, const TRect& R, bool) {
        C->Brush()->SetColor(skintest::ColorOf(Rgb(0, 255, 255)));
        C->FillRect(R);
    };
    SkinForm->UpDateFormNC();
    EXPECT_EQ(WindowPixel(50, 10), Rgb(0, 255, 255));
    EXPECT_NE(WindowPixel(0, 80), face);
}

TEST_F(SkinFormTest, LogoIsCentredOnTheClientBackground)
{
    TBitmap* logo = SkinForm->LogoBitMap();
    logo->SetSize(20, 10);
    logo->Canvas()->Brush()->SetColor(skintest::ColorOf(Rgb(255, 0, 255)));
    logo->Canvas()->FillRect(Rect(0, 0, 20, 10));
    Form->Show();
    // Client 194 x 135 at (3, 22): the logo covers client (87, 62)-(107, 72).
    EXPECT_EQ(WindowPixel(3 + 87, 22 + 62), Rgb(255, 0, 255));
    EXPECT_EQ(WindowPixel(3 + 106, 22 + 71), Rgb(255, 0, 255));
    EXPECT_NE(WindowPixel(3 + 86, 22 + 62), Rgb(255, 0, 255));
}

TEST_F(SkinFormTest, SkinChangesReachTheFormsControls)
{
    auto* control = new TCountingControl(Form.get());
    control->SetParent(Form.get());
    control->SetSkinData(Data);
    int before = 0, after = 0;
    SkinForm->OnBeforeChangeSkinData = [&](TObject*) { ++before; };
    SkinForm->OnAfterChangeSkinData = [&](TObject*) { ++after; };
    control->Before = control->Change = 0;
    Load(false);
    EXPECT_EQ(control->Before, 1);
    EXPECT_EQ(control->Change, 1);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    // Another model's change reaches only its own controls and leaves the frame.
    TbsSkinData other(nullptr);
    auto* otherControl = new TCountingControl(Form.get());
    otherControl->SetParent(Form.get());
    otherControl->SetSkinData(&other);
    otherControl->Before = otherControl->Change = 0;
    SendMessage(Form->Handle(), SKN_BEFORESKINCHANGE, WPARAM(&other), 1000);
    SendMessage(Form->Handle(), SKN_SKINCHANGE, WPARAM(&other), 1000);
    EXPECT_EQ(control->Before, 1);
    EXPECT_EQ(control->Change, 1);
    EXPECT_EQ(otherControl->Before, 0);   // only the form's own model makes controls forget
    EXPECT_EQ(otherControl->Change, 1);
    EXPECT_TRUE(SkinForm->SkinSupport());
    EXPECT_EQ(before, 1);
    otherControl->SetSkinData(nullptr);
}

TEST_F(SkinFormTest, FreeingTheComponentGivesTheFormItsProcedureBack)
{
    Load(false);
    ASSERT_EQ(HitTest(100, 15), HTCAPTION);
    delete SkinForm;
    Form->SetBounds(100, 100, 200, 170);   // the frame is calculated by the form again
    TForm plain(nullptr);
    plain.SetBorderStyle(bsSizeable);
    plain.SetBounds(100, 100, 200, 170);
    TRect r;
    GetWindowRect(plain.Handle(), r);
    for (const TPoint p : {Point(100, 15), Point(1, 1), Point(100, 100)})
        EXPECT_EQ(HitTest(p.X, p.Y), SendMessage(plain.Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.Left + p.X, r.Top + p.Y)));
}

} // namespace
