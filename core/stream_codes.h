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
#pragma once

#include <cstdint>

namespace lettrix {

inline constexpr std::uint8_t kEscape = 0x5C;
inline constexpr std::uint8_t kParagraphEnd = 13;
inline constexpr std::uint8_t kLineBreak = 10;
inline constexpr std::uint8_t kPageBreak = 12;
inline constexpr std::uint8_t kTab = 9;

enum Code : std::uint8_t {
  TableChar = 0x20,
  Reserved21 = 0x21,
  ClearAllTabs = 0x22,
  BoldOn = 0x23,
  BoldOff = 0x24,
  UnderlineOn = 0x25,
  UnderlineOff = 0x26,
  SubscriptOn = 0x27,
  SubscriptOff = 0x28,
  SuperscriptOn = 0x29,
  SuperscriptOff = 0x2A,
  CenterOn = 0x2B,
  CenterOff = 0x2C,
  StrikeOn = 0x2D,
  StrikeOff = 0x2E,
  ItalicOn = 0x2F,
  ItalicOff = 0x30,
  HiddenOn = 0x31,
  HiddenOff = 0x32,
  PageNumber = 0x33,
  HardSpace = 0x34,
  Backspace = 0x35,
  Reserved36 = 0x36,
  Reserved37 = 0x37,
  Reserved38 = 0x38,
  Reserved39 = 0x39,
  SoftHyphen = 0x3A,
  CapsOn = 0x3B,
  CapsOff = 0x3C,
  ShadowOn = 0x3D,
  ShadowOff = 0x3E,
  SpareAttrOn = 0x3F,
  SpareAttrOff = 0x40,
  DoubleUnderlineOn = 0x41,
  DoubleUnderlineOff = 0x42,
  JustifyOn = 0x43,
  JustifyOff = 0x44,
  RightOn = 0x45,
  RightOff = 0x46,
  SmallCapsOn = 0x47,
  SmallCapsOff = 0x48,
  OutlineOn = 0x49,
  OutlineOff = 0x4A,
  FieldOpen = 0x4B,
  FieldClose = 0x4C,
  ColumnControl = 0x4D,  // also 0x50 and 0x51
  ColumnControl50 = 0x50,
  ColumnControl51 = 0x51,
  LeftOn = 0x53,
  Backslash = 0x5C,
  EndOfText = 0x7F,
  SetTab = 0x80,
  ClearTab = 0x81,
  StyleSheet = 0x86,
  ParaStyle = 0x87,
  LeftMargin = 0x88,
  RightMargin = 0x89,
  IndentHere = 0x8A,
  Indent2 = 0x8B,
  IndentReset = 0x8C,
  ParaValue8E = 0x8E,
  Font = 0x8F,
  FontSize = 0x90,
  CharSet = 0x91,
  LineSpacing = 0x96,
  ParaValue97 = 0x97,
  Columns = 0x98,
  HeaderEven = 0x9C,
  HeaderOdd = 0x9D,
  HeaderAll = 0x9E,
  FooterEven = 0x9F,
  FooterOdd = 0xA0,
  FooterAll = 0xA1,
  NoteCall = 0xA2,
  BorderOn = 0xB0,
  BorderOff = 0xB1,
  Picture = 0xC0,
  TextColour = 0xD0,
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

constexpr bool is_header_code(std::uint8_t code) { return code >= HeaderEven && code <= HeaderAll; }
constexpr bool is_footer_code(std::uint8_t code) { return code >= FooterEven && code <= FooterAll; }

// Font size operands hold the size in points negated: (256 - points) mod 256.
constexpr std::uint8_t encode_font_size(int points) { return static_cast<std::uint8_t>((256 - points) & 0xFF); }
constexpr int decode_font_size(std::uint8_t byte) { return (256 - byte) & 0xFF; }

// The readable name of a code byte ("BoldOn"), or nullptr for a reserved one.
const char* code_name(std::uint8_t code);

}  // namespace lettrix
