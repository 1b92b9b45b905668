#include "cli/convert_command.h"

#include <unistd.h>

#include <algorithm>
#include <string_view>
#include <cstdint>
#include <vector>

#include "cli/report.h"
#include "core/batch_workers.h"
#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/source_detection.h"
#include "core/wrapped_source.h"
#include "core/stream_printer.h"
#include "support/file_handle.h"
#include "support/owned_files.h"
#include "support/paths.h"
#include "support/strings.h"
#include "support/platform.h"
#include "volumes/disk_image.h"

namespace lettrix {

namespace {

// Standard input is copied to a private file first; a document is never this large.
constexpr std::uint64_t kMaxStandardInput = std::uint64_t{1} << 30;
constexpr std::size_t kProgressFromFiles = 4;

std::string absolute(const std::string& path) {
  if (path.empty() || is_separator(path[0])) return path;
  return current_directory() + "/" + path;
}

// A private folder in the temporary directory, removed with what it holds
// (only files this program put there) when it goes out of scope.
class PrivateFolder {
 public:
  bool create() { return create_temp_directory("lettrix-", path_); }
  ~PrivateFolder() {
    if (path_.empty()) return;
    for (const DirEntry& e : list_directory(path_)) std::remove((path_ + "/" + e.name).c_str());
    ::rmdir(path_.c_str());
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Regular files a pattern run will try, for the progress line.
std::size_t count_matches(const std::string& dir, const std::string& pattern, bool recursive, int depth) {
  std::size_t n = 0;
  for (const DirEntry& e : list_directory(dir, nullptr, false)) {
    if (e.is_regular && wildcard_match(pattern, e.name)) ++n;
    if (recursive && e.is_directory && depth < 64) n += count_matches(dir + e.name + "/", pattern, true, depth + 1);
  }
  return n;
}

class Reporter {
 public:
  Reporter(const ConvertOptions& o, std::ostream& out, std::ostream& err) : o_(o), out_(out), err_(err) {}

  // Keeps a record of each file in the report (--report), whose relative
  // paths are read from start_dir, the folder the run started in.
  bool open_report(const std::string& path, const std::string& start_dir) {
    start_dir_ = start_dir;
    std::string why;
    if (report_.open(path, why)) return true;
    error("lettrix-convert", why);
    return false;
  }

  // Targets in the output folder are shown below the folder as the user named it.
  void show_output_folder(const std::string& absolute_dir, const std::string& as_given) {
    absolute_dir_ = absolute_dir;
    as_given_ = as_given;
  }

  bool may_show_progress() const { return o_.progress; }
  void begin_batch(std::size_t total) {
    total_ += total;
    show_progress_ = o_.progress && total_ >= kProgressFromFiles;
  }
  void starting(const std::string& source) {
    if (!show_progress_) return;
    std::string line = "[";
    line.append(std::to_string(done_ + 1)).append("/").append(std::to_string(total_)).append("] ").append(source);
    if (line.size() > 76) line.replace(73, std::string::npos, "...");
    err_ << "\r\033[K" << line << std::flush;
    progress_shown_ = true;
  }
  // Prints one result; `in_pattern` says whether a skip is a failure.
  void result(const ConversionResult& r, bool in_pattern, std::ostream& line_out) {
    clear_progress();
    ++done_;
    record(r);
    if (!r.warning.empty() && o_.verbosity >= 1) err_ << r.source << ": warning: " << r.warning << "\n";
    if (!r.notes.empty() && o_.verbosity >= 2) {
      for (std::size_t at = 0; at <= r.notes.size();) {
        const std::size_t end = std::min(r.notes.find('\n', at), r.notes.size());
        err_ << r.source << ": note: " << std::string_view(r.notes).substr(at, end - at) << "\n";
        at = end + 1;
      }
    }
    if (r.ok()) {
      ++converted_;
      if (o_.verbosity >= 1) {
        line_out << r.source << " -> " << (r.target.empty() ? "standard output" : shown(r.target));
        if (o_.verbosity >= 2) line_out << " (" << source_formats.rows[r.source_row].name << ", " << sizes(r) << ")";
        line_out << "\n";
      }
    } else if (r.skipped()) {
      ++skipped_;
      if (!in_pattern && r.status != ConversionStatus::TargetExists) failed_any_ = true;
      if (o_.verbosity >= 1 || !in_pattern) err_ << r.source << ": skipped: " << r.message() << "\n";
    } else {
      ++failed_;
      failed_any_ = true;
      // A damaged document's line names its partial result, not an error alone.
      err_ << r.source << (r.status == ConversionStatus::Damaged ? ": " : ": error: ") << r.message() << "\n";
    }
  }
  void error(const std::string& what, const std::string& message) {
    clear_progress();
    ++failed_;
    failed_any_ = true;
    err_ << what << ": error: " << message << "\n";
  }
  void summary(bool batch) {
    clear_progress();
    if (batch && o_.verbosity >= 1)
      err_ << converted_ << " converted, " << failed_ << " failed, " << skipped_ << " skipped\n";
  }
  bool all_ok() const { return !failed_any_; }

 private:
  void clear_progress() {
    if (progress_shown_) err_ << "\r\033[K" << std::flush;
    progress_shown_ = false;
  }
  std::string shown(const std::string& target) const {
    if (absolute_dir_.empty() || target.compare(0, absolute_dir_.size() + 1, absolute_dir_ + "/") != 0) return target;
    std::string given = as_given_;
    while (given.size() > 1 && is_separator(given.back())) given.pop_back();
    return given + "/" + target.substr(absolute_dir_.size() + 1);
  }
  static std::string sizes(const ConversionResult& r) {
    bool ok_in = false, ok_out = false;
    std::uint64_t in = file_size(r.source, &ok_in), out = file_size(r.target, &ok_out);
    if (!ok_in || !ok_out) return "sizes unknown";
    return with_thousands(in) + " -> " + with_thousands(out) + " bytes";
  }

  std::string from_start(const std::string& path) const {
    return path.empty() || is_separator(path[0]) ? path : start_dir_ + "/" + path;
  }
  void record(const ConversionResult& r) {
    if (!report_.is_open()) return;
    ReportRecord rec;
    rec.source = r.source;
    if (r.source != "-") rec.source_file = from_start(r.source);
    if (!r.target.empty()) rec.target_file = from_start(r.target);
    rec.result = r;
    if (!r.target.empty()) rec.result.target = shown(r.target);
    std::string why;
    if (report_.add(rec, why)) return;
    report_.close();
    error("lettrix-convert", why);
  }

  ConversionReport report_;
  std::string start_dir_;
  std::string absolute_dir_, as_given_;
  const ConvertOptions& o_;
  std::ostream& out_;
  std::ostream& err_;
  std::size_t total_ = 0, done_ = 0, converted_ = 0, failed_ = 0, skipped_ = 0;
  bool show_progress_ = false, progress_shown_ = false, failed_any_ = false;
};

// Runs one pattern in its own directory, so that mode 2 walks that
// directory's subdirectories; the working directory is restored afterwards.
// Results are reported as they come.
void convert_pattern(const std::string& pattern, bool recursive, Reporter& report, std::ostream& lines) {
  std::size_t dir_len = directory_part_length(pattern);
  std::string dir = native_separators(pattern.substr(0, dir_len));
  // The count is for the progress line only: without one the tree is not walked twice.
  if (report.may_show_progress()) report.begin_batch(count_matches(dir, pattern.substr(dir_len), recursive, 0));
  bool any = false;
  set_batch_file_hook([&](const std::string& source, const ConversionResult* done) {
    if (!done) {
      report.starting(dir + source);
      return;
    }
    any = true;
    ConversionResult r = *done;
    r.source = dir + r.source;
    if (!r.image.empty()) r.image = dir + r.image;
    if (!r.target.empty() && output_directory().empty()) r.target = dir + r.target;
    report.result(r, true, lines);
  });
  {
    WorkingDirectoryGuard back;
    if (dir_len == 0 || change_directory_to(dir)) convert_batch(pattern.substr(dir_len), recursive ? BatchRecursive : BatchPattern);
  }
  set_batch_file_hook(nullptr);
  if (!any) report.error(pattern, "no file matches");
}

// Converts the files of a disk image named on its own, as a batch.
void convert_named_image(const std::string& image, bool recursive, Reporter& report, std::ostream& lines) {
  set_batch_file_hook([&](const std::string& source, const ConversionResult* done) {
    if (!done) {
      report.starting(source);
      return;
    }
    report.result(*done, true, lines);
  });
  const std::vector<ConversionResult> results = convert_image(image, recursive);
  set_batch_file_hook(nullptr);
  if (results.empty()) report.error(image, "no file in the disk image" + std::string(recursive ? "" : "'s top folder (-r walks its folders)"));
}

// Copies standard input into a private file; false with a reason when it
// cannot be read or is larger than any document.
bool save_standard_input(std::istream& in, const std::string& path, std::string& why) {
  if (create_owned_file(path, true) != 0) {
    why = "cannot create a work file for standard input";
    return false;
  }
  {
    FilePtr f = open_file(path, "wb");
    if (!f) {
      why = "cannot create a work file for standard input";
      return false;
    }
    std::vector<char> block(1 << 16);
    std::uint64_t total = 0;
    while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
      const std::size_t n = static_cast<std::size_t>(in.gcount());
      total += n;
      if (total > kMaxStandardInput) {
        why = "standard input is larger than 1 GB, more than any document";
        return false;
      }
      if (std::fwrite(block.data(), 1, n, f.get()) != n) break;
    }
  }
  FileFailure io = take_file_failure();
  release_owned_file(path);
  if (io.kind != FileFailure::None) {
    why = file_failure_text(io, "the copy of standard input");
    return false;
  }
  return true;
}

// Sends a finished target to out and removes it (it lies in our private folder).
bool send_target(const std::string& target, std::ostream& out) {
  FilePtr f = open_file(target, "rb");
  if (!f) return false;
  std::vector<char> block(1 << 16);
  std::size_t n;
  while ((n = std::fread(block.data(), 1, block.size(), f.get())) > 0) out.write(block.data(), static_cast<std::streamsize>(n));
  bool ok = !std::ferror(f.get()) && out.flush();
  f.reset();
  take_file_failure();
  std::remove(target.c_str());
  return ok;
}

}  // namespace

int run_conversions(const ConvertOptions& options, const std::vector<std::string>& args, std::istream& in,
                    std::ostream& out, std::ostream& err) {
  init_path_buffers();
  choose_formats(options.source_row == kDetectSource ? 0 : options.source_row, options.target_row);
  set_source_detection(options.source_row == kDetectSource);
  set_skip_existing(options.skip_existing);
  Reporter report(options, out, err);
  const bool to_stdout = options.output_dir == "-" || (options.output_dir.empty() && args.size() == 1 && args[0] == "-");
  PrivateFolder scratch;
  if ((to_stdout || std::find(args.begin(), args.end(), "-") != args.end()) && !scratch.create()) {
    report.error("lettrix-convert", "cannot create a private work folder");
    return 1;
  }
  std::ostream& lines = to_stdout ? err : out;
  // A disk image named on its own is converted as a folder.
  std::vector<bool> image(args.size(), false);
  for (std::size_t i = 0; i < args.size(); ++i)
    image[i] = args[i] != "-" && !has_wildcards(args[i].substr(directory_part_length(args[i]))) && is_volume_image(args[i]);
  const bool batch = args.size() > 1 || std::find(image.begin(), image.end(), true) != image.end() ||
                     std::any_of(args.begin(), args.end(), [](const std::string& a) {
                       return has_wildcards(a.substr(directory_part_length(a)));
                     });
  const std::string out_dir = options.output_dir.empty() || to_stdout ? "" : absolute(options.output_dir);
  if (!out_dir.empty()) report.show_output_folder(out_dir, options.output_dir);
  if (!options.report.empty() && !report.open_report(absolute(options.report), current_directory())) return 1;
  // Conversions in parallel: workers made now take the settings above.
  BatchWorkers workers;
  const bool parallel = options.jobs > 1 && batch && !to_stdout && workers.start(options.jobs);
  if (parallel) set_batch_workers(&workers);
  const std::string start_dir = current_directory();
  const BatchResultSink named_file_done = [&](ConversionResult r, const BatchJob&) { report.result(r, false, lines); };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    set_output_directory(to_stdout ? scratch.path() : out_dir);
    if (image[i] && !to_stdout) {
      if (parallel) workers.finish(named_file_done);
      convert_named_image(arg, options.recursive, report, lines);
      continue;
    }
    if (has_wildcards(arg.substr(directory_part_length(arg)))) {
      if (parallel) workers.finish(named_file_done);  // their lines before the pattern's
      convert_pattern(arg, options.recursive, report, lines);
      continue;
    }
    if (parallel && arg != "-") {
      workers.submit(BatchJob{start_dir, arg, "", "", out_dir, true, false, ""}, named_file_done);
      continue;
    }
    std::string source = arg;
    if (arg == "-") {
      source = scratch.path() + "/stdin";
      std::string why;
      if (!save_standard_input(in, source, why)) {
        report.error("-", why);
        continue;
      }
    }
    ConversionResult r = convert_file(source);
    if (arg == "-") {
      std::remove(source.c_str());
      r.source.assign(1, '-');
    }
    // A damaged document's partial result goes to standard output as well.
    if (to_stdout && (r.ok() || r.status == ConversionStatus::Damaged) && !r.target.empty()) {
      if (!send_target(r.target, out)) {
        report.error(r.source, "cannot write the target to standard output");
        continue;
      }
      r.target.clear();  // reported as "standard output"
    }
    report.result(r, false, lines);
  }
  if (parallel) {
    workers.finish(named_file_done);
    set_batch_workers(nullptr);
  }
  set_output_directory("");
  set_skip_existing(false);
  report.summary(batch);
  return report.all_ok() ? 0 : 1;
}

namespace {

// --identify of a disk image: the volume, then each file in it as a file of
// its own. False when the volume cannot be listed.
bool identify_image(const std::string& image, std::ostream& out, std::ostream& err, bool verbose) {
  SourceFile opened;
  std::string error;
  Volume volume;
  if (open_source(image, opened, error, false) != SourceOpen::Ok || !read_volume(opened.data, volume, error)) {
    err << image << ": error: cannot read the disk image: " << error << "\n";
    return false;
  }
  std::size_t files = 0;
  for (const VolumeEntry& e : volume.entries) files += !e.folder;
  out << image << ": disk image (" << volume.kind << ") \"" << volume.name << "\", " << files
      << (files == 1 ? " file" : " files") << "\n";
  for (const std::string& problem : volume.problems) err << image << ": damaged: " << problem << "\n";
  for (const VolumeEntry& e : volume.entries) {
    if (e.folder) continue;
    SourceFile file;
    if (!open_volume_entry(opened.data, e, file, error)) {
      err << image << "/" << e.path << ": error: " << error << "\n";
      continue;
    }
    const Detection d = detect_source(file, false);
    out << image << "/" << e.path << ": " << d.summary() << "\n";
    if (verbose)
      for (const std::string& why : d.refusals) out << "  " << why << "\n";
  }
  return volume.problems.empty();
}

}  // namespace

int identify_files(const std::vector<std::string>& files, std::ostream& out, std::ostream& err, bool verbose) {
  int status = 0;
  for (const std::string& file : files) {
    if (is_volume_image(file)) {
      if (!identify_image(file, out, err, verbose)) status = 1;
      continue;
    }
    const Detection d = detect_format(file);
    if (d.verdict == Verdict::Unreadable || d.verdict == Verdict::DamagedWrapper) {
      err << file << ": error: " << d.summary() << "\n";
      status = 1;
      continue;
    }
    out << file << ": " << d.summary() << "\n";
    if (verbose)
      for (const std::string& why : d.refusals) out << "  " << why << "\n";
  }
  return status;
}

int read_source_stream(int source_row, const std::string& file, const std::string& stream_path, std::ostream& err,
                       std::string& damage) {
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
  damage = rc == kHandlerDamaged ? handler_reason() : std::string();
  return 0;
}

FilePtr open_source_stream(int source_row, const std::string& file, std::ostream& err, std::string& damage,
                           RemoveGuard& guard) {
  std::string stream_path;
  if (!create_temp_file("LXS", stream_path)) {
    err << file << ": error: cannot create a work file\n";
    return nullptr;
  }
  guard.arm(stream_path);
  if (read_source_stream(source_row, file, stream_path, err, damage) != 0) return nullptr;
  FilePtr in = open_file(stream_path, "rb");
  if (!in) err << file << ": error: cannot read the work file\n";
  return in;
}

int dump_stream(int source_row, const std::string& file, std::ostream& out, std::ostream& err) {
  RemoveGuard guard;
  std::string damage;
  FilePtr in = open_source_stream(source_row, file, err, damage, guard);
  if (!in) return 1;
  out << print_stream(in.get(), true);
  if (!damage.empty()) {
    err << file << ": damaged: " << damage << "\n";
    return 1;
  }
  return 0;
}

}  // namespace lettrix
