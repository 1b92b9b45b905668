#include "ui/logic/conversion_command.h"

#include "core/busy_cursor.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "support/strings.h"
#include "ui/logic/format_choice.h"

namespace lettrix {

std::vector<ConversionResult> run_conversion(DialogState& s, const ConversionRequest& request) {
  const BatchPlan plan = plan_conversion(s, request);
  BatchOutcome outcome = run_plan(plan, nullptr, {});
  finish_conversion(s);
  return std::move(outcome.results);
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

std::string batch_summary(const BatchOutcome& outcome) {
  const std::vector<ConversionResult>& results = outcome.results;
  std::size_t converted = 0, failed = 0, skipped = 0;
  for (const ConversionResult& r : results) {
    if (r.ok()) ++converted;
    else if (r.skipped()) ++skipped;
    else ++failed;
  }
  std::string text = outcome.stopped ? "Stopped. " : "";
  text += std::to_string(converted) + " converted, " + std::to_string(failed) + " failed, " +
          std::to_string(skipped) + " skipped, " + std::to_string(outcome.not_started) + " not started.";
  const auto message = [](const ConversionResult& r) { return r.message(); };
  const std::string parts[] = {
      list_files(
          results, "failed:", "failed:", [](const ConversionResult& r) { return !r.ok() && !r.skipped(); }, message),
      list_files(
          results, "skipped:", "skipped:", [](const ConversionResult& r) { return r.skipped(); }, message),
      list_files(
          results, "converted, but looks like another format:", "converted, but look like another format:",
          [](const ConversionResult& r) { return r.ok() && !r.warning.empty(); },
          [](const ConversionResult& r) { return r.warning; }),
      list_files(
          results, "converted:", "converted:", [](const ConversionResult& r) { return r.ok(); },
          [&outcome](const ConversionResult& r) {
            // Named within the target folder, which the summary opens.
            const std::string& dir = outcome.output_dir;
            std::string target = r.target;
            if (!dir.empty() && target.size() > dir.size() + 1 && target.starts_with(dir) && target[dir.size()] == '/')
              target.erase(0, dir.size() + 1);
            shorten_path(target, kShownPathMax);
            return target;
          }),
  };
  for (const std::string& part : parts)
    if (!part.empty()) text += "\n\n" + part;
  return text;
}

std::string summary_folder(const BatchPlan& plan) { return plan.output_dir.empty() ? plan.start_dir : plan.output_dir; }

}  // namespace lettrix
