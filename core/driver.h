// The conversion driver: one file through the chosen reader and writer by way
// of an intermediate stream beside the source, and the batch entry that the
// dialog and the command line call.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace lettrix {

enum class ConversionStatus {
  Ok,
  NotAvailable,       // the chosen reader or writer is not built yet
  NoSuchFile,         // the source does not exist or is not a regular file
  PathTooLong,        // a derived name is longer than the system allows
  NoWorkFile,         // the intermediate stream could not be created
  ReaderFailed,       // the reader refused the source (result in handler_result)
  EmptyDocument,      // the document holds nothing to convert
  NoFreeName,         // no free target name is left
  NoTargetFile,       // the target could not be created
  WriterFailed,       // the writer failed (result in handler_result)
  ListFileFailed,     // a batch's list file could not be created
  Damaged,            // the document is damaged; the target holds what could be read
  BadSource,          // the source is a folder, a pipe, a device, or cannot be read (reason)
  FileFailed,         // writing or reading a file failed, or a name was swapped (reason)
  NotOurFormat,       // skipped: not a Macintosh document any reader takes
  AlreadyConverted,   // skipped: one of the target formats already
  WrapperFailed,      // a MacBinary, BinHex, AppleSingle or AppleDouble wrapper is damaged (reason)
  TargetExists,       // skipped: its target's own name is taken and existing targets are kept (target)
  VolumeImage,        // a Macintosh disk image (reason: its kind): its files are converted as a folder's
};

struct ConversionResult {
  std::string source;  // as given (relative to where the batch started)
  std::string target;  // the target written, empty when none was left
  ConversionStatus status = ConversionStatus::Ok;
  int handler_result = 0;
  std::string reason;  // the handler's own words on what failed, when it gave them
  int source_row = 0;  // the formats the conversion was tried with
  int target_row = 0;
  std::string warning;  // the content contradicts the chosen format: "looks like MacWrite 4.6"
  std::string notes;    // the reader's and writer's notes, a line each (core/handler.h)
  std::string confidence;  // how sure detection was of the source's format ("certain"), when it ran
  std::string wrapper;     // the wrapper the source came in ("MacBinary II"), or empty
  // A file of a disk image: the image (as the batch names it), and its data
  // fork's size and SHA-256, which no path outside the image leads to.
  std::string image;
  std::string data_sha256;
  std::string data_bytes;

  bool ok() const { return status == ConversionStatus::Ok; }
  // Left alone on purpose; in a pattern run this is not a failure.
  bool skipped() const {
    return status == ConversionStatus::NotOurFormat || status == ConversionStatus::AlreadyConverted ||
           status == ConversionStatus::TargetExists;
  }
  // A short reason for the user ("not a MacWrite II document").
  std::string message() const;
};

// Converts one file with the chosen formats (see driver_state.h), or with the
// source format its content shows when source detection is on. A wrapped
// source (MacBinary, BinHex, AppleSingle, AppleDouble) reaches its reader
// unwrapped (core/wrapped_source.h). The target
// is written as NAME.part and takes its final name only when complete, never
// replacing anything; a failing reader or writer leaves no target; the
// intermediate stream is always removed. Every file the driver creates is
// created exclusively and opened again only while it is still that file.
ConversionResult convert_file(const std::string& source);

// Puts the stream and the target of every following conversion in dir
// (created when missing; a batch keeps the folders it walks below it)
// instead of beside the source. Empty: beside the source again. An absolute
// dir is best: batches change the working directory.
void set_output_directory(const std::string& dir);
const std::string& output_directory();

// With skip on, a source whose target name (the place's own, not a
// numbered one) already names anything is not converted: TargetExists, with
// that name as the target. So a second run over a collection converts only
// what is new or failed before. Off by default.
void set_skip_existing(bool skip);

// Disk images (volumes/disk_image.h) are converted as folders: each file of
// the volume as `IMAGE/FOLDER/NAME`, its target in a folder named after the
// image (its name without the extension), beside the image or in the output
// folder: IMAGE-NAME/FOLDER/NAME.EXT. A batch does so for every image it
// meets (its whole volume with mode 2, else the top folder); these do it for
// an image named on its own.
//
// Whether the file at path holds a Macintosh volume (a few blocks read),
// with its kind ("Disk Copy 4.2 (HFS)").
bool is_volume_image(const std::string& path, std::string* kind = nullptr);
// Converts the files of the image at path (relative to the working
// directory), results as a batch gives them (hook and list); recursive: every
// folder of the volume.
std::vector<ConversionResult> convert_image(const std::string& path, bool recursive);

// Batch modes: 0 the one file the pattern names; 1 every regular file matching
// the pattern; 2 as 1, then the same in every subdirectory, depth first.
enum BatchMode { BatchOneFile = 0, BatchPattern = 1, BatchRecursive = 2 };

// Runs a batch and returns one result per file tried, in order. Within a
// folder the intermediate stream of one file is emptied and renamed for the
// next instead of being removed and created again, and is removed when the
// folder is done; one list file serves the whole batch.
std::vector<ConversionResult> convert_batch(const std::string& pattern, int mode);

// A batch worker's conversion (core/batch_workers.h) of the file `name` in
// the working directory, as the batch would convert it among the files of
// that folder: its targets in `subfolder` of the output folder, AppleDouble
// files looked for when has_doubles, the work stream of the folder's last
// file taken again when same_folder. end_batch_folder ends the folder's run.
ConversionResult convert_in_batch_folder(const std::string& name, const std::string& subfolder, bool has_doubles,
                                         bool same_folder);
void end_batch_folder();
// The same for the file `entry` of the disk image `image` there.
ConversionResult convert_image_file_in_batch(const std::string& image, const std::string& entry,
                                             const std::string& subfolder);

// Called by batches (modes 1 and 2) for each file: with done == nullptr just
// before it is converted, then with its result. Sources and folders are named
// relative to where the batch started. Empty: no calls.
using BatchFileHook = std::function<void(const std::string& source, const ConversionResult* done)>;
void set_batch_file_hook(BatchFileHook hook);

// A batch (modes 1 and 2, and the files of a disk image) reads *stop before
// each file it would start and, once it is true, starts no more: the file
// being converted is finished, the files after it are not tried and give no
// result. Null (the default): batches run to their end. Another thread may
// set the flag at any time.
void set_batch_stop(const std::atomic<bool>* stop);

}  // namespace lettrix
