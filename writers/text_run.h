// The writers' inner loop over the text of the stream: plain bytes that go to
// the target as they stand and TableChar codes whose character the writer
// writes as a fixed string of bytes, copied from the stream's block to the
// writer's in one loop, without an item or a call for each.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/stream_codes.h"
#include "support/block_input.h"
#include "support/output_buffer.h"

namespace lettrix {

// What a writer writes for the characters of repertoire tables 1 to 14: up
// to four bytes each. A length of 0 leaves the character to the writer's own
// code (a character that changes the font, or that needs more than bytes).
class CharBytes {
 public:
  static constexpr int kTables = 14;

  void set(int table, int index, const std::uint8_t* bytes, std::size_t length) {
    Entry& e = entries_[slot(table, index)];
    e.length = static_cast<std::uint8_t>(length < 4 ? length : 4);
    std::memcpy(e.bytes, bytes, e.length);
  }
  // The entry of a code's two operands; nullptr when the writer's own code
  // is to write the character (also for a table outside 1 to 14).
  const std::uint8_t* find(std::uint8_t table, std::uint8_t index, std::size_t& length) const {
    if (table < 1 || table > kTables) return nullptr;
    const Entry& e = entries_[slot(table, index)];
    length = e.length;
    return e.length ? e.bytes : nullptr;
  }

 private:
  struct Entry {
    std::uint8_t length = 0;
    std::uint8_t bytes[4] = {};
  };
  static std::size_t slot(int table, int index) {
    return static_cast<std::size_t>(table - 1) * 256 + static_cast<std::size_t>(index & 0xFF);
  }
  std::array<Entry, kTables * 256> entries_{};
};

struct TranslationGroup;

// The characters that a translation group gives as one byte of the code page
// (not the ones of the Symbol font), as that byte; a byte 0 is left to the
// writer's code unless `with_zero`.
CharBytes code_page_chars(const TranslationGroup& group, bool with_zero);

// Whether the next item of the stream is one that copy_text takes: a plain
// byte that `stop` does not mark, or a TableChar code, whole in the block
// read ahead, that `chars` has bytes for.
inline bool starts_text(BlockInput& in, const std::array<bool, 256>& stop, const CharBytes& chars) {
  if (!in.fill()) return false;
  const std::uint8_t* at = in.data();
  if (!stop[at[0]]) return true;
  std::size_t length = 0;
  return in.available() >= 4 && at[0] == kEscape && at[1] == TableChar && chars.find(at[2], at[3], length);
}

// What copy_text took and wrote.
struct TextRun {
  std::size_t taken = 0;   // stream bytes
  std::size_t written = 0; // target bytes
  std::size_t plain = 0;   // plain bytes among them
  std::size_t chars = 0;   // TableChar codes
  int last = -1;           // the last item taken: a plain byte, or -1 for a code
};

// Copies, from the block of the stream read ahead, the plain bytes that
// `stop` does not mark and the TableChar codes that `chars` has bytes for,
// into `to`, which has room for `room` bytes; at most `plain_limit` plain
// bytes. Ends at the first other item, at the end of the block read ahead
// (the next call reads on) or when the room or the limit is reached. An
// escape byte must be a stop byte.
inline TextRun copy_text(BlockInput& in, std::uint8_t* to, std::size_t room, const std::array<bool, 256>& stop,
                         const CharBytes& chars, std::size_t plain_limit = SIZE_MAX) {
  TextRun run;
  if (!in.fill()) return run;
  const std::uint8_t* const first = in.data();
  const std::uint8_t* from = first;
  const std::uint8_t* const end = first + in.available();
  std::uint8_t* const to_first = to;
  std::uint8_t* const to_end = to + room;
  for (;;) {
    std::size_t n = static_cast<std::size_t>(end - from);
    if (n > static_cast<std::size_t>(to_end - to)) n = static_cast<std::size_t>(to_end - to);
    if (n > plain_limit - run.plain) n = plain_limit - run.plain;
    const std::uint8_t* const start = from;
    const std::uint8_t* const run_end = from + n;
    while (from < run_end && !stop[*from]) *to++ = *from++;
    if (from != start) {
      run.plain += static_cast<std::size_t>(from - start);
      run.last = from[-1];
    }
    if (from == run_end) break;  // a limit, not a stop byte
    if (end - from < 4 || from[0] != kEscape || from[1] != TableChar || to_end - to < 4) break;
    std::size_t length = 0;
    const std::uint8_t* bytes = chars.find(from[2], from[3], length);
    if (!bytes) break;
    std::memcpy(to, bytes, 4);
    to += length;
    from += 4;
    ++run.chars;
    run.last = -1;
  }
  run.taken = static_cast<std::size_t>(from - first);
  run.written = static_cast<std::size_t>(to - to_first);
  in.skip(run.taken);
  return run;
}

// The same into an output buffer, which takes what was written.
inline TextRun copy_text(BlockInput& in, OutputBuffer& out, const std::array<bool, 256>& stop, const CharBytes& chars,
                         std::size_t plain_limit = SIZE_MAX) {
  std::uint8_t* const to = out.space(4);  // (before space_left: it may send the block on)
  const TextRun run = copy_text(in, to, out.space_left(), stop, chars, plain_limit);
  out.commit(run.written);
  return run;
}

}  // namespace lettrix
