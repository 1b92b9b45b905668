// Helpers for the dialog tests: a scratch tree that is the working directory,
// and a dialog state that never looks at this machine's mounts.
#pragma once

#include <filesystem>
#include <string>

#include "test_util.h"
#include "ui/logic/dialog_state.h"

namespace lettrix::testing {

// The physical path of p with a trailing "/", as the dialog shows it.
inline std::string dialog_path(const std::filesystem::path& p) {
  std::string s = std::filesystem::canonical(p).string();
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

// A state whose Drives list holds the root and the scratch tree as a volume.
inline DialogState make_state(const std::filesystem::path& volume) {
  DialogState s;
  std::string v = std::filesystem::canonical(volume).string();
  s.drive_table_source = [v] {
    return std::vector<DriveEntry>{{"[/]", "/", true}, {"Scratch [" + v + "]", v, true}};
  };
  return s;
}

inline void make_dirs(const std::filesystem::path& p) { std::filesystem::create_directories(p); }

// A reader or writer that copies its input: conversions whose bytes do not matter.
inline int copy_handler(const char* in, const char* out) {
  write_file(out, read_file(in));
  return 0;
}

inline std::vector<std::string> texts(const std::vector<ListEntry>& entries) {
  std::vector<std::string> out;
  for (const ListEntry& e : entries) out.push_back(e.text);
  return out;
}

}  // namespace lettrix::testing
