// Row texts: times, sizes, progress, and a row's texts over its own record.
#include "app/workflow/TaskRows.h"

#include <gtest/gtest.h>

using namespace app;

TEST(TaskRowsTest, TimesSizesAndProgressInTheirForms)
{
    EXPECT_EQ(SecToDate(3725), "01:02:05");
    EXPECT_EQ(SecToDate(90000), "01:00:00");
    EXPECT_EQ(SecToDate(59), "00:00:59");
    EXPECT_EQ(MegabytesText(1048576), "1MB");
    EXPECT_EQ(MegabytesText(1572864), "1.5MB");
    EXPECT_EQ(MegabytesText(0), "0MB");
    EXPECT_EQ(MegabytesText(1048576 + 13107), "1.01MB");
    EXPECT_EQ(ProgressText(50, 200), "25%");
    EXPECT_EQ(ProgressText(300, 200), "150%");
    EXPECT_EQ(ProgressText(5, 0), "N/A");
    EXPECT_EQ(ProgressText(5, -1), "N/A");
}

TEST(TaskRowsTest, TheRebuildTakesTheRowsTextsOverItsRecord)
{
    TTaskRow row;
    engine::TOutputOptions o;
    o.FileFormat = "mp4";
    o.AudioVolume = 300;
    o.AudioBitrate = 64000;
    o.TargetType = engine::ttDVD;
    row.Sub(profiles::siVideoCodec) = "libx264";
    row.Sub(profiles::siVideoTag) = "XVID";
    row.Sub(profiles::siAudioCodec) = "AUTO";
    row.Sub(profiles::siAudioChannels) = "2";
    row.Sub(profiles::siVideoBitrate) = "768000";
    row.Sub(profiles::siAudioBitrate) = "-1000";
    row.Sub(profiles::siSampleRate) = "AUTO";
    row.Sub(profiles::siDisableVideo) = "False";
    ApplyRowToRecord(row, o);
    EXPECT_EQ(o.VideoCodec, "libx264");
    EXPECT_EQ(o.VideoPreset, "libx264-default");
    EXPECT_EQ(o.VideoTag, "");
    EXPECT_EQ(o.AudioCodec, "");
    EXPECT_EQ(o.AudioChannels, 2);
    EXPECT_EQ(o.VideoBitrate, 768000);
    EXPECT_EQ(o.AudioBitrate, 64000); // automatic leaves it
    EXPECT_EQ(o.AudioSampleRate, -1);
    EXPECT_EQ(o.TargetType, engine::ttDVD); // empty target leaves it
    EXPECT_EQ(o.NormType, engine::ntAuto);
    EXPECT_EQ(o.FileFormat, "mp4");
    EXPECT_EQ(o.AudioVolume, 300);
    EXPECT_FALSE(o.DisableVideo);

    row.Sub(profiles::siAudioBitrate) = "-1";
    row.Sub(profiles::siTargetType) = "vcd";
    row.Sub(profiles::siNormType) = "PAL";
    row.Sub(profiles::siDisableVideo) = "True";
    ApplyRowToRecord(row, o);
    EXPECT_EQ(o.AudioBitrate, -1);
    EXPECT_EQ(o.TargetType, engine::ttVCD);
    EXPECT_EQ(o.NormType, engine::ntPAL);
    EXPECT_TRUE(o.DisableVideo);
    EXPECT_TRUE(o.AudioLanguage.empty());
}
