#include "support/paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/file_handle.h"
#include "support/platform.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::ScratchDir;
using testing::write_file;

std::string replaced(std::string path, const char* ext) { return replace_extension(path, ext); }

TEST(ReplaceExtension, CutsOnlyShortExtensionsOfTheLastComponent) {
  EXPECT_EQ(replaced("report.mw", "DOC"), "report.doc");
  EXPECT_EQ(replaced("notes", "###"), "notes.###");
  EXPECT_EQ(replaced("file.abcdef", "RTF"), "file.abcdef.rtf");
  EXPECT_EQ(replaced("report.mw", nullptr), "report.");
  EXPECT_EQ(replaced("a.abcd", "X"), "a.x");  // dot and four more: still an extension
  // The dot of a directory is not the file's extension.
  EXPECT_EQ(replaced("c:\\a.b\\c", "DOC"), "c:\\a.b\\c.doc");
  EXPECT_EQ(replaced("c:\\my.dir\\file", "DOC"), "c:\\my.dir\\file.doc");
  EXPECT_EQ(replaced("dir.x/file", "ASC"), "dir.x/file.asc");
  EXPECT_EQ(replaced("dir/file.TXT", "Rtf"), "dir/file.rtf");
}

TEST(UniqueName, DigitsAreBase32MostSignificantFirst) {
  EXPECT_EQ(unique_digits(1), "001");
  EXPECT_EQ(unique_digits(32), "010");
  EXPECT_EQ(unique_digits(1023), "0VV");
  EXPECT_EQ(unique_digits(32768), "000");
}

TEST(UniqueName, CounterRunsOnAcrossCallsAndSkipsTakenNames) {
  ScratchDir dir;
  set_unique_name_counter(0);
  std::string report = dir.file("report.doc");
  std::string a = report;
  ASSERT_TRUE(make_unique_name(a, "DOC"));
  EXPECT_EQ(a, dir.file("report.001.DOC"));
  write_file(a, "x");
  std::string b = report;
  ASSERT_TRUE(make_unique_name(b, "DOC"));
  EXPECT_EQ(b, dir.file("report.002.DOC"));
  std::string memo = dir.file("memo.doc");
  ASSERT_TRUE(make_unique_name(memo, "DOC"));
  EXPECT_EQ(memo, dir.file("memo.003.DOC"));  // not reused although memo.001.DOC is free
  std::string dotted = dir.file("x.rtf");
  ASSERT_TRUE(make_unique_name(dotted, ".RTF"));
  EXPECT_EQ(dotted, dir.file("x.004.RTF"));
}

TEST(UniqueName, GivesUpWhenEveryNameIsTaken) {
  ScratchDir dir;
  // Take all 32768 digit groups of one base name.
  for (int v = 0; v < 32768; ++v) {
    std::string d = unique_digits(v);
    for (char& c : d) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    FilePtr f = open_file(dir.file("full." + d + ".ASC"), "wb");
    ASSERT_TRUE(f);
  }
  set_unique_name_counter(0);
  std::string path = dir.file("full.asc");
  EXPECT_FALSE(make_unique_name(path, "ASC"));
  EXPECT_EQ(path, dir.file("full.asc"));
}

TEST(RegularFileExists, OnlyExistingNonDirectories) {
  ScratchDir dir;
  write_file(dir.file("a.doc"), "x");
  std::filesystem::create_directory(dir.path() / "x.doc");
  EXPECT_EQ(regular_file_exists(dir.file("a.doc")), 1);
  EXPECT_EQ(regular_file_exists(dir.file("*.doc")), 0);
  EXPECT_EQ(regular_file_exists(dir.file("?.doc")), 0);
  EXPECT_EQ(regular_file_exists(dir.file("x.doc")), 0);
  EXPECT_EQ(regular_file_exists(dir.file("missing")), 0);
  std::filesystem::create_symlink(dir.file("nowhere"), dir.path() / "dangling.asc");
  EXPECT_EQ(regular_file_exists(dir.file("dangling.asc")), 1);  // the name is taken all the same
}

TEST(StripLineEnd, RemovesTrailingCrAndLf) {
  std::string a = "name.mw\r\n", b = "\r\n", c = "", d = "x\n\r\n";
  EXPECT_EQ(strip_line_end(a), "name.mw");
  EXPECT_EQ(strip_line_end(b), "");
  EXPECT_EQ(strip_line_end(c), "");
  EXPECT_EQ(strip_line_end(d), "x");
}

TEST(ExpandSelection, ListsMatchingRegularFilesWithTheDirectoryPart) {
  ScratchDir dir(true);
  std::filesystem::create_directory("docs");
  write_file("docs/a.mw", "1");
  write_file("docs/B.MW", "2");
  write_file("docs/.hidden.mw", "3");
  write_file("docs/c.txt", "4");
  std::filesystem::create_directory("docs/sub.mw");
  write_file("top.mw", "5");
  std::string list = dir.file("list");

  FilePtr f(expand_selection("docs/*.mw", list));
  ASSERT_TRUE(f);
  f.reset();
  EXPECT_EQ(testing::read_file(list), "docs/.hidden.mw\r\ndocs/a.mw\r\ndocs/B.MW\r\n");

  f.reset(expand_selection("*.mw", list));
  f.reset();
  EXPECT_EQ(testing::read_file(list), "top.mw\r\n");

  f.reset(expand_selection("docs\\A.MW", list));  // one named file, case ignored, other separator
  f.reset();
  EXPECT_EQ(testing::read_file(list), "docs/a.mw\r\n");

  f.reset(expand_selection("*.none", list));
  ASSERT_TRUE(f);
  EXPECT_EQ(std::fgetc(f.get()), EOF);

  // A conversion's own files are never listed: other runs make and remove them at any time.
  for (const char* name : {"top.###", "top.rtf.part", "TXVa1B2c3"}) write_file(name, "6");
  f.reset(expand_selection("*", list));
  f.reset();
  EXPECT_EQ(testing::read_file(list), "list\r\ntop.mw\r\n");
}

TEST(ConverterFileNames, AreTheStreamsUnfinishedTargetsAndListsOfARun) {
  for (const char* name : {"letter.###", "letter.3.###", ".###", "letter.rtf.part", "letter.rtf.12.part",
                           "letter.00A.rtf.part", "TXVabc123", "lettrix-work-Zz09aa"})
    EXPECT_TRUE(is_converter_file_name(name)) << name;
  // Documents that only look alike: a download's ".part" without the target's
  // extension, a dot that starts the name, a list name of another length.
  for (const char* name : {"letter", "letter.part", ".rtf.part", "letter.rtf.part.mw", "letter.rtf.12345.part",
                           "letter.toolong.part", "letter.r-f.part", "TXV12345", "TXVabc1234", "TXVabc12_",
                           "lettrix-work-", "letter.##", "notes.txv"})
    EXPECT_FALSE(is_converter_file_name(name)) << name;
}

}  // namespace
}  // namespace lettrix
