#include "cli/format_names.h"
#include "core/driver.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "core/busy_cursor.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "support/paths.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::exists;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

// Small handlers that record what the driver hands them.
std::vector<std::string> g_calls;
int g_seen_kind = -1;
std::string g_seen_current_out;

int copy_reader(const char* in, const char* out) {
  g_calls.push_back(std::string("read ") + in + " -> " + out);
  g_seen_kind = target_kind();
  g_seen_current_out = current_file(1);
  std::string data = read_file(in);
  write_file(out, "[" + data + "]");
  return 0;
}
int failing_reader(const char* in, const char*) {
  g_calls.push_back(std::string("fail ") + in);
  return -1;
}
int damaged_reader(const char* in, const char* out) {
  write_file(out, "[" + read_file(in).substr(0, 2) + "]");
  set_handler_reason(cut_short_reason("text", 4923, 22976));
  return kHandlerDamaged;
}
int explaining_reader(const char*, const char*) {
  set_handler_reason("no resource fork");
  return -1;
}
// A reader during whose work another program rewrites its source.
int rewritten_reader(const char* in, const char* out) {
  write_file(out, "[" + read_file(in) + "]");
  write_file(in, "another, longer text");
  return 0;
}
int copy_writer(const char* in, const char* out) {
  g_calls.push_back(std::string("write ") + in + " -> " + out);
  write_file(out, read_file(in));
  return 0;
}
int partial_writer(const char*, const char* out) {
  write_file(out, "half");
  return -2;
}

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    init_path_buffers();
    choose_formats(SrcMacText, DstAscii);
    set_chosen_handlers(copy_reader, copy_writer);
  }
  ScratchDir dir{true};
};

TEST_F(DriverTest, NamesTargetAndRemovesTheStream) {
  write_file("letter", "hello");
  ConversionResult r = convert_file("letter");
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r.target, "letter.asc");
  EXPECT_EQ(read_file("letter.asc"), "[hello]");
  EXPECT_FALSE(exists("letter.###"));
  ASSERT_EQ(g_calls.size(), 2u);
  EXPECT_EQ(g_calls[0], "read letter -> letter.###");
  EXPECT_EQ(g_calls[1], "write letter.### -> letter.asc.part");
  EXPECT_EQ(g_seen_kind, 0);
  EXPECT_EQ(g_seen_current_out, "letter.###");
  EXPECT_EQ(current_file(0), "letter.###");
  EXPECT_EQ(current_file(1), "letter.asc.part");
}

TEST_F(DriverTest, ExistingTargetGetsANumberedName) {
  write_file("a.txt", "new");
  write_file("a.asc", "old");
  set_unique_name_counter(0);
  ConversionResult r = convert_file("a.txt");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.target, "a.001.ASC");
  EXPECT_EQ(read_file("a.asc"), "old");
  EXPECT_EQ(read_file("a.001.ASC"), "[new]");
  // A source whose own name is the target name is never overwritten either.
  r = convert_file("a.asc");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.target, "a.002.ASC");
  EXPECT_EQ(read_file("a.asc"), "old");
}

TEST_F(DriverTest, TargetNameTakenByADirectoryOrLinkIsSkipped) {
  write_file("d.txt", "x");
  std::filesystem::create_directory("d.asc");
  std::filesystem::create_symlink("elsewhere", "e.asc");
  write_file("e.txt", "y");
  set_unique_name_counter(0);
  EXPECT_EQ(convert_file("d.txt").target, "d.001.ASC");
  EXPECT_EQ(convert_file("e.txt").target, "e.002.ASC");
  EXPECT_FALSE(exists("elsewhere"));
}

TEST_F(DriverTest, UserFileNamedLikeTheStreamIsKept) {
  write_file("memo", "text");
  write_file("memo.###", "precious");
  ConversionResult r = convert_file("memo");
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(read_file("memo.###"), "precious");
  EXPECT_EQ(g_calls[0], "read memo -> memo.1.###");
  EXPECT_FALSE(exists("memo.1.###"));
}

TEST_F(DriverTest, FailingReaderLeavesNoTargetAndSaysSo) {
  set_chosen_handlers(failing_reader, copy_writer);
  write_file("bad.mw", "x");
  ConversionResult r = convert_file("bad.mw");
  EXPECT_EQ(r.status, ConversionStatus::ReaderFailed);
  EXPECT_EQ(r.handler_result, -1);
  EXPECT_EQ(r.message(), "cannot read the file as a Mac Text Only document");
  EXPECT_EQ(g_calls.size(), 1u);  // the writer never ran
  EXPECT_EQ(testing::dir_names(dir.path()), std::vector<std::string>{"bad.mw"});
}

