#include "builders/pict_builder.h"

#include <algorithm>

#include "builders/builder_common.h"

namespace lettrix::build {

std::string pack_bits(const std::string& row, int unit) {
  const std::size_t u = unit == 2 ? 2 : 1, n = row.size() / u;
  const auto same = [&](std::size_t a, std::size_t b) { return row.compare(a * u, u, row, b * u, u) == 0; };
  std::string out;
  std::size_t i = 0;
  while (i < n) {
    std::size_t run = 1;
    while (i + run < n && run < 128 && same(i, i + run)) ++run;
    if (run >= 3) {
      out.push_back(static_cast<char>(1 - static_cast<int>(run)));
      out.append(row, i * u, u);
      i += run;
      continue;
    }
    std::size_t lit = 0;
    while (i + lit < n && lit < 128 && !(i + lit + 2 < n && same(i + lit, i + lit + 1) && same(i + lit, i + lit + 2)))
      ++lit;
    out.push_back(static_cast<char>(lit - 1));
    out.append(row, i * u, lit * u);
    i += lit;
  }
  return out;
}

PictBuilder::PictBuilder(int version, PictRect frame, PictRect source) : version_(version) {
  put_be16(out_, 0);
  rect(frame);
  if (version_ == 1) {
    out_ += "\x11\x01";
    return;
  }
  put_be16(out_, 0x0011);
  put_be16(out_, 0x02FF);
  if (source.right > source.left) {  // version -2: resolution and source rectangle
    op(0x0C00).word(-2).word(0).dword(0x00900000).dword(0x00900000).rect(source).dword(0);
    return;
  }
  op(0x0C00).word(-1).word(-1);  // version -1: a fixed-point frame, then reserved
  for (int v : {frame.left, frame.top, frame.right, frame.bottom}) word(v).word(0);
  dword(0);
}

PictBuilder& PictBuilder::op(unsigned opcode) {
  if (version_ == 1) return byte(static_cast<int>(opcode));
  if (out_.size() % 2) out_.push_back('\0');
  return word(static_cast<int>(opcode));
}
PictBuilder& PictBuilder::byte(int v) {
  out_.push_back(static_cast<char>(v));
  return *this;
}
PictBuilder& PictBuilder::word(int v) {
  put_be16(out_, static_cast<std::uint16_t>(v));
  return *this;
}
PictBuilder& PictBuilder::dword(std::uint32_t v) {
  put_be32(out_, v);
  return *this;
}
PictBuilder& PictBuilder::rect(PictRect r) { return word(r.top).word(r.left).word(r.bottom).word(r.right); }
PictBuilder& PictBuilder::point(int v, int h) { return word(v).word(h); }
PictBuilder& PictBuilder::raw(const std::string& bytes) {
  out_ += bytes;
  return *this;
}

PictBuilder& PictBuilder::pattern(unsigned opcode, const Pattern8& p) {
  op(opcode);
  for (std::uint8_t b : p) byte(b);
  return *this;
}
PictBuilder& PictBuilder::pen_size(int width, int height) { return op(0x07).point(height, width); }
PictBuilder& PictBuilder::pen_mode(int mode) { return op(0x08).word(mode); }
PictBuilder& PictBuilder::rgb(unsigned opcode, int r, int g, int b) { return op(opcode).word(r).word(g).word(b); }
PictBuilder& PictBuilder::line(int v1, int h1, int v2, int h2) { return op(0x20).point(v1, h1).point(v2, h2); }
PictBuilder& PictBuilder::shape(unsigned opcode, PictRect r) { return (opcode & 8) ? op(opcode) : op(opcode).rect(r); }
PictBuilder& PictBuilder::arc(unsigned opcode, PictRect r, int start, int angle) {
  if (!(opcode & 8)) op(opcode).rect(r);
  else op(opcode);
  return word(start).word(angle);
}

PictBuilder& PictBuilder::polygon(unsigned opcode, const std::vector<std::array<int, 2>>& points) {
  PictRect box{32767, 32767, -32768, -32768};
  for (const auto& p : points) {
    box.top = std::min(box.top, p[0]), box.bottom = std::max(box.bottom, p[0]);
    box.left = std::min(box.left, p[1]), box.right = std::max(box.right, p[1]);
  }
  op(opcode).word(static_cast<int>(10 + 4 * points.size())).rect(box);
  for (const auto& p : points) point(p[0], p[1]);
  return *this;
}

std::string region_bytes(PictRect box, const std::vector<RegionLine>& lines) {
  std::string data;
  for (const RegionLine& l : lines) {
    put_be16(data, static_cast<std::uint16_t>(l.y));
    for (int x : l.xs) put_be16(data, static_cast<std::uint16_t>(x));
    put_be16(data, 0x7FFF);
  }
  if (!lines.empty()) put_be16(data, 0x7FFF);
  std::string out;
  put_be16(out, static_cast<std::uint16_t>(10 + data.size()));
  for (int v : {box.top, box.left, box.bottom, box.right}) put_be16(out, static_cast<std::uint16_t>(v));
  return out + data;
}

PictBuilder& PictBuilder::region(unsigned opcode, PictRect box, const std::vector<RegionLine>& lines) {
  return op(opcode).raw(region_bytes(box, lines));
}

PictBuilder& PictBuilder::long_text(int v, int h, const std::string& text) {
  op(0x28).point(v, h).byte(static_cast<int>(text.size()));
  return raw(text);
}

void PictBuilder::rows_data(const std::vector<std::string>& rows, int row_bytes, bool packed, int unit) {
  for (const std::string& row : rows) {
    if (!packed) {
      out_ += row;
      continue;
    }
    const std::string p = pack_bits(row, unit);
    if (row_bytes > 250)
      word(static_cast<int>(p.size()));
    else
      byte(static_cast<int>(p.size()));
    out_ += p;
  }
}

PictBuilder& PictBuilder::bitmap(unsigned opcode, PictRect bounds, const std::vector<std::string>& rows, PictRect src,
                                 PictRect dst, int mode, const std::vector<RegionLine>* mask, PictRect mask_box) {
  const int width = bounds.right - bounds.left;
  const int row_bytes = ((width + 15) / 16) * 2;
  op(opcode).word(row_bytes).rect(bounds).rect(src).rect(dst).word(mode);
  if (mask) raw(region_bytes(mask_box, *mask));
  std::vector<std::string> data;
  for (const std::string& r : rows) {
    std::string bytes(static_cast<std::size_t>(row_bytes), '\0');
    for (std::size_t x = 0; x < r.size(); ++x)
      if (r[x] == '#') bytes[x / 8] = static_cast<char>(bytes[x / 8] | (0x80 >> (x % 8)));
    data.push_back(bytes);
  }
  rows_data(data, row_bytes, opcode >= 0x98 && row_bytes >= 8, 1);
  return *this;
}

void PictBuilder::pixmap_header(int row_bytes, PictRect bounds, int pack_type, int pixel_size, int cmp_count,
                                bool direct) {
  word(row_bytes | 0x8000).rect(bounds);
  word(0).word(pack_type).dword(0).dword(0x00480000).dword(0x00480000);
  word(direct ? 16 : 0).word(pixel_size).word(cmp_count).word(direct ? (pixel_size == 16 ? 5 : 8) : pixel_size);
  dword(0).dword(0).dword(0);
}

PictBuilder& PictBuilder::pixmap(PictRect bounds, int pixel_size, const std::vector<std::vector<int>>& rows,
                                 const std::vector<std::uint32_t>& palette, PictRect dst) {
  const int width = bounds.right - bounds.left;
  const int row_bytes = ((width * pixel_size + 15) / 16) * 2;
  op(0x98);
  pixmap_header(row_bytes, bounds, 0, pixel_size, 1, false);
  dword(0).word(0).word(static_cast<int>(palette.size()) - 1);
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const std::uint32_t c = palette[i];
    word(static_cast<int>(i)).word(((c >> 16) & 255) * 257).word(((c >> 8) & 255) * 257).word((c & 255) * 257);
  }
  rect(bounds).rect(dst).word(0);
  std::vector<std::string> data;
  for (const auto& r : rows) {
    std::string bytes(static_cast<std::size_t>(row_bytes), '\0');
    for (std::size_t x = 0; x < r.size(); ++x) {
      const std::size_t bit = x * static_cast<std::size_t>(pixel_size);
      bytes[bit / 8] = static_cast<char>(bytes[bit / 8] | (r[x] << (8 - pixel_size - bit % 8)));
    }
    data.push_back(bytes);
  }
  rows_data(data, row_bytes, row_bytes >= 8, 1);
  return *this;
}

