#include "graphics/pict_test_image.h"

#include <algorithm>

namespace lettrix::testing {

namespace {

struct Reading {
  const std::string* data;
  std::size_t at;
};

cairo_status_t read_bytes(void* closure, unsigned char* out, unsigned int length) {
  auto* r = static_cast<Reading*>(closure);
  if (r->data->size() - r->at < length) return CAIRO_STATUS_READ_ERROR;
  std::copy_n(r->data->data() + r->at, length, out);
  r->at += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

DecodedPng::DecodedPng(const std::string& png) {
  Reading r{&png, 0};
  cairo_surface_t* s = cairo_image_surface_create_from_png_stream(read_bytes, &r);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return;
  }
  surface_ = s;
}

DecodedPng::~DecodedPng() {
  if (surface_) cairo_surface_destroy(surface_);
}

int DecodedPng::width() const { return surface_ ? cairo_image_surface_get_width(surface_) : 0; }
int DecodedPng::height() const { return surface_ ? cairo_image_surface_get_height(surface_) : 0; }

std::uint32_t DecodedPng::argb(int x, int y) const {
  if (!surface_ || x < 0 || y < 0 || x >= width() || y >= height()) return 0;
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  std::uint32_t p = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride)[x];
  if (cairo_image_surface_get_format(surface_) == CAIRO_FORMAT_RGB24) p |= 0xFF000000u;
  return p;
}

char colour_letter(std::uint32_t argb) {
  const unsigned r = (argb >> 16) & 255, g = (argb >> 8) & 255, b = argb & 255;
  const auto hi = [](unsigned v) { return v > 192; };
  const auto lo = [](unsigned v) { return v < 64; };
  if ((argb >> 24) < 250) return '?';
  if (lo(r) && lo(g) && lo(b)) return 'k';
  if (hi(r) && hi(g) && hi(b)) return 'w';
  if (hi(r) && lo(g) && lo(b)) return 'r';
  if (lo(r) && hi(g) && lo(b)) return 'g';
  if (lo(r) && lo(g) && hi(b)) return 'b';
  return '?';
}

}  // namespace lettrix::testing
