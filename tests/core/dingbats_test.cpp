// The Zapf Dingbats characters: the reader table's positions, their Unicode
// characters, and what each target writes for them (the character itself
// where the target holds Unicode, "_" where the code page has none, as
// before).
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <utility>

#include "core/charset.h"
#include "core/format_registry.h"
#include "core/unicode_tables.h"
#include "test_util.h"
#include "writers/odt_test_util.h"

namespace lettrix {
namespace {

TEST(Dingbats, ReaderTableGivesEachGlyphItsOwnCharacter) {
  const std::pair<int, const char*> cases[] = {
      {0x21, "\u2701"}, {0x25, "\u260E"}, {0x2A, "\u261B"}, {0x48, "\u2605"}, {0x6C, "\u25CF"},
      {0x6E, "\u25A0"}, {0x75, "\u25C6"}, {0x77, "\u25D7"}, {0x7E, "\u275E"}, {0x80, "\u2768"},
      {0x8D, "\u2775"}, {0xA1, "\u2761"}, {0xA8, "\u2663"}, {0xAB, "\u2660"}, {0xAC, "\u2460"},
      {0xB6, "\u2776"}, {0xD4, "\u2794"}, {0xD5, "\u2192"}, {0xEF, "\u27AF"}, {0xF1, "\u27B1"},
      {0xFE, "\u27BE"},
  };
  for (const auto& [byte, text] : cases) {
    const std::uint16_t e = kDingbatTable[byte];
    ASSERT_TRUE(is_table_char(e)) << byte;
    EXPECT_TRUE(is_dingbat(entry_table(e), entry_index(e))) << byte;
    EXPECT_STREQ(position_utf8(entry_table(e), entry_index(e)), text) << byte;
  }
  // Bytes without a glyph stay "_", the space a space; no two glyphs share a position.
  for (const int byte : {0x00, 0x09, 0x1F, 0x7F, 0x8E, 0x9F, 0xA0, 0xF0, 0xFF}) EXPECT_EQ(kDingbatTable[byte], kFillChar);
  EXPECT_EQ(kDingbatTable[0x20], ' ');
  std::set<std::uint16_t> seen;
  for (int b = 0; b < 256; ++b)
    if (is_table_char(kDingbatTable[b])) seen.insert(kDingbatTable[b]);
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kDingbatCount));
  // Every dingbat position: one code point, and "_" in both code-page groups.
  for (int index = kDingbatFirst; index < kDingbatFirst + kDingbatCount; ++index) {
    EXPECT_NE(position_code_point(kDingbatPositionTable, index), 0) << index;
    for (int g : {0, 1}) EXPECT_EQ(translate_position(*select_translation_group(g), kDingbatPositionTable, index), kFillChar);
  }
  EXPECT_FALSE(is_dingbat(kDingbatPositionTable, kDingbatFirst - 1));
  EXPECT_FALSE(is_dingbat(kDingbatPositionTable, kDingbatFirst + kDingbatCount));
}

// No character a reader writes is lost in the Unicode targets: every
// position of the reader tables has its Unicode text.
TEST(Dingbats, EveryPositionAReaderWritesHasUnicodeText) {
  for (const ReaderTable* table : {&kMacintoshTable, &kSymbolTable, &kDingbatTable}) {
    for (int b = 0; b < 256; ++b) {
      const std::uint16_t e = (*table)[static_cast<std::size_t>(b)];
      if (is_table_char(e)) {
        EXPECT_NE(position_utf8(entry_table(e), entry_index(e)), nullptr) << b;
      }
    }
  }
}

// "✁ ♥ ➾✺" (bytes 0x21, 0xAA, 0xFE, 0x5A: the last one's index is the
// stream's escape byte, which as an operand is no escape) through each
// target's writer.
TEST(Dingbats, EveryTargetWritesThemAsItCan) {
  const std::string stream = testing::stream_of("a{TableChar 5,35} {TableChar 5,152} {TableChar 5,235}{TableChar 5,92}z¶");
  const std::pair<int, std::string> cases[] = {
      {DstAscii, "a_ _ __z"},
      {DstAnsi, "a_ _ __z"},
      {DstWordDos, "a_ _ __z"},
      {DstWinWord2, "a_ _ __z"},
      {DstWordPerfect5, "a_ _ __z"},
      {DstRtfAscii, "a\\u9985\\'5F \\u9829\\'5F \\u10174\\'5F\\u10042\\'5Fz"},
      {DstRtfAnsi, "a\\u9985\\'5F \\u9829\\'5F \\u10174\\'5F\\u10042\\'5Fz"},
      {DstUtf8Text, "a\u2701 \u2665 \u27BE\u273Az"},
      {DstMarkdown, "a\u2701 \u2665 \u27BE\u273Az"},
      {DstHtml, "a\u2701 \u2665 \u27BE\u273Az"},
  };
  testing::ScratchDir dir;
  testing::write_file(dir.file("stream"), stream);
  for (const auto& [target, text] : cases) {
    const std::string path = dir.file(std::string(target_main_alias(target)) + ".out");
    ASSERT_EQ(target_formats.rows[target].writer(dir.file("stream").c_str(), path.c_str()), 0);
    EXPECT_NE(testing::read_file(path).find(text), std::string::npos) << target_main_alias(target) << ": " << testing::read_file(path);
  }
  EXPECT_NE(testing::odt_body(testing::odt_of(stream)).find("a\u2701 \u2665 \u27BE\u273Az"), std::string::npos);
}

}  // namespace
}  // namespace lettrix
