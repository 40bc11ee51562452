// option.ini: the content a fresh start leaves, and every key healing a
// missing, damaged or out-of-range value by writing its default back.
#include "app/workflow/OptionFile.h"

#include "platform/core/IniFiles.h"
#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace app;
using testsupport::ReadFile;
using testsupport::TTempDir;
using testsupport::WriteFile;

namespace {

class OptionFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOldHome = platform::GetEnvironmentVariable("HOME");
        platform::SetEnvironmentVariable("HOME", Home.Path());
    }
    void TearDown() override { platform::SetEnvironmentVariable("HOME", FOldHome); }

    std::string Value(const char* ASection, const char* AKey)
    {
        platform::TIniFile ini(Dir.File("option.ini"));
        return ini.ReadString(ASection, AKey, "<none>");
    }

    TTempDir Home;
    TTempDir Dir;
    std::string FOldHome;
};

} // namespace

TEST_F(OptionFileTest, AFreshStartWritesEveryDefaultInItsOrder)
{
    TOptionFile file(Dir.File("option.ini"));
    const std::string out = Home.Path() + "/Zarvelo视频软件/输出";
    EXPECT_EQ(file.ReadOutPath(), out);
    EXPECT_TRUE(platform::DirectoryExists(out));
    EXPECT_EQ(file.ReadSkinIndex(1), 0);
    EXPECT_EQ(file.ReadOptions(), TConversionOptions{});
    EXPECT_EQ(ReadFile(file.FileName()), "[OutPath]\r\nOutPath=" + out +
                                             "\r\n\r\n[Skin]\r\nSetSkin=0\r\n\r\n[Options]\r\nThread_Count=0\r\n"
                                             "After_Done=0\r\nThread_Priority=3\r\nOverwrite_File=1\r\n"
                                             "Show_Preview=0\r\n\r\n");
}

TEST_F(OptionFileTest, OptionsOfAMissingFileAreWrittenInTheWritersOrder)
{
    TOptionFile file(Dir.File("option.ini"));
    EXPECT_EQ(file.ReadOptions(), TConversionOptions{});
    EXPECT_EQ(ReadFile(file.FileName()), "[Options]\r\nThread_Count=0\r\nAfter_Done=0\r\nShow_Preview=0\r\n"
                                         "Thread_Priority=3\r\nOverwrite_File=1\r\n\r\n");
}

TEST_F(OptionFileTest, EveryOptionHealsABadValue)
{
    struct TCase {
        const char* Key;
        const char* Stored;
        const char* After; // what the file holds after the read
    };
    const TCase cases[] = {
        {"Thread_Count", "", "0"},        {"Thread_Count", "Error", "0"},  {"Thread_Count", "abc", "0"},
        {"Thread_Count", "20", "0"},      {"Thread_Count", "-1", "0"},     {"Thread_Count", "7", "7"},
        {"After_Done", "7", "0"},         {"After_Done", "x", "0"},        {"After_Done", "2", "2"},
        {"Thread_Priority", "", "3"},     {"Thread_Priority", "4", "3"},   {"Thread_Priority", "1", "1"},
        {"Overwrite_File", "2", "1"},     {"Overwrite_File", "0", "0"},    {"Show_Preview", "yes", "0"},
        {"Show_Preview", "1", "1"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Key) + "=" + c.Stored);
        WriteFile(Dir.File("option.ini"), std::string("[Options]\r\n") + c.Key + "=" + c.Stored + "\r\n");
        TOptionFile(Dir.File("option.ini")).ReadOptions();
        EXPECT_EQ(Value("Options", c.Key), c.After);
    }
}

