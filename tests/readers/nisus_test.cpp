#include "readers/nisus.h"

#include <gtest/gtest.h>

#include "builders/builder_common.h"
#include "builders/nisus_builder.h"
#include "core/byte_helpers.h"
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
      {"", ""},
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

TEST(NisusReader, RefusesWhatIsNoNisusDocumentInMacBinary) {
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
  std::string huge_data = good;
  build::set_be32(huge_data, 83, 0xFFFFFFF0u);
  struct Case {
    const char* what;
    std::string doc;
    int rc;
  };
  const Case cases[] = {
      {"empty", "", -2},
      {"plain data fork", "Text\x1CNote\r", -1},
      {"short header", good.substr(0, 127), -1},
      {"MacWrite data fork", macwrite, -1},
      {"MacBinary file of another type", macwrite_bin, -1},
      // A MacBinary text file whose forks the file holds only in part: what
      // there is of the text is kept, and the document counts as damaged.
      {"data fork beyond the file", data_too_long, kHandlerDamaged},
      {"resource fork beyond the file", resource_too_long, kHandlerDamaged},
      {"huge data fork", huge_data, kHandlerDamaged},
      {"cut in the resource fork", good.substr(0, fork_end - 1), kHandlerDamaged},
  };
  // A last fork without its padding is whole.
  EXPECT_EQ(printed(good.substr(0, fork_end)), "Text{NoteCall 1,0}Note{EndOfText}");
  for (const Case& c : cases) {
    clear_handler_reason();
    const testing::ReaderRun run = run_reader(orig_nisus, c.doc);
    EXPECT_EQ(run.rc, c.rc) << c.what;
    if (c.rc == kHandlerDamaged) {
      EXPECT_EQ(run.stream.substr(0, 4), "Text") << c.what;
      EXPECT_FALSE(handler_reason().empty()) << c.what;
    } else {
      EXPECT_EQ(run.stream, "") << c.what;
    }
    EXPECT_TRUE(run.leaves_nothing_behind) << c.what;
  }
  testing::ScratchDir dir;
  EXPECT_EQ(orig_nisus(dir.file("missing").c_str(), dir.file("out").c_str()), -1);

  testing::ScratchDir work(true);
  testing::write_file("memo", data_too_long);
  init_path_buffers();
  choose_formats(SrcNisus, DstAnsi);
  ConversionResult result = convert_file("memo");
  EXPECT_EQ(result.status, ConversionStatus::Damaged);
  EXPECT_EQ(result.message(), "damaged: text cut short at byte 640 of 768; partial result in memo.asc");
  EXPECT_EQ(testing::dir_names(work.path()), (std::vector<std::string>{"memo", "memo.asc"}));
  testing::write_file("macwrite", macwrite_bin);
  result = convert_file("macwrite");
  EXPECT_EQ(result.status, ConversionStatus::ReaderFailed);
  EXPECT_EQ(result.message(), "cannot read the file as a Nisus Writer document");
  EXPECT_FALSE(testing::exists("macwrite.asc"));
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
