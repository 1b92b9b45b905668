// Runs a reader or writer on fuzzed bytes through real files in a private
// temporary directory, and checks what every handler must guarantee.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/handler.h"
#include "core/source_view.h"

namespace lettrix::fuzz {

// Runs a reader on the bytes; aborts when its stream is not well formed
// (ends inside a code, or an embedded text is left open or nested).
void run_reader(Handler reader, const std::uint8_t* data, std::size_t size);
// Runs a writer on the bytes taken as an intermediate stream.
void run_writer(Handler writer, const std::uint8_t* data, std::size_t size);
// Runs an RTF writer on the bytes; aborts when a document does not begin with
// "{\rtf1" or a backslash in it begins neither a control word, nor a hex
// escape \'XX, nor an escaped "{", "}", "\" or "~", and when a failed run
// leaves output behind.
void run_rtf_writer(Handler writer, const std::uint8_t* data, std::size_t size);

// Runs a writer on the bytes and hands its result and its whole output to the
// check, which aborts on what the format forbids.
void run_writer_checked(Handler writer, const std::uint8_t* data, std::size_t size,
                        void (*check)(int result, const std::string& output));

// Writes the bytes to the file `name` in the process's private work folder
// and returns its path.
std::string input_file(const char* name, const std::uint8_t* data, std::size_t size);

// Aborts unless the fork holds `expected` bytes and every one of them, and
// no more, can be read through a SourceView of it.
void check_fork(const SourceFork& fork, std::uint64_t expected);

// Checks that a wrapper decoder's work file holds what it should: aborts
// when its size differs from expected (-1: anything goes).
void check_file_size(std::FILE* f, long expected);

}  // namespace lettrix::fuzz
