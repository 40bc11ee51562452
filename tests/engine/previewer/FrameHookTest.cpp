#include "engine/previewer/FrameHook.h"

#include "engine/loader/FFmpegLoader.h"
#include "engine/logger/FFmpegLogger.h"
#include "platform/core/DynLibs.h"
#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace engine;
using ::testing::HasSubstr;

namespace {

// The counters a test hook library keeps.
struct THookCounters {
    int* Configure;
    int* Process;
    int* Release;
    int* ArgvHigh;
    int64_t* LastPTS;
    int* Order;

    explicit THookCounters(const std::string& ALibrary)
    {
        platform::TLibHandle lib = platform::LoadLibrary(ALibrary);
        EXPECT_NE(lib, nullptr);
        auto get = [&](const char* AName) { return platform::GetProcAddress(lib, AName); };
        Configure = static_cast<int*>(get("hook_configure_calls"));
        Process = static_cast<int*>(get("hook_process_calls"));
        Release = static_cast<int*>(get("hook_release_calls"));
        ArgvHigh = static_cast<int*>(get("hook_last_argv_high"));
        LastPTS = static_cast<int64_t*>(get("hook_last_pts"));
        Order = static_cast<int*>(get("hook_process_order"));
        *Configure = *Process = *Release = 0;
    }
};

// A hook's argument vector as the converter builds it: a fixed array of
// which the first argc entries are used.
struct TArgs {
    std::vector<std::string> Texts;
    std::vector<char*> Vector;

    TArgs(std::vector<std::string> ATexts, size_t ACapacity = 64) : Texts(std::move(ATexts)), Vector(ACapacity)
    {
        for (size_t i = 0; i < Texts.size(); ++i)
            Vector[i] = Texts[i].data();
    }
    int argc() const { return int(Texts.size()); }
};

// An 8 x 4 grey picture with a line size wider than its width.
struct TGreyPicture {
    static constexpr int Width = 8, Height = 4, Stride = 12;
    uint8_t Pixels[Stride * Height] = {};
    TAVPicture Picture;
    TGreyPicture()
    {
        Picture.data[0] = Pixels;
        Picture.linesize[0] = Stride;
    }
    uint8_t At(int X, int Y) const { return Pixels[Y * Stride + X]; }
};

class FrameHookTest : public ::testing::Test {
protected:
    std::vector<std::string> Lines;
    PFrameHookEntry Chain = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(GlobalLoader().Load(avUtil)) << GlobalLoader().LastErrMsg();
        GetFFLogger()->SetTriggerEventInMainThread(false);
        GetFFLogger()->SetOnLog([this](platform::TObject*, uint32_t, TLogLevel ALevel, const std::string& AMsg) {
            if (ALevel == llError)
                Lines.push_back(AMsg);
        });
    }
    void TearDown() override
    {
        ReleaseFrameHooks(Chain);
        GetFFLogger()->SetOnLog(nullptr);
        GetFFLogger()->SetTriggerEventInMainThread(true);
        GlobalLoader().Unload(avUtil);
    }
    int Add(const TArgs& AArgs) { return AddFrameHook(Chain, AArgs.argc(), AArgs.Vector); }
    int ChainLength() const
    {
        int n = 0;
        for (PFrameHookEntry e = Chain; e; e = e->next)
            ++n;
        return n;
    }
};

TEST_F(FrameHookTest, NoArgumentsIsRefusedQuietly)
{
    EXPECT_EQ(AddFrameHook(Chain, 0, std::vector<char*>(64)), -2);
    EXPECT_EQ(Chain, nullptr);
    EXPECT_TRUE(Lines.empty());
}

TEST_F(FrameHookTest, LibraryThatCannotLoadLogsTheSystemText)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("garbage.so"), "not a library");
    const int modules = FrameHookModuleCount();
    EXPECT_EQ(Add(TArgs({dir.File("garbage.so")})), -1);
    EXPECT_EQ(Chain, nullptr);
    EXPECT_EQ(FrameHookModuleCount(), modules);
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_THAT(Lines[0], HasSubstr("garbage.so"));
}