// A damaged document keeps what could be read, and the result says why it failed.
TEST_F(DriverTest, DamagedDocumentKeepsItsPartialResultAndFails) {
  set_chosen_handlers(damaged_reader, copy_writer);
  write_file("doc", "hello");
  ConversionResult r = convert_file("doc");
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.status, ConversionStatus::Damaged);
  EXPECT_EQ(r.target, "doc.asc");
  EXPECT_EQ(read_file("doc.asc"), "[he]");
  EXPECT_EQ(r.message(), "damaged: text cut short at byte 4,923 of 22,976; partial result in doc.asc");

  set_chosen_handlers(explaining_reader, copy_writer);
  r = convert_file("doc");
  EXPECT_EQ(r.message(), "cannot read the file as a Mac Text Only document: no resource fork");
  EXPECT_EQ(cut_short_reason("data", 0, 999), "data cut short at byte 0 of 999");
  EXPECT_EQ(cut_short_reason("data", 1000, 1234567), "data cut short at byte 1,000 of 1,234,567");
}

TEST_F(DriverTest, FailingWriterLeavesNoPartialTarget) {
  set_chosen_handlers(copy_reader, partial_writer);
  write_file("x.txt", "x");
  ConversionResult r = convert_file("x.txt");
  EXPECT_EQ(r.status, ConversionStatus::EmptyDocument);
  EXPECT_EQ(r.message(), "empty document");
  EXPECT_EQ(testing::dir_names(dir.path()), std::vector<std::string>{"x.txt"});
}

TEST_F(DriverTest, RefusesWhatItCannotDo) {
  choose_formats(SrcNisus, DstWordPerfect5);
  if (!chosen_reader() || !chosen_writer()) {
    write_file("n", "x");
    ConversionResult r = convert_file("n");
    EXPECT_EQ(r.status, ConversionStatus::NotAvailable);
    EXPECT_NE(r.message().find("format not available yet"), std::string::npos);
    EXPECT_EQ(testing::dir_names(dir.path()), std::vector<std::string>{"n"});
  }
  set_chosen_handlers(copy_reader, copy_writer);
  EXPECT_EQ(convert_file("missing").status, ConversionStatus::NoSuchFile);
  std::filesystem::create_directory("folder");
  EXPECT_EQ(convert_file("folder").message(), "is a directory");
  EXPECT_EQ(g_calls.size(), 0u);
}

// Names and paths as long as the system takes convert; a name too long to
// take a new extension is shortened, its extension kept.
TEST_F(DriverTest, LongNamesAndPathsConvert) {
  const std::string name250(250, 'n');
  write_file(name250 + ".mw", "x");
  ConversionResult r = convert_file(name250 + ".mw");
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r.target, std::string(235, 'n') + ".asc");
  EXPECT_EQ(read_file(r.target), "[x]");

  std::string deep;
  while (deep.size() < 1000) deep += std::string(60, 'd') + "/";
  std::filesystem::create_directories(deep);
  write_file(deep + "letter", "y");
  r = convert_file(deep + "letter");
  ASSERT_TRUE(r.ok()) << r.message();
  EXPECT_EQ(r.target, deep + "letter.asc");
  EXPECT_EQ(testing::dir_names(deep), (std::vector<std::string>{"letter", "letter.asc"}));
}

TEST_F(DriverTest, UnknownTargetRowSelectsRowZero) {
  choose_formats(99, -3);
  EXPECT_EQ(chosen_source_row(), 0);
  EXPECT_EQ(chosen_target_row(), 0);
}

TEST_F(DriverTest, ModeOneConvertsEveryMatchingFile) {
  write_file("a.txt", "a");
  write_file("B.TXT", "b");
  write_file("c.doc", "c");
  std::filesystem::create_directory("d.txt");
  reset_busy_cursor();
  auto results = convert_batch("*.txt", BatchPattern);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].source, "a.txt");
  EXPECT_EQ(results[1].source, "B.TXT");
  EXPECT_TRUE(exists("a.asc"));
  EXPECT_TRUE(exists("B.asc"));
  EXPECT_EQ(busy_cursor_frame(), 1);
  EXPECT_TRUE(convert_batch("*.none", BatchPattern).empty());
}

TEST_F(DriverTest, ModeTwoRecursesDepthFirstAfterTheCurrentDirectory) {
  std::filesystem::create_directories("one/deep");
  std::filesystem::create_directory("two");
  write_file("top.txt", "t");
  write_file("one/x.txt", "1");
  write_file("one/deep/y.txt", "2");
  write_file("two/z.txt", "3");
  std::filesystem::create_directory_symlink(".", "loop");  // never followed
  reset_busy_cursor();
  std::string before = std::filesystem::current_path().string();
  auto results = convert_batch("*.txt", BatchRecursive);
  std::vector<std::string> order;
  for (auto& r : results) order.push_back(r.source + " -> " + r.target);
  EXPECT_EQ(order, (std::vector<std::string>{"top.txt -> top.asc", "one/x.txt -> one/x.asc",
                                              "one/deep/y.txt -> one/deep/y.asc", "two/z.txt -> two/z.asc"}));
  EXPECT_EQ(busy_cursor_frame(), 4);  // once per call, recursive calls included
  EXPECT_EQ(std::filesystem::current_path().string(), before);
  EXPECT_TRUE(exists("one/deep/y.asc"));
}

