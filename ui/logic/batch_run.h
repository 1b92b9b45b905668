// A conversion command split in three: what it will convert, decided on the
// window's thread (plan_conversion); the batch itself, which a worker thread
// runs with the driver exactly as the command always ran it, one file at a
// time, stopping between files when told to (run_plan); and the lists
// refreshed on the window's thread afterwards (finish_conversion). While
// run_plan runs, only it touches the driver's state and the working
// directory.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/driver.h"
#include "ui/logic/dialog_state.h"
#include "ui/logic/format_choice.h"

namespace lettrix {

// What the dialog's controls hold when the command starts.
struct ConversionRequest {
  std::string source_format;   // the source drop-down text
  std::string target_format;   // the target drop-down text
  std::string file_name_text;  // the File Name field
  bool recursive = false;      // "Recursive search in subdirectories"
  std::string target_folder;   // the Target Folder field; empty: beside each source
};

struct BatchPlan {
  int source_row = 0;
  int target_row = 0;
  bool detect = false;              // "Automatic (by content)"
  std::string output_dir;           // absolute, or empty: beside each source
  std::string start_dir;            // the working directory the batch starts in
  std::vector<std::string> files;   // the selected files, converted one by one...
  std::string pattern;              // ...or, with none selected, this mask
  std::vector<std::string> folders; // dropped folders: every file of each (recursive: below it too)
  int mode = BatchPattern;
  std::function<void(int source_row, int target_row)> format_chooser;
};

// The plan for the request. A relative target folder is taken from the
// current path. With no file selected the mask becomes the selection mask.
BatchPlan plan_conversion(DialogState& s, const ConversionRequest& request);

// The plan for files and folders dropped on the window (absolute paths):
// the request's formats and target folder, the files one by one, then each
// folder's files. Paths that are neither are left out.
BatchPlan plan_drop(const DialogState& s, const ConversionRequest& request, const std::vector<std::string>& paths);

// The confirmation line of a drop: "Convert 12 files to OpenDocument Text?".
std::string drop_question(std::size_t files, const std::string& target_format);

// How far a batch has come: `started` files begun out of about `total` (a
// count made before the batch; a disk image counts as one file until its
// files are begun), the one being converted now.
struct BatchProgress {
  std::size_t started = 0;
  std::size_t total = 0;
  std::string current;
};

// "12 of 40: archive/letter".
std::string progress_text(const BatchProgress& p);

// The regular files the plan's batch will try: the selected ones, or those
// the mask matches (in every folder below, recursive). At most `limit`
// folders are looked at.
std::size_t count_planned_files(const BatchPlan& plan, std::size_t limit = 100000);

struct BatchOutcome {
  std::vector<ConversionResult> results;  // one per file tried, in order
  std::size_t not_started = 0;            // files left when the batch was stopped
  bool stopped = false;                   // the stop flag ended the batch early
  std::string output_dir;                 // the plan's target folder, or empty
};

// Runs the plan with the driver in the calling thread: chooses the formats,
// source detection and output folder, and restores the driver's defaults
// afterwards. *stop (may be null) is read before each file; progress (may be
// empty) is called in this thread before each file with how far the batch
// has come.
BatchOutcome run_plan(const BatchPlan& plan, const std::atomic<bool>* stop,
                      const std::function<void(const BatchProgress&)>& progress);

// After the batch, on the window's thread: selections cleared, lists refilled.
void finish_conversion(DialogState& s);

}  // namespace lettrix
