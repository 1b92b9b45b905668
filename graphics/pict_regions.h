// QuickDraw regions and polygons as pictures store them.
//
// A region: size word (10 for a rectangle), bounding box, then for a
// non-rectangular region its scan lines: a line's y, the x coordinates where
// the inside/outside state flips from that line down, 0x7FFF; a final 0x7FFF
// ends them. A polygon: size word, bounding box, then (v, h) points.
#pragma once

#include <string>
#include <vector>

#include "graphics/pict_reader.h"

namespace lettrix::pict {

struct Region {
  Rect box;
  std::vector<Rect> rects;  // the inside as disjoint rectangles; empty: the box
  bool rectangular() const { return rects.empty(); }
};

// The most rectangles a region may make: far more than any real one, and a
// bound on what drawing and clipping through it costs.
inline constexpr std::size_t kMaxRegionRects = 65536;

// Reads a region at the cursor (the cursor moves past its size word's
// length). False, with the reason, when its data is malformed or holds more
// than `max_rects` rectangles; the cursor is then past it all the same when
// its size word could be read.
bool read_region(Cursor& c, Region& out, std::size_t max_rects, std::string& why);

struct Polygon {
  Rect box;
  std::vector<Point> points;
};

// Reads a polygon; its point count follows from its size word.
bool read_polygon(Cursor& c, Polygon& out);

}  // namespace lettrix::pict
