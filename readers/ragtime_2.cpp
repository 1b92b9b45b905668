// Ragtime 2 documents, data fork. All numbers
// are big-endian.
//
//   offset  size  content
//   4       2     version: 0x02xx (a word from 0x255 on belongs to Ragtime 3)
//   130     2     number of the first page record (0: no pages)
//   256     40 n  record table: record n (counted from 1) at 256 + (n - 1) x 40
//
// Page record:       +4 (2) next page record, 0 ends the list
//                    +8 (2) the page's first component record, 0 none
// Component record:  +4 (2) next component record of the page, 0 ends the list
//                    +20 (4) kind: 00 00 64 01 for a text component
//                    +24 (4) file offset of the component's data
//
// Text component, at its data offset:
//   header    9 bytes: +0 0xFF for an empty component; +6 (2) text length + 1
//   text      the text bytes
//   n (2)     then n character runs of 10 bytes:
//               +0 (2) position (from 1) of the run's first character
//               +2 (1) point size; above 0x80 also subscript (0x80 more)
//               +3 (1) style: bit 0 bold, 1 italic, 2 underline, 3 outline,
//                      4 shadow; 0x80 and more also superscript (0x80 more)
//               +5 (1) Macintosh font number
//               +6 (4) vertical shift: positive down (subscript), negative
//                      up (superscript)
//   m (2)     then m paragraph formats of 34 bytes: +6 alignment (0 left,
//             1 centred, 2 right, 3 justified)
//
// Text bytes: 0x00 the next paragraph format begins, 0x03 page number, 0x09
// tab, 0x0B and 0x0D paragraph end, 0x1F soft hyphen; the others are
// characters of the run's font.
#include "readers/ragtime_2.h"

#include <vector>

#include "core/byte_helpers.h"
#include "core/mac_font_names.h"
#include "core/style_bits.h"
#include "readers/ragtime_common.h"
#include "support/byte_io.h"

namespace lettrix {

namespace {

using ragtime::Bytes;

constexpr std::size_t kVersionOffset = 4;
constexpr std::uint8_t kVersion = 2;
constexpr std::uint16_t kFirstRagtime3Word = 0x255;
constexpr std::size_t kFirstPageOffset = 130;
constexpr std::size_t kRecordTable = 256;
constexpr std::size_t kRecordSize = 40;
constexpr std::size_t kComponentHeader = 9;
constexpr std::uint8_t kEmptyMark = 0xFF;
constexpr std::size_t kRunSize = 10;
constexpr std::size_t kFormatSize = 34;
constexpr std::uint32_t kTextKind = 0x00006401;
constexpr int kSymbolFont = 23;

// The fields of a page or component record that the reader uses.
struct Record {
  std::uint16_t next = 0;    // +4: the next record of the list
  std::uint16_t first = 0;   // +8: a page's first component
  std::uint32_t kind = 0;    // +20: a component's kind
  std::uint32_t data = 0;    // +24: a component's data offset
};

struct Conversion {
  explicit Conversion(SourceView& source) : doc(source) {}

  SourceView& doc;
  ragtime::Source* source = nullptr;
  ragtime::Writer w;
  ragtime::Budget budget;
  std::vector<bool> visited;  // by record number

