// LibreOffice as the judge of the two Word writers: one formatted stream is
// written as Word for DOS and as Word for Windows 2, imported by LibreOffice
// headless into flat ODF and read back; each paragraph shows the stream's
// alignment, indents and tab stops, and the running head shows as one.
#include <gtest/gtest.h>

#include "core/stream_codes.h"
#include "test_util.h"
#include "writers/fodt_reader.h"
#include "writers/winword2.h"
#include "writers/word_dos.h"

namespace lettrix {
namespace {

using testing::bytes;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

const std::string kFormatted =
    code(HeaderAll, 0, 0) + "Head" + code(EndOfText) + code(FontSize, 246, 244) + code(Font, 0, FontSerif) +
    "Serif " + code(Font, FontSerif, FontSans) + "sans " + code(Font, FontSans, FontFixed) + "mono\r" +
    code(Font, FontFixed, FontSerif) + code(CenterOn) + "Centred\r" + code(CenterOff) + code(LeftMargin, 0, 10) +
    code(IndentHere, 0, 5) + "Hanging\r" + code(IndentReset, 5, 0) + code(Indent2, 0, 3) + "Second\r" +
    code(IndentReset, 0, 3) + code(RightMargin, 79, 59) + "Narrow\r" + code(RightMargin, 59, 79) +
    code(LeftMargin, 10, 0) + code(SetTab, TabLeft, 20) + code(SetTab, TabRight, 40) + "a\tb\tc\r" + "Plain\r";

TEST(WordInLibreOffice, ParagraphsAndRunningHeadsShowAsTheStreamSays) {
  if (!testing::libreoffice_available()) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), kFormatted);
  ASSERT_EQ(dest_word_dos(dir.file("s").c_str(), dir.file("dos.doc").c_str()), 0);
  ASSERT_EQ(dest_winword2(dir.file("s").c_str(), dir.file("ww2.doc").c_str()), 0);
  ASSERT_TRUE(testing::libreoffice_convert({dir.file("dos.doc"), dir.file("ww2.doc")}, "fodt", dir.path()));

  struct Shown {
    const char* text;
    const char* align;
    double left, first, right;  // inches
    std::vector<double> tabs;
  };
  const Shown expected[] = {
      {"Serif sans mono", "", 0, 0, 0, {}},   {"Centred", "center", 0, 0, 0, {}},
      {"Hanging", "", 1.5, -0.5, 0, {}},      {"Second", "", 1.0, 0.3, 0, {}},
      {"Narrow", "", 1.0, 0, 2.0, {}},        {"a\tb\tc", "", 0, 0, 0, {2.0, 4.0}},
      {"Plain", "", 0, 0, 0, {2.0, 4.0}},  // the stops once set, in every paragraph
  };
  for (const char* name : {"dos", "ww2"}) {
    SCOPED_TRACE(name);
    testing::FodtDocument doc;
    ASSERT_TRUE(testing::read_fodt(dir.path() / (std::string(name) + ".fodt"), doc));
    std::vector<const testing::FodtParagraph*> body;
    std::string head;
    for (const auto& p : doc.paragraphs) {
      if (p.where == "body" && !p.text().empty()) body.push_back(&p);
      if (p.where == "header") head += p.text();
    }
    EXPECT_EQ(head, "Head");
    ASSERT_EQ(body.size(), std::size(expected));
    for (std::size_t i = 0; i < body.size(); ++i) {
      const Shown& e = expected[i];
      const testing::FodtParagraph& p = *body[i];
      EXPECT_EQ(p.text(), e.text);
      EXPECT_EQ(p.align, e.align) << e.text;
      EXPECT_NEAR(p.margin_left, e.left, 0.005) << e.text;
      EXPECT_NEAR(p.text_indent, e.first, 0.005) << e.text;
      EXPECT_NEAR(p.margin_right, e.right, 0.005) << e.text;
      ASSERT_EQ(p.tabs.size(), e.tabs.size()) << e.text;
      for (std::size_t k = 0; k < e.tabs.size(); ++k) EXPECT_NEAR(p.tabs[k], e.tabs[k], 0.005) << e.text;
      for (const auto& c : p.chars) EXPECT_EQ(c.points, 12) << e.text;
    }
    // Word for DOS names no fonts: LibreOffice shows the font numbers' family
    // names. (It applies no font of a Word for Windows 2 file at all.)
    if (std::string(name) == "dos") {
      std::string fonts;
      for (const auto& c : body[0]->chars)
        if (c.text != " " && (fonts.empty() || fonts.substr(fonts.rfind(',') + 1) != c.font)) fonts += "," + c.font;
      EXPECT_EQ(fonts, ",roman a,modern b,modern a");
    }
  }
}

}  // namespace
}  // namespace lettrix
