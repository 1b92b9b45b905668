// The CSS classes of the HTML writer: every distinct character format and
// paragraph format of a document gets a class of its own, numbered in the
// order of first use (".c1", ".c2", ... and ".p1", ".p2", ...), which the
// writer names in the body and writes, all together, in the <style> block of
// the head once the body is written.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/emitter.h"

namespace lettrix {

// A character format as CSS shows it.
struct HtmlCharFormat {
  std::uint8_t font = 0;     // PcFont (core/pc_fonts.h)
  std::uint8_t points = 10;  // type size
  std::uint8_t flags1 = 0;   // CharState attribute bits (core/emitter.h)
  std::uint8_t flags2 = 0;
  std::uint8_t colour = 0;   // TextColour: 0 automatic, 1 to 16 the colours of the RTF writer's table
  auto operator<=>(const HtmlCharFormat&) const = default;
};

// Paragraph alignments.
enum class HtmlAlign : std::uint8_t { Left, Centre, Right, Justify };

// A paragraph format as CSS shows it; lengths in stream columns (a tenth of
// an inch, 7.2 points).
struct HtmlParaFormat {
  HtmlAlign align = HtmlAlign::Left;
  bool page_break_before = false;
  std::int16_t margin_left = 0;
  std::int16_t text_indent = 0;   // the first line's offset from margin_left
  std::int16_t margin_right = 0;
  std::int16_t tab_size = 0;      // the interval of the tab stops, 0 for the default
  std::int16_t line_spacing = 0;  // in eighths of a line, 0 for single
  auto operator<=>(const HtmlParaFormat&) const = default;
};

// The CSS declarations of a format, without braces:
// "font-family:Arial,sans-serif;font-size:12pt;font-weight:bold".
std::string css_declarations(const HtmlCharFormat& f);
std::string css_declarations(const HtmlParaFormat& f);

// The classes of one document. A document with more distinct formats than a
// table holds (kMaxClasses) gives the others an inline style instead, so
// that memory stays bounded whatever the input.
class HtmlClasses {
 public:
  static constexpr std::size_t kMaxClasses = 4096;

  // The attribute that names the format in a tag, with its leading space:
  // ' class="c3"', or ' style="..."' once the table is full.
  // Attributes that CSS does not show (outline) make no class of their own.
  std::string attribute(HtmlCharFormat f) {
    f.flags2 &= static_cast<std::uint8_t>(~(kOutline | kSpareAttr));
    return attribute_of(chars_, char_order_, f, 'c');
  }
  std::string attribute(const HtmlParaFormat& f) { return attribute_of(paras_, para_order_, f, 'p'); }

  // The rules of every class, in the order of their numbers, paragraph
  // classes first, each on a line of its own.
  std::string css() const;

 private:
  template <typename Format>
  static std::string attribute_of(std::map<Format, std::size_t>& table, std::vector<const Format*>& order,
                                  const Format& f, char prefix) {
    auto it = table.find(f);
    if (it == table.end()) {
      if (table.size() >= kMaxClasses) return " style=\"" + css_declarations(f) + "\"";
      it = table.emplace(f, table.size() + 1).first;
      order.push_back(&it->first);
    }
    return std::string(" class=\"") + prefix + std::to_string(it->second) + "\"";
  }

  std::map<HtmlCharFormat, std::size_t> chars_;
  std::vector<const HtmlCharFormat*> char_order_;
  std::map<HtmlParaFormat, std::size_t> paras_;
  std::vector<const HtmlParaFormat*> para_order_;
};

}  // namespace lettrix
