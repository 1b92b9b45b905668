// The dialog's batch as its worker thread runs it: formats told by content,
// the target folder, the progress it reports, Stop before any file of a
// batch, and the summary that lists what became of each file.
#include "ui/logic/batch_run.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "builders/clarisworks_builder.h"
#include "builders/macwrite_46_builder.h"
#include "core/driver_state.h"
#include "core/format_registry.h"
#include "ui/dialog_test_util.h"
#include "ui/logic/conversion_command.h"

namespace lettrix {
namespace {

using testing::exists;
using testing::make_dirs;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

using testing::copy_handler;

class BatchRunTest : public ::testing::Test {
 protected:
  ScratchDir dir{true};
  DialogState s = testing::make_state(dir.path());
  ConversionRequest text_request(std::string mask = "*.txt", bool recursive = false, std::string folder = "") {
    return {"Mac Text Only", "Ansi (Windows)", std::move(mask), recursive, std::move(folder)};
  }
  void use_copy_handlers() {
    s.format_chooser = [](int source_row, int target_row) {
      choose_formats(source_row, target_row);
      set_chosen_handlers(copy_handler, copy_handler);
    };
  }
};

TEST_F(BatchRunTest, AutomaticTakesEachFilesFormatAndSkipsTheRest) {
  write_file("letter", build::MacWrite46Builder{}.paragraph("Dear Paul\r").build());
  write_file("plan", build::ClarisWorksBuilder{}.paragraph(0).text("Plan\r").build());
  write_file("notes", "just some bytes, not a document");
  init_dialog(s);
  const BatchPlan plan = plan_conversion(s, {kAutomaticFormat, "Ansi (Windows)", "*", false, ""});
  EXPECT_TRUE(plan.detect);
  const BatchOutcome out = run_plan(plan, nullptr, {});
  EXPECT_FALSE(source_detection());  // the driver's defaults are back
  ASSERT_EQ(out.results.size(), 3u);
  std::map<std::string, const ConversionResult*> by_source;
  for (const ConversionResult& r : out.results) by_source[r.source] = &r;
  ASSERT_EQ(by_source.size(), 3u);
  EXPECT_TRUE(by_source["letter"]->ok()) << by_source["letter"]->message();
  EXPECT_EQ(by_source["letter"]->source_row, SrcMacWrite46);
  EXPECT_TRUE(by_source["plan"]->ok()) << by_source["plan"]->message();
  EXPECT_EQ(by_source["plan"]->source_row, SrcClarisWorks);
  EXPECT_TRUE(by_source["notes"]->skipped());
  EXPECT_TRUE(read_file("letter.asc").ends_with("Dear Paul\r\n")) << read_file("letter.asc");
  const std::string summary = batch_summary(out);
  EXPECT_TRUE(summary.starts_with("2 converted, 0 failed, 1 skipped, 0 not started.\n\n1 file skipped:\nnotes: ")) << summary;

  // A named format is taken for every file, as before.
  const BatchPlan named = plan_conversion(s, {"MacWrite 4.6", "Ansi (Windows)", "notes", false, ""});
  EXPECT_FALSE(named.detect);
  EXPECT_EQ(named.source_row, SrcMacWrite46);
}

TEST_F(BatchRunTest, TargetFolderWithAndWithoutRecursion) {
  use_copy_handlers();
  make_dirs("src/sub");
  make_dirs("out");
  write_file("src/a.txt", "a");
  write_file("src/sub/b.txt", "b");
  ASSERT_EQ(chdir("src"), 0);
  init_dialog(s);
  const std::string root = testing::dialog_path(dir.path());
  struct Case {
    std::string folder;  // as typed
    bool recursive;
    std::string output_dir;
    std::vector<std::string> targets;  // below root
  } cases[] = {
      {"", false, "", {"src/a.asc"}},
      {"", true, "", {"src/a.asc", "src/sub/b.asc"}},
      {"../out/", false, root + "out", {"out/a.asc"}},
      {root + "out", true, root + "out", {"out/a.asc", "out/sub/b.asc"}},
      {"  new/", true, root + "src/new", {"src/new/a.asc", "src/new/sub/b.asc"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    const BatchPlan plan = plan_conversion(s, text_request("*.txt", c.recursive, c.folder));
    EXPECT_EQ(plan.output_dir, c.output_dir);
    EXPECT_EQ(summary_folder(plan), c.output_dir.empty() ? root + "src/" : c.output_dir);
    const BatchOutcome out = run_plan(plan, nullptr, {});
    EXPECT_EQ(out.results.size(), c.targets.size());
    for (const std::string& t : c.targets) {
      EXPECT_TRUE(exists(root + t)) << t;
      std::remove((root + t).c_str());
    }
    EXPECT_EQ(output_directory(), "");
  }
  setenv("HOME", (root + "out").c_str(), 1);
  EXPECT_EQ(plan_conversion(s, text_request("*", false, "~/x")).output_dir, root + "out/x");
}

// Stop read before each file: set while file j is begun, the batch ends with
// j results, every target whole, and the rest counted as not started.
TEST_F(BatchRunTest, StopAtEachPointOfABatch) {
  use_copy_handlers();
  make_dirs("sub");
  const std::vector<std::string> names = {"a.txt", "b.txt", "c.txt", "sub/d.txt", "sub/e.txt"};
  for (const std::string& n : names) write_file(n, n);
  for (const bool selected : {false, true}) {
    for (std::size_t j = 0; j <= names.size(); ++j) {
      SCOPED_TRACE(::testing::Message() << (selected ? "selected" : "mask") << " stop at " << j);
      init_dialog(s);
      if (selected) s.file_selected.assign(s.files.size(), true);  // a, b, c
      const std::size_t total = selected ? 3 : names.size();
      const BatchPlan plan = plan_conversion(s, text_request("*.txt", true));
      EXPECT_EQ(count_planned_files(plan), total);
      std::atomic<bool> stop{j == 0};
      std::vector<std::string> seen;
      const BatchOutcome out = run_plan(plan, &stop, [&](const BatchProgress& p) {
        seen.push_back(progress_text(p));
        if (p.started == j) stop = true;
      });
      const std::size_t tried = std::min(j, total);
      EXPECT_EQ(out.results.size(), tried);
      EXPECT_EQ(out.stopped, j <= total);
      EXPECT_EQ(out.not_started, total - tried);
      ASSERT_EQ(seen.size(), tried);
      if (tried > 0) {
        EXPECT_EQ(seen[0], "1 of " + std::to_string(total) + ": a.txt");
      }
      if (tried > 3) {
        EXPECT_EQ(seen[3], "4 of 5: sub/d.txt");
      }
      for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string target = names[i].substr(0, names[i].size() - 4) + ".asc";
        EXPECT_EQ(exists(target), i < tried) << target;
        if (i < tried) {
          EXPECT_EQ(read_file(target), names[i]);
        }
        std::remove(target.c_str());
      }
      EXPECT_EQ(testing::dir_names(dir.path()), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "sub"}));
      if (j == 2) {
        EXPECT_TRUE(batch_summary(out).starts_with("Stopped. 2 converted, 0 failed, 0 skipped, " +
                                                   std::to_string(total - 2) + " not started.\n\n2 files converted:"))
            << batch_summary(out);
      }
    }
  }
}

TEST(BatchSummary, CountsThenEachKindOfFile) {
  auto result = [](std::string source, ConversionStatus status, std::string target = "", std::string warning = "") {
    ConversionResult r;
    r.source = std::move(source);
    r.status = status;
    r.target = std::move(target);
    r.warning = std::move(warning);
    return r;
  };
  BatchOutcome out;
  out.results = {result("a.mw", ConversionStatus::Ok, "a.asc"),
                 result("b.mw", ConversionStatus::ReaderFailed),
                 result("c.bin", ConversionStatus::NotOurFormat),
                 result("d.mw", ConversionStatus::Ok, "d.asc", "looks like MacWrite 4.6")};
  EXPECT_EQ(batch_summary(out),
            "2 converted, 1 failed, 1 skipped, 0 not started.\n\n"
            "1 file failed:\nb.mw: " + out.results[1].message() + "\n\n"
            "1 file skipped:\nc.bin: " + out.results[2].message() + "\n\n"
            "1 file converted, but looks like another format:\nd.mw: looks like MacWrite 4.6\n\n"
            "2 files converted:\na.mw: a.asc\nd.mw: d.asc");
  out.results = {result("a/x.mw", ConversionStatus::Ok, "/out/a/x.asc")};
  out.output_dir = "/out";
  EXPECT_TRUE(batch_summary(out).ends_with("\n1 file converted:\na/x.mw: a/x.asc")) << batch_summary(out);
  out.output_dir.clear();
  out.results.assign(25, result("x.mw", ConversionStatus::Ok, "x.asc"));
  out.stopped = true;
  out.not_started = 7;
  const std::string many = batch_summary(out);
  EXPECT_TRUE(many.starts_with("Stopped. 25 converted, 0 failed, 0 skipped, 7 not started.\n\n25 files converted:\n"));
  EXPECT_TRUE(many.ends_with("x.mw: x.asc\nand 5 more"));
  EXPECT_EQ(progress_text({3, 2, "a/b"}), "3 of 3: a/b");
  EXPECT_EQ(progress_text({0, 0, ""}), "0 of 0");
}

}  // namespace
}  // namespace lettrix
