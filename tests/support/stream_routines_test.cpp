#include "support/stream_routines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/file_handle.h"
#include "test_util.h"

namespace lettrix {
namespace {

FilePtr stream_of(const std::string& content) { return FilePtr(testing::memory_stream(content).release()); }
std::string contents(std::FILE* f) { return testing::stream_contents(f); }

std::string pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return s;
}

TEST(KeywordSearch, OverlappingCandidates) {
  FilePtr f = stream_of("xxxy-tail");
  EXPECT_EQ(find_keyword(f.get(), "xxy"), 1);
  EXPECT_EQ(std::ftell(f.get()), 1);

  std::rewind(f.get());
  EXPECT_EQ(skip_to_keyword(f.get(), "xxy"), 1);
  EXPECT_EQ(std::ftell(f.get()), 4);
  EXPECT_EQ(std::fgetc(f.get()), '-');

  f = stream_of("aabaabaabac");
  EXPECT_EQ(find_keyword(f.get(), "aabac"), 6);
}

TEST(KeywordSearch, MatchAtTheStartAndNoMatch) {
  FilePtr f = stream_of("\\\x7Frest");
  EXPECT_EQ(find_keyword(f.get(), "\\\x7F"), 0);
  EXPECT_EQ(std::ftell(f.get()), 0);
  EXPECT_EQ(skip_to_keyword(f.get(), "\\\x7F"), 0);
  EXPECT_EQ(std::ftell(f.get()), 2);

  // Not found: 0 and -1, each with the stream at its end.
  f = stream_of("abcabc");
  EXPECT_EQ(find_keyword(f.get(), "z"), 0);
  EXPECT_EQ(std::fgetc(f.get()), EOF);
  std::rewind(f.get());
  EXPECT_EQ(skip_to_keyword(f.get(), "z"), -1);
  EXPECT_EQ(std::fgetc(f.get()), EOF);
  // A match needs every byte of the key.
  std::rewind(f.get());
  EXPECT_EQ(skip_to_keyword(f.get(), "bcd"), -1);
  std::rewind(f.get());
  EXPECT_EQ(locate_keyword(f.get(), "abcabcx"), -1);
}

TEST(KeywordSearch, FirstByteExactRestWithoutCase) {
  FilePtr f = stream_of("font FONT Font");
  EXPECT_EQ(find_keyword(f.get(), "Font"), 5);
  std::fseek(f.get(), 6, SEEK_SET);
  EXPECT_EQ(find_keyword(f.get(), "FONT"), 10);
  std::rewind(f.get());
  EXPECT_EQ(find_keyword(f.get(), "fONT"), 0);
  std::fseek(f.get(), 1, SEEK_SET);
  EXPECT_EQ(find_keyword(f.get(), "fONT"), 0);  // not found after offset 0
  EXPECT_EQ(std::fgetc(f.get()), EOF);

  // skip_to_keyword counts from where the search started.
  std::fseek(f.get(), 3, SEEK_SET);
  EXPECT_EQ(skip_to_keyword(f.get(), "Fo"), 2);
  EXPECT_EQ(std::ftell(f.get()), 7);
  EXPECT_EQ(skip_to_keyword(f.get(), "fo"), -1);

  // Keys outside 1 to 255 bytes are never found.
  f = stream_of(std::string(300, 'a'));
  EXPECT_EQ(locate_keyword(f.get(), ""), -1);
  EXPECT_EQ(locate_keyword(f.get(), std::string(256, 'a')), -1);
  EXPECT_EQ(skip_to_keyword(f.get(), ""), -1);
  EXPECT_EQ(skip_to_keyword(f.get(), nullptr), -1);
  EXPECT_EQ(locate_keyword(f.get(), std::string(255, 'A').replace(0, 1, "a")), 0);
}

#ifdef __GLIBC__
// An unbuffered output stream that records the size of every write it gets.
ssize_t record_write(void* cookie, const char*, size_t size) {
  static_cast<std::vector<std::size_t>*>(cookie)->push_back(size);
  return static_cast<ssize_t>(size);
}

TEST(StreamCopy, RunsGoInChunksOf40960) {
  FilePtr src = stream_of(pattern(100000));
  std::vector<std::size_t> writes;
  cookie_io_functions_t io{};
  io.write = record_write;
  FilePtr dst(fopencookie(&writes, "w", io));
  ASSERT_TRUE(dst);
  std::setvbuf(dst.get(), nullptr, _IONBF, 0);
  EXPECT_EQ(copy_stream_bytes(src.get(), dst.get(), 100000), 0);
  EXPECT_EQ(writes, (std::vector<std::size_t>{40960, 40960, 18080}));
}
#endif

TEST(StreamCopy, CopiesTheRunBetweenCurrentPositions) {
  const std::string source = pattern(100000);
  FilePtr src = stream_of(source);
  FilePtr dst(std::tmpfile());
  EXPECT_EQ(copy_stream_bytes(src.get(), dst.get(), 100000), 0);
  EXPECT_EQ(std::ftell(src.get()), 100000);
  EXPECT_EQ(std::ftell(dst.get()), 100000);
  EXPECT_EQ(contents(dst.get()), source);

  // From the middle of one file into the middle of another; both go on after the run.
  dst.reset(std::tmpfile());
  std::fputs("head", dst.get());
  std::fseek(src.get(), 10, SEEK_SET);
  EXPECT_EQ(std::fgetc(src.get()), static_cast<unsigned char>(source[10]));
  EXPECT_EQ(copy_stream_bytes(src.get(), dst.get(), 5), 0);
  EXPECT_EQ(std::fgetc(src.get()), static_cast<unsigned char>(source[16]));
  std::fputs("tail", dst.get());
  EXPECT_EQ(contents(dst.get()), "head" + source.substr(11, 5) + "tail");

  // Nothing to copy.
  dst.reset(std::tmpfile());
  EXPECT_EQ(copy_stream_bytes(src.get(), dst.get(), 0), 0);
  EXPECT_EQ(copy_stream_bytes(src.get(), dst.get(), -5), 0);
  EXPECT_EQ(contents(dst.get()), "");
}

TEST(StreamCopy, ShortSourceEndsTheCopyEarly) {
  const std::string source = pattern(150000);
  FilePtr src = stream_of(source);
  std::fseek(src.get(), 100000, SEEK_SET);
  FilePtr dst(std::tmpfile());
  EXPECT_EQ(copy_stream_bytes(src.get(), dst.get(), 100000), 0);
  EXPECT_EQ(std::ftell(dst.get()), 50000);
  EXPECT_EQ(contents(dst.get()), source.substr(100000));

  // A file copied into another after being written and rewound (a work file).
  FilePtr work(std::tmpfile());
  std::fputs("0123456789", work.get());
  std::rewind(work.get());
  FilePtr target(std::tmpfile());
  EXPECT_EQ(copy_stream_bytes(work.get(), target.get(), 10), 0);
  EXPECT_EQ(contents(target.get()), "0123456789");
}

}  // namespace
}  // namespace lettrix
