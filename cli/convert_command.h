// What lettrix-convert does with its arguments, apart from parsing them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lettrix {

// Converts each argument with the given registry rows: a plain name as one
// file, a wildcard pattern as a batch (recursive with `recursive`), searched in
// the pattern's own directory. Prints "SOURCE -> TARGET" to out for each file
// converted and "SOURCE: error: REASON" to err for each failure. Returns the
// exit status: 0 when every file converted, 1 otherwise.
int run_conversions(int source_row, int target_row, const std::vector<std::string>& args, bool recursive,
                    std::ostream& out, std::ostream& err);

// Runs the reader of source_row on file and prints its intermediate stream as
// readable tokens. Returns 0, or 1 when the reader fails.
int dump_stream(int source_row, const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace lettrix
