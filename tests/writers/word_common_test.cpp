// What the Word writers share: the copy of an embedded text into a work
// file and what its codes leave for the text after it, indents, tabs,
// RightOn, and paragraph codes.
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

TEST(WordCommon, EmbeddedTextCodesHoldForTheTextAfterIt) {
  auto in = testing::memory_stream(code(FontSize, 244, 246) + code(Font, 0, FontSans) + code(BoldOn) +
                                   code(LeftMargin, 0, 3) + code(CenterOn) + code(0x92, 8, 16) + "note" +
                                   code(CharSet, 0, 1) + code(EndOfText) + "after");
  FilePtr work = open_work_file();
  ASSERT_TRUE(work);
  Paragraph p;
  start_document(p);
  StateAfter after;
  after.paragraph = &p;
  after.attrs = kAttrItalic;
  bool ended = false;
  BlockInput input(in.get());
  EXPECT_TRUE(copy_embedded_text(input, work.get(), ended, &after));
  EXPECT_EQ(after.attrs, kAttrItalic | kAttrBold);
  EXPECT_EQ(after.font, FontSans);
  EXPECT_EQ(after.font_size, 246);
  EXPECT_EQ(after.charset, 1);
  EXPECT_EQ(p.indents.left_margin, 3) << "the paragraph after it holds no text yet";
  EXPECT_TRUE(p.flags & kParaCentred);
  EXPECT_EQ(p.ps.line_spacing, 8) << "a reserved spacing code is not LineSpacing";
}

TEST(WordCommon, IndentsAsTheRtfWriterStatesThem) {
  // Codes before the paragraph's text (columns of 144 twips): left indent
  // from the page margin, first line from the left indent, right indent.
  struct Case {
    std::string codes;
    long long left, first, right;
  };
  const Case cases[] = {
      {"", 0, 0, 0},
      {code(LeftMargin, 0, 3), 432, 0, 0},
      {code(LeftMargin, 0, 3) + code(IndentHere, 0, 2), 720, -288, 0},
      {code(Indent2, 0, 5), 0, 720, 0},
      {code(LeftMargin, 0, 2) + code(Indent2, 0, 3), 288, 432, 0},
      {code(IndentHere, 0, 4) + code(Indent2, 0, 3), 576, -576, 0},  // the hanging indent wins
      {code(RightMargin, 79, 69), 0, 0, 1440},
      {code(RightMargin, 79, 90), 0, 0, 0},  // beyond the full line: no right indent
      {code(LeftMargin, 0, 3) + code(IndentHere, 0, 2) + code(IndentReset, 2, 0), 432, 0, 0},
  };
  for (const Case& c : cases) {
    Paragraph p;
    start_document(p);
    auto in = testing::memory_stream(c.codes);
    BlockInput input(in.get());
    for (StreamItem item; read_stream_item(input, item);) EXPECT_TRUE(apply_paragraph_code(p, item));
    const IndentTwips t = indent_twips(p.indents);
    EXPECT_EQ(t.left, c.left) << print_stream(c.codes);
    EXPECT_EQ(t.first, c.first) << print_stream(c.codes);
    EXPECT_EQ(t.right, c.right) << print_stream(c.codes);
    EXPECT_EQ(has_indents(p), c.left != 0 || c.first != 0 || c.right != 0);
  }

  // After text a code is the next paragraph's; the stops count from the new
  // left margin.
  Paragraph p;
  start_document(p);
  StreamItem item;
  item.kind = StreamItem::Kind::Code;
  item.value = SetTab;
  item.op1 = TabLeft;
  item.op2 = 10;
  apply_paragraph_code(p, item);
  advance(p);
  item.value = LeftMargin;
  item.op2 = 3;
  apply_paragraph_code(p, item);
  EXPECT_EQ(p.indents.left_margin, 0);
  EncodedTab stop[1];
  ASSERT_EQ(encode_tab_stops(p.tabs, 144, stop, 1, p.indents.left_margin), 1);
  EXPECT_EQ(stop[0].position, 1440);
  next_paragraph(p);
  EXPECT_EQ(p.indents.left_margin, 3);
  ASSERT_EQ(encode_tab_stops(p.tabs, 144, stop, 1, p.indents.left_margin), 1);
  EXPECT_EQ(stop[0].position, 1872);
}

TEST(WordCommon, TabsRightOnAndParagraphCodes) {
  Paragraph p;
  start_document(p);
  // Tabs are written as tabs, a leading one too; each moves to the next stop.
  tab_written(p);
  tab_written(p);
  EXPECT_EQ(p.tab_count, 2);
  EXPECT_EQ(p.column, 10);  // two default stops on
  EXPECT_FALSE(p.empty);

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
