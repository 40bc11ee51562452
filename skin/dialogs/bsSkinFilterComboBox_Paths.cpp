#include "skin/dialogs/bsSkinFilterComboBox_Paths.h"

#include "platform/core/Format.h"
#include "platform/core/InOutError.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Graphics.h"
#include "platform/shell/Volumes.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skin {

namespace {

const char* const DotsPrefix = ".../";

// A folder that can be listed from: it exists and may be entered.
void CheckFolder(const std::string& AFolder)
{
    struct stat st {};
    int error = 0;
    if (stat(AFolder.c_str(), &st) != 0)
        error = errno;
    else if (!S_ISDIR(st.st_mode))
        error = ENOTDIR;
    else if (faccessat(AT_FDCWD, AFolder.c_str(), X_OK, AT_EACCESS) != 0)
        error = errno;
    if (error)
        throw platform::EInOutError(
            platform::Format("Cannot open folder \"%s\": %s", AFolder, platform::SysErrorMessage(error)), error);
}

// APath made absolute against ABase and normal ("a/../b" is "b"), without
// a trailing "/" except for the root.
std::string AbsoluteFolder(const std::string& ABase, const std::string& APath)
{
    std::string out = std::filesystem::path(APath.empty() || APath[0] != '/' ? bsJoinPath(ABase, APath) : APath)
                          .lexically_normal()
                          .string();
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    return out;
}

} // namespace

