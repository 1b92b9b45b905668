// The one routine with which writers walk an intermediate stream: each call hands
// back a plain byte or a whole code with exactly its operands, so that no text
// byte is ever taken as an operand. End of file inside a code ends the stream.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/emitter.h"
#include "core/stream_codes.h"
#include "support/block_input.h"
#include "support/byte_io.h"

namespace lettrix {

struct StreamItem {
  enum class Kind { End, Byte, Code };
  Kind kind = Kind::End;
  std::uint8_t value = 0;  // the byte (Kind::Byte) or the code byte (Kind::Code)
  std::uint8_t op1 = 0;    // first operand of a two-operand code
  std::uint8_t op2 = 0;    // second operand
  // StyleSheet: its data bytes (without the length).
  // Picture: the bytes after the kind and zero operands up to, not including,
  // the closing EndOfText (height and width as 32-bit big-endian, then hex digits).
  std::vector<std::uint8_t> data;

  bool is_byte(std::uint8_t b) const { return kind == Kind::Byte && value == b; }
  bool is_code(std::uint8_t c) const { return kind == Kind::Code && value == c; }
};

// Reads the code that follows an escape byte already read. Returns false at
// end of stream (end of file in the middle of the code).
bool read_stream_code(std::FILE* in, StreamItem& item);
// The same when the code byte itself has been read too (not EOF).
bool read_stream_code_after(std::FILE* in, StreamItem& item, int code);

// The same two for a stream read in blocks (support/block_input.h), as every
// writer reads it.
bool read_stream_code(BlockInput& in, StreamItem& item);
bool read_stream_code_after(BlockInput& in, StreamItem& item, int code);

// The same for a stream held in memory: the bytes from `at` to `end`, `at`
// moving on as they are read.
struct MemoryStream {
  const std::uint8_t* at;
  const std::uint8_t* end;
};
bool read_stream_code_after(MemoryStream& in, StreamItem& item, int code);

// One byte of a stream read any of these ways.
inline int next_stream_byte(std::FILE* in) { return get_byte(in); }
inline int next_stream_byte(BlockInput& in) { return in.get(); }
inline int next_stream_byte(MemoryStream& in) { return in.at < in.end ? *in.at++ : EOF; }

// Reads the code after an escape byte already read, as read_stream_code
// does, with TableChar, the code of every accented letter, read inline.
template <class In>
inline bool read_stream_code_inline(In&& in, StreamItem& item) {
  const int code = next_stream_byte(in);
  if (code != TableChar) return read_stream_code_after(in, item, code);
  const int a = next_stream_byte(in);
  const int b = a == EOF ? EOF : next_stream_byte(in);
  if (!item.data.empty() || b == EOF) item.data.clear();
  item.value = TableChar;
  if (b == EOF) {
    item.kind = StreamItem::Kind::End;
    item.op1 = item.op2 = 0;
    return false;
  }
  item.kind = StreamItem::Kind::Code;
  item.op1 = static_cast<std::uint8_t>(a);
  item.op2 = static_cast<std::uint8_t>(b);
  return true;
}

// Reads the next item of the stream. Returns false (item.kind == End) at end of
// stream, which includes end of file in the middle of a code. Plain bytes, by
// far the most items, are read here inline. (A writer's main loop may also
// take plain bytes itself and call read_stream_code_inline after an escape
// byte.)
template <class In>
inline bool read_stream_item(In&& in, StreamItem& item) {
  const int c = next_stream_byte(in);
  if (c != kEscape && c != EOF) {
    item.kind = StreamItem::Kind::Byte;
    item.value = static_cast<std::uint8_t>(c);
    item.op1 = item.op2 = 0;
    if (!item.data.empty()) item.data.clear();
    return true;
  }
  if (c == EOF) {
    item.kind = StreamItem::Kind::End;
    item.data.clear();
    return false;
  }
  return read_stream_code_inline(in, item);
}

// Starts a writer's pass over a stream read in blocks from its start, as
// init_stream_state does for a C stream: -2 for an empty stream, changing
// nothing else; otherwise the records (the tab table only when given) in the
// initial state of every stream, and 0. The stream's first block is read
// once: it stays in the BlockInput for the pass.
int init_stream_state(BlockInput& in, CharState& cs, ParaState& ps, TabTable* tabs = nullptr);

// Writes an item back exactly as it stood in the stream (a Picture with its
// closing EndOfText). Returns false when the output reports an error.
bool write_stream_item(std::FILE* out, const StreamItem& item);

// Picture operands: height and width as the writers use them (low 16 bits).
std::uint16_t picture_height(const StreamItem& item);
std::uint16_t picture_width(const StreamItem& item);

}  // namespace lettrix
