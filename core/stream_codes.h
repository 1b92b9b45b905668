// The intermediate stream: the tagged byte format that every reader writes and
// every writer reads.
//
//   byte 0x5C          escape: always begins a code (escape, code byte, operands)
//   byte 13            end of paragraph
//   byte 10            line break inside a paragraph
//   byte 12            page break
//   byte 9             tab
//   any other byte     one character of the text
//
// Operands follow from the code byte alone:
//   0x21..0x7F         none
//   0x20, 0x80..0xFF   two bytes (old value, new value for value codes)
//   StyleSheet (0x86)  a 16-bit length, low byte first, then that many bytes
//   Picture (0xC0)     kind, 0, height (32-bit BE), width (32-bit BE), hex digits, EndOfText
//   0x00..0x1F         not used
//
// The named codes are listed once, in core/stream_codes.def.
#pragma once

#include <cstdint>
#include <string_view>

namespace lettrix {

inline constexpr std::uint8_t kEscape = 0x5C;
inline constexpr std::uint8_t kParagraphEnd = 13;
inline constexpr std::uint8_t kLineBreak = 10;
inline constexpr std::uint8_t kPageBreak = 12;
inline constexpr std::uint8_t kTab = 9;

// The codes, as listed in core/stream_codes.def.
enum Code : std::uint8_t {
#define LETTRIX_CODE(name, byte, operands) name = byte,
#define LETTRIX_CODE_UNNAMED(name, byte, operands) name = byte,
#include "core/stream_codes.def"
};

// Tab kinds of SetTab.
enum TabKind : std::uint8_t { TabLeft = 1, TabCentre = 2, TabRight = 3, TabDecimal = 4, TabBar = 5 };

// Font classes of Font. Fixed-width faces (Courier, Monaco) have a class of
// their own after the first five; a writer that knows no more than those
// treats it as any other font.
enum FontClass : std::uint8_t {
  FontOther = 0,
  FontSerif = 1,
  FontSans = 2,
  FontSymbol = 3,
  FontDingbats = 4,
  FontFixed = 5,
};

// Border side bits of BorderOn.
inline constexpr std::uint8_t kBorderTop = 0x01;
inline constexpr std::uint8_t kBorderLeft = 0x02;
inline constexpr std::uint8_t kBorderBottom = 0x04;
inline constexpr std::uint8_t kBorderRight = 0x08;
inline constexpr std::uint8_t kBorderDouble = 0x20;

// Number of fixed operand bytes after the code byte (StyleSheet and Picture carry more).
constexpr int fixed_operand_count(std::uint8_t code) {
  return (code == 0x20 || code >= 0x80) ? 2 : 0;
}

// What follows a code byte.
enum class Operands : std::uint8_t { None, TwoBytes, StyleSheetBlock, PictureBlock };

// The operands of any code byte, listed or not, by the rule of the byte
// ranges above: the rule that the stream reader follows.
constexpr Operands code_operands(std::uint8_t code) {
  if (code == StyleSheet) return Operands::StyleSheetBlock;
  if (code == Picture) return Operands::PictureBlock;
  return fixed_operand_count(code) == 2 ? Operands::TwoBytes : Operands::None;
}

// The operands core/stream_codes.def gives a listed code; the rule's for any
// other byte. The two agree for every byte (checked in stream_codes.cpp).
constexpr Operands listed_operands(std::uint8_t code) {
  switch (code) {
#define LETTRIX_CODE(name, byte, operands) \
  case byte: return Operands::operands;
#define LETTRIX_CODE_UNNAMED LETTRIX_CODE
#include "core/stream_codes.def"
    default: return code_operands(code);
  }
}

constexpr bool is_header_code(std::uint8_t code) { return code >= HeaderEven && code <= HeaderAll; }
constexpr bool is_footer_code(std::uint8_t code) { return code >= FooterEven && code <= FooterAll; }

// Font size operands hold the size in points negated: (256 - points) mod 256.
constexpr std::uint8_t encode_font_size(int points) { return static_cast<std::uint8_t>((256 - points) & 0xFF); }
constexpr int decode_font_size(std::uint8_t byte) { return (256 - byte) & 0xFF; }

// The readable name of a code byte ("BoldOn"), or nullptr for a reserved one
// (one not listed, or listed unnamed). No two codes share a name.
const char* code_name(std::uint8_t code);
// The code byte of a readable name, or -1 when no code has it.
int find_code(std::string_view name);

}  // namespace lettrix
