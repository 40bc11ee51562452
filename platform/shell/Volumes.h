#pragma once
// The volumes a user would call drives: mounted file systems of block
// devices and network shares, as /proc/self/mounts lists them, with their
// labels where the system knows them.

#include <string>
#include <vector>

namespace platform {

struct TVolumeInfo {
    std::string MountPoint;   // "/", "/media/user/USB", ...
    std::string Device;       // "/dev/sda1", "server:/export", "//server/share"
    std::string FileSystem;   // "ext4", "vfat", "nfs4", ...
    std::string Label;        // empty when unknown
    bool IsRemote = false;    // a network file system
    bool IsRemovable = false; // the block device says it is removable
};

struct TVolumeSources {
    std::string MountsFile = "/proc/self/mounts";
    std::string LabelFolder = "/dev/disk/by-label";  // symbolic links named by label
    std::string SysBlockFolder = "/sys/class/block";  // <device>/removable, <device>/../removable
};

// The volumes in mount order. The root "/" always comes first, also when it
// is a pseudo file system (a container's overlay); kernel and memory file
// systems (proc, sysfs, tmpfs, cgroup, ...) and loop-mounted images are left
// out. A mount point mounted twice is listed once, as its last mount.
std::vector<TVolumeInfo> ListVolumes(const TVolumeSources& ASources = TVolumeSources());

// Parses the text of a mounts file into volumes as ListVolumes filters
// them, without labels.
std::vector<TVolumeInfo> ParseMounts(const std::string& AText);

// The volume mounted at AMountPoint; false when none is.
bool FindVolume(const std::string& AMountPoint, TVolumeInfo& AVolume,
                const TVolumeSources& ASources = TVolumeSources());

// The volume that holds APath (the longest mount point above it); false
// when none does.
bool VolumeOfPath(const std::string& APath, TVolumeInfo& AVolume,
                  const TVolumeSources& ASources = TVolumeSources());

} // namespace platform
