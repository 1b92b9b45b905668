#include "cli/format_names.h"

#include "core/format_registry.h"

namespace lettrix {

namespace {

struct Alias {
  int row;
  const char* alias;
};

const Alias kSourceAliases[] = {
    {SrcMacText, "mac-text"},        {SrcMacText, "text"},         {SrcMacWrite22, "macwrite-2.2"},
    {SrcMacWrite22, "mw22"},         {SrcMacWrite46, "macwrite-4.6"}, {SrcMacWrite46, "mw46"},
    {SrcMacWriteII, "macwrite-ii"},  {SrcMacWriteII, "mwii"},      {SrcWorks2, "works-2"},
    {SrcWorks3, "works-3"},          {SrcClarisWorks, "clarisworks"}, {SrcClarisWorks, "appleworks"},
    {SrcRagtime2, "ragtime-2"},      {SrcRagtime3, "ragtime-3"},   {SrcNisus, "nisus"},
};

const Alias kTargetAliases[] = {
    {DstAscii, "ascii"},          {DstAnsi, "ansi"},           {DstWordDos, "word-dos"},
    {DstWordPerfect5, "wp5"},     {DstWordPerfect5, "wordperfect-5"}, {DstWinWord2, "winword-2"},
    {DstWinWord2, "word-windows-2"}, {DstRtfAscii, "rtf-ascii"}, {DstRtfAnsi, "rtf-ansi"},
};

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

template <std::size_t N>
int find_format(const FormatRegistry& registry, const Alias (&aliases)[N], std::string_view name) {
  for (std::size_t i = 0; registry.rows[i].name; ++i)
    if (equal_ignoring_case(name, registry.rows[i].name)) return static_cast<int>(i);
  for (const Alias& a : aliases)
    if (equal_ignoring_case(name, a.alias)) return a.row;
  return -1;
}

template <std::size_t N>
std::vector<std::string> aliases_of(const Alias (&aliases)[N], int row) {
  std::vector<std::string> out;
  for (const Alias& a : aliases)
    if (a.row == row) out.emplace_back(a.alias);
  return out;
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

int find_source_format(std::string_view name) { return find_format(source_formats, kSourceAliases, name); }
int find_target_format(std::string_view name) { return find_format(target_formats, kTargetAliases, name); }
std::vector<std::string> source_aliases(int row) { return aliases_of(kSourceAliases, row); }
std::vector<std::string> target_aliases(int row) { return aliases_of(kTargetAliases, row); }

std::string format_listing() {
  std::string out = "Source formats (-f):\n";
  for (std::size_t i = 0; source_formats.rows[i].name; ++i) {
    int row = static_cast<int>(i);
    out += "  " + pad(source_formats.rows[i].name, 20) + pad(join(source_aliases(row)), 28) +
           (source_row_available(row) ? "" : "(not available yet)") + "\n";
  }
  out += "Target formats (-t):\n";
  for (std::size_t i = 0; target_formats.rows[i].name; ++i) {
    int row = static_cast<int>(i);
    out += "  " + pad(target_formats.rows[i].name, 20) + pad(join(target_aliases(row)), 28) + pad(
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
