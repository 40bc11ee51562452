#include "platform/shell/Volumes.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace platform;

namespace {

const char* const Mounts =
    "proc /proc proc rw 0 0\n"
    "sysfs /sys sysfs rw 0 0\n"
    "tmpfs /run tmpfs rw 0 0\n"
    "/dev/sda2 /boot ext4 rw 0 0\n"
    "/dev/sda1 / ext4 rw 0 0\n"
    "/dev/loop3 /snap/core/1 squashfs ro 0 0\n"
    "/dev/sdb1 /media/u/My\\040Stick vfat rw 0 0\n"
    "server:/export /mnt/nfs nfs4 rw 0 0\n"
    "//nas/share /mnt/share cifs rw 0 0\n"
    "/dev/sdc1 /mnt/twice ext4 rw 0 0\n"
    "/dev/sdd1 /mnt/twice xfs rw 0 0\n"
    "broken line\n";

} // namespace

TEST(Volumes, MountsAreFilteredToDrivesAndShares)
{
    const std::vector<TVolumeInfo> volumes = ParseMounts(Mounts);
    std::vector<std::string> points;
    for (const TVolumeInfo& volume : volumes)
        points.push_back(volume.MountPoint);
    EXPECT_EQ(points, (std::vector<std::string>{"/", "/boot", "/media/u/My Stick", "/mnt/nfs", "/mnt/share", "/mnt/twice"}));
    EXPECT_EQ(volumes[0].Device, "/dev/sda1");
    EXPECT_TRUE(volumes[3].IsRemote);
    EXPECT_EQ(volumes[3].Device, "server:/export");
    EXPECT_TRUE(volumes[4].IsRemote);
    EXPECT_FALSE(volumes[1].IsRemote);
    EXPECT_EQ(volumes[5].FileSystem, "xfs");
}

TEST(Volumes, TheRootIsAlwaysListedFirst)
{
    const std::vector<TVolumeInfo> container = ParseMounts("overlay / overlay rw 0 0\n/dev/vda1 /data ext4 rw 0 0\n");
    ASSERT_EQ(container.size(), 2u);
    EXPECT_EQ(container[0].MountPoint, "/");
    EXPECT_EQ(container[0].FileSystem, "overlay");
    const std::vector<TVolumeInfo> none = ParseMounts("");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].MountPoint, "/");
}

TEST(Volumes, LabelsAndRemovableFlagsComeFromTheSystemFolders)
{
    testsupport::TTempDir dir;
    // udev's label links (escaped names, relative or absolute targets) and
    // a block folder with a removable disk and its partition.
    testsupport::RunCommand("mkdir -p " + dir.File("disk/by-label") + " " + dir.File("block/sdb/sdb1") + " " + dir.File("block/sda1"));
    ASSERT_EQ(symlink("/dev/sdb1", dir.File("disk/by-label/My\\x20Stick").c_str()), 0);
    std::string up;
    for (char c : dir.File("disk/by-label"))
        if (c == '/')
            up += "../";
    ASSERT_EQ(symlink((up + "dev/sda1").c_str(), dir.File("disk/by-label/rootfs").c_str()), 0);
    testsupport::WriteFile(dir.File("block/sdb/removable"), "1\n");
    testsupport::WriteFile(dir.File("block/sda1/removable"), "0\n");
    ASSERT_EQ(symlink(dir.File("block/sdb/sdb1").c_str(), dir.File("block/sdb1").c_str()), 0);
    testsupport::WriteFile(dir.File("mounts"), "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/stick vfat rw 0 0\n"
                                               "/dev/sdc1 /media/other ext4 rw 0 0\n");
    const TVolumeSources sources{dir.File("mounts"), dir.File("disk/by-label"), dir.File("block")};
    const std::vector<TVolumeInfo> volumes = ListVolumes(sources);
    ASSERT_EQ(volumes.size(), 3u);
    EXPECT_EQ(volumes[1].Label, "My Stick");
    EXPECT_TRUE(volumes[1].IsRemovable);
    EXPECT_FALSE(volumes[0].IsRemovable);
    EXPECT_EQ(volumes[2].Label, "");
    EXPECT_FALSE(volumes[2].IsRemovable);

    TVolumeInfo holder;
    ASSERT_TRUE(VolumeOfPath("/media/stick/music/a.mp3", holder, sources));
    EXPECT_EQ(holder.MountPoint, "/media/stick");
    ASSERT_TRUE(VolumeOfPath("/media/sticky", holder, sources));
    EXPECT_EQ(holder.MountPoint, "/");
    EXPECT_FALSE(VolumeOfPath("relative", holder, sources));
    ASSERT_TRUE(FindVolume("/media/stick", holder, sources));
    EXPECT_EQ(holder.Label, "My Stick");
    EXPECT_FALSE(FindVolume("/media", holder, sources));
}
