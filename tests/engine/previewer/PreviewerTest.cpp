#include "engine/previewer/Previewer.h"

#include "platform/core/MainThread.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

using namespace engine;
using namespace platform;

namespace {

// A picture of one colour (B, G, R) in the bitmap format the converter uses.
std::unique_ptr<TFrameBitmap> Picture(int AWidth, int AHeight, uint8_t AB, uint8_t AG, uint8_t AR,
                                      TPixelFormat AFormat = engine::pf24bit)
{
    auto bmp = std::make_unique<TFrameBitmap>(AWidth, AHeight, AFormat);
    const int bytes = AFormat == engine::pf32bit ? 4 : 3;
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x) {
            uint8_t* p = bmp->ScanLine(y) + x * bytes;
            p[0] = AB, p[1] = AG, p[2] = AR;
        }
    return bmp;
}

// The colour shown at a client point of a top-level window, as 0xRRGGBB.
uint32_t ClientPixel(HWND AWnd, int X, int Y)
{
    TRect window;
    GetWindowRect(AWnd, window);
    const TPoint screen = ClientToScreen(AWnd, TPoint{X, Y});
    const TPixelSurface* surface = GetWindowSurface(AWnd);
    EXPECT_NE(surface, nullptr);
    if (!surface)
        return 0xFFFFFFFF;
    const uint8_t* p = surface->Row(screen.Y - window.Top) + (screen.X - window.Left) * 4;
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

TSize ClientSize(HWND AWnd)
{
    TRect client;
    GetClientRect(AWnd, client);
    return TSize{client.Width(), client.Height()};
}

void Pump()
{
    while (platform::ProcessOneMessage()) {
    }
}

class PreviewerTest : public ::testing::Test {
protected:
    void TearDown() override { Pump(); }
};

TEST_F(PreviewerTest, FirstPictureOpensACentredStayOnTopToolWindowOfItsSize)
{
    TPreviewer previewer;
    EXPECT_EQ(previewer.FormHandle(), nullptr);
    auto red = Picture(64, 48, 0, 0, 255);
    ASSERT_TRUE(previewer.PaintFrame(red.get(), 1, 3723004000));
    HWND wnd = previewer.FormHandle();
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(wnd));
    const intptr_t exStyle = GetWindowLong(wnd, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindowText(wnd), "01:02:03.004");
    EXPECT_EQ(ClientSize(wnd).cx, 64);
    EXPECT_EQ(ClientSize(wnd).cy, 48);
    TRect window;
    GetWindowRect(wnd, window);
    const TRect screen = GetScreenRect();
    EXPECT_LE(std::abs(window.Left + window.Right - screen.Left - screen.Right), 1);
    EXPECT_LE(std::abs(window.Top + window.Bottom - screen.Top - screen.Bottom), 1);
    EXPECT_EQ(ClientPixel(wnd, 0, 0), 0xFF0000u);
    EXPECT_EQ(ClientPixel(wnd, 63, 47), 0xFF0000u);
}

TEST_F(PreviewerTest, LaterPicturesKeepTheWindowSizeAndAreCutAtItsEdges)
{
    TPreviewer previewer;
    auto small = Picture(40, 30, 0, 0, 255);
    auto large = Picture(80, 60, 255, 0, 0, engine::pf32bit);
    ASSERT_TRUE(previewer.PaintFrame(small.get(), 1, 0));
    ASSERT_TRUE(previewer.PaintFrame(large.get(), 2, 40000));
    HWND wnd = previewer.FormHandle();
    EXPECT_EQ(ClientSize(wnd).cx, 40);
    EXPECT_EQ(ClientSize(wnd).cy, 30);
    EXPECT_EQ(ClientPixel(wnd, 39, 29), 0x0000FFu);
    EXPECT_EQ(GetWindowText(wnd), "00:00:00.040");
}

TEST_F(PreviewerTest, ClosedWindowHidesAndLaterPicturesAreRefused)
{
    TPreviewer previewer;
    auto red = Picture(16, 16, 0, 0, 255);
    auto blue = Picture(16, 16, 255, 0, 0);
    ASSERT_TRUE(previewer.PaintFrame(red.get(), 1, 1000));
    HWND wnd = previewer.FormHandle();
    SendMessage(wnd, WM_CLOSE);
    EXPECT_TRUE(IsWindow(wnd)) << "the window stays until the previewer goes";
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_FALSE(previewer.PaintFrame(blue.get(), 2, 2000));
    EXPECT_FALSE(previewer.PaintFrame(blue.get(), 3, 3000));
    EXPECT_EQ(GetWindowText(wnd), "00:00:00.001");
    EXPECT_EQ(ClientPixel(wnd, 0, 0), 0xFF0000u);
}

TEST_F(PreviewerTest, FreeingThePreviewerFreesItsWindow)
{
    auto previewer = std::make_unique<TPreviewer>();
    auto red = Picture(8, 8, 0, 0, 255);
    ASSERT_TRUE(previewer->PaintFrame(red.get(), 1, 0));
    HWND wnd = previewer->FormHandle();
    previewer.reset();
    EXPECT_FALSE(IsWindow(wnd));
}

// The conversion worker paints and frees; the window work happens on the GUI
// thread, which keeps serving while it waits.
TEST_F(PreviewerTest, WorkerThreadPaintsThroughTheGuiThread)
{
    auto previewer = std::make_unique<TPreviewer>();
    auto green = Picture(20, 10, 0, 255, 0);
    std::atomic<bool> painted{false}, done{false};
    HWND wnd = nullptr;
    std::thread worker([&] {
        painted = previewer->PaintFrame(green.get(), 1, 0);
        Synchronize([&] { wnd = previewer->FormHandle(); });
        previewer.reset();
        done = true;
    });
    WaitUntilServing([&] { return done.load(); });
    worker.join();
    EXPECT_TRUE(painted);
    ASSERT_NE(wnd, nullptr);
    EXPECT_FALSE(IsWindow(wnd));
}

// Dragging the picture moves the window; each of several windows answers
// for itself whichever goes first.
TEST_F(PreviewerTest, DraggingThePictureMovesItsOwnWindowInAnyOrderOfFreeing)
{
    auto first = std::make_unique<TPreviewer>();
    auto second = std::make_unique<TPreviewer>();
    auto red = Picture(100, 80, 0, 0, 255);
    ASSERT_TRUE(first->PaintFrame(red.get(), 1, 0));
    ASSERT_TRUE(second->PaintFrame(red.get(), 1, 0));
    HWND wnd = second->FormHandle();
    first.reset();
    TRect before, after;
    GetWindowRect(wnd, before);
    const TPoint start = ClientToScreen(wnd, TPoint{50, 40});
    InjectMouseMove(start);
    InjectMouseButton(TMouseButton::mbLeft, true, start);
    InjectMouseMove(TPoint{start.X + 30, start.Y + 20});
    InjectMouseButton(TMouseButton::mbLeft, false, TPoint{start.X + 30, start.Y + 20});
    Pump();
    GetWindowRect(wnd, after);
    EXPECT_EQ(after.Left, before.Left + 30);
    EXPECT_EQ(after.Top, before.Top + 20);
    SendMessage(wnd, WM_CLOSE);
    EXPECT_TRUE(second->Closed());
}

} // namespace
