// What the WordPerfect 5 writer keeps while it walks the stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/emitter.h"
#include "support/block_input.h"

namespace lettrix::wp5 {

// The properties last written: the right margin in columns (from the
// page's left edge), the justification mode, the font and its size. A
// negative value stands for one not known, which is written in any case.
struct WrittenLook {
  long right = -1;
  int justification = -1;
  int font = -1;
  int points = -1;
};

// The header, footer or note being written.
struct EmbeddedFunction {
  int value = 0;  // subfunction + 1; negative once its tab set is written; 0: none open
  std::uint8_t code = 0;
  std::uint8_t subfunction = 0;
  std::size_t length_at = 0;  // offset of its length word in Wp5Writer::out
  // The body's line around it.
  int body_column = 0;
  bool body_alignment_open = false;
  WrittenLook body_look;
  bool body_paragraph_open = false;
};

struct Wp5Writer {
  BlockInput* in = nullptr;  // the stream
  std::FILE* target = nullptr;
  std::string out;  // written, not yet sent to the target
  bool write_failed = false;

  CharState cs;
  ParaState ps;      // margins in columns from the page's left edge
  WrittenLook look;
  // Properties wait to be written before the next content: those of the
  // paragraph while none of its content is written, and a font change.
  bool look_pending = true;
  bool paragraph_open = false;  // content of the paragraph written
  TabTable tabs;     // the document's stops
  TabTable pending;  // changes to come: a kind sets the column, -1 clears it; sentinel 1 when any
  int column = 0;    // characters since the paragraph start (tabs do not move it)
  bool alignment_open = false;  // a centred or right tab waits for its end
  EmbeddedFunction fn;
  int newspaper_columns = 0;
  int columns_left = 0;
};

}  // namespace lettrix::wp5
