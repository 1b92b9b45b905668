// The formatting of the real ClarisWorks documents as the stream carries it,
// against what the documents show when laid out by their own program: the
// paragraphs not left-aligned, the indented paragraphs, page breaks, headers
// and font classes; and a ClarisWorks 4 manual's rulers, paragraph by
// paragraph, against the RTF that ClarisWorks itself wrote of it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "core/stream_reader.h"
#include "readers/clarisworks.h"
#include "support/file_handle.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;

struct Facts {
  int centred = 0, justified = 0, right = 0, indented = 0;  // body paragraphs with text
  int page_breaks = 0;
  std::string heads;                // letters of the headers and footers
  std::map<int, long> font_classes; // visible characters of the body per class
  long characters = 0;
};

Facts facts_of(const fs::path& source) {
  testing::ScratchDir dir;
  EXPECT_EQ(orig_clarisworks(source.string().c_str(), dir.file("stream").c_str()), 0) << source;
  FilePtr in = open_file(dir.file("stream").c_str(), "rb");
  Facts f;
  if (!in) return f;
  int align = 0, margin = 0, hang = 0, first = 0, font = 0;
  bool head = false, note = false, counted = false;
  auto visible = [&] {
    if (head || note) return;
    ++f.characters;
    ++f.font_classes[font];
    if (counted) return;
    counted = true;
    if (align == CenterOn) ++f.centred;
    if (align == JustifyOn) ++f.justified;
    if (align == RightOn) ++f.right;
    if (margin + hang != 0 || hang != 0 || first != 0) ++f.indented;
  };
  StreamItem item;
  while (read_stream_item(in.get(), item)) {
    if (item.kind == StreamItem::Kind::Byte) {
      if (item.value == 12 && !head && !note) ++f.page_breaks;
      if (item.value == 13 && !head && !note) counted = false;
      if (item.value > 32) {
        if (head) f.heads += static_cast<char>(item.value);
        visible();
      }
      continue;
    }
    switch (item.value) {
      case TableChar: visible(); break;
      case Font: font = item.op2; break;
      case CenterOn: case JustifyOn: case RightOn: align = item.value; break;
      case CenterOff: case JustifyOff: case RightOff: align = 0; break;
      case LeftMargin: margin = item.op2; break;
      case IndentHere: hang = item.op2; break;
      case Indent2: first = item.op2; break;
      case IndentReset: hang = first = 0; break;
      case NoteCall: note = true; break;
      case EndOfText: head = note = false; break;
      case HeaderAll: case FooterAll: head = true; break;
      default: break;
    }
  }
  return f;
}

TEST(ClarisWorksCorpus, FormattingOfTheDocumentsKept) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty() || !fs::is_directory(corpus / "clarisworks")) GTEST_SKIP() << "no corpus";
  const fs::path dir = corpus / "clarisworks";
  // As the documents show them: centred, justified, indented paragraphs, page
  // breaks, header text.
  const struct {
    const char* name;
    int centred, justified, indented, page_breaks;
    const char* heads;
  } documents[] = {
      {"gnuplot_readme_cw2", 2, 25, 6, 0, ""},
      {"arashi_source_release_cw1", 4, 0, 3, 0, ""},
      {"outofphase_appendices_cw2", 3, 0, 222, 2, "PageA"},
      {"brownfox_aw629", 0, 0, 0, 0, ""},
      {"brownfox_indent_aw629", 0, 0, 1, 0, ""},  // a first line indent of 0.58 in
  };
  for (const auto& d : documents) {
    const Facts f = facts_of(dir / d.name);
    EXPECT_EQ(f.centred, d.centred) << d.name;
    EXPECT_EQ(f.justified, d.justified) << d.name;
    EXPECT_EQ(f.indented, d.indented) << d.name;
    EXPECT_EQ(f.page_breaks, d.page_breaks) << d.name;
    EXPECT_EQ(f.heads, d.heads) << d.name;
  }
  // Font classes from the font lists of versions 4 to 6: sans serif
  // throughout, or sans serif with one word in a serif face.
  for (const char* name : {"brownfox_aw503", "brownfox_cw5win", "joshenders_style_bold", "lorem_aw629"}) {
    const Facts f = facts_of(dir / name);
    EXPECT_EQ(f.font_classes.at(FontSans), f.characters) << name;
  }
  for (const char* name : {"brownfoxstyle_cw4fmt", "brownfoxstyle_aw503", "brownfoxstyle_aw629"}) {
    Facts f = facts_of(dir / name);
    EXPECT_GT(f.font_classes[FontSans], f.characters * 8 / 10) << name;
    EXPECT_EQ(f.font_classes[FontSans] + f.font_classes[FontSerif], f.characters) << name;
  }
}

