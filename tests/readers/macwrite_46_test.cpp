#include "readers/macwrite_46.h"

#include <gtest/gtest.h>

#include <chrono>

#include "builders/builder_common.h"
#include "builders/macwrite_46_builder.h"
#include "readers/macwrite_test_support.h"

namespace lettrix {
namespace {

using build::MacWrite46Builder;
using build::MacWrite46Layout;
using build::MacWrite46Look;
using build::MacWrite46Ruler;
using testing::bytes;
using testing::run_reader;
using testing::ScratchDir;
namespace mw46 = build::mw46;

// What every document without header and footer texts starts with.
const std::string kNoHeaderNoFooter = "{HeaderAll 0,0}{EndOfText}{FooterAll 0,0}{EndOfText}";
// The codes before the first paragraph of 12 points in left alignment.
const std::string kFirstText = "{LeftOn}{FontSize 246,244}{Font 0,2}";

// A picture's bytes as the reader writes them: lower-case hex digits.
std::string hex_digits(const std::string& picture) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : picture) out += {kDigits[c >> 4], kDigits[c & 15]};
  return out;
}

std::string read46(const std::string& doc, int expected_rc = 0) {
  testing::ReaderRun run = run_reader(orig_macw46, doc);
  EXPECT_EQ(run.rc, expected_rc);
  EXPECT_TRUE(run.leaves_nothing_behind);
  return run.printed();
}

std::vector<std::uint8_t> unpack(std::initializer_list<std::uint8_t> packed, std::size_t count,
                                 std::size_t* consumed = nullptr) {
  const std::vector<std::uint8_t> data(packed);
  std::size_t used = 99;
  std::vector<std::uint8_t> text = unpack_macwrite_text(data, count, used);
  if (consumed) *consumed = used;
  return text;
}

std::vector<std::uint8_t> chars(std::string_view s) { return {s.begin(), s.end()}; }

TEST(MacWrite46Reader, HeaderFooterAndMainTextInThisOrder) {
  EXPECT_EQ(read46(MacWrite46Builder{}
                       .footer().paragraph("Page\r")
                       .header().paragraph("Chapter\r")
                       .main().paragraph("Body\r")
                       .build()),
            "{HeaderAll 0,0}" + kFirstText + "Chapter¶{EndOfText}{FooterAll 0,0}Page¶{EndOfText}Body¶");

  // Empty header and footer still give their markers ahead of the main text,
  // also when their sections hold only a ruler.
  testing::ReaderRun run = run_reader(orig_macw46, MacWrite46Builder{}.main().paragraph("Body\r").build());
  EXPECT_EQ(run.stream.substr(0, 12), bytes({0x5C, 0x9E, 0, 0, 0x5C, 0x7F, 0x5C, 0xA1, 0, 0, 0x5C, 0x7F}));
  EXPECT_EQ(read46(MacWrite46Builder{}.header().ruler({}).footer().ruler({}).main().paragraph("Body\r").build()),
            kNoHeaderNoFooter + kFirstText + "Body¶");
}

TEST(MacWrite46Reader, PackedText) {
  std::size_t used = 0;
  EXPECT_EQ(unpack({0x12, 0x30}, 4, &used), chars("etn "));
  EXPECT_EQ(used, 2u);
  EXPECT_EQ(unpack({0xF4, 0x11}, 2, &used), chars("Ae"));  // an escaped character from a high nibble
  EXPECT_EQ(used, 2u);
  EXPECT_EQ(unpack({0x1F, 0x41, 0x20}, 3, &used), chars("eAt"));  // ... and from a low nibble
  EXPECT_EQ(used, 3u);
  // An odd count ends on a high nibble; the low nibble of that byte is not read,
  // even when it looks like an escape.
  EXPECT_EQ(unpack({0x12, 0x3F}, 3, &used), chars("etn"));
  EXPECT_EQ(used, 2u);
  // Data that ends first gives the characters unpacked so far.
  EXPECT_EQ(unpack({0x12}, 10, &used), chars("et"));
  EXPECT_EQ(unpack({0x1F}, 10, &used), chars("e"));
  EXPECT_EQ(unpack({0xF4}, 10, &used), chars(""));
  EXPECT_EQ(unpack({}, 10, &used), chars(""));

  // The builder packs as MacWrite does, and the reader reads packed paragraphs
  // as plain ones; a packed paragraph without its end gets one.
  MacWrite46Layout where;
  const std::string doc = MacWrite46Builder{}.paragraph("etn ").compressed().build(&where);
  EXPECT_EQ(doc.substr(where.main.data_offsets[0], 4), bytes({0, 4, 0x12, 0x30}));
  EXPECT_EQ(read46(doc), kNoHeaderNoFooter + kFirstText + "etn ¶");
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("Ae").compressed().build()), kNoHeaderNoFooter + kFirstText + "Ae¶");
  const std::string plain = "Packed: \"Caf\x8E\" & C:\\DOS, tab\there. ";
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph(plain).text("bold\r", {.style = mw46::kBold}).compressed().build()),
            read46(MacWrite46Builder{}.paragraph(plain).text("bold\r", {.style = mw46::kBold}).build()));

  // An odd length: the padding nibble is ignored even when it reads 15.
  std::string odd = MacWrite46Builder{}.paragraph("etn").compressed().build(&where);
  ASSERT_EQ(odd.substr(where.main.data_offsets[0], 4), bytes({0, 3, 0x12, 0x30}));
  odd[where.main.data_offsets[0] + 3] = 0x3F;
  EXPECT_EQ(read46(odd), kNoHeaderNoFooter + kFirstText + "etn¶");
}

