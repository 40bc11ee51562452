// The skin form's window procedure on a headless display: the answers to
// an outside program's window animations, the layered border coming back
// faded in after one, the modes of a main form's skinned controls ended by
// a press, the form's own menu bar given up on show, the frame laid out
// for each step of a drag that sizes the window, the frame changing hands
// between the component and the window system, and the icon the caption
// shows for a form without one.

#include "skin/form/bsSkinForm.h"

#include "../controls/SkinControlsTestSupport.h"
#include "FrameScreenshot.h"
#include "FrameTestSkin.h"
#include "MDITestSupport.h"
#include "SkinnedFormFixture.h"

#include "skin/controls/bsSkinCtrls_Base.h"
#include "skin/core/bsUtils_Probes.h"

#include "platform/controls/Menus.h"
#include "platform/controls/SystemIcons.h"
#include "platform/gfx/Gdi.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;
using skin::TbsSkinForm;
using namespace frametest;

// Restores the platform entries a test replaced.
struct TEntriesGuard {
    skin::TbsPlatformEntries Saved = skin::PlatformEntries();
    ~TEntriesGuard() { skin::PlatformEntries() = Saved; }
};

struct FullBorderForm : SkinnedFormFixture {
    std::string StartIni() override
    {
        WriteFullBorderMask(Dir);
        return SkinIni(LeftText, FullLayerFrame);
    }
    skin::TbsFormLayerBorder* Border() { return SkinForm->BorderLayer(); }
};

TEST_F(FullBorderForm, SmartEffectsAreAllowedUnlessTheWindowSystemFramesTheFormOnTheNewerDesktop)
{
    TEntriesGuard guard;
    struct TCase {
        bool Skinnable;
        skin::TbsOSVersion Version;
        LRESULT Answer;
    };
    for (const TCase& c : {TCase{true, {5, 1}, SKN_SMARTEFFECTS_ALLOWED}, TCase{false, {5, 1}, SKN_SMARTEFFECTS_ALLOWED},
                           TCase{true, {6, 1}, SKN_SMARTEFFECTS_ALLOWED}, TCase{false, {6, 1}, SKN_SMARTEFFECTS_DENIED}}) {
        SkinForm->SetSkinnableForm(c.Skinnable);
        skin::PlatformEntries().Version = c.Version;
        EXPECT_EQ(SendMessage(Form->Handle(), SKN_SMARTEFFECTSQUERY, 0, 0), c.Answer)
            << c.Skinnable << " " << c.Version.Major << "." << c.Version.Minor;
        skin::PlatformEntries().Version = guard.Saved.Version;
    }
}

// While another program animates the window the border keeps away; when
// it is done the border comes back transparent and fades in to its alpha.
TEST_F(FullBorderForm, BorderKeepsAwayDuringSmartEffectsAndFadesInAfterThem)
{
    TEntriesGuard guard;
    ASSERT_TRUE(Border()->FVisible);
    SendMessage(Form->Handle(), SKN_SMARTEFFECTSBEGIN, 0, 0);
    EXPECT_FALSE(SkinForm->CanShowLayeredBorders());
    Form->SetBounds(120, 110, 200, 120);
    Application()->ProcessMessages();
    EXPECT_FALSE(Border()->FVisible);

    std::vector<std::pair<HWND, int>> puts;
    skin::PlatformEntries().UpdateLayeredWindow = [&](HWND W, HDC D, const TPoint* P, const TSize* S, HDC Src,
                                                      const TPoint* SP, COLORREF K, const BLENDFUNCTION* B, DWORD F) {
        puts.emplace_back(W, B ? int(B->SourceConstantAlpha) : -1);
        return guard.Saved.UpdateLayeredWindow(W, D, P, S, Src, SP, K, B, F);
    };
    SendMessage(Form->Handle(), SKN_SMARTEFFECTSEND, 0, 0);
    ASSERT_TRUE(Border()->FVisible);
    EXPECT_TRUE(SkinForm->CanShowLayeredBorders());
    const HWND top = Border()->Windows[skin::bsflTop]->Handle();
    std::vector<int> alphas;
    for (const auto& [w, a] : puts)
        if (w == top && (alphas.empty() || alphas.back() != a))
            alphas.push_back(a);
    std::vector<int> expected{0};
    for (int a : TbsSkinForm::FadeInSteps(255))
        expected.push_back(a);
    EXPECT_EQ(alphas, expected);
    EXPECT_EQ(Border()->FCurrentAlphaBlendValue, 255);
    EXPECT_EQ(Border()->Windows[skin::bsflTop]->BoundsRect().Left, 120 - 10);

    // An end without a beginning changes nothing.
    puts.clear();
    SendMessage(Form->Handle(), SKN_SMARTEFFECTSEND, 0, 0);
    EXPECT_TRUE(puts.empty());
}

