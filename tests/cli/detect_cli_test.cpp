// lettrix-convert with formats told by content (-f auto, the default):
// what it converts, skips and refuses in a folder of mixed files, what
// --identify prints, the warning for a format the content contradicts, and
// wrapped real documents converting to the same targets as their data forks.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "builders/wrapper_builder.h"
#include "test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;
using testing::exists;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

using testing::CliRun;
using testing::run_cli;

std::string sample(const char* path) { return read_file(std::string(LETTRIX_SOURCE_DIR "/samples/") + path); }

const build::MacFile kMacWrite{.name = "letter", .type = "WORD", .creator = "MACA"};

TEST(DetectingCommandLine, ConvertsSkipsAndRefusesByContent) {
  ScratchDir dir;
  const std::string letter = sample("macwrite-4.6/letter.mw");
  write_file(dir.file("a-letter.mw"), letter);
  write_file(dir.file("b-letter.bin"), sample("macwrite-4.6/letter.bin"));
  write_file(dir.file("c-letter.hqx"), build::binhex(letter, kMacWrite));
  write_file(dir.file("d-letter"), letter);
  write_file(dir.file("._d-letter"), build::appledouble(kMacWrite));
  write_file(dir.file("e-done.rtf"), "{\\rtf1\\ansi Hello}");
  write_file(dir.file("f-pc.txt"), "Dear Paul,\r\nThank you.\r\n");
  write_file(dir.file("g-junk"), std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0", 16) + std::string(300, '\x11'));
  write_file(dir.file("h-readme"), "Read me\rfirst\r");
  // Text with Unix line ends is every script and text file of this system,
  // and a line without an end is no sign of a Macintosh either: only
  // -f mac-text takes them.
  write_file(dir.file("i-script"), "echo hello\nprintf 'a\rb'\n");
  write_file(dir.file("j-line"), "A text of one line");

  CliRun r = run_cli(dir, "-t rtf-ansi '*'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err,
            "._d-letter: skipped: not a Macintosh document we read (AppleDouble header, read with the file of the "
            "same name without \"._\")\n"
            "e-done.rtf: skipped: already converted (RTF)\n"
            "f-pc.txt: skipped: already converted (PC text)\n"
            "g-junk: skipped: not a Macintosh document we read (an ELF program or library)\n"
            "i-script: skipped: not a Macintosh document we read (text without Macintosh line ends (CR), converted "
            "only when Mac Text Only is chosen)\n"
            "j-line: skipped: not a Macintosh document we read (text without Macintosh line ends (CR), converted "
            "only when Mac Text Only is chosen)\n"
            "5 converted, 0 failed, 6 skipped\n");
  EXPECT_EQ(r.out,
            "a-letter.mw -> a-letter.rtf\n"
            "b-letter.bin -> b-letter.rtf\n"
            "c-letter.hqx -> c-letter.rtf\n"
            "d-letter -> d-letter.rtf\n"
            "h-readme -> h-readme.rtf\n");
  const std::string expected = read_file(dir.file("a-letter.rtf"));
  ASSERT_FALSE(expected.empty());
  for (const char* wrapped : {"b-letter.rtf", "c-letter.rtf", "d-letter.rtf"})
    EXPECT_EQ(read_file(dir.file(wrapped)), expected) << wrapped;

  // A second run finds its own outputs and passes over them.
  r = run_cli(dir, "-t ansi '*.rtf'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find(" -> "), std::string::npos) << r.out;

  // A damaged wrapper is refused by name, and counts as a failure; a file
  // named on its own that is skipped counts as one too.
  std::string hqx = build::binhex(letter, kMacWrite);
  hqx[hqx.size() / 2] = hqx[hqx.size() / 2] == 'a' ? 'b' : 'a';
  write_file(dir.file("bad.hqx"), hqx);
  r = run_cli(dir, "-t ascii bad.hqx g-junk");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "bad.hqx: error: BinHex: data fork CRC mismatch\n"
            "g-junk: skipped: not a Macintosh document we read (an ELF program or library)\n"
            "0 converted, 1 failed, 1 skipped\n");
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(exists(dir.file("bad.asc")));

  // --identify.
  r = run_cli(dir, "--identify a-letter.mw b-letter.bin c-letter.hqx d-letter h-readme e-done.rtf bad.hqx missing");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "a-letter.mw: MacWrite 4.6 (likely)\n"
            "b-letter.bin: MacWrite 4.6 in MacBinary (certain)\n"
            "c-letter.hqx: MacWrite 4.6 in BinHex 4.0 (certain)\n"
            "d-letter: MacWrite 4.6 in AppleDouble (certain)\n"
            "h-readme: Mac Text Only (likely)\n"
            "e-done.rtf: already converted (RTF)\n"
            "bad.hqx: MacWrite 4.6 in BinHex 4.0 (certain)\n");  // its header is sound
  EXPECT_EQ(r.err, "missing: error: cannot read the file: cannot open it\n");

  // --dump-stream reads through the wrappers too, and tells the format itself.
  const CliRun plain = run_cli(dir, "-f macwrite-4.6 --dump-stream a-letter.mw");
  EXPECT_EQ(plain.status, 0) << plain.err;
  for (const char* wrapped : {"c-letter.hqx", "d-letter", "b-letter.bin"}) {
    r = run_cli(dir, std::string("--dump-stream ") + wrapped);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, plain.out) << wrapped;
  }
  r = run_cli(dir, "--dump-stream g-junk");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "g-junk: error: not a Macintosh document we read (an ELF program or library)\n");

  // A format given by name is used, with a warning when the content says otherwise.
  r = run_cli(dir, "-f macwrite-2.2 -t ascii a-letter.mw");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "a-letter.mw: warning: looks like MacWrite 4.6\n");
  EXPECT_EQ(r.out, "a-letter.mw -> a-letter.asc\n");
  r = run_cli(dir, "-f mac-text -t ascii h-readme");
  EXPECT_EQ(r.err, "");
}

TEST(DetectingCommandLine, CorpusMacBinaryFilesConvertAsTheirDataForks) {
  const fs::path corpus = testing::corpus_dir();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  ScratchDir dir;
  fs::create_directories(dir.path() / "forks");
  std::string args;
  std::vector<std::string> pairs;
  for (const auto& folder : fs::directory_iterator(corpus)) {
    if (!folder.is_directory()) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().extension() != ".bin") continue;
      const std::string stem = entry.path().stem().string();
      // A text's data fork without a CR has no sign of a Macintosh left.
      if (folder.path().filename() == "mac-text" && read_file((folder.path() / stem).string()).find('\r') == std::string::npos)
        continue;
      write_file(dir.file(stem + ".bin"), read_file(entry.path().string()));
      write_file(dir.file("forks/" + stem), read_file((folder.path() / stem).string()));
      args += " '" + stem + ".bin' 'forks/" + stem + "'";
      pairs.push_back(stem);
    }
  }
  ASSERT_GE(pairs.size(), 10u);
  const CliRun r = run_cli(dir, "-t rtf-ansi" + args);
  EXPECT_EQ(r.status, 0) << r.err;
  for (const std::string& stem : pairs) {
    const std::string from_bin = read_file(dir.file(stem + ".rtf"));
    EXPECT_FALSE(from_bin.empty()) << stem;
    EXPECT_EQ(read_file(dir.file("forks/" + stem + ".rtf")), from_bin) << stem;
  }
}

}  // namespace
}  // namespace lettrix
