#include "engine/previewer/JobHooks.h"

#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/loader/SwScaleStubs.h"
#include "engine/logger/FFmpegLogger.h"
#include "engine/previewer/Deinterlace.h"
#include "engine/previewer/FrameHook.h"
#include "engine/previewer/Previewer.h"
#include "platform/core/DynLibs.h"
#include "platform/core/MainThread.h"
#include "platform/ui/MessageLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

using namespace engine;

namespace {

void SetPreviewHandler(TCustomFFmpeg& AJob, TCustomFFmpeg::TPreviewBitmapEvent AHandler)
{
    TJobEvents events = AJob.Events();
    events.FOnPreviewBitmap = std::move(AHandler);
    AJob.SetEvents(std::move(events));
}

void SetPreviewInterval(TCustomFFmpeg& AJob, int64_t AInterval)
{
    TJobEvents events = AJob.Events();
    events.PreviewInterval = AInterval;
    AJob.SetEvents(std::move(events));
}

struct TFrameDeleter {
    void operator()(AVFrame* AFrame) const { ff::av_frame_free(&AFrame); }
};
using TFramePtr = std::unique_ptr<AVFrame, TFrameDeleter>;

// A decoded picture: grey chroma and a luma ramp, in buffers of its own.
TFramePtr MakeFrame(AVPixelFormat AFormat, int AWidth, int AHeight)
{
    TFramePtr frame(ff::av_frame_alloc());
    frame->format = AFormat;
    frame->width = AWidth;
    frame->height = AHeight;
    EXPECT_GE(ff::av_frame_get_buffer(frame.get(), 0), 0);
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x)
            frame->data[0][y * frame->linesize[0] + x] = uint8_t(40 + (x * 5 + y * 3) % 150);
    for (int i = 1; i < 3 && frame->data[i]; ++i)
        std::memset(frame->data[i], 128, size_t(frame->linesize[i]) * size_t(AHeight));
    return frame;
}

using TLuma = std::vector<std::vector<int>>;

TLuma Luma(const AVFrame* AFrame)
{
    TLuma rows(size_t(AFrame->height), std::vector<int>(size_t(AFrame->width)));
    for (int y = 0; y < AFrame->height; ++y)
        for (int x = 0; x < AFrame->width; ++x)
            rows[size_t(y)][size_t(x)] = AFrame->data[0][y * AFrame->linesize[0] + x];
    return rows;
}

// Paints a white square on a hook bitmap.
void DrawWhiteSquare(TFrameBitmap* ABitmap, int ALeft, int ATop, int ASize)
{
    const int bytes = ABitmap->PixelFormat() == engine::pf32bit ? 4 : 3;
    for (int y = ATop; y < ATop + ASize; ++y)
        std::memset(ABitmap->ScanLine(y) + ALeft * bytes, 0xFF, size_t(ASize * bytes));
}

bool InSquare(int X, int Y) { return X >= 4 && X < 12 && Y >= 4 && Y < 12; }

class JobHooksTest : public ::testing::Test {
protected:
    std::unique_ptr<TCustomFFmpeg> Job;
    std::mutex LinesLock;
    std::vector<std::string> Lines;

    void SetUp() override
    {
        ASSERT_TRUE(GlobalLoader().Load(ConverterLibraries)) << GlobalLoader().LastErrMsg();
        GetFFLogger()->SetTriggerEventInMainThread(false);
        GetFFLogger()->SetOnLog([this](platform::TObject* Sender, uint32_t, TLogLevel ALevel, const std::string& AMsg) {
            std::lock_guard<std::mutex> guard(LinesLock);
            if (Sender == Job.get() && ALevel == llError)
                Lines.push_back(AMsg);
        });
        Job = std::make_unique<TCustomFFmpeg>(1);
    }
    void TearDown() override
    {
        Job.reset();
        GetFFLogger()->SetOnLog(nullptr);
        GetFFLogger()->SetTriggerEventInMainThread(true);
        GlobalLoader().Unload(ConverterLibraries);
        while (platform::ProcessOneMessage()) {
        }
    }
};

TEST_F(JobHooksTest, WithNothingOnThePictureIsOnlyCounted)
{
    TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    uint8_t* const planes = frame->data[0];
    PreprocessPicture(*Job, frame.get(), 0);
    PreprocessPicture(*Job, frame.get(), 40000);
    EXPECT_EQ(frame->data[0], planes);
    EXPECT_EQ(Job->HookState().FHookFrameNumber, 2);
}

