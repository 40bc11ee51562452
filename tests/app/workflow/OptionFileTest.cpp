// option.ini: the content a fresh start leaves, and every key healing a
// missing, damaged or out-of-range value by writing its default back.
#include "app/workflow/OptionFile.h"

#include "platform/core/IniFiles.h"
#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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
