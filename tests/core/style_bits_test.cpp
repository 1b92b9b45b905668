#include "core/style_bits.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <string_view>

#include "core/stream_printer.h"
#include "support/file_handle.h"

namespace lettrix {
namespace {

// Attributes by letter: b bold, i italic, u underline, k strike-through,
// o outline, s shadow, ^ superscript, _ subscript, c capitals, m small
// capitals, d double underline; "." none.
CharFormat letters(std::string_view text) {
  using enum Attr;
  constexpr std::string_view kLetters = "biukos^_cmd";
  constexpr Attr kAttrs[] = {Bold, Italic, Underline, Strike, Outline, Shadow, Superscript, Subscript,
                             Caps, SmallCaps, DoubleUnderline};
  CharFormat f;
  for (char c : text)
    if (const std::size_t at = kLetters.find(c); at != std::string_view::npos) f = f | char_format(kAttrs[at]);
  return f;
}

// The tables of single bits: the attribute of each bit, bit 0 first; every
// word decodes to those of its set bits.
TEST(StyleTables, EveryWordDecodesToTheAttributesOfItsBits) {
  struct Case {
    const char* format;
    const StyleTable& table;
    const char* bits;  // bit 0 first; the bits not given mean nothing
  };
  const Case cases[] = {
      {"MacWrite, Works 2", kMacStyle, "biuos^_."},
      {"Works 3", kWorks3Style, "biuk.^_."},
      {"ClarisWorks", kClarisWorksStyle, "biuos..."},
      {"Ragtime 2", kRagtime2Style, "biuos..^"},
      {"Ragtime 3", kRagtime3Style, "biuos..^_......."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    const std::string_view bits = c.bits;
    for (unsigned word = 0; word <= 0xFFFF; ++word) {
      CharFormat want;
      for (std::size_t bit = 0; bit < bits.size(); ++bit)
        if (word & (1u << bit)) want = want | letters(bits.substr(bit, 1));
      ASSERT_EQ(c.table.decode(static_cast<std::uint16_t>(word)), want) << "word " << word;
    }
  }
  // MacWrite II's second style byte is the Macintosh one.
  for (unsigned b = 0; b < 256; ++b) EXPECT_EQ(kMacWriteIIStyle.low[b], kMacStyle.low[b]) << b;
}

TEST(StyleTables, ValuesAndCombinedBitsDecodeAsTheFormatSays) {
  struct Case {
    const char* format;
    const StyleTable& table;
    std::uint16_t word;
    const char* attributes;
  };
  const Case cases[] = {
      // MacWrite II: first byte high, second low.
      {"MacWrite II", kMacWriteIIStyle, 0x0100, "^"},
      {"MacWrite II", kMacWriteIIStyle, 0x0200, "k"},
      {"MacWrite II", kMacWriteIIStyle, 0x0400, "c"},
      {"MacWrite II", kMacWriteIIStyle, 0x0800, "m"},
      {"MacWrite II", kMacWriteIIStyle, 0x1000, "u"},  // word underline
      {"MacWrite II", kMacWriteIIStyle, 0x2000, "d"},
      {"MacWrite II", kMacWriteIIStyle, 0x3000, "d"},  // word underline gives way to double
      {"MacWrite II", kMacWriteIIStyle, 0x3004, "ud"},
      {"MacWrite II", kMacWriteIIStyle, 0xC080, "."},
      {"MacWrite II", kMacWriteIIStyle, 0x3F7F, "biuos^_kcmd"},
      {"ClarisWorks position", kClarisWorksPosition, 1, "^"},
      {"ClarisWorks position", kClarisWorksPosition, 2, "_"},
      {"ClarisWorks position", kClarisWorksPosition, 0, "."},
      {"ClarisWorks position", kClarisWorksPosition, 3, "."},
      {"Ragtime 3 numbered", kRagtime3NumberedStyle, 1, "."},
      {"Ragtime 3 numbered", kRagtime3NumberedStyle, 2, "i"},
      {"Ragtime 3 numbered", kRagtime3NumberedStyle, 3, "ub"},
      {"Ragtime 3 numbered", kRagtime3NumberedStyle, 5, "b"},
      {"Ragtime 3 numbered", kRagtime3NumberedStyle, 6, "_"},
      {"Ragtime 3 numbered", kRagtime3NumberedStyle, 7, "^"},
      {"Ragtime 3 numbered", kRagtime3NumberedStyle, 8, "."},
      {"Ragtime 3 position", kRagtime3Position, 0, "."},
      {"Ragtime 3 position", kRagtime3Position, 1, "_"},
      {"Ragtime 3 position", kRagtime3Position, 0x80, "_"},
      {"Ragtime 3 position", kRagtime3Position, 0x81, "^"},
      {"Ragtime 3 position", kRagtime3Position, 0xFF, "^"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " " + std::to_string(c.word));
    EXPECT_EQ(c.table.decode(c.word), letters(c.attributes));
  }
}

// The codes a style word writes from the attributes in force, in each
// format's order.
TEST(StyleTables, AChangeIsWrittenInTheFormatsOrder) {
  struct Case {
    const char* format;
    const StyleTable& table;
    const char* from;
    std::uint16_t word;
    const char* added;  // attributes the reader adds to the word's
    const char* codes;
  };
  const Case cases[] = {
      {"MacWrite", kMacStyle, ".", 0x7F, "",
       "{BoldOn}{ItalicOn}{UnderlineOn}{OutlineOn}{ShadowOn}{SuperscriptOn}{SubscriptOn}"},
      {"MacWrite", kMacStyle, "i", 0x01, "", "{BoldOn}{ItalicOff}"},
      {"MacWrite", kMacStyle, "biuos^_", 0x80, "",
       "{BoldOff}{ItalicOff}{UnderlineOff}{OutlineOff}{ShadowOff}{SuperscriptOff}{SubscriptOff}"},
      {"Works 3", kWorks3Style, ".", 0x6F, "", "{BoldOn}{ItalicOn}{UnderlineOn}{StrikeOn}{SuperscriptOn}{SubscriptOn}"},
      {"Works 3", kWorks3Style, "o", 0x00, "", ""},  // outline is no Works 3 attribute
      {"MacWrite II", kMacWriteIIStyle, ".", 0x2E7F, "",
       "{BoldOn}{UnderlineOn}{SuperscriptOn}{SubscriptOn}{StrikeOn}{ItalicOn}{CapsOn}{SmallCapsOn}"
       "{DoubleUnderlineOn}{OutlineOn}{ShadowOn}"},
      {"ClarisWorks", kClarisWorksStyle, "^", 0x1F, "", "{BoldOn}{ItalicOn}{UnderlineOn}{OutlineOn}{ShadowOn}"},
      {"ClarisWorks position", kClarisWorksPosition, "^b", 2, "", "{SuperscriptOff}{SubscriptOn}"},
      {"ClarisWorks position", kClarisWorksPosition, "_", 1, "", "{SubscriptOff}{SuperscriptOn}"},
      {"ClarisWorks position", kClarisWorksPosition, "^_", 0, "", "{SuperscriptOff}{SubscriptOff}"},
      {"Ragtime 2", kRagtime2Style, ".", 0x9F, "_",
       "{BoldOn}{ItalicOn}{UnderlineOn}{OutlineOn}{ShadowOn}{SubscriptOn}{SuperscriptOn}"},
      {"Ragtime 2", kRagtime2Style, "^", 0x00, "_", "{SubscriptOn}{SuperscriptOff}"},
      {"Ragtime 3", kRagtime3Style, ".", 0x19F, "",
       "{BoldOn}{ItalicOn}{UnderlineOn}{OutlineOn}{ShadowOn}{SuperscriptOn}{SubscriptOn}"},
      {"Ragtime 3 numbered", kRagtime3NumberedStyle, ".", 3, "", "{UnderlineOn}{BoldOn}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.format) + " " + std::to_string(c.word));
    CharState cs;
    const CharFormat from = letters(c.from);
    cs.flags1 = from.flags1;
    cs.flags2 = from.flags2;
    cs.open_count = static_cast<std::uint8_t>(std::popcount(unsigned(from.flags1 << 8 | from.flags2)));
    FilePtr out(std::tmpfile());
    change_attributes(out.get(), cs, c.table.decode(c.word) | letters(c.added), c.table.order);
    std::rewind(out.get());
    EXPECT_EQ(print_stream(out.get()), c.codes);
  }
  // write_style is the decoding and the change in one.
  CharState cs;
  FilePtr out(std::tmpfile());
  write_style(out.get(), cs, kMacStyle, 0x21);
  std::rewind(out.get());
  EXPECT_EQ(print_stream(out.get()), "{BoldOn}{SuperscriptOn}");
}

}  // namespace
}  // namespace lettrix
