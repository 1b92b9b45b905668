// Text opcodes: Macintosh-encoded text drawn at the text location in a face
// of the font's class (serif, sans serif, monospace).
#pragma once

#include <cairo.h>

#include <span>
#include <string>

#include "graphics/pict_state.h"

namespace lettrix::pict {

// The cairo family of a font: from its FontName opcode's name when the
// picture gave one, else from the classic font number.
const char* font_family(const PictState& st);

// The bytes as UTF-8, Macintosh characters translated, control characters
// left out.
std::string mac_text_utf8(std::span<const std::uint8_t> text);

// Draws the text with its baseline starting at st.text_at.
void draw_text(cairo_t* cr, const PictState& st, std::span<const std::uint8_t> text);

}  // namespace lettrix::pict
