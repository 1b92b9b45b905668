// What a picture's opcodes set for those that follow: pen, patterns,
// colours, text settings, the shapes the "same" opcodes draw again.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/pict_reader.h"
#include "graphics/pict_regions.h"

namespace lettrix::pict {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

// A colour with its opacity (0: leaves what is under it).
struct Rgba {
  double r = 0, g = 0, b = 0, a = 1;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{1, 1, 1};

// An 8x8 one-bit pattern (a set bit is drawn in the foreground colour), or,
// from a colour PixPat that is a single colour, that colour.
struct Pattern {
  std::array<std::uint8_t, 8> bits{};
  bool is_colour = false;
  Rgb colour;
};

Pattern solid_pattern(std::uint8_t byte);  // 0xFF black, 0x00 white

// The eight colours of the old QuickDraw colour model (FgColor, BkColor):
// blackColor 33, whiteColor 30, redColor 205, greenColor 341, blueColor 409,
// cyanColor 273, magentaColor 137, yellowColor 69; other values are black.
Rgb old_style_colour(std::uint32_t value);

// A 16-bit QuickDraw colour component triple.
inline Rgb rgb_from_words(unsigned r, unsigned g, unsigned b) { return Rgb{r / 65535.0, g / 65535.0, b / 65535.0}; }

// Transfer modes (pen, text, bits): the low bits pick copy/or/xor/bic, bit 2
// inverts the source; 8 to 15 are the pattern forms of 0 to 7.
enum Mode : int { ModeCopy = 0, ModeOr = 1, ModeXor = 2, ModeBic = 3 };
inline int mode_kind(int mode) { return (mode >= 0 && mode < 16) ? (mode & 3) : ModeCopy; }
inline bool mode_inverts(int mode) { return mode >= 0 && mode < 16 && (mode & 4) != 0; }

// The colours a transfer mode draws a one-bit source's set and clear bits
// in (the inverting modes swap the bits first): copy fg and bg, or fg and
// nothing, xor white (drawn as a difference) and nothing, bic bg and nothing.
void mode_colours(int mode, Rgb fg, Rgb bg, Rgba& set, Rgba& clear);

// A colour as a pixel of a cairo ARGB32 image (premultiplied).
std::uint32_t argb_pixel(const Rgba& c);

struct FontNameEntry {
  int id = 0;
  std::string name;
};

struct PictState {
  Point pen;             // pen location
  Point pen_size{1, 1};  // v: height, h: width
  int pen_mode = 8;      // patCopy
  Pattern pen_pat = solid_pattern(0xFF);
  Pattern back_pat = solid_pattern(0x00);
  Pattern fill_pat = solid_pattern(0xFF);
  Rgb fg = kBlack;
  Rgb bg = kWhite;
  Point oval_size;     // of rounded rectangles: v height, h width
  Rect last_rect;      // of the last rectangle, rounded rectangle, oval or arc
  Polygon last_poly;
  Region last_region;
  int text_font = 0;
  int text_face = 0;   // bold 1, italic 2, underline 4, outline 8, shadow 16, condense 32, extend 64
  int text_size = 0;   // 0: the system's 12 points
  int text_mode = 1;   // srcOr
  Point text_at;       // where the last text was drawn
  std::vector<FontNameEntry> font_names;  // from FontName opcodes
};

}  // namespace lettrix::pict
