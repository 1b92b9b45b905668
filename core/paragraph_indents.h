// A paragraph's left edge and first line as the stream says them, for the
// readers whose rulers give both as positions.
//
//   first line left of the others    LeftMargin at the first line, IndentHere
//                                    the distance on to the others (a hanging
//                                    indent)
//   first line right of the others   LeftMargin at the others, Indent2 the
//                                    distance on to the first line (a
//                                    first-line indent)
//   both at one place                LeftMargin there, no indent
//
// IndentHere and Indent2 are never in force together; IndentReset cancels
// whichever is.
#pragma once

#include <cstdio>

#include "core/emitter.h"

namespace lettrix {

// Writes the codes that change the margin and indent in force to a paragraph
// whose other lines start at column `left` and whose first line starts at
// column `first` (columns 0 to 255; others are clamped). Nothing is written
// for what does not change.
void set_paragraph_indents(std::FILE* out, ParaState& ps, int left, int first);

}  // namespace lettrix
