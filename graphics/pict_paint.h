// Drawing QuickDraw shapes through cairo: the pattern and transfer mode as
// cairo's source and operator, and the path of each shape.
#pragma once

#include <cairo.h>

#include "graphics/pict_state.h"

namespace lettrix::pict {

// Makes `pattern` in `mode`, with the given colours, cairo's source and
// operator: copy draws both colours, or draws the set bits in the
// foreground, xor inverts under the set bits, bic draws them in the
// background colour; the inverting modes use the pattern inverted.
void set_pattern_source(cairo_t* cr, const Pattern& pattern, Rgb fg, Rgb bg, int mode);

enum Verb : int { VerbFrame = 0, VerbPaint = 1, VerbErase = 2, VerbInvert = 3, VerbFill = 4 };

struct Shape {
  enum class Kind { Rect, RoundRect, Oval, Arc, Polygon, Region };
  Kind kind = Kind::Rect;
  Rect rect;
  int start_angle = 0;  // arcs: degrees clockwise from 12 o'clock
  int arc_angle = 0;
  const Polygon* polygon = nullptr;
  const Region* region = nullptr;
};

// Frames (with the pen, inside the shape), paints (pen pattern and mode),
// erases (background pattern), inverts or fills (fill pattern) the shape.
void draw_shape(cairo_t* cr, const PictState& st, int verb, const Shape& shape);

// A line from `from` to `to` as QuickDraw draws it: the area the pen's
// rectangle, hanging below and right of the point, sweeps.
void draw_line(cairo_t* cr, const PictState& st, Point from, Point to);

// Adds the region's inside to the current path.
void path_region(cairo_t* cr, const Region& region);

}  // namespace lettrix::pict
