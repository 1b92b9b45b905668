#include "writers/wp5_functions.h"

#include <algorithm>

#include "core/pc_fonts.h"
#include "core/units.h"

namespace lettrix::wp5 {

namespace {

// The right margin is written as the position of column 100 (ten inches)
// less the position of its column.
constexpr long long kRightMarginBase = units::columns_to_wp_units(100);
// Space between two newspaper columns.
constexpr long kColumnGap = 400;
constexpr unsigned kUnusedTabPosition = 0xFFFF;
constexpr int kTabPositions = 40;

unsigned clamp_u16(long long value) { return static_cast<unsigned>(std::clamp<long long>(value, 0, 0xFFFF)); }

void put_byte(std::string& out, unsigned byte) { out.push_back(static_cast<char>(byte & 0xFF)); }

void put_zeros(std::string& out, std::size_t count) { out.append(count, '\0'); }

struct Rgb {
  std::uint8_t red, green, blue;
};

// Palette entries 1 to 16.
constexpr Rgb kPalette[16] = {
    {0, 0, 0},       {0, 0, 255},     {0, 255, 255}, {0, 255, 0},   {255, 0, 255},   {255, 0, 0},
    {255, 255, 0},   {255, 255, 255}, {0, 0, 127},   {0, 127, 127}, {0, 127, 0},     {127, 0, 127},
    {127, 0, 0},     {127, 127, 0},   {127, 127, 127}, {171, 171, 171},
};
constexpr int kWhite = 8;

// The 100 bytes of one tab set: 40 positions (the first 0, unused ones
// 0xFFFF), then 40 kinds of four bits, two to a byte, the even position in
// the high half.
void put_tab_stops(std::string& out, const TabTable& stops, long left_margin) {
  unsigned positions[kTabPositions];
  std::uint8_t kinds[kTabPositions] = {};
  std::fill(std::begin(positions), std::end(positions), kUnusedTabPosition);
  positions[0] = 0;
  int used = 1;
  for (int column = 0; column < TabTable::kColumns && used < kTabPositions; ++column) {
    const std::int32_t kind = stops.entries[column];
    if (kind <= 0) continue;
    positions[used] = clamp_u16(units::columns_to_wp_units(left_margin + column));
    // Left, centre, right and decimal stops; a bar stop has no kind of its
    // own here and stands as a left stop.
    kinds[used] = static_cast<std::uint8_t>(kind >= TabLeft && kind <= TabDecimal ? kind - 1 : 0);
    ++used;
  }
  for (unsigned p : positions) put_u16(out, p);
  for (int k = 0; k < kTabPositions; k += 2) put_byte(out, (kinds[k] << 4) | kinds[k + 1]);
}

}  // namespace

int fixed_function_size(std::uint8_t code) {
  switch (code) {
    case kExtendedChar: return 4;
    case kTabAlign: return 9;
    case kIndent: return 11;
    case kAttributeOn:
    case kAttributeOff: return 3;
    default: return 0;
  }
}

void put_u16(std::string& out, unsigned value) {
  put_byte(out, value);
  put_byte(out, value >> 8);
}

void put_prefix(std::string& out) {
  constexpr std::size_t kIndexEnd = 16 + 5 * 10;
  constexpr std::size_t kFontsSize = kPcFonts.size() * kFontRecordSize;
  // The document's initial size: that of every stream's start.
  constexpr unsigned kInitialSize = static_cast<unsigned>(-CharState{}.size) * 50;
  static_assert(kFontPoolSize == [] {
    std::size_t n = 0;
    for (const PcFontFace& face : kPcFonts) n += face.name.size() + 1;
    return n;
  }());
  out.append("\xFFWPC", 4);
  put_u16(out, kPrefixSize);  // offset of the text
  put_u16(out, 0);
  put_byte(out, 1);     // product
  put_byte(out, 0x0A);  // file type: document
  put_u16(out, 0);      // version 0.0
  put_u16(out, 0);      // not encrypted
  put_u16(out, 0);      // reserved
  // The index block: its own entry (type, entries, size of the entries, no
  // next block), then type, size and offset of each packet.
  put_u16(out, 0xFFFB);
  put_u16(out, 5);
  put_u16(out, 5 * 10);
  put_u16(out, 0);
  put_u16(out, 0);
  auto entry = [&](unsigned type, std::size_t size, std::size_t offset) {
    put_u16(out, type);
    put_u16(out, static_cast<unsigned>(size));
    put_u16(out, 0);
    put_u16(out, static_cast<unsigned>(offset));
    put_u16(out, 0);
  };
  entry(2, kFontsSize, kIndexEnd);
  entry(7, kFontPoolSize, kIndexEnd + kFontsSize);
  put_zeros(out, 2 * 10);
  std::size_t name_at = 0;
  for (const PcFontFace& face : kPcFonts) {
    std::string record(kFontRecordSize, '\0');
    record[18] = static_cast<char>(name_at & 0xFF);
    record[19] = static_cast<char>(name_at >> 8);
    record[22] = static_cast<char>(kInitialSize & 0xFF);
    record[23] = static_cast<char>(kInitialSize >> 8);
    out += record;
    name_at += face.name.size() + 1;
  }
  for (const PcFontFace& face : kPcFonts) {
    out.append(face.name);
    put_byte(out, 0);
  }
}

void put_fixed(std::string& out, std::uint8_t code, std::initializer_list<std::uint8_t> data) {
  const std::size_t size = static_cast<std::size_t>(fixed_function_size(code));
  const std::size_t room = size >= 2 ? size - 2 : 0;
  put_byte(out, code);
  std::size_t written = 0;
  for (std::uint8_t b : data) {
    if (written == room) break;
    put_byte(out, b);
    ++written;
  }
  put_zeros(out, room - written);
  put_byte(out, code);
}

void put_variable(std::string& out, std::uint8_t code, std::uint8_t subfunction, std::string_view data) {
  const unsigned length = static_cast<unsigned>(data.size() + 4);
  put_byte(out, code);
  put_byte(out, subfunction);
  put_u16(out, length);
  out.append(data);
  put_u16(out, length);
  put_byte(out, subfunction);
  put_byte(out, code);
}

unsigned left_margin_units(long column) { return clamp_u16(units::columns_to_wp_units(column)); }
unsigned right_margin_units(long column) { return clamp_u16(kRightMarginBase - units::columns_to_wp_units(column)); }

void put_margins(std::string& out, long old_left, long old_right, long new_left, long new_right) {
  std::string data;
  put_u16(data, left_margin_units(old_left));
  put_u16(data, right_margin_units(old_right));
  put_u16(data, left_margin_units(new_left));
  put_u16(data, right_margin_units(new_right));
  put_variable(out, kFormat, kFormatMargins, data);
}

void put_line_spacing(std::string& out, int old_spacing, int new_spacing) {
  std::string data;
  for (int spacing : {old_spacing, new_spacing}) put_u16(data, units::spacing_to_wp_lines(spacing));
  put_variable(out, kFormat, kFormatSpacing, data);
}

void put_tab_set(std::string& out, const TabTable& old_stops, const TabTable& new_stops, long left_margin,
                 long right_margin) {
  std::string data;
  put_tab_stops(data, old_stops, left_margin);
  put_tab_stops(data, new_stops, left_margin);
  put_u16(data, left_margin_units(left_margin));
  put_u16(data, right_margin_units(right_margin));
  put_variable(out, kFormat, kFormatTabSet, data);
}

void put_justification(std::string& out, std::uint8_t old_mode, std::uint8_t new_mode) {
  const char data[2] = {static_cast<char>(old_mode), static_cast<char>(new_mode)};
  put_variable(out, kFormat, kFormatJustification, std::string_view(data, 2));
}

void put_font_change(std::string& out, std::uint8_t font, int points) {
  // The old font's fields stay zero; the new font's number at byte 25 and
  // its size in 3600ths of an inch at bytes 28 and 29.
  std::string data(32, '\0');
  const unsigned size = static_cast<unsigned>(std::clamp(points, 1, 255)) * 50;
  data[25] = static_cast<char>(font);
  data[28] = static_cast<char>(size & 0xFF);
  data[29] = static_cast<char>(size >> 8);
  put_variable(out, kFont, kFontChange, data);
}

void put_indent(std::string& out, long column) {
  // Flags 0: a left indent to the position in bytes 5 and 6.
  const unsigned position = left_margin_units(column);
  put_fixed(out, kIndent,
            {0, 0, 0, 0, 0, static_cast<std::uint8_t>(position & 0xFF), static_cast<std::uint8_t>(position >> 8)});
}

void put_first_line(std::string& out, long column) {
  // Flags 0: a left tab or margin release to the position in bytes 3 and 4.
  const unsigned position = left_margin_units(column);
  put_fixed(out, kTabAlign, {0, 0, 0, static_cast<std::uint8_t>(position & 0xFF), static_cast<std::uint8_t>(position >> 8)});
}

void put_colour(std::string& out, int palette_entry) {
  if (palette_entry < 1 || palette_entry > 16) return;
  const Rgb& rgb = kPalette[palette_entry - 1];
  // Full intensity is written as 171, except in white.
  auto component = [&](std::uint8_t c) { return c == 255 && palette_entry != kWhite ? 171u : c; };
  std::string data(3, '\0');
  put_byte(data, component(rgb.red));
  put_byte(data, component(rgb.green));
  put_byte(data, component(rgb.blue));
  put_variable(out, kFont, kFontColour, data);
}

void put_column_definition(std::string& out, int columns, long left_margin, long right_margin) {
  if (columns < 1) return;
  const int n = std::min(columns, kMaxColumns);
  // Each column a whole number of stream columns wide.
  const long long width = units::columns_to_wp_units((right_margin - left_margin) / n);
  std::string data(97, '\0');
  put_byte(data, static_cast<unsigned>(n + 0x40));
  long long start = units::columns_to_wp_units(left_margin);
  for (int i = 0; i < n; ++i) {
    const long long end = start + width;
    put_u16(data, clamp_u16(start));
    put_u16(data, clamp_u16(end));
    start = end + kColumnGap;
  }
  put_zeros(data, static_cast<std::size_t>(96 - 4 * n));
  put_variable(out, kDefinition, kDefinitionColumns, data);
}

std::size_t open_header_footer(std::string& out, std::uint8_t subfunction, std::uint8_t occurrence) {
  put_byte(out, kHeaderFooter);
  put_byte(out, subfunction);
  const std::size_t length_at = out.size();
  put_zeros(out, 2 + 7);
  put_byte(out, occurrence);
  put_zeros(out, 10);
  return length_at;
}

std::size_t open_note(std::string& out, std::uint8_t subfunction) {
  put_byte(out, kNote);
  put_byte(out, subfunction);
  const std::size_t length_at = out.size();
  put_zeros(out, 2 + 4);
  put_byte(out, 0xFF);
  put_byte(out, 0xFF);
  put_zeros(out, subfunction == 0 ? 9 : 2);
  put_byte(out, kNoteNumber);
  return length_at;
}

void close_function(std::string& out, std::size_t length_at, std::uint8_t subfunction, std::uint8_t code) {
  const unsigned length = clamp_u16(static_cast<long>(out.size() - length_at) + 2);
  out[length_at] = static_cast<char>(length & 0xFF);
  out[length_at + 1] = static_cast<char>(length >> 8);
  put_u16(out, length);
  put_byte(out, subfunction);
  put_byte(out, code);
}

}  // namespace lettrix::wp5
