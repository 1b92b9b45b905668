// The conversion dialog interrupted in the middle of a batch by SIGTERM,
// SIGINT or SIGHUP: whatever thread of the dialog the signal reaches, the
// program removes every file it was writing and ends with 128 + signal. The
// dialog runs in a program of its own (tests/ui/qt/dialog_batch.cpp).
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::dir_names;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

const std::string kDialogBatch = std::string(LETTRIX_BINARY_DIR) + "/bin/dialog_batch";

// Starts the dialog's batch in dir, its temporary files in tmp and Qt's in
// qt; true once it says the batch has begun.
bool start_batch(const ScratchDir& dir, const ScratchDir& tmp, const ScratchDir& qt, pid_t& pid) {
  int out[2];
  if (pipe(out) != 0) return false;
  pid = fork();
  if (pid == 0) {
    if (chdir(dir.path().c_str()) != 0 || dup2(out[1], STDOUT_FILENO) < 0) _exit(120);
    close(out[0]);
    close(out[1]);
    if (!freopen("/dev/null", "w", stderr)) _exit(121);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("TMPDIR", tmp.path().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", qt.path().c_str(), 1);
    execl(kDialogBatch.c_str(), "dialog_batch", "Mac Text Only", "Ansi (Windows)", "*.txt",
          static_cast<char*>(nullptr));
    _exit(122);
  }
  close(out[1]);
  char line[16] = {};
  std::size_t got = 0;
  pollfd p{out[0], POLLIN, 0};
  while (got < sizeof line - 1 && poll(&p, 1, 20000) == 1) {
    const ssize_t n = read(out[0], line + got, sizeof line - 1 - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
    if (line[got - 1] == '\n') break;
  }
  close(out[0]);
  return pid > 0 && std::string(line) == "converting\n";
}

// Waits until count targets are finished in dir (or the batch ended).
void wait_for_targets(const ScratchDir& dir, int count, pid_t pid) {
  for (int i = 0; i < 20000 && count > 0; ++i) {
    int done = 0;
    for (const std::string& name : dir_names(dir.path())) done += name.size() > 4 && name.ends_with(".asc");
    siginfo_t ended{};
    if (done >= count || waitid(P_PID, static_cast<id_t>(pid), &ended, WEXITED | WNOHANG | WNOWAIT) != 0 ||
        ended.si_pid != 0)
      return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// Ends a child that outlived its test and returns its wait status.
int wait_bounded(pid_t pid) {
  int status = 0;
  for (int i = 0; i < 3000; ++i) {
    if (waitpid(pid, &status, WNOHANG) == pid) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return status;
}

TEST(DialogInterrupt, SignalsMidBatchLeaveOnlySourcesAndFinishedTargets) {
  if (!std::filesystem::exists(kDialogBatch)) GTEST_SKIP() << "the dialog is not built";
  ScratchDir dir;
  ScratchDir tmp;
  ScratchDir qt;
  // Enough documents for a batch of about a second (in the sanitized build).
  std::string text;
  for (int i = 0; i < 800; ++i) text += "Dear Paul, the r\x8Esum\x8E of the meeting follows.\r";
  std::map<std::string, std::string> sources;
  for (int i = 0; i < 200; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "doc%03d.txt", i);
    sources[name] = text;
    write_file(dir.file(name), text);
  }
  std::string ansi;
  for (int i = 0; i < 800; ++i) ansi += "Dear Paul, the r\xE9sum\xE9 of the meeting follows.\r\n";

  // Each signal as the batch begins and after some of its targets.
  const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
  const int kTargetsBefore[] = {0, 1, 4, 12, 40};
  for (const int sig : kSignals) {
    for (const int before : kTargetsBefore) {
      SCOPED_TRACE(::testing::Message() << "signal " << sig << " after " << before << " targets");
      pid_t pid = -1;
      const bool started = start_batch(dir, tmp, qt, pid);
      ASSERT_GT(pid, 0);
      if (started) wait_for_targets(dir, before, pid);
      kill(pid, sig);
      const int status = wait_bounded(pid);
      EXPECT_TRUE(started);
      ASSERT_TRUE(WIFEXITED(status)) << "wait status " << status;
      EXPECT_EQ(WEXITSTATUS(status), 128 + sig);
      // Sources as they were, finished targets whole, and nothing else.
      int targets = 0;
      for (const std::string& name : dir_names(dir.path())) {
        const std::string bytes = read_file(dir.file(name));
        const std::string stem = name.substr(0, name.find('.'));
        if (sources.count(name)) {
          EXPECT_EQ(bytes, sources[name]) << name;
        } else if (name == stem + ".asc" && sources.count(stem + ".txt")) {
          EXPECT_EQ(bytes, ansi) << name;
          std::filesystem::remove(dir.file(name));
          ++targets;
        } else {
          ADD_FAILURE() << "left behind: " << name;
          std::filesystem::remove(dir.file(name));
        }
      }
      EXPECT_GE(targets, before);
      EXPECT_EQ(dir_names(tmp.path()), std::vector<std::string>{});
    }
  }
}

}  // namespace
}  // namespace lettrix
