// Writing one source character to the stream through a reader table.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/charset.h"

namespace lettrix {

// Writes the character of a source byte (not a structure byte) as its table
// entry says: TableChar for an entry with a high byte, the Backslash code for
// a plain backslash (never a bare escape byte), the plain byte otherwise; an
// entry of 0 writes nothing. Returns the byte written when it was a single
// plain printable character, else 0.
int write_source_char(std::FILE* out, const ReaderTable& table, std::uint8_t byte);

}  // namespace lettrix
