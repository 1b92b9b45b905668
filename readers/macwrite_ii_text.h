// The text bytes of a MacWrite II zone that need nothing but their own
// characters, written in pieces: what each byte value writes in a font's
// character set is worked out once per character table, so that a run of
// text goes out with a table look-up and a copy per byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

#include "core/charset.h"

namespace lettrix::macwrite_ii {

// What one text byte writes.
struct TextExpansion {
  enum Kind : std::uint8_t {
    Written,  // `length` bytes (none, a character, or a TableChar code), `column` added to the column
    Space,    // a space (one byte, no column), or a line break past the right margin
    Other,    // anything else: left to the byte-by-byte writer
  };
  std::uint8_t bytes[4] = {};
  Kind kind = Other;
  std::uint8_t length = 0;
  std::uint8_t column = 0;
  std::uint8_t space = 0;  // 1 for a space (eight bytes in all: an entry is found with a shift)
};
using TextExpansions = std::array<TextExpansion, 256>;

// The expansions of every byte in a font whose characters `table` gives:
// tabs and page breaks as they stand; the other bytes below 0x20 (paragraph
// ends, note marks and the bytes that are dropped), the backslash and the
// non-breaking space (0xCA) are Other, as is a character whose table entry
// is the escape byte; every other byte writes what write_source_char writes
// and counts one column.
TextExpansions text_expansions(const ReaderTable& table);

// The expansions for the tables met so far (the few character tables there
// are), worked out when a table is first met.
class ExpansionCache {
 public:
  const TextExpansions& of(const ReaderTable& table);

 private:
  struct Slot {
    const ReaderTable* table = nullptr;
    TextExpansions expansions;
  };
  std::array<Slot, 4> slots_;
  std::size_t next_ = 0;
};

// Writes the bytes at the start of `text` that `expansions` does not call
// Other, as the byte-by-byte writer would: a space whose column is past
// `width` becomes a line break and sets the column back to 0. Returns how
// many bytes it took; `column` follows them.
std::size_t write_expanded_text(std::FILE* out, const TextExpansions& expansions, std::span<const std::uint8_t> text,
                                long& column, long width);

}  // namespace lettrix::macwrite_ii