// A form that fades in on show takes its border along from transparent.
TEST_F(FullBorderForm, TheBorderFadesInWithTheForm)
{
    Form->Hide();
    SkinForm->AlphaBlendAnimation = true;
    // Looked at before the fade's timer can run.
    Form->Show();
    ASSERT_TRUE(Border()->FVisible);
    EXPECT_EQ(Border()->FCurrentAlphaBlendValue, 0);
    uint8_t alpha = 255;
    ASSERT_TRUE(GetLayeredWindowAttributes(Border()->Windows[skin::bsflTop]->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 0);
    SendMessage(Form->Handle(), WM_TIMER, 1, 0);
    EXPECT_EQ(Border()->FCurrentAlphaBlendValue, 255);
    EXPECT_FALSE(GetWindowLong(Form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

// A full border whose skin has a blur mask, with a compositing manager.
struct BlurredBorderForm : FullBorderForm {
    std::string StartIni() override { return WithBlurMask(Dir, FullBorderForm::StartIni()); }
    void SetUp() override
    {
        Headless().SetCompositorPresent(true);
        FullBorderForm::SetUp();
    }
    void TearDown() override
    {
        FullBorderForm::TearDown();
        Headless().SetCompositorPresent(false);
    }
    // The part of its window a strip asks to have blurred behind it, as
    // one rectangle (empty when it asks for none); false when the part is
    // not that rectangle.
    bool BlurBox(skin::TbsFormLayerBorderType AType, TRect& ABox)
    {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ABox = TRect{};
        bool whole = true;
        if (GetWindowBlurBehind(Border()->Windows[AType]->Handle(), region)) {
            GetRgnBox(region, &ABox);
            HRGN box = CreateRectRgn(ABox.Left, ABox.Top, ABox.Right, ABox.Bottom);
            whole = EqualRgn(region, box);
            DeleteObject(box);
        }
        DeleteObject(region);
        return whole;
    }
};

TEST_F(BlurredBorderForm, EachStripAsksForBlurBehindItsGlassAndStopsWhenTheSkinForbidsIt)
{
    ASSERT_TRUE(Border()->FVisible);
    // The layer is 220 x 160 round the 200 x 120 form; the corners' black
    // pixels join the bands between the inner and outer mask edges.
    struct TCase {
        skin::TbsFormLayerBorderType Type;
        TRect Glass;
    };
    for (const TCase& c : {TCase{skin::bsflTop, Rect(4, 4, 216, 30)}, TCase{skin::bsflBottom, Rect(4, 0, 216, 6)},
                           TCase{skin::bsflLeft, Rect(4, 0, 10, 120)}, TCase{skin::bsflRight, Rect(0, 0, 6, 120)}}) {
        TRect box;
        EXPECT_TRUE(BlurBox(c.Type, box)) << c.Type;
        EXPECT_EQ(box, c.Glass) << c.Type;
    }
    // Wider, the top strip's glass grows in the middle.
    Form->SetBounds(100, 100, 260, 120);
    Application()->ProcessMessages();
    TRect box;
    EXPECT_TRUE(BlurBox(skin::bsflTop, box));
    EXPECT_EQ(box, Rect(4, 4, 276, 30));

    Data->SetAeroBlurEnabled(false);
    Application()->ProcessMessages();
    ASSERT_TRUE(Border()->FVisible);
    for (auto type : {skin::bsflTop, skin::bsflBottom, skin::bsflLeft, skin::bsflRight})
        EXPECT_FALSE(GetWindowBlurBehind(Border()->Windows[type]->Handle(), nullptr)) << type;
    Data->SetAeroBlurEnabled(true);
    Application()->ProcessMessages();
    EXPECT_TRUE(GetWindowBlurBehind(Border()->Windows[skin::bsflTop]->Handle(), nullptr));
    // A translucent form shows the desktop itself: no blur behind its border.
    SkinForm->SetAlphaBlend(true);
    Form->SetBounds(100, 100, 240, 120);
    Application()->ProcessMessages();
    EXPECT_FALSE(GetWindowBlurBehind(Border()->Windows[skin::bsflTop]->Handle(), nullptr));
}

TEST_F(BlurredBorderForm, WithoutACompositorNothingIsBlurred)
{
    Headless().SetCompositorPresent(false);
    LoadIni(StartIni());
    Application()->ProcessMessages();
    ASSERT_TRUE(Border()->FVisible);
    EXPECT_FALSE(GetWindowBlurBehind(Border()->Windows[skin::bsflTop]->Handle(), nullptr));
}

// A skinned control that counts the requests to end its mouse mode.
using TCancelCounter = TMessageCounter<skin::TbsSkinControl, CM_CANCELMODE>;

TEST(SkinFormChildModes, APressOnAMainFormEndsTheModesOfItsVisibleEnabledSkinnedControls)
{
    mditest::TMdiSkinForms forms(400, 300);
    auto place = [&](TWinControl* AParent, TComponent* AOwner) {
        auto* c = new TCancelCounter(AOwner);
        c->SetBounds(0, 0, 40, 20);
        c->SetParent(AParent);
        return c;
    };
    TCancelCounter* shown = place(forms.Main, forms.Main);
    TCancelCounter* hidden = place(forms.Main, forms.Main);
    hidden->SetVisible(false);
    TCancelCounter* disabled = place(forms.Main, forms.Main);
    disabled->SetEnabled(false);
    std::unique_ptr<TForm> plain(new TForm(nullptr));
    plain->SetBounds(500, 20, 200, 120);
    new TbsSkinForm(plain.get());
    TCancelCounter* onPlain = place(plain.get(), plain.get());
    plain->Show();
    Application()->ProcessMessages();

    for (TCancelCounter* c : {shown, hidden, disabled, onPlain})
        c->Count = 0;
    SendMessage(forms.Main->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    SendMessage(plain->Handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(shown->Count, 1);
    EXPECT_EQ(hidden->Count, 0);
    EXPECT_EQ(disabled->Count, 0);
    EXPECT_EQ(onPlain->Count, 0);
    // Messages that close no menu leave the modes alone.
    SendMessage(forms.Main->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(shown->Count, 1);
}

TEST_F(SkinnedFormFixture, AFormShownGivesUpItsOwnMenuBar)
{
    Form->Hide();
    auto* menu = new TMainMenu(Form.get());
    Form->SetMenu(menu);
    Form->Show();
    Application()->ProcessMessages();
    EXPECT_EQ(Form->Menu(), nullptr);
}

struct FullDragSizing : FullBorderForm {
    // One step of a drag that sizes the window to R: the frame hears of
    // it before the window takes it.
    void Step(const TRect& R)
    {
        TRect r = R;
        constexpr WPARAM bottomRight = 8;
        SendMessage(Form->Handle(), WM_SIZING, bottomRight, reinterpret_cast<LPARAM>(&r));
    }
};

TEST_F(FullDragSizing, TheFrameIsLaidOutForEachStepBeforeTheWindowTakesIt)
{
    TEntriesGuard guard;
    SendMessage(Form->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    Step(Bounds(100, 100, 260, 150));
    EXPECT_EQ(Form->Width(), 200);
    EXPECT_EQ(SkinForm->FFormWidth, 260);
    EXPECT_EQ(SkinForm->FFormHeight, 150);
    // The border stands round the coming size already: 260 + 20 wide.
    EXPECT_EQ(Border()->Windows[skin::bsflTop]->Width(), 280);
    // Below the minimum the frame takes the minimum.
    Step(Bounds(100, 100, 10, 10));
    EXPECT_EQ(SkinForm->FFormWidth, SkinForm->GetMinWidth());
    EXPECT_EQ(SkinForm->FFormHeight, SkinForm->GetMinHeight());
    SendMessage(Form->Handle(), WM_EXITSIZEMOVE, 0, 0);

    // Dragged as an outline the frame waits for the window's new size.
    skin::PlatformEntries().DragFullWindows = [] { return false; };
    Application()->ProcessMessages();
    const int width = Border()->Windows[skin::bsflTop]->Width();
    SendMessage(Form->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    Step(Bounds(100, 100, 300, 150));
    EXPECT_EQ(SkinForm->FFormWidth, Form->Width());
    EXPECT_EQ(Border()->Windows[skin::bsflTop]->Width(), width);
    SendMessage(Form->Handle(), WM_EXITSIZEMOVE, 0, 0);
}

TEST_F(SkinnedFormFixture, TheFrameChangesHandsOnAMaximizedFormWhichStaysMaximized)
{
    const TRect work = Rect(0, 0, 800, 560);
    SkinForm->SetWindowState(wsMaximized);
    Application()->ProcessMessages();
    ASSERT_EQ(Form->BoundsRect(), work);

    SkinForm->SetSkinnableForm(false);
    Application()->ProcessMessages();
    EXPECT_EQ(SkinForm->WindowState(), wsNormal);
    EXPECT_EQ(Form->WindowState(), wsMaximized);
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_EQ(SkinForm->FrameRgn(), nullptr);
    EXPECT_TRUE(SkinForm->ObjectList.empty());
    frametest::SaveWindowPng(Form->Handle(), "frame_unskinned_maximized.png");

    SkinForm->SetSkinnableForm(true);
    Application()->ProcessMessages();
    EXPECT_EQ(SkinForm->WindowState(), wsMaximized);
    EXPECT_NE(Form->WindowState(), wsMaximized);
    EXPECT_EQ(Form->BoundsRect(), work);
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));
    EXPECT_FALSE(SkinForm->ObjectList.empty());

    // A hidden form stays hidden through the change.
    Form->Hide();
    SkinForm->SetSkinnableForm(false);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Form->WindowState(), wsMaximized);
}

TEST(SkinFormMDISkinnable, AMainFormWithDocumentsKeepsItsFrameAndItsClientStaysSubclassedOnce)
{
    mditest::TMdiSkinForms forms(400, 300);
    forms.Main->SetBorderStyle(bsSizeable);
    Application()->ProcessMessages();
    TbsSkinForm* skin = forms.MainSkin;
    skin->SetSkinnableForm(false);
    skin->SetSkinnableForm(true);
    skin->SetSkinnableForm(true);
    Application()->ProcessMessages();
    const HWND client = forms.Main->ClientHandle();
    ASSERT_NE(client, nullptr);
    // The client paints the frame's background and still reaches its own
    // procedure (a procedure chained to itself would never return).
    SendMessage(client, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("client"));
    EXPECT_EQ(GetWindowText(client), "client");
    RedrawWindow(client, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    const TPixelSurface* s = GetWindowSurface(forms.Main->Handle());
    TRect window;
    GetWindowRect(forms.Main->Handle(), window);
    const TPoint screen = ClientToScreen(client, Point(5, 5));
    const TPoint at = Point(screen.X - window.Left, screen.Y - window.Top);
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(s->Row(at.Y))[at.X] & 0xFFFFFF,
              ColorToRGB(clAppWorkSpace) & 0xFFFFFF);

    forms.Add("Doc");
    skin->SetSkinnableForm(false);
    EXPECT_TRUE(skin->SkinnableForm());
}

TEST(SkinFormIcon, AFormWithoutIconsShowsTheSystemApplicationIcon)
{
    const bool appIcon = !Application()->Icon()->Empty();
    TBitmap savedApp;
    savedApp.Assign(Application()->Icon());
    TBitmap none;
    Application()->Icon()->Assign(&none);
    std::unique_ptr<TForm> form(new TForm(nullptr));
    auto* frame = new TbsSkinForm(form.get());
    int w, h;
    TbsSkinForm::GetSmallIconSize(w, h);
    auto drawn = [&](TBitmap* AExpected) {
        TBitmap got, want;
        for (TBitmap* b : {&got, &want}) {
            b->SetSize(w, h);
            b->Canvas()->Brush()->SetColor(clLime);
            b->Canvas()->FillRect(Rect(0, 0, w, h));
        }
        frame->DrawFormIcon(got.Canvas(), 0, 0);
        want.Canvas()->StretchDraw(Rect(0, 0, w, h), AExpected);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if ((got.Canvas()->Pixels(x, y) & 0xFFFFFF) != (want.Canvas()->Pixels(x, y) & 0xFFFFFF))
                    return false;
        return true;
    };
    EXPECT_TRUE(drawn(SystemApplicationIcon()));
    // Its corners are see-through; its title strip is not.
    TBitmap got;
    got.SetSize(w, h);
    got.Canvas()->Brush()->SetColor(clLime);
    got.Canvas()->FillRect(Rect(0, 0, w, h));
    frame->DrawFormIcon(got.Canvas(), 0, 0);
    EXPECT_EQ(got.Canvas()->Pixels(0, 0) & 0xFFFFFF, clLime);
    EXPECT_NE(got.Canvas()->Pixels(w / 2, h / 4) & 0xFFFFFF, clLime);

    // On the caption: the system-menu button shows it.
    form->SetBounds(100, 100, 200, 120);
    form->SetCaption("Frame");
    frame->ShowIcon = true;
    form->Show();
    Application()->ProcessMessages();
    SaveWindowPng(form->Handle(), "frame_system_icon.png");
    const TPixelSurface* surface = GetWindowSurface(form->Handle());
    int titlePixels = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            titlePixels += (reinterpret_cast<const uint32_t*>(surface->Row(y))[x] & 0xFFFFFF) == 0x0A246Au;
    EXPECT_GT(titlePixels, 10);

    TBitmap formIcon;
    formIcon.SetSize(16, 16);
    formIcon.Canvas()->Brush()->SetColor(clRed);
    formIcon.Canvas()->FillRect(Rect(0, 0, 16, 16));
    form->Icon()->Assign(&formIcon);
    EXPECT_TRUE(drawn(form->Icon()));
    if (appIcon)
        Application()->Icon()->Assign(&savedApp);
}

} // namespace
