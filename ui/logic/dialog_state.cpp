#include "ui/logic/dialog_state.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "core/driver_state.h"
#include "core/format_registry.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/strings.h"
#include "ui/logic/format_choice.h"

namespace lettrix {

namespace {

void sort_entries(std::vector<ListEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [](const ListEntry& a, const ListEntry& b) { return list_order_less(a.text, b.text); });
}

// Length of a file opened by descriptor; 0 for anything but a regular file.
std::uint64_t length_of(int fd) {
  if (fd < 0) return 0;
  struct stat st {};
  std::uint64_t n = (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) ? static_cast<std::uint64_t>(st.st_size) : 0;
  close(fd);
  return n;
}

const std::string kRoot = "/";

// Never blocks on a FIFO that took a listed file's place.
constexpr int kCountFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;

std::string with_trailing_slash(std::string p) {
  if (p.empty() || p.back() != '/') p += '/';
  return p;
}

}  // namespace

std::string displayed_path(const std::string& path) {
  std::string shown = path;
  if (shown.size() > kShortenAbove) shorten_path(shown, kShownPathMax);
  return shown;
}

void init_dialog(DialogState& s) {
  init_path_buffers();
  s.selection_mask = "*.*";
  std::string cwd = current_directory();
  if (cwd.empty() || !change_directory_to(cwd)) {
    // The working directory is gone: start at the root.
    cwd = kRoot;
    change_directory_to(cwd);
  }
  s.current_path = with_trailing_slash(cwd);
  s.path_display = s.current_path;
  refresh_lists(s, s.selection_mask);
  s.source_names = sorted_format_names(source_formats);
  s.source_names.insert(s.source_names.begin(), kAutomaticFormat);
  s.target_names = sorted_format_names(target_formats);
}

void refresh_lists(DialogState& s, const std::string& mask_in) {
  const std::string mask = mask_in;  // mask_in may be s.selection_mask itself
  s.files.clear();
  s.file_selected.clear();
  s.counted_files = 0;
  s.counted_length = 0;
  const std::size_t dir_len = directory_part_length(mask);
  const std::string dir = native_separators(mask.substr(0, dir_len));
  for (const DirEntry& e : search_directory(dir, std::string_view(mask).substr(dir_len))) {
    if (!e.is_regular || is_converter_file_name(e.name)) continue;
    s.files.push_back({e.name, dir + e.name});
    ++s.counted_files;
    s.counted_length += e.size;
  }
  sort_entries(s.files);
  s.file_selected.assign(s.files.size(), false);

  s.directories.clear();
  if (s.current_path != "/") s.directories.push_back({"[..]", ".."});
  for (const DirEntry& e : list_directory(""))
    if (e.is_directory) s.directories.push_back({"[" + e.name + "]", e.name});
  sort_entries(s.directories);

  if (s.drive_table.empty() && s.drive_table_source) s.drive_table = s.drive_table_source();
}

std::size_t selected_file_count(const DialogState& s) {
  return static_cast<std::size_t>(std::count(s.file_selected.begin(), s.file_selected.end(), true));
}

void update_counters(DialogState& s) {
  const std::size_t selected = selected_file_count(s);
  std::uint64_t total = 0;
  if (selected > 0) {
    std::size_t counted = 0;
    for (std::size_t i = 0; i < s.files.size() && counted < kMaxCountedSelection; ++i) {
      if (i >= s.file_selected.size() || !s.file_selected[i]) continue;
      total += length_of(::open(s.files[i].name.c_str(), kCountFlags));
      ++counted;
    }
    s.counted_files = counted;
  } else {
    // Looking at a folder never changes a file's permissions: a file that
    // cannot be opened for reading adds nothing to the length.
    for (const ListEntry& f : s.files) total += length_of(::open(f.name.c_str(), kCountFlags));
    s.counted_files = s.files.size();
  }
  s.counted_length = total;
}

int change_directory(DialogState& s, const std::string& name) {
  if (name.empty()) return -1;
  std::string path;
  if (name[0] == '/') {
    path = with_trailing_slash(name);
  } else {
    path = s.current_path;
    if (path.size() > 1 && path.back() == '/') path.pop_back();
    if (name == "..") {
      std::size_t slash = path.rfind('/');
      path = slash == std::string::npos ? std::string("/") : path.substr(0, slash + 1);
    } else {
      path = with_trailing_slash(path) + name + "/";
    }
  }
  // The working directory moves first; the path follows only when it did.
  if (!change_directory_to(path)) return -1;
  s.current_path = path;
  s.path_display = displayed_path(s.current_path);
  return 0;
}

void apply_mask(DialogState& s, const std::string& text) {
  s.selection_mask = text;
  refresh_lists(s, s.selection_mask);
}

void go_to_volume_root(DialogState& s) {
  if (s.drive_table.empty() && s.drive_table_source) s.drive_table = s.drive_table_source();
  std::string root = volume_root_of(s.drive_table, s.current_path);
  if (!change_directory_to(root)) {
    root = kRoot;
    change_directory_to(root);
  }
  s.current_path = root;
  s.path_display = s.current_path;
  refresh_lists(s, s.selection_mask);
}

void go_to_parent(DialogState& s) {
  change_directory(s, "..");
  refresh_lists(s, s.selection_mask);
}

int enter_directory_entry(DialogState& s, std::size_t index) {
  if (index >= s.directories.size()) return -1;
  const std::string name = s.directories[index].name;
  int rc = change_directory(s, name);
  refresh_lists(s, s.selection_mask);
  return rc;
}

int enter_drive_entry(DialogState& s, std::size_t index) {
  if (index >= s.drive_table.size()) return -1;
  const std::string path = s.drive_table[index].path;
  int rc = change_directory(s, path);
  refresh_lists(s, s.selection_mask);
  return rc;
}

}  // namespace lettrix
