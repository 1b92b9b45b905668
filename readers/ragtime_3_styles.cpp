#include "readers/ragtime_3_styles.h"

#include <algorithm>
#include <cstring>

#include "core/byte_helpers.h"

namespace lettrix::ragtime {

namespace {

constexpr std::size_t kEntrySize = 10;
constexpr std::size_t kMaxEntriesBefore = 64;  // entries looked at before the style list's own
constexpr char kFontTag[] = "FHfl";
constexpr char kStyleTag[] = "FHsl";
constexpr std::size_t kFontRecordMin = 8;
constexpr std::size_t kStyleRecordMin = 12;
constexpr int kMaxTagHits = 256;  // tags looked at before giving up

struct Index {
  std::size_t start = 0;
  std::size_t length = 0;
};

// The index whose entry holds the tag at `tag`, if the bytes before it read
// as one.
bool index_around(SourceView& doc, std::size_t tag, Index& index) {
  for (std::size_t k = 0; k < kMaxEntriesBefore; ++k) {
    const std::size_t back = 6 + k * kEntrySize;
    if (tag < back) return false;
    ByteReader head(doc.span(tag - back, 6));
    const std::size_t length = head.be16();
    const std::size_t first_offset = head.be32();
    if (!head.ok()) continue;
    if (length < 2 + (k + 1) * kEntrySize || (length - 2) % kEntrySize != 0) continue;
    if (length > doc.size() - (tag - back) || first_offset != length) continue;
    index = {tag - back, length};
    return true;
  }
  return false;
}

// Where the records of a zone lie in the document.
struct Records {
  std::size_t at = 0;
  std::size_t count = 0;
  std::size_t size = 0;
  std::size_t record(std::size_t i) const { return at + i * size; }
};

// The records of the zone the index names by this tag, when its header and
// records lie whole inside the zone and the file.
bool zone_records(SourceView& doc, const Index& index, const char* tag, std::size_t min_record, Records& records) {
  for (std::size_t entry = index.start + 2; index.start + index.length - entry >= kEntrySize; entry += kEntrySize) {
    ByteReader e(doc.span(entry, kEntrySize));
    const std::size_t offset = e.be32();
    const Bytes entry_tag = e.bytes(4);
    if (!e.ok()) return false;
    if (std::memcmp(entry_tag.data(), tag, 4) != 0) continue;
    // The zone's length, then its header: its own size, the record size and count.
    const std::size_t zone_at = index.start + offset;
    ByteReader z(doc.span(zone_at, 10));
    const std::size_t length = z.be32();
    const std::size_t header_start = zone_at + 4;
    const std::size_t header = z.be16();
    records.size = z.be16();
    const std::size_t count = z.be16();
    if (!z.ok() || header < 6 || records.size < min_record) return false;
    // The records lie within the zone as its length gives it, and within the file.
    const std::size_t body = length < doc.size() - header_start ? length : doc.size() - header_start;
    if (header > body) return false;
    if (count > (body - header) / records.size) return false;
    records.at = header_start + header;
    records.count = count;
    return true;
  }
  return false;
}

}  // namespace

std::vector<TextStyle> read_text_styles(SourceView& doc, std::size_t from) {
  std::vector<TextStyle> styles;
  if (from >= doc.size()) return styles;
  const auto* tag = reinterpret_cast<const std::uint8_t*>(kStyleTag);
  int hits = 0;
  for (std::size_t hit = doc.find(from, {tag, 4}); hit != doc.size() && hits < kMaxTagHits;
       hit = doc.find(hit + 1, {tag, 4}), ++hits) {
    Index index;
    if (!index_around(doc, hit, index)) continue;
    Records style_records, font_records;
    // The first index found is the document's: when its style list cannot
    // be read, the document has none.
    if (!zone_records(doc, index, kStyleTag, kStyleRecordMin, style_records)) return styles;
    if (!zone_records(doc, index, kFontTag, kFontRecordMin, font_records)) font_records = {};
    const std::size_t fonts = font_records.count;
    styles.reserve(style_records.count);
    for (std::size_t i = 0; i < style_records.count; ++i) {
      ByteReader record(doc.span(style_records.record(i), kStyleRecordMin));
      record.skip(4);
      const std::size_t font = record.be16();
      TextStyle s;
      s.points = record.be16();
      record.skip(2);
      s.style = record.be16();
      if (!record.ok()) break;
      std::uint16_t number = 0;
      if (font >= 1 && font <= fonts && doc.be16(font_records.record(font - 1) + 6, number)) s.font_number = number;
      styles.push_back(s);
    }
    return styles;
  }
  return styles;
}

}  // namespace lettrix::ragtime
