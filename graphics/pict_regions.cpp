#include "graphics/pict_regions.h"

#include <algorithm>

namespace lettrix::pict {

namespace {

constexpr int kEndMark = 0x7FFF;
// Flips open on one scan line: 2048 spans side by side, far more than any
// real region, and a bound on the work of keeping them sorted.
constexpr std::size_t kMaxFlips = 4096;

// Adds the spans of `flips` (sorted x coordinates, inside between each odd
// and even one) as rectangles from line `top` to `bottom`.
bool add_band(const std::vector<int>& flips, int top, int bottom, Region& out, std::size_t max_rects) {
  if (bottom <= top) return true;
  for (std::size_t i = 0; i + 1 < flips.size(); i += 2) {
    if (out.rects.size() >= max_rects) return false;
    out.rects.push_back(Rect{top, flips[i], bottom, flips[i + 1]});
  }
  return true;
}

}  // namespace

bool read_region(Cursor& c, Region& out, std::size_t max_rects, std::string& why) {
  out = Region{};
  const std::uint16_t size = c.u16();
  out.box = c.rect();
  if (!c.ok()) {
    why = "region beyond the picture's end";
    return false;
  }
  if (size < 10) {
    why = "region shorter than its header";
    return false;
  }
  const std::size_t data_bytes = size - 10u;
  const auto data = c.bytes(data_bytes);
  if (!c.ok()) {
    why = "region beyond the picture's end";
    return false;
  }
  if (data_bytes == 0) return true;
  Cursor r(data);
  std::vector<int> flips;
  int line = 0;
  bool started = false;
  while (r.left() >= 2) {
    const int y = r.s16();
    if (y == kEndMark) break;
    if (started && !add_band(flips, line, y, out, max_rects)) {
      why = "region with too many parts";
      return false;
    }
    started = true;
    line = y;
    while (r.left() >= 2) {
      const int x = r.s16();
      if (x == kEndMark) break;
      const auto at = std::lower_bound(flips.begin(), flips.end(), x);
      if (at != flips.end() && *at == x) {
        flips.erase(at);
      } else if (flips.size() < kMaxFlips) {
        flips.insert(at, x);
      } else {
        why = "region with too many parts";
        return false;
      }
    }
  }
  // A region ends with every span closed; one cut short is closed at the
  // bottom of its box.
  if (!add_band(flips, line, out.box.bottom, out, max_rects)) {
    why = "region with too many parts";
    return false;
  }
  if (out.rects.empty()) out.box = Rect{};  // scan lines that enclose nothing
  return true;
}

bool read_polygon(Cursor& c, Polygon& out) {
  out = Polygon{};
  const std::uint16_t size = c.u16();
  out.box = c.rect();
  if (!c.ok() || size < 10) return false;
  const std::size_t count = (size - 10u) / 4;
  const auto data = c.bytes(size - 10u);
  if (!c.ok()) return false;
  Cursor p(data);
  out.points.reserve(count);
  for (std::size_t i = 0; i < count; ++i) out.points.push_back(p.point());
  return true;
}

}  // namespace lettrix::pict
