// Compares the paragraph formats LibreOffice reads from two RTF files of one
// document, paragraphs matched by their text: alignment, left indent, first
// line indent and tab stops (positions within half a tenth of an inch, and
// kinds). Run by hand, with soffice on the PATH:
//   build/bin/ruler_compare OURS.rtf REFERENCE.rtf [-v]
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>
#include <string>
#include <vector>

#include "writers/fodt_reader.h"

namespace fs = std::filesystem;
using lettrix::testing::FodtDocument;
using lettrix::testing::FodtParagraph;

namespace {

constexpr double kTolerance = 0.05;  // inches
constexpr std::size_t kWindow = 64;  // paragraphs looked ahead for a match

bool near(double a, double b) { return std::fabs(a - b) < kTolerance; }

std::string key(const FodtParagraph& p) {
  std::string t = p.text();
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.pop_back();
  return t;
}

bool same_tabs(const FodtParagraph& a, const FodtParagraph& b) {
  if (a.tabs.size() != b.tabs.size()) return false;
  for (std::size_t i = 0; i < a.tabs.size(); ++i)
    if (!near(a.tabs[i], b.tabs[i]) || a.tab_kinds[i] != b.tab_kinds[i]) return false;
  return true;
}

std::string tabs_text(const FodtParagraph& p) {
  std::string s;
  char buf[64];
  for (std::size_t i = 0; i < p.tabs.size(); ++i) {
    std::snprintf(buf, sizeof buf, " %.2f%s", p.tabs[i], p.tab_kinds[i] == "left" ? "" : p.tab_kinds[i].c_str());
    s += buf;
  }
  return s;
}

bool read(const fs::path& rtf, const fs::path& dir, FodtDocument& doc) {
  fs::create_directories(dir);
  const fs::path copy = dir / "doc.rtf";
  fs::copy_file(rtf, copy, fs::copy_options::overwrite_existing);
  if (!lettrix::testing::libreoffice_convert({copy}, "fodt", dir)) return false;
  return lettrix::testing::read_fodt(dir / "doc.fodt", doc);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ruler_compare OURS.rtf REFERENCE.rtf [-v]\n");
    return 2;
  }
  const bool verbose = argc > 3 && std::strcmp(argv[3], "-v") == 0;
  const fs::path work = fs::temp_directory_path() / ("ruler_compare_" + std::to_string(::getpid()));
  FodtDocument ours, reference;
  if (!read(argv[1], work / "ours", ours) || !read(argv[2], work / "reference", reference)) {
    std::fprintf(stderr, "LibreOffice could not read the documents\n");
    fs::remove_all(work);
    return 1;
  }
  fs::remove_all(work);
  std::vector<const FodtParagraph*> mine;
  for (const FodtParagraph& p : ours.paragraphs)
    if (p.where == "body") mine.push_back(&p);
  std::size_t cursor = 0, matched = 0, total = 0, align = 0, left = 0, first = 0, tabs = 0, right = 0;
  for (const FodtParagraph& r : reference.paragraphs) {
    if (r.where != "body") continue;
    const std::string k = key(r);
    if (k.empty()) continue;
    ++total;
    std::size_t hit = cursor;
    while (hit < mine.size() && hit < cursor + kWindow && key(*mine[hit]) != k) ++hit;
    if (hit >= mine.size() || hit >= cursor + kWindow) continue;
    cursor = hit + 1;
    const FodtParagraph& o = *mine[hit];
    ++matched;
    const bool a = o.align == r.align, l = near(o.margin_left, r.margin_left), f = near(o.text_indent, r.text_indent),
               t = same_tabs(o, r), g = near(o.margin_right, r.margin_right);
    align += a, left += l, first += f, tabs += t, right += g;
    if (verbose && !(a && l && f && t && g))
      std::printf("[%s|%s] left %.2f/%.2f first %.2f/%.2f right %.2f/%.2f tabs%s /%s  %.40s\n", o.align.c_str(),
                  r.align.c_str(), o.margin_left, r.margin_left, o.text_indent, r.text_indent, o.margin_right,
                  r.margin_right, tabs_text(o).c_str(), tabs_text(r).c_str(), k.c_str());
  }
  std::printf("%zu of %zu paragraphs with text matched; alignment %zu, left %zu, first line %zu, right %zu, tabs %zu\n",
              matched, total, align, left, first, right, tabs);
  return 0;
}
