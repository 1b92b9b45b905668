// Moving MacWrite II footnotes to their references.
//
// While the text zones are read, a footnote reference becomes NoteCall 0, 0
// and an empty note (EndOfText at once), and the footnote texts follow the
// main text, each one introduced by the marker kNoteTextMarker and all but the
// last ended by EndOfText. The pass below numbers the references, puts each
// note's text between its NoteCall and EndOfText, and drops everything from
// the first marker on. A note keeps the formatting it was written with: the
// codes that take the main text's formatting at the reference to the note's
// come before its text, and the codes that take it back come after.
#pragma once

#include <cstdint>

#include "support/file_handle.h"

namespace lettrix::macwrite_ii {

// Escape, 0xA3, escape, 0xA3: read back as one two-operand code (0xA3 is no
// code of the stream format, so nothing else in a stream looks like it).
inline constexpr std::uint8_t kNoteTextCode = 0xA3;

// Rewrites the stream at stream_path, whose open stream is `stream`, with
// each footnote text at its reference. Splits the stream in one pass into
// two private work files, the main text and the footnote texts; `stream` is
// reopened (truncated) on the same path and left open after the result.
// Returns 0, or -1 when a work file or the stream cannot be opened or the
// split fails (the stream is then closed).
int move_footnotes(FilePtr& stream, const char* stream_path);

}  // namespace lettrix::macwrite_ii
