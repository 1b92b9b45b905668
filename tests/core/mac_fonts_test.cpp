#include "core/mac_fonts.h"

#include <gtest/gtest.h>

#include "core/stream_printer.h"
#include "test_util.h"

namespace lettrix {
namespace {

TEST(MacFonts, FontNumberGivesClassAndTable) {
  std::FILE* out = std::tmpfile();
  CharState cs{};
  ParaState ps{};
  std::FILE* seed = std::tmpfile();
  std::fputc('x', seed);
  std::rewind(seed);
  ASSERT_EQ(init_stream_state(seed, cs, ps, nullptr), 0);
  std::fclose(seed);
  EXPECT_EQ(&select_mac_font(cs, 3, out), &kMacintoshTable);   // Geneva: class 0, nothing written
  EXPECT_EQ(&select_mac_font(cs, 20, out), &kMacintoshTable);  // Times: serif
  EXPECT_EQ(&select_mac_font(cs, 14, out), &kMacintoshTable);  // New York: still serif, nothing written
  EXPECT_EQ(&select_mac_font(cs, 21, out), &kMacintoshTable);  // Helvetica
  EXPECT_EQ(&select_mac_font(cs, 23, out), &kSymbolTable);
  EXPECT_EQ(&select_mac_font(cs, 13, out), &kDingbatTable);
  EXPECT_EQ(&select_mac_font(cs, 156, out), &kMacintoshTable);
  std::rewind(out);
  EXPECT_EQ(print_stream(out), "{Font 0,1}{Font 1,2}{Font 2,3}{Font 3,4}{Font 4,1}");
  std::fclose(out);
}

}  // namespace
}  // namespace lettrix
