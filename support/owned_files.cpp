#include "support/owned_files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

#include "support/file_handle.h"

namespace lettrix {

namespace {

struct Owned {
  std::string path;
  int fd = -1;
  dev_t dev = 0;
  ino_t ino = 0;
  bool created = false;  // false: a source, checked but never removed
  int slot = -1;         // its place in the signal cleanup table
};

std::vector<Owned> g_owned;
std::function<void(const std::string&)> g_reopen_hook;

// The signal handler cannot touch g_owned (a vector that may be moving), so
// the files to remove on a signal are also kept in a fixed table whose
// entries are published with one store of `used`.
struct CleanupSlot {
  volatile sig_atomic_t used = 0;
  char* path = nullptr;
  dev_t dev = 0;
  ino_t ino = 0;
};
constexpr int kCleanupSlots = 32;
CleanupSlot g_slots[kCleanupSlots];

int take_slot(const std::string& path, dev_t dev, ino_t ino) {
  for (int i = 0; i < kCleanupSlots; ++i) {
    if (g_slots[i].used) continue;
    delete[] g_slots[i].path;
    g_slots[i].path = new char[path.size() + 1];
    std::memcpy(g_slots[i].path, path.c_str(), path.size() + 1);
    g_slots[i].dev = dev;
    g_slots[i].ino = ino;
    std::atomic_signal_fence(std::memory_order_release);  // the entry is whole before it is used
    g_slots[i].used = 1;
    return i;
  }
  return -1;  // more files at once than slots: this one is not cleaned up on a signal
}

void free_slot(int slot) {
  if (slot < 0) return;
  g_slots[slot].used = 0;
}

Owned* find(const std::string& path) {
  for (Owned& o : g_owned)
    if (o.path == path) return &o;
  return nullptr;
}

void forget(const std::string& path) {
  for (std::size_t i = 0; i < g_owned.size(); ++i) {
    if (g_owned[i].path != path) continue;
    free_slot(g_owned[i].slot);
    if (g_owned[i].fd >= 0) close(g_owned[i].fd);
    g_owned.erase(g_owned.begin() + static_cast<std::ptrdiff_t>(i));
    return;
  }
}

// True when the name (not following a link) is the registered file.
bool still_ours(const Owned& o) {
  struct stat st {};
  if (lstat(o.path.c_str(), &st) != 0) return false;
  return st.st_dev == o.dev && st.st_ino == o.ino;
}

void register_file(const std::string& path, int fd, const struct stat& st, bool created) {
  forget(path);
  Owned o;
  o.path = path;
  o.fd = fd;
  o.dev = st.st_dev;
  o.ino = st.st_ino;
  o.created = created;
  if (created) o.slot = take_slot(path, st.st_dev, st.st_ino);
  g_owned.push_back(std::move(o));
}

extern "C" void on_interrupt(int sig) {
  remove_interrupted_files();
  _exit(128 + sig);
}

// Holds back the cleanup signals while a file is created and registered, so
// that an interrupt cannot fall between the two and leave the file behind.
class CleanupSignalsBlocked {
 public:
  CleanupSignalsBlocked() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, sig);
    sigprocmask(SIG_BLOCK, &set, &old_);
  }
  ~CleanupSignalsBlocked() { sigprocmask(SIG_SETMASK, &old_, nullptr); }
  CleanupSignalsBlocked(const CleanupSignalsBlocked&) = delete;
  CleanupSignalsBlocked& operator=(const CleanupSignalsBlocked&) = delete;

 private:
  sigset_t old_;
};

}  // namespace

int create_owned_file(const std::string& path, bool private_file) {
  CleanupSignalsBlocked blocked;
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, private_file ? 0600 : 0666);
  if (fd < 0) return errno ? errno : EIO;
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    int err = errno;
    unlink(path.c_str());  // just created exclusively: it is ours
    close(fd);
    return err;
  }
  register_file(path, fd, st, true);
  return 0;
}

int create_owned_temp_file(std::string& name_template) {
  CleanupSignalsBlocked blocked;
  std::vector<char> buf(name_template.begin(), name_template.end());
  buf.push_back('\0');
  int fd = mkstemp(buf.data());
  if (fd < 0) return errno ? errno : EIO;
  name_template = buf.data();
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    int err = errno;
    unlink(name_template.c_str());
    close(fd);
    return err;
  }
  register_file(name_template, fd, st, true);
  return 0;
}

SourceCheck check_source(const std::string& path, int* err_out) {
  if (err_out) *err_out = 0;
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    int err = errno;
    if (err_out) *err_out = err;
    if (err == ENOENT || err == ENOTDIR) return SourceCheck::Missing;
    if (err == EACCES || err == EPERM) return SourceCheck::NoPermission;
    if (err == EISDIR) return SourceCheck::IsDirectory;
    return SourceCheck::Unreadable;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    if (err_out) *err_out = errno;
    close(fd);
    return SourceCheck::Unreadable;
  }
  if (!S_ISREG(st.st_mode)) {
    close(fd);
    return S_ISDIR(st.st_mode) ? SourceCheck::IsDirectory : SourceCheck::NotRegular;
  }
  register_file(path, fd, st, false);
  return SourceCheck::Ok;
}

std::string source_check_text(SourceCheck check, int err) {
  switch (check) {
    case SourceCheck::Ok: return "";
    case SourceCheck::Missing: return "no such file";
    case SourceCheck::IsDirectory: return "is a directory";
    case SourceCheck::NotRegular: return "not a regular file (a pipe, a device or a socket)";
    case SourceCheck::NoPermission: return "permission denied";
    case SourceCheck::Unreadable: break;
  }
  if (err == ENAMETOOLONG) return "path too long for this system";
  return std::string("cannot open the file: ") + (err ? std::strerror(err) : "unknown error");
}

