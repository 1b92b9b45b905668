#include "core/charset.h"
#include "core/unicode_tables.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace lettrix {
namespace {

constexpr std::uint16_t P(int table, int index) { return static_cast<std::uint16_t>(table << 8 | index); }

const TranslationGroup& group(int n) {
  const TranslationGroup* g = select_translation_group(n);
  if (!g) throw std::runtime_error("no translation group " + std::to_string(n));
  return *g;
}

std::uint16_t translate(int group_number, std::uint16_t position) {
  return translate_position(group(group_number), entry_table(position), entry_index(position));
}

std::string hex(unsigned v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
  return buf;
}

// ---- an independent decoder: iconv ----

// The character a single byte stands for in a charset, or 0 when the charset has none.
char32_t iconv_decode(const char* charset, unsigned char byte) {
  iconv_t cd = iconv_open("UTF-32LE", charset);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("iconv lacks ") + charset);
  char in[1] = {static_cast<char>(byte)};
  unsigned char out[8] = {};
  char* inp = in;
  char* outp = reinterpret_cast<char*>(out);
  size_t inleft = 1, outleft = sizeof out;
  size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1) || sizeof out - outleft != 4) return 0;
  return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
}

// Whether a charset has the character as a single byte.
bool iconv_has(const char* charset, char32_t ch) {
  iconv_t cd = iconv_open(charset, "UTF-32LE");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("iconv lacks ") + charset);
  unsigned char in[4] = {static_cast<unsigned char>(ch), static_cast<unsigned char>(ch >> 8),
                         static_cast<unsigned char>(ch >> 16), static_cast<unsigned char>(ch >> 24)};
  char out[8];
  char* inp = reinterpret_cast<char*>(in);
  char* outp = out;
  size_t inleft = 4, outleft = sizeof out;
  size_t r = iconv(cd, &inp, &inleft, &outp, &outleft);
  iconv_close(cd);
  return r != static_cast<size_t>(-1) && sizeof out - outleft == 1;
}

