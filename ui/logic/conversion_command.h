// The "Conversion" command of the dialog: looks up the chosen formats, hands
// the selected files (or the typed mask) to the batch driver, clears the
// selections, steps the busy cursor and refreshes the lists. The results tell
// the front end which files failed and why.
#pragma once

#include <string>
#include <vector>

#include "core/driver.h"
#include "ui/logic/batch_run.h"
#include "ui/logic/dialog_state.h"

namespace lettrix {

inline constexpr std::size_t kMaxSummaryLines = 20;   // failed files named in the summary

// Runs the command in the calling thread (plan, batch, lists refilled) and
// returns one result per file tried, in order.
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

// The summary window's text after a batch: a line of counts ("3 converted,
// 1 failed, 2 skipped, 5 not started." with "Stopped. " before it when the
// batch was stopped), then the files that failed and why, the skipped ones
// and why, the converted ones that look like another format, and the
// converted ones with their targets (within the target folder when there is
// one), each list its first 20 files and
// "and N more".
std::string batch_summary(const BatchOutcome& outcome);

// The folder "Open target folder" opens: the plan's output folder, or the
// folder the batch started in.
std::string summary_folder(const BatchPlan& plan);

}  // namespace lettrix
