#include "ui/logic/open_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

namespace lettrix {

namespace {

// "%41" and the like in a file URL, decoded; false for a malformed escape.
bool decode_url_path(std::string& path) {
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '%') {
      out += path[i];
      continue;
    }
    if (i + 2 >= path.size() || !std::isxdigit(static_cast<unsigned char>(path[i + 1])) ||
        !std::isxdigit(static_cast<unsigned char>(path[i + 2])))
      return false;
    out += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
    i += 2;
  }
  path = out;
  return true;
}

}  // namespace

OpenTarget files_to_open(const std::vector<std::string>& args, const std::string& cwd) {
  OpenTarget open;
  for (std::string path : args) {
    if (path.empty() || path.front() == '-') continue;
    if (path.starts_with("file://")) {
      path.erase(0, 7);
      if (!path.starts_with("/") || !decode_url_path(path)) continue;
    }
    if (path.front() != '/') path = (cwd.ends_with("/") ? cwd : cwd + "/") + path;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) continue;
    const bool is_dir = S_ISDIR(st.st_mode);
    const std::size_t slash = path.rfind('/');
    const std::string folder = is_dir ? path : (slash == 0 ? "/" : path.substr(0, slash));
    if (open.folder.empty()) open.folder = folder;
    if (is_dir || folder != open.folder) continue;
    const std::string name = path.substr(slash + 1);
    if (std::find(open.names.begin(), open.names.end(), name) == open.names.end()) open.names.push_back(name);
  }
  return open;
}

std::size_t select_files(DialogState& s, const std::vector<std::string>& names) {
  s.file_selected.assign(s.files.size(), false);
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.files.size(); ++i) {
    if (std::find(names.begin(), names.end(), s.files[i].name) == names.end()) continue;
    s.file_selected[i] = true;
    ++n;
  }
  update_counters(s);
  return n;
}

}  // namespace lettrix
