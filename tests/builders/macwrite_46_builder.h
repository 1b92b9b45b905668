// Builds MacWrite 4.x documents (version 6) from a short description:
//
//   auto doc = MacWrite46Builder{}
//                  .header().paragraph("Chapter 1\r")
//                  .main().ruler({.left_margin = 36, .tabs = {108}})
//                  .paragraph("Hello ").text("world\r", {.style = mw46::kBold})
//                  .compressed()
//                  .page_break()
//                  .build();
//
// Texts are given in the Macintosh character set, exactly as the paragraph
// holds them (a paragraph normally ends with "\r").
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lettrix::build {

namespace mw46 {
// Style bits of a character format.
inline constexpr std::uint8_t kPlain = 0x00;
inline constexpr std::uint8_t kBold = 0x01;
inline constexpr std::uint8_t kItalic = 0x02;
inline constexpr std::uint8_t kUnderline = 0x04;
inline constexpr std::uint8_t kOutline = 0x08;
inline constexpr std::uint8_t kShadow = 0x10;
inline constexpr std::uint8_t kSuperscript = 0x20;
inline constexpr std::uint8_t kSubscript = 0x40;
// Macintosh font numbers.
inline constexpr int kGeneva = 3;
inline constexpr int kDingbats = 13;
inline constexpr int kNewYork = 2;
inline constexpr int kTimes = 20;
inline constexpr int kHelvetica = 21;
inline constexpr int kSymbol = 23;
// Ruler alignments.
inline constexpr int kLeft = 0;
inline constexpr int kCentred = 1;
inline constexpr int kRight = 2;
inline constexpr int kJustified = 3;
// A tab stop position (points) marked as a decimal stop.
constexpr std::uint16_t decimal(std::uint16_t points) { return static_cast<std::uint16_t>(points | 0x8000); }
}  // namespace mw46

// The look of a run of text: one character format.
struct MacWrite46Look {
  int size = 12;
  int style = mw46::kPlain;  // style bits, mw46::kBold ...
  int font = mw46::kGeneva;
};

struct MacWrite46Ruler {
  int left_margin = 0;  // points
  std::optional<int> first_line = {};  // first-line position in points; the left margin when not given
  int right_margin = 468;
  int alignment = mw46::kLeft;
  int line_spacing = 0;
  std::vector<std::uint16_t> tabs = {};  // positions in points, at most 12
};

// A picture paragraph: its frame on the page (points) and the Macintosh
// picture itself (see mac_picture).
struct MacWrite46Picture {
  int top = 0, left = 0, bottom = 0, right = 0;
  std::string picture;
};

// A version 1 Macintosh picture: its size, its frame, the version opcode
// 0x1101, then `opcodes` (0xFF, the end, when none are given).
std::string mac_picture(int top, int left, int bottom, int right, std::string_view opcodes = "\xFF");
// The picture MacWrite uses to push the text after it onto the next page:
// its frame reads "MAGICPIC" (version 2 when `version2`, as in the 50-byte form).
std::string mac_page_break_picture(bool version2 = false);

// Where build() put the parts of the document, for tests that damage it.
struct MacWrite46Layout {
  struct Section {
    std::size_t descriptor = 0;    // offset of the section's 24-byte descriptor
    std::size_t array_offset = 0;  // its information array
    std::size_t array_size = 0;
    std::vector<std::size_t> data_offsets;  // each entry's data, in entry order
  };
  Section header, footer, main;
};

class MacWrite46Builder {
 public:
  // The section that the following entries go to (the main text at first).
  MacWrite46Builder& header();
  MacWrite46Builder& footer();
  MacWrite46Builder& main();

  MacWrite46Builder& ruler(const MacWrite46Ruler& ruler);
  // A text paragraph with its first run.
  MacWrite46Builder& paragraph(std::string_view text, const MacWrite46Look& look = {});
  // One more run of the last paragraph.
  MacWrite46Builder& text(std::string_view text, const MacWrite46Look& look = {});
  // The last paragraph is stored packed in nibbles.
  MacWrite46Builder& compressed();
  // The last paragraph has its own alignment (0 left, 1 centred, 2 right, 3
  // justified), marked by status bit 6 (0x40) or, as some documents mark it,
  // bit 5 (0x20).
  MacWrite46Builder& aligned(int alignment, std::uint8_t own_bit = 0x40);
  // The last paragraph's format list ends with an end mark.
  MacWrite46Builder& end_mark();
  // An entry with text length 0.
  MacWrite46Builder& empty_entry();
  MacWrite46Builder& page_break();
  // The entries that follow stand on this page of the laid-out document.
  MacWrite46Builder& page(int number);
  // A special entry whose data (the document's first 117 bytes) holds no picture.
  MacWrite46Builder& picture();
  // A special entry that holds a picture.
  MacWrite46Builder& picture(const MacWrite46Picture& picture);

  std::string build(MacWrite46Layout* layout = nullptr) const;
  // The same document behind a MacBinary header of type "WORD", creator "MACA".
  std::string build_macbinary(const std::string& name = "MacWrite document") const;

 private:
  struct Run {
    std::size_t position = 0;
    MacWrite46Look look;
  };
  struct Entry {
    enum class Kind { Text, Ruler, Special } kind = Kind::Text;
    MacWrite46Ruler ruler;
    std::string text;
    std::vector<Run> runs;
    bool packed = false;
    int own_alignment = -1;
    std::uint8_t own_bit = 0x40;
    bool end_mark = false;
    std::uint16_t special_word = 0;
    std::optional<MacWrite46Picture> picture;
    int page = 0;
  };
  std::vector<Entry>& current();
  Entry& last_text();

  std::vector<Entry> sections_[3];  // header, footer, main
  int section_ = 2;
  int page_ = 0;
};

// MacWrite's packing of a paragraph's characters into nibbles: " etnroaisdlhcfp"
// are one nibble each, any other character is the nibble 15 and its code.
std::string pack_macwrite_text(std::string_view text);

}  // namespace lettrix::build
