#include "core/byte_helpers.h"

#include <gtest/gtest.h>



namespace lettrix {
namespace {

// The composed letters of the typewriter way (letter, backspace, accent):
// the index in table 1, 0 where there is none.
TEST(AccentComposition, ComposedLetterIndex) {
  struct Case {
    int letter, accent, index;
  };
  const Case cases[] = {
      {'e', '\'', 41}, {'E', '\'', 40}, {'a', '`', 33},  {'o', '^', 61}, {'u', '"', 71}, {'n', '~', 57},
      {'N', '~', 56},  {'C', '\'', 96}, {'y', '`', 227}, {'x', '\'', 0}, {'c', '`', 0},  {'g', '^', 0},
      {'e', '-', 0},   {'a', 'e', 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(composed_letter_index(c.letter, c.accent), c.index) << char(c.letter) << char(c.accent);
  // Only lower-case vowels are taken for the letter after the backspace.
  for (int c : {'a', 'e', 'i', 'o', 'u', 'y'}) EXPECT_TRUE(is_vowel(c));
  for (int c : {'E', 'b', '\''}) EXPECT_FALSE(is_vowel(c));
}

TEST(BigEndian, NumbersFromMacintoshFiles) {
  const std::uint8_t raw[6] = {0x12, 0x34, 0x89, 0xAB, 0xCD, 0xEF};
  EXPECT_EQ(be16_at(raw), 0x1234);
  EXPECT_EQ(be32_at(raw + 2), 0x89ABCDEFu);
  EXPECT_EQ(be16s_at(raw + 2), -30293);

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
