#include "profiles/OutputFields.h"

#include <gtest/gtest.h>

namespace profiles {
namespace {

TEST(OutputFieldsTest, ResetKeepsTheInputAndTheKey)
{
    TOutputFields fields;
    fields.Video_AddFileName = "/in/clip.avi";
    fields.All_Trant_Number = 1104;
    fields.Video_OutPutFileName = "/out/clip.mp4";
    fields.Video_FileExt = ".mp4";
    fields.Video_AudioChannels = "2";
    fields.Video_AudioSampleRate = "44100";
    fields.Video_FrameSize = "320*240";
    fields.Video_FrameRate = "25";
    fields.Video_NormType = "PAL";
    fields.Video_VideoFilters = "x";
    fields.Video_AudioVolume = "100";
    fields.Video_FrameAspectRatio = "4:3";
    fields.Video_VideoCodec = "mpeg4";
    fields.Video_AudioCodec = "ac3";
    fields.Video_CopyTimestamp = "1";
    fields.Video_FileFormat = "avi";
    fields.Video_TargetType = "dvd";
    fields.Video_VideoTag = "XVID";
    fields.Video_VideoBitrate = 816000;
    fields.Video_AudioBitrate = 128000;
    fields.Video_TimeStart = 5;
    fields.Video_TimeLength = 7;
    fields.Video_DisableVideo = true;

    ResetOutputFields(fields);

    EXPECT_EQ(fields.Video_OutPutFileName, "");
    EXPECT_EQ(fields.Video_FileExt, "");
    EXPECT_EQ(fields.Video_AudioChannels, "");
    EXPECT_EQ(fields.Video_AudioSampleRate, "");
    EXPECT_EQ(fields.Video_FrameSize, "");
    EXPECT_EQ(fields.Video_FrameRate, "");
    EXPECT_EQ(fields.Video_NormType, "");
    EXPECT_EQ(fields.Video_VideoFilters, "");
    EXPECT_EQ(fields.Video_AudioVolume, "256");
    EXPECT_EQ(fields.Video_FrameAspectRatio, "");
    EXPECT_EQ(fields.Video_VideoCodec, "");
    EXPECT_EQ(fields.Video_AudioCodec, "");
    EXPECT_EQ(fields.Video_CopyTimestamp, "");
    EXPECT_EQ(fields.Video_FileFormat, "");
    EXPECT_EQ(fields.Video_TargetType, "");
    EXPECT_EQ(fields.Video_VideoTag, "");
    EXPECT_EQ(fields.Video_VideoBitrate, -1);
    EXPECT_EQ(fields.Video_AudioBitrate, -1);
    EXPECT_EQ(fields.Video_TimeStart, -1);
    EXPECT_EQ(fields.Video_TimeLength, -1);
    EXPECT_FALSE(fields.Video_DisableVideo);
    EXPECT_EQ(fields.Video_AddFileName, "/in/clip.avi");
    EXPECT_EQ(fields.All_Trant_Number, 1104);
}

} // namespace
} // namespace profiles
