#include "graphics/pict_bitmaps.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/pict_paint.h"

namespace lettrix::pict {

namespace {

struct PixMap {
  int row_bytes = 0;
  Rect bounds;
  bool colour = false;  // a PixMap, not a one-bit BitMap
  bool direct = false;
  int pack_type = 0;
  int pixel_size = 1;
  int cmp_count = 1;
  std::vector<std::uint32_t> palette;  // 0xRRGGBB by pixel value
};

// The PixMap fields after rowBytes and bounds: version, packType, packSize,
// hRes, vRes, pixelType, pixelSize, cmpCount, cmpSize, planeBytes, pmTable,
// pmReserved (36 bytes).
void read_pixmap_fields(Cursor& c, PixMap& pm) {
  c.skip(2);
  pm.pack_type = c.u16();
  c.skip(14);
  pm.pixel_size = c.u16();
  pm.cmp_count = c.u16();
  c.skip(14);
}

// ctSeed, ctFlags, ctSize (entries less one), then value and 16-bit red,
// green, blue for each entry; a device table (flag 0x8000) is in pixel order.
bool read_colour_table(Cursor& c, PixMap& pm) {
  c.skip(4);
  const std::uint16_t flags = c.u16();
  const std::size_t count = std::size_t{c.u16()} + 1;
  if (!c.ok() || count * 8 > c.left()) return false;
  pm.palette.assign(256, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint16_t value = c.u16();
    const std::uint32_t r = c.u16() >> 8, g = c.u16() >> 8, b = c.u16() >> 8;
    const std::size_t at = (flags & 0x8000) ? i : value;
    if (at < pm.palette.size()) pm.palette[at] = (r << 16) | (g << 8) | b;
  }
  return c.ok();
}

std::uint32_t expand5(std::uint32_t v) { return (v << 3) | (v >> 2); }

// Converts one unpacked row to ARGB32 pixels.
void convert_row(const PixMap& pm, bool planar, const std::uint8_t* row, int width, std::uint32_t set,
                 std::uint32_t clear, std::uint32_t* out) {
  const int depth = pm.pixel_size;
  if (!pm.colour) {
    for (int x = 0; x < width; ++x) out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? set : clear;
    return;
  }
  if (depth <= 8) {
    const int per_byte = 8 / depth, mask = (1 << depth) - 1;
    for (int x = 0; x < width; ++x) {
      const int shift = 8 - depth * (x % per_byte + 1);
      const int value = (row[x / per_byte] >> shift) & mask;
      out[x] = 0xFF000000u | pm.palette[static_cast<std::size_t>(value)];
    }
    return;
  }
  if (depth == 16) {
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = (std::uint32_t{row[2 * x]} << 8) | row[2 * x + 1];
      out[x] = 0xFF000000u | (expand5((v >> 10) & 31) << 16) | (expand5((v >> 5) & 31) << 8) | expand5(v & 31);
    }
    return;
  }
  // 32 bits: planes of red, green, blue (after alpha when four), or
  // interleaved x-r-g-b, or r-g-b without the pad byte.
  for (int x = 0; x < width; ++x) {
    std::uint32_t r, g, b;
    if (pm.pack_type == 2) {
      r = row[3 * x], g = row[3 * x + 1], b = row[3 * x + 2];
    } else if (planar) {
      const int first = pm.cmp_count >= 4 ? 1 : 0;
      r = row[(first + 0) * width + x], g = row[(first + 1) * width + x], b = row[(first + 2) * width + x];
    } else {
      r = row[4 * x + 1], g = row[4 * x + 2], b = row[4 * x + 3];
    }
    out[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
  }
}

// Bytes an unpacked row holds, whether rows are packed, and whether the row
// holds its colour components one plane after the other.
std::size_t row_length(const PixMap& pm, bool packed_op, bool& packed, bool& planar) {
  const int width = pm.bounds.width();
  packed = packed_op && pm.row_bytes >= 8;
  planar = false;
  if (pm.colour && pm.pixel_size == 32) {
    if (pm.pack_type == 1) packed = false;
    if (pm.pack_type == 2) {
      packed = false;
      return static_cast<std::size_t>(width) * 3;
    }
    planar = packed && (pm.pack_type == 4 || pm.pack_type == 0);
    if (planar)
      return static_cast<std::size_t>(width) * static_cast<std::size_t>(std::clamp(pm.cmp_count, 3, 4));
  }
  if (pm.colour && pm.pixel_size == 16 && pm.pack_type == 1) packed = false;
  return static_cast<std::size_t>(pm.row_bytes);
}

// Reads (and, with `image`, converts) the rows of a pixel map.
bool read_rows(Cursor& c, const PixMap& pm, bool packed_op, const Budget& budget, Rgba set, Rgba clear,
               cairo_surface_t* image, std::string& why) {
  const int width = pm.bounds.width(), height = pm.bounds.height();
  bool packed = false, planar = false;
  const std::size_t length = row_length(pm, packed_op, packed, planar);
  const bool three_bytes = pm.colour && pm.pixel_size == 32 && pm.pack_type == 2;
  const std::size_t needed = planar || three_bytes
                                 ? length
                                 : (static_cast<std::size_t>(width) * static_cast<std::size_t>(pm.pixel_size) + 7) / 8;
  if (length < needed) {
    why = "bitmap rows shorter than its width";
    return false;
  }
  if (static_cast<std::size_t>(height) > (packed ? c.left() : c.left() / std::max<std::size_t>(length, 1))) {
    why = "bitmap beyond the picture's end";
    c.fail();
    return false;
  }
  const int unit = packed && pm.colour && pm.pixel_size == 16 ? 2 : 1;
  const bool wide_counts = pm.row_bytes > 250;
  std::vector<std::uint8_t> row(length + 1);
  unsigned char* pixels = image ? cairo_image_surface_get_data(image) : nullptr;
  const int stride = image ? cairo_image_surface_get_stride(image) : 0;
  const std::uint32_t set_px = argb_pixel(set), clear_px = argb_pixel(clear);
  for (int y = 0; y < height; ++y) {
    if ((y & 63) == 63 && budget.expired()) {
      why = "time limit";
      return false;
    }
    std::span<const std::uint8_t> data;
    if (packed) {
      const std::size_t count = wide_counts ? c.u16() : c.u8();
      data = c.bytes(count);
    } else {
      data = c.bytes(length);
    }
    if (!c.ok()) {
      why = "bitmap beyond the picture's end";
      return false;
    }
    if (!pixels) continue;
    std::fill(row.begin(), row.end(), 0);
    if (packed)
      unpack_bits(data, row.data(), length, unit);
    else
      std::memcpy(row.data(), data.data(), data.size());
    convert_row(pm, planar, row.data(), width, set_px, clear_px, reinterpret_cast<std::uint32_t*>(pixels + y * stride));
  }
  return true;
}

bool check_size(const PixMap& pm, const Budget& budget, std::string& why) {
  const Rect& b = pm.bounds;
  if (b.empty()) {
    why = "bitmap with empty bounds";
    return false;
  }
  if (static_cast<std::uint64_t>(b.width()) * static_cast<std::uint64_t>(b.height()) > budget.max_pixels) {
    why = "bitmap beyond the pixel limit";
    return false;
  }
  const int d = pm.pixel_size;
  if (pm.colour && d != 1 && d != 2 && d != 4 && d != 8 && d != 16 && d != 32) {
    why = "bitmap of " + std::to_string(d) + " bits a pixel";
    return false;
  }
  if (pm.colour && d <= 8 && pm.palette.empty()) {
    why = "indexed bitmap without a colour table";
    return false;
  }
  return true;
}

SurfacePtr make_image(const PixMap& pm, std::string& why) {
  SurfacePtr s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pm.bounds.width(), pm.bounds.height()));
  if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) {
    why = "no memory for a bitmap";
    return nullptr;
  }
  cairo_surface_flush(s.get());
  return s;
}

}  // namespace

