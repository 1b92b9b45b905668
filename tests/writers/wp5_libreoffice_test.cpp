// LibreOffice as the judge of the WordPerfect 5 writer: a formatted stream is
// written as WordPerfect 5, imported by LibreOffice headless into flat ODF
// and read back; the page shows the fonts, sizes, alignment, indents, line
// spacing and running heads the stream asked for.
#include <gtest/gtest.h>

#include "core/stream_codes.h"
#include "test_util.h"
#include "writers/fodt_reader.h"
#include "writers/wp5.h"

namespace lettrix {
namespace {

using testing::bytes;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

const std::string kFormatted =
    code(HeaderAll, 0, 0) + "Head" + code(EndOfText) + code(FontSize, 246, 244) + code(Font, 0, FontSans) +
    "Twelve sans\r" + code(Font, FontSans, FontFixed) + "Mono\r" + code(Font, FontFixed, 9) + code(CenterOn) +
    "Centred\r" + code(CenterOff) + code(LeftMargin, 0, 10) + code(IndentHere, 0, 5) + "Hanging\r" +
    code(IndentReset, 5, 0) + code(Indent2, 0, 4) + "First\r" + code(IndentReset, 0, 0) + code(LeftMargin, 10, 0) +
    code(JustifyOn) + code(LineSpacing, 8, 16) + "Justified\r" + code(JustifyOff) + code(LineSpacing, 16, 8) + "\f" +
    code(FontSize, 244, 238) + "Big" + code(FontSize, 238, 244) + code(NoteCall, 0, 1) + "Note" + code(EndOfText) +
    " after\r" + code(RightOn) + "Right\r";

TEST(Wp5InLibreOffice, ThePageShowsWhatTheStreamSays) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), kFormatted);
  ASSERT_EQ(dest_wp5(dir.file("s").c_str(), dir.file("formatted.wp5").c_str()), 0);
  ASSERT_TRUE(testing::libreoffice_convert({dir.file("formatted.wp5")}, "fodt", dir.path()));
  testing::FodtDocument doc;
  ASSERT_TRUE(testing::read_fodt(dir.path() / "formatted.fodt", doc));
  std::vector<std::string> texts;
  for (const auto& p : doc.paragraphs)
    if (!p.text().empty()) texts.push_back(p.where + ":" + p.text());
  ASSERT_EQ(texts, (std::vector<std::string>{"header:Head", "body:Twelve sans", "body:Mono", "body:Centred",
                                             "body:Hanging", "body:First", "body:Justified", "body:Big after",
                                             "note:Note", "body:Right"}));
  std::vector<const testing::FodtParagraph*> p;
  for (const auto& q : doc.paragraphs)
    if (!q.text().empty()) p.push_back(&q);
  // Fonts and sizes, character by character: the header at the document's
  // 10 points; a class of no known kind in the document's font.
  const struct {
    std::size_t paragraph;
    double points;
    const char* font;
  } fonts[] = {{0, 10, "Times New Roman"}, {1, 12, "Arial"},           {2, 12, "Courier New"},
               {3, 12, "Times New Roman"}, {6, 12, "Times New Roman"}, {9, 12, "Times New Roman"}};
  for (const auto& f : fonts)
    for (const auto& c : p[f.paragraph]->chars) {
      EXPECT_EQ(c.points, f.points) << p[f.paragraph]->text();
      EXPECT_EQ(c.font, f.font) << p[f.paragraph]->text();
    }
  std::string big;
  for (const auto& c : p[7]->chars)
    if (c.points == 18) big += c.text;
  EXPECT_EQ(big, "Big");
  // Paragraph properties, each paragraph its own.
  EXPECT_EQ(p[1]->align, "");
  EXPECT_EQ(p[3]->align, "center");
  EXPECT_NEAR(p[3]->margin_left, 0, 0.005);
  EXPECT_NEAR(p[4]->margin_left, 1.5, 0.005);
  EXPECT_NEAR(p[4]->text_indent, -0.5, 0.005);
  EXPECT_NEAR(p[5]->margin_left, 1.0, 0.005);
  EXPECT_NEAR(p[5]->text_indent, 0.4, 0.005);
  EXPECT_EQ(p[6]->align, "justify");
  EXPECT_EQ(p[6]->line_height, "200%");
  EXPECT_NEAR(p[6]->margin_left, 0, 0.005);
  EXPECT_TRUE(p[7]->page_break_before);
  EXPECT_EQ(p[7]->align, "");
  EXPECT_EQ(p[7]->line_height, "");
  EXPECT_EQ(doc.notes, 1);
  EXPECT_EQ(p[9]->align, "end");
}

}  // namespace
}  // namespace lettrix