// The standard Symbol encoding where it differs from ASCII (every other byte 0x20..0x7E is ASCII;
// 0x80..0x9F, 0xF0 and 0xFF have no glyph).
const std::map<int, char32_t> kSymbolFont = {
    {0x22, 0x2200}, {0x24, 0x2203}, {0x27, 0x220B}, {0x2A, 0x2217}, {0x2D, 0x2212}, {0x40, 0x2245}, {0x41, 0x0391},
    {0x42, 0x0392}, {0x43, 0x03A7}, {0x44, 0x0394}, {0x45, 0x0395}, {0x46, 0x03A6}, {0x47, 0x0393}, {0x48, 0x0397},
    {0x49, 0x0399}, {0x4A, 0x03D1}, {0x4B, 0x039A}, {0x4C, 0x039B}, {0x4D, 0x039C}, {0x4E, 0x039D}, {0x4F, 0x039F},
    {0x50, 0x03A0}, {0x51, 0x0398}, {0x52, 0x03A1}, {0x53, 0x03A3}, {0x54, 0x03A4}, {0x55, 0x03A5}, {0x56, 0x03C2},
    {0x57, 0x03A9}, {0x58, 0x039E}, {0x59, 0x03A8}, {0x5A, 0x0396}, {0x5C, 0x2234}, {0x5E, 0x22A5}, {0x60, 0xF8E5},
    {0x61, 0x03B1}, {0x62, 0x03B2}, {0x63, 0x03C7}, {0x64, 0x03B4}, {0x65, 0x03B5}, {0x66, 0x03C6}, {0x67, 0x03B3},
    {0x68, 0x03B7}, {0x69, 0x03B9}, {0x6A, 0x03D5}, {0x6B, 0x03BA}, {0x6C, 0x03BB}, {0x6D, 0x03BC}, {0x6E, 0x03BD},
    {0x6F, 0x03BF}, {0x70, 0x03C0}, {0x71, 0x03B8}, {0x72, 0x03C1}, {0x73, 0x03C3}, {0x74, 0x03C4}, {0x75, 0x03C5},
    {0x76, 0x03D6}, {0x77, 0x03C9}, {0x78, 0x03BE}, {0x79, 0x03C8}, {0x7A, 0x03B6}, {0x7E, 0x223C}, {0xA0, 0x20AC},
    {0xA1, 0x03D2}, {0xA2, 0x2032}, {0xA3, 0x2264}, {0xA4, 0x2044}, {0xA5, 0x221E}, {0xA6, 0x0192}, {0xA7, 0x2663},
    {0xA8, 0x2666}, {0xA9, 0x2665}, {0xAA, 0x2660}, {0xAB, 0x2194}, {0xAC, 0x2190}, {0xAD, 0x2191}, {0xAE, 0x2192},
    {0xAF, 0x2193}, {0xB0, 0x00B0}, {0xB1, 0x00B1}, {0xB2, 0x2033}, {0xB3, 0x2265}, {0xB4, 0x00D7}, {0xB5, 0x221D},
    {0xB6, 0x2202}, {0xB7, 0x2022}, {0xB8, 0x00F7}, {0xB9, 0x2260}, {0xBA, 0x2261}, {0xBB, 0x2248}, {0xBC, 0x2026},
    {0xBD, 0x23D0}, {0xBE, 0x23AF}, {0xBF, 0x21B5}, {0xC0, 0x2135}, {0xC1, 0x2111}, {0xC2, 0x211C}, {0xC3, 0x2118},
    {0xC4, 0x2297}, {0xC5, 0x2295}, {0xC6, 0x2205}, {0xC7, 0x2229}, {0xC8, 0x222A}, {0xC9, 0x2283}, {0xCA, 0x2287},
    {0xCB, 0x2284}, {0xCC, 0x2282}, {0xCD, 0x2286}, {0xCE, 0x2208}, {0xCF, 0x2209}, {0xD0, 0x2220}, {0xD1, 0x2207},
    {0xD2, 0x00AE}, {0xD3, 0x00A9}, {0xD4, 0x2122}, {0xD5, 0x220F}, {0xD6, 0x221A}, {0xD7, 0x22C5}, {0xD8, 0x00AC},
    {0xD9, 0x2227}, {0xDA, 0x2228}, {0xDB, 0x21D4}, {0xDC, 0x21D0}, {0xDD, 0x21D1}, {0xDE, 0x21D2}, {0xDF, 0x21D3},
    {0xE0, 0x25CA}, {0xE1, 0x2329}, {0xE2, 0x00AE}, {0xE3, 0x00A9}, {0xE4, 0x2122}, {0xE5, 0x2211}, {0xE6, 0x239B},
    {0xE7, 0x239C}, {0xE8, 0x239D}, {0xE9, 0x23A1}, {0xEA, 0x23A2}, {0xEB, 0x23A3}, {0xEC, 0x23A7}, {0xED, 0x23A8},
    {0xEE, 0x23A9}, {0xEF, 0x23AA}, {0xF1, 0x232A}, {0xF2, 0x222B}, {0xF3, 0x2320}, {0xF4, 0x23AE}, {0xF5, 0x2321},
    {0xF6, 0x239E}, {0xF7, 0x239F}, {0xF8, 0x23A0}, {0xF9, 0x23A4}, {0xFA, 0x23A5}, {0xFB, 0x23A6}, {0xFC, 0x23AB},
    {0xFD, 0x23AC}, {0xFE, 0x23AD},
};

char32_t symbol_char(int byte) {
  auto it = kSymbolFont.find(byte);
  if (it != kSymbolFont.end()) return it->second;
  return byte >= 0x20 && byte < 0x7F ? static_cast<char32_t>(byte) : 0;
}

bool symbol_has(char32_t ch) {
  if (ch >= 0x20 && ch < 0x7F) return symbol_char(static_cast<int>(ch)) == ch;
  for (const auto& [byte, c] : kSymbolFont)
    if (c == ch) return true;
  return false;
}

