// Reading back the PNG a rendering made, to look at chosen pixels.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "graphics/pict_render.h"

namespace lettrix::testing {

class DecodedPng {
 public:
  explicit DecodedPng(const std::string& png);
  ~DecodedPng();
  DecodedPng(const DecodedPng&) = delete;
  DecodedPng& operator=(const DecodedPng&) = delete;

  bool ok() const { return surface_ != nullptr; }
  int width() const;
  int height() const;
  std::uint32_t argb(int x, int y) const;  // 0xAARRGGBB, 0 outside

 private:
  cairo_surface_t* surface_ = nullptr;
};

// The colour of a pixel as a letter: k black, w white, r red, g green,
// b blue, ? anything else.
char colour_letter(std::uint32_t argb);

}  // namespace lettrix::testing
