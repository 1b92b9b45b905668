// Ragtime 3 documents, data fork. All numbers
// are big-endian.
//
//   offset  size  content
//   4       2     version: 0x155 to 0xFFF (RagTime 3.2 writes 0x264); a
//                 word from 0x1000 on is text or another program's signature
//   96      2     number of component entries
//   224     54 n  the component entries:
//                   +0 (2)  0x100 ends the list, 0 an unused entry
//                   +30 (4) file offset of the component's text data; 0 and
//                           0x4000 stand for none
//
// The first entry with a data offset fixes the lowest offset taken; later
// entries below it, and entries at or beyond the end of the file, are passed
// over.
//
// Text component, at its data offset:
//   header    5 bytes: +2 (2) text length + 1 (a); a below 2 or above 32766
//             stands for a component without text (one paragraph end)
//   text      a - 1 bytes
//   n (2)     a 0 word here is followed by the count one byte further on;
//             then n character runs of 10 bytes:
//               +0 (2) position (from 1) of the run's first character
//               +2 (2) style: a number in the document's style list
//                      (ragtime_3_styles.h); without a list the low byte
//                      says 2 italic, 3 underline and bold, 4 underline,
//                      5 bold, 6 subscript, 7 superscript
//               +6 (1) vertical position: 1 to 0x80 down, 0x81 to 0xFF up
//   m (2)     then m paragraph formats of 48 bytes: +6 alignment (0 left,
//             1 centred, 2 right, 3 justified)
//
// Text bytes: 0x00 the next paragraph format begins, 0x09 tab, 0x0B and 0x0D
// paragraph end, 0x1F soft hyphen, 0xCA non-breaking space; 0x01 stands for
// a field (page number, date, time) and has no character; the others are
// characters of the style's font.
#include "readers/ragtime_3.h"

#include <vector>

#include "core/byte_helpers.h"
#include "core/mac_font_names.h"
#include "core/stream_codes.h"
#include "core/style_bits.h"
#include "readers/ragtime_3_styles.h"
#include "readers/ragtime_2.h"
#include "readers/ragtime_common.h"
#include "readers/reader_entry.h"
#include "support/byte_io.h"

namespace lettrix {

namespace {

using ragtime::Bytes;
using ragtime::TextStyle;

constexpr std::size_t kVersionOffset = 4;
constexpr std::uint16_t kMinVersion = 0x155;
constexpr std::uint16_t kMaxVersion = 0xFFF;
constexpr std::size_t kEntryCountOffset = 96;
constexpr std::size_t kEntries = 224;
constexpr std::size_t kEntrySize = 54;
constexpr std::size_t kDataOffset = 30;
constexpr std::uint16_t kEndOfList = 0x100;
constexpr std::uint32_t kNoData = 0x4000;
constexpr std::size_t kComponentHeader = 5;
constexpr std::size_t kMaxTextLength = 32766;
constexpr std::size_t kRunSize = 10;
constexpr std::size_t kFormatSize = 48;

// A run's style, then its vertical position: a position that asks for an
// attribute the style has not on writes it after the style's own.
void apply_run(ragtime::Writer& w, Bytes run, void* context) {
  const auto& styles = *static_cast<const std::vector<TextStyle>*>(context);
  std::FILE* out = w.out;
  close_attributes(out, w.cs);
  ByteReader r(run);
  r.skip(2);  // the start position
  const std::size_t value = r.be16();
  r.skip(2);
  const std::uint8_t vertical = r.u8();
  // Without a style list the value's low byte is one of the fixed styles.
  const StyleTable& table = styles.empty() ? kRagtime3NumberedStyle : kRagtime3Style;
  CharFormat style;
  if (styles.empty()) {
    style = table.decode(static_cast<std::uint8_t>(value & 0xFF));
  } else if (value >= 1 && value <= styles.size()) {
    const TextStyle& s = styles[value - 1];
    if (s.points > 0 && s.points < 256) set_font_size(out, w.cs, s.points);
    if (s.font_number >= 0) w.table = &w.fonts.select(w.cs, s.font_number, out);
    style = table.decode(s.style);
  }
  change_attributes(out, w.cs, style, table.order);
  if (vertical != 0) change_attributes(out, w.cs, style | kRagtime3Position.decode(vertical), table.order);
}

struct Conversion {
  explicit Conversion(SourceView& source) : doc(source) {}

