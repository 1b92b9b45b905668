#include "readers/macwrite_ii_text.h"

#include <cstring>

#include "core/stream_codes.h"
#include "support/byte_io.h"

namespace lettrix::macwrite_ii {

TextExpansions text_expansions(const ReaderTable& table) {
  TextExpansions expansions;
  for (int byte = 0; byte < 256; ++byte) {
    TextExpansion& x = expansions[static_cast<std::size_t>(byte)];
    if (byte == kTab || byte == kPageBreak) {
      x = {TextExpansion::Written, 1, 0, {static_cast<std::uint8_t>(byte)}};
      continue;
    }
    if (byte == ' ') {
      x.kind = TextExpansion::Space;
      continue;
    }
    if (byte < 0x20 || byte == kEscape || byte == 0xCA) continue;
    const std::uint16_t entry = table[static_cast<std::size_t>(byte)];
    if (is_table_char(entry)) {
      x = {TextExpansion::Written, 4, 1,
           {kEscape, TableChar, static_cast<std::uint8_t>(entry_table(entry)),
            static_cast<std::uint8_t>(entry_index(entry))}};
    } else if (entry_index(entry) == 0) {
      x = {TextExpansion::Written, 0, 1, {}};
    } else if (entry_index(entry) != kEscape) {
      x = {TextExpansion::Written, 1, 1, {static_cast<std::uint8_t>(entry_index(entry))}};
    }
  }
  return expansions;
}

const TextExpansions& ExpansionCache::of(const ReaderTable& table) {
  for (const Slot& slot : slots_)
    if (slot.table == &table) return slot.expansions;
  Slot& slot = slots_[next_];
  next_ = (next_ + 1) % slots_.size();
  slot.table = &table;
  slot.expansions = text_expansions(table);
  return slot.expansions;
}

std::size_t write_expanded_text(std::FILE* out, const TextExpansions& expansions, std::span<const std::uint8_t> text,
                                long& column, long width) {
  // Text comes a 256-byte block at a time: four bytes each at most.
  constexpr std::size_t kPiece = 256;
  std::uint8_t piece[4 * kPiece];
  std::size_t taken = 0;
  long at = column;  // in a register: the bytes stored below could alias `column`
  while (taken < text.size()) {
    const std::size_t end = text.size() - taken < kPiece ? text.size() : taken + kPiece;
    std::size_t used = 0, n = taken;
    for (; n < end; ++n) {
      const TextExpansion& x = expansions[text[n]];
      if (x.kind == TextExpansion::Written) {
        std::memcpy(piece + used, x.bytes, sizeof x.bytes);
        used += x.length;
        at += x.column;
      } else if (x.kind == TextExpansion::Space) {
        const bool wrap = at > width;
        piece[used++] = wrap ? kLineBreak : ' ';
        if (wrap) at = 0;
      } else {
        break;
      }
    }
    if (used < 32) {
      for (std::size_t i = 0; i < used; ++i) put_byte(piece[i], out);
    } else {
      std::fwrite(piece, 1, used, out);
    }
    taken = n;
    if (n < end) break;
  }
  column = at;
  return taken;
}

}  // namespace lettrix::macwrite_ii
