#pragma once

#include <cstdint>
#include <span>

namespace lettrix {

// Reader of "Ragtime 3": the text components that the component entries of a
// Ragtime 3 document name, in the order of the entries.
int orig_ragtime3(const char* source_path, const char* stream_path);

// Whether the document bytes (data fork) carry a Ragtime 3 version and hold
// the component entries they count.
bool is_ragtime3_document(std::span<const std::uint8_t> doc);

}  // namespace lettrix
