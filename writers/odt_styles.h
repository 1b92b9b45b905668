// The automatic styles of an OpenDocument text: one paragraph style ("P1",
// "P2", ...) for each distinct paragraph format and one text style ("T1",
// ...) for each distinct character format other than the document's, in the
// order the stream first uses them, and the XML of the fonts, the styles and
// the page that the package's parts share.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace lettrix {

// A character format as the stream gives it: the PC font of its font class,
// the size, the attribute bits of CharState::flags1 and flags2, the colour
// (an index of the RTF writer's colour table, 0 for automatic).
struct OdtCharFormat {
  std::uint8_t font = 0;
  std::uint8_t points = 10;
  std::uint8_t flags1 = 0;
  std::uint8_t flags2 = 0;
  std::uint8_t colour = 0;
  std::uint64_t key() const {
    return std::uint64_t{font} << 32 | std::uint64_t{points} << 24 | std::uint64_t{flags1} << 16 |
           std::uint64_t{flags2} << 8 | colour;
  }
  bool operator==(const OdtCharFormat&) const = default;
};

// One tab stop: its position from the paragraph's left indent, in stream
// columns, and its kind (TabLeft, TabCentre, TabRight, TabDecimal).
struct OdtTabStop {
  int column = 0;
  int kind = 0;
  auto operator<=>(const OdtTabStop&) const = default;
};

// A paragraph format: lengths in stream columns, line spacing in eighths of
// a line, the border's sides (BorderOn's bits), a page break before it, and
// its tab stops (a number that OdtStyles::tab_set gave, 0 for none).
struct OdtParaFormat {
  enum Align : std::uint8_t { Start, Center, End, Justify };
  std::uint8_t align = Start;
  int left = 0;
  int indent = 0;
  int right = 0;
  int spacing = 8;
  std::uint8_t border = 0;
  bool page_break = false;
  std::uint32_t tabs = 0;
  auto operator<=>(const OdtParaFormat&) const = default;
};

class OdtStyles {
 public:
  // At most this many of each; a format beyond them takes the document's
  // (its text is kept, not its look).
  static constexpr std::size_t kMaxStyles = 4096;
  static constexpr std::size_t kMaxTabSets = 512;

  explicit OdtStyles(const OdtCharFormat& document) : document_(document) {}

  const OdtCharFormat& document_format() const { return document_; }
  // The text style number of a character format: 0 for the document's own.
  std::uint32_t text_style(const OdtCharFormat& format);
  // The paragraph style number of a format, from 1; 0 beyond the limit.
  std::uint32_t paragraph_style(const OdtParaFormat& format);
  // The number of a set of tab stops, from 1; 0 for none or beyond the limit.
  std::uint32_t tab_set(const std::vector<OdtTabStop>& stops);

  // The automatic styles, each a <style:style> element.
  void put_automatic_styles(std::string& xml) const;

 private:
  OdtCharFormat document_;
  std::unordered_map<std::uint64_t, std::uint32_t> text_numbers_;
  std::vector<OdtCharFormat> texts_;
  std::map<OdtParaFormat, std::uint32_t> paragraph_numbers_;
  std::vector<OdtParaFormat> paragraphs_;
  std::map<std::vector<OdtTabStop>, std::uint32_t> tab_numbers_;
  std::vector<const std::vector<OdtTabStop>*> tab_sets_;
};

// The namespaces of every part's root element.
extern const std::string_view kOdtNamespaces;
// <office:font-face-decls> with the PC fonts of the shared table.
void put_font_faces(std::string& xml);
// A length of stream columns in inches ("1.5in").
void put_inches(std::string& xml, long long columns);
// Text with XML's special characters escaped.
void put_escaped(std::string& xml, std::string_view text);

// The running heads of the page, each the XML of its paragraphs.
struct OdtHeads {
  enum Part { Header, HeaderLeft, Footer, FooterLeft, kParts };
  std::string text[kParts];
  bool present[kParts] = {};
};

// styles.xml: the fonts, the default paragraph and text formats (the
// document's character format), the note numbering, the page with its
// margins and running heads; the automatic styles that the heads use.
std::string odt_styles_xml(const OdtStyles& styles, const OdtHeads& heads);

}  // namespace lettrix
