// The QuickDraw picture interpreter: one pass that only reads the opcodes
// (is the picture a bitmap, and at what resolution?), then one that draws
// them through cairo into an image written as PNG.
#include "graphics/pict_render.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graphics/pict_bitmaps.h"
#include "graphics/pict_paint.h"
#include "graphics/pict_reader.h"
#include "graphics/pict_text.h"
#include "graphics/png_output.h"

namespace lettrix {

namespace {

using namespace pict;

constexpr std::size_t kMaxFontNames = 64;
constexpr int kMaxSide = 32767;  // cairo's largest image side

// What the reading pass learns.
struct Scan {
  int drawn = 0;    // shapes, lines and text
  int bitmaps = 0;
  bool same_ratio = true;  // every bitmap at the first one's resolution
  double ratio_x = 1, ratio_y = 1;  // its pixels per picture unit
  Rect source;  // an extended version 2 header's source rectangle
};

struct Interp {
  explicit Interp(Cursor at) : c(at) {}
  Cursor c;
  int version = 1;
  Rect frame;
  PictState st;
  cairo_t* cr = nullptr;  // null in the reading pass
  Scan* scan = nullptr;
  Budget budget;
  std::string note;
};

std::string hex_op(unsigned op) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%04X", op & 0xFFFFu);
  return buf;
}

Pattern read_pattern(Cursor& c) {
  Pattern p;
  for (auto& b : p.bits) b = c.u8();
  return p;
}

Rgb read_rgb(Cursor& c) {
  const unsigned r = c.u16(), g = c.u16(), b = c.u16();
  return rgb_from_words(r, g, b);
}

void note_drawn(Interp& in) {
  if (in.scan) ++in.scan->drawn;
}

void shape(Interp& in, int verb, Shape s) {
  note_drawn(in);
  if (in.cr && verb <= VerbFill) draw_shape(in.cr, in.st, verb, s);
}

void line(Interp& in, Point from, Point to) {
  note_drawn(in);
  if (in.cr) draw_line(in.cr, in.st, from, to);
  in.st.pen = to;
}

bool text(Interp& in, std::size_t count) {
  const auto bytes = in.c.bytes(count);
  if (!in.c.ok()) return true;  // reported as data cut short
  note_drawn(in);
  if (in.cr) draw_text(in.cr, in.st, bytes);
  return true;
}

void set_clip(Interp& in, const Region& r) {
  if (!in.cr) return;
  cairo_reset_clip(in.cr);
  cairo_new_path(in.cr);
  cairo_set_fill_rule(in.cr, CAIRO_FILL_RULE_WINDING);
  path_region(in.cr, r);
  cairo_clip(in.cr);
}

// HeaderOp: version -2 pictures give the resolution of their coordinates
// with the source rectangle that maps onto the frame.
void header(Interp& in) {
  const auto data = in.c.bytes(24);
  if (!in.c.ok()) return;
  Cursor h(data);
  if (h.s16() != -2) return;
  h.skip(10);
  const Rect src = h.rect();
  if (src.empty() || in.frame.empty()) return;
  if (in.scan) in.scan->source = src;
  if (in.cr) {
    cairo_translate(in.cr, in.frame.left, in.frame.top);
    cairo_scale(in.cr, double(in.frame.width()) / src.width(), double(in.frame.height()) / src.height());
    cairo_translate(in.cr, -src.left, -src.top);
  }
}

bool bits(Interp& in, unsigned op) {
  BitsOp b;
  std::string why;
  if (!read_bits_op(in.c, op, in.st, in.cr != nullptr, in.budget, b, why)) {
    in.note = why + " (opcode " + hex_op(op) + ")";
    return false;
  }
  if (in.scan && !b.src.empty() && !b.dst.empty()) {
    const double rx = double(b.src.width()) / b.dst.width(), ry = double(b.src.height()) / b.dst.height();
    Scan& s = *in.scan;
    if (s.bitmaps == 0)
      s.ratio_x = rx, s.ratio_y = ry;
    else if (std::abs(rx - s.ratio_x) > 0.01 * s.ratio_x || std::abs(ry - s.ratio_y) > 0.01 * s.ratio_y)
      s.same_ratio = false;
    ++s.bitmaps;
  }
  if (in.cr) draw_bits(in.cr, b);
  return true;
}

bool region_op(Interp& in, unsigned op) {
  std::string why;
  Region r;
  if (!read_region(in.c, r, kMaxRegionRects, why)) {
    in.note = why + " (opcode " + hex_op(op) + ")";
    return false;
  }
  in.st.last_region = std::move(r);
  if (op == 0x01) {
    set_clip(in, in.st.last_region);
    return true;
  }
  Shape s;
  s.kind = Shape::Kind::Region;
  s.region = &in.st.last_region;
  shape(in, static_cast<int>(op & 7), s);
  return true;
}

bool font_name(Interp& in) {
  const std::uint16_t length = in.c.u16();
  const auto data = in.c.bytes(length);
  if (!in.c.ok()) return true;
  Cursor d(data);
  FontNameEntry e;
  e.id = d.s16();
  const std::size_t n = d.u8();
  const auto name = d.bytes(n);
  if (!d.ok()) return true;
  e.name.assign(name.begin(), name.end());
  auto& names = in.st.font_names;
  if (names.size() >= kMaxFontNames) names.erase(names.begin());
  names.push_back(std::move(e));
  return true;
}

// Reads and draws one opcode; false stops the rendering (in.note says why,
// or nothing when the opcode is unknown).
bool run_op(Interp& in, unsigned op) {
  Cursor& c = in.c;
  PictState& st = in.st;
  if (op >= 0x30 && op < 0x70) {  // rectangles, rounded rectangles, ovals, arcs
    const unsigned verb = op & 7;
    if (verb >= 5) return skip_opcode_data(c, op, in.version);
    const bool same = (op & 8) != 0;
    const unsigned group = op & 0xF0;
    Shape s;
    s.kind = group == 0x30 ? Shape::Kind::Rect
             : group == 0x40 ? Shape::Kind::RoundRect
             : group == 0x50 ? Shape::Kind::Oval
                             : Shape::Kind::Arc;
    if (!same) st.last_rect = c.rect();
    s.rect = st.last_rect;
    if (group == 0x60) {
      s.start_angle = c.s16();
      s.arc_angle = c.s16();
    }
    if (c.ok()) shape(in, static_cast<int>(verb), s);
    return true;
  }
  if (op >= 0x70 && op < 0x80) {  // polygons
    if ((op & 8) == 0 && !read_polygon(c, st.last_poly)) {
      c.fail();
      return true;
    }
    Shape s;
    s.kind = Shape::Kind::Polygon;
    s.polygon = &st.last_poly;
    if ((op & 7) <= VerbFill) shape(in, static_cast<int>(op & 7), s);
    return true;
  }
  if (op >= 0x80 && op < 0x90) {  // regions
    if ((op & 8) == 0) return region_op(in, op);
    if ((op & 7) <= VerbFill) {
      Shape s;
      s.kind = Shape::Kind::Region;
      s.region = &st.last_region;
      shape(in, static_cast<int>(op & 7), s);
    }
    return true;
  }
  switch (op) {
    case 0x01: return region_op(in, op);
    case 0x02: st.back_pat = read_pattern(c); return true;
    case 0x03: st.text_font = c.s16(); return true;
    case 0x04: st.text_face = c.u8(); return true;
    case 0x05: st.text_mode = c.s16(); return true;
    case 0x07: st.pen_size = c.point(); return true;
    case 0x08: st.pen_mode = c.s16(); return true;
    case 0x09: st.pen_pat = read_pattern(c); return true;
    case 0x0A: st.fill_pat = read_pattern(c); return true;
    case 0x0B: st.oval_size = c.point(); return true;
    case 0x0C: {
      const int dh = c.s16(), dv = c.s16();
      if (in.cr && c.ok()) cairo_translate(in.cr, -dh, -dv);
      return true;
    }
    case 0x0D: st.text_size = c.s16(); return true;
    case 0x0E: st.fg = old_style_colour(c.u32()); return true;
    case 0x0F: st.bg = old_style_colour(c.u32()); return true;
    case 0x12: case 0x13: case 0x14: {
      Pattern p;
      std::string why;
      if (!read_pix_pattern(c, in.budget, p, why)) {
        in.note = why + " (opcode " + hex_op(op) + ")";
        return false;
      }
      (op == 0x12 ? st.back_pat : op == 0x13 ? st.pen_pat : st.fill_pat) = p;
      return true;
    }
    case 0x1A: st.fg = read_rgb(c); return true;
    case 0x1B: st.bg = read_rgb(c); return true;
    case 0x20: {
      const Point from = c.point(), to = c.point();
      if (c.ok()) line(in, from, to);
      return true;
    }
    case 0x21: {
      const Point to = c.point();
      if (c.ok()) line(in, st.pen, to);
      return true;
    }
    case 0x22: {
      const Point from = c.point();
      const int dh = c.s8(), dv = c.s8();
      if (c.ok()) line(in, from, Point{from.v + dv, from.h + dh});
      return true;
    }
    case 0x23: {
      const int dh = c.s8(), dv = c.s8();
      if (c.ok()) line(in, st.pen, Point{st.pen.v + dv, st.pen.h + dh});
      return true;
    }
    case 0x28: st.text_at = c.point(); return text(in, c.u8());
    case 0x29: st.text_at.h += c.u8(); return text(in, c.u8());
    case 0x2A: st.text_at.v += c.u8(); return text(in, c.u8());
    case 0x2B:
      st.text_at.h += c.u8();
      st.text_at.v += c.u8();
      return text(in, c.u8());
    case 0x2C: return font_name(in);
    case 0x90: case 0x91: case 0x98: case 0x99: case 0x9A: case 0x9B: return bits(in, op);
    case 0x0C00:
      if (in.version == 2) {
        header(in);
        return true;
      }
      break;
    default: break;
  }
  return skip_opcode_data(c, op, in.version);
}

// Runs the opcodes from the version opcode on; the note says why they
// stopped before OpEndPic.
void interpret(Interp& in) {
  Cursor& c = in.c;
  Cursor probe = c;
  if (probe.u8() == 0x11 && probe.u8() == 0x01) {
    in.version = 1;
  } else {
    probe = c;
    if (probe.u16() != 0x0011 || probe.u16() != 0x02FF) {
      in.note = "no picture version opcode";
      return;
    }
    in.version = 2;
  }
  c = probe;
  for (;;) {
    if (in.budget.expired()) {
      in.note = "time limit";
      return;
    }
    if (in.version == 2) c.align2();
    if (c.left() < std::size_t(in.version)) {
      in.note = "picture data ends before its end opcode";
      return;
    }
    const std::size_t at = c.at();
    const unsigned op = in.version == 2 ? c.u16() : c.u8();
    if (op == 0xFF) return;
    if (!run_op(in, op)) {
      if (in.note.empty()) in.note = "unknown opcode " + hex_op(op) + " at byte " + std::to_string(at);
      return;
    }
    if (!c.ok()) {
      if (in.note.empty()) in.note = "picture data ends inside opcode " + hex_op(op) + " at byte " + std::to_string(at);
      return;
    }
  }
}


// The image's pixels per point: twice 72 dpi for drawings, a bitmap's own
// resolution for a picture made of bitmaps alone; less when the image would
// pass the pixel limit.
void image_scale(const Scan& scan, const Rect& frame, std::uint64_t max_pixels, double& sx, double& sy) {
  sx = sy = 2;
  if (scan.drawn == 0 && scan.bitmaps > 0 && scan.same_ratio) {
    const Rect& src = scan.source;
    sx = scan.ratio_x * (src.empty() ? 1.0 : double(src.width()) / frame.width());
    sy = scan.ratio_y * (src.empty() ? 1.0 : double(src.height()) / frame.height());
    sx = std::clamp(sx, 0.25, 16.0);
    sy = std::clamp(sy, 0.25, 16.0);
  }
  const double w = frame.width() * sx, h = frame.height() * sy;
  double shrink = 1;
  if (w * h > double(max_pixels)) shrink = std::sqrt(double(max_pixels) / (w * h));
  shrink = std::min({shrink, kMaxSide / w, kMaxSide / h});
  if (shrink < 1) sx *= shrink, sy *= shrink;
}

}  // namespace

