// The Word for Windows 2 file layout, byte for byte: property records, pages
// and their page-full rule, the section record and the document tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/pc_fonts.h"
#include "writers/winword2_layout.h"

namespace lettrix::ww2 {
namespace {

std::string hex(std::span<const std::uint8_t> b) {
  std::string s;
  static const char* digits = "0123456789ABCDEF";
  for (std::uint8_t c : b) {
    if (!s.empty()) s += ' ';
    s += digits[c >> 4];
    s += digits[c & 15];
  }
  return s;
}

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t u16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | b[at + 1] << 8; }

TEST(Ww2Layout, CharacterRecords) {
  auto props = [](auto set) {
    CharProps p;
    set(p);
    return hex(char_record(p));
  };
  struct Case {
    const char* what;
    std::string got;
    const char* expected;
  };
  const Case cases[] = {
      {"12 points, Times", props([](CharProps&) {}), "07 00 00 06 00 00 00 18"},
      {"10 points: size flag clear, size still written", props([](CharProps& p) { p.points = 10; }),
       "07 00 00 02 00 00 00 14"},
      {"bold italic caps Arial", props([](CharProps& p) { p.bold = p.italic = p.caps = true; p.font_index = PcArial; }),
       "07 43 00 06 00 02 00 18"},
      {"small capitals and strike", props([](CharProps& p) { p.small_caps = p.strike = true; }),
       "07 20 04 06 00 00 00 18"},
      {"underline: length 10", props([](CharProps& p) { p.underline = true; }),
       "0A 00 00 0E 00 00 00 18 00 00 20"},
      {"double underline wins", props([](CharProps& p) { p.underline = p.double_underline = true; }),
       "0A 00 00 0E 00 00 00 18 00 00 60"},
      {"superscript: length 11", props([](CharProps& p) { p.superscript = true; }),
       "0B 00 00 16 00 00 00 18 00 00 00 06"},
      {"subscript", props([](CharProps& p) { p.subscript = true; p.points = 10; }),
       "0B 00 00 12 00 00 00 14 00 00 00 FA"},
      {"footnote mark: special, 2 points smaller, raised", props([](CharProps& p) { p.note_mark = p.strike = true; }),
       "0B 00 02 12 00 00 00 14 00 00 00 06"},  // 10 points, the style's size: no size flag
      {"footnote mark in 10 points: 8 points, given", props([](CharProps& p) { p.note_mark = true; p.points = 10; }),
       "0B 00 02 16 00 00 00 10 00 00 00 06"},
      {"paragraph style in force: no font or size", props([](CharProps& p) { p.bold = true; p.font_and_size = false; }),
       "01 01"},
      {"nothing at all: default properties", props([](CharProps& p) { p.font_and_size = false; }), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
  EXPECT_EQ(hex(section_run_record()), "0E 00 02 00 00 00 00 14 00 00 00 00 00 00 04");
}

TEST(Ww2Layout, ParagraphRecords) {
  auto record = [](std::uint8_t style, auto build) {
    Bytes mods;
    build(mods);
    return hex(para_record(style, mods));
  };
  // Style code, six zeros, the modifiers; w counts the bytes after it, rounded up to words.
  EXPECT_EQ(record(0, [](Bytes&) {}), "04 00 00 00 00 00 00 00 00");
  EXPECT_EQ(record(0, [](Bytes& m) { add_alignment(m, AlignCentred); }), "05 00 00 00 00 00 00 00 05 01 00")
      << "one alignment modifier: 9 bytes, w = 5";
  EXPECT_EQ(record(245, [](Bytes& m) { add_twips(m, ModLeftIndent, 720); add_twips(m, ModFirstIndent, -720); }),
            "07 F5 00 00 00 00 00 00 11 D0 02 13 30 FD 00");
  EXPECT_EQ(record(0, [](Bytes& m) { add_twips(m, ModLineSpacing, 480); add_twips(m, ModLeftIndent, 100000); }),
            "07 00 00 00 00 00 00 00 14 E0 01 11 FF 7F 00")
      << "a value beyond 16 bits is held at the largest";
  const TabStopTwips stops[] = {{720, 0}, {2880, 2}};
  EXPECT_EQ(record(0, [&](Bytes& m) { add_tab_stops(m, stops); }),
            "09 00 00 00 00 00 00 00 0F 08 00 02 D0 02 40 0B 00 02 00")
      << "length 2 + 3n (the bytes after it), no deletions, n, positions, kinds";

  // More stops than one length byte can describe: the first 84 are kept.
  std::vector<TabStopTwips> many;
  for (int i = 0; i < 100; ++i) many.push_back({i * 10, 0});
  Bytes m;
  add_tab_stops(m, many);
  ASSERT_EQ(m.size(), 4u + 3 * 84);
  EXPECT_EQ(m[1], 254);
  EXPECT_EQ(m[3], 84);
  add_tab_stops(m, {});
  EXPECT_EQ(m.size(), 4u + 3 * 84) << "no stops: no modifier";
  const Bytes big = para_record(0, m);
  EXPECT_EQ(big.size(), 1u + 2 * big[0]);
  EXPECT_EQ(big.size() % 2, 1u);
}

Bytes char_rec(int points) {
  CharProps p;
  p.points = points;
  return char_record(p);
}

TEST(Ww2Layout, PropertyPageSharesRecordsAndPlacesThemDownward) {
  PropertyPage page(PropertyPage::Kind::Character, 384);
  const Bytes twelve = char_rec(12), ten = char_rec(10);
  ASSERT_TRUE(page.insert(390, twelve));
  ASSERT_TRUE(page.insert(400, ten));
  ASSERT_TRUE(page.insert(410, twelve));  // shared
  ASSERT_TRUE(page.insert(411, {}));      // default
  const auto b = page.bytes();
  EXPECT_EQ(b[511], 4);
  EXPECT_EQ(u32(b, 0), 384u);
  EXPECT_EQ(u32(b, 4), 390u);
  EXPECT_EQ(u32(b, 16), 411u);
  // First record: 510 - 8 = 502; the next one below a gap of 2: 500 - 8 = 492.
  EXPECT_EQ(b[20], 502 / 2);
  EXPECT_EQ(b[21], 492 / 2);
  EXPECT_EQ(b[22], 502 / 2) << "equal records are stored once";
  EXPECT_EQ(b[23], 0);
  EXPECT_EQ(hex(std::span(b).subspan(502, 8)), hex(twelve));
  EXPECT_EQ(hex(std::span(b).subspan(492, 8)), hex(ten));
  EXPECT_EQ(b[510], 0);

  // A paragraph page leaves a gap of 1, lowered to an even offset.
  PropertyPage paras(PropertyPage::Kind::Paragraph, 384);
  const Bytes centred = para_record(0, Bytes{ModAlignment, AlignCentred});  // 11 bytes
  ASSERT_TRUE(paras.insert(400, centred));
  ASSERT_TRUE(paras.insert(420, para_record(0, {})));  // 9 bytes
  const auto p = paras.bytes();
  EXPECT_EQ(p[12], 498 / 2) << "510 - 11 = 499, lowered to 498";
  EXPECT_EQ(p[13], 488 / 2) << "497 - 9 = 488";
  EXPECT_EQ(paras.last_offset(), 420u);
}

TEST(Ww2Layout, PageFullRules) {
  // At most 48 runs, even when they all share one record.
  PropertyPage page(PropertyPage::Kind::Character, 384);
  const Bytes rec = char_rec(12);
  for (std::uint32_t i = 1; i <= 48; ++i) ASSERT_TRUE(page.insert(384 + i, rec)) << i;
  EXPECT_FALSE(page.insert(384 + 49, rec));
  EXPECT_EQ(page.runs(), 48);

  // New records never start below the middle of the page (the base must stay at 256 or above).
  PropertyPage full(PropertyPage::Kind::Character, 384);
  int stored = 0;
  for (int points = 1; full.insert(384 + points, char_rec(points)); ++points) ++stored;
  EXPECT_EQ(stored, 26) << "records of 8 bytes every 10 bytes from 502 down to 252";
  const auto b = full.bytes();
  for (int i = 0; i < stored; ++i) EXPECT_GE(b[4 * (stored + 1) + i] * 2, 252) << i;

  // A paragraph record of the largest size still fits a fresh page.
  std::vector<TabStopTwips> many(100);
  Bytes mods;
  add_alignment(mods, AlignJustified);
  add_twips(mods, ModLeftIndent, 1);
  add_twips(mods, ModFirstIndent, 1);
  add_twips(mods, ModLineSpacing, 1);
  add_tab_stops(mods, many);
  PropertyPage paras(PropertyPage::Kind::Paragraph, 384);
  EXPECT_TRUE(paras.insert(500, para_record(0, mods)));
  EXPECT_FALSE(paras.insert(501, para_record(1, mods))) << "the base has fallen below 256";
  EXPECT_FALSE(paras.insert(501, para_record(0, mods))) << "nor is a record in the lower half shared";

  // Restarting begins at the last offset of the old page.
  page.restart(page.last_offset());
  EXPECT_EQ(page.runs(), 0);
  EXPECT_EQ(page.last_offset(), 384u + 48);
  EXPECT_TRUE(page.insert(500, rec));
  EXPECT_EQ(page.bytes()[8], 502 / 2);
}

TEST(Ww2Layout, PropertyPagesGoToTheirFile) {
  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  PropertyPages pages(PropertyPage::Kind::Character, file, 384);
  for (std::uint32_t i = 1; i <= 100; ++i) ASSERT_TRUE(pages.add_run(384 + i, char_rec(12)));
  ASSERT_TRUE(pages.finish());
  EXPECT_EQ(pages.page_starts(), (std::vector<std::uint32_t>{384, 384 + 48, 384 + 96}));
  EXPECT_EQ(std::ftell(file), 3 * 512);
  std::rewind(file);
  std::uint8_t page[512];
  ASSERT_EQ(std::fread(page, 1, 512, file), 512u);
  ASSERT_EQ(std::fread(page, 1, 512, file), 512u);
  EXPECT_EQ(u32(page, 0), 384u + 48);
  EXPECT_EQ(page[511], 48);
  std::fclose(file);
}

// Runs added with tickets (the record's place remembered) give the same pages
// as runs added by record alone, across page changes, with records of
// several sizes, the empty record among them, and records that fill pages.
TEST(Ww2Layout, PropertyPagesWithTicketsMatchPagesWithout) {
  CharProps bold;
  bold.bold = true;
  bold.font_and_size = false;
  CharProps underlined;
  underlined.underline = true;
  const Bytes records[] = {char_rec(12), char_rec(10), char_record(bold), Bytes{}, char_record(underlined), char_rec(9)};
  struct Case {
    const char* what;
    int pattern[8];
    int length;
    std::uint32_t runs;
  };
  const Case cases[] = {
      {"two formats by turns", {0, 2}, 2, 500},
      {"three formats and the default", {0, 1, 3, 2}, 4, 700},
      {"six formats", {0, 1, 2, 3, 4, 5}, 6, 900},
      {"one format", {4}, 1, 120},
  };
  for (const Case& c : cases) {
    std::FILE* plain_file = std::tmpfile();
    std::FILE* ticket_file = std::tmpfile();
    ASSERT_TRUE(plain_file && ticket_file);
    PropertyPages plain(PropertyPage::Kind::Character, plain_file, 384);
    PropertyPages ticketed(PropertyPage::Kind::Character, ticket_file, 384);
    PropertyPage::Ticket tickets[6];
    for (std::uint32_t i = 0; i < c.runs; ++i) {
      const int r = c.pattern[i % static_cast<std::uint32_t>(c.length)];
      const std::uint32_t end = 384 + 3 * (i + 1);
      ASSERT_TRUE(plain.add_run(end, records[r])) << c.what;
      ASSERT_TRUE(ticketed.add_run(end, records[r], tickets[r])) << c.what;
      ASSERT_EQ(ticketed.current().bytes(), plain.current().bytes()) << c.what << ", run " << i;
    }
    ASSERT_TRUE(plain.finish() && ticketed.finish()) << c.what;
    EXPECT_EQ(ticketed.page_starts(), plain.page_starts()) << c.what;
    EXPECT_GT(plain.page_starts().size(), 1u) << c.what;
    std::rewind(plain_file);
    std::rewind(ticket_file);
    for (std::size_t n = 0; n < plain.page_starts().size(); ++n) {
      std::uint8_t a[512], b[512];
      ASSERT_EQ(std::fread(a, 1, 512, plain_file), 512u);
      ASSERT_EQ(std::fread(b, 1, 512, ticket_file), 512u);
      EXPECT_EQ(0, std::memcmp(a, b, 512)) << c.what << ", page " << n;
    }
    std::fclose(plain_file);
    std::fclose(ticket_file);
  }

  // A ticket is for the filling of the page that gave it only.
  PropertyPage page(PropertyPage::Kind::Character, 384);
  PropertyPage other(PropertyPage::Kind::Character, 384);
  PropertyPage::Ticket ticket;
  EXPECT_FALSE(page.valid(ticket));
  ASSERT_TRUE(page.insert(390, records[0], &ticket));
  EXPECT_TRUE(page.valid(ticket));
  EXPECT_FALSE(other.valid(ticket));
  ASSERT_TRUE(page.insert_stored(400, ticket));
  EXPECT_EQ(page.bytes()[12], page.bytes()[13]);  // the two runs share the record
  page.restart(400);
  EXPECT_FALSE(page.valid(ticket));
  PropertyPage::Ticket none;
  ASSERT_TRUE(page.insert(410, Bytes{}, &none));
  EXPECT_FALSE(page.valid(none));
}

TEST(Ww2Layout, SectionRecords) {
  EXPECT_EQ(hex(section_record(false, false)), "06 8B 82 2E 8C C6 41");
  EXPECT_EQ(hex(section_record(true, false)), "08 80 02 8B 82 2E 8C C6 41");
  EXPECT_EQ(hex(section_record(false, true)), "08 80 08 8B 82 2E 8C C6 41");
  EXPECT_EQ(hex(section_record(true, true)), "08 80 0A 8B 82 2E 8C C6 41");
}

TEST(Ww2Layout, TablesOfADocumentWithoutNotesOrHeads) {
  DocumentParts p;
  p.text_limit = 400;
  p.main_length = 14;
  p.char_pages = {384};
  p.para_pages = {384};
  p.first_char_page = 1;
  p.first_para_page = 2;
  Bytes tables;
  InformationBlock fib;
  ASSERT_TRUE(build_tables(p, 1536, tables, fib));
  const std::span<const std::uint8_t> f = fib;
  EXPECT_EQ(hex(f.subspan(0, 8)), "DB A5 2D 00 31 40 0C 04");
  EXPECT_EQ(u16(f, 0x0C), 45u);
  EXPECT_EQ(u32(f, 0x18), 384u);
  EXPECT_EQ(u32(f, 0x1C), 400u);
  EXPECT_EQ(u32(f, 0x20), 1536 + tables.size());
  EXPECT_EQ(u32(f, 0x34), 14u);
  // Style sheet (fixed, 106 bytes) given twice, then the empty note tables.
  EXPECT_EQ(u32(f, 0x58), 1536u);
  EXPECT_EQ(u16(f, 0x5C), 106u);
  EXPECT_EQ(u32(f, 0x5E), 1536u);
  EXPECT_EQ(u16(f, 0x62), 106u);
  EXPECT_EQ(hex(std::span(tables).subspan(0, 106)), hex(fixed_style_sheet()));
  const std::uint32_t notes_at = 1536 + 106;
  for (std::size_t field : {0x64, 0x6A}) {
    EXPECT_EQ(u32(f, field), notes_at) << field;
    EXPECT_EQ(u16(f, field + 4), 0u) << field;
  }
  // Footnote page descriptors: 18 bytes with both positions 0.
  EXPECT_EQ(u32(f, 0x124), notes_at);
  EXPECT_EQ(u16(f, 0x128), 18u);
  EXPECT_EQ(hex(std::span(tables).subspan(106, 18)), "00 00 00 00 00 00 00 00 00 00 FF FF 00 00 01 00 00 00");
  const std::uint32_t section_at = notes_at + 18;
  EXPECT_EQ(u32(f, 0x70), section_at);
  EXPECT_EQ(u32(f, 0x76), section_at);
  EXPECT_EQ(u32(f, 0x7C), section_at);
  EXPECT_EQ(u16(f, 0x80), 14u);
  EXPECT_EQ(hex(std::span(tables).subspan(124, 14)), "00 00 00 00 10 00 00 00 11 00 90 01 00 00");
  EXPECT_EQ(u32(f, 0x82), section_at + 14);
  EXPECT_EQ(u16(f, 0x86), 18u);
  EXPECT_EQ(hex(std::span(tables).subspan(138, 18)), "00 00 00 00 10 00 00 00 08 02 FF FF 00 00 01 00 00 00");
  const std::uint32_t after_pages = section_at + 14 + 18;
  for (std::size_t field : {0x88, 0x8E, 0x94, 0x9A}) EXPECT_EQ(u32(f, field), after_pages) << field;
  EXPECT_EQ(u16(f, 0x9E), 0u) << "no header table";
  // Bin tables: the page's first offset, the text limit, the page number.
  EXPECT_EQ(u32(f, 0xA0), after_pages);
  EXPECT_EQ(u16(f, 0xA4), 10u);
  EXPECT_EQ(hex(std::span(tables).subspan(156, 20)), "80 01 00 00 90 01 00 00 01 00 80 01 00 00 90 01 00 00 02 00");
  EXPECT_EQ(u32(f, 0xA6), after_pages + 10);
  const std::uint32_t fonts_at = after_pages + 20;
  EXPECT_EQ(u32(f, 0xB2), fonts_at);
  EXPECT_EQ(u16(f, 0xB6), 55u);
  EXPECT_EQ(hex(std::span(tables).subspan(176, 55)), hex(font_table()));
  EXPECT_EQ(hex(font_table().subspan(0, 6)), "37 00 12 16 00 54");
  for (std::size_t field = 0xB8; field <= 0xE2; field += 6) EXPECT_EQ(u32(f, field), fonts_at + 55) << field;
  EXPECT_EQ(u32(f, 0xE8), fonts_at + 55);
  EXPECT_EQ(u16(f, 0xEC), 2u);
  for (std::size_t field = 0xEE; field <= 0x10C; field += 6) EXPECT_EQ(u32(f, field), fonts_at + 57) << field;
  EXPECT_EQ(u16(f, 0x110), 30u);
  EXPECT_EQ(u32(f, 0x112), fonts_at + 87);
  EXPECT_EQ(u16(f, 0x116), 52u);
  for (std::size_t field : {0x118, 0x11E, 0x136}) EXPECT_EQ(u32(f, field), fonts_at + 139) << field;
  EXPECT_EQ(tables.size(), fonts_at + 139 - 1536);
  EXPECT_EQ(hex(std::span(tables).subspan(tables.size() - 52, 4)), "22 00 02 00");
  EXPECT_EQ(u16(f, 0x13E), 1u);
  EXPECT_EQ(u16(f, 0x140), 2u);
  EXPECT_EQ(u16(f, 0x142), 1u);
  EXPECT_EQ(u16(f, 0x144), 1u);
}

TEST(Ww2Layout, NoteHeaderAndStyleSheetTables) {
  DocumentParts p;
  p.text_limit = 384 + 100;
  p.note_refs = {5, 40};
  p.note_marks = {0, 12};
  p.footnote_length = 30;
  p.footnote_end = 80;
  p.has_header = true;
  p.header_text = 9;
  const Bytes sheet = {3, 0, 'a', 'b', 'c'};
  p.style_sheet = sheet;
  p.char_pages = {384};
  p.para_pages = {384};
  Bytes tables;
  InformationBlock fib;
  ASSERT_TRUE(build_tables(p, 1024, tables, fib));
  const std::span<const std::uint8_t> t = tables;
  EXPECT_EQ(u16(fib, 0x5C), 5u);
  EXPECT_EQ(hex(t.subspan(0, 5)), "03 00 61 62 63");
  EXPECT_EQ(u16(fib, 0x68), 16u);
  EXPECT_EQ(hex(t.subspan(5, 16)), "05 00 00 00 28 00 00 00 50 00 00 00 01 00 01 00");
  EXPECT_EQ(u16(fib, 0x6E), 16u);
  EXPECT_EQ(hex(t.subspan(21, 16)), "00 00 00 00 0C 00 00 00 1E 00 00 00 24 00 00 00");
  EXPECT_EQ(hex(t.subspan(37, 8)), "00 00 00 00 24 00 00 00") << "the last position of the text table";
  EXPECT_EQ(u16(fib, 0x9E), 16u);
  EXPECT_EQ(hex(t.subspan(37 + 18 + 14 + 18, 16)), "00 00 00 00 09 00 00 00 09 00 00 00 0F 00 00 00");

  // Too many pages for 16-bit page numbers: refused.
  p.char_pages.assign(200, 384);
  p.first_char_page = 0xFFF0;
  EXPECT_FALSE(build_tables(p, 1024, tables, fib));
}

}  // namespace
}  // namespace lettrix::ww2