TEST_F(OptionFileTest, StoredOptionsSelectTheirValues)
{
    WriteFile(Dir.File("option.ini"), "[Options]\r\nThread_Count=5\r\nAfter_Done=1\r\nShow_Preview=1\r\n"
                                      "Thread_Priority=0\r\nOverwrite_File=0\r\n");
    const TConversionOptions read = TOptionFile(Dir.File("option.ini")).ReadOptions();
    EXPECT_EQ(read.ThreadCount, 5);
    EXPECT_EQ(read.AfterDone, TAfterDone::Shutdown);
    EXPECT_TRUE(read.ShowPreview);
    EXPECT_EQ(read.Priority, TRunPriority::Idle);
    EXPECT_TRUE(read.Overwrite);

    TConversionOptions written;
    written.ThreadCount = 3;
    written.AfterDone = TAfterDone::Nothing;
    TOptionFile(Dir.File("option.ini")).WriteOptions(written);
    EXPECT_EQ(TOptionFile(Dir.File("option.ini")).ReadOptions(), written);
}

TEST_F(OptionFileTest, FoldersFallBackAndAreCreated)
{
    TOptionFile file(Dir.File("option.ini"));
    const std::string chosen = Dir.File("mine/out");
    WriteFile(file.FileName(), "[OutPath]\r\nOutPath=" + chosen + "\r\n");
    EXPECT_EQ(file.ReadOutPath(), chosen);
    EXPECT_TRUE(platform::DirectoryExists(chosen));
    for (const char* bad : {"", "Error"}) {
        WriteFile(file.FileName(), std::string("[OutPath]\r\nOutPath=") + bad + "\r\n");
        EXPECT_EQ(file.ReadOutPath(), Home.Path() + "/Zarvelo视频软件/输出");
        EXPECT_EQ(Value("OutPath", "OutPath"), Home.Path() + "/Zarvelo视频软件/输出");
    }
    // A folder that does not exist is never stored.
    EXPECT_FALSE(file.WriteOutPath(Dir.File("nowhere")));
    EXPECT_TRUE(file.WriteOutPath(chosen));
    EXPECT_EQ(Value("OutPath", "OutPath"), chosen);

    EXPECT_EQ(file.ReadSnapshotFolder(), Home.Path() + "/Zarvelo视频软件/快照");
    EXPECT_TRUE(platform::DirectoryExists(Home.Path() + "/Zarvelo视频软件/快照"));
}

TEST_F(OptionFileTest, SkinIndexAndPictureTypeHeal)
{
    TOptionFile file(Dir.File("option.ini"));
    for (const char* bad : {"abc", "5", "-1", ""}) {
        WriteFile(file.FileName(), std::string("[Skin]\r\nSetSkin=") + bad + "\r\n");
        EXPECT_EQ(file.ReadSkinIndex(1), 0) << bad;
        EXPECT_EQ(Value("Skin", "SetSkin"), "0") << bad;
    }
    WriteFile(file.FileName(), "[Skin]\r\nSetSkin=1\r\n");
    EXPECT_EQ(file.ReadSkinIndex(2), 1);

    for (const char* bad : {"bmp", "TIFF", ""}) {
        WriteFile(file.FileName(), std::string("[SnapShot]\r\nPicture=") + bad + "\r\n");
        EXPECT_EQ(file.ReadPictureType(), TPictureType::BMP) << bad;
        EXPECT_EQ(Value("SnapShot", "Picture"), "BMP") << bad;
    }
    file.WritePictureType(TPictureType::PNG);
    EXPECT_EQ(file.ReadPictureType(), TPictureType::PNG);
}

TEST_F(OptionFileTest, FolderValuesThatAreNoAbsolutePathsCountAsMissing)
{
    TOptionFile file(Dir.File("option.ini"));
    const std::string out = Home.Path() + "/Zarvelo视频软件/输出";
    const std::string shots = Home.Path() + "/Zarvelo视频软件/快照";
    // Handed to the desktop later, an option or an address would be run.
    for (const char* bad : {"--help", "-x", "https://example.org/", "file:///tmp", "relative/folder", "C:\\输出"}) {
        SCOPED_TRACE(bad);
        WriteFile(file.FileName(), std::string("[OutPath]\r\nOutPath=") + bad + "\r\n[SnapShot]\r\nDir=" + bad + "\r\n");
        EXPECT_EQ(file.ReadOutPath(), out);
        EXPECT_EQ(file.ReadSnapshotFolder(), shots);
        EXPECT_EQ(Value("OutPath", "OutPath"), out);
        EXPECT_EQ(Value("SnapShot", "Dir"), shots);
    }
}

