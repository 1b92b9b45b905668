#include "support/platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::ScratchDir;

TEST(WildcardMatch, WindowsPatternMeaning) {
  EXPECT_TRUE(wildcard_match("*.*", "README"));
  EXPECT_TRUE(wildcard_match("*.*", "a.b.c"));
  EXPECT_TRUE(wildcard_match("*", ".profile"));
  EXPECT_TRUE(wildcard_match("*.MW", "letter.mw"));
  EXPECT_TRUE(wildcard_match("let?er.*", "LETTER"));
  EXPECT_TRUE(wildcard_match("a*b*c", "aXXbYYc"));
  EXPECT_FALSE(wildcard_match("a*b*c", "aXXbYY"));
  EXPECT_FALSE(wildcard_match("*.mw", "letter.mwx"));
  EXPECT_FALSE(wildcard_match("?", "ab"));
  EXPECT_TRUE(wildcard_match("report.mw", "REPORT.MW"));
}

TEST(DirectorySearch, SkipsDirectoriesAndSortsIgnoringCase) {
  ScratchDir dir;
  testing::write_file(dir.file("b.txt"), "12");
  testing::write_file(dir.file("A.txt"), "1");
  std::filesystem::create_directory(dir.path() / "c.txt");
  std::filesystem::create_symlink(dir.file("b.txt"), dir.path() / "link.txt");
  std::filesystem::create_directory_symlink(dir.path() / "c.txt", dir.path() / "dlink.txt");
  auto hits = search_directory(dir.path().string(), "*.TXT");
  ASSERT_EQ(hits.size(), 5u);
  EXPECT_EQ(hits[0].name, "A.txt");
  EXPECT_EQ(hits[1].name, "b.txt");
  EXPECT_EQ(hits[1].size, 2u);
  EXPECT_TRUE(hits[2].is_directory);
  EXPECT_FALSE(hits[3].is_directory);  // a link to a directory is not entered
  EXPECT_FALSE(hits[3].is_regular);
  EXPECT_TRUE(hits[4].is_regular);      // a link to a file is a file
  EXPECT_TRUE(list_directory(dir.file("missing")).empty());
}

// Without sizes the kinds come from the directory itself where it gives
// them: the same kinds as with sizes, every size 0.
TEST(DirectorySearch, KindsAreTheSameWithoutSizes) {
  ScratchDir dir;
  testing::write_file(dir.file("file"), "123");
  std::filesystem::create_directory(dir.path() / "folder");
  std::filesystem::create_symlink(dir.file("file"), dir.path() / "to-file");
  std::filesystem::create_directory_symlink(dir.path() / "folder", dir.path() / "to-folder");
  std::filesystem::create_symlink(dir.file("nowhere"), dir.path() / "to-nothing");
  const auto with = list_directory(dir.path().string(), nullptr, true);
  const auto without = list_directory(dir.path().string(), nullptr, false);
  ASSERT_EQ(with.size(), 5u);
  ASSERT_EQ(without.size(), with.size());
  for (std::size_t i = 0; i < with.size(); ++i) {
    SCOPED_TRACE(with[i].name);
    EXPECT_EQ(without[i].name, with[i].name);
    EXPECT_EQ(without[i].is_directory, with[i].is_directory);
    EXPECT_EQ(without[i].is_regular, with[i].is_regular);
    EXPECT_EQ(without[i].size, 0u);
  }
  EXPECT_EQ(with[0].size, 3u);
  const auto hits = search_directory(dir.path().string(), "to-*", false);
  ASSERT_EQ(hits.size(), 3u);
  EXPECT_TRUE(hits[0].is_regular);  // a link to a file is a file
  EXPECT_FALSE(hits[1].is_directory || hits[1].is_regular);
  EXPECT_FALSE(hits[2].is_directory || hits[2].is_regular);
}

TEST(ExclusiveCreation, NeverTruncatesOrFollowsLinks) {
  ScratchDir dir;
  testing::write_file(dir.file("mine"), "keep");
  EXPECT_EQ(create_exclusive(dir.file("mine")), EEXIST);
  EXPECT_EQ(testing::read_file(dir.file("mine")), "keep");
  std::filesystem::create_symlink(dir.file("target"), dir.path() / "planted");
  EXPECT_EQ(create_exclusive(dir.file("planted")), EEXIST);
  EXPECT_FALSE(testing::exists(dir.file("target")));
  EXPECT_EQ(create_exclusive(dir.file("new")), 0);
  EXPECT_EQ(testing::read_file(dir.file("new")), "");
}

TEST(TempFiles, PrivateFileInTheTemporaryDirectory) {
  std::string path;
  ASSERT_TRUE(create_temp_file("TXV", path));
  EXPECT_EQ(path.rfind(temp_directory() + "/TXV", 0), 0u);
  EXPECT_TRUE(testing::exists(path));
  std::filesystem::remove(path);
}

TEST(WorkingDirectory, GuardReturnsToWhereItStarted) {
  ScratchDir dir;
  std::string before = current_directory();
  {
    WorkingDirectoryGuard guard;
    ASSERT_TRUE(change_directory_to(dir.path().string()));
    EXPECT_NE(current_directory(), before);
  }
  EXPECT_EQ(current_directory(), before);
}

}  // namespace
}  // namespace lettrix