// ---- following a source byte to the target ----

struct Target {
  int group;
  const char* codepage;  // iconv name of the group's code page
};
constexpr Target kDos{0, "CP437"};
constexpr Target kWindows{1, "CP1252"};

// What a writer puts out for one source byte: the plain byte of the reader table or the group
// entry of its repertoire position, and the character that output stands for.
struct Written {
  std::uint16_t entry = 0;
  char32_t ch = 0;
};

Written follow(const ReaderTable& reader, int byte, const Target& target) {
  Written w;
  std::uint16_t e = reader[byte];
  w.entry = is_table_char(e) ? translate(target.group, e) : e;
  if (w.entry >> 8 == 1)
    w.ch = symbol_char(w.entry & 0xFF);
  else if (w.entry != 0)
    w.ch = iconv_decode(target.codepage, static_cast<unsigned char>(w.entry));
  return w;
}

// A source byte whose output deliberately differs from the character it stands for.
struct Exception {
  int byte;
  std::uint16_t written;
  const char* reason;
};

// Every source byte in [first, last] comes out as its own character whenever the target can
// show it; every other byte is listed as an exception and comes out as listed.
void expect_faithful(const ReaderTable& reader, char32_t (*source)(int), int first, int last,
                     const Target& target, const std::vector<Exception>& exceptions) {
  auto target_has = [&](char32_t c) { return iconv_has(target.codepage, c) || (target.group == 1 && symbol_has(c)); };
  for (int b = first; b <= last; ++b) {
    char32_t c = source(b);
    if (c == 0) continue;  // no character at this byte
    Written w = follow(reader, b, target);
    std::string where = "source byte " + hex(b, 2) + " (U+" + hex(c, 4).substr(2) + ") -> " + hex(w.entry, 4) +
                        " (U+" + hex(w.ch, 4).substr(2) + ") in " + target.codepage;
    const Exception* ex = nullptr;
    for (const auto& e : exceptions)
      if (e.byte == b) ex = &e;
    if (ex) {
      EXPECT_EQ(w.entry, ex->written) << where << ": " << ex->reason;
      EXPECT_NE(w.ch, c) << where << ": listed as an exception but comes out exact";
      continue;
    }
    EXPECT_TRUE(target_has(c)) << where << ": the target lacks the character; list the byte as an exception";
    EXPECT_EQ(w.ch, c) << where;
  }
}

char32_t macintosh_char(int byte) { return iconv_decode("MACINTOSH", static_cast<unsigned char>(byte)); }
char32_t symbol_font_char(int byte) { return symbol_char(byte); }

// ---- tests ----

TEST(Charset, TellingCharactersFromMacintoshToBothGroups) {
  struct Row {
    int mac;
    std::uint16_t position;
    std::uint16_t dos;
    std::uint16_t windows;
  };
  const Row rows[] = {
      {0x80, P(1, 30), 0x8E, 0x00C4},  // Ä
      {0x87, P(1, 27), 0xA0, 0x00E1},  // á
      {0x8E, P(1, 41), 0x82, 0x00E9},  // é
      {0xA7, P(1, 23), 0xE1, 0x00DF},  // ß
      {0xA5, P(4, 3), 0xFE, 0x01B7},   // • (Symbol)
      {0xA0, P(4, 39), 0x5F, 0x0086},  // †
      {0xA9, P(4, 23), 0x43, 0x00A9},  // © (C)
      {0xC7, P(4, 9), 0xAE, 0x00AB},   // «
      {0xD1, P(4, 34), 0x2D, 0x0097},  // —
      {0xD2, P(4, 32), 0x22, 0x0093},  // “
      {0xB1, P(6, 1), 0xF1, 0x00B1},   // ±
      {0xB0, P(6, 19), 0xEC, 0x01A5},  // ∞ (Symbol)
      {0xAD, P(6, 99), 0x5F, 0x01B9},  // ≠ (Symbol)
      {0xB9, P(8, 33), 0xE3, 0x0170},  // π (Symbol p)
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("Macintosh byte " + hex(r.mac, 2));
    EXPECT_EQ(kMacintoshTable[r.mac], r.position);
    EXPECT_EQ(translate(0, r.position), r.dos);
    EXPECT_EQ(translate(1, r.position), r.windows);
  }
}

