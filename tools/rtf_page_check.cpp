// Checks what LibreOffice shows of our RTF against what the stream says, for
// real documents:
//
//   build/bin/rtf_page_check [--target ALIAS] [--convert CONVERTER] FILE...
//
// Each FILE is read by the reader whose alias names its folder
// (FOLDER/x is read by the source format whose alias is FOLDER). The target
// (RTF unless --target names another: word-dos, winword-2, wp5, ...) is
// written by this build, or by the lettrix-convert binary CONVERTER (another
// version to compare with), then imported by LibreOffice headless into flat
// ODF. For every document the
// check prints the letters and digits shown at the stream's point size, the
// body paragraphs with the stream's alignment, indents and tab stops, the
// page breaks, and the running heads, each as LibreOffice's count against the
// stream's; a line of totals ends the report.
//
// When the documents' corpus folder holds FORMATTING.md (what an independent
// reading of the originals shows), a second report sets the stream and
// LibreOffice's reading of our RTF against it, document by document: the
// share of characters at the listed point sizes and font classes, of
// paragraphs with the listed alignments, of indented paragraphs (and whether
// the listed example paragraph has its indents), the page breaks and the
// running heads. The stream's class 0 (fonts of no other class, among them
// the fonts numbered 0 and 1, which each machine chose) counts as mono or
// serif, the class of the writers' default font.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/format_names.h"
#include "core/format_registry.h"
#include "core/stream_reader.h"
#include "tools/formatting_expectations.h"
#include "support/file_handle.h"
#include "writers/fodt_reader.h"

namespace fs = std::filesystem;
using namespace lettrix;

