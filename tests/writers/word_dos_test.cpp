// The Word 3/4/5 DOS writer: what each stream construct becomes in the text,
// the character and paragraph runs and the footnote table, read back from
// the written document.
#include "writers/word_dos.h"

#include <gtest/gtest.h>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/handler.h"
#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "test_util.h"
#include "writers/word_dos_document.h"

namespace lettrix {
namespace {

using testing::bytes;
using testing::DosDocument;
using Bytes = std::vector<std::uint8_t>;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

DosDocument convert(const std::string& stream, int expected_rc = 0) {
  std::string target;
  const int rc = testing::word_dos_of(stream, target);
  EXPECT_EQ(rc, expected_rc) << print_stream(stream);
  DosDocument d = testing::read_dos_document(target);
  EXPECT_EQ(d.error, "") << print_stream(stream);
  return d;
}

Bytes record_at(const std::vector<testing::DosRun>& runs, std::uint32_t offset) {
  for (const auto& r : runs)
    if (offset >= r.start && offset < r.end) return r.is_default ? Bytes{0xFF, 0xFF} : r.record;
  return {};
}
Bytes char_record(const DosDocument& d, const std::string& text) { return record_at(d.chars, d.offset_of(text)); }
const testing::DosRun& para_of(const DosDocument& d, const std::string& text) {
  static const testing::DosRun none;
  const testing::DosRun* r = d.para_at(d.offset_of(text));
  return r ? *r : none;
}

const Bytes kDefault{0xFF, 0xFF};
// Ten points in the document's font, roman a (font 16 in bits 2 to 7).
const Bytes kTenPoints{0, 0x40, 20};

TEST(WordDosWriter, PlainTextIsOneTenPointRunAndOnlyTwelvePointCourierIsDefault) {
  DosDocument d = convert("Plain text\ron two lines");
  EXPECT_EQ(d.text, "Plain text\r\non two lines\r\n");  // the last paragraph gets its mark
  ASSERT_EQ(d.chars.size(), 1u);
  EXPECT_EQ(d.chars[0].record, kTenPoints);
  EXPECT_EQ(d.chars[0].end, d.text_limit);

  d = convert(code(FontSize, 246, 244) + "big" + code(FontSize, 244, 246) + "small" + code(FontSize, 246, 244) +
              code(Font, 0, FontFixed) + "big");
  ASSERT_EQ(d.chars.size(), 3u);
  EXPECT_EQ(d.chars[0].record, (Bytes{0, 0x40, 24}));
  EXPECT_EQ(d.chars[1].record, kTenPoints);
  EXPECT_TRUE(d.chars[2].is_default) << "font 0 at 12 points: Word's own default";

  // The paragraph pages end with two default entries: at the text limit and
  // one byte past it.
  ASSERT_GE(d.paras.size(), 3u);
  const auto& last = d.paras.back();
  const auto& before = d.paras[d.paras.size() - 2];
  EXPECT_TRUE(last.is_default && before.is_default);
  EXPECT_EQ(before.end, d.text_limit);
  EXPECT_EQ(last.end, d.text_limit + 1);
}

TEST(WordDosWriter, CharacterAttributesBecomeRecordBits) {
  struct Case {
    std::string on, off;
    Bytes record;
  };
  const Case cases[] = {
      {code(BoldOn), code(BoldOff), {0, 0x41, 20}},
      {code(ItalicOn), code(ItalicOff), {0, 0x42, 20}},
      {code(UnderlineOn), code(UnderlineOff), {0, 0x40, 20, 1}},
      {code(StrikeOn), code(StrikeOff), {0, 0x40, 20, 2}},
      {code(DoubleUnderlineOn), code(DoubleUnderlineOff), {0, 0x40, 20, 4}},
      {code(CapsOn), code(CapsOff), {0, 0x40, 20, 0x10}},
      {code(SmallCapsOn), code(SmallCapsOff), {0, 0x40, 20, 0x20}},
      {code(SuperscriptOn), code(SuperscriptOff), {0, 0x40, 20, 0, 0, 12}},
      {code(SubscriptOn), code(SubscriptOff), {0, 0x40, 20, 0, 0, 0xF4}},
      {code(Font, 0, FontSerif), code(Font, FontSerif, 0), {0, 0x40, 20}},
      {code(Font, 0, FontSans), code(Font, FontSans, 0), {0, 0x04, 20}},
      {code(Font, 0, FontFixed) + code(BoldOn), code(BoldOff) + code(Font, FontFixed, 0), {0, 0x01, 20}},
      {code(FontSize, 246, 238), code(FontSize, 238, 246), {0, 0x40, 36}},
      // Two attributes of a pair on at once stay two.
      {code(DoubleUnderlineOn) + code(SuperscriptOn), code(SuperscriptOff) + code(DoubleUnderlineOff),
       {0, 0x40, 20, 4, 0, 12}},
      {code(BoldOn) + code(ItalicOn) + code(FontSize, 246, 244),
       code(FontSize, 244, 246) + code(ItalicOff) + code(BoldOff),
       {0, 0x43, 24}},
  };
  for (const Case& c : cases) {
    DosDocument d = convert("before " + c.on + "inside" + c.off + " after\r");
    EXPECT_EQ(d.text, "before inside after\r\n");
    EXPECT_EQ(char_record(d, "inside"), c.record) << print_stream(c.on);
    EXPECT_EQ(char_record(d, "before"), kTenPoints);
    EXPECT_EQ(char_record(d, " after"), kTenPoints);
    EXPECT_EQ(d.char_at(d.offset_of("inside"))->end, d.offset_of(" after"));
  }

  // Special characters: the page number is a one-character run of its own.
  DosDocument d = convert("p" + code(PageNumber) + "q" + code(HardSpace) + code(Backslash) + code(FieldOpen) + "f" +
                          code(FieldClose) + code(Backspace) + "w" + code(SoftHyphen) + "\nx" + code(SoftHyphen) + "y");
  EXPECT_EQ(d.text, "p\x01q\xFF\\\xAE" "f\xAF\x08w\x1Fx\x1Fy\r\n");
  EXPECT_EQ(char_record(d, "\x01"), (Bytes{0, 0x40, 20, 0x40}));
  EXPECT_EQ(d.char_at(d.offset_of("\x01"))->end, d.offset_of("\x01") + 1);
  EXPECT_EQ(char_record(d, "q"), kTenPoints);
  // Characters through code page 437; no table, no character.
  d = convert(code(TableChar, 1, 41) + code(TableChar, 0, 41) + code(TableChar, 15, 41) + "k");
  EXPECT_EQ(d.text, "\x82k\r\n");
}

TEST(WordDosWriter, ParagraphPropertiesFromTabsAlignmentAndSpacing) {
  // A tab stays a tab, a leading one too; Word's own stops serve until the
  // stream sets some.
  DosDocument d = convert("\tIndented\r");
  EXPECT_EQ(d.text, "\tIndented\r\n");
  EXPECT_TRUE(para_of(d, "Indented").is_default);
  // Stops of our own are stated in every paragraph from then on (position,
  // kind - 1, 0 from byte 22), with single spacing, counted from the left
  // margin; paragraphs of one ruler share their record.
  d = convert(code(SetTab, TabLeft, 8) + code(SetTab, TabRight, 30) + "\tX\tY\r" + "plain\r" +
              code(LeftMargin, 0, 2) + "moved\r");
  EXPECT_EQ(d.text, "\tX\tY\r\nplain\r\nmoved\r\n");
  const auto& p = para_of(d, "X");
  EXPECT_EQ(p.word(10), 240);
  EXPECT_EQ(p.record.size(), 21u + 8);
  EXPECT_EQ(Bytes(p.record.begin() + 22, p.record.end()), (Bytes{0x80, 0x04, 0, 0, 0xE0, 0x10, 2}));
  EXPECT_EQ(para_of(d, "plain").record, p.record);
  EXPECT_EQ(para_of(d, "moved").word(6), 288);
  EXPECT_EQ(para_of(d, "moved").word(22), 1440);
  EXPECT_EQ(para_of(d, "moved").word(26), 4608);
  // More than 19 stops: the 19 lowest are written.
  std::string many;
  for (int c = 100; c > 0; c -= 4) many += code(SetTab, TabLeft, c);
  d = convert(many + "a\tb\r");
  EXPECT_EQ(para_of(d, "a").record.size(), 21u + 4 * 19);
  EXPECT_EQ(para_of(d, "a").word(22), 4 * 144);
  EXPECT_EQ(para_of(d, "a").word(22 + 4 * 18), 76 * 144);

  // Margins and indents, in twips: right indent at byte 4, left indent at 6,
  // first line (from the left indent) at 8. A code after the paragraph's
  // text is the next paragraph's.
  d = convert(code(LeftMargin, 0, 3) + "left\r" + code(IndentHere, 0, 2) + "hang\r" + code(IndentReset, 2, 0) +
              code(Indent2, 0, 5) + "second\r" + code(RightMargin, 79, 69) + "right" + code(LeftMargin, 3, 0) +
              "\r" + code(IndentReset, 5, 0) + code(RightMargin, 69, 79) + "plain\r");
  const struct {
    const char* text;
    int right, left, first;
  } kIndents[] = {
      {"left", 0, 432, 0},    {"hang", 0, 720, -288}, {"second", 0, 432, 720},
      {"right", 1440, 432, 720}, {"plain", 0, 0, 0},
  };
  for (const auto& row : kIndents) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(para_of(d, row.text).word(4), row.right);
    EXPECT_EQ(para_of(d, row.text).word(6), row.left);
    EXPECT_EQ(para_of(d, row.text).word(8), row.first);
  }
  EXPECT_TRUE(para_of(d, "plain").is_default);
  EXPECT_EQ(para_of(d, "left").record, (Bytes{0x3C, 0, 0, 0, 0, 0, 0xB0, 0x01}));