void unpack_bits(std::span<const std::uint8_t> in, std::uint8_t* out, std::size_t out_len, int unit) {
  const std::size_t u = unit == 2 ? 2 : 1;
  std::size_t i = 0, o = 0;
  while (i < in.size() && o < out_len) {
    const int flag = static_cast<std::int8_t>(in[i++]);
    if (flag >= 0) {
      const std::size_t n = (static_cast<std::size_t>(flag) + 1) * u;
      const std::size_t take = std::min({n, in.size() - i, out_len - o});
      std::memcpy(out + o, in.data() + i, take);
      i += n < in.size() - i ? n : in.size() - i;
      o += take;
    } else if (flag != -128) {
      if (in.size() - i < u) break;
      const std::size_t times = static_cast<std::size_t>(1 - flag);
      for (std::size_t t = 0; t < times && o < out_len; ++t)
        for (std::size_t k = 0; k < u && o < out_len; ++k) out[o++] = in[i + k];
      i += u;
    }
  }
}

bool read_bits_op(Cursor& c, unsigned op, const PictState& st, bool decode, const Budget& budget, BitsOp& out,
                  std::string& why) {
  out = BitsOp{};
  PixMap pm;
  pm.direct = op == 0x9A || op == 0x9B;
  if (pm.direct) c.skip(4);  // baseAddr
  const std::uint16_t rb = c.u16();
  pm.row_bytes = rb & 0x3FFF;
  pm.colour = pm.direct || (rb & 0x8000) != 0;
  pm.bounds = c.rect();
  if (pm.colour) {
    read_pixmap_fields(c, pm);
    if (!pm.direct && !read_colour_table(c, pm)) {
      why = "colour table beyond the picture's end";
      c.fail();
      return false;
    }
    if (pm.direct && pm.pixel_size != 16 && pm.pixel_size != 32) {
      why = "direct pixels of " + std::to_string(pm.pixel_size) + " bits";
      return false;
    }
  } else {
    pm.pixel_size = 1;
  }
  out.bounds = pm.bounds;
  out.src = c.rect();
  out.dst = c.rect();
  out.mode = c.u16();
  out.one_bit = !pm.colour;
  const bool with_region = op == 0x91 || op == 0x99 || op == 0x9B;
  if (with_region) {
    out.has_mask = true;
    if (!read_region(c, out.mask, kMaxRegionRects, why)) return false;
  }
  if (!c.ok()) {
    why = "bitmap header beyond the picture's end";
    return false;
  }
  if (!check_size(pm, budget, why)) return false;
  SurfacePtr image;
  if (decode && !(image = make_image(pm, why))) return false;
  Rgba set, clear;
  mode_colours(pm.colour ? ModeCopy : out.mode, st.fg, st.bg, set, clear);
  const bool packed_op = op != 0x90 && op != 0x91;
  if (!read_rows(c, pm, packed_op, budget, set, clear, image.get(), why)) return false;
  if (image) cairo_surface_mark_dirty(image.get());
  out.image = std::move(image);
  return true;
}

