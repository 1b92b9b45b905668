// Runs over collections: runs that resume (--skip-existing), the report a
// collection keeps (--report), and conversions in parallel (-j).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <thread>

#include "support/sha256.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::CliRun;
using testing::exists;
using testing::read_file;
using testing::run_cli;
using testing::ScratchDir;
using testing::write_file;

// A second run with --skip-existing converts only the source whose target
// is missing; the others are skipped (not failures), and no numbered copy
// is made. Without it, a numbered name is chosen as before.
TEST(Collections, SkipExistingResumesARun) {
  ScratchDir dir;
  std::filesystem::create_directories(dir.path() / "a" / "b");
  write_file(dir.file("a/one.txt"), "one\r");
  write_file(dir.file("a/b/two.txt"), "two\r");
  CliRun r = run_cli(dir, "-f mac-text -t ascii -r -o out 'a/*.txt'");
  ASSERT_EQ(r.status, 0) << r.err;
  write_file(dir.file("a/b/three.txt"), "three\r");
  r = run_cli(dir, "-f mac-text -t ascii -r -o out --skip-existing 'a/*.txt'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "a/b/three.txt -> out/b/three.asc\n");
  EXPECT_EQ(r.err,
            "a/one.txt: skipped: its target " + (dir.path() / "out/one.asc").string() + " exists already\n"
            "a/b/two.txt: skipped: its target " + (dir.path() / "out/b/two.asc").string() + " exists already\n"
            "1 converted, 0 failed, 2 skipped\n");
  EXPECT_FALSE(exists(dir.file("out/one.001.ASC")));
  // A named file whose target exists is skipped too, and that is no failure.
  r = run_cli(dir, "-f mac-text -t ascii --skip-existing -o out a/one.txt");
  EXPECT_EQ(r.status, 0) << r.err;
  r = run_cli(dir, "-f mac-text -t ascii -o out a/one.txt");
  EXPECT_EQ(r.out, "a/one.txt -> out/one.001.ASC\n");
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// Every file below dir with its bytes, by path.
std::vector<std::pair<std::string, std::string>> tree(const std::filesystem::path& dir) {
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    if (e.is_regular_file()) files.emplace_back(std::filesystem::relative(e.path(), dir).string(), read_file(e.path()));
  std::sort(files.begin(), files.end());
  return files;
}

// What an independent program says: its standard output.
std::string command_output(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  if (!p) return out;
  char block[4096];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, p)) > 0;) out.append(block, n);
  pclose(p);
  return out;
}

// A folder of documents of every kind a collection holds: converted ones
// (in folders), a damaged one, one that fails, one passed over.
void make_collection(const ScratchDir& dir, int copies) {
  std::filesystem::create_directories(dir.path() / "c" / "sub");
  const std::string samples = std::string(LETTRIX_SOURCE_DIR) + "/samples/";
  for (int i = 0; i < copies; ++i) {
    const std::string n = std::to_string(i);
    std::filesystem::copy_file(samples + "macwrite-ii/styles.bin", dir.path() / "c" / ("mw" + n + ".bin"));
    std::filesystem::copy_file(samples + "mac-text/memo-japanese.bin", dir.path() / "c" / "sub" / ("memo" + n + ".bin"));
    write_file(dir.file("c/sub/text" + n), "Text " + n + "\r");
    // Large enough to be handed to a worker (small files the batch converts itself).
    std::string big;
    for (int line = 0; line < 2000; ++line) big += "Line " + std::to_string(line) + " of a long text " + n + "\r";
    write_file(dir.file("c/big" + n), big);
  }
  const std::string mw = read_file(samples + "macwrite-ii/styles.bin");
  write_file(dir.file("c/cut.bin"), mw.substr(0, mw.size() / 2));  // damaged or failed
  write_file(dir.file("c/junk"), std::string("\x7F" "ELF\x02\x01\x01", 7) + std::string(200, '\0'));  // skipped
}

