#include "readers/macwrite_format.h"

#include <algorithm>
#include <iterator>

#include "core/byte_helpers.h"
#include "core/mac_font_names.h"
#include "core/paragraph_indents.h"
#include "core/style_bits.h"

namespace lettrix {

namespace {

constexpr int kRulerStopsHeld = (kMacWriteRulerSize - 10) / 2;

bool ends_list(const MacWriteFormat& f) { return (f.style & 0x80) != 0 || f.font == 0; }

// The ruler's margins: the other lines of a paragraph start at the left
// margin, its first line at the first-line position.
void install_margins(std::FILE* out, ParaState& ps, long left_points, long first_points) {
  // Ruler positions are 16-bit numbers: a few thousand columns at most.
  set_paragraph_indents(out, ps, static_cast<int>(points_to_columns(left_points)),
                        static_cast<int>(points_to_columns(first_points)));
}

}  // namespace

void parse_macwrite_formats(std::span<const std::uint8_t> bytes, std::vector<MacWriteFormat>& formats) {
  formats.clear();
  for (std::size_t at = 0; at + kMacWriteFormatSize <= bytes.size(); at += kMacWriteFormatSize) {
    MacWriteFormat f;
    f.position = be16_at(bytes.data() + at);
    f.size = static_cast<std::int8_t>(bytes[at + 2]);
    f.style = bytes[at + 3];
    f.font = be16_at(bytes.data() + at + 4);
    formats.push_back(f);
  }
}

void read_macwrite_formats(MacWriteSource& src, long offset, std::vector<MacWriteFormat>& formats) {
  std::uint16_t size = 0;
  if (!read_document_be16(src, offset, size)) {
    formats.clear();
    return;
  }
  parse_macwrite_formats(view_document(src, offset + 2, size), formats);
}

void set_macwrite_alignment(std::FILE* out, ParaState& ps, int source_alignment) {
  switch (source_alignment) {
    case 0: set_alignment(out, ps, AlignLeft); break;
    case 1: set_alignment(out, ps, AlignCentre); break;
    case 2: set_alignment(out, ps, AlignRight); break;
    case 3: set_alignment(out, ps, AlignJustify); break;
    default: break;
  }
}

void MacWriteFormatCursor::at(long position, std::FILE* out, CharState& cs, const ReaderTable*& table) {
  if (current >= formats.size() || formats[current].position != position) return;
  apply_macwrite_format(out, cs, table, fonts, formats[current]);
  // At the end of the list the last format stays; it cannot match again.
  if (current + 1 < formats.size() && !ends_list(formats[current + 1])) ++current;
}

void apply_macwrite_format(std::FILE* out, CharState& cs, const ReaderTable*& table, MacFontNumberCache& fonts,
                           const MacWriteFormat& f) {
  // Sizes below 1 point carry no size; they would be written as huge ones.
  if (f.size > 0) set_font_size(out, cs, f.size);
  table = &fonts.select(cs, f.font, out);
  if (f.style == 0) {
    close_attributes(out, cs);
    return;
  }
  write_style(out, cs, kMacStyle, f.style);
}

// A ruler position in points as a stream column: a tenth of an inch, 7.2
// points, whatever the type size; rounded to the nearest column.
long points_to_columns(long points) {
  const long tenths = (points < 0 ? -points : points) * 10;
  const long columns = (tenths + 36) / 72;
  return points < 0 ? -columns : columns;
}

int install_macwrite_ruler(std::FILE* out, ParaState& ps, TabTable& tabs, std::span<const std::uint8_t> ruler) {
  if (static_cast<long>(ruler.size()) < kMacWriteRulerSize) return 0;
  install_margins(out, ps, be16s_at(ruler.data()), be16s_at(ruler.data() + 8));
  const long spacing = be16s_at(ruler.data() + 6);
  set_line_spacing(out, ps, static_cast<int>((spacing / 2 + 1) * 8));

  std::vector<TabStop> stops;
  const int count = std::min<int>(ruler[5], kRulerStopsHeld);
  for (int k = 0; k < count; ++k) {
    const std::uint16_t position = be16_at(ruler.data() + 10 + 2 * static_cast<std::size_t>(k));
    const long column = points_to_columns(position & 0x7FFF) - ps.left_margin;
    if (column < 1 || column >= TabTable::kColumns) continue;
    stops.push_back({static_cast<int>(column), (position & 0x8000) ? TabDecimal : TabLeft});
  }
  install_ruler(out, tabs, stops);
  return ruler[4];
}

}  // namespace lettrix
