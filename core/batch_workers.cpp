#include "core/batch_workers.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <thread>

#include "core/driver_state.h"
#include "support/owned_files.h"
#include "support/platform.h"

namespace lettrix {

namespace {

BatchWorkers* g_workers = nullptr;
struct sigaction g_pipe_action {};  // SIGPIPE's action before the workers
bool g_pipe_saved = false;

// The workers' process ids, for the interrupt cleanup, which passes the
// signal on to them (support/owned_files.h) from its own thread.
constexpr std::size_t kMaxWorkers = 256;
std::atomic<int> g_worker_pids[kMaxWorkers];

// Set once an interruption is being handled: the batch's own thread then
// waits for the end of the process rather than going on without its
// workers.
std::atomic<bool> g_interrupted{false};

[[noreturn]] void wait_for_the_end() {
  for (;;) ::pause();  // the cleanup thread ends the process
}

void forward_interrupt(int sig) {
  g_interrupted = true;
  for (std::atomic<int>& pid : g_worker_pids)
    if (const int p = pid.load(); p > 0) ::kill(p, sig);
  // Each removes its unfinished files and ends; a worker that does not
  // within ten seconds is left to end by itself (its parent is gone then:
  // see the parent-death signal below).
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (std::atomic<int>& pid : g_worker_pids) {
    const int p = pid.load();
    if (p <= 0) continue;
    while (::waitpid(p, nullptr, WNOHANG) == 0 && std::chrono::steady_clock::now() < give_up)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// Messages on the pipes: a 32-bit length, then fields, each a 32-bit length
// and its bytes.
void put_field(std::string& message, const std::string& field) {
  const std::uint32_t n = static_cast<std::uint32_t>(field.size());
  for (int shift = 0; shift < 32; shift += 8) message += static_cast<char>(n >> shift & 0xFF);
  message += field;
}

bool write_all(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool read_all(int fd, char* to, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(fd, to + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool send_message(int fd, const std::vector<std::string>& fields) {
  std::string body;
  for (const std::string& f : fields) put_field(body, f);
  std::string message;
  put_field(message, body);
  return write_all(fd, message);
}

std::uint32_t le32(const char* p) {
  std::uint32_t n = 0;
  for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<unsigned char>(p[i]);
  return n;
}

// A message's fields; false at the end of the pipe or on a malformed one.
bool receive_message(int fd, std::vector<std::string>& fields) {
  char size[4];
  if (!read_all(fd, size, 4)) return false;
  const std::uint32_t n = le32(size);
  if (n > (64u << 20)) return false;
  std::string body(n, '\0');
  if (!read_all(fd, body.data(), n)) return false;
  fields.clear();
  for (std::size_t at = 0; at < body.size();) {
    if (body.size() - at < 4) return false;
    const std::uint32_t len = le32(body.data() + at);
    at += 4;
    if (len > body.size() - at) return false;
    fields.emplace_back(body, at, len);
    at += len;
  }
  return true;
}

std::vector<std::string> job_fields(const BatchJob& job) {
  return {job.folder, job.name, job.prefix, job.subfolder, job.output_directory, job.has_doubles ? "1" : "0",
          job.prefix_target ? "1" : "0", job.entry};
}

std::vector<std::string> result_fields(const ConversionResult& r) {
  return {r.source, r.target, std::to_string(static_cast<int>(r.status)), std::to_string(r.handler_result), r.reason,
          std::to_string(r.source_row), std::to_string(r.target_row), r.warning, r.notes, r.confidence, r.wrapper,
          r.image, r.data_sha256, r.data_bytes};
}

int number(const std::string& text) {
  int n = 0;
  for (const char c : text) {
    if (c == '-') continue;
    n = n * 10 + (c - '0');
  }
  return !text.empty() && text[0] == '-' ? -n : n;
}

bool to_result(const std::vector<std::string>& f, ConversionResult& r) {
  if (f.size() != 14) return false;
  r.source = f[0];
  r.target = f[1];
  r.status = static_cast<ConversionStatus>(number(f[2]));
  r.handler_result = number(f[3]);
  r.reason = f[4];
  r.source_row = number(f[5]);
  r.target_row = number(f[6]);
  r.warning = f[7];
  r.notes = f[8];
  r.confidence = f[9];
  r.wrapper = f[10];
  r.image = f[11];
  r.data_sha256 = f[12];
  r.data_bytes = f[13];
  return true;
}

// What a worker does until its job pipe ends: each job in its folder, the
// result back.
[[noreturn]] void work(int jobs, int results) {
  std::vector<std::string> f;
  std::string last_folder;
  while (receive_message(jobs, f) && f.size() == 8) {
    BatchJob job{f[0], f[1], f[2], f[3], f[4], f[5] == "1", f[6] == "1", f[7]};
    ConversionResult r;
    if (job.folder != last_folder && !change_directory_to(job.folder)) {
      r.source = job.name;
      r.status = ConversionStatus::BadSource;
      r.reason = "cannot enter its folder";
      r.source_row = chosen_source_row();
      r.target_row = chosen_target_row();
      last_folder.clear();
    } else {
      const bool same_folder = job.folder == last_folder;
      last_folder = job.folder;
      set_output_directory(job.output_directory);
      r = job.entry.empty() ? convert_in_batch_folder(job.name, job.subfolder, job.has_doubles, same_folder)
                            : convert_image_file_in_batch(job.name, job.entry, job.subfolder);
    }
    r.source = job.prefix + r.source;
    if (!r.image.empty()) r.image = job.prefix + r.image;
    if (!r.target.empty() && job.prefix_target) r.target = job.prefix + r.target;
    if (!send_message(results, result_fields(r))) break;
  }
  end_batch_folder();
  _exit(0);
}

}  // namespace

void set_batch_workers(BatchWorkers* workers) { g_workers = workers; }
BatchWorkers* batch_workers() { return g_workers; }

bool BatchWorkers::start(int count) {
  if (count > static_cast<int>(kMaxWorkers)) count = static_cast<int>(kMaxWorkers);
  // While there are workers, one that ended makes a write to its pipe fail
  // (EPIPE), not end the batch.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  if (!g_pipe_saved) ::sigaction(SIGPIPE, &ignore, &g_pipe_action);
  g_pipe_saved = true;
  // Whatever waits in the output buffers must not be written twice.
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  for (int i = 0; i < count; ++i) {
    int jobs[2], results[2];
    if (::pipe2(jobs, O_CLOEXEC) != 0) break;
    if (::pipe2(results, O_CLOEXEC) != 0) {
      ::close(jobs[0]);
      ::close(jobs[1]);
      break;
    }
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
#ifdef __linux__
      // A batch ended without its cleanup (SIGKILL) ends its workers, which
      // then remove their unfinished files.
      ::prctl(PR_SET_PDEATHSIG, SIGTERM);
#endif
      if (::getppid() != parent) _exit(0);
      restart_interrupt_cleanup_after_fork();
      ::close(jobs[1]);
      ::close(results[0]);
      for (const Worker& w : workers_) {
        ::close(w.to);
        ::close(w.from);
      }
      work(jobs[0], results[1]);
    }
    ::close(jobs[0]);
    ::close(results[1]);
    if (pid < 0) {
      ::close(jobs[1]);
      ::close(results[0]);
      break;
    }
    Worker w;
    w.pid = pid;
    w.to = jobs[1];
    w.from = results[0];
    workers_.push_back(w);
    for (std::atomic<int>& slot : g_worker_pids) {
      int empty = 0;
      if (slot.compare_exchange_strong(empty, pid)) break;
    }
  }
  if (!workers_.empty()) set_interrupt_forward(forward_interrupt);
  return !workers_.empty();
}

BatchWorkers::~BatchWorkers() {
  for (Worker& w : workers_) {
    ::close(w.to);
    ::close(w.from);
  }
  for (Worker& w : workers_) {
    while (::waitpid(w.pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    for (std::atomic<int>& slot : g_worker_pids) {
      int pid = w.pid;
      if (slot.compare_exchange_strong(pid, 0)) break;
    }
  }
  if (!workers_.empty()) set_interrupt_forward(nullptr);
  if (g_pipe_saved) ::sigaction(SIGPIPE, &g_pipe_action, nullptr);
  g_pipe_saved = false;
}

void BatchWorkers::lost(Worker& w, const BatchResultSink& done) {
  if (g_interrupted) wait_for_the_end();
  // A worker that ended without its result (it crashed): its file failed.
  ConversionResult r;
  r.source = w.job.prefix + w.job.name + (w.job.entry.empty() ? "" : "/" + w.job.entry);
  r.status = ConversionStatus::FileFailed;
  r.reason = "the conversion ended unexpectedly";
  r.source_row = chosen_source_row();
  r.target_row = chosen_target_row();
  w.busy = false;
  ::close(w.to);
  ::close(w.from);
  w.to = w.from = -1;
  done(r, w.job);
}

void BatchWorkers::collect(const BatchResultSink& done, bool wait) {
  std::vector<pollfd> fds;
  std::vector<Worker*> who;
  for (Worker& w : workers_)
    if (w.busy) {
      fds.push_back({w.from, POLLIN, 0});
      who.push_back(&w);
    }
  if (fds.empty()) return;
  for (;;) {
    const int n = ::poll(fds.data(), fds.size(), wait ? -1 : 0);
    if (n == 0) return;
    if (n > 0) break;
    if (errno != EINTR) return;
  }
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    Worker& w = *who[i];
    std::vector<std::string> f;
    ConversionResult r;
    if (!receive_message(w.from, f) || !to_result(f, r)) {
      lost(w, done);
      continue;
    }
    w.busy = false;
    done(r, w.job);
  }
}

void BatchWorkers::submit(const BatchJob& job, const BatchResultSink& done) {
  for (;;) {
    bool any_alive = false;
    for (Worker& w : workers_) {
      if (w.to < 0) continue;
      any_alive = true;
      if (w.busy) continue;
      if (!send_message(w.to, job_fields(job))) {
        // It ended before taking the job: another one takes it.
        if (g_interrupted) wait_for_the_end();
        ::close(w.to);
        ::close(w.from);
        w.to = w.from = -1;
        continue;
      }
      w.busy = true;
      w.job = job;
      return;
    }
    if (!any_alive) {
      // Every worker ended unexpectedly: the file is not converted.
      ConversionResult r;
      r.source = job.prefix + job.name;
      r.status = ConversionStatus::FileFailed;
      r.reason = "no conversion worker is left";
      r.source_row = chosen_source_row();
      r.target_row = chosen_target_row();
      done(r, job);
      return;
    }
    collect(done);
  }
}

void BatchWorkers::take_ready(const BatchResultSink& done) { collect(done, false); }

void BatchWorkers::finish(const BatchResultSink& done) {
  while (std::any_of(workers_.begin(), workers_.end(), [](const Worker& w) { return w.busy; })) collect(done);
}

}  // namespace lettrix
