// The small platform layer that stands in for the Windows file services the
// design assumes: directory search with Windows pattern meaning, exclusive
// file creation, temporary files, the working directory and the volumes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lettrix {

struct DirEntry {
  std::string name;
  bool is_directory = false;  // a real directory (symbolic links to directories are not)
  bool is_regular = false;    // a regular file, or a link to one
  std::uint64_t size = 0;
};

// Windows pattern matching: "*" any run, "?" one character, case ignored
// (ASCII letters); "*.*" matches every name, and a pattern ending in ".*"
// also matches the name without any extension.
bool wildcard_match(std::string_view pattern, std::string_view name);
bool has_wildcards(std::string_view text);

// Entries of a directory ("" means the working directory), without "." and
// "..", sorted by name ignoring case. Empty, with *ok false and errno set,
// when the directory cannot be read. sizes false: the size of a regular file
// is left 0 (it costs a look-up per file).
std::vector<DirEntry> list_directory(const std::string& dir, bool* ok = nullptr, bool sizes = true);

// The longest file name (one component, in bytes) the folder takes; 255 when unknown.
std::size_t name_length_limit(const std::string& dir);

// Creates one folder (mode 0777 less the umask). True when it was made.
bool make_directory(const std::string& path);

// The entries of dir whose names match the pattern (sizes as list_directory).
std::vector<DirEntry> search_directory(const std::string& dir, std::string_view pattern, bool sizes = true);

bool is_separator(char c);
// The path with "\" separators turned into this platform's "/".
std::string native_separators(std::string path);
// Index just after the last separator ("/" or "\"), 0 when there is none.
std::size_t directory_part_length(std::string_view path);

// True when anything (file, directory, link, even a dangling one) has this name.
bool entry_exists(const std::string& path);
bool is_directory(const std::string& path);
std::uint64_t file_size(const std::string& path, bool* ok = nullptr);

// Creates an empty file that did not exist before (never follows a link and
// never truncates). Returns 0, or the errno value (EEXIST when the name is taken).
int create_exclusive(const std::string& path);

// The system's temporary directory (TMPDIR, else /tmp), with no trailing separator.
std::string temp_directory();

// Creates a new private file in the temporary directory whose name starts with
// prefix; its path goes to path_out. False when none can be created.
bool create_temp_file(const std::string& prefix, std::string& path_out);

// Creates a new private folder (mode 0700) in the temporary directory whose
// name starts with prefix. False when none can be created.
bool create_temp_directory(const std::string& prefix, std::string& path_out);

std::string current_directory();
bool change_directory_to(const std::string& dir);

// What tells one folder from another whatever name leads to it: the device
// and the inode of the working directory. False when it cannot be asked.
struct FolderIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  bool operator==(const FolderIdentity&) const = default;
};
bool current_folder_identity(FolderIdentity& id);

// Returns to the working directory it found when it goes out of scope.
class WorkingDirectoryGuard {
 public:
  WorkingDirectoryGuard();
  ~WorkingDirectoryGuard();
  WorkingDirectoryGuard(const WorkingDirectoryGuard&) = delete;
  WorkingDirectoryGuard& operator=(const WorkingDirectoryGuard&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace lettrix
