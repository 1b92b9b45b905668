#include "support/paths.h"

#include "support/owned_files.h"
#include "support/platform.h"

namespace lettrix {

namespace {

std::int32_t g_unique_counter = 0;
constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUV";

bool is_name_char(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// count characters of name from `from` on are letters and digits, and nothing follows.
bool unique_tail(std::string_view name, std::size_t from, std::size_t count) {
  if (name.size() != from + count) return false;
  for (std::size_t i = from; i < name.size(); ++i)
    if (!is_name_char(name[i])) return false;
  return true;
}

// Cuts a trailing ".N" (a number of up to 4 digits) off stem, when it has one.
void drop_number(std::string_view& stem) {
  const std::size_t dot = stem.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || stem.size() - dot < 2 || stem.size() - dot > 5) return;
  for (std::size_t i = dot + 1; i < stem.size(); ++i)
    if (stem[i] < '0' || stem[i] > '9') return;
  stem = stem.substr(0, dot);
}

}  // namespace

bool is_converter_file_name(std::string_view name) {
  if (name.ends_with(".###")) return true;
  if (name.starts_with("TXV")) return unique_tail(name, 3, 6);
  if (name.starts_with("lettrix-work-")) return unique_tail(name, 13, 6);
  if (!name.ends_with(".part")) return false;
  std::string_view stem = name.substr(0, name.size() - 5);
  drop_number(stem);
  // The target's extension: one to four letters or digits after a dot that
  // does not begin the name.
  const std::size_t dot = stem.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || stem.size() - dot < 2 || stem.size() - dot > 5) return false;
  for (std::size_t i = dot + 1; i < stem.size(); ++i)
    if (!is_name_char(stem[i])) return false;
  return true;
}

std::string& replace_extension(std::string& path, const char* ext) {
  std::size_t start = directory_part_length(path);
  std::size_t dot = path.rfind('.');
  bool has_ext = dot != std::string::npos && dot >= start && path.size() - dot <= 5;
  if (has_ext) path.resize(dot + 1);
  if (!ext) return path;
  if (!has_ext) path += '.';
  for (const char* p = ext; *p; ++p) {
    char c = *p;
    path += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  }
  return path;
}

int regular_file_exists(const std::string& path) {
  if (has_wildcards(path)) return 0;
  if (path.empty()) return 0;
  // Any entry but a directory counts, a dangling link included: its name is taken.
  return entry_exists(path) && !is_directory(path) ? 1 : 0;
}

std::int32_t unique_name_counter() { return g_unique_counter; }
void set_unique_name_counter(std::int32_t value) { g_unique_counter = value; }

std::string unique_digits(std::int32_t v) {
  std::string d(3, '0');
  d[0] = kDigits[(v >> 10) & 31];
  d[1] = kDigits[(v >> 5) & 31];
  d[2] = kDigits[v & 31];
  return d;
}

bool make_unique_name(std::string& path, const char* ext) {
  const std::string original = path;
  std::string suffix;
  if (ext && *ext) {
    if (*ext != '.') suffix = '.';
    suffix.append(ext);
  }
  for (int attempt = 0; attempt < 32768; ++attempt) {
    ++g_unique_counter;
    std::string candidate = original;
    replace_extension(candidate, unique_digits(g_unique_counter).c_str());
    candidate += suffix;
    if (!regular_file_exists(candidate)) {
      path = candidate;
      return true;
    }
  }
  path = original;
  return false;
}

std::FILE* expand_selection(const std::string& mask, const std::string& list_path) {
  std::FILE* list = open_checked(list_path.c_str(), "w+b");
  if (!list) return nullptr;
  std::size_t dir_len = directory_part_length(mask);
  // The directory part is written in this platform's form, so the lines can be opened.
  std::string dir_part = native_separators(mask.substr(0, dir_len));
  std::string pattern = mask.substr(dir_len);
  if (!pattern.empty()) {
    for (const DirEntry& e : search_directory(dir_part, pattern, false)) {
      if (!e.is_regular || is_converter_file_name(e.name) || is_owned(dir_part + e.name)) continue;
      std::string line = dir_part + e.name + "\r\n";
      std::fwrite(line.data(), 1, line.size(), list);
    }
  }
  if (std::fflush(list) != 0) {
    std::fclose(list);
    return nullptr;
  }
  std::rewind(list);
  return list;
}

std::string& strip_line_end(std::string& line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  return line;
}

}  // namespace lettrix
