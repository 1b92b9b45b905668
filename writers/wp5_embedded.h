// Headers, footers and notes: each one variable-length function around its
// text, opened at its stream code and closed at EndOfText.
#pragma once

#include <cstdint>

#include "writers/wp5_state.h"

namespace lettrix::wp5 {

// Opens the function for a header or footer code or NoteCall (whose first
// operand is given). Embedded texts do not nest: one still open is closed first.
void begin_embedded(Wp5Writer& w, std::uint8_t code, std::uint8_t first_operand);
// Closes the open function, if any, with its length filled in.
void end_embedded(Wp5Writer& w);
// Closes the open function early when it is close to the longest length its
// length word can hold; the rest of its text goes on in the body.
void end_embedded_if_full(Wp5Writer& w);

}  // namespace lettrix::wp5
