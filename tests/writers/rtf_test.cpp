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
    "{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss Arial;}"
    "{\\f3\\fmodern Courier New;}{\\f4\\fnil\\fcharset2 Wingdings;}}"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;\\red0\\green255\\blue0;\r\n"
    "\\red255\\green0\\blue255;\\red255\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green255\\blue255;"
    "\\red0\\green0\\blue127;\\red0\\green127\\blue127;\\red0\\green127\\blue0;\\red127\\green0\\blue127;"
    "\\red127\\green0\\blue0;\\red127\\green127\\blue0;\\red127\\green127\\blue127;\r\n"
    "\\red192\\green192\\blue192;}\r\n";

// The whole document around a body: header, tables, document format, the
// default font and size, the body, then exactly the groups still open (the
// document's at least).
std::string doc(const std::string& body, int open_groups = 1, Flavour flavour = Flavour::Windows,
                const std::string& format = "\\ftnbj\r\n") {
  std::string head = flavour == Flavour::Dos ? "{\\rtf1\\pc " : "{\\rtf1\\ansi ";
  return head + kTables + "\\margl1440\\margr1440" + format + "\\f0\\fs20 " + body + std::string(static_cast<std::size_t>(open_groups), '}');
}

#define EXPECT_RTF(stream, body) EXPECT_EQ(write_rtf(stream), doc(body)) << print_stream(stream)

TEST(RtfWriter, HeaderTablesAndBlankDocument) {
  int rc = -9;
  EXPECT_EQ(write_rtf("x", Flavour::Windows, &rc),
            "{\\rtf1\\ansi {\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\froman\\fcharset2 Symbol;}{\\f2\\fswiss Arial;}"
            "{\\f3\\fmodern Courier New;}{\\f4\\fnil\\fcharset2 Wingdings;}}{\\colortbl;\\red0\\green0\\blue0;"
            "\\red0\\green0\\blue255;\\red0\\green255\\blue255;\\red0\\green255\\blue0;\r\n\\red255\\green0\\blue255;"
            "\\red255\\green0\\blue0;\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue127;"
            "\\red0\\green127\\blue127;\\red0\\green127\\blue0;\\red127\\green0\\blue127;\\red127\\green0\\blue0;"
            "\\red127\\green127\\blue0;\\red127\\green127\\blue127;\r\n\\red192\\green192\\blue192;}\r\n"
            "\\margl1440\\margr1440\\ftnbj\r\n\\f0\\fs20 \\pard x}");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(target_kind(), KindRtfWindows);
  EXPECT_EQ(write_rtf("x", Flavour::Dos, &rc), doc("\\pard x", 1, Flavour::Dos));
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(target_kind(), KindRtfDos);
  // A blank document is a valid document: the tables, no text.
  for (Flavour flavour : {Flavour::Windows, Flavour::Dos}) {
    rc = -9;
    EXPECT_EQ(write_rtf("", flavour, &rc), doc("", 1, flavour));
    EXPECT_EQ(rc, 0);
  }
  ScratchDir dir;
  EXPECT_EQ(dest_rtf_ansi(dir.file("missing").c_str(), dir.file("t").c_str()), kHandlerCannotOpen);
  EXPECT_EQ(dest_rtf_ascii(dir.file("missing").c_str(), dir.file("t").c_str()), kHandlerCannotOpen);
  EXPECT_FALSE(testing::exists(dir.file("t")));
}

