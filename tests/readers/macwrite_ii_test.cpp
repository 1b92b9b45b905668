// The MacWrite II reader on documents written by the test builder: text,
// character and paragraph formats, fonts, line breaks, footnotes, zones.
#include "readers/macwrite_ii.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "builders/builder_common.h"
#include "builders/macwrite_ii_builder.h"
#include "core/handler.h"
#include "macwrite_ii_test_util.h"

namespace lettrix {
namespace {

using build::MacWriteIIBuilder;
using build::mw2::Style;
using testing::bytes;
using testing::read_macwrite_ii;
using testing::stream_of;
namespace mw2 = build::mw2;

// The codes of the first run in the default format (Times, 12 points).
const std::string kFirstRun = bytes({0x5C, 0x90, 0xF6, 0xF4, 0x5C, 0x8F, 0x00, 0x01});
const std::string kFirstRunPrinted = "{FontSize 246,244}{Font 0,1}";
// The codes of a later run in the default format: the state holds the font
// number and the positive size of the run before, so both come again.
const std::string kNextRunPrinted = "{FontSize 12,244}{Font 20,1}";

std::string printed(const MacWriteIIBuilder& b) { return read_macwrite_ii(b.build()).printed(); }

TEST(MacWriteIIBuilder, WritesTheDescribedLayout) {
  const std::string doc = MacWriteIIBuilder{}.paragraph("Hi").build();
  ASSERT_EQ(doc.size() % 256, 0u);
  EXPECT_EQ(doc[1], '.');
  // Block 3: the document chain, starting with L = 16.
  EXPECT_EQ(doc.substr(512, 4), bytes({0, 0, 0, 16}));
  // 4 + 16 + 4 + 2 + 42 bytes on: S for one character format, then the format.
  EXPECT_EQ(doc.substr(512 + 68, 4), bytes({0, 0, 0, 10}));
  EXPECT_EQ(doc.substr(512 + 72, 10), bytes({0, 0, 0, 20, 0, 48, 0, 0, 0, 0}));
  EXPECT_EQ(doc.substr(512 + 82, 4), bytes({0, 0, 0, 202}));

  const std::string wrapped = MacWriteIIBuilder{}.paragraph("Hi").build_macbinary();
  EXPECT_EQ(wrapped.substr(65, 8), "MW2DMWII");
  EXPECT_EQ(wrapped.substr(128, doc.size()), doc);

  // With extents, block 3 links to an extent at block 4 (-4) whose count
  // covers the rest of the document chain.
  const std::string ext = MacWriteIIBuilder{}.extents().paragraph("Hi").build();
  EXPECT_EQ(ext.substr(512 + 254, 2), bytes({0xFF, 0xFC}));
  EXPECT_EQ(ext.substr(768, 2), bytes({0, 2}));
}

TEST(MacWriteIIReader, PlainParagraphsByteExact) {
  auto r = read_macwrite_ii(MacWriteIIBuilder{}.paragraph("Hello").paragraph("World").build());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.stream, kFirstRun + "Hello\rWorld\r") << print_stream(r.stream);

