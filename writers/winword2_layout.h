// The file layout of a Word for Windows 2.0 document (format number 45), as
// the "Word Windows 2" writer produces it. All numbers are little-endian; a
// page is 512 bytes and a page number is a file offset divided by 512. A
// character position (CP) is a file offset minus 384.
//
//   0        file information block (384 bytes; zeros until the end)
//   384      text: main text, footnote texts, header and footer texts, and
//            one closing paragraph mark (0D 0A); its end is the text limit
//   limit    section record (7 or 9 bytes)
//            zeros up to the next multiple of 512 (a whole page when already there)
//            character property pages, then paragraph property pages
//            style sheet, footnote reference table, footnote text table,
//            footnote page descriptors (18), section table (14), page
//            descriptors (18), header table (16, only with a header or
//            footer), character bin table, paragraph bin table, font table
//            (55: the first four PC fonts of core/pc_fonts.h), two zero
//            bytes, settings (30), document properties (52)
//
// A property page holds n runs (at most 48):
//   0            n + 1 file offsets: the page's first, then each run's end
//   4(n+1)       n bytes: offset of the run's record divided by 2, 0 = default
//   ...          records, stored downward from the end, each at an even offset
//   511          n
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace lettrix::ww2 {

inline constexpr std::uint32_t kTextStart = 384;
inline constexpr std::uint32_t kPageSize = 512;
inline constexpr int kMaxRunsPerPage = 48;
// A paragraph's tab stops are one modifier with a one-byte length 2 + 3n.
inline constexpr int kMaxTabStops = 84;

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::uint32_t value);
void put32(Bytes& b, std::uint32_t value);
void set16(std::uint8_t* at, std::uint32_t value);
void set32(std::uint8_t* at, std::uint32_t value);

// ---- Character properties -------------------------------------------------

struct CharProps {
  bool bold = false;
  bool italic = false;
  bool caps = false;
  bool small_caps = false;
  bool strike = false;
  bool underline = false;
  bool double_underline = false;
  bool superscript = false;
  bool subscript = false;
  bool note_mark = false;      // footnote reference mark (special character)
  bool font_and_size = true;   // false while a paragraph style code is in force
  int font_index = 0;          // into the font table: a PcFont (core/pc_fonts.h)
  int points = 12;
};

// The record of a run: a length byte L and the first L property bytes. An
// empty result means default properties (L would be 0).
Bytes char_record(const CharProps& p);

// The fixed record of the run that covers the section record.
std::span<const std::uint8_t> section_run_record();

// ---- Paragraph properties -------------------------------------------------

// Paragraph modifiers: an operation code and its operand.
enum Modifier : std::uint8_t { ModAlignment = 5, ModTabs = 15, ModRightIndent = 16, ModLeftIndent = 17,
                               ModFirstIndent = 19, ModLineSpacing = 20 };
enum ParaAlignment : std::uint8_t { AlignCentred = 1, AlignFlushRight = 2, AlignJustified = 3 };

struct TabStopTwips {
  int position = 0;  // twips
  int kind = 0;      // stream tab kind minus 1
};

void add_alignment(Bytes& modifiers, std::uint8_t alignment);
// A two-byte modifier (indents, line spacing); the value is kept within 16 bits.
void add_twips(Bytes& modifiers, std::uint8_t code, long twips);
// The tab stop modifier for at most kMaxTabStops stops (the rest are left
// out); nothing for no stops.
void add_tab_stops(Bytes& modifiers, std::span<const TabStopTwips> stops);

// A paragraph record: word count w, then 2w bytes: the style code, six zero
// bytes and the modifiers, padded with a zero to an even length.
Bytes para_record(std::uint8_t style_code, std::span<const std::uint8_t> modifiers);

// Style codes of the last paragraph of a footnote, a header and a footer.
inline constexpr std::uint8_t kStyleFootnote = 245;
inline constexpr std::uint8_t kStyleHeader = 243;
inline constexpr std::uint8_t kStyleFooter = 242;

// ---- Property pages -------------------------------------------------------

class PropertyPage {
 public:
  enum class Kind { Character, Paragraph };
  PropertyPage(Kind kind, std::uint32_t first_offset);

  // Where a record is stored on one filling of one page: a run with the same
  // record again can be added without looking for it. A ticket is for the
  // page that gave it (and its pages object) only.
  struct Ticket {
    std::uint64_t filling = 0;  // 0: none
    int stored = -1;
  };

  // Adds a run ending at `end` with the record (empty: default properties),
  // sharing an equal record of the page. False, with nothing changed, when the
  // page is full for it. When given, `ticket` is set to where a record that
  // is not empty was found or stored.
  bool insert(std::uint32_t end, std::span<const std::uint8_t> record, Ticket* ticket = nullptr);
  // Whether the ticket names a record on the page as it is now filled.
  bool valid(const Ticket& ticket) const { return ticket.filling == filling_ && ticket.stored >= 0; }
  // insert for the record a valid ticket names.
  bool insert_stored(std::uint32_t end, const Ticket& ticket);
  // Starts an empty page whose first run starts at `first_offset`.
  void restart(std::uint32_t first_offset);

