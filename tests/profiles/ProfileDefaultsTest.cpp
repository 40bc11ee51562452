#include "profiles/ProfileDefaults.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/core/SysUtils.h"
#include "profiles/PresetLists.h"
#include "profiles/ProfileCatalogue.h"
#include "support/TestSupport.h"

namespace profiles {
namespace {

using testsupport::TTempDir;
using testsupport::WriteFile;

struct TDefaultsCase {
    int Key;
    const char* OutputName; // for /in/clip.avi into /out
    const char* FileExt;
    const char* VideoCodec;
    const char* VideoTag;
    const char* FrameSize;
    const char* FrameRate;
    const char* Aspect;
    int VideoBitrate;
    const char* AudioCodec;
    const char* Channels;
    const char* SampleRate;
    int AudioBitrate;
    const char* Target;
    const char* Norm;
    bool AudioOnly;
};

TEST(ProfileDefaultsTest, ProfilesWriteTheirDefaults)
{
    const TDefaultsCase cases[] = {
        {100, "/out/clip.avi", ".avi", "mpeg4", "XVID", "", "25", "", 816000, "libmp3lame", "2", "44100", 128000, "", "", false},
        {109, "/out/clip.3gp", ".3gp", "mpeg4", "", "176*144", "12", "4:3", 128000, "libfaac", "1", "8000", 12000, "", "", false},
        {111, "/out/clip.mpg", "", "", "", "", "", "", -1000, "", "", "", -1000, "dvd", "PAL", false},
        {114, "/out/clip.rm", "", "rv20", "", "320*240", "", "", -1, "", "", "", -1, "", "", false},
        {200, "/out/clip.mp3", ".mp3", "", "", "", "", "", -1, "libmp3lame", "2", "48000", 128000, "", "", true},
        {206, "/out/clip.ra", ".rm", "", "", "", "", "", -1, "", "2", "48000", 128000, "", "", true},
        {209, "/out/clip.mp2", ".mp2", "", "", "", "", "", -1, "", "2", "44100", 128000, "", "", true},
        {212, "/out/clip.amr", ".amr", "", "", "", "", "", -1, "libopencore_amrnb", "1", "8000", 7400, "", "", true},
        {408, "/out/clip.mp4", ".mp4", "libxvid", "", "640*480", "25", "", 7680000, "libfaac", "2", "48000", 128000, "", "", false},
        {411, "/out/clip.mp4", ".mp4", "libxvid", "", "640*480", "25", "16:9", 1200000, "libfaac", "2", "48000", 128000, "", "", false},
        {604, "/out/clip.mp4", ".mp4", "libx264", "", "640*480", "29.97", "", 1000000, "libfaac", "2", "48000", 128000, "", "", false},
        {700, "/out/clip.3gp", ".3gp", "mpeg4", "", "176*144", "12", "", 128000, "libopencore_amrnb", "1", "8000", 10200, "", "", false},
        {708, "/out/clip.amr", ".amr", "", "", "", "", "", -1, "libopencore_amrnb", "1", "8000", 7400, "", "", true},
        {802, "/out/clip.mp4", ".mp4", "libx264", "", "1280*720", "25", "", 1000000, "libfaac", "2", "48000", 192000, "", "", false},
        {901, "/out/clip.mpeg", ".mpeg", "mpeg2video", "", "1280*720", "25", "", 1200000, "ac3", "2", "48000", 192000, "", "", false},
        {906, "/out/clip.avi", ".avi", "wmv2", "", "1280*720", "25", "", 1200000, "libmp3lame", "2", "48000", 128000, "", "", false},
        {909, "/out/clip.mp4", ".mp4", "mpeg4", "", "1280*720", "25", "", 1200000, "libmp3lame", "2", "48000", 128000, "", "", false},
        {1006, "/out/clip.wmv", ".wmv", "wmv2", "", "320*240", "25", "", 1000000, "wmav2", "2", "44100", 128000, "", "", false},
        {1102, "/out/clip.mp4", ".mp4", "libx264", "", "", "25", "", 1200000, "libmp3lame", "2", "44100", 128000, "", "", false},
        {1305, "/out/clip.mp4", ".mp4", "mpeg4", "", "640*480", "25", "", 1200000, "libfaac", "2", "24000", 128000, "", "", false},
        {1404, "/out/clip.mpg", ".mpg", "mpeg2video", "", "1280*720", "25", "", 1600000, "mp2", "2", "48000", 128000, "", "", false},
        {1410, "/out/clip.mpg", "", "", "", "", "", "", -1000, "", "", "", -1000, "vcd", "PAL", false},
        {1504, "/out/clip.flv", ".flv", "", "", "", "25", "", 1200000, "libmp3lame", "2", "22050", 128000, "", "", false},
        {1506, "/out/clip.flv", "", "", "", "", "", "", -1, "libmp3lame", "2", "22050", 128000, "", "", true},
        {1601, "/out/clip.avi", ".avi", "libx264", "", "1280*720", "25", "", 1600000, "libmp3lame", "2", "48000", 256000, "", "", false},
        {2001, "/out/clip.3gp", ".3gp", "h263", "", "176*144", "12", "", 128000, "libfaac", "2", "16000", 48000, "", "", false},
        {2013, "/out/clip.mp4", ".mp4", "mpeg4", "", "176*144", "12", "", 128000, "libfaac", "2", "32000", 32000, "", "", false},
    };
    for (const TDefaultsCase& c : cases) {
        SCOPED_TRACE(c.Key);
        TOutputFields f;
        f.Video_AddFileName = "/in/clip.avi";
        f.Video_VideoFilters = "left over";
        f.Video_TimeStart = 9;
        ApplyProfileDefaults(f, c.Key, TOutputNaming{"/out"});
        EXPECT_EQ(f.All_Trant_Number, c.Key);
        EXPECT_EQ(f.Video_OutPutFileName, c.OutputName);
        EXPECT_EQ(f.Video_FileExt, c.FileExt);
        EXPECT_EQ(f.Video_VideoCodec, c.VideoCodec);
        EXPECT_EQ(f.Video_VideoTag, c.VideoTag);
        EXPECT_EQ(f.Video_FrameSize, c.FrameSize);
        EXPECT_EQ(f.Video_FrameRate, c.FrameRate);
        EXPECT_EQ(f.Video_FrameAspectRatio, c.Aspect);
        EXPECT_EQ(f.Video_VideoBitrate, c.VideoBitrate);
        EXPECT_EQ(f.Video_AudioCodec, c.AudioCodec);
        EXPECT_EQ(f.Video_AudioChannels, c.Channels);
        EXPECT_EQ(f.Video_AudioSampleRate, c.SampleRate);
        EXPECT_EQ(f.Video_AudioBitrate, c.AudioBitrate);
        EXPECT_EQ(f.Video_TargetType, c.Target);
        EXPECT_EQ(f.Video_NormType, c.Norm);
        EXPECT_EQ(f.Video_DisableVideo, c.AudioOnly);
        // Fixed for every profile, whatever the fields held before.
        EXPECT_EQ(f.Video_AudioVolume, "256");
        EXPECT_EQ(f.Video_VideoFilters, "");
        EXPECT_EQ(f.Video_CopyTimestamp, "");
        EXPECT_EQ(f.Video_FileFormat, "");
        EXPECT_EQ(f.Video_TimeStart, -1);
        EXPECT_EQ(f.Video_TimeLength, -1);
        EXPECT_EQ(f.Video_AddFileName, "/in/clip.avi");
    }
}

TEST(ProfileDefaultsTest, EveryListedProfileHasDefaultsAndLists)
{
    std::set<int> named;
    for (int position = 0; position < CategoryCount; ++position)
        for (size_t i = 0; i < ProfileNamesAt(position).size(); ++i)
            named.insert(*CatalogueKey(position, int(i)));
    std::set<int> withDefaults;
    for (const TProfileDefaults& row : AllProfileDefaults()) {
        withDefaults.insert(row.Key);
        EXPECT_TRUE(FindPresetChoices(row.Key).has_value()) << row.Key;
        EXPECT_EQ(FindProfileDefaults(row.Key), &row);
    }
    EXPECT_EQ(withDefaults, named);
    EXPECT_EQ(named.size(), 140u);
}

TEST(ProfileDefaultsTest, AudioOnlyProfilesLeaveTheVideoFieldsReset)
{
    const std::set<int> audioOnly = {200, 201, 202, 203, 204, 205, 206, 207, 208, 209,
                                     210, 211, 212, 708, 1505, 1506, 2008};
    for (const TProfileDefaults& row : AllProfileDefaults()) {
        SCOPED_TRACE(row.Key);
        EXPECT_EQ(row.DisableVideo, audioOnly.count(row.Key) == 1);
        EXPECT_EQ(row.DisableVideo, FindPresetChoices(row.Key)->AudioOnly);
        if (row.DisableVideo) {
            EXPECT_EQ(row.VideoBitrate, -1);
            EXPECT_STREQ(row.VideoCodec, "");
            EXPECT_STREQ(row.FrameSize, "");
        }
    }
}

TEST(ProfileDefaultsTest, AndroidProfilesRepeatThe3GpProfiles)
{
    for (int i = 0; i < 14; ++i) {
        const TProfileDefaults* gp = FindProfileDefaults(700 + i);
        const TProfileDefaults* android = FindProfileDefaults(2000 + i);
        ASSERT_TRUE(gp && android);
        EXPECT_STREQ(gp->Ext, android->Ext);
        EXPECT_STREQ(gp->VideoCodec, android->VideoCodec);
        EXPECT_STREQ(gp->FrameSize, android->FrameSize);
        EXPECT_STREQ(gp->AudioCodec, android->AudioCodec);
        EXPECT_EQ(gp->VideoBitrate, android->VideoBitrate);
        EXPECT_EQ(gp->AudioBitrate, android->AudioBitrate);
        EXPECT_EQ(gp->DisableVideo, android->DisableVideo);
    }
}

TEST(ProfileDefaultsTest, KeyWithoutDefaultsIsRefusedAndChangesNothing)
{
    for (int key : {0, 115, 213, 300, 1203, 2014, 2414}) {
        SCOPED_TRACE(key);
        TOutputFields f;
        f.Video_AddFileName = "/in/clip.avi";
        f.Video_VideoCodec = "mpeg4";
        f.All_Trant_Number = 100;
        try {
            ApplyProfileDefaults(f, key, TOutputNaming{"/out"});
            ADD_FAILURE() << "no refusal";
        } catch (const EProfileError& e) {
            EXPECT_EQ(e.Message(), "Output profile " + std::to_string(key) + " is not in the catalogue.");
        }
        EXPECT_EQ(f.Video_VideoCodec, "mpeg4");
        EXPECT_EQ(f.All_Trant_Number, 100);
        EXPECT_EQ(f.Video_OutPutFileName, "");
    }
}

TEST(ProfileDefaultsTest, OutputNamesOnDisk)
{
    TTempDir dir;
    const std::string out = dir.Path();
    WriteFile(out + "/clip.mp4", "x");
    WriteFile(out + "/clip_1.mp4", "x");
    WriteFile(out + "/song.mp3", "x");
    platform::ForceDirectories(out + "/folder.mp4");
    struct TCase {
        const char* Input;
        const char* Ext;
        bool Overwrite;
        std::string Expected;
    };
    const TCase cases[] = {
        {"/in/clip.avi", ".mp4", false, out + "/clip_2.mp4"},
        {"/in/clip.avi", ".mp4", true, out + "/clip.mp4"},
        {"/in/clip.avi", ".avi", false, out + "/clip.avi"},
        {"/in/song.wav", ".mp3", false, out + "/song_1.mp3"},
        {"/in/clip", ".mp4", false, out + "/clip_2.mp4"},   // no extension: appended
        {"/in/a.b.avi", ".mp4", false, out + "/a.b.mp4"},
        {"/in/folder.avi", ".mp4", false, out + "/folder.mp4"}, // a folder is no file
        {"/in/视频 1.avi", ".flac", false, out + "/视频 1.flac"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Input);
        EXPECT_EQ(MakeOutputFileName(c.Input, c.Ext, TOutputNaming{out, c.Overwrite}), c.Expected);
    }
    // A folder with a trailing delimiter gets no second one.
    EXPECT_EQ(MakeOutputFileName("/in/x.avi", ".mp4", TOutputNaming{out + "/"}), out + "/x.mp4");
}

TEST(ProfileDefaultsTest, NamesOtherRowsWillProduceCountAsTaken)
{
    TTempDir dir;
    const std::string out = dir.Path();
    WriteFile(out + "/clip_1.mp4", "x");
    const std::set<std::string> taken = {out + "/clip.mp4", out + "/clip_2.mp4", out + "/other.mp4"};
    // Two inputs named alike from different folders never share an output.
    EXPECT_EQ(MakeOutputFileName("/a/clip.avi", ".mp4", TOutputNaming{out, false, &taken}), out + "/clip_3.mp4");
    EXPECT_EQ(MakeOutputFileName("/a/new.avi", ".mp4", TOutputNaming{out, false, &taken}), out + "/new.mp4");
    // Overwriting was asked for: a file on disk may go, another row's name
    // may not.
    EXPECT_EQ(MakeOutputFileName("/a/clip.avi", ".mp4", TOutputNaming{out, true, &taken}), out + "/clip_1.mp4");
    EXPECT_EQ(MakeOutputFileName("/a/new.avi", ".mp4", TOutputNaming{out, true, &taken}), out + "/new.mp4");
    // Taken names are compared as files, however the folder is spelled.
    const std::set<std::string> keys = {OutputPathKey(out + "/clip.mp4"), OutputPathKey(out + "/clip_2.mp4")};
    EXPECT_EQ(MakeOutputFileName("/a/clip.avi", ".mp4", TOutputNaming{out + "/sub/..", true, &keys}),
              out + "/sub/../clip_1.mp4");

    TOutputFields f;
    f.Video_AddFileName = "/b/clip.mkv";
    ApplyProfileDefaults(f, 101, TOutputNaming{out, false, &taken});
    EXPECT_EQ(f.Video_OutPutFileName, out + "/clip_3.mp4");
}

TEST(ProfileDefaultsTest, TheInputIsNeverItsOwnOutput)
{
    TTempDir dir;
    const std::string input = dir.File("clip.mp4");
    WriteFile(input, "source");
    WriteFile(dir.File("clip_1.mp4"), "old output");
    // Overwriting may replace an old output, never the source.
    EXPECT_EQ(MakeOutputFileName(input, ".mp4", TOutputNaming{dir.Path(), true}), dir.File("clip_1.mp4"));
    EXPECT_EQ(MakeOutputFileName(input, ".mp4", TOutputNaming{dir.Path(), false}), dir.File("clip_2.mp4"));
    // Also when the folder is named another way.
    EXPECT_EQ(MakeOutputFileName(input, ".mp4", TOutputNaming{dir.Path() + "/.", true}), dir.Path() + "/./clip_1.mp4");
    EXPECT_EQ(MakeOutputFileName(input, ".avi", TOutputNaming{dir.Path(), true}), dir.File("clip.avi"));
}

TEST(ProfileDefaultsTest, NoOutputFolderIsRefused)
{
    EXPECT_THROW(MakeOutputFileName("/in/clip.avi", ".mp4", TOutputNaming{""}), EProfileError);
    TOutputFields f;
    f.Video_AddFileName = "/in/clip.avi";
    EXPECT_THROW(ApplyProfileDefaults(f, 101, TOutputNaming{""}), EProfileError);
    EXPECT_EQ(f.All_Trant_Number, 0);
}

} // namespace
} // namespace profiles