// The handler's drawing reaches the picture the encoder reads; the
// decoder's own picture (still a reference for the next ones) is untouched.
TEST_F(JobHooksTest, CustomHookDrawsIntoTheConvertedPicture)
{
    TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    TFramePtr decoders(ff::av_frame_clone(frame.get()));
    const TLuma decoded = Luma(frame.get());
    int calls = 0;
    Job->SetCustomHook([&](platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber, int64_t APTS,
                             bool& AUpdate, bool& AStopHook) {
        ++calls;
        EXPECT_EQ(Sender, Job.get());
        EXPECT_EQ(ABitmap->Width(), 16);
        EXPECT_EQ(ABitmap->Height(), 16);
        EXPECT_EQ(AFrameNumber, 1);
        EXPECT_EQ(APTS, 40000);
        EXPECT_TRUE(AUpdate);
        EXPECT_FALSE(AStopHook);
        DrawWhiteSquare(ABitmap, 4, 4, 8);
    });
    PreprocessPicture(*Job, frame.get(), 40000);
    EXPECT_EQ(calls, 1);
    const TLuma hooked = Luma(frame.get());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (InSquare(x, y))
                EXPECT_GE(hooked[y][x], 230) << x << "," << y;
            else
                EXPECT_NEAR(hooked[y][x], decoded[y][x], 3) << x << "," << y;
        }
    EXPECT_EQ(Luma(decoders.get()), decoded);
    EXPECT_TRUE(Lines.empty());
}

