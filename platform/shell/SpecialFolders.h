#pragma once
// The user's special folders as a Linux desktop knows them: the home
// folder, the XDG base folders and the XDG user folders of
// $XDG_CONFIG_HOME/user-dirs.dirs.

#include <string>

namespace platform {

enum class TSpecialFolder {
    sfHome,
    // XDG user folders; unset ones fall back as xdg-user-dir does: the
    // desktop to ~/Desktop, the others to the home folder.
    sfDesktop, sfDocuments, sfDownload, sfMusic, sfPictures, sfVideos, sfTemplates, sfPublicShare,
    // XDG base folders
    sfConfig, sfData, sfCache,
    // folders under them
    sfTrash,              // $XDG_DATA_HOME/Trash/files
    sfApplications,       // $XDG_DATA_HOME/applications
    sfAutostart,          // $XDG_CONFIG_HOME/autostart
    sfFonts,              // $XDG_DATA_HOME/fonts
    sfSystemApplications, // /usr/share/applications
    sfSystemAutostart,    // /etc/xdg/autostart
};

// The folder's path without a trailing "/" (the folder need not exist).
// Empty only when no home folder can be found.
std::string GetSpecialFolder(TSpecialFolder AFolder);

// The home folder: $HOME, else the password database's entry.
std::string HomeFolder();

} // namespace platform
