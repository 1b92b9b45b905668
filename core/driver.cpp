#include "core/driver.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "core/batch_workers.h"
#include "core/busy_cursor.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "core/mac_wrappers.h"
#include "core/source_detection.h"
#include "core/source_view.h"
#include "core/wrapped_source.h"
#include "support/file_handle.h"
#include "support/owned_files.h"
#include "support/paths.h"
#include "support/platform.h"
#include "support/sha256.h"
#include "volumes/disk_image.h"

namespace lettrix {

namespace {

constexpr int kMaxWorkFileTries = 1000;
// Folders deeper than this are not followed, and said so (each level holds
// a frame and a folder listing; real archives stay far below it).
constexpr int kMaxDirectoryDepth = 4096;

// Where the targets go (empty: beside each source), and the folder below it
// that the batch has walked into.
std::string g_output_directory;
std::string g_output_subfolder;
BatchFileHook g_batch_hook;
const std::atomic<bool>* g_batch_stop = nullptr;
bool g_skip_existing = false;

// What a batch knows of the folder whose listed files it converts now.
struct FolderRunState {
  bool active = false;       // within convert_listed: work streams are kept for reuse
  bool has_doubles = true;   // some name in the working directory starts with "._"
  bool dir_ready = false;    // dir (the folder of the last place) is made, name_limit known
  std::string dir;
  std::size_t name_limit = 0;
};
FolderRunState g_folder;

// The path without its extension and without the extension's dot.
std::string base_name_of(const std::string& path) {
  std::size_t start = directory_part_length(path);
  std::size_t dot = path.rfind('.');
  if (dot != std::string::npos && dot >= start && path.size() - dot <= 5) return path.substr(0, dot);
  return path;
}

// Creates every missing folder of dir (like mkdir -p). False when one cannot be made.
bool make_folders(const std::string& dir) {
  for (std::size_t i = 1; i <= dir.size(); ++i) {
    if (i < dir.size() && !is_separator(dir[i])) continue;
    std::string part = dir.substr(0, i);
    if (!is_directory(part) && !make_directory(part)) return false;
  }
  return true;
}

// Room the derived names need beyond the base name: ".NNN.EXT" and ".NN.part".
constexpr std::size_t kRoomForSuffixes = 17;

// Cuts the base of the last component (its extension kept) so that the names
// derived from it fit the folder's name limit; a UTF-8 sequence is not split.
void fit_name_limit(std::string& place, std::size_t limit) {
  const std::size_t dir_len = directory_part_length(place);
  const std::size_t name_len = place.size() - dir_len;
  if (name_len + kRoomForSuffixes <= limit || limit <= kRoomForSuffixes + 6) return;
  const std::string base = base_name_of(place);
  const std::string extension = place.substr(base.size());
  std::size_t keep = limit - kRoomForSuffixes - extension.size();
  if (keep >= base.size() - dir_len) return;
  std::size_t cut = dir_len + keep;
  while (cut > dir_len && (static_cast<unsigned char>(place[cut]) & 0xC0) == 0x80) --cut;
  place = place.substr(0, cut) + extension;
}

// The path the stream and the target are named after: the source itself, or
// the same name in the output folder (below the folders the batch walked).
// The folder is made, and its name limit asked, once for all the files of
// a batch folder.
bool output_place(const std::string& source, std::string& place) {
  const std::size_t source_dir = directory_part_length(source);
  const std::string dir = g_output_directory.empty() ? source.substr(0, source_dir)
                                                     : g_output_directory + "/" + g_output_subfolder;
  if (!g_folder.active || !g_folder.dir_ready || dir != g_folder.dir) {
    if (!g_output_directory.empty() && !make_folders(dir)) return false;
    g_folder.dir = dir;
    g_folder.name_limit = name_length_limit(dir);
    g_folder.dir_ready = g_folder.active;
  }
  place = g_output_directory.empty() ? source : dir + source.substr(source_dir);
  fit_name_limit(place, g_folder.name_limit);
  return true;
}

// Gives the intermediate stream a name beside its place with take(name)
// (0 or the errno value): base.###, or base.N.### when that name is taken
// (it may be the user's own file).
template <class Take>
int name_work_file(const std::string& place, std::string& temp, Take take) {
  temp = place;
  replace_extension(temp, "###");
  int err = take(temp);
  const std::string base = base_name_of(place);
  for (int n = 1; err == EEXIST && n <= kMaxWorkFileTries; ++n) {
    temp = base + "." + std::to_string(n) + ".###";
    err = take(temp);
  }
  return err;
}

// Within one folder of a batch the stream of a finished conversion is not
// removed but emptied and renamed for the next one: removing and creating a
// file for every document costs the file system far more than a rename (on
// ext4 without a journal every new file is searched past all the numbers of
// the files removed in the last half minute). The kept stream stays a
// registered work file: a signal removes it, and so does the end of the
// folder (see FolderRun).
std::string g_kept_stream;

// Removes the kept stream, emptied first so that no page of it goes to the disk.
void drop_kept_stream() {
  if (g_kept_stream.empty()) return;
  empty_owned_file(g_kept_stream);
  remove_owned_file(g_kept_stream);
  g_kept_stream.clear();
}

// Creates the intermediate stream, or takes the kept one of the previous
// conversion. Either way it is a new, empty file under a name nothing had.
int create_work_file(const std::string& place, std::string& temp) {
  if (!g_kept_stream.empty()) {
    const std::string kept = g_kept_stream;
    int err = empty_owned_file(kept);
    if (err == 0)
      err = name_work_file(place, temp, [&](const std::string& name) {
        return name == kept ? 0 : rename_owned_file(kept, name);
      });
    if (err == 0) {
      g_kept_stream.clear();
      return 0;
    }
    drop_kept_stream();  // moved away by someone, or no name free: a new one
  }
  return name_work_file(place, temp, [](const std::string& name) { return create_owned_file(name); });
}

// Removes the intermediate stream when the conversion ends, or keeps it for
// the next one within a batch folder.
class WorkStreamGuard {
 public:
  explicit WorkStreamGuard(const std::string& path) : path_(path) {}
  ~WorkStreamGuard() {
    if (!g_folder.active) {
      remove_owned_file(path_);
      return;
    }
    drop_kept_stream();
    if (is_owned(path_)) g_kept_stream = path_;
  }
  WorkStreamGuard(const WorkStreamGuard&) = delete;
  WorkStreamGuard& operator=(const WorkStreamGuard&) = delete;

