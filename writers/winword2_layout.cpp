#include "writers/winword2_layout.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "core/pc_fonts.h"
#include "core/units.h"

namespace lettrix::ww2 {

namespace {

constexpr std::uint8_t kSectionRunRecord[] = {0x0E, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x14,
                                              0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04};

constexpr std::uint8_t kStyleSheet[] = {
    0x0E, 0x00, 0x11, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0x00, 0x1F, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0x0E, 0x00, 0x00, 0x46, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x0C, 0x04, 0x18, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0F, 0x00, 0xF2, 0x00, 0xF3, 0x00,
    0x00, 0x00, 0xF5, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00,
    0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xDE};
static_assert(sizeof kStyleSheet == 106);

// Total length, then per font: length byte, pitch and family, character
// set, name and a zero; the fonts are the first PC fonts, in their order.
constexpr std::size_t kFontTableSize = [] {
  std::size_t n = 2;
  for (std::size_t i = 0; i < kWinWord2FontCount; ++i) n += 4 + kPcFonts[i].name.size();
  return n;
}();
constexpr auto kFontTable = [] {
  std::array<std::uint8_t, kFontTableSize> t{};
  t[0] = static_cast<std::uint8_t>(kFontTableSize);
  t[1] = static_cast<std::uint8_t>(kFontTableSize >> 8);
  std::size_t at = 2;
  for (std::size_t i = 0; i < kWinWord2FontCount; ++i) {
    const PcFontFace& face = kPcFonts[i];
    t[at++] = static_cast<std::uint8_t>(3 + face.name.size());
    t[at++] = pitch_and_family(face);
    t[at++] = font_charset(face);
    for (char c : face.name) t[at++] = static_cast<std::uint8_t>(c);
    t[at++] = 0;
  }
  return t;
}();
static_assert(kFontTableSize == 55);

constexpr std::uint8_t kSettings[] = {0x01, 0x80, 0x01, 0x00, 0x07, 0x00, 0x00, 0x00, 0x07, 0x00,
                                      0x00, 0x00, 0x07, 0x00, 0x00, 0x80, 0x00, 0x80, 0x07, 0x00,
                                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00};
static_assert(sizeof kSettings == 30);

constexpr std::uint8_t kDocumentProperties[52] = {
    0x22, 0x00, 0x02, 0x00, 0x03, 0x03, 0x84, 0x00, 0x00, 0x00, 0xC4, 0x02, 0x00, 0x00, 0xA9, 0x01, 0x00, 0x00,
    0x00, 0x00, 0xE5, 0x21, 0xD7, 0x05, 0x98, 0x29, 0xD7, 0x25, 0x00, 0x00, 0x00, 0x00, 0x06, 0x00, 0x02, 0x00};

constexpr std::uint8_t kMainDescriptor[] = {0x08, 0x02, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
constexpr std::uint8_t kNoteDescriptor[] = {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
constexpr std::uint8_t kSectionTail[] = {0x8B, 0x82, 0x2E, 0x8C, 0xC6, 0x41};

void append(Bytes& b, std::span<const std::uint8_t> more) { b.insert(b.end(), more.begin(), more.end()); }

// Character property bytes.
constexpr int kCharBytes = 11;
constexpr std::uint8_t kGivenFont = 0x02, kGivenSize = 0x04, kGivenUnderline = 0x08, kGivenPosition = 0x10;

}  // namespace

void put16(Bytes& b, std::uint32_t value) {
  b.push_back(static_cast<std::uint8_t>(value));
  b.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& b, std::uint32_t value) {
  put16(b, value & 0xFFFF);
  put16(b, value >> 16);
}

void set16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void set32(std::uint8_t* at, std::uint32_t value) {
  set16(at, value & 0xFFFF);
  set16(at + 2, value >> 16);
}

Bytes char_record(const CharProps& p) {
  std::uint8_t b[kCharBytes] = {};
  int length = 0;
  auto at_least = [&](int n) { length = std::max(length, n); };
  if (p.bold) b[0] |= 0x01;
  if (p.italic) b[0] |= 0x02;
  if (p.small_caps) b[0] |= 0x20;
  if (p.caps) b[0] |= 0x40;
  if (b[0]) at_least(1);
  if (p.strike) {
    b[1] |= 0x04;
    at_least(2);
  }
  if (p.note_mark) {
    b[1] = 0x02;
    at_least(2);
  }
  if (p.font_and_size) {
    b[2] |= kGivenFont;
    const int points = p.note_mark ? std::max(p.points - 2, 1) : p.points;
    if (points != 10) b[2] |= kGivenSize;  // 10 points: the style's size
    b[4] = static_cast<std::uint8_t>(p.font_index);
    b[6] = static_cast<std::uint8_t>(std::clamp<long long>(units::points_to_half_points(points), 0, 255));
    at_least(7);
  }
  if (p.underline || p.double_underline) {
    b[2] |= kGivenUnderline;
    b[9] = p.double_underline ? 0x60 : 0x20;
    at_least(10);
  }
  if (p.superscript || p.subscript || p.note_mark) {
    b[2] |= kGivenPosition;
    b[10] = (p.subscript && !p.note_mark) ? 0xFA : 0x06;
    at_least(11);
  }
  if (length == 0) return Bytes{};
  Bytes record(static_cast<std::size_t>(length) + 1);
  record[0] = static_cast<std::uint8_t>(length);
  std::copy(b, b + length, record.begin() + 1);
  return record;
}

std::span<const std::uint8_t> section_run_record() { return kSectionRunRecord; }

void add_alignment(Bytes& modifiers, std::uint8_t alignment) {
  modifiers.push_back(ModAlignment);
  modifiers.push_back(alignment);
}

void add_twips(Bytes& modifiers, std::uint8_t code, long twips) {
  modifiers.push_back(code);
  put16(modifiers, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(twips, -32768L, 32767L))));
}

void add_tab_stops(Bytes& modifiers, std::span<const TabStopTwips> stops) {
  const std::size_t n = std::min<std::size_t>(stops.size(), kMaxTabStops);
  if (n == 0) return;
  modifiers.push_back(ModTabs);
  // The length counts the bytes after it: the two counts, the positions, the kinds.
  modifiers.push_back(static_cast<std::uint8_t>(2 + 3 * n));
  modifiers.push_back(0);
  modifiers.push_back(static_cast<std::uint8_t>(n));
  for (std::size_t i = 0; i < n; ++i)
    put16(modifiers, static_cast<std::uint16_t>(std::clamp(stops[i].position, 0, 32767)));
  for (std::size_t i = 0; i < n; ++i) modifiers.push_back(static_cast<std::uint8_t>(stops[i].kind));
}

Bytes para_record(std::uint8_t style_code, std::span<const std::uint8_t> modifiers) {
  const std::size_t content = 7 + modifiers.size();
  const std::size_t words = (content + 1) / 2;
  Bytes record;
  record.reserve(1 + 2 * words);
  record.push_back(static_cast<std::uint8_t>(words));
  record.push_back(style_code);
  record.insert(record.end(), 6, 0);
  append(record, modifiers);
  record.resize(1 + 2 * words, 0);
  return record;
}

// ---- Property pages -------------------------------------------------------

namespace {

std::uint64_t next_filling() {
  static std::atomic<std::uint64_t> fillings{0};
  return ++fillings;
}

}  // namespace

PropertyPage::PropertyPage(Kind kind, std::uint32_t first_offset)
    : kind_(kind), first_(first_offset), filling_(next_filling()) {}

void PropertyPage::restart(std::uint32_t first_offset) {
  first_ = first_offset;
  filling_ = next_filling();
  runs_ = 0;
  stored_count_ = 0;
  lowest_ = static_cast<int>(kPageSize);
  recent_[0] = recent_[1] = -1;
  area_.fill(0);
}

// Where the next record goes down from: just below the lowest record, with a
// gap of 2 bytes on a character page and 1 on a paragraph page.
int PropertyPage::base() const {
  if (stored_count_ == 0) return static_cast<int>(kPageSize) - 2;
  return lowest_ - (kind_ == Kind::Character ? 2 : 1);
}

std::uint64_t PropertyPage::head_of(std::span<const std::uint8_t> record) {
  // (Only ever compared with another head: the byte order does not matter.)
  std::uint64_t head = 0;
  if (record.size() >= 8) {
    std::memcpy(&head, record.data(), 8);
    return head;
  }
  for (std::size_t i = 0; i < record.size(); ++i) head |= static_cast<std::uint64_t>(record[i]) << (8 * i);
  return head;
}

bool PropertyPage::holds(const Stored& s, std::span<const std::uint8_t> record, std::uint64_t head) const {
  if (static_cast<std::size_t>(s.size) != record.size() || s.head != head) return false;
  for (std::size_t i = 8; i < record.size(); ++i) {
    if (area_[static_cast<std::size_t>(s.position) + i] != record[i]) return false;
  }
  return true;
}

// The stored record equal to `record` (records are stored once each, so
// there is at most one), the two found last looked at first.
const PropertyPage::Stored* PropertyPage::find_stored(std::span<const std::uint8_t> record, std::uint64_t head) {
  for (int r : recent_) {
    if (r >= 0 && holds(stored_[static_cast<std::size_t>(r)], record, head)) return &stored_[static_cast<std::size_t>(r)];
  }
  for (std::size_t i = 0; i < static_cast<std::size_t>(stored_count_); ++i) {
    if (holds(stored_[i], record, head)) {
      recent_[1] = recent_[0];
      recent_[0] = static_cast<int>(i);
      return &stored_[i];
    }
  }
  return nullptr;
}

bool PropertyPage::add(std::uint32_t end, std::uint8_t offset_byte) {
  ends_[static_cast<std::size_t>(runs_)] = end;
  record_offsets_[static_cast<std::size_t>(runs_)] = offset_byte;
  ++runs_;
  return true;
}

bool PropertyPage::insert_stored(std::uint32_t end, const Ticket& ticket) {
  // As insert does for a record it finds on the page.
  const int n = runs() + 1;
  if (n > kMaxRunsPerPage) return false;
  const int index_room = base() - 5 * (n + 1);
  const Stored& shared = stored_[static_cast<std::size_t>(ticket.stored)];
  if (shared.position < 256 || index_room < 10) return false;
  return add(end, static_cast<std::uint8_t>(shared.position / 2));
}

bool PropertyPage::insert(std::uint32_t end, std::span<const std::uint8_t> record, Ticket* ticket) {
  const int n = runs() + 1;
  if (n > kMaxRunsPerPage) return false;
  const int base_now = base();
  // The offsets and record bytes of n runs take 5n + 4 bytes from the start.
  const int index_room = base_now - 5 * (n + 1);
  std::uint8_t offset_byte = 0;
  if (record.empty()) {
    if (index_room < 10) return false;
  } else {
    const std::uint64_t head = head_of(record);
    const Stored* shared = find_stored(record, head);
    if (shared) {
      if (ticket) *ticket = {filling_, static_cast<int>(shared - stored_.data())};
      if (shared->position < 256 || index_room < 10) return false;
      offset_byte = static_cast<std::uint8_t>(shared->position / 2);
    } else {
      const int size = static_cast<int>(record.size());
      if (base_now < 256 || index_room < size) return false;
      const int position = (base_now - size) & ~1;
      std::copy(record.begin(), record.end(), area_.begin() + position);
      recent_[1] = recent_[0];
      recent_[0] = stored_count_;
      if (ticket) *ticket = {filling_, stored_count_};
      stored_[static_cast<std::size_t>(stored_count_++)] = {position, size, head};
      lowest_ = std::min(lowest_, position);
      offset_byte = static_cast<std::uint8_t>(position / 2);
    }
  }
  return add(end, offset_byte);
}

std::array<std::uint8_t, kPageSize> PropertyPage::bytes() const {
  std::array<std::uint8_t, kPageSize> page = area_;
  set32(page.data(), first_);
  const std::size_t runs = static_cast<std::size_t>(runs_);
  for (std::size_t i = 0; i < runs; ++i) set32(page.data() + 4 * (i + 1), ends_[i]);
  const std::size_t offsets_at = 4 * (runs + 1);
  std::copy(record_offsets_.begin(), record_offsets_.begin() + runs_, page.begin() + offsets_at);
  page[kPageSize - 1] = static_cast<std::uint8_t>(runs);
  return page;
}

PropertyPages::PropertyPages(PropertyPage::Kind kind, std::FILE* work_file, std::uint32_t first_offset)
    : page_(kind, first_offset), file_(work_file) {}

bool PropertyPages::write_current() {
  const std::array<std::uint8_t, kPageSize> bytes = page_.bytes();
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return false;
  starts_.push_back(page_.first_offset());
  return true;
}

bool PropertyPages::add_run(std::uint32_t end, std::span<const std::uint8_t> record) {
  if (page_.insert(end, record)) return true;
  if (!write_current()) return false;
  page_.restart(page_.last_offset());
  return page_.insert(end, record);  // a fresh page takes any record of ours
}

bool PropertyPages::add_run(std::uint32_t end, std::span<const std::uint8_t> record, PropertyPage::Ticket& ticket) {
  if (page_.valid(ticket) ? page_.insert_stored(end, ticket) : page_.insert(end, record, &ticket)) return true;
  if (!write_current()) return false;
  page_.restart(page_.last_offset());
  return page_.insert(end, record, &ticket);
}

bool PropertyPages::finish() { return write_current(); }

// ---- Document tables ------------------------------------------------------

Bytes section_record(bool has_header, bool has_footer) {
  Bytes b;
  if (has_header || has_footer) {
    b = {0x08, 0x80, static_cast<std::uint8_t>((has_header ? 2 : 0) + (has_footer ? 8 : 0))};
  } else {
    b = {0x06};
  }
  append(b, kSectionTail);
  return b;
}

std::span<const std::uint8_t> fixed_style_sheet() { return kStyleSheet; }
std::span<const std::uint8_t> font_table() { return kFontTable; }

namespace {

Bytes bin_table(const std::vector<std::uint32_t>& starts, std::uint32_t text_limit, std::uint32_t first_page) {
  Bytes b;
  for (std::uint32_t s : starts) put32(b, s);
  put32(b, text_limit);
  for (std::size_t i = 0; i < starts.size(); ++i) put16(b, first_page + static_cast<std::uint32_t>(i));
  return b;
}

}  // namespace

bool build_tables(const DocumentParts& p, std::uint32_t start, Bytes& tables, InformationBlock& fib) {
  const std::size_t notes = p.note_refs.size();
  if (p.note_marks.size() != notes) return false;
  tables.clear();
  fib.fill(0);
  std::uint8_t* f = fib.data();
  bool fits = true;
  std::uint32_t pos = start;
  // Appends a table and records its position (4 bytes) and length (2 bytes).
  auto table = [&](std::span<const std::uint8_t> bytes, int field) {
    if (bytes.size() > 0xFFFF) fits = false;
    if (field >= 0) {
      set32(f + field, pos);
      set16(f + field + 4, static_cast<std::uint32_t>(bytes.size()));
    }
    append(tables, bytes);
    pos += static_cast<std::uint32_t>(bytes.size());
  };
  auto empty_tables = [&](std::initializer_list<int> fields) {
    for (int field : fields) set32(f + field, pos);
  };

  // Style sheet, given twice.
  const std::span<const std::uint8_t> stsh = p.style_sheet.empty() ? fixed_style_sheet() : p.style_sheet;
  set32(f + 0x5E, pos);
  set16(f + 0x62, static_cast<std::uint32_t>(stsh.size()));
  table(stsh, 0x58);

  // Footnote reference and text tables, empty without notes.
  Bytes refs, texts;
  if (notes > 0) {
    for (std::uint32_t cp : p.note_refs) put32(refs, cp);
    put32(refs, p.footnote_end);
    for (std::size_t i = 0; i < notes; ++i) put16(refs, 1);
    for (std::uint32_t cp : p.note_marks) put32(texts, cp);
    put32(texts, p.footnote_length);
    put32(texts, p.footnote_length + 6);
  }
  table(refs, 0x64);
  table(texts, 0x6A);

  Bytes note_pages;
  put32(note_pages, 0);
  put32(note_pages, notes > 0 ? p.footnote_length + 6 : 0);
  append(note_pages, kNoteDescriptor);
  table(note_pages, 0x124);
  empty_tables({0x70, 0x76});

  const std::uint32_t all_text = p.text_limit - kTextStart;
  Bytes section;
  put32(section, 0);
  put32(section, all_text);
  put16(section, 0x0011);
  put32(section, p.text_limit);
  table(section, 0x7C);

  Bytes pages;
  put32(pages, 0);
  put32(pages, all_text);
  append(pages, kMainDescriptor);
  table(pages, 0x82);
  empty_tables({0x88, 0x8E, 0x94});

  Bytes headers;
  if (p.has_header || p.has_footer) {
    put32(headers, 0);
    put32(headers, p.header_text);
    put32(headers, p.header_text + p.footer_text);
    put32(headers, p.header_text + p.footer_text + 6);
  }
  table(headers, 0x9A);

  const Bytes char_bins = bin_table(p.char_pages, p.text_limit, p.first_char_page);
  const Bytes para_bins = bin_table(p.para_pages, p.text_limit, p.first_para_page);
  table(char_bins, 0xA0);
  table(para_bins, 0xA6);
  if (p.first_char_page + p.char_pages.size() > 0x10000 || p.first_para_page + p.para_pages.size() > 0x10000)
    fits = false;

  table(font_table(), 0xB2);
  empty_tables({0xB8, 0xBE, 0xC4, 0xCA, 0xD0, 0xD6, 0xDC, 0xE2});
  const std::uint8_t two_zeros[2] = {0, 0};
  table(two_zeros, 0xE8);
  empty_tables({0xEE, 0xF4, 0xFA, 0x100, 0x106});
  table(kSettings, 0x10C);
  table(kDocumentProperties, 0x112);
  empty_tables({0x118, 0x11E, 0x136});

  set16(f + 0x00, 0xA5DB);
  set16(f + 0x02, 45);
  set16(f + 0x04, 0x4031);
  set16(f + 0x06, 0x040C);
  set16(f + 0x0C, 45);
  set32(f + 0x18, kTextStart);
  set32(f + 0x1C, p.text_limit);
  set32(f + 0x20, pos);
  set32(f + 0x34, p.main_length);
  set32(f + 0x38, p.footnote_length);
  set32(f + 0x3C, p.header_length);
  set16(f + 0x13E, p.first_char_page);
  set16(f + 0x140, p.first_para_page);
  set16(f + 0x142, static_cast<std::uint32_t>(char_bins.size() / 6));
  set16(f + 0x144, static_cast<std::uint32_t>(para_bins.size() / 6));
  return fits && pos >= start;  // pos wraps only for offsets beyond 4 GB
}

}  // namespace lettrix::ww2
