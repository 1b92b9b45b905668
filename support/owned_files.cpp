#include "support/owned_files.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
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
  bool work = false;     // created and not published: the interrupt cleanup removes it
};

// Every registered file, under one lock that the interrupt cleanup takes too:
// a file is created and registered, renamed, published or forgotten wholly
// before or wholly after the cleanup. Never destroyed, so that a signal
// during the program's exit still finds it.
struct Registry {
  std::mutex lock;
  std::vector<Owned> files;
};
Registry& registry() {
  static Registry* r = new Registry;
  return *r;
}

std::function<void(const std::string&)> g_reopen_hook;
std::atomic<void (*)(int)> g_interrupt_forward{nullptr};
bool g_cleanup_installed = false;

// The registry's lock is held by the caller of the functions down to
// remove_work_files.
Owned* find(const std::string& path) {
  for (Owned& o : registry().files)
    if (o.path == path) return &o;
  return nullptr;
}

void forget(const std::string& path) {
  std::vector<Owned>& files = registry().files;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (files[i].path != path) continue;
    if (files[i].fd >= 0) close(files[i].fd);
    files.erase(files.begin() + static_cast<std::ptrdiff_t>(i));
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
  o.work = created;
  registry().files.push_back(std::move(o));
}

// Removes every work file whose name still leads to it; they are then no
// longer work files.
void remove_work_files() {
  for (Owned& o : registry().files) {
    if (!o.work) continue;
    if (still_ours(o)) unlink(o.path.c_str());
    o.work = false;
  }
}

// What a registered file is, copied out of the registry.
struct Entry {
  dev_t dev = 0;
  ino_t ino = 0;
  bool created = false;
};

bool look_up(const std::string& path, Entry& entry) {
  std::lock_guard<std::mutex> hold(registry().lock);
  const Owned* o = find(path);
  if (!o) return false;
  entry = Entry{o->dev, o->ino, o->created};
  return true;
}

// Calls the test hook with a registered name; false (errno ENOENT) when the
// name is no longer registered afterwards.
bool run_reopen_hook(const std::string& path, Entry& entry) {
  if (!g_reopen_hook) return true;
  g_reopen_hook(path);
  if (look_up(path, entry)) return true;
  errno = ENOENT;
  return false;
}

const int kCleanupSignals[] = {SIGTERM, SIGINT, SIGHUP};

sigset_t cleanup_signals() {
  sigset_t set;
  sigemptyset(&set);
  for (int sig : kCleanupSignals) sigaddset(&set, sig);
  return set;
}

// The thread that takes the cleanup signals: it waits for one, removes the
// work files and ends the process, keeping the registry locked so that no
// other thread creates a file after the cleanup.
extern "C" void* wait_for_interrupt(void*) {
  const sigset_t set = cleanup_signals();
  int sig = 0;
  if (sigwait(&set, &sig) != 0) return nullptr;  // only for a set it does not accept
  if (void (*forward)(int) = g_interrupt_forward.load()) forward(sig);
  registry().lock.lock();
  remove_work_files();
  _exit(128 + sig);
}

}  // namespace