TEST_F(JobHooksTest, HandlerAnswersDecideWhatIsWrittenBackAndWhetherItRunsAgain)
{
    const struct {
        const char* Name;
        bool Update, Stop, Raise;
        bool Drawn, CalledAgain;
        const char* Logged;
    } cases[] = {
        {"update", true, false, false, true, true, nullptr},
        {"no update", false, false, false, false, true, nullptr},
        {"stop after this one", true, true, false, true, false, nullptr},
        {"raises", true, false, true, false, true, "Error occurs OnCustomHook: brush broke"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Lines.clear();
        Job->HookState().Fusing_vhook = true;
        int calls = 0;
        Job->SetCustomHook([&](platform::TObject*, TFrameBitmap* ABitmap, int, int64_t, bool& AUpdate,
                                 bool& AStopHook) {
            ++calls;
            DrawWhiteSquare(ABitmap, 4, 4, 8);
            AUpdate = c.Update;
            AStopHook = c.Stop;
            if (c.Raise)
                throw platform::Exception("brush broke");
        });
        TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
        const TLuma decoded = Luma(frame.get());
        PreprocessPicture(*Job, frame.get(), 0);
        EXPECT_EQ(Luma(frame.get())[6][6] >= 230, c.Drawn);
        if (!c.Drawn) {
            EXPECT_EQ(Luma(frame.get()), decoded);
        }
        TFramePtr next = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
        PreprocessPicture(*Job, next.get(), 40000);
        EXPECT_EQ(calls, c.CalledAgain ? 2 : 1);
        EXPECT_EQ(bool(Job->Events().FOnCustomHook), c.CalledAgain);
        EXPECT_EQ(Job->HookState().Fusing_vhook, c.CalledAgain) << "a stopped custom hook takes the hook chain with it";
        if (c.Logged) {
            ASSERT_EQ(Lines.size(), 2u);
            EXPECT_EQ(Lines[0], c.Logged);
        } else {
            EXPECT_TRUE(Lines.empty());
        }
    }
}

// Pictures the bitmap cannot be made from, or written back to, switch the
// hooks off without ending anything.
TEST_F(JobHooksTest, UnconvertiblePicturesSwitchTheHooksOff)
{
    ASSERT_TRUE(ff::sws_isSupportedInput(AV_PIX_FMT_PAL8));
    ASSERT_FALSE(ff::sws_isSupportedOutput(AV_PIX_FMT_PAL8));
    const struct {
        AVPixelFormat PixFmt;
        bool HandlerCalled;
        const char* Logged;
    } cases[] = {
        {AV_PIX_FMT_VDPAU, false, "Cannot initialize the toRGB conversion context"},
        {AV_PIX_FMT_PAL8, true, "Cannot initialize the fromRGB conversion context"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Logged);
        Lines.clear();
        bool called = false;
        Job->HookState().Fusing_vhook = true;
        Job->SetCustomHook([&](platform::TObject*, TFrameBitmap*, int, int64_t, bool&, bool&) { called = true; });
        std::vector<uint8_t> plane(16 * 16), palette(1024);
        TAVPicture picture;
        picture.data[0] = plane.data();
        picture.linesize[0] = 16;
        picture.data[1] = palette.data();
        picture.linesize[1] = 4;
        RunCustomHook(*Job, picture, c.PixFmt, 16, 16, 0);
        EXPECT_EQ(called, c.HandlerCalled);
        EXPECT_FALSE(Job->Events().FOnCustomHook);
        EXPECT_FALSE(Job->HookState().Fusing_vhook);
        ASSERT_EQ(Lines.size(), 1u);
        EXPECT_EQ(Lines[0], c.Logged);
    }
}

// The hook libraries work on the copy too; the custom hook, when there is
// one, runs in their place.
TEST_F(JobHooksTest, HookChainRunsOnTheCopyUnlessACustomHookIsSet)
{
    std::vector<std::string> texts = {INVERT_HOOK, "0", "0", "4", "4"};
    std::vector<char*> argv(64);
    for (size_t i = 0; i < texts.size(); ++i)
        argv[i] = texts[i].data();
    ASSERT_EQ(AddFrameHook(Job->HookState().FFirstHook, int(texts.size()), argv), 0);
    auto* processCalls = static_cast<int*>(platform::GetProcAddress(platform::LoadLibrary(INVERT_HOOK),
                                                                    "hook_process_calls"));
    *processCalls = 0;
    Job->HookState().Fusing_vhook = true;

    TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    TFramePtr decoders(ff::av_frame_clone(frame.get()));
    const TLuma decoded = Luma(frame.get());
    PreprocessPicture(*Job, frame.get(), 0);
    const TLuma hooked = Luma(frame.get());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(hooked[y][x], x < 4 && y < 4 ? 255 - decoded[y][x] : decoded[y][x]);
    EXPECT_EQ(Luma(decoders.get()), decoded);
    EXPECT_EQ(*processCalls, 1);

    Job->SetCustomHook([](platform::TObject*, TFrameBitmap*, int, int64_t, bool& AUpdate, bool&) {
        AUpdate = false;
    });
    TFramePtr next = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    PreprocessPicture(*Job, next.get(), 0);
    EXPECT_EQ(*processCalls, 1);
}

TEST_F(JobHooksTest, DeinterlacingReplacesThePictureEvenWithoutHooks)
{
    Job->DispatchOption("deinterlace", "1");
    TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    TFramePtr expected = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    TAVPicture picture;
    for (int i = 0; i < 4; ++i) {
        picture.data[i] = expected->data[i];
        picture.linesize[i] = expected->linesize[i];
    }
    ASSERT_EQ(DeinterlacePicture(picture, picture, AV_PIX_FMT_YUV420P, 16, 16), 0);
    const TLuma decoded = Luma(frame.get());
    ASSERT_NE(Luma(expected.get()), decoded);
    TFramePtr decoders(ff::av_frame_clone(frame.get()));
    PreprocessPicture(*Job, frame.get(), 0);
    EXPECT_EQ(Luma(frame.get()), Luma(expected.get()));
    EXPECT_EQ(Luma(decoders.get()), decoded);
    EXPECT_TRUE(Lines.empty());
}

TEST_F(JobHooksTest, PictureTheDeinterlacerRefusesStillReachesTheHooks)
{
    Job->DispatchOption("deinterlace", "1");
    Job->SetCustomHook([](platform::TObject*, TFrameBitmap* ABitmap, int, int64_t, bool&, bool&) {
        DrawWhiteSquare(ABitmap, 4, 4, 8);
    });
    TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 18, 18);
    TFramePtr decoders(ff::av_frame_clone(frame.get()));
    const TLuma decoded = Luma(frame.get());
    PreprocessPicture(*Job, frame.get(), 0);
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_EQ(Lines[0], "Deinterlacing failed.");
    EXPECT_GE(Luma(frame.get())[6][6], 230);
    EXPECT_NEAR(Luma(frame.get())[1][1], decoded[1][1], 3) << "not deinterlaced";
    EXPECT_EQ(Luma(decoders.get()), decoded);
}

// --- Preview -----------------------------------------------------------------

struct TEncoder {
    AVCodecContext Context{};
    TEncoder(AVPixelFormat AFormat, int AWidth, int AHeight)
    {
        Context.pix_fmt = AFormat;
        Context.width = AWidth;
        Context.height = AHeight;
        Context.time_base = AVRational{1, 25};
    }
};

