// LibreOffice as the judge of the RTF writers: formatted streams are written
// as RTF, imported by LibreOffice headless into flat ODF and read back, and
// what the page shows is compared with what the stream asked for.
#include <gtest/gtest.h>

#include "core/stream_codes.h"
#include "test_util.h"
#include "writers/fodt_reader.h"
#include "writers/rtf.h"

namespace lettrix {
namespace {

using testing::bytes;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

// A header and a footer with a right-aligned stop, then body paragraphs
// that each exercise one property.
const std::string kFormatted =
    code(HeaderAll, 0, 0) + "Head" + code(EndOfText) + code(FooterAll, 0, 0) + code(SetTab, TabRight, 30) + "Left\tRight" + code(EndOfText) + code(ClearTab, TabRight, 30) +
    code(FontSize, 246, 244) + "Twelve " + code(BoldOn) + "bold" + code(BoldOff) + " plain\r" +
    code(CenterOn) + "Centred\r" + code(CenterOff) +
    code(LeftMargin, 0, 10) + code(IndentHere, 0, 5) + "Hanging\r" + code(IndentReset, 5, 0) + code(LeftMargin, 10, 0) +
    code(SetTab, TabLeft, 20) + code(SetTab, TabDecimal, 40) + "a\tb\tc\r" + code(ClearTab, TabLeft, 20) +
    code(ClearTab, TabDecimal, 40) +
    code(JustifyOn) + code(LineSpacing, 8, 16) + "Justified\r" + code(JustifyOff) + code(LineSpacing, 16, 8) +
    "\f" + code(FontSize, 244, 238) + "Big" + code(FontSize, 238, 244) + code(NoteCall, 0, 1) + "Note" + code(EndOfText) +
    " after\r" + code(RightOn) + "Right\r";

TEST(RtfInLibreOffice, ThePageShowsWhatTheStreamSays) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), kFormatted);
  ASSERT_EQ(dest_rtf_ansi(dir.file("s").c_str(), dir.file("formatted.rtf").c_str()), 0);
  testing::write_file(dir.file("blank"), "");
  ASSERT_EQ(dest_rtf_ansi(dir.file("blank").c_str(), dir.file("blank.rtf").c_str()), 0);
  testing::write_file(dir.file("facing"), code(HeaderOdd, 0, 0) + "Odd" + code(EndOfText) + code(HeaderEven, 0, 0) +
                                              "Even" + code(EndOfText) + code(FooterEven, 0, 0) + "e" +
                                              code(EndOfText) + "x");
  ASSERT_EQ(dest_rtf_ansi(dir.file("facing").c_str(), dir.file("facing.rtf").c_str()), 0);
  ASSERT_TRUE(testing::libreoffice_convert({dir.file("formatted.rtf"), dir.file("blank.rtf"), dir.file("facing.rtf")},
                                           "fodt", dir.path()));

  // Odd and even pages keep their own running heads.
  testing::FodtDocument facing;
  ASSERT_TRUE(testing::read_fodt(dir.path() / "facing.fodt", facing));
  std::vector<std::string> parts;
  for (const auto& p : facing.paragraphs) parts.push_back(p.where + ":" + p.text());
  EXPECT_EQ(parts, (std::vector<std::string>{"header:Odd", "header-left:Even", "footer:", "footer-left:e", "body:x"}));

  testing::FodtDocument blank;
  ASSERT_TRUE(testing::read_fodt(dir.path() / "blank.fodt", blank)) << "the blank document was rejected";
  EXPECT_TRUE(blank.chars.empty());

  testing::FodtDocument doc;
  ASSERT_TRUE(testing::read_fodt(dir.path() / "formatted.fodt", doc));
  std::vector<std::string> texts;
  for (const auto& p : doc.paragraphs) texts.push_back(p.where + ":" + p.text());
  ASSERT_EQ(texts, (std::vector<std::string>{"header:Head", "footer:Left\tRight", "body:Twelve bold plain",
                                             "body:Centred", "body:Hanging", "body:a\tb\tc", "body:Justified",
                                             "body:Big after", "note:Note", "body:Right"}));
  const auto& p = doc.paragraphs;
  // Running heads: 10 points, the footer's stop at 3 inches, right-aligned.
  for (int i : {0, 1})
    for (const auto& c : p[i].chars) EXPECT_EQ(c.points, 10) << p[i].text();
  EXPECT_EQ(p[1].tabs, std::vector<double>{3.0});
  EXPECT_EQ(p[1].tab_kinds, std::vector<std::string>{"right"});
  // Sizes: every character at the stream's size (18 points for "Big", 12 for
  // the rest of the body and the note), bold only where it was on, nothing raised.
  std::string big, bold;
  for (std::size_t i = 2; i < p.size(); ++i) {
    for (const auto& c : p[i].chars) {
      EXPECT_TRUE(c.points == 12 || c.points == 18) << p[i].text() << " '" << c.text << "' " << c.points;
      if (c.points == 18) big += c.text;
      if (c.bold) bold += c.text;
      EXPECT_FALSE(c.raised) << p[i].text();
    }
  }
  EXPECT_EQ(big, "Big");
  EXPECT_EQ(bold, "bold");
  // Paragraph properties, each paragraph its own.
  EXPECT_EQ(p[2].align, "");
  EXPECT_EQ(p[3].align, "center");
  EXPECT_NEAR(p[4].margin_left, 1.5, 0.005);
  EXPECT_NEAR(p[4].text_indent, -0.5, 0.005);
  EXPECT_NEAR(p[5].margin_left, 0, 0.005);
  EXPECT_EQ(p[5].tabs, (std::vector<double>{2.0, 4.0}));
  EXPECT_EQ(p[5].tab_kinds, (std::vector<std::string>{"left", "char"}));
  EXPECT_EQ(p[6].align, "justify");
  EXPECT_EQ(p[6].line_height, "200%");
  EXPECT_TRUE(p[6].tabs.empty());
  EXPECT_TRUE(p[7].page_break_before);
  EXPECT_EQ(p[7].align, "");
  EXPECT_EQ(p[7].line_height, "");
  EXPECT_EQ(doc.notes, 1);
  EXPECT_EQ(p[9].align, "end");
  for (int i = 0; i < static_cast<int>(p.size()); ++i) {
    if (i != 7) {
      EXPECT_FALSE(p[i].page_break_before) << p[i].text();
    }
  }
}

}  // namespace
}  // namespace lettrix
