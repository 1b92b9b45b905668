// The formatting of the real ClarisWorks documents as the stream carries it,
// against what the documents show when laid out by their own program: the
// paragraphs not left-aligned, the indented paragraphs, page breaks, headers
// and font classes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

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

}  // namespace
}  // namespace lettrix
