#include "graphics/pict_state.h"

#include <algorithm>
#include <cmath>

namespace lettrix::pict {

Pattern solid_pattern(std::uint8_t byte) {
  Pattern p;
  p.bits.fill(byte);
  return p;
}

void mode_colours(int mode, Rgb fg, Rgb bg, Rgba& set, Rgba& clear) {
  set = Rgba{fg.r, fg.g, fg.b, 1};
  clear = Rgba{bg.r, bg.g, bg.b, 1};
  switch (mode_kind(mode)) {
    case ModeOr: clear.a = 0; break;
    case ModeXor: set = Rgba{1, 1, 1, 1}, clear.a = 0; break;
    case ModeBic: set = Rgba{bg.r, bg.g, bg.b, 1}, clear.a = 0; break;
    default: break;
  }
  if (mode_inverts(mode)) std::swap(set, clear);
}

std::uint32_t argb_pixel(const Rgba& c) {
  const auto ch = [&](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v * c.a, 0.0, 1.0) * 255)); };
  return (static_cast<std::uint32_t>(std::lround(std::clamp(c.a, 0.0, 1.0) * 255)) << 24) | (ch(c.r) << 16) |
         (ch(c.g) << 8) | ch(c.b);
}

Rgb old_style_colour(std::uint32_t value) {
  switch (value) {
    case 30: return kWhite;
    case 69: return Rgb{1, 1, 0};
    case 137: return Rgb{1, 0, 1};
    case 205: return Rgb{1, 0, 0};
    case 273: return Rgb{0, 1, 1};
    case 341: return Rgb{0, 1, 0};
    case 409: return Rgb{0, 0, 1};
    default: return kBlack;
  }
}

}  // namespace lettrix::pict
