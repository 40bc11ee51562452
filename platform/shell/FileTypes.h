#pragma once
// What kind of file a name is, for the shell views: the media type, a
// description for the "Type" column and the name of an icon in the
// freedesktop icon naming scheme. The shared-mime-info database is read
// when it is installed; otherwise a small table of common extensions
// answers.

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct TFileTypeInfo {
    std::string MimeType;     // "audio/mpeg"; "inode/directory" for folders
    std::string Description;  // "MP3 audio"; "Folder"; "ZIP file" when unknown
    std::string IconName;     // "audio-x-generic", "folder", "text-x-generic", ...
};

// One shared-mime-info database (the "mime" folders of the XDG data
// folders): the glob patterns of globs2, the English comments of the type
// files and the generic icons.
class TMimeDatabase {
public:
    // Reads the databases below AMimeFolders, earlier folders first
    // (a later folder does not override an earlier one's patterns).
    explicit TMimeDatabase(const std::vector<std::string>& AMimeFolders);
    // The database of $XDG_DATA_HOME and $XDG_DATA_DIRS.
    static const TMimeDatabase& System();

    bool Loaded() const { return FLoaded; }
    // The type of a file name by its patterns; empty when none matches.
    std::string MimeTypeOfName(const std::string& AFileName) const;
    // The English comment of a type; empty when the database has none.
    std::string Comment(const std::string& AMimeType) const;
    // The generic icon of a type ("audio/mpeg" -> "audio-x-generic").
    std::string GenericIcon(const std::string& AMimeType) const;

private:
    struct TGlob {
        int Weight;
        std::string MimeType;
        std::string Pattern;
        bool CaseSensitive;
    };
    void LoadGlobs(const std::string& AFile);
    void LoadIcons(const std::string& AFile);

    bool FLoaded = false;
    std::vector<std::string> FFolders;
    std::vector<TGlob> FGlobs;
    std::map<std::string, std::string> FIcons;
    mutable std::map<std::string, std::string> FComments;  // read on demand
};

// The type of a file or folder by its name (a folder when AIsFolder),
// from ADatabase when it is loaded, else from the built-in table.
TFileTypeInfo FileTypeOf(const std::string& AFileName, bool AIsFolder,
                         const TMimeDatabase& ADatabase = TMimeDatabase::System());

} // namespace platform