bool bsDirectoryExists(const std::string& AName)
{
    struct stat st {};
    return !AName.empty() && stat(AName.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string bsJoinPath(const std::string& ADir, const std::string& AName)
{
    if (!ADir.empty() && ADir.back() == '/')
        return ADir + AName;
    return ADir + "/" + AName;
}

void bsDropLeadingFolder(std::string& S)
{
    if (S == "/") {
        S.clear();
        return;
    }
    const bool leading = !S.empty() && S[0] == '/';
    if (leading)
        S.erase(0, 1);
    // Only the prefix an earlier step put there goes: folders whose names
    // begin with a dot are common here and keep their names.
    if (S.rfind(DotsPrefix, 0) == 0)
        S.erase(0, 4);
    const size_t slash = S.find('/');
    if (slash != std::string::npos)
        S = DotsPrefix + S.substr(slash + 1);
    else
        S.clear();
    if (leading)
        S.insert(0, "/");
}

std::string bsShortenPath(const std::string& AFileName, const std::function<int(const std::string&)>& ATextWidth,
                          int AMaxLen)
{
    std::string result = AFileName;
    std::string dir = platform::ExtractFilePath(AFileName);
    const std::string name = platform::ExtractFileName(AFileName);
    std::string drive;
    if (dir.size() >= 2 && dir[1] == ':') {
        drive = dir.substr(0, 2);
        dir.erase(0, 2);
    }
    while ((!dir.empty() || !drive.empty()) && ATextWidth(result) > AMaxLen) {
        if (dir == "/.../") {
            drive.clear();
            dir = DotsPrefix;
        } else if (dir.empty()) {
            drive.clear();
        } else {
            bsDropLeadingFolder(dir);
        }
        result = drive + dir + name;
    }
    return result;
}

std::string bsShortenPath(const std::string& AFileName, platform::TCanvas& ACanvas, int AMaxLen)
{
    return bsShortenPath(AFileName, [&ACanvas](const std::string& AText) { return ACanvas.TextWidth(AText); },
                         AMaxLen);
}

std::string bsVolumeLabel(const platform::TVolumeInfo& AVolume) { return platform::Format("[%s]", AVolume.Label); }

std::string bsVolumeLabel(const std::string& AMountPoint)
{
    platform::TVolumeInfo volume;
    return bsVolumeLabel(platform::FindVolume(AMountPoint, volume) ? volume : platform::TVolumeInfo());
}

std::string bsDriveRemoteName(const platform::TVolumeInfo& AVolume)
{
    return AVolume.IsRemote && !AVolume.Device.empty() ? AVolume.Device : bsVolumeLabel(AVolume);
}

std::string bsDriveRemoteName(const std::string& AMountPoint)
{
    platform::TVolumeInfo volume;
    return bsDriveRemoteName(platform::FindVolume(AMountPoint, volume) ? volume : platform::TVolumeInfo());
}

void bsSplitPathInput(const std::string& AEditText, std::string& AFolder, std::string& AFile)
{
    bsSplitPathInput(AEditText, platform::GetCurrentDir(), AFolder, AFile);
}

void bsSplitPathInput(const std::string& AEditText, const std::string& ABase, std::string& AFolder,
                      std::string& AFile)
{
    // Everything is resolved by name: the process's current folder is
    // shared by every window and thread and is never moved.
    const std::string base = ABase.empty() ? std::string("/") : ABase;
    AFolder = AEditText;
    AFile.clear();
    if (AFolder.size() >= 2 && AFolder.front() == '[' && AFolder.back() == ']') {
        // A volume as the drive list shows it: its label in brackets.
        const std::string label = AFolder.substr(1, AFolder.size() - 2);
        const auto volumes = platform::ListVolumes();
        auto found = std::find_if(volumes.begin(), volumes.end(),
                                  [&](const platform::TVolumeInfo& AVolume) { return AVolume.Label == label; });
        if (found == volumes.end())
            throw platform::EInOutError(platform::Format("No volume is labelled \"%s\"", label), ENOENT);
        AFolder = found->MountPoint;
    }
    const size_t slash = AFolder.rfind('/');
    AFile = slash == std::string::npos ? AFolder : AFolder.substr(slash + 1);
    if (AFolder.size() == AFile.size() + 1)
        AFolder = "/";
    else if (AFolder.size() > AFile.size() + 1)
        AFolder.erase(AFolder.size() - AFile.size() - 1);
    else
        AFolder = base;
    AFolder = AbsoluteFolder(base, AFolder);
    CheckFolder(AFolder);
    if (!AFile.empty() && AFile.find_first_of("*?") == std::string::npos
        && !platform::FileExists(bsJoinPath(AFolder, AFile))) {
        const std::string folder = AbsoluteFolder(AFolder, AFile);
        CheckFolder(folder);
        AFolder = folder;
        AFile.clear();
    }
}

int bsFolderDepth(const std::string& APath)
{
    return int(std::count(APath.begin(), APath.end(), '/'));
}

std::string bsEnterFolder(const std::string& ABase, const std::string& AFolder)
{
    const std::string folder = AbsoluteFolder(ABase.empty() ? std::string("/") : ABase, AFolder);
    CheckFolder(folder);
    return folder;
}

TbsDriveKind bsDriveKind(const platform::TVolumeInfo& AVolume)
{
    auto startsWith = [](const std::string& S, const char* APrefix) { return S.rfind(APrefix, 0) == 0; };
    if (AVolume.IsRemote)
        return dkRemote;
    if (AVolume.FileSystem == "iso9660" || AVolume.FileSystem == "udf" || startsWith(AVolume.Device, "/dev/sr")
        || startsWith(AVolume.Device, "/dev/cdrom"))
        return dkCDRom;
    if (startsWith(AVolume.Device, "/dev/ram") || startsWith(AVolume.Device, "/dev/zram")
        || startsWith(AVolume.Device, "/dev/pmem"))
        return dkRamDisk;
    return AVolume.IsRemovable ? dkRemovable : dkFixed;
}

bool bsCaseSensitiveFileSystem(const std::string& AFileSystem)
{
    static const char* const folding[] = {"vfat", "msdos", "fat", "exfat", "cifs", "smb3", "smbfs", "hfs", "hfsplus"};
    return std::none_of(std::begin(folding), std::end(folding),
                        [&](const char* AName) { return AFileSystem == AName; });
}

bool bsNameLess(const std::string& A, const std::string& B)
{
    const int c = platform::CompareText(A, B);
    return c != 0 ? c < 0 : A < B;
}

bool bsReadFolder(const std::string& AFolder, std::vector<TbsFolderEntry>& AEntries, std::string& AError)
{
    AEntries.clear();
    AError.clear();
    DIR* dir = opendir(AFolder.c_str());
    if (!dir) {
        const int error = errno;
        AError = platform::Format("Cannot read folder \"%s\": %s", AFolder, platform::SysErrorMessage(error));
        return false;
    }
    while (const dirent* entry = readdir(dir)) {
        TbsFolderEntry e;
        e.Name = entry->d_name;
        struct stat st {};
        const std::string path = bsJoinPath(AFolder, e.Name);
        // A link is what it points at; a broken one is a special entry.
        if (stat(path.c_str(), &st) != 0 && lstat(path.c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            e.Attr |= 16;
        else if (S_ISREG(st.st_mode))
            e.Attr |= 32;
        else
            e.Attr |= 4;
        if ((st.st_mode & 0222) == 0)
            e.Attr |= 1;
        if (e.Name[0] == '.' && e.Name != "." && e.Name != "..")
            e.Attr |= 2;
        AEntries.push_back(std::move(e));
    }
    closedir(dir);
    return true;
}

} // namespace skin
