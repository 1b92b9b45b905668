// The PNG file of a drawn image, in the smallest of the forms the image
// allows: most Macintosh pictures are black and white, which as a grayscale
// PNG is a third of the pixel data of an RGB one, and is compressed that
// much faster.
#pragma once

#include <cairo.h>

#include <string>

namespace lettrix {

// Appends the PNG of `surface` (an ARGB32 image surface, opaque) to `png`:
// grayscale when every pixel is a gray, else as cairo writes the surface
// (RGB for an opaque one). False when the PNG
// could not be made.
bool write_png(cairo_surface_t* surface, std::string& png);

}  // namespace lettrix
