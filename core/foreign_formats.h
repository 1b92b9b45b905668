// Files of other systems whose first bytes say what they are: programs,
// archives, pictures, compressed files, and texts that declare themselves
// (XML, HTML, scripts). None of them is a Macintosh document,
// however well its numbers happen to fit a document's header (a program of
// megabytes has a plausible offset almost anywhere).
#pragma once

#include <cstdint>
#include <span>

namespace lettrix {

// What the file is, as the user would call it ("an ELF program or library"),
// or null when its first bytes are no known mark of another format.
const char* foreign_format(std::span<const std::uint8_t> head);

}  // namespace lettrix
