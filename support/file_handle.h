// RAII for C streams and for files that must not outlive an early return.
#pragma once

#include <cstdio>
#include <cstddef>
#include <memory>
#include <new>
#include <string>

namespace lettrix {

// What went wrong with a file since the last take_file_failure(): a write or
// a close that failed (a full disk), a read error, or a name that no longer
// named the file this program had created or checked (see owned_files.h).
struct FileFailure {
  enum Kind { None, WriteFailed, ReadFailed, Replaced } kind = None;
  int err = 0;       // errno when known, else 0
  std::string path;  // the file concerned
};
void note_file_failure(FileFailure::Kind kind, int err, const std::string& path);
void note_replaced_file(const std::string& path);
// Returns the first failure noted since the last call, and forgets it.
FileFailure take_file_failure();
// "the disk is full while writing PATH", "PATH was replaced by another file", ...
std::string file_failure_text(const FileFailure& f, const std::string& what);

// Closes the stream, then frees the buffer that open_file gave it (if any).
// A stream opened for writing is flushed first; a failed flush or close, or
// an error flag left on any stream, is noted (see take_file_failure), so that
// no handler can lose a write error by letting its file go out of scope.
struct FileCloser {
  char* buffer = nullptr;
  bool writing = false;
  std::string path;
  void operator()(std::FILE* f) noexcept;
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Handlers go through their files a byte at a time; a buffer larger than the
// C library's default (the file system's block, often 4 KB) keeps the system
// calls few.
inline constexpr std::size_t kFileBufferSize = 1 << 16;

// Takes ownership of an open stream and gives it the large buffer. `writing`
// and `path` say what to report when closing it fails.
FilePtr adopt_file(std::FILE* f, bool writing = false, const std::string& path = std::string(),
                   const char* mode = "w+b");

// Opens a file as std::fopen does, except that a name this program created
// or checked is opened as owned_files.h describes.
FilePtr open_file(const char* path, const char* mode);
inline FilePtr open_file(const std::string& path, const char* mode) { return open_file(path.c_str(), mode); }

// Tests: every stream opened for writing from now on fails with ENOSPC once
// `bytes` bytes in all have been written through such streams; -1 ends it.
void set_write_budget_for_tests(long long bytes);

// Removes a file when it goes out of scope, unless released. Use it for files
// this program created itself (work files, a target whose writer failed).
class RemoveGuard {
 public:
  RemoveGuard() = default;
  explicit RemoveGuard(std::string path) : path_(std::move(path)) {}
  RemoveGuard(const RemoveGuard&) = delete;
  RemoveGuard& operator=(const RemoveGuard&) = delete;
  ~RemoveGuard() { remove_now(); }

  void arm(std::string path) {
    remove_now();
    path_ = std::move(path);
  }
  void release() { path_.clear(); }
  // A name this program registered is removed only while it still names
  // that file; any other name (files made by tests) is simply removed.
  void remove_now();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace lettrix
