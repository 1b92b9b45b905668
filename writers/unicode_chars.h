// What the writers of Unicode targets share: the UTF-8 bytes of the
// repertoire for the copy loop, a code point in UTF-8, and the copy of a work
// file (notes gathered while the text was written) onto the target.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "support/output_buffer.h"
#include "writers/text_run.h"

namespace lettrix {

// The UTF-8 bytes of every repertoire position the repertoire defines (the
// system font's symbols left to the writer's code, see writers/system_symbols.h);
// with fill_undefined, the others as "_", else left to the writer's code too;
// with leave_ascii, a position whose text holds an ASCII character (a
// spacing accent such as "`") is left to the writer's code, which escapes it.
WideCharBytes unicode_char_bytes(bool fill_undefined, bool leave_ascii = false);

// A code point below 0x10000 in UTF-8, in buf.
std::string_view utf8_of(std::uint16_t code_point, char (&buf)[4]);

// The text of a TableChar code: its Unicode text, the system font's symbols
// by their forms (writers/system_symbols.h), "_" for a position the
// repertoire leaves undefined, nothing for a table outside 1 to 14. `buf`
// holds the text when it is made here.
std::string_view table_char_text(int table, int index, char (&buf)[4]);

// The UTF-8 text of a UnicodeChar code, whose operands are the high and low
// bytes of its code point: U+FFFD for a code point no text may hold (a
// control character, a surrogate, a non-character) and for ASCII, which the
// stream writes as plain bytes.
std::string_view unicode_char_text(int high, int low, char (&buf)[4]);

// Appends the whole of a work file to out. False when it cannot be read.
bool append_work_file(std::FILE* from, OutputBuffer& out);

}  // namespace lettrix
