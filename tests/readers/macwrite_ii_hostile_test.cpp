// Damaged MacWrite II documents: each gives -1 or the text read up to the
// damage, quickly, with a stream no larger than the document allows.
#include <gtest/gtest.h>

#include "builders/macwrite_ii_builder.h"
#include "core/handler.h"
#include "macwrite_ii_test_util.h"

namespace lettrix {
namespace {

using build::MacWriteIIBuilder;
using build::mw2::Damage;
using build::mw2::Style;
using testing::read_macwrite_ii;
namespace mw2 = build::mw2;

const std::string kFirstRun = "{FontSize 246,244}{Font 0,1}";
const std::string kNextRun = "{FontSize 12,244}{Font 20,1}";

// A document of three zones; the damage concerns the first one.
MacWriteIIBuilder three_zones(const Damage& d) {
  MacWriteIIBuilder b;
  b.block_fill(5).paragraph("Hello world").next_zone().paragraph("Second").next_zone().paragraph("Third");
  return b.damage(d);
}

TEST(MacWriteIIHostile, RunFormatBeyondItsTable) {
  Damage chars;
  chars.first_char_run_format = 500;  // the run keeps the format in force
  auto r = read_macwrite_ii(MacWriteIIBuilder{}.text("Bold", Style{}.bold()).paragraph(" plain").damage(chars).build());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.printed(), "Bold" + kFirstRun + " plain¶");

