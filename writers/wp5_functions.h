// WordPerfect 5.0 documents: the prefix and the function codes this program
// writes, each appended to a byte string. Numbers are little-endian; positions
// and distances are in units of 1/1200 inch, 120 units to a character column.
//
//   offset 0   prefix: FF "WPC", text offset, product 1, file type 10
//              (document), version 0.0, no key, one index block (FFFB) of 5
//              entries: itself, the fonts used (packet 2), the font name pool
//              (packet 7), two unused; then the two packets
//   offset 547 text and functions:
//     single bytes   0x02 0x03 0x0A 0x0C 0x0D and 0x80..0xBF
//     fixed length   code, a fixed number of data bytes, code (0xC0..0xCF)
//     variable       code (0xD0..0xFF), subfunction, length, data, length,
//                    subfunction, code; the length counts every byte after
//                    the first length word, the closing bytes included
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/emitter.h"

namespace lettrix::wp5 {

// The fonts used: one record of 86 bytes for each PC font (core/pc_fonts.h),
// in its order, so that a font's number is its index there: the offset of its
// name in the pool at byte 18, its point size in 3600ths of an inch at byte
// 22. The first one is the document's initial font.
inline constexpr std::size_t kFontRecordSize = 86;
inline constexpr std::size_t kFontPoolSize = 51;  // the PC fonts' names, each ended by a zero
inline constexpr std::size_t kPrefixSize = 16 + 5 * 10 + 5 * kFontRecordSize + kFontPoolSize;

// Single-byte codes.
inline constexpr std::uint8_t kPageNumber = 0x02;
inline constexpr std::uint8_t kMergeField = 0x03;
inline constexpr std::uint8_t kHardReturn = 0x0A;
inline constexpr std::uint8_t kHardPage = 0x0C;
inline constexpr std::uint8_t kSoftReturn = 0x0D;
inline constexpr std::uint8_t kEndAlignment = 0x83;  // ends a centred or right tab
inline constexpr std::uint8_t kColumnsOn = 0x87;
inline constexpr std::uint8_t kNoteNumber = 0x8D;  // inside a note: its number
inline constexpr std::uint8_t kHardSpace = 0xA0;
inline constexpr std::uint8_t kHyphen = 0xA9;
inline constexpr std::uint8_t kSoftHyphen = 0xAC;
inline constexpr std::uint8_t kSoftHyphenAtLineEnd = 0xAD;
inline constexpr std::uint8_t kColumnEnd = 0xAF;  // end of text column and of the line

// Fixed-length functions.
inline constexpr std::uint8_t kExtendedChar = 0xC0;  // character, character set
inline constexpr std::uint8_t kTabAlign = 0xC1;      // flags, 6 bytes
inline constexpr std::uint8_t kIndent = 0xC2;        // flags, 8 bytes with the position at 5 and 6
inline constexpr std::uint8_t kAttributeOn = 0xC3;   // attribute
inline constexpr std::uint8_t kAttributeOff = 0xC4;  // attribute

// Flags of the tab and alignment function.
inline constexpr std::uint8_t kPlainTab = 0x02;
inline constexpr std::uint8_t kCentredTab = 0xCA;
inline constexpr std::uint8_t kRightTab = 0x4A;

// Attribute numbers.
inline constexpr std::uint8_t kAttrSuperscript = 5;
inline constexpr std::uint8_t kAttrSubscript = 6;
inline constexpr std::uint8_t kAttrItalic = 8;
inline constexpr std::uint8_t kAttrDoubleUnderline = 11;
inline constexpr std::uint8_t kAttrBold = 12;
inline constexpr std::uint8_t kAttrStrike = 13;
inline constexpr std::uint8_t kAttrUnderline = 14;
inline constexpr std::uint8_t kAttrCapitals = 15;

// Variable-length functions and their subfunctions.
inline constexpr std::uint8_t kFormat = 0xD0;
inline constexpr std::uint8_t kFormatMargins = 1;
inline constexpr std::uint8_t kFormatSpacing = 2;
inline constexpr std::uint8_t kFormatTabSet = 4;
inline constexpr std::uint8_t kFormatJustification = 6;
inline constexpr std::uint8_t kFont = 0xD1;
inline constexpr std::uint8_t kFontColour = 0;
inline constexpr std::uint8_t kFontChange = 1;
inline constexpr std::uint8_t kDefinition = 0xD2;
inline constexpr std::uint8_t kDefinitionColumns = 1;
inline constexpr std::uint8_t kHeaderFooter = 0xD5;
inline constexpr std::uint8_t kNote = 0xD6;

// Data bytes between the opening length word and the text of a header or
// footer (7 zeros, occurrence, 10 zeros), and of a note.
inline constexpr std::size_t kHeaderFooterLead = 18;
// Longest variable-length function: its length word holds at most this.
inline constexpr std::size_t kMaxFunctionLength = 0xFFFF;
// A tab set holds position 0 and at most this many stops.
inline constexpr int kMaxTabStops = 39;
// A column definition has room for this many columns.
inline constexpr int kMaxColumns = 24;

// Bytes of a fixed-length function, both codes included; 0 for a code this
// program does not write.
int fixed_function_size(std::uint8_t code);

void put_u16(std::string& out, unsigned value);
// The 66-byte prefix.
void put_prefix(std::string& out);
// A fixed-length function: code, the given data bytes padded with zeros to
// the function's size, code.
void put_fixed(std::string& out, std::uint8_t code, std::initializer_list<std::uint8_t> data = {});
// A variable-length function with the given data.
void put_variable(std::string& out, std::uint8_t code, std::uint8_t subfunction, std::string_view data);

// Justification modes.
inline constexpr std::uint8_t kJustifyLeft = 0;
inline constexpr std::uint8_t kJustifyFull = 1;
inline constexpr std::uint8_t kJustifyCentre = 2;
inline constexpr std::uint8_t kJustifyRight = 3;

// Margins, given in character columns, as units: the left margin from the
// left edge, the right margin as 12000 less its column's position (at least 0).
unsigned left_margin_units(long column);
unsigned right_margin_units(long column);
// Margin function from the old margins to the new ones (columns).
void put_margins(std::string& out, long old_left, long old_right, long new_left, long new_right);
// Line spacing function; spacing in eighths of a line, written with 8
// fraction bits.
void put_line_spacing(std::string& out, int old_spacing, int new_spacing);
// Tab set function: the stops of two tables (entries above 0 are stops, the
// entry its kind) placed after a left margin of the given columns, then both
// margins.
void put_tab_set(std::string& out, const TabTable& old_stops, const TabTable& new_stops, long left_margin,
                 long right_margin);
// Justification function from one mode to another; it takes effect with the
// paragraph it starts.
void put_justification(std::string& out, std::uint8_t old_mode, std::uint8_t new_mode);
// Font change function: font number (a PC font), size in points (1 to 255).
void put_font_change(std::string& out, std::uint8_t font, int points);
// The page's left margin, in columns: the text's left edge, from which the
// stream counts its margins.
inline constexpr int kPageMargin = 5;
// At the start of a paragraph: its lines begin at the given column (an
// indent to that position, for the paragraph).
void put_indent(std::string& out, long column);
// At the start of a paragraph, after its indent: its first line begins at
// the given column (a tab, or a margin release to the left, to that
// position, which readers take for the first line's indent).
void put_first_line(std::string& out, long column);
// Colour function for palette entry 1 to 16; other values write nothing.
void put_colour(std::string& out, int palette_entry);
// Column definition for n columns (1 and more; clamped to 24) between the
// margins, 400 units apart.
void put_column_definition(std::string& out, int columns, long left_margin, long right_margin);

// Opens a header or footer function: code, subfunction, a zero length to be
// patched, the lead bytes with the occurrence. Returns the offset of the
// length word.
std::size_t open_header_footer(std::string& out, std::uint8_t subfunction, std::uint8_t occurrence);
// Opens a note function; footnotes (subfunction 0) carry 7 more zero bytes.
std::size_t open_note(std::string& out, std::uint8_t subfunction);
// Closes the function whose length word stands at length_at: the length is
// written there and again at the end, then the subfunction and the code.
void close_function(std::string& out, std::size_t length_at, std::uint8_t subfunction, std::uint8_t code);

}  // namespace lettrix::wp5
