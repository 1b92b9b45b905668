#include "writers/rtf.h"

#include <gtest/gtest.h>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/stream_codes.h"
#include "core/stream_printer.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;
using testing::ScratchDir;

enum class Flavour { Dos, Windows };

std::string code(int c) { return bytes({kEscape, c}); }
std::string code(int c, int a, int b) { return bytes({kEscape, c, a, b}); }

std::string write_rtf(const std::string& stream, Flavour flavour = Flavour::Windows, int* rc = nullptr) {
  ScratchDir dir;
  testing::write_file(dir.file("s"), stream);
  int result = flavour == Flavour::Dos ? dest_rtf_ascii(dir.file("s").c_str(), dir.file("t").c_str())
                                       : dest_rtf_ansi(dir.file("s").c_str(), dir.file("t").c_str());
  if (rc) *rc = result;
  return testing::read_file(dir.file("t"));
}

const std::string kTables =
    "{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\froman Symbol;}{\\f2\\fswiss Arial;}"
    "{\\f3\\fmodern Courier New;}{\\f4\\fnil Wingdings;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;\\red0\\green255\\blue0;\r\n"
    "\\red255\\green0\\blue255;\\red255\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green255\\blue255;"
    "\\red0\\green0\\blue127;\\red0\\green127\\blue127;\\red0\\green127\\blue0;\\red127\\green0\\blue127;"
    "\\red127\\green0\\blue0;\\red127\\green127\\blue0;\\red127\\green127\\blue127;\r\n"
    "\\red192\\green192\\blue192;}\r\n";

// The whole document around a body: header, tables, "\f0 ", the body, then
// the counted groups still open (the document's at least) and ten braces more.
std::string doc(const std::string& body, int open_groups = 1, Flavour flavour = Flavour::Windows) {
  std::string head = flavour == Flavour::Dos ? "{\\rtf1\\pc " : "{\\rtf1\\ansi ";
  return head + kTables + "\\f0 " + body + std::string(static_cast<std::size_t>(open_groups + 10), '}');
}

#define EXPECT_RTF(stream, body) EXPECT_EQ(write_rtf(stream), doc(body)) << print_stream(stream)

TEST(RtfWriter, HeaderAndTablesByteForByte) {
  int rc = -9;
  EXPECT_EQ(write_rtf("x", Flavour::Windows, &rc),
            "{\\rtf1\\ansi {\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\froman Symbol;}{\\f2\\fswiss Arial;}"
            "{\\f3\\fmodern Courier New;}{\\f4\\fnil Wingdings;}}{\\colortbl;\\red0\\green0\\blue0;"
            "\\red0\\green0\\blue255;\\red0\\green255\\blue255;\\red0\\green255\\blue0;\r\n\\red255\\green0\\blue255;"
            "\\red255\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue127;"
            "\\red0\\green127\\blue127;\\red0\\green127\\blue0;\\red127\\green0\\blue127;\\red127\\green0\\blue0;"
            "\\red127\\green127\\blue0;\\red127\\green127\\blue127;\r\n\\red192\\green192\\blue192;}\r\n"
            "\\f0 x}}}}}}}}}}}");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(target_kind(), KindRtfWindows);
  EXPECT_EQ(write_rtf("x", Flavour::Dos, &rc), doc("x", 1, Flavour::Dos));
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(target_kind(), KindRtfDos);
}

