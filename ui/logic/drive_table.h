// The Drives list of the conversion dialog. On this platform the "drives" are
// the places a user starts from: the root "/", the home folder, and the
// mounted volumes (pseudo file systems and system mounts left out).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lettrix {

struct DriveEntry {
  std::string text;     // as the list shows it: "Label [path]" or "[path]"
  std::string path;     // the directory entered by a double click
  bool volume = true;   // the root of a file system (the home folder may not be)
};

inline constexpr std::size_t kMaxDriveEntries = 26;
inline constexpr std::size_t kMaxDriveText = 31;

// One line of the kernel's mount table.
struct MountEntry {
  std::string device;
  std::string mount_point;
  std::string type;
};

// Parses /proc/mounts text: device, mount point and type of each line, with
// the table's octal escapes (\040 for a space) decoded. Malformed lines are skipped.
std::vector<MountEntry> parse_mounts(std::string_view text);

// False for pseudo file systems (proc, tmpfs, cgroup, ...) and for mounts
// under the system's own folders (/proc, /sys, /dev, /run, /boot, /snap),
// removable media under /run/media excepted.
bool is_user_volume(const MountEntry& m);

// "Label [path]", the label with its ASCII letters after the first
// lower-cased; "[path]" without a label. A longer entry than 31 characters
// gives up label characters first; the bracketed path is never cut.
std::string drive_entry_text(const std::string& label, const std::string& path);

// The table: the root, the home folder (labelled "Home"), then the user
// volumes sorted by path, at most 26 entries. label_of gives a device's
// volume label (empty for none). is_dir filters out mount points that are not
// directories (files bind-mounted into a container, for instance).
std::vector<DriveEntry> build_drive_table(const std::vector<MountEntry>& mounts, const std::string& home,
                                          const std::function<std::string(const std::string&)>& label_of,
                                          const std::function<bool(const std::string&)>& is_dir);

// The table of this machine, from /proc/mounts, the home folder and the
// labels under /dev/disk/by-label.
std::vector<DriveEntry> system_drive_table();

// The path of the volume that holds path: the longest volume entry of the
// table that path lies in, "/" when none does. It ends with "/".
std::string volume_root_of(const std::vector<DriveEntry>& table, const std::string& path);

}  // namespace lettrix
