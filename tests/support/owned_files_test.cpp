// Files held by descriptor: renaming a work file keeps it under the interrupt
// cleanup and never replaces anything; the kept descriptor of a checked
// source reads that file whatever its name leads to later; emptying; the
// interrupt cleanup against threads that create files.
#include "support/owned_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "support/file_handle.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::dir_names;
using testing::exists;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

std::string contents(FilePtr f) { return f ? testing::stream_contents(f.get()) : "(not opened)"; }

// A work file renamed step by step: each rename refuses a taken name, and
// the interrupt cleanup removes the file under whatever name it has now, while
// a published file is left for good.
TEST(OwnedFiles, RenamedWorkFilesStayUnderTheCleanupAndReplaceNothing) {
  ScratchDir dir(true);
  write_file("taken", "theirs");
  std::filesystem::create_symlink("nowhere", "dangling");
  ASSERT_EQ(create_owned_file("w.###"), 0);
  ASSERT_EQ(create_owned_file("t.part"), 0);
  struct Step {
    const char* from;
    const char* to;
    int result;
  };
  const Step steps[] = {
      {"w.###", "x.###", 0},       {"x.###", "taken", EEXIST}, {"x.###", "dangling", EEXIST},
      {"x.###", "y.###", 0},       {"w.###", "z.###", EINVAL},  // no longer registered under that name
      {"y.###", "y.###", EEXIST},
  };
  for (const Step& s : steps) EXPECT_EQ(rename_owned_file(s.from, s.to), s.result) << s.from << " -> " << s.to;
  EXPECT_EQ(publish_owned_file("t.part", "t.rtf"), 0);
  EXPECT_EQ(dir_names(dir.path()), (std::vector<std::string>{"dangling", "t.rtf", "taken", "y.###"}));
  remove_interrupted_files();
  EXPECT_EQ(dir_names(dir.path()), (std::vector<std::string>{"dangling", "t.rtf", "taken"}));
  EXPECT_EQ(read_file("taken"), "theirs");
  release_owned_file("y.###");
  release_owned_file("t.rtf");

  // A work file whose name was taken over by another file is not renamed.
  ASSERT_EQ(create_owned_file("v.###"), 0);
  std::filesystem::rename("v.###", "moved");
  write_file("v.###", "other");
  EXPECT_EQ(rename_owned_file("v.###", "u.###"), EXDEV);
  EXPECT_FALSE(exists("u.###"));
  EXPECT_EQ(read_file("v.###"), "other");
  release_owned_file("v.###");
}

// The driver looks at a checked source through the descriptor it kept: a
// name swapped since then changes nothing for it, while an open by name
// refuses the swapped name. Emptying and truncating for a write.
TEST(OwnedFiles, KeptDescriptorsAndEmptying) {
  ScratchDir dir(true);
  write_file("letter", "Dear Paul");
  write_file("victim", "precious");
  ASSERT_EQ(check_source("letter"), SourceCheck::Ok);
  std::filesystem::rename("letter", "moved");
  std::filesystem::create_symlink("victim", "letter");
  const auto kept = [](const char* name) {
    char buffer[64] = {};
    const int fd = kept_descriptor(name);
    const ssize_t got = fd < 0 ? -1 : ::pread(fd, buffer, sizeof buffer - 1, 0);
    return got < 0 ? std::string("(no kept descriptor)") : std::string(buffer, static_cast<std::size_t>(got));
  };
  EXPECT_EQ(kept("letter"), "Dear Paul");
  EXPECT_EQ(contents(open_file("letter", "rb")), "(not opened)");
  EXPECT_EQ(take_file_failure().kind, FileFailure::Replaced);
  EXPECT_EQ(kept_descriptor("victim"), -1);  // not registered
  EXPECT_EQ(kept("victim"), "(no kept descriptor)");
  release_owned_file("letter");

  ASSERT_EQ(create_owned_file("stream.###"), 0);
  {
    FilePtr f = open_file("stream.###", "wb");
    ASSERT_TRUE(f);
    std::fputs("old stream", f.get());
  }
  EXPECT_EQ(read_file("stream.###"), "old stream");
  EXPECT_EQ(empty_owned_file("stream.###"), 0);
  EXPECT_EQ(read_file("stream.###"), "");
  EXPECT_EQ(empty_owned_file("letter"), EINVAL);
  EXPECT_TRUE(remove_owned_file("stream.###"));

  const std::pair<const char*, std::string> files[] = {{"full", "abc"}, {"empty", ""}};
  for (const auto& [name, text] : files) {
    write_file(name, text);
    const int fd = ::open(name, O_RDWR);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(truncate_for_writing(fd), 0) << name;
    ::close(fd);
    EXPECT_EQ(read_file(name), "") << name;
  }
}