// -j 2 converts a collection into the same files as -j 1, and reports the
// same records (in another order, perhaps); the summary is the same.
TEST(Collections, ParallelBatchesMakeWhatOneAtATimeMakes) {
  ScratchDir dir;
  make_collection(dir, 6);
  const CliRun one = run_cli(dir, "-j 1 -t odt -r -o one --report one.jsonl 'c/*'");
  const CliRun two = run_cli(dir, "-j 2 -t odt -r -o two --report two.jsonl 'c/*'");
  EXPECT_EQ(one.status, 1) << one.err;  // cut.bin
  EXPECT_EQ(two.status, one.status) << two.err;
  EXPECT_EQ(tree(dir.path() / "two"), tree(dir.path() / "one"));
  EXPECT_EQ(lines_of(one.err).back(), lines_of(two.err).back());
  EXPECT_EQ(sorted(lines_of(two.out)), [&] {
    std::vector<std::string> v = lines_of(one.out);
    for (std::string& line : v) line.replace(line.find("-> one/"), 7, "-> two/");
    return sorted(v);
  }());
  std::string report_one = read_file(dir.file("one.jsonl")), report_two = read_file(dir.file("two.jsonl"));
  for (std::size_t at; (at = report_one.find("one/")) != std::string::npos;) report_one.replace(at, 4, "two/");
  EXPECT_EQ(sorted(lines_of(report_two)), sorted(lines_of(report_one)));
  EXPECT_EQ(lines_of(report_two).size(), 6u * 4 + 2);
}

// The report: a record per source of a mixed folder, valid JSON Lines
// (python's json module reads each), checksums as sha256sum gives them.
TEST(Collections, ReportKeepsARecordOfEverySource) {
  ScratchDir dir;
  make_collection(dir, 1);
  write_file(dir.file("c/sub/textdone.asc"), "there");  // its target exists: skipped with --skip-existing
  write_file(dir.file("c/sub/textdone"), "Done\r");
  const CliRun r = run_cli(dir, "-j 2 -t ascii -r --skip-existing --report r.jsonl 'c/*'");
  EXPECT_EQ(r.status, 1) << r.err;
  const std::string checked = command_output(
      "python3 -c 'import json,sys\nfor l in open(sys.argv[1]): d=json.loads(l); "
      "print(d[\"source\"], d[\"status\"], d[\"format\"], d[\"wrapper\"], d[\"target\"] is not None, "
      "d[\"source_sha256\"], d[\"target_sha256\"] or \"-\", d[\"target_bytes\"])' " + dir.file("r.jsonl") + " | sort");
  const auto sum = [&](const std::string& path) {
    const std::string out = command_output("sha256sum '" + dir.file(path) + "'");
    return out.substr(0, 64);
  };
  const auto size = [&](const std::string& path) { return std::to_string(std::filesystem::file_size(dir.file(path))); };
  const std::string mw = "MacWrite II";
  std::string cut_status = checked.substr(checked.find("c/cut.bin ") + 10);
  cut_status = cut_status.substr(0, cut_status.find(' '));
  EXPECT_TRUE(cut_status == "damaged" || cut_status == "failed") << checked;
  const std::vector<std::string> expected = {
      "c/big0 converted Mac Text Only None True " + sum("c/big0") + " " + sum("c/big0.asc") + " " + size("c/big0.asc"),
      "c/cut.bin " + cut_status,
      "c/junk skipped None None False " + sum("c/junk") + " - None",
      "c/mw0.bin converted MacWrite II MacBinary True " + sum("c/mw0.bin") + " " + sum("c/mw0.asc") + " " + size("c/mw0.asc"),
      "c/sub/memo0.bin converted Mac Text Only MacBinary II True " + sum("c/sub/memo0.bin") + " " + sum("c/sub/memo0.asc") +
          " " + size("c/sub/memo0.asc"),
      "c/sub/text0 converted Mac Text Only None True " + sum("c/sub/text0") + " " + sum("c/sub/text0.asc") + " " +
          size("c/sub/text0.asc"),
      "c/sub/textdone skipped None None True " + sum("c/sub/textdone") + " - None",
      "c/sub/textdone.asc skipped None None False " + sum("c/sub/textdone.asc") + " - None",
  };
  const std::vector<std::string> got = lines_of(checked);
  ASSERT_EQ(got.size(), expected.size()) << checked;
  for (std::size_t i = 0; i < got.size(); ++i)
    EXPECT_EQ(got[i].substr(0, expected[i].size()), expected[i]) << checked;
  EXPECT_NE(read_file(dir.file("r.jsonl")).find("\"version\":\"lettrix "), std::string::npos);
  // A second run adds to the report, never replaces it.
  run_cli(dir, "-t ascii --report r.jsonl c/sub/text0");
  EXPECT_EQ(lines_of(read_file(dir.file("r.jsonl"))).size(), expected.size() + 1);
}

