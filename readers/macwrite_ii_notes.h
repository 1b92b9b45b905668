// Moving MacWrite II footnotes to their references.
//
// While the text zones are read, a footnote reference becomes NoteCall 0, 0
// and an empty note (EndOfText at once); the main text from the first
// reference on goes to a work file, and the footnote texts
// (which follow the main text in the document) go to a work file of their
// own, each one introduced by the note text marker below and all but the last
// ended by EndOfText. The pass below numbers the references, puts each note's
// text between its NoteCall and EndOfText. A note keeps the formatting it was
// written with: the codes that take the main text's formatting at the
// reference to the note's come before its text, and the codes that take it
// back come after.
#pragma once

#include <cstdint>

#include <cstdio>

namespace lettrix::macwrite_ii {

// Escape, 0xA3, escape, 0xA3: read back as one two-operand code (0xA3 is no
// code of the stream format, so nothing else in a stream looks like it).
inline constexpr std::uint8_t kNoteTextCode = 0xA3;

// Ends the stream `stream`, which holds the main text up to the first
// footnote reference, with the rest of the main text, `main_tail` (from that
// reference on), each footnote text of `note_texts` put at its reference.
// Without footnote texts (null), the rest is added as it stands. The main
// text is read once more only to follow its formatting; the files are read
// from their starts. Returns 0, or -1 when a file cannot be read.
int move_footnotes(std::FILE* stream, std::FILE* main_tail, std::FILE* note_texts);

}  // namespace lettrix::macwrite_ii
