// What lettrix-convert does with its arguments, apart from parsing them.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace lettrix {

struct ConvertOptions {
  int source_row = 0;
  int target_row = 0;
  bool recursive = false;
  // Where the targets go: "" beside their sources, "-" standard output (one
  // input only), else a folder (created when missing).
  std::string output_dir;
  int verbosity = 1;      // 0 (-q) errors only, 1 normal, 2 (-v) formats and sizes too
  bool progress = false;  // a progress line on err (a terminal) for batches
};

// Converts each argument with the chosen registry rows: a plain name as one
// file, "-" as standard input, a wildcard pattern as a batch (recursive with
// `recursive`), searched in the pattern's own directory. Prints
// "SOURCE -> TARGET" to out for each file converted (to err when the target
// itself goes to out), "SOURCE: error: REASON" to err for each failure, and
// for a batch the summary "N converted, N failed, N skipped" to err. Returns
// the exit status: 0 when every file converted, 1 otherwise.
int run_conversions(const ConvertOptions& options, const std::vector<std::string>& args, std::istream& in,
                    std::ostream& out, std::ostream& err);

// Runs the reader of source_row on file and prints its intermediate stream as
// readable tokens. Returns 0, or 1 when the reader fails.
int dump_stream(int source_row, const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace lettrix
