#include "tools/formatting_expectations.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>

namespace lettrix::tools {

namespace {

std::string trim(std::string s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

std::vector<std::string> split(const std::string& s, const std::string& separator) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t at; (at = s.find(separator, from)) != std::string::npos; from = at + separator.size())
    parts.push_back(s.substr(from, at - from));
  parts.push_back(s.substr(from));
  return parts;
}

bool alnum(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string letters(const std::string& s) {
  std::string out;
  for (unsigned char c : s)
    if (alnum(c)) out += static_cast<char>(c);
  return out;
}

// "12: 85%, 9: 15%"
std::map<int, double> parse_sizes(const std::string& cell) {
  std::map<int, double> sizes;
  for (const std::string& part : split(cell, ", ")) {
    const auto colon = part.find(':');
    if (colon == std::string::npos) continue;
    sizes[std::atoi(part.c_str())] = std::atof(part.c_str() + colon + 1) / 100.0;
  }
  return sizes;
}

// "sans 89%, serif 8%"
std::map<std::string, double> parse_classes(const std::string& cell) {
  std::map<std::string, double> classes;
  for (const std::string& part : split(cell, ", ")) {
    const auto space = part.find(' ');
    if (space == std::string::npos) continue;
    classes[trim(part.substr(0, space))] = std::atof(part.c_str() + space + 1) / 100.0;
  }
  return classes;
}

// "90 justify (e.g. "Introduction"); 3 center (e.g. "Game Laws")"
std::map<std::string, int> parse_alignments(const std::string& cell) {
  std::map<std::string, int> alignments;
  if (cell == "-") return alignments;
  for (const std::string& part : split(cell, "); ")) {
    const std::string p = trim(part);
    const auto space = p.find(' ');
    if (space == std::string::npos) continue;
    const auto end = p.find(' ', space + 1);
    alignments[p.substr(space + 1, end == std::string::npos ? std::string::npos : end - space - 1)] +=
        std::atoi(p.c_str());
  }
  return alignments;
}

// "79, e.g. Ars Magna is a prog (left 0.25 in, first 0.00 in)"
void parse_indents(const std::string& cell, ExpectedFormatting& f) {
  if (cell == "-") return;
  f.indented = std::atoi(cell.c_str());
  const auto eg = cell.find("e.g. ");
  const auto left = cell.rfind(" (left ");
  const auto first = cell.rfind(", first ");
  if (eg == std::string::npos || left == std::string::npos || first == std::string::npos || left < eg) return;
  f.has_indent_example = true;
  f.indent_example.opening = cell.substr(eg + 5, left - eg - 5);
  f.indent_example.left = std::atof(cell.c_str() + left + 7);
  f.indent_example.first = std::atof(cell.c_str() + first + 8);
}

// "header "Page A"; footer "p.""
std::vector<ExpectedHead> parse_heads(const std::string& cell) {
  std::vector<ExpectedHead> heads;
  std::size_t at = 0;
  while (true) {
    const auto header = cell.find("header \"", at);
    const auto footer = cell.find("footer \"", at);
    const auto next = std::min(header, footer);
    if (next == std::string::npos) break;
    const auto open = next + 8;
    // The text runs to the quote that ends the entry: before "; " or the end.
    auto close = cell.find("\"; ", open);
    if (close == std::string::npos) close = cell.rfind('"');
    if (close == std::string::npos || close < open) break;
    heads.push_back({next == footer, cell.substr(open, close - open)});
    at = close + 1;
  }
  return heads;
}

template <typename Key>
double overlap(const std::map<Key, double>& expected, const std::map<Key, double>& observed) {
  double sum = 0;
  for (const auto& [key, share] : expected) {
    auto it = observed.find(key);
    if (it != observed.end()) sum += std::min(share, it->second);
  }
  return std::min(sum, 1.0);
}

}  // namespace

std::map<std::string, ExpectedFormatting> read_expected_formatting(const std::filesystem::path& file) {
  std::map<std::string, ExpectedFormatting> rows;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (line.size() < 2 || line[0] != '|') continue;
    std::vector<std::string> cells = split(line.substr(1), "|");
    if (cells.size() < 7) continue;
    for (std::string& c : cells) c = trim(c);
    if (cells[0].find('/') == std::string::npos) continue;
    ExpectedFormatting f;
    f.blank = cells[1] == "(blank)";
    f.sizes = parse_sizes(cells[1]);
    f.font_classes = parse_classes(cells[2]);
    f.alignments = parse_alignments(cells[3]);
    parse_indents(cells[4], f);
    f.page_breaks = std::atoi(cells[5].c_str());
    f.heads = parse_heads(cells[6]);
    rows[cells[0]] = f;
  }
  return rows;
}

