// Conversions in parallel: a few worker processes, made by fork() once a
// batch starts, each converting one file at a time with its own work stream,
// working directory and interrupt cleanup, exactly as the batch itself would
// (core/driver.h). The batch walks the folders and hands each file over; a
// result comes back as soon as its file is done. Every rule of a single
// conversion holds in each worker: nothing is overwritten, nothing
// unfinished is left, and an interruption of the batch reaches every worker,
// which removes its unfinished files before the batch ends.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/driver.h"

namespace lettrix {

// One file for a worker.
struct BatchJob {
  std::string folder;     // absolute: the worker's working directory for it
  std::string name;       // the source as convert_file takes it there
  std::string prefix;     // the batch's folders above it, put before the result's names
  std::string subfolder;  // below the output folder (driver's output_subfolder)
  std::string output_directory;
  bool has_doubles = true;     // some name in the folder starts with "._"
  bool prefix_target = false;  // put prefix before the target's name too (targets beside their sources)
  std::string entry;  // not empty: name is a disk image, and this the file of its volume to convert
};

// Where a result goes, with the job it is the result of.
using BatchResultSink = std::function<void(ConversionResult, const BatchJob&)>;

// Files smaller than this are converted by the batch itself rather than
// handed over: for them the file system's work (creating, renaming and
// removing the stream and the target) outweighs the conversion, and two
// processes creating files in one folder wait on each other there.
inline constexpr std::uint64_t kHandOverSize = 64 * 1024;

class BatchWorkers {
 public:
  BatchWorkers() = default;
  BatchWorkers(const BatchWorkers&) = delete;
  BatchWorkers& operator=(const BatchWorkers&) = delete;
  // Ends the workers (after their files) and waits for them.
  ~BatchWorkers();

  // Makes `count` workers (2 or more), with the driver's settings as they
  // stand (formats, detection, skip_existing). False when none could be
  // made: the batch then converts its files itself.
  bool start(int count);
  int count() const { return static_cast<int>(workers_.size()); }

  // Hands job to a free worker; while every worker is busy, waits for one to
  // finish, giving its result (and any other that came) to done.
  void submit(const BatchJob& job, const BatchResultSink& done);
  // Waits for every file handed over, giving each result to done.
  void finish(const BatchResultSink& done);
  // Gives the results that are ready to done, without waiting.
  void take_ready(const BatchResultSink& done);

 private:
  struct Worker {
    int pid = -1;
    int to = -1;    // jobs
    int from = -1;  // results
    bool busy = false;
    BatchJob job;   // the one it works on
  };
  // Waits for at least one result (with wait; else none) and gives every
  // one ready to done.
  void collect(const BatchResultSink& done, bool wait = true);
  void lost(Worker& w, const BatchResultSink& done);

  std::vector<Worker> workers_;
};

// The batch's workers, while it has some (core/driver.cpp hands its files to
// them); null for none.
void set_batch_workers(BatchWorkers* workers);
BatchWorkers* batch_workers();

}  // namespace lettrix
