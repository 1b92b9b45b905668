#include "core/source_view.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "builders/builder_common.h"
#include "builders/wrapper_builder.h"
#include "test_util.h"

namespace lettrix {
namespace {

using Bytes = std::span<const std::uint8_t>;
constexpr std::uint64_t kPage = SourceView::kPageSize;

Bytes as_bytes(const std::string& s) { return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()}; }
std::string as_string(Bytes b) { return {reinterpret_cast<const char*>(b.data()), b.size()}; }

// Bytes that differ from one offset to the next, with tags placed where
// blocks meet.
std::string document(std::size_t size) {
  std::string doc(size, '\0');
  for (std::size_t i = 0; i < size; ++i) doc[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  for (std::uint64_t at : {0ul, 100ul, kPage - 4, kPage - 3, 2 * kPage - 2, 2 * kPage - 1, 3 * kPage, size - 4ul})
    if (at < size && size - at >= 4) doc.replace(at, 4, "DSET");
  return doc;
}

// The fork of `doc` written behind a header of `base` bytes.
SourceFork fork_of(const testing::ScratchDir& dir, const std::string& doc, std::uint64_t base) {
  testing::write_file(dir.file("fork"), std::string(base, 'H') + doc);
  SourceFork fork = open_plain_fork(dir.file("fork"));
  fork.offset = base;
  fork.size = doc.size();
  return fork;
}

// Every read of a file-backed view (more blocks than it keeps, behind a
// header) answers as the same read of the bytes in memory and of the string.
TEST(SourceView, FileAndMemoryViewsAgree) {
  testing::ScratchDir dir;
  const std::size_t size = 11 * kPage + 123;
  const std::string doc = document(size);
  SourceView file(fork_of(dir, doc, 128));
  SourceView memory(as_bytes(doc));
  ASSERT_EQ(file.size(), size);
  std::mt19937_64 random(7);
  std::vector<std::uint64_t> offsets = {0, 1, kPage - 3, kPage - 1, kPage, 10 * kPage - 2, size - 4, size - 1, size,
                                        size + 1, UINT64_MAX};
  for (int i = 0; i < 400; ++i) offsets.push_back(random() % size);
  for (int i = 0; i < 200; ++i) offsets.push_back((1 + random() % 11) * kPage - 1 - random() % 8);  // at block edges
  for (std::uint64_t at : offsets) {
    const std::string expect_view = at < size ? doc.substr(at, kPage - at % kPage) : "";
    EXPECT_EQ(as_string(file.view(at)), expect_view) << at;
    EXPECT_EQ(as_string(memory.view(at)).substr(0, expect_view.size()), expect_view) << at;
    for (std::size_t n : {0ul, 1ul, 2ul, 4ul, 9ul, 70000ul}) {
      const bool fits = at <= size && n <= size - at;
      const std::string expect = fits ? doc.substr(at, n) : "";
      EXPECT_EQ(as_string(file.span(at, n)), expect) << at << " " << n;
      EXPECT_EQ(as_string(memory.span(at, n)), expect) << at << " " << n;
      const std::string up_to = at < size ? doc.substr(at, n) : "";
      EXPECT_EQ(as_string(file.span_up_to(at, n)), up_to) << at << " " << n;
      EXPECT_EQ(as_string(memory.span_up_to(at, n)), up_to) << at << " " << n;
      std::string copied(n, '\0');
      EXPECT_EQ(file.read(at, reinterpret_cast<std::uint8_t*>(copied.data()), n), fits) << at << " " << n;
      if (fits) {
        EXPECT_EQ(copied, expect) << at << " " << n;
      }
    }
    std::uint16_t w = 0, mw = 0;
    std::uint32_t l = 0, ml = 0;
    EXPECT_EQ(file.be16(at, w), at < size && size - at >= 2) << at;
    EXPECT_EQ(file.be32(at, l), at < size && size - at >= 4) << at;
    memory.be16(at, mw);
    memory.be32(at, ml);
    EXPECT_EQ(w, mw) << at;
    EXPECT_EQ(l, ml) << at;
    if (at < size && size - at >= 4) {
      EXPECT_EQ(l, std::uint32_t(std::uint8_t(doc[at])) << 24 | std::uint32_t(std::uint8_t(doc[at + 1])) << 16 |
                       std::uint32_t(std::uint8_t(doc[at + 2])) << 8 | std::uint8_t(doc[at + 3]))
          << at;
    }
  }
  EXPECT_FALSE(file.failed());
}

TEST(SourceView, FindGivesEveryTagInOrder) {
  testing::ScratchDir dir;
  for (const std::size_t size : {3ul, 4ul, 5000ul, 4 * kPage + 10}) {
    const std::string doc = document(size);
    SourceView file(fork_of(dir, doc, 0));
    SourceView memory(as_bytes(doc));
    for (const std::string tag : {"DSET", "D", "cdef", "zz", "DSETD", "nope", "abcdefghijklmnop"}) {
      std::uint64_t from = 0;
      for (int hits = 0; hits < 200000; ++hits) {
        const std::size_t expected = doc.find(tag, from);
        const std::uint64_t got = file.find(from, as_bytes(tag));
        ASSERT_EQ(got, expected == std::string::npos ? size : expected) << size << " " << tag << " " << from;
        ASSERT_EQ(memory.find(from, as_bytes(tag)), got) << size << " " << tag << " " << from;
        if (got == size) break;
        from = got + 1;
      }
    }
    EXPECT_EQ(file.find(size + 100, as_bytes("DSET")), size);
    EXPECT_EQ(file.find(0, Bytes()), size);
    EXPECT_EQ(file.find(0, as_bytes(std::string(17, 'a'))), size);  // longer than a tag may be
  }
}

TEST(SourceView, UnreadableBlocksAreReported) {
  testing::ScratchDir dir;
  SourceFork fork = fork_of(dir, document(2 * kPage), 0);
  fork.size = 3 * kPage;  // more than the file holds
  SourceView view(fork);
  EXPECT_FALSE(view.view(kPage + 5).empty());
  EXPECT_FALSE(view.failed());
  EXPECT_TRUE(view.view(2 * kPage + 5).empty());
  EXPECT_TRUE(view.failed());
  std::uint8_t b[4];
  EXPECT_FALSE(view.read(2 * kPage, b, sizeof b));
  EXPECT_EQ(view.find(0, as_bytes("xyzw")), 3 * kPage);
}

// A cursor's sticky error keeps the first read that did not fit: where it
// started and the end it needed, as the damage messages give it.
TEST(SourceCursor, FirstReadPastTheEndIsKept) {
  testing::ScratchDir dir;
  const std::string doc = document(kPage + 10);
  SourceView file(fork_of(dir, doc, 3));
  enum Op { U8, Be16, Be32, Bytes9, Skip5, SeekFar };
  struct Case {
    std::uint64_t start;
    std::vector<Op> ops;
    bool ok;
    std::uint64_t failed_at, needed;
    const char* message;
  };
  const Case cases[] = {
      {kPage - 6, {Be32, Bytes9, U8}, true, 0, 0, ""},  // across the block edge
      {kPage + 8, {Be16, U8}, false, kPage + 10, kPage + 11, "text cut short at byte 65,546 of 65,547"},
      {kPage + 7, {Be32, Be16, U8}, false, kPage + 7, kPage + 11, "text cut short at byte 65,546 of 65,547"},
      {kPage + 1, {Bytes9, Bytes9, U8}, false, kPage + 10, kPage + 19, "text cut short at byte 65,546 of 65,555"},
      {kPage + 6, {Skip5, U8}, false, kPage + 6, kPage + 11, "text cut short at byte 65,546 of 65,547"},
      {0, {SeekFar, U8}, false, 70000, 70000, "text cut short at byte 65,546 of 70,000"},
      {kPage + 10, {U8}, false, kPage + 10, kPage + 11, "text cut short at byte 65,546 of 65,547"},
  };
  for (const Case& c : cases) {
    SourceCursor cursor(file, c.start);
    std::uint64_t at = c.start;
    for (Op op : c.ops) {
      const bool fits_before = cursor.ok();
      std::uint64_t value = 0, expect = 0;
      const auto big_endian = [&](std::size_t n) {
        std::uint64_t v = 0;
        for (std::size_t k = 0; k < n && at + k < doc.size(); ++k) v = v << 8 | std::uint8_t(doc[at + k]);
        return v;
      };
      switch (op) {
        case U8: expect = big_endian(1), value = cursor.u8(), at += 1; break;
        case Be16: expect = big_endian(2), value = cursor.be16(), at += 2; break;
        case Be32: expect = big_endian(4), value = cursor.be32(), at += 4; break;
        case Bytes9: {
          const Bytes b = cursor.bytes(9);
          if (cursor.ok()) EXPECT_EQ(as_string(b), doc.substr(at, 9));
          else EXPECT_TRUE(b.empty());
          at += 9;
          break;
        }
        case Skip5: cursor.skip(5), at += 5; break;
        case SeekFar: cursor.seek(70000), at = 70000; break;
      }
      if (fits_before && cursor.ok()) {
        EXPECT_EQ(value, expect) << c.start;
      } else {
        EXPECT_EQ(value, 0u) << c.start;
      }
    }
    EXPECT_EQ(cursor.ok(), c.ok) << c.start;
    EXPECT_EQ(cursor.failed_at(), c.failed_at) << c.start;
    EXPECT_EQ(cursor.needed(), c.needed) << c.start;
    EXPECT_EQ(cursor.cut_short("text"), c.message) << c.start;
    if (c.ok) {
      EXPECT_EQ(cursor.position(), at) << c.start;
    }
  }
}

std::string fork_text(const SourceFork& fork) {
  SourceView view(fork);
  std::string s(view.size(), '\0');
  if (!view.read(0, reinterpret_cast<std::uint8_t*>(s.data()), s.size())) return "(unreadable)";
  return s;
}

// Every wrapper gives the data fork, the resource fork and the codes; a
// plain file is its data fork without them.
TEST(OpenSourceFile, LooksThroughEveryWrapper) {
  const std::string data = document(70000);
  const build::MacFile mac{.name = "Letter", .type = "WORD", .creator = "MACA", .resource_fork = "resources here"};
  struct Case {
    const char* name;
    std::string file;
    std::string companion;  // written as "._doc" when not empty
    WrapperKind kind;
    bool codes;
  };
  const Case cases[] = {
      {"MacBinary", build::macbinary_ii(data, mac), "", WrapperKind::MacBinary, true},
      {"AppleSingle", build::applesingle(data, mac), "", WrapperKind::AppleSingle, true},
      {"BinHex", build::binhex(data, mac), "", WrapperKind::BinHex, true},
      {"AppleDouble", data, build::appledouble(mac), WrapperKind::AppleDouble, true},
      {"plain", data, "", WrapperKind::None, false},
  };
  for (const Case& c : cases) {
    testing::ScratchDir dir;
    testing::write_file(dir.file("doc"), c.file);
    if (!c.companion.empty()) testing::write_file(dir.file("._doc"), c.companion);
    SourceFile file;
    std::string error;
    ASSERT_TRUE(open_source_file(dir.file("doc"), file, error)) << c.name << ": " << error;
    EXPECT_EQ(file.wrapper, c.kind) << c.name;
    EXPECT_EQ(fork_text(file.data), data) << c.name;
    EXPECT_EQ(file.resource.present(), c.codes) << c.name;
    if (c.codes) {
      EXPECT_EQ(fork_text(file.resource), mac.resource_fork) << c.name;
    }
    EXPECT_EQ(file.type, c.codes ? "WORD" : "") << c.name;
    EXPECT_EQ(file.creator, c.codes ? "MACA" : "") << c.name;
  }
  SourceFile file;
  std::string error;
  EXPECT_FALSE(open_source_file("/nonexistent/doc", file, error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace lettrix
