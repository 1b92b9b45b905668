#include "core/paragraph_indents.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/stream_printer.h"

namespace lettrix {
namespace {

// Each case: (left, first) pairs set one after the other from the initial
// state, and the codes they write.
TEST(ParagraphIndents, MarginHangingAndFirstLineIndents) {
  const struct {
    std::vector<std::pair<int, int>> steps;
    const char* codes;
  } cases[] = {
      {{{0, 0}}, ""},
      {{{5, 5}, {5, 5}}, "{LeftMargin 0,5}"},
      {{{10, 5}}, "{LeftMargin 0,5}{IndentHere 0,5}"},
      {{{5, 10}}, "{LeftMargin 0,5}{Indent2 0,5}"},
      {{{0, 6}, {0, 8}, {0, 0}}, "{Indent2 0,6}{Indent2 6,8}{IndentReset 0,8}"},
      {{{10, 5}, {10, 2}, {3, 3}}, "{LeftMargin 0,5}{IndentHere 0,5}{LeftMargin 5,2}{IndentHere 5,8}"
                                   "{LeftMargin 2,3}{IndentReset 8,0}"},
      // One indent takes the other's place: IndentReset first.
      {{{10, 5}, {5, 10}}, "{LeftMargin 0,5}{IndentHere 0,5}{IndentReset 5,0}{Indent2 0,5}"},
      {{{5, 10}, {10, 5}}, "{LeftMargin 0,5}{Indent2 0,5}{IndentReset 0,5}{IndentHere 0,5}"},
      // Columns outside 0 to 255 are clamped.
      {{{-20, -40}}, ""},
      {{{300, 4000}}, "{LeftMargin 0,255}"},
      {{{300, 0}}, "{IndentHere 0,255}"},
  };
  for (const auto& c : cases) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    ParaState ps{};
    for (const auto& [left, first] : c.steps) set_paragraph_indents(out, ps, left, first);
    std::rewind(out);
    EXPECT_EQ(print_stream(out), c.codes) << c.codes;
    std::fclose(out);
  }
}

}  // namespace
}  // namespace lettrix
