#include "readers/plain_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "core/char_output.h"
#include "test_util.h"

namespace lettrix {
namespace {

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
