// The "Conversion" command of the dialog: looks up the chosen formats, hands
// the selected files (or the typed mask) to the batch driver, clears the
// selections, steps the busy cursor and refreshes the lists. The results tell
// the front end which files failed and why.
#pragma once

#include <string>
#include <vector>

#include "core/driver.h"
#include "ui/logic/dialog_state.h"

namespace lettrix {

inline constexpr std::size_t kMaxFormatText = 49;     // characters read from a drop-down list
inline constexpr std::size_t kMaxSummaryLines = 20;   // failed files named in the summary

// What the dialog's controls hold when the command starts.
struct ConversionRequest {
  std::string source_format;   // the source drop-down text
  std::string target_format;   // the target drop-down text
  std::string file_name_text;  // the File Name field
  bool recursive = false;      // "Recursive search in subdirectories"
};

// Runs the command and returns one result per file tried, in order.
std::vector<ConversionResult> run_conversion(DialogState& s, const ConversionRequest& request);

// The message shown after a conversion in which some file failed: a heading,
// then "file: reason" for the first 20 failed files and "and N more" for the
// rest. Empty when every file converted.
std::string failure_summary(const std::vector<ConversionResult>& results);

// The message shown after a conversion: the failure summary, then the files
// that converted although their content looks like another format (a heading
// and "file: looks like MacWrite 4.6" for the first 20, "and N more" for the
// rest). Empty when every file converted without a warning.
std::string conversion_summary(const std::vector<ConversionResult>& results);

}  // namespace lettrix
