#pragma once

#include "core/signature.h"

namespace lettrix {

// "RTF Ascii (DOS)": Rich Text Format declaring the PC code page (\pc), with
// characters from translation group 0; bar tab stops are written.
int dest_rtf_ascii(const char* stream_path, const char* target_path);
// "RTF Ansi (Windows)": Rich Text Format declaring the ANSI code page (\ansi),
// with characters from translation group 1; bar tab stops are left out.
//
// Both return 0, or -1 when a file cannot be opened or written. An empty
// stream is a blank document: a valid RTF document without text.
int dest_rtf_ansi(const char* stream_path, const char* target_path);

// Its output test (core/signature.h): how detection knows a file it wrote.
OutputMatch output_test_rtf(std::span<const std::uint8_t> head);

}  // namespace lettrix
