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

// The settings stay beside the program only for a portable copy; an
// installed program keeps them in the user's config folder, also when its
// bin folder is writable (a per-user prefix such as ~/.local).
TEST(ProgramFiles, WhereTheShippedFilesAndTheSettingsAre)
{
    struct TCase {
        const char* Layout;
        std::vector<const char*> Folders; // made under the root
        const char* ShippedFiles;         // relative to the root
        const char* Settings;
    };
    const TCase cases[] = {
        {"a build: help beside the program", {"bin/help", "bin/sounds"}, "bin/", "bin/option.ini"},
        {"only the sounds beside it", {"bin/sounds"}, "bin/", "bin/option.ini"},
        {"installed under a prefix", {"bin", "share/zarvelo/help", "share/zarvelo/sounds"}, "share/zarvelo/",
         "config/zarvelo/option.ini"},
        {"beside it wins over an installed copy", {"bin/help", "share/zarvelo/help"}, "bin/",
         "config/zarvelo/option.ini"},
        {"neither: the program's folder", {"bin"}, "bin/", "bin/option.ini"},
    };
    const char* saved = getenv("XDG_CONFIG_HOME");
    const std::string savedValue = saved ? saved : "";
    for (const TCase& c : cases) {
        TTempDir root;
        setenv("XDG_CONFIG_HOME", root.File("config").c_str(), 1);
        for (const char* folder : c.Folders)
            ASSERT_TRUE(platform::ForceDirectories(root.File(folder))) << folder;
        const std::string program = root.File("bin/zarvelo");
        EXPECT_EQ(app::ProgramDataFolderOf(program), root.File(c.ShippedFiles)) << c.Layout;
        EXPECT_EQ(app::OptionFileNameFor(program), root.File(c.Settings)) << c.Layout;
    }
    if (saved)
        setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