TEST(MacWrite46Reader, ParagraphLengths) {
  // Length 1 is a paragraph of its end alone: no alignment, no format.
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("\r", {.size = 24, .style = mw46::kBold}).build()),
            kNoHeaderNoFooter + "¶");
  // Length 0 is an empty entry; a plain paragraph without its end has none.
  EXPECT_EQ(read46(MacWrite46Builder{}.empty_entry().paragraph("No end").build()),
            kNoHeaderNoFooter + kFirstText + "No end");
  // Text after the paragraph end is not part of the paragraph.
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("One\rTwo\r").build()), kNoHeaderNoFooter + kFirstText + "One¶");
}

TEST(MacWrite46Reader, CharacterFormats) {
  // Each run's style switches each attribute on or off; a plain run closes them all.
  EXPECT_EQ(read46(MacWrite46Builder{}
                       .paragraph("a")
                       .text("b", {.style = mw46::kItalic | mw46::kUnderline})
                       .text("c", {.style = mw46::kBold | mw46::kUnderline})
                       .text("d", {.style = mw46::kOutline | mw46::kShadow | mw46::kSuperscript | mw46::kSubscript})
                       .text("e\r")
                       .build()),
            kNoHeaderNoFooter + kFirstText + "a{ItalicOn}{UnderlineOn}b{BoldOn}{ItalicOff}c" +
                "{BoldOff}{UnderlineOff}{OutlineOn}{ShadowOn}{SuperscriptOn}{SubscriptOn}d" +
                "{SuperscriptOff}{SubscriptOff}{OutlineOff}{ShadowOff}e¶");
  // Attributes open at the paragraph end are closed before it.
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("Bold\r", {.style = mw46::kBold}).build()),
            kNoHeaderNoFooter + kFirstText + "{BoldOn}Bold{BoldOff}¶");
  // Sizes and fonts: the font class and the character table follow the font.
  EXPECT_EQ(read46(MacWrite46Builder{}
                       .paragraph("T", {.size = 24, .font = mw46::kTimes})
                       .text("a", {.size = 24, .font = mw46::kSymbol})
                       .text("b", {.size = 10, .font = mw46::kHelvetica})
                       .text("c\r", {.size = 10, .font = mw46::kDingbats})
                       .build()),
            kNoHeaderNoFooter + "{LeftOn}{FontSize 246,232}{Font 0,1}T{Font 1,3}{TableChar 8,1}" +
                "{FontSize 232,246}{Font 3,2}b{Font 2,4}{TableChar 5,101}¶");
  // A format whose font number is 0 ends the list: the format before it stays.
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("ab").text("cd\r", {.style = mw46::kBold, .font = 0}).build()),
            kNoHeaderNoFooter + kFirstText + "abcd¶");
  // So does one with the top bit of its style set.
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("ab").end_mark().build()), kNoHeaderNoFooter + kFirstText + "ab");
  // A size below 1 point changes no size.
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("a").text("b\r", {.size = -4}).build()),
            kNoHeaderNoFooter + kFirstText + "ab¶");
}

TEST(MacWrite46Reader, Characters) {
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("C:\\DOS\t\x8E\xD2q\xD3\xA5\x01\r").build()),
            kNoHeaderNoFooter + kFirstText +
                "C:{Backslash}DOS{Tab}{TableChar 1,41}{TableChar 4,32}q{TableChar 4,31}{TableChar 4,3}¶");
  testing::ReaderRun run = run_reader(orig_macw46, MacWrite46Builder{}.paragraph("a\\b\r").build());
  EXPECT_NE(run.stream.find(bytes({'a', 0x5C, 0x5C, 'b', 13})), std::string::npos);
}

