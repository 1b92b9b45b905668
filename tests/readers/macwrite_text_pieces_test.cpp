// The pieces in which the MacWrite readers write text: the per-table byte
// expansions of the MacWrite II reader against the one-character writer, the
// pieces they make (stops, line breaks at the right margin, long runs), and
// the font look-ups kept per conversion against the look-up they stand for.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/char_output.h"
#include "core/mac_font_names.h"
#include "readers/macwrite_format.h"
#include "readers/macwrite_ii_text.h"
#include "support/file_handle.h"

namespace lettrix {
namespace {

std::string contents(std::FILE* f) {
  std::fflush(f);
  std::string s;
  std::rewind(f);
  for (int c; (c = std::fgetc(f)) != EOF;) s.push_back(static_cast<char>(c));
  return s;
}

TEST(MacWriteTextPieces, ExpansionsWriteWhatTheCharacterWriterWrites) {
  for (const ReaderTable* table : {&kMacintoshTable, &kSymbolTable, &kDingbatTable}) {
    const macwrite_ii::TextExpansions expansions = macwrite_ii::text_expansions(*table);
    for (int byte = 0; byte < 256; ++byte) {
      const macwrite_ii::TextExpansion& x = expansions[static_cast<std::size_t>(byte)];
      SCOPED_TRACE(byte);
      if (byte == 0x09 || byte == 0x0C) {
        EXPECT_EQ(x.kind, macwrite_ii::TextExpansion::Written);
        EXPECT_EQ(std::string(x.bytes, x.bytes + x.length), std::string(1, static_cast<char>(byte)));
        EXPECT_EQ(x.column, 0);
        continue;
      }
      if (byte == 0x20) {
        EXPECT_EQ(x.kind, macwrite_ii::TextExpansion::Space);
        EXPECT_EQ(std::string(x.bytes, x.bytes + x.length), " ");
        EXPECT_EQ(x.column, 0);
        continue;
      }
      const std::uint16_t entry = (*table)[static_cast<std::size_t>(byte)];
      const bool other = byte < 0x20 || byte == 0x5C || byte == 0xCA || (!is_table_char(entry) && (entry & 0xFF) == kEscape);
      if (other) {
        EXPECT_EQ(x.kind, macwrite_ii::TextExpansion::Other);
        continue;
      }
      ASSERT_EQ(x.kind, macwrite_ii::TextExpansion::Written);
      FilePtr out(std::tmpfile());
      ASSERT_TRUE(out);
      write_source_char(out.get(), *table, static_cast<std::uint8_t>(byte));
      EXPECT_EQ(std::string(x.bytes, x.bytes + x.length), contents(out.get()));
      EXPECT_EQ(x.column, 1);
    }
  }
}

TEST(MacWriteTextPieces, PiecesStopAtOtherBytesAndBreakLinesPastTheMargin) {
  const std::string long_run(700, 'x');
  const struct {
    std::string text;
    long column, width;
    std::string written;
    std::size_t taken;
    long column_after;
  } cases[] = {
      {"ab cd", 0, 10, "ab cd", 5, 4},
      {"abc de", 0, 2, "abc\nde", 6, 2},         // the space after column 3 breaks the line
      {"abc de", 0, 3, "abc de", 6, 5},          // at the margin itself it stays a space
      {" a", 5, 4, "\na", 2, 1},                 // the column carried in counts
      {"ab\rcd", 0, 80, "ab", 2, 2},             // a paragraph end is left to the caller
      {"a\\b", 0, 80, "a", 1, 1},                // so is the backslash
      {"\x05x", 3, 80, "", 0, 3},                // and a note mark at the start
      {"a\tb\x0C", 0, 80, "a\tb\x0C", 4, 2},     // tabs and page breaks count no column
      {"\x8E!", 0, 80, "\\ \x01\x29!", 2, 2},     // an accented letter as its TableChar code
      {long_run, 0, 1000, long_run, 700, 700},   // more than one piece
  };
  const macwrite_ii::TextExpansions expansions = macwrite_ii::text_expansions(kMacintoshTable);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    FilePtr out(std::tmpfile());
    ASSERT_TRUE(out);
    long column = c.column;
    const std::vector<std::uint8_t> text(c.text.begin(), c.text.end());
    EXPECT_EQ(macwrite_ii::write_expanded_text(out.get(), expansions, text, column, c.width), c.taken);
    EXPECT_EQ(contents(out.get()), c.written);
    EXPECT_EQ(column, c.column_after);
  }
}

TEST(MacWriteTextPieces, KeptFontLookUpsWriteWhatTheLookUpWrites) {
  // Numbers by name, by number, unknown, and two that share a slot (1, 17).
  const int numbers[] = {3, 16, 23, 13, 20, 21, 0, 1, 17, 999, 3, 23, 1, 17, 13};
  MacFontNumberCache fonts;
  CharState kept{}, looked_up{};
  FilePtr kept_out(std::tmpfile()), looked_up_out(std::tmpfile());
  ASSERT_TRUE(kept_out && looked_up_out);
  for (int number : numbers) {
    SCOPED_TRACE(number);
    EXPECT_EQ(&fonts.select(kept, number, kept_out.get()), &select_mac_font_number(looked_up, number, looked_up_out.get()));
    EXPECT_EQ(kept.font_class, looked_up.font_class);
  }
  EXPECT_EQ(contents(kept_out.get()), contents(looked_up_out.get()));
}

}  // namespace
}  // namespace lettrix
