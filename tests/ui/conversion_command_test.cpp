#include "ui/logic/conversion_command.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/busy_cursor.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "ui/dialog_test_util.h"

namespace lettrix {
namespace {

using testing::exists;
using testing::make_dirs;
using testing::read_file;
using testing::ScratchDir;
using testing::texts;
using testing::write_file;

// A reader that refuses documents starting with "BAD", and a writer that marks its output.
int test_reader(const char* in, const char* out) {
  std::string data = read_file(in);
  if (data.rfind("BAD", 0) == 0) return -1;
  write_file(out, data);
  return 0;
}
int test_writer(const char* in, const char* out) {
  write_file(out, "converted:" + read_file(in));
  return 0;
}

class ConversionCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.format_chooser = [](int source_row, int target_row) {
      choose_formats(source_row, target_row);
      set_chosen_handlers(test_reader, test_writer);
    };
    reset_busy_cursor();
    set_busy_cursor_hook([this](int frame) { frames.push_back(frame); });
  }
  void TearDown() override { set_busy_cursor_hook({}); }

  ConversionRequest request(std::string text = "*.*", bool recursive = false) {
    return {"Claris/AppleWorks", "Ansi (Windows)", std::move(text), recursive, ""};
  }

  ScratchDir dir{true};
  DialogState s = testing::make_state(dir.path());
  std::vector<int> frames;
};

TEST_F(ConversionCommandTest, SelectedFilesAreConvertedDeselectedAndListed) {
  write_file("a.txt", "alpha");
  write_file("b.txt", "beta");
  write_file("c.txt", "gamma");
  init_dialog(s);
  ASSERT_EQ(texts(s.files), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  s.file_selected[0] = s.file_selected[2] = true;

  auto results = run_conversion(s, request());
  ASSERT_EQ(results.size(), 2u);
  EXPECT_TRUE(results[0].ok()) << results[0].message();
  EXPECT_EQ(results[0].source, "a.txt");
  EXPECT_EQ(results[1].target, "c.asc");
  EXPECT_EQ(read_file("a.asc"), "converted:alpha");
  EXPECT_EQ(read_file("c.asc"), "converted:gamma");
  EXPECT_FALSE(exists("b.asc"));
  EXPECT_EQ(chosen_source_row(), SrcClarisWorks);
  EXPECT_EQ(chosen_target_row(), DstAnsi);

  // The new files show, nothing stays selected, the counters follow the listing.
  EXPECT_EQ(texts(s.files), (std::vector<std::string>{"a.asc", "a.txt", "b.txt", "c.asc", "c.txt"}));
  EXPECT_EQ(std::count(s.file_selected.begin(), s.file_selected.end(), true), 0);
  EXPECT_EQ(s.counted_files, 5u);
  EXPECT_EQ(s.counted_length, 5u + 4 + 5 + 15 + 15);
  // One step before the first file, one per batch call, one after each file.
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(failure_summary(results), "");
}

TEST_F(ConversionCommandTest, WithoutSelectionTheTypedMaskIsConverted) {
  write_file("one.mw", "1");
  write_file("two.mw", "2");
  write_file("keep.txt", "k");
  make_dirs("sub");
  write_file("sub/three.mw", "3");
  init_dialog(s);

  auto results = run_conversion(s, request("*.mw"));
  ASSERT_EQ(results.size(), 2u);
  EXPECT_TRUE(exists("one.asc"));
  EXPECT_TRUE(exists("two.asc"));
  EXPECT_FALSE(exists("sub/three.asc"));
  EXPECT_FALSE(exists("keep.asc"));
  // The typed text became the mask of the lists.
  EXPECT_EQ(s.selection_mask, "*.mw");
  EXPECT_EQ(texts(s.files), (std::vector<std::string>{"one.mw", "two.mw"}));

  results = run_conversion(s, request("*.mw", true));
  EXPECT_TRUE(exists("sub/three.asc"));
  ASSERT_EQ(results.size(), 3u);  // the two again (numbered names), then the subdirectory
  EXPECT_NE(results[0].target, "one.asc");
  EXPECT_EQ(results[2].source, "sub/three.mw");
  EXPECT_EQ(results[2].target, "sub/three.asc");

  // A mask that matches nothing converts nothing.
  EXPECT_TRUE(run_conversion(s, request("*.none")).empty());
  EXPECT_TRUE(s.files.empty());
}

TEST_F(ConversionCommandTest, FailuresAreCollectedForTheSummary) {
  write_file("good.txt", "fine");
  write_file("bad.txt", "BAD document");
  init_dialog(s);
  std::fill(s.file_selected.begin(), s.file_selected.end(), true);
  auto results = run_conversion(s, request());
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].status, ConversionStatus::ReaderFailed);
  EXPECT_TRUE(results[1].ok());
  EXPECT_FALSE(exists("bad.asc"));
  EXPECT_EQ(failure_summary(results),
            "1 file was not converted:\n"
            "bad.txt: cannot read the file as a Claris/AppleWorks document");

  // Formats whose reader or writer is missing are reported, not skipped.
  s.format_chooser = [](int source_row, int target_row) {
    choose_formats(source_row, target_row);
    set_chosen_handlers(nullptr, nullptr);
  };
  s.file_selected.assign(s.files.size(), false);
  s.file_selected[0] = true;
  results = run_conversion(s, {"MacWrite II", "RTF Ansi (Windows)", "*.*", false, ""});
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].status, ConversionStatus::NotAvailable);
  EXPECT_EQ(chosen_source_row(), SrcMacWriteII);
  EXPECT_EQ(chosen_target_row(), DstRtfAnsi);
  EXPECT_NE(failure_summary(results).find("format not available yet"), std::string::npos);
}

