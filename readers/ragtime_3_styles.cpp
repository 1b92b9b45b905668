#include "readers/ragtime_3_styles.h"

#include <algorithm>
#include <cstring>

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
    const std::size_t start = tag - back;
    const std::size_t length = be16(doc, start);
    if (length < 2 + (k + 1) * kEntrySize || (length - 2) % kEntrySize != 0 || !fits(doc, start, length)) continue;
    if (be32(doc, start + 2) != length) continue;
    index = {start, length};
    return true;
  }
  return false;
}

// The records of the zone the index names by this tag, when its header and
// records lie whole inside the zone and the file.
bool zone_records(Bytes doc, const Index& index, const char* tag, std::size_t min_record, Bytes& records,
                  std::size_t& record_size) {
  for (std::size_t e = index.start + 2; e + kEntrySize <= index.start + index.length; e += kEntrySize) {
    if (std::memcmp(&doc[e + 4], tag, 4) != 0) continue;
    const std::size_t zone = index.start + be32(doc, e);
    if (!fits(doc, zone, 10)) return false;
    const std::size_t zone_end = zone + 4 + std::min<std::size_t>(be32(doc, zone), doc.size() - zone - 4);
    const std::size_t header = be16(doc, zone + 4);
    record_size = be16(doc, zone + 6);
    const std::size_t count = be16(doc, zone + 8);
    if (header < 6 || record_size < min_record) return false;
    const std::size_t first = zone + 4 + header;
    if (first > zone_end || count > (zone_end - first) / record_size) return false;
    records = doc.subspan(first, count * record_size);
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
    for (std::size_t at = 0; at < style_records.size(); at += style_size) {
      TextStyle s;
      const std::size_t font = be16(style_records, at + 4);
      if (font >= 1 && font <= fonts) s.font_number = be16(font_records, (font - 1) * font_size + 6);
      s.points = be16(style_records, at + 6);
      s.style = be16(style_records, at + 10);
      styles.push_back(s);
    }
    return styles;
  }
  return styles;
}

}  // namespace lettrix::ragtime