namespace {

struct StreamChar {
  char c;
  int points;
  int font_class;
};

// A body paragraph as the stream describes it: the properties in force at its
// first content, tab stops in inches.
struct StreamParagraph {
  std::string align;
  double margin_left = 0;
  double text_indent = 0;
  std::vector<double> tabs;
  std::string text;  // its visible characters, "?" for those outside ASCII
};

struct StreamFacts {
  std::vector<StreamChar> chars;  // letters and digits in reading order
  std::vector<StreamChar> visible;  // every visible character (c is "?" outside ASCII)
  std::vector<StreamParagraph> body;
  int page_breaks = 0;
  std::vector<std::string> running_heads;  // their letters and digits
  std::vector<bool> running_head_is_footer;
};

bool alnum(unsigned char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

StreamFacts stream_facts(const std::string& path) {
  StreamFacts f;
  FilePtr in = open_file(path, "rb");
  if (!in) return f;
  int points = 10, font_class = 0, centre = 0, right = 0, justify = 0, left_margin = 0, hanging = 0, first = 0;
  int tabs[256] = {};
  bool in_head = false, in_note = false, pending = true;
  StreamItem item;
  auto content = [&] {
    if (!pending || in_head || in_note) return;
    pending = false;
    StreamParagraph p;
    p.align = centre ? "center" : justify ? "justify" : right ? "end" : "";
    p.margin_left = (left_margin + hanging) / 10.0;
    p.text_indent = (first - hanging) / 10.0;
    for (int c = 0; c < 256; ++c)
      if (tabs[c] >= 1 && tabs[c] <= 4) p.tabs.push_back((left_margin + c) / 10.0);
    f.body.push_back(p);
  };
  while (read_stream_item(in.get(), item)) {
    if (item.kind == StreamItem::Kind::Byte) {
      const std::uint8_t b = item.value;
      if (b == 12) {
        if (!in_head && !in_note) ++f.page_breaks;
        continue;
      }
      content();
      if (b == 13 && !in_head && !in_note) pending = true;
      if (b > ' ' && b < 0x7F) {
        f.visible.push_back({static_cast<char>(b), points, font_class});
        if (!in_head && !in_note && !f.body.empty()) f.body.back().text += static_cast<char>(b);
      }
      if (alnum(b)) {
        f.chars.push_back({static_cast<char>(b), points, font_class});
        if (in_head) f.running_heads.back() += static_cast<char>(b);

      }
      continue;
    }
    switch (item.value) {
      case TableChar:
      case Backslash:
        content();
        f.visible.push_back({'?', points, font_class});
        if (!in_head && !in_note && !f.body.empty()) f.body.back().text += '?';
        break;
      case FontSize: points = decode_font_size(item.op2); break;
      case Font: font_class = item.op2; break;
      case CenterOn: centre = 1; break;
      case CenterOff: centre = 0; break;
      case RightOn: right = 1; break;
      case RightOff: right = 0; break;
      case JustifyOn: justify = 1; break;
      case JustifyOff: justify = 0; break;
      case LeftMargin: left_margin = item.op2; break;
      case IndentHere: hanging = item.op2; break;
      case Indent2: first = item.op2; break;
      case IndentReset: hanging = first = 0; break;
      case SetTab: tabs[item.op2] = item.op1; break;
      case ClearTab: tabs[item.op2] = 0; break;
      case ClearAllTabs: std::fill(std::begin(tabs), std::end(tabs), 0); break;
      case NoteCall:
        content();
        in_note = true;
        break;
      case EndOfText:
        in_head = in_note = false;
        break;
      default:
        if (is_header_code(item.value) || is_footer_code(item.value)) {
          in_head = true;
          f.running_heads.emplace_back();
          f.running_head_is_footer.push_back(is_footer_code(item.value));
        }
        break;
    }
  }
  return f;
}

bool near(double a, double b) { return a - b < 0.011 && b - a < 0.011; }

struct Totals {
  long chars = 0, sized = 0, paragraphs = 0, paragraphs_right = 0, breaks = 0, breaks_shown = 0, heads = 0,
       heads_shown = 0;
};

void compare(const std::string& name, const StreamFacts& s, const testing::FodtDocument& d, Totals& t) {
  std::vector<testing::FodtChar> shown;
  for (const auto& c : d.chars)
    if (c.text.size() == 1 && alnum(static_cast<unsigned char>(c.text[0]))) shown.push_back(c);
  long sized = 0;
  const bool same_text = shown.size() == s.chars.size();
  for (std::size_t i = 0; same_text && i < shown.size(); ++i) {
    if (shown[i].text[0] != s.chars[i].c) {
      std::printf("%s: text differs at letter %zu\n", name.c_str(), i);
      break;
    }
    if (shown[i].points == s.chars[i].points) ++sized;
  }
  if (!same_text) std::printf("%s: %zu letters shown, %zu in the stream\n", name.c_str(), shown.size(), s.chars.size());

  std::vector<const testing::FodtParagraph*> body;
  int breaks = 0;
  std::vector<std::string> heads;
  for (const auto& p : d.paragraphs) {
    if (p.where == "body") body.push_back(&p);
    if (p.where == "body" && p.page_break_before) ++breaks;
    if (p.where != "body" && p.where != "note") {
      std::string letters;
      for (const auto& c : p.chars)
        if (c.text.size() == 1 && alnum(static_cast<unsigned char>(c.text[0]))) letters += c.text;
      if (!letters.empty()) heads.push_back(letters);
    }
  }
  long right = 0;
  const std::size_t paragraphs = std::min(body.size(), s.body.size());
  for (std::size_t i = 0; i < paragraphs; ++i) {
    const auto& a = *body[i];
    const auto& b = s.body[i];
    bool same = a.align == b.align && near(a.margin_left, b.margin_left) && near(a.text_indent, b.text_indent) &&
                a.tabs.size() == b.tabs.size();
    for (std::size_t k = 0; same && k < a.tabs.size(); ++k) same = near(a.tabs[k], b.tabs[k]);
    right += same;
  }
  long heads_shown = 0;
  long stream_heads = 0;
  for (const auto& h : s.running_heads) {
    if (h.empty()) continue;  // an empty header or footer shows nothing
    ++stream_heads;
    for (const auto& shown_head : heads)
      if (shown_head == h) {
        ++heads_shown;
        break;
      }
  }
  std::printf("%-48s size %6ld/%-6zu paragraphs %4ld/%-4zu breaks %2d/%-2d heads %ld/%ld\n", name.c_str(), sized,
              s.chars.size(), right, s.body.size(), breaks, s.page_breaks, heads_shown, stream_heads);
  t.chars += static_cast<long>(s.chars.size());
  t.sized += sized;
  t.paragraphs += static_cast<long>(s.body.size());
  t.paragraphs_right += right;
  t.breaks += s.page_breaks;
  t.breaks_shown += std::min(breaks, s.page_breaks);
  t.heads += stream_heads;
  t.heads_shown += heads_shown;
}

std::string stream_class(int font_class) {
  switch (font_class) {
    case FontSerif: return "serif";
    case FontSans: return "sans";
    case FontOther: return "other";
    case FontFixed: return "mono";
    default: return "symbol";
  }
}

std::string shown_class(const std::string& font) {
  // A Word for DOS document names no fonts: LibreOffice shows its font
  // numbers' family names. "modern a" is Courier, the other modern faces the
  // sans serif ones; the roman faces are serif.
  if (font == "modern a") return "mono";
  if (font.starts_with("modern ")) return "sans";
  if (font.starts_with("roman ")) return "serif";
  if (font.find("Courier") != std::string::npos || font.find("Mono") != std::string::npos) return "mono";
  if (font.find("Arial") != std::string::npos || font.find("Helvetica") != std::string::npos ||
      font.find("Sans") != std::string::npos)
    return "sans";
  if (font.find("Times") != std::string::npos || font.find("Serif") != std::string::npos) return "serif";
  return font.empty() ? "serif" : "symbol";  // LibreOffice's default font is a serif one
}

std::string plain_alignment(const std::string& align) {
  if (align == "center" || align == "justify") return align;
  if (align == "end" || align == "right") return "right";
  return {};
}

tools::ObservedFormatting observe_stream(const StreamFacts& s) {
  tools::ObservedFormatting o;
  for (const StreamChar& c : s.visible) o.chars.push_back({c.points, stream_class(c.font_class)});
  for (const StreamParagraph& p : s.body) o.paragraphs.push_back({p.text, plain_alignment(p.align), p.margin_left, p.text_indent});
  o.page_breaks = s.page_breaks;
  for (std::size_t i = 0; i < s.running_heads.size(); ++i)
    o.heads.push_back({s.running_head_is_footer[i], s.running_heads[i]});
  return o;
}

tools::ObservedFormatting observe_shown(const testing::FodtDocument& d) {
  tools::ObservedFormatting o;
  for (const auto& c : d.chars)
    if (c.text.find_first_not_of(" \t\n\r") != std::string::npos && c.text != "\xC2\xA0")
      o.chars.push_back({static_cast<int>(c.points + 0.5), shown_class(c.font)});
  std::map<std::string, std::string> heads;  // page style part: its text
  for (const auto& p : d.paragraphs) {
    if (p.where == "body") {
      o.paragraphs.push_back({p.text(), plain_alignment(p.align), p.margin_left, p.text_indent});
      if (p.page_break_before) ++o.page_breaks;
    } else if (p.where != "note") {
      heads[p.where] += p.text();
    }
  }
  for (const auto& [where, text] : heads) o.heads.push_back({where.rfind("footer", 0) == 0, text});
  return o;
}

void print_agreement(const std::string& label, const tools::ExpectedFormatting& e, const tools::Agreement& a) {
  std::printf("  %-9s size %5.1f%%  font class %5.1f%%  alignment %5.1f%%  indents %5.1f%%%s  page breaks %d/%d  "
              "headers/footers %d/%zu\n",
              label.c_str(), 100 * a.sizes, 100 * a.font_classes, 100 * a.alignment, 100 * a.indents,
              e.has_indent_example ? (a.indent_example ? " (example right)" : " (example WRONG)") : "", a.page_breaks,
              e.page_breaks, a.heads_found, e.heads.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::string converter;
  std::string target_alias = "rtf-ansi";
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--convert" && i + 1 < argc)
      converter = fs::absolute(argv[++i]).string();
    else if (arg == "--target" && i + 1 < argc)
      target_alias = argv[++i];
    else
      files.push_back(fs::absolute(arg));
  }
  const int target_row = find_target_format(target_alias);
  if (files.empty() || target_row < 0 || !target_formats.rows[target_row].writer) {
    std::fprintf(stderr, "usage: rtf_page_check [--target ALIAS] [--convert CONVERTER] FILE...\n");
    return 2;
  }
  std::string extension = target_formats.rows[target_row].extension;
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (!testing::libreoffice_available()) {
    std::fprintf(stderr, "rtf_page_check: LibreOffice (soffice) is not installed\n");
    return 2;
  }
  const fs::path work = fs::temp_directory_path() / ("rtf_page_check." + std::to_string(::getpid()));
  fs::create_directories(work);
  std::vector<fs::path> rtfs;
  std::vector<std::string> names;
  std::vector<StreamFacts> facts;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string format = files[i].parent_path().filename().string();
    const std::string name = format + "/" + files[i].filename().string();
    const int row = find_source_format(format);
    if (row < 0 || !source_row_available(row)) {
      std::fprintf(stderr, "%s: no reader for the folder name\n", name.c_str());
      continue;
    }
    const fs::path stream = work / ("s" + std::to_string(i));
    const fs::path rtf = work / ("d" + std::to_string(i) + "." + extension);
    if (source_formats.rows[row].reader(files[i].c_str(), stream.c_str()) != 0) {
      std::fprintf(stderr, "%s: the reader refused it\n", name.c_str());
      continue;
    }
    if (converter.empty()) {
      if (target_formats.rows[target_row].writer(stream.c_str(), rtf.c_str()) != 0) continue;
    } else {
      const fs::path copy = work / ("d" + std::to_string(i));
      fs::copy_file(files[i], copy, fs::copy_options::overwrite_existing);
      const std::string command = "cd '" + work.string() + "' && '" + converter + "' -f " + format +
                                  " -t " + target_alias + " '" + copy.filename().string() + "' >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0 || !fs::exists(rtf)) {
        std::fprintf(stderr, "%s: the converter failed\n", name.c_str());
        continue;
      }
    }
    rtfs.push_back(rtf);
    names.push_back(name);
    facts.push_back(stream_facts(stream.string()));
  }
  testing::libreoffice_convert(rtfs, "fodt", work);
  Totals t;
  for (std::size_t i = 0; i < rtfs.size(); ++i) {
    testing::FodtDocument doc;
    fs::path fodt = rtfs[i];
    fodt.replace_extension(".fodt");
    if (!testing::read_fodt(fodt, doc)) {
      std::printf("%s: LibreOffice did not read the %s output\n", names[i].c_str(), target_alias.c_str());
      continue;
    }
    compare(names[i], facts[i], doc, t);
  }
  // Against what the independent reading of the originals shows.
  std::map<std::string, tools::ExpectedFormatting> expected;
  if (!files.empty()) expected = tools::read_expected_formatting(files[0].parent_path().parent_path() / "FORMATTING.md");
  if (!expected.empty())
    std::printf("\nagainst FORMATTING.md (stream, and LibreOffice's reading of the %s output):\n", target_alias.c_str());
  // The target's agreement over all listed documents: the mean of each share,
  // and the page breaks and running heads found against those listed.
  double sum_sizes = 0, sum_classes = 0, sum_alignment = 0, sum_indents = 0;
  int listed = 0, breaks_found = 0, breaks_listed = 0, heads_found = 0, heads_listed = 0;
  for (std::size_t i = 0; i < rtfs.size() && !expected.empty(); ++i) {
    const auto row = expected.find(names[i]);
    if (row == expected.end()) continue;
    testing::FodtDocument doc;
    fs::path fodt = rtfs[i];
    fodt.replace_extension(".fodt");
    std::printf("%s\n", names[i].c_str());
    print_agreement("stream", row->second, tools::compare_formatting(row->second, observe_stream(facts[i])));
    if (!testing::read_fodt(fodt, doc)) continue;
    const tools::Agreement a = tools::compare_formatting(row->second, observe_shown(doc));
    print_agreement(target_alias, row->second, a);
    ++listed;
    sum_sizes += a.sizes;
    sum_classes += a.font_classes;
    sum_alignment += a.alignment;
    sum_indents += a.indents;
    breaks_found += std::min(a.page_breaks, row->second.page_breaks);
    breaks_listed += row->second.page_breaks;
    heads_found += a.heads_found;
    heads_listed += static_cast<int>(row->second.heads.size());
  }
  if (listed > 0)
    std::printf("%s over %d documents: size %.3f  font class %.3f  alignment %.3f  indents %.3f  page breaks %d/%d  "
                "headers/footers %d/%d\n",
                target_alias.c_str(), listed, sum_sizes / listed, sum_classes / listed, sum_alignment / listed,
                sum_indents / listed, breaks_found, breaks_listed, heads_found, heads_listed);
  std::printf("total: %ld of %ld letters and digits at the stream's size; %ld of %ld paragraphs with the stream's "
              "alignment, indents and tab stops; %ld of %ld page breaks; %ld of %ld running heads\n",
              t.sized, t.chars, t.paragraphs_right, t.paragraphs, t.breaks_shown, t.breaks, t.heads_shown, t.heads);
  fs::remove_all(work);
  return 0;
}