  SourceView& doc;
  ragtime::Source* source = nullptr;
  ragtime::Writer w;
  ragtime::Budget budget;
  std::vector<TextStyle> styles;
};

void convert_component(Conversion& cv, std::size_t offset) {
  SourceView& doc = cv.doc;
  ByteReader r(doc.span(offset, kComponentHeader));
  r.skip(2);
  const std::size_t a = r.be16();  // the text's length + 1
  r.skip(1);
  if (!r.ok()) {
    cv.source->cut_short(offset + kComponentHeader);
    return;
  }
  if (a < 2 || a > kMaxTextLength) {
    put_byte(kParagraphEnd, cv.w.out);
    return;
  }
  ragtime::TextComponent c;
  c.run_size = kRunSize;
  c.format_size = kFormatSize;
  const std::size_t at = ragtime::locate_text(doc, offset + kComponentHeader, a - 1, true, c);
  if (c.needed > doc.size()) cv.source->cut_short(c.needed);
  if (!cv.budget.take(at - offset)) return;
  const ragtime::TextRules rules{.hard_space_code = true, .hash_for_03 = false, .final_paragraph = false};
  ragtime::write_text(cv.w, doc, c, rules, apply_run, &cv.styles);
}

}  // namespace

bool is_ragtime3_document(std::span<const std::uint8_t> head, std::size_t size) {
  if (size < kEntries) return false;
  ByteReader r(head);
  r.seek(kVersionOffset);
  const std::uint16_t version = r.be16();
  r.seek(kEntryCountOffset);
  const std::size_t count = r.be16();
  // An entry count that the file cannot hold says the file is something else.
  return r.ok() && version >= kMinVersion && version <= kMaxVersion && count <= (size - kEntries) / kEntrySize;
}

int orig_ragtime3(const char* source_path, const char* stream_path) {
  ragtime::Source source;
  const ragtime::FormatTests tests{"Ragtime 3", signature_ragtime_3, is_ragtime3_document};
  if (const int result = ragtime::open_source(source_path, stream_path, tests, source)) return result;
  SourceView& doc = *source.doc;
  // Ragtime 2 writes version words 0x200 to 0x254, inside this reader's
  // range: a file that reads as Ragtime 2 is left to that reader (read here,
  // its entries would give an empty text).
  std::uint16_t version = 0;
  doc.be16(kVersionOffset, version);
  if (version >= 0x200 && version < 0x255 &&
      signature_ragtime_2(signature_view_of(source.file, doc), nullptr) != Confidence::None)
    return refuse_document(tests.shown_name, "version word " + hex_word(version) +
                                                 " at byte 4 is Ragtime 2's (0x0200 to 0x0254), and the file reads as "
                                                 "a Ragtime 2 document");

  Conversion cv(doc);
  cv.source = &source;
  cv.w.out = source.out.get();
  cv.budget.left = doc.size();
  std::uint16_t count = 0;
  doc.be16(kEntryCountOffset, count);
  cv.styles = ragtime::read_text_styles(doc, kEntries);

  std::uint32_t lowest = 0;
  bool have_lowest = false;
  for (std::size_t i = 0; i < count; ++i) {
    ByteReader entry(doc.span(kEntries + i * kEntrySize, kEntrySize));
    const std::uint16_t first = entry.be16();
    entry.seek(kDataOffset);
    const std::uint32_t offset = entry.be32();
    if (!entry.ok() || first == kEndOfList) break;
    if (first == 0 || offset == 0 || offset == kNoData) continue;
    if (!have_lowest) {
      lowest = offset;
      have_lowest = true;
    }
    if (offset >= lowest && offset >= doc.size()) source.cut_short(offset + kComponentHeader);
    if (offset >= lowest && offset < doc.size()) convert_component(cv, offset);
  }
  return ragtime::finish_stream(source);
}

// Ragtime 3: the version word 0x155 to 0xFFF, an entry count the file holds,
// and a component entry with text data: the first data offset of the entries
// (which fixes the lowest) lies after the entries and inside the file. A PNG
// or ZIP file has a word of that range at byte 4 too, but a data offset read
// from its chunks or names points anywhere.
Confidence signature_ragtime_3(const DataForkView& f, std::string* why) {
  const std::uint16_t version = word_at(f.head, kVersionOffset);
  if (f.head.size() < kEntries)
    return refuse(why, "shorter than the 224-byte header (" + std::to_string(f.head.size()) + " bytes)");
  if (version < kMinVersion || version > kMaxVersion)
    return refuse(why, "version word " + hex_word(version) + " at byte 4 is not 0x0155 to 0x0FFF");
  const std::uint16_t count = word_at(f.head, kEntryCountOffset);
  if (count > (f.size - kEntries) / kEntrySize)
    return refuse(why, "its entry count " + std::to_string(count) + " is more than the file holds");
  if (f.creator == "R#+A") return Confidence::Certain;
  const std::uint64_t entries_end = kEntries + std::uint64_t{count} * kEntrySize;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kEntries + i * kEntrySize;
    if (f.head.size() < at + kEntrySize) return f.type.empty() ? Confidence::Likely : Confidence::Possible;
    const std::uint16_t first = word_at(f.head, at);
    if (first == kEndOfList) break;
    ByteReader r(f.head.subspan(at + kDataOffset, 4));
    const std::uint32_t offset = r.be32();
    if (first == 0 || offset == 0 || offset == kNoData) continue;
    if (offset < entries_end || offset > f.size || f.size - offset < kComponentHeader)
      return refuse(why, "the data of its first component entry (at " + std::to_string(offset) +
                             ") lies outside the file or among the entries");
    return f.type.empty() ? Confidence::Likely : Confidence::Possible;
  }
  return refuse(why, "none of its " + std::to_string(count) + " component entries points at data");
}

}  // namespace lettrix
