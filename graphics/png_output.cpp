#include "graphics/png_output.h"

#include <cstdint>
#include <memory>

namespace lettrix {

namespace {

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
  try {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  } catch (...) {  // no exception may cross cairo
    return CAIRO_STATUS_WRITE_ERROR;
  }
  return CAIRO_STATUS_SUCCESS;
}

struct SurfaceFree {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};

// Whether every pixel of the opaque ARGB32 image is a gray.
bool all_gray(const unsigned char* data, int width, int height, int stride) {
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = row[x];
      if ((p >> 24) != 0xFF || (p >> 16 & 0xFF) != (p & 0xFF) || (p >> 8 & 0xFF) != (p & 0xFF)) return false;
    }
  }
  return true;
}

}  // namespace

bool write_png(cairo_surface_t* surface, std::string& png) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  if (!data || cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32 || !all_gray(data, width, height, stride))
    return cairo_surface_write_to_png_stream(surface, append, &png) == CAIRO_STATUS_SUCCESS;
  // cairo writes an alpha-only surface as a grayscale PNG whose shade is
  // the alpha: the shade goes there.
  std::unique_ptr<cairo_surface_t, SurfaceFree> gray(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
  if (cairo_surface_status(gray.get()) != CAIRO_STATUS_SUCCESS) return false;
  cairo_surface_flush(gray.get());
  unsigned char* out = cairo_image_surface_get_data(gray.get());
  const int out_stride = cairo_image_surface_get_stride(gray.get());
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    unsigned char* to = out + static_cast<std::size_t>(y) * out_stride;
    for (int x = 0; x < width; ++x) to[x] = static_cast<unsigned char>(row[x] & 0xFF);
  }
  cairo_surface_mark_dirty(gray.get());
  return cairo_surface_write_to_png_stream(gray.get(), append, &png) == CAIRO_STATUS_SUCCESS;
}

}  // namespace lettrix