 private:
  std::string path_;
};

// While a batch converts the files listed in the working directory and no
// name there starts with "._", no source in it has an AppleDouble file beside
// it, and none is looked for.
bool look_beside(const std::string& source) {
  return !g_folder.active || g_folder.has_doubles || directory_part_length(source) != 0;
}

// The conversions of the files listed in one folder of a batch.
bool any_appledouble(const std::vector<DirEntry>& entries) {
  return std::any_of(entries.begin(), entries.end(), [](const DirEntry& e) { return is_appledouble_name(e.name); });
}

class FolderRun {
 public:
  explicit FolderRun(bool has_doubles) {
    g_folder = FolderRunState{};
    g_folder.active = true;
    g_folder.has_doubles = has_doubles;
  }
  ~FolderRun() {
    g_folder = FolderRunState{};
    drop_kept_stream();
  }
  FolderRun(const FolderRun&) = delete;
  FolderRun& operator=(const FolderRun&) = delete;
};

// The target is written under a name of its own beside its final place,
// "NAME.part" (or "NAME.N.part"), and takes its final name only when done.
int create_unfinished_target(const std::string& final_name, std::string& temp) {
  temp = final_name + ".part";
  int err = create_owned_file(temp);
  for (int n = 1; err == EEXIST && n <= kMaxWorkFileTries; ++n) {
    temp = final_name + "." + std::to_string(n) + ".part";
    err = create_owned_file(temp);
  }
  return err;
}

// Gives the finished target its name: place with the target extension, or a
// numbered name when that one is taken by anything at all. Nothing is ever
// replaced: the rename itself refuses a taken name.
ConversionStatus publish_target(const std::string& place, const char* extension, const std::string& temp,
                                std::string& target, int& err) {
  target = place;
  replace_extension(target, extension);
  err = publish_owned_file(temp, target);
  for (int tries = 0; err == EEXIST; ++tries) {
    std::string candidate = place;
    replace_extension(candidate, extension);
    if (tries >= 32768 || !make_unique_name(candidate, extension)) return ConversionStatus::NoFreeName;
    target = candidate;
    err = publish_owned_file(temp, target);
  }
  return err == 0 ? ConversionStatus::Ok : ConversionStatus::NoTargetFile;
}

ConversionResult finish(ConversionResult r, ConversionStatus status, int handler_result = 0) {
  r.status = status;
  r.handler_result = handler_result;
  return r;
}

ConversionResult failed(ConversionResult r, ConversionStatus status, std::string reason) {
  r.reason = std::move(reason);
  return finish(std::move(r), status);
}

std::string system_error(int err) { return err == ENAMETOOLONG ? "path too long for this system" : std::strerror(err); }

// The names a failure message gives the driver's own files.
std::string file_role(const std::string& path, const PathBuffers& paths) {
  if (path == paths.temporary) return "the work stream";
  if (path == paths.target) return "the target";
  if (path == paths.source) return "the source";
  return "a work file";
}

constexpr const char* kTextWithoutCrLines = "text without Macintosh line ends (CR), converted only when Mac Text Only is chosen";

// The reader for source: the chosen one, or with detection on the one of the
// row its content shows (result.source_row follows). A status other than Ok
// when the file is passed over or its wrapper is damaged. With a chosen
// format that the content contradicts, result.warning says what it looks like.
ConversionStatus pick_reader(const Detection& found, ConversionResult& result, Handler& reader) {
  if (!source_detection()) {
    if (found.is_source() && found.source_row != result.source_row && found.confidence >= Confidence::Likely)
      result.warning = "looks like " + found.name;
    return ConversionStatus::Ok;
  }
  switch (found.verdict) {
    case Verdict::Source: break;
    case Verdict::NotMacDocument: result.reason = found.name; return ConversionStatus::NotOurFormat;
    case Verdict::AlreadyConverted: result.reason = found.name; return ConversionStatus::AlreadyConverted;
    case Verdict::DamagedWrapper: result.reason = found.problem; return ConversionStatus::WrapperFailed;
    case Verdict::Unreadable: result.reason = found.summary(); return ConversionStatus::BadSource;
  }
  // Every text file of a Unix system looks like a Macintosh text whose line
  // ends were changed on the way: without the CR line ends of the Macintosh
  // (or its type code), a text is converted only when the user chooses
  // Macintosh text.
  if (found.plain_file && found.text_without_cr_lines) {
    result.reason = kTextWithoutCrLines;
    return ConversionStatus::NotOurFormat;
  }
  result.source_row = found.source_row;
  reader = source_formats.rows[found.source_row].reader;
  return reader ? ConversionStatus::Ok : ConversionStatus::NotAvailable;
}

// The size and modification time of a source's file, to tell whether it
// changed while it was read.
struct FileStamp {
  long long size = -1;
  long long seconds = 0;
  long nanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

FileStamp stamp_of(const SourceFile& file) {
  FileStamp s;
  struct stat st;
  if (!file.whole.present() || ::fstat(file.whole.file->fd, &st) != 0) return s;
  s.size = static_cast<long long>(st.st_size);
  s.seconds = static_cast<long long>(st.st_mtim.tv_sec);
  s.nanoseconds = st.st_mtim.tv_nsec;
  return s;
}

// The source as the reader is to see it, published for it while the
// conversion lasts (core/source_view.h).
struct SourcePublication {
  SourcePublication(const std::string& path, const SourceFile& file) { publish_source(path, file); }
  ~SourcePublication() { withdraw_source(); }
  SourcePublication(const SourcePublication&) = delete;
  SourcePublication& operator=(const SourcePublication&) = delete;
};

// Releases the source's registration whatever way the conversion ends.
struct SourceRelease {
  const std::string& path;
  ~SourceRelease() { release_owned_file(path); }
};

}  // namespace

void set_output_directory(const std::string& dir) {
  g_output_directory = dir;
  while (g_output_directory.size() > 1 && is_separator(g_output_directory.back())) g_output_directory.pop_back();
  g_output_subfolder.clear();
}

const std::string& output_directory() { return g_output_directory; }

void set_skip_existing(bool skip) { g_skip_existing = skip; }

namespace {

// The conversion of a source opened already (open_status says how that
// went): detection, the reader into a work stream, the writer into the
// target. Stream and target are named after `fixed_place`, or when it is
// empty after the source's output place. With `images`, a file detection
// passes over that holds a Macintosh volume ends as VolumeImage (its kind
// the reason): the batch converts its files.
ConversionResult convert_opened(ConversionResult result, const std::string& source, const SourceFile& opened,
                                SourceOpen open_status, const std::string& open_error, const std::string& fixed_place,
                                bool images) {
  const int dst_row = result.target_row;
  Handler reader = chosen_reader();
  const Handler writer = chosen_writer();
  int err = 0;
  const Detection found = detect_source(opened, is_appledouble_name(source));
  if (found.wrapper.kind != WrapperKind::None) result.wrapper = found.wrapper.description();
  if (images && found.verdict == Verdict::NotMacDocument && open_status == SourceOpen::Ok) {
    std::string kind, why_not;
    if (probe_volume(opened.data, kind, why_not)) {
      result.reason = kind;
      return finish(result, ConversionStatus::VolumeImage);
    }
  }
  if (const ConversionStatus picked = pick_reader(found, result, reader); picked != ConversionStatus::Ok)
    return finish(result, picked);
  if (found.is_source() && found.source_row == result.source_row) result.confidence = confidence_name(found.confidence);

  std::string place = fixed_place;
  if (place.empty() && !output_place(source, place))
    return failed(result, ConversionStatus::NoTargetFile, "cannot create the output folder");
  if (g_skip_existing) {
    std::string own = place;
    replace_extension(own, target_formats.rows[dst_row].extension);
    if (entry_exists(own)) {
      result.target = own;
      return finish(result, ConversionStatus::TargetExists);
    }
  }

  const FormatEntry& dst = target_formats.rows[dst_row];
  PathBuffers& paths = path_buffers();
  paths.source = source;
  paths.target.clear();
  set_target_kind(KindNeutral);
  take_file_failure();

  err = create_work_file(place, paths.temporary);
  if (err != 0) return failed(result, ConversionStatus::NoWorkFile, system_error(err));
  WorkStreamGuard temp_guard(paths.temporary);

  // A wrapped source: its reader gets the data fork and the resource fork.
  if (open_status != SourceOpen::Ok) {
    take_file_failure();
    return failed(result, ConversionStatus::WrapperFailed, open_error);
  }
  const SourcePublication publication(source, opened);
  const FileStamp before = stamp_of(opened);
  set_current_files(source, paths.temporary);
  clear_handler_reason();
  clear_handler_notes();
  int rc = reader(source.c_str(), paths.temporary.c_str());
  // Another program that truncated or rewrote the source meanwhile leaves
  // the reader with a mixture of two files: nothing of it is kept.
  if (!(stamp_of(opened) == before)) {
    take_file_failure();
    return failed(result, ConversionStatus::FileFailed, "the source changed while being read");
  }
  const int reader_rc = rc;
  const std::string damage = rc == kHandlerDamaged ? handler_reason() : std::string();
  FileFailure io = take_file_failure();
  if (io.kind != FileFailure::None)
    return failed(result, ConversionStatus::FileFailed, file_failure_text(io, file_role(io.path, paths)));
  if (rc != 0 && rc != kHandlerDamaged) {
    result.reason = handler_reason();
    return finish(result, rc == kHandlerEmpty ? ConversionStatus::EmptyDocument : ConversionStatus::ReaderFailed, rc);
  }

  set_target_kind(KindNeutral);
  std::string final_name = place;
  replace_extension(final_name, dst.extension);
  err = create_unfinished_target(final_name, paths.target);
  if (err != 0) return failed(result, ConversionStatus::NoTargetFile, system_error(err));
  RemoveGuard target_guard(paths.target);

  set_current_files(paths.temporary, paths.target);
  clear_handler_reason();
  rc = writer(paths.temporary.c_str(), paths.target.c_str());
  result.notes = handler_notes();
  io = take_file_failure();
  if (io.kind != FileFailure::None)
    return failed(result, ConversionStatus::FileFailed, file_failure_text(io, file_role(io.path, paths)));
  if (rc != 0) {
    result.reason = handler_reason();
    return finish(result, rc == kHandlerEmpty ? ConversionStatus::EmptyDocument : ConversionStatus::WriterFailed, rc);
  }

  std::string target;
  const ConversionStatus named = publish_target(place, dst.extension, paths.target, target, err);
  if (named != ConversionStatus::Ok)
    return err == EXDEV ? failed(result, ConversionStatus::FileFailed, "the target was replaced by another file while converting")
                        : failed(result, named, named == ConversionStatus::NoTargetFile ? system_error(err) : "");
  release_owned_file(target);
  target_guard.release();
  paths.target = target;
  result.target = target;
  if (reader_rc == kHandlerDamaged) {
    result.reason = damage.empty() ? "the document ends early or holds values beyond its size" : damage;
    return finish(result, ConversionStatus::Damaged, reader_rc);
  }
  return finish(result, ConversionStatus::Ok);
}

}  // namespace

ConversionResult convert_file(const std::string& source) {
  ConversionResult result;
  result.source = source;
  result.source_row = chosen_source_row();
  result.target_row = chosen_target_row();
  if (!chosen_reader() || !chosen_writer()) return finish(result, ConversionStatus::NotAvailable);
  if (source.empty() || has_wildcards(source)) return finish(result, ConversionStatus::NoSuchFile);

  // The source is opened once without blocking and checked: a pipe, a device
  // or a folder is refused before anything is created.
  int err = 0;
  const SourceCheck check = check_source(source, &err);
  SourceRelease source_release{source};
  if (check == SourceCheck::Missing) return finish(result, ConversionStatus::NoSuchFile);
  if (check != SourceCheck::Ok) return failed(result, ConversionStatus::BadSource, source_check_text(check, err));
  // Opened once, through the descriptor the check kept: detection, the
  // wrapper and the reader all read this one source.
  SourceFile opened;
  std::string open_error;
  const SourceOpen open_status = open_source(source, opened, open_error, look_beside(source));
  return convert_opened(std::move(result), source, opened, open_status, open_error, "", true);
}

namespace {

// The folder the files of an image go in: its name without the extension,
// or with "-files" added when it has none.
std::string image_folder_name(const std::string& image) {
  const std::string name = image.substr(directory_part_length(image));
  const std::size_t dot = name.rfind('.');
  return dot != std::string::npos && dot > 0 ? name.substr(0, dot) : name + "-files";
}

// Where the stream and target of a file of an image are named after:
// IMAGE-NAME/PATH beside the image, or below the output folder. Its folder
// is made.
bool image_entry_place(const std::string& image, const std::string& path, std::string& place) {
  const std::string base = g_output_directory.empty()
                               ? image.substr(0, directory_part_length(image)) + image_folder_name(image)
                               : g_output_directory + "/" + g_output_subfolder + image_folder_name(image);
  place = base + "/" + path;
  const std::string dir = place.substr(0, directory_part_length(place));
  if (!make_folders(dir)) return false;
  fit_name_limit(place, name_length_limit(dir));
  return true;
}

// An image opened and its volume listed.
struct OpenImage {
  std::string path;  // as opened
  SourceFile file;
  Volume volume;
  std::string error;  // why it could not be listed
  bool listed = false;
};

bool open_image(const std::string& path, OpenImage& image) {
  image = OpenImage{};
  image.path = path;
  std::string open_error;
  if (open_source(path, image.file, open_error, false) != SourceOpen::Ok) {
    image.error = open_error.empty() ? "cannot open it" : open_error;
    return false;
  }
  image.listed = read_volume(image.file.data, image.volume, image.error);
  return image.listed;
}

ConversionResult image_failure(const std::string& image, std::string reason) {
  ConversionResult r;
  r.source = image;
  r.source_row = chosen_source_row();
  r.target_row = chosen_target_row();
  r.status = ConversionStatus::BadSource;
  r.reason = std::move(reason);
  return r;
}

// "damaged disk image: PROBLEM; PROBLEM; and N more", or "" for a sound one.
std::string image_problems(const Volume& volume) {
  if (volume.problems.empty()) return {};
  std::string text = "damaged disk image (" + volume.kind + "): ";
  for (std::size_t i = 0; i < volume.problems.size() && i < 3; ++i) text += (i ? "; " : "") + volume.problems[i];
  if (volume.problems.size() > 3) text += "; and " + std::to_string(volume.problems.size() - 3) + " more";
  return text;
}

// One file of an image, as `image/path` (the image as the working directory
// sees it).
ConversionResult convert_volume_entry(const std::string& image, const SourceFork& fork, const VolumeEntry& entry) {
  ConversionResult result;
  result.source = image + "/" + entry.path;
  result.image = image;
  result.data_bytes = std::to_string(entry.data.size);
  {
    SourceView view(fork);
    Sha256 sum;
    bool whole = true;
    for (const ImageRange& range : entry.data.extents)
      for (std::uint64_t at = range.offset; at < range.offset + range.length && whole;) {
        const std::span<const std::uint8_t> bytes = view.span_up_to(at, static_cast<std::size_t>(
                                                                             std::min<std::uint64_t>(range.offset + range.length - at, SourceView::kPageSize)));
        whole = !bytes.empty();
        sum.update(bytes);
        at += bytes.size();
      }
    if (whole) result.data_sha256 = sha256_hex(sum.finish());
  }
  result.source_row = chosen_source_row();
  result.target_row = chosen_target_row();
  if (!chosen_reader() || !chosen_writer()) return finish(result, ConversionStatus::NotAvailable);
  SourceFile file;
  std::string error;
  if (!open_volume_entry(fork, entry, file, error)) return failed(result, ConversionStatus::BadSource, error);
  std::string place;
  if (!image_entry_place(image, entry.path, place))
    return failed(result, ConversionStatus::NoTargetFile, "cannot create the output folder");
  const std::string source = result.source;
  return convert_opened(std::move(result), source, file, SourceOpen::Ok, "", place, false);
}

// What a batch with workers knows while it runs: where its results go, the
// images the workers found (their files are handed over in turn), and
// whether images are walked whole.
std::vector<ConversionResult>* g_batch_results = nullptr;
std::vector<BatchJob> g_found_images;
bool g_batch_recursive = false;

bool batch_stopped() { return g_batch_stop && g_batch_stop->load(std::memory_order_relaxed); }

void report_result(ConversionResult r) {
  if (g_batch_hook) g_batch_hook(r.source, &r);
  if (g_batch_results) g_batch_results->push_back(std::move(r));
}

// A worker's result: an image it found is kept for its files to be handed
// over (handing them over from here would nest in the hand-over that
// brought the result).
void worker_result(ConversionResult r, const BatchJob& job) {
  if (r.status == ConversionStatus::VolumeImage && job.entry.empty()) {
    g_found_images.push_back(job);
    return;
  }
  report_result(std::move(r));
}

// The files of an image as a batch converts them: the image is `image` in
// `folder` (absolute; the working directory when no worker takes its files),
// each file handed to a worker or converted here.
void convert_image_files(const std::string& image, const std::string& prefix, bool recursive, const std::string& folder) {
  OpenImage opened;
  if (!open_image(folder.empty() || is_separator(image[0]) ? image : folder + "/" + image, opened)) {
    report_result(image_failure(prefix + image, "cannot read the disk image: " + opened.error));
    return;
  }
  if (const std::string problems = image_problems(opened.volume); !problems.empty())
    report_result(image_failure(prefix + image, problems));
  // Small files are converted here when the image lies in the working
  // directory's folder; the others go to the workers, which work there.
  const std::string here = batch_workers() ? current_directory() : std::string();
  const std::string job_folder = folder.empty() ? here : folder;
  const bool local = job_folder == here;
  for (const VolumeEntry& entry : opened.volume.entries) {
    if (entry.folder || (!recursive && entry.path.find('/') != std::string::npos)) continue;
    if (batch_stopped()) break;
    if (g_batch_hook) g_batch_hook(prefix + image + "/" + entry.path, nullptr);
    if (batch_workers() && (!local || entry.data.size + entry.resource.size >= kHandOverSize)) {
      BatchJob job{job_folder, image, prefix, g_output_subfolder, g_output_directory, false, g_output_directory.empty(), ""};
      job.entry = entry.path;
      batch_workers()->submit(job, worker_result);
      continue;
    }
    if (batch_workers()) batch_workers()->take_ready(worker_result);
    ConversionResult r = convert_volume_entry(image, opened.file.data, entry);
    r.source = prefix + r.source;
    r.image = prefix + r.image;
    if (!r.target.empty() && g_output_directory.empty()) r.target = prefix + r.target;
    report_result(std::move(r));
  }
}

// The files of the images the workers found, handed over in their turn.
void convert_found_images() {
  while (!g_found_images.empty()) {
    const BatchJob job = g_found_images.front();
    g_found_images.erase(g_found_images.begin());
    const std::string subfolder = g_output_subfolder;
    g_output_subfolder = job.subfolder;
    convert_image_files(job.name, job.prefix, g_batch_recursive, job.folder);
    g_output_subfolder = subfolder;
  }
}

// Waits for every file handed over, and hands over the files of the images
// found meanwhile, until none is left.
void finish_hand_overs() {
  if (!batch_workers()) return;
  for (;;) {
    batch_workers()->finish(worker_result);
    if (g_found_images.empty()) return;
    convert_found_images();
  }
}

ConversionResult list_failure(const std::string& pattern) {
  ConversionResult r;
  r.source = pattern;
  r.source_row = chosen_source_row();
  r.target_row = chosen_target_row();
  r.status = ConversionStatus::ListFileFailed;
  return r;
}

ConversionResult folder_failure(const std::string& folder, int err) {
  ConversionResult r = list_failure(folder.empty() ? "." : folder);
  r.status = ConversionStatus::BadSource;
  r.reason = std::string("cannot read the folder: ") + std::strerror(err);
  return r;
}

// The list file of a batch: made in the temporary directory for the first
// folder, filled again for each folder after it (the list of a folder is read
// to its end before the batch enters its subfolders), removed at the end.
struct BatchList {
  std::string path;
  RemoveGuard guard;
};

// Hands a file to the batch's workers: its result comes back to the hook
// and the results when a worker is done with it.
void hand_over(const std::string& name, const std::string& prefix, bool has_doubles, const std::string& folder) {
  BatchJob job{folder, name, prefix, g_output_subfolder, g_output_directory, has_doubles, g_output_directory.empty(), ""};
  batch_workers()->submit(job, worker_result);
  convert_found_images();
}

void convert_listed(const std::string& pattern, const std::vector<DirEntry>& entries,
                    std::vector<ConversionResult>& results, const std::string& prefix, BatchList& list_file) {
  const bool has_doubles = any_appledouble(entries);
  FolderRun folder(has_doubles);
  const std::string here = batch_workers() ? current_directory() : std::string();
  if (list_file.path.empty()) {
    if (!create_temp_file("TXV", list_file.path)) {
      list_file.path.clear();
      results.push_back(list_failure(prefix + pattern));
      return;
    }
    list_file.guard.arm(list_file.path);
  }
  FilePtr list(expand_selection(pattern, list_file.path));
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
      if (batch_stopped()) break;
      if (g_batch_hook) g_batch_hook(prefix + line, nullptr);
      if (batch_workers()) {
        if (file_size(line) >= kHandOverSize) {
          hand_over(line, prefix, has_doubles, here);
          if (c == EOF) break;
          continue;
        }
        batch_workers()->take_ready(worker_result);
      }
      ConversionResult r = convert_file(line);
      if (r.status == ConversionStatus::VolumeImage) {
        convert_image_files(line, prefix, g_batch_recursive, "");
        if (c == EOF) break;
        continue;
      }
      r.source = prefix + r.source;
      if (!r.target.empty() && g_output_directory.empty()) r.target = prefix + r.target;
      if (g_batch_hook) g_batch_hook(r.source, &r);
      results.push_back(std::move(r));
    }
    if (c == EOF) break;
  }
}

// A folder of a recursive batch that is not followed, and why.
void folder_not_followed(std::vector<ConversionResult>& results, const std::string& folder, const std::string& why) {
  ConversionResult r = list_failure(folder);
  r.status = ConversionStatus::BadSource;
  r.reason = "folder not followed: " + why;
  results.push_back(std::move(r));
  if (g_batch_hook) g_batch_hook(results.back().source, &results.back());
}

void batch(const std::string& pattern, int mode, std::vector<ConversionResult>& results, const std::string& prefix,
           std::vector<FolderIdentity>& above, BatchList& list_file) {
  busy_cursor_step();
  if (mode == BatchOneFile) {
    results.push_back(convert_file(pattern));
    return;
  }
  bool readable = true;
  const std::vector<DirEntry> entries = list_directory("", &readable, false);
  if (!readable) {
    results.push_back(folder_failure(prefix, errno));
    if (g_batch_hook) g_batch_hook(results.back().source, &results.back());
    return;
  }
  g_output_subfolder = prefix;
  convert_listed(pattern, entries, results, prefix, list_file);
  if (mode != BatchRecursive) return;
  for (const DirEntry& e : entries) {
    if (!e.is_directory) continue;
    if (batch_stopped()) break;
    const std::string folder = prefix + e.name + "/";
    if (above.size() >= static_cast<std::size_t>(kMaxDirectoryDepth)) {
      folder_not_followed(results, folder, "more than " + std::to_string(kMaxDirectoryDepth) + " folders deep");
      continue;
    }
    WorkingDirectoryGuard back;
    if (!change_directory_to(e.name)) {
      // A folder that cannot be entered is skipped, and said so.
      results.push_back(folder_failure(folder, errno));
      if (g_batch_hook) g_batch_hook(results.back().source, &results.back());
      continue;
    }
    // A link back to a folder the batch is in would lead round for ever.
    FolderIdentity id;
    if (!current_folder_identity(id)) {
      results.push_back(folder_failure(folder, errno));
      if (g_batch_hook) g_batch_hook(results.back().source, &results.back());
      continue;
    }
    if (std::find(above.begin(), above.end(), id) != above.end()) {
      folder_not_followed(results, folder, "it leads back to a folder the batch is already in");
      continue;
    }
    above.push_back(id);
    batch(pattern, mode, results, folder, above, list_file);
    above.pop_back();
  }
  g_output_subfolder = prefix;
}

}  // namespace

