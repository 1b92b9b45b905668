// MacWrite 2.2 documents (version 3), read from the data fork. Big-endian
// numbers; every offset counts from the start of the document.
//
//   offset  size  document header
//    0       2    version: 3 (6 is the MacWrite 4.x layout, read by the 4.6 reader)
//    2       2    offset of the first paragraph of the main text
//    4       2    number of paragraphs of the main text
//    6       2    number of paragraphs of the header
//    8       2    number of paragraphs of the footer
//
// The paragraphs of the main text follow each other from that offset; the
// header's paragraphs follow the main text's, the footer's the header's.
//
//   offset  size  paragraph
//    0       2    kind: 0 a ruler, anything else a text paragraph
//    2       2    not used
//   ruler:   4    34 bytes of ruler data, laid out as readers/macwrite_format.h
//                 describes (38 bytes in all)
//   text:    4    2  text length t, then t bytes of text in the Macintosh
//                 character set (0x0D ends the paragraph), padding to an even
//                 offset; a 2-byte size and that many bytes of formats (6 bytes
//                 each, readers/macwrite_format.h); a 2-byte size and that many
//                 bytes (the line heights) rounded up to an even count
//
// Just before the first paragraph of the main text stands one 8-byte record
// per paragraph (main text, header, footer, in this order):
//
//    0       2    height       2  2  position on its page
//    4       1    page the paragraph starts on; a later page than the
//                 paragraph before it starts a new page
//    5       3    not used
//
// The header and the footer go to the stream as embedded texts ahead of the
// main text, when the document has them. Every paragraph moves the walk
// forward, so the work stays proportional to the document.
#include "readers/macwrite_22.h"

#include <algorithm>

#include "core/byte_helpers.h"
#include "core/charset.h"
#include "core/emitter.h"
#include "core/stream_codes.h"
#include "readers/macwrite_common.h"
#include "readers/macwrite_format.h"
#include "support/byte_io.h"
#include "core/signature.h"

