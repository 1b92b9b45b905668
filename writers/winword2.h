#pragma once

#include "core/signature.h"

namespace lettrix {

// "Word Windows 2": a Word for Windows 2.0 document (extension "DOC") with
// style sheet, font table, character and paragraph properties, footnotes,
// one header and one footer. Returns 0, -1 when a file cannot be opened or
// written, or -3 when the document is too large for the format's 16-bit page
// numbers (about 32 MB); on failure the target is removed. An empty stream
// gives an empty document.
int dest_winword2(const char* stream_path, const char* target_path);

// Its output test (core/signature.h): how detection knows a file it wrote.
OutputMatch output_test_winword2(std::span<const std::uint8_t> head);

}  // namespace lettrix
