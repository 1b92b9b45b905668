#pragma once

#include "core/signature.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace lettrix {

// Reader of "Ragtime 3": the text components that the component entries of a
// Ragtime 3 document name, in the order of the entries.
int orig_ragtime3(const char* source_path, const char* stream_path);

// Whether a document (data fork) of `size` bytes whose first bytes are `head`
// carries a Ragtime 3 version and holds the component entries it counts.
bool is_ragtime3_document(std::span<const std::uint8_t> head, std::size_t size);

// Its signature test (core/signature.h).
Confidence signature_ragtime_3(const DataForkView& fork, std::string* why);

}  // namespace lettrix
