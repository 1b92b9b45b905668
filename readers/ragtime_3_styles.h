// The text styles of a Ragtime 3 document, which its character runs name by
// number. Where the document keeps them:
//
// A zone index: a 16-bit length L (its own two bytes included), then entries
// of 10 bytes up to L: +0 (4) offset of a zone counted from the index's first
// byte, +4 (4) the zone's tag, +8 (2) a number. The first entry's zone
// follows the index directly, so its offset is L. Two of the tags:
//
//   "FHfl"  the font list      records: +6 (2) Macintosh font number
//   "FHsl"  the style list     records: +4 (2) font (from 1, in the font list)
//                                       +6 (2) size in points
//                                       +10 (2) style: bit 0 bold, 1 italic,
//                                         2 underline, 3 outline, 4 shadow,
//                                         7 superscript, 8 subscript
//
// A zone: a 32-bit length Z of what follows, then a header of H bytes that
// starts with H itself (16-bit), the record length R (16-bit) and the record
// count N (16-bit); the N records follow the header.
#pragma once

#include <cstdint>
#include <vector>

#include "readers/ragtime_common.h"

namespace lettrix::ragtime {

struct TextStyle {
  int font_number = -1;  // -1: the font list does not name it
  int points = 0;
  std::uint16_t style = 0;  // decoded through kRagtime3Style (core/style_bits.h)
};

// The style list, style 1 first; empty when the document has none that can
// be found and read whole. Only bytes from `from` on are searched for the index.
std::vector<TextStyle> read_text_styles(SourceView& doc, std::size_t from);

}  // namespace lettrix::ragtime
