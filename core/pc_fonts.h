// The PC fonts the writers give a document, and the font each writer gives
// to each font class of the stream (the operand of the Font code).
//
//   class            RTF               Word for Windows 2   Word for DOS
//   0 other          Times New Roman   Times New Roman      font 0
//   1 serif          Times New Roman   Times New Roman      font 16
//   2 sans serif     Arial             Arial                font 17
//   3 Symbol         Symbol            Courier New          font 0
//   4 dingbats       Wingdings         Courier New          font 0
//   5 fixed width    Courier New       Courier New          font 0
//   6 to 255         as class 0
//
// A class of no known kind takes the document's font in every writer: Times
// New Roman, or font 0, Word for DOS's default, which it leaves out of the
// record. Word for Windows 2's font table has no Wingdings, and a Symbol run
// of its text takes the Symbol font from the character set of its
// characters, not from the class. The plain text writers give no fonts;
// WordPerfect 5 gives the RTF column (wp5_font).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/stream_codes.h"

namespace lettrix {

// Font families as Windows numbers them (bits 4 to 6 of the pitch and family
// byte); RTF names them \fnil, \froman, \fswiss, \fmodern.
enum class FontFamily : std::uint8_t { Nil = 0, Roman = 1, Swiss = 2, Modern = 3 };

// The RTF control word of a family, without its backslash.
constexpr std::string_view rtf_family_keyword(FontFamily family) {
  switch (family) {
    case FontFamily::Roman: return "froman";
    case FontFamily::Swiss: return "fswiss";
    case FontFamily::Modern: return "fmodern";
    default: return "fnil";
  }
}

struct PcFontFace {
  std::string_view name;
  FontFamily family;
  bool fixed_pitch;
  bool symbol;  // a symbol font: its bytes are symbols, not letters (character set 2)
};

// The PC fonts, numbered as in the RTF font table ("\f0" to "\f4"). The font
// table of Word for Windows 2 holds the first four, in the same order, so
// the number is its font index as well.
enum PcFont : std::uint8_t { PcTimes = 0, PcSymbol = 1, PcArial = 2, PcCourier = 3, PcWingdings = 4 };

inline constexpr std::array<PcFontFace, 5> kPcFonts = {{
    {"Times New Roman", FontFamily::Roman, false, false},
    {"Symbol", FontFamily::Roman, false, true},
    {"Arial", FontFamily::Swiss, false, false},
    {"Courier New", FontFamily::Modern, true, false},
    {"Wingdings", FontFamily::Nil, false, true},
}};
inline constexpr std::size_t kWinWord2FontCount = 4;

// The document's font.
inline constexpr PcFont kDocumentFont = PcTimes;

// The character set byte of a font (Windows numbering: 0 ANSI, 2 symbol).
constexpr std::uint8_t font_charset(const PcFontFace& face) { return face.symbol ? 2 : 0; }

// The pitch and family byte of a Word for Windows font table entry: pitch in
// bits 0 and 1 (1 fixed, 2 variable), bit 2 for a TrueType font (all of
// these are), the family in bits 4 to 6.
constexpr std::uint8_t pitch_and_family(const PcFontFace& face) {
  return static_cast<std::uint8_t>(static_cast<unsigned>(face.family) << 4 | 0x04 | (face.fixed_pitch ? 1 : 2));
}

// The fonts of one font class, in each writer that gives fonts.
struct ClassFonts {
  PcFont rtf;
  PcFont winword2;
  std::uint8_t word_dos;  // Word for DOS font number
};

// By font class, FontOther to FontFixed.
inline constexpr std::array<ClassFonts, 6> kClassFonts = {{
    /* FontOther */ {kDocumentFont, kDocumentFont, 0},
    /* FontSerif */ {PcTimes, PcTimes, 16},
    /* FontSans */ {PcArial, PcArial, 17},
    /* FontSymbol */ {PcSymbol, PcCourier, 0},
    /* FontDingbats */ {PcWingdings, PcCourier, 0},
    /* FontFixed */ {PcCourier, PcCourier, 0},
}};
static_assert(kClassFonts.size() == FontFixed + 1);

// The fonts of a class byte of the stream; a class of no known kind (one
// beyond the listed ones) has those of FontOther.
constexpr const ClassFonts& class_fonts(std::uint8_t font_class) {
  return font_class < kClassFonts.size() ? kClassFonts[font_class] : kClassFonts[FontOther];
}

// WordPerfect 5: its prefix lists the PC fonts in their order, so a font's
// number is its PcFont; each class takes the RTF writer's font.
constexpr PcFont wp5_font(std::uint8_t font_class) { return class_fonts(font_class).rtf; }

// ---------------------------------------------------------------------------
// The fonts of the two Word writers, as faithful to the class as the RTF
// writer's (these take the place of the winword2 and word_dos columns above):
//
//   class            Word for Windows 2   Word for DOS
//   0 other          Times New Roman      16 roman a
//   1 serif          Times New Roman      16 roman a
//   2 sans serif     Arial                 1 modern b
//   3 Symbol         Symbol               56 symbol a
//   4 dingbats       Times New Roman      16 roman a
//   5 fixed width    Courier New           0 modern a
//   6 to 255         as class 0
//
// Word for DOS names no fonts in a document: a font number stands for a
// family and a letter, which the printer description gives a face ("modern"
// faces are the fixed-width and sans serif ones, "modern a" Courier; "roman"
// the serif ones, "roman a" Times Roman; "symbol a" the Symbol font, which
// the writer gives the Symbol characters too). Its document font is roman
// a, as Times New Roman is the other writers'. Neither Word format has a
// dingbat font to count on: dingbats take the document font.
struct WordFonts {
  PcFont winword2;        // font table index
  std::uint8_t word_dos;  // Word for DOS font number, 0 to 63
};

inline constexpr std::uint8_t kWordDosModernA = 0;
inline constexpr std::uint8_t kWordDosModernB = 1;
inline constexpr std::uint8_t kWordDosRomanA = 16;
inline constexpr std::uint8_t kWordDosSymbolA = 56;
inline constexpr std::uint8_t kWordDosDocumentFont = kWordDosRomanA;

// By font class, FontOther to FontFixed.
inline constexpr std::array<WordFonts, 6> kWordClassFonts = {{
    /* FontOther */ {kDocumentFont, kWordDosDocumentFont},
    /* FontSerif */ {PcTimes, kWordDosRomanA},
    /* FontSans */ {PcArial, kWordDosModernB},
    /* FontSymbol */ {PcSymbol, kWordDosSymbolA},
    /* FontDingbats */ {kDocumentFont, kWordDosDocumentFont},
    /* FontFixed */ {PcCourier, kWordDosModernA},
}};
static_assert(kWordClassFonts.size() == FontFixed + 1);

// The Word writers' fonts of a class byte; a class of no known kind has
// those of FontOther.
constexpr const WordFonts& word_class_fonts(std::uint8_t font_class) {
  return font_class < kWordClassFonts.size() ? kWordClassFonts[font_class] : kWordClassFonts[FontOther];
}

}  // namespace lettrix
