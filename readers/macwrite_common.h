// Pieces shared by the two MacWrite readers (the version 3 layout of
// MacWrite 2.2 and the version 6 layout of MacWrite 4.5 to 5 documents): the
// document seen through the view of its data fork, checked reads at document
// offsets, and the writing of one character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/charset.h"
#include "core/signature.h"
#include "core/source_view.h"
#include "readers/mac_picture.h"
#include "readers/reader_damage.h"
#include "support/byte_io.h"

namespace lettrix {

// A MacWrite document: the view of its data fork, and what the damage
// messages count with. Offsets read from the document count from the view's
// byte 0, the data fork's first byte.
struct MacWriteSource {
  SourceView* view = nullptr;
  long size = 0;    // bytes of the document
  long needed = 0;  // the furthest document offset that its structures reach
  std::string_view type;  // the Finder's codes, when a wrapper kept them
  std::string_view creator;
};

// The part the two MacWrite signature tests share: the version word at byte
// 0 (`version`, named `name` in a refusal), then the codes WORD/MACA making
// it certain and any other codes possible. Answers None with why when the
// word is not the version; else Certain or Possible for the codes, or
// Likely when no wrapper kept any (the caller then asks for more).
Confidence macwrite_version_test(const DataForkView& f, std::uint16_t version, const char* name, std::string* why);

// What a signature test looks at of the document.
DataForkView signature_view(MacWriteSource& src);

// Up to `count` document bytes from the document offset; fewer (none) when
// the document ends first or the offset lies beyond it. The bytes lie in the
// view: they hold until the next read of the source.
inline std::span<const std::uint8_t> view_document(MacWriteSource& src, long offset, long count) {
  if (offset < 0 || count <= 0) return {};
  return src.view->span_up_to(static_cast<std::uint64_t>(offset), static_cast<std::size_t>(count));
}

// The same bytes as a copy of their own.
std::vector<std::uint8_t> read_document(MacWriteSource& src, long offset, long count);

// A big-endian 16-bit number at a document offset; false when it lies
// (partly) beyond the document.
inline bool read_document_be16(MacWriteSource& src, long offset, std::uint16_t& value) {
  return offset >= 0 && src.view->be16(static_cast<std::uint64_t>(offset), value);
}

// Records that a structure of the document reaches the document offset `end`.
void need_document(MacWriteSource& src, long end);

// Notes a document that ends before its structures say it does ("text cut
// short at byte 4,923 of 22,976"). `structures_give_size`: the document's structures reach its end
// (the 4.x layout), so the furthest one tells its length; otherwise they tell
// only the length it has at least.
void check_document_size(const MacWriteSource& src, bool structures_give_size, Damage& damage);

// The body of a reader: converts the document into the stream `out`. A
// document of the other version goes to the other reader's body unless it
// was handed over already.
using MacWriteBody = int (*)(MacWriteSource& src, std::FILE* out, bool handed_over);

// A reader's handler: opens the source's data fork (core/source_view.h) and
// the stream, and runs the body. -1 with the reason when the source cannot be
// opened, -1 when the stream cannot, kHandlerEmpty (and the reason, which
// names the reader's format) for an empty data fork.
int run_macwrite_reader(const char* source_path, const char* stream_path, const char* shown_name, MacWriteBody body);

// Refuses a document as not of the reader's format: sets the reason
// ("not a MacWrite 2.2 document: WHY") and answers kHandlerCannotOpen.
int refuse_macwrite(const char* shown_name, const std::string& why);

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


// The two readers' bodies for a document that the other reader hands over:
// one of the other version is refused (-1) rather than handed back.
int macw46_handed_over(MacWriteSource& src, std::FILE* out);
int macw22_handed_over(MacWriteSource& src, std::FILE* out);

}  // namespace lettrix
