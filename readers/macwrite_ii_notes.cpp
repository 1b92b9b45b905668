#include "readers/macwrite_ii_notes.h"

#include <cstring>
#include <span>
#include <string_view>

#include "core/emitter.h"
#include "core/stream_codes.h"
#include "core/stream_reader.h"
#include "support/block_input.h"
#include "support/output_buffer.h"
#include "support/work_file.h"
#include "support/byte_io.h"

namespace lettrix::macwrite_ii {

namespace {

// The formatting in force at a point of the stream, as far as this reader's
// codes set it: the on/off pairs of attributes and alignment, font class and size.
struct Formatting {
  std::uint64_t on = 0;  // bit (code - 0x20) for each on code in force
  std::uint8_t font = 0;
  std::uint8_t size = encode_font_size(10);

  void observe(const StreamItem& item);
  void observe_code(std::uint8_t code, std::uint8_t op2);
};

constexpr std::uint8_t kOnCodes[] = {BoldOn,   UnderlineOn, SubscriptOn, SuperscriptOn,     CenterOn,
                                     StrikeOn, ItalicOn,    HiddenOn,    CapsOn,            ShadowOn,
                                     SpareAttrOn, DoubleUnderlineOn, JustifyOn, RightOn,   SmallCapsOn,
                                     OutlineOn};

constexpr std::uint64_t bit_of(std::uint8_t on_code) { return std::uint64_t{1} << (on_code - 0x20); }

// For each code byte: the on bit it sets (on codes) or clears (off codes).
struct OnOffTable {
  std::uint64_t sets[256] = {};
  std::uint64_t clears[256] = {};
  constexpr OnOffTable() {
    for (std::uint8_t code : kOnCodes) {
      sets[code] = bit_of(code);
      clears[code + 1] = bit_of(code);
    }
  }
};
constexpr OnOffTable kOnOff;

void Formatting::observe(const StreamItem& item) {
  if (item.kind == StreamItem::Kind::Code) observe_code(item.value, item.op2);
}

void Formatting::observe_code(std::uint8_t code, std::uint8_t op2) {
  on = (on | kOnOff.sets[code]) & ~kOnOff.clears[code];
  if (code == Font) font = op2;
  if (code == FontSize) size = op2;
}

// Stands for an OutputBuffer where the stream is only followed.
struct NoOutput {
  void put(char) {}
  void put(std::string_view) {}
  void put(std::span<const std::uint8_t>) {}
};

// Codes and items written through the block of an OutputBuffer.
template <typename Out>
void put_code(Out& out, std::uint8_t code) {
  const char bytes[2] = {static_cast<char>(kEscape), static_cast<char>(code)};
  out.put(std::string_view(bytes, sizeof bytes));
}

template <typename Out>
void put_code(Out& out, std::uint8_t code, std::uint8_t op1, std::uint8_t op2) {
  const char bytes[4] = {static_cast<char>(kEscape), static_cast<char>(code), static_cast<char>(op1),
                         static_cast<char>(op2)};
  out.put(std::string_view(bytes, sizeof bytes));
}

// Writes an item back exactly as it stood in the stream (a Picture with its
// closing EndOfText).
template <typename Out>
void put_item(Out& out, const StreamItem& item) {
  if (item.kind == StreamItem::Kind::End) return;
  if (item.kind == StreamItem::Kind::Byte) {
    out.put(static_cast<char>(item.value));
    return;
  }
  if (fixed_operand_count(item.value) == 0) {
    put_code(out, item.value);
    return;
  }
  put_code(out, item.value, item.op1, item.op2);
  if (!item.data.empty()) out.put(std::span<const std::uint8_t>(item.data));
  if (item.value == Picture) put_code(out, EndOfText);
}

// Writes the codes that take the formatting `from` to `to`: off codes first,
// so that no two alignments are ever on together, then values, then on codes.
void write_transition(OutputBuffer& out, const Formatting& from, const Formatting& to) {
  for (std::uint8_t code : kOnCodes)
    if ((from.on & bit_of(code)) && !(to.on & bit_of(code))) put_code(out, static_cast<std::uint8_t>(code + 1));
  if (from.font != to.font) put_code(out, Font, from.font, to.font);
  if (from.size != to.size) put_code(out, FontSize, from.size, to.size);
  for (std::uint8_t code : kOnCodes)
    if (!(from.on & bit_of(code)) && (to.on & bit_of(code))) put_code(out, code);
}

// Copies the plain bytes that come next, up to the next code or the end.
void copy_plain_run(BlockInput& in, OutputBuffer& out) {
  while (in.fill()) {
    const void* escape = std::memchr(in.data(), kEscape, in.available());
    const std::size_t n = escape ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(escape) - in.data())
                                 : in.available();
    out.put(std::span<const std::uint8_t>(in.data(), n));
    in.skip(n);
    if (escape) return;
  }
}

// Skips the plain bytes that come next, up to the next code or the end.
void skip_plain_run(BlockInput& in) {
  while (in.fill()) {
    const void* escape = std::memchr(in.data(), kEscape, in.available());
    if (!escape) {
      in.skip(in.available());
      continue;
    }
    in.skip(static_cast<std::size_t>(static_cast<const std::uint8_t*>(escape) - in.data()));
    return;
  }
}

// Reads the copy of the stream's footnote texts (from the first note text
// marker on), keeping track of the formatting in force as the first pass
// wrote it.
struct NoteSource {
  BlockInput& in;
  Formatting formatting;
  bool at_marker = false;  // a note's copy stopped at the next marker

