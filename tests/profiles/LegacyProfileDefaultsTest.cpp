#include "profiles/LegacyProfileDefaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"
#include "profiles/DialogPresetTexts.h"
#include "profiles/LegacyPresetLists.h"
#include "profiles/LegacyProfileList.h"
#include "support/TestSupport.h"

namespace profiles {
namespace {

using testsupport::TTempDir;
using testsupport::WriteFile;

// The columns in which two rows differ, by name.
std::set<std::string> Differences(const TProfileDefaults& A, const TProfileDefaults& B)
{
    const std::pair<const char*, std::pair<const char*, const char*>> texts[] = {
        {"Ext", {A.Ext, B.Ext}},
        {"FileExt", {A.FileExt, B.FileExt}},
        {"VideoCodec", {A.VideoCodec, B.VideoCodec}},
        {"VideoTag", {A.VideoTag, B.VideoTag}},
        {"FrameSize", {A.FrameSize, B.FrameSize}},
        {"FrameRate", {A.FrameRate, B.FrameRate}},
        {"FrameAspectRatio", {A.FrameAspectRatio, B.FrameAspectRatio}},
        {"AudioCodec", {A.AudioCodec, B.AudioCodec}},
        {"AudioChannels", {A.AudioChannels, B.AudioChannels}},
        {"AudioSampleRate", {A.AudioSampleRate, B.AudioSampleRate}},
        {"TargetType", {A.TargetType, B.TargetType}},
        {"NormType", {A.NormType, B.NormType}},
    };
    std::set<std::string> names;
    for (const auto& [name, values] : texts)
        if (std::strcmp(values.first, values.second) != 0)
            names.insert(name);
    if (A.VideoBitrate != B.VideoBitrate)
        names.insert("VideoBitrate");
    if (A.AudioBitrate != B.AudioBitrate)
        names.insert("AudioBitrate");
    if (A.DisableVideo != B.DisableVideo)
        names.insert("DisableVideo");
    return names;
}

// Every legacy key against the catalogue: the catalogue's own row but for
// the four older rows, which differ in exactly the listed columns; the "HD视频"
// and "Flash视频" profiles have none, as in the catalogue.
TEST(LegacyProfileDefaultsTest, DefaultsAreTheCataloguesButFourRows)
{
    const std::map<int, std::set<std::string>> older = {
        {211, {"FileExt", "AudioCodec"}},
        {700, {"VideoCodec", "AudioCodec", "AudioBitrate"}},
        {702, {"Ext", "FileExt", "AudioCodec", "AudioBitrate"}},
        {704, {"AudioCodec"}},
    };
    int withDefaults = 0;
    for (int c = 0; c < LegacyCategoryCount; ++c)
        for (size_t p = 0; p < LegacyProfiles(c).size(); ++p) {
            const int key = *LegacyCatalogueKey(c, int(p));
            SCOPED_TRACE(key);
            const TProfileDefaults* legacy = FindLegacyProfileDefaults(key);
            const TProfileDefaults* catalogue = FindProfileDefaults(key);
            EXPECT_EQ(legacy == nullptr, c == 2 || c == 11);
            if (!legacy)
                continue;
            ++withDefaults;
            ASSERT_NE(catalogue, nullptr);
            EXPECT_EQ(legacy->Key, key);
            const auto found = older.find(key);
            EXPECT_EQ(Differences(*legacy, *catalogue), found == older.end() ? std::set<std::string>() : found->second);
            EXPECT_EQ(legacy->DisableVideo, FindLegacyPresetChoices(key)->AudioOnly);
        }
    EXPECT_EQ(withDefaults, 95);
    for (int key : {99, 115, 1204, 1300, 2000})
        EXPECT_EQ(FindLegacyProfileDefaults(key), nullptr) << key;
}

struct TApplyCase {
    int Key;
    const char* Input;
    const char* Output; // in the folder
    const char* FileExt;
    const char* VideoCodec;
    const char* AudioCodec;
    int AudioBitrate;
    bool AudioOnly;
};

TEST(LegacyProfileDefaultsTest, ProfilesWriteTheirDefaults)
{
    const TApplyCase cases[] = {
        {100, "/in/clip.avi", "clip.avi", ".avi", "mpeg4", "libmp3lame", 128000, false},
        {100, "/in/clip", "clip.avi", ".avi", "mpeg4", "libmp3lame", 128000, false},
        {211, "/in/song.flac", "song.m4a", ".alac", "", "alac", 128000, true},
        {212, "/in/song.flac", "song.amr", ".amr", "", "libopencore_amrnb", 7400, true},
        {700, "/in/clip.avi", "clip.3gp", ".3gp", "h263", "libamr_nb", 12000, false},
        {702, "/in/clip.avi", "clip.3gp", ".3gp", "mpeg4", "libamr_nb", 12000, false},
        {704, "/in/clip.avi", "clip.3gp", ".3gp", "mpeg4", "libamr_nb", 10200, false},
        {708, "/in/clip.avi", "clip.amr", ".amr", "", "libopencore_amrnb", 7400, true},
        {1104, "/in/clip.avi", "clip.mp4", ".mp4", "libx264", "libmp3lame", 128000, false},
    };
    TTempDir dir;
    for (const TApplyCase& c : cases) {
        SCOPED_TRACE(c.Key);
        TOutputFields f;
        f.Video_AddFileName = c.Input;
        ApplyLegacyProfileDefaults(f, c.Key, TOutputNaming{dir.Path()});
        EXPECT_EQ(f.Video_OutPutFileName, dir.File(c.Output));
        EXPECT_EQ(f.Video_FileExt, c.FileExt);
        EXPECT_EQ(f.Video_VideoCodec, c.VideoCodec);
        EXPECT_EQ(f.Video_AudioCodec, c.AudioCodec);
        EXPECT_EQ(f.Video_AudioBitrate, c.AudioBitrate);
        EXPECT_EQ(f.Video_DisableVideo, c.AudioOnly);
        EXPECT_EQ(f.Video_AddFileName, c.Input);
    }
}

// No reset first: what the table does not hold stays; what it holds is the
// new profile's, so nothing of the previous profile leaks through.
TEST(LegacyProfileDefaultsTest, FieldsOutsideTheTableKeepTheirValues)
{
    TOutputFields f;
    f.Video_AddFileName = "/in/clip.avi";
    f.Video_VideoFilters = "crop";
    f.Video_AudioVolume = "300";
    f.Video_CopyTimestamp = "1";
    f.Video_FileFormat = "avi";
    f.Video_TimeStart = 5;
    f.Video_TimeLength = 7;
    f.All_Trant_Number = 42;
    ApplyLegacyProfileDefaults(f, 100, TOutputNaming{"/out"});
    EXPECT_EQ(f.Video_VideoTag, "XVID");
    ApplyLegacyProfileDefaults(f, 200, TOutputNaming{"/out"});
    EXPECT_EQ(f.Video_VideoTag, "");
    EXPECT_EQ(f.Video_VideoCodec, "");
    EXPECT_EQ(f.Video_FrameRate, "");
    EXPECT_EQ(f.Video_VideoBitrate, BitrateNotSet);
    EXPECT_TRUE(f.Video_DisableVideo);
    EXPECT_EQ(f.Video_OutPutFileName, "/out/clip.mp3");
    EXPECT_EQ(f.Video_VideoFilters, "crop");
    EXPECT_EQ(f.Video_AudioVolume, "300");
    EXPECT_EQ(f.Video_CopyTimestamp, "1");
    EXPECT_EQ(f.Video_FileFormat, "avi");
    EXPECT_EQ(f.Video_TimeStart, 5);
    EXPECT_EQ(f.Video_TimeLength, 7);
    EXPECT_EQ(f.All_Trant_Number, 42);
}

// A key without defaults (a profile of the "HD视频" or "Flash视频" lists, a
// position past a list, a category past the last) keeps every value of the
// previous profile but the no-video flag, and makes the name already there
// free in the folder shown.
TEST(LegacyProfileDefaultsTest, KeysWithoutDefaultsClearTheVideoFlagAndFreeTheName)
{
    TTempDir dir;
    WriteFile(dir.File("clip.avi"), "x");
    struct TCase {
        int Key;
        std::string OutputBefore;
        std::string Expected;
    };
    const TCase cases[] = {
        {300, "/old/clip.avi", dir.File("clip_1.avi")},
        {1203, "/old/song.mp3", dir.File("song.mp3")},
        {1300, dir.File("clip.avi"), dir.File("clip_1.avi")},
        {115, "/old/noext", dir.File("noext")},
        {99, "", ""}, // no name yet stays none, never the bare folder
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Key);
        TOutputFields f;
        f.Video_AddFileName = "/in/clip.wmv";
        f.Video_VideoCodec = "wmv2";
        f.Video_AudioBitrate = 64000;
        f.Video_DisableVideo = true;
        f.Video_OutPutFileName = c.OutputBefore;
        TOutputFields expected = f;
        expected.Video_DisableVideo = false;
        expected.Video_OutPutFileName = c.Expected;
        ApplyLegacyProfileDefaults(f, c.Key, TOutputNaming{dir.Path()});
        EXPECT_EQ(f, expected);
    }
}

TEST(LegacyProfileDefaultsTest, NoFolderChangesNothing)
{
    for (int key : {100, 300}) {
        SCOPED_TRACE(key);
        TOutputFields f;
        f.Video_AddFileName = "/in/clip.avi";
        f.Video_OutPutFileName = "/old/clip.avi";
        f.Video_DisableVideo = true;
        const TOutputFields before = f;
        try {
            ApplyLegacyProfileDefaults(f, key, TOutputNaming{""});
            ADD_FAILURE() << "no refusal";
        } catch (const EProfileError& e) {
            EXPECT_EQ(e.Message(), "No output folder is chosen for \"/in/clip.avi\".");
        }
        EXPECT_EQ(f, before);
    }
}

TEST(LegacyProfileDefaultsTest, OutputNamesOnDisk)
{
    TTempDir dir;
    WriteFile(dir.File("song.m4a"), "x");
    WriteFile(dir.File("song_1.m4a"), "x");
    platform::ForceDirectories(dir.File("clip.avi"));
    const std::set<std::string> taken = {dir.File("song_2.m4a"), dir.File("clip.avi")};
    struct TCase {
        int Key;
        std::string Input;
        bool Overwrite;
        const std::set<std::string>* Taken;
        std::string Expected;
    };
    const TCase cases[] = {
        {211, "/in/song.flac", false, nullptr, dir.File("song_2.m4a")},
        {211, "/in/song.flac", false, &taken, dir.File("song_3.m4a")},
        {211, "/in/song.flac", true, &taken, dir.File("song.m4a")},
        {211, dir.File("song.m4a"), true, nullptr, dir.File("song_1.m4a")}, // never the input itself
        {100, "/in/clip.wmv", false, nullptr, dir.File("clip.avi")},        // a folder is no file
        {100, "/in/clip.wmv", false, &taken, dir.File("clip_1.avi")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Expected);
        TOutputFields f;
        f.Video_AddFileName = c.Input;
        ApplyLegacyProfileDefaults(f, c.Key, TOutputNaming{dir.Path(), c.Overwrite, c.Taken});
        EXPECT_EQ(f.Video_OutPutFileName, c.Expected);
    }
}

TEST(LegacyProfileDefaultsTest, OkWritesTheDefaultsThenThePresetTexts)
{
    TOutputFields f;
    f.Video_AddFileName = "/in/song.flac";
    const TPresetChoices choices = *FindLegacyPresetChoices(211);
    ApplyLegacyDialogOk(f, 1, 11, choices.DefaultTexts(), TOutputNaming{"/out"});
    EXPECT_EQ(f.Video_OutPutFileName, "/out/song.m4a");
    EXPECT_EQ(f.Video_FileExt, ".alac");
    EXPECT_EQ(f.Video_AudioBitrate, 160000); // the list's pick, not the table's 128000
    EXPECT_EQ(f.Video_AudioSampleRate, "48000");
    EXPECT_EQ(f.Video_VideoBitrate, BitrateAutomatic);
    EXPECT_TRUE(f.Video_DisableVideo);

    const TPresetChoices amr = *FindLegacyPresetChoices(700);
    ApplyLegacyDialogOk(f, 6, 0, amr.DefaultTexts(), TOutputNaming{"/out"});
    EXPECT_EQ(f.Video_AudioBitrate, 12000);
    EXPECT_EQ(f.Video_FrameSize, "176*144");
    EXPECT_FALSE(f.Video_DisableVideo);
}

// OK on a choice without defaults: the flag cleared and the name freed,
// then the shown texts; a text that does not convert changes nothing.
TEST(LegacyProfileDefaultsTest, OkOnChoicesWithoutDefaultsAndItsRefusals)
{
    TOutputFields f;
    f.Video_AddFileName = "/in/clip.avi";
    f.Video_VideoCodec = "wmv2";
    f.Video_OutPutFileName = "/old/clip.wmv";
    f.Video_DisableVideo = true;
    auto texts = FindLegacyPresetChoices(100)->DefaultTexts();
    for (const auto& [category, profile] : {std::pair{0, 15}, std::pair{12, 0}, std::pair{2, 0}, std::pair{0, -1}}) {
        SCOPED_TRACE(testing::Message() << category << "/" << profile);
        TOutputFields expected = f;
        expected.Video_DisableVideo = false;
        expected.Video_OutPutFileName = "/out/clip.wmv";
        ApplyDialogPresetTexts(expected, texts);
        TOutputFields g = f;
        ApplyLegacyDialogOk(g, category, profile, texts, TOutputNaming{"/out"});
        EXPECT_EQ(g, expected);
        EXPECT_EQ(g.Video_VideoCodec, "wmv2");
    }
    texts[PresetIndex(TPreset::VideoBitrate)] = "8.5 kbps";
    EXPECT_THROW(ApplyLegacyDialogOk(f, 0, 0, texts, TOutputNaming{"/out"}), platform::EConvertError);
    EXPECT_EQ(f.Video_VideoCodec, "wmv2");
    EXPECT_EQ(f.Video_OutPutFileName, "/old/clip.wmv");
    EXPECT_TRUE(f.Video_DisableVideo);
}

} // namespace
} // namespace profiles
