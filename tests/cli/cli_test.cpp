// Runs the built lettrix-convert as a user would and checks its output,
// exit status and the files it leaves.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::exists;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

using testing::CliRun;
using testing::run_cli;

TEST(CommandLine, ConvertsFilesAndPatternsBesideTheirSources) {
  ScratchDir dir;
  write_file(dir.file("letter"), "Dear Paul,\rThank you.\r");
  std::filesystem::create_directories(dir.path() / "archive" / "old");
  write_file(dir.file("archive/a.txt"), "a\r");
  write_file(dir.file("archive/old/b.TXT"), "b\r");

  CliRun r = run_cli(dir, "-f 'mac text only' -t ansi letter");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "letter -> letter.asc\n");
  EXPECT_EQ(read_file(dir.file("letter.asc")), "Dear Paul,\r\nThank you.\r\n");

  r = run_cli(dir, "-f mac-text -t 'Ascii (DOS)' 'archive/*.txt'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "archive/a.txt -> archive/a.asc\n");
  EXPECT_EQ(r.err, "1 converted, 0 failed, 0 skipped\n");
  EXPECT_FALSE(exists(dir.file("archive/old/b.asc")));

  r = run_cli(dir, "-f mac-text -t ascii -r 'archive/*.txt'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "archive/a.txt -> archive/a.001.ASC\narchive/old/b.TXT -> archive/old/b.asc\n");
}

TEST(CommandLine, ReportsFailuresAndUsageErrors) {
  ScratchDir dir;
  write_file(dir.file("doc"), "x");
  CliRun r = run_cli(dir, "-f mac-text -t ascii doc missing");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "doc -> doc.asc\n");
  EXPECT_EQ(r.err, "missing: error: no such file\n1 converted, 1 failed, 0 skipped\n");

  r = run_cli(dir, "-f mac-text -t ascii '*.none'");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "*.none: error: no file matches\n0 converted, 1 failed, 0 skipped\n");

  // A source format without its reader yet, while there is one.
  const std::string formats = run_cli(dir, "--list-formats").out;
  const std::size_t missing = formats.find("(not available yet)");
  const std::size_t line = formats.rfind('\n', missing) + 1;
  if (missing != std::string::npos && missing < formats.find("Target formats")) {
    const std::string alias = formats.substr(line + 22, formats.find_first_of(", ", line + 22) - (line + 22));
    r = run_cli(dir, "-f " + alias + " -t ascii doc");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("doc: error: format not available yet"), std::string::npos) << alias << ": " << r.err;
  }

  EXPECT_EQ(run_cli(dir, "-f klingon -t ascii doc").status, 2);
  EXPECT_EQ(run_cli(dir, "-f mac-text -t klingon doc").status, 2);
  EXPECT_EQ(run_cli(dir, "-f mac-text -t ascii").status, 2);
  EXPECT_EQ(run_cli(dir, "--no-such-option").status, 2);
  std::vector<std::string> expected{"doc", "doc.asc"};
  EXPECT_EQ(testing::dir_names(dir.path()), expected);
}

// An output folder (keeping a -r run's folders), standard input and output,
// -q and -v, and a read-only source folder.
TEST(CommandLine, OutputFolderPipesAndVerbosity) {
  ScratchDir dir;
  std::filesystem::create_directories(dir.path() / "cd" / "sub");
  write_file(dir.file("cd/a.txt"), "a\r");
  write_file(dir.file("cd/sub/b.txt"), "b\r");
  // Read-only like a CD-ROM: a read-only mount when root, else a folder without write permission.
  const std::string ro = dir.file("cd");
  const bool mounted = geteuid() == 0 && std::system(("mount --bind '" + ro + "' '" + ro + "' 2>/dev/null && mount -o remount,bind,ro '" + ro + "' '" + ro + "'").c_str()) == 0;
  if (geteuid() != 0) std::filesystem::permissions(ro, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);

  CliRun r = run_cli(dir, "-f text -t ansi 'cd/*.txt'");
  if (mounted || geteuid() != 0) {
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cd/a.txt: error: cannot create the work file beside the source"), std::string::npos) << r.err;
  }
  r = run_cli(dir, "-f text -t ansi -r -o out/new 'cd/*.txt'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "cd/a.txt -> out/new/a.asc\ncd/sub/b.txt -> out/new/sub/b.asc\n");
  EXPECT_EQ(read_file(dir.file("out/new/sub/b.asc")), "b\r\n");
  r = run_cli(dir, "-q -f text -t ansi -r -o out/new 'cd/*.txt'");  // numbered names, nothing printed
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out + r.err, "");
  EXPECT_EQ(testing::dir_names(dir.path() / "out" / "new" / "sub").size(), 2u);
  if (mounted) {
    EXPECT_EQ(std::system(("umount '" + ro + "'").c_str()), 0);
  }
  std::filesystem::permissions(ro, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
  EXPECT_EQ(testing::dir_names(dir.path() / "cd"), (std::vector<std::string>{"a.txt", "sub"}));

  r = run_cli(dir, "-f text -t ansi -o - - < cd/a.txt");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "a\r\n");
  EXPECT_EQ(r.err, "- -> standard output\n");
  r = run_cli(dir, "-v -f text -t ansi -o out cd/a.txt -");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "cd/a.txt -> out/a.asc (Mac Text Only, 2 -> 3 bytes)\n- -> out/stdin.asc (Mac Text Only, sizes unknown)\n");
  EXPECT_EQ(run_cli(dir, "-f text -t ansi cd/a.txt -").status, 2);  // where would the second go?

  // A damaged document: its line names the partial result, and it fails.
  const std::string grammar = read_file(std::string(LETTRIX_SOURCE_DIR) + "/samples/macwrite-4.6/grammar.mw");
  write_file(dir.file("half.mw"), grammar.substr(0, grammar.size() / 2));
  r = run_cli(dir, "-f mw46 -t ansi half.mw");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("half.mw: damaged: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("; partial result in half.asc\n"), std::string::npos) << r.err;
  // To standard output the partial result goes there, and the line says so.
  const std::string partial = read_file(dir.file("half.asc"));
  r = run_cli(dir, "-f mw46 -t ansi -o - half.mw");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, partial);
  EXPECT_EQ(r.err.rfind("half.mw: damaged: ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find("; partial result on standard output\n"), std::string::npos) << r.err;
  EXPECT_EQ(run_cli(dir, "-f text -t ansi -o - cd/a.txt cd/sub/b.txt").status, 2);
  EXPECT_EQ(run_cli(dir, "-q -v -f text -t ansi cd/a.txt").status, 2);
}

TEST(CommandLine, ListsFormatsDumpsStreamsAndHelps) {
  ScratchDir dir;
  CliRun r = run_cli(dir, "--list-formats");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("Mac Text Only         mac-text, text\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Nisus Writer          nisus\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("RTF Ansi (Windows)    rtf-ansi"), std::string::npos);
  // The longest name has its two spaces too: the columns are split on them.
  EXPECT_NE(r.out.find("Unicode Text (UTF-8)  utf8, text-utf8"), std::string::npos) << r.out;

  write_file(dir.file("t"), std::string("H\x8E\\\r", 4));
  r = run_cli(dir, "-f mac-text --dump-stream t");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "H{TableChar 1,41}{Backslash}¶\n");
  std::vector<std::string> expected{"t"};
  EXPECT_EQ(testing::dir_names(dir.path()), expected);  // nothing left beside the source

  r = run_cli(dir, "--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("--dump-stream"), std::string::npos);
  r = run_cli(dir, "--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("lettrix-convert "), std::string::npos);
}

}  // namespace
}  // namespace lettrix
