// The font each writer gives to each font class byte of the stream, read back
// from the documents: RTF's \f number, the font index of a Word for Windows 2
// character record, the font number bits of a Word for DOS one.
#include "core/pc_fonts.h"

#include <gtest/gtest.h>

#include <string>

#include "core/stream_codes.h"
#include "test_util.h"
#include "writers/rtf.h"
#include "writers/winword2.h"
#include "writers/winword2_file.h"
#include "writers/winword2_layout.h"
#include "writers/word_dos_document.h"

namespace lettrix {
namespace {

using testing::bytes;

std::string font_code(int font_class) { return bytes({kEscape, Font, 0, font_class}); }

// The text after the tables up to the first "x" ("\f2 " for a sans run).
std::string rtf_font_of(int font_class) {
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), "." + font_code(font_class) + "x");
  EXPECT_EQ(dest_rtf_ansi(dir.file("s").c_str(), dir.file("t").c_str()), 0);
  const std::string rtf = testing::read_file(dir.file("t"));
  const std::size_t dot = rtf.find("\\pard .");
  const std::size_t x = rtf.find('x', dot);
  return dot == std::string::npos || x == std::string::npos ? "(none)" : rtf.substr(dot + 7, x - dot - 7);
}

int winword2_font_of(int font_class) {
  testing::ScratchDir dir;
  testing::write_file(dir.file("s"), font_code(font_class) + "x");
  EXPECT_EQ(dest_winword2(dir.file("s").c_str(), dir.file("t.doc").c_str()), 0);
  const testing::Ww2File f = testing::read_ww2(testing::read_file(dir.file("t.doc")));
  const testing::Ww2Run* run = f.char_run_of("x");
  // Length byte, three property bytes, then the font index.
  return f.error.empty() && run && run->record.size() > 5 ? run->record[5] : -1;
}

int word_dos_font_bits_of(int font_class) {
  std::string target;
  EXPECT_EQ(testing::word_dos_of(font_code(font_class) + "x", target), 0);
  const testing::DosDocument d = testing::read_dos_document(target);
  const testing::DosRun* run = d.char_at(d.offset_of("x"));
  return d.error.empty() && run ? run->byte(1) : -1;
}

TEST(PcFonts, EveryClassByteInEveryWriter) {
  struct Case {
    int font_class;
    const char* rtf;
    int winword2;  // font table index: 0 Times New Roman, 1 Symbol, 2 Arial, 3 Courier New
    int word_dos;  // font number in bits 2 to 7
  };
  // Word for DOS: 16 roman a, 1 modern b, 56 symbol a, 0 modern a.
  const Case cases[] = {
      {FontOther, "\\f0 ", 0, 16 << 2},
      {FontSerif, "\\f0 ", 0, 16 << 2},
      {FontSans, "\\f2 ", 2, 1 << 2},
      {FontSymbol, "\\f1 ", 1, 56 << 2},
      {FontDingbats, "\\f4 ", 0, 16 << 2},
      {FontFixed, "\\f3 ", 3, 0},
      // No known kind: as FontOther.
      {6, "\\f0 ", 0, 16 << 2},
      {0x7F, "\\f0 ", 0, 16 << 2},
      {0x80, "\\f0 ", 0, 16 << 2},
      {0xFF, "\\f0 ", 0, 16 << 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rtf_font_of(c.font_class), c.rtf) << c.font_class;
    EXPECT_EQ(winword2_font_of(c.font_class), c.winword2) << c.font_class;
    EXPECT_EQ(word_dos_font_bits_of(c.font_class), c.word_dos) << c.font_class;
  }
  for (int byte = FontFixed + 1; byte < 256; ++byte) {
    const ClassFonts& f = class_fonts(static_cast<std::uint8_t>(byte));
    EXPECT_EQ(&f, &class_fonts(FontOther)) << byte;
    EXPECT_EQ(&word_class_fonts(static_cast<std::uint8_t>(byte)), &word_class_fonts(FontOther)) << byte;
  }
}

TEST(PcFonts, WinWord2FontTableHoldsTheFirstFourFaces) {
  // Length, then per font: length, pitch and family, character set, name, 0.
  std::string table;
  for (std::uint8_t b : ww2::font_table()) table += static_cast<char>(b);
  EXPECT_EQ(table, bytes({0x37, 0}) +                                           //
                       bytes({0x12, 0x16, 0}) + std::string("Times New Roman", 16) +  //
                       bytes({0x09, 0x16, 2}) + std::string("Symbol", 7) +            //
                       bytes({0x08, 0x26, 0}) + std::string("Arial", 6) +             //
                       bytes({0x0E, 0x35, 0}) + std::string("Courier New", 12));
}

}  // namespace
}  // namespace lettrix