int create_owned_file(const std::string& path, bool private_file) {
  std::lock_guard<std::mutex> hold(registry().lock);
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
  std::vector<char> buf(name_template.begin(), name_template.end());
  buf.push_back('\0');
  std::lock_guard<std::mutex> hold(registry().lock);
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
  std::lock_guard<std::mutex> hold(registry().lock);
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
  Entry o;
  if (!path || !look_up(path, o)) return std::fopen(path, mode);
  const bool plus = std::strchr(mode, '+') != nullptr;
  int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  bool truncate = false;
  switch (mode[0]) {
    case 'r': flags |= plus ? O_RDWR : O_RDONLY; break;
    case 'w': flags |= plus ? O_RDWR : O_WRONLY; truncate = true; break;
    case 'a': flags |= (plus ? O_RDWR : O_WRONLY) | O_APPEND; break;
    default: errno = EINVAL; return nullptr;
  }
  if (o.created) flags |= O_NOFOLLOW;  // our own files are never links
  if (!run_reopen_hook(path, o)) return nullptr;
  int fd = open(path, flags);
  if (fd < 0) {
    if (errno == ELOOP) note_replaced_file(path);
    return nullptr;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0 || st.st_dev != o.dev || st.st_ino != o.ino) {
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
  Entry o;
  *registered = path && look_up(path, o);
  if (!*registered) return -1;
  if (!run_reopen_hook(path, o)) return -1;
  // Our own files are never links; a source may be reached through one.
  struct stat st {};
  int rc = o.created ? lstat(path, &st) : stat(path, &st);
  if (rc != 0 || st.st_dev != o.dev || st.st_ino != o.ino) {
    note_replaced_file(path);
    errno = EXDEV;
    return -1;
  }
  return kept_descriptor(path);
}

bool is_owned(const std::string& path) {
  std::lock_guard<std::mutex> hold(registry().lock);
  return find(path) != nullptr;
}

int truncate_for_writing(int fd) {
  struct stat st {};
  if (fstat(fd, &st) == 0 && st.st_size == 0) return 0;
  return ftruncate(fd, 0);
}

bool remove_owned_file(const std::string& path) {
  std::lock_guard<std::mutex> hold(registry().lock);
  Owned* o = find(path);
  if (!o) return false;
  bool removed = o->created && still_ours(*o) && unlink(path.c_str()) == 0;
  forget(path);
  return removed;
}

void release_owned_file(const std::string& path) {
  std::lock_guard<std::mutex> hold(registry().lock);
  forget(path);
}

namespace {

// Renames the registered file `from` to `to` without ever replacing an entry:
// an atomic rename that refuses to, or where the file system has none, a
// hard link and the removal of the old name. With keep_work the interrupt
// cleanup follows the file to its new name; else it lets the file go. The
// registry stays locked throughout, so the cleanup sees the file under one
// name or the other, never between.
int move_owned_file(const std::string& from, const std::string& to, bool keep_work) {
  std::lock_guard<std::mutex> hold(registry().lock);
  Owned* o = find(from);
  if (!o || !o->created) return EINVAL;
  if (!still_ours(*o)) return EXDEV;
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
  if (err != 0) return err;
  o->path = to;
  o->work = keep_work;
  return 0;
}

}  // namespace

int publish_owned_file(const std::string& from, const std::string& to) { return move_owned_file(from, to, false); }

int rename_owned_file(const std::string& from, const std::string& to) { return move_owned_file(from, to, true); }

int empty_owned_file(const std::string& path) {
  std::lock_guard<std::mutex> hold(registry().lock);
  Owned* o = find(path);
  if (!o) return EINVAL;
  return ftruncate(o->fd, 0) == 0 ? 0 : errno;
}

int kept_descriptor(const std::string& path) {
  std::lock_guard<std::mutex> hold(registry().lock);
  Owned* o = find(path);
  return o ? fcntl(o->fd, F_DUPFD_CLOEXEC, 0) : -1;
}

void install_interrupt_cleanup() {
  bool& installed = g_cleanup_installed;
  if (installed) return;
  // The default action whatever the parent left (an ignored SIGHUP under
  // nohup, an ignored SIGINT in a background job): the signals are taken
  // below, and without the waiting thread they end the program.
  struct sigaction sa {};
  sa.sa_handler = SIG_DFL;
  sigemptyset(&sa.sa_mask);
  for (int sig : kCleanupSignals) sigaction(sig, &sa, nullptr);
  const sigset_t set = cleanup_signals();
  sigset_t old;
  pthread_sigmask(SIG_BLOCK, &set, &old);
  pthread_t waiter;
  if (pthread_create(&waiter, nullptr, wait_for_interrupt, nullptr) != 0) {
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return;
  }
  pthread_detach(waiter);
  installed = true;
}

void restart_interrupt_cleanup_after_fork() {
  {
    std::lock_guard<std::mutex> hold(registry().lock);
    for (Owned& o : registry().files)
      if (o.fd >= 0) close(o.fd);
    registry().files.clear();
  }
  g_interrupt_forward = nullptr;
  if (!g_cleanup_installed) return;
  g_cleanup_installed = false;
  install_interrupt_cleanup();
}

void set_interrupt_forward(void (*forward)(int sig)) { g_interrupt_forward = forward; }

void remove_interrupted_files() {
  std::lock_guard<std::mutex> hold(registry().lock);
  remove_work_files();
}

void set_reopen_hook(std::function<void(const std::string&)> hook) { g_reopen_hook = std::move(hook); }

}  // namespace lettrix
