// Moving MacWrite II footnotes to their references.
//
// While the text zones are read, a footnote reference becomes NoteCall 0, 0
// and an empty note (EndOfText at once) in the stream, and the footnote texts
// (which follow the main text in the document) go to a work file of their
// own, each one introduced by the note text marker below and all but the last
// ended by EndOfText. The pass below numbers the references, puts each note's
// text between its NoteCall and EndOfText. A note keeps the formatting it was
// written with: the codes that take the main text's formatting at the
// reference to the note's come before its text, and the codes that take it
// back come after.
#pragma once

#include <cstdint>

#include "support/file_handle.h"

namespace lettrix::macwrite_ii {

// Escape, 0xA3, escape, 0xA3: read back as one two-operand code (0xA3 is no
// code of the stream format, so nothing else in a stream looks like it).
inline constexpr std::uint8_t kNoteTextCode = 0xA3;

// Rewrites the stream at stream_path, whose open stream `stream` holds the
// main text, with each footnote text of `note_texts` (read from its start)
// at its reference. The main text is copied once into a private work file
// and read back from there; `stream` is reopened (truncated) on the same path
// and left open after the result. Returns 0, or -1 when the work file or the
// stream cannot be opened or the copy fails (the stream is then closed).
int move_footnotes(FilePtr& stream, const char* stream_path, std::FILE* note_texts);

}  // namespace lettrix::macwrite_ii
