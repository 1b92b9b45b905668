// MacWrite 4.5 to 5 documents (version 6). Big-endian numbers; every offset
// counts from the start of the document, which is the start of the file or,
// when a MacBinary header with type "WORD" and creator "MACA" precedes it,
// byte 128.
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
//     8      1    status of a text paragraph: bit 6 set, bits 0-1 are its own
//                 alignment; bit 3 set, its text is compressed
//     9      3    offset of the paragraph's data
//    12      2    size of the paragraph's data (a special entry of 22 bytes
//                 is a page break)
//
//   ruler data (34 bytes)
//     0      2    left margin, points          4  1  alignment 0 left, 1 centred,
//     2      2    right margin (not used)                      2 right, 3 justified
//     5      1    number of tab stops          6  2  line spacing s
//     8      2    first-line position, points, from the same edge as the left
//                 margin (left of it: a hanging indent)
//    10      2 each  tab stop positions in points from that edge; top bit set:
//                 a decimal stop
//   In the stream the left margin is the first-line position and the hanging
//   indent the distance to the left margin, both in tenths of an inch.
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
//            2    size f of the format list, then f / 6 formats:
//                   0  2  position in the text at which the format starts
//                   2  1  point size (signed)
//                   3  1  style: bit 0 bold, 1 italic, 2 underline, 3 outline,
//                         4 shadow, 5 superscript, 6 subscript; top bit: end mark
//                   4  2  Macintosh font number; 0: end mark
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
#include "core/mac_fonts.h"
#include "core/stream_codes.h"
#include "readers/macwrite_common.h"
#include "support/file_handle.h"
#include "support/byte_io.h"