void set_batch_file_hook(BatchFileHook hook) { g_batch_hook = std::move(hook); }
void set_batch_stop(const std::atomic<bool>* stop) { g_batch_stop = stop; }

std::vector<ConversionResult> convert_batch(const std::string& pattern, int mode) {
  std::vector<ConversionResult> results;
  g_output_subfolder.clear();
  BatchList list_file;
  std::vector<FolderIdentity> above;  // the folders the batch is in, from where it started
  FolderIdentity start;
  if (current_folder_identity(start)) above.push_back(start);
  g_batch_results = &results;
  g_batch_recursive = mode == BatchRecursive;
  batch(pattern, mode, results, "", above, list_file);
  finish_hand_overs();
  g_batch_results = nullptr;
  g_output_subfolder.clear();
  return results;
}

bool is_volume_image(const std::string& path, std::string* kind) {
  SourceFile file;
  std::string error, found, why_not;
  if (open_source(path, file, error, false) != SourceOpen::Ok || !probe_volume(file.data, found, why_not)) return false;
  if (kind) *kind = found;
  return true;
}

std::vector<ConversionResult> convert_image(const std::string& path, bool recursive) {
  std::vector<ConversionResult> results;
  g_output_subfolder.clear();
  g_batch_results = &results;
  g_batch_recursive = recursive;
  convert_image_files(path, "", recursive, batch_workers() ? current_directory() : std::string());
  finish_hand_overs();
  g_batch_results = nullptr;
  return results;
}

