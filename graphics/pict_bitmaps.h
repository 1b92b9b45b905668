// The bitmap opcodes: BitsRect, BitsRgn, PackBitsRect, PackBitsRgn (one-bit
// bitmaps and indexed-colour pixel maps with their colour tables),
// DirectBitsRect and DirectBitsRgn (16 and 32 bits a pixel), and the pixel
// data of colour patterns.
#pragma once

#include <cairo.h>

#include <chrono>
#include <memory>
#include <string>

#include "graphics/pict_state.h"

namespace lettrix::pict {

struct SurfaceFree {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceFree>;

struct Budget {
  std::uint64_t max_pixels = 0;
  std::chrono::steady_clock::time_point deadline;
  bool expired() const { return std::chrono::steady_clock::now() > deadline; }
};

struct BitsOp {
  Rect bounds;  // the pixels' own coordinates
  Rect src;     // the part drawn, in those coordinates
  Rect dst;     // where, in the picture's
  int mode = 0;
  bool one_bit = false;  // a BitMap: its colours come from the mode
  bool has_mask = false;
  Region mask;
  SurfacePtr image;  // the pixels of `bounds` (decoded only when asked)
};

// Reads the bitmap opcode `op` (0x90, 0x91, 0x98 to 0x9B) after its opcode
// word; `decode` makes its image as well. False, with the reason, when its
// data is malformed, cut short, beyond the pixel budget or the time ran out.
bool read_bits_op(Cursor& c, unsigned op, const PictState& st, bool decode, const Budget& budget, BitsOp& out,
                  std::string& why);

// Draws a bitmap opcode's image through its mask and the clip.
void draw_bits(cairo_t* cr, const BitsOp& bits);

// Reads a PixPat (BkPixPat, PnPixPat, FillPixPat): a pattern made of a
// pixel map is drawn as its one-bit form, a dithered colour as that colour.
bool read_pix_pattern(Cursor& c, const Budget& budget, Pattern& out, std::string& why);

// PackBits: unpacks `in` into out[0..out_len) in units of `unit` bytes (1, or
// 2 for 16-bit pixels); what the data leaves unwritten stays as it was.
void unpack_bits(std::span<const std::uint8_t> in, std::uint8_t* out, std::size_t out_len, int unit);

}  // namespace lettrix::pict
