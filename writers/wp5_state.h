// What the WordPerfect 5 writer keeps while it walks the stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/emitter.h"
#include "support/block_input.h"

namespace lettrix::wp5 {

// The header, footer or note being written.
struct EmbeddedFunction {
  int value = 0;  // subfunction + 1; negative once its tab set is written; 0: none open
  std::uint8_t code = 0;
  std::uint8_t subfunction = 0;
  std::size_t length_at = 0;  // offset of its length word in Wp5Writer::out
  // The body's line around it.
  int body_column = 0;
  bool body_alignment_open = false;
};

struct Wp5Writer {
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  BlockInput* in = nullptr;  // the stream
  std::FILE* target = nullptr;
  std::string out;  // written, not yet sent to the target
  bool write_failed = false;

  CharState cs;
  ParaState ps;      // margins in columns; hanging_indent set by IndentHere
  TabTable tabs;     // the document's stops
  TabTable pending;  // changes to come: a kind sets the column, -1 clears it; sentinel 1 when any
  int column = 0;    // characters since the paragraph start (tabs do not move it)
  bool alignment_open = false;  // a centred or right tab waits for its end
  EmbeddedFunction fn;
  int newspaper_columns = 0;
  int columns_left = 0;
  // The last tab function in `out`, while it may still give way to an indent.
  std::size_t tab_start = kNone;
  std::size_t tab_end = kNone;
};

inline bool tab_is_last(const Wp5Writer& w) { return w.tab_end != Wp5Writer::kNone && w.tab_end == w.out.size(); }

}  // namespace lettrix::wp5
