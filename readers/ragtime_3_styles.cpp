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
bool index_around(Bytes doc, std::size_t tag, Index& index) {
  for (std::size_t k = 0; k < kMaxEntriesBefore; ++k) {
    const std::size_t back = 6 + k * kEntrySize;
    if (tag < back) return false;
    ByteReader r(doc);
    r.seek(tag - back);
    const std::size_t length = r.be16();
    const std::size_t first_offset = r.be32();
    if (!r.ok() || length < 2 + (k + 1) * kEntrySize || (length - 2) % kEntrySize != 0) continue;
    if (length > doc.size() - (tag - back) || first_offset != length) continue;
    index = {tag - back, length};
    return true;
  }
  return false;
}

// The records of the zone the index names by this tag, when its header and
// records lie whole inside the zone and the file.
bool zone_records(Bytes doc, const Index& index, const char* tag, std::size_t min_record, Bytes& records,
                  std::size_t& record_size) {
  ByteReader entries(doc.subspan(index.start + 2, index.length - 2));
  while (entries.has(kEntrySize)) {
    const std::size_t offset = entries.be32();
    const Bytes entry_tag = entries.bytes(4);
    entries.skip(2);
    if (std::memcmp(entry_tag.data(), tag, 4) != 0) continue;
    ByteReader zone(doc);
    zone.seek(index.start + offset);
    const std::size_t length = zone.be32();
    const std::size_t header_start = zone.position();
    const std::size_t header = zone.be16();
    record_size = zone.be16();
    const std::size_t count = zone.be16();
    if (!zone.ok() || header < 6 || record_size < min_record) return false;
    // The records lie within the zone as its length gives it, and within the file.
    ByteReader body(doc.subspan(header_start, length < doc.size() - header_start ? length : doc.size() - header_start));
    body.seek(header);
    const std::size_t whole = body.remaining() / record_size;
    if (!body.ok() || count > whole) return false;
    records = body.bytes(count * record_size);
    return true;
  }
  return false;
}

}  // namespace

std::vector<TextStyle> read_text_styles(Bytes doc, std::size_t from) {
  std::vector<TextStyle> styles;
  if (from >= doc.size()) return styles;
  const auto tag_begin = kStyleTag, tag_end = kStyleTag + 4;
  int hits = 0;
  for (auto hit = std::search(doc.begin() + static_cast<std::ptrdiff_t>(from), doc.end(), tag_begin, tag_end);
       hit != doc.end() && hits < kMaxTagHits; hit = std::search(hit + 1, doc.end(), tag_begin, tag_end), ++hits) {
    Index index;
    if (!index_around(doc, static_cast<std::size_t>(hit - doc.begin()), index)) continue;
    Bytes style_records, font_records;
    std::size_t style_size = 0, font_size = 0;
    // The first index found is the document's: when its style list cannot
    // be read, the document has none.
    if (!zone_records(doc, index, kStyleTag, kStyleRecordMin, style_records, style_size)) return styles;
    if (!zone_records(doc, index, kFontTag, kFontRecordMin, font_records, font_size)) font_records = {};
    const std::size_t fonts = font_size ? font_records.size() / font_size : 0;
    ByteReader r(style_records);
    while (r.has(style_size)) {
      ByteReader record(r.bytes(style_size));
      TextStyle s;
      record.skip(4);
      const std::size_t font = record.be16();
      s.points = record.be16();
      record.skip(2);
      s.style = record.be16();
      if (font >= 1 && font <= fonts) {
        ByteReader font_record(font_records.subspan((font - 1) * font_size, font_size));
        font_record.skip(6);
        s.font_number = font_record.be16();
      }
      styles.push_back(s);
    }
    return styles;
  }
  return styles;
}

}  // namespace lettrix::ragtime