TEST(FailureSummary, NamesTwentyFilesThenCountsTheRest) {
  std::vector<ConversionResult> results;
  for (int i = 0; i < 30; ++i) {
    ConversionResult r;
    r.source = "file" + std::to_string(i);
    r.status = i % 6 == 0 ? ConversionStatus::Ok : ConversionStatus::NoSuchFile;
    results.push_back(r);
  }
  // 25 failures: a heading, 20 named, then the rest counted.
  std::string text = failure_summary(results);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  lines.push_back(text.substr(start));
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines[0], "25 files were not converted:");
  EXPECT_EQ(lines[1], "file1: no such file");
  EXPECT_EQ(lines[20], "file23: no such file");
  EXPECT_EQ(lines[21], "and 5 more");

  // Exactly twenty failures need no "more" line; long paths are shortened.
  results.resize(24);
  results[1].source = "/a/very/long/path/that/goes/on/and/on/through/many/directories/x.mw";
  text = failure_summary(results);
  EXPECT_EQ(text.find("more"), std::string::npos);
  EXPECT_NE(text.find(".../x.mw: no such file"), std::string::npos);
  EXPECT_EQ(failure_summary({}), "");
}

TEST(ConversionSummary, FailuresThenFilesThatLookLikeAnotherFormat) {
  auto result = [](std::string source, ConversionStatus status, std::string warning) {
    ConversionResult r;
    r.source = std::move(source);
    r.status = status;
    r.warning = std::move(warning);
    return r;
  };
  const ConversionResult fine = result("fine.mw", ConversionStatus::Ok, "");
  const ConversionResult odd = result("odd.mw", ConversionStatus::Ok, "looks like MacWrite 4.6");
  const ConversionResult odd2 = result("odd2.mw", ConversionStatus::Ok, "looks like Mac Text Only");
  // A failed file's warning is not repeated: its failure says enough.
  const ConversionResult gone = result("gone.mw", ConversionStatus::NoSuchFile, "looks like MacWrite II");
  EXPECT_EQ(conversion_summary({fine}), "");
  EXPECT_EQ(conversion_summary({fine, gone}), "1 file was not converted:\ngone.mw: no such file");
  EXPECT_EQ(conversion_summary({odd, fine}),
            "1 file was converted, but looks like another format:\nodd.mw: looks like MacWrite 4.6");
  EXPECT_EQ(conversion_summary({odd, gone, odd2}),
            "1 file was not converted:\ngone.mw: no such file\n\n"
            "2 files were converted, but look like another format:\n"
            "odd.mw: looks like MacWrite 4.6\nodd2.mw: looks like Mac Text Only");
  const std::vector<ConversionResult> many(25, odd);
  const std::string text = conversion_summary(many);
  EXPECT_EQ(text.rfind("\nand 5 more"), text.size() - 11);
}

}  // namespace
}  // namespace lettrix
