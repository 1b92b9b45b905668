#include "readers/ragtime_3.h"

#include <gtest/gtest.h>

#include "builders/builder_common.h"
#include "builders/ragtime_builder.h"
#include "core/handler.h"
#include "macwrite_test_support.h"
#include "reader_refusals.h"

namespace lettrix {
namespace {

using build::Ragtime3Builder;
using build::Rg3Component;
using build::Rg3Layout;
using build::Rg3Run;
using build::Rg3Style;
using testing::bytes;

testing::ReaderRun read(const std::string& doc) {
  testing::ReaderRun r = testing::run_reader(orig_ragtime3, doc);
  EXPECT_TRUE(r.leaves_nothing_behind);
  EXPECT_TRUE(testing::well_formed(r.stream)) << r.printed();
  return r;
}

std::string printed(const Ragtime3Builder& b) {
  testing::ReaderRun r = read(b.build());
  EXPECT_EQ(r.rc, 0);
  return r.printed();
}

TEST(Ragtime3Reader, RefusesWhatIsNoRagtime3Document) {
  const std::string doc = Ragtime3Builder{}.text({.text = "Hello"}).build();
  EXPECT_EQ(read(doc).rc, 0);
  EXPECT_EQ(read("").rc, -2);
  for (std::uint16_t version : {0x0154, 0x0000, 0x1000, 0x4F42 /* "BO" of ClarisWorks */, 0x6f20 /* text */}) {
    const testing::ReaderRun r = read(Ragtime3Builder{}.version(version).text({.text = "Hello"}).build());
    EXPECT_EQ(r.rc, -1) << version;
    EXPECT_EQ(r.stream, "");
  }
  EXPECT_EQ(read(Ragtime3Builder{}.version(0x0155).text({.text = "Hello"}).build()).rc, 0);
  EXPECT_EQ(read(doc.substr(0, 223)).rc, -1);  // too short to hold the header
  // An entry count larger than the file can hold.
  EXPECT_EQ(read(Ragtime3Builder{}.entry_count(500).text({.text = "Hello"}).build()).rc, -1);
  testing::ScratchDir dir;
  EXPECT_EQ(orig_ragtime3(dir.file("missing").c_str(), dir.file("out").c_str()), -1);
}

TEST(Ragtime3Reader, TextBytes) {
  const struct {
    std::string text;
    const char* printed;
  } cases[] = {
      {"a\tb\rc", "a{Tab}b¶c"},                   // no paragraph end added
      {"x\x0By\r", "x¶y¶"},
      {"a pa\x1Fge num\x1F" "ber", "a page number"},  // soft hyphens vanish
      {"no\xCAspace", "no{HardSpace}space"},
      {"C:\\DOS", "C:{Backslash}DOS"},
      {"page\x01 \x03", "page "},                 // fields have no character
      {"caf\x8E \xA5", "caf{TableChar 1,41} {TableChar 4,3}"},
  };
  for (const auto& c : cases) EXPECT_EQ(printed(Ragtime3Builder{}.text({.text = c.text})), c.printed) << c.text;
  EXPECT_EQ(read(Ragtime3Builder{}.text({.text = "\\\xCA"}).build()).stream, bytes({0x5C, 0x5C, 0x5C, 0x34}));
  EXPECT_EQ(printed(Ragtime3Builder{}.text({.text = std::string("Title\r\0Body\r\0Right", 19), .alignments = {1, 3, 2}})),
            "{CenterOn}Title¶{CenterOff}{JustifyOn}Body¶{JustifyOff}{RightOn}Right");
  // RagTime 3.2 writes a 0 byte before the run count.
  EXPECT_EQ(printed(Ragtime3Builder{}.text(
                {.text = "ab", .runs = {{.start = 1, .style = 5}}, .zero_before_run_count = true})),
            "{BoldOn}ab");
}

TEST(Ragtime3Reader, ComponentEntries) {
  Ragtime3Builder b;
  b.text({.text = "one\r"})
      .entry(1, 0x4000)   // no data
      .entry(1, 0)        // no data
      .entry(0, 0)        // unused
      .text({.text = "two\r"})
      .entry(1, 0xFFFFFF)  // beyond the file
      .entry(1, 300)       // below the first component
      .end_of_list()
      .text({.text = "after the end\r"});
  // The entry beyond the file makes the document a damaged one.
  testing::ReaderRun entries = read(b.build());
  EXPECT_EQ(entries.rc, kHandlerDamaged);
  EXPECT_EQ(entries.printed(), "one¶two¶");
  // An unused entry may name data: it is still passed over.
  Rg3Layout l;
  std::string doc = Ragtime3Builder{}.text({.text = "one"}).text({.text = "two"}).build(&l);
  build::set_be16(doc, l.entries[0], 0);
  EXPECT_EQ(read(doc).printed(), "two");
  // A text length out of range: one paragraph end.
  for (int length : {0, 1, 32767, 65535})
    EXPECT_EQ(printed(Ragtime3Builder{}.text({.text = "gone", .declared_length = length}).text({.text = "next"})),
              "¶next")
        << length;
  // The same component named twice converts twice.
  doc = Ragtime3Builder{}.text({.text = "again "}).entry(1, 0).build(&l);
  build::set_be32(doc, l.entries[1] + 30, static_cast<std::uint32_t>(l.component_data[0]));
  EXPECT_EQ(read(doc).printed(), "again again ");
}

TEST(Ragtime3Reader, StylesWithoutAStyleList) {
  const struct {
    std::uint16_t style;
    std::uint8_t vertical;
    const char* codes;
  } cases[] = {
      {1, 0, ""},
      {2, 0, "{ItalicOn}"},
      {3, 0, "{UnderlineOn}{BoldOn}"},
      {4, 0, "{UnderlineOn}"},
      {5, 0, "{BoldOn}"},
      {6, 0, "{SubscriptOn}"},
      {7, 0, "{SuperscriptOn}"},
      {8, 0, ""},
      {0x0105, 0, "{BoldOn}"},  // the low byte counts
      {1, 1, "{SubscriptOn}"},
      {1, 0x80, "{SubscriptOn}"},
      {1, 0x81, "{SuperscriptOn}"},
      {5, 0xFF, "{BoldOn}{SuperscriptOn}"},
  };
  for (const auto& c : cases) {
    const std::string expected = std::string("a") + c.codes + "b";
    const std::string got = printed(Ragtime3Builder{}.text(
        {.text = "abc", .runs = {{.start = 1, .style = 1}, {.start = 2, .style = c.style, .vertical = c.vertical},
                                 {.start = 3, .style = 1}}}));
    EXPECT_EQ(got.substr(0, expected.size()), expected) << c.style << "/" << int(c.vertical) << ": " << got;
    EXPECT_EQ(got.substr(got.size() - 1), "c");
  }
  // A run closes what the previous one opened; paragraph ends close and the
  // run's attributes come back in the next paragraph.
  EXPECT_EQ(printed(Ragtime3Builder{}.text(
                {.text = "bold\rstill\r", .runs = {{.start = 1, .style = 5}}})),
            "{BoldOn}bold{BoldOff}¶{BoldOn}still{BoldOff}¶");
  EXPECT_EQ(printed(Ragtime3Builder{}.text(
                {.text = "ab\rcd", .runs = {{.start = 1, .style = 2}, {.start = 4, .style = 5}}})),
            "{ItalicOn}ab{ItalicOff}¶{BoldOn}cd");
}

TEST(Ragtime3Reader, StylesFromTheStyleList) {
  const std::vector<Rg3Style> styles = {
      {.font = 1, .points = 12},
      {.font = 1, .points = 12, .style = build::kRg3Bold},
      {.font = 2, .points = 24, .style = build::kRg3Italic | build::kRg3Underline},
      {.font = 1, .points = 12, .style = build::kRg3Superscript},
      {.font = 1, .points = 12, .style = build::kRg3Subscript | build::kRg3Outline | build::kRg3Shadow},
      {.font = 3, .points = 10},
      {.font = 9, .points = 0},  // a font the list does not have, no size
  };
  std::vector<Rg3Run> runs;
  for (std::uint16_t i = 1; i <= 8; ++i)  // one character in each style; the last names no style
    runs.push_back({.start = i, .style = i == 8 ? std::uint16_t{99} : i});
  // Fonts 21, 20 and 23 give the classes 2, 1 and 3, and 23 the Symbol
  // table; a font or a style the lists do not have leaves the font as it is.
  EXPECT_EQ(printed(Ragtime3Builder{}.fonts({21, 20, 23}).styles(styles).text({.text = "abcdefgh", .runs = runs})),
            "{FontSize 246,244}{Font 0,2}a{BoldOn}b{BoldOff}{FontSize 244,232}{Font 2,1}{ItalicOn}{UnderlineOn}c"
            "{UnderlineOff}{ItalicOff}{FontSize 232,244}{Font 1,2}{SuperscriptOn}d{SuperscriptOff}{OutlineOn}{ShadowOn}"
            "{SubscriptOn}e{SubscriptOff}{OutlineOff}{ShadowOff}{FontSize 244,246}{Font 2,3}{TableChar 8,45}"
            "{TableChar 8,7}{TableChar 8,15}");
  // A style list whose zone the file does not hold: the styles go by number.
  Rg3Layout l;
  std::string doc = Ragtime3Builder{}.styles(styles).text({.text = "ab", .runs = {{.start = 2, .style = 5}}}).build(&l);
  build::set_be16(doc, l.style_zone + 8, 5000);
  EXPECT_EQ(read(doc).printed(), "{BoldOn}ab");
  // The tag in the text, or in an index that does not read as one, is no style list.
  EXPECT_EQ(printed(Ragtime3Builder{}.text({.text = std::string("\0\x16\0\0\0\x16", 6) + "FHsl" + "x",
                                            .runs = {{.start = 1, .style = 5}}})),
            "{BoldOn}FHslx");
  doc = Ragtime3Builder{}.styles(styles).text({.text = "ab", .runs = {{.start = 2, .style = 5}}}).build(&l);
  const std::size_t index = l.style_zone - (4 + 0x20 + 3 * 16) - 22;  // the index, then the font list
  build::set_be16(doc, index, 24);  // a length that no longer matches the first entry's offset
  EXPECT_EQ(read(doc).printed(), "{BoldOn}ab");
}

TEST(Ragtime3Reader, HostileInput) {
  Rg3Layout l;
  const std::string one =
      Ragtime3Builder{}.text({.text = "Hello\r", .runs = {{.start = 1, .style = 5}}, .alignments = {1}}).build(&l);
  const std::size_t data = l.component_data[0];
  std::string doc = one;
  build::set_be16(doc, data + 2, 30000);  // a text beyond the end of the file: what it holds
  testing::ReaderRun r = read(doc);
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_EQ(r.printed().rfind("Hello¶", 0), 0u) << r.printed();
  doc = one;
  build::set_be16(doc, data + 5 + 6, 40000);  // more runs than the file holds
  r = read(doc);
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_NE(r.printed().find("Hello"), std::string::npos) << r.printed();
  for (std::size_t cut = 224; cut < one.size(); cut += 5) {
    const int rc = read(one.substr(0, cut)).rc;
    EXPECT_TRUE(rc == kHandlerDamaged || rc == -1 || rc == 0) << cut;
  }

  // Every entry naming one large text: the stream stays within a small
  // multiple of the file's size.
  Ragtime3Builder many;
  many.text({.text = std::string(20000, 'x')});
  for (int i = 0; i < 300; ++i) many.entry(1, 0);
  doc = many.build(&l);
  for (std::size_t i = 1; i < l.entries.size(); ++i)
    build::set_be32(doc, l.entries[i] + 30, static_cast<std::uint32_t>(l.component_data[0]));
  r = read(doc);
  EXPECT_EQ(r.rc, 0);
  EXPECT_LT(r.stream.size(), 2 * doc.size());
}

TEST(Ragtime3Reader, MacBinaryConvertsAsTheDataFork) {
  const std::string doc = Ragtime3Builder{}
                              .styles({{.points = 12}, {.points = 12, .style = build::kRg3Bold}})
                              .text({.text = "Caf\x8E\rbold", .runs = {{.start = 1, .style = 1}, {.start = 6, .style = 2}}})
                              .build();
  const testing::ReaderRun fork = read(doc);
  const testing::ReaderRun wrapped = read(build::macbinary(doc, "test3.rag", "R#+D", "R#+A", "resource fork"));
  EXPECT_EQ(wrapped.rc, 0);
  EXPECT_EQ(wrapped.stream, fork.stream);
  EXPECT_EQ(fork.printed(), "{FontSize 246,244}{Font 0,2}Caf{TableChar 1,41}¶{BoldOn}bold");
}

// Files of other kinds are refused with a reason; a text cut short converts
// as far as it goes and says where it was cut.
TEST(Ragtime3Reader, RefusalsAndCutsSayWhy) {
  testing::expect_refusals(orig_ragtime3, "Ragtime 3", "clarisworks/letter.cwk");
  const std::string doc = Ragtime3Builder{}.text({.text = std::string(300, 'x')}).build();
  const std::size_t cut = doc.find("xxxx") + 100;
  clear_handler_reason();
  const testing::ReaderRun r = testing::run_reader(orig_ragtime3, doc.substr(0, cut));
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_EQ(r.printed().substr(0, 100), std::string(100, 'x'));
  // The rest of the text and its 0x00 (ClarisWorks) or its run count (Ragtime).
  EXPECT_EQ(handler_reason(), "text cut short at byte " + std::to_string(cut) + " of at least " + std::to_string(cut + 202));

  // A Ragtime 2 document lies in this reader's range of version words; it is
  // left to the Ragtime 2 reader, with the reason.
  clear_handler_reason();
  const testing::ReaderRun two =
      testing::run_reader(orig_ragtime3, testing::read_file(LETTRIX_SOURCE_DIR "/samples/ragtime-2/letter.rag"));
  EXPECT_EQ(two.rc, kHandlerCannotOpen);
  EXPECT_EQ(handler_reason(),
            "not a Ragtime 3 document: version word 0x0200 at byte 4 is Ragtime 2's (0x0200 to 0x0254), and the file "
            "reads as a Ragtime 2 document");
}

}  // namespace
}  // namespace lettrix