// Every refusal leaves the chain as it was and says why, with the library's
// name as it was given.
TEST_F(FrameHookTest, RefusedHooksAreNotChained)
{
    const struct {
        std::vector<std::string> Args;
        int Result;
        const char* Message;
    } cases[] = {
        {{INVERT_HOOK_NO_PROCESS}, -2, "Failed to find Process entrypoint in " INVERT_HOOK_NO_PROCESS},
        {{INVERT_HOOK_NO_CONFIGURE, "0"}, -2, "Failed to find Configure entrypoint in " INVERT_HOOK_NO_CONFIGURE},
        {{INVERT_HOOK, "0", "0", "1", "1", "fail"}, -22, "Failed to Configure " INVERT_HOOK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        Lines.clear();
        EXPECT_EQ(Add(TArgs(c.Args)), c.Result);
        EXPECT_EQ(Chain, nullptr);
        ASSERT_EQ(Lines.size(), 1u);
        EXPECT_EQ(Lines[0], c.Message);
    }
}

TEST_F(FrameHookTest, LibraryWithoutConfigureRunsWhenGivenNoArguments)
{
    THookCounters counters(INVERT_HOOK_NO_CONFIGURE);
    ASSERT_EQ(Add(TArgs({INVERT_HOOK_NO_CONFIGURE})), 0);
    ASSERT_EQ(ChainLength(), 1);
    EXPECT_EQ(Chain->ctx, nullptr);
    TGreyPicture grey;
    ProcessFrameHooks(Chain, &grey.Picture, AV_PIX_FMT_GRAY8, grey.Width, grey.Height, 4000);
    EXPECT_EQ(*counters.Process, 1);
    EXPECT_EQ(grey.At(0, 0), 0xFF);
    EXPECT_EQ(grey.At(7, 3), 0xFF);
    EXPECT_EQ(grey.Pixels[8], 0) << "bytes past the width are not the picture's";
}

TEST_F(FrameHookTest, SameLibraryTwiceIsLoadedOnceAndConfiguredTwice)
{
    THookCounters counters(INVERT_HOOK);
    ASSERT_EQ(Add(TArgs({INVERT_HOOK, "0", "0", "2", "2"})), 0);
    const int modules = FrameHookModuleCount();
    ASSERT_EQ(Add(TArgs({INVERT_HOOK, "1", "1", "2", "2"})), 0);
    EXPECT_EQ(FrameHookModuleCount(), modules);
    ASSERT_EQ(ChainLength(), 2);
    EXPECT_NE(Chain->ctx, Chain->next->ctx);
    EXPECT_EQ(*counters.Configure, 2);
    EXPECT_EQ(*counters.ArgvHigh, 63);

    TGreyPicture grey;
    ProcessFrameHooks(Chain, &grey.Picture, AV_PIX_FMT_GRAY8, grey.Width, grey.Height, 123456);
    EXPECT_EQ(*counters.Process, 2);
    EXPECT_EQ(counters.Order[0], 1) << "hooks run in the order they were added";
    EXPECT_EQ(counters.Order[1], 2);
    EXPECT_EQ(*counters.LastPTS, 123456);
    // (1, 1) was inverted twice, the rest of each square once.
    EXPECT_EQ(grey.At(0, 0), 0xFF);
    EXPECT_EQ(grey.At(1, 1), 0x00);
    EXPECT_EQ(grey.At(2, 2), 0xFF);
    EXPECT_EQ(grey.At(3, 3), 0x00);

    ReleaseFrameHooks(Chain);
    EXPECT_EQ(Chain, nullptr);
    EXPECT_EQ(*counters.Release, 2);
}

TEST_F(FrameHookTest, ReleaseSkipsHooksWithoutReleaseAndEmptyChainsStayEmpty)
{
    ReleaseFrameHooks(Chain);
    EXPECT_EQ(Chain, nullptr);
    THookCounters counters(INVERT_HOOK_NO_RELEASE);
    ASSERT_EQ(Add(TArgs({INVERT_HOOK_NO_RELEASE})), 0);
    ReleaseFrameHooks(Chain);
    EXPECT_EQ(Chain, nullptr);
    EXPECT_EQ(*counters.Release, 0);
}

TEST_F(FrameHookTest, SharedChainIsReleasedWithItsLastOwner)
{
    THookCounters counters(INVERT_HOOK);
    std::shared_ptr<TFrameHookEntry> chain;
    TArgs first({INVERT_HOOK, "0", "0", "1", "1"});
    TArgs refused({INVERT_HOOK, "0", "0", "1", "1", "fail"});
    EXPECT_EQ(AddFrameHook(chain, refused.argc(), refused.Vector), -22);
    EXPECT_EQ(chain, nullptr);
    ASSERT_EQ(AddFrameHook(chain, first.argc(), first.Vector), 0);
    ASSERT_EQ(AddFrameHook(chain, first.argc(), first.Vector), 0);
    ASSERT_NE(chain, nullptr);
    ASSERT_NE(chain->next, nullptr);
    ReleaseFrameHooks(chain);
    EXPECT_EQ(chain, nullptr);
    EXPECT_EQ(*counters.Release, 2);
}

TEST_F(FrameHookTest, HookFolderGoesToTheFrontOfThePathOnce)
{
    testsupport::TTempDir dir;
    std::filesystem::copy_file(INVERT_HOOK_NO_RELEASE, dir.File("first_hook.so"));
    std::filesystem::copy_file(INVERT_HOOK_NO_RELEASE, dir.File("second_hook.so"));
    const std::string before = platform::GetEnvironmentVariable("PATH");
    ASSERT_EQ(Add(TArgs({dir.File("first_hook.so")})), 0);
    const std::string after = platform::GetEnvironmentVariable("PATH");
    EXPECT_EQ(after, dir.Path() + "/:" + before);
    ASSERT_EQ(Add(TArgs({dir.File("second_hook.so")})), 0);
    EXPECT_EQ(platform::GetEnvironmentVariable("PATH"), after) << "a folder on PATH is not added again";
}

} // namespace
