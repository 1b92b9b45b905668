#include "writers/plain_text.h"

#include <gtest/gtest.h>

#include "core/driver_state.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;
using testing::ScratchDir;
using testing::stream_of;

enum class Page { Dos, Windows };

std::string write_text(const std::string& stream, Page page = Page::Windows, int* rc = nullptr) {
  ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  int result = page == Page::Dos ? dest_ascii(dir.file("s").c_str(), dir.file("t").c_str())
                                 : dest_ansi(dir.file("s").c_str(), dir.file("t").c_str());
  if (rc) *rc = result;
  return testing::read_file(dir.file("t"));
}

TEST(PlainTextWriter, StructureBytes) {
  EXPECT_EQ(write_text("ab\ncd\r"), "ab cd\r\n");
  EXPECT_EQ(write_text("a\tb\fc"), "a\tb\fc");
  int rc = -9;
  EXPECT_EQ(write_text("", Page::Dos, &rc), "");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(target_kind(), 1);
}

TEST(PlainTextWriter, CodesLeaveOnlyTheirText) {
  EXPECT_EQ(write_text(stream_of("a{Backslash}b")), "a\\b");
  EXPECT_EQ(write_text(stream_of("con{SoftHyphen}{LF}tion")), "contion");
  EXPECT_EQ(write_text(stream_of("a{SoftHyphen}b{LF}c")), "ab c");
  EXPECT_EQ(write_text(stream_of("a{HardSpace}b")), "a b");
  // Formatting codes and their operands vanish; text right after them stays whole.
  EXPECT_EQ(write_text(stream_of("{BoldOn}B{BoldOff}{LeftOn}L{FontSize 246,244}S{SetTab 1,20}T{StyleSheet 7879}U")),
            "BLSTU");
  // A picture is skipped to its end mark.
  EXPECT_EQ(write_text(stream_of("p{Picture 1 1x1 ab}q")), "pq");
  // End of file inside a code ends the text.
  EXPECT_EQ(write_text(stream_of("z{Truncated 5C2001}")), "z");
}

TEST(PlainTextWriter, CharactersThroughTheCodePage) {
  std::string e_acute = stream_of("{TableChar 1,41}");
  EXPECT_EQ(write_text(e_acute, Page::Dos), bytes({0x82}));
  EXPECT_EQ(write_text(e_acute, Page::Windows), bytes({0xE9}));
  std::string not_equal = stream_of("{TableChar 6,99}");
  EXPECT_EQ(write_text(not_equal, Page::Dos), "_");
  // Characters only the Symbol font has: plain text has no fonts, so the
  // Symbol byte is never written as if it were a code page character.
  EXPECT_EQ(write_text(not_equal, Page::Windows), "_");
  EXPECT_EQ(write_text(stream_of("{TableChar 4,3}"), Page::Windows), bytes({0x95}));  // bullet
  EXPECT_EQ(write_text(stream_of("{TableChar 6,19}"), Page::Windows), "_");           // infinity, not a yen sign
  EXPECT_EQ(write_text(stream_of("{TableChar 0,41}{TableChar 15,41}k"), Page::Dos), "k");  // no such table
  EXPECT_EQ(write_text(stream_of("{TableChar 9,5}"), Page::Dos), "_");
}

TEST(PlainTextWriter, EmbeddedTextsAndNoteNumbers) {
  reset_plain_text_note_count();
  std::string doc = stream_of("{HeaderAll 0,0}T{EndOfText}{FooterAll 0,0}F{EndOfText}"
                              "x{NoteCall 7,0}N{EndOfText}y{NoteCall 0,3}M{EndOfText}¶");
  EXPECT_EQ(write_text(doc), "\\TETET\\FIN\\\\PIEDF\\FIN\\x\\NOTE01\\N\\FIN\\y\\NOTE02\\M\\FIN\\\r\n");
  // A second file of the same run goes on numbering.
  EXPECT_EQ(write_text(stream_of("{NoteCall 0,1}n{EndOfText}"), Page::Dos), "\\NOTE03\\n\\FIN\\");
  // Beyond 99 the marker takes as many digits as the number needs.
  std::string many;
  for (int i = 0; i < 98; ++i) many += stream_of("{NoteCall 0,0}{EndOfText}");
  std::string out = write_text(many);
  EXPECT_NE(out.find("\\NOTE99\\"), std::string::npos);
  EXPECT_NE(out.find("\\NOTE100\\\\FIN\\"), std::string::npos);
  EXPECT_EQ(out.find("\\NOTE00\\"), std::string::npos);
  EXPECT_EQ(plain_text_note_count(), 101);
}

TEST(PlainTextWriter, MissingStreamIsRefused) {
  ScratchDir dir;
  EXPECT_EQ(dest_ascii(dir.file("missing").c_str(), dir.file("t").c_str()), -1);
  EXPECT_EQ(dest_ansi(dir.file("missing").c_str(), dir.file("t").c_str()), -1);
}

}  // namespace
}  // namespace lettrix
