// Whole-file reads and replacements: what they refuse and why, that a
// replacement never leaves a part or a temporary behind, and when a file
// stamp says a file may have changed.
#include "platform/core/WholeFiles.h"

#include "support/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using testsupport::ReadFile;
using testsupport::TTempDir;
using testsupport::WriteFile;

namespace {

int FilesIn(const std::string& AFolder)
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(AFolder))
        ++count;
    return count;
}

} // namespace

TEST(ReadWholeFile, TellsMissingFilesFromUnreadableOnes)
{
    TTempDir dir;
    WriteFile(dir.File("a.ini"), std::string("x\0y", 3));
    WriteFile(dir.File("plain"), "");
    std::filesystem::create_directory(dir.File("folder"));
    mkfifo(dir.File("pipe").c_str(), 0600);
    struct TCase {
        std::string Name;
        TReadOutcome Outcome;
        std::string Text;
        std::string Reason;
    };
    const TCase cases[] = {
        {dir.File("a.ini"), TReadOutcome::Read, std::string("x\0y", 3), ""},
        {dir.File("nothing"), TReadOutcome::Missing, "", ""},
        {dir.File("plain/below"), TReadOutcome::Missing, "", ""},
        {dir.File("folder"), TReadOutcome::Failed, "", "Is a directory"},
        // A pipe in the file's place would block a plain read for ever.
        {dir.File("pipe"), TReadOutcome::Failed, "", "not a regular file"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string text = "old", reason;
        EXPECT_EQ(ReadWholeFile(c.Name, text, reason), c.Outcome);
        EXPECT_EQ(text, c.Text);
        EXPECT_EQ(reason, c.Reason);
    }
}

TEST(ReplaceFileContent, WritesWholeAndKeepsPermissionsAndLinks)
{
    TTempDir dir;
    std::string reason;
    ASSERT_TRUE(ReplaceFileContent(dir.File("new.ini"), "first", reason)) << reason;
    EXPECT_EQ(ReadFile(dir.File("new.ini")), "first");

    chmod(dir.File("new.ini").c_str(), 0640);
    ASSERT_TRUE(ReplaceFileContent(dir.File("new.ini"), "second", reason)) << reason;
    EXPECT_EQ(ReadFile(dir.File("new.ini")), "second");
    struct stat st {};
    stat(dir.File("new.ini").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    symlink("new.ini", dir.File("link.ini").c_str());
    ASSERT_TRUE(ReplaceFileContent(dir.File("link.ini"), "third", reason)) << reason;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.ini")));
    EXPECT_EQ(ReadFile(dir.File("new.ini")), "third");
    EXPECT_EQ(FilesIn(dir.Path()), 2);
}

TEST(ReplaceFileContent, RefusesWhatItMustNotReplaceAndLeavesItAsItWas)
{
    TTempDir dir;
    std::filesystem::create_directory(dir.File("folder.ini"));
    WriteFile(dir.File("locked.ini"), "kept");
    chmod(dir.File("locked.ini").c_str(), 0444);
    WriteFile(dir.File("plain"), "");
    mkfifo(dir.File("pipe.ini").c_str(), 0600);
    struct TCase {
        std::string Name;
        std::string Reason;
    };
    const TCase cases[] = {
        {dir.File("folder.ini"), "Is a directory"},
        // Read-only is kept even for the superuser, who could rename over it.
        {dir.File("locked.ini"), "Permission denied"},
        {dir.File("plain/below.ini"), "Not a directory"},
        {dir.File("missing/a.ini"), "No such file or directory"},
        {dir.File("pipe.ini"), "not a regular file"},
        {"", "No such file or directory"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string reason;
        EXPECT_FALSE(ReplaceFileContent(c.Name, "new", reason));
        EXPECT_EQ(reason, c.Reason);
    }
    EXPECT_EQ(ReadFile(dir.File("locked.ini")), "kept");
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.ini")));
    // No temporary file was left behind.
    EXPECT_EQ(FilesIn(dir.Path()), 4);
}

TEST(FileStamp, ChangesWithTheFileAndSettlesWithTime)
{
    TTempDir dir;
    const TFileStamp missing = TFileStamp::Of(dir.File("a.ini"));
    EXPECT_FALSE(missing.Exists);
    EXPECT_TRUE(missing.Settled());

    WriteFile(dir.File("a.ini"), "one");
    const TFileStamp written = TFileStamp::Of(dir.File("a.ini"));
    EXPECT_TRUE(written.Exists);
    EXPECT_FALSE(written.SameFile(missing));
    // Just written: a same-size rewrite in the same clock tick would not show.
    EXPECT_FALSE(written.Settled());
    EXPECT_TRUE(TFileStamp::Of(dir.File("a.ini")).SameFile(written));

    WriteFile(dir.File("a.ini"), "two!");
    EXPECT_FALSE(TFileStamp::Of(dir.File("a.ini")).SameFile(written));

    TFileStamp old = written;
    old.TakenNs = old.ModifiedNs + 60'000'000'000;
    old.ChangedNs = old.ModifiedNs;
    EXPECT_TRUE(old.Settled());
}