// A paragraph's format in tenths of an inch (stream columns), and its
// letters and digits, by which paragraphs are matched.
struct ParagraphFormat {
  std::string key;
  int align = 0;  // 0 left, else CenterOn, RightOn or JustifyOn
  double left = 0, first = 0;
  std::vector<std::pair<double, int>> tabs;  // position, TabKind; in order
};

bool alnum(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The body paragraphs of the stream.
std::vector<ParagraphFormat> stream_paragraphs(const fs::path& source) {
  testing::ScratchDir dir;
  std::vector<ParagraphFormat> out;
  if (orig_clarisworks(source.string().c_str(), dir.file("stream").c_str()) != 0) return out;
  FilePtr in = open_file(dir.file("stream").c_str(), "rb");
  int align = 0, margin = 0, hang = 0, first = 0, tabs[256] = {};
  bool embedded = false;
  ParagraphFormat p;
  auto end_paragraph = [&] {
    p.align = align;
    p.left = margin + hang;
    p.first = first - hang;
    for (int c = 0; c < 256; ++c)
      if (tabs[c] != 0) p.tabs.emplace_back(margin + c, tabs[c]);
    out.push_back(p);
    p = {};
  };
  StreamItem item;
  while (in && read_stream_item(in.get(), item)) {
    if (item.kind == StreamItem::Kind::Byte) {
      if (embedded) continue;
      if (item.value == 13) end_paragraph();
      else if (alnum(static_cast<char>(item.value))) p.key += static_cast<char>(item.value);
      continue;
    }
    switch (item.value) {
      case CenterOn: case JustifyOn: case RightOn: align = item.value; break;
      case CenterOff: case JustifyOff: case RightOff: align = 0; break;
      case LeftMargin: margin = item.op2; break;
      case IndentHere: hang = item.op2; break;
      case Indent2: first = item.op2; break;
      case IndentReset: hang = first = 0; break;
      case SetTab: tabs[item.op2] = item.op1; break;
      case ClearTab: tabs[item.op2] = 0; break;
      case ClearAllTabs: std::fill(std::begin(tabs), std::end(tabs), 0); break;
      case NoteCall: case HeaderAll: case FooterAll: embedded = true; break;
      case EndOfText: embedded = false; break;
      default: break;
    }
  }
  end_paragraph();
  return out;
}

// The paragraphs of an RTF file as ClarisWorks writes it: each "\pard" names
// every property of the paragraphs up to the next; the font, colour and style
// tables, pictures and other destinations hold no text.
std::vector<ParagraphFormat> rtf_paragraphs(const std::string& rtf) {
  std::vector<ParagraphFormat> out;
  ParagraphFormat p;
  int pending_kind = TabLeft;
  std::vector<int> skip_depth;  // group depths of destinations being skipped
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    const char c = rtf[i];
    if (c == '{') {
      ++depth;
      continue;
    }
    if (c == '}') {
      if (!skip_depth.empty() && skip_depth.back() == depth) skip_depth.pop_back();
      --depth;
      continue;
    }
    if (c != '\\') {
      if (skip_depth.empty() && alnum(c)) p.key += c;
      continue;
    }
    std::size_t j = i + 1;
    while (j < rtf.size() && ((rtf[j] >= 'a' && rtf[j] <= 'z'))) ++j;
    const std::string word = rtf.substr(i + 1, j - i - 1);
    std::size_t k = j;
    if (k < rtf.size() && (rtf[k] == '-' || (rtf[k] >= '0' && rtf[k] <= '9'))) ++k;
    while (k < rtf.size() && rtf[k] >= '0' && rtf[k] <= '9') ++k;
    const int value = std::atoi(rtf.substr(j, k - j).c_str());
    if (word.empty()) {  // a control symbol; \'xx is no letter of ours
      i = j < rtf.size() && rtf[j] == '\'' ? j + 2 : j;
      continue;
    }
    if (k < rtf.size() && rtf[k] == ' ') ++k;
    i = k - 1;
    if (!skip_depth.empty()) continue;
    if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info" || word == "pict")
      skip_depth.push_back(depth);
    else if (word == "pard") p.align = 0, p.left = p.first = 0, p.tabs.clear();
    else if (word == "qc") p.align = CenterOn;
    else if (word == "qr") p.align = RightOn;
    else if (word == "qj") p.align = JustifyOn;
    else if (word == "li") p.left = value / 144.0;
    else if (word == "fi") p.first = value / 144.0;
    else if (word == "tqc") pending_kind = TabCentre;
    else if (word == "tqr") pending_kind = TabRight;
    else if (word == "tqdec") pending_kind = TabDecimal;
    else if (word == "tx") p.tabs.emplace_back(value / 144.0, pending_kind), pending_kind = TabLeft;
    else if (word == "par") {
      out.push_back(p);
      p.key.clear();
    }
  }
  return out;
}

