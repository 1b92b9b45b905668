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
      x = {{static_cast<std::uint8_t>(byte)}, TextExpansion::Written, 1, 0};
      continue;
    }
    if (byte == ' ') {
      x = {{' '}, TextExpansion::Space, 1, 0, 1};
      continue;
    }
    if (byte < 0x20 || byte == kEscape || byte == 0xCA) continue;
    const std::uint16_t entry = table[static_cast<std::size_t>(byte)];
    if (is_table_char(entry)) {
      x = {{kEscape, TableChar, static_cast<std::uint8_t>(entry_table(entry)),
            static_cast<std::uint8_t>(entry_index(entry))},
           TextExpansion::Written, 4, 1};
    } else if (entry_index(entry) == 0) {
      x = {{}, TextExpansion::Written, 0, 1};
    } else if (entry_index(entry) != kEscape) {
      x = {{static_cast<std::uint8_t>(entry_index(entry))}, TextExpansion::Written, 1, 1};
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
      // Without branches but the one that ends the piece: spaces come every
      // few letters, and a branch on them would be mispredicted each time.
      const TextExpansion& x = expansions[text[n]];
      if (x.kind == TextExpansion::Other) break;
      // keep: all ones, or 0 when the space breaks the line (masks, not
      // multiplications: the column is carried from byte to byte).
      const long keep = (x.space & static_cast<long>(at > width)) - 1;
      piece[used] = static_cast<std::uint8_t>(x.bytes[0] ^ (~keep & (' ' ^ kLineBreak)));
      std::memcpy(piece + used + 1, x.bytes + 1, 3);
      used += x.length;
      at = (at + x.column) & keep;
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
