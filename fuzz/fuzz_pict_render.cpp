// The picture renderer on any bytes: never a crash or a read outside them;
// an image within the pixel limit with a PNG, or a note saying why not.
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "graphics/pict_render.h"

using namespace lettrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  PictLimits limits;
  limits.max_pixels = 1u << 20;
  limits.max_time = std::chrono::milliseconds(500);
  RenderedPicture out;
  if (render_pict({data, size}, out, limits)) {
    if (out.png.size() < 8 || std::memcmp(out.png.data(), "\x89PNG", 4) != 0) std::abort();
    if (out.width_px <= 0 || out.height_px <= 0) std::abort();
    if (static_cast<std::uint64_t>(out.width_px) * static_cast<std::uint64_t>(out.height_px) > limits.max_pixels)
      std::abort();
  } else if (out.note.empty() || !out.png.empty()) {
    std::abort();
  }
  return 0;
}
