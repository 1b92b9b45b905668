// Writes QuickDraw pictures opcode by opcode, as documents store them (size
// word, frame, version opcode, ..., OpEndPic; no 512-byte file header):
// version 1 with one-byte opcodes, version 2 with two-byte opcodes at even
// offsets after a HeaderOp.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lettrix::build {

struct PictRect {
  int top = 0, left = 0, bottom = 0, right = 0;
};

// A region's scan line: from line y down, the inside flips at each x.
struct RegionLine {
  int y = 0;
  std::vector<int> xs;
};

using Pattern8 = std::array<std::uint8_t, 8>;
inline constexpr Pattern8 kBlackPat{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
inline constexpr Pattern8 kWhitePat{};
inline constexpr Pattern8 kGrayPat{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};

// PackBits: runs of three or more equal units (bytes, or 16-bit words when
// unit is 2) as repeats, the rest as literals.
std::string pack_bits(const std::string& row, int unit = 1);

// A region record: size word, bounding box, scan lines (none: the box).
std::string region_bytes(PictRect box, const std::vector<RegionLine>& lines);

class PictBuilder {
 public:
  // A non-empty `source` makes an extended version 2 header: the opcodes'
  // coordinates are those of `source`, which the frame shows.
  PictBuilder(int version, PictRect frame, PictRect source = {});

  // The opcode (aligned to an even offset in version 2), then its data.
  PictBuilder& op(unsigned opcode);
  PictBuilder& byte(int v);
  PictBuilder& word(int v);
  PictBuilder& dword(std::uint32_t v);
  PictBuilder& rect(PictRect r);
  PictBuilder& point(int v, int h);
  PictBuilder& raw(const std::string& bytes);

  PictBuilder& pattern(unsigned opcode, const Pattern8& p);  // BkPat 0x02, PnPat 0x09, FillPat 0x0A
  PictBuilder& pen_size(int width, int height);
  PictBuilder& pen_mode(int mode);
  PictBuilder& rgb(unsigned opcode, int r, int g, int b);  // RGBFgCol 0x1A, RGBBkCol 0x1B (0..65535)
  PictBuilder& line(int v1, int h1, int v2, int h2);
  PictBuilder& shape(unsigned opcode, PictRect r);  // 0x30..0x5F
  PictBuilder& arc(unsigned opcode, PictRect r, int start, int angle);
  PictBuilder& polygon(unsigned opcode, const std::vector<std::array<int, 2>>& points);  // (v, h) pairs
  PictBuilder& region(unsigned opcode, PictRect box, const std::vector<RegionLine>& lines = {});
  PictBuilder& long_text(int v, int h, const std::string& text);

  // BitsRect 0x90 / PackBitsRect 0x98 (and their Rgn forms 0x91 / 0x99
  // with `mask`) of a one-bit bitmap: rows of '#' (set) and '.' (clear).
  PictBuilder& bitmap(unsigned opcode, PictRect bounds, const std::vector<std::string>& rows, PictRect src,
                      PictRect dst, int mode, const std::vector<RegionLine>* mask = nullptr, PictRect mask_box = {});
  // PackBitsRect of an indexed pixel map of 1 to 8 bits a pixel: each row a
  // list of colour indices; palette 0xRRGGBB by index.
  PictBuilder& pixmap(PictRect bounds, int pixel_size, const std::vector<std::vector<int>>& rows,
                      const std::vector<std::uint32_t>& palette, PictRect dst);
  // DirectBitsRect of 0xRRGGBB pixels at 32 bits (pack type 1, 2 or 4) or 16
  // bits (pack type 1 or 3).
  PictBuilder& direct(PictRect bounds, int pixel_size, int pack_type, const std::vector<std::vector<std::uint32_t>>& rows,
                      PictRect dst);

  // The picture with OpEndPic and its size word.
  std::string finish();
  // The bytes so far, without OpEndPic (for truncated pictures).
  const std::string& bytes() const { return out_; }

 private:
  void pixmap_header(int row_bytes, PictRect bounds, int pack_type, int pixel_size, int cmp_count, bool direct);
  void rows_data(const std::vector<std::string>& rows, int row_bytes, bool packed, int unit);
  int version_;
  std::string out_;
};

// A whole picture of `version` with the opcodes `ops` adds.
std::string pict_of(int version, PictRect frame, const std::function<void(PictBuilder&)>& ops);

}  // namespace lettrix::build
