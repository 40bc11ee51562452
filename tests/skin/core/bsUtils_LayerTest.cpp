#include "skin/core/bsUtils_Layer.h"
#include "skin/core/bsUtils_Probes.h"

#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>

using namespace skin;
using platform::Rect;

namespace {

// Restores the platform entries a test replaced.
struct EntriesGuard {
    TbsPlatformEntries Saved = PlatformEntries();
    ~EntriesGuard() { PlatformEntries() = Saved; }
};

std::unique_ptr<platform::TBitmap> Solid(int W, int H, uint32_t APixel)
{
    auto B = std::make_unique<platform::TBitmap>();
    B->SetPixelFormat(platform::pf32bit);
    B->SetSize(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            reinterpret_cast<uint32_t*>(B->ScanLine(Y))[X] = APixel;
    return B;
}

uint8_t LayerAlpha(TbsLayerManager& M)
{
    uint32_t Key = 0;
    uint8_t Alpha = 0;
    platform::DWORD Flags = 0;
    platform::GetLayeredWindowAttributes(M.LayerWindow->Handle(), &Key, &Alpha, &Flags);
    return Alpha;
}

} // namespace

TEST(PlatformProbes, VersionTable)
{
    struct Case {
        TbsOSVersion V;
        bool Layered, XP, Vista, Seven, Eight;
    };
    const Case Cases[] = {
        {{5, 0}, true, false, false, false, false}, {{5, 1}, true, true, false, false, false},
        {{5, 2}, true, false, false, false, false}, {{6, 0}, true, true, true, false, false},
        {{6, 1}, true, true, true, true, false},    {{6, 2}, true, true, true, false, true},
        {{6, 3}, true, true, true, false, false},   {{10, 0}, true, true, true, false, true},
        {{4, 0}, false, false, false, false, false},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(IsLayeredWindowsAvailable(C.V), C.Layered) << C.V.Major << "." << C.V.Minor;
        EXPECT_EQ(IsXPOrLater(C.V), C.XP) << C.V.Major << "." << C.V.Minor;
        EXPECT_EQ(IsVistaOrLater(C.V), C.Vista) << C.V.Major << "." << C.V.Minor;
        EXPECT_EQ(IsWindows7(C.V), C.Seven) << C.V.Major << "." << C.V.Minor;
        EXPECT_EQ(IsWindows8(C.V), C.Eight) << C.V.Major << "." << C.V.Minor;
    }
    // This platform: layered windows, composition while a compositing
    // manager runs, windows dragged whole.
    EXPECT_TRUE(IsLayeredWindowsAvailable());
    EXPECT_FALSE(IsVistaOrLater());
    EXPECT_FALSE(IsMultiMonitor());
    EXPECT_TRUE(IsFullDrag());
    auto& headless = static_cast<platform::THeadlessBackend&>(platform::Backend());
    EXPECT_FALSE(IsDwmCompositionEnabled());
    headless.SetCompositorPresent(true);
    EXPECT_TRUE(IsDwmCompositionEnabled());
    headless.SetCompositorPresent(false);
}

TEST(PlatformProbes, MonitorsAndMissingCompositor)
{
    EntriesGuard G;
    platform::TRect R = Rect(1, 2, 3, 4);
    GetMonitorRect(nullptr, true, R);
    EXPECT_EQ(R, platform::GetWorkArea());
    GetMonitorRect(nullptr, false, R);
    EXPECT_EQ(R, Rect(0, 0, platform::GetSystemMetrics(platform::SM_CXSCREEN),
                      platform::GetSystemMetrics(platform::SM_CYSCREEN)));
    SetDwmTransitions(nullptr, false);
    EnableBlurBehind(nullptr, true, nullptr);

    // With two monitors the nearest one answers; a failing query leaves R.
    PlatformEntries().MonitorCount = [] { return 2; };
    PlatformEntries().MonitorFromWindow = [](platform::HWND, platform::DWORD) { return reinterpret_cast<void*>(7); };
    bool Fail = false;
    PlatformEntries().GetMonitorInfoA = [&](void* M, TbsMonitorInfo* I) {
        EXPECT_EQ(M, reinterpret_cast<void*>(7));
        EXPECT_EQ(I->cbSize, 40u);
        I->rcMonitor = Rect(100, 0, 200, 50);
        I->rcWork = Rect(100, 0, 200, 40);
        return !Fail;
    };
    EXPECT_TRUE(IsMultiMonitor());
    GetMonitorRect(nullptr, true, R);
    EXPECT_EQ(R, Rect(100, 0, 200, 40));
    Fail = true;
    R = Rect(1, 2, 3, 4);
    GetMonitorRect(nullptr, false, R);
    EXPECT_EQ(R, Rect(1, 2, 3, 4));

    int32_t Seen = -1;
    PlatformEntries().DwmSetWindowAttribute = [&](platform::HWND, platform::DWORD A, const void* V, platform::DWORD N) {
        EXPECT_EQ(A, 3u);
        EXPECT_EQ(N, 4u);
        Seen = *static_cast<const int32_t*>(V);
        return true;
    };
    SetDwmTransitions(nullptr, false);
    EXPECT_EQ(Seen, 1);
}

TEST(LayerManager, ShowFadesInAndHides)
{
    auto Image = Solid(4, 3, 0xFFFFFFFF);
    auto Mask = Solid(4, 3, 0xFF808080);
    TbsLayerManager M(nullptr);
    M.Show(30, 40, Image.get(), Mask.get(), 255);
    ASSERT_NE(M.LayerWindow, nullptr);
    platform::HWND H = M.LayerWindow->Handle();
    EXPECT_TRUE(M.IsVisible);
    EXPECT_TRUE(platform::IsWindowVisible(H));
    EXPECT_TRUE(platform::GetWindowLong(H, platform::GWL_EXSTYLE) & platform::WS_EX_LAYERED);
    EXPECT_TRUE(platform::GetWindowLong(H, platform::GWL_EXSTYLE) & platform::WS_EX_TRANSPARENT);
    platform::TRect WR;
    platform::GetWindowRect(H, WR);
    EXPECT_EQ(WR, Rect(30, 40, 34, 43));
    EXPECT_EQ(M.Bmp->Bits()[0], 0x80808080u); // white under a mid-grey mask
    EXPECT_EQ(LayerAlpha(M), 0);
    EXPECT_TRUE(M.Timer->Enabled());
    EXPECT_EQ(M.LayerWindow->Perform(platform::WM_MOUSEACTIVATE), platform::MA_NOACTIVATE);
    for (int Tick = 1; Tick <= 10; ++Tick) {
        M.FadeStep();
        EXPECT_EQ(LayerAlpha(M), 25 * Tick);
    }
    EXPECT_TRUE(M.Timer->Enabled());
    M.FadeStep();
    EXPECT_EQ(LayerAlpha(M), 255);
    EXPECT_FALSE(M.Timer->Enabled());

    M.Show(0, 0, Image.get(), Mask.get(), 200); // the first layer goes first
    EXPECT_NE(M.LayerWindow, nullptr);
    EXPECT_EQ(M.ComponentCount(), 2); // the timer and one window
    M.Hide();
    EXPECT_EQ(M.LayerWindow, nullptr);
    EXPECT_FALSE(M.IsVisible);
    EXPECT_FALSE(M.Timer->Enabled());
}

TEST(LayerManager, SmallTargetsOfTheFade)
{
    auto Image = Solid(2, 2, 0xFFFFFFFF);
    TbsLayerManager M(nullptr);
    M.Show(0, 0, Image.get(), Image.get(), 0);
    M.FadeStep();
    EXPECT_FALSE(M.Timer->Enabled());
    EXPECT_EQ(LayerAlpha(M), 0);
    M.Show(0, 0, Image.get(), Image.get(), 9); // a step of 0: it keeps ticking, transparent
    for (int I = 0; I < 5; ++I)
        M.FadeStep();
    EXPECT_TRUE(M.Timer->Enabled());
    EXPECT_EQ(LayerAlpha(M), 0);
}

TEST(LayerManager, NothingWithoutLayeredWindows)
{
    EntriesGuard G;
    PlatformEntries().Version = {4, 0};
    auto Image = Solid(2, 2, 0xFFFFFFFF);
    TbsLayerManager M(nullptr);
    M.Show(0, 0, Image.get(), Image.get(), 100);
    EXPECT_EQ(M.LayerWindow, nullptr);
    EXPECT_FALSE(M.IsVisible);
    M.Hide();
    EXPECT_FALSE(M.IsVisible);
}
