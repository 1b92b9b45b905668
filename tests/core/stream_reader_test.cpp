#include "core/stream_reader.h"

#include <gtest/gtest.h>

#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;

// Reads every item of a byte string through the shared routine.
std::vector<StreamItem> items_of(const std::string& s) {
  std::FILE* f = std::tmpfile();
  std::fwrite(s.data(), 1, s.size(), f);
  std::rewind(f);
  std::vector<StreamItem> out;
  StreamItem item;
  while (read_stream_item(f, item)) out.push_back(item);
  std::fclose(f);
  return out;
}

TEST(StreamReader, EveryCodeClassTakesExactlyItsOperands) {
  // One code of each class, each followed by a text byte that must survive.
  std::string s = bytes({0x5C, 0x23, 'a',                     // no operands
                         0x5C, 0x20, 0x01, 0x29, 'b',         // TableChar
                         0x5C, 0x90, 0xF6, 0xF4, 'c',         // value code
                         0x5C, 0xFF, 0x5C, 0x7F, 'd',         // reserved two-operand code: operands may look like codes
                         0x5C, 0x86, 0x03, 0x00, 0x5C, 0x7F, 0x0D, 'e',  // StyleSheet with 3 data bytes
                         0x5C, 0x53, 'f',                     // LeftOn directly followed by text
                         0x5C, 0x5C, 'g'});                  // Backslash
  EXPECT_EQ(print_stream(s), "{BoldOn}a{TableChar 1,41}b{FontSize 246,244}c{Code 0xFF 92,127}d"
                             "{StyleSheet 5C7F0D}e{LeftOn}f{Backslash}g");
  auto items = items_of(s);
  ASSERT_EQ(items.size(), 14u);
  EXPECT_TRUE(items[12].is_code(Backslash));
  EXPECT_EQ(std::string(items[8].data.begin(), items[8].data.end()), bytes({0x5C, 0x7F, 0x0D}));
}

TEST(StreamReader, PictureRunsToItsEndOfText) {
  // kind 1, 0, height 0x00005C7F (the end mark's bytes inside the size), width 2, hex "0a", end.
  std::string s = bytes({0x5C, 0xC0, 0x01, 0x00, 0, 0, 0x5C, 0x7F, 0, 0, 0, 2, '0', 'a', 0x5C, 0x7F, 'z'});
  auto items = items_of(s);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE(items[0].is_code(Picture));
  EXPECT_EQ(picture_height(items[0]), 0x5C7F);
  EXPECT_EQ(picture_width(items[0]), 2);
  EXPECT_EQ(items[0].data.size(), 10u);
  EXPECT_TRUE(items[1].is_byte('z'));
}

TEST(StreamReader, EndOfFileInsideACodeEndsTheStream) {
  for (const std::string& cut : {bytes({'x', 0x5C}), bytes({'x', 0x5C, 0x20, 0x01}), bytes({'x', 0x5C, 0x86, 0x05}),
                                 bytes({'x', 0x5C, 0x86, 0x05, 0x00, 'a', 'b'}),
                                 bytes({'x', 0x5C, 0xC0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 'f', 'f'})}) {
    auto items = items_of(cut);
    ASSERT_EQ(items.size(), 1u) << print_stream(cut);
    EXPECT_TRUE(items[0].is_byte('x'));
  }
  EXPECT_TRUE(items_of("").empty());
}

TEST(StreamReader, StructureBytesAreBytes) {
  std::string s = bytes({'a', 13, 10, 9, 12, '{', 0x80});
  EXPECT_EQ(print_stream(s), "a¶{LF}{Tab}{PageBreak}{{{0x80}");
  EXPECT_EQ(print_stream(bytes({'a', 13, 'b', 13}), true), "a¶\nb¶\n");
}

TEST(StreamCodes, OperandCountsAndSizes) {
  EXPECT_EQ(fixed_operand_count(0x20), 2);
  EXPECT_EQ(fixed_operand_count(0x21), 0);
  EXPECT_EQ(fixed_operand_count(0x7F), 0);
  EXPECT_EQ(fixed_operand_count(0x80), 2);
  EXPECT_EQ(fixed_operand_count(0xFF), 2);
  EXPECT_EQ(encode_font_size(10), 246);
  EXPECT_EQ(encode_font_size(12), 244);
  EXPECT_EQ(decode_font_size(244), 12);
  EXPECT_STREQ(code_name(NoteCall), "NoteCall");
  EXPECT_EQ(code_name(0x4E), nullptr);
}

}  // namespace
}  // namespace lettrix