  // Text across many blocks, through linked blocks or extents, reads the same.
  const std::string text = "The quick brown fox jumps over the lazy dog. ";
  std::string long_text;
  for (int i = 0; i < 40; ++i) long_text += text;
  const std::string expected = read_macwrite_ii(MacWriteIIBuilder{}.paragraph(long_text).build()).stream;
  EXPECT_EQ(read_macwrite_ii(MacWriteIIBuilder{}.block_fill(7).paragraph(long_text).build()).stream, expected);
  EXPECT_EQ(read_macwrite_ii(MacWriteIIBuilder{}.extents().block_fill(3).paragraph(long_text).build()).stream,
            expected);
  EXPECT_NE(expected.find("lazy dog."), std::string::npos);
}

TEST(MacWriteIIReader, MacBinaryHeaderGivesTheSameStream) {
  MacWriteIIBuilder b;
  b.text("Caf\x8E ", Style{}.bold()).text("na\x95ve", Style{}.italic().size(14)).footnote("A note.");
  b.paragraph(" End.", {}, mw2::kCentred);
  auto plain = read_macwrite_ii(b.build());
  auto wrapped = read_macwrite_ii(b.build_macbinary("Caf\x8E"));
  EXPECT_EQ(plain.rc, 0);
  EXPECT_EQ(wrapped.rc, 0);
  EXPECT_EQ(wrapped.stream, plain.stream) << print_stream(wrapped.stream) << "\n" << print_stream(plain.stream);
  EXPECT_NE(plain.printed().find("{NoteCall 0,1}"), std::string::npos);
  // The same document through extents.
  EXPECT_EQ(read_macwrite_ii(b.extents().build_macbinary()).stream, plain.stream);
}

TEST(MacWriteIIReader, SignatureAndEmptySource) {
  EXPECT_EQ(read_macwrite_ii(MacWriteIIBuilder{}.signature(0, 0).paragraph("x").build()).rc, -1);
  EXPECT_EQ(read_macwrite_ii(MacWriteIIBuilder{}.signature(0, 0).paragraph("x").build_macbinary()).rc, -1);
  auto third = read_macwrite_ii(MacWriteIIBuilder{}.signature(0, '.').paragraph("x").build());
  EXPECT_EQ(third.rc, 0);
  EXPECT_EQ(third.printed(), kFirstRunPrinted + "x¶");
  EXPECT_EQ(read_macwrite_ii("").rc, -2);
  EXPECT_EQ(read_macwrite_ii(" .").rc, -1);  // the signature, but no document chain
  // A MacBinary header of another file type is looked through as well.
  const auto typed = read_macwrite_ii(build::macbinary(MacWriteIIBuilder{}.paragraph("x").build(), "x", "TEXT", "ttxt"));
  EXPECT_EQ(typed.rc, 0);
  EXPECT_EQ(typed.printed(), kFirstRunPrinted + "x¶");
  testing::ScratchDir dir;
  EXPECT_EQ(orig_macwII(dir.file("missing").c_str(), dir.file("out").c_str()), -1);
}

TEST(MacWriteIIReader, RefusalsSayWhy) {
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const auto sample = [](const char* name) {
    return testing::read_file((std::filesystem::path(LETTRIX_SOURCE_DIR) / "samples" / name).string());
  };
  const std::string letter = sample("macwrite-ii/letter.mw2");
  std::string no_formats = MacWriteIIBuilder{}.paragraph("x").build();
  no_formats[512] = 1;  // the document chain's first part runs past its end
  struct Case {
    std::string document;
    int rc;
    const char* reason;  // the start of handler_reason()
  };
  const Case cases[] = {
      {"", kHandlerEmpty, "not a MacWrite II document: the file is empty"},
      {noise, kHandlerCannotOpen, "not a MacWrite II document: no \".\" at byte 1 or 3"},
      {"Dear Sir,\rThank you.\r", kHandlerCannotOpen, "not a MacWrite II document: no \".\" at byte 1 or 3"},
      {sample("works-2/letter.wks"), kHandlerCannotOpen, "not a MacWrite II document: "},
      {sample("clarisworks/letter.cwk"), kHandlerCannotOpen, "not a MacWrite II document: "},
      {MacWriteIIBuilder{}.signature(0, 0).paragraph("x").build_macbinary(), kHandlerCannotOpen,
       "not a MacWrite II document: no \".\" at byte 1 or 3"},
      {no_formats, kHandlerCannotOpen,
       "not a MacWrite II document: the length of its first part 16,777,232 runs past the end of the document chain"},
      // Cut short: the format tables, or the text (a view read past the end).
      {letter.substr(0, 600), kHandlerCannotOpen, "format tables cut short at byte 600 of at least 768"},
      {letter.substr(0, 1300), kHandlerDamaged, "text cut short at byte 1,300 of at least 1,536"},
  };
  for (const Case& c : cases) {
    const auto r = read_macwrite_ii(c.document);
    EXPECT_EQ(r.rc, c.rc) << c.reason;
    EXPECT_TRUE(r.reason.starts_with(c.reason)) << r.reason;
  }
}

TEST(MacWriteIIReader, LineBreakPastColumn79) {
  const std::string a79(79, 'a'), a80(80, 'a');
  auto kept = read_macwrite_ii(MacWriteIIBuilder{}.paragraph(a79 + " b").build());
  EXPECT_EQ(kept.stream, kFirstRun + a79 + " b\r");
  auto broken = read_macwrite_ii(MacWriteIIBuilder{}.paragraph(a80 + " b c").build());
  EXPECT_EQ(broken.stream, kFirstRun + a80 + "\nb c\r");
  // The count starts again after the break and at each paragraph end.
  auto twice = read_macwrite_ii(MacWriteIIBuilder{}.paragraph(a80 + " " + a80 + " x").paragraph(a79 + " y").build());
  EXPECT_EQ(twice.stream, kFirstRun + a80 + "\n" + a80 + "\nx\r" + a79 + " y\r");
  // Table characters and backslashes count as columns; spaces and tabs do not.
  std::string accents;
  for (int i = 0; i < 80; ++i) accents += "\x8E";
  auto table = read_macwrite_ii(MacWriteIIBuilder{}.paragraph(accents + " z").build()).printed();
  EXPECT_TRUE(table.ends_with("{LF}z¶")) << table;
  auto slashes = read_macwrite_ii(MacWriteIIBuilder{}.paragraph(std::string(80, '\\') + " z").build()).stream;
  EXPECT_EQ(slashes.substr(slashes.size() - 3), "\nz\r");
  auto spaced = read_macwrite_ii(MacWriteIIBuilder{}.paragraph("a" + std::string(100, ' ') + "b").build());
  EXPECT_EQ(spaced.stream, kFirstRun + "a" + std::string(100, ' ') + "b\r");
}

TEST(MacWriteIIReader, RunsEndingAtParagraphEndCloseBeforeIt) {
  auto r = read_macwrite_ii(MacWriteIIBuilder{}.text("Plain ").paragraph("bold", Style{}.bold()).paragraph("next").build());
  EXPECT_EQ(r.stream, stream_of(kFirstRunPrinted + "Plain " + kNextRunPrinted + "{BoldOn}bold{BoldOff}¶" +
                                kNextRunPrinted + "next¶"))
      << r.printed();

  // A run that goes on past the paragraph end keeps its attributes open.
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("one", Style{}.italic()).paragraph("two", Style{}.italic())),
            kFirstRunPrinted + "{ItalicOn}one¶two{ItalicOff}¶");

  // Alignment: the off code before the paragraph end of the run's last paragraph.
  EXPECT_EQ(printed(MacWriteIIBuilder{}
                        .paragraph("Title", {}, mw2::kCentred)
                        .paragraph("Sub", {}, mw2::kCentred)
                        .paragraph("Body", {}, mw2::kLeft)
                        .paragraph("Sign", {}, mw2::kRight)
                        .paragraph("Text", {}, mw2::kJustified)),
            kFirstRunPrinted + "{CenterOn}Title¶Sub{CenterOff}¶Body¶{RightOn}Sign{RightOff}¶{JustifyOn}Text{JustifyOff}¶");
}

