// The desktop's trash: items move in with a record of where they came from,
// names never collide, and what cannot be trashed stays where it was.

#include "platform/shell/Trash.h"

#include "FakeLauncher.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using namespace platform;
using shelltest::TEnvScope;

bool Exists(const std::string& APath)
{
    struct stat st {};
    return lstat(APath.c_str(), &st) == 0;
}

struct TrashTest : ::testing::Test {
    testsupport::TTempDir Dir;
    TEnvScope Data{"XDG_DATA_HOME", Dir.File("data")};
    std::string Trash = Dir.File("data") + "/Trash";
};

TEST_F(TrashTest, AFileMovesInWithARecordOfItsPlace)
{
    mkdir(Dir.File("my folder").c_str(), 0755);
    const std::string file = Dir.File("my folder/song 1.mp3");
    testsupport::WriteFile(file, "tune");
    EXPECT_EQ(TrashFolderFor(file), Trash);
    std::string error;
    ASSERT_TRUE(MoveToTrash(file, &error)) << error;
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(testsupport::ReadFile(Trash + "/files/song 1.mp3"), "tune");
    const std::string record = testsupport::ReadFile(Trash + "/info/song 1.mp3.trashinfo");
    EXPECT_EQ(record.rfind("[Trash Info]\nPath=", 0), 0u);
    EXPECT_NE(record.find("my%20folder/song%201.mp3\n"), std::string::npos) << record;
    EXPECT_NE(record.find("\nDeletionDate=20"), std::string::npos) << record;
}

TEST_F(TrashTest, ItemsOfOneNameGetNamesOfTheirOwn)
{
    for (int i = 0; i < 3; ++i) {
        testsupport::WriteFile(Dir.File("a.txt"), std::to_string(i));
        ASSERT_TRUE(MoveToTrash(Dir.File("a.txt")));
    }
    mkdir(Dir.File("a.txt").c_str(), 0755);
    ASSERT_TRUE(MoveToTrash(Dir.File("a.txt")));
    EXPECT_EQ(testsupport::ReadFile(Trash + "/files/a.txt"), "0");
    EXPECT_EQ(testsupport::ReadFile(Trash + "/files/a.2.txt"), "1");
    EXPECT_EQ(testsupport::ReadFile(Trash + "/files/a.3.txt"), "2");
    EXPECT_TRUE(Exists(Trash + "/files/a.4.txt"));
    EXPECT_TRUE(Exists(Trash + "/info/a.4.txt.trashinfo"));
}

TEST_F(TrashTest, WhatCannotBeTrashedStaysAndTheReasonNamesIt)
{
    const std::string missing = Dir.File("missing.wav");
    mkdir(Dir.File("data").c_str(), 0755);
    const std::string cases[] = {missing, "relative.txt", "", "/", Dir.File("data")};
    for (const std::string& path : cases) {
        std::string error;
        EXPECT_FALSE(MoveToTrash(path, &error)) << path;
        EXPECT_NE(error.find("\"" + path + "\""), std::string::npos) << error;
    }
    EXPECT_TRUE(Exists(Dir.File("data")));
    // A trash that cannot be made leaves the file in place.
    testsupport::WriteFile(Dir.File("blocker"), "");
    TEnvScope blocked{"XDG_DATA_HOME", Dir.File("blocker")};
    testsupport::WriteFile(Dir.File("keep.txt"), "x");
    std::string error;
    EXPECT_FALSE(MoveToTrash(Dir.File("keep.txt"), &error));
    EXPECT_TRUE(Exists(Dir.File("keep.txt")));
    EXPECT_NE(error.find("keep.txt"), std::string::npos);
}

} // namespace
