#include "core/paragraph_indents.h"

#include <algorithm>

namespace lettrix {

namespace {
constexpr int kLastColumn = 255;
}

void set_paragraph_indents(std::FILE* out, ParaState& ps, int left, int first) {
  left = std::clamp(left, 0, kLastColumn);
  first = std::clamp(first, 0, kLastColumn);
  const int margin = std::min(left, first);
  const int hanging = left - margin;
  const int first_line = first - margin;
  if (margin != ps.left_margin) set_left_margin(out, ps, margin);
  if (hanging != 0) {
    if (ps.second_indent != 0) indent_reset(out, ps);
    if (hanging != ps.hanging_indent) set_indent_here(out, ps, hanging);
  } else if (first_line != 0) {
    if (ps.hanging_indent != 0) indent_reset(out, ps);
    if (first_line != ps.second_indent) set_indent2(out, ps, first_line);
  } else if (ps.hanging_indent != 0 || ps.second_indent != 0) {
    indent_reset(out, ps);
  }
}

}  // namespace lettrix
