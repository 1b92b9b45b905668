#include "ui/logic/dialog_state.h"
#include "ui/logic/format_choice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <unistd.h>

#include "core/format_registry.h"
#include "support/platform.h"
#include "ui/dialog_test_util.h"

namespace lettrix {
namespace {

namespace fs = std::filesystem;
using testing::dialog_path;
using testing::make_dirs;
using testing::ScratchDir;
using testing::texts;
using testing::write_file;

class DialogStateTest : public ::testing::Test {
 protected:
  ScratchDir dir{true};
  DialogState s = testing::make_state(dir.path());
  std::string root = dialog_path(dir.path());

  int index_of(const std::vector<ListEntry>& list, const std::string& text) {
    for (std::size_t i = 0; i < list.size(); ++i)
      if (list[i].text == text) return static_cast<int>(i);
    return -1;
  }
};

TEST_F(DialogStateTest, InitialisationListsTheWorkingDirectory) {
  write_file("b.txt", "12345");
  write_file("A.mw", "1");
  write_file("c.DOC", "123");
  write_file(".hidden", "12");
  make_dirs("Sub Dir");
  make_dirs("alpha");
  init_dialog(s);

  EXPECT_EQ(s.current_path, root);
  EXPECT_EQ(s.path_display, root);  // shown in full at start
  EXPECT_EQ(s.selection_mask, "*.*");
  EXPECT_EQ(texts(s.files), (std::vector<std::string>{".hidden", "A.mw", "b.txt", "c.DOC"}));
  EXPECT_EQ(texts(s.directories), (std::vector<std::string>{"[..]", "[alpha]", "[Sub Dir]"}));
  EXPECT_EQ(s.counted_files, 4u);
  EXPECT_EQ(s.counted_length, 11u);
  ASSERT_FALSE(s.source_names.empty());
  ASSERT_FALSE(s.target_names.empty());
  ASSERT_GE(s.source_names.size(), 2u);
  EXPECT_EQ(s.source_names[0], "Automatic (by content)");  // then the formats, sorted
  EXPECT_EQ(s.source_names[1], "Claris/AppleWorks");
  EXPECT_TRUE(std::is_sorted(s.source_names.begin() + 1, s.source_names.end(), list_order_less));
  EXPECT_EQ(s.target_names.front(), "Ansi (Windows)");
  EXPECT_EQ(s.source_names.size(), registry_size(source_formats) + 1);
  EXPECT_EQ(s.target_names.size(), registry_size(target_formats));
  ASSERT_EQ(s.drive_table.size(), 2u);
  EXPECT_EQ(s.drive_table[0].text, "[/]");
}

TEST_F(DialogStateTest, EnterRefillsTheFilesListAndCounters) {
  write_file("one.txt", "aaaa");
  write_file("two.TXT", "bb");
  write_file("three.mw", "cccccc");
  make_dirs("sub");
  write_file("sub/inner.mw", "12345678");
  init_dialog(s);
  ASSERT_EQ(s.files.size(), 3u);

  apply_mask(s, "*.txt");
  EXPECT_EQ(s.selection_mask, "*.txt");
  EXPECT_EQ(texts(s.files), (std::vector<std::string>{"one.txt", "two.TXT"}));
  EXPECT_EQ(s.counted_files, 2u);
  EXPECT_EQ(s.counted_length, 6u);

  // A directory part lists that directory; the entries open from here.
  apply_mask(s, "sub/*.mw");
  EXPECT_EQ(texts(s.files), (std::vector<std::string>{"inner.mw"}));
  ASSERT_EQ(s.files.size(), 1u);
  EXPECT_EQ(s.files[0].name, "sub/inner.mw");
  EXPECT_EQ(s.counted_length, 8u);

  apply_mask(s, "*.nothing");
  EXPECT_TRUE(s.files.empty());
  EXPECT_EQ(s.counted_files, 0u);
  EXPECT_EQ(s.counted_length, 0u);
  // The directories do not depend on the mask.
  EXPECT_EQ(texts(s.directories), (std::vector<std::string>{"[..]", "[sub]"}));
}

TEST_F(DialogStateTest, CountersDescribeTheSelectionOrTheWholeList) {
  std::uint64_t all = 0;
  for (int i = 0; i < 300; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d", i);
    write_file(name, std::string(i % 7 + 1, 'x'));
    all += i % 7 + 1;
  }
  init_dialog(s);
  ASSERT_EQ(s.files.size(), 300u);

  update_counters(s);
  EXPECT_EQ(s.counted_files, 300u);
  EXPECT_EQ(s.counted_length, all);

  s.file_selected[1] = s.file_selected[5] = s.file_selected[299] = true;
  update_counters(s);
  EXPECT_EQ(s.counted_files, 3u);
  EXPECT_EQ(s.counted_length, static_cast<std::uint64_t>(2 + 6 + (299 % 7 + 1)));

  // Every file selected: only the first 256 count.
  std::fill(s.file_selected.begin(), s.file_selected.end(), true);
  update_counters(s);
  std::uint64_t first256 = 0;
  for (int i = 0; i < 256; ++i) first256 += i % 7 + 1;
  EXPECT_EQ(s.counted_files, 256u);
  EXPECT_EQ(s.counted_length, first256);

  // A listed file that has gone still counts, with no length.
  fs::remove("f000");
  std::fill(s.file_selected.begin(), s.file_selected.end(), false);
  s.file_selected[0] = true;
  update_counters(s);
  EXPECT_EQ(s.counted_files, 1u);
  EXPECT_EQ(s.counted_length, 0u);
  s.file_selected[0] = false;
  update_counters(s);
  EXPECT_EQ(s.counted_files, 300u);
  EXPECT_EQ(s.counted_length, all - 1);
}

TEST_F(DialogStateTest, CountingNeverChangesPermissions) {
  write_file("locked", "secret");
  fs::permissions("locked", fs::perms::owner_write, fs::perm_options::replace);
  init_dialog(s);
  update_counters(s);
  EXPECT_EQ(s.counted_files, 1u);
  EXPECT_EQ(fs::status("locked").permissions() & fs::perms::all, fs::perms::owner_write);
  if (::geteuid() != 0) {
    EXPECT_EQ(s.counted_length, 0u);  // unreadable: no length (root reads anything)
  }
}

TEST_F(DialogStateTest, ParentEntryAndParentButtonDoTheSame) {
  make_dirs("a/b");
  write_file("a/in_a.txt", "x");
  ASSERT_TRUE(change_directory_to("a/b"));
  init_dialog(s);
  EXPECT_EQ(s.current_path, root + "a/b/");

  const int up = index_of(s.directories, "[..]");
  ASSERT_GE(up, 0);
  ASSERT_EQ(enter_directory_entry(s, static_cast<std::size_t>(up)), 0);
  const std::string via_list = s.current_path;
  const auto files_via_list = texts(s.files);
  const auto dirs_via_list = texts(s.directories);
  EXPECT_EQ(via_list, root + "a/");
  EXPECT_EQ(dialog_path(current_directory()), via_list);
  EXPECT_EQ(files_via_list, (std::vector<std::string>{"in_a.txt"}));

  ASSERT_EQ(enter_directory_entry(s, static_cast<std::size_t>(index_of(s.directories, "[b]"))), 0);
  EXPECT_EQ(s.current_path, root + "a/b/");
  go_to_parent(s);
  EXPECT_EQ(s.current_path, via_list);
  EXPECT_EQ(texts(s.files), files_via_list);
  EXPECT_EQ(texts(s.directories), dirs_via_list);
  EXPECT_EQ(dialog_path(current_directory()), via_list);

  // The root has no parent entry and stays where it is.
  ASSERT_EQ(change_directory(s, "/"), 0);
  refresh_lists(s);
  EXPECT_EQ(index_of(s.directories, "[..]"), -1);
  go_to_parent(s);
  EXPECT_EQ(s.current_path, "/");
  EXPECT_EQ(current_directory(), "/");
}

TEST_F(DialogStateTest, DirectoriesAreEnteredByTheirRealName) {
  make_dirs("Mixed Case");
  make_dirs("mixed case");  // a different directory on this file system
  write_file("Mixed Case/Upper.TXT", "1");
  write_file("mixed case/lower.txt", "2");
  init_dialog(s);
  EXPECT_EQ(texts(s.directories), (std::vector<std::string>{"[..]", "[Mixed Case]", "[mixed case]"}));

  ASSERT_EQ(enter_directory_entry(s, 1), 0);
  EXPECT_EQ(s.current_path, root + "Mixed Case/");
  EXPECT_EQ(texts(s.files), (std::vector<std::string>{"Upper.TXT"}));
  go_to_parent(s);
  ASSERT_EQ(enter_directory_entry(s, 2), 0);
  EXPECT_EQ(s.current_path, root + "mixed case/");
  EXPECT_EQ(texts(s.files), (std::vector<std::string>{"lower.txt"}));
}

TEST_F(DialogStateTest, ADirectoryThatCannotBeEnteredChangesNothing) {
  write_file("plain", "x");
  init_dialog(s);
  const std::string before = s.current_path;
  const std::string shown = s.path_display;
  EXPECT_EQ(change_directory(s, "missing"), -1);
  EXPECT_EQ(change_directory(s, "plain"), -1);
  EXPECT_EQ(change_directory(s, "/no/such/volume"), -1);
  EXPECT_EQ(change_directory(s, ""), -1);
  EXPECT_EQ(s.current_path, before);
  EXPECT_EQ(s.path_display, shown);
  EXPECT_EQ(dialog_path(current_directory()), before);
  EXPECT_EQ(enter_directory_entry(s, 99), -1);
  EXPECT_EQ(enter_drive_entry(s, 99), -1);
}

TEST_F(DialogStateTest, RootButtonGoesToTheRootOfTheVolume) {
  make_dirs("letters/old");
  write_file("top.txt", "t");
  ASSERT_TRUE(change_directory_to("letters/old"));
  init_dialog(s);
  go_to_volume_root(s);
  EXPECT_EQ(s.current_path, root);  // the scratch tree is a volume of the table
  EXPECT_EQ(s.path_display, root);
  EXPECT_EQ(dialog_path(current_directory()), root);
  EXPECT_EQ(texts(s.files), (std::vector<std::string>{"top.txt"}));

  // Outside every listed volume the root is "/".
  s.drive_table = {{"[/]", "/", true}};
  go_to_volume_root(s);
  EXPECT_EQ(s.current_path, "/");
  EXPECT_EQ(current_directory(), "/");
}

TEST_F(DialogStateTest, DrivesAreEnteredByTheirPath) {
  make_dirs("vol");
  init_dialog(s);
  ASSERT_EQ(change_directory(s, "vol"), 0);
  ASSERT_EQ(enter_drive_entry(s, 1), 0);
  EXPECT_EQ(s.current_path, root);
  ASSERT_EQ(enter_drive_entry(s, 0), 0);
  EXPECT_EQ(s.current_path, "/");
}

TEST_F(DialogStateTest, LongPathsAreShortenedOnlyForDisplay) {
  const std::string deep = "a rather long directory name/another long directory name/the last one";
  make_dirs(deep);
  init_dialog(s);
  for (const char* part : {"a rather long directory name", "another long directory name", "the last one"})
    ASSERT_EQ(change_directory(s, part), 0);
  const std::string full = root + deep + "/";
  ASSERT_GT(full.size(), 60u);
  EXPECT_EQ(s.current_path, full);
  EXPECT_LE(s.path_display.size(), 60u);
  EXPECT_EQ(s.path_display.substr(s.path_display.size() - 5), "/.../");
  EXPECT_EQ(s.path_display.find("the last one"), std::string::npos);
  EXPECT_EQ(full.compare(0, s.path_display.size() - 4, s.path_display, 0, s.path_display.size() - 4), 0);

  // Between 31 and 60 characters the path shows in full.
  const std::string mid = "/abcdefghij/abcdefghij/abcdefghij/abcdefghij/";
  EXPECT_EQ(displayed_path(mid), mid);
}

}  // namespace
}  // namespace lettrix
