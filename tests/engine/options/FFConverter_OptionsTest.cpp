#include "engine/options/FFConverter_Options.h"

#include <gtest/gtest.h>

#include <climits>

using namespace engine;

namespace {

// A record full of values, so a reset has something to release.
TOutputOptions FilledOutput()
{
    TOutputOptions O;
    O.FileName = "/tmp/out.mp4";
    O.FileExt = ".mp4";
    O.FileFormat = "mp4";
    O.PacketSize = 2324;
    O.MuxRate = 1;
    O.MuxDelay = 0.7f;
    O.MuxPreload = 0.5f;
    O.AudioCodec = "aac";
    O.AudioPreset = "x";
    O.DisableAudio = true;
    O.AudioVolume = 0;
    O.AudioChannels = 2;
    O.AudioSampleRate = 44100;
    O.AudioBitrate = 128000;
    O.AudioBitRateTolerance = 5;
    O.AudioLanguage = "eng";
    O.AudioSyncMethod = 1;
    O.AudioTag = "mp4a";
    O.VideoCodec = "libx264";
    O.VideoPreset = "libx264-default";
    O.DisableVideo = true;
    O.FrameRate = "30000/1001";
    O.FrameSize = "320x240";
    O.FrameAspectRatio = "4:3";
    O.CropTop = O.CropBottom = O.CropLeft = O.CropRight = 2;
    O.GroupPictureSize = 12;
    O.VideoBitrate = O.VideoMaxRate = O.VideoMinRate = 1000;
    O.VideoBitRateTolerance = O.VideoBufSize = 1000;
    O.VideoSyncMethod = 2;
    O.VideoTag = "avc1";
    O.VideoFilters = "scale=2:2";
    O.VideoLanguage = "chi";
    O.SubtitleCodec = "copy";
    O.SubtitlePreset = "p";
    O.DisableSubtitle = true;
    O.SubtitleLanguage = "eng";
    O.InputSync = O.CopyTimestamp = true;
    O.TimeStart = 0;
    O.TimeLength = 5;
    O.Info.TimeStamp = 0.0;
    O.Info.Year = 2009;
    O.Info.Track = 3;
    O.Info.Title = O.Info.Author = O.Info.Copyright = "t";
    O.Info.Comment = O.Info.Album = O.Info.Genre = "g";
    O.TargetType = ttDVD;
    O.NormType = ntNTSC;
    O.NormDefault = ntNTSC;
    O.CustomHook = O.Join = true;
    O.ExtOptions = "b=1";
    O.Tag = 7;
    O.Data = &O;
    return O;
}

void ExpectOutputDefaults(const TOutputOptions& O)
{
    for (const std::string* S : {&O.FileName, &O.FileExt, &O.FileFormat, &O.AudioCodec, &O.AudioPreset,
                                 &O.AudioLanguage, &O.AudioTag, &O.VideoCodec, &O.VideoPreset, &O.FrameRate,
                                 &O.FrameSize, &O.FrameAspectRatio, &O.VideoTag, &O.VideoFilters,
                                 &O.VideoLanguage, &O.SubtitleCodec, &O.SubtitlePreset, &O.SubtitleLanguage,
                                 &O.ExtOptions, &O.Info.Title, &O.Info.Author, &O.Info.Copyright,
                                 &O.Info.Comment, &O.Info.Album, &O.Info.Genre})
        EXPECT_TRUE(S->empty()) << *S;
    for (int V : {O.PacketSize, O.MuxRate, O.AudioVolume, O.AudioChannels, O.AudioSampleRate, O.AudioBitrate,
                  O.AudioBitRateTolerance, O.CropTop, O.CropBottom, O.CropLeft, O.CropRight,
                  O.GroupPictureSize, O.VideoBitrate, O.VideoMaxRate, O.VideoMinRate,
                  O.VideoBitRateTolerance, O.VideoBufSize, O.VideoSyncMethod, O.Info.Year, O.Info.Track})
        EXPECT_EQ(V, -1);
    EXPECT_EQ(O.MuxDelay, -1.0f);
    EXPECT_EQ(O.MuxPreload, -1.0f);
    EXPECT_EQ(O.AudioSyncMethod, 0);
    for (bool B : {O.DisableAudio, O.DisableVideo, O.DisableSubtitle, O.InputSync, O.CopyTimestamp,
                   O.CustomHook, O.Join})
        EXPECT_FALSE(B);
    EXPECT_EQ(O.TimeStart, INT64_MIN);
    EXPECT_EQ(O.TimeLength, INT64_MIN);
    EXPECT_EQ(O.Info.TimeStamp, -1.0);
    EXPECT_EQ(O.TargetType, ttIgnore);
    EXPECT_EQ(O.NormType, ntAuto);
    EXPECT_EQ(O.NormDefault, ntPAL);
    EXPECT_EQ(O.Tag, 0);
    EXPECT_EQ(O.Data, nullptr);
}

void ExpectInputDefaults(const TInputOptions& I)
{
    EXPECT_TRUE(I.FileName.empty());
    EXPECT_TRUE(I.FileFormat.empty());
    EXPECT_EQ(I.TimeStart, INT64_MIN);
    EXPECT_EQ(I.ProgramID, -1);
    EXPECT_TRUE(I.ExtOptions.empty());
    EXPECT_EQ(I.Tag, 0);
    EXPECT_EQ(I.Data, nullptr);
}

} // namespace

TEST(FFConverterOptions, NoTimeIsTheSmallest64BitInteger)
{
    EXPECT_EQ(NoOptionTime, INT64_MIN);
}

TEST(FFConverterOptions, FreshOutputRecordHasEveryDefault)
{
    TOutputOptions O;
    ExpectOutputDefaults(O);
    InitOutputOptions(O);
    ExpectOutputDefaults(O);
}

TEST(FFConverterOptions, ResetOutputRecordReleasesEveryValue)
{
    TOutputOptions O = FilledOutput();
    InitOutputOptions(O);
    ExpectOutputDefaults(O);
}

TEST(FFConverterOptions, FreshAndResetInputRecordsHaveEveryDefault)
{
    TInputOptions I;
    ExpectInputDefaults(I);
    I.FileName = "/tmp/in.avi";
    I.FileFormat = "avi";
    I.TimeStart = 0;
    I.ProgramID = 3;
    I.ExtOptions = "r=25";
    I.Tag = 4;
    I.Data = &I;
    InitInputOptions(I);
    ExpectInputDefaults(I);
}

TEST(FFConverterOptions, EnumerationOrdinals)
{
    EXPECT_EQ(int(ttIgnore), 0);
    EXPECT_EQ(int(ttVCD), 1);
    EXPECT_EQ(int(ttSVCD), 2);
    EXPECT_EQ(int(ttDVD), 3);
    EXPECT_EQ(int(ntAuto), 0);
    EXPECT_EQ(int(ntPAL), 1);
    EXPECT_EQ(int(ntNTSC), 2);
}
