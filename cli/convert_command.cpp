#include "cli/convert_command.h"

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/source_detection.h"
#include "core/wrapped_source.h"
#include "core/stream_printer.h"
#include "support/file_handle.h"
#include "support/owned_files.h"
#include "support/paths.h"
#include "support/platform.h"

namespace lettrix {

namespace {

// Runs one pattern in its own directory, so that mode 2 walks that
// directory's subdirectories; the working directory is restored afterwards.
std::vector<ConversionResult> convert_pattern(const std::string& pattern, bool recursive) {
  std::size_t dir_len = directory_part_length(pattern);
  if (dir_len == 0) return convert_batch(pattern, recursive ? BatchRecursive : BatchPattern);
  std::string dir = native_separators(pattern.substr(0, dir_len));
  std::vector<ConversionResult> results;
  WorkingDirectoryGuard back;
  if (!change_directory_to(dir)) return results;
  results = convert_batch(pattern.substr(dir_len), recursive ? BatchRecursive : BatchPattern);
  for (ConversionResult& r : results) {
    r.source = dir + r.source;
    if (!r.target.empty()) r.target = dir + r.target;
  }
  return results;
}

}  // namespace

int run_conversions(int source_row, int target_row, const std::vector<std::string>& args, bool recursive,
                    std::ostream& out, std::ostream& err) {
  init_path_buffers();
  choose_formats(source_row == kDetectSource ? 0 : source_row, target_row);
  set_source_detection(source_row == kDetectSource);
  bool all_ok = true;
  for (const std::string& arg : args) {
    std::vector<ConversionResult> results;
    const bool pattern = has_wildcards(arg.substr(directory_part_length(arg)));
    if (pattern) {
      results = convert_pattern(arg, recursive);
      if (results.empty()) {
        err << arg << ": error: no file matches\n";
        all_ok = false;
      }
    } else {
      results = convert_batch(arg, BatchOneFile);
    }
    for (const ConversionResult& r : results) {
      if (!r.warning.empty()) err << r.source << ": warning: " << r.warning << "\n";
      if (r.ok()) {
        out << r.source << " -> " << r.target << "\n";
      } else if (r.skipped()) {
        out << r.source << ": " << r.message() << "\n";
        if (!pattern) all_ok = false;  // a file named on its own was meant to be converted
      } else {
        err << r.source << ": error: " << r.message() << "\n";
        all_ok = false;
      }
    }
  }
  return all_ok ? 0 : 1;
}

int identify_files(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
  int status = 0;
  for (const std::string& file : files) {
    const Detection d = detect_format(file);
    if (d.verdict == Verdict::Unreadable || d.verdict == Verdict::DamagedWrapper) {
      err << file << ": error: " << d.summary() << "\n";
      status = 1;
      continue;
    }
    out << file << ": " << d.summary() << "\n";
  }
  return status;
}

int dump_stream(int source_row, const std::string& file, std::ostream& out, std::ostream& err) {
  if (source_row == kDetectSource) {
    const Detection d = detect_format(file);
    if (!d.is_source()) {
      err << file << ": error: " << d.summary() << "\n";
      return 1;
    }
    source_row = d.source_row;
  }
  Handler reader = source_formats.rows[source_row].reader;
  if (!reader) {
    err << file << ": error: format not available yet: " << source_formats.rows[source_row].name << "\n";
    return 1;
  }
  int open_error = 0;
  const SourceCheck check = check_source(file, &open_error);
  if (check != SourceCheck::Ok) {
    err << file << ": error: " << source_check_text(check, open_error) << "\n";
    return 1;
  }
  std::string stream_path;
  if (!create_temp_file("LXS", stream_path)) {
    err << file << ": error: cannot create a work file\n";
    return 1;
  }
  RemoveGuard guard(stream_path);
  set_target_kind(KindNeutral);
  PreparedSource prepared;
  std::string unwrap_error;
  if (!prepare_source(file, prepared, unwrap_error)) {
    release_owned_file(file);
    err << file << ": error: " << unwrap_error << "\n";
    return 1;
  }
  set_current_files(prepared.reader_path, stream_path);
  clear_handler_reason();
  take_file_failure();
  int rc = reader(prepared.reader_path.c_str(), stream_path.c_str());
  release_owned_file(file);
  FileFailure io = take_file_failure();
  if (io.kind != FileFailure::None) {
    err << file << ": error: " << file_failure_text(io, io.path == stream_path ? "the work stream" : "a work file") << "\n";
    return 1;
  }
  if (rc != 0 && rc != kHandlerDamaged) {
    err << file << ": error: cannot read the file as a " << source_formats.rows[source_row].name << " document"
        << (handler_reason().empty() ? "" : ": " + handler_reason()) << "\n";
    return 1;
  }
  const std::string damage = rc == kHandlerDamaged ? handler_reason() : std::string();
  FilePtr in = open_file(stream_path, "rb");
  if (!in) {
    err << file << ": error: cannot read the work file\n";
    return 1;
  }
  out << print_stream(in.get(), true);
  if (rc == kHandlerDamaged) {
    err << file << ": error: damaged: " << damage << "\n";
    return 1;
  }
  return 0;
}

}  // namespace lettrix
