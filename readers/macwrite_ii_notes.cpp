#include "readers/macwrite_ii_notes.h"

#include <climits>

#include "core/emitter.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/stream_routines.h"
#include "support/work_file.h"
#include "support/byte_io.h"

namespace lettrix::macwrite_ii {

namespace {

// Writes an item back exactly as it stood in the stream.
void write_item(std::FILE* out, const StreamItem& item) {
  if (item.kind == StreamItem::Kind::Byte) {
    put_byte(item.value, out);
    return;
  }
  put_byte(kEscape, out);
  put_byte(item.value, out);
  if (fixed_operand_count(item.value) == 0) return;
  put_byte(item.op1, out);
  put_byte(item.op2, out);
  if (!item.data.empty()) std::fwrite(item.data.data(), 1, item.data.size(), out);
  if (item.value == Picture) {
    put_byte(kEscape, out);
    put_byte(EndOfText, out);
  }
}

// The formatting in force at a point of the stream, as far as this reader's
// codes set it: the on/off pairs of attributes and alignment, font class and size.
struct Formatting {
  std::uint64_t on = 0;  // bit (code - 0x20) for each on code in force
  std::uint8_t font = 0;
  std::uint8_t size = encode_font_size(10);

  void observe(const StreamItem& item);
};

constexpr std::uint8_t kOnCodes[] = {BoldOn,   UnderlineOn, SubscriptOn, SuperscriptOn,     CenterOn,
                                     StrikeOn, ItalicOn,    HiddenOn,    CapsOn,            ShadowOn,
                                     SpareAttrOn, DoubleUnderlineOn, JustifyOn, RightOn,   SmallCapsOn,
                                     OutlineOn};

constexpr std::uint64_t bit_of(std::uint8_t on_code) { return std::uint64_t{1} << (on_code - 0x20); }

void Formatting::observe(const StreamItem& item) {
  if (item.kind != StreamItem::Kind::Code) return;
  for (std::uint8_t code : kOnCodes) {
    if (item.value == code) on |= bit_of(code);
    if (item.value == code + 1) on &= ~bit_of(code);
  }
  if (item.value == Font) font = item.op2;
  if (item.value == FontSize) size = item.op2;
}

// Writes the codes that take the formatting `from` to `to`: off codes first,
// so that no two alignments are ever on together, then values, then on codes.
void write_transition(std::FILE* out, const Formatting& from, const Formatting& to) {
  for (std::uint8_t code : kOnCodes)
    if ((from.on & bit_of(code)) && !(to.on & bit_of(code))) write_code(out, static_cast<std::uint8_t>(code + 1));
  if (from.font != to.font) write_code(out, Font, from.font, to.font);
  if (from.size != to.size) write_code(out, FontSize, from.size, to.size);
  for (std::uint8_t code : kOnCodes)
    if (!(from.on & bit_of(code)) && (to.on & bit_of(code))) write_code(out, code);
}

// Reads the copy of the stream that holds the footnote texts, keeping track
// of the formatting in force as the first pass wrote it.
struct NoteSource {
  std::FILE* in;
  Formatting formatting;

  // Moves to just after the next note text marker; false when there is none.
  // Plain bytes change no formatting, so only codes are read as items.
  bool find_next_note() {
    StreamItem item;
    for (;;) {
      const int c = get_byte(in);
      if (c == EOF) return false;
      if (c != kEscape) continue;
      std::ungetc(c, in);
      if (!read_stream_item(in, item)) return false;
      if (item.is_code(kNoteTextCode)) return true;
      formatting.observe(item);
    }
  }

  // Copies the note text that follows, up to its EndOfText (not included),
  // the next marker or the end of the copy. A reference inside a note cannot
  // become a note of its own: it is dropped with its empty note.
  void copy_note_text(std::FILE* out) {
    StreamItem item;
    while (read_stream_item(in, item)) {
      if (item.is_code(EndOfText)) return;
      if (item.is_code(kNoteTextCode)) {
        std::fseek(in, -4, SEEK_CUR);  // leave the marker for the next note
        return;
      }
      if (item.is_code(NoteCall)) {
        StreamItem end;
        if (read_stream_item(in, end) && !end.is_code(EndOfText)) {
          formatting.observe(end);
          write_item(out, end);
        }
        continue;
      }
      formatting.observe(item);
      write_item(out, item);
    }
  }
};

}  // namespace

int move_footnotes(FilePtr& stream, const char* stream_path) {
  FilePtr main_copy = open_work_file();
  FilePtr note_copy = open_work_file();
  if (!main_copy || !note_copy) {
    stream.reset();
    return -1;
  }
  std::fflush(stream.get());
  std::rewind(stream.get());
  int copied = copy_stream_bytes(stream.get(), main_copy.get(), LONG_MAX);
  std::rewind(stream.get());
  if (copied == 0) copied = copy_stream_bytes(stream.get(), note_copy.get(), LONG_MAX);
  if (copied != 0 || std::ferror(main_copy.get()) || std::ferror(note_copy.get())) {
    stream.reset();
    return -1;
  }
  stream.reset();
  stream = open_file(stream_path, "w+b");
  if (!stream) return -1;
  std::rewind(main_copy.get());
  std::rewind(note_copy.get());

  std::FILE* out = stream.get();
  NoteSource notes{note_copy.get(), {}};
  Formatting main_text;
  int count = 0;
  StreamItem item;
  std::FILE* main_text_in = main_copy.get();
  for (;;) {
    const int c = get_byte(main_text_in);
    if (c != kEscape && c != EOF) {  // a plain byte: copied as it stands
      put_byte(c, out);
      continue;
    }
    if (c == kEscape) std::ungetc(c, main_text_in);
    if (!read_stream_item(main_text_in, item)) break;
    if (item.is_code(kNoteTextCode)) break;  // the footnote texts: not main text
    if (!item.is_code(NoteCall)) {
      main_text.observe(item);
      write_item(out, item);
      continue;
    }
    ++count;
    write_code(out, NoteCall, 0, count);
    if (!notes.find_next_note()) continue;
    // The note keeps the formatting it was written with, and the main text
    // gets its own back after it.
    write_transition(out, main_text, notes.formatting);
    notes.copy_note_text(out);
    write_transition(out, notes.formatting, main_text);
  }
  return 0;
}

}  // namespace lettrix::macwrite_ii
