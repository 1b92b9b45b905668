#include "writers/plain_text.h"

#include <gtest/gtest.h>

#include "core/driver_state.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;
using testing::ScratchDir;

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
  EXPECT_EQ(write_text(bytes({'a', 0x5C, 0x5C, 'b'})), "a\\b");
  EXPECT_EQ(write_text(bytes({'c', 'o', 'n', 0x5C, 0x3A, '\n', 't', 'i', 'o', 'n'})), "contion");
  EXPECT_EQ(write_text(bytes({'a', 0x5C, 0x3A, 'b', '\n', 'c'})), "ab c");
  EXPECT_EQ(write_text(bytes({'a', 0x5C, 0x34, 'b'})), "a b");
  // Formatting codes and their operands vanish; text right after them stays whole.
  EXPECT_EQ(write_text(bytes({0x5C, 0x23, 'B', 0x5C, 0x24, 0x5C, 0x53, 'L', 0x5C, 0x90, 0xF6, 0xF4, 'S', 0x5C, 0x80,
                              1, 20, 'T', 0x5C, 0x86, 2, 0, 'x', 'y', 'U'})),
            "BLSTU");
  // A picture is skipped to its end mark.
  EXPECT_EQ(write_text(bytes({'p', 0x5C, 0xC0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 'a', 'b', 0x5C, 0x7F, 'q'})), "pq");
  // End of file inside a code ends the text.
  EXPECT_EQ(write_text(bytes({'z', 0x5C, 0x20, 1})), "z");
}

TEST(PlainTextWriter, CharactersThroughTheCodePage) {
  std::string e_acute = bytes({0x5C, 0x20, 1, 41});
  EXPECT_EQ(write_text(e_acute, Page::Dos), bytes({0x82}));
  EXPECT_EQ(write_text(e_acute, Page::Windows), bytes({0xE9}));
  std::string not_equal = bytes({0x5C, 0x20, 6, 99});
  EXPECT_EQ(write_text(not_equal, Page::Dos), "_");
  // Characters only the Symbol font has: plain text has no fonts, so the
  // Symbol byte is never written as if it were a code page character.
  EXPECT_EQ(write_text(not_equal, Page::Windows), "_");
  EXPECT_EQ(write_text(bytes({0x5C, 0x20, 4, 3}), Page::Windows), bytes({0x95}));  // bullet
  EXPECT_EQ(write_text(bytes({0x5C, 0x20, 6, 19}), Page::Windows), "_");           // infinity, not a yen sign
  EXPECT_EQ(write_text(bytes({0x5C, 0x20, 0, 41, 0x5C, 0x20, 15, 41, 'k'}), Page::Dos), "k");  // no such table
  EXPECT_EQ(write_text(bytes({0x5C, 0x20, 9, 5}), Page::Dos), "_");
}

TEST(PlainTextWriter, EmbeddedTextsAndNoteNumbers) {
  reset_plain_text_note_count();
  std::string doc = bytes({0x5C, 0x9E, 0, 0, 'T', 0x5C, 0x7F, 0x5C, 0xA1, 0, 0, 'F', 0x5C, 0x7F, 'x', 0x5C, 0xA2, 7,
                           0, 'N', 0x5C, 0x7F, 'y', 0x5C, 0xA2, 0, 3, 'M', 0x5C, 0x7F, '\r'});
  EXPECT_EQ(write_text(doc), "\\TETET\\FIN\\\\PIEDF\\FIN\\x\\NOTE01\\N\\FIN\\y\\NOTE02\\M\\FIN\\\r\n");
  // A second file of the same run goes on numbering.
  EXPECT_EQ(write_text(bytes({0x5C, 0xA2, 0, 1, 'n', 0x5C, 0x7F}), Page::Dos), "\\NOTE03\\n\\FIN\\");
  // Beyond 99 the marker takes as many digits as the number needs.
  std::string many;
  for (int i = 0; i < 98; ++i) many += bytes({0x5C, 0xA2, 0, 0, 0x5C, 0x7F});
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
