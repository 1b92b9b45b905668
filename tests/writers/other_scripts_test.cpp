// Characters beyond the repertoire (UnicodeChar codes: Japanese, Chinese,
// Korean text) through every target: the character itself where the target
// holds Unicode, \uN with "_" in RTF, "_" in the code-page targets, which
// say so once in their notes.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/format_registry.h"
#include "core/handler.h"
#include "test_util.h"
#include "writers/odt_test_util.h"

namespace lettrix {
namespace {

// The kana あ (a repertoire position of table 11, which no code page has:
// WordPerfect writes it as the character of its own Japanese set 11),
// 一 and 가 twice, U+FFFD, and two code points no text may hold (ASCII "A",
// a surrogate), which the Unicode targets write as U+FFFD.
TEST(OtherScripts, EveryTargetWritesThemAsItCan) {
  const std::string stream = testing::stream_of(
      "{TableChar 11,12}a{UnicodeChar 78,0}{UnicodeChar 172,0} {UnicodeChar 78,0}{UnicodeChar 172,0}"
      "{UnicodeChar 255,253}{UnicodeChar 0,65}{UnicodeChar 216,0}z¶");
  const std::string unicode = "\u3042a\u4E00\uAC00 \u4E00\uAC00\uFFFD\uFFFD\uFFFDz";
  const std::string rtf = "\\u12354\\'5Fa\\u19968\\'5F\\u-21504\\'5F \\u19968\\'5F\\u-21504\\'5F\\u-3\\'5F\\u65\\'5F\\u-10240\\'5Fz";
  const struct {
    int target;
    std::string text;
    bool noted;
  } cases[] = {
      {DstAscii, "_a__ _____z", true},        {DstAnsi, "_a__ _____z", true},
      {DstWordDos, "_a__ _____z", true},      {DstWinWord2, "_a__ _____z", true},
      {DstWordPerfect5, std::string("\xC0\x0C\x0B\xC0") + "a__ _____z", true}, {DstRtfAscii, rtf, false},
      {DstRtfAnsi, rtf, false},              {DstUtf8Text, unicode, false},
      {DstMarkdown, unicode, false},         {DstHtml, unicode, false},
  };
  testing::ScratchDir dir;
  testing::write_file(dir.file("stream"), stream);
  const std::string note = "characters of another script written as \"_\": the target's code page has none";
  for (const auto& c : cases) {
    const std::string path = dir.file(std::string(target_main_alias(c.target)) + ".out");
    clear_handler_notes();
    ASSERT_EQ(target_formats.rows[c.target].writer(dir.file("stream").c_str(), path.c_str()), 0);
    EXPECT_NE(testing::read_file(path).find(c.text), std::string::npos)
        << target_main_alias(c.target) << ": " << testing::read_file(path);
    EXPECT_EQ(handler_notes(), c.noted ? note : "") << target_main_alias(c.target);
  }
  EXPECT_NE(testing::odt_body(testing::odt_of(stream)).find(unicode), std::string::npos);
  const std::string docx = dir.file("docx.out");
  ASSERT_EQ(target_formats.rows[DstDocx].writer(dir.file("stream").c_str(), docx.c_str()), 0);
  const std::string document = testing::entry(testing::read_zip(docx), "word/document.xml");
  EXPECT_NE(document.find(unicode + "</w:t>"), std::string::npos) << document;
  clear_handler_notes();
}

}  // namespace
}  // namespace lettrix
