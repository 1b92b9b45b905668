// What the Word writers share: the copy of an embedded text into a work
// file, the leading-tab rule, RightOn, and paragraph codes.
#include "writers/word_common.h"

#include <gtest/gtest.h>

#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "support/work_file.h"
#include "test_util.h"

namespace lettrix::word {
namespace {

using testing::bytes;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

TEST(WordCommon, EmbeddedTextCopyEndsAtItsEndMarkOnly) {
  struct Case {
    std::string stream, copy, left;
    bool ended;
  };
  const Case cases[] = {
      // Operands 0x7F (a character, a tab column, a style sheet byte) do not end the copy.
      {std::string("a") + code(TableChar, 1, 0x7F) + code(SetTab, 1, 0x7F) +
           bytes({kEscape, StyleSheet, 1, 0, 0x7F}) + "b" + code(EndOfText) + "rest",
       std::string("a") + code(TableChar, 1, 0x7F) + code(SetTab, 1, 0x7F) +
           bytes({kEscape, StyleSheet, 1, 0, 0x7F}) + "b" + code(EndOfText),
       "rest", true},
      // Embedded texts do not nest: inner header, footer and note codes are left out.
      {std::string("x") + code(NoteCall, 0, 2) + code(HeaderAll, 0, 0) + "y" + code(EndOfText) + "z",
       "xy" + code(EndOfText), "z", true},
      // No end mark, or a stream ending inside a code: the copy gets one.
      {"open", "open" + code(EndOfText), "", false},
      {"cut" + bytes({kEscape, SetTab, 1}), "cut" + code(EndOfText), "", false},
  };
  for (const Case& c : cases) {
    auto in = testing::memory_stream(c.stream);
    FilePtr work = open_work_file();
    ASSERT_TRUE(work);
    bool ended = !c.ended;
    BlockInput input(in.get());
    EXPECT_TRUE(copy_embedded_text(input, work.get(), ended));
    EXPECT_EQ(ended, c.ended) << print_stream(c.stream);
    EXPECT_EQ(print_stream(testing::stream_contents(work.get())), print_stream(c.copy));
    std::string left;
    for (int ch; (ch = input.get()) != EOF;) left += static_cast<char>(ch);
    EXPECT_EQ(left, c.left);

    auto out = testing::memory_stream("head:");
    std::fseek(out.get(), 0, SEEK_END);
    EXPECT_TRUE(append_work_file(work.get(), out.get()));
    EXPECT_EQ(testing::stream_contents(out.get()), "head:" + c.copy);
  }
}

TEST(WordCommon, TabsRightOnAndParagraphCodes) {
  Paragraph p;
  start_document(p);
  // A leading tab: an indent, no byte; a second one: both tabs, no indent.
  EXPECT_EQ(tab_bytes(p), 0);
  EXPECT_TRUE(p.flags & kParaFirstIndent);
  EXPECT_EQ(tab_bytes(p), 2);
  EXPECT_FALSE(p.flags & kParaFirstIndent);
  EXPECT_EQ(p.tab_count, 2);
  EXPECT_EQ(p.column, 10);  // two default stops on

  next_paragraph(p);
  EXPECT_EQ(right_on(p), 0);  // at the start: flush right
  EXPECT_EQ(p.flags, kParaFlushRight);
  p.column = 70;
  EXPECT_EQ(right_on(p), 1);  // the stops among the 9 columns up to the margin: one

  // Off codes at the start of a paragraph end the property there; after
  // text, with the next paragraph.
  next_paragraph(p);
  StreamItem item;
  item.kind = StreamItem::Kind::Code;
  item.value = CenterOn;
  apply_paragraph_code(p, item);
  advance(p);
  item.value = CenterOff;
  apply_paragraph_code(p, item);
  EXPECT_EQ(p.flags & kParaCentred, kParaCentred);
  EXPECT_EQ(p.carried & kParaCentred, 0u);
  next_paragraph(p);
  item.value = RightOff;
  p.flags = p.carried = kParaFlushRight;
  apply_paragraph_code(p, item);
  EXPECT_EQ(p.flags, 0u);

  // Tab codes replace the default stops; kinds outside 1 to 5 are left stops.
  item.value = SetTab;
  item.op1 = 9;
  item.op2 = 12;
  EXPECT_TRUE(apply_paragraph_code(p, item));
  EXPECT_EQ(p.tab_state, kTabsChanged);
  EncodedTab stops[4];
  ASSERT_EQ(encode_tab_stops(p.tabs, 120, stops, 4), 1);
  EXPECT_EQ(stops[0].position, 1440);
  EXPECT_EQ(stops[0].kind, 0);
  item.op2 = 255;
  apply_paragraph_code(p, item);
  ASSERT_EQ(encode_tab_stops(p.tabs, 1524, stops, 4), 2);
  EXPECT_EQ(stops[1].position, 32767);  // kept within 16 bits

  item.value = BoldOn;
  EXPECT_FALSE(apply_paragraph_code(p, item));
  unsigned attrs = kAttrUnderline;
  EXPECT_TRUE(apply_attribute_code(DoubleUnderlineOn, attrs));
  EXPECT_TRUE(apply_attribute_code(DoubleUnderlineOff, attrs));
  EXPECT_EQ(attrs, kAttrUnderline);  // plain underline stays on
  EXPECT_FALSE(apply_attribute_code(CenterOn, attrs));
}

}  // namespace
}  // namespace lettrix::word
