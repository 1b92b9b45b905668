#pragma once

#include "core/signature.h"

namespace lettrix {

// "Unicode Text (UTF-8)": every character of the stream as its Unicode
// character in UTF-8 after a byte order mark, LF line ends, one line for
// each paragraph; the running heads once before the text and the footers
// once after it, notes numbered "[1]" at their calls and listed after the text.
int dest_utf8_text(const char* stream_path, const char* target_path);

// Its output test: text after the UTF-8 byte order mark.
OutputMatch output_test_utf8_text(std::span<const std::uint8_t> head);

}  // namespace lettrix
