// The units of length the stream and the PC formats count in, and the
// conversions between them, all in exact integer arithmetic:
//
//   stream column     a tenth of an inch: margins, indents, tab stops
//   point             1/72 inch: type sizes, Macintosh rulers
//   half point        type sizes in RTF (\fs) and in Word's character records
//   twip              1/20 point, 1/1440 inch: RTF, Word for DOS, Word for Windows 2
//   WordPerfect unit  1/1200 inch: WordPerfect 5
//   spacing unit      an eighth of a line (LineSpacing: 8 single, 16 double); a
//                     line is 12 points
//
// Conversions to a finer unit are exact. Where a format's field is smaller
// than the result, the writer clamps it at the field (Word's 16-bit twips,
// WordPerfect's unsigned 16-bit units).
#pragma once

namespace lettrix::units {

inline constexpr int kColumnsPerInch = 10;
inline constexpr int kPointsPerInch = 72;
inline constexpr int kTwipsPerPoint = 20;
inline constexpr int kTwipsPerInch = kPointsPerInch * kTwipsPerPoint;  // 1440
inline constexpr int kWpUnitsPerInch = 1200;
inline constexpr int kTwipsPerColumn = kTwipsPerInch / kColumnsPerInch;  // 144
inline constexpr int kWpUnitsPerColumn = kWpUnitsPerInch / kColumnsPerInch;  // 120
static_assert(kTwipsPerColumn * kColumnsPerInch == kTwipsPerInch);
static_assert(kWpUnitsPerColumn * kColumnsPerInch == kWpUnitsPerInch);

inline constexpr int kSingleSpacing = 8;  // spacing units of one line
inline constexpr int kPointsPerLine = 12;
inline constexpr int kTwipsPerSpacingUnit = kPointsPerLine * kTwipsPerPoint / kSingleSpacing;  // 30
static_assert(kTwipsPerSpacingUnit * kSingleSpacing == kPointsPerLine * kTwipsPerPoint);

constexpr long long columns_to_twips(long long columns) { return columns * kTwipsPerColumn; }
constexpr long long columns_to_wp_units(long long columns) { return columns * kWpUnitsPerColumn; }
constexpr long long points_to_half_points(long long points) { return 2 * points; }
constexpr long long spacing_to_twips(long long spacing) { return spacing * kTwipsPerSpacingUnit; }

// Line spacing as WordPerfect writes it: lines with 8 fraction bits, the
// whole lines in the high byte and the eighths as 32nds of 256 in the low
// one, each byte taken modulo 256 (0 to 2047 eighths fit).
constexpr unsigned spacing_to_wp_lines(int spacing) {
  const unsigned whole = static_cast<unsigned>((spacing / kSingleSpacing) & 0xFF);
  const unsigned eighths = static_cast<unsigned>(((spacing % kSingleSpacing) * (256 / kSingleSpacing)) & 0xFF);
  return (whole << 8) | eighths;
}

// Points as stream columns (7.2 points each), rounded to the nearest column,
// halves away from zero: a Macintosh ruler position to the stream.
constexpr long long points_to_columns_nearest(long long points) {
  const long long tenths = (points < 0 ? -points : points) * kColumnsPerInch;
  const long long columns = (tenths + kPointsPerInch / 2) / kPointsPerInch;
  return points < 0 ? -columns : columns;
}

}  // namespace lettrix::units
