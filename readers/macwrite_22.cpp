// MacWrite 2.2 documents (version 3). Big-endian numbers; every offset counts
// from the start of the document, which is the start of the file or, when a
// MacBinary header with type "WORD" and creator "MACA" precedes it, byte 128.
//
//   offset  size  document header
//    0       2    version: 3 (6 is the MacWrite 4.x layout, read by the 4.6 reader)
//    2       2    offset of the first paragraph of the main text
//    4       2    number of paragraphs
//
// The paragraphs follow each other from that offset:
//
//   offset  size  paragraph
//    0       2    kind: 0 a ruler, anything else a text paragraph
//    2       2    not used
//    4       2    text length t
//   ruler:        32 bytes of ruler data (skipped)
//   text:         t bytes of text in the Macintosh character set (0x0D ends
//                 the paragraph), padding to an even offset, a 2-byte size
//                 and that many bytes of formats, a 2-byte size and that
//                 many bytes rounded up to an even count (both skipped)
//
// Only the main text is read, as plain text.
#include "readers/macwrite_22.h"

#include "core/byte_helpers.h"
#include "core/charset.h"
#include "core/emitter.h"
#include "core/stream_codes.h"
#include "readers/macwrite_common.h"
#include "support/file_handle.h"
#include "support/byte_io.h"

namespace lettrix {

namespace {

constexpr std::uint16_t kVersion22 = 3;
constexpr std::uint16_t kVersion46 = 6;
constexpr long kParagraphHeaderSize = 6;
constexpr long kRulerSize = 32;

// Writes one byte of text: the structure bytes as they stand, printable
// ASCII plain, everything else through the Macintosh table.
void write_text_byte(std::FILE* out, std::uint8_t byte) {
  switch (byte) {
    case kTab:
    case kLineBreak:
    case kPageBreak:
    case kParagraphEnd:
      put_byte(byte, out);
      return;
    default:
      if (byte >= 0x20 && byte < 0x7F && byte != kEscape) {
        put_byte(byte, out);
      } else {
        write_mac_char(out, kMacintoshTable, byte);
      }
  }
}

// Walks the paragraphs of the main text. Every step moves forward by at
// least the paragraph header, and the walk ends where the document does.
void convert_paragraphs(const MacWriteSource& src, std::FILE* out, long first, long count) {
  long pos = first;
  for (long i = 0; i < count; ++i) {
    const std::vector<std::uint8_t> head = read_document(src, pos, kParagraphHeaderSize);
    if (head.size() != kParagraphHeaderSize) return;
    const int kind = (head[0] << 8) | head[1];
    const long length = (head[4] << 8) | head[5];
    pos += kParagraphHeaderSize;
    if (kind == 0) {
      pos += kRulerSize;
      continue;
    }
    const std::vector<std::uint8_t> text = read_document(src, pos, length);
    for (std::uint8_t byte : text) write_text_byte(out, byte);
    if (static_cast<long>(text.size()) < length) return;  // the document ends inside the text
    pos += length;
    if (pos & 1) ++pos;
    std::uint16_t formats = 0, block = 0;
    if (!read_document_be16(src, pos, formats)) return;
    pos += 2 + formats;
    if (!read_document_be16(src, pos, block)) return;
    pos += 2 + block + (block & 1);
  }
}

int convert(const char* source_path, const char* stream_path, bool handed_over, long known_base) {
  FilePtr in = open_file(source_path, "rb");
  FilePtr out = open_file(stream_path, "w+b");
  if (!in || !out) return -1;
  CharState cs;
  ParaState ps;
  if (init_stream_state(in.get(), cs, ps) != 0) return -2;

  const long base = handed_over ? known_base : macwrite_base(in.get());
  const MacWriteSource src = macwrite_source(in.get(), base);
  std::uint16_t version = 0, first = 0, count = 0;
  if (!read_document_be16(src, 0, version)) return -1;
  if (version == kVersion46 && !handed_over) {
    in.reset();
    out.reset();
    return macw46_handed_over(source_path, stream_path, base);
  }
  if (version != kVersion22) return -1;
  if (read_document_be16(src, 2, first) && read_document_be16(src, 4, count)) {
    convert_paragraphs(src, out.get(), first, count);
  }
  return std::ferror(out.get()) ? -1 : 0;
}

}  // namespace

int orig_macw22(const char* source_path, const char* stream_path) {
  return convert(source_path, stream_path, false, 0);
}

int macw22_handed_over(const char* source_path, const char* stream_path, long base) {
  return convert(source_path, stream_path, true, base);
}

}  // namespace lettrix
