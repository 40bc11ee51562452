#include "engine/loader/FFmpegLoader.h"

#include "engine/loader/AVCodecStubs.h"
#include "engine/loader/AVDeviceStubs.h"
#include "engine/loader/AVFilterStubs.h"
#include "engine/loader/AVFormatStubs.h"
#include "engine/loader/AVUtilStubs.h"
#include "engine/loader/MyUtilStubs.h"
#include "engine/loader/SwResampleStubs.h"
#include "engine/loader/SwScaleStubs.h"
#include "engine/loader/libsdl.h"
#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace engine;

namespace {

// Every test leaves the loader as it found it: nothing loaded, no folder.
class FFmpegLoaderTest : public ::testing::Test {
protected:
    TFFmpegLoader& L = GlobalLoader();
    void SetUp() override { L.SetLibraryPath(""); }
    void TearDown() override
    {
        for (int i = 0; i < LibraryCount; ++i)
            while (L.UseCount(TLibrary(i)) > 0)
                L.Unload(TLibrary(i));
        L.SetLibraryPath("");
    }
};

#define EXPECT_BOUND(name) EXPECT_NE(reinterpret_cast<void*>(ff::name), nullptr) << #name;
#define EXPECT_BOUND_SDL(name) EXPECT_NE(reinterpret_cast<void*>(sdl::name), nullptr) << #name;
#define EXPECT_BOUND_CRT(name) EXPECT_NE(reinterpret_cast<void*>(crt::name), nullptr) << #name;
#define EXPECT_UNBOUND(name) EXPECT_EQ(reinterpret_cast<void*>(ff::name), nullptr) << #name;

} // namespace

TEST_F(FFmpegLoaderTest, FileNamesOfTheLibraries)
{
    const struct {
        TLibrary Lib;
        const char* File;
    } cases[] = {
        {myUtil, "libc.so.6"},          {avUtil, "libavutil.so.57"},    {swResample, "libswresample.so.4"},
        {swScale, "libswscale.so.6"},   {avCodec, "libavcodec.so.59"},  {avFormat, "libavformat.so.59"},
        {avFilter, "libavfilter.so.8"}, {avDevice, "libavdevice.so.59"}, {lbSDL, "libSDL-1.2.so.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TFFmpegLoader::LibraryFileName(c.Lib), c.File);
}

TEST_F(FFmpegLoaderTest, EverySetLoadsAndBindsEveryExport)
{
    for (TLibraries set : {ProbeLibraries, ConverterLibraries, PlayerLibraries}) {
        ASSERT_TRUE(L.Load(set)) << L.LastErrMsg();
        EXPECT_TRUE(L.Loaded(set));
    }
    ZARVELO_AVUTIL_EXPORTS(EXPECT_BOUND, EXPECT_BOUND)
    ZARVELO_SWRESAMPLE_EXPORTS(EXPECT_BOUND, EXPECT_BOUND)
    ZARVELO_SWSCALE_EXPORTS(EXPECT_BOUND, EXPECT_BOUND)
    ZARVELO_AVCODEC_EXPORTS(EXPECT_BOUND, EXPECT_BOUND)
    ZARVELO_AVFORMAT_EXPORTS(EXPECT_BOUND, EXPECT_BOUND)
    ZARVELO_AVFILTER_EXPORTS(EXPECT_BOUND, EXPECT_BOUND)
    ZARVELO_SDL_EXPORTS(EXPECT_BOUND_SDL, EXPECT_BOUND_SDL)
    ZARVELO_CRT_EXPORTS(EXPECT_BOUND_CRT, EXPECT_BOUND_CRT)
    // The bound entry points are the libraries' own.
    EXPECT_STREQ(ff::avcodec_get_name(AV_CODEC_ID_MP3), "mp3");
    EXPECT_EQ(ff::av_get_pix_fmt("yuv420p"), AV_PIX_FMT_YUV420P);
    EXPECT_FALSE(L.Loaded(avDevice)); // in no set
}

TEST_F(FFmpegLoaderTest, DeviceLibraryLoadsOnItsOwn)
{
    ASSERT_TRUE(L.Load(avDevice)) << L.LastErrMsg();
    ZARVELO_AVDEVICE_EXPORTS(EXPECT_BOUND, EXPECT_BOUND)
    EXPECT_TRUE(L.Loaded(avDevice));
}

TEST_F(FFmpegLoaderTest, LibraryMissingFromTheFolderComesFromTheSystem)
{
    testsupport::TTempDir dir;
    L.SetLibraryPath(dir.Path());
    EXPECT_TRUE(L.Load(ProbeLibraries)) << L.LastErrMsg();
}

TEST_F(FFmpegLoaderTest, BrokenLibraryFileFailsWithTheLoadText)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("libavdevice.so.59"), "not a library\n");
    L.SetLibraryPath(dir.Path()); // without a trailing delimiter
    EXPECT_FALSE(L.Load(avDevice));
    const std::string prefix = "Load library " + dir.Path() + "/libavdevice.so.59 error: ";
    EXPECT_EQ(L.LastErrMsg().rfind(prefix, 0), 0u) << L.LastErrMsg();
    EXPECT_GT(L.LastErrMsg().size(), prefix.size()); // the system's reason follows
    EXPECT_FALSE(L.Loaded(avDevice));
    EXPECT_UNBOUND(avdevice_register_all)
}

