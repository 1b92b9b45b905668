// The driver in a hostile environment: full disks, names swapped between
// creation and use, sources that are not regular files. Each conversion
// either succeeds or says what failed, and never leaves or touches a file
// it did not create.
#include <gtest/gtest.h>

#include <cctype>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/driver.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "support/file_handle.h"
#include "support/owned_files.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::dir_names;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

std::string letter_text() {
  std::string text;
  for (int i = 0; i < 400; ++i) text += "Dear Paul, line " + std::to_string(i) + " of the letter.\r";
  return text;
}

// Size of the stream the Mac text reader writes for the letter.
long long stream_size() {
  ScratchDir tmp;
  write_file(tmp.file("in"), letter_text());
  Handler reader = source_formats.rows[SrcMacText].reader;
  EXPECT_EQ(reader(tmp.file("in").c_str(), tmp.file("out").c_str()), 0);
  return static_cast<long long>(read_file(tmp.file("out")).size());
}

class DriverSafety : public ::testing::Test {
 protected:
  void SetUp() override { init_path_buffers(); }
  void TearDown() override {
    set_write_budget_for_tests(-1);
    set_reopen_hook(nullptr);
  }
  ScratchDir dir{true};
};

// A disk that fills up while the stream or the target is written: every
// writer's conversion fails, says so, and leaves only the source.
TEST_F(DriverSafety, FullDiskFailsAndLeavesNothing) {
  const long long stream = stream_size();
  write_file("letter", letter_text());
  for (int row = 0; row < static_cast<int>(registry_size(target_formats)); ++row) {
    choose_formats(SrcMacText, row);
    for (long long budget : {0LL, stream / 2, stream + 40}) {
      SCOPED_TRACE(std::string(target_formats.rows[row].name) + " budget " + std::to_string(budget));
      set_write_budget_for_tests(budget);
      ConversionResult r = convert_file("letter");
      set_write_budget_for_tests(-1);
      EXPECT_EQ(r.status, ConversionStatus::FileFailed);
      // The Word writers, the OpenDocument one and HTML first fill private
      // work files in the temporary folder (DOCX and ODT their parts, which
      // the package then takes; HTML its body, after which the style comes).
      const bool word =
          row == DstWordDos || row == DstWinWord2 || row == DstDocx || row == DstOdt || row == DstHtml;
      const std::string where = budget < stream ? "the work stream" : word ? "a work file" : "the target";
      EXPECT_EQ(r.message(), "the disk is full while writing " + where);
      EXPECT_EQ(dir_names(dir.path()), std::vector<std::string>{"letter"});
    }
  }
  ConversionResult r = convert_file("letter");  // and with room it converts
  EXPECT_TRUE(r.ok()) << r.message();
}

// Another process replaces a name this program created, or the source it
// checked, by a link to someone else's file (or by a file of its own) just
// before the name is opened again. That file is never written or removed.
TEST_F(DriverSafety, SwappedNamesAreRefusedAndOtherFilesUntouched) {
  write_file("letter", "Dear Paul\r");
  write_file("victim", "precious");
  choose_formats(SrcMacText, DstRtfAnsi);
  struct Case {
    const char* name;     // the name swapped
    bool by_link;         // a symbolic link to victim, else a new file
    const char* message;  // what the conversion says
  };
  const Case cases[] = {
      {"letter.###", true, "the work stream was replaced by another file while converting"},
      {"letter.###", false, "the work stream was replaced by another file while converting"},
      {"letter.rtf.part", true, "the target was replaced by another file while converting"},
      {"letter.rtf.part", false, "the target was replaced by another file while converting"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.by_link ? " by a link" : " by a file"));
    set_reopen_hook([&](const std::string& name) {
      if (name != c.name) return;
      std::filesystem::rename(name, "moved-away");
      if (c.by_link)
        std::filesystem::create_symlink("victim", name);
      else
        write_file(name, "theirs");
    });
    ConversionResult r = convert_file("letter");
    set_reopen_hook(nullptr);
    EXPECT_EQ(r.status, ConversionStatus::FileFailed);
    EXPECT_EQ(r.message(), c.message);
    EXPECT_EQ(read_file("victim"), "precious");
    if (!c.by_link) {
      EXPECT_EQ(read_file(c.name), "theirs");
    }
    EXPECT_FALSE(testing::exists("letter.rtf"));
    // Put things back as they were for the next case.
    std::filesystem::remove(c.name);
    std::filesystem::remove("moved-away");
    EXPECT_EQ(dir_names(dir.path()), (std::vector<std::string>{"letter", "victim"}));
  }
  // The unfinished target of every other target format, swapped the same
  // way (the zip packages are written through the file the driver checked).
  for (int row = 0; row < static_cast<int>(registry_size(target_formats)); ++row) {
    std::string ext = target_formats.rows[row].extension;
    for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    const std::string part = "letter." + ext + ".part";
    SCOPED_TRACE(part);
    choose_formats(SrcMacText, row);
    set_reopen_hook([&](const std::string& name) {
      if (name != part) return;
      std::filesystem::rename(name, "moved-away");
      std::filesystem::create_symlink("victim", name);
    });
    const ConversionResult r = convert_file("letter");
    set_reopen_hook(nullptr);
    EXPECT_EQ(r.message(), "the target was replaced by another file while converting");
    EXPECT_EQ(read_file("victim"), "precious");
    std::filesystem::remove(part);
    std::filesystem::remove("moved-away");
    EXPECT_EQ(dir_names(dir.path()), (std::vector<std::string>{"letter", "victim"}));
  }
  choose_formats(SrcMacText, DstRtfAnsi);
  // The reader reads the source through the descriptor kept when it was
  // checked (core/source_view.h): its name is not opened again, so a link
  // put in its place is never followed.
  bool reopened = false;
  set_reopen_hook([&](const std::string& name) { reopened = reopened || name == "letter"; });
  const ConversionResult r = convert_file("letter");
  set_reopen_hook(nullptr);
  EXPECT_FALSE(reopened);
  EXPECT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(read_file("victim"), "precious");
}

