// Macintosh font numbers as the MacWrite and ClarisWorks readers meet them:
// the font class written to the stream and the character table that reads
// the text set in that font.
#pragma once

#include <cstdio>

#include "core/charset.h"
#include "core/emitter.h"

namespace lettrix {

// Writes Font (through set_font_class) when the class changes and returns the
// table for the text that follows:
//   13 (Zapf Dingbats)                 class 4, dingbat table
//   14, 20, 156 (New York, Times...)   class 1, Macintosh table
//   21 (Helvetica)                     class 2, Macintosh table
//   23 (Symbol)                        class 3, Symbol table
//   any other                          class 0, Macintosh table
const ReaderTable& select_mac_font(CharState& cs, int font_number, std::FILE* out);

}  // namespace lettrix
