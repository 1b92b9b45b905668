// Writes MacWrite II documents from a small description: text in character
// formats and paragraph alignments, footnotes, several text zones and zone
// groups, chains linked block by block or through extents, and deliberate
// damage for the tests of hostile input.
//
//   std::string doc = MacWriteIIBuilder{}
//                         .paragraph("Title", mw2::Style{}.bold().size(14), mw2::kCentred)
//                         .text("See").footnote("A note.").paragraph(" here.")
//                         .build();
//
// Text is given in the Macintosh character set. The document is laid out as:
// blocks 1-2 the file start (byte 1 "."), block 3 on the document chain, then
// the chains of the text zones, then the text blocks. Footnote texts go to a
// zone of their own after the others, each one introduced by 0x03; the main
// text holds 0x05 at each reference.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lettrix::build {

namespace mw2 {

// A character format: font number, size and the two style bytes.
struct Style {
  std::uint16_t font = 20;            // Times
  std::int16_t quarter_points = 48;   // 12 points
  std::uint8_t a = 0;                 // 0x01 superscript, 0x02 strike, 0x04 caps, 0x08 small caps,
                                      // 0x10 word underline, 0x20 double underline
  std::uint8_t b = 0;                 // 0x01 bold, 0x02 italic, 0x04 underline, 0x08 outline,
                                      // 0x10 shadow, 0x20 superscript, 0x40 subscript

  constexpr Style with_a(std::uint8_t bits) const { Style s = *this; s.a |= bits; return s; }
  constexpr Style with_b(std::uint8_t bits) const { Style s = *this; s.b |= bits; return s; }
  constexpr Style bold() const { return with_b(0x01); }
  constexpr Style italic() const { return with_b(0x02); }
  constexpr Style underline() const { return with_b(0x04); }
  constexpr Style outline() const { return with_b(0x08); }
  constexpr Style shadow() const { return with_b(0x10); }
  constexpr Style superscript() const { return with_b(0x20); }
  constexpr Style subscript() const { return with_b(0x40); }
  constexpr Style strike() const { return with_a(0x02); }
  constexpr Style caps() const { return with_a(0x04); }
  constexpr Style small_caps() const { return with_a(0x08); }
  constexpr Style word_underline() const { return with_a(0x10); }
  constexpr Style double_underline() const { return with_a(0x20); }
  constexpr Style size(int points) const { Style s = *this; s.quarter_points = static_cast<std::int16_t>(points * 4); return s; }
  constexpr Style in_font(int number) const { Style s = *this; s.font = static_cast<std::uint16_t>(number); return s; }

  bool operator==(const Style&) const = default;
};

// Paragraph alignments as the paragraph formats store them.
inline constexpr int kLeft = 0;
inline constexpr int kCentred = 1;
inline constexpr int kRight = 2;
inline constexpr int kJustified = 3;

// A tab stop of a paragraph format: its kind (0 left, 1 centred, 2 right,
// 3 decimal) and its position in points from the paragraph's left edge,
// stored as a 16.16 fixed-point number.
struct TabStop {
  int kind = 0;
  double points = 0;
  bool operator==(const TabStop&) const = default;
};

// Font numbers.
inline constexpr int kChicago = 0;
inline constexpr int kGeneva = 3;
inline constexpr int kDingbats = 13;
inline constexpr int kTimes = 20;
inline constexpr int kHelvetica = 21;
inline constexpr int kSymbol = 23;

// Deliberate damage. Lengths replace the values written in front of their
// items (the items themselves are written as usual); the zone fields concern
// the first text zone.
struct Damage {
  std::optional<std::uint32_t> skipped_length;      // L
  std::optional<std::uint32_t> char_format_bytes;   // S
  std::optional<std::uint32_t> para_format_bytes;   // F
  std::optional<std::uint32_t> block_list_bytes;    // L1
  std::optional<std::uint32_t> char_run_bytes;      // L2
  std::optional<std::uint32_t> para_run_bytes;      // L3
  std::optional<std::uint16_t> first_char_run_format;
  std::optional<std::uint16_t> first_para_run_format;
  std::optional<std::uint16_t> text_block;          // block number of one block-list entry,
  std::size_t text_block_entry = 0;                  // this one (from 0)
  std::optional<std::int16_t> zone_first_block;     // the first zone record's block field
  std::optional<std::uint16_t> extent_count;        // of the document chain's extent (with extents())
  bool document_chain_loops = false;                // its last link goes back to block 3
  long repeat_first_zone_record = 0;                // extra copies of the first zone record
};

}  // namespace mw2

class MacWriteIIBuilder {
 public:
  MacWriteIIBuilder();

  // Appends text to the current zone in a character format; the paragraph
  // format is the alignment in force.
  MacWriteIIBuilder& text(std::string_view mac_text, const mw2::Style& style = {});
  // Appends text and a paragraph end (0x0D) in the same format.
  MacWriteIIBuilder& paragraph(std::string_view mac_text, const mw2::Style& style = {});
  // The same with an alignment, which stays in force for the text that follows.
  MacWriteIIBuilder& paragraph(std::string_view mac_text, const mw2::Style& style, int alignment);
  MacWriteIIBuilder& align(int alignment);
  // The tab stops of the paragraph format in force (at most 20), for the text that follows.
  MacWriteIIBuilder& tabs(const std::vector<mw2::TabStop>& stops);
  // A footnote reference (0x05) in the current zone, in call_style, and the
  // note's text (after 0x03) in the footnote zone, in note_style.
  MacWriteIIBuilder& footnote(std::string_view note_text, const mw2::Style& note_style = {},
                              const mw2::Style& call_style = {});
  // The text that follows goes to a new text zone; with new_group its zone
  // record starts a new zone group.
  MacWriteIIBuilder& next_zone(bool new_group = false);

  // Chains continue through one extent each instead of block by block.
  MacWriteIIBuilder& extents(bool on = true);
  // Text bytes per text block (1 to 256; default 256).
  MacWriteIIBuilder& block_fill(int bytes);
  // Bytes 1 and 3 of the file start (the signature: one of them is ".").
  MacWriteIIBuilder& signature(std::uint8_t byte1, std::uint8_t byte3);
  MacWriteIIBuilder& damage(const mw2::Damage& d);

  // The data fork, and the same behind a MacBinary header (type MW2D, creator MWII).
  std::string build() const;
  std::string build_macbinary(const std::string& name = "Document") const;

  struct Run {
    std::uint16_t format;
    std::uint32_t length;
  };
  struct Zone {
    std::string text;
    std::vector<Run> char_runs;
    std::vector<Run> para_runs;
    bool new_group = false;
  };

 private:
  struct ParaFormat {
    int alignment = mw2::kLeft;
    std::vector<mw2::TabStop> tabs;
    bool operator==(const ParaFormat&) const = default;
  };
  void append(Zone& zone, std::string_view bytes, const mw2::Style& style, int alignment);
  std::uint16_t char_format(const mw2::Style& style);
  std::uint16_t para_format(int alignment);

  std::vector<Zone> zones_;
  Zone notes_;
  bool has_notes_ = false;
  std::vector<mw2::Style> char_formats_;
  std::vector<ParaFormat> para_formats_;
  int alignment_ = mw2::kLeft;
  std::vector<mw2::TabStop> tabs_;
  bool extents_ = false;
  int block_fill_ = 256;
  std::uint8_t signature_[2] = {'.', 0};
  mw2::Damage damage_;
};

}  // namespace lettrix::build
