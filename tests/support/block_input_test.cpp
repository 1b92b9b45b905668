#include "support/block_input.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/stream_reader.h"

namespace lettrix {
namespace {

constexpr std::size_t kBlock = BlockInput::kBlockSize;

// A temporary stream holding the bytes, positioned at its start.
struct TempStream {
  std::FILE* f = std::tmpfile();
  explicit TempStream(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
  }
  ~TempStream() { std::fclose(f); }
};

// Byte i of the test data.
std::string pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + i % 23);
  return s;
}

TEST(BlockInput, BytesRunsAndPushBackAcrossBlockEdges) {
  // Every size around the block edges, read in three ways: byte by byte with
  // a push-back after each byte, in runs that stop at every 'q', and through
  // read() in odd pieces. Each must give back exactly the file.
  static constexpr auto kStopAtQ = stop_bytes('q');
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, kBlock - 1, kBlock, kBlock + 1, 2 * kBlock + 7}) {
    const std::string data = pattern(size);
    {
      TempStream t(data);
      BlockInput in(t.f);
      std::string got;
      for (int c; (c = in.get()) != EOF;) {
        in.unget();
        ASSERT_EQ(in.get(), c) << size;
        const std::size_t next = got.size() + 1;
        ASSERT_EQ(in.peek(), next < size ? static_cast<unsigned char>(data[next]) : EOF);
        got.push_back(static_cast<char>(c));
      }
      EXPECT_EQ(got, data) << size;
      EXPECT_EQ(in.get(), EOF);
      EXPECT_FALSE(in.failed());
    }
    {
      TempStream t(data);
      BlockInput in(t.f);
      std::string got;
      for (;;) {
        const auto run = in.take_run(kStopAtQ, 100);
        ASSERT_LE(run.size(), 100u);
        got.append(reinterpret_cast<const char*>(run.data()), run.size());
        if (!run.empty()) continue;
        const int c = in.get();
        if (c == EOF) break;
        ASSERT_EQ(c, 'q');
        got.push_back('q');
      }
      EXPECT_EQ(got, data) << size;
    }
    {
      TempStream t(data);
      BlockInput in(t.f);
      std::string got;
      std::vector<std::uint8_t> piece(4099);
      for (std::size_t n; (n = in.read(piece.data(), piece.size())) > 0;) got.append(piece.begin(), piece.begin() + n);
      EXPECT_EQ(got, data) << size;
      ASSERT_TRUE(in.rewind());  // and again from the start
      EXPECT_EQ(in.get(), size ? static_cast<unsigned char>(data[0]) : EOF);
    }
  }
}

TEST(BlockInput, StreamItemsAsTheByteReaderReadsThem) {
  // A random stream of text, codes of every class, style sheets and
  // pictures, some 3 blocks long (so that codes fall across block edges),
  // cut at several places: the block reader gives the same items as the
  // reader of the C stream.
  std::mt19937 random(7);
  std::string s;
  while (s.size() < 3 * kBlock) {
    const unsigned r = random() % 16;
    if (r < 8) {
      s += static_cast<char>(random() % 256 == 0x5C ? 'x' : 'a' + r);
    } else if (r < 11) {
      s += {'\x5C', static_cast<char>(0x20 + random() % 0x60)};
    } else if (r < 14) {
      unsigned code = 0x80 + random() % 0x80;
      if (code == StyleSheet || code == Picture) code = FontSize;
      s += {'\x5C', static_cast<char>(code), static_cast<char>(random()), static_cast<char>(random())};
    } else if (r == 14) {
      s += {'\x5C', '\x86', '\x03', '\x00', '\x5C', '\x7F', 'z'};
    } else {
      s += {'\x5C', '\xC0', '\x01', '\x00', 0, 0, '\x5C', '\x7F', 0, 0, 0, 2, '0', 'a', '\x5C', '\x7F'};
    }
  }
  for (std::size_t cut : {s.size(), kBlock + 1, kBlock, kBlock - 1, 2 * kBlock + 3}) {
    const std::string part = s.substr(0, cut);
    TempStream a(part), b(part);
    BlockInput blocks(b.f);
    StreamItem x, y;
    std::size_t n = 0;
    for (;;) {
      const bool more_x = read_stream_item(a.f, x);
      const bool more_y = read_stream_item(blocks, y);
      ASSERT_EQ(more_x, more_y) << "item " << n << " of cut " << cut;
      if (!more_x) break;
      ASSERT_TRUE(x.kind == y.kind && x.value == y.value && x.op1 == y.op1 && x.op2 == y.op2 && x.data == y.data)
          << "item " << n << " of cut " << cut;
      ++n;
    }
    EXPECT_GT(n, 1000u);
  }
}

}  // namespace
}  // namespace lettrix
