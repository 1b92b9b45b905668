// Macintosh font names to the stream's font classes: one table for every
// reader that knows its fonts by name (the ClarisWorks font list) or can name
// a font from its number.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "core/charset.h"
#include "core/emitter.h"
#include "core/stream_codes.h"

namespace lettrix {

// The class of a font by its name, compared without regard to case. A name
// matches a row when it is the row's family name, or starts with it followed
// by a space, a hyphen or a period ("Helvetica Narrow", "Times-Bold"):
//   serif faces (Times, New York, Palatino, Bookman...)       FontSerif
//   sans serif faces (Helvetica, Geneva, Arial, Chicago...)   FontSans
//   Symbol                                                    FontSymbol
//   dingbats (Zapf Dingbats, Wingdings...)                    FontDingbats
//   fixed-width faces (Courier, Monaco...)                    FontFixed
//   unknown names                                             FontOther
FontClass mac_font_class(std::string_view name);

// Writes Font (through set_font_class) when the class of the named font
// differs from the one in force, and returns the character table for the
// text set in it: the Symbol table for Symbol, the dingbat table for
// dingbats, the Macintosh table otherwise.
const ReaderTable& select_mac_font_name(CharState& cs, std::string_view name, std::FILE* out);

// The name of a classic Macintosh font number (2 New York, 3 Geneva, 4 Monaco,
// 16 Palatino, 20 Times, 21 Helvetica, 22 Courier...); empty for numbers
// without a fixed face, among them 0 and 1, the system's and the
// application's fonts, which each machine chose.
std::string_view mac_font_number_name(int font_number);

// As select_mac_font_name for the font named by its number; a number without
// a name keeps the class and table that select_mac_font gives it.
const ReaderTable& select_mac_font_number(CharState& cs, int font_number, std::FILE* out);

// select_mac_font_number for readers whose runs name the same few fonts
// again and again: the class and table each number gave the first time are
// kept (the number decides both), so a number is looked up by name once.
class MacFontNumberCache {
 public:
  const ReaderTable& select(CharState& cs, int font_number, std::FILE* out);

 private:
  struct Slot {
    int number = -1;
    std::uint8_t font_class = 0;
    const ReaderTable* table = nullptr;
  };
  std::array<Slot, 32> slots_{};
};

}  // namespace lettrix
