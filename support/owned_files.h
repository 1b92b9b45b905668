// Files this program created or checked, held by descriptor.
//
// A conversion hands its handlers names, and the handlers open them by name.
// Between the moment a file was created (or a source checked) and the moment
// it is opened, another process that can write in the folder may replace the
// name, for instance by a link to someone else's file. So every file the
// driver creates is created exclusively and its descriptor kept, every source
// is opened once without blocking and checked, and both are registered here.
// Opening a registered name again opens it without following a link, without
// truncating, and checks that it is still the same file before truncating it;
// removing one checks the same first. A name that was swapped is refused.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace lettrix {

// Every function here but set_reopen_hook may be called from any thread.
// Creating and registering a file, renaming it and publishing it each happen
// wholly before or wholly after the interrupt cleanup (see
// install_interrupt_cleanup).

// Creates path exclusively (never through a link), keeps its descriptor and
// registers it. `private_file` gives mode 0600 instead of 0666 (less umask).
// Files created so are removed by the interrupt cleanup until they are
// published or released. Returns 0 or the errno value.
int create_owned_file(const std::string& path, bool private_file = false);

// Creates a new private file from a mkstemp template ("...XXXXXX", replaced
// in place by the name made), keeps its descriptor and registers it, as
// create_owned_file does. Returns 0 or the errno value.
int create_owned_temp_file(std::string& name_template);

// What check_source found.
enum class SourceCheck { Ok, Missing, IsDirectory, NotRegular, NoPermission, Unreadable };

// Opens path for reading without blocking (a FIFO or a device must not hang
// us), checks that it is a regular file and registers it, so that the reader
// opening it by name gets this same file. err_out gets the errno value of a
// failed open.
SourceCheck check_source(const std::string& path, int* err_out = nullptr);
// "is a directory", "not a regular file (a pipe, a device or a socket)", ...
std::string source_check_text(SourceCheck check, int err);

// Opens a stream on path as std::fopen would. A registered name is opened
// as described above: nullptr (errno EXDEV) when it no longer names the file
// registered under it. The "w" modes truncate only after that check.
std::FILE* open_checked(const char* path, const char* mode);

// For a registered name: checks that the name still leads to the registered
// file (else notes it as replaced and fails with EXDEV) and returns a new
// descriptor of that file, to be read and written at explicit offsets.
// -1 with *registered false for a name that is not registered.
int owned_descriptor(const char* path, bool* registered);

bool is_owned(const std::string& path);

// Empties the file open on fd for a "w" open, leaving a file that is empty
// already alone: every truncation is a metadata update, and on ext4 it also
// marks the file to be written to the disk when it is closed, which for a
// new file would cost a disk write per file for nothing. 0 or -1 (errno).
int truncate_for_writing(int fd);

// Removes path when it still names the file registered under it, and forgets
// it. A name that is not registered, or that now names another file, is left
// alone. Returns true when the file was removed.
bool remove_owned_file(const std::string& path);

// Forgets path (closing the kept descriptor) without removing it.
void release_owned_file(const std::string& path);

// Gives the registered file `from` the name `to` when nothing has that name:
// the existing entry, even a dangling link, is never replaced. Uses an atomic
// rename that refuses to replace; where the file system has none, a hard link
// and the removal of the old name. Returns 0, EEXIST when `to` is taken, or
// another errno value; EXDEV when `from` no longer names the registered file.
int publish_owned_file(const std::string& from, const std::string& to);

// Gives the registered work file `from` the free name `to`, as
// publish_owned_file does, but keeps it a work file: the interrupt cleanup
// removes it under its new name. Returns 0, EEXIST when `to` is taken, EXDEV
// when `from` no longer names the registered file, or another errno value.
int rename_owned_file(const std::string& from, const std::string& to);

// Empties the registered file through its kept descriptor. 0 or the errno
// value (EINVAL for a name that is not registered).
int empty_owned_file(const std::string& path);

// A new descriptor of the file registered under path, taken from the kept
// one without looking the name up again: for the driver's own look at a
// source right after check_source. -1 for a name that is not registered.
int kept_descriptor(const std::string& path);

// On SIGTERM, SIGINT and SIGHUP: removes every registered file this program
// created and has not published or released (never a source), then ends the
// process with status 128 + signal. Call it in main() before any other
// thread exists (a toolkit's included): it blocks the three signals in the
// calling thread, which every thread started later inherits, and starts a
// thread of its own that waits for them. So the signals reach no other
// thread, whatever it is doing.
void install_interrupt_cleanup();
// What that thread does before ending the process, callable from tests.
void remove_interrupted_files();

// In a process just made by fork() (a conversion worker): the registry
// forgets the parent's files, closing its copies of their descriptors, and
// the interrupt cleanup gets a waiting thread of its own (threads do not
// live on in a forked process; the signals are blocked there as in the
// parent).
void restart_interrupt_cleanup_after_fork();
// Called by the waiting thread with the signal, before it removes the work
// files: passes the interruption on to child processes and waits for them
// to remove theirs. Null for none.
void set_interrupt_forward(void (*forward)(int sig));

// Test hook, called with a registered name just before it is opened again,
// so that tests can swap the name at the worst moment. Empty by default.
void set_reopen_hook(std::function<void(const std::string&)> hook);

}  // namespace lettrix
