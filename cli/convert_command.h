// What lettrix-convert does with its arguments, apart from parsing them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lettrix {

// The source "row" of -f auto: each file's format is told by its content.
inline constexpr int kDetectSource = -1;

// Converts each argument with the given registry rows (source_row may be
// kDetectSource): a plain name as one
// file, a wildcard pattern as a batch (recursive with `recursive`), searched in
// the pattern's own directory. Prints "SOURCE -> TARGET" to out for each file
// converted, "SOURCE: skipped: REASON" to out for each file detection passed
// over, "SOURCE: warning: looks like FORMAT" to err when the content
// contradicts the chosen format, and "SOURCE: error: REASON" to err for each
// failure. Returns the exit status: 0 when every file converted or, within a
// pattern, was skipped; 1 otherwise.
int run_conversions(int source_row, int target_row, const std::vector<std::string>& args, bool recursive,
                    std::ostream& out, std::ostream& err);

// Prints "FILE: FORMAT (CONFIDENCE)" for each file, or what else it is
// ("not a Macintosh document we read", "already converted (RTF)"). Returns 0,
// or 1 when a file cannot be read or its wrapper is damaged.
int identify_files(const std::vector<std::string>& files, std::ostream& out, std::ostream& err);

// Runs the reader of source_row (or of the detected format) on file and prints its intermediate stream as
// readable tokens. Returns 0, or 1 when the reader fails.
int dump_stream(int source_row, const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace lettrix