TEST(RtfWriter, StructureBytesAndEscapes) {
  // Every paragraph, empty ones too, starts with its own properties.
  EXPECT_RTF("\r\r", "\\pard \r\n\\par \\pard \r\n\\par ");
  EXPECT_RTF("a{b}", "\\pard a\\{b\\}");
  // A page break is \page; a line break a blank and a line end of the source.
  EXPECT_RTF("ab\ncd\f.\t!\x7F", "\\pard ab \r\ncd\\page .\\tab !_");
  // Between paragraphs it starts the next one, after that one's properties.
  EXPECT_RTF("a\r\f" + code(CenterOn) + "b\r\f\f", "\\pard a\r\n\\par \\pard\\qc \\page b\r\n\\par \\pard\\qc \\page \\page ");
  EXPECT_RTF(code(Backslash) + "x" + code(HardSpace) + "y", "\\pard \\\\x\\~y");
  // The soft hyphen has no RTF form; its line break is written as usual.
  EXPECT_RTF("con" + code(SoftHyphen) + "\ntion", "\\pard con \r\ntion");
  // A code cut short by the end of the stream ends the document.
  EXPECT_RTF(std::string("z") + bytes({kEscape, TableChar, 1}), "\\pard z");
  // Codes without an RTF form vanish with exactly their operands.
  EXPECT_RTF(std::string("a") + code(SpareAttrOn) + code(CharSet, 0, 1) + bytes({kEscape, StyleSheet, 2, 0, 'x', 'y'}) +
                 "b" + code(SpareAttrOff) + code(Reserved21) + code(0xD5, 'r', 's') + code(ParaValue97, 6, 'q'),
             "\\pard ab");
  // The source is wrapped after 101 characters; RTF readers ignore the line end.
  std::string long_line(150, 'x');
  EXPECT_RTF(long_line + "\r" + long_line, "\\pard " + std::string(101, 'x') + "\r\n" + std::string(49, 'x') +
                                               "\r\n\\par \\pard " + std::string(101, 'x') + "\r\n" +
                                               std::string(49, 'x'));
}

TEST(RtfWriter, SizeFontAndAttributesInForceAtEveryCharacter) {
  // Between paragraphs an attribute's group opens after the paragraph's
  // properties, so that no RTF reader undoes them at the group's end.
  EXPECT_RTF(code(BoldOn) + "B" + code(BoldOff) + "n", "\\pard {\\b B}\\plain\\fs20\\f0 n");
  // A group ends with its paragraph and opens again in the next one.
  EXPECT_RTF("a\r" + code(ItalicOn) + code(CenterOn) + code(BoldOn) + code(BoldOff) + "b\r" + code(ItalicOff),
             "\\pard a\r\n\\par \\pard\\qc {\\i b}\r\n\\par ");
  EXPECT_RTF(code(BoldOn) + "a\r" + code(CenterOff) + "b" + code(BoldOff) + "c",
             "\\pard {\\b a}\r\n\\par \\pard {\\b b}\\plain\\fs20\\f0 c");
  const std::pair<int, const char*> keywords[] = {
      {UnderlineOn, "\\ul "},     {StrikeOn, "\\strike "}, {ItalicOn, "\\i "},         {HiddenOn, "\\v "},
      {CapsOn, "\\caps "},        {ShadowOn, "\\shad "},   {DoubleUnderlineOn, "\\uldb "}, {SmallCapsOn, "\\scaps "},
      {OutlineOn, "\\outl "},     {SubscriptOn, "\\dn6 "}, {SuperscriptOn, "\\up6 "}};
  for (const auto& [on, keyword] : keywords)
    EXPECT_RTF("t" + code(on) + "t" + code(on + 1), std::string("\\pard t{") + keyword + "t}\\plain\\fs20\\f0 ");
  // 12-point text: the size at its change and after every reset.
  EXPECT_RTF(code(FontSize, 246, 244) + code(ItalicOn) + "I" + code(ItalicOff) + "r",
             "\\fs24 \\pard {\\i I}\\plain\\fs24\\f0 r");
  // Attributes need not nest: bold ends inside italic, and the italic text
  // after it is written italic again after the reset.
  EXPECT_RTF("." + code(BoldOn) + "a" + code(ItalicOn) + "b" + code(BoldOff) + "c" + code(ItalicOff) + "d",
             "\\pard .{\\b a{\\i b}\\plain\\fs20\\f0\\i c}\\plain\\fs20\\f0 d");
  EXPECT_RTF("." + code(Font, 0, FontSans) + code(SuperscriptOn) + code(UnderlineOn) + code(TextColour, 0, 12) +
                 code(ShadowOn) + "x" + code(ShadowOff) + "y",
             "\\pard .\\f2 {\\up6 {\\ul \\cf12 {\\shad x}\\plain\\fs20\\f2\\ul\\up6\\cf12 y}}");
  // An attribute switched off out of order: the group it opened now holds
  // the one still on, which alone goes on into the next paragraph; nothing
  // piles up from paragraph to paragraph.
  EXPECT_RTF(code(UnderlineOn) + "a" + code(BoldOn) + "b" + code(UnderlineOff) + "c\r" + code(BoldOff) + "d\r" +
                 code(UnderlineOn) + "e\r",
             "\\pard {\\ul a{\\b b}\\plain\\fs20\\f0\\b c}\r\n\\par \\pard d\r\n\\par \\pard {\\ul e}\r\n\\par ");
  std::string many;
  for (int i = 0; i < 50; ++i) many += code(UnderlineOn) + "a" + code(BoldOn) + "b" + code(UnderlineOff) + "\r" + code(BoldOff);
  const std::string rtf = write_rtf(many);
  int depth = 0, deepest = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') ++i;  // an escaped brace or a control word's backslash
    else if (rtf[i] == '{') deepest = std::max(deepest, ++depth);
    else if (rtf[i] == '}') --depth;
  }
  EXPECT_LE(deepest, 3);  // the document, the fonts' table and one entry; no more in the text
  EXPECT_EQ(depth, 0);
  // An off code with no group of its own closes no group of the document.
  EXPECT_RTF("a" + code(BoldOff) + "b", "\\pard a\\plain\\fs20\\f0 b");
  // Font classes: serif is the document's font, and so is a class not known;
  // fixed width is Courier New.
  EXPECT_RTF("." + code(Font, 0, FontOther) + code(Font, 0, FontSerif) + code(Font, 0, FontSymbol) +
                 code(Font, 0, FontDingbats) + code(Font, 0, 9) + code(Font, 0, FontSans) + code(Font, 0, FontFixed),
             "\\pard .\\f0 \\f0 \\f1 \\f4 \\f0 \\f2 \\f3 ");
}