TEST_F(FFmpegLoaderTest, MissingExportFailsWithItsNameAndBindsNothing)
{
    testsupport::TTempDir dir;
    std::filesystem::copy_file(FAKE_SWSCALE_LIBRARY, dir.File("libswscale.so.6"));
    L.SetLibraryPath(dir.Path() + "/");
    EXPECT_FALSE(L.Load(swScale));
    EXPECT_EQ(L.LastErrMsg().rfind("Load function sws_scale@libswscale.so.6 error: ", 0), 0u) << L.LastErrMsg();
    EXPECT_FALSE(L.Loaded(swScale));
    // Entry points bound before the missing one are emptied again.
    ZARVELO_SWSCALE_EXPORTS(EXPECT_UNBOUND, EXPECT_UNBOUND)
    // A failed set answers False with the member's text.
    EXPECT_FALSE(L.Load(ProbeLibraries));
    EXPECT_EQ(L.LastErrMsg().rfind("Load function sws_scale@libswscale.so.6", 0), 0u) << L.LastErrMsg();
    EXPECT_FALSE(L.Loaded(avCodec));
}

TEST_F(FFmpegLoaderTest, FailedSetLeavesOtherComponentsLibrariesLoaded)
{
    ASSERT_TRUE(L.Load(ProbeLibraries)) << L.LastErrMsg();
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("libSDL-1.2.so.0"), "");
    L.SetLibraryPath(dir.Path());
    EXPECT_FALSE(L.Load(PlayerLibraries));
    EXPECT_NE(L.LastErrMsg().find("libSDL-1.2.so.0"), std::string::npos) << L.LastErrMsg();
    EXPECT_FALSE(L.Loaded(PlayerLibraries));
    // The prober's libraries stay bound; what the failed call loaded goes.
    EXPECT_TRUE(L.Loaded(ProbeLibraries));
    EXPECT_BOUND(avcodec_open2)
    EXPECT_FALSE(L.Loaded(swResample));
    EXPECT_FALSE(L.Loaded(avFilter));
    EXPECT_UNBOUND(avfilter_graph_alloc)
}

TEST_F(FFmpegLoaderTest, UsesAreCountedPerLibrary)
{
    ASSERT_TRUE(L.Load(ProbeLibraries));
    ASSERT_TRUE(L.Load(ConverterLibraries));
    EXPECT_EQ(L.UseCount(avCodec), 2);
    EXPECT_EQ(L.UseCount(avFilter), 1);
    L.Unload(ConverterLibraries);
    EXPECT_TRUE(L.Loaded(ProbeLibraries));
    EXPECT_FALSE(L.Loaded(avFilter));
    L.Unload(ProbeLibraries);
    EXPECT_FALSE(L.Loaded(avCodec));
    EXPECT_UNBOUND(avcodec_open2)
    L.Unload(avCodec); // not loaded: nothing happens
    EXPECT_EQ(L.UseCount(avCodec), 0);
}

TEST_F(FFmpegLoaderTest, EmptySetIsAProgrammingError)
{
    EXPECT_THROW(L.Load(TLibraries{}), platform::EAssertionFailed);
    EXPECT_THROW(L.Loaded(TLibraries{}), platform::EAssertionFailed);
    EXPECT_THROW(L.Unload(TLibraries{}), platform::EAssertionFailed);
}

TEST_F(FFmpegLoaderTest, CodecLockIsOneProcessWideLock)
{
    EXPECT_EQ(&CodecLock(), &CodecLock());
    EXPECT_EQ(&GlobalLoader(), &GlobalLoader());
}

// A folder that holds a library goes in front of the search path, once;
// a folder the libraries are not in leaves the path alone.
TEST_F(FFmpegLoaderTest, TheLibraryFolderGoesInFrontOfTheSearchPathOnce)
{
    const std::string before = platform::GetEnvironmentVariable("PATH");
    testsupport::TTempDir empty, holding;
    testsupport::WriteFile(holding.File("libavdevice.so.59"), "not a library\n");
    L.SetLibraryPath(empty.Path());
    EXPECT_TRUE(L.Load(avDevice)) << L.LastErrMsg();
    L.Unload(avDevice);
    EXPECT_EQ(platform::GetEnvironmentVariable("PATH"), before);
    L.SetLibraryPath(holding.Path());
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(L.Load(avDevice));
    EXPECT_EQ(platform::GetEnvironmentVariable("PATH"), holding.Path() + "/:" + before);
    platform::SetEnvironmentVariable("PATH", before);
}
