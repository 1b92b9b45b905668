#include "graphics/pict_paint.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace lettrix::pict {

namespace {

constexpr double kPi = 3.14159265358979323846;

void set_pattern_surface(cairo_t* cr, const std::array<std::uint8_t, 8>& bits, const Rgba& on, const Rgba& off) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    cairo_set_source_rgba(cr, on.r, on.g, on.b, on.a);
    return;
  }
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  const std::uint32_t on_px = argb_pixel(on), off_px = argb_pixel(off);
  for (int y = 0; y < 8; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
    for (int x = 0; x < 8; ++x) row[x] = (bits[y] & (0x80 >> x)) ? on_px : off_px;
  }
  cairo_surface_mark_dirty(s);
  cairo_pattern_t* p = cairo_pattern_create_for_surface(s);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(p, CAIRO_FILTER_NEAREST);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
  cairo_surface_destroy(s);
}

void path_rect(cairo_t* cr, const Rect& r) { cairo_rectangle(cr, r.left, r.top, r.width(), r.height()); }

void path_oval(cairo_t* cr, const Rect& r) {
  if (r.empty()) return;
  cairo_save(cr);
  cairo_translate(cr, (r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
  cairo_scale(cr, r.width() / 2.0, r.height() / 2.0);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_close_path(cr);
  cairo_restore(cr);
}

void path_round_rect(cairo_t* cr, const Rect& r, Point oval) {
  if (r.empty()) return;
  const double rw = std::clamp(oval.h / 2.0, 0.0, r.width() / 2.0);
  const double rh = std::clamp(oval.v / 2.0, 0.0, r.height() / 2.0);
  if (rw <= 0 || rh <= 0) return path_rect(cr, r);
  const auto corner = [&](double cx, double cy, double a0) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rw, rh);
    cairo_arc(cr, 0, 0, 1, a0, a0 + kPi / 2);
    cairo_restore(cr);
  };
  cairo_new_sub_path(cr);
  corner(r.right - rw, r.top + rh, -kPi / 2);
  corner(r.right - rw, r.bottom - rh, 0);
  corner(r.left + rw, r.bottom - rh, kPi / 2);
  corner(r.left + rw, r.top + rh, kPi);
  cairo_close_path(cr);
}