TEST(RtfWriter, EveryParagraphStatesItsOwnProperties) {
  // Alignment set up before a paragraph's text is its own; the paragraph
  // after it starts from \pard again.
  EXPECT_RTF(code(CenterOn) + "c\r" + code(CenterOff) + code(LeftOn) + "l\r",
             "\\pard\\qc c\r\n\\par \\pard l\r\n\\par ");
  EXPECT_RTF(code(RightOn) + "r\r" + code(RightOff) + code(JustifyOn) + "j\r", "\\pard\\qr r\r\n\\par \\pard\\qj j\r\n\\par ");
  // An alignment switched off just before the paragraph mark keeps the
  // paragraph's own; one switched on in its middle takes effect at once.
  EXPECT_RTF(code(CenterOn) + "c" + code(CenterOff) + "\rl", "\\pard\\qc c\r\n\\par \\pard l");
  EXPECT_RTF("l" + code(RightOn) + "r\r", "\\pard l\\qr r\r\n\\par ");
  // Margins, a hanging indent and its reset, line spacing: one column is a
  // tenth of an inch (144 twips); spacing 8 is single (240 twips).
  EXPECT_RTF(code(LeftMargin, 0, 10) + code(RightMargin, 79, 69) + code(IndentHere, 0, 5) + code(LineSpacing, 8, 16) +
                 "h\r" + code(IndentReset, 5, 0) + code(LineSpacing, 16, 12) + "i\r" + code(LeftMargin, 10, 0) +
                 code(RightMargin, 69, 79) + code(LineSpacing, 12, 8) + "j",
             "\\pard\\li2160\\fi-720\\ri1440\\sl480\\slmult1 h\r\n\\par \\pard\\li1440\\ri1440\\sl360\\slmult1 i\r\n"
             "\\par \\pard j");
  // A change in the middle of a paragraph belongs to the next one.
  EXPECT_RTF("a" + code(LeftMargin, 0, 3) + "b\rc", "\\pard ab\r\n\\par \\pard\\li432 c");
  // The second indent moves the first line right of the margin, until reset.
  EXPECT_RTF(code(LeftMargin, 0, 2) + code(Indent2, 0, 5) + "f\r" + code(IndentReset, 0, 5) + "g",
             "\\pard\\li288\\fi720 f\r\n\\par \\pard\\li288 g");
}

