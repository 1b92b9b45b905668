// Reader tables: source byte -> plain byte or repertoire position.
//
// In the grids below P(t, i) is the repertoire position written as TableChar t, i and
// B(x) the plain byte x. The rows are the high nibble of the source byte, the columns
// the low nibble.
#include "core/charset.h"
#include "core/mac_scripts.h"

namespace lettrix {
namespace {

constexpr std::uint16_t P(int table, int index) { return static_cast<std::uint16_t>(table << 8 | index); }
constexpr std::uint16_t B(int byte) { return static_cast<std::uint16_t>(byte); }

using HalfTable = std::array<std::uint16_t, 128>;

// Macintosh standard character set, bytes 0x80..0xFF.
constexpr HalfTable kMacintoshUpper = {
    //      x0        x1        x2        x3        x4        x5        x6        x7
    //      x8        x9        xA        xB        xC        xD        xE        xF
    /*8x*/ P(1, 30),  P(1, 34),  P(1, 38),  P(1, 40),  P(1, 56),  P(1, 62),  P(1, 70),  P(1, 27),
           P(1, 33),  P(1, 29),  P(1, 31),  P(1, 77),  P(1, 35),  P(1, 39),  P(1, 41),  P(1, 47),
    /*9x*/ P(1, 43),  P(1, 45),  P(1, 49),  P(1, 55),  P(1, 51),  P(1, 53),  P(1, 57),  P(1, 59),
           P(1, 65),  P(1, 61),  P(1, 63),  P(1, 83),  P(1, 67),  P(1, 73),  P(1, 69),  P(1, 71),
    /*Ax*/ P(4, 39),  P(6, 36),  P(4, 19),  P(4, 11),  P(4, 6),   P(4, 3),   P(4, 5),   P(1, 23),
           P(4, 22),  P(4, 23),  P(4, 41),  P(1, 6),   P(1, 7),   P(6, 99),  P(1, 36),  P(1, 80),
    /*Bx*/ P(6, 19),  P(6, 1),   P(6, 2),   P(6, 3),   P(4, 12),  P(6, 37),  P(6, 44),  P(6, 18),
           P(6, 41),  P(8, 33),  P(6, 40),  P(4, 15),  P(4, 16),  P(8, 50),  P(1, 37),  P(1, 81),
    /*Cx*/ P(4, 8),   P(4, 7),   P(6, 20),  P(5, 14),  P(4, 14),  P(6, 13),  P(8, 8),   P(4, 9),
           P(4, 10),  P(4, 56),  B(0x20),   P(1, 32),  P(1, 76),  P(1, 82),  P(1, 166), P(1, 167),
    /*Dx*/ B(0x2D),   P(4, 34),  P(4, 32),  P(4, 31),  P(4, 29),  P(4, 28),  P(6, 8),   P(6, 95),
           P(1, 75),  P(1, 74),  B(0x2F),   P(4, 24),  P(4, 35),  P(4, 36),  P(4, 54),  P(4, 55),
    /*Ex*/ P(4, 40),  P(6, 32),  P(4, 62),  P(4, 63),  P(4, 75),  P(1, 28),  P(1, 42),  P(1, 26),
           P(1, 44),  P(1, 46),  P(1, 48),  P(1, 50),  P(1, 52),  P(1, 54),  P(1, 58),  P(1, 60),
    /*Fx*/ B(0x5F),   P(1, 64),  P(1, 66),  P(1, 68),  P(1, 72),  P(1, 24),  P(1, 3),   P(1, 2),
           P(1, 8),   P(1, 19),  P(1, 1),   P(1, 14),  P(1, 17),  P(1, 16),  P(1, 18),  P(1, 22),
};

// Symbol font, bytes 0x20..0x7F and 0xA0..0xFF.
constexpr std::array<std::uint16_t, 96> kSymbolAscii = {
    /*2x*/ B(0x20),   B(0x21),   P(6, 122), B(0x23),   P(6, 120), B(0x25),   B(0x26),   P(6, 71),
           B(0x28),   B(0x29),   P(6, 34),  B(0x2B),   B(0x2C),   B(0x2D),   B(0x2E),   B(0x2F),
    /*3x*/ B(0x30),   B(0x31),   B(0x32),   B(0x33),   B(0x34),   B(0x35),   B(0x36),   B(0x37),
           B(0x38),   B(0x39),   B(0x3A),   B(0x3B),   B(0x3C),   B(0x3D),   B(0x3E),   B(0x3F),
    /*4x*/ P(6, 14),  P(8, 0),   P(8, 2),   P(8, 46),  P(8, 8),   P(8, 10),  P(8, 44),  P(8, 6),
           P(8, 14),  P(8, 18),  P(8, 62),  P(8, 20),  P(8, 22),  P(8, 24),  P(8, 26),  P(8, 30),
    /*5x*/ P(8, 32),  P(8, 16),  P(8, 34),  P(8, 36),  P(8, 40),  P(8, 42),  P(8, 39),  P(8, 50),
           P(8, 28),  P(8, 48),  P(8, 12),  B(0x5B),   P(6, 102), B(0x5D),   P(6, 89),  B(0x5F),
    /*6x*/ P(6, 38),  P(8, 1),   P(8, 3),   P(8, 47),  P(8, 9),   P(8, 11),  P(8, 45),  P(8, 7),
           P(8, 15),  P(8, 19),  P(8, 67),  P(8, 21),  P(8, 23),  P(8, 25),  P(8, 27),  P(8, 31),
    /*7x*/ P(8, 33),  P(8, 17),  P(8, 35),  P(8, 37),  P(8, 41),  P(8, 43),  P(8, 64),  P(8, 51),
           P(8, 29),  P(8, 49),  P(8, 13),  B(0x7B),   B(0x7C),   B(0x7D),   B(0x2D),   B(0x5F),
};

constexpr std::array<std::uint16_t, 96> kSymbolUpper = {
    /*Ax*/ B(0x5F),   B(0x5F),   P(6, 45),  P(6, 2),   P(6, 6),   P(6, 19),  P(4, 14),  P(5, 2),
           P(5, 1),   P(5, 0),   P(5, 3),   P(6, 25),  P(6, 22),  P(6, 23),  P(6, 21),  P(6, 24),
    /*Bx*/ P(6, 36),  P(6, 1),   P(6, 46),  P(6, 3),   P(6, 39),  P(6, 4),   P(6, 44),  P(6, 96),
           P(6, 8),   P(6, 99),  P(6, 14),  P(6, 13),  P(4, 56),  P(3, 9),   P(3, 8),   B(0x5F),
    /*Cx*/ B(0x5F),   P(6, 51),  P(6, 52),  P(6, 53),  P(6, 80),  P(6, 81),  P(6, 72),  P(6, 16),
           P(6, 66),  P(6, 68),  P(6, 70),  P(6, 197), P(6, 67),  P(6, 69),  P(6, 15),  P(6, 209),
    /*Dx*/ P(6, 79),  P(6, 43),  P(4, 22),  P(4, 23),  P(4, 41),  P(6, 41),  P(7, 4),   P(6, 32),
           P(6, 20),  P(6, 85),  P(6, 86),  P(6, 60),  P(6, 57),  P(6, 58),  P(6, 56),  P(6, 59),
    /*Ex*/ P(6, 95),  P(6, 10),  P(4, 22),  P(4, 23),  P(4, 41),  P(6, 18),  P(7, 104), P(7, 106),
           P(7, 105), P(7, 118), P(7, 120), P(7, 119), P(7, 25),  P(7, 26),  P(7, 27),  P(7, 11),
    /*Fx*/ B(0x5F),   P(6, 11),  P(7, 9),   P(7, 0),   P(7, 2),   P(7, 1),   P(7, 111), P(7, 113),
           P(7, 112), P(7, 125), P(7, 127), P(7, 126), P(7, 33),  P(7, 34),  P(7, 35),  B(0x5F),
};

constexpr ReaderTable make_macintosh_table() {
  ReaderTable t{};  // control bytes yield nothing unless listed below
  for (int b = 0x20; b < 0x80; ++b) t[b] = B(b);
  t[0x11] = B(0x5F);  // command key sign
  t[0x12] = P(5, 23);  // check mark
  t[0x13] = P(6, 96);  // black diamond
  t[0x14] = B(0x5F);  // Apple sign
  t[0x1E] = B(0x2D);
  // 0x06 stays 0: a plain 0x5C here would reach the stream as a bare escape byte.
  for (int b = 0; b < 128; ++b) t[0x80 + b] = kMacintoshUpper[b];
  return t;
}

constexpr ReaderTable make_symbol_table() {
  ReaderTable t{};
  t[0x06] = P(6, 102);
  t[0x1E] = B(0x2D);
  for (int b = 0; b < 96; ++b) t[0x20 + b] = kSymbolAscii[b];
  for (int b = 0x80; b < 0xA0; ++b) t[b] = B(0x5F);
  for (int b = 0; b < 96; ++b) t[0xA0 + b] = kSymbolUpper[b];
  return t;
}

constexpr ReaderTable make_dingbat_table() {
  ReaderTable t{};
  t.fill(B(0x5F));
  t[0x20] = B(0x20);
  int index = kDingbatFirst;
  for (int b = 0; b < 256; ++b) {
    if (dingbat_has_glyph(b)) t[b] = P(kDingbatPositionTable, index++);
  }
  return t;
}

constexpr int count_dingbat_glyphs() {
  int n = 0;
  for (int b = 0; b < 256; ++b) n += dingbat_has_glyph(b) ? 1 : 0;
  return n;
}
static_assert(count_dingbat_glyphs() == kDingbatCount);
static_assert(kDingbatFirst + kDingbatCount <= kSystemSymbolFirst);

}  // namespace

namespace {

ReaderTable script_table(const std::array<std::uint16_t, 128>& upper) {
  ReaderTable t = make_macintosh_table();
  for (int b = 0; b < 128; ++b) t[0x80 + b] = upper[b];
  return t;
}

}  // namespace

const ReaderTable kMacGreekTable = script_table(kMacGreekUpper);
const ReaderTable kMacCyrillicTable = script_table(kMacCyrillicUpper);
const ReaderTable kMacCentralEuropeanTable = script_table(kMacCentralEuropeanUpper);

const ReaderTable* script_reader_table(int font_number) { return script_table(mac_font_script(font_number)); }

const ReaderTable kMacintoshTable = make_macintosh_table();
const ReaderTable kSymbolTable = make_symbol_table();
const ReaderTable kDingbatTable = make_dingbat_table();

}  // namespace lettrix
