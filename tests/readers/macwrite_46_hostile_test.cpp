// Damaged and hostile MacWrite 4.x documents give a clean result: the text
// that can be read, in a well-formed stream, in work proportional to the file.
#include <gtest/gtest.h>

#include <source_location>

#include "builders/builder_common.h"
#include "builders/macwrite_46_builder.h"
#include "core/handler.h"
#include "readers/macwrite_46.h"
#include "readers/macwrite_test_support.h"

namespace lettrix {
namespace {

using build::MacWrite46Builder;
using build::MacWrite46Layout;
using testing::run_reader;

const std::string kNoHeaderNoFooter = "{HeaderAll 0,0}{EndOfText}{FooterAll 0,0}{EndOfText}";
const std::string kFirstText = "{LeftOn}{FontSize 246,244}{Font 0,2}";

// Runs the reader, expecting success (or, for a document whose structures
// point beyond its end, kHandlerDamaged) and a well-formed stream; returns it
// printed.
std::string read_clean(const std::string& doc, int expected_rc = 0,
                       std::source_location from = std::source_location::current()) {
  const testing::ReaderRun run = run_reader(orig_macw46, doc);
  EXPECT_EQ(run.rc, expected_rc) << "line " << from.line();
  EXPECT_TRUE(testing::well_formed(run.stream)) << run.printed();
  EXPECT_TRUE(run.leaves_nothing_behind);
  return run.printed();
}

// Points the information entry `index` of a section at another data offset.
void set_data_offset(std::string& doc, const MacWrite46Layout::Section& section, std::size_t index,
                     std::uint32_t offset) {
  const std::size_t at = section.array_offset + 16 * index + 9;
  doc[at] = static_cast<char>(offset >> 16);
  doc[at + 1] = static_cast<char>(offset >> 8);
  doc[at + 2] = static_cast<char>(offset);
}

MacWrite46Builder three_paragraphs() {
  return MacWrite46Builder{}
      .header().paragraph("Head\r")
      .main().paragraph("One\r").paragraph("Two\r").compressed().paragraph("Three\r");
}

TEST(MacWrite46Hostile, InformationArrays) {
  MacWrite46Layout where;
  const std::string doc = three_paragraphs().build(&where);
  const std::string head = "{HeaderAll 0,0}" + kFirstText + "Head¶{EndOfText}{FooterAll 0,0}{EndOfText}";
  ASSERT_EQ(read_clean(doc), head + "One¶Two¶Three¶");

  // An array beyond the document is an empty section, and the document counts
  // as damaged, as does any structure below that points beyond its end.
  for (std::uint32_t offset : {0x7FFFFFF0u, 0xFFFFFFFFu, static_cast<std::uint32_t>(doc.size())}) {
    std::string far = doc;
    build::set_be32(far, where.main.descriptor + 12, offset);
    EXPECT_EQ(read_clean(far, kHandlerDamaged), head);
  }
  // An array that runs past the end of the document ends there.
  std::string long_main = doc;
  build::set_be16(long_main, where.main.descriptor + 16, 0xFFF0);
  EXPECT_EQ(read_clean(long_main, kHandlerDamaged), head + "One¶Two¶Three¶");
  // An array running into other data reads it as entries, without harm.
  std::string long_header = doc;
  build::set_be16(long_header, where.header.descriptor + 16, 0xFFF0);
  EXPECT_NE(read_clean(long_header, kHandlerDamaged).find("{EndOfText}One¶Two¶Three¶"), std::string::npos);
  // A size that is not a multiple of 16: the whole entries only.
  std::string ragged = doc;
  build::set_be16(ragged, where.main.descriptor + 16, 2 * 16 + 7);
  EXPECT_EQ(read_clean(ragged), head + "One¶Two¶");
}

TEST(MacWrite46Hostile, DataOffsets) {
  MacWrite46Layout where;
  const std::string doc = three_paragraphs().build(&where);
  const std::string head = "{HeaderAll 0,0}" + kFirstText + "Head¶{EndOfText}{FooterAll 0,0}{EndOfText}";
  // A paragraph whose data lies beyond the document is skipped.
  for (std::uint32_t offset : {0xFFFFFFu, static_cast<std::uint32_t>(doc.size() - 1)}) {
    std::string far = doc;
    set_data_offset(far, where.main, 1, offset);
    EXPECT_EQ(read_clean(far, kHandlerDamaged), head + "One¶Three¶");
  }
  // So is a ruler cut short by the end of the document.
  std::string cut_ruler = MacWrite46Builder{}.ruler({.tabs = {72}}).paragraph("x\r").build(&where);
  set_data_offset(cut_ruler, where.main, 0, static_cast<std::uint32_t>(cut_ruler.size() - 20));
  EXPECT_EQ(read_clean(cut_ruler, kHandlerDamaged), kNoHeaderNoFooter + kFirstText + "x¶");
  // A ruler holds at most 12 stops whatever its count says.
  std::vector<std::uint16_t> twelve;
  for (std::uint16_t p = 72; p <= 72 * 12; p += 72) twelve.push_back(p);
  std::string many_stops = MacWrite46Builder{}.ruler({.tabs = twelve}).build(&where);
  many_stops[where.main.data_offsets[0] + 5] = static_cast<char>(200);
  const std::string printed = read_clean(many_stops);
  std::size_t stops = 0;
  for (std::size_t at = 0; (at = printed.find("{SetTab", at)) != std::string::npos; ++at) ++stops;
  EXPECT_EQ(stops, 12u) << printed;
}

TEST(MacWrite46Hostile, TextLengthsAndPackedText) {
  MacWrite46Layout where;
  const std::string doc = three_paragraphs().build(&where);
  const std::string head = "{HeaderAll 0,0}" + kFirstText + "Head¶{EndOfText}{FooterAll 0,0}{EndOfText}";
  // Text lengths beyond the document, plain and packed: the text reads up
  // to the end of the document at most.
  for (std::size_t index : {0u, 1u, 2u}) {
    std::string long_text = doc;
    build::set_be16(long_text, where.main.data_offsets[index], 0xFFFF);
    const std::string printed = read_clean(long_text, kHandlerDamaged);
    EXPECT_EQ(printed.rfind(head, 0), 0u) << printed;
    EXPECT_LT(printed.size(), 8 * doc.size());
  }
  // Packed text whose nibbles run past the end of the document: the
  // characters unpacked up to there, and the paragraph end.
  std::string short_packed = doc;
  const std::uint32_t tail = static_cast<std::uint32_t>(short_packed.size());
  short_packed += std::string("\x00\x40\x12\x3F", 4);  // 64 characters promised, 3 and an escape given
  short_packed[where.main.array_offset + 16 * 2 + 8] = 0x08;
  set_data_offset(short_packed, where.main, 2, tail);
  EXPECT_EQ(read_clean(short_packed, kHandlerDamaged), head + "One¶Two¶etn¶");
}

TEST(MacWrite46Hostile, FormatLists) {
  MacWrite46Layout where;
  std::string doc = MacWrite46Builder{}.paragraph("x\r").build(&where);
  // A paragraph at the end of the document whose format list promises more
  // than the document holds: its whole formats are used.
  const std::uint32_t tail = static_cast<std::uint32_t>(doc.size());
  doc += std::string("\x00\x03" "ab\r" "\x00" "\x0F\xFF" "\x00\x00\x18\x01\x00\x03" "\x00\x05\x0A", 17);
  set_data_offset(doc, where.main, 0, tail);
  EXPECT_EQ(read_clean(doc, kHandlerDamaged), kNoHeaderNoFooter + "{LeftOn}{FontSize 246,232}{Font 0,2}{BoldOn}ab{BoldOff}¶");

  // A format list without an end mark, as MacWrite writes them, and one that
  // runs on into the information array.
  std::string unmarked = MacWrite46Builder{}.paragraph("a").text("b\r", {.style = build::mw46::kItalic}).build(&where);
  EXPECT_EQ(read_clean(unmarked), kNoHeaderNoFooter + kFirstText + "a{ItalicOn}b{ItalicOff}¶");
  build::set_be16(unmarked, where.main.data_offsets[0] + 2 + 4, 0xFFFF);
  EXPECT_EQ(read_clean(unmarked, kHandlerDamaged).rfind(kNoHeaderNoFooter + kFirstText + "a{ItalicOn}b", 0), 0u);
}

TEST(MacWrite46Hostile, WorkStaysProportionalToTheFile) {
  // Thousands of entries that all point at one large paragraph would repeat
  // it thousands of times; the reader stops once it has converted a few
  // times the document's size.
  MacWrite46Layout where;
  std::string big(30000, 'x');
  big += '\r';
  std::string doc = MacWrite46Builder{}.paragraph(big).build(&where);
  const std::string entry = doc.substr(where.main.array_offset, 16);
  const std::uint32_t array = static_cast<std::uint32_t>(doc.size());
  for (int i = 0; i < 4000; ++i) doc += entry;
  build::set_be32(doc, where.main.descriptor + 12, array);
  build::set_be16(doc, where.main.descriptor + 16, 4000 * 16);
  const testing::ReaderRun run = run_reader(orig_macw46, doc);
  EXPECT_EQ(run.rc, 0);
  EXPECT_GT(run.stream.size(), 3 * big.size());
  EXPECT_LT(run.stream.size(), 5 * doc.size());
  EXPECT_TRUE(testing::well_formed(run.stream));
}

TEST(MacWrite46Hostile, Pictures) {
  // A picture's size beyond the document, a data offset beyond it, and a
  // picture too short for its own header are dropped; the text stays.
  MacWrite46Layout where;
  const std::string pict = build::mac_picture(0, 0, 20, 20);
  const std::string doc = MacWrite46Builder{}
                              .paragraph("One\r")
                              .picture({.bottom = 20, .right = 20, .picture = pict})
                              .paragraph("Two\r")
                              .build(&where);
  const std::size_t entry = where.main.array_offset + 16;
  std::string huge = doc;
  build::set_be16(huge, entry + 12, 0xFFF0);
  std::string far = doc;
  set_data_offset(far, where.main, 1, 0xFFFFFF);
  std::string short_one = doc;
  build::set_be16(short_one, entry + 12, 12);
  // The first two point beyond the document's end: it counts as damaged.
  for (const auto& [damaged, rc] : {std::pair{huge, kHandlerDamaged}, std::pair{far, kHandlerDamaged},
                                    std::pair{short_one, kHandlerOk}}) {
    EXPECT_EQ(read_clean(damaged, rc), kNoHeaderNoFooter + kFirstText + "One¶Two¶");
  }

  // Thousands of entries that all point at one large picture: the work
  // stays a few times the document's size.
  const std::string big_pict = build::mac_picture(0, 0, 20, 20, std::string(20000, '\xFF'));
  std::string many = MacWrite46Builder{}.picture({.bottom = 20, .right = 20, .picture = big_pict}).build(&where);
  const std::string picture_entry = many.substr(where.main.array_offset, 16);
  const std::uint32_t array = static_cast<std::uint32_t>(many.size());
  for (int i = 0; i < 2000; ++i) many += picture_entry;
  build::set_be32(many, where.main.descriptor + 12, array);
  build::set_be16(many, where.main.descriptor + 16, 2000 * 16);
  const testing::ReaderRun run = run_reader(orig_macw46, many);
  EXPECT_EQ(run.rc, 0);
  EXPECT_GT(run.stream.size(), 2 * big_pict.size());
  EXPECT_LT(run.stream.size(), 5 * many.size());
  EXPECT_TRUE(testing::well_formed(run.stream));
}

TEST(MacWrite46Hostile, EveryTruncationIsClean) {
  const std::string doc = MacWrite46Builder{}
                              .header().paragraph("Head\r", {.style = build::mw46::kBold})
                              .footer().ruler({.tabs = {72}}).paragraph("Foot\r").compressed()
                              .main().ruler({.left_margin = 36, .tabs = {144}})
                              .paragraph("Body ").text("bold\r", {.style = build::mw46::kBold})
                              .page_break()
                              .ruler({.left_margin = 162, .first_line = 45})
                              .picture({.bottom = 20, .right = 20, .picture = build::mac_picture(0, 0, 20, 20, "\xA0\x00\x82\xFF")})
                              .picture({.bottom = 682, .right = 1000, .picture = build::mac_page_break_picture(true)})
                              .paragraph("Packed text\r").compressed()
                              .build();
  for (std::size_t n = 0; n <= doc.size(); ++n) {
    const testing::ReaderRun run = run_reader(orig_macw46, doc.substr(0, n));
    // Every cut loses something the document holds: never a clean success.
    EXPECT_TRUE(run.rc == kHandlerDamaged || run.rc == -1 || run.rc == -2 || (run.rc == 0 && n == doc.size())) << n;
    if (run.rc == 0 || run.rc == kHandlerDamaged) {
      EXPECT_TRUE(testing::well_formed(run.stream)) << n << ": " << run.printed();
    }
  }
}

}  // namespace
}  // namespace lettrix