TEST(Charset, DosWindowsAndUnusedTables) {
  // é: byte 0x82 for DOS, 0xE9 for Windows.
  EXPECT_EQ(translate(0, kMacintoshTable[0x8E]), 0x82);
  EXPECT_EQ(translate(1, kMacintoshTable[0x8E]), 0xE9);
  // ≠: "_" for DOS, the Symbol character 0xB9 for Windows.
  EXPECT_EQ(translate(0, kMacintoshTable[0xAD]), kFillChar);
  EXPECT_EQ(translate(1, kMacintoshTable[0xAD]), kSymbolFlag | 0xB9);
  // Tables 9..14 give "_" in both groups, whatever the index: neither code
  // page has their Cyrillic letters or kana, and the Symbol font's Greek
  // letters would be other letters.
  for (int g : {0, 1})
    for (int table = 9; table <= 14; ++table)
      for (int index = 0; index < 256; ++index)
        ASSERT_EQ(translate_position(group(g), table, index), kFillChar) << g << ":" << table << "," << index;
  // Outside the repertoire: no character.
  for (int g : {0, 1}) {
    EXPECT_EQ(translate_position(group(g), 0, 1), 0);
    EXPECT_EQ(translate_position(group(g), 15, 1), 0);
    EXPECT_EQ(translate_position(group(g), -1, 1), 0);
    EXPECT_EQ(translate_position(group(g), 1, -1), 0);
    EXPECT_EQ(translate_position(group(g), 1, 256), 0);
  }
}

TEST(Charset, MacintoshControlBytesNeverYieldAnEscape) {
  // 0x06 yields nothing: a plain 0x5C would open a code in the stream.
  EXPECT_EQ(kMacintoshTable[0x06], 0);
  for (int b = 0; b < 0x20; ++b) EXPECT_NE(kMacintoshTable[b], 0x5C) << hex(b, 2);
  EXPECT_EQ(kMacintoshTable[0x11], kFillChar);
  EXPECT_EQ(kMacintoshTable[0x12], P(5, 23));
  EXPECT_EQ(kMacintoshTable[0x13], P(6, 96));
  EXPECT_EQ(kMacintoshTable[0x1E], '-');
  EXPECT_EQ(kMacintoshTable[0x0D], 0);
  for (int b = 0x20; b < 0x80; ++b) EXPECT_EQ(kMacintoshTable[b], b);
  // Symbol: control bytes other than 0x06 and 0x1E yield nothing, 0x80..0x9F "_".
  for (int b = 0; b < 0x20; ++b)
    if (b != 0x06 && b != 0x1E) {
      EXPECT_EQ(kSymbolTable[b], 0) << hex(b, 2);
    }
  EXPECT_EQ(kSymbolTable[0x06], P(6, 102));
  EXPECT_EQ(kSymbolTable[0x5C], P(6, 102));
  for (int b = 0x80; b < 0xA0; ++b) EXPECT_EQ(kSymbolTable[b], kFillChar);
  EXPECT_EQ(kDingbatTable[0x21], P(5, 35));  // the Zapf Dingbats positions: tests/core/dingbats_test.cpp
}

TEST(Charset, EveryPositionHasAPrintableEntry) {
  for (int g : {0, 1}) {
    for (int table = 1; table <= 14; ++table) {
      for (int index = 0; index < 256; ++index) {
        std::uint16_t e = translate_position(group(g), table, index);
        SCOPED_TRACE("group " + std::to_string(g) + " position " + std::to_string(table) + "," + std::to_string(index));
        ASSERT_NE(e, 0);
        ASSERT_GE(e & 0xFF, 0x20) << "a control byte would reach the target";
        ASSERT_NE(e & 0xFF, 0x7F);
        ASSERT_LE(e >> 8, g) << "only group 1 uses the Symbol flag, and only the flag 1";
      }
    }
  }
}

