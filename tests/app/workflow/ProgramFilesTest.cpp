// Where the shipped help and chime are found: beside the program in a
// build or an unpacked copy, under share/zarvelo for an installed program.
#include "app/workflow/ProgramFiles.h"

#include "platform/core/SysUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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
