// What each target writes for the symbols of the Macintosh system font
// (core/charset.h). No PC code page has them, so the code-page targets get
// a readable stand-in; RTF names command key, check mark and diamond by
// their Unicode numbers, the stand-in after them for readers that do not
// know "\u"; WordPerfect has the check mark and the diamond in its own
// character sets. The Apple logo is a character of Apple's systems alone:
// every target gets the word.
//
//   symbol        Ascii, Word DOS   Ansi, Word Win 2   WordPerfect 5   RTF (stand-in DOS / Windows)
//   command key   Cmd               Cmd                Cmd             \u8984  Cmd
//   check mark    0xFB (cp437 √)    v                  set 5, 23       \u10003 0xFB / v
//   diamond       *                 *                  set 6, 96       \u9670  *
//   Apple logo    Apple             Apple              Apple           Apple
//
// (Code page 437's diamond at 0x04 is a control byte, which programs that
// read text need not show: "*" instead.)
#pragma once

#include <cstdint>
#include <string_view>

#include "core/charset.h"

namespace lettrix {

struct SystemSymbolForms {
  std::string_view code_page_437;   // Ascii and Word for DOS; the stand-in of RTF for DOS
  std::string_view code_page_1252;  // Ansi and Word for Windows 2; the stand-in of RTF for Windows
  // WordPerfect's own character, set and index; set 0 for none: the code
  // page 437 text instead, plain ASCII for those symbols.
  std::uint8_t wp_set;
  std::uint8_t wp_index;
  std::uint16_t unicode;  // the character RTF names, 0 for none: the stand-in alone
};

inline constexpr SystemSymbolForms kSystemSymbolForms[kSystemSymbolCount] = {
    {"Cmd", "Cmd", 0, 0, 0x2318},  // command key
    {"\xFB", "v", 5, 23, 0x2713},  // check mark
    {"*", "*", 6, 96, 0x25C6},     // black diamond
    {"Apple", "Apple", 0, 0, 0},   // Apple logo
};

// The forms of a repertoire position, or null when it is none of the symbols.
inline const SystemSymbolForms* system_symbol_forms(int table, int index) {
  const int symbol = system_symbol(table, index);
  return symbol < 0 ? nullptr : &kSystemSymbolForms[symbol];
}

}  // namespace lettrix
