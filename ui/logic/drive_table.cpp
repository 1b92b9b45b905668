#include "ui/logic/drive_table.h"

#include <dirent.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>

#include "support/file_handle.h"
#include "support/platform.h"

namespace lettrix {

namespace {

constexpr std::size_t kMaxMountTable = 1 << 20;  // bytes read from /proc/mounts

bool is_octal(char c) { return c >= '0' && c <= '7'; }

// Decodes the \NNN escapes of the mount table.
std::string unescape_mount_field(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && is_octal(s[i + 1]) && is_octal(s[i + 2]) && is_octal(s[i + 3])) {
      int v = (s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0');
      if (v > 0 && v < 256) {
        out += static_cast<char>(v);
        i += 3;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

// Decodes the \xNN escapes of udev's /dev/disk/by-label names.
std::string unescape_label(std::string_view s) {
  std::string out;
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && hex(s[i + 2]) >= 0 && hex(s[i + 3]) >= 0) {
      int v = hex(s[i + 2]) * 16 + hex(s[i + 3]);
      if (v > 0) {
        out += static_cast<char>(v);
        i += 3;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

bool starts_with_dir(const std::string& path, std::string_view dir) {
  if (path.compare(0, dir.size(), dir) != 0) return false;
  return path.size() == dir.size() || path[dir.size()] == '/';
}

// Cuts s to at most n bytes without splitting a UTF-8 sequence.
std::string cut_utf8(const std::string& s, std::size_t n) {
  if (s.size() <= n) return s;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  return s.substr(0, n);
}

std::string with_trailing_slash(std::string p) {
  if (p.empty() || p.back() != '/') p += '/';
  return p;
}

std::string home_folder() {
  const char* h = std::getenv("HOME");
  if (h && *h == '/') return h;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/') return pw->pw_dir;
  return std::string();
}

std::string real_path(const std::string& p) {
  char buf[PATH_MAX];
  return realpath(p.c_str(), buf) ? std::string(buf) : p;
}

}  // namespace

std::vector<MountEntry> parse_mounts(std::string_view text) {
  std::vector<MountEntry> mounts;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size() && fields.size() < 3) {
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      std::size_t start = i;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
      if (i > start) fields.push_back(line.substr(start, i - start));
    }
    if (fields.size() < 3) continue;
    MountEntry m{unescape_mount_field(fields[0]), unescape_mount_field(fields[1]), std::string(fields[2])};
    if (m.mount_point.empty() || m.mount_point[0] != '/') continue;
    mounts.push_back(std::move(m));
  }
  return mounts;
}

bool is_user_volume(const MountEntry& m) {
  static const char* const kPseudoTypes[] = {
      "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts", "devtmpfs",
      "efivarfs", "fusectl", "hugetlbfs", "mqueue", "nsfs", "overlay", "proc", "pstore", "ramfs",
      "rpc_pipefs", "securityfs", "selinuxfs", "squashfs", "sysfs", "tmpfs", "tracefs", "fuse.gvfsd-fuse",
      "fuse.portal", "fuse.lxcfs", "nfsd"};
  for (const char* t : kPseudoTypes)
    if (m.type == t) return false;
  if (starts_with_dir(m.mount_point, "/run/media")) return true;
  static const char* const kSystemDirs[] = {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib/docker",
                                            "/var/snap"};
  for (const char* d : kSystemDirs)
    if (starts_with_dir(m.mount_point, d)) return false;
  return true;
}

std::string drive_entry_text(const std::string& label, const std::string& path) {
  std::string shown = label;
  for (std::size_t i = 1; i < shown.size(); ++i)
    if (shown[i] >= 'A' && shown[i] <= 'Z') shown[i] = static_cast<char>(shown[i] + 32);
  const std::string bracket = "[" + path + "]";
  if (shown.empty()) return bracket;
  if (shown.size() + 1 + bracket.size() > kMaxDriveText) {
    std::size_t room = bracket.size() + 1 < kMaxDriveText ? kMaxDriveText - bracket.size() - 1 : 0;
    shown = cut_utf8(shown, room);
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    if (shown.empty()) return bracket;
  }
  return shown + " " + bracket;
}

std::vector<DriveEntry> build_drive_table(const std::vector<MountEntry>& mounts, const std::string& home,
                                          const std::function<std::string(const std::string&)>& label_of,
                                          const std::function<bool(const std::string&)>& is_dir) {
  std::vector<DriveEntry> table;
  // The visible mount of each point is the last one in the table.
  std::map<std::string, const MountEntry*> by_point;
  for (const MountEntry& m : mounts) by_point[m.mount_point] = &m;

  std::string root_label;
  if (auto it = by_point.find("/"); it != by_point.end()) root_label = label_of(it->second->device);
  table.push_back({drive_entry_text(root_label, "/"), "/", true});

  std::string home_path = home;
  while (home_path.size() > 1 && home_path.back() == '/') home_path.pop_back();
  const bool has_home = !home_path.empty() && home_path != "/" && is_dir(home_path);
  if (has_home) {
    auto it = by_point.find(home_path);
    bool home_is_volume = it != by_point.end() && is_user_volume(*it->second);
    table.push_back({drive_entry_text("Home", home_path), home_path, home_is_volume});
  }

  std::vector<const MountEntry*> volumes;
  for (const auto& [point, m] : by_point) {
    if (point == "/" || (has_home && point == home_path)) continue;
    if (!is_user_volume(*m) || !is_dir(point)) continue;
    volumes.push_back(m);
  }
  // by_point is ordered by path already.
  for (const MountEntry* m : volumes) {
    if (table.size() >= kMaxDriveEntries) break;
    table.push_back({drive_entry_text(label_of(m->device), m->mount_point), m->mount_point, true});
  }
  return table;
}

std::vector<DriveEntry> system_drive_table() {
  std::string text;
  if (FilePtr f = open_file("/proc/mounts", "rb")) {
    char buf[4096];
    std::size_t n;
    while (text.size() < kMaxMountTable && (n = std::fread(buf, 1, sizeof buf, f.get())) > 0) text.append(buf, n);
  }
  // Device (resolved) -> label, from udev's links.
  std::map<std::string, std::string> labels;
  const std::string by_label = "/dev/disk/by-label";
  if (DIR* d = opendir(by_label.c_str())) {
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      labels[real_path(by_label + "/" + name)] = unescape_label(name);
    }
    closedir(d);
  }
  auto label_of = [&labels](const std::string& device) -> std::string {
    if (device.empty() || device[0] != '/') return std::string();
    auto it = labels.find(real_path(device));
    return it == labels.end() ? std::string() : it->second;
  };
  auto is_dir = [](const std::string& p) { return is_directory(p); };
  return build_drive_table(parse_mounts(text), home_folder(), label_of, is_dir);
}

std::string volume_root_of(const std::vector<DriveEntry>& table, const std::string& path) {
  std::string best = "/";
  for (const DriveEntry& e : table) {
    if (!e.volume || e.path.empty() || e.path[0] != '/') continue;
    std::string p = e.path;
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    if (p == "/") continue;
    if (starts_with_dir(path, p) && p.size() + 1 > best.size()) best = with_trailing_slash(p);
  }
  return best;
}

}  // namespace lettrix
