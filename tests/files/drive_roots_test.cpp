// The places offered as drives, chosen from mount tables as a desktop machine has them.
// Mount tables stand in for drive letters off Windows only.
#ifndef _WIN32
#include "file_test_helpers.h"
#include "files/drive_roots.h"

namespace zrv::test {
namespace {

using Roots = std::vector<std::string>;

class DriveRootsTest : public ::testing::Test {
protected:
    Roots From(const std::string& table, const std::string& home = "/home/ann") {
        WriteFile(folder / "mounts", table);
        return DriveRootsFrom((folder / "mounts").c_str(), home);
    }
    TempDir folder;
};

TEST_F(DriveRootsTest, RootAndHomeThenDevicesMountedWhereUsersMountThemInTableOrder) {
    const std::string table =
        "sysfs /sys sysfs rw,nosuid,nodev,noexec,relatime 0 0\n"
        "proc /proc proc rw,nosuid,nodev,noexec,relatime 0 0\n"
        "/dev/nvme0n1p2 / ext4 rw,relatime 0 0\n"
        "tmpfs /run tmpfs rw,nosuid,nodev,size=1615848k,mode=755 0 0\n"
        "/dev/loop3 /snap/core22/1380 squashfs ro,nodev,relatime 0 0\n"
        "/dev/nvme0n1p1 /boot/efi vfat rw,relatime 0 0\n"
        "/dev/sdc1 /run/media/ann/CARD exfat rw,nosuid,nodev,relatime 0 0\n"
        "tmpfs /mnt/ram tmpfs rw,relatime 0 0\n"
        "/dev/sdb1 /media/ann/STICK vfat rw,nosuid,nodev,relatime,uid=1000 0 0\n"
        "//nas/share /mnt/nas cifs rw,relatime 0 0\n"
        "/dev/sdd1 /srv/data ext4 rw,relatime 0 0\n"
        "/dev/sde1 /mnt ext4 rw,relatime 0 0\n"
        "/dev/sdf1 /mediaplayer ext4 rw,relatime 0 0\n"
        "/dev/sda1 /home/ann/games ext4 rw,relatime 0 0\n";
    EXPECT_EQ(From(table),
              (Roots{"/", "/home/ann/", "/run/media/ann/CARD/", "/media/ann/STICK/", "/mnt/", "/home/ann/games/"}));
    // Without a home folder, and with a home folder given with its slash.
    EXPECT_EQ(From(table, "")[1], "/run/media/ann/CARD/");
    EXPECT_EQ(From(table, "/home/ann/")[1], "/home/ann/");
}

TEST_F(DriveRootsTest, EachDeviceAndEachRootCountsOnce) {
    EXPECT_EQ(From("/dev/sda2 / ext4 rw 0 0\n"
                   // a bind mount names the device of the folder it repeats
                   "/dev/sda2 /mnt/shared ext4 rw 0 0\n"
                   "/dev/sdb1 /media/ann/STICK vfat rw 0 0\n"
                   "/dev/sdb1 /mnt/stick vfat rw 0 0\n"
                   // the home folder on a partition of its own
                   "/dev/sda3 /home/ann ext4 rw 0 0\n"
                   "/dev/sdc1 /home ext4 rw 0 0\n"),
              (Roots{"/", "/home/ann/", "/media/ann/STICK/", "/home/"}));
}

TEST_F(DriveRootsTest, EscapedBlanksInMountPointsBecomeBlanks) {
    EXPECT_EQ(From("/dev/sdb1 /media/ann/MY\\040STICK vfat rw 0 0\n"
                   "/dev/sdc1 /mnt/tab\\011and\\134back ext4 rw 0 0\n"),
              (Roots{"/", "/home/ann/", "/media/ann/MY STICK/", "/mnt/tab\tand\\back/"}));
}

TEST_F(DriveRootsTest, AnUnreadableTableLeavesRootAndHome) {
    EXPECT_EQ(DriveRootsFrom((folder / "missing").c_str(), "/home/ann"), (Roots{"/", "/home/ann/"}));
}

TEST_F(DriveRootsTest, ListDriveRootsFillsTheArrayFromThisMachinesTable) {
    ScopedEnv home("HOME", folder.Path().c_str());
    RtStringArray roots;
    DimStringArray(roots, 40);
    const double count = ListDriveRoots(roots);
    ASSERT_GE(count, 2);
    ASSERT_EQ(roots.Size(0), count);
    EXPECT_EQ(Text(roots(0)), "/");
    EXPECT_EQ(Text(roots(1)), folder.Path() + "/");
    for (std::int32_t i = 2; i < roots.Size(0); ++i) EXPECT_EQ(Text(roots(i)).back(), '/');
}

}  // namespace
}  // namespace zrv::test
#endif
