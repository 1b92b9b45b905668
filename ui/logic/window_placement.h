// Window placement arithmetic: centring a window on a reference rectangle or
// the screen while keeping it on the screen, and dialog units to pixels.
#pragma once

namespace lettrix {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct Point {
  int x = 0;
  int y = 0;
};

// Top-left corner for a window of width w and height h: centred on reference
// (on the screen when reference is null), the division truncating towards
// zero, then moved back onto the screen where it sticks out. A window larger
// than the screen keeps its top-left corner (and title bar) on the screen.
Point centered_position(int w, int h, const Rect* reference, const Rect& screen);

// A dialog font's base units: the average width of its characters and its height.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};

// Base units from the pixel width of "A".."Z" "a".."z" (52 characters) and
// the font height, rounded as the window system rounds them.
DialogBaseUnits base_units_from_font(int width_of_52_letters, int font_height);

// a * b / c rounded half away from zero (0 when c is 0).
int mul_div(int a, int b, int c);

// A rectangle in dialog units (x and width in quarters of the average
// character width, y and height in eighths of the font height) in pixels.
Rect dialog_rect_to_pixels(const Rect& dlu, DialogBaseUnits base);

}  // namespace lettrix