TEST(RtfWriter, StructureBytesAndEscapes) {
  EXPECT_RTF("\r\r", "\r\n\\par \r\n\\par ");
  EXPECT_RTF("a{b}", "a\\{b\\}");
  EXPECT_RTF("ab\ncd\f.\t!\x7F", "ab \r\ncd.\\tab !_");
  EXPECT_RTF(code(Backslash) + "x" + code(HardSpace) + "y", "\\\\x\\~y");
  // The soft hyphen has no RTF form; its line break is written as usual.
  EXPECT_RTF("con" + code(SoftHyphen) + "\ntion", "con \r\ntion");
  // A code cut short by the end of the stream ends the document.
  EXPECT_RTF(std::string("z") + bytes({kEscape, TableChar, 1}), "z");
  // Codes without an RTF form vanish with exactly their operands.
  EXPECT_RTF(std::string("a") + code(SpareAttrOn) + code(LeftMargin, 0, 'q') + code(CharSet, 0, 1) + bytes({kEscape, StyleSheet, 2, 0, 'x', 'y'}) + "b" +
                 code(SpareAttrOff) + code(Reserved21) + code(0xD5, 'r', 's'),
             "ab");
  // The source is wrapped after 101 characters; RTF readers ignore the line end.
  std::string long_line(150, 'x');
  EXPECT_RTF(long_line + "\r" + long_line, std::string(101, 'x') + "\r\n" + std::string(49, 'x') + "\r\n\\par " +
                                               std::string(101, 'x') + "\r\n" + std::string(49, 'x'));
}

TEST(RtfWriter, AttributesOpenGroupsAndOffCodesReset) {
  EXPECT_RTF(code(BoldOn) + "B" + code(BoldOff) + "n", "{\\b B}\\plain\\f0 n");
  const std::pair<int, const char*> keywords[] = {
      {UnderlineOn, "\\ul "},     {StrikeOn, "\\strike "}, {ItalicOn, "\\i "},         {HiddenOn, "\\v "},
      {CapsOn, "\\caps "},        {ShadowOn, "\\shad "},   {DoubleUnderlineOn, "\\uldb "}, {SmallCapsOn, "\\scaps "},
      {OutlineOn, "\\outl "},     {SubscriptOn, "\\dn6 "}, {SuperscriptOn, "\\up6 "}};
  for (const auto& [on, keyword] : keywords)
    EXPECT_RTF(code(on) + "t" + code(on + 1), std::string("{") + keyword + "t}\\plain\\f0 ");
  // 12-point text: the size at its change and after every reset.
  EXPECT_RTF(code(FontSize, 246, 244) + code(ItalicOn) + "I" + code(ItalicOff),
             "\\fs24 {\\i I}\\plain\\fs24\\f0 ");
  // Attributes need not nest: bold ends inside italic, and the italic text
  // after it is written italic again after the reset.
  EXPECT_RTF(code(BoldOn) + "a" + code(ItalicOn) + "b" + code(BoldOff) + "c" + code(ItalicOff) + "d",
             "{\\b a{\\i b}\\plain\\f0\\i c}\\plain\\f0 d");
  EXPECT_RTF(code(Font, 0, FontSans) + code(SuperscriptOn) + code(UnderlineOn) + code(TextColour, 0, 12) + code(ShadowOn) +
                 "x" + code(ShadowOff) + "y",
             "\\f2 {\\up6 {\\ul \\cf12 {\\shad x}\\plain\\f2\\ul\\up6\\cf12 y");
}

TEST(RtfWriter, AlignmentReturnsToLeft) {
  EXPECT_RTF(code(CenterOn) + "c\r" + code(CenterOff) + code(LeftOn) + "l\r", "\\qc c\r\n\\par \\ql l\r\n\\par ");
  EXPECT_RTF(code(RightOn) + "r" + code(RightOff) + code(JustifyOn) + "j" + code(JustifyOff), "\\qr r\\ql \\qj j\\ql ");
}