// The elliptic arc of `r` from QuickDraw angle a0 over `sweep` degrees
// (clockwise when positive), added to the current sub-path.
void path_arc(cairo_t* cr, const Rect& r, double a0, double sweep) {
  const double from = (a0 - 90) * kPi / 180, to = (a0 + sweep - 90) * kPi / 180;
  cairo_save(cr);
  cairo_translate(cr, (r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
  cairo_scale(cr, r.width() / 2.0, r.height() / 2.0);
  if (sweep >= 0)
    cairo_arc(cr, 0, 0, 1, from, to);
  else
    cairo_arc_negative(cr, 0, 0, 1, from, to);
  cairo_restore(cr);
}

void path_wedge(cairo_t* cr, const Rect& r, int start, int sweep) {
  if (r.empty()) return;
  sweep = std::clamp(sweep, -360, 360);
  cairo_new_sub_path(cr);
  cairo_move_to(cr, (r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0);
  path_arc(cr, r, start, sweep);
  cairo_close_path(cr);
}

Rect inset(const Rect& r, Point pen) { return Rect{r.top + pen.v, r.left + pen.h, r.bottom - pen.v, r.right - pen.h}; }

void path_polygon(cairo_t* cr, const Polygon& poly) {
  if (poly.points.empty()) return;
  cairo_new_sub_path(cr);
  for (const Point& p : poly.points) cairo_line_to(cr, p.h, p.v);
  cairo_close_path(cr);
}

double cross(const std::array<double, 2>& o, const std::array<double, 2>& a, const std::array<double, 2>& b) {
  return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0]);
}

// The convex hull of the pen's rectangle at both ends, as one sub-path.
void path_line(cairo_t* cr, Point from, Point to, Point pen) {
  std::array<std::array<double, 2>, 8> pts{};
  int n = 0;
  for (const Point& p : {from, to}) {
    pts[n++] = {double(p.h), double(p.v)};
    pts[n++] = {double(p.h + pen.h), double(p.v)};
    pts[n++] = {double(p.h + pen.h), double(p.v + pen.v)};
    pts[n++] = {double(p.h), double(p.v + pen.v)};
  }
  std::sort(pts.begin(), pts.end());
  std::array<std::array<double, 2>, 16> hull{};
  int k = 0;
  for (int i = 0; i < 8; ++i) {  // lower chain
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
    hull[k++] = pts[i];
  }
  for (int i = 6, t = k + 1; i >= 0; --i) {  // upper chain
    while (k >= t && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
    hull[k++] = pts[i];
  }
  cairo_new_sub_path(cr);
  for (int i = 0; i + 1 < k; ++i) cairo_line_to(cr, hull[i][0], hull[i][1]);
  cairo_close_path(cr);
}

bool pen_visible(const PictState& st) { return st.pen_size.h > 0 && st.pen_size.v > 0; }

// A region's frame: the region less the part of it that stays inside when
// moved by the pen's size in each of the four directions. Both are made as
// masks by filling, which costs what the region's rectangles cost.
void fill_region_at(cairo_t* cr, const Region& region, int dh, int dv) {
  cairo_save(cr);
  cairo_translate(cr, dh, dv);
  path_region(cr, region);
  cairo_restore(cr);
  cairo_fill(cr);
}

void frame_region(cairo_t* cr, const PictState& st, const Region& region) {
  cairo_save(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  cairo_push_group_with_content(cr, CAIRO_CONTENT_ALPHA);  // the region
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  fill_region_at(cr, region, 0, 0);
  cairo_push_group_with_content(cr, CAIRO_CONTENT_ALPHA);  // its inside
  fill_region_at(cr, region, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_IN);
  const Point shifts[4] = {{0, st.pen_size.h}, {0, -st.pen_size.h}, {st.pen_size.v, 0}, {-st.pen_size.v, 0}};
  for (const Point& s : shifts) fill_region_at(cr, region, s.h, s.v);
  cairo_pattern_t* inside = cairo_pop_group(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
  cairo_set_source(cr, inside);
  cairo_paint(cr);
  cairo_pattern_destroy(inside);
  cairo_pattern_t* mask = cairo_pop_group(cr);
  cairo_restore(cr);
  set_pattern_source(cr, st.pen_pat, st.fg, st.bg, st.pen_mode);
  cairo_mask(cr, mask);
  cairo_pattern_destroy(mask);
}

void frame_path(cairo_t* cr, const PictState& st, const Shape& s) {
  const Rect in = inset(s.rect, st.pen_size);
  switch (s.kind) {
    case Shape::Kind::Rect:
      path_rect(cr, s.rect);
      if (!in.empty()) path_rect(cr, in);
      break;
    case Shape::Kind::Oval:
      path_oval(cr, s.rect);
      if (!in.empty()) path_oval(cr, in);
      break;
    case Shape::Kind::RoundRect:
      path_round_rect(cr, s.rect, st.oval_size);
      if (!in.empty())
        path_round_rect(cr, in, Point{st.oval_size.v - 2 * st.pen_size.v, st.oval_size.h - 2 * st.pen_size.h});
      break;
    case Shape::Kind::Arc: {
      if (s.rect.empty()) break;
      const int sweep = std::clamp(s.arc_angle, -360, 360);
      cairo_new_sub_path(cr);
      path_arc(cr, s.rect, s.start_angle, sweep);
      if (!in.empty())
        path_arc(cr, in, s.start_angle + sweep, -sweep);
      else
        cairo_line_to(cr, (s.rect.left + s.rect.right) / 2.0, (s.rect.top + s.rect.bottom) / 2.0);
      cairo_close_path(cr);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
      return;
    }
    case Shape::Kind::Polygon: {
      const auto& pts = s.polygon->points;
      for (std::size_t i = 0; i + 1 < pts.size(); ++i) path_line(cr, pts[i], pts[i + 1], st.pen_size);
      cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
      return;
    }
    case Shape::Kind::Region: break;
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
}

void area_path(cairo_t* cr, const Shape& s, const PictState& st) {
  switch (s.kind) {
    case Shape::Kind::Rect: path_rect(cr, s.rect); break;
    case Shape::Kind::Oval: path_oval(cr, s.rect); break;
    case Shape::Kind::RoundRect: path_round_rect(cr, s.rect, st.oval_size); break;
    case Shape::Kind::Arc: path_wedge(cr, s.rect, s.start_angle, s.arc_angle); break;
    case Shape::Kind::Polygon: path_polygon(cr, *s.polygon); break;
    case Shape::Kind::Region: path_region(cr, *s.region); break;
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
}

}  // namespace

void set_pattern_source(cairo_t* cr, const Pattern& pattern, Rgb fg, Rgb bg, int mode) {
  const int kind = mode_kind(mode);
  cairo_set_operator(cr, kind == ModeXor ? CAIRO_OPERATOR_DIFFERENCE : CAIRO_OPERATOR_OVER);
  if (pattern.is_colour) {
    const Rgb c = kind == ModeXor ? kWhite : pattern.colour;
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
    return;
  }
  Rgba on, off;
  mode_colours(mode, fg, bg, on, off);
  const std::array<std::uint8_t, 8>& bits = pattern.bits;
  const bool all_on = std::all_of(bits.begin(), bits.end(), [](std::uint8_t b) { return b == 0xFF; });
  const bool all_off = std::all_of(bits.begin(), bits.end(), [](std::uint8_t b) { return b == 0; });
  if (all_on || all_off) {
    const Rgba& c = all_on ? on : off;
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
    return;
  }
  set_pattern_surface(cr, bits, on, off);
}

void path_region(cairo_t* cr, const Region& region) {
  if (region.rectangular()) {
    if (!region.box.empty()) path_rect(cr, region.box);
    return;
  }
  for (const Rect& r : region.rects) path_rect(cr, r);
}

void draw_shape(cairo_t* cr, const PictState& st, int verb, const Shape& shape) {
  if ((shape.kind == Shape::Kind::Polygon && !shape.polygon) || (shape.kind == Shape::Kind::Region && !shape.region))
    return;
  cairo_new_path(cr);
  switch (verb) {
    case VerbFrame:
      if (!pen_visible(st)) return;
      if (shape.kind == Shape::Kind::Region) return frame_region(cr, st, *shape.region);
      set_pattern_source(cr, st.pen_pat, st.fg, st.bg, st.pen_mode);
      frame_path(cr, st, shape);
      break;
    case VerbPaint: set_pattern_source(cr, st.pen_pat, st.fg, st.bg, st.pen_mode); break;
    case VerbErase: set_pattern_source(cr, st.back_pat, st.fg, st.bg, ModeCopy); break;
    case VerbInvert: set_pattern_source(cr, solid_pattern(0xFF), kBlack, kWhite, ModeXor); break;
    case VerbFill: set_pattern_source(cr, st.fill_pat, st.fg, st.bg, ModeCopy); break;
    default: return;
  }
  if (verb != VerbFrame) area_path(cr, shape, st);
  cairo_fill(cr);
}

void draw_line(cairo_t* cr, const PictState& st, Point from, Point to) {
  if (!pen_visible(st)) return;
  cairo_new_path(cr);
  set_pattern_source(cr, st.pen_pat, st.fg, st.bg, st.pen_mode);
  path_line(cr, from, to, st.pen_size);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_fill(cr);
}

}  // namespace lettrix::pict