TEST(MacWrite46Reader, Rulers) {
  // Tab columns are tenths of an inch (7.2 points) counted from the left
  // margin, rounded: with 36 points of margin, stops at 72, 144 and 216
  // points are 5, 15 and 25 columns; stops left of the margin or beyond
  // column 255 are dropped. A stop with the top bit set is a decimal stop at
  // the low 15 bits.
  const MacWrite46Ruler first{.left_margin = 36, .tabs = {72, 144, mw46::decimal(216), 5, 3000, 40, 39}};
  EXPECT_EQ(read46(MacWrite46Builder{}.ruler(first).build()),
            kNoHeaderNoFooter + "{LeftMargin 0,5}{SetTab 1,5}{SetTab 1,15}{SetTab 4,25}{SetTab 1,1}");

  // A ruler that drops a stop clears exactly that one; a changed kind is
  // cleared and set again; an unchanged ruler writes nothing.
  EXPECT_EQ(read46(MacWrite46Builder{}.ruler({.tabs = {72, 144}}).ruler({.tabs = {72}}).build()),
            kNoHeaderNoFooter + "{SetTab 1,10}{SetTab 1,20}{ClearTab 1,20}");
  EXPECT_EQ(read46(MacWrite46Builder{}.ruler({.tabs = {72}}).ruler({.tabs = {mw46::decimal(72)}}).build()),
            kNoHeaderNoFooter + "{SetTab 1,10}{ClearTab 1,10}{SetTab 4,10}");
  EXPECT_EQ(read46(MacWrite46Builder{}.ruler({.tabs = {72}}).ruler({.tabs = {72}}).build()),
            kNoHeaderNoFooter + "{SetTab 1,10}");

  // The size of the text before the ruler does not change the scale.
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("x\r").ruler({.tabs = {72}}).build()),
            kNoHeaderNoFooter + kFirstText + "x¶{SetTab 1,10}");

  // Line spacing, and the ruler's alignment for the paragraphs without their own.
  EXPECT_EQ(read46(MacWrite46Builder{}
                       .ruler({.alignment = mw46::kCentred, .line_spacing = 2, .tabs = {}})
                       .paragraph("c\r")
                       .paragraph("r\r").aligned(mw46::kRight)
                       .paragraph("j\r").aligned(mw46::kJustified)
                       .ruler({})
                       .paragraph("l\r")
                       .build()),
            kNoHeaderNoFooter + "{LineSpacing 8,16}{CenterOn}{FontSize 246,244}{Font 0,2}c¶{CenterOff}{RightOn}r¶" +
                "{RightOff}{JustifyOn}j¶{LineSpacing 16,8}{JustifyOff}{LeftOn}l¶");
  // Status bit 5 marks an alignment of the paragraph's own as bit 6 does: a
  // paragraph under a centred ruler that says left stays left.
  EXPECT_EQ(read46(MacWrite46Builder{}
                       .ruler({.alignment = mw46::kCentred, .tabs = {}})
                       .paragraph("l\r").aligned(mw46::kLeft, 0x20)
                       .paragraph("c\r")
                       .paragraph("r\r").aligned(mw46::kRight, 0x20)
                       .build()),
            kNoHeaderNoFooter + "{LeftOn}{FontSize 246,244}{Font 0,2}l¶{CenterOn}c¶{CenterOff}{RightOn}r¶");
}

