#include "readers/macwrite_22.h"

#include <gtest/gtest.h>

#include "builders/builder_common.h"
#include "builders/macwrite_22_builder.h"
#include "core/handler.h"
#include "readers/macwrite_test_support.h"

namespace lettrix {
namespace {

using build::MacWrite22Builder;
namespace mw46 = build::mw46;
using testing::bytes;
using testing::run_reader;

// What the first paragraph of 12 points in left alignment starts with.
const std::string kFirst = "{LeftOn}{FontSize 246,244}{Font 0,2}";

std::string read22(const std::string& doc, int expected_rc = 0) {
  testing::ReaderRun run = run_reader(orig_macw22, doc);
  EXPECT_EQ(run.rc, expected_rc);
  EXPECT_TRUE(run.leaves_nothing_behind);
  return run.printed();
}

TEST(MacWrite22Reader, MainText) {
  EXPECT_EQ(read22(MacWrite22Builder{}
                       .ruler()
                       .paragraph("Caf\x8E \xD2quoted\xD3\r")
                       .paragraph("\r")
                       .ruler()
                       .paragraph("\xA5\tC:\\DOS\r")
                       .build()),
            kFirst + "Caf{TableChar 1,41} {TableChar 4,32}quoted{TableChar 4,31}¶¶{TableChar 4,3}{Tab}C:{Backslash}DOS¶");
  // A backslash is the Backslash code, never a bare escape byte.
  EXPECT_EQ(run_reader(orig_macw22, MacWrite22Builder{}.paragraph("a\\b\r").build()).stream,
            bytes({0x5C, 0x53, 0x5C, 0x90, 0xF6, 0xF4, 0x5C, 0x8F, 0x00, 0x02, 'a', 0x5C, 0x5C, 'b', 13}));
  // Odd text lengths are padded; control bytes go through the character table.
  EXPECT_EQ(read22(MacWrite22Builder{}.paragraph("Odd").paragraph("\rx\x01\x11y\r").build()), kFirst + "Odd¶x_y¶");
  // The paragraphs start where the document header says.
  EXPECT_EQ(read22(MacWrite22Builder{}.paragraph("Far\r").build(1000)), kFirst + "Far¶");
}

TEST(MacWrite22Reader, CharacterFormats) {
  // Each run's style switches each attribute on or off, a plain run closes
  // them all, and attributes open at a paragraph end close before it.
  EXPECT_EQ(read22(MacWrite22Builder{}
                       .paragraph("a")
                       .text("b", {.style = mw46::kBold | mw46::kUnderline})
                       .text("c", {.style = mw46::kItalic})
                       .text("d\r", {.size = 9, .font = 4})
                       .paragraph("Bold\r", {.size = 9, .style = mw46::kBold})
                       .build()),
            kFirst + "a{BoldOn}{UnderlineOn}b{BoldOff}{ItalicOn}{UnderlineOff}c{FontSize 244,247}{Font 2,5}{ItalicOff}d¶" +
                "{Font 5,2}{BoldOn}Bold{BoldOff}¶");
  // Fonts give the font class and the character table.
  EXPECT_EQ(read22(MacWrite22Builder{}.paragraph("T", {.font = mw46::kTimes}).text("a\r", {.font = mw46::kSymbol}).build()),
            "{LeftOn}{FontSize 246,244}{Font 0,1}T{Font 1,3}{TableChar 8,1}¶");
}

TEST(MacWrite22Reader, Rulers) {
  // Margins, indents, tab stops and alignment as in MacWrite 4.x rulers: the
  // first-line position is the left margin, the distance on the hanging
  // indent, tab columns count from the first-line position.
  EXPECT_EQ(read22(MacWrite22Builder{}
                       .ruler({.left_margin = 60, .first_line = 40, .alignment = mw46::kCentred, .tabs = {72}})
                       .paragraph("x\r")
                       .ruler({.left_margin = 20, .tabs = {360}})
                       .paragraph("y\r")
                       .build()),
            "{LeftMargin 0,6}{IndentHere 0,2}{SetTab 1,4}{CenterOn}{FontSize 246,244}{Font 0,2}x¶" +
                std::string("{LeftMargin 6,3}{IndentReset 2,0}{SetTab 1,47}{ClearTab 1,4}{CenterOff}{LeftOn}y¶"));
  const testing::ReaderRun run =
      run_reader(orig_macw22, MacWrite22Builder{}.ruler({.left_margin = 162, .first_line = 45}).build());
  EXPECT_EQ(run.stream, bytes({0x5C, 0x88, 0, 6, 0x5C, 0x8A, 0, 17}));
}

TEST(MacWrite22Reader, HeaderFooterAndPages) {
  // The header and footer paragraphs follow the main text's in the document
  // and go ahead of it in the stream; a paragraph on a later page than the
  // one before it starts a new page.
  const std::string doc = MacWrite22Builder{}
                              .main().paragraph("a\r").page(1).ruler().paragraph("b\r").page(3).paragraph("c\r")
                              .header().paragraph("Title\r", {.style = mw46::kBold})
                              .footer().ruler({.left_margin = 36}).paragraph("\tp.\r")
                              .build(200);
  EXPECT_EQ(read22(doc), "{HeaderAll 0,0}" + kFirst + "{BoldOn}Title{BoldOff}¶{EndOfText}" +
                             "{FooterAll 0,0}{LeftMargin 0,5}{Tab}p.¶{EndOfText}" +
                             "a¶{LeftMargin 5,0}{PageBreak}b¶{PageBreak}c¶");
  const testing::ReaderRun run = run_reader(orig_macw22, doc);
  EXPECT_EQ(run.stream.substr(0, 4), bytes({0x5C, 0x9E, 0, 0}));
  // Without room for the page records before the first paragraph, no pages.
  EXPECT_EQ(read22(MacWrite22Builder{}.paragraph("a\r").page(1).paragraph("b\r").build(16)), kFirst + "a¶b¶");
  // A header count that runs past the document: the text up to its end, and
  // the document counts as damaged.
  std::string runs_on = doc;
  build::set_be16(runs_on, 6, 0xFFFF);
  const testing::ReaderRun damaged = run_reader(orig_macw22, runs_on);
  EXPECT_EQ(damaged.rc, kHandlerDamaged);
  EXPECT_TRUE(testing::well_formed(damaged.stream)) << damaged.printed();
  EXPECT_NE(damaged.printed().find("b¶c¶"), std::string::npos) << damaged.printed();
}

TEST(MacWrite22Reader, EveryTruncationIsClean) {
  const std::string doc = MacWrite22Builder{}
                              .main().ruler({.left_margin = 60, .first_line = 40, .tabs = {72}})
                              .paragraph("Body ").text("bold\r", {.style = mw46::kBold})
                              .page(1).paragraph("Next\r")
                              .header().paragraph("Head\r")
                              .footer().paragraph("Foot\r")
                              .build(120);
  for (std::size_t n = 0; n <= doc.size(); ++n) {
    const testing::ReaderRun run = run_reader(orig_macw22, doc.substr(0, n));
    // Every cut loses something the document holds: never a clean success.
    EXPECT_TRUE(run.rc == kHandlerDamaged || run.rc == -1 || run.rc == -2 || (run.rc == 0 && n == doc.size())) << n;
    if (run.rc == 0 || run.rc == kHandlerDamaged) {
      EXPECT_TRUE(testing::well_formed(run.stream)) << n << ": " << run.printed();
    }
  }
}

TEST(MacWrite22Reader, MacBinaryHeaderIsSkipped) {
  const MacWrite22Builder doc = MacWrite22Builder{}.ruler().paragraph("Ars \x8E\r").paragraph("Magna\r");
  EXPECT_EQ(read22(doc.build_macbinary()), read22(doc.build()));
  EXPECT_EQ(read22(doc.build_macbinary()), kFirst + "Ars {TableChar 1,41}¶Magna¶");
  // The view looks through any MacBinary header, whatever its type and creator.
  EXPECT_EQ(read22(build::macbinary(doc.build(), "x", "TEXT", "ttxt")), read22(doc.build()));

  // The document ends with the data fork: a paragraph count that runs past
  // it reads neither the padding nor the resource fork as paragraphs.
  std::string runs_on = doc.build();
  build::set_be16(runs_on, 4, 0xFFFF);
  EXPECT_EQ(read22(build::macbinary(runs_on, "x", "WORD", "MACA", std::string(300, 'A')), kHandlerDamaged),
            read22(runs_on, kHandlerDamaged));
}

TEST(MacWrite22Reader, RefusedFiles) {
  testing::ScratchDir dir;
  EXPECT_EQ(orig_macw22(dir.file("missing").c_str(), dir.file("out").c_str()), -1);
  EXPECT_EQ(run_reader(orig_macw22, "").rc, -2);
  std::string doc = MacWrite22Builder{}.paragraph("x\r").build();
  doc[1] = 4;
  EXPECT_EQ(run_reader(orig_macw22, doc).rc, -1);
  EXPECT_EQ(run_reader(orig_macw22, std::string(1, '\0')).rc, -1);
}

TEST(MacWrite22Reader, HostileInput) {
  const std::string doc = MacWrite22Builder{}.paragraph("One\r").ruler().paragraph("Two\r").build();
  // The paragraph count bounds the walk, and so does the end of the document.
  std::string fewer = doc;
  build::set_be16(fewer, 4, 1);
  EXPECT_EQ(read22(fewer), kFirst + "One¶");
  std::string more = doc;
  build::set_be16(more, 4, 0xFFFF);
  EXPECT_EQ(read22(more, kHandlerDamaged), kFirst + "One¶Two¶");
  // A first paragraph beyond the document, or a document cut in its header.
  std::string beyond = doc;
  build::set_be16(beyond, 2, 0xFFF0);
  EXPECT_EQ(read22(beyond, kHandlerDamaged), "");
  EXPECT_EQ(read22(doc.substr(0, 3), kHandlerDamaged), "");
  // A text length beyond the document: the text up to its end (its formats
  // lie beyond the document too).
  std::string long_text = doc;
  build::set_be16(long_text, 64 + 4, 0xFFFF);
  testing::ReaderRun run = run_reader(orig_macw22, long_text);
  EXPECT_EQ(run.rc, kHandlerDamaged);
  EXPECT_EQ(run.printed().rfind("{LeftOn}One¶", 0), 0u);
  EXPECT_TRUE(testing::well_formed(run.stream)) << run.printed();
  // Format and layout sizes that jump beyond the document end the text
  // (which keeps no format then).
  std::string jump = doc;
  build::set_be16(jump, 64 + 6 + 4, 0xFFFF);
  EXPECT_EQ(read22(jump, kHandlerDamaged), "{LeftOn}One¶");
}

}  // namespace
}  // namespace lettrix