TEST(ClarisWorksCorpus, VersionFourRulersAsClarisWorksExportsThem) {
  const fs::path corpus = testing::corpus_dir();
  const fs::path source = corpus / "clarisworks" / "avara_level_design_manual";
  const fs::path rtf = corpus / "companion-rtf" / "avara_level_design_manual.rtf";
  if (corpus.empty() || !fs::exists(source) || !fs::exists(rtf)) GTEST_SKIP() << "no corpus";
  const std::vector<ParagraphFormat> ours = stream_paragraphs(source);
  const std::vector<ParagraphFormat> theirs = rtf_paragraphs(testing::read_file(rtf.string()));
  // Paragraphs matched in order by their letters and digits; positions agree
  // within half a column.
  const auto near = [](double a, double b) { return std::abs(a - b) <= 0.5; };
  std::size_t next = 0, with_text = 0, matched = 0, align = 0, left = 0, first = 0, tabs = 0, centred = 0, hanging = 0;
  for (const ParagraphFormat& t : theirs) {
    if (t.key.empty()) continue;
    ++with_text;
    std::size_t hit = next;
    while (hit < ours.size() && hit < next + 64 && ours[hit].key != t.key) ++hit;
    if (hit == ours.size() || hit == next + 64) continue;
    next = hit + 1;
    const ParagraphFormat& o = ours[hit];
    ++matched;
    align += o.align == t.align;
    left += near(o.left, t.left);
    first += near(o.first, t.first);
    tabs += o.tabs.size() == t.tabs.size() &&
            std::equal(o.tabs.begin(), o.tabs.end(), t.tabs.begin(), [&](const auto& a, const auto& b) {
              return near(a.first, b.first) && a.second == b.second;
            });
    hanging += t.first < 0;
  }
  for (const ParagraphFormat& o : ours) centred += o.align == CenterOn;
  EXPECT_EQ(with_text, 1033u);
  EXPECT_EQ(matched, with_text);
  EXPECT_EQ(align, matched);
  EXPECT_EQ(left, matched);
  EXPECT_EQ(first, matched);
  EXPECT_EQ(tabs, matched);
  EXPECT_EQ(hanging, 390u);
  // Its four centred paragraphs hold pictures only.
  EXPECT_EQ(centred, 4u);
}

}  // namespace
}  // namespace lettrix
