// Style bytes: one byte whose bits switch character attributes on and off,
// as Macintosh programs store a run's text style.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "core/emitter.h"

namespace lettrix {

// The on and off operations of one attribute; null for a bit that means
// nothing to the stream.
struct AttributeOps {
  void (*on)(std::FILE*, CharState&, int) = nullptr;
  void (*off)(std::FILE*, CharState&) = nullptr;
};

// The attribute of each bit, bit 0 first.
using StyleBitTable = std::array<AttributeOps, 8>;

// The text style byte of the Macintosh word processors (MacWrite 4.6, Works 2):
// bit 0 bold, 1 italic, 2 underline, 3 outline, 4 shadow, 5 superscript,
// 6 subscript; bit 7 means nothing.
extern const StyleBitTable kMacStyleBits;

// Switches on the attribute of every set bit that is off, and switches off
// the attribute of every clear bit that is on.
void apply_style_bits(std::FILE* out, CharState& cs, std::uint8_t style, const StyleBitTable& table);

}  // namespace lettrix