TEST(Charset, GroupSelection) {
  for (int g = 0; g <= 4; ++g) {
    const TranslationGroup* tg = select_translation_group(g);
    ASSERT_NE(tg, nullptr) << g;
    for (const TranslationTable* t : tg->tables) EXPECT_NE(t, nullptr) << g;
  }
  EXPECT_EQ(select_translation_group(0), &kCodePage437Group);
  EXPECT_EQ(select_translation_group(1), &kCodePage1252Group);
  EXPECT_EQ(select_translation_group(5), nullptr);
  EXPECT_EQ(select_translation_group(-1), nullptr);
}

TEST(Charset, MacintoshToCodePage1252AgreesWithIconv) {
  const std::vector<Exception> exceptions = {
      {0xCA, 0x20, "no-break space: the reader writes a plain space"},
      {0xD0, 0x2D, "en dash: the reader writes a plain \"-\""},
      {0xDA, 0x2F, "fraction slash: the reader writes a plain \"/\""},
      {0xDB, 0xA4, "read as the currency sign, the character of the Macintosh set before the euro"},
      {0xDE, 0x5F, "fi ligature: neither code page 1252 nor Symbol has it"},
      {0xDF, 0x5F, "fl ligature: neither code page 1252 nor Symbol has it"},
      {0xF0, 0x5F, "Apple logo: the reader writes \"_\""},
      {0xF5, 0x5F, "dotless i: read as 1,24 (kra), which code page 1252 lacks"},
      {0xF9, 0x5F, "breve: neither code page 1252 nor Symbol has it"},
      {0xFA, 0xB7, "dot above: read as the middle dot 1,1"},
      {0xFB, 0xB0, "ring above: read as the degree sign 1,14"},
      {0xFD, 0x5F, "double acute: neither code page 1252 nor Symbol has it"},
      {0xFE, 0x5F, "ogonek: neither code page 1252 nor Symbol has it"},
      {0xFF, 0x5F, "caron: neither code page 1252 nor Symbol has it"},
  };
  expect_faithful(kMacintoshTable, macintosh_char, 0x80, 0xFF, kWindows, exceptions);
}

