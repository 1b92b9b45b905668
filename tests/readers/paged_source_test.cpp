#include "readers/paged_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/char_output.h"
#include "readers/plain_bytes.h"
#include "test_util.h"

namespace lettrix {
namespace {

constexpr std::size_t kPage = PagedSource::kPageSize;

// Bytes that differ from one offset to the next, with tags placed where
// blocks meet.
std::string document(std::size_t size) {
  std::string doc(size, '\0');
  for (std::size_t i = 0; i < size; ++i) doc[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  const auto place = [&](std::size_t at) {
    if (at < size && size - at >= 4) doc.replace(at, 4, "DSET");
  };
  for (std::size_t at : {std::size_t{0}, std::size_t{100}, kPage - 4, kPage - 3, 2 * kPage - 2, 2 * kPage - 1,
                         3 * kPage, size - 4})
    place(at);
  return doc;
}

// The document behind a header of `base` bytes in a temporary stream.
std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream_with(const std::string& doc, std::size_t base) {
  return testing::memory_stream(std::string(base, 'H') + doc);
}

TEST(PagedSource, BytesAndNumbersAsInTheFile) {
  const std::size_t size = 11 * kPage + 123;  // more blocks than are kept
  const std::string doc = document(size);
  auto file = stream_with(doc, 128);
  PagedSource source(file.get(), 128, size);
  const std::size_t offsets[] = {0, 1, kPage - 3, kPage - 1, kPage, 5 * kPage + 17, 10 * kPage - 2, size - 4,
                                 size - 1, 3 * kPage, 0, 7 * kPage + 9, kPage - 2};
  for (std::size_t at : offsets) {
    const auto v = source.view(at);
    ASSERT_FALSE(v.empty()) << at;
    EXPECT_EQ(v.size(), std::min(kPage - at % kPage, size - at)) << at;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(v.data()), v.size()), doc.substr(at, v.size())) << at;
    for (std::size_t n : {1u, 2u, 4u, 9u}) {
      std::uint8_t got[9] = {};
      const bool fits = at + n <= size;
      EXPECT_EQ(source.read(at, got, n), fits) << at << " " << n;
      if (fits) {
        EXPECT_EQ(std::string(reinterpret_cast<char*>(got), n), doc.substr(at, n)) << at << " " << n;
      }
    }
    std::uint16_t w = 0;
    std::uint32_t l = 0;
    EXPECT_EQ(source.be16(at, w), at + 2 <= size);
    EXPECT_EQ(source.be32(at, l), at + 4 <= size);
    if (at + 4 <= size) {
      const auto byte = [&](std::size_t k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(doc[at + k])); };
      EXPECT_EQ(w, byte(0) << 8 | byte(1)) << at;
      EXPECT_EQ(l, byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3)) << at;
    }
  }
  EXPECT_TRUE(source.view(size).empty());
  EXPECT_TRUE(source.view(size + kPage).empty());
  std::uint8_t b = 0;
  EXPECT_FALSE(source.read(size, &b, 1));
  EXPECT_FALSE(source.read(SIZE_MAX, &b, 1));
  EXPECT_TRUE(source.read(size, &b, 0));
  EXPECT_FALSE(source.failed());
}

TEST(PagedSource, FindGivesEveryTagInOrder) {
  for (const std::size_t size : {std::size_t{3}, std::size_t{4}, std::size_t{5000}, 4 * kPage + 10}) {
    const std::string doc = document(size);
    auto file = stream_with(doc, 0);
    PagedSource source(file.get(), 0, size);
    for (const std::string tag : {"DSET", "D", "cdef", "zz", "DSETD", "nope"}) {
      const std::span<const std::uint8_t> t(reinterpret_cast<const std::uint8_t*>(tag.data()), tag.size());
      std::size_t from = 0;
      for (int hits = 0; hits < 200000; ++hits) {
        const std::size_t expected = doc.find(tag, from);
        const std::size_t got = source.find(from, t);
        ASSERT_EQ(got, expected == std::string::npos ? size : expected) << size << " " << tag << " " << from;
        if (got == size) break;
        from = got + 1;
      }
    }
    const std::uint8_t tag[] = {'D', 'S', 'E', 'T'};
    EXPECT_EQ(source.find(size, tag), size);
    EXPECT_EQ(source.find(size + 100, tag), size);
    EXPECT_EQ(source.find(0, std::span<const std::uint8_t>()), size);
  }
}

TEST(PagedSource, UnreadableBlocksAreReported) {
  // The file holds fewer bytes than the document is said to have.
  const std::string doc = document(2 * kPage);
  auto file = stream_with(doc, 0);
  PagedSource source(file.get(), 0, 3 * kPage);
  EXPECT_FALSE(source.view(kPage + 5).empty());
  EXPECT_FALSE(source.failed());
  EXPECT_TRUE(source.view(2 * kPage + 5).empty());
  EXPECT_TRUE(source.failed());
  std::uint8_t b[4];
  EXPECT_FALSE(source.read(2 * kPage, b, sizeof b));
  const std::uint8_t tag[] = {'x', 'y', 'z', 'w'};
  EXPECT_EQ(source.find(0, tag), 3 * kPage);
}

TEST(PlainByteTables, PlainBytesAreWhatTheTableWrites) {
  std::array<bool, 256> structure{};
  structure[0x00] = structure[0x0D] = structure[0x41] = true;
  PlainByteTables tables(structure);
  for (const ReaderTable* table : {&kMacintoshTable, &kSymbolTable, &kDingbatTable, &kMacintoshTable}) {
    const std::uint8_t* plain = tables.bytes(*table);
    EXPECT_EQ(plain, tables.bytes(*table));  // kept, not worked out again
    for (int b = 0; b < 256; ++b) {
      const auto byte = static_cast<std::uint8_t>(b);
      if (structure[byte]) {
        EXPECT_EQ(plain[b], 0) << b;
        continue;
      }
      std::FILE* out = std::tmpfile();
      ASSERT_NE(out, nullptr);
      write_source_char(out, *table, byte);
      const std::string written = testing::stream_contents(out);
      std::fclose(out);
      if (plain[b] != 0) EXPECT_EQ(written, std::string(1, static_cast<char>(plain[b]))) << b;
      else EXPECT_TRUE(written.size() != 1 || written[0] == 0) << b << " writes one plain byte";
    }
  }
}

}  // namespace
}  // namespace lettrix