  // Moves to just after the next note text marker; false when there is none.
  // Plain bytes change no formatting, so only codes are read as items.
  bool find_next_note() {
    if (at_marker) {
      at_marker = false;
      return true;
    }
    StreamItem item;
    for (;;) {
      skip_plain_run(in);
      if (!read_stream_item(in, item)) return false;
      if (item.is_code(kNoteTextCode)) return true;
      formatting.observe(item);
    }
  }

  // Copies the note text that follows, up to its EndOfText (not included),
  // the next marker or the end of the copy. A reference inside a note cannot
  // become a note of its own: it is dropped with its empty note.
  void copy_note_text(OutputBuffer& out) {
    StreamItem item;
    for (;;) {
      copy_plain_run(in, out);
      if (!read_stream_item(in, item)) return;
      if (item.is_code(EndOfText)) return;
      if (item.is_code(kNoteTextCode)) {
        at_marker = true;  // the marker of the next note
        return;
      }
      if (item.is_code(NoteCall)) {
        StreamItem end;
        if (read_stream_item(in, end) && !end.is_code(EndOfText)) {
          formatting.observe(end);
          put_item(out, end);
        }
        continue;
      }
      formatting.observe(item);
      put_item(out, item);
    }
  }
};

// Copies the stream `in` to `out` as it stands, keeping `formatting` up to
// date with the codes it passes. A NoteCall is not copied when `at_call` is
// given: at_call(formatting) is called in its place, after the bytes before
// it have been put. The bytes go from the input block to the output in whole
// pieces; only a code that straddles two blocks or carries data of its own
// (a style sheet, a picture) is read as an item. A code cut short by the end
// of the stream is left out.
template <typename Out, typename AtCall>
void copy_stream(BlockInput& in, Out& out, Formatting& formatting, AtCall&& at_call, bool take_calls) {
  StreamItem item;
  while (in.fill()) {
    const std::uint8_t* const start = in.data();
    const std::uint8_t* const end = start + in.available();
    const std::uint8_t* p = start;
    bool whole_code = true;  // false: the code at p is read as an item
    bool call = false;       // a NoteCall of four bytes stands at p
    for (;;) {
      p = static_cast<const std::uint8_t*>(std::memchr(p, kEscape, static_cast<std::size_t>(end - p)));
      if (!p) {
        p = end;
        break;
      }
      if (end - p < 2) {
        whole_code = false;
        break;
      }
      const std::uint8_t code = p[1];
      if (fixed_operand_count(code) == 0) {
        formatting.observe_code(code, 0);
        p += 2;
        continue;
      }
      if (code == StyleSheet || code == Picture || end - p < 4) {
        whole_code = false;
        break;
      }
      if (code == NoteCall && take_calls) {
        call = true;
        break;
      }
      formatting.observe_code(code, p[3]);
      p += 4;
    }
    out.put(std::span<const std::uint8_t>(start, static_cast<std::size_t>(p - start)));
    in.skip(static_cast<std::size_t>(p - start));
    if (call) {
      in.skip(4);
      at_call(formatting);
    } else if (!whole_code) {
      in.skip(1);  // the escape
      if (!read_stream_code_inline(in, item)) return;
      if (take_calls && item.is_code(NoteCall)) {
        at_call(formatting);
        continue;
      }
      formatting.observe(item);
      put_item(out, item);
    }
  }
}

// Follows the codes of the stream `in` from where it stands to its end,
// keeping `formatting` up to date. False when a read fails.
bool follow_formatting(BlockInput& in, Formatting& formatting) {
  NoOutput none;
  copy_stream(in, none, formatting, [](const Formatting&) {}, false);
  return !in.failed();
}

}  // namespace

int move_footnotes(std::FILE* stream, std::FILE* main_tail, std::FILE* note_texts) {
  if (std::fflush(stream) != 0 || std::fflush(main_tail) != 0 || std::ferror(main_tail) ||
      (note_texts && (std::fflush(note_texts) != 0 || std::ferror(note_texts)))) {
    return -1;
  }
  if (!note_texts) {
    // No footnote texts: the references stay as they were written.
    if (std::fseek(stream, 0, SEEK_END) != 0) return -1;
    std::rewind(main_tail);
    OutputBuffer out(stream);
    BlockInput main_input(main_tail);
    while (main_input.fill()) {
      out.put(std::span<const std::uint8_t>(main_input.data(), main_input.available()));
      main_input.skip(main_input.available());
    }
    out.flush();
    return main_input.failed() ? -1 : 0;
  }
  // The formatting in force at the first reference (the end of the stream so
  // far) and at the end of the main text, where the footnote texts began.
  Formatting at_reference;
  {
    std::rewind(stream);
    BlockInput in(stream);
    if (!follow_formatting(in, at_reference)) return -1;
  }
  Formatting at_notes = at_reference;
  {
    std::rewind(main_tail);
    BlockInput in(main_tail);
    if (!follow_formatting(in, at_notes)) return -1;
  }
  if (std::fseek(stream, 0, SEEK_END) != 0) return -1;
  std::rewind(main_tail);

  OutputBuffer out(stream);
  BlockInput main_input(main_tail);
  std::rewind(note_texts);
  BlockInput note_input(note_texts);
  NoteSource notes{note_input, at_notes};
  Formatting main_text = at_reference;
  int count = 0;
  copy_stream(main_input, out, main_text, [&](const Formatting& formatting) {
    ++count;
    put_code(out, NoteCall, 0, static_cast<std::uint8_t>(count));
    if (!notes.find_next_note()) return;
    // The note keeps the formatting it was written with, and the main text
    // gets its own back after it.
    write_transition(out, formatting, notes.formatting);
    notes.copy_note_text(out);
    write_transition(out, notes.formatting, formatting);
  }, true);
  out.flush();
  return main_input.failed() ? -1 : 0;
}

}  // namespace lettrix::macwrite_ii