TEST(RtfWriter, HeadersFootersAndNotes) {
  // The body goes on in the font it had before the note.
  EXPECT_RTF(std::string("a") + code(NoteCall, 7, 0) + code(Font, 0, FontSans) + "N" + code(EndOfText) + "b",
             "a{\\chftn {\\footnote {\\chftn }{\\f2 N}}}\\f0 b");
  EXPECT_RTF(code(HeaderAll, 0, 0) + "T" + code(EndOfText) + code(FooterEven, 0, 0) + "F" + code(EndOfText) + "x",
             "\\par {\\header T}\\par {\\footer F}x");
  // A symbol character at the end of a note: its group closes with the note.
  EXPECT_RTF(code(NoteCall, 0, 1) + code(TableChar, 6, 99) + code(EndOfText) + "y",
             "{\\chftn {\\footnote {\\chftn }{{\\f1 \\'B9}}}}y");
  // An end mark outside any embedded text closes nothing.
  EXPECT_RTF(std::string("p") + code(EndOfText) + "q" + code(EndOfText), "pq");
  // Attributes that cross a note's edges: an off code inside the note for an
  // attribute switched on outside it ends it with \plain alone (the note's
  // group stays whole), and a group opened inside the note closes with it.
  // (MacWrite II and ClarisWorks notes switch the main text's attributes off
  // at the note's start and on again before its end.)
  EXPECT_RTF(code(BoldOn) + "a" + code(NoteCall, 0, 1) + code(BoldOff) + "n" + code(ItalicOn) + "i" +
                 code(ItalicOff) + code(BoldOn) + code(EndOfText) + "b" + code(BoldOff),
             "{\\b a{\\chftn {\\footnote {\\chftn }{\\plain\\f0 n{\\i i}\\plain\\f0 {\\b }}}}b}\\plain\\f0 ");
  // A note left open by the stream is closed at the end.
  EXPECT_EQ(write_rtf(code(NoteCall, 0, 1) + "n"), doc("{\\chftn {\\footnote {\\chftn }{n", 4));
}

TEST(RtfWriter, CharactersAndSymbolRuns) {
  EXPECT_RTF(code(TableChar, 1, 41), "\\'E9");
  EXPECT_EQ(write_rtf(code(TableChar, 1, 41), Flavour::Dos), doc("\\'82", 1, Flavour::Dos));
  // Three symbol characters share one group, closed before the letter.
  std::string ne = code(TableChar, 6, 99);
  EXPECT_RTF(ne + ne + ne + "x", "{\\f1 \\'B9\\'B9\\'B9}x");
  EXPECT_EQ(write_rtf(ne, Flavour::Dos), doc("\\'5F", 1, Flavour::Dos));
  // A Symbol character whose byte is a backslash is a hex escape like any other.
  EXPECT_RTF(code(TableChar, 6, 102), "{\\f1 \\'5C}");
  EXPECT_RTF(code(TableChar, 4, 3) + code(TableChar, 1, 41), "{\\f1 \\'B7}\\'E9");
  // A dropped character (no such table) leaves the run open.
  EXPECT_RTF(ne + code(TableChar, 15, 3) + code(TableChar, 0, 3) + ne, "{\\f1 \\'B9\\'B9}");
  // The run holds symbol characters only: it is closed before an attribute
  // group, a font change or a paragraph mark, so none of them is undone by
  // the run's brace and no letter takes the Symbol font.
  EXPECT_RTF(ne + code(BoldOn) + "x" + code(BoldOff), "{\\f1 \\'B9}{\\b x}\\plain\\f0 ");
  EXPECT_RTF(ne + code(FontSize, 246, 244) + "x", "{\\f1 \\'B9}\\fs24 x");
  EXPECT_RTF(ne + "\r", "{\\f1 \\'B9}\r\n\\par ");
  EXPECT_EQ(write_rtf("x" + ne), doc("x{\\f1 \\'B9", 2));
}

TEST(RtfWriter, TabStopsAfterParagraphMarks) {
  std::string stops = code(SetTab, TabLeft, 5) + code(SetTab, TabCentre, 10) + code(SetTab, TabRight, 20) +
                      code(SetTab, TabDecimal, 30) + code(SetTab, TabBar, 40);
  // Before any tab code, a paragraph mark carries no stops.
  EXPECT_RTF("a\r" + stops + "b\r", "a\r\n\\par b\r\n\\par \\tx1000\\tqc\\tx2000\\tqr\\tx4000\\tqdec\\tx6000 ");
  // Bar stops only in the DOS flavour; positions follow the size in force.
  EXPECT_EQ(write_rtf(stops + code(FontSize, 246, 244) + "\r", Flavour::Dos),
            doc("\\fs24 \r\n\\par \\tx1200\\tqc\\tx2400\\tqr\\tx4800\\tqdec\\tx7200\\tb9600 ", 1, Flavour::Dos));
  // Cleared stops are gone; with none left the list is empty.
  EXPECT_RTF(code(SetTab, TabLeft, 3) + code(ClearTab, TabLeft, 3) + "\r", "\r\n\\par  ");
  EXPECT_RTF(code(SetTab, TabLeft, 255) + "\r", "\r\n\\par \\tx51000 ");
}

