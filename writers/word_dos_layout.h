// The Word for DOS document layout. All numbers little-endian; a page is 128
// bytes and a page number is a file offset divided by 128; a text position is
// a file offset minus 128.
//
//   page 0          header (below)
//   offset 128      the text, one byte per character, up to the text limit
//                   zeros: 128 - (text limit % 128) bytes (a whole page when
//                   the limit already is a multiple of 128)
//                   character property pages
//                   paragraph property pages
//                   footnote table, zero-padded to a page (only with footnotes)
//
// Header: 0x00 0xBE31 identifier, 0x04 0xAB00, 0x0E text limit (32 bits),
// 0x12 page of the first paragraph property page, 0x14 page after the
// paragraph pages (the footnote table), 0x16 page after the end of the file
// (also in 0x18, 0x1A, 0x1C), 0x1E style sheet name "NORMAL.STY", 0x7E code
// page 437. Every other byte 0.
//
// Property page (characters and paragraphs alike):
//   0     4  file offset of the first character the page describes
//   4     6  per run: file offset one past its last character (4), then the
//            property pointer (2): offset of the record's length byte minus 4,
//            or 0xFFFF for default properties (no record)
//   ...      records, stored from byte 126 down: a length byte, then that many
//            property bytes (bytes past the length take their default, 0);
//            runs with equal properties may point to one record
//   127   1  number of runs
//
// Footnote table: number of notes + 1 twice (16 bits each); per note the text
// position of its reference mark and of the mark that starts its text (32
// bits each); a closing pair holding the end of all text twice; zeros up to a
// page.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

namespace lettrix::word_dos {

inline constexpr int kPageSize = 128;
inline constexpr std::uint32_t kTextStart = 128;
// Page numbers are 16-bit: no part of the file may start beyond this page.
inline constexpr long kLastPage = 0xFFFF;

using Page = std::array<std::uint8_t, kPageSize>;

void put16(std::uint8_t* at, unsigned value);
void put32(std::uint8_t* at, std::uint32_t value);

// ---------------------------------------------------------------------------
// Header

inline constexpr std::uint16_t kIdentifier = 0xBE31;
inline constexpr std::uint16_t kHeaderWord4 = 0xAB00;
inline constexpr std::uint16_t kCodePage = 437;
inline constexpr char kStyleSheetName[] = "NORMAL.STY";

struct Header {
  std::uint32_t text_limit = kTextStart;  // file offset one past the last text byte
  std::uint16_t paragraph_page = 0;       // first paragraph property page
  std::uint16_t footnote_page = 0;        // first page after the paragraph pages
  std::uint16_t end_page = 0;             // page after the end of the file
};

Page header_page(const Header& h);

// Zero bytes that follow the text.
int text_padding(std::uint32_t text_limit);

// ---------------------------------------------------------------------------
// Property records

// Room for the longest record a page can take.
inline constexpr int kMaxRecordLength = kPageSize - 4 - 6 - 1 - 1;

struct PropertyRecord {
  std::array<std::uint8_t, kMaxRecordLength> bytes{};
  int length = 0;

