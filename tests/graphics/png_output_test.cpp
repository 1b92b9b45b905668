// The PNG of a drawn image in its smallest form, read back pixel for pixel.
#include "graphics/png_output.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace lettrix {
namespace {

struct Reading {
  const std::string* png;
  std::size_t at = 0;
};

cairo_status_t read_from(void* closure, unsigned char* data, unsigned int length) {
  auto& r = *static_cast<Reading*>(closure);
  if (r.at + length > r.png->size()) return CAIRO_STATUS_READ_ERROR;
  r.png->copy(reinterpret_cast<char*>(data), length, r.at);
  r.at += length;
  return CAIRO_STATUS_SUCCESS;
}

std::uint32_t pixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
  return reinterpret_cast<const std::uint32_t*>(row)[x] | 0xFF000000u;
}

TEST(PngOutput, BlackAndWhiteGrayAndColourEachInTheirForm) {
  const struct {
    std::uint32_t second;  // the colour of every third pixel, the others black or white
    int bit_depth;         // of the PNG (byte 24)
    int colour_type;       // (byte 25): 0 grayscale, 2 RGB
  } cases[] = {{0xFFFFFFFFu, 8, 0}, {0xFF808080u, 8, 0}, {0xFF336699u, 8, 2}};
  for (const auto& c : cases) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 37, 3);
    cairo_surface_flush(s);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 37; ++x) {
        auto* row = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s));
        row[x] = (x + y) % 3 == 0 ? c.second : (x * 7 + y) % 2 ? 0xFF000000u : 0xFFFFFFFFu;
      }
    cairo_surface_mark_dirty(s);
    std::string png;
    ASSERT_TRUE(write_png(s, png));
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(png[24], c.bit_depth) << std::hex << c.second;
    EXPECT_EQ(png[25], c.colour_type) << std::hex << c.second;
    Reading r{&png};
    cairo_surface_t* back = cairo_image_surface_create_from_png_stream(read_from, &r);
    ASSERT_EQ(cairo_surface_status(back), CAIRO_STATUS_SUCCESS);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 37; ++x) ASSERT_EQ(pixel(back, x, y), pixel(s, x, y)) << x << "," << y;
    cairo_surface_destroy(back);
    cairo_surface_destroy(s);
  }
}

}  // namespace
}  // namespace lettrix
