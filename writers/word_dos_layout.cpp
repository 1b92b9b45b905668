#include "writers/word_dos_layout.h"

#include <cstring>

namespace lettrix::word_dos {

namespace {

constexpr int kPageStart = 0;       // first file offset described
constexpr int kFirstEntry = 4;
constexpr int kFirstTop = 126;
constexpr int kRunCount = 127;
constexpr int kEntrySize = 6;
constexpr std::uint16_t kDefaultPointer = 0xFFFF;

constexpr int kHeaderTextLimit = 0x0E;
constexpr int kHeaderParagraphPage = 0x12;
constexpr int kHeaderFootnotePage = 0x14;
constexpr int kHeaderEndPages[] = {0x16, 0x18, 0x1A, 0x1C};
constexpr int kHeaderStyleSheet = 0x1E;
constexpr int kHeaderCodePage = 0x7E;

void fresh_page(PropertyPages& p, std::uint32_t first) {
  put32(p.page.data() + kPageStart, first);
  p.next_entry = kFirstEntry;
  p.top = kFirstTop;
  p.runs = 0;
  p.last_record = -1;
  p.page[kRunCount] = 0;
  p.last_limit = first;
}

}  // namespace

void put16(std::uint8_t* at, unsigned value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void put32(std::uint8_t* at, std::uint32_t value) {
  put16(at, value & 0xFFFF);
  put16(at + 2, value >> 16);
}

Page header_page(const Header& h) {
  Page page{};
  put16(page.data(), kIdentifier);
  put16(page.data() + 4, kHeaderWord4);
  put32(page.data() + kHeaderTextLimit, h.text_limit);
  put16(page.data() + kHeaderParagraphPage, h.paragraph_page);
  put16(page.data() + kHeaderFootnotePage, h.footnote_page);
  for (int offset : kHeaderEndPages) put16(page.data() + offset, h.end_page);
  std::memcpy(page.data() + kHeaderStyleSheet, kStyleSheetName, sizeof kStyleSheetName);
  put16(page.data() + kHeaderCodePage, kCodePage);
  return page;
}

int text_padding(std::uint32_t text_limit) { return kPageSize - static_cast<int>(text_limit % kPageSize); }

void PropertyRecord::set(int offset, std::uint8_t value) {
  if (offset < 0 || offset >= kMaxRecordLength) return;
  bytes[offset] = value;
  if (length < offset + 1) length = offset + 1;
}

void PropertyRecord::set16(int offset, int value) {
  set(offset, static_cast<std::uint8_t>(value & 0xFF));
  set(offset + 1, static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

PropertyRecord char_record(const CharFields& f) {
  PropertyRecord r;
  r.set(kCharMarkByte, f.mark);
  r.set(kCharFontByte, f.font);
  r.set(kCharSizeByte, f.half_points);
  if (f.style != 0) r.set(kCharStyleByte, f.style);
  if (f.position != 0) r.set(kCharPositionByte, f.position);
  return r;
}

void set_tab_stops(PropertyRecord& r, const TabField* stops, int count) {
  if (count > kMaxTabStops) count = kMaxTabStops;
  if (count <= 0) return;
  for (int i = 0; i < count; ++i) {
    const int at = kParaTabs + 4 * i;
    r.set16(at, stops[i].position);
    r.set(at + 2, stops[i].kind);
    r.set(at + 3, 0);
  }
  r.length = kParaTabs - 1 + 4 * count;
}

void start_pages(PropertyPages& p, std::FILE* sink, std::uint32_t first) {
  p.page.fill(0);
  p.sink = sink;
  p.pages_written = 0;
  p.failed = false;
  fresh_page(p, first);
}

bool page_full(const PropertyPages& p, const PropertyRecord* record) {
  const int needed = record ? record->length + kEntrySize : kEntrySize + 1;
  return p.top - p.next_entry < needed;
}

// Whether the record is the last one stored on the page.
bool is_last_record(const PropertyPages& p, const PropertyRecord& record) {
  return p.last_record >= 0 && p.page[p.last_record] == record.length &&
         std::memcmp(p.page.data() + p.last_record + 1, record.bytes.data(), record.length) == 0;
}

void add_run(PropertyPages& p, std::uint32_t limit, const PropertyRecord* record) {
  if (record && is_last_record(p, *record) && p.top - p.next_entry >= kEntrySize + 1) {
    put32(p.page.data() + p.next_entry, limit);
    put16(p.page.data() + p.next_entry + 4, static_cast<std::uint16_t>(p.last_record - kFirstEntry));
    p.next_entry += kEntrySize;
    p.page[kRunCount] = static_cast<std::uint8_t>(++p.runs);
    p.last_limit = limit;
    return;
  }
  if (page_full(p, record)) {
    flush_page(p);
    fresh_page(p, p.last_limit);
  }
  std::uint16_t pointer = kDefaultPointer;
  if (record) {
    const int length_byte = p.top - record->length;
    p.page[length_byte] = static_cast<std::uint8_t>(record->length);
    if (record->length > 0) std::memcpy(p.page.data() + length_byte + 1, record->bytes.data(), record->length);
    pointer = static_cast<std::uint16_t>(length_byte - kFirstEntry);
    p.top = length_byte - 1;
    p.last_record = length_byte;
  }
  put32(p.page.data() + p.next_entry, limit);
  put16(p.page.data() + p.next_entry + 4, pointer);
  p.next_entry += kEntrySize;
  p.page[kRunCount] = static_cast<std::uint8_t>(++p.runs);
  p.last_limit = limit;
}

void flush_page(PropertyPages& p) {
  if (!p.sink || std::fwrite(p.page.data(), 1, p.page.size(), p.sink) != p.page.size()) p.failed = true;
  ++p.pages_written;
}

std::array<std::uint8_t, 4> footnote_table_start(unsigned notes) {
  std::array<std::uint8_t, 4> b{};
  put16(b.data(), notes + 1);
  put16(b.data() + 2, notes + 1);
  return b;
}

std::array<std::uint8_t, 8> footnote_entry(std::uint32_t first, std::uint32_t second) {
  std::array<std::uint8_t, 8> b{};
  put32(b.data(), first);
  put32(b.data() + 4, second);
  return b;
}

}  // namespace lettrix::word_dos
