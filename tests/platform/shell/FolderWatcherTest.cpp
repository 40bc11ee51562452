#include "platform/shell/FolderWatcher.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

using namespace platform;

// Generous bounds for waits that a change ends at once; a test never waits
// this long unless the watcher is broken.
constexpr int Patience = 10000;

TEST(FolderWatcher, SeesAFileCreatedInTheFolder)
{
    testsupport::TTempDir dir;
    TFolderWatcher watcher;
    ASSERT_TRUE(watcher.Open(dir.Path(), false, wfFileName | wfDirName));
    EXPECT_EQ(watcher.WaitForChange(0), TWatchResult::wrTimeout);
    testsupport::WriteFile(dir.File("new.txt"), "x");
    EXPECT_EQ(watcher.WaitForChange(Patience), TWatchResult::wrChanged);
    // The burst was one change.
    EXPECT_EQ(watcher.WaitForChange(0), TWatchResult::wrTimeout);
}

TEST(FolderWatcher, FiltersDecideWhichChangesCount)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("a.txt"), "x");
    TFolderWatcher watcher;
    // Only folder names: a new file and a write go unseen, a new folder counts.
    ASSERT_TRUE(watcher.Open(dir.Path(), false, wfDirName));
    testsupport::WriteFile(dir.File("b.txt"), "x");
    testsupport::WriteFile(dir.File("a.txt"), "longer");
    EXPECT_EQ(watcher.WaitForChange(0), TWatchResult::wrTimeout);
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0755), 0);
    EXPECT_EQ(watcher.WaitForChange(Patience), TWatchResult::wrChanged);
    // Writes count with the write filter.
    ASSERT_TRUE(watcher.Open(dir.Path(), false, wfLastWrite));
    testsupport::WriteFile(dir.File("a.txt"), "again");
    EXPECT_EQ(watcher.WaitForChange(Patience), TWatchResult::wrChanged);
    // Attributes with the attribute filter.
    ASSERT_TRUE(watcher.Open(dir.Path(), false, wfAttributes));
    chmod(dir.File("a.txt").c_str(), 0600);
    EXPECT_EQ(watcher.WaitForChange(Patience), TWatchResult::wrChanged);
}

TEST(FolderWatcher, SubfoldersAreWatchedOnlyWhenAsked)
{
    testsupport::TTempDir dir;
    ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0755), 0);
    TFolderWatcher flat;
    TFolderWatcher tree;
    ASSERT_TRUE(flat.Open(dir.Path(), false, wfFileName));
    ASSERT_TRUE(tree.Open(dir.Path(), true, wfFileName | wfDirName));
    testsupport::WriteFile(dir.File("sub/deep.txt"), "x");
    EXPECT_EQ(tree.WaitForChange(Patience), TWatchResult::wrChanged);
    EXPECT_EQ(flat.WaitForChange(0), TWatchResult::wrTimeout);
    // A folder made later is followed too.
    ASSERT_EQ(mkdir(dir.File("later").c_str(), 0755), 0);
    EXPECT_EQ(tree.WaitForChange(Patience), TWatchResult::wrChanged);
    testsupport::WriteFile(dir.File("later/x.txt"), "x");
    EXPECT_EQ(tree.WaitForChange(Patience), TWatchResult::wrChanged);
}

TEST(FolderWatcher, WakeEndsAWaitFromAnotherThread)
{
    testsupport::TTempDir dir;
    TFolderWatcher watcher;
    ASSERT_TRUE(watcher.Open(dir.Path(), false, wfFileName));
    std::thread waker([&] { watcher.Wake(); });
    EXPECT_EQ(watcher.WaitForChange(-1), TWatchResult::wrWoken);
    waker.join();
}

TEST(FolderWatcher, MissingFoldersFilesAndARemovedFolderFail)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("file.txt"), "x");
    TFolderWatcher watcher;
    EXPECT_FALSE(watcher.Open(dir.File("missing"), false, wfFileName));
    EXPECT_FALSE(watcher.Open(dir.File("file.txt"), false, wfFileName));
    EXPECT_FALSE(watcher.Open("", false, wfFileName));
    EXPECT_EQ(watcher.WaitForChange(0), TWatchResult::wrFailed);
    ASSERT_EQ(mkdir(dir.File("gone").c_str(), 0755), 0);
    ASSERT_TRUE(watcher.Open(dir.File("gone"), false, wfFileName));
    ASSERT_EQ(rmdir(dir.File("gone").c_str()), 0);
    EXPECT_EQ(watcher.WaitForChange(Patience), TWatchResult::wrChanged);
    EXPECT_EQ(watcher.WaitForChange(0), TWatchResult::wrFailed);
}
