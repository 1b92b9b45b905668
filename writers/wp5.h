#pragma once

#include "core/signature.h"

namespace lettrix {

// "Wordperfect 5": a WordPerfect 5.0 document, written in one pass. Characters
// of the repertoire keep their table and index as WordPerfect character set
// and character. Returns 0 (an empty stream gives an empty document), or -1
// when a file cannot be opened or the document cannot be written.
int dest_wp5(const char* stream_path, const char* target_path);

// Its output test (core/signature.h): how detection knows a file it wrote.
OutputMatch output_test_wp5(std::span<const std::uint8_t> head);

}  // namespace lettrix