TEST(RtfWriter, BordersColoursAndPictures) {
  EXPECT_RTF(code(BorderOn, 0x0F, 0) + "b" + code(BorderOff, 0, 0), "\\box\\brdrs\\brdrw15\\brsp20 b\\pard ");
  EXPECT_RTF(code(BorderOn, 0x2F, 0), "\\box\\brdrdb\\brdrw15\\brsp20 ");
  // Single sides each carry their own line, or an RTF reader draws only the last.
  EXPECT_RTF(code(BorderOn, 0x05, 0), "\\brdrt\\brdrs\\brdrw15\\brsp20\\brdrb\\brdrs\\brdrw15\\brsp20 ");
  EXPECT_RTF(code(BorderOn, 0x2A, 0), "\\brdrl\\brdrdb\\brdrw15\\brsp20\\brdrr\\brdrdb\\brdrw15\\brsp20 ");
  EXPECT_RTF(code(BorderOn, 0x20, 0) + "n", "n");
  EXPECT_RTF(code(TextColour, 0, 7) + code(TextColour, 7, 16) + code(TextColour, 16, 255),
             "\\cf7 \\cf16 \\cf255 ");
  std::string picture = bytes({kEscape, Picture, 1, 0, 0x12, 0x34, 0x01, 0x02, 0, 0, 0x03, 0x04}) + "0aB\r\nC9" +
                        code(EndOfText) + "t";
  EXPECT_RTF(picture, "{\\pict\\macpict\\picw772\\pich258 0abc9}t");
  picture[2] = 2;
  EXPECT_RTF(picture, "{\\pict\\wmetafile8\\picw772\\pich258 0abc9}t");
  picture[2] = 3;
  EXPECT_RTF(picture, "{\\pict\\wmetafile\\picw772\\pich258 0abc9}t");
  picture[2] = 9;  // no such kind: no picture, the text goes on
  EXPECT_RTF(picture, "t");
}

TEST(RtfWriter, EmptyOrMissingStreamIsNoDocument) {
  int rc = 0;
  EXPECT_EQ(write_rtf("", Flavour::Windows, &rc), "");
  EXPECT_EQ(rc, kHandlerEmpty);
  EXPECT_EQ(write_rtf("", Flavour::Dos, &rc), "");
  EXPECT_EQ(rc, kHandlerEmpty);
  ScratchDir dir;
  EXPECT_EQ(dest_rtf_ansi(dir.file("missing").c_str(), dir.file("t").c_str()), kHandlerCannotOpen);
  EXPECT_EQ(dest_rtf_ascii(dir.file("missing").c_str(), dir.file("t").c_str()), kHandlerCannotOpen);
  EXPECT_FALSE(testing::exists(dir.file("t")));
}

TEST(RtfWriter, EmptyDocumentLeavesNoTargetThroughTheDriver) {
  for (int row : {DstRtfAscii, DstRtfAnsi}) {
    ScratchDir dir(true);
    init_path_buffers();
    choose_formats(SrcMacText, row);
    testing::write_file("empty.txt", "");
    testing::write_file("ctrlz.txt", "\x1A");  // the reader drops Ctrl-Z: nothing is left
    for (const char* name : {"empty.txt", "ctrlz.txt"}) {
      ConversionResult r = convert_file(name);
      EXPECT_EQ(r.status, ConversionStatus::EmptyDocument) << name;
      EXPECT_EQ(r.message(), "empty document");
    }
    EXPECT_EQ(testing::dir_names(dir.path()), (std::vector<std::string>{"ctrlz.txt", "empty.txt"}));
    testing::write_file("one.txt", "1");
    ConversionResult r = convert_file("one.txt");
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(r.target, "one.rtf");
    EXPECT_EQ(testing::read_file("one.rtf"), doc("1", 1, row == DstRtfAscii ? Flavour::Dos : Flavour::Windows));
  }
}

}  // namespace
}  // namespace lettrix
