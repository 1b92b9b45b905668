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
// with fill_undefined, the others as "_", else left to the writer's code too.
WideCharBytes unicode_char_bytes(bool fill_undefined);

// A code point below 0x10000 in UTF-8, in buf.
std::string_view utf8_of(std::uint16_t code_point, char (&buf)[4]);

// Appends the whole of a work file to out. False when it cannot be read.
bool append_work_file(std::FILE* from, OutputBuffer& out);

}  // namespace lettrix
