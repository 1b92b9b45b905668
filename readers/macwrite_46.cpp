// MacWrite 4.5 to 5 documents (version 6), read from the data fork.
// Big-endian numbers; every offset counts from the start of the document.
//
//   offset  size  document header
//     1      1    version: 6 (3 is the MacWrite 2.2 layout, read by the 2.2 reader)
//     2      2    information entries of the main text
//     4      2    information entries of the header
//     6      2    information entries of the footer
//   160     24    footer descriptor
//   206     24    header descriptor
//   252     24    main text descriptor
//
//   descriptor: offset 12, 4 bytes: offset of the section's information array;
//               offset 16, 2 bytes: its size in bytes (16 per entry)
//
//   information entry (one per paragraph)
//     0      2    height, signed: > 0 text, 0 ruler, < 0 special (a picture)
//     2      2    position on its page
//     4      1    page the paragraph starts on (0 throughout when never laid
//                 out); a later page than the paragraph before it starts a
//                 new page
//     8      1    status of a text paragraph: bit 6 or bit 5 set, bits 0-1
//                 are its own alignment (0 left, 1 centred, 2 right, 3
//                 justified), else it has the ruler's; bit 3 set, its text is
//                 compressed
//     9      3    offset of the paragraph's data
//    12      2    size of the paragraph's data (a special entry of 22 bytes
//                 is a page break)
//
//   ruler data: 34 bytes, laid out as readers/macwrite_format.h describes
//   (margins, alignment, line spacing, first-line position, tab stops)
//
//   special entry data: a picture paragraph
//     0      8    frame on the page: top, left, bottom, right (points)
//     8           the Macintosh picture: 2 bytes size, 8 bytes frame, opcodes
//                 (0x1101: version 1; 0x0011 0x02FF: version 2)
//   A picture whose own frame reads "MAGICPIC" draws nothing: it only pushes
//   the text after it onto the next page, and becomes a page break.
//
//   text paragraph data
//     0      2    text length t (0 an empty entry, 1 a paragraph of its end only)
//     2           t bytes of text in the Macintosh character set, or t characters
//                 packed in nibbles; padding to an even offset
//            2    size f of the format list, then f / 6 formats of 6 bytes
//                 (readers/macwrite_format.h)
//
// Pictures go to the stream as Macintosh pictures in hexadecimal digits, each
// in a paragraph of its own. The header and the footer go to the stream as
// embedded texts ahead of the main text. Packed paragraphs are unpacked into
// memory; every structure is read through bounds-checked reads, and the
// characters, format bytes and picture bytes converted are counted against a
// budget proportional to the file size, so entries that all point at the same
// large paragraph or picture cannot multiply the work.
#include "readers/macwrite_46.h"

#include <algorithm>

#include "core/byte_helpers.h"
#include "core/charset.h"
#include "core/emitter.h"
#include "core/handler.h"
#include "core/stream_codes.h"
#include "readers/macwrite_common.h"
#include "readers/macwrite_format.h"
#include "support/byte_io.h"
#include "core/signature.h"