  // Alignment. An off code at the start of the next paragraph ends it there.
  d = convert(code(CenterOn) + "Title\r" + code(CenterOff) + "Body\r" + code(JustifyOn) + "Just\r" + code(JustifyOff) +
              code(RightOn) + "Right\r" + code(RightOff) + "Left\r");
  EXPECT_EQ(para_of(d, "Title").byte(1), 1);
  EXPECT_TRUE(para_of(d, "Body").is_default);
  EXPECT_EQ(para_of(d, "Just").byte(1), 3);
  EXPECT_EQ(para_of(d, "Right").byte(1), 2);
  EXPECT_TRUE(para_of(d, "Left").is_default);
  // RightOn after text writes tabs toward the right margin (column 79) and
  // changes no property: 13 tabs from column 10 without stops; with one stop
  // before the margin, one tab.
  d = convert(code(ClearAllTabs) + "0123456789" + code(RightOn) + "r\r");
  EXPECT_EQ(d.text, "0123456789" + std::string(13, '\t') + "r\r\n");
  EXPECT_TRUE(para_of(d, "0123").is_default);
  d = convert(code(SetTab, TabLeft, 40) + "ab" + code(RightOn) + "r\r");
  EXPECT_EQ(d.text, "ab\tr\r\n");

  // Line spacing: 30 twips a unit.
  d = convert(code(LineSpacing, 8, 16) + "Double\r" + code(LineSpacing, 16, 8) + "Single\r");
  EXPECT_EQ(para_of(d, "Double").word(10), 480);
  EXPECT_TRUE(para_of(d, "Single").is_default);
  // Page break and line break.
  d = convert("a\fb\nc-\nd\r");
  EXPECT_EQ(d.text, "a\f\r\nb c-d\r\n");
}

TEST(WordDosWriter, HeadersAndFootersAreRunningHeadParagraphs) {
  DosDocument d = convert(code(HeaderAll, 0, 0) + "Head" + code(EndOfText) + code(FooterOdd, 0, 0) + code(CenterOn) +
                          "Foot\r" + code(EndOfText) + code(CenterOff) + "Body\r");
  EXPECT_EQ(d.text, "Head\r\nFoot\r\nBody\r\n");  // no empty paragraph after a footer's own mark
  EXPECT_EQ(para_of(d, "Head").record,
            (Bytes{0x3C, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 14}));
  EXPECT_EQ(para_of(d, "Foot").byte(16), 11);
  EXPECT_EQ(para_of(d, "Foot").byte(1), 1);
  EXPECT_TRUE(para_of(d, "Body").is_default);
  const std::pair<int, int> kinds[] = {{HeaderEven, 12}, {HeaderOdd, 10}, {HeaderAll, 14},
                                       {FooterEven, 13}, {FooterOdd, 11}, {FooterAll, 15}};
  for (const auto& [c, kind] : kinds) {
    d = convert("Before " + code(c, 0, 0) + "Running" + code(EndOfText) + "After\r");
    EXPECT_EQ(d.text, "Before \r\nRunning\r\nAfter\r\n");  // body text before it stays body text
    EXPECT_EQ(para_of(d, "Running").byte(16), kind);
    EXPECT_TRUE(para_of(d, "Before").is_default);
    EXPECT_TRUE(para_of(d, "After").is_default);
  }
}

TEST(WordDosWriter, FootnotesFollowTheTextWithTheirTable) {
  // Operands 0x7F inside a note (a character, a tab column) do not end it.
  const std::string stream = "One" + code(NoteCall, 0, 7) + "first" + code(TableChar, 1, 0x7F) +
                             code(ClearTab, TabLeft, 0x7F) + " note" + code(EndOfText) + " two" + code(NoteCall, 3, 0) +
                             code(BoldOn) + "second" + code(BoldOff) + code(EndOfText) + " end\r";
  DosDocument d = convert(stream);
  ASSERT_EQ(d.text.substr(0, 17), "One\x05 two\x05 end\r\n\x05\t");
  EXPECT_EQ(d.text.substr(17, 5), "first");
  EXPECT_EQ(d.text.substr(23), " note\r\n\x05\tsecond\r\n");
  EXPECT_EQ(d.note_count, 3u);
  ASSERT_EQ(d.notes.size(), 3u);
  const std::uint32_t end = d.text_limit - 128;
  EXPECT_EQ(d.notes[0], std::make_pair(3u, 15u));
  EXPECT_EQ(d.notes[1], std::make_pair(8u, 30u));
  EXPECT_EQ(d.notes[2], std::make_pair(end, end));
  // Reference marks are special one-character runs; the last paragraph of a
  // note is marked as such.
  EXPECT_EQ(record_at(d.chars, 128 + 3), (Bytes{0x1B, 0x40, 20, 0x40}));
  EXPECT_EQ(record_at(d.chars, 128 + 15), (Bytes{0x1B, 0x40, 20, 0x40}));
  EXPECT_EQ(char_record(d, "second"), (Bytes{0, 0x41, 20}));
  EXPECT_EQ(para_of(d, "first").record, Bytes{0x4F});  // nothing else set
  EXPECT_EQ(para_of(d, "second").record, Bytes{0x4F});
  EXPECT_EQ(para_of(d, "One").byte(0), 0);  // the main text's paragraph is default
  EXPECT_TRUE(para_of(d, "One").is_default);

  // Every paragraph of a note is note text.
  d = convert("x" + code(NoteCall, 0, 1) + code(CenterOn) + "centred\r" + code(CenterOff) + "plain" + code(EndOfText));
  EXPECT_EQ(para_of(d, "centred").record, (Bytes{0x4F, 1}));
  EXPECT_EQ(para_of(d, "plain").record, Bytes{0x4F});
  // A note that ends with its own paragraph mark gets no empty paragraph.
  d = convert("y" + code(NoteCall, 0, 1) + "ends\r" + code(EndOfText) + "z\r");
  EXPECT_EQ(d.text, "y\x05z\r\n\x05\tends\r\n");
  for (std::size_t i = 0; i + 2 < d.paras.size(); ++i) EXPECT_LT(d.paras[i].start, d.paras[i].end) << i;

  // A note that the stream never ends runs to its end; a header holds no note.
  d = convert("A" + code(NoteCall, 0, 1) + "tail");
  EXPECT_EQ(d.text, "A\x05\r\n\x05\ttail\r\n");
  EXPECT_EQ(d.note_count, 2u);
  d = convert(code(HeaderAll, 0, 0) + "H" + code(NoteCall, 0, 1) + "n" + code(EndOfText) + "B\r");
  EXPECT_EQ(d.text, "Hn\r\nB\r\n");
  EXPECT_EQ(d.note_count, 0u);
}

TEST(WordDosWriter, PagesFollowTheTextAndFillUp) {
  // 126 characters and a paragraph mark end on a page boundary: a whole page
  // of zeros follows before the character page.
  DosDocument d = convert(std::string(126, 'x') + "\r");
  EXPECT_EQ(d.text_limit, 256u);
  EXPECT_EQ(d.paragraph_page, 4u);
  EXPECT_EQ(d.footnote_page, 5u);
  EXPECT_EQ(d.end_page, 5u);

  // Thousands of runs and paragraphs spread over many pages.
  std::string stream;
  for (int i = 0; i < 3000; ++i)
    stream += code(BoldOn) + "b" + code(BoldOff) + "p" + (i % 3 == 0 ? code(CenterOn) : code(CenterOff)) + "\r";
  d = convert(stream);
  EXPECT_EQ(d.chars.size(), 6000u);
  EXPECT_GT(d.char_page_runs.size(), 100u);
  EXPECT_EQ(char_record(d, "bp"), (Bytes{0, 0x41, 20}));
  EXPECT_EQ(d.paras.size(), 3002u);
}

TEST(WordDosWriter, HostileAndEmptyStreams) {
  struct Case {
    const char* stream;  // printed form
    std::string text;
  };
  const Case cases[] = {
      {"", "\r\n"},                                      // an empty document: one empty paragraph
      {"ab{Truncated 5C}", "ab\r\n"},                    // ends inside a code
      {"ab{Truncated 5C8001}", "ab\r\n"},
      {"ab{Truncated 5C86050078}", "ab\r\n"},
      {"{Code 0x82 13,13}X¶", "X\r\n"},                  // unknown codes skipped with their operands
      {"{Code 0x4E}Y{TextColour 0,3}Z¶", "YZ\r\n"},
      {"p{Picture 1 1x1 a}q", "pq\r\n"},                 // a picture
      {"{EndOfText}s¶", "s\r\n"},                        // an end mark that ends nothing
      {"{FontSize 0,20}big¶", "big\r\n"},                // 236 points: kept to 127
      {"{Tab}", "\t\r\n"},
  };
  for (const Case& c : cases) {
    DosDocument d = convert(testing::stream_of(c.stream));
    EXPECT_EQ(d.text, c.text) << c.stream;
  }
  EXPECT_EQ(convert(code(FontSize, 0, 20) + "big\r").chars[0].record, (Bytes{0, 0x40, 254}));
}

TEST(WordDosWriter, TooLargeForPageNumbersFailsAndLeavesNothing) {
  // Refused as too large (the driver names the cause), never as a file that cannot be written.
  std::string text(8 * 1024 * 1024 + 1024, 'w');
  for (std::size_t i = 80; i < text.size(); i += 80) text[i] = '\r';
  std::string target = "x";
  EXPECT_EQ(testing::word_dos_of(text, target), kHandlerTooLarge);
  EXPECT_EQ(target, "");
  // Less text, but property pages beyond them.
  std::string runs;
  for (int i = 0; i < 400000; ++i) runs += "\\#a\\$b\r";
  target = "x";
  EXPECT_EQ(testing::word_dos_of(runs, target), kHandlerTooLarge);
  EXPECT_EQ(target, "");
  // More notes than the footnote table's 16-bit count can hold.
  std::string notes;
  const std::string note = "x" + code(NoteCall, 0, 0) + "n" + code(EndOfText);
  for (int i = 0; i < 65534; ++i) notes += note;
  DosDocument d = convert(notes);
  EXPECT_EQ(d.note_count, 65535u);
  target = "x";
  EXPECT_EQ(testing::word_dos_of(notes + note, target), kHandlerTooLarge);
  EXPECT_EQ(target, "");
  // Through the driver: the message names the cause and no target is left.
  testing::ScratchDir dir(true);
  testing::write_file("big.txt", text);
  init_path_buffers();
  choose_formats(SrcMacText, DstWordDos);
  const ConversionResult r = convert_file("big.txt");
  EXPECT_EQ(r.status, ConversionStatus::WriterFailed);
  EXPECT_EQ(r.message(), "the document is too large for the Word 3/4/5 DOS format");
  EXPECT_EQ(testing::dir_names(dir.path()), std::vector<std::string>{"big.txt"});
}

TEST(WordDosWriter, WorkFilesStayPrivate) {
  testing::ScratchDir dir(true);
  testing::write_file("s", "a" + code(NoteCall, 0, 1) + "note" + code(EndOfText) + "b\r");
  EXPECT_EQ(dest_word_dos("s", "t.doc"), 0);
  EXPECT_EQ(testing::dir_names(dir.path()), (std::vector<std::string>{"s", "t.doc"}));
  EXPECT_EQ(dest_word_dos("missing", "u.doc"), -1);
  EXPECT_EQ(testing::dir_names(dir.path()), (std::vector<std::string>{"s", "t.doc"}));
}

}  // namespace
}  // namespace lettrix