namespace {
std::optional<FolderRun> g_worker_folder;
OpenImage g_worker_image;  // the image of a worker's last file of an image
// Its files by path: a volume may list a million, each handed over alone.
std::unordered_map<std::string, std::size_t> g_worker_image_files;
}  // namespace

ConversionResult convert_image_file_in_batch(const std::string& image, const std::string& entry,
                                             const std::string& subfolder) {
  g_worker_folder.reset();
  g_output_subfolder = subfolder;
  const std::string path = is_separator(image[0]) ? image : current_directory() + "/" + image;
  if (!g_worker_image.listed || g_worker_image.path != path) {
    open_image(path, g_worker_image);
    g_worker_image_files.clear();
    for (std::size_t i = 0; i < g_worker_image.volume.entries.size(); ++i)
      if (!g_worker_image.volume.entries[i].folder) g_worker_image_files.emplace(g_worker_image.volume.entries[i].path, i);
  }
  if (const auto found = g_worker_image_files.find(entry); found != g_worker_image_files.end())
    return convert_volume_entry(image, g_worker_image.file.data, g_worker_image.volume.entries[found->second]);
  return image_failure(image + "/" + entry, "not found in the disk image again: " +
                                                (g_worker_image.error.empty() ? "it changed" : g_worker_image.error));
}

