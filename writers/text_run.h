// The writers' inner loop over the text of the stream: plain bytes that go to
// the target as they stand and TableChar codes whose character the writer
// writes as a fixed string of bytes, copied from the stream's block to the
// writer's in one loop, without an item or a call for each.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <bit>
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

  struct Entry {
    std::uint8_t bytes[4] = {};
    std::uint32_t length = 0;
  };

  void set(int table, int index, const std::uint8_t* bytes, std::size_t length) {
    if (table < 1 || table > kTables) return;
    Entry& e = entries_[slot(static_cast<std::uint8_t>(table), static_cast<std::uint8_t>(index))];
    e.length = static_cast<std::uint32_t>(length < 4 ? length : 4);
    for (std::size_t i = 0; i < e.length; ++i) e.bytes[i] = bytes[i];
  }
  // The entry of a code's two operands: length 0 when the writer's own code
  // is to write the character (always for a table outside 1 to 14).
  const Entry& at(std::uint8_t table, std::uint8_t index) const { return entries_[slot(table, index)]; }

 private:
  // Tables outside 1 to 14 share a last row of empty entries.
  static std::size_t slot(std::uint8_t table, std::uint8_t index) {
    const unsigned row = static_cast<unsigned>(table) - 1u;
    return static_cast<std::size_t>(row < kTables ? row : kTables) * 256 + index;
  }
  std::array<Entry, (kTables + 1) * 256> entries_{};
};

// A writer's stop bytes: the plain bytes its own code must see (the escape
// byte always among them). Where every one of them is a control byte, "-",
// the backslash or a byte from "{" up, copy_text looks for them eight bytes
// at a time.
struct TextStops {
  std::array<bool, 256> stop{};
  bool by_words = false;
};

constexpr TextStops text_stops(const std::array<bool, 256>& stop) {
  TextStops t{stop, true};
  for (int b = 0; b < 256; ++b) {
    const bool flagged = b < 0x20 || b == '-' || b == 0x5C || b >= 0x7B;
    if (stop[static_cast<std::size_t>(b)] && !flagged) t.by_words = false;
  }
  return t;
}

namespace text_run_detail {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

// The high bit of each of the eight bytes that may be a stop byte (a byte
// below 0x20, "-", the backslash, "{" and above). A flag above the lowest
// may be false (a borrow or carry of the byte below); the lowest is exact.
inline std::uint64_t possible_stops(std::uint64_t x) {
  const std::uint64_t below_space = (x - 0x20 * kOnes) & ~x;
  const std::uint64_t dash = x ^ ('-' * kOnes);
  const std::uint64_t backslash = x ^ (0x5C * kOnes);
  const std::uint64_t is_dash = (dash - kOnes) & ~dash;
  const std::uint64_t is_backslash = (backslash - kOnes) & ~backslash;
  const std::uint64_t from_brace = (x + (0x80 - 0x7B) * kOnes) | x;
  return (below_space | is_dash | is_backslash | from_brace) & kHighs;
}

}  // namespace text_run_detail

struct TranslationGroup;

// The characters that a translation group gives as one byte of the code page
// (not the ones of the Symbol font), as that byte; a byte 0 is left to the
// writer's code unless `with_zero`.
CharBytes code_page_chars(const TranslationGroup& group, bool with_zero);

// Whether the next item of the stream is one that copy_text takes: a plain
// byte that is no stop byte, or a TableChar code, whole in the block read
// ahead, that `chars` has bytes for.
inline bool starts_text(BlockInput& in, const TextStops& stops, const CharBytes& chars) {
  if (!in.fill()) return false;
  const std::uint8_t* at = in.data();
  if (!stops.stop[at[0]]) return true;
  return in.available() >= 4 && at[0] == kEscape && at[1] == TableChar && chars.at(at[2], at[3]).length != 0;
}

// What copy_text took and wrote.
struct TextRun {
  std::size_t taken = 0;    // stream bytes
  std::size_t written = 0;  // target bytes
  std::size_t plain = 0;    // plain bytes among them
  std::size_t chars = 0;    // TableChar codes
  int last = -1;            // the last item taken: a plain byte, or -1 for a code
};