TEST(MacWrite46Reader, MarginsAndIndents) {
  // The first-line position becomes the left margin, the distance on to the
  // left margin the hanging indent; both in tenths of an inch, rounded. Tab
  // stops count from the first-line position. A ruler that changes nothing
  // writes nothing; a ruler without indent resets it.
  struct Case {
    std::vector<MacWrite46Ruler> rulers;
    std::string codes;
  };
  const Case cases[] = {
      {{{.left_margin = 36}}, "{LeftMargin 0,5}"},
      {{{.left_margin = 162, .first_line = 45, .tabs = {324}}}, "{LeftMargin 0,6}{IndentHere 0,17}{SetTab 1,39}"},
      {{{.left_margin = 162, .first_line = 45}, {.left_margin = 162, .first_line = 45}, {.left_margin = 18}},
       "{LeftMargin 0,6}{IndentHere 0,17}{LeftMargin 6,3}{IndentReset 17,0}"},
      {{{.left_margin = 162, .first_line = 45}, {.left_margin = 170, .first_line = 45}},
       "{LeftMargin 0,6}{IndentHere 0,17}{IndentHere 17,18}"},
      // A first line right of the left margin: a first-line indent (Indent2);
      // one indent takes the other's place through IndentReset.
      {{{.left_margin = 36, .first_line = 72}}, "{LeftMargin 0,5}{Indent2 0,5}"},
      {{{.left_margin = 36, .first_line = 72}, {.left_margin = 36, .first_line = 108}, {.left_margin = 36}},
       "{LeftMargin 0,5}{Indent2 0,5}{Indent2 5,10}{IndentReset 0,10}"},
      {{{.left_margin = 36, .first_line = 72}, {.left_margin = 162, .first_line = 45}},
       "{LeftMargin 0,5}{Indent2 0,5}{LeftMargin 5,6}{IndentReset 0,5}{IndentHere 0,17}"},
      {{{.left_margin = 162, .first_line = 45}, {.left_margin = 36, .first_line = 72}},
       "{LeftMargin 0,6}{IndentHere 0,17}{LeftMargin 6,5}{IndentReset 17,0}{Indent2 0,5}"},
      // Positions left of the page margin, or beyond the last column, are clamped.
      {{{.left_margin = -20, .first_line = -40}}, ""},
      {{{.left_margin = 3000, .first_line = 2000}}, "{LeftMargin 0,255}"},
  };
  for (const Case& c : cases) {
    MacWrite46Builder doc;
    for (const MacWrite46Ruler& ruler : c.rulers) doc.ruler(ruler);
    EXPECT_EQ(read46(doc.paragraph("x\r").build()), kNoHeaderNoFooter + c.codes + kFirstText + "x¶") << c.codes;
  }
  // The bytes: LeftMargin 0x88 and IndentHere 0x8A with old and new columns.
  const testing::ReaderRun run =
      run_reader(orig_macw46, MacWrite46Builder{}.ruler({.left_margin = 162, .first_line = 45}).build());
  EXPECT_EQ(run.stream.substr(12), bytes({0x5C, 0x88, 0, 6, 0x5C, 0x8A, 0, 17}));
  // Indent2 0x8B with old and new columns.
  EXPECT_EQ(run_reader(orig_macw46, MacWrite46Builder{}.ruler({.left_margin = 36, .first_line = 72}).build())
                .stream.substr(12),
            bytes({0x5C, 0x88, 0, 5, 0x5C, 0x8B, 0, 5}));
}

TEST(MacWrite46Reader, SpecialEntries) {
  // A special entry of 22 bytes is a page break; one whose data is no
  // picture is dropped.
  EXPECT_EQ(read46(MacWrite46Builder{}.paragraph("a\r").page_break().picture().paragraph("b\r").build()),
            kNoHeaderNoFooter + kFirstText + "a¶{PageBreak}b¶");
  // A page break that nothing follows is left out: it would only add an
  // empty page (also in a header, where it means nothing).
  EXPECT_EQ(read46(MacWrite46Builder{}.header().paragraph("h\r").page_break().main().paragraph("a\r").page_break().build()),
            "{HeaderAll 0,0}" + kFirstText + "h¶{EndOfText}{FooterAll 0,0}{EndOfText}a¶");
  // So are the pictures framed "MAGICPIC", in both sizes MacWrite writes them.
  for (bool version2 : {false, true}) {
    EXPECT_EQ(read46(MacWrite46Builder{}
                         .paragraph("a\r")
                         .picture({.bottom = 682, .right = 1000, .picture = build::mac_page_break_picture(version2)})
                         .paragraph("b\r")
                         .build()),
              kNoHeaderNoFooter + kFirstText + "a¶{PageBreak}b¶");
  }
}

TEST(MacWrite46Reader, PagesAsLaidOut) {
  // A paragraph (or picture) on a later page than the one before it starts a
  // new page; one that follows a page break, or starts the text, does not
  // add another. The header and footer are on no page of their own.
  const std::string pict = build::mac_picture(0, 0, 10, 10);
  EXPECT_EQ(read46(MacWrite46Builder{}
                       .header().page(3).paragraph("H\r")
                       .main().page(1).paragraph("a\r")
                       .page(2).ruler({}).paragraph("b\r").paragraph("\r")
                       .page(3).picture({.bottom = 10, .right = 10, .picture = pict})
                       .page(4).page_break().page(5).paragraph("c\r")
                       .page(4).paragraph("d\r")
                       .build()),
            "{HeaderAll 0,0}" + kFirstText + "H¶{EndOfText}{FooterAll 0,0}{EndOfText}a¶{PageBreak}b¶¶{PageBreak}" +
                "{Picture 1 10x10 " + hex_digits(pict) + "}¶{PageBreak}c¶d¶");
}

