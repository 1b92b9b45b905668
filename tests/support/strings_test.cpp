#include "support/strings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;
using testing::ScratchDir;
using testing::write_file;

TEST(Latin1Case, MapsAsciiAndAccentedLettersOnly) {
  std::string dir = "[letters]";
  EXPECT_EQ(upper_latin1(dir), "[LETTERS]");
  std::string path = "C:\\DATA\\";
  EXPECT_EQ(lower_latin1(path), "c:\\data\\");

  // The multiplication and division signs sit among the letters and move too;
  // y with diaeresis and sharp s have no partner in the other case and stay.
  std::string up = bytes({0xE0, 0xE9, 0xF7, 0xFE, 0xFF, 0xDF, 0x7B, 0x40, 0x5B});
  EXPECT_EQ(upper_latin1(up), bytes({0xC0, 0xC9, 0xD7, 0xDE, 0xFF, 0xDF, 0x7B, 0x40, 0x5B}));
  std::string low = bytes({0xC0, 0xC9, 0xD7, 0xDE, 0xDF, 0xFF, 0x40, 0x5B, 0x60});
  EXPECT_EQ(lower_latin1(low), bytes({0xE0, 0xE9, 0xF7, 0xFE, 0xDF, 0xFF, 0x40, 0x5B, 0x60}));

  // Every byte: upper then lower gives back each lower-case letter.
  for (int c = 0; c < 256; ++c) {
    std::string s(1, static_cast<char>(c));
    upper_latin1(s);
    unsigned char u = static_cast<unsigned char>(s[0]);
    bool lower_letter = (c >= 0x61 && c <= 0x7A) || (c >= 0xE0 && c <= 0xFE);
    EXPECT_EQ(u, lower_letter ? c - 0x20 : c) << "byte " << c;
  }
}

TEST(TranslateBytes, MapsUpToTheTerminatorInPlace) {
  ByteTable table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
  table['a'] = 'A';
  table['b'] = 0;  // a byte mapped to 0 ends the string
  std::string s = "xaya";
  translate_bytes(s, s, table);
  EXPECT_EQ(s, "xAyA");

  std::string dest = "old";
  translate_bytes(dest, "aab", table);
  EXPECT_EQ(dest, "AA");
  translate_bytes(dest, std::string_view("a\0a", 3), table);
  EXPECT_EQ(dest, "A");
  translate_bytes(dest, "", table);
  EXPECT_EQ(dest, "");
}

TEST(CharInSet, NulIsNeverInASet) {
  EXPECT_EQ(char_in_set('b', "abc"), 1);
  EXPECT_EQ(char_in_set('d', "abc"), 0);
  EXPECT_EQ(char_in_set('a', ""), 0);
  EXPECT_EQ(char_in_set('\0', ""), 0);
  EXPECT_EQ(char_in_set('\0', std::string_view("a\0b", 3)), 0);
  EXPECT_EQ(char_in_set('b', std::string_view("a\0b", 3)), 0);  // the set ends at its NUL
  std::string s = "ab";
  EXPECT_EQ(append_char(s, 'c'), "abc");
}

TEST(ShortenPath, KeepsLeadingDirectoriesAndTheName) {
  std::string dir = "c:\\projects\\clients\\letters and memos\\archive 1994\\macintosh\\";
  ASSERT_EQ(dir.size(), 61u);
  EXPECT_EQ(shorten_path(dir, 60), "c:\\projects\\clients\\letters and memos\\archive 1994\\...\\");
  EXPECT_EQ(dir.size(), 55u);

  std::string file = "c:\\projects\\clients\\letters and memos\\archive 1994\\macintosh\\report.mw";
  EXPECT_EQ(shorten_path(file, 60), "c:\\projects\\clients\\letters and memos\\...\\report.mw");

  // Forward slashes count as separators too, and the ellipsis uses the path's own.
  std::string unix_dir = "/home/someone/projects/clients/letters and memos/archive 1994/";
  std::string shown = unix_dir;
  shorten_path(shown, 40);
  EXPECT_EQ(shown, "/home/someone/projects/clients/.../");
  EXPECT_LE(shown.size(), 39u);

  std::string short_one = "/tmp/a.txt";
  EXPECT_EQ(shorten_path(short_one, 60), "/tmp/a.txt");
  std::string exact(60, 'x');
  exact[10] = '/';
  std::string same = exact;
  EXPECT_EQ(shorten_path(same, 60), exact);
}

TEST(ShortenPath, LongNamesStayWithinTheMaximum) {
  // A name longer than the maximum: its start and "...".
  std::string huge = "/d/" + std::string(70, 'n');
  shorten_path(huge, 60);
  EXPECT_EQ(huge, std::string(57, 'n') + "...");

  // Names that leave no room for a directory (max - 5 < n <= max): the result
  // still fits in max - 1 characters and ends with the name as far as it fits.
  for (std::size_t n = 54; n <= 60; ++n) {
    std::string name;
    for (std::size_t i = 0; i < n; ++i) name += static_cast<char>('a' + i % 26);
    std::string path = "/some/directory/" + name;
    std::string shown = path;
    shorten_path(shown, 60);
    EXPECT_LE(shown.size(), 59u) << "n=" << n;
    EXPECT_EQ(shown.substr(0, 4), n == 54 ? "/..." : ".../") << "n=" << n << " " << shown;
    std::string tail = shown.substr(shown.size() - 20);
    EXPECT_EQ(tail, name.substr(n - 20)) << "n=" << n;
  }
  // keep == 0 exactly (n = max - 5): no directory text, max - 1 characters.
  std::string p = "/abcd/" + std::string(55, 'z');
  shorten_path(p, 60);
  EXPECT_EQ(p, ".../" + std::string(55, 'z'));

  // Tiny maximums never write outside the string.
  for (std::size_t max = 0; max < 8; ++max) {
    std::string q = "/a/bcdef";
    shorten_path(q, max);
    EXPECT_LE(q.size(), max) << "max=" << max;
  }
}

TEST(OpenRetryWritable, RestoresPermissionsWhenTheRetryFails) {
  ScratchDir dir;
  const std::string f = dir.file("locked.txt");
  write_file(f, "data");
  ASSERT_EQ(chmod(f.c_str(), 0444), 0);

  // O_DIRECTORY never opens a regular file, whatever its permissions.
  EXPECT_EQ(open_retry_writable(f.c_str(), O_RDONLY | O_DIRECTORY), -1);
  struct stat st {};
  ASSERT_EQ(stat(f.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);

  int fd = open_retry_writable(f.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  close(fd);
  EXPECT_EQ(open_retry_writable(dir.file("missing").c_str(), O_RDONLY), -1);
  EXPECT_FALSE(testing::exists(dir.file("missing")));

  if (geteuid() != 0) {
    // An unreadable file opens after its permissions are widened.
    ASSERT_EQ(chmod(f.c_str(), 0000), 0);
    fd = open_retry_writable(f.c_str(), O_RDONLY);
    EXPECT_GE(fd, 0);
    if (fd >= 0) close(fd);
    ASSERT_EQ(stat(f.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0600, 0600u);
  }
}

}  // namespace
}  // namespace lettrix