TEST(RtfWriter, TabStopsAtTheirPlaceBeforeTheText) {
  std::string stops = code(SetTab, TabLeft, 5) + code(SetTab, TabCentre, 10) + code(SetTab, TabRight, 20) +
                      code(SetTab, TabDecimal, 30) + code(SetTab, TabBar, 40);
  // The stops come before the text of the paragraph they are set up for, at
  // a tenth of an inch per column whatever the size; the next paragraph
  // states them again instead of adding to them.
  EXPECT_RTF("a\r" + stops + "b\r" + code(FontSize, 246, 240) + "c",
             "\\pard a\r\n\\par \\pard\\tx720\\tqc\\tx1440\\tqr\\tx2880\\tqdec\\tx4320 b\r\n\\par \\fs32 "
             "\\pard\\tx720\\tqc\\tx1440\\tqr\\tx2880\\tqdec\\tx4320 c");
  // Bar stops only in the DOS flavour.
  EXPECT_EQ(write_rtf(stops + "x", Flavour::Dos),
            doc("\\pard\\tx720\\tqc\\tx1440\\tqr\\tx2880\\tqdec\\tx4320\\tb5760 x", 1, Flavour::Dos));
  // Cleared stops are gone; with none left nothing is written. Stops count
  // from the left margin.
  EXPECT_RTF(code(SetTab, TabLeft, 3) + code(ClearTab, TabLeft, 3) + "a\r" + code(SetTab, TabLeft, 255) +
                 code(SetTab, TabLeft, 7) + code(ClearAllTabs) + code(SetTab, TabRight, 2) + code(LeftMargin, 0, 1) + "b",
             "\\pard a\r\n\\par \\pard\\li144\\tqr\\tx432 b");
  EXPECT_RTF(code(SetTab, TabLeft, 255) + "x", "\\pard\\tx36720 x");
}

TEST(RtfWriter, RunningHeadsAreGroupsOfTheirOwn) {
  // No empty paragraph before a header or footer; each starts from plain
  // formatting and a paragraph of its own; after it the body's size, font
  // and attributes are in force again.
  EXPECT_RTF(code(HeaderAll, 0, 0) + code(CenterOn) + "T" + code(EndOfText) + code(CenterOff) + code(FooterAll, 0, 0) +
                 "F" + code(EndOfText) + "x",
             "{\\header\\plain\\fs20\\f0 \\pard\\qc T}{\\footer\\plain\\fs20\\f0 \\pard F}\\pard x");
  EXPECT_RTF(code(FontSize, 246, 244) + code(BoldOn) + code(HeaderAll, 0, 0) + code(BoldOff) + code(FontSize, 244, 236) +
                 "T" + code(FontSize, 236, 244) + code(BoldOn) + code(EndOfText) + "b",
             "\\fs24 {\\header\\plain\\fs24\\f0\\b \\plain\\fs24\\f0 \\fs40 \\pard T\\fs24 {\\b }}\\pard {\\b b}");
  // The page number field.
  EXPECT_RTF(code(FooterAll, 0, 0) + "Page " + code(PageNumber) + code(EndOfText),
             "{\\footer\\plain\\fs20\\f0 \\pard Page \\chpgn }");
  // A header that leaves the font changed: the body's font is set again.
  EXPECT_RTF(code(FooterAll, 0, 0) + code(Font, 0, FontSans) + "F" + code(EndOfText) + "x",
             "{\\footer\\plain\\fs20\\f0 \\f2 \\pard F}\\plain\\fs20\\f2 \\pard x");
  // Even and odd pages keep their own texts; the document then has facing pages.
  EXPECT_EQ(write_rtf(code(HeaderEven, 0, 0) + "E" + code(EndOfText) + code(HeaderOdd, 0, 0) + "O" + code(EndOfText) +
                      code(FooterEven, 0, 0) + "e" + code(EndOfText) + code(FooterOdd, 0, 0) + "o" + code(EndOfText)),
            doc("{\\headerl\\plain\\fs20\\f0 \\pard E}{\\headerr\\plain\\fs20\\f0 \\pard O}"
                "{\\footerl\\plain\\fs20\\f0 \\pard e}{\\footerr\\plain\\fs20\\f0 \\pard o}",
                1, Flavour::Windows, "\\facingp"));
  // An end mark outside any embedded text closes nothing.
  EXPECT_RTF(std::string("p") + code(EndOfText) + "q" + code(EndOfText), "\\pard pq");
}