// What each of the threads below does with its files, over and over: a
// work file created, renamed, then published, removed or kept; a temporary
// file created and removed.
std::atomic<int> g_threads_begun{0};

void churn_files(int thread) {
  for (int i = 0; i < 20000; ++i) {
    if (i == 1) ++g_threads_begun;  // the first round published a file
    const std::string name = "t" + std::to_string(thread) + "-" + std::to_string(i);
    if (create_owned_file(name + ".part") != 0 || rename_owned_file(name + ".part", name + ".###") != 0) _exit(125);
    if (i % 3 == 0) {
      if (publish_owned_file(name + ".###", name + ".done") != 0) _exit(126);
      release_owned_file(name + ".done");
    } else if (i % 8 != 1) {
      remove_owned_file(name + ".###");
    }
    std::string temp = name + "-XXXXXX";
    if (create_owned_temp_file(temp) != 0) _exit(127);
    remove_owned_file(temp);
  }
}

// SIGTERM, SIGINT and SIGHUP reach a process whose threads are creating,
// renaming and publishing files: it ends with 128 + signal, and only the
// files it published are left.
TEST(OwnedFiles, InterruptCleanupRacesThreadsCreatingFiles) {
  ScratchDir dir;
  for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
    for (const int delay_us : {0, 200, 2000, 10000, 40000}) {
      SCOPED_TRACE(::testing::Message() << "signal " << sig << " after " << delay_us << " us");
      int ready[2];
      ASSERT_EQ(pipe(ready), 0);
      const pid_t pid = fork();
      if (pid == 0) {
        if (chdir(dir.path().c_str()) != 0) _exit(120);
        install_interrupt_cleanup();
        std::vector<std::thread> threads;
        for (int t = 0; t < 6; ++t) threads.emplace_back(churn_files, t);
        while (g_threads_begun < 6) std::this_thread::yield();
        if (write(ready[1], "r", 1) != 1) _exit(121);
        for (std::thread& t : threads) t.join();
        _exit(0);
      }
      ASSERT_GT(pid, 0);
      close(ready[1]);
      char byte = 0;
      EXPECT_EQ(read(ready[0], &byte, 1), 1);
      close(ready[0]);
      std::this_thread::sleep_for(std::chrono::microseconds(delay_us));
      kill(pid, sig);
      int status = 0;
      pid_t ended = 0;
      for (int i = 0; i < 3000 && ended == 0; ++i) {
        ended = waitpid(pid, &status, WNOHANG);
        if (ended == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      if (ended == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
      }
      ASSERT_TRUE(WIFEXITED(status)) << "wait status " << status;
      EXPECT_EQ(WEXITSTATUS(status), 128 + sig);
      int published = 0;
      for (const std::string& name : dir_names(dir.path())) {
        if (name.size() > 5 && name.compare(name.size() - 5, 5, ".done") == 0)
          ++published;
        else
          ADD_FAILURE() << "left behind: " << name;
        std::filesystem::remove(dir.path() / name);
      }
      EXPECT_GE(published, 6) << "each thread published a file before the signal";
    }
  }
}

}  // namespace
}  // namespace lettrix