PictBuilder& PictBuilder::direct(PictRect bounds, int pixel_size, int pack_type,
                                 const std::vector<std::vector<std::uint32_t>>& rows, PictRect dst) {
  const int width = bounds.right - bounds.left;
  const int row_bytes = width * (pixel_size / 8);
  op(0x9A).dword(0xFF);
  pixmap_header(row_bytes, bounds, pack_type, pixel_size, pixel_size == 32 ? 3 : 3, true);
  rect(bounds).rect(dst).word(0);
  std::vector<std::string> data;
  for (const auto& r : rows) {
    std::string bytes;
    if (pixel_size == 16) {
      for (std::uint32_t c : r)
        put_be16(bytes, static_cast<std::uint16_t>((((c >> 19) & 31) << 10) | (((c >> 11) & 31) << 5) | ((c >> 3) & 31)));
    } else if (pack_type == 4) {
      for (int shift : {16, 8, 0})
        for (std::uint32_t c : r) bytes.push_back(static_cast<char>((c >> shift) & 255));
    } else {
      for (std::uint32_t c : r) {
        if (pack_type != 2) bytes.push_back('\0');
        for (int shift : {16, 8, 0}) bytes.push_back(static_cast<char>((c >> shift) & 255));
      }
    }
    data.push_back(bytes);
  }
  const bool packed = row_bytes >= 8 && (pack_type == 3 || pack_type == 4);
  rows_data(data, row_bytes, packed, pixel_size == 16 ? 2 : 1);
  return *this;
}

std::string PictBuilder::finish() {
  op(0xFF);
  std::string pict = out_;
  set_be16(pict, 0, static_cast<std::uint16_t>(pict.size() & 0xFFFF));
  return pict;
}

std::string pict_of(int version, PictRect frame, const std::function<void(PictBuilder&)>& ops) {
  PictBuilder b(version, frame);
  ops(b);
  return b.finish();
}

}  // namespace lettrix::build
