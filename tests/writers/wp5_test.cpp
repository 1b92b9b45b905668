#include "writers/wp5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "test_util.h"
#include "writers/wp5_check.h"

namespace lettrix {
namespace {

using testing::bytes;
using testing::ScratchDir;
using testing::stream_of;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

std::string write_wp5(const std::string& stream, int* rc = nullptr) {
  ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  const int result = dest_wp5(dir.file("s").c_str(), dir.file("t").c_str());
  if (rc) *rc = result;
  return testing::exists(dir.file("t")) ? testing::read_file(dir.file("t")) : std::string();
}

std::string hex(const std::string& s) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string h;
  for (unsigned char c : s) {
    h += kDigits[c >> 4];
    h += kDigits[c & 15];
    h += ' ';
  }
  return h;
}

std::string le16(unsigned v) { return bytes({static_cast<int>(v & 0xFF), static_cast<int>(v >> 8)}); }
std::string zeros(std::size_t n) { return std::string(n, '\0'); }

// A variable-length function around its data.
std::string function(int c, int sub, const std::string& data) {
  const unsigned length = static_cast<unsigned>(data.size() + 4);
  return bytes({c, sub}) + le16(length) + data + le16(length) + bytes({sub, c});
}

std::string margins(unsigned old_left, unsigned old_right, unsigned new_left, unsigned new_right) {
  return function(0xD0, 1, le16(old_left) + le16(old_right) + le16(new_left) + le16(new_right));
}

std::string le32(unsigned v) { return le16(v & 0xFFFF) + le16(v >> 16); }

// The prefix: the file header, one index block (its own entry, the fonts
// used at 66, the font name pool after them, two unused entries), a record
// of 86 bytes for each font (its name's offset in the pool at 18, 10 points
// in 3600ths at 22), the pool; the text at 547.
std::string prefix() {
  std::string records, pool;
  for (const char* name : {"Times New Roman", "Symbol", "Arial", "Courier New", "Wingdings"}) {
    records += zeros(18) + le16(static_cast<unsigned>(pool.size())) + zeros(2) + le16(500) + zeros(62);
    pool += std::string(name) + '\0';
  }
  return bytes({0xFF, 'W', 'P', 'C'}) + le32(547) + bytes({1, 0x0A, 0, 0, 0, 0, 0, 0}) + le16(0xFFFB) + le16(5) +
         le16(50) + le32(0) + le16(2) + le32(430) + le32(66) + le16(7) + le32(51) + le32(496) + zeros(20) + records +
         pool;
}
const std::string kPrefix = prefix();
// Prefix, then margins of 5 and 95 columns: 600 units from either edge.
const std::string kStart = kPrefix + margins(0, 0, 600, 600);

std::string tab_function(int flags) { return bytes({0xC1, flags}) + zeros(6) + bytes({0xC1}); }
const std::string kPlainTab = tab_function(0x02);
// Justification from one mode to another (0 left, 1 full, 2 centred, 3 right).
std::string justification(int from, int to) { return function(0xD0, 6, bytes({from, to})); }
// Font change: the font's number at 25, its size in 3600ths at 28.
std::string font(int number, unsigned points) {
  return function(0xD1, 1, zeros(25) + bytes({number}) + zeros(2) + le16(points * 50) + zeros(2));
}
// At a paragraph's start: its lines at a position, its first line at another.
std::string indent(unsigned units) { return bytes({0xC2}) + zeros(5) + le16(units) + zeros(2) + bytes({0xC2}); }
std::string first_line(unsigned units) { return bytes({0xC1}) + zeros(3) + le16(units) + zeros(2) + bytes({0xC1}); }
// What a header, footer or note states before its text.
const std::string kEmbeddedLook = justification(0, 0) + font(0, 10);

struct Stop {
  int column;
  int kind;  // stream kind
};

std::vector<Stop> default_stops() {
  std::vector<Stop> s;
  for (int c = 0; c <= 120; c += 5) s.push_back({c, 1});
  return s;
}

// One tab set: position 0, the stops at (5 + column) * 120, unused 0xFFFF,
// then the kinds (stream kind - 1), four bits each, the even one high.
std::string stop_block(const std::vector<Stop>& stops) {
  std::string positions = le16(0);
  std::vector<int> kinds(40, 0);
  for (std::size_t i = 0; i < stops.size() && i < 39; ++i) {
    positions += le16(static_cast<unsigned>((5 + stops[i].column) * 120));
    kinds[i + 1] = stops[i].kind - 1;
  }
  while (positions.size() < 80) positions += le16(0xFFFF);
  for (int k = 0; k < 40; k += 2) positions += static_cast<char>((kinds[k] << 4) | kinds[k + 1]);
  return positions;
}

std::string tab_set(const std::vector<Stop>& old_stops, const std::vector<Stop>& new_stops) {
  return function(0xD0, 4, stop_block(old_stops) + stop_block(new_stops) + le16(600) + le16(600));
}

#define EXPECT_WP5(stream, body) \
  EXPECT_EQ(hex(write_wp5(stream)), hex(kStart + (body))) << print_stream(stream)

TEST(Wp5Writer, DocumentStartAndEmptyStream) {
  int rc = -9;
  const std::string empty = write_wp5("", &rc);
  EXPECT_EQ(rc, 0) << "a blank document is an empty WordPerfect document";
  EXPECT_EQ(hex(empty), hex(kStart));
  EXPECT_EQ(empty.size(), 547u + 16u);
  EXPECT_EQ(wp5::layout_problem(empty), "");
  EXPECT_EQ(hex(write_wp5("Hi", &rc)), hex(kStart + "Hi"));
  EXPECT_EQ(rc, 0);
}

TEST(Wp5Writer, TextBytesAndSimpleCodes) {
  const std::string picture = stream_of("{Picture 1 92x13 0d5C}");
  const struct {
    std::string stream, body;
  } cases[] = {
      {"a-b", "a\xA9" "b"},
      {"a\nb", "a\rb"},
      {"a\x0c" "b", "a\x0c" "b"},
      {"a\x0b" "b", "ab"},
      {"a\x80\xFF" "b", "ab"},
      {bytes({'a', 0, 0x7F, 'b'}), "a_b"},
      {"\r", "\n"},
      {code(Backslash), "\\"},
      {code(HardSpace), "\xA0"},
      {code(PageNumber), "\x02"},
      {code(FieldOpen) + "x" + code(FieldClose), "\x03x"},
      {code(TableChar, 1, 41), bytes({0xC0, 41, 1, 0xC0})},
      {code(TableChar, 6, 99) + code(TableChar, 14, 255), bytes({0xC0, 99, 6, 0xC0, 0xC0, 255, 14, 0xC0})},
      {code(TableChar, 0, 41) + code(TableChar, 15, 41), ""},
      {code(SoftHyphen) + "\nx", "\xAD" "x"},
      {code(SoftHyphen) + "x", "\xAC" "x"},
      {code(BoldOn) + code(BoldOff), bytes({0xC3, 12, 0xC3, 0xC4, 12, 0xC4})},
      {code(UnderlineOn) + code(UnderlineOff), bytes({0xC3, 14, 0xC3, 0xC4, 14, 0xC4})},
      {code(SubscriptOn) + code(SuperscriptOn), bytes({0xC3, 6, 0xC3, 0xC3, 5, 0xC3})},
      {code(ItalicOn) + code(StrikeOff), bytes({0xC3, 8, 0xC3, 0xC4, 13, 0xC4})},
      {code(CapsOn) + code(DoubleUnderlineOff), bytes({0xC3, 15, 0xC3, 0xC4, 11, 0xC4})},
      {code(HiddenOn) + code(ShadowOn) + code(OutlineOn) + code(SmallCapsOn) + code(CharSet, 0, 1) + code(LeftOn),
       ""},
      // Codes without a WordPerfect form go with exactly their operands.
      {stream_of("{Code 0x52}a{Code 0x99 13,92}b"), "ab"},
      {stream_of("{StyleSheet 780D5C}c") + picture + "d", "cd"},
      {code(LineSpacing, 8, 12), function(0xD0, 2, bytes({0, 1, 0x80, 1}))},
      {code(LineSpacing, 12, 16), function(0xD0, 2, bytes({0x80, 1, 0, 2}))},
      {code(TextColour, 0, 2), function(0xD1, 0, zeros(3) + bytes({0, 0, 171}))},
      {code(TextColour, 0, 6), function(0xD1, 0, zeros(3) + bytes({171, 0, 0}))},
      {code(TextColour, 0, 8), function(0xD1, 0, zeros(3) + bytes({255, 255, 255}))},
      {code(TextColour, 0, 12), function(0xD1, 0, zeros(3) + bytes({127, 0, 127}))},
      {code(TextColour, 0, 16), function(0xD1, 0, zeros(3) + bytes({171, 171, 171}))},
      {code(TextColour, 0, 0) + code(TextColour, 0, 17), ""},
  };
  for (const auto& c : cases) EXPECT_WP5(c.stream, c.body);
}

// Alignment, margins and indents take effect with the next paragraph that
// has content, the font and size before the next character; in that order.
TEST(Wp5Writer, LookWrittenBeforeTheContent) {
  const struct {
    std::string stream, body;
  } cases[] = {
      // Font classes through the PC fonts; a class of no known kind, and
      // class 0, are the document's font; a size of 0 keeps the size.
      {code(Font, 0, 2) + "x", font(2, 10) + "x"},
      {code(Font, 0, 5) + code(FontSize, 246, 244) + "x", font(3, 12) + "x"},
      {code(Font, 0, 3) + "x" + code(Font, 3, 4) + "y", font(1, 10) + "x" + font(4, 10) + "y"},
      {code(Font, 0, 9) + code(FontSize, 246, 238) + "x", font(0, 18) + "x"},
      {code(Font, 0, 1) + code(FontSize, 246, 0) + "x" + code(Font, 1, 2) + code(Font, 2, 0) + "y", "xy"},
      {code(Font, 0, 2) + code(TableChar, 1, 41), font(2, 10) + bytes({0xC0, 41, 1, 0xC0})},
      {code(Font, 0, 2) + code(FontSize, 246, 244), ""},
      // Centring before full justification before flush right.
      {code(CenterOn) + "T" + code(CenterOff) + "\r" + "U", justification(0, 2) + "T\n" + justification(2, 0) + "U"},
      {code(JustifyOn) + code(CenterOn) + "a\r" + code(CenterOff) + "b", justification(0, 2) + "a\n" + justification(2, 1) + "b"},
      {code(RightOn) + "\tR" + code(RightOff), justification(0, 3) + kPlainTab + "R"},
      {"a" + code(CenterOn) + "b\rc", "ab\n" + justification(0, 2) + "c"},
      {code(CenterOn) + "\r" + code(CenterOff) + "x", "\nx"},
      // Margins: the left one an indent at each paragraph, the right one the page's.
      {code(LeftMargin, 0, 10) + "a\rb", indent(1800) + "a\n" + indent(1800) + "b"},
      {code(LeftMargin, 0, 3) + code(IndentHere, 0, 2) + "a\r" + code(IndentReset, 2, 0) + "b",
       indent(1200) + first_line(960) + "a\n" + indent(960) + "b"},
      {code(Indent2, 0, 4) + "a", first_line(1080) + "a"},
      {code(LeftMargin, 0, 3) + code(Indent2, 0, 4) + code(PageNumber), indent(960) + first_line(1440) + "\x02"},
      {code(RightMargin, 79, 70) + "x", margins(600, 600, 600, 3000) + "x"},
      {code(RightMargin, 79, 200) + "x", margins(600, 600, 600, 0) + "x"},
      {code(LeftMargin, 0, 10) + code(RightMargin, 79, 70) + code(JustifyOn) + code(FontSize, 0, 244) +
           code(IndentHere, 0, 1) + "x",
       margins(600, 600, 600, 3000) + justification(0, 1) + font(0, 12) + indent(1920) + first_line(1800) + "x"},
  };
  for (const auto& c : cases) EXPECT_WP5(c.stream, c.body);
}

TEST(Wp5Writer, ColumnDefinitions) {
  // Between 5 and 95 columns: two columns 45 wide, 400 units apart.
  EXPECT_WP5(code(Columns, 2, 0),
             function(0xD2, 1, zeros(97) + bytes({0x42}) + le16(600) + le16(6000) + le16(6400) + le16(11800) + zeros(88)));
  // 30 columns do not fit: 24 of them, 3 columns wide each.
  std::string edges;
  for (unsigned i = 0, start = 600; i < 24; ++i, start += 360 + 400) edges += le16(start) + le16(start + 360);
  EXPECT_WP5(code(Columns, 30, 0), function(0xD2, 1, zeros(97) + bytes({0x58}) + edges));
  EXPECT_WP5(code(Columns, 0, 0) + "x", "x");
}

TEST(Wp5Writer, TabsLookUpStopsFromTheColumn) {
  const std::string centred = tab_function(0xCA);
  // Two tabs in a row find the same centred stop; the next tab and the
  // paragraph end each close the open alignment.
  EXPECT_WP5(code(SetTab, TabCentre, 3) + "ab\t\tc\r\td\r",
             tab_set(default_stops(), {{3, 2}}) + "ab" + centred + "\x83" + centred + "c\x83\n" + centred + "d\x83\n");
  // A tab does not move the column: after "\tx" the next stop is still the
  // right stop at 4; after four more characters the decimal stop at 8, which
  // is written as a plain tab.
  EXPECT_WP5(code(SetTab, TabRight, 4) + code(SetTab, TabDecimal, 8) + "\tx\tabcd\ty",
             tab_set(default_stops(), {{4, 3}, {8, 4}}) + tab_function(0x4A) + "x\x83" + tab_function(0x4A) +
                 "abcd\x83" + kPlainTab + "y");
  // The default stops: a left stop every 5 columns.
  EXPECT_WP5("\t\t", kPlainTab + kPlainTab);
  // Later changes merge into the stops in force; a bar stop is a left stop.
  EXPECT_WP5(code(SetTab, TabLeft, 10) + "a" + code(ClearTab, 1, 10) + code(SetTab, TabBar, 12) + "\r",
             tab_set(default_stops(), {{10, 1}}) + "a\n" + tab_set({{10, 1}}, {{12, 1}}));
  EXPECT_WP5(code(SetTab, TabLeft, 10) + "a" + code(ClearAllTabs) + "\t",
             tab_set(default_stops(), {{10, 1}}) + "a" + tab_set({{10, 1}}, {}) + kPlainTab);
  // At most 39 stops fit.
  std::string many;
  std::vector<Stop> stops;
  for (int c = 1; c <= 50; ++c) {
    many += code(SetTab, TabLeft, c);
    stops.push_back({c, 1});
  }
  EXPECT_WP5(many + "x", tab_set(default_stops(), stops) + "x");
}

TEST(Wp5Writer, TabChangesInsideHeaderWrittenThereAndAfter) {
  const std::string stream =
      code(HeaderAll, 0, 0) + code(SetTab, TabLeft, 10) + "H" + code(SetTab, TabRight, 20) + "I" + code(EndOfText) + "x";
  const std::string inside = tab_set(default_stops(), {{10, 1}});
  const unsigned length = 18 + static_cast<unsigned>(inside.size() + kEmbeddedLook.size()) + 2 + 4;
  EXPECT_WP5(stream, bytes({0xD5, 0}) + le16(length) + zeros(7) + bytes({1}) + zeros(10) + inside + kEmbeddedLook + "HI" + le16(length) +
                         bytes({0, 0xD5}) + tab_set(default_stops(), {{10, 1}, {20, 3}}) + "x");
}

TEST(Wp5Writer, HeadersFootersAndNotes) {
  auto header_footer = [](int sub, int occurrence, const std::string& text) {
    const unsigned length = static_cast<unsigned>(22 + text.size());
    return bytes({0xD5, sub}) + le16(length) + zeros(7) + bytes({occurrence}) + zeros(10) + text + le16(length) +
           bytes({sub, 0xD5});
  };
  // Three characters of footer text after its look: 18 bytes of data, the
  // text, 4 closing bytes.
  EXPECT_WP5(code(FooterAll, 0, 0) + "abc" + code(EndOfText), bytes({0xD5, 2, 25 + 50, 0}) + zeros(7) + bytes({1}) +
                                                                   zeros(10) + kEmbeddedLook + "abc" +
                                                                   bytes({25 + 50, 0, 2, 0xD5}));
  const struct {
    int code, sub, occurrence;
  } kinds[] = {{HeaderEven, 0, 3}, {HeaderOdd, 1, 2}, {HeaderAll, 0, 1},
               {FooterEven, 2, 3}, {FooterOdd, 3, 2}, {FooterAll, 2, 1}};
  for (const auto& k : kinds)
    EXPECT_WP5(code(k.code, 0, 0) + "T\r" + code(EndOfText) + "b",
               header_footer(k.sub, k.occurrence, kEmbeddedLook + "T\n") + "b");

  auto note = [](int sub, const std::string& text) {
    const std::string lead = zeros(4) + bytes({0xFF, 0xFF}) + zeros(sub == 0 ? 9 : 2) + bytes({0x8D});
    const unsigned length = static_cast<unsigned>(lead.size() + text.size() + 4);
    return bytes({0xD6, sub}) + le16(length) + lead + text + le16(length) + bytes({sub, 0xD6});
  };
  EXPECT_WP5("a" + code(NoteCall, 0, 1) + "N" + code(EndOfText) + "b", "a" + note(0, kEmbeddedLook + "N") + "b");
  // The operands carry the note's number (Nisus Writer's first note is 1, 0):
  // every note is a footnote.
  EXPECT_WP5("a" + code(NoteCall, 1, 0) + "N" + code(EndOfText), "a" + note(0, kEmbeddedLook + "N"));
  EXPECT_WP5("a" + code(NoteCall, 7, 0) + "N" + code(EndOfText), "a" + note(0, kEmbeddedLook + "N")) << "a number is no kind of note";
  // A stream that ends inside a note still closes it; an embedded text
  // opened inside another closes that one first; a stray end mark is ignored.
  EXPECT_WP5("a" + code(NoteCall, 0, 1) + "N", "a" + note(0, kEmbeddedLook + "N"));
  EXPECT_WP5(code(NoteCall, 0, 1) + "N" + code(HeaderAll, 0, 0) + "H" + code(EndOfText) + code(EndOfText) + "b",
             note(0, kEmbeddedLook + "N") + header_footer(0, 1, kEmbeddedLook + "H") + "b");
  // A centred tab open at the end of a note ends inside it; the body's own
  // alignment and column go on after the note.
  EXPECT_WP5(code(SetTab, TabCentre, 3) + "ab\t" + code(NoteCall, 0, 1) + "\t" + code(EndOfText) + "c\t",
             tab_set(default_stops(), {{3, 2}}) + "ab" + tab_function(0xCA) +
                 note(0, kEmbeddedLook + tab_function(0xCA) + "\x83") + "c\x83" + kPlainTab);
}

TEST(Wp5Writer, ColumnControlsSkipWholeCodes) {
  const std::string definition =
      function(0xD2, 1, zeros(97) + bytes({0x42}) + le16(600) + le16(6000) + le16(6400) + le16(11800) + zeros(88));
  // The column break skips the rest of the paragraph code by code: the 0x0D
  // operands inside codes do not end it.
  const std::string stream = stream_of("{Columns 2,0}{ColumnControl}{ColumnControl50}{ColumnControl51}"
                                       "ab{TableChar 1,13}{Code 0x99 13,13}cd¶e{ColumnControl51}fg¶");
  EXPECT_WP5(stream, definition + "\x87\x0C" "e\xAF" "g\n");
  // The end of a note is not skipped.
  EXPECT_WP5(code(Columns, 2, 0) + code(0x4D) + code(NoteCall, 0, 1) + code(0x51) + "x" + code(EndOfText) + "z",
             definition +
                 function(0xD6, 0, zeros(4) + bytes({0xFF, 0xFF}) + zeros(9) + bytes({0x8D, 0x0C})) + "z");
}

TEST(Wp5Writer, LongTextsStayWhole) {
  // A note longer than a function can hold: its function closes full and the
  // rest of its text follows in the body; nothing is lost.
  const std::string long_note = "a" + code(NoteCall, 0, 1) + std::string(70000, 'x') + code(EndOfText) + "b";
  int rc = -9;
  std::string out = write_wp5(long_note, &rc);
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(wp5::layout_problem(out), "");
  EXPECT_EQ(std::count(out.begin(), out.end(), 'x'), 70000);
  EXPECT_EQ(out.back(), 'b');
  // The body goes to the target in blocks of 64 KB.
  const std::string text(3 * 65536, 'y');
  out = write_wp5(text + "\t" + code(FontSize, 0, 244) + "z");
  EXPECT_EQ(out, kStart + text + kPlainTab + font(0, 12) + "z");
}

TEST(Wp5Writer, FilesThatCannotBeOpened) {
  ScratchDir dir;
  EXPECT_EQ(dest_wp5(dir.file("missing").c_str(), dir.file("t").c_str()), -1);
  EXPECT_FALSE(testing::exists(dir.file("t")));
  testing::write_file(dir.file("s"), "x");
  EXPECT_EQ(dest_wp5(dir.file("s").c_str(), dir.file("no/such/dir/t").c_str()), -1);
  // A full disk is a failure, not a document.
  if (testing::exists("/dev/full")) {
    testing::write_file(dir.file("big"), std::string(200000, 'x') + "\r");
    EXPECT_EQ(dest_wp5(dir.file("big").c_str(), "/dev/full"), -1);
    EXPECT_EQ(dest_wp5(dir.file("s").c_str(), "/dev/full"), -1);
  }
}

TEST(Wp5Check, FindsBrokenFunctions) {
  const std::string good = write_wp5(code(FooterAll, 0, 0) + "ab" + code(NoteCall, 0, 1) + code(EndOfText) + "\t\r");
  EXPECT_EQ(wp5::layout_problem(good), "");
  EXPECT_NE(wp5::layout_problem(good.substr(0, good.size() - 3)), "") << "cut";
  EXPECT_NE(wp5::layout_problem(good.substr(0, 60)), "") << "no prefix";
  std::string wrong_length = good;
  wrong_length[kStart.size() + 2] = 26;
  EXPECT_NE(wp5::layout_problem(wrong_length), "");
  EXPECT_NE(wp5::layout_problem(kStart + bytes({0xC3, 12, 0xC4})), "") << "closing code";
  EXPECT_NE(wp5::layout_problem(kStart + bytes({0xC9, 0, 0xC9})), "") << "not written by us";
  EXPECT_NE(wp5::layout_problem(kStart + bytes({'a', 0x7F})), "") << "a byte that cannot stand alone";
  const std::string nested = write_wp5(code(FooterAll, 0, 0) + "x" + code(EndOfText));
  const std::string inner = nested.substr(kStart.size());
  std::string outer = bytes({0xD5, 2}) + le16(static_cast<unsigned>(22 + inner.size())) + zeros(7) + bytes({1}) +
                      zeros(10) + inner + le16(static_cast<unsigned>(22 + inner.size())) + bytes({2, 0xD5});
  EXPECT_NE(wp5::layout_problem(kStart + outer), "") << "footer inside a footer";
}

}  // namespace
}  // namespace lettrix