TEST(MacWriteIIReader, StyleBitsBecomeAttributes) {
  struct Case {
    Style style;
    std::string on, off;
  };
  const Case cases[] = {
      {Style{}.bold(), "{BoldOn}", "{BoldOff}"},
      {Style{}.italic(), "{ItalicOn}", "{ItalicOff}"},
      {Style{}.underline(), "{UnderlineOn}", "{UnderlineOff}"},
      {Style{}.outline(), "{OutlineOn}", "{OutlineOff}"},
      {Style{}.shadow(), "{ShadowOn}", "{ShadowOff}"},
      {Style{}.superscript(), "{SuperscriptOn}", "{SuperscriptOff}"},
      {Style{}.subscript(), "{SubscriptOn}", "{SubscriptOff}"},
      {Style{}.with_a(0x01), "{SuperscriptOn}", "{SuperscriptOff}"},
      {Style{}.strike(), "{StrikeOn}", "{StrikeOff}"},
      {Style{}.caps(), "{CapsOn}", "{CapsOff}"},
      {Style{}.small_caps(), "{SmallCapsOn}", "{SmallCapsOff}"},
      {Style{}.word_underline(), "{UnderlineOn}", "{UnderlineOff}"},
      {Style{}.double_underline(), "{DoubleUnderlineOn}", "{DoubleUnderlineOff}"},
      {Style{}.word_underline().double_underline(), "{DoubleUnderlineOn}", "{DoubleUnderlineOff}"},
      {Style{}.word_underline().underline(), "{UnderlineOn}", "{UnderlineOff}"},
      {Style{}.with_a(0xC0).with_b(0x80), "", ""},
      {Style{}.bold().italic().shadow(), "{BoldOn}{ItalicOn}{ShadowOn}", "{BoldOff}{ItalicOff}{ShadowOff}"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("x", c.style)), kFirstRunPrinted + c.on + "x" + c.off + "¶")
        << "style bytes " << int(c.style.a) << ", " << int(c.style.b);
}

