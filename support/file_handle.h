// RAII for C streams and for files that must not outlive an early return.
#pragma once

#include <cstdio>
#include <cstddef>
#include <memory>
#include <new>
#include <string>

namespace lettrix {

// Closes the stream, then frees the buffer that open_file gave it (if any).
struct FileCloser {
  char* buffer = nullptr;
  void operator()(std::FILE* f) noexcept {
    if (f) std::fclose(f);
    delete[] buffer;
    buffer = nullptr;  // a stream put in by reset() has a buffer of its own
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Handlers go through their files a byte at a time; a buffer larger than the
// C library's default (the file system's block, often 4 KB) keeps the system
// calls few.
inline constexpr std::size_t kFileBufferSize = 1 << 16;

// Takes ownership of an open stream and gives it the large buffer.
inline FilePtr adopt_file(std::FILE* f) {
  if (!f) return FilePtr();
  char* buffer = new (std::nothrow) char[kFileBufferSize];
  if (buffer && std::setvbuf(f, buffer, _IOFBF, kFileBufferSize) != 0) {
    delete[] buffer;
    buffer = nullptr;
  }
  return FilePtr(f, FileCloser{buffer});
}

inline FilePtr open_file(const char* path, const char* mode) { return adopt_file(std::fopen(path, mode)); }
inline FilePtr open_file(const std::string& path, const char* mode) { return open_file(path.c_str(), mode); }

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
  void remove_now() {
    if (!path_.empty()) std::remove(path_.c_str());
    path_.clear();
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace lettrix
