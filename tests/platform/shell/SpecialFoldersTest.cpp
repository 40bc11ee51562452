#include "platform/shell/SpecialFolders.h"

#include "FakeLauncher.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace platform;
using shelltest::TEnvScope;

namespace {

// A test home with its own XDG configuration.
struct THomeScope {
    testsupport::TTempDir Home;
    TEnvScope HomeVar{"HOME", Home.Path()};
    TEnvScope Config{"XDG_CONFIG_HOME", Home.Path() + "/cfg"};
    TEnvScope Data{"XDG_DATA_HOME", ""};
    TEnvScope Cache{"XDG_CACHE_HOME", "relative/ignored"};
};

} // namespace

TEST(SpecialFolders, UserDirsComeFromUserDirsDirs)
{
    THomeScope scope;
    const std::string home = scope.Home.Path();
    testsupport::RunCommand("mkdir -p " + testsupport::ShellQuote(home + "/cfg"));
    testsupport::WriteFile(home + "/cfg/user-dirs.dirs",
                           "# written by xdg-user-dirs-update\n"
                           "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n"
                           "XDG_DOCUMENTS_DIR=\"$HOME/My Documents/\"\n"
                           "XDG_MUSIC_DIR=\"/srv/music\"\n"
                           "XDG_VIDEOS_DIR=\"relative/not/allowed\"\n"
                           "XDG_PICTURES_DIR=\"$HOME/Old\"\n"
                           "XDG_PICTURES_DIR=\"$HOME/Pic\\\"s\"\n");
    struct TCase {
        TSpecialFolder Folder;
        std::string Expected;
    };
    const TCase cases[] = {
        {TSpecialFolder::sfHome, home},
        {TSpecialFolder::sfDesktop, home + "/桌面"},
        {TSpecialFolder::sfDocuments, home + "/My Documents"},
        {TSpecialFolder::sfMusic, "/srv/music"},
        {TSpecialFolder::sfVideos, home},          // an unusable value falls back
        {TSpecialFolder::sfPictures, home + "/Pic\"s"},  // the last line wins; escapes undone
        {TSpecialFolder::sfDownload, home},
        {TSpecialFolder::sfConfig, home + "/cfg"},
        {TSpecialFolder::sfData, home + "/.local/share"},
        {TSpecialFolder::sfCache, home + "/.cache"},
        {TSpecialFolder::sfTrash, home + "/.local/share/Trash/files"},
        {TSpecialFolder::sfAutostart, home + "/cfg/autostart"},
        {TSpecialFolder::sfSystemApplications, "/usr/share/applications"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(GetSpecialFolder(c.Folder), c.Expected) << int(c.Folder);
}

TEST(SpecialFolders, WithoutUserDirsTheDesktopIsHomeDesktop)
{
    THomeScope scope;
    EXPECT_EQ(GetSpecialFolder(TSpecialFolder::sfDesktop), scope.Home.Path() + "/Desktop");
    EXPECT_EQ(GetSpecialFolder(TSpecialFolder::sfDocuments), scope.Home.Path());
}

TEST(SpecialFolders, HomeWithoutTrailingDelimiter)
{
    THomeScope scope;
    TEnvScope home("HOME", scope.Home.Path() + "/");
    EXPECT_EQ(HomeFolder(), scope.Home.Path());
}
