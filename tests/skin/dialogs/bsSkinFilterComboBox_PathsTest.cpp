#include "skin/dialogs/bsSkinFilterComboBox_Paths.h"

#include "platform/core/InOutError.h"
#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace skin;

TEST(PathRoutines, JoinDepthAndDirectoryTest)
{
    EXPECT_EQ(bsJoinPath("/home/u", "a.mp3"), "/home/u/a.mp3");
    EXPECT_EQ(bsJoinPath("/home/u/", "a.mp3"), "/home/u/a.mp3");
    EXPECT_EQ(bsJoinPath("/", "tmp"), "/tmp");
    EXPECT_EQ(bsFolderDepth("/a/b/c.txt"), 3);
    EXPECT_EQ(bsFolderDepth("c.txt"), 0);
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("file.txt"), "x");
    EXPECT_TRUE(bsDirectoryExists(dir.Path()));
    EXPECT_FALSE(bsDirectoryExists(dir.File("file.txt")));
    EXPECT_FALSE(bsDirectoryExists(dir.File("missing")));
    EXPECT_FALSE(bsDirectoryExists(""));
}

TEST(PathRoutines, DropLeadingFolder)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/", ""},
        {"/home/u/music/", "/.../u/music/"},
        {"/.../u/music/", "/.../music/"},
        {"/.../music/", "/.../"},
        {".../", ""},
        {"home/u/", ".../u/"},
        {"/.config/x/", "/.../x/"},       // a dot folder is a folder, not the prefix
        {"/.../.config/x/", "/.../x/"},
        {"name", ""},
    };
    for (const auto& [input, expected] : cases) {
        std::string s = input;
        bsDropLeadingFolder(s);
        EXPECT_EQ(s, expected) << input;
    }
}

TEST(PathRoutines, ShortenPathStepByStep)
{
    // One pixel per byte keeps the widths readable.
    auto width = [](const std::string& AText) { return int(AText.size()); };
    const std::string path = "/home/user/song.mp3";  // 19
    const std::pair<int, const char*> cases[] = {
        {19, "/home/user/song.mp3"},
        {18, "/.../user/song.mp3"},
        {17, "/.../song.mp3"},
        {12, ".../song.mp3"},
        {11, "song.mp3"},
        {3, "song.mp3"},  // the name itself is never cut
    };
    for (const auto& [maxLen, expected] : cases)
        EXPECT_EQ(bsShortenPath(path, width, maxLen), expected) << maxLen;
    EXPECT_EQ(bsShortenPath("song.mp3", width, 1), "song.mp3");
}

TEST(PathRoutines, VolumeLabelOfAnUnlabelledOrUnknownVolume)
{
    EXPECT_EQ(bsVolumeLabel("/no/such/mount"), "[]");
    EXPECT_EQ(bsDriveRemoteName("/no/such/mount"), "[]");
    const std::string root = bsVolumeLabel("/");
    EXPECT_EQ(root.front(), '[');
    EXPECT_EQ(root.back(), ']');
}

TEST(PathRoutines, SplitPathInput)
{
    testsupport::TTempDir dir;
    const std::string base = dir.Path();
    mkdir((base + "/sub").c_str(), 0755);
    mkdir((base + "/sub/deeper").c_str(), 0755);
    testsupport::WriteFile(base + "/sub/a.mp3", "x");
    const std::string saved = platform::GetCurrentDir();
    struct TCase {
        std::string Input, Folder, File;
    };
    const TCase cases[] = {
        {base + "/sub/a.mp3", base + "/sub", "a.mp3"},
        {base + "/sub/*.mp3", base + "/sub", "*.mp3"},
        {base + "/sub/deeper", base + "/sub/deeper", ""},
        {"sub/a.mp3", base + "/sub", "a.mp3"},
        {"sub", base + "/sub", ""},
        {"a?.mp3", base, "a?.mp3"},
        {"/tmp", "/tmp", ""},
        {"", base, ""},
        {"sub/../sub/deeper/", base + "/sub/deeper", ""},
        {"sub/deeper/..", base + "/sub", ""},
    };
    // Relative input resolves against the given folder; the process's
    // current folder never moves.
    for (const TCase& c : cases) {
        std::string folder, file;
        EXPECT_NO_THROW(bsSplitPathInput(c.Input, base, folder, file)) << c.Input;
        EXPECT_EQ(folder, c.Folder) << c.Input;
        EXPECT_EQ(file, c.File) << c.Input;
        EXPECT_EQ(platform::GetCurrentDir(), saved) << c.Input;
    }
    // A last part that is neither a pattern, a file nor a folder, and a
    // missing folder, fail; the current folder stays.
    const std::string failing[] = {base + "/sub/new.mp3", base + "/missing/a.mp3", "[no such label]"};
    for (const std::string& input : failing) {
        std::string folder, file;
        EXPECT_THROW(bsSplitPathInput(input, base, folder, file), platform::EInOutError) << input;
        EXPECT_EQ(platform::GetCurrentDir(), saved) << input;
    }
}