bool render_pict(std::span<const std::uint8_t> pict, RenderedPicture& out, const PictLimits& limits) {
  out = RenderedPicture{};
  const Budget budget{limits.max_pixels, std::chrono::steady_clock::now() + limits.max_time};
  if (pict.size() < 10) {
    out.note = "too short for a picture header";
    return false;
  }
  Cursor head(pict, 2);
  const Rect frame = head.rect();
  if (frame.empty()) {
    out.note = "empty picture frame";
    return false;
  }
  out.width_pt = frame.width();
  out.height_pt = frame.height();
  if (static_cast<std::uint64_t>(frame.width()) * static_cast<std::uint64_t>(frame.height()) > limits.max_pixels ||
      frame.width() > kMaxSide || frame.height() > kMaxSide) {
    out.note = "picture frame beyond the pixel limit";
    return false;
  }

  Scan scan;
  {
    Interp reading{Cursor(pict, 10)};
    reading.frame = frame;
    reading.scan = &scan;
    reading.budget = budget;
    interpret(reading);
  }
  double sx = 2, sy = 2;
  image_scale(scan, frame, limits.max_pixels, sx, sy);
  int w = std::max(1, static_cast<int>(std::floor(frame.width() * sx + 0.5)));
  int h = std::max(1, static_cast<int>(std::floor(frame.height() * sy + 0.5)));
  while (static_cast<std::uint64_t>(w) * static_cast<std::uint64_t>(h) > limits.max_pixels && (w > 1 || h > 1))
    (w >= h ? w : h) -= 1;  // rounding up passed the limit

  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    out.note = "no memory for the image";
    return false;
  }
  Interp drawing{Cursor(pict, 10)};
  drawing.frame = frame;
  drawing.budget = budget;
  cairo_t* cr = cairo_create(surface.get());
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_scale(cr, double(w) / frame.width(), double(h) / frame.height());
  cairo_translate(cr, -frame.left, -frame.top);
  drawing.cr = cr;
  interpret(drawing);
  cairo_destroy(cr);
  cairo_surface_flush(surface.get());

  std::string png;
  if (!write_png(surface.get(), png)) {
    out.note = "the PNG could not be written";
    return false;
  }
  out.png = std::move(png);
  out.width_px = w;
  out.height_px = h;
  out.bitmaps_only = scan.drawn == 0 && scan.bitmaps > 0;
  out.note = std::move(drawing.note);
  return true;
}

}  // namespace lettrix
