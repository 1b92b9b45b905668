// Independent readers of the Word (DOCX) writer's packages: LibreOffice
// imports a formatted stream written as DOCX and as RTF, and shows both the
// same; pandoc reads every word in order (each skipped when absent).
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "core/stream_codes.h"
#include "test_util.h"
#include "writers/docx.h"
#include "writers/fodt_reader.h"
#include "writers/rtf.h"

namespace lettrix {
namespace {

using testing::bytes;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

// Sizes, font classes, attributes, alignment, indents, tab stops, spacing,
// breaks, running heads for odd and even pages, and notes.
const std::string kFormatted =
    code(HeaderOdd, 0, 0) + "Odd head" + code(EndOfText) + code(HeaderEven, 0, 0) + "Even head" + code(EndOfText) +
    code(FooterAll, 0, 0) + code(SetTab, TabRight, 30) + "Left\tRight" + code(EndOfText) +
    code(ClearTab, TabRight, 30) + code(FontSize, 246, 244) + "Twelve " + code(BoldOn) + "bold" + code(BoldOff) +
    " " + code(ItalicOn) + "italic" + code(ItalicOff) + " " + code(UnderlineOn) + "under" + code(UnderlineOff) +
    " x" + code(SuperscriptOn) + "2" + code(SuperscriptOff) + "\r" + code(Font, 0, FontSerif) + "Serif " +
    code(Font, FontSerif, FontSans) + "sans " + code(Font, FontSans, FontFixed) + "mono\r" +
    code(Font, FontFixed, FontSerif) + code(CenterOn) + "Centred\r" + code(CenterOff) + code(LeftMargin, 0, 10) +
    code(IndentHere, 0, 5) + "Hanging\r" + code(IndentReset, 5, 0) + code(Indent2, 0, 3) + "Second\r" +
    code(IndentReset, 0, 3) + code(RightMargin, 79, 59) + "Narrow\r" + code(RightMargin, 59, 79) +
    code(LeftMargin, 10, 0) + code(SetTab, TabLeft, 20) + code(SetTab, TabCentre, 30) + code(SetTab, TabRight, 40) +
    code(SetTab, TabDecimal, 50) + "a\tb\tc\td\te\r" + "Kept\r" + code(ClearAllTabs) + code(JustifyOn) +
    code(LineSpacing, 8, 16) + "Justified\r" + code(JustifyOff) + code(LineSpacing, 16, 8) + "one\ntwo\r" + "\f" +
    code(FontSize, 244, 238) + "Big" + code(FontSize, 238, 244) + code(NoteCall, 0, 1) + "Note" + code(EndOfText) +
    " after\r" + code(RightOn) + "Right\r";

std::string shown(const testing::FodtParagraph& p) {
  std::string s = p.where + ":" + p.text() + " align=" + p.align + " left=" + std::to_string(p.margin_left) +
                  " right=" + std::to_string(p.margin_right) + " first=" + std::to_string(p.text_indent) +
                  " height=" + p.line_height + (p.page_break_before ? " page" : "") + " tabs=";
  for (std::size_t i = 0; i < p.tabs.size(); ++i) s += std::to_string(p.tabs[i]) + "/" + p.tab_kinds[i] + ",";
  for (const auto& c : p.chars)
    if (c.text != " ")
      s += "\n  " + c.text + " " + std::to_string(c.points) + (c.bold ? " b" : "") + (c.italic ? " i" : "") +
           (c.underline ? " u" : "") + (c.raised ? " sup" : "") + " " + c.font;
  return s;
}

TEST(DocxInLibreOffice, ShowsWhatItShowsForTheRtfOfTheSameStream) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), kFormatted);
  ASSERT_EQ(dest_docx(dir.file("s").c_str(), dir.file("d.docx").c_str()), 0);
  ASSERT_EQ(dest_rtf_ansi(dir.file("s").c_str(), dir.file("r.rtf").c_str()), 0);
  testing::write_file(dir.file("blank"), "");
  ASSERT_EQ(dest_docx(dir.file("blank").c_str(), dir.file("blank.docx").c_str()), 0);
  ASSERT_TRUE(testing::libreoffice_convert({dir.file("d.docx"), dir.file("r.rtf"), dir.file("blank.docx")}, "fodt",
                                           dir.path()));
  testing::FodtDocument docx, rtf, blank;
  ASSERT_TRUE(testing::read_fodt(dir.path() / "d.fodt", docx)) << "LibreOffice did not read the package";
  ASSERT_TRUE(testing::read_fodt(dir.path() / "r.fodt", rtf));
  ASSERT_TRUE(testing::read_fodt(dir.path() / "blank.fodt", blank)) << "the blank document was rejected";
  EXPECT_TRUE(blank.chars.empty());
  // Paragraph by paragraph, with each character's size, attributes and font.
  std::vector<std::string> from_docx, from_rtf;
  for (const auto& p : docx.paragraphs)
    if (!p.text().empty()) from_docx.push_back(shown(p));
  for (const auto& p : rtf.paragraphs)
    if (!p.text().empty()) from_rtf.push_back(shown(p));
  // Two differences: the footer for every page shows on the even pages too
  // (RTF's reading leaves them without one), and a line break is one where
  // RTF has a space.
  ASSERT_GT(from_docx.size(), 3u);
  EXPECT_EQ(from_docx[3], "footer-left:" + from_docx[2].substr(std::string("footer:").size()));
  from_docx.erase(from_docx.begin() + 3);
  const std::string line_break = "one\ntwo", its_char = "\n  \n 12.000000 Times New Roman";
  for (std::string& p : from_docx) {
    if (!p.starts_with("body:" + line_break)) continue;
    ASSERT_NE(p.find(its_char), std::string::npos) << p;
    p.replace(p.find(its_char), its_char.size(), "").replace(5, line_break.size(), "one two");
  }
  EXPECT_EQ(from_docx, from_rtf);
  EXPECT_EQ(docx.notes, 1);
  EXPECT_EQ(rtf.notes, 1);
}

TEST(DocxInPandoc, EveryWordInOrder) {
  if (std::system("command -v pandoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "pandoc is not installed";
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), kFormatted);
  ASSERT_EQ(dest_docx(dir.file("s").c_str(), dir.file("d.docx").c_str()), 0);
  const std::optional<std::string> text =
      testing::command_output("pandoc -f docx -t plain --wrap=none '" + dir.file("d.docx") + "'");
  ASSERT_TRUE(text);
  // pandoc leaves running heads out and puts the note's text at the end.
  std::string words;
  for (const char c : *text) words += (c == '\n' || c == '\t') ? ' ' : c;
  std::string squeezed;
  for (const char c : words)
    if (c != ' ' || (!squeezed.empty() && squeezed.back() != ' ')) squeezed += c;
  EXPECT_NE(squeezed.find("Twelve bold italic under x\xC2\xB2 Serif sans mono Centred Hanging Second Narrow a b c d e "
                          "Kept Justified one two Big[1] after Right"),
            std::string::npos)
      << *text;
  EXPECT_NE(squeezed.find("[1] Note"), std::string::npos) << *text;
}

}  // namespace
}  // namespace lettrix
