#include "writers/markdown.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::ScratchDir;
using testing::stream_of;

std::string write_markdown(const std::string& stream, int* rc = nullptr) {
  ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  const int result = dest_markdown(dir.file("s").c_str(), dir.file("t").c_str());
  if (rc) *rc = result;
  return testing::read_file(dir.file("t"));
}

// The stream in its printed form, and the Markdown written.
TEST(MarkdownWriter, EveryPartOfTheStream) {
  const struct {
    const char* what;
    const char* stream;
    const char* markdown;
  } cases[] = {
      {"blank document", "", ""},
      {"paragraphs", "One¶Two¶", "One\n\nTwo\n\n"},
      {"last paragraph without its end", "One¶Two", "One\n\nTwo\n\n"},
      {"hard line breaks", "Ann{LF}  Street{LF}¶{LF}x¶¶¶y{LF}- z", "Ann\\\nStreet\n\nx\n\ny\\\n\\- z\n\n"},
      {"leading spaces and tabs dropped", "{0x09}    Indented¶", "Indented\n\n"},
      {"characters", "r{TableChar 1,41}sum{TableChar 1,41} {TableChar 8,33}{HardSpace}{TableChar 5,252}",
       "r\xC3\xA9sum\xC3\xA9 \xCF\x80\xC2\xA0\xE2\x8C\x98\n\n"},
      {"escaped everywhere", "*args_ [a] <b> a|b ~c & $5 2^3 {Backslash} `x`",
       "\\*args\\_ \\[a\\] \\<b> a\\|b \\~c \\& \\$5 2\\^3 \\\\ \\`x\\`\n\n"},
      {"escaped at a line's start", "# one¶> two¶- three¶+ four¶=¶12. five¶3) six¶7 x.¶",
       "\\# one\n\n\\> two\n\n\\- three\n\n\\+ four\n\n\\=\n\n12\\. five\n\n3\\) six\n\n7 x.\n\n"},
      {"not escaped inside a line", "a # b - c 1. d", "a # b - c 1. d\n\n"},
      {"undefined character", "{TableChar 5,251}", "\\_\n\n"},
      {"a lone grave accent is no code span", "a{TableChar 1,0}b", "a\\`b\n\n"},
      {"picture as its size in points, no link", "p{Picture 1 113x185 ab}q", "p\\[picture 185 \xC3\x97 113\\]q\n\n"},
      {"bold and italic", "a {BoldOn}b{BoldOff} {ItalicOn}c{ItalicOff} d", "a **b** *c* d\n\n"},
      {"spaces move outside the markers", "a{BoldOn} b {BoldOff}c", "a **b** c\n\n"},
      {"a run of spaces only", "a{BoldOn}  {BoldOff}b", "a  b\n\n"},
      {"markers close at each line end", "{BoldOn}one¶two{BoldOff}¶", "**one**\n\n**two**\n\n"},
      {"overlapping runs", "{BoldOn}a{ItalicOn}b{BoldOff}c{ItalicOff}", "**a*b***<!-- -->*c*\n\n"},
      {"other formatting leaves no trace", "{UnderlineOn}u{UnderlineOff}{CenterOn}{FontSize 246,244}v{0x0C}w",
       "uvw\n\n"},
      {"notes", "Text{NoteCall 0,1}{ItalicOn}See{ItalicOff} p. 2¶More.{EndOfText} goes on.¶",
       "Text[^1] goes on.\n\n[^1]: *See* p. 2\n\n    More.\n\n"},
      {"heads once", "{HeaderOdd 0,0}Top{EndOfText}{HeaderEven 0,0}Top{EndOfText}{FooterAll 0,0}# 1{EndOfText}Body¶",
       "Top\n\nBody\n\n\\# 1\n\n"},
  };
  for (const auto& c : cases) {
    int rc = -9;
    EXPECT_EQ(write_markdown(stream_of(c.stream), &rc), c.markdown) << c.what;
    EXPECT_EQ(rc, 0) << c.what;
  }
}

// pandoc reads every word back as text, in order, with the emphasis and the
// note (skipped when pandoc is absent).
TEST(MarkdownWriter, PandocReadsItBack) {
  if (std::system("command -v pandoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "pandoc is not installed";
  ScratchDir dir;
  testing::write_file(dir.file("s"), stream_of("# 1. *args_ [x](y) <b>{BoldOn} bold {BoldOff}and{NoteCall 0,1}note "
                                               "$x${EndOfText} 2^3^ ~s~ a|b¶- item¶"));
  ASSERT_EQ(dest_markdown(dir.file("s").c_str(), dir.file("t.md").c_str()), 0);
  const std::optional<std::string> html =
      testing::command_output("pandoc -f commonmark_x -t html '" + dir.file("t.md") + "'");
  ASSERT_TRUE(html);
  EXPECT_NE(html->find("# 1. *args_ [x](y) &lt;b&gt; <strong>bold</strong> and"), std::string::npos) << *html;
  EXPECT_NE(html->find("$x$"), std::string::npos) << *html;
  EXPECT_NE(html->find("2^3^ ~s~ a|b"), std::string::npos) << *html;
  EXPECT_NE(html->find("<p>- item</p>"), std::string::npos) << *html;
  EXPECT_EQ(html->find("<li>"), std::string::npos) << *html;
  // And pandoc's own Markdown, the same words.
  const std::optional<std::string> plain = testing::command_output("pandoc -f markdown -t plain '" + dir.file("t.md") + "'");
  ASSERT_TRUE(plain);
  EXPECT_NE(plain->find("# 1. *args_ [x](y) <b> bold and[1] 2^3^ ~s~ a|b"), std::string::npos) << *plain;
}

}  // namespace
}  // namespace lettrix
