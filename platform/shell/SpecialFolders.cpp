#include "platform/shell/SpecialFolders.h"

#include "platform/core/SysUtils.h"

#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace platform {

namespace {

// The key of each XDG user folder in user-dirs.dirs and its fallback below
// the home folder (empty: the home folder itself).
struct TUserDirKey {
    TSpecialFolder Folder;
    const char* Key;
    const char* Fallback;
};

const TUserDirKey UserDirKeys[] = {
    {TSpecialFolder::sfDesktop, "XDG_DESKTOP_DIR", "Desktop"},
    {TSpecialFolder::sfDocuments, "XDG_DOCUMENTS_DIR", ""},
    {TSpecialFolder::sfDownload, "XDG_DOWNLOAD_DIR", ""},
    {TSpecialFolder::sfMusic, "XDG_MUSIC_DIR", ""},
    {TSpecialFolder::sfPictures, "XDG_PICTURES_DIR", ""},
    {TSpecialFolder::sfVideos, "XDG_VIDEOS_DIR", ""},
    {TSpecialFolder::sfTemplates, "XDG_TEMPLATES_DIR", ""},
    {TSpecialFolder::sfPublicShare, "XDG_PUBLICSHARE_DIR", ""},
};

std::string WithoutTrailingDelimiter(std::string APath)
{
    while (APath.size() > 1 && APath.back() == '/')
        APath.pop_back();
    return APath;
}

// An XDG base folder: the variable when it holds an absolute path (the
// base-directory rules ignore relative ones), else the fallback.
std::string BaseFolder(const char* AVariable, const char* AFallback)
{
    const std::string value = GetEnvironmentVariable(AVariable);
    if (!value.empty() && value[0] == '/')
        return WithoutTrailingDelimiter(value);
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/" + AFallback;
}

// One value of user-dirs.dirs: "$HOME/Music" or "/abs/path" in double
// quotes, with backslash escapes. Empty when the line is not usable.
std::string UserDirValue(const std::string& AQuoted, const std::string& AHome)
{
    std::string text = Trim(AQuoted);
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return std::string();
    text = text.substr(1, text.size() - 2);
    std::string value;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size())
            ++i;
        value += text[i];
    }
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/'))
        return WithoutTrailingDelimiter(AHome + value.substr(5));
    if (!value.empty() && value[0] == '/')
        return WithoutTrailingDelimiter(value);
    return std::string();
}

std::string UserDir(const TUserDirKey& AKey)
{
    const std::string home = HomeFolder();
    if (home.empty())
        return std::string();
    std::string found;
    std::ifstream file(BaseFolder("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs");
    std::string line;
    while (std::getline(file, line)) {
        line = Trim(line);
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string::npos)
            continue;
        if (Trim(line.substr(0, eq)) == AKey.Key) {
            const std::string value = UserDirValue(line.substr(eq + 1), home);
            if (!value.empty())
                found = value;  // the last assignment wins, as in the shell
        }
    }
    if (!found.empty())
        return found;
    return *AKey.Fallback ? home + "/" + AKey.Fallback : home;
}

} // namespace

std::string HomeFolder()
{
    const std::string home = GetEnvironmentVariable("HOME");
    if (!home.empty())
        return WithoutTrailingDelimiter(home);
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return WithoutTrailingDelimiter(entry->pw_dir);
    return std::string();
}

std::string GetSpecialFolder(TSpecialFolder AFolder)
{
    for (const TUserDirKey& key : UserDirKeys)
        if (key.Folder == AFolder)
            return UserDir(key);
    switch (AFolder) {
    case TSpecialFolder::sfHome: return HomeFolder();
    case TSpecialFolder::sfConfig: return BaseFolder("XDG_CONFIG_HOME", ".config");
    case TSpecialFolder::sfData: return BaseFolder("XDG_DATA_HOME", ".local/share");
    case TSpecialFolder::sfCache: return BaseFolder("XDG_CACHE_HOME", ".cache");
    case TSpecialFolder::sfTrash: return BaseFolder("XDG_DATA_HOME", ".local/share") + "/Trash/files";
    case TSpecialFolder::sfApplications: return BaseFolder("XDG_DATA_HOME", ".local/share") + "/applications";
    case TSpecialFolder::sfAutostart: return BaseFolder("XDG_CONFIG_HOME", ".config") + "/autostart";
    case TSpecialFolder::sfFonts: return BaseFolder("XDG_DATA_HOME", ".local/share") + "/fonts";
    case TSpecialFolder::sfSystemApplications: return "/usr/share/applications";
    case TSpecialFolder::sfSystemAutostart: return "/etc/xdg/autostart";
    default: return std::string();
    }
}

} // namespace platform
