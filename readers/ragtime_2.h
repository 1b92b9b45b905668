#pragma once

#include "core/signature.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace lettrix {

// Reader of "Ragtime 2": the text components of every page of a Ragtime 2
// document, in page order, with a page break after each page.
int orig_ragtime2(const char* source_path, const char* stream_path);

// Whether a document (data fork) of `size` bytes whose first bytes are `head`
// carries the Ragtime 2 version and is long enough to name a first page.
bool is_ragtime2_document(std::span<const std::uint8_t> head, std::size_t size);

// Its signature test (core/signature.h).
Confidence signature_ragtime_2(const DataForkView& fork, std::string* why);

}  // namespace lettrix
