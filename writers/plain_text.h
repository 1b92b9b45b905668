#pragma once

#include "core/signature.h"

namespace lettrix {

// "Ascii (DOS)": plain text in code page 437.
int dest_ascii(const char* stream_path, const char* target_path);
// "Ansi (Windows)": plain text in code page 1252.
int dest_ansi(const char* stream_path, const char* target_path);

// The notes written so far in this run of the program (each note's marker
// carries the next number); tests reset it.
int plain_text_note_count();
void reset_plain_text_note_count();

// Its output test (core/signature.h): how detection knows a file it wrote.
OutputMatch output_test_pc_text(std::span<const std::uint8_t> head);

}  // namespace lettrix
