#include "core/byte_helpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/stream_printer.h"
#include "support/file_handle.h"
#include "test_util.h"

namespace lettrix {
namespace {

using testing::bytes;

FilePtr stream_of(const std::string& content) { return FilePtr(testing::memory_stream(content).release()); }
std::string contents(std::FILE* f) { return testing::stream_contents(f); }

// What a text reader does at a backspace: `written` is already in the output
// (its last byte the character before the backspace), `after` is the source
// from the byte after the backspace on.
struct Composition {
  int result;
  std::string output;     // printed
  std::string remaining;  // source bytes not consumed
};

Composition compose(const std::string& written, int previous, const std::string& after) {
  FilePtr in = stream_of(after);
  FilePtr out(std::tmpfile());
  std::fwrite(written.data(), 1, written.size(), out.get());
  Composition c;
  c.result = compose_accent(in.get(), out.get(), previous);
  std::fputc('.', out.get());  // the text goes on right after
  c.output = print_stream(contents(out.get()));
  for (int b; (b = std::fgetc(in.get())) != EOF;) c.remaining += static_cast<char>(b);
  return c;
}

TEST(AccentComposition, LetterAndAccentInEitherOrder) {
  Composition c = compose("Caf" "e", 'e', "'!");
  EXPECT_EQ(c.result, 0);
  EXPECT_EQ(c.output, "Caf{TableChar 1,41}.");
  EXPECT_EQ(c.remaining, "!");

  EXPECT_EQ(compose("E", 'E', "'").output, "{TableChar 1,40}.");
  EXPECT_EQ(compose("'", '\'', "e").output, "{TableChar 1,41}.");
  EXPECT_EQ(compose("a", 'a', "`").output, "{TableChar 1,33}.");
  EXPECT_EQ(compose("^", '^', "o").output, "{TableChar 1,61}.");
  EXPECT_EQ(compose("u", 'u', "\"").output, "{TableChar 1,71}.");
  EXPECT_EQ(compose("n", 'n', "~").output, "{TableChar 1,57}.");
  EXPECT_EQ(compose("N", 'N', "~").output, "{TableChar 1,56}.");
  EXPECT_EQ(compose("C", 'C', "'").output, "{TableChar 1,96}.");
  EXPECT_EQ(compose("y", 'y', "`").output, "{TableChar 1,227}.");
}

TEST(AccentComposition, WithoutAComposedFormAccentThenLetter) {
  EXPECT_EQ(compose("x", 'x', "'").output, "'x.");
  EXPECT_EQ(compose("c", 'c', "`").output, "`c.");  // table entry 0
  EXPECT_EQ(compose("g", 'g', "^").output, "^g.");  // row of zeros
  EXPECT_EQ(compose("e", 'e', "-").output, "-e.");  // no accent index
  EXPECT_EQ(compose("a", 'a', "e").output, "ae.");  // a vowel after: the one before is the accent
  // Only lower-case vowels after the backspace are taken for the letter.
  EXPECT_EQ(compose("'", '\'', "E").output, "E'.");
}

TEST(AccentComposition, NothingWrittenBeforeTheBackspace) {
  Composition c = compose("", 'e', "'");
  EXPECT_EQ(c.result, 0);
  EXPECT_EQ(c.output, "{TableChar 1,41}.");
  EXPECT_EQ(compose("", 'x', "'").output, "'x.");
}

TEST(AccentComposition, NoPrintableCharacterAfterTheBackspace) {
  // End of file: nothing composed, the output as it was.
  Composition c = compose("ae", 'e', "");
  EXPECT_NE(c.result, 0);
  EXPECT_EQ(c.output, "ae.");

  // A byte that is not printable ASCII, or a backslash, is left for the caller.
  for (int b : {0x8E, 0x0D, 0x08, 0x5C, 0x7F, 0x00}) {
    SCOPED_TRACE(b);
    c = compose("ae", 'e', bytes({b, 'z'}));
    EXPECT_NE(c.result, 0);
    EXPECT_EQ(c.output, "ae.");
    EXPECT_EQ(c.remaining, bytes({b, 'z'}));
  }

  // The character before the backspace was no single printable byte.
  c = compose("a", 0x8E, "'");
  EXPECT_NE(c.result, 0);
  EXPECT_EQ(c.output, "a.");
  EXPECT_EQ(c.remaining, "'");
}

TEST(ByteSkipping, SpanMovesEitherWay) {
  std::string content(4000, '\0');
  for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i & 0xFF);
  FilePtr f = stream_of(content);
  std::fseek(f.get(), 100, SEEK_SET);
  EXPECT_EQ(skip_span(100, 300, f.get()), 100);  // read
  EXPECT_EQ(std::ftell(f.get()), 300);
  EXPECT_EQ(skip_span(300, 811, f.get()), 300);  // 511 bytes: read
  EXPECT_EQ(std::ftell(f.get()), 811);
  EXPECT_EQ(skip_span(811, 3000, f.get()), 811);  // seek
  EXPECT_EQ(std::ftell(f.get()), 3000);
  EXPECT_EQ(skip_span(3000, 200, f.get()), 3000);  // backwards
  EXPECT_EQ(std::ftell(f.get()), 200);
  EXPECT_EQ(std::fgetc(f.get()), 200);
  // Start 0: from the current position to the absolute offset.
  EXPECT_EQ(skip_span(0, 50, f.get()), 201);
  EXPECT_EQ(std::ftell(f.get()), 50);
  EXPECT_EQ(skip_span(0, 50, f.get()), 50);
  EXPECT_EQ(std::ftell(f.get()), 50);
}

TEST(ByteSkipping, BytesRunsAndPictures) {
  FilePtr f = stream_of(std::string(300, 'a') + "b" + std::string(10, 'c'));
  EXPECT_EQ(skip_bytes(0, f.get()), 0);
  EXPECT_EQ(skip_bytes(290, f.get()), 290);
  EXPECT_EQ(skip_to_byte('b', f.get()), 11);
  EXPECT_EQ(std::ftell(f.get()), 301);
  EXPECT_EQ(skip_to_byte('b', f.get()), -1);
  std::fseek(f.get(), 305, SEEK_SET);
  EXPECT_EQ(skip_bytes(1000, f.get()), 6);  // stops at the end

  FilePtr out(std::tmpfile());
  EXPECT_EQ(write_repeated(0, 'x', out.get()), 0);
  EXPECT_EQ(write_repeated(-4, 'x', out.get()), 0);
  EXPECT_EQ(write_repeated(600, 0x1FF, out.get()), 600);
  EXPECT_EQ(contents(out.get()), std::string(600, '\xFF'));

  // After a Picture code: kind, 0, sizes (here holding an escape byte), digits, end.
  f = stream_of(bytes({0x01, 0x00, 0, 0, 0x5C, 0x40, 0, 0, 0, 2, 'a', 'b', 0x5C, 0x7F, 'z'}));
  EXPECT_EQ(skip_picture(f.get()), 0);
  EXPECT_EQ(std::fgetc(f.get()), 'z');
  f = stream_of("0a0b0c");
  EXPECT_EQ(skip_picture(f.get()), -1);
  EXPECT_EQ(std::fgetc(f.get()), EOF);
}

TEST(BigEndian, NumbersFromMacintoshFiles) {
  const unsigned char raw[6] = {0x12, 0x34, 0x89, 0xAB, 0xCD, 0xEF};
  std::uint16_t v16;
  std::uint32_t v32;
  std::memcpy(&v16, raw, 2);
  std::memcpy(&v32, raw + 2, 4);
  EXPECT_EQ(swap16(v16), 0x1234);
  EXPECT_EQ(swap32(v32), 0x89ABCDEFu);

  FilePtr f = stream_of(bytes({0x12, 0x34, 0x89, 0xAB, 0xCD, 0xEF, 0x01, 0x02}));
  std::uint8_t v8 = 0;
  ASSERT_TRUE(read_be16(f.get(), v16));
  ASSERT_TRUE(read_be32(f.get(), v32));
  EXPECT_EQ(v16, 0x1234);
  EXPECT_EQ(v32, 0x89ABCDEFu);
  EXPECT_EQ(stream_size(f.get()), 8);
  EXPECT_EQ(std::ftell(f.get()), 6);
  v32 = 7;
  EXPECT_FALSE(read_be32(f.get(), v32));  // two bytes left
  EXPECT_EQ(v32, 7u);
  EXPECT_FALSE(read_u8(f.get(), v8));

  const std::uint8_t block[] = {0xFF, 0xFE, 0x00, 0x00, 0x01, 0x00, 0x42};
  ByteReader r(block, sizeof block);
  EXPECT_EQ(r.be16s(), -2);
  EXPECT_EQ(r.be32(), 0x100u);
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.remaining(), 1u);
  EXPECT_EQ(r.be16(), 0);  // past the end
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.u8(), 0);  // the error sticks
  EXPECT_EQ(r.position(), 6u);

  ByteReader s(block, sizeof block);
  s.seek(6);
  EXPECT_EQ(s.u8(), 0x42);
  EXPECT_TRUE(s.bytes(0).empty());
  EXPECT_TRUE(s.ok());
  s.seek(8);
  EXPECT_FALSE(s.ok());
  ByteReader t(block, sizeof block);
  EXPECT_EQ(t.bytes(3).size(), 3u);
  t.skip(5);
  EXPECT_FALSE(t.ok());
}

}  // namespace
}  // namespace lettrix
