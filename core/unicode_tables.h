// The Unicode text of the character repertoire (core/charset.h), for targets
// that hold every character: UTF-8 text of each position, generated with the
// code-page groups by tools/gen_charsets.py.
#pragma once

#include <cstdint>

namespace lettrix {

// kRepertoireUtf8[table - 1][index]: one character, or a few where the
// repertoire's character has no single code point (a lone accent is its
// spacing form, or stands on a no-break space); null where the repertoire
// defines nothing.
extern const char* const kRepertoireUtf8[14][256];

// The one code point of each position, 0 where it has none or several.
extern const std::uint16_t kRepertoireCodePoint[14][256];
// The characters of code pages 437 and 1252, 0 for control bytes and for
// bytes that code page 1252 leaves undefined.
extern const std::uint16_t kCodePage437Unicode[256];
extern const std::uint16_t kCodePage1252Unicode[256];

inline std::uint16_t position_code_point(int table, int index) {
  if (table < 1 || table > 14 || index < 0 || index > 255) return 0;
  return kRepertoireCodePoint[table - 1][index];
}

// The UTF-8 text of position (table, index); null outside 1..14 and 0..255
// or where nothing is defined.
inline const char* position_utf8(int table, int index) {
  if (table < 1 || table > 14 || index < 0 || index > 255) return nullptr;
  return kRepertoireUtf8[table - 1][index];
}

}  // namespace lettrix