// SIGTERM during a -j 2 batch: every worker's unfinished files are removed,
// what was finished stays whole, the report holds whole records only.
TEST(Collections, InterruptedParallelBatchLeavesSourcesAndFinishedTargets) {
  ScratchDir dir;
  std::filesystem::create_directories(dir.path() / "in");
  std::string line(99, 'x');
  line += '\r';
  std::string big;
  for (int i = 0; i < 40000; ++i) big += line;  // 4 MB
  for (int i = 0; i < 8; ++i) write_file(dir.file("in/doc" + std::to_string(i)), big);
  const std::string converter = std::string(LETTRIX_BINARY_DIR) + "/bin/lettrix-convert";
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.path().c_str()) != 0) _exit(120);
    if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(121);
    execl(converter.c_str(), "lettrix-convert", "-j", "2", "-f", "mac-text", "-t", "rtf-ansi", "-o", "out", "--report",
          "r.jsonl", "in/*", static_cast<char*>(nullptr));
    _exit(122);
  }
  ASSERT_GT(pid, 0);
  // Once the third file is under way, the batch is interrupted.
  bool started = false;
  for (int i = 0; i < 6000 && !started; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (std::filesystem::exists(dir.path() / "out"))
      for (const std::string& name : testing::dir_names(dir.path() / "out"))
        started |= name.find(".part") != std::string::npos && name.rfind("doc0", 0) != 0 && name.rfind("doc1", 0) != 0;
  }
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!started) GTEST_SKIP() << "the batch was faster than the watch";
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 128 + SIGTERM);
  const CliRun whole = run_cli(dir, "-j 1 -f mac-text -t rtf-ansi -o whole in/doc0");
  ASSERT_EQ(whole.status, 0) << whole.err;
  const std::string expected = read_file(dir.file("whole/doc0.rtf"));
  for (const std::string& name : testing::dir_names(dir.path() / "out")) {
    EXPECT_TRUE(name.size() == 8 && name.substr(4) == ".rtf") << name;
    EXPECT_EQ(read_file(dir.path() / "out" / name), expected) << name;
  }
  EXPECT_EQ(testing::dir_names(dir.path() / "in").size(), 8u);
  const std::string records = command_output("python3 -c 'import json,sys\nfor l in open(sys.argv[1]): json.loads(l)\nprint(\"ok\")' " +
                                             dir.file("r.jsonl"));
  EXPECT_EQ(records, "ok\n");
}

// Workers killed outright while they convert: their files fail ("ended
// unexpectedly"), the files not yet handed over fail as having no worker
// left, nothing is counted twice, and the batch ends with status 1.
TEST(Collections, WorkersThatDieFailOnlyTheirFiles) {
  ScratchDir dir;
  std::filesystem::create_directories(dir.path() / "in");
  std::string big;
  for (int i = 0; i < 40000; ++i) big += std::string(99, 'x') + "\r";  // 4 MB
  for (int i = 0; i < 6; ++i) write_file(dir.file("in/doc" + std::to_string(i)), big);
  int err_pipe[2];
  ASSERT_EQ(pipe(err_pipe), 0);
  const std::string converter = std::string(LETTRIX_BINARY_DIR) + "/bin/lettrix-convert";
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.path().c_str()) != 0) _exit(120);
    dup2(err_pipe[1], 2);
    if (!freopen("/dev/null", "w", stdout)) _exit(121);
    execl(converter.c_str(), "lettrix-convert", "-j", "2", "-f", "mac-text", "-t", "rtf-ansi", "-o", "out", "in/*",
          static_cast<char*>(nullptr));
    _exit(122);
  }
  close(err_pipe[1]);
  // Once both workers have a work stream, both are killed.
  bool busy = false;
  for (int i = 0; i < 6000 && !busy; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    int working = 0;
    if (std::filesystem::exists(dir.path() / "out"))
      for (const std::string& name : testing::dir_names(dir.path() / "out")) working += name.find(".###") != std::string::npos;
    busy = working >= 2;
  }
  const std::string children = read_file("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  std::istringstream list(children);
  int killed = 0;
  for (int worker; list >> worker; ++killed) kill(worker, SIGKILL);
  std::string err;
  char block[4096];
  for (ssize_t n; (n = read(err_pipe[0], block, sizeof block)) > 0;) err.append(block, static_cast<std::size_t>(n));
  close(err_pipe[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!busy) GTEST_SKIP() << "the batch was faster than the watch";
  EXPECT_EQ(killed, 2);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1) << err;
  int unexpected = 0, converted = -1, failed = -1;
  for (const std::string& line : lines_of(err)) {
    if (line.find(": error: the conversion ended unexpectedly") != std::string::npos) {
      ++unexpected;
      continue;
    }
    if (std::sscanf(line.c_str(), "%d converted, %d failed", &converted, &failed) == 2) continue;
    EXPECT_NE(line.find(": error: no conversion worker is left"), std::string::npos) << line;
  }
  EXPECT_EQ(unexpected, 2) << err;
  EXPECT_EQ(converted + failed, 6) << err;
}

}  // namespace
}  // namespace lettrix
