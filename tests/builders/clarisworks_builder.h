// Builds ClarisWorks/AppleWorks word-processing documents: the "BOBO" header,
// the main text zone with its character runs and text chunks, and one zone per
// footnote after it.
//
//   auto doc = ClarisWorksBuilder{}
//                  .run({.size = 12}).text("Hello ")
//                  .run({.size = 12, .style = kCwBold}).text("world")
//                  .footnote("A note\r")
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
};

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
  // Text chunks of at most n bytes (default 1024).
  ClarisWorksBuilder& chunk_size(std::size_t n);
  // The main zone holds no text at all, as in a spreadsheet or a drawing.
  ClarisWorksBuilder& without_text();

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
  std::string zone(const std::string& text, const std::vector<PlacedRun>& runs, bool with_text,
                   std::size_t base, CwLayout* layout) const;
  std::string run_record(const PlacedRun& r) const;

  int version_ = 2;
  std::string text_;
  std::vector<PlacedRun> runs_;
  std::vector<Note> notes_;
  std::size_t chunk_size_ = 1024;
  bool with_text_ = true;
};

}  // namespace lettrix::build
