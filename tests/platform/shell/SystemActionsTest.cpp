#include "platform/shell/SystemActions.h"

#include "FakeLauncher.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace platform;
using shelltest::TLauncherScope;

namespace {

// A PATH folder holding stand-ins for the named programs. The fake launcher
// never runs them; they only make the programs look installed.
class TFakePath {
public:
    explicit TFakePath(std::initializer_list<const char*> APrograms) : FPath("PATH", FDir.Path())
    {
        for (const char* program : APrograms) {
            testsupport::WriteFile(FDir.File(program), "#!/bin/sh\nexit 0\n");
            chmod(FDir.File(program).c_str(), 0755);
        }
    }

private:
    testsupport::TTempDir FDir;
    shelltest::TEnvScope FPath;
};

} // namespace

TEST(SystemActions, ShutdownAsksSystemctlAndWaitsForIt)
{
    TFakePath path{"systemctl", "busctl"};
    TLauncherScope launcher;
    std::string error;
    EXPECT_TRUE(TSystemActions().Shutdown(error)) << error;
    ASSERT_EQ(launcher.Log.size(), 1u);
    EXPECT_FALSE(launcher.Log[0].Detached);
    EXPECT_EQ(launcher.Log[0].Command.Argv, (std::vector<std::string>{"systemctl", "poweroff"}));
}

TEST(SystemActions, ShutdownWithoutSystemctlAsksLogind)
{
    TFakePath path{"busctl"};
    TLauncherScope launcher;
    std::string error;
    EXPECT_TRUE(TSystemActions().Shutdown(error)) << error;
    ASSERT_EQ(launcher.Log.size(), 1u);
    EXPECT_EQ(launcher.Log[0].Command.Argv,
              (std::vector<std::string>{"busctl", "call", "org.freedesktop.login1", "/org/freedesktop/login1",
                                        "org.freedesktop.login1.Manager", "PowerOff", "b", "true"}));
}

TEST(SystemActions, ARefusedShutdownIsReported)
{
    {
        TFakePath path{"systemctl"};
        TLauncherScope launcher(false);
        std::string error;
        EXPECT_FALSE(TSystemActions().Shutdown(error));
        EXPECT_EQ(error, "refused");
    }
    TFakePath path{};
    TLauncherScope launcher;
    std::string error;
    EXPECT_FALSE(TSystemActions().Shutdown(error));
    EXPECT_EQ(error, "systemctl is not installed");
    EXPECT_TRUE(launcher.Log.empty());
}

TEST(SystemActions, PlaySoundStartsTheFirstInstalledPlayerDetached)
{
    testsupport::TTempDir dir;
    const std::string wav = dir.File("ring.wav");
    testsupport::WriteFile(wav, "RIFF");
    struct TCase {
        std::vector<const char*> Installed;
        const char* Expected;
    };
    const TCase cases[] = {{{"aplay", "paplay", "pw-play"}, "paplay"}, {{"aplay", "pw-play"}, "pw-play"}, {{"aplay"}, "aplay"}};
    for (const TCase& c : cases) {
        testsupport::TTempDir bin;
        for (const char* program : c.Installed) {
            testsupport::WriteFile(bin.File(program), "#!/bin/sh\n");
            chmod(bin.File(program).c_str(), 0755);
        }
        shelltest::TEnvScope path("PATH", bin.Path());
        TLauncherScope launcher;
        std::string error;
        EXPECT_TRUE(TSystemActions().PlaySound(wav, error)) << error;
        ASSERT_EQ(launcher.Log.size(), 1u);
        EXPECT_TRUE(launcher.Log[0].Detached);
        EXPECT_EQ(launcher.Log[0].Command.Argv, (std::vector<std::string>{c.Expected, wav}));
    }
}

TEST(SystemActions, PlaySoundFailsWithoutFileOrPlayer)
{
    testsupport::TTempDir dir;
    TFakePath path{};
    TLauncherScope launcher;
    std::string error;
    EXPECT_FALSE(TSystemActions().PlaySound(dir.File("missing.wav"), error));
    EXPECT_NE(error.find("missing.wav"), std::string::npos);
    testsupport::WriteFile(dir.File("ring.wav"), "RIFF");
    EXPECT_FALSE(TSystemActions().PlaySound(dir.File("ring.wav"), error));
    EXPECT_NE(error.find("No sound player"), std::string::npos);
    EXPECT_TRUE(launcher.Log.empty());
}

TEST(SystemActions, TestsReplaceTheProcessWideActions)
{
    struct TFake : ISystemActions {
        int* Shutdowns;
        explicit TFake(int* AShutdowns) : Shutdowns(AShutdowns) {}
        bool Shutdown(std::string&) override { ++*Shutdowns; return true; }
        bool PlaySound(const std::string&, std::string&) override { return false; }
    };
    int shutdowns = 0;
    auto previous = SetSystemActions(std::make_unique<TFake>(&shutdowns));
    std::string error;
    EXPECT_TRUE(SystemActions().Shutdown(error));
    EXPECT_EQ(shutdowns, 1);
    SetSystemActions(std::move(previous));
    EXPECT_NE(dynamic_cast<TSystemActions*>(&SystemActions()), nullptr);
}
