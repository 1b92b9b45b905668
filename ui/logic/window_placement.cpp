#include "ui/logic/window_placement.h"

#include <cstdint>
#include <cstdlib>

namespace lettrix {

namespace {

// One axis of centred_position.
int place(int ref_start, int ref_size, int size, int screen_start, int screen_size) {
  int pos = ref_start + (ref_size - size) / 2;
  if (pos < screen_start) {
    pos = screen_start;
  } else if (pos + size > screen_start + screen_size) {
    pos = screen_start + screen_size - size;
  }
  if (pos < screen_start) pos = screen_start;
  return pos;
}

}  // namespace

Point centered_position(int w, int h, const Rect* reference, const Rect& screen) {
  const Rect& ref = reference ? *reference : screen;
  return {place(ref.x, ref.width, w, screen.x, screen.width), place(ref.y, ref.height, h, screen.y, screen.height)};
}

DialogBaseUnits base_units_from_font(int width_of_52_letters, int font_height) {
  return {(width_of_52_letters / 26 + 1) / 2, font_height};
}

int mul_div(int a, int b, int c) {
  if (c == 0) return 0;
  std::int64_t num = static_cast<std::int64_t>(a) * b;
  std::int64_t den = c;
  bool negative = (num < 0) != (den < 0);
  num = std::llabs(num);
  den = std::llabs(den);
  std::int64_t q = (num + den / 2) / den;
  return static_cast<int>(negative ? -q : q);
}

Rect dialog_rect_to_pixels(const Rect& dlu, DialogBaseUnits base) {
  // Edges are mapped, not sizes, so that adjacent controls stay adjacent.
  int left = mul_div(dlu.x, base.x, 4);
  int top = mul_div(dlu.y, base.y, 8);
  int right = mul_div(dlu.x + dlu.width, base.x, 4);
  int bottom = mul_div(dlu.y + dlu.height, base.y, 8);
  return {left, top, right - left, bottom - top};
}

}  // namespace lettrix
