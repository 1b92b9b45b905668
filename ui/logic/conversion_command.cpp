#include "ui/logic/conversion_command.h"

#include "core/busy_cursor.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "support/strings.h"
#include "ui/logic/format_choice.h"

namespace lettrix {

namespace {

void append_results(std::vector<ConversionResult>& all, std::vector<ConversionResult> more) {
  for (ConversionResult& r : more) all.push_back(std::move(r));
}

}  // namespace

std::vector<ConversionResult> run_conversion(DialogState& s, const ConversionRequest& request) {
  const int mode = request.recursive ? BatchRecursive : BatchPattern;
  const int source_row = find_format_row(request.source_format.substr(0, kMaxFormatText), source_formats);
  const int target_row = find_format_row(request.target_format.substr(0, kMaxFormatText), target_formats);
  if (s.format_chooser) {
    s.format_chooser(source_row, target_row);
  } else {
    choose_formats(source_row, target_row);
  }

  std::vector<ConversionResult> results;
  const std::size_t n = selected_file_count(s);
  busy_cursor_step();
  if (n > 0) {
    std::size_t handled = 0;
    for (std::size_t i = 0; i < s.files.size() && handled < n; ++i) {
      if (i >= s.file_selected.size() || !s.file_selected[i]) continue;
      append_results(results, convert_batch(s.files[i].name, BatchOneFile));
      s.file_selected[i] = false;
      ++handled;
      busy_cursor_step();
    }
  } else {
    s.selection_mask = request.file_name_text;
    append_results(results, convert_batch(s.selection_mask, mode));
  }
  refresh_lists(s, s.selection_mask);
  return results;
}

namespace {

// A heading, "file: what" for the first files that pass the test, then "and
// N more"; empty when none passes.
template <typename Pass, typename What>
std::string list_files(const std::vector<ConversionResult>& results, const std::string& one, const std::string& many,
                       Pass pass, What what) {
  std::size_t count = 0;
  for (const ConversionResult& r : results)
    if (pass(r)) ++count;
  if (count == 0) return std::string();
  std::string text = count == 1 ? "1 file " + one : std::to_string(count) + " files " + many;
  std::size_t named = 0;
  for (const ConversionResult& r : results) {
    if (!pass(r)) continue;
    if (named == kMaxSummaryLines) break;
    std::string source = r.source;
    shorten_path(source, kShownPathMax);
    text += "\n" + source + ": " + what(r);
    ++named;
  }
  if (count > named) text += "\nand " + std::to_string(count - named) + " more";
  return text;
}

}  // namespace

std::string failure_summary(const std::vector<ConversionResult>& results) {
  return list_files(
      results, "was not converted:", "were not converted:", [](const ConversionResult& r) { return !r.ok(); },
      [](const ConversionResult& r) { return r.message(); });
}

std::string conversion_summary(const std::vector<ConversionResult>& results) {
  std::string text = failure_summary(results);
  const std::string warnings = list_files(
      results, "was converted, but looks like another format:", "were converted, but look like another format:",
      [](const ConversionResult& r) { return r.ok() && !r.warning.empty(); },
      [](const ConversionResult& r) { return r.warning; });
  if (!text.empty() && !warnings.empty()) text += "\n\n";
  return text + warnings;
}

}  // namespace lettrix