  std::uint32_t first_offset() const { return first_; }
  // The end of the last run, or the first offset when there is none.
  std::uint32_t last_offset() const { return runs_ == 0 ? first_ : ends_[static_cast<std::size_t>(runs_ - 1)]; }
  int runs() const { return runs_; }
  // The page as it goes into the file.
  std::array<std::uint8_t, kPageSize> bytes() const;

 private:
  struct Stored {
    int position;
    int size;
    std::uint64_t head;  // its first eight bytes (zeros after a shorter one)
  };
  int base() const;
  static std::uint64_t head_of(std::span<const std::uint8_t> record);
  bool holds(const Stored& s, std::span<const std::uint8_t> record, std::uint64_t head) const;
  const Stored* find_stored(std::span<const std::uint8_t> record, std::uint64_t head);

  bool add(std::uint32_t end, std::uint8_t offset_byte);

  Kind kind_;
  std::uint32_t first_;
  std::uint64_t filling_;  // a number of its own for each filling of each page
  // A page holds at most kMaxRunsPerPage runs, and so as many records.
  int runs_ = 0;
  std::array<std::uint32_t, kMaxRunsPerPage> ends_{};
  std::array<std::uint8_t, kMaxRunsPerPage> record_offsets_{};
  int stored_count_ = 0;
  std::array<Stored, kMaxRunsPerPage> stored_{};
  int lowest_ = static_cast<int>(kPageSize);  // the lowest record's position
  // The records found last (indices into stored_, -1 for none): text that
  // switches between two formats asks for the same two again and again.
  int recent_[2] = {-1, -1};
  std::array<std::uint8_t, kPageSize> area_{};
};

// The pages of one property kind: the current page in memory, the full ones
// in a work file, and the first offset of each page for the bin table.
class PropertyPages {
 public:
  PropertyPages(PropertyPage::Kind kind, std::FILE* work_file, std::uint32_t first_offset);
  // Adds a run; a full page goes to the work file first. False when a page
  // cannot be written. With a ticket, that record's last ticket: a valid one
  // saves the search for the record, and it is renewed.
  bool add_run(std::uint32_t end, std::span<const std::uint8_t> record);
  bool add_run(std::uint32_t end, std::span<const std::uint8_t> record, PropertyPage::Ticket& ticket);
  // Writes the current page. False when it cannot be written.
  bool finish();

  const PropertyPage& current() const { return page_; }
  std::uint32_t last_offset() const { return page_.last_offset(); }
  // First offsets of the pages written so far.
  const std::vector<std::uint32_t>& page_starts() const { return starts_; }
  std::FILE* file() const { return file_; }

 private:
  bool write_current();

  PropertyPage page_;
  std::FILE* file_;
  std::vector<std::uint32_t> starts_;
};

// ---- Document tables ------------------------------------------------------

// The section record at the text limit.
Bytes section_record(bool has_header, bool has_footer);

struct DocumentParts {
  std::uint32_t text_limit = kTextStart;  // file offset one past the closing paragraph mark
  std::uint32_t main_length = 0;          // main text, CPs
  std::uint32_t footnote_length = 0;
  std::uint32_t header_length = 0;        // headers and footers together
  std::span<const std::uint8_t> style_sheet;  // empty: the fixed style sheet
  // Footnotes: the CP of each reference mark, the offset of each note's own
  // mark from the start of the footnote text, and the CP where the footnote
  // text ends.
  std::vector<std::uint32_t> note_refs;
  std::vector<std::uint32_t> note_marks;
  std::uint32_t footnote_end = 0;
  bool has_header = false;
  bool has_footer = false;
  std::uint32_t header_text = 0;  // H: length of the header text
  std::uint32_t footer_text = 0;  // F: length of the footer text
  // First offset of each property page, and the page number of the first.
  std::vector<std::uint32_t> char_pages;
  std::vector<std::uint32_t> para_pages;
  std::uint32_t first_char_page = 0;
  std::uint32_t first_para_page = 0;
};

using InformationBlock = std::array<std::uint8_t, kTextStart>;

// The tables that follow the paragraph pages, which start at file offset
// `start`, and the information block that points at them. False when a value
// does not fit its field (a document too large for the format).
bool build_tables(const DocumentParts& parts, std::uint32_t start, Bytes& tables, InformationBlock& fib);

// The fixed blocks, for tests.
std::span<const std::uint8_t> fixed_style_sheet();
std::span<const std::uint8_t> font_table();

}  // namespace lettrix::ww2
