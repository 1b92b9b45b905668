// Builds Ragtime 2 and Ragtime 3 documents (data forks).
//
//   auto rg2 = Ragtime2Builder{}
//                  .text({.text = "Hello \rworld\r", .runs = {{.start = 7, .style = kRgBold}}})
//                  .page()
//                  .text({.text = "Second page"})
//                  .build();
//
//   auto rg3 = Ragtime3Builder{}
//                  .styles({{.points = 12}, {.points = 12, .style = kRg3Bold}})
//                  .text({.text = "Hello world", .runs = {{.start = 1, .style = 1}, {.start = 7, .style = 2}}})
//                  .build();
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lettrix::build {

// Ragtime 2 style bits and marks.
inline constexpr std::uint8_t kRgBold = 0x01;
inline constexpr std::uint8_t kRgItalic = 0x02;
inline constexpr std::uint8_t kRgUnderline = 0x04;
inline constexpr std::uint8_t kRgOutline = 0x08;
inline constexpr std::uint8_t kRgShadow = 0x10;
inline constexpr std::uint8_t kRgSuperscriptMark = 0x80;  // on the style byte
inline constexpr std::uint8_t kRgSubscriptMark = 0x80;    // on the size byte

struct Rg2Run {
  std::uint16_t start = 1;  // position of the first character, from 1
  std::uint8_t size = 12;   // points (plus kRgSubscriptMark)
  std::uint8_t style = 0;   // kRg... bits (plus kRgSuperscriptMark)
  std::uint8_t font = 20;   // Macintosh font number
  std::int32_t shift = 0;   // vertical shift
};

struct Rg2Component {
  std::string text = {};             // Macintosh bytes
  std::vector<Rg2Run> runs = {};
  std::vector<std::uint8_t> alignments = {};  // one paragraph format each: 0 left, 1 centre, 2 right, 3 justify
  bool empty = false;                // header byte 0 is 0xFF
  bool text_kind = true;             // false: a picture or other component
};

// Where the builder put things, for tests that damage a document.
struct Rg2Layout {
  std::vector<std::size_t> page_records;       // file offsets of the page records
  std::vector<std::size_t> component_records;  // of the component records, in order
  std::vector<std::size_t> component_data;     // of each component's data
  std::size_t record_offset(std::size_t n) const { return 256 + (n - 1) * 40; }
};

class Ragtime2Builder {
 public:
  // Starts a new page (the first page exists from the start).
  Ragtime2Builder& page();
  // A component on the current page.
  Ragtime2Builder& text(const Rg2Component& c);
  // Version byte (offset 4) and the byte after it.
  Ragtime2Builder& version(std::uint8_t major, std::uint8_t minor);

  std::string build(Rg2Layout* layout = nullptr) const;

 private:
  std::vector<std::vector<Rg2Component>> pages_{1};
  std::uint8_t major_ = 2, minor_ = 0;
};

// Ragtime 3 style bits (the style list's style word).
inline constexpr std::uint16_t kRg3Bold = 0x0001;
inline constexpr std::uint16_t kRg3Italic = 0x0002;
inline constexpr std::uint16_t kRg3Underline = 0x0004;
inline constexpr std::uint16_t kRg3Outline = 0x0008;
inline constexpr std::uint16_t kRg3Shadow = 0x0010;
inline constexpr std::uint16_t kRg3Superscript = 0x0080;
inline constexpr std::uint16_t kRg3Subscript = 0x0100;

struct Rg3Run {
  std::uint16_t start = 1;   // position of the first character, from 1
  std::uint16_t style = 1;   // number in the style list (or the fixed style numbers)
  std::uint8_t vertical = 0; // 1..0x80 down, 0x81..0xFF up
};

struct Rg3Style {
  std::uint16_t font = 1;     // from 1, in the font list
  std::uint16_t points = 12;
  std::uint16_t style = 0;    // kRg3... bits
};

struct Rg3Component {
  std::string text = {};
  std::vector<Rg3Run> runs = {};
  std::vector<std::uint8_t> alignments = {};
  bool zero_before_run_count = false;  // a 0 byte before the run count, as RagTime 3.2 writes it
  int declared_length = -1;            // the header's text length + 1, when not the text's
};

struct Rg3Layout {
  std::vector<std::size_t> entries;         // file offsets of the component entries
  std::vector<std::size_t> component_data;  // of each text component, in order
  std::size_t style_zone = 0;               // of the style list's length word, 0 without
};

class Ragtime3Builder {
 public:
  // An entry naming a text component.
  Ragtime3Builder& text(const Rg3Component& c);
  // An entry with its first word and data offset as given.
  Ragtime3Builder& entry(std::uint16_t first_word, std::uint32_t data_offset);
  // The entry that ends the list (first word 0x100).
  Ragtime3Builder& end_of_list();
  // The document's font list (Macintosh font numbers) and style list; without
  // a style list no index is written.
  Ragtime3Builder& fonts(const std::vector<std::uint16_t>& font_numbers);
  Ragtime3Builder& styles(const std::vector<Rg3Style>& list);
  Ragtime3Builder& version(std::uint16_t v);
  // The entry count at offset 96, when not the number of entries.
  Ragtime3Builder& entry_count(std::uint16_t n);

  std::string build(Rg3Layout* layout = nullptr) const;

 private:
  struct Entry {
    std::uint16_t first_word = 1;
    bool is_text = false;
    std::size_t component = 0;  // index into components_
    std::uint32_t offset = 0;
  };
  std::vector<Entry> entries_;
  std::vector<Rg3Component> components_;
  std::vector<std::uint16_t> fonts_{3, 22, 0};
  std::vector<Rg3Style> styles_;
  std::uint16_t version_ = 0x0264;
  int entry_count_ = -1;
};

}  // namespace lettrix::build