ConversionResult convert_in_batch_folder(const std::string& name, const std::string& subfolder, bool has_doubles,
                                         bool same_folder) {
  if (!same_folder || !g_worker_folder) {
    g_worker_folder.reset();
    g_worker_folder.emplace(has_doubles);
  }
  g_output_subfolder = subfolder;
  return convert_file(name);
}

void end_batch_folder() { g_worker_folder.reset(); }

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
    case ConversionStatus::PathTooLong: return "path too long for this system";
    case ConversionStatus::NoWorkFile:
      return std::string("cannot create the work file ") + (g_output_directory.empty() ? "beside the source" : "in the output folder") +
             (reason.empty() ? "" : ": " + reason);
    case ConversionStatus::ReaderFailed:
      // A reader's refusal names the format itself ("not a MacWrite II document: ...").
      if (reason.rfind("not a ", 0) == 0) return reason;
      return "cannot read the file as a " + src_name + " document" + (reason.empty() ? "" : ": " + reason);
    case ConversionStatus::EmptyDocument: return "empty document";
    case ConversionStatus::NoFreeName: return "no free name left for the target file";
    case ConversionStatus::NoTargetFile: return "cannot create the target file" + (reason.empty() ? "" : ": " + reason);
    case ConversionStatus::WriterFailed:
      if (handler_result == kHandlerTooLarge) return "the document is too large for the " + dst_name + " format";
      return "cannot write the " + dst_name + " file" + (reason.empty() ? "" : ": " + reason);
    case ConversionStatus::ListFileFailed: return "cannot create the list of files to convert";
    case ConversionStatus::Damaged:
      return "damaged: " + reason + (target.empty() ? "; partial result on standard output" : "; partial result in " + target);
    case ConversionStatus::BadSource: return reason;
    case ConversionStatus::FileFailed: return reason;
    case ConversionStatus::NotOurFormat:
      return "not a Macintosh document we read" + (reason.empty() ? "" : " (" + reason + ")");
    case ConversionStatus::AlreadyConverted: return "already converted" + (reason.empty() ? "" : " (" + reason + ")");
    case ConversionStatus::WrapperFailed: return reason;
    case ConversionStatus::TargetExists: return "its target " + target + " exists already";
    case ConversionStatus::VolumeImage: return "a disk image (" + reason + ")";
  }
  return "unknown failure";
}

}  // namespace lettrix