TEST(RtfWriter, NotesHaveSuperscriptMarksAndPlainText) {
  // The mark is superscript in the text and in the note; the note starts
  // from plain paragraph and character formatting, at the size in force.
  EXPECT_RTF(code(CenterOn) + code(FontSize, 246, 244) + code(SuperscriptOn) + "a" + code(SuperscriptOff) +
                 code(NoteCall, 7, 0) + code(Font, 0, FontSans) + "N" + code(EndOfText) + "b",
             "\\fs24 \\pard\\qc {\\up6 a}\\plain\\fs24\\f0 {\\super\\chftn}{\\footnote\\pard\\plain\\fs24\\f0 "
             "{\\super\\chftn}\\f2 N}\\plain\\fs24\\f2 b");
  // A note's paragraphs take only the note's own paragraph codes (which
  // stay in force for the body after it).
  EXPECT_RTF(code(SetTab, TabLeft, 10) + "a" + code(NoteCall, 0, 1) + "n\r" + code(RightOn) + "m" + code(EndOfText) +
                 "b\rc",
             "\\pard\\tx1440 a{\\super\\chftn}{\\footnote\\pard\\plain\\fs20\\f0 {\\super\\chftn}n\r\n\\par "
             "\\pard\\qr m}b\r\n\\par \\pard\\qr\\tx1440 c");
  // A symbol character at the end of a note: its group closes with the note.
  EXPECT_RTF(code(NoteCall, 0, 1) + code(TableChar, 6, 99) + code(EndOfText) + "y",
             "\\pard {\\super\\chftn}{\\footnote\\pard\\plain\\fs20\\f0 {\\super\\chftn}{\\f1 \\'B9}}y");
  // Attributes that cross a note's edges: an off code inside the note for an
  // attribute switched on outside it ends it with \plain alone (the note's
  // group stays whole), and a group opened inside the note closes with it.
  // (MacWrite II and ClarisWorks notes switch the main text's attributes off
  // at the note's start and on again before its end.)
  EXPECT_RTF(code(BoldOn) + "a" + code(NoteCall, 0, 1) + code(BoldOff) + "n" + code(ItalicOn) + "i" + code(ItalicOff) +
                 code(BoldOn) + code(EndOfText) + "b" + code(BoldOff),
             "\\pard {\\b a{\\super\\chftn}{\\footnote\\pard\\plain\\fs20\\f0\\b {\\super\\chftn}\\plain\\fs20\\f0 "
             "n{\\i i}\\plain\\fs20\\f0 {\\b }}b}\\plain\\fs20\\f0 ");
  // A note left open by the stream is closed at the end; notes never nest.
  EXPECT_EQ(write_rtf(code(NoteCall, 0, 1) + "n" + code(NoteCall, 0, 2) + code(HeaderAll, 0, 0) + "m"),
            doc("\\pard {\\super\\chftn}{\\footnote\\pard\\plain\\fs20\\f0 {\\super\\chftn}nm", 2));
}

TEST(RtfWriter, CharactersAndSymbolRuns) {
  EXPECT_RTF(code(TableChar, 1, 41), "\\pard \\'E9");
  EXPECT_EQ(write_rtf(code(TableChar, 1, 41), Flavour::Dos), doc("\\pard \\'82", 1, Flavour::Dos));
  // Three symbol characters share one group of the Symbol font (declared
  // \fcharset2 above), closed before the letter.
  std::string ne = code(TableChar, 6, 99);
  EXPECT_RTF(ne + ne + ne + "x", "\\pard {\\f1 \\'B9\\'B9\\'B9}x");
  // A character the code page lacks: its Unicode number, the stand-in after it.
  EXPECT_EQ(write_rtf(ne, Flavour::Dos), doc("\\pard \\u8800\\'5F", 1, Flavour::Dos));
  const struct {
    int table, index;
    const char* ansi;  // RTF for Windows
    const char* dos;   // RTF for DOS
  } lacking[] = {
      {8, 33, "{\\f1 \\'70}", "\\'E3"},            // pi: the Symbol font's, code page 437's own
      {4, 32, "\\'93", "\\u8220\\'22"},          // left double quotation mark: code page 1252 has it
      {1, 153, "\\u322\\'5F", "\\u322\\'6C"},    // l with stroke: "_" or the base letter after it
      {5, 255, "Apple", "Apple"},                     // the Apple logo: the word (no \\u)
  };
  for (const auto& c : lacking) {
    const std::string ch = code(TableChar, c.table, c.index);
    EXPECT_EQ(write_rtf(ch), doc(std::string("\\pard ") + c.ansi)) << c.table << "," << c.index;
    EXPECT_EQ(write_rtf(ch, Flavour::Dos), doc(std::string("\\pard ") + c.dos, 1, Flavour::Dos)) << c.table << "," << c.index;
    // Between letters, in the copy loop's way too.
    EXPECT_EQ(write_rtf("a" + ch + "b"), doc(std::string("\\pard a") + c.ansi + "b")) << c.table << "," << c.index;
  }
  // A Symbol character whose byte is a backslash is a hex escape like any other.
  EXPECT_RTF(code(TableChar, 6, 102), "\\pard {\\f1 \\'5C}");
  EXPECT_RTF(code(TableChar, 4, 3) + code(TableChar, 1, 41), "\\pard {\\f1 \\'B7}\\'E9");
  // A dropped character (no such table) leaves the run open.
  EXPECT_RTF(ne + code(TableChar, 15, 3) + code(TableChar, 0, 3) + ne, "\\pard {\\f1 \\'B9\\'B9}");
  // The run holds symbol characters only: it is closed before an attribute
  // group, a font change or a paragraph mark, so none of them is undone by
  // the run's brace and no letter takes the Symbol font.
  EXPECT_RTF(ne + code(BoldOn) + "x" + code(BoldOff), "\\pard {\\f1 \\'B9}{\\b x}\\plain\\fs20\\f0 ");
  EXPECT_RTF(ne + code(FontSize, 246, 244) + "x", "\\pard {\\f1 \\'B9}\\fs24 x");
  EXPECT_RTF(ne + "\r", "\\pard {\\f1 \\'B9}\r\n\\par ");
  EXPECT_EQ(write_rtf("x" + ne), doc("\\pard x{\\f1 \\'B9", 2));
}