TEST(Charset, MacintoshToCodePage437AgreesWithIconv) {
  const char* base = "code page 437 lacks the accented letter: its base letter";
  const char* none = "code page 437 lacks it and has no near substitute: \"_\"";
  const std::vector<Exception> exceptions = {
      {0x8B, 'a', base}, {0x9B, 'o', base}, {0xAF, 'O', base}, {0xBF, 'o', base},
      {0xCB, 'A', base}, {0xCC, 'A', base}, {0xCD, 'O', base}, {0xD9, 'Y', base},
      {0xE5, 'A', base}, {0xE6, 'E', base}, {0xE7, 'A', base}, {0xE8, 'E', base},
      {0xE9, 'E', base}, {0xEA, 'I', base}, {0xEB, 'I', base}, {0xEC, 'I', base},
      {0xED, 'I', base}, {0xEE, 'O', base}, {0xEF, 'O', base}, {0xF1, 'O', base},
      {0xF2, 'U', base}, {0xF3, 'U', base}, {0xF4, 'U', base},
      {0xA0, '_', none},  // dagger
      {0xA4, '_', "section sign: code page 437 has it only as the control byte 0x15"},
      {0xA5, 0xFE, "bullet: the code page's black square"},
      {0xA6, '_', "pilcrow: code page 437 has it only as the control byte 0x14"},
      {0xA8, 'R', "registered sign: the letter R"},
      {0xA9, 'C', "copyright sign: the letter C"},
      {0xAA, '_', none},  // trade mark
      {0xAB, '\'', "acute accent: apostrophe"},
      {0xAC, '"', "diaeresis: double quote"},
      {0xAD, '_', none},  // not equal
      {0xB6, '_', none},  // partial differential
      {0xB7, '_', none},  // n-ary summation
      {0xB8, '_', none},  // n-ary product
      {0xBA, '_', none},  // integral
      {0xC6, '_', none},  // Greek capital delta
      {0xC9, '_', none},  // ellipsis
      {0xCA, ' ', "no-break space: the reader writes a plain space"},
      {0xCE, '_', none},  // OE ligature
      {0xCF, '_', none},  // oe ligature
      {0xD0, '-', "en dash: the reader writes a plain \"-\""},
      {0xD1, '-', "em dash: \"-\""},
      {0xD2, '"', "curly quote: straight quote"},
      {0xD3, '"', "curly quote: straight quote"},
      {0xD4, '\'', "curly quote: straight quote"},
      {0xD5, '\'', "curly quote: straight quote"},
      {0xD7, '_', none},  // lozenge
      {0xDA, '/', "fraction slash: the reader writes a plain \"/\""},
      {0xDB, '_', "read as the currency sign (euro in later Macintosh sets); code page 437 has neither"},
      {0xDC, '<', "single guillemet: less-than sign"},
      {0xDD, '>', "single guillemet: greater-than sign"},
      {0xDE, '_', none},  // fi ligature
      {0xDF, '_', none},  // fl ligature
      {0xE0, '_', none},  // double dagger
      {0xE2, ',', "low single quote: comma"},
      {0xE3, '"', "low double quote: straight quote"},
      {0xE4, '_', none},  // per mille
      {0xF0, '_', "Apple logo: the reader writes \"_\""},
      {0xF5, '_', "dotless i: read as 1,24 (kra)"},
      {0xF6, '^', "circumflex accent: caret"},
      {0xF7, '~', "tilde accent: ASCII tilde"},
      {0xF8, '-', "macron: hyphen"},
      {0xF9, '_', none},  // breve
      {0xFA, 0xFA, "dot above: read as the middle dot 1,1"},
      {0xFB, 0xF8, "ring above: read as the degree sign 1,14"},
      {0xFC, ',', "cedilla: comma"},
      {0xFD, '"', "double acute: double quote"},
      {0xFE, ',', "ogonek: comma"},
      {0xFF, '_', none},  // caron
  };
  expect_faithful(kMacintoshTable, macintosh_char, 0x80, 0xFF, kDos, exceptions);
}

TEST(Charset, SymbolFontComesBackFromGroup1) {
  const char* plain = "the reader writes a plain byte";
  const std::vector<Exception> exceptions = {
      {0x24, 0x5F, "there exists: read as 6,120, which neither font has"},
      {0x27, 0x5F, "contains as member: read as the small form 6,71, which neither font has"},
      {0x2A, 0x5F, "asterisk operator: read as the bullet operator 6,34, which neither font has"},
      {0x2D, 0x2D, plain},  // minus -> "-"
      {0x40, 0x01BA, "approximately equal: read as identical to 6,14"},
      {0x56, 0x5F, "final sigma: read as 8,39, stigma in the repertoire"},
      {0x60, 0x5F, "radical extension: read as the overline 6,38"},
      {0x66, 0x016A, "phi: read as 8,45, the repertoire's phi symbol"},
      {0x6A, 0x0166, "phi symbol: read as 8,67, the repertoire's phi"},
      {0x7E, 0x2D, plain},  // tilde operator -> "-"
      {0xA0, 0x5F, plain},  // euro -> "_"
      {0xA1, 0x5F, plain},  // upsilon with hook -> "_"
      {0xA4, 0x5F, "fraction slash: read as the division slash 6,6, which neither font has"},
      {0xB7, 0x5F, "bullet: read as the black diamond 6,96, which neither font has"},
      {0xBD, 0x5F, "vertical extension: read as the box line 3,9"},
      {0xBE, 0x5F, "horizontal extension: read as the box line 3,8"},
      {0xBF, 0x5F, plain},  // carriage return arrow -> "_"
      {0xC0, 0x5F, plain},  // alef -> "_"
      {0xD7, 0xB7, "dot operator: read as the middle dot 6,32"},
      {0xF4, 0x01FA, "integral extension: read as the bracket extension 7,2"},
      {0xF8, 0x01ED, "right parenthesis lower hook: read as 7,112, the brace middle in the repertoire"},
  };
  expect_faithful(kSymbolTable, symbol_font_char, 0x20, 0xFE, kWindows, exceptions);
}

