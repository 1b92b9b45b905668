// The character formats and rulers that MacWrite 2.2 (version 3) and MacWrite
// 4.5 to 5 (version 6) documents share.
//
//   character format (6 bytes; a paragraph's list follows its text)
//     0  2  position in the paragraph's text at which the format starts
//     2  1  point size (signed)
//     3  1  style: bit 0 bold, 1 italic, 2 underline, 3 outline, 4 shadow,
//           5 superscript, 6 subscript; top bit: end mark
//     4  2  Macintosh font number; 0: end mark
//
//   ruler (34 bytes)
//     0  2  left margin, points        4  1  alignment 0 left, 1 centred,
//     2  2  right margin (not used)              2 right, 3 justified
//     5  1  number of tab stops        6  2  line spacing s
//     8  2  first-line position, points, from the same edge as the left
//           margin (left of it: a hanging indent)
//    10  2 each (at most 12)  tab stop positions in points from that edge;
//           top bit set: a decimal stop at the low 15 bits
//
// In the stream, in tenths of an inch: a first line left of the left margin
// is the stream's left margin with a hanging indent (IndentHere) on to the
// ruler's left margin; a first line right of it is the ruler's left margin
// with a first-line indent (Indent2). Tab stop columns count from the
// stream's left margin.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

#include "core/charset.h"
#include "core/emitter.h"
#include "core/mac_font_names.h"
#include "core/stream_codes.h"
#include "readers/macwrite_common.h"

namespace lettrix {

inline constexpr long kMacWriteFormatSize = 6;
inline constexpr long kMacWriteRulerSize = 34;

struct MacWriteFormat {
  std::uint16_t position = 0;
  std::int8_t size = 0;
  std::uint8_t style = 0;
  std::uint16_t font = 0;
};

// The formats held in `bytes` (a trailing partial format is left out), in
// place of those `formats` held (its storage serves paragraph after paragraph).
void parse_macwrite_formats(std::span<const std::uint8_t> bytes, std::vector<MacWriteFormat>& formats);

// The format list at a document offset (a 2-byte size, then the formats)
// into `formats`; none when the size lies beyond the document.
void read_macwrite_formats(MacWriteSource& src, long offset, std::vector<MacWriteFormat>& formats);

// Follows a paragraph's formats as its text is written: call at() before
// each character with its position. A format starts when its position
// comes; the one after it waits its turn unless it is an end mark, in which
// case the current one stays to the end of the paragraph.
struct MacWriteFormatCursor {
  std::span<const MacWriteFormat> formats;
  MacFontNumberCache& fonts;
  std::size_t current = 0;
  void at(long position, std::FILE* out, CharState& cs, const ReaderTable*& table);
  // The first position after `position` at which at() can start a format:
  // the characters up to there can be written without asking.
  std::size_t next_start(long position) const {
    if (current < formats.size() && formats[current].position > position) return formats[current].position;
    return static_cast<std::size_t>(-1);
  }
};

// The length of the run at the start of `text` that a font of the Macintosh
// character set writes as it stands: printable ASCII but the escape byte.
inline std::size_t plain_mac_run(std::span<const std::uint8_t> text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] >= 0x20 && text[n] < 0x7F && text[n] != kEscape) ++n;
  return n;
}

// Writes a format: size, font class (and the character table for the font),
// then each style bit on or off; a plain style closes every attribute.
void apply_macwrite_format(std::FILE* out, CharState& cs, const ReaderTable*& table, MacFontNumberCache& fonts,
                           const MacWriteFormat& format);

// A paragraph's alignment (0 left, 1 centred, 2 right, 3 justified; other
// values change nothing).
void set_macwrite_alignment(std::FILE* out, ParaState& ps, int source_alignment);

// A position in points as stream columns (tenths of an inch), rounded.
long points_to_columns(long points);

// Installs a ruler: left margin and hanging indent (written when they
// change), line spacing, and its tab stops. Returns its alignment byte.
int install_macwrite_ruler(std::FILE* out, ParaState& ps, TabTable& tabs, std::span<const std::uint8_t> ruler);

}  // namespace lettrix