namespace lettrix {

namespace {

constexpr int kVersion46 = 6;
constexpr int kVersion22 = 3;
constexpr long kDocumentHeaderSize = 276;  // through the main text descriptor
constexpr long kFooterDescriptor = 160;
constexpr long kHeaderDescriptor = 206;
constexpr long kMainDescriptor = 252;
constexpr long kEntrySize = 16;
constexpr int kPageBreakMark = 22;
constexpr long kFreeListOffset = 18;  // 4 bytes: offset of the free list; 2 bytes: its size
// Status bits that give a text paragraph an alignment of its own: bit 6 in
// documents that set it for every paragraph, bit 5 in those that leave bit 6
// clear (a ruler's alignment then does not reach the paragraph).
constexpr std::uint8_t kOwnAlignment = 0x60;
constexpr char kNibbleAlphabet[] = " etnroaisdlhcfp";

// The state of one conversion.
struct Reader46 {
  MacWriteSource src;
  std::FILE* out = nullptr;
  CharState cs;
  ParaState ps;
  TabTable tabs;
  const ReaderTable* table = &kMacintoshTable;
  int default_alignment = 0;
  MacWritePages pages;
  MacFontNumberCache fonts;
  long budget = 0;  // characters and format bytes still to be converted
  std::vector<MacWriteFormat> formats;  // the formats of the paragraph being converted
  std::vector<std::uint8_t> unpacked;   // the text of a packed paragraph
};

// Writes text that no format starts inside: runs of printable characters in
// a font of the Macintosh character set in one piece, the rest byte by byte.
// Returns true after a paragraph end, which ends the paragraph's text.
bool write_text_bytes(Reader46& r, std::span<const std::uint8_t> text) {
  for (std::size_t at = 0; at < text.size();) {
    if (r.table == &kMacintoshTable) {
      const std::size_t run = plain_mac_run(text.subspan(at));
      if (run > 0) {
        write_plain_run(r.out, text.subspan(at, run));
        at += run;
        if (at == text.size()) break;
      }
    }
    const std::uint8_t c = text[at++];
    if (c == kParagraphEnd) {
      close_attributes(r.out, r.cs);
      put_byte(kParagraphEnd, r.out);
      return true;
    }
    if (c == kTab) {
      put_byte(kTab, r.out);
    } else {
      write_mac_char(r.out, *r.table, c);
    }
  }
  return false;
}

// One paragraph's text with its formats; ends after the first paragraph end.
void convert_text(Reader46& r, std::span<const std::uint8_t> text, std::span<const MacWriteFormat> formats) {
  MacWriteFormatCursor cursor{formats, r.fonts};
  for (std::size_t column = 0; column < text.size();) {
    cursor.at(static_cast<long>(column), r.out, r.cs, r.table);
    const std::size_t end = std::min(text.size(), cursor.next_start(static_cast<long>(column)));
    if (write_text_bytes(r, text.subspan(column, end - column))) return;
    column = end;
  }
}

void set_paragraph_alignment(Reader46& r, int source_alignment) {
  set_macwrite_alignment(r.out, r.ps, source_alignment);
}

void convert_text_entry(Reader46& r, std::uint8_t status, long data) {
  std::uint16_t length = 0;
  need_document(r.src, data + 2);
  if (!read_document_be16(r.src, data, length) || length == 0) return;
  start_content(r.out, r.pages);
  if (length == 1) {
    put_byte(kParagraphEnd, r.out);
    return;
  }
  const long text_start = data + 2;
  const bool packed = (status & 0x08) != 0;
  long after = text_start + length;
  if (packed) {
    // A character takes one nibble, or three when escaped.
    std::size_t used = 0;
    r.unpacked = unpack_macwrite_text(view_document(r.src, text_start, length + (length + 1) / 2), length, used);
    after = text_start + static_cast<long>(used);
    // Characters missing at the end of the file need at least a nibble each.
    need_document(r.src, after + static_cast<long>((length - r.unpacked.size() + 1) / 2));
    r.unpacked.push_back(kParagraphEnd);
  }
  if (after & 1) ++after;
  std::uint16_t format_size = 0;
  need_document(r.src, after + 2);
  if (read_document_be16(r.src, after, format_size)) need_document(r.src, after + 2 + format_size);
  read_macwrite_formats(r.src, after, r.formats);
  const std::vector<MacWriteFormat>& formats = r.formats;
  // Viewed after the formats are read: the view holds until the next read.
  const std::span<const std::uint8_t> text =
      packed ? std::span<const std::uint8_t>(r.unpacked) : view_document(r.src, text_start, length);

  const long cost = static_cast<long>(text.size() + formats.size() * kMacWriteFormatSize);
  if (cost > r.budget) {
    r.budget = 0;
    return;
  }
  r.budget -= cost;

  set_paragraph_alignment(r, (status & kOwnAlignment) ? (status & 0x03) : r.default_alignment);
  convert_text(r, text, formats);
}

void convert_ruler(Reader46& r, long data) {
  need_document(r.src, data + kMacWriteRulerSize);
  const std::span<const std::uint8_t> ruler = view_document(r.src, data, kMacWriteRulerSize);
  if (static_cast<long>(ruler.size()) != kMacWriteRulerSize) return;
  r.default_alignment = install_macwrite_ruler(r.out, r.ps, r.tabs, ruler);
}

// A special entry: a picture in a paragraph of its own, in the ruler's
// alignment, or a page break. `page` is the page it stands on in the main
// text, -1 elsewhere.
void convert_special(Reader46& r, long data, std::uint16_t size, int page) {
  if (size == kPageBreakMark) {
    if (page >= 0) r.pages.page = page;
    add_page_break(r.pages);
    return;
  }
  // Data that the document does not hold is no picture.
  need_document(r.src, data + size);
  if (data < 0 || size > r.src.size - data) return;
  const long cost = 2L * size;
  if (cost > r.budget) {
    r.budget = 0;
    return;
  }
  r.budget -= cost;
  const std::vector<std::uint8_t> bytes = read_document(r.src, data, size);
  if (bytes.size() != size) return;
  switch (classify_mac_picture(bytes)) {
    case MacPictureKind::PageBreak:
      if (page >= 0) r.pages.page = page;
      add_page_break(r.pages);
      break;
    case MacPictureKind::Picture:
      if (page >= 0) follow_page(r.pages, page);
      start_content(r.out, r.pages);
      set_paragraph_alignment(r, r.default_alignment);
      write_mac_picture(r.out, bytes);
      put_byte(kParagraphEnd, r.out);
      break;
    case MacPictureKind::None: break;
  }
}

void convert_section(Reader46& r, long descriptor, bool paged = false) {
  std::uint32_t offset = 0;
  std::uint16_t array_size = 0;
  // The descriptors lie in the document header, which the document holds.
  if (!r.src.view->be32(static_cast<std::uint64_t>(descriptor + 12), offset) ||
      !r.src.view->be16(static_cast<std::uint64_t>(descriptor + 16), array_size))
    return;
  const long array_offset = static_cast<long>(std::min<std::uint32_t>(offset, 0x7FFFFFFF));
  need_document(r.src, array_offset + array_size);
  const std::vector<std::uint8_t> entries = read_document(r.src, array_offset, array_size);
  for (std::size_t at = 0; at + kEntrySize <= entries.size(); at += kEntrySize) {
    const std::span<const std::uint8_t> entry(entries.data() + at, kEntrySize);
    const auto height = be16s_at(entry.data());
    const long data = (long{entry[9]} << 16) | (long{entry[10]} << 8) | entry[11];
    if (height < 0) {
      convert_special(r, data, be16_at(entry.data() + 12), paged ? entry[4] : -1);
    } else if (height == 0) {
      convert_ruler(r, data);
    } else if (r.budget > 0) {
      if (paged) follow_page(r.pages, entry[4]);
      convert_text_entry(r, entry[8], data);
    }
  }
}

constexpr char kShownName[] = "MacWrite 4.6";

int convert(MacWriteSource& src, std::FILE* out, bool handed_over) {
  Reader46 r;
  r.src = src;
  r.out = out;
  // The version is the second byte: a first byte other than 0 is let pass
  // (the signature test wants the word 6).
  const std::span<const std::uint8_t> version = view_document(r.src, 0, 2);
  if (version.size() == 2 && version[1] == kVersion22 && !handed_over) return macw22_handed_over(src, out);
  if (version.size() < 2 || version[1] != kVersion46) {
    std::string why;
    signature_macwrite_46(signature_view(r.src), &why);
    return refuse_macwrite(kShownName, why);
  }
  if (r.src.size < kDocumentHeaderSize) {
    return refuse_macwrite(kShownName, cut_short_reason("document header", static_cast<std::uint64_t>(r.src.size),
                                                        static_cast<std::uint64_t>(kDocumentHeaderSize)));
  }

  r.budget = 4 * r.src.size + 4096;
  // The free list is the last structure of the file.
  std::uint32_t free_list = 0;
  std::uint16_t free_size = 0;
  if (r.src.view->be32(kFreeListOffset, free_list) && r.src.view->be16(kFreeListOffset + 4, free_size))
    need_document(r.src, static_cast<long>(std::min<std::uint32_t>(free_list, 0x7FFFFFFF)) + free_size);
  write_plain_code(r.out, HeaderAll);
  // A page break means nothing in a header or footer: one that waits at its
  // end is dropped.
  convert_section(r, kHeaderDescriptor);
  r.pages = MacWritePages{};
  write_code(r.out, EndOfText);
  write_plain_code(r.out, FooterAll);
  convert_section(r, kFooterDescriptor);
  r.pages = MacWritePages{};
  write_code(r.out, EndOfText);
  convert_section(r, kMainDescriptor, true);
  Damage damage;
  check_document_size(r.src, true, damage);
  return reader_result(r.out, damage);
}

}  // namespace

std::vector<std::uint8_t> unpack_macwrite_text(std::span<const std::uint8_t> packed, std::size_t count,
                                               std::size_t& consumed) {
  std::vector<std::uint8_t> text;
  text.reserve(count);
  std::size_t pos = 0;
  auto from_nibble = [](int nibble) { return static_cast<std::uint8_t>(kNibbleAlphabet[nibble]); };
  while (text.size() < count) {
    if (pos >= packed.size()) break;
    std::uint8_t current = packed[pos++];
    if ((current >> 4) < 15) {
      text.push_back(from_nibble(current >> 4));
    } else {
      if (pos >= packed.size()) break;
      const std::uint8_t next = packed[pos++];
      text.push_back(static_cast<std::uint8_t>(((current & 0x0F) << 4) | (next >> 4)));
      current = next;
    }
    if (text.size() == count) break;
    if ((current & 0x0F) < 15) {
      text.push_back(from_nibble(current & 0x0F));
    } else {
      if (pos >= packed.size()) break;
      text.push_back(packed[pos++]);
    }
  }
  consumed = pos;
  return text;
}

int orig_macw46(const char* source_path, const char* stream_path) {
  return run_macwrite_reader(source_path, stream_path, kShownName, convert);
}

int macw46_handed_over(MacWriteSource& src, std::FILE* out) { return convert(src, out, true); }

// MacWrite 4.x: the version word 6 and room for the three text descriptors.
Confidence signature_macwrite_46(const DataForkView& f, std::string* why) {
  const Confidence c = macwrite_version_test(f, 6, "MacWrite 4.x", why);
  if (c != Confidence::Likely) return c;
  constexpr std::uint64_t kDescriptorsEnd = 276;
  return f.size >= kDescriptorsEnd ? Confidence::Likely : Confidence::Possible;
}

}  // namespace lettrix
