// Pieces shared by the two MacWrite readers (the version 3 layout of
// MacWrite 2.2 and the version 6 layout of MacWrite 4.5 to 5): the MacBinary
// test, checked reads at document offsets, and the writing of one character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "core/charset.h"
#include "readers/reader_damage.h"
#include "support/byte_io.h"

namespace lettrix {

// MacBinary type and creator of every MacWrite document ("WORD", "MACA"),
// which stand at offset 65 of a MacBinary header.
inline constexpr char kMacWriteTypeCreator[] = "WORDMACA";
inline constexpr long kMacBinaryHeaderSize = 128;
inline constexpr long kMacBinaryDataLengthOffset = 83;  // 4 bytes: length of the data fork

// Where the document starts in the file: 128 when a MacBinary header with
// MacWrite's type and creator precedes it, 0 otherwise.
long macwrite_base(std::FILE* in);

// A MacWrite source file: every offset read from the document counts from
// `base`, and `size` is the number of document bytes after it.
//
// The structures are read through a window of the document (64 KB, or as
// large as the largest structure read, which 16-bit sizes keep to some
// 100 KB): the paragraphs lie one after another, so the file is read in a few
// large pieces instead of a seek and a refilled stream buffer for every small
// structure.
struct MacWriteSource {
  static constexpr long kWindowSize = 1 << 16;

  std::FILE* file = nullptr;
  long base = 0;
  long size = 0;
  long stated = 0;  // the data fork's length in the MacBinary header, when the file holds less
  long needed = 0;  // the furthest document offset that its structures reach
  std::vector<std::uint8_t> window;
  long window_start = 0;  // document offset of window[0]
};

// The view of a source whose base is known: behind a MacBinary header the
// document is the data fork (as long as the header says, when the file holds
// that much); size 0 when the file is no longer than its MacBinary header.
MacWriteSource macwrite_source(std::FILE* in, long base);

// Up to `count` document bytes from the document offset; fewer (none) when
// the document ends first or the offset lies beyond it. The view lies in the
// source's window: it holds until the next read of the source.
std::span<const std::uint8_t> view_document(MacWriteSource& src, long offset, long count);

// The same bytes as a copy of their own.
std::vector<std::uint8_t> read_document(MacWriteSource& src, long offset, long count);

// A big-endian 16-bit number at a document offset; false when it lies
// (partly) beyond the document.
bool read_document_be16(MacWriteSource& src, long offset, std::uint16_t& value);

// Records that a structure of the document reaches the document offset `end`.
void need_document(MacWriteSource& src, long end);

// Notes a document that ends before its structures or its MacBinary header
// say it does, with the file-level numbers ("text cut short at byte 4,923 of
// 22,976"). `structures_give_size`: the document's structures reach its end
// (the 4.x layout), so the furthest one tells its length; otherwise they tell
// only the length it has at least.
void check_document_size(const MacWriteSource& src, bool structures_give_size, Damage& damage);

// Writes one text byte that is not a structure byte through a character
// table: a backslash as the Backslash code, a table entry with a high byte as
// TableChar, a plain entry as its byte; an entry of 0 writes nothing.
void write_mac_char(std::FILE* out, const ReaderTable& table, std::uint8_t byte);

// Writes bytes that go to the stream as they stand: a short run byte by byte
// (the runs between accented letters are a few bytes long, and an fwrite call
// costs more than they do), a longer one in one piece.
inline void write_plain_run(std::FILE* out, std::span<const std::uint8_t> run) {
  if (run.size() < 32) {
    for (std::uint8_t byte : run) put_byte(byte, out);
  } else {
    std::fwrite(run.data(), 1, run.size(), out);
  }
}

// The pages as MacWrite laid the main text out: every paragraph records the
// page its first line stands on. A paragraph on a later page than the one
// before it starts a new page in the stream too, unless a page break (or
// nothing at all) stands before it. Page breaks wait for the next content:
// one that nothing follows (at the end of the text) is left out, since it
// would only add an empty page.
struct MacWritePages {
  int page = -1;             // page of the previous paragraph; -1 before the first
  bool at_page_start = true;  // no content since the last page break
  int pending = 0;           // page breaks not yet written
};
void follow_page(MacWritePages& pages, int page);
void add_page_break(MacWritePages& pages);
// Writes the waiting page breaks before a paragraph or picture.
void start_content(std::FILE* out, MacWritePages& pages);

// A Macintosh picture of a MacWrite document: an 8-byte frame (top, left,
// bottom, right, signed 16-bit points) followed by the picture itself (a
// 2-byte size, its own 8-byte frame, then version 1 opcodes from 0x1101 or
// version 2 opcodes from 0x0011 0x02FF). A picture whose frame is "MAGICPIC"
// holds nothing to draw: it stands on a page of its own to force the text
// after it onto the next page.
enum class MacPictureKind { None, Picture, PageBreak };
MacPictureKind classify_mac_picture(std::span<const std::uint8_t> data);

// Writes a picture as the Picture code of kind 1 (Macintosh picture): its
// height and width from the frame, the picture's bytes as hexadecimal digits
// and EndOfText. The data must be one that classify_mac_picture calls a
// picture.
void write_mac_picture(std::FILE* out, std::span<const std::uint8_t> data);

// The two readers' entries for a file that the other reader hands over: the
// base is the one that reader found, and a file of the other version is
// refused (-1) rather than handed back.
int macw46_handed_over(const char* source_path, const char* stream_path, long base);
int macw22_handed_over(const char* source_path, const char* stream_path, long base);

}  // namespace lettrix
