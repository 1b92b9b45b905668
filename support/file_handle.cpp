#include "support/file_handle.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "support/owned_files.h"

namespace lettrix {

namespace {

FileFailure g_failure;
long long g_write_budget = -1;

bool mode_writes(const char* mode) { return mode[0] == 'w' || mode[0] == 'a' || std::strchr(mode, '+'); }

#ifdef __GLIBC__
// Streams opened for writing go through a thin layer over the stream the
// system gave (unbuffered below ours), so that the cause of a failed write
// is noted when it happens: the C library keeps only an error flag, and a
// full disk would otherwise be reported without its reason. Tests may give
// it a budget after which writes fail as on a full disk.
struct WriteLayer {
  std::FILE* inner;
  std::string path;
};

ssize_t layer_write(void* cookie, const char* data, size_t size) {
  auto* layer = static_cast<WriteLayer*>(cookie);
  size_t allowed = size;
  if (g_write_budget >= 0 && static_cast<long long>(size) > g_write_budget) allowed = static_cast<size_t>(g_write_budget);
  size_t n = allowed > 0 ? std::fwrite(data, 1, allowed, layer->inner) : 0;
  if (g_write_budget >= 0) g_write_budget -= static_cast<long long>(n);
  if (n == size) return static_cast<ssize_t>(n);
  const int err = n < allowed ? errno : ENOSPC;
  note_file_failure(FileFailure::WriteFailed, err, layer->path);
  errno = err;
  return static_cast<ssize_t>(n);  // a cookie writer reports an error as 0, never as -1
}
ssize_t layer_read(void* cookie, char* data, size_t size) {
  auto* layer = static_cast<WriteLayer*>(cookie);
  size_t n = std::fread(data, 1, size, layer->inner);
  return std::ferror(layer->inner) ? -1 : static_cast<ssize_t>(n);
}
int layer_seek(void* cookie, off64_t* offset, int whence) {
  auto* layer = static_cast<WriteLayer*>(cookie);
  if (fseeko(layer->inner, *offset, whence) != 0) return -1;
  *offset = ftello(layer->inner);
  return 0;
}
int layer_close(void* cookie) {
  auto* layer = static_cast<WriteLayer*>(cookie);
  int rc = std::fclose(layer->inner);
  if (rc != 0) note_file_failure(FileFailure::WriteFailed, errno, layer->path);
  delete layer;
  return rc;
}

std::FILE* with_write_layer(std::FILE* f, const char* mode, const std::string& path) {
  if (!f) return f;
  std::setvbuf(f, nullptr, _IONBF, 0);
  auto* layer = new (std::nothrow) WriteLayer{f, path};
  if (!layer) return f;
  cookie_io_functions_t io{layer_read, layer_write, layer_seek, layer_close};
  std::FILE* wrapped = fopencookie(layer, mode, io);
  if (!wrapped) {
    delete layer;
    std::setvbuf(f, nullptr, _IOFBF, BUFSIZ);
    return f;
  }
  return wrapped;
}
// A stream on a registered file's descriptor that reads and writes at its
// own offset (pread/pwrite), so that two streams on one file stay apart and
// the name is never looked up again.
struct DescriptorStream {
  int fd;
  off64_t pos;
  bool append;
  std::string path;
};

ssize_t fd_read(void* cookie, char* data, size_t size) {
  auto* s = static_cast<DescriptorStream*>(cookie);
  ssize_t n;
  do n = pread(s->fd, data, size, s->pos);
  while (n < 0 && errno == EINTR);
  if (n < 0) {
    note_file_failure(FileFailure::ReadFailed, errno, s->path);
    return -1;
  }
  s->pos += n;
  return n;
}
ssize_t fd_write(void* cookie, const char* data, size_t size) {
  auto* s = static_cast<DescriptorStream*>(cookie);
  if (s->append) {
    struct stat st {};
    if (fstat(s->fd, &st) == 0) s->pos = st.st_size;
  }
  size_t allowed = size;
  if (g_write_budget >= 0 && static_cast<long long>(size) > g_write_budget) allowed = static_cast<size_t>(g_write_budget);
  size_t done = 0;
  int err = ENOSPC;
  while (done < allowed) {
    ssize_t n = pwrite(s->fd, data + done, allowed - done, s->pos);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      err = n < 0 ? errno : EIO;
      break;
    }
    done += static_cast<size_t>(n);
    s->pos += n;
  }
  if (g_write_budget >= 0) g_write_budget -= static_cast<long long>(done);
  if (done < size) {
    note_file_failure(FileFailure::WriteFailed, err, s->path);
    errno = err;
  }
  return static_cast<ssize_t>(done);  // a cookie writer reports an error as 0, never as -1
}
int fd_seek(void* cookie, off64_t* offset, int whence) {
  auto* s = static_cast<DescriptorStream*>(cookie);
  off64_t base = 0;
  if (whence == SEEK_CUR) {
    base = s->pos;
  } else if (whence == SEEK_END) {
    struct stat st {};
    if (fstat(s->fd, &st) != 0) return -1;
    base = st.st_size;
  }
  if (*offset < -base) {
    errno = EINVAL;
    return -1;
  }
  s->pos = base + *offset;
  *offset = s->pos;
  return 0;
}
int fd_close(void* cookie) {
  auto* s = static_cast<DescriptorStream*>(cookie);
  int rc = close(s->fd);
  delete s;
  return rc;
}

std::FILE* descriptor_stream(int fd, const char* mode, const std::string& path) {
  auto* s = new (std::nothrow) DescriptorStream{fd, 0, mode[0] == 'a', path};
  if (!s) {
    close(fd);
    return nullptr;
  }
  cookie_io_functions_t io{fd_read, fd_write, fd_seek, fd_close};
  std::FILE* f = fopencookie(s, mode, io);
  if (!f) {
    close(fd);
    delete s;
  }
  return f;
}
#else
std::FILE* with_write_layer(std::FILE* f, const char*, const std::string&) { return f; }
std::FILE* descriptor_stream(int fd, const char* mode, const std::string&) {
  // Without cookie streams the descriptor's offset is shared with the kept one.
  if (lseek(fd, 0, mode[0] == 'a' ? SEEK_END : SEEK_SET) < 0) {
    close(fd);
    return nullptr;
  }
  std::FILE* f = fdopen(fd, mode);
  if (!f) close(fd);
  return f;
}
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

namespace {

// Stream buffers are kept for the next files when closed: a batch opens some
// six streams a document, and freeing and taking 64 KB blocks each time has
// the C library hand the memory back to the system and fault it in again.
constexpr int kSpareBuffers = 4;
char* g_spare_buffers[kSpareBuffers] = {};
int g_spare_count = 0;

char* take_buffer() {
  if (g_spare_count > 0) return g_spare_buffers[--g_spare_count];
  return new (std::nothrow) char[kFileBufferSize];
}

void give_back_buffer(char* buffer) {
  if (!buffer) return;
  if (g_spare_count < kSpareBuffers)
    g_spare_buffers[g_spare_count++] = buffer;
  else
    delete[] buffer;
}

}  // namespace

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
  give_back_buffer(buffer);
  buffer = nullptr;  // a stream put in by reset() has a buffer of its own
}

namespace {

FilePtr buffered(std::FILE* f, bool writing, const std::string& path) {
  if (!f) return FilePtr();
  char* buffer = take_buffer();
  if (buffer && std::setvbuf(f, buffer, _IOFBF, kFileBufferSize) != 0) {
    give_back_buffer(buffer);
    buffer = nullptr;
  }
  return FilePtr(f, FileCloser{buffer, writing, writing ? path : std::string()});
}

}  // namespace

FilePtr adopt_file(std::FILE* f, bool writing, const std::string& path, const char* mode) {
  if (writing) f = with_write_layer(f, mode, path);
  return buffered(f, writing, path);
}

FilePtr open_file(const char* path, const char* mode) {
  if (!path) return FilePtr();
  bool registered = false;
  int fd = owned_descriptor(path, &registered);
  if (!registered) return adopt_file(std::fopen(path, mode), mode_writes(mode), path, mode);
  if (fd < 0) return FilePtr();
  if (mode[0] == 'w' && truncate_for_writing(fd) != 0) {
    close(fd);
    return FilePtr();
  }
  // The descriptor stream notes its own failures: no second layer.
  return buffered(descriptor_stream(fd, mode, path), mode_writes(mode), path);
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
