// LibreOffice and pandoc as the judges of the OpenDocument writer. One
// formatted stream is written as RTF and as OpenDocument Text, both are
// imported by LibreOffice headless into flat ODF and read back: every
// paragraph and every character shows the same in both (sizes, fonts,
// attributes, alignment, indents, tab stops, breaks, heads, notes). pandoc
// reads every word of the package in order, for the stream and for the
// corpus documents.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "test_util.h"
#include "writers/fodt_reader.h"
#include "writers/odt.h"
#include "writers/rtf.h"
#include "writers/utf8_text.h"

namespace lettrix {
namespace {

using testing::stream_of;

const char* const kFormatted =
    "{HeaderOdd 0,0}Odd head{EndOfText}{HeaderEven 0,0}Even head{EndOfText}{FooterAll 0,0}{SetTab 3,30}Left{0x09}Right"
    "{EndOfText}{ClearTab 3,30}{FontSize 246,244}{Font 0,1}Serif {Font 1,2}sans {Font 2,5}mono {Font 5,1}"
    "{BoldOn}bold{BoldOff} {ItalicOn}italic{ItalicOff} {UnderlineOn}under{UnderlineOff} {SuperscriptOn}up"
    "{SuperscriptOff} {StrikeOn}struck{StrikeOff} {TextColour 0,6}red{TextColour 6,0}¶"
    "{CenterOn}Centred¶{CenterOff}{LeftMargin 0,10}{IndentHere 0,5}Hanging indent¶{IndentReset 5,0}"
    "{Indent2 0,3}{RightMargin 79,59}Second indent¶{IndentReset 0,3}{RightMargin 59,79}{LeftMargin 10,0}"
    "{SetTab 1,20}{SetTab 2,30}{SetTab 4,45}a{0x09}b{0x09}c{0x09}1.5¶{JustifyOn}{LineSpacing 8,16}Justified double¶"
    "{JustifyOff}{LineSpacing 16,8}{0x0C}{FontSize 244,238}Big{FontSize 238,244}{NoteCall 0,1}Note text{EndOfText}"
    " after{LF}second line¶{RightOn}Right¶";

std::vector<std::string> words_of(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// How many of `wanted`, in their order, `seen` holds in the same order.
std::size_t words_in_order(const std::vector<std::string>& wanted, const std::vector<std::string>& seen) {
  std::size_t found = 0, at = 0;
  for (const std::string& w : wanted) {
    std::size_t k = at;
    while (k < seen.size() && k < at + 40 && seen[k] != w) ++k;
    if (k < seen.size() && seen[k] == w) {
      ++found;
      at = k + 1;
    }
  }
  return found;
}

TEST(OdtInLibreOffice, TheSameAsTheRtfOfTheStream) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), stream_of(kFormatted));
  testing::write_file(dir.file("blank"), "");
  ASSERT_EQ(dest_rtf_ansi(dir.file("s").c_str(), dir.file("r.rtf").c_str()), 0);
  ASSERT_EQ(dest_odt(dir.file("s").c_str(), dir.file("o.odt").c_str()), 0);
  ASSERT_EQ(dest_odt(dir.file("blank").c_str(), dir.file("blank.odt").c_str()), 0);
  ASSERT_TRUE(testing::libreoffice_convert({dir.file("r.rtf"), dir.file("o.odt"), dir.file("blank.odt")}, "fodt",
                                           dir.path()));
  testing::FodtDocument rtf, odt, blank;
  ASSERT_TRUE(testing::read_fodt(dir.path() / "r.fodt", rtf));
  ASSERT_TRUE(testing::read_fodt(dir.path() / "o.fodt", odt));
  ASSERT_TRUE(testing::read_fodt(dir.path() / "blank.fodt", blank)) << "the blank document was rejected";
  EXPECT_TRUE(blank.chars.empty());