namespace lettrix {

namespace {

constexpr int kVersion46 = 6;
constexpr int kVersion22 = 3;
constexpr long kDocumentHeaderSize = 276;  // through the main text descriptor
constexpr long kFooterDescriptor = 160;
constexpr long kHeaderDescriptor = 206;
constexpr long kMainDescriptor = 252;
constexpr long kEntrySize = 16;
constexpr long kRulerSize = 34;
constexpr int kRulerStopsHeld = (kRulerSize - 10) / 2;
constexpr long kFormatSize = 6;
constexpr int kPageBreakMark = 22;
constexpr char kNibbleAlphabet[] = " etnroaisdlhcfp";

struct Format {
  std::uint16_t position = 0;
  std::int8_t size = 0;
  std::uint8_t style = 0;
  std::uint16_t font = 0;
};

bool ends_list(const Format& f) { return (f.style & 0x80) != 0 || f.font == 0; }

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
  long budget = 0;  // characters and format bytes still to be converted
};

// A ruler position in points as a stream column: a tenth of an inch, 7.2
// points, whatever the type size; rounded to the nearest column.
long points_to_columns(long points) {
  const long tenths = (points < 0 ? -points : points) * 10;
  const long columns = (tenths + 36) / 72;
  return points < 0 ? -columns : columns;
}

void apply_format(Reader46& r, const Format& f) {
  // Sizes below 1 point carry no size; they would be written as huge ones.
  if (f.size > 0) set_font_size(r.out, r.cs, f.size);
  r.table = &select_mac_font(r.cs, f.font, r.out);
  if (f.style == 0) {
    close_attributes(r.out, r.cs);
    return;
  }
  using On = void (*)(std::FILE*, CharState&, int);
  using Off = void (*)(std::FILE*, CharState&);
  static constexpr struct {
    On on;
    Off off;
  } kStyleBits[] = {{bold_on, bold_off},       {italic_on, italic_off},           {underline_on, underline_off},
                    {outline_on, outline_off}, {shadow_on, shadow_off},           {superscript_on, superscript_off},
                    {subscript_on, subscript_off}};
  for (int bit = 0; bit < 7; ++bit) {
    if (f.style & (1 << bit)) {
      kStyleBits[bit].on(r.out, r.cs, 1);
    } else {
      kStyleBits[bit].off(r.out, r.cs);
    }
  }
}

// One paragraph's text with its formats; ends after the first paragraph end.
void convert_text(Reader46& r, std::span<const std::uint8_t> text, std::span<const Format> formats) {
  std::size_t current = 0;
  long column = 0;
  for (std::uint8_t c : text) {
    if (current < formats.size() && formats[current].position == column) {
      apply_format(r, formats[current]);
      // At the end of the list the last format stays; it cannot match again.
      if (current + 1 < formats.size() && !ends_list(formats[current + 1])) ++current;
    }
    if (c == kParagraphEnd) {
      close_attributes(r.out, r.cs);
      put_byte(kParagraphEnd, r.out);
      return;
    }
    if (c == kTab) {
      put_byte(kTab, r.out);
    } else {
      write_mac_char(r.out, *r.table, c);
    }
    ++column;
  }
}

std::vector<Format> read_formats(const Reader46& r, long offset) {
  std::vector<Format> formats;
  std::uint16_t size = 0;
  if (!read_document_be16(r.src, offset, size)) return formats;
  const std::vector<std::uint8_t> bytes = read_document(r.src, offset + 2, size);
  for (std::size_t at = 0; at + kFormatSize <= bytes.size(); at += kFormatSize) {
    Format f;
    f.position = be16_at(bytes.data() + at);
    f.size = static_cast<std::int8_t>(bytes[at + 2]);
    f.style = bytes[at + 3];
    f.font = be16_at(bytes.data() + at + 4);
    formats.push_back(f);
  }
  return formats;
}

void set_paragraph_alignment(Reader46& r, int source_alignment) {
  switch (source_alignment) {
    case 0: set_alignment(r.out, r.ps, AlignLeft); break;
    case 1: set_alignment(r.out, r.ps, AlignCentre); break;
    case 2: set_alignment(r.out, r.ps, AlignRight); break;
    case 3: set_alignment(r.out, r.ps, AlignJustify); break;
    default: break;
  }
}

void convert_text_entry(Reader46& r, std::uint8_t status, long data) {
  std::uint16_t length = 0;
  if (!read_document_be16(r.src, data, length) || length == 0) return;
  r.pages.at_page_start = false;
  if (length == 1) {
    put_byte(kParagraphEnd, r.out);
    return;
  }
  const long text_start = data + 2;
  std::vector<std::uint8_t> text;
  long after;
  if (status & 0x08) {
    // A character takes one nibble, or three when escaped.
    const std::vector<std::uint8_t> packed = read_document(r.src, text_start, length + (length + 1) / 2);
    std::size_t used = 0;
    text = unpack_macwrite_text(packed, length, used);
    text.push_back(kParagraphEnd);
    after = text_start + static_cast<long>(used);
  } else {
    text = read_document(r.src, text_start, length);
    after = text_start + length;
  }
  if (after & 1) ++after;
  const std::vector<Format> formats = read_formats(r, after);

  const long cost = static_cast<long>(text.size() + formats.size() * kFormatSize);
  if (cost > r.budget) {
    r.budget = 0;
    return;
  }
  r.budget -= cost;

  set_paragraph_alignment(r, (status & 0x40) ? (status & 0x03) : r.default_alignment);
  convert_text(r, text, formats);
}

// The ruler's margins as the stream's left margin and hanging indent: the
// paragraph starts at the first-line position and its other lines align at
// the left margin. A first line that starts right of the left margin cannot
// be said with a hanging indent; such paragraphs keep the left margin alone.
void install_margins(Reader46& r, long left_points, long first_points) {
  const long left = std::clamp(points_to_columns(left_points), 0L, 255L);
  const long first = std::clamp(points_to_columns(std::min(first_points, left_points)), 0L, left);
  if (first != r.ps.left_margin) set_left_margin(r.out, r.ps, static_cast<int>(first));
  const long hanging = left - first;
  if (hanging == r.ps.hanging_indent) return;
  if (hanging == 0) {
    indent_reset(r.out, r.ps);
  } else {
    set_indent_here(r.out, r.ps, static_cast<int>(hanging));
  }
}

void convert_ruler(Reader46& r, long data) {
  const std::vector<std::uint8_t> ruler = read_document(r.src, data, kRulerSize);
  if (static_cast<long>(ruler.size()) != kRulerSize) return;
  const long left_points = be16s_at(ruler.data());
  install_margins(r, left_points, be16s_at(ruler.data() + 8));
  r.default_alignment = ruler[4];
  const long spacing = be16s_at(ruler.data() + 6);
  set_line_spacing(r.out, r.ps, static_cast<int>((spacing / 2 + 1) * 8));

  std::vector<TabStop> stops;
  const int count = std::min<int>(ruler[5], kRulerStopsHeld);
  for (int k = 0; k < count; ++k) {
    const std::uint16_t position = be16_at(ruler.data() + 10 + 2 * static_cast<std::size_t>(k));
    // A stop with the top bit set is a decimal stop; its position is in the
    // low 15 bits. Stops count from the paragraph's left margin in the
    // stream, its first-line position.
    const long column = points_to_columns(position & 0x7FFF) - r.ps.left_margin;
    if (column < 1 || column >= TabTable::kColumns) continue;
    stops.push_back({static_cast<int>(column), (position & 0x8000) ? TabDecimal : TabLeft});
  }
  install_ruler(r.out, r.tabs, stops);
}

// A special entry: a picture in a paragraph of its own, in the ruler's
// alignment, or a page break. `page` is the page it stands on in the main
// text, -1 elsewhere.
void convert_special(Reader46& r, long data, std::uint16_t size, int page) {
  if (size == kPageBreakMark) {
    if (page >= 0) r.pages.page = page;
    write_page_break(r.out, r.pages);
    return;
  }
  // Data that the document does not hold is no picture.
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
      write_page_break(r.out, r.pages);
      break;
    case MacPictureKind::Picture:
      if (page >= 0) follow_page(r.out, r.pages, page);
      set_paragraph_alignment(r, r.default_alignment);
      write_mac_picture(r.out, bytes);
      put_byte(kParagraphEnd, r.out);
      r.pages.at_page_start = false;
      break;
    case MacPictureKind::None: break;
  }
}

