#include "core/driver.h"

#include <cerrno>
#include <cstdio>

#include "core/busy_cursor.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "support/file_handle.h"
#include "support/paths.h"
#include "support/platform.h"

namespace lettrix {

namespace {

// Longest suffix the driver may add to the base name: ".NNN.EXT" or ".NNN.###".
constexpr std::size_t kLongestSuffix = 8;
constexpr int kMaxWorkFileTries = 1000;
constexpr int kMaxDirectoryDepth = 64;

// The path without its extension and without the extension's dot.
std::string base_name_of(const std::string& path) {
  std::size_t start = directory_part_length(path);
  std::size_t dot = path.rfind('.');
  if (dot != std::string::npos && dot >= start && path.size() - dot <= 5) return path.substr(0, dot);
  return path;
}

// Creates the intermediate stream beside the source: base.###, or base.N.###
// when that name is taken (it may be the user's own file).
ConversionStatus create_work_file(const std::string& source, std::string& temp) {
  temp = source;
  replace_extension(temp, "###");
  int err = create_exclusive(temp);
  const std::string base = base_name_of(source);
  for (int n = 1; err == EEXIST && n <= kMaxWorkFileTries; ++n) {
    temp = base + "." + std::to_string(n) + ".###";
    err = create_exclusive(temp);
  }
  return err == 0 ? ConversionStatus::Ok : ConversionStatus::NoWorkFile;
}

// Reserves the target name: source with the target extension, or a numbered
// name when that one is taken by anything at all.
ConversionStatus create_target_file(const std::string& source, const char* extension, std::string& target) {
  target = source;
  replace_extension(target, extension);
  int err = regular_file_exists(target) ? EEXIST : create_exclusive(target);
  for (int tries = 0; err == EEXIST; ++tries) {
    std::string candidate = source;
    replace_extension(candidate, extension);
    if (tries >= 32768 || !make_unique_name(candidate, extension)) return ConversionStatus::NoFreeName;
    target = candidate;
    err = create_exclusive(target);
  }
  return err == 0 ? ConversionStatus::Ok : ConversionStatus::NoTargetFile;
}

ConversionResult finish(ConversionResult r, ConversionStatus status, int handler_result = 0) {
  r.status = status;
  r.handler_result = handler_result;
  return r;
}

}  // namespace

ConversionResult convert_file(const std::string& source) {
  ConversionResult result;
  result.source = source;
  const int src_row = chosen_source_row();
  const int dst_row = chosen_target_row();
  result.source_row = src_row;
  result.target_row = dst_row;
  const Handler reader = chosen_reader();
  const Handler writer = chosen_writer();
  if (!reader || !writer)
    return finish(result, ConversionStatus::NotAvailable);
  if (source.empty() || !regular_file_exists(source) || has_wildcards(source))
    return finish(result, ConversionStatus::NoSuchFile);
  if (source.size() > kMaxPath || base_name_of(source).size() + kLongestSuffix > kMaxPath)
    return finish(result, ConversionStatus::PathTooLong);

  const FormatEntry& dst = target_formats.rows[dst_row];
  PathBuffers& paths = path_buffers();
  paths.source = source;
  set_target_kind(KindNeutral);

  if (create_work_file(source, paths.temporary) != ConversionStatus::Ok)
    return finish(result, ConversionStatus::NoWorkFile);
  RemoveGuard temp_guard(paths.temporary);

  set_current_files(paths.source, paths.temporary);
  clear_handler_reason();
  int rc = reader(paths.source.c_str(), paths.temporary.c_str());
  const int reader_rc = rc;
  const std::string damage = rc == kHandlerDamaged ? handler_reason() : std::string();
  if (rc != 0 && rc != kHandlerDamaged) {
    result.reason = handler_reason();
    return finish(result, rc == kHandlerEmpty ? ConversionStatus::EmptyDocument : ConversionStatus::ReaderFailed, rc);
  }

  set_target_kind(KindNeutral);
  ConversionStatus made = create_target_file(source, dst.extension, paths.target);
  if (made != ConversionStatus::Ok) return finish(result, made);
  RemoveGuard target_guard(paths.target);

  set_current_files(paths.temporary, paths.target);
  clear_handler_reason();
  rc = writer(paths.temporary.c_str(), paths.target.c_str());
  if (rc != 0) {
    result.reason = handler_reason();
    return finish(result, rc == kHandlerEmpty ? ConversionStatus::EmptyDocument : ConversionStatus::WriterFailed, rc);
  }

  target_guard.release();
  result.target = paths.target;
  if (reader_rc == kHandlerDamaged) {
    result.reason = damage.empty() ? "the document ends early or holds values beyond its size" : damage;
    return finish(result, ConversionStatus::Damaged, reader_rc);
  }
  return finish(result, ConversionStatus::Ok);
}

namespace {

ConversionResult list_failure(const std::string& pattern) {
  ConversionResult r;
  r.source = pattern;
  r.source_row = chosen_source_row();
  r.target_row = chosen_target_row();
  r.status = ConversionStatus::ListFileFailed;
  return r;
}

void convert_listed(const std::string& pattern, std::vector<ConversionResult>& results, const std::string& prefix) {
  std::string list_path;
  if (!create_temp_file("TXV", list_path)) {
    results.push_back(list_failure(prefix + pattern));
    return;
  }
  RemoveGuard list_guard(list_path);
  FilePtr list(expand_selection(pattern, list_path));
  if (!list) {
    results.push_back(list_failure(prefix + pattern));
    return;
  }
  std::string line;
  for (;;) {
    line.clear();
    int c;
    while ((c = std::getc(list.get())) != EOF && c != '\n') line += static_cast<char>(c);
    if (line.empty() && c == EOF) break;
    strip_line_end(line);
    if (!line.empty()) {
      ConversionResult r;
      if (line.size() > kMaxPath) {
        r = list_failure(line);
        r.status = ConversionStatus::PathTooLong;
      } else {
        r = convert_file(line);
      }
      r.source = prefix + r.source;
      if (!r.target.empty()) r.target = prefix + r.target;
      results.push_back(std::move(r));
    }
    if (c == EOF) break;
  }
}

void batch(const std::string& pattern, int mode, std::vector<ConversionResult>& results, const std::string& prefix,
           int depth) {
  busy_cursor_step();
  if (mode == BatchOneFile) {
    results.push_back(convert_file(pattern));
    return;
  }
  convert_listed(pattern, results, prefix);
  if (mode != BatchRecursive || depth >= kMaxDirectoryDepth) return;
  for (const DirEntry& e : list_directory("")) {
    if (!e.is_directory) continue;
    WorkingDirectoryGuard back;
    if (!change_directory_to(e.name)) continue;  // a directory that cannot be entered is skipped
    batch(pattern, mode, results, prefix + e.name + "/", depth + 1);
  }
}

}  // namespace

std::vector<ConversionResult> convert_batch(const std::string& pattern, int mode) {
  std::vector<ConversionResult> results;
  batch(pattern, mode, results, "", 0);
  return results;
}

std::string ConversionResult::message() const {
  const int src_row = source_row;
  const int dst_row = target_row;
  std::string src_name = source_formats.rows[src_row].name;
  std::string dst_name = target_formats.rows[dst_row].name;
  switch (status) {
    case ConversionStatus::Ok: return "converted";
    case ConversionStatus::NotAvailable:
      return "format not available yet: " + (source_formats.rows[src_row].reader ? dst_name : src_name);
    case ConversionStatus::NoSuchFile: return "no such file";
    case ConversionStatus::PathTooLong: return "path too long (at most 255 characters with the new extension)";
    case ConversionStatus::NoWorkFile: return "cannot create the work file beside the source";
    case ConversionStatus::ReaderFailed:
      return "cannot read the file as a " + src_name + " document" + (reason.empty() ? "" : ": " + reason);
    case ConversionStatus::EmptyDocument: return "empty document";
    case ConversionStatus::NoFreeName: return "no free name left for the target file";
    case ConversionStatus::NoTargetFile: return "cannot create the target file";
    case ConversionStatus::WriterFailed:
      if (handler_result == kHandlerTooLarge) return "the document is too large for the " + dst_name + " format";
      return "cannot write the " + dst_name + " file" + (reason.empty() ? "" : ": " + reason);
    case ConversionStatus::ListFileFailed: return "cannot create the list of files to convert";
    case ConversionStatus::Damaged: return "damaged: " + reason + "; partial result in " + target;
  }
  return "unknown failure";
}

}  // namespace lettrix