void draw_bits(cairo_t* cr, const BitsOp& bits) {
  if (!bits.image || bits.src.empty() || bits.dst.empty()) return;
  cairo_save(cr);
  cairo_new_path(cr);
  if (bits.has_mask) {
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    path_region(cr, bits.mask);
    cairo_clip(cr);
  }
  cairo_pattern_t* p = cairo_pattern_create_for_surface(bits.image.get());
  cairo_matrix_t m;
  cairo_matrix_init_translate(&m, bits.src.left - bits.bounds.left, bits.src.top - bits.bounds.top);
  cairo_matrix_scale(&m, double(bits.src.width()) / bits.dst.width(), double(bits.src.height()) / bits.dst.height());
  cairo_matrix_translate(&m, -bits.dst.left, -bits.dst.top);
  cairo_pattern_set_matrix(p, &m);
  double dx = 1, dy = 0;
  cairo_user_to_device_distance(cr, &dx, &dy);
  const double device_per_pixel = dx * bits.dst.width() / bits.src.width();
  cairo_pattern_set_filter(p, device_per_pixel > 0.999 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
  cairo_set_source(cr, p);
  cairo_set_operator(cr, bits.one_bit && mode_kind(bits.mode) == ModeXor ? CAIRO_OPERATOR_DIFFERENCE
                                                                         : CAIRO_OPERATOR_OVER);
  cairo_rectangle(cr, bits.dst.left, bits.dst.top, bits.dst.width(), bits.dst.height());
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

bool read_pix_pattern(Cursor& c, const Budget& budget, Pattern& out, std::string& why) {
  const std::uint16_t type = c.u16();
  Pattern pat;
  for (auto& b : pat.bits) b = c.u8();
  if (type == 2) {  // a colour QuickDraw dithers
    const unsigned r = c.u16(), g = c.u16(), b = c.u16();
    pat.is_colour = true;
    pat.colour = rgb_from_words(r, g, b);
  } else if (type == 1) {  // a pixel map, its colour table and its rows
    PixMap pm;
    pm.colour = true;
    pm.row_bytes = c.u16() & 0x3FFF;
    pm.bounds = c.rect();
    read_pixmap_fields(c, pm);
    if (!read_colour_table(c, pm)) {
      why = "pattern's colour table beyond the picture's end";
      c.fail();
      return false;
    }
    if (!c.ok()) {
      why = "pattern beyond the picture's end";
      return false;
    }
    if (!check_size(pm, budget, why)) return false;
    if (!read_rows(c, pm, true, budget, Rgba{}, Rgba{}, nullptr, why)) return false;
  }
  if (!c.ok()) {
    why = "pattern beyond the picture's end";
    return false;
  }
  out = pat;
  return true;
}

}  // namespace lettrix::pict
