// The look a TextEdit-based editor (TeachText, SimpleText and their kin)
// keeps for a text file in its resource fork: the "styl" resource (runs of
// font, face, size and colour over the data fork's text), the "FOND"
// resources that name the fonts it uses, and, in SimpleText documents, the
// "PICT" resources numbered from 1000 that are drawn where the text holds a
// non-breaking space (0xCA).
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/charset.h"
#include "core/double_byte.h"
#include "core/emitter.h"
#include "core/mac_font_names.h"
#include "core/source_view.h"
#include "readers/reader_damage.h"

namespace lettrix {

// One run of the style table, from its first character on.
struct TextStyleRun {
  std::uint32_t start = 0;  // offset into the text
  std::int16_t font = 0;    // font family number
  std::uint8_t face = 0;    // QuickDraw style byte
  std::int16_t size = 0;    // points; 0 or less: the font's own size
  std::uint16_t red = 0, green = 0, blue = 0;
};

struct MacTextLook {
  std::vector<TextStyleRun> runs;  // usable runs: in order, each inside the text
  struct FontName {
    std::int16_t number;
    std::string name;
  };
  std::vector<FontName> font_names;                 // from the "FOND" resources
  std::vector<std::vector<std::uint8_t>> pictures;  // "PICT" 1000, 1001, ... (empty: not drawable)
  bool any() const { return !runs.empty() || !pictures.empty(); }
};

// Decodes a "styl" resource for a text of text_length bytes into look.runs.
// Runs out of order or beyond the text are left out, and a count beyond the
// resource is cut to the runs it holds; each fault is noted in damage.
void decode_style_scrap(std::span<const std::uint8_t> resource, std::uint64_t text_length, MacTextLook& look,
                        Damage& damage);

// Reads the look of a text from its resource fork (the view of it). A fork
// without a readable map gives no look and no fault: the text stands alone.
MacTextLook read_mac_text_look(SourceView& fork, std::uint64_t text_length, Damage& damage);

// The 16-colour palette index (the RTF writer's colour table) nearest to a
// QuickDraw colour; black, the colour of text by default, is 0 (automatic).
int nearest_text_colour(std::uint16_t red, std::uint16_t green, std::uint16_t blue);

// How the bytes of a run are read: through a character table, or, in a font
// of a script written with two bytes a character, through its set.
struct RunCharacters {
  const ReaderTable* table = &kMacintoshTable;
  const DoubleByteSet* wide = nullptr;
};

// Writes the codes of a run at its start (font class, size, face, colour) as
// changes from the state in force, and returns how the run's characters are
// read: in its font's table, or in the character set of its font's script,
// told by the font's number or else its name.
RunCharacters write_style_run(std::FILE* out, CharState& cs, MacFontNumberCache& fonts, const MacTextLook& look,
                              const TextStyleRun& run);

}  // namespace lettrix
