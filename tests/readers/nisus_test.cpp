#include "readers/nisus.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "builders/builder_common.h"
#include "builders/nisus_builder.h"
#include "core/byte_helpers.h"
#include "core/crc_ccitt.h"
#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "readers/macwrite_test_support.h"
#include "test_util.h"

namespace lettrix {
namespace {

using build::NisusBuilder;
using build::NisusLayout;
using testing::run_reader;

std::string printed(const std::string& doc) {
  const testing::ReaderRun run = run_reader(orig_nisus, doc);
  EXPECT_EQ(run.rc, 0);
  EXPECT_TRUE(run.leaves_nothing_behind);
  EXPECT_TRUE(testing::well_formed(run.stream));
  return run.printed();
}

TEST(NisusReader, Footnotes) {
  // Two references, each with its text and its number first.
  EXPECT_EQ(printed(NisusBuilder{}.text("One").footnote("First.").text(" two").footnote("Second.").text(" end.").build()),
            "One{NoteCall 1,0}First.{EndOfText} two{NoteCall 2,0}Second.{EndOfText} end.");
  // The same notes spread over several resources, with another type among them.
  EXPECT_EQ(printed(NisusBuilder{}
                        .other_resource("vers", "1.0", "Version")
                        .notes_per_resource(1)
                        .text("a")
                        .footnote("x\ry")
                        .footnote("")
                        .footnote("z")
                        .text(".")
                        .build()),
            "a{NoteCall 1,0}x¶y{EndOfText}{NoteCall 2,0}{EndOfText}{NoteCall 3,0}z{EndOfText}.");
  // More references than texts, and no resource fork at all: empty notes.
  NisusBuilder more = NisusBuilder{}.text("a").footnote("n");
  more.text("\x1C" "b");
  EXPECT_EQ(printed(more.build()), "a{NoteCall 1,0}n{EndOfText}{NoteCall 2,0}{EndOfText}b");
  EXPECT_EQ(printed(NisusBuilder{}.without_resource_fork().text("a\x1C" "b").build()),
            "a{NoteCall 1,0}{EndOfText}b");
  // A document that ends with a reference keeps its note.
  EXPECT_EQ(printed(NisusBuilder{}.text("Last").footnote("Kept.").build()), "Last{NoteCall 1,0}Kept.{EndOfText}");
}

TEST(NisusReader, TextBytes) {
  struct Case {
    std::string text;
    const char* stream;
  };
  const Case cases[] = {
      {"x", "x"},  // the last byte of the data fork is text too
      {"Hello.\r", "Hello.¶"},
      {"\x80" "b", "{TableChar 1,30}b"},
      {"a\x7F" "b", "a{0x7F}b"},
      {"caf\x8E \xD2q\xD3", "caf{TableChar 1,41} {TableChar 4,32}q{TableChar 4,31}"},
      {"C:\\DOS", "C:{Backslash}DOS"},
      {"a\tb\fc", "a{Tab}b{PageBreak}c"},
  };
  for (const Case& c : cases) EXPECT_EQ(printed(NisusBuilder{}.text(c.text).build()), c.stream) << c.text;
  EXPECT_EQ(printed(NisusBuilder{}.text("a").footnote("C:\\\x8E").build()),
            "a{NoteCall 1,0}C:{Backslash}{TableChar 1,41}{EndOfText}");
}

// A MacBinary header with its CRC, as MacBinary II writes it.
std::string with_crc(std::string doc) {
  const std::uint16_t crc = crc_ccitt({reinterpret_cast<const std::uint8_t*>(doc.data()), 124});
  build::set_be16(doc, 124, crc);
  return doc;
}

TEST(NisusReader, RefusesWhatIsNoNisusDocumentWithItsReason) {
  const std::string good = NisusBuilder{}.text("Text").footnote("Note").build();
  std::string data_too_long = good;
  build::set_be32(data_too_long, 83, static_cast<std::uint32_t>(good.size()));
  std::string resource_too_long = good;
  build::set_be32(resource_too_long, 87, static_cast<std::uint32_t>(good.size()));
  // A MacWrite 4.6 data fork passes the MacBinary test, not the fork lengths.
  std::string macwrite = std::string("\x00\x06", 2) + std::string(200, '\x11');
  macwrite[9] = '\0';
  const std::uint32_t resource_length = be32_at(reinterpret_cast<const std::uint8_t*>(good.data()) + 87);
  ASSERT_GT(resource_length % 128, 0u);
  const std::size_t fork_end = good.size() - (128 - resource_length % 128);
  std::string macwrite_bin = good;
  macwrite_bin.replace(65, 8, "WORDMACA");
  std::string other_creator = good;
  other_creator.replace(69, 4, "ttxt");
  std::mt19937 random(11);
  std::string noise(3000, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  const std::string other_format =
      testing::read_file((std::filesystem::path(LETTRIX_SOURCE_DIR) / "samples/macwrite-4.6/letter.bin").string());
  const std::string no_creator = "no creator code (a Nisus Writer document is told by its creator \"NISI\"";
  struct Case {
    const char* what;
    std::string doc;
    int rc;
    std::string reason;  // how it begins
  };
  const Case cases[] = {
      {"empty", "", kHandlerEmpty, "not a Nisus Writer document: it is empty"},
      {"empty text", NisusBuilder{}.build(), kHandlerEmpty, "not a Nisus Writer document: it is empty"},
      {"random bytes", noise, -1, "not a Nisus Writer document: " + no_creator},
      {"plain text", "Text\x1CNote\r", -1, "not a Nisus Writer document: " + no_creator},
      {"short header", good.substr(0, 127), -1, "not a Nisus Writer document: " + no_creator},
      {"MacWrite data fork", macwrite, -1, "not a Nisus Writer document: " + no_creator},
      {"MacBinary file of another type", macwrite_bin, -1,
       "not a Nisus Writer document: its creator code \"MACA\" is not \"NISI\""},
      {"MacWrite 4.6 sample", other_format, -1, "not a Nisus Writer document: its creator code \"MACA\" is not \"NISI\""},
      // Forks beyond the file: the wrapper is damaged, with a CRC or without.
      {"data fork beyond the file", data_too_long, -1,
       "MacBinary: the data fork runs past the end of the file (to byte 768 of 640)"},
      {"resource fork beyond the file", resource_too_long, -1,
       "MacBinary: the resource fork runs past the end of the file (to byte 896 of 640)"},
      {"cut in the resource fork", good.substr(0, fork_end - 1), -1,
       "MacBinary: the resource fork runs past the end of the file (to byte 571 of 570)"},
      {"data fork beyond the file, with a CRC", with_crc(data_too_long), -1,
       "MacBinary: the data fork runs past the end of the file (to byte 768 of 640)"},
  };
  // A last fork without its padding is whole; a text file of another
  // creator is read as one without footnotes.
  EXPECT_EQ(printed(good.substr(0, fork_end)), "Text{NoteCall 1,0}Note{EndOfText}");
  EXPECT_EQ(printed(other_creator), "Text{NoteCall 1,0}Note{EndOfText}");
  for (const Case& c : cases) {
    clear_handler_reason();
    const testing::ReaderRun run = run_reader(orig_nisus, c.doc);
    EXPECT_EQ(run.rc, c.rc) << c.what;
    EXPECT_EQ(run.stream, "") << c.what;
    EXPECT_EQ(handler_reason().rfind(c.reason, 0), 0u) << c.what << ": " << handler_reason();
    EXPECT_TRUE(run.leaves_nothing_behind) << c.what;
  }
  testing::ScratchDir dir;
  EXPECT_EQ(orig_nisus(dir.file("missing").c_str(), dir.file("out").c_str()), -1);

  testing::ScratchDir work(true);
  init_path_buffers();
  choose_formats(SrcNisus, DstAnsi);
  testing::write_file("memo", with_crc(data_too_long));
  ConversionResult result = convert_file("memo");
  EXPECT_EQ(result.status, ConversionStatus::WrapperFailed);
  EXPECT_EQ(result.message(), "MacBinary: the data fork runs past the end of the file (to byte 768 of 640)");
  testing::write_file("macwrite", macwrite_bin);
  result = convert_file("macwrite");
  EXPECT_EQ(result.status, ConversionStatus::ReaderFailed);
  EXPECT_EQ(result.message(), "not a Nisus Writer document: "
                              "its creator code \"MACA\" is not \"NISI\"");
  // Nisus Writer's own creator on a file of another type.
  std::string nisus_word = good;
  nisus_word.replace(65, 4, "WORD");
  const testing::ReaderRun run = run_reader(orig_nisus, nisus_word);
  EXPECT_EQ(run.rc, -1);
  EXPECT_EQ(handler_reason(), "not a Nisus Writer document: its type code \"WORD\" is not \"TEXT\"");
  EXPECT_EQ(testing::dir_names(work.path()), (std::vector<std::string>{"macwrite", "memo"}));
}

TEST(NisusReader, DamagedResourceForksAreRefused) {
  NisusLayout at;
  const std::string good = NisusBuilder{}.other_resource("vers", "1.0").text("a").footnote("n").build(&at);
  ASSERT_EQ(at.reference_lists.size(), 2u);
  ASSERT_EQ(at.data_items.size(), 2u);
  struct Damage {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    bool word;  // 16-bit, else 32-bit
  };
  const Damage damages[] = {
      {"map beyond the fork", at.resource_fork + 4, 0x00100000, false},
      {"map length beyond the fork", at.resource_fork + 12, 0x00100000, false},
      {"data area beyond the fork", at.resource_fork + 8, 0x00100000, false},
      {"type count", at.type_list, 0x7FFF, true},
      {"reference list outside the map", at.type_list + 2 + 8 + 6, 0xFFF0, true},
      {"resource count", at.type_list + 2 + 8 + 4, 0x0FFF, true},
      {"data item beyond the data area", at.reference_lists[1] + 4, 0x00FFFF00, false},
      {"data length beyond the data area", at.data_items[1], 0x7FFFFFFF, false},
  };
  for (const Damage& d : damages) {
    std::string doc = good;
    if (d.word)
      build::set_be16(doc, d.offset, static_cast<std::uint16_t>(d.value));
    else
      build::set_be32(doc, d.offset, d.value);
    const testing::ReaderRun run = run_reader(orig_nisus, doc);
    EXPECT_EQ(run.rc, -1) << d.what;
    EXPECT_TRUE(run.leaves_nothing_behind) << d.what;
  }
  // Damage to a resource that holds no footnote does not matter.
  std::string vers_damaged = good;
  build::set_be32(vers_damaged, at.data_items[0], 0x7FFFFFFF);
  EXPECT_EQ(printed(vers_damaged), "a{NoteCall 1,0}n{EndOfText}");
}

}  // namespace
}  // namespace lettrix
