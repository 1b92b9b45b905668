#include "readers/ragtime_2.h"

#include <gtest/gtest.h>

#include "builders/builder_common.h"
#include "builders/ragtime_builder.h"
#include "core/handler.h"
#include "macwrite_test_support.h"
#include "reader_refusals.h"

namespace lettrix {
namespace {

using build::Ragtime2Builder;
using build::Rg2Component;
using build::Rg2Layout;
using build::Rg2Run;
using testing::bytes;
using testing::run_reader;

testing::ReaderRun read(const std::string& doc) {
  testing::ReaderRun r = run_reader(orig_ragtime2, doc);
  EXPECT_TRUE(r.leaves_nothing_behind);
  EXPECT_TRUE(testing::well_formed(r.stream)) << r.printed();
  return r;
}

// The stream of a one-page document with one text component without runs.
std::string plain(const std::string& text, std::vector<std::uint8_t> alignments = {}) {
  testing::ReaderRun r = read(Ragtime2Builder{}.text({.text = text, .alignments = alignments}).build());
  EXPECT_EQ(r.rc, 0);
  return r.printed();
}

TEST(Ragtime2Reader, RefusesWhatIsNoRagtime2Document) {
  const std::string doc = Ragtime2Builder{}.text({.text = "Hello"}).build();
  EXPECT_EQ(read(doc).rc, 0);
  EXPECT_EQ(read("").rc, -2);
  EXPECT_EQ(read(Ragtime2Builder{}.version(3, 0).text({.text = "Hello"}).build()).rc, -1);
  // A Ragtime 3 document has 2 at offset 4 as well, in its version word 0x264.
  const testing::ReaderRun ragtime3 = read(Ragtime2Builder{}.version(2, 0x64).text({.text = "Hello"}).build());
  EXPECT_EQ(ragtime3.rc, -1);
  EXPECT_EQ(ragtime3.stream, "");
  EXPECT_EQ(read(Ragtime2Builder{}.version(2, 0x54).text({.text = "Hi"}).build()).rc, 0);
  EXPECT_EQ(read(doc.substr(0, 131)).rc, -1);  // too short to name a first page
  testing::ScratchDir dir;
  EXPECT_EQ(orig_ragtime2(dir.file("missing").c_str(), dir.file("out").c_str()), -1);
}

TEST(Ragtime2Reader, TextBytes) {
  const struct {
    std::string text;
    const char* printed;
  } cases[] = {
      {"a\tb\rc", "a{Tab}b¶c¶{PageBreak}"},           // a final paragraph end is added
      {"line\r", "line¶{PageBreak}"},                  // but not twice
      {"x\x0By", "x¶y¶{PageBreak}"},
      {"pa\x1Fge", "page¶{PageBreak}"},                // soft hyphens vanish
      {"page \x03", "page #¶{PageBreak}"},             // the page number
      {"C:\\DOS", "C:{Backslash}DOS¶{PageBreak}"},
      {"no\xCAspace", "no space¶{PageBreak}"},          // 0xCA through the character table
      {"caf\x8E \xA5", "caf{TableChar 1,41} {TableChar 4,3}¶{PageBreak}"},
      {std::string("a\x06\x01z"), "az¶{PageBreak}"},  // control bytes without a character
      {"", "{PageBreak}"},
  };
  for (const auto& c : cases) EXPECT_EQ(plain(c.text), c.printed) << c.text;
  // Byte-exact: a backslash is the Backslash code, 0xCA the plain blank.
  EXPECT_EQ(read(Ragtime2Builder{}.text({.text = "\\\xCA"}).build()).stream, bytes({0x5C, 0x5C, 0x20, 0x0D, 0x0C}));

  // Paragraph formats: the first applies at once, each 0x00 starts the next.
  EXPECT_EQ(plain(std::string("Title\r\0Body\r\0Right\r\0Just", 24), {1, 0, 2, 3}),
            "{CenterOn}Title¶{CenterOff}{LeftOn}Body¶{RightOn}Right¶{RightOff}{JustifyOn}Just¶{PageBreak}");
  EXPECT_EQ(plain(std::string("a\0b\0c", 5), {1}), "{CenterOn}abc¶{PageBreak}");  // formats run out
}

TEST(Ragtime2Reader, PagesAndComponents) {
  // Two pages give two page breaks, also for a page without text components.
  EXPECT_EQ(read(Ragtime2Builder{}.text({.text = "One"}).page().build()).printed(), "One¶{PageBreak}{PageBreak}");
  EXPECT_EQ(read(Ragtime2Builder{}.page().text({.text = "Two"}).build()).printed(), "{PageBreak}Two¶{PageBreak}");
  // Components of a page in list order; other kinds and empty ones write nothing.
  EXPECT_EQ(read(Ragtime2Builder{}
                     .text({.text = "first"})
                     .text({.text = "picture", .text_kind = false})
                     .text({.text = "gone", .empty = true})
                     .text({.text = "second\r"})
                     .page()
                     .text({.text = "third"})
                     .build())
                .printed(),
            "first¶second¶{PageBreak}third¶{PageBreak}");
  // No first page: nothing to convert.
  std::string doc = Ragtime2Builder{}.text({.text = "unreached"}).build();
  build::set_be16(doc, 130, 0);
  testing::ReaderRun r = read(doc);
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.stream, "");
}

TEST(Ragtime2Reader, CharacterRuns) {
  auto runs = [](std::string text, std::vector<Rg2Run> list) {
    return read(Ragtime2Builder{}.text({.text = std::move(text), .runs = std::move(list)}).build()).printed();
  };
  // Size, font class and style bits; the first run applies wherever it starts.
  EXPECT_EQ(runs("The quick brown fox",
                 {{.start = 3, .size = 12, .style = 0, .font = 20},
                  {.start = 5, .size = 12, .style = build::kRgBold | build::kRgItalic, .font = 20},
                  {.start = 11, .size = 14, .style = build::kRgItalic | build::kRgUnderline, .font = 21},
                  {.start = 17, .size = 14, .style = build::kRgOutline | build::kRgShadow, .font = 3},
                  {.start = 19, .size = 14, .style = 0, .font = 3}}),
            "{FontSize 246,244}{Font 0,1}The {BoldOn}{ItalicOn}quick {FontSize 244,242}{Font 1,2}{BoldOff}"
            "{UnderlineOn}brown {ItalicOff}{UnderlineOff}{OutlineOn}{ShadowOn}fo{OutlineOff}{ShadowOff}x¶"
            "{PageBreak}");
  // Subscript: a size above 0x80 or a positive shift; superscript: a style
  // of 0x80 and more or a negative shift. Each goes off when the next run
  // does not ask for it, whatever its style.
  EXPECT_EQ(runs("H2O x2 y-1 ab",
                 {{.start = 1, .size = 10, .font = 0},
                  {.start = 2, .size = 10 + build::kRgSubscriptMark, .font = 0},
                  {.start = 3, .size = 10, .font = 0},
                  {.start = 6, .size = 10, .style = build::kRgBold | build::kRgSuperscriptMark, .font = 0},
                  {.start = 7, .size = 10, .style = build::kRgBold, .font = 0},
                  {.start = 9, .size = 10, .font = 0, .shift = -3},
                  {.start = 11, .size = 10, .font = 0, .shift = 2},
                  {.start = 13, .size = 10, .font = 0}}),
            "H{SubscriptOn}2{SubscriptOff}O x{BoldOn}{SuperscriptOn}2{SuperscriptOff} y{BoldOff}{SuperscriptOn}-1"
            "{SuperscriptOff}{SubscriptOn} a{SubscriptOff}b¶{PageBreak}");
  // The Symbol font: class 3, CharSet 1 and the Symbol table; back to 0 after it.
  EXPECT_EQ(runs("ap\\b", {{.start = 1, .size = 10, .font = 23}, {.start = 3, .size = 10, .font = 0}}),
            "{Font 0,3}{CharSet 0,1}{TableChar 8,1}{TableChar 8,33}{CharSet 1,0}{Font 3,0}{Backslash}b¶{PageBreak}");
  // A run that spans paragraph ends keeps its attributes in each paragraph;
  // attributes are off at every paragraph end.
  EXPECT_EQ(runs("one\rtwo\r\rthree", {{.start = 1, .size = 10, .style = build::kRgBold, .font = 0}}),
            "{BoldOn}one{BoldOff}¶{BoldOn}two{BoldOff}¶¶{BoldOn}three{BoldOff}¶{PageBreak}");
  // Runs out of order: one whose position has passed applies at once.
  EXPECT_EQ(runs("abcd", {{.start = 1, .size = 10, .font = 0},
                          {.start = 3, .size = 10, .style = build::kRgBold, .font = 0},
                          {.start = 2, .size = 10, .style = build::kRgItalic, .font = 0}}),
            "ab{BoldOn}{BoldOff}{ItalicOn}cd{ItalicOff}¶{PageBreak}");
}

TEST(Ragtime2Reader, HostileInput) {
  Rg2Layout l;
  const std::string two_pages =
      Ragtime2Builder{}.text({.text = "A"}).text({.text = "B"}).page().text({.text = "C"}).build(&l);
  const std::size_t page2 = 4;  // record numbers: page 1, A, B, page 2, C
  struct Case {
    const char* what;
    std::size_t offset;
    std::uint16_t value;
    const char* printed;
    int rc = 0;  // a record or data beyond the file: a damaged document
  };
  const Case cases[] = {
      {"a page naming itself next", l.page_records[1] + 4, page2, "A¶B¶{PageBreak}C¶{PageBreak}"},
      {"a page naming the first page next", l.page_records[1] + 4, 1, "A¶B¶{PageBreak}C¶{PageBreak}"},
      {"a component naming itself next", l.component_records[1] + 4, 3, "A¶B¶{PageBreak}C¶{PageBreak}"},
      {"a component naming an earlier one", l.component_records[1] + 4, 2, "A¶B¶{PageBreak}C¶{PageBreak}"},
      {"a page's component list starting at a page", l.page_records[1] + 8, 1, "A¶B¶{PageBreak}{PageBreak}"},
      {"a record number beyond the file", l.component_records[0] + 4, 999, "A¶{PageBreak}C¶{PageBreak}",
       kHandlerDamaged},
      {"a first page beyond the file", 130, 60000, "", kHandlerDamaged},
      {"a data offset beyond the file", l.component_records[0] + 26, 0xFFFF, "B¶{PageBreak}C¶{PageBreak}",
       kHandlerDamaged},
  };
  for (const Case& c : cases) {
    std::string doc = two_pages;
    build::set_be16(doc, c.offset, c.value);
    testing::ReaderRun r = read(doc);
    EXPECT_EQ(r.rc, c.rc) << c.what;
    EXPECT_EQ(r.printed(), c.printed) << c.what;
  }

  // Text, runs and formats that the file does not hold.
  const std::string one = Ragtime2Builder{}.text({.text = "Hello", .runs = {{.start = 1, .style = build::kRgBold}},
                                                  .alignments = {1}}).build(&l);
  const std::size_t data = l.component_data[0];
  std::string doc = one;
  build::set_be16(doc, data + 6, 0xFFFF);  // text beyond the end: cut, and no paragraph end added
  const std::string cut_text = read(doc).printed();
  EXPECT_EQ(cut_text.rfind("Hello", 0), 0u) << cut_text;  // no run list, no alignment
  EXPECT_EQ(cut_text.find("¶"), std::string::npos) << cut_text;
  EXPECT_EQ(cut_text.substr(cut_text.size() - 11), "{PageBreak}");
  doc = one;
  build::set_be16(doc, data + 9 + 5, 5000);  // more runs than the file holds: the whole runs are read
  const std::string many_runs = read(doc).printed();
  EXPECT_NE(many_runs.find("Hello"), std::string::npos) << many_runs;
  doc = one;
  build::set_be16(doc, data + 9 + 5 + 2 + 10, 5000);  // more formats than the file holds
  EXPECT_EQ(read(doc).printed(), "{FontSize 246,244}{Font 0,1}{BoldOn}{CenterOn}Hello{BoldOff}¶{PageBreak}");
  for (std::size_t cut = 0; cut < one.size(); cut += 7) {
    const int rc = read(one.substr(0, cut)).rc;
    EXPECT_TRUE(rc == kHandlerDamaged || rc == -1 || rc == -2) << cut;
  }

  // Many component records naming one large text: the stream stays within
  // a small multiple of the file's size.
  Ragtime2Builder many;
  const std::string big(3000, 'x');
  many.text({.text = big});
  for (int i = 0; i < 200; ++i) many.text({.text = ""});
  doc = many.build(&l);
  for (std::size_t i = 1; i < l.component_records.size(); ++i)
    build::set_be32(doc, l.component_records[i] + 24, static_cast<std::uint32_t>(l.component_data[0]));
  testing::ReaderRun r = read(doc);
  EXPECT_EQ(r.rc, 0);
  EXPECT_LT(r.stream.size(), 2 * doc.size());
}

TEST(Ragtime2Reader, MacBinaryConvertsAsTheDataFork) {
  const std::string doc = Ragtime2Builder{}
                              .text({.text = "Caf\x8E\r", .runs = {{.start = 1, .size = 12, .style = build::kRgBold}}})
                              .page()
                              .text({.text = "Page 2"})
                              .build();
  const testing::ReaderRun plain_fork = read(doc);
  const testing::ReaderRun wrapped = read(build::macbinary(doc, "letter.rag", "RTDO", "R#+A", "resource fork"));
  EXPECT_EQ(wrapped.rc, 0);
  EXPECT_EQ(wrapped.stream, plain_fork.stream);
  EXPECT_EQ(read(build::macbinary("", "empty", "RTDO", "R#+A", "resource")).rc, -2);
}

// Files of other kinds are refused with a reason; a text cut short converts
// as far as it goes and says where it was cut.
TEST(Ragtime2Reader, RefusalsAndCutsSayWhy) {
  testing::expect_refusals(orig_ragtime2, "Ragtime 2", "clarisworks/letter.cwk");
  const std::string doc = Ragtime2Builder{}.text({.text = std::string(300, 'x')}).build();
  const std::size_t cut = doc.find("xxxx") + 100;
  clear_handler_reason();
  const testing::ReaderRun r = testing::run_reader(orig_ragtime2, doc.substr(0, cut));
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_EQ(r.printed().substr(0, 100), std::string(100, 'x'));
  // The rest of the text and its 0x00 (ClarisWorks) or its run count (Ragtime).
  EXPECT_EQ(handler_reason(), "text cut short at byte " + std::to_string(cut) + " of at least " + std::to_string(cut + 202));
}

}  // namespace
}  // namespace lettrix
