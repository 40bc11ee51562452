// Where the shipped help and chime are found (beside the program in a
// build or an unpacked copy, under share/zarvelo for an installed program),
// and where the settings file lives.
#include "app/workflow/OptionFile.h"
#include "app/workflow/ProgramFiles.h"

#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using testsupport::TTempDir;

TEST(ProgramFiles, TheFolderThatHoldsTheShippedFiles)
{
    struct TCase {
        const char* Layout;
        std::vector<const char*> Folders; // made under the root
        const char* Expected;             // relative to the root
    };
    const TCase cases[] = {
        {"a build: help beside the program", {"bin/help", "bin/sounds"}, "bin/"},
        {"only the sounds beside it", {"bin/sounds"}, "bin/"},
        {"installed under a prefix", {"bin", "share/zarvelo/help", "share/zarvelo/sounds"}, "share/zarvelo/"},
        {"beside it wins over an installed copy", {"bin/help", "share/zarvelo/help"}, "bin/"},
        {"neither: the program's folder", {"bin"}, "bin/"},
    };
    for (const TCase& c : cases) {
        TTempDir root;
        for (const char* folder : c.Folders)
            ASSERT_TRUE(platform::ForceDirectories(root.File(folder))) << folder;
        EXPECT_EQ(app::ProgramDataFolderOf(root.File("bin/zarvelo")), root.File(c.Expected)) << c.Layout;
    }
}

// The settings beside the program only for a portable copy; an installed
// program keeps them in the user's config folder, also when its bin folder
// is writable (a per-user prefix such as ~/.local).
TEST(ProgramFiles, WhereTheSettingsFileLives)
{
    struct TCase {
        const char* Layout;
        std::vector<const char*> Folders; // made under the root
        const char* Expected;             // relative to the root
    };
    const TCase cases[] = {
        {"a portable copy", {"bin/help", "bin/sounds"}, "bin/option.ini"},
        {"a bare program", {"bin"}, "bin/option.ini"},
        {"installed in a writable prefix", {"bin", "share/zarvelo/help"}, "config/zarvelo/option.ini"},
        {"installed, help beside it as well", {"bin/help", "share/zarvelo/help"}, "config/zarvelo/option.ini"},
    };
    const char* saved = getenv("XDG_CONFIG_HOME");
    const std::string savedValue = saved ? saved : "";
    for (const TCase& c : cases) {
        TTempDir root;
        setenv("XDG_CONFIG_HOME", root.File("config").c_str(), 1);
        for (const char* folder : c.Folders)
            ASSERT_TRUE(platform::ForceDirectories(root.File(folder))) << folder;
        EXPECT_EQ(app::OptionFileNameFor(root.File("bin/zarvelo")), root.File(c.Expected)) << c.Layout;
        EXPECT_FALSE(platform::FileExists(root.File("bin/option.ini"))) << c.Layout;
    }
    if (saved)
        setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
