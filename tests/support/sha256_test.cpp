// SHA-256 against the published test vectors, given whole and in pieces that
// cross the 64-byte blocks at every offset.
#include <gtest/gtest.h>

#include <string>

#include "support/sha256.h"

namespace lettrix {
namespace {

std::string digest_of(const std::string& text, std::size_t piece) {
  Sha256 sum;
  for (std::size_t at = 0; at < text.size(); at += piece)
    sum.update({reinterpret_cast<const std::uint8_t*>(text.data()) + at, std::min(piece, text.size() - at)});
  return sha256_hex(sum.finish());
}

TEST(Sha256, PublishedVectorsInEveryPieceSize) {
  const struct {
    std::string text;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& c : cases)
    for (const std::size_t piece : {std::size_t{1}, std::size_t{55}, std::size_t{63}, std::size_t{64}, std::size_t{65},
                                    std::size_t{1000}, std::size_t{1} << 20}) {
      if (c.text.size() > 100000 && piece < 55) continue;
      EXPECT_EQ(digest_of(c.text, piece), c.digest) << c.text.size() << " in pieces of " << piece;
    }
}

}  // namespace
}  // namespace lettrix