// Between two files of a batch the stream of the first waits to be reused
// for the next. Swapped for a link to someone's file, or for a file of
// someone else, it is neither reused nor removed: the next file gets a new
// stream, converts, and the other file is untouched.
TEST_F(DriverSafety, KeptStreamSwappedBetweenFilesIsLeftAlone) {
  choose_formats(SrcMacText, DstRtfAnsi);
  for (const bool by_link : {true, false}) {
    SCOPED_TRACE(by_link ? "by a link" : "by a file");
    ScratchDir folder(true);
    write_file("a.txt", "Dear Paul\r");
    write_file("b.txt", "Dear Anne\r");
    write_file("victim", "precious");
    set_batch_file_hook([&](const std::string& source, const ConversionResult* done) {
      if (source != "b.txt" || done) return;
      std::filesystem::rename("a.###", "moved-away");
      if (by_link)
        std::filesystem::create_symlink("victim", "a.###");
      else
        write_file("a.###", "theirs");
    });
    const std::vector<ConversionResult> results = convert_batch("*.txt", BatchPattern);
    set_batch_file_hook(nullptr);
    ASSERT_EQ(results.size(), 2u);
    for (const ConversionResult& r : results) EXPECT_TRUE(r.ok()) << r.source << ": " << r.message();
    EXPECT_EQ(read_file("victim"), "precious");
    if (!by_link) {
      EXPECT_EQ(read_file("a.###"), "theirs");
    }
    EXPECT_EQ(dir_names(folder.path()), (std::vector<std::string>{"a.###", "a.rtf", "a.txt", "b.rtf", "b.txt",
                                                                  "moved-away", "victim"}));
  }
}

// Folders, pipes and devices are refused at once and nothing is created.
TEST_F(DriverSafety, SourcesThatAreNotRegularFiles) {
  choose_formats(SrcMacText, DstAscii);
  std::filesystem::create_directory("folder");
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  std::filesystem::create_symlink("/dev/zero", "zero");
  std::filesystem::create_symlink("/dev/urandom", "random");
  const std::pair<const char*, const char*> cases[] = {
      {"folder", "is a directory"},
      {"pipe", "not a regular file (a pipe, a device or a socket)"},
      {"zero", "not a regular file (a pipe, a device or a socket)"},
      {"random", "not a regular file (a pipe, a device or a socket)"},
      {"missing", "no such file"},
  };
  for (const auto& [name, message] : cases) {
    ConversionResult r = convert_file(name);
    EXPECT_FALSE(r.ok()) << name;
    EXPECT_EQ(r.message(), message) << name;
  }
  EXPECT_EQ(dir_names(dir.path()), (std::vector<std::string>{"folder", "pipe", "random", "zero"}));
}

// An unreadable source says "permission denied", and a batch names the folder
// it cannot read. Root reads everything, so this runs as nobody when root.
TEST_F(DriverSafety, UnreadableSourcesAndFolders) {
  write_file("secret", "x");
  chmod("secret", 0);
  std::filesystem::create_directories("tree/closed");
  write_file("tree/open.txt", "x");
  chmod("tree/closed", 0);
  chmod(dir.path().c_str(), 0777);
  chmod("tree", 0777);
  pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(10);
    choose_formats(SrcMacText, DstAscii);
    if (convert_file("secret").message() != "permission denied") _exit(11);
    if (chdir("tree") != 0) _exit(12);
    std::vector<ConversionResult> rs = convert_batch("*.txt", BatchRecursive);
    if (rs.size() != 2 || !rs[0].ok() || rs[1].source != "closed/" ||
        rs[1].message() != "cannot read the folder: Permission denied")
      _exit(13);
    _exit(0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  chmod("tree/closed", 0755);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10 setuid, 11 source message, 12 chdir, 13 folder report";
}

}  // namespace
}  // namespace lettrix