// Copies, from the block of the stream read ahead, the plain bytes that are
// no stop bytes and the TableChar codes that `chars` has bytes for, into
// `to`, which has room for `room` bytes; at most `plain_limit` plain bytes.
// Ends at the first other item, at the end of the block read ahead (the next
// call reads on) or when the room or the limit is reached.
//
// Text and accented letters alternate every few bytes. Where it can, the
// loop copies eight bytes at once up to the first possible stop byte, then
// takes the item there (a code or a plain byte) without a branch on which it
// is, so that it leaves only at an item it cannot take.
inline TextRun copy_text(BlockInput& in, std::uint8_t* to, std::size_t room, const TextStops& stops,
                         const CharBytes& chars, std::size_t plain_limit = SIZE_MAX) {
  TextRun run;
  if (!in.fill()) return run;
  const std::array<bool, 256>& stop = stops.stop;
  const std::uint8_t* const first = in.data();
  const std::uint8_t* from = first;
  const std::uint8_t* const end = first + in.available();
  std::uint8_t* const to_first = to;
  std::uint8_t* const to_end = to + room;
  std::size_t plain = 0, codes = 0;
  int last = -1;
  if (stops.by_words) {
    // Each step reads at most twelve bytes and writes at most twelve.
    while (end - from >= 12 && to_end - to >= 12 && plain_limit - plain >= 9) {
      std::uint64_t word;
      std::memcpy(&word, from, 8);
      std::memcpy(to, &word, 8);
      const unsigned n = static_cast<unsigned>(std::countr_zero(text_run_detail::possible_stops(word))) >> 3;
      from += n;
      to += n;
      plain += n;
      const std::uint8_t c = from[0];
      const bool code = (c == kEscape) & (from[1] == TableChar);
      const CharBytes::Entry& e = chars.at(from[2], from[3]);
      if (code ? e.length == 0 : stop[c]) {
        if (n > 0) last = from[-1];
        break;
      }
      std::uint8_t bytes[4];
      std::memcpy(bytes, e.bytes, 4);
      bytes[0] = code ? bytes[0] : c;
      std::memcpy(to, bytes, 4);
      to += code ? e.length : 1;
      from += code ? 4 : 1;
      plain += !code;
      codes += code;
      last = code ? -1 : c;
    }
  }
  // Up to the end of the block and of the room, one item at a time.
  for (;;) {
    std::size_t n = static_cast<std::size_t>(end - from);
    if (n > static_cast<std::size_t>(to_end - to)) n = static_cast<std::size_t>(to_end - to);
    if (n > plain_limit - plain) n = plain_limit - plain;
    const std::uint8_t* const start = from;
    const std::uint8_t* const run_end = from + n;
    while (from < run_end && !stop[*from]) *to++ = *from++;
    if (from != start) {
      plain += static_cast<std::size_t>(from - start);
      last = from[-1];
    }
    if (from == run_end) break;  // a limit, not a stop byte
    if (end - from < 4 || from[0] != kEscape || from[1] != TableChar || to_end - to < 4) break;
    const CharBytes::Entry& e = chars.at(from[2], from[3]);
    if (e.length == 0) break;
    std::memcpy(to, e.bytes, 4);
    to += e.length;
    from += 4;
    ++codes;
    last = -1;
  }
  run.taken = static_cast<std::size_t>(from - first);
  run.written = static_cast<std::size_t>(to - to_first);
  run.plain = plain;
  run.chars = codes;
  run.last = last;
  in.skip(run.taken);
  return run;
}

// The same into an output buffer, which takes what was written.
inline TextRun copy_text(BlockInput& in, OutputBuffer& out, const TextStops& stops, const CharBytes& chars,
                         std::size_t plain_limit = SIZE_MAX) {
  std::uint8_t* const to = out.space(4);  // (before space_left: it may send the block on)
  const TextRun run = copy_text(in, to, out.space_left(), stops, chars, plain_limit);
  out.commit(run.written);
  return run;
}

}  // namespace lettrix