TEST(MacWriteIIReader, FontsSizesAndCharacterSets) {
  // Font classes and the character table of each font.
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("ab", Style{}.in_font(mw2::kSymbol).size(14))),
            "{FontSize 246,242}{Font 0,3}{TableChar 8,1}{TableChar 8,3}¶");
  // 0x5C: the Symbol font's therefore sign, a backslash in a text font.
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("\\", Style{}.in_font(mw2::kSymbol).size(14))),
            "{FontSize 246,242}{Font 0,3}{TableChar 6,102}¶");
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("\\", Style{}.in_font(mw2::kHelvetica))),
            "{FontSize 246,244}{Font 0,2}{Backslash}¶");
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("ab", Style{}.in_font(mw2::kDingbats).size(10))), "{Font 0,4}{TableChar 5,99}{TableChar 5,100}¶");
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("ab", Style{}.in_font(mw2::kHelvetica))),
            "{FontSize 246,244}{Font 0,2}ab¶");
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("\x8E\xA5\xCA", Style{}.in_font(mw2::kGeneva))),
            "{FontSize 246,244}{Font 0,2}{TableChar 1,41}{TableChar 4,3}{HardSpace}¶");
  // The table follows the font from run to run.
  EXPECT_EQ(printed(MacWriteIIBuilder{}.text("a", Style{}.in_font(mw2::kSymbol)).paragraph("a")),
            "{FontSize 246,244}{Font 0,3}{TableChar 8,1}{FontSize 12,244}{Font 23,1}a¶");
  // Sizes: quarter points divided by 4, truncated; a change back to 10 points.
  Style odd;
  odd.quarter_points = 50;
  EXPECT_EQ(printed(MacWriteIIBuilder{}.text("a", odd).paragraph("b", Style{}.size(10))),
            "{FontSize 246,244}{Font 0,1}a{FontSize 12,246}{Font 20,1}b¶");
}

TEST(MacWriteIIReader, TabStopsAndHardSpaces) {
  // Each paragraph format's tab stops (16.16 points) become the stream's
  // ruler, in tenths of an inch: kinds 0 to 3 are left, centred, right and
  // decimal; other kinds and stops beyond column 255 are dropped; a position
  // of 0 ends the list. The next format's ruler replaces them.
  EXPECT_EQ(printed(MacWriteIIBuilder{}
                        .tabs({{0, 72}, {1, 144.5}, {3, 216}, {7, 250}, {2, 2000}, {0, 0}, {0, 300}})
                        .paragraph("a\tb")
                        .tabs({{2, 72}})
                        .paragraph("c")),
            kFirstRunPrinted + "{SetTab 1,10}{SetTab 2,20}{SetTab 4,30}a{Tab}b¶" +
                "{ClearTab 1,10}{SetTab 3,10}{ClearTab 2,20}{ClearTab 4,30}c¶");
  // A position at the top of the 16.16 range rounds past it (to 32768
  // points) and is dropped like any stop beyond column 255.
  EXPECT_EQ(printed(MacWriteIIBuilder{}.tabs({{0, 72}, {0, 32767.99}, {1, 144}}).paragraph("x")),
            kFirstRunPrinted + "{SetTab 1,10}{SetTab 2,20}x¶");
  const auto run = read_macwrite_ii(MacWriteIIBuilder{}.tabs({{0, 72}}).paragraph("x").build());
  EXPECT_EQ(run.stream, stream_of(kFirstRunPrinted + "{SetTab 1,10}x¶"));
  // 0xCA is a non-breaking space in the Macintosh character set only.
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("a\xCA" "b")), kFirstRunPrinted + "a{HardSpace}b¶");
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("\xCA", Style{}.in_font(mw2::kSymbol))).find("HardSpace"),
            std::string::npos);
}

TEST(MacWriteIIReader, ControlAndStructureBytes) {
  auto r = read_macwrite_ii(MacWriteIIBuilder{}.paragraph("a\x02" "b\x17" "c\td\fe\\f").build());
  EXPECT_EQ(r.stream, stream_of(kFirstRunPrinted + "abc{Tab}d{PageBreak}e{Backslash}f¶")) << r.printed();
  // Control bytes without a character are dropped; 0x7F is a plain character.
  EXPECT_EQ(read_macwrite_ii(MacWriteIIBuilder{}.paragraph(std::string("\x00\x01\x0A\x1F\x7F", 5)).build()).stream,
            kFirstRun + "\x7F\r");
}