TEST_F(JobHooksTest, PreviewEventComesFirstAndAtMostOncePerInterval)
{
    struct TCall {
        int Width, FrameNumber;
        int64_t PTS;
    };
    std::vector<TCall> calls;
    SetPreviewHandler(*Job, [&](platform::TObject* Sender, TFrameBitmap* ABitmap, int AFrameNumber, int64_t APTS) {
        EXPECT_EQ(Sender, Job.get());
        calls.push_back({ABitmap->Width(), AFrameNumber, APTS});
    });
    Job->SetPostHooks(phBitmap | phPreview);
    Job->HookState().FHookFrameNumber = 7;
    SetPreviewInterval(*Job, 3600LL * 1000000);
    TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    TEncoder encoder(AV_PIX_FMT_YUV420P, 16, 16);
    RunPostHooks(*Job, frame.get(), &encoder.Context, 50);
    RunPostHooks(*Job, frame.get(), &encoder.Context, 51);
    ASSERT_EQ(calls.size(), 1u) << "the first picture at once, then not within the interval";
    EXPECT_EQ(calls[0].Width, 16);
    EXPECT_EQ(calls[0].FrameNumber, 7);
    EXPECT_EQ(calls[0].PTS, 2000000);
    EXPECT_EQ(Job->HookState().FPostContext.Previewer, nullptr) << "the event is served, not the window";
    SetPreviewInterval(*Job, -1);
    RunPostHooks(*Job, frame.get(), &encoder.Context, AV_NOPTS_VALUE);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].PTS, AV_NOPTS_VALUE);
}

TEST_F(JobHooksTest, PreviewThatCannotBeConvertedIsSwitchedOff)
{
    bool called = false;
    SetPreviewHandler(*Job, [&](platform::TObject*, TFrameBitmap*, int, int64_t) { called = true; });
    Job->SetPostHooks(phBitmap);
    TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    TEncoder encoder(AV_PIX_FMT_VDPAU, 16, 16);
    RunPostHooks(*Job, frame.get(), &encoder.Context, 0);
    EXPECT_FALSE(called);
    EXPECT_EQ(Job->PostHooks(), 0u);
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_EQ(Lines[0], "Cannot initialize the toRGB conversion context");
}

// Without a preview handler the window shows the pictures; closing it
// switches the window preview off and frees the window.
TEST_F(JobHooksTest, PreviewWindowShowsPicturesUntilTheUserClosesIt)
{
    Job->SetPostHooks(phBitmap | phPreview);
    SetPreviewInterval(*Job, -1);
    TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    TEncoder encoder(AV_PIX_FMT_YUV420P, 16, 16);
    RunPostHooks(*Job, frame.get(), &encoder.Context, 25);
    ASSERT_NE(Job->HookState().FPostContext.Previewer, nullptr);
    platform::HWND wnd = Job->HookState().FPostContext.Previewer->FormHandle();
    ASSERT_TRUE(platform::IsWindow(wnd));
    EXPECT_EQ(platform::GetWindowText(wnd), "00:00:01.000");
    platform::SendMessage(wnd, platform::WM_CLOSE);
    RunPostHooks(*Job, frame.get(), &encoder.Context, 50);
    EXPECT_EQ(Job->PostHooks(), TPostHooks(phBitmap));
    EXPECT_EQ(Job->HookState().FPostContext.Previewer, nullptr);
    EXPECT_FALSE(platform::IsWindow(wnd));
}

// One preview made by a conversion worker while the GUI thread serves it.
void PreviewOnWorker(TCustomFFmpeg& AJob)
{
    TFramePtr frame = MakeFrame(AV_PIX_FMT_YUV420P, 16, 16);
    TEncoder encoder(AV_PIX_FMT_YUV420P, 16, 16);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        RunPostHooks(AJob, frame.get(), &encoder.Context, 0);
        done = true;
    });
    platform::WaitUntilServing([&] { return done.load(); });
    worker.join();
}

// The GUI thread switches the preview off while the job's preview waits for
// it: neither waits for the other.
TEST_F(JobHooksTest, SwitchingThePreviewWhileItIsShownDoesNotDeadlock)
{
    Job->SetPostHooks(phBitmap);
    SetPreviewInterval(*Job, -1);
    SetPreviewHandler(*Job, [&](platform::TObject*, TFrameBitmap*, int, int64_t) {
        platform::Synchronize([&] { Job->SetPostHooksLocked(0); });
    });
    PreviewOnWorker(*Job);
    EXPECT_EQ(Job->PostHooks(), 0u);
}

TEST_F(JobHooksTest, WindowPreviewFromTheWorkerIsFreedWhenTheGuiSwitchesItOff)
{
    Job->SetPostHooks(phPreview);
    SetPreviewInterval(*Job, -1);
    PreviewOnWorker(*Job);
    ASSERT_NE(Job->HookState().FPostContext.Previewer, nullptr);
    platform::HWND wnd = Job->HookState().FPostContext.Previewer->FormHandle();
    EXPECT_TRUE(platform::IsWindowVisible(wnd));
    Job->SetPostHooksLocked(0);
    EXPECT_FALSE(platform::IsWindow(wnd));
}

} // namespace
