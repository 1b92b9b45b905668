// Builds ClarisWorks/AppleWorks word-processing documents: the "BOBO" header
// with the ruler list (versions 1 to 3), the main text zone with its paragraph
// runs, character runs and text chunks, one zone per footnote after it, then
// the header and footer zones with the frame that places them, and the font
// list, style list and ruler list (versions 4 to 6).
//
//   auto doc = ClarisWorksBuilder{}
//                  .rulers({{}, {.alignment = kCwCentre}})
//                  .paragraph(1).run({.size = 12}).text("Title\r")
//                  .paragraph(0).text("Hello ")
//                  .run({.size = 12, .style = kCwBold}).text("world")
//                  .footnote("A note\r")
//                  .header("Page ")
//                  .build();
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lettrix::build {

// Style bits and vertical positions of a character run.
inline constexpr std::uint8_t kCwBold = 0x01;
inline constexpr std::uint8_t kCwItalic = 0x02;
inline constexpr std::uint8_t kCwUnderline = 0x04;
inline constexpr std::uint8_t kCwOutline = 0x08;
inline constexpr std::uint8_t kCwShadow = 0x10;
inline constexpr std::uint8_t kCwSuperscript = 1;
inline constexpr std::uint8_t kCwSubscript = 2;

// Text bytes with a meaning of their own.
inline constexpr char kCwPageBreak = '\x01';
inline constexpr char kCwNoteReference = '\x02';
inline constexpr char kCwHardSpace = '\xCA';
inline constexpr char kCwPicture = '\x03';

// Ruler alignments.
inline constexpr std::uint8_t kCwLeft = 0;
inline constexpr std::uint8_t kCwCentre = 1;
inline constexpr std::uint8_t kCwRight = 2;
inline constexpr std::uint8_t kCwJustified = 3;
// The page number field of a header or footer.
inline constexpr char kCwPageNumber = '\x06';

struct CwTab {
  std::int16_t position = 0;  // points from the text's left edge
  std::uint8_t kind = 0;      // 0 left, 1 centre, 2 right, 3 decimal
};

// A ruler of the ruler list, in points.
struct CwRuler {
  std::uint8_t alignment = kCwLeft;
  std::int16_t first_line = 0;  // relative to the left indent
  std::int16_t left = 0;
  std::int16_t right = 0;
  std::vector<CwTab> tabs{};
  int tab_count = -1;  // the count word written, when not tabs.size() (damaged documents)
};

struct CwRun {
  std::uint16_t font = 20;  // Macintosh font number (versions 1 to 3), font-list index (4 to 6)
  std::uint8_t size = 12;   // points
  std::uint8_t style = 0;   // kCw... style bits
  std::uint8_t vertical = 0;
};

// Where the builder put things, for tests that damage a document on purpose.
struct CwLayout {
  std::size_t main_tag = 0;             // the main zone's "DSET"
  std::size_t item_length[5] = {};      // its length words of the items A to E
  std::size_t first_chunk_length = 0;   // its first text chunk's length word
  std::vector<std::size_t> run_records; // its character runs
  std::vector<std::size_t> note_tags;   // the "DSET" of each footnote zone
  std::size_t ruler_list = 0;           // the ruler list's length word
  std::size_t frame_tag = 0;            // the "DSET" of the frame of the running heads
  std::size_t font_list = 0;            // the font list's length word
  std::size_t style_list = 0;           // versions 4 to 6: the style list's length word
  std::size_t styled_ruler_list = 0;    // versions 4 to 6: the "RULR" list's length word
  std::vector<std::size_t> picture_tags;  // the "DSET" of each picture's zone
  std::vector<std::size_t> picture_data;  // each picture's E item (its length word)
};

// A picture of the main text: the bytes its zone's E item holds (a Macintosh
// picture: size word, frame, opcodes) and the rectangle the page shows it in.
struct CwPicture {
  std::string bytes;
  std::uint16_t height = 0;  // points
  std::uint16_t width = 0;
  std::uint32_t zone = 0;    // the zone number its reference names; 0: its own zone's
};

// From version 4 on, paragraph runs name styles: the builder gives ruler n
// the style number kCwFirstStyle + n (the styles before it are a document's
// own, which name no ruler here).
inline constexpr std::uint16_t kCwFirstStyle = 9;

class ClarisWorksBuilder {
 public:
  // Header version byte (default 2): 1 to 3 write 10-byte runs, 4 and 5
  // 12-byte runs, 6 18-byte runs with underline in a word of its own.
  ClarisWorksBuilder& version(int v);
  // A run that starts at the current end of the main text.
  ClarisWorksBuilder& run(const CwRun& r);
  // A run at any position, in the order given (for runs out of order).
  ClarisWorksBuilder& run_at(std::uint32_t position, const CwRun& r);
  // Bytes of the main text, in the Macintosh character set.
  ClarisWorksBuilder& text(std::string_view mac_bytes);
  // A reference in the main text, and a footnote zone after the main zone
  // whose text is note_text (a run at 0 of note_run is written for it).
  ClarisWorksBuilder& footnote(std::string_view note_text, const CwRun& note_run = CwRun{});
  // A footnote zone without a reference in the main text.
  ClarisWorksBuilder& extra_note_zone(std::string_view note_text);
  // A reference in the main text without a footnote zone.
  ClarisWorksBuilder& reference();
  // A picture in the main text: a 0x03 byte, its record in the main zone's D
  // item, and a graphics zone (numbered 100, 101, ...) just after the main
  // zone, ahead of the footnote zones, holding the picture.
  ClarisWorksBuilder& picture(const CwPicture& p);
  // Text chunks of at most n bytes (default 1024).
  ClarisWorksBuilder& chunk_size(std::size_t n);
  // The main zone holds no text at all, as in a spreadsheet or a drawing.
  ClarisWorksBuilder& without_text();
  // The rulers: up to version 3 the ruler list; from version 4 on the style
  // list and the "RULR" list.
  ClarisWorksBuilder& rulers(std::vector<CwRuler> list);
  // A paragraph run with the ruler number (from version 4 on its style's
  // number) at the current end of the main text. Without any, the zone holds
  // one run at 0 with ruler 0.
  ClarisWorksBuilder& paragraph(std::uint16_t ruler);
  // A header or footer: a text zone (with a paragraph run of the ruler) placed
  // above or below the main text by a frame zone after the footnote zones.
  ClarisWorksBuilder& header(std::string_view text, std::uint16_t ruler = 0, const CwRun& r = CwRun{});
  ClarisWorksBuilder& footer(std::string_view text, std::uint16_t ruler = 0, const CwRun& r = CwRun{});
  // The font list (versions 4 to 6): character runs name fonts by their index.
  ClarisWorksBuilder& font_names(std::vector<std::string> names);

  std::string build(CwLayout* layout = nullptr) const;

 private:
  struct PlacedRun {
    std::uint32_t position;
    CwRun run;
  };
  struct Note {
    std::string text;
    CwRun run;
  };
  struct Head {
    bool footer;
    std::string text;
    std::uint16_t ruler;
    CwRun run;
  };
  std::string zone(const std::string& text, const std::vector<PlacedRun>& runs, bool with_text,
                   std::size_t base, CwLayout* layout, std::uint16_t id = 0,
                   const std::string& paragraph_runs = std::string(8, '\0'), const std::string& refs = "") const;
  std::string picture_zone(const CwPicture& p, std::uint16_t id, std::size_t base, CwLayout* layout) const;
  std::string run_record(const PlacedRun& r) const;
  std::string paragraph_record(std::uint32_t position, std::uint16_t ruler) const;
  std::string ruler_list() const;
  std::string frame_zone() const;
  std::string font_list() const;
  std::string style_list() const;
  std::string styled_ruler_list() const;

  int version_ = 2;
  std::string text_;
  std::vector<PlacedRun> runs_;
  std::vector<Note> notes_;
  std::vector<CwPicture> pictures_;
  std::string picture_refs_;
  std::size_t chunk_size_ = 1024;
  bool with_text_ = true;
  std::vector<CwRuler> rulers_;
  std::string paragraph_runs_;
  std::vector<Head> heads_;
  std::vector<std::string> font_names_;
};

}  // namespace lettrix::build