void convert_section(Reader46& r, std::span<const std::uint8_t> header, long descriptor, bool paged = false) {
  const long array_offset = static_cast<long>(std::min<std::uint32_t>(be32_at(header.data() + descriptor + 12), 0x7FFFFFFF));
  const long array_size = be16_at(header.data() + descriptor + 16);
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
      if (paged) follow_page(r.out, r.pages, entry[4]);
      convert_text_entry(r, entry[8], data);
    }
  }
}

int convert(const char* source_path, const char* stream_path, bool handed_over, long known_base) {
  FilePtr in = open_file(source_path, "rb");
  FilePtr out = open_file(stream_path, "w+b");
  if (!in || !out) return -1;
  Reader46 r;
  if (init_stream_state(in.get(), r.cs, r.ps, &r.tabs) != 0) return -2;

  const long base = handed_over ? known_base : macwrite_base(in.get());
  r.src = macwrite_source(in.get(), base);
  r.out = out.get();
  const std::vector<std::uint8_t> header = read_document(r.src, 0, kDocumentHeaderSize);
  if (header.size() < 2) return -1;
  if (header[1] == kVersion22 && !handed_over) {
    in.reset();
    out.reset();
    return macw22_handed_over(source_path, stream_path, base);
  }
  if (header[1] != kVersion46 || static_cast<long>(header.size()) < kDocumentHeaderSize) return -1;

  r.budget = 4 * r.src.size + 4096;
  write_plain_code(r.out, HeaderAll);
  convert_section(r, header, kHeaderDescriptor);
  write_code(r.out, EndOfText);
  write_plain_code(r.out, FooterAll);
  convert_section(r, header, kFooterDescriptor);
  write_code(r.out, EndOfText);
  convert_section(r, header, kMainDescriptor, true);
  return std::ferror(r.out) ? -1 : 0;
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
  return convert(source_path, stream_path, false, 0);
}

int macw46_handed_over(const char* source_path, const char* stream_path, long base) {
  return convert(source_path, stream_path, true, base);
}

}  // namespace lettrix