  std::size_t record_count() const {
    return doc.size() < kRecordTable ? 0 : (doc.size() - kRecordTable) / kRecordSize;
  }
  // Reads a record not visited before, which it marks. False when the number
  // lies outside the table or the record was met already (a list that loops
  // back).
  bool enter_record(std::size_t n, Record& record) {
    if (n > record_count()) source->cut_short(kRecordTable + n * kRecordSize);
    if (n == 0 || n > record_count() || visited[n]) return false;
    visited[n] = true;
    ByteReader r(doc.span(kRecordTable + (n - 1) * kRecordSize, kRecordSize));
    r.skip(4);
    record.next = r.be16();
    r.skip(2);
    record.first = r.be16();
    r.skip(10);
    record.kind = r.be32();
    record.data = r.be32();
    return r.ok();
  }
};

void apply_run(ragtime::Writer& w, Bytes run, void*) {
  std::FILE* out = w.out;
  ByteReader r(run);
  r.skip(2);  // the start position
  std::uint8_t size = r.u8();
  const std::uint8_t style = r.u8();
  r.skip(1);
  const int font = r.u8();
  const std::int32_t shift = r.be32s();
  const bool size_mark = size > 0x80;
  if (size_mark) size = static_cast<std::uint8_t>(size - 0x80);

  set_font_size(out, w.cs, size);
  if (w.cs.charset == 1 && font != kSymbolFont) set_charset(out, w.cs, 0);
  w.table = &w.fonts.select(w.cs, font, out);
  if (font == kSymbolFont) set_charset(out, w.cs, 1);

  // The style byte's superscript mark, the size byte's subscript mark and
  // the vertical shift add to the style's attributes.
  CharFormat want = kRagtime2Style.decode(style);
  if (size_mark || shift > 0) want = want | char_format(Attr::Subscript);
  if (shift < 0) want = want | char_format(Attr::Superscript);
  if ((style & 0x7F) == 0) close_attributes(out, w.cs);
  change_attributes(out, w.cs, want, kRagtime2Style.order);
}

// Locates a text component at a data offset. False when its header lies
// beyond the file or it is marked empty.
bool locate_component(SourceView& doc, std::size_t offset, ragtime::TextComponent& c) {
  ByteReader r(doc.span(offset, kComponentHeader));
  const std::uint8_t mark = r.u8();
  r.skip(5);
  const std::size_t length = r.be16();  // the text's length + 1
  r.skip(1);
  if (!r.ok() || mark == kEmptyMark) return false;
  const std::size_t declared = length > 0 ? length - 1 : 0;
  c.run_size = kRunSize;
  c.format_size = kFormatSize;
  const std::size_t at = ragtime::locate_text(doc, offset + kComponentHeader, declared, false, c);
  c.span = at - offset;
  return true;
}

void convert_component(Conversion& cv, std::size_t offset) {
  ragtime::TextComponent c;
  if (offset > cv.doc.size() || kComponentHeader > cv.doc.size() - offset)
    cv.source->cut_short(offset + kComponentHeader);
  if (!locate_component(cv.doc, offset, c)) return;
  if (c.needed > cv.doc.size()) cv.source->cut_short(c.needed);
  if (!cv.budget.take(c.span)) return;
  const ragtime::TextRules rules{.hard_space_code = false, .hash_for_03 = true, .final_paragraph = true};
  ragtime::write_text(cv.w, cv.doc, c, rules, apply_run, nullptr);
}

void convert_page(Conversion& cv, const Record& page) {
  Record component;
  for (std::size_t n = page.first; cv.enter_record(n, component); n = component.next)
    if (component.kind == kTextKind) convert_component(cv, component.data);
}

}  // namespace

bool is_ragtime2_document(std::span<const std::uint8_t> head, std::size_t) {
  ByteReader r(head);
  r.seek(kVersionOffset);
  const std::uint16_t version = r.be16();
  r.seek(kFirstPageOffset);
  r.be16();
  return r.ok() && version >> 8 == kVersion && version < kFirstRagtime3Word;
}

int orig_ragtime2(const char* source_path, const char* stream_path) {
  ragtime::Source source;
  const ragtime::FormatTests tests{"Ragtime 2", signature_ragtime_2, is_ragtime2_document};
  if (const int result = ragtime::open_source(source_path, stream_path, tests, source)) return result;
  SourceView& doc = *source.doc;

  Conversion cv(doc);
  cv.source = &source;
  cv.w.out = source.out.get();
  cv.budget.left = doc.size();
  cv.visited.assign(cv.record_count() + 1, false);
  std::uint16_t first_page = 0;
  doc.be16(kFirstPageOffset, first_page);
  Record page;
  for (std::size_t n = first_page; cv.enter_record(n, page); n = page.next) {
    convert_page(cv, page);
    put_byte(kPageBreak, cv.w.out);
  }
  return ragtime::finish_stream(source);
}

// Ragtime 2: the version word 0x200 to 0x254 (from 0x255 on it is Ragtime 3),
// a record table that holds a record, and a first page: its record, the next
// page's and its first component's inside the file, and that component's data
// too when it is text. A program of a 64-bit Linux machine has 0x0201 at byte
// 4 as well, but no page: its word at 130 lies in a program header, mostly 0.
Confidence signature_ragtime_2(const DataForkView& f, std::string* why) {
  const std::uint16_t version = word_at(f.head, kVersionOffset);
  if (f.head.size() < kFirstPageOffset + 2)
    return refuse(why, "shorter than the 132-byte header (" + std::to_string(f.head.size()) + " bytes)");
  if (version < 0x200 || version >= kFirstRagtime3Word)
    return refuse(why, "version word " + hex_word(version) + " at byte 4 is not 0x0200 to 0x0254");
  if (f.creator == "R#+A") return Confidence::Certain;
  if (f.size < kRecordTable + kRecordSize)
    return refuse(why, "too short for its record table (" + std::to_string(f.size) + " bytes, less than " +
                           std::to_string(kRecordTable + kRecordSize) + ")");
  auto record_fits = [&](std::uint64_t n) { return n == 0 || kRecordTable + n * kRecordSize <= f.size; };
  auto record_at = [](std::uint64_t n) { return static_cast<std::size_t>(kRecordTable + (n - 1) * kRecordSize); };
  const std::uint16_t page = word_at(f.head, kFirstPageOffset);
  if (page == 0) return refuse(why, "no first page record (the word at byte 130 is 0)");
  if (!record_fits(page))
    return refuse(why, "its first page record (" + std::to_string(page) + ") lies beyond the file");
  const std::size_t page_at = record_at(page);
  if (f.head.size() < page_at + kRecordSize) return f.type.empty() ? Confidence::Likely : Confidence::Possible;
  const std::uint16_t next = word_at(f.head, page_at + 4);
  if (!record_fits(next))
    return refuse(why, "the page record after its first (" + std::to_string(next) + ") lies beyond the file");
  const std::uint16_t component = word_at(f.head, page_at + 8);
  if (!record_fits(component))
    return refuse(why,
                  "the first component of its first page (" + std::to_string(component) + ") lies beyond the file");
  if (component != 0 && f.head.size() >= record_at(component) + kRecordSize) {
    ByteReader r(f.head.subspan(record_at(component) + 20, 8));
    const std::uint32_t kind = r.be32();
    const std::uint32_t data = r.be32();
    if (kind == kTextKind && (data < kRecordTable || data > f.size || f.size - data < kComponentHeader))
      return refuse(why, "the text of its first component (at " + std::to_string(data) + ") lies outside the file");
  }
  return f.type.empty() ? Confidence::Likely : Confidence::Possible;
}

}  // namespace lettrix