TEST(RtfWriter, BordersColoursAndPictures) {
  // A border is a paragraph property: stated after \pard, gone with the next paragraph.
  EXPECT_RTF(code(BorderOn, 0x0F, 0) + "b" + code(BorderOff, 0, 0) + "\rn",
             "\\pard\\box\\brdrs\\brdrw15\\brsp20 b\r\n\\par \\pard n");
  EXPECT_RTF(code(BorderOn, 0x2F, 0) + "x", "\\pard\\box\\brdrdb\\brdrw15\\brsp20 x");
  // Single sides each carry their own line, or an RTF reader draws only the last.
  EXPECT_RTF(code(BorderOn, 0x05, 0) + "x", "\\pard\\brdrt\\brdrs\\brdrw15\\brsp20\\brdrb\\brdrs\\brdrw15\\brsp20 x");
  EXPECT_RTF("x" + code(BorderOn, 0x2A, 0), "\\pard x\\brdrl\\brdrdb\\brdrw15\\brsp20\\brdrr\\brdrdb\\brdrw15\\brsp20 ");
  EXPECT_RTF(code(BorderOn, 0x20, 0) + "n", "\\pard n");
  EXPECT_RTF(code(TextColour, 0, 7) + code(TextColour, 7, 16) + code(TextColour, 16, 255), "\\cf7 \\cf16 \\cf255 ");
  std::string picture = bytes({kEscape, Picture, 1, 0, 0x12, 0x34, 0x01, 0x02, 0, 0, 0x03, 0x04}) + "0aB\r\nC9" +
                        code(EndOfText) + "t";
  EXPECT_RTF(picture, "\\pard {\\pict\\macpict\\picw772\\pich258\\picwgoal15440\\pichgoal5160 0abc9}t");
  picture[2] = 2;
  EXPECT_RTF(picture, "\\pard {\\pict\\wmetafile8\\picw772\\pich258\\picwgoal15440\\pichgoal5160 0abc9}t");
  picture[2] = 3;
  EXPECT_RTF(picture, "\\pard {\\pict\\wmetafile\\picw772\\pich258\\picwgoal15440\\pichgoal5160 0abc9}t");
  picture[2] = 9;  // no such kind: no picture, the text goes on
  EXPECT_RTF(picture, "\\pard t");
}

TEST(RtfWriter, BlankDocumentConvertsThroughTheDriver) {
  for (int row : {DstRtfAscii, DstRtfAnsi}) {
    const Flavour flavour = row == DstRtfAscii ? Flavour::Dos : Flavour::Windows;
    ScratchDir dir(true);
    init_path_buffers();
    choose_formats(SrcMacText, row);
    testing::write_file("ctrlz.txt", "\x1A");  // the reader drops Ctrl-Z: nothing is left
    ConversionResult r = convert_file("ctrlz.txt");
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(r.target, "ctrlz.rtf");
    EXPECT_EQ(testing::read_file("ctrlz.rtf"), doc("", 1, flavour));
    testing::write_file("one.txt", "1");
    r = convert_file("one.txt");
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(testing::read_file("one.rtf"), doc("\\pard 1", 1, flavour));
  }
}

}  // namespace
}  // namespace lettrix
