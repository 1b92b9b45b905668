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
// to four or twelve bytes each. A length of 0 leaves the character to the writer's
// own code. A character `alone` is written as a group of its own, which a
// character right after it that is alone too would join instead (Symbol
// characters in RTF, "{\f1 \'b0}"): such a pair is left to the writer's own
// code.
template <std::size_t MaxBytes>
class BasicCharBytes {
 public:
  static constexpr int kTables = 14;
  static constexpr std::size_t kMaxBytes = MaxBytes;

  struct alignas(MaxBytes <= 6 ? 8 : 16) Entry {
    std::uint8_t bytes[kMaxBytes] = {};
    std::uint8_t length = 0;
    bool alone = false;
  };

  void set(int table, int index, const std::uint8_t* bytes, std::size_t length, bool alone = false) {
    if (table < 1 || table > kTables) return;
    Entry& e = entries_[slot(static_cast<std::uint8_t>(table), static_cast<std::uint8_t>(index))];
    e.length = static_cast<std::uint8_t>(length < kMaxBytes ? length : kMaxBytes);
    for (std::size_t i = 0; i < e.length; ++i) e.bytes[i] = bytes[i];
    e.alone = alone;
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

// Up to four bytes a character (no character alone), and up to twelve.
using CharBytes = BasicCharBytes<4>;
using WideCharBytes = BasicCharBytes<12>;

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

// Whether the character `alone` whose code starts at `at` may be taken: the
// item after it is known and would end its group, so it is no TableChar
// code of a character alone nor of a table outside 1 to 14 (which writers
// drop, leaving the group open).
template <typename Chars>
bool alone_may_go(const std::uint8_t* at, const std::uint8_t* end, const Chars& chars) {
  const std::ptrdiff_t known = end - at;
  if (known < 5) return false;
  if (at[4] != kEscape) return true;
  if (known < 6) return false;
  if (at[5] != TableChar) return true;
  if (known < 8) return false;
  return at[6] >= 1 && at[6] <= Chars::kTables && !chars.at(at[6], at[7]).alone;
}

}  // namespace text_run_detail

struct TranslationGroup;

// The characters that a translation group gives as one byte of the code page
// (not the ones of the Symbol font), as that byte; a byte 0 is left to the
// writer's code unless `with_zero`, and so are the system font's symbols.
CharBytes code_page_chars(const TranslationGroup& group, bool with_zero);

// Whether the next item of the stream is one that copy_text takes: a plain
// byte that is no stop byte, or a TableChar code, whole in the block read
// ahead, that `chars` has bytes for.
template <typename Chars>
bool starts_text(BlockInput& in, const TextStops& stops, const Chars& chars) {
  if (!in.fill()) return false;
  const std::uint8_t* at = in.data();
  if (!stops.stop[at[0]]) return true;
  if (in.available() < 4 || at[0] != kEscape || at[1] != TableChar) return false;
  const auto& e = chars.at(at[2], at[3]);
  return e.length != 0 && (!e.alone || text_run_detail::alone_may_go(at, at + in.available(), chars));
}

// Whether the next item is a TableChar code, whole in the block read ahead,
// of a character that `chars` writes alone.
template <typename Chars>
bool starts_alone(BlockInput& in, const Chars& chars) {
  if (!in.fill() || in.available() < 4) return false;
  const std::uint8_t* at = in.data();
  return at[0] == kEscape && at[1] == TableChar && chars.at(at[2], at[3]).alone;
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
template <typename Chars>
TextRun copy_text(BlockInput& in, std::uint8_t* to, std::size_t room, const TextStops& stops, const Chars& chars,
                  std::size_t plain_limit = SIZE_MAX) {
  constexpr std::size_t kMax = Chars::kMaxBytes;
  // Characters alone come only with wide entries.
  constexpr bool kWide = kMax > 4;
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
    // Each step reads at most sixteen bytes and writes at most 8 + kMax.
    while (end - from >= 16 && static_cast<std::size_t>(to_end - to) >= 8 + kMax && plain_limit - plain >= 9) {
      std::uint64_t word;
      std::memcpy(&word, from, 8);
      std::memcpy(to, &word, 8);
      const unsigned n = static_cast<unsigned>(std::countr_zero(text_run_detail::possible_stops(word))) >> 3;
      from += n;
      to += n;
      plain += n;
      const std::uint8_t c = from[0];
      const bool code = (c == kEscape) & (from[1] == TableChar);
      const auto& e = chars.at(from[2], from[3]);
      bool refused = e.length == 0;
      if constexpr (kWide) {
        const bool joins = chars.at(from[6], from[7]).alone | (static_cast<unsigned>(from[6]) - 1u >= Chars::kTables);
        refused |= e.alone & (from[4] == kEscape) & (from[5] == TableChar) & joins;
      }
      if (code ? refused : stop[c]) {
        if (n > 0) last = from[-1];
        break;
      }
      std::uint8_t bytes[kMax];
      std::memcpy(bytes, e.bytes, sizeof bytes);
      bytes[0] = code ? bytes[0] : c;
      std::memcpy(to, bytes, sizeof bytes);
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
    if (end - from < 4 || from[0] != kEscape || from[1] != TableChar) break;
    const auto& e = chars.at(from[2], from[3]);
    if (e.length == 0 || static_cast<std::size_t>(to_end - to) < e.length) break;
    if (kWide && e.alone && !text_run_detail::alone_may_go(from, end, chars)) break;
    std::memcpy(to, e.bytes, e.length);
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
template <typename Chars>
TextRun copy_text(BlockInput& in, OutputBuffer& out, const TextStops& stops, const Chars& chars,
                  std::size_t plain_limit = SIZE_MAX) {
  std::uint8_t* const to = out.space(Chars::kMaxBytes);  // (before space_left: it may send the block on)
  const TextRun run = copy_text(in, to, out.space_left(), stops, chars, plain_limit);
  out.commit(run.written);
  return run;
}

}  // namespace lettrix
