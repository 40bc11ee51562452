// A tagged FLAC song with a cover picture, added through "添加" and the
// open dialog under the M4A profile, converts to an M4A of the song's own
// length that reads clean to its end: the sound is not pushed later by a
// decoder that takes several packets before its first samples.

#include "program/ProgramMedia.h"
#include "program/ProgramSession.h"
#include "program/ProgramSteps.h"

#include "support/ProbeLines.h"
#include "support/TestSupport.h"

#include <cmath>

namespace programtest {
namespace {

class TaggedFlac : public ::testing::TestWithParam<TDesk> {};

TEST_P(TaggedFlac, ConvertsToAnM4aOfItsOwnLength)
{
    TProgramSession s(GetParam());
    ASSERT_TRUE(testsupport::MakeMedia(s.Media("song.flac"),
                                       "-f lavfi -i sine=frequency=440:duration=4 -f lavfi -i "
                                       "color=c=red:size=64x64:duration=0.04 -map 0 -map 1 -frames:v 1 -c:a flac "
                                       "-c:v png -disposition:v attached_pic -metadata title=Song -metadata artist=Band"));
    ASSERT_TRUE(s.Start());
    MoveList(s, Controls::Profile, 4); // MP3 to M4A
    ASSERT_TRUE(s.ChooseAdd());
    TWin open;
    ASSERT_TRUE(s.WaitWindow("打开文件", open));
    ASSERT_TRUE(s.PickFile(s.Media("song.flac")));
    ASSERT_TRUE(s.WaitText(Controls::FileList, "song.m4a", 1, 10, "the row shows"));

    ASSERT_TRUE(s.Click(Controls::Start));
    const std::string output = s.DefaultOutputFolder() + "/song.m4a";
    ASSERT_TRUE(s.WaitText(Controls::FileList, "100%", 1, 60, "converted"));
    // The row may say so a moment before the file is closed.
    ASSERT_TRUE(s.WaitFor("an M4A in " + output, [&] {
        return Streams(output) == std::vector<std::string>{"audio:aac"};
    }));
    s.Shot("converted");
    // Within one AAC frame.
    EXPECT_NEAR(Duration(output), 4.0, 0.025);
    EXPECT_EQ(testsupport::DecodeErrors(output), "");

    ASSERT_TRUE(s.Quit());
}

INSTANTIATE_TEST_SUITE_P(Desks, TaggedFlac, ::testing::Values(TDesk::Bare, TDesk::Openbox), DeskParamName);

} // namespace
} // namespace programtest
