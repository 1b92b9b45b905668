// Files named when the dialog starts, and files and folders dropped on it.
#include "ui/logic/open_files.h"

#include <gtest/gtest.h>

#include "core/driver_state.h"
#include "ui/dialog_test_util.h"
#include "ui/logic/batch_run.h"

namespace lettrix {
namespace {

using testing::exists;
using testing::make_dirs;
using testing::read_file;
using testing::ScratchDir;
using testing::write_file;

using testing::copy_handler;

TEST(OpenFiles, FirstFilesFolderWithItsFilesSelected) {
  ScratchDir dir{true};
  make_dirs("letters/old");
  make_dirs("other");
  for (const char* f : {"letters/a.mw", "letters/b c.mw", "letters/d.mw", "other/x.mw"}) write_file(f, "x");
  const std::string root = std::filesystem::canonical(dir.path()).string();
  const std::string here = root + "/";
  struct Case {
    std::vector<std::string> args;
    std::string folder;
    std::vector<std::string> names;
  } cases[] = {
      {{}, "", {}},
      {{"letters/a.mw", "letters/b c.mw", "other/x.mw", "letters/a.mw"}, root + "/letters", {"a.mw", "b c.mw"}},
      {{"-platform", "missing.mw", root + "/letters/d.mw"}, root + "/letters", {"d.mw"}},
      {{"letters/old/"}, root + "/letters/old", {}},
      {{"file://" + root + "/letters/b%20c.mw", "file://" + root + "/letters/%zz"}, root + "/letters", {"b c.mw"}},
  };
  for (const Case& c : cases) {
    const OpenTarget open = files_to_open(c.args, here);
    EXPECT_EQ(open.folder, c.folder) << c.args.size();
    EXPECT_EQ(open.names, c.names) << c.args.size();
  }

  ASSERT_EQ(chdir("letters"), 0);
  DialogState s = testing::make_state(dir.path());
  init_dialog(s);
  EXPECT_EQ(select_files(s, {"b c.mw", "d.mw", "gone.mw"}), 2u);
  EXPECT_EQ(s.file_selected, (std::vector<bool>{false, true, true}));
  EXPECT_EQ(s.counted_files, 2u);
}

TEST(DroppedFiles, PlannedWithTheChosenFormatsAndConverted) {
  ScratchDir dir{true};
  make_dirs("box/inner");
  write_file("one.txt", "1");
  write_file("box/two.txt", "2");
  write_file("box/inner/three.txt", "3");
  const std::string root = std::filesystem::canonical(dir.path()).string();
  DialogState s = testing::make_state(dir.path());
  init_dialog(s);
  s.format_chooser = [](int source_row, int target_row) {
    choose_formats(source_row, target_row);
    set_chosen_handlers(copy_handler, copy_handler);
  };
  for (const bool recursive : {false, true}) {
    SCOPED_TRACE(recursive);
    const BatchPlan plan = plan_drop(s, {"Mac Text Only", "Ansi (Windows)", "*.mw", recursive, ""},
                                     {root + "/one.txt", root + "/box", root + "/missing", "relative.txt"});
    EXPECT_EQ(plan.files, std::vector<std::string>{root + "/one.txt"});
    EXPECT_EQ(plan.folders, std::vector<std::string>{root + "/box"});
    const std::size_t n = count_planned_files(plan);
    EXPECT_EQ(n, recursive ? 3u : 2u);
    EXPECT_EQ(drop_question(n, "OpenDocument Text"),
              recursive ? "Convert 3 files to OpenDocument Text?" : "Convert 2 files to OpenDocument Text?");
    const BatchOutcome out = run_plan(plan, nullptr, {});
    ASSERT_EQ(out.results.size(), n);
    EXPECT_EQ(out.results[1].source, root + "/box/two.txt");
    EXPECT_EQ(out.results[1].target, root + "/box/two.asc");
    EXPECT_TRUE(exists("one.asc") && exists("box/two.asc"));
    EXPECT_EQ(exists("box/inner/three.asc"), recursive);
    for (const char* t : {"one.asc", "box/two.asc", "box/inner/three.asc"}) std::remove(t);
  }
  EXPECT_EQ(drop_question(1, "RTF Ansi (Windows)"), "Convert 1 file to RTF Ansi (Windows)?");
}

}  // namespace
}  // namespace lettrix
