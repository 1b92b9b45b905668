// Styled Macintosh text: the "styl" resource, "FOND" names and SimpleText
// pictures of a text file's resource fork, in each wrapper that keeps the
// fork.
#include <gtest/gtest.h>

#include <functional>

#include "builders/pict_builder.h"
#include "builders/styled_text_builder.h"
#include "builders/wrapper_builder.h"
#include "core/charset.h"
#include "core/handler.h"
#include "core/unicode_tables.h"
#include "core/stream_printer.h"
#include "readers/mac_text_styles.h"
#include "readers/text_only.h"
#include "test_util.h"

namespace lettrix {
namespace {

using build::MacFile;
using build::resource_fork;
using build::ResourceSpec;
using build::style_scrap;
using build::StyleRunSpec;
using testing::ScratchDir;

struct Result {
  std::string stream;
  int rc = 0;
  std::string reason;
};

enum class Wrap { MacBinary, BinHex, AppleSingle, AppleDouble, None };

Result convert(const std::string& text, const std::string& fork, Wrap wrap = Wrap::MacBinary) {
  ScratchDir dir;
  const MacFile file{.name = "Read Me", .type = "TEXT", .creator = "ttxt", .resource_fork = fork};
  const std::string src = dir.file("doc");
  switch (wrap) {
    case Wrap::MacBinary: testing::write_file(src, build::macbinary_ii(text, file)); break;
    case Wrap::BinHex: testing::write_file(src, build::binhex(text, file)); break;
    case Wrap::AppleSingle: testing::write_file(src, build::applesingle(text, file)); break;
    case Wrap::AppleDouble:
      testing::write_file(src, text);
      testing::write_file(dir.file("._doc"), build::appledouble(file));
      break;
    case Wrap::None: testing::write_file(src, text); break;
  }
  clear_handler_reason();
  Result r;
  r.rc = orig_text_only(src.c_str(), dir.file("out").c_str());
  r.reason = handler_reason();
  r.stream = print_stream(testing::read_file(dir.file("out")));
  return r;
}

std::string picture_bytes() {
  return build::PictBuilder(1, {0, 0, 20, 30}).shape(0x30, {2, 2, 10, 10}).finish();
}

std::string hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string h;
  for (unsigned char c : bytes) {
    h += kDigits[c >> 4];
    h += kDigits[c & 15];
  }
  return h;
}

// Every face bit, sizes, fonts by number and by name, colours, a Symbol
// run read through the Symbol table, a picture at the first 0xCA (the second
// has no picture and stays what it was, a space).
const std::string kText = "Plain Bold Ital Under Out Shad Cond\rBig Times Helv Red abc \xCA x \xCA.\r";
const std::vector<StyleRunSpec> kRuns = {
    {0, 0, 0, 12},          {6, 0, 1, 12},  {11, 0, 2, 12}, {16, 0, 4, 12}, {22, 0, 8, 12},
    {26, 0, 16, 12},        {31, 0, 32, 12}, {36, 0, 0, 24}, {40, 20, 0, 10}, {46, 300, 0, 10},
    {51, 4, 0, 10, 0xFFFF, 0x1000, 0}, {55, 23, 1, 10},  {59, 3, 0, 9},
};
const std::string kStyled =
    "{FontSize 246,244}Plain {BoldOn}Bold {BoldOff}{ItalicOn}Ital {ItalicOff}{UnderlineOn}Under "
    "{UnderlineOff}{OutlineOn}Out {OutlineOff}{ShadowOn}Shad {ShadowOff}Cond¶"
    "{FontSize 244,232}Big {Font 0,1}{FontSize 232,246}Times {Font 1,2}Helv {Font 2,5}{TextColour 0,6}Red "
    "{Font 5,3}{BoldOn}{TextColour 6,0}{TableChar 8,1}{TableChar 8,3}{TableChar 8,47} "
    "{Font 3,2}{FontSize 246,247}{BoldOff}{Picture 1 20x30 " +
    hex(picture_bytes()) + "} x  .¶";

std::string styled_fork() {
  return resource_fork({{"styl", 128, style_scrap(kRuns)},
                        build::font_family(300, "Helvetica"),
                        {"PICT", 1000, picture_bytes()}});
}

TEST(MacTextStyled, EveryWrapperCarriesTheLook) {
  for (Wrap wrap : {Wrap::MacBinary, Wrap::BinHex, Wrap::AppleSingle, Wrap::AppleDouble}) {
    const Result r = convert(kText, styled_fork(), wrap);
    EXPECT_EQ(r.rc, 0) << static_cast<int>(wrap) << " " << r.reason;
    EXPECT_EQ(r.stream, kStyled) << static_cast<int>(wrap);
  }
}

TEST(MacTextStyled, WithoutAStyleTableTheTextIsAsBefore) {
  const std::string plain = convert(kText, "", Wrap::None).stream;
  EXPECT_EQ(convert(kText, "").stream, plain);  // an empty fork
  EXPECT_EQ(convert(kText, resource_fork({build::font_family(300, "Helvetica")})).stream, plain);
  EXPECT_EQ(convert(kText, resource_fork({{"PICT", 999, picture_bytes()}})).stream, plain);
  EXPECT_EQ(convert(kText, std::string(300, '\xFF')).stream, plain);  // a map that cannot be read
  // The first "styl" when there is no 128; pictures from 1000 without one.
  EXPECT_EQ(convert("ab", resource_fork({{"styl", 5, style_scrap({{0, 0, 0, 12}, {1, 0, 1, 12}})}})).stream,
            "{FontSize 246,244}a{BoldOn}b");
  EXPECT_EQ(convert("\xCA\xCA\xCA", resource_fork({{"PICT", 1001, "junk"}, {"PICT", 1000, picture_bytes()}})).stream,
            "{Picture 1 20x30 " + hex(picture_bytes()) + "}  ");
}

TEST(MacTextStyled, DamagedStyleTablesKeepTheRunsThatCanBeUsed) {
  const struct {
    std::string text;
    std::string fork;
    std::string stream;
    std::string reason;
  } cases[] = {
      {"abc", resource_fork({{"styl", 128, style_scrap({{0, 0, 1, 12}, {2, 0, 0, 12}, {1, 0, 2, 12}})}}),
       "{FontSize 246,244}{BoldOn}ab{BoldOff}c", "style run 3 starts at byte 1, before the run ahead of it"},
      {"abc", resource_fork({{"styl", 128, style_scrap({{0, 0, 1, 12}, {70000, 0, 2, 12}})}}),
       "{FontSize 246,244}{BoldOn}abc", "style run 2 starts at byte 70,000, beyond the text's 3"},
      {"abc", resource_fork({{"styl", 128, style_scrap({{0, 0, 1, 12}, {1, 0, 2, 12}}, 9)}}),
       "{FontSize 246,244}{BoldOn}a{BoldOff}{ItalicOn}bc", "the style table counts 9 runs but holds 2"},
      {"abc", resource_fork({{"styl", 128, style_scrap({{0, 0, 1, 12}, {1, 0, 2, 12}}).substr(0, 30)}}),
       "{FontSize 246,244}{BoldOn}abc", "the style table counts 2 runs but holds 1"},
      {"abc", resource_fork({{"styl", 128, "\x01"}}), "abc", "the style table is empty (1 bytes)"},
  };
  for (const auto& c : cases) {
    const Result r = convert(c.text, c.fork);
    EXPECT_EQ(r.rc, kHandlerDamaged) << c.reason;
    EXPECT_EQ(r.reason, c.reason);
    EXPECT_EQ(r.stream, c.stream) << c.reason;
  }
}

// Runs in fonts of other scripts read their bytes in that script's
// character set: Greek (font numbers from 18944), Cyrillic (19456), Central
// European (30720) through their tables, Japanese (16384) in two bytes a
// character (MacTextStyled.TwoByteScripts).
TEST(MacTextStyled, FontsOfOtherScriptsReadTheirOwnCharacterSet) {
  const std::string text = "a\xB0\xE1 b\x80\xE0 c\x84\x9F d\x80\r";
  const auto at = [&](char c) { return static_cast<std::uint32_t>(text.find(c)); };
  const Result r = convert(text, resource_fork({{"styl", 128, style_scrap({{.start = at('a'), .font = 18944},
                                                                            {.start = at('b'), .font = 19456},
                                                                            {.start = at('c'), .font = 30720},
                                                                            {.start = at('d'), .font = 16384}})}}));
  EXPECT_EQ(r.rc, 0) << r.reason;
  // Greek 0xB0 Α, 0xE1 α; Cyrillic 0x80 А, 0xE0 а; Central European 0x84 Ą,
  // 0x9F ü; the Japanese font's 0x80 a backslash.
  const auto position = [](const ReaderTable& t, int byte) {
    return "{TableChar " + std::to_string(entry_table(t[byte])) + "," + std::to_string(entry_index(t[byte])) + "}";
  };
  for (const std::string& piece : {"a" + position(kMacGreekTable, 0xB0) + position(kMacGreekTable, 0xE1),
                                   "b" + position(kMacCyrillicTable, 0x80) + position(kMacCyrillicTable, 0xE0),
                                   "c" + position(kMacCentralEuropeanTable, 0x84) + position(kMacCentralEuropeanTable, 0x9F),
                                   std::string("d{Backslash}")})
    EXPECT_NE(r.stream.find(piece), std::string::npos) << piece << "\n" << r.stream;
  const std::pair<const ReaderTable*, std::pair<int, const char*>> chars[] = {
      {&kMacGreekTable, {0xB0, "\u0391"}}, {&kMacGreekTable, {0xE1, "\u03B1"}}, {&kMacGreekTable, {0xF7, "\u03C3"}},
      {&kMacCyrillicTable, {0x80, "\u0410"}}, {&kMacCyrillicTable, {0xE0, "\u0430"}},
      {&kMacCentralEuropeanTable, {0x84, "\u0104"}}, {&kMacCentralEuropeanTable, {0x9F, "\u00FC"}},
  };
  for (const auto& [table, c] : chars) {
    const std::uint16_t e = (*table)[static_cast<std::size_t>(c.first)];
    EXPECT_STREQ(position_utf8(entry_table(e), entry_index(e)), c.second) << c.first;
  }
  EXPECT_EQ(kMacCyrillicTable[0xCA], ' ');
  EXPECT_EQ(script_reader_table(16383), nullptr);
  EXPECT_EQ(script_reader_table(16384), nullptr);  // Japanese: two bytes a character
  EXPECT_EQ(script_reader_table(19967), &kMacCyrillicTable);
  EXPECT_EQ(script_reader_table(19968), nullptr);  // Hebrew...
}

// Japanese (Shift-JIS with Apple's additions), traditional Chinese (Big5),
// Korean (EUC-KR), simplified Chinese (GB 2312): each run's bytes in its
// font's set, by the font's number or, for a number of the Roman range, its
// name. Characters the repertoire holds (Greek, the yen sign) are positions
// of it; the others UnicodeChar codes; what has no character the
// replacement character U+FFFD.
TEST(MacTextStyled, TwoByteScripts) {
  const struct {
    const char* bytes;
    std::int16_t font;
    std::string name;  // a FOND for the font, when not empty
    const char* stream;
  } cases[] = {
      {"\x82\xA0\x88\x9F", 16384, "", "{TableChar 11,12}{UnicodeChar 78,156}"},        // あ (the repertoire's kana), 亜
      {"\xB1 \xDF", 16384, "", "{UnicodeChar 255,113} {UnicodeChar 255,159}"},        // half-width ｱ ﾟ
      {"a\\b\x80", 16384, "", "a{TableChar 4,12}b{Backslash}"},                       // 0x5C ¥, 0x80 backslash
      {"\x83\x9F\xEB\x41", 16384, "", "{TableChar 8,0}{TableChar 11,93}"},             // Α, vertical 、
      {"\x85\x40\x82\x0Dz", 16384, "", "{UnicodeChar 255,253}{UnicodeChar 255,253}¶z"},  // Apple's own; cut pair
      {"\xFD\xFE\xFF", 16384, "", "{TableChar 4,23}{TableChar 4,41}{TableChar 4,56}"},  // © ™ …
      {"\x82\xA0", 200, "Osaka", "{TableChar 11,12}"},                                // told by its name
      {"\x82\xA0", 200, "Geneva", "{TableChar 1,38}{TableChar 4,39}"},             // a Roman font: Ç†
      {"\xA4\x40\xA1\x41", 16896, "", "{UnicodeChar 78,0}{UnicodeChar 255,12}"},        // 一，
      {"\xB0\xA1z\xA1", 17408, "", "{UnicodeChar 172,0}z{UnicodeChar 255,253}"},       // 가, a lead byte at the end
      {"\xB0\xA1\xFD", 28672, "", "{UnicodeChar 85,74}{TableChar 4,23}"},              // 啊 ©
  };
  for (const auto& c : cases) {
    std::vector<ResourceSpec> resources = {{"styl", 128, style_scrap({{.start = 0, .font = c.font}})}};
    if (!c.name.empty()) resources.push_back(build::font_family(c.font, c.name));
    const Result r = convert(std::string(c.bytes) + "\r", resource_fork(resources));
    EXPECT_EQ(r.rc, 0) << r.reason;
    EXPECT_NE(r.stream.find(std::string(c.stream) + "¶"), std::string::npos) << c.bytes << "\n" << r.stream;
  }
}

TEST(MacTextStyled, NearestColour) {
  const struct {
    std::uint16_t r, g, b;
    int colour;
  } cases[] = {{0, 0, 0, 0},          {0xFFFF, 0, 0, 6},          {0, 0, 0xFFFF, 2},
               {0x8000, 0x8000, 0x8000, 15}, {0xC000, 0xC000, 0xC000, 16}, {0xFFFF, 0xFFFF, 0xFFFF, 8},
               {0x7000, 0, 0x7000, 12}, {0x1000, 0x1000, 0x1000, 0}};
  for (const auto& c : cases) EXPECT_EQ(nearest_text_colour(c.r, c.g, c.b), c.colour) << c.r << " " << c.g;
}

}  // namespace
}  // namespace lettrix