// A source changed while its reader ran fails, and leaves no target.
TEST_F(DriverTest, SourceChangedWhileBeingReadFails) {
  write_file("letter", "text");
  set_chosen_handlers(rewritten_reader, copy_writer);
  const ConversionResult r = convert_file("letter");
  EXPECT_EQ(r.status, ConversionStatus::FileFailed);
  EXPECT_EQ(r.message(), "the source changed while being read");
  EXPECT_EQ(testing::dir_names("."), (std::vector<std::string>{"letter"}));
}

// A recursive batch follows folders far deeper than archives go (it stopped
// at 64 without a word before).
TEST_F(DriverTest, ModeTwoFollowsDeepFolders) {
  std::string deep;
  for (int level = 0; level < 100; ++level) deep += "d/";
  std::filesystem::create_directories(deep);
  write_file(deep + "bottom.txt", "b");
  const auto results = convert_batch("*.txt", BatchRecursive);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_TRUE(results[0].ok()) << results[0].message();
  EXPECT_EQ(results[0].source, deep + "bottom.txt");
  EXPECT_TRUE(exists(deep + "bottom.asc"));
}

// Within a folder a batch hands every reader a new, empty stream named after
// its source, but it is one file renamed from source to source (the same
// inode), never a name the user has; at the end of each folder it is gone.
TEST_F(DriverTest, BatchRenamesOneStreamThroughAFolderAndLeavesNone) {
  static std::vector<std::pair<std::string, ino_t>> seen;
  seen.clear();
  set_chosen_handlers(
      [](const char* in, const char* out) {
        struct stat st {};
        seen.emplace_back(out, ::stat(out, &st) == 0 && st.st_size == 0 ? st.st_ino : 0);
        return copy_reader(in, out);
      },
      copy_writer);
  std::filesystem::create_directory("sub");
  for (const char* name : {"a.txt", "b.txt", "c.txt", "sub/d.txt", "sub/e.txt"}) write_file(name, name);
  write_file("b.###", "precious");
  // The list file of the batch: one, the same, in the temporary folder throughout.
  ScratchDir temp;
  const char* old_tmpdir = std::getenv("TMPDIR");
  const std::string saved_tmpdir = old_tmpdir ? old_tmpdir : "";
  setenv("TMPDIR", temp.path().c_str(), 1);
  std::vector<std::vector<std::string>> temp_files;
  set_batch_file_hook([&](const std::string&, const ConversionResult* done) {
    if (!done) temp_files.push_back(testing::dir_names(temp.path()));
  });
  const auto results = convert_batch("*.txt", BatchRecursive);
  set_batch_file_hook(nullptr);
  if (old_tmpdir)
    setenv("TMPDIR", saved_tmpdir.c_str(), 1);
  else
    unsetenv("TMPDIR");
  ASSERT_EQ(temp_files.size(), 5u);
  EXPECT_EQ(temp_files[0].size(), 1u);
  EXPECT_EQ(temp_files, std::vector<std::vector<std::string>>(5, temp_files[0]));
  EXPECT_TRUE(testing::dir_names(temp.path()).empty());
  ASSERT_EQ(results.size(), 5u);
  for (const ConversionResult& r : results) EXPECT_TRUE(r.ok()) << r.source << ": " << r.message();
  ASSERT_EQ(seen.size(), 5u);
  const std::vector<std::string> names = {"a.###", "b.1.###", "c.###", "d.###", "e.###"};
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].first, names[i]);
    EXPECT_NE(seen[i].second, 0u) << names[i] << " is not there, or not empty";
  }
  EXPECT_EQ(seen[1].second, seen[0].second);
  EXPECT_EQ(seen[2].second, seen[0].second);
  EXPECT_EQ(seen[4].second, seen[3].second);
  EXPECT_EQ(read_file("c.asc"), "[c.txt]");
  EXPECT_EQ(read_file("sub/e.asc"), "[sub/e.txt]");
  EXPECT_EQ(read_file("b.###"), "precious");
  EXPECT_EQ(testing::dir_names(dir.path()),
            (std::vector<std::string>{"a.asc", "a.txt", "b.###", "b.asc", "b.txt", "c.asc", "c.txt", "sub"}));
  EXPECT_EQ(testing::dir_names(dir.path() / "sub"), (std::vector<std::string>{"d.asc", "d.txt", "e.asc", "e.txt"}));
  // A file converted alone has a stream of its own, removed at once.
  EXPECT_TRUE(convert_file("a.txt").ok());
  EXPECT_FALSE(exists("a.###"));
}