  Damage paras;
  paras.first_para_run_format = 0xFFFF;
  auto p = read_macwrite_ii(
      MacWriteIIBuilder{}.paragraph("Title", {}, mw2::kCentred).paragraph("Sign", {}, mw2::kRight).damage(paras).build());
  EXPECT_EQ(p.rc, 0);
  EXPECT_EQ(p.printed(), kFirstRun + "Title¶{RightOn}Sign{RightOff}¶");
}

TEST(MacWriteIIHostile, ExtentCountBelowTwo) {
  // The document chain goes on through an extent at block 4; without it the
  // format tables are cut short and the document is refused.
  const std::string sound = read_macwrite_ii(MacWriteIIBuilder{}.paragraph("Text").build()).stream;
  EXPECT_EQ(read_macwrite_ii(MacWriteIIBuilder{}.extents().paragraph("Text").build()).stream, sound);
  for (std::uint16_t count : {0, 1}) {
    Damage d;
    d.extent_count = count;
    auto r = read_macwrite_ii(MacWriteIIBuilder{}.extents().paragraph("Text").damage(d).build());
    EXPECT_EQ(r.rc, -1) << "count " << count;
  }
  // An extent running past the end of the file ends there: the blocks after
  // the document chain are read as more of it, and passed over; the document
  // counts as damaged.
  Damage past;
  past.extent_count = 0xFFFF;
  auto r = read_macwrite_ii(MacWriteIIBuilder{}.extents().paragraph("Text").damage(past).build());
  EXPECT_EQ(r.rc, kHandlerDamaged);
  EXPECT_EQ(r.stream, sound) << r.printed();
}

TEST(MacWriteIIHostile, BlockNumberBeyondTheFile) {
  // A text block outside the file ends its zone's text; the next zones follow.
  // One beyond the end of the file makes the document a damaged one.
  for (std::uint16_t block : {0, 600, 0xFFFF}) {
    Damage d;
    d.text_block_entry = 1;
    d.text_block = block;
    auto r = read_macwrite_ii(three_zones(d).build());
    EXPECT_EQ(r.rc, block == 0 ? kHandlerOk : kHandlerDamaged);
    EXPECT_EQ(r.printed(), kFirstRun + "Hello" + kNextRun + "Second¶" + kNextRun + "Third¶") << "block " << block;
  }
  // A zone chain outside the file: the group's zones are passed over.
  Damage zone;
  zone.zone_first_block = 0x7FFF;
  EXPECT_EQ(read_macwrite_ii(three_zones(zone).build()).printed(), "");
  zone.zone_first_block = -0x8000;
  EXPECT_EQ(read_macwrite_ii(three_zones(zone).build()).printed(), "");
}

TEST(MacWriteIIHostile, ChainLoopingBackOnItself) {
  // The document chain's last link goes back to its first block: the chain
  // ends where it would repeat, and the document reads as without the loop.
  Damage loop;
  loop.document_chain_loops = true;
  const MacWriteIIBuilder sound = MacWriteIIBuilder{}.text("a").footnote("note").paragraph("b");
  const std::string expected = read_macwrite_ii(sound.build()).stream;
  auto r = read_macwrite_ii(MacWriteIIBuilder(sound).damage(loop).build());
  EXPECT_EQ(r.rc, 0);
  EXPECT_EQ(r.stream, expected) << r.printed();
  auto e = read_macwrite_ii(MacWriteIIBuilder(sound).extents().damage(loop).build());
  EXPECT_EQ(e.rc, 0);
  EXPECT_EQ(e.stream, expected) << e.printed();
  // A zone pointing at the document chain reads garbage lists and stops.
  Damage self;
  self.zone_first_block = 3;
  auto s = read_macwrite_ii(three_zones(self).build());
  EXPECT_EQ(s.rc, 0);
  EXPECT_EQ(s.printed(), kFirstRun + "Second¶" + kNextRun + "Third¶");
}

TEST(MacWriteIIHostile, LengthsLargerThanTheFile) {
  const std::uint32_t too_long[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 5000};
  for (std::uint32_t length : too_long) {
    // L, S, F: the format tables cannot be read, so the document is refused.
    Damage l, s, f;
    l.skipped_length = length;
    s.char_format_bytes = length;
    f.para_format_bytes = length;
    for (const Damage& d : {l, s, f}) EXPECT_EQ(read_macwrite_ii(three_zones(d).build()).rc, -1) << length;
    // L1, L2, L3: the damaged zone is passed over, the others are read.
    Damage l1, l2, l3;
    l1.block_list_bytes = length;
    l2.char_run_bytes = length;
    l3.para_run_bytes = length;
    for (const Damage& d : {l1, l2, l3}) {
      auto r = read_macwrite_ii(three_zones(d).build());
      EXPECT_EQ(r.rc, 0);
      EXPECT_EQ(r.printed(), kFirstRun + "Second¶" + kNextRun + "Third¶") << length;
    }
  }
}

TEST(MacWriteIIHostile, ZoneRecordsWithoutEnd) {
  // Thousands of zone records all pointing at the same text: the conversion
  // stops after a number of block reads proportional to the file's blocks.
  Damage d;
  d.repeat_first_zone_record = 20000;
  const std::string doc = MacWriteIIBuilder{}.paragraph("Hello").damage(d).build();
  auto r = read_macwrite_ii(doc);
  EXPECT_EQ(r.rc, 0);
  ASSERT_TRUE(r.printed().starts_with(kFirstRun + "Hello¶" + kNextRun + "Hello¶"));
  std::size_t copies = 0;
  for (std::size_t at = r.stream.find("Hello"); at != std::string::npos; at = r.stream.find("Hello", at + 1)) ++copies;
  const std::size_t blocks = doc.size() / 256;
  EXPECT_LE(copies, 4 * blocks / 2);  // each copy takes two block reads: the zone chain and its text
  EXPECT_LT(r.stream.size(), doc.size());

  // The same through a looping document chain: it ends at the loop.
  Damage loop;
  loop.repeat_first_zone_record = 300;
  loop.document_chain_loops = true;
  auto l = read_macwrite_ii(MacWriteIIBuilder{}.paragraph("Hi").damage(loop).build());
  EXPECT_EQ(l.rc, 0);
  EXPECT_LE(l.stream.size(), 301u * 16);
}

}  // namespace
}  // namespace lettrix
