// Style words: the byte (or 16-bit word) in which a Macintosh program stores
// a run's text style, decoded through one table per format into the set of
// attributes the run asks for. QuickDraw's bits are bold, italic, underline,
// outline, shadow (bits 0 to 4); the programs use the higher bits each in
// their own way.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "core/emitter.h"

namespace lettrix {

// The decoding of one format's style words, and the order in which a change
// to the attributes they ask for is written.
struct StyleTable {
  std::array<CharFormat, 256> low{};   // the attributes of each value of the low byte
  std::array<CharFormat, 256> high{};  // and of the high byte
  AttributeOrder order;                // every attribute the format's runs set

  constexpr CharFormat decode(std::uint16_t word) const { return low[word & 0xFF] | high[word >> 8]; }
};

// Writes the attributes of a style word as their change from those in force:
// each attribute of the table's order goes on or off as the word has it.
inline void write_style(std::FILE* out, CharState& cs, const StyleTable& table, std::uint16_t word) {
  change_attributes(out, cs, table.decode(word), table.order);
}

// MacWrite 2.2 to 5 and Works 2 (and the second style byte of MacWrite II):
// bit 0 bold, 1 italic, 2 underline, 3 outline, 4 shadow, 5 superscript,
// 6 subscript; bit 7 means nothing.
extern const StyleTable kMacStyle;

// Works 3: bit 0 bold, 1 italic, 2 underline, 3 strike-through,
// 5 superscript, 6 subscript; bits 4 and 7 mean nothing.
extern const StyleTable kWorks3Style;

// MacWrite II: the two style bytes of a character format as one word, the
// first (A) high, the second (B) low. B as kMacStyle; A: bit 0 superscript,
// 1 strike-through, 2 capitals, 3 small capitals, 4 word underline (taken as
// underline unless bit 5 is set), 5 double underline. The attributes are
// written in the stream's own order, that of reassert_attributes.
extern const StyleTable kMacWriteIIStyle;

// ClarisWorks: bit 0 bold, 1 italic, 2 underline, 3 outline, 4 shadow.
extern const StyleTable kClarisWorksStyle;
// The ClarisWorks vertical position byte: 1 superscript, 2 subscript, any
// other value neither; the off code of a change comes before its on code.
extern const StyleTable kClarisWorksPosition;

// The TextEdit face byte (the "styl" resource of text files): bit 0 bold,
// 1 italic, 2 underline, 3 outline, 4 shadow; condense (5) and extend (6)
// have no code in the stream and are left out.
extern const StyleTable kTextEditStyle;

// Ragtime 2: bits 0 to 4 as QuickDraw's; bit 7 is the superscript mark
// (bits 5 and 6 mean nothing). The order holds subscript too, which the run's
// size byte and vertical shift ask for, and writes it before superscript.
extern const StyleTable kRagtime2Style;

// The Ragtime 3 style list's style word: bits 0 to 4 as QuickDraw's, bit 7
// superscript, bit 8 subscript.
extern const StyleTable kRagtime3Style;
// The fixed style numbers of a Ragtime 3 document without a style list: 2
// italic, 3 underline and bold (written in that order), 4 underline, 5 bold,
// 6 subscript, 7 superscript.
extern const StyleTable kRagtime3NumberedStyle;
// The Ragtime 3 vertical position byte: 1 to 0x80 subscript, 0x81 to 0xFF
// superscript.
extern const StyleTable kRagtime3Position;

}  // namespace lettrix
