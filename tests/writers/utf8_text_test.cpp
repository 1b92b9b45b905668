#include "writers/utf8_text.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;
using testing::ScratchDir;
using testing::stream_of;

const std::string kBom = "\xEF\xBB\xBF";

std::string write_utf8(const std::string& stream, int* rc = nullptr) {
  ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  const int result = dest_utf8_text(dir.file("s").c_str(), dir.file("t").c_str());
  if (rc) *rc = result;
  return testing::read_file(dir.file("t"));
}

// The stream, in its printed form, and the text after the byte order mark
// (whose last line ends, as every line does: the line end is left out below).
TEST(Utf8TextWriter, EveryPartOfTheStream) {
  const struct {
    const char* what;
    const char* stream;
    const char* text;
  } cases[] = {
      {"blank document", "", ""},
      {"paragraphs, line breaks, tabs", "ab{LF}cd¶e{0x09}f¶", "ab\ncd\ne\tf\n"},
      {"page break", "a¶{0x0C}b¶", "a\n\fb\n"},
      {"accented letters", "r{TableChar 1,41}sum{TableChar 1,41}", "r\xC3\xA9sum\xC3\xA9"},
      {"beyond the code pages", "{TableChar 8,33}{TableChar 6,99}{TableChar 4,32}x{TableChar 4,33}",
       "\xCF\x80\xE2\x89\xA0\xE2\x80\x9Cx\xE2\x80\x93"},  // pi, not equal, quotation mark, en dash
      {"lone accent", "{TableChar 1,6}", "\xC2\xB4"},
      {"undefined position, no table", "{TableChar 5,251}{TableChar 0,41}{TableChar 15,1}k", "_k"},
      {"system font symbols", "{TableChar 5,252}Q {TableChar 5,253}{TableChar 5,254}{TableChar 5,255}",
       "\xE2\x8C\x98Q \xE2\x9C\x93\xE2\x97\x86" "Apple"},
      {"hard space, backslash", "a{HardSpace}b{Backslash}c", "a\xC2\xA0" "b\\c"},
      {"soft hyphen and its line break", "con{SoftHyphen}{LF}tion a{SoftHyphen}b", "contion ab"},
      {"formatting leaves no trace", "{BoldOn}B{BoldOff}{FontSize 246,244}S{SetTab 1,20}T{CenterOn}U", "BSTU"},
      {"picture as its size in points", "p{Picture 1 113x185 ab}q", "p[picture 185 \xC3\x97 113]q"},
      {"plain bytes no reader writes", "a{0x01}{0x7F}{0xC3}z", "a__z"},
      {"notes at the end", "x{NoteCall 7,0}N{EndOfText}y{NoteCall 0,3}M¶M2{EndOfText}z¶",
       "x[1]y[2]z\n[1] N\n[2] M\nM2\n"},
      {"heads once, before and after", "{HeaderOdd 0,0}Top{EndOfText}{HeaderEven 0,0}Top{EndOfText}"
       "{FooterAll 0,0}Page {PageNumber}{EndOfText}body¶{HeaderAll 0,0}Second{EndOfText}{FooterAll 0,0}  {EndOfText}",
       "Top\nSecond\nbody\nPage \n"},
      {"end of file inside a code", "z{Truncated 5C2001}", "z"},
  };
  for (const auto& c : cases) {
    int rc = -9;
    std::string text = c.text;
    if (!text.empty() && text.back() != '\n') text += '\n';
    EXPECT_EQ(write_utf8(stream_of(c.stream), &rc), kBom + text) << c.what;
    EXPECT_EQ(rc, 0) << c.what;
  }
}

TEST(Utf8TextWriter, LongTextsAndTheOutputTest) {
  // Text across the blocks of the stream and the target, with notes and
  // characters on each side of every block boundary.
  std::string stream, text;
  for (int i = 0; i < 20000; ++i) {
    stream += stream_of("w{TableChar 1,41}rd ");
    text += "w\xC3\xA9rd ";
    if (i % 5000 == 4999) {
      stream += stream_of("{NoteCall 0,0}n{EndOfText}");
      text += "[" + std::to_string(i / 5000 + 1) + "]";
    }
  }
  text += "\n[1] n\n[2] n\n[3] n\n[4] n\n";
  const std::string written = write_utf8(stream);
  EXPECT_TRUE(written == kBom + text) << written.size() << " bytes written, " << kBom.size() + text.size() << " expected";
  const auto test = [](const std::string& head) {
    return output_test_utf8_text({reinterpret_cast<const std::uint8_t*>(head.data()), head.size()}).kind != nullptr;
  };
  EXPECT_TRUE(test(kBom + "Dear Paul,\n"));
  EXPECT_TRUE(test(kBom));
  EXPECT_FALSE(test("Dear Paul,\n"));
  EXPECT_FALSE(test(kBom + std::string("a\0b", 3)));
}

}  // namespace
}  // namespace lettrix
