// Writing one source character to the stream through a reader table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/charset.h"
#include "core/stream_codes.h"
#include "support/byte_io.h"

namespace lettrix {

// TableChar for a reader-table entry with a high byte (four unlocked byte
// writes: accented letters are frequent, and an fwrite call costs more than
// its bytes); the Backslash code.
inline void write_table_char(std::FILE* out, std::uint16_t entry) {
  put_byte(kEscape, out);
  put_byte(TableChar, out);
  put_byte(entry_table(entry), out);
  put_byte(entry_index(entry), out);
}
void write_backslash(std::FILE* out);

// Writes the character of a source byte (not a structure byte) as its table
// entry says: TableChar for an entry with a high byte, the Backslash code for
// a plain backslash (never a bare escape byte), the plain byte otherwise; an
// entry of 0 writes nothing. Returns the byte written when it was a single
// plain printable character, else 0.
inline int write_source_char(std::FILE* out, const ReaderTable& table, std::uint8_t byte) {
  const std::uint16_t entry = table[byte];
  if (is_table_char(entry)) {
    write_table_char(out, entry);
    return 0;
  }
  const int plain = entry_index(entry);
  if (plain == 0) return 0;
  if (plain == kEscape) {
    write_backslash(out);
    return 0;
  }
  put_byte(plain, out);
  return (plain >= 0x20 && plain < 0x7F) ? plain : 0;
}

// The repertoire position (reader-table entry: table in the high byte) of the
// character with code point cp, the first in table order where several
// hold it; 0 when the repertoire has none.
std::uint16_t repertoire_entry_of(std::uint16_t cp);

// The stream bytes of a character given by its code point, into bytes, and
// how many: ASCII as the plain byte (a backslash as the Backslash code), a
// no-break space as a space (as the Macintosh table has it), a character
// the repertoire holds as TableChar, any other as UnicodeChar. Control
// characters and 0 stand as the replacement character U+FFFD.
std::size_t code_point_stream_bytes(std::uint16_t cp, std::uint8_t (&bytes)[4]);

}  // namespace lettrix
