// The look of the text in WordPerfect: margins, first line and justification
// take effect with a paragraph, so they are written at its start, just
// before its first content, as the stream has them there; the font and its
// size are written before the next character after they change.
#pragma once

#include "writers/wp5_state.h"

namespace lettrix::wp5 {

// Writes what has changed of the look since it was last written.
void write_look(Wp5Writer& w);

// Before a character, tab or field: the look, when something waits.
inline void before_content(Wp5Writer& w) {
  if (w.look_pending) write_look(w);
}

// The paragraph ends: the next one's properties wait for its content.
inline void paragraph_closed(Wp5Writer& w) {
  w.paragraph_open = false;
  w.look_pending = true;
}

}  // namespace lettrix::wp5
