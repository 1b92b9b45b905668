// What the two Word writers (Word for DOS, Word for Windows 2) share while
// they read the intermediate stream: the character attribute word, the
// paragraph being written (flag words, column, tab stops and their encoding),
// the copying of an embedded text (a footnote, header or footer) into a work
// file, and the appending of a work file to the target.
//
// Both writers keep one paragraph record, `word::Paragraph`, and hand it the
// stream's tab bytes and paragraph codes; they build their own property
// records from its flags.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/emitter.h"
#include "core/stream_reader.h"

namespace lettrix::word {

// ---------------------------------------------------------------------------
// Character attribute word: the attributes of the text being written.

inline constexpr unsigned kAttrBold = 0x01;
inline constexpr unsigned kAttrUnderline = 0x02;
inline constexpr unsigned kAttrStrike = 0x04;
inline constexpr unsigned kAttrSuperscript = 0x08;
inline constexpr unsigned kAttrItalic = 0x10;
inline constexpr unsigned kAttrCaps = 0x40;
// A special character: a page number or a footnote reference mark.
inline constexpr unsigned kAttrSpecial = 0x100;
// Variants of underline, superscript and capitals, kept in bits of their own
// so that both of a pair can be on at once (double underline wins over
// underline, subscript over superscript, small capitals over capitals).
inline constexpr unsigned kAttrDoubleUnderline = 0x200;
inline constexpr unsigned kAttrSubscript = 0x400;
inline constexpr unsigned kAttrSmallCaps = 0x800;
// The reference mark of a footnote (set together with kAttrSpecial).
inline constexpr unsigned kAttrNoteMark = 0x1000;

// Switches the attribute of an on or off code in the word. Returns false,
// leaving the word alone, for any other code.
bool apply_attribute_code(std::uint8_t code, unsigned& attrs);

// ---------------------------------------------------------------------------
// Paragraph flags: the properties a paragraph entry is built from.

inline constexpr unsigned kParaFlushRight = 0x01;
inline constexpr unsigned kParaCentred = 0x02;
inline constexpr unsigned kParaJustified = 0x04;
inline constexpr unsigned kParaSpacing = 0x40;      // line spacing other than single
inline constexpr unsigned kParaNoteEnd = 0x80;      // a paragraph of a footnote's text
// A default paragraph, whatever the flags say.
inline constexpr unsigned kParaDefault = 0xFF;

// The stream's right margin when the text has no right indent.
inline constexpr int kFullRightMargin = 79;

// A paragraph's indents as the stream gives them, in columns: the left
// margin, the right margin, the hanging indent (IndentHere: the lines after
// the first start that far right of the margin, the first line at the
// margin) and the second indent (Indent2: the first line starts that far
// right of the margin).
struct Indents {
  int left_margin = 0;
  int right_margin = kFullRightMargin;
  int hanging = 0;
  int second = 0;
};

// The same in twips, as the Word formats hold them: the left indent from the
// page margin, the first line's indent from the left indent, the right
// indent from the right page margin.
struct IndentTwips {
  long long left = 0;
  long long first = 0;
  long long right = 0;
};
IndentTwips indent_twips(const Indents& indents);

// Tab state: the default stops are untouched (Word's own defaults apply and
// no stops are written), the stops changed since they were last encoded, or
// the last encoding still holds.
inline constexpr int kTabsDefault = -1;
inline constexpr int kTabsEncoded = 0;
inline constexpr int kTabsChanged = 1;

// Default stops: every 5 columns from 5 to 200.
inline constexpr int kDefaultTabStep = 5;
inline constexpr int kDefaultTabLast = 200;
// Sentinel of a tab table whose default stops a tab code has replaced.
inline constexpr std::int32_t kTabsReplaced = 254;

struct Paragraph {
  unsigned flags = 0;    // flags of the current paragraph
  unsigned carried = 0;  // flags carried into the next paragraph
  int column = 0;        // characters in the current line, moved on by tabs
  int tab_count = 0;     // tabs in the current paragraph
  int previous = -1;     // the previous plain byte of the stream, -1 after a code
  bool empty = true;     // nothing written since the paragraph began
  ParaState ps;          // the stream's margins, indents and line spacing as its codes set them
  Indents indents;       // the current paragraph's: those in force when its text began
  TabTable tabs;
  int tab_state = kTabsDefault;
};

// The state at the start of a document: the stream's initial paragraph
// values, the default tab stops.
void start_document(Paragraph& p);

// The start of a note's text: the stream's initial paragraph state, without
// the margins, indents and tab stops of the text around it, as the RTF
// writer begins each note.
void start_note(Paragraph& p);

// After a paragraph's entry: the carried flags and the stream's indents
// become the new paragraph's; the column and the tab count restart.
void next_paragraph(Paragraph& p);

// Whether the current paragraph is indented in any way.
bool has_indents(const Paragraph& p);

// One character written into the current line.
inline void advance(Paragraph& p) {
  ++p.column;
  p.empty = false;
}

// A tab byte of the stream, written as a tab: counts it and moves the column
// to the next stop.
void tab_written(Paragraph& p);

// RightOn. At the start of a line the paragraph becomes flush right (returns
// 0); after text it returns the number of tab bytes (0 to 14) that reach
// toward the right margin, changing no paragraph property.
int right_on(Paragraph& p);

// Acts on a paragraph code: alignment (except RightOn), margins, indents,
// line spacing, tab stops. Returns false for any other code.
//
// An off code ends its property with the next paragraph; when the current
// paragraph holds no text yet (the code came at its start), it ends there.
// A margin or indent code changes the current paragraph only while it holds
// no text, as the RTF writer states a paragraph's properties where its text
// begins; after text it takes effect with the next paragraph.
bool apply_paragraph_code(Paragraph& p, const StreamItem& item);

// A twips value in the signed 16-bit range of the property records.
std::int16_t clamp_twips(long long twips);

struct EncodedTab {
  std::int16_t position;  // twips from the left margin
  std::uint8_t kind;      // tab kind minus 1: 0 left, 1 centre, 2 right, 3 decimal, 4 bar
};

// The stops of the table in column order, at most max of them (the lowest
// columns), each `left_margin` columns further right: the stream counts tab
// columns from the left margin, the Word formats from the page margin.
// Returns how many were stored.
int encode_tab_stops(const TabTable& tabs, int twips_per_col, EncodedTab* out, int max, int left_margin = 0);

// ---------------------------------------------------------------------------
// Work files.

// Copies one embedded text from the stream into a work file: every item up to
// and including the EndOfText that ends it, each code with exactly its
// operands, so that an operand byte 0x7F never ends the copy. A header,
// footer or note code inside it (embedded texts do not nest) is left out.
// When the stream ends first, an EndOfText is added, so the copy always ends
// with one; `ended` tells whether the stream had it. Returns false when
// writing fails.
//
// The stream's state is one: what an embedded text's codes change holds for
// the text after it too, as the RTF writer keeps it. `after`, when given,
// takes those changes: the paragraph codes change its paragraph, the
// attribute codes its attribute word, and it keeps the operand of the last
// Font, FontSize and CharSet code (-1 when none came).
struct StateAfter {
  Paragraph* paragraph = nullptr;
  unsigned attrs = 0;
  int font = -1;
  int font_size = -1;
  int charset = -1;
};
bool copy_embedded_text(BlockInput& in, std::FILE* work, bool& ended, StateAfter* after = nullptr);

// Appends the whole of a work file to the output, in large blocks. Returns
// false when reading or writing fails.
bool append_work_file(std::FILE* work, std::FILE* out);
// Appends the first `size` bytes of a work file (false when it has fewer).
bool copy_work_bytes(std::FILE* work, std::uint64_t size, std::FILE* out);

}  // namespace lettrix::word
