#include "engine/converter/ConversionJob.h"
#include "engine/loader/FFmpegLoader.h"
#include "engine/previewer/JobHooks.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <cstring>

using namespace engine;
using namespace testsupport;

// Luma of the first picture of a video file, 64 x 48.
static std::string FirstLuma(const std::string& AFile)
{
    std::string out;
    RunCommand("ffmpeg -v error -i " + ShellQuote(AFile) + " -frames:v 1 -f rawvideo -pix_fmt gray -", &out);
    return out;
}

TEST(JobHooksConvert, CustomHookAndHookLibraryDrawIntoConvertedFrames)
{
    ASSERT_TRUE(GlobalLoader().Load(ConverterLibraries)) << GlobalLoader().LastErrMsg();
    TTempDir Dir;
    const std::string Clip = Dir.File("clip.nut");
    ASSERT_TRUE(MakeMedia(Clip, "-f lavfi -i color=c=black:size=64x48:rate=25:duration=0.4 -c:v ffv1"));
    for (int variant = 0; variant < 2; ++variant) {
        TCustomFFmpeg Job(1);
        Job.SetPictureHooks(&JobPictureHooks());
        Job.ResetJob();
        int previews = 0;
        if (variant == 0)
            Job.SetCustomHook([](platform::TObject*, TFrameBitmap* B, int, int64_t, bool&, bool&) {
                for (int y = 8; y < 24; ++y) std::memset(B->ScanLine(y) + 8 * 3, 0xFF, 16 * 3);
            });
        TJobEvents events = Job.Events();
        events.FOnPreviewBitmap = [&](platform::TObject*, TFrameBitmap*, int, int64_t) { ++previews; };
        Job.SetEvents(std::move(events));
        Job.SetPostHooks(phBitmap);
        ASSERT_TRUE(Job.OpenInputFile(Clip)) << Job.LastErrMsg();
        if (variant == 1)
            Job.DispatchOption("vhook", std::string(INVERT_HOOK) + " 8 8 16 16");
        Job.DispatchOption("vcodec", "ffv1");
        const std::string Out = Dir.File("out" + std::to_string(variant) + ".nut");
        ASSERT_GT(Job.OpenOutputFile(Out, false), 0) << Job.LastErrMsg();
        Job.StartConvert(false, platform::TThreadPriority::tpNormal);
        EXPECT_FALSE(Job.FatalException()) << Job.FatalMessage();
        const std::string luma = FirstLuma(Out);
        ASSERT_EQ(luma.size(), 64u * 48u);
        EXPECT_GE(uint8_t(luma[16 * 64 + 16]), 230) << variant;
        EXPECT_LE(uint8_t(luma[40 * 64 + 40]), 20) << variant;
        EXPECT_GE(previews, 1);
    }
}