std::FILE* open_checked(const char* path, const char* mode) {
  Owned* o = path ? find(path) : nullptr;
  if (!o) return std::fopen(path, mode);
  const bool plus = std::strchr(mode, '+') != nullptr;
  int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  bool truncate = false;
  switch (mode[0]) {
    case 'r': flags |= plus ? O_RDWR : O_RDONLY; break;
    case 'w': flags |= plus ? O_RDWR : O_WRONLY; truncate = true; break;
    case 'a': flags |= (plus ? O_RDWR : O_WRONLY) | O_APPEND; break;
    default: errno = EINVAL; return nullptr;
  }
  if (o->created) flags |= O_NOFOLLOW;  // our own files are never links
  if (g_reopen_hook) {
    const std::string name = o->path;
    g_reopen_hook(name);
    o = find(name);
    if (!o) {
      errno = ENOENT;
      return nullptr;
    }
  }
  int fd = open(path, flags);
  if (fd < 0) {
    if (errno == ELOOP) note_replaced_file(path);
    return nullptr;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || st.st_dev != o->dev || st.st_ino != o->ino) {
    close(fd);
    note_replaced_file(path);
    errno = EXDEV;
    return nullptr;
  }
  int fl = fcntl(fd, F_GETFL);
  if (fl >= 0) fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
  if (truncate && truncate_for_writing(fd) != 0) {
    close(fd);
    return nullptr;
  }
  std::FILE* f = fdopen(fd, mode);
  if (!f) close(fd);
  return f;
}

int owned_descriptor(const char* path, bool* registered) {
  Owned* o = path ? find(path) : nullptr;
  *registered = o != nullptr;
  if (!o) return -1;
  if (g_reopen_hook) {
    const std::string name = o->path;
    g_reopen_hook(name);
    o = find(name);
    if (!o) {
      errno = ENOENT;
      return -1;
    }
  }
  // Our own files are never links; a source may be reached through one.
  struct stat st {};
  int rc = o->created ? lstat(path, &st) : stat(path, &st);
  if (rc != 0 || st.st_dev != o->dev || st.st_ino != o->ino) {
    note_replaced_file(path);
    errno = EXDEV;
    return -1;
  }
  return fcntl(o->fd, F_DUPFD_CLOEXEC, 0);
}

bool is_owned(const std::string& path) { return find(path) != nullptr; }

int truncate_for_writing(int fd) {
  struct stat st {};
  if (fstat(fd, &st) == 0 && st.st_size == 0) return 0;
  return ftruncate(fd, 0);
}

bool remove_owned_file(const std::string& path) {
  Owned* o = find(path);
  if (!o) return false;
  bool removed = o->created && still_ours(*o) && unlink(path.c_str()) == 0;
  forget(path);
  return removed;
}

void release_owned_file(const std::string& path) { forget(path); }

namespace {

// Renames the registered file `from` to `to` without ever replacing an entry:
// an atomic rename that refuses to, or where the file system has none, a
// hard link and the removal of the old name. With keep_cleanup the signal
// cleanup follows the file to its new name; else it lets the file go.
int move_owned_file(const std::string& from, const std::string& to, bool keep_cleanup) {
  Owned* o = find(from);
  if (!o || !o->created) return EINVAL;
  if (!still_ours(*o)) return EXDEV;
  // While the name changes the signal cleanup knows both names: it removes
  // whichever leads to this file.
  const int new_slot = keep_cleanup ? take_slot(to, o->dev, o->ino) : -1;
  int err = 0;
#ifdef RENAME_NOREPLACE
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) err = errno;
  if (err == EINVAL || err == ENOSYS || err == ENOTSUP) err = -1;
#else
  err = -1;
#endif
  if (err == -1) {
    // No atomic rename that refuses to replace: a hard link does the same.
    err = link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    if (err == 0 && unlink(from.c_str()) != 0) {
      // Both names now lead to the file; the new one is what counts.
    }
  }
  if (err != 0) {
    free_slot(new_slot);
    return err;
  }
  o->path = to;
  free_slot(o->slot);
  o->slot = new_slot;
  return 0;
}

}  // namespace

int publish_owned_file(const std::string& from, const std::string& to) { return move_owned_file(from, to, false); }

int rename_owned_file(const std::string& from, const std::string& to) { return move_owned_file(from, to, true); }

int empty_owned_file(const std::string& path) {
  Owned* o = find(path);
  if (!o) return EINVAL;
  return ftruncate(o->fd, 0) == 0 ? 0 : errno;
}

int kept_descriptor(const std::string& path) {
  Owned* o = find(path);
  return o ? fcntl(o->fd, F_DUPFD_CLOEXEC, 0) : -1;
}

void install_interrupt_cleanup() {
  struct sigaction sa {};
  sa.sa_handler = on_interrupt;
  sigemptyset(&sa.sa_mask);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&sa.sa_mask, sig);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &sa, nullptr);
}

void remove_interrupted_files() {
  for (CleanupSlot& s : g_slots) {
    if (!s.used || !s.path) continue;
    struct stat st {};
    if (lstat(s.path, &st) == 0 && st.st_dev == s.dev && st.st_ino == s.ino) unlink(s.path);
    s.used = 0;
  }
}

void set_reopen_hook(std::function<void(const std::string&)> hook) { g_reopen_hook = std::move(hook); }

}  // namespace lettrix