  std::vector<std::string> parts;
  for (const auto& p : odt.paragraphs) parts.push_back(p.where + ":" + p.text());
  EXPECT_EQ(parts, (std::vector<std::string>{
                       "header:Odd head", "header-left:Even head", "footer:Left\tRight",
                       "body:Serif sans mono bold italic under up struck red", "body:Centred", "body:Hanging indent",
                       "body:Second indent", "body:a\tb\tc\t1.5", "body:Justified double", "body:Big after\nsecond line",
                       "note:Note text", "body:Right"}));
  // Two differences, where the package is the more faithful: RTF's footer
  // for every page shows on right-hand pages only once left-hand ones have
  // a header of their own (an empty "footer-left" here), and the RTF writer
  // writes a line break as a space.
  std::erase_if(rtf.paragraphs, [](const auto& p) { return p.where == "footer-left" && p.text().empty(); });
  for (auto& p : odt.paragraphs)
    for (auto& c : p.chars)
      if (c.text == "\n") c.text = " ";
  ASSERT_EQ(odt.paragraphs.size(), rtf.paragraphs.size());
  EXPECT_EQ(odt.notes, 1);
  for (std::size_t i = 0; i < odt.paragraphs.size(); ++i) {
    const testing::FodtParagraph& o = odt.paragraphs[i];
    const testing::FodtParagraph& r = rtf.paragraphs[i];
    SCOPED_TRACE(o.where + ":" + o.text());
    EXPECT_EQ(o.where + ":" + o.text(), r.where + ":" + r.text());
    EXPECT_EQ(o.align, r.align);
    EXPECT_NEAR(o.margin_left, r.margin_left, 0.005);
    EXPECT_NEAR(o.margin_right, r.margin_right, 0.005);
    EXPECT_NEAR(o.text_indent, r.text_indent, 0.005);
    EXPECT_EQ(o.line_height, r.line_height);
    EXPECT_EQ(o.page_break_before, r.page_break_before);
    ASSERT_EQ(o.tabs.size(), r.tabs.size());
    for (std::size_t k = 0; k < o.tabs.size(); ++k) EXPECT_NEAR(o.tabs[k], r.tabs[k], 0.005);
    EXPECT_EQ(o.tab_kinds, r.tab_kinds);
    ASSERT_EQ(o.chars.size(), r.chars.size());
    for (std::size_t k = 0; k < o.chars.size(); ++k) {
      const testing::FodtChar& a = o.chars[k];
      const testing::FodtChar& b = r.chars[k];
      SCOPED_TRACE("'" + a.text + "' " + std::to_string(k));
      EXPECT_EQ(a.points, b.points);
      EXPECT_EQ(a.bold, b.bold);
      EXPECT_EQ(a.italic, b.italic);
      EXPECT_EQ(a.underline, b.underline);
      EXPECT_EQ(a.raised, b.raised);
      if (a.text != " ") {
        EXPECT_EQ(a.font, b.font);
      }
    }
  }
}

TEST(OdtInPandoc, EveryWordInOrder) {
  if (std::system("command -v pandoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "pandoc is not installed";
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), stream_of(kFormatted));
  ASSERT_EQ(dest_odt(dir.file("s").c_str(), dir.file("o.odt").c_str()), 0);
  const auto plain = testing::command_output("pandoc -f odt -t plain --wrap=none '" + dir.file("o.odt") + "'");
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(words_of(*plain),
            words_of("Serif sans mono bold italic under ^(up) ~~struck~~ red Centred Hanging indent Second indent a b c 1.5 "
                     "Justified double Big[1] after second line Right [1] Note text"));

  // The corpus: the words of each document's Unicode text, in order, in
  // what pandoc reads of its package (which leaves the running heads out:
  // their words are passed over).
  std::size_t wanted = 0, found = 0;
  const int documents = testing::for_each_corpus_document(
      {{"mac-text", SrcMacText}, {"macwrite-2.2", SrcMacWrite22}, {"macwrite-4.6", SrcMacWrite46},
       {"clarisworks", SrcClarisWorks}, {"ragtime-3", SrcRagtime3}},
      {}, [&](int row, const std::filesystem::path& path) {
        SCOPED_TRACE(path.string());
        if (source_formats.rows[row].reader(path.c_str(), dir.file("c").c_str()) != 0) return;
        ASSERT_EQ(dest_odt(dir.file("c").c_str(), dir.file("c.odt").c_str()), 0);
        ASSERT_EQ(dest_utf8_text(dir.file("c").c_str(), dir.file("c.txt").c_str()), 0);
        const auto read = testing::command_output("pandoc -f odt -t plain --wrap=none '" + dir.file("c.odt") + "'");
        ASSERT_TRUE(read.has_value());
        const auto want = words_of(testing::read_file(dir.file("c.txt")));
        wanted += want.size();
        found += words_in_order(want, words_of(*read));
      });
  if (documents == 0) GTEST_SKIP() << "no corpus";
  std::printf("pandoc reads %zu of %zu words in order (%.1f%%) of %d corpus documents\n", found, wanted,
              wanted ? 100.0 * static_cast<double>(found) / static_cast<double>(wanted) : 100.0, documents);
  EXPECT_GE(static_cast<double>(found), 0.97 * static_cast<double>(wanted));
}

}  // namespace
}  // namespace lettrix