namespace lettrix {

namespace {

constexpr std::uint16_t kVersion46 = 6;
constexpr long kParagraphHeaderSize = 6;
constexpr long kRulerDataOffset = 4;
constexpr long kPageRecordSize = 8;
constexpr long kDocumentHeaderSize = 10;

// The state of one conversion.
struct Reader22 {
  MacWriteSource src;
  std::FILE* out = nullptr;
  CharState cs;
  ParaState ps;
  TabTable tabs;
  const ReaderTable* table = &kMacintoshTable;
  int alignment = 0;
  MacWritePages pages;
  MacFontNumberCache fonts;
  std::vector<std::uint8_t> page_records;  // one per paragraph, when the document has them
  std::vector<MacWriteFormat> formats;     // the formats of the paragraph being converted
};

// Writes one byte of text: the structure bytes as they stand, printable
// ASCII in a font of the Macintosh character set plain, everything else
// through the character table of its font.
void write_text_byte(Reader22& r, std::uint8_t byte) {
  switch (byte) {
    case kTab:
    case kLineBreak:
    case kPageBreak:
      put_byte(byte, r.out);
      return;
    case kParagraphEnd:
      close_attributes(r.out, r.cs);
      put_byte(byte, r.out);
      return;
    default:
      if (byte >= 0x20 && byte < 0x7F && byte != kEscape && r.table == &kMacintoshTable) {
        put_byte(byte, r.out);
      } else {
        write_mac_char(r.out, *r.table, byte);
      }
  }
}

// Writes text that no format starts inside: runs of printable characters in
// a font of the Macintosh character set in one piece, the rest byte by byte.
void write_text_bytes(Reader22& r, std::span<const std::uint8_t> text) {
  for (std::size_t at = 0; at < text.size();) {
    if (r.table == &kMacintoshTable) {
      const std::size_t run = plain_mac_run(text.subspan(at));
      if (run > 0) {
        write_plain_run(r.out, text.subspan(at, run));
        at += run;
        if (at == text.size()) break;
      }
    }
    write_text_byte(r, text[at++]);
  }
}

// Walks `count` paragraphs from `pos`, converting them when `convert` is
// set; `first_record` is the index of the first one's page record (-1: none).
// Every step moves forward by at least the paragraph header. Returns where
// the next paragraph starts, -1 when the document ends first.
long walk_paragraphs(Reader22& r, long pos, long count, bool convert, long first_record) {
  for (long i = 0; i < count; ++i) {
    need_document(r.src, pos + kParagraphHeaderSize);
    const std::span<const std::uint8_t> head = view_document(r.src, pos, kParagraphHeaderSize);
    if (head.size() != kParagraphHeaderSize) return -1;
    const int kind = (head[0] << 8) | head[1];
    if (kind == 0) {
      need_document(r.src, pos + kRulerDataOffset + kMacWriteRulerSize);
      if (convert) {
        const std::span<const std::uint8_t> ruler = view_document(r.src, pos + kRulerDataOffset, kMacWriteRulerSize);
        if (static_cast<long>(ruler.size()) != kMacWriteRulerSize) return -1;
        r.alignment = install_macwrite_ruler(r.out, r.ps, r.tabs, ruler);
      }
      pos += kRulerDataOffset + kMacWriteRulerSize;
      continue;
    }
    const long length = (head[4] << 8) | head[5];
    pos += kParagraphHeaderSize;
    const long text_start = pos;
    pos += length;
    if (pos & 1) ++pos;
    std::uint16_t format_size = 0, block = 0;
    need_document(r.src, pos + 2);
    const bool whole = read_document_be16(r.src, pos, format_size) &&
                       read_document_be16(r.src, pos + 2 + format_size, block);
    need_document(r.src, pos + 2 + format_size + 2 + (whole ? block + (block & 1) : 0));
    if (convert) {
      const std::size_t record = static_cast<std::size_t>(first_record + i) * kPageRecordSize + 4;
      if (first_record >= 0 && record < r.page_records.size()) follow_page(r.pages, r.page_records[record]);
      r.formats.clear();
      if (whole) read_macwrite_formats(r.src, pos, r.formats);
      // Read after the formats: the view holds until the next read.
      const std::span<const std::uint8_t> text = view_document(r.src, text_start, length);
      if (!text.empty()) {
        start_content(r.out, r.pages);
        set_macwrite_alignment(r.out, r.ps, r.alignment);
      }
      MacWriteFormatCursor cursor{r.formats, r.fonts};
      for (std::size_t column = 0; column < text.size();) {
        cursor.at(static_cast<long>(column), r.out, r.cs, r.table);
        const std::size_t end = std::min(text.size(), cursor.next_start(static_cast<long>(column)));
        write_text_bytes(r, text.subspan(column, end - column));
        column = end;
      }
      if (static_cast<long>(text.size()) < length) return -1;  // the document ends inside the text
    }
    if (!whole) return -1;
    pos += 2 + format_size + 2 + block + (block & 1);
  }
  return pos;
}

// An embedded text (header or footer) of `count` paragraphs from `pos`.
void convert_running_head(Reader22& r, std::uint8_t code, long pos, long count, long first_record) {
  if (pos < 0 || count == 0) return;
  write_plain_code(r.out, code);
  walk_paragraphs(r, pos, count, true, first_record);
  close_attributes(r.out, r.cs);
  write_code(r.out, EndOfText);
}

constexpr char kShownName[] = "MacWrite 2.2";

int convert(MacWriteSource& src, std::FILE* out, bool handed_over) {
  std::uint16_t version = 0;
  if (read_document_be16(src, 0, version) && version == kVersion46 && !handed_over) return macw46_handed_over(src, out);
  std::string why;
  if (signature_macwrite_22(signature_view(src), &why) == Confidence::None) return refuse_macwrite(kShownName, why);

  Reader22 r;
  r.src = src;
  r.out = out;
  std::uint16_t first = 0, count = 0, header_count = 0, footer_count = 0;
  Damage damage;
  if (!read_document_be16(r.src, 2, first) || !read_document_be16(r.src, 4, count)) {
    need_document(r.src, 6);
    check_document_size(r.src, false, damage);
    return reader_result(r.out, damage);
  }
  if (!read_document_be16(r.src, 6, header_count) || !read_document_be16(r.src, 8, footer_count)) {
    header_count = footer_count = 0;
  }
  const long all = long{count} + header_count + footer_count;
  const long records = first - all * kPageRecordSize;
  if (records >= kDocumentHeaderSize) {
    need_document(r.src, first);
    r.page_records = read_document(r.src, records, all * kPageRecordSize);
  }

  const long header = (header_count || footer_count) ? walk_paragraphs(r, first, count, false, -1) : -1;
  const long footer = header >= 0 ? walk_paragraphs(r, header, header_count, false, -1) : -1;
  convert_running_head(r, HeaderAll, header, header_count, -1);
  convert_running_head(r, FooterAll, footer, footer_count, -1);
  walk_paragraphs(r, first, count, true, 0);
  check_document_size(r.src, false, damage);
  return reader_result(r.out, damage);
}

}  // namespace

int orig_macw22(const char* source_path, const char* stream_path) {
  return run_macwrite_reader(source_path, stream_path, kShownName, convert);
}

int macw22_handed_over(MacWriteSource& src, std::FILE* out) { return convert(src, out, true); }

// MacWrite 2.2: the version word 3, the first paragraph inside the file.
Confidence signature_macwrite_22(const DataForkView& f, std::string* why) {
  const Confidence c = macwrite_version_test(f, 3, "MacWrite 2.2", why);
  if (c != Confidence::Likely) return c;
  return f.head.size() >= 6 && word_at(f.head, 2) < f.size ? Confidence::Likely : Confidence::Possible;
}

}  // namespace lettrix
