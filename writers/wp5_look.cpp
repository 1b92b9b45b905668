#include "writers/wp5_look.h"

#include <algorithm>

#include "core/pc_fonts.h"
#include "writers/wp5_functions.h"

namespace lettrix::wp5 {

namespace {

// The stream's alignment: centring first, then full justification, then
// flush right, as the RTF writer reads them.
int justification(const ParaState& ps) {
  if (ps.centre) return kJustifyCentre;
  if (ps.justify) return kJustifyFull;
  if (ps.right) return kJustifyRight;
  return kJustifyLeft;
}

std::uint8_t old_value(int value) { return static_cast<std::uint8_t>(std::max(value, 0)); }

// The page's margins hold the left edge of the text (readers take the first
// margins for the page's) and the stream's right margin; a paragraph's own
// left edge and first line are an indent at its start.
void write_paragraph(Wp5Writer& w) {
  const ParaState& ps = w.ps;
  const long right = ps.right_margin;
  if (right != w.look.right) {
    put_margins(w.out, kPageMargin, std::max(w.look.right, 0L), kPageMargin, right);
    w.look.right = right;
  }
  const int mode = justification(ps);
  if (mode != w.look.justification) {
    put_justification(w.out, old_value(w.look.justification), static_cast<std::uint8_t>(mode));
    w.look.justification = mode;
  }
}

void write_font(Wp5Writer& w) {
  const int font = wp5_font(w.cs.font_class);
  // A size of 0 points keeps the size in force (the stream's initial size
  // where none is written yet).
  int points = w.cs.size < 0 ? std::min(-w.cs.size, 255) : w.look.points;
  if (points <= 0) points = -CharState{}.size;
  if (font == w.look.font && points == w.look.points) return;
  put_font_change(w.out, static_cast<std::uint8_t>(font), points);
  w.look.font = font;
  w.look.points = points;
}

}  // namespace

void write_look(Wp5Writer& w) {
  w.look_pending = false;
  const bool starts = !w.paragraph_open;
  w.paragraph_open = true;
  if (starts) write_paragraph(w);
  write_font(w);
  if (!starts) return;
  // The lines after the first start at the hanging indent; the first line
  // left of them (a hanging indent) or right of them (a first-line indent).
  const long others = static_cast<long>(w.ps.left_margin) + w.ps.hanging_indent;
  const long first = w.ps.hanging_indent != 0 ? w.ps.left_margin : others + w.ps.second_indent;
  if (others != kPageMargin) put_indent(w.out, others);
  if (first != others) put_first_line(w.out, first);
}

}  // namespace lettrix::wp5