TEST(MacWriteIIReader, FootnotesMoveToTheirReferences) {
  auto r = read_macwrite_ii(MacWriteIIBuilder{}.text("A").footnote("N1").text("B").footnote("N2").paragraph("C").build());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.stream, stream_of(kFirstRunPrinted + "A{NoteCall 0,1}" + kNextRunPrinted + "N1{EndOfText}B" +
                                "{NoteCall 0,2}N2{EndOfText}C¶"))
      << r.printed();

  // A note keeps its own formatting, and the main text gets its own back.
  EXPECT_EQ(printed(MacWriteIIBuilder{}
                        .text("See", Style{}.bold())
                        .footnote("Italic note", Style{}.italic(), Style{}.bold())
                        .paragraph(" more", Style{}.bold())),
            kFirstRunPrinted +
                "{BoldOn}See{NoteCall 0,1}{BoldOff}{FontSize 12,244}{Font 20,1}{ItalicOn}Italic note{ItalicOff}{BoldOn}"
                "{EndOfText} more{BoldOff}¶");
  // Each note gets the codes of a run that starts with it, none of the previous note's.
  EXPECT_EQ(printed(MacWriteIIBuilder{}.text("a").footnote("one").text("b").footnote("two", Style{}.bold()).paragraph("")),
            kFirstRunPrinted + "a{NoteCall 0,1}{FontSize 12,244}{Font 20,1}one{EndOfText}b{NoteCall 0,2}"
                               "{FontSize 12,244}{Font 20,1}{BoldOn}two{BoldOff}{EndOfText}¶");
  // A reference inside a note is dropped with its empty note; a reference
  // without a note text gets an empty note.
  EXPECT_EQ(printed(MacWriteIIBuilder{}.text("x").footnote("in\x05side").paragraph("\x05")),
            kFirstRunPrinted + "x{NoteCall 0,1}{FontSize 12,244}{Font 20,1}inside{EndOfText}{NoteCall 0,2}{EndOfText}¶");
  // Without any note text the references stay as they are.
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("x\x05")), kFirstRunPrinted + "x{NoteCall 0,0}{EndOfText}¶");
  // Operand bytes that look like the escape or the note marker are read as operands.
  Style big;
  big.quarter_points = 93 * 4;  // FontSize operand 0xA3
  Style huge;
  huge.quarter_points = 164 * 4;  // FontSize operand 0x5C
  auto tricky = read_macwrite_ii(
      MacWriteIIBuilder{}.text("a", huge).text("b", big).footnote("n", huge, big).paragraph("c", big).build());
  EXPECT_EQ(tricky.printed(), "{FontSize 246,92}{Font 0,1}a{FontSize 164,163}{Font 20,1}b{NoteCall 0,1}"
                              "{FontSize 93,92}{Font 20,1}n{FontSize 92,163}{EndOfText}c¶");
}

// The note pass reads the stream in large blocks: main text, notes and the
// codes around them come out the same whatever their sizes, also where they
// cross the block boundaries, and with many notes.
TEST(MacWriteIIReader, FootnotesOfEverySizeMoveToTheirReferences) {
  struct Case {
    std::size_t text_size;
    std::size_t note_size;
    int notes;
  };
  const Case cases[] = {{1, 1, 1}, {70000, 1, 2}, {5, 70000, 2}, {65530, 65540, 3}, {3, 2, 300}};
  for (const Case& c : cases) {
    MacWriteIIBuilder b;
    std::string expected = kFirstRunPrinted;
    for (int i = 1; i <= c.notes; ++i) {
      const std::string text(c.text_size, static_cast<char>('a' + i % 20));
      const std::string note(c.note_size, static_cast<char>('A' + i % 20));
      b.text(text).footnote(note);
      // Only the first note has a run of its own (the notes after it are in
      // the same format): the codes of its run come with it.
      expected += text + "{NoteCall 0," + std::to_string(i % 256) + "}" +
                  (i == 1 ? "{FontSize 12,244}{Font 20,1}" : "") + note + "{EndOfText}";
    }
    b.paragraph("z");
    expected += "z¶";
    const auto r = read_macwrite_ii(b.build());
    EXPECT_EQ(r.rc, 0);
    const std::string got = r.printed();
    EXPECT_EQ(got.size(), expected.size()) << c.text_size << " " << c.note_size << " " << c.notes;
    EXPECT_TRUE(got == expected) << c.text_size << " " << c.note_size << " " << c.notes;
  }
}

TEST(MacWriteIIReader, ZonesInFileOrderAndGroups) {
  EXPECT_EQ(printed(MacWriteIIBuilder{}.paragraph("First").next_zone().paragraph("Second").next_zone(true).paragraph("Third")),
            kFirstRunPrinted + "First¶{FontSize 12,244}{Font 20,1}Second¶{FontSize 12,244}{Font 20,1}Third¶");
  // A zone that starts beyond the end of the file ends its group; the next
  // group is still read.
  mw2::Damage far;
  far.zone_first_block = 30000;
  EXPECT_EQ(printed(MacWriteIIBuilder{}
                        .paragraph("First")
                        .next_zone()
                        .paragraph("Second")
                        .next_zone(true)
                        .paragraph("Third")
                        .damage(far)),
            kFirstRunPrinted + "Third¶");
}

}  // namespace
}  // namespace lettrix
