#pragma once

#include "core/signature.h"

namespace lettrix {

// "Word 3/4/5 DOS": a Word for DOS document (code page 437, characters from
// translation group 0) with character and paragraph properties, tab stops,
// running heads and footnotes. The style sheet is left to the word
// processor: the document names "NORMAL.STY".
//
// Returns 0; -1 when a file cannot be opened, a work file cannot be had, a
// write fails or the document is too large for the format's 16-bit page
// numbers (the target is then left empty). An empty stream gives an empty
// document.
int dest_word_dos(const char* stream_path, const char* target_path);

// Its output test (core/signature.h): how detection knows a file it wrote.
OutputMatch output_test_word_dos(std::span<const std::uint8_t> head);

}  // namespace lettrix