TEST_F(DriverTest, ModeZeroConvertsTheNamedFile) {
  write_file("only.txt", "o");
  auto results = convert_batch("only.txt", BatchOneFile);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].target, "only.asc");
}

TEST(BusyCursor, TwelveFramesThenRoundAgain) {
  reset_busy_cursor();
  std::vector<int> frames;
  auto previous = set_busy_cursor_hook([&](int f) { frames.push_back(f); });
  for (int i = 0; i < 13; ++i) busy_cursor_step();
  set_busy_cursor_hook(previous);
  ASSERT_EQ(frames.size(), 13u);
  EXPECT_EQ(frames[0], 1);
  EXPECT_EQ(frames[11], 12);
  EXPECT_EQ(frames[12], 1);
  EXPECT_EQ(kBusyCursorFirstResource + frames[12] - 1, 12743);
  busy_cursor_step();  // no hook installed: just counts
  EXPECT_EQ(busy_cursor_frame(), 2);
}

// The rows the program began with keep their places (stored choices and the
// dialog's lists rely on them); rows added to the list come after them.
TEST(Registry, RowsInOrderWithTheirNames) {
  ASSERT_GE(registry_size(source_formats), 10u);
  ASSERT_GE(registry_size(target_formats), 7u);
  const char* sources[] = {"Mac Text Only", "MacWrite 2.2", "MacWrite 4.6", "MacWrite II", "MS-Works 2",
                           "MS-Works 3", "Claris/AppleWorks", "Ragtime 2", "Ragtime 3", "Nisus Writer"};
  for (int i = 0; i < 10; ++i) EXPECT_STREQ(source_formats.rows[i].name, sources[i]);
  EXPECT_STREQ(source_formats.rows[0].french_name, "Texte Mac seul");
  const char* targets[][2] = {{"Ascii (DOS)", "ASC"},     {"Ansi (Windows)", "ASC"},  {"Word 3/4/5 DOS", "DOC"},
                              {"Wordperfect 5", "WP5"},   {"Word Windows 2", "DOC"}, {"RTF Ascii (DOS)", "RTF"},
                              {"RTF Ansi (Windows)", "RTF"}};
  for (int i = 0; i < 7; ++i) {
    EXPECT_STREQ(target_formats.rows[i].name, targets[i][0]);
    EXPECT_STREQ(target_formats.rows[i].french_name, targets[i][0]);
    EXPECT_STREQ(target_formats.rows[i].extension, targets[i][1]);
  }
  EXPECT_EQ(registry_find(target_formats, "RTF Ansi (Windows)"), 6);
  EXPECT_EQ(registry_find(target_formats, "rtf ansi (windows)"), -1);
}

// What every row of the list must have, whatever rows are added: the row
// enums count the rows, every source row a reader and a signature test,
// every target row a writer and an upper-case extension, and no name or
// alias names two rows (the command line finds each row by every one of its
// names and aliases).
TEST(Registry, EveryRowOfTheListIsComplete) {
  ASSERT_EQ(registry_size(source_formats), static_cast<std::size_t>(SourceRowCount));
  ASSERT_EQ(registry_size(target_formats), static_cast<std::size_t>(TargetRowCount));
  for (int row = 0; row < SourceRowCount; ++row) {
    SCOPED_TRACE(source_formats.rows[row].name);
    EXPECT_NE(source_formats.rows[row].reader, nullptr);
    EXPECT_EQ(source_formats.rows[row].writer, nullptr);
    EXPECT_NE(source_signature(row), nullptr);
    EXPECT_FALSE(source_main_alias(row).empty());
    EXPECT_EQ(find_source_format(source_formats.rows[row].name), row);
    for (const std::string& alias : source_aliases(row)) EXPECT_EQ(find_source_format(alias), row) << alias;
  }
  for (int row = 0; row < TargetRowCount; ++row) {
    SCOPED_TRACE(target_formats.rows[row].name);
    EXPECT_NE(target_formats.rows[row].writer, nullptr);
    EXPECT_EQ(target_formats.rows[row].reader, nullptr);
    const std::string extension = target_formats.rows[row].extension;
    EXPECT_FALSE(extension.empty());
    for (char c : extension) EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) << extension;
    EXPECT_FALSE(target_main_alias(row).empty());
    EXPECT_EQ(find_target_format(target_formats.rows[row].name), row);
    for (const std::string& alias : target_aliases(row)) EXPECT_EQ(find_target_format(alias), row) << alias;
  }
  EXPECT_EQ(source_signature(SourceRowCount), nullptr);
  EXPECT_EQ(source_main_alias(-1), "");
}

}  // namespace
}  // namespace lettrix
