#include "skin/dialogs/bsSkinFilterComboBox_Paths.h"

#include "platform/core/Format.h"
#include "platform/core/InOutError.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Graphics.h"
#include "platform/shell/Volumes.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace skin {

namespace {

const char* const DotsPrefix = ".../";

// Restores the current folder when the split ends, also by an exception.
class TCurrentDirGuard {
public:
    TCurrentDirGuard() : FSaved(platform::GetCurrentDir()) {}
    ~TCurrentDirGuard()
    {
        if (platform::DirectoryExists(FSaved))
            platform::SetCurrentDir(FSaved);
    }
    const std::string& Saved() const { return FSaved; }

private:
    std::string FSaved;
};

void EnterFolder(const std::string& AFolder)
{
    if (!platform::SetCurrentDir(AFolder)) {
        const int error = errno;
        throw platform::EInOutError(
            platform::Format("Cannot open folder \"%s\": %s", AFolder, platform::SysErrorMessage(error)), error);
    }
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

std::string bsVolumeLabel(const std::string& AMountPoint)
{
    platform::TVolumeInfo volume;
    const std::string label = platform::FindVolume(AMountPoint, volume) ? volume.Label : std::string();
    return platform::Format("[%s]", label);
}

std::string bsDriveRemoteName(const std::string& AMountPoint)
{
    platform::TVolumeInfo volume;
    if (platform::FindVolume(AMountPoint, volume) && volume.IsRemote && !volume.Device.empty())
        return volume.Device;
    return bsVolumeLabel(AMountPoint);
}

void bsSplitPathInput(const std::string& AEditText, std::string& AFolder, std::string& AFile)
{
    TCurrentDirGuard currentDir;
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
        AFolder = currentDir.Saved().empty() ? std::string("/") : currentDir.Saved();
    EnterFolder(AFolder);
    // Relative input is resolved against the current folder, which the
    // caller gets back; so the answer is absolute.
    if (AFolder[0] != '/') {
        AFolder = std::filesystem::path(platform::IncludeTrailingPathDelimiter(currentDir.Saved()) + AFolder)
                      .lexically_normal()
                      .string();
        if (AFolder.size() > 1 && AFolder.back() == '/')
            AFolder.pop_back();
    }
    if (!AFile.empty() && AFile.find_first_of("*?") == std::string::npos && !platform::FileExists(AFile)) {
        EnterFolder(AFile);
        AFolder = AFolder == "/" ? "/" + AFile : AFolder + "/" + AFile;
        AFile.clear();
    }
}

int bsFolderDepth(const std::string& APath)
{
    return int(std::count(APath.begin(), APath.end(), '/'));
}

} // namespace skin
