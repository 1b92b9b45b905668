#pragma once

#include "core/signature.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lettrix {

// Reader of "MacWrite 4.6": header, footer and main text of a version 6
// MacWrite document (MacWrite 4.5 to 5) with character formats, rulers and
// page breaks, from its data fork (the view looks through a wrapper). A
// version 3 document is handed to the MacWrite 2.2 reader.
int orig_macw46(const char* source_path, const char* stream_path);

// The characters of a compressed paragraph: `count` characters unpacked from
// the nibble stream `packed` (high nibble first; nibbles 0 to 14 stand for
// " etnroaisdlhcfp", nibble 15 for the character whose code the next two
// nibbles hold). `consumed` gets the number of bytes used. When the data ends
// first, the characters unpacked so far.
std::vector<std::uint8_t> unpack_macwrite_text(std::span<const std::uint8_t> packed, std::size_t count,
                                               std::size_t& consumed);

// Its signature test (core/signature.h).
Confidence signature_macwrite_46(const DataForkView& fork, std::string* why);

}  // namespace lettrix
