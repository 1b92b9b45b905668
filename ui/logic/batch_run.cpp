#include "ui/logic/batch_run.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "core/busy_cursor.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "support/paths.h"
#include "support/platform.h"

namespace lettrix {

namespace {

inline constexpr int kMaxCountDepth = 256;            // folders deeper are not counted

// The folder typed or chosen, made absolute: spaces around it dropped, "~/"
// the home folder, a relative one in the current path, "." and ".." taken
// away, no "/" at the end (but for the root).
std::string absolute_folder(const std::string& typed, const std::string& current_path) {
  const std::size_t first = typed.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  std::string dir = typed.substr(first, typed.find_last_not_of(" \t") + 1 - first);
  if (dir == "~" || dir.starts_with("~/")) {
    const char* home = std::getenv("HOME");
    dir = std::string(home ? home : "") + dir.substr(1);
  }
  if (dir.front() != '/') dir = current_path + dir;
  dir = std::filesystem::path(dir).lexically_normal().string();  // "a/../b" is "b"
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

// Files the mask matches in folder ("" the working directory), and in its
// subfolders when recursive; folders counts the folders looked at.
std::size_t count_matching(const std::string& folder, const std::string& dir_part, const std::string& name_pattern,
                           bool recursive, int depth, std::size_t& folders, std::size_t limit) {
  if (folders >= limit || depth > kMaxCountDepth) return 0;
  ++folders;
  std::size_t n = 0;
  for (const DirEntry& e : search_directory(folder + dir_part, name_pattern, false))
    if (e.is_regular && !is_converter_file_name(e.name)) ++n;
  if (!recursive) return n;
  for (const DirEntry& e : list_directory(folder, nullptr, false)) {
    if (!e.is_directory) continue;
    n += count_matching(folder + e.name + "/", dir_part, name_pattern, true, depth + 1, folders, limit);
    if (folders >= limit) break;
  }
  return n;
}

}  // namespace

namespace {

BatchPlan plan_formats(const DialogState& s, const ConversionRequest& request) {
  BatchPlan plan;
  const std::string source = request.source_format.substr(0, kMaxFormatText);
  plan.detect = source == kAutomaticFormat;
  plan.source_row = plan.detect ? 0 : find_format_row(source, source_formats);
  plan.target_row = find_format_row(request.target_format.substr(0, kMaxFormatText), target_formats);
  plan.output_dir = absolute_folder(request.target_folder, s.current_path);
  plan.start_dir = s.current_path;
  plan.format_chooser = s.format_chooser;
  plan.mode = request.recursive ? BatchRecursive : BatchPattern;
  return plan;
}

}  // namespace

BatchPlan plan_conversion(DialogState& s, const ConversionRequest& request) {
  BatchPlan plan = plan_formats(s, request);
  for (std::size_t i = 0; i < s.files.size() && i < s.file_selected.size(); ++i)
    if (s.file_selected[i]) plan.files.push_back(s.files[i].name);
  if (plan.files.empty()) {
    s.selection_mask = request.file_name_text;
    plan.pattern = request.file_name_text;
  }
  return plan;
}

BatchPlan plan_drop(const DialogState& s, const ConversionRequest& request, const std::vector<std::string>& paths) {
  BatchPlan plan = plan_formats(s, request);
  for (const std::string& path : paths) {
    struct stat st {};
    if (path.empty() || path.front() != '/' || stat(path.c_str(), &st) != 0) continue;
    if (S_ISREG(st.st_mode)) plan.files.push_back(path);
    else if (S_ISDIR(st.st_mode)) plan.folders.push_back(path);
  }
  plan.pattern = "*";
  return plan;
}

std::string drop_question(std::size_t files, const std::string& target_format) {
  return "Convert " + std::to_string(files) + (files == 1 ? " file" : " files") + " to " + target_format + "?";
}

std::string progress_text(const BatchProgress& p) {
  std::string text = std::to_string(p.started) + " of " + std::to_string(std::max(p.total, p.started));
  std::string current = p.current;
  shorten_path(current, kShownPathMax);
  return current.empty() ? text : text + ": " + current;
}

std::size_t count_planned_files(const BatchPlan& plan, std::size_t limit) {
  std::size_t folders = 0;
  if (!plan.folders.empty()) {
    std::size_t n = plan.files.size();
    for (const std::string& folder : plan.folders)
      n += count_matching(folder + "/", "", "*", plan.mode == BatchRecursive, 0, folders, limit);
    return n;
  }
  if (!plan.files.empty()) return plan.files.size();
  const std::size_t dir_len = directory_part_length(plan.pattern);
  const std::string dir_part = native_separators(plan.pattern.substr(0, dir_len));
  return count_matching("", dir_part, plan.pattern.substr(dir_len), plan.mode == BatchRecursive, 0, folders, limit);
}

BatchOutcome run_plan(const BatchPlan& plan, const std::atomic<bool>* stop,
                      const std::function<void(const BatchProgress&)>& progress) {
  const int source_row = plan.detect ? 0 : plan.source_row;
  if (plan.format_chooser) {
    plan.format_chooser(source_row, plan.target_row);
  } else {
    choose_formats(source_row, plan.target_row);
  }
  set_source_detection(plan.detect);
  set_output_directory(plan.output_dir);
  auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };

  BatchOutcome out;
  out.output_dir = plan.output_dir;
  BatchProgress p;
  p.total = count_planned_files(plan);
  busy_cursor_step();
  for (const std::string& file : plan.files) {
    if (stopped()) break;
    ++p.started;
    p.current = file;
    if (progress) progress(p);
    for (ConversionResult& r : convert_batch(file, BatchOneFile)) out.results.push_back(std::move(r));
    busy_cursor_step();
  }
  // A batch over a mask, here or in each dropped folder, its files named
  // from where the batch started.
  auto run_batch = [&](const std::string& prefix) {
    set_batch_file_hook([&](const std::string& source, const ConversionResult* done) {
      if (done) return;
      ++p.started;
      p.total = std::max(p.total, p.started);
      p.current = prefix + source;
      if (progress) progress(p);
    });
    set_batch_stop(stop);
    for (ConversionResult& r : convert_batch(plan.pattern, plan.mode)) {
      r.source = prefix + r.source;
      if (!r.target.empty() && plan.output_dir.empty()) r.target = prefix + r.target;
      out.results.push_back(std::move(r));
    }
    set_batch_stop(nullptr);
    set_batch_file_hook(nullptr);
  };
  if (plan.files.empty() && plan.folders.empty()) run_batch("");
  for (const std::string& folder : plan.folders) {
    if (stopped()) break;
    WorkingDirectoryGuard back;
    if (!change_directory_to(folder)) {
      ConversionResult r;
      r.source = folder;
      r.status = ConversionStatus::BadSource;
      r.reason = "cannot enter the folder";
      out.results.push_back(std::move(r));
      continue;
    }
    run_batch(folder + "/");
  }
  out.stopped = stopped();
  out.not_started = out.stopped && p.total > p.started ? p.total - p.started : 0;
  set_source_detection(false);
  set_output_directory(std::string());
  return out;
}

void finish_conversion(DialogState& s) {
  s.file_selected.assign(s.files.size(), false);
  refresh_lists(s, s.selection_mask);
}

}  // namespace lettrix
