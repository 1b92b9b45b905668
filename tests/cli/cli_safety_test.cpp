// lettrix-convert interrupted by signals and on a really full file system:
// it leaves no target under its final name and no work stream.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::dir_names;
using testing::ScratchDir;
using testing::write_file;

const std::string kConverter = std::string(LETTRIX_BINARY_DIR) + "/bin/lettrix-convert";

pid_t start_converter(const ScratchDir& dir, const char* target, const char* source) {
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.path().c_str()) != 0) _exit(120);
    if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(121);
    execl(kConverter.c_str(), "lettrix-convert", "-f", "mac-text", "-t", target, source, static_cast<char*>(nullptr));
    _exit(122);
  }
  return pid;
}

bool wait_for(const std::string& path, pid_t pid) {
  for (int i = 0; i < 4000; ++i) {
    if (std::filesystem::exists(path)) return true;
    if (waitpid(pid, nullptr, WNOHANG) == pid) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

// SIGTERM, SIGINT and SIGHUP while the stream or the target is being written
// remove both and end with 128 + signal; after SIGKILL only the clearly named
// work files may remain, never a target under its final name.
TEST(CommandLineSafety, InterruptedConversionLeavesNoTarget) {
  ScratchDir dir;
  {
    std::string line(99, 'x');
    line += '\r';
    std::string chunk;
    for (int i = 0; i < 10000; ++i) chunk += line;
    FILE* f = std::fopen(dir.file("big").c_str(), "wb");
    ASSERT_TRUE(f);
    for (int i = 0; i < 50; ++i) std::fwrite(chunk.data(), 1, chunk.size(), f);  // 50 MB
    std::fclose(f);
  }
  struct Case {
    int sig;
    const char* wait_for;  // the file whose appearance says the stage has begun
  };
  for (const Case c : {Case{SIGTERM, "big.###"}, Case{SIGINT, "big.rtf.part"}, Case{SIGHUP, "big.###"},
                       Case{SIGKILL, "big.rtf.part"}}) {
    SCOPED_TRACE(c.sig);
    pid_t pid = start_converter(dir, "rtf-ansi", "big");
    ASSERT_GT(pid, 0);
    const bool started = wait_for(dir.file(c.wait_for), pid);
    kill(pid, c.sig);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!started) continue;  // the conversion was faster than the watch: nothing to interrupt
    std::vector<std::string> left = dir_names(dir.path());
    if (c.sig == SIGKILL) {
      EXPECT_TRUE(WIFSIGNALED(status));
      for (const std::string& name : left)
        EXPECT_TRUE(name == "big" || name == "big.###" || name == "big.rtf.part") << name;
      for (const std::string& name : left)
        if (name != "big") std::filesystem::remove(dir.path() / name);
    } else {
      ASSERT_TRUE(WIFEXITED(status));
      EXPECT_EQ(WEXITSTATUS(status), 128 + c.sig);
      EXPECT_EQ(left, std::vector<std::string>{"big"});
    }
  }
}

// Four converters over one folder at once, twenty rounds each, with a pattern
// that matches everything: none takes another's work streams or unfinished
// targets for sources (they come and go at any moment), none reports an error,
// and when all have ended only the sources and the targets are left.
TEST(CommandLineSafety, ConvertersSharingAFolderNeverTakeEachOthersFiles) {
  ScratchDir dir;
  const std::vector<std::string> sources = {"macwrite-4.6/grammar.mw", "macwrite-ii/letter.mw2", "works-2/letter.wks",
                                            "clarisworks/letter.cwk", "mac-text/letter.txt", "ragtime-3/letter.rag"};
  for (const std::string& s : sources) {
    const std::string bytes = testing::read_file(std::string(LETTRIX_SOURCE_DIR) + "/samples/" + s);
    ASSERT_FALSE(bytes.empty()) << s;
    write_file(dir.file(std::filesystem::path(s).filename().string()), bytes);
  }
  const std::vector<std::string> before = dir_names(dir.path());
  constexpr int kRuns = 4;
  std::vector<std::FILE*> runs;
  for (int p = 0; p < kRuns; ++p) {
    // Each run prints what its converters said on error, and the rounds that failed.
    const std::string cmd = "cd '" + dir.path().string() + "' && for i in $(seq 20); do '" + kConverter +
                            "' -q -t rtf-ansi '*' 2>&1 || echo \"round $i failed\"; done";
    runs.push_back(popen(cmd.c_str(), "r"));
    ASSERT_TRUE(runs.back());
  }
  for (std::FILE* run : runs) {
    std::string said;
    char block[4096];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, run)) > 0;) said.append(block, n);
    EXPECT_EQ(pclose(run), 0);
    EXPECT_EQ(said, "");
  }
  std::size_t targets = 0;
  for (const std::string& name : dir_names(dir.path())) {
    if (std::find(before.begin(), before.end(), name) != before.end()) continue;
    EXPECT_TRUE(name.ends_with(".rtf") || name.ends_with(".RTF")) << name;
    ++targets;
  }
  EXPECT_EQ(targets, sources.size() * kRuns * 20);
}

// A file system that really fills up (a small tmpfs; root only).
TEST(CommandLineSafety, FullFileSystemIsReportedAndLeavesOnlyTheSource) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  ScratchDir dir;
  const std::string mnt = dir.file("small");
  std::filesystem::create_directory(mnt);
  if (mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "cannot mount a tmpfs here";
  std::string text;
  while (text.size() < 24000) text += "Dear Paul, thank you for the letter.\r";
  write_file(mnt + "/letter", text);
  std::string cmd = "cd '" + mnt + "' && '" + kConverter + "' -f mac-text -t ansi letter 2>&1";
  std::optional<std::string> out = testing::command_output(cmd + "; echo \"exit $?\"");
  std::vector<std::string> left = dir_names(mnt);
  umount(mnt.c_str());
  ASSERT_TRUE(out);
  EXPECT_EQ(*out, "letter: error: the disk is full while writing the target\nexit 1\n");
  EXPECT_EQ(left, std::vector<std::string>{"letter"});
}

}  // namespace
}  // namespace lettrix