TEST(MacWrite46Reader, Pictures) {
  // A picture is a paragraph of its own in the ruler's alignment: its frame
  // gives height and width, its bytes follow as hexadecimal digits.
  const std::string pict = build::mac_picture(0, 0, 100, 200, std::string("\xA0\x00\x82\xFF", 4));
  const std::string doc = MacWrite46Builder{}
                              .ruler({.alignment = mw46::kCentred})
                              .picture({.top = 10, .left = 20, .bottom = 110, .right = 220, .picture = pict})
                              .paragraph("after\r")
                              .build();
  EXPECT_EQ(read46(doc), kNoHeaderNoFooter + "{CenterOn}{Picture 1 100x200 " + hex_digits(pict) +
                             "}¶{FontSize 246,244}{Font 0,2}after¶");
  const testing::ReaderRun run = run_reader(orig_macw46, doc);
  const std::string expected = bytes({0x5C, 0xC0, 1, 0, 0, 0, 0, 100, 0, 0, 0, 200}) + "0010000000000064" +
                               "00c81101a00082ff" + bytes({0x5C, 0x7F, 13});
  EXPECT_NE(run.stream.find(expected), std::string::npos) << run.printed();

  // A frame without extent: the picture's own frame gives the size. Version
  // 2 pictures are kept too; data that is no picture is dropped.
  std::string v2 = build::mac_picture(0, 0, 30, 40);
  v2.replace(10, 2, std::string("\x00\x11\x02\xFF", 4));
  struct Case {
    build::MacWrite46Picture picture;
    std::string printed;
  };
  const Case cases[] = {
      {{.picture = build::mac_picture(5, 5, 35, 45)},
       "{LeftOn}{Picture 1 30x40 " + hex_digits(build::mac_picture(5, 5, 35, 45)) + "}¶"},
      {{.bottom = 30, .right = 40, .picture = v2}, "{LeftOn}{Picture 1 30x40 " + hex_digits(v2) + "}¶"},
      {{.bottom = 30, .right = 40, .picture = "no picture at all"}, ""},
      {{.bottom = 30, .right = 40, .picture = "\x11\x01"}, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(read46(MacWrite46Builder{}.picture(c.picture).build()), kNoHeaderNoFooter + c.printed) << c.printed;
  }
  // A picture in the header stays inside the header text.
  EXPECT_EQ(read46(MacWrite46Builder{}.header().picture({.bottom = 1, .right = 1, .picture = pict}).build()),
            "{HeaderAll 0,0}{LeftOn}{Picture 1 1x1 " + hex_digits(pict) + "}¶{EndOfText}{FooterAll 0,0}{EndOfText}");
}

TEST(MacWrite46Reader, MacBinaryHeaderIsSkipped) {
  const MacWrite46Builder doc = MacWrite46Builder{}
                                    .header().paragraph("Head\r")
                                    .main().ruler({.tabs = {72}}).paragraph("Body \x8E\r", {.style = mw46::kBold});
  const std::string plain = read46(doc.build());
  EXPECT_EQ(read46(doc.build_macbinary()), plain);
  // The view looks through any MacBinary header, whatever its type and creator.
  EXPECT_EQ(read46(build::macbinary(doc.build(), "x", "TEXT", "ttxt")), plain);
}

TEST(MacWrite46Reader, RefusedFiles) {
  ScratchDir dir;
  EXPECT_EQ(orig_macw46(dir.file("missing").c_str(), dir.file("out").c_str()), -1);
  EXPECT_EQ(run_reader(orig_macw46, "").rc, -2);
  std::string doc = MacWrite46Builder{}.paragraph("x\r").build();
  doc[1] = 5;
  EXPECT_EQ(run_reader(orig_macw46, doc).rc, -1);
  // A version 6 file too short for the document header.
  EXPECT_EQ(run_reader(orig_macw46, MacWrite46Builder{}.build().substr(0, 200)).rc, -1);
  EXPECT_EQ(run_reader(orig_macw46, std::string(1, '\0')).rc, -1);
}

}  // namespace
}  // namespace lettrix
