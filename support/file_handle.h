// RAII for C streams and for files that must not outlive an early return.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace lettrix {

struct FileCloser {
  void operator()(std::FILE* f) const noexcept {
    if (f) std::fclose(f);
  }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

inline FilePtr open_file(const char* path, const char* mode) { return FilePtr(std::fopen(path, mode)); }
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
