// A settings file the program cannot read or write never stops it: the
// main window shows with the defaults, one "提示" box names the file and
// the reason, and a choice that cannot be saved later says so too. The
// file is left as it was.

#include "program/ProgramSession.h"

#include "support/TestSupport.h"

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace programtest {
namespace {

namespace fs = std::filesystem;

struct TUnusable {
    const char* Name;
    // Makes the settings file unusable in the session's folders and answers
    // where it is.
    std::function<std::string(TProgramSession&)> Make;
    // Permissions hold nothing back from the superuser.
    bool NeedsPermissions = false;
};

void PrintTo(const TUnusable& ACase, std::ostream* AOut) { *AOut << ACase.Name; }

std::string Beside(TProgramSession& ASession) { return ASession.ProgramFolder() + "/option.ini"; }

const TUnusable Cases[] = {
    {"Folder",
     [](TProgramSession& S) {
         fs::create_directories(Beside(S));
         return Beside(S);
     }},
    {"ReadOnlyWithMissingKeys",
     [](TProgramSession& S) {
         testsupport::WriteFile(Beside(S), "[Options]\r\nAfter_Done=3\r\n");
         chmod(Beside(S).c_str(), 0444);
         return Beside(S);
     }},
    {"Unreadable",
     [](TProgramSession& S) {
         testsupport::WriteFile(Beside(S), "[Options]\r\nAfter_Done=3\r\n");
         chmod(Beside(S).c_str(), 0);
         return Beside(S);
     },
     true},
    // A program folder that cannot be written sends the file to the
    // configuration folder, which cannot be written either.
    {"FolderReadOnly",
     [](TProgramSession& S) {
         const std::string config = S.Home() + "/.config/zarvelo";
         fs::create_directories(config);
         chmod(config.c_str(), 0555);
         chmod(S.ProgramFolder().c_str(), 0555);
         return config + "/option.ini";
     },
     true},
};

std::string Snapshot(const std::string& AFile)
{
    struct stat st {};
    if (stat(AFile.c_str(), &st) != 0)
        return "missing";
    if (S_ISDIR(st.st_mode))
        return "a folder";
    chmod(AFile.c_str(), st.st_mode | S_IRUSR);
    std::string text = testsupport::ReadFile(AFile);
    chmod(AFile.c_str(), st.st_mode);
    return std::to_string(st.st_mode & 07777) + ": " + text;
}

// Gives the program's folder its permissions back, so the session can
// remove it whatever step failed.
struct TWritableAgain {
    std::string Folder;
    ~TWritableAgain() { chmod(Folder.c_str(), 0755); }
};

class UnusableOptionFile : public ::testing::TestWithParam<TUnusable> {};

TEST_P(UnusableOptionFile, TheProgramStartsWithTheDefaultsAndSaysWhatFailed)
{
    const TUnusable& c = GetParam();
    if (c.NeedsPermissions && geteuid() == 0)
        GTEST_SKIP() << "the superuser reads and writes whatever the permissions say";
    TProgramSession s(TDesk::Bare);
    const TWritableAgain restore{s.ProgramFolder()};
    const std::string file = c.Make(s);
    const std::string before = Snapshot(file);

    ASSERT_TRUE(s.Start());
    TWin box;
    ASSERT_TRUE(s.WaitWindow("提示", box, 10)) << "the start says nothing about " << file;
    s.Shot("told at start");
    s.Key("Return");
    ASSERT_TRUE(s.WaitWindowGone("提示"));

    // The program keeps working: the options dialog opens, and its OK says
    // that the choice could not be saved.
    ASSERT_TRUE(s.Click(Controls::Options));
    TWin options;
    ASSERT_TRUE(s.WaitWindow(OptionsForm.Title, options));
    ASSERT_TRUE(s.Click(Controls::NothingWhenDone));
    ASSERT_TRUE(s.Click(Controls::OptionsOk));
    ASSERT_TRUE(s.WaitWindow("提示", box, 10)) << "a failed save is not told";
    s.Shot("told at OK");
    s.Key("Return");
    ASSERT_TRUE(s.WaitWindowGone("提示"));
    ASSERT_TRUE(s.WaitWindowGone(OptionsForm.Title));
    ASSERT_TRUE(s.Quit());
    EXPECT_EQ(Snapshot(file), before);
}

INSTANTIATE_TEST_SUITE_P(Files, UnusableOptionFile, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<TUnusable>& AInfo) { return std::string(AInfo.param.Name); });

} // namespace
} // namespace programtest