  // Sets a byte or a 16-bit word; the length grows to cover it.
  void set(int offset, std::uint8_t value);
  void set16(int offset, int value);
};

// Character record bytes.
inline constexpr int kCharMarkByte = 0;      // 0x1B on a footnote reference mark
inline constexpr std::uint8_t kCharNoteMark = 0x1B;
inline constexpr int kCharFontByte = 1;      // bold, italic, font number in bits 2-7
inline constexpr std::uint8_t kCharBold = 0x01;
inline constexpr std::uint8_t kCharItalic = 0x02;
inline constexpr int kCharSizeByte = 2;      // half points
inline constexpr int kCharStyleByte = 3;
inline constexpr std::uint8_t kCharUnderline = 0x01;
inline constexpr std::uint8_t kCharStrike = 0x02;
inline constexpr std::uint8_t kCharDoubleUnderline = 0x04;
inline constexpr std::uint8_t kCharCaps = 0x10;
inline constexpr std::uint8_t kCharSmallCaps = 0x20;
inline constexpr std::uint8_t kCharSpecial = 0x40;  // page number, footnote reference mark
inline constexpr int kCharPositionByte = 5;  // half points up (signed)
inline constexpr std::uint8_t kCharSuperscript = 12;
inline constexpr std::uint8_t kCharSubscript = 0xF4;

constexpr std::uint8_t font_number_bits(int font) { return static_cast<std::uint8_t>((font & 0x3F) << 2); }

struct CharFields {
  std::uint8_t mark = 0;
  std::uint8_t font = 0;  // byte 1
  std::uint8_t half_points = 0;
  std::uint8_t style = 0;
  std::uint8_t position = 0;
};

// The record of a character run: the size is always written, so the length
// is at least 3; 4 with any style bit, 6 with a vertical position.
PropertyRecord char_record(const CharFields& f);

// Paragraph record bytes.
inline constexpr int kParaStyleByte = 0;
inline constexpr std::uint8_t kParaOrdinary = 0x3C;
// Footnote text, whatever else the record sets: with the low bit clear
// (0x4E) and more properties set, wps2text and LibreOffice lose the notes'
// text.
inline constexpr std::uint8_t kParaNoteText = 0x4F;
inline constexpr int kParaAlignByte = 1;
inline constexpr std::uint8_t kAlignCentred = 1;
inline constexpr std::uint8_t kAlignRight = 2;
inline constexpr std::uint8_t kAlignJustified = 3;
inline constexpr std::uint8_t kAlignRunningHead = 0x20;  // header or footer without alignment
inline constexpr int kParaRightIndent = 4;     // twips from the right margin, signed
inline constexpr int kParaLeftIndent = 6;      // twips, signed
inline constexpr int kParaFirstIndent = 8;     // twips relative to the left indent, signed
inline constexpr int kParaLineSpacing = 10;    // twips
inline constexpr int kParaRunningHead = 16;    // 10 to 15; length at least 17
inline constexpr int kParaTabs = 22;           // 4 bytes a stop: position (2), kind, 0
inline constexpr int kMaxTabStops = 19;

// Stores the stops from byte 22 on; the length becomes 21 + 4 per stop, so
// that it ends with the kind of the last stop (its trailing 0 is left to the
// default). Nothing changes without stops.
struct TabField {
  std::int16_t position;
  std::uint8_t kind;
};
void set_tab_stops(PropertyRecord& r, const TabField* stops, int count);

// ---------------------------------------------------------------------------
// Property pages

// The page being filled and the work file that takes the full ones.
struct PropertyPages {
  Page page{};
  int next_entry = 4;  // offset of the next run entry
  int top = 126;       // offset where the next record's last byte goes
  int runs = 0;
  int last_record = -1;  // offset of the length byte of the last record stored, -1 for none
  std::uint32_t last_limit = kTextStart;
  std::FILE* sink = nullptr;
  long pages_written = 0;
  bool failed = false;  // a page could not be written
};

// Starts the first page: it describes the text from `first` on.
void start_pages(PropertyPages& p, std::FILE* sink, std::uint32_t first = kTextStart);

// A page is full when top minus the next entry's offset is less than the
// record's length + 6 (7 for a default run, which has no record).
bool page_full(const PropertyPages& p, const PropertyRecord* record);

// Adds a run that ends before `limit` with the record (nullptr: default
// properties). A full page is written to the sink first and a fresh page
// begun, starting at the last limit of the full one. A record equal to the
// last one stored on the page is not stored again: the run points to that
// one (paragraphs of one ruler share their record).
void add_run(PropertyPages& p, std::uint32_t limit, const PropertyRecord* record);

// Writes the page being filled to the sink.
void flush_page(PropertyPages& p);

// ---------------------------------------------------------------------------
// Footnote table

// Its first 4 bytes: the number of notes + 1, twice.
std::array<std::uint8_t, 4> footnote_table_start(unsigned notes);
// One entry: two text positions.
std::array<std::uint8_t, 8> footnote_entry(std::uint32_t first, std::uint32_t second);
// The largest number of notes the table's 16-bit count can hold.
inline constexpr unsigned kMaxNotes = 0xFFFE;

}  // namespace lettrix::word_dos
