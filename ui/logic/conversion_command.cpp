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

std::string failure_summary(const std::vector<ConversionResult>& results) {
  std::size_t failed = 0;
  for (const ConversionResult& r : results)
    if (!r.ok()) ++failed;
  if (failed == 0) return std::string();
  std::string text = failed == 1 ? "1 file was not converted:" : std::to_string(failed) + " files were not converted:";
  std::size_t named = 0;
  for (const ConversionResult& r : results) {
    if (r.ok()) continue;
    if (named == kMaxSummaryLines) break;
    std::string source = r.source;
    shorten_path(source, kShownPathMax);
    text += "\n" + source + ": " + r.message();
    ++named;
  }
  if (failed > named) text += "\nand " + std::to_string(failed - named) + " more";
  return text;
}

}  // namespace lettrix
