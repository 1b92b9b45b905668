// Pieces shared by the Ragtime 2 and Ragtime 3 readers: the document (the
// data fork, read through a SourceView), a text component located in it, and the walk over a component's
// text that both versions share. The layouts themselves are drawn at the top
// of ragtime_2.cpp and ragtime_3.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>

#include "core/charset.h"
#include "core/emitter.h"
#include "core/mac_font_names.h"
#include "core/signature.h"
#include "core/source_view.h"
#include "readers/plain_bytes.h"
#include "readers/reader_damage.h"
#include "support/file_handle.h"

namespace lettrix::ragtime {

using Bytes = std::span<const std::uint8_t>;

// A conversion's files: the stream being written and the document, the data
// fork of the source (a wrapper around it is looked through when the source
// is opened).
struct Source {
  SourceFile file;
  FilePtr out;
  std::optional<SourceView> doc;
  Damage damage;  // what the conversion found missing

  // Notes a structure that ends at document offset `end`, beyond the document.
  void cut_short(std::uint64_t end) { damage.cut_short_at_least("text", doc->size(), end); }
};

// A version's own test of a document's first bytes (kDetectPrefix of them, or
// all there are) and its size.
using FormatTest = bool (*)(Bytes head, std::size_t size);

// How a reader tells its documents: its shown name, the signature test that
// says why a document is refused, and its own test, which decides.
struct FormatTests {
  const char* shown_name;
  SignatureTest signature;
  FormatTest is_format;
};

// Opens the source and the stream and views the document. 0, or the
// reader's result: -1 when a file cannot be opened or read or the format's
// test refuses the document (handler_reason says why), -2 when the document
// is empty.
int open_source(const char* source_path, const char* stream_path, const FormatTests& tests, Source& source);

// The reader's result once the stream is written: 0, -1 when a write or a
// read of the source failed, or kHandlerDamaged when the source's damage
// noted a fault.
int finish_stream(Source& source);

// A text component as found in the document: where its text lies (only the
// bytes the document holds), its character runs and its paragraph formats
// (whole records only).
struct TextComponent {
  std::size_t text_at = 0;
  std::size_t text_size = 0;
  bool text_cut = false;  // the document ends inside the text
  std::size_t runs_at = 0;
  std::size_t run_count = 0;
  std::size_t run_size = 10;
  std::size_t formats_at = 0;
  std::size_t format_count = 0;
  std::size_t format_size = 34;
  std::size_t span = 0;   // bytes from the component's start to its end in the file
  std::size_t needed = 0;  // document offset just after all that the component declares

  std::size_t run(std::size_t i) const { return runs_at + i * run_size; }
  std::size_t format(std::size_t i) const { return formats_at + i * format_size; }
};

// Fills in a component's text, runs and formats (c.run_size and
// c.format_size given) from the text's offset and its declared length; the
// lists hold the whole records the document holds, and the formats only when
// the run list is whole. A run count of 0 stands for a count one byte further
// on when zero_before_count is set. Returns the offset just after the component.
std::size_t locate_text(SourceView& doc, std::size_t text_at, std::size_t declared, bool zero_before_count,
                        TextComponent& c);

// How much component data a conversion may still read: each component uses
// its span of the file, and all of them together no more than the document
// holds, so that components that overlap or are listed many times cannot
// make the work or the stream grow beyond a multiple of the file's size.
struct Budget {
  std::size_t left = 0;
  bool take(std::size_t n) {
    if (n > left) return false;
    left -= n;
    return true;
  }
};

// Text bytes that are not simply characters of the run's font.
inline constexpr std::array<bool, 256> kStructureBytes = [] {
  std::array<bool, 256> b{};
  for (int c : {0x00, 0x03, 0x09, 0x0B, 0x0D, 0x1F, 0xCA, 0x5C}) b[static_cast<std::size_t>(c)] = true;
  return b;
}();

// The emitter state and the character table of one conversion.
struct Writer {
  std::FILE* out = nullptr;
  CharState cs;
  ParaState ps;
  const ReaderTable* table = &kMacintoshTable;
  MacFontNumberCache fonts;
  PlainByteTables plain{kStructureBytes};
};

// Paragraph alignment byte of a paragraph format: 0 left, 1 centred, 2 right,
// 3 justified; any other value leaves the alignment as it is.
void apply_alignment(Writer& w, std::uint8_t alignment);

// How the two versions differ in the text bytes.
struct TextRules {
  bool hard_space_code = false;  // 0xCA is HardSpace (else a character like any other)
  bool hash_for_03 = false;      // 0x03 (page number) is written as "#"
  bool final_paragraph = false;  // a text that does not end a paragraph gets one
};

using ApplyRun = void (*)(Writer& w, Bytes run, void* context);
inline constexpr std::size_t kMaxRunSize = 16;

// Writes the text of a component: the first run and the first paragraph
// format apply at once, every further run at its start position (counted
// from 1; a run whose position has passed applies at the next byte).
//
//   0x00        the next paragraph format's alignment
//   0x09        tab
//   0x0B, 0x0D  attributes off, paragraph end; the run's attributes come back
//               before the next character, unless a new run starts there
//   0x1F        dropped (a soft hyphen)
//   0x5C        Backslash
//   others      through the writer's character table
void write_text(Writer& w, SourceView& doc, const TextComponent& c, const TextRules& rules, ApplyRun apply_run,
                void* context);

}  // namespace lettrix::ragtime
