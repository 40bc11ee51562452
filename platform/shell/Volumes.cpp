#include "platform/shell/Volumes.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace platform {

namespace {

// Network file systems: their "device" is the remote name.
const std::set<std::string> RemoteFileSystems = {
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "sshfs", "fuse.sshfs", "9p", "afs", "ceph", "glusterfs",
    "fuse.glusterfs", "davfs", "fuse.davfs2", "fuse.rclone",
};

// The mounts file writes space, tab, newline and backslash as octal escapes.
std::string Unescape(const std::string& AField)
{
    std::string out;
    for (size_t i = 0; i < AField.size(); ++i) {
        if (AField[i] == '\\' && i + 3 < AField.size() && isdigit((unsigned char)AField[i + 1])
            && isdigit((unsigned char)AField[i + 2]) && isdigit((unsigned char)AField[i + 3])) {
            out += char((AField[i + 1] - '0') * 64 + (AField[i + 2] - '0') * 8 + (AField[i + 3] - '0'));
            i += 3;
        } else {
            out += AField[i];
        }
    }
    return out;
}

bool IsUserVolume(const TVolumeInfo& AVolume)
{
    if (AVolume.MountPoint == "/")
        return true;
    if (AVolume.IsRemote)
        return true;
    if (AVolume.Device.rfind("/dev/", 0) != 0 || AVolume.Device.rfind("/dev/loop", 0) == 0)
        return false;
    // Block devices mounted over the system's own trees are not drives.
    for (const char* hidden : {"/proc", "/sys", "/dev", "/run/", "/snap/", "/boot/efi"})
        if (AVolume.MountPoint.rfind(hidden, 0) == 0 && AVolume.MountPoint.rfind("/run/media/", 0) != 0)
            return false;
    return true;
}

std::string Resolved(const std::string& APath)
{
    char buffer[PATH_MAX];
    return realpath(APath.c_str(), buffer) ? std::string(buffer) : std::string();
}

// udev names label links with "\xNN" escapes for spaces and slashes.
std::string DecodeLabel(const std::string& AName)
{
    std::string out;
    for (size_t i = 0; i < AName.size(); ++i) {
        if (AName.compare(i, 2, "\\x") == 0 && i + 3 < AName.size() && isxdigit((unsigned char)AName[i + 2])
            && isxdigit((unsigned char)AName[i + 3])) {
            out += char(std::stoi(AName.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += AName[i];
        }
    }
    return out;
}

// Where a link points, made absolute and normal without touching the
// target, so a device that is not there still matches its mount line.
std::string LinkTarget(const std::filesystem::path& ALink)
{
    std::error_code ec;
    std::filesystem::path target = std::filesystem::read_symlink(ALink, ec);
    if (ec)
        return std::string();
    if (target.is_relative())
        target = ALink.parent_path() / target;
    return target.lexically_normal().string();
}

// Labels by device: every link in the label folder is named after its
// label and points at the device.
void AddLabels(std::vector<TVolumeInfo>& AVolumes, const TVolumeSources& ASources)
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ASources.LabelFolder, ec)) {
        const std::string target = LinkTarget(entry.path());
        if (target.empty())
            continue;
        for (TVolumeInfo& volume : AVolumes) {
            const std::string device = std::filesystem::path(volume.Device).lexically_normal().string();
            if (volume.Label.empty() && (device == target || Resolved(volume.Device) == target))
                volume.Label = DecodeLabel(entry.path().filename().string());
        }
    }
}

bool ReadFlag(const std::string& AFile)
{
    std::ifstream in(AFile);
    int value = 0;
    return (in >> value) && value != 0;
}

void AddRemovable(std::vector<TVolumeInfo>& AVolumes, const TVolumeSources& ASources)
{
    for (TVolumeInfo& volume : AVolumes) {
        if (volume.Device.rfind("/dev/", 0) != 0)
            continue;
        const std::string device = Resolved(volume.Device);
        const std::string name = std::filesystem::path(device.empty() ? volume.Device : device).filename();
        const std::string base = ASources.SysBlockFolder + "/" + name;
        // A partition has no flag of its own; its disk, one folder up, has.
        volume.IsRemovable = ReadFlag(base + "/removable") || ReadFlag(base + "/../removable");
    }
}

} // namespace

std::vector<TVolumeInfo> ParseMounts(const std::string& AText)
{
    std::vector<TVolumeInfo> volumes;
    std::istringstream lines(AText);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        TVolumeInfo volume;
        std::string device, mountPoint;
        if (!(fields >> device >> mountPoint >> volume.FileSystem))
            continue;
        volume.Device = Unescape(device);
        volume.MountPoint = Unescape(mountPoint);
        volume.IsRemote = RemoteFileSystems.count(volume.FileSystem) > 0;
        if (!IsUserVolume(volume))
            continue;
        auto same = [&](const TVolumeInfo& AOther) { return AOther.MountPoint == volume.MountPoint; };
        volumes.erase(std::remove_if(volumes.begin(), volumes.end(), same), volumes.end());
        volumes.push_back(volume);
    }
    auto root = std::find_if(volumes.begin(), volumes.end(),
                             [](const TVolumeInfo& AVolume) { return AVolume.MountPoint == "/"; });
    if (root == volumes.end()) {
        TVolumeInfo rootVolume;
        rootVolume.MountPoint = "/";
        volumes.insert(volumes.begin(), rootVolume);
    } else {
        std::rotate(volumes.begin(), root, root + 1);
    }
    return volumes;
}

std::vector<TVolumeInfo> ListVolumes(const TVolumeSources& ASources)
{
    std::ifstream in(ASources.MountsFile);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<TVolumeInfo> volumes = ParseMounts(text.str());
    AddLabels(volumes, ASources);
    AddRemovable(volumes, ASources);
    return volumes;
}

bool FindVolume(const std::string& AMountPoint, TVolumeInfo& AVolume, const TVolumeSources& ASources)
{
    for (const TVolumeInfo& volume : ListVolumes(ASources))
        if (volume.MountPoint == AMountPoint) {
            AVolume = volume;
            return true;
        }
    return false;
}

bool VolumeOfPath(const std::string& APath, TVolumeInfo& AVolume, const TVolumeSources& ASources)
{
    size_t best = 0;
    bool found = false;
    for (const TVolumeInfo& volume : ListVolumes(ASources)) {
        const std::string& mount = volume.MountPoint;
        const bool inside = mount == "/" || APath == mount
                            || (APath.rfind(mount, 0) == 0 && APath.size() > mount.size() && APath[mount.size()] == '/');
        if (inside && (!found || mount.size() > best)) {
            best = mount.size();
            AVolume = volume;
            found = true;
        }
    }
    return found && APath.rfind('/', 0) == 0;
}

} // namespace platform
