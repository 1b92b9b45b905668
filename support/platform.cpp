#include "support/platform.h"

#include "support/owned_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace lettrix {

namespace {

char fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Classic iterative glob with one back-tracking point for the last "*".
bool glob_match(std::string_view p, std::string_view s) {
  std::size_t pi = 0, si = 0, star = std::string_view::npos, mark = 0;
  while (si < s.size()) {
    if (pi < p.size() && (p[pi] == '?' || fold(p[pi]) == fold(s[si]))) {
      ++pi;
      ++si;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      mark = si;
    } else if (star != std::string_view::npos) {
      pi = star + 1;
      si = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

bool names_less(const DirEntry& a, const DirEntry& b) {
  std::size_t n = std::min(a.name.size(), b.name.size());
  for (std::size_t i = 0; i < n; ++i) {
    char x = fold(a.name[i]), y = fold(b.name[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
  return a.name < b.name;
}

}  // namespace

bool has_wildcards(std::string_view text) { return text.find_first_of("*?") != std::string_view::npos; }

bool wildcard_match(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*" || pattern == "*") return true;
  if (glob_match(pattern, name)) return true;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
      name.find('.') == std::string_view::npos) {
    return glob_match(pattern.substr(0, pattern.size() - 2), name);
  }
  return false;
}

namespace {

// The entries of dir whose names match pattern (every one when it is empty).
// The kind of an entry comes from the directory itself where the file system
// gives it; a link, an entry of unknown kind, or every regular file when its
// size is wanted, is looked up.
std::vector<DirEntry> read_directory(const std::string& dir, bool* ok, std::string_view pattern, bool sizes) {
  std::vector<DirEntry> entries;
  std::string base = dir.empty() ? std::string(".") : native_separators(dir);
  DIR* d = opendir(base.c_str());
  if (ok) *ok = d != nullptr;
  if (!d) return entries;
  std::string prefix = base;
  if (!is_separator(prefix.back())) prefix += '/';
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (!pattern.empty() && !wildcard_match(pattern, name)) continue;
    DirEntry entry;
    entry.name = name;
    if (e->d_type == DT_DIR || (e->d_type == DT_REG && !sizes)) {
      entry.is_directory = e->d_type == DT_DIR;
      entry.is_regular = e->d_type == DT_REG;
      entries.push_back(std::move(entry));
      continue;
    }
    struct stat ls {};
    std::string full = prefix + name;
    if (lstat(full.c_str(), &ls) != 0) continue;
    if (S_ISDIR(ls.st_mode)) {
      entry.is_directory = true;
    } else if (S_ISREG(ls.st_mode)) {
      entry.is_regular = true;
      entry.size = static_cast<std::uint64_t>(ls.st_size);
    } else if (S_ISLNK(ls.st_mode)) {
      struct stat st {};
      if (stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        entry.is_regular = true;
        entry.size = static_cast<std::uint64_t>(st.st_size);
      }
    }
    if (!sizes) entry.size = 0;
    entries.push_back(std::move(entry));
  }
  closedir(d);
  std::sort(entries.begin(), entries.end(), names_less);
  return entries;
}

}  // namespace

std::vector<DirEntry> list_directory(const std::string& dir, bool* ok, bool sizes) {
  return read_directory(dir, ok, {}, sizes);
}

std::size_t name_length_limit(const std::string& dir) {
  long n = pathconf(dir.empty() ? "." : dir.c_str(), _PC_NAME_MAX);
  return n > 0 ? static_cast<std::size_t>(n) : 255;
}

bool make_directory(const std::string& path) { return mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && is_directory(path)); }

std::vector<DirEntry> search_directory(const std::string& dir, std::string_view pattern, bool sizes) {
  if (pattern.empty()) return {};
  return read_directory(dir, nullptr, pattern, sizes);
}

bool is_separator(char c) { return c == '/' || c == '\\'; }

std::string native_separators(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::size_t directory_part_length(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i)
    if (is_separator(path[i - 1])) return i;
  return 0;
}

bool entry_exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

bool is_directory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::uint64_t file_size(const std::string& path, bool* ok) {
  struct stat st {};
  bool good = stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  if (ok) *ok = good;
  return good ? static_cast<std::uint64_t>(st.st_size) : 0;
}

int create_exclusive(const std::string& path) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return errno ? errno : EIO;
  close(fd);
  return 0;
}

std::string temp_directory() {
  const char* t = std::getenv("TMPDIR");
  std::string dir = (t && *t) ? t : "/tmp";
  while (dir.size() > 1 && is_separator(dir.back())) dir.pop_back();
  return dir;
}

bool create_temp_file(const std::string& prefix, std::string& path_out) {
  // Kept by descriptor: the temporary directory is shared with other users.
  std::string name = temp_directory() + "/" + prefix + "XXXXXX";
  if (create_owned_temp_file(name) != 0) return false;
  path_out = name;
  return true;
}

bool create_temp_directory(const std::string& prefix, std::string& path_out) {
  std::string pattern = temp_directory() + "/" + prefix + "XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (!mkdtemp(buf.data())) return false;
  path_out = buf.data();
  return true;
}

std::string current_directory() {
  std::vector<char> buf(4096);
  while (!getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE || buf.size() > (1u << 20)) return std::string();
    buf.resize(buf.size() * 2);
  }
  return buf.data();
}

bool change_directory_to(const std::string& dir) { return chdir(dir.c_str()) == 0; }

WorkingDirectoryGuard::WorkingDirectoryGuard() : fd_(open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}

WorkingDirectoryGuard::~WorkingDirectoryGuard() {
  if (fd_ >= 0) {
    if (fchdir(fd_) != 0) {
      // Nothing sensible is left to do: the directory we came from is gone.
    }
    close(fd_);
  }
}

bool current_folder_identity(FolderIdentity& id) {
  struct stat st;
  if (::stat(".", &st) != 0) return false;
  id.device = static_cast<std::uint64_t>(st.st_dev);
  id.inode = static_cast<std::uint64_t>(st.st_ino);
  return true;
}

}  // namespace lettrix
