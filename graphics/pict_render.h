// Drawing Macintosh pictures (QuickDraw PICT, version 1 and version 2) into
// PNG images, for the targets whose readers cannot show a PICT.
//
// The picture is the PICT as a document stores it: the 2-byte size word, the
// 8-byte frame (top, left, bottom, right), then the opcodes; no 512-byte file
// header. Drawn pictures are rendered at twice their 72-dpi frame; a picture
// that is a single bitmap keeps the bitmap's own resolution.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace lettrix {

struct PictLimits {
  std::uint64_t max_pixels = 64ull * 1024 * 1024;  // of the image drawn into
  std::chrono::milliseconds max_time{2000};         // wall time of one rendering
};

struct RenderedPicture {
  std::string png;        // the PNG file
  int width_px = 0;       // its size in pixels
  int height_px = 0;
  double width_pt = 0;    // the picture's frame in points (1/72 inch)
  double height_pt = 0;
  // The picture is made of bitmaps alone (a screenshot), rendered at their
  // own resolution rather than at twice 72 dpi.
  bool bitmaps_only = false;
  // Empty when every opcode was drawn; else why rendering stopped early
  // ("unknown opcode 0x00A7 at byte 1234", "time limit"): what was drawn
  // before it is kept.
  std::string note;
};

// Renders `pict`. False, with the reason in out.note, when nothing can be
// drawn: too short for a header, an empty or negative frame, a frame beyond
// the pixel limit even at 72 dpi, or no PNG could be made. Never reads
// outside `pict`.
bool render_pict(std::span<const std::uint8_t> pict, RenderedPicture& out, const PictLimits& limits = {});

}  // namespace lettrix
