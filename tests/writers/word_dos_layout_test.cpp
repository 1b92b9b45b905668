// The Word for DOS file layout, byte for byte: header, padding, property
// pages and their fill rule, records, footnote table.
#include <gtest/gtest.h>

#include <vector>

#include "test_util.h"
#include "writers/word_dos_layout.h"

namespace lettrix::word_dos {
namespace {

using Bytes = std::vector<int>;

Bytes bytes_of(const std::uint8_t* p, std::size_t n) { return Bytes(p, p + n); }
Bytes record_bytes(const PropertyRecord& r) { return bytes_of(r.bytes.data(), static_cast<std::size_t>(r.length)); }

TEST(WordDosLayout, HeaderPageHoldsItsFieldsAndZerosElsewhere) {
  Header h;
  h.text_limit = 0x12345;
  h.paragraph_page = 0x0203;
  h.footnote_page = 0x0405;
  h.end_page = 0x0607;
  const Page page = header_page(h);
  const std::vector<std::pair<int, Bytes>> fields = {
      {0x00, {0x31, 0xBE, 0, 0, 0x00, 0xAB}},
      {0x0E, {0x45, 0x23, 0x01, 0x00, 0x03, 0x02, 0x05, 0x04, 0x07, 0x06, 0x07, 0x06, 0x07, 0x06, 0x07, 0x06}},
      {0x1E, {'N', 'O', 'R', 'M', 'A', 'L', '.', 'S', 'T', 'Y', 0}},
      {0x7E, {0xB5, 0x01}},
  };
  std::vector<bool> named(kPageSize, false);
  for (const auto& [offset, expected] : fields) {
    EXPECT_EQ(bytes_of(page.data() + offset, expected.size()), expected) << "offset " << offset;
    for (std::size_t i = 0; i < expected.size(); ++i) named[offset + i] = true;
  }
  for (int i = 0; i < kPageSize; ++i) {
    if (named[i]) continue;
    EXPECT_EQ(page[i], 0) << "offset " << i;
  }
}

TEST(WordDosLayout, TextIsPaddedToTheNextPageAndAWholePageAfterAMultiple) {
  const std::pair<std::uint32_t, int> cases[] = {{128, 128}, {129, 127}, {255, 1}, {256, 128}, {300, 84}};
  for (const auto& [limit, padding] : cases) EXPECT_EQ(text_padding(limit), padding) << limit;
}

TEST(WordDosLayout, RecordsCoverTheBytesTheySet) {
  struct Case {
    CharFields fields;
    Bytes expected;
  };
  const Case cases[] = {
      {{0, 0, 20, 0, 0}, {0, 0, 20}},                    // size alone: length 3
      {{0, kCharBold | kCharItalic, 24, 0, 0}, {0, 3, 24}},
      {{0, font_number_bits(17), 20, 0, 0}, {0, 0x44, 20}},
      {{0, 0, 20, kCharUnderline, 0}, {0, 0, 20, 1}},    // a style bit: length 4
      {{kCharNoteMark, 0, 20, kCharSpecial, 0}, {0x1B, 0, 20, 0x40}},
      {{0, 0, 20, 0, kCharSubscript}, {0, 0, 20, 0, 0, 0xF4}},  // a position: length 6
  };
  for (const Case& c : cases) EXPECT_EQ(record_bytes(char_record(c.fields)), c.expected);

  PropertyRecord p;
  p.set(kParaAlignByte, kAlignCentred);
  EXPECT_EQ(p.length, 2);
  p.set16(kParaFirstIndent, -600);
  EXPECT_EQ(record_bytes(p), (Bytes{0, 1, 0, 0, 0, 0, 0, 0, 0xA8, 0xFD}));

  // Tab stops from byte 22, 4 bytes each; the length stops before the last
  // stop's trailing zero. At most 19 stops.
  PropertyRecord t;
  const TabField two[] = {{600, 0}, {1200, 2}};
  set_tab_stops(t, two, 2);
  EXPECT_EQ(t.length, 29);
  EXPECT_EQ(bytes_of(t.bytes.data() + 22, 7), (Bytes{0x58, 0x02, 0, 0, 0xB0, 0x04, 2}));
  std::vector<TabField> many(25, TabField{120, 0});
  PropertyRecord m;
  set_tab_stops(m, many.data(), 25);
  EXPECT_EQ(m.length, 21 + 4 * 19);
  PropertyRecord none;
  set_tab_stops(none, nullptr, 0);
  EXPECT_EQ(none.length, 0);
}

TEST(WordDosLayout, PropertyPageFillRuleAndPageChange) {
  auto sink = testing::memory_stream("");
  PropertyPages pages;
  start_pages(pages, sink.get());
  PropertyRecord big;
  big.set(99, 7);  // length 100
  PropertyRecord three;
  three.set(2, 20);
  PropertyRecord four;
  four.set(3, 1);

  add_run(pages, 140, &big);   // takes 107 of the 122 free bytes
  add_run(pages, 150, nullptr);  // and 6 more: 9 left
  EXPECT_EQ(pages.top - pages.next_entry, 9);
  EXPECT_FALSE(page_full(pages, nullptr));
  EXPECT_FALSE(page_full(pages, &three));
  EXPECT_TRUE(page_full(pages, &four));
  EXPECT_EQ(pages.pages_written, 0);

  add_run(pages, 160, &four);  // goes to a fresh page
  EXPECT_EQ(pages.pages_written, 1);
  add_run(pages, 170, nullptr);
  add_run(pages, 180, &four);  // the last record stored again: the run points to it
  flush_page(pages);
  const std::string written = testing::stream_contents(sink.get());
  ASSERT_EQ(written.size(), 256u);
  const auto* first = reinterpret_cast<const std::uint8_t*>(written.data());
  const auto* second = first + 128;

  // First page: starts at 128; entries 140 with pointer 22 (length byte at
  // 26, record up to 126), 150 default; two runs.
  EXPECT_EQ(bytes_of(first, 16), (Bytes{0x80, 0, 0, 0, 140, 0, 0, 0, 22, 0, 150, 0, 0, 0, 0xFF, 0xFF}));
  EXPECT_EQ(first[26], 100);
  EXPECT_EQ(first[126], 7);
  EXPECT_EQ(first[127], 2);
  // Second page: starts at the first page's last limit; the length-4 record
  // ends at 126 with its length byte at 122 (pointer 118).
  EXPECT_EQ(bytes_of(second, 22),
            (Bytes{150, 0, 0, 0, 160, 0, 0, 0, 118, 0, 170, 0, 0, 0, 0xFF, 0xFF, 180, 0, 0, 0, 118, 0}));
  EXPECT_EQ(bytes_of(second + 116, 12), (Bytes{0, 0, 0, 0, 0, 0, 4, 0, 0, 0, 1, 3}));
}

TEST(WordDosLayout, FootnoteTableWords) {
  const auto start = footnote_table_start(2);
  EXPECT_EQ(bytes_of(start.data(), 4), (Bytes{3, 0, 3, 0}));
  const auto entry = footnote_entry(0x0102, 0x030405);
  EXPECT_EQ(bytes_of(entry.data(), 8), (Bytes{2, 1, 0, 0, 5, 4, 3, 0}));
}

}  // namespace
}  // namespace lettrix::word_dos
