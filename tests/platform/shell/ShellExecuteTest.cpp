#include "platform/shell/ShellExecute.h"

#include "FakeLauncher.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using shelltest::TLauncherScope;

TEST(ShellOpen, OpensFilesFoldersAndAddressesWithXdgOpenDetached)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("song.mp3"), "x");
    const std::string targets[] = {dir.File("song.mp3"), dir.Path(), "https://example.org/a?b=1",
                                   "mailto:someone@example.org"};
    for (const std::string& target : targets) {
        TLauncherScope launcher;
        std::string error = "old";
        EXPECT_TRUE(ShellOpen(target, "", &error)) << target;
        EXPECT_EQ(error, "");
        ASSERT_EQ(launcher.Log.size(), 1u);
        EXPECT_TRUE(launcher.Log[0].Detached);
        EXPECT_EQ(launcher.Log[0].Command.Argv, (std::vector<std::string>{"xdg-open", target}));
    }
}

TEST(ShellOpen, RelativeNamesAreFoundInTheGivenFolder)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("a.txt"), "x");
    TLauncherScope launcher;
    EXPECT_TRUE(ShellOpen("a.txt", dir.Path()));
    ASSERT_EQ(launcher.Log.size(), 1u);
    EXPECT_EQ(launcher.Log[0].Command.Directory, dir.Path());
}

TEST(ShellOpen, MissingFilesAndEmptyTargetsFailWithoutStartingAnything)
{
    TLauncherScope launcher;
    std::string error;
    EXPECT_FALSE(ShellOpen("/no/such/file.mp3", "", &error));
    EXPECT_NE(error.find("/no/such/file.mp3"), std::string::npos) << error;
    EXPECT_FALSE(ShellOpen("", "", &error));
    EXPECT_EQ(error, "Nothing to open");
    EXPECT_TRUE(launcher.Log.empty());
}

TEST(ShellOpen, ALauncherFailureIsReported)
{
    TLauncherScope launcher(false);
    std::string error;
    EXPECT_FALSE(ShellOpen("https://example.org", "", &error));
    EXPECT_EQ(error, "refused");
}

TEST(ProcessLauncher, RunReportsExitStatusAndMissingPrograms)
{
    TProcessLauncher launcher;
    EXPECT_TRUE(launcher.Run({{"true"}, ""}).Success);
    const TLaunchResult failed = launcher.Run({{"sh", "-c", "exit 3"}, ""});
    EXPECT_FALSE(failed.Success);
    EXPECT_EQ(failed.ExitCode, 3);
    const TLaunchResult missing = launcher.Run({{"no-such-program-zarvelo"}, ""});
    EXPECT_FALSE(missing.Success);
    EXPECT_NE(missing.ErrorText.find("not installed"), std::string::npos) << missing.ErrorText;
    EXPECT_FALSE(launcher.Start({{}, ""}).Success);
}

TEST(ProcessLauncher, StartRunsDetachedInTheGivenFolder)
{
    testsupport::TTempDir dir;
    TProcessLauncher launcher;
    const TLaunchResult started = launcher.Start({{"sh", "-c", "pwd > where.txt.part && mv where.txt.part where.txt"}, dir.Path()});
    ASSERT_TRUE(started.Success) << started.ErrorText;
    // The detached program finishes on its own; wait for its file.
    for (int i = 0; i < 500 && access(dir.File("where.txt").c_str(), F_OK) != 0; ++i)
        usleep(10000);
    EXPECT_EQ(testsupport::ReadFile(dir.File("where.txt")), dir.Path() + "\n");
}

TEST(ProcessLauncher, AMissingWorkingFolderFailsTheStart)
{
    TProcessLauncher launcher;
    const TLaunchResult result = launcher.Start({{"true"}, "/no/such/folder"});
    EXPECT_FALSE(result.Success);
    EXPECT_NE(result.ErrorText.find("/no/such/folder"), std::string::npos) << result.ErrorText;
}

TEST(FindProgram, LooksOnPathAndChecksExecutables)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("tool"), "#!/bin/sh\n");
    testsupport::WriteFile(dir.File("plain"), "");
    chmod(dir.File("tool").c_str(), 0755);
    shelltest::TEnvScope path("PATH", dir.Path());
    EXPECT_EQ(FindProgram("tool"), dir.File("tool"));
    EXPECT_EQ(FindProgram("plain"), "");
    EXPECT_EQ(FindProgram("sh"), "");
    EXPECT_EQ(FindProgram(dir.File("tool")), dir.File("tool"));
    EXPECT_EQ(FindProgram(""), "");
}

TEST(ShellOpenFolder, HandsOverOnlyAbsolutePathsOfExistingFolders)
{
    testsupport::TTempDir dir;
    testsupport::WriteFile(dir.File("a.txt"), "x");
    TLauncherScope launcher;
    std::string error;
    EXPECT_TRUE(ShellOpenFolder(dir.Path(), &error)) << error;
    ASSERT_EQ(launcher.Log.size(), 1u);
    EXPECT_EQ(launcher.Log[0].Command.Argv, (std::vector<std::string>{"xdg-open", dir.Path()}));

    const std::string refused[] = {"--help", "-v", "https://example.org/", "file:///tmp", "tmp", "",
                                   dir.File("a.txt"), dir.File("missing")};
    for (const std::string& folder : refused) {
        EXPECT_FALSE(ShellOpenFolder(folder, &error)) << folder;
        EXPECT_NE(error.find("Cannot open \"" + folder + "\""), std::string::npos) << error;
    }
    EXPECT_EQ(launcher.Log.size(), 1u);
}
