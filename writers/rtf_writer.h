// The state of one RTF conversion and the routines that the parts of the
// RTF writer share (character formatting, paragraph properties).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/charset.h"
#include "core/emitter.h"
#include "core/units.h"
#include "support/block_input.h"
#include "support/output_buffer.h"
#include "writers/rtf_keywords.h"

namespace lettrix {

struct RtfWriter {
  BlockInput& in;  // the stream
  OutputBuffer& out;
  const TranslationGroup& group;
  bool dos;
  CharState cs;  // font_class holds the font digit ('0' to '4')
  ParaState ps;
  TabTable tabs;
  std::uint8_t border = 0;  // BorderOn sides in force, 0 for none

  int pictures = 0;          // pictures met, counted for the notes of -v
  int depth = 1;             // open groups of the document, embedded texts and symbol runs
  // The attribute groups open in the body, innermost last, by their on codes.
  std::vector<std::uint8_t> attribute_groups{};
  bool symbol_run = false;
  int line_length = 0;
  bool facing_pages = false;
  bool read_failed = false;  // a read of the stream failed  // a header or footer for even or odd pages only
  // True from a paragraph mark up to the paragraph's first content: the
  // paragraph's properties are written there, so that the codes that set
  // them up before its text are all taken into account.
  bool paragraph_pending = true;
  // Page breaks met between paragraphs: written after the properties of the
  // next paragraph, which they start on a new page.
  int page_breaks_pending = 0;
  // Attribute groups switched on between paragraphs (their on codes), opened
  // after the next paragraph's properties.
  std::vector<std::uint8_t> deferred_groups{};

  // The header, footer or note being written.
  bool in_embedded = false;
  bool in_note = false;
  int embedded_depth = 1;  // depth at its start
  // Attribute groups opened inside it: an off code there may only close one
  // of these, never a group of the text around it.
  std::vector<std::uint8_t> embedded_attribute_groups{};
  CharState saved_cs{};            // character formatting at its start
  bool saved_pending = false;     // whether the body was between paragraphs
  std::vector<std::uint8_t> saved_deferred_groups{};
  // A note's paragraphs start from the plain defaults: only the paragraph
  // codes inside the note shape them (they still change the stream's state).
  ParaState note_ps{};
  TabTable note_tabs{};
  std::uint8_t note_border = 0;

  // The tab stop keywords last written, with the stops and the left margin
  // they were made from: paragraph after paragraph they are the same.
  struct TabText {
    bool valid = false;
    TabTable tabs{};
    long long left_margin = 0;
    std::string text;
  } tab_text{};
};

inline void keyword(RtfWriter& w, int number) {
  w.out.put('\\');
  w.out.put(rtf_keyword(number));
}

inline void keyword_space(RtfWriter& w, int number) {
  keyword(w, number);
  w.out.put(' ');
}

inline void keyword_number(RtfWriter& w, int number, long long value) {
  keyword(w, number);
  w.out.put_number(value);
}

inline int points(const CharState& cs) { return -static_cast<int>(cs.size); }

// "\fs" and the size in half points.
inline void font_size_keyword(RtfWriter& w) { keyword_number(w, KwFs, units::points_to_half_points(points(w.cs))); }

// "\plain", then the size, font, attributes on and colour of the character
// state, then a blank.
void restate_character(RtfWriter& w);

// The properties of the paragraph that starts here: "\pard", alignment,
// indents, spacing, border and tab stops, then a blank.
// Then the page breaks met before the paragraph, as "\page ".
void write_paragraph_properties(RtfWriter& w);
// The attribute groups switched on before the paragraph's first content.
void open_deferred_attribute_groups(RtfWriter& w);
inline void start_paragraph_if_pending(RtfWriter& w) {
  if (!w.paragraph_pending) return;
  w.paragraph_pending = false;
  write_paragraph_properties(w);
  open_deferred_attribute_groups(w);
}

// A paragraph code of the stream (alignment, margins, indents, spacing, tab
// stops, borders): changes the state; returns false for any other code.
struct StreamItem;
bool paragraph_code(RtfWriter& w, const StreamItem& item);

}  // namespace lettrix
