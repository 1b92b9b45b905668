// What lettrix-convert does with its arguments, apart from parsing them.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "support/file_handle.h"

namespace lettrix {

// The source "row" of -f auto: each file's format is told by its content.
inline constexpr int kDetectSource = -1;

struct ConvertOptions {
  int source_row = 0;  // or kDetectSource
  int target_row = 0;
  bool recursive = false;
  // Where the targets go: "" beside their sources, "-" standard output (one
  // input only), else a folder (created when missing).
  std::string output_dir;
  int verbosity = 1;      // 0 (-q) errors only, 1 normal, 2 (-v) formats and sizes too
  bool progress = false;  // a progress line on err (a terminal) for batches
  bool skip_existing = false;  // leave a source whose target name exists (core/driver.h)
  std::string report;          // --report: the JSON Lines file of a record per source (cli/report.h)
  int jobs = 1;                // files converted at once, each by a worker process of its own (core/batch_workers.h)
};

// Converts each argument with the chosen registry rows: a plain name as one
// file, "-" as standard input, a wildcard pattern as a batch (recursive with
// `recursive`), searched in the pattern's own directory. Prints
// "SOURCE -> TARGET" to out for each file converted (to err when the target
// itself goes to out), "SOURCE: error: REASON" to err for each failure,
// "SOURCE: skipped: REASON" to err for a file detection passed over,
// "SOURCE: warning: looks like FORMAT" to err when the content contradicts
// the chosen format, and
// for a batch the summary "N converted, N failed, N skipped" to err. Returns
// the exit status: 0 when every file converted, 1 otherwise.
int run_conversions(const ConvertOptions& options, const std::vector<std::string>& args, std::istream& in,
                    std::ostream& out, std::ostream& err);

// Reads `file` with the source row's reader (or the one detection finds)
// into the stream file `stream_path`, unwrapping it as the driver does.
// Returns 0, with `damage` the reader's reason when the document is damaged
// (its stream complete all the same); 1 with the error printed to err.
int read_source_stream(int source_row, const std::string& file, const std::string& stream_path, std::ostream& err,
                       std::string& damage);

// The same into a new work stream, which `guard` removes, opened for
// reading; null with the error printed to err.
FilePtr open_source_stream(int source_row, const std::string& file, std::ostream& err, std::string& damage,
                           RemoveGuard& guard);

// Prints "FILE: FORMAT (CONFIDENCE)" for each file, or what else it is
// ("not a Macintosh document we read", "already converted (RTF)"); verbose:
// under a file of no source format, why each format's test refused it, one
// line each. Returns 0, or 1 when a file cannot be read or its wrapper is damaged.
int identify_files(const std::vector<std::string>& files, std::ostream& out, std::ostream& err,
                   bool verbose = false);

// Runs the reader of source_row (or, for kDetectSource, of the format the
// content shows) on file, unwrapped, and prints its intermediate stream as
// readable tokens. Returns 0, or 1 when the reader fails.
int dump_stream(int source_row, const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace lettrix