TEST_F(OptionFileTest, EditsMadeOutsideBetweenTwoReadsAreSeen)
{
    TOptionFile file(Dir.File("option.ini"));
    // Same size and written within one clock tick: only the content differs.
    for (const char* stored : {"1", "0", "2", "3"}) {
        WriteFile(file.FileName(), std::string("[Options]\r\nAfter_Done=") + stored + "\r\n");
        EXPECT_EQ(int(file.ReadOptions().AfterDone), stored[0] - '0');
    }
    platform::DeleteFile(file.FileName());
    EXPECT_FALSE(file.Exists());
    EXPECT_EQ(file.ReadOptions(), TConversionOptions{});
    EXPECT_EQ(Value("Options", "After_Done"), "0");
}

namespace {

// A settings file that cannot be used, made by the test.
struct TUnusableCase {
    const char* Name;
    std::function<void(const std::string& AFile)> Make;
    const char* Problem;   // the message, after the file's name
    TAfterDone Stored;     // what the file holds, or the default
};

} // namespace

TEST_F(OptionFileTest, AnUnusableFileGivesDefaultsAndSaysWhyOnce)
{
    const TUnusableCase cases[] = {
        {"a folder", [](const std::string& F) { platform::ForceDirectories(F); }, ": Is a directory",
         TAfterDone::OpenFolder},
        {"read-only with missing keys",
         [](const std::string& F) {
             WriteFile(F, "[Options]\r\nAfter_Done=2\r\n");
             chmod(F.c_str(), 0444);
         },
         ": Permission denied", TAfterDone::PlaySound},
        {"below a plain file", nullptr, ": Not a directory", TAfterDone::OpenFolder},
    };
    for (const TUnusableCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir dir;
        std::string name = dir.File("option.ini");
        if (c.Make)
            c.Make(name);
        else {
            WriteFile(dir.File("plain"), "");
            name = dir.File("plain/option.ini");
        }
        TOptionFile file(name);
        std::vector<std::string> problems;
        file.OnProblem = [&](const std::string& AProblem) { problems.push_back(AProblem); };

        // Start-up: every read works from memory; the failure is told once.
        EXPECT_EQ(file.ReadOutPath(), Home.Path() + "/Zarvelo视频软件/输出");
        EXPECT_EQ(file.ReadSkinIndex(1), 0);
        EXPECT_EQ(file.ReadOptions().AfterDone, c.Stored);
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0], "Unable to write to " + name + c.Problem);

        // A choice of the user that cannot be stored says so each time and
        // stays in force for this run.
        TConversionOptions chosen;
        chosen.ThreadCount = 4;
        for (int attempt = 0; attempt < 2; ++attempt) {
            EXPECT_FALSE(file.WriteOptions(chosen));
            EXPECT_EQ(problems.size(), size_t(2 + attempt));
        }
        EXPECT_EQ(file.ReadOptions(), chosen);
        EXPECT_EQ(problems.size(), 3u);
    }
}

TEST_F(OptionFileTest, AWriteIsWholeAndLeavesNoTemporaryFile)
{
    TOptionFile file(Dir.File("option.ini"));
    WriteFile(file.FileName(), "; kept apart\r\n[Mine]\r\nKey=Value\r\n");
    chmod(file.FileName().c_str(), 0600);
    EXPECT_TRUE(file.WriteSkinIndex(0));
    EXPECT_EQ(ReadFile(file.FileName()), "[Mine]\r\nKey=Value\r\n\r\n[Skin]\r\nSetSkin=0\r\n\r\n");
    struct stat st {};
    stat(file.FileName().c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Dir.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}