Agreement compare_formatting(const ExpectedFormatting& expected, const ObservedFormatting& observed) {
  Agreement a;
  // Shares of the characters: the part of the listed distribution that the
  // observed one covers (an upper bound of the characters that can agree).
  std::map<int, double> sizes;
  std::map<std::string, double> classes;
  const double n = static_cast<double>(observed.chars.size());
  for (const ObservedChar& c : observed.chars) {
    sizes[c.points] += 1 / n;
    classes[c.font_class] += 1 / n;
  }
  if (!expected.sizes.empty() && n > 0) a.sizes = overlap(expected.sizes, sizes);
  if (!expected.font_classes.empty() && n > 0) {
    a.font_classes = overlap(expected.font_classes, classes);
    // Class "other" (a font of no known class, fixed-width faces among them,
    // which writers set in their default, serif, font) stands for mono or serif.
    if (auto other = classes.find("other"); other != classes.end()) {
      double open = 0;
      for (const char* k : {"mono", "serif"}) {
        auto e = expected.font_classes.find(k);
        auto o = classes.find(k);
        if (e != expected.font_classes.end())
          open += e->second - std::min(e->second, o == classes.end() ? 0.0 : o->second);
      }
      a.font_classes = std::min(1.0, a.font_classes + std::min(open, other->second));
    }
  }

  // Paragraphs by alignment, among those with visible characters (as the
  // table counts them): each paragraph too many or too few of an alignment
  // counts as one paragraph wrong.
  std::map<std::string, int> aligned;
  int indented = 0, paragraphs = 0;
  for (const ObservedParagraph& p : observed.paragraphs) {
    if (p.text.find_first_not_of(" \t\n\r") == std::string::npos) continue;
    ++paragraphs;
    if (!p.align.empty()) ++aligned[p.align];
    if (std::fabs(p.left) > 0.005 || std::fabs(p.first) > 0.005) ++indented;
  }
  std::set<std::string> kinds;
  for (const auto& [k, count] : expected.alignments) kinds.insert(k);
  for (const auto& [k, count] : aligned) kinds.insert(k);
  int wrong = 0;
  for (const std::string& k : kinds) {
    const auto e = expected.alignments.find(k);
    const auto o = aligned.find(k);
    wrong += std::abs((e == expected.alignments.end() ? 0 : e->second) - (o == aligned.end() ? 0 : o->second));
  }
  if (paragraphs > 0) a.alignment = std::max(0, paragraphs - wrong) / static_cast<double>(paragraphs);

  // Indented paragraphs: the smaller count over the larger.
  if (expected.indented != indented)
    a.indents = std::min(expected.indented, indented) / static_cast<double>(std::max(expected.indented, indented));
  if (expected.has_indent_example) {
    a.indent_example = false;
    const std::string opening = letters(expected.indent_example.opening);
    for (const ObservedParagraph& p : observed.paragraphs) {
      if (opening.empty() || letters(p.text).rfind(opening, 0) != 0) continue;
      // A stream column is a tenth of an inch: half of one either way.
      a.indent_example = std::fabs(p.left - expected.indent_example.left) < 0.051 &&
                         std::fabs(p.first - expected.indent_example.first) < 0.051;
      break;
    }
  }

  a.page_breaks = observed.page_breaks;
  // A page number field is "#" in the table, or the number it showed; ours
  // leave it out.
  auto without_digits = [](std::string s) {
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }), s.end());
    return s;
  };
  for (const ExpectedHead& e : expected.heads) {
    std::string want;
    for (char c : e.text)
      if (c != '#') want += c;
    want = letters(want);
    for (const ExpectedHead& o : observed.heads)
      if (o.footer == e.footer &&
          (letters(o.text) == want || without_digits(letters(o.text)) == without_digits(want))) {
        ++a.heads_found;
        break;
      }
  }
  return a;
}

}  // namespace lettrix::tools
