#include "ui/logic/drive_table.h"

#include <gtest/gtest.h>

#include <map>

namespace lettrix {
namespace {

const char kMounts[] =
    "proc /proc proc rw,relatime 0 0\n"
    "sysfs /sys sysfs rw 0 0\n"
    "/dev/sda2 / ext4 rw,relatime 0 0\n"
    "tmpfs /tmp tmpfs rw 0 0\n"
    "/dev/sda1 /boot/efi vfat rw 0 0\n"
    "/dev/sdb1 /mnt/backup ext4 rw 0 0\n"
    "/dev/sdc1 /run/media/ann/MY\\040STICK vfat rw 0 0\n"
    "tmpfs /run/user/1000 tmpfs rw 0 0\n"
    "server:/export /net/shared\\040files nfs4 rw 0 0\n"
    "/dev/sda2 /etc/hosts ext4 rw 0 0\n"
    "garbage\n"
    "\n";

std::vector<std::string> texts(const std::vector<DriveEntry>& t) {
  std::vector<std::string> out;
  for (const DriveEntry& e : t) out.push_back(e.text);
  return out;
}

TEST(DriveTable, ParsesTheMountTable) {
  auto mounts = parse_mounts(kMounts);
  ASSERT_EQ(mounts.size(), 10u);
  EXPECT_EQ(mounts[2].device, "/dev/sda2");
  EXPECT_EQ(mounts[2].mount_point, "/");
  EXPECT_EQ(mounts[2].type, "ext4");
  EXPECT_EQ(mounts[6].mount_point, "/run/media/ann/MY STICK");
  EXPECT_EQ(mounts[8].mount_point, "/net/shared files");
  EXPECT_TRUE(parse_mounts("").empty());
  EXPECT_TRUE(parse_mounts("a b\nrelative point ext4 rw\n").empty());
}

TEST(DriveTable, KeepsTheVolumesAUserWouldPick) {
  auto mounts = parse_mounts(kMounts);
  std::vector<std::string> kept;
  for (const MountEntry& m : mounts)
    if (is_user_volume(m)) kept.push_back(m.mount_point);
  EXPECT_EQ(kept, (std::vector<std::string>{"/", "/mnt/backup", "/run/media/ann/MY STICK", "/net/shared files",
                                            "/etc/hosts"}));
  EXPECT_TRUE(is_user_volume({"/dev/sdd1", "/media/ann/CARD", "exfat"}));
  EXPECT_TRUE(is_user_volume({"/dev/sdd1", "/devices", "ext4"}));  // not under /dev
  EXPECT_FALSE(is_user_volume({"overlay", "/var/lib/docker/overlay2/x/merged", "overlay"}));
}

TEST(DriveTable, RootHomeThenVolumesByPath) {
  std::map<std::string, std::string> labels = {{"/dev/sdb1", "BACKUP"}, {"/dev/sdc1", "MY STICK"}};
  auto label_of = [&](const std::string& dev) {
    auto it = labels.find(dev);
    return it == labels.end() ? std::string() : it->second;
  };
  auto is_dir = [](const std::string& p) { return p != "/etc/hosts"; };
  auto table = build_drive_table(parse_mounts(kMounts), "/home/ann/", label_of, is_dir);
  EXPECT_EQ(texts(table), (std::vector<std::string>{"[/]", "Home [/home/ann]", "Backup [/mnt/backup]",
                                                    "[/net/shared files]",
                                                    "My st [/run/media/ann/MY STICK]"}));
  ASSERT_EQ(table.size(), 5u);
  EXPECT_EQ(table[1].path, "/home/ann");
  EXPECT_FALSE(table[1].volume);
  EXPECT_TRUE(table[2].volume);
  EXPECT_EQ(table[4].path, "/run/media/ann/MY STICK");

  // No home, a home that is a mount of its own, and the 26-entry limit.
  std::string many;
  for (int i = 0; i < 40; ++i) many += "/dev/x" + std::to_string(i) + " /mnt/v" + std::to_string(100 + i) + " ext4 rw\n";
  many += "/dev/h /home/bob xfs rw\n";
  auto big = build_drive_table(parse_mounts(many), "/home/bob", label_of, [](const std::string&) { return true; });
  ASSERT_EQ(big.size(), kMaxDriveEntries);
  EXPECT_EQ(big[0].text, "[/]");
  EXPECT_EQ(big[1].text, "Home [/home/bob]");
  EXPECT_TRUE(big[1].volume);
  EXPECT_EQ(big[2].text, "[/mnt/v100]");
  auto none = build_drive_table({}, "", label_of, is_dir);
  EXPECT_EQ(texts(none), (std::vector<std::string>{"[/]"}));
}

TEST(DriveTable, EntryTextKeepsThePathWhole) {
  EXPECT_EQ(drive_entry_text("DATA", "/mnt/d"), "Data [/mnt/d]");
  EXPECT_EQ(drive_entry_text("", "/"), "[/]");
  // A long label gives way first; the entry then has 31 characters.
  std::string e = drive_entry_text("AN EXTREMELY LONG VOLUME LABEL", "/mnt/d");
  EXPECT_EQ(e, "An extremely long volu [/mnt/d]");
  EXPECT_LE(e.size(), kMaxDriveText);
  // A path that alone is too long is shown whole, without a label.
  std::string p = "/run/media/someone/a-long-volume-name";
  EXPECT_EQ(drive_entry_text("Stick", p), "[" + p + "]");
  // A label is never cut inside a UTF-8 character.
  std::string utf = drive_entry_text("Donn\xC3\xA9\x65s-archives-2024-xyz", "/mnt/d");
  EXPECT_LE(utf.size(), kMaxDriveText);
  EXPECT_EQ(utf.substr(0, 7), "Donn\xC3\xA9\x65");
}

TEST(DriveTable, VolumeRootHoldsThePath) {
  std::vector<DriveEntry> t = {{"[/]", "/", true},
                               {"Home [/home/ann]", "/home/ann", false},
                               {"Backup [/mnt/backup]", "/mnt/backup", true},
                               {"Inner [/mnt/backup/inner]", "/mnt/backup/inner", true}};
  EXPECT_EQ(volume_root_of(t, "/mnt/backup/x/y/"), "/mnt/backup/");
  EXPECT_EQ(volume_root_of(t, "/mnt/backup/"), "/mnt/backup/");
  EXPECT_EQ(volume_root_of(t, "/mnt/backup/inner/z/"), "/mnt/backup/inner/");
  EXPECT_EQ(volume_root_of(t, "/mnt/backupx/"), "/");
  EXPECT_EQ(volume_root_of(t, "/home/ann/letters/"), "/");
  EXPECT_EQ(volume_root_of({}, "/a/"), "/");
}

}  // namespace
}  // namespace lettrix
