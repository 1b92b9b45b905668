#include "support/file_handle.h"

#include <cerrno>
#include <cstring>

#include "support/owned_files.h"

namespace lettrix {

namespace {

FileFailure g_failure;
long long g_write_budget = -1;

bool mode_writes(const char* mode) { return mode[0] == 'w' || mode[0] == 'a' || std::strchr(mode, '+'); }

#ifdef __GLIBC__
// A stream over another whose writes fail as a full disk does once the
// budget is spent.
ssize_t budget_write(void* cookie, const char* data, size_t size) {
  std::FILE* inner = static_cast<std::FILE*>(cookie);
  if (g_write_budget >= 0 && static_cast<long long>(size) > g_write_budget) {
    size_t room = static_cast<size_t>(g_write_budget);
    if (room > 0) std::fwrite(data, 1, room, inner);
    g_write_budget = 0;
    errno = ENOSPC;
    return room > 0 ? static_cast<ssize_t>(room) : -1;
  }
  size_t n = std::fwrite(data, 1, size, inner);
  if (g_write_budget >= 0) g_write_budget -= static_cast<long long>(n);
  return n == size ? static_cast<ssize_t>(n) : -1;
}
ssize_t budget_read(void* cookie, char* data, size_t size) {
  std::FILE* inner = static_cast<std::FILE*>(cookie);
  size_t n = std::fread(data, 1, size, inner);
  return std::ferror(inner) ? -1 : static_cast<ssize_t>(n);
}
int budget_seek(void* cookie, off64_t* offset, int whence) {
  std::FILE* inner = static_cast<std::FILE*>(cookie);
  if (fseeko(inner, *offset, whence) != 0) return -1;
  *offset = ftello(inner);
  return 0;
}
int budget_close(void* cookie) { return std::fclose(static_cast<std::FILE*>(cookie)); }

std::FILE* with_budget(std::FILE* f, const char* mode) {
  if (!f || g_write_budget < 0 || !mode_writes(mode)) return f;
  std::setvbuf(f, nullptr, _IONBF, 0);
  cookie_io_functions_t io{budget_read, budget_write, budget_seek, budget_close};
  std::FILE* wrapped = fopencookie(f, mode, io);
  if (!wrapped) std::fclose(f);
  return wrapped;
}
#else
std::FILE* with_budget(std::FILE* f, const char*) { return f; }
#endif

}  // namespace

void note_file_failure(FileFailure::Kind kind, int err, const std::string& path) {
  if (g_failure.kind != FileFailure::None) return;  // the first cause counts
  g_failure.kind = kind;
  g_failure.err = err;
  g_failure.path = path;
}

void note_replaced_file(const std::string& path) { note_file_failure(FileFailure::Replaced, 0, path); }

FileFailure take_file_failure() {
  FileFailure f = g_failure;
  g_failure = FileFailure();
  return f;
}

std::string file_failure_text(const FileFailure& f, const std::string& what) {
  switch (f.kind) {
    case FileFailure::None: return "";
    case FileFailure::Replaced: return what + " was replaced by another file while converting";
    case FileFailure::ReadFailed:
      return "cannot read " + what + (f.err ? std::string(": ") + std::strerror(f.err) : std::string());
    case FileFailure::WriteFailed: break;
  }
  if (f.err == ENOSPC) return "the disk is full while writing " + what;
  if (f.err == EDQUOT) return "the disk quota is used up while writing " + what;
  return "cannot write " + what + (f.err ? std::string(": ") + std::strerror(f.err) : std::string());
}

void FileCloser::operator()(std::FILE* f) noexcept {
  if (f) {
    bool failed = std::ferror(f) != 0;
    int err = 0;  // the cause of an earlier failure is no longer known
    if (writing && std::fflush(f) != 0) {
      failed = true;
      err = errno;
    }
    if (std::fclose(f) != 0 && writing) {
      if (!failed) err = errno;
      failed = true;
    }
    if (failed) note_file_failure(writing ? FileFailure::WriteFailed : FileFailure::ReadFailed, err, path);
  }
  delete[] buffer;
  buffer = nullptr;  // a stream put in by reset() has a buffer of its own
}

FilePtr adopt_file(std::FILE* f, bool writing, const std::string& path, const char* mode) {
  if (writing) f = with_budget(f, mode);
  if (!f) return FilePtr();
  char* buffer = new (std::nothrow) char[kFileBufferSize];
  if (buffer && std::setvbuf(f, buffer, _IOFBF, kFileBufferSize) != 0) {
    delete[] buffer;
    buffer = nullptr;
  }
  return FilePtr(f, FileCloser{buffer, writing, writing ? path : std::string()});
}

FilePtr open_file(const char* path, const char* mode) {
  return adopt_file(open_checked(path, mode), mode_writes(mode), path ? path : "", mode);
}

void set_write_budget_for_tests(long long bytes) { g_write_budget = bytes; }

void RemoveGuard::remove_now() {
  if (path_.empty()) return;
  if (is_owned(path_))
    remove_owned_file(path_);
  else
    std::remove(path_.c_str());
  path_.clear();
}

}  // namespace lettrix
