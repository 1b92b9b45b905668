#include "cli/format_names.h"

#include <algorithm>

#include "core/format_registry.h"

namespace lettrix {

namespace {

// The words of an alias list, separated by spaces.
std::vector<std::string> words(std::string_view list) {
  std::vector<std::string> out;
  while (!list.empty()) {
    const std::size_t end = std::min(list.find(' '), list.size());
    if (end > 0) out.emplace_back(list.substr(0, end));
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return out;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

int find_format(const FormatRegistry& registry, std::string_view (*alias_list)(int), std::string_view name) {
  for (std::size_t i = 0; registry.rows[i].name; ++i)
    if (equal_ignoring_case(name, registry.rows[i].name)) return static_cast<int>(i);
  for (std::size_t i = 0; registry.rows[i].name; ++i)
    for (const std::string& alias : words(alias_list(static_cast<int>(i))))
      if (equal_ignoring_case(name, alias)) return static_cast<int>(i);
  return -1;
}

std::string join(const std::vector<std::string>& parts) {
  std::string s;
  for (const auto& p : parts) s += (s.empty() ? "" : ", ") + p;
  return s;
}

std::string pad(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

}  // namespace

int find_source_format(std::string_view name) { return find_format(source_formats, source_alias_list, name); }
int find_target_format(std::string_view name) { return find_format(target_formats, target_alias_list, name); }
std::vector<std::string> source_aliases(int row) { return words(source_alias_list(row)); }
std::vector<std::string> target_aliases(int row) { return words(target_alias_list(row)); }

std::string format_listing() {
  // The names' column is as wide as the longest name needs (two spaces at
  // least between the columns, which readers of the listing split on).
  std::size_t width = 20;
  for (const FormatRegistry* formats : {&source_formats, &target_formats})
    for (std::size_t i = 0; formats->rows[i].name; ++i)
      width = std::max(width, std::string_view(formats->rows[i].name).size() + 2);
  std::string out = "Source formats (-f):\n";
  for (std::size_t i = 0; source_formats.rows[i].name; ++i) {
    int row = static_cast<int>(i);
    out += "  " + pad(source_formats.rows[i].name, width) + pad(join(source_aliases(row)), 28) +
           (source_row_available(row) ? "" : "(not available yet)") + "\n";
  }
  out += "Target formats (-t):\n";
  for (std::size_t i = 0; target_formats.rows[i].name; ++i) {
    int row = static_cast<int>(i);
    out += "  " + pad(target_formats.rows[i].name, width) + pad(join(target_aliases(row)), 28) + pad(
               std::string(".") + target_formats.rows[i].extension, 6) +
           (target_row_available(row) ? "" : "(not available yet)") + "\n";
  }
  // Trim the padding the last column may leave.
  std::string trimmed;
  std::size_t start = 0;
  while (start < out.size()) {
    std::size_t end = out.find('\n', start);
    std::string line = out.substr(start, end - start);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    trimmed += line + "\n";
    start = end + 1;
  }
  return trimmed;
}

}  // namespace lettrix
