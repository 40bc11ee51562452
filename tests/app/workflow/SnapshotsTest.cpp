// Snapshot names per extension and the seek slider's mapping.
#include "app/workflow/Snapshots.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace app;
using testsupport::TTempDir;
using testsupport::WriteFile;

TEST(SnapshotsTest, NamesCountPerExtensionAndReuseGaps)
{
    TTempDir dir;
    EXPECT_EQ(NextSnapshotName(dir.Path(), "/media/a.avi", "bmp"), dir.File("a_1.bmp"));
    WriteFile(dir.File("a_1.bmp"), "x");
    EXPECT_EQ(NextSnapshotName(dir.Path(), "/media/a.avi", "bmp"), dir.File("a_2.bmp"));
    WriteFile(dir.File("a_2.bmp"), "x");
    for (const char* ext : {"jpg", "gif", "png"})
        EXPECT_EQ(NextSnapshotName(dir.Path(), "/media/a.avi", ext), dir.File(std::string("a_1.") + ext));
    std::remove(dir.File("a_1.bmp").c_str());
    EXPECT_EQ(NextSnapshotName(dir.Path(), "/media/a.avi", "bmp"), dir.File("a_1.bmp"));
    EXPECT_EQ(NextSnapshotName(dir.Path() + "/", "clip.tar.mkv", "png"), dir.File("clip.tar_1.png"));
}

TEST(SnapshotsTest, TheSliderNeverDividesByAnUnknownDuration)
{
    EXPECT_EQ(SliderValueOfTime(5'000000, 10'000000, 218), 109);
    EXPECT_EQ(SliderValueOfTime(-1, 10'000000, 218), 0);
    EXPECT_EQ(SliderValueOfTime(5'000000, 0, 218), 0);
    EXPECT_EQ(TimeOfSliderValue(109, 218, 10'000000), 5'000000);
    EXPECT_EQ(TimeOfSliderValue(109, 218, 0), 0);
    EXPECT_EQ(TimeOfSliderValue(109, 218, -1), 0);
    EXPECT_EQ(TimeOfSliderValue(109, 0, 10'000000), 0);
}