// The Unicode table says the same as the code page 1252 group wherever that
// group has the character itself, is valid UTF-8 everywhere, and has the
// characters the code pages lack.
TEST(Charset, UnicodeTableAgreesWithCodePage1252AndHoldsTheRest) {
  iconv_t cd = iconv_open("UTF-8", "CP1252");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  int compared = 0;
  for (int table = 1; table <= 14; ++table)
    for (int index = 0; index < 256; ++index) {
      const char* utf8 = position_utf8(table, index);
      if (!utf8) continue;
      const std::string text = utf8;
      ASSERT_FALSE(text.empty()) << table << "," << index;
      std::size_t i = 0;  // every sequence whole, no overlong two-byte form
      while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        ASSERT_NE(n, 0u) << table << "," << index;
        ASSERT_LE(i + n, text.size()) << table << "," << index;
        for (std::size_t k = 1; k < n; ++k) ASSERT_EQ(static_cast<unsigned char>(text[i + k]) & 0xC0, 0x80);
        i += n;
      }
      const std::uint16_t entry = translate_position(kCodePage1252Group, table, index);
      if (table > 8 || entry >= 0x100 || entry == kFillChar) continue;
      char in[1] = {static_cast<char>(entry)};
      char out[8] = {};
      char* inp = in;
      char* outp = out;
      std::size_t in_left = 1, out_left = sizeof out;
      ASSERT_NE(iconv(cd, &inp, &in_left, &outp, &out_left), static_cast<std::size_t>(-1));
      EXPECT_EQ(text, std::string(out, outp)) << table << "," << index;
      ++compared;
    }
  iconv_close(cd);
  EXPECT_GT(compared, 100);
  const struct {
    std::uint16_t position;
    const char* utf8;
  } beyond[] = {
      {P(8, 33), "\xCF\x80"},        // pi, which code page 1252 lacks
      {P(6, 99), "\xE2\x89\xA0"},   // not equal
      {P(4, 32), "\xE2\x80\x9C"},   // left double quotation mark
      {P(5, 252), "\xE2\x8C\x98"},  // command key
      {P(5, 255), "\xEF\xA3\xBF"},  // Apple logo, at Apple's private-use code point
      {P(1, 6), "\xC2\xB4"},         // a lone acute accent: the spacing accent
  };
  for (const auto& b : beyond) {
    const char* got = position_utf8(entry_table(b.position), entry_index(b.position));
    EXPECT_STREQ(got, b.utf8) << entry_table(b.position) << "," << entry_index(b.position);
  }
  // The single code points say the same as the UTF-8 text.
  EXPECT_EQ(position_code_point(8, 33), 0x03C0);
  EXPECT_EQ(position_code_point(1, 153), 0x0142);
  EXPECT_EQ(position_code_point(5, 255), 0xF8FF);
  EXPECT_EQ(position_code_point(5, 251), 0);
  EXPECT_EQ(kCodePage437Unicode[0xE3], 0x03C0);
  EXPECT_EQ(kCodePage1252Unicode[0x93], 0x201C);
  EXPECT_EQ(kCodePage1252Unicode[0x81], 0);  // undefined in code page 1252
  EXPECT_EQ(position_utf8(0, 0), nullptr);
  EXPECT_EQ(position_utf8(15, 0), nullptr);
  EXPECT_EQ(position_utf8(5, 251), nullptr);
}

}  // namespace
}  // namespace lettrix
