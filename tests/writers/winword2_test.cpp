// The "Word Windows 2" writer: what each part of the stream becomes in the
// document, read back with the strict reading of tests/writers/winword2_file.h.
#include <gtest/gtest.h>

#include <string>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/handler.h"
#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "test_util.h"
#include "writers/winword2.h"
#include "writers/winword2_file.h"

namespace lettrix {
namespace {

using testing::bytes;
using testing::Ww2File;
using testing::Ww2Run;

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

std::string hex(const std::string& s) {
  std::string out;
  static const char* digits = "0123456789ABCDEF";
  for (unsigned char c : s) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}
std::string hex(const std::vector<std::uint8_t>& v) { return hex(std::string(v.begin(), v.end())); }

Ww2File convert(const std::string& stream) {
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  const int rc = dest_winword2(dir.file("s").c_str(), dir.file("t.doc").c_str());
  EXPECT_EQ(rc, 0) << print_stream(stream);
  Ww2File f = testing::read_ww2(testing::read_file(dir.file("t.doc")));
  EXPECT_EQ(f.error, "") << print_stream(stream);
  return f;
}

std::string char_record(const Ww2File& f, const std::string& text) {
  const Ww2Run* r = f.char_run_of(text);
  return r ? hex(r->record) : "(no run)";
}
std::string para_record(const Ww2File& f, const std::string& text) {
  const Ww2Run* r = f.para_run_of(text);
  return r ? hex(r->record) : "(no run)";
}

TEST(Ww2Writer, PlainTextAndEmptyDocuments) {
  const Ww2File f = convert("Hello\rworld");
  EXPECT_EQ(f.text(), "Hello\r\nworld\r\n\r\n") << "a mark is added, then the closing mark";
  EXPECT_EQ(f.main_length, 14u);
  EXPECT_EQ(f.footnote_length, 0u);
  EXPECT_EQ(f.header_length, 0u);
  EXPECT_EQ(hex(f.bytes.substr(f.text_limit, 7)), "06 8B 82 2E 8C C6 41");
  EXPECT_EQ(char_record(f, "Hello"), "07 00 00 02 00 00 00 14") << "10 points (the style's), font class 0: the document's font";
  EXPECT_EQ(hex(f.run_at(f.char_runs, f.text_limit)->record), "0E 00 02 00 00 00 00 14 00 00 00 00 00 00 04");
  EXPECT_EQ(para_record(f, "Hello"), "04 00 00 00 00 00 00 00 00");
  // Without notes the note tables are empty and the descriptors hold zeros.
  EXPECT_EQ(f.note_refs.length, 0u);
  EXPECT_EQ(f.note_texts.length, 0u);
  EXPECT_EQ(hex(f.table(f.note_pages)), "00 00 00 00 00 00 00 00 00 00 FF FF 00 00 01 00 00 00");
  EXPECT_EQ(f.headers.length, 0u);
  EXPECT_EQ(f.style_sheet.length, 106u);
  EXPECT_EQ(f.fonts.length, 55u);
  // Character pages start on the page after the section record.
  EXPECT_EQ(f.u16(0x13E), 1u);

  // A blank document (empty stream) is an empty document, not a failure.
  // Its main text is one empty paragraph, which Word readers need.
  const Ww2File blank = convert("");
  EXPECT_EQ(blank.text(), "\r\n\r\n");
  EXPECT_EQ(blank.main_length, 2u);
  // Codes alone give no text either.
  EXPECT_EQ(convert(code(BoldOn) + code(FontSize, 246, 244)).text(), "\r\n\r\n");
  EXPECT_EQ(convert(code(HeaderAll, 0, 0) + "H" + code(EndOfText)).text(), "\r\nH\r\n\r\n\r\n\r\n");
}

TEST(Ww2Writer, CharacterRuns) {
  const Ww2File f = convert(code(Font, 0, FontSerif) + "a" + code(BoldOn) + "b" + code(BoldOff) + "c" +
                            code(FontSize, 244, 246) + "ten" + code(FontSize, 246, 244) + code(Font, 1, FontSans) +
                            code(ItalicOn) + code(UnderlineOn) + "iu" + code(UnderlineOff) + code(ItalicOff) +
                            code(SubscriptOn) + code(UnderlineOn) + "su" + code(SubscriptOff) + code(UnderlineOff) +
                            code(DoubleUnderlineOn) + "dd" + code(DoubleUnderlineOff) + code(SuperscriptOn) + "up" +
                            code(SuperscriptOff) + code(StrikeOn) + code(SmallCapsOn) + "sc" + code(StrikeOff) +
                            code(SmallCapsOff) + code(CapsOn) + "C" + code(CapsOff) + code(HiddenOn) + code(ShadowOn) +
                            "h" + code(TableChar, 6, 19) + code(TableChar, 6, 19) + "x" + code(TableChar, 1, 41) + "\r");
  EXPECT_EQ(f.text(), "abcteniusuddupscCh\xA5\xA5x\xE9\r\n\r\n");
  EXPECT_EQ(char_record(f, "a"), "07 00 00 02 00 00 00 14");
  EXPECT_EQ(char_record(f, "b"), "07 01 00 02 00 00 00 14");
  EXPECT_EQ(f.char_run_of("c")->record, f.char_run_of("a")->record);
  EXPECT_EQ(f.char_run_of("c")->start, f.offset_of("c")) << "a run of its own";
  EXPECT_EQ(char_record(f, "ten"), "07 00 00 02 00 00 00 14") << "10 points: size flag clear";
  EXPECT_EQ(char_record(f, "iu"), "0A 02 00 0E 00 02 00 18 00 00 20");
  EXPECT_EQ(char_record(f, "su"), "0B 00 00 1E 00 02 00 18 00 00 20 FA") << "subscript leaves underline single";
  EXPECT_EQ(char_record(f, "dd"), "0A 00 00 0E 00 02 00 18 00 00 60");
  EXPECT_EQ(char_record(f, "up"), "0B 00 00 16 00 02 00 18 00 00 00 06");
  EXPECT_EQ(char_record(f, "sc"), "07 20 04 06 00 02 00 18");
  EXPECT_EQ(char_record(f, "C"), "07 40 00 06 00 02 00 18");
  EXPECT_EQ(char_record(f, "h"), "07 00 00 06 00 02 00 18") << "hidden and shadow are not rendered";
  // Characters only the Symbol font has form a Symbol run; the next plain character ends it.
  const Ww2Run* symbols = f.char_run_of("\xA5\xA5");
  ASSERT_NE(symbols, nullptr);
  EXPECT_EQ(symbols->end - symbols->start, 2u);
  EXPECT_EQ(hex(symbols->record), "07 00 00 06 00 01 00 18");
  EXPECT_EQ(char_record(f, "x"), "07 00 00 06 00 02 00 18");
}

TEST(Ww2Writer, ParagraphProperties) {
  const Ww2File f = convert(code(CenterOn) + "Title\r" + code(CenterOff) + "Body\r" + "\tIndented\r" +
                            code(JustifyOn) + "Justified\r" + code(JustifyOff) + code(RightOn) + "Right\r" +
                            code(RightOff) + code(LineSpacing, 8, 16) + "Double\r" + code(LineSpacing, 16, 8) +
                            code(SetTab, TabLeft, 10) + code(SetTab, TabRight, 30) + "a\tb\tc\r" +
                            code(ClearTab, TabRight, 30) + "d\te\r" + "Left" + code(RightOn) + "x\r");
  EXPECT_EQ(para_record(f, "Title"), "05 00 00 00 00 00 00 00 05 01 00") << "w = 5";
  EXPECT_EQ(para_record(f, "Body"), "04 00 00 00 00 00 00 00 00") << "CenterOff before the text ends it";
  EXPECT_NE(f.text().find("\n\tIndented"), std::string::npos) << "a leading tab stays a tab";
  EXPECT_EQ(para_record(f, "Indented"), "04 00 00 00 00 00 00 00 00");
  EXPECT_EQ(para_record(f, "Justified"), "05 00 00 00 00 00 00 00 05 03 00");
  EXPECT_EQ(para_record(f, "Right"), "05 00 00 00 00 00 00 00 05 02 00");
  EXPECT_NE(f.text().find("Left\tx"), std::string::npos) << "RightOn after text: tabs toward the margin";
  EXPECT_EQ(para_record(f, "Double"), "05 00 00 00 00 00 00 00 14 E0 01");
  // The stops in force, at 144 twips a column: 10 left (1440), 30 right
  // (4320), stated in every paragraph once the stream set any.
  EXPECT_EQ(para_record(f, "a\tb"), "09 00 00 00 00 00 00 00 0F 08 00 02 A0 05 E0 10 00 02 00");
  EXPECT_EQ(para_record(f, "d\te"), "07 00 00 00 00 00 00 00 0F 05 00 01 A0 05 00");
  EXPECT_EQ(para_record(f, "Left"), "07 00 00 00 00 00 00 00 0F 05 00 01 A0 05 00") << "no tab of its own";
  // Margins and indents (right 16, left 17, first line 19), as the stream
  // states them where the paragraph's text begins; a code after the text is
  // the next paragraph's. Stops count from the left margin.
  const Ww2File g = convert(code(LeftMargin, 0, 3) + "left\r" + code(IndentHere, 0, 2) + "hang\r" +
                            code(IndentReset, 2, 0) + code(Indent2, 0, 5) + "second\r" + code(RightMargin, 79, 69) +
                            "right" + code(LeftMargin, 3, 0) + "\r" + code(IndentReset, 5, 0) +
                            code(RightMargin, 69, 79) + "plain\r" + code(LeftMargin, 0, 2) + code(SetTab, TabLeft, 8) +
                            "a\tstop\r");
  const std::pair<const char*, const char*> kIndents[] = {
      {"left", "05 00 00 00 00 00 00 00 11 B0 01"},
      {"hang", "07 00 00 00 00 00 00 00 11 D0 02 13 E0 FE 00"},
      {"second", "07 00 00 00 00 00 00 00 11 B0 01 13 D0 02 00"},
      {"right", "08 00 00 00 00 00 00 00 10 A0 05 11 B0 01 13 D0 02"},
      {"plain", "04 00 00 00 00 00 00 00 00"},
      {"a\tstop", "09 00 00 00 00 00 00 00 11 20 01 0F 05 00 01 A0 05 00 00"},  // (2 + 8) * 144 = 1440
  };
  for (const auto& [text, record] : kIndents) EXPECT_EQ(para_record(g, text), record) << text;
  // Each paragraph run ends just after the carriage return of its mark.
  const std::uint32_t body = f.offset_of("Body");
  EXPECT_EQ(f.run_at(f.para_runs, body)->start, body - 1);
}

TEST(Ww2Writer, Footnotes) {
  const std::string first_note = code(NoteCall, 0, 7) + "First " + code(SetTab, TabLeft, 0x7F) +
                                 code(TableChar, 1, 0x7F) + "note" + code(EndOfText);
  const std::string second_note = code(NoteCall, 3, 0) + "\tTabbed" + code(EndOfText);
  const Ww2File f = convert("Text" + first_note + " more" + second_note + " end.\r");
  const std::string main = "Text\x02 more\x02 end.\r\n";
  ASSERT_EQ(f.text().substr(0, main.size()), main);
  EXPECT_EQ(f.main_length, main.size());
  const std::string notes = f.text().substr(main.size(), f.footnote_length);
  EXPECT_EQ(notes.substr(0, 8), "\x02\tFirst ") << "a tab after the mark";
  EXPECT_NE(notes.find("note\r\n\x02\tTabbed\r\n\r\n\r\n"), std::string::npos)
      << "a 0x7F operand does not end the note; a note starting with a tab gets no second one";
  EXPECT_EQ(f.footnote_length, notes.size());
  // References: the marks' positions, the end of the note text, then 1 per note.
  EXPECT_EQ(hex(f.table(f.note_refs)), hex(bytes({4, 0, 0, 0, 10, 0, 0, 0, static_cast<int>(main.size() + notes.size()), 0,
                                                  0, 0, 1, 0, 1, 0})));
  const int second_mark = static_cast<int>(notes.find("\x02\tTabbed"));
  const int length = static_cast<int>(notes.size());
  EXPECT_EQ(hex(f.table(f.note_texts)),
            hex(bytes({0, 0, 0, 0, second_mark, 0, 0, 0, length, 0, 0, 0, length + 6, 0, 0, 0})));
  EXPECT_EQ(hex(f.table(f.note_pages).substr(4, 4)), hex(bytes({length + 6, 0, 0, 0})));
  // The marks: special, 2 points smaller, raised.
  EXPECT_EQ(char_record(f, "\x02"), "0B 00 02 16 00 00 00 10 00 00 00 06");
  // The last paragraph of each note has the footnote style code.
  EXPECT_EQ(para_record(f, "\tFirst").substr(3, 2), "F5") << para_record(f, "\tFirst");
  EXPECT_EQ(para_record(f, "Tabbed").substr(3, 2), "F5");
}

TEST(Ww2Writer, HeadersAndFooters) {
  const std::string stream = code(HeaderAll, 0, 0) + "Old header" + code(EndOfText) + code(HeaderOdd, 0, 0) + "Head " +
                             code(SetTab, TabLeft, 0x7F) + "line" + code(EndOfText) + "Body\r";
  const Ww2File f = convert(stream);
  EXPECT_EQ(f.text(), "Body\r\nHead line\r\n\r\n\r\n\r\n") << "the last header, whole despite a 0x7F operand";
  EXPECT_EQ(hex(f.bytes.substr(f.text_limit, 9)), "08 80 02 8B 82 2E 8C C6 41");
  // H: "Head line" with its mark, and the empty paragraph after it.
  EXPECT_EQ(hex(f.table(f.headers)), "00 00 00 00 0D 00 00 00 0D 00 00 00 13 00 00 00");
  EXPECT_EQ(f.header_length, 15u);
  // The header's stop at column 127 holds for the text after it too.
  EXPECT_EQ(para_record(f, "Head line"), "07 F3 00 00 00 00 00 00 0F 05 00 01 70 47 00");
  EXPECT_EQ(para_record(f, "Body"), "07 00 00 00 00 00 00 00 0F 05 00 01 70 47 00");

  const Ww2File both = convert(code(FooterAll, 0, 0) + "Foot" + code(EndOfText) + code(HeaderEven, 0, 0) + "Hd" +
                               code(EndOfText) + "Body\r");
  EXPECT_EQ(both.text(), "Body\r\nHd\r\n\r\nFoot\r\n\r\n\r\n\r\n");
  EXPECT_EQ(hex(both.bytes.substr(both.text_limit, 3)), "08 80 0A");
  EXPECT_EQ(hex(both.table(both.headers)), "00 00 00 00 06 00 00 00 0E 00 00 00 14 00 00 00");
  EXPECT_EQ(para_record(both, "Foot").substr(0, 5), "04 F2");
}

TEST(Ww2Writer, UnlistedCodesStyleSheetsAndLimits) {
  // Codes without a Word form are skipped with exactly their operands.
  const Ww2File f = convert("a" + code(Columns, 13, 13) + code(BorderOn, 0x5C, 0) + code(0x4D) + code(LeftOn) +
                            code(PageNumber) + code(0xD5, 10, 9) + code(0x92, 0, 16) + "b" + code(HardSpace) +
                            code(SoftHyphen) + "\n" + code(FieldOpen) + code(Backslash) + code(FieldClose) + "-\nc\r");
  EXPECT_EQ(f.text(), "ab\xA0\x1F[\\]-c\r\n\r\n");
  EXPECT_EQ(para_record(f, "ab"), "04 00 00 00 00 00 00 00 00") << "0x92 is not line spacing here";

  // A style sheet from the stream replaces the fixed one; past 510 bytes the rest is left out.
  const std::string small = bytes({kEscape, StyleSheet, 3, 0}) + "xyz";
  const Ww2File given = convert(small + "a\r");
  EXPECT_EQ(given.table(given.style_sheet), std::string("\x03\x00xyz", 5));
  const std::string big = bytes({kEscape, StyleSheet, 0x58, 0x02}) + std::string(600, 's') + "after\r";
  const Ww2File g = convert(big);
  EXPECT_EQ(g.style_sheet.length, 512u);
  EXPECT_EQ(hex(g.table(g.style_sheet).substr(0, 3)), "FE 01 73");
  EXPECT_EQ(g.text(), "after\r\n\r\n");

  // A paragraph style code: the record carries it alone, characters lose font and size.
  const Ww2File s = convert(code(ParaStyle, 9, 0) + code(CenterOn) + code(BoldOn) + "styled\r");
  EXPECT_EQ(para_record(s, "styled"), "04 09 00 00 00 00 00 00 00");
  EXPECT_EQ(char_record(s, "styled"), "01 01");

  // More than 84 stops: the 84 lowest columns.
  std::string many;
  for (int column = 1; column <= 120; ++column) many += code(SetTab, TabLeft, column);
  const Ww2File t = convert(many + "a\tb\r");
  const std::string rec = para_record(t, "a\tb");
  EXPECT_EQ(rec.substr(24, 11), "0F FE 00 54") << rec.substr(0, 40);
}

TEST(Ww2Writer, HostileStreams) {
  // Embedded texts left open, nested or ended twice, codes cut short.
  const std::string cases[] = {
      code(NoteCall, 0, 1) + "never ended",
      code(HeaderAll, 0, 0) + "never ended",
      code(NoteCall, 0, 1) + "outer" + code(NoteCall, 0, 2) + code(HeaderAll, 0, 0) + "inner" + code(EndOfText) +
          "after" + code(EndOfText) + "\r",
      code(EndOfText) + "stray" + code(EndOfText) + "\r",
      "cut" + bytes({kEscape, SetTab, 1}),
      "cut" + bytes({kEscape}),
      bytes({kEscape, StyleSheet, 0xFF, 0xFF}) + "short",
      code(TableChar, 0, 65) + code(TableChar, 15, 65) + code(SetTab, 9, 4) + code(FontSize, 0, 0) + "\t\tx\r",
      std::string(3000, '\r') + std::string(3000, '\t'),
  };
  for (const std::string& stream : cases) convert(stream);
  // Random streams, built from the stream's own pieces.
  std::uint32_t seed = 12345;
  auto next = [&] { return (seed = seed * 1103515245 + 12345) >> 16; };
  const std::string pieces[] = {"x", "\r", "\t", "\n", "\x0C", code(BoldOn), code(CenterOn), code(CenterOff),
                                code(NoteCall, 0, 1), code(EndOfText), code(HeaderAll, 0, 0), code(FooterOdd, 0, 0),
                                code(SetTab, 1, 9), code(IndentHere, 0, 0), code(TableChar, 8, 33), code(FontSize, 0, 200),
                                code(RightOn), code(ParaStyle, 3, 0), std::string(1, '\x7F'), bytes({kEscape, 0x90})};
  for (int round = 0; round < 60; ++round) {
    std::string stream;
    const int n = static_cast<int>(next() % 400);
    for (int i = 0; i < n; ++i) stream += pieces[next() % std::size(pieces)];
    convert(stream);
  }
}

TEST(Ww2Writer, LargeDocumentsSpanPages) {
  std::string stream;
  for (int i = 0; i < 400; ++i) stream += (i % 2 ? code(BoldOn) : code(BoldOff)) + "word " + (i % 7 ? "" : "\r");
  const Ww2File f = convert(stream);
  EXPECT_GT(f.u16(0x142), 8u) << "character pages";
  EXPECT_GT(f.u16(0x144), 1u) << "paragraph pages";
  EXPECT_EQ(f.char_runs.size(), 401u);
}

TEST(Ww2Writer, FilesThatCannotBeOpened) {
  testing::ScratchDir dir;
  EXPECT_EQ(dest_winword2(dir.file("missing").c_str(), dir.file("t.doc").c_str()), -1);
  EXPECT_FALSE(testing::exists(dir.file("t.doc")));
  testing::write_file(dir.file("s"), "text\r");
  EXPECT_EQ(dest_winword2(dir.file("s").c_str(), dir.file("no/such/dir/t.doc").c_str()), -1);
}

// A document beyond the format's page numbers is refused by name.
int too_large_writer(const char*, const char*) { return kHandlerTooLarge; }

TEST(Ww2Writer, TooLargeDocumentsAreRefusedByName) {
  testing::ScratchDir dir(true);
  testing::write_file("big.txt", "text");
  init_path_buffers();
  choose_formats(SrcMacText, DstWinWord2);
  set_chosen_handlers(source_formats.rows[SrcMacText].reader, too_large_writer);
  const ConversionResult r = convert_file("big.txt");
  EXPECT_EQ(r.status, ConversionStatus::WriterFailed);
  EXPECT_EQ(r.message(), "the document is too large for the Word Windows 2 format");
  EXPECT_EQ(testing::dir_names(dir.path()), std::vector<std::string>{"big.txt"});
  choose_formats(SrcMacText, DstWinWord2);
}

}  // namespace
}  // namespace lettrix
