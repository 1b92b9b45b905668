#include "readers/works_mac.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <source_location>

#include "builders/works_builder.h"
#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "readers/macwrite_test_support.h"
#include "test_util.h"

namespace lettrix {
namespace {

using build::WorksBuilder;
namespace works = build::works;
using testing::run_reader;

std::string printed(Handler reader, const std::string& doc, int expected_rc = 0,
                    std::source_location from = std::source_location::current()) {
  const testing::ReaderRun run = run_reader(reader, doc);
  EXPECT_EQ(run.rc, expected_rc) << "line " << from.line();
  EXPECT_TRUE(run.leaves_nothing_behind);
  EXPECT_TRUE(testing::well_formed(run.stream));
  return run.printed();
}

std::string works2(const WorksBuilder& b) { return printed(orig_works_mac2, b.build()); }
std::string works3(const WorksBuilder& b) { return printed(orig_works_mac3, b.build()); }

TEST(WorksReader, EitherReaderConvertsEitherVersionAlike) {
  const std::string docs[] = {
      WorksBuilder{2}.align('C').style(works::kBold, 12).text("Titre").style(0).paragraph().paragraph("Fin").build(),
      WorksBuilder{3}.style(works::kStrike).text("Titre").style(0).paragraph().paragraph("Fin").build(),
  };
  for (const std::string& doc : docs) {
    const testing::ReaderRun as2 = run_reader(orig_works_mac2, doc);
    const testing::ReaderRun as3 = run_reader(orig_works_mac3, doc);
    EXPECT_EQ(as2.rc, 0);
    EXPECT_EQ(as3.rc, 0);
    EXPECT_NE(as2.stream, "");
    EXPECT_EQ(as2.stream, as3.stream) << as2.printed() << "\n" << as3.printed();
  }
  EXPECT_EQ(printed(orig_works_mac3, docs[0]), "{CenterOn}{FontSize 246,244}{BoldOn}Titre{BoldOff}¶Fin¶");
  EXPECT_EQ(printed(orig_works_mac2, docs[1]), "{StrikeOn}Titre{StrikeOff}¶Fin¶");
}

TEST(WorksReader, RefusesWhatIsNoWorksDocument) {
  std::string bad_version = WorksBuilder{2}.paragraph("x").build();
  bad_version[3] = 7;
  const std::string works3_unmarked = WorksBuilder{3}.works3_mark(0).paragraph("x").build();
  const std::string works3_marked_2 = WorksBuilder{3}.works3_mark(2).paragraph("x").build();
  // A Works 3 document whose body never begins: no record 0x80 anywhere.
  std::string no_body = WorksBuilder{3}.leading_record(0x05, "abc").build();
  no_body.resize(32 + 9);
  const std::string gap_too_long =
      WorksBuilder{3}.leading_gap(std::string(300, '\x07')).build().substr(0, 32 + 6 + 300);
  struct Case {
    const char* what;
    std::string doc;
    int rc;
  };
  const Case cases[] = {
      {"empty", "", -2},
      {"short header", std::string(31, '\0'), -1},
      {"version 7", bad_version, -1},
      {"byte 17 is 0", works3_unmarked, -1},
      {"byte 17 is 2", works3_marked_2, -1},
      {"no body", no_body, -1},
      {"gap with no body", gap_too_long, -1},
  };
  for (const Case& c : cases)
    for (Handler reader : {orig_works_mac2, orig_works_mac3}) {
      const testing::ReaderRun run = run_reader(reader, c.doc);
      EXPECT_EQ(run.rc, c.rc) << c.what;
      EXPECT_EQ(run.stream, "") << c.what;
      EXPECT_TRUE(run.leaves_nothing_behind) << c.what;
    }
  testing::ScratchDir dir;
  EXPECT_EQ(orig_works_mac2(dir.file("missing").c_str(), dir.file("out").c_str()), -1);

  // End to end: a refused document leaves no target behind.
  testing::ScratchDir work(true);
  testing::write_file("memo", works3_unmarked);
  init_path_buffers();
  choose_formats(SrcWorks3, DstAnsi);
  const ConversionResult result = convert_file("memo");
  EXPECT_EQ(result.status, ConversionStatus::ReaderFailed);
  EXPECT_EQ(testing::dir_names(work.path()), std::vector<std::string>{"memo"});
}

TEST(WorksReader, RefusalsSayWhy) {
  std::mt19937 random(5);
  std::string noise(4000, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  noise[3] = '\x41';
  const std::string other_format =
      testing::read_file((std::filesystem::path(LETTRIX_SOURCE_DIR) / "samples/macwrite-4.6/letter.mw").string());
  struct Case {
    const char* what;
    std::string doc;
    int rc;
    const char* reason;  // after "not a MS-Works N document: "
  };
  const Case cases[] = {
      {"empty", "", kHandlerEmpty, "it is empty"},
      {"random bytes", noise, -1, "version byte 65 at byte 3 is neither 8 (Works 2) nor 9 (Works 3)"},
      {"plain text", "Dear Sir,\rThank you for your letter of the 5th.\r", -1,
       "version byte 114 at byte 3 is neither 8 (Works 2) nor 9 (Works 3)"},
      {"MacWrite 4.6 document", other_format, -1, "version byte 12 at byte 3 is neither 8 (Works 2) nor 9 (Works 3)"},
      {"short header", std::string(31, '\0'), -1, "shorter than the 32-byte header (31 bytes)"},
      {"byte 17 is 0", WorksBuilder{3}.works3_mark(0).paragraph("x").build(), -1,
       "version byte 9 (Works 3), but byte 17 is 0, not 1"},
      // A spreadsheet's data fork: the header of a text, then records that hold no text.
      {"Works 2 spreadsheet",
       WorksBuilder{2}.record(0x02, std::string(1000, 'c')).record(0x03, std::string(1000, 'c')).record(0x80, std::string(1000, 'L')).build(),
       -1, "a Works document of another kind (spreadsheet, database or drawing): no text record in 3050 bytes of records"},
  };
  for (const Case& c : cases)
    for (Handler reader : {orig_works_mac2, orig_works_mac3}) {
      clear_handler_reason();
      const testing::ReaderRun run = run_reader(reader, c.doc);
      EXPECT_EQ(run.rc, c.rc) << c.what;
      EXPECT_EQ(handler_reason(), std::string("not a MS-Works ") + (reader == orig_works_mac2 ? "2" : "3") +
                                      " document: " + c.reason)
          << c.what;
    }
  // A blank document, and a text after kilobytes of other records, are texts.
  for (const std::string& doc : {WorksBuilder{2}.align('L').paragraph("").build(),
                                 WorksBuilder{2}.record(0x02, std::string(3000, 'c')).paragraph("x").build(),
                                 WorksBuilder{3}.record(0x03, std::string(3000, 'c')).paragraph("x").build()})
    EXPECT_EQ(run_reader(orig_works_mac2, doc).rc, 0);
  // A record read past the end of the file: what was read is kept.
  const std::string letter =
      testing::read_file((std::filesystem::path(LETTRIX_SOURCE_DIR) / "samples/works-2/letter.wks").string());
  clear_handler_reason();
  EXPECT_EQ(run_reader(orig_works_mac3, letter.substr(0, 200)).rc, kHandlerDamaged);
  EXPECT_EQ(handler_reason(), "text cut short at byte 200 of at least 240");
}

TEST(WorksReader, FormatChanges) {
  // Style 0 closes everything; bit 0 then writes BoldOn once.
  EXPECT_EQ(works2(WorksBuilder{2}
                       .style(works::kBold | works::kItalic | works::kShadow)
                       .text("a")
                       .style(0)
                       .text("b")
                       .style(works::kBold)
                       .text("c")
                       .style(works::kBold)
                       .paragraph("d")),
            "{BoldOn}{ItalicOn}{ShadowOn}a{BoldOff}{ItalicOff}{ShadowOff}b{BoldOn}cd¶");
  EXPECT_EQ(works3(WorksBuilder{3}
                       .style(works::kBold | works::kUnderline | works::kSuperscript)
                       .text("a")
                       .style(0)
                       .paragraph("b")),
            "{BoldOn}{UnderlineOn}{SuperscriptOn}a{BoldOff}{UnderlineOff}{SuperscriptOff}b¶");
  // Bit 3: outline in Works 2, strike-through in Works 3; bit 4 means nothing
  // in Works 3.
  EXPECT_EQ(works2(WorksBuilder{2}.style(0x08).text("o").style(0x10).paragraph("s")),
            "{OutlineOn}o{OutlineOff}{ShadowOn}s¶");
  EXPECT_EQ(works3(WorksBuilder{3}.style(0x08).text("o").style(0x10).paragraph("s")), "{StrikeOn}o{StrikeOff}s¶");
  // One bit switched at a time, in both directions.
  EXPECT_EQ(works2(WorksBuilder{2}.style(0x21).text("x").style(0x41).paragraph("y")),
            "{BoldOn}{SuperscriptOn}x{SuperscriptOff}{SubscriptOn}y¶");
  // Sizes: Works 2 only; 0 keeps the size.
  EXPECT_EQ(works2(WorksBuilder{2}.style(0, 12).text("a").style(0, 0).text("b").style(0, 10).paragraph("c")),
            "{FontSize 246,244}ab{FontSize 244,246}c¶");
  EXPECT_EQ(works3(WorksBuilder{3}.style(0, 12).paragraph("a")), "a¶");
  // A format change cut off by the end of its record ends the record; the
  // next record is read from its own start.
  EXPECT_EQ(works2(WorksBuilder{2}.paragraph("ab\x02\x00\x00\x0C", works::kParagraphRecord).paragraph("c")),
            "ab¶c¶");
  EXPECT_EQ(works3(WorksBuilder{3}.paragraph("ab\x02\x00", works::kParagraphRecord).paragraph("c")), "ab¶c¶");
}

TEST(WorksReader, RecordsAndParagraphs) {
  // Which record types hold text, and which end their paragraph.
  const auto with = [](int version, std::uint8_t type) {
    return WorksBuilder{version}.paragraph("a", works::kParagraphRecord).record(type, "x").paragraph("b");
  };
  struct Case {
    std::uint8_t type;
    const char* works2;
    const char* works3;
  };
  const Case cases[] = {
      {0x00, "a¶xb¶", "a¶xb¶"},       {0x20, "a¶x¶b¶", "a¶x¶b¶"}, {0x40, "a¶xb¶", "a¶xb¶"},
      {0x60, "a¶x¶b¶", "a¶x¶b¶"},     {0x02, "a¶b¶", "a¶b¶"},     {0x03, "a¶b¶", "a¶b¶"},
      {0x01, "a¶b¶", "a¶xb¶"},        {0x21, "a¶b¶", "a¶x¶b¶"},   {0xA0, "a¶b¶", "a¶x¶b¶"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(works2(with(2, c.type)), c.works2) << int(c.type);
    EXPECT_EQ(works3(with(3, c.type)), c.works3) << int(c.type);
  }
  // A record of type 0x20 and length 0 still ends a paragraph.
  EXPECT_EQ(works2(WorksBuilder{2}.paragraph("a").paragraph("").paragraph("b")), "a¶¶b¶");
  EXPECT_EQ(works3(WorksBuilder{3}.paragraph("a").paragraph("").paragraph("b")), "a¶¶b¶");
  // Works 3: type 0 with length 0 is followed by an 11-byte item.
  EXPECT_EQ(works3(WorksBuilder{3}.paragraph("a").empty_item().paragraph("b")), "a¶b¶");
  // Works 2 alignment letters; another letter keeps the alignment.
  EXPECT_EQ(works2(WorksBuilder{2}
                       .align('C').paragraph("c")
                       .align('X').paragraph("x")
                       .align('R').paragraph("r")
                       .align('F').paragraph("f")
                       .align('L').paragraph("l")
                       .align('L').paragraph("l")),
            "{CenterOn}c¶x¶{CenterOff}{RightOn}r¶{RightOff}{JustifyOn}f¶{JustifyOff}{LeftOn}l¶l¶");
  EXPECT_EQ(works3(WorksBuilder{3}.align('C').paragraph("c")), "c¶");
  // The header's record count bounds the body; the end of the file ends it too.
  EXPECT_EQ(works2(WorksBuilder{2}.paragraph("a").paragraph("b").record_count(1)), "a¶");
  EXPECT_EQ(works3(WorksBuilder{3}.paragraph("a").paragraph("b").record_count(2)), "a¶");  // the 0x80 counts
  // A count beyond the file: what there is, from a damaged document.
  EXPECT_EQ(printed(orig_works_mac2, WorksBuilder{2}.paragraph("a").record_count(500).build(), kHandlerDamaged), "a¶");
  // Works 3 leading records: skipped by length, or searched for the body.
  EXPECT_EQ(works3(WorksBuilder{3}.leading_record(0x05, "\x80\x80").leading_gap("\x01\x02").paragraph("a")), "a¶");
  EXPECT_EQ(works3(WorksBuilder{3}.leading_gap(std::string(256, '\x07') + std::string(6, '\0')).paragraph("a")),
            "a¶");  // 256 bytes without 0x80, then a record of length 0 just before the body
}

TEST(WorksReader, TextBytes) {
  struct Case {
    std::string text;
    const char* works2;
    const char* works3;
  };
  const Case cases[] = {
      {"C:\\DOS", "C:{Backslash}DOS¶", "C:{Backslash}DOS¶"},
      {"a\tb", "a{Tab}b¶", "a{Tab}b¶"},
      {"caf\x8E \xA5 \xAD", "caf{TableChar 1,41} {TableChar 4,3} {TableChar 6,99}¶",
       "caf{TableChar 1,41} {TableChar 4,3} {TableChar 6,99}¶"},
      {"a\x10\x11" "b", "ab¶", "ab¶"},
      {"a\x12\x14\x1E" "b", "a{TableChar 5,23}_-b¶", "ab¶"},  // other control bytes: the table, or dropped
      {"a\x06" "b", "ab¶", "ab¶"},
      {"a\x7F" "b", "a{0x7F}b¶", "a{0x7F}b¶"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(works2(WorksBuilder{2}.paragraph(c.text)), c.works2);
    EXPECT_EQ(works3(WorksBuilder{3}.paragraph(c.text)), c.works3);
  }
}

TEST(WorksReader, HostileRecordsEndCleanly) {
  // Record lengths beyond the file, at every cut of a document: each cut
  // counts as damaged, with a well-formed stream of what could be read.
  const std::string docs[] = {
      WorksBuilder{2}.align('R').style(works::kBold, 14).text("Hello").style(0).paragraph(" world").paragraph("x").build(),
      WorksBuilder{3}.style(works::kItalic).text("Hello").style(0).paragraph(" world").empty_item().paragraph("y").build(),
  };
  for (const std::string& doc : docs)
    for (std::size_t cut = 32; cut <= doc.size(); ++cut) {
      const testing::ReaderRun run = run_reader(orig_works_mac2, doc.substr(0, cut));
      EXPECT_TRUE(run.rc == kHandlerDamaged || run.rc == -1 || (run.rc == 0 && cut == doc.size())) << cut;
      EXPECT_TRUE(testing::well_formed(run.stream)) << cut;
    }
  std::string long_record = WorksBuilder{2}.paragraph("abc").build();
  long_record[32 + 4] = '\xFF';
  long_record[32 + 5] = '\xFF';
  EXPECT_EQ(works2(WorksBuilder{2}).size(), 0u);
  EXPECT_EQ(printed(orig_works_mac2, long_record, kHandlerDamaged), "abc");
}

}  // namespace
}  // namespace lettrix
