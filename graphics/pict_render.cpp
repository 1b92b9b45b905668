// Placeholder until the QuickDraw interpreter lands: reads the frame and
// draws nothing.
#include "graphics/pict_render.h"

namespace lettrix {

bool render_pict(std::span<const std::uint8_t> pict, RenderedPicture& out, const PictLimits&) {
  out = RenderedPicture{};
  if (pict.size() < 10) {
    out.note = "too short for a picture header";
    return false;
  }
  out.note = "pictures are not rendered yet";
  return false;
}

}  // namespace lettrix
